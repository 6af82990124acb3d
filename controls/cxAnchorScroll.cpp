#include "controls/cxAnchorScroll.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "controls/cxControls.h"
#include "platform/rtl/ClassesThreads.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxDirection;

namespace {

// Pixels of distance per speed step beyond the anchor's half width.
constexpr int SpeedPixels = 5;
constexpr UINT TickInterval = 20;

// A thread timer: its WM_TIMER has no window and the timer's id.
class TAnchorScrollTimer : public TcxAnchorScrollClock {
 public:
  TAnchorScrollTimer() = default;
  TAnchorScrollTimer(const TAnchorScrollTimer&) = delete;
  TAnchorScrollTimer& operator=(const TAnchorScrollTimer&) = delete;
  ~TAnchorScrollTimer() override { Stop(); }

  void Start() override { FId = SetTimer(nullptr, 0, TickInterval, nullptr); }
  void Stop() override
  {
    if (const UINT_PTR id = std::exchange(FId, 0))
      KillTimer(nullptr, id);
  }
  bool IsTick(const MSG& AMessage) const override
  {
    return FId != 0 && AMessage.message == WM_TIMER && AMessage.hwnd == nullptr && AMessage.wParam == FId;
  }

 private:
  UINT_PTR FId = 0;
};

// Starts the clock for the scope of the loop.
class TClockRun {
 public:
  explicit TClockRun(TcxAnchorScrollClock& AClock) : FClock(AClock) { FClock.Start(); }
  ~TClockRun() { FClock.Stop(); }
  TClockRun(const TClockRun&) = delete;
  TClockRun& operator=(const TClockRun&) = delete;

 private:
  TcxAnchorScrollClock& FClock;
};

// The window's capture for the scope of the loop; given back only while the
// window still holds it.
class TCaptureGuard {
 public:
  explicit TCaptureGuard(HWND AWnd) : FWnd(AWnd) { SetCapture(AWnd); }
  ~TCaptureGuard()
  {
    if (GetCapture() == FWnd)
      ReleaseCapture();
  }
  TCaptureGuard(const TCaptureGuard&) = delete;
  TCaptureGuard& operator=(const TCaptureGuard&) = delete;

 private:
  HWND FWnd;
};

// Sets the control's running flag for the scope of the loop. The flag lives
// in the control: a step that frees the control leaves it alone.
class TScrollingFlag {
 public:
  TScrollingFlag(const rtl::TObject* AControl, bool& AFlag) : FWatch(AControl), FFlag(AFlag) { FFlag = true; }
  ~TScrollingFlag()
  {
    if (!FWatch.Freed())
      FFlag = false;
  }
  TScrollingFlag(const TScrollingFlag&) = delete;
  TScrollingFlag& operator=(const TScrollingFlag&) = delete;

 private:
  rtl::TFreeWatch FWatch;
  bool& FFlag;
};

const wchar_t* AnchorBitmapName(bool ACanScrollHorz, bool ACanScrollVert)
{
  if (ACanScrollHorz && ACanScrollVert)
    return L"CX_FULLSCROLLBITMAP";
  return ACanScrollHorz ? L"CX_HORSCROLLBITMAP" : L"CX_VERSCROLLBITMAP";
}

// The round picture under the anchor point: a topmost popup of the STATIC
// class owned by the control's window, cut to an ellipse. It never takes
// the activation.
class TAnchorWindow {
 public:
  TAnchorWindow(HWND AOwner, const TPoint& AAnchor, bool ACanScrollHorz, bool ACanScrollVert);
  ~TAnchorWindow();
  TAnchorWindow(const TAnchorWindow&) = delete;
  TAnchorWindow& operator=(const TAnchorWindow&) = delete;

  // The picture's width; 0 when the picture is missing.
  int Width() const { return FSize.cx; }

 private:
  static LRESULT CALLBACK WindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  void Draw(HDC ADC) const;

  vcl::TOwnedBitmap FBitmap;
  TSize FSize{0, 0};
  HWND FWnd = nullptr;
  WNDPROC FDefaultProc = nullptr;
};

TAnchorWindow::TAnchorWindow(HWND AOwner, const TPoint& AAnchor, bool ACanScrollHorz, bool ACanScrollVert)
{
  FBitmap.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                AnchorBitmapName(ACanScrollHorz, ACanScrollVert), IMAGE_BITMAP, 0, 0,
                                                LR_DEFAULTCOLOR)));
  BITMAP info{};
  if (!FBitmap || GetObjectW(FBitmap.Get(), sizeof(info), &info) == 0)
    return;
  FSize = TSize{info.bmWidth, info.bmHeight};
  FWnd = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", nullptr, WS_POPUP, AAnchor.x - FSize.cx / 2,
                         AAnchor.y - FSize.cy / 2, FSize.cx, FSize.cy, AOwner, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  if (!FWnd)
    return;
  SetWindowLongPtrW(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FDefaultProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAnchorWindow::WindowProc)));
  vcl::TOwnedRegion region(CreateEllipticRgn(0, 0, FSize.cx + 1, FSize.cy + 1));
  // The window owns its region once it took it.
  if (SetWindowRgn(FWnd, region.Get(), FALSE) != 0)
    region.Release();
  SetWindowPos(FWnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  vcl::TWindowDC dc(FWnd);
  if (dc)
    Draw(dc.Get());
}

TAnchorWindow::~TAnchorWindow()
{
  // Gone already when the owner's window went during the mode.
  if (FWnd && IsWindow(FWnd))
    DestroyWindow(FWnd);
}

void TAnchorWindow::Draw(HDC ADC) const
{
  vcl::TOwnedDC memoryDC(CreateCompatibleDC(ADC));
  if (memoryDC) {
    vcl::TSelectObjectGuard select(memoryDC.Get(), FBitmap.Get());
    BitBlt(ADC, 0, 0, FSize.cx, FSize.cy, memoryDC.Get(), 0, 0, SRCCOPY);
  }
  vcl::TOwnedRegion outline(CreateEllipticRgn(0, 0, FSize.cx + 1, FSize.cy + 1));
  if (outline)
    FrameRgn(ADC, outline.Get(), GetSysColorBrush(COLOR_WINDOWTEXT), 1, 1);
}

// The picture was drawn once when shown; a later paint request (the window
// uncovered) draws it again instead of leaving the static control's blank
// face.
LRESULT CALLBACK TAnchorWindow::WindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam)
{
  return rtl::GuardCallback(LRESULT{0}, [&]() -> LRESULT {
    const auto* self = reinterpret_cast<const TAnchorWindow*>(GetWindowLongPtrW(AWnd, GWLP_USERDATA));
    if (!self || !self->FDefaultProc)
      return DefWindowProcW(AWnd, AMsg, AWParam, ALParam);
    switch (AMsg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        if (const HDC dc = BeginPaint(AWnd, &ps)) {
          self->Draw(dc);
          EndPaint(AWnd, &ps);
        }
        return 0;
      }
      default:
        return CallWindowProcW(self->FDefaultProc, AWnd, AMsg, AWParam, ALParam);
    }
  });
}

// The mouse point of a mouse message in screen coordinates: the message's
// own client point, so that the mode sees exactly the moves that arrived.
TPoint MessageScreenPoint(const MSG& AMessage)
{
  POINT p{GET_X_LPARAM(AMessage.lParam), GET_Y_LPARAM(AMessage.lParam)};
  if (AMessage.hwnd)
    ClientToScreen(AMessage.hwnd, &p);
  return p;
}

void SetModeCursor(vcl::TCursor ACursor)
{
  if (const HCURSOR cursor = vcl::Screen()->GetCursors(ACursor))
    SetCursor(cursor);
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxAnchorScrollTracker

TcxAnchorScrollTracker::TcxAnchorScrollTracker(const TPoint& AAnchor, int AAnchorWidth, bool ACanScrollHorz,
                                               bool ACanScrollVert)
    : FAnchor(AAnchor),
      FAnchorWidth(AAnchorWidth),
      FCanScrollHorz(ACanScrollHorz),
      FCanScrollVert(ACanScrollVert),
      FLastPoint(AAnchor)
{
}

// A square as wide as the picture around the anchor; along an axis that may
// not scroll it has no end, so movement along it never scrolls.
bool TcxAnchorScrollTracker::IsInNeutralZone(const TPoint& P) const
{
  const int start = -(FAnchorWidth / 2);
  const int end = start + FAnchorWidth;
  const int dx = P.x - FAnchor.x;
  const int dy = P.y - FAnchor.y;
  const bool inX = !FCanScrollHorz || (dx >= start && dx < end);
  const bool inY = !FCanScrollVert || (dy >= start && dy < end);
  return inX && inY;
}

void TcxAnchorScrollTracker::MouseMove(const TPoint& AScreenPoint)
{
  if (AScreenPoint.x == FLastPoint.x && AScreenPoint.y == FLastPoint.y)
    return;
  FLastPoint = AScreenPoint;
  if (IsInNeutralZone(AScreenPoint)) {
    FDirection = dirNone;
    FSpeed = 0;
    return;
  }
  FLeftNeutralZone = true;
  const int dx = AScreenPoint.x - FAnchor.x;
  const int dy = AScreenPoint.y - FAnchor.y;
  int distance;
  if (!FCanScrollHorz || (FCanScrollVert && std::abs(dy) >= std::abs(dx))) {
    FDirection = dy < 0 ? dirUp : dirDown;
    distance = std::abs(dy);
  } else {
    FDirection = dx < 0 ? dirLeft : dirRight;
    distance = std::abs(dx);
  }
  FSpeed = std::min(cxAnchorScrollMaxSpeed, (distance - FAnchorWidth / 2) / SpeedPixels + 1);
}

bool TcxAnchorScrollTracker::Tick()
{
  ++FTickCount;
  return FTickCount % (cxAnchorScrollMaxSpeed + 1 - FSpeed) == 0;
}

vcl::TCursor TcxAnchorScrollTracker::GetCursor() const
{
  switch (FDirection) {
    case dirUp:
      return crcxUpScroll;
    case dirDown:
      return crcxDownScroll;
    case dirLeft:
      return crcxLeftScroll;
    case dirRight:
      return crcxRightScroll;
    default:
      break;
  }
  if (FCanScrollHorz && FCanScrollVert)
    return crcxFullScroll;
  return FCanScrollHorz ? crcxHorScroll : crcxVerScroll;
}

TcxAnchorScrollAction TcxAnchorScrollTracker::Classify(const MSG& AMessage, const TPoint& AScreenPoint)
{
  using enum TcxAnchorScrollAction;
  switch (AMessage.message) {
    case WM_MOUSEMOVE:
      MouseMove(AScreenPoint);
      return Consume;
    case WM_KEYDOWN:
    case WM_KEYUP:
      return AMessage.wParam == VK_ESCAPE ? DispatchAndEnd : Dispatch;
    case WM_MBUTTONUP:
      // A middle click without dragging keeps the mode until the next click.
      return FLeftNeutralZone ? DispatchAndEnd : Dispatch;
    default:
      break;
  }
  if (AMessage.message >= WM_LBUTTONDOWN && AMessage.message <= WM_MOUSEHWHEEL)
    return End;
  return Dispatch;
}

// ---------------------------------------------------------------------------
// The loop

void cxAnchorScroll(vcl::TWinControl* AControl, bool ACanScrollHorz, bool ACanScrollVert, bool& AScrolling,
                    TcxAnchorScrollStep AScrollStep)
{
  TAnchorScrollTimer timer;
  cxAnchorScroll(AControl, ACanScrollHorz, ACanScrollVert, AScrolling, AScrollStep, timer);
}

void cxAnchorScroll(vcl::TWinControl* AControl, bool ACanScrollHorz, bool ACanScrollVert, bool& AScrolling,
                    TcxAnchorScrollStep AScrollStep, TcxAnchorScrollClock& AClock)
{
  if ((!ACanScrollHorz && !ACanScrollVert) || !AControl || !AControl->HandleAllocated())
    return;
  const HWND wnd = AControl->GetHandle();
  const TScrollingFlag scrolling(AControl, AScrolling);
  POINT anchor{};
  GetCursorPos(&anchor);
  const TAnchorWindow anchorWindow(wnd, anchor, ACanScrollHorz, ACanScrollVert);
  TcxAnchorScrollTracker tracker(anchor, anchorWindow.Width(), ACanScrollHorz, ACanScrollVert);
  SetModeCursor(tracker.GetCursor());
  const TClockRun clockRun(AClock);
  const TCaptureGuard capture(wnd);
  // The step may free the control: its window then goes and the capture
  // with it, which ends the loop before the control is touched again.
  MSG msg;
  while (GetCapture() == wnd) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1)
      break;
    if (AClock.IsTick(msg)) {
      if (tracker.Tick() && AScrollStep)
        AScrollStep(tracker.GetDirection());
      continue;
    }
    const TcxAnchorScrollAction action = tracker.Classify(msg, MessageScreenPoint(msg));
    if (msg.message == WM_MOUSEMOVE)
      SetModeCursor(tracker.GetCursor());
    if (action == TcxAnchorScrollAction::End)
      break;
    if (action == TcxAnchorScrollAction::Consume)
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (action == TcxAnchorScrollAction::DispatchAndEnd)
      break;
    // The control lets the mouse go when a button goes up; a middle click
    // without dragging keeps the mode, so the capture comes back.
    if (msg.message == WM_MBUTTONUP && GetCapture() != wnd && IsWindow(wnd))
      SetCapture(wnd);
  }
}
