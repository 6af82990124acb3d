#include "controls/dxTouchScrollUI.h"

#include <algorithm>
#include <vector>

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/dxAnimation.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusClasses.h"
#include "platform/vcl/Controls.h"

namespace {

// Windows this wide or high report garbled 16-bit mouse positions.
constexpr int HugeControlSize = 32768;

struct TdxScrollUIClockState {
  bool Installed;
  std::int64_t Now;
  // Timers waiting on the test clock, in start order.
  std::vector<TdxScrollUITimer*>* Timers;
  TdxReadPerformanceCounterFunc PreviousCounter;
};

constinit TdxScrollUIClockState ClockState{};

struct TdxTouchScrollUIModeState {
  rtl::TObject* ActiveOwner;
  bool Shown;
  int ShowCount;
  bool PressLock;
  TdxScrollUITimer* HideTimer;
};

constinit TdxTouchScrollUIModeState TouchState{};

TPoint ActivityMousePos(vcl::TWinControl* AControl, const rtl::TMessage& AMessage)
{
  if (AControl->GetWidth() > HugeControlSize || AControl->GetHeight() > HugeControlSize)
    return AControl->ScreenToClient(cxGetMouseCursorPosition());
  return TPoint{static_cast<SHORT>(LOWORD(AMessage.LParam)), static_cast<SHORT>(HIWORD(AMessage.LParam))};
}

IdxTouchScrollUIOwner* ActiveOwner()
{
  return dxGetTouchScrollUIOwner(TouchState.ActiveOwner);
}

// A move or size of a window that holds the control, or of an MDI child.
bool IsOwnerMovedWith(IdxTouchScrollUIOwner* AOwner, HWND AWnd)
{
  if (dxIsScrollUIOwnerInside(AOwner, AWnd))
    return true;
  return (GetWindowLongW(AWnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

void TouchScrollUIInitialization()
{
  cxAddScrollUIWindowWatcher({&TdxTouchScrollUIModeManager::CheckWindowMoved,
                              &TdxTouchScrollUIModeManager::CheckWindowHidden});
}

void TouchScrollUIFinalization()
{
  cxRemoveScrollUIWindowWatcher({&TdxTouchScrollUIModeManager::CheckWindowMoved,
                                 &TdxTouchScrollUIModeManager::CheckWindowHidden});
  rtl::FreeAndNil(TouchState.HideTimer);
  TouchState = {};
}

}  // namespace

RTL_UNIT(dxTouchScrollUI, &TouchScrollUIInitialization, &TouchScrollUIFinalization);

IdxTouchScrollUIOwner* dxGetTouchScrollUIOwner(rtl::TObject* AOwner)
{
  // Uncounted: the owner's life is its own (a control or a part of one).
  const rtl::TInterfaceEntry* entry = AOwner ? AOwner->GetInterfaceEntry(rtl::IIDOf<IdxTouchScrollUIOwner>()) : nullptr;
  return entry ? static_cast<IdxTouchScrollUIOwner*>(entry->Get(AOwner)) : nullptr;
}

bool dxIsScrollUIOwnerShowing(IdxTouchScrollUIOwner* AOwner)
{
  vcl::TWinControl* control = AOwner ? AOwner->GetScrollUIOwnerControl() : nullptr;
  return control && control->HandleAllocated() && IsWindowVisible(control->GetHandle());
}

bool dxIsScrollUIOwnerInside(IdxTouchScrollUIOwner* AOwner, HWND AWnd)
{
  vcl::TWinControl* control = AOwner ? AOwner->GetScrollUIOwnerControl() : nullptr;
  if (!control || !control->HandleAllocated() || !AWnd)
    return false;
  const HWND handle = control->GetHandle();
  return handle == AWnd || IsChild(AWnd, handle);
}

// ---------------------------------------------------------------------------
// TdxScrollUITimer

void TdxScrollUITimer::Create(unsigned AInterval, rtl::TNotifyEvent AOnTimer)
{
  inherited::Create();
  FInterval = AInterval;
  FOnTimer = AOnTimer;
}

void TdxScrollUITimer::Destroy()
{
  Stop();
  rtl::FreeAndNil(FPlatformTimer);
  inherited::Destroy();
}

void TdxScrollUITimer::Start()
{
  Stop();
  FEnabled = true;
  if (TdxScrollUIClock::Installed()) {
    FDueTime = TdxScrollUIClock::Now() + FInterval;
    TdxScrollUIClock::Register(this);
    return;
  }
  if (!FPlatformTimer) {
    FPlatformTimer = rtl::New<TcxTimer>(nullptr);
    FPlatformTimer->SetEnabled(false);
    FPlatformTimer->SetInterval(FInterval);
    FPlatformTimer->SetOnTimer(rtl::TNotifyEvent::Bind<&TdxScrollUITimer::PlatformTimerHandler>(this));
  }
  FPlatformTimer->SetEnabled(true);
}

void TdxScrollUITimer::Stop()
{
  FEnabled = false;
  TdxScrollUIClock::Unregister(this);
  if (FPlatformTimer)
    FPlatformTimer->SetEnabled(false);
}

void TdxScrollUITimer::PlatformTimerHandler(rtl::TObject* /*Sender*/)
{
  Tick();
}

// The handler may stop, restart or free the timer: nothing of it is
// touched afterwards.
void TdxScrollUITimer::Tick()
{
  if (!FEnabled)
    return;
  if (FOnTimer)
    FOnTimer(this);
  else if (FOnTimerProc)
    FOnTimerProc();
}

// ---------------------------------------------------------------------------
// TdxScrollUIClock

void TdxScrollUIClock::Install()
{
  if (ClockState.Installed)
    return;
  ClockState.Installed = true;
  // Far from zero: the animations take a zero counter for "not started".
  ClockState.Now = 1000;
  ClockState.Timers = new std::vector<TdxScrollUITimer*>();
  ClockState.PreviousCounter = dxSetReadPerformanceCounter(&TdxScrollUIClock::ReadCounter);
}

void TdxScrollUIClock::Uninstall()
{
  if (!ClockState.Installed)
    return;
  dxSetReadPerformanceCounter(ClockState.PreviousCounter);
  // Timers still waiting stay stopped: the test's time is gone.
  for (TdxScrollUITimer* timer : *ClockState.Timers)
    timer->FEnabled = false;
  delete ClockState.Timers;
  ClockState = {};
}

bool TdxScrollUIClock::Installed()
{
  return ClockState.Installed;
}

std::int64_t TdxScrollUIClock::Now()
{
  return ClockState.Now - 1000;
}

void TdxScrollUIClock::Advance(unsigned AMilliseconds)
{
  for (unsigned i = 0; i < AMilliseconds && ClockState.Installed; ++i) {
    ++ClockState.Now;
    dxGlobalAnimationController()->Update();
    // Due timers fire in start order; a handler may start, stop or free
    // any timer, so each is looked up again before it runs.
    for (;;) {
      auto& timers = *ClockState.Timers;
      const auto due = std::find_if(timers.begin(), timers.end(),
                                    [](const TdxScrollUITimer* ATimer) { return ATimer->FDueTime <= Now(); });
      if (due == timers.end())
        break;
      TdxScrollUITimer* timer = *due;
      timer->FDueTime = Now() + std::max(1u, timer->FInterval);
      std::rotate(due, due + 1, timers.end());
      timer->Tick();
    }
  }
}

void TdxScrollUIClock::Register(TdxScrollUITimer* ATimer)
{
  Unregister(ATimer);
  ClockState.Timers->push_back(ATimer);
}

void TdxScrollUIClock::Unregister(TdxScrollUITimer* ATimer)
{
  if (ClockState.Installed)
    std::erase(*ClockState.Timers, ATimer);
}

// The animations count in performance-counter ticks.
std::int64_t TdxScrollUIClock::ReadCounter()
{
  return dxMillisecondsToTicks(static_cast<unsigned>(ClockState.Now));
}

// ---------------------------------------------------------------------------
// TdxTouchScrollUIActivityHelper

bool TdxTouchScrollUIActivityHelper::CheckScrollActivity(vcl::TWinControl* AControl, const rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint p = ActivityMousePos(AControl, AMessage);
      if (auto* control = rtl::As<TcxControl>(AControl); control && control->IsPointOnScrollBars(p))
        return true;
      if (!FMouseEnter) {
        FMouseEnter = true;
        FLastMousePos = p;
        return false;
      }
      if (std::abs(p.x - FLastMousePos.x) < ActivityDistance && std::abs(p.y - FLastMousePos.y) < ActivityDistance)
        return false;
      FLastMousePos = p;
      return true;
    }
    case rtl::CM_MOUSELEAVE:
      FMouseEnter = false;
      return false;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------
// TdxTouchScrollUIModeManager

void TdxTouchScrollUIModeManager::ShowScrollUI(rtl::TObject* AUIOwner, bool AControlledByTimer)
{
  if (TouchState.PressLock && AUIOwner != TouchState.ActiveOwner)
    return;
  if (!dxIsScrollUIOwnerShowing(dxGetTouchScrollUIOwner(AUIOwner)))
    return;
  if (AUIOwner != TouchState.ActiveOwner) {
    InternalHide(true);
    TouchState.ActiveOwner = AUIOwner;
  }
  if (TouchState.HideTimer)
    TouchState.HideTimer->Stop();
  ++TouchState.ShowCount;
  if (!TouchState.Shown) {
    TouchState.Shown = true;
    if (IdxTouchScrollUIOwner* owner = ActiveOwner())
      owner->ScrollUIStateChanged();
  }
  if (AControlledByTimer)
    InternalHide(false);
}

void TdxTouchScrollUIModeManager::HideScrollUI(rtl::TObject* AUIOwner, bool AImmediately)
{
  if (AUIOwner && AUIOwner == TouchState.ActiveOwner)
    InternalHide(AImmediately);
}

bool TdxTouchScrollUIModeManager::IsScrollUIHidden(rtl::TObject* AUIOwner)
{
  return !(TouchState.Shown && AUIOwner && AUIOwner == TouchState.ActiveOwner);
}

void TdxTouchScrollUIModeManager::Deactivate(rtl::TObject* AUIOwner)
{
  if (!AUIOwner || AUIOwner != TouchState.ActiveOwner)
    return;
  if (TouchState.HideTimer)
    TouchState.HideTimer->Stop();
  TouchState.ActiveOwner = nullptr;
  TouchState.Shown = false;
  TouchState.ShowCount = 0;
  TouchState.PressLock = false;
}

void TdxTouchScrollUIModeManager::CheckWindowMoved(HWND AWnd)
{
  IdxTouchScrollUIOwner* owner = ActiveOwner();
  if (owner && owner->HasVisibleScrollUI() && IsOwnerMovedWith(owner, AWnd))
    owner->ScrollUIStateChanged();
}

void TdxTouchScrollUIModeManager::CheckWindowHidden(HWND AWnd)
{
  if (dxIsScrollUIOwnerInside(ActiveOwner(), AWnd))
    InternalHide(true);
}

void TdxTouchScrollUIModeManager::SetPressLock(bool AValue)
{
  TouchState.PressLock = AValue;
}

void TdxTouchScrollUIModeManager::ProcessBarMessage(rtl::TObject* AUIOwner, TdxTouchScrollUIActivityHelper* AHelper,
                                                    vcl::TWinControl* ABar, const rtl::TMessage& AMessage)
{
  switch (AMessage.Msg) {
    case WM_LBUTTONDOWN:
      ShowScrollUI(AUIOwner, false);
      if (AUIOwner == TouchState.ActiveOwner)
        SetPressLock(true);
      return;
    case WM_LBUTTONUP:
      SetPressLock(false);
      ShowScrollUI(AUIOwner, true);
      return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      ShowScrollUI(AUIOwner, true);
      return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      HideScrollUI(AUIOwner, false);
      return;
    case WM_ACTIVATEAPP:
      if (AMessage.WParam == 0)
        HideScrollUI(AUIOwner, true);
      return;
    default:
      if (AHelper && ABar && AHelper->CheckScrollActivity(ABar, AMessage))
        ShowScrollUI(AUIOwner, true);
      return;
  }
}

rtl::TObject* TdxTouchScrollUIModeManager::GetActiveOwner()
{
  return TouchState.ActiveOwner;
}

bool TdxTouchScrollUIModeManager::GetShown()
{
  return TouchState.Shown;
}

int TdxTouchScrollUIModeManager::GetShowCount()
{
  return TouchState.ShowCount;
}

bool TdxTouchScrollUIModeManager::GetPressLock()
{
  return TouchState.PressLock;
}

bool TdxTouchScrollUIModeManager::IsHideTimerActive()
{
  return TouchState.HideTimer && TouchState.HideTimer->GetEnabled();
}

void TdxTouchScrollUIModeManager::InternalHide(bool AImmediately)
{
  if (AImmediately) {
    TouchState.PressLock = false;
    if (TouchState.HideTimer)
      TouchState.HideTimer->Stop();
    TouchState.Shown = false;
    TouchState.ShowCount = 0;
    if (IdxTouchScrollUIOwner* owner = ActiveOwner())
      owner->DoHideScrollUI();
    return;
  }
  TouchState.ShowCount = std::max(0, TouchState.ShowCount - 1);
  if (TouchState.ShowCount > 0 || !TouchState.Shown)
    return;
  if (!TouchState.HideTimer) {
    TouchState.HideTimer = rtl::New<TdxScrollUITimer>(HideDelay, rtl::TNotifyEvent{});
    TouchState.HideTimer->SetOnTimerProc(&TdxTouchScrollUIModeManager::HideTimerTick);
  }
  TouchState.HideTimer->Start();
}

void TdxTouchScrollUIModeManager::HideTimerTick()
{
  TouchState.HideTimer->Stop();
  InternalHide(true);
}

// ---------------------------------------------------------------------------
// TcxPopupScrollBarPainter

namespace {

// The shared 2-D graphics canvas on the canvas's DC over R for a scope.
class TTouchGpPaint {
 public:
  TTouchGpPaint(TcxCanvas* ACanvas, const TRect& R) : FCanvas(dxGpPaintCanvas())
  {
    FCanvas->BeginPaint(ACanvas->GetHandle(), R);
  }
  TTouchGpPaint(const TTouchGpPaint&) = delete;
  TTouchGpPaint& operator=(const TTouchGpPaint&) = delete;
  ~TTouchGpPaint() { FCanvas->EndPaint(); }
  TdxGPPaintCanvas* operator->() const { return FCanvas; }

 private:
  TdxGPPaintCanvas* FCanvas;
};

}  // namespace

TRect TcxPopupScrollBarPainter::ThumbRect(const TRect& R, TScrollBarKind AKind)
{
  TRect result = R;
  if (AKind == TScrollBarKind::sbVertical) {
    const int third = cxRectGetWidth(R) / 3;
    result.left += third;
    result.right -= third;
  } else {
    const int third = cxRectGetHeight(R) / 3;
    result.top += third;
    result.bottom -= third;
  }
  return result;
}

void TcxPopupScrollBarPainter::DrawBackground(TcxCanvas* ACanvas, const TRect& R)
{
  const bool hot = GetScrollBar()->GetViewInfo()->GetHotPart() != TcxScrollBarPart::sbpNone;
  TTouchGpPaint canvas(ACanvas, R);
  canvas->FillRectangle(R, dxColorToAlphaColor(vcl::TColor(0xC0C0C0), hot ? HotBackgroundAlpha : 1));
}

void TcxPopupScrollBarPainter::DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState /*AState*/,
                                        TcxScrollBarPart APart)
{
  if (APart != TcxScrollBarPart::sbpThumbnail || IsRectEmpty(&R))
    return;
  TTouchGpPaint canvas(ACanvas, R);
  canvas->Rectangle(ThumbRect(R, GetScrollBar()->GetKind()), dxColorToAlphaColor(vcl::TColor(0xFFFFFF), ThumbFrameAlpha),
                    dxColorToAlphaColor(vcl::TColor(0x808080), ThumbAlpha), 1);
}
