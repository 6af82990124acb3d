#include "skins/dxSkinVS2010.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinVS2010Painters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"VS2010", TdxSkinLookAndFeelPainterClass::Of<TdxSkinVS2010Painter>()}};
  return painters;
}

void dxSkinVS2010Register()
{
  dxSkinsRegisterPainters(dxSkinVS2010Painters());
}

void dxSkinVS2010Unregister()
{
  dxSkinsUnregisterPainters(dxSkinVS2010Painters());
}

void dxSkinVS2010Initialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinVS2010Register, &dxSkinVS2010Unregister);
}

void dxSkinVS2010Finalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinVS2010Unregister);
}

}  // namespace

RTL_UNIT(dxSkinVS2010, &dxSkinVS2010Initialization, &dxSkinVS2010Finalization);

rtl::String TdxSkinVS2010Painter::LookAndFeelName()
{
  return L"VS2010";
}
