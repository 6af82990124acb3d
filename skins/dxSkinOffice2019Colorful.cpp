#include "skins/dxSkinOffice2019Colorful.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2019ColorfulPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2019Colorful", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2019ColorfulPainter>()}};
  return painters;
}

void dxSkinOffice2019ColorfulRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2019ColorfulPainters());
}

void dxSkinOffice2019ColorfulUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2019ColorfulPainters());
}

void dxSkinOffice2019ColorfulInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2019ColorfulRegister, &dxSkinOffice2019ColorfulUnregister);
}

void dxSkinOffice2019ColorfulFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2019ColorfulUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2019Colorful, &dxSkinOffice2019ColorfulInitialization, &dxSkinOffice2019ColorfulFinalization);

rtl::String TdxSkinOffice2019ColorfulPainter::LookAndFeelName()
{
  return L"Office2019Colorful";
}
