// The off-screen bitmaps of the graphics unit:
// - TcxBitmap: a platform bitmap (24 bits by default) with a canvas wrapper
//   of its own, an update lock that sends one change notification at its
//   end, and the compressed "XDBM" stream form of its data;
// - TcxBitmap32: always 32 bits per pixel, with alpha operations;
// - TcxAlphaBitmap: a 32-bit bitmap with transparent colours and the
//   per-pixel transformations that make disabled, faded, grey, dingy,
//   masked, hatched and shadowed images;
// - the XDBM codec: a run-length coding of the platform's bitmap data in
//   blocks of one pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/dxCore.h"
#include "core/dxTypeHelpers.h"
#include "graphics/cxGraphics.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SystemUnits.h"
#include "platform/vcl/Graphics.h"

RTL_DECLARE_UNIT(cxGraphicsBitmaps);

// ---------------------------------------------------------------------------
// XDBM

// The stream form: a 32-bit little-endian count L of the bytes after the
// header, the magic "XDBM", a 16-bit method (2 is written), then for method
// 2 the block size b, the remainder r (the data's size mod b), the first r
// bytes unchanged and the runs over the rest in blocks of b bytes. Method 1
// is the runs alone with b = 1.
namespace cxXDBM {

inline constexpr std::size_t HeaderSize = 10;
inline constexpr int MaxRunLength = 125;

// Runs over AData taken as blocks of ABlockSize bytes (its size is a
// multiple of it): a control byte with the count (1..125), bit 7 set for a
// literal run of count blocks, clear for one block repeated count times.
void EncodeRuns(std::span<const std::uint8_t> AData, int ABlockSize, std::vector<std::uint8_t>& AOutput);
// The whole stream form of AData, with the block size of ABitsPerPixel.
std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> AData, int ABitsPerPixel);
// Reads the stream form from AStream's position into AData. False, with
// the stream put back, when no XDBM header is there. An unknown method gives
// no data; a literal run past the end of the stream raises EReadError.
bool Decode(rtl::TStream* AStream, std::vector<std::uint8_t>& AData);

}  // namespace cxXDBM

// ---------------------------------------------------------------------------
// Bitmaps

class TcxBitmap : public vcl::TBitmap {
  RTL_CLASS(TcxBitmap, vcl::TBitmap)

 public:
  // The virtual constructor: CreateSize (0, 0) of the actual class.
  void Create() override;
  // 24 bits per pixel here.
  virtual void CreateSize(int AWidth, int AHeight);
  void CreateSize(const TRect& ARect);
  void CreateSize(const TRect& ARect, vcl::TPixelFormat APixelFormat);
  void CreateSize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat);
  void Destroy() override;

  void BeginUpdate();
  // Leaves the lock without any notification.
  void CancelUpdate();
  // At the outermost end, Changed runs when forced or when a change arrived
  // while locked.
  void EndUpdate(bool AForceUpdate = true);

  // Negative sizes become 0.
  void SetSize(int AWidth, int AHeight) override;
  void SetSize(const TRect& ARect);

  void CopyBitmap(vcl::TBitmap* ASrcBitmap, DWORD ACopyMode = SRCCOPY);
  void CopyBitmap(vcl::TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                  DWORD ACopyMode = SRCCOPY);
  // Frees the canvas wrapper too.
  void Dormant();
  void Flip(bool AFlipHorizontally, bool AFlipVertically);
  void Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically = false);

  // The canvas wrapper over the bitmap's canvas, made on first use.
  TcxCanvas* GetcxCanvas();

  TRect GetClientRect() { return {0, 0, GetWidth(), GetHeight()}; }
  bool GetCompressData() const { return FCompressData; }
  void SetCompressData(bool AValue) { FCompressData = AValue; }
  int GetLockCount() const { return FLockCount; }

 protected:
  // Only records the change while locked.
  void Changed(rtl::TObject* ASender) override;
  // The XDBM form when the data is compressed; a stream without the magic
  // is read as plain data.
  void ReadData(rtl::TStream* AStream) override;
  void WriteData(rtl::TStream* AStream) override;
  // Pixel format first, then the size, inside one lock whose end is forced.
  virtual void Initialize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat);
  // Runs after every change notification.
  virtual void Update() {}

 private:
  void FreeCanvasWrapper();
  int BitsPerPixel();

  bool FCompressData;
  TcxCanvas* FcxCanvas;
  int FLockCount;
  bool FModified;
};

class TcxBitmap32 : public TcxBitmap {
  RTL_CLASS(TcxBitmap32, TcxBitmap)

 public:
  using TcxBitmap::CreateSize;
  void CreateSize(int AWidth, int AHeight) override;
  void CreateSize(int AWidth, int AHeight, bool AClear);
  void CreateSize(const TRect& ARect, bool AClear);
  void AfterConstruction() override;

  // Forces 32 bits per pixel on what was loaded.
  void LoadFromStream(rtl::TStream* AStream) override;

  // Every byte 0, alpha included.
  virtual void Clear();

  // All pixels, rows bottom-up. Writing forgets the cached IsAlphaUsed but
  // sends no notification; an array shorter than the bitmap is ignored.
  void GetBitmapColors(TRGBColors& AColors);
  void SetBitmapColors(const TRGBColors& AColors);
  // Cached until the next change: whether any pixel has alpha.
  bool IsAlphaUsed();

  void MakeOpaque();
  void SetAlphaChannel(std::uint8_t AAlpha);
  // Pixels of ATransparentColor become fully transparent black; every other
  // pixel with alpha 0 becomes opaque.
  void RecoverTransparency(vcl::TColor ATransparentColor);
  void Darken(int APercent);
  void Lighten(int APercent);
  // Black where the mask is white.
  void Filter(vcl::TBitmap* AMaskBitmap);
  void Invert();
  // The whole bitmap, taken as premultiplied, blended into ADestRect of
  // ADestBitmap (cxAlphaBlend).
  void AlphaBlend(vcl::TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage,
                  std::uint8_t AConstantAlpha = 255);

 protected:
  // Raises EdxException "Wrong PixelFormat" once the bitmap is no longer 32
  // bits per pixel.
  void Update() override;

 private:
  template <class F>
  void ForEachPixel(F AOperation);

  TdxDefaultBoolean FIsAlphaUsed;
};

RTL_ENUM(TcxBitmapTransformationMode, btmDingy, btmDirty, btmGrayScale, btmSetOpaque, btmMakeMask, btmFade,
         btmDisable, btmCorrectBlend, btmHatch, btmClear, btmResetAlpha, btmExtractLayer);

#pragma pack(push, 1)
struct TcxHatchData {
  RGBQUAD Color1;
  std::uint8_t Alpha1;
  RGBQUAD Color2;
  std::uint8_t Alpha2;
  std::uint8_t Step;
};
#pragma pack(pop)
static_assert(sizeof(TcxHatchData) == 11);

// Colours as RGBQUAD values without alpha: blue, green, red in the low 24
// bits.
class TcxColorList : public rtl::TList {
  RTL_CLASS(TcxColorList, rtl::TList)

 public:
  int Add(vcl::TColor AColor);
  bool Contains(std::uint32_t ARGBQuad) const;
};

class TcxAlphaBitmap : public TcxBitmap32 {
  RTL_CLASS(TcxAlphaBitmap, TcxBitmap32)

 public:
  using TcxBitmap32::CreateSize;
  void CreateSize(int AWidth, int AHeight) override;
  void CreateSize(int AWidth, int AHeight, RGBQUAD ATransparentBkColor);
  void Destroy() override;

  // The transparent background colour when its alpha is not 0; else black.
  void Clear() override;
  // Resized, no further transparent colours, cleared.
  void RefreshImage(int AWidth, int AHeight);
  void RefreshImage(const TRect& ARect);

  void TransformBitmap(TcxBitmapTransformationMode AMode);
  void RecoverAlphaChannel(vcl::TColor ATransparentColor);
  void ExtractLayer(vcl::TColor ATransparentColor);
  void DrawHatch(const TcxHatchData& AHatchData);
  void DrawHatch(vcl::TColor AColor1, vcl::TColor AColor2, std::uint8_t AStep, std::uint8_t AAlpha1,
                 std::uint8_t AAlpha2);
  // A shadow of AShadowColor, AShadowSize pixels down and right of the image
  // the mask outlines (black where the image is).
  void DrawShadow(vcl::TBitmap* AMaskBitmap, int AShadowSize, vcl::TColor AShadowColor = vcl::clBtnShadow,
                  bool AInflateSize = false);
  void Shade(vcl::TBitmap* AMaskBitmap);

  RGBQUAD GetTransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(RGBQUAD AValue) { FTransparentBkColor = AValue; }
  TcxColorList* GetTransparentPixels() const { return FTransparentPixels; }
  TPoint GetCurrentColorIndex() const { return FCurrentColorIndex; }

 protected:
  void Initialize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat) override;

 private:
  bool IsTransparent(const RGBQUAD& APixel) const;
  void TransformPixel(TcxBitmapTransformationMode AMode, RGBQUAD& APixel);

  RGBQUAD FTransparentBkColor;
  TcxColorList* FTransparentPixels;
  TPoint FCurrentColorIndex;
  TcxHatchData FHatchData;
};

// The over-blend of the transformations: S with its own alpha laid over D
// at constant alpha AConstantAlpha.
void cxBlendPixel(RGBQUAD& ADest, const RGBQUAD& ASource, std::uint8_t AConstantAlpha);
