// The base painter's headers, sorting marks, indicators and the elements of
// grid-like controls: group-by box, layout-view and WinExplorer-view
// records, footers, the filter panel and its buttons, the find panel.
// Metrics and colours already answer their final values; the drawing
// operations are empty for now and get their bodies with the drawing of
// these elements. The twins without a scale factor forward to the scaled
// operations, with the system factor unless they say otherwise.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxFilterSmartTagState;
using enum TcxNeighbor;

using namespace vcl;

namespace {

const TcxBorders cxAllBorders{bLeft, bTop, bRight, bBottom};

// R moved outward by ASize on each side in ASides (inward for a negative
// size).
TRect GrowSides(const TRect& R, TcxBorders ASides, int ASize)
{
  TRect result = R;
  if (ASides.Contains(bLeft))
    result.left -= ASize;
  if (ASides.Contains(bTop))
    result.top -= ASize;
  if (ASides.Contains(bRight))
    result.right += ASize;
  if (ASides.Contains(bBottom))
    result.bottom += ASize;
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// Headers

void TcxCustomLookAndFeelPainter::DrawHeaderBorder(TcxCanvas*, const TRect&, TcxNeighbors, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderPressed(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas*, const TRect&, TcxBorders,
                                                                 TcxButtonState)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(TcxCanvas*, const TRect&, const TRect&,
                                                                  TcxButtonState, rtl::TAlignment, TcxAlignmentVert,
                                                                  bool, bool, const rtl::String&, TFont*, TColor,
                                                                  TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionText(TcxCanvas*, const TRect&, TcxButtonState,
                                                               rtl::TAlignment, TcxAlignmentVert, bool, bool,
                                                               const rtl::String&, TFont*, TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas*, const TRect&, int, TColor, const TcxViewParams&)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledHeader(TcxCanvas*, const TRect&, const TRect&, TcxNeighbors, TcxBorders,
                                                   TcxButtonState, rtl::TAlignment, TcxAlignmentVert, bool, bool,
                                                   const rtl::String&, TFont*, TColor, TColor, const TdxScaleFactor*,
                                                   TcxDrawBackgroundEvent, bool, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                     TcxBorders ABorders, TcxButtonState AState,
                                                     rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                     bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                     TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                     const TdxScaleFactor* AScaleFactor,
                                                     TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, AOnDrawBackground,
                   false, false);
}

void TcxCustomLookAndFeelPainter::DrawScaledHeaderControlSection(TcxCanvas*, const TRect&, const TRect&,
                                                                 TcxNeighbors, TcxBorders, TcxButtonState,
                                                                 rtl::TAlignment, TcxAlignmentVert, bool, bool,
                                                                 const rtl::String&, TFont*, TColor, TColor,
                                                                 const TdxScaleFactor*)
{
}

TcxBorders TcxCustomLookAndFeelPainter::HeaderBorders(TcxNeighbors)
{
  return cxAllBorders;
}

int TcxCustomLookAndFeelPainter::HeaderBorderSize()
{
  return 0;
}

TRect TcxCustomLookAndFeelPainter::HeaderBounds(const TRect& ABounds, TcxNeighbors ANeighbors, TcxBorders ABorders)
{
  const TcxBorders drawn = HeaderBorders(ANeighbors);
  TcxBorders grown;
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
    if (ABorders.Contains(side) && !drawn.Contains(side))
      grown.Include(side);
  return GrowSides(ABounds, grown, HeaderBorderSize());
}

TRect TcxCustomLookAndFeelPainter::HeaderContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

int TcxCustomLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState)
{
  return 1;
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionContentBounds(const TRect& ABounds, TcxButtonState AState)
{
  return cxRectInflateAll(ABounds, -HeaderControlSectionBorderSize(AState));
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionTextAreaBounds(const TRect& ABounds, TcxButtonState AState)
{
  return AState == cxbsPressed ? cxRectOffsetBy(ABounds, 1, 1) : ABounds;
}

bool TcxCustomLookAndFeelPainter::HeaderDrawCellsFirst()
{
  return true;
}

bool TcxCustomLookAndFeelPainter::IsHeaderHotTrack()
{
  return false;
}

TRect TcxCustomLookAndFeelPainter::ScaledHeaderContentBounds(const TRect& ABounds, TcxBorders ABorders,
                                                             const TdxScaleFactor*)
{
  return GrowSides(ABounds, ABorders, -HeaderBorderSize());
}

int TcxCustomLookAndFeelPainter::ScaledHeaderHeight(int AFontHeight, const TdxScaleFactor* AScaleFactor)
{
  const TRect offsets = HeaderContentOffsets(AScaleFactor);
  int result = offsets.top + offsets.bottom + AFontHeight + 2 * HeaderBorderSize();
  cxEnsureTouchExtent(result, AScaleFactor);
  return result;
}

int TcxCustomLookAndFeelPainter::ScaledHeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const rtl::String& AText,
                                                   TFont* AFont, const TdxScaleFactor* AScaleFactor)
{
  const TRect offsets = HeaderContentOffsets(AScaleFactor);
  ACanvas->SetFont(AFont);
  int result = offsets.left + offsets.right + ACanvas->TextWidth(AText);
  if (ABorders.Contains(bLeft))
    result += HeaderBorderSize();
  if (ABorders.Contains(bRight))
    result -= HeaderBorderSize();
  return result;
}

void TcxCustomLookAndFeelPainter::DrawHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                             TcxNeighbors ANeighbors, TcxBorders ABorders, TcxButtonState AState,
                                             rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                             bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                             TFont* AFont, TColor ATextColor, TColor ABkColor,
                                             TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast, bool AIsGroup)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, dxGetDefaultScaleFactor(),
                   AOnDrawBackground, AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds,
                                               const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                               TcxBorders ABorders, TcxButtonState AState,
                                               rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                               bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor,
                                               TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeaderEx(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                     AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                     dxGetDefaultScaleFactor(), AOnDrawBackground);
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& ABounds, TcxBorders ABorders)
{
  return ScaledHeaderContentBounds(ABounds, ABorders, dxGetDefaultScaleFactor());
}

int TcxCustomLookAndFeelPainter::HeaderHeight(int AFontHeight)
{
  return ScaledHeaderHeight(AFontHeight, dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSection(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                           TcxBorders ABorders, TcxButtonState AState,
                                                           rtl::TAlignment AAlignmentHorz,
                                                           TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                           bool AShowEndEllipsis, const rtl::String& AText,
                                                           TFont* AFont, TColor ATextColor, TColor ABkColor)
{
  DrawScaledHeaderControlSection(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                                 AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                                 dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas* ACanvas, TcxBorders ABorders, const rtl::String& AText,
                                             TFont* AFont)
{
  return ScaledHeaderWidth(ACanvas, ABorders, AText, AFont, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Sorting marks

void TcxCustomLookAndFeelPainter::DrawScaledSummaryValueSortingMark(TcxCanvas*, const TRect&, bool,
                                                                    const TdxScaleFactor*)
{
}

TPoint TcxCustomLookAndFeelPainter::ScaledSortingMarkAreaSize(const TdxScaleFactor* AScaleFactor)
{
  return TPoint{AScaleFactor->Apply(cxTouchMode() ? 20 : 16), ScaledSortingMarkSize(AScaleFactor).y};
}

// Measured from the indicator list, which comes with the indicator drawing.
TPoint TcxCustomLookAndFeelPainter::ScaledSummaryValueSortingMarkSize(const TdxScaleFactor*)
{
  return TPoint{0, 0};
}

void TcxCustomLookAndFeelPainter::DrawSummarySortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting)
{
  DrawScaledSummarySortingMark(ACanvas, R, AAscendingSorting, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                              bool AAscendingSorting)
{
  DrawScaledSummaryValueSortingMark(ACanvas, R, AAscendingSorting, dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SortingMarkAreaSize()
{
  return ScaledSortingMarkAreaSize(dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SortingMarkSize()
{
  return ScaledSortingMarkSize(dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SummarySortingMarkSize()
{
  return ScaledSummarySortingMarkSize(dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SummaryValueSortingMarkSize()
{
  return ScaledSummaryValueSortingMarkSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSortingArrow(TcxCanvas*, const TRect&, const TdxScaleFactor*, bool, TColor,
                                                   TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawSummarySortingArrow(TcxCanvas*, const TRect&, const TdxScaleFactor*, bool,
                                                          TColor, TColor)
{
}

// ---------------------------------------------------------------------------
// Indicators

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorImage(TcxCanvas*, const TRect&, TcxIndicatorKind,
                                                           const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas*, const TRect&, const TRect&, TcxIndicatorKind,
                                                          TColor, const TdxScaleFactor*, TcxDrawBackgroundEvent,
                                                          TcxNeighbors)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                          TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                          TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledIndicatorItem(ACanvas, R, R, AKind, AColor, AScaleFactor, AOnDrawBackground, TcxNeighbors{nTop, nBottom});
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItemEx(TcxCanvas*, const TRect&, TcxIndicatorKind, TColor,
                                                            const TdxScaleFactor*, TcxDrawBackgroundEvent)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorCustomizationMark(TcxCanvas*, const TRect&, TColor,
                                                                       const TdxScaleFactor*)
{
}

bool TcxCustomLookAndFeelPainter::IndicatorDrawItemsFirst()
{
  return true;
}

void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind)
{
  DrawScaledIndicatorImage(ACanvas, R, AKind, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                    const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                                                    TColor AColor, TcxDrawBackgroundEvent AOnDrawBackground,
                                                    TcxNeighbors ANeighbors)
{
  DrawScaledIndicatorItem(ACanvas, R, AImageAreaBounds, AKind, AColor, dxGetSystemScaleFactor(), AOnDrawBackground,
                          ANeighbors);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                    TColor AColor, TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, dxGetSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                      TColor AColor, TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledIndicatorItemEx(ACanvas, R, AKind, AColor, dxGetSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor)
{
  DrawScaledIndicatorCustomizationMark(ACanvas, R, AColor, dxGetDefaultScaleFactor());
}

// ---------------------------------------------------------------------------
// Grid elements

void TcxCustomLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas*, const TRect&, TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawGroupByBox(TcxCanvas*, const TRect&, bool, TColor, TBitmap*)
{
}

int TcxCustomLookAndFeelPainter::GridBordersOverlapSize()
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11ContentColor(bool AHasData)
{
  return AHasData ? clWindow : dxOffice11GroupRowColor;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11SeparatorColor()
{
  return dxOffice11GroupRowSeparatorColor;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11TextColor()
{
  return dxOffice11GroupRowTextColor;
}

bool TcxCustomLookAndFeelPainter::GridDrawHeaderCellsFirst()
{
  return HeaderDrawCellsFirst();
}

TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaColor()
{
  return DefaultHeaderBackgroundColor();
}

TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaTextColor()
{
  return DefaultHeaderBackgroundTextColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlBackgroundColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentTextColor()
{
  return DefaultContentTextColor();
}

bool TcxCustomLookAndFeelPainter::GridLikeControlDefaultUseOddEvenStyle()
{
  const TColor odd = GridLikeControlContentOddColor();
  return GridLikeControlContentColor() != odd || odd != GridLikeControlContentEvenColor();
}

// ---------------------------------------------------------------------------
// Layout view

void TcxCustomLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas*, const TRect&, TcxButtonState, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas*, const TRect&, const TRect&,
                                                              TcxGroupBoxCaptionPosition, TcxButtonState, TColor,
                                                              TBitmap*)
{
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordBorder(TcxCanvas*, const TRect&, TcxButtonState, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordContent(TcxCanvas*, const TRect&, TcxGroupBoxCaptionPosition,
                                                              TcxButtonState, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawScaledRecordExpandButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                         bool, const TdxScaleFactor*)
{
}

TRect TcxCustomLookAndFeelPainter::LayoutViewGetPadding(TcxLayoutElement)
{
  return cxNullRect;
}

TRect TcxCustomLookAndFeelPainter::LayoutViewGetSpacing(TcxLayoutElement)
{
  return cxNullRect;
}

int TcxCustomLookAndFeelPainter::LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition)
{
  return 0;
}

bool TcxCustomLookAndFeelPainter::LayoutViewRecordCaptionTextBold()
{
  return false;
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                   TcxButtonState AState, bool AExpanded)
{
  LayoutViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// WinExplorer view

TColor TcxCustomLookAndFeelPainter::WinExplorerViewDefaultRecordColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return clGradientInactiveCaption;
    case cxbsPressed:
      return DefaultSelectionColor();
    case cxbsDisabled:
      return clInactiveCaption;
    default:
      return DefaultContentColor();
  }
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroup(TcxCanvas*, const TRect&, TcxButtonState, TColor,
                                                           TBitmap*)
{
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroupCaptionLine(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas*, const TRect&, TcxButtonState, TColor,
                                                            TBitmap*)
{
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas*, const TRect&,
                                                                              TcxButtonState, bool,
                                                                              const TdxScaleFactor*)
{
}

int TcxCustomLookAndFeelPainter::WinExplorerViewGroupCaptionLineHeight()
{
  return SeparatorSize();
}

bool TcxCustomLookAndFeelPainter::WinExplorerViewGroupTextBold()
{
  return false;
}

TColor TcxCustomLookAndFeelPainter::WinExplorerViewGroupTextColor(TcxButtonState AState)
{
  return WinExplorerViewRecordTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsPressed:
      return DefaultSelectionTextColor();
    case cxbsDisabled:
      return DefaultInactiveTextColor();
    default:
      return DefaultContentTextColor();
  }
}

int TcxCustomLookAndFeelPainter::WinExplorerViewScaledExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledGroupExpandButtonSize(AScaleFactor);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                        TcxButtonState AState, bool AExpanded)
{
  WinExplorerViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::WinExplorerViewExpandButtonSize()
{
  return WinExplorerViewScaledExpandButtonSize(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Chart

int TcxCustomLookAndFeelPainter::ChartToolBoxDataLevelInfoBorderSize()
{
  return 1;
}

// ---------------------------------------------------------------------------
// Footers

TcxBorders TcxCustomLookAndFeelPainter::FooterBorders()
{
  return cxAllBorders;
}

int TcxCustomLookAndFeelPainter::FooterBorderSize()
{
  return 0;
}

int TcxCustomLookAndFeelPainter::FooterCellBorderSize()
{
  return 0;
}

int TcxCustomLookAndFeelPainter::FooterCellOffset()
{
  return 0;
}

bool TcxCustomLookAndFeelPainter::FooterDrawCellsFirst()
{
  return true;
}

TColor TcxCustomLookAndFeelPainter::FooterSeparatorColor()
{
  return clBtnShadow;
}

int TcxCustomLookAndFeelPainter::FooterSeparatorSize()
{
  return 1;
}

void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas*, const TRect&, rtl::TAlignment, TcxAlignmentVert, bool,
                                                 const rtl::String&, TFont*, TColor, TColor, TcxDrawBackgroundEvent)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas*, const TRect&, rtl::TAlignment, TcxAlignmentVert,
                                                        bool, const rtl::String&, TFont*, TColor, TColor,
                                                        TcxDrawBackgroundEvent)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas*, const TRect&, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterContent(TcxCanvas*, const TRect&, const TcxViewParams&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas*, const TRect&, const TcxViewParams&, TcxBorders)
{
}

TRect TcxCustomLookAndFeelPainter::FooterCellContentBounds(const TRect& ABounds)
{
  return cxRectInflateAll(ABounds, -FooterCellBorderSize());
}

TRect TcxCustomLookAndFeelPainter::FooterCellTextAreaBounds(const TRect& ABounds)
{
  return cxRectInflateAll(FooterCellContentBounds(ABounds), -2);
}

void TcxCustomLookAndFeelPainter::DrawContent(TcxCanvas*, const TRect&, const TRect&, TcxButtonState,
                                              rtl::TAlignment, TcxAlignmentVert, bool, bool, const rtl::String&,
                                              TFont*, TColor, TColor, TcxDrawBackgroundEvent)
{
}

// ---------------------------------------------------------------------------
// Filter elements

void TcxCustomLookAndFeelPainter::DrawFilterPanel(TcxCanvas*, const TRect&, bool, TColor, TGraphic*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterActivateButton(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                 const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterSmartTag(TcxCanvas*, const TRect&, TcxFilterSmartTagState, bool,
                                                           const TdxScaleFactor*)
{
}

IdxColorPalette* TcxCustomLookAndFeelPainter::FilterControlMenuGetColorPalette()
{
  return nullptr;
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{13, 13});
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{16, 14});
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterDropDownButtonSize(const TdxScaleFactor* AScaleFactor)
{
  int width = AScaleFactor->Apply(15);
  cxEnsureTouchExtent(width, AScaleFactor);
  return TPoint{width, 0};
}

TSize TcxCustomLookAndFeelPainter::ScaledFilterSmartTagSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{10, 10});
}

void TcxCustomLookAndFeelPainter::DrawFilterActivateButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AChecked)
{
  DrawScaledFilterActivateButton(ACanvas, R, AState, AChecked, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledFilterCloseButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AIsFilterActive)
{
  DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxFilterSmartTagState AState, bool AIsFilterActive)
{
  DrawScaledFilterSmartTag(ACanvas, R, AState, AIsFilterActive, dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterActivateButtonSize()
{
  return ScaledFilterActivateButtonSize(dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterCloseButtonSize()
{
  return ScaledFilterCloseButtonSize(dxGetSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterDropDownButtonSize()
{
  return ScaledFilterDropDownButtonSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::FilterSmartTagSize()
{
  return ScaledFilterSmartTagSize(dxGetSystemScaleFactor());
}

TColor TcxCustomLookAndFeelPainter::GetFilterSmartTagColor(TcxFilterSmartTagState AState, bool AIsFilterActive)
{
  switch (AState) {
    case fstsHot:
      return static_cast<TColor>(0x848484);
    case fstsPressed:
      return static_cast<TColor>(0x303030);
    default:
      return static_cast<TColor>(AIsFilterActive ? 0xFF2600 : 0x606060);
  }
}

// ---------------------------------------------------------------------------
// Find panel

void TcxCustomLookAndFeelPainter::DrawFindPanel(TcxCanvas*, const TRect&, bool, TColor, TGraphic*)
{
}

void TcxCustomLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas*, const TRect&, TcxBorders)
{
}
