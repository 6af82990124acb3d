#include "graphics/cxGraphicsColors.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vcl;

namespace {

struct THSLCase {
  TColor Color;
  double H;
  double S;
  double L;
};

TEST(cxGraphicsColors, ColorToHSLTable)
{
  const THSLCase cases[] = {
      {clRed, 0, 1, 0.5},
      {clLime, 1.0 / 3, 1, 0.5},
      {clBlue, 2.0 / 3, 1, 0.5},
      // Red is the maximum and blue ties with it: the red formula runs and
      // the negative hue wraps.
      {clFuchsia, 5.0 / 6, 1, 0.5},
      {clGray, 0, 0, 128 / 255.0},
      {clWhite, 0, 0, 1},
      {clBlack, 0, 0, 0},
      {static_cast<TColor>(RGB(255, 128, 128)), 0, 1, (255 + 128) / 510.0},
      {clNone, 0, 0, 0},
      {clDefault, 0, 0, 0},
  };
  for (const THSLCase& item : cases) {
    const TdxHSL hsl = TdxColorSpaceConverter::ColorToHSL(item.Color);
    EXPECT_NEAR(hsl.H, item.H, 1e-9) << std::hex << item.Color;
    EXPECT_NEAR(hsl.S, item.S, 1e-9) << std::hex << item.Color;
    EXPECT_NEAR(hsl.L, item.L, 1e-9) << std::hex << item.Color;
  }
}

struct THSVCase {
  TColor Color;
  double H;
  double S;
  double V;
};

TEST(cxGraphicsColors, ColorToHSVTable)
{
  const THSVCase cases[] = {
      {clBlue, 240, 1, 1},
      {clRed, 0, 1, 1},
      {clLime, 120, 1, 1},
      {clYellow, 60, 1, 1},
      // Just below a full turn: never 360.
      {static_cast<TColor>(RGB(255, 0, 1)), 360 - 60 / 255.0, 1, 1},
      {static_cast<TColor>(RGB(100, 50, 0)), 30, 1, 100 / 255.0},
      {clGray, 0, 0, 128 / 255.0},
      {clBlack, 0, 0, 0},
      {clNone, 0, 0, 0},
  };
  for (const THSVCase& item : cases) {
    const TdxHSV hsv = cxColorToHSV(item.Color);
    EXPECT_NEAR(hsv.H, item.H, 1e-9) << std::hex << item.Color;
    EXPECT_NEAR(hsv.S, item.S, 1e-9) << std::hex << item.Color;
    EXPECT_NEAR(hsv.V, item.V, 1e-9) << std::hex << item.Color;
    EXPECT_LT(hsv.H, 360);
  }
}

TEST(cxGraphicsColors, ConversionsRoundTripEveryChannelStep)
{
  // Every colour on a coarse grid comes back unchanged through both spaces.
  for (int r = 0; r <= 255; r += 17)
    for (int g = 0; g <= 255; g += 51)
      for (int b = 0; b <= 255; b += 15) {
        const TColor color = RGB(r, g, b);
        EXPECT_EQ(TdxColorSpaceConverter::HSLToColor(TdxColorSpaceConverter::ColorToHSL(color)), color)
            << r << "," << g << "," << b;
        EXPECT_EQ(cxHSVToColor(cxColorToHSV(color)), color) << r << "," << g << "," << b;
      }
}

TEST(cxGraphicsColors, HSLAndHSVToColorTable)
{
  struct TCase {
    TColor FromHSL;
    TColor Expected;
  };
  const TCase cases[] = {
      // L, S, H
      {TdxColorSpaceConverter::HSLToColor(0.5, 0, 0.7), static_cast<TColor>(RGB(128, 128, 128))},
      {TdxColorSpaceConverter::HSLToColor(0.5, 1, 0), clRed},
      {TdxColorSpaceConverter::HSLToColor(0.25, 1, 0.5), static_cast<TColor>(RGB(0, 128, 128))},
      // A hue beyond 1 wraps around.
      {TdxColorSpaceConverter::HSLToColor(0.5, 1, 1 + 1.0 / 3), clLime},
      // V, S, H; halves round to even: 0.5 x 255 = 127.5 gives 128.
      {TdxColorSpaceConverter::HSVToColor(0.5, 0, 200), static_cast<TColor>(RGB(128, 128, 128))},
      {TdxColorSpaceConverter::HSVToColor(1, 1, 120), clLime},
      {TdxColorSpaceConverter::HSVToColor(1, 1, 300), clFuchsia},
      {TdxColorSpaceConverter::HSVToColor(1, 0.5, 30), static_cast<TColor>(RGB(255, 191, 128))},
  };
  for (const TCase& item : cases)
    EXPECT_EQ(item.FromHSL, item.Expected);
}

TEST(cxGraphicsColors, ChangeColorBrightness)
{
  const TColor colors[] = {clRed, static_cast<TColor>(0xCEA27D), clGray, clBlack, clWhite, clBtnFace};
  for (TColor color : colors) {
    EXPECT_EQ(cxChangeColorBrightness(color, 100), clWhite) << std::hex << color;
    EXPECT_EQ(cxChangeColorBrightness(color, -100), clBlack) << std::hex << color;
    EXPECT_EQ(cxChangeColorBrightness(color, 0), ColorToRGB(color)) << std::hex << color;
  }
  // Halfway up: V 0.5 -> 0.75, S 1 -> 0.5.
  EXPECT_EQ(cxChangeColorBrightness(static_cast<TColor>(RGB(128, 0, 0)), 50), cxHSVToColor({0, 0.5, 0.75}));
}

TEST(cxGraphicsColors, ChannelRoutinesTable)
{
  struct TCase {
    TColor Actual;
    TColor Expected;
  };
  const TCase cases[] = {
      // 255 x 50 / 100 = 127.5 truncates.
      {cxDimColor(RGB(64, 255, 128), 50), static_cast<TColor>(RGB(32, 127, 64))},
      {cxDimColor(clWhite, 0), clBlack},
      {cxTintColor(RGB(0, 100, 255), 40), static_cast<TColor>(RGB(153, 193, 255))},
      {cxTintColor(RGB(10, 20, 30), 100), static_cast<TColor>(RGB(10, 20, 30))},
      {cxInvertColor(RGB(1, 2, 3)), static_cast<TColor>(RGB(254, 253, 252))},
      {cxInvertColor(clWindow), ColorToRGB(clWindow) ^ 0xFFFFFF},
      // 25 % of the first: MulDiv rounds halves away from zero.
      {cxBlendColors(RGB(200, 100, 0), RGB(0, 100, 200), 25), static_cast<TColor>(RGB(50, 100, 150))},
      {cxBlendColors(RGB(200, 100, 0), RGB(0, 100, 200), 33), static_cast<TColor>(RGB(66, 100, 134))},
      {cxBlendColors(clWhite, clWhite, 60), clWhite},
      // Percentages outside 0..100 clamp per channel instead of wrapping.
      {cxBlendColors(clWhite, clBlack, 150), clWhite},
      {cxBlendColors(clBlack, clWhite, 150), clBlack},
      {cxGetActualColor(clDefault, clRed), clRed},
      {cxGetActualColor(clNone, clRed), clNone},
      {cxGetActualColor(clBlue, clRed), clBlue},
  };
  for (const TCase& item : cases)
    EXPECT_EQ(item.Actual, item.Expected);
  EXPECT_FALSE(cxIsColorAssigned(clNone));
  EXPECT_FALSE(cxIsColorAssigned(clDefault));
  EXPECT_TRUE(cxIsColorAssigned(clBlack));
  TColor a = clRed;
  TColor b = clBlue;
  cxSwapColors(a, b);
  EXPECT_EQ(a, clBlue);
  EXPECT_EQ(b, clRed);
}

TEST(cxGraphicsColors, WeightedSystemBlendTable)
{
  struct TCase {
    TColor Face;
    TColor Highlight;
    TColor Window;
    int Weights[3];
    TColor Expected;
  };
  const TColor face = RGB(240, 240, 240);
  const TColor highlight = RGB(0, 120, 215);
  const TCase cases[] = {
      // The light selection mix: -4.8 rounds to -5, 183.6 to 184, 64.5 to 65.
      {face, highlight, clWhite, {-2, 30, 72}, static_cast<TColor>(RGB(179, 215, 244))},
      {face, highlight, clWhite, {100, 100, 100}, clWhite},
      {face, highlight, clBlack, {-100, 0, 0}, clBlack},
      // High contrast: a black or white face answers the highlight itself.
      {clBlack, highlight, clWhite, {-2, 30, 72}, highlight},
      {clWhite, highlight, clWhite, {14, 44, 40}, highlight},
      // ... unless the highlight is black too.
      {clWhite, clBlack, clWhite, {50, 0, 0}, static_cast<TColor>(RGB(128, 128, 128))},
  };
  for (const TCase& item : cases)
    EXPECT_EQ(cxBlendColorsWeighted(item.Face, item.Highlight, item.Window, item.Weights[0], item.Weights[1],
                                    item.Weights[2]),
              item.Expected);
  EXPECT_EQ(cxBlendSystemColors(-2, 30, 72),
            cxBlendColorsWeighted(ColorToRGB(clBtnFace), ColorToRGB(clHighlight), ColorToRGB(clWindow), -2, 30, 72));
  EXPECT_EQ(cxIsDarkHighContrast(), ColorToRGB(clBtnFace) == clBlack);
  EXPECT_EQ(cxIsLightHighContrast(), ColorToRGB(clBtnFace) == clWhite);
}

// ---------------------------------------------------------------------------
// Value cache

// Integer keys; the value of key k is 100 k. Counts what the cache asks of
// it.
class TColorsTestCache : public TdxCustomValueCacheManager<int, int> {
  RTL_CLASS(TColorsTestCache, TdxCustomValueCacheManager)

 public:
  int Compares = 0;
  std::vector<int> Created;
  std::vector<int> Freed;

 protected:
  int Compare(const int& ALeft, const int& ARight) override
  {
    ++Compares;
    return ALeft - ARight;
  }
  int CreateValue(const int& AKey) override
  {
    Created.push_back(AKey);
    return AKey * 100;
  }
  void FreeValue(int& AValue) override { Freed.push_back(AValue / 100); }
};

using TColorsTestCachePtr = rtl::TOwnedPtr<TColorsTestCache>;

TEST(cxGraphicsColors, ValueCacheMakesEachValueOnce)
{
  const TColorsTestCachePtr cache(rtl::New<TColorsTestCache>(3));
  EXPECT_EQ(cache->GetValue(20), 2000);
  EXPECT_EQ(cache->GetValue(10), 1000);
  EXPECT_EQ(cache->GetValue(30), 3000);
  EXPECT_EQ(cache->GetValue(20), 2000);
  EXPECT_EQ(cache->GetValue(10), 1000);
  EXPECT_EQ(cache->Created, (std::vector<int>{20, 10, 30}));
  EXPECT_TRUE(cache->Freed.empty());
}

TEST(cxGraphicsColors, ValueCacheRepeatedKeyCostsOneComparison)
{
  const TColorsTestCachePtr cache(rtl::New<TColorsTestCache>(8));
  for (int key : {5, 1, 9, 3, 7})
    cache->GetValue(key);
  cache->GetValue(3);
  cache->Compares = 0;
  EXPECT_EQ(cache->GetValue(3), 300);
  EXPECT_EQ(cache->Compares, 1);
  // After an insertion in front of it the remembered position follows the
  // new key, not the old one.
  cache->GetValue(2);
  cache->Compares = 0;
  EXPECT_EQ(cache->GetValue(2), 200);
  EXPECT_EQ(cache->Compares, 1);
  EXPECT_EQ(cache->GetValue(3), 300);
}

TEST(cxGraphicsColors, ValueCacheEvictsAtTheInsertionPosition)
{
  struct TStep {
    int Key;
    int Evicted;  // 0: none
  };
  // Capacity 3, filled with 10, 20, 30.
  const TStep steps[] = {
      {25, 30},  // sorts before 30: 30 goes
      {40, 25},  // past the end: the last entry goes, 40 takes its place
      {5, 10},   // first: 10 goes
      {20, 0},   // still there
      {40, 0},   // still there, at the end
      {30, 40},  // past 20, at 40's place
  };
  const TColorsTestCachePtr cache(rtl::New<TColorsTestCache>(3));
  for (int key : {10, 20, 30})
    cache->GetValue(key);
  for (const TStep& step : steps) {
    cache->Freed.clear();
    EXPECT_EQ(cache->GetValue(step.Key), step.Key * 100) << step.Key;
    EXPECT_EQ(cache->Freed, step.Evicted ? std::vector<int>{step.Evicted} : std::vector<int>{}) << step.Key;
    EXPECT_EQ(cache->GetCount(), 3);
  }
  // The survivors answer without being made again: 5, 20, 30.
  cache->Created.clear();
  for (int key : {5, 20, 30})
    cache->GetValue(key);
  EXPECT_TRUE(cache->Created.empty());
}

TEST(cxGraphicsColors, ValueCacheClearFreesEveryValue)
{
  TColorsTestCache* cache = rtl::New<TColorsTestCache>(4);
  for (int key : {3, 1, 2})
    cache->GetValue(key);
  cache->Clear();
  EXPECT_EQ(cache->Freed, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(cache->GetCount(), 0);
  // The fast path is forgotten too: the same key is made again.
  cache->GetValue(2);
  EXPECT_EQ(cache->Created.back(), 2);
  EXPECT_EQ(cache->Created.size(), 4u);
  rtl::Free(cache);
}

// ---------------------------------------------------------------------------
// Solid-brush cache

COLORREF BrushColor(HBRUSH ABrush)
{
  LOGBRUSH data{};
  GetObjectW(ABrush, sizeof(data), &data);
  return data.lbColor;
}

TEST(cxGraphicsColors, SolidBrushCacheGivesOneBrushPerColour)
{
  TdxSolidBrushCache::Clear();
  const HBRUSH red = TdxSolidBrushCache::Get(clRed);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(TdxSolidBrushCache::Get(clRed), red);
  EXPECT_EQ(BrushColor(red), static_cast<COLORREF>(RGB(255, 0, 0)));
  const HBRUSH face = TdxSolidBrushCache::Get(clBtnFace);
  EXPECT_EQ(BrushColor(face), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(TdxSolidBrushCache::Manager()->GetCapacity(), 128);
  EXPECT_EQ(TdxSolidBrushCache::Manager()->GetCount(), 2);
}

TEST(cxGraphicsColors, SolidBrushCacheKeepsAtMostItsCapacity)
{
  TdxSolidBrushCache::Clear();
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 300; ++i)
    TdxSolidBrushCache::Get(RGB(i % 256, i / 256, 7));
  EXPECT_EQ(TdxSolidBrushCache::Manager()->GetCount(), 128);
  TdxSolidBrushCache::Clear();
  // Evicted and cleared brushes are deleted.
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
