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
// - the shut-down, which undoes the start-up and frees the services;
// - the base control of the system's own controls (TcxCustomControl,
//   TcxControl, cxControlsBase.cpp) and the scroll bars it hosts
//   (cxControlsScrollBars.cpp).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "controls/cxAccessibility.h"
#include "controls/cxControlChildComponent.h"
#include "controls/cxMouseTracking.h"
#include "controls/dxHybridScrollbars.h"
#include "controls/dxRightToLeftLayout.h"
#include "controls/dxSystemInfo.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "lookandfeel/cxScrollBar.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/StdCtrls.h"

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

// ===========================================================================
// The base control

class TcxControl;
class TcxControlCustomScrollBars;
class TcxDragAndDropObject;
class TcxControlScrollBarsManager;
class TcxControlScrollBar;
class TcxControlScrollBarHelper;
struct IcxControlScrollBar;
class TcxRegion;
class TcxSizeGrip;

RTL_ENUM(TcxControlBorderStyle, cxcbsNone, cxcbsDefault);
RTL_ENUM(TcxDragAndDropState, ddsNone, ddsStarting, ddsInProcess);
RTL_ENUM(TcxKey, kAll, kArrows, kChars, kTab);
using TcxKeys = rtl::TSet<TcxKey>;
RTL_ENUM(TcxControlActivateType, atOther, atByMouse, atByMouseNonClientArea);
// The framework's interactive gestures, in the order of their indexes.
RTL_ENUM(TInteractiveGesture, igZoom, igPan, igRotate, igTwoFingerTap, igPressAndTap);
using TInteractiveGestures = rtl::TSet<TInteractiveGesture>;
RTL_ENUM(TInteractiveGestureOption, igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia,
         igoPanGutter, igoParentPassthrough);
using TInteractiveGestureOptions = rtl::TSet<TInteractiveGestureOption>;

// Private messages of the base control.
inline constexpr UINT DXM_RECALCULATESCROLLBARS = 0x8065;
inline constexpr UINT DXM_UNHANDLEDKEY = 0x806B;
inline constexpr UINT DXM_SCALECHANGING = 0x806C;
inline constexpr UINT DXM_SCALECHANGED = 0x806D;

// An object inside a control that holds the mouse: told when it loses it.
struct IcxMouseCaptureObject : rtl::IInterface {
  RTL_GUID(IcxMouseCaptureObject, "{3E4B1C2D-8F6A-4B7E-9C5D-1A2B3C4D5E6F}")
  virtual void __stdcall DoCancelMode() = 0;
};

// Told when a control's font changes.
struct IcxFontListener : rtl::IInterface {
  RTL_GUID(IcxFontListener, "{B144DD7E-0B27-439A-B908-FC3ACFE6A2D3}")
  virtual void __stdcall Changed(rtl::TObject* ASender, vcl::TFont* AFont) = 0;
};

// A control that wants its own font changes first.
struct IcxControlFontListener : rtl::IInterface {
  RTL_GUID(IcxControlFontListener, "{6A5C2E41-9D3B-4F07-8E62-B1C7D0A4E935}")
  virtual void __stdcall FontChanged(vcl::TFont* AFont) = 0;
};

// A control that shows a ready image instead of painting.
struct IcxControlImageProvider : rtl::IInterface {
  RTL_GUID(IcxControlImageProvider, "{EB45AB76-3681-4838-BDA8-7D0081B4C184}")
  virtual vcl::TBitmap* __stdcall GetImage() = 0;
  // The control the image shows; the image is at its client origin.
  virtual vcl::TWinControl* __stdcall GetImageOwner() = 0;
};

// The hook an active spell checker sets to show its own menu first;
// answers whether it showed one.
using TcxContextPopupHook = bool (*)(TcxControl* AControl, rtl::TComponent* APopupMenu, const TPoint& P);
void cxSetContextPopupHook(TcxContextPopupHook AHook);
TcxContextPopupHook cxGetContextPopupHook();

// The look and feel a control's windowless scroll bars and its master tree
// see. Two interfaces ask for a look and feel under one name; each is
// answered by its own virtual of the control.
struct TcxControlLookAndFeelContainer : IcxLookAndFeelContainer {
  TcxLookAndFeel* __stdcall GetLookAndFeel() final { return GetContainerLookAndFeel(); }
  virtual TcxLookAndFeel* GetContainerLookAndFeel() = 0;
};

struct TcxControlScrollBarOwner : IcxScrollBarOwner {
  TcxLookAndFeel* __stdcall GetLookAndFeel() final { return GetScrollBarLookAndFeel(); }
  virtual TcxLookAndFeel* GetScrollBarLookAndFeel() = 0;
};

// ---------------------------------------------------------------------------
// TcxCustomControl: a windowed control with its own scale factor and the
// bookkeeping of nested scale changes.

class TcxCustomControl : public vcl::TCustomControl, public IdxScaleFactor {
  RTL_CLASS(TcxCustomControl, vcl::TCustomControl)
  RTL_INTERFACES(IdxScaleFactor)
  RTL_MESSAGES(RTL_MESSAGE(DXM_SCALECHANGING, DXMScaleChanging), RTL_MESSAGE(DXM_SCALECHANGED, DXMScaleChanged))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  virtual vcl::TControl* GetAdornerTargetElementControl() { return this; }
  virtual TRect GetAdornerTargetElementBounds() { return GetClientRect(); }
  virtual bool GetAdornerTargetElementVisible() { return GetVisible(); }
  // (name, object) pairs of the parts adorners may point at; none here.
  virtual void GetAdornerTargetElements(rtl::TStrings* /*AList*/) {}

  void BeginScaleChange();
  void EndScaleChange();
  bool IsScaleChanging() const { return FScaleChangeCounter > 0; }
  void SetParent(vcl::TWinControl* AParent) override;
  void ScaleControlsForDpi(int ANewPPI) override;

  // IdxScaleFactor
  TdxScaleFactor* __stdcall GetScaleFactor() override { return FScaleFactor; }

 protected:
  virtual void DoChangeScale(int M, int D, bool AIsDpiChange);
  // The outermost scale change begins and ends.
  virtual void ScaleChanging() {}
  virtual void ScaleChanged() {}
  void ChangeScale(int M, int D, bool AIsDpiChange) override;

  void DXMScaleChanging(rtl::TMessage& AMessage);
  void DXMScaleChanged(rtl::TMessage& AMessage);

 private:
  std::uint16_t FScaleChangeCounter;
  TdxScaleFactor* FScaleFactor;
};

// ---------------------------------------------------------------------------
// TcxControl

class TcxControl : public TcxCustomControl,
                   public IdxSystemInfoListener,
                   public IdxLocalizerListener,
                   public TcxControlScrollBarOwner,
                   public TcxControlLookAndFeelContainer,
                   public IcxControlChildComponentHost,
                   public IdxHybridScrollbarOwner {
  RTL_CLASS(TcxControl, TcxCustomControl)
  RTL_INTERFACES(IdxSystemInfoListener, IdxLocalizerListener, IcxScrollBarOwner, IcxLookAndFeelContainer,
                 IcxControlChildComponentHost, IdxTouchScrollUIOwner, IdxHybridScrollbarOwner)
  RTL_MESSAGES(RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), RTL_MESSAGE(WM_PAINT, WMPaint),
               RTL_MESSAGE(WM_NCPAINT, WMNCPaint), RTL_MESSAGE(WM_PRINT, WMPrint),
               RTL_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), RTL_MESSAGE(WM_GETDLGCODE, WMGetDlgCode),
               RTL_MESSAGE(WM_SETCURSOR, WMSetCursor), RTL_MESSAGE(WM_CANCELMODE, WMCancelMode),
               RTL_MESSAGE(WM_CONTEXTMENU, WMContextMenu), RTL_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
               RTL_MESSAGE(rtl::CM_MOUSEENTER, CMMouseEnter), RTL_MESSAGE(rtl::CM_MOUSELEAVE, CMMouseLeave),
               RTL_MESSAGE(rtl::CM_FONTCHANGED, CMFontChanged), RTL_MESSAGE(rtl::CM_TEXTCHANGED, CMTextChanged),
               RTL_MESSAGE(rtl::CM_VISIBLECHANGED, CMVisibleChanged),
               RTL_MESSAGE(rtl::CM_ENABLEDCHANGED, CMEnabledChanged),
               RTL_MESSAGE(rtl::CM_COLORCHANGED, CMColorChanged), RTL_MESSAGE(rtl::CM_CURSORCHANGED, CMCursorChanged),
               RTL_MESSAGE(rtl::CM_BIDIMODECHANGED, CMBiDiModeChanged),
               RTL_MESSAGE(rtl::CM_INVALIDATE, CMInvalidate), RTL_MESSAGE(rtl::CM_DESIGNHITTEST, CMDesignHitTest),
               RTL_MESSAGE(WM_KEYDOWN, WMKeyDown), RTL_MESSAGE(WM_SYSKEYDOWN, WMKeyDown),
               RTL_MESSAGE(WM_KEYUP, WMKeyUp), RTL_MESSAGE(WM_SYSKEYUP, WMKeyUp), RTL_MESSAGE(rtl::CN_KEYDOWN, CNKeyDown),
               RTL_MESSAGE(rtl::CN_SYSKEYDOWN, CNKeyDown), RTL_MESSAGE(rtl::CN_KEYUP, CNKeyUp),
               RTL_MESSAGE(DXM_RECALCULATESCROLLBARS, DXMRecalculateScrollBars),
               RTL_MESSAGE(WM_GETOBJECT, WMGetObject))

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // The accessible object of the client area, made on first request; nil
  // once the control is being destroyed.
  IcxAccessibilityHelper* GetIAccessibilityHelper();
  virtual TcxAccessibilityHelperClass GetAccessibilityHelperClass();

  using TcxControlLookAndFeelContainer::GetLookAndFeel;
  // The look and feel's painter.
  virtual TcxCustomLookAndFeelPainter* GetPainter();
  // Takes the values of AValue (Assign).
  void SetLookAndFeel(TcxLookAndFeel* AValue);

  bool CanFocusEx();
  bool AcceptMousePosForClick(int X, int Y);
  void DefaultHandler(rtl::TMessage& AMessage) override;
  void InvalidateRect(const TRect& R, bool AEraseBackground);
  void InvalidateRgn(TcxRegion* ARegion, bool AEraseBackground);
  void InvalidateWithChildren();
  void UpdateWithChildren();
  bool IsMouseInPressedArea(int X, int Y) const;
  void PostMouseMove(const TPoint& AMousePos);
  void PostMouseMove();
  void ScrollContent(TcxDirection ADirection);
  void ScrollWindow(int DX, int DY, const TRect& AScrollRect);
  void SetFocus() override;
  void SetScrollBarInfo(TScrollBarKind AScrollBarKind, int AMin, int AMax, int AStep, int APage, int APos,
                        bool AAllowShow, bool AAllowHide);
  virtual bool StartDrag(vcl::TDragObject* /*ADragObject*/) { return true; }
  virtual void BeginDragAndDrop();
  void FinishDragAndDrop(bool AAccepted);
  // Created on first request, freed when the operation finishes.
  TcxDragAndDropObject* GetDragAndDropObject();
  rtl::ClassOf<TcxDragAndDropObject> GetDragAndDropObjectClass();
  void SetDragAndDropObjectClass(rtl::ClassOf<TcxDragAndDropObject> AValue) { FDragAndDropObjectClass = AValue; }
  // Ctrl is held: a framework drag of the control copies.
  virtual bool IsCopyDragDrop();
  vcl::TDragImageList* GetDragImages() override;
  void AddFontListener(IcxFontListener* AListener);
  void RemoveFontListener(IcxFontListener* AListener);
  void LockScrollBars();
  void UnlockScrollBars();
  // IdxLocalizerListener: the resource strings changed language.
  void __stdcall TranslationChanged() override {}
  // Re-measures the scroll bars, later (message 0x8065).
  virtual void SystemInfoChanged(UINT AParameter);

  // Painting rectangles: explicit bounds, else the client rectangle.
  virtual TRect GetBounds();
  void SetBounds(const TRect& AValue) { FBounds = AValue; }
  using TcxCustomControl::SetBounds;
  virtual TRect GetClientBounds();
  TcxCanvas* GetActiveCanvas();
  TcxCanvas* GetCanvas() const { return FCanvas; }
  TcxControlBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TcxControlBorderStyle AValue);
  TcxDragAndDropState GetDragAndDropState() const { return FDragAndDropState; }
  // Setting ddsNone from outside FinishDragAndDrop cancels the mouse
  // operations too.
  void SetDragAndDropState(TcxDragAndDropState AValue);
  bool GetFocusOnClick() const { return FFocusOnClick; }
  void SetFocusOnClick(bool AValue) { FFocusOnClick = AValue; }
  // The hint as set; the framework's hint holds the one for the mouse.
  const rtl::String& GetHint() const { return FOriginalHint; }
  void SetHint(const rtl::String& AValue);
  bool IsDestroying() const;
  bool IsLoading() const;
  virtual bool IsDesigning();
  virtual bool IsFocused();
  TcxKeys GetKeys() const { return FKeys; }
  void SetKeys(TcxKeys AValue) { FKeys = AValue; }
  rtl::TObject* GetMouseCaptureObject() const { return FMouseCaptureObject; }
  void SetMouseCaptureObject(rtl::TObject* AValue);
  rtl::TComponent* GetCxPopupMenu() const { return FPopupMenu; }
  // A TPopupMenu or an IcxPopupMenu; anything else is stored as nil.
  void SetCxPopupMenu(rtl::TComponent* AValue);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool AValue);
  void SetParentBackground(bool AValue);
  vcl::TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(vcl::TScrollStyle AValue);
  TcxControlActivateType GetActivateType() const { return FActivateType; }
  bool GetMouseButtonPressed() const { return FMouseButtonPressed; }
  bool GetMouseRightButtonReleased() const { return FMouseRightButtonReleased; }
  TPoint GetMouseDownPos() const { return FMouseDownPos; }
  rtl::TNotifyEvent GetOnFocusChanged() const { return FOnFocusChanged; }
  void SetOnFocusChanged(rtl::TNotifyEvent AValue) { FOnFocusChanged = AValue; }
  rtl::TNotifyEvent GetOnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(rtl::TNotifyEvent AValue) { FOnMouseEnter = AValue; }
  rtl::TNotifyEvent GetOnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(rtl::TNotifyEvent AValue) { FOnMouseLeave = AValue; }

  // Scroll bars
  IcxControlScrollBar* GetHScrollBar();
  IcxControlScrollBar* GetVScrollBar();
  // Nil without main scroll bars.
  IcxControlScrollBar* GetMainScrollBar(TScrollBarKind AKind);
  bool HasScrollBar(TScrollBarKind AKind) const;
  bool IsHScrollBarVisible();
  bool IsVScrollBarVisible();
  // Nil unless the main scroll bars are windows.
  TcxSizeGrip* GetSizeGrip();
  TdxScrollbarMode GetScrollbarMode() const { return FScrollbarMode; }
  TSize GetScrollBarSize();
  TPoint GetMouseClientPos();
  bool ScrollBarsHaveCapture() const;
  TcxControlCustomScrollBars* GetMainScrollBars() const { return FMainScrollBars; }
  TcxControlScrollBarsManager* GetScrollBarsManager() const { return FScrollBarsManager; }
  // The scroll UI of touch and hybrid bars; nil stands for the control.
  void HideScrollUI(rtl::TObject* AOwner, bool AImmediately);
  bool IsScrollUIHidden(rtl::TObject* AOwner);
  void DeactivateTouchScrollUI(rtl::TObject* AOwner = nullptr);
  void CreateScrollBars();
  void DestroyScrollBars();

  // IcxScrollBarOwner, IdxScaleFactor
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TdxScaleFactor* __stdcall GetScaleFactor() override { return inherited::GetScaleFactor(); }
  // IdxSystemInfoListener
  void __stdcall Changed(UINT AParameter) override { SystemInfoChanged(AParameter); }
  // IcxControlChildComponentHost
  void __stdcall AddChildComponent(TcxControlChildComponent* AComponent) override;
  void __stdcall RemoveChildComponent(TcxControlChildComponent* AComponent) override;

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

  // Gesture scrolling: AllowPan and the scroll steps a pan makes.
  virtual bool AllowGesture(int AGestureID);
  virtual bool AllowPan(TScrollBarKind AKind);
  virtual int GetPanOptions();
  virtual bool IsPanArea(const TPoint& P);
  virtual bool AllowPanningFeedback() { return true; }
  virtual void BeginGestureScroll(const TPoint& APos);
  virtual void EndGestureScroll();
  virtual void GestureScroll(int ADeltaX, int ADeltaY);
  virtual HWND GetGestureOwnerHandle() { return GetHandle(); }
  virtual bool IsGestureTarget(HWND AWnd) { return HandleAllocated() && AWnd == GetHandle(); }
  TPoint GetGestureAccumulatedDelta() const { return FGestureAccumulatedDelta; }

  // The scroll UI's owner side.
  virtual void ScrollUIStateChanged();
  virtual vcl::TWinControl* GetScrollUIOwnerControl() { return this; }
  virtual bool HasVisibleScrollUI();
  virtual void DoHideScrollUI();
  virtual vcl::TColor GetHybridScrollbarBaseColor();
  virtual void InvalidateScrollBars();
  TdxHybridScrollbarsManager* GetHybridScrollbarsManager() override { return FHybridScrollbarsManager; }

  // Scroll-bar hosting; public because the scroll-bar classes ask.
  virtual bool IsClassicScrollBarMode() const { return FScrollbarMode == TdxScrollbarMode::sbmClassic; }
  virtual bool IsNonClassicScrollBarMode() const { return !IsClassicScrollBarMode(); }
  virtual bool IsTouchScrollbarMode() const { return FScrollbarMode == TdxScrollbarMode::sbmTouch; }
  virtual bool CanFocusOnClick(int X, int Y);
  virtual bool CanFocusOnScrollBarClick(vcl::TControl* AScrollBar);
  virtual void GetHScrollBarBounds(TRect& R);
  virtual void GetVScrollBarBounds(TRect& R);
  virtual void GetSizeGripBounds(TRect& R);
  virtual bool IsPointOnScrollBars(const TPoint& P);
  virtual bool IsPointOnSizeGrip(const TPoint& P);
  virtual void Scroll(TScrollBarKind /*AScrollBarKind*/, TScrollCode /*AScrollCode*/, int& /*AScrollPos*/) {}
  virtual vcl::TWinControl* GetScrollBarParent() { return this; }
  virtual void ShowScrollUI(rtl::TObject* AOwner, bool AControlledByTimer);
  void SetActivateType(TcxControlActivateType AValue) { FActivateType = AValue; }
  bool GetAllowScrollContentOnDrag() const { return FAllowScrollContentOnDrag; }
  void SetAllowScrollContentOnDrag(bool AValue) { FAllowScrollContentOnDrag = AValue; }

 protected:
  // --- gestures
  virtual bool UseScrollDataForGestures() { return false; }
  virtual void CheckGestureOverpan(TScrollBarKind AKind, int ANewPos, int AMinPos, int AMaxPos, int ADeltaX,
                                   int ADeltaY);
  virtual void SetGestureScrollPos(TScrollBarKind AKind, int APos);
  virtual TInteractiveGestures GetDefaultInteractiveGestures();
  virtual TInteractiveGestureOptions GetDefaultInteractiveGestureOptions();
  virtual rtl::TObject* GetScrollUIOwner(const TPoint& P);
  virtual bool IsMessageHandlingEnabled() { return GetEnabled(); }
  virtual bool IsDefaultGesture(int AGestureID) { return AGestureID == 4 || AGestureID == 7; }
  virtual bool HandleGestureMessage(rtl::TMessage& AMessage);
  virtual bool IsGesturePanning() { return false; }
  virtual bool CanGestureScroll(TScrollBarKind /*AKind*/) { return true; }
  virtual int GetDefaultPanOptions() { return 31; }
  virtual void DoUnhandledGestureScroll(TScrollBarKind /*AKind*/, int /*ADelta*/) {}

  // --- painting, input, focus
  virtual bool DoShowPopupMenu(rtl::TComponent* AMenu, int X, int Y);
  virtual bool DoMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos);
  virtual bool IsDoubleBuffered();
  virtual void DoDesignerModified();
  virtual void DoPaint();
  virtual void DrawBorder(TcxCanvas* ACanvas);
  virtual void DrawScrollBars(TcxCanvas* ACanvas);
  virtual void EraseBackground(HDC ADC);
  virtual void DrawBackground(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawNonClientArea(TcxCanvas* /*ACanvas*/) {}
  virtual void AfterMouseButtonDown(vcl::TMouseButton AButton, int X, int Y);
  virtual void BeforeMouseDown(vcl::TMouseButton /*AButton*/, vcl::TShiftState /*AShift*/, int /*X*/, int /*Y*/) {}
  virtual void BringScrollBarsToFront();
  virtual void FinishMouseActions();
  virtual int GetBorderSize();
  virtual void GetNonClientMargins(TRect& R) { R = TRect{}; }
  virtual vcl::TCursor GetCurrentCursor(int X, int Y);
  virtual rtl::ClassOf<TcxControlCustomScrollBars> GetMainScrollBarsClass();
  // 0 none, 1 horizontal, 2 vertical.
  virtual int GetMouseWheelScrollingKind();
  virtual bool KeepBufferedPaintAlpha();
  virtual rtl::ClassOf<TcxControlScrollBar> GetScrollBarClass(TScrollBarKind AKind);
  virtual rtl::ClassOf<TcxSizeGrip> GetSizeGripClass();
  virtual void InitializeAfterCreateWnd() { InitializeScrollBarWindows(); }
  virtual void FocusOnMouseDown(vcl::TMouseButton AButton, int X, int Y);
  virtual void ClipToClientBounds();
  virtual void GetHintForPoint(const TPoint& P, rtl::String& AText);
  virtual bool CanUseBufferedPaint() { return true; }
  virtual bool CanFocusByMouse();
  virtual bool NeedsEraseBackground() { return HasParentBackground(); }
  virtual bool HasNonClientArea() { return false; }
  virtual bool CanMouseWheelScroll(vcl::TShiftState AShift, int AWheelDelta, const TPoint& AMousePos);
  virtual bool HasParentBackground();
  virtual bool IsInternalControl(vcl::TControl* AControl);
  virtual bool HasTransparentChildren() { return false; }
  virtual bool CanRecreateOnBiDiModeChange() { return true; }
  virtual bool CorrectMousePosAfterFocus() { return true; }
  virtual void BiDiModeChanged() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void ParentBackgroundChanged() {}
  virtual void ScrollUIModeChanged() {}
  TcxLookAndFeel* GetContainerLookAndFeel() override { return FLookAndFeel; }
  TcxLookAndFeel* GetScrollBarLookAndFeel() override { return FLookAndFeel; }
  virtual void LookAndFeelChanged(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues);
  virtual vcl::TColor GetContentTextColor();

  // --- scroll bars
  virtual bool IsHybridScrollbarModeSupported() { return IsTouchScrollbarModeSupported(); }
  virtual bool IsTouchScrollbarModeSupported() { return false; }
  virtual bool CanScrollContentWithoutScrollBars(TcxDirection /*ADirection*/) { return false; }
  virtual bool IsScrollBarsUpdateAllowed();
  virtual void CheckScrollbarModeChanged();
  virtual void InitScrollBars() { CreateScrollBars(); }
  virtual void FinalizeScrollBars() { DestroyScrollBars(); }
  virtual void DoUpdateScrollBars();
  virtual int GetHScrollBarAreaHeight();
  virtual int GetHScrollBarDefaultHeight();
  virtual vcl::TScrollStyle GetSizeCheckedScrollBars() { return vcl::TScrollStyle::ssBoth; }
  virtual int GetVScrollBarAreaWidth();
  virtual int GetVScrollBarDefaultWidth();
  virtual bool IsScrollbarModeChangeAllowed() { return NeedsScrollBars(); }
  virtual void ResetScrollBarsUI();
  virtual void InitializeScrollBarWindows();
  // Descendants set both bars with SetScrollBarInfo here.
  virtual void InitScrollBarsParameters() {}
  virtual void PrepareScrollBarsCalculation() {}
  virtual bool AllowPageIncreaseByScrollBar(TScrollBarKind /*AKind*/) { return false; }
  virtual bool GetSizeGripVisible();
  virtual bool NeedsScrollBars() { return true; }
  virtual bool CanBringScrollBarsToFront() { return !IsDesigning(); }
  // AChanges: 1 the horizontal bar's visibility changed, 2 the vertical's.
  virtual void ScrollBarsVisibilityChanged(int /*AChanges*/) { BoundsChanged(); }
  virtual void UpdateScrollBarsBounds();
  virtual void UpdateScrollBarControls();
  virtual void UpdateScrollBars();
  virtual void ApplyScrollbarModeChange();

  // --- drag and drop
  virtual bool CancelDragOnCaptureLoss() { return true; }
  // Ends a running operation and frees the drag-and-drop object.
  virtual void DoFinishDragAndDrop(bool AAccepted);
  virtual bool CanDragAtDesignTime(int /*X*/, int /*Y*/) { return true; }
  virtual bool CanStartDragAndDrop(int /*X*/, int /*Y*/) { return FDragAndDropState == TcxDragAndDropState::ddsNone; }
  virtual bool StartDragAndDrop(const TPoint& /*P*/) { return false; }
  // The steps of a running operation; by default the object's.
  virtual void DragAndDrop(const TPoint& P, bool& AAccepted);
  virtual void EndDragAndDrop(bool AAccepted);
  // Whether the drag and drop starts at once on the press: the object's
  // ImmediateStart.
  virtual bool IsImmediateDragAndDropStart();
  virtual TcxDragAndDropObject* CreateDragAndDropObject();
  // The framework's dragging of the whole control.
  virtual rtl::ClassOf<vcl::TDragObject> GetDragObjectClass();
  virtual bool HasDragImages() { return false; }
  // (0, 0): no drag image.
  virtual void GetDragImagesSize(TSize& ASize) { ASize = TSize{0, 0}; }
  virtual void DrawDragImage(TcxCanvas* /*ACanvas*/, const TRect& /*R*/) {}
  virtual void InitDragImages(vcl::TDragImageList* AList);
  void DoStartDrag(vcl::TDragObject*& ADragObject) override;
  void DoEndDrag(rtl::TObject* ATarget, int X, int Y) override;
  void DragOver(rtl::TObject* ASource, int X, int Y, vcl::TDragState AState, bool& AAccept) override;

  // --- dynamic operations
  virtual void CancelMouseOperations();
  virtual bool GetDesignHitTest(int X, int Y, vcl::TShiftState AShift);
  virtual void MouseEnter(vcl::TControl* AControl);
  virtual void MouseLeave(vcl::TControl* AControl);
  virtual void FocusEnter() {}
  virtual void FocusLeave() {}
  virtual bool CanBeFocused() { return true; }
  virtual void BorderStyleChanged() { BoundsChanged(); }
  virtual void BoundsChanged();
  virtual void ColorChanged() {}
  virtual void CursorChanged() {}
  virtual void FocusChanged();
  virtual void FontChanged();
  virtual void TextChanged() {}
  virtual void TransparentChanged();
  virtual void VisibleChanged();
  virtual bool AllowUnfocusedMouseDown() { return false; }

  // --- framework overrides
  void CreateParams(vcl::TCreateParams& AParams) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void WndProc(rtl::TMessage& AMessage) override;
  void PaintWindow(HDC ADC) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  void MouseMove(vcl::TShiftState AShift, int X, int Y) override;
  void MouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y) override;
  bool DoMouseWheel(vcl::TShiftState AShift, int AWheelDelta, TPoint AMousePos) override;
  void DoContextPopup(TPoint AMousePos, bool& AHandled) override;
  void ScaleChanged() override;
  void ActionChange(rtl::TObject* ASender, bool ACheckDefaults) override;
  using vcl::TControl::MouseEnter;
  using vcl::TControl::MouseLeave;

  // The road of WM_PAINT with a DC or without double buffering.
  void PaintHandler(vcl::TWMPaint& AMessage);
  // The non-client frame into ADC (window coordinates).
  void PaintNonClientArea(HDC ADC);
  // The client point of a mouse message (the cursor for huge controls).
  TPoint GetMouseMessagePos(const rtl::TMessage& AMessage);
  TdxScrollbarMode GetScrollbarModeFromLookAndFeel();

  void WMEraseBkgnd(vcl::TWMEraseBkgnd& AMessage);
  void WMPaint(vcl::TWMPaint& AMessage);
  void WMNCPaint(rtl::TMessage& AMessage);
  void WMPrint(rtl::TMessage& AMessage);
  void WMNCCalcSize(rtl::TMessage& AMessage);
  void WMGetDlgCode(rtl::TMessage& AMessage);
  void WMSetCursor(rtl::TMessage& AMessage);
  void WMCancelMode(rtl::TMessage& AMessage);
  void WMContextMenu(rtl::TMessage& AMessage);
  void WMWindowPosChanged(rtl::TMessage& AMessage);
  void CMMouseEnter(rtl::TMessage& AMessage);
  void CMMouseLeave(rtl::TMessage& AMessage);
  void CMFontChanged(rtl::TMessage& AMessage);
  void CMTextChanged(rtl::TMessage& AMessage);
  void CMVisibleChanged(rtl::TMessage& AMessage);
  void CMEnabledChanged(rtl::TMessage& AMessage);
  void CMColorChanged(rtl::TMessage& AMessage);
  void CMCursorChanged(rtl::TMessage& AMessage);
  void CMBiDiModeChanged(rtl::TMessage& AMessage);
  void CMInvalidate(rtl::TMessage& AMessage);
  void CMDesignHitTest(rtl::TMessage& AMessage);
  void WMKeyDown(vcl::TWMKey& AMessage);
  void WMKeyUp(vcl::TWMKey& AMessage);
  void CNKeyDown(vcl::TWMKey& AMessage);
  void CNKeyUp(vcl::TWMKey& AMessage);
  void DXMRecalculateScrollBars(rtl::TMessage& AMessage);
  // Answers OBJID_CLIENT with the accessible object.
  void WMGetObject(rtl::TMessage& AMessage);

 private:
  friend class TcxControlCustomScrollBars;
  friend class TcxControlWindowedScrollBars;
  // Scrolls any IdxScrollingControl: updates its bars and reports over-pan.
  friend class TdxScrollHelper;

  void LookAndFeelChangeHandler(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues);
  bool IsPopupMenuShortCut(vcl::TWMKey& AMessage);
  void ApplyScrollBarsState();
  void CalculateScrollBars();
  void HideScrollBarsMutually();
  void GestureScrollStep(TScrollBarKind AKind, int& AAccumulated, int ADeltaX, int ADeltaY);
  // The message went straight to the handlers (design-time hits and
  // automatic dragging skip the framework's drag start).
  void DispatchLeftButtonDirectly(rtl::TMessage& AMessage);

  vcl::TColor FHybridScrollbarBaseColor;
  TdxHybridScrollbarsManager* FHybridScrollbarsManager;
  TdxTouchScrollUIActivityHelper* FScrollUIActivityHelper;
  bool FIsScrollUIModeChanging;
  TdxScrollbarMode FScrollbarMode;
  TcxControlActivateType FActivateType;
  TcxCanvas* FActiveCanvas;
  TcxControlBorderStyle FBorderStyle;
  TcxCanvas* FCanvas;
  bool FCreatingWindow;
  bool FFinishingDragAndDrop;
  TcxDragAndDropObject* FDragAndDropObject;
  rtl::ClassOf<TcxDragAndDropObject> FDragAndDropObjectClass;
  vcl::TCursor FDragAndDropPrevCursor;
  vcl::TDragImageList* FDragImages;
  bool FFocusOnClick;
  std::vector<rtl::IPtr<IcxFontListener>>* FFontListenerList;
  TcxLookAndFeel* FLookAndFeel;
  rtl::String FOriginalHint;
  rtl::TComponent* FPopupMenu;
  bool FTransparent;
  TcxDragAndDropState FDragAndDropState;
  TPoint FGestureAccumulatedDelta;
  bool FAllowScrollContentOnDrag;
  bool FInitialHScrollBarActive;
  bool FInitialVScrollBarActive;
  bool FIsScrollingContent;
  TcxControlCustomScrollBars* FMainScrollBars;
  vcl::TScrollStyle FScrollBars;
  TcxControlScrollBarsManager* FScrollBarsManager;
  int FScrollBarsLockCount;
  bool FScrollBarsUpdateNeeded;
  int FUpdateScrollBarsCount;
  TcxKeys FKeys;
  bool FMouseButtonPressed;
  rtl::TObject* FMouseCaptureObject;
  TPoint FMouseDownPos;
  int FMouseEnterCounter;
  bool FMouseRightButtonReleased;
  int FMouseWheelAccumulator;
  rtl::TNotifyEvent FOnFocusChanged;
  rtl::TNotifyEvent FOnMouseEnter;
  rtl::TNotifyEvent FOnMouseLeave;
  TRect FBounds;
  rtl::IPtr<IcxAccessibilityHelper> FAccessibilityHelper;
};

// ---------------------------------------------------------------------------
// The drag-and-drop object: one operation inside one control (moving a tab,
// an item, a splitter). The control creates it, feeds it the mouse and the
// keys while the operation runs, ends and frees it; descendants draw the
// feedback in BeginDragAndDrop and DragAndDrop and remove it in
// EndDragAndDrop. Dirty tells whether that feedback must be redrawn.

class TcxDragAndDropObject : public rtl::TObject {
  RTL_CLASS(TcxDragAndDropObject, rtl::TObject)

 public:
  // Keeps the control and its canvas; AControl may be nil.
  virtual void Create(TcxControl* AControl);

  // The steps the control calls.
  void DoBeginDragAndDrop();
  void DoDragAndDrop(const TPoint& P, bool& AAccepted);
  void DoEndDragAndDrop(bool AAccepted);
  // True: the key was taken and the operation goes on.
  virtual bool DoProcessKeyDown(vcl::TWMKey& AMessage);
  virtual bool DoProcessKeyUp(vcl::TWMKey& AMessage);

  TcxCanvas* GetCanvas() const { return FCanvas; }
  TcxControl* GetControl() const { return FControl; }
  bool GetDirty() const { return FDirty; }
  void SetDirty(bool AValue);
  virtual bool GetImmediateStart() { return false; }
  // In percent; positions reach the steps divided by it.
  virtual int GetZoomFactor() { return 100; }

  // In the control's client coordinates, zoom taken out; (-1, -1) until
  // the operation begins.
  TPoint CurMousePos{-1, -1};
  TPoint PrevMousePos{-1, -1};

 protected:
  virtual void DirtyChanged() {}
  virtual TPoint GetClientCursorPos();
  virtual vcl::TCursor GetDragAndDropCursor(bool AAccepted);
  virtual void AfterDragAndDrop(bool /*AAccepted*/) {}
  virtual void BeforeBeginDragAndDrop() {}
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  virtual void DragAndDrop(const TPoint& P, bool& AAccepted);
  virtual void EndDragAndDrop(bool AAccepted);
  virtual bool ProcessKeyDown(WORD /*AKey*/, vcl::TShiftState /*AShift*/) { return false; }
  virtual bool ProcessKeyUp(WORD /*AKey*/, vcl::TShiftState /*AShift*/) { return false; }
  virtual TPoint TranslateCoords(const TPoint& P);

 private:
  TcxCanvas* FCanvas;
  TcxControl* FControl;
  bool FDirty;
};

// The object of the framework's dragging of a whole control: the copy
// cursor while the control copies, and it frees itself when the drag ends.
class TcxDragControlObject : public vcl::TDragControlObject {
  RTL_CLASS(TcxDragControlObject, vcl::TDragControlObject)

 public:
  // Frees the object after the framework's handling.
  void Finished(rtl::TObject* ATarget, int X, int Y, bool AAccepted) override;
  vcl::TCursor GetDragCursor(bool AAccepted, int X, int Y) override;
};

// The framework drag object now over one of the system's controls; nil
// when none is.
vcl::TDragObject* cxGetDragObject();

// Class functions of the control's scaling.
class TcxControlHelper {
 public:
  static bool CanSetParent(vcl::TControl* AControl, vcl::TWinControl* ANewParent);
  static void ChangeScaleFactor(vcl::TControl* AControl, const TdxScaleFactor* ATarget);
  static void ChangeScaleFactor(vcl::TControl* AControl, int N, int D);
  static void UpdateScaleFactorOnParentChange(vcl::TControl* AControl);
  static int GetCurrentDPIFromControl(rtl::TObject* AObject);
  static void ScaleForPPI(rtl::TObject* AObject, int ATargetPPI);
  static TPoint GetOriginalParentSize(rtl::TObject* AObject);
  static void SetOriginalParentSize(rtl::TObject* AObject, const TPoint& P);
};

// ===========================================================================
// The control's scroll bars

// The requested state of one scroll bar, filled while the control
// calculates and applied in one step.
class TcxScrollBarData : public rtl::TObject {
  RTL_CLASS(TcxScrollBarData, rtl::TObject)

 public:
  // Min <= Max, PageSize < Max - Min + 1 and Min <= Position.
  void Validate();

  bool FAllowHide;
  bool FAllowShow;
  bool FEnabled;
  bool FIsValid;
  TScrollBarInc FLargeChange;
  int FMin;
  int FMax;
  int FPosition;
  int FPageSize;
  TScrollBarInc FSmallChange;
  bool FVisible;
};

// The face of every scroll bar a control hosts, windowed or not.
struct IcxControlScrollBar : rtl::IInterface {
  RTL_GUID(IcxControlScrollBar, "{D70735C6-82E8-4D17-AE14-9317D2A11D0C}")
  virtual void ApplyData() = 0;
  // Nil for a windowless bar. The window's answer as an IcxScrollBarOwner
  // is the same, hence the same calling convention; the rest is plain C++
  // so that the framework's virtuals of a bar window (SetEnabled) serve.
  virtual vcl::TWinControl* __stdcall GetControl() = 0;
  virtual TRect GetBoundsRect() = 0;
  virtual TcxScrollBarData* GetData() = 0;
  virtual bool GetEnabled() = 0;
  virtual int GetHeight() = 0;
  virtual TScrollBarKind GetKind() = 0;
  virtual TScrollBarInc GetLargeChange() = 0;
  virtual int GetLeft() = 0;
  virtual int GetMax() = 0;
  virtual int GetMin() = 0;
  virtual int GetPageSize() = 0;
  virtual int GetPosition() = 0;
  virtual TScrollBarInc GetSmallChange() = 0;
  virtual int GetTop() = 0;
  virtual bool GetUnlimitedTracking() = 0;
  virtual bool GetVisible() = 0;
  virtual int GetWidth() = 0;
  virtual void SetBoundsRect(const TRect& AValue) = 0;
  virtual void SetEnabled(bool AValue) = 0;
  virtual void SetHeight(int AValue) = 0;
  virtual void SetKind(TScrollBarKind AValue) = 0;
  virtual void SetLargeChange(TScrollBarInc AValue) = 0;
  virtual void SetLeft(int AValue) = 0;
  virtual void SetMax(int AValue) = 0;
  virtual void SetMin(int AValue) = 0;
  virtual void SetPageSize(int AValue) = 0;
  virtual void SetPosition(int AValue) = 0;
  virtual void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) = 0;
  virtual void SetSmallChange(TScrollBarInc AValue) = 0;
  virtual void SetTop(int AValue) = 0;
  virtual void SetUnlimitedTracking(bool AValue) = 0;
  virtual void SetVisible(bool AValue) = 0;
  virtual void SetWidth(int AValue) = 0;
};

// Forwards IcxControlScrollBar to a bar's own members: the bar classes
// below fill in only what differs.
#define KV_CONTROL_SCROLLBAR_FORWARDS(AHelper)                                                                  \
  TScrollBarKind GetKind() override { return AHelper->GetKind(); }                                  \
  TScrollBarInc GetLargeChange() override { return AHelper->GetLargeChange(); }                     \
  int GetMax() override { return AHelper->GetMax(); }                                               \
  int GetMin() override { return AHelper->GetMin(); }                                               \
  int GetPageSize() override { return AHelper->GetPageSize(); }                                     \
  int GetPosition() override { return AHelper->GetPosition(); }                                     \
  TScrollBarInc GetSmallChange() override { return AHelper->GetSmallChange(); }                     \
  bool GetUnlimitedTracking() override { return AHelper->GetUnlimitedTracking(); }                  \
  void SetLargeChange(TScrollBarInc AValue) override { AHelper->SetLargeChange(AValue); }           \
  void SetSmallChange(TScrollBarInc AValue) override { AHelper->SetSmallChange(AValue); }           \
  void SetUnlimitedTracking(bool AValue) override { AHelper->SetUnlimitedTracking(AValue); }        \
  TcxScrollBarData* GetData() override { return FData; }

// ---------------------------------------------------------------------------
// TcxControlScrollBar: a scroll bar window of a control.

class TcxControlScrollBar : public TcxScrollBar, public IcxControlScrollBar {
  RTL_CLASS(TcxControlScrollBar, TcxScrollBar)
  RTL_INTERFACES(IcxControlScrollBar)
  RTL_MESSAGES(RTL_MESSAGE(rtl::CM_DESIGNHITTEST, CMDesignHitTest), RTL_MESSAGE(rtl::CM_HINTSHOW, CMHintShow))

 public:
  void Create(rtl::TComponent* AOwner) override;
  // Owned by the control's main scroll bars, not by the component tree.
  virtual void CreateEx(TcxControl* AOwner);
  void Destroy() override;
  void WndProc(rtl::TMessage& AMessage) override;

  virtual void AttachToOwnerControl();
  virtual void SetOwnerControlRelativeBounds(const TRect& ABounds) { vcl::TControl::SetBoundsRect(ABounds); }
  // Always the top of its siblings.
  void SetZOrder(bool ATopMost);
  // For the main scroll bars: a parentless bar's window goes; the control
  // state follows the framework's.
  void ReleaseHandle() { DestroyHandle(); }
  void UpdateState() { UpdateControlState(); }

  // IcxControlScrollBar
  void ApplyData() override;
  vcl::TWinControl* __stdcall GetControl() override { return this; }
  TRect GetBoundsRect() override { return vcl::TControl::GetBoundsRect(); }
  bool GetEnabled() override { return vcl::TControl::GetEnabled(); }
  int GetHeight() override { return FHeight; }
  int GetLeft() override { return FLeft; }
  int GetTop() override { return FTop; }
  bool GetVisible() override { return FVisible; }
  int GetWidth() override { return FWidth; }
  void SetBoundsRect(const TRect& AValue) override { vcl::TControl::SetBoundsRect(AValue); }
  void SetEnabled(bool AValue) override { vcl::TControl::SetEnabled(AValue); }
  void SetHeight(int AValue) override { vcl::TControl::SetHeight(AValue); }
  void SetKind(TScrollBarKind AValue) override { TcxScrollBar::SetKind(AValue); }
  void SetLeft(int AValue) override { vcl::TControl::SetLeft(AValue); }
  void SetMax(int AValue) override { TcxScrollBar::SetMax(AValue); }
  void SetMin(int AValue) override { TcxScrollBar::SetMin(AValue); }
  void SetPageSize(int AValue) override { TcxScrollBar::SetPageSize(AValue); }
  void SetPosition(int AValue) override { TcxScrollBar::SetPosition(AValue); }
  void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) override
  {
    TcxScrollBar::SetScrollParams(AMin, AMax, APosition, APageSize, ARedraw);
  }
  void SetTop(int AValue) override { vcl::TControl::SetTop(AValue); }
  void SetVisible(bool AValue) override { vcl::TControl::SetVisible(AValue); }
  void SetWidth(int AValue) override { vcl::TControl::SetWidth(AValue); }
  KV_CONTROL_SCROLLBAR_FORWARDS(GetHelper())

  TcxControl* OwnerControl;

 protected:
  // Before the window procedure: a press focuses the owner.
  virtual void PreProcessMessage(rtl::TMessage& AMessage);
  virtual void FocusOwnerControl();
  virtual bool IsVisibleByData() { return FData->FVisible; }
  void PaintOnCanvas(TcxCanvas* ACanvas) override;

  void CMDesignHitTest(rtl::TMessage& AMessage) { AMessage.Result = 1; }
  void CMHintShow(rtl::TMessage& AMessage) { AMessage.Result = 1; }

 private:
  TcxScrollBarData* FData;
};

// ---------------------------------------------------------------------------
// TcxControlScrollBarHelper: a windowless scroll bar inside a control's
// client area, painted by the control and fed by its scroll-bars manager.

class TcxControlScrollBarHelper : public TcxScrollBarHelper, public IcxControlScrollBar {
  RTL_CLASS(TcxControlScrollBarHelper, TcxScrollBarHelper)
  RTL_INTERFACES(IcxControlScrollBar)

 public:
  void Create(IcxScrollBarOwner* AOwner) override;
  void Destroy() override;
  void Repaint() override;
  bool CanScrollContentOnDrag() override;

  // IcxControlScrollBar
  void ApplyData() override;
  vcl::TWinControl* __stdcall GetControl() override { return nullptr; }
  TRect GetBoundsRect() override { return TcxScrollBarHelper::GetBoundsRect(); }
  bool GetEnabled() override { return TcxScrollBarHelper::GetEnabled(); }
  int GetHeight() override;
  int GetLeft() override;
  int GetTop() override;
  bool GetVisible() override { return TcxScrollBarHelper::GetVisible(); }
  int GetWidth() override;
  void SetBoundsRect(const TRect& AValue) override { TcxScrollBarHelper::SetBoundsRect(AValue); }
  void SetEnabled(bool AValue) override { TcxScrollBarHelper::SetEnabled(AValue); }
  void SetHeight(int AValue) override;
  void SetKind(TScrollBarKind AValue) override { TcxScrollBarHelper::SetKind(AValue); }
  void SetLeft(int AValue) override;
  void SetMax(int AValue) override { TcxScrollBarHelper::SetMax(AValue); }
  void SetMin(int AValue) override { TcxScrollBarHelper::SetMin(AValue); }
  void SetPageSize(int AValue) override { TcxScrollBarHelper::SetPageSize(AValue); }
  void SetPosition(int AValue) override { TcxScrollBarHelper::SetPosition(AValue); }
  void SetScrollParams(int AMin, int AMax, int APosition, int APageSize, bool ARedraw) override
  {
    TcxScrollBarHelper::SetScrollParams(AMin, AMax, APosition, APageSize, ARedraw);
  }
  void SetTop(int AValue) override;
  void SetVisible(bool AValue) override { TcxScrollBarHelper::SetVisible(AValue); }
  void SetWidth(int AValue) override;
  // To the scroll logic's own members: through this the overrides would
  // call themselves.
  KV_CONTROL_SCROLLBAR_FORWARDS(static_cast<TcxScrollBarHelper*>(this))

 private:
  TcxControl* OwnerControl() const;

  TcxScrollBarData* FData;
};

// ---------------------------------------------------------------------------
// TcxControlScrollBarsManager: paints a control's windowless bars and
// routes its mouse messages to them.

class TcxControlScrollBarsManager : public TcxIUnknownObject, public IcxMouseTrackingCaller3 {
  RTL_CLASS(TcxControlScrollBarsManager, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller, IcxMouseTrackingCaller2, IcxMouseTrackingCaller3)

 public:
  virtual void Create(TcxControl* AOwner);
  void Destroy() override;

  // Answers whether the message was consumed.
  virtual bool HandleMessage(rtl::TMessage& AMessage);
  virtual bool IsScrollBarsArea(const TPoint& P);
  virtual void Paint(TcxCanvas* ACanvas);
  void RegisterScrollBar(TcxControlScrollBarHelper* AScrollBar);
  void UnRegisterScrollBar(TcxControlScrollBarHelper* AScrollBar);

  bool GetIsCapture() const { return FIsCapture; }
  void SetIsCapture(bool AValue);
  TcxControlScrollBarHelper* GetHotScrollBar() const { return FHotScrollBar; }
  // Set while the owner's window was destroyed during a press; a tick ends
  // the press once the left button is up.
  TcxTimer* GetCheckCaptureTimer() const { return FCheckCaptureTimer; }
  void CheckCaptureTimerHandler(rtl::TObject* ASender);

  // IcxMouseTrackingCaller3
  void __stdcall MouseLeave() override;
  bool __stdcall PtInCaller(const TPoint& P) override;
  bool __stdcall KeepTracking() override { return FIsCapture; }

 protected:
  virtual bool ProcessMouseDown(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);
  virtual bool ProcessMouseMove(vcl::TShiftState AShift, int X, int Y);
  virtual bool ProcessMouseUp(vcl::TMouseButton AButton, vcl::TShiftState AShift, int X, int Y);

 private:
  void SetHotScrollBar(TcxControlScrollBarHelper* AValue);
  TcxControlScrollBarHelper* ScrollBarAt(const TPoint& P) const;

  TcxTimer* FCheckCaptureTimer;
  bool FIsCapture;
  TcxControlScrollBarHelper* FHotScrollBar;
  TcxControl* FOwner;
  std::vector<TcxControlScrollBarHelper*> FScrollBars;
};

// ---------------------------------------------------------------------------
// The main scroll bars of a control: two bars and the size grip.

class TcxControlCustomScrollBars : public TcxIUnknownObject {
  RTL_CLASS(TcxControlCustomScrollBars, TcxIUnknownObject)

 public:
  virtual void Create(TcxControl* AOwner);
  void Destroy() override;

  virtual void BringControlsToFront() {}
  // Brings the bar's thickness to the owner's scroll-bar size; True when it
  // changed.
  virtual bool CheckScrollBarSize(TScrollBarKind /*AKind*/) { return false; }
  virtual void SetSizeGripVisible(bool AValue) = 0;
  virtual IcxControlScrollBar* GetScrollBar(TScrollBarKind AKind);
  virtual void HideControls() {}
  virtual void InitializeControls() {}
  virtual void ReleaseWindowHandles() {}
  virtual bool IsInternalControl(vcl::TControl* /*AControl*/) { return false; }
  virtual bool IsScrollBarVisible(TScrollBarKind AKind) { return CalculateScrollBarVisible(AKind); }
  virtual bool CalculateScrollBarVisible(TScrollBarKind AKind);
  virtual bool IsPointOnSizeGrip(const TPoint& /*P*/) { return false; }
  virtual void UpdateBounds() {}
  virtual void UpdateControlsState() {}
  virtual void Invalidate() {}
  virtual void DrawSizeGrip(TcxCanvas* /*ACanvas*/) {}
  virtual void DestroyScrollBars();
  void ApplyScrollBarsData();

  bool GetCalculating() const { return FCalculating; }
  void SetCalculating(bool AValue) { FCalculating = AValue; }
  TcxControl* GetOwner() const { return FOwner; }

 protected:
  virtual rtl::TObject* CreateScrollBar(TScrollBarKind AKind) = 0;
  virtual void CreateScrollBars();
  virtual rtl::TObject* CreateSizeGrip() = 0;
  virtual void DestroyHScrollBar() { rtl::FreeAndNil(FHScrollBar); }
  virtual void DestroySizeGrip() { rtl::FreeAndNil(FSizeGrip); }
  virtual void DestroyVScrollBar() { rtl::FreeAndNil(FVScrollBar); }
  // Every scroll step reaches the owner's Scroll.
  void ScrollBarScroll(rtl::TObject* ASender, TScrollCode AScrollCode, int& APosition);

  bool FCalculating;
  TcxControl* FOwner;
  rtl::TObject* FHScrollBar;
  rtl::TObject* FSizeGrip;
  rtl::TObject* FVScrollBar;
};

using TcxControlCustomScrollBarsClass = rtl::ClassOf<TcxControlCustomScrollBars>;

class TcxControlWindowedScrollBars : public TcxControlCustomScrollBars {
  RTL_CLASS(TcxControlWindowedScrollBars, TcxControlCustomScrollBars)

 public:
  void BringControlsToFront() override;
  bool CheckScrollBarSize(TScrollBarKind AKind) override;
  void SetSizeGripVisible(bool AValue) override;
  void HideControls() override;
  void InitializeControls() override;
  void ReleaseWindowHandles() override;
  bool IsInternalControl(vcl::TControl* AControl) override;
  void UpdateBounds() override;
  void UpdateControlsState() override;
  void Invalidate() override;
  void DestroyScrollBars() override;

  TcxControlScrollBar* GetHScrollBar() const;
  TcxControlScrollBar* GetVScrollBar() const;
  TcxSizeGrip* GetSizeGrip() const;

 protected:
  rtl::TObject* CreateScrollBar(TScrollBarKind AKind) override;
  rtl::TObject* CreateSizeGrip() override;

 private:
  void ScrollBarMouseEnter(rtl::TObject* ASender);
  void ScrollBarMouseLeave(rtl::TObject* /*ASender*/) {}
  // The bars and the grip that are windows, in that order.
  std::array<vcl::TWinControl*, 3> Windows() const;
};

// ---------------------------------------------------------------------------
// TcxSizeGrip: the square where both bars meet.

class TcxSizeGrip : public vcl::TCustomControl {
  RTL_CLASS(TcxSizeGrip, vcl::TCustomControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))

 public:
  void Create(rtl::TComponent* AOwner) override;
  virtual void CreateEx(TcxControl* AOwner);
  void Destroy() override;

  virtual void PaintGrip(TcxCanvas* ACanvas);
  virtual void AttachToOwnerControl();
  virtual void SetOwnerControlRelativeBounds(const TRect& ABounds) { SetBoundsRect(ABounds); }
  void SetZOrder(bool ATopMost);
  void ReleaseHandle() { DestroyHandle(); }
  void UpdateState() { UpdateControlState(); }
  // A status bar whose corner may show a grip: its form sizes, is neither
  // maximized nor minimized, and the bar's corner is the form's.
  static bool IsAvailable(vcl::TWinControl* AStatusBar);

  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel; }
  TcxControl* GetOwnerControl() const { return FOwnerControl; }
  void SetOwnerControl(TcxControl* AValue) { FOwnerControl = AValue; }

 protected:
  void Paint() override;
  void WMEraseBkgnd(rtl::TMessage& AMessage) { AMessage.Result = 1; }

 private:
  void LookAndFeelChangeHandler(TcxLookAndFeel* ASender, TcxLookAndFeelValues AChangedValues);

  TcxControl* FOwnerControl;
  TcxLookAndFeel* FLookAndFeel;
};

#undef KV_CONTROL_SCROLLBAR_FORWARDS
