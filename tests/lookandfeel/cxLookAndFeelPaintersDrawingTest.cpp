// The base painter's drawing: the worked geometry as tables of exact
// coordinates, pixel probes on memory DIBs where colours matter, and the
// glyph resources the painter loads by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "platform/rtl/ClassesThreads.h"
#include "tests/lookandfeel/LookAndFeelTestSupport.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum TcxArrowDirection;
using enum TcxButtonState;
using enum TcxCheckBoxState;
using enum TcxEditPopupBorderStyle;
using enum TcxIndicatorKind;
using enum TcxScrollBarPart;
using enum TcxTrackBarTicksAlign;
using enum TdxBevelShape;
using enum TdxBevelStyle;
using enum TdxCorner;

using namespace vcl;
using lnftest::TTestPainter;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

constexpr std::uint32_t kBackground = AsPixel(clBlue);

struct TDrawingSurface : lnftest::TCanvasSurface {
  TDrawingSurface(int AWidth, int AHeight) : TCanvasSurface(AWidth, AHeight, kBackground) {}
};

rtl::TOwnedPtr<TdxScaleFactor> NewDrawingFactor(int ANumerator, int ADenominator)
{
  rtl::TOwnedPtr<TdxScaleFactor> result(rtl::New<TdxScaleFactor>());
  result->Assign(ANumerator, ADenominator, false);
  return result;
}

std::string PointsText(const std::vector<TPoint>& APoints)
{
  std::string result;
  for (const TPoint& p : APoints)
    result += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  return result;
}

// A painter that records the calls the base class makes to the operations
// concrete painters supply, and has sorting marks of a chosen size.
class TDrawingRecordingPainter : public TTestPainter {
  RTL_CLASS(TDrawingRecordingPainter, TTestPainter)

 public:
  std::vector<TcxScrollBarPart> Parts;
  std::vector<bool> ToggleStates;
  TPoint MarkSize{7, 4};

  TPoint ScaledSortingMarkSize(const TdxScaleFactor*) override { return MarkSize; }
  TPoint ScaledSummarySortingMarkSize(const TdxScaleFactor*) override { return MarkSize; }
  void DrawScaledToggleSwitchState(TcxCanvas*, const TRect&, TcxButtonState, bool AChecked,
                                   const TdxScaleFactor*) override
  {
    ToggleStates.push_back(AChecked);
  }
  using TcxCustomLookAndFeelPainter::DrawSortingArrow;

 protected:
  void DoDrawScrollBarPart(TcxCanvas*, bool, const TdxScaleFactor*, TcxScrollBarPart APart, TcxButtonState,
                           const TRect&) override
  {
    Parts.push_back(APart);
  }
};

// ---------------------------------------------------------------------------
// Arrows

TEST(TcxCustomLookAndFeelPainterDrawing, ArrowPointsFollowTheSharedGeometry)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  struct TCase {
    TRect R;
    TcxArrowDirection Direction;
    bool Proportional;
    int Size;
    TcxArrowPoints Expected;
  };
  const TCase cases[] = {
      // 20 x 12 squared to (4, 0, 16, 12): s = 3, a 5 x 3 box, apex at x 9;
      // its top (12 - 3) / 2 = 4.5 rounds away from zero to 5.
      {{0, 0, 20, 12}, adUp, true, 0, {TPoint{7, 7}, {9, 5}, {11, 7}}},
      {{0, 0, 20, 12}, adDown, true, 0, {TPoint{11, 5}, {9, 7}, {7, 5}}},
      // Not squared: s = (20 - 1) div 4 + 1 = 5, a 9 x 5 box.
      {{0, 0, 20, 12}, adUp, false, 0, {TPoint{5, 8}, {9, 4}, {13, 8}}},
      // Left and right take the height: s = 3, a 3 x 5 box.
      {{0, 0, 12, 12}, adLeft, false, 0, {TPoint{6, 8}, {4, 6}, {6, 4}}},
      {{0, 0, 12, 12}, adRight, false, 0, {TPoint{4, 4}, {6, 6}, {4, 8}}},
      // An explicit size whatever the rectangle.
      {{10, 10, 50, 50}, adDown, false, 2, {TPoint{30, 29}, {29, 30}, {28, 29}}},
      // A taller rectangle is inset vertically.
      {{0, 0, 8, 20}, adRight, true, 0, {TPoint{3, 9}, {4, 10}, {3, 11}}},
  };
  for (const TCase& c : cases) {
    TcxArrowPoints p;
    painter->CalculateArrowPoints(c.R, p, c.Direction, c.Proportional, c.Size);
    const std::vector<TPoint> actual(p.begin(), p.end());
    const std::vector<TPoint> expected(c.Expected.begin(), c.Expected.end());
    EXPECT_EQ(PointsText(actual), PointsText(expected)) << static_cast<int>(c.Direction);
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, DisabledScrollBarArrowIsEmbossedByTheScaledPixel)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const auto factor = NewDrawingFactor(2, 1);
  TDrawingSurface s(24, 24);
  // Up arrow in 24 x 24: s = 6, box 11 x 6, apex (11, 9), base row 14.
  painter->DrawScaledScrollBarArrow(s.Get(), {0, 0, 24, 24}, cxbsDisabled, adUp, factor.get());
  EXPECT_EQ(s.Pixel(11, 9), AsPixel(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(s.Pixel(15, 16), AsPixel(ColorToRGB(clBtnHighlight)));  // base moved 2 right and down
  EXPECT_EQ(s.Pixel(11, 8), kBackground);
}

TEST(TcxCustomLookAndFeelPainterDrawing, CollapseArrowIsTwoChevronsOpeningRight)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(13, 13);
  // s = 3, band 5 wide from x = 4; chevrons at x = 4 and 6 around y = 6.
  painter->DrawCollapseArrow(s.Get(), {0, 0, 13, 13}, clRed, 1);
  for (const TPoint p : {TPoint{4, 6}, {5, 5}, {5, 7}, {6, 4}, {6, 8}, {6, 6}, {8, 4}, {8, 8}})
    EXPECT_EQ(s.Pixel(p.x, p.y), AsPixel(clRed)) << p.x << "," << p.y;
  for (const TPoint p : {TPoint{3, 6}, {5, 6}, {7, 6}, {9, 6}, {4, 5}})
    EXPECT_EQ(s.Pixel(p.x, p.y), kBackground) << p.x << "," << p.y;
}

// ---------------------------------------------------------------------------
// Buttons and marks

TEST(TcxCustomLookAndFeelPainterDrawing, SmallExpandButtonIsAFramedPlusOrMinus)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const TdxScaleFactor* factor = dxGetDefaultScaleFactor();
  struct TCase {
    bool Expanded;
    TColor Fill;
  };
  for (const TCase c : {TCase{false, clDefault}, TCase{true, clYellow}}) {
    TDrawingSurface s(9, 9);
    painter->DrawScaledSmallExpandButton(s.Get(), {0, 0, 9, 9}, c.Expanded, clRed, factor, c.Fill);
    const std::uint32_t sign = AsPixel(ColorToRGB(clBtnText));
    EXPECT_EQ(s.Pixel(0, 0), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(8, 4), AsPixel(clRed));
    // The bar spans 2..6 at row 4; the vertical bar only when collapsed.
    EXPECT_EQ(s.Pixel(2, 4), sign);
    EXPECT_EQ(s.Pixel(6, 4), sign);
    EXPECT_EQ(s.Pixel(4, 2), c.Expanded ? AsPixel(clYellow) : sign);
    // clDefault keeps what was inside.
    EXPECT_EQ(s.Pixel(1, 1), c.Fill == clDefault ? kBackground : AsPixel(clYellow));
  }
}

std::vector<std::string> PixelArt(const TDrawingSurface& ASurface, int AWidth, int AHeight, std::uint32_t AInk)
{
  std::vector<std::string> rows;
  for (int y = 0; y < AHeight; ++y) {
    std::string row;
    for (int x = 0; x < AWidth; ++x)
      row += ASurface.Pixel(x, y) == AInk ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(TcxCustomLookAndFeelPainterDrawing, ExpandMarkIsTwoDoubleChevrons)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  // s = 3 in 11 x 11: x0 = 2, y0 = 1; expanded points up, collapsed down.
  struct TCase {
    bool Expanded;
    std::vector<std::string> Expected;
  };
  const TCase cases[] = {
      {true,
       {"...........", ".....#.....", "....###....", "...##.##...", "..##...##..", ".....#.....", "....###....",
        "...##.##...", "..##...##..", "...........", "..........."}},
      {false,
       {"...........", "...........", "..##...##..", "...##.##...", "....###....", ".....#.....", "..##...##..",
        "...##.##...", "....###....", ".....#.....", "..........."}},
  };
  for (const TCase& c : cases) {
    TDrawingSurface s(11, 11);
    painter->DrawScaledExpandMark(s.Get(), {0, 0, 11, 11}, clRed, c.Expanded, dxGetDefaultScaleFactor());
    EXPECT_EQ(PixelArt(s, 11, 11, AsPixel(clRed)), c.Expected) << c.Expanded;
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, ButtonCrossIsTwoPixelsThickAndFollowsThePress)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  for (const TcxButtonState state : {cxbsNormal, cxbsPressed}) {
    TDrawingSurface s(16, 16);
    const int shift = state == cxbsPressed ? 1 : 0;
    // n = 7: x = 4 (+1), y = 4 (+1).
    painter->DrawScaledButtonCrossEx(s.Get(), {0, 0, 16, 16}, clRed, state, 7, dxGetDefaultScaleFactor());
    EXPECT_EQ(s.Pixel(4 + shift, 4 + shift), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(5 + shift, 4 + shift), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(10 + shift, 10 + shift), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(4 + shift, 10 + shift), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(11 + shift, 10 + shift), AsPixel(clRed));
    EXPECT_EQ(s.Pixel(3 + shift, 4 + shift), kBackground);
    EXPECT_EQ(s.Pixel(12 + shift, 12 + shift), kBackground);
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, CheckMarkFollowsTheWorkedPoints)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  // 13 x 13 at (10, 10): mark rectangle (11, 11, 22, 22); points (-2, 3),
  // (4, 9), (15, -2) from its corner; the long arm is clipped.
  TDrawingSurface s(32, 32);
  painter->DrawScaledCheck(s.Get(), {10, 10, 23, 23}, cxbsNormal, cbsChecked, clRed, dxGetDefaultScaleFactor());
  const std::uint32_t fill = AsPixel(ColorToRGB(clWindow));
  EXPECT_EQ(s.Pixel(11 + 4, 11 + 9), AsPixel(clRed));      // the corner of the mark
  EXPECT_EQ(s.Pixel(11 + 4, 11 + 7), AsPixel(clRed));      // three pixels thick
  EXPECT_EQ(s.Pixel(11 + 4, 11 + 6), fill);
  EXPECT_EQ(s.Pixel(11 + 0, 11 + 5), AsPixel(clRed));      // on the short arm
  EXPECT_EQ(s.Pixel(11 + 8, 11 + 5), AsPixel(clRed));      // on the long arm
  EXPECT_EQ(s.Pixel(10, 10), fill);                        // R is filled, the mark clipped to its inside
  EXPECT_EQ(s.Pixel(23, 10), kBackground);

  // A clear brush keeps the background; unchecked draws only the fill.
  TDrawingSurface clear(32, 32);
  clear->GetBrush()->SetStyle(TBrushStyle::bsClear);
  painter->DrawScaledCheck(clear.Get(), {10, 10, 23, 23}, cxbsNormal, cbsChecked, clRed, dxGetDefaultScaleFactor());
  EXPECT_EQ(clear.Pixel(11 + 4, 11 + 6), kBackground);
  EXPECT_EQ(clear.Pixel(11 + 4, 11 + 9), AsPixel(clRed));
  TDrawingSurface unchecked(32, 32);
  painter->DrawScaledCheck(unchecked.Get(), {10, 10, 23, 23}, cxbsNormal, cbsUnchecked, clRed,
                           dxGetDefaultScaleFactor());
  EXPECT_EQ(unchecked.Pixel(11 + 4, 11 + 9), fill);
}

TEST(TcxCustomLookAndFeelPainterDrawing, GrayedCheckButtonDrawsItsMarkInGrayText)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(32, 32);
  // Border 2: the check rectangle is (12, 12, 25, 25), the mark corner at
  // (13 + 4, 13 + 9).
  painter->DrawScaledCheckButton(s.Get(), {10, 10, 27, 27}, cxbsNormal, cbsGrayed, dxGetDefaultScaleFactor());
  EXPECT_EQ(s.Pixel(17, 22), AsPixel(ColorToRGB(clGrayText)));
  EXPECT_EQ(s.Pixel(12, 12), AsPixel(ColorToRGB(clBtnFace)));
}

TEST(TcxCustomLookAndFeelPainterDrawing, SortingArrowColoursItsBaseByDirection)
{
  const rtl::TOwnedPtr<TDrawingRecordingPainter> painter(rtl::New<TDrawingRecordingPainter>());
  // w = 7, h = 4 in (0, 0, 16, 16): xc = 8, a = b = 3.
  struct TCase {
    bool Ascending;
    TPoint Base;  // a pixel of the base line
    TColor BaseColor;
    TPoint LeftEdge;
    TPoint Apex;
  };
  const TCase cases[] = {
      // Ascending: apex row 6, base row 9.
      {true, {8, 9}, clRed, {6, 8}, {8, 6}},
      // Descending: apex row 9, base row 6.
      {false, {8, 6}, clLime, {6, 7}, {8, 9}},
  };
  for (const TCase& c : cases) {
    TDrawingSurface s(16, 16);
    painter->DrawSortingArrow(s.Get(), {0, 0, 16, 16}, dxGetDefaultScaleFactor(), c.Ascending, clRed, clLime);
    EXPECT_EQ(s.Pixel(c.Base.x, c.Base.y), AsPixel(c.BaseColor)) << c.Ascending;
    EXPECT_EQ(s.Pixel(c.LeftEdge.x, c.LeftEdge.y), AsPixel(clLime)) << c.Ascending;
    EXPECT_NE(s.Pixel(c.Apex.x, c.Apex.y), kBackground) << c.Ascending;
    EXPECT_EQ(s.Pixel(8, c.Ascending ? 5 : 10), kBackground) << c.Ascending;
  }
}

// ---------------------------------------------------------------------------
// Scroll bars, popups and size grips

TEST(TcxCustomLookAndFeelPainterDrawing, MirroredHorizontalBarsExchangeTheirLineButtons)
{
  const rtl::TOwnedPtr<TDrawingRecordingPainter> painter(rtl::New<TDrawingRecordingPainter>());
  TDrawingSurface s(8, 8);
  s->SetUseRightToLeftAlignment(true);
  const TdxScaleFactor* factor = dxGetDefaultScaleFactor();
  painter->DrawScaledScrollBarPart(s.Get(), true, {0, 0, 8, 8}, sbpLineUp, cxbsNormal, factor);
  painter->DrawScaledScrollBarPart(s.Get(), true, {0, 0, 8, 8}, sbpThumbnail, cxbsNormal, factor);
  painter->DrawScaledScrollBarPart(s.Get(), false, {0, 0, 8, 8}, sbpLineUp, cxbsNormal, factor);
  s->SetUseRightToLeftAlignment(false);
  painter->DrawScaledSliderButton(s.Get(), {0, 0, 8, 8}, adRight, cxbsNormal, factor);
  painter->DrawScaledSliderButton(s.Get(), {0, 0, 8, 8}, adUp, cxbsNormal, factor);
  painter->DrawScaledScrollBarBackground(s.Get(), {0, 0, 8, 8}, true, factor);
  const std::vector<TcxScrollBarPart> expected{sbpLineDown, sbpThumbnail, sbpLineUp,
                                               sbpLineDown, sbpLineUp,    sbpPageUp};
  EXPECT_EQ(painter->Parts, expected);
}

TEST(TcxCustomLookAndFeelPainterDrawing, ToggleSwitchStateFollowsTheThumbAndTheReadingDirection)
{
  const rtl::TOwnedPtr<TDrawingRecordingPainter> painter(rtl::New<TDrawingRecordingPainter>());
  TDrawingSurface s(40, 20);
  const TRect bounds{0, 0, 40, 20};
  const TdxScaleFactor* factor = dxGetDefaultScaleFactor();
  painter->DrawScaledToggleSwitch(s.Get(), bounds, cxbsNormal, {0, 0, 20, 20}, factor);
  painter->DrawScaledToggleSwitch(s.Get(), bounds, cxbsNormal, {20, 0, 40, 20}, factor);
  s->SetUseRightToLeftAlignment(true);
  painter->DrawScaledToggleSwitch(s.Get(), bounds, cxbsNormal, {20, 0, 40, 20}, factor);
  s->SetUseRightToLeftAlignment(false);
  // Dragged: both states, the checked one on the left of a left-to-right
  // switch.
  painter->DrawScaledToggleSwitch(s.Get(), bounds, cxbsNormal, {10, 0, 30, 20}, factor);
  const std::vector<bool> expected{false, true, false, true, false};
  EXPECT_EQ(painter->ToggleStates, expected);
}

TEST(TcxCustomLookAndFeelPainterDrawing, PopupPanelLayoutPlacesGripAndCloseButtonByCorner)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const TdxScaleFactor* factor = dxGetDefaultScaleFactor();
  const TSize grip = painter->ScaledSizeGripSize(factor);
  const TSize close = painter->ScaledSmallCloseButtonSize(factor);
  struct TCase {
    TdxCorner Corner;
    bool AtTop;
    bool AtRight;
  };
  for (const TCase c : {TCase{coBottomRight, false, true}, TCase{coTopLeft, true, false}}) {
    TRect client{0, 0, 200, 150};
    TRect panel;
    TRect gripRect;
    TRect closeRect;
    painter->CalculateScaledPopupPanelClientRect(client, panel, gripRect, closeRect, c.Corner, {1, 1, 1, 1},
                                                 {0, 0, 0, 0}, factor, 30);
    const TRect expectedPanel = c.AtTop ? TRect{1, 1, 199, 31} : TRect{1, 119, 199, 149};
    EXPECT_TRUE(cxRectsEqual(panel, expectedPanel)) << static_cast<int>(c.Corner);
    EXPECT_EQ(c.AtTop ? client.top : client.bottom, c.AtTop ? 31 : 119);
    EXPECT_EQ(c.AtRight ? gripRect.right : gripRect.left, c.AtRight ? 197 : 3);
    EXPECT_EQ(c.AtTop ? gripRect.top : gripRect.bottom, c.AtTop ? 3 : 147);
    EXPECT_EQ(cxRectGetSize(gripRect).cx, grip.cx);
    // The close button is centred in the 30-pixel square at the other end.
    const TRect square = c.AtRight ? TRect{1, 119, 31, 149} : TRect{169, 1, 199, 31};
    EXPECT_TRUE(cxRectsEqual(closeRect, cxRectCenterBoxOfSize(square, close))) << static_cast<int>(c.Corner);
  }
  TRect client{0, 0, 200, 150};
  TRect panel;
  TRect gripRect;
  TRect closeRect;
  painter->CalculateScaledPopupPanelClientRect(client, panel, gripRect, closeRect, coBottomLeft, {0, 0, 0, 0},
                                               {0, 0, 0, 0}, factor, 0, false, false);
  EXPECT_TRUE(cxRectIsAllZero(gripRect));
  EXPECT_TRUE(cxRectIsAllZero(closeRect));
  EXPECT_EQ(cxRectGetHeight(panel), painter->ScaledPopupPanelSize(factor));
}

TEST(TcxCustomLookAndFeelPainterDrawing, EditPopupBorderEndsInsideByStyle)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  struct TCase {
    TcxEditPopupBorderStyle Style;
    int Inset;
  };
  for (const TCase c : {TCase{epbsDefault, 1}, TCase{epbsSingle, 1}, TCase{epbsFlat, 2}, TCase{epbsFrame3D, 4}}) {
    TDrawingSurface s(20, 20);
    TRect r{0, 0, 20, 20};
    painter->DrawEditPopupWindowBorder(s.Get(), r, c.Style, false);
    EXPECT_TRUE(cxRectsEqual(r, cxRectInflateAll(TRect{0, 0, 20, 20}, -c.Inset))) << static_cast<int>(c.Style);
    EXPECT_EQ(s.Pixel(0, 10) == kBackground, c.Style == epbsDefault) << static_cast<int>(c.Style);
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, PopupPanelBandStaysExcludedFromTheClip)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(60, 30);
  const TRect band{0, 10, 60, 30};
  painter->DrawScaledPopupPanelBand(s.Get(), band, {}, {}, coBottomRight, cxbsNormal, {0, 1, 0, 0}, clRed,
                                    dxGetDefaultScaleFactor(), false, false);
  EXPECT_EQ(s.Pixel(30, 10), AsPixel(clRed));                        // the border facing the client
  EXPECT_EQ(s.Pixel(30, 20), AsPixel(ColorToRGB(clBtnFace)));         // the window content
  s->FillRect({0, 0, 60, 30}, clLime);
  EXPECT_EQ(s.Pixel(30, 5), AsPixel(clLime));
  EXPECT_EQ(s.Pixel(30, 20), AsPixel(ColorToRGB(clBtnFace)));
}

TEST(TcxCustomLookAndFeelPainterDrawing, SizeGripIsTheBottomRightGripTurnedOrMirroredIntoItsCorner)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const auto draw = [&](TDrawingSurface& ASurface, TdxCorner ACorner) {
    ASurface->FillRect({0, 0, 10, 20}, clYellow);  // an asymmetric background
    painter->DrawScaledSizeGrip(ASurface.Get(), {0, 0, 20, 20}, dxGetDefaultScaleFactor(), clNone, ACorner);
  };
  TDrawingSurface bottomRight(20, 20);
  draw(bottomRight, coBottomRight);
  struct TCase {
    TdxCorner Corner;
    bool MirrorX;
    bool MirrorY;
  };
  for (const TCase c : {TCase{coTopLeft, true, true}, TCase{coTopRight, false, true}, TCase{coBottomLeft, true, false}}) {
    TDrawingSurface s(20, 20);
    draw(s, c.Corner);
    int differences = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        // The grip moves; the background stays where it was.
        const std::uint32_t grip = bottomRight.Pixel(c.MirrorX ? 19 - x : x, c.MirrorY ? 19 - y : y);
        const std::uint32_t background = x < 10 ? AsPixel(clYellow) : kBackground;
        const std::uint32_t gripBackground = (c.MirrorX ? 19 - x : x) < 10 ? AsPixel(clYellow) : kBackground;
        const std::uint32_t expected = grip == gripBackground ? background : grip;
        differences += s.Pixel(x, y) != expected;
      }
    EXPECT_EQ(differences, 0) << static_cast<int>(c.Corner);
  }
}

// ---------------------------------------------------------------------------
// Progress bars, bevels, splitters

TEST(TcxCustomLookAndFeelPainterDrawing, ProgressTextOverAnUnsolidBarInvertsThePixels)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(80, 20);
  s->FillRect({0, 0, 40, 20}, clBlack);
  s->FillRect({40, 0, 80, 20}, clWhite);
  s->GetFont()->SetSize(12);
  painter->DrawProgressBarText(s.Get(), false, false, L"MMMMMMMMMMMMMMM", {0, 0, 80, 20}, {0, 0, 80, 20},
                               {0, 0, 40, 20}, clDefault);
  bool whiteOverChunk = false;
  bool blackOverTrack = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      whiteOverChunk = whiteOverChunk || s.Pixel(x, y) == 0xFFFFFF;
      blackOverTrack = blackOverTrack || s.Pixel(x + 40, y) == 0;
    }
  EXPECT_TRUE(whiteOverChunk);
  EXPECT_TRUE(blackOverTrack);
}

TEST(TcxCustomLookAndFeelPainterDrawing, BevelsAndLabelLines)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const std::uint32_t shadow = AsPixel(ColorToRGB(clBtnShadow));
  const std::uint32_t highlight = AsPixel(ColorToRGB(clBtnHighlight));
  struct TCase {
    TdxBevelShape Shape;
    TdxBevelStyle Style;
    TPoint P1;
    std::uint32_t C1;
    TPoint P2;
    std::uint32_t C2;
  };
  const TCase cases[] = {
      // Etched frame: the first colour at the outer top-left, the second one
      // pixel in; raised exchanges them.
      {dxbsFrame, dxbsLowered, {0, 0}, shadow, {1, 1}, highlight},
      {dxbsFrame, dxbsRaised, {0, 0}, highlight, {1, 1}, shadow},
      {dxbsBox, dxbsLowered, {0, 5}, shadow, {9, 5}, highlight},
      {dxbsLineBottom, dxbsLowered, {5, 8}, shadow, {5, 9}, highlight},
      {dxbsLineCenteredHorz, dxbsLowered, {4, 5}, shadow, {5, 5}, highlight},
  };
  for (const TCase& c : cases) {
    TDrawingSurface s(10, 10);
    painter->DrawBevelShape(s.Get(), {0, 0, 10, 10}, c.Shape, c.Style);
    EXPECT_EQ(s.Pixel(c.P1.x, c.P1.y), c.C1) << static_cast<int>(c.Shape);
    EXPECT_EQ(s.Pixel(c.P2.x, c.P2.y), c.C2) << static_cast<int>(c.Shape);
  }
  TDrawingSurface line(10, 10);
  painter->DrawBevelLine(line.Get(), {0, 0, 10, 10}, clRed, clNone, false);
  EXPECT_EQ(line.Pixel(5, 5), AsPixel(clRed));
  TDrawingSurface label(10, 2);
  painter->DrawLabelLine(label.Get(), {0, 0, 10, 2}, clDefault, clDefault, false);
  EXPECT_EQ(label.Pixel(5, 0), shadow);
  EXPECT_EQ(label.Pixel(5, 1), highlight);
}

TEST(TcxCustomLookAndFeelPainterDrawing, SplitterDashesAndTheRoomOfItsCloseMark)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const std::uint32_t outer = AsPixel(ColorToRGB(clBtnShadow));
  // 41 long, thickness 2 (an inner line): the outer line on row 0 from 0 to
  // 40 exclusive, c = 20.
  TDrawingSurface plain(41, 2);
  painter->DrawScaledSplitter(plain.Get(), {0, 0, 41, 2}, false, false, true, dxGetDefaultScaleFactor());
  std::string row;
  for (int x = 0; x < 41; ++x)
    row += plain.Pixel(x, 0) == outer ? '#' : '.';
  EXPECT_EQ(row, "###############.##.##.##.###############.");
  EXPECT_EQ(plain.Pixel(1, 1), AsPixel(clWhite));  // the inner line, one lower and to the right

  TDrawingSurface marked(41, 12);
  painter->DrawScaledSplitter(marked.Get(), {0, 5, 41, 7}, false, false, true, dxGetDefaultScaleFactor(), true,
                              adUp);
  std::string markedRow;
  for (int x = 0; x < 41; ++x)
    markedRow += marked.Pixel(x, 5) == outer ? '#' : '.';
  EXPECT_EQ(markedRow.substr(0, 15), std::string(15, '#'));
  EXPECT_EQ(markedRow.substr(28, 12), std::string(12, '#'));
  EXPECT_EQ(markedRow[27], '.');
  // The close mark: centre (21, 6) with the inner line and odd width; the
  // arrowhead's strokes run from cy + i - 3 upwards.
  EXPECT_EQ(marked.Pixel(21, 3), outer);
  EXPECT_EQ(marked.Pixel(24, 5), outer);
}

TEST(TcxCustomLookAndFeelPainterDrawing, SplitterLosesItsInnerLineWhenOnePixelThick)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const auto half = NewDrawingFactor(1, 2);
  EXPECT_TRUE(painter->HasSplitterInnerLine(true, dxGetDefaultScaleFactor()));
  EXPECT_FALSE(painter->HasSplitterInnerLine(true, half.get()));
}

// ---------------------------------------------------------------------------
// Track bars

TEST(TcxCustomLookAndFeelPainterDrawing, TrackBarThumbShapes)
{
  const TRect r{10, 20, 21, 40};  // 11 x 20
  struct TCase {
    bool Horizontal;
    TcxTrackBarTicksAlign Ticks;
    std::vector<TPoint> Polygon;
    std::vector<TPoint> Dark;
  };
  const TCase cases[] = {
      // Down, horizontal: a = 5, yb = 35, m = 15.
      {true, tbtaDown, {{20, 21}, {11, 21}, {11, 35}, {15, 39}, {20, 35}}, {{15, 40}, {21, 35}, {21, 20}}},
      // Down, vertical: a = 10, xr = 11, m = 30.
      {false, tbtaDown, {{11, 39}, {11, 21}, {11, 21}, {20, 30}, {11, 39}}, {{21, 30}, {11, 40}, {10, 40}}},
      // Up, horizontal: c = 15, b = 24.
      {true, tbtaUp, {{20, 38}, {11, 38}, {11, 24}, {15, 20}, {20, 24}}, {{15, 19}, {21, 24}, {21, 39}, {10, 39}}},
      // Up, vertical: a = 19, b = 30.
      {false, tbtaUp, {{19, 39}, {19, 21}, {19, 21}, {10, 30}, {19, 39}}, {{9, 30}, {19, 40}, {20, 40}, {20, 20}}},
  };
  for (const TCase& c : cases) {
    const TcxThumbShape shape = cxTrackBarThumbShape(r, c.Horizontal, c.Ticks);
    EXPECT_EQ(PointsText(shape.Polygon), PointsText(c.Polygon)) << c.Horizontal << static_cast<int>(c.Ticks);
    EXPECT_EQ(PointsText(shape.Dark), PointsText(c.Dark)) << c.Horizontal << static_cast<int>(c.Ticks);
  }
  EXPECT_TRUE(cxTrackBarThumbShape(r, true, tbtaBoth).Polygon.empty());
}

TEST(TcxCustomLookAndFeelPainterDrawing, RangeTrackBarHalfThumbsArePulledInByOnePixel)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  // Left thumb, down, horizontal on (0, 0, 10, 20) pulled in to (0, 0, 9,
  // 20): w = 9, the slant from (1, 11) to (8, 19).
  const TcxThumbShape shape = cxRangeTrackBarThumbShape({0, 0, 9, 20}, true, tbtaDown, true);
  EXPECT_EQ(PointsText(shape.Polygon), "(8,1)(1,1)(1,11)(8,19)");
  TDrawingSurface s(12, 22);
  painter->DrawRangeTrackBarScaledLeftThumb(s.Get(), {0, 0, 10, 20}, cxbsNormal, true, tbtaDown, clRed,
                                            dxGetDefaultScaleFactor());
  EXPECT_EQ(s.Pixel(8, 5), AsPixel(clRed));
  EXPECT_EQ(s.Pixel(9, 5), kBackground);  // the pulled-in column
  TDrawingSurface both(12, 22);
  painter->DrawRangeTrackBarScaledLeftThumb(both.Get(), {0, 0, 10, 20}, cxbsNormal, true, tbtaBoth, clRed,
                                            dxGetDefaultScaleFactor());
  EXPECT_EQ(both.Pixel(9, 19), AsPixel(clRed));
  EXPECT_EQ(both.Pixel(10, 19), kBackground);
}

TEST(TcxCustomLookAndFeelPainterDrawing, RangeControlRulerHeaderAndThumbColours)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const TdxScaleFactor* factor = dxGetDefaultScaleFactor();
  struct TCase {
    bool Hot;
    TdxAlphaColor Color;
    std::uint32_t Expected;
  };
  const TCase cases[] = {
      {true, 0x00010203, 0xE2EAFD},
      {false, 0x00010203, 0xFFFFFF},
      {true, 0xFF00FF00, 0x00FF00},  // an explicit colour ignores the hot flag
  };
  for (const TCase& c : cases) {
    TDrawingSurface s(20, 20);
    painter->DrawRangeControlScaledRulerHeader(s.Get(), {0, 0, 20, 20}, c.Hot, c.Color, 0xFF000000, factor);
    EXPECT_EQ(s.Pixel(10, 5), c.Expected) << c.Hot;
    EXPECT_EQ(s.Pixel(0, 5), 0u);
    EXPECT_EQ(s.Pixel(10, 19), 0u);
  }
  TDrawingSurface thumb(11, 19);
  painter->DrawRangeControlScaledLeftThumb(thumb.Get(), {0, 0, 11, 19}, clDefault, 0xFF000000, factor);
  EXPECT_EQ(thumb.Pixel(2, 2), 0xFFFFFFu);
}

// ---------------------------------------------------------------------------
// Headers, footers, indicators and other cells

struct TDrawingBackgroundHandler {
  bool Answer = true;
  int Calls = 0;
  bool Draw(rtl::TObject*, TcxCanvas* ACanvas, const TRect& ABounds)
  {
    ++Calls;
    ACanvas->FillRect(ABounds, clYellow);
    return Answer;
  }
};

TEST(TcxCustomLookAndFeelPainterDrawing, HeaderBackgroundEventSuppressesTheFillOnlyWhenItAnswersTrue)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  for (const bool answer : {true, false}) {
    TDrawingBackgroundHandler handler{answer};
    TDrawingSurface s(40, 20);
    painter->DrawScaledHeader(s.Get(), {0, 0, 40, 20}, {0, 0, 40, 20}, {}, {}, cxbsNormal,
                              rtl::TAlignment::taLeftJustify, TcxAlignmentVert::vaTop, false, false, L"", nullptr,
                              clBlack, clRed, dxGetDefaultScaleFactor(),
                              TcxDrawBackgroundEvent::Bind<&TDrawingBackgroundHandler::Draw>(&handler));
    EXPECT_EQ(handler.Calls, 1);
    EXPECT_EQ(s.Pixel(20, 10), AsPixel(answer ? clYellow : clRed));
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, DisabledHeaderSectionTextIsEmbossed)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const auto count = [](const TDrawingSurface& ASurface, std::uint32_t AColor) {
    int result = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x)
        result += ASurface.Pixel(x, y) == AColor;
    return result;
  };
  const std::uint32_t shadow = AsPixel(ColorToRGB(clBtnShadow));
  const std::uint32_t highlight = AsPixel(ColorToRGB(clBtnHighlight));
  for (const TcxButtonState state : {cxbsNormal, cxbsDisabled}) {
    TDrawingSurface s(40, 20);
    s->FillRect({0, 0, 40, 20}, clBlack);
    painter->DrawHeaderControlSectionText(s.Get(), {0, 0, 40, 20}, state, rtl::TAlignment::taCenter,
                                          TcxAlignmentVert::vaCenter, false, false, L"HH", nullptr, clRed);
    const bool disabled = state == cxbsDisabled;
    EXPECT_EQ(count(s, AsPixel(clRed)) > 0, !disabled);
    EXPECT_EQ(count(s, shadow) > 0, disabled);
    EXPECT_EQ(count(s, highlight) > 0, disabled);
    EXPECT_EQ(s->GetBrush()->GetStyle(), TBrushStyle::bsSolid);
  }
}

TEST(TcxCustomLookAndFeelPainterDrawing, FooterSeparatorTakesTheTopRow)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(10, 20);
  painter->DrawFooterBorderEx(s.Get(), {0, 0, 10, 20}, {});
  EXPECT_EQ(s.Pixel(5, 0), AsPixel(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(s.Pixel(5, 1), kBackground);
}

TEST(TcxCustomLookAndFeelPainterDrawing, HotTokenKeepsItsFrame)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(30, 16);
  painter->DrawScaledTokenBackground(s.Get(), {0, 0, 30, 16}, cxbsHot, dxGetDefaultScaleFactor());
  EXPECT_EQ(s.Pixel(0, 8), AsPixel(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(s.Pixel(15, 8), AsPixel(ColorToRGB(clBtnFace)));
  TDrawingSurface normal(30, 16);
  painter->DrawScaledTokenBackground(normal.Get(), {0, 0, 30, 16}, cxbsNormal, dxGetDefaultScaleFactor());
  EXPECT_EQ(normal.Pixel(15, 8), kBackground);
}

TEST(TcxCustomLookAndFeelPainterDrawing, PinPartsByTheirShares)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(15, 15);
  // Pinned in 15 x 15: head 7 x 8 at x 4..10, bar 13 x 2 from row 7,
  // needle 1 x 8 from row 8 at x 7.
  painter->DrawPin(s.Get(), {0, 0, 15, 15}, clRed, true);
  const auto red = [&](int X, int Y) { return s.Pixel(X, Y) == AsPixel(clRed); };
  EXPECT_TRUE(red(4, 0) && red(10, 0) && red(4, 7));
  EXPECT_FALSE(red(5, 3));  // the left half of the head is only framed
  EXPECT_TRUE(red(8, 3));   // the right half is filled
  EXPECT_TRUE(red(1, 8) && red(13, 8));
  EXPECT_FALSE(red(0, 8) || red(14, 8) || red(1, 9));
  EXPECT_TRUE(red(7, 14));
  EXPECT_FALSE(red(6, 12));
}

TEST(TcxCustomLookAndFeelPainterDrawing, MessageBoxFillsWithTheGroupColourForNone)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  TDrawingSurface s(20, 20);
  painter->DrawMessageBox(s.Get(), {0, 0, 20, 20}, L"", nullptr, clNone);
  EXPECT_EQ(s.Pixel(0, 10), AsPixel(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(s.Pixel(10, 10), AsPixel(ColorToRGB(clBtnFace)));
}

TEST(TcxCustomLookAndFeelPainterDrawing, OnlyArrowIndicatorsAreMirroredRightToLeft)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const TRect r{0, 0, 12, 12};
  // The arrow glyph points right with its flat side at column 3.
  struct TCase {
    TcxIndicatorKind Kind;
    bool RightToLeft;
    TPoint Black;
  };
  const TCase cases[] = {
      {ikArrow, false, {3, 5}},
      {ikArrow, true, {8, 5}},
      {ikEdit, true, {2, 2}},
  };
  for (const TCase& c : cases) {
    TDrawingSurface s(12, 12);
    s->SetUseRightToLeftAlignment(c.RightToLeft);
    painter->DrawScaledIndicatorImage(s.Get(), r, c.Kind, dxGetDefaultScaleFactor());
    EXPECT_EQ(s.Pixel(c.Black.x, c.Black.y), 0u) << static_cast<int>(c.Kind) << c.RightToLeft;
    EXPECT_EQ(s.Pixel(0, 11), kBackground);  // white is transparent
  }
  TDrawingSurface none(12, 12);
  painter->DrawScaledIndicatorImage(none.Get(), r, ikNone, dxGetDefaultScaleFactor());
  EXPECT_EQ(none.Pixel(3, 5), kBackground);
  const TPoint size = painter->ScaledSummaryValueSortingMarkSize(NewDrawingFactor(3, 2).get());
  EXPECT_EQ(size.x, 18);
  EXPECT_EQ(size.y, 18);
}

// ---------------------------------------------------------------------------
// The glyph resources

BOOL CALLBACK CollectResourceName(HMODULE, LPCWSTR, LPWSTR AName, LONG_PTR AParam)
{
  return rtl::GuardCallback(FALSE, [&]() -> BOOL {
    if (!IS_INTRESOURCE(AName))
      reinterpret_cast<std::vector<std::wstring>*>(AParam)->push_back(AName);
    return TRUE;
  });
}

TEST(cxLookAndFeelPaintersResources, EveryNamedImageIsInTheModule)
{
  struct TCase {
    const wchar_t* Name;
    const wchar_t* Type;
  };
  const TCase cases[] = {
      {L"CX_BACKBUTTON", L"PNG"},
      {L"DX_SEARCHBUTTONGLYPH", L"PNG"},
      {L"CX_COMMANDLINKGLYPH", L"PNG"},
      {L"CX_CLOCKFACE", L"PNG"},
      {L"CX_CLOCKGLASS", L"PNG"},
      {L"CX_FIXEDGROUPINDICATOR", L"PNG"},
      {L"DX_MAPPUSHPIN", L"PNG"},
      {L"DX_NAVIGATIONBARCUSTOMIZATIONBUTTON", L"PNG"},
      {L"CX_RATINGCONTROLINDICATOR", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_FLAT16", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_FLAT48", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_NATIVE16", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_NATIVE48", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_OFFICE1116", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_OFFICE1148", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_STANDARD16", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_STANDARD48", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_ULTRAFLAT16", L"PNG"},
      {L"CX_LOOKANDFEELSTYLEICON_ULTRAFLAT48", L"PNG"},
      {L"DXSHADOWMASK", L"PNG"},
      {L"CX_SMARTTAG", L"SVG"},
  };
  // Presence by enumeration: Wine's name lookup compares lower-cased names
  // against the linker's upper-case order, so "DXSHADOWMASK" next to
  // "DX_..." names is in the module but FindResource misses it there.
  std::vector<std::wstring> names;
  for (const wchar_t* type : {L"PNG", L"SVG"})
    EnumResourceNamesW(GetModuleHandleW(nullptr), type, &CollectResourceName, reinterpret_cast<LONG_PTR>(&names));
  for (const TCase& c : cases) {
    EXPECT_NE(std::find(names.begin(), names.end(), c.Name), names.end()) << static_cast<int>(&c - cases);
    if (std::wstring(c.Type) != L"PNG" || !FindResourceW(GetModuleHandleW(nullptr), c.Name, c.Type))
      continue;
    const rtl::TOwnedPtr<TdxSmartImage> image(rtl::New<TdxSmartImage>());
    image->LoadFromResource(GetModuleHandleW(nullptr), c.Name, c.Type);
    EXPECT_GT(image->GetWidth(), 0) << static_cast<int>(&c - cases);
  }
  for (const wchar_t* name : {L"CX_ZOOMINBUTTONGLYPH", L"CX_ZOOMOUTBUTTONGLYPH"})
    EXPECT_NE(FindResourceW(GetModuleHandleW(nullptr), name, reinterpret_cast<LPCWSTR>(RT_BITMAP)), nullptr);
  EXPECT_EQ(cxGetIndicatorImages()->GetCount(), 8);
}

TEST(TcxCustomLookAndFeelPainterDrawing, StripGlyphsAreMeasuredByTheirFrames)
{
  const rtl::TOwnedPtr<TTestPainter> painter(rtl::New<TTestPainter>());
  const auto factor = NewDrawingFactor(2, 1);
  const TSize back = painter->GetScaledBackButtonSize(factor.get());
  const TSize search = painter->ScaledSearchButtonGlyphSize(factor.get());
  EXPECT_EQ(back.cx, 44);
  EXPECT_EQ(back.cy, 44);
  EXPECT_EQ(search.cx, 32);
  EXPECT_EQ(search.cy, 32);
  // The pressed frame of the back button is the third: its blue fill.
  TDrawingSurface s(22, 22);
  painter->DrawScaledBackButton(s.Get(), {0, 0, 22, 22}, cxbsPressed, dxGetDefaultScaleFactor());
  EXPECT_EQ(s.Pixel(11, 4), 0x286EBEu);
}

}  // namespace
