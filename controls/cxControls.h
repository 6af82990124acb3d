// The control framework's main unit. So far: its start-up and shut-down and
// the process-wide services every control shares.
// - start-up: the framework's cursors, the system controller, buffered
//   painting through the units loader, the helper that keeps the
//   application's forms in order during modal loops, the UpdateLayeredWindow
//   entry and a call-window-procedure hook that tells the scroll UI of
//   windows that move or hide;
// - the service getters (window-procedure chains, system information, the
//   hidden message window, the messages controller): each creates its object
//   on first request and answers nil once the shut-down has begun; callers
//   test for nil;
// - the shut-down, which undoes the start-up and frees the services.
// The base control comes to this unit as well.
#pragma once

#include <windows.h>

#include <span>

#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Controls.h"

class TcxMessageWindow;
class TdxApplicationActivateWindowHelper;
class TcxWindowProcController;
class TdxMessagesController;
class TdxSystemInfo;

RTL_DECLARE_UNIT(cxControls);

// ---------------------------------------------------------------------------
// Cursors: registered in the screen's cursor table by the start-up.

inline constexpr vcl::TCursor crcxDragCopy = 2100;
inline constexpr vcl::TCursor crcxFullScroll = 2101;
inline constexpr vcl::TCursor crcxHorScroll = 2102;
inline constexpr vcl::TCursor crcxVerScroll = 2103;
inline constexpr vcl::TCursor crcxUpScroll = 2104;
inline constexpr vcl::TCursor crcxRightScroll = 2105;
inline constexpr vcl::TCursor crcxDownScroll = 2106;
inline constexpr vcl::TCursor crcxLeftScroll = 2107;
inline constexpr vcl::TCursor crcxRemove = 2108;
inline constexpr vcl::TCursor crcxVertSize = 2109;
inline constexpr vcl::TCursor crcxHorzSize = 2110;
inline constexpr vcl::TCursor crcxMultiDrag = 2111;
inline constexpr vcl::TCursor crcxNoDrop = 2112;
inline constexpr vcl::TCursor crcxDrag = 2113;
// The system's hand, not a resource of the program.
inline constexpr vcl::TCursor crcxHandPoint = -2099;
inline constexpr vcl::TCursor crcxColorPicker = 2114;
inline constexpr vcl::TCursor crcxMultiDragCopy = 2115;
inline constexpr vcl::TCursor crcxHand = 2116;
inline constexpr vcl::TCursor crcxHandDrag = 2117;
inline constexpr vcl::TCursor crdxLayoutControlNoDrop = 2119;
inline constexpr vcl::TCursor crdxLayoutControlRemove = 2120;
inline constexpr vcl::TCursor crdxLayoutControlDropAfter = 2121;
inline constexpr vcl::TCursor crdxLayoutControlDropBefore = 2122;
inline constexpr vcl::TCursor crdxLayoutControlDropInside = 2123;
inline constexpr vcl::TCursor crcxDropAfterCopy = 2124;
inline constexpr vcl::TCursor crcxDropBeforeCopy = 2125;
inline constexpr vcl::TCursor crcxDropInsideCopy = 2126;

// One row of the start-up's cursor table: the identifier and the cursor
// group's resource name in the program module (nil: the system's hand).
struct TcxCursorResource {
  vcl::TCursor Id;
  const wchar_t* ResourceName;
};

// In the order the start-up loads them.
std::span<const TcxCursorResource> cxControlsCursors();

// ---------------------------------------------------------------------------
// Services

// True from the shut-down's third step on: no service is created any more.
bool cxControlsFinalized();

TcxWindowProcController* cxGetWindowProcController();
TdxSystemInfo* cxGetSystemInfo();
// A plain hidden window shared by helper windows.
TcxMessageWindow* cxGetHiddenMessageWindow();
TdxMessagesController* cxGetMessagesController();

// The helper that keeps the application's forms in order during modal
// loops; nil outside the framework's life.
TdxApplicationActivateWindowHelper* cxGetApplicationActivateWindowHelper();

// UpdateLayeredWindow from user32.dll, taken by the start-up; nil when the
// library lacks it.
using TcxUpdateLayeredWindowFunc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);
TcxUpdateLayeredWindowFunc cxUpdateLayeredWindowFunc();
bool cxIsUpdateLayeredWindowAvailable();

// ---------------------------------------------------------------------------
// The scroll UI's watch of windows
//
// The managers of the hybrid and touch scroll bars hide their bars when the
// window under them moves, hides, closes, is disabled or minimises. The
// framework's message hook tells them: each registers its pair of checks
// at its start-up (the hybrid managers first, then the touch mode manager)
// and leaves at its shut-down.

struct TcxScrollUIWindowWatcher {
  // WM_MOVE, WM_SIZE, WM_MDIACTIVATE and WM_MDIRESTORE.
  void (*CheckWindowMoved)(HWND AWnd);
  // WM_ENABLE disabling, WM_WINDOWPOSCHANGED hiding, WM_CLOSE and the
  // system command SC_MINIMIZE.
  void (*CheckWindowHidden)(HWND AWnd);
};

// Called in registration order. Registering the same watcher twice gets it
// called twice.
void cxAddScrollUIWindowWatcher(const TcxScrollUIWindowWatcher& AWatcher);
// Removes the first registration of the pair; nothing when absent.
void cxRemoveScrollUIWindowWatcher(const TcxScrollUIWindowWatcher& AWatcher);
