#include "skins/dxSkinLondonLiquidSky.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinLondonLiquidSkyPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"LondonLiquidSky", TdxSkinLookAndFeelPainterClass::Of<TdxSkinLondonLiquidSkyPainter>()}};
  return painters;
}

void dxSkinLondonLiquidSkyRegister()
{
  dxSkinsRegisterPainters(dxSkinLondonLiquidSkyPainters());
}

void dxSkinLondonLiquidSkyUnregister()
{
  dxSkinsUnregisterPainters(dxSkinLondonLiquidSkyPainters());
}

void dxSkinLondonLiquidSkyInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinLondonLiquidSkyRegister, &dxSkinLondonLiquidSkyUnregister);
}

void dxSkinLondonLiquidSkyFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinLondonLiquidSkyUnregister);
}

}  // namespace

RTL_UNIT(dxSkinLondonLiquidSky, &dxSkinLondonLiquidSkyInitialization, &dxSkinLondonLiquidSkyFinalization);

rtl::String TdxSkinLondonLiquidSkyPainter::LookAndFeelName()
{
  return L"LondonLiquidSky";
}
