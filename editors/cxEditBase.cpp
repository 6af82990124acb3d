// TcxCustomEdit: construction, the value and its editing cycle (permission,
// change notifications, validation, posting, reset), the modified flags,
// repository items and in-place activation.
#include <algorithm>

#include "controls/cxBufferedPaint.h"
#include "controls/cxWindowProcs.h"
#include "core/dxCore.h"
#include "editors/cxEdit.h"
#include "editors/cxEditConsts.h"
#include "editors/cxEditRepositoryItems.h"
#include "editors/cxVariants.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"

// ---------------------------------------------------------------------------
// Construction and destruction

void TcxCustomEdit::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  vcl::TControlStyle AStyle = GetControlStyle();
  AStyle.Include(vcl::TControlStyleItem::csActionClient);
  SetControlStyle(AStyle);
  FAnchorX = cxEditAnchorNotSet;
  FAnchorY = cxEditAnchorNotSet;
  FNeedFocusOnClick = true;
  LockRefresh();
  try {
    Initialize();
  } catch (...) {
    UnlockRefresh();
    throw;
  }
  UnlockRefresh();
}

void TcxCustomEdit::Create(rtl::TComponent* AOwner, bool AIsInplace)
{
  FIsInplace = AIsInplace;
  Create(AOwner);
}

void TcxCustomEdit::Initialize()
{
  FChangeEventsCatcher = rtl::New<TcxEditChangeEventsCatcher>(this);
  FProperties = GetPropertiesClass().Create(this);
  InitializeContentParams();
  vcl::TControlStyle AStyle = GetControlStyle();
  AStyle.Include(vcl::TControlStyleItem::csCaptureMouse);
  AStyle.Include(vcl::TControlStyleItem::csSetCaption);
  SetControlStyle(AStyle);
  SetTabStop(true);
  FInnerEdit = CreateInnerEdit();
  if (FInnerEdit) {
    SetInnerControl(FInnerEdit->GetControl());
    InitializeInnerEdit();
  }
  MarkReplicatable(this);
  FDataBinding = GetDataBindingClass().Create(this);
  FAutoHeight = !IsInplace();
  FAutoWidth = !IsInplace();
  FCaptureButtonVisibleIndex = -1;
  FEditValue = rtl::Null();
  FLockValidate = 0;
  FProperties->SetOnPropertiesChanged(
      rtl::TNotifyEvent::Bind<static_cast<void (TcxCustomEdit::*)(rtl::TObject*)>(&TcxCustomEdit::PropertiesChanged)>(
          this));
  if (IsInplace()) {
    TcxKeys AKeys = GetKeys();
    AKeys.Include(TcxKey::kAll);
    AKeys.Include(TcxKey::kArrows);
    if (!GetInnerEditClass())
      AKeys.Include(TcxKey::kTab);
    SetKeys(AKeys);
  }
  FDblClickTimer = cxNewTimer(GetDoubleClickTime(), false, rtl::TNotifyEvent::Bind<&TcxCustomEdit::StopDblClickTimer>(this));
  if (!IsInplace())
    FProperties->SetIDefaultValuesProvider(FDataBinding->GetIDefaultValuesProvider());
  FIsJustCreated = true;
}

void TcxCustomEdit::Destroy()
{
  dxGetFader()->Remove(this, true);
  if (IdxSpellChecker* AChecker = dxSpellCheckerHook())
    AChecker->CheckFinish();
  rtl::FreeAndNil(FDblClickTimer);
  UnhookInnerEditWndProc();
  if (FRepositoryItem)
    FRepositoryItem->RemoveListener(this);
  FRepositoryItem = nullptr;
  FInnerEdit = nullptr;
  if (FProperties) {
    FProperties->SetOnPropertiesChanged({});
    if (!IsInplace())
      FProperties->SetIDefaultValuesProvider(nullptr);
  }
  rtl::FreeAndNil(FDataBinding);
  FPrevModifiedList.clear();
  rtl::FreeAndNil(FProperties);
  rtl::FreeAndNil(FChangeEventsCatcher);
  inherited::Destroy();
}

void TcxCustomEdit::MarkReplicatable(vcl::TControl* AControl)
{
  vcl::TControlStyle AStyle = AControl->GetControlStyle();
  AStyle.Include(vcl::TControlStyleItem::csReplicatable);
  AControl->SetControlStyle(AStyle);
  if (auto* AWinControl = rtl::As<vcl::TWinControl>(AControl))
    for (int I = 0; I < AWinControl->GetControlCount(); ++I)
      MarkReplicatable(AWinControl->GetControls(I));
}

rtl::IPtr<IcxCustomInnerEdit> TcxCustomEdit::CreateInnerEdit()
{
  const rtl::ClassOf<vcl::TWinControl> AClass = GetInnerEditClass();
  if (!AClass)
    return {};
  vcl::TWinControl* AControl = AClass.Create(this);
  vcl::TControlStyle AStyle = AControl->GetControlStyle();
  AStyle.Include(vcl::TControlStyleItem::csOverrideStylePaint);
  AControl->SetControlStyle(AStyle);
  rtl::IPtr<IcxInnerEditHelper> AHelper;
  rtl::IPtr<IcxCustomInnerEdit> AInnerEdit;
  if (rtl::Supports(AControl, &AHelper))
    AInnerEdit = AHelper->GetHelper();
  else
    rtl::Supports(AControl, &AInnerEdit);
  return AInnerEdit;
}

void TcxCustomEdit::InitializeInnerEdit()
{
  FInnerEdit->SetParent(this);
  if (GetActiveProperties()->InnerEditReportsChanges())
    FInnerEdit->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomEdit::InnerEditChanged>(this));
  FInnerEdit->GetControl()->SetParentShowHint(false);
}

TcxCustomEditPropertiesClass TcxCustomEdit::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomEditProperties>();
}

TcxEditDataBindingClass TcxCustomEdit::GetDataBindingClass()
{
  return TcxEditDataBindingClass::Of<TcxEditDataBinding>();
}

TcxCustomEditProperties* TcxCustomEdit::PropertiesForClassQuery(rtl::TOwnedPtr<TcxCustomEditProperties>& ATemporary)
{
  if (FProperties)
    return FProperties;
  // The container asks for its style and view-info classes before
  // Initialize has made the properties.
  ATemporary.reset(GetPropertiesClass().Create(nullptr));
  return ATemporary.get();
}

TcxContainerStyleClass TcxCustomEdit::GetStyleClass()
{
  rtl::TOwnedPtr<TcxCustomEditProperties> ATemporary;
  return PropertiesForClassQuery(ATemporary)->GetStyleClass();
}

TcxContainerViewInfoClass TcxCustomEdit::GetViewInfoClass()
{
  rtl::TOwnedPtr<TcxCustomEditProperties> ATemporary;
  const TcxCustomEditViewInfoClass AClass = PropertiesForClassQuery(ATemporary)->GetViewInfoClass();
  if (!AClass)
    return inherited::GetViewInfoClass();
  return TcxContainerViewInfoClass(AClass.ClassType());
}

// ---------------------------------------------------------------------------
// Properties and repository item

TcxCustomEditProperties* TcxCustomEdit::GetActiveProperties()
{
  if (!FRepositoryItem)
    return FProperties;
  // Shared properties follow the editor that asks last.
  TcxCustomEditProperties* AProperties = FRepositoryItem->GetProperties();
  AProperties->SetIDefaultValuesProvider(FDataBinding->GetIDefaultValuesProvider());
  return AProperties;
}

void TcxCustomEdit::SetProperties(TcxCustomEditProperties* AValue)
{
  FProperties->Assign(AValue);
}

bool TcxCustomEdit::IsRepositoryItemAcceptable(TcxEditRepositoryItem* AItem)
{
  return !AItem || AItem->ArePropertiesCompatible(GetPropertiesClass());
}

void TcxCustomEdit::SetRepositoryItem(TcxEditRepositoryItem* AValue)
{
  if (AValue == FRepositoryItem)
    return;
  if (!IsRepositoryItemAcceptable(AValue))
    throw EcxEditError(dxLookupResourceString(cxSEditInvalidRepositoryItem));
  RepositoryItemChanging();
  if (FRepositoryItem) {
    FRepositoryItem->RemoveListener(this);
    FRepositoryItem->RemoveFreeNotification(this);
  }
  FRepositoryItem = AValue;
  if (FRepositoryItem) {
    FRepositoryItem->AddListener(this);
    FRepositoryItem->FreeNotification(this);
    FProperties->SetIDefaultValuesProvider(nullptr);
    RepositoryItemPropertiesChanged(FRepositoryItem->GetProperties());
    FProperties->SetOnPropertiesChanged({});
  } else {
    if (!IsLoading() && !IsDestroying())
      FProperties->SetOnPropertiesChanged(
          rtl::TNotifyEvent::Bind<static_cast<void (TcxCustomEdit::*)(rtl::TObject*)>(&TcxCustomEdit::PropertiesChanged)>(
              this));
    FProperties->SetIDefaultValuesProvider(FDataBinding->GetIDefaultValuesProvider());
  }
  RepositoryItemChanged();
}

rtl::TComponent* TcxCustomEdit::GetRepositoryItemComponent() const
{
  return FRepositoryItem;
}

void TcxCustomEdit::SetRepositoryItemComponent(rtl::TComponent* AValue)
{
  if (AValue && !rtl::Is<TcxEditRepositoryItem>(AValue))
    throw EcxEditError(dxLookupResourceString(cxSEditInvalidRepositoryItem));
  SetRepositoryItem(static_cast<TcxEditRepositoryItem*>(AValue));
}

void TcxCustomEdit::RepositoryItemPropertiesChanged(TcxCustomEditProperties* AProperties)
{
  if (!IsLoading() && !IsDestroying())
    PropertiesChanged(AProperties);
}

void __stdcall TcxCustomEdit::ItemRemoved(TcxEditRepositoryItem* Sender)
{
  if (Sender == FRepositoryItem)
    SetRepositoryItem(nullptr);
}

void __stdcall TcxCustomEdit::PropertiesChanged(TcxEditRepositoryItem* Sender)
{
  if (Sender == FRepositoryItem)
    RepositoryItemPropertiesChanged(Sender->GetProperties());
}

void TcxCustomEdit::Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation)
{
  inherited::Notification(AComponent, AOperation);
  if (AOperation == rtl::TOperation::opRemove && AComponent == FRepositoryItem)
    SetRepositoryItem(nullptr);
}

void TcxCustomEdit::PropertiesChanged(rtl::TObject* /*Sender*/)
{
  FIsEditValidated = false;
  UpdateInnerEditReadOnly();
  if (FModifiedAfterEnter && GetEffectiveReadOnly())
    SetModifiedAfterEnter(false);
  if (GetActiveProperties()->GetTransparent())
    SetTransparent(true);
  UpdateAnchors();
  ShortRefreshContainer(false);
}

bool TcxCustomEdit::GetEffectiveReadOnly()
{
  return GetActiveProperties()->GetReadOnly() || FDataBinding->NoDataAvailable();
}

void TcxCustomEdit::UpdateInnerEditReadOnly()
{
  if (FInnerEdit && !IsInnerEditMissing())
    FInnerEdit->SetReadOnly(GetEffectiveReadOnly());
}

void TcxCustomEdit::SetInnerEditReadOnly(bool AValue)
{
  if (FInnerEdit)
    FInnerEdit->SetReadOnly(AValue);
}

bool TcxCustomEdit::IsInnerEditMissing()
{
  return GetInnerEditClass() && !FInnerEdit;
}

// ---------------------------------------------------------------------------
// Streaming and parent

void TcxCustomEdit::SetParent(vcl::TWinControl* AParent)
{
  if (FIsJustCreated && AParent) {
    FIsJustCreated = false;
    if (!FIsInplaceInitializing) {
      FDataBinding->UpdateNotConnectedDBEditDisplayValue();
      PropertiesChanged(FProperties);
      FDataBinding->UpdateDisplayValue();
    }
  }
  inherited::SetParent(AParent);
}

void TcxCustomEdit::ReadState(rtl::TReader* AReader)
{
  FProperties->SetOnPropertiesChanged({});
  inherited::ReadState(AReader);
}

void TcxCustomEdit::Loaded()
{
  FIsFirstSetSize = true;
  inherited::Loaded();
  LockChangeEvents(true, true);
  LockClick(true);
  try {
    FDataBinding->UpdateNotConnectedDBEditDisplayValue();
    ShortRefreshContainer(false);
    if (!FRepositoryItem)
      FProperties->SetOnPropertiesChanged(
          rtl::TNotifyEvent::Bind<static_cast<void (TcxCustomEdit::*)(rtl::TObject*)>(&TcxCustomEdit::PropertiesChanged)>(
              this));
    PropertiesChanged(GetActiveProperties());
    inherited::GetViewInfo()->Shadow = false;
    ContainerStyleChanged(GetStyle());
  } catch (...) {
    LockClick(false);
    LockChangeEvents(false, false);
    throw;
  }
  LockClick(false);
  LockChangeEvents(false, false);
}

void TcxCustomEdit::SetName(const rtl::String& AValue)
{
  inherited::SetName(AValue);
  FDataBinding->UpdateNotConnectedDBEditDisplayValue();
}

// ---------------------------------------------------------------------------
// Counters and locks

void TcxCustomEdit::BeginUserAction()
{
  ++FUserActionCount;
}

void TcxCustomEdit::EndUserAction()
{
  if (FUserActionCount > 0)
    --FUserActionCount;
}

void TcxCustomEdit::DisableUserAction()
{
  ++FUserActionDisabledCount;
}

void TcxCustomEdit::EnableUserAction()
{
  dxAssertCheck(FUserActionDisabledCount > 0, L"TcxCustomEdit.EnableUserAction fails");
  // An unbalanced call must not leave the count below zero, which would
  // make every later action count as the user's.
  if (FUserActionDisabledCount > 0)
    --FUserActionDisabledCount;
}

bool TcxCustomEdit::IsUserAction() const
{
  return FUserActionCount > 0 && FUserActionDisabledCount == 0;
}

void TcxCustomEdit::LockChangeEvents(bool ALock, bool AInvokeChangedOnUnlock)
{
  FChangeEventsCatcher->Lock(ALock, AInvokeChangedOnUnlock);
}

bool TcxCustomEdit::AreChangeEventsLocked() const
{
  return FChangeEventsCatcher->IsLocked();
}

void TcxCustomEdit::LockClick(bool ALock)
{
  if (ALock)
    ++FClickLockCount;
  else if (FClickLockCount > 0)
    --FClickLockCount;
}

void TcxCustomEdit::LockEditValueChanging(bool ALock)
{
  if (ALock)
    ++FEditValueChangingLockCount;
  else if (FEditValueChangingLockCount > 0)
    --FEditValueChangingLockCount;
}

void TcxCustomEdit::LockValidate(bool ALock)
{
  if (ALock)
    ++FLockValidate;
  else if (FLockValidate > 0)
    --FLockValidate;
}

void TcxCustomEdit::PushModifiedState()
{
  FPrevModifiedList.push_back({FModified, FModifiedAfterEnter});
}

void TcxCustomEdit::PopModifiedState()
{
  if (FPrevModifiedList.empty())
    return;
  FModified = FPrevModifiedList.back().Modified;
  FModifiedAfterEnter = FPrevModifiedList.back().ModifiedAfterEnter;
  FPrevModifiedList.pop_back();
}

// ---------------------------------------------------------------------------
// Modified flags

void TcxCustomEdit::SetEditModified(bool AValue)
{
  FModified = AValue;
  if (!AValue)
    FModifiedAfterEnter = false;
}

void TcxCustomEdit::SetModifiedAfterEnter(bool AValue)
{
  FModifiedAfterEnter = AValue;
  if (AValue) {
    FModified = true;
    FIsEditValidated = false;
  }
}

void TcxCustomEdit::ModifiedClick()
{
  SetModifiedAfterEnter(true);
  if (FClickLockCount == 0)
    Click();
}

bool TcxCustomEdit::InternalFocused()
{
  return !GetActiveProperties()->DependsOnFocus() || Focused();
}

// ---------------------------------------------------------------------------
// The value

rtl::Variant TcxCustomEdit::GetEditingValue()
{
  if (Focused() && !FIsEditValidated && FModifiedAfterEnter)
    return GetUnpostedEditingValue();
  return GetEditValue();
}

void TcxCustomEdit::DoSetEditValue(const rtl::Variant& AValue)
{
  if (FEditValueChangingLockCount > 0)
    return;
  LockClick(true);
  try {
    if (!IsUserAction() || DoEditing())
      ApplyEditValue(AValue, true);
  } catch (...) {
    LockClick(false);
    throw;
  }
  LockClick(false);
}

void TcxCustomEdit::DoSetInternalEditValue(const rtl::Variant& AValue)
{
  if (FEditValueChangingLockCount > 0)
    return;
  if (!IsUserAction() || DoEditing())
    ApplyEditValue(AValue, true);
}

void TcxCustomEdit::ApplyEditValue(const rtl::Variant& AValue, bool /*AIsUserAction*/)
{
  const bool AUserAction = IsUserAction();
  if (AUserAction && !DoEditing())
    return;
  const bool AChanged = GetActiveProperties()->CanCompareEditValue() && !cxEditVarEquals(AValue, FEditValue);
  StoreEditValue(AValue);
  RefreshDisplayValue();
  if (AUserAction)
    SetModifiedAfterEnter(true);
  else
    SetEditModified(false);
  if (AChanged) {
    DoEditValueChanged();
    if (!GetActiveProperties()->InnerEditReportsChanges())
      DoChange();
  }
}

void TcxCustomEdit::SetValidatableEditValue(const rtl::Variant& AValue)
{
  BeginUserAction();
  try {
    SetEditValue(AValue);
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomEdit::Clear()
{
  SetEditValue(GetClearValue());
}

rtl::Variant TcxCustomEdit::GetClearValue()
{
  return rtl::Null();
}

rtl::Variant TcxCustomEdit::GetDisplayValue()
{
  return rtl::Variant(GetDisplayText());
}

rtl::Variant TcxCustomEdit::EditValueToDisplayValue()
{
  return rtl::Variant(rtl::VarToStr(GetEditValue()));
}

void TcxCustomEdit::PrepareEditValue(const rtl::Variant& /*ADisplayValue*/, rtl::Variant& EditValue,
                                     bool /*AEditFocused*/)
{
  EditValue = rtl::Unassigned();
}

void TcxCustomEdit::SetValidatedDisplayValue(const rtl::Variant& AValue)
{
  PushModifiedState();
  try {
    SetDisplayValue(AValue);
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
}

void TcxCustomEdit::EditorPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue,
                                              bool AFocused)
{
  GetActiveProperties()->PrepareDisplayValue(AEditValue, ADisplayValue, AFocused);
}

void __stdcall TcxCustomEdit::SetSpellCheckerValue(const rtl::String& AValue)
{
  ApplyEditValue(rtl::Variant(AValue), false);
}

// ---------------------------------------------------------------------------
// Permission to edit

bool TcxCustomEdit::CanModify()
{
  TcxCustomEditProperties* AProperties = GetActiveProperties();
  if (IsInplace())
    return AProperties->IsEditingAllowed();
  if (AProperties->GetAssignedValues()->GetReadOnly())
    return !AProperties->GetReadOnly();
  IcxEditDefaultValuesProvider* AProvider = FDataBinding->GetIDefaultValuesProvider();
  return !AProvider || (AProvider->DefaultCanModify() && AProvider->CanSetEditMode());
}

bool TcxCustomEdit::DoEditing()
{
  if (!CanEdit())
    return false;
  if (FDataBinding->GetModified())
    return true;
  bool AResult = !IsUserAction() || CanModify();
  if (!AResult)
    return false;
  FEditModeSetting = true;
  try {
    if (IsInplace()) {
      LockEditValueChanging(true);
      try {
        if (FOnEditing)
          FOnEditing(this, AResult);
      } catch (...) {
        LockEditValueChanging(false);
        throw;
      }
      LockEditValueChanging(false);
    } else {
      if (FOnEditing)
        FOnEditing(this, AResult);
      if (AResult) {
        if (FDataBinding->GetEditing()) {
          FDataBinding->SetModified();
        } else {
          LockEditValueChanging(true);
          try {
            AResult = FDataBinding->SetEditMode();
          } catch (...) {
            LockEditValueChanging(false);
            throw;
          }
          LockEditValueChanging(false);
        }
      }
    }
  } catch (...) {
    FEditModeSetting = false;
    throw;
  }
  FEditModeSetting = false;
  return AResult;
}

// ---------------------------------------------------------------------------
// Change notifications

bool TcxCustomEdit::HasChangeHandler(rtl::TNotifyEvent (TcxCustomEditProperties::*AGetter)() const)
{
  return static_cast<bool>((FProperties->*AGetter)()) || static_cast<bool>((GetActiveProperties()->*AGetter)());
}

void TcxCustomEdit::FireChangeNotification(void (TcxCustomEdit::*ANotify)())
{
  if (!IsInplace()) {
    (this->*ANotify)();
    return;
  }
  // The host's handlers see an in-place editor as modified.
  PushModifiedState();
  try {
    FModified = true;
    FModifiedAfterEnter = true;
    (this->*ANotify)();
  } catch (...) {
    PopModifiedState();
    throw;
  }
  PopModifiedState();
}

void TcxCustomEdit::DoChange()
{
  if (IsLoading() || IsDestroying())
    return;
  if (HasChangeHandler(&TcxCustomEditProperties::GetOnChange)) {
    if (AreChangeEventsLocked())
      FChangeEventsCatcher->SetOnChangeEvent(true);
    else
      FireChangeNotification(&TcxCustomEdit::DoOnChange);
  }
  TcxCustomEditProperties* AProperties = GetActiveProperties();
  if (!AProperties->InnerEditReportsChanges() && !AProperties->CanCompareEditValue())
    DoEditValueChanged();
}

void TcxCustomEdit::DoEditValueChanged()
{
  if (IsLoading() || IsDestroying() || !HasChangeHandler(&TcxCustomEditProperties::GetOnEditValueChanged))
    return;
  if (AreChangeEventsLocked())
    FChangeEventsCatcher->SetOnEditValueChangedEvent(true);
  else
    FireChangeNotification(&TcxCustomEdit::DoOnEditValueChanged);
}

void TcxCustomEdit::DoOnChange()
{
  DisableUserAction();
  try {
    if (rtl::TNotifyEvent AEvent = FProperties->GetOnChange())
      AEvent(this);
    if (FRepositoryItem)
      if (rtl::TNotifyEvent AEvent = GetActiveProperties()->GetOnChange())
        AEvent(this);
  } catch (...) {
    EnableUserAction();
    throw;
  }
  EnableUserAction();
}

void TcxCustomEdit::DoOnEditValueChanged()
{
  DisableUserAction();
  try {
    if (rtl::TNotifyEvent AEvent = FProperties->GetOnEditValueChanged())
      AEvent(this);
    if (FRepositoryItem)
      if (rtl::TNotifyEvent AEvent = GetActiveProperties()->GetOnEditValueChanged())
        AEvent(this);
  } catch (...) {
    EnableUserAction();
    throw;
  }
  EnableUserAction();
}

void TcxCustomEdit::InnerEditChanged(rtl::TObject* /*Sender*/)
{
  if (Focused())
    SetModifiedAfterEnter(true);
  else if (!GetActiveProperties()->IsChanging())
    FDataBinding->SetModified();
  DoChange();
}

void TcxCustomEdit::FireClosePopup(TcxEditCloseUpReason AReason)
{
  if (TcxEditClosePopupEvent AEvent = FProperties->GetOnClosePopup())
    AEvent(this, AReason);
  if (FRepositoryItem)
    if (TcxEditClosePopupEvent AEvent = GetActiveProperties()->GetOnClosePopup())
      AEvent(this, AReason);
}

void TcxCustomEdit::DoButtonClick(int AButtonVisibleIndex)
{
  DisableUserAction();
  try {
    if (TcxEditButtonClickEvent AEvent = FProperties->GetOnButtonClick())
      AEvent(this, AButtonVisibleIndex);
    if (FRepositoryItem)
      if (TcxEditButtonClickEvent AEvent = GetActiveProperties()->GetOnButtonClick())
        AEvent(this, AButtonVisibleIndex);
  } catch (...) {
    EnableUserAction();
    throw;
  }
  EnableUserAction();
}

// ---------------------------------------------------------------------------
// Validation

bool TcxCustomEdit::ValidateEdit(bool ARaiseExceptionOnError)
{
  TcxEditValidationOptions AOptions;
  if (ARaiseExceptionOnError)
    AOptions.Include(TcxEditValidationOption::evoRaiseException);
  return RunValidation(AOptions, true);
}

bool TcxCustomEdit::ValidateEdit()
{
  return ValidateByOptions(true);
}

bool TcxCustomEdit::ValidateByOptions(bool AForce)
{
  return RunValidation(GetActiveProperties()->GetValidationOptions(), AForce);
}

bool TcxCustomEdit::DoValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError)
{
  TcxCustomEditProperties* AProperties = GetActiveProperties();
  if (!AProperties->HasDisplayValueValidation())
    return false;
  return AProperties->ValidateDisplayValue(ADisplayValue, AErrorText, AError, this);
}

bool TcxCustomEdit::RunValidation(TcxEditValidationOptions AOptions, bool AForce)
{
  DisableUserAction();
  rtl::Finally AEnable([this] { EnableUserAction(); });
  if (!AForce && !(FModifiedAfterEnter && !FIsEditValidated && FLockValidate == 0))
    return !FValidationError;

  FIsEditValidating = true;
  rtl::Finally AValidating([this] { FIsEditValidating = false; });
  rtl::Variant ADisplayValue =
      FModifiedAfterEnter || rtl::VarIsNull(GetEditValue()) ? GetDisplayValue() : EditValueToDisplayValue();
  FValidationErrorText = rtl::String();
  const bool APrevError = FValidationError;
  FValidationError = false;
  TcxCustomEditProperties* AProperties = GetActiveProperties();
  AProperties->SetInternalValidationOptions(AOptions);
  DoValidateDisplayValue(ADisplayValue, FValidationErrorText, FValidationError);
  AOptions = AProperties->GetInternalValidationOptions();
  if ((FValidationError != APrevError || FValidationError) && HandleAllocated())
    PostMessageW(GetHandle(), DXM_EDITVALIDATIONSTATE, 0, 0);
  const bool AResult = !FValidationError;
  if (FValidationError) {
    // Whatever the handling does, the value that failed is shown again.
    rtl::Finally AShowFailedValue([this, &ADisplayValue] {
      if (!cxVarSameTypeAndValue(ADisplayValue, GetDisplayValue())) {
        SetInnerEditValue(ADisplayValue);
        if (GetVisible())
          SelectAll();
        if (!IsEditClass())
          UpdateDrawValue();
      }
    });
    HandleValidationError(FValidationErrorText, AOptions, !AForce);
  }
  if (!FValidationError || AOptions.Contains(TcxEditValidationOption::evoAllowLoseFocus)) {
    if (FModifiedAfterEnter || !cxVarSameTypeAndValue(ADisplayValue, GetDisplayValue()))
      if (!IsUserAction() || DoEditing())
        SetValidatedDisplayValue(ADisplayValue);
    if (!IsInplace() && !Focused())
      SetModifiedAfterEnter(false);
    FIsEditValidated = true;
  }
  return AResult;
}

void TcxCustomEdit::HandleValidationError(const rtl::String& AErrorText, TcxEditValidationOptions AOptions,
                                          bool ACanAbort)
{
  const bool ARaises = !AErrorText.empty() && AOptions.Contains(TcxEditValidationOption::evoRaiseException);
  if (!CanFocus()) {
    FIsEditValidated = true;
  } else if (HandleAllocated() && IsWindowVisible(GetHandle())) {
    if (!Focused() &&
        (!GetActiveProperties()->GetValidationOptions().Contains(TcxEditValidationOption::evoAllowLoseFocus) ||
         ARaises)) {
      FValidateErrorProcessing = true;
      rtl::Finally AProcessed([this] { FValidateErrorProcessing = false; });
      if (FInnerEdit)
        FInnerEdit->SafelySetFocus();
      else
        SetFocus();
    }
    if (Focused())
      SelectAll();
  }
  if (GetActiveProperties()->GetBeepOnError())
    MessageBeep(0);
  if (ARaises)
    throw EcxEditValidationError(AErrorText);
  if (ACanAbort && !AOptions.Contains(TcxEditValidationOption::evoAllowLoseFocus))
    rtl::Abort();
}

// ---------------------------------------------------------------------------
// Posting and reset

bool TcxCustomEdit::CanPostEditValue()
{
  return !IsDesigning() && FDataBinding->CanPostEditorValue();
}

void TcxCustomEdit::FireOnPostEditValue()
{
  if (!FOnPostEditValue)
    return;
  DisableUserAction();
  rtl::Finally AEnable([this] { EnableUserAction(); });
  FOnPostEditValue(this);
}

void TcxCustomEdit::DoPostEditValue(bool AValidate)
{
  if (AValidate) {
    DisableUserAction();
    bool AValid;
    try {
      AValid = ValidateByOptions(false);
    } catch (...) {
      EnableUserAction();
      throw;
    }
    EnableUserAction();
    if (!AValid)
      return;
  }
  try {
    rtl::Finally AAfter([this] { AfterPosting(); });
    BeforePosting();
    if (IsInplace()) {
      if (!AValidate)
        LockValidate(true);
      rtl::Finally AUnlock([this, AValidate] {
        if (!AValidate)
          LockValidate(false);
      });
      FireOnPostEditValue();
      SetEditModified(false);
    } else if (FDataBinding->GetModified()) {
      PushModifiedState();
      rtl::Finally APop([this] { PopModifiedState(); });
      FDataBinding->SetStoredValue(GetEditValue());
    }
  } catch (...) {
    if (!ReportsPostErrors())
      return;
    HandleValidationError(rtl::String(), GetActiveProperties()->GetValidationOptions(), false);
    throw;
  }
}

void TcxCustomEdit::ForcePostEditValue()
{
  if (!DoEditing())
    return;
  SetModifiedAfterEnter(true);
  FIsEditValidated = true;
  rtl::Finally AReset([this] { SetModifiedAfterEnter(false); });
  DoPostEditValue(false);
}

void TcxCustomEdit::PostEditValue()
{
  if (CanPostEditValue())
    DoPostEditValue(true);
  else if (Focused())
    ForcePostEditValue();
}

void TcxCustomEdit::Reset()
{
  FDataBinding->Reset();
}

bool TcxCustomEdit::IsBoundToDataStorage()
{
  IcxEditDefaultValuesProvider* AProvider = FDataBinding->GetIDefaultValuesProvider();
  return AProvider && AProvider->IsDataStorage();
}

bool TcxCustomEdit::CanResetEditValue()
{
  return IsBoundToDataStorage() || GetActiveProperties()->IsResetEditClass();
}

void TcxCustomEdit::SavePrevEditValue(const rtl::Variant& AValue)
{
  if (FValidateErrorProcessing)
    return;
  FPrevEditValue = AValue;
  FPrevValidationError = FValidationError;
}

void TcxCustomEdit::RestorePrevValidationError()
{
  FValidationError = FPrevValidationError;
  if (HandleAllocated())
    PostMessageW(GetHandle(), DXM_EDITVALIDATIONSTATE, 0, 0);
}

void TcxCustomEdit::DoReset()
{
  if (!FModifiedAfterEnter || !GetActiveProperties()->IsResetEditClass())
    return;
  LockChangeEvents(true);
  rtl::Finally AUnlock([this] { LockChangeEvents(false); });
  FModifiedAfterEnter = false;
  SetInternalEditValue(IsBoundToDataStorage() ? FDataBinding->GetStoredValue() : FPrevEditValue);
  RestorePrevValidationError();
  SetEditModified(true);
  SelectAll();
  if (GetActiveProperties()->GetImmediatePost() && CanPostEditValue())
    DoPostEditValue(false);
}

// ---------------------------------------------------------------------------
// Actions

bool TcxCustomEdit::ExecuteAction(vcl::TBasicAction* AAction)
{
  return FDataBinding->ExecuteAction(AAction);
}

bool TcxCustomEdit::UpdateAction(vcl::TBasicAction* AAction)
{
  return FDataBinding->UpdateAction(AAction);
}

void TcxCustomEdit::InitiateAction()
{
  inherited::InitiateAction();
  GetActiveProperties()->UpdateButtonActions();
}

// ---------------------------------------------------------------------------
// In-place activation

void TcxCustomEdit::RefreshEditData()
{
  if (FEditData && FEditData->GetCleared()) {
    InitializeEditData();
    FEditData->SetCleared(false);
  }
}

void TcxCustomEdit::Activate(TcxCustomEditData*& AEditData, bool ANeedSetFocus)
{
  if (!AEditData)
    if (const TcxCustomEditDataClass AClass = GetEditDataClass())
      AEditData = AClass.Create(this);
  FEditData = AEditData;
  RefreshEditData();
  SetVisible(true);
  RefreshDisplayValue();
  SetEditModified(false);
  InplaceParams.MultiRowParent = true;
  if (HandleAllocated() && CanFocus() && ANeedSetFocus)
    SetFocusAndSelect();
}

void TcxCustomEdit::ActivateByKey(wchar_t AKey, TcxCustomEditData*& AEditData)
{
  HookInnerEditWndProc();
  rtl::Finally AUnhook([this] { UnhookInnerEditWndProc(); });
  Activate(AEditData, true);
  if (ResendsActivationKey(AKey)) {
    FIsKeyPressHandled = false;
    if (HandleAllocated())
      SendMessageW(GetHandle(), WM_CHAR, AKey, 0);
  }
}

void TcxCustomEdit::ActivateByMouse(vcl::TShiftState AShift, int X, int Y, TcxCustomEditData*& AEditData)
{
  Activate(AEditData, FNeedFocusOnClick);
  if (!HandleAllocated())
    return;
  TPoint P{X, Y};
  if (GetParent())
    P = ScreenToClient(GetParent()->ClientToScreen(P));
  if (AShift.Contains(vcl::TShiftStateItem::ssLeft)) {
    cxSendMouseMessage(this, WM_MOUSEMOVE, {}, P);
    cxSendMouseMessage(this, WM_LBUTTONDOWN, AShift, P);
    if (GetCapture() == GetHandle() && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0)
      ReleaseCapture();
  } else {
    cxSendMouseMessage(this, WM_LBUTTONUP, AShift, P);
  }
  FDblClickTimer->SetEnabled(true);
}

bool TcxCustomEdit::Deactivate()
{
  FDblClickTimer->SetEnabled(false);
  FUserActionCount = 0;
  bool AResult = false;
  rtl::Finally ARefresh([this, &AResult] {
    if (AResult) {
      RefreshDisplayValue();
      FIsEditValidated = true;
    }
  });
  AResult = RunValidation(GetActiveProperties()->GetValidationOptions(), false);
  return AResult;
}

void TcxCustomEdit::StopDblClickTimer(rtl::TObject* /*Sender*/)
{
  FDblClickTimer->SetEnabled(false);
}

bool TcxCustomEdit::IsChildWindow(HWND AWnd)
{
  if (!HandleAllocated() || !AWnd)
    return false;
  return AWnd == GetHandle() || IsChild(GetHandle(), AWnd);
}

// ---------------------------------------------------------------------------
// Height

void TcxCustomEdit::EnsureHandleForAutoSize()
{
  if (HandleAllocated() || IsDestroying() || FHandleAllocating || !cxCanAllocateControlHandle(this))
    return;
  FHandleAllocating = true;
  rtl::Finally AAllocated([this] { FHandleAllocating = false; });
  HandleNeeded();
}

int TcxCustomEdit::GetHeight()
{
  EnsureHandleForAutoSize();
  return inherited::GetHeight();
}

// ---------------------------------------------------------------------------
// TcxEditChangeEventsCatcher

void TcxEditChangeEventsCatcher::Create(TcxCustomEdit* AEdit)
{
  inherited::Create();
  FEdit = AEdit;
}

void TcxEditChangeEventsCatcher::Lock(bool ALock, bool AInvokeChangedOnUnlock)
{
  if (ALock) {
    if (FLockCount == 0) {
      FOnChangeEvent = false;
      FOnEditValueChangedEvent = false;
    }
    ++FLockCount;
    return;
  }
  if (FLockCount == 0)
    return;
  --FLockCount;
  if (FLockCount == 0 && AInvokeChangedOnUnlock)
    InvokeEditChangedEvents();
}

void TcxEditChangeEventsCatcher::InvokeEditChangedEvents()
{
  if (FEdit->IsLoading() || FEdit->IsDestroying())
    return;
  if (FOnChangeEvent && FEdit->HasChangeHandler(&TcxCustomEditProperties::GetOnChange)) {
    FOnChangeEvent = false;
    FEdit->DoOnChange();
  }
  if (FOnEditValueChangedEvent && FEdit->HasChangeHandler(&TcxCustomEditProperties::GetOnEditValueChanged)) {
    FOnEditValueChangedEvent = false;
    FEdit->DoOnEditValueChanged();
  }
}
