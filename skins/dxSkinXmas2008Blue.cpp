#include "skins/dxSkinXmas2008Blue.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinXmas2008BluePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Xmas2008Blue", TdxSkinLookAndFeelPainterClass::Of<TdxSkinXmas2008BluePainter>()}};
  return painters;
}

void dxSkinXmas2008BlueRegister()
{
  dxSkinsRegisterPainters(dxSkinXmas2008BluePainters());
}

void dxSkinXmas2008BlueUnregister()
{
  dxSkinsUnregisterPainters(dxSkinXmas2008BluePainters());
}

void dxSkinXmas2008BlueInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinXmas2008BlueRegister, &dxSkinXmas2008BlueUnregister);
}

void dxSkinXmas2008BlueFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinXmas2008BlueUnregister);
}

}  // namespace

RTL_UNIT(dxSkinXmas2008Blue, &dxSkinXmas2008BlueInitialization, &dxSkinXmas2008BlueFinalization);

rtl::String TdxSkinXmas2008BluePainter::LookAndFeelName()
{
  return L"Xmas2008Blue";
}
