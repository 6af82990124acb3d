// The colour arithmetic of the graphics unit and its value caches:
// - RGB to and from HSL and HSV (TdxColorSpaceConverter);
// - brightness, dimming, tinting, blending, the light selection colours mixed
//   from system colours, high-contrast tests;
// - TdxCustomValueCacheManager: a sorted, capacity-limited cache of values
//   made on demand, with a fast path for the key asked last;
// - TdxSolidBrushCache: one GDI brush per colour for the whole process,
//   emptied by the look and feel's system palette notifier when the system
//   colours change.
#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/rtl/System.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(cxGraphicsColors);

// ---------------------------------------------------------------------------
// Colour spaces

// Hue, saturation and lightness, each 0..1.
struct TdxHSL {
  double H;
  double S;
  double L;
};

// Hue in degrees 0..360 (360 excluded); saturation and value 0..1.
struct TdxHSV {
  double H;
  double S;
  double V;
};

// clNone and clDefault convert to all zeros; other colours are resolved with
// ColorToRGB first.
class TdxColorSpaceConverter {
 public:
  TdxColorSpaceConverter() = delete;

  static TdxHSL ColorToHSL(vcl::TColor AColor);
  static TdxHSV ColorToHSV(vcl::TColor AColor);
  static vcl::TColor HSLToColor(const TdxHSL& AHSL);
  static vcl::TColor HSLToColor(double L, double S, double H);
  static vcl::TColor HSVToColor(const TdxHSV& AHSV);
  static vcl::TColor HSVToColor(double V, double S, double H);
};

TdxHSV cxColorToHSV(vcl::TColor AColor);
vcl::TColor cxHSVToColor(const TdxHSV& AHSV);

// ---------------------------------------------------------------------------
// Colour routines (channels are the bytes of ColorToRGB)

// Neither clNone nor clDefault.
bool cxIsColorAssigned(vcl::TColor AColor);
// ADefault for clDefault, else AColor.
vcl::TColor cxGetActualColor(vcl::TColor AColor, vcl::TColor ADefault);
void cxSwapColors(vcl::TColor& AColor1, vcl::TColor& AColor2);
// ColorToRGB xor $FFFFFF.
vcl::TColor cxInvertColor(vcl::TColor AColor);
// The colour the screen shows for AColor.
vcl::TColor cxGetNearestColor(vcl::TColor AColor);
// Brighter (APercent > 0) or darker (< 0) in HSV: 100 gives white, -100
// black.
vcl::TColor cxChangeColorBrightness(vcl::TColor AColor, int APercent);
// Each channel := Trunc(APercent * c / 100).
vcl::TColor cxDimColor(vcl::TColor AColor, int APercent);
// Each channel := Trunc(255 - (255 - c) * APercent / 100).
vcl::TColor cxTintColor(vcl::TColor AColor, int APercent);
// APercent of AColor1 and the rest of AColor2, then the nearest screen
// colour.
vcl::TColor cxBlendColors(vcl::TColor AColor1, vcl::TColor AColor2, int APercent);
// Signed percentages of clBtnFace, clHighlight and clWindow. Under a black or
// white button face (high contrast) the mix is meaningless, so clHighlight
// itself is answered unless it is black.
vcl::TColor cxBlendSystemColors(int AFaceWeight, int AHighlightWeight, int AWindowWeight);
vcl::TColor cxLightSelectionColor();
vcl::TColor cxLightPressedSelectionColor();
bool cxIsDarkHighContrast();
bool cxIsLightHighContrast();
bool cxIsColoredTextHighContrast();

// The same blend on raw channels, for callers that already hold the three
// system colours (the high-contrast rule included).
vcl::TColor cxBlendColorsWeighted(vcl::TColor AFace, vcl::TColor AHighlight, vcl::TColor AWindow, int AFaceWeight,
                                  int AHighlightWeight, int AWindowWeight);

// ---------------------------------------------------------------------------
// Value cache

// Up to a capacity of values, made on first request of their key and kept
// sorted by key. A repeated request for the key asked last costs one
// comparison. A miss at capacity evicts the entry at the insertion position
// (the last entry when the key sorts after all), so a working set that fits
// keeps its entries. The values belong to the cache: they live until they
// are evicted or the cache is cleared.
template <class K, class V>
class TdxCustomValueCacheManager : public rtl::TObject {
  RTL_CLASS(TdxCustomValueCacheManager, rtl::TObject)

 public:
  void Create(int ACapacity)
  {
    inherited::Create();
    FCapacity = std::max(ACapacity, 1);
    FLastKeyIndex = -1;
  }
  void BeforeDestruction() override
  {
    Clear();
    inherited::BeforeDestruction();
  }
  void Destroy() override
  {
    Clear();
    inherited::Destroy();
  }

  void Clear()
  {
    FLastKeyIndex = -1;
    // Taken out before the values are freed: a value whose freeing calls
    // back into the cache finds it empty.
    std::vector<std::pair<K, V>> data = std::move(FData);
    FData.clear();
    for (auto& item : data)
      FreeValue(item.second);
  }

  V GetValue(const K& AKey)
  {
    if (FLastKeyIndex >= 0 && Compare(FLastKey, AKey) == 0)
      return FData[FLastKeyIndex].second;
    int index;
    if (!Find(AKey, index)) {
      // The remembered position goes stale when an entry is evicted; should
      // making the value then fail, it must not be used again.
      FLastKeyIndex = -1;
      if (GetCount() >= FCapacity)
        Evict(index);
      V value = CreateValue(AKey);
      FData.insert(FData.begin() + index, std::pair<K, V>(AKey, std::move(value)));
    }
    FLastKey = AKey;
    FLastKeyIndex = index;
    return FData[index].second;
  }

  int GetCapacity() const { return FCapacity; }
  int GetCount() const { return static_cast<int>(FData.size()); }

 protected:
  // Negative, zero or positive as ALeft sorts before, with or after ARight.
  virtual int Compare(const K& ALeft, const K& ARight) = 0;
  virtual V CreateValue(const K& AKey) = 0;
  virtual void FreeValue(V& AValue) { (void)AValue; }

 private:
  // Binary search; AIndex is the first entry not below AKey.
  bool Find(const K& AKey, int& AIndex)
  {
    int lo = 0;
    int hi = GetCount() - 1;
    bool found = false;
    while (hi >= lo) {
      const int mid = lo + (hi - lo) / 2;
      const int c = Compare(FData[mid].first, AKey);
      if (c < 0)
        lo = mid + 1;
      else {
        hi = mid - 1;
        found = found || c == 0;
      }
    }
    AIndex = lo;
    return found;
  }

  // Makes room at AIndex. Past the end the last entry goes, and the new one
  // then takes its place at the end.
  void Evict(int& AIndex)
  {
    if (AIndex >= GetCount())
      AIndex = GetCount() - 1;
    V value = std::move(FData[AIndex].second);
    FData.erase(FData.begin() + AIndex);
    FreeValue(value);
  }

  int FCapacity;
  std::vector<std::pair<K, V>> FData;
  K FLastKey;
  int FLastKeyIndex;
};

// ---------------------------------------------------------------------------
// Solid brushes

class TdxSolidBrushCacheManager : public TdxCustomValueCacheManager<vcl::TColor, HBRUSH> {
  RTL_CLASS(TdxSolidBrushCacheManager, TdxCustomValueCacheManager)

 protected:
  int Compare(const vcl::TColor& ALeft, const vcl::TColor& ARight) override;
  HBRUSH CreateValue(const vcl::TColor& AKey) override;
  void FreeValue(HBRUSH& AValue) override;
};

// One manager of 128 brushes for the process, made at unit start.
class TdxSolidBrushCache {
 public:
  TdxSolidBrushCache() = delete;

  // The cached brush of AColor; callers never delete it. 0 outside the
  // unit's lifetime.
  static HBRUSH Get(vcl::TColor AColor);
  static void Clear();

  // The process's manager (nil outside the unit's lifetime), for tests.
  static TdxSolidBrushCacheManager* Manager();

  static constexpr int Capacity = 128;
};
