// The hint machinery on top of the framework's own hint road:
// - TcxHintController: the process-wide object through which hint style
//   controllers choose the hint window class and rewrite every hint before
//   it shows (it stands in for the application's show-hint event while
//   controllers are registered);
// - TcxCustomHintStyleController with its TcxCustomHintStyle: the timings,
//   the look and feel and the window class of the hints of a form (or of the
//   whole application);
// - the registry of hint style classes, and the routines the controls use to
//   show a hint window of their own.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/cxHintWindow.h"
#include "core/cxClasses.h"
#include "core/cxClassesComponents.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SystemUnits.h"

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
