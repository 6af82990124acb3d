// The base painter's time and navigation elements (scheduler buttons,
// clocks, calendar cells) and its galleries, maps, navigation bars and
// viewers, drawn through the standard painter, which keeps these bodies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsColors.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxButtonState;
using enum TcxCalendarElementState;
using enum TcxLookAndFeelStyle;

using namespace vcl;
using vcltest::AsPixel;

namespace {

constexpr TColor kViewsBackground = 0x123456;

TcxCustomLookAndFeelPainter* ViewsPainter()
{
  return cxLookAndFeelPaintersManager()->GetPainter(lfsStandard);
}

struct TViewsProbe {
  int X;
  int Y;
  TColor Color;  // clNone: the background stays
};

struct TViewsDrawCase {
  const char* Name;
  std::function<void(TcxCustomLookAndFeelPainter*, TcxCanvas*)> Draw;
  std::vector<TViewsProbe> Probes;
};

void CheckViewsCases(const std::vector<TViewsDrawCase>& ACases)
{
  for (const TViewsDrawCase& c : ACases) {
    SCOPED_TRACE(c.Name);
    lnftest::TCanvasSurface surface(24, 24, AsPixel(kViewsBackground));
    c.Draw(ViewsPainter(), surface.Get());
    for (const TViewsProbe& p : c.Probes) {
      const TColor expected = p.Color == clNone ? kViewsBackground : ColorToRGB(p.Color);
      EXPECT_EQ(surface.Pixel(p.X, p.Y), AsPixel(expected)) << "at (" << p.X << ", " << p.Y << ")";
    }
  }
}

// Time of day as a date-time value.
rtl::TDateTime ViewsTime(int AHours, int AMinutes, int ASeconds)
{
  return 45000 + (AHours * 3600 + AMinutes * 60 + ASeconds) / 86400.0;
}

TEST(cxClockHands, AnglesTurnClockwiseFromTwelve)
{
  constexpr double kQuarter = std::numbers::pi / 2;
  struct TCase {
    int H, M, S;
    double Hour, Minute, Second;
  };
  // Up is -90 degrees on the screen, three o'clock is 0.
  const TCase cases[] = {
      {12, 0, 0, -kQuarter, -kQuarter, -kQuarter},
      {0, 0, 0, -kQuarter, -kQuarter, -kQuarter},
      {3, 0, 15, 0 + 15 * 2 * std::numbers::pi / 43200, -kQuarter + 15 * 2 * std::numbers::pi / 3600, 0},
      {18, 30, 45, kQuarter + 30 * 60 * 2 * std::numbers::pi / 43200 + 45 * 2 * std::numbers::pi / 43200,
       kQuarter + 45 * 2 * std::numbers::pi / 3600, std::numbers::pi},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.H << ":" << c.M << ":" << c.S);
    const TcxClockHandAngles angles = cxClockHandAngles(ViewsTime(c.H, c.M, c.S));
    EXPECT_NEAR(angles.Hour, c.Hour, 1e-9);
    EXPECT_NEAR(angles.Minute, c.Minute, 1e-9);
    EXPECT_NEAR(angles.Second, c.Second, 1e-9);
  }
}

TEST(cxClockHands, AtNoonTheClassicClockDrawsItsHandsStraightUp)
{
  lnftest::TCanvasSurface surface(64, 64, AsPixel(kViewsBackground));
  ViewsPainter()->DrawScaledClock(surface.Get(), TRect{0, 0, 64, 64}, ViewsTime(12, 0, 0), clWhite,
                                  dxGetDefaultScaleFactor());
  // Above the centre the teal hands; below it only the short tails, and
  // nothing at the sides.
  EXPECT_EQ(surface.Pixel(34, 16), AsPixel(ColorToRGB(clTeal)));
  EXPECT_EQ(surface.Pixel(32, 48), AsPixel(ColorToRGB(clWhite)));
  EXPECT_EQ(surface.Pixel(12, 32), AsPixel(ColorToRGB(clWhite)));
  // The twelve o'clock mark (aqua) on the dial's edge.
  EXPECT_EQ(surface.Pixel(32, 2), AsPixel(ColorToRGB(clAqua)));
}

TEST(cxClockHands, TheModernClockKeepsWhatIsUnderItWithoutABackgroundColour)
{
  lnftest::TCanvasSurface surface(64, 64, AsPixel(kViewsBackground));
  ViewsPainter()->DrawModernCalendarClock(surface.Get(), TRect{0, 0, 64, 64}, ViewsTime(9, 0, 0), clNone,
                                          dxGetDefaultScaleFactor());
  // The dial leaves the corners to the canvas.
  EXPECT_EQ(surface.Pixel(0, 0), AsPixel(kViewsBackground));
  EXPECT_NE(surface.Pixel(32, 20), AsPixel(kViewsBackground));
}

TEST(cxSchedulerNavigationButton, LayoutTable)
{
  struct TCase {
    const char* Name;
    bool Next, Collapsed, Vertical;
    TSize Prev, NextText;
    TRect Bounds, ExpectedBounds, ExpectedText, ExpectedArrow;
  };
  // Arrows 7 x 7, the arrow band three arrows long, 5 pixels between the
  // band and the text, borders from the sizes table.
  const TCase cases[] = {
      {"horizontal previous", false, false, false, {10, 8}, {12, 8}, {0, 0, 100, 20}, {0, 0, 100, 20},
       {20, 0, 68, 18}, {80, 5, 87, 12}},
      {"horizontal, text too long", false, false, false, {60, 8}, {12, 8}, {0, 0, 100, 20}, {-12, 0, 112, 20},
       {8, 0, 80, 18}, {92, 5, 99, 12}},
      {"horizontal collapsed", true, true, false, {10, 8}, {12, 8}, {0, 0, 100, 20}, {33, 0, 66, 20}, {},
       {46, 6, 53, 13}},
      {"vertical next", true, false, true, {10, 8}, {12, 8}, {0, 0, 20, 100}, {0, 0, 20, 100}, {2, 32, 20, 80},
       {7, 13, 14, 20}},
      {"vertical collapsed", false, true, true, {10, 8}, {12, 8}, {0, 0, 20, 100}, {0, 33, 20, 66}, {},
       {6, 46, 13, 53}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRect bounds = c.Bounds;
    TRect text;
    TRect arrow;
    ViewsPainter()->CalculateSchedulerNavigationButtonRects(c.Next, c.Collapsed, c.Prev, c.NextText, bounds, text,
                                                            arrow, dxGetDefaultScaleFactor(), c.Vertical);
    EXPECT_TRUE(cxRectsEqual(bounds, c.ExpectedBounds))
        << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    EXPECT_TRUE(cxRectsEqual(text, c.ExpectedText))
        << text.left << "," << text.top << "," << text.right << "," << text.bottom;
    EXPECT_TRUE(cxRectsEqual(arrow, c.ExpectedArrow))
        << arrow.left << "," << arrow.top << "," << arrow.right << "," << arrow.bottom;
  }
}

TEST(cxViewsElements, DrawingTable)
{
  const TRect r{2, 2, 20, 20};
  const auto gallery = [](bool AChecked, bool AHover, bool APressed, bool AFocused) {
    return TdxGalleryItemViewState{true, AChecked, AHover, APressed, AFocused};
  };
  const std::vector<TViewsDrawCase> cases = {
      {"selected and hot calendar cell", [&](auto* P, auto* C) {
         P->DrawModernCalendarDateCellSelection(C, r, {cesSelected, cesHot});
       }, {{2, 2, static_cast<TColor>(0xE8A766)}, {10, 10, static_cast<TColor>(0xFFE8D1)}, {1, 1, clNone}}},
      {"hot calendar cell", [&](auto* P, auto* C) { P->DrawModernCalendarDateCellSelection(C, r, {cesHot}); },
       {{2, 2, static_cast<TColor>(0xE7C070)}, {10, 10, static_cast<TColor>(0xFBF3E5)}}},
      {"idle gallery item draws nothing",
       [&](auto* P, auto* C) { P->DrawGalleryItemSelection(C, r, gallery(false, false, false, false)); },
       {{2, 2, clNone}, {10, 10, clNone}}},
      {"checked and focused gallery item: the base frame",
       [&](auto* P, auto* C) { P->DrawGalleryItemSelection(C, r, gallery(true, false, false, true)); },
       {{2, 2, static_cast<TColor>(0xCEA27D)}, {3, 3, static_cast<TColor>(0xCEA27D)}}},
      {"hovered gallery item frame",
       [&](auto* P, auto* C) { P->DrawGalleryItemSelection(C, r, gallery(false, true, false, false)); },
       {{2, 10, static_cast<TColor>(0xFBD6B8)}}},
      {"checked colour gallery item", [&](auto* P, auto* C) {
         P->DrawColorGalleryItemSelection(C, r, gallery(true, false, false, false));
       }, {{2, 2, static_cast<TColor>(0x1048EF)}, {3, 3, static_cast<TColor>(0x94E2FF)}, {4, 4, clNone}}},
      {"selected print preview page", [&](auto* P, auto* C) {
         P->DrawPrintPreviewPageScaledBackground(C, r, cxRectInflateAll(r, -4), true, true,
                                                 dxGetDefaultScaleFactor());
       }, {{2, 2, clHighlight}, {3, 3, clHighlight}, {10, 10, clWindow}, {19, 10, clWindowText},
           {18, 2, clNone}, {2, 19, clNone}}},
      {"unselected print preview page", [&](auto* P, auto* C) {
         P->DrawPrintPreviewPageScaledBackground(C, r, cxRectInflateAll(r, -4), false, false,
                                                 dxGetDefaultScaleFactor());
       }, {{2, 2, clNone}, {3, 3, clWindowText}, {5, 5, clWindowText}, {10, 10, clNone}, {19, 19, clNone},
           {18, 18, clWindowText}}},
      {"transparent gauge", [&](auto* P, auto* C) { P->DrawGaugeControlBackground(C, r, true, clRed); },
       {{10, 10, clNone}}},
      {"wheel picker, pressed",
       [&](auto* P, auto* C) { P->DrawWheelPickerItem(C, r, cxbsPressed); },
       {{2, 2, static_cast<TColor>(0xE7C9BC)}, {10, 10, static_cast<TColor>(0xFDEAE2)}}},
      {"wheel picker, normal: no colour of its own, nothing painted", [&](auto* P, auto* C) {
         C->GetBrush()->SetColor(clRed);
         P->DrawWheelPickerItem(C, r, cxbsNormal);
       }, {{2, 2, clNone}, {10, 10, clNone}}},
      {"navigation bar image selection, pressed", [&](auto* P, auto* C) {
         P->OfficeNavigationBarDrawScaledImageSelection(C, r, cesPressed, dxGetDefaultScaleFactor());
       }, {{10, 10, static_cast<TColor>(0xE0C092)}}},
      {"scheduler milestone", [&](auto* P, auto* C) { P->DrawSchedulerMilestone(C, r); },
       {{11, 11, clGray}, {2, 2, clNone}}},
      {"scheduler event progress", [&](auto* P, auto* C) {
         P->DrawSchedulerEventProgress(C, r, TRect{4, 4, 10, 18}, TcxViewParams{nullptr, clWhite, nullptr, clBlack},
                                       false);
       }, {{2, 2, clGray}, {6, 10, clNavy}, {15, 10, clWhite}}},
      {"calendar cell marked", [&](auto* P, auto* C) { P->DrawCalendarDateCellSelection(C, r, {cesMarked}); },
       {{2, 2, ViewsPainter()->DefaultDateNavigatorTodayFrameColor()}, {10, 10, clNone}}},
  };
  CheckViewsCases(cases);
}

TEST(cxViewsElements, NavigationBarCustomizationButtonTakesTheColourAndAlphaGiven)
{
  lnftest::TCanvasSurface surface(32, 32, AsPixel(ColorToRGB(clWhite)));
  const TSize size = ViewsPainter()->OfficeNavigationBarScaledCustomizationButtonSize(dxGetDefaultScaleFactor());
  ASSERT_GT(size.cx, 0);
  ViewsPainter()->OfficeNavigationBarDrawScaledCustomizationButton(surface.Get(), TRect{0, 0, 32, 32}, cesNormal,
                                                                   dxGetDefaultScaleFactor(), 0x80FF0000);
  // Every pixel the glyph covers is some mix of white and pure red.
  bool anyRed = false;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t pixel = surface.Pixel(x, y);
      const std::uint32_t r = pixel >> 16 & 0xFF;
      const std::uint32_t g = pixel >> 8 & 0xFF;
      const std::uint32_t b = pixel & 0xFF;
      EXPECT_EQ(r, 0xFFu);
      EXPECT_EQ(g, b);
      anyRed = anyRed || g < 0xF0;
    }
  EXPECT_TRUE(anyRed);
}

}  // namespace
