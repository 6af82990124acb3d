#include "skins/dxSkinGlassOceans.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinGlassOceansPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"GlassOceans", TdxSkinLookAndFeelPainterClass::Of<TdxSkinGlassOceansPainter>()}};
  return painters;
}

void dxSkinGlassOceansRegister()
{
  dxSkinsRegisterPainters(dxSkinGlassOceansPainters());
}

void dxSkinGlassOceansUnregister()
{
  dxSkinsUnregisterPainters(dxSkinGlassOceansPainters());
}

void dxSkinGlassOceansInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinGlassOceansRegister, &dxSkinGlassOceansUnregister);
}

void dxSkinGlassOceansFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinGlassOceansUnregister);
}

}  // namespace

RTL_UNIT(dxSkinGlassOceans, &dxSkinGlassOceansInitialization, &dxSkinGlassOceansFinalization);

rtl::String TdxSkinGlassOceansPainter::LookAndFeelName()
{
  return L"GlassOceans";
}
