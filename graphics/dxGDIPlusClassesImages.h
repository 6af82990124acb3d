// The raster images of the 2-D graphics library (part of the unit
// dxGDIPlusClasses):
// - TdxGPImageHandle, the smart-image handle that owns one native image;
// - TdxGPImageCodec and its descendants for BMP, GIF, JPEG, PNG, TIFF, EMF and
//   WMF: signature tests and header probes of their own, loading and saving
//   through the library's decoders and encoders;
// - the unit's start-up and finish steps, which register the codecs with the
//   repository while the library is available.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxSmartImage.h"

RTL_DECLARE_UNIT(dxGDIPlusClasses);

// ---------------------------------------------------------------------------
// TdxGPImageHandle

// A native image made from caller pixels or read from a stream keeps using
// that memory or stream: whoever made it keeps them alive and unchanged while
// the handle exists.
class TdxGPImageHandle : public TdxSmartImageCustomHandle, public IdxImageDataFormat, public IdxAnimatedImage {
  RTL_CLASS(TdxGPImageHandle, TdxSmartImageCustomHandle)
  RTL_INTERFACES(IdxImageDataFormat, IdxAnimatedImage)

 public:
  // Takes AHandle over; it may be nil.
  void Create(Gdiplus::GpImage* AHandle);
  // A bitmap over the caller's pixels, used in place.
  void CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABitsRef, vcl::TAlphaFormat AAlphaFormat);
  // A premultiplied bitmap with memory of its own.
  void CreateSize(int AWidth, int AHeight);
  void CreateSize(const TSize& ASize);
  void Destroy() override;

  TdxGPImageHandle* Clone();
  // A canvas on the image; the caller frees it.
  TdxGPCanvas* CreateCanvas();

  using TdxSmartImageCustomHandle::Draw;
  void GetSize(TSize& ASize) override;
  // Resamples with the library's default interpolation.
  void SetSize(const TSize& ASize) override;
  // Keeps alpha (32 bits per pixel); a metafile is rendered by the base.
  vcl::TBitmap* GetAsBitmap() override;
  void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Draw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
            IdxColorPalette* APalette) override;

  void Flip(bool AHorizontally, bool AVertically);
  bool IsMetafile() const { return FImageFormat == dxImageEmf || FImageFormat == dxImageWmf; }
  // A new native bitmap of ASize with the old image drawn into it; also when
  // the size does not change.
  void Resize(const TSize& ASize, TdxGPInterpolationMode AInterpolationMode, int APixelOffsetMode);

  Gdiplus::GpImage* GetHandle() const { return FHandle; }
  // Disposes the old native image.
  void SetHandle(Gdiplus::GpImage* AValue);

  // IdxImageDataFormat
  TdxImageDataFormat __stdcall GetImageFormat() override { return FImageFormat; }
  // IdxAnimatedImage
  std::uint32_t __stdcall GetActiveFrame() override { return FActiveFrame; }
  std::uint32_t __stdcall GetAnimationFrameCount() override;
  // The frame's delay item in milliseconds; 75 without one.
  int __stdcall GetAnimationFrameDelay() override;
  // 0 without a loop-count item.
  int __stdcall GetAnimationLoopCount() override;
  // A frame the library refuses falls back to frame 0; nothing is reported.
  void __stdcall SetActiveFrame(std::uint32_t AValue) override;

 private:
  // The value bytes of a property item; empty when the image has none.
  std::vector<std::uint8_t> ReadPropertyItem(PROPID AID);
  // Draws the current image into a new premultiplied bitmap of ASize through
  // APrepare (which sets up the graphics) and makes it the native image.
  template <class F>
  void Redraw(const TSize& ASize, F APrepare);

  std::uint32_t FActiveFrame;
  GUID FDimensionID;
  Gdiplus::GpImage* FHandle;
  TdxImageDataFormat FImageFormat;
};

// ---------------------------------------------------------------------------
// Codecs

class TdxGPImageCodec : public TdxSmartImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodec)

 public:
  using TdxSmartImageCodec::Load;
  bool CanSaveImage(TdxSmartImageCustomHandle*) const override { return true; }
  // The library decides the format; a stream it cannot read gives False.
  bool Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const override;
  // False when the format has no encoder.
  bool Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override;
  virtual bool SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                        const Gdiplus::EncoderParameters* AParams) const;

 protected:
  // Reads as many bytes as ASignature has; the position is restored.
  static bool HasSignature(rtl::TStream* AStream, std::string_view ASignature);
};

class TdxGPImageCodecBMP : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecBMP)

 public:
  using TdxGPImageCodec::Load;
  TdxImageDataFormat ID() const override { return dxImageBitmap; }
  rtl::String Ext() const override { return L".bmp"; }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadFromBits() const override { return true; }
  bool CanLoadStream(rtl::TStream* AStream) const override;
  bool Load(const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat, int AWidth, int AHeight,
            TdxSmartImageCustomHandle*& AHandle) const override;
};

class TdxGPImageCodecMemoryBitmap : public TdxGPImageCodecBMP {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecMemoryBitmap)

 public:
  TdxImageDataFormat ID() const override { return dxImageMemoryBmp; }
  rtl::String Description() const override { return {}; }
};

class TdxGPImageCodecGIF : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecGIF)

 public:
  TdxImageDataFormat ID() const override { return dxImageGif; }
  rtl::String Ext() const override { return L".gif"; }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(rtl::TStream* AStream) const override;
};

class TdxGPImageCodecJPEG : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecJPEG)

 public:
  // The encoder's quality, -1 for the encoder's default.
  static inline int Quality = -1;

  TdxImageDataFormat ID() const override { return dxImageJpeg; }
  rtl::String Ext() const override { return L".jpeg"; }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(rtl::TStream* AStream) const override;
  bool SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                const Gdiplus::EncoderParameters* AParams) const override;
};

class TdxGPImageCodecJPG : public TdxGPImageCodecJPEG {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecJPG)

 public:
  rtl::String Description() const override { return {}; }
  rtl::String Ext() const override { return L".jpg"; }
};

class TdxGPImageCodecPNG : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecPNG)

 public:
  TdxImageDataFormat ID() const override { return dxImagePng; }
  rtl::String Ext() const override { return L".png"; }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(rtl::TStream* AStream) const override;
};

class TdxGPImageCodecTIFF : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecTIFF)

 public:
  TdxImageDataFormat ID() const override { return dxImageTiff; }
  rtl::String Ext() const override { return L".tiff"; }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(rtl::TStream* AStream) const override;
};

class TdxGPImageCodecTIF : public TdxGPImageCodecTIFF {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecTIF)

 public:
  rtl::String Description() const override { return {}; }
  rtl::String Ext() const override { return L".tif"; }
};

class TdxGPImageCodecEMF : public TdxGPImageCodec {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecEMF)

 public:
  TdxImageDataFormat ID() const override { return dxImageEmf; }
  rtl::String Ext() const override { return L".emf"; }
  // The handle drawn into a new metafile, enhanced for EMF.
  bool SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                const Gdiplus::EncoderParameters* AParams) const override;
};

class TdxGPImageCodecWMF : public TdxGPImageCodecEMF {
  DX_SMART_IMAGE_CODEC(TdxGPImageCodecWMF)

 public:
  TdxImageDataFormat ID() const override { return dxImageWmf; }
  rtl::String Ext() const override { return L".wmf"; }
};

// The raster codecs in registration order.
std::span<const TdxSmartImageCodecClass> dxGpRasterImageCodecs();

// The unit's start-up and finish hand the raster codecs' registration to the
// units loader and take it back.
void dxGpRegisterRasterCodecsStep();
void dxGpUnregisterRasterCodecsStep();
