// The raster images of the 2-D graphics library (part of the unit
// dxGDIPlusClasses):
// - TdxGPImageHandle, the smart-image handle that owns one native image;
// - TdxGPImageAttributes and TdxGPAlphaBlendAttributes, the colour
//   adjustments a raster image is drawn with;
// - IdxGPGraphicDraw and IdxGpFlipContent, what a handle offers when it can
//   draw on a vector canvas or mirror itself;
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
// Image attributes

// The colour adjustments of the library for drawing an image. Each Set
// switches an adjustment on for the adjust type, each Clear switches it off;
// a refusal of the library raises.
class TdxGPImageAttributes : public TdxGpBase {
  RTL_CLASS(TdxGPImageAttributes, TdxGpBase)

 public:
  void Create();
  void Destroy() override;
  // A new object with a copy of the native attributes; the caller frees it.
  TdxGPImageAttributes* Clone();

  void SetColorKey(TdxAlphaColor AColorLow, TdxAlphaColor AColorHigh,
                   TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearColorKey(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetColorMatrix(const TdxGpColorMatrix& ANewColorMatrix, TdxGpColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                      TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetColorMatrices(const TdxGpColorMatrix& ANewColorMatrix, const TdxGpColorMatrix& AGrayMatrix,
                        TdxGpColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                        TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearColorMatrix(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetGamma(float AGamma, TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearGamma(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetNoOp(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearNoOp(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetOutputChannel(TdxGpColorChannelFlags AFlags, TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearOutputChannel(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetOutputChannelColorProfile(const rtl::String& AColorProfileFilename,
                                    TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearOutputChannelColorProfile(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetRemapTable(const std::vector<Gdiplus::ColorMap>& AMap, TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearRemapTable(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetBrushRemapTable(const std::vector<Gdiplus::ColorMap>& AMap);
  void ClearBrushRemapTable();
  void SetThreshold(float AThreshold, TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void ClearThreshold(TdxGpColorAdjustType AType = ColorAdjustTypeDefault);
  void SetWrapMode(Gdiplus::WrapMode AMode);
  void SetWrapMode(Gdiplus::WrapMode AMode, TdxAlphaColor AColor, bool AClamp);
  // APalette's entries as the attributes would draw them; APalette is a
  // library palette header followed by its Count entries.
  void GetAdjustedPalette(Gdiplus::ColorPalette* APalette, TdxGpColorAdjustType AType);

  Gdiplus::GpImageAttributes* Handle() const { return FHandle; }

 protected:
  // Wraps a native object made elsewhere (a clone).
  void CreateFromHandle(Gdiplus::GpImageAttributes* AHandle);

 private:
  Gdiplus::GpImageAttributes* FHandle;
};

// Draws with a constant opacity: its colour matrix scales alpha.
class TdxGPAlphaBlendAttributes : public TdxGPImageAttributes {
  RTL_CLASS(TdxGPAlphaBlendAttributes, TdxGPImageAttributes)

 public:
  void Create();

  std::uint8_t GetAlpha() const { return FAlpha; }
  void SetAlpha(std::uint8_t AValue);
  const TdxGpColorMatrix& GetColorMatrix() const { return FColorMatrix; }

 private:
  std::uint8_t FAlpha;
  TdxGpColorMatrix FColorMatrix;
};

// The process-wide alpha attributes for AAlpha: nil for 255, else the one
// shared object set to AAlpha (made on first use, freed at shut-down).
TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(std::uint8_t AAlpha);
// The native handle of attributes that may be nil.
Gdiplus::GpImageAttributes* dxGpGetImageAttributesHandle(TdxGPImageAttributes* AAttributes);

// ---------------------------------------------------------------------------
// What a handle may offer

// The handle draws itself on a vector canvas with image attributes.
struct IdxGPGraphicDraw : rtl::IInterface {
  RTL_GUID(IdxGPGraphicDraw, "{B1D9C3B6-63C2-4AB6-9C2F-55F43F1D4A17}")
  virtual void __stdcall Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                              TdxGPImageAttributes* AAttributes) = 0;
  virtual void __stdcall Draw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource,
                              TdxGPImageAttributes* AAttributes) = 0;
};

// The handle mirrors its own content.
struct IdxGpFlipContent : rtl::IInterface {
  RTL_GUID(IdxGpFlipContent, "{6E0B7B3A-2F0E-4C8B-8A7F-0C8E8C2B9E41}")
  virtual void __stdcall Flip(bool AHorizontally, bool AVertically) = 0;
};

// ---------------------------------------------------------------------------
// TdxGPImageHandle

// A native image made from caller pixels or read from a stream keeps using
// that memory or stream: whoever made it keeps them alive and unchanged while
// the handle exists.
class TdxGPImageHandle : public TdxSmartImageCustomHandle,
                         public IdxImageDataFormat,
                         public IdxGPGraphicDraw,
                         public IdxGpFlipContent,
                         public IdxAnimatedImage {
  RTL_CLASS(TdxGPImageHandle, TdxSmartImageCustomHandle)
  RTL_INTERFACES(IdxImageDataFormat, IdxGPGraphicDraw, IdxGpFlipContent, IdxAnimatedImage)

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

  // IdxGPGraphicDraw: the library's draw with the attributes, alpha 255.
  void __stdcall Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                      TdxGPImageAttributes* AAttributes) override;
  void __stdcall Draw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource,
                      TdxGPImageAttributes* AAttributes) override;
  // IdxGpFlipContent
  void __stdcall Flip(bool AHorizontally, bool AVertically) override;
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
