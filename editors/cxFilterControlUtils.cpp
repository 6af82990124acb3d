#include "editors/cxFilterControlUtils.h"

#include <algorithm>

#include "editors/cxDropDownEdit.h"
#include "editors/cxMaskEdit.h"
#include "editors/cxTextEdit.h"

namespace {

using TcxOp = TcxFilterControlOperator;

constinit TcxFilterEditsController* cxFilterControlUtilsController = nullptr;

// The operators that only make sense on text.
TcxFilterControlOperators cxFilterControlUtilsTextOperators()
{
  return {TcxOp::fcoLike,     TcxOp::fcoNotLike,    TcxOp::fcoContains,
          TcxOp::fcoNotContains, TcxOp::fcoBeginsWith, TcxOp::fcoEndsWith};
}

}  // namespace

TcxFilterControlOperators cxFilterOperatorRange(TcxFilterControlOperator AFirst, TcxFilterControlOperator ALast)
{
  TcxFilterControlOperators result;
  for (int op = static_cast<int>(AFirst); op <= static_cast<int>(ALast); ++op)
    result.Include(static_cast<TcxFilterControlOperator>(op));
  return result;
}

// ---------------------------------------------------------------------------
// TcxCustomFilterEditHelper

TcxCustomFilterEditHelperClass TcxCustomFilterEditHelper::Class() noexcept
{
  static constexpr TcxCustomFilterEditHelper instance{};
  return &instance;
}

void TcxCustomFilterEditHelper::ClearPropertiesEvents(TcxCustomEditProperties* AProperties) const
{
  if (!AProperties)
    return;
  AProperties->SetOnButtonClick({});
  AProperties->SetOnChange({});
  AProperties->SetOnEditValueChanged({});
  AProperties->SetOnValidate({});
}

void TcxCustomFilterEditHelper::InitializeFilterEdit(TcxCustomEdit* AEdit,
                                                     TcxCustomEditProperties* AEditProperties) const
{
  InitializeProperties(AEdit->GetActiveProperties(), AEditProperties, EditPropertiesHasButtons());
}

TcxFilterDataType TcxCustomFilterEditHelper::GetFilterDataType(TcxValueTypeClass AValueTypeClass) const
{
  if (!AValueTypeClass)
    return TcxFilterDataType::fdtText;
  if (cxIsDateTimeValueTypeClass(AValueTypeClass))
    return TcxFilterDataType::fdtDate;
  return AValueTypeClass->IsString() ? TcxFilterDataType::fdtText : TcxFilterDataType::fdtNumeric;
}

void TcxCustomFilterEditHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                               rtl::Variant& V, rtl::String& S) const
{
  V = AEdit->GetEditValue();
  S = AEditProperties->GetDisplayText(V, false, true);
  if (S.empty())
    S = rtl::VarToStr(V);
}

TcxFilterControlOperators TcxCustomFilterEditHelper::GetSupportedFilterOperators(
    TcxCustomEditProperties* /*AProperties*/, TcxValueTypeClass AValueTypeClass, bool AExtendedSet) const
{
  TcxFilterControlOperators result =
      cxFilterOperatorRange(TcxOp::fcoEqual, AExtendedSet ? TcxOp::fcoNotInList : TcxOp::fcoNonBlanks);
  if (!AValueTypeClass || !AValueTypeClass->IsString())
    result -= cxFilterControlUtilsTextOperators();
  return result;
}

void TcxCustomFilterEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                     TcxCustomEditProperties* AEditProperties,
                                                     bool AHasButtons) const
{
  AProperties->Assign(AEditProperties);
  AProperties->GetAlignment()->SetHorz(rtl::TAlignment::taLeftJustify);
  AProperties->GetAlignment()->SetVert(TcxEditVertAlignment::taVCenter);
  AProperties->SetBeepOnError(false);
  if (!AHasButtons)
    AProperties->GetButtons()->Clear();
  AProperties->SetReadOnly(false);
  AProperties->SetValidateOnEnter(true);
  if (!KeepsDefaultValuesProvider(AEditProperties))
    AProperties->SetIDefaultValuesProvider(nullptr);
  ClearPropertiesEvents(AProperties);
}

bool TcxCustomFilterEditHelper::IsValueValid(TcxValueTypeClass AValueTypeClass, rtl::Variant& AValue) const
{
  // Without a value type there is nothing to hold the operand to.
  return !AValueTypeClass || AValueTypeClass->IsValueValid(AValue);
}

TcxCustomEdit* TcxCustomFilterEditHelper::GetFilterEdit(TcxCustomEditProperties* AEditProperties,
                                                        TcxInplaceEditList* AInplaceEditList) const
{
  const TcxCustomEditClass editClass = GetFilterEditClass();
  TcxCustomEdit* edit = nullptr;
  if (!AInplaceEditList) {
    edit = editClass.Create(nullptr);
  } else {
    // The list keeps its editors by properties class, which only an
    // instance of the editor class can tell.
    const rtl::TOwnedPtr<TcxCustomEdit> probe(editClass.Create(nullptr));
    edit = AInplaceEditList->GetEdit(probe->GetPropertiesClass());
  }
  InitializeFilterEdit(edit, AEditProperties);
  return edit;
}

// ---------------------------------------------------------------------------
// TcxFilterTextEditHelper

TcxCustomFilterEditHelperClass TcxFilterTextEditHelper::Class() noexcept
{
  static constexpr TcxFilterTextEditHelper instance{};
  return &instance;
}

TcxCustomEditClass TcxFilterTextEditHelper::GetFilterEditClass() const
{
  return TcxCustomEditClass::Of<TcxTextEdit>();
}

void TcxFilterTextEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const
{
  TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  AProperties->SetAutoSelect(true);
  if (auto* properties = rtl::Is<TcxCustomTextEditProperties>(AProperties)
                             ? static_cast<TcxCustomTextEditProperties*>(AProperties)
                             : nullptr) {
    properties->SetHideSelection(true);
    properties->SetViewStyle(TcxTextEditViewStyle::vsNormal);
  }
}

void TcxFilterTextEditHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* /*AEditProperties*/,
                                             const rtl::Variant& AValue) const
{
  AEdit->SetEditValue(AValue);
}

// ---------------------------------------------------------------------------
// TcxFilterMemoHelper

TcxCustomFilterEditHelperClass TcxFilterMemoHelper::Class() noexcept
{
  static constexpr TcxFilterMemoHelper instance{};
  return &instance;
}

TcxFilterControlOperators TcxFilterMemoHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                           TcxValueTypeClass, bool) const
{
  return cxFilterControlUtilsTextOperators() + TcxFilterControlOperators{TcxOp::fcoBlanks, TcxOp::fcoNonBlanks};
}

// ---------------------------------------------------------------------------
// TcxFilterMaskEditHelper

TcxCustomFilterEditHelperClass TcxFilterMaskEditHelper::Class() noexcept
{
  static constexpr TcxFilterMaskEditHelper instance{};
  return &instance;
}

TcxCustomEditClass TcxFilterMaskEditHelper::GetFilterEditClass() const
{
  return TcxCustomEditClass::Of<TcxMaskEdit>();
}

TcxFilterControlOperators TcxFilterMaskEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties* AProperties,
                                                                               TcxValueTypeClass AValueTypeClass,
                                                                               bool AExtendedSet) const
{
  TcxFilterControlOperators result = cxFilterOperatorRange(TcxOp::fcoEqual, TcxOp::fcoGreaterEqual) +
                                     TcxFilterControlOperators{TcxOp::fcoBlanks, TcxOp::fcoNonBlanks};
  const bool masked = rtl::Is<TcxCustomMaskEditProperties>(AProperties) &&
                      static_cast<TcxCustomMaskEditProperties*>(AProperties)->IsMasked();
  if (!masked && AValueTypeClass && AValueTypeClass->IsString())
    result += cxFilterControlUtilsTextOperators();
  if (AExtendedSet)
    result += cxFilterOperatorRange(TcxOp::fcoBetween, TcxOp::fcoNotInList);
  return result;
}

void TcxFilterMaskEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const
{
  TcxFilterTextEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  if (!rtl::Is<TcxCustomMaskEditProperties>(AProperties))
    return;
  auto* properties = static_cast<TcxCustomMaskEditProperties*>(AProperties);
  // A filter operand may be typed in part, which the extended mode allows.
  if (properties->GetMaskKind() == TcxEditMaskKind::emkRegExpr)
    properties->SetMaskKind(TcxEditMaskKind::emkRegExprEx);
  properties->SetAutoSelect(!properties->IsMasked());
}

// ---------------------------------------------------------------------------
// TcxFilterDropDownEditHelper, TcxFilterComboBoxHelper

TcxCustomFilterEditHelperClass TcxFilterDropDownEditHelper::Class() noexcept
{
  static constexpr TcxFilterDropDownEditHelper instance{};
  return &instance;
}

TcxCustomFilterEditHelperClass TcxFilterComboBoxHelper::Class() noexcept
{
  static constexpr TcxFilterComboBoxHelper instance{};
  return &instance;
}

TcxFilterDataType TcxFilterComboBoxHelper::GetFilterDataType(TcxValueTypeClass) const
{
  return TcxFilterDataType::fdtText;
}

TcxCustomEditClass TcxFilterComboBoxHelper::GetFilterEditClass() const
{
  return TcxCustomEditClass::Of<TcxComboBox>();
}

void TcxFilterComboBoxHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const
{
  TcxFilterMaskEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  if (!rtl::Is<TcxCustomComboBoxProperties>(AProperties))
    return;
  auto* properties = static_cast<TcxCustomComboBoxProperties*>(AProperties);
  properties->SetDropDownRows(8);
  properties->SetDropDownListStyle(TcxEditDropDownListStyle::lsEditList);
  properties->SetImmediateDropDownWhenKeyPressed(false);
  properties->SetPopupAlignment(rtl::TAlignment::taLeftJustify);
  properties->SetRevertable(false);
}

// ---------------------------------------------------------------------------
// TcxFilterEditsController

TcxCustomFilterEditHelperClass TcxFilterEditsController::FindHelper(rtl::TClass APropertiesClass) const
{
  for (rtl::TClass current = APropertiesClass; current; current = current->ClassParent()) {
    const auto it = std::find_if(FItems.begin(), FItems.end(), [&](const auto& AItem) { return AItem.first == current; });
    if (it != FItems.end())
      return it->second;
  }
  return nullptr;
}

void TcxFilterEditsController::Register(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass)
{
  const auto item = std::make_pair(APropertiesClass, AHelperClass);
  if (std::find(FItems.begin(), FItems.end(), item) == FItems.end())
    FItems.push_back(item);
}

void TcxFilterEditsController::Unregister(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass)
{
  std::erase(FItems, std::make_pair(APropertiesClass, AHelperClass));
  if (FItems.empty() && cxFilterControlUtilsController == this)
    rtl::FreeAndNil(cxFilterControlUtilsController);
}

TcxFilterEditsController* cxFilterEditsControllerInstance()
{
  if (!cxFilterControlUtilsController)
    cxFilterControlUtilsController = rtl::New<TcxFilterEditsController>();
  return cxFilterControlUtilsController;
}

void cxFilterEditsControllerUnregister(rtl::TClass APropertiesClass, TcxCustomFilterEditHelperClass AHelperClass)
{
  if (cxFilterControlUtilsController)
    cxFilterControlUtilsController->Unregister(APropertiesClass, AHelperClass);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

namespace {

// The combo box's helper, registered here until the combo box's unit
// registers it itself.
void cxFilterControlUtilsInitialization()
{
  cxFilterEditsControllerInstance()->Register(TcxComboBoxProperties::StaticClass(),
                                              TcxFilterComboBoxHelper::Class());
}

void cxFilterControlUtilsFinalization()
{
  cxFilterEditsControllerUnregister(TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::Class());
}

}  // namespace

RTL_UNIT(cxFilterControlUtils, &cxFilterControlUtilsInitialization, &cxFilterControlUtilsFinalization);
