#include "skins/dxSkinSpringTime.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSpringTimePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Springtime", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSpringtimePainter>()}};
  return painters;
}

void dxSkinSpringTimeRegister()
{
  dxSkinsRegisterPainters(dxSkinSpringTimePainters());
}

void dxSkinSpringTimeUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSpringTimePainters());
}

void dxSkinSpringTimeInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSpringTimeRegister, &dxSkinSpringTimeUnregister);
}

void dxSkinSpringTimeFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSpringTimeUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSpringTime, &dxSkinSpringTimeInitialization, &dxSkinSpringTimeFinalization);

rtl::String TdxSkinSpringtimePainter::LookAndFeelName()
{
  return L"Springtime";
}
