#include "simplecontrols/cxCheckBox.h"

#include <algorithm>

#include "controls/cxContainer.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "editors/cxEditConsts.h"
#include "editors/cxVariants.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/ActnList.h"

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
// The mark

TcxButtonState cxCheckStateToButtonState(TcxEditCheckState AState)
{
  switch (AState) {
    case TcxEditCheckState::ecsHot:
      return TcxButtonState::cxbsHot;
    case TcxEditCheckState::ecsPressed:
      return TcxButtonState::cxbsPressed;
    case TcxEditCheckState::ecsDisabled:
      return TcxButtonState::cxbsDisabled;
    default:
      return TcxButtonState::cxbsNormal;
  }
}

int cxCheckBoxGlyphPartIndex(TcxCheckBoxState AState, TcxEditCheckState ACheckState, int AGlyphCount)
{
  if (AGlyphCount <= 1)
    return 0;
  const int stateIndex = cxCheckBoxStateIndex(AState);
  int index = ACheckState == TcxEditCheckState::ecsPressed ? 3 + stateIndex : stateIndex;
  if (index >= AGlyphCount && index >= 3)
    index %= 3;
  return index;
}

int cxCheckBoxNativeState(TcxCheckBoxState AState, TcxEditCheckState ACheckState)
{
  return 1 + 4 * cxCheckBoxStateIndex(AState) + static_cast<int>(ACheckState);
}

namespace {

bool cxCheckBoxHasGlyph(const TcxCheckBoxMarkParams& AParams)
{
  return AParams.GlyphCount > 0 && AParams.Glyph && !AParams.Glyph->GetEmpty();
}

void cxCheckBoxDrawGlyphMark(TcxCanvas* ACanvas, const TRect& R, const TcxCheckBoxMarkParams& AParams)
{
  TdxSmartGlyph* glyph = AParams.Glyph;
  const TSize source = glyph->GetSourceSize();
  const int partWidth = source.cx / std::max(AParams.GlyphCount, 1);
  const int index = cxCheckBoxGlyphPartIndex(AParams.State, AParams.CheckState, AParams.GlyphCount);
  // The whole image is drawn at its source size, so a part of it maps to a
  // part of the image whatever its own pixel size.
  const TSize imageSize = glyph->GetSize();
  const double ratio = source.cx > 0 ? static_cast<double>(imageSize.cx) / source.cx : 1.0;
  const TRect sourceRect{static_cast<int>(index * partWidth * ratio), 0,
                         static_cast<int>((index + 1) * partWidth * ratio), imageSize.cy};
  rtl::TOwnedPtr<TcxBitmap32> part(rtl::New<TcxBitmap32>());
  part->CreateSize(partWidth, source.cy, true);
  glyph->StretchDraw(part->GetCanvas()->GetHandle(), part->GetClientRect(), sourceRect);
  if (AParams.Opaque)
    ACanvas->FillRect(R, AParams.BackgroundColor);
  cxDrawImage(ACanvas, R, part.get(), AParams.ScaleFactor, nullptr,
              AParams.CheckState != TcxEditCheckState::ecsDisabled);
}

vcl::TColor cxCheckBoxHotBorderColor(bool AIsOffice11)
{
  return cxGetBorderHighlightColor(true, AIsOffice11);
}

vcl::TColor cxCheckBoxButtonStyleColor(bool APressed, bool AIsOffice11)
{
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* painter =
      manager ? manager->GetPainter(AIsOffice11 ? TcxLookAndFeelStyle::lfsOffice11 : TcxLookAndFeelStyle::lfsUltraFlat)
              : nullptr;
  if (!painter)
    return vcl::clBtnFace;
  return painter->ButtonColor(APressed ? TcxButtonState::cxbsPressed : TcxButtonState::cxbsHot);
}

void cxCheckBoxDrawBorder(TcxCanvas* ACanvas, TRect R, const TcxCheckBoxMarkParams& AParams)
{
  using enum TcxEditBorderStyle;
  const int borderWidth = cxGetContainerBorderWidth(static_cast<TcxContainerBorderStyle>(AParams.BorderStyle));
  const int margin = 2 - borderWidth;
  if (margin > 0) {
    if (AParams.Opaque)
      ACanvas->FrameRect(R, AParams.BackgroundColor, margin);
    InflateRect(&R, -margin, -margin);
  }
  const TcxEditCheckState state = AParams.CheckState;
  switch (AParams.BorderStyle) {
    case ebsSingle:
      ACanvas->FrameRect(R, AParams.BorderColor);
      break;
    case ebsThick:
      ACanvas->FrameRect(R, AParams.BorderColor, 2);
      break;
    case ebsFlat:
      ACanvas->DrawEdge(R, true, true);
      InflateRect(&R, -1, -1);
      ACanvas->FrameRect(R, vcl::clBtnFace);
      break;
    case ebs3D:
      ACanvas->DrawEdge(R, true, true);
      InflateRect(&R, -1, -1);
      ACanvas->DrawComplexFrame(R, vcl::cl3DDkShadow, vcl::cl3DLight);
      break;
    case ebsUltraFlat:
    case ebsOffice11: {
      const bool isOffice11 = AParams.BorderStyle == ebsOffice11;
      const bool highlighted = state == TcxEditCheckState::ecsHot || state == TcxEditCheckState::ecsPressed ||
                               (AParams.IsDesigning && state != TcxEditCheckState::ecsDisabled) ||
                               (state == TcxEditCheckState::ecsNormal && AParams.Focused);
      vcl::TColor color = vcl::clBtnShadow;
      if (highlighted)
        color = cxCheckBoxHotBorderColor(isOffice11);
      else if (isOffice11 && state == TcxEditCheckState::ecsNormal && !AParams.IsDesigning && !AParams.Focused)
        color = vcl::clBtnText;
      ACanvas->FrameRect(R, color);
      break;
    }
    case ebsNone:
      break;
  }
}

void cxCheckBoxDrawFlatMark(TcxCanvas* ACanvas, const TRect& R, const TcxCheckBoxMarkParams& AParams,
                            TcxCheckBoxState AState)
{
  const TcxEditCheckState state = AParams.CheckState;
  const bool isOffice11 = AParams.BorderStyle == TcxEditBorderStyle::ebsOffice11;
  const bool grayed = AState == TcxCheckBoxState::cbsGrayed;
  vcl::TColor fill = vcl::clWindow;
  if (state == TcxEditCheckState::ecsHot || state == TcxEditCheckState::ecsPressed)
    fill = cxCheckBoxButtonStyleColor(state == TcxEditCheckState::ecsPressed, isOffice11);
  else if (state == TcxEditCheckState::ecsDisabled ||
           (grayed && AParams.NullStyle == TcxCheckBoxNullValueShowingStyle::nssInactive))
    fill = vcl::clBtnFace;
  ACanvas->FillRect(R, fill);
  const bool checked = AState == TcxCheckBoxState::cbsChecked ||
                       (grayed && AParams.NullStyle == TcxCheckBoxNullValueShowingStyle::nssGrayedChecked);
  if (!checked)
    return;
  TcxCustomLookAndFeelPainter* painter =
      cxLookAndFeelPaintersManager() ? cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsUltraFlat)
                                     : nullptr;
  if (!painter)
    return;
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(R);
  painter->DrawScaledCheck(ACanvas, R, cxCheckStateToButtonState(state), true,
                           state != TcxEditCheckState::ecsDisabled && !grayed ? vcl::clBtnText : vcl::clBtnShadow,
                           AParams.ScaleFactor ? AParams.ScaleFactor : dxGetSystemScaleFactor());
  ACanvas->RestoreClipRegion();
}

UINT cxCheckBoxFrameControlState(const TcxCheckBoxMarkParams& AParams, TcxCheckBoxState AState)
{
  const bool grayedChecked =
      AState == TcxCheckBoxState::cbsGrayed && AParams.NullStyle == TcxCheckBoxNullValueShowingStyle::nssGrayedChecked;
  UINT result;
  if (AParams.CheckState == TcxEditCheckState::ecsDisabled) {
    result = AState == TcxCheckBoxState::cbsChecked || grayedChecked
                 ? DFCS_BUTTON3STATE | DFCS_PUSHED | DFCS_CHECKED
                 : DFCS_BUTTON3STATE | DFCS_INACTIVE | DFCS_PUSHED;
  } else {
    switch (AState) {
      case TcxCheckBoxState::cbsChecked:
        result = DFCS_CHECKED;
        break;
      case TcxCheckBoxState::cbsUnchecked:
        result = 0;
        break;
      default:
        result = DFCS_BUTTON3STATE | (grayedChecked ? DFCS_CHECKED : DFCS_INACTIVE);
        break;
    }
    if (AParams.CheckState == TcxEditCheckState::ecsPressed)
      result |= DFCS_PUSHED;
  }
  if (AParams.BorderStyle != TcxEditBorderStyle::ebs3D)
    result |= DFCS_FLAT;
  return result;
}

void cxCheckBoxDrawFrameControlMark(TcxCanvas* ACanvas, const TRect& R, const TcxCheckBoxMarkParams& AParams,
                                    TcxCheckBoxState AState)
{
  // The control's own frame lies outside R: the editors drew theirs.
  TRect frame = R;
  InflateRect(&frame, 2, 2);
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(R);
  DrawFrameControl(ACanvas->GetHandle(), &frame, DFC_BUTTON, cxCheckBoxFrameControlState(AParams, AState));
  ACanvas->RestoreClipRegion();
}

}  // namespace

void cxDrawCheckBoxMark(TcxCanvas* ACanvas, const TRect& R, const TcxCheckBoxMarkParams& AParams)
{
  if (IsRectEmpty(&R))
    return;
  TcxCheckBoxMarkParams params = AParams;
  if (params.State == TcxCheckBoxState::cbsGrayed &&
      params.NullStyle == TcxCheckBoxNullValueShowingStyle::nssUnchecked)
    params.State = TcxCheckBoxState::cbsUnchecked;
  const TcxButtonState buttonState = cxCheckStateToButtonState(params.CheckState);
  const TdxScaleFactor* scaleFactor = params.ScaleFactor ? params.ScaleFactor : dxGetSystemScaleFactor();

  if (cxCheckBoxHasGlyph(params)) {
    cxCheckBoxDrawGlyphMark(ACanvas, R, params);
  } else if (params.SkinPainter) {
    if (params.Opaque)
      ACanvas->FillRect(R, params.BackgroundColor);
    params.SkinPainter->DrawScaledCheckButton(ACanvas, R, buttonState, params.State, scaleFactor);
  } else if (params.NativeStyle) {
    if (TcxCustomLookAndFeelPainter* native = cxLookAndFeelPaintersManager()
                                                  ? cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsNative)
                                                  : nullptr)
      native->DrawScaledCheck(ACanvas, R, buttonState, params.State, vcl::clDefault, scaleFactor);
  } else {
    cxCheckBoxDrawBorder(ACanvas, R, params);
    TRect mark = R;
    InflateRect(&mark, -2, -2);
    if (params.BorderStyle == TcxEditBorderStyle::ebsUltraFlat || params.BorderStyle == TcxEditBorderStyle::ebsOffice11)
      cxCheckBoxDrawFlatMark(ACanvas, mark, params, params.State);
    else
      cxCheckBoxDrawFrameControlMark(ACanvas, mark, params, params.State);
  }
}

// ---------------------------------------------------------------------------
// TcxCheckBoxActionLink

void TcxCheckBoxActionLink::AssignClient(rtl::TObject* AClient)
{
  inherited::AssignClient(AClient);
  FClient = static_cast<TcxCustomCheckBox*>(AClient);
}

bool TcxCheckBoxActionLink::IsCheckedLinked()
{
  return inherited::IsCheckedLinked() && FClient->GetState() != TcxCheckBoxState::cbsGrayed &&
         FClient->GetChecked() == static_cast<vcl::TCustomAction*>(FAction)->GetChecked();
}

void TcxCheckBoxActionLink::SetChecked(bool AValue)
{
  if (IsCheckedLinked())
    FClient->SetCheckedQuietly(AValue);
}

// ---------------------------------------------------------------------------
// TcxCustomCheckBox

namespace {

bool cxCheckBoxIsAccel(wchar_t AChar, const rtl::String& ACaption)
{
  auto upper = [](wchar_t C) {
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(C)))));
  };
  for (std::size_t i = 0; i + 1 < ACaption.size(); ++i) {
    if (ACaption[i] != L'&')
      continue;
    if (ACaption[i + 1] != L'&')
      return upper(ACaption[i + 1]) == upper(AChar);
    ++i;
  }
  return false;
}

}  // namespace

void TcxCustomCheckBox::Initialize()
{
  inherited::Initialize();
  vcl::TControlStyle style = GetControlStyle();
  style.Exclude(vcl::TControlStyleItem::csDoubleClicks);
  style.Include(vcl::TControlStyleItem::csParentBackground);
  SetControlStyle(style);
  SetWidth(121);
  SetHeight(21);
  rtl::Variant value;
  PrepareEditValue(rtl::Variant(0), value, false);
  FEditValue = value;
}

TcxCustomEditPropertiesClass TcxCustomCheckBox::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCustomCheckBoxProperties>();
}

TcxCustomCheckBoxProperties* TcxCustomCheckBox::GetActiveProperties()
{
  return static_cast<TcxCustomCheckBoxProperties*>(inherited::GetActiveProperties());
}

TcxCustomCheckBoxProperties* TcxCustomCheckBox::GetProperties()
{
  return static_cast<TcxCustomCheckBoxProperties*>(GetInternalProperties());
}

void TcxCustomCheckBox::SetProperties(TcxCustomCheckBoxProperties* AValue)
{
  inherited::SetProperties(AValue);
}

void TcxCustomCheckBox::PrepareEditValue(const rtl::Variant& ADisplayValue, rtl::Variant& EditValue,
                                         bool /*AEditFocused*/)
{
  TcxCustomCheckBoxProperties* properties = GetActiveProperties();
  if (cxVarSameValue(ADisplayValue, rtl::Variant(0)))
    EditValue = properties->GetValueUnchecked();
  else if (cxVarSameValue(ADisplayValue, rtl::Variant(1)))
    EditValue = properties->GetValueChecked();
  else if (cxVarSameValue(ADisplayValue, rtl::Variant(2)))
    EditValue = properties->GetValueGrayed();
  else
    EditValue = rtl::Variant();
}

TcxCheckBoxState TcxCustomCheckBox::GetState()
{
  if (IsLoading() && FIsLoadingStateAssigned)
    return FLoadingState;
  return GetActiveProperties()->GetState(GetEditValue());
}

void TcxCustomCheckBox::SetState(TcxCheckBoxState AValue)
{
  if (IsLoading()) {
    FLoadingState = AValue;
    FIsLoadingStateAssigned = true;
    return;
  }
  if (AValue == GetState())
    return;
  rtl::Variant value;
  PrepareEditValue(rtl::Variant(static_cast<int>(AValue)), value, InternalFocused());
  SetInternalEditValue(value);
}

bool TcxCustomCheckBox::GetChecked()
{
  return GetState() == TcxCheckBoxState::cbsChecked;
}

void TcxCustomCheckBox::SetChecked(bool AValue)
{
  if (GetAction() && rtl::Is<TcxCheckBoxActionLink>(GetActionLink()) &&
      static_cast<TcxCheckBoxActionLink*>(GetActionLink())->IsCheckedLinked()) {
    SetCheckedQuietly(AValue);
    return;
  }
  SetState(AValue ? TcxCheckBoxState::cbsChecked : TcxCheckBoxState::cbsUnchecked);
}

void TcxCustomCheckBox::SetCheckedQuietly(bool AValue)
{
  LockClick(true);
  LockChangeEvents(true);
  rtl::Finally unlock([this] {
    LockChangeEvents(false, false);
    LockClick(false);
  });
  SetState(AValue ? TcxCheckBoxState::cbsChecked : TcxCheckBoxState::cbsUnchecked);
}

void TcxCustomCheckBox::Clear()
{
  SetChecked(false);
}

void TcxCustomCheckBox::Toggle()
{
  LockChangeEvents(true);
  BeginUserAction();
  try {
    switch (GetState()) {
      case TcxCheckBoxState::cbsUnchecked:
        SetState(GetActiveProperties()->GetAllowGrayed() ? TcxCheckBoxState::cbsGrayed : TcxCheckBoxState::cbsChecked);
        break;
      case TcxCheckBoxState::cbsChecked:
        SetState(TcxCheckBoxState::cbsUnchecked);
        break;
      case TcxCheckBoxState::cbsGrayed:
        SetState(TcxCheckBoxState::cbsChecked);
        break;
    }
    if (GetActiveProperties()->GetImmediatePost() && CanPostEditValue() && ValidateByOptions())
      DoPostEditValue(false);
  } catch (...) {
    EndUserAction();
    LockChangeEvents(false);
    throw;
  }
  EndUserAction();
  LockChangeEvents(false);
}

void TcxCustomCheckBox::Loaded()
{
  FIsLoaded = true;
  LockChangeEvents(true);
  LockClick(true);
  rtl::Finally done([this] {
    LockClick(false);
    LockChangeEvents(false, false);
    FIsLoaded = false;
  });
  inherited::Loaded();
  if (FIsLoadingStateAssigned)
    SetState(FLoadingState);
  else if (!AllowsClickWhileLoading())
    SetState(TcxCheckBoxState::cbsUnchecked);
}

void TcxCustomCheckBox::ApplyEditValue(const rtl::Variant& AValue, bool AIsUserAction)
{
  const TcxCheckBoxState before = GetActiveProperties()->GetState(GetEditValue());
  inherited::ApplyEditValue(AValue, AIsUserAction);
  if (GetActiveProperties()->GetState(GetEditValue()) != before) {
    Click();
    DoChange();
  }
  ShortRefreshContainer(false);
}

void TcxCustomCheckBox::PropertiesChanged(rtl::TObject* Sender)
{
  TcxCustomCheckBoxProperties* properties = GetActiveProperties();
  if (properties->IsCaptionAssigned()) {
    SetCaption(properties->GetCaption());
    properties->ResetCaptionAssigned();
  }
  inherited::PropertiesChanged(Sender);
}

void TcxCustomCheckBox::CheckPressedChanged(bool APressed)
{
  FIsCheckPressed = APressed;
  ShortRefreshContainer(false);
}

void TcxCustomCheckBox::KeyDown(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyDown(AKey, AShift);
  if (AKey == VK_SPACE && !FIsCheckPressed && GetEnabled()) {
    CheckPressedChanged(true);
    AKey = 0;
  }
}

void TcxCustomCheckBox::KeyPress(wchar_t& AKey)
{
  inherited::KeyPress(AKey);
  if (IsInplace() && AKey == L' ' && !FIsCheckPressed && GetEnabled()) {
    Toggle();
    AKey = 0;
  }
}

void TcxCustomCheckBox::KeyUp(WORD& AKey, vcl::TShiftState AShift)
{
  inherited::KeyUp(AKey, AShift);
  if (AKey == VK_SPACE && FIsCheckPressed) {
    CheckPressedChanged(false);
    Toggle();
  }
}

void TcxCustomCheckBox::DoExit()
{
  // A Space held while the focus left is no press any more.
  if (FIsCheckPressed)
    CheckPressedChanged(false);
  inherited::DoExit();
}

TcxEditStateColorKind TcxCustomCheckBox::GetDrawState()
{
  return GetEnabled() ? TcxEditStateColorKind::esckNormal : TcxEditStateColorKind::esckDisabled;
}

void TcxCustomCheckBox::ActionChange(rtl::TObject* ASender, bool ACheckDefaults)
{
  inherited::ActionChange(ASender, ACheckDefaults);
  if (((!IsLoading() && !FIsLoaded) || !FIsLoadingStateAssigned) && rtl::Is<vcl::TCustomAction>(ASender) &&
      (!ACheckDefaults || !GetChecked()))
    SetCheckedQuietly(static_cast<vcl::TCustomAction*>(ASender)->GetChecked());
}

rtl::ClassOf<vcl::TControlActionLink> TcxCustomCheckBox::GetActionLinkClass()
{
  return rtl::ClassOf<vcl::TControlActionLink>::Of<TcxCheckBoxActionLink>();
}

bool TcxCustomCheckBox::IsStateStored()
{
  auto* action = rtl::Is<vcl::TCustomAction>(GetAction()) ? static_cast<vcl::TCustomAction*>(GetAction()) : nullptr;
  return !action || GetState() != (action->GetChecked() ? TcxCheckBoxState::cbsChecked : TcxCheckBoxState::cbsUnchecked);
}

void TcxCustomCheckBox::HandleCheckBoxDialogChar(rtl::TMessage& Message)
{
  if (cxCheckBoxIsAccel(static_cast<wchar_t>(Message.WParam), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused())
      Toggle();
    Message.Result = 1;
    return;
  }
  rtl::InheritedMessage(this, Message);
}

void TcxCustomCheckBox::HandleWMLButtonUp(rtl::TMessage& Message)
{
  // The mouse toggles through the mark's state; the framework must not
  // add a click of its own.
  vcl::TControlState state = GetControlState();
  state.Exclude(vcl::TControlStateItem::csClicked);
  SetControlState(state);
  rtl::InheritedMessage(this, Message);
}

void TcxCustomCheckBox::HandleWMGetDlgCode(rtl::TMessage& Message)
{
  rtl::InheritedMessage(this, Message);
  // Escape undoes a change made since entering: keep it from the dialog.
  if (GetModifiedAfterEnter() && GetKeyState(VK_ESCAPE) < 0)
    Message.Result |= DLGC_WANTALLKEYS;
}

// ---------------------------------------------------------------------------
// TcxCheckBox

TcxCustomEditPropertiesClass TcxCheckBox::GetPropertiesClass()
{
  return TcxCustomEditPropertiesClass::Of<TcxCheckBoxProperties>();
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

void cxCheckBoxInitialization()
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TcxCheckBox>());
  cxEditPropertiesRegistry()->Register(TcxCheckBoxProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryCheckBoxItem));
}

void cxCheckBoxFinalization()
{
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TcxCheckBox>());
  cxEditPropertiesRegistry()->Unregister(TcxCheckBoxProperties::StaticClass());
}

}  // namespace

RTL_UNIT(cxCheckBox, &cxCheckBoxInitialization, &cxCheckBoxFinalization);
