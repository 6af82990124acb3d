// The concrete smart images and the shared pens and brushes of the 2-D
// graphics library (part of the unit dxGDIPlusClasses):
// - TdxGPImage, a smart image with the library's drawing operations;
//   TdxSmartImage, the general image class of properties and pictures;
//   TdxPNGImage, which always saves PNG; TdxSmartGlyph, a glyph that knows
//   the DPI and size it was designed for;
// - IdxGPHandle with the counted pen and brush handles, the two process-wide
//   caches that hand them out and TdxGPResourceManager in front of them;
// - the unit's start-up and finish steps for the caches, the class registry,
//   the picture file formats and the clipboard table.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/dxDPIAwareUtils.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "graphics/dxSmartImage.h"
#include "platform/rtl/TypInfo.h"

// ---------------------------------------------------------------------------
// Image classes

class TdxGPImage : public TdxCustomSmartImage {
  RTL_CLASS(TdxGPImage, TdxCustomSmartImage)

 public:
  // The native image, nil for an empty image; a vector image is made a
  // bitmap first.
  Gdiplus::GpImage* GetHandle();
  // Takes AValue over; it becomes the image's only content.
  void SetHandle(Gdiplus::GpImage* AValue);

  TdxGPImage* Clone() { return static_cast<TdxGPImage*>(TdxCustomSmartImage::Clone()); }
  // A canvas drawing into the image's own pixels; the caller frees it. The
  // image signals its change before anything is drawn.
  TdxGPCanvas* CreateCanvas();
  void Flip(bool AHorizontally, bool AVertically);
  // A new image of this one's size (the caller frees it): this image drawn
  // with ASourceAlpha and the overlay stretched over it with AOverlayAlpha.
  TdxGPImage* MakeComposition(TdxGPImage* AOverlayImage, std::uint8_t AOverlayAlpha);
  TdxGPImage* MakeComposition(TdxGPImage* AOverlayImage, std::uint8_t AOverlayAlpha, std::uint8_t ASourceAlpha);

  using TdxCustomSmartImage::StretchDraw;
  // Raster images draw through the canvas; vector images draw on its device
  // context under the canvas's world transform.
  void StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  void StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  // A handle that draws on the canvas itself takes the attributes; a vector
  // image honours only the alpha of alpha-blend attributes.
  void StretchDraw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                   TdxGPImageAttributes* AAttributes, IdxColorPalette* AColorPalette);
  void StretchDraw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource, TdxGPImageAttributes* AAttributes,
                   IdxColorPalette* AColorPalette);

 protected:
  // A resampled copy of a raster handle; nil for vector images.
  TdxSmartImageCustomHandle* CreateCache(const TSize& ATargetSize) override;

 private:
  TdxGPImageHandle* RasterHandle();
};

class TdxSmartImage : public TdxGPImage {
  RTL_CLASS(TdxSmartImage, TdxGPImage)
};

class TdxPNGImage : public TdxSmartImage {
  RTL_CLASS(TdxPNGImage, TdxSmartImage)

 public:
  // Always PNG: stored PNG bytes as they are, anything else encoded.
  void SaveToStream(rtl::TStream* AStream) override;
};

// A glyph: bitmaps loaded into it make their key colour transparent, and it
// tells what DPI and size it was designed for.
class TdxSmartGlyph : public TdxSmartImage, public IdxSourceDPI, public IdxSourceSize {
  RTL_CLASS(TdxSmartGlyph, TdxSmartImage)
  RTL_INTERFACES(IdxSourceDPI, IdxSourceSize)
  RTL_PUBLISHED(RTL_PROPERTY(SourceDPI, GetSourceDPIValue, SetSourceDPI, RTL_STORED(IsSourceDPIStored)),
                RTL_PROPERTY(SourceHeight, GetSourceHeight, SetSourceHeight, RTL_STORED(IsSourceHeightStored)),
                RTL_PROPERTY(SourceWidth, GetSourceWidth, SetSourceWidth, RTL_STORED(IsSourceWidthStored)))

 public:
  void Create() override;

  int GetSourceDPIValue() const { return FSourceDPI; }
  // Clamped to 30..480.
  void SetSourceDPI(int AValue);
  // The image's own height unless another was set.
  int GetSourceHeight();
  // A value equal to the image's height is not stored.
  void SetSourceHeight(int AValue);
  int GetSourceWidth();
  void SetSourceWidth(int AValue);

  // IdxSourceDPI
  int __stdcall GetSourceDPI() override { return FSourceDPI; }
  // IdxSourceSize
  TSize __stdcall GetSourceSize() override;

 protected:
  void LoadFromBitmap(vcl::TBitmap* ABitmap) override;
  // Also a bitmap streamed with its 32-bit size in front, as a platform
  // bitmap property stores it; such a stream is left at its "BM".
  bool IsBitmapStream(rtl::TStream* AStream) override;
  void AssignFromSmartImage(TdxCustomSmartImage* AImage) override;

 private:
  bool IsSourceDPIStored() { return !GetEmpty(); }
  bool IsSourceHeightStored() const { return FSourceHeight != 0; }
  bool IsSourceWidthStored() const { return FSourceWidth != 0; }

  int FSourceDPI;
  int FSourceHeight;
  int FSourceWidth;
  bool FTransparent;
};

// ---------------------------------------------------------------------------
// Counted native pens and brushes

struct IdxGPHandle : rtl::IInterface {
  RTL_GUID(IdxGPHandle, "{329D311E-2864-4E9F-93E7-5556D7E264AC}")
  virtual void* __stdcall GetNativeHandle() = 0;
};

// Owns its native object; freed with the last reference.
class TdxGPHandle : public rtl::TInterfacedObject, public IdxGPHandle {
  RTL_CLASS(TdxGPHandle, rtl::TInterfacedObject)
  RTL_INTERFACES(IdxGPHandle)

 public:
  void Create(void* AHandle);
  void* __stdcall GetNativeHandle() override { return FHandle; }

 protected:
  void* FHandle;
};

class TdxGPPenHandle : public TdxGPHandle {
  RTL_CLASS(TdxGPPenHandle, TdxGPHandle)

 public:
  void Destroy() override;
};

class TdxGPBrushHandle : public TdxGPHandle {
  RTL_CLASS(TdxGPBrushHandle, TdxGPHandle)

 public:
  void Destroy() override;
};

// ---------------------------------------------------------------------------
// Caches

struct TdxGPSolidPenCacheID {
  TdxAlphaColor Color;
  Gdiplus::DashStyle Style;
  float Width;
};

template <class K>
using TdxGPHandleCacheBase = TdxCustomValueCacheManager<K, rtl::IPtr<IdxGPHandle>>;

// Releasing an entry releases only the cache's reference: a caller still
// holding the handle keeps the native object alive.
template <class K>
class TdxGPHandleCacheManager : public TdxGPHandleCacheBase<K> {
  RTL_CLASS(TdxGPHandleCacheManager, TdxGPHandleCacheBase<K>)
};

class TdxGPSolidPenCacheManager : public TdxGPHandleCacheManager<TdxGPSolidPenCacheID> {
  RTL_CLASS(TdxGPSolidPenCacheManager, TdxGPHandleCacheManager<TdxGPSolidPenCacheID>)

 protected:
  // By colour, then style, then width.
  int Compare(const TdxGPSolidPenCacheID& ALeft, const TdxGPSolidPenCacheID& ARight) override;
  rtl::IPtr<IdxGPHandle> CreateValue(const TdxGPSolidPenCacheID& AKey) override;
};

class TdxGPSolidBrushCacheManager : public TdxGPHandleCacheManager<TdxAlphaColor> {
  RTL_CLASS(TdxGPSolidBrushCacheManager, TdxGPHandleCacheManager<TdxAlphaColor>)

 protected:
  int Compare(const TdxAlphaColor& ALeft, const TdxAlphaColor& ARight) override;
  rtl::IPtr<IdxGPHandle> CreateValue(const TdxAlphaColor& AKey) override;
};

// The capacity of each cache.
inline constexpr int dxGPResourceCacheCapacity = 100;

// The shared solid pens and brushes, on the user-interface thread. Each form
// empties AHandle first and answers whether it delivered one; nothing is
// delivered for an empty or transparent colour, or while the library is not
// available.
class TdxGPResourceManager {
 public:
  TdxGPResourceManager() = delete;

  static bool GetPen(TdxAlphaColor AColor, float AWidth, Gdiplus::DashStyle AStyle, rtl::IPtr<IdxGPHandle>& AHandle);
  // psSolid ... psDashDotDot; any other style delivers nothing.
  static bool GetPen(TdxAlphaColor AColor, float AWidth, vcl::TPenStyle AStyle, rtl::IPtr<IdxGPHandle>& AHandle);
  static bool GetPen(TdxAlphaColor AColor, float AWidth, TdxGPPenStyle AStyle, rtl::IPtr<IdxGPHandle>& AHandle);
  static bool GetPen(vcl::TColor AColor, std::uint8_t AColorAlpha, float AWidth, vcl::TPenStyle AStyle,
                     rtl::IPtr<IdxGPHandle>& AHandle);
  static bool GetSolidBrush(TdxAlphaColor AColor, rtl::IPtr<IdxGPHandle>& AHandle);
  // Nothing for clNone; a zero alpha still gives a brush.
  static bool GetSolidBrush(vcl::TColor AColor, std::uint8_t AColorAlpha, rtl::IPtr<IdxGPHandle>& AHandle);

  // The caches themselves; nil while the library is not available.
  static TdxGPSolidPenCacheManager* PenCache();
  static TdxGPSolidBrushCacheManager* BrushCache();
};

// The unit's start-up and finish hand these steps to the units loader: the
// caches, the class registry, the picture file formats and the clipboard
// table. Added before the raster codecs' step, so they are taken back after
// it.
void dxGpRegisterImageClassesStep();
void dxGpUnregisterImageClassesStep();
