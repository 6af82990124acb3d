// The cxEdit unit's view info: the kept layout of an editor that paints the
// frame, background, validation mark and buttons, answers hit tests and
// hints, and works out what to repaint against the view info it replaces.
#include "editors/cxEdit.h"

#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "core/dxThemeManager.h"
#include "core/dxUxTheme.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxFading.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"

namespace {

using enum TcxEditButtonState;
using enum TcxEditButtonStyle;
using enum TcxEditButtonKind;
using enum TcxButtonState;

TcxButtonState ToButtonState(TcxEditButtonState AState)
{
  static constexpr TcxButtonState states[] = {cxbsDisabled, cxbsNormal, cxbsPressed, cxbsHot};
  return states[static_cast<int>(AState)];
}

TcxEditBtnKind ToEditBtnKind(TcxEditButtonKind AKind)
{
  switch (AKind) {
    case bkEllipsis:
      return TcxEditBtnKind::cxbkEllipsisBtn;
    case bkDown:
      return TcxEditBtnKind::cxbkComboBtn;
    default:
      return TcxEditBtnKind::cxbkEditorBtn;
  }
}

TcxEditBtnPosition ToEditBtnPosition(const TcxEditButtonViewInfo* AViewInfo)
{
  return AViewInfo->Data.LeftAlignment ? TcxEditBtnPosition::cxbpLeft : TcxEditBtnPosition::cxbpRight;
}

// The box of ASize centred in R (an odd remainder leaves the extra pixel
// right and below), moved by (1, 1) with AOffset where it still fits.
TRect CenterBox(const TRect& R, TSize ASize, bool AOffset)
{
  TRect result;
  result.left = R.left + (cxRectGetWidth(R) - ASize.cx) / 2;
  result.top = R.top + (cxRectGetHeight(R) - ASize.cy) / 2;
  result.right = result.left + ASize.cx;
  result.bottom = result.top + ASize.cy;
  if (AOffset) {
    if (result.right + 1 <= R.right)
      OffsetRect(&result, 1, 0);
    if (result.bottom + 1 <= R.bottom)
      OffsetRect(&result, 0, 1);
  }
  return result;
}

// One-pixel vertical edge at the left or right of R in AColor; R gives the
// column up.
void DrawLeftEdge(TcxCanvas* ACanvas, TRect& R, vcl::TColor AColor)
{
  cxEditDrawBorderEdges(ACanvas, R, {TcxBorder::bLeft}, AColor);
}

void DrawRightEdge(TcxCanvas* ACanvas, TRect& R, vcl::TColor AColor)
{
  cxEditDrawBorderEdges(ACanvas, R, {TcxBorder::bRight}, AColor);
}

// The part of a hint before its '|'.
rtl::String ShortHint(const rtl::String& AHint)
{
  const std::size_t bar = AHint.find(L'|');
  return bar == rtl::String::npos ? AHint : AHint.substr(0, bar);
}

vcl::TColor DefaultBrushColor(const TcxEditButtonViewInfo* AViewInfo)
{
  return AViewInfo->Data.Transparent ? AViewInfo->Data.BackgroundColor : vcl::clBtnFace;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

void TcxCustomEditViewInfo::Create()
{
  inherited::Create();
  FScaleFactor = rtl::New<TdxOwnedScaleFactor>();
  FErrorData = rtl::New<TcxEditValidateInfo>();
  LastPressedButton = -1;
  LastSelectedButton = -1;
  PressedButton = -1;
  SelectedButton = -1;
  TextColor = vcl::clDefault;
}

void TcxCustomEditViewInfo::Destroy()
{
  SetButtonCount(0);
  rtl::FreeAndNil(FErrorData);
  rtl::FreeAndNil(FScaleFactor);
  inherited::Destroy();
}

TdxScaleFactor* TcxCustomEditViewInfo::GetScaleFactor() const
{
  return FScaleFactor;
}

TcxEditButtonViewInfoClass TcxCustomEditViewInfo::ButtonViewInfoClass()
{
  return TcxEditButtonViewInfoClass::Of<TcxEditButtonViewInfo>();
}

void TcxCustomEditViewInfo::SetButtonCount(int ACount)
{
  ACount = std::max(ACount, 0);
  while (GetButtonCount() > ACount) {
    rtl::Free(ButtonsInfo.back());
    ButtonsInfo.pop_back();
  }
  while (GetButtonCount() < ACount) {
    TcxEditButtonViewInfo* button = ButtonViewInfoClass().Create();
    button->EditViewInfo = this;
    ButtonsInfo.push_back(button);
  }
}

void TcxCustomEditViewInfo::ResetValidationInfo()
{
  FErrorData->Reset();
  FNeedShowErrorIcon = false;
  FErrorBounds = TRect{};
}

TPoint TcxCustomEditViewInfo::SetOrigin(const TPoint& APoint)
{
  const TPoint result{Left, Top};
  Left = APoint.x;
  Top = APoint.y;
  return result;
}

TcxContainerBorderStyle TcxCustomEditViewInfo::GetContainerBorderStyle()
{
  return static_cast<TcxContainerBorderStyle>(BorderStyle);
}

void TcxCustomEditViewInfo::SetBackgroundColor(vcl::TColor AValue)
{
  inherited::SetBackgroundColor(AValue);
}

// ---------------------------------------------------------------------------
// Copying and moving

void TcxCustomEditViewInfo::Assign(rtl::TObject* Source)
{
  if (rtl::Is<TcxCustomEditViewInfo>(Source)) {
    auto* source = static_cast<TcxCustomEditViewInfo*>(Source);
    SetBackgroundColor(source->GetBackgroundColor());
    BorderColor = source->BorderColor;
    BorderStyle = source->BorderStyle;
    inherited::BorderStyle = source->inherited::BorderStyle;
    ContainerState = source->ContainerState;
    NativeState = source->NativeState;
    SetButtonCount(source->GetButtonCount());
    for (int i = 0; i < GetButtonCount(); ++i)
      ButtonsInfo[i]->Assign(source->ButtonsInfo[i]);
    PressedButton = source->PressedButton;
    SelectedButton = source->SelectedButton;
  }
  inherited::Assign(Source);
}

void TcxCustomEditViewInfo::Offset(int DX, int DY)
{
  inherited::Offset(DX, DY);
  for (TRect* R : {&InnerEditRect, &ShadowRect, &FEditorBounds, &FErrorBounds})
    OffsetRect(R, DX, DY);
  for (TcxEditButtonViewInfo* button : ButtonsInfo) {
    OffsetRect(&button->Bounds, DX, DY);
    OffsetRect(&button->VisibleBounds, DX, DY);
  }
}

// ---------------------------------------------------------------------------
// Painting

void TcxCustomEditViewInfo::Paint(TcxCanvas* ACanvas)
{
  if (OnPaint)
    OnPaint(this, ACanvas);
  InternalPaint(ACanvas);
  if (!OnAfterDrawValue.Empty())
    OnAfterDrawValue.GetInvoke()(ACanvas);
}

void TcxCustomEditViewInfo::InternalPaint(TcxCanvas* ACanvas)
{
  DrawCustomEdit(ACanvas, true, true);
}

void TcxCustomEditViewInfo::PaintEx(TcxCanvas* ACanvas)
{
  const TPoint origin = ACanvas->GetWindowOrg();
  ACanvas->SetWindowOrg(TPoint{origin.x - Left, origin.y - Top});
  rtl::Finally restore([&] { ACanvas->SetWindowOrg(origin); });
  Paint(ACanvas);
}

bool TcxCustomEditViewInfo::DrawBackground(TcxCanvas* ACanvas)
{
  bool handled = false;
  if (IsInplace && FOnDrawBackground)
    FOnDrawBackground(this, ACanvas, handled);
  return handled;
}

bool TcxCustomEditViewInfo::DrawBackground(TcxCanvas* ACanvas, const TPoint& APos)
{
  const TPoint origin = ACanvas->GetWindowOrg();
  ACanvas->SetWindowOrg(TPoint{origin.x + APos.x, origin.y + APos.y});
  rtl::Finally restore([&] { ACanvas->SetWindowOrg(origin); });
  return DrawBackground(ACanvas);
}

void TcxCustomEditViewInfo::DrawCustomEdit(TcxCanvas* ACanvas, bool ACanDrawBackground, bool ACanDrawValidationMark)
{
  rtl::TObject* edit = EditObject();
  TdxFader* fader = dxGetFader();
  const bool fading = edit && fader && fader->Contains(edit);
  if (!IsInplace && (IsBackgroundPartiallyTransparent() || fading))
    DrawParentBackground(ACanvas, Bounds);
  if (!(fading && fader->DrawFadeImage(edit, ACanvas->GetHandle(), Bounds)))
    cxEditDrawBackground(ACanvas, this, ACanDrawBackground);
  if (!OnAfterDrawBackground.Empty())
    OnAfterDrawBackground.GetInvoke()(ACanvas);
  if (ACanDrawValidationMark)
    DrawValidationMark(ACanvas);
  DrawButtons(ACanvas);
}

void TcxCustomEditViewInfo::DrawValidationMark(TcxCanvas* ACanvas)
{
  TdxSmartGlyph* icon = FErrorData->GetErrorIcon();
  if (!FErrorData->IsError() || !icon || icon->GetEmpty() || cxRectHasNoArea(FErrorBounds))
    return;
  TSize size = cxGetImageSize(icon, FScaleFactor);
  size.cx = std::min<int>(size.cx, cxRectGetWidth(FErrorBounds));
  size.cy = std::min<int>(size.cy, cxRectGetHeight(FErrorBounds));
  ACanvas->SaveClipRegion();
  rtl::Finally restore([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(FErrorBounds);
  cxDrawImage(ACanvas, CenterBox(FErrorBounds, size, false), icon, FScaleFactor, nullptr, true);
}

TcxCustomEditViewInfo::TBackgroundKind TcxCustomEditViewInfo::GetBackgroundKind()
{
  if (IsInplace) {
    if (IsCustomBackground())
      return TBackgroundKind::Custom;
    return Transparent ? TBackgroundKind::None : TBackgroundKind::Fill;
  }
  if (Transparent)
    return TBackgroundKind::ParentBackground;
  if (EditorUsesParentBackground())
    return TBackgroundKind::OwnParentBackground;
  return NativeStyle ? TBackgroundKind::Fill : TBackgroundKind::Frame;
}

bool TcxCustomEditViewInfo::IsBackgroundTransparent()
{
  const TBackgroundKind kind = GetBackgroundKind();
  return kind != TBackgroundKind::Frame && kind != TBackgroundKind::Fill;
}

void TcxCustomEditViewInfo::DrawEditBackground(TcxCanvas* ACanvas, const TRect& ARect, const TRect& AGlyphRect,
                                               bool AGlyphTransparent)
{
  ACanvas->SaveDC();
  rtl::Finally restore([&] { ACanvas->RestoreDC(); });
  if (!AGlyphTransparent)
    ACanvas->ExcludeClipRect(AGlyphRect);
  switch (GetBackgroundKind()) {
    case TBackgroundKind::Custom:
      ACanvas->IntersectClipRect(ARect);
      DrawBackground(ACanvas);
      break;
    case TBackgroundKind::Frame:
      DrawCustomEdit(ACanvas, true, false);
      break;
    case TBackgroundKind::None:
      break;
    case TBackgroundKind::Fill:
      cxFillRectWithColor(ACanvas, ARect, GetBackgroundColor());
      break;
    case TBackgroundKind::ParentBackground:
      DrawParentBackground(ACanvas, ARect);
      break;
    case TBackgroundKind::OwnParentBackground:
      if (vcl::TWinControl* control = EditControl())
        cxDrawControlParentBackground(control, ACanvas, ARect);
      break;
  }
}

void TcxCustomEditViewInfo::DrawParentBackground(TcxCanvas* ACanvas, const TRect& R)
{
  if (vcl::TWinControl* control = EditControl())
    cxPaintParentBackground(control, ACanvas, R);
}

bool TcxCustomEditViewInfo::IsBackgroundPartiallyTransparent()
{
  if (FNeedShowErrorIcon)
    return true;
  if (!NativeStyle || BorderStyle == TcxEditBorderStyle::ebsNone)
    return false;
  HTHEME theme = dxOpenTheme(TdxThemedObjectType::totEdit);
  const int part = dxOSIsWindowsVistaOrLater ? 6 : 1;
  return theme && dxUxIsThemeBackgroundPartiallyTransparent(theme, part, NativeState);
}

void TcxCustomEditViewInfo::DrawNativeStyleEditBackground(TcxCanvas* ACanvas, bool ADrawBackground,
                                                          HBRUSH ABackgroundBrush)
{
  const bool bordered = !IsInplace && BorderStyle != TcxEditBorderStyle::ebsNone;
  if (!bordered) {
    if (!Transparent)
      cxEditFillRect(ACanvas->GetHandle(), Bounds, ABackgroundBrush);
    return;
  }
  const TcxEditBackgroundPaintingStyle paintingStyle = BackgroundPaintingStyle();
  const bool vista = dxOSIsWindowsVistaOrLater;
  HTHEME theme;
  int part;
  if (vista && paintingStyle == TcxEditBackgroundPaintingStyle::bpsComboListEdit) {
    theme = dxOpenTheme(TdxThemedObjectType::totButton);
    part = 1;
  } else {
    theme = dxOpenTheme(TdxThemedObjectType::totEdit);
    part = vista ? 6 : 1;
  }
  TRect content;
  switch (paintingStyle) {
    case TcxEditBackgroundPaintingStyle::bpsSolid:
      content = FEditorBounds;
      if (vista)
        InflateRect(&content, -2, -2);
      else if (theme)
        dxUxGetThemeBackgroundContentRect(theme, ACanvas->GetHandle(), part, NativeState, FEditorBounds, &content);
      break;
    case TcxEditBackgroundPaintingStyle::bpsComboEdit:
      content = FEditorBounds;
      InflateRect(&content, -3, -3);
      --content.right;
      break;
    case TcxEditBackgroundPaintingStyle::bpsComboListEdit:
      content = vista ? TRect{} : ClientRect;
      break;
  }
  if (theme) {
    ACanvas->SaveClipRegion();
    if (!cxRectHasNoArea(content))
      ACanvas->ExcludeClipRect(content);
    dxUxDrawThemeBackground(theme, ACanvas->GetHandle(), part, NativeState, FEditorBounds);
    ACanvas->RestoreClipRegion();
  }
  if (Transparent)
    return;
  if (ADrawBackground)
    cxEditFillRect(ACanvas->GetHandle(), content, ABackgroundBrush);
  else if (paintingStyle != TcxEditBackgroundPaintingStyle::bpsComboListEdit)
    cxEditFillRectFrame(ACanvas, content, BorderRect, ABackgroundBrush);
}

// ---------------------------------------------------------------------------
// Buttons

void TcxCustomEditViewInfo::DrawButtons(TcxCanvas* ACanvas)
{
  if (FState.Contains(TcxEditViewInfoState::evsPaintButtons) || EditorPaintsButtons())
    return;
  FState.Include(TcxEditViewInfoState::evsPaintButtons);
  rtl::Finally clear([&] { FState.Exclude(TcxEditViewInfoState::evsPaintButtons); });
  for (int i = 0; i < GetButtonCount(); ++i)
    DrawButton(ACanvas, i);
}

void TcxCustomEditViewInfo::DrawButton(TcxCanvas* ACanvas, int AButtonVisibleIndex)
{
  TcxEditButtonViewInfo* button = ButtonsInfo[AButtonVisibleIndex];
  button->Data.BackgroundColor = GetBackgroundColor();
  if (cxRectHasNoArea(button->VisibleBounds))
    return;
  const bool clipped = !cxRectContainsRect(BorderRect, button->Bounds);
  if (clipped) {
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(button->VisibleBounds);
  }
  rtl::Finally restore([&] {
    if (clipped)
      ACanvas->RestoreClipRegion();
  });
  bool handled = false;
  if (OnDrawButton)
    OnDrawButton(button, ACanvas, handled);
  if (!handled)
    DrawDefaultButton(ACanvas, button);
}

void TcxCustomEditViewInfo::DrawDefaultButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButtonViewInfo)
{
  // A running fade shows its frame instead of the button.
  if (AButtonViewInfo->FadingHelper && AButtonViewInfo->FadingHelper->GetActive() &&
      AButtonViewInfo->FadingHelper->DrawImage(ACanvas->GetHandle(), AButtonViewInfo->Bounds))
    return;
  vcl::TColor penColor = vcl::clBtnText;
  vcl::TColor brushColor = 0;
  TRect R = AButtonViewInfo->Bounds;
  TRect contentRect = R;
  DrawButtonBorder(ACanvas, AButtonViewInfo, R, contentRect, penColor, brushColor);
  if (!cxRectHasNoArea(contentRect))
    DrawButtonBackground(ACanvas, AButtonViewInfo, R, contentRect, brushColor);
  const bool offsetContent = AButtonViewInfo->Data.State == ebsPressed && EditorOffsetsButtonContent();
  DrawButtonContent(ACanvas, AButtonViewInfo, contentRect, penColor, brushColor, offsetContent);
}

void TcxCustomEditViewInfo::DrawButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                             TRect& AContentRect, vcl::TColor& APenColor, vcl::TColor& ABrushColor)
{
  bool handled = false;
  if (OnDrawButtonBorder)
    OnDrawButtonBorder(AViewInfo, ACanvas, ARect, AContentRect, handled);
  if (handled)
    return;
  if (AViewInfo->Data.NativeStyle) {
    CalculateNativeButtonContentRect(ACanvas, AViewInfo, ARect, AContentRect);
    return;
  }
  if (AViewInfo->Data.UseSkins) {
    vcl::TColor color = GetBackgroundColor();
    if (color == vcl::clDefault)
      color = AViewInfo->Data.State == ebsDisabled ? vcl::clBtnFace : vcl::clWindow;
    ABrushColor = color;
    APenColor = vcl::clBtnText;
    AContentRect = ARect;
    return;
  }
  TcxEditButtonStyle style = AViewInfo->Data.Style;
  const TcxEditButtonState state = AViewInfo->Data.State;
  if (style == btsSimple && (state == ebsPressed || state == ebsSelected))
    style = btsFlat;
  switch (style) {
    case bts3D:
    case btsDefault:
      Draw3DButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, ABrushColor);
      break;
    case btsFlat:
      DrawFlatButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, ABrushColor);
      break;
    case btsSimple:
      DrawSimpleButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, ABrushColor);
      break;
    case btsHotFlat:
      DrawHotFlatButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, APenColor, ABrushColor);
      break;
    case btsUltraFlat:
    case btsOffice11:
      DrawUltraFlatButtonBorder(ACanvas, AViewInfo, ARect, AContentRect, ABrushColor, style == btsOffice11);
      break;
  }
}

void TcxCustomEditViewInfo::Draw3DButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                               TRect& AContentRect, vcl::TColor& ABrushColor)
{
  ABrushColor = DefaultBrushColor(AViewInfo);
  if (AViewInfo->Data.State == ebsPressed) {
    cxEditDrawFrame(ACanvas, ARect, vcl::clBtnShadow);
    cxEditDrawFrame(ACanvas, ARect, ABrushColor);
  } else {
    cxEditDrawComplexFrame(ACanvas, ARect, vcl::cl3DLight, vcl::cl3DDkShadow);
    cxEditDrawComplexFrame(ACanvas, ARect, vcl::clBtnHighlight, vcl::clBtnShadow);
  }
  AContentRect = ARect;
}

void TcxCustomEditViewInfo::DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo, TRect& ARect,
                                                 TRect& AContentRect, vcl::TColor& ABrushColor)
{
  ABrushColor = DefaultBrushColor(AViewInfo);
  DrawLeftEdge(ACanvas, ARect, ABrushColor);
  if (AViewInfo->Data.State == ebsPressed)
    cxEditDrawComplexFrame(ACanvas, ARect, vcl::clBtnShadow, vcl::clBtnHighlight);
  else
    cxEditDrawComplexFrame(ACanvas, ARect, vcl::clBtnHighlight, vcl::clBtnShadow);
  DrawRightEdge(ACanvas, ARect, ABrushColor);
  AContentRect = ARect;
}

void TcxCustomEditViewInfo::DrawSimpleButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                   TRect& ARect, TRect& AContentRect, vcl::TColor& ABrushColor)
{
  if (!Transparent) {
    TRect frame = ARect;
    cxEditDrawFrame(ACanvas, frame, AViewInfo->Data.BackgroundColor);
  }
  InflateRect(&ARect, -1, -1);
  ABrushColor = DefaultBrushColor(AViewInfo);
  DrawLeftEdge(ACanvas, ARect, ABrushColor);
  DrawRightEdge(ACanvas, ARect, ABrushColor);
  AContentRect = ARect;
}

void TcxCustomEditViewInfo::DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                    TRect& ARect, TRect& AContentRect, vcl::TColor& APenColor,
                                                    vcl::TColor& ABrushColor)
{
  static constexpr vcl::TColor brushes[] = {vcl::clBtnFace, vcl::clBtnFace, vcl::clBtnText, vcl::clBtnShadow};
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  ABrushColor = data.Transparent ? data.BackgroundColor : brushes[static_cast<int>(data.State)];
  // The side facing the text gets a full frame; elsewhere the frame's inner
  // edge takes the brush colour.
  const bool facesText = (data.LeftAlignment && data.Rightmost) || (!data.LeftAlignment && data.Leftmost);
  if (facesText) {
    cxEditDrawFrame(ACanvas, ARect, vcl::clBtnShadow);
  } else {
    TcxBorders outer{TcxBorder::bTop, TcxBorder::bBottom};
    outer.Include(data.LeftAlignment ? TcxBorder::bLeft : TcxBorder::bRight);
    cxEditDrawBorderEdges(ACanvas, ARect, outer, vcl::clBtnShadow);
    if (data.LeftAlignment)
      DrawRightEdge(ACanvas, ARect, ABrushColor);
    else
      DrawLeftEdge(ACanvas, ARect, ABrushColor);
  }
  if (data.State == ebsPressed || data.State == ebsSelected)
    APenColor = data.State == ebsSelected && data.Transparent ? vcl::clBtnShadow : vcl::clWindow;
  else
    APenColor = vcl::clBtnText;
  DrawLeftEdge(ACanvas, ARect, ABrushColor);
  DrawRightEdge(ACanvas, ARect, ABrushColor);
  AContentRect = ARect;
}

void TcxCustomEditViewInfo::DrawUltraFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                      TRect& ARect, TRect& AContentRect, vcl::TColor& ABrushColor,
                                                      bool AIsOffice11Style)
{
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  const bool highlighted = data.State == ebsPressed || data.State == ebsSelected;
  if (data.Transparent)
    ABrushColor = data.BackgroundColor;
  else if (data.State == ebsDisabled)
    ABrushColor = vcl::clBtnFace;
  else if (data.State == ebsNormal)
    ABrushColor = AIsOffice11Style ? dxOffice11ButtonFaceColor : vcl::clBtnFace;
  else
    ABrushColor = cxEditButtonStyleColor(data.State == ebsPressed, AIsOffice11Style);
  const vcl::TColor frameColor = cxEditHotBorderColor(AIsOffice11Style);

  const bool withoutBorder = IsInplace ? !PaintOptions.Contains(TcxEditPaintOption::epoHasExternalBorder)
                                       : BorderStyle == TcxEditBorderStyle::ebsNone;
  if (!highlighted || withoutBorder) {
    if (highlighted) {
      TRect frame = ARect;
      cxEditDrawFrame(ACanvas, frame, frameColor);
    } else if (!Transparent) {
      TRect frame = ARect;
      cxEditDrawFrame(ACanvas, frame, data.BackgroundColor);
    }
    InflateRect(&ARect, -1, -1);
    AContentRect = ARect;
    InflateRect(&AContentRect, -1, 0);
    return;
  }
  // Separators between the button and its neighbours; an edge that is not
  // drawn still gives up its pixel.
  bool drawLeft;
  bool drawRight;
  if (data.LeftAlignment) {
    drawLeft = !data.Leftmost;
    drawRight = ARect.right != BorderRect.right;
  } else {
    drawRight = !data.Rightmost;
    drawLeft = ARect.left != BorderRect.left;
  }
  if (drawLeft)
    DrawLeftEdge(ACanvas, ARect, frameColor);
  else
    ++ARect.left;
  if (drawRight)
    DrawRightEdge(ACanvas, ARect, frameColor);
  else
    --ARect.right;
  InflateRect(&ARect, 0, -1);
  AContentRect = ARect;
}

void TcxCustomEditViewInfo::CalculateNativeButtonContentRect(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                             const TRect& ARect, TRect& AContentRect)
{
  if (IsCustomDrawButton(AViewInfo->ButtonVisibleIndex)) {
    AContentRect = ARect;
    return;
  }
  if (AViewInfo->Data.ComboBoxStyle) {
    AContentRect = TRect{};
    return;
  }
  AContentRect = ARect;
  if (HTHEME theme = dxOpenTheme(TdxThemedObjectType::totButton))
    dxUxGetThemeBackgroundContentRect(theme, ACanvas->GetHandle(), 1, AViewInfo->Data.NativeState, ARect,
                                      &AContentRect);
}

void TcxCustomEditViewInfo::DrawButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                 const TRect& ARect, const TRect& AContentRect,
                                                 vcl::TColor ABrushColor)
{
  bool handled = false;
  if (OnDrawButtonBackground)
    OnDrawButtonBackground(AViewInfo, ACanvas, ARect, handled);
  if (handled)
    return;
  if (AViewInfo->Data.NativeStyle)
    DrawNativeButtonBackground(ACanvas, AViewInfo, AViewInfo->Bounds);
  else if (AViewInfo->Data.UseSkins && Painter)
    Painter->DrawScaledEditorButton(ACanvas, ARect, ToEditBtnKind(AViewInfo->Data.Kind),
                                    ToButtonState(AViewInfo->Data.State), AViewInfo->GetScaleFactor(),
                                    ToEditBtnPosition(AViewInfo));
  else
    DrawDefaultButtonBackground(ACanvas, AViewInfo, ARect, ABrushColor);
  (void)AContentRect;
}

void TcxCustomEditViewInfo::DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                       const TRect& ARect)
{
  HTHEME theme;
  int part = 1;
  if (AViewInfo->Data.ComboBoxStyle) {
    theme = dxOpenTheme(TdxThemedObjectType::totComboBox);
    if (dxOSIsWindowsVistaOrLater && !IsInplace)
      part = AViewInfo->Data.LeftAlignment ? 7 : 6;
  } else {
    theme = dxOpenTheme(TdxThemedObjectType::totButton);
  }
  if (theme)
    dxUxDrawThemeBackground(theme, ACanvas->GetHandle(), part, AViewInfo->Data.NativeState, ARect);
}

void TcxCustomEditViewInfo::DrawDefaultButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                                        const TRect& ARect, vcl::TColor ABrushColor)
{
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  if (data.Style == btsOffice11 && data.Gradient && !data.Transparent && data.State != ebsDisabled) {
    vcl::TColor color1 = dxOffice11BarColor1;
    vcl::TColor color2 = dxOffice11BarColor2;
    if (data.State == ebsPressed) {
      color1 = dxOffice11PressedColor1;
      color2 = dxOffice11PressedColor2;
    } else if (data.State == ebsSelected) {
      color1 = dxOffice11SelectedColor1;
      color2 = dxOffice11SelectedColor2;
    }
    TRect gradient{AViewInfo->Bounds.left, BorderRect.top, AViewInfo->Bounds.right, BorderRect.bottom};
    if (data.State == ebsNormal)
      InflateRect(&gradient, 0, -1);
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(ARect);
    dxOffice11FillGradientRect(ACanvas->GetHandle(), gradient, color1, color2, false);
    ACanvas->RestoreClipRegion();
    return;
  }
  cxFillRectWithColor(ACanvas, ARect, ABrushColor);
}

void TcxCustomEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                              const TRect& AContentRect, vcl::TColor APenColor,
                                              vcl::TColor ABrushColor, bool ANeedOffsetContent)
{
  (void)ABrushColor;
  ACanvas->SaveState();
  rtl::Finally restore([&] { ACanvas->RestoreState(); });
  ACanvas->IntersectClipRect(AContentRect);
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  const bool enabled = data.State != ebsDisabled;
  if (data.UseSkins && Painter) {
    Painter->DrawScaledEditorButtonGlyph(ACanvas, AContentRect, ToEditBtnKind(data.Kind), ToButtonState(data.State),
                                         AViewInfo->GetScaleFactor(), ToEditBtnPosition(AViewInfo));
    if (data.Kind != bkGlyph && data.Kind != bkText)
      return;
  }
  switch (data.Kind) {
    case bkEllipsis:
      DrawEllipsisContent(ACanvas, AContentRect, APenColor, enabled, ANeedOffsetContent);
      break;
    case bkDown:
      DrawDownContent(ACanvas, AViewInfo, AContentRect, APenColor, enabled, ANeedOffsetContent);
      break;
    case bkGlyph:
      DrawGlyphContent(ACanvas, AViewInfo, AContentRect, ANeedOffsetContent);
      break;
    case bkText:
      DrawTextContent(ACanvas, AViewInfo, AContentRect, APenColor, ANeedOffsetContent);
      break;
  }
}

void TcxCustomEditViewInfo::DrawEllipsisContent(TcxCanvas* ACanvas, const TRect& AContentRect,
                                                vcl::TColor APenColor, bool AEnabled, bool AOffset)
{
  const int dot = cxRectGetWidth(AContentRect) > 11 ? 2 : 1;
  const TRect box = CenterBox(AContentRect, TSize{3 * dot + 4, dot}, AOffset);
  auto dots = [&](int ADX, int ADY, vcl::TColor AColor) {
    for (int i = 0; i < 3; ++i) {
      TRect R{box.left + i * (dot + 2), box.top, box.left + i * (dot + 2) + dot, box.top + dot};
      OffsetRect(&R, ADX, ADY);
      cxFillRectWithColor(ACanvas, R, AColor);
    }
  };
  if (AEnabled) {
    dots(0, 0, APenColor);
  } else {
    dots(1, 1, vcl::clBtnHighlight);
    dots(0, 0, vcl::clBtnShadow);
  }
}

void TcxCustomEditViewInfo::DrawDownContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                            const TRect& AContentRect, vcl::TColor APenColor, bool AEnabled,
                                            bool AOffset)
{
  const bool pressed = AViewInfo->Data.State == ebsPressed;
  // The arrow keeps its size whatever the button's border took: the
  // rectangle is matched to the button's width (and in place its height);
  // an odd difference goes right or below when pressed, else left or above.
  auto match = [pressed](LONG& ALow, LONG& AHigh, int ATarget) {
    const int diff = ATarget - static_cast<int>(AHigh - ALow);
    const int half = diff / 2;
    const int other = diff - half;
    ALow -= pressed ? half : other;
    AHigh += pressed ? other : half;
  };
  TRect R = AContentRect;
  match(R.left, R.right, cxRectGetWidth(AViewInfo->Bounds));
  if (IsInplace)
    match(R.top, R.bottom, cxRectGetHeight(AViewInfo->Bounds));
  if (AOffset)
    OffsetRect(&R, 1, 1);
  TcxCustomLookAndFeelPainter* standard =
      cxLookAndFeelPaintersManager()->GetPainter(TcxLookAndFeelStyle::lfsStandard);
  if (!standard)
    return;
  if (AEnabled) {
    standard->DrawArrow(ACanvas, R, TcxArrowDirection::adDown, APenColor);
  } else {
    TRect shadow = R;
    OffsetRect(&shadow, 1, 1);
    standard->DrawArrow(ACanvas, shadow, TcxArrowDirection::adDown, vcl::clBtnHighlight);
    standard->DrawArrow(ACanvas, R, TcxArrowDirection::adDown, vcl::clBtnShadow);
  }
}

void TcxCustomEditViewInfo::DrawGlyphContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                             const TRect& AContentRect, bool AOffset)
{
  if (!cxIsImageAssigned(AViewInfo->Glyph, AViewInfo->Images, AViewInfo->ImageIndex))
    return;
  const TSize size = cxGetImageSize(AViewInfo->Glyph, AViewInfo->Images, AViewInfo->ImageIndex,
                                    AViewInfo->GetScaleFactor());
  const TRect R = CenterBox(AContentRect, size, AOffset);
  const TcxButtonState state = ToButtonState(AViewInfo->Data.State);
  IdxColorPalette* palette = Painter ? Painter->EditButtonColorPalette(state) : nullptr;
  TdxSmartGlyph* glyph = AViewInfo->Glyph && !AViewInfo->Glyph->GetEmpty() ? AViewInfo->Glyph : nullptr;
  cxDrawImage(ACanvas, R, glyph, AViewInfo->GetScaleFactor(), palette, state != cxbsDisabled, AViewInfo->ImageIndex,
              AViewInfo->Images);
}

void TcxCustomEditViewInfo::DrawTextContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AViewInfo,
                                            const TRect& AContentRect, vcl::TColor APenColor, bool AOffset)
{
  const TcxEditButtonViewInfoData& data = AViewInfo->Data;
  TRect R = AContentRect;
  InflateRect(&R, -1, IsInplace ? 0 : -1);
  --R.right;
  if (AOffset)
    OffsetRect(&R, 1, 1);
  ACanvas->GetBrush()->SetStyle(vcl::TBrushStyle::bsClear);
  if (Font)
    ACanvas->SetFont(Font);
  const int flags = cxtfSingleLine | cxtfAlignVCenter | cxtfShowPrefix | cxtfEndEllipsis |
                    (data.ContentAlignment == rtl::TAlignment::taLeftJustify    ? cxtfAlignLeft
                     : data.ContentAlignment == rtl::TAlignment::taRightJustify ? cxtfAlignRight
                                                                                : cxtfAlignHCenter);
  auto text = [&](const TRect& ARect, vcl::TColor AColor) {
    ACanvas->GetFont()->SetColor(AColor);
    ACanvas->DrawTexT(data.Caption, ARect, flags);
  };
  if (data.State == ebsDisabled) {
    TRect shadow = R;
    OffsetRect(&shadow, 1, 1);
    text(shadow, vcl::clBtnHighlight);
    text(R, vcl::clBtnShadow);
    return;
  }
  vcl::TColor color;
  if (data.Style == btsHotFlat && (data.State == ebsPressed || data.State == ebsSelected))
    color = APenColor;
  else
    color = data.TextColor == vcl::clDefault ? TextColor : data.TextColor;
  text(R, color);
}

// ---------------------------------------------------------------------------
// Customisation queries

bool TcxCustomEditViewInfo::IsCustomBackground()
{
  return DrawBackground(nullptr);
}

bool TcxCustomEditViewInfo::IsCustomButton(int AButtonVisibleIndex)
{
  bool handled = false;
  if (OnDrawButton && AButtonVisibleIndex >= 0 && AButtonVisibleIndex < GetButtonCount())
    OnDrawButton(ButtonsInfo[AButtonVisibleIndex], nullptr, handled);
  return handled;
}

bool TcxCustomEditViewInfo::IsCustomButtonBackground(int AButtonVisibleIndex)
{
  bool handled = false;
  if (OnDrawButtonBackground && AButtonVisibleIndex >= 0 && AButtonVisibleIndex < GetButtonCount())
    OnDrawButtonBackground(ButtonsInfo[AButtonVisibleIndex], nullptr, TRect{}, handled);
  return handled;
}

bool TcxCustomEditViewInfo::IsCustomButtonBorder(int AButtonVisibleIndex)
{
  bool handled = false;
  if (OnDrawButtonBorder && AButtonVisibleIndex >= 0 && AButtonVisibleIndex < GetButtonCount()) {
    TRect background{};
    TRect content{};
    OnDrawButtonBorder(ButtonsInfo[AButtonVisibleIndex], nullptr, background, content, handled);
  }
  return handled;
}

bool TcxCustomEditViewInfo::IsCustomDrawButton(int AButtonVisibleIndex)
{
  return IsCustomButtonBorder(AButtonVisibleIndex) || IsCustomButtonBackground(AButtonVisibleIndex) ||
         IsCustomButton(AButtonVisibleIndex);
}

bool TcxCustomEditViewInfo::CanDrawEditValue()
{
  bool allow = true;
  if (!OnCanDrawEditValue.Empty())
    OnCanDrawEditValue.GetInvoke()(this, allow);
  return allow;
}

// ---------------------------------------------------------------------------
// Hit testing and hints

int TcxCustomEditViewInfo::GetHitTestPart(const TPoint& P)
{
  const TPoint pt{P.x - Left, P.y - Top};
  for (int i = 0; i < GetButtonCount(); ++i)
    if (PtInRect(&ButtonsInfo[i]->Bounds, pt))
      return i;
  if (FNeedShowErrorIcon && PtInRect(&FErrorBounds, pt))
    return ehtErrorIcon;
  if (PtInRect(&BorderRect, pt))
    return ehtBody;
  return ehtNone;
}

rtl::String TcxCustomEditViewInfo::GetPartHint(int APart)
{
  if (APart >= 0 && APart < GetButtonCount())
    return ButtonsInfo[APart]->Data.Hint;
  if (APart == ehtErrorIcon)
    return FErrorData->GetErrorText();
  return {};
}

TRect TcxCustomEditViewInfo::GetPartBounds(int APart)
{
  if (APart >= 0 && APart < GetButtonCount())
    return ButtonsInfo[APart]->Bounds;
  if (APart == ehtErrorIcon)
    return FErrorBounds;
  if (APart != ehtBody)
    return {};
  TRect result = BorderRect;
  for (TcxEditButtonViewInfo* button : ButtonsInfo) {
    if (button->Data.LeftAlignment && button->Data.Rightmost)
      result.left = std::max(result.left, button->Bounds.right);
    if (!button->Data.LeftAlignment && button->Data.Leftmost)
      result.right = std::min(result.right, button->Bounds.left);
  }
  return result;
}

bool TcxCustomEditViewInfo::NeedShowHint(TcxCanvas*, const TPoint& P, const TRect&, rtl::String& AText,
                                         bool& AIsMultiLine, TRect& ATextRect, int)
{
  AText.clear();
  ATextRect = TRect{};
  AIsMultiLine = false;
  const int part = GetHitTestPart(P);
  if (part < 0 && part != ehtErrorIcon)
    return false;
  AText = ShortHint(GetPartHint(part));
  if (AText.empty())
    return false;
  vcl::THintWindow* window = vcl::Application()->GetHintWindowClass().Create(nullptr);
  rtl::Finally freeWindow([&] { rtl::Free(window); });
  ATextRect = window->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), AText, nullptr);
  OffsetRect(&ATextRect, P.x, P.y + GetSystemMetrics(SM_CYCURSOR));
  return true;
}

bool TcxCustomEditViewInfo::IsHotTrack()
{
  return std::any_of(ButtonsInfo.begin(), ButtonsInfo.end(),
                     [](const TcxEditButtonViewInfo* B) { return B->Data.State == ebsSelected; });
}

bool TcxCustomEditViewInfo::IsHotTrack(const TPoint& P)
{
  const TPoint pt{P.x - Left, P.y - Top};
  return std::any_of(ButtonsInfo.begin(), ButtonsInfo.end(),
                     [&](const TcxEditButtonViewInfo* B) { return PtInRect(&B->Bounds, pt) != FALSE; });
}

// ---------------------------------------------------------------------------
// Button states and fading

void TcxCustomEditViewInfo::StoreLastButtonStates()
{
  LastPressedButton = PressedButton;
  LastSelectedButton = SelectedButton;
}

bool TcxCustomEditViewInfo::IsButtonStateChanged() const
{
  return LastPressedButton != PressedButton || LastSelectedButton != SelectedButton;
}

bool TcxCustomEditViewInfo::IsFadingAvailable()
{
  return NativeStyle || (UseSkins && Painter);
}

bool TcxCustomEditViewInfo::CanStartButtonFading()
{
  bool allow = true;
  if (OnCanStartButtonFading)
    OnCanStartButtonFading(this, allow);
  return allow;
}

// ---------------------------------------------------------------------------
// Repainting

TcxRegion* TcxCustomEditViewInfo::GetUpdateRegion(TcxContainerViewInfo* AViewInfo)
{
  TcxRegion* result = inherited::GetUpdateRegion(AViewInfo);
  auto* old = rtl::Is<TcxCustomEditViewInfo>(AViewInfo) ? static_cast<TcxCustomEditViewInfo*>(AViewInfo) : nullptr;
  const bool sameFrame = old && old->BorderStyle == BorderStyle &&
                         (old->BorderColor == BorderColor || BorderStyle == TcxEditBorderStyle::ebsNone) &&
                         old->GetButtonCount() == GetButtonCount() && old->NativeState == NativeState;
  if (sameFrame) {
    for (int i = 0; i < GetButtonCount(); ++i)
      result->Combine(ButtonsInfo[i]->GetUpdateRegion(old->ButtonsInfo[i]), TcxRegionOperation::roAdd);
  } else if (!cxRectHasNoArea(Bounds)) {
    result->Combine(rtl::New<TcxRegion>(Bounds), TcxRegionOperation::roAdd);
  }
  return result;
}

bool TcxCustomEditViewInfo::Repaint(vcl::TWinControl* AControl, TcxContainerViewInfo* AViewInfo)
{
  return Repaint(AControl, TRect{}, AViewInfo);
}

bool TcxCustomEditViewInfo::RedrawBand(vcl::TWinControl* AControl, const TRect& AOuter, const TRect& AInner)
{
  if (cxRectHasNoArea(Bounds) || EqualRect(&AOuter, &AInner))
    return false;
  cxRedrawRectFrame(AControl->GetHandle(), AOuter, AInner, EditorNeedsErase(AControl), false);
  return true;
}

bool TcxCustomEditViewInfo::Repaint(vcl::TWinControl* AControl, const TRect& AInnerEditRect,
                                    TcxContainerViewInfo* AViewInfo)
{
  if (!AControl || !AControl->HandleAllocated())
    return false;
  TRect R = Bounds;
  OffsetRect(&R, Left, Top);
  TRect inner;
  IntersectRect(&inner, &AInnerEditRect, &ClientRect);
  auto* old = rtl::Is<TcxCustomEditViewInfo>(AViewInfo) ? static_cast<TcxCustomEditViewInfo*>(AViewInfo) : nullptr;
  if (!old) {
    RedrawBand(AControl, R, inner);
    return false;
  }
  bool result = false;
  if (old->NativeState != NativeState || old->GetBackgroundColor() != GetBackgroundColor() ||
      (RepaintOnStateChange() && old->ContainerState != ContainerState) ||
      old->GetButtonCount() != GetButtonCount()) {
    result = RedrawBand(AControl, R, inner);
  } else if ((old->BorderColor != BorderColor && BorderStyle != TcxEditBorderStyle::ebsNone) ||
             old->BorderStyle != BorderStyle) {
    TRect border = BorderRect;
    OffsetRect(&border, Left, Top);
    result = RedrawBand(AControl, R, border);
  }
  if (old->GetButtonCount() == GetButtonCount())
    for (int i = 0; i < GetButtonCount(); ++i)
      if (ButtonsInfo[i]->Repaint(AControl, old->ButtonsInfo[i], TPoint{Left, Top}))
        result = true;
  return result;
}
