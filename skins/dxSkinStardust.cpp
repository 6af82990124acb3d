#include "skins/dxSkinStardust.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinStardustPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Stardust", TdxSkinLookAndFeelPainterClass::Of<TdxSkinStardustPainter>()}};
  return painters;
}

void dxSkinStardustRegister()
{
  dxSkinsRegisterPainters(dxSkinStardustPainters());
}

void dxSkinStardustUnregister()
{
  dxSkinsUnregisterPainters(dxSkinStardustPainters());
}

void dxSkinStardustInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinStardustRegister, &dxSkinStardustUnregister);
}

void dxSkinStardustFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinStardustUnregister);
}

}  // namespace

RTL_UNIT(dxSkinStardust, &dxSkinStardustInitialization, &dxSkinStardustFinalization);

rtl::String TdxSkinStardustPainter::LookAndFeelName()
{
  return L"Stardust";
}
