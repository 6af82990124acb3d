#include "skins/dxSkinSilver.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSilverPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Silver", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSilverPainter>()}};
  return painters;
}

void dxSkinSilverRegister()
{
  dxSkinsRegisterPainters(dxSkinSilverPainters());
}

void dxSkinSilverUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSilverPainters());
}

void dxSkinSilverInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSilverRegister, &dxSkinSilverUnregister);
}

void dxSkinSilverFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSilverUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSilver, &dxSkinSilverInitialization, &dxSkinSilverFinalization);

rtl::String TdxSkinSilverPainter::LookAndFeelName()
{
  return L"Silver";
}
