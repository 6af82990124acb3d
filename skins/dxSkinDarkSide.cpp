#include "skins/dxSkinDarkSide.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinDarkSidePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"DarkSide", TdxSkinLookAndFeelPainterClass::Of<TdxSkinDarkSidePainter>()}};
  return painters;
}

void dxSkinDarkSideRegister()
{
  dxSkinsRegisterPainters(dxSkinDarkSidePainters());
}

void dxSkinDarkSideUnregister()
{
  dxSkinsUnregisterPainters(dxSkinDarkSidePainters());
}

void dxSkinDarkSideInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinDarkSideRegister, &dxSkinDarkSideUnregister);
}

void dxSkinDarkSideFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinDarkSideUnregister);
}

}  // namespace

RTL_UNIT(dxSkinDarkSide, &dxSkinDarkSideInitialization, &dxSkinDarkSideFinalization);

rtl::String TdxSkinDarkSidePainter::LookAndFeelName()
{
  return L"DarkSide";
}
