#include "skins/dxSkinTarnwickDarkStyle.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinTarnwickDarkStylePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"TarnwickDarkStyle", TdxSkinLookAndFeelPainterClass::Of<TdxSkinTarnwickDarkStylePainter>()}};
  return painters;
}

void dxSkinTarnwickDarkStyleRegister()
{
  dxSkinsRegisterPainters(dxSkinTarnwickDarkStylePainters());
}

void dxSkinTarnwickDarkStyleUnregister()
{
  dxSkinsUnregisterPainters(dxSkinTarnwickDarkStylePainters());
}

void dxSkinTarnwickDarkStyleInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinTarnwickDarkStyleRegister, &dxSkinTarnwickDarkStyleUnregister);
}

void dxSkinTarnwickDarkStyleFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinTarnwickDarkStyleUnregister);
}

}  // namespace

RTL_UNIT(dxSkinTarnwickDarkStyle, &dxSkinTarnwickDarkStyleInitialization, &dxSkinTarnwickDarkStyleFinalization);

rtl::String TdxSkinTarnwickDarkStylePainter::LookAndFeelName()
{
  return L"TarnwickDarkStyle";
}
