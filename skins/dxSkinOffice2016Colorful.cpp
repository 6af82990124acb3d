#include "skins/dxSkinOffice2016Colorful.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2016ColorfulPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2016Colorful", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2016ColorfulPainter>()}};
  return painters;
}

void dxSkinOffice2016ColorfulRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2016ColorfulPainters());
}

void dxSkinOffice2016ColorfulUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2016ColorfulPainters());
}

void dxSkinOffice2016ColorfulInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2016ColorfulRegister, &dxSkinOffice2016ColorfulUnregister);
}

void dxSkinOffice2016ColorfulFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2016ColorfulUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2016Colorful, &dxSkinOffice2016ColorfulInitialization, &dxSkinOffice2016ColorfulFinalization);

rtl::String TdxSkinOffice2016ColorfulPainter::LookAndFeelName()
{
  return L"Office2016Colorful";
}
