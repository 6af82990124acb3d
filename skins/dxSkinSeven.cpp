#include "skins/dxSkinSeven.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSevenPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Seven", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSevenPainter>()}};
  return painters;
}

void dxSkinSevenRegister()
{
  dxSkinsRegisterPainters(dxSkinSevenPainters());
}

void dxSkinSevenUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSevenPainters());
}

void dxSkinSevenInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSevenRegister, &dxSkinSevenUnregister);
}

void dxSkinSevenFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSevenUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSeven, &dxSkinSevenInitialization, &dxSkinSevenFinalization);

rtl::String TdxSkinSevenPainter::LookAndFeelName()
{
  return L"Seven";
}
