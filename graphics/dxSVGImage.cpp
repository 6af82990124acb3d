// The SVG image: its handle with the raster cache, its codec and the image
// class.
#include "graphics/dxSVGImage.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/dxCore.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/Graphics.h"

using enum TcxImageFitMode;

constinit TdxSVGRenderQuality dxSVGRenderQuality = srqMedium;

namespace {

constexpr int SVGScaleCaps[] = {16, 24, 32};
constexpr int SVGPixelBudgets[] = {1024, 1536, 2048};
constexpr int SVGScaleFactors[] = {64, 32, 24, 16, 12, 8, 6, 4, 2, 1};
// zlib moves the document through buffers of this size.
constexpr int SVGZBufferSize = 32 * 1024;

[[noreturn]] void RaiseZLibError(int ACode)
{
  throw EdxException(rtl::Format(L"zlib error %d", {ACode}));
}

// Deflates the rest of ASource into ADest at the best compression, in the
// zlib format.
void SVGDeflate(rtl::TStream* ASource, rtl::TStream* ADest)
{
  z_stream stream{};
  if (const int code = deflateInit(&stream, Z_BEST_COMPRESSION); code != Z_OK)
    RaiseZLibError(code);
  std::vector<Bytef> input(SVGZBufferSize);
  std::vector<Bytef> output(SVGZBufferSize);
  rtl::Finally end([&] { deflateEnd(&stream); });
  int flush = Z_NO_FLUSH;
  while (flush != Z_FINISH) {
    const int count = ASource->Read(input.data(), SVGZBufferSize);
    flush = count < SVGZBufferSize ? Z_FINISH : Z_NO_FLUSH;
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(count);
    do {
      stream.next_out = output.data();
      stream.avail_out = SVGZBufferSize;
      if (const int code = deflate(&stream, flush); code == Z_STREAM_ERROR)
        RaiseZLibError(code);
      ADest->WriteBuffer(output.data(), SVGZBufferSize - static_cast<int>(stream.avail_out));
    } while (stream.avail_out == 0);
  }
}

// Inflates the rest of ASource into ADest; damaged data raises.
void SVGInflate(rtl::TStream* ASource, rtl::TStream* ADest)
{
  z_stream stream{};
  if (const int code = inflateInit(&stream); code != Z_OK)
    RaiseZLibError(code);
  std::vector<Bytef> input(SVGZBufferSize);
  std::vector<Bytef> output(SVGZBufferSize);
  rtl::Finally end([&] { inflateEnd(&stream); });
  int code = Z_OK;
  while (code != Z_STREAM_END) {
    const int count = ASource->Read(input.data(), SVGZBufferSize);
    if (count == 0)
      RaiseZLibError(Z_DATA_ERROR);
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(count);
    do {
      stream.next_out = output.data();
      stream.avail_out = SVGZBufferSize;
      code = inflate(&stream, Z_NO_FLUSH);
      if (code != Z_OK && code != Z_STREAM_END)
        RaiseZLibError(code);
      ADest->WriteBuffer(output.data(), SVGZBufferSize - static_cast<int>(stream.avail_out));
    } while (stream.avail_out == 0 && code != Z_STREAM_END);
  }
}

void SVGImageStartStep()
{
  if (!dxGpIsAvailable())
    return;
  TdxSmartImageCodecsRepository::Register(TdxSVGImageCodec::Class());
  // The SVG image class is known to pictures by class only; a picture loaded
  // from a ".svg" file becomes the general smart image holding an SVG handle.
  vcl::TPicture::RegisterFileFormat(L"", L"", vcl::TGraphicClass::Of<TdxSVGImage>());
  vcl::TPicture::RegisterFileFormat(L"svg", TdxSVGImageCodec::Class()->TdxSmartImageCodec::Description(),
                                    vcl::TGraphicClass::Of<TdxSmartImage>());
}

void SVGImageFinishStep()
{
  vcl::TPicture::UnregisterGraphicClass(vcl::TGraphicClass::Of<TdxSVGImage>());
  TdxSmartImageCodecsRepository::Unregister(TdxSVGImageCodec::Class());
}

void dxSVGImageInitialization()
{
  dxGetUnitsLoader()->AddUnit(&SVGImageStartStep, &SVGImageFinishStep);
}

void dxSVGImageFinalization()
{
  dxGetUnitsLoader()->RemoveUnit(&SVGImageFinishStep);
  SVGImageFinishStep();
}

}  // namespace

RTL_UNIT(dxSVGImage, &dxSVGImageInitialization, &dxSVGImageFinalization);

int dxSVGRasterScaleFactor(int AWidth, int AHeight, TdxSVGRenderQuality AQuality)
{
  const int size = std::max(AWidth, AHeight);
  if (size <= 0)
    return 1;
  int factor = std::min(SVGPixelBudgets[AQuality] / size, SVGScaleCaps[AQuality]);
  // Icons are drawn at least 32 times their size: their edges are smoothed
  // only by the resampling.
  if (size <= 16)
    factor = std::max(factor, 32);
  for (int allowed : SVGScaleFactors)
    if (allowed <= factor)
      return allowed;
  return 1;
}

// ---------------------------------------------------------------------------
// TdxSVGImageHandle

std::span<const rtl::TInterfaceEntry> TdxSVGImageHandle::RtlInterfaces() noexcept
{
  static constexpr rtl::TInterfaceEntry table[] = {
      {&rtl::IIDOf<IdxVectorImage>(), &rtl::detail::GetInterfaceOf<TdxSVGImageHandle, IdxVectorImage>},
      {&rtl::IIDOf<IdxImageDataFormatEx>(), &rtl::detail::GetInterfaceOf<TdxSVGImageHandle, IdxImageDataFormatEx>},
      {&rtl::IIDOf<IdxGpFlipContent>(), &TdxSVGImageHandle::GetFlipContent}};
  return table;
}

rtl::IInterface* TdxSVGImageHandle::GetFlipContent(rtl::TObject* AObject)
{
  return &static_cast<TdxSVGImageHandle*>(AObject)->FFlipContent;
}

// The adapter is part of the handle: it counts and answers for it.
HRESULT __stdcall TdxSVGImageHandle::TFlipContent::QueryInterface(REFIID AIID, void** AObj)
{
  return FOwner->QueryInterface(AIID, AObj);
}

ULONG __stdcall TdxSVGImageHandle::TFlipContent::AddRef()
{
  return FOwner->AddRef();
}

ULONG __stdcall TdxSVGImageHandle::TFlipContent::Release()
{
  return FOwner->Release();
}

void __stdcall TdxSVGImageHandle::TFlipContent::Flip(bool AHorizontally, bool AVertically)
{
  FOwner->Flip(FOwner->FFlipHorizontally != AHorizontally, FOwner->FFlipVertically != AVertically);
}

void TdxSVGImageHandle::Create(TdxSVGElementRoot* ARoot)
{
  inherited::Create();
  FFlipContent.FOwner = this;
  FRoot = ARoot;
  FSourceData = rtl::New<TdxGPMemoryStream>();
}

void TdxSVGImageHandle::Destroy()
{
  rtl::FreeAndNil(FCachedImage);
  rtl::FreeAndNil(FRoot);
  rtl::FreeAndNil(FSourceData);
  inherited::Destroy();
}

TdxSmartImageCodecClass __stdcall TdxSVGImageHandle::GetImageCodec()
{
  return TdxSVGImageCodec::Class();
}

void TdxSVGImageHandle::GetSize(TSize& ASize)
{
  ASize = {0, 0};
  if (!FRoot)
    return;
  const TdxSizeF size = FRoot->Size();
  ASize = {static_cast<int>(std::lround(size.cx)), static_cast<int>(std::lround(size.cy))};
}

vcl::TBitmap* TdxSVGImageHandle::GetAsBitmap()
{
  rtl::TOwnedPtr<TcxBitmap32> bitmap(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* ABitmap) { ABitmap->CreateSize(Width(), Height(), true); }));
  Draw(bitmap->GetCanvas()->GetHandle(), bitmap->GetClientRect(), ClientRect(), 255, nullptr);
  return bitmap.release();
}

TdxGPSmoothingMode TdxSVGImageHandle::SmoothingMode() const
{
  return FSmoothingMode == smDefault ? smNone : FSmoothingMode;
}

TdxGPInterpolationMode TdxSVGImageHandle::InterpolationMode() const
{
  if (FInterpolationMode != imDefault)
    return FInterpolationMode;
  return dxOSIsWindows7OrLater ? imBilinear : imHighQualityBilinear;
}

void TdxSVGImageHandle::Flip(bool AHorizontally, bool AVertically)
{
  FFlipHorizontally = AHorizontally;
  FFlipVertically = AVertically;
  rtl::FreeAndNil(FCachedImage);
}

void TdxSVGImageHandle::Draw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
                             IdxColorPalette* APalette)
{
  Draw(DC, TdxRectF(ADest), TdxRectF(ASource), AAlpha, APalette);
}

void TdxSVGImageHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
                             IdxColorPalette* APalette)
{
  if (Empty() || cxRectFHasNoArea(ADest) || cxRectFHasNoArea(ASource))
    return;
  const TRect dest = cxRectFToRect(ADest, false);
  if (dest.right <= dest.left || dest.bottom <= dest.top)
    return;
  TdxGPPaintCanvas* canvas = dxGpPaintCanvas();
  canvas->BeginPaint(DC, dest);
  rtl::Finally endPaint([&] { canvas->EndPaint(); });
  TdxGPImageHandle* raster = GetRasterizedImage({dest.right - dest.left, dest.bottom - dest.top}, APalette);
  canvas->SetInterpolationMode(InterpolationMode());
  canvas->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const TdxRectF source = cxRectFScale(ASource, static_cast<float>(raster->Width()) / Width());
  dxGpDrawImage(canvas->Handle(), ADest, source, nullptr, AAlpha, raster->GetHandle());
}

TdxRectF TdxSVGImageHandle::ViewBox() const
{
  TdxRectF result = FRoot->ViewBox();
  // A percentage has no base here and counts as nothing.
  if (std::fabs(result.Bottom - result.Top) <= 1e-4f)
    result.Bottom = result.Top + FRoot->FHeight.ToPixels(0, 96);
  if (std::fabs(result.Right - result.Left) <= 1e-4f)
    result.Right = result.Left + FRoot->FWidth.ToPixels(0, 96);
  return result;
}

TdxGPImageHandle* TdxSVGImageHandle::GetRasterizedImage(const TSize& ASize, IdxColorPalette* APalette)
{
  const TdxRectF viewBox = ViewBox();
  const TSize intrinsic = {static_cast<int>(std::lround(viewBox.Right - viewBox.Left)),
                           static_cast<int>(std::lround(viewBox.Bottom - viewBox.Top))};
  const TRect target = cxGetImageRect(TRect{0, 0, ASize.cx, ASize.cy}, intrinsic, ifmFill);
  const TSize targetSize = {target.right - target.left, target.bottom - target.top};
  GUID paletteID;
  dxGetColorPaletteID(APalette, paletteID);
  if (FCachedImage &&
      (FCachedImageQuality != dxSVGRenderQuality || !IsEqualGUID(paletteID, FCachedImagePaletteID) ||
       FCachedImage->Width() != targetSize.cx || FCachedImage->Height() != targetSize.cy))
    rtl::FreeAndNil(FCachedImage);
  if (!FCachedImage) {
    FCachedImageQuality = dxSVGRenderQuality;
    const int factor = dxSVGRasterScaleFactor(intrinsic.cx, intrinsic.cy, FCachedImageQuality);
    rtl::TOwnedPtr<TdxGPImageHandle> raster(rtl::NewWith<TdxGPImageHandle>(
        [&](TdxGPImageHandle* AImage) { AImage->CreateSize(intrinsic.cx * factor, intrinsic.cy * factor); }));
    Render(raster.get(), APalette);
    raster->Resize(targetSize, InterpolationMode(), Gdiplus::PixelOffsetModeHalf);
    raster->Flip(FFlipHorizontally, FFlipVertically);
    FCachedImagePaletteID = paletteID;
    FCachedImage = raster.release();
  }
  return FCachedImage;
}

void TdxSVGImageHandle::Render(TdxGPImageHandle* ARaster, IdxColorPalette* APalette)
{
  const TdxRectF viewBox = ViewBox();
  rtl::TOwnedPtr<TdxGPCanvas> canvas(ARaster->CreateCanvas());
  canvas->SetSmoothingMode(SmoothingMode());
  // The view box fills the raster.
  canvas->TranslateWorldTransform(0, 0, MatrixOrderPrepend);
  canvas->ScaleWorldTransform(ARaster->Width() / (viewBox.Right - viewBox.Left),
                              ARaster->Height() / (viewBox.Bottom - viewBox.Top), MatrixOrderPrepend);
  canvas->TranslateWorldTransform(-viewBox.Left, -viewBox.Top, MatrixOrderPrepend);
  rtl::TOwnedPtr<TdxSVGRenderer> renderer(rtl::New<TdxSVGRenderer>(canvas.get(), APalette));
  FRoot->Draw(renderer.get());
}

// ---------------------------------------------------------------------------
// TdxSVGAnnotation

TdxXMLParser* TdxSVGAnnotation::CreateParser()
{
  return rtl::New<TdxSVGAnnotationParser>(this, false);
}

TdxXMLNode* TdxSVGAnnotationParser::ParseTag(TdxXMLNode* ANode)
{
  inherited::ParseTag(ANode);
  return nullptr;
}

// ---------------------------------------------------------------------------
// TdxSVGImageCodec

bool TdxSVGImageCodec::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  try {
    rtl::TOwnedPtr<TdxSVGAnnotation> document(rtl::New<TdxSVGAnnotation>(nullptr));
    document->LoadFromStream(AStream);
    return TdxSVGImporter::GetSize(document.get(), ASize);
  } catch (const rtl::Exception&) {
    return false;
  }
}

bool TdxSVGImageCodec::CanLoadStream(rtl::TStream* AStream) const
{
  TSize size;
  return GetSize(AStream, size);
}

bool TdxSVGImageCodec::CanSaveImage(TdxSmartImageCustomHandle* AHandle) const
{
  return rtl::Is<TdxSVGImageHandle>(AHandle);
}

bool TdxSVGImageCodec::Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const
{
  rtl::TOwnedPtr<TdxXMLDocument> document(rtl::New<TdxXMLDocument>(nullptr));
  document->LoadFromStream(AStream);
  return Load(document.get(), AHandle);
}

bool TdxSVGImageCodec::Load(TdxXMLDocument* ADocument, TdxSmartImageCustomHandle*& AHandle) const
{
  TdxSVGElementRoot* root = nullptr;
  if (!TdxSVGImporter::Import(ADocument, root))
    return false;
  rtl::TOwnedPtr<TdxSVGImageHandle> handle(rtl::New<TdxSVGImageHandle>(root));
  ADocument->SetAutoIndent(true);
  rtl::TOwnedPtr<rtl::TMemoryStream> text(rtl::New<rtl::TMemoryStream>());
  ADocument->SaveToStream(text.get());
  text->SetPosition(0);
  handle->SourceData()->SetSize(0);
  SVGDeflate(text.get(), handle->SourceData());
  AHandle = handle.release();
  return true;
}

bool TdxSVGImageCodec::Load(const rtl::String& AFileName, TdxSmartImageCustomHandle*& AHandle) const
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::NewWith<rtl::TFileStream>(
      [&](rtl::TFileStream* AStream) { AStream->Create(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone); }));
  return Load(stream.get(), AHandle);
}

bool TdxSVGImageCodec::Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const
{
  if (!CanSaveImage(AHandle))
    return false;
  TdxGPMemoryStream* source = static_cast<TdxSVGImageHandle*>(AHandle)->SourceData();
  if (source->GetSize() > 0) {
    source->SetPosition(0);
    SVGInflate(source, AStream);
  }
  return true;
}

// ---------------------------------------------------------------------------
// TdxSVGImage

void TdxSVGImage::SaveToStream(rtl::TStream* AStream)
{
  SaveToStreamByCodec(AStream, TdxSVGImageCodec::Class());
}
