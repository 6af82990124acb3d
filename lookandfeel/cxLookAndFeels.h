#pragma once
// The look-and-feel unit:
// - TcxLookAndFeel, the settings of one control (kind, native style, skin
//   name, scroll-bar mode), each assigned on it or inherited along a chain
//   of masters that ends at the one application-wide root, and the painter
//   those values choose;
// - its listener interfaces and the skin-support markers;
// - TcxLookAndFeelController, the component that edits the root, with the
//   process-wide touch mode;
// - cxApplyMasterLookAndFeel, cxIsTouchScrollUIMode, cxEnsureTouchExtent
//   and cxEnsureTouchSize.

#include "core/cxClasses.h"
#include "core/cxClassesComponents.h"
#include "core/dxThemeManager.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/SystemEvents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/rtl/SystemUnits.h"

class TdxScaleFactor;
namespace vcl {
class TControl;
}

// Creates the root look and feel through the units loader; its finish
// frees it.
RTL_DECLARE_UNIT(cxLookAndFeels);

RTL_ENUM(TcxLookAndFeelValue, lfvKind, lfvNativeStyle, lfvSkinName, lfvScrollbarMode);
using TcxLookAndFeelValues = rtl::TSet<TcxLookAndFeelValue>;
RTL_ENUM(TdxScrollbarMode, sbmDefault, sbmTouch, sbmClassic, sbmHybrid);
// An older view of the scroll-bar mode.
RTL_ENUM(TdxTouchScrollUIMode, tsmDefault, tsmEnabled, tsmDisabled);
using TdxSkinName = rtl::String;

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind;
  bool NativeStyle;
  TdxSkinName SkinName;
  TdxScrollbarMode ScrollbarMode;
  // cxUseSkins when the record was last computed.
  bool UseSkins;
};

class TcxLookAndFeel;

using TcxLookAndFeelChangedEvent = rtl::TMethod<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues)>;

struct IcxLookAndFeelNotificationListener : rtl::IInterface {
  RTL_GUID(IcxLookAndFeelNotificationListener, "{205538BF-F19E-4285-B11F-B182D9635881}")
  virtual rtl::TObject* __stdcall GetListenerObject() = 0;
  virtual void __stdcall MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) = 0;
  virtual void __stdcall MasterDestroying(TcxLookAndFeel* Sender) = 0;
};

struct IcxLookAndFeelNotificationListener2 : rtl::IInterface {
  RTL_GUID(IcxLookAndFeelNotificationListener2, "{392FC2E2-3F2A-4885-B9E6-43982962F475}")
  virtual void __stdcall MasterBeginChange() = 0;
  virtual void __stdcall MasterEndChange() = 0;
};

// Implemented by controls, which own a look and feel.
struct IcxLookAndFeelContainer : rtl::IInterface {
  RTL_GUID(IcxLookAndFeelContainer, "{6065B58B-C557-4464-A67D-64183FD13F25}")
  virtual TcxLookAndFeel* __stdcall GetLookAndFeel() = 0;
};

// Marks an object that takes part in skinning.
struct IdxSkinSupport : rtl::IInterface {
  RTL_GUID(IdxSkinSupport, "{EF3FF483-9B69-46DF-95A4-D3A3810F63A5}")
};

// An object that decides case by case whether it is skinned.
struct IdxSkinSupport2 : rtl::IInterface {
  RTL_GUID(IdxSkinSupport2, "{01C435BA-7DA1-44A4-BE8B-BCE9CE0562AB}")
  virtual bool __stdcall IsSkinnable() = 0;
};

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelNotificationListener,
                       public IcxLookAndFeelNotificationListener2 {
  RTL_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
  RTL_INTERFACES(IcxLookAndFeelNotificationListener, IcxLookAndFeelNotificationListener2)

 public:
  // Registers with the root when one exists and takes the painter of its
  // resolved values.
  void Create(rtl::TPersistent* AOwner) override;
  // Tells its listeners first, then leaves its master.
  void Destroy() override;
  // From another look and feel: its assigned values, data and master.
  void Assign(rtl::TPersistent* Source) override;

  // Nestable; changes made while locked are announced once at the last
  // EndUpdate. The getters answer the new values at once.
  void BeginUpdate();
  void EndUpdate();
  // Re-resolves and announces all four values.
  void Refresh();
  // Forgets every assigned value; on the root it also turns skins back on
  // and touch mode off.
  void Reset();
  void SetStyle(TcxLookAndFeelStyle AValue);

  // Listeners must implement IcxLookAndFeelNotificationListener; others,
  // duplicates and controllers offered to a non-root are ignored.
  void AddChangeListener(rtl::TObject* AListener);
  void RemoveChangeListener(rtl::TObject* AListener);

  // The native painter when native style holds and themes cover the types,
  // else the skin painter, else the painter of ActiveStyle; nil without a
  // painters manager.
  virtual TcxCustomLookAndFeelPainter* GetAvailablePainter(TdxThemedObjectTypes ANeededThemedObjectTypes);
  TcxCustomLookAndFeelPainter* GetAvailablePainter(TdxThemedObjectType ANeededThemedObjectType);

  TcxLookAndFeelValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues AValue);
  TcxLookAndFeelKind GetKind() const { return FCurrentState.Kind; }
  void SetKind(TcxLookAndFeelKind AValue);
  bool GetNativeStyle() const { return FCurrentState.NativeStyle; }
  void SetNativeStyle(bool AValue);
  const TdxSkinName& GetSkinName() const { return FCurrentState.SkinName; }
  void SetSkinName(const TdxSkinName& AValue);
  TdxScrollbarMode GetScrollbarMode() const { return FCurrentState.ScrollbarMode; }
  void SetScrollbarMode(TdxScrollbarMode AValue);
  TdxTouchScrollUIMode GetTouchScrollUIMode() const;
  void SetTouchScrollUIMode(TdxTouchScrollUIMode AValue);

  TcxLookAndFeelStyle GetActiveStyle() const;
  // Nil on the root; otherwise the explicit master, or the root.
  TcxLookAndFeel* GetMasterLookAndFeel() const;
  void SetMasterLookAndFeel(TcxLookAndFeel* AValue);
  TcxCustomLookAndFeelPainter* GetPainter() const { return FPainter; }
  TcxCustomLookAndFeelPainter* GetSkinPainter() const { return FSkinPainter; }
  // Without notification.
  void SetSkinPainter(TcxCustomLookAndFeelPainter* AValue) { FSkinPainter = AValue; }
  bool IsRootLookAndFeel() const { return FIsRootLookAndFeel; }

  TcxLookAndFeelChangedEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TcxLookAndFeelChangedEvent AValue) { FOnChanged = AValue; }
  rtl::TNotifyEvent GetOnMasterBeginChange() const { return FOnMasterBeginChange; }
  void SetOnMasterBeginChange(rtl::TNotifyEvent AValue) { FOnMasterBeginChange = AValue; }
  rtl::TNotifyEvent GetOnMasterEndChange() const { return FOnMasterEndChange; }
  void SetOnMasterEndChange(rtl::TNotifyEvent AValue) { FOnMasterEndChange = AValue; }

  // IcxLookAndFeelNotificationListener, IcxLookAndFeelNotificationListener2
  rtl::TObject* __stdcall GetListenerObject() override { return this; }
  void __stdcall MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void __stdcall MasterDestroying(TcxLookAndFeel* Sender) override;
  void __stdcall MasterBeginChange() override;
  void __stdcall MasterEndChange() override;

 protected:
  virtual TcxCustomLookAndFeelPainter* FindSkinPainter(const TdxSkinName& AName);
  virtual void UpdateCurrentState();
  virtual void UpdatePainter();
  virtual TcxLookAndFeelKind EffectiveKind();
  virtual bool EffectiveNativeStyle();
  virtual TdxSkinName EffectiveSkinName();
  virtual TcxCustomLookAndFeelPainter* EffectiveSkinPainter();
  virtual TdxScrollbarMode EffectiveScrollbarMode();
  virtual void SystemPaletteChanged();

  // The one path through which every change is announced.
  void Changed(TcxLookAndFeelValues AChangedValues);

 private:
  friend void cxLookAndFeelsPainterRemoved(TcxLookAndFeel* ALookAndFeel, TcxCustomLookAndFeelPainter* APainter);
  friend void cxCreateRootLookAndFeel();
  friend void cxFreeRootLookAndFeel();

  // The master a value is inherited from: the explicit one, else the root,
  // else none (the defaults apply).
  TcxLookAndFeel* InheritanceSource() const;
  template <typename T>
  T Effective(TcxLookAndFeelValue AValue, T TcxLookAndFeelData::*AField);
  void SaveState();
  void ChangedSinceSave();
  TcxLookAndFeelValues DifferencesFrom(const TcxLookAndFeelData& AState) const;
  void NotifyListeners(TcxLookAndFeelValues AChangedValues);
  void NotifyDestroying();
  // Drops APainter when this object or one below it holds it.
  void PainterRemoved(TcxCustomLookAndFeelPainter* APainter);
  void PaletteChanged() { SystemPaletteChanged(); }

  TcxLookAndFeelValues FAssignedValues;
  TcxLookAndFeelValues FChangedValues;
  TcxObjectList* FChangeListenerList;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeelData FData;
  bool FIsDestruction;
  bool FIsRootLookAndFeel;
  TcxLookAndFeel* FMasterLookAndFeel;
  TcxCustomLookAndFeelPainter* FPainter;
  TcxCustomLookAndFeelPainter* FSkinPainter;
  TcxLookAndFeelData FPrevState;
  TcxSystemPaletteChangedNotifier* FSystemPaletteChangedNotifier;
  int FUpdateLockCount;
  TcxLookAndFeelChangedEvent FOnChanged;
  rtl::TNotifyEvent FOnMasterBeginChange;
  rtl::TNotifyEvent FOnMasterEndChange;
};

// The root; nil before the unit's start step and after its finish step.
TcxLookAndFeel* cxGetRootLookAndFeel();
// Skin painters may be used (True at start).
bool cxUseSkins();
void cxSetUseSkins(bool AValue);
bool cxTouchMode();

// ---------------------------------------------------------------------------
// TcxLookAndFeelController

// No settings of its own: every property reads and writes the root. While
// at least one exists the root keeps what was set; the last one to go
// resets it.
class TcxLookAndFeelController : public TcxCustomComponent, public IcxLookAndFeelNotificationListener {
  RTL_CLASS(TcxLookAndFeelController, TcxCustomComponent)
  RTL_INTERFACES(IcxLookAndFeelNotificationListener)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;

  void BeginUpdate();
  void EndUpdate();
  virtual void Reset();

  TcxLookAndFeelKind GetKind() const;
  void SetKind(TcxLookAndFeelKind AValue);
  bool GetNativeStyle() const;
  void SetNativeStyle(bool AValue);
  TdxScrollbarMode GetScrollbarMode() const;
  void SetScrollbarMode(TdxScrollbarMode AValue);
  TdxSkinName GetSkinName() const;
  void SetSkinName(const TdxSkinName& AValue);
  bool GetTouchMode() const;
  // Refreshes every look and feel, also those that assign all four values.
  void SetTouchMode(bool AValue);
  bool GetTouchScrollUIMode() const;
  void SetTouchScrollUIMode(bool AValue);

  // IcxLookAndFeelNotificationListener
  rtl::TObject* __stdcall GetListenerObject() override { return this; }
  void __stdcall MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void __stdcall MasterDestroying(TcxLookAndFeel* Sender) override;

 protected:
  // Nothing visible at run time; a form designer would hear of a change.
  virtual void HandleRootChanged();
  virtual void HandleRootDestroying();
};

// Hangs ALookAndFeel (nil: the root) as master over AControl's tree.
void cxApplyMasterLookAndFeel(vcl::TControl* AControl, TcxLookAndFeel* ALookAndFeel);
// True without a root or when its scroll-bar mode is sbmDefault or sbmTouch.
bool cxIsTouchScrollUIMode();
// In touch mode, raises a positive extent to at least 27 pixels scaled by
// the factor (nil: the system factor).
void cxEnsureTouchExtent(int& AExtent, const TdxScaleFactor* AScaleFactor);
void cxEnsureTouchSize(TSize& ASize, const TdxScaleFactor* AScaleFactor);
