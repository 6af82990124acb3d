// The base painter's scheduler, clocks, date and data navigators, modern
// calendar, window content, hints and screen tips, tabs, message box,
// breadcrumb edit, drop-down list box, alert window and tokens. Metrics and
// colours already answer their final values; the drawing operations are
// empty for now and get their bodies with the drawing of these elements.
// The twins without a scale factor forward to the scaled operations with
// the system factor unless they say otherwise.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

using enum TcxButtonState;
using enum TcxCalendarElementState;
using enum TdxAlertWindowButtonKind;
using enum TdxBreadcrumbEditButtonState;

using namespace vcl;

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

void TcxCustomLookAndFeelPainter::DrawWindowContent(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawHintBackground(TcxCanvas*, const TRect&, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::ScreenTipDrawFooterLine(TcxCanvas*, const TRect&)
{
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

void TcxCustomLookAndFeelPainter::DrawMessageBox(TcxCanvas*, const TRect&, const rtl::String&, vcl::TFont*, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas*, const TRect&, TcxBorders,
                                                            TdxBreadcrumbEditState)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas*, const TRect&, TdxBreadcrumbEditButtonState,
                                                                 bool, bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(TcxCanvas*, const TRect&,
                                                                              TdxBreadcrumbEditState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas*, const TRect&,
                                                                         TdxBreadcrumbEditButtonState, bool,
                                                                         const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButtonGlyph(TcxCanvas*, const TRect&,
                                                                              TdxBreadcrumbEditButtonState, bool,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas*, const TRect&, TdxBreadcrumbEditButtonState,
                                                               bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas*, const TRect&,
                                                                        TdxBreadcrumbEditButtonState,
                                                                        const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(TcxCanvas*, const TRect&,
                                                                             TdxBreadcrumbEditButtonState,
                                                                             const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(TcxCanvas*, const TRect&,
                                                                              TdxBreadcrumbEditButtonState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(TcxCanvas*, const TRect&,
                                                                            const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas*, const TRect&, const TRect&,
                                                                     const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas*, const TRect&, const TRect&,
                                                                     const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowScaledButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                              TdxAlertWindowButtonKind, const TdxScaleFactor*, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowNavigationPanel(TcxCanvas*, const TRect&)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas*, const TRect&, TcxButtonState,
                                                            const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledTokenCloseGlyph(TcxCanvas*, const TRect&, TcxButtonState,
                                                            const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawPin(TcxCanvas*, const TRect&, TColor, bool)
{
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
