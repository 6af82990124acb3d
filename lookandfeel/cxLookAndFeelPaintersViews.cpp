// The base painter's scheduler, clocks, date and data navigators, modern
// calendar, window content, hints and screen tips, tabs, message box,
// breadcrumb edit, drop-down list box, alert window and tokens. The twins
// without a scale factor forward to the scaled operations with the system
// factor unless they say otherwise.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SysUtils.h"

using enum TcxAlignmentVert;
using enum TcxBorder;
using enum TcxButtonState;
using enum TcxNeighbor;
using enum rtl::TAlignment;
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

TcxClockHandAngles cxClockHandAngles(rtl::TDateTime ATime)
{
  const double dayFraction = std::fabs(ATime - std::trunc(ATime));
  const long long milliseconds = std::llround(dayFraction * 86400000.0);
  const int hours = static_cast<int>(milliseconds / 3600000 % 24);
  const int minutes = static_cast<int>(milliseconds / 60000 % 60);
  const int seconds = static_cast<int>(milliseconds / 1000 % 60);
  constexpr double kTurn = 2 * std::numbers::pi;
  // The offsets of a quarter turn bring zero from three to twelve o'clock.
  return {((hours % 12) * 3600 + minutes * 60 + seconds - 10800) * kTurn / 43200,
          (minutes * 60 + seconds - 900) * kTurn / 3600, (seconds - 15) * kTurn / 60};
}

void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(bool AIsNextButton, bool ACollapsed,
                                                                          const TSize& APrevButtonTextSize,
                                                                          const TSize& ANextButtonTextSize,
                                                                          TRect& ABounds, TRect& ATextRect,
                                                                          TRect& AArrowRect,
                                                                          const TdxScaleFactor* AScaleFactor,
                                                                          bool AIsVertical)
{
  TRect borders;
  TSize arrow;
  bool hasTextArea = false;
  SchedulerNavigationButtonSizes(AIsNextButton, borders, arrow, hasTextArea, AScaleFactor, AIsVertical);
  // Both buttons get the room of the longer text.
  const int textLength = std::max<int>(APrevButtonTextSize.cx, ANextButtonTextSize.cx);
  const int gap = AScaleFactor->Apply(5);
  if (AIsVertical) {
    const int band = 3 * arrow.cy;
    if (ACollapsed || !hasTextArea) {
      ATextRect = TRect{};
      const int height = band + borders.top + borders.bottom;
      ABounds.top = (ABounds.top + ABounds.bottom - borders.top - borders.bottom - band) / 2;
      ABounds.bottom = ABounds.top + height;
      AArrowRect = cxRectCenterBoxOfSize(ABounds, arrow);
      return;
    }
    const TRect content = cxRectDeflateByMargins(ABounds, borders);
    AArrowRect = cxRectCenterBoxOfSize(cxRectWithHeight(content, band), arrow);
    ATextRect = cxRectInflateSides(content, 0, -(band + gap), 0, -2 * arrow.cy);
    const int excess = textLength - cxRectGetHeight(ATextRect);
    if (excess > 0) {
      AArrowRect = cxRectOffsetBy(AArrowRect, 0, -excess);
      ATextRect = cxRectInflateSides(ATextRect, 0, excess, 0, excess);
      ABounds = cxRectInflateSides(ABounds, 0, excess, 0, excess);
    }
  } else {
    const int band = 3 * arrow.cx;
    if (ACollapsed || !hasTextArea) {
      ATextRect = TRect{};
      const int width = band + borders.left + borders.right;
      ABounds.left = (ABounds.left + ABounds.right - borders.left - borders.right - band) / 2;
      ABounds.right = ABounds.left + width;
      AArrowRect = cxRectCenterBoxOfSize(ABounds, arrow);
      return;
    }
    const TRect content = cxRectDeflateByMargins(ABounds, borders);
    AArrowRect = cxRectCenterBoxOfSize(cxRectSetRightAndWidth(content, content.right, band), arrow);
    ATextRect = cxRectInflateSides(content, -2 * arrow.cx, 0, -(band + gap), 0);
    const int excess = textLength - cxRectGetWidth(ATextRect);
    if (excess > 0) {
      AArrowRect = cxRectOffsetBy(AArrowRect, excess, 0);
      ATextRect = cxRectInflateSides(ATextRect, excess, 0, excess, 0);
      ABounds = cxRectInflateSides(ABounds, excess, 0, excess, 0);
    }
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const rtl::String& AText, TcxNeighbors ANeighbors,
                                                        const TcxViewParams& AViewParams, TcxArrowDirections AArrows,
                                                        int, const TdxScaleFactor* AScaleFactor,
                                                        TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal, taCenter, vaCenter,
                   false, false, AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AScaleFactor,
                   AOnDrawBackground);
  cxDrawMonthHeaderArrows(ACanvas, this, ABounds, AArrows, clWindowText);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R)
{
  DrawBorder(ACanvas, R);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerDayHeader(TcxCanvas* ACanvas, const TRect& ABounds, const TRect&,
                                                         TcxNeighbors, TcxBorders, TcxButtonState, rtl::TAlignment,
                                                         TcxAlignmentVert, bool, bool, const rtl::String&, vcl::TFont*,
                                                         vcl::TColor, vcl::TColor, const TdxScaleFactor*,
                                                         TcxDrawBackgroundEvent AOnDrawBackground, bool, bool)
{
  // The scheduler paints its day headers itself.
  if (AOnDrawBackground)
    AOnDrawBackground(this, ACanvas, ABounds);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             const TRect& AProgress, const TcxViewParams& AViewParams,
                                                             bool ATransparent)
{
  if (ATransparent)
    ACanvas->FrameRect(ABounds, clGray);
  else
    ACanvas->Rectangle(ABounds, AViewParams, cxBordersAll, clGray);
  ACanvas->FillRect(AProgress, clNavy);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, vcl::TColor AColor)
{
  // A bar with two short legs hanging from its ends.
  const int L = R.left;
  const int T = R.top + 2;
  const int Rt = R.right - 1;
  const int B = R.bottom - 2;
  const int a = (B - T) / 2;
  const std::array<TPoint, 6> points{TPoint{L, T}, TPoint{Rt, T}, TPoint{Rt, B}, TPoint{Rt - a, B - a},
                                     TPoint{L + a, B - a}, TPoint{L, B}};
  ACanvas->GetPen()->SetColor(clBlack);
  ACanvas->GetBrush()->SetColor(AColor);
  ACanvas->Polygon(points);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledGroupSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                    vcl::TColor ABackgroundColor,
                                                                    const TdxScaleFactor* AScaleFactor,
                                                                    TcxDrawBackgroundEvent AOnDrawBackground)
{
  DrawScaledHeader(ACanvas, ABounds, ABounds, {nLeft, nRight}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false,
                   false, rtl::String(), nullptr, clDefault, ABackgroundColor, AScaleFactor, AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R)
{
  const int side = std::min<int>(cxRectGetWidth(R), cxRectGetHeight(R));
  const TRect square = cxRectCenterBox(R, side, side);
  const int b = side / 2 * 2;
  const int L = square.left;
  const int T = square.top;
  const std::array<TPoint, 4> points{TPoint{L, T + b / 2}, TPoint{L + b / 2, T}, TPoint{L + b, T + b / 2},
                                     TPoint{L + b / 2, T + b}};
  ACanvas->GetPen()->SetColor(clBlack);
  ACanvas->GetBrush()->SetColor(clGray);
  ACanvas->Polygon(points);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                bool AIsNextButton, TcxButtonState AState,
                                                                const rtl::String& AText, const TRect& ATextRect,
                                                                const TRect& AArrowRect, bool AIsVertical)
{
  DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState, AIsVertical);
  if (cxRectHasNoArea(ATextRect) || SchedulerNavigationButtonTextColor(AIsNextButton, AState, clDefault) == clNone)
    return;
  // Centred on one line (canvas text flags: centre, vertical centre,
  // single line).
  constexpr int kCentredLine = 4 | 32 | 64;
  ACanvas->GetFont()->SetColor(
      SchedulerNavigationButtonTextColor(AIsNextButton, AState, ACanvas->GetFont()->GetColor()));
  ACanvas->GetBrush()->SetStyle(bsClear);
  if (AIsVertical)
    ACanvas->DrawTexT(AText, ATextRect, kCentredLine, true, TcxRotationAngle::raPlus90);
  else
    ACanvas->DrawTexT(AText, ATextRect, kCentredLine, true);
  ACanvas->GetBrush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     bool AIsNextButton, vcl::TColor AColor,
                                                                     bool AForVertical)
{
  // An arrowhead drawn by two pixel pairs walking towards its tip, with a
  // bar across the tip.
  const TColor color = cxGetActualColor(AColor, clBtnText);
  if (AForVertical) {
    const int n = cxRectGetHeight(ARect) - cxRectGetHeight(ARect) / 2;
    const int x0 = AIsNextButton ? ARect.left : ARect.right - 2;
    const int dx = AIsNextButton ? 1 : -1;
    for (int i = 0; i < n; ++i) {
      ACanvas->FillRect(cxRectBounds(x0 + i * dx, ARect.top + i, 2, 1), color);
      ACanvas->FillRect(cxRectBounds(x0 + i * dx, ARect.bottom - 1 - i, 2, 1), color);
    }
    const int tip = AIsNextButton ? ARect.right - 1 : ARect.left;
    ACanvas->FillRect(TRect{tip, ARect.top, tip + 1, ARect.bottom}, color);
  } else {
    const int n = cxRectGetWidth(ARect) - cxRectGetWidth(ARect) / 2;
    const int y0 = AIsNextButton ? ARect.top : ARect.bottom - 2;
    const int dy = AIsNextButton ? 1 : -1;
    for (int i = 0; i < n; ++i) {
      ACanvas->FillRect(cxRectBounds(ARect.left + i, y0 + i * dy, 1, 2), color);
      ACanvas->FillRect(cxRectBounds(ARect.right - 1 - i, y0 + i * dy, 1, 2), color);
    }
    const int tip = AIsNextButton ? ARect.bottom - 1 : ARect.top;
    ACanvas->FillRect(TRect{ARect.left, tip, ARect.right, tip + 1}, color);
  }
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                     TcxButtonState AState,
                                                                     const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, rtl::String(), AState, AScaleFactor);
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

void TcxCustomLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, rtl::TDateTime ADateTime,
                                                  vcl::TColor ABackgroundColor, const TdxScaleFactor* AScaleFactor)
{
  const TPoint centre{(ARect.left + ARect.right) / 2, (ARect.top + ARect.bottom) / 2};
  const double rx = cxRectGetWidth(ARect) / 2.0 - 2;
  const double ry = cxRectGetHeight(ARect) / 2.0 - 2;
  // The hour marks stay excluded from the clip: the background and the
  // hands go around them.
  const int mark = AScaleFactor->Apply(2);
  for (int i = 0; i < 60; i += 5) {
    const double angle = i * 2 * std::numbers::pi / 60;
    const TPoint p{centre.x + static_cast<int>(std::lround(rx * std::cos(angle))),
                   centre.y + static_cast<int>(std::lround(ry * std::sin(angle)))};
    const TRect square = cxRectBounds(p.x - mark / 2, p.y - mark / 2, mark, mark);
    ACanvas->FillRect(square, clAqua);
    ACanvas->ExcludeClipRect(square);
    const TRect shadow = cxRectOffsetBy(square, 1, 1);
    ACanvas->FillRect(shadow, clBtnText);
    ACanvas->ExcludeClipRect(shadow);
  }
  ACanvas->FillRect(ARect, ABackgroundColor);

  const TcxClockHandAngles angles = cxClockHandAngles(ADateTime);
  const auto at = [&](double AAngle, double AShare) {
    return TPoint{centre.x + static_cast<int>(std::lround(rx * AShare * std::cos(AAngle))),
                  centre.y + static_cast<int>(std::lround(ry * AShare * std::sin(AAngle)))};
  };
  const auto side = [&](double AAngle, double AHalfWidth) {
    return TPoint{centre.x + static_cast<int>(std::lround(AHalfWidth * std::cos(AAngle))),
                  centre.y + static_cast<int>(std::lround(AHalfWidth * std::sin(AAngle)))};
  };
  // A kite: its tip along the hand, its tail behind the centre, its width
  // in plain pixels at any scale.
  const auto kite = [&](double AAngle, double ATip, double ATail, int AWidth) {
    const std::array<TPoint, 4> points{at(AAngle, ATip), side(AAngle + std::numbers::pi / 2, AWidth / 2.0),
                                       at(AAngle + std::numbers::pi, ATail), side(AAngle - std::numbers::pi / 2, AWidth / 2.0)};
    ACanvas->Polygon(points);
  };
  ACanvas->GetPen()->SetColor(clTeal);
  ACanvas->GetBrush()->SetColor(clTeal);
  kite(angles.Hour, 0.75, 0.15, 9);
  kite(angles.Minute, 0.85, 0.2, 7);
  ACanvas->GetPen()->SetColor(clRed);
  ACanvas->MoveTo(centre.x, centre.y);
  const TPoint secondTip = at(angles.Second, 0.9);
  ACanvas->LineTo(secondTip.x, secondTip.y);
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

void TcxCustomLookAndFeelPainter::DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R,
                                                                 vcl::TColor AColor)
{
  ACanvas->FillRect(R, AColor);
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R)
{
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
  ACanvas->DrawEdge(R, false, false);
  // The caller lays the header text out inside the edge.
  R = cxRectInflateAll(R, -1);
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R)
{
  ACanvas->FrameRect(R, DefaultDateNavigatorTodayFrameColor());
}

void TcxCustomLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas*, const TRect&, bool)
{
}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                            vcl::TColor, const TdxScaleFactor* AScaleFactor)
{
  DrawScaledButton(ACanvas, R, rtl::String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas, vcl::TCustomImageList* AImageList,
                                                                 int AImageIndex, const TRect& AGlyphRect,
                                                                 bool AEnabled, bool, const TdxScaleFactor*)
{
  if (!AImageList || AImageIndex < 0 || AImageIndex >= AImageList->GetCount())
    return;
  const rtl::TOwnedPtr<TBitmap> glyph(rtl::New<TBitmap>());
  if (!AImageList->GetBitmap(AImageIndex, glyph.get()))
    return;
  cxDrawImageToDC(ACanvas->GetHandle(), AGlyphRect, AGlyphRect, NavigatorButtonColorPalette(AEnabled), true, clNone,
                  nullptr, false, AEnabled ? TcxImageDrawMode::idmNormal : TcxImageDrawMode::idmDisabled,
                  glyph.get());
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

void TcxCustomLookAndFeelPainter::DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxCalendarElementStates AStates)
{
  if (AStates.Contains(cesMarked))
    DrawDateNavigatorTodayCellSelection(ACanvas, ARect);
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarClock(TcxCanvas* ACanvas, const TRect& ARect,
                                                          rtl::TDateTime ADateTime, vcl::TColor ABackgroundColor,
                                                          const TdxScaleFactor* AScaleFactor)
{
  if (cxRectHasNoArea(ARect))
    return;
  // Dial, hands and glass composed off screen, over what the canvas shows
  // when there is no background colour.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(ARect, false); }));
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  const TRect client = bitmap->GetClientRect();
  if (ABackgroundColor == clNone)
    BitBlt(canvas->GetHandle(), 0, 0, client.right, client.bottom, ACanvas->GetHandle(), ARect.left, ARect.top,
           SRCCOPY);
  else
    canvas->FillRect(client, ABackgroundColor);
  TdxSmartImage* face = ClockFaceGlyph();
  face->StretchDraw(canvas->GetHandle(), client, face->ClientRect());
  DrawScaledModernClockHands(canvas, client, ADateTime, static_cast<TColor>(0x464646), AScaleFactor);
  TdxSmartImage* glass = ClockGlassGlyph();
  glass->StretchDraw(canvas->GetHandle(), client, glass->ClientRect());
  BitBlt(ACanvas->GetHandle(), ARect.left, ARect.top, client.right, client.bottom, canvas->GetHandle(), 0, 0,
         SRCCOPY);
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                      TcxCalendarElementStates AStates)
{
  struct TCellColors {
    TColor Frame;
    TColor Fill;
  };
  const bool hot = AStates.Contains(cesHot);
  const bool selected = AStates.Contains(cesSelected);
  if (hot || selected) {
    TCellColors colors{static_cast<TColor>(0xE7C070), static_cast<TColor>(0xFBF3E5)};
    if (selected && hot)
      colors = {static_cast<TColor>(0xE8A766), static_cast<TColor>(0xFFE8D1)};
    else if (selected && AStates.Contains(cesFocused))
      colors = {static_cast<TColor>(0xDAA026), static_cast<TColor>(0xF6E8CB)};
    else if (selected)
      colors = {static_cast<TColor>(0xDEDEDE), static_cast<TColor>(0xF7F7F7)};
    ACanvas->FrameRect(ARect, colors.Frame);
    ACanvas->FillRect(cxRectInflateAll(ARect, -1), colors.Fill);
  }
  if (AStates.Contains(cesMarked))
    ACanvas->FrameRect(ARect, GetModernCalendarMarkedCellBorderColor());
  if (AStates.Contains(cesFocused))
    ACanvas->DrawFocusRect(cxRectInflateAll(ARect, -1));
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateHeaderSelection(TcxCanvas*, const TRect&,
                                                                        TcxCalendarElementStates)
{
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas, const TRect&,
                                                                    TcxCalendarElementStates AStates)
{
  if (AStates.Contains(cesHot) || AStates.Contains(cesPressed)) {
    TFont* font = ACanvas->GetFont();
    font->SetStyle(font->GetStyle() + TFontStyles{TFontStyle::fsUnderline});
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxArrowDirection ADirection,
                                                                TcxCalendarElementState AState, const TdxScaleFactor*)
{
  TColor color = clBtnText;
  if (AState == cesHot || AState == cesPressed)
    color = GetModernCalendarSelectedTextColor();
  else if (AState == cesDisabled)
    color = clGrayText;
  TcxArrowPoints points;
  CalculateArrowPoints(cxRectInflateSides(ARect, 0, 0, 0, -1), points, ADirection, false);
  ACanvas->GetPen()->SetColor(color);
  ACanvas->GetBrush()->SetColor(color);
  ACanvas->Polygon(points);
}

void TcxCustomLookAndFeelPainter::DrawScaledModernClockHands(TcxCanvas* ACanvas, const TRect& ARect,
                                                             rtl::TDateTime ADateTime, vcl::TColor AColor,
                                                             const TdxScaleFactor* AScaleFactor)
{
  struct THand {
    double Angle;
    double Width;
    double Length;
    double Tail;
  };
  const TcxClockHandAngles angles = cxClockHandAngles(ADateTime);
  const THand hands[] = {{angles.Hour, 1.8, 0.55, 0.05}, {angles.Minute, 1.8, 0.7, 0.05},
                         {angles.Second, 1, 0.745, 0.1}};
  const double cx = (ARect.left + ARect.right) / 2.0;
  const double cy = (ARect.top + ARect.bottom) / 2.0;
  const double rx = cxRectGetWidth(ARect) / 2.0;
  const double ry = cxRectGetHeight(ARect) / 2.0;
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(ACanvas->GetHandle(), ARect);
  try {
    canvas->SetSmoothingMode(smAntiAlias);
    for (const THand& hand : hands) {
      const double c = std::cos(hand.Angle);
      const double s = std::sin(hand.Angle);
      canvas->Line(static_cast<float>(cx - rx * hand.Tail * c), static_cast<float>(cy - ry * hand.Tail * s),
                   static_cast<float>(cx + rx * hand.Length * c), static_cast<float>(cy + ry * hand.Length * s),
                   dxColorToAlphaColor(AColor, 255), static_cast<float>(AScaleFactor->ApplyF(hand.Width)));
    }
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
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

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect& AArrowRect, bool AIsNextButton,
                                                                       TcxButtonState AState, bool AIsVertical)
{
  // The side towards the scheduler's content stays open.
  TcxBorders sides = cxBordersAll;
  if (AIsVertical)
    sides.Exclude(AIsNextButton ? bRight : bLeft);
  else
    sides.Exclude(AIsNextButton ? bBottom : bTop);
  ACanvas->FillRect(ARect, clBtnFace);
  ACanvas->FrameRect(ARect, clBtnShadow, 1, sides);
  TRect inner = AIsVertical ? cxRectInflateSides(ARect, 0, -1, 0, -1) : cxRectInflateSides(ARect, -1, 0, -1, 0);
  if (AIsVertical)
    (AIsNextButton ? inner.left : inner.right) += AIsNextButton ? 1 : -1;
  else
    (AIsNextButton ? inner.top : inner.bottom) += AIsNextButton ? 1 : -1;
  const bool pressed = AState == cxbsPressed;
  const TColor leftTop = pressed ? clBtnShadow : clBtnHighlight;
  const TColor rightBottom = pressed ? clBtnHighlight : clBtnFace;
  ACanvas->FrameRect(inner, leftTop, 1, sides * TcxBorders{bLeft, bTop});
  ACanvas->FrameRect(inner, rightBottom, 1, sides * TcxBorders{bRight, bBottom});
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState, clDefault),
                                     AIsVertical);
}
