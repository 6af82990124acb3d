#include "skins/dxSkiniMaginary.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkiniMaginaryPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"iMaginary", TdxSkinLookAndFeelPainterClass::Of<TdxSkiniMaginaryPainter>()}};
  return painters;
}

void dxSkiniMaginaryRegister()
{
  dxSkinsRegisterPainters(dxSkiniMaginaryPainters());
}

void dxSkiniMaginaryUnregister()
{
  dxSkinsUnregisterPainters(dxSkiniMaginaryPainters());
}

void dxSkiniMaginaryInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkiniMaginaryRegister, &dxSkiniMaginaryUnregister);
}

void dxSkiniMaginaryFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkiniMaginaryUnregister);
}

}  // namespace

RTL_UNIT(dxSkiniMaginary, &dxSkiniMaginaryInitialization, &dxSkiniMaginaryFinalization);

rtl::String TdxSkiniMaginaryPainter::LookAndFeelName()
{
  return L"iMaginary";
}
