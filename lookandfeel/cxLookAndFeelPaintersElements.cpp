// The base painter's gauge, map control, Office navigation bar, track bars
// and range controls, PDF viewer, spreadsheet, layout control, scroll box,
// print preview, calculator, customization form, galleries, rating control,
// fixed-group indicator, wheel picker and rich edit. Metrics and colours
// already answer their final values; the drawing operations are empty for
// now and get their bodies with the drawing of these elements. The twins
// without a scale factor forward to the scaled operations with the system
// factor unless they say otherwise.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"

using enum TcxButtonState;
using enum TcxCalcButtonKind;
using enum TcxCalendarElementState;

using namespace vcl;

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonRect(const TRect& ARect, TcxButtonState AState,
                                                                      bool ASelected,
                                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!ASelected && AState != cxbsPressed)
    return ARect;
  const TPoint overlay = PDFViewerNavigationPaneButtonOverlay(AScaleFactor);
  return cxRectInflateXY(ARect, overlay.x, overlay.y);
}

void TcxCustomLookAndFeelPainter::DrawGaugeControlBackground(TcxCanvas*, const TRect&, bool, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawMapCustomElementBackground(TcxCanvas*, const TRect&, TdxMapControlElementState)
{
}

void TcxCustomLookAndFeelPainter::DrawMapPushpin(TcxCanvas*, const TRect&, TdxMapControlElementState,
                                                 const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledButtonItemBackground(TcxCanvas*, const TRect&,
                                                                                    TcxCalendarElementState,
                                                                                    const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledCustomizationButton(TcxCanvas*, const TRect&,
                                                                                   TcxCalendarElementState,
                                                                                   const TdxScaleFactor*, TdxAlphaColor)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledItemBackground(TcxCanvas*, const TRect&,
                                                                              TcxCalendarElementState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledImageSelection(TcxCanvas*, const TRect&,
                                                                              TcxCalendarElementState,
                                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawCustomizationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                             TcxCalendarElementState AState,
                                                                             TdxAlphaColor AColor)
{
  OfficeNavigationBarDrawScaledCustomizationButton(ACanvas, ARect, AState, dxGetSystemScaleFactor(), AColor);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawImageSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledImageSelection(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawButtonItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                              TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledButtonItemBackground(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                        TcxCalendarElementState AState)
{
  OfficeNavigationBarDrawScaledItemBackground(ACanvas, ARect, AState, dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarContentOffsets()
{
  return OfficeNavigationBarScaledContentOffsets(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarCustomizationButtonSize()
{
  return OfficeNavigationBarScaledCustomizationButtonSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemContentOffsets()
{
  return OfficeNavigationBarScaledButtonItemContentOffsets(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemFontSize()
{
  return OfficeNavigationBarScaledButtonItemFontSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarItemContentOffsets()
{
  return OfficeNavigationBarScaledItemContentOffsets(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarItemFontSize()
{
  return OfficeNavigationBarScaledItemFontSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::CorrectThumbRect(TcxCanvas*, TRect& ARect, bool, TcxTrackBarTicksAlign)
{
  ++ARect.right;
  ++ARect.bottom;
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledTrack(TcxCanvas*, const TRect&, const TRect&, bool, bool, bool,
                                                          vcl::TColor, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarScaledThumb(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                          TcxTrackBarTicksAlign, vcl::TColor, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas*, const std::vector<TPoint>&,
                                                                const std::vector<TPoint>&, const std::vector<TPoint>&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& ARect, const TRect& ASelection,
                                                    bool AShowSelection, bool AEnabled, bool AHorizontal,
                                                    vcl::TColor ATrackColor)
{
  DrawTrackBarScaledTrack(ACanvas, ARect, ASelection, AShowSelection, AEnabled, AHorizontal, ATrackColor,
                          dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& ARect, TcxButtonState AState,
                                                    bool AHorizontal, TcxTrackBarTicksAlign ATicks,
                                                    vcl::TColor AThumbColor)
{
  DrawTrackBarScaledThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::TrackBarThumbSize(bool AHorizontal)
{
  return TrackBarScaledThumbSize(AHorizontal, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::TrackBarTrackSize()
{
  return TrackBarScaledTrackSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledLeftThumb(TcxCanvas*, const TRect&, vcl::TColor, TdxAlphaColor,
                                                                  const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRightThumb(TcxCanvas*, const TRect&, vcl::TColor, TdxAlphaColor,
                                                                   const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRulerHeader(TcxCanvas*, const TRect&, bool, TdxAlphaColor,
                                                                    TdxAlphaColor, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledSizingGlyph(TcxCanvas*, const TRect&, TdxAlphaColor,
                                                                    const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRangeControlLeftThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                                            TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledLeftThumb(ACanvas, ARect, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRightThumb(TcxCanvas* ACanvas, const TRect& ARect, vcl::TColor AColor,
                                                             TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledRightThumb(ACanvas, ARect, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRulerHeader(TcxCanvas* ACanvas, const TRect& ARect, bool AIsHot,
                                                              TdxAlphaColor AColor, TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledRulerHeader(ACanvas, ARect, AIsHot, AColor, ABorderColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TdxAlphaColor ABorderColor)
{
  DrawRangeControlScaledSizingGlyph(ACanvas, ARect, ABorderColor, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaHeight()
{
  return GetRangeControlScaledScrollAreaHeight(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlSizingGlyphSize()
{
  return GetRangeControlScaledSizingGlyphSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlThumbSize()
{
  return GetRangeControlScaledThumbSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledLeftThumb(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                   TcxTrackBarTicksAlign, vcl::TColor,
                                                                   const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarScaledRightThumb(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                                    TcxTrackBarTicksAlign, vcl::TColor,
                                                                    const TdxScaleFactor*)
{
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarLeftThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks)
{
  return RangeTrackBarScaledLeftThumbSize(AHorizontal, ATicks, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarRightThumbSize(bool AHorizontal, TcxTrackBarTicksAlign ATicks)
{
  return RangeTrackBarScaledRightThumbSize(AHorizontal, ATicks, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                             TcxButtonState AState, bool AHorizontal,
                                                             TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor)
{
  DrawRangeTrackBarScaledLeftThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeTrackBarRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TcxButtonState AState, bool AHorizontal,
                                                              TcxTrackBarTicksAlign ATicks, vcl::TColor AThumbColor)
{
  DrawRangeTrackBarScaledRightThumb(ACanvas, ARect, AState, AHorizontal, ATicks, AThumbColor, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneBackground(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                    const TdxScaleFactor*, bool, bool, bool)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                        const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawFindPanelBackground(TcxCanvas*, const TRect&, TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledHeader(TcxCanvas*, const TRect&, const TRect&, TcxNeighbors,
                                                              TcxBorders, TcxButtonState, rtl::TAlignment,
                                                              TcxAlignmentVert, bool, bool, const rtl::String&,
                                                              vcl::TFont*, vcl::TColor, vcl::TColor,
                                                              const TdxScaleFactor*, TcxDrawBackgroundEvent, bool, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                         const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas*, const TRect&, TcxButtonState,
                                                                              bool, const TdxScaleFactor*,
                                                                              vcl::TCustomImageList*)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                              bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas*, const TRect&,
                                                                           const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                        TcxBorders ABorders, TcxButtonState AState,
                                                        rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                        bool AMultiLine, bool AShowEndEllipsis,
                                                        const rtl::String& AText, vcl::TFont* AFont,
                                                        vcl::TColor ATextColor, vcl::TColor ABkColor,
                                                        TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
                                                        bool AIsGroup)
{
  DrawSpreadSheetScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                              AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                              dxGetSystemScaleFactor(), AOnDrawBackground, AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState)
{
  DrawSpreadSheetScaledGroupExpandButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                        TcxButtonState AState, bool AExpanded,
                                                                        vcl::TCustomImageList* ADefaultGlyphs)
{
  DrawSpreadSheetScaledGroupExpandButtonGlyph(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor(), ADefaultGlyphs);
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonContentOffsets()
{
  return SpreadSheetScaledGroupExpandButtonContentOffsets(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonGlyphSize()
{
  return SpreadSheetScaledGroupExpandButtonGlyphSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupLevelMarkSize()
{
  return SpreadSheetScaledGroupLevelMarkSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawScrollBoxBackground(TcxCanvas*, const TRect&, vcl::TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageScaledBackground(TcxCanvas*, const TRect&, const TRect&, bool,
                                                                       bool, const TdxScaleFactor*)
{
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersWidth()
{
  return PrintPreviewPageBordersScaledWidth(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const TRect& R)
{
  DrawPrintPreviewScaledBackground(ACanvas, R, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                                 const TRect& AContentRect, bool ASelected,
                                                                 bool ADrawContent)
{
  DrawPrintPreviewPageScaledBackground(ACanvas, ABorderRect, AContentRect, ASelected, ADrawContent,
                                       dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGalleryBackground(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawGalleryGroupHeader(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawGalleryItemSelection(TcxCanvas*, const TRect&, const TdxGalleryItemViewState&)
{
}

void TcxCustomLookAndFeelPainter::DrawGalleryItemImageFrame(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawColorGalleryItemSelection(TcxCanvas*, const TRect&,
                                                                const TdxGalleryItemViewState&)
{
}

TRect TcxCustomLookAndFeelPainter::GetGalleryGroupHeaderContentOffsets()
{
  return GetGalleryScaledGroupHeaderContentOffsets(dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRatingControlScaledIndicator(TcxCanvas*, const TRect&,
                                                                   TdxRatingControlIndicatorState,
                                                                   const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawRatingControlIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TdxRatingControlIndicatorState AState)
{
  DrawRatingControlScaledIndicator(ACanvas, ABounds, AState, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlIndicatorSize()
{
  return GetRatingControlScaledIndicatorSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledFixedGroupIndicator(TcxCanvas*, const TRect&, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds)
{
  DrawScaledFixedGroupIndicator(ACanvas, ABounds, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetFixedGroupIndicatorSize()
{
  return GetScaledFixedGroupIndicatorSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItem(TcxCanvas*, const TRect&, TcxButtonState)
{
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBackground(TcxCanvas*, const TRect&, TcxButtonState)
{
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBorder(TcxCanvas*, const TRect&, TcxButtonState)
{
}

TColor TcxCustomLookAndFeelPainter::GaugeControlBackgroundColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::MapControlBackgroundColor()
{
  return static_cast<TColor>(0x958B5F);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelBackColor()
{
  return 0xC8000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelHotTrackedTextColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelPressedTextColor()
{
  return 0xFF7E8383;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelTextColor()
{
  return 0xFFADDFFF;
}

TSize TcxCustomLookAndFeelPainter::MapControlGetMapPushpinSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TPoint TcxCustomLookAndFeelPainter::MapControlGetMapPushpinTextOrigin(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TPoint{17, 17});
}

TRect TcxCustomLookAndFeelPainter::MapControlMapCustomElementSelectionOffset(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{14, 14, 14, 14});
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextColor()
{
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextGlowColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextColor()
{
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextGlowColor()
{
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBackgroundColor()
{
  return 0x800072AE;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBorderColor()
{
  return 0xFF3399FF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeHighlightedColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeSelectedColor()
{
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedColor()
{
  return 0xFFFFFFFF;
}

int TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedWidth(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(1);
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState)
{
  return OfficeNavigationBarItemTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarItemTextColor(TcxCalendarElementState AState)
{
  return static_cast<TColor>(AState == cesHot || AState == cesPressed || AState == cesSelected ? 0xC67200 : 0x565656);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(9);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledCustomizationButtonSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

int TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemFontSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(19);
}

TSize TcxCustomLookAndFeelPainter::TrackBarScaledThumbSize(bool, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

int TcxCustomLookAndFeelPainter::TrackBarScaledTrackSize(const TdxScaleFactor*)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor(bool)
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBackColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBorderColor()
{
  return static_cast<TColor>(0xAAA09D);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlDefaultElementColor()
{
  return static_cast<TColor>(0xA69A9A);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlElementForeColor()
{
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlElementsBorderColor()
{
  return 0xFFB6B8BF;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlLabelColor()
{
  return static_cast<TColor>(0xBAAEAE);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlOutOfRangeColor()
{
  return 0x1E9DA0AA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlRangePreviewColor()
{
  return clWindow;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlRulerColor()
{
  return 0x14000000;
}

int TcxCustomLookAndFeelPainter::GetRangeControlScaledScrollAreaHeight(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(11);
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledSizingGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{5, 9});
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledThumbSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{11, 19});
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaColor()
{
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBackgroundColor()
{
  return 0x64A8C3F1;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBorderColor()
{
  return 0x644571BA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlViewPortPreviewColor()
{
  return static_cast<TColor>(0xF2F1F0);
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledLeftThumbSize(bool, TcxTrackBarTicksAlign, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TSize TcxCustomLookAndFeelPainter::RangeTrackBarScaledRightThumbSize(bool, TcxTrackBarTicksAlign, const TdxScaleFactor*)
{
  return TSize{0, 0};
}

IdxColorPalette* TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonColorPalette(TcxButtonState)
{
  return nullptr;
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{2, 2, 2, 2});
}

TPoint TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonOverlay(const TdxScaleFactor* AScaleFactor)
{
  const TRect offsets = PDFViewerNavigationPaneContentOffsets(AScaleFactor);
  return TPoint{offsets.left, offsets.top + BorderSize()};
}

TSize TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{42, 42});
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{4, 4, 4, 4});
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPanePageContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionTextColor()
{
  return DefaultContentTextColor();
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageToolbarContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerSelectionColor()
{
  return DefaultSelectionColor();
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentColor()
{
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentTextColor()
{
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetFrozenPaneSeparatorColor()
{
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState)
{
  return ButtonSymbolColor(AState, clDefault);
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupLineColor()
{
  return clGray;
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{3, 3, 3, 3});
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return NavigatorScaledButtonGlyphSize(AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupLevelMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TSize{2, 2});
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetSelectionColor()
{
  return DefaultSelectionColor();
}

int TcxCustomLookAndFeelPainter::SpreadSheetFormulaBarGetScaledSeparatorSize(const TdxScaleFactor* AScaleFactor)
{
  return GetScaledSplitterSize(false, AScaleFactor).cx;
}

TColor TcxCustomLookAndFeelPainter::LayoutControlEmptyAreaColor()
{
  return clBtnFace;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForGroupButton(TcxButtonState)
{
  return nullptr;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForItemCaption()
{
  return nullptr;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForTabbedGroupCaption(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::PrintPreviewBackgroundTextColor()
{
  return clWindowText;
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersScaledWidth(const TdxScaleFactor*)
{
  return TRect{2, 2, 4, 4};
}

TColor TcxCustomLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind)
{
  switch (AButtonKind) {
    case cbBack:
    case cbCancel:
    case cbClear:
      return clMaroon;
    case cbMC:
    case cbMR:
    case cbMS:
    case cbMP:
    case cbDiv:
    case cbMul:
    case cbSub:
    case cbAdd:
    case cbEqual:
      return clRed;
    case cbSqrt:
    case cbPercent:
    case cbRev:
      return clNavy;
    default:
      return clBlue;
  }
}

TColor TcxCustomLookAndFeelPainter::GetCustomizationFormListBackgroundColor()
{
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryGroupTextColor()
{
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemCaptionTextColor(const TdxGalleryItemViewState&)
{
  return clWindowText;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetGalleryItemColorPalette(const TdxGalleryItemViewState&)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemDescriptionTextColor(const TdxGalleryItemViewState&)
{
  return clGrayText;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemImageFrameColor()
{
  return clBtnShadow;
}

TRect TcxCustomLookAndFeelPainter::GetGalleryScaledGroupHeaderContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{7, 2, 7, 2});
}

bool TcxCustomLookAndFeelPainter::DrawGalleryItemSelectionFirst()
{
  return false;
}

TColor TcxCustomLookAndFeelPainter::GetColorGalleryGlyphFrameColor()
{
  return static_cast<TColor>(0xE2E4E6);
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetRatingControlIndicatorColorPalette(TdxRatingControlIndicatorState)
{
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlScaledIndicatorSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TSize TcxCustomLookAndFeelPainter::GetScaledFixedGroupIndicatorSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

TColor TcxCustomLookAndFeelPainter::GetWheelPickerBorderItemColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return static_cast<TColor>(0xD9D9D9);
    case cxbsPressed:
      return static_cast<TColor>(0xE7C9BC);
    default:
      return clDefault;
  }
}

IdxColorPalette* TcxCustomLookAndFeelPainter::GetWheelPickerColorPalette(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetWheelPickerFillItemColor(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
      return static_cast<TColor>(0xF2F0EF);
    case cxbsPressed:
      return static_cast<TColor>(0xFDEAE2);
    default:
      return clDefault;
  }
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterLineColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor()
{
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkTextColor()
{
  return DefaultControlTextColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerControlColor()
{
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerActiveAreaColor()
{
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerDefaultTabColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerInactiveAreaColor()
{
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTabTypeToggleBorderColor()
{
  return cl3DDkShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTextColor()
{
  return DefaultControlTextColor();
}

