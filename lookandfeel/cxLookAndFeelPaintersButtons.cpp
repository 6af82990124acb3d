// The base painter's arrows, borders, buttons, expand buttons, command
// links, small, editor, zoom and back buttons. The twins without a scale
// factor forward to the scaled operations with the system factor, so a
// painter overrides only the scaled one.
#include <algorithm>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

using enum TcxArrowDirection;
using enum TcxButtonState;
using enum TcxContainerBorderStyle;
using enum TcxRotationAngle;
using enum vcl::TBrushStyle;

using namespace vcl;

namespace {

TSize ScaledSize(const TdxScaleFactor* AScaleFactor, int AWidth, int AHeight)
{
  return AScaleFactor->Apply(TSize{AWidth, AHeight});
}

// Filled with the polygon fill, so the outline in the same colour is part
// of the triangle.
void DrawTriangle(TcxCanvas* ACanvas, const TcxArrowPoints& APoints, TColor AColor)
{
  ACanvas->GetBrush()->SetStyle(bsSolid);
  ACanvas->GetBrush()->SetColor(AColor);
  ACanvas->GetPen()->SetColor(AColor);
  ACanvas->Polygon(APoints);
}

// Frame AIndex of AGlyph's AFrameCount frames stacked vertically.
TRect GlyphFrame(TdxSmartImage* AGlyph, int AFrameCount, int AIndex)
{
  const int height = AGlyph->GetHeight() / AFrameCount;
  return cxRectBounds(0, AIndex * height, AGlyph->GetWidth(), height);
}

}  // namespace

// ---------------------------------------------------------------------------
// Arrows

void TcxCustomLookAndFeelPainter::CalculateArrowPoints(TRect R, TcxArrowPoints& P, TcxArrowDirection AArrowDirection,
                                                       bool AProportional, int AArrowSize)
{
  if (AProportional) {
    const int d = (R.right - R.left) - (R.bottom - R.top);
    if (d > 0)
      R = cxRectInflateXY(R, -(d / 2), 0);
    else
      R = cxRectInflateXY(R, 0, -(-d / 2));
  }
  const bool vertical = AArrowDirection == adUp || AArrowDirection == adDown;
  int size = AArrowSize;
  if (size == 0)
    size = (vertical ? R.right - R.left - 1 : R.bottom - R.top - 1) / 4 + 1;
  const int w = vertical ? 2 * size - 1 : size;
  const int h = vertical ? size : 2 * size - 1;
  // Halves away from zero, as the platform's MulDiv rounds.
  const int sum = R.top + R.bottom - h;
  const int yTop = sum >= 0 ? (sum + 1) / 2 : -((-sum + 1) / 2);
  const int xLeft = (R.left + R.right - w) / 2;
  const int xMid = (R.left + R.right - 1) / 2;
  const int yMid = (R.top + R.bottom) / 2;
  switch (AArrowDirection) {
    case adUp:
      P = {TPoint{xLeft, yTop + h - 1}, TPoint{xMid, yTop}, TPoint{xLeft + w - 1, yTop + h - 1}};
      break;
    case adDown:
      P = {TPoint{xLeft + w - 1, yTop}, TPoint{xMid, yTop + h - 1}, TPoint{xLeft, yTop}};
      break;
    case adLeft:
      P = {TPoint{xLeft + w - 1, yTop + h - 1}, TPoint{xLeft, yMid}, TPoint{xLeft + w - 1, yTop}};
      break;
    case adRight:
      P = {TPoint{xLeft, yTop}, TPoint{xLeft + w - 1, yMid}, TPoint{xLeft, yTop + h - 1}};
      break;
  }
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowDirection AArrowDirection,
                                            TColor AColor)
{
  TcxArrowPoints points;
  CalculateArrowPoints(R, points, AArrowDirection, true);
  DrawTriangle(ACanvas, points, AColor);
}

void TcxCustomLookAndFeelPainter::DrawCollapseArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                    int ALineWidth)
{
  const int size = (std::min(cxRectGetWidth(R), cxRectGetHeight(R)) - 1) / 4;
  const TRect band = cxRectCenterHorzBox(R, size + 3 * ALineWidth - 1);
  const int y = (band.top + band.bottom) / 2;
  ACanvas->GetBrush()->SetColor(AColor);
  for (const int x : {band.left, band.left + 2 * ALineWidth})
    for (int i = 0; i < size; ++i) {
      ACanvas->FillRect(cxRectBounds(x + i, y - i, ALineWidth, 1), AColor);
      ACanvas->FillRect(cxRectBounds(x + i, y + i, ALineWidth, 1), AColor);
    }
}

void TcxCustomLookAndFeelPainter::DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxArrowDirection AArrowDirection,
                                                  const TdxScaleFactor* AScaleFactor, bool ADrawBorder)
{
  TcxArrowPoints points;
  CalculateArrowPoints(R, points, AArrowDirection, false);
  if (ADrawBorder)
    DrawScaledArrowBorder(ACanvas, R, AState, AScaleFactor);
  else
    ACanvas->FillRect(R, ButtonColor(AState));
  DrawTriangle(ACanvas, points, ButtonSymbolColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        const TdxScaleFactor*)
{
  ACanvas->GetBrush()->SetStyle(bsSolid);
  ACanvas->FillRect(R, ButtonColor(AState));
  DrawButtonBorder(ACanvas, R, AState);
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           TcxArrowDirection AArrowDirection,
                                                           const TdxScaleFactor* AScaleFactor)
{
  TRect bounds = R;
  if (AState == cxbsPressed) {
    const int shift = ScaledButtonTextShift(AScaleFactor);
    bounds = cxRectOffsetBy(bounds, shift, shift);
  }
  TcxArrowPoints points;
  CalculateArrowPoints(bounds, points, AArrowDirection, true);
  if (AState != cxbsDisabled) {
    DrawTriangle(ACanvas, points, ButtonSymbolColor(AState));
    return;
  }
  // Embossed: a highlight copy lower right under the shadow-coloured arrow.
  const int offset = AScaleFactor->Apply(1);
  TcxArrowPoints highlight = points;
  for (TPoint& p : highlight)
    p = {p.x + offset, p.y + offset};
  DrawTriangle(ACanvas, highlight, clBtnHighlight);
  DrawTriangle(ACanvas, points, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            TcxArrowDirection AArrowDirection, bool ADrawBorder)
{
  DrawScaledArrow(ACanvas, R, AState, AArrowDirection, dxGetSystemScaleFactor(), ADrawBorder);
}

void TcxCustomLookAndFeelPainter::DrawArrowBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledArrowBorder(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBarArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                     TcxArrowDirection AArrowDirection)
{
  DrawScaledScrollBarArrow(ACanvas, R, AState, AArrowDirection, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Borders and separators

int TcxCustomLookAndFeelPainter::BorderSize()
{
  return 0;
}

int TcxCustomLookAndFeelPainter::SeparatorSize()
{
  return BorderSize();
}

void TcxCustomLookAndFeelPainter::DrawBorder(TcxCanvas*, const TRect&)
{
}

void TcxCustomLookAndFeelPainter::DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxContainerBorderStyle AStyle, int AWidth, TColor AColor,
                                                      TcxBorders ABorders)
{
  switch (AStyle) {
    case cbsSingle:
    case cbsThick:
      ACanvas->FrameRect(R, AColor, AWidth);
      break;
    case cbsFlat:
      ACanvas->DrawEdge(R, true, true, ABorders);
      ACanvas->FrameRect(cxRectInflateAll(R, -1), clBtnFace);
      break;
    case cbs3D:
      ACanvas->DrawEdge(R, true, true, ABorders);
      ACanvas->DrawComplexFrame(cxRectInflateAll(R, -1), cl3DDkShadow, cl3DLight, ABorders);
      break;
    default:
      break;
  }
}

void TcxCustomLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool)
{
  const TRect shadow = cxRectShiftSides(R, 0, 0, -1, -1);
  ACanvas->FillRect(shadow, clBtnShadow);
  ACanvas->FillRect(cxRectOffsetBy(shadow, 1, 1), clBtnHighlight);
}

void TcxCustomLookAndFeelPainter::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical)
{
  DoDrawSeparator(ACanvas, GetSeparatorBounds(R, SeparatorSize(), AIsVertical), AIsVertical);
}

// ---------------------------------------------------------------------------
// Buttons

int TcxCustomLookAndFeelPainter::ButtonBorderSize(TcxButtonState)
{
  return 0;
}

TColor TcxCustomLookAndFeelPainter::ButtonColor(TcxButtonState)
{
  return clBtnFace;
}

IdxColorPalette* TcxCustomLookAndFeelPainter::ButtonColorPalette(TcxButtonState)
{
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::ButtonDescriptionTextColor(TcxButtonState, TColor ADefaultColor)
{
  return ADefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState)
{
  return AState;
}

TRect TcxCustomLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas*, const TRect& R,
                                                         const TdxScaleFactor* AScaleFactor)
{
  const TRect result = cxRectInflateAll(R, -AScaleFactor->Apply(4));
  return cxRectHasNoArea(result) ? R : result;
}

int TcxCustomLookAndFeelPainter::ScaledButtonTextOffset(const TdxScaleFactor*)
{
  return 0;
}

int TcxCustomLookAndFeelPainter::ScaledButtonTextShift(const TdxScaleFactor*)
{
  return 0;
}

void TcxCustomLookAndFeelPainter::DrawButtonBorder(TcxCanvas*, const TRect&, TcxButtonState)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption,
                                                   TcxButtonState AState, const TdxScaleFactor* AScaleFactor,
                                                   bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap,
                                                   bool, TcxButtonPart)
{
  TRect bounds = R;
  if (ADrawBorder) {
    DrawButtonBorder(ACanvas, bounds, AState);
    bounds = cxRectInflateAll(bounds, -ButtonBorderSize(AState));
  }
  ACanvas->FillRect(bounds, AColor == clDefault ? ButtonColor(AState) : AColor);
  ACanvas->GetFont()->SetColor(ATextColor == clDefault ? ButtonSymbolColor(AState) : ATextColor);
  ACanvas->GetBrush()->SetStyle(bsClear);
  // Even heights centre the text better; short buttons give the text one
  // more pixel at the top.
  TRect textBounds = bounds;
  if (cxRectGetHeight(textBounds) % 2 != 0)
    --textBounds.bottom;
  if (cxRectGetHeight(textBounds) < 18)
    --textBounds.top;
  if (AState == cxbsPressed) {
    const int shift = ScaledButtonTextShift(AScaleFactor);
    textBounds = cxRectOffsetBy(textBounds, shift, shift);
  }
  if (!ACaption.empty())
    ACanvas->DrawTexT(ACaption, textBounds,
                      cxtfAlignHCenter | cxtfAlignVCenter | cxtfShowPrefix |
                          (AWordWrap ? cxtfWordBreak : cxtfSingleLine),
                      AState != cxbsDisabled);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                  TcxButtonState AState,
                                                                  const TdxScaleFactor* AScaleFactor)
{
  // Normal, hot, pressed and disabled frames; the default state shows the
  // normal one.
  const int frame = std::max(static_cast<int>(AState) - 1, 0);
  TdxSmartImage* glyph = SearchButtonGlyph();
  const TRect source = GlyphFrame(glyph, 4, frame);
  glyph->StretchDraw(ACanvas->GetHandle(), cxRectCenterBoxOfSize(R, ScaledSearchButtonGlyphSize(AScaleFactor)),
                     source);
}

int TcxCustomLookAndFeelPainter::GetScaledDropDownButtonRightPartSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(15);
}

bool TcxCustomLookAndFeelPainter::IsButtonHotTrack()
{
  return false;
}

bool TcxCustomLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P)
{
  return cxRectContainsPoint(R, P);
}

TSize TcxCustomLookAndFeelPainter::ScaledSearchButtonGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(cxRectGetSize(GlyphFrame(SearchButtonGlyph(), 4, 0)));
}

TRect TcxCustomLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const TRect& R)
{
  return ScaledButtonFocusRect(ACanvas, R, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ButtonTextOffset()
{
  return ScaledButtonTextOffset(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ButtonTextShift()
{
  return ScaledButtonTextShift(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas* ACanvas, const TRect& R, const rtl::String& ACaption,
                                             TcxButtonState AState, bool ADrawBorder, TColor AColor,
                                             TColor ATextColor, bool AWordWrap, bool AIsToolButton,
                                             TcxButtonPart APart)
{
  DrawScaledButton(ACanvas, R, ACaption, AState, dxGetSystemScaleFactor(), ADrawBorder, AColor, ATextColor,
                   AWordWrap, AIsToolButton, APart);
}

void TcxCustomLookAndFeelPainter::DrawSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState)
{
  DrawScaledSearchEditButtonGlyph(ACanvas, R, AState, dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::GetDropDownButtonRightPartSize()
{
  return GetScaledDropDownButtonRightPartSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SearchButtonGlyphSize()
{
  return ScaledSearchButtonGlyphSize(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Expand buttons

bool TcxCustomLookAndFeelPainter::DrawExpandButtonFirst()
{
  return true;
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, const TdxScaleFactor* AScaleFactor,
                                                           TcxRotationAngle ARotationAngle)
{
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
  const bool sideways = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  const int width = sideways ? cxRectGetHeight(R) : cxRectGetWidth(R);
  const int height = sideways ? cxRectGetWidth(R) : cxRectGetHeight(R);
  const rtl::TOwnedPtr<TcxBitmap> bitmap(rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(width, height); }));
  const TColor fill = ButtonColor(AState);
  bitmap->GetcxCanvas()->FillRect(bitmap->GetClientRect(), fill);
  DrawScaledExpandMark(bitmap->GetcxCanvas(), bitmap->GetClientRect(), ButtonSymbolColor(AState), AExpanded,
                       AScaleFactor);
  ACanvas->RotateBitmap(bitmap.get(), ARotationAngle);
  // Only the mark goes over the button, so that a painter's border stays.
  bitmap->SetTransparentColor(ColorToRGB(fill));
  bitmap->SetTransparent(true);
  ACanvas->Draw(R.left, R.top, bitmap.get());
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                       bool AExpanded, const TdxScaleFactor* AScaleFactor)
{
  const int s = AScaleFactor->Apply(3);
  const int x0 = (R.left + R.right - (2 * s + 1)) / 2;
  const int y0 = (R.top + R.bottom - 2 * (s + 1)) / 2;
  const int e = AExpanded ? 1 : -1;
  ACanvas->GetPen()->SetColor(AColor);
  // Two chevrons, each two rows thick, s - 1 apart.
  for (int row = 0; row < 4; ++row) {
    int y = y0 + row + (row >= 2 ? s - 1 : 0);
    if (AExpanded)
      y += s;
    const int f = AExpanded ? row % 2 : 1 - row % 2;
    const TPoint points[] = {{x0 + f, y - f * e}, {x0 + s, y - e * s}, {x0 + 2 * s + (1 - f), y + (1 - f) * e}};
    ACanvas->Polyline(points);
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                              TcxButtonState AState,
                                                              const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor);
  DrawScaledExpandMark(ACanvas, R, ButtonSymbolColor(AState), AExpanded, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                              TColor ABorderColor,
                                                              const TdxScaleFactor* AScaleFactor, TColor AColor)
{
  ACanvas->FrameRect(R, ABorderColor);
  if (AColor != clDefault)
    ACanvas->FillRect(cxRectInflateAll(R, -1), AColor);
  const int inset = AScaleFactor->Apply(2);
  const TPoint centre = cxRectCenterPoint(R);
  const int half = (cxRectGetWidth(R) - 2 * inset) / 2;
  ACanvas->FillRect(TRect{centre.x - half, centre.y, centre.x + half + 1, centre.y + 1}, clBtnText);
  if (!AExpanded)
    ACanvas->FillRect(TRect{centre.x, centre.y - half, centre.x + 1, centre.y + half + 1}, clBtnText);
}

int TcxCustomLookAndFeelPainter::ScaledExpandButtonAreaSize(const TdxScaleFactor* AScaleFactor)
{
  int result = ScaledExpandButtonSize(AScaleFactor);
  cxEnsureTouchExtent(result, AScaleFactor);
  return result;
}

int TcxCustomLookAndFeelPainter::ScaledGroupExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(15);
}

int TcxCustomLookAndFeelPainter::ScaledSmallExpandButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(9);
}

void TcxCustomLookAndFeelPainter::DrawExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                     bool AExpanded, TcxRotationAngle ARotationAngle)
{
  DrawScaledExpandButtonEx(ACanvas, R, AState, AExpanded, dxGetSystemScaleFactor(), ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool AExpanded)
{
  DrawScaledExpandMark(ACanvas, R, AColor, AExpanded, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TcxButtonState AState)
{
  DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TColor ABorderColor, TColor AColor)
{
  DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, dxGetSystemScaleFactor(), AColor);
}

int TcxCustomLookAndFeelPainter::ExpandButtonAreaSize()
{
  return ScaledExpandButtonAreaSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::ExpandButtonSize()
{
  return ScaledExpandButtonSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::GroupExpandButtonSize()
{
  return ScaledGroupExpandButtonSize(dxGetSystemScaleFactor());
}

int TcxCustomLookAndFeelPainter::SmallExpandButtonSize()
{
  return ScaledSmallExpandButtonSize(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Command links

TColor TcxCustomLookAndFeelPainter::DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor)
{
  return ButtonSymbolColor(AState, ADefaultColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                  TcxButtonState AState,
                                                                  const TdxScaleFactor* AScaleFactor, TColor AColor)
{
  DrawScaledButton(ACanvas, R, L"", AState, AScaleFactor, true, AColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                             TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  // Loaded per call: the glyph is drawn rarely, by command-link buttons only.
  const rtl::TOwnedPtr<TdxSmartImage> glyph(rtl::New<TdxSmartImage>());
  glyph->LoadFromResource(GetModuleHandleW(nullptr), L"CX_COMMANDLINKGLYPH", L"PNG");
  const TRect source = cxRectBounds(0, AState == cxbsHot ? 20 : 0, 20, 20);
  const TRect dest = cxRectOffsetByPoint(AScaleFactor->Apply(cxRectBounds(0, 0, 20, 20)), AGlyphPos);
  const auto draw = [&](TcxCanvas* ATarget, const TRect& ADest) {
    glyph->StretchDraw(ATarget->GetHandle(), ADest, source);
  };
  if (ACanvas->GetUseRightToLeftAlignment())
    cxDrawMirrored(ACanvas, dest, draw);
  else
    draw(ACanvas, dest);
}

TSize TcxCustomLookAndFeelPainter::GetScaledCommandLinkGlyphSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledSize(AScaleFactor, 20, 20);
}

TRect TcxCustomLookAndFeelPainter::GetScaledCommandLinkMargins(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(TRect{7, 10, 7, 10});
}

void TcxCustomLookAndFeelPainter::DrawCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState, TColor AColor)
{
  DrawScaledCommandLinkBackground(ACanvas, R, AState, dxGetSystemScaleFactor(), AColor);
}

void TcxCustomLookAndFeelPainter::DrawCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                       TcxButtonState AState)
{
  DrawScaledCommandLinkGlyph(ACanvas, AGlyphPos, AState, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetCommandLinkGlyphSize()
{
  return GetScaledCommandLinkGlyphSize(dxGetSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::GetCommandLinkMargins()
{
  return GetScaledCommandLinkMargins(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// The button cross

void TcxCustomLookAndFeelPainter::DrawScaledButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                        TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  // The size comes scaled already; the 1:1 factor keeps it from being
  // scaled twice. Odd, so that the cross has a centre pixel.
  int size = ScaledFilterCloseButtonSize(AScaleFactor).x / 2;
  if (size % 2 == 0)
    --size;
  DrawScaledButtonCrossEx(ACanvas, R, AColor, AState, size, dxGetDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledButtonCrossEx(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                          TcxButtonState AState, int ASize,
                                                          const TdxScaleFactor* AScaleFactor)
{
  const int n = AScaleFactor->Apply(ASize);
  const int pressed = AState == cxbsPressed ? 1 : 0;
  ACanvas->GetPen()->SetColor(AColor);
  // Two one-pixel crosses side by side: two pixels thick.
  for (int i = 0; i < 2; ++i) {
    const int x = i + (R.left + R.right - n) / 2 + pressed;
    const int y = (R.top + R.bottom - n) / 2 + pressed;
    ACanvas->Line(x, y, x + n, y + n);
    ACanvas->Line(x, y + n - 1, x + n, y - 1);
  }
}

void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  TcxButtonState AState)
{
  DrawScaledButtonCross(ACanvas, R, AColor, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  TcxButtonState AState, int ASize)
{
  DrawScaledButtonCrossEx(ACanvas, R, AColor, AState, ASize, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Small buttons

IdxColorPalette* TcxCustomLookAndFeelPainter::GetSmallButtonColorPalette(TcxButtonState)
{
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::DoGetSmallCloseButtonSize()
{
  return TSize{14, 15};
}

TSize TcxCustomLookAndFeelPainter::ScaledSmallCloseButtonSize(const TdxScaleFactor* AScaleFactor)
{
  TSize result = AScaleFactor->Apply(DoGetSmallCloseButtonSize());
  cxEnsureTouchSize(result, AScaleFactor);
  return result;
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        const TdxScaleFactor*)
{
  DrawButtonBorder(ACanvas, R, AState);
  ACanvas->FillRect(cxRectInflateAll(R, -ButtonBorderSize(cxbsNormal)), ButtonColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::SmallCloseButtonSize()
{
  return ScaledSmallCloseButtonSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledSmallButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledSmallCloseButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Editor buttons

void TcxCustomLookAndFeelPainter::DrawScaledEditorButton(TcxCanvas*, const TRect&, TcxEditBtnKind, TcxButtonState,
                                                         const TdxScaleFactor*, TcxEditBtnPosition)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledEditorButtonGlyph(TcxCanvas*, const TRect&, TcxEditBtnKind,
                                                              TcxButtonState, const TdxScaleFactor*,
                                                              TcxEditBtnPosition)
{
}

IdxColorPalette* TcxCustomLookAndFeelPainter::EditButtonColorPalette(TcxButtonState)
{
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::EditButtonSize()
{
  return TSize{0, 0};
}

TColor TcxCustomLookAndFeelPainter::EditButtonTextColor()
{
  return clDefault;
}

int TcxCustomLookAndFeelPainter::EditButtonTextOffset()
{
  return 0;
}

void TcxCustomLookAndFeelPainter::DrawEditorButton(TcxCanvas* ACanvas, const TRect& R, TcxEditBtnKind AButtonKind,
                                                   TcxButtonState AState, TcxEditBtnPosition APosition)
{
  DrawScaledEditorButton(ACanvas, R, AButtonKind, AState, dxGetSystemScaleFactor(), APosition);
}

void TcxCustomLookAndFeelPainter::DrawEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                        TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                        TcxEditBtnPosition APosition)
{
  DrawScaledEditorButtonGlyph(ACanvas, R, AButtonKind, AState, dxGetSystemScaleFactor(), APosition);
}

// ---------------------------------------------------------------------------
// Container borders

TColor TcxCustomLookAndFeelPainter::GetContainerBorderColor(bool)
{
  return clBtnText;
}

int TcxCustomLookAndFeelPainter::GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle)
{
  switch (ABorderStyle) {
    case cbsThick:
    case cbsFlat:
    case cbs3D:
      return 2;
    case cbsSingle:
    case cbsUltraFlat:
    case cbsOffice11:
      return 1;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------
// Zoom buttons

void TcxCustomLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                         const TdxScaleFactor* AScaleFactor)
{
  DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
  const int inset = AScaleFactor->Apply(3);
  const int x = (R.left + R.right) / 2;
  ACanvas->Line(x, R.top + inset, x, R.bottom - inset);
}

void TcxCustomLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          const TdxScaleFactor* AScaleFactor)
{
  DrawButtonBorder(ACanvas, R, AState);
  ACanvas->FillRect(cxRectInflateAll(R, -1), ButtonColor(AState));
  ACanvas->GetPen()->SetColor(AState == cxbsDisabled ? clBtnShadow : ButtonSymbolColor(AState));
  const int inset = AScaleFactor->Apply(3);
  const int y = (R.top + R.bottom) / 2;
  ACanvas->Line(R.left + inset, y, R.right - inset, y);
}

TSize TcxCustomLookAndFeelPainter::GetScaledZoomInButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledSize(AScaleFactor, 15, 15);
}

TSize TcxCustomLookAndFeelPainter::GetScaledZoomOutButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return ScaledSize(AScaleFactor, 15, 15);
}

void TcxCustomLookAndFeelPainter::DrawZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledZoomInButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledZoomOutButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetZoomInButtonSize()
{
  return GetScaledZoomInButtonSize(dxGetSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetZoomOutButtonSize()
{
  return GetScaledZoomOutButtonSize(dxGetSystemScaleFactor());
}

// ---------------------------------------------------------------------------
// Back button

TSize TcxCustomLookAndFeelPainter::GetScaledBackButtonSize(const TdxScaleFactor* AScaleFactor)
{
  return AScaleFactor->Apply(cxRectGetSize(GlyphFrame(BackButtonGlyph(), 4, 0)));
}

void TcxCustomLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                       const TdxScaleFactor*)
{
  static constexpr int kFrameOfState[] = {0, 0, 1, 2, 3};
  TdxSmartImage* glyph = BackButtonGlyph();
  glyph->StretchDraw(ACanvas->GetHandle(), R, GlyphFrame(glyph, 4, kFrameOfState[static_cast<int>(AState)]));
}

TSize TcxCustomLookAndFeelPainter::GetBackButtonSize()
{
  return GetScaledBackButtonSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledBackButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}
