#include "skins/dxSkinOffice2007Black.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2007BlackPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2007Black", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2007BlackPainter>()}};
  return painters;
}

void dxSkinOffice2007BlackRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2007BlackPainters());
}

void dxSkinOffice2007BlackUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2007BlackPainters());
}

void dxSkinOffice2007BlackInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2007BlackRegister, &dxSkinOffice2007BlackUnregister);
}

void dxSkinOffice2007BlackFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2007BlackUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2007Black, &dxSkinOffice2007BlackInitialization, &dxSkinOffice2007BlackFinalization);

rtl::String TdxSkinOffice2007BlackPainter::LookAndFeelName()
{
  return L"Office2007Black";
}
