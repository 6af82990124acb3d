#include "controls/cxHint.h"

#include <algorithm>

#include "controls/cxControls.h"
#include "controls/cxCustomPopupWindow.h"
#include "controls/cxWindowUtils.h"
#include "platform/vcl/Forms.h"

namespace {

// The object as a T, or nil when it is none.
template <class T>
T* AsOrNil(rtl::TObject* AObject)
{
  return rtl::Is<T>(AObject) ? static_cast<T*>(AObject) : nullptr;
}

TcxHintController* gHintController = nullptr;
TcxRegisteredClasses* gRegisteredHintStyles = nullptr;

bool IsDesigning(const rtl::TComponent* AComponent)
{
  return AComponent->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning);
}

}  // namespace

TcxHintController* cxGetHintController()
{
  return gHintController;
}

TcxCustomHintStyleController* cxGetHintStyleController()
{
  return gHintController ? gHintController->GetActiveHintStyleController() : nullptr;
}

bool cxHasHintStyleController()
{
  return cxGetHintStyleController() != nullptr;
}

TcxCustomHintStyle* cxGetHintStyle()
{
  TcxCustomHintStyleController* controller = cxGetHintStyleController();
  return controller ? controller->GetHintStyle() : nullptr;
}

vcl::THintWindowClass cxGetHintWindowClass()
{
  TcxCustomHintStyleController* controller = cxGetHintStyleController();
  if (controller)
    return controller->GetHintWindowClass();
  return vcl::Application()->GetHintWindowClass();
}

vcl::TControl* cxGetHintedControl()
{
  return gHintController ? gHintController->GetHintedControl() : nullptr;
}

void cxResetHintedControl()
{
  if (gHintController)
    gHintController->SetHintedControl(nullptr);
}

TcxRegisteredClasses* cxGetRegisteredHintStyles()
{
  if (!gRegisteredHintStyles)
    gRegisteredHintStyles = rtl::New<TcxRegisteredClasses>();
  return gRegisteredHintStyles;
}

// A window made already is made again: re-parenting the live pop-up would
// make it a child of the hidden application window, never visible.
void cxPrepareHintWindowParent(vcl::THintWindow* AWindow)
{
  const HWND application = vcl::Application()->GetHandle();
  if (AWindow->GetParentWindow() == application)
    return;
  if (AWindow->HandleAllocated()) {
    ShowWindow(AWindow->GetHandle(), SW_HIDE);
    AWindow->ReleaseHandle();
  }
  AWindow->SetParentWindow(application);
}

void cxActivateHintWindow(vcl::THintWindow* AWindow, const TRect& R, const rtl::String& AText)
{
  cxPrepareHintWindowParent(AWindow);
  AWindow->ActivateHint(R, AText);
}

// ---------------------------------------------------------------------------
// TcxCustomHintStyle

void TcxCustomHintStyle::Create(rtl::TComponent* AComponent)
{
  inherited::Create(AComponent);
}

TcxCustomHintWindowClass TcxCustomHintStyle::GetHintWindowClass()
{
  return TcxCustomHintWindowClass::Of<TcxCustomHintWindow>();
}

// ---------------------------------------------------------------------------
// TcxCustomHintStyleController

void TcxCustomHintStyleController::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FGlobal = true;
  FHintShortPause = 50;
  FHintPause = 500;
  FHintHidePause = 2500;
  FHintWindow = nullptr;
  FHintStyle = nullptr;
  FUpdateCount = 0;
  FUseHintControlLookAndFeel = false;
  FLookAndFeel = rtl::New<TcxLookAndFeel>(this);
  if (!FHintStyleClass)
    FHintStyleClass = TcxHintStyleClass::Of<TcxCustomHintStyle>();
  CreateHintStyle();
}

void TcxCustomHintStyleController::Destroy()
{
  for (TcxCustomHintStyle* listener : std::vector<TcxCustomHintStyle*>(FListeners))
    listener->ControllerDestroying(this);
  DestroyHintStyle();
  rtl::Free(FLookAndFeel);
  FLookAndFeel = nullptr;
  FListeners.clear();
  inherited::Destroy();
}

bool TcxCustomHintStyleController::IsDestroying() const
{
  return GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

void TcxCustomHintStyleController::CreateHintStyle()
{
  FHintStyle = GetHintStyleClass().Create(this);
  FHintStyle->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxCustomHintStyleController::HintStyleChanged>(this));
  FHintWindow = GetHintWindowClass().Create(this);
  if (gHintController)
    gHintController->RegisterController(this);
}

void TcxCustomHintStyleController::DestroyHintStyle()
{
  if (gHintController)
    gHintController->UnregisterController(this);
  rtl::Free(FHintWindow);
  FHintWindow = nullptr;
  rtl::Free(FHintStyle);
  FHintStyle = nullptr;
}

TcxCustomHintWindowClass TcxCustomHintStyleController::GetHintWindowClass()
{
  return FHintStyle ? FHintStyle->GetHintWindowClass() : TcxCustomHintWindowClass::Of<TcxCustomHintWindow>();
}

void TcxCustomHintStyleController::SetHintStyleClass(TcxHintStyleClass AValue)
{
  if (!AValue || AValue == FHintStyleClass)
    return;
  DestroyHintStyle();
  FHintStyleClass = AValue;
  CreateHintStyle();
  HintStyleChanged(this);
}

rtl::String TcxCustomHintStyleController::GetHintStyleClassName()
{
  return FHintStyle ? rtl::String(FHintStyle->ClassName()) : rtl::String();
}

void TcxCustomHintStyleController::SetHintStyleClassName(const rtl::String& AValue)
{
  const rtl::TClass found = cxGetRegisteredHintStyles()->FindByClassName(AValue);
  if (found && found->InheritsFrom(TcxCustomHintStyle::StaticClass()))
    SetHintStyleClass(TcxHintStyleClass(found));
}

void TcxCustomHintStyleController::Assign(rtl::TPersistent* Source)
{
  auto* source = rtl::Is<TcxCustomHintStyleController>(Source) ? static_cast<TcxCustomHintStyleController*>(Source)
                                                                : nullptr;
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  struct TEnd {
    TcxCustomHintStyleController* Controller;
    ~TEnd() { Controller->EndUpdate(); }
  } end{this};
  FOnHintStyleChanged = source->FOnHintStyleChanged;
  FOnShowHint = source->FOnShowHint;
  FOnShowHintEx = source->FOnShowHintEx;
  SetHintShortPause(source->FHintShortPause);
  SetHintPause(source->FHintPause);
  SetHintHidePause(source->FHintHidePause);
  SetHintStyleClass(source->GetHintStyleClass());
  if (source->FHintStyle)
    SetHintStyle(source->FHintStyle);
  SetLookAndFeel(source->FLookAndFeel);
}

void TcxCustomHintStyleController::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    ApplyHintPauses();
}

// The last controller to apply its pauses governs the application. The
// framework's application has no short pause of its own: that one stays
// the controller's.
void TcxCustomHintStyleController::ApplyHintPauses()
{
  if (IsDesigning(this) || FUpdateCount != 0)
    return;
  vcl::TApplication* application = vcl::Application();
  application->SetHintShortPause(FHintShortPause);
  application->SetHintPause(FHintPause);
  application->SetHintHidePause(FHintHidePause);
}

void TcxCustomHintStyleController::SetHintShortPause(int AValue)
{
  if (FHintShortPause == AValue)
    return;
  FHintShortPause = AValue;
  ApplyHintPauses();
}

void TcxCustomHintStyleController::SetHintPause(int AValue)
{
  if (FHintPause == AValue)
    return;
  FHintPause = AValue;
  ApplyHintPauses();
}

void TcxCustomHintStyleController::SetHintHidePause(int AValue)
{
  if (FHintHidePause == AValue)
    return;
  FHintHidePause = AValue;
  ApplyHintPauses();
}

void TcxCustomHintStyleController::AddListener(TcxCustomHintStyle* AListener)
{
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TcxCustomHintStyleController::RemoveListener(TcxCustomHintStyle* AListener)
{
  if (!IsDestroying())
    std::erase(FListeners, AListener);
}

void TcxCustomHintStyleController::NotifyListener(TcxCustomHintStyle* AStyle)
{
  AStyle->ControllerChanged(this);
  if (FOnHintStyleChanged)
    FOnHintStyleChanged(this, AStyle);
}

void TcxCustomHintStyleController::HintStyleChanged(rtl::TObject* /*ASender*/)
{
  if (IsDestroying())
    return;
  if (FHintStyle && FOnHintStyleChanged)
    FOnHintStyleChanged(this, FHintStyle);
  for (TcxCustomHintStyle* listener : std::vector<TcxCustomHintStyle*>(FListeners))
    NotifyListener(listener);
}

void TcxCustomHintStyleController::Loaded()
{
  inherited::Loaded();
  ApplyHintPauses();
  HintStyleChanged(this);
}

void TcxCustomHintStyleController::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && FHintStyle)
    FHintStyle->ComponentRemoved(AComponent);
}

void TcxCustomHintStyleController::DoShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo)
{
  HintInfo.HintWindowClass = GetHintWindowClass();
  if (FHintStyle)
    FHintStyle->DoShowHint(HintStr, CanShow, HintInfo);
  if (FOnShowHint)
    FOnShowHint(this, HintStr, CanShow, HintInfo);
  rtl::String caption;
  if (FOnShowHintEx)
    FOnShowHintEx(this, caption, HintStr, CanShow, HintInfo);
  if (FHintWindow)
    FHintWindow->SetCaption(caption);
}

void TcxCustomHintStyleController::ShowHint(int X, int Y, const rtl::String& ACaption, const rtl::String& AHint,
                                            int AMaxWidth)
{
  if (gHintController)
    gHintController->SetHintedControl(cxFindParentControlByWindow(WindowFromPoint({X, Y})));
  if (FHintWindow)
    FHintWindow->ShowHint(X, Y, AMaxWidth, AHint, ACaption);
}

void TcxCustomHintStyleController::HideHint()
{
  cxResetHintedControl();
  if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->GetHandle()))
    ShowWindow(FHintWindow->GetHandle(), SW_HIDE);
}

// ---------------------------------------------------------------------------
// TcxHintController

void TcxHintController::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FHintedControl = nullptr;
  FSavedHintWindowClass = nullptr;
  FSaved = false;
}

void TcxHintController::Destroy()
{
  SetHintedControl(nullptr);
  FControllerList.clear();
  inherited::Destroy();
}

vcl::TControl* TcxHintController::GetHintedControl()
{
  if (FHintedControl)
    return FHintedControl;
  HWND wnd = GetCapture();
  if (!wnd) {
    POINT cursor{};
    if (!GetCursorPos(&cursor))
      return nullptr;
    wnd = WindowFromPoint(cursor);
  }
  return cxFindParentControlByWindow(wnd);
}

void TcxHintController::SetHintedControl(vcl::TControl* AValue)
{
  if (FHintedControl == AValue)
    return;
  if (FHintedControl)
    FHintedControl->RemoveFreeNotification(this);
  FHintedControl = AValue;
  if (FHintedControl)
    FHintedControl->FreeNotification(this);
}

void TcxHintController::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FHintedControl)
    FHintedControl = nullptr;
}

void TcxHintController::RegisterController(TcxCustomHintStyleController* AController)
{
  if (!AController || IsDesigning(AController))
    return;
  vcl::TApplication* application = vcl::Application();
  if (FControllerList.empty()) {
    FSavedApplicationOnShowHint = application->GetOnShowHint();
    application->SetOnShowHint(vcl::TShowHintEvent::Bind<&TcxHintController::HandleShowHint>(this));
    FSavedHintWindowClass = application->GetHintWindowClass();
    FSaved = true;
  }
  application->SetHintWindowClass(AController->GetHintWindowClass());
  FControllerList.push_back(AController);
}

vcl::THintWindowClass TcxHintController::GetCurrentHintWindowClass()
{
  return FControllerList.empty() ? FSavedHintWindowClass : vcl::THintWindowClass(FControllerList.back()->GetHintWindowClass());
}

void TcxHintController::UnregisterController(TcxCustomHintStyleController* AController)
{
  if (!AController || IsDesigning(AController))
    return;
  const vcl::THintWindowClass before = GetCurrentHintWindowClass();
  const auto it = std::find(FControllerList.begin(), FControllerList.end(), AController);
  if (it == FControllerList.end())
    return;
  FControllerList.erase(it);
  vcl::TApplication* application = vcl::Application();
  if (before == application->GetHintWindowClass())
    application->SetHintWindowClass(GetCurrentHintWindowClass());
  if (FControllerList.empty() && FSaved) {
    application->SetOnShowHint(FSavedApplicationOnShowHint);
    FSavedApplicationOnShowHint = {};
  }
}

TcxCustomHintStyleController* TcxHintController::GetActiveHintStyleController()
{
  vcl::TControl* hinted = GetHintedControl();
  for (vcl::TControl* parent = hinted ? hinted->GetParent() : nullptr; parent; parent = parent->GetParent())
    if (rtl::TComponent* found = cxFindOwnedComponent(parent, TcxCustomHintStyleController::StaticClass()))
      return static_cast<TcxCustomHintStyleController*>(found);
  // A managed control takes the controller its manager owns (that one only).
  if (auto* manager = AsOrNil<rtl::TComponent>(dxGetManager(hinted)))
    if (rtl::TComponent* found = cxFindOwnedComponent(manager, TcxCustomHintStyleController::StaticClass()))
      return static_cast<TcxCustomHintStyleController*>(found);
  for (auto it = FControllerList.rbegin(); it != FControllerList.rend(); ++it)
    if ((*it)->GetGlobal())
      return *it;
  return nullptr;
}

void TcxHintController::HandleShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo)
{
  SetHintedControl(HintInfo.HintControl);
  if (TcxCustomHintStyleController* controller = GetActiveHintStyleController())
    controller->DoShowHint(HintStr, CanShow, HintInfo);
  CallSavedShowHint(HintStr, CanShow, HintInfo);
  if (!CanShow || HintStr.empty())
    SetHintedControl(nullptr);
}

void TcxHintController::CallSavedShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo)
{
  if (FSavedApplicationOnShowHint)
    FSavedApplicationOnShowHint(HintStr, CanShow, HintInfo);
}

// ---------------------------------------------------------------------------
// Hints of a control's elements

namespace {

bool IsSamePoint(const TPoint& A, const TPoint& B)
{
  return A.x == B.x && A.y == B.y;
}

bool IsSameHintInfo(const vcl::THintInfo& A, const vcl::THintInfo& B)
{
  return A.HintControl == B.HintControl && A.HintWindowClass == B.HintWindowClass &&
         IsSamePoint(A.HintPos, B.HintPos) && A.HintMaxWidth == B.HintMaxWidth && A.HintColor == B.HintColor &&
         EqualRect(&A.CursorRect, &B.CursorRect) && IsSamePoint(A.CursorPos, B.CursorPos) &&
         A.ReshowTimeout == B.ReshowTimeout && A.HideTimeout == B.HideTimeout && A.HintStr == B.HintStr &&
         A.HintData == B.HintData;
}

// The control's bounds in its own client coordinates.
TRect GetCursorRect(vcl::TControl* AControl)
{
  TPoint parentOrigin{};
  if (vcl::TWinControl* parent = AControl->GetParent())
    parentOrigin = parent->ClientToScreen(TPoint{0, 0});
  else if (auto* window = AsOrNil<vcl::TWinControl>(AControl); window && window->GetParentWindow())
    parentOrigin = cxClientToScreenPoint(window->GetParentWindow(), {0, 0});
  const TPoint clientOrigin = AControl->ClientToScreen(TPoint{0, 0});
  TRect r = AControl->GetBoundsRect();
  OffsetRect(&r, parentOrigin.x - clientOrigin.x, parentOrigin.y - clientOrigin.y);
  return r;
}

bool IsApplicationActive()
{
  DWORD process = 0;
  const HWND foreground = GetForegroundWindow();
  return foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId();
}

// The window of a control that shows on screen, for a windowless control
// its parent's.
vcl::TWinControl* FindWindowedControl(vcl::TControl* AControl)
{
  if (auto* window = AsOrNil<vcl::TWinControl>(AControl))
    return window;
  return AControl->GetParent();
}

bool IsOpenPopupOwnerInside(HWND AWnd)
{
  TcxPopupVisibleController* popups = cxPopupVisibleController();
  if (!popups || !popups->IsAnyVisible())
    return false;
  vcl::TWinControl* owner = popups->Items(0)->GetOwnerControl();
  return owner && owner->HandleAllocated() &&
         (owner->GetHandle() == AWnd || IsChild(AWnd, owner->GetHandle()));
}

}  // namespace

bool cxPrepareHintInfo(vcl::THintInfo& AHintInfo, vcl::THintWindow*& AHintWindow, vcl::TControl* AControl,
                       int AHideTimeout, rtl::TObject* AHintData, TRect& R, const rtl::String& AText)
{
  vcl::TApplication* application = vcl::Application();
  AHintInfo = {};
  AHintInfo.HintControl = AControl;
  AHintInfo.HintWindowClass = AHintWindow ? vcl::THintWindowClass(AHintWindow->ClassType()) : nullptr;
  AHintInfo.HintPos = {R.left, R.top};
  AHintInfo.HintMaxWidth = vcl::Screen()->GetWidth();
  AHintInfo.HintColor = application->GetHintColor();
  AHintInfo.HideTimeout = AHideTimeout > 0 ? AHideTimeout : application->GetHintHidePause();
  AHintInfo.HintStr = AText;
  AHintInfo.HintData = AHintData;
  if (AControl) {
    AHintInfo.CursorPos = AControl->ScreenToClient(cxGetMouseCursorPosition());
    AHintInfo.CursorRect = GetCursorRect(AControl);
  }
  const vcl::TShowHintEvent onShowHint = application->GetOnShowHint();
  if (!onShowHint)
    return true;
  const vcl::THintInfo original = AHintInfo;
  bool canShow = true;
  onShowHint(AHintInfo.HintStr, canShow, AHintInfo);
  if (!canShow || AHintInfo.HintStr.empty())
    return canShow;
  if (!cxHasHintStyleController() && IsSameHintInfo(AHintInfo, original))
    return true;
  const vcl::THintWindowClass windowClass =
      AHintInfo.HintWindowClass ? AHintInfo.HintWindowClass : application->GetHintWindowClass();
  if (!AHintWindow || AHintWindow->ClassType() != windowClass.ClassType()) {
    rtl::Free(AHintWindow);
    AHintWindow = windowClass.Create(nullptr);
  }
  AHintWindow->SetColor(AHintInfo.HintColor);
  if (AControl)
    AHintWindow->SetBiDiMode(AControl->GetBiDiMode());
  R = AHintWindow->CalcHintRect(AHintInfo.HintMaxWidth, AHintInfo.HintStr, AHintInfo.HintData);
  OffsetRect(&R, AHintInfo.HintPos.x, AHintInfo.HintPos.y);
  return true;
}

bool cxCanShowHint(vcl::TControl* AControl)
{
  vcl::TWinControl* control = AControl ? FindWindowedControl(AControl) : nullptr;
  if (!control || !IsApplicationActive() || !control->HandleAllocated() || !IsWindowVisible(control->GetHandle()))
    return false;
  if (cxFindParentControlByWindow(WindowFromPoint(cxGetMouseCursorPosition())) != control)
    return false;
  HWND wnd = control->GetHandle();
  while ((GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) != 0 && GetParent(wnd))
    wnd = GetParent(wnd);
  auto* form = AsOrNil<vcl::TCustomForm>(vcl::FindControl(wnd));
  return !form || form->GetActive() || IsOpenPopupOwnerInside(wnd);
}

void TcxCustomHintHelper::Destroy()
{
  HideHint();
  rtl::Free(std::exchange(FHintCheckerTimer, nullptr));
  rtl::Free(std::exchange(FHintHideTimer, nullptr));
  rtl::Free(std::exchange(FHintWindow, nullptr));
  inherited::Destroy();
}

IcxHintableObject* TcxCustomHintHelper::HintableObject() const
{
  rtl::IPtr<IcxHintableObject> hintable;
  if (FHintableObject && rtl::Supports(FHintableObject, &hintable))
    return hintable.Get();
  return nullptr;
}

bool TcxCustomHintHelper::IsMouseButtonDown()
{
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0 || GetAsyncKeyState(VK_MBUTTON) < 0;
}

TPoint TcxCustomHintHelper::GetMouseCursorPos()
{
  return cxGetMouseCursorPosition();
}

bool TcxCustomHintHelper::CanShowHint()
{
  if (HidesHintOnMouseDown() && IsMouseButtonDown())
    return false;
  return CanOwnerShowHint();
}

bool TcxCustomHintHelper::CanOwnerShowHint()
{
  return cxCanShowHint(GetOwnerControl());
}

bool TcxCustomHintHelper::IsHintAtMousePos()
{
  IcxHintableObject* hintable = HintableObject();
  return hintable && hintable->IsHintAtMousePos();
}

bool TcxCustomHintHelper::UseHintHidePause()
{
  if (!FHintableObject)
    return true;
  IcxHintableObject* hintable = HintableObject();
  return hintable && hintable->UseHintHidePause();
}

TRect TcxCustomHintHelper::GetDefaultHintAreaBounds()
{
  vcl::TControl* owner = GetOwnerControl();
  return owner ? owner->GetClientRect() : TRect{};
}

int TcxCustomHintHelper::GetHintHidePause()
{
  return vcl::Application()->GetHintHidePause();
}

vcl::THintWindowClass TcxCustomHintHelper::GetHintWindowClass()
{
  return cxGetHintWindowClass();
}

void TcxCustomHintHelper::InflateByHintBorders(TRect& R)
{
  RECT window{};
  GetWindowRect(FHintWindow->GetHandle(), &window);
  const TPoint client = FHintWindow->ClientToScreen(TPoint{0, 0});
  const int dx = client.x - window.left + 2;
  const int dy = client.y - window.top + 2;
  InflateRect(&R, dx, dy);
}

TRect TcxCustomHintHelper::CalculateHintWindowRect(const TRect& /*AHintAreaBounds*/, const TRect& ATextRect,
                                                   bool AIsHintMultiLine, const rtl::String& AText)
{
  const int maxWidth = AIsHintMultiLine ? ATextRect.right - ATextRect.left : 32000;
  TRect r = FHintWindow->CalcHintRect(maxWidth, AText, nullptr);
  r.right -= 6;
  r.bottom -= 2;
  TPoint anchor{ATextRect.left, ATextRect.top};
  if (GetSystemMetrics(SM_MIDEASTENABLED) != 0 && FHintWindow->UseRightToLeftAlignment())
    anchor.x = ATextRect.right - r.right;
  if (vcl::TControl* owner = GetOwnerControl())
    anchor = owner->ClientToScreen(anchor);
  OffsetRect(&r, anchor.x, anchor.y);
  InflateByHintBorders(r);
  r = cxFitRectToWorkArea(r, {r.left, r.top});
  r.bottom -= 4;
  return r;
}

TRect TcxCustomHintHelper::HintAreaOnScreen()
{
  vcl::TControl* owner = GetOwnerControl();
  if (!owner)
    return FHintAreaBounds;
  const TPoint topLeft = owner->ClientToScreen(TPoint{FHintAreaBounds.left, FHintAreaBounds.top});
  const TPoint bottomRight = owner->ClientToScreen(TPoint{FHintAreaBounds.right, FHintAreaBounds.bottom});
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void TcxCustomHintHelper::RestartHintHideTimer()
{
  FLastHintMousePos = GetMouseCursorPos();
  FHintHideTimer->SetEnabled(false);
  FHintHideTimer->SetEnabled(true);
}

bool TcxCustomHintHelper::PrepareHintWindow(const rtl::String& AText, const TRect& ATextRect)
{
  const vcl::THintWindowClass windowClass = GetHintWindowClass();
  if (FHintWindow && FHintWindow->ClassType() == windowClass.ClassType()) {
    const bool visible = FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->GetHandle());
    if (visible && AText == FLastHintText && EqualRect(&ATextRect, &FHintTextRect))
      return false;
    if (visible)
      cxEndMouseTracking(this);
    return true;
  }
  rtl::Free(FHintWindow);
  FHintWindow = windowClass.Create(nullptr);
  FHintWindow->SetColor(vcl::Application()->GetHintColor());
  return true;
}

void TcxCustomHintHelper::ShowHint(const TRect& AHintAreaBounds, const TRect& ATextRect, const rtl::String& AText,
                                   bool AIsHintMultiLine, rtl::TObject* AHintObject, vcl::TFont* AFont)
{
  if (!CanShowHint())
    return;
  if (FHasLastHintableObject && AHintObject == FLastHintableObject) {
    if (IsHintAtMousePos()) {
      if (IsHintHideTimerRunning() && !IsSamePoint(GetMouseCursorPos(), FLastHintMousePos))
        RestartHintHideTimer();
      else if (UseHintHidePause())
        return;
    } else if (UseHintHidePause()) {
      if (AText != FLastHintText)
        ResetLastHintElement();
      return;
    }
  } else
    CancelHint();

  if (!PrepareHintWindow(AText, ATextRect))
    return;
  if (AFont)
    FHintWindow->GetCanvas()->GetFont()->Assign(AFont);
  if (vcl::TWinControl* owner = GetOwnerWinControl())
    FHintWindow->SetBiDiMode(owner->GetBiDiMode());
  TRect r = CalculateHintWindowRect(AHintAreaBounds, ATextRect, AIsHintMultiLine, AText);

  vcl::THintInfo info{};
  if (!cxPrepareHintInfo(info, FHintWindow, GetOwnerWinControl(), GetHintHidePause(), AHintObject, r, AText))
    return;
  FLastHintText = AText;
  FHintTextRect = ATextRect;
  FHintAreaBounds = AHintAreaBounds;
  FHintableObject = AHintObject;
  FLastHintableObject = AHintObject;
  FHasLastHintableObject = true;
  rtl::IPtr<IcxHintWindowHelper> windowHelper;
  if (rtl::Supports(FHintWindow, &windowHelper))
    windowHelper->SetHintAreaBounds(HintAreaOnScreen(), IsHintAtMousePos());
  cxActivateHintWindow(FHintWindow, r, info.HintStr);
  FHintHidePause = info.HideTimeout;
  cxBeginMouseTracking(GetOwnerWinControl(), FHintAreaBounds, this);
  StartTimers();
}

void TcxCustomHintHelper::StartTimers()
{
  if (FHintCheckerTimer && FHintCheckerTimer->GetEnabled())
    return;
  if (!FHintCheckerTimer) {
    FHintCheckerTimer = rtl::New<TcxTimer>(nullptr);
    FHintCheckerTimer->SetInterval(100);
  }
  FHintCheckerTimer->SetEnabled(true);
  FHintCheckerTimer->SetOnTimer(rtl::TNotifyEvent::Bind<&TcxCustomHintHelper::HintCheckerTimerHandler>(this));
  if (!UseHintHidePause())
    return;
  if (!FHintHideTimer)
    FHintHideTimer = rtl::New<TcxTimer>(nullptr);
  FHintHideTimer->SetInterval(static_cast<unsigned>(std::max(FHintHidePause, 1)));
  FLastHintMousePos = GetMouseCursorPos();
  FHintHideTimer->SetEnabled(true);
  FHintHideTimer->SetOnTimer(rtl::TNotifyEvent::Bind<&TcxCustomHintHelper::HintHideTimerHandler>(this));
}

// The timers stay made: a tick may be what stops them.
void TcxCustomHintHelper::StopTimers()
{
  if (FHintCheckerTimer)
    FHintCheckerTimer->SetEnabled(false);
  if (FHintHideTimer)
    FHintHideTimer->SetEnabled(false);
}

void TcxCustomHintHelper::HintCheckerTimerHandler(rtl::TObject* /*ASender*/)
{
  if (!CanShowHint())
    CancelHint();
}

void TcxCustomHintHelper::HintHideTimerHandler(rtl::TObject* /*ASender*/)
{
  HideHint();
}

void TcxCustomHintHelper::HideHint()
{
  StopTimers();
  cxEndMouseTracking(this);
  const bool forgetText = !UseHintHidePause();
  FHintableObject = nullptr;
  FHintAreaBounds = {};
  if (FHintWindow && FHintWindow->HandleAllocated())
    ShowWindow(FHintWindow->GetHandle(), SW_HIDE);
  if (forgetText)
    FLastHintText.clear();
}

void TcxCustomHintHelper::CancelHint()
{
  HideHint();
  ResetLastHintElement();
}

void TcxCustomHintHelper::MouseDown()
{
  if (HidesHintOnMouseDown())
    HideHint();
}

void __stdcall TcxCustomHintHelper::MouseLeave()
{
  CancelHint();
}

bool __stdcall TcxCustomHintHelper::PtInCaller(const TPoint& P)
{
  if (FHintableObject) {
    IcxHintableObject* hintable = HintableObject();
    return hintable && hintable->HasHintPoint(P);
  }
  const TRect bounds = IsRectEmpty(&FHintAreaBounds) ? GetDefaultHintAreaBounds() : FHintAreaBounds;
  return PtInRect(&bounds, P) != FALSE;
}

vcl::TControl* TcxControlHintHelper::GetOwnerControl()
{
  return GetControl();
}

vcl::TWinControl* TcxControlHintHelper::GetOwnerWinControl()
{
  return GetControl();
}

TRect TcxControlHintHelper::GetDefaultHintAreaBounds()
{
  TcxControl* control = GetControl();
  return control ? control->GetBounds() : TRect{};
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

namespace {

void cxHintInitialization()
{
  gHintController = rtl::New<TcxHintController>(nullptr);
}

void cxHintFinalization()
{
  rtl::Free(std::exchange(gHintController, nullptr));
  rtl::Free(std::exchange(gRegisteredHintStyles, nullptr));
}

}  // namespace

RTL_UNIT(cxHint, &cxHintInitialization, &cxHintFinalization);
