// TcxControlChildComponent: the base of non-visual components that belong to
// a system control and are stored as its children in the form file (the
// designer shows them under the control, not under the form). It links
// itself to its control, follows the control's scale factor and tells the
// control when it joins or leaves.
//
// The base control is not here yet: the component speaks to its control
// through IcxControlChildComponentHost, which the base control implements
// (AddChildComponent sets the component's Control, RemoveChildComponent
// clears it), and reads the control's scale factor through IdxScaleFactor.
#pragma once

#include "core/cxClassesComponents.h"
#include "core/cxGeometry.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/System.h"

namespace vcl {
class TWinControl;
}

class TcxControlChildComponent;

struct IcxControlChildComponentHost : rtl::IInterface {
  RTL_GUID(IcxControlChildComponentHost, "{5B0E8C3A-7D14-4E2B-9A61-C83F2D7E4B90}")
  virtual void __stdcall AddChildComponent(TcxControlChildComponent* AComponent) = 0;
  virtual void __stdcall RemoveChildComponent(TcxControlChildComponent* AComponent) = 0;
};

class TcxControlChildComponent : public TcxComponent {
  RTL_CLASS(TcxControlChildComponent, TcxComponent)

 public:
  // A scale factor of its own, 1:1, listened to; then DoInitialize.
  void Create(rtl::TComponent* AOwner) override;
  // With AAssignOwner owned by AControl's owner, else by nobody; then joins
  // AControl.
  virtual void CreateEx(vcl::TWinControl* AControl, bool AAssignOwner = true);
  // Leaves the control first.
  void Destroy() override;

  // Form streaming: the control is the component's parent.
  rtl::TComponent* GetParentComponent() override;
  void SetParentComponent(rtl::TComponent* AValue) override;
  bool HasParent() override;

  vcl::TWinControl* GetControl() const { return FControl; }
  // With a control, the scale factor follows the control's; with nil it
  // stands alone.
  virtual void SetControl(vcl::TWinControl* AValue);
  TdxScaleFactor* GetScaleFactor() const { return FScaleFactor; }
  bool GetIsLoading() const;
  virtual bool IsDestroying() const;

 protected:
  virtual void DoInitialize() {}
  // The relative change of the scale factor, outside loading.
  virtual void ScaleFactorChanged(int /*M*/, int /*D*/) {}

 private:
  void ScaleFactorChangeHandler(rtl::TObject* ASender, int M, int D, bool AIsLoading);

  vcl::TWinControl* FControl;
  TdxOwnedScaleFactor* FScaleFactor;
};
