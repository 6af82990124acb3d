#include "skins/dxSkinTheAsphaltWorld.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinTheAsphaltWorldPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"TheAsphaltWorld", TdxSkinLookAndFeelPainterClass::Of<TdxSkinTheAsphaltWorldPainter>()}};
  return painters;
}

void dxSkinTheAsphaltWorldRegister()
{
  dxSkinsRegisterPainters(dxSkinTheAsphaltWorldPainters());
}

void dxSkinTheAsphaltWorldUnregister()
{
  dxSkinsUnregisterPainters(dxSkinTheAsphaltWorldPainters());
}

void dxSkinTheAsphaltWorldInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinTheAsphaltWorldRegister, &dxSkinTheAsphaltWorldUnregister);
}

void dxSkinTheAsphaltWorldFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinTheAsphaltWorldUnregister);
}

}  // namespace

RTL_UNIT(dxSkinTheAsphaltWorld, &dxSkinTheAsphaltWorldInitialization, &dxSkinTheAsphaltWorldFinalization);

rtl::String TdxSkinTheAsphaltWorldPainter::LookAndFeelName()
{
  return L"TheAsphaltWorld";
}
