#include "skins/dxSkinVisualStudio2013Light.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinVisualStudio2013LightPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"VisualStudio2013Light", TdxSkinLookAndFeelPainterClass::Of<TdxSkinVisualStudio2013LightPainter>()}};
  return painters;
}

void dxSkinVisualStudio2013LightRegister()
{
  dxSkinsRegisterPainters(dxSkinVisualStudio2013LightPainters());
}

void dxSkinVisualStudio2013LightUnregister()
{
  dxSkinsUnregisterPainters(dxSkinVisualStudio2013LightPainters());
}

void dxSkinVisualStudio2013LightInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinVisualStudio2013LightRegister, &dxSkinVisualStudio2013LightUnregister);
}

void dxSkinVisualStudio2013LightFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinVisualStudio2013LightUnregister);
}

}  // namespace

RTL_UNIT(dxSkinVisualStudio2013Light, &dxSkinVisualStudio2013LightInitialization, &dxSkinVisualStudio2013LightFinalization);

rtl::String TdxSkinVisualStudio2013LightPainter::LookAndFeelName()
{
  return L"VisualStudio2013Light";
}
