#include "skins/dxSkinLilian.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinLilianPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Lilian", TdxSkinLookAndFeelPainterClass::Of<TdxSkinLilianPainter>()}};
  return painters;
}

void dxSkinLilianRegister()
{
  dxSkinsRegisterPainters(dxSkinLilianPainters());
}

void dxSkinLilianUnregister()
{
  dxSkinsUnregisterPainters(dxSkinLilianPainters());
}

void dxSkinLilianInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinLilianRegister, &dxSkinLilianUnregister);
}

void dxSkinLilianFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinLilianUnregister);
}

}  // namespace

RTL_UNIT(dxSkinLilian, &dxSkinLilianInitialization, &dxSkinLilianFinalization);

rtl::String TdxSkinLilianPainter::LookAndFeelName()
{
  return L"Lilian";
}
