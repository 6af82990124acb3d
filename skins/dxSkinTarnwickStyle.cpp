#include "skins/dxSkinTarnwickStyle.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinTarnwickStylePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"TarnwickStyle", TdxSkinLookAndFeelPainterClass::Of<TdxSkinTarnwickStylePainter>()}};
  return painters;
}

void dxSkinTarnwickStyleRegister()
{
  dxSkinsRegisterPainters(dxSkinTarnwickStylePainters());
}

void dxSkinTarnwickStyleUnregister()
{
  dxSkinsUnregisterPainters(dxSkinTarnwickStylePainters());
}

void dxSkinTarnwickStyleInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinTarnwickStyleRegister, &dxSkinTarnwickStyleUnregister);
}

void dxSkinTarnwickStyleFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinTarnwickStyleUnregister);
}

}  // namespace

RTL_UNIT(dxSkinTarnwickStyle, &dxSkinTarnwickStyleInitialization, &dxSkinTarnwickStyleFinalization);

rtl::String TdxSkinTarnwickStylePainter::LookAndFeelName()
{
  return L"TarnwickStyle";
}
