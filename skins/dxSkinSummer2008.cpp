#include "skins/dxSkinSummer2008.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSummer2008Painters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Summer2008", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSummer2008Painter>()}};
  return painters;
}

void dxSkinSummer2008Register()
{
  dxSkinsRegisterPainters(dxSkinSummer2008Painters());
}

void dxSkinSummer2008Unregister()
{
  dxSkinsUnregisterPainters(dxSkinSummer2008Painters());
}

void dxSkinSummer2008Initialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSummer2008Register, &dxSkinSummer2008Unregister);
}

void dxSkinSummer2008Finalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSummer2008Unregister);
}

}  // namespace

RTL_UNIT(dxSkinSummer2008, &dxSkinSummer2008Initialization, &dxSkinSummer2008Finalization);

rtl::String TdxSkinSummer2008Painter::LookAndFeelName()
{
  return L"Summer2008";
}
