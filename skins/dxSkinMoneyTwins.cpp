#include "skins/dxSkinMoneyTwins.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinMoneyTwinsPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"MoneyTwins", TdxSkinLookAndFeelPainterClass::Of<TdxSkinMoneyTwinsPainter>()}};
  return painters;
}

void dxSkinMoneyTwinsRegister()
{
  dxSkinsRegisterPainters(dxSkinMoneyTwinsPainters());
}

void dxSkinMoneyTwinsUnregister()
{
  dxSkinsUnregisterPainters(dxSkinMoneyTwinsPainters());
}

void dxSkinMoneyTwinsInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinMoneyTwinsRegister, &dxSkinMoneyTwinsUnregister);
}

void dxSkinMoneyTwinsFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinMoneyTwinsUnregister);
}

}  // namespace

RTL_UNIT(dxSkinMoneyTwins, &dxSkinMoneyTwinsInitialization, &dxSkinMoneyTwinsFinalization);

rtl::String TdxSkinMoneyTwinsPainter::LookAndFeelName()
{
  return L"MoneyTwins";
}
