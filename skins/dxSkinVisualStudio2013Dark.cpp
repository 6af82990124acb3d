#include "skins/dxSkinVisualStudio2013Dark.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinVisualStudio2013DarkPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"VisualStudio2013Dark", TdxSkinLookAndFeelPainterClass::Of<TdxSkinVisualStudio2013DarkPainter>()}};
  return painters;
}

void dxSkinVisualStudio2013DarkRegister()
{
  dxSkinsRegisterPainters(dxSkinVisualStudio2013DarkPainters());
}

void dxSkinVisualStudio2013DarkUnregister()
{
  dxSkinsUnregisterPainters(dxSkinVisualStudio2013DarkPainters());
}

void dxSkinVisualStudio2013DarkInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinVisualStudio2013DarkRegister, &dxSkinVisualStudio2013DarkUnregister);
}

void dxSkinVisualStudio2013DarkFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinVisualStudio2013DarkUnregister);
}

}  // namespace

RTL_UNIT(dxSkinVisualStudio2013Dark, &dxSkinVisualStudio2013DarkInitialization, &dxSkinVisualStudio2013DarkFinalization);

rtl::String TdxSkinVisualStudio2013DarkPainter::LookAndFeelName()
{
  return L"VisualStudio2013Dark";
}
