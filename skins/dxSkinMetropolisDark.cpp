#include "skins/dxSkinMetropolisDark.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinMetropolisDarkPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"MetropolisDark", TdxSkinLookAndFeelPainterClass::Of<TdxSkinMetropolisDarkPainter>()}};
  return painters;
}

void dxSkinMetropolisDarkRegister()
{
  dxSkinsRegisterPainters(dxSkinMetropolisDarkPainters());
}

void dxSkinMetropolisDarkUnregister()
{
  dxSkinsUnregisterPainters(dxSkinMetropolisDarkPainters());
}

void dxSkinMetropolisDarkInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinMetropolisDarkRegister, &dxSkinMetropolisDarkUnregister);
}

void dxSkinMetropolisDarkFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinMetropolisDarkUnregister);
}

}  // namespace

RTL_UNIT(dxSkinMetropolisDark, &dxSkinMetropolisDarkInitialization, &dxSkinMetropolisDarkFinalization);

rtl::String TdxSkinMetropolisDarkPainter::LookAndFeelName()
{
  return L"MetropolisDark";
}
