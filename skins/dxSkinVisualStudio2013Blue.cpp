#include "skins/dxSkinVisualStudio2013Blue.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinVisualStudio2013BluePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"VisualStudio2013Blue", TdxSkinLookAndFeelPainterClass::Of<TdxSkinVisualStudio2013BluePainter>()}};
  return painters;
}

void dxSkinVisualStudio2013BlueRegister()
{
  dxSkinsRegisterPainters(dxSkinVisualStudio2013BluePainters());
}

void dxSkinVisualStudio2013BlueUnregister()
{
  dxSkinsUnregisterPainters(dxSkinVisualStudio2013BluePainters());
}

void dxSkinVisualStudio2013BlueInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinVisualStudio2013BlueRegister, &dxSkinVisualStudio2013BlueUnregister);
}

void dxSkinVisualStudio2013BlueFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinVisualStudio2013BlueUnregister);
}

}  // namespace

RTL_UNIT(dxSkinVisualStudio2013Blue, &dxSkinVisualStudio2013BlueInitialization, &dxSkinVisualStudio2013BlueFinalization);

rtl::String TdxSkinVisualStudio2013BluePainter::LookAndFeelName()
{
  return L"VisualStudio2013Blue";
}
