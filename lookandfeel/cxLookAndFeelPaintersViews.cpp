// The base painter's scheduler, clocks, date and data navigators, modern
// calendar, window content, hints and screen tips, tabs, message box,
// breadcrumb edit, drop-down list box, alert window and tokens. The drawing
// of the scheduler, clocks, navigators and calendar is still empty and gets
// its bodies with those elements. The twins without a scale factor forward
// to the scaled operations with the system factor unless they say otherwise.
#include <array>
#include <cmath>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SysUtils.h"

using enum TcxButtonState;
using enum TcxCalendarElementState;
using enum TdxAlertWindowButtonKind;
using enum TdxBreadcrumbEditButtonState;
using enum vcl::TBrushStyle;

using namespace vcl;

namespace {

// A focused breadcrumb button looks like a normal one.
TcxButtonState ButtonStateOf(TdxBreadcrumbEditButtonState AState)
{
  static constexpr TcxButtonState kStates[] = {cxbsNormal, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
  return kStates[static_cast<int>(AState)];
}

// The head, cross bar and needle of a pin in ABounds: each part an odd
// number of pixels thick and overlapping the previous one by a pixel;
// upright with the head on top when pinned, lying with the head at the
// right otherwise.
std::array<TRect, 3> PinParts(const TRect& ABounds, bool APinned)
{
  struct TShare {
    double Width;
    double Height;
  };
  static constexpr TShare kShares[] = {{0.5, 0.5}, {0.9, 0.1}, {0.1, 0.5}};
  const int width = cxRectGetWidth(ABounds);
  const int height = cxRectGetHeight(ABounds);
  std::array<TRect, 3> result;
  int position = APinned ? ABounds.top : ABounds.right;
  for (size_t i = 0; i < result.size(); ++i) {
    const int thickness = static_cast<int>(std::trunc(width * kShares[i].Width / 2)) * 2 + 1;
    // Halves to the even neighbour.
    const int length = static_cast<int>(std::nearbyint(height * kShares[i].Height));
    if (APinned) {
      result[i] = cxRectBounds(ABounds.left + (width - thickness) / 2, position, thickness, length);
      position = result[i].bottom - 1;
    } else {
      result[i] = cxRectBounds(position - length, ABounds.top + (height - thickness) / 2, length, thickness);
      position = result[i].left + 1;
    }
  }
  return result;
}

}  // namespace

void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(bool, bool, const TSize&, const TSize&,
                                                                          TRect&, TRect&, TRect&,
                                                                          const TdxScaleFactor*, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas*, const TRect&, const rtl::String&, TcxNeighbors,
                                                        const TcxViewParams&, TcxArrowDirections, int,
                                                        const TdxScaleFactor*, TcxDrawBackgroundEvent)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerDayHeader(TcxCanvas*, const TRect&, const TRect&, TcxNeighbors,
                                                         TcxBorders, TcxButtonState, rtl::TAlignment, TcxAlignmentVert,
                                                         bool, bool, const rtl::String&, vcl::TFont*, vcl::TColor,
                                                         vcl::TColor, const TdxScaleFactor*, TcxDrawBackgroundEvent,
                                                         bool, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas*, const TRect&, const TRect&,
                                                             const TcxViewParams&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerGroup(TcxCanvas*, const TRect&, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledGroupSeparator(TcxCanvas*, const TRect&, vcl::TColor,
                                                                    const TdxScaleFactor*, TcxDrawBackgroundEvent)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerMilestone(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButton(TcxCanvas*, const TRect&, bool, TcxButtonState,
                                                                const rtl::String&, const TRect&, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonArrow(TcxCanvas*, const TRect&, bool, vcl::TColor, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                     const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas*, const TRect&, const TcxViewParams&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds, const rtl::String& AText,
                                                  TcxNeighbors ANeighbors, const TcxViewParams& AViewParams,
                                                  TcxArrowDirections AArrows, int ASideWidth,
                                                  TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledMonthHeader(ACanvas, ABounds, AText, ANeighbors, AViewParams, AArrows, ASideWidth, dxGetSystemScaleFactor(),
                        AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              vcl::TColor ABackgroundColor,
                                                              TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawSchedulerScaledGroupSeparator(ACanvas, ABounds, ABackgroundColor, dxGetSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState)
{
  DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledClock(TcxCanvas*, const TRect&, rtl::TDateTime, vcl::TColor,
                                                  const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                            vcl::TColor ABackgroundColor)
{
  DrawScaledClock(ACanvas, ARect, ADateTime, ABackgroundColor, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::ClockSize()
{
  return ScaledClockSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorCellSelection(TcxCanvas*, const TRect&, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas*, TRect& R)
{
  // The caller lays the header text out inside the edge.
  R = cxRectInflateAll(R, -1);
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorTodayCellSelection(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas*, const TRect&, TcxButtonState, vcl::TColor,
                                                            const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButtonGlyph(TcxCanvas*, vcl::TCustomImageList*, int, const TRect&,
                                                                 bool, bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                      vcl::TColor ABackgroundColor)
{
  DrawNavigatorScaledButton(ACanvas, R, AState, ABackgroundColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawNavigatorButtonGlyph(TcxCanvas* ACanvas, vcl::TCustomImageList* AImageList,
                                                           int AImageIndex, const TRect& AGlyphRect, bool AEnabled,
                                                           bool AUserGlyphs)
{
  DrawNavigatorScaledButtonGlyph(ACanvas, AImageList, AImageIndex, AGlyphRect, AEnabled, AUserGlyphs,
                                 dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::NavigatorButtonGlyphPadding()
{
  return NavigatorScaledButtonGlyphPadding(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::NavigatorButtonGlyphSize()
{
  return NavigatorScaledButtonGlyphSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::NavigatorButtonMinSize()
{
  return NavigatorScaledButtonMinSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCalendarDateCellSelection(TcxCanvas*, const TRect&, TcxCalendarElementStates)
{
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarClock(TcxCanvas*, const TRect&, rtl::TDateTime, vcl::TColor,
                                                          const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateCellSelection(TcxCanvas*, const TRect&,
                                                                      TcxCalendarElementStates)
{
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateHeaderSelection(TcxCanvas*, const TRect&,
                                                                        TcxCalendarElementStates)
{
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarHeaderSelection(TcxCanvas*, const TRect&, TcxCalendarElementStates)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledModernCalendarArrow(TcxCanvas*, const TRect&, TcxArrowDirection,
                                                                TcxCalendarElementState, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledModernClockHands(TcxCanvas*, const TRect&, rtl::TDateTime, vcl::TColor,
                                                             const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawModernClockHands(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                                       vcl::TColor AColor)
{
  DrawScaledModernClockHands(ACanvas, ARect, ADateTime, AColor, dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawWindowContent(TcxCanvas* ACanvas, const TRect& ARect)
{
  ACanvas->FillRect(ARect, clBtnFace);
}

void TcxCustomLookAndFeelPainter::DrawHintBackground(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor)
{
  ACanvas->FillRect(ARect, AColor == clDefault ? clInfoBk : AColor);
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  // The rounded frame covers the margin left around the fill.
  DrawHintBackground(ACanvas, cxRectInflateAll(ARect, -1), clDefault);
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->GetPen()->SetColor(clWindowFrame);
  ACanvas->RoundRect(ARect, 2, 2);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawFooterLine(TcxCanvas* ACanvas, const TRect& ARect)
{
  const TRect line = cxRectWithHeight(ARect, 1);
  ACanvas->FillRect(line, clWindowFrame);
  ACanvas->FillRect(cxRectOffsetBy(line, 0, 1), clWhite);
}

void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas*, const TRect&, TcxBorders, const rtl::String&, TcxButtonState,
                                          bool, vcl::TFont*, vcl::TColor, vcl::TColor, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawTabBorder(TcxCanvas*, const TRect&, TcxBorder, TcxBorders, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawTabsRoot(TcxCanvas*, const TRect&, TcxBorders, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawMessageBox(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 const rtl::String& AMessage, TFont* AFont, TColor AColor)
{
  ACanvas->FrameRect(ABounds, DefaultGridLineColor(), 1, cxBordersAll, true);
  ACanvas->FillRect(ABounds, AColor == clNone ? DefaultGroupColor() : AColor);
  if (AFont)
    ACanvas->SetFont(AFont);
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->DrawTexT(AMessage, ABounds, cxtfAlignHCenter | cxtfAlignVCenter | cxtfSingleLine);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TcxBorders ABorders, TdxBreadcrumbEditState)
{
  ACanvas->DrawComplexFrame(ARect, clBtnShadow, clBtnHighlight, ABorders);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TdxBreadcrumbEditButtonState AState, bool, bool,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  // Resting buttons are flat: only a focused, hot or pressed one shows.
  if (AState == dxbcbsFocused || AState == dxbcbsHot || AState == dxbcbsPressed)
    DrawScaledButton(ACanvas, ARect, L"", ButtonStateOf(AState), AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas*, const TRect&,
                                                                              TdxBreadcrumbEditState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                         TdxBreadcrumbEditButtonState AState,
                                                                         bool AIsInEditor,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  if (AIsInEditor)
    DrawScaledButton(ACanvas, ARect, L"", ButtonStateOf(AState), AScaleFactor);
  else
    DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, true, true, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                              TdxBreadcrumbEditButtonState AState,
                                                                              bool, const TdxScaleFactor* AScaleFactor)
{
  DrawDropDownArrow(ACanvas, cxRectInflateAll(ARect, -AScaleFactor->Apply(2)), ButtonSymbolColor(ButtonStateOf(AState)));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                               TdxBreadcrumbEditButtonState AState, bool,
                                                               const TdxScaleFactor* AScaleFactor)
{
  DrawBreadcrumbEditScaledButton(ACanvas, R, AState, false, false, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                        TdxBreadcrumbEditButtonState AState,
                                                                        const TdxScaleFactor* AScaleFactor)
{
  DrawBreadcrumbEditScaledButton(ACanvas, R, AState, false, false, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                             TdxBreadcrumbEditButtonState AState,
                                                                             const TdxScaleFactor*)
{
  DrawArrow(ACanvas, R, TcxArrowDirection::adDown, BreadcrumbEditNodeTextColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                              TdxBreadcrumbEditButtonState AState,
                                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawBreadcrumbEditScaledNodeDelimiterGlyph(ACanvas, R, AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                        const TdxScaleFactor*)
{
  ACanvas->FillRect(R, static_cast<TColor>(0xAAA8A4));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(TcxCanvas*, const TRect&,
                                                                               const TdxScaleFactor*)
{
}

int TcxCustomLookAndFeelPainter::BreadcrumbEditButtonAreaSeparatorSize()
{
  return BreadcrumbEditScaledButtonAreaSeparatorSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditButtonContentOffsets(bool AIsFirst, bool AIsLast)
{
  return BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::BreadcrumbEditDropDownButtonWidth()
{
  return BreadcrumbEditScaledDropDownButtonWidth(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::BreadcrumbEditNodeDelimiterSize()
{
  return BreadcrumbEditScaledNodeDelimiterSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditNodeTextOffsets()
{
  return BreadcrumbEditScaledNodeTextOffsets(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditProgressChunkPadding()
{
  return BreadcrumbEditScaledProgressChunkPadding(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::BreadcrumbEditProgressChunkOverlaySize()
{
  return BreadcrumbEditScaledProgressChunkOverlaySize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditButtonAreaSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TdxBreadcrumbEditState AState)
{
  DrawBreadcrumbEditScaledButtonAreaSeparator(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                                           bool AIsLast)
{
  DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TdxBreadcrumbEditButtonState AState,
                                                                   bool AIsInEditor)
{
  DrawBreadcrumbEditScaledDropDownButton(ACanvas, ARect, AState, AIsInEditor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditDropDownButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TdxBreadcrumbEditButtonState AState,
                                                                        bool AIsInEditor)
{
  DrawBreadcrumbEditScaledDropDownButtonGlyph(ACanvas, ARect, AState, AIsInEditor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNode(TcxCanvas* ACanvas, const TRect& R,
                                                         TdxBreadcrumbEditButtonState AState, bool AHasDelimiter)
{
  DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                  TdxBreadcrumbEditButtonState AState)
{
  DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                       TdxBreadcrumbEditButtonState AState)
{
  DrawBreadcrumbEditScaledNodeDelimiterGlyph(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                        TdxBreadcrumbEditButtonState AState)
{
  DrawBreadcrumbEditScaledNodeMoreButtonGlyph(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditProgressChunk(TcxCanvas* ACanvas, const TRect& R)
{
  DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R)
{
  DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                bool AHasBorders)
{
  TRect content = ARect;
  if (AHasBorders) {
    ACanvas->DrawComplexFrame(ARect, cl3DLight, cl3DDkShadow);
    ACanvas->DrawComplexFrame(cxRectInflateAll(ARect, -1), clBtnHighlight, clBtnShadow);
    content = cxRectInflateAll(ARect, -2);
  }
  ACanvas->FillRect(content, clMenu);
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas*, const TRect&,
                                                                            const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect&, const TdxScaleFactor*)
{
  ACanvas->FillRect(ARect, clMenuHighlight);
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect&, const TdxScaleFactor*)
{
  const TRect band = cxRectCenterVertBox(ARect, 2);
  ACanvas->FillRect(cxRectWithHeight(band, 1), clBtnShadow);
  ACanvas->FillRect(cxRectSetBottomAndHeight(band, band.bottom, 1), clBtnHighlight);
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxGutterBackground(TcxCanvas* ACanvas, const TRect& ARect)
{
  DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                               const TRect& AGutterRect)
{
  DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                               const TRect& AGutterRect)
{
  DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxItemImageOffsets()
{
  return DropDownListBoxScaledItemImageOffsets(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxItemTextOffsets()
{
  return DropDownListBoxScaledItemTextOffsets(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::DropDownListBoxSeparatorSize()
{
  return DropDownListBoxScaledSeparatorSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            const TdxScaleFactor*)
{
  ACanvas->FillRect(ABounds, clBtnFace);
  const int radius = AlertWindowCornerRadius();
  ACanvas->RoundRect(ABounds, radius, radius);
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxButtonState AState, TdxAlertWindowButtonKind AKind,
                                                              const TdxScaleFactor* AScaleFactor, bool ADown)
{
  const TcxButtonState state = ADown ? cxbsPressed : AState;
  DrawScaledButton(ACanvas, ABounds, L"", state, AScaleFactor);
  const TRect glyph = cxRectDeflateByMargins(ABounds, AlertWindowScaledButtonContentOffsets(AKind, AScaleFactor));
  const TColor color = ButtonSymbolColor(state);
  switch (AKind) {
    case awbkClose:
      DrawScaledButtonCross(ACanvas, glyph, color, state, AScaleFactor);
      break;
    case awbkPin:
      DrawPin(ACanvas, glyph, color, ADown);
      break;
    case awbkDropdown:
      DrawArrow(ACanvas, glyph, TcxArrowDirection::adDown, color);
      break;
    case awbkPrevious:
      DrawArrow(ACanvas, glyph, TcxArrowDirection::adLeft, color);
      break;
    case awbkNext:
      DrawArrow(ACanvas, glyph, TcxArrowDirection::adRight, color);
      break;
    case awbkCustom:
      break;
  }
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds)
{
  ACanvas->FrameRect(ABounds, clBtnShadow);
}

TRect TcxCustomLookAndFeelPainter::AlertWindowButtonContentOffsets(TdxAlertWindowButtonKind AKind)
{
  return AlertWindowScaledButtonContentOffsets(AKind, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::AlertWindowButtonGlyphSize(TdxAlertWindowButtonKind AKind)
{
  return AlertWindowScaledButtonGlyphSize(AKind, dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::AlertWindowContentOffsets()
{
  return AlertWindowScaledContentOffsets(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowButton(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                        TdxAlertWindowButtonKind AKind, bool ADown)
{
  DrawAlertWindowScaledButton(ACanvas, ABounds, AState, AKind, dxGetSystemScaleFactor(), ADown);
}

void TcxCustomLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  ACanvas->SaveClipRegion();
  const rtl::Finally restore([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->FrameRect(R, clBtnShadow);
  if (AState == cxbsNormal || AState == cxbsDisabled)
    return;
  // The button keeps inside the token's frame.
  ACanvas->IntersectClipRect(cxRectInflateAll(R, -1));
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                            const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButtonCrossEx(ACanvas, R, GetTokenTextColor(AState), AState, 7, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawTokenBackground(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledTokenBackground(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledTokenCloseGlyph(ACanvas, R, AState, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetTokenCloseGlyphSize()
{
  return GetScaledTokenCloseGlyphSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::GetTokenContentOffsets()
{
  return GetScaledTokenContentOffsets(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetTokenDefaultGlyphSize()
{
  return GetScaledTokenDefaultGlyphSize(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Metrics and colours

void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                                          const TSize& APrevButtonTextSize,
                                                                          const TSize& ANextButtonTextSize,
                                                                          TRect& ABounds, TRect& ATextRect,
                                                                          TRect& AArrowRect, bool AIsVertical)
{
  CalculateSchedulerNavigationButtonRects(AIsNextButton, ACollapsed, APrevButtonTextSize, ANextButtonTextSize, ABounds,
                                          ATextRect, AArrowRect, dxGetSystemScaleFactor(), AIsVertical);
}

TRect TcxCustomLookAndFeelPainter::SchedulerEventProgressOffsets()
{
  return TRect{2, 2, 2, 2};
}

TColor TcxCustomLookAndFeelPainter::SchedulerNavigationButtonTextColor(bool, TcxButtonState AState,
                                                                       TColor ADefaultColor)
{
  return ButtonSymbolColor(AState, ADefaultColor);
}

void TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                                 TSize& AArrowSize, bool& AHasTextArea,
                                                                 const TdxScaleFactor* AScaleFactor, bool AIsVertical)
{
  // The border on the side away from the text is thinner; not scaled.
  if (AIsVertical)
    ABorders = AIsNextButton ? TRect{2, 6, 0, 6} : TRect{0, 6, 2, 6};
  else
    ABorders = AIsNextButton ? TRect{6, 2, 6, 0} : TRect{6, 0, 6, 2};
  AArrowSize = AScaleFactor->Apply(TSize{7, 7});
  AHasTextArea = true;
}

void TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                                 TSize& AArrowSize, bool& AHasTextArea,
                                                                 bool AIsVertical)
{
  SchedulerNavigationButtonSizes(AIsNextButton, ABorders, AArrowSize, AHasTextArea, dxGetSystemScaleFactor(),
                                 AIsVertical);
}

TSize TcxCustomLookAndFeelPainter::ScaledClockSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{130, 130});
}

bool TcxCustomLookAndFeelPainter::NavigatorBorderOverlap()
{
  return false;
}

int TcxCustomLookAndFeelPainter::NavigatorBorderSize()
{
  return 0;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::NavigatorButtonColorPalette(bool)
{
  return nullptr;
}

TPoint TcxCustomLookAndFeelPainter::NavigatorButtonPressedGlyphOffset()
{
  return TPoint{1, 1};
}

TColor TcxCustomLookAndFeelPainter::NavigatorButtonTextColor(TcxButtonState)
{
  return clBtnText;
}

TRect TcxCustomLookAndFeelPainter::NavigatorScaledButtonGlyphPadding(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 4, 3, 4});
}

TSize TcxCustomLookAndFeelPainter::NavigatorScaledButtonGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{11, 11});
}

TSize TcxCustomLookAndFeelPainter::NavigatorScaledButtonMinSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{17, 19});
}

TColor TcxCustomLookAndFeelPainter::NavigatorInfoPanelColor()
{
  return DefaultGridDetailsSiteColor();
}

TColor TcxCustomLookAndFeelPainter::NavigatorInfoPanelTextColor()
{
  return DefaultContentTextColor();
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                          TcxArrowDirection ADirection, TcxCalendarElementState AState)
{
  DrawScaledModernCalendarArrow(ACanvas, ARect, ADirection, AState, dxGetSystemScaleFactor());
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarCellTextColor(TcxCalendarElementStates AStates)
{
  if (AStates.Contains(cesDisabled))
    return clGrayText;
  if (AStates.Contains(cesHot) || (AStates.Contains(cesMarked) && !AStates.Contains(cesSelected)))
    return GetModernCalendarSelectedTextColor();
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarDateHeaderTextColor(TcxCalendarElementStates AStates)
{
  if (AStates == TcxCalendarElementStates{cesHot})
    return GetModernCalendarSelectedTextColor();
  return DefaultDateNavigatorHeaderTextColor(false);
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarHeaderTextColor()
{
  return clHotLight;
}

TRect TcxCustomLookAndFeelPainter::GetModernCalendarHeaderTextOffsets()
{
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarMarkedCellBorderColor()
{
  return clHotLight;
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarSelectedTextColor()
{
  return clHotLight;
}

TColor TcxCustomLookAndFeelPainter::GetWindowContentTextColor()
{
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::GetHintBorderColor()
{
  return clDefault;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::ScreenTipGetColorPalette()
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::ScreenTipGetDescriptionTextColor()
{
  return clDefault;
}

int TcxCustomLookAndFeelPainter::ScreenTipGetFooterLineSize()
{
  return 3;
}

TColor TcxCustomLookAndFeelPainter::ScreenTipGetTitleTextColor()
{
  return clDefault;
}

bool TcxCustomLookAndFeelPainter::IsDrawTabImplemented(bool)
{
  return false;
}

bool TcxCustomLookAndFeelPainter::IsTabHotTrack(bool)
{
  return false;
}

int TcxCustomLookAndFeelPainter::TabBorderSize(bool)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState)
{
  return clBtnFace;
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditBordersSize()
{
  return TRect{1, 1, 1, 1};
}

IdxColorPalette* TcxCustomLookAndFeelPainter::BreadcrumbEditButtonColorPalette(TdxBreadcrumbEditButtonState)
{
  return nullptr;
}

bool TcxCustomLookAndFeelPainter::BreadcrumbEditIsFadingSupports()
{
  return false;
}

TColor TcxCustomLookAndFeelPainter::BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState)
{
  return ButtonSymbolColor(AState == dxbcbsDisabled ? cxbsDisabled : cxbsNormal, clDefault);
}

// Not scaled: a line that stays one device pixel pair thick.
int TcxCustomLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(const TdxScaleFactor*)
{
  return 2;
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool, bool,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 3, 3, 3});
}

int TcxCustomLookAndFeelPainter::BreadcrumbEditScaledDropDownButtonWidth(const TdxScaleFactor* AScaleFactor)
{
  return dxGetScaledSystemMetrics(SM_CXHSCROLL, AScaleFactor);
}

int TcxCustomLookAndFeelPainter::BreadcrumbEditScaledNodeDelimiterSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(16);
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledNodeTextOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

TSize TcxCustomLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{1, 1, 1, 1});
}

int TcxCustomLookAndFeelPainter::DropDownListBoxBordersSize()
{
  return 3;
}

TColor TcxCustomLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected)
{
  return ASelected ? clHighlightText : clMenuText;
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxScaledItemImageOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{5, 3, 5, 3});
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxScaledItemTextOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{5, 2, 5, 2});
}

int TcxCustomLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(8);
}

IdxColorPalette* TcxCustomLookAndFeelPainter::AlertWindowButtonGetColorPalette(TcxButtonState AState)
{
  return ButtonColorPalette(AState);
}

int TcxCustomLookAndFeelPainter::AlertWindowCornerRadius()
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::AlertWindowNavigationPanelTextColor()
{
  return AlertWindowTextColor();
}

TRect TcxCustomLookAndFeelPainter::AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 3, 3, 3});
}

TSize TcxCustomLookAndFeelPainter::AlertWindowScaledButtonGlyphSize(TdxAlertWindowButtonKind AKind,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  return AKind == awbkCustom ? TSize{0, 0} : AScaleFactor->Apply(TSize{10, 10});
}

TRect TcxCustomLookAndFeelPainter::AlertWindowScaledContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

TColor TcxCustomLookAndFeelPainter::AlertWindowTextColor()
{
  return clBtnText;
}

void TcxCustomLookAndFeelPainter::DrawPin(TcxCanvas* ACanvas, const TRect& ABounds, TColor AColor, bool APinned)
{
  const std::array<TRect, 3> parts = PinParts(ABounds, APinned);
  const TRect& head = parts[0];
  ACanvas->FrameRect(head, AColor);
  const TRect half = APinned ? cxRectWithHorzBounds(head, head.left + cxRectGetWidth(head) / 2, head.right)
                             : cxRectWithVertBounds(head, head.top + cxRectGetHeight(head) / 2, head.bottom);
  ACanvas->FillRect(half, AColor);
  ACanvas->FillRect(parts[1], AColor);
  ACanvas->FillRect(parts[2], AColor);
}

TSize TcxCustomLookAndFeelPainter::GetScaledTokenCloseGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  int width = AScaleFactor->Apply(12);
  cxEnsureTouchExtent(width, AScaleFactor);
  return TSize{width, AScaleFactor->Apply(11)};
}

TRect TcxCustomLookAndFeelPainter::GetScaledTokenContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 3, 3, 3});
}

TSize TcxCustomLookAndFeelPainter::GetScaledTokenDefaultGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{12, 12});
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetTokenColorPalette(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetTokenTextColor(TcxButtonState AState)
{
  return ButtonSymbolColor(AState, clDefault);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas*, const TRect&, const TRect&, bool,
                                                                       TcxButtonState, bool)
{
}
