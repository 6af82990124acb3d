// The concrete smart images, the counted pens and brushes with their caches,
// and the registrations of the unit's start-up.
#include "graphics/dxGDIPlusClassesGlyphs.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/GraphicsHandles.h"

using enum vcl::TPenStyle;

namespace {

constinit TdxGPSolidPenCacheManager* SolidPenCache = nullptr;
constinit TdxGPSolidBrushCacheManager* SolidBrushCache = nullptr;

// Orders 32-bit colours as signed numbers, as the caches always have, but
// without the overflow of a subtraction, which would make the order
// inconsistent (and the binary search miss entries) for colours far apart.
int CompareSigned(TdxAlphaColor ALeft, TdxAlphaColor ARight)
{
  const auto left = static_cast<std::int32_t>(ALeft);
  const auto right = static_cast<std::int32_t>(ARight);
  return (left > right) - (left < right);
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxGPImage

TdxGPImageHandle* TdxGPImage::RasterHandle()
{
  TdxSmartImageCustomHandle* handle = GetImageHandle();
  return rtl::Is<TdxGPImageHandle>(handle) ? static_cast<TdxGPImageHandle*>(handle) : nullptr;
}

Gdiplus::GpImage* TdxGPImage::GetHandle()
{
  if (!RasterHandle())
    ConvertToBitmap();
  // An empty image has no native image.
  TdxGPImageHandle* handle = RasterHandle();
  return handle ? handle->GetHandle() : nullptr;
}

void TdxGPImage::SetHandle(Gdiplus::GpImage* AValue)
{
  SetImageHandle(rtl::New<TdxGPImageHandle>(AValue));
}

TdxGPCanvas* TdxGPImage::CreateCanvas()
{
  // Drawing must reach something that is kept: encoded data becomes pixels,
  // which the handle then draws into in place.
  if (!GetImageData()->Empty())
    ConvertToBitmap();
  Gdiplus::GpGraphics* graphics = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(GetHandle(), &graphics));
  TdxGPCanvas* result = rtl::New<TdxGPCanvas>(graphics);
  Changed(this);
  return result;
}

void TdxGPImage::Flip(bool AHorizontally, bool AVertically)
{
  if (!(AHorizontally || AVertically) || GetEmpty())
    return;
  if (!rtl::Supports<IdxGpFlipContent>(GetImageHandle()))
    ConvertToBitmap();
  rtl::IPtr<IdxGpFlipContent> flip;
  if (rtl::Supports<IdxGpFlipContent>(GetImageHandle(), &flip))
    flip->Flip(AHorizontally, AVertically);
  // The flipped handle is now the only copy: the stored data would give the
  // unflipped image back on the next save or after Dormant.
  GetImageData()->Clear();
  Changed(this);
}

TdxGPImage* TdxGPImage::MakeComposition(TdxGPImage* AOverlayImage, std::uint8_t AOverlayAlpha)
{
  return MakeComposition(AOverlayImage, AOverlayAlpha, 255);
}

TdxGPImage* TdxGPImage::MakeComposition(TdxGPImage* AOverlayImage, std::uint8_t AOverlayAlpha,
                                        std::uint8_t ASourceAlpha)
{
  const TSize size = GetSize();
  rtl::TOwnedPtr<TdxGPImage> result(
      rtl::NewWith<TdxGPImage>([&](TdxGPImage* AImage) { AImage->CreateSize(size.cx, size.cy, 0); }));
  if (!result->GetEmpty()) {
    rtl::TOwnedPtr<TdxGPCanvas> canvas(result->CreateCanvas());
    const TRect target = result->ClientRect();
    StretchDraw(canvas.get(), target, ClientRect(), ASourceAlpha);
    AOverlayImage->StretchDraw(canvas.get(), target, AOverlayImage->ClientRect(), AOverlayAlpha);
  }
  return result.release();
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                             std::uint8_t AAlpha, IdxColorPalette* APalette)
{
  StretchDraw(ACanvas, ADest, ASource, dxGpGetAlphaBlendAttributes(AAlpha), APalette);
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
                             IdxColorPalette* APalette)
{
  StretchDraw(ACanvas, ADest, ASource, dxGpGetAlphaBlendAttributes(AAlpha), APalette);
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                             TdxGPImageAttributes* AAttributes, IdxColorPalette* AColorPalette)
{
  if (GetEmpty())
    return;
  rtl::IPtr<IdxGPGraphicDraw> draw;
  if (rtl::Supports<IdxGPGraphicDraw>(GetImageHandle(), &draw)) {
    draw->Draw(ACanvas, ADest, ASource, AAttributes);
    return;
  }
  const auto truncated = [](const TdxRectF& R) {
    return TRect{static_cast<LONG>(R.Left), static_cast<LONG>(R.Top), static_cast<LONG>(R.Right),
                 static_cast<LONG>(R.Bottom)};
  };
  StretchDraw(ACanvas, truncated(ADest), truncated(ASource), AAttributes, AColorPalette);
}

void TdxGPImage::StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource,
                             TdxGPImageAttributes* AAttributes, IdxColorPalette* AColorPalette)
{
  if (GetEmpty())
    return;
  rtl::IPtr<IdxGPGraphicDraw> draw;
  if (rtl::Supports<IdxGPGraphicDraw>(GetImageHandle(), &draw)) {
    draw->Draw(ACanvas, ADest, ASource, AAttributes);
    return;
  }
  const std::uint8_t alpha = rtl::Is<TdxGPAlphaBlendAttributes>(AAttributes)
                                 ? static_cast<TdxGPAlphaBlendAttributes*>(AAttributes)->GetAlpha()
                                 : 255;
  // A vector image draws on the canvas's device context, which knows
  // nothing of the canvas's world transform unless it is handed over.
  Gdiplus::GpMatrix* matrix = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateMatrix(&matrix));
  struct TMatrixGuard {
    Gdiplus::GpMatrix* Matrix;
    ~TMatrixGuard() { dxGpFunctions.GdipDeleteMatrix(Matrix); }
  } matrixGuard{matrix};
  dxGpCheck(dxGpFunctions.GdipGetWorldTransform(ACanvas->Handle(), matrix));
  float elements[6];
  dxGpCheck(dxGpFunctions.GdipGetMatrixElements(matrix, elements));
  const XFORM transform{elements[0], elements[1], elements[2], elements[3], elements[4], elements[5]};

  HDC DC = ACanvas->GetHDC();
  const rtl::Finally release([ACanvas, DC] { ACanvas->ReleaseHDC(DC); });
  // The DC's own transform is back before the canvas takes the DC again.
  const vcl::TWorldTransformGuard world(DC, transform);
  TdxCustomSmartImage::StretchDraw(DC, ADest, ASource, alpha, AColorPalette);
}

TdxSmartImageCustomHandle* TdxGPImage::CreateCache(const TSize& ATargetSize)
{
  TdxGPImageHandle* handle = RasterHandle();
  if (!handle)
    return nullptr;
  rtl::TOwnedPtr<TdxGPImageHandle> result(handle->Clone());
  result->SetSize(ATargetSize);
  return result.release();
}

// ---------------------------------------------------------------------------
// TdxPNGImage

void TdxPNGImage::SaveToStream(rtl::TStream* AStream)
{
  SaveToStreamByCodec(AStream, TdxGPImageCodecPNG::Class());
}

// ---------------------------------------------------------------------------
// TdxSmartGlyph

void TdxSmartGlyph::Create()
{
  inherited::Create();
  FTransparent = true;
  FSourceDPI = dxDefaultDPI;
}

void TdxSmartGlyph::SetSourceDPI(int AValue)
{
  AValue = dxCheckDPI(AValue);
  if (AValue != FSourceDPI) {
    FSourceDPI = AValue;
    Changed(this);
  }
}

int TdxSmartGlyph::GetSourceHeight()
{
  return FSourceHeight != 0 ? FSourceHeight : GetHeight();
}

void TdxSmartGlyph::SetSourceHeight(int AValue)
{
  AValue = std::max(AValue, 0);
  if (AValue == GetHeight())
    AValue = 0;
  if (AValue != FSourceHeight) {
    FSourceHeight = AValue;
    Changed(this);
  }
}

int TdxSmartGlyph::GetSourceWidth()
{
  return FSourceWidth != 0 ? FSourceWidth : GetWidth();
}

void TdxSmartGlyph::SetSourceWidth(int AValue)
{
  AValue = std::max(AValue, 0);
  if (AValue == GetWidth())
    AValue = 0;
  if (AValue != FSourceWidth) {
    FSourceWidth = AValue;
    Changed(this);
  }
}

TSize __stdcall TdxSmartGlyph::GetSourceSize()
{
  if (FSourceWidth != 0 || FSourceHeight != 0)
    return {GetSourceWidth(), GetSourceHeight()};
  return GetSize();
}

void TdxSmartGlyph::LoadFromBitmap(vcl::TBitmap* ABitmap)
{
  GetImageData()->FTransparent = FTransparent;
  inherited::LoadFromBitmap(ABitmap);
}

bool TdxSmartGlyph::IsBitmapStream(rtl::TStream* AStream)
{
  if (inherited::IsBitmapStream(AStream))
    return true;
  const std::int64_t start = AStream->GetPosition();
  std::uint32_t size = 0;
  std::uint8_t header[14];
  const bool result = AStream->Read(&size, sizeof(size)) == sizeof(size) &&
                      AStream->Read(header, sizeof(header)) == sizeof(header) && header[0] == 'B' &&
                      header[1] == 'M' && std::memcmp(&header[2], &size, sizeof(size)) == 0;
  // Positioned from where the test began, not by stepping back: a short
  // stream must not be left before its start.
  AStream->SetPosition(result ? start + static_cast<std::int64_t>(sizeof(size)) : start);
  return result;
}

void TdxSmartGlyph::AssignFromSmartImage(TdxCustomSmartImage* AImage)
{
  inherited::AssignFromSmartImage(AImage);
  if (rtl::Is<TdxSmartGlyph>(AImage)) {
    auto* glyph = static_cast<TdxSmartGlyph*>(AImage);
    SetSourceDPI(glyph->FSourceDPI);
    SetSourceHeight(glyph->GetSourceHeight());
    SetSourceWidth(glyph->GetSourceWidth());
  }
}

// ---------------------------------------------------------------------------
// Counted handles

void TdxGPHandle::Create(void* AHandle)
{
  inherited::Create();
  FHandle = AHandle;
}

// The delete statuses are not raised: a handle goes with its last Release,
// called where an exception could not pass. A handle outliving the library
// finds its functions gone (the library took its objects with it).
void TdxGPPenHandle::Destroy()
{
  if (FHandle && dxGpFunctions.GdipDeletePen)
    dxGpFunctions.GdipDeletePen(static_cast<Gdiplus::GpPen*>(FHandle));
  inherited::Destroy();
}

void TdxGPBrushHandle::Destroy()
{
  if (FHandle && dxGpFunctions.GdipDeleteBrush)
    dxGpFunctions.GdipDeleteBrush(static_cast<Gdiplus::GpBrush*>(FHandle));
  inherited::Destroy();
}

// ---------------------------------------------------------------------------
// Caches

int TdxGPSolidPenCacheManager::Compare(const TdxGPSolidPenCacheID& ALeft, const TdxGPSolidPenCacheID& ARight)
{
  if (const int result = CompareSigned(ALeft.Color, ARight.Color))
    return result;
  if (ALeft.Style != ARight.Style)
    return ALeft.Style < ARight.Style ? -1 : 1;
  return (ALeft.Width > ARight.Width) - (ALeft.Width < ARight.Width);
}

rtl::IPtr<IdxGPHandle> TdxGPSolidPenCacheManager::CreateValue(const TdxGPSolidPenCacheID& AKey)
{
  Gdiplus::GpPen* pen = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreatePen1(AKey.Color, AKey.Width, Gdiplus::UnitPixel, &pen));
  // Counted from here on, so a failing style setting frees the pen.
  rtl::IPtr<IdxGPHandle> result(rtl::New<TdxGPPenHandle>(pen));
  dxGpCheck(dxGpFunctions.GdipSetPenDashStyle(pen, AKey.Style));
  return result;
}

int TdxGPSolidBrushCacheManager::Compare(const TdxAlphaColor& ALeft, const TdxAlphaColor& ARight)
{
  return CompareSigned(ALeft, ARight);
}

rtl::IPtr<IdxGPHandle> TdxGPSolidBrushCacheManager::CreateValue(const TdxAlphaColor& AKey)
{
  Gdiplus::GpSolidFill* brush = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateSolidFill(AKey, &brush));
  return rtl::IPtr<IdxGPHandle>(rtl::New<TdxGPBrushHandle>(static_cast<Gdiplus::GpBrush*>(brush)));
}

// ---------------------------------------------------------------------------
// TdxGPResourceManager

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, float AWidth, Gdiplus::DashStyle AStyle,
                                  rtl::IPtr<IdxGPHandle>& AHandle)
{
  AHandle.Reset();
  if (dxIsEmptyOrTransparentAlphaColor(AColor) || !(AWidth > 0) || !SolidPenCache)
    return false;
  AHandle = SolidPenCache->GetValue({AColor, AStyle, AWidth});
  return true;
}

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle AStyle,
                                  rtl::IPtr<IdxGPHandle>& AHandle)
{
  AHandle.Reset();
  switch (AStyle) {
    case psSolid:
      return GetPen(AColor, AWidth, Gdiplus::DashStyleSolid, AHandle);
    case psDash:
      return GetPen(AColor, AWidth, Gdiplus::DashStyleDash, AHandle);
    case psDot:
      return GetPen(AColor, AWidth, Gdiplus::DashStyleDot, AHandle);
    case psDashDot:
      return GetPen(AColor, AWidth, Gdiplus::DashStyleDashDot, AHandle);
    case psDashDotDot:
      return GetPen(AColor, AWidth, Gdiplus::DashStyleDashDotDot, AHandle);
    default:
      return false;
  }
}

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, float AWidth, TdxGPPenStyle AStyle,
                                  rtl::IPtr<IdxGPHandle>& AHandle)
{
  constexpr Gdiplus::DashStyle styles[] = {Gdiplus::DashStyleSolid, Gdiplus::DashStyleDash, Gdiplus::DashStyleDot,
                                           Gdiplus::DashStyleDashDot, Gdiplus::DashStyleDashDotDot};
  return GetPen(AColor, AWidth, styles[AStyle], AHandle);
}

bool TdxGPResourceManager::GetPen(vcl::TColor AColor, std::uint8_t AColorAlpha, float AWidth,
                                  vcl::TPenStyle AStyle, rtl::IPtr<IdxGPHandle>& AHandle)
{
  return GetPen(dxColorToAlphaColor(AColor, AColorAlpha), AWidth, AStyle, AHandle);
}

bool TdxGPResourceManager::GetSolidBrush(TdxAlphaColor AColor, rtl::IPtr<IdxGPHandle>& AHandle)
{
  AHandle.Reset();
  if (dxIsEmptyOrTransparentAlphaColor(AColor) || !SolidBrushCache)
    return false;
  AHandle = SolidBrushCache->GetValue(AColor);
  return true;
}

bool TdxGPResourceManager::GetSolidBrush(vcl::TColor AColor, std::uint8_t AColorAlpha,
                                         rtl::IPtr<IdxGPHandle>& AHandle)
{
  AHandle.Reset();
  if (AColor == vcl::clNone || !SolidBrushCache)
    return false;
  AHandle = SolidBrushCache->GetValue(dxColorToAlphaColor(AColor, AColorAlpha));
  return true;
}

TdxGPSolidPenCacheManager* TdxGPResourceManager::PenCache()
{
  return SolidPenCache;
}

TdxGPSolidBrushCacheManager* TdxGPResourceManager::BrushCache()
{
  return SolidBrushCache;
}

// ---------------------------------------------------------------------------
// Start-up and finish

namespace {

struct TPictureFormat {
  const wchar_t* Extension;
  TdxSmartImageCodecClass (*Codec)();
  bool IsPNG;
  TdxImageDataFormat Format;
  const wchar_t* ClipboardName;
};

constexpr TPictureFormat PictureFormats[] = {
    {L"PNG", &TdxGPImageCodecPNG::Class, true, dxImagePng, L"PNG"},
    {L"TIFF", &TdxGPImageCodecTIFF::Class, false, dxImageTiff, L"TIFF"},
    {L"TIF", &TdxGPImageCodecTIFF::Class, false, dxImageTiff, L"TIFF"},
    {L"GIF", &TdxGPImageCodecGIF::Class, false, dxImageGif, L"GIF"},
    {L"JPEG", &TdxGPImageCodecJPEG::Class, false, dxImageJpeg, L"JPEG"},
    {L"JPG", &TdxGPImageCodecJPEG::Class, false, dxImageJpeg, L"JPEG"}};

bool HasEncoder(TdxImageDataFormat AFormat)
{
  CLSID encoder{};
  dxGetImageEncoder(AFormat, encoder);
  return !IsEqualGUID(encoder, GUID{});
}

void RegisterPictureFormats()
{
  dxSetImageClipboardFormat(dxImageBitmap, CF_BITMAP);
  for (const TPictureFormat& format : PictureFormats) {
    if (!HasEncoder(format.Format))
      continue;
    const vcl::TGraphicClass graphicClass = format.IsPNG ? vcl::TGraphicClass::Of<TdxPNGImage>()
                                                         : vcl::TGraphicClass::Of<TdxSmartImage>();
    // The base description, also for the codecs whose own is empty.
    const TdxSmartImageCodecClass codec = format.Codec();
    vcl::TPicture::RegisterFileFormat(format.Extension, codec->TdxSmartImageCodec::Description(), graphicClass);
    const auto clipboardFormat = static_cast<WORD>(RegisterClipboardFormatW(format.ClipboardName));
    vcl::TPicture::RegisterClipboardFormat(clipboardFormat, graphicClass);
    dxSetImageClipboardFormat(format.Format, clipboardFormat);
  }
}

void GlyphsStartStep()
{
  if (!dxGpIsAvailable())
    return;
  SolidPenCache = rtl::New<TdxGPSolidPenCacheManager>(dxGPResourceCacheCapacity);
  SolidBrushCache = rtl::New<TdxGPSolidBrushCacheManager>(dxGPResourceCacheCapacity);
  dxGpLoadCodecIDs();
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TdxPNGImage>(), rtl::TPersistentClass::Of<TdxSmartImage>()});
  RegisterPictureFormats();
}

void GlyphsFinishStep()
{
  rtl::FreeAndNil(SolidPenCache);
  rtl::FreeAndNil(SolidBrushCache);
  vcl::TPicture::UnregisterGraphicClass(vcl::TGraphicClass::Of<TdxGPImage>());
  rtl::UnRegisterClasses({rtl::TPersistentClass::Of<TdxPNGImage>(), rtl::TPersistentClass::Of<TdxSmartImage>()});
}

}  // namespace

void dxGpRegisterImageClassesStep()
{
  dxGetUnitsLoader()->AddUnit(&GlyphsStartStep, &GlyphsFinishStep);
}

void dxGpUnregisterImageClassesStep()
{
  dxGetUnitsLoader()->RemoveUnit(&GlyphsFinishStep);
}
