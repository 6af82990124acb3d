// The skin painter's grid elements: headers and their text, sorting marks,
// footers, the filter panel and buttons, the group-by box, layout-view
// records and items, and the Explorer-like view's groups and records.
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClasses.h"
#include "skins/dxSkinsLookAndFeelPainter.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxNeighbor;
using enum TdxSkinElementState;
using enum vcl::TBrushStyle;

using namespace vcl;

namespace {

// R grown outward by the margins on every side not in ABorders: the
// element's own edge on those sides then falls outside the clip.
TRect ExpandExceptBorders(const TRect& R, const TRect& AMargins, TcxBorders ABorders)
{
  TRect result = R;
  if (!ABorders.Contains(bLeft))
    result.left -= AMargins.left;
  if (!ABorders.Contains(bTop))
    result.top -= AMargins.top;
  if (!ABorders.Contains(bRight))
    result.right += AMargins.right;
  if (!ABorders.Contains(bBottom))
    result.bottom += AMargins.bottom;
  return result;
}

TPoint SizeAsPoint(const TSize& ASize)
{
  return TPoint{ASize.cx, ASize.cy};
}

}  // namespace

// ---------------------------------------------------------------------------
// Headers

void TdxSkinLookAndFeelPainter::DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                 TcxBorders ABorders, TcxButtonState AState,
                                                 rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                 bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                 TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                 const TdxScaleFactor* AScaleFactor,
                                                 TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast, bool AIsGroup)
{
  TdxSkinElement* element = AIsGroup ? SkinInfo()->HeaderSpecial : SkinInfo()->Header;
  if (!element) {
    inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                                AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                                AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
    return;
  }
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(ABounds);
  element->SetUseCache(true);
  DrawSkinElement(element, ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                  ExpandExceptBorders(ABounds, TRect{1, 1, 1, 1}, ABorders));
  DrawContent(ACanvas, ScaledHeaderContentBounds(ABounds, ABorders, AScaleFactor), ATextAreaBounds, AState,
              AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
              AOnDrawBackground);
  ACanvas->RestoreClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawScaledHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds,
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

void TdxSkinLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors, TcxBorders,
    TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
    const TdxScaleFactor* AScaleFactor)
{
  TcxBorders borders{bLeft, bTop, bRight, bBottom};
  if (ANeighbors.Contains(nLeft))
    borders -= TcxBorders{bLeft};
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, borders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, {}, false, false);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
    TcxBorders ABorders, TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
    bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor,
    TColor ABkColor, const TdxScaleFactor* AScaleFactor, TcxDrawBackgroundEvent AOnDrawBackground, bool AIsLast,
    bool AIsGroup)
{
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz, AAlignmentVert,
                   AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AScaleFactor, AOnDrawBackground,
                   AIsLast, AIsGroup);
}

void TdxSkinLookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect&, const TRect& ATextAreaBounds,
                                            TcxButtonState, rtl::TAlignment AAlignmentHorz,
                                            TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                            const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor,
                                            TcxDrawBackgroundEvent)
{
  if (AText.empty())
    return;
  ACanvas->GetBrush()->SetStyle(bsClear);
  if (AFont)
    ACanvas->SetFont(AFont);
  ACanvas->GetFont()->SetColor(ATextColor);
  ACanvas->DrawTexT(AText, ATextAreaBounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TdxSkinLookAndFeelPainter::DrawHeaderPressed(TcxCanvas*, const TRect&) {}

void TdxSkinLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int AIndentSize,
                                                    TColor AColor, const TcxViewParams& AViewParams)
{
  TdxSkinColor* color = SkinInfo()->HeaderBackgroundColor;
  if (!color) {
    inherited::DrawHeaderSeparator(ACanvas, ABounds, AIndentSize, AColor, AViewParams);
    return;
  }
  ACanvas->FillRect(TRect{ABounds.left + AIndentSize, ABounds.top, ABounds.right - AIndentSize, ABounds.bottom},
                    color->GetValue());
}

TcxBorders TdxSkinLookAndFeelPainter::HeaderBorders(TcxNeighbors ANeighbors)
{
  TcxBorders result = inherited::HeaderBorders(ANeighbors);
  if (ANeighbors.Contains(nLeft))
    result -= TcxBorders{bLeft};
  if (ANeighbors.Contains(nTop))
    result -= TcxBorders{bTop};
  return result;
}

TRect TdxSkinLookAndFeelPainter::HeaderContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->Header;
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::HeaderContentOffsets(AScaleFactor);
}

bool TdxSkinLookAndFeelPainter::HeaderDrawCellsFirst()
{
  return false;
}

bool TdxSkinLookAndFeelPainter::GridDrawHeaderCellsFirst()
{
  TdxSkinElement* element = SkinInfo()->Header;
  return element ? !element->IsAlphaUsed() : inherited::GridDrawHeaderCellsFirst();
}

int TdxSkinLookAndFeelPainter::GridBordersOverlapSize()
{
  return BorderSize();
}

// ---------------------------------------------------------------------------
// Sorting marks

void TdxSkinLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R, bool AAscendingSorting,
                                                      const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->SortGlyphs, ACanvas, AAscendingSorting ? 1 : 0, esNormal, AScaleFactor, R))
    inherited::DrawScaledSortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AAscendingSorting,
                                                             const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->SortGlyphs, ACanvas, AAscendingSorting ? 3 : 2, esNormal, AScaleFactor, R))
    inherited::DrawScaledSummarySortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                  bool AAscendingSorting,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->IndicatorImages, ACanvas, 10, esNormal, AScaleFactor, R))
    inherited::DrawScaledSummaryValueSortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledSummarySortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledSortingMarkSize(AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledSummaryValueSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  TPoint result = inherited::ScaledSummaryValueSortingMarkSize(AScaleFactor);
  if (TdxSkinElement* element = SkinInfo()->IndicatorImages)
    result.y = AScaleFactor->Apply(element->GetImage()->GetSize().cy);
  return result;
}

// ---------------------------------------------------------------------------
// Footers

void TdxSkinLookAndFeelPainter::DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                  const TcxViewParams& AViewParams)
{
  TdxSkinElement* element = SkinInfo()->FooterPanel;
  if (!element || (AViewParams.Bitmap && !AViewParams.Bitmap->GetEmpty())) {
    inherited::DrawFooterContent(ACanvas, ARect, AViewParams);
    return;
  }
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(ARect);
  const int border = FooterBorderSize();
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal,
                               TRect{ARect.left - border, ARect.top - border, ARect.right + border,
                                     ARect.bottom + border});
  ACanvas->RestoreClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders)
{
  TdxSkinElement* element = SkinInfo()->FooterPanel;
  if (!element) {
    DrawFooterBorder(ACanvas, R);
    return;
  }
  TRect margins = element->GetContentOffset()->GetRect();
  margins.top = FooterSeparatorSize();
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(
      TRect{R.left + margins.left, R.top + margins.top, R.right - margins.right, R.bottom - margins.bottom});
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal, ExpandExceptBorders(R, margins, ABorders));
  ACanvas->RestoreClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R)
{
  if (!SkinInfo()->FooterCell)
    inherited::DrawFooterCellBorder(ACanvas, R);
}

void TdxSkinLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      rtl::TAlignment AAlignmentHorz,
                                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                      const rtl::String& AText, TFont* AFont, TColor ATextColor,
                                                      TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawSkinElementAtSystemScale(SkinInfo()->FooterCell, ACanvas, 0, esNormal, ABounds);
  // The base operation's text goes through this painter's DrawContent.
  TcxCustomLookAndFeelPainter::DrawFooterCellContent(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                                     AText, AFont, ATextColor, ABkColor, AOnDrawBackground);
}

int TdxSkinLookAndFeelPainter::FooterCellBorderSize()
{
  TdxSkinElement* element = SkinInfo()->FooterCell;
  if (!element)
    return inherited::FooterCellBorderSize();
  const TRect& offsets = element->GetContentOffset()->GetRect();
  return std::max({offsets.left, offsets.top, offsets.right, offsets.bottom});
}

bool TdxSkinLookAndFeelPainter::FooterDrawCellsFirst()
{
  return false;
}

TColor TdxSkinLookAndFeelPainter::FooterSeparatorColor()
{
  return DefaultGridLineColor();
}

// ---------------------------------------------------------------------------
// The filter and the group-by box

void TdxSkinLookAndFeelPainter::DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                TColor ABackgroundColor, TGraphic* ABackgroundBitmap)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->FilterPanel, ACanvas, 0, esNormal, ARect))
    inherited::DrawFilterPanel(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AIsFilterActive,
                                                               const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->FilterButtons[AIsFilterActive], ACanvas, 0, ButtonStateToSkinState(AState),
                       AScaleFactor, R))
    inherited::DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->EditButtonElements[1], ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                       R))
    inherited::DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledFilterActivateButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->CheckboxElement;
  return element ? SizeAsPoint(AScaleFactor->Apply(element->GetImage()->GetSize()))
                 : inherited::ScaledFilterActivateButtonSize(AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledFilterCloseButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[1];
  return element ? SizeAsPoint(AScaleFactor->Apply(element->GetMinSize()->GetSize()))
                 : inherited::ScaledFilterCloseButtonSize(AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledFilterSmartTagSize(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->SmartFilterButton;
  return element ? AScaleFactor->Apply(element->GetMinSize()->GetSize())
                 : inherited::ScaledFilterSmartTagSize(AScaleFactor);
}

IdxColorPalette* TdxSkinLookAndFeelPainter::FilterControlMenuGetColorPalette()
{
  return GetElementGlyphColorPalette(SkinInfo()->PopupMenu, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                               TColor ABackgroundColor, TBitmap* ABackgroundBitmap)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GridGroupByBox, ACanvas, 0, esNormal, ARect))
    inherited::DrawGroupByBox(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

// ---------------------------------------------------------------------------
// Layout view

namespace {

// A record's look: normal, hot and pressed show its active frame, a
// disabled one its inactive frame.
TdxSkinElementState RecordStateToSkinState(TcxButtonState AState)
{
  switch (AState) {
    case cxbsHot:
    case cxbsPressed:
      return esActive;
    case cxbsDisabled:
      return esActiveDisabled;
    default:
      return esNormal;
  }
}

}  // namespace

void TdxSkinLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            const TRect& ATextRect,
                                                            TcxGroupBoxCaptionPosition APosition,
                                                            TcxButtonState AState, TColor AColor, TBitmap* ABitmap)
{
  TdxSkinLookAndFeelPainterInfo* info = SkinInfo();
  const int position = static_cast<int>(APosition);
  if (TdxSkinElement* element = info->LayoutViewRecordCaptionElements[position])
    DrawCaptionSkinElement(ACanvas, ABounds, RecordStateToSkinState(AState),
                           info->LayoutViewRecordCaptionTextPadding[position], element, ATextRect);
  else
    inherited::LayoutViewDrawRecordCaption(ACanvas, ABounds, ATextRect, APosition, AState, AColor, ABitmap);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxGroupBoxCaptionPosition ACaptionPosition,
                                                            TcxButtonState AState, TcxBorders ABorders)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->LayoutViewRecordElements[static_cast<int>(ACaptionPosition)], ACanvas,
                                    0, RecordStateToSkinState(AState), ABounds))
    inherited::LayoutViewDrawRecordContent(ACanvas, ABounds, ACaptionPosition, AState, ABorders);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                       TcxButtonState AState, bool AExpanded,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->LayoutViewRecordExpandButton, ACanvas, AExpanded ? 0 : 1,
                       ButtonStateToSkinState(AState), AScaleFactor, ABounds))
    inherited::LayoutViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                   TcxBorders ABorders)
{
  TdxSkinElement* element = SkinInfo()->LayoutViewItem;
  if (!element) {
    inherited::LayoutViewDrawItem(ACanvas, ABounds, AState, ABorders);
    return;
  }
  if (AState != cxbsNormal) {
    DrawSkinElementAtSystemScale(element, ACanvas, 0, ButtonStateToSkinState(AState), ABounds);
    return;
  }
  // A normal item shows only the borders it is asked for.
  if (ABorders.Empty())
    return;
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(ABounds);
  DrawSkinElementAtSystemScale(element, ACanvas, 0, esNormal,
                               ExpandExceptBorders(ABounds, element->GetImage()->GetMargins()->GetMargin(), ABorders));
  ACanvas->RestoreClipRegion();
}

TRect TdxSkinLookAndFeelPainter::LayoutViewGetPadding(TcxLayoutElement AElement)
{
  TdxSkinRectProperty* padding = SkinInfo()->LayoutViewElementPadding[static_cast<int>(AElement)];
  return padding ? padding->GetValue()->GetRect() : inherited::LayoutViewGetPadding(AElement);
}

TRect TdxSkinLookAndFeelPainter::LayoutViewGetSpacing(TcxLayoutElement AElement)
{
  TdxSkinRectProperty* spacing = SkinInfo()->LayoutViewElementSpacing[static_cast<int>(AElement)];
  return spacing ? spacing->GetValue()->GetRect() : inherited::LayoutViewGetSpacing(AElement);
}

int TdxSkinLookAndFeelPainter::LayoutViewRecordCaptionTailSize(TcxGroupBoxCaptionPosition ACaptionPosition)
{
  TdxSkinIntegerProperty* size = SkinInfo()->LayoutViewRecordCaptionTailSizes[static_cast<int>(ACaptionPosition)];
  return size ? size->GetValue() : inherited::LayoutViewRecordCaptionTailSize(ACaptionPosition);
}

bool TdxSkinLookAndFeelPainter::LayoutViewRecordCaptionTextBold()
{
  return IsElementFontBold(SkinInfo()->LayoutViewRecordCaptionElements[0]);
}

// ---------------------------------------------------------------------------
// Explorer-like view

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds,
                                                         TcxButtonState AState, TColor, TBitmap*)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GridWinExplorerViewGroup, ACanvas, 0, ButtonStateToSkinState(AState),
                                    ABounds))
    inherited::WinExplorerViewDrawGroup(ACanvas, ABounds, AState, clDefault, nullptr);
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          TcxButtonState AState, TColor, TBitmap*)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GridWinExplorerViewRecord, ACanvas, 0,
                                    ButtonStateToSkinState(AState), ABounds))
    inherited::WinExplorerViewDrawRecord(ACanvas, ABounds, AState, clDefault, nullptr);
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds)
{
  if (!DrawSkinElementAtSystemScale(SkinInfo()->GridWinExplorerViewGroupCaptionLine, ACanvas, 0, esNormal, ABounds))
    inherited::WinExplorerViewDrawGroupCaptionLine(ACanvas, ABounds);
}

void TdxSkinLookAndFeelPainter::WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                            TcxButtonState AState, bool AExpanded,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->GridWinExplorerViewGroupExpandButton, ACanvas, AExpanded ? 0 : 1,
                       ButtonStateToSkinState(AState), AScaleFactor, ABounds))
    inherited::WinExplorerViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, AScaleFactor);
}

int TdxSkinLookAndFeelPainter::WinExplorerViewGroupCaptionLineHeight()
{
  TdxSkinElement* element = SkinInfo()->GridWinExplorerViewGroupCaptionLine;
  return element ? element->GetMinSize()->GetSize().cy : inherited::WinExplorerViewGroupCaptionLineHeight();
}

TColor TdxSkinLookAndFeelPainter::WinExplorerViewGroupTextColor(TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->GridWinExplorerViewGroup;
  if (!element)
    return inherited::WinExplorerViewGroupTextColor(AState);
  const TColor color = element->GetTextColor(AState);
  return color == clDefault ? DefaultContentTextColor() : color;
}

TColor TdxSkinLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->GridWinExplorerViewRecord;
  if (!element)
    return inherited::WinExplorerViewRecordTextColor(AState);
  const TColor color = element->GetTextColor(AState);
  return color == clDefault ? DefaultContentTextColor() : color;
}

bool TdxSkinLookAndFeelPainter::WinExplorerViewGroupTextBold()
{
  return IsElementFontBold(SkinInfo()->GridWinExplorerViewGroup);
}

// ---------------------------------------------------------------------------
// Filter row, smart tag

void TdxSkinLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TColor ABackgroundColor)
{
  DrawScaledHeader(ACanvas, ARect, ARect, {nLeft, nTop, nRight, nBottom}, {}, cxbsNormal,
                   rtl::TAlignment::taLeftJustify, TcxAlignmentVert::vaTop, false, false, rtl::String(), nullptr,
                   clWindowText, ABackgroundColor, dxGetDefaultScaleFactor());
  ACanvas->FrameRect(ARect, DefaultFixedSeparatorColor(), 1, {bTop, bRight, bBottom});
}

TdxSkinElementState TdxSkinLookAndFeelPainter::SmartTagStateToSkinState(bool AIsFilterActive,
                                                                        TcxFilterSmartTagState AState)
{
  static constexpr TdxSkinElementState kInactive[] = {esNormal, esHot, esPressed, esNormal};
  static constexpr TdxSkinElementState kActive[] = {esChecked, esHot, esPressed, esActive};
  return (AIsFilterActive ? kActive : kInactive)[static_cast<int>(AState)];
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxFilterSmartTagState AState, bool AIsFilterActive,
                                                         const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->SmartFilterButton, ACanvas, 0, SmartTagStateToSkinState(AIsFilterActive, AState),
                       AScaleFactor, R))
    inherited::DrawScaledFilterSmartTag(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

// ---------------------------------------------------------------------------
// Row indicator

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                         const TdxScaleFactor* AScaleFactor)
{
  using enum TcxIndicatorKind;
  TdxSkinElement* element = SkinInfo()->IndicatorImages;
  if (!element) {
    inherited::DrawScaledIndicatorImage(ACanvas, R, AKind, AScaleFactor);
    return;
  }
  // Image by kind, in the order of the kinds; ikNone has none.
  static constexpr int kImageIndex[] = {-1, 0, 1, 2, 0, 0, 8, 5};
  const int imageIndex = kImageIndex[static_cast<int>(AKind)];
  if (imageIndex < 0)
    return;
  const TSize size = AScaleFactor->Apply(element->GetImage()->GetSize());
  const TRect box = cxRectCenterBox(R, size.cx, size.cy);
  if (AKind != ikMultiDot) {
    DrawSkinElementRTLAware(element, ACanvas, imageIndex, esNormal, AScaleFactor, box);
    return;
  }
  // Rows of a multiple selection other than the focused one show the arrow
  // faded.
  if (cxRectHasNoArea(box))
    return;
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(box, true); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  canvas->SetUseRightToLeftAlignment(ACanvas->GetUseRightToLeftAlignment());
  DrawSkinElementRTLAware(element, canvas, imageIndex, esNormal, AScaleFactor, bitmap->GetClientRect());
  cxAlphaBlend(ACanvas->GetHandle(), bitmap.get(), box, bitmap->GetClientRect(), false, 120);
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R,
                                                                     TColor AColor,
                                                                     const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->IndicatorImages;
  if (!element) {
    DrawIndicatorCustomizationMark(ACanvas, R, AColor);
    return;
  }
  const TSize size = AScaleFactor->Apply(element->GetImage()->GetSize());
  DrawSkinElement(element, ACanvas, 2, esNormal, AScaleFactor, cxRectCenterBox(R, size.cx, size.cy));
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                        const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                                                        TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                        TcxDrawBackgroundEvent AOnDrawBackground,
                                                        TcxNeighbors ANeighbors)
{
  // The cell above draws the shared edge.
  TRect bounds = R;
  if (ANeighbors.Contains(nTop))
    bounds.top -= HeaderBorderSize();
  TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(ACanvas, bounds, AImageAreaBounds, AKind, AColor, AScaleFactor,
                                                       AOnDrawBackground, ANeighbors);
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                          TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                          TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, AScaleFactor, AOnDrawBackground);
}

bool TdxSkinLookAndFeelPainter::IndicatorDrawItemsFirst()
{
  return true;
}

// ---------------------------------------------------------------------------
// Spreadsheet buttons

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                       TcxButtonState AState,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  if (!DrawSkinElement(SkinInfo()->EditButtonElements[0], ACanvas, 0, ButtonStateToSkinState(AState), AScaleFactor,
                       R))
    inherited::DrawSpreadSheetScaledGroupExpandButton(ACanvas, R, AState, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                            TcxButtonState AState, bool AExpanded,
                                                                            const TdxScaleFactor* AScaleFactor,
                                                                            TCustomImageList* ADefaultGlyphs)
{
  TdxSkinElement* element = SkinInfo()->NavigatorGlyphs;
  if (!element) {
    inherited::DrawSpreadSheetScaledGroupExpandButtonGlyph(ACanvas, R, AState, AExpanded, AScaleFactor,
                                                           ADefaultGlyphs);
    return;
  }
  // The navigator's '-' and '+' glyphs.
  const TSize size = NavigatorScaledButtonGlyphSize(AScaleFactor);
  DrawSkinElement(element, ACanvas, AExpanded ? 8 : 6, esNormal, AScaleFactor, cxRectCenterBox(R, size.cx, size.cy));
}

TRect TdxSkinLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonContentOffsets(const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[0];
  return element ? AScaleFactor->Apply(element->GetContentOffset()->GetRect())
                 : inherited::SpreadSheetScaledGroupExpandButtonContentOffsets(AScaleFactor);
}

TColor TdxSkinLookAndFeelPainter::SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState)
{
  TdxSkinElement* element = SkinInfo()->EditButtonElements[0];
  const TColor color = element ? element->GetTextColor(AState) : clDefault;
  return color != clDefault ? color : inherited::SpreadSheetGroupExpandButtonTextColor(AState);
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                            TcxButtonState AState, bool AExpanded,
                                                                            const TdxScaleFactor* AScaleFactor)
{
  ACanvas->FillRect(R, DefaultEditorBackgroundColorEx(TcxEditStateColorKind::esckNormal));
  DrawScaledEditorButton(ACanvas, cxRectInflateAll(R, 1), TcxEditBtnKind::cxbkEditorBtn, AState, AScaleFactor,
                         TcxEditBtnPosition::cxbpRight);
  TdxSkinElement* glyph = SkinInfo()->EditButtonGlyphs[static_cast<int>(TcxEditBtnKind::cxbkComboBtn)];
  if (!glyph)
    return;
  // Expanded, the combo arrow is mirrored to point up.
  dxSkinPaint(ACanvas->GetHandle(), R, [&](TdxGPCanvas* C) {
    if (AExpanded) {
      C->SaveWorldTransform();
      C->FlipWorldTransform(false, true, (R.left + R.right) / 2.0f, (R.top + R.bottom) / 2.0f);
    }
    glyph->DrawEx(C, R, const_cast<TdxScaleFactor*>(AScaleFactor), 0, ButtonStateToSkinState(AState));
    if (AExpanded)
      C->RestoreWorldTransform();
  });
}

void TdxSkinLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  TdxSkinElement* element = SkinInfo()->Splitter[0];
  if (!element)
    inherited::DrawSpreadSheetFormulaBarScaledSeparator(ACanvas, R, AScaleFactor);
  else if (element->GetGlyph()->Empty())
    DrawSkinElement(element, ACanvas, 0, esNormal, AScaleFactor, R);
  else
    element->GetGlyph()->Draw(ACanvas->GetHandle(), R, const_cast<TdxScaleFactor*>(AScaleFactor), 0, esNormal);
}
