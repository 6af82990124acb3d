#include "skins/dxSkinOffice2007Blue.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2007BluePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2007Blue", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2007BluePainter>()}};
  return painters;
}

void dxSkinOffice2007BlueRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2007BluePainters());
}

void dxSkinOffice2007BlueUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2007BluePainters());
}

void dxSkinOffice2007BlueInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2007BlueRegister, &dxSkinOffice2007BlueUnregister);
}

void dxSkinOffice2007BlueFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2007BlueUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2007Blue, &dxSkinOffice2007BlueInitialization, &dxSkinOffice2007BlueFinalization);

rtl::String TdxSkinOffice2007BluePainter::LookAndFeelName()
{
  return L"Office2007Blue";
}
