#include "skins/dxSkinLiquidSky.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinLiquidSkyPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"LiquidSky", TdxSkinLookAndFeelPainterClass::Of<TdxSkinLiquidSkyPainter>()}};
  return painters;
}

void dxSkinLiquidSkyRegister()
{
  dxSkinsRegisterPainters(dxSkinLiquidSkyPainters());
}

void dxSkinLiquidSkyUnregister()
{
  dxSkinsUnregisterPainters(dxSkinLiquidSkyPainters());
}

void dxSkinLiquidSkyInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinLiquidSkyRegister, &dxSkinLiquidSkyUnregister);
}

void dxSkinLiquidSkyFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinLiquidSkyUnregister);
}

}  // namespace

RTL_UNIT(dxSkinLiquidSky, &dxSkinLiquidSkyInitialization, &dxSkinLiquidSkyFinalization);

rtl::String TdxSkinLiquidSkyPainter::LookAndFeelName()
{
  return L"LiquidSky";
}
