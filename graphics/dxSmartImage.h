// The smart image: an image of any registered format that keeps what was
// loaded and decodes it on first need.
// - the interfaces a decoded image may offer (format, codec, animation,
//   vector marker);
// - TdxSmartImageCustomHandle, the decoded image, and the empty handle;
// - TdxSmartImageDataStream and TdxSmartImageData, the loaded form: encoded
//   bytes as they came, or 32-bit pixels;
// - TdxSmartImageCodec and TdxSmartImageCodecsRepository: the codecs, used as
//   classes, and the process-wide ordered list of them;
// - TdxCustomSmartImage, the graphic itself;
// - the clipboard table and TdxSmartImageAnimationController, the stepper of
//   animated images (dxSmartImageClipboard.cpp);
// - TdxSmartImageHelper, pixel routines.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/cxGeometry.h"
#include "core/dxCore.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SystemResStrings.h"
#include "platform/vcl/Graphics.h"

inline constexpr rtl::TResStringRec sdxSmartImageUnsupportedFormat{64008};
inline constexpr rtl::TResStringRec sdxSmartImageOperationNotSupported{64009};
inline constexpr rtl::TResStringRec sdxSmartImageCodecFailedToExport{64010};

class TdxSmartImageCodec;
class TdxSmartImageData;
class TdxCustomSmartImage;
class TdxSmartImageAnimationController;

// A codec "class": codecs are never instantiated by their users; each codec
// class has exactly one constant, stateless instance, and a pointer to it
// serves as the class reference through which its class operations are
// called virtually.
using TdxSmartImageCodecClass = const TdxSmartImageCodec*;

// ---------------------------------------------------------------------------
// Interfaces a handle may implement; the image passes queries on to them.

struct IdxImageDataFormat : rtl::IInterface {
  RTL_GUID(IdxImageDataFormat, "{19993C97-DF15-4E67-A250-77BACBF5DB64}")
  virtual TdxImageDataFormat __stdcall GetImageFormat() = 0;
};

struct IdxImageDataFormatEx : rtl::IInterface {
  RTL_GUID(IdxImageDataFormatEx, "{F54CB0CE-F15C-4EE2-9323-F95B65BB9769}")
  virtual TdxSmartImageCodecClass __stdcall GetImageCodec() = 0;
};

struct IdxAnimatedImage : rtl::IInterface {
  RTL_GUID(IdxAnimatedImage, "{511C08FA-ED2A-4998-95BB-CBAED1D39BA9}")
  virtual std::uint32_t __stdcall GetActiveFrame() = 0;
  virtual std::uint32_t __stdcall GetAnimationFrameCount() = 0;
  // Milliseconds.
  virtual int __stdcall GetAnimationFrameDelay() = 0;
  virtual int __stdcall GetAnimationLoopCount() = 0;
  virtual void __stdcall SetActiveFrame(std::uint32_t AValue) = 0;
};

// A marker: the image is a vector image.
struct IdxVectorImage : rtl::IInterface {
  RTL_GUID(IdxVectorImage, "{F7B61E70-B4E6-4A23-862B-117530E00EB2}")
};

// ---------------------------------------------------------------------------
// Handles

// A decoded, drawable image.
class TdxSmartImageCustomHandle : public rtl::TInterfacedPersistent {
  RTL_CLASS(TdxSmartImageCustomHandle, rtl::TInterfacedPersistent)

 public:
  virtual void GetSize(TSize& ASize) = 0;
  virtual void SetSize(const TSize& ASize);
  // True unless both sides are at least 1.
  virtual bool Empty();
  virtual TdxAlphaState GetAlphaState();
  // A new bitmap (the caller frees it) with the handle drawn into it.
  virtual vcl::TBitmap* GetAsBitmap();
  // The pixels of GetAsBitmap, 32-bit, rows top-down.
  virtual TRGBColors GetAsBitmapBits();
  // Every coordinate truncated, then the integer Draw.
  virtual void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
                    IdxColorPalette* APalette);
  virtual void Draw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
                    IdxColorPalette* APalette) = 0;

  // Equal sizes and, for non-empty handles, the same pixels.
  virtual bool Equals(rtl::TObject* AObj);
  // 0 when empty, else the CRC-32 of the pixels.
  virtual std::uint32_t GetHashCode();

  TSize Size();
  TRect ClientRect();
  int Width() { return Size().cx; }
  int Height() { return Size().cy; }
};

// The handle of an image without data.
class TdxSmartImageEmptyHandle : public TdxSmartImageCustomHandle {
  RTL_CLASS(TdxSmartImageEmptyHandle, TdxSmartImageCustomHandle)

 public:
  using TdxSmartImageCustomHandle::Draw;
  void GetSize(TSize& ASize) override { ASize = {0, 0}; }
  void Draw(HDC, const TRect&, const TRect&, std::uint8_t, IdxColorPalette*) override {}
};

// ---------------------------------------------------------------------------
// Image data

// The encoded bytes of an image.
class TdxSmartImageDataStream : public rtl::TMemoryStream {
  RTL_CLASS(TdxSmartImageDataStream, rtl::TMemoryStream)

 public:
  // Nil for nil; else a copy of all bytes, at position 0. The source's
  // position is kept.
  static TdxSmartImageDataStream* Clone(TdxSmartImageDataStream* ASource);
};

// The loaded form of an image. A handle decoded from it may keep using the
// pixel array or reading the stream, so the image frees its handle before it
// clears or replaces either. The fields are read by the codec repository.
class TdxSmartImageData : public rtl::TObject {
  RTL_CLASS(TdxSmartImageData, rtl::TObject)

 public:
  void Destroy() override;

  void Clear();
  // Takes the pixel array by reference (shared, not copied) and a copy of
  // the encoded bytes; the transparency settings stay.
  void Assign(TdxSmartImageData* ASource);
  // The rest of AStream as encoded bytes; an exhausted stream leaves the
  // data empty.
  void LoadFromStream(rtl::TStream* AStream);
  void LoadFromBits(const TRGBColors& ABits, const TSize& ASize, vcl::TAlphaFormat AFormat);
  void LoadFromBitmap(vcl::TBitmap* ABitmap);
  bool Empty() const { return !FData && FBits.empty(); }

  bool FTransparent;
  vcl::TColor FTransparentColor;
  vcl::TTransparentMode FTransparentMode;
  TRGBColors FBits;
  vcl::TAlphaFormat FBitsFormat;
  TdxSmartImageDataStream* FData;
  TSize FNewSize;
  TSize FSize;

 private:
  // Pixels of the key colour become transparent (when FTransparent), all
  // others opaque; only for pixels without alpha.
  void ApplyTransparency();
};

// ---------------------------------------------------------------------------
// Codecs

class TdxSmartImageCodec {
 public:
  constexpr TdxSmartImageCodec() = default;
  TdxSmartImageCodec(const TdxSmartImageCodec&) = delete;
  TdxSmartImageCodec& operator=(const TdxSmartImageCodec&) = delete;

  static TdxSmartImageCodecClass Class() noexcept
  {
    static constexpr TdxSmartImageCodec instance{};
    return &instance;
  }
  virtual const wchar_t* ClassName() const { return L"TdxSmartImageCodec"; }

  virtual TdxImageDataFormat ID() const { return dxImageUnknown; }
  // Ext without the dot, upper-cased, and " graphics from Quorvane".
  virtual rtl::String Description() const;
  // With the dot.
  virtual rtl::String Ext() const { return {}; }
  // The header probe: True with the size when the stream holds this format.
  // May leave the stream anywhere.
  virtual bool GetSize(rtl::TStream* AStream, TSize& ASize) const;
  virtual bool CanLoadFromBits() const { return false; }
  // The signature test.
  virtual bool CanLoadStream(rtl::TStream* AStream) const;
  virtual bool CanSaveImage(TdxSmartImageCustomHandle* AHandle) const;
  virtual bool Load(const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat, int AWidth, int AHeight,
                    TdxSmartImageCustomHandle*& AHandle) const;
  virtual bool Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const;
  virtual bool Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const;
};

// Declares a codec class's class reference and name.
#define DX_SMART_IMAGE_CODEC(AClass)                                          \
 public:                                                                      \
  static TdxSmartImageCodecClass Class() noexcept                             \
  {                                                                           \
    static constexpr AClass instance{};                                       \
    return &instance;                                                         \
  }                                                                           \
  const wchar_t* ClassName() const override { return L## #AClass; }           \
                                                                              \
 private:

// The registered codecs, in registration order; every search walks them from
// the first and stops at the first that answers. Used on the user-interface
// thread only, so it does not lock.
class TdxSmartImageCodecsRepository {
 public:
  TdxSmartImageCodecsRepository() = delete;

  // A codec registered twice is listed twice.
  static void Register(TdxSmartImageCodecClass ACodec);
  // Removes the first occurrence.
  static void Unregister(TdxSmartImageCodecClass ACodec);
  static bool Contains(TdxSmartImageCodecClass ACodec);
  static int Count();
  // No range check: the caller keeps within Count.
  static TdxSmartImageCodecClass GetItem(int AIndex);

  // Ext with its dot, ignoring case; nil for an empty text.
  static TdxSmartImageCodecClass GetFormatByExt(const rtl::String& AExt);
  static TdxSmartImageCodecClass GetFormatByID(TdxImageDataFormat AID);
  static TdxSmartImageCodecClass GetFormatFromStream(rtl::TStream* AStream);

  // The first codec whose probe answers; the stream is left where that probe
  // stopped.
  static bool GetImageInfo(rtl::TStream* AStream, TSize& ASize, TdxSmartImageCodecClass& ACodec);
  static bool GetImageInfo(const rtl::String& AFileName, TSize& ASize, TdxSmartImageCodecClass& ACodec);
  static bool GetImageInfo(TdxSmartImageData* AImageData, TSize& ASize, TdxSmartImageCodecClass& ACodec);

  static bool Load(const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat, int AWidth, int AHeight,
                   TdxSmartImageCustomHandle*& AHandle);
  // Every codec in list order, whatever its signature.
  static bool Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle);
  static bool Load(TdxSmartImageData* AImageData, TdxSmartImageCustomHandle*& AHandle);
};

// ---------------------------------------------------------------------------
// The smart image

class TdxCustomSmartImage : public vcl::TGraphic {
  RTL_CLASS(TdxCustomSmartImage, vcl::TGraphic)

 public:
  void Create() override;
  void Destroy() override;
  virtual void CreateSize(int AWidth, int AHeight, TdxAlphaColor AColor = 0);
  void CreateSize(const TSize& ASize, TdxAlphaColor AColor = 0);
  void CreateSize(const TRect& ARect, TdxAlphaColor AColor = 0);
  virtual void CreateFromBitmap(vcl::TBitmap* ABitmap);
  virtual void CreateFromHBitmap(HBITMAP ABitmap);
  virtual void CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABits, bool AHasAlphaChannel);
  virtual void CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat);
  virtual void CreateFromStream(rtl::TStream* AStream);

  void Assign(rtl::TPersistent* ASource) override;
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;

  void Draw(vcl::TCanvas* ACanvas, const TRect& ARect) override;
  bool Equals(vcl::TGraphic* AGraphic) override;
  virtual std::uint32_t GetHashCode();
  bool GetEmpty() override;
  int GetWidth() override { return GetSize().cx; }
  int GetHeight() override { return GetSize().cy; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  bool GetTransparent() override { return IsAlphaUsed(); }

  void LoadFromStream(rtl::TStream* AStream) override;
  void SaveToStream(rtl::TStream* AStream) override;
  // The extension chooses the format when a codec has it.
  void SaveToFile(const rtl::String& AFileName) override;

  // Loading
  virtual void LoadFromBitmap(vcl::TBitmap* ABitmap);
  virtual void SetBitmap(vcl::TBitmap* ABitmap);
  void LoadFromHBitmap(HBITMAP AHandle, HPALETTE APalette);
  void LoadFromBits(int AWidth, int AHeight, const TRGBColors& ABits, bool AHasAlphaChannel);
  void LoadFromBits(int AWidth, int AHeight, const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat);
  void LoadFromResource(HINSTANCE AInstance, const rtl::String& AResName, const wchar_t* AResType);

  // Saving
  void SaveToStreamByCodec(rtl::TStream* AStream, TdxSmartImageCodecClass ACodec);
  void SaveToStreamByCodec(rtl::TStream* AStream, TdxImageDataFormat AFormat);
  // The caller frees the result, positioned at 0.
  TdxSmartImageDataStream* CreateEncodedStream(TdxSmartImageCodecClass ACodec);

  // Handle and data
  void HandleNeeded();
  TdxSmartImageCustomHandle* GetImageHandle();
  // Takes AHandle over.
  void SetImageHandle(TdxSmartImageCustomHandle* AHandle);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Back to data only; a handle without stored bytes is encoded first.
  void Dormant();
  virtual void Clear();
  void ConvertToBitmap();
  TdxSmartImageData* GetImageData() const { return FImageData; }

  // Size
  TSize GetSize();
  TRect ClientRect();
  virtual void Resize(int AWidth, int AHeight);
  void Resize(const TSize& ASize);
  void Scale(int M, int D);

  // Drawing
  void StretchDraw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  void StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha = 255,
                   IdxColorPalette* APalette = nullptr);
  void StretchDraw(HDC DC, const TRect& ADest, std::uint8_t AAlpha = 255, IdxColorPalette* APalette = nullptr);

  // Alpha, colours and comparison
  bool IsAlphaUsed();
  virtual void ChangeColor(vcl::TColor AColor);
  virtual bool Compare(TdxCustomSmartImage* AImage);
  virtual vcl::TBitmap* GetAsBitmap();
  TRGBColors GetBitmapBits();
  // A new image of the same class holding the same content.
  TdxCustomSmartImage* Clone();

  TdxSmartImageCodecClass GetImageCodec();
  // Re-encodes the image with AValue.
  void SetImageCodec(TdxSmartImageCodecClass AValue);
  TdxImageDataFormat GetImageDataFormat();
  void SetImageDataFormat(TdxImageDataFormat AValue);
  bool GetUseCache() const { return FUseCache; }
  void SetUseCache(bool AValue) { FUseCache = AValue; }

  // Animation. Every query asks the handle, so an image that cannot be
  // decoded raises from the first one. Images without frames answer as one
  // still frame.
  int GetActiveFrame();
  // Past the last frame the sequence ends: it wraps to frame 0 or stays on
  // the last frame, as AnimationLoop and the image's loop count decide.
  void SetActiveFrame(int AValue);
  bool GetAnimation();
  void SetAnimation(bool AValue);
  int AnimationFrameCount();
  // Milliseconds: the value set, else the handle's own delay.
  int GetAnimationFrameDelay();
  void SetAnimationFrameDelay(int AValue);
  int AnimationLoopCount();
  TdxDefaultBoolean GetAnimationLoop() const { return FAnimationLoop; }
  void SetAnimationLoop(TdxDefaultBoolean AValue) { FAnimationLoop = AValue; }
  // Frames to step through: multi-page TIFFs are pages, not animation.
  bool CanAnimate();
  void StartAnimation();
  void StopAnimation();

  // Clipboard. An image travels as a bitmap drawn on white and, when its
  // format has a registered clipboard format, as its encoded bytes too.
  void CopyToClipboard();
  void CutToClipboard();
  // Nothing when the clipboard holds no image format.
  void PasteFromClipboard();
  virtual bool HasClipboardFormat();
  virtual bool IsSupportClipboardFormat(WORD AFormat);
  void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette) override;
  // Called with the clipboard open and emptied: the bitmap goes to the
  // clipboard here, and the encoded bytes come back for the caller to place.
  void SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette) override;

  // The scaled draw cache exists for ATargetSize and APalette afterwards.
  bool PrepareCache(const TSize& ATargetSize, IdxColorPalette* APalette);
  TdxSmartImageCustomHandle* GetCache() const { return FCache; }

 protected:
  void AssignTo(rtl::TPersistent* ADest) override;
  void Changed(rtl::TObject* ASender) override;

  virtual bool CanCreateCache(const TSize& AImageSize, const TSize& ATargetSize);
  // Nil here: raster images draw from their handle.
  virtual TdxSmartImageCustomHandle* CreateCache(const TSize& ATargetSize);
  virtual bool IsBitmapStream(rtl::TStream* AStream);
  // With the clipboard open: loads the first image format it holds, in the
  // order of preference; False when there is none.
  virtual bool DoPasteFromClipboard();
  virtual void AssignFromGraphic(vcl::TGraphic* AGraphic);
  virtual void AssignFromSmartImage(TdxCustomSmartImage* AImage);
  virtual void AssignToMetafile(vcl::TMetafile* AMetafile);
  virtual void ResetImage();

  // The loads without change notification that the constructors use.
  void AssignBits(int AWidth, int AHeight, const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat);
  void LoadFromStreamCore(rtl::TStream* AStream);

 private:
  void CreateHandle();
  void SaveHandleToData();
  void FreeCache();
  TdxAlphaState GetAlphaState();

  TdxAlphaState FAlphaState;
  bool FAlphaStateAssigned;
  TdxSmartImageAnimationController* FAnimationController;
  int FAnimationFrameDelay;
  TdxDefaultBoolean FAnimationLoop;
  int FAnimationLoopIndex;
  TdxSmartImageCustomHandle* FCache;
  GUID FCachePaletteID;
  TdxSmartImageCustomHandle* FHandle;
  TdxSmartImageData* FImageData;
  bool FUseCache;
};

using TdxCustomSmartImageClass = rtl::ClassOf<TdxCustomSmartImage>;

// ---------------------------------------------------------------------------
// Clipboard table

// The clipboard format of each image format: 0 for all until the raster
// image unit's start-up fills in CF_BITMAP for dxImageBitmap and the
// registered "PNG", "TIFF", "GIF" and "JPEG" formats.
WORD dxGetImageClipboardFormat(TdxImageDataFormat AFormat);
void dxSetImageClipboardFormat(TdxImageDataFormat AFormat, WORD AClipboardFormat);

// ---------------------------------------------------------------------------
// Animation

// Steps an image through its frames. This class only defines the steps; a
// descendant supplies the timer that calls NextFrame.
class TdxSmartImageAnimationController : public rtl::TObject {
  RTL_CLASS(TdxSmartImageAnimationController, rtl::TObject)

 public:
  virtual void Create(TdxCustomSmartImage* AImage);
  void Destroy() override;

  void StartAnimation() { StartTimer(); }
  void StopAnimation() { StopTimer(); }
  // More than one frame and a running timer.
  bool Active();
  TdxCustomSmartImage* GetImage() const { return FImage; }

 protected:
  virtual void StartTimer() {}
  virtual void StopTimer() {}
  virtual bool IsTimerActive() { return false; }
  // One step. At the end of a sequence that does not wrap the image stops
  // its animation, which frees this controller: nothing may touch it after.
  virtual void NextFrame();

  TdxCustomSmartImage* FImage;
};

using TdxSmartImageAnimationControllerClass = rtl::ClassOf<TdxSmartImageAnimationController>;

// The class of the controllers images create: TdxSmartImageAnimationController
// until the graphics unit installs its timer-driven one.
TdxSmartImageAnimationControllerClass dxGetSmartImageAnimationControllerClass();
void dxSetSmartImageAnimationControllerClass(TdxSmartImageAnimationControllerClass AValue);

// ---------------------------------------------------------------------------
// Pixel routines

class TdxSmartImageHelper {
 public:
  TdxSmartImageHelper() = delete;

  static TRGBColors AllocColors(int AWidth, int AHeight, TdxAlphaColor AColor);
  // In every pixel alpha is at least each colour byte (True when empty).
  static bool AreColorsPremultiplied(const TRGBColors& ABits);
  // Some pixel has alpha, or every pixel is exactly 0 (a fully transparent
  // image); False when empty.
  static bool HasAlpha(const TRGBColors& ABits);
};

// The pixels of ABitmap as 32-bit pixels, rows top-down; False for an empty
// bitmap or when they cannot be read.
bool dxReadBitmapPixelsTopDown(vcl::TBitmap* ABitmap, TRGBColors& AColors);
