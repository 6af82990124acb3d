// The Controls unit:
//   TCursor and its identifiers, the event types of controls
//   TSizeConstraints, TCreateParams
//   TControl: bounds, parent, visibility, text, colour, font, hints, align
//     and anchors, the message path (Perform, WindowProc, WndProc, Dispatch)
//     and the mouse events
//   TWinControl: the window (CreateParams .. DestroyHandle), the one window
//     procedure of all controls, children, alignment, focus, tab order,
//     painting, reflection of notifications to the child that sent them
//   TControlCanvas, TCustomControl, TGraphicControl
//   TMouse (Mouse()), FindControl, FindVCLWindow, IsKeyMsg
//
// The typed message records and the sets of the unit are in
// ControlsMessages.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/TypInfo.h"
#include "platform/vcl/ActnList.h"
#include "platform/vcl/ControlsMessages.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Menus.h"

namespace vcl {

class TControl;
class TWinControl;
class TControlActionLink;

// ---------------------------------------------------------------------------
// Cursors

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

bool CursorToIdent(int ACursor, String& AIdent);
bool IdentToCursor(const String& AIdent, int& ACursor);
// The type record of TCursor properties: form files store cursors by name.
inline constexpr rtl::TTypeInfo TypeInfoTCursor{.Kind = rtl::TTypeKind::tkInteger,
                                               .Name = L"TCursor",
                                               .MinValue = INT16_MIN,
                                               .MaxValue = INT16_MAX,
                                               .IdentToInt = &IdentToCursor,
                                               .IntToIdent = &CursorToIdent};

// ---------------------------------------------------------------------------
// Events

using rtl::TNotifyEvent;
using rtl::TObject;
using rtl::TWndMethod;
using TMouseEvent = rtl::TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = rtl::TMethod<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = rtl::TMethod<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = rtl::TMethod<void(TObject* Sender, wchar_t& Key)>;
using TMouseWheelEvent =
    rtl::TMethod<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
RTL_TYPE_NAME(TMouseEvent)
RTL_TYPE_NAME(TMouseMoveEvent)
RTL_TYPE_NAME(TKeyEvent)
RTL_TYPE_NAME(TMouseWheelEvent)

// TBiDiMode is in ActnList.h, with the other types the framework keeps in
// its Classes unit.

// The anchors an aligned control takes when its Align is set.
TAnchors AnchorAlign(TAlign AAlign);

// The border of a form; edits and list boxes take the first two values.
RTL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TBorderStyle = TFormBorderStyle;

// ---------------------------------------------------------------------------
// Scaling and touch: types

// The values of a control that a change of scale made while the control is
// being read still has to scale: those its form file gave.
RTL_ENUM(TScalingFlag, sfLeft, sfTop, sfWidth, sfHeight, sfFont);
using TScalingFlags = rtl::TSet<TScalingFlag>;

RTL_ENUM(TInteractiveGesture, igZoom, igPan, igRotate, igTwoFingerTap, igPressAndTap);
using TInteractiveGestures = rtl::TSet<TInteractiveGesture>;
RTL_ENUM(TInteractiveGestureOption, igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia,
         igoPanGutter, igoParentPassthrough);
using TInteractiveGestureOptions = rtl::TSet<TInteractiveGestureOption>;
RTL_ENUM(TInteractiveGestureFlag, gfBegin, gfInertia, gfEnd);
using TInteractiveGestureFlags = rtl::TSet<TInteractiveGestureFlag>;

// The gesture ids of gesture events: the Windows gesture id + 256.
inline constexpr int igiBegin = 257;
inline constexpr int igiEnd = 258;
inline constexpr int igiZoom = 259;
inline constexpr int igiPan = 260;
inline constexpr int igiRotate = 261;
inline constexpr int igiTwoFingerTap = 262;
inline constexpr int igiPressAndTap = 263;

// One step of a gesture; a control receives it as CM_GESTURE with LParam
// pointing to it, and answers 1 when it took the step.
struct TGestureEventInfo {
  int GestureID;
  TPoint Location;  // client coordinates of the receiving control
  TInteractiveGestureFlags Flags;
  int Distance;
  double Angle;
  TPoint InertiaVector;
  TPoint TapLocation;
};

// The inertia vector a pan gesture packs into the high half of its
// arguments (two signed 16-bit values).
TPoint InertiaVectorFromArgument(ULONGLONG AArgument);

// Which gestures a control takes and how; a control that leaves a gesture
// to its parent says so with igoParentPassthrough.
class TTouchManager : public rtl::TPersistent {
  RTL_CLASS(TTouchManager, rtl::TPersistent)

 public:
  void Create();
  void Assign(rtl::TPersistent* ASource) override;

  TInteractiveGestures GetInteractiveGestures() const { return FInteractiveGestures; }
  void SetInteractiveGestures(TInteractiveGestures AValue) { FInteractiveGestures = AValue; }
  TInteractiveGestureOptions GetInteractiveGestureOptions() const { return FInteractiveGestureOptions; }
  void SetInteractiveGestureOptions(TInteractiveGestureOptions AValue) { FInteractiveGestureOptions = AValue; }

 private:
  TInteractiveGestures FInteractiveGestures;
  TInteractiveGestureOptions FInteractiveGestureOptions;
};

// ---------------------------------------------------------------------------
// Drag and drop, docking and the context popup: types

class TBaseDragControlObject;
class TDragImageList;
class ControlsDragMachine;

RTL_ENUM(TDragMode, dmManual, dmAutomatic);
RTL_ENUM(TDragKind, dkDrag, dkDock);
RTL_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove);

// Source is the dragged control when the framework made the drag object,
// else the drag object the control supplied.
using TDragOverEvent =
    rtl::TMethod<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = rtl::TMethod<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = rtl::TMethod<void(TObject* Sender, TDragObject*& DragObject)>;
// Target is nil when the drag was cancelled or refused.
using TEndDragEvent = rtl::TMethod<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = rtl::TMethod<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = rtl::TMethod<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TDockOverEvent =
    rtl::TMethod<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TUnDockEvent = rtl::TMethod<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
// MousePos in client coordinates, (-1, -1) when asked for from the keyboard.
using TContextPopupEvent = rtl::TMethod<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
RTL_TYPE_NAME(TDragOverEvent)
RTL_TYPE_NAME(TDragDropEvent)
RTL_TYPE_NAME(TStartDragEvent)
// TEndDragEvent is the same type as TDragDropEvent and takes its name.
RTL_TYPE_NAME(TStartDockEvent)
RTL_TYPE_NAME(TDockDropEvent)
RTL_TYPE_NAME(TDockOverEvent)
RTL_TYPE_NAME(TUnDockEvent)
RTL_TYPE_NAME(TContextPopupEvent)

// ---------------------------------------------------------------------------
// TSizeConstraints

// Limits of a control's size; 0 is no limit. A change re-applies the
// limits to the control.
class TSizeConstraints : public rtl::TPersistent {
  RTL_CLASS(TSizeConstraints, rtl::TPersistent)
  RTL_PUBLISHED(RTL_PROPERTY(MaxHeight, GetMaxHeight, SetMaxHeight, RTL_DEFAULT(0)),
                RTL_PROPERTY(MaxWidth, GetMaxWidth, SetMaxWidth, RTL_DEFAULT(0)),
                RTL_PROPERTY(MinHeight, GetMinHeight, SetMinHeight, RTL_DEFAULT(0)),
                RTL_PROPERTY(MinWidth, GetMinWidth, SetMinWidth, RTL_DEFAULT(0)))

 public:
  void Create(TControl* AControl);
  void Assign(rtl::TPersistent* ASource) override;

  int GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int AValue);
  int GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int AValue);
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int AValue);
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int AValue);
  TControl* GetControl() const { return FControl; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent AValue) { FOnChange = AValue; }

  // AWidth and AHeight brought inside the limits.
  void Apply(int& AWidth, int& AHeight) const;

 private:
  void Change();

  TControl* FControl;
  int FMaxHeight;
  int FMaxWidth;
  int FMinHeight;
  int FMinWidth;
  TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------
// TControl

// A visual control: a rectangle of its parent's client area. Non-windowed
// controls (TGraphicControl) are painted and given mouse messages by their
// parent; TWinControl adds a window.
class TControl : public rtl::TComponent {
  RTL_CLASS(TControl, rtl::TComponent)
  RTL_MESSAGES(RTL_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), RTL_MESSAGE(WM_LBUTTONUP, WMLButtonUp),
               RTL_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDblClk), RTL_MESSAGE(WM_RBUTTONDOWN, WMRButtonDown),
               RTL_MESSAGE(WM_RBUTTONUP, WMRButtonUp), RTL_MESSAGE(WM_RBUTTONDBLCLK, WMRButtonDblClk),
               RTL_MESSAGE(WM_MBUTTONDOWN, WMMButtonDown), RTL_MESSAGE(WM_MBUTTONUP, WMMButtonUp),
               RTL_MESSAGE(WM_MBUTTONDBLCLK, WMMButtonDblClk), RTL_MESSAGE(WM_MOUSEMOVE, WMMouseMove),
               RTL_MESSAGE(WM_CANCELMODE, WMCancelMode), RTL_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
               RTL_MESSAGE(CM_MOUSEENTER, CMMouseEnter), RTL_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
               RTL_MESSAGE(CM_MOUSEWHEEL, CMMouseWheel), RTL_MESSAGE(CM_HITTEST, CMHitTest),
               RTL_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), RTL_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged),
               RTL_MESSAGE(CM_FONTCHANGED, CMFontChanged), RTL_MESSAGE(CM_COLORCHANGED, CMColorChanged),
               RTL_MESSAGE(CM_PARENTFONTCHANGED, CMParentFontChanged),
               RTL_MESSAGE(CM_PARENTCOLORCHANGED, CMParentColorChanged),
               RTL_MESSAGE(CM_PARENTSHOWHINTCHANGED, CMParentShowHintChanged),
               RTL_MESSAGE(CM_PARENTBIDIMODECHANGED, CMParentBiDiModeChanged),
               RTL_MESSAGE(WM_CONTEXTMENU, WMContextMenu))
  // What every control shows in a form file; the rest is declared for the
  // concrete classes to publish as they choose (an edit has no Caption, a
  // label no TabStop).
  RTL_PUBLISHED(RTL_PROPERTY(Left, GetLeft, SetLeft), RTL_PROPERTY(Top, GetTop, SetTop),
                RTL_PROPERTY(Width, GetWidth, SetWidth), RTL_PROPERTY(Height, GetHeight, SetHeight),
                RTL_PROPERTY(Cursor, GetCursor, SetCursor, RTL_PROPTYPE(TypeInfoTCursor), RTL_DEFAULT(crDefault)),
                RTL_PROPERTY(Hint, GetHint, SetHint, RTL_STORED(IsHintStored)),
                RTL_PROPERTY(HelpContext, GetHelpContext, SetHelpContext, RTL_DEFAULT(0),
                             RTL_STORED(IsHelpContextStored)))
  RTL_DECLARED(RTL_PROPERTY(Align, GetAlign, SetAlign, RTL_DEFAULT(TAlign::alNone)),
               RTL_PROPERTY(Anchors, GetAnchors, SetAnchors,
                            RTL_DEFAULT(TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop}),
                            RTL_STORED(IsAnchorsStored)),
               RTL_PROPERTY(BiDiMode, GetBiDiMode, SetBiDiMode, RTL_STORED(IsBiDiModeStored)),
               RTL_PROPERTY(Caption, GetText, SetText, RTL_STORED(IsCaptionStored)),
               RTL_PROPERTY(Text, GetText, SetText),
               RTL_PROPERTY(Color, GetColor, SetColor, RTL_PROPTYPE(TypeInfoTColor), RTL_DEFAULT(clWindow),
                            RTL_STORED(IsColorStored)),
               RTL_PROPERTY(Constraints, GetConstraints, SetConstraints),
               RTL_PROPERTY(Enabled, GetEnabled, SetEnabled, RTL_DEFAULT(true), RTL_STORED(IsEnabledStored)),
               RTL_PROPERTY(Font, GetFont, SetFont, RTL_STORED(IsFontStored)),
               RTL_PROPERTY(ParentBiDiMode, GetParentBiDiMode, SetParentBiDiMode, RTL_DEFAULT(true)),
               RTL_PROPERTY(ParentColor, GetParentColor, SetParentColor, RTL_DEFAULT(true)),
               RTL_PROPERTY(ParentFont, GetParentFont, SetParentFont, RTL_DEFAULT(true)),
               RTL_PROPERTY(ParentShowHint, GetParentShowHint, SetParentShowHint, RTL_DEFAULT(true)),
               RTL_PROPERTY(ShowHint, GetShowHint, SetShowHint, RTL_STORED(IsShowHintStored)),
               RTL_PROPERTY(Visible, GetVisible, SetVisible, RTL_DEFAULT(true), RTL_STORED(IsVisibleStored)),
               RTL_PROPERTY(Action, GetAction, SetAction),
               RTL_PROPERTY(OnClick, GetOnClick, SetOnClick, RTL_STORED(IsOnClickStored)),
               RTL_PROPERTY(OnDblClick, GetOnDblClick, SetOnDblClick),
               RTL_PROPERTY(OnMouseDown, GetOnMouseDown, SetOnMouseDown),
               RTL_PROPERTY(OnMouseEnter, GetOnMouseEnter, SetOnMouseEnter),
               RTL_PROPERTY(OnMouseLeave, GetOnMouseLeave, SetOnMouseLeave),
               RTL_PROPERTY(OnMouseMove, GetOnMouseMove, SetOnMouseMove),
               RTL_PROPERTY(OnMouseUp, GetOnMouseUp, SetOnMouseUp),
               RTL_PROPERTY(OnResize, GetOnResize, SetOnResize),
               RTL_PROPERTY(DragCursor, GetDragCursor, SetDragCursor, RTL_PROPTYPE(TypeInfoTCursor),
                            RTL_DEFAULT(crDrag)),
               RTL_PROPERTY(DragKind, GetDragKind, SetDragKind, RTL_DEFAULT(TDragKind::dkDrag)),
               RTL_PROPERTY(DragMode, GetDragMode, SetDragMode, RTL_DEFAULT(TDragMode::dmManual)),
               RTL_PROPERTY(PopupMenu, GetPopupMenu, SetPopupMenu),
               RTL_PROPERTY(OnContextPopup, GetOnContextPopup, SetOnContextPopup),
               RTL_PROPERTY(OnDragDrop, GetOnDragDrop, SetOnDragDrop),
               RTL_PROPERTY(OnDragOver, GetOnDragOver, SetOnDragOver),
               RTL_PROPERTY(OnEndDock, GetOnEndDock, SetOnEndDock),
               RTL_PROPERTY(OnEndDrag, GetOnEndDrag, SetOnEndDrag),
               RTL_PROPERTY(OnStartDock, GetOnStartDock, SetOnStartDock),
               RTL_PROPERTY(OnStartDrag, GetOnStartDrag, SetOnStartDrag))

 public:
  // ControlStyle [csCaptureMouse, csClickEvents, csSetCaption,
  // csDoubleClicks], visible, enabled, parent font/colour/hint, anchors
  // left-top, the screen's pixels per inch; WindowProc is WndProc.
  void Create(TComponent* AOwner) override;
  // Leaves the parent, then the component's own destruction.
  void Destroy() override;

  // The message path: Perform sends through WindowProc; WindowProc starts
  // as WndProc and may be replaced (a subclasser keeps the old one and
  // calls it); WndProc handles mouse routing and then Dispatch, which runs
  // the message methods and falls back to DefaultHandler.
  LRESULT Perform(UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  TWndMethod GetWindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod AValue) { FWindowProc = AValue; }
  virtual void WndProc(TMessage& AMessage);
  // Without a window: WM_GETTEXT, WM_GETTEXTLENGTH and WM_SETTEXT on the
  // caption.
  void DefaultHandler(TMessage& AMessage) override;

  // Bounds in the parent's client coordinates.
  int GetLeft() const { return FLeft; }
  void SetLeft(int AValue);
  int GetTop() const { return FTop; }
  void SetTop(int AValue);
  int GetWidth() const { return FWidth; }
  void SetWidth(int AValue);
  int GetHeight() const { return FHeight; }
  void SetHeight(int AValue);
  // Constraints applied first; a change moves the control, tells it
  // (WM_WINDOWPOSCHANGED, Resize) and realigns its parent.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const;
  void SetBoundsRect(const TRect& AValue);
  // (0, 0, ClientWidth, ClientHeight).
  virtual TRect GetClientRect();
  int GetClientWidth() { return GetClientRect().right; }
  void SetClientWidth(int AValue);
  int GetClientHeight() { return GetClientRect().bottom; }
  void SetClientHeight(int AValue);
  // The client area's top-left corner on the screen.
  virtual TPoint GetClientOrigin();
  TPoint ClientToScreen(const TPoint& APoint);
  TPoint ScreenToClient(const TPoint& APoint);
  TRect ClientToScreen(const TRect& ARect);
  TRect ScreenToClient(const TRect& ARect);
  TPoint ClientToParent(const TPoint& APoint, TWinControl* AParent = nullptr);
  TPoint ParentToClient(const TPoint& APoint, TWinControl* AParent = nullptr);

  TWinControl* GetParent() const { return FParent; }
  // Leaves the old parent's children and joins the new one's; a control
  // cannot be its own parent or an ancestor's.
  virtual void SetParent(TWinControl* AParent);

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool AValue);
  void Show();
  void Hide();
  // Visible and inside a showing parent.
  virtual bool IsShowing() const;
  virtual bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool AValue);

  // The caption or text: through WM_GETTEXT/WM_SETTEXT, so a window holds
  // it while there is one. CM_TEXTCHANGED follows a change.
  String GetText();
  void SetText(const String& AValue);
  String GetCaption() { return GetText(); }
  void SetCaption(const String& AValue) { SetText(AValue); }
  int GetTextLen();
  // Up to ABufSize - 1 characters and the terminating zero; answers the
  // count copied.
  int GetTextBuf(wchar_t* ABuffer, int ABufSize);
  void SetTextBuf(const wchar_t* ABuffer);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor AValue);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool AValue);
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* AValue) { FFont->Assign(AValue); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool AValue);

  const String& GetHint() const { return FHint; }
  void SetHint(const String& AValue) { FHint = AValue; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool AValue);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool AValue);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor AValue);

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign AValue);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors AValue);
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool AValue);
  TSizeConstraints* GetConstraints() const { return FConstraints; }
  void SetConstraints(TSizeConstraints* AValue) { FConstraints->Assign(AValue); }
  // The parent's client size the anchor rules were taken against.
  TPoint GetOriginalParentSize() const { return FOriginalParentSize; }
  void SetOriginalParentSize(const TPoint& AValue) { FOriginalParentSize = AValue; }

  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode AValue);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool AValue);
  bool UseRightToLeftAlignment() const;
  bool UseRightToLeftReading() const;
  bool IsRightToLeft() const;

  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle AValue) { FControlStyle = AValue; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState AValue) { FControlState = AValue; }

  // A non-windowed control without a parent has nothing to paint on.
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  void SetZOrder(bool ATopMost);

  bool GetMouseCapture() const;
  void SetMouseCapture(bool AValue);

  // DPI: the pixels per inch the control's sizes are for.
  int GetCurrentPPI() const { return FCurrentPPI; }
  void SetCurrentPPI(int AValue) { FCurrentPPI = AValue; }
  // Scales bounds and font from CurrentPPI to ANewPPI.
  virtual void ScaleForPPI(int ANewPPI);
  // What a change of scale still has to scale while the control is read
  // (all of it otherwise); reading sets them, a change of scale clears them.
  TScalingFlags GetScalingFlags() const { return FScalingFlags; }
  void SetScalingFlags(TScalingFlags AValue) { FScalingFlags = AValue; }

  // The gestures the control takes; made on first use.
  TTouchManager* GetTouch();

  virtual void Click();
  virtual void DblClick();

  // A device context for painting the control: the window's own, or the
  // parent's moved to the control's origin and clipped to it. AWindow is
  // the window the DC must be released to.
  virtual HDC GetDeviceContext(HWND& AWindow);

  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent AValue) { FOnClick = AValue; }
  TNotifyEvent GetOnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent AValue) { FOnDblClick = AValue; }
  TMouseEvent GetOnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent AValue) { FOnMouseDown = AValue; }
  TMouseEvent GetOnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent AValue) { FOnMouseUp = AValue; }
  TMouseMoveEvent GetOnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent AValue) { FOnMouseMove = AValue; }
  TNotifyEvent GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent AValue) { FOnMouseEnter = AValue; }
  TNotifyEvent GetOnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent AValue) { FOnMouseLeave = AValue; }
  TMouseWheelEvent GetOnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent AValue) { FOnMouseWheel = AValue; }
  TNotifyEvent GetOnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent AValue) { FOnResize = AValue; }

  // --- Drag and drop, docking, context popup (ControlsDrag.cpp, ControlsDock.cpp)
  // Starts dragging the control (docking it with DragKind dkDock): at once
  // when AImmediate, else once the mouse has moved AThreshold pixels
  // (-1: Mouse()->GetDragThreshold()). The mouse stays captured until a
  // button is released (drop), the right button or Esc (cancel).
  void BeginDrag(bool AImmediate, int AThreshold = -1);
  // Ends the drag of this control: dropped where the mouse is when ADrop,
  // else cancelled.
  void EndDrag(bool ADrop);
  // True while this control is being dragged.
  bool Dragging() const;
  TDragMode GetDragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode AValue) { FDragMode = AValue; }
  TDragKind GetDragKind() const { return FDragKind; }
  void SetDragKind(TDragKind AValue) { FDragKind = AValue; }
  TCursor GetDragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor AValue) { FDragCursor = AValue; }
  // The images shown while the control is dragged; nil for none.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // The dock site the control is docked in; nil when it is not docked.
  TWinControl* GetHostDockSite() const { return FHostDockSite; }
  // Leaves the current dock site (which may refuse) and docks into
  // ANewDockSite through its DockDrop. False when refused or when
  // ANewDockSite is no dock site.
  bool ManualDock(TWinControl* ANewDockSite, TControl* ADropControl = nullptr, TAlign AControlSide = TAlign::alNone);
  // Leaves the dock site for no parent, at AScreenPos (in screen
  // coordinates); a form stands on its own again.
  bool ManualFloat(const TRect& AScreenPos);
  // Joins ANewDockSite (nil: none), ARect in its client coordinates.
  virtual void Dock(TWinControl* ANewDockSite, const TRect& ARect);
  // The popup menu WM_CONTEXTMENU shows; a descendant may choose another.
  virtual TPopupMenu* GetPopupMenu() { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* AValue);
  TDragOverEvent GetOnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent AValue) { FOnDragOver = AValue; }
  TDragDropEvent GetOnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent AValue) { FOnDragDrop = AValue; }
  TStartDragEvent GetOnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent AValue) { FOnStartDrag = AValue; }
  TEndDragEvent GetOnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent AValue) { FOnEndDrag = AValue; }
  TStartDockEvent GetOnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDockEvent AValue) { FOnStartDock = AValue; }
  TEndDragEvent GetOnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDragEvent AValue) { FOnEndDock = AValue; }
  TContextPopupEvent GetOnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(TContextPopupEvent AValue) { FOnContextPopup = AValue; }
  // Drag steps over this control as target: Accept starts false and is
  // true with an OnDragOver handler, which may refuse.
  virtual void DragOver(TObject* ASource, int X, int Y, TDragState AState, bool& AAccept);
  virtual void DragDrop(TObject* ASource, int X, int Y);
  // --- end of drag and drop, docking, context popup

  // Form streaming: a control's streaming parent is its Parent.
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* AValue) override;
  bool HasParent() override { return true; }

  // The anchor rules from the current bounds and the parent's client size.
  void UpdateAnchorRules();

 protected:
  void ReadState(rtl::TReader* AReader) override;
  void Loaded() override;

  // ChangeScale(M, D, isDpiChange): bounds, font and constraints times M / D.
  virtual void ChangeScale(int M, int D, bool AIsDpiChange);
  virtual void Resize();
  virtual void RequestAlign();
  virtual void VisibleChanging() {}
  virtual bool CanAutoSize(int& ANewWidth, int& ANewHeight);
  virtual bool CanResize(int& ANewWidth, int& ANewHeight);
  virtual void AdjustSize();
  virtual void ConstrainedResize(int& AMinWidth, int& AMinHeight, int& AMaxWidth, int& AMaxHeight);

  // Size checks of SetBounds: CanResize, the constraints, and with
  // AutoSize CanAutoSize; false refuses the change.
  bool CheckNewSize(int& ANewWidth, int& ANewHeight);
  // Invalidates the control's rectangle of its parent's window.
  void InvalidateControl(bool AIsVisible, bool AIsOpaque);

  virtual void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y);
  virtual void MouseMove(TShiftState AShift, int X, int Y);
  virtual void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y);
  // Runs OnMouseWheel; answers whether the wheel was handled.
  virtual bool DoMouseWheel(TShiftState AShift, int AWheelDelta, TPoint AMousePos);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  virtual bool IsCaptionStored();
  bool IsColorStored() { return !FParentColor; }
  // Anchors that only follow the alignment are not written: reading Align
  // sets them again.
  bool IsAnchorsStored() const { return FAnchors != AnchorAlign(FAlign); }
  bool IsFontStored() { return !FParentFont; }
  bool IsShowHintStored() { return !FParentShowHint; }
  bool IsBiDiModeStored() { return !FParentBiDiMode; }

  // Sends CM_CANCELMODE to the focused framework control when it is not
  // ASender.
  void SendCancelMode(TControl* ASender);

  // --- Drag and drop, docking, context popup
  // OnStartDrag; a handler may supply the drag object (nil: the framework
  // makes one, and frees it afterwards).
  virtual void DoStartDrag(TDragObject*& ADragObject);
  // OnEndDrag.
  virtual void DoEndDrag(TObject* ATarget, int X, int Y);
  // A drag of the control was refused or cancelled.
  virtual void DragCanceled() {}
  virtual void DoStartDock(TDragDockObject*& ADragObject);
  virtual void DoEndDock(TObject* ATarget, int X, int Y);
  // A CM_DRAG step aimed at this control: DragOver, DragDrop, or their
  // dock forms.
  virtual void DoDragMsg(TCMDrag& ADragMsg);
  // OnContextPopup; AMousePos in client coordinates, (-1, -1) from the
  // keyboard.
  virtual void DoContextPopup(TPoint AMousePos, bool& AHandled);
  // Sets the parent for a docking into ANewDockSite (the site's
  // DoAddDockClient), or none.
  virtual void DoDock(TWinControl* ANewDockSite, TRect& ARect);
  // Tells the dock site of a message the docked control received.
  void SendDockNotification(UINT AMsg, WPARAM AWParam, LPARAM ALParam);
  void WMContextMenu(TWMContextMenu& AMessage);
  // A left press with DragMode dmAutomatic: the drag starts at the press.
  void BeginAutoDrag(const TPoint& AClientPos);
  // --- end of drag and drop, docking, context popup

  void SetParentFlag(bool& AFlag, bool AValue, UINT AMessage);

  // The message handlers.
  // False when the control went meanwhile (a native control's own handling
  // of the press may notify a handler that frees it).
  bool ButtonPressed(TWMMouse& AMessage);
  // False when the control went meanwhile.
  bool ButtonReleased(TWMMouse& AMessage);
  void WMLButtonDown(TWMMouse& AMessage);
  void WMLButtonUp(TWMMouse& AMessage);
  void WMLButtonDblClk(TWMMouse& AMessage);
  void WMRButtonDown(TWMMouse& AMessage);
  void WMRButtonUp(TWMMouse& AMessage);
  void WMRButtonDblClk(TWMMouse& AMessage);
  void WMMButtonDown(TWMMouse& AMessage);
  void WMMButtonUp(TWMMouse& AMessage);
  void WMMButtonDblClk(TWMMouse& AMessage);
  void WMMouseMove(TWMMouse& AMessage);
  void WMCancelMode(TWMCancelMode& AMessage);
  void WMWindowPosChanged(TWMWindowPosChanged& AMessage);
  void CMMouseEnter(TMessage& AMessage);
  void CMMouseLeave(TMessage& AMessage);
  void CMMouseWheel(TCMMouseWheel& AMessage);
  void CMHitTest(TCMHitTest& AMessage);
  void CMEnabledChanged(TMessage& AMessage);
  void CMVisibleChanged(TMessage& AMessage);
  void CMFontChanged(TMessage& AMessage);
  void CMColorChanged(TMessage& AMessage);
  void CMParentFontChanged(TMessage& AMessage);
  void CMParentColorChanged(TMessage& AMessage);
  void CMParentShowHintChanged(TMessage& AMessage);
  void CMParentBiDiModeChanged(TMessage& AMessage);

  // Shared fields: the framework's descendants reach them directly.
  TWinControl* FParent;
  int FLeft;
  int FTop;
  int FWidth;
  int FHeight;
  TControlStyle FControlStyle;
  TControlState FControlState;
  bool FVisible;
  bool FEnabled;
  String FText;
  TFont* FFont;
  TColor FColor;
  bool FParentColor;
  bool FParentFont;
  bool FAutoSize;
  TAlign FAlign;
  TAnchors FAnchors;
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  // Set while the parent moves the control by its anchors: such a move
  // keeps the rules.
  bool FAnchorMove;
  int FCurrentPPI;
  TScalingFlags FScalingFlags;
  TWndMethod FWindowProc;

 private:
  void DoMouseDown(TWMMouse& AMessage, TMouseButton AButton, TShiftState AShift);
  void DoMouseUp(TWMMouse& AMessage, TMouseButton AButton);
  void FontChanged(TObject* ASender);
  void ChangeMouseEnterLeave(TMessage& AMessage, TNotifyEvent AEvent, bool AEnter);

  String FHint;
  bool FShowHint;
  bool FParentShowHint;
  TCursor FCursor;
  TBiDiMode FBiDiMode;
  bool FParentBiDiMode;
  TSizeConstraints* FConstraints;
  TTouchManager* FTouch;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseEvent FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TNotifyEvent FOnMouseEnter;
  TNotifyEvent FOnMouseLeave;
  TMouseWheelEvent FOnMouseWheel;
  TNotifyEvent FOnResize;
  // Drag and drop, docking, context popup.
  TDragMode FDragMode;
  TDragKind FDragKind;
  TCursor FDragCursor;
  TWinControl* FHostDockSite;
  TPopupMenu* FPopupMenu;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TStartDragEvent FOnStartDrag;
  TEndDragEvent FOnEndDrag;
  TStartDockEvent FOnStartDock;
  TEndDragEvent FOnEndDock;
  TContextPopupEvent FOnContextPopup;
  // Leaves a running drag and the dock site: nothing keeps a pointer to a
  // control that goes.
  void ForgetDragAndDock();

  // --- Actions (ControlsActions.cpp) ---
 public:
  // The action the control follows, through its action link: setting one
  // makes the link (GetActionLinkClass), copies the action's values
  // (ActionChange, only over defaults while the action is being read) and
  // marks the control an action client; nil frees the link. A freed action
  // leaves the control without one.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* AValue);
  TControlActionLink* GetActionLink() const { return FActionLink; }
  // The idle update of the form calls it for its visible action clients:
  // the action's Update (OnUpdate).
  virtual void InitiateAction();
  THelpContext GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(THelpContext AValue) { FHelpContext = AValue; }
  // Forgets a freed action or popup menu.
  void Notification(TComponent* AComponent, rtl::TOperation AOperation) override;
  // The link goes before the control does.
  void BeforeDestruction() override;

 protected:
  // Takes the values of a TCustomAction sender: caption, enabled, hint,
  // visible, OnClick (from OnExecute) and help context; with
  // ACheckDefaults only those the control still has at their defaults.
  virtual void ActionChange(TObject* ASender, bool ACheckDefaults);
  virtual rtl::ClassOf<TControlActionLink> GetActionLinkClass();
  // The link's OnChange: ActionChange(ASender, False) for the control's
  // own action.
  void DoActionChange(TObject* ASender);
  // A property the action supplies is not written to the form file.
  bool IsEnabledStored();
  bool IsHintStored();
  bool IsVisibleStored();
  bool IsOnClickStored();
  bool IsHelpContextStored();

  TControlActionLink* FActionLink;

 private:
  THelpContext FHelpContext;
  // --- end of actions ---


  friend class TWinControl;
  friend class TSizeConstraints;
  friend class TBaseDragControlObject;
  friend class TDragDockObject;
  friend class ControlsDragMachine;
};

using TControlClass = rtl::ClassOf<TControl>;

// ---------------------------------------------------------------------------
// TWinControl

// What CreateWnd makes the window from; CreateParams fills it and
// descendants change it.
struct TCreateParams {
  const wchar_t* Caption;
  DWORD Style;
  DWORD ExStyle;
  int X;
  int Y;
  int Width;
  int Height;
  HWND WndParent;
  void* Param;
  WNDCLASSW WindowClass;
  wchar_t WinClassName[64];
};

using TTabOrder = int;

// A control with a window. The window comes when it is needed
// (HandleNeeded, or when the control shows inside a showing parent) and
// goes with DestroyHandle; what the control holds (text, bounds, children)
// survives a re-creation.
class TWinControl : public TControl {
  RTL_CLASS(TWinControl, TControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_PAINT, WMPaint), RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
               RTL_MESSAGE(WM_COMMAND, WMCommand), RTL_MESSAGE(WM_NOTIFY, WMNotify),
               RTL_MESSAGE(WM_DRAWITEM, WMDrawItem), RTL_MESSAGE(WM_MEASUREITEM, WMMeasureItem),
               RTL_MESSAGE(WM_COMPAREITEM, WMCompareItem), RTL_MESSAGE(WM_DELETEITEM, WMDeleteItem),
               RTL_MESSAGE(WM_HSCROLL, WMHScroll), RTL_MESSAGE(WM_VSCROLL, WMVScroll),
               RTL_MESSAGE(WM_SIZE, WMSize), RTL_MESSAGE(WM_MOVE, WMMove),
               RTL_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged), RTL_MESSAGE(WM_SETFOCUS, WMSetFocus),
               RTL_MESSAGE(WM_PRINTCLIENT, WMPrintClient),
               RTL_MESSAGE(WM_KILLFOCUS, WMKillFocus), RTL_MESSAGE(WM_KEYDOWN, WMKeyDown),
               RTL_MESSAGE(WM_SYSKEYDOWN, WMSysKeyDown), RTL_MESSAGE(WM_KEYUP, WMKeyUp),
               RTL_MESSAGE(WM_SYSKEYUP, WMSysKeyUp), RTL_MESSAGE(WM_CHAR, WMChar),
               RTL_MESSAGE(WM_MOUSEWHEEL, WMMouseWheel), RTL_MESSAGE(WM_MOUSELEAVE, WMMouseLeave),
               RTL_MESSAGE(WM_SETCURSOR, WMSetCursor), RTL_MESSAGE(CN_KEYDOWN, CNKeyDown),
               RTL_MESSAGE(CN_SYSKEYDOWN, CNKeyDown), RTL_MESSAGE(CN_CHAR, CNChar),
               RTL_MESSAGE(CM_CHILDKEY, CMChildKey), RTL_MESSAGE(CM_DIALOGKEY, CMDialogKey),
               RTL_MESSAGE(CM_DIALOGCHAR, CMDialogChar), RTL_MESSAGE(CM_ENTER, CMEnter),
               RTL_MESSAGE(CM_EXIT, CMExit), RTL_MESSAGE(CM_FOCUSCHANGED, CMFocusChanged),
               RTL_MESSAGE(CM_RECREATEWND, CMRecreateWnd), RTL_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged),
               RTL_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged), RTL_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
               RTL_MESSAGE(CM_COLORCHANGED, CMColorChanged), RTL_MESSAGE(CM_FONTCHANGED, CMFontChanged),
               RTL_MESSAGE(CM_INVALIDATE, CMInvalidate), RTL_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange),
               RTL_MESSAGE(CM_WININICHANGE, CMWinIniChange), RTL_MESSAGE(CM_FONTCHANGE, CMFontChange),
               RTL_MESSAGE(CM_BIDIMODECHANGED, CMBiDiModeChanged), RTL_MESSAGE(CM_DRAG, CMDrag),
               RTL_MESSAGE(WM_CONTEXTMENU, WMContextMenu), RTL_MESSAGE(CM_DOCKCLIENT, CMDockClient),
               RTL_MESSAGE(CM_UNDOCKCLIENT, CMUnDockClient))
  RTL_DECLARED(RTL_PROPERTY(DoubleBuffered, GetDoubleBuffered, SetDoubleBuffered, RTL_DEFAULT(false)),
               RTL_PROPERTY(ParentBackground, GetParentBackground, SetParentBackground, RTL_DEFAULT(false)),
               RTL_PROPERTY(TabOrder, GetTabOrder, SetTabOrder, RTL_DEFAULT(-1)),
               RTL_PROPERTY(TabStop, GetTabStop, SetTabStop, RTL_DEFAULT(false)),
               RTL_PROPERTY(OnEnter, GetOnEnter, SetOnEnter), RTL_PROPERTY(OnExit, GetOnExit, SetOnExit),
               RTL_PROPERTY(OnKeyDown, GetOnKeyDown, SetOnKeyDown),
               RTL_PROPERTY(OnKeyPress, GetOnKeyPress, SetOnKeyPress),
               RTL_PROPERTY(OnKeyUp, GetOnKeyUp, SetOnKeyUp),
               RTL_PROPERTY(DockSite, GetDockSite, SetDockSite, RTL_DEFAULT(false)),
               RTL_PROPERTY(OnDockDrop, GetOnDockDrop, SetOnDockDrop),
               RTL_PROPERTY(OnDockOver, GetOnDockOver, SetOnDockOver),
               RTL_PROPERTY(OnUnDock, GetOnUnDock, SetOnUnDock))

 public:
  void Create(TComponent* AOwner) override;
  // A control made as the child of a window that is no control (a host
  // window, a dialog of another library).
  void CreateParented(HWND AParentWindow);
  // The window goes first, then the child controls are freed (whoever owns
  // them), then the control itself.
  void Destroy() override;

  // The window: made on first request.
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The parent window when the control has no parent control.
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND AValue);
  // Re-creates the window now if there is one (CM_RECREATEWND).
  void RecreateWnd();
  // Shown, inside parents that are all shown.
  bool IsShowing() const override { return FShowing && (!FParent || FParent->IsShowing()); }
  bool GetShowing() const { return IsShowing(); }

  // Children: the non-windowed ones first, then the windowed ones, each in
  // the order they came.
  int GetControlCount() const;
  TControl* GetControls(int AIndex) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* AControl) const;
  // The visible (or any, AAllowDisabled/AAllowWinControls) child at a client
  // point, the topmost first.
  TControl* ControlAtPos(const TPoint& APos, bool AAllowDisabled, bool AAllowWinControls = false,
                         bool AAllLevels = false);
  // Sends the message to every child, stopping at one that answers.
  void Broadcast(TMessage& AMessage);
  // WindowProc of every child until one answers non-zero.
  void NotifyControls(UINT AMsg);

  // Tab order among the windowed children of the parent.
  TTabOrder GetTabOrder() const;
  void SetTabOrder(TTabOrder AValue);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool AValue);
  // The windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& AList);
  TWinControl* FindNextControl(TWinControl* ACurControl, bool AGoForward, bool ACheckTabStop, bool ACheckParent);
  void SelectNext(TWinControl* ACurControl, bool AGoForward, bool ACheckTabStop);

  // Focus: CanFocus when the control and its parents are visible and
  // enabled; SetFocus raises EInvalidOperation otherwise.
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  // The focused control below this top-level control (the form's focus).
  TWinControl* GetFocusedControl() const { return FFocusedControl; }

  // Alignment: DisableAlign/EnableAlign nest; the last EnableAlign aligns
  // when a change asked for it meanwhile.
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return FAlignLevel != 0; }
  // Aligns the children in ARect (after AdjustClientRect), AControl first
  // among equals.
  virtual void AlignControls(TControl* AControl, TRect& ARect);
  virtual void AdjustClientRect(TRect& /*ARect*/) {}
  // Each child's ScaleForPPI, with alignment held until all are done.
  virtual void ScaleControlsForDpi(int ANewPPI);

  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  void SetParent(TWinControl* AParent) override;
  HDC GetDeviceContext(HWND& AWindow) override;
  // Paints the non-windowed children into ADC, from AFirst on.
  void PaintControls(HDC ADC, TControl* AFirst);
  // The background and children as for WM_PAINT, into ADC (for printing a
  // window into a bitmap).
  void PaintTo(HDC ADC, int X, int Y);

  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool AValue);
  bool GetParentBackground() const { return FControlStyle.Contains(TControlStyleItem::csParentBackground); }
  void SetParentBackground(bool AValue);
  TBrush* GetBrush() const { return FBrush; }

  TNotifyEvent GetOnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent AValue) { FOnEnter = AValue; }
  TNotifyEvent GetOnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent AValue) { FOnExit = AValue; }
  TKeyEvent GetOnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent AValue) { FOnKeyDown = AValue; }
  TKeyEvent GetOnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent AValue) { FOnKeyUp = AValue; }
  TKeyPressEvent GetOnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent AValue) { FOnKeyPress = AValue; }

  // --- Docking (ControlsDock.cpp)
  // Whether controls may dock into this one.
  bool GetDockSite() const { return FDockSite; }
  void SetDockSite(bool AValue) { FDockSite = AValue; }
  // The controls docked here, in the order they came.
  int GetDockClientCount() const { return static_cast<int>(FDockClients.size()); }
  TControl* GetDockClients(int AIndex) const { return FDockClients.at(static_cast<std::size_t>(AIndex)); }
  // A docking drop: CM_DOCKCLIENT docks the control, then OnDockDrop.
  virtual void DockDrop(TDragDockObject* ASource, int X, int Y);
  // A docking drag over the site: Accept starts true unless an OnDockOver
  // handler refuses.
  virtual void DockOver(TDragDockObject* ASource, int X, int Y, TDragState AState, bool& AAccept);
  // AClient asks to leave for ANewTarget (nil: floating): OnUnDock, then
  // CM_UNDOCKCLIENT; false when either refuses.
  virtual bool DoUnDock(TWinControl* ANewTarget, TControl* AClient);
  TDockDropEvent GetOnDockDrop() const { return FOnDockDrop; }
  void SetOnDockDrop(TDockDropEvent AValue) { FOnDockDrop = AValue; }
  TDockOverEvent GetOnDockOver() const { return FOnDockOver; }
  void SetOnDockOver(TDockOverEvent AValue) { FOnDockOver = AValue; }
  TUnDockEvent GetOnUnDock() const { return FOnUnDock; }
  void SetOnUnDock(TUnDockEvent AValue) { FOnUnDock = AValue; }
  // --- end of docking

  void WndProc(TMessage& AMessage) override;
  // The window's own procedure: the native class's for a superclassed
  // control, DefWindowProc otherwise.
  void DefaultHandler(TMessage& AMessage) override;
  // Writes the windowed and non-windowed children the root owns.
  void GetChildren(const rtl::TGetChildProc& AProc, TComponent* ARoot) override;

 protected:
  virtual void CreateParams(TCreateParams& AParams);
  // Makes the window from CreateParams: registers the window class under
  // WinClassName (superclassing a native class whose procedure CreateParams
  // put in WindowClass), then CreateWindowHandle.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& AParams);
  // CreateWnd, then the window's place among its siblings.
  virtual void CreateHandle();
  // Keeps the text, then DestroyWindowHandle.
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // The children's windows first, then this one's.
  virtual void DestroyHandle();
  // CreateParams for a superclass of the native class AClassName (EDIT,
  // BUTTON, ...): its class record, our class name.
  void CreateSubClass(TCreateParams& AParams, const wchar_t* AClassName);
  // Catches everything WindowProc raises: no exception crosses the window
  // procedure; the application's handler receives it.
  void MainWndProc(TMessage& AMessage);
  // Shows or hides the window as the control and its parents say.
  void UpdateShowing();
  void UpdateControlState();
  // True for a control whose window stands on its own (a form): it shows
  // without a parent window.
  virtual bool IsTopLevelHost() const { return false; }
  // The focused-control bookkeeping of the top-level control: CM_EXIT up to
  // the common parent, CM_ENTER down to AControl, then CM_FOCUSCHANGED.
  // Answers False when a handler moved the focus meanwhile.
  virtual bool SetFocusedControl(TWinControl* AControl);
  virtual void PaintWindow(HDC ADC);
  void PaintHandler(TWMPaint& AMessage);
  void ReadState(rtl::TReader* AReader) override;
  void ChangeScale(int M, int D, bool AIsDpiChange) override;
  // The window's bounds read back into Left/Top/Width/Height.
  void UpdateBounds();
  void AlignControl(TControl* AControl);
  // The window before which AControl's window stands in the z-order.
  HWND PrecedingWindow(TWinControl* AControl);
  bool IsDoubleBufferedPaint() const { return FDoubleBuffered; }

  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(WORD& AKey, TShiftState AShift);
  virtual void KeyUp(WORD& AKey, TShiftState AShift);
  virtual void KeyPress(wchar_t& AKey);
  bool DoKeyDown(TWMKey& AMessage);
  bool DoKeyUp(TWMKey& AMessage);
  bool DoKeyPress(TWMKey& AMessage);

  // Message handlers.
  void WMPaint(TWMPaint& AMessage);
  void WMEraseBkgnd(TWMEraseBkgnd& AMessage);
  void WMPrintClient(TMessage& AMessage);
  void WMCommand(TWMCommand& AMessage);
  void WMNotify(TWMNotify& AMessage);
  void WMDrawItem(TWMDrawItem& AMessage);
  void WMMeasureItem(TWMMeasureItem& AMessage);
  void WMCompareItem(TMessage& AMessage);
  void WMDeleteItem(TMessage& AMessage);
  void WMHScroll(TWMScroll& AMessage);
  void WMVScroll(TWMScroll& AMessage);
  void WMSize(TWMSize& AMessage);
  void WMMove(TWMMove& AMessage);
  void WMWindowPosChanged(TWMWindowPosChanged& AMessage);
  void WMSetFocus(TWMSetFocus& AMessage);
  void WMKillFocus(TWMKillFocus& AMessage);
  void WMKeyDown(TWMKey& AMessage);
  void WMSysKeyDown(TWMKey& AMessage);
  void WMKeyUp(TWMKey& AMessage);
  void WMSysKeyUp(TWMKey& AMessage);
  void WMChar(TWMKey& AMessage);
  void WMMouseWheel(TWMMouseWheel& AMessage);
  void WMMouseLeave(TMessage& AMessage);
  void WMSetCursor(TWMSetCursor& AMessage);
  void CNKeyDown(TWMKey& AMessage);
  bool IsMenuKey(TWMKey& AMessage);
  void CNChar(TWMKey& AMessage);
  void CMChildKey(TCMChildKey& AMessage);
  void CMDialogKey(TCMDialogKey& AMessage);
  void CMDialogChar(TCMDialogChar& AMessage);
  void CMEnter(TMessage& AMessage);
  void CMExit(TMessage& AMessage);
  void CMFocusChanged(TCMFocusChanged& AMessage);
  void CMRecreateWnd(TMessage& AMessage);
  void CMShowingChanged(TMessage& AMessage);
  void CMVisibleChanged(TMessage& AMessage);
  void CMEnabledChanged(TMessage& AMessage);
  void CMColorChanged(TMessage& AMessage);
  void CMFontChanged(TMessage& AMessage);
  void CMInvalidate(TMessage& AMessage);
  void CMSysColorChange(TMessage& AMessage);
  void CMWinIniChange(TMessage& AMessage);
  void CMFontChange(TMessage& AMessage);
  void CMBiDiModeChanged(TMessage& AMessage);
  // Drag and drop, docking, context popup.
  // Makes AClient a child at ARect (client coordinates); a page control
  // gives it a page of its own instead.
  virtual void DoAddDockClient(TControl* AClient, const TRect& ARect);
  // AClient has left the site.
  virtual void DoRemoveDockClient(TControl* /*AClient*/) {}
  void CMDrag(TCMDrag& AMessage);
  void WMContextMenu(TWMContextMenu& AMessage);
  void CMDockClient(TCMDockClient& AMessage);
  void CMUnDockClient(TCMUnDockClient& AMessage);

  HWND FHandle;
  HWND FParentWindow;
  WNDPROC FDefWndProc;
  TBrush* FBrush;
  bool FShowing;
  bool FDoubleBuffered;

 private:
  // Sends the reflected form (CN_BASE + Msg) of AMessage to the control of
  // AChild; answers whether there was one.
  bool DoControlMsg(HWND AChild, TMessage& AMessage);
  // Routes a mouse message over a non-windowed child (or the one holding
  // the capture) to that child, in its coordinates.
  bool IsControlMouseMsg(TWMMouse& AMessage);
  // Enter and leave of the non-windowed child under the mouse.
  void UpdateMouseControl(TControl* AControl);
  void DoAlign(TAlign AAlign, TControl* AControl, TRect& ARect);
  void DoPosition(TControl* AControl, TAlign AAlign, TRect& ARect);
  TWinControl* TopLevelControl();
  // A control hidden or disabled can no longer hold the focus: when it (or
  // a control inside it) has it, the top-level control takes it, which runs
  // CM_EXIT on the way out.
  void RemoveFocus();
  void FixupTabList();
  void UpdateTabOrder(TTabOrder AValue);
  void DrawParentBackground(HDC ADC);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  int FAlignLevel;
  TTabOrder FTabOrder;
  bool FTabStop;
  bool FMouseInClient;
  TControl* FMouseControl;
  TWinControl* FFocusedControl;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyEvent FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
  // Docking.
  std::vector<TControl*> FDockClients;
  bool FDockSite;
  TDockDropEvent FOnDockDrop;
  TDockOverEvent FOnDockOver;
  TUnDockEvent FOnUnDock;

  friend class TControl;
  friend class ControlsDragMachine;
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
};

// The one window procedure of every control's window.
LRESULT CALLBACK ControlWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam);

// The control of a window made by this framework; nil for other windows.
TWinControl* FindControl(HWND AHandle);
// The control of the window at a screen point, or of its nearest parent
// window that has one.
TWinControl* FindVCLWindow(const TPoint& APos);
// The first step of the application's message loop: a key message is
// offered to the framework control of its window (or of its nearest parent
// that has one) as CN_BASE + the message; true when that control handled
// it, and then the message is not dispatched.
bool IsKeyMsg(MSG& AMsg);

// ---------------------------------------------------------------------------
// Action links of controls (ControlsActions.cpp)

// The link of a control: caption, enabled, hint, visible, help context and
// OnClick count as linked while the control's value equals the action's.
class TControlActionLink : public TActionLink {
  RTL_CLASS(TControlActionLink, TActionLink)

 public:
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  TControl* GetClient() const { return FClient; }

 protected:
  // The client must be a TControl (EInvalidCast).
  void AssignClient(TObject* AClient) override;
  void SetCaption(const String& AValue) override;
  void SetEnabled(bool AValue) override;
  void SetHelpContext(THelpContext AValue) override;
  void SetHint(const String& AValue) override;
  void SetVisible(bool AValue) override;
  void SetOnExecute(TNotifyEvent AValue) override;

  TControl* FClient;
};

using TControlActionLinkClass = rtl::ClassOf<TControlActionLink>;

// The link of a windowed control; the client must be a TWinControl.
class TWinControlActionLink : public TControlActionLink {
  RTL_CLASS(TWinControlActionLink, TControlActionLink)

 protected:
  void AssignClient(TObject* AClient) override;
};

// ---------------------------------------------------------------------------
// Drag and drop and docking: the drag objects (ControlsDrag.cpp)

// One drag from BeginDrag to its end: where the mouse is, the control it is
// over (the target) and how the drag ended. While it runs, a hidden window
// of the object holds the mouse capture and receives the mouse and key
// messages of the drag.
class TDragObject : public rtl::TObject {
  RTL_CLASS(TDragObject, rtl::TObject)

 public:
  void Create() {}
  void Destroy() override;

  // The images shown while dragging; nil for none.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // The cursor over the current target: crDrag where it accepts, crNoDrop
  // elsewhere.
  virtual TCursor GetDragCursor(bool AAccepted, int X, int Y);
  // The drag ended: ATarget is the control it ended over (nil when nothing
  // accepted it), X, Y in the target's client coordinates.
  virtual void Finished(TObject* /*ATarget*/, int /*X*/, int /*Y*/, bool /*AAccepted*/) {}
  // Hide and show the drag image, around painting under it.
  virtual void HideDragImage();
  virtual void ShowDragImage();
  // The framework frees drag objects of this kind when the drag ends; the
  // others belong to whoever made them.
  virtual bool FreeAfterDrag() const { return false; }

  // The mouse position on the screen, the control under it and that
  // control's window, and the position in the control's coordinates.
  TPoint GetDragPos() const { return FDragPos; }
  TObject* GetDragTarget() const { return FDragTarget; }
  HWND GetDragHandle() const { return FDragHandle; }
  TPoint GetDragTargetPos() const { return FDragTargetPos; }
  // The drag ended by a release of the mouse (not cancelled).
  bool GetDropped() const { return FDropped; }
  bool GetCancelling() const { return FCancelling; }
  // The hidden window holding the mouse while the drag runs.
  HWND GetCaptureWindow() const { return FCaptureWindow; }
  // Shows the image also over controls without csDisplayDragImage.
  bool GetAlwaysShowDragImages() const { return FAlwaysShowDragImages; }
  void SetAlwaysShowDragImages(bool AValue) { FAlwaysShowDragImages = AValue; }

 protected:
  // The mouse messages of the drag: moves drag, a left release drops, the
  // right button, Esc and a lost capture cancel, Ctrl repeats the step.
  virtual void WndProc(TMessage& AMessage);

 private:
  void MainWndProc(TMessage& AMessage);

  TObject* FDragTarget;
  HWND FDragHandle;
  HWND FCaptureWindow;
  TPoint FDragPos;
  TPoint FDragTargetPos;
  bool FDropped;
  bool FCancelling;
  bool FAlwaysShowDragImages;

  friend class ControlsDragMachine;
};

// Freed by the framework when the drag ends.
class TDragObjectEx : public TDragObject {
  RTL_CLASS(TDragObjectEx, TDragObject)

 public:
  bool FreeAfterDrag() const override { return true; }
};

// A drag of a control: its end reaches the control (DoEndDrag, or
// DragCanceled first when nothing accepted it).
class TBaseDragControlObject : public TDragObject {
  RTL_CLASS(TBaseDragControlObject, TDragObject)

 public:
  virtual void Create(TControl* AControl) { FControl = AControl; }
  void Finished(TObject* ATarget, int X, int Y, bool AAccepted) override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AValue) { FControl = AValue; }

 protected:
  virtual void EndDrag(TObject* ATarget, int X, int Y);

 private:
  TControl* FControl;
};

// The control's DragCursor where a target accepts, and its drag images.
class TDragControlObject : public TBaseDragControlObject {
  RTL_CLASS(TDragControlObject, TBaseDragControlObject)

 public:
  TCursor GetDragCursor(bool AAccepted, int X, int Y) override;
  TDragImageList* GetDragImages() override;
};

// What the framework makes when DoStartDrag supplies no object.
class TDragControlObjectEx : public TDragControlObject {
  RTL_CLASS(TDragControlObjectEx, TDragControlObject)

 public:
  bool FreeAfterDrag() const override { return true; }
};

// A docking drag: the target is a dock site; its end reaches the control
// as DoEndDock.
class TDragDockObject : public TBaseDragControlObject {
  RTL_CLASS(TDragDockObject, TBaseDragControlObject)

 public:
  // The rectangle the control would take, on the screen.
  TRect GetDockRect() const { return FDockRect; }
  void SetDockRect(const TRect& AValue) { FDockRect = AValue; }
  TAlign GetDropAlign() const { return FDropAlign; }
  void SetDropAlign(TAlign AValue) { FDropAlign = AValue; }
  TControl* GetDropOnControl() const { return FDropOnControl; }
  void SetDropOnControl(TControl* AValue) { FDropOnControl = AValue; }

 protected:
  void EndDrag(TObject* ATarget, int X, int Y) override;

 private:
  TRect FDockRect;
  TAlign FDropAlign;
  TControl* FDropOnControl;
};

// Freed by the framework when the docking drag ends.
class TDragDockObjectEx : public TDragDockObject {
  RTL_CLASS(TDragDockObjectEx, TDragDockObject)

 public:
  bool FreeAfterDrag() const override { return true; }
};

// Cancels the drag that runs, if any.
void CancelDrag();

namespace detail {
// The hidden window holding the mouse during a drag; nil outside drags.
// The key messages of the message loop go to it (IsKeyMsg).
HWND DragCaptureWindow();
}  // namespace detail

// ---------------------------------------------------------------------------
// Painting classes

// A canvas on a control: its DC comes from the control (GetDeviceContext)
// when it is first needed and goes back at the end of the message being
// handled, or when the control's window goes.
class TControlCanvas : public TCanvas {
  RTL_CLASS(TControlCanvas, TCanvas)

 public:
  void Destroy() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AValue);
  // Gives the DC back to its window.
  void FreeHandle();
  // ETO_RTLREADING when the control reads right to left.
  void UpdateTextFlags();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl;
  HDC FDeviceContext;
  HWND FWindowHandle;
};

// Gives back the DCs the control canvases took during a message.
void FreeDeviceContexts();

// A windowed control that paints itself: Paint draws on Canvas, which
// PaintWindow binds to the paint DC.
class TCustomControl : public TWinControl {
  RTL_CLASS(TCustomControl, TWinControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_PAINT, WMPaint))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;
  TCanvas* GetCanvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC ADC) override;
  void WMPaint(TWMPaint& AMessage);

 private:
  TCanvas* FCanvas;
};

// A control without a window, painted by its parent's PaintControls.
class TGraphicControl : public TControl {
  RTL_CLASS(TGraphicControl, TControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_PAINT, WMPaint))

 public:
  void Create(TComponent* AOwner) override;
  void Destroy() override;
  TCanvas* GetCanvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void WMPaint(TWMPaint& AMessage);

 private:
  TCanvas* FCanvas;
};

// ---------------------------------------------------------------------------
// The mouse

class TMouse : public rtl::TObject {
  RTL_CLASS(TMouse, rtl::TObject)

 public:
  void Create();

  // The window holding the mouse capture.
  HWND GetCapture() const;
  void SetCapture(HWND AValue);
  TPoint GetCursorPos() const;
  void SetCursorPos(const TPoint& AValue);
  // Pixels the mouse moves with a button down before a drag starts.
  int GetDragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(int AValue) { FDragThreshold = AValue; }
  bool GetDragImmediate() const { return FDragImmediate; }
  void SetDragImmediate(bool AValue) { FDragImmediate = AValue; }
  // Lines per wheel notch; -1 scrolls a page.
  int GetWheelScrollLines() const { return FWheelScrollLines; }
  void SetWheelScrollLines(int AValue) { FWheelScrollLines = AValue; }
  bool GetMousePresent() const { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
  bool GetWheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }
  // Reads the wheel setting again (after WM_SETTINGCHANGE).
  void SettingChanged();

 private:
  int FDragThreshold;
  bool FDragImmediate;
  int FWheelScrollLines;
};

// The global mouse object, made on first use.
TMouse* Mouse();

// The control that holds the mouse capture, windowed or not.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* AControl);

// Starts and activates the class group of TControl.
RTL_DECLARE_UNIT(Controls);

}  // namespace vcl
