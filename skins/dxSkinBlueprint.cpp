#include "skins/dxSkinBlueprint.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinBlueprintPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Blueprint", TdxSkinLookAndFeelPainterClass::Of<TdxSkinBlueprintPainter>()}};
  return painters;
}

void dxSkinBlueprintRegister()
{
  dxSkinsRegisterPainters(dxSkinBlueprintPainters());
}

void dxSkinBlueprintUnregister()
{
  dxSkinsUnregisterPainters(dxSkinBlueprintPainters());
}

void dxSkinBlueprintInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinBlueprintRegister, &dxSkinBlueprintUnregister);
}

void dxSkinBlueprintFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinBlueprintUnregister);
}

}  // namespace

RTL_UNIT(dxSkinBlueprint, &dxSkinBlueprintInitialization, &dxSkinBlueprintFinalization);

rtl::String TdxSkinBlueprintPainter::LookAndFeelName()
{
  return L"Blueprint";
}
