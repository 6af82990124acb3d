#include "skins/dxSkinBlue.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinBluePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Blue", TdxSkinLookAndFeelPainterClass::Of<TdxSkinBluePainter>()}};
  return painters;
}

void dxSkinBlueRegister()
{
  dxSkinsRegisterPainters(dxSkinBluePainters());
}

void dxSkinBlueUnregister()
{
  dxSkinsUnregisterPainters(dxSkinBluePainters());
}

void dxSkinBlueInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinBlueRegister, &dxSkinBlueUnregister);
}

void dxSkinBlueFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinBlueUnregister);
}

}  // namespace

RTL_UNIT(dxSkinBlue, &dxSkinBlueInitialization, &dxSkinBlueFinalization);

rtl::String TdxSkinBluePainter::LookAndFeelName()
{
  return L"Blue";
}
