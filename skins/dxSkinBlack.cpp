#include "skins/dxSkinBlack.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinBlackPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Black", TdxSkinLookAndFeelPainterClass::Of<TdxSkinBlackPainter>()}};
  return painters;
}

void dxSkinBlackRegister()
{
  dxSkinsRegisterPainters(dxSkinBlackPainters());
}

void dxSkinBlackUnregister()
{
  dxSkinsUnregisterPainters(dxSkinBlackPainters());
}

void dxSkinBlackInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinBlackRegister, &dxSkinBlackUnregister);
}

void dxSkinBlackFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinBlackUnregister);
}

}  // namespace

RTL_UNIT(dxSkinBlack, &dxSkinBlackInitialization, &dxSkinBlackFinalization);

rtl::String TdxSkinBlackPainter::LookAndFeelName()
{
  return L"Black";
}
