#include "skins/dxSkinOffice2010Black.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2010BlackPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2010Black", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2010BlackPainter>()}};
  return painters;
}

void dxSkinOffice2010BlackRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2010BlackPainters());
}

void dxSkinOffice2010BlackUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2010BlackPainters());
}

void dxSkinOffice2010BlackInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2010BlackRegister, &dxSkinOffice2010BlackUnregister);
}

void dxSkinOffice2010BlackFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2010BlackUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2010Black, &dxSkinOffice2010BlackInitialization, &dxSkinOffice2010BlackFinalization);

rtl::String TdxSkinOffice2010BlackPainter::LookAndFeelName()
{
  return L"Office2010Black";
}
