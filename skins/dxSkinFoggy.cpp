#include "skins/dxSkinFoggy.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinFoggyPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Foggy", TdxSkinLookAndFeelPainterClass::Of<TdxSkinFoggyPainter>()}};
  return painters;
}

void dxSkinFoggyRegister()
{
  dxSkinsRegisterPainters(dxSkinFoggyPainters());
}

void dxSkinFoggyUnregister()
{
  dxSkinsUnregisterPainters(dxSkinFoggyPainters());
}

void dxSkinFoggyInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinFoggyRegister, &dxSkinFoggyUnregister);
}

void dxSkinFoggyFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinFoggyUnregister);
}

}  // namespace

RTL_UNIT(dxSkinFoggy, &dxSkinFoggyInitialization, &dxSkinFoggyFinalization);

rtl::String TdxSkinFoggyPainter::LookAndFeelName()
{
  return L"Foggy";
}
