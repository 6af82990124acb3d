#include "skins/dxSkinCoffee.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinCoffeePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Coffee", TdxSkinLookAndFeelPainterClass::Of<TdxSkinCoffeePainter>()}};
  return painters;
}

void dxSkinCoffeeRegister()
{
  dxSkinsRegisterPainters(dxSkinCoffeePainters());
}

void dxSkinCoffeeUnregister()
{
  dxSkinsUnregisterPainters(dxSkinCoffeePainters());
}

void dxSkinCoffeeInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinCoffeeRegister, &dxSkinCoffeeUnregister);
}

void dxSkinCoffeeFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinCoffeeUnregister);
}

}  // namespace

RTL_UNIT(dxSkinCoffee, &dxSkinCoffeeInitialization, &dxSkinCoffeeFinalization);

rtl::String TdxSkinCoffeePainter::LookAndFeelName()
{
  return L"Coffee";
}
