// The ultra-flat painter, the default look of every control: single-pixel
// frames in the shadow, text and highlight colours, a hot state, and hot and
// pressed elements filled with two light selection colours mixed from the
// system colours. The Office-like painter builds on it.
#include <windows.h>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsColors.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxLookAndFeelStyle;
using enum TcxNeighbor;
using enum TcxScrollBarPart;
using enum TdxBreadcrumbEditButtonState;
using enum TdxBreadcrumbEditState;

using namespace vcl;

namespace {

constexpr TColor kActiveFilterArrowColor = 0xFF0000;

TcxButtonState ButtonStateOf(TdxBreadcrumbEditButtonState AState)
{
  switch (AState) {
    case dxbcbsHot:
      return cxbsHot;
    case dxbcbsPressed:
      return cxbsPressed;
    case dxbcbsDisabled:
      return cxbsDisabled;
    default:
      return cxbsNormal;
  }
}

bool IsActiveBreadcrumbButton(TdxBreadcrumbEditButtonState AState)
{
  return AState == dxbcbsFocused || AState == dxbcbsHot || AState == dxbcbsPressed;
}

void DrawPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, TColor AColor)
{
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->Polyline(APoints);
}

}  // namespace

rtl::String TcxUltraFlatLookAndFeelPainter::LookAndFeelName()
{
  return L"UltraFlat";
}

TcxLookAndFeelStyle TcxUltraFlatLookAndFeelPainter::LookAndFeelStyle()
{
  return lfsUltraFlat;
}

// ---------------------------------------------------------------------------
// Metrics

int TcxUltraFlatLookAndFeelPainter::BorderSize()
{
  return 1;
}

int TcxUltraFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState)
{
  return AState == cxbsDefault ? 2 : 1;
}

int TcxUltraFlatLookAndFeelPainter::ScaledButtonTextOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(2);
}

int TcxUltraFlatLookAndFeelPainter::ScaledButtonTextShift(const TdxScaleFactor*)
{
  return 0;
}

bool TcxUltraFlatLookAndFeelPainter::IsButtonHotTrack()
{
  return true;
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonSymbolState(TcxButtonState)
{
  return cxbsNormal;
}

TRect TcxUltraFlatLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas*, const TRect& R,
                                                            const TdxScaleFactor* AScaleFactor)
{
  const TRect result = cxRectInflateAll(R, -AScaleFactor->Apply(3));
  return cxRectHasNoArea(result) ? R : result;
}

int TcxUltraFlatLookAndFeelPainter::ScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(11);
}

int TcxUltraFlatLookAndFeelPainter::HeaderBorderSize()
{
  return 1;
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderBorders(TcxNeighbors ANeighbors)
{
  TcxBorders result = inherited::HeaderBorders(ANeighbors);
  if (ANeighbors.Contains(nLeft))
    result.Exclude(bLeft);
  if (ANeighbors.Contains(nTop))
    result.Exclude(bTop);
  return result;
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{7, 8});
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{7, 9});
}

int TcxUltraFlatLookAndFeelPainter::GridBordersOverlapSize()
{
  return 1;
}

TcxBorders TcxUltraFlatLookAndFeelPainter::FooterBorders()
{
  return {bRight, bBottom};
}

int TcxUltraFlatLookAndFeelPainter::FooterBorderSize()
{
  return 1;
}

int TcxUltraFlatLookAndFeelPainter::FooterCellBorderSize()
{
  return 1;
}

int TcxUltraFlatLookAndFeelPainter::FooterCellOffset()
{
  return 2;
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TPoint result = inherited::ScaledFilterCloseButtonSize(AScaleFactor);
  ++result.y;
  return result;
}

int TcxUltraFlatLookAndFeelPainter::TabBorderSize(bool)
{
  return 1;
}

bool TcxUltraFlatLookAndFeelPainter::NavigatorBorderOverlap()
{
  return true;
}

int TcxUltraFlatLookAndFeelPainter::NavigatorBorderSize()
{
  return BorderSize();
}

TSize TcxUltraFlatLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, const TdxScaleFactor* AScaleFactor)
{
  TSize result = inherited::GetScaledSplitterSize(AHorizontal, AScaleFactor);
  if (AHorizontal)
    result.cy = 1;
  else
    result.cx = 1;
  return result;
}

int TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor*)
{
  return 1;
}

TRect TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                               const TdxScaleFactor* AScaleFactor)
{
  // The outer buttons lose the pixel of the frame side they do not draw.
  return AScaleFactor->Apply(TRect{AIsFirst ? 2 : 3, 3, AIsLast ? 2 : 3, 3});
}

TSize TcxUltraFlatLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape)
{
  return {1, 1};
}

void TcxUltraFlatLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2)
{
  AColor1 = clBtnShadow;
  AColor2 = clNone;
}

// ---------------------------------------------------------------------------
// Colours

TColor TcxUltraFlatLookAndFeelPainter::ButtonColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return cxLightSelectionColor();
    case cxbsPressed:
      return cxLightPressedSelectionColor();
    default:
      return inherited::ButtonColor(AState);
  }
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor)
{
  return AState == cxbsPressed ? clHighlightText : inherited::ButtonSymbolColor(AState, ADefaultColor);
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerBorderColor()
{
  return clBtnShadow;
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor()
{
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor()
{
  return DefaultSchedulerTimeRulerTextColorClassic();
}

TColor TcxUltraFlatLookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsNormal:
      return clWindow;
    case cxbsHot:
      return cxLightSelectionColor();
    case cxbsPressed:
      return cxLightPressedSelectionColor();
    default:
      return clBtnFace;
  }
}

TColor TcxUltraFlatLookAndFeelPainter::DropDownListBoxItemTextColor(bool)
{
  return clMenuText;
}

TColor TcxUltraFlatLookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted)
{
  return AHighlighted ? clHighlight : inherited::GetSplitterOuterColor(AHighlighted);
}

TColor TcxUltraFlatLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked)
{
  return AChecked ? 0xFF9933 : 0xC8C8C8;
}

TColor TcxUltraFlatLookAndFeelPainter::StateBorderColor(TcxButtonState AState)
{
  return AState == cxbsNormal ? clBtnShadow : clHighlight;
}

TColor TcxUltraFlatLookAndFeelPainter::TabBorderColor()
{
  return clBtnShadow;
}

TColor TcxUltraFlatLookAndFeelPainter::TabBorderDarkColor()
{
  return clBtnText;
}

TColor TcxUltraFlatLookAndFeelPainter::BorderHighlightColor()
{
  return clHighlight;
}

// ---------------------------------------------------------------------------
// Borders, buttons and check boxes

void TcxUltraFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool)
{
  ACanvas->FillRect(R, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  switch (AState) {
    case cxbsDefault:
      ACanvas->FrameRect(R, clWindowFrame);
      ACanvas->FrameRect(cxRectInflateAll(R, -1), clWindowFrame);
      break;
    case cxbsNormal:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case cxbsDisabled:
      ACanvas->FrameRect(R, clBtnShadow);
      break;
    default:
      ACanvas->FrameRect(R, clHighlight);
  }
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                            const TdxScaleFactor* AScaleFactor, TColor AColor,
                                                            TcxExpandButtonState)
{
  ACanvas->FrameRect(R, clBtnShadow);
  ACanvas->FillRect(cxRectInflateAll(R, -1), AColor == clDefault ? clBtnFace : AColor);
  cxDrawExpandSign(ACanvas, R, AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxUltraFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  ACanvas->FrameRect(R, clBtnText);
  ACanvas->FrameRect(cxRectInflateAll(R, -1), CheckButtonColor(AState, cbsChecked));
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                    TcxButtonState AState, bool AIsFilterActive,
                                                                    const TdxScaleFactor*)
{
  ACanvas->FrameRect(R, StateBorderColor(AState));
  ACanvas->FillRect(cxRectInflateAll(R, -1), ButtonColor(AState));
  DrawDropDownArrow(ACanvas, R, AIsFilterActive ? kActiveFilterArrowColor : ButtonSymbolColor(AState, clDefault));
}

// ---------------------------------------------------------------------------
// Headers, sorting marks and footers

void TcxUltraFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, TcxNeighbors,
                                                      TcxBorders ABorders)
{
  // The right and bottom sides always; the others only when no neighbour
  // draws them.
  TcxBorders sides{bRight, bBottom};
  if (ABorders.Contains(bLeft))
    sides.Include(bLeft);
  if (ABorders.Contains(bTop))
    sides.Include(bTop);
  ACanvas->FrameRect(R, clBtnText, 1, sides);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                        TcxBorders ABorders, TcxButtonState AState,
                                                        rtl::TAlignment AAlignmentHorz,
                                                        TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                        bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont,
                                                        TColor ATextColor, TColor ABkColor, const TdxScaleFactor*,
                                                        TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawContent(ACanvas, ABounds, cxRectInflateAll(ATextAreaBounds, -1), AState, AAlignmentHorz, AAlignmentVert,
              AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AOnDrawBackground);
  DrawHeaderBorder(ACanvas, cxRectInflateAll(ABounds, -1), ANeighbors, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                    TcxBorders ABorders, TcxButtonState AState)
{
  ACanvas->FrameRect(R, AState == cxbsDisabled ? clBtnShadow : clBlack, 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor)
{
  const bool stateColored = AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled;
  ACanvas->FillRect(ABounds, stateColored ? ButtonColor(AState) : ABkColor);
  DrawHeaderControlSectionText(ACanvas, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                               AShowEndEllipsis, AText, AFont, ATextColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                           bool AAscendingSorting,
                                                           const TdxScaleFactor* AScaleFactor)
{
  DrawSortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnShadow, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                  bool AAscendingSorting,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  DrawSummarySortingArrow(ACanvas, R, AScaleFactor, AAscendingSorting, clBtnShadow, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawFooterBorderEx(ACanvas, R, {bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders)
{
  ACanvas->FrameRect(R, FooterSeparatorColor(), FooterSeparatorSize(), ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, FooterSeparatorColor());
}

// ---------------------------------------------------------------------------
// Tabs, scheduler and navigators

void TcxUltraFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                                   TcxBorders, bool AVertical)
{
  if (!AVertical && ABorder == bRight)
    ACanvas->FillRect(cxRectInflateSides(R, 0, 0, 0, -TabBorderSize(AVertical)), TabBorderDarkColor());
  else if (AVertical && ABorder == bBottom)
    ACanvas->FillRect(R, TabBorderDarkColor());
  else
    ACanvas->FillRect(R, TabBorderColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders,
                                                  bool AVertical)
{
  ACanvas->FrameRect(R, TabBorderColor(), TabBorderSize(AVertical), ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                          const TRect& AArrowRect,
                                                                          bool AIsNextButton, TcxButtonState AState,
                                                                          bool AIsVertical)
{
  ACanvas->FillRect(ARect, clBtnFace);
  // The side towards the scheduler's content stays open.
  TcxBorders borders = cxBordersAll;
  if (AIsVertical)
    borders.Exclude(AIsNextButton ? bRight : bLeft);
  else
    borders.Exclude(AIsNextButton ? bBottom : bTop);
  ACanvas->FrameRect(ARect, AState == cxbsHot ? TabBorderColor() : TabBorderDarkColor(), 1, borders);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState, clDefault),
                                     AIsVertical);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                        TcxButtonState AState,
                                                                        const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor, AState == cxbsHot || AState == cxbsPressed);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                 const TcxViewParams& AViewParams,
                                                                 bool AIsHorizontal)
{
  const TColor color = DefaultSchedulerBorderColor();
  TRect rest = R;
  if (AIsHorizontal) {
    ACanvas->FillRect(cxRectWithHeight(R, 1), color);
    ACanvas->FillRect(cxRectSetBottomAndHeight(R, R.bottom, 1), color);
    rest = cxRectInflateSides(R, 1, -1, 1, -1);
  } else {
    ACanvas->FillRect(cxRectWithWidth(R, 1), color);
    ACanvas->FillRect(cxRectSetRightAndWidth(R, R.right, 1), color);
    rest = cxRectInflateSides(R, -1, 1, -1, 1);
  }
  ACanvas->FillRect(rest, AViewParams);
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, TColor ABackgroundColor,
                                                               const TdxScaleFactor*)
{
  const bool quiet = AState == cxbsDefault || AState == cxbsNormal || AState == cxbsDisabled;
  ACanvas->FrameRect(R, quiet ? ABackgroundColor : BorderHighlightColor());
  ACanvas->FillRect(cxRectInflateAll(R, -1), ButtonColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected)
{
  ACanvas->FrameRect(R, ASelected ? BorderHighlightColor() : clBtnShadow, 1, cxBordersAll, true);
}

// ---------------------------------------------------------------------------
// Group boxes, track bars, print preview

void TcxUltraFlatLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                       TcxGroupBoxCaptionPosition, TcxBorders ABorders)
{
  ACanvas->FrameRect(R, AEnabled ? clHighlight : clBtnShadow, 1, ABorders, true);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FrameRect(ARect, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                                   const std::vector<TPoint>& ALightPolyLine,
                                                                   const std::vector<TPoint>&,
                                                                   const std::vector<TPoint>& ADarkPolyLine)
{
  DrawPolyline(ACanvas, ALightPolyLine, clWindowText);
  DrawPolyline(ACanvas, ADarkPolyLine, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FrameRect(ARect, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                      const TdxScaleFactor*)
{
  // The shadow colour lightened by a third of the way to white.
  const TColor shadow = ColorToRGB(clBtnShadow);
  const auto lighten = [](int C) { return C + (255 - C) / 3; };
  ACanvas->FillRect(R, static_cast<TColor>(RGB(lighten(GetRValue(shadow)), lighten(GetGValue(shadow)),
                                               lighten(GetBValue(shadow)))));
}

// ---------------------------------------------------------------------------
// Drop-down list boxes

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   bool AHasBorders)
{
  TRect rest = ARect;
  if (AHasBorders) {
    ACanvas->FrameRect(rest, clBtnShadow);
    rest = cxRectInflateAll(rest, -1);
    ACanvas->FrameRect(rest, clBtnHighlight);
    rest = cxRectInflateAll(rest, -1);
  }
  ACanvas->FillRect(rest, clWindow);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        const TRect&, const TdxScaleFactor*)
{
  // The hot mixture as it is, without the nearest screen colour.
  ACanvas->FillRect(ARect, cxBlendSystemColors(-2, 30, 72));
  ACanvas->FrameRect(ARect, clHighlight);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        const TRect& AGutterRect,
                                                                        const TdxScaleFactor* AScaleFactor)
{
  const int y = (ARect.top + ARect.bottom) / 2;
  ACanvas->FillRect(TRect{AGutterRect.right + AScaleFactor->Apply(4), y, ARect.right, y + 1}, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas* ACanvas,
                                                                               const TRect& ARect,
                                                                               const TdxScaleFactor*)
{
  ACanvas->FillRect(ARect, clBtnFace);
}

// ---------------------------------------------------------------------------
// Breadcrumb edit

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditButtonFrame(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TcxBorders ABorders,
                                                                   TdxBreadcrumbEditButtonState AState)
{
  ACanvas->FillRect(ARect, ButtonColor(ButtonStateOf(AState)));
  if (AState == dxbcbsFocused)
    ACanvas->FrameRect(ARect, clBtnShadow, 1, ABorders);
  else if (AState == dxbcbsHot || AState == dxbcbsPressed)
    ACanvas->FrameRect(ARect, clHighlight, 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                               TcxBorders ABorders, TdxBreadcrumbEditState AState)
{
  const bool quiet = AState == dxbcsNormal || AState == dxbcsDisabled;
  ACanvas->FrameRect(ARect, quiet ? clBtnShadow : clHighlight, 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas* ACanvas,
                                                                                 const TRect& ARect,
                                                                                 TdxBreadcrumbEditState AState,
                                                                                 const TdxScaleFactor*)
{
  DrawBreadcrumbEditBorders(ACanvas, ARect, {bLeft}, AState);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TdxBreadcrumbEditButtonState AState,
                                                                    bool AIsFirst, bool AIsLast,
                                                                    const TdxScaleFactor*)
{
  if (!IsActiveBreadcrumbButton(AState))
    return;
  TcxBorders borders{bLeft, bRight};
  if (AIsFirst)
    borders.Exclude(bLeft);
  if (AIsLast)
    borders.Exclude(bRight);
  DrawBreadcrumbEditButtonFrame(ACanvas, ARect, borders, AState);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                            TdxBreadcrumbEditButtonState AState,
                                                                            bool AIsInEditor,
                                                                            const TdxScaleFactor*)
{
  if (AIsInEditor || (AState != dxbcbsNormal && AState != dxbcbsDisabled))
    DrawBreadcrumbEditButtonFrame(ACanvas, ARect, {bLeft}, AState);
}

// ---------------------------------------------------------------------------
// Toggle switches and tokens

void TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TcxButtonState, bool AChecked,
                                                                 const TdxScaleFactor*)
{
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  ACanvas->FrameRect(ABounds, AChecked ? clBlack : static_cast<TColor>(0xA0A0A0));
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TcxButtonState AState,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  inherited::DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, AScaleFactor);
  ACanvas->FrameRect(cxRectInflateAll(ABounds, -AScaleFactor->Apply(2)), clBlack);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, const TdxScaleFactor*)
{
  const bool active = AState == cxbsHot || AState == cxbsPressed;
  ACanvas->FrameRect(R, active ? clHighlight : clBtnShadow);
  if (active || AState == cxbsDefault)
    ACanvas->FillRect(cxRectInflateAll(R, -1), ButtonColor(AState));
}

// ---------------------------------------------------------------------------
// Scroll bars

void TcxUltraFlatLookAndFeelPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                         const TdxScaleFactor* AScaleFactor, TcxScrollBarPart APart,
                                                         TcxButtonState AState, const TRect& R)
{
  if (IsRectEmpty(&R) || (APart == sbpThumbnail && AState == cxbsDisabled))
    return;
  switch (APart) {
    case sbpPageUp:
    case sbpPageDown:
      cxFillScrollBarTrack(ACanvas, R, AState == cxbsPressed);
      break;
    case sbpThumbnail:
      DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
      break;
    case sbpLineUp:
    case sbpLineDown:
      DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
      DrawScaledScrollBarArrow(ACanvas, R, AState, GetScrollBarArrowDirection(AHorizontal, APart), AScaleFactor);
      break;
    default:
      break;
  }
}
