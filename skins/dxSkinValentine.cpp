#include "skins/dxSkinValentine.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinValentinePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Valentine", TdxSkinLookAndFeelPainterClass::Of<TdxSkinValentinePainter>()}};
  return painters;
}

void dxSkinValentineRegister()
{
  dxSkinsRegisterPainters(dxSkinValentinePainters());
}

void dxSkinValentineUnregister()
{
  dxSkinsUnregisterPainters(dxSkinValentinePainters());
}

void dxSkinValentineInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinValentineRegister, &dxSkinValentineUnregister);
}

void dxSkinValentineFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinValentineUnregister);
}

}  // namespace

RTL_UNIT(dxSkinValentine, &dxSkinValentineInitialization, &dxSkinValentineFinalization);

rtl::String TdxSkinValentinePainter::LookAndFeelName()
{
  return L"Valentine";
}
