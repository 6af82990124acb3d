#include "skins/dxSkinOffice2013White.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinOffice2013WhitePainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Office2013White", TdxSkinLookAndFeelPainterClass::Of<TdxSkinOffice2013WhitePainter>()}};
  return painters;
}

void dxSkinOffice2013WhiteRegister()
{
  dxSkinsRegisterPainters(dxSkinOffice2013WhitePainters());
}

void dxSkinOffice2013WhiteUnregister()
{
  dxSkinsUnregisterPainters(dxSkinOffice2013WhitePainters());
}

void dxSkinOffice2013WhiteInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinOffice2013WhiteRegister, &dxSkinOffice2013WhiteUnregister);
}

void dxSkinOffice2013WhiteFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinOffice2013WhiteUnregister);
}

}  // namespace

RTL_UNIT(dxSkinOffice2013White, &dxSkinOffice2013WhiteInitialization, &dxSkinOffice2013WhiteFinalization);

rtl::String TdxSkinOffice2013WhitePainter::LookAndFeelName()
{
  return L"Office2013White";
}
