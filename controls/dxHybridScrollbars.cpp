// The hybrid scroll-bar managers. The painter is in
// dxHybridScrollbarsPainter.cpp.
#include "controls/dxHybridScrollbars.h"

#include <algorithm>
#include <cmath>

#include "controls/cxControls.h"
#include "core/dxAnimation.h"
#include "platform/vcl/Controls.h"

using enum TdxAnimationTransitionEffect;
using enum TdxAnimationTransitionEffectMode;
using TExpandState = TdxHybridScrollbarsManager::TExpandState;
using TFadingState = TdxHybridScrollbarsManager::TFadingState;

namespace {

// The managers that showed their bars, the active one last; made by the
// unit's start-up.
constinit std::vector<TdxHybridScrollbarsManager*>* HybridManagers = nullptr;

// Round, a half to the even neighbour.
int RoundHalfEven(double AValue)
{
  return static_cast<int>(std::nearbyint(AValue));
}

void HybridScrollbarsInitialization()
{
  HybridManagers = new std::vector<TdxHybridScrollbarsManager*>();
  cxAddScrollUIWindowWatcher({&TdxHybridScrollbarManagers::CheckWindowMoved,
                              &TdxHybridScrollbarManagers::CheckWindowHidden});
}

void HybridScrollbarsFinalization()
{
  cxRemoveScrollUIWindowWatcher({&TdxHybridScrollbarManagers::CheckWindowMoved,
                                 &TdxHybridScrollbarManagers::CheckWindowHidden});
  delete std::exchange(HybridManagers, nullptr);
}

}  // namespace

RTL_UNIT(dxHybridScrollbars, &HybridScrollbarsInitialization, &HybridScrollbarsFinalization);

// ---------------------------------------------------------------------------
// TdxHybridScrollbarsManager

void TdxHybridScrollbarsManager::Create(rtl::TObject* AOwner)
{
  inherited::Create();
  FOwner = AOwner;
}

void TdxHybridScrollbarsManager::Destroy()
{
  TdxHybridScrollbarManagers::Deactivate(this);
  rtl::FreeAndNil(FFadingAnimation);
  rtl::FreeAndNil(FSizeAnimation);
  rtl::FreeAndNil(FCollapsingTimer);
  rtl::FreeAndNil(FHidingTimer);
  inherited::Destroy();
}

IdxHybridScrollbarOwner* TdxHybridScrollbarsManager::ScrollbarsOwner() const
{
  const rtl::TInterfaceEntry* entry = FOwner ? FOwner->GetInterfaceEntry(rtl::IIDOf<IdxHybridScrollbarOwner>()) : nullptr;
  return entry ? static_cast<IdxHybridScrollbarOwner*>(entry->Get(FOwner)) : nullptr;
}

bool TdxHybridScrollbarsManager::IsActive() const
{
  return TdxHybridScrollbarManagers::IsActive(this);
}

bool TdxHybridScrollbarsManager::IsHidingTimerActive() const
{
  return FHidingTimer && FHidingTimer->GetEnabled();
}

bool TdxHybridScrollbarsManager::IsCollapsingTimerActive() const
{
  return FCollapsingTimer && FCollapsingTimer->GetEnabled();
}

int TdxHybridScrollbarsManager::GetBarThickness(const TdxScaleFactor* AScaleFactor) const
{
  const int collapsed = cxGetHybridScrollBarSize(AScaleFactor, false).cx;
  const int expanded = cxGetHybridScrollBarSize(AScaleFactor, true).cx;
  return collapsed + RoundHalfEven(FVisibleSize * (expanded - collapsed) / 100.0);
}

// --- visibility

void TdxHybridScrollbarsManager::Show(bool AHideByTimer)
{
  IdxHybridScrollbarOwner* owner = ScrollbarsOwner();
  if (!dxIsScrollUIOwnerShowing(owner))
    return;
  FIsDeactivating = false;
  if (!FAllowVisible) {
    FAllowVisible = true;
    owner->ScrollUIStateChanged();
  }
  if (owner->HasVisibleScrollUI())
    TdxHybridScrollbarManagers::Activate(this);
  if (!AHideByTimer) {
    ++FHidingLockCount;
    if (IsHidingTimerActive())
      FHidingTimer->Stop();
    else if (FFadingValue < 255)
      StartFading(TFadingState::fstShowing);
  } else {
    if (IsHidingTimerActive())
      StartHidingTimer();
    else if (FFadingValue < 255)
      StartFading(TFadingState::fstShowing);
  }
}

void TdxHybridScrollbarsManager::Hide(bool AImmediately, bool AAnimated)
{
  if (AImmediately) {
    StopFading();
    ResetExpansion();
    // The bars go now, and the mouse with them: a count left behind would
    // keep the next expanded bar from ever collapsing.
    FExpandLockCount = 0;
    InternalHide(AAnimated);
    return;
  }
  FHidingLockCount = std::max(0, FHidingLockCount - 1);
  if (FAllowVisible && FHidingLockCount == 0)
    StartHidingTimer();
}

void TdxHybridScrollbarsManager::InternalHide(bool AAnimated)
{
  if (FHidingTimer)
    FHidingTimer->Stop();
  rtl::FreeAndNil(FCollapsingTimer);
  if (AAnimated) {
    StartFading(TFadingState::fstHiding);
    return;
  }
  FAllowVisible = false;
  FHidingLockCount = 0;
  if (IdxHybridScrollbarOwner* owner = ScrollbarsOwner())
    owner->DoHideScrollUI();
  TdxHybridScrollbarManagers::Deactivate(this);
  FFadingValue = 0;
}

void TdxHybridScrollbarsManager::StartHidingTimer()
{
  if (!FHidingTimer)
    FHidingTimer = rtl::New<TdxScrollUITimer>(HidingDelay,
                                              rtl::TNotifyEvent::Bind<&TdxHybridScrollbarsManager::HidingTimerHandler>(this));
  FHidingTimer->Start();
}

void TdxHybridScrollbarsManager::HidingTimerHandler(rtl::TObject* /*Sender*/)
{
  FHidingTimer->Stop();
  InternalHide(true);
}

void TdxHybridScrollbarsManager::ReleaseHidingLock()
{
  FHidingLockCount = std::max(0, FHidingLockCount - 1);
}

// --- fading

void TdxHybridScrollbarsManager::StartFading(TFadingState AState)
{
  StopFading();
  FFadingState = AState;
  FStartFadingValue = FFadingValue;
  const int distance = AState == TFadingState::fstShowing ? 255 - FFadingValue : FFadingValue;
  const auto time = static_cast<unsigned>(RoundHalfEven(distance / 255.0 * FullFadingTime));
  FFadingAnimation = rtl::New<TdxAnimationTransition>(time, ateLinear, distance, atmOut);
  FFadingAnimation->SetFreeOnTerminate(false);
  FFadingAnimation->SetOnAnimate(TdxAnimationEvent::Bind<&TdxHybridScrollbarsManager::FadingAnimate>(this));
  FFadingAnimation->SetOnTerminate(rtl::TNotifyEvent::Bind<&TdxHybridScrollbarsManager::FadingTerminate>(this));
  FFadingAnimation->Resume();
}

void TdxHybridScrollbarsManager::StopFading()
{
  FFadingState = TFadingState::fstNone;
  rtl::FreeAndNil(FFadingAnimation);
}

void TdxHybridScrollbarsManager::FadingAnimate(TdxAnimationTransition* /*Sender*/, int& APosition, bool& /*AFinished*/)
{
  const int value = FFadingState == TFadingState::fstShowing ? FStartFadingValue + APosition
                                                              : FStartFadingValue - APosition;
  FFadingValue = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  if (IdxHybridScrollbarOwner* owner = ScrollbarsOwner())
    owner->InvalidateScrollBars();
}

void TdxHybridScrollbarsManager::FadingTerminate(rtl::TObject* /*Sender*/)
{
  const TFadingState state = std::exchange(FFadingState, TFadingState::fstNone);
  if (state == TFadingState::fstHiding)
    InternalHide(false);
  else if (state == TFadingState::fstShowing && FHidingLockCount == 0)
    StartHidingTimer();
}

// --- expansion

void TdxHybridScrollbarsManager::MouseEnterScrollbar(rtl::TObject* ABar)
{
  if (ABar != FAnimateObject) {
    // Another bar is expanded, expanding or waiting to collapse.
    if (FAnimateObject) {
      ResetExpansion();
      ReleaseHidingLock();
    }
    FAnimateObject = ABar;
  }
  ++FExpandLockCount;
  if (FExpandState == TExpandState::estExpanding)
    return;
  if (IsCollapsingTimerActive())
    rtl::FreeAndNil(FCollapsingTimer);
  else if (!IsSizeAnimating())
    Show(false);
  if (FVisibleSize < 100)
    StartSizeAnimation(TExpandState::estExpanding);
}

void TdxHybridScrollbarsManager::MouseLeaveScrollbar()
{
  FExpandLockCount = std::max(0, FExpandLockCount - 1);
  if (IsSizeAnimating())
    return;
  if (!IsActive() || FIsDeactivating)
    Collapse();
  else
    StartCollapsingTimer();
}

void TdxHybridScrollbarsManager::ScrollbarHidden(rtl::TObject* ABar)
{
  if (!IsExpandedScrollbar(ABar))
    return;
  ResetExpansion();
  // The mouse cannot be over a hidden bar.
  FExpandLockCount = 0;
  FHidingLockCount = 0;
  FFadingValue = 0;
  if (FHidingTimer)
    FHidingTimer->Stop();
}

void TdxHybridScrollbarsManager::StartSizeAnimation(TExpandState AState)
{
  StopSizeAnimation();
  FExpandState = AState;
  FStartSize = FVisibleSize;
  const int distance = AState == TExpandState::estExpanding ? 100 - FVisibleSize : FVisibleSize;
  FSizeAnimation = rtl::New<TdxAnimationTransition>(static_cast<unsigned>(distance) * ExpansionTimePerPercent,
                                                    ateLinear, distance, atmIn);
  FSizeAnimation->SetFreeOnTerminate(false);
  FSizeAnimation->SetOnAnimate(TdxAnimationEvent::Bind<&TdxHybridScrollbarsManager::SizeAnimate>(this));
  FSizeAnimation->SetOnTerminate(rtl::TNotifyEvent::Bind<&TdxHybridScrollbarsManager::SizeTerminate>(this));
  FSizeAnimation->Resume();
}

void TdxHybridScrollbarsManager::StopSizeAnimation()
{
  FExpandState = TExpandState::estNone;
  rtl::FreeAndNil(FSizeAnimation);
}

void TdxHybridScrollbarsManager::SizeAnimate(TdxAnimationTransition* /*Sender*/, int& APosition, bool& /*AFinished*/)
{
  const int value = FExpandState == TExpandState::estExpanding ? FStartSize + APosition : FStartSize - APosition;
  FVisibleSize = std::clamp(value, 0, 100);
  if (IdxHybridScrollbarOwner* owner = ScrollbarsOwner())
    owner->InvalidateScrollBars();
}

void TdxHybridScrollbarsManager::SizeTerminate(rtl::TObject* /*Sender*/)
{
  const TExpandState state = std::exchange(FExpandState, TExpandState::estNone);
  if (state == TExpandState::estExpanding && FExpandLockCount == 0)
    StartCollapsingTimer();
  else if (state == TExpandState::estCollapsing)
    CompleteCollapse();
}

void TdxHybridScrollbarsManager::ResetExpansion()
{
  StopSizeAnimation();
  rtl::FreeAndNil(FCollapsingTimer);
  FVisibleSize = 0;
  FAnimateObject = nullptr;
}

void TdxHybridScrollbarsManager::Collapse()
{
  rtl::FreeAndNil(FCollapsingTimer);
  if (FVisibleSize > 0)
    StartSizeAnimation(TExpandState::estCollapsing);
  else
    CompleteCollapse();
}

void TdxHybridScrollbarsManager::CompleteCollapse()
{
  if (FExpandLockCount != 0)
    return;
  FAnimateObject = nullptr;
  FVisibleSize = 0;
  if (IdxHybridScrollbarOwner* owner = ScrollbarsOwner())
    owner->InvalidateScrollBars();
  ReleaseHidingLock();
  if (!IsActive() || FIsDeactivating) {
    if (FHidingLockCount == 0)
      InternalHide(true);
  } else if (FAllowVisible && FHidingLockCount == 0)
    StartHidingTimer();
}

void TdxHybridScrollbarsManager::StartCollapsingTimer()
{
  // Made anew each time: a pending collapse always waits the whole delay.
  rtl::FreeAndNil(FCollapsingTimer);
  FCollapsingTimer = rtl::New<TdxScrollUITimer>(
      CollapsingDelay, rtl::TNotifyEvent::Bind<&TdxHybridScrollbarsManager::CollapsingTimerHandler>(this));
  FCollapsingTimer->Start();
}

void TdxHybridScrollbarsManager::CollapsingTimerHandler(rtl::TObject* /*Sender*/)
{
  FCollapsingTimer->Stop();
  Collapse();
}

// --- another owner took over

void TdxHybridScrollbarsManager::Deactivating()
{
  FIsDeactivating = true;
  if (IsCollapsingTimerActive()) {
    Collapse();
  } else if (FExpandState == TExpandState::estExpanding) {
    StopSizeAnimation();
    MouseLeaveScrollbar();
  }
  if (FFadingState == TFadingState::fstShowing) {
    StopFading();
    if (FHidingLockCount == 0)
      InternalHide(true);
  } else if (IsHidingTimerActive()) {
    InternalHide(true);
  }
}

// --- windows

void TdxHybridScrollbarsManager::CheckWindowMoved(HWND AWnd)
{
  IdxHybridScrollbarOwner* owner = ScrollbarsOwner();
  vcl::TWinControl* control = owner ? owner->GetScrollUIOwnerControl() : nullptr;
  if (!control || !control->HandleAllocated())
    return;
  // The bars are popups: they follow a move of any window around the
  // control, or of an MDI child window.
  if (dxIsScrollUIOwnerInside(owner, AWnd) || (GetWindowLongW(AWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
    owner->ScrollUIStateChanged();
}

void TdxHybridScrollbarsManager::CheckWindowHidden(HWND AWnd)
{
  if (dxIsScrollUIOwnerInside(ScrollbarsOwner(), AWnd))
    Hide(true, false);
}

// ---------------------------------------------------------------------------
// TdxHybridScrollbarManagers

void TdxHybridScrollbarManagers::Activate(TdxHybridScrollbarsManager* AManager)
{
  if (!HybridManagers || !AManager)
    return;
  std::erase(*HybridManagers, AManager);
  HybridManagers->push_back(AManager);
  // A copy: a manager that hides may leave the list.
  const std::vector<TdxHybridScrollbarsManager*> others(HybridManagers->begin(), HybridManagers->end() - 1);
  for (auto it = others.rbegin(); it != others.rend(); ++it) {
    if (std::find(HybridManagers->begin(), HybridManagers->end(), *it) != HybridManagers->end())
      (*it)->Deactivating();
  }
}

void TdxHybridScrollbarManagers::Deactivate(TdxHybridScrollbarsManager* AManager)
{
  if (HybridManagers)
    std::erase(*HybridManagers, AManager);
}

bool TdxHybridScrollbarManagers::IsActive(const TdxHybridScrollbarsManager* AManager)
{
  return HybridManagers && !HybridManagers->empty() && HybridManagers->back() == AManager;
}

int TdxHybridScrollbarManagers::Count()
{
  return HybridManagers ? static_cast<int>(HybridManagers->size()) : 0;
}

void TdxHybridScrollbarManagers::CheckWindowMoved(HWND AWnd)
{
  if (!HybridManagers)
    return;
  const std::vector<TdxHybridScrollbarsManager*> managers(*HybridManagers);
  for (auto it = managers.rbegin(); it != managers.rend(); ++it) {
    if (std::find(HybridManagers->begin(), HybridManagers->end(), *it) != HybridManagers->end())
      (*it)->CheckWindowMoved(AWnd);
  }
}

void TdxHybridScrollbarManagers::CheckWindowHidden(HWND AWnd)
{
  if (!HybridManagers)
    return;
  const std::vector<TdxHybridScrollbarsManager*> managers(*HybridManagers);
  for (auto it = managers.rbegin(); it != managers.rend(); ++it) {
    if (std::find(HybridManagers->begin(), HybridManagers->end(), *it) != HybridManagers->end())
      (*it)->CheckWindowHidden(AWnd);
  }
}
