#include "simplecontrols/cxCheckBox.h"

#include "core/dxCore.h"
#include "editors/cxEditConsts.h"
#include "editors/cxVariants.h"
#include "platform/rtl/ClassesComponents.h"

namespace {

constexpr rtl::TResStringRec cxCheckBoxDefaultDisplayText[] = {cxSEditCheckBoxUnchecked, cxSEditCheckBoxChecked,
                                                              cxSEditCheckBoxGrayed};

int cxCheckBoxStateIndex(TcxCheckBoxState AState)
{
  return static_cast<int>(AState);
}

}  // namespace

// ---------------------------------------------------------------------------
// TcxCustomCheckBoxProperties

void TcxCustomCheckBoxProperties::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FGlyph = rtl::New<TdxSmartGlyph>();
  FGlyph->SetTransparent(false);
  FGlyph->SetOnChange(rtl::TNotifyEvent::Bind<&TcxCustomCheckBoxProperties::GlyphChanged>(this));
  FGlyphCount = 6;
  FNullStyle = TcxCheckBoxNullValueShowingStyle::nssGrayedChecked;
  FValueChecked = rtl::Variant(true);
  FValueGrayed = rtl::Null();
  FValueUnchecked = rtl::Variant(false);
}

void TcxCustomCheckBoxProperties::Destroy()
{
  rtl::FreeAndNil(FGlyph);
  inherited::Destroy();
}

void TcxCustomCheckBoxProperties::AssignFrom(TcxCustomEditProperties* ASource)
{
  inherited::AssignFrom(ASource);
  if (!rtl::Is<TcxCustomCheckBoxProperties>(ASource))
    return;
  auto* source = static_cast<TcxCustomCheckBoxProperties*>(ASource);
  SetAllowGrayed(source->FAllowGrayed);
  SetDisplayChecked(source->GetDisplayChecked());
  SetDisplayGrayed(source->GetDisplayGrayed());
  SetDisplayUnchecked(source->GetDisplayUnchecked());
  SetFullFocusRect(source->FFullFocusRect);
  SetGlyph(source->FGlyph);
  SetGlyphCountValue(source->FGlyphCount);
  SetMultiLine(source->FMultiLine);
  SetNullStyle(source->FNullStyle);
  SetUseAlignmentWhenInplace(source->FUseAlignmentWhenInplace);
  // The three values go together, and only as a set that can stand: one
  // at a time could clash with a value about to be replaced.
  const rtl::Variant& checked = source->FValueChecked;
  const rtl::Variant& grayed = source->FValueGrayed;
  const rtl::Variant& unchecked = source->FValueUnchecked;
  if (!cxVarSameTypeAndValue(checked, grayed) && !cxVarSameTypeAndValue(checked, unchecked) &&
      !cxVarSameTypeAndValue(grayed, unchecked) && !rtl::VarIsNull(checked) && !rtl::VarIsNull(unchecked)) {
    FValueChecked = checked;
    FValueGrayed = grayed;
    FValueUnchecked = unchecked;
    Changed();
  }
  SetShowEndEllipsis(source->FShowEndEllipsis);
}

bool TcxCustomCheckBoxProperties::CompareDisplayValues(const rtl::Variant& AEditValue1,
                                                       const rtl::Variant& AEditValue2)
{
  return GetState(AEditValue1) == GetState(AEditValue2);
}

rtl::String TcxCustomCheckBoxProperties::GetDisplayText(const rtl::Variant& AEditValue, bool /*AFullText*/,
                                                        bool /*AIsInplace*/)
{
  return GetDisplayCheckState(GetState(AEditValue));
}

TcxEditSpecialFeatures TcxCustomCheckBoxProperties::GetSpecialFeatures()
{
  TcxEditSpecialFeatures result = inherited::GetSpecialFeatures();
  result.Include(TcxEditSpecialFeature::esfNoContentPart);
  result.Include(TcxEditSpecialFeature::esfClickable);
  return result;
}

TcxEditSupportedOperations TcxCustomCheckBoxProperties::GetSupportedOperations()
{
  using enum TcxEditSupportedOperation;
  return {esoAlwaysHotTrack, esoEditing, esoFiltering, esoHotTrack, esoShowingCaption,
          esoSorting,        esoTransparency, esoAutoWidth};
}

bool TcxCustomCheckBoxProperties::IsEditValueValid(rtl::Variant& EditValue, bool AEditFocused)
{
  return inherited::IsEditValueValid(EditValue, AEditFocused) &&
         (cxVarSameValue(EditValue, FValueChecked) || cxVarSameValue(EditValue, FValueUnchecked) ||
          cxVarSameValue(EditValue, FValueGrayed));
}

void TcxCustomCheckBoxProperties::PrepareDisplayValue(const rtl::Variant& AEditValue, rtl::Variant& DisplayValue,
                                                      bool /*AEditFocused*/)
{
  DisplayValue = rtl::Variant(cxCheckBoxStateIndex(GetState(AEditValue)));
}

TcxCheckBoxState TcxCustomCheckBoxProperties::GetState(const rtl::Variant& AEditValue)
{
  if (cxVarSameValue(AEditValue, FValueChecked))
    return TcxCheckBoxState::cbsChecked;
  if (cxVarSameValue(AEditValue, FValueUnchecked))
    return TcxCheckBoxState::cbsUnchecked;
  return TcxCheckBoxState::cbsGrayed;
}

rtl::Variant TcxCustomCheckBoxProperties::GetValueByState(TcxCheckBoxState AState)
{
  switch (AState) {
    case TcxCheckBoxState::cbsChecked:
      return FValueChecked;
    case TcxCheckBoxState::cbsUnchecked:
      return FValueUnchecked;
    default:
      return FValueGrayed;
  }
}

template <typename T>
void TcxCustomCheckBoxProperties::SetValue(T& AField, T AValue)
{
  if (AField == AValue)
    return;
  AField = AValue;
  Changed();
}

void TcxCustomCheckBoxProperties::SetAllowGrayed(bool AValue)
{
  SetValue(FAllowGrayed, AValue);
}

void TcxCustomCheckBoxProperties::SetCaption(const rtl::String& AValue)
{
  FIsCaptionAssigned = true;
  SetValue(FCaption, AValue);
}

rtl::String TcxCustomCheckBoxProperties::GetDisplayCheckState(TcxCheckBoxState AState)
{
  const int index = cxCheckBoxStateIndex(AState);
  if (FIsDisplayCheckStateAssigned[index])
    return FDisplayCheckState[index];
  return dxLookupResourceString(cxCheckBoxDefaultDisplayText[index]);
}

void TcxCustomCheckBoxProperties::SetDisplayCheckState(TcxCheckBoxState AState, const rtl::String& AValue)
{
  if (AValue == GetDisplayCheckState(AState))
    return;
  const int index = cxCheckBoxStateIndex(AState);
  FDisplayCheckState[index] = AValue;
  FIsDisplayCheckStateAssigned[index] = AValue != dxLookupResourceString(cxCheckBoxDefaultDisplayText[index]);
  Changed();
}

void TcxCustomCheckBoxProperties::SetFullFocusRect(bool AValue)
{
  SetValue(FFullFocusRect, AValue);
}

void TcxCustomCheckBoxProperties::SetGlyph(TdxSmartGlyph* AValue)
{
  FGlyph->Assign(AValue);
  Changed();
}

void TcxCustomCheckBoxProperties::SetGlyphCountValue(int AValue)
{
  if (FGlyphCount == AValue)
    return;
  FGlyphCount = AValue;
  if (FGlyph)
    Changed();
}

void TcxCustomCheckBoxProperties::SetMultiLine(bool AValue)
{
  SetValue(FMultiLine, AValue);
}

void TcxCustomCheckBoxProperties::SetNullStyle(TcxCheckBoxNullValueShowingStyle AValue)
{
  SetValue(FNullStyle, AValue);
}

void TcxCustomCheckBoxProperties::SetShowEndEllipsis(bool AValue)
{
  SetValue(FShowEndEllipsis, AValue);
}

void TcxCustomCheckBoxProperties::SetUseAlignmentWhenInplace(bool AValue)
{
  SetValue(FUseAlignmentWhenInplace, AValue);
}

bool TcxCustomCheckBoxProperties::CanAcceptValue(const rtl::Variant& AValue, bool AAllowNull)
{
  if (IsOwnerLoading())
    return true;
  if (!AAllowNull && rtl::VarIsNull(AValue))
    return false;
  return !cxVarSameTypeAndValue(AValue, FValueChecked) && !cxVarSameTypeAndValue(AValue, FValueGrayed) &&
         !cxVarSameTypeAndValue(AValue, FValueUnchecked);
}

void TcxCustomCheckBoxProperties::SetValueChecked(const rtl::Variant& AValue)
{
  if (!CanAcceptValue(AValue, false))
    return;
  FValueChecked = AValue;
  Changed();
}

void TcxCustomCheckBoxProperties::SetValueGrayed(const rtl::Variant& AValue)
{
  if (!CanAcceptValue(AValue, true))
    return;
  FValueGrayed = AValue;
  Changed();
}

void TcxCustomCheckBoxProperties::SetValueUnchecked(const rtl::Variant& AValue)
{
  if (!CanAcceptValue(AValue, false))
    return;
  FValueUnchecked = AValue;
  Changed();
}

bool TcxCustomCheckBoxProperties::IsValueCheckedStored() const
{
  return !cxVarSameTypeAndValue(FValueChecked, rtl::Variant(true));
}

bool TcxCustomCheckBoxProperties::IsValueGrayedStored() const
{
  return !rtl::VarIsNull(FValueGrayed);
}

bool TcxCustomCheckBoxProperties::IsValueUncheckedStored() const
{
  return !cxVarSameTypeAndValue(FValueUnchecked, rtl::Variant(false));
}

rtl::String TcxCustomCheckBoxProperties::GetPartName(int AIndex)
{
  static constexpr const wchar_t* names[] = {L"Unchecked",         L"Checked",         L"Grayed",
                                             L"Unchecked Pressed", L"Checked Pressed", L"Grayed Pressed"};
  return AIndex >= 0 && AIndex < 6 ? names[AIndex] : L"Not Used";
}

bool TcxCustomCheckBoxProperties::IsOwnerLoading()
{
  rtl::TComponent* owner = cxEditFindOwnerComponent(this);
  return owner && owner->GetComponentState().Contains(rtl::TComponentStateFlag::csLoading);
}

void TcxCustomCheckBoxProperties::GlyphChanged(rtl::TObject* /*Sender*/)
{
  Changed();
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

void cxCheckBoxInitialization()
{
  cxEditPropertiesRegistry()->Register(TcxCheckBoxProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryCheckBoxItem));
}

void cxCheckBoxFinalization()
{
  cxEditPropertiesRegistry()->Unregister(TcxCheckBoxProperties::StaticClass());
}

}  // namespace

RTL_UNIT(cxCheckBox, &cxCheckBoxInitialization, &cxCheckBoxFinalization);
