// The control framework's routines for windows, forms, keys and the mouse:
// - window relations, styles, text and procedures;
// - rectangles and points in window, client and screen coordinates, work
//   areas and the deepest window under a point;
// - z-order and redraw helpers;
// - keyboard, mouse-button and shift-state conversions;
// - the drag-detection loop (cxDragDetect);
// - components: the first owned of a class, the owner path.
// The invalid rectangle is (0, 0, 0, 0), the invalid point (-1, -1).
// User-interface thread only; no state of their own.
#pragma once

#include <windows.h>

#include <vector>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/vcl/ControlsMessages.h"

namespace vcl {
class TControl;
class TWinControl;
class TCustomForm;
}  // namespace vcl

class TcxFreeNotificator;

// ---------------------------------------------------------------------------
// Windows and forms

bool cxIsWindowOfCurrentProcess(HWND AWnd);
// The frame is calculated again (SWP_FRAMECHANGED); with AUpdate the window
// is painted at once.
void cxApplyWindowFrameChange(HWND AWnd, bool AUpdate = true);
// Installs AProc and answers the previous procedure (nil on failure).
WNDPROC cxSetWindowProc(HWND AWnd, WNDPROC AProc);
// AIndex 0 is the style, 1 the extended style; AMode 0 stores AValue, 1 ORs
// it in, 2 clears its bits. Answers the previous value.
enum class TcxWindowLongMode { Set, Include, Exclude };
LONG cxModifyWindowLong(HWND AWnd, int AIndex, LONG AValue, TcxWindowLongMode AMode);
bool cxIsWindowLayoutRTL(HWND AWnd);
bool cxIsChildStyleWindow(HWND AWnd);
// AParent is AWnd or one of its ancestors; False for 0.
bool cxIsSameOrChildWindow(HWND AParent, HWND AWnd);
// AAncestor is reached from AWnd through GetParent (owners included).
bool cxIsAncestorWindow(HWND AAncestor, HWND AWnd);
// Enabled, and so is every parent of a child window.
bool cxIsWindowEnabledWithParents(HWND AWnd);
bool cxIsControlWindowVisible(vcl::TWinControl* AControl);
// AParent is on AControl's parent chain; False for nil.
bool cxControlHasParent(vcl::TWinControl* AParent, vcl::TControl* AControl);
// AWnd has the focus or, being a child window, one of its parents has.
bool cxWindowOrParentHasFocus(HWND AWnd);
// The framework control of the window; nil when it has none.
vcl::TWinControl* cxFindControlByWindow(HWND AWnd);
// Of the window or of its nearest ancestor that has one.
vcl::TWinControl* cxFindParentControlByWindow(HWND AWnd);
vcl::TCustomForm* cxGetParentFormOfWindow(HWND AWnd);
// The screen's active form, or the form of the active window's control.
vcl::TCustomForm* cxGetActiveForm();
// The control's parent form or, when that is a floating form, the form it
// belongs to.
vcl::TCustomForm* cxGetHostParentForm(vcl::TControl* AControl);
// Sends AMsg to the control and each parent in turn, up to (not including)
// the first form.
void cxPerformUpToForm(vcl::TControl* AControl, UINT AMsg);
// CM_RECREATEWND for a control with a window, posted or sent.
void cxRecreateControlWindow(vcl::TWinControl* AControl, bool APost = false);
void cxRedrawWindow(HWND AWnd, UINT AFlags);
// WM_NCPAINT with a region of R (screen coordinates).
void cxSendNCPaintForRect(HWND AWnd, const TRect& R);
void cxSetWindowZOrder(HWND AWnd, HWND AInsertAfter, bool AActivate = false, UINT AFlags = 0);
// At most 1023 characters.
rtl::String cxReadWindowText(HWND AWnd);

// ---------------------------------------------------------------------------
// Rectangles and points

TRect cxGetWindowClientRect(HWND AWnd);
TRect cxGetWindowScreenRect(HWND AWnd);
// The empty rectangle without a window.
TRect cxGetControlWindowRect(vcl::TWinControl* AControl);
// The window rectangle moved to (0, 0).
TRect cxGetWindowSizeRect(HWND AWnd);
TRect cxGetControlWindowSizeRect(vcl::TWinControl* AControl);
TPoint cxClientToScreenPoint(HWND AWnd, const TPoint& P);
// Where the client area starts inside the window rectangle; measured from
// the right edge for a right-to-left layout.
TPoint cxGetClientOriginInWindow(HWND AWnd);
// Between client coordinates (0 is the screen) when AClient, else between
// window coordinates.
TPoint cxMapWindowPoint(HWND AFrom, HWND ATo, const TPoint& P, bool AClient = true);
TRect cxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClient = true);
// R moved (not resized) into the work area of the monitor nearest to P;
// left and top win for a rectangle larger than the area.
TRect cxFitRectToWorkArea(const TRect& R, const TPoint& P);
TRect cxGetWorkAreaAtPoint(const TPoint& P);
// The screen's work area for monitor 0.
TRect cxGetMonitorWorkAreaRect(HMONITOR AMonitor);
// (-1, -1) when the cursor position cannot be read (a locked desktop).
TPoint cxGetMouseCursorPosition();
// The innermost visible window under P (screen) from AWnd down.
HWND cxFindDeepestChildWindow(HWND AWnd, const TPoint& P);
// 0 when no window is there.
HWND cxFindWindowAtScreenPoint(const TPoint& P);

// ---------------------------------------------------------------------------
// Keyboard, mouse and shift states

// The character the key gives with the current keyboard state; 0 unless
// exactly one results.
wchar_t cxKeyCodeToChar(WORD AKey);
// 1 left button, 2 right button, 4 Shift, 8 Ctrl, 16 middle button.
int cxGetAsyncMouseKeyFlags();
int cxShiftStateToMouseKeyFlags(vcl::TShiftState AShift);
UINT cxGetDoubleClickTime();
bool cxNoKeysOrButtonsInShift(vcl::TShiftState AShift);
// ssLeft alone; ssDouble too when AAllowDouble.
bool cxIsLeftButtonOnlyShift(vcl::TShiftState AShift, bool AAllowDouble = true);
bool cxIsCtrlPressed();
// Cancel, Tab, Clear, Enter, the shift keys, Pause, Caps Lock, Esc, the
// navigation and editing keys, the Windows and application keys, the
// numeric pad, F1-F24, Num and Scroll Lock, the IME process key and the OEM
// keys 246-254. False above 255.
bool cxIsSpecialVirtualKey(WORD AKey);
bool cxIsNonControlChar(wchar_t AChar);
WORD cxMapEditKey(WORD AKey);
// Both distances from AStart are below the mouse's drag threshold.
bool cxIsWithinDragThreshold(const TPoint& AStart, int X, int Y);
// SetCapture unless AWnd has the capture already.
void cxSetCapture(HWND AWnd);

// The results of cxDragDetect.
enum class TcxDragDetect { ddNone = 0, ddDrag = 1, ddCancel = 2 };
// Runs a message loop while AWnd holds the capture it takes: leaving a
// square of twice the drag threshold around AStartPos (screen) starts a
// drag; a button release ends without one; Esc, losing the capture, a
// WM_QUIT (posted again) or a GetMessage error cancels. Every message is
// dispatched, so the window may be destroyed meanwhile.
TcxDragDetect cxDragDetect(HWND AWnd, const TPoint& AStartPos);

// ---------------------------------------------------------------------------
// Top-most windows during modal loops

// Keeps the application's own registered forms in front, in registration
// order, while a modal form runs: a form that comes forward during the
// modal loop would otherwise hide them. One instance lives from the control
// framework's start-up to its shut-down (cxControls.h).
class TdxApplicationActivateWindowHelper : public rtl::TObject {
  RTL_CLASS(TdxApplicationActivateWindowHelper, rtl::TObject)

 public:
  void Create();
  void Destroy() override;

  // A form is listed once; a freed form leaves the list by itself.
  void AddWindow(vcl::TCustomForm* AForm);
  void RemoveWindow(vcl::TCustomForm* AForm);
  // Only while a modal form runs, for a form that is not the focused one
  // and is not registered after the newest modal one: brings every
  // registered form with a window to the front without activating it, the
  // oldest ending in front, and the focused form above them all.
  void NormalizeTopMostWindows(vcl::TCustomForm* AForm);

  int GetWindowCount() const { return static_cast<int>(FWindowsList.size()); }

 private:
  void FreeNotification(rtl::TComponent* AComponent);
  bool IsRegisteredSinceModal(vcl::TCustomForm* AForm) const;

  TcxFreeNotificator* FFreeNotificator;
  std::vector<vcl::TCustomForm*> FWindowsList;
};

// ---------------------------------------------------------------------------
// Components

// The first component owned by AOwner (in Components order) of AClass.
rtl::TComponent* cxFindOwnedComponent(rtl::TComponent* AOwner, rtl::TClass AClass);
TPoint cxControlPointToParent(vcl::TControl* AControl, const TPoint& P, vcl::TWinControl* AParent);
// The names along the owner chain from the outermost owner in, joined with
// "."; components without a name are skipped.
rtl::String cxGetComponentPath(rtl::TComponent* AComponent);
