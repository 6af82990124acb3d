#include "skins/dxSkinSevenClassic.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSevenClassicPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"SevenClassic", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSevenClassicPainter>()}};
  return painters;
}

void dxSkinSevenClassicRegister()
{
  dxSkinsRegisterPainters(dxSkinSevenClassicPainters());
}

void dxSkinSevenClassicUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSevenClassicPainters());
}

void dxSkinSevenClassicInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSevenClassicRegister, &dxSkinSevenClassicUnregister);
}

void dxSkinSevenClassicFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSevenClassicUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSevenClassic, &dxSkinSevenClassicInitialization, &dxSkinSevenClassicFinalization);

rtl::String TdxSkinSevenClassicPainter::LookAndFeelName()
{
  return L"SevenClassic";
}
