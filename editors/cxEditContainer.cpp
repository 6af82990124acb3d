// Around the edit base: the editors' container class, the data binding of
// a standalone editor and the per-activation state of an in-place editor.
#include "controls/cxMouseTracking.h"
#include "editors/cxEdit.h"
#include "editors/cxEditRepositoryItems.h"

// ---------------------------------------------------------------------------
// TcxCustomEditContainer

bool TcxCustomEditContainer::IsMouseCaptureOwner()
{
  if (!HandleAllocated())
    return false;
  const HWND ACapture = GetCapture();
  return ACapture && (ACapture == GetHandle() || IsChild(GetHandle(), ACapture));
}

bool TcxCustomEditContainer::PtInCaller(const TPoint& P)
{
  const TRect R{0, 0, GetWidth(), GetHeight()};
  return PtInRect(&R, P) != FALSE;
}

void TcxCustomEditContainer::MouseEnter(vcl::TControl* AControl)
{
  // The inner control is part of the editor: the editor is entered.
  inherited::MouseEnter(AControl == GetInnerControl() ? this : AControl);
}

void TcxCustomEditContainer::MouseLeave(vcl::TControl* AControl)
{
  inherited::MouseLeave(AControl == GetInnerControl() ? this : AControl);
}

void TcxCustomEditContainer::MouseMove(vcl::TShiftState AShift, int X, int Y)
{
  if (!cxIsMouseTracking(GetMouseTrackingCaller()))
    MouseEnter(this);
  inherited::MouseMove(AShift, X, Y);
}

void TcxCustomEditContainer::HandleCMMouseLeave(rtl::TMessage& Message)
{
  // Moving onto the inner control is no leaving; the tracking tells when
  // the mouse really leaves.
  if (cxIsMouseTracking(GetMouseTrackingCaller()))
    return;
  rtl::InheritedMessage(this, Message);
}

// ---------------------------------------------------------------------------
// TcxEditDataBinding

void TcxEditDataBinding::Create(TcxCustomEdit* AEdit)
{
  inherited::Create();
  FEdit = AEdit;
  FIDefaultValuesProvider = GetDefaultValuesProviderClass().Create(nullptr);
}

void TcxEditDataBinding::Destroy()
{
  rtl::FreeAndNil(FIDefaultValuesProvider);
  inherited::Destroy();
}

rtl::TPersistent* TcxEditDataBinding::GetOwner()
{
  return FEdit;
}

IcxEditDefaultValuesProvider* TcxEditDataBinding::GetIDefaultValuesProvider() const
{
  return FIDefaultValuesProvider;
}

TcxCustomEditDefaultValuesProviderClass TcxEditDataBinding::GetDefaultValuesProviderClass()
{
  return TcxCustomEditDefaultValuesProviderClass::Of<TcxCustomEditDefaultValuesProvider>();
}

bool TcxEditDataBinding::CanCheckEditorValue()
{
  return FEdit->IsDesigning() || !FEdit->GetModifiedAfterEnter();
}

bool TcxEditDataBinding::CanModify()
{
  return GetIsDataAvailable();
}

bool TcxEditDataBinding::CanPostEditorValue()
{
  return GetModified();
}

void TcxEditDataBinding::SetModified()
{
  if (FEdit->Focused())
    FEdit->SetModifiedAfterEnter(true);
}

void TcxEditDataBinding::UpdateDisplayValue()
{
  FEdit->RefreshDisplayValue();
}

void TcxEditDataBinding::DefaultValuesChanged()
{
  TcxCustomEditProperties* AProperties = FEdit->GetActiveProperties();
  if (!FEdit->GetRepositoryItem()) {
    AProperties->Changed();
    return;
  }
  // Shared properties must not tell all their users.
  AProperties->BeginUpdate();
  try {
    AProperties->Changed();
  } catch (...) {
    AProperties->EndUpdate(false);
    throw;
  }
  AProperties->EndUpdate(false);
  FEdit->PropertiesChanged(AProperties);
}

rtl::Variant TcxEditDataBinding::GetDisplayValue()
{
  return rtl::Variant(FEdit->GetDisplayText());
}

void TcxEditDataBinding::SetDisplayValue(const rtl::Variant& AValue)
{
  FEdit->SetInnerEditValue(AValue);
}

bool TcxEditDataBinding::GetIsDataAvailable()
{
  return FIDefaultValuesProvider->IsDataAvailable();
}

bool TcxEditDataBinding::GetEditing()
{
  return FEdit->FModifiedAfterEnter;
}

bool TcxEditDataBinding::GetModified()
{
  return FEdit->FModifiedAfterEnter;
}

rtl::Variant TcxEditDataBinding::GetStoredValue()
{
  return FEdit->GetEditValue();
}

void TcxEditDataBinding::Reset()
{
  FEdit->DoReset();
}

bool TcxEditDataBinding::SetEditMode()
{
  FEdit->SetModifiedAfterEnter(true);
  return true;
}

// ---------------------------------------------------------------------------
// TcxCustomEditData

void TcxCustomEditData::Create(TcxCustomEdit* AEdit)
{
  inherited::Create();
  FEdit = AEdit;
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent::Bind<&TcxCustomEditData::EditFreed>(this));
  FFreeNotificator->AddSender(AEdit);
  Clear();
}

void TcxCustomEditData::Destroy()
{
  rtl::FreeAndNil(FFreeNotificator);
  inherited::Destroy();
}

void TcxCustomEditData::Clear()
{
  FCleared = true;
  if (FEdit && FEdit->FEditData == this)
    FEdit->RefreshEditData();
}

void TcxCustomEditData::EditFreed(rtl::TComponent* Sender)
{
  if (Sender == FEdit)
    FEdit = nullptr;
}
