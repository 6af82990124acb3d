// The base painter's arrows, borders, buttons, expand buttons, command
// links, small, editor, zoom and back buttons. Metrics already answer their
// final values; the drawing operations are empty for now and get their
// bodies with the drawing of these elements. The twins without a scale
// factor forward to the scaled operations with the system factor, so a
// painter overrides only the scaled one.
#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"

using enum TcxArrowDirection;
using enum TcxContainerBorderStyle;

using namespace vcl;

namespace {

TSize ScaledSize(const TdxScaleFactor* AScaleFactor, int AWidth, int AHeight)
{
  return AScaleFactor->Apply(TSize{AWidth, AHeight});
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

void TcxCustomLookAndFeelPainter::DrawArrow(TcxCanvas*, const TRect&, TcxArrowDirection, TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawCollapseArrow(TcxCanvas*, const TRect&, TColor, int)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledArrow(TcxCanvas*, const TRect&, TcxButtonState, TcxArrowDirection,
                                                  const TdxScaleFactor*, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledArrowBorder(TcxCanvas*, const TRect&, TcxButtonState,
                                                        const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledScrollBarArrow(TcxCanvas*, const TRect&, TcxButtonState,
                                                           TcxArrowDirection, const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawContainerBorder(TcxCanvas*, const TRect&, TcxContainerBorderStyle, int, TColor,
                                                      TcxBorders)
{
}

void TcxCustomLookAndFeelPainter::DoDrawSeparator(TcxCanvas*, const TRect&, bool)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledButton(TcxCanvas*, const TRect&, const rtl::String&, TcxButtonState,
                                                   const TdxScaleFactor*, bool, TColor, TColor, bool, bool,
                                                   TcxButtonPart)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledSearchEditButtonGlyph(TcxCanvas*, const TRect&, TcxButtonState,
                                                                  const TdxScaleFactor*)
{
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

// Measured from the search glyph strip, which is loaded with its drawing.
TSize TcxCustomLookAndFeelPainter::ScaledSearchButtonGlyphSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
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

void TcxCustomLookAndFeelPainter::DrawScaledExpandButtonEx(TcxCanvas*, const TRect&, TcxButtonState, bool,
                                                           const TdxScaleFactor*, TcxRotationAngle)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandMark(TcxCanvas*, const TRect&, TColor, bool, const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas*, const TRect&, bool, TcxButtonState,
                                                              const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas*, const TRect&, bool, TColor,
                                                              const TdxScaleFactor*, TColor)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkBackground(TcxCanvas*, const TRect&, TcxButtonState,
                                                                  const TdxScaleFactor*, TColor)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkGlyph(TcxCanvas*, const TPoint&, TcxButtonState,
                                                             const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledButtonCrossEx(TcxCanvas*, const TRect&, TColor, TcxButtonState, int,
                                                          const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                        const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallCloseButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                             const TdxScaleFactor*)
{
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

void TcxCustomLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                         const TdxScaleFactor*)
{
}

void TcxCustomLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                          const TdxScaleFactor*)
{
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

// Measured from the back-button strip, which is loaded with its drawing.
TSize TcxCustomLookAndFeelPainter::GetScaledBackButtonSize(const TdxScaleFactor*)
{
  return TSize{0, 0};
}

void TcxCustomLookAndFeelPainter::DrawScaledBackButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                       const TdxScaleFactor*)
{
}

TSize TcxCustomLookAndFeelPainter::GetBackButtonSize()
{
  return GetScaledBackButtonSize(dxGetSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState)
{
  DrawScaledBackButton(ACanvas, R, AState, dxGetSystemScaleFactor());
}
