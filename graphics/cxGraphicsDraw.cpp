#include "graphics/cxGraphicsDraw.h"

#include <shlwapi.h>
// The shell's helpers map StrToInt to their own function by a macro, which
// would rename the run-time library's StrToInt in whatever follows.
#undef StrToInt

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/cxGraphicsPaintCache.h"
#include "graphics/cxImageList.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxBitmapTransformationMode;
using enum TcxBorder;
using enum TcxImageDrawMode;
using enum TcxImageFitMode;
using enum vcl::TPixelFormat;

using namespace vcl;

constinit TcxMsImg32Binding cxMsImg32{};

namespace {

TPoint ScreenPixelsPerInch{96, 96};

// The scratch bitmaps of the image pipeline, made on first request and
// reused by every later draw.
TcxAlphaBitmap* BackgroundBitmap = nullptr;
TcxAlphaBitmap* ImageBitmap = nullptr;
TcxAlphaBitmap* MaskBitmap = nullptr;

using TPixels = std::vector<std::uint32_t>;


HDC BitmapDC(TBitmap* ABitmap)
{
  return ABitmap->GetCanvas()->GetHandle();
}

rtl::TOwnedPtr<TcxBitmap32> NewBitmap32(int AWidth, int AHeight)
{
  return rtl::TOwnedPtr<TcxBitmap32>(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(AWidth, AHeight, true); }));
}

struct TcxGradientChannels {
  int R;
  int G;
  int B;
};

TcxGradientChannels Channels(TColor AColor)
{
  const TColor rgb = ColorToRGB(AColor);
  return {rgb & 0xFF, rgb >> 8 & 0xFF, rgb >> 16 & 0xFF};
}

// Channels taken as bytes (modulo 256), as the gradients define them.
TColor ColorOfChannels(int R, int G, int B)
{
  return static_cast<TColor>(RGB(R & 0xFF, G & 0xFF, B & 0xFF));
}

int RectExtent(const TRect& R, bool AHorizontal)
{
  return AHorizontal ? R.right - R.left : R.bottom - R.top;
}

int RectStart(const TRect& R, bool AHorizontal)
{
  return AHorizontal ? R.left : R.top;
}

// The band of R from ANear to AFar along the gradient.
TRect Band(const TRect& R, bool AHorizontal, int ANear, int AFar)
{
  return AHorizontal ? TRect{ANear, R.top, AFar, R.bottom} : TRect{R.left, ANear, R.right, AFar};
}

// A channel of band AIndex of ACount bands. One band would divide by zero in
// MulDiv (which answers -1 and makes the colour wrap): it is the first
// colour.
int BandChannel(int AFrom, int ATo, int AIndex, int ACount)
{
  if (ACount <= 1)
    return AFrom;
  return AFrom + MulDiv(AIndex, ATo - AFrom, ACount - 1);
}

TColor BandColor(const TcxGradientChannels& C1, const TcxGradientChannels& C2, int AIndex, int ACount)
{
  return ColorOfChannels(BandChannel(C1.R, C2.R, AIndex, ACount), BandChannel(C1.G, C2.G, AIndex, ACount),
                         BandChannel(C1.B, C2.B, AIndex, ACount));
}

bool SameRGB(TColor AColor1, TColor AColor2)
{
  return ColorToRGB(AColor1) == ColorToRGB(AColor2);
}

COLOR16 VertexChannel(int AChannel)
{
  return static_cast<COLOR16>(AChannel << 8);
}

}  // namespace

// ---------------------------------------------------------------------------
// Unit steps

void cxGraphicsDrawInitialize()
{
  cxMsImg32.Library = LoadLibraryW(L"msimg32.dll");
  if (cxMsImg32.Library) {
    const auto bind = [](const char* AName) {
      return reinterpret_cast<void*>(GetProcAddress(cxMsImg32.Library, AName));
    };
    cxMsImg32.GradientFill = reinterpret_cast<TcxGradientFillProc>(bind("GradientFill"));
    cxMsImg32.AlphaBlend = reinterpret_cast<TcxAlphaBlendProc>(bind("AlphaBlend"));
  }
  TWindowDC screen(nullptr);
  ScreenPixelsPerInch = {GetDeviceCaps(screen.Get(), LOGPIXELSX), GetDeviceCaps(screen.Get(), LOGPIXELSY)};
}

void cxGraphicsDrawFinalize()
{
  rtl::FreeAndNil(BackgroundBitmap);
  rtl::FreeAndNil(ImageBitmap);
  rtl::FreeAndNil(MaskBitmap);
  if (cxMsImg32.Library)
    FreeLibrary(cxMsImg32.Library);
  cxMsImg32 = TcxMsImg32Binding{};
}

TPoint cxGetScreenPixelsPerInch()
{
  return ScreenPixelsPerInch;
}

int cxGetScreenDPI()
{
  return ScreenPixelsPerInch.y;
}

// ---------------------------------------------------------------------------
// Fills and gradients

void cxFillRectByColor(HDC DC, const TRect& R, TColor AColor)
{
  if (AColor != clNone)
    FillRect(DC, &R, TdxSolidBrushCache::Get(AColor));
}

void cxFrameRectByColor(HDC DC, const TRect& R, TColor AColor)
{
  if (AColor != clNone)
    FrameRect(DC, &R, TdxSolidBrushCache::Get(AColor));
}

void cxGradientFillRect(HDC DC, const TRect& R, TColor AColor1, bool AHorizontal, TColor AColor2)
{
  if (SameRGB(AColor1, AColor2)) {
    cxFillRectByColor(DC, R, AColor1);
    return;
  }
  if (!cxMsImg32.GradientFill) {
    cxGradientFillRectByBands(DC, R, AColor1, AHorizontal, AColor2);
    return;
  }
  const TcxGradientChannels c1 = Channels(AColor1);
  const TcxGradientChannels c2 = Channels(AColor2);
  TRIVERTEX vertices[2] = {
      {R.left, R.top, VertexChannel(c1.R), VertexChannel(c1.G), VertexChannel(c1.B), 0},
      {R.right, R.bottom, VertexChannel(c2.R), VertexChannel(c2.G), VertexChannel(c2.B), 0},
  };
  GRADIENT_RECT rect{0, 1};
  cxMsImg32.GradientFill(DC, vertices, 2, &rect, 1, AHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void cxGradientFillRectByBands(HDC DC, const TRect& R, TColor AColor1, bool AHorizontal, TColor AColor2)
{
  const int extent = RectExtent(R, AHorizontal);
  const int count = std::min(extent, 256);
  if (count <= 0)
    return;
  const TcxGradientChannels c1 = Channels(AColor1);
  const TcxGradientChannels c2 = Channels(AColor2);
  const int start = RectStart(R, AHorizontal);
  const int end = start + extent;
  int nearEdge = start;
  for (int i = 0; i < count; ++i) {
    const int farEdge = start + MulDiv(i + 1, extent, count);
    if (farEdge > nearEdge)
      cxFillRectByColor(DC, Band(R, AHorizontal, nearEdge, farEdge), BandColor(c1, c2, i, count));
    if (farEdge >= end)
      break;
    nearEdge = farEdge;
  }
}

TColor cxGradientColorAt(const TRect& R, int APos, TColor AColor1, bool AHorizontal, TColor AColor2)
{
  const int extent = RectExtent(R, AHorizontal);
  const int count = std::min(extent, 256);
  if (count <= 0)
    return ColorToRGB(AColor1);
  const int band = MulDiv(APos - RectStart(R, AHorizontal) + 1, count, extent) - 1;
  return BandColor(Channels(AColor1), Channels(AColor2), std::clamp(band, 0, count - 1), count);
}

void cxWeightedGradientFillRect(HDC DC, const TRect& R, TColor AColor1, bool AHorizontal, int AWeight,
                                TColor AColor2)
{
  if (SameRGB(AColor1, AColor2)) {
    cxFillRectByColor(DC, R, AColor1);
    return;
  }
  const int extent = RectExtent(R, AHorizontal);
  if (extent <= 0)
    return;
  const int half = extent / 2;
  const TcxGradientChannels c1 = Channels(AColor1);
  const TcxGradientChannels c2 = Channels(AColor2);
  // Per channel: the middle colour and the two slopes toward and away from
  // it. One pixel is only the middle band, so the slopes are not needed.
  const auto channelAt = [&](int AFrom, int ATo, int AIndex) {
    const int d = MulDiv(AFrom - ATo, AWeight, 200);
    const int mid = AFrom - d;
    if (AIndex == half)
      return mid;
    if (AIndex < half)
      return AFrom - MulDiv(AIndex, MulDiv(d, extent, half), extent - 1);
    const int s = ATo + MulDiv(mid - ATo, extent, half);
    return s + MulDiv(AIndex, ATo - s, extent - 1);
  };
  const int start = RectStart(R, AHorizontal);
  for (int i = 0; i < extent; ++i) {
    const TColor color =
        ColorOfChannels(channelAt(c1.R, c2.R, i), channelAt(c1.G, c2.G, i), channelAt(c1.B, c2.B, i));
    cxFillRectByColor(DC, Band(R, AHorizontal, start + i, start + i + 1), color);
  }
}

void cxDrawDesignSelector(TcxCanvas* ACanvas, const TRect& R, int AIndex)
{
  if (cxRectHasNoArea(R))
    return;
  const TColor color = (AIndex & 0x7F) == 0 ? static_cast<TColor>(0xA0FFA0) : static_cast<TColor>(0x9090FF);
  ACanvas->SaveState();
  ACanvas->IntersectClipRect(R);
  ACanvas->FillRect(R, color);
  ACanvas->GetPen()->SetColor(cxDimColor(color, 75));
  const int lines = MulDiv(std::max(R.right, R.bottom), 3, 2);
  for (int i = 1; i <= lines; ++i)
    ACanvas->Line(R.right - 3 * i, R.top, R.right, R.top + 3 * i);
  ACanvas->FrameRect(R, cxDimColor(color, 50), 1, cxBordersAll);
  ACanvas->RestoreState();
  ACanvas->ExcludeClipRect(R);
  const TRect shadow = cxRectOffsetBy(R, 1, 1);
  ACanvas->FillRect(shadow, clBtnShadow);
  ACanvas->ExcludeClipRect(shadow);
}

void cxDrawHatchRect(HDC DC, const TRect& R, TColor AColor1, std::uint8_t AStep, std::uint8_t AAlpha1,
                     std::uint8_t AAlpha2, TColor AColor2)
{
  if (cxRectHasNoArea(R))
    return;
  const rtl::TOwnedPtr<TcxAlphaBitmap> bitmap(
      rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) { B->CreateSize(cxRectGetWidth(R), cxRectGetHeight(R)); }));
  cxBlitRect(BitmapDC(bitmap.get()), DC, bitmap->GetClientRect(), TPoint{R.left, R.top});
  bitmap->DrawHatch(AColor1, AColor2, AStep, AAlpha1, AAlpha2);
  cxBlitRect(DC, BitmapDC(bitmap.get()), R, cxNullPoint);
}

// ---------------------------------------------------------------------------
// Alpha blending

namespace {

BLENDFUNCTION BlendFunction(std::uint8_t AConstantAlpha)
{
  return BLENDFUNCTION{AC_SRC_OVER, 0, AConstantAlpha, AC_SRC_ALPHA};
}

// A premultiplied 32-bit copy of ASrcRect of the source.
rtl::TOwnedPtr<TcxBitmap32> CopySource(HDC ASrcDC, const TRect& ASrcRect)
{
  rtl::TOwnedPtr<TcxBitmap32> result = NewBitmap32(cxRectGetWidth(ASrcRect), cxRectGetHeight(ASrcRect));
  cxBlitRect(BitmapDC(result.get()), ASrcDC, result->GetClientRect(), TPoint{ASrcRect.left, ASrcRect.top});
  return result;
}

// Through the 2-D graphics library; false when it is not available or
// refuses, so the own route takes over.
bool BlendThroughGdiPlus(HDC ADestDC, TcxBitmap32* ASource, const TRect& ADestRect, bool ASmooth,
                         std::uint8_t AConstantAlpha)
{
  using namespace Gdiplus;
  if (!dxGpIsAvailable())
    return false;
  const TdxGpFunctions& gp = dxGpFunctions;
  const int width = ASource->GetWidth();
  const int height = ASource->GetHeight();
  TPixels pixels = cxReadBitmapPixels(ASource);
  GpGraphics* graphics = nullptr;
  if (gp.GdipCreateFromHDC(ADestDC, &graphics) != Ok)
    return false;
  GpBitmap* image = nullptr;
  GpImageAttributes* attributes = nullptr;
  bool result = gp.GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                             reinterpret_cast<BYTE*>(pixels.data()), &image) == Ok;
  if (result && gp.GdipCreateImageAttributes(&attributes) == Ok) {
    // Edge pixels repeat instead of fading into the nothing around the
    // image when interpolated.
    gp.GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipXY, 0, FALSE);
    if (AConstantAlpha < 255) {
      ColorMatrix matrix{};
      for (int i = 0; i < 5; ++i)
        matrix.m[i][i] = 1;
      matrix.m[3][3] = AConstantAlpha / 255.0f;
      gp.GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                           ColorMatrixFlagsDefault);
    }
  }
  if (result) {
    gp.GdipSetInterpolationMode(graphics, ASmooth ? InterpolationModeHighQualityBicubic
                                                  : InterpolationModeNearestNeighbor);
    gp.GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    result = gp.GdipDrawImageRectRectI(graphics, image, ADestRect.left, ADestRect.top, cxRectGetWidth(ADestRect),
                                       cxRectGetHeight(ADestRect), 0, 0, width, height, UnitPixel, attributes,
                                       nullptr, nullptr) == Ok;
  }
  if (attributes)
    gp.GdipDisposeImageAttributes(attributes);
  if (image)
    gp.GdipDisposeImage(image);
  gp.GdipDeleteGraphics(graphics);
  return result;
}

// The source resized to the destination, then blended over a copy of the
// destination and copied back.
void BlendOwn(HDC ADestDC, TcxBitmap32* ASource, const TRect& ADestRect, bool ASmooth, std::uint8_t AConstantAlpha)
{
  const int width = cxRectGetWidth(ADestRect);
  const int height = cxRectGetHeight(ADestRect);
  const rtl::TOwnedPtr<TcxBitmap32> dest = CopySource(ADestDC, ADestRect);
  rtl::TOwnedPtr<TcxBitmap32> resized;
  TcxBitmap32* source = ASource;
  if (ASource->GetWidth() != width || ASource->GetHeight() != height) {
    resized = NewBitmap32(width, height);
    if (ASmooth)
      cxSmoothResizeBitmap(ASource, resized.get(), true);
    else {
      const HDC resizedDC = BitmapDC(resized.get());
      const int previous = SetStretchBltMode(resizedDC, COLORONCOLOR);
      cxStretchBlt(resizedDC, BitmapDC(ASource), resized->GetClientRect(), ASource->GetClientRect());
      SetStretchBltMode(resizedDC, previous);
    }
    source = resized.get();
  }
  if (cxMsImg32.AlphaBlend)
    cxMsImg32.AlphaBlend(BitmapDC(dest.get()), 0, 0, width, height, BitmapDC(source), 0, 0, width, height,
                         BlendFunction(AConstantAlpha));
  else {
    TPixels pixels = cxReadBitmapPixels(dest.get());
    const TPixels sourcePixels = cxReadBitmapPixels(source);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      RGBQUAD d;
      RGBQUAD s;
      std::memcpy(&d, &pixels[i], sizeof(d));
      std::memcpy(&s, &sourcePixels[i], sizeof(s));
      cxBlendPixel(d, s, AConstantAlpha);
      std::memcpy(&pixels[i], &d, sizeof(d));
    }
    cxWriteBitmapPixels(dest.get(), pixels);
  }
  cxBlitRect(ADestDC, BitmapDC(dest.get()), ADestRect, cxNullPoint);
}

void AlphaBlendRoute(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage,
                     std::uint8_t AConstantAlpha)
{
  if (cxRectHasNoArea(ADestRect) || cxRectHasNoArea(ASrcRect))
    return;
  const bool smooth = ASmoothImage && !cxRectsSameSize(ADestRect, ASrcRect);
  if (!dxOSIsWow64 && !dxOSIsWindows9x && cxMsImg32.AlphaBlend && !smooth) {
    cxMsImg32.AlphaBlend(ADestDC, ADestRect.left, ADestRect.top, cxRectGetWidth(ADestRect),
                         cxRectGetHeight(ADestRect), ASrcDC, ASrcRect.left, ASrcRect.top, cxRectGetWidth(ASrcRect),
                         cxRectGetHeight(ASrcRect), BlendFunction(AConstantAlpha));
    return;
  }
  const rtl::TOwnedPtr<TcxBitmap32> source = CopySource(ASrcDC, ASrcRect);
  if (dxOSIsWow64 && BlendThroughGdiPlus(ADestDC, source.get(), ADestRect, smooth, AConstantAlpha))
    return;
  BlendOwn(ADestDC, source.get(), ADestRect, smooth, AConstantAlpha);
}

}  // namespace

void cxAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage,
                  std::uint8_t AConstantAlpha)
{
  AlphaBlendRoute(ADestDC, ASrcDC, ADestRect, ASrcRect, ASmoothImage, AConstantAlpha);
}

void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect, bool ASmoothImage,
                  std::uint8_t AConstantAlpha)
{
  if (ASrcBitmap && !ASrcBitmap->GetEmpty())
    AlphaBlendRoute(ADestDC, BitmapDC(ASrcBitmap), ADestRect, ASrcRect, ASmoothImage, AConstantAlpha);
}

void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage, std::uint8_t AConstantAlpha)
{
  if (ADestBitmap && !ADestBitmap->GetEmpty())
    cxAlphaBlend(BitmapDC(ADestBitmap), ASrcBitmap, ADestRect, ASrcRect, ASmoothImage, AConstantAlpha);
}

void cxBlitRect(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ARop)
{
  BitBlt(ADestDC, ADestRect.left, ADestRect.top, cxRectGetWidth(ADestRect), cxRectGetHeight(ADestRect), ASrcDC,
         ASrcTopLeft.x, ASrcTopLeft.y, ARop);
}

void cxStretchBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, DWORD ARop)
{
  StretchBlt(ADestDC, ADestRect.left, ADestRect.top, cxRectGetWidth(ADestRect), cxRectGetHeight(ADestRect), ASrcDC,
             ASrcRect.left, ASrcRect.top, cxRectGetWidth(ASrcRect), cxRectGetHeight(ASrcRect), ARop);
}

// ---------------------------------------------------------------------------
// Resampling

namespace {

struct TcxResampleContributor {
  int Pixel;
  int Weight;
};
using TcxResampleContributors = std::vector<std::vector<TcxResampleContributor>>;

double Sinc(double T)
{
  if (T == 0)
    return 1;
  const double x = std::numbers::pi * T;
  return std::sin(x) / x;
}

double Lanczos3(double T)
{
  return std::abs(T) < 3 ? Sinc(T) * Sinc(T / 3) : 0;
}

// Positions outside the source are mirrored at its edges. A source narrower
// than the filter's reach mirrors past its other edge; the clamp keeps such
// positions inside instead of reading outside the pixels.
int MirrorPixel(int J, int ACount)
{
  if (J < 0)
    J = -J;
  else if (J >= ACount)
    J = 2 * ACount - 1 - J;
  return std::clamp(J, 0, ACount - 1);
}

TcxResampleContributors ResampleContributors(int ASource, int ADest)
{
  const double scale = ASource == 1 || ADest == 1 ? static_cast<double>(ADest) / ASource
                                                  : static_cast<double>(ADest - 1) / (ASource - 1);
  const double width = scale >= 1 ? 1 : 1 / scale;
  const double radius = 3 * width;
  TcxResampleContributors result(ADest);
  for (int i = 0; i < ADest; ++i) {
    const double center = i / scale;
    for (int j = rtl::Floor(center - radius); j <= rtl::Ceil(center + radius); ++j) {
      const int weight = static_cast<int>(rtl::Round(Lanczos3((center - j) / width) / width * 256));
      if (weight != 0)
        result[i].push_back({MirrorPixel(j, ASource), weight});
    }
  }
  return result;
}

std::uint32_t ApplyContributors(const std::vector<TcxResampleContributor>& AContributors, const TPixels& APixels,
                                std::size_t AOffset, std::size_t AStep)
{
  int sums[4] = {0, 0, 0, 0};
  for (const TcxResampleContributor& c : AContributors) {
    const std::uint32_t pixel = APixels[AOffset + c.Pixel * AStep];
    for (int k = 0; k < 4; ++k)
      sums[k] += static_cast<int>(pixel >> (8 * k) & 0xFF) * c.Weight;
  }
  std::uint32_t result = 0;
  for (int k = 0; k < 4; ++k)
    result |= static_cast<std::uint32_t>(std::clamp(sums[k] >> 8, 0, 255)) << (8 * k);
  return result;
}

void ResampleOwnFilter(TBitmap* ASource, TBitmap* ADest)
{
  const int srcWidth = ASource->GetWidth();
  const int srcHeight = ASource->GetHeight();
  const int dstWidth = ADest->GetWidth();
  const int dstHeight = ADest->GetHeight();
  const TPixels source = cxReadBitmapPixels(ASource);
  const TcxResampleContributors horizontal = ResampleContributors(srcWidth, dstWidth);
  TPixels between(static_cast<std::size_t>(dstWidth) * srcHeight);
  for (int y = 0; y < srcHeight; ++y)
    for (int x = 0; x < dstWidth; ++x)
      between[static_cast<std::size_t>(y) * dstWidth + x] =
          ApplyContributors(horizontal[x], source, static_cast<std::size_t>(y) * srcWidth, 1);
  const TcxResampleContributors vertical = ResampleContributors(srcHeight, dstHeight);
  TPixels dest(static_cast<std::size_t>(dstWidth) * dstHeight);
  for (int y = 0; y < dstHeight; ++y)
    for (int x = 0; x < dstWidth; ++x)
      dest[static_cast<std::size_t>(y) * dstWidth + x] = ApplyContributors(vertical[y], between, x, dstWidth);
  cxWriteBitmapPixels(ADest, dest);
}

}  // namespace

void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADest, bool AForceOwnFilter)
{
  if (ASource->GetEmpty() || ADest->GetEmpty())
    return;
  if (dxOSIsNTFamily && !AForceOwnFilter) {
    TCanvas* sourceCanvas = ASource->GetCanvas();
    TCanvas* destCanvas = ADest->GetCanvas();
    sourceCanvas->Lock();
    destCanvas->Lock();
    const HDC destDC = destCanvas->GetHandle();
    const int previous = SetStretchBltMode(destDC, HALFTONE);
    SetBrushOrgEx(destDC, 0, 0, nullptr);
    cxStretchBlt(destDC, sourceCanvas->GetHandle(), TRect{0, 0, ADest->GetWidth(), ADest->GetHeight()},
                 TRect{0, 0, ASource->GetWidth(), ASource->GetHeight()});
    SetStretchBltMode(destDC, previous);
    destCanvas->Unlock();
    sourceCanvas->Unlock();
  } else
    ResampleOwnFilter(ASource, ADest);
}

// ---------------------------------------------------------------------------
// Bitmaps and regions

TBitmap* cxCreateBitmap(const TSize& ASize, TPixelFormat AFormat)
{
  return cxCreateBitmap(ASize.cx, ASize.cy, AFormat);
}

TBitmap* cxCreateBitmap(const TRect& ARect, TPixelFormat AFormat)
{
  return cxCreateBitmap(cxRectGetWidth(ARect), cxRectGetHeight(ARect), AFormat);
}

TBitmap* cxCreateBitmap(int AWidth, int AHeight, TPixelFormat AFormat)
{
  TBitmap* result = rtl::New<TBitmap>();
  result->SetPixelFormat(AFormat);
  result->SetSize(std::max(AWidth, 0), std::max(AHeight, 0));
  return result;
}

void cxFillBitmapBlack(TBitmap* ABitmap)
{
  const TRect R{0, 0, ABitmap->GetWidth(), ABitmap->GetHeight()};
  FillRect(BitmapDC(ABitmap), &R, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TcxBitmap* cxGraphicToBitmap(TGraphic* AGraphic)
{
  if (!AGraphic)
    return nullptr;
  if (rtl::Is<TBitmap>(AGraphic)) {
    auto* bitmap = static_cast<TBitmap*>(AGraphic);
    TcxBitmap* result = rtl::New<TcxBitmap>();
    result->Assign(bitmap);
    return result;
  }
  TcxBitmap32* result = rtl::NewWith<TcxBitmap32>(
      [&](TcxBitmap32* B) { B->CreateSize(AGraphic->GetWidth(), AGraphic->GetHeight(), true); });
  result->GetCanvas()->Draw(0, 0, AGraphic);
  return result;
}

HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor)
{
  const int width = ABitmap->GetWidth();
  const TPixels pixels = cxReadBitmapPixels(ABitmap);
  // The DIB's 0x00RRGGBB against the colour's 0x00BBGGRR.
  const std::uint32_t key = dxSwapRedAndBlue(static_cast<std::uint32_t>(ColorToRGB(ATransparentColor))) & 0xFFFFFF;
  const auto opaque = [&](std::size_t AIndex) { return (pixels[AIndex] & 0xFFFFFF) != key; };
  HRGN result = nullptr;
  for (std::size_t row = 0; width > 0 && row < pixels.size() / width; ++row) {
    const std::size_t offset = row * width;
    for (int x = 0; x < width;) {
      if (!opaque(offset + x)) {
        ++x;
        continue;
      }
      const int first = x;
      while (x < width && opaque(offset + x))
        ++x;
      const TOwnedRegion run(CreateRectRgn(first, static_cast<int>(row), x, static_cast<int>(row) + 1));
      if (!result)
        result = CreateRectRgn(0, 0, 0, 0);
      CombineRgn(result, result, run.Get(), RGN_OR);
    }
  }
  return result;
}

HBITMAP cxCopyBitmapHandle(HBITMAP ABitmapHandle)
{
  BITMAP info{};
  if (dxOSIsWindows9x && dxGetBitmapData(ABitmapHandle, info) && info.bmBitsPixel == 32) {
    // CopyImage loses the fourth byte there: the bits go through a DIB.
    BITMAPINFO header{};
    dxInitBitmapInfoHeader32(header.bmiHeader, info.bmWidth, info.bmHeight, false);
    void* bits = nullptr;
    const HDC dc = cxScreenCanvas()->GetHandle();
    const HBITMAP result = CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (result)
      GetDIBits(dc, ABitmapHandle, 0, info.bmHeight, bits, &header, DIB_RGB_COLORS);
    return result;
  }
  return static_cast<HBITMAP>(CopyImage(ABitmapHandle, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void cxCopyBitmapToDC(HDC ADC, TBitmap* ABitmap, const TRect& ADestRect, DWORD ARop, const TPoint& ASrcTopLeft)
{
  if (dxOSIsWindows9x && GetDeviceCaps(ADC, BITSPIXEL) == 32 && ABitmap->GetPixelFormat() != pf32bit) {
    // A device of 32 bits there shows the fourth byte: it goes through a
    // bitmap whose alpha is cleared.
    const rtl::TOwnedPtr<TcxAlphaBitmap> copy(rtl::NewWith<TcxAlphaBitmap>(
        [&](TcxAlphaBitmap* B) { B->CreateSize(cxRectGetWidth(ADestRect), cxRectGetHeight(ADestRect)); }));
    cxBlitRect(BitmapDC(copy.get()), BitmapDC(ABitmap), copy->GetClientRect(), ASrcTopLeft);
    copy->TransformBitmap(btmResetAlpha);
    cxBlitRect(ADC, BitmapDC(copy.get()), ADestRect, cxNullPoint, ARop);
    return;
  }
  cxBlitRect(ADC, BitmapDC(ABitmap), ADestRect, ASrcTopLeft, ARop);
}

namespace {

// The index of the lowest row of the AWidth x AWidth block at AFirstRow of
// a monochrome mask with a byte other than AEmpty; -1 when there is none.
int LowestMarkedRow(const std::vector<std::uint8_t>& ABits, int AWidthBytes, int AWidth, int AFirstRow,
                    std::uint8_t AEmpty)
{
  const int usedBytes = (AWidth + 7) / 8;
  for (int row = AWidth - 1; row >= 0; --row) {
    const std::size_t offset = static_cast<std::size_t>(AFirstRow + row) * AWidthBytes;
    for (int i = 0; i < usedBytes; ++i)
      if (ABits[offset + i] != AEmpty)
        return row;
  }
  return -1;
}

}  // namespace

TSize cxGetCursorSize()
{
  TSize result{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
  ICONINFO info{};
  if (!GetIconInfo(GetCursor(), &info))
    return result;
  const TOwnedBitmap mask(info.hbmMask);
  const TOwnedBitmap color(info.hbmColor);
  BITMAP data{};
  if (!dxGetBitmapData(mask.Get(), data) || data.bmBitsPixel != 1 || data.bmWidth <= 0)
    return result;
  result.cx = data.bmWidth;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(data.bmWidthBytes) * data.bmHeight);
  GetBitmapBits(mask.Get(), static_cast<LONG>(bits.size()), bits.data());
  const int width = data.bmWidth;
  if (data.bmHeight < width)
    return result;
  int row = LowestMarkedRow(bits, data.bmWidthBytes, width, 0, 0xFF);
  if (row < 0 && data.bmHeight >= 2 * width)
    row = LowestMarkedRow(bits, data.bmWidthBytes, width, width, 0);
  if (row >= 0)
    result.cy = row - static_cast<int>(info.yHotspot);
  return result;
}

void cxExcludeRectFromClip(HDC DC, const TRect& R)
{
  ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
}

TRect cxRectExpandExceptBorders(const TRect& R, const TRect& AMargins, TcxBorders ABorders)
{
  TRect result = R;
  if (!ABorders.Contains(bLeft))
    result.left -= AMargins.left;
  if (!ABorders.Contains(bTop))
    result.top -= AMargins.top;
  if (!ABorders.Contains(bRight))
    result.right += AMargins.right;
  if (!ABorders.Contains(bBottom))
    result.bottom += AMargins.bottom;
  return result;
}

bool cxIsComCtl6()
{
  const HMODULE library = GetModuleHandleW(L"comctl32.dll");
  if (!library)
    return false;
  const auto getVersion =
      reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof(info);
  if (!getVersion || FAILED(getVersion(&info)))
    return false;
  return MAKELONG(info.dwMinorVersion, info.dwMajorVersion) > 0x5FFFF;
}

// ---------------------------------------------------------------------------
// Images

namespace {

// The quotient and product rounded toward plus infinity, as the fit ratios
// are taken, so that a ratio multiplied back gives the whole extent rather
// than one pixel less.
double DivideUp(double A, double B)
{
  const double q = A / B;
  return std::fma(-q, B, A) > 0 ? std::nextafter(q, HUGE_VAL) : q;
}

double MultiplyUp(double A, double B)
{
  const double p = A * B;
  return std::fma(A, B, -p) > 0 ? std::nextafter(p, HUGE_VAL) : p;
}

int TruncScaled(int AValue, double ARatio)
{
  return static_cast<int>(rtl::Trunc(MultiplyUp(AValue, ARatio)));
}

TSize FitSize(const TRect& R, const TSize& ASize, TcxImageFitMode AFitMode, int APercent)
{
  const int width = cxRectGetWidth(R);
  const int height = cxRectGetHeight(R);
  const double hx = DivideUp(width, ASize.cx);
  const double hy = DivideUp(height, ASize.cy);
  const auto proportional = [&]() {
    return hx >= hy ? TSize{TruncScaled(ASize.cx, hy), height} : TSize{width, TruncScaled(ASize.cy, hx)};
  };
  switch (AFitMode) {
    case ifmStretch:
      return {width, height};
    case ifmProportionalStretch:
      return proportional();
    case ifmFit:
      return std::min(hx, hy) < 1 ? proportional() : ASize;
    case ifmFill:
      return hx <= hy ? TSize{TruncScaled(ASize.cx, hy), height} : TSize{width, TruncScaled(ASize.cy, hx)};
    default:
      return {MulDiv(ASize.cx, APercent, 100), MulDiv(ASize.cy, APercent, 100)};
  }
}

TcxAlphaBitmap* ScratchBitmap(TcxAlphaBitmap*& ABitmap, int AWidth, int AHeight)
{
  if (!ABitmap) {
    ABitmap = rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) { B->CreateSize(AWidth, AHeight); });
    ABitmap->Clear();
  } else
    ABitmap->RefreshImage(AWidth, AHeight);
  return ABitmap;
}

bool BitmapHasAlpha(TBitmap* ABitmap)
{
  if (ABitmap->GetPixelFormat() != pf32bit)
    return false;
  if (rtl::Is<TcxBitmap32>(ABitmap))
    return static_cast<TcxBitmap32*>(ABitmap)->IsAlphaUsed();
  const TPixels pixels = cxReadBitmapPixels(ABitmap);
  return dxGetPixelsAlphaState(reinterpret_cast<const RGBQUAD*>(pixels.data()), static_cast<int>(pixels.size())) !=
         asNoAlpha;
}

// The glyph stretched into AImage; answers whether it brought alpha, and
// the transparent colour of its bitmap in ATransparentColor.
bool RenderGlyph(TcxAlphaBitmap* AImage, TGraphic* AGlyph, bool ASmoothImage, TColor& ATransparentColor)
{
  rtl::TOwnedPtr<TcxBitmap> converted;
  auto* bitmap = rtl::Is<TBitmap>(AGlyph) ? static_cast<TBitmap*>(AGlyph) : nullptr;
  if (!bitmap) {
    converted.reset(cxGraphicToBitmap(AGlyph));
    bitmap = converted.get();
  }
  const bool hasAlpha = BitmapHasAlpha(bitmap);
  ATransparentColor = bitmap->GetTransparentColor();
  const TRect target = AImage->GetClientRect();
  const TRect source{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
  if (cxRectsSameSize(target, source))
    cxBlitRect(BitmapDC(AImage), BitmapDC(bitmap), target, cxNullPoint);
  else if (ASmoothImage)
    // HALFTONE does not carry the fourth byte: alpha images take the own
    // filter.
    cxSmoothResizeBitmap(bitmap, AImage, hasAlpha);
  else {
    const HDC imageDC = BitmapDC(AImage);
    const int previous = SetStretchBltMode(imageDC, COLORONCOLOR);
    cxStretchBlt(imageDC, BitmapDC(bitmap), target, source);
    SetStretchBltMode(imageDC, previous);
  }
  return hasAlpha;
}

// Image AIndex of AImages rendered into AImage at its size; answers whether
// it brought alpha.
bool RenderListImage(TcxAlphaBitmap* AImage, int AIndex, TCustomImageList* AImages, IdxColorPalette* APalette)
{
  TcxCustomImageList::GetImageInfo(AImages, AIndex, AImage, nullptr, APalette);
  return TcxCustomImageList::GetPixelFormat(AImages->GetHandle()) >= 32 && BitmapHasAlpha(AImage);
}

// Where the list's own mask is white (transparent), the mask is made white.
void AddListMask(TcxAlphaBitmap* AMask, int AIndex, TCustomImageList* AImages)
{
  const rtl::TOwnedPtr<TBitmap> listMask(rtl::New<TBitmap>());
  listMask->SetPixelFormat(pf1bit);
  listMask->SetSize(AMask->GetWidth(), AMask->GetHeight());
  TcxCustomImageList::GetImageInfo(AImages, AIndex, nullptr, listMask.get(), nullptr);
  TPixels mask = cxReadBitmapPixels(AMask);
  const TPixels list = cxReadBitmapPixels(listMask.get());
  if (list.size() != mask.size())
    return;
  for (std::size_t i = 0; i < mask.size(); ++i)
    if ((list[i] & 0xFFFFFF) == 0xFFFFFF)
      mask[i] = 0xFFFFFFFF;
  cxWriteBitmapPixels(AMask, mask);
}

}  // namespace

bool cxIsImageIndexValid(TCustomImageList* AImages, int AIndex)
{
  return AImages && AIndex >= 0 && AIndex < AImages->GetCount();
}

bool cxIsImageAssigned(TGraphic* AGraphic, TCustomImageList* AImages, int AIndex)
{
  return cxIsGraphicAssigned(AGraphic) || cxIsImageIndexValid(AImages, AIndex);
}

TSize cxGetImageListSize(TCustomImageList* AImages, const TdxScaleFactor* AScaleFactor)
{
  const TSize size{AImages->GetWidth(), AImages->GetHeight()};
  const int sourceDPI = cxGetSourceDPI(AImages);
  if (!AScaleFactor)
    return {MulDiv(size.cx, dxDefaultDPI, sourceDPI), MulDiv(size.cy, dxDefaultDPI, sourceDPI)};
  return AScaleFactor->Apply(size, sourceDPI, dxDefaultDPI);
}

TSize cxGetImageSize(TGraphic* AGraphic, TCustomImageList* AImages, int AIndex, const TdxScaleFactor* AScaleFactor)
{
  if (cxIsGraphicAssigned(AGraphic))
    return cxGetImageSize(AGraphic, AScaleFactor);
  if (cxIsImageIndexValid(AImages, AIndex))
    return cxGetImageListSize(AImages, AScaleFactor);
  return cxNullSize;
}

bool cxIsGraphicAssigned(TGraphic* AGraphic)
{
  return AGraphic && !AGraphic->GetEmpty();
}

int cxGetSourceDPI(rtl::TObject* AObject)
{
  rtl::IPtr<IdxSourceDPI> intf;
  return rtl::Supports<IdxSourceDPI>(AObject, &intf) ? intf->GetSourceDPI() : dxDefaultDPI;
}

TSize cxGetImageSize(TGraphic* AGraphic, const TdxScaleFactor* AScaleFactor)
{
  if (!cxIsGraphicAssigned(AGraphic))
    return cxNullSize;
  const TSize size{AGraphic->GetWidth(), AGraphic->GetHeight()};
  const int sourceDPI = cxGetSourceDPI(AGraphic);
  if (!AScaleFactor)
    return {MulDiv(size.cx, dxDefaultDPI, sourceDPI), MulDiv(size.cy, dxDefaultDPI, sourceDPI)};
  return AScaleFactor->Apply(size, sourceDPI, dxDefaultDPI);
}

TRect cxGetImageRect(const TRect& R, const TSize& ASize, TcxImageFitMode AFitMode, int APercent, bool ACenter)
{
  if (ASize.cx < 1 || ASize.cy < 1)
    return R;
  const TSize size = FitSize(R, ASize, AFitMode, APercent);
  return ACenter ? cxRectCenterBox(R, size.cx, size.cy) : cxRectBounds(R.left, R.top, size.cx, size.cy);
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, TGraphic* AGlyph, bool ASmoothImage,
                 const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                 TcxImageDrawMode ADrawMode, TcxImageFitMode AFitMode)
{
  const TSize size = cxGetImageSize(AGlyph, AScaleFactor);
  if (size.cx <= 0 || size.cy <= 0)
    return;
  const TRect target = cxGetImageRect(R, size, AFitMode);
  // The destination is R itself: an image that fills or overflows it is cut
  // at R, and a shadow has room inside it.
  cxDrawImageToDC(ACanvas->GetHandle(), target, R, APalette, AUseLeftBottomPixelAsTransparent, clNone, nullptr,
                  ASmoothImage, ADrawMode, AGlyph);
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor,
                 IdxColorPalette* APalette, bool AEnabled)
{
  cxDrawImage(ACanvas, R, AGlyph, false, AScaleFactor, APalette, true, AEnabled ? idmNormal : idmDisabled, ifmNormal);
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, TGraphic* AGlyph, bool ASmoothImage,
                 const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                 TcxImageDrawMode ADrawMode, TcxImageFitMode AFitMode, int AIndex, TCustomImageList* AImages)
{
  const TSize size = cxGetImageSize(AGlyph, AImages, AIndex, AScaleFactor);
  if (size.cx <= 0 || size.cy <= 0)
    return;
  const TRect target = cxGetImageRect(R, size, AFitMode);
  if (!cxIsGraphicAssigned(AGlyph) && rtl::Is<TcxCustomImageList>(AImages))
    TdxImageListPaintCache::Draw(ACanvas, target, AImages, ASmoothImage, APalette, AUseLeftBottomPixelAsTransparent,
                                 ADrawMode, AIndex);
  else
    cxDrawImageToDC(ACanvas->GetHandle(), target, R, APalette, AUseLeftBottomPixelAsTransparent, clNone, nullptr,
                    ASmoothImage, ADrawMode, AIndex, AImages, AGlyph);
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& R, TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor,
                 IdxColorPalette* APalette, bool AEnabled, int AIndex, TCustomImageList* AImages)
{
  cxDrawImage(ACanvas, R, AGlyph, false, AScaleFactor, APalette, true, AEnabled ? idmNormal : idmDisabled, ifmNormal,
              AIndex, AImages);
}

void cxDrawMetafile(TcxCanvas* ACanvas, const TRect& R, TGraphic* AMetafile, bool ASmoothImage,
                    const TdxScaleFactor* AScaleFactor, IdxColorPalette* APalette, TcxImageFitMode AFitMode)
{
  const bool leftBottomTransparent =
      AMetafile && AMetafile->GetTransparent() && !rtl::Is<TMetafile>(AMetafile);
  cxDrawImage(ACanvas, R, AMetafile, ASmoothImage, AScaleFactor, APalette, leftBottomTransparent, idmNormal,
              AFitMode);
}

void cxDrawImageToDC(HDC ADC, const TRect& AImageRect, const TRect& ADestRect, IdxColorPalette* APalette,
                     bool AUseLeftBottomPixelAsTransparent, TColor ATransparentColor, HBRUSH ABackgroundBrush,
                     bool ASmoothImage, TcxImageDrawMode ADrawMode, TGraphic* AGlyph)
{
  cxDrawImageToDC(ADC, AImageRect, ADestRect, APalette, AUseLeftBottomPixelAsTransparent, ATransparentColor,
                  ABackgroundBrush, ASmoothImage, ADrawMode, -1, nullptr, AGlyph);
}

void cxDrawImageToDC(HDC ADC, const TRect& AImageRect, const TRect& ADestRect, IdxColorPalette* APalette,
                     bool AUseLeftBottomPixelAsTransparent, TColor ATransparentColor, HBRUSH ABackgroundBrush,
                     bool ASmoothImage, TcxImageDrawMode ADrawMode, int AIndex, TCustomImageList* AImages,
                     TGraphic* AGlyph)
{
  const bool hasGlyph = cxIsGraphicAssigned(AGlyph);
  if (!hasGlyph && !cxIsImageIndexValid(AImages, AIndex))
    return;
  if (cxRectHasNoArea(ADestRect))
    return;
  TcxAlphaBitmap* background = ScratchBitmap(BackgroundBitmap, cxRectGetWidth(ADestRect), cxRectGetHeight(ADestRect));
  if (ABackgroundBrush) {
    const TRect client = background->GetClientRect();
    FillRect(BitmapDC(background), &client, ABackgroundBrush);
  } else
    cxBlitRect(BitmapDC(background), ADC, background->GetClientRect(), TPoint{ADestRect.left, ADestRect.top});

  TRect imageRect = cxRectOffsetBy(AImageRect, -ADestRect.left, -ADestRect.top);
  TSize imageSize = cxRectGetSize(imageRect);
  if (!hasGlyph && !rtl::Is<TcxCustomImageList>(AImages))
    imageSize = {AImages->GetWidth(), AImages->GetHeight()};
  else if (imageSize.cx <= 0 || imageSize.cy <= 0)
    imageSize = hasGlyph ? TSize{AGlyph->GetWidth(), AGlyph->GetHeight()}
                         : TSize{AImages->GetWidth(), AImages->GetHeight()};
  TcxAlphaBitmap* image = ScratchBitmap(ImageBitmap, imageSize.cx, imageSize.cy);
  TColor glyphTransparentColor = clNone;
  const bool hasAlpha = hasGlyph ? RenderGlyph(image, AGlyph, ASmoothImage, glyphTransparentColor)
                                 : RenderListImage(image, AIndex, AImages, APalette);
  if (!hasAlpha)
    image->TransformBitmap(btmSetOpaque);

  TcxAlphaBitmap* mask = nullptr;
  if (!hasAlpha) {
    mask = ScratchBitmap(MaskBitmap, imageSize.cx, imageSize.cy);
    mask->CopyBitmap(image);
    if (cxIsColorAssigned(ATransparentColor))
      mask->GetTransparentPixels()->Add(ATransparentColor);
    if (AUseLeftBottomPixelAsTransparent && hasGlyph)
      mask->GetTransparentPixels()->Add(glyphTransparentColor);
    mask->TransformBitmap(btmMakeMask);
    if (!hasGlyph)
      AddListMask(mask, AIndex, AImages);
    image->Filter(mask);
  }

  std::uint8_t constantAlpha = 255;
  switch (ADrawMode) {
    case idmDisabled:
      if (!mask) {
        image->TransformBitmap(btmDisable);
        constantAlpha = 151;
      } else {
        image->TransformBitmap(btmDirty);
        image->DrawShadow(mask, 1, clBtnHighlight, false);
      }
      break;
    case idmFaded:
      image->TransformBitmap(btmFade);
      constantAlpha = 64;
      break;
    case idmGrayScale:
      image->TransformBitmap(btmGrayScale);
      break;
    case idmDingy:
      image->TransformBitmap(btmDingy);
      break;
    case idmShadowed:
      if (!mask) {
        mask = ScratchBitmap(MaskBitmap, imageSize.cx, imageSize.cy);
        mask->CopyBitmap(image);
        mask->TransformBitmap(btmMakeMask);
      }
      image->DrawShadow(mask, 2, clBtnShadow, true);
      imageRect = cxRectOffsetBy(cxRectInflateSides(imageRect, 0, 0, 2, 2), -1, -1);
      break;
    default:
      break;
  }
  cxAlphaBlend(background, image, imageRect, image->GetClientRect(), ASmoothImage, constantAlpha);
  cxCopyBitmapToDC(ADC, background, ADestRect, SRCCOPY);
}

void cxFitBitmapToSize(TcxBitmap32* ABitmap32, int AWidth, int AHeight, TColor ABackgroundColor, bool ASmoothImage,
                       bool AStretch)
{
  const rtl::TOwnedPtr<TcxBitmap32> copy = NewBitmap32(ABitmap32->GetWidth(), ABitmap32->GetHeight());
  copy->CopyBitmap(ABitmap32);
  ABitmap32->SetSize(AWidth, AHeight);
  if (AStretch || ABackgroundColor == clNone)
    ABitmap32->Clear();
  else
    cxFillRectByColor(BitmapDC(ABitmap32), ABitmap32->GetClientRect(), ABackgroundColor);
  if (AStretch)
    cxAlphaBlend(ABitmap32, copy.get(), ABitmap32->GetClientRect(), copy->GetClientRect(), ASmoothImage, 255);
  else
    cxBlitRect(BitmapDC(ABitmap32), BitmapDC(copy.get()),
               cxRectCenterBox(ABitmap32->GetClientRect(), copy->GetWidth(), copy->GetHeight()), cxNullPoint);
}

void cxCopyImagesAsMasked(TCustomImageList* ASource, TCustomImageList* ATarget, TColor ATransparentColor,
                          TcxImageDrawMode ADrawMode)
{
  ATarget->Clear();
  const int width = ASource->GetWidth();
  const int height = ASource->GetHeight();
  const rtl::TOwnedPtr<TcxAlphaBitmap> image(rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) {
    const TColor rgb = ColorToRGB(ATransparentColor);
    B->CreateSize(width, height, RGBQUAD{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 255});
  }));
  const rtl::TOwnedPtr<TBitmap> flat(cxCreateBitmap(width, height, pf24bit));
  const TRect flatRect{0, 0, width, height};
  for (int i = 0; i < ASource->GetCount(); ++i) {
    image->Clear();
    cxDrawImageToDC(BitmapDC(image.get()), image->GetClientRect(), image->GetClientRect(), nullptr, false, clNone,
                    nullptr, false, ADrawMode, i, ASource, nullptr);
    cxBlitRect(BitmapDC(flat.get()), BitmapDC(image.get()), flatRect, cxNullPoint);
    if (rtl::Is<TcxCustomImageList>(ATarget))
      static_cast<TcxCustomImageList*>(ATarget)->AddMasked(flat.get(), ATransparentColor);
    else
      ATarget->AddMasked(flat.get(), ATransparentColor);
  }
}

void cxConvertImageListToMasked(TCustomImageList* AImages, TColor ATransparentColor, TcxImageDrawMode ADrawMode)
{
  const rtl::TOwnedPtr<TcxImageList> copy(rtl::New<TcxImageList>(nullptr));
  copy->Assign(AImages);
  cxCopyImagesAsMasked(copy.get(), AImages, ATransparentColor, ADrawMode);
}

// ---------------------------------------------------------------------------
// Pixels of a bitmap

// The bitmap leaves its canvas's DC first: GetDIBits and SetDIBits want it
// unselected.
static void ReleaseFromCanvas(vcl::TBitmap* ABitmap)
{
  if (ABitmap->HasCanvas())
    static_cast<vcl::TBitmapCanvas*>(ABitmap->GetCanvas())->FreeContext();
}

// Top-down 32-bit pixels, 0xAARRGGBB.
std::vector<std::uint32_t> cxReadBitmapPixels(vcl::TBitmap* ABitmap)
{
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (pixels.empty())
    return pixels;
  const HBITMAP handle = ABitmap->GetHandle();
  ReleaseFromCanvas(ABitmap);
  BITMAPINFO info{};
  dxInitBitmapInfoHeader32(info.bmiHeader, width, height, true);
  TWindowDC screen(nullptr);
  GetDIBits(screen.Get(), handle, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

void cxWriteBitmapPixels(vcl::TBitmap* ABitmap, const std::vector<std::uint32_t>& APixels)
{
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  if (APixels.empty() || APixels.size() != static_cast<std::size_t>(width) * height)
    return;
  const HBITMAP handle = ABitmap->GetHandle();
  ReleaseFromCanvas(ABitmap);
  BITMAPINFO info{};
  dxInitBitmapInfoHeader32(info.bmiHeader, width, height, true);
  TWindowDC screen(nullptr);
  SetDIBits(screen.Get(), handle, 0, height, APixels.data(), &info, DIB_RGB_COLORS);
  ABitmap->SetModified(true);
}
