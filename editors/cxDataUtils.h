// The cxDataUtils unit: the base of the objects that connect a visual
// control to a data source.
//   TcxCustomDataBinding: keeps the control, the owner and a read-only flag
//     and raises three notifications; every data question has the answer of
//     an unbound control, so a control bound to nothing behaves as a plain
//     one.
#pragma once

#include "platform/rtl/Classes.h"
#include "editors/cxEdit.h"

namespace vcl {
class TBasicAction;
}

using TcxDataBindingNotifyEvent = rtl::TMethod<void()>;

class TcxCustomDataBinding : public rtl::TPersistent {
  RTL_CLASS(TcxCustomDataBinding, rtl::TPersistent)

 public:
  virtual void Create(rtl::TComponent* AOwner, rtl::TComponent* ADataComponent);
  rtl::TPersistent* GetOwner() override;

  virtual bool CanModify() { return !GetReadOnly(); }
  virtual bool ExecuteAction(vcl::TBasicAction* /*Action*/) { return false; }
  virtual rtl::Variant GetStoredValue(TcxDataEditValueSource /*AValueSource*/, bool /*AFocused*/);
  virtual bool IsControlReadOnly() { return GetReadOnly(); }
  virtual bool IsDataSourceLive() { return true; }
  virtual bool IsDataStorage() { return false; }
  virtual void Reset() {}
  virtual bool SetEditMode() { return CanModify(); }
  virtual void SetStoredValue(TcxDataEditValueSource /*AValueSource*/, const rtl::Variant& /*Value*/) {}
  virtual bool UpdateAction(vcl::TBasicAction* /*Action*/) { return false; }
  virtual void UpdateDataSource() {}

  virtual bool GetModified() { return false; }
  virtual bool GetReadOnly() { return FReadOnly; }
  // A change tells the data-set listeners (the control's read-only state).
  virtual void SetReadOnly(bool AValue);

  rtl::TComponent* GetDataComponent() const { return FDataComponent; }
  rtl::TComponent* GetVisualControl() const { return FVisualControl; }
  void SetVisualControl(rtl::TComponent* AValue);

  void SetOnDataChange(TcxDataBindingNotifyEvent AValue) { FOnDataChange = AValue; }
  void SetOnDataSetChange(TcxDataBindingNotifyEvent AValue) { FOnDataSetChange = AValue; }
  void SetOnUpdateData(TcxDataBindingNotifyEvent AValue) { FOnUpdateData = AValue; }

  virtual void DoDataChange();
  virtual void DoDataSetChange();
  virtual void DoUpdateData();

 protected:
  virtual void DoVisualControlChanged() {}

 private:
  rtl::TComponent* FDataComponent;
  rtl::TComponent* FOwner;
  bool FReadOnly;
  rtl::TComponent* FVisualControl;
  TcxDataBindingNotifyEvent FOnDataChange;
  TcxDataBindingNotifyEvent FOnDataSetChange;
  TcxDataBindingNotifyEvent FOnUpdateData;
};

using TcxCustomDataBindingClass = rtl::ClassOf<TcxCustomDataBinding>;
