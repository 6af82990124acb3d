#include "controls/cxMouseTracking.h"

#include "controls/cxControls.h"
#include "controls/cxWindowUtils.h"
#include "platform/vcl/Controls.h"

namespace {

constexpr unsigned MouseTrackingInterval = 10;

constinit TcxObjectList* MouseTrackingTimerList = nullptr;

}  // namespace

void TMouseTrackingTimer::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  SetInterval(MouseTrackingInterval);
  SetOnTimer(rtl::TNotifyEvent::Bind<&TMouseTrackingTimer::TrackingTimerHandler>(this));
}

bool TMouseTrackingTimer::IsControlUnavailable()
{
  return !Control->HandleAllocated() || !cxIsWindowEnabledWithParents(Control->GetHandle());
}

bool TMouseTrackingTimer::IsCursorInside(const TPoint& ACursor)
{
  const bool hasWindow = Control && Control->HandleAllocated();
  if (hasWindow) {
    // Another window over the area takes the mouse, unless the control
    // holds the capture.
    const HWND under = cxFindWindowAtScreenPoint(ACursor);
    if (!cxIsSameOrChildWindow(Control->GetHandle(), under) && GetCapture() != Control->GetHandle())
      return false;
  }
  rtl::IPtr<IcxMouseTrackingCaller2> caller2;
  if (rtl::Supports(Caller, &caller2)) {
    if (!Control)
      return caller2->PtInCaller(ACursor);
    return hasWindow && caller2->PtInCaller(Control->ScreenToClient(ACursor));
  }
  return PtInRect(&Bounds, ACursor) != FALSE;
}

void TMouseTrackingTimer::TrackingTimerHandler(rtl::TObject* /*ASender*/)
{
  const TPoint cursor = cxGetMouseCursorPosition();
  const bool unavailable = Control && IsControlUnavailable();
  bool stop = unavailable;
  if (!stop && !IsCursorInside(cursor)) {
    rtl::IPtr<IcxMouseTrackingCaller3> caller3;
    stop = !rtl::Supports(Caller, &caller3) || !caller3->KeepTracking();
  }
  if (stop)
    StopTracking(cursor, unavailable);
}

void TMouseTrackingTimer::StopTracking(const TPoint& ACursor, bool AControlUnavailable)
{
  SetEnabled(false);
  // Whatever runs from here may end the tracking and so free this timer:
  // only locals are used.
  const rtl::IPtr<IcxMouseTrackingCaller> caller = Caller;
  vcl::TWinControl* control = Control;
  if (control && control->HandleAllocated()) {
    const TPoint client = control->ScreenToClient(ACursor);
    const TRect clientRect = control->GetClientRect();
    if (AControlUnavailable || !PtInRect(&clientRect, client))
      control->Perform(rtl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  }
  caller->MouseLeave();
  cxEndMouseTracking(caller.Get());
}

TcxObjectList* cxGetMouseTrackingTimerList()
{
  if (!MouseTrackingTimerList && !cxControlsFinalized())
    MouseTrackingTimerList = rtl::New<TcxObjectList>(false);
  return MouseTrackingTimerList;
}

int cxFreeMouseTrackingTimerList()
{
  if (!MouseTrackingTimerList)
    return 0;
  const int leaked = MouseTrackingTimerList->GetCount();
  for (int i = leaked - 1; i >= 0; --i)
    rtl::Free(MouseTrackingTimerList->GetItem(i));
  rtl::FreeAndNil(MouseTrackingTimerList);
  return leaked;
}

TMouseTrackingTimer* cxFindMouseTrackingTimer(IcxMouseTrackingCaller* ACaller)
{
  if (!MouseTrackingTimerList || !ACaller)
    return nullptr;
  for (int i = 0; i < MouseTrackingTimerList->GetCount(); ++i) {
    auto* timer = static_cast<TMouseTrackingTimer*>(MouseTrackingTimerList->GetItem(i));
    if (timer->Caller.Get() == ACaller)
      return timer;
  }
  return nullptr;
}

bool cxIsMouseTracking(IcxMouseTrackingCaller* ACaller)
{
  return cxFindMouseTrackingTimer(ACaller) != nullptr;
}

void cxBeginMouseTracking(vcl::TWinControl* AControl, const TRect& ABounds, IcxMouseTrackingCaller* ACaller)
{
  TcxObjectList* list = cxGetMouseTrackingTimerList();
  if (!list || !ACaller || cxIsMouseTracking(ACaller))
    return;
  auto* timer = rtl::New<TMouseTrackingTimer>(nullptr);
  timer->Control = AControl;
  timer->Bounds = AControl ? AControl->ClientToScreen(ABounds) : ABounds;
  timer->Caller = ACaller;
  list->Add(timer);
}

void cxEndMouseTracking(IcxMouseTrackingCaller* ACaller)
{
  TMouseTrackingTimer* timer = cxFindMouseTrackingTimer(ACaller);
  if (!timer)
    return;
  MouseTrackingTimerList->Remove(timer);
  rtl::Free(timer);
}
