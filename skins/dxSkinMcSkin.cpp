#include "skins/dxSkinMcSkin.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinMcSkinPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"McSkin", TdxSkinLookAndFeelPainterClass::Of<TdxSkinMcSkinPainter>()}};
  return painters;
}

void dxSkinMcSkinRegister()
{
  dxSkinsRegisterPainters(dxSkinMcSkinPainters());
}

void dxSkinMcSkinUnregister()
{
  dxSkinsUnregisterPainters(dxSkinMcSkinPainters());
}

void dxSkinMcSkinInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinMcSkinRegister, &dxSkinMcSkinUnregister);
}

void dxSkinMcSkinFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinMcSkinUnregister);
}

}  // namespace

RTL_UNIT(dxSkinMcSkin, &dxSkinMcSkinInitialization, &dxSkinMcSkinFinalization);

rtl::String TdxSkinMcSkinPainter::LookAndFeelName()
{
  return L"McSkin";
}
