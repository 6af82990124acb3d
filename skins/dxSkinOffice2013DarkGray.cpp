#include "skins/dxSkinOffice2013DarkGray.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2013DarkGrayPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2013DarkGray", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2013DarkGrayPainter>()}};
  return painters;
}

void dxSkinOffice2013DarkGrayRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2013DarkGrayPainters());
}

void dxSkinOffice2013DarkGrayUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2013DarkGrayPainters());
}

void dxSkinOffice2013DarkGrayInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2013DarkGrayRegister, &dxSkinOffice2013DarkGrayUnregister);
}

void dxSkinOffice2013DarkGrayFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2013DarkGrayUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2013DarkGray, &dxSkinOffice2013DarkGrayInitialization, &dxSkinOffice2013DarkGrayFinalization);

rtl::String TdxSkinOffice2013DarkGrayPainter::LookAndFeelName()
{
  return L"Office2013DarkGray";
}
