// SVG documents as smart images:
// - TdxSVGImageHandle draws the element tree by rasterising it at a multiple
//   of its own size and resampling the raster to the size asked for; the last
//   raster is kept for the next draw of the same size, palette and quality.
//   It keeps the document text, deflated, for saving;
// - TdxSVGImageCodec reads SVG streams (and their size from the first tag
//   alone) and writes the kept text back;
// - TdxSVGImage, the smart image that always saves as SVG.
#pragma once

#include <windows.h>

#include <span>

#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "graphics/dxSVGCore.h"
#include "graphics/dxSmartImage.h"
#include "graphics/dxXMLDoc.h"
#include "platform/rtl/SystemUnits.h"

enum TdxSVGRenderQuality { srqLow, srqMedium, srqHigh };

// The quality of every SVG raster; medium.
extern TdxSVGRenderQuality dxSVGRenderQuality;

// The oversampling factor of the raster for an image of AWidth x AHeight.
int dxSVGRasterScaleFactor(int AWidth, int AHeight, TdxSVGRenderQuality AQuality);

class TdxSVGImageHandle : public TdxSmartImageCustomHandle, public IdxVectorImage, public IdxImageDataFormatEx {
  RTL_CLASS(TdxSVGImageHandle, TdxSmartImageCustomHandle)
  // IdxGpFlipContent is answered by FFlipContent: its Flip mirrors relative
  // to the current flags, while the handle's own Flip sets them, and one
  // class cannot hold both under the one name.
 public:
  using RtlInterfacesOwner = RtlSelf;
  static std::span<const rtl::TInterfaceEntry> RtlInterfaces() noexcept;
  HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override { return inherited::QueryInterface(AIID, AObj); }
  ULONG __stdcall AddRef() override { return inherited::AddRef(); }
  ULONG __stdcall Release() override { return inherited::Release(); }

  // Takes ARoot over.
  virtual void Create(TdxSVGElementRoot* ARoot);
  void Destroy() override;

  using TdxSmartImageCustomHandle::Draw;
  void GetSize(TSize& ASize) override;
  TdxAlphaState GetAlphaState() override { return asSemitransparent; }
  vcl::TBitmap* GetAsBitmap() override;
  void Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
            IdxColorPalette* APalette) override;
  void Draw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
            IdxColorPalette* APalette) override;

  // Sets both mirror flags; the next draw rasterises again, mirrored as
  // asked. Flip(false, false) gives the unmirrored image back.
  void Flip(bool AHorizontally, bool AVertically);
  bool FlipHorizontally() const { return FFlipHorizontally; }
  bool FlipVertically() const { return FFlipVertically; }
  // The raster for a draw of ASize (owned by the handle, valid until the
  // next call or Flip).
  TdxGPImageHandle* GetRasterizedImage(const TSize& ASize, IdxColorPalette* APalette);

  // None unless set: edges are smoothed by the oversampling.
  TdxGPSmoothingMode SmoothingMode() const;
  void SetSmoothingMode(TdxGPSmoothingMode AValue) { FSmoothingMode = AValue; }
  TdxGPInterpolationMode InterpolationMode() const;
  void SetInterpolationMode(TdxGPInterpolationMode AValue) { FInterpolationMode = AValue; }

  TdxSVGElementRoot* Root() const { return FRoot; }
  // The document text, deflated.
  TdxGPMemoryStream* SourceData() const { return FSourceData; }

  // IdxImageDataFormatEx
  TdxSmartImageCodecClass __stdcall GetImageCodec() override;

 private:
  // Mirrors the handle's content like a raster image does: each direction
  // asked for toggles, so flipping twice gives the original back. The
  // image's Flip goes through here.
  class TFlipContent final : public IdxGpFlipContent {
   public:
    HRESULT __stdcall QueryInterface(REFIID AIID, void** AObj) override;
    ULONG __stdcall AddRef() override;
    ULONG __stdcall Release() override;
    void __stdcall Flip(bool AHorizontally, bool AVertically) override;

    TdxSVGImageHandle* FOwner;
  };
  static rtl::IInterface* GetFlipContent(rtl::TObject* AObject);

  // The root's view box; a side of 0 comes from its width or height.
  TdxRectF ViewBox() const;
  void Render(TdxGPImageHandle* ARaster, IdxColorPalette* APalette);

  TdxGPImageHandle* FCachedImage;
  GUID FCachedImagePaletteID;
  TdxSVGRenderQuality FCachedImageQuality;
  bool FFlipHorizontally;
  bool FFlipVertically;
  TdxGPInterpolationMode FInterpolationMode;
  TdxGPSmoothingMode FSmoothingMode;
  TdxGPMemoryStream* FSourceData;
  TdxSVGElementRoot* FRoot;
  TFlipContent FFlipContent;
};

class TdxSVGImageCodec : public TdxSmartImageCodec {
  DX_SMART_IMAGE_CODEC(TdxSVGImageCodec)

 public:
  using TdxSmartImageCodec::Load;

  rtl::String Ext() const override { return L".svg"; }
  // Reads only as far as the first element; False for anything but SVG.
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override;
  bool CanLoadStream(rtl::TStream* AStream) const override;
  bool CanSaveImage(TdxSmartImageCustomHandle* AHandle) const override;
  bool Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const override;
  // The handle keeps the document as its writer writes it, deflated.
  bool Load(TdxXMLDocument* ADocument, TdxSmartImageCustomHandle*& AHandle) const;
  bool Load(const rtl::String& AFileName, TdxSmartImageCustomHandle*& AHandle) const;
  // The kept document text, inflated.
  bool Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override;
};

// A document that holds only the first element with its attributes: enough
// to learn an image's size.
class TdxSVGAnnotation : public TdxXMLDocument {
  RTL_CLASS(TdxSVGAnnotation, TdxXMLDocument)

 public:
  TdxXMLParser* CreateParser() override;
};

class TdxSVGAnnotationParser : public TdxXMLParser {
  RTL_CLASS(TdxSVGAnnotationParser, TdxXMLParser)

 protected:
  TdxXMLNode* ParseTag(TdxXMLNode* ANode) override;
};

class TdxSVGImage : public TdxCustomSmartImage {
  RTL_CLASS(TdxSVGImage, TdxCustomSmartImage)

 public:
  void SaveToStream(rtl::TStream* AStream) override;
};

// The start-up registers the codec when the 2-D graphics library is there.
RTL_DECLARE_UNIT(dxSVGImage);
