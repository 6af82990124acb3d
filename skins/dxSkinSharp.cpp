#include "skins/dxSkinSharp.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinSharpPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Sharp", TdxSkinLookAndFeelPainterClass::Of<TdxSkinSharpPainter>()}};
  return painters;
}

void dxSkinSharpRegister()
{
  dxSkinsRegisterPainters(dxSkinSharpPainters());
}

void dxSkinSharpUnregister()
{
  dxSkinsUnregisterPainters(dxSkinSharpPainters());
}

void dxSkinSharpInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinSharpRegister, &dxSkinSharpUnregister);
}

void dxSkinSharpFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinSharpUnregister);
}

}  // namespace

RTL_UNIT(dxSkinSharp, &dxSkinSharpInitialization, &dxSkinSharpFinalization);

rtl::String TdxSkinSharpPainter::LookAndFeelName()
{
  return L"Sharp";
}
