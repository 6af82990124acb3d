#include "skins/dxSkinOffice2013LightGray.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2013LightGrayPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2013LightGray", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2013LightGrayPainter>()}};
  return painters;
}

void dxSkinOffice2013LightGrayRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2013LightGrayPainters());
}

void dxSkinOffice2013LightGrayUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2013LightGrayPainters());
}

void dxSkinOffice2013LightGrayInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2013LightGrayRegister, &dxSkinOffice2013LightGrayUnregister);
}

void dxSkinOffice2013LightGrayFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2013LightGrayUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2013LightGray, &dxSkinOffice2013LightGrayInitialization, &dxSkinOffice2013LightGrayFinalization);

rtl::String TdxSkinOffice2013LightGrayPainter::LookAndFeelName()
{
  return L"Office2013LightGray";
}
