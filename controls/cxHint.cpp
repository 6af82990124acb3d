#include "controls/cxHint.h"

#include <algorithm>

#include "controls/cxWindowUtils.h"
#include "platform/vcl/Forms.h"

namespace {

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

void cxPrepareHintWindowParent(vcl::THintWindow* AWindow)
{
  const HWND application = vcl::Application()->GetHandle();
  if (AWindow->GetParentWindow() == application)
    return;
  if (AWindow->HandleAllocated())
    ShowWindow(AWindow->GetHandle(), SW_HIDE);
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
