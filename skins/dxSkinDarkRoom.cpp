#include "skins/dxSkinDarkRoom.h"

#include "core/dxCore.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinDarkRoomPainters()
{
  static const TdxSkinPainterEntry painters[] = {
      {L"Darkroom", TdxSkinLookAndFeelPainterClass::Of<TdxSkinDarkroomPainter>()}};
  return painters;
}

void dxSkinDarkRoomRegister()
{
  dxSkinsRegisterPainters(dxSkinDarkRoomPainters());
}

void dxSkinDarkRoomUnregister()
{
  dxSkinsUnregisterPainters(dxSkinDarkRoomPainters());
}

void dxSkinDarkRoomInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinDarkRoomRegister, &dxSkinDarkRoomUnregister);
}

void dxSkinDarkRoomFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinDarkRoomUnregister);
}

}  // namespace

RTL_UNIT(dxSkinDarkRoom, &dxSkinDarkRoomInitialization, &dxSkinDarkRoomFinalization);

rtl::String TdxSkinDarkroomPainter::LookAndFeelName()
{
  return L"Darkroom";
}
