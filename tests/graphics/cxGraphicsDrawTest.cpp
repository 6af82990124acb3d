#include "graphics/cxGraphicsDraw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/dxCore.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"

using enum TcxImageDrawMode;
using enum TcxImageFitMode;
using enum vcl::TPixelFormat;

using namespace vcl;

namespace {

using TcxDrawTestPixels = std::vector<std::uint32_t>;

rtl::TOwnedPtr<TcxBitmap32> NewCleared32(int AWidth, int AHeight)
{
  return rtl::TOwnedPtr<TcxBitmap32>(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(AWidth, AHeight, true); }));
}

// Top-down pixels as 0xAARRGGBB.
TcxDrawTestPixels DrawPixelsOf(TcxBitmap32* ABitmap)
{
  TRGBColors colors;
  ABitmap->GetBitmapColors(colors);
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  TcxDrawTestPixels result(colors.size());
  for (int row = 0; row < height; ++row)
    std::memcpy(&result[static_cast<std::size_t>(row) * width],
                &colors[static_cast<std::size_t>(height - 1 - row) * width], sizeof(RGBQUAD) * width);
  return result;
}

void DrawSetPixels(TcxBitmap32* ABitmap, const TcxDrawTestPixels& APixels)
{
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  TRGBColors colors(APixels.size());
  for (int row = 0; row < height; ++row)
    std::memcpy(&colors[static_cast<std::size_t>(height - 1 - row) * width],
                &APixels[static_cast<std::size_t>(row) * width], sizeof(RGBQUAD) * width);
  ABitmap->SetBitmapColors(colors);
}

rtl::TOwnedPtr<TcxBitmap32> NewFilled32(int AWidth, int AHeight, std::uint32_t APixel)
{
  rtl::TOwnedPtr<TcxBitmap32> result = NewCleared32(AWidth, AHeight);
  DrawSetPixels(result.get(), TcxDrawTestPixels(static_cast<std::size_t>(AWidth) * AHeight, APixel));
  return result;
}

TColor PixelColor(TBitmap* ABitmap, int X, int Y)
{
  return ABitmap->GetCanvas()->GetPixel(X, Y);
}

int ChannelOf(std::uint32_t APixel, int AShift)
{
  return static_cast<int>(APixel >> AShift & 0xFF);
}

// Each of the four bytes within ATolerance.
::testing::AssertionResult PixelNear(std::uint32_t AActual, std::uint32_t AExpected, int ATolerance)
{
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(ChannelOf(AActual, shift) - ChannelOf(AExpected, shift)) > ATolerance) {
      char text[64];
      std::snprintf(text, sizeof(text), "%08X, expected %08X", AActual, AExpected);
      return ::testing::AssertionFailure() << text;
    }
  return ::testing::AssertionSuccess();
}

// Saves and restores the process-wide switches the routes depend on.
class TcxDrawTestRouteGuard {
 public:
  TcxDrawTestRouteGuard() : FBinding(cxMsImg32), FWow64(dxOSIsWow64), FWindows9x(dxOSIsWindows9x) {}
  ~TcxDrawTestRouteGuard()
  {
    cxMsImg32 = FBinding;
    dxOSIsWow64 = FWow64;
    dxOSIsWindows9x = FWindows9x;
  }
  TcxDrawTestRouteGuard(const TcxDrawTestRouteGuard&) = delete;
  TcxDrawTestRouteGuard& operator=(const TcxDrawTestRouteGuard&) = delete;

 private:
  TcxMsImg32Binding FBinding;
  bool FWow64;
  bool FWindows9x;
};

// ---------------------------------------------------------------------------
// Unit steps

TEST(cxGraphicsDraw, UnitStartBindsMsImg32AndReadsTheScreenDPI)
{
  EXPECT_NE(cxMsImg32.Library, nullptr);
  EXPECT_NE(cxMsImg32.AlphaBlend, nullptr);
  EXPECT_NE(cxMsImg32.GradientFill, nullptr);
  EXPECT_GT(cxGetScreenDPI(), 0);
  EXPECT_EQ(cxGetScreenPixelsPerInch().y, cxGetScreenDPI());
}

// ---------------------------------------------------------------------------
// Gradients

// The runs of equal colour along the middle row or column.
std::vector<std::pair<TColor, int>> ColorRuns(TBitmap* ABitmap, bool AHorizontal)
{
  std::vector<std::pair<TColor, int>> runs;
  const int extent = AHorizontal ? ABitmap->GetWidth() : ABitmap->GetHeight();
  for (int i = 0; i < extent; ++i) {
    const TColor color = AHorizontal ? PixelColor(ABitmap, i, ABitmap->GetHeight() / 2)
                                     : PixelColor(ABitmap, ABitmap->GetWidth() / 2, i);
    if (runs.empty() || runs.back().first != color)
      runs.push_back({color, 1});
    else
      ++runs.back().second;
  }
  return runs;
}

struct TcxDrawTestBandCase {
  const char* Name;
  int Width;
  int Height;
  bool Horizontal;
  TColor Color1;
  TColor Color2;
  int Bands;
};

TEST(cxGraphicsDraw, BandedGradientCountsAndEndColours)
{
  const TcxDrawTestBandCase cases[] = {
      {"1000 wide: at most 256 bands", 1000, 3, true, clBlack, clWhite, 256},
      {"10 wide: one band a pixel", 10, 3, true, clBlack, clWhite, 10},
      {"10 high, vertical", 3, 10, false, static_cast<TColor>(0x0000FF), static_cast<TColor>(0xFF0000), 10},
      {"256 wide", 256, 2, true, clBlack, clWhite, 256},
      {"2 wide: both colours", 2, 2, true, clRed, clBlue, 2},
      {"1 wide: the first colour, not a wrapped one", 1, 2, true, static_cast<TColor>(0x102030), clWhite, 1},
      {"1 high, vertical", 2, 1, false, clNavy, clYellow, 1},
  };
  for (const TcxDrawTestBandCase& item : cases) {
    const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewCleared32(item.Width, item.Height);
    cxGradientFillRectByBands(bitmap->GetCanvas()->GetHandle(), bitmap->GetClientRect(), item.Color1, item.Horizontal,
                              item.Color2);
    const auto runs = ColorRuns(bitmap.get(), item.Horizontal);
    ASSERT_EQ(static_cast<int>(runs.size()), item.Bands) << item.Name;
    EXPECT_EQ(runs.front().first, ColorToRGB(item.Color1)) << item.Name;
    if (item.Bands > 1) {
      EXPECT_EQ(runs.back().first, ColorToRGB(item.Color2)) << item.Name;
    }
  }
}

TEST(cxGraphicsDraw, BandedGradientLeavesNoGapsAndStaysInsideItsRectangle)
{
  // 300 pixels in 256 bands: bands of one or two pixels, none lost.
  const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewFilled32(310, 2, 0xFF00FF00);
  const TRect R{5, 0, 305, 2};
  cxGradientFillRectByBands(bitmap->GetCanvas()->GetHandle(), R, clBlack, true, clWhite);
  EXPECT_EQ(PixelColor(bitmap.get(), 4, 1), clLime);
  EXPECT_EQ(PixelColor(bitmap.get(), 305, 1), clLime);
  int widest = 0;
  for (const auto& run : ColorRuns(bitmap.get(), true))
    widest = std::max(widest, run.first == clLime ? 0 : run.second);
  EXPECT_LE(widest, 2);
  for (int x = 5; x < 305; ++x)
    EXPECT_NE(PixelColor(bitmap.get(), x, 1), clLime) << x;
}

TEST(cxGraphicsDraw, GradientColorAtMatchesTheDrawnBands)
{
  const struct {
    TRect R;
    bool Horizontal;
  } shapes[] = {{{3, 0, 13, 1}, true}, {{0, 0, 600, 1}, true}, {{0, 2, 1, 42}, false}, {{0, 0, 1, 1}, true}};
  for (const auto& shape : shapes) {
    const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewCleared32(shape.R.right, shape.R.bottom);
    cxGradientFillRectByBands(bitmap->GetCanvas()->GetHandle(), shape.R, clRed, shape.Horizontal, clTeal);
    const int first = shape.Horizontal ? shape.R.left : shape.R.top;
    const int last = shape.Horizontal ? shape.R.right : shape.R.bottom;
    for (int pos = first; pos < last; ++pos) {
      const TColor drawn = shape.Horizontal ? PixelColor(bitmap.get(), pos, shape.R.top)
                                            : PixelColor(bitmap.get(), shape.R.left, pos);
      const TColor computed = cxGradientColorAt(shape.R, pos, clRed, shape.Horizontal, clTeal);
      // Up to 256 pixels every pixel is a band; beyond, the position is
      // rounded to a band and may land on the neighbour of the drawn one.
      if (last - first <= 256) {
        ASSERT_EQ(computed, drawn) << pos;
      } else {
        ASSERT_TRUE(PixelNear(static_cast<std::uint32_t>(computed), static_cast<std::uint32_t>(drawn), 1)) << pos;
      }
    }
    // Outside the rectangle the end colours, never a wrapped channel.
    EXPECT_EQ(cxGradientColorAt(shape.R, first - 50, clRed, shape.Horizontal, clTeal), ColorToRGB(clRed));
    EXPECT_EQ(cxGradientColorAt(shape.R, last + 50, clRed, shape.Horizontal, clTeal),
              last - first > 1 ? ColorToRGB(clTeal) : ColorToRGB(clRed));
  }
}

// GradientFill's arguments, recorded by a stand-in.
struct TcxDrawTestGradientCall {
  int Calls;
  TRIVERTEX Vertices[2];
  ULONG Mode;
};
TcxDrawTestGradientCall GradientCall;

BOOL WINAPI RecordGradientFill(HDC, PTRIVERTEX AVertices, ULONG ACount, PVOID, ULONG, ULONG AMode)
{
  ++GradientCall.Calls;
  if (ACount == 2)
    std::memcpy(GradientCall.Vertices, AVertices, sizeof(GradientCall.Vertices));
  GradientCall.Mode = AMode;
  return TRUE;
}

TEST(cxGraphicsDraw, GradientFillRouteAndSolidFillForEqualColours)
{
  const TcxDrawTestRouteGuard guard;
  cxMsImg32.GradientFill = &RecordGradientFill;
  const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewCleared32(8, 8);
  const HDC dc = bitmap->GetCanvas()->GetHandle();

  GradientCall = {};
  cxGradientFillRect(dc, TRect{1, 2, 7, 8}, static_cast<TColor>(0x332211), true, static_cast<TColor>(0xCCBBAA));
  ASSERT_EQ(GradientCall.Calls, 1);
  EXPECT_EQ(GradientCall.Mode, static_cast<ULONG>(GRADIENT_FILL_RECT_H));
  const TRIVERTEX& v1 = GradientCall.Vertices[0];
  const TRIVERTEX& v2 = GradientCall.Vertices[1];
  EXPECT_EQ((std::vector<int>{v1.x, v1.y, v1.Red, v1.Green, v1.Blue, v1.Alpha}),
            (std::vector<int>{1, 2, 0x1100, 0x2200, 0x3300, 0}));
  EXPECT_EQ((std::vector<int>{v2.x, v2.y, v2.Red, v2.Green, v2.Blue, v2.Alpha}),
            (std::vector<int>{7, 8, 0xAA00, 0xBB00, 0xCC00, 0}));
  cxGradientFillRect(dc, TRect{0, 0, 8, 8}, clRed, false, clBlue);
  EXPECT_EQ(GradientCall.Mode, static_cast<ULONG>(GRADIENT_FILL_RECT_V));

  // A system colour and its own RGB are one colour: a solid fill.
  GradientCall = {};
  cxGradientFillRect(dc, TRect{0, 0, 8, 8}, clBtnFace, true, ColorToRGB(clBtnFace));
  EXPECT_EQ(GradientCall.Calls, 0);
  EXPECT_EQ(ColorRuns(bitmap.get(), true).size(), 1u);
  EXPECT_EQ(PixelColor(bitmap.get(), 7, 7), ColorToRGB(clBtnFace));

  // Without the function, the banding.
  cxMsImg32.GradientFill = nullptr;
  cxGradientFillRect(dc, TRect{0, 0, 8, 8}, clBlack, true, clWhite);
  EXPECT_EQ(ColorRuns(bitmap.get(), true).size(), 8u);
}

TEST(cxGraphicsDraw, WeightedGradientMovesTheMiddleColour)
{
  // Red channel from 0 to 200 over 11 pixels (half = 5).
  const TColor c1 = static_cast<TColor>(0x000000);
  const TColor c2 = static_cast<TColor>(0x0000C8);
  const struct {
    int Weight;
    int First;
    int Middle;
    int Last;
  } cases[] = {{100, 0, 100, 200}, {0, 0, 0, 200}, {200, 0, 200, 200}};
  for (const auto& item : cases) {
    const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewCleared32(11, 1);
    cxWeightedGradientFillRect(bitmap->GetCanvas()->GetHandle(), bitmap->GetClientRect(), c1, true, item.Weight, c2);
    EXPECT_EQ(PixelColor(bitmap.get(), 0, 0) & 0xFF, item.First) << item.Weight;
    EXPECT_EQ(PixelColor(bitmap.get(), 5, 0) & 0xFF, item.Middle) << item.Weight;
    EXPECT_EQ(PixelColor(bitmap.get(), 10, 0) & 0xFF, item.Last) << item.Weight;
    for (int x = 1; x < 11; ++x)
      EXPECT_GE(PixelColor(bitmap.get(), x, 0) & 0xFF, PixelColor(bitmap.get(), x - 1, 0) & 0xFF)
          << item.Weight << " at " << x;
  }
  // One pixel: the middle colour alone, and nothing for no extent.
  const rtl::TOwnedPtr<TcxBitmap32> one = NewFilled32(2, 1, 0xFF00FF00);
  cxWeightedGradientFillRect(one->GetCanvas()->GetHandle(), TRect{0, 0, 1, 1}, c1, true, 100, c2);
  cxWeightedGradientFillRect(one->GetCanvas()->GetHandle(), TRect{1, 0, 1, 1}, c1, true, 100, c2);
  EXPECT_EQ(PixelColor(one.get(), 0, 0), static_cast<TColor>(0x000064));
  EXPECT_EQ(PixelColor(one.get(), 1, 0), clLime);
}

// ---------------------------------------------------------------------------
// Image rectangles

TEST(cxGraphicsDraw, ImageRectByFitMode)
{
  const TRect R{0, 0, 100, 100};
  const struct {
    const char* Name;
    TRect Bounds;
    TSize Size;
    TcxImageFitMode Mode;
    int Percent;
    bool Center;
    TRect Expected;
  } cases[] = {
      {"fit never enlarges", R, {16, 16}, ifmFit, 100, true, {42, 42, 58, 58}},
      {"proportional stretch", R, {16, 16}, ifmProportionalStretch, 100, true, {0, 0, 100, 100}},
      {"normal at 150 percent, centred", R, {16, 16}, ifmNormal, 150, true, {38, 38, 62, 62}},
      {"normal at the top-left", R, {16, 16}, ifmNormal, 100, false, {0, 0, 16, 16}},
      {"stretch", R, {16, 8}, ifmStretch, 100, true, {0, 0, 100, 100}},
      {"proportional, wide image", R, {40, 20}, ifmProportionalStretch, 100, true, {0, 25, 100, 75}},
      {"proportional, tall image", R, {20, 40}, ifmProportionalStretch, 100, false, {0, 0, 50, 100}},
      {"fit shrinks a big image", R, {400, 200}, ifmFit, 100, true, {0, 25, 100, 75}},
      {"fill covers", R, {40, 20}, ifmFill, 100, true, {-50, 0, 150, 100}},
      {"a third scales back whole", {0, 0, 10, 10}, {3, 3}, ifmProportionalStretch, 100, true, {0, 0, 10, 10}},
      {"a seventh scales back whole", {0, 0, 100, 100}, {7, 7}, ifmProportionalStretch, 100, true, {0, 0, 100, 100}},
      {"empty size leaves R", R, {0, 16}, ifmStretch, 100, true, R},
  };
  for (const auto& item : cases) {
    const TRect result = cxGetImageRect(item.Bounds, item.Size, item.Mode, item.Percent, item.Center);
    EXPECT_EQ((std::vector<LONG>{result.left, result.top, result.right, result.bottom}),
              (std::vector<LONG>{item.Expected.left, item.Expected.top, item.Expected.right, item.Expected.bottom}))
        << item.Name;
  }
}

// ---------------------------------------------------------------------------
// Resampling

// The Lanczos weights of a fractional position do not sum to exactly 256,
// so a plain image may come out a few steps darker.
TEST(cxGraphicsDraw, OwnFilterKeepsAPlainImagePlain)
{
  const struct {
    TSize Source;
    TSize Dest;
  } cases[] = {{{1, 1}, {10, 10}}, {{1, 4}, {10, 4}}, {{2, 2}, {9, 9}}, {{3, 5}, {12, 2}}, {{40, 40}, {7, 7}}};
  for (const auto& item : cases) {
    const rtl::TOwnedPtr<TcxBitmap32> source = NewFilled32(item.Source.cx, item.Source.cy, 0xFF4080C0);
    const rtl::TOwnedPtr<TcxBitmap32> dest = NewCleared32(item.Dest.cx, item.Dest.cy);
    cxSmoothResizeBitmap(source.get(), dest.get(), true);
    for (std::uint32_t pixel : DrawPixelsOf(dest.get()))
      ASSERT_TRUE(PixelNear(pixel, 0xFF4080C0, 4)) << item.Source.cx << "x" << item.Source.cy;
  }
}

TEST(cxGraphicsDraw, OwnFilterInterpolatesBetweenTwoPixels)
{
  // Scale (10 - 1) / (2 - 1): the ends keep the source pixels exactly.
  const rtl::TOwnedPtr<TcxBitmap32> source = NewCleared32(2, 1);
  DrawSetPixels(source.get(), {0xFF000000, 0xFFC8C8C8});
  const rtl::TOwnedPtr<TcxBitmap32> dest = NewCleared32(10, 1);
  cxSmoothResizeBitmap(source.get(), dest.get(), true);
  const TcxDrawTestPixels pixels = DrawPixelsOf(dest.get());
  EXPECT_TRUE(PixelNear(pixels.front(), 0xFF000000, 1));
  EXPECT_TRUE(PixelNear(pixels.back(), 0xFFC8C8C8, 1));
  EXPECT_GT(ChannelOf(pixels[5], 0), ChannelOf(pixels[4], 0));
}

// ---------------------------------------------------------------------------
// Alpha blending

struct TcxDrawTestRoute {
  const char* Name;
  bool Wow64;
  bool Windows9x;
  bool AlphaBlendBound;
};

constexpr TcxDrawTestRoute BlendRoutes[] = {
    {"system AlphaBlend", false, false, true},
    {"own code with AlphaBlend (Windows 9x)", false, true, true},
    {"own code without AlphaBlend", false, false, false},
    {"2-D graphics library (WoW64)", true, false, true},
};

void SelectRoute(const TcxDrawTestRoute& ARoute, const TcxMsImg32Binding& ABinding)
{
  dxOSIsWow64 = ARoute.Wow64;
  dxOSIsWindows9x = ARoute.Windows9x;
  cxMsImg32.AlphaBlend = ARoute.AlphaBlendBound ? ABinding.AlphaBlend : nullptr;
}

TEST(cxGraphicsDraw, AlphaBlendRoutesAgreeOnKnownPixels)
{
  const TcxDrawTestRouteGuard guard;
  const TcxMsImg32Binding binding = cxMsImg32;
  // Premultiplied: opaque red, half-transparent green, nothing.
  const TcxDrawTestPixels source = {0xFFFF0000, 0x80008000, 0x00000000};
  const struct {
    std::uint8_t ConstantAlpha;
    TcxDrawTestPixels Expected;
  } cases[] = {
      {255, {0xFFFF0000, 0xFF7FFF7F, 0xFFFFFFFF}},
      {128, {0xFFFF7F7F, 0xFFBFFFBF, 0xFFFFFFFF}},
  };
  for (const TcxDrawTestRoute& route : BlendRoutes) {
    if (route.Wow64) {
      ASSERT_TRUE(dxGpIsAvailable()) << "the WoW64 route needs the 2-D graphics library";
    }
    for (const auto& item : cases) {
      SelectRoute(route, binding);
      const rtl::TOwnedPtr<TcxBitmap32> src = NewCleared32(3, 1);
      DrawSetPixels(src.get(), source);
      const rtl::TOwnedPtr<TcxBitmap32> dest = NewFilled32(5, 1, 0xFFFFFFFF);
      cxAlphaBlend(dest.get(), src.get(), TRect{1, 0, 4, 1}, src->GetClientRect(), false, item.ConstantAlpha);
      const TcxDrawTestPixels result = DrawPixelsOf(dest.get());
      EXPECT_TRUE(PixelNear(result[0], 0xFFFFFFFF, 0)) << route.Name << ": left of the rectangle";
      EXPECT_TRUE(PixelNear(result[4], 0xFFFFFFFF, 0)) << route.Name << ": right of the rectangle";
      for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(PixelNear(result[i + 1] | 0xFF000000, item.Expected[i], 2))
            << route.Name << ", alpha " << int{item.ConstantAlpha} << ", pixel " << i;
    }
  }
}

TEST(cxGraphicsDraw, AlphaBlendScalesOnEveryRoute)
{
  const TcxDrawTestRouteGuard guard;
  const TcxMsImg32Binding binding = cxMsImg32;
  for (const TcxDrawTestRoute& route : BlendRoutes)
    for (bool smooth : {false, true}) {
      SelectRoute(route, binding);
      const rtl::TOwnedPtr<TcxBitmap32> src = NewFilled32(2, 2, 0xFF2040F0);
      const rtl::TOwnedPtr<TcxBitmap32> dest = NewFilled32(10, 10, 0xFFFFFFFF);
      cxAlphaBlend(dest.get(), src.get(), TRect{1, 1, 9, 9}, src->GetClientRect(), smooth, 255);
      const TcxDrawTestPixels result = DrawPixelsOf(dest.get());
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
          const bool inside = x >= 1 && x < 9 && y >= 1 && y < 9;
          ASSERT_TRUE(PixelNear(result[y * 10 + x] | 0xFF000000, inside ? 0xFF2040F0 : 0xFFFFFFFF, 3))
              << route.Name << (smooth ? ", smooth" : "") << " at " << x << "," << y;
        }
    }
}

TEST(cxGraphicsDraw, AlphaBlendOfEmptyRectanglesDrawsNothing)
{
  const rtl::TOwnedPtr<TcxBitmap32> src = NewFilled32(2, 2, 0xFF000000);
  const rtl::TOwnedPtr<TcxBitmap32> dest = NewFilled32(4, 4, 0xFFFFFFFF);
  cxAlphaBlend(dest.get(), src.get(), TRect{0, 0, 0, 4}, src->GetClientRect());
  cxAlphaBlend(dest.get(), src.get(), TRect{0, 0, 4, 4}, TRect{1, 1, 1, 2});
  src->AlphaBlend(dest.get(), TRect{2, 2, 2, 2}, false);
  for (std::uint32_t pixel : DrawPixelsOf(dest.get()))
    EXPECT_EQ(pixel, 0xFFFFFFFFu);
  src->AlphaBlend(dest.get(), TRect{2, 2, 4, 4}, false);
  EXPECT_EQ(DrawPixelsOf(dest.get())[15], 0xFF000000u);
}

// ---------------------------------------------------------------------------
// Image drawing

// A 4 x 4 24-bit glyph: red top-left 2 x 2, the rest fuchsia, which the
// bottom-left pixel makes transparent.
rtl::TOwnedPtr<TBitmap> NewTestGlyph()
{
  rtl::TOwnedPtr<TBitmap> glyph(rtl::New<TBitmap>());
  glyph->SetPixelFormat(pf24bit);
  glyph->SetSize(4, 4);
  TCanvas* canvas = glyph->GetCanvas();
  canvas->GetBrush()->SetColor(clFuchsia);
  canvas->FillRect(TRect{0, 0, 4, 4});
  canvas->GetBrush()->SetColor(clRed);
  canvas->FillRect(TRect{0, 0, 2, 2});
  return glyph;
}

// The glyph drawn in the middle of an 8 x 8 background: its pixels land at
// (2, 2)..(5, 5).
rtl::TOwnedPtr<TcxBitmap32> DrawTestGlyph(TGraphic* AGlyph, TcxImageDrawMode AMode, std::uint32_t ABackground)
{
  rtl::TOwnedPtr<TcxBitmap32> target = NewFilled32(8, 8, ABackground);
  cxDrawImage(target->GetcxCanvas(), target->GetClientRect(), AGlyph, false, nullptr, nullptr, true, AMode, ifmNormal);
  return target;
}

std::uint32_t PixelAt(TcxBitmap32* ABitmap, int X, int Y)
{
  return DrawPixelsOf(ABitmap)[static_cast<std::size_t>(Y) * ABitmap->GetWidth() + X] | 0xFF000000;
}

TEST(cxGraphicsDraw, DrawModesOnAMaskedGlyph)
{
  const rtl::TOwnedPtr<TBitmap> glyph = NewTestGlyph();
  const std::uint32_t white = 0xFFFFFFFF;
  const std::uint32_t shadow = 0xFF000000 | dxSwapRedAndBlue(static_cast<std::uint32_t>(ColorToRGB(clBtnShadow)));

  const rtl::TOwnedPtr<TcxBitmap32> normal = DrawTestGlyph(glyph.get(), idmNormal, white);
  EXPECT_TRUE(PixelNear(PixelAt(normal.get(), 2, 2), 0xFFFF0000, 0));
  EXPECT_TRUE(PixelNear(PixelAt(normal.get(), 3, 3), 0xFFFF0000, 0));
  EXPECT_TRUE(PixelNear(PixelAt(normal.get(), 4, 4), white, 0)) << "transparent glyph pixel";
  EXPECT_TRUE(PixelNear(PixelAt(normal.get(), 0, 0), white, 0)) << "outside the glyph";

  const rtl::TOwnedPtr<TcxBitmap32> grey = DrawTestGlyph(glyph.get(), idmGrayScale, white);
  EXPECT_TRUE(PixelNear(PixelAt(grey.get(), 2, 2), 0xFF555555, 0));
  EXPECT_TRUE(PixelNear(PixelAt(grey.get(), 4, 4), white, 0));

  const rtl::TOwnedPtr<TcxBitmap32> dingy = DrawTestGlyph(glyph.get(), idmDingy, white);
  EXPECT_TRUE(PixelNear(PixelAt(dingy.get(), 2, 2), 0xFFFF4D4D, 0));

  // Faded: the weighted grey of red (76) at constant alpha 64 over white.
  const rtl::TOwnedPtr<TcxBitmap32> faded = DrawTestGlyph(glyph.get(), idmFaded, white);
  EXPECT_TRUE(PixelNear(PixelAt(faded.get(), 2, 2), 0xFFD2D2D2, 2));
  EXPECT_TRUE(PixelNear(PixelAt(faded.get(), 4, 4), white, 0));

  // Disabled without alpha: dirty grey with a highlight shadow one pixel
  // down and right, the transparent rest untouched.
  const rtl::TOwnedPtr<TcxBitmap32> disabled = DrawTestGlyph(glyph.get(), idmDisabled, white);
  const std::uint32_t dirty = PixelAt(disabled.get(), 2, 2);
  EXPECT_FALSE(PixelNear(dirty, 0xFFFF0000, 40));
  EXPECT_LE(std::abs(ChannelOf(dirty, 16) - ChannelOf(dirty, 0)), 40) << "greyish";
  EXPECT_TRUE(PixelNear(PixelAt(disabled.get(), 5, 5), white, 0));
  EXPECT_TRUE(PixelNear(PixelAt(disabled.get(), 4, 4), 0xFF000000 | dxSwapRedAndBlue(ColorToRGB(clBtnHighlight)), 0));

  // Shadowed: the glyph one pixel up and left, its shadow two pixels down
  // and right of it.
  const rtl::TOwnedPtr<TcxBitmap32> shadowed = DrawTestGlyph(glyph.get(), idmShadowed, white);
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 1, 1), 0xFFFF0000, 0));
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 2, 2), 0xFFFF0000, 0));
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 3, 3), shadow, 0));
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 4, 4), shadow, 0));
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 5, 5), white, 0));
  EXPECT_TRUE(PixelNear(PixelAt(shadowed.get(), 3, 1), white, 0));
}

TEST(cxGraphicsDraw, ConstantAlphaOfTheDrawModesOnAnAlphaGlyph)
{
  // 32-bit glyph with alpha: opaque blue pixels and transparent ones. The
  // same draw over black and over white differs by 255 - alpha.
  const rtl::TOwnedPtr<TcxBitmap32> glyph = NewCleared32(4, 4);
  TcxDrawTestPixels pixels(16, 0);
  pixels[0] = pixels[1] = pixels[4] = pixels[5] = 0xFF0000FF;
  DrawSetPixels(glyph.get(), pixels);
  const struct {
    TcxImageDrawMode Mode;
    int Difference;
  } cases[] = {{idmNormal, 0}, {idmDisabled, 104}, {idmFaded, 191}, {idmGrayScale, 0}};
  for (const auto& item : cases) {
    const rtl::TOwnedPtr<TcxBitmap32> overBlack = DrawTestGlyph(glyph.get(), item.Mode, 0xFF000000);
    const rtl::TOwnedPtr<TcxBitmap32> overWhite = DrawTestGlyph(glyph.get(), item.Mode, 0xFFFFFFFF);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(ChannelOf(PixelAt(overWhite.get(), 2, 2), shift) - ChannelOf(PixelAt(overBlack.get(), 2, 2), shift),
                  item.Difference, 2)
          << "mode " << int{item.Mode} << ", shift " << shift;
    EXPECT_EQ(PixelAt(overWhite.get(), 5, 5), 0xFFFFFFFFu) << "transparent pixel, mode " << int{item.Mode};
  }
}

TEST(cxGraphicsDraw, UnassignedGlyphsDrawNothing)
{
  const rtl::TOwnedPtr<TBitmap> empty(rtl::New<TBitmap>());
  for (TGraphic* glyph : {static_cast<TGraphic*>(nullptr), static_cast<TGraphic*>(empty.get())}) {
    const rtl::TOwnedPtr<TcxBitmap32> target = DrawTestGlyph(glyph, idmNormal, 0xFF123456);
    for (std::uint32_t pixel : DrawPixelsOf(target.get()))
      ASSERT_EQ(pixel, 0xFF123456u);
  }
}

TEST(cxGraphicsDraw, DrawImageWithTheEnabledFlag)
{
  const rtl::TOwnedPtr<TBitmap> glyph = NewTestGlyph();
  const rtl::TOwnedPtr<TcxBitmap32> enabled = NewFilled32(8, 8, 0xFFFFFFFF);
  cxDrawImage(enabled->GetcxCanvas(), enabled->GetClientRect(), glyph.get(), nullptr, nullptr, true);
  EXPECT_EQ(PixelAt(enabled.get(), 2, 2), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(enabled.get(), 5, 5), 0xFFFFFFFFu);
  const rtl::TOwnedPtr<TcxBitmap32> disabled = NewFilled32(8, 8, 0xFFFFFFFF);
  cxDrawImage(disabled->GetcxCanvas(), disabled->GetClientRect(), glyph.get(), nullptr, nullptr, false);
  EXPECT_EQ(PixelAt(disabled.get(), 2, 2), PixelAt(DrawTestGlyph(glyph.get(), idmDisabled, 0xFFFFFFFF).get(), 2, 2));
}

TEST(cxGraphicsDraw, StretchedGlyphFillsTheRectangle)
{
  const rtl::TOwnedPtr<TBitmap> glyph = NewTestGlyph();
  const rtl::TOwnedPtr<TcxBitmap32> target = NewFilled32(8, 8, 0xFFFFFFFF);
  cxDrawImage(target->GetcxCanvas(), target->GetClientRect(), glyph.get(), false, nullptr, nullptr, true, idmNormal,
              ifmStretch);
  EXPECT_EQ(PixelAt(target.get(), 0, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(target.get(), 3, 3), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(target.get(), 4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(target.get(), 7, 7), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------
// Bitmaps and regions

TEST(cxGraphicsDraw, RegionFromBitmapCoversTheOpaqueRuns)
{
  const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewCleared32(5, 3);
  // Transparent white; alpha plays no part.
  const std::uint32_t w = 0xFFFFFFFF;
  const std::uint32_t k = 0x00FFFFFF;
  const std::uint32_t r = 0xFFFF0000;
  DrawSetPixels(bitmap.get(), {w, r, r, w, r, k, k, k, w, w, r, r, r, r, r});
  TOwnedRegion region(cxCreateRegionFromBitmap(bitmap.get(), clWhite));
  ASSERT_TRUE(region.Get());
  const std::string expected = ".xx.x"
                               "....."
                               "xxxxx";
  std::string actual;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      actual += PtInRegion(region.Get(), x, y) ? 'x' : '.';
  EXPECT_EQ(actual, expected);

  const rtl::TOwnedPtr<TcxBitmap32> blank = NewFilled32(3, 3, 0x00FFFFFF);
  EXPECT_EQ(cxCreateRegionFromBitmap(blank.get(), clWhite), nullptr);
}

TEST(cxGraphicsDraw, FitBitmapToSize)
{
  // Unscaled and centred over the background colour.
  const rtl::TOwnedPtr<TcxBitmap32> centred = NewFilled32(2, 2, 0xFFFF0000);
  cxFitBitmapToSize(centred.get(), 4, 6, clLime, false, false);
  ASSERT_EQ(centred->GetWidth(), 4);
  ASSERT_EQ(centred->GetHeight(), 6);
  EXPECT_EQ(PixelAt(centred.get(), 1, 2), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(centred.get(), 2, 3), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(centred.get(), 0, 0), 0xFF00FF00u);
  EXPECT_EQ(PixelAt(centred.get(), 3, 5), 0xFF00FF00u);

  // Stretched over the whole new area.
  const rtl::TOwnedPtr<TcxBitmap32> stretched = NewFilled32(2, 2, 0xFFFF0000);
  cxFitBitmapToSize(stretched.get(), 6, 6, clLime, true, true);
  for (std::uint32_t pixel : DrawPixelsOf(stretched.get()))
    ASSERT_TRUE(PixelNear(pixel, 0xFFFF0000, 4));
}

TEST(cxGraphicsDraw, HatchRectBlendsChecksOverTheDC)
{
  const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewFilled32(6, 2, 0xFFFFFFFF);
  cxDrawHatchRect(bitmap->GetCanvas()->GetHandle(), TRect{1, 0, 5, 2}, clBlack, 2, 255, 0, clRed);
  // Checks of two pixels: black, then the red one at alpha 0 (unchanged).
  EXPECT_EQ(PixelColor(bitmap.get(), 0, 0), clWhite);
  EXPECT_EQ(PixelColor(bitmap.get(), 1, 0), clBlack);
  EXPECT_EQ(PixelColor(bitmap.get(), 2, 0), clBlack);
  EXPECT_EQ(PixelColor(bitmap.get(), 3, 0), clWhite);
  EXPECT_EQ(PixelColor(bitmap.get(), 5, 0), clWhite);
}

}  // namespace

namespace {

TEST(cxGraphicsDraw, DesignSelectorFillsFramesAndLeavesTheClip)
{
  const rtl::TOwnedPtr<TcxBitmap32> bitmap = NewFilled32(12, 12, 0xFFFFFFFF);
  TcxCanvas* canvas = bitmap->GetcxCanvas();
  const TRect R{2, 2, 8, 8};
  cxDrawDesignSelector(canvas, R, 0x80);  // the low seven bits choose green
  const TColor green = static_cast<TColor>(0xA0FFA0);
  EXPECT_EQ(PixelColor(bitmap.get(), 2, 2), cxDimColor(green, 50)) << "frame";
  EXPECT_EQ(PixelColor(bitmap.get(), 7, 5), cxDimColor(green, 50)) << "frame";
  // The diagonals run where x - y is R.right - R.top less a multiple of 3.
  EXPECT_EQ(PixelColor(bitmap.get(), 4, 6), green) << "inside, off the diagonals";
  EXPECT_EQ(PixelColor(bitmap.get(), 3, 6), cxDimColor(green, 75)) << "on a diagonal";
  EXPECT_EQ(PixelColor(bitmap.get(), 8, 8), ColorToRGB(clBtnShadow)) << "shadow";
  EXPECT_EQ(PixelColor(bitmap.get(), 1, 1), clWhite);
  // Both squares have left the clip: a fill over everything spares them.
  canvas->FillRect(bitmap->GetClientRect(), clBlack);
  EXPECT_EQ(PixelColor(bitmap.get(), 4, 6), green);
  EXPECT_EQ(PixelColor(bitmap.get(), 8, 8), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelColor(bitmap.get(), 1, 1), clBlack);

  const rtl::TOwnedPtr<TcxBitmap32> red = NewFilled32(12, 12, 0xFFFFFFFF);
  cxDrawDesignSelector(red->GetcxCanvas(), R, 1);
  EXPECT_EQ(PixelColor(red.get(), 4, 6), static_cast<TColor>(0x9090FF));
}

TEST(cxGraphicsDraw, BitmapCopies)
{
  const rtl::TOwnedPtr<TcxBitmap32> source = NewCleared32(3, 2);
  const TcxDrawTestPixels pixels = {0x80102030, 0xFF405060, 0x00000000, 0x11111111, 0x22222222, 0x33333333};
  DrawSetPixels(source.get(), pixels);

  // A handle copy is a DIB section with every byte, alpha included.
  const TOwnedBitmap copy(cxCopyBitmapHandle(source->GetHandle()));
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(copy.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  const rtl::TOwnedPtr<TcxBitmap32> back = NewCleared32(1, 1);
  back->SetHandle(cxCopyBitmapHandle(copy.Get()));
  EXPECT_EQ(DrawPixelsOf(back.get()), pixels);

  // A bitmap graphic becomes a TcxBitmap of its own format and pixels.
  const rtl::TOwnedPtr<TcxBitmap> converted(cxGraphicToBitmap(source.get()));
  ASSERT_TRUE(converted);
  EXPECT_EQ(converted->GetPixelFormat(), pf32bit);
  EXPECT_EQ(PixelColor(converted.get(), 1, 0), static_cast<TColor>(0x605040));
  EXPECT_EQ(cxGraphicToBitmap(nullptr), nullptr);

  // Copying to a DC takes the source offset.
  const rtl::TOwnedPtr<TcxBitmap32> target = NewFilled32(4, 4, 0xFFFFFFFF);
  cxCopyBitmapToDC(target->GetCanvas()->GetHandle(), source.get(), TRect{0, 0, 2, 1}, SRCCOPY, TPoint{1, 1});
  EXPECT_EQ(DrawPixelsOf(target.get())[0], 0x22222222u);
  EXPECT_EQ(DrawPixelsOf(target.get())[1], 0x33333333u);
  EXPECT_EQ(DrawPixelsOf(target.get())[2], 0xFFFFFFFFu);
}

TEST(cxGraphicsDraw, ImageSizesFollowTheImagesSourceDPI)
{
  rtl::TOwnedPtr<TBitmap> plain(rtl::New<TBitmap>());
  // A glyph drawn for twice the standard DPI, as high-resolution glyphs are.
  rtl::TOwnedPtr<TdxSmartGlyph> hiDpi(rtl::New<TdxSmartGlyph>());
  plain->SetSize(32, 16);
  hiDpi->LoadFromBits(32, 16, TRGBColors(32 * 16), false);
  hiDpi->SetSourceDPI(192);
  EXPECT_EQ(cxGetSourceDPI(plain.get()), 96);
  EXPECT_EQ(cxGetSourceDPI(hiDpi.get()), 192);
  EXPECT_EQ(cxGetSourceDPI(nullptr), 96);

  rtl::TOwnedPtr<TdxScaleFactor> factor(rtl::New<TdxScaleFactor>());
  factor->Assign(3, 2, false);
  const TSize plainSize = cxGetImageSize(plain.get(), factor.get());
  const TSize hiDpiSize = cxGetImageSize(hiDpi.get(), factor.get());
  EXPECT_EQ(plainSize.cx, 48);
  EXPECT_EQ(plainSize.cy, 24);
  EXPECT_EQ(hiDpiSize.cx, 24);
  EXPECT_EQ(hiDpiSize.cy, 12);
  const TSize unscaled = cxGetImageSize(hiDpi.get(), nullptr);
  EXPECT_EQ(unscaled.cx, 16);
  EXPECT_EQ(unscaled.cy, 8);
}

}  // namespace
