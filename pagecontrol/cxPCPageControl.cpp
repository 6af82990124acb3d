// The page control: a tab control whose tabs stand for child pages, exactly
// one of which, the active page, is visible and fills the page area.
#include "pagecontrol/cxPC.h"

#include <algorithm>

#include "core/dxCore.h"
#include "pagecontrol/cxPCConsts.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/Forms.h"

// ---------------------------------------------------------------------------
// TcxPageControlProperties

void TcxPageControlProperties::Destroy()
{
  for (TcxTabSheet* page : FPages)
    page->InternalSetPageControl(nullptr, nullptr);
  FPages.clear();
  inherited::Destroy();
}

TcxPageControl* TcxPageControlProperties::PageControl() const
{
  return static_cast<TcxPageControl*>(const_cast<TcxPageControlProperties*>(this)->GetOwner());
}

int TcxPageControlProperties::IndexOfPage(const TcxTabSheet* APage) const
{
  auto it = std::find(FPages.begin(), FPages.end(), APage);
  return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

bool TcxPageControlProperties::IsPageAccessible(TcxTabSheet* APage)
{
  return IsDesigning() || (APage->GetTabVisible() && (APage->GetEnabled() || GetAllowDisabledTabAccess()));
}

TcxTabSheet* TcxPageControlProperties::FindNextPage(TcxTabSheet* ACurrentPage, bool AGoForward,
                                                    bool ACheckTabAccessibility, bool ACircular)
{
  const int count = PageCount();
  if (count == 0)
    return nullptr;
  const int current = IndexOfPage(ACurrentPage);
  const int step = AGoForward ? 1 : -1;
  int index = current == -1 ? (AGoForward ? 0 : count - 1) : current + step;
  // A foreign current page may end on any page; otherwise the others only.
  const int tries = current == -1 ? count : count - 1;
  for (int i = 0; i < tries; ++i) {
    if (index < 0 || index >= count) {
      if (!ACircular)
        return nullptr;
      index = AGoForward ? 0 : count - 1;
    }
    TcxTabSheet* page = FPages[index];
    if (!ACheckTabAccessibility ||
        (page->GetTabVisible() && (page->GetEnabled() || GetAllowDisabledTabAccess())))
      return page;
    index += step;
  }
  return nullptr;
}

void TcxPageControlProperties::InsertPage(TcxTabSheet* APage)
{
  FPageInserting = true;
  TcxTab* tab;
  try {
    FPages.push_back(APage);
    tab = GetTabs()->GetTab(GetTabs()->Add(APage->GetCaption()));
  } catch (...) {
    FPageInserting = false;
    throw;
  }
  FPageInserting = false;
  APage->InternalSetPageControl(PageControl(), tab);
  UpdateTab(APage);
  if (!IsLoading() && !FActivePage && APage->GetTabVisible())
    SetActivePage(APage);
}

void TcxPageControlProperties::UpdateTab(TcxTabSheet* APage)
{
  TcxTab* tab = APage->GetTab();
  if (!tab || IsLoading())
    return;
  // One layout once the tab index agrees with the page again.
  BeginUpdate();
  try {
    tab->SetAllowCloseButton(APage->GetAllowCloseButton());
    tab->SetCaption(APage->GetCaption());
    tab->SetEnabled(APage->GetEnabled());
    tab->SetImageIndex(APage->GetImageIndex());
    tab->SetHighlighted(APage->GetHighlighted());
    tab->SetVisible(APage->GetTabVisible());
    if (APage == FActivePage)
      SyncTabIndex();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxPageControlProperties::RemovePage(TcxTabSheet* APage)
{
  const int index = IndexOfPage(APage);
  if (index == -1)
    return;
  LockChanging();
  try {
    TcxTabSheet* next = FActivePage;
    if (APage == FActivePage) {
      // The next accessible page after it, else the nearest one before it.
      next = nullptr;
      for (int i = index + 1; !next && i < PageCount(); ++i)
        if (IsPageAccessible(FPages[i]))
          next = FPages[i];
      for (int i = index - 1; !next && i >= 0; --i)
        if (IsPageAccessible(FPages[i]))
          next = FPages[i];
      FActivePage = nullptr;
    }
    FPages.erase(FPages.begin() + index);
    GetTabs()->Delete(index);
    APage->InternalSetPageControl(nullptr, nullptr);
    InternalSetTabIndex(-1);
    if (APage != next && next != FActivePage)
      ChangeActivePage(next);
    else
      SyncTabIndex();
  } catch (...) {
    UnlockChanging();
    throw;
  }
  UnlockChanging();
}

void TcxPageControlProperties::MovePage(TcxTabSheet* APage, int ANewIndex)
{
  if (ANewIndex > PageCount() - 1)
    throw rtl::EListError(
        rtl::Format(dxLookupResourceString(scxPCPageIndexError), {ANewIndex, PageCount() - 1}));
  const int index = IndexOfPage(APage);
  BeginUpdate();
  try {
    if (ANewIndex < 0 || index < 0)
      throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {ANewIndex}));
    FPages.erase(FPages.begin() + index);
    FPages.insert(FPages.begin() + ANewIndex, APage);
    GetTabs()->Move(index, ANewIndex);
    UpdateTab(APage);
    LockChangeEvents();
    SetTabIndex(FActivePage ? IndexOfPage(FActivePage) : -1);
    UnlockChangeEvents();
    for (int i = 0; i < PageCount(); ++i)
      FPages[i]->SetTabOrder(i);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TcxPageControlProperties::CanChangeActivePage(TcxTabSheet* APage)
{
  // No second switch while one is in progress.
  if (IsEventQueueActive())
    return false;
  bool allowChange = true;
  if (!IsChangingLocked() && FOnPageChanging)
    FOnPageChanging(this, APage, allowChange);
  return allowChange;
}

void TcxPageControlProperties::SetActivePage(TcxTabSheet* AValue)
{
  if (FActivePageSetting || IsDestroying() || (AValue && AValue->GetPageControl() != PageControl()))
    return;
  if (AValue == FActivePage) {
    SyncTabIndex();
    return;
  }
  if (!CanChangeActivePage(AValue))
    return;
  TcxTabSheet* old = FActivePage;
  ChangeActivePage(AValue);
  if (FActivePage != old) {
    NotifyChange();
    NotifyDesigner();
  }
}

void TcxPageControlProperties::ChangeActivePage(TcxTabSheet* APage)
{
  TcxTabSheet* old = FActivePage;
  TcxPageControl* pageControl = PageControl();
  LockNotifyEvents();
  try {
    vcl::TCustomForm* form = vcl::GetParentForm(pageControl);
    // The focus leaves the old page first; a control that keeps it cancels
    // the switch.
    if (old && form && form->GetActiveControl() && old->ContainsControl(form->GetActiveControl())) {
      form->SetActiveControl(old);
      if (form->GetActiveControl() != old) {
        SetTabIndex(IndexOfPage(old));
        UnlockNotifyEvents();
        return;
      }
    }
    vcl::TWinControl* focusTarget = nullptr;
    if (old && form && form->GetActiveControl() == old)
      focusTarget = APage && APage->GetEnabled() && pageControl->CanFocus() ? static_cast<vcl::TWinControl*>(APage)
                                                                            : pageControl;
    if (APage) {
      APage->BringToFront();
      APage->SetVisible(true);
      APage->DoShow();
      if (focusTarget && focusTarget->CanFocus())
        form->SetActiveControl(focusTarget);
    }
    if (old) {
      old->SetVisible(false);
      old->DoHide();
    }
    FActivePage = APage;
    if (APage)
      APage->Invalidate();
  } catch (...) {
    UnlockNotifyEvents();
    throw;
  }
  UnlockNotifyEvents();
  SyncTabIndex();
}

void TcxPageControlProperties::SyncTabIndex()
{
  BeginUpdate();
  FActivePageSetting = true;
  try {
    SetTabIndex(FActivePage && FActivePage->GetTabVisible() ? IndexOfPage(FActivePage) : -1);
  } catch (...) {
    FActivePageSetting = false;
    EndUpdate();
    throw;
  }
  FActivePageSetting = false;
  EndUpdate();
}

void TcxPageControlProperties::DoChanging(int AIndex, bool& AllowChange)
{
  inherited::DoChanging(AIndex, AllowChange);
  if (AllowChange && AIndex != -1 && AIndex < PageCount())
    AllowChange = CanChangeActivePage(FPages[AIndex]);
}

void TcxPageControlProperties::DoChange()
{
  if (FActivePageSetting)
    return;
  TcxTabSheet* old = FActivePage;
  const int index = GetTabIndex();
  BeginUpdate();
  try {
    TcxTabSheet* page = index >= 0 && index < PageCount() ? FPages[index] : nullptr;
    if (page != FActivePage)
      ChangeActivePage(page);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  CancelUpdate();
  if (FActivePage != old)
    NotifyChange();
}

void TcxPageControlProperties::DoCloseTab(int AIndex)
{
  // Freeing the page removes it, and the removal picks the next page.
  rtl::Free(FPages[AIndex]);
}

int TcxPageControlProperties::CreateNewTab()
{
  TcxTabSheet* page = rtl::New<TcxTabSheet>(nullptr);
  page->SetPageControl(PageControl());
  const int index = IndexOfPage(page);
  page->SetImageIndex(index);
  return index;
}

void TcxPageControlProperties::GetTabHintText(TcxTab* ATab, bool& ACanShow, rtl::String& AHint)
{
  inherited::GetTabHintText(ATab, ACanShow, AHint);
  const int index = ATab->GetIndex();
  if (index >= 0 && index < PageCount() && !FPages[index]->GetTabHint().empty()) {
    AHint = FPages[index]->GetTabHint();
    ACanShow = true;
  }
}

bool TcxPageControlProperties::CanShowTabCloseButton(TcxTab* ATab)
{
  const int index = ATab->GetIndex();
  return index >= 0 && index < PageCount() ? FPages[index]->GetAllowCloseButton() : ATab->GetAllowCloseButton();
}

void TcxPageControlProperties::MoveTab(int ACurIndex, int ANewIndex)
{
  FPages[ACurIndex]->SetPageIndex(ANewIndex);
}

// ---------------------------------------------------------------------------
// TcxPageControl

void TcxPageControl::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetControlStyle(GetControlStyle() + vcl::TControlStyle{vcl::TControlStyleItem::csAcceptsControls});
  GetPageProperties()->SetOnPageChanging(TcxPageChangingEvent::Bind<&TcxPageControl::PageChangingHandler>(this));
}

rtl::ClassOf<TcxCustomTabControlViewInfo> TcxPageControl::ViewInfoClass() const
{
  return rtl::ClassOf<TcxCustomTabControlViewInfo>::Of<TcxPageControlViewInfo>();
}

rtl::ClassOf<TcxCustomTabControlProperties> TcxPageControl::PropertiesClass() const
{
  return rtl::ClassOf<TcxCustomTabControlProperties>::Of<TcxPageControlProperties>();
}

TcxPageControlProperties* TcxPageControl::GetPageProperties() const
{
  return static_cast<TcxPageControlProperties*>(GetPropertiesObject());
}

void TcxPageControl::PageChangingHandler(rtl::TObject*, TcxTabSheet* ANewPage, bool& AllowChange)
{
  if (!IsChangeEventLocked() && FOnPageChanging)
    FOnPageChanging(this, ANewPage, AllowChange);
}

int TcxPageControl::GetActivePageIndex() const
{
  TcxTabSheet* page = GetActivePage();
  return page ? GetPageProperties()->IndexOfPage(page) : -1;
}

void TcxPageControl::SetActivePageIndex(int AValue)
{
  SetActivePage(AValue >= 0 && AValue < GetPageCount() ? GetPage(AValue) : nullptr);
}

void TcxPageControl::SelectNextPage(bool AGoForward, bool ACheckTabVisible)
{
  TcxTabSheet* page = FindNextPage(GetActivePage(), AGoForward, ACheckTabVisible);
  if (page && page != GetActivePage())
    SetActivePage(page);
}

void TcxPageControl::GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent*)
{
  // The pages in page order, so that they stream back in that order.
  for (int i = 0; i < GetPageCount(); ++i)
    AProc(GetPage(i));
}

void TcxPageControl::AfterLoad()
{
  TcxPageControlProperties* properties = GetPageProperties();
  properties->BeginUpdate();
  try {
    inherited::AfterLoad();
    for (int i = 0; i < GetPageCount(); ++i)
      properties->UpdateTab(GetPage(i));
    TcxTabSheet* active = GetActivePage();
    if (!IsDesigning() && active && !active->GetEnabled() && !properties->GetAllowDisabledTabAccess())
      SetActivePage(nullptr);
  } catch (...) {
    properties->EndUpdate();
    throw;
  }
  properties->EndUpdate();
}

// ---------------------------------------------------------------------------
// TcxTabSheet

void TcxTabSheet::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FAllowCloseButton = true;
  FImageIndex = -1;
  FTabVisible = true;
  SetAlign(vcl::TAlign::alClient);
  SetControlStyle(GetControlStyle() + vcl::TControlStyle{vcl::TControlStyleItem::csAcceptsControls,
                                                          vcl::TControlStyleItem::csNoDesignVisible});
  SetVisible(false);
  SetTabStop(false);
}

void TcxTabSheet::Destroy()
{
  if (FPageControl)
    FPageControl->GetPageProperties()->RemovePage(this);
  inherited::Destroy();
}

void TcxTabSheet::SetPageControl(TcxPageControl* AValue)
{
  if (FPageControl != AValue)
    SetParent(AValue);
}

void TcxTabSheet::SetParent(vcl::TWinControl* AParent)
{
  // A page lives in a page control or nowhere.
  if (AParent && !rtl::Is<TcxPageControl>(AParent))
    return;
  if (FPageControl && AParent != FPageControl)
    FPageControl->GetPageProperties()->RemovePage(this);
  inherited::SetParent(AParent);
  if (AParent && !FPageControl)
    static_cast<TcxPageControl*>(AParent)->GetPageProperties()->InsertPage(this);
}

int TcxTabSheet::GetPageIndex() const
{
  return FPageControl ? FPageControl->GetPageProperties()->IndexOfPage(this) : -1;
}

void TcxTabSheet::SetPageIndex(int AValue)
{
  if (FPageControl)
    FPageControl->GetPageProperties()->MovePage(this, AValue);
}

int TcxTabSheet::GetTabIndex() const
{
  return FTab ? FTab->GetVisibleIndex() : -1;
}

void TcxTabSheet::Changed()
{
  if (FPageControl)
    FPageControl->GetPageProperties()->UpdateTab(this);
}

void TcxTabSheet::SetAllowCloseButton(bool AValue)
{
  if (FAllowCloseButton != AValue) {
    FAllowCloseButton = AValue;
    Changed();
  }
}

void TcxTabSheet::SetHighlighted(bool AValue)
{
  if (FHighlighted != AValue) {
    FHighlighted = AValue;
    Changed();
  }
}

void TcxTabSheet::SetImageIndex(int AValue)
{
  if (FImageIndex != AValue) {
    FImageIndex = AValue;
    Changed();
  }
}

void TcxTabSheet::SetTabVisible(bool AValue)
{
  if (FTabVisible == AValue)
    return;
  FTabVisible = AValue;
  Changed();
  if (AValue && FPageControl && FPageControl->GetPageCount() == 1 && !FPageControl->GetActivePage())
    FPageControl->SetActivePage(this);
}

void TcxTabSheet::CMTextChanged(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  Changed();
}

void TcxTabSheet::CMEnabledChanged(rtl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  Changed();
}

void TcxTabSheet::DoShow()
{
  if (!FOnShow)
    return;
  if (FPageControl && FPageControl->GetPageProperties()->IsEventQueueActive())
    FPageControl->GetPageProperties()->QueueEvent(this, FOnShow);
  else
    FOnShow(this);
}

void TcxTabSheet::DoHide()
{
  if (!FOnHide)
    return;
  if (FPageControl && FPageControl->GetPageProperties()->IsEventQueueActive())
    FPageControl->GetPageProperties()->QueueEvent(this, FOnHide);
  else
    FOnHide(this);
}

void TcxTabSheet::Paint()
{
  // The page shows the page control's page area, so gradients and skin
  // panes line up across the pages.
  if (!FPageControl || !FPageControl->GetPCPainter()) {
    inherited::Paint();
    return;
  }
  const rtl::TOwnedPtr<TcxCanvas> canvas(rtl::New<TcxCanvas>(GetCanvas()));
  const TPoint origin = canvas->GetWindowOrg();
  canvas->SetWindowOrg(TPoint{GetLeft(), GetTop()});
  FPageControl->GetPCPainter()->PaintPageClientArea(canvas.get());
  canvas->SetWindowOrg(origin);
}

// ---------------------------------------------------------------------------
// TcxPageControlViewInfo

TcxTabSheet* TcxPageControlViewInfo::ActivePage() const
{
  auto* properties = rtl::As<TcxPageControlProperties>(Properties());
  return properties ? properties->GetActivePage() : nullptr;
}

vcl::TColor TcxPageControlViewInfo::GetTabColor(int AVisibleIndex) const
{
  const vcl::TColor color = inherited::GetTabColor(AVisibleIndex);
  TcxTabViewInfo* tab = GetTabViewInfo(AVisibleIndex);
  auto* properties = rtl::As<TcxPageControlProperties>(Properties());
  if (color != vcl::clDefault || tab->GetTab()->IsNewButton() || !properties)
    return color;
  const int index = tab->GetIndex();
  if (index < 0 || index >= properties->PageCount())
    return color;
  const bool pageColors = properties->GetOptions().Contains(TcxPCOption::pcoUsePageColorForTab) ||
                          (Painter() && Painter()->UsePageColorForTab());
  TcxTabSheet* page = properties->GetPage(index);
  return pageColors && !page->GetParentColor() ? page->GetColor() : color;
}

bool TcxPageControlViewInfo::HasPage() const
{
  return ActivePage() != nullptr;
}

vcl::TColor TcxPageControlViewInfo::GetActivePageColor() const
{
  TcxTabSheet* page = ActivePage();
  return page ? page->GetColor() : vcl::clNone;
}

bool TcxPageControlViewInfo::HasOwnPageColor() const
{
  TcxTabSheet* page = ActivePage();
  return page && !page->GetParentColor();
}
