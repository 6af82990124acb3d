// The popup a control opens below or beside itself (a drop-down, the list of
// incremental filtering), and the cooperation of the popups open at once:
// - TcxCustomPopupWindow: the framework popup form with a container style
//   and view info for its frame, focus capture with an optional local modal
//   loop or a show without activation, and events around showing and
//   closing;
// - TcxPopupVisibleController: the process-wide list of the visible popups
//   in the order they were shown;
// - three thread hooks (window procedure, get message, mouse), installed by
//   the unit's start-up, that close popups when the user clicks elsewhere,
//   switches applications, moves or hides the owner or closes a window, and
//   keep the owner's form looking active while its popup is open;
// - the window-relationship tests these decisions rest on.
// User-interface thread only.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/cxContainer.h"
#include "controls/cxPopupWindow.h"
#include "core/dxCore.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemUnits.h"


RTL_DECLARE_UNIT(cxCustomPopupWindow);

// The private messages of a popup: close it later; open it again with its
// remembered focused control.
inline constexpr UINT DXM_CLOSEPOPUPWINDOW = 0x807D;
inline constexpr UINT DXM_SHOWPOPUPWINDOW = 0x807E;

// A window whose framework control belongs to an owner control (a popup).
struct IdxPopupControl : rtl::IInterface {
  RTL_GUID(IdxPopupControl, "{D0F5E4E4-9A26-4C93-A3A4-3E5B8A0B2C71}")
  virtual vcl::TWinControl* __stdcall GetOwnerControl() = 0;
};

class TcxCustomPopupWindow : public TcxPopupWindow, public IdxPopupControl {
  RTL_CLASS(TcxCustomPopupWindow, TcxPopupWindow)
  RTL_INTERFACES(IdxPopupControl)
  RTL_MESSAGES(RTL_MESSAGE(WM_ACTIVATEAPP, WMActivateApp), RTL_MESSAGE(WM_ACTIVATE, WMActivate),
               RTL_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), RTL_MESSAGE(WM_WINDOWPOSCHANGING, WMWindowPosChanging),
               RTL_MESSAGE(vcl::CM_RECREATEWND, CMRecreateWnd), RTL_MESSAGE(vcl::CM_SHOWINGCHANGED, CMShowingChanged),
               RTL_MESSAGE(vcl::CM_MOUSEENTER, CMMouseEnter), RTL_MESSAGE(vcl::CM_MOUSELEAVE, CMMouseLeave),
               RTL_MESSAGE(DXM_CLOSEPOPUPWINDOW, DXMClosePopupWindow),
               RTL_MESSAGE(DXM_SHOWPOPUPWINDOW, DXMShowPopupWindow))

 public:
  virtual void Create(vcl::TWinControl* AOwnerControl);
  void Destroy() override;

  // Shows the popup and, capturing the focus in modal mode, runs the local
  // message loop until it closes.
  virtual void Popup(vcl::TWinControl* AFocusedControl);
  void CloseUp() override;
  // Closes the popup later (DXM_CLOSEPOPUPWINDOW).
  void ClosePopup();
  virtual void CorrectBoundsWithDesktopWorkArea(TPoint& APosition, TSize& ASize);
  virtual TcxContainerStyleClass GetStyleClass();
  virtual TcxContainerViewInfoClass GetViewInfoClass();

  // Registered in the visible list.
  bool IsVisible();
  bool Focused() override;
  bool CanFocus() override { return GetVisible(); }
  bool HasCapture();
  bool IsShortCut(vcl::TWMKey& AMessage) override;
  void LockDeactivate(bool ALock) { FDeactivateLockCount += ALock ? 1 : -1; }
  bool IsDeactivateLocked() const { return FDeactivateLockCount != 0; }
  // Enables or disables the window with cxIsPopupEnabledChanging raised.
  void SetWindowEnabled(bool AEnabled);

  vcl::TWinControl* __stdcall GetOwnerControl() override { return FOwnerControl; }
  bool GetCaptureFocus() const { return FCaptureFocus; }
  void SetCaptureFocus(bool AValue);
  bool GetIsTopMost() const { return FIsTopMost; }
  void SetIsTopMost(bool AValue);
  // Reading clears it.
  bool JustClosed();
  bool GetModalMode() const { return FModalMode; }
  void SetModalMode(bool AValue) { FModalMode = AValue; }
  bool GetShowWithoutActivation() const { return FShowWithoutActivation; }
  void SetShowWithoutActivation(bool AValue) { FShowWithoutActivation = AValue; }
  bool GetTerminateOnDestroy() const { return FTerminateOnDestroy; }
  void SetTerminateOnDestroy(bool AValue) { FTerminateOnDestroy = AValue; }
  TcxContainerStyle* GetStyle() const { return FStyle; }
  TcxContainerViewInfo* GetViewInfo() const { return FViewInfo; }
  vcl::TWinControl* GetFocusedControl() const { return FFocusedControl; }
  bool GetIsPopup() const { return FIsPopup; }

  rtl::TNotifyEvent GetOnBeforeClosing() const { return FOnBeforeClosing; }
  void SetOnBeforeClosing(rtl::TNotifyEvent AValue) { FOnBeforeClosing = AValue; }
  rtl::TNotifyEvent GetOnClosed() const { return FOnClosed; }
  void SetOnClosed(rtl::TNotifyEvent AValue) { FOnClosed = AValue; }
  rtl::TNotifyEvent GetOnClosing() const { return FOnClosing; }
  void SetOnClosing(rtl::TNotifyEvent AValue) { FOnClosing = AValue; }
  rtl::TNotifyEvent GetOnShowed() const { return FOnShowed; }
  void SetOnShowed(rtl::TNotifyEvent AValue) { FOnShowed = AValue; }
  rtl::TNotifyEvent GetOnShowing() const { return FOnShowing; }
  void SetOnShowing(rtl::TNotifyEvent AValue) { FOnShowing = AValue; }

  // Whether a click at APoint on AWnd that closes the popup is swallowed;
  // the base lets it through to its target.
  virtual bool IsClickConsumedOnClose(HWND AWnd, UINT AMsg, const TPoint& APoint, vcl::TShiftState AShift);
  // The keys a non-modal popup lets through with Alt held: page up to arrow
  // down, and F4.
  virtual bool AcceptsSysKey(WORD AKey);
  // The local loop's end when ModalResult is set.
  virtual void ModalCloseUp() { CloseUp(); }

 protected:
  virtual bool NeedsWorkAreaCorrection() { return false; }
  virtual void DoBeforeClosing() { dxCallNotifyEvent(this, FOnBeforeClosing); }
  virtual void DoClosed() { dxCallNotifyEvent(this, FOnClosed); }
  virtual void DoClosing() { dxCallNotifyEvent(this, FOnClosing); }
  virtual void DoShowed() { dxCallNotifyEvent(this, FOnShowed); }
  virtual void DoShowing() { dxCallNotifyEvent(this, FOnShowing); }
  virtual bool NeedsEraseBackground() { return false; }
  virtual void StyleChanged() {}
  virtual void MouseEnter(vcl::TControl* /*AControl*/) {}
  virtual void MouseLeave(vcl::TControl* /*AControl*/) {}

  void InitPopup() override;
  bool IsOwnerBoundsRelative() override;
  void AdjustClientRect(TRect& ARect) override;
  void Paint() override;
  void KeyDown(WORD& AKey, vcl::TShiftState AShift) override;
  void Deactivate() override;
  void VisibleChanged() override;
  void CreateHandle() override;
  void CreateParams(vcl::TCreateParams& AParams) override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;
  bool SetFocusedControl(vcl::TWinControl* AControl) override;

  void WMActivateApp(vcl::TMessage& AMessage);
  void WMActivate(vcl::TMessage& AMessage);
  void WMEraseBkgnd(vcl::TMessage& AMessage);
  void WMWindowPosChanging(vcl::TMessage& AMessage);
  void CMRecreateWnd(vcl::TMessage& AMessage);
  void CMShowingChanged(vcl::TMessage& AMessage);
  void CMMouseEnter(vcl::TMessage& AMessage);
  void CMMouseLeave(vcl::TMessage& AMessage);
  void DXMClosePopupWindow(vcl::TMessage& AMessage);
  void DXMShowPopupWindow(vcl::TMessage& AMessage);

 private:
  void StyleChangedHandler(rtl::TObject* /*ASender*/) { StyleChanged(); }
  // Closes and opens again with the same focused control, when visible.
  void Reopen();
  void ShowPopup(vcl::TWinControl* AFocusedControl);
  void RunModalLoop();
  void RestoreFocus();
  vcl::TCustomForm* GetOwnerParentForm();

  bool FCaptureFocus;
  int FDeactivateLockCount;
  bool FDeactivation;
  vcl::TWinControl* FFocusedControl;
  bool FIsPopup;
  bool FIsTopMost;
  bool FJustClosed;
  bool FModalMode;
  bool FTerminateOnDestroy;
  vcl::TWinControl* FOwnerControl;
  rtl::TNotifyEvent FOnBeforeClosing;
  rtl::TNotifyEvent FOnClosed;
  rtl::TNotifyEvent FOnClosing;
  rtl::TNotifyEvent FOnShowed;
  rtl::TNotifyEvent FOnShowing;
  TcxContainerStyle* FStyle;
  TcxContainerViewInfo* FViewInfo;
  vcl::TCustomForm* FPrevActiveForm;
  vcl::TWinControl* FPrevActiveControl;
  bool FShowWithoutActivation;
  // While the window is being created it counts as visible, so that the
  // relationship tests see it.
  bool FCreatingHandle;

  friend class TcxPopupVisibleController;
  friend bool cxPopupOutsideClick(HWND AWnd, UINT AMsg, const TPoint& P);
};

// The visible popups in the order they were shown.
class TcxPopupVisibleController : public rtl::TObject {
  RTL_CLASS(TcxPopupVisibleController, rtl::TObject)

 public:
  void Create() {}
  void Register(TcxCustomPopupWindow* AItem);
  void UnRegister(TcxCustomPopupWindow* AItem);
  bool IsVisible(const TcxCustomPopupWindow* AItem) const;
  bool IsAnyVisible() const { return !FItems.empty(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxCustomPopupWindow* Items(int AIndex) const { return FItems.at(static_cast<std::size_t>(AIndex)); }
  // The first popup related to AWnd closes with every popup shown after it,
  // the last first.
  void CloseRelated(HWND AWnd);
  // Closes, one by one, every popup that neither holds AWnd nor captures
  // the focus while inactive.
  void CloseUnRelated(HWND AWnd);

 private:
  std::vector<TcxCustomPopupWindow*> FItems;
};

// The outside-click rule the mouse hook applies to a button press on AWnd at
// the screen point P: the popups the click is not for close. Answers whether
// the click is to be discarded.
bool cxPopupOutsideClick(HWND AWnd, UINT AMsg, const TPoint& P);

// The process-wide list, made on first use; nil after the unit's shut-down.
TcxPopupVisibleController* cxPopupVisibleController();
void cxCloseUnrelatedPopups(HWND AWnd);

// ---------------------------------------------------------------------------
// Window relationships

bool cxIsControlHandle(vcl::TWinControl* AControl, HWND AWnd, bool ACheckChildren);
// AWnd lies inside AParent or belongs to a popup (or a chain of popups)
// owned by a control inside it; False for 0 or equal windows.
bool cxIsRelatedWindow(HWND AParent, HWND AWnd);
bool cxIsControlRelatedWindow(vcl::TWinControl* AControl, HWND AWnd);
bool cxIsRelatedToPopupWindow(TcxCustomPopupWindow* APopup, HWND AWnd);
// The owner's window of the first popup up AWnd's parents; AWnd itself when
// there is none.
HWND cxGetPopupOwnerWindow(HWND AWnd);
HWND cxGetTopLevelWindow(HWND AWnd);
bool cxIsActiveWindow(HWND AWnd);
bool cxIsFormTopLevelActive(vcl::TCustomForm* AForm);
bool cxIsFormOrOwnerActive(vcl::TCustomForm* AForm);
bool cxIsMouseButtonDownMessage(UINT AMsg);
// While locked, the window-procedure hook swallows CM_ACTIVATE and
// CM_DEACTIVATE.
void cxLockActivateMessage(bool ALock);
void cxDisableWindowAndRemember(std::vector<HWND>& AList, HWND AWnd);
void cxReenableWindows(const std::vector<HWND>& AList);
bool cxIsPopupEnabledChanging();
