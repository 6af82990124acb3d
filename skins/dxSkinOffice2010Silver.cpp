#include "skins/dxSkinOffice2010Silver.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2010SilverPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2010Silver", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2010SilverPainter>()}};
  return painters;
}

void dxSkinOffice2010SilverRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2010SilverPainters());
}

void dxSkinOffice2010SilverUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2010SilverPainters());
}

void dxSkinOffice2010SilverInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2010SilverRegister, &dxSkinOffice2010SilverUnregister);
}

void dxSkinOffice2010SilverFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2010SilverUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2010Silver, &dxSkinOffice2010SilverInitialization, &dxSkinOffice2010SilverFinalization);

rtl::String TdxSkinOffice2010SilverPainter::LookAndFeelName()
{
  return L"Office2010Silver";
}
