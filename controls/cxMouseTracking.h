// Mouse tracking: objects that draw hot states inside a window learn when
// the mouse has left them, even when it leaves the window fast or moves onto
// another window. Each tracked caller has a 10 ms timer that watches the
// cursor and calls the caller back once it has left.
//
// The list of running timers is created on first use and freed by the
// control framework's shut-down; after it no tracking starts. Callers end
// their tracking before they go. User-interface thread only.
#pragma once

#include <windows.h>

#include "core/cxClasses.h"
#include "core/dxTypeHelpers.h"
#include "platform/rtl/System.h"

namespace vcl {
class TWinControl;
}

struct IcxMouseTrackingCaller : rtl::IInterface {
  RTL_GUID(IcxMouseTrackingCaller, "{84A4BCBE-E001-4D60-B7A6-75E2B0DCD3E9}")
  // Once, when tracking ends because the cursor left.
  virtual void __stdcall MouseLeave() = 0;
};

struct IcxMouseTrackingCaller2 : IcxMouseTrackingCaller {
  RTL_GUID(IcxMouseTrackingCaller2, "{3A5D973B-F016-4F22-80B6-1D35668D7743}")
  // Whether P (client coordinates of the tracked control, screen
  // coordinates without one) is still inside the caller.
  virtual bool __stdcall PtInCaller(const TPoint& P) = 0;
};

struct IcxMouseTrackingCaller3 : IcxMouseTrackingCaller2 {
  RTL_GUID(IcxMouseTrackingCaller3, "{94877AC7-D2D8-4F2B-8396-DF3CB45E01DF}")
  // While True, leaving the area does not end tracking.
  virtual bool __stdcall KeepTracking() = 0;
};

class TMouseTrackingTimer : public TcxTimer {
  RTL_CLASS(TMouseTrackingTimer, TcxTimer)

 public:
  // 10 ms, ticking into the tracking step.
  void Create(rtl::TComponent* AOwner) override;

  rtl::IPtr<IcxMouseTrackingCaller> Caller;
  // May be nil: then Bounds alone (screen coordinates) is the area.
  vcl::TWinControl* Control;
  // Screen coordinates.
  TRect Bounds;

 private:
  void TrackingTimerHandler(rtl::TObject* ASender);
  // The control has no window, or its window or a parent of a child window
  // is disabled.
  bool IsControlUnavailable();
  bool IsCursorInside(const TPoint& ACursor);
  void StopTracking(const TPoint& ACursor, bool AControlUnavailable);
};

// Nothing when ACaller is tracked already (the first bounds stay) or after
// the shut-down. ABounds is in AControl's client coordinates, or in screen
// coordinates without a control.
void cxBeginMouseTracking(vcl::TWinControl* AControl, const TRect& ABounds, IcxMouseTrackingCaller* ACaller);
void cxEndMouseTracking(IcxMouseTrackingCaller* ACaller);
bool cxIsMouseTracking(IcxMouseTrackingCaller* ACaller);
TMouseTrackingTimer* cxFindMouseTrackingTimer(IcxMouseTrackingCaller* ACaller);

// The running timers; nil once the control framework has shut down.
TcxObjectList* cxGetMouseTrackingTimerList();
// The shut-down's step: frees the list and answers how many timers were
// still registered in it (and are freed with it).
int cxFreeMouseTrackingTimerList();
