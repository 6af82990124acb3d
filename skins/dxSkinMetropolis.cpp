#include "skins/dxSkinMetropolis.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinMetropolisPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Metropolis", TdxSkinLookAndFeelPainterClass::Of<TdxSkinMetropolisPainter>()}};
  return painters;
}

void dxSkinMetropolisRegister()
{
  dxSkinsRegisterPainters(dxSkinMetropolisPainters());
}

void dxSkinMetropolisUnregister()
{
  dxSkinsUnregisterPainters(dxSkinMetropolisPainters());
}

void dxSkinMetropolisInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinMetropolisRegister, &dxSkinMetropolisUnregister);
}

void dxSkinMetropolisFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinMetropolisUnregister);
}

}  // namespace

RTL_UNIT(dxSkinMetropolis, &dxSkinMetropolisInitialization, &dxSkinMetropolisFinalization);

rtl::String TdxSkinMetropolisPainter::LookAndFeelName()
{
  return L"Metropolis";
}
