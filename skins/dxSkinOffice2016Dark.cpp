#include "skins/dxSkinOffice2016Dark.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2016DarkPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2016Dark", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2016DarkPainter>()}};
  return painters;
}

void dxSkinOffice2016DarkRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2016DarkPainters());
}

void dxSkinOffice2016DarkUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2016DarkPainters());
}

void dxSkinOffice2016DarkInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2016DarkRegister, &dxSkinOffice2016DarkUnregister);
}

void dxSkinOffice2016DarkFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2016DarkUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2016Dark, &dxSkinOffice2016DarkInitialization, &dxSkinOffice2016DarkFinalization);

rtl::String TdxSkinOffice2016DarkPainter::LookAndFeelName()
{
  return L"Office2016Dark";
}
