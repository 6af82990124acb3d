#include "graphics/dxGDIPlusClassesImages.h"

#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "platform/rtl/ClassesStreams.h"

using enum vcl::TAlphaFormat;
using enum vcl::TPixelFormat;

namespace {

using TOwnedCanvas = rtl::TOwnedPtr<TdxGPCanvas>;

// The one alpha attributes object every raster draw with an alpha below 255
// shares; freed by the unit's finish step.
TdxGPAlphaBlendAttributes* GAlphaBlendAttributes = nullptr;

// Disposes a native image unless it was handed on.
class TNativeImageGuard {
 public:
  explicit TNativeImageGuard(Gdiplus::GpImage* AImage) noexcept : FImage(AImage) {}
  ~TNativeImageGuard()
  {
    if (FImage)
      dxGpFunctions.GdipDisposeImage(FImage);
  }
  TNativeImageGuard(const TNativeImageGuard&) = delete;
  TNativeImageGuard& operator=(const TNativeImageGuard&) = delete;
  Gdiplus::GpImage* Get() const noexcept { return FImage; }
  Gdiplus::GpImage* Release() noexcept { return std::exchange(FImage, nullptr); }

 private:
  Gdiplus::GpImage* FImage;
};

// An IStream over a system stream it does not own, counted by the variable;
// the library's own adapter, which answers Stat as the library asks it.
rtl::IPtr<IStream> StreamAdapter(rtl::TStream* AStream)
{
  return rtl::IPtr<IStream>(static_cast<IStream*>(rtl::New<TdxGPStreamAdapter>(AStream, rtl::soReference)));
}

Gdiplus::PixelFormat PixelFormatOf(vcl::TAlphaFormat AFormat)
{
  switch (AFormat) {
    case afIgnored: return PixelFormat32bppRGB;
    case afDefined: return PixelFormat32bppARGB;
    default: return PixelFormat32bppPARGB;
  }
}

// Reads the values of a header; every read fails once the data runs out.
class THeaderReader {
 public:
  THeaderReader(rtl::TStream* AStream, bool ABigEndian) : FStream(AStream), FBigEndian(ABigEndian) {}

  bool Skip(int ACount)
  {
    if (ACount < 0 || FStream->GetPosition() + ACount > FStream->GetSize())
      return false;
    FStream->Seek(ACount, rtl::soCurrent);
    return true;
  }
  bool Bytes(void* ABuffer, int ACount) { return FStream->Read(ABuffer, ACount) == ACount; }
  template <class T>
  bool Value(T& AValue)
  {
    std::uint8_t bytes[sizeof(T)];
    if (!Bytes(bytes, sizeof(T)))
      return false;
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      result |= static_cast<std::uint32_t>(bytes[FBigEndian ? sizeof(T) - 1 - i : i]) << (8 * i);
    AValue = static_cast<T>(result);
    return true;
  }
  void SetBigEndian(bool AValue) { FBigEndian = AValue; }

 private:
  rtl::TStream* FStream;
  bool FBigEndian;
};

// A GIF walked block by block, as its decoder walks it: every block inside
// the bytes and every frame with a colour table, its own or the file's. The
// system's decoder dereferences the table of a frame without one.
class TGifWalker {
 public:
  explicit TGifWalker(std::span<const std::uint8_t> AData) : FData(AData) {}

  bool Sound()
  {
    constexpr std::size_t kHeader = 6;
    if (!Skip(kHeader))
      return false;
    const std::uint16_t width = Word(), height = Word();
    const std::uint8_t flags = Byte();
    if (!Skip(2) || width == 0 || height == 0 || (HasTable(flags) && !Skip(TableSize(flags))))
      return false;
    const bool globalTable = HasTable(flags);
    int frames = 0;
    while (FOk && FPos < FData.size()) {
      const std::uint8_t introducer = Byte();
      if (introducer == kTrailer)
        break;
      if (introducer == kExtension) {
        Skip(1);
        SkipSubBlocks();
      } else if (introducer == kImage) {
        if (!Frame(globalTable))
          return false;
        ++frames;
      } else {
        return false;
      }
    }
    return FOk && frames > 0;
  }

 private:
  static constexpr std::uint8_t kExtension = 0x21;
  static constexpr std::uint8_t kImage = 0x2C;
  static constexpr std::uint8_t kTrailer = 0x3B;
  static constexpr std::uint8_t kMaxCodeSize = 11;

  static bool HasTable(std::uint8_t AFlags) { return (AFlags & 0x80) != 0; }
  static std::size_t TableSize(std::uint8_t AFlags) { return 3u << ((AFlags & 7) + 1); }

  bool Frame(bool AGlobalTable)
  {
    Skip(4);
    const std::uint16_t width = Word(), height = Word();
    const std::uint8_t flags = Byte();
    if (!FOk || width == 0 || height == 0 || !(AGlobalTable || HasTable(flags)))
      return false;
    if (HasTable(flags))
      Skip(TableSize(flags));
    const std::uint8_t codeSize = Byte();
    if (codeSize == 0 || codeSize > kMaxCodeSize)
      return false;
    SkipSubBlocks();
    return FOk;
  }

  void SkipSubBlocks()
  {
    for (std::uint8_t size = Byte(); FOk && size != 0; size = Byte())
      Skip(size);
  }

  bool Skip(std::size_t ACount)
  {
    FOk = FOk && ACount <= FData.size() - FPos;
    if (FOk)
      FPos += ACount;
    return FOk;
  }
  std::uint8_t Byte()
  {
    const std::size_t at = FPos;
    return Skip(1) ? FData[at] : 0;
  }
  std::uint16_t Word()
  {
    const std::uint8_t low = Byte();
    return static_cast<std::uint16_t>(low | Byte() << 8);
  }

  std::span<const std::uint8_t> FData;
  std::size_t FPos = 0;
  bool FOk = true;
};

bool StartsWith(std::span<const std::uint8_t> AData, std::string_view APrefix)
{
  return AData.size() >= APrefix.size() && std::memcmp(AData.data(), APrefix.data(), APrefix.size()) == 0;
}

constexpr std::string_view BmpSignature{"BM"};
constexpr std::string_view Gif89Signature{"GIF89a"};
constexpr std::string_view Gif87Signature{"GIF87a"};
constexpr std::string_view JpegSignature{"\xFF\xD8\xFF"};
constexpr std::string_view PngSignature{"\x89PNG\r\n\x1A\n"};
constexpr std::string_view TiffIntelSignature{"II*\0", 4};
constexpr std::string_view TiffMotorolaSignature{"MM\0*", 4};

// The system's decoders trust the structure of some formats and read, or
// write, as far as it says: a GIF frame without colours, an icon image or a
// metafile record larger than its bytes. Those formats are checked here, the
// one door to the decoders, before any of them sees the bytes; the others'
// decoders check what they read.
bool SafeForSystemDecoder(rtl::TStream* AStream)
{
  const std::int64_t position = AStream->GetPosition();
  const std::int64_t size = AStream->GetSize() - position;
  if (size <= 0 || size > INT_MAX)
    return size == 0;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  AStream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  AStream->SetPosition(position);
  const std::span<const std::uint8_t> data(bytes);
  if (StartsWith(data, Gif89Signature) || StartsWith(data, Gif87Signature))
    return TGifWalker(data).Sound();
  constexpr std::string_view IconSignature{"\0\0\1\0", 4};
  constexpr std::string_view EnhancedSignature{"\1\0\0\0", 4};
  constexpr std::string_view PlaceableSignature{"\xD7\xCD\xC6\x9A"};
  constexpr std::string_view WindowsSignatures[] = {{"\1\0\x09\0", 4}, {"\2\0\x09\0", 4}};
  try {
    if (StartsWith(data, IconSignature))
      vcl::CheckIconFile(data);
    else if (StartsWith(data, EnhancedSignature) || StartsWith(data, PlaceableSignature) ||
             StartsWith(data, WindowsSignatures[0]) || StartsWith(data, WindowsSignatures[1]))
      vcl::CheckMetafile(data);
  } catch (const vcl::EInvalidGraphic&) {
    return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// TdxGPImageAttributes

void TdxGPImageAttributes::Create()
{
  dxGpCheck(dxGpFunctions.GdipCreateImageAttributes(&FHandle));
}

void TdxGPImageAttributes::CreateFromHandle(Gdiplus::GpImageAttributes* AHandle)
{
  FHandle = AHandle;
}

void TdxGPImageAttributes::Destroy()
{
  if (FHandle && dxGpIsAvailable())
    dxGpFunctions.GdipDisposeImageAttributes(FHandle);
  FHandle = nullptr;
  inherited::Destroy();
}

TdxGPImageAttributes* TdxGPImageAttributes::Clone()
{
  Gdiplus::GpImageAttributes* clone = nullptr;
  dxGpCheck(dxGpFunctions.GdipCloneImageAttributes(FHandle, &clone));
  return rtl::NewWith<TdxGPImageAttributes>([clone](TdxGPImageAttributes* A) { A->CreateFromHandle(clone); });
}

void TdxGPImageAttributes::SetColorKey(TdxAlphaColor AColorLow, TdxAlphaColor AColorHigh, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesColorKeys(FHandle, AType, TRUE, AColorLow, AColorHigh));
}

void TdxGPImageAttributes::ClearColorKey(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesColorKeys(FHandle, AType, FALSE, 0, 0));
}

void TdxGPImageAttributes::SetColorMatrix(const TdxGpColorMatrix& ANewColorMatrix, TdxGpColorMatrixFlags AMode,
                                          TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesColorMatrix(FHandle, AType, TRUE, &ANewColorMatrix, nullptr, AMode));
}

void TdxGPImageAttributes::SetColorMatrices(const TdxGpColorMatrix& ANewColorMatrix,
                                            const TdxGpColorMatrix& AGrayMatrix, TdxGpColorMatrixFlags AMode,
                                            TdxGpColorAdjustType AType)
{
  dxGpCheck(
      dxGpFunctions.GdipSetImageAttributesColorMatrix(FHandle, AType, TRUE, &ANewColorMatrix, &AGrayMatrix, AMode));
}

void TdxGPImageAttributes::ClearColorMatrix(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesColorMatrix(FHandle, AType, FALSE, nullptr, nullptr,
                                                            ColorMatrixFlagsDefault));
}

void TdxGPImageAttributes::SetGamma(float AGamma, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesGamma(FHandle, AType, TRUE, AGamma));
}

void TdxGPImageAttributes::ClearGamma(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesGamma(FHandle, AType, FALSE, 0));
}

void TdxGPImageAttributes::SetNoOp(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesNoOp(FHandle, AType, TRUE));
}

void TdxGPImageAttributes::ClearNoOp(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesNoOp(FHandle, AType, FALSE));
}

void TdxGPImageAttributes::SetOutputChannel(TdxGpColorChannelFlags AFlags, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesOutputChannel(FHandle, AType, TRUE, AFlags));
}

void TdxGPImageAttributes::ClearOutputChannel(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesOutputChannel(FHandle, AType, FALSE, ColorChannelFlagsLast));
}

void TdxGPImageAttributes::SetOutputChannelColorProfile(const rtl::String& AColorProfileFilename,
                                                        TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesOutputChannelColorProfile(FHandle, AType, TRUE,
                                                                          AColorProfileFilename.c_str()));
}

void TdxGPImageAttributes::ClearOutputChannelColorProfile(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesOutputChannelColorProfile(FHandle, AType, FALSE, nullptr));
}

void TdxGPImageAttributes::SetRemapTable(const std::vector<Gdiplus::ColorMap>& AMap, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesRemapTable(FHandle, AType, TRUE, static_cast<UINT>(AMap.size()),
                                                           AMap.data()));
}

void TdxGPImageAttributes::ClearRemapTable(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesRemapTable(FHandle, AType, FALSE, 0, nullptr));
}

void TdxGPImageAttributes::SetBrushRemapTable(const std::vector<Gdiplus::ColorMap>& AMap)
{
  SetRemapTable(AMap, ColorAdjustTypeBrush);
}

void TdxGPImageAttributes::ClearBrushRemapTable()
{
  ClearRemapTable(ColorAdjustTypeBrush);
}

void TdxGPImageAttributes::SetThreshold(float AThreshold, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesThreshold(FHandle, AType, TRUE, AThreshold));
}

void TdxGPImageAttributes::ClearThreshold(TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesThreshold(FHandle, AType, FALSE, 0));
}

void TdxGPImageAttributes::SetWrapMode(Gdiplus::WrapMode AMode)
{
  SetWrapMode(AMode, 0xFF000000, false);
}

void TdxGPImageAttributes::SetWrapMode(Gdiplus::WrapMode AMode, TdxAlphaColor AColor, bool AClamp)
{
  dxGpCheck(dxGpFunctions.GdipSetImageAttributesWrapMode(FHandle, AMode, AColor, AClamp));
}

void TdxGPImageAttributes::GetAdjustedPalette(Gdiplus::ColorPalette* APalette, TdxGpColorAdjustType AType)
{
  dxGpCheck(dxGpFunctions.GdipGetImageAttributesAdjustedPalette(FHandle, APalette, AType));
}

// ---------------------------------------------------------------------------
// TdxGPAlphaBlendAttributes

void TdxGPAlphaBlendAttributes::Create()
{
  inherited::Create();
  FAlpha = 255;
  FColorMatrix = {};
  for (int i = 0; i < 5; ++i)
    FColorMatrix.m[i][i] = 1;
}

void TdxGPAlphaBlendAttributes::SetAlpha(std::uint8_t AValue)
{
  if (AValue == FAlpha)
    return;
  FAlpha = AValue;
  FColorMatrix.m[3][3] = AValue / 255.0f;
  SetColorMatrix(FColorMatrix, ColorMatrixFlagsDefault, ColorAdjustTypeBitmap);
}

TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(std::uint8_t AAlpha)
{
  if (AAlpha == 255)
    return nullptr;
  if (!GAlphaBlendAttributes)
    GAlphaBlendAttributes = rtl::New<TdxGPAlphaBlendAttributes>();
  GAlphaBlendAttributes->SetAlpha(AAlpha);
  return GAlphaBlendAttributes;
}

Gdiplus::GpImageAttributes* dxGpGetImageAttributesHandle(TdxGPImageAttributes* AAttributes)
{
  return AAttributes ? AAttributes->Handle() : nullptr;
}

// ---------------------------------------------------------------------------
// TdxGPImageHandle

void TdxGPImageHandle::Create(Gdiplus::GpImage* AHandle)
{
  inherited::Create();
  SetHandle(AHandle);
}

void TdxGPImageHandle::CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABitsRef,
                                      vcl::TAlphaFormat AAlphaFormat)
{
  // The library draws from, and into, the caller's array: one with fewer
  // pixels than the size claims would be read and written past its end, and
  // a row of more than INT_MAX bytes has no stride.
  const bool fits = AWidth <= INT_MAX / 4 &&
                    (AWidth <= 0 || AHeight <= 0 ||
                     static_cast<std::uint64_t>(AWidth) * static_cast<std::uint64_t>(AHeight) <= ABitsRef.size());
  if (!fits)
    dxGpCheck(InvalidParameter);
  Gdiplus::GpBitmap* bitmap = nullptr;
  auto* scan0 = reinterpret_cast<BYTE*>(const_cast<RGBQUAD*>(ABitsRef.data()));
  dxGpCheck(dxGpFunctions.GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, PixelFormatOf(AAlphaFormat), scan0,
                                                    &bitmap));
  Create(bitmap);
}

void TdxGPImageHandle::CreateSize(int AWidth, int AHeight)
{
  Create(dxGpCreateBitmap(AWidth, AHeight));
}

void TdxGPImageHandle::CreateSize(const TSize& ASize)
{
  CreateSize(ASize.cx, ASize.cy);
}

void TdxGPImageHandle::Destroy()
{
  SetHandle(nullptr);
  inherited::Destroy();
}

void TdxGPImageHandle::SetHandle(Gdiplus::GpImage* AValue)
{
  if (AValue == FHandle)
    return;
  if (FHandle)
    dxGpFunctions.GdipDisposeImage(FHandle);
  FHandle = AValue;
  FImageFormat = dxGpGetImageFormat(FHandle);
}

TdxGPImageHandle* TdxGPImageHandle::Clone()
{
  Gdiplus::GpImage* image = nullptr;
  if (FHandle)
    dxGpCheck(dxGpFunctions.GdipCloneImage(FHandle, &image));
  TNativeImageGuard guard(image);
  TdxGPImageHandle* result = rtl::New<TdxGPImageHandle>(image);
  guard.Release();
  return result;
}

TdxGPCanvas* TdxGPImageHandle::CreateCanvas()
{
  Gdiplus::GpGraphics* graphics = nullptr;
  dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(FHandle, &graphics));
  return rtl::New<TdxGPCanvas>(graphics);
}

void TdxGPImageHandle::GetSize(TSize& ASize)
{
  ASize = {0, 0};
  if (!FHandle)
    return;
  UINT width = 0;
  UINT height = 0;
  dxGpCheck(dxGpFunctions.GdipGetImageWidth(FHandle, &width));
  dxGpCheck(dxGpFunctions.GdipGetImageHeight(FHandle, &height));
  ASize = {static_cast<LONG>(width), static_cast<LONG>(height)};
}

void TdxGPImageHandle::SetSize(const TSize& ASize)
{
  Resize(ASize, imDefault, 0);
}

vcl::TBitmap* TdxGPImageHandle::GetAsBitmap()
{
  if (IsMetafile() || !FHandle)
    return inherited::GetAsBitmap();
  HBITMAP handle = nullptr;
  dxGpCheck(dxGpFunctions.GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(FHandle), &handle, 0));
  rtl::TOwnedPtr<vcl::TBitmap> result(rtl::New<vcl::TBitmap>());
  result->SetHandle(handle);
  result->SetPixelFormat(pf32bit);
  return result.release();
}

void TdxGPImageHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
                            IdxColorPalette*)
{
  if (!FHandle)
    return;
  TOwnedCanvas canvas(rtl::New<TdxGPCanvas>(DC));
  Draw(canvas.get(), ADest, ASource, dxGpGetAlphaBlendAttributes(AAlpha));
}

void TdxGPImageHandle::Draw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha, IdxColorPalette*)
{
  if (!FHandle)
    return;
  TOwnedCanvas canvas(rtl::New<TdxGPCanvas>(DC));
  Draw(canvas.get(), ADest, ASource, dxGpGetAlphaBlendAttributes(AAlpha));
}

void __stdcall TdxGPImageHandle::Draw(TdxGPCanvas* ACanvas, const TdxRectF& ADest, const TdxRectF& ASource,
                                      TdxGPImageAttributes* AAttributes)
{
  if (FHandle)
    dxGpDrawImage(ACanvas->Handle(), ADest, ASource, dxGpGetImageAttributesHandle(AAttributes), 255, FHandle);
}

void __stdcall TdxGPImageHandle::Draw(TdxGPCanvas* ACanvas, const TRect& ADest, const TRect& ASource,
                                      TdxGPImageAttributes* AAttributes)
{
  if (FHandle)
    dxGpDrawImage(ACanvas->Handle(), ADest, ASource, dxGpGetImageAttributesHandle(AAttributes), 255, FHandle);
}

template <class F>
void TdxGPImageHandle::Redraw(const TSize& ASize, F APrepare)
{
  TNativeImageGuard bitmap(dxGpCreateBitmapForSize(ASize));
  if (FHandle) {
    Gdiplus::GpGraphics* graphics = nullptr;
    dxGpCheck(dxGpFunctions.GdipGetImageGraphicsContext(bitmap.Get(), &graphics));
    TOwnedCanvas canvas(rtl::New<TdxGPCanvas>(graphics));
    APrepare(canvas.get());
  }
  SetHandle(bitmap.Release());
}

void TdxGPImageHandle::Resize(const TSize& ASize, TdxGPInterpolationMode AInterpolationMode, int APixelOffsetMode)
{
  Redraw(ASize, [&](TdxGPCanvas* ACanvas) {
    if (APixelOffsetMode != 0)
      ACanvas->SetPixelOffsetMode(static_cast<Gdiplus::PixelOffsetMode>(APixelOffsetMode));
    if (AInterpolationMode != imDefault)
      ACanvas->SetInterpolationMode(AInterpolationMode);
    dxGpCheck(dxGpFunctions.GdipDrawImageRectI(ACanvas->Handle(), FHandle, 0, 0, ASize.cx, ASize.cy));
  });
}

void __stdcall TdxGPImageHandle::Flip(bool AHorizontally, bool AVertically)
{
  if (!(AHorizontally || AVertically) || Empty())
    return;
  const TSize size = Size();
  // Copied into a bitmap of its own first, then mirrored there by the
  // library: exact, where a mirrored world transform resamples.
  Redraw(size, [&](TdxGPCanvas* ACanvas) {
    dxGpCheck(dxGpFunctions.GdipDrawImageRectI(ACanvas->Handle(), FHandle, 0, 0, size.cx, size.cy));
  });
  const Gdiplus::RotateFlipType flip = AHorizontally && AVertically ? Gdiplus::RotateNoneFlipXY
                                       : AHorizontally             ? Gdiplus::RotateNoneFlipX
                                                                   : Gdiplus::RotateNoneFlipY;
  dxGpCheck(dxGpFunctions.GdipImageRotateFlip(FHandle, flip));
}

std::uint32_t __stdcall TdxGPImageHandle::GetAnimationFrameCount()
{
  if (Empty())
    return 0;
  UINT count = 0;
  if (dxGpFunctions.GdipImageGetFrameDimensionsCount(FHandle, &count) != Ok || count != 1)
    return 0;
  if (dxGpFunctions.GdipImageGetFrameDimensionsList(FHandle, &FDimensionID, 1) != Ok)
    return 0;
  UINT frames = 0;
  if (dxGpFunctions.GdipImageGetFrameCount(FHandle, &FDimensionID, &frames) != Ok)
    return 0;
  return frames;
}

void __stdcall TdxGPImageHandle::SetActiveFrame(std::uint32_t AValue)
{
  FActiveFrame = AValue;
  if (!FHandle)
    return;
  if (dxGpFunctions.GdipImageSelectActiveFrame(FHandle, &FDimensionID, AValue) != Ok && AValue != 0)
    dxGpFunctions.GdipImageSelectActiveFrame(FHandle, &FDimensionID, 0);
}

std::vector<std::uint8_t> TdxGPImageHandle::ReadPropertyItem(PROPID AID)
{
  constexpr UINT headerSize = sizeof(Gdiplus::PropertyItem);
  UINT size = 0;
  if (!FHandle || dxGpFunctions.GdipGetPropertyItemSize(FHandle, AID, &size) != Ok || size <= headerSize)
    return {};
  std::vector<std::uint8_t> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (dxGpFunctions.GdipGetPropertyItem(FHandle, AID, size, item) != Ok || !item->value)
    return {};
  const auto* values = static_cast<const std::uint8_t*>(item->value);
  return std::vector<std::uint8_t>(values, values + (size - headerSize));
}

int __stdcall TdxGPImageHandle::GetAnimationFrameDelay()
{
  // The item holds one 32-bit delay per frame, in hundredths of a second.
  const std::vector<std::uint8_t> delays = ReadPropertyItem(PropertyTagFrameDelay);
  const std::size_t offset = static_cast<std::size_t>(FActiveFrame) * 4;
  if (offset + 4 > delays.size())
    return 75;
  std::int32_t delay;
  std::memcpy(&delay, delays.data() + offset, sizeof(delay));
  return delay * 10;
}

int __stdcall TdxGPImageHandle::GetAnimationLoopCount()
{
  const std::vector<std::uint8_t> value = ReadPropertyItem(PropertyTagLoopCount);
  if (value.size() < 2)
    return 0;
  return value[0] | (value[1] << 8);
}

// ---------------------------------------------------------------------------
// TdxGPImageCodec

bool TdxGPImageCodec::HasSignature(rtl::TStream* AStream, std::string_view ASignature)
{
  const std::int64_t position = AStream->GetPosition();
  std::array<char, 16> buffer{};
  const int count = static_cast<int>(ASignature.size());
  const bool result = AStream->Read(buffer.data(), count) == count &&
                      std::string_view(buffer.data(), ASignature.size()) == ASignature;
  AStream->SetPosition(position);
  return result;
}

bool TdxGPImageCodec::Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const
{
  if (!SafeForSystemDecoder(AStream))
    return false;
  // The native image keeps the adapter, and so reads AStream, for its life.
  rtl::IPtr<IStream> stream = StreamAdapter(AStream);
  Gdiplus::GpImage* image = nullptr;
  if (dxGpFunctions.GdipLoadImageFromStream(stream.Get(), &image) != Ok || !image)
    return false;
  TNativeImageGuard guard(image);
  AHandle = rtl::New<TdxGPImageHandle>(image);
  guard.Release();
  return true;
}

bool TdxGPImageCodec::Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const
{
  CLSID encoder;
  dxGetImageEncoder(ID(), encoder);
  if (IsEqualCLSID(encoder, GUID_NULL))
    return false;
  // What the encoder reports is passed on: an image the library failed to
  // write must not pass for saved.
  if (rtl::Is<TdxGPImageHandle>(AHandle))
    return SaveCore(AStream, static_cast<TdxGPImageHandle*>(AHandle), nullptr);
  const TRGBColors bits = AHandle->GetAsBitmapBits();
  rtl::TOwnedPtr<TdxGPImageHandle> handle(rtl::NewWith<TdxGPImageHandle>([&](TdxGPImageHandle* H) {
    H->CreateFromBits(AHandle->Width(), AHandle->Height(), bits, afPremultiplied);
  }));
  return SaveCore(AStream, handle.get(), nullptr);
}

bool TdxGPImageCodec::SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                               const Gdiplus::EncoderParameters* AParams) const
{
  CLSID encoder;
  dxGetImageEncoder(ID(), encoder);
  rtl::IPtr<IStream> stream = StreamAdapter(AStream);
  return dxGpFunctions.GdipSaveImageToStream(AHandle->GetHandle(), stream.Get(), &encoder, AParams) == Ok;
}

// ---------------------------------------------------------------------------
// Signatures and header probes

bool TdxGPImageCodecBMP::CanLoadStream(rtl::TStream* AStream) const
{
  return HasSignature(AStream, BmpSignature);
}

bool TdxGPImageCodecBMP::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  if (!CanLoadStream(AStream))
    return false;
  THeaderReader reader(AStream, false);
  std::uint32_t headerSize = 0;
  if (!reader.Skip(14) || !reader.Value(headerSize))
    return false;
  if (headerSize == 12) {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    if (!reader.Value(width) || !reader.Value(height))
      return false;
    ASize = {width, height};
  } else {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!reader.Value(width) || !reader.Value(height))
      return false;
    ASize = {width, height};
  }
  return true;
}

bool TdxGPImageCodecBMP::Load(const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat, int AWidth, int AHeight,
                              TdxSmartImageCustomHandle*& AHandle) const
{
  AHandle = rtl::NewWith<TdxGPImageHandle>(
      [&](TdxGPImageHandle* H) { H->CreateFromBits(AWidth, AHeight, ABits, AAlphaFormat); });
  return true;
}

bool TdxGPImageCodecGIF::CanLoadStream(rtl::TStream* AStream) const
{
  return HasSignature(AStream, Gif89Signature) || HasSignature(AStream, Gif87Signature);
}

bool TdxGPImageCodecGIF::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  if (!CanLoadStream(AStream))
    return false;
  THeaderReader reader(AStream, false);
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  if (!reader.Skip(6) || !reader.Value(width) || !reader.Value(height))
    return false;
  ASize = {width, height};
  return true;
}

bool TdxGPImageCodecJPEG::CanLoadStream(rtl::TStream* AStream) const
{
  return HasSignature(AStream, JpegSignature);
}

// Walks the markers to the first baseline or lossless frame; frames of the
// other kinds are skipped like any segment.
bool TdxGPImageCodecJPEG::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  if (!CanLoadStream(AStream))
    return false;
  THeaderReader reader(AStream, true);
  if (!reader.Skip(2))
    return false;
  for (;;) {
    std::uint16_t marker = 0;
    if (!reader.Value(marker) || (marker >> 8) != 0xFF || marker == 0xFFD9)
      return false;
    const std::uint8_t kind = marker & 0xFF;
    if (kind == 0xC0 || kind == 0xC3) {
      std::uint16_t height = 0;
      std::uint16_t width = 0;
      if (!reader.Skip(3) || !reader.Value(height) || !reader.Value(width))
        return false;
      ASize = {width, height};
      return true;
    }
    if (kind >= 0xD0 && kind <= 0xD8)
      continue;
    if (kind == 0xDD) {
      if (!reader.Skip(4))
        return false;
      continue;
    }
    std::uint16_t length = 0;
    if (!reader.Value(length) || !reader.Skip(length - 2))
      return false;
  }
}

bool TdxGPImageCodecJPEG::SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                                   const Gdiplus::EncoderParameters* AParams) const
{
  if (Quality == -1 || AParams)
    return TdxGPImageCodec::SaveCore(AStream, AHandle, AParams);
  Gdiplus::EncoderParameters params{};
  params.Count = 1;
  params.Parameter[0].Guid = rtl::GUIDLiteral("{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Type = 4;
  params.Parameter[0].Value = &Quality;
  return TdxGPImageCodec::SaveCore(AStream, AHandle, &params);
}

bool TdxGPImageCodecPNG::CanLoadStream(rtl::TStream* AStream) const
{
  return HasSignature(AStream, PngSignature);
}

bool TdxGPImageCodecPNG::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  if (!CanLoadStream(AStream))
    return false;
  const std::int64_t start = AStream->GetPosition();
  THeaderReader reader(AStream, true);
  char chunk[4];
  if (!reader.Skip(12) || !reader.Bytes(chunk, 4))
    return false;
  // Without the header chunk's name the size is taken right after the
  // signature.
  if (std::memcmp(chunk, "IHDR", 4) != 0)
    AStream->SetPosition(start + 8);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  if (!reader.Value(width) || !reader.Value(height))
    return false;
  ASize = {static_cast<LONG>(width), static_cast<LONG>(height)};
  return true;
}

bool TdxGPImageCodecTIFF::CanLoadStream(rtl::TStream* AStream) const
{
  return HasSignature(AStream, TiffIntelSignature) || HasSignature(AStream, TiffMotorolaSignature);
}

bool TdxGPImageCodecTIFF::GetSize(rtl::TStream* AStream, TSize& ASize) const
{
  if (!CanLoadStream(AStream))
    return false;
  const bool bigEndian = HasSignature(AStream, TiffMotorolaSignature);
  THeaderReader reader(AStream, bigEndian);
  ASize = {0, 0};
  std::uint32_t offset = 0;
  std::uint16_t count = 0;
  if (!reader.Skip(4) || !reader.Value(offset) || offset < 8 || offset - 8 > 0x7FFFFFFF ||
      !reader.Skip(static_cast<int>(offset - 8)) || !reader.Value(count))
    return false;
  // The value sits in the first bytes of the field, in the file's order.
  auto fieldValue = [bigEndian](const std::uint8_t* AField, int ASize) {
    std::uint32_t result = 0;
    for (int i = 0; i < ASize; ++i)
      result |= static_cast<std::uint32_t>(AField[bigEndian ? ASize - 1 - i : i]) << (8 * i);
    return result;
  };
  for (int i = 0; i < count; ++i) {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t values = 0;
    std::uint8_t field[4];
    if (!reader.Value(tag) || !reader.Value(type) || !reader.Value(values) || !reader.Bytes(field, 4))
      return false;
    if ((tag != 256 && tag != 257) || (type != 3 && type != 4))
      continue;
    const auto value = static_cast<LONG>(fieldValue(field, type == 3 ? 2 : 4));
    (tag == 256 ? ASize.cx : ASize.cy) = value;
    if (ASize.cx > 0 && ASize.cy > 0)
      return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// Metafiles

bool TdxGPImageCodecEMF::SaveCore(rtl::TStream* AStream, TdxGPImageHandle* AHandle,
                                  const Gdiplus::EncoderParameters*) const
{
  // Drawing the handle into a new metafile serves metafile handles too: what
  // the library writes for a metafile without an encoder is not to be relied
  // on.
  rtl::TOwnedPtr<vcl::TMetafile> metafile(rtl::New<vcl::TMetafile>());
  metafile->SetWidth(AHandle->Width());
  metafile->SetHeight(AHandle->Height());
  {
    rtl::TOwnedPtr<vcl::TMetafileCanvas> canvas(rtl::New<vcl::TMetafileCanvas>(metafile.get(), nullptr));
    AHandle->Draw(canvas->GetHandle(), AHandle->ClientRect(), AHandle->ClientRect(), 255, nullptr);
  }
  metafile->SetEnhanced(ID() == dxImageEmf);
  metafile->SaveToStream(AStream);
  return true;
}

// ---------------------------------------------------------------------------
// Registration

std::span<const TdxSmartImageCodecClass> dxGpRasterImageCodecs()
{
  static const TdxSmartImageCodecClass codecs[] = {
      TdxGPImageCodecBMP::Class(),  TdxGPImageCodecMemoryBitmap::Class(), TdxGPImageCodecGIF::Class(),
      TdxGPImageCodecJPG::Class(),  TdxGPImageCodecJPEG::Class(),         TdxGPImageCodecPNG::Class(),
      TdxGPImageCodecTIF::Class(),  TdxGPImageCodecTIFF::Class(),         TdxGPImageCodecEMF::Class(),
      TdxGPImageCodecWMF::Class()};
  return codecs;
}

namespace {

// Nothing exists without the library: no codec is registered.
void ImagesStartStep()
{
  if (!dxGpIsAvailable())
    return;
  dxGpLoadCodecIDs();
  for (TdxSmartImageCodecClass codec : dxGpRasterImageCodecs())
    TdxSmartImageCodecsRepository::Register(codec);
}

void ImagesFinishStep()
{
  rtl::FreeAndNil(GAlphaBlendAttributes);
  for (TdxSmartImageCodecClass codec : dxGpRasterImageCodecs())
    TdxSmartImageCodecsRepository::Unregister(codec);
}

}  // namespace

void dxGpRegisterRasterCodecsStep()
{
  dxGetUnitsLoader()->AddUnit(&ImagesStartStep, &ImagesFinishStep);
}

void dxGpUnregisterRasterCodecsStep()
{
  dxGetUnitsLoader()->RemoveUnit(&ImagesFinishStep);
}
