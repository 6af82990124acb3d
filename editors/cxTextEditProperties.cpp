// The text editors' properties, their record of assigned values and the
// unit's text routines.
#include <cwctype>

#include "core/dxCore.h"
#include "core/dxUxTheme.h"
#include "editors/cxEditConsts.h"
#include "editors/cxTextEdit.h"
#include "editors/cxVariants.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/TypInfo.h"

namespace {

// The object as a T, nil when it is not one.
template <class T>
T* AsOrNil(rtl::TObject* AObject)
{
  return rtl::Is<T>(AObject) ? static_cast<T*>(AObject) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// Unit routines

rtl::String cxTextEditApplyCharCase(const rtl::String& AText, vcl::TEditCharCase ACharCase)
{
  switch (ACharCase) {
    case vcl::TEditCharCase::ecUpperCase:
      return rtl::AnsiUpperCase(AText);
    case vcl::TEditCharCase::ecLowerCase:
      return rtl::AnsiLowerCase(AText);
    default:
      return AText;
  }
}

wchar_t cxTextEditGetPasswordChar(bool ANativeStyle, wchar_t AChar)
{
  if (AChar != 0)
    return AChar;
  return ANativeStyle && dxUxIsThemeActive() ? L'\x25CF' : L'*';
}

rtl::String cxInsertThousandSeparators(const rtl::String& S)
{
  const wchar_t separator = rtl::FormatSettings().ThousandSeparator;
  const wchar_t decimal = rtl::FormatSettings().DecimalSeparator;
  const std::size_t first = S.find_first_not_of(L' ');
  if (first == rtl::String::npos)
    return S;
  const std::size_t last = S.find_last_not_of(L' ');
  const rtl::String leading = S.substr(0, first);
  const rtl::String trailing = S.substr(last + 1);
  rtl::String body = S.substr(first, last - first + 1);
  rtl::String exponent;
  if (const std::size_t e = body.find_first_of(L"eE"); e != rtl::String::npos) {
    exponent = body.substr(e);
    body.erase(e);
  }
  if (separator != 0)
    std::erase(body, separator);
  std::size_t position = body.find(decimal);
  if (position == rtl::String::npos)
    position = body.size();
  if (separator != 0) {
    int digits = 0;
    while (position > 0 && std::iswdigit(body[position - 1])) {
      --position;
      if (++digits % 3 == 0 && position > 0 && std::iswdigit(body[position - 1]))
        body.insert(position, 1, separator);
    }
  }
  return leading + body + exponent + trailing;
}

bool cxIsNumericText(const rtl::String& S)
{
  rtl::String text = S;
  if (const wchar_t separator = rtl::FormatSettings().ThousandSeparator)
    std::erase(text, separator);
  rtl::Extended value;
  return !text.empty() && rtl::TryStrToFloat(text, value);
}

// ---------------------------------------------------------------------------
// TcxTextEditPropertiesValues

void TcxTextEditPropertiesValues::Assign(rtl::TPersistent* ASource)
{
  auto* source = AsOrNil<TcxTextEditPropertiesValues>(ASource);
  if (!source) {
    inherited::Assign(ASource);
    return;
  }
  TcxCustomEditProperties* properties = Properties();
  if (properties)
    properties->BeginUpdate();
  try {
    inherited::Assign(ASource);
    SetDisplayFormat(source->FDisplayFormat);
    SetEditFormat(source->FEditFormat);
    SetMaxLength(source->FMaxLength);
  } catch (...) {
    if (properties)
      properties->EndUpdate();
    throw;
  }
  if (properties)
    properties->EndUpdate();
}

void TcxTextEditPropertiesValues::RestoreDefaults()
{
  FDisplayFormat = false;
  FEditFormat = false;
  FMaxLength = false;
  inherited::RestoreDefaults();
}

void TcxTextEditPropertiesValues::SetDisplayFormat(bool AValue)
{
  SetFlag(FDisplayFormat, AValue);
}

void TcxTextEditPropertiesValues::SetEditFormat(bool AValue)
{
  SetFlag(FEditFormat, AValue);
}

void TcxTextEditPropertiesValues::SetMaxLength(bool AValue)
{
  if (FMaxLength == AValue)
    return;
  FMaxLength = AValue;
  if (TcxCustomTextEditProperties* properties = TextProperties())
    properties->MaxLengthChanged();
}

TcxCustomTextEditProperties* TcxTextEditPropertiesValues::TextProperties() const
{
  return AsOrNil<TcxCustomTextEditProperties>(Properties());
}

bool TcxTextEditPropertiesValues::IsFormatStored(bool AFlag, const wchar_t* APropertyName) const
{
  TcxCustomTextEditProperties* properties = TextProperties();
  if (!AFlag || !properties || !rtl::IsPublishedProp(properties, APropertyName))
    return false;
  const bool display = rtl::String(APropertyName) == L"DisplayFormat";
  return (display ? properties->GetDisplayFormat() : properties->GetEditFormat()).empty();
}

// ---------------------------------------------------------------------------
// TcxCustomTextEditProperties

void TcxCustomTextEditProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FFixedListSelection = true;
  FHideSelection = true;
  FImeMode = TImeMode::imDontCare;
  FIncrementalFilteringOptions = GetDefaultIncrementalFilteringOptions();
  FIncrementalSearch = true;
  FLookupItems = rtl::New<rtl::TStringList>();
  FLookupItems->SetDuplicates(rtl::dupAccept);
  FLookupItems->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomTextEditProperties::LookupItemsChanged>(this));
  if (TcxFormatController* controller = cxGetFormatController())
    controller->AddListener(this);
}

void TcxCustomTextEditProperties::Destroy()
{
  if (TcxFormatController* controller = cxGetFormatController())
    controller->RemoveListener(this);
  rtl::FreeAndNil(FLookupItems);
  inherited::Destroy();
}

void __stdcall TcxCustomTextEditProperties::FormatChanged()
{
  FFormatChanging = true;
  try {
    Changed();
  } catch (...) {
    FFormatChanging = false;
    throw;
  }
  FFormatChanging = false;
}

void TcxCustomTextEditProperties::CheckEditValueBounds(const rtl::Variant& V, rtl::String& AErrorText, bool& AError)
{
  if (!cxVarIsNumeric(V) && !cxVarIsDateTime(V))
    return;
  const double x = V.AsDouble();
  if ((IsValueBoundDefined(false) && x < GetMinValue()) || (IsValueBoundDefined(true) && x > GetMaxValue())) {
    AError = true;
    AErrorText = ValidationErrorTextFor(1);
  }
}

TcxTextEditIncrementalFilteringOptions TcxCustomTextEditProperties::GetDefaultIncrementalFilteringOptions()
{
  return {TcxTextEditIncrementalFilteringOption::ifoHighlightSearchText,
          TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator};
}

int TcxCustomTextEditProperties::GetDefaultMaxLength()
{
  IcxEditDefaultValuesProvider* provider = GetIDefaultValuesProvider();
  return provider ? provider->DefaultMaxLength() : 0;
}

TcxEditEditingStyle TcxCustomTextEditProperties::GetEditingStyle()
{
  return FHideCursor ? TcxEditEditingStyle::esNoEdit : TcxEditEditingStyle::esEdit;
}

bool TcxCustomTextEditProperties::IsInLookupItems(const rtl::String& AText)
{
  for (int i = 0; i < FLookupItems->GetCount(); ++i)
    if (rtl::AnsiSameText(FLookupItems->GetStrings(i), AText))
      return true;
  return false;
}

void TcxCustomTextEditProperties::GetEditFormatInfo(bool& AIsCurrency, bool& AIsOnGetTextAssigned,
                                                    rtl::String& AEditFormat)
{
  AIsCurrency = false;
  AIsOnGetTextAssigned = false;
  AEditFormat.clear();
  if (GetTextAssignedValues()->GetEditFormat()) {
    AEditFormat = FEditFormat;
    return;
  }
  IcxEditDefaultValuesProvider* provider = GetIDefaultValuesProvider();
  if (provider)
    AIsOnGetTextAssigned = provider->IsOnGetTextAssigned();
  if (provider && !provider->DefaultEditFormat().empty())
    AEditFormat = provider->DefaultEditFormat();
  else if (GetTextAssignedValues()->GetDisplayFormat())
    AEditFormat = FDisplayFormat;
  else if (provider && !provider->DefaultDisplayFormat().empty())
    AEditFormat = provider->DefaultDisplayFormat();
  else if (!GetDefaultDisplayFormat().empty())
    AEditFormat = GetDefaultDisplayFormat();
  else if (provider)
    AIsCurrency = (DisplayFormatOptions() & dfoNoCurrencyValue) == 0 && provider->IsCurrency();
  if (!FUseDisplayFormatWhenEditing)
    AEditFormat.clear();
}

bool TcxCustomTextEditProperties::IsNullEditValue(const rtl::Variant& V)
{
  return rtl::VarIsNull(V);
}

bool TcxCustomTextEditProperties::IsValueBoundDefined(bool AMax)
{
  const bool minAssigned = GetAssignedValues()->GetMinValue();
  const bool maxAssigned = GetAssignedValues()->GetMaxValue();
  if (minAssigned == maxAssigned)
    return GetMaxValue() > GetMinValue();
  return AMax ? maxAssigned : minAssigned;
}

void TcxCustomTextEditProperties::DisplayValueToDisplayText(rtl::String& AText)
{
  if (FEchoMode == TcxEditEchoMode::eemNormal)
    AText = cxTextEditApplyCharCase(AText, FCharCase);
}

bool TcxCustomTextEditProperties::IsDisplayValueValid(rtl::Variant& ADisplayValue, bool /*AEditFocused*/)
{
  rtl::String text = rtl::VarToStr(ADisplayValue);
  bool valid = true;
  const TcxEditEditingStyle style = GetEditingStyle();
  if (!text.empty() && (style == TcxEditEditingStyle::esEditList || style == TcxEditEditingStyle::esFixedList) &&
      HasLookupData())
    valid = IsInLookupItems(text);
  if (valid)
    ADisplayValue = cxTextEditApplyCharCase(text, FCharCase);
  return valid;
}

void TcxCustomTextEditProperties::DoPrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& ADisplayValue,
                                                        bool /*AEditFocused*/)
{
  // Numeric descendants format here; text shows the value's string form.
  if (rtl::VarIsArray(AEditValue) && rtl::VarArrayDimCount(AEditValue) != 1)
    ADisplayValue = rtl::String();
  else
    ADisplayValue = rtl::VarToStr(AEditValue);
}

bool TcxCustomTextEditProperties::UseIncrementalFiltering()
{
  const TcxEditEditingStyle style = GetEditingStyle();
  return FIncrementalFiltering &&
         (style == TcxEditEditingStyle::esEditList || style == TcxEditEditingStyle::esFixedList) &&
         !IsFilteringExternal();
}

void TcxCustomTextEditProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  auto* source = AsOrNil<TcxCustomTextEditProperties>(ASource);
  if (!source)
    return;
  SetCharCase(source->FCharCase);
  SetEchoMode(source->FEchoMode);
  SetFixedListSelection(source->FFixedListSelection);
  SetHideCursor(source->FHideCursor);
  SetHideSelection(source->FHideSelection);
  FImmediateUpdateText = source->FImmediateUpdateText;
  SetIncrementalSearch(source->FIncrementalSearch);
  FIncrementalFiltering = source->FIncrementalFiltering;
  FIncrementalFilteringOptions = source->FIncrementalFilteringOptions;
  SetMRUMode(source->FMRUMode);
  SetUseNullString(source->FUseNullString);
  SetNullstring(source->FNullstring);
  FValidChars = source->FValidChars;
  SetLookupItemsSorted(false);
  SetLookupItems(source->FLookupItems);
  SetLookupItemsSorted(source->GetLookupItemsSorted());

  TcxTextEditPropertiesValues* values = GetTextAssignedValues();
  TcxTextEditPropertiesValues* sourceValues = source->GetTextAssignedValues();
  values->SetDisplayFormat(false);
  if (sourceValues->GetDisplayFormat())
    SetDisplayFormat(source->GetDisplayFormat());
  values->SetEditFormat(false);
  if (sourceValues->GetEditFormat())
    SetEditFormat(source->GetEditFormat());
  values->SetMaxLength(false);
  if (sourceValues->GetMaxLength())
    SetMaxLength(source->GetMaxLength());

  SetOEMConvert(source->FOEMConvert);
  SetImeMode(source->FImeMode);
  SetImeName(source->FImeName);
  SetPasswordChar(source->FPasswordChar);
  SetUseDisplayFormatWhenEditing(source->FUseDisplayFormatWhenEditing);
  FOnNewLookupDisplayText = source->FOnNewLookupDisplayText;
}

TcxCustomEditPropertiesValuesClass TcxCustomTextEditProperties::AssignedValuesClass()
{
  return TcxCustomEditPropertiesValuesClass::Of<TcxTextEditPropertiesValues>();
}

rtl::String TcxCustomTextEditProperties::ValidationErrorTextFor(int AErrorKind)
{
  if (AErrorKind == 1)
    return dxLookupResourceString(cxSEditValueOutOfBounds);
  return inherited::ValidationErrorTextFor(AErrorKind);
}

bool TcxCustomTextEditProperties::CompareDisplayValues(const rtl::Variant& AEditValue1,
                                                       const rtl::Variant& AEditValue2)
{
  return GetDisplayText(AEditValue1, true, true) == GetDisplayText(AEditValue2, true, true);
}

rtl::String TcxCustomTextEditProperties::GetDisplayText(const rtl::Variant& AEditValue, bool /*AFullText*/,
                                                        bool AIsInplace)
{
  rtl::String text;
  if (IsValueFormattedByProvider())
    text = rtl::VarToStr(AEditValue);
  else
    text = FormatEditValue(AEditValue, !AIsInplace && !DependsOnFocus());
  DisplayValueToDisplayText(text);
  return text;
}

rtl::String TcxCustomTextEditProperties::FormatEditValue(const rtl::Variant& AEditValue, bool AEditFocused)
{
  rtl::Variant value = AEditValue;
  if (IsEditValueValid(value, AEditFocused)) {
    rtl::Variant displayValue;
    PrepareDisplayValue(AEditValue, displayValue, AEditFocused);
    return rtl::VarToStr(displayValue);
  }
  return rtl::VarToStr(AEditValue);
}

TcxEditSupportedOperations TcxCustomTextEditProperties::GetSupportedOperations()
{
  using O = TcxEditSupportedOperation;
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  result += TcxEditSupportedOperations{O::esoAutoHeight, O::esoEditing,     O::esoFiltering,
                                       O::esoHorzAlignment, O::esoIncSearch, O::esoSorting};
  if (GetButtons()->GetCount() == 0 && FEchoMode == TcxEditEchoMode::eemNormal)
    result.Include(O::esoEditingAutoHeight);
  return result;
}

bool TcxCustomTextEditProperties::IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused)
{
  if (rtl::VarIsNull(EditValue) || !rtl::VarIsStr(EditValue))
    return true;
  return IsDisplayValueValid(EditValue, AEditFocused);
}

void TcxCustomTextEditProperties::PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue,
                                                      bool AEditFocused)
{
  if (IsNullEditValue(AEditValue) && FUseNullString && !AEditFocused && !IsOwnerDesigning())
    DisplayValue = FNullstring;
  else
    DoPrepareDisplayValue(AEditValue, DisplayValue, AEditFocused);
}

TcxDataEditValueSource TcxCustomTextEditProperties::GetEditValueSource(bool AEditFocused)
{
  if (AEditFocused || !FUseNullString)
    return TcxDataEditValueSource::evsText;
  return inherited::GetEditValueSource(AEditFocused);
}

void TcxCustomTextEditProperties::PrepareDrawText(bool ANativeStyle, rtl::String& AText)
{
  if (FEchoMode == TcxEditEchoMode::eemPassword)
    AText.assign(AText.size(), cxTextEditGetPasswordChar(ANativeStyle, FPasswordChar));
  DisplayValueToDisplayText(AText);
}

template <typename T>
void TcxCustomTextEditProperties::SetAndAnnounce(T& AField, const T& AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  Changed();
}

void TcxCustomTextEditProperties::SetCharCase(vcl::TEditCharCase AValue)
{
  SetAndAnnounce(FCharCase, AValue);
}

rtl::String TcxCustomTextEditProperties::GetDisplayFormat()
{
  if (GetTextAssignedValues()->GetDisplayFormat())
    return FDisplayFormat;
  if (IcxEditDefaultValuesProvider* provider = GetIDefaultValuesProvider())
    if (rtl::String format = provider->DefaultDisplayFormat(); !format.empty())
      return format;
  return GetDefaultDisplayFormat();
}

void TcxCustomTextEditProperties::SetDisplayFormat(const rtl::String& AValue)
{
  TcxTextEditPropertiesValues* values = GetTextAssignedValues();
  if (values->GetDisplayFormat() && FDisplayFormat == AValue)
    return;
  BeginUpdate();
  try {
    values->SetDisplayFormat(true);
    FDisplayFormat = AValue;
    DisplayFormatChanged();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

rtl::String TcxCustomTextEditProperties::GetEditFormat()
{
  bool isCurrency = false;
  bool isOnGetTextAssigned = false;
  rtl::String format;
  GetEditFormatInfo(isCurrency, isOnGetTextAssigned, format);
  return format;
}

void TcxCustomTextEditProperties::SetEditFormat(const rtl::String& AValue)
{
  TcxTextEditPropertiesValues* values = GetTextAssignedValues();
  if (values->GetEditFormat() && FEditFormat == AValue)
    return;
  BeginUpdate();
  try {
    values->SetEditFormat(true);
    FEditFormat = AValue;
    Changed();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::SetEchoMode(TcxEditEchoMode AValue)
{
  SetAndAnnounce(FEchoMode, AValue);
}

void TcxCustomTextEditProperties::SetFixedListSelection(bool AValue)
{
  if (FFixedListSelection == AValue)
    return;
  FFixedListSelection = AValue;
  if (GetEditingStyle() == TcxEditEditingStyle::esFixedList)
    Changed();
}

void TcxCustomTextEditProperties::SetHideCursor(bool AValue)
{
  SetAndAnnounce(FHideCursor, AValue);
}

void TcxCustomTextEditProperties::SetHideSelection(bool AValue)
{
  SetAndAnnounce(FHideSelection, AValue);
}

void TcxCustomTextEditProperties::SetImeMode(TImeMode AValue)
{
  SetAndAnnounce(FImeMode, AValue);
}

void TcxCustomTextEditProperties::SetImeName(const TImeName& AValue)
{
  SetAndAnnounce(FImeName, AValue);
}

void TcxCustomTextEditProperties::SetIncrementalSearch(bool AValue)
{
  SetAndAnnounce(FIncrementalSearch, AValue);
}

int TcxCustomTextEditProperties::GetMaxLength()
{
  return GetTextAssignedValues()->GetMaxLength() ? FMaxLength : GetDefaultMaxLength();
}

void TcxCustomTextEditProperties::SetMaxLength(int AValue)
{
  AValue = std::max(AValue, 0);
  TcxTextEditPropertiesValues* values = GetTextAssignedValues();
  if (values->GetMaxLength() && FMaxLength == AValue)
    return;
  FMaxLength = AValue;
  if (values->GetMaxLength())
    MaxLengthChanged();
  else
    values->SetMaxLength(true);
}

void TcxCustomTextEditProperties::SetMRUMode(bool AValue)
{
  SetAndAnnounce(FMRUMode, AValue);
}

void TcxCustomTextEditProperties::SetNullstring(const rtl::String& AValue)
{
  SetAndAnnounce(FNullstring, AValue);
}

void TcxCustomTextEditProperties::SetOEMConvert(bool AValue)
{
  SetAndAnnounce(FOEMConvert, AValue);
}

void TcxCustomTextEditProperties::SetPasswordChar(wchar_t AValue)
{
  SetAndAnnounce(FPasswordChar, AValue);
}

void TcxCustomTextEditProperties::SetUseDisplayFormatWhenEditing(bool AValue)
{
  SetAndAnnounce(FUseDisplayFormatWhenEditing, AValue);
}

void TcxCustomTextEditProperties::SetUseNullString(bool AValue)
{
  SetAndAnnounce(FUseNullString, AValue);
}

TcxTextEditViewStyle TcxCustomTextEditProperties::GetViewStyle()
{
  switch (GetButtonsViewStyle()) {
    case TcxEditButtonsViewStyle::bvsButtonsOnly:
      return TcxTextEditViewStyle::vsButtonsOnly;
    case TcxEditButtonsViewStyle::bvsButtonsAutoWidth:
      return TcxTextEditViewStyle::vsButtonsAutoWidth;
    default:
      return FHideCursor ? TcxTextEditViewStyle::vsHideCursor : TcxTextEditViewStyle::vsNormal;
  }
}

// Both button-only styles also hide the cursor: such an editor takes no
// typing.
void TcxCustomTextEditProperties::SetViewStyle(TcxTextEditViewStyle AValue)
{
  if (GetViewStyle() == AValue)
    return;
  BeginUpdate();
  try {
    switch (AValue) {
      case TcxTextEditViewStyle::vsButtonsOnly:
        SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsButtonsOnly);
        break;
      case TcxTextEditViewStyle::vsButtonsAutoWidth:
        SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsButtonsAutoWidth);
        break;
      default:
        SetButtonsViewStyle(TcxEditButtonsViewStyle::bvsNormal);
        break;
    }
    SetHideCursor(AValue != TcxTextEditViewStyle::vsNormal);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::AlignmentChanged(rtl::TObject* Sender)
{
  BeginUpdate();
  try {
    inherited::AlignmentChanged(Sender);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomTextEditProperties::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  AFiler->DefineProperty(L"IsDisplayFormatAssigned",
                         rtl::TReaderProc::Bind<&TcxCustomTextEditProperties::ReadIsDisplayFormatAssigned>(this),
                         rtl::TWriterProc(), false);
}

void TcxCustomTextEditProperties::ReadIsDisplayFormatAssigned(rtl::TReader* AReader)
{
  GetTextAssignedValues()->SetDisplayFormat(AReader->ReadBoolean());
}

void TcxCustomTextEditProperties::LookupItemsChanged(rtl::TObject* /*Sender*/)
{
  Changed();
}
