// What the control framework offers a form designer:
// - TcxDesignController: tells the designer that a form changed, with a
//   lock and a guard against re-entry;
// - TdxControlsDesignSelectorHelper: a small selector square in a corner of
//   a control and of its windowed children, through which the designer
//   selects the control, transparent to hit-testing.
// Both only act at design time. The program itself has no designer: one
// that runs registers its side with cxSetDesignerHooks; without it the
// notifications go nowhere and no control counts as selected.
#pragma once

#include <windows.h>

#include "core/dxTypeHelpers.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Controls.h"

class TcxComponentList;
class TcxWindowProcLinkedObject;
class TdxScaleFactor;

namespace vcl {
class TCustomForm;
}

// The designer's side: told that the root component AComponent was
// modified, and asked whether a component is selected.
using TcxDesignerModifiedHook = void (*)(rtl::TComponent* ARoot);
using TcxDesignerSelectionHook = bool (*)(rtl::TComponent* AComponent);
// Nil for either takes it away.
void cxSetDesignerHooks(TcxDesignerModifiedHook AModified, TcxDesignerSelectionHook ASelection);

// At design time the root designer of AComponent hears that it was
// modified, unless the component or, for a control, a control up its
// parent chain is loading.
void cxNotifyDesignerModified(rtl::TComponent* AComponent);

RTL_ENUM(TcxDesignState, dsDesignerModifying);
using TcxDesignStates = rtl::TSet<TcxDesignState>;

class TcxDesignController : public rtl::TObject {
  RTL_CLASS(TcxDesignController, rtl::TObject)

 public:
  // Nothing while locked or while a notification runs.
  void DesignerModified(vcl::TCustomForm* AForm);
  void LockDesignerModified() { ++FLockDesignerModifiedCount; }
  // Never below 0.
  void UnLockDesignerModified();
  bool IsDesignerModifiedLocked() const { return FLockDesignerModifiedCount > 0; }

 private:
  int FLockDesignerModifiedCount;
  TcxDesignStates FState;
};

// A control that keeps its children free of selector squares.
struct IdxCustomizeControlsHelper : rtl::IInterface {
  RTL_GUID(IdxCustomizeControlsHelper, "{AD2130FB-EDA5-4034-A551-9C26A8DAAE41}")
  virtual bool __stdcall SkipsChildDesignSelectors() = 0;
};

class TdxControlsDesignSelectorHelper : public rtl::TComponent {
  RTL_CLASS(TdxControlsDesignSelectorHelper, rtl::TComponent)

 public:
  // AOwner is the control served, not the owner: the helper has none.
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override;
  void Assign(rtl::TPersistent* ASource) override;

  // R deflated by the scaled AOffset, then the square of the scaled ASize
  // in its bottom-right corner; the short form takes 8 and 15.
  static TRect CalculateBounds(const TRect& R, const TdxScaleFactor* AScaleFactor);
  static TRect CalculateBounds(const TRect& R, int AOffset, int ASize, const TdxScaleFactor* AScaleFactor);

  vcl::TControl* GetControl() const { return FControl; }
  TdxControlsDesignSelectorHelper* GetParentHelper() const { return FParent; }
  int GetChildCount() const;
  TdxControlsDesignSelectorHelper* GetChild(int AIndex) const;
  // In the control's client coordinates.
  TRect GetSelectorBounds() const { return FSelectorBounds; }
  void SetSelectorBounds(const TRect& AValue);

 protected:
  // True when the message was answered here.
  virtual bool ProcessMessage(rtl::TMessage& AMessage);
  virtual bool IsSelectorHit(const TPoint& P) { return PtInRect(&FSelectorBounds, P) != FALSE; }
  virtual void UpdateChildren();
  virtual void RemoveChild(TdxControlsDesignSelectorHelper* AChild);
  virtual rtl::ClassOf<TdxControlsDesignSelectorHelper> GetChildClass()
  {
    return rtl::ClassOf<TdxControlsDesignSelectorHelper>(ClassType());
  }
  virtual void AddChild(TdxControlsDesignSelectorHelper* AChild);
  virtual bool IsActive() { return CanProcess(); }
  virtual bool IsControlSelected();
  virtual bool CanProcess();
  virtual bool IsVisible();
  virtual void DrawSelector(HDC ADC);

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override;

 private:
  void HandleControlMessage(rtl::TMessage& AMessage);
  void Unhook();
  TdxControlsDesignSelectorHelper* FindChild(vcl::TControl* AControl) const;

  vcl::TControl* FControl;
  bool FChecked;
  TcxComponentList* FChildren;
  TdxControlsDesignSelectorHelper* FParent;
  TRect FSelectorBounds;
  TcxWindowProcLinkedObject* FWindowProcObject;
};
