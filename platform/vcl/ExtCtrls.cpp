#include "platform/vcl/ExtCtrls.h"

#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Graphics.h"

namespace vcl {

namespace {

// One platform timer per hidden window, so one identifier serves all.
constexpr UINT_PTR kTimerID = 1;

}  // namespace

void TTimer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  FEnabled = true;
  FInterval = 1000;
  FWindowHandle = rtl::AllocateHWnd(rtl::TWndMethod::Bind<&TTimer::WndProc>(this));
}

void TTimer::Destroy()
{
  FEnabled = false;
  if (FWindowHandle)
    UpdateTimer();
  rtl::DeallocateHWnd(FWindowHandle);
  FWindowHandle = nullptr;
  inherited::Destroy();
}

void TTimer::SetEnabled(bool AValue)
{
  if (AValue == FEnabled)
    return;
  FEnabled = AValue;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned AValue)
{
  if (AValue == FInterval)
    return;
  FInterval = AValue;
  UpdateTimer();
}

void TTimer::SetOnTimer(rtl::TNotifyEvent AValue)
{
  FOnTimer = AValue;
  UpdateTimer();
}

void TTimer::Timer()
{
  if (FOnTimer)
    FOnTimer(this);
}

void TTimer::UpdateTimer()
{
  // KillTimer also drops a WM_TIMER already posted, so no stale tick
  // arrives after a stop.
  KillTimer(FWindowHandle, kTimerID);
  if (FInterval != 0 && FEnabled && FOnTimer && !SetTimer(FWindowHandle, kTimerID, FInterval, nullptr))
    throw EOutOfResources(L"Not enough timers available");
}

void TTimer::WndProc(rtl::TMessage& AMessage)
{
  if (AMessage.Msg != WM_TIMER) {
    AMessage.Result = DefWindowProcW(FWindowHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
    return;
  }
  // The hidden window's procedure hands exceptions to the application's
  // handler; here only the tick itself runs.
  Timer();
}

}  // namespace vcl
