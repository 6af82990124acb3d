#include "graphics/cxGraphicsColors.h"

#include <cmath>
#include <cstdint>

#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/GraphicsHandles.h"

using vcl::TColor;

namespace {

struct TRGBBytes {
  int R;
  int G;
  int B;
};

TRGBBytes RGBBytes(TColor AColor)
{
  const COLORREF color = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

int ClampColorByte(std::int64_t AValue)
{
  return static_cast<int>(std::clamp<std::int64_t>(AValue, 0, 255));
}

TColor MakeColor(std::int64_t R, std::int64_t G, std::int64_t B)
{
  return static_cast<TColor>(RGB(ClampColorByte(R), ClampColorByte(G), ClampColorByte(B)));
}

double Clamp01(double AValue)
{
  return std::clamp(AValue, 0.0, 1.0);
}

// One channel of an HSL colour from its shifted hue.
double HueToChannel(double p, double q, double t)
{
  const double f = (t - std::floor(t)) * 6;
  if (f < 1)
    return p + (q - p) * f;
  if (f < 3)
    return q;
  if (f < 4)
    return p + (q - p) * (4 - f);
  return p;
}

// Made by the unit's start-up, freed by its shut-down.
TdxSolidBrushCacheManager* BrushCache;

void cxGraphicsColorsInitialization()
{
  BrushCache = rtl::New<TdxSolidBrushCacheManager>(TdxSolidBrushCache::Capacity);
}

void cxGraphicsColorsFinalization()
{
  rtl::FreeAndNil(BrushCache);
}

}  // namespace

RTL_UNIT(cxGraphicsColors, &cxGraphicsColorsInitialization, &cxGraphicsColorsFinalization);

// ---------------------------------------------------------------------------
// TdxColorSpaceConverter

TdxHSL TdxColorSpaceConverter::ColorToHSL(TColor AColor)
{
  TdxHSL result{0, 0, 0};
  if (!cxIsColorAssigned(AColor))
    return result;
  const TRGBBytes bytes = RGBBytes(AColor);
  const double R = bytes.R / 255.0;
  const double G = bytes.G / 255.0;
  const double B = bytes.B / 255.0;
  const double max = std::max({R, G, B});
  const double min = std::min({R, G, B});
  result.L = (max + min) / 2;
  if (max == min)
    return result;
  const double d = max - min;
  result.S = result.L < 0.5 ? d / (max + min) : d / (2 - max - min);
  if (max == R)
    result.H = (G - B) / d;
  else if (max == G)
    result.H = (B - R) / d + 2;
  else
    result.H = (R - G) / d + 4;
  result.H /= 6;
  if (result.H < 0)
    result.H += 1;
  return result;
}

TdxHSV TdxColorSpaceConverter::ColorToHSV(TColor AColor)
{
  TdxHSV result{0, 0, 0};
  if (!cxIsColorAssigned(AColor))
    return result;
  const TRGBBytes bytes = RGBBytes(AColor);
  const int max = std::max({bytes.R, bytes.G, bytes.B});
  const int min = std::min({bytes.R, bytes.G, bytes.B});
  result.V = max / 255.0;
  result.S = max == 0 ? 0 : 1 - static_cast<double>(min) / max;
  if (max == min)
    return result;
  const double d = max - min;
  if (bytes.R == max)
    result.H = 60 * (bytes.G - bytes.B) / d;
  else if (bytes.G == max)
    result.H = 60 * (bytes.B - bytes.R) / d + 120;
  else
    result.H = 60 * (bytes.R - bytes.G) / d + 240;
  if (result.H < 0)
    result.H += 360;
  return result;
}

TColor TdxColorSpaceConverter::HSLToColor(const TdxHSL& AHSL)
{
  return HSLToColor(AHSL.L, AHSL.S, AHSL.H);
}

TColor TdxColorSpaceConverter::HSLToColor(double L, double S, double H)
{
  if (S == 0) {
    const std::int64_t grey = rtl::Round(L * 255);
    return MakeColor(grey, grey, grey);
  }
  const double q = L <= 0.5 ? L * (1 + S) : S + L * (1 - S);
  const double p = 2 * L - q;
  const auto channel = [&](double t) { return rtl::Round(HueToChannel(p, q, t) * 255); };
  return MakeColor(channel(H + 1.0 / 3), channel(H), channel(H - 1.0 / 3));
}

TColor TdxColorSpaceConverter::HSVToColor(const TdxHSV& AHSV)
{
  return HSVToColor(AHSV.V, AHSV.S, AHSV.H);
}

TColor TdxColorSpaceConverter::HSVToColor(double V, double S, double H)
{
  const std::int64_t v = rtl::Round(V * 255);
  const std::int64_t p = rtl::Round(v * (1 - S));
  const int i = static_cast<int>(rtl::Trunc(H / 60) % 6);
  const double f = H / 60 - i;
  const std::int64_t q = rtl::Round(v * (1 - S * f));
  const std::int64_t t = rtl::Round(v * (1 - S * (1 - f)));
  switch (i) {
    case 0:
      return MakeColor(v, t, p);
    case 1:
      return MakeColor(q, v, p);
    case 2:
      return MakeColor(p, v, t);
    case 3:
      return MakeColor(p, q, v);
    case 4:
      return MakeColor(t, p, v);
    default:
      return MakeColor(v, p, q);
  }
}

TdxHSV cxColorToHSV(TColor AColor)
{
  return TdxColorSpaceConverter::ColorToHSV(AColor);
}

TColor cxHSVToColor(const TdxHSV& AHSV)
{
  return TdxColorSpaceConverter::HSVToColor(AHSV);
}

// ---------------------------------------------------------------------------
// Colour routines

bool cxIsColorAssigned(TColor AColor)
{
  return AColor != vcl::clNone && AColor != vcl::clDefault;
}

TColor cxGetActualColor(TColor AColor, TColor ADefault)
{
  return AColor == vcl::clDefault ? ADefault : AColor;
}

void cxSwapColors(TColor& AColor1, TColor& AColor2)
{
  std::swap(AColor1, AColor2);
}

TColor cxInvertColor(TColor AColor)
{
  return vcl::ColorToRGB(AColor) ^ 0xFFFFFF;
}

TColor cxGetNearestColor(TColor AColor)
{
  const vcl::TWindowDC screen(nullptr);
  return static_cast<TColor>(GetNearestColor(screen.Get(), static_cast<COLORREF>(vcl::ColorToRGB(AColor))));
}

TColor cxChangeColorBrightness(TColor AColor, int APercent)
{
  TdxHSV hsv = cxColorToHSV(AColor);
  if (APercent < 0) {
    const int p = -APercent;
    if (hsv.S != 0)
      hsv.S = Clamp01(hsv.S + (1 - hsv.S) * p / 100);
    hsv.V = hsv.V - p * hsv.V / 100;
  } else {
    if (hsv.S != 0)
      hsv.S = Clamp01(hsv.S - hsv.S * APercent / 100);
    hsv.V = hsv.V + (1 - hsv.V) * APercent / 100;
  }
  hsv.V = Clamp01(hsv.V);
  return cxHSVToColor(hsv);
}

TColor cxDimColor(TColor AColor, int APercent)
{
  const TRGBBytes c = RGBBytes(AColor);
  const auto dim = [&](int AChannel) { return rtl::Trunc(APercent * AChannel / 100.0); };
  return MakeColor(dim(c.R), dim(c.G), dim(c.B));
}

TColor cxTintColor(TColor AColor, int APercent)
{
  const TRGBBytes c = RGBBytes(AColor);
  const auto tint = [&](int AChannel) { return rtl::Trunc(255 - (255 - AChannel) * APercent / 100.0); };
  return MakeColor(tint(c.R), tint(c.G), tint(c.B));
}

TColor cxBlendColors(TColor AColor1, TColor AColor2, int APercent)
{
  const TRGBBytes c1 = RGBBytes(AColor1);
  const TRGBBytes c2 = RGBBytes(AColor2);
  // A percentage outside 0..100 would take a channel below 0 too; both ends
  // are clamped so no channel wraps into its neighbour.
  const auto blend = [&](int A1, int A2) { return MulDiv(A2, 100 - APercent, 100) + MulDiv(A1, APercent, 100); };
  return cxGetNearestColor(MakeColor(blend(c1.R, c2.R), blend(c1.G, c2.G), blend(c1.B, c2.B)));
}

TColor cxBlendColorsWeighted(TColor AFace, TColor AHighlight, TColor AWindow, int AFaceWeight, int AHighlightWeight,
                             int AWindowWeight)
{
  const TRGBBytes face = RGBBytes(AFace);
  const TRGBBytes highlight = RGBBytes(AHighlight);
  const TRGBBytes window = RGBBytes(AWindow);
  const TColor faceRGB = vcl::ColorToRGB(AFace);
  const TColor highlightRGB = vcl::ColorToRGB(AHighlight);
  if ((faceRGB == vcl::clBlack || faceRGB == vcl::clWhite) && highlightRGB != vcl::clBlack)
    return highlightRGB;
  const auto mix = [&](int AFaceChannel, int AHighlightChannel, int AWindowChannel) {
    return MulDiv(AFaceChannel, AFaceWeight, 100) + MulDiv(AHighlightChannel, AHighlightWeight, 100) +
           MulDiv(AWindowChannel, AWindowWeight, 100);
  };
  return MakeColor(mix(face.R, highlight.R, window.R), mix(face.G, highlight.G, window.G),
                   mix(face.B, highlight.B, window.B));
}

TColor cxBlendSystemColors(int AFaceWeight, int AHighlightWeight, int AWindowWeight)
{
  return cxBlendColorsWeighted(vcl::clBtnFace, vcl::clHighlight, vcl::clWindow, AFaceWeight, AHighlightWeight,
                               AWindowWeight);
}

TColor cxLightSelectionColor()
{
  return cxGetNearestColor(cxBlendSystemColors(-2, 30, 72));
}

TColor cxLightPressedSelectionColor()
{
  return cxGetNearestColor(cxBlendSystemColors(14, 44, 40));
}

bool cxIsDarkHighContrast()
{
  return vcl::ColorToRGB(vcl::clBtnFace) == vcl::clBlack;
}

bool cxIsLightHighContrast()
{
  return vcl::ColorToRGB(vcl::clBtnFace) == vcl::clWhite;
}

bool cxIsColoredTextHighContrast()
{
  return cxIsDarkHighContrast() && vcl::ColorToRGB(vcl::clBtnText) != vcl::clWhite;
}

// ---------------------------------------------------------------------------
// Solid brushes

int TdxSolidBrushCacheManager::Compare(const TColor& ALeft, const TColor& ARight)
{
  // The order of the plain difference, without its overflow for colours far
  // apart (a system colour against clDefault and beyond).
  return (ALeft > ARight) - (ALeft < ARight);
}

HBRUSH TdxSolidBrushCacheManager::CreateValue(const TColor& AKey)
{
  return CreateSolidBrush(static_cast<COLORREF>(vcl::ColorToRGB(AKey)));
}

void TdxSolidBrushCacheManager::FreeValue(HBRUSH& AValue)
{
  vcl::TOwnedBrush owned(AValue);
  AValue = nullptr;
}

HBRUSH TdxSolidBrushCache::Get(TColor AColor)
{
  return BrushCache ? BrushCache->GetValue(AColor) : nullptr;
}

void TdxSolidBrushCache::Clear()
{
  if (BrushCache)
    BrushCache->Clear();
}

TdxSolidBrushCacheManager* TdxSolidBrushCache::Manager()
{
  return BrushCache;
}
