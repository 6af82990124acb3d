#include "skins/dxSkinWhiteprint.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinWhiteprintPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Whiteprint", TdxSkinLookAndFeelPainterClass::Of<TdxSkinWhiteprintPainter>()}};
  return painters;
}

void dxSkinWhiteprintRegister()
{
  dxSkinsRegisterPainters(dxSkinWhiteprintPainters());
}

void dxSkinWhiteprintUnregister()
{
  dxSkinsUnregisterPainters(dxSkinWhiteprintPainters());
}

void dxSkinWhiteprintInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinWhiteprintRegister, &dxSkinWhiteprintUnregister);
}

void dxSkinWhiteprintFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinWhiteprintUnregister);
}

}  // namespace

RTL_UNIT(dxSkinWhiteprint, &dxSkinWhiteprintInitialization, &dxSkinWhiteprintFinalization);

rtl::String TdxSkinWhiteprintPainter::LookAndFeelName()
{
  return L"Whiteprint";
}
