// The properties object of the editors and its companions: the alignment,
// the assigned values, the default-values provider and the validation
// record.
#include <algorithm>
#include <functional>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "editors/cxEdit.h"
#include "editors/cxEditConsts.h"
#include "editors/cxEditRepositoryItems.h"
#include "editors/cxVariants.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/ImgList.h"

namespace {

// The properties objects, in order of creation; a provider that goes walks
// it to let itself go everywhere.
std::vector<TcxCustomEditProperties*>& cxEditPropertiesListInstance()
{
  static std::vector<TcxCustomEditProperties*> list;
  return list;
}

}  // namespace

const std::vector<TcxCustomEditProperties*>& cxEditPropertiesList()
{
  return cxEditPropertiesListInstance();
}

// ---------------------------------------------------------------------------
// TcxCustomEditDefaultValuesProvider

void TcxCustomEditDefaultValuesProvider::BeforeDestruction()
{
  inherited::BeforeDestruction();
  // A copy: releasing may make a properties object announce a change.
  const std::vector<TcxCustomEditProperties*> users = cxEditPropertiesList();
  for (TcxCustomEditProperties* properties : users) {
    IcxEditDefaultValuesProvider* provider = properties->GetIDefaultValuesProvider();
    if (provider && provider->GetInstance() == this)
      properties->ReleaseDefaultValuesProvider();
  }
}

// ---------------------------------------------------------------------------
// TcxEditAlignment

void TcxEditAlignment::Create(rtl::TPersistent* AOwner)
{
  Create(AOwner, TcxEditVertAlignment::taTopJustify);
}

void TcxEditAlignment::Create(rtl::TPersistent* AOwner, TcxEditVertAlignment ADefaultVertAlignment)
{
  Create(AOwner, ADefaultVertAlignment, rtl::TAlignment::taLeftJustify);
}

void TcxEditAlignment::Create(rtl::TPersistent* AOwner, TcxEditVertAlignment ADefaultVertAlignment,
                              rtl::TAlignment ADefaultHorzAlignment)
{
  FOwner = AOwner;
  FDefaultVertAlignment = ADefaultVertAlignment;
  FDefaultHorzAlignment = ADefaultHorzAlignment;
  FVert = ADefaultVertAlignment;
  FHorz = ADefaultHorzAlignment;
}

void TcxEditAlignment::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxEditAlignment>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxEditAlignment*>(ASource);
  FVert = source->FVert;
  FHorz = source->FHorz;
  FIsHorzAssigned = source->FIsHorzAssigned;
  DoChanged();
}

void TcxEditAlignment::Reset()
{
  FIsHorzAssigned = false;
  DoChanged();
}

void TcxEditAlignment::SetHorz(rtl::TAlignment AValue)
{
  if (FIsHorzAssigned && FHorz == AValue)
    return;
  FIsHorzAssigned = true;
  FHorz = AValue;
  DoChanged();
}

void TcxEditAlignment::SetVert(TcxEditVertAlignment AValue)
{
  if (FVert == AValue)
    return;
  FVert = AValue;
  DoChanged();
}

bool TcxEditAlignment::IsHorzStored() const
{
  return FIsHorzAssigned || FHorz != FDefaultHorzAlignment;
}

bool TcxEditAlignment::IsVertStored() const
{
  return FVert != FDefaultVertAlignment;
}

void TcxEditAlignment::DoChanged()
{
  if (FOnChanged)
    FOnChanged(this);
}

// ---------------------------------------------------------------------------
// TcxCustomEditPropertiesValues

void TcxCustomEditPropertiesValues::Create(rtl::TPersistent* AOwner)
{
  FOwner = AOwner;
}

void TcxCustomEditPropertiesValues::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxCustomEditPropertiesValues>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  auto* source = static_cast<TcxCustomEditPropertiesValues*>(ASource);
  TcxCustomEditProperties* properties = Properties();
  if (properties)
    properties->BeginUpdate();
  try {
    SetMaxValue(source->FMaxValue);
    SetMinValue(source->FMinValue);
    SetReadOnly(source->FReadOnly);
  } catch (...) {
    if (properties)
      properties->EndUpdate();
    throw;
  }
  if (properties)
    properties->EndUpdate();
}

void TcxCustomEditPropertiesValues::RestoreDefaults()
{
  TcxCustomEditProperties* properties = Properties();
  if (properties)
    properties->BeginUpdate();
  FMaxValue = false;
  FMinValue = false;
  FReadOnly = false;
  if (properties) {
    properties->Changed();
    properties->EndUpdate();
  }
}

void TcxCustomEditPropertiesValues::SetMaxValue(bool AValue)
{
  SetFlag(FMaxValue, AValue);
}

void TcxCustomEditPropertiesValues::SetMinValue(bool AValue)
{
  SetFlag(FMinValue, AValue);
}

void TcxCustomEditPropertiesValues::SetReadOnly(bool AValue)
{
  SetFlag(FReadOnly, AValue);
}

TcxCustomEditProperties* TcxCustomEditPropertiesValues::Properties() const
{
  return rtl::Is<TcxCustomEditProperties>(FOwner) ? static_cast<TcxCustomEditProperties*>(FOwner) : nullptr;
}

void TcxCustomEditPropertiesValues::SetFlag(bool& AFlag, bool AValue)
{
  if (AFlag == AValue)
    return;
  AFlag = AValue;
  if (TcxCustomEditProperties* properties = Properties())
    properties->Changed();
}

// ---------------------------------------------------------------------------
// TcxEditValidateInfo

void TcxEditValidateInfo::Create()
{
  FErrorIcon = rtl::New<TdxSmartGlyph>();
  FErrorType = TcxEditErrorType::eetNone;
}

void TcxEditValidateInfo::Destroy()
{
  rtl::FreeAndNil(FErrorIcon);
  inherited::Destroy();
}

void TcxEditValidateInfo::Reset()
{
  FErrorType = TcxEditErrorType::eetNone;
  FErrorText.clear();
  FErrorIcon->Clear();
}

void TcxEditValidateInfo::SetErrorIcon(TdxSmartGlyph* AValue)
{
  FErrorIcon->Assign(AValue);
}

void TcxEditValidateInfo::SetErrorType(TcxEditErrorType AValue)
{
  if (FErrorType == AValue)
    return;
  FErrorType = AValue;
  if (vcl::TBitmap* glyph = cxEditValidationGlyph(AValue))
    FErrorIcon->Assign(glyph);
  FErrorIcon->SetSourceDPI(dxDefaultDPI);
}

// ---------------------------------------------------------------------------
// TcxCustomEditProperties

void TcxCustomEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  cxEditPropertiesListInstance().push_back(this);
  FFreeNotificator = rtl::New<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(
      TcxFreeNotificationEvent::Bind<&TcxCustomEditProperties::ImagesFreeNotification>(this));
  FAlignment = rtl::New<TcxEditAlignment>(this, DefaultVertAlignment());
  FAlignment->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxCustomEditProperties::AlignmentChanged>(this));
  FAssignedValues = AssignedValuesClass().Create(this);
  FImageChangeLink = rtl::New<vcl::TChangeLink>();
  FImageChangeLink->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomEditProperties::ImageListChanged>(this));
  FButtons = GetButtonsClass().Create(this, TcxCustomEditButtonClass::Of<TcxEditButton>());
  FButtons->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomEditProperties::ButtonsChanged>(this));
  FInnerAlignment = rtl::New<TcxEditAlignment>(this, DefaultVertAlignment());
  FErrorIcon = rtl::New<TdxSmartImage>();
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FScaleFactor->ListenerAdd(TdxScaleFactorNotifyEvent::Bind<&TcxCustomEditProperties::ScaleFactorChanged>(this));

  FAutoSelect = true;
  FButtonsViewStyle = TcxEditButtonsViewStyle::bvsNormal;
  FClickKey = 0x400D;  // Ctrl+Enter
  FUseLeftAlignmentOnEditing = DefaultUseLeftAlignmentOnEditing();
  FUseMouseWheel = true;
  FValidationErrorIconAlignment = rtl::TAlignment::taLeftJustify;
  FValidationOptions = {TcxEditValidationOption::evoRaiseException};
  FInternalValidationOptions = FValidationOptions;
}

void TcxCustomEditProperties::AfterConstruction()
{
  inherited::AfterConstruction();
  rtl::IPtr<IdxScaleFactor> ownerScaleFactor;
  if (rtl::TComponent* owner = cxEditFindOwnerComponent(this))
    if (rtl::Supports(owner, &ownerScaleFactor))
      FScaleFactor->SetOwner(ownerScaleFactor->GetScaleFactor());
}

void TcxCustomEditProperties::Destroy()
{
  if (FScaleFactor)
    FScaleFactor->ListenerRemove(TdxScaleFactorNotifyEvent::Bind<&TcxCustomEditProperties::ScaleFactorChanged>(this));
  rtl::FreeAndNil(FErrorIcon);
  cxEditDisconnectProperties(this);
  ReleaseDefaultValuesProvider();
  rtl::FreeAndNil(FButtons);
  rtl::FreeAndNil(FInnerAlignment);
  rtl::FreeAndNil(FAssignedValues);
  rtl::FreeAndNil(FAlignment);
  rtl::FreeAndNil(FFreeNotificator);
  rtl::FreeAndNil(FImageChangeLink);
  rtl::FreeAndNil(FScaleFactor);
  std::vector<TcxCustomEditProperties*>& list = cxEditPropertiesListInstance();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  inherited::Destroy();
}

void TcxCustomEditProperties::Assign(rtl::TPersistent* ASource)
{
  if (!rtl::Is<TcxCustomEditProperties>(ASource)) {
    inherited::Assign(ASource);
    return;
  }
  BeginUpdate();
  try {
    AssignFrom(static_cast<TcxCustomEditProperties*>(ASource));
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

void TcxCustomEditProperties::BeginUpdate()
{
  if (FUpdateCount == 0)
    FChangedOccurred = false;
  ++FUpdateCount;
}

void TcxCustomEditProperties::EndUpdate(bool AInvokeChanged)
{
  if (FUpdateCount == 0)
    return;
  --FUpdateCount;
  if (FUpdateCount == 0 && AInvokeChanged && FChangedOccurred)
    Changed();
}

void TcxCustomEditProperties::Changed()
{
  if (!ChangedLocked() && !IsOwnerBeingDestroyed())
    DoChanged();
  else
    FChangedOccurred = true;
}

bool TcxCustomEditProperties::ChangedLocked() const
{
  return FChangedLocked || FUpdateCount > 0;
}

void TcxCustomEditProperties::LockUpdate(bool ALock)
{
  FChangedLocked = ALock;
}

void TcxCustomEditProperties::Update(TcxCustomEditProperties* AProperties)
{
  if (AProperties != this && rtl::Is<TcxCustomEditProperties>(AProperties) && AProperties->InheritsFrom(ClassType()))
    DoUpdate(AProperties);
}

void TcxCustomEditProperties::ScaleButtons(int M, int D)
{
  FButtons->ScaleButtonWidths(M, D);
}

void TcxCustomEditProperties::ButtonsChanged(rtl::TObject* /*Sender*/)
{
  Changed();
}

TcxEditButtonsClass TcxCustomEditProperties::GetButtonsClass()
{
  return TcxEditButtonsClass::Of<TcxEditButtons>();
}

void TcxCustomEditProperties::ReleaseDefaultValuesProvider()
{
  FIDefaultValuesProvider = nullptr;
}

void TcxCustomEditProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  SetImages(ASource->GetImages());
  SetAutoSelect(ASource->GetAutoSelect());
  FButtons->Assign(ASource->GetButtons());
  ScaleButtons(dxGetTargetDPI(FScaleFactor), dxGetTargetDPI(ASource->GetScaleFactor()));
  SetButtonsViewStyle(ASource->GetButtonsViewStyle());
  FBeepOnError = ASource->FBeepOnError;
  FClearKey = ASource->FClearKey;
  FClickKey = ASource->FClickKey;
  FUseLeftAlignmentOnEditing = ASource->FUseLeftAlignmentOnEditing;
  SetIDefaultValuesProvider(ASource->GetIDefaultValuesProvider());
  SetAlignment(ASource->GetAlignment());

  FAssignedValues->SetMaxValue(false);
  if (ASource->GetAssignedValues()->GetMaxValue())
    SetMaxValue(ASource->GetMaxValue());
  FAssignedValues->SetMinValue(false);
  if (ASource->GetAssignedValues()->GetMinValue())
    SetMinValue(ASource->GetMinValue());
  FAssignedValues->SetReadOnly(false);
  if (ASource->GetAssignedValues()->GetReadOnly())
    SetReadOnly(ASource->GetReadOnly());

  FImmediatePost = ASource->FImmediatePost;
  SetTransparent(ASource->GetTransparent());
  FUseMouseWheel = ASource->FUseMouseWheel;
  FValidateOnEnter = ASource->FValidateOnEnter;
  SetValidationOptions(ASource->GetValidationOptions());
  SetValidationErrorIconAlignment(ASource->GetValidationErrorIconAlignment());
  FOnButtonClick = ASource->FOnButtonClick;
  FOnChange = ASource->FOnChange;
  FOnEditValueChanged = ASource->FOnEditValueChanged;
  FOnValidate = ASource->FOnValidate;
}

void TcxCustomEditProperties::DoChanged()
{
  if (!FOnPropertiesChanged)
    return;
  ++FIsChangingCount;
  try {
    FOnPropertiesChanged(this);
  } catch (...) {
    --FIsChangingCount;
    throw;
  }
  --FIsChangingCount;
}

TcxCustomEditPropertiesValuesClass TcxCustomEditProperties::AssignedValuesClass()
{
  return TcxCustomEditPropertiesValuesClass::Of<TcxCustomEditPropertiesValues>();
}

rtl::TAlignment TcxCustomEditProperties::DefaultHorzAlignment()
{
  if (FIDefaultValuesProvider)
    return FIDefaultValuesProvider->DefaultAlignment();
  return FAlignment->GetHorz();
}

double TcxCustomEditProperties::GetMaxValue()
{
  if (FAssignedValues->GetMaxValue())
    return FMaxValue;
  return FIDefaultValuesProvider ? FIDefaultValuesProvider->DefaultMaxValue() : 0.0;
}

double TcxCustomEditProperties::GetMinValue()
{
  if (FAssignedValues->GetMinValue())
    return FMinValue;
  return FIDefaultValuesProvider ? FIDefaultValuesProvider->DefaultMinValue() : 0.0;
}

rtl::String TcxCustomEditProperties::ValidationErrorTextFor(int /*AErrorKind*/)
{
  return dxLookupResourceString(cxSEditValidateErrorText);
}

bool TcxCustomEditProperties::UsesProviderDisplayFormat(bool AEditFocused)
{
  const unsigned options = DisplayFormatOptions();
  if (AEditFocused || (options & dfoSupports) == 0 || !FIDefaultValuesProvider)
    return false;
  return FIDefaultValuesProvider->IsDisplayFormatDefined((options & dfoNoCurrencyValue) == 0);
}

TcxCustomEditProperties* TcxCustomEditProperties::Clone(rtl::TPersistent* AOwner)
{
  TcxCustomEditProperties* result = TcxCustomEditPropertiesClass(ClassType()).Create(AOwner);
  try {
    result->Assign(this);
  } catch (...) {
    rtl::Free(result);
    throw;
  }
  return result;
}

bool TcxCustomEditProperties::CompareDisplayValues(const rtl::Variant& AEditValue1, const rtl::Variant& AEditValue2)
{
  rtl::Variant displayValue1;
  rtl::Variant displayValue2;
  PrepareDisplayValue(AEditValue1, displayValue1, false);
  PrepareDisplayValue(AEditValue2, displayValue2, false);
  return cxVarIsEqual(displayValue1, displayValue2);
}

TcxCustomEditProperties* TcxCustomEditProperties::CreatePreviewProperties()
{
  return TcxCustomEditPropertiesClass(ClassType()).Create(nullptr);
}

rtl::String TcxCustomEditProperties::GetDisplayText(const rtl::Variant& /*AEditValue*/, bool /*AFullText*/,
                                                    bool /*AIsInplace*/)
{
  return {};
}

TcxEditSupportedOperations TcxCustomEditProperties::GetSupportedOperations()
{
  return FButtons->GetCount() > 0 ? TcxEditSupportedOperations{TcxEditSupportedOperation::esoHotTrack} : TcxEditSupportedOperations{};
}

bool TcxCustomEditProperties::IsValueFormattedByProvider()
{
  if (IsValueFormattedByProperties() || (DisplayFormatOptions() & dfoSupports) == 0 ||
      GetEditValueSource(true) != TcxDataEditValueSource::evsValue || GetEditValueSource(false) != TcxDataEditValueSource::evsText || !FIDefaultValuesProvider)
    return false;
  return FIDefaultValuesProvider->IsDisplayFormatDefined((DisplayFormatOptions() & dfoNoCurrencyValue) == 0);
}

void TcxCustomEditProperties::PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue,
                                                  bool /*AEditFocused*/)
{
  DisplayValue = AEditValue;
}

void TcxCustomEditProperties::RestoreDefaults()
{
  FInnerAlignment->Reset();
  BeginUpdate();
  try {
    FAssignedValues->RestoreDefaults();
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  EndUpdate(true);
}

bool TcxCustomEditProperties::IsEditingAllowed()
{
  if (FAssignedValues->GetReadOnly() && !FReadOnly)
    return true;
  if (GetReadOnly())
    return false;
  if (FIDefaultValuesProvider)
    return FIDefaultValuesProvider->DefaultCanModify() && FIDefaultValuesProvider->CanSetEditMode();
  return true;
}

bool TcxCustomEditProperties::IsOwnerDesigning()
{
  rtl::TPersistent* owner = GetOwner();
  return rtl::Is<rtl::TComponent>(owner) &&
         static_cast<rtl::TComponent*>(owner)->GetComponentState().Contains(rtl::TComponentStateFlag::csDesigning);
}

TcxEditAlignment* TcxCustomEditProperties::GetAlignment()
{
  FAlignment->SetOnChanged(nullptr);
  FAlignment->Assign(FInnerAlignment);
  // A horizontal value nobody assigned shows the default, except to the
  // writer of a stream that stores the alignment.
  if (!FInnerAlignment->IsHorzAssigned() && !IsAlignmentBeingWritten())
    FAlignment->ShowDefaultHorz(DefaultHorzAlignment());
  FAlignment->SetOnChanged(rtl::TNotifyEvent::Bind<&TcxCustomEditProperties::AlignmentChanged>(this));
  return FAlignment;
}

void TcxCustomEditProperties::SetAlignment(TcxEditAlignment* AValue)
{
  FInnerAlignment->Assign(AValue);
  Changed();
}

void TcxCustomEditProperties::SetAssignedValues(TcxCustomEditPropertiesValues* AValue)
{
  FAssignedValues->Assign(AValue);
}

void TcxCustomEditProperties::SetAutoSelect(bool AValue)
{
  if (FAutoSelect == AValue)
    return;
  FAutoSelect = AValue;
  Changed();
}

void TcxCustomEditProperties::SetButtonsViewStyle(TcxEditButtonsViewStyle AValue)
{
  if (FButtonsViewStyle == AValue)
    return;
  FButtonsViewStyle = AValue;
  Changed();
}

void TcxCustomEditProperties::SetButtons(TcxCustomEditButtons* AValue)
{
  FButtons->Assign(AValue);
}

void TcxCustomEditProperties::SetErrorIcon(TdxSmartImage* AValue)
{
  FErrorIcon->Assign(AValue);
}

void TcxCustomEditProperties::SetIDefaultValuesProvider(IcxEditDefaultValuesProvider* AValue)
{
  FIDefaultValuesProvider = AValue;
  if (cxEditIsEditor(GetOwner()))
    Changed();
}

void TcxCustomEditProperties::SetImages(vcl::TCustomImageList* AValue)
{
  if (FImages == AValue)
    return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink);
    FFreeNotificator->RemoveSender(FImages);
  }
  FImages = AValue;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink);
    FFreeNotificator->AddSender(FImages);
  }
  Changed();
}

void TcxCustomEditProperties::SetMaxValue(double AValue)
{
  if (FAssignedValues->GetMaxValue() && FMaxValue == AValue)
    return;
  FMaxValue = AValue;
  AssignValue([this] { FAssignedValues->SetMaxValue(true); });
}

void TcxCustomEditProperties::SetMinValue(double AValue)
{
  if (FAssignedValues->GetMinValue() && FMinValue == AValue)
    return;
  FMinValue = AValue;
  AssignValue([this] { FAssignedValues->SetMinValue(true); });
}

void TcxCustomEditProperties::SetMinMaxValues(double AMinValue, double AMaxValue)
{
  if (FAssignedValues->GetMinValue() && FAssignedValues->GetMaxValue() && FMinValue == AMinValue &&
      FMaxValue == AMaxValue)
    return;
  FMinValue = AMinValue;
  FMaxValue = AMaxValue;
  AssignValue([this] {
    FAssignedValues->SetMinValue(true);
    FAssignedValues->SetMaxValue(true);
  });
}

bool TcxCustomEditProperties::GetReadOnly()
{
  if (FAssignedValues->GetReadOnly())
    return FReadOnly;
  return FIDefaultValuesProvider ? FIDefaultValuesProvider->DefaultReadOnly() : false;
}

void TcxCustomEditProperties::SetReadOnly(bool AValue)
{
  if (FAssignedValues->GetReadOnly() && FReadOnly == AValue)
    return;
  FReadOnly = AValue;
  AssignValue([this] { FAssignedValues->SetReadOnly(true); });
}

void TcxCustomEditProperties::SetTransparent(bool AValue)
{
  if (FTransparent == AValue)
    return;
  FTransparent = AValue;
  Changed();
}

void TcxCustomEditProperties::SetUseLeftAlignmentOnEditing(bool AValue)
{
  if (FUseLeftAlignmentOnEditing == AValue)
    return;
  FUseLeftAlignmentOnEditing = AValue;
  Changed();
}

void TcxCustomEditProperties::SetValidationErrorIconAlignment(TLeftRight AValue)
{
  if (FValidationErrorIconAlignment == AValue)
    return;
  FValidationErrorIconAlignment = AValue;
  Changed();
}

void TcxCustomEditProperties::SetValidationOptions(TcxEditValidationOptions AValue)
{
  if (FValidationOptions == AValue)
    return;
  FValidationOptions = AValue;
  FInternalValidationOptions = AValue;
  Changed();
}

void TcxCustomEditProperties::AssignValue(const std::function<void()>& ASetFlags)
{
  // The flags' own notices and the new value make one change.
  BeginUpdate();
  try {
    ASetFlags();
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  FChangedOccurred = true;
  EndUpdate(true);
}

void TcxCustomEditProperties::AlignmentChanged(rtl::TObject* /*Sender*/)
{
  SetAlignment(FAlignment);
}

void TcxCustomEditProperties::ImagesFreeNotification(rtl::TComponent* AComponent)
{
  if (AComponent == FImages)
    SetImages(nullptr);
}

void TcxCustomEditProperties::ImageListChanged(rtl::TObject* Sender)
{
  if (Sender == FImages)
    Changed();
}

void TcxCustomEditProperties::ScaleFactorChanged(rtl::TObject* /*Sender*/, int M, int D, bool AIsLoading)
{
  if (!AIsLoading)
    ScaleButtons(M, D);
}

bool TcxCustomEditProperties::IsOwnerBeingDestroyed()
{
  rtl::TPersistent* owner = GetOwner();
  return rtl::Is<rtl::TComponent>(owner) &&
         static_cast<rtl::TComponent*>(owner)->GetComponentState().Contains(rtl::TComponentStateFlag::csDestroying);
}

bool TcxCustomEditProperties::IsAlignmentBeingWritten()
{
  if (!FInnerAlignment->IsHorzStored())
    return false;
  rtl::TComponent* owner = cxEditFindOwnerComponent(this);
  return owner && owner->GetComponentState().Contains(rtl::TComponentStateFlag::csWriting);
}

// ---------------------------------------------------------------------------
// TcxCustomEditProperties: the editor's classes, size queries, validation

TcxCustomEditClass TcxCustomEditProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxCustomEdit>();
}

TcxCustomEditStyleClass TcxCustomEditProperties::GetStyleClass()
{
  return TcxCustomEditStyleClass::Of<TcxEditStyle>();
}

TcxCustomEditViewInfoClass TcxCustomEditProperties::GetViewInfoClass()
{
  return TcxCustomEditViewInfoClass::Of<TcxCustomEditViewInfo>();
}

TcxCustomEditViewDataClass TcxCustomEditProperties::ViewDataClass()
{
  return TcxCustomEditViewDataClass::Of<TcxCustomEditViewData>();
}

TcxCustomEditViewData* TcxCustomEditProperties::CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace,
                                                               bool APreviewMode)
{
  TcxCustomEditViewData* AViewData = ViewDataClass().Create(this, AIsInplace, AStyle);
  AViewData->PreviewMode = APreviewMode;
  return AViewData;
}

TSize TcxCustomEditProperties::GetEditConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle,
                                                       bool AIsInplace,
                                                       const TcxEditSizeProperties& AEditSizeProperties,
                                                       TSize& MinContentSize)
{
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData(AEditStyle, AIsInplace, false)};
  return AViewData->GetEditConstantPartSize(ACanvas, AEditSizeProperties, MinContentSize, nullptr);
}

TSize TcxCustomEditProperties::GetEditContentSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle, bool AIsInplace,
                                                  const rtl::Variant& AEditValue,
                                                  const TcxEditSizeProperties& AEditSizeProperties)
{
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData(AEditStyle, AIsInplace, false)};
  return AViewData->GetEditContentSize(ACanvas, AEditValue, AEditSizeProperties, nullptr);
}

TSize TcxCustomEditProperties::GetEditSize(TcxCanvas* ACanvas, TcxCustomEditStyle* AEditStyle, bool AIsInplace,
                                           const rtl::Variant& AEditValue,
                                           const TcxEditSizeProperties& AEditSizeProperties)
{
  rtl::TOwnedPtr<TcxCustomEditViewData> AViewData{CreateViewData(AEditStyle, AIsInplace, false)};
  return AViewData->GetEditSize(ACanvas, AEditValue, AEditSizeProperties, nullptr);
}

bool TcxCustomEditProperties::ValidateDisplayValue(rtl::Variant& ADisplayValue, rtl::String& AErrorText, bool& AError,
                                                   TcxCustomEdit* AEdit)
{
  if (!HasDisplayValueValidation())
    return false;
  if (AErrorText.empty())
    AErrorText = ValidationErrorTextFor(0);
  TcxCustomEditProperties* AOwnProperties = AEdit->GetInternalProperties();
  TcxEditRepositoryItem* AItem = AEdit->GetRepositoryItem();
  TcxCustomEditProperties* AItemProperties = AItem ? AItem->GetProperties() : nullptr;
  const bool AOwnHandler = static_cast<bool>(AOwnProperties->GetOnValidate());
  const bool AItemHandler = AItemProperties && static_cast<bool>(AItemProperties->GetOnValidate());
  if (!AOwnHandler && !AItemHandler)
    return true;
  const rtl::Variant ARemembered = ADisplayValue;
  if (AOwnHandler)
    AOwnProperties->GetOnValidate()(AEdit, ADisplayValue, AErrorText, AError);
  if (AItemHandler)
    AItemProperties->GetOnValidate()(AEdit, ADisplayValue, AErrorText, AError);
  // A handler that rejected the value without replacing it gets what the
  // inner control shows now.
  if (AError && cxVarSameTypeAndValue(ADisplayValue, ARemembered))
    if (IcxCustomInnerEdit* AInnerEdit = AEdit->GetInnerEdit())
      ADisplayValue = AInnerEdit->GetEditValue();
  return true;
}
