#include "pagecontrol/dxBuiltInPopupMenu.h"

#include <algorithm>
#include <vector>

#include "controls/cxPopupMenus.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Menus.h"

namespace {

// The registered classes in registration order; nil while none is.
std::vector<TdxCustomBuiltInPopupMenuAdapterClass>* AdapterClasses = nullptr;

vcl::TMenuItem* AsMenuItem(rtl::TComponent* AItem)
{
  return rtl::As<vcl::TMenuItem>(AItem);
}

void dxBuiltInPopupMenuInitialization()
{
  TdxBuiltInPopupMenuAdapterManager::Register(
      TdxCustomBuiltInPopupMenuAdapterClass::Of<TdxStandardBuiltInPopupMenuAdapter>());
}

void dxBuiltInPopupMenuFinalization()
{
  TdxBuiltInPopupMenuAdapterManager::Unregister(
      TdxCustomBuiltInPopupMenuAdapterClass::Of<TdxStandardBuiltInPopupMenuAdapter>());
}

}  // namespace

RTL_UNIT(dxBuiltInPopupMenu, &dxBuiltInPopupMenuInitialization, &dxBuiltInPopupMenuFinalization);

// ---------------------------------------------------------------------------
// TdxCustomBuiltInPopupMenuAdapter

void TdxCustomBuiltInPopupMenuAdapter::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FBiDiMode = vcl::TBiDiMode::bdLeftToRight;
  FIsBiDiModeAssigned = false;
}

vcl::TBiDiMode TdxCustomBuiltInPopupMenuAdapter::GetBiDiMode() const
{
  // The framework's application reads left to right.
  return FIsBiDiModeAssigned ? FBiDiMode : vcl::TBiDiMode::bdLeftToRight;
}

void TdxCustomBuiltInPopupMenuAdapter::SetBiDiMode(vcl::TBiDiMode AValue)
{
  FBiDiMode = AValue;
  FIsBiDiModeAssigned = true;
}

int TdxCustomBuiltInPopupMenuAdapter::GetItemCount()
{
  rtl::AbstractError();
}

rtl::TComponent* TdxCustomBuiltInPopupMenuAdapter::GetItem(int)
{
  rtl::AbstractError();
}

rtl::TComponent* TdxCustomBuiltInPopupMenuAdapter::GetPopupMenu()
{
  rtl::AbstractError();
}

rtl::TComponent* TdxCustomBuiltInPopupMenuAdapter::Add(const rtl::String&, rtl::TNotifyEvent, std::intptr_t,
                                                       vcl::TImageIndex, bool, vcl::TShortCut, rtl::TComponent*)
{
  rtl::AbstractError();
}

rtl::TComponent* TdxCustomBuiltInPopupMenuAdapter::AddSubMenu(const rtl::String&, rtl::TNotifyEvent, std::intptr_t,
                                                              vcl::TImageIndex, bool, vcl::TShortCut,
                                                              rtl::TComponent*)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::AddSeparator()
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::Clear()
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::Remove(rtl::TComponent* AItem)
{
  rtl::Free(AItem);
}

void TdxCustomBuiltInPopupMenuAdapter::SetAction(rtl::TComponent*, vcl::TBasicAction*)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::SetChecked(rtl::TComponent*, bool)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::SetDefault(rtl::TComponent*, bool)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::SetGlyph(rtl::TComponent*, vcl::TGraphic*)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::SetImages(vcl::TCustomImageList*)
{
  rtl::AbstractError();
}

void TdxCustomBuiltInPopupMenuAdapter::SetImages(rtl::TComponent*, vcl::TCustomImageList*)
{
  rtl::AbstractError();
}

bool TdxCustomBuiltInPopupMenuAdapter::Popup(const TPoint& P)
{
  return cxShowPopupMenuAtPoint(nullptr, GetPopupMenu(), P);
}

// ---------------------------------------------------------------------------
// TdxStandardBuiltInPopupMenuAdapter

void TdxStandardBuiltInPopupMenuAdapter::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FSeparatorRequired = false;
  FPopupMenu = rtl::New<vcl::TPopupMenu>(this);
}

int TdxStandardBuiltInPopupMenuAdapter::GetItemCount()
{
  return FPopupMenu->GetItems()->GetCount();
}

rtl::TComponent* TdxStandardBuiltInPopupMenuAdapter::GetItem(int AIndex)
{
  return FPopupMenu->GetItems()->GetItems(AIndex);
}

rtl::TComponent* TdxStandardBuiltInPopupMenuAdapter::GetPopupMenu()
{
  return FPopupMenu;
}

rtl::TComponent* TdxStandardBuiltInPopupMenuAdapter::Add(const rtl::String& ACaption, rtl::TNotifyEvent AClickEvent,
                                                         std::intptr_t ATag, vcl::TImageIndex AImageIndex, bool AEnabled,
                                                         vcl::TShortCut AShortCut, rtl::TComponent* AParentItem)
{
  if (FSeparatorRequired) {
    FSeparatorRequired = false;
    Add(L"-", rtl::TNotifyEvent(), 0, -1, true, 0, AParentItem);
  }
  vcl::TMenuItem* item = rtl::New<vcl::TMenuItem>(FPopupMenu);
  item->SetCaption(ACaption);
  item->SetTag(ATag);
  item->SetEnabled(AEnabled);
  item->SetImageIndex(AImageIndex);
  item->SetShortCut(AShortCut);
  item->SetOnClick(AClickEvent);
  try {
    if (AParentItem)
      AsMenuItem(AParentItem)->Add(item);
    else
      FPopupMenu->GetItems()->Add(item);
  } catch (...) {
    rtl::Free(item);
    throw;
  }
  return item;
}

rtl::TComponent* TdxStandardBuiltInPopupMenuAdapter::AddSubMenu(const rtl::String& ACaption,
                                                                rtl::TNotifyEvent AClickEvent, std::intptr_t ATag,
                                                                vcl::TImageIndex AImageIndex, bool AEnabled,
                                                                vcl::TShortCut AShortCut, rtl::TComponent* AParentItem)
{
  // A sub-menu is an item later items are added to.
  return Add(ACaption, AClickEvent, ATag, AImageIndex, AEnabled, AShortCut, AParentItem);
}

void TdxStandardBuiltInPopupMenuAdapter::Clear()
{
  FPopupMenu->GetItems()->Clear();
}

void TdxStandardBuiltInPopupMenuAdapter::SetAction(rtl::TComponent* AItem, vcl::TBasicAction* AValue)
{
  AsMenuItem(AItem)->SetAction(AValue);
}

void TdxStandardBuiltInPopupMenuAdapter::SetChecked(rtl::TComponent* AItem, bool AValue)
{
  AsMenuItem(AItem)->SetChecked(AValue);
}

void TdxStandardBuiltInPopupMenuAdapter::SetDefault(rtl::TComponent* AItem, bool AValue)
{
  AsMenuItem(AItem)->SetDefault(AValue);
}

void TdxStandardBuiltInPopupMenuAdapter::SetGlyph(rtl::TComponent* AItem, vcl::TGraphic* AGlyph)
{
  if (!AGlyph || AGlyph->GetEmpty())
    return;
  vcl::TMenuItem* item = AsMenuItem(AItem);
  if (rtl::Is<vcl::TBitmap>(AGlyph)) {
    item->SetBitmap(static_cast<vcl::TBitmap*>(AGlyph));
    return;
  }
  const rtl::TOwnedPtr<TcxBitmap> bitmap(cxGraphicToBitmap(AGlyph));
  item->SetBitmap(bitmap.get());
}

void TdxStandardBuiltInPopupMenuAdapter::SetImages(vcl::TCustomImageList* AImages)
{
  FPopupMenu->SetImages(AImages);
}

void TdxStandardBuiltInPopupMenuAdapter::SetImages(rtl::TComponent* AItem, vcl::TCustomImageList* AImages)
{
  AsMenuItem(AItem)->SetSubMenuImages(AImages);
}

// ---------------------------------------------------------------------------
// TdxBuiltInPopupMenuAdapterManager

void TdxBuiltInPopupMenuAdapterManager::Register(TdxCustomBuiltInPopupMenuAdapterClass AClass)
{
  if (!AdapterClasses)
    AdapterClasses = new std::vector<TdxCustomBuiltInPopupMenuAdapterClass>;
  AdapterClasses->push_back(AClass);
}

void TdxBuiltInPopupMenuAdapterManager::Unregister(TdxCustomBuiltInPopupMenuAdapterClass AClass)
{
  if (!AdapterClasses)
    return;
  const auto found = std::find_if(AdapterClasses->begin(), AdapterClasses->end(),
                                  [AClass](TdxCustomBuiltInPopupMenuAdapterClass C) {
                                    return C.ClassType() == AClass.ClassType();
                                  });
  if (found != AdapterClasses->end())
    AdapterClasses->erase(found);
  if (AdapterClasses->empty()) {
    delete AdapterClasses;
    AdapterClasses = nullptr;
  }
}

TdxCustomBuiltInPopupMenuAdapterClass TdxBuiltInPopupMenuAdapterManager::GetActualAdapterClass()
{
  // Nil rather than a read past an empty register.
  if (!AdapterClasses || AdapterClasses->empty())
    return nullptr;
  return AdapterClasses->back();
}

bool TdxBuiltInPopupMenuAdapterManager::IsActualAdapterStandard()
{
  return GetActualAdapterClass().ClassType() == TdxStandardBuiltInPopupMenuAdapter::StaticClass();
}

bool TdxBuiltInPopupMenuAdapterManager::HasRegister()
{
  return AdapterClasses != nullptr;
}
