#include "skins/dxSkinOffice2007Pink.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2007PinkPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2007Pink", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2007PinkPainter>()}};
  return painters;
}

void dxSkinOffice2007PinkRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2007PinkPainters());
}

void dxSkinOffice2007PinkUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2007PinkPainters());
}

void dxSkinOffice2007PinkInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2007PinkRegister, &dxSkinOffice2007PinkUnregister);
}

void dxSkinOffice2007PinkFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2007PinkUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2007Pink, &dxSkinOffice2007PinkInitialization, &dxSkinOffice2007PinkFinalization);

rtl::String TdxSkinOffice2007PinkPainter::LookAndFeelName()
{
  return L"Office2007Pink";
}
