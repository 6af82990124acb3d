// The Office-like painter: the Office 2003 look in the colours of the
// graphics subsystem's Office11 palette, which follows the Windows colour
// scheme and falls back to mixtures of the system colours when visual
// styles are off. The skin painter derives from it, so everything here is
// also what a skin falls back to.
#include <windows.h>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxThemeManager.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsControls.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum vcl::TBrushStyle;
using enum TcxAlignmentVert;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxGroupBoxCaptionPosition;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TdxBreadcrumbEditButtonState;
using enum TdxThemedObjectType;

using namespace vcl;

namespace {

// Read afresh at each call: the native painter may come and go.
TcxCustomLookAndFeelPainter* NativePainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(lfsNative);
}

// The native painter when visual styles can draw buttons.
TcxCustomLookAndFeelPainter* ThemedButtonPainter()
{
  return dxThemesAvailable({totButton}) ? NativePainter() : nullptr;
}

void FillGradient(TcxCanvas* ACanvas, const TRect& R, TColor ATop, TColor ABottom)
{
  cxGradientFillRect(ACanvas->GetHandle(), R, ATop, false, ABottom);
}

void FillBandedGradient(TcxCanvas* ACanvas, const TRect& R, TColor AFrom, TColor ATo, bool AHorizontal = false)
{
  dxOffice11FillGradientRect(ACanvas->GetHandle(), R, AFrom, ATo, AHorizontal);
}

// A one-pixel column from ATop to ABottom inclusive.
void FillColumn(TcxCanvas* ACanvas, int X, int ATop, int ABottom, TColor AColor)
{
  ACanvas->FillRect(TRect{X, ATop, X + 1, ABottom + 1}, AColor);
}

// AColor blended into the canvas pixel at (X, Y); AColor itself where the
// pixel cannot be read (outside the clip region or the surface).
TColor BlendWithCanvasPixel(TcxCanvas* ACanvas, int X, int Y, TColor AColor)
{
  const COLORREF under = GetPixel(ACanvas->GetHandle(), X, Y);
  return under == CLR_INVALID ? AColor : cxBlendColors(AColor, static_cast<TColor>(under), 25);
}

}  // namespace

rtl::String TcxOffice11LookAndFeelPainter::LookAndFeelName()
{
  return L"Office11";
}

TcxLookAndFeelStyle TcxOffice11LookAndFeelPainter::LookAndFeelStyle()
{
  return lfsOffice11;
}

bool TcxOffice11LookAndFeelPainter::NeedRedrawOnResize()
{
  return true;
}

TColor TcxOffice11LookAndFeelPainter::GetHighlightedTextColor()
{
  return clHighlightText;
}

// ---------------------------------------------------------------------------
// Metrics

int TcxOffice11LookAndFeelPainter::SeparatorSize()
{
  return 2;
}

int TcxOffice11LookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(11);
}

int TcxOffice11LookAndFeelPainter::ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledExpandButtonSize(AScaleFactor);
}

bool TcxOffice11LookAndFeelPainter::DrawExpandButtonFirst()
{
  return false;
}

TcxBorders TcxOffice11LookAndFeelPainter::HeaderBorders(TcxNeighbors)
{
  return cxBordersAll;
}

int TcxOffice11LookAndFeelPainter::HeaderBorderSize()
{
  return 1;
}

bool TcxOffice11LookAndFeelPainter::IsHeaderHotTrack()
{
  return true;
}

int TcxOffice11LookAndFeelPainter::GridBordersOverlapSize()
{
  return 0;
}

int TcxOffice11LookAndFeelPainter::NavigatorBorderSize()
{
  return 1;
}

TSize TcxOffice11LookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  return {2, 2};
}

int TcxOffice11LookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical,
                                                                   const TdxScaleFactor* AScaleFactor)
{
  if (TcxCustomLookAndFeelPainter* native = NativePainter())
    return native->ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
  return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
}

// ---------------------------------------------------------------------------
// Colours

TColor TcxOffice11LookAndFeelPainter::DefaultControlColor()
{
  return dxOffice11LightFaceColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultControlTextColor()
{
  return dxOffice11TextColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorHeaderColor()
{
  return dxOffice11FaceColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorSelectionColor()
{
  return dxOffice11SelectionColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultDateNavigatorSelectionTextColor()
{
  return clWindowText;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFilterBoxColor()
{
  return dxOffice11FilterBoxColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFilterBoxTextColor()
{
  return dxOffice11FilterBoxTextColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFooterColor()
{
  return dxOffice11FaceColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultFooterTextColor()
{
  return DefaultHeaderTextColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupColor()
{
  return dxOffice11GroupColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupByBoxColor()
{
  return dxOffice11GroupByBoxColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultGroupByBoxTextColor()
{
  return dxOffice11GradientLightColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultHeaderColor()
{
  return HeaderTopColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultHeaderBackgroundColor()
{
  return DefaultGroupByBoxColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerBorderColor()
{
  return dxOffice11SchedulerBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerControlColor()
{
  return dxOffice11SchedulerControlColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultSchedulerDayHeaderColor()
{
  return DefaultHeaderColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultTabColor()
{
  return dxOffice11LightFaceColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultTabsBackgroundColor()
{
  return DefaultTabColor();
}

TColor TcxOffice11LookAndFeelPainter::DefaultTimeGridMinorScaleColor()
{
  return dxOffice11FaceColor;
}

TColor TcxOffice11LookAndFeelPainter::DefaultTimeGridSelectionBarColor()
{
  return DefaultSchedulerControlColor();
}

TColor TcxOffice11LookAndFeelPainter::RichEditControlHeaderFooterLineColor()
{
  return dxOffice11FaceColor;
}

TColor TcxOffice11LookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor()
{
  return dxOffice11LightFaceColor;
}

TColor TcxOffice11LookAndFeelPainter::RichEditRulerInactiveAreaColor()
{
  return dxOffice11FaceColor;
}

TColor TcxOffice11LookAndFeelPainter::RichEditRulerTabTypeToggleBorderColor()
{
  return dxOffice11MenuBorderColor;
}

void TcxOffice11LookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2)
{
  AColor1 = dxOffice11SeparatorDarkColor;
  AColor2 = dxOffice11SeparatorLightColor;
}

TColor TcxOffice11LookAndFeelPainter::ButtonColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return dxOffice11SelectedColor1;
    case cxbsPressed:
      return dxOffice11DownedColor;
    case cxbsDisabled:
      return clBtnFace;
    default:
      return dxOffice11FaceColor;
  }
}

TColor TcxOffice11LookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor)
{
  // Without the scheme's light pressed colour a pressed face is dark enough
  // to need the highlight text colour.
  if (AState == cxbsPressed && !dxOffice11UsesSchemeColors())
    return clHighlightText;
  return AState == cxbsDisabled ? dxOffice11TextDisabledColor : dxOffice11TextColor;
}

TColor TcxOffice11LookAndFeelPainter::CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState)
{
  if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled)
    return ButtonColor(AState);
  return inherited::CheckButtonColor(AState, ACheckState);
}

TColor TcxOffice11LookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState)
{
  return AState == cxbsNormal ? clWindow : ButtonColor(AState);
}

TColor TcxOffice11LookAndFeelPainter::FooterSeparatorColor()
{
  return HeaderEdgeDarkColor();
}

TColor TcxOffice11LookAndFeelPainter::GetSplitterInnerColor(bool)
{
  return dxOffice11SeparatorLightColor;
}

TColor TcxOffice11LookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted)
{
  return AHighlighted ? dxOffice11SelectedBorderColor : dxOffice11SeparatorDarkColor;
}

TColor TcxOffice11LookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState)
{
  return HeaderTopColor();
}

TColor TcxOffice11LookAndFeelPainter::GroupBoxTextColor(bool AEnabled, TcxGroupBoxCaptionPosition ACaptionPosition)
{
  if (TcxCustomLookAndFeelPainter* native = ThemedButtonPainter())
    return native->GroupBoxTextColor(AEnabled, ACaptionPosition);
  return inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

TColor TcxOffice11LookAndFeelPainter::BorderHighlightColor()
{
  return dxOffice11SelectedBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::StateBorderColor(TcxButtonState AState)
{
  return AState == cxbsNormal ? HeaderEdgeDarkColor() : dxOffice11SelectedBorderColor;
}

TColor TcxOffice11LookAndFeelPainter::TabBorderColor()
{
  return HeaderEdgeDarkColor();
}

TColor TcxOffice11LookAndFeelPainter::HeaderBottomColor()
{
  return dxOffice11GradientDarkColor;
}

TColor TcxOffice11LookAndFeelPainter::HeaderEdgeDarkColor()
{
  return dxOffice11SeparatorDarkColor;
}

TColor TcxOffice11LookAndFeelPainter::HeaderEdgeLightColor()
{
  return dxOffice11SeparatorLightColor;
}

TColor TcxOffice11LookAndFeelPainter::HeaderTopColor()
{
  return cxBlendColors(dxOffice11GradientLightColor, dxOffice11GradientDarkColor, 50);
}

// ---------------------------------------------------------------------------
// Borders, separators and buttons

void TcxOffice11LookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, dxOffice11BorderColor);
}

void TcxOffice11LookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool)
{
  const TRect dark = cxRectInflateSides(R, 0, 0, -1, -1);
  ACanvas->FillRect(dark, dxOffice11SeparatorDarkColor);
  ACanvas->FillRect(cxRectOffsetBy(dark, 1, 1), dxOffice11SeparatorLightColor);
}

void TcxOffice11LookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  switch (AState) {
    case cxbsDefault:
      inherited::DrawButtonBorder(ACanvas, R, AState);
      break;
    case cxbsNormal:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case cxbsDisabled:
      ACanvas->FrameRect(R, dxOffice11TextDisabledColor);
      break;
    default:
      ACanvas->FrameRect(R, dxOffice11SelectedBorderColor);
  }
}

void TcxOffice11LookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                           const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                           TcxExpandButtonState AState)
{
  TBitmap* bitmap = AExpanded ? dxOffice11ExpandButtonMinusBitmap : dxOffice11ExpandButtonPlusBitmap;
  // The palette's bitmaps exist only while it is referenced and the program
  // has them; the ultra-flat button stands in for them.
  if (!bitmap || bitmap->GetEmpty() || bitmap->GetWidth() < 11 || bitmap->GetHeight() < 11 || IsRectEmpty(&R)) {
    inherited::DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, AState);
    return;
  }
  // The rounded corners take a little of the background under them; the
  // shared bitmap keeps the blend until the next call.
  TCanvas* glyph = bitmap->GetCanvas();
  glyph->SetPixel(0, 0, BlendWithCanvasPixel(ACanvas, R.left, R.top, dxOffice11ExpandButtonColor1));
  const TColor bottomRight = BlendWithCanvasPixel(ACanvas, R.right - 1, R.bottom - 1, dxOffice11ExpandButtonColor2);
  glyph->SetPixel(10, 10, bottomRight);
  glyph->SetPixel(0, 10, bottomRight);
  glyph->SetPixel(10, 0, bottomRight);
  ACanvas->StretchDraw(cxRectBoundsOfSize(R.left, R.top, AScaleFactor->Apply(TSize{11, 11})), bitmap);
}

void TcxOffice11LookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                                TColor, const TdxScaleFactor* AScaleFactor,
                                                                TColor AColor)
{
  DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor);
}

// ---------------------------------------------------------------------------
// Headers and sorting marks

void TcxOffice11LookAndFeelPainter::DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                     TcxBorders ABorders, TcxButtonState AState,
                                                     rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                     bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                     TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                     const TdxScaleFactor*, TcxDrawBackgroundEvent, bool AIsLast,
                                                     bool)
{
  inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                              AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                              dxGetDefaultScaleFactor(), {}, AIsLast, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors ANeighbors,
                                                     TcxBorders ABorders)
{
  const TColor top = HeaderTopColor();
  const TColor bottom = HeaderBottomColor();
  const TColor dark = HeaderEdgeDarkColor();
  const TColor light = HeaderEdgeLightColor();
  const int left = R.left;
  const int right = R.right - 1;
  if (ABorders.Contains(bTop))
    ACanvas->FillRect(cxRectWithHeight(R, 1), top);
  if (ABorders.Contains(bBottom))
    ACanvas->FillRect(cxRectSetBottomAndHeight(R, R.bottom, 1), dark);
  if (ABorders.Contains(bLeft)) {
    if (ANeighbors.Contains(nLeft)) {
      ACanvas->SetPixel(left, R.top + 1, top);
      FillColumn(ACanvas, left, R.top + 2, R.bottom - 4, light);
      ACanvas->SetPixel(left, R.bottom - 3, cxBlendColors(top, bottom, 25));
    } else
      FillColumn(ACanvas, left, R.top + 1, R.bottom - 3, light);
    ACanvas->SetPixel(left, R.bottom - 2, bottom);
  }
  if (ABorders.Contains(bRight)) {
    if (ANeighbors.Contains(nRight)) {
      ACanvas->SetPixel(right, R.top + 1, top);
      ACanvas->SetPixel(right, R.bottom - 3, cxBlendColors(top, bottom, 25));
      ACanvas->SetPixel(right, R.bottom - 2, bottom);
      FillColumn(ACanvas, right, R.top + 2, R.bottom - 4, dark);
    } else {
      ACanvas->SetPixel(right, R.top, cxBlendColors(top, dark, 50));
      ACanvas->SetPixel(right, R.bottom - 2, cxBlendColors(bottom, dark, 50));
      FillColumn(ACanvas, right, R.top + 1, R.bottom - 3, dark);
    }
  }
}

void TcxOffice11LookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                const TRect& ATextAreaBounds, TcxButtonState AState,
                                                rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                TFont* AFont, TColor ATextColor, TColor,
                                                TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawHeaderContent(ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                    AShowEndEllipsis, AText, AFont, ATextColor, AOnDrawBackground, false);
}

void TcxOffice11LookAndFeelPainter::DrawHeaderContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      const TRect& ATextAreaBounds, TcxButtonState AState,
                                                      rtl::TAlignment AAlignmentHorz,
                                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                      bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont,
                                                      TColor ATextColor, TcxDrawBackgroundEvent AOnDrawBackground,
                                                      bool ASolid)
{
  if (!AOnDrawBackground || !AOnDrawBackground(this, ACanvas, ABounds)) {
    const bool hot = AState == cxbsHot;
    const TColor top = hot ? dxOffice11GradientLightColor : HeaderTopColor();
    const TColor bottom = hot ? dxOffice11GradientLightColor : HeaderBottomColor();
    if (ASolid)
      ACanvas->FillRect(ABounds, top);
    else {
      ACanvas->FillRect(cxRectInflateSides(ABounds, 0, 0, 0, -3), top);
      FillGradient(ACanvas, cxRectSetBottomAndHeight(ABounds, ABounds.bottom, 4), top, bottom);
    }
  }
  // The text as the base draws it: clNone keeps the background just drawn.
  inherited::DrawContent(ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                         AShowEndEllipsis, AText, AFont, ATextColor, clNone, {});
  if (AState == cxbsHot) {
    const TRect underline{ABounds.left - 1, ABounds.bottom - 2, ABounds.right, ABounds.bottom + 1};
    FillGradient(ACanvas, underline, dxOffice11SelectedColor1, dxOffice11SelectedColor2);
  }
}

void TcxOffice11LookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors, TcxBorders ABorders,
    TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
    const TdxScaleFactor* AScaleFactor)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, {nRight}, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, {}, false, false);
  if (AState == cxbsPressed)
    DrawHeaderPressed(ACanvas, ABounds);
}

void TcxOffice11LookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                          const TdxScaleFactor* AScaleFactor)
{
  DrawSortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, HeaderEdgeLightColor(), HeaderEdgeDarkColor());
}

void TcxOffice11LookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                 bool AAscendingSorting,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  DrawSummarySortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, HeaderEdgeLightColor(),
                          HeaderEdgeDarkColor());
}

void TcxOffice11LookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                const TRect&, TcxGroupBoxCaptionPosition APosition,
                                                                TcxButtonState AState, TColor, TBitmap*)
{
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxBordersAll);
  DrawHeaderContent(ACanvas, ABounds, ABounds, AState, rtl::TAlignment::taLeftJustify, vaTop, false, false, L"", nullptr,
                    clDefault, {}, APosition == cxgpTop);
}

// ---------------------------------------------------------------------------
// Scroll bars, size grip, scheduler and date navigator

void TcxOffice11LookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                        const TdxScaleFactor* AScaleFactor, TcxScrollBarPart APart,
                                                        TcxButtonState AState, const TRect& R)
{
  if (TcxCustomLookAndFeelPainter* native = NativePainter())
    native->DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
  else
    inherited::DoDrawScrollBarPart(ACanvas, AHorizontal, AScaleFactor, APart, AState, R);
}

void TcxOffice11LookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                   const TdxScaleFactor* AScaleFactor)
{
  dxOffice11DrawSizeGrip(ACanvas->GetHandle(), ARect, clDefault, clDefault, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          const rtl::String& AText, TcxNeighbors,
                                                          const TcxViewParams& AViewParams,
                                                          TcxArrowDirections AArrows, int,
                                                          const TdxScaleFactor*,
                                                          TcxDrawBackgroundEvent AOnDrawBackground)
{
  const TRect R = cxRectInflateAll(ABounds, -1);
  if (!AOnDrawBackground || !AOnDrawBackground(this, ACanvas, R))
    ACanvas->FillRect(R, AViewParams);
  if (!AText.empty()) {
    ACanvas->SaveState();
    ACanvas->SetFont(AViewParams.Font);
    ACanvas->GetFont()->SetColor(AViewParams.TextColor);
    ACanvas->GetBrush()->SetStyle(bsClear);
    ACanvas->DrawTexT(AText, R, cxtfAlignHCenter | cxtfAlignVCenter | cxtfSingleLine);
    ACanvas->RestoreState();
  }
  cxDrawMonthHeaderArrows(ACanvas, this, ABounds, AArrows, clWindowText);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                         const TRect& AArrowRect,
                                                                         bool AIsNextButton, TcxButtonState AState,
                                                                         bool AIsVertical)
{
  TColor face = dxOffice11FaceColor;
  if (AState == cxbsHot)
    face = dxOffice11SelectedColor1;
  else if (AState == cxbsPressed)
    face = dxOffice11DownedColor;
  ACanvas->FillRect(ARect, face);
  TcxBorders borders = cxBordersAll;
  if (AIsVertical)
    borders.Exclude(AIsNextButton ? bRight : bLeft);
  else
    borders.Exclude(AIsNextButton ? bBottom : bTop);
  ACanvas->FrameRect(ARect, dxOffice11SchedulerBorderColor, 1, borders);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState), AIsVertical);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                       TcxButtonState AState,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  if (TcxCustomLookAndFeelPainter* native = NativePainter())
    native->DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
  else
    inherited::DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, DefaultSchedulerBorderColor());
}

void TcxOffice11LookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                                    TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor)
{
  DrawModernCalendarClock(ACanvas, ARect, ADateTime, ABackgroundColor, AScaleFactor);
}

void TcxOffice11LookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R)
{
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
}

// ---------------------------------------------------------------------------
// Group boxes, track bars, panels and the layout control

void TcxOffice11LookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                      TcxGroupBoxCaptionPosition ACaptionPosition,
                                                      TcxBorders ABorders)
{
  if (TcxCustomLookAndFeelPainter* native = ThemedButtonPainter())
    native->DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
  else
    inherited::DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FrameRect(ARect, clBtnText);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                                  const std::vector<TPoint>& ALightPolyLine,
                                                                  const std::vector<TPoint>&,
                                                                  const std::vector<TPoint>& ADarkPolyLine)
{
  ACanvas->GetPen()->SetColor(clBtnText);
  ACanvas->Polyline(ALightPolyLine);
  ACanvas->Polyline(ADarkPolyLine);
}

void TcxOffice11LookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FrameRect(ARect, clBtnText);
}

void TcxOffice11LookAndFeelPainter::DrawPanelBackground(TcxCanvas* ACanvas, TWinControl* AControl,
                                                        const TRect& ABounds, TColor AColorFrom, TColor AColorTo)
{
  if (AColorFrom == clDefault)
    cxPaintParentBackground(AControl, ACanvas, ABounds);
  else if (AColorTo == clDefault)
    ACanvas->FillRect(ABounds, AColorFrom);
  else
    FillGradient(ACanvas, ABounds, AColorFrom, AColorTo);
}

void TcxOffice11LookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R)
{
  FillGradient(ACanvas, R, dxOffice11GradientLightColor, dxOffice11GradientDarkColor);
}

// ---------------------------------------------------------------------------
// Breadcrumb edit, drop-down list boxes, alert windows and tokens

void TcxOffice11LookAndFeelPainter::DrawBreadcrumbEditButtonFrame(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TcxBorders ABorders,
                                                                  TdxBreadcrumbEditButtonState AState)
{
  if (IsRectEmpty(&ARect))
    return;
  TColor from = HeaderTopColor();
  TColor to = from;
  switch (AState) {
    case dxbcbsFocused:
      from = to = dxOffice11SelectedColor1;
      break;
    case dxbcbsHot:
      from = dxOffice11SelectedColor1;
      to = dxOffice11SelectedColor2;
      break;
    case dxbcbsPressed:
      from = dxOffice11DownedSelectedColor;
      to = dxOffice11SelectedColor1;
      break;
    default:
      break;
  }
  FillBandedGradient(ACanvas, ARect, from, to);
  ACanvas->FrameRect(ARect, dxOffice11MenuBorderColor, 1, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxBorders ABorders, TdxBreadcrumbEditState)
{
  ACanvas->FrameRect(ARect, dxOffice11BorderColor, 1, ABorders);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  bool AHasBorders)
{
  TRect rest = ARect;
  if (AHasBorders) {
    ACanvas->FrameRect(rest, dxOffice11MenuBorderColor);
    rest = cxRectInflateAll(rest, -1);
    ACanvas->FrameRect(rest, dxOffice11MenuContentColor);
    rest = cxRectInflateAll(rest, -1);
  }
  ACanvas->FillRect(rest, dxOffice11MenuColor);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect&, const TdxScaleFactor*)
{
  ACanvas->FillRect(ARect, dxOffice11SelectedColor1);
  dxOffice11FrameRect(ACanvas->GetHandle(), ARect);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect& AGutterRect,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  const int y = (ARect.top + ARect.bottom) / 2;
  ACanvas->FillRect(TRect{AGutterRect.right + AScaleFactor->Apply(8), y, ARect.right, y + 1},
                    dxOffice11SeparatorDarkColor);
}

void TcxOffice11LookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                              const TdxScaleFactor*)
{
  FillBandedGradient(ACanvas, ARect, dxOffice11MenuGutterLightColor, dxOffice11MenuGutterDarkColor, true);
}

void TcxOffice11LookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              const TdxScaleFactor*)
{
  ACanvas->FrameRect(ABounds, dxOffice11BorderColor);
  FillGradient(ACanvas, cxRectInflateAll(ABounds, -1), dxOffice11LightFaceColor, dxOffice11FaceColor);
}

void TcxOffice11LookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState, const TdxScaleFactor*)
{
  ACanvas->FrameRect(R, dxOffice11BorderColor);
  const TRect inner = cxRectInflateAll(R, -1);
  if (AState == cxbsHot)
    FillBandedGradient(ACanvas, inner, dxOffice11SelectedColor1, dxOffice11SelectedColor2);
  else if (AState == cxbsPressed)
    FillBandedGradient(ACanvas, inner, dxOffice11DownedSelectedColor, dxOffice11SelectedColor1);
}
