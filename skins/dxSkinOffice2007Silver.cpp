#include "skins/dxSkinOffice2007Silver.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2007SilverPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2007Silver", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2007SilverPainter>()}};
  return painters;
}

void dxSkinOffice2007SilverRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2007SilverPainters());
}

void dxSkinOffice2007SilverUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2007SilverPainters());
}

void dxSkinOffice2007SilverInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2007SilverRegister, &dxSkinOffice2007SilverUnregister);
}

void dxSkinOffice2007SilverFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2007SilverUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2007Silver, &dxSkinOffice2007SilverInitialization, &dxSkinOffice2007SilverFinalization);

rtl::String TdxSkinOffice2007SilverPainter::LookAndFeelName()
{
  return L"Office2007Silver";
}
