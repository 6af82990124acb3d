#include "controls/cxCustomPopupWindow.h"

#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "controls/dxMessages.h"
#include "core/cxClasses.h"
#include "core/dxHooks.h"
#include "platform/vcl/Forms.h"

namespace {

// The list of the visible popups; made on first use, gone after shut-down.
TcxPopupVisibleController* gVisibleController = nullptr;
bool gVisibleControllerFinalized = false;
// A popup is being shown: the window-procedure hook keeps the owner's
// caption active meanwhile.
int gShowingPopup = 0;
// A click outside is closing popups: likewise.
int gClosingByClick = 0;
// SetWindowEnabled is enabling or disabling a popup's window.
int gPopupEnabledChanging = 0;

// The object as a T, or nil when it is none.
template <class T>
T* AsOrNil(rtl::TObject* AObject)
{
  return rtl::Is<T>(AObject) ? static_cast<T*>(AObject) : nullptr;
}

bool IsDestroying(const rtl::TComponent* AComponent)
{
  return AComponent && AComponent->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

HWND ControlWindow(vcl::TWinControl* AControl)
{
  return AControl && AControl->HandleAllocated() ? AControl->GetHandle() : nullptr;
}

// Raises a counter for the life of a scope.
class TFlagRaise {
 public:
  explicit TFlagRaise(int& AFlag) : FFlag(AFlag) { ++FFlag; }
  ~TFlagRaise() { --FFlag; }
  TFlagRaise(const TFlagRaise&) = delete;
  TFlagRaise& operator=(const TFlagRaise&) = delete;

 private:
  int& FFlag;
};

// A weak link released on every path.
class TWeakLinkGuard {
 public:
  explicit TWeakLinkGuard(rtl::TObject* AObject) : FLink(cxCreateWeakLink(AObject)) {}
  ~TWeakLinkGuard() { cxFreeWeakLink(FLink); }
  TWeakLinkGuard(const TWeakLinkGuard&) = delete;
  TWeakLinkGuard& operator=(const TWeakLinkGuard&) = delete;
  bool Alive() const { return FLink->Ref != nullptr; }

 private:
  TcxObjectLink* FLink;
};

}  // namespace

TcxPopupVisibleController* cxPopupVisibleController()
{
  if (!gVisibleController && !gVisibleControllerFinalized)
    gVisibleController = rtl::New<TcxPopupVisibleController>();
  return gVisibleController;
}

bool cxIsPopupEnabledChanging()
{
  return gPopupEnabledChanging != 0;
}

// ---------------------------------------------------------------------------
// Window relationships

// A child of the desktop (a popup that does not take the focus) is a
// top-level window of its own.
HWND cxGetTopLevelWindow(HWND AWnd)
{
  const HWND desktop = GetDesktopWindow();
  while (AWnd && (GetWindowLongW(AWnd, GWL_STYLE) & WS_CHILD)) {
    const HWND parent = GetParent(AWnd);
    if (!parent || parent == desktop)
      break;
    AWnd = parent;
  }
  return AWnd;
}

bool cxIsRelatedWindow(HWND AParent, HWND AWnd)
{
  if (!AParent || !AWnd || AParent == AWnd)
    return false;
  // A chain of popups is finite; the guard stops an owner loop all the same.
  for (int depth = 0; depth < 64; ++depth) {
    if (AWnd == AParent || IsChild(AParent, AWnd))
      return true;
    vcl::TWinControl* root = cxFindControlByWindow(cxGetTopLevelWindow(AWnd));
    rtl::IPtr<IdxPopupControl> popup;
    if (!root || !rtl::Supports(root, &popup))
      return false;
    const HWND owner = ControlWindow(popup->GetOwnerControl());
    if (!owner)
      return false;
    AWnd = owner;
  }
  return false;
}

bool cxIsControlRelatedWindow(vcl::TWinControl* AControl, HWND AWnd)
{
  const HWND wnd = ControlWindow(AControl);
  return wnd && cxIsRelatedWindow(wnd, AWnd);
}

bool cxIsControlHandle(vcl::TWinControl* AControl, HWND AWnd, bool ACheckChildren)
{
  const HWND wnd = ControlWindow(AControl);
  if (!wnd)
    return false;
  return wnd == AWnd || (ACheckChildren && cxIsRelatedWindow(wnd, AWnd));
}

namespace {

bool IsWindowOfControlTree(vcl::TWinControl* AControl, HWND AWnd)
{
  for (int i = 0; i < AControl->GetControlCount(); ++i) {
    auto* child = AsOrNil<vcl::TWinControl>(AControl->GetControls(i));
    if (!child)
      continue;
    const HWND wnd = ControlWindow(child);
    if (wnd && (wnd == AWnd || IsChild(wnd, AWnd)))
      return true;
    if (IsWindowOfControlTree(child, AWnd))
      return true;
  }
  return false;
}

}  // namespace

bool cxIsRelatedToPopupWindow(TcxCustomPopupWindow* APopup, HWND AWnd)
{
  const HWND popupWnd = APopup ? ControlWindow(APopup) : nullptr;
  if (!APopup || !AWnd || AWnd == popupWnd)
    return false;
  if (popupWnd && IsChild(popupWnd, AWnd))
    return true;
  if (IsWindowOfControlTree(APopup, AWnd))
    return true;
  TcxPopupVisibleController* list = cxPopupVisibleController();
  if (!list)
    return false;
  for (int i = 0; i < list->Count(); ++i) {
    TcxCustomPopupWindow* other = list->Items(i);
    if (other == APopup)
      continue;
    vcl::TWinControl* owner = other->GetOwnerControl();
    if (!owner || (vcl::GetParentForm(owner) != APopup && owner != APopup))
      continue;
    const HWND otherWnd = ControlWindow(other);
    if (otherWnd && (otherWnd == AWnd || IsChild(otherWnd, AWnd) || IsWindowOfControlTree(other, AWnd)))
      return true;
  }
  return false;
}

HWND cxGetPopupOwnerWindow(HWND AWnd)
{
  for (HWND wnd = AWnd; wnd; wnd = GetParent(wnd)) {
    auto* popup = AsOrNil<TcxCustomPopupWindow>(cxFindControlByWindow(wnd));
    if (popup) {
      const HWND owner = ControlWindow(popup->GetOwnerControl());
      return owner ? owner : AWnd;
    }
  }
  return AWnd;
}

bool cxIsActiveWindow(HWND AWnd)
{
  return AWnd && GetActiveWindow() == AWnd;
}

bool cxIsFormTopLevelActive(vcl::TCustomForm* AForm)
{
  const HWND wnd = ControlWindow(AForm);
  return wnd && cxIsActiveWindow(cxGetTopLevelWindow(wnd));
}

bool cxIsFormOrOwnerActive(vcl::TCustomForm* AForm)
{
  const HWND wnd = ControlWindow(AForm);
  return wnd && (cxIsActiveWindow(wnd) || cxIsFormTopLevelActive(AForm));
}

bool cxIsMouseButtonDownMessage(UINT AMsg)
{
  switch (AMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void cxLockActivateMessage(bool ALock)
{
  TdxMessagesController* controller = cxGetMessagesController();
  if (!controller)
    return;
  if (ALock)
    controller->LockMessages({vcl::CM_ACTIVATE, vcl::CM_DEACTIVATE});
  else
    controller->UnlockMessages({vcl::CM_ACTIVATE, vcl::CM_DEACTIVATE});
}

void cxDisableWindowAndRemember(std::vector<HWND>& AList, HWND AWnd)
{
  if (AWnd && IsWindowEnabled(AWnd)) {
    EnableWindow(AWnd, FALSE);
    AList.push_back(AWnd);
  }
}

void cxReenableWindows(const std::vector<HWND>& AList)
{
  for (HWND wnd : AList)
    if (IsWindow(wnd))
      EnableWindow(wnd, TRUE);
}

// ---------------------------------------------------------------------------
// TcxPopupVisibleController

void TcxPopupVisibleController::Register(TcxCustomPopupWindow* AItem)
{
  if (!IsVisible(AItem))
    FItems.push_back(AItem);
}

void TcxPopupVisibleController::UnRegister(TcxCustomPopupWindow* AItem)
{
  std::erase(FItems, AItem);
}

bool TcxPopupVisibleController::IsVisible(const TcxCustomPopupWindow* AItem) const
{
  return std::find(FItems.begin(), FItems.end(), AItem) != FItems.end();
}

void TcxPopupVisibleController::CloseRelated(HWND AWnd)
{
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    TcxCustomPopupWindow* popup = FItems[i];
    if (IsDestroying(popup) || IsDestroying(popup->GetOwnerControl()) || !popup->HandleAllocated() ||
        !cxIsRelatedWindow(AWnd, popup->GetHandle()))
      continue;
    // The later popups first; each CloseUp leaves the list.
    while (FItems.size() > i)
      FItems.back()->CloseUp();
    return;
  }
}

void TcxPopupVisibleController::CloseUnRelated(HWND AWnd)
{
  for (bool closed = true; closed;) {
    closed = false;
    for (TcxCustomPopupWindow* popup : FItems) {
      const bool capturesInactive = popup->GetCaptureFocus() && !popup->GetShowWithoutActivation() &&
                                    !cxIsActiveWindow(ControlWindow(popup));
      if (capturesInactive || cxIsControlHandle(popup, AWnd, true))
        continue;
      popup->CloseUp();
      closed = true;
      break;
    }
  }
}

void cxCloseUnrelatedPopups(HWND AWnd)
{
  if (TcxPopupVisibleController* list = cxPopupVisibleController())
    list->CloseUnRelated(AWnd);
}

// ---------------------------------------------------------------------------
// TcxCustomPopupWindow: creation

void TcxCustomPopupWindow::Create(vcl::TWinControl* AOwnerControl)
{
  TcxPopupWindow::Create();
  FOwnerControl = AOwnerControl;
  FCaptureFocus = true;
  FDeactivateLockCount = 0;
  FDeactivation = false;
  FFocusedControl = nullptr;
  FIsPopup = false;
  FIsTopMost = false;
  FJustClosed = false;
  FModalMode = true;
  FTerminateOnDestroy = false;
  FPrevActiveForm = nullptr;
  FPrevActiveControl = nullptr;
  FShowWithoutActivation = false;
  FCreatingHandle = false;
  SetKeyPreview(true);
  // A control with its own scale factor scales the popup itself.
  SetScaled(!(AOwnerControl && rtl::Supports(AOwnerControl, rtl::IIDOf<IdxScaleFactor>())));
  FStyle = rtl::NewWith<TcxContainerStyle>([this](TcxContainerStyle* S) {
    S->Create(this, false, nullptr, TcxContainerStateItem::csNormal);
  });
  FStyle->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxCustomPopupWindow::StyleChangedHandler>(this));
  FViewInfo = GetViewInfoClass().Create();
  FViewInfo->UpdateStyle(FStyle);
}

void TcxCustomPopupWindow::Destroy()
{
  cxResetWeakLinks(this);
  if (TcxPopupVisibleController* list = cxPopupVisibleController())
    list->UnRegister(this);
  rtl::Free(FViewInfo);
  FViewInfo = nullptr;
  if (FStyle)
    FStyle->SetOnChanged({});
  rtl::Free(FStyle);
  FStyle = nullptr;
  inherited::Destroy();
}

TcxContainerStyleClass TcxCustomPopupWindow::GetStyleClass()
{
  return TcxContainerStyleClass::Of<TcxContainerStyle>();
}

TcxContainerViewInfoClass TcxCustomPopupWindow::GetViewInfoClass()
{
  return TcxContainerViewInfoClass::Of<TcxContainerViewInfo>();
}

void TcxCustomPopupWindow::CreateParams(vcl::TCreateParams& AParams)
{
  inherited::CreateParams(AParams);
  vcl::TCustomForm* ownerForm = GetOwnerParentForm();
  if (FCaptureFocus) {
    AParams.Style = (AParams.Style & ~WS_CHILD) | WS_POPUP;
    AParams.WndParent = ControlWindow(ownerForm);
    const bool ownerTopMost =
        !ownerForm || (ControlWindow(ownerForm) && (GetWindowLongW(ownerForm->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    if (FIsTopMost && ownerTopMost)
      AParams.ExStyle |= WS_EX_TOPMOST;
    else
      AParams.ExStyle &= ~WS_EX_TOPMOST;
  } else {
    // A child of the desktop never takes the activation from its owner.
    AParams.Style = WS_CHILD;
    AParams.ExStyle |= WS_EX_TOOLWINDOW;
    AParams.WndParent = GetDesktopWindow();
  }
  AParams.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateHandle()
{
  FCreatingHandle = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{FCreatingHandle};
  inherited::CreateHandle();
}

bool TcxCustomPopupWindow::IsVisible()
{
  TcxPopupVisibleController* list = cxPopupVisibleController();
  return FCreatingHandle || (list && list->IsVisible(this));
}

bool TcxCustomPopupWindow::Focused()
{
  if (!IsVisible() || !FCaptureFocus || !HandleAllocated())
    return false;
  const HWND focus = GetFocus();
  return focus == GetHandle() || cxIsRelatedToPopupWindow(this, focus);
}

bool TcxCustomPopupWindow::HasCapture()
{
  return HandleAllocated() && GetCapture() == GetHandle();
}

bool TcxCustomPopupWindow::IsShortCut(vcl::TWMKey& AMessage)
{
  if (inherited::IsShortCut(AMessage))
    return true;
  vcl::TCustomForm* form = GetOwnerParentForm();
  return form && form != this && form->IsShortCut(AMessage);
}

bool TcxCustomPopupWindow::SetFocusedControl(vcl::TWinControl* AControl)
{
  if (IsDestroying(AControl))
    return false;
  cxLockActivateMessage(true);
  struct TUnlock {
    ~TUnlock() { cxLockActivateMessage(false); }
  } unlock;
  return inherited::SetFocusedControl(AControl);
}

void TcxCustomPopupWindow::SetWindowEnabled(bool AEnabled)
{
  if (!HandleAllocated())
    return;
  TFlagRaise raise(gPopupEnabledChanging);
  EnableWindow(GetHandle(), AEnabled);
}

bool TcxCustomPopupWindow::JustClosed()
{
  return std::exchange(FJustClosed, false);
}

void TcxCustomPopupWindow::Reopen()
{
  if (!IsVisible()) {
    if (HandleAllocated())
      RecreateWnd();
    return;
  }
  vcl::TWinControl* focused = FFocusedControl;
  CloseUp();
  if (HandleAllocated())
    RecreateWnd();
  // The local loop of a modal popup must not run inside the setter: the
  // reopening is posted.
  if (HandleAllocated() && FCaptureFocus && FModalMode) {
    FFocusedControl = focused;
    PostMessageW(GetHandle(), DXM_SHOWPOPUPWINDOW, 0, 0);
  } else {
    Popup(focused);
  }
}

void TcxCustomPopupWindow::SetCaptureFocus(bool AValue)
{
  if (FCaptureFocus == AValue)
    return;
  FCaptureFocus = AValue;
  Reopen();
}

void TcxCustomPopupWindow::SetIsTopMost(bool AValue)
{
  if (FIsTopMost == AValue)
    return;
  FIsTopMost = AValue;
  Reopen();
}

vcl::TCustomForm* TcxCustomPopupWindow::GetOwnerParentForm()
{
  return FOwnerControl ? vcl::GetParentForm(FOwnerControl) : nullptr;
}

// ---------------------------------------------------------------------------
// Showing

bool TcxCustomPopupWindow::IsOwnerBoundsRelative()
{
  const HWND owner = ControlWindow(FOwnerControl);
  return owner && cxIsChildStyleWindow(owner);
}

void TcxCustomPopupWindow::InitPopup()
{
  inherited::InitPopup();
  FPrevActiveForm = cxGetActiveForm();
  if (FPrevActiveForm)
    FPrevActiveForm->FreeNotification(this);
  FPrevActiveControl = vcl::Screen()->GetActiveControl();
  if (FPrevActiveControl)
    FPrevActiveControl->FreeNotification(this);
  rtl::IPtr<IdxScaleFactor> scalable;
  if (FOwnerControl && rtl::Supports(FOwnerControl, &scalable)) {
    const int ppi = scalable->GetScaleFactor()->Apply(96);
    if (ppi != GetPixelsPerInch())
      ScaleForPPI(ppi);
  }
}

void TcxCustomPopupWindow::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation != rtl::TOperation::opRemove)
    return;
  if (AComponent == FPrevActiveForm)
    FPrevActiveForm = nullptr;
  if (AComponent == FPrevActiveControl)
    FPrevActiveControl = nullptr;
  if (AComponent == FFocusedControl)
    FFocusedControl = nullptr;
}

void TcxCustomPopupWindow::CorrectBoundsWithDesktopWorkArea(TPoint& APosition, TSize& ASize)
{
  if (!NeedsWorkAreaCorrection())
    return;
  const TRect owner = GetOwnerScreenBounds();
  const TRect area = GetWorkArea({owner.left, owner.top});
  if (APosition.x < area.left) {
    ASize.cx -= area.left - APosition.x;
    APosition.x = area.left;
  }
  if (APosition.y < area.top) {
    ASize.cy -= area.top - APosition.y;
    APosition.y = area.top;
  }
  ASize.cx = std::min<int>(ASize.cx, area.right - APosition.x);
  ASize.cy = std::min<int>(ASize.cy, area.bottom - APosition.y);
}

void TcxCustomPopupWindow::Popup(vcl::TWinControl* AFocusedControl)
{
  TcxPopupVisibleController* list = cxPopupVisibleController();
  if (!list || IsVisible() || !cxIsControlWindowVisible(FOwnerControl) ||
      (list->IsAnyVisible() && FShowWithoutActivation))
    return;
  ShowPopup(AFocusedControl);
  if (FCaptureFocus && FModalMode)
    RunModalLoop();
}

void TcxCustomPopupWindow::ShowPopup(vcl::TWinControl* AFocusedControl)
{
  FIsPopup = true;
  InitPopup();
  TSize size{GetWidth(), GetHeight()};
  CalculateSize(size);
  TPoint pos{};
  CalculatePosition(size, pos);
  CorrectBoundsWithDesktopWorkArea(pos, size);
  {
    TFlagRaise showing(gShowingPopup);
    cxPopupVisibleController()->Register(this);
    DoShowing();
    SetBounds(pos.x, pos.y, size.cx, size.cy);
    if (FShowWithoutActivation) {
      SetVisible(true);
    } else {
      Show();
    }
    SetBounds(pos.x, pos.y, size.cx, size.cy);
  }
  if (!FShowWithoutActivation) {
    vcl::TWinControl* focus = AFocusedControl;
    if (FCaptureFocus && !(AFocusedControl && AFocusedControl->CanFocus() && AFocusedControl->GetTabStop())) {
      focus = nullptr;
      for (int i = 0; i < GetControlCount() && !focus; ++i) {
        auto* child = AsOrNil<vcl::TWinControl>(GetControls(i));
        if (child && child->GetTabStop() && child->CanFocus())
          focus = child;
      }
    }
    if (focus && focus->CanFocus())
      focus->SetFocus();
    else if (FCaptureFocus && HandleAllocated())
      SetFocus();
    FFocusedControl = focus;
    if (FFocusedControl)
      FFocusedControl->FreeNotification(this);
  }
  if (HandleAllocated()) {
    vcl::TCustomForm* ownerForm = GetOwnerParentForm();
    const bool topMost = !FCaptureFocus || !ownerForm ||
                         (ControlWindow(ownerForm) &&
                          (GetWindowLongW(ownerForm->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    SetWindowPos(GetHandle(), topMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  SetModalResult(vcl::mrNone);
  DoShowed();
}

// The popup's own loop: it returns when the popup is gone, hidden or the
// application ends. Enter, Alt and Space pressed with Alt would otherwise
// open the owner form's system menu under the popup.
void TcxCustomPopupWindow::RunModalLoop()
{
  TWeakLinkGuard self(this);
  vcl::TApplication* application = vcl::Application();
  while (self.Alive() && GetVisible() && !application->GetTerminated()) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
      PeekMessageW(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (GetModalResult() != vcl::mrNone) {
      if (CloseQuery())
        ModalCloseUp();
      else
        SetModalResult(vcl::mrNone);
      continue;
    }
    application->HandleMessage();
  }
}

// ---------------------------------------------------------------------------
// Closing

void TcxCustomPopupWindow::CloseUp()
{
  try {
    DoBeforeClosing();
  } catch (...) {
    vcl::Application()->HandleException(this);
  }
  FIsPopup = false;
  TcxPopupVisibleController* list = cxPopupVisibleController();
  if (list && list->IsVisible(this)) {
    cxLockActivateMessage(true);
    struct TUnlock {
      ~TUnlock() { cxLockActivateMessage(false); }
    } unlock;
    list->UnRegister(this);
    DoClosing();
    if (HandleAllocated())
      ShowWindow(GetHandle(), SW_HIDE);
    Hide();
    if (!FShowWithoutActivation)
      RestoreFocus();
    DoClosed();
    const HWND capture = GetCapture();
    if (capture && HandleAllocated() && (capture == GetHandle() || cxIsRelatedToPopupWindow(this, capture)))
      ReleaseCapture();
  }
  if (list && !list->IsAnyVisible()) {
    vcl::TCustomForm* form = GetOwnerParentForm();
    const HWND formWnd = ControlWindow(form);
    if (formWnd && !cxIsActiveWindow(formWnd))
      SendMessageW(formWnd, WM_NCACTIVATE, FALSE, 0);
  }
}

void TcxCustomPopupWindow::RestoreFocus()
{
  if (!FPrevActiveForm)
    return;
  vcl::TWinControl* active = vcl::Screen()->GetActiveControl();
  if (active == FPrevActiveForm->GetActiveControl())
    return;
  if (FPrevActiveControl && FPrevActiveControl->HandleAllocated() && FPrevActiveControl->CanFocus())
    FPrevActiveControl->SetFocus();
  else if (FPrevActiveForm->HandleAllocated() && FPrevActiveForm->CanFocus())
    FPrevActiveForm->SetFocus();
}

void TcxCustomPopupWindow::ClosePopup()
{
  if (HandleAllocated())
    PostMessageW(GetHandle(), DXM_CLOSEPOPUPWINDOW, 0, 0);
}

void TcxCustomPopupWindow::DXMClosePopupWindow(vcl::TMessage& /*AMessage*/)
{
  TdxMessagesController* controller = cxGetMessagesController();
  if (controller)
    controller->LockMessages({vcl::CM_ENTER, vcl::CM_EXIT});
  LockDeactivate(true);
  struct TUnlock {
    TcxCustomPopupWindow* Popup;
    TdxMessagesController* Controller;
    ~TUnlock()
    {
      Popup->LockDeactivate(false);
      if (Controller)
        Controller->UnlockMessages({vcl::CM_ENTER, vcl::CM_EXIT});
    }
  } unlock{this, controller};
  CloseUp();
  if (const HWND owner = ControlWindow(FOwnerControl))
    SendMessageW(owner, WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::DXMShowPopupWindow(vcl::TMessage& /*AMessage*/)
{
  Popup(FFocusedControl);
}

void TcxCustomPopupWindow::Deactivate()
{
  FDeactivation = false;
  if (IsDeactivateLocked())
    return;
  TcxPopupVisibleController* list = cxPopupVisibleController();
  if (!list)
    return;
  const HWND active = GetActiveWindow();
  bool found = false;
  for (int i = list->Count() - 1; i >= 0 && !found; --i) {
    if (i >= list->Count())
      continue;
    TcxCustomPopupWindow* popup = list->Items(i);
    if (ControlWindow(popup) == active) {
      found = true;
    } else if (popup->HandleAllocated() && IsWindowEnabled(popup->GetHandle()) && !popup->IsDeactivateLocked()) {
      popup->CloseUp();
    }
  }
  if (!found && list->IsAnyVisible())
    CloseUp();
}

void TcxCustomPopupWindow::VisibleChanged()
{
  if (!FCaptureFocus || GetVisible() || !FOwnerControl)
    return;
  vcl::TCustomForm* form = GetOwnerParentForm();
  if (form && form->GetActive() && FOwnerControl->CanFocus() &&
      !form->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning))
    FOwnerControl->SetFocus();
}

// ---------------------------------------------------------------------------
// Painting and input

void TcxCustomPopupWindow::AdjustClientRect(TRect& ARect)
{
  if (FViewInfo && FViewInfo->IsCalculated())
    ARect = FViewInfo->ClientRect;
}

void TcxCustomPopupWindow::Paint()
{
  if (FViewInfo && FViewInfo->IsCalculated())
    FViewInfo->Paint(GetcxCanvas());
}

void TcxCustomPopupWindow::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  if (AKey == VK_ESCAPE && IsVisible() && HasCapture()) {
    ReleaseCapture();
    AKey = 0;
    return;
  }
  inherited::KeyDown(AKey, AShift);
}

bool TcxCustomPopupWindow::AcceptsSysKey(WORD AKey)
{
  return (AKey >= VK_PRIOR && AKey <= VK_DOWN) || AKey == VK_F4;
}

bool TcxCustomPopupWindow::IsClickConsumedOnClose(HWND /*AWnd*/, UINT /*AMsg*/, const TPoint& /*APoint*/,
                                                  vcl::TShiftState /*AShift*/)
{
  return false;
}

void TcxCustomPopupWindow::WMActivateApp(vcl::TMessage& AMessage)
{
  // The hooks decide what an application switch closes.
  AMessage.Result = 0;
}

void TcxCustomPopupWindow::WMActivate(vcl::TMessage& AMessage)
{
  if (FIsPopup || LOWORD(AMessage.WParam) == WA_INACTIVE)
    rtl::InheritedMessage(this, AMessage);
}

void TcxCustomPopupWindow::WMEraseBkgnd(vcl::TMessage& AMessage)
{
  if (NeedsEraseBackground())
    rtl::InheritedMessage(this, AMessage);
  else
    AMessage.Result = 1;
}

void TcxCustomPopupWindow::WMWindowPosChanging(vcl::TMessage& AMessage)
{
  // Only Popup shows the window.
  if (!FIsPopup) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(AMessage.LParam);
    pos->flags &= ~SWP_SHOWWINDOW;
  }
  rtl::InheritedMessage(this, AMessage);
}

void TcxCustomPopupWindow::CMRecreateWnd(vcl::TMessage& AMessage)
{
  if (IsDestroying(this))
    AMessage.Result = 1;
  else
    rtl::InheritedMessage(this, AMessage);
}

void TcxCustomPopupWindow::CMShowingChanged(vcl::TMessage& AMessage)
{
  if (!FShowWithoutActivation || !GetVisible() || !HandleAllocated()) {
    rtl::InheritedMessage(this, AMessage);
    return;
  }
  try {
    DoShow();
  } catch (...) {
    vcl::Application()->HandleException(this);
  }
  ShowWindow(GetHandle(), SW_SHOWNOACTIVATE);
}

void TcxCustomPopupWindow::CMMouseEnter(vcl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  auto& message = reinterpret_cast<vcl::TCMMouseEnterLeave&>(AMessage);
  MouseEnter(message.Control ? message.Control : this);
}

void TcxCustomPopupWindow::CMMouseLeave(vcl::TMessage& AMessage)
{
  rtl::InheritedMessage(this, AMessage);
  auto& message = reinterpret_cast<vcl::TCMMouseEnterLeave&>(AMessage);
  MouseLeave(message.Control ? message.Control : this);
}

// ---------------------------------------------------------------------------
// The hooks

namespace {

TcxPopupVisibleController* VisibleList()
{
  return gVisibleController;
}

void CloseOwnersHiddenPopups()
{
  for (bool closed = true; closed;) {
    closed = false;
    TcxPopupVisibleController* list = VisibleList();
    for (int i = 0; list && i < list->Count(); ++i) {
      TcxCustomPopupWindow* popup = list->Items(i);
      vcl::TWinControl* owner = popup->GetOwnerControl();
      if (owner && !cxIsControlWindowVisible(owner)) {
        popup->CloseUp();
        closed = true;
        break;
      }
    }
  }
}

bool IsOwnerFormOfVisiblePopup(HWND AWnd)
{
  TcxPopupVisibleController* list = VisibleList();
  for (int i = 0; list && i < list->Count(); ++i) {
    vcl::TWinControl* owner = list->Items(i)->GetOwnerControl();
    vcl::TCustomForm* form = owner ? vcl::GetParentForm(owner) : nullptr;
    if (form && ControlWindow(form) == AWnd)
      return true;
  }
  return false;
}

void CloseOnApplicationDeactivate()
{
  TcxPopupVisibleController* list = VisibleList();
  for (int i = 0; list && i < list->Count(); ++i) {
    vcl::TWinControl* owner = list->Items(i)->GetOwnerControl();
    if (const HWND form = ControlWindow(owner ? vcl::GetParentForm(owner) : nullptr))
      PostMessageW(form, WM_NCACTIVATE, FALSE, 0);
  }
  for (bool closed = true; closed;) {
    closed = false;
    list = VisibleList();
    for (int i = 0; list && i < list->Count(); ++i) {
      TcxCustomPopupWindow* popup = list->Items(i);
      const bool staysActive = popup->GetCaptureFocus() && !popup->GetShowWithoutActivation() &&
                               cxIsActiveWindow(ControlWindow(popup));
      if (staysActive || !popup->HandleAllocated() || !IsWindowEnabled(popup->GetHandle()))
        continue;
      popup->CloseUp();
      closed = true;
      break;
    }
  }
}

void CloseOnWindowClose(HWND AWnd)
{
  TcxPopupVisibleController* list = VisibleList();
  for (int i = 0; list && i < list->Count(); ++i) {
    TcxCustomPopupWindow* popup = list->Items(i);
    vcl::TWinControl* owner = popup->GetOwnerControl();
    if (IsDestroying(popup) || IsDestroying(owner))
      continue;
    if (ControlWindow(popup) == AWnd) {
      if (!popup->CloseQuery())
        return;
      popup->CloseUp();
      if (popup->GetCaptureFocus() && owner && !popup->GetVisible())
        if (const HWND top = cxGetTopLevelWindow(ControlWindow(owner)))
          PostMessageW(top, WM_CLOSE, 0, 0);
      return;
    }
    if (popup->GetCaptureFocus())
      continue;
    vcl::TCustomForm* form = owner ? vcl::GetParentForm(owner) : nullptr;
    if (!ControlWindow(form) || ControlWindow(form) == AWnd)
      popup->CloseUp();
    return;
  }
}

void PopupWndProcHook(int ACode, WPARAM /*AWParam*/, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  TdxMessagesController* messages = cxGetMessagesController();
  if (ACode != HC_ACTION || !messages)
    return;
  auto* message = reinterpret_cast<CWPSTRUCT*>(ALParam);
  UINT msg = message->message;
  messages->BlockLockedMessage(message->hwnd, msg);
  if (msg == 0)
    return;
  TcxPopupVisibleController* list = VisibleList();
  if (!list || !list->IsAnyVisible())
    return;
  switch (msg) {
    case WM_WINDOWPOSCHANGED:
      for (int i = 0; i < list->Count(); ++i)
        if (ControlWindow(list->Items(i)->GetOwnerControl()) == message->hwnd) {
          CloseOwnersHiddenPopups();
          break;
        }
      break;
    case WM_NCACTIVATE:
      if (message->wParam == FALSE && messages->GetBlockedWindow() == nullptr &&
          (gShowingPopup || gClosingByClick || IsOwnerFormOfVisiblePopup(message->hwnd)))
        messages->BlockMessage(message->hwnd);
      break;
    case WM_GESTURE:
      cxCloseUnrelatedPopups(message->hwnd);
      break;
    case WM_ACTIVATEAPP:
      if (message->wParam == FALSE)
        CloseOnApplicationDeactivate();
      break;
    case WM_DESTROY:
      for (int i = 0; i < list->Count(); ++i) {
        TcxCustomPopupWindow* popup = list->Items(i);
        if (ControlWindow(popup) != message->hwnd)
          continue;
        popup->CloseUp();
        if (!popup->GetVisible() && popup->GetTerminateOnDestroy())
          vcl::Application()->Terminate();
        break;
      }
      break;
    case WM_CLOSE:
      CloseOnWindowClose(message->hwnd);
      break;
    case WM_SHOWWINDOW:
      if (message->wParam == FALSE)
        list->CloseRelated(message->hwnd);
      break;
    default:
      break;
  }
}

void PopupGetMessageHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& /*AHookResult*/)
{
  if (ACode != HC_ACTION || AWParam != PM_REMOVE)
    return;
  auto* msg = reinterpret_cast<MSG*>(ALParam);
  TcxPopupVisibleController* list = VisibleList();
  if (msg->message != WM_SYSKEYDOWN || !list || !list->IsAnyVisible())
    return;
  TcxCustomPopupWindow* last = list->Items(list->Count() - 1);
  if ((last->GetCaptureFocus() && last->GetModalMode()) || last->AcceptsSysKey(static_cast<WORD>(msg->wParam)))
    return;
  msg->message = WM_NULL;
}

vcl::TShiftState MouseShift(UINT AMsg)
{
  vcl::TShiftState shift;
  if (AMsg == WM_LBUTTONDBLCLK || AMsg == WM_RBUTTONDBLCLK || AMsg == WM_MBUTTONDBLCLK ||
      AMsg == WM_NCLBUTTONDBLCLK || AMsg == WM_NCRBUTTONDBLCLK || AMsg == WM_NCMBUTTONDBLCLK)
    shift.Include(vcl::TShiftStateItem::ssDouble);
  if (GetKeyState(VK_SHIFT) < 0)
    shift.Include(vcl::TShiftStateItem::ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    shift.Include(vcl::TShiftStateItem::ssCtrl);
  if (GetKeyState(VK_MENU) < 0)
    shift.Include(vcl::TShiftStateItem::ssAlt);
  return shift;
}

bool BelongsToOwnerForm(vcl::TCustomForm* AForm, HWND AWnd)
{
  const HWND form = ControlWindow(AForm);
  if (!form)
    return false;
  if (cxIsSameOrChildWindow(form, AWnd))
    return true;
  // A form embedded in a foreign window: its top-level window holds it.
  const HWND top = cxGetTopLevelWindow(form);
  return top != form && cxIsSameOrChildWindow(top, AWnd);
}

}  // namespace

// The outside-click rule: popups the click is not for close, the owner's
// own area and IsClickConsumedOnClose deciding whether the click still
// reaches its target. Answers whether the click is discarded.
bool cxPopupOutsideClick(HWND AWnd, UINT AMsg, const TPoint& P)
{
  bool discard = false;
  for (bool rescan = true; rescan;) {
    rescan = false;
    TcxPopupVisibleController* list = VisibleList();
    for (int i = 0; list && i < list->Count(); ++i) {
      TcxCustomPopupWindow* popup = list->Items(i);
      const HWND popupWnd = ControlWindow(popup);
      const bool inactiveCapture =
          popup->GetCaptureFocus() && !popup->GetShowWithoutActivation() && !cxIsActiveWindow(popupWnd);
      if (inactiveCapture || (popupWnd && (AWnd == popupWnd || cxIsRelatedToPopupWindow(popup, AWnd))))
        continue;
      vcl::TWinControl* owner = popup->GetOwnerControl();
      vcl::TCustomForm* form = owner ? vcl::GetParentForm(owner) : nullptr;
      auto* formPopup = AsOrNil<TcxCustomPopupWindow>(form);
      if (!BelongsToOwnerForm(form, AWnd) && !(formPopup && !formPopup->IsVisible()))
        continue;
      const vcl::TShiftState shift = MouseShift(AMsg);
      bool onOwner = false;
      if ((AMsg == WM_LBUTTONDOWN || AMsg == WM_LBUTTONDBLCLK) && owner && owner->HandleAllocated() &&
          cxIsSameOrChildWindow(owner->GetHandle(), AWnd)) {
        const TRect bounds = cxGetWindowScreenRect(owner->GetHandle());
        onOwner = PtInRect(&bounds, P) != FALSE;
      }
      const bool consumed = popup->IsClickConsumedOnClose(AWnd, AMsg, P, shift);
      if (onOwner)
        popup->FJustClosed = consumed;
      else
        discard = discard || consumed;
      TWeakLinkGuard ownerLink(owner);
      {
        TFlagRaise closing(gClosingByClick);
        popup->LockDeactivate(true);
        TWeakLinkGuard popupLink(popup);
        popup->CloseUp();
        if (popupLink.Alive())
          popup->LockDeactivate(false);
      }
      if (onOwner && (!ownerLink.Alive() || IsDestroying(owner) || !cxIsControlWindowVisible(owner)))
        discard = true;
      rescan = true;
      break;
    }
  }
  return discard;
}

namespace {

void PopupMouseHook(int ACode, WPARAM AWParam, LPARAM ALParam, LRESULT& AHookResult)
{
  TcxPopupVisibleController* list = VisibleList();
  if (ACode != HC_ACTION || !list || !list->IsAnyVisible() || !cxIsMouseButtonDownMessage(static_cast<UINT>(AWParam)))
    return;
  const auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(ALParam);
  if (cxPopupOutsideClick(info->hwnd, static_cast<UINT>(AWParam), info->pt))
    AHookResult = 1;
}

void cxCustomPopupWindowInitialization()
{
  gVisibleControllerFinalized = false;
  dxInstallHook(htWndProc, &PopupWndProcHook);
  dxInstallHook(htGetMessage, &PopupGetMessageHook);
  dxInstallHook(htMouse, &PopupMouseHook);
}

void cxCustomPopupWindowFinalization()
{
  dxRemoveHook(&PopupMouseHook);
  dxRemoveHook(&PopupGetMessageHook);
  dxRemoveHook(&PopupWndProcHook);
  gVisibleControllerFinalized = true;
  rtl::Free(std::exchange(gVisibleController, nullptr));
}

}  // namespace

RTL_UNIT(cxCustomPopupWindow, &cxCustomPopupWindowInitialization, &cxCustomPopupWindowFinalization);
