#include "skins/dxSkinPumpkin.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinPumpkinPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Pumpkin", TdxSkinLookAndFeelPainterClass::Of<TdxSkinPumpkinPainter>()}};
  return painters;
}

void dxSkinPumpkinRegister()
{
  dxSkinsRegisterPainters(dxSkinPumpkinPainters());
}

void dxSkinPumpkinUnregister()
{
  dxSkinsUnregisterPainters(dxSkinPumpkinPainters());
}

void dxSkinPumpkinInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinPumpkinRegister, &dxSkinPumpkinUnregister);
}

void dxSkinPumpkinFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinPumpkinUnregister);
}

}  // namespace

RTL_UNIT(dxSkinPumpkin, &dxSkinPumpkinInitialization, &dxSkinPumpkinFinalization);

rtl::String TdxSkinPumpkinPainter::LookAndFeelName()
{
  return L"Pumpkin";
}
