#include "skins/dxSkinOffice2007Green.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2007GreenPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2007Green", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2007GreenPainter>()}};
  return painters;
}

void dxSkinOffice2007GreenRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2007GreenPainters());
}

void dxSkinOffice2007GreenUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2007GreenPainters());
}

void dxSkinOffice2007GreenInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2007GreenRegister, &dxSkinOffice2007GreenUnregister);
}

void dxSkinOffice2007GreenFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2007GreenUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2007Green, &dxSkinOffice2007GreenInitialization, &dxSkinOffice2007GreenFinalization);

rtl::String TdxSkinOffice2007GreenPainter::LookAndFeelName()
{
  return L"Office2007Green";
}
