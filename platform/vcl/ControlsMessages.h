// The Controls unit, message part:
//   the typed message records (TWMMouse, TWMKey, TWMPaint, ...): a window
//     message's WPARAM and LPARAM decoded once, in the layout of TMessage so
//     the message tables take them directly;
//   TShiftState with KeysToShiftState, KeyDataToShiftState, KeyboardStateToShiftState;
//   TMouseButton, TAlign, TAnchors, TControlStyle, TControlState.
//
// Every record is TMessage's size and standard layout: Msg, two 32-bit
// parameter slots, Result. The fields of a slot are the ones the framework
// names (XPos/YPos for the low and high words of LParam, ...).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/rtl/Messages.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/TypInfo.h"

namespace vcl {

class TControl;
class TWinControl;

using rtl::TMessage;
// The component and reflected message numbers, as the unit's users name them.
using rtl::CM_BASE;
using rtl::CM_ACTIVATE;
using rtl::CM_DEACTIVATE;
using rtl::CM_GOTFOCUS;
using rtl::CM_LOSTFOCUS;
using rtl::CM_CANCELMODE;
using rtl::CM_DIALOGKEY;
using rtl::CM_DIALOGCHAR;
using rtl::CM_FOCUSCHANGED;
using rtl::CM_PARENTFONTCHANGED;
using rtl::CM_PARENTCOLORCHANGED;
using rtl::CM_HITTEST;
using rtl::CM_VISIBLECHANGED;
using rtl::CM_ENABLEDCHANGED;
using rtl::CM_COLORCHANGED;
using rtl::CM_FONTCHANGED;
using rtl::CM_CURSORCHANGED;
using rtl::CM_CTL3DCHANGED;
using rtl::CM_PARENTCTL3DCHANGED;
using rtl::CM_TEXTCHANGED;
using rtl::CM_MOUSEENTER;
using rtl::CM_MOUSELEAVE;
using rtl::CM_MENUCHANGED;
using rtl::CM_APPKEYDOWN;
using rtl::CM_APPSYSCOMMAND;
using rtl::CM_BUTTONPRESSED;
using rtl::CM_SHOWINGCHANGED;
using rtl::CM_ENTER;
using rtl::CM_EXIT;
using rtl::CM_DESIGNHITTEST;
using rtl::CM_ICONCHANGED;
using rtl::CM_WANTSPECIALKEY;
using rtl::CM_INVOKEHELP;
using rtl::CM_WINDOWHOOK;
using rtl::CM_RELEASE;
using rtl::CM_SHOWHINTCHANGED;
using rtl::CM_PARENTSHOWHINTCHANGED;
using rtl::CM_SYSCOLORCHANGE;
using rtl::CM_WININICHANGE;
using rtl::CM_FONTCHANGE;
using rtl::CM_TIMECHANGE;
using rtl::CM_TABSTOPCHANGED;
using rtl::CM_UIACTIVATE;
using rtl::CM_UIDEACTIVATE;
using rtl::CM_DOCWINDOWACTIVATE;
using rtl::CM_CONTROLLISTCHANGE;
using rtl::CM_GETDATALINK;
using rtl::CM_CHILDKEY;
using rtl::CM_DRAG;
using rtl::CM_HINTSHOW;
using rtl::CM_DIALOGHANDLE;
using rtl::CM_ISTOOLCONTROL;
using rtl::CM_RECREATEWND;
using rtl::CM_INVALIDATE;
using rtl::CM_SYSFONTCHANGED;
using rtl::CM_CONTROLCHANGE;
using rtl::CM_CHANGED;
using rtl::CM_DOCKCLIENT;
using rtl::CM_UNDOCKCLIENT;
using rtl::CM_FLOAT;
using rtl::CM_BORDERCHANGED;
using rtl::CM_BIDIMODECHANGED;
using rtl::CM_PARENTBIDIMODECHANGED;
using rtl::CM_ALLCHILDRENFLIPPED;
using rtl::CM_ACTIONUPDATE;
using rtl::CM_ACTIONEXECUTE;
using rtl::CM_HINTSHOWPAUSE;
using rtl::CM_DOCKNOTIFICATION;
using rtl::CM_MOUSEWHEEL;
using rtl::CM_ISSHORTCUT;
using rtl::CM_INVALIDATEDOCKHOST;
using rtl::CM_SETACTIVECONTROL;
using rtl::CM_POPUPHWNDDESTROY;
using rtl::CM_CREATEPOPUP;
using rtl::CM_DESTROYHANDLE;
using rtl::CM_MOUSEACTIVATE;
using rtl::CM_CONTROLLISTCHANGING;
using rtl::CM_BUFFEREDPRINTCLIENT;
using rtl::CM_UNTHEMECONTROL;
using rtl::CM_DOUBLEBUFFEREDCHANGED;
using rtl::CM_PARENTDOUBLEBUFFEREDCHANGED;
using rtl::CM_GESTURE;
using rtl::CM_CUSTOMGESTURESCHANGED;
using rtl::CM_GESTUREMANAGERCHANGED;
using rtl::CM_STANDARDGESTURESCHANGED;
using rtl::CN_BASE;
using rtl::CN_CHARTOITEM;
using rtl::CN_COMMAND;
using rtl::CN_COMPAREITEM;
using rtl::CN_CTLCOLORBTN;
using rtl::CN_CTLCOLORDLG;
using rtl::CN_CTLCOLOREDIT;
using rtl::CN_CTLCOLORLISTBOX;
using rtl::CN_CTLCOLORMSGBOX;
using rtl::CN_CTLCOLORSCROLLBAR;
using rtl::CN_CTLCOLORSTATIC;
using rtl::CN_DELETEITEM;
using rtl::CN_DRAWITEM;
using rtl::CN_HSCROLL;
using rtl::CN_MEASUREITEM;
using rtl::CN_PARENTNOTIFY;
using rtl::CN_VKEYTOITEM;
using rtl::CN_VSCROLL;
using rtl::CN_KEYDOWN;
using rtl::CN_KEYUP;
using rtl::CN_CHAR;
using rtl::CN_SYSKEYDOWN;
using rtl::CN_SYSCHAR;
using rtl::CN_NOTIFY;
using TPoint = ::POINT;
using TRect = ::RECT;
using TSmallPoint = ::POINTS;

// ---------------------------------------------------------------------------
// Sets and enumerations of the unit

RTL_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand,
         ssHorizontal);
using TShiftState = rtl::TSet<TShiftStateItem>;

RTL_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);

RTL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
using TAlignSet = rtl::TSet<TAlign>;

RTL_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = rtl::TSet<TAnchorKind>;
RTL_TYPE_NAME(TAnchors)

RTL_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
         csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
         csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
         csParentBackground, csPannable, csAlignWithMargins, csGestures, csPaintBlackOpaqueOnGlass,
         csOverrideStylePaint, csNeedsDesignDisabledState);
using TControlStyle = rtl::TSet<TControlStyleItem>;

RTL_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
         csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csPanning,
         csRecreating, csAligning, csGlassPaint, csPrintClient);
using TControlState = rtl::TSet<TControlStateItem>;

// The state of the shift keys and mouse buttons from a mouse message's
// MK_* flags.
TShiftState KeysToShiftState(WORD AKeys);
// From a key message's LParam: Alt from its context bit, Shift and Ctrl from
// the keyboard state at the time of the message.
TShiftState KeyDataToShiftState(LPARAM AKeyData);
// From a GetKeyboardState array.
TShiftState KeyboardStateToShiftState(const BYTE (&AKeyboardState)[256]);
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------------------
// Typed records

// WM_GETDLGCODE, WM_CANCELMODE and the other messages without parameters.
struct TWMNoParams {
  UINT Msg;
  WPARAM Unused0;
  LPARAM Unused1;
  LRESULT Result;
};
using TWMGetDlgCode = TWMNoParams;
using TWMCancelMode = TWMNoParams;

// WM_MOUSEMOVE and WM_[LRM]BUTTON{DOWN,UP,DBLCLK}: Keys are the MK_* flags,
// the position is in client coordinates.
struct TWMMouse {
  UINT Msg;
  WPARAM Keys;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;

  TPoint Pos() const { return {XPos, YPos}; }
};
using TWMMouseMove = TWMMouse;
using TWMLButtonDown = TWMMouse;
using TWMLButtonUp = TWMMouse;
using TWMLButtonDblClk = TWMMouse;
using TWMRButtonDown = TWMMouse;
using TWMRButtonUp = TWMMouse;
using TWMRButtonDblClk = TWMMouse;
using TWMMButtonDown = TWMMouse;
using TWMMButtonUp = TWMMouse;
using TWMMButtonDblClk = TWMMouse;

// WM_MOUSEWHEEL: the position is in screen coordinates; a delta of 120 is
// one notch away from the user.
struct TWMMouseWheel {
  UINT Msg;
  SHORT Keys;
  SHORT WheelDelta;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;

  TPoint Pos() const { return {XPos, YPos}; }
};

// CM_MOUSEWHEEL: what the framework makes of WM_MOUSEWHEEL for DoMouseWheel;
// ShiftState is a TShiftState in its stored layout. Result 1 = handled.
struct TCMMouseWheel {
  UINT Msg;
  WORD ShiftStateOrd;
  SHORT WheelDelta;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;

  TShiftState ShiftState() const { return TShiftState::FromOrd(ShiftStateOrd); }
  TPoint Pos() const { return {XPos, YPos}; }
};

// WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYS*, CN_KEYDOWN, CN_CHAR and
// CM_DIALOGKEY/CM_DIALOGCHAR: CharCode is the virtual key or the character.
struct TWMKey {
  UINT Msg;
  WORD CharCode;
  WORD Unused;
  LPARAM KeyData;
  LRESULT Result;
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMSysKeyDown = TWMKey;
using TWMSysChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;

// CM_CHILDKEY: a key offered up the parent chain; Sender is the control it
// came to first.
struct TCMChildKey {
  UINT Msg;
  WORD CharCode;
  WORD Unused;
  TWinControl* Sender;
  LRESULT Result;
};

// WM_PAINT: DC is given when a caller paints into its own DC (WM_PRINTCLIENT
// style), else 0 and the handler calls BeginPaint.
struct TWMPaint {
  UINT Msg;
  HDC DC;
  LPARAM Unused;
  LRESULT Result;
};

struct TWMEraseBkgnd {
  UINT Msg;
  HDC DC;
  LPARAM Unused;
  LRESULT Result;
};

// WM_SIZE: SizeType is SIZE_RESTORED, SIZE_MINIMIZED, ...; the client size.
struct TWMSize {
  UINT Msg;
  WPARAM SizeType;
  WORD Width;
  WORD Height;
  LRESULT Result;
};

// WM_MOVE: the client area's new origin.
struct TWMMove {
  UINT Msg;
  WPARAM Unused;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;
};

struct TWMWindowPosMsg {
  UINT Msg;
  WPARAM Unused;
  WINDOWPOS* WindowPos;
  LRESULT Result;
};
using TWMWindowPosChanged = TWMWindowPosMsg;
using TWMWindowPosChanging = TWMWindowPosMsg;

// WM_COMMAND and CN_COMMAND: Ctl is the child window for control
// notifications, 0 for menus and accelerators.
struct TWMCommand {
  UINT Msg;
  WORD ItemID;
  WORD NotifyCode;
  HWND Ctl;
  LRESULT Result;
};

// WM_NOTIFY and CN_NOTIFY.
struct TWMNotify {
  UINT Msg;
  WPARAM IDCtrl;
  NMHDR* NMHdr;
  LRESULT Result;
};

// WM_DRAWITEM and CN_DRAWITEM; Result TRUE = drawn.
struct TWMDrawItem {
  UINT Msg;
  WPARAM Ctl;
  DRAWITEMSTRUCT* DrawItemStruct;
  LRESULT Result;
};

struct TWMMeasureItem {
  UINT Msg;
  WPARAM IDCtl;
  MEASUREITEMSTRUCT* MeasureItemStruct;
  LRESULT Result;
};

// WM_CTLCOLOR* and CN_CTLCOLOR*: Result is the brush to paint with.
struct TWMCtlColor {
  UINT Msg;
  HDC ChildDC;
  HWND ChildWnd;
  LRESULT Result;
};
using TWMCtlColorEdit = TWMCtlColor;
using TWMCtlColorBtn = TWMCtlColor;
using TWMCtlColorStatic = TWMCtlColor;
using TWMCtlColorListBox = TWMCtlColor;
using TWMCtlColorScrollBar = TWMCtlColor;

// WM_HSCROLL, WM_VSCROLL and their CN_ forms: ScrollBar is the scroll-bar
// control, 0 for the window's own bars.
struct TWMScroll {
  UINT Msg;
  SHORT ScrollCode;
  SHORT Pos;
  HWND ScrollBar;
  LRESULT Result;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

// WM_SETFOCUS: the window that lost the focus; WM_KILLFOCUS: the one getting
// it. Either may be 0.
struct TWMSetFocus {
  UINT Msg;
  HWND FocusedWnd;
  LPARAM Unused;
  LRESULT Result;
};
using TWMKillFocus = TWMSetFocus;

// WM_NCHITTEST and CM_HITTEST: the point (screen coordinates for the first,
// client coordinates for the second); Result is the HT* code, or non-zero
// for "the control is hit".
struct TWMNCHitTest {
  UINT Msg;
  WPARAM Unused;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;

  TPoint Pos() const { return {XPos, YPos}; }
};
using TCMHitTest = TWMNCHitTest;
using TCMDesignHitTest = TWMMouse;

// WM_SETCURSOR: the window under the cursor, the hit-test code and the mouse
// message that caused it; Result TRUE stops further processing.
struct TWMSetCursor {
  UINT Msg;
  HWND CursorWnd;
  WORD HitTest;
  WORD MouseMsg;
  LRESULT Result;
};

// WM_CONTEXTMENU: screen coordinates; (-1, -1) when invoked from the keyboard.
struct TWMContextMenu {
  UINT Msg;
  HWND hWnd;
  SHORT XPos;
  SHORT YPos;
  LRESULT Result;

  TPoint Pos() const { return {XPos, YPos}; }
};

// WM_GETTEXT and WM_SETTEXT.
struct TWMGetText {
  UINT Msg;
  WPARAM TextMax;
  LPWSTR Text;
  LRESULT Result;
};
struct TWMSetText {
  UINT Msg;
  WPARAM Unused;
  LPCWSTR Text;
  LRESULT Result;
};

struct TWMSetFont {
  UINT Msg;
  HFONT Font;
  LPARAM Redraw;
  LRESULT Result;
};

// WM_NCCALCSIZE: CalcValidRects says whether CalcSize_Params is a
// NCCALCSIZE_PARAMS (else a RECT).
struct TWMNCCalcSize {
  UINT Msg;
  WPARAM CalcValidRects;
  NCCALCSIZE_PARAMS* CalcSize_Params;
  LRESULT Result;
};

// CM_FOCUSCHANGED: the control that now has the focus.
struct TCMFocusChanged {
  UINT Msg;
  WPARAM Unused;
  TWinControl* Sender;
  LRESULT Result;
};

// CM_CANCELMODE: the control whose mode stays; every other one cancels.
struct TCMCancelMode {
  UINT Msg;
  WPARAM Unused;
  TControl* Sender;
  LRESULT Result;
};

// CM_CONTROLCHANGE and CM_CONTROLLISTCHANGE: a child control comes in
// (Inserting true) or goes.
struct TCMControlChange {
  UINT Msg;
  TControl* Control;
  LPARAM Inserting;
  LRESULT Result;
};
using TCMControlListChange = TCMControlChange;

// CM_MOUSEENTER and CM_MOUSELEAVE: the control the mouse entered or left;
// nil stands for the receiver itself.
struct TCMMouseEnterLeave {
  UINT Msg;
  WPARAM Unused;
  TControl* Control;
  LRESULT Result;
};

// ---------------------------------------------------------------------------
// Drag and drop and docking

class TDragObject;
class TDragDockObject;

// What a CM_DRAG asks of the window it is sent to: the drag enters, moves
// over or leaves Target, is dropped on it or cancelled over it, or (for
// dmFindTarget) which control of the window lies at Pos.
RTL_ENUM(TDragMessage, dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget);

// The drag as CM_DRAG carries it: the screen position, the drag object and
// the control the drag is over.
struct TDragRec {
  TPoint Pos;
  TDragObject* Source;
  rtl::TObject* Target;
  bool Docking;
};

// CM_DRAG: Result is the accept flag for enter, move and leave, and the
// target control for dmFindTarget.
struct TCMDrag {
  UINT Msg;
  TDragMessage DragMessage;
  BYTE Reserved1;
  WORD Reserved2;
  TDragRec* DragRec;
  LRESULT Result;
};

// CM_DOCKCLIENT: a control docks into the receiver; MousePos in its client
// coordinates.
struct TCMDockClient {
  UINT Msg;
  TDragDockObject* DockSource;
  TSmallPoint MousePos;
  LRESULT Result;
};

// CM_UNDOCKCLIENT: Client leaves the receiver for NewTarget (nil when it
// floats). Result non-zero refuses.
struct TCMUnDockClient {
  UINT Msg;
  TControl* NewTarget;
  TControl* Client;
  LRESULT Result;
};

// CM_DOCKNOTIFICATION: a docked control tells its dock site of a message
// it received (WM_SETTEXT with the text in MsgLParam, CM_VISIBLECHANGED with
// the visibility in MsgWParam).
struct TDockNotifyRec {
  UINT ClientMsg;
  WPARAM MsgWParam;
  LPARAM MsgLParam;
};
struct TCMDockNotification {
  UINT Msg;
  TControl* Client;
  TDockNotifyRec* NotifyRec;
  LRESULT Result;
};

#define VCL_CHECK_MESSAGE_RECORD(ARecord)                                                   \
  static_assert(sizeof(ARecord) == sizeof(TMessage) && std::is_standard_layout_v<ARecord> && \
                offsetof(ARecord, Result) == offsetof(TMessage, Result))
VCL_CHECK_MESSAGE_RECORD(TWMNoParams);
VCL_CHECK_MESSAGE_RECORD(TWMMouse);
VCL_CHECK_MESSAGE_RECORD(TWMMouseWheel);
VCL_CHECK_MESSAGE_RECORD(TCMMouseWheel);
VCL_CHECK_MESSAGE_RECORD(TWMKey);
VCL_CHECK_MESSAGE_RECORD(TCMChildKey);
VCL_CHECK_MESSAGE_RECORD(TWMPaint);
VCL_CHECK_MESSAGE_RECORD(TWMEraseBkgnd);
VCL_CHECK_MESSAGE_RECORD(TWMSize);
VCL_CHECK_MESSAGE_RECORD(TWMMove);
VCL_CHECK_MESSAGE_RECORD(TWMWindowPosMsg);
VCL_CHECK_MESSAGE_RECORD(TWMCommand);
VCL_CHECK_MESSAGE_RECORD(TWMNotify);
VCL_CHECK_MESSAGE_RECORD(TWMDrawItem);
VCL_CHECK_MESSAGE_RECORD(TWMMeasureItem);
VCL_CHECK_MESSAGE_RECORD(TWMCtlColor);
VCL_CHECK_MESSAGE_RECORD(TWMScroll);
VCL_CHECK_MESSAGE_RECORD(TWMSetFocus);
VCL_CHECK_MESSAGE_RECORD(TWMNCHitTest);
VCL_CHECK_MESSAGE_RECORD(TWMSetCursor);
VCL_CHECK_MESSAGE_RECORD(TWMContextMenu);
VCL_CHECK_MESSAGE_RECORD(TWMGetText);
VCL_CHECK_MESSAGE_RECORD(TWMSetText);
VCL_CHECK_MESSAGE_RECORD(TWMSetFont);
VCL_CHECK_MESSAGE_RECORD(TWMNCCalcSize);
VCL_CHECK_MESSAGE_RECORD(TCMFocusChanged);
VCL_CHECK_MESSAGE_RECORD(TCMCancelMode);
VCL_CHECK_MESSAGE_RECORD(TCMControlChange);
VCL_CHECK_MESSAGE_RECORD(TCMMouseEnterLeave);
VCL_CHECK_MESSAGE_RECORD(TCMDrag);
VCL_CHECK_MESSAGE_RECORD(TCMDockClient);
VCL_CHECK_MESSAGE_RECORD(TCMUnDockClient);
VCL_CHECK_MESSAGE_RECORD(TCMDockNotification);
#undef VCL_CHECK_MESSAGE_RECORD

// The record view of a message: the same memory, read through the typed
// fields.
template <class R>
R& MessageAs(TMessage& AMessage)
{
  static_assert(sizeof(R) == sizeof(TMessage) && std::is_standard_layout_v<R>);
  return reinterpret_cast<R&>(AMessage);
}

}  // namespace vcl
