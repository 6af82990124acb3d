// The base painter's headers, sorting marks, indicators and the elements of
// grid-like controls: group-by box, layout-view and WinExplorer-view
// records, footers, the filter panel and its buttons, the find panel.
// The twins without a scale factor forward to the scaled operations, with
// the system factor unless they say otherwise.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

using enum TcxBorder;
using enum TcxButtonState;
using enum TcxFilterSmartTagState;
using enum TcxIndicatorKind;
using enum TcxNeighbor;
using enum vcl::TBrushStyle;

using namespace vcl;

namespace {

const TcxBorders cxAllBorders{bLeft, bTop, bRight, bBottom};

// The image of the indicator list after the seven indicator glyphs.
constexpr int kSummaryValueSortingImage = 7;

// One glyph of the indicator list centred in R at the factor; the list's
// white mask colour stays transparent.
void DrawIndicatorGlyph(TcxCanvas* ACanvas, const TRect& R, int AIndex, const TdxScaleFactor* AScaleFactor)
{
  TImageList* images = cxGetIndicatorImages();
  const rtl::TOwnedPtr<TBitmap> glyph(rtl::New<TBitmap>());
  glyph->SetSize(images->GetWidth(), images->GetHeight());
  glyph->GetCanvas()->GetBrush()->SetColor(clWhite);
  glyph->GetCanvas()->FillRect(TRect{0, 0, glyph->GetWidth(), glyph->GetHeight()});
  images->Draw(glyph->GetCanvas(), 0, 0, AIndex);
  glyph->SetTransparentColor(clWhite);
  glyph->SetTransparent(true);
  cxDrawImage(ACanvas, R, glyph.get(), AScaleFactor, nullptr, true);
}

// The vertical axis of a sorting triangle of width AWidth: its centre
// column and its extents to the right (A) and the left (B).
struct TSortingArrowAxis {
  TSortingArrowAxis(const TRect& R, int AWidth)
      : Xc((R.left + R.right) / 2 - (AWidth % 2 == 0 ? 1 : 0)), A(AWidth / 2), B(A - (AWidth % 2 == 0 ? 1 : 0))
  {
  }
  int Xc;
  int A;
  int B;
};

// The triangle's outline from its apex row y0: the base lies in the first
// colour for ascending marks and in the second for descending ones, the
// left edge always in the second.
void DrawSortingArrowLines(TcxCanvas* ACanvas, const TRect& R, int AWidth, int AHeight, int y0, bool AAscending,
                           TColor AColor1, TColor AColor2)
{
  const TSortingArrowAxis axis(R, AWidth);
  const int k = AAscending ? 1 : -1;
  const int xc = axis.Xc;
  ACanvas->GetPen()->SetColor(AColor1);
  ACanvas->MoveTo(xc + axis.A, y0 + (AHeight - 2) * k);
  ACanvas->LineTo(xc + axis.A - axis.B, y0);
  ACanvas->LineTo(xc + axis.A, y0 + (AHeight - 1) * k);
  if (!AAscending)
    ACanvas->GetPen()->SetColor(AColor2);
  ACanvas->LineTo(xc - axis.B, y0 + (AHeight - 1) * k);
  if (AAscending)
    ACanvas->GetPen()->SetColor(AColor2);
  ACanvas->LineTo(xc, y0);
  ACanvas->LineTo(xc - axis.B, y0 + (AHeight - AWidth % 2) * k);
}

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

void TcxCustomLookAndFeelPainter::DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds)
{
  ACanvas->InvertRect(ABounds);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas*, const TRect&, TcxBorders,
                                                                 TcxButtonState)
{
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor)
{
  ACanvas->FillRect(ABounds, ABkColor);
  DrawHeaderControlSectionText(ACanvas, HeaderControlSectionTextAreaBounds(ATextAreaBounds, AState), AState,
                               AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionText(TcxCanvas* ACanvas, const TRect& ATextAreaBounds,
                                                               TcxButtonState AState, rtl::TAlignment AAlignmentHorz,
                                                               TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                               bool AShowEndEllipsis, const rtl::String& AText,
                                                               TFont* AFont, TColor ATextColor)
{
  if (AText.empty())
    return;
  ACanvas->GetBrush()->SetStyle(bsClear);
  if (AFont)
    ACanvas->SetFont(AFont);
  const auto drawText = [&](const TRect& R, TColor AColor) {
    ACanvas->GetFont()->SetColor(AColor);
    ACanvas->DrawTexT(AText, R, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
  };
  if (AState == cxbsDisabled) {
    drawText(cxRectOffsetBy(ATextAreaBounds, 1, 1), clBtnHighlight);
    drawText(ATextAreaBounds, clBtnShadow);
  } else
    drawText(ATextAreaBounds, ATextColor);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds, int AIndentSize,
                                                      TColor AColor, const TcxViewParams& AViewParams)
{
  ACanvas->FillRect(cxRectWithWidth(ABounds, AIndentSize), AViewParams);
  ACanvas->FillRect(cxRectSetRightAndWidth(ABounds, ABounds.right, AIndentSize), AViewParams);
  ACanvas->FillRect(cxRectInflateXY(ABounds, -AIndentSize, 0), AColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                   const TRect& ATextAreaBounds, TcxNeighbors ANeighbors,
                                                   TcxBorders ABorders, TcxButtonState AState,
                                                   rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                   bool AMultiLine, bool AShowEndEllipsis, const rtl::String& AText,
                                                   TFont* AFont, TColor ATextColor, TColor ABkColor,
                                                   const TdxScaleFactor* AScaleFactor,
                                                   TcxDrawBackgroundEvent AOnDrawBackground, bool, bool)
{
  DrawHeaderBorder(ACanvas, ABounds, ANeighbors, ABorders);
  DrawContent(ACanvas, ScaledHeaderContentBounds(ABounds, ABorders, AScaleFactor), ATextAreaBounds, AState,
              AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
              AOnDrawBackground);
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

void TcxCustomLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxNeighbors, TcxBorders ABorders,
    TcxButtonState AState, rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
    bool AShowEndEllipsis, const rtl::String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor,
    const TdxScaleFactor*)
{
  DrawHeaderControlSectionBorder(ACanvas, ABounds, ABorders, AState);
  DrawHeaderControlSectionContent(ACanvas, HeaderControlSectionContentBounds(ABounds, AState), ATextAreaBounds,
                                  AState, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                  ATextColor, ABkColor);
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

void TcxCustomLookAndFeelPainter::DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R, bool,
                                                                    const TdxScaleFactor* AScaleFactor)
{
  DrawIndicatorGlyph(ACanvas, R, kSummaryValueSortingImage, AScaleFactor);
}

TPoint TcxCustomLookAndFeelPainter::ScaledSortingMarkAreaSize(const TdxScaleFactor* AScaleFactor)
{
  return TPoint{AScaleFactor->Apply(cxTouchMode() ? 20 : 16), ScaledSortingMarkSize(AScaleFactor).y};
}

TPoint TcxCustomLookAndFeelPainter::ScaledSummaryValueSortingMarkSize(const TdxScaleFactor* AScaleFactor)
{
  TImageList* images = cxGetIndicatorImages();
  return AScaleFactor->Apply(TPoint{images->GetWidth(), images->GetHeight()});
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

void TcxCustomLookAndFeelPainter::DrawSortingArrow(TcxCanvas* ACanvas, const TRect& R,
                                                   const TdxScaleFactor* AScaleFactor, bool AAscendingSorting,
                                                   TColor AColor1, TColor AColor2)
{
  const TPoint size = ScaledSortingMarkSize(AScaleFactor);
  const int y0 = AAscendingSorting ? (R.top + R.bottom - size.y) / 2 : (R.top + R.bottom + size.y) / 2 - 1;
  DrawSortingArrowLines(ACanvas, R, size.x, size.y, y0, AAscendingSorting, AColor1, AColor2);
}

void TcxCustomLookAndFeelPainter::DrawSummarySortingArrow(TcxCanvas* ACanvas, const TRect& R,
                                                          const TdxScaleFactor* AScaleFactor, bool AAscendingSorting,
                                                          TColor AColor1, TColor AColor2)
{
  const TPoint size = ScaledSummarySortingMarkSize(AScaleFactor);
  const TSortingArrowAxis axis(R, size.x);
  // The bar that tells a summary mark from a plain one, two-coloured when
  // the colours differ.
  ACanvas->GetPen()->SetColor(AColor2);
  ACanvas->Line(axis.Xc - axis.B, R.top, axis.Xc + axis.A + 1, R.top);
  if (AColor1 != AColor2) {
    ACanvas->GetPen()->SetColor(AColor1);
    ACanvas->Line(axis.Xc - axis.B, R.top + 1, axis.Xc + axis.A + 1, R.top + 1);
  }
  const int h = size.y - 2;
  const int y0 = AAscendingSorting ? (R.top + R.bottom - h) / 2 + 2 : (R.top + R.bottom + h) / 2 + 1;
  DrawSortingArrowLines(ACanvas, R, size.x, h, y0, AAscendingSorting, AColor1, AColor2);
}

// ---------------------------------------------------------------------------
// Indicators

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                           const TdxScaleFactor* AScaleFactor)
{
  if (AKind == ikNone)
    return;
  const int index = static_cast<int>(AKind) - 1;
  // Arrows point along the reading direction; the other glyphs read alike
  // both ways.
  if (ACanvas->GetUseRightToLeftAlignment() && (AKind == ikArrow || AKind == ikMultiArrow))
    cxDrawMirrored(ACanvas, R, [&](TcxCanvas* ATarget, const TRect& ABounds) {
      DrawIndicatorGlyph(ATarget, ABounds, index, AScaleFactor);
    });
  else
    DrawIndicatorGlyph(ACanvas, R, index, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                          const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                                                          TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                          TcxDrawBackgroundEvent AOnDrawBackground,
                                                          TcxNeighbors ANeighbors)
{
  DrawScaledHeader(ACanvas, R, R, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal, rtl::TAlignment::taLeftJustify,
                   TcxAlignmentVert::vaTop, false, false, L"", nullptr, clDefault, AColor, AScaleFactor,
                   AOnDrawBackground);
  DrawScaledIndicatorImage(ACanvas, AImageAreaBounds, AKind, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R, TcxIndicatorKind AKind,
                                                          TColor AColor, const TdxScaleFactor* AScaleFactor,
                                                          TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledIndicatorItem(ACanvas, R, R, AKind, AColor, AScaleFactor, AOnDrawBackground, TcxNeighbors{nTop, nBottom});
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxIndicatorKind AKind, TColor AColor,
                                                            const TdxScaleFactor* AScaleFactor,
                                                            TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeaderEx(ACanvas, R, R, {}, cxAllBorders, cxbsNormal, rtl::TAlignment::taLeftJustify,
                     TcxAlignmentVert::vaTop, false, false, L"", nullptr, clDefault, AColor, AScaleFactor,
                     AOnDrawBackground);
  DrawScaledIndicatorImage(ACanvas, R, AKind, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R,
                                                                       TColor AColor,
                                                                       const TdxScaleFactor* AScaleFactor)
{
  const int inset = AScaleFactor->Apply(3);
  const int p = AScaleFactor->Apply(1);
  const int x = R.left + inset;
  const int width = cxRectGetWidth(R) - 2 * inset;
  const int top = (R.top + R.bottom - 5 * p - 4) / 2;
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->GetBrush()->SetColor(AColor);
  // Five list rows; every other one carries a bullet.
  for (int i = 0; i < 5; ++i) {
    const int y = top + i * AScaleFactor->Apply(2);
    if (i % 2 == 0)
      ACanvas->FillRect(cxRectBounds(x, y, p, p), AColor);
    ACanvas->FillRect(cxRectBounds(x + 2 * p, y, width - 2 * p, p));
  }
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

void TcxCustomLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TColor ABackgroundColor)
{
  DrawScaledHeader(ACanvas, ARect, ARect, {}, cxAllBorders, cxbsNormal, rtl::TAlignment::taLeftJustify,
                   TcxAlignmentVert::vaTop, false, false, L"", nullptr, clWindowText, ABackgroundColor,
                   dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                 TColor ABackgroundColor, TBitmap* ABackgroundBitmap)
{
  FillBackground(ACanvas, ARect, ABackgroundBitmap, ABackgroundColor, ATransparent);
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

void TcxCustomLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                     TcxBorders)
{
  switch (AState) {
    case cxbsHot:
      ACanvas->FrameRect(ABounds, clBtnShadow, 1, cxAllBorders, true);
      ACanvas->FillRect(ABounds, clGradientInactiveCaption);
      break;
    case cxbsPressed:
      ACanvas->FillRect(ABounds, DefaultSelectionColor());
      break;
    case cxbsDisabled:
      ACanvas->FillRect(ABounds, clInactiveCaption);
      break;
    default:
      ACanvas->FillRect(ABounds, DefaultGroupColor());
      break;
  }
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds, const TRect&,
                                                              TcxGroupBoxCaptionPosition, TcxButtonState AState,
                                                              TColor AColor, TBitmap* ABitmap)
{
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxAllBorders);
  const TColor color = AColor == clDefault && !ABitmap ? DefaultLayoutViewCaptionColor(AState) : AColor;
  FillBackground(ACanvas, ABounds, ABitmap, color, ABitmap != nullptr);
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordBorder(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState AState, TcxBorders ABorders)
{
  ACanvas->FrameRect(ABounds, AState == cxbsHot ? DefaultSelectionColor() : clBtnShadow, 1, ABorders, true);
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxGroupBoxCaptionPosition, TcxButtonState AState,
                                                              TcxBorders ABorders)
{
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, ABorders);
  ACanvas->FillRect(ABounds, DefaultGroupColor());
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                         TcxButtonState AState, bool AExpanded,
                                                                         const TdxScaleFactor* AScaleFactor)
{
  DrawScaledGroupExpandButton(ACanvas, ABounds, AExpanded, AState, AScaleFactor);
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

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, TColor AColor, TBitmap* ABitmap)
{
  WinExplorerViewDrawRecord(ACanvas, ABounds, AState, AColor, ABitmap);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas, const TRect& ABounds)
{
  DrawSeparator(ACanvas, ABounds, false);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState, TColor AColor, TBitmap* ABitmap)
{
  if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled)
    ACanvas->FrameRect(ABounds, clBtnShadow, 1, cxAllBorders, true);
  const TColor color = AColor == clDefault && !ABitmap ? WinExplorerViewDefaultRecordColor(AState) : AColor;
  FillBackground(ACanvas, ABounds, ABitmap, color, ABitmap != nullptr);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas,
                                                                              const TRect& ABounds,
                                                                              TcxButtonState AState, bool AExpanded,
                                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawScaledGroupExpandButton(ACanvas, ABounds, AExpanded, AState, AScaleFactor);
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

void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 rtl::TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                 bool AMultiLine, const rtl::String& AText, TFont* AFont,
                                                 TColor ATextColor, TColor ABkColor,
                                                 TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawFooterCellBorder(ACanvas, ABounds);
  DrawFooterCellContent(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont, ATextColor,
                        ABkColor, AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        rtl::TAlignment AAlignmentHorz,
                                                        TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                        const rtl::String& AText, TFont* AFont, TColor ATextColor,
                                                        TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawContent(ACanvas, FooterCellContentBounds(ABounds), FooterCellTextAreaBounds(ABounds), cxbsNormal,
              AAlignmentHorz, AAlignmentVert, AMultiLine, false, AText, AFont, ATextColor, ABkColor,
              AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawFooterBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R, TcxBorders)
{
  const int separator = FooterSeparatorSize();
  DrawFooterSeparator(ACanvas, cxRectWithHeight(R, separator));
  DrawFooterBorder(ACanvas, cxRectShiftSides(R, 0, separator, 0, 0));
}

void TcxCustomLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                    const TcxViewParams& AViewParams)
{
  if (!cxRectHasNoArea(ARect))
    ACanvas->FillRect(ARect, AViewParams);
}

void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FillRect(R, FooterSeparatorColor());
}

void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas* ACanvas, const TRect& ABounds,
                                                  const TcxViewParams& AViewParams, TcxBorders ABorders)
{
  ACanvas->SaveClipRegion();
  const rtl::Finally restore([&] { ACanvas->RestoreClipRegion(); });
  ACanvas->IntersectClipRect(ABounds);
  DrawFooterContent(ACanvas, ABounds, AViewParams);
  DrawFooterBorderEx(ACanvas, ABounds, ABorders);
}

TRect TcxCustomLookAndFeelPainter::FooterCellContentBounds(const TRect& ABounds)
{
  return cxRectInflateAll(ABounds, -FooterCellBorderSize());
}

TRect TcxCustomLookAndFeelPainter::FooterCellTextAreaBounds(const TRect& ABounds)
{
  return cxRectInflateAll(FooterCellContentBounds(ABounds), -2);
}

void TcxCustomLookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
                                              TcxButtonState, rtl::TAlignment AAlignmentHorz,
                                              TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
                                              const rtl::String& AText, TFont* AFont, TColor ATextColor,
                                              TColor ABkColor, TcxDrawBackgroundEvent AOnDrawBackground)
{
  if (!AOnDrawBackground || !AOnDrawBackground(this, ACanvas, ABounds))
    ACanvas->FillRect(ABounds, ABkColor);
  if (AText.empty())
    return;
  ACanvas->GetBrush()->SetStyle(bsClear);
  if (AFont)
    ACanvas->SetFont(AFont);
  ACanvas->GetFont()->SetColor(ATextColor);
  ACanvas->DrawTexT(AText, ATextAreaBounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// Filter elements

void TcxCustomLookAndFeelPainter::DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                  TColor ABackgroundColor, TGraphic* ABackgroundBitmap)
{
  rtl::TOwnedPtr<TBitmap> bitmap;
  if (ABackgroundBitmap) {
    bitmap.reset(rtl::New<TBitmap>());
    bitmap->SetSize(ABackgroundBitmap->GetWidth(), ABackgroundBitmap->GetHeight());
    bitmap->GetCanvas()->Draw(0, 0, ABackgroundBitmap);
  }
  FillBackground(ACanvas, ARect, bitmap.get(), ABackgroundColor, ATransparent);
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterActivateButton(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState, bool AChecked,
                                                                 const TdxScaleFactor* AScaleFactor)
{
  DrawScaledCheckButton(ACanvas, R, AState, AChecked, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState,
                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawScaledSmallButton(ACanvas, R, AState, AScaleFactor);
  DrawScaledButtonCross(ACanvas, R, ButtonSymbolColor(AState), ButtonSymbolState(AState), AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxFilterSmartTagState AState, bool AIsFilterActive,
                                                           const TdxScaleFactor*)
{
  // The glyph is drawn by its strokes alone, in the colour of the state.
  const rtl::IPtr<IdxColorPalette> palette(
      rtl::New<TdxSimpleColorPalette>(0u, dxColorToAlphaColor(GetFilterSmartTagColor(AState, AIsFilterActive))));
  SmartTagGlyph()->StretchDraw(ACanvas->GetHandle(), R, 255, palette.Get());
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

void TcxCustomLookAndFeelPainter::DrawFindPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                TColor ABackgroundColor, TGraphic* ABackgroundBitmap)
{
  DrawFilterPanel(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

void TcxCustomLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorders ABorders)
{
  DrawFooterBorderEx(ACanvas, R, ABorders);
}
