// The hint machinery on top of the framework's own hint road:
// - TcxHintController: the process-wide object through which hint style
//   controllers choose the hint window class and rewrite every hint before
//   it shows (it stands in for the application's show-hint event while
//   controllers are registered);
// - TcxCustomHintStyleController with its TcxCustomHintStyle: the timings,
//   the look and feel and the window class of the hints of a form (or of the
//   whole application);
// - the registry of hint style classes, and the routines the controls use to
//   show a hint window of their own;
// - TcxCustomHintHelper: the hints of the parts of a control (a tab, an
//   item, a button inside an editor): when the hint of an element shows,
//   moves, stays or hides, and where its window stands.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/cxHintWindow.h"
#include "controls/cxMouseTracking.h"
#include "core/cxClasses.h"
#include "core/cxClassesComponents.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SystemUnits.h"

class TcxControl;
class TcxCustomHintStyleController;

RTL_DECLARE_UNIT(cxHint);

// The persistent settings of a hint style controller; its class decides the
// hint window class.
class TcxCustomHintStyle : public TcxInterfacedPersistent {
  RTL_CLASS(TcxCustomHintStyle, TcxInterfacedPersistent)

 public:
  // AComponent is the controller.
  virtual void Create(rtl::TComponent* AComponent);
  virtual void ControllerChanged(TcxCustomHintStyleController* /*AController*/) {}
  virtual void ControllerDestroying(TcxCustomHintStyleController* /*AController*/) {}
  virtual void DoShowHint(rtl::String& /*HintStr*/, bool& /*CanShow*/, vcl::THintInfo& /*HintInfo*/) {}
  virtual void ComponentRemoved(rtl::TComponent* /*AComponent*/) {}
  // A style names its window class; the base has the plain custom window.
  virtual TcxCustomHintWindowClass GetHintWindowClass();

  rtl::TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(rtl::TNotifyEvent AValue) { FOnChanged = AValue; }

 protected:
  void Changed() { dxCallNotifyEvent(this, FOnChanged); }

 private:
  rtl::TNotifyEvent FOnChanged;
};

using TcxHintStyleClass = rtl::ClassOf<TcxCustomHintStyle>;
using TcxHintStyleChangedEvent = rtl::TMethod<void(rtl::TObject* Sender, TcxCustomHintStyle* AStyle)>;
using TcxShowHintEvent =
    rtl::TMethod<void(rtl::TObject* Sender, rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo)>;
using TcxShowHintExEvent = rtl::TMethod<void(rtl::TObject* Sender, rtl::String& Caption, rtl::String& HintStr,
                                             bool& CanShow, vcl::THintInfo& HintInfo)>;

class TcxCustomHintStyleController : public TcxCustomComponent, public IcxLookAndFeelContainer {
  RTL_CLASS(TcxCustomHintStyleController, TcxCustomComponent)
  RTL_INTERFACES(IcxLookAndFeelContainer)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* Source) override;

  // Shows AHint with ACaption at the screen point through the controller's
  // window, for the control under that point.
  void ShowHint(int X, int Y, const rtl::String& ACaption, const rtl::String& AHint, int AMaxWidth = 0);
  void HideHint();

  virtual TcxHintStyleClass GetHintStyleClass() { return FHintStyleClass; }
  virtual TcxCustomHintWindowClass GetHintWindowClass();
  virtual void BeginUpdate() { ++FUpdateCount; }
  // The last one applies the pauses.
  virtual void EndUpdate();
  virtual void AddListener(TcxCustomHintStyle* AListener);
  virtual void RemoveListener(TcxCustomHintStyle* AListener);
  // The extended show-hint road of the global controller.
  void DoShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo);

  TcxLookAndFeel* __stdcall GetLookAndFeel() override { return FLookAndFeel; }
  void SetLookAndFeel(TcxLookAndFeel* AValue) { FLookAndFeel->Assign(AValue); }
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() const { return FLookAndFeel->GetPainter(); }
  bool GetGlobal() const { return FGlobal; }
  void SetGlobal(bool AValue) { FGlobal = AValue; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int AValue);
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int AValue);
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int AValue);
  void SetHintStyleClass(TcxHintStyleClass AValue);
  // Empty without a style; a name that is not registered changes nothing.
  rtl::String GetHintStyleClassName();
  void SetHintStyleClassName(const rtl::String& AValue);
  TcxCustomHintStyle* GetHintStyle() const { return FHintStyle; }
  void SetHintStyle(TcxCustomHintStyle* AValue) { FHintStyle->Assign(AValue); }
  TcxCustomHintWindow* GetHintWindow() const { return FHintWindow; }
  bool GetUseHintControlLookAndFeel() const { return FUseHintControlLookAndFeel; }
  void SetUseHintControlLookAndFeel(bool AValue) { FUseHintControlLookAndFeel = AValue; }
  TcxHintStyleChangedEvent GetOnHintStyleChanged() const { return FOnHintStyleChanged; }
  void SetOnHintStyleChanged(TcxHintStyleChangedEvent AValue) { FOnHintStyleChanged = AValue; }
  TcxShowHintEvent GetOnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TcxShowHintEvent AValue) { FOnShowHint = AValue; }
  TcxShowHintExEvent GetOnShowHintEx() const { return FOnShowHintEx; }
  void SetOnShowHintEx(TcxShowHintExEvent AValue) { FOnShowHintEx = AValue; }
  int GetListenerCount() const { return static_cast<int>(FListeners.size()); }

 protected:
  virtual void ApplyHintPauses();
  virtual void NotifyListener(TcxCustomHintStyle* AStyle);
  virtual void CreateHintStyle();
  virtual void DestroyHintStyle();
  void HintStyleChanged(rtl::TObject* ASender);
  void Loaded() override;
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

  TcxHintStyleClass FHintStyleClass;

 private:
  bool IsDestroying() const;

  bool FGlobal;
  int FHintShortPause;
  int FHintPause;
  int FHintHidePause;
  TcxCustomHintWindow* FHintWindow;
  std::vector<TcxCustomHintStyle*> FListeners;
  TcxLookAndFeel* FLookAndFeel;
  int FUpdateCount;
  bool FUseHintControlLookAndFeel;
  TcxHintStyleChangedEvent FOnHintStyleChanged;
  TcxShowHintEvent FOnShowHint;
  TcxShowHintExEvent FOnShowHintEx;
  TcxCustomHintStyle* FHintStyle;
};

class TcxHintController : public rtl::TComponent {
  RTL_CLASS(TcxHintController, rtl::TComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  // The stored control; without one, the control of the window that holds
  // the mouse capture or, without capture, of the window under the cursor.
  vcl::TControl* GetHintedControl();
  void SetHintedControl(vcl::TControl* AValue);

  void RegisterController(TcxCustomHintStyleController* AController);
  void UnregisterController(TcxCustomHintStyleController* AController);
  // Owned by the hinted control's parents (nearest first), else the last
  // registered global one.
  TcxCustomHintStyleController* GetActiveHintStyleController();
  vcl::THintWindowClass GetCurrentHintWindowClass();
  // Stands in for the application's show-hint event.
  void HandleShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo);
  int GetControllerCount() const { return static_cast<int>(FControllerList.size()); }

 protected:
  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 private:
  void CallSavedShowHint(rtl::String& HintStr, bool& CanShow, vcl::THintInfo& HintInfo);

  vcl::TControl* FHintedControl;
  std::vector<TcxCustomHintStyleController*> FControllerList;
  vcl::TShowHintEvent FSavedApplicationOnShowHint;
  vcl::THintWindowClass FSavedHintWindowClass;
  bool FSaved;
};

// The global hint controller; nil outside the unit's life.
TcxHintController* cxGetHintController();
TcxCustomHintStyleController* cxGetHintStyleController();
bool cxHasHintStyleController();
TcxCustomHintStyle* cxGetHintStyle();
vcl::THintWindowClass cxGetHintWindowClass();
vcl::TControl* cxGetHintedControl();
void cxResetHintedControl();
// The hint style classes by name, made on first use.
TcxRegisteredClasses* cxGetRegisteredHintStyles();
// Gives the window the application's window as parent window.
void cxPrepareHintWindowParent(vcl::THintWindow* AWindow);
void cxActivateHintWindow(vcl::THintWindow* AWindow, const TRect& R, const rtl::String& AText);

// Prepares the hint information of a custom hint exactly as the framework
// prepares a control's hint, and runs the application's show-hint event.
// Answers whether the hint may show. When the event changed something, or a
// hint style controller is active, AHintWindow is (re)made of the class the
// information names and R becomes its rectangle at the information's
// position; otherwise R stands.
bool cxPrepareHintInfo(vcl::THintInfo& AHintInfo, vcl::THintWindow*& AHintWindow, vcl::TControl* AControl,
                       int AHideTimeout, rtl::TObject* AHintData, TRect& R, const rtl::String& AText);
// Whether AControl may show a hint now: the application is active, the
// control has a visible window and is the control under the cursor, and its
// top-level window is not an inactive form (unless a popup of a control on
// that form is open).
bool cxCanShowHint(vcl::TControl* AControl);

// An element a hint helper can hint.
struct IcxHintableObject : rtl::IInterface {
  RTL_GUID(IcxHintableObject, "{228FF1F5-6D0C-40F0-9F7B-8C71CE12CEC8}")
  // P (owner client coordinates) belongs to the element's hint area.
  virtual bool __stdcall HasHintPoint(const TPoint& P) = 0;
  // The hint follows the mouse inside the element rather than staying over
  // its text.
  virtual bool __stdcall IsHintAtMousePos() = 0;
  // The hint hides after the hide pause.
  virtual bool __stdcall UseHintHidePause() = 0;
};

// Shows the hints of a control's elements. The owner calls ShowHint while
// the mouse rests on or moves over an element with a hint, and MouseDown on
// every press. Once shown, the hint goes when the mouse leaves the element's
// area (mouse tracking), when a button goes down or the control may no
// longer show hints (a 100 ms check), or after the hide pause. A hint that
// hid stays away while the mouse stays on the same element with the same
// text.
class TcxCustomHintHelper : public TcxIUnknownObject, public IcxMouseTrackingCaller2 {
  RTL_CLASS(TcxCustomHintHelper, TcxIUnknownObject)
  RTL_INTERFACES(IcxMouseTrackingCaller, IcxMouseTrackingCaller2)

 public:
  void Create() {}
  void Destroy() override;

  // Bounds and text rectangle in the owner's client coordinates.
  void ShowHint(const TRect& AHintAreaBounds, const TRect& ATextRect, const rtl::String& AText, bool AIsHintMultiLine,
                rtl::TObject* AHintObject, vcl::TFont* AFont = nullptr);
  void HideHint();
  // Hides and forgets the last element, so that it may hint again at once.
  void CancelHint();
  void ResetLastHintElement()
  {
    FLastHintableObject = nullptr;
    FHasLastHintableObject = false;
  }
  virtual void MouseDown();

  // IcxMouseTrackingCaller2
  void __stdcall MouseLeave() override;
  bool __stdcall PtInCaller(const TPoint& P) override;

  vcl::THintWindow* GetHintWindow() const { return FHintWindow; }
  rtl::TObject* GetHintableObject() const { return FHintableObject; }
  rtl::TObject* GetLastHintableObject() const { return FLastHintableObject; }
  const TRect& GetHintAreaBounds() const { return FHintAreaBounds; }

 protected:
  virtual bool CanShowHint();
  // Grows R by the window's frame and two pixels on every side.
  virtual void InflateByHintBorders(TRect& R);
  virtual vcl::TControl* GetOwnerControl() { return GetOwnerWinControl(); }
  virtual TRect GetDefaultHintAreaBounds();
  virtual int GetHintHidePause();
  virtual vcl::THintWindowClass GetHintWindowClass();
  // The window rectangle in screen coordinates over the text rectangle,
  // inside the work area.
  virtual TRect CalculateHintWindowRect(const TRect& AHintAreaBounds, const TRect& ATextRect, bool AIsHintMultiLine,
                                        const rtl::String& AText);
  virtual vcl::TWinControl* GetOwnerWinControl() { return nullptr; }
  virtual bool IsHintAtMousePos();
  virtual bool HidesHintOnMouseDown() { return true; }
  virtual bool UseHintHidePause();
  // The left, right or middle button is down; tests press their own.
  virtual bool IsMouseButtonDown();
  // cxCanShowHint of the owner control.
  virtual bool CanOwnerShowHint();
  virtual TPoint GetMouseCursorPos();

  // The timers' ticks.
  void HintCheckerTimerHandler(rtl::TObject* ASender);
  void HintHideTimerHandler(rtl::TObject* ASender);
  TcxTimer* GetHintCheckerTimer() const { return FHintCheckerTimer; }
  TcxTimer* GetHintHideTimer() const { return FHintHideTimer; }

 private:
  IcxHintableObject* HintableObject() const;
  bool IsHintHideTimerRunning() const { return FHintHideTimer && FHintHideTimer->GetEnabled(); }
  void RestartHintHideTimer();
  TRect HintAreaOnScreen();
  // Makes the window when missing or of another class; answers False when
  // the window shows this very hint already.
  bool PrepareHintWindow(const rtl::String& AText, const TRect& ATextRect);
  void StartTimers();
  void StopTimers();

  rtl::TObject* FHintableObject = nullptr;
  TRect FHintAreaBounds{};
  TcxTimer* FHintCheckerTimer = nullptr;
  TcxTimer* FHintHideTimer = nullptr;
  int FHintHidePause = 0;
  rtl::TObject* FLastHintableObject = nullptr;
  // Whether FLastHintableObject names an element shown last: a nil element
  // (the control as a whole) is one too, and must show the first time.
  bool FHasLastHintableObject = false;
  TPoint FLastHintMousePos{};
  rtl::String FLastHintText;
  TRect FHintTextRect{};
  vcl::THintWindow* FHintWindow = nullptr;
};

// The hint helper of a TcxControl.
class TcxControlHintHelper : public TcxCustomHintHelper {
  RTL_CLASS(TcxControlHintHelper, TcxCustomHintHelper)

 public:
  TcxControl* GetHintControl() { return GetControl(); }

 protected:
  virtual TcxControl* GetControl() = 0;
  vcl::TControl* GetOwnerControl() override;
  vcl::TWinControl* GetOwnerWinControl() override;
  TRect GetDefaultHintAreaBounds() override;
};
