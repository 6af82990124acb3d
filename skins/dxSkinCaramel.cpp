#include "skins/dxSkinCaramel.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinCaramelPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Caramel", TdxSkinLookAndFeelPainterClass::Of<TdxSkinCaramelPainter>()}};
  return painters;
}

void dxSkinCaramelRegister()
{
  dxSkinsRegisterPainters(dxSkinCaramelPainters());
}

void dxSkinCaramelUnregister()
{
  dxSkinsUnregisterPainters(dxSkinCaramelPainters());
}

void dxSkinCaramelInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinCaramelRegister, &dxSkinCaramelUnregister);
}

void dxSkinCaramelFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinCaramelUnregister);
}

}  // namespace

RTL_UNIT(dxSkinCaramel, &dxSkinCaramelInitialization, &dxSkinCaramelFinalization);

rtl::String TdxSkinCaramelPainter::LookAndFeelName()
{
  return L"Caramel";
}
