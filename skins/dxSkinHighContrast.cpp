#include "skins/dxSkinHighContrast.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinHighContrastPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"HighContrast", TdxSkinLookAndFeelPainterClass::Of<TdxSkinHighContrastPainter>()}};
  return painters;
}

void dxSkinHighContrastRegister()
{
  dxSkinsRegisterPainters(dxSkinHighContrastPainters());
}

void dxSkinHighContrastUnregister()
{
  dxSkinsUnregisterPainters(dxSkinHighContrastPainters());
}

void dxSkinHighContrastInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinHighContrastRegister, &dxSkinHighContrastUnregister);
}

void dxSkinHighContrastFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinHighContrastUnregister);
}

}  // namespace

RTL_UNIT(dxSkinHighContrast, &dxSkinHighContrastInitialization, &dxSkinHighContrastFinalization);

rtl::String TdxSkinHighContrastPainter::LookAndFeelName()
{
  return L"HighContrast";
}
