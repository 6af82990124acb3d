// Middle-button anchor scrolling: a round anchor picture stays under the
// point where the middle button went down, and while the mouse is away from
// it the content scrolls toward the mouse, faster the farther it is.
// cxAnchorScroll runs the whole mode in a nested message loop; the control
// supplies the step that scrolls one line in a direction.
#pragma once

#include <windows.h>

#include "controls/dxRightToLeftLayout.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/Controls.h"

// Scrolls one step; called on the clock's ticks, also with dirNone.
using TcxAnchorScrollStep = rtl::TMethod<void(TcxDirection ADirection)>;

// The clock of the mode: a tick every 20 ms by default. Tests step the mode
// with their own.
class TcxAnchorScrollClock {
 public:
  virtual ~TcxAnchorScrollClock() = default;
  virtual void Start() = 0;
  virtual void Stop() = 0;
  // Whether AMessage is one of this clock's ticks.
  virtual bool IsTick(const MSG& AMessage) const = 0;
};

// The fastest speed: a step on every tick.
inline constexpr int cxAnchorScrollMaxSpeed = 12;

// What the loop does with one message.
enum class TcxAnchorScrollAction { Dispatch, DispatchAndEnd, End, Consume };

// The direction, speed and cursor the mouse asks for, and what each message
// does to the mode; the loop of cxAnchorScroll around it only reads messages
// and calls the step.
class TcxAnchorScrollTracker {
 public:
  // AAnchor in screen coordinates; AAnchorWidth is the picture's width.
  TcxAnchorScrollTracker(const TPoint& AAnchor, int AAnchorWidth, bool ACanScrollHorz, bool ACanScrollVert);

  // The mouse at AScreenPoint: the direction, speed and cursor follow.
  void MouseMove(const TPoint& AScreenPoint);
  // One tick of the clock; true when the step is due.
  bool Tick();
  // AScreenPoint is the message's mouse point (used by WM_MOUSEMOVE only).
  TcxAnchorScrollAction Classify(const MSG& AMessage, const TPoint& AScreenPoint);

  TcxDirection GetDirection() const { return FDirection; }
  int GetSpeed() const { return FSpeed; }
  vcl::TCursor GetCursor() const;
  // The mouse has left the neutral zone since the mode began.
  bool GetLeftNeutralZone() const { return FLeftNeutralZone; }

 private:
  bool IsInNeutralZone(const TPoint& P) const;

  TPoint FAnchor;
  int FAnchorWidth;
  bool FCanScrollHorz;
  bool FCanScrollVert;
  TcxDirection FDirection = TcxDirection::dirNone;
  int FSpeed = 1;
  int FTickCount = 0;
  bool FLeftNeutralZone = false;
  TPoint FLastPoint;
};

// Runs the mode over AControl's window until a click, Esc, a lost capture or
// WM_QUIT ends it; AScrolling (a field of AControl) is true meanwhile. A
// step that frees AControl ends the mode. Nothing happens when neither
// direction may scroll or the control has no window.
void cxAnchorScroll(vcl::TWinControl* AControl, bool ACanScrollHorz, bool ACanScrollVert, bool& AScrolling,
                    TcxAnchorScrollStep AScrollStep);
// The same with the given clock.
void cxAnchorScroll(vcl::TWinControl* AControl, bool ACanScrollHorz, bool ACanScrollVert, bool& AScrolling,
                    TcxAnchorScrollStep AScrollStep, TcxAnchorScrollClock& AClock);
