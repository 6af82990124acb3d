// The ExtCtrls unit: TTimer, a component whose ticks arrive as WM_TIMER
// messages of its own hidden window on the thread that made it.
#pragma once

#include <windows.h>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/TypInfo.h"

namespace vcl {

// Ticks every Interval milliseconds while Enabled, OnTimer assigned and
// Interval not 0. Every change of the three restarts the count from zero, as
// the framework's timer does: an assignment of the same value included for
// OnTimer, not for the other two.
class TTimer : public rtl::TComponent {
  RTL_CLASS(TTimer, rtl::TComponent)
  RTL_PUBLISHED(RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_DEFAULT(true)),
                RTL_PROPERTY(Interval, GetInterval, SetInterval, RTL_DEFAULT(1000u)),
                RTL_PROPERTY(OnTimer, GetOnTimer, SetOnTimer))

 public:
  // Enabled, 1000 ms, no OnTimer; the hidden window is made here.
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned AValue);
  rtl::TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(rtl::TNotifyEvent AValue);

 protected:
  // One tick: OnTimer with the timer as sender. Freeing the timer from its
  // OnTimer is safe: nothing touches the object after the handler returns.
  virtual void Timer();

 private:
  // Kills the platform timer and sets it again when the timer should run;
  // raises EOutOfResources when Windows has no timer left.
  void UpdateTimer();
  void WndProc(rtl::TMessage& AMessage);

  HWND FWindowHandle;
  unsigned FInterval;
  rtl::TNotifyEvent FOnTimer;
  bool FEnabled;
};

}  // namespace vcl
