#include "skins/dxSkinTheBezier.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinTheBezierPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"TheBezier", TdxSkinLookAndFeelPainterClass::Of<TdxSkinTheBezierPainter>()}};
  return painters;
}

void dxSkinTheBezierRegister()
{
  dxSkinsRegisterPainters(dxSkinTheBezierPainters());
}

void dxSkinTheBezierUnregister()
{
  dxSkinsUnregisterPainters(dxSkinTheBezierPainters());
}

void dxSkinTheBezierInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinTheBezierRegister, &dxSkinTheBezierUnregister);
}

void dxSkinTheBezierFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinTheBezierUnregister);
}

}  // namespace

RTL_UNIT(dxSkinTheBezier, &dxSkinTheBezierInitialization, &dxSkinTheBezierFinalization);

rtl::String TdxSkinTheBezierPainter::LookAndFeelName()
{
  return L"TheBezier";
}
