#include "skins/dxSkinOffice2010Blue.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2010BluePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2010Blue", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2010BluePainter>()}};
  return painters;
}

void dxSkinOffice2010BlueRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2010BluePainters());
}

void dxSkinOffice2010BlueUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2010BluePainters());
}

void dxSkinOffice2010BlueInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2010BlueRegister, &dxSkinOffice2010BlueUnregister);
}

void dxSkinOffice2010BlueFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2010BlueUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2010Blue, &dxSkinOffice2010BlueInitialization, &dxSkinOffice2010BlueFinalization);

rtl::String TdxSkinOffice2010BluePainter::LookAndFeelName()
{
  return L"Office2010Blue";
}
