#include "skins/dxSkinsDefaultPainters.h"

#include "core/dxCore.h"
#include "lookandfeel/cxLookAndFeels.h"

namespace {

std::span<const TdxSkinPainterEntry> dxSkinsDefaultPaintersTable()
{
  // The painter's name and its resource differ for the user skin.
  static const TdxSkinPainterEntry painters[] = {
      {L"DefaultUserSkinData", TdxSkinLookAndFeelPainterClass::Of<TdxSkinsUserSkinPainter>()}};
  return painters;
}

void dxSkinsDefaultPaintersRegister()
{
  dxSkinsRegisterPainters(dxSkinsDefaultPaintersTable());
}

void dxSkinsDefaultPaintersUnregister()
{
  if (cxLookAndFeelPaintersManager())
    cxLookAndFeelPaintersManager()->Unregister(L"UserSkin");
}

void dxSkinsDefaultPaintersInitialization()
{
  dxGetUnitsLoader()->AddUnit(&dxSkinsDefaultPaintersRegister, &dxSkinsDefaultPaintersUnregister);
}

void dxSkinsDefaultPaintersFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&dxSkinsDefaultPaintersUnregister);
}

}  // namespace

RTL_UNIT(dxSkinsDefaultPainters, &dxSkinsDefaultPaintersInitialization, &dxSkinsDefaultPaintersFinalization);

void TdxSkinUserLookAndFeelPainterInfo::SkinChanged(TdxSkin* Sender)
{
  inherited::SkinChanged(Sender);
  if (TcxLookAndFeel* root = cxGetRootLookAndFeel())
    root->Refresh();
}

rtl::String TdxSkinsUserSkinPainter::LookAndFeelName()
{
  return L"UserSkin";
}

bool TdxSkinsUserSkinPainter::IsInternalPainter()
{
  return true;
}

TdxSkinLookAndFeelPainterInfoClass TdxSkinsUserSkinPainter::GetSkinInfoClass()
{
  return TdxSkinLookAndFeelPainterInfoClass::Of<TdxSkinUserLookAndFeelPainterInfo>();
}
