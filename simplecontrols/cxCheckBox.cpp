#include "simplecontrols/cxCheckBox.h"

#include <algorithm>

#include <vssym32.h>

#include "controls/cxContainer.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "editors/cxDropDownEdit.h"
#include "editors/cxEditConsts.h"
#include "editors/cxTextEdit.h"
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

TcxCustomEditClass TcxCustomCheckBoxProperties::GetContainerClass()
{
  return TcxCustomEditClass::Of<TcxCheckBox>();
}

TcxCustomEditStyleClass TcxCustomCheckBoxProperties::GetStyleClass()
{
  return TcxCustomEditStyleClass::Of<TcxCheckBoxStyle>();
}

TcxCustomEditViewInfoClass TcxCustomCheckBoxProperties::GetViewInfoClass()
{
  return TcxCustomEditViewInfoClass::Of<TcxCustomCheckBoxViewInfo>();
}

TcxCustomEditViewDataClass TcxCustomCheckBoxProperties::ViewDataClass()
{
  return TcxCustomEditViewDataClass::Of<TcxCustomCheckBoxViewData>();
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
// TcxCheckBoxStyle

bool TcxCheckBoxStyle::HasBorder()
{
  return false;
}

// ---------------------------------------------------------------------------
// Fading of the mark

void TcxCustomCheckControlFadingHelper::Create(TcxCustomCheckBoxViewInfo* AViewInfo)
{
  inherited::Create();
  FViewInfo = AViewInfo;
  FState = TcxEditCheckState::ecsNormal;
}

TcxCustomEditViewInfo* TcxCustomCheckControlFadingHelper::GetEditViewInfo()
{
  return FViewInfo;
}

void TcxCustomCheckControlFadingHelper::Invalidate()
{
  TRect r = FViewInfo->CheckBoxRect;
  OffsetRect(&r, FViewInfo->Left, FViewInfo->Top);
  Invalidate(r, false);
}

void TcxCustomCheckControlFadingHelper::UpdateState()
{
  const TcxEditCheckState state = FViewInfo->CheckBoxState;
  if (state == FState)
    return;
  CheckStartFading(cxCheckStateToButtonState(FState), cxCheckStateToButtonState(state));
  FState = state;
}

bool __stdcall TcxCustomCheckControlFadingHelper::FadingCanFade()
{
  return FViewInfo->IsFadingAvailable() && GetEditOwner() && !IsRectEmpty(&FViewInfo->CheckBoxRect);
}

void __stdcall TcxCheckBoxFadingHelper::FadingGetImages(TcxBitmap32*& AFadeOutImage, TcxBitmap32*& AFadeInImage)
{
  AFadeOutImage = RenderMark(TcxEditCheckState::ecsNormal);
  AFadeInImage = RenderMark(TcxEditCheckState::ecsHot);
}

TcxBitmap32* TcxCheckBoxFadingHelper::RenderMark(TcxEditCheckState ACheckState)
{
  const TRect r = FViewInfo->CheckBoxRect;
  auto* bitmap =
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(cxRectGetWidth(r), cxRectGetHeight(r), true); });
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  const vcl::TColor background = FViewInfo->GetBackgroundColor();
  const bool opaque = !FViewInfo->Transparent && background != vcl::clNone && FViewInfo->Painter;
  if (opaque)
    canvas->FillRect(bitmap->GetClientRect(), background);
  canvas->SetWindowOrg(TPoint{r.left, r.top});
  FViewInfo->DrawMark(canvas, FViewInfo->CheckArea(), ACheckState);
  canvas->SetWindowOrg(TPoint{0, 0});
  if (opaque)
    bitmap->MakeOpaque();
  return bitmap;
}

// ---------------------------------------------------------------------------
// TcxCustomCheckBoxViewInfo

void TcxCustomCheckBoxViewInfo::Create()
{
  inherited::Create();
  FadingHelper = GetFadingHelperClass().Create(this);
}

void TcxCustomCheckBoxViewInfo::Destroy()
{
  rtl::FreeAndNil(FadingHelper);
  inherited::Destroy();
}

TcxCustomCheckControlFadingHelperClass TcxCustomCheckBoxViewInfo::GetFadingHelperClass()
{
  return TcxCustomCheckControlFadingHelperClass::Of<TcxCheckBoxFadingHelper>();
}

void TcxCustomCheckBoxViewInfo::Assign(rtl::TObject* Source)
{
  inherited::Assign(Source);
  if (auto* source = rtl::As<TcxCustomCheckBoxViewInfo>(Source)) {
    CheckBoxState = source->CheckBoxState;
    State = source->State;
  }
}

void TcxCustomCheckBoxViewInfo::Offset(int DX, int DY)
{
  inherited::Offset(DX, DY);
  OffsetRect(&CheckBoxRect, DX, DY);
  OffsetRect(&FocusRect, DX, DY);
  OffsetRect(&TextRect, DX, DY);
}

bool TcxCustomCheckBoxViewInfo::IsMarkChanged(TcxContainerViewInfo* AViewInfo) const
{
  const auto* old = rtl::As<TcxCustomCheckBoxViewInfo>(AViewInfo);
  return old && (old->CheckBoxState != CheckBoxState || old->State != State);
}

TRect TcxCustomCheckBoxViewInfo::CheckBoxRectInControl() const
{
  TRect r = CheckBoxRect;
  OffsetRect(&r, Left, Top);
  return r;
}

bool TcxCustomCheckBoxViewInfo::Repaint(vcl::TWinControl* AControl, const TRect& AInnerEditRect,
                                        TcxContainerViewInfo* AViewInfo)
{
  const bool result = inherited::Repaint(AControl, AInnerEditRect, AViewInfo);
  if (AControl && AControl->HandleAllocated() && IsMarkChanged(AViewInfo))
    cxRedrawWindowRect(AControl->GetHandle(), CheckBoxRectInControl(), false, false);
  return result;
}

TcxRegion* TcxCustomCheckBoxViewInfo::GetUpdateRegion(TcxContainerViewInfo* AViewInfo)
{
  TcxRegion* result = inherited::GetUpdateRegion(AViewInfo);
  if (IsMarkChanged(AViewInfo))
    result->Combine(CheckBoxRect, TcxRegionOperation::roAdd);
  return result;
}

TRect TcxCustomCheckBoxViewInfo::CheckArea() const
{
  TRect r = CheckBoxRect;
  InflateRect(&r, -CheckBorderOffset, -CheckBorderOffset);
  return r;
}

bool TcxCustomCheckBoxViewInfo::IsSkinned() const
{
  return Painter && Painter->LookAndFeelStyle() == TcxLookAndFeelStyle::lfsSkin;
}

bool TcxCustomCheckBoxViewInfo::IsBackgroundPartiallyTransparent()
{
  if (!Transparent)
    return false;
  if (IsSkinned() || HasGlyph)
    return true;
  if (!NativeStyle)
    return false;
  HTHEME theme = dxOpenTheme(TdxThemedObjectType::totButton);
  return theme && dxUxIsThemeBackgroundPartiallyTransparent(theme, BP_CHECKBOX,
                                                            cxCheckBoxNativeState(State, CheckBoxState));
}

bool TcxCustomCheckBoxViewInfo::IsFadingAvailable()
{
  return inherited::IsFadingAvailable() && !IsRectEmpty(&CheckBoxRect);
}

void TcxCustomCheckBoxViewInfo::DrawMark(TcxCanvas* ACanvas, const TRect& R, TcxEditCheckState ACheckState)
{
  TcxCheckBoxMarkParams params;
  params.State = State;
  params.NullStyle = NullValueShowingStyle;
  params.CheckState = ACheckState;
  params.ScaleFactor = GetScaleFactor();
  params.SkinPainter = IsSkinned() ? Painter : nullptr;
  params.Focused = Focused;
  params.IsDesigning = IsDesigning;
  params.Opaque = !Transparent;
  params.BackgroundColor = GetBackgroundColor();
  params.BorderColor = BorderColor;
  params.NativeStyle = NativeStyle;
  params.BorderStyle = CheckBoxBorderStyle;
  params.GlyphCount = CheckBoxGlyphCount;
  params.Glyph = HasGlyph ? CheckBoxGlyph : nullptr;
  cxDrawCheckBoxMark(ACanvas, R, params);
}

void TcxCustomCheckBoxViewInfo::DrawCaption(TcxCanvas* ACanvas)
{
  if (IsMarkCentred() || Text.empty())
    return;
  ACanvas->SetFont(Font);
  ACanvas->GetFont()->SetColor(TextColor);
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  const bool enabled = IsContainerInnerControl || Enabled || IsTextColorAssigned || NativeStyle;
  ACanvas->DrawTexT(Text, TextRect, DrawCaptionFlags, enabled);
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsSolid);
}

void TcxCustomCheckBoxViewInfo::InternalPaint(TcxCanvas* ACanvas)
{
  const TRect checkArea = CheckArea();
  DrawEditBackground(ACanvas, Bounds, TRect{}, false);
  DrawValidationMark(ACanvas);
  if (CanDrawEditValue()) {
    if (!(FadingHelper && FadingHelper->DrawImage(ACanvas->GetHandle(), CheckBoxRect)))
      DrawMark(ACanvas, checkArea, CheckBoxState);
    DrawCaption(ACanvas);
  }
  if (!IsRectEmpty(&FocusRect))
    ACanvas->DrawFocusRect(FocusRect);
}

// ---------------------------------------------------------------------------
// TcxCustomCheckBoxViewData

TcxCustomCheckBoxProperties* TcxCustomCheckBoxViewData::Properties() const
{
  return static_cast<TcxCustomCheckBoxProperties*>(GetProperties());
}

TcxCustomCheckBox* TcxCustomCheckBoxViewData::CheckBox() const
{
  return rtl::As<TcxCustomCheckBox>(GetEdit());
}

bool TcxCustomCheckBoxViewData::CaptionVisible() const
{
  return !GetIsInplace() || Properties()->IsCaptionVisibleInplace();
}

int TcxCustomCheckBoxViewData::GetCaptionOffset()
{
  return GetScaleFactor()->Apply(3);
}

int TcxCustomCheckBoxViewData::GetContentOffset()
{
  return GetScaleFactor()->Apply(GetIsInplace() ? 1 : 2);
}

int TcxCustomCheckBoxViewData::GetDrawTextFlags(bool AVertCenter)
{
  int flags = cxtfShowPrefix;
  if (UseRightToLeftAlignment) {
    switch (Properties()->GetAlignment()->GetHorz()) {
      case rtl::TAlignment::taCenter:
        flags |= cxtfAlignHCenter;
        break;
      default:
        // Mirrored: the caption of a right-aligned mark stands at its left.
        flags |= cxtfAlignRight;
        break;
    }
  }
  if (AVertCenter)
    flags |= cxtfAlignVCenter;
  if (Properties()->GetMultiLine())
    flags |= cxtfWordBreak | cxtfNoClip;
  else if (Properties()->GetShowEndEllipsis())
    flags |= cxtfSingleLine | cxtfEndEllipsis;
  else
    flags |= cxtfSingleLine;
  if (UseRightToLeftReading)
    flags |= cxtfRtlReading;
  return flags;
}

TSize TcxCustomCheckBoxViewData::GetCheckBoxSize(TcxCustomCheckBoxViewInfo* AViewInfo)
{
  if (AViewInfo->HasGlyph) {
    TdxSmartGlyph* glyph = AViewInfo->CheckBoxGlyph;
    const TSize source = glyph->GetSourceSize();
    const TSize part{source.cx / std::max(AViewInfo->CheckBoxGlyphCount, 1), source.cy};
    return GetScaleFactor()->Apply(part, glyph->GetSourceDPI(), dxDefaultDPI);
  }
  TcxCustomLookAndFeelPainter* painter = AViewInfo->Painter;
  if (!painter && cxLookAndFeelPaintersManager())
    painter = cxLookAndFeelPaintersManager()->GetPainter(AViewInfo->NativeStyle ? TcxLookAndFeelStyle::lfsNative
                                                                                : TcxLookAndFeelStyle::lfsStandard);
  return painter ? painter->ScaledCheckButtonSize(GetScaleFactor()) : GetScaleFactor()->Apply(TSize{13, 13});
}

void TcxCustomCheckBoxViewData::CalculateCheckBoxRect(TcxCustomCheckBoxViewInfo* AViewInfo)
{
  const TRect client = AViewInfo->ClientRect;
  const TSize size{std::min<int>(AViewInfo->CheckBoxSize.cx, cxRectGetWidth(client)),
                   std::min<int>(AViewInfo->CheckBoxSize.cy, cxRectGetHeight(client))};
  TRect r;
  r.left = client.left + (cxRectGetWidth(client) - size.cx) / 2;
  r.top = client.top + (cxRectGetHeight(client) - size.cy) / 2;
  r.right = r.left + size.cx;
  r.bottom = r.top + size.cy;
  if (size.cx < cxRectGetWidth(client)) {
    const int offset = GetIsInplace() && Properties()->IsCaptionVisibleInplace() ? 0 : GetContentOffset();
    if (AViewInfo->Alignment == rtl::TAlignment::taLeftJustify)
      OffsetRect(&r, client.left + offset - r.left, 0);
    else if (AViewInfo->Alignment == rtl::TAlignment::taRightJustify)
      OffsetRect(&r, client.right - offset - r.right, 0);
  }
  AViewInfo->CheckBoxRect = r;
}

void TcxCustomCheckBoxViewData::CalculateTextRect(TcxCustomCheckBoxViewInfo* AViewInfo)
{
  const TRect client = AViewInfo->ClientRect;
  TRect r = client;
  r.left += GetContentOffset();
  r.right -= GetContentOffset();
  const TRect mark = AViewInfo->CheckBoxRect;
  if (cxRectGetWidth(mark) >= cxRectGetWidth(client))
    r.right = r.left;
  else if (AViewInfo->Alignment == rtl::TAlignment::taLeftJustify)
    r.left = mark.right + GetCaptionOffset();
  else if (AViewInfo->Alignment == rtl::TAlignment::taRightJustify)
    r.right = mark.left - GetCaptionOffset();
  // Room for the embossed copy of disabled text.
  const bool embossed = !(AViewInfo->IsContainerInnerControl || Enabled || AViewInfo->IsTextColorAssigned ||
                          AViewInfo->NativeStyle);
  if (embossed && !Style()->GetLookAndFeel()->GetSkinPainter()) {
    ++r.right;
    ++r.bottom;
  }
  AViewInfo->TextRect = r;
}

TcxEditCheckState TcxCustomCheckBoxViewData::CalculateCheckBoxState(TcxCustomCheckBoxViewInfo* AViewInfo,
                                                                    const TPoint& P, TcxMouseButton AButton,
                                                                    vcl::TShiftState AShift)
{
  using enum TcxEditCheckState;
  if (!Enabled)
    return ecsDisabled;
  if (TcxCustomCheckBox* checkBox = CheckBox(); checkBox && checkBox->GetIsCheckPressed())
    return ecsPressed;
  if (IsDesigning || !PtInRect(&AViewInfo->BorderRect, P))
    return ecsNormal;
  const bool anyButton = AShift.Contains(vcl::TShiftStateItem::ssLeft) ||
                         AShift.Contains(vcl::TShiftStateItem::ssRight) ||
                         AShift.Contains(vcl::TShiftStateItem::ssMiddle);
  if (!anyButton)
    return ecsHot;
  if (AShift.Contains(vcl::TShiftStateItem::ssLeft) &&
      (AButton == TcxMouseButton::cxmbLeft || AViewInfo->CheckBoxLastState == ecsPressed))
    return ecsPressed;
  return ecsNormal;
}

void TcxCustomCheckBoxViewData::CalculateFocusRect(TcxCustomCheckBoxViewInfo* AViewInfo)
{
  AViewInfo->FocusRect = {};
  const bool centred = AViewInfo->Alignment == rtl::TAlignment::taCenter;
  const bool wanted =
      Focused && ((CaptionVisible() && !centred) ||
                  (GetIsInplace() && centred && PaintOptions.Contains(TcxEditPaintOption::epoShowFocusRectWhenInplace)));
  if (!wanted)
    return;
  TRect r;
  if (centred) {
    r = AViewInfo->ClientRect;
    InflateRect(&r, -1, -1);
  } else if (AViewInfo->Text.empty()) {
    return;
  } else if (Properties()->GetFullFocusRect()) {
    r = AViewInfo->TextRect;
    InflateRect(&r, 1, 0);
  } else {
    // The caption's own extent, inside the text rectangle.
    TcxCanvas* canvas = cxScreenCanvas();
    canvas->SetFont(AViewInfo->Font);
    TRect measured = AViewInfo->TextRect;
    canvas->TextExtent(AViewInfo->Text, measured, AViewInfo->DrawCaptionFlags & ~cxtfAlignVCenter);
    const TRect& text = AViewInfo->TextRect;
    const int height = cxRectGetHeight(measured);
    r.left = text.left;
    r.right = std::min<int>(text.left + cxRectGetWidth(measured), text.right);
    if (AViewInfo->DrawCaptionFlags & cxtfAlignRight) {
      r.right = text.right;
      r.left = std::max<int>(text.right - cxRectGetWidth(measured), text.left);
    }
    r.top = text.top + (cxRectGetHeight(text) - height) / 2;
    r.bottom = r.top + height;
    IntersectRect(&r, &r, &text);
    InflateRect(&r, 1, 1);
  }
  if (IsRectEmpty(&r)) {
    AViewInfo->FocusRect = r;
    return;
  }
  if (centred) {
    r.top = std::max<int>(r.top, AViewInfo->ClientRect.top);
    r.bottom = std::min<int>(r.bottom, AViewInfo->ClientRect.bottom);
  } else {
    const TRect& text = AViewInfo->TextRect;
    const int inplace = GetIsInplace() ? 2 : 0;
    r.left = std::max<int>(r.left, text.left - 1);
    r.top = std::max<int>(r.top, text.top - 1 + inplace);
    r.right = std::min<int>(r.right, std::min<int>(text.right + 1, AViewInfo->BorderRect.right - 1));
    r.bottom = std::min<int>(r.bottom, text.bottom + 1 - inplace);
  }
  AViewInfo->FocusRect = r;
}

void TcxCustomCheckBoxViewData::EditValueToDrawValue(const rtl::Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo)
{
  auto* viewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(AViewInfo);
  if (!viewInfo)
    return;
  viewInfo->State = PreviewMode ? TcxCheckBoxState::cbsChecked : Properties()->GetState(AEditValue);
  if (!CaptionVisible())
    viewInfo->Text = {};
  CalculateFocusRect(viewInfo);
}

void TcxCustomCheckBoxViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, vcl::TShiftState Shift,
                                          TcxCustomEditViewInfo* AEditViewInfo, bool AIsMouseEvent)
{
  inherited::Calculate(ACanvas, ABounds, P, Button, Shift, AEditViewInfo, AIsMouseEvent);
  auto* AViewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(AEditViewInfo);
  if (!AViewInfo)
    return;
  TcxCustomCheckBoxProperties* properties = Properties();
  AViewInfo->DrawCaptionFlags = GetDrawTextFlags(true);
  AViewInfo->TextRect = AViewInfo->ClientRect;
  TcxCustomCheckBox* checkBox = CheckBox();
  if (checkBox) {
    AViewInfo->Text = checkBox->GetCaption();
    AViewInfo->State = checkBox->GetState();
  }

  if (GetIsInplace() && !properties->IsCaptionVisibleInplace() && !properties->GetUseAlignmentWhenInplace() &&
      AViewInfo->Text.empty()) {
    AViewInfo->Alignment = rtl::TAlignment::taCenter;
  } else {
    AViewInfo->Alignment = properties->GetAlignment()->GetHorz();
    if (UseRightToLeftAlignment && AViewInfo->Alignment != rtl::TAlignment::taCenter)
      AViewInfo->Alignment = AViewInfo->Alignment == rtl::TAlignment::taLeftJustify ? rtl::TAlignment::taRightJustify
                                                                                    : rtl::TAlignment::taLeftJustify;
  }

  using enum TcxEditBorderStyle;
  TcxEditBorderStyle borderStyle = static_cast<TcxEditBorderStyle>(Style()->GetBorderStyle());
  if (AViewInfo->HotState == TcxContainerHotState::chsSelected) {
    switch (borderStyle) {
      case ebsNone:
        borderStyle = ebsFlat;
        break;
      case ebsSingle:
      case ebsThick:
        borderStyle = ebsThick;
        break;
      case ebsFlat:
      case ebs3D:
        borderStyle = ebs3D;
        break;
      default:
        break;
    }
  }
  AViewInfo->CheckBoxBorderStyle = borderStyle;

  TcxLookAndFeel* lookAndFeel = Style()->GetLookAndFeel();
  const bool skinned = lookAndFeel && lookAndFeel->GetSkinPainter();
  AViewInfo->CheckBoxGlyph = properties->GetGlyph();
  AViewInfo->CheckBoxGlyphCount = properties->GetGlyphCountValue();
  AViewInfo->NullValueShowingStyle = properties->GetNullStyle();
  AViewInfo->HasGlyph = AViewInfo->CheckBoxGlyphCount > 0 && AViewInfo->CheckBoxGlyph &&
                        !AViewInfo->CheckBoxGlyph->GetEmpty();
  AViewInfo->CheckBorderOffset =
      AViewInfo->NativeStyle || AViewInfo->HasGlyph || skinned
          ? 0
          : 2 - cxGetContainerBorderWidth(static_cast<TcxContainerBorderStyle>(borderStyle));
  AViewInfo->IsTextColorAssigned =
      Style()->IsValueAssigned(csvTextColor) ||
      (skinned && lookAndFeel->GetSkinPainter()->DefaultEditorTextColor(!Enabled) != vcl::clDefault);
  AViewInfo->CheckBoxSize = GetCheckBoxSize(AViewInfo);
  CalculateCheckBoxRect(AViewInfo);
  CalculateTextRect(AViewInfo);
  AViewInfo->CheckBoxLastState = AViewInfo->CheckBoxState;
  AViewInfo->CheckBoxState = CalculateCheckBoxState(AViewInfo, P, Button, Shift);
  AViewInfo->SetBackgroundColor(Style()->GetColor());
  CalculateFocusRect(AViewInfo);
  if (GetIsInplace() && borderStyle == ebsSingle)
    AViewInfo->BorderColor =
        AViewInfo->CheckBoxState == TcxEditCheckState::ecsHot ||
                (IsDesigning && AViewInfo->CheckBoxState != TcxEditCheckState::ecsDisabled)
            ? vcl::clHighlight
            : vcl::clBtnShadow;
  AViewInfo->FadingHelper->UpdateState();
}

TSize TcxCustomCheckBoxViewData::GetEditContentSize(TcxCanvas* ACanvas, const rtl::Variant& /*AEditValue*/,
                                                    const TcxEditSizeProperties& AEditSizeProperties,
                                                    TcxEditValidateInfo* /*AErrorData*/)
{
  ACanvas->SaveState();
  rtl::Finally restore([ACanvas] { ACanvas->RestoreState(); });
  TcxCustomCheckBox* checkBox = CheckBox();
  const rtl::String text = checkBox ? checkBox->GetCaption() : rtl::String();
  if (text.empty())
    return {0, 0};
  ACanvas->SetFont(Style()->GetVisibleFont());
  TRect r{0, 0, std::max(AEditSizeProperties.Width - GetCaptionOffset(), 1), 0};
  ACanvas->TextExtent(text, r, GetDrawTextFlags(false) | cxtfNoCharBreak);
  return {cxRectGetWidth(r) + GetCaptionOffset(), cxRectGetHeight(r) + 2 * GetContentOffset()};
}

void TcxCustomCheckBoxViewData::CalculateConstantPartSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                          TSize& AConstantPart, TSize& MinContentSize)
{
  inherited::CalculateConstantPartSize(ACanvas, AViewInfo, AConstantPart, MinContentSize);
  auto* viewInfo = rtl::As<TcxCustomCheckBoxViewInfo>(AViewInfo);
  if (!viewInfo)
    return;
  const TSize check = GetCheckBoxSize(viewInfo);
  AConstantPart.cx += check.cx + 2 * GetContentOffset();
  MinContentSize.cy = check.cy + 2 * GetContentOffset();
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
  const TcxCheckBoxState state = GetActiveProperties()->GetState(GetEditValue());
  if (state != before) {
    if (TcxCustomCheckBoxViewInfo* viewInfo = GetCheckBoxViewInfo())
      viewInfo->State = state;
    Click();
    DoChange();
  }
  // Only the mark shows the value.
  RefreshComparing();
}

void TcxCustomCheckBox::PropertiesChanged(rtl::TObject* Sender)
{
  TcxCustomCheckBoxProperties* properties = GetActiveProperties();
  if (properties->IsCaptionAssigned()) {
    SetCaption(properties->GetCaption());
    properties->ResetCaptionAssigned();
  }
  // New values may give the current value another state.
  TcxCustomCheckBoxViewInfo* viewInfo = GetCheckBoxViewInfo();
  const TcxCheckBoxState state = GetState();
  if (viewInfo && viewInfo->State != state) {
    viewInfo->State = state;
    InvalidateMark();
    if (!AreChangeEventsLocked()) {
      Click();
      DoChange();
    }
  }
  inherited::PropertiesChanged(Sender);
}

void TcxCustomCheckBox::InvalidateMark()
{
  TcxCustomCheckBoxViewInfo* viewInfo = GetCheckBoxViewInfo();
  if (viewInfo && HandleAllocated())
    cxRedrawWindowRect(GetHandle(), viewInfo->CheckBoxRectInControl(), false, false);
}

void TcxCustomCheckBox::CheckPressedChanged(bool APressed)
{
  FIsCheckPressed = APressed;
  RefreshComparing();
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

TcxCustomCheckBoxViewInfo* TcxCustomCheckBox::GetCheckBoxViewInfo()
{
  return rtl::As<TcxCustomCheckBoxViewInfo>(TcxContainer::GetViewInfo());
}

void TcxCustomCheckBox::ProcessViewInfoChanges()
{
  inherited::ProcessViewInfoChanges();
  // The left button released over the control after pressing the mark.
  TcxCustomCheckBoxViewInfo* viewInfo = GetCheckBoxViewInfo();
  if (viewInfo && viewInfo->CheckBoxLastState == TcxEditCheckState::ecsPressed &&
      viewInfo->CheckBoxState == TcxEditCheckState::ecsHot && (IsInplace() || Focused())) {
    viewInfo->CheckBoxLastState = viewInfo->CheckBoxState;
    Toggle();
  }
}

bool TcxCustomCheckBox::SupportsAutoWidth()
{
  return GetActiveProperties()->GetAlignment()->GetHorz() != rtl::TAlignment::taCenter;
}

bool TcxCustomCheckBox::UsesWordWrap()
{
  return GetActiveProperties()->GetMultiLine();
}

TcxEditSizeProperties TcxCustomCheckBox::GetEditSizeProperties()
{
  TcxEditSizeProperties result = inherited::GetEditSizeProperties();
  result.MaxLineCount = GetActiveProperties()->GetMultiLine() ? 0 : 1;
  if (TcxCustomCheckBoxViewInfo* viewInfo = GetCheckBoxViewInfo())
    result.Width = cxRectGetWidth(viewInfo->TextRect);
  return result;
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
// TcxFilterCheckBoxHelper

TcxCustomFilterEditHelperClass TcxFilterCheckBoxHelper::Class() noexcept
{
  static constexpr TcxFilterCheckBoxHelper instance{};
  return &instance;
}

void TcxFilterCheckBoxHelper::GetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                             rtl::Variant& V, rtl::String& S) const
{
  auto* properties = rtl::As<TcxCustomCheckBoxProperties>(AEditProperties);
  switch (rtl::As<TcxCustomTextEdit>(AEdit)->GetItemIndex()) {
    case 0:
      V = properties->GetValueChecked();
      break;
    case 1:
      V = properties->GetValueUnchecked();
      break;
    default:
      V = rtl::Null();
      S.clear();
      return;
  }
  S = properties->GetDisplayText(V);
}

TcxFilterControlOperators TcxFilterCheckBoxHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               TcxValueTypeClass, bool) const
{
  using TcxOp = TcxFilterControlOperator;
  return {TcxOp::fcoEqual, TcxOp::fcoNotEqual, TcxOp::fcoBlanks, TcxOp::fcoNonBlanks};
}

void TcxFilterCheckBoxHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const
{
  // The combo box's preparation first: it makes the list editable, which a
  // choice between two values must not be.
  TcxFilterComboBoxHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  auto* properties = rtl::As<TcxCustomComboBoxProperties>(AProperties);
  auto* checkBoxProperties = rtl::As<TcxCustomCheckBoxProperties>(AEditProperties);
  rtl::TStrings* items = properties->GetItems();
  items->Clear();
  items->Add(checkBoxProperties->GetDisplayText(checkBoxProperties->GetValueChecked()));
  items->Add(checkBoxProperties->GetDisplayText(checkBoxProperties->GetValueUnchecked()));
  properties->SetDropDownListStyle(TcxEditDropDownListStyle::lsFixedList);
  properties->SetIDefaultValuesProvider(nullptr);
}

void TcxFilterCheckBoxHelper::SetFilterValue(TcxCustomEdit* AEdit, TcxCustomEditProperties* AEditProperties,
                                             const rtl::Variant& AValue) const
{
  auto* properties = rtl::As<TcxCustomCheckBoxProperties>(AEditProperties);
  int index = -1;
  if (cxVarIsEqual(AValue, properties->GetValueChecked()))
    index = 0;
  else if (cxVarIsEqual(AValue, properties->GetValueUnchecked()))
    index = 1;
  rtl::As<TcxCustomTextEdit>(AEdit)->SetItemIndex(index);
}

// ---------------------------------------------------------------------------
// Start-up

namespace {

void cxCheckBoxInitialization()
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TcxCheckBox>());
  cxEditPropertiesRegistry()->Register(TcxCheckBoxProperties::StaticClass(),
                                       dxLookupResourceString(scxSEditRepositoryCheckBoxItem));
  cxFilterEditsControllerInstance()->Register(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::Class());
}

void cxCheckBoxFinalization()
{
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TcxCheckBox>());
  cxEditPropertiesRegistry()->Unregister(TcxCheckBoxProperties::StaticClass());
  cxFilterEditsControllerUnregister(TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::Class());
}

}  // namespace

RTL_UNIT(cxCheckBox, &cxCheckBoxInitialization, &cxCheckBoxFinalization);
