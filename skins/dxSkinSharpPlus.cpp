#include "skins/dxSkinSharpPlus.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSharpPlusPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"SharpPlus", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSharpPlusPainter>()}};
  return painters;
}

void dxSkinSharpPlusRegister()
{
  dxSkinsRegisterPainters(dxSkinSharpPlusPainters());
}

void dxSkinSharpPlusUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSharpPlusPainters());
}

void dxSkinSharpPlusInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSharpPlusRegister, &dxSkinSharpPlusUnregister);
}

void dxSkinSharpPlusFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSharpPlusUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSharpPlus, &dxSkinSharpPlusInitialization, &dxSkinSharpPlusFinalization);

rtl::String TdxSkinSharpPlusPainter::LookAndFeelName()
{
  return L"SharpPlus";
}
