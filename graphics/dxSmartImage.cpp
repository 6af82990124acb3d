#include "graphics/dxSmartImage.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/rtl/SysUtilsFormat.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TdxDefaultBoolean;
using enum vcl::TAlphaFormat;
using enum vcl::TPixelFormat;
using enum vcl::TTransparentMode;

namespace {

// Streams are copied in blocks of this size, so a huge image never needs a
// second buffer of its whole size.
constexpr int CopyBlockSize = 1048576;

void CopyStreamBlocks(rtl::TStream* ASource, rtl::TStream* ADest, std::int64_t ACount)
{
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(ACount, CopyBlockSize)));
  while (ACount > 0) {
    const int block = static_cast<int>(std::min<std::int64_t>(ACount, CopyBlockSize));
    ASource->ReadBuffer(buffer.data(), block);
    ADest->WriteBuffer(buffer.data(), block);
    ACount -= block;
  }
}

// The number of pixels of a picture; raises when an array of that many
// could not exist, rather than letting the product wrap into a small count.
std::size_t PixelCount(int AWidth, int AHeight)
{
  const auto count = static_cast<std::uint64_t>(std::max(AWidth, 0)) * static_cast<std::uint64_t>(std::max(AHeight, 0));
  if (count > TRGBColors().max_size())
    throw rtl::EOutOfMemory(L"Out of memory");
  return static_cast<std::size_t>(count);
}

bool HasArea(const TSize& ASize)
{
  return ASize.cx >= 1 && ASize.cy >= 1;
}

bool operator==(const TSize& A, const TSize& B)
{
  return A.cx == B.cx && A.cy == B.cy;
}

// Restores a stream's position when the scope ends.
class TStreamPositionKeeper {
 public:
  explicit TStreamPositionKeeper(rtl::TStream* AStream) : FStream(AStream), FPosition(AStream->GetPosition()) {}
  ~TStreamPositionKeeper() { FStream->SetPosition(FPosition); }
  TStreamPositionKeeper(const TStreamPositionKeeper&) = delete;
  TStreamPositionKeeper& operator=(const TStreamPositionKeeper&) = delete;

 private:
  rtl::TStream* FStream;
  std::int64_t FPosition;
};

using TOwnedBitmapObject = rtl::TOwnedPtr<vcl::TBitmap>;
using TOwnedStream = rtl::TOwnedPtr<rtl::TStream>;

int BitsPerPixel(vcl::TBitmap* ABitmap)
{
  switch (ABitmap->GetPixelFormat()) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: {
      vcl::TWindowDC dc(nullptr);
      return GetDeviceCaps(dc.Get(), BITSPIXEL);
    }
  }
}

// The extension with its dot, or empty when the file name has none.
rtl::String ExtractFileExt(const rtl::String& AFileName)
{
  const std::size_t dot = AFileName.find_last_of(L".\\/:");
  if (dot == rtl::String::npos || AFileName[dot] != L'.')
    return {};
  return AFileName.substr(dot);
}

}  // namespace

bool dxReadBitmapPixelsTopDown(vcl::TBitmap* ABitmap, TRGBColors& AColors)
{
  const int width = ABitmap->GetWidth();
  const int height = ABitmap->GetHeight();
  if (width <= 0 || height <= 0)
    return false;
  AColors.assign(PixelCount(width, height), RGBQUAD{});
  BITMAPINFO info{};
  dxInitBitmapInfoHeader32(info.bmiHeader, width, height, true);
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  return GetDIBits(dc.Get(), ABitmap->GetHandle(), 0, height, AColors.data(), &info, DIB_RGB_COLORS) == height;
}

// ---------------------------------------------------------------------------
// TdxSmartImageCustomHandle

void TdxSmartImageCustomHandle::SetSize(const TSize&) {}

bool TdxSmartImageCustomHandle::Empty()
{
  return !HasArea(Size());
}

TdxAlphaState TdxSmartImageCustomHandle::GetAlphaState()
{
  if (Empty())
    return asNoAlpha;
  return dxGetPixelsAlphaState(GetAsBitmapBits());
}

vcl::TBitmap* TdxSmartImageCustomHandle::GetAsBitmap()
{
  TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetSize(Width(), Height());
  Draw(bitmap->GetCanvas()->GetHandle(), ClientRect(), ClientRect(), 255, nullptr);
  return bitmap.release();
}

TRGBColors TdxSmartImageCustomHandle::GetAsBitmapBits()
{
  TOwnedBitmapObject bitmap(GetAsBitmap());
  TRGBColors result;
  dxReadBitmapPixelsTopDown(bitmap.get(), result);
  return result;
}

void TdxSmartImageCustomHandle::Draw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
                                     IdxColorPalette* APalette)
{
  auto truncated = [](const TdxRectF& R) {
    return TRect{static_cast<LONG>(R.Left), static_cast<LONG>(R.Top), static_cast<LONG>(R.Right),
                 static_cast<LONG>(R.Bottom)};
  };
  Draw(DC, truncated(ADest), truncated(ASource), AAlpha, APalette);
}

bool TdxSmartImageCustomHandle::Equals(rtl::TObject* AObj)
{
  if (!rtl::Is<TdxSmartImageCustomHandle>(AObj))
    return false;
  auto* other = static_cast<TdxSmartImageCustomHandle*>(AObj);
  if (!(Size() == other->Size()))
    return false;
  if (Empty() || other->Empty())
    return true;
  const TRGBColors bits = GetAsBitmapBits();
  const TRGBColors otherBits = other->GetAsBitmapBits();
  // The byte count is this handle's; a shorter other array cannot be equal.
  return bits.size() == otherBits.size() &&
         std::memcmp(bits.data(), otherBits.data(), bits.size() * sizeof(RGBQUAD)) == 0;
}

std::uint32_t TdxSmartImageCustomHandle::GetHashCode()
{
  if (Empty())
    return 0;
  const TRGBColors bits = GetAsBitmapBits();
  return dxCrc32(bits.data(), static_cast<int>(bits.size() * sizeof(RGBQUAD)));
}

TSize TdxSmartImageCustomHandle::Size()
{
  TSize result{};
  GetSize(result);
  return result;
}

TRect TdxSmartImageCustomHandle::ClientRect()
{
  const TSize size = Size();
  return {0, 0, size.cx, size.cy};
}

// ---------------------------------------------------------------------------
// TdxSmartImageDataStream

TdxSmartImageDataStream* TdxSmartImageDataStream::Clone(TdxSmartImageDataStream* ASource)
{
  if (!ASource)
    return nullptr;
  rtl::TOwnedPtr<TdxSmartImageDataStream> result(
      static_cast<TdxSmartImageDataStream*>(rtl::ClassOf<TdxSmartImageDataStream>(ASource->ClassType()).Create()));
  TStreamPositionKeeper keeper(ASource);
  ASource->SetPosition(0);
  CopyStreamBlocks(ASource, result.get(), ASource->GetSize());
  result->SetPosition(0);
  return result.release();
}

// ---------------------------------------------------------------------------
// TdxSmartImageData

void TdxSmartImageData::Destroy()
{
  Clear();
  inherited::Destroy();
}

void TdxSmartImageData::Clear()
{
  FBits = TRGBColors();
  FSize = {0, 0};
  FNewSize = {0, 0};
  rtl::FreeAndNil(FData);
}

void TdxSmartImageData::Assign(TdxSmartImageData* ASource)
{
  Clear();
  if (!ASource)
    return;
  FBits = ASource->FBits;
  FBitsFormat = ASource->FBitsFormat;
  FSize = ASource->FSize;
  FNewSize = ASource->FNewSize;
  FData = TdxSmartImageDataStream::Clone(ASource->FData);
}

void TdxSmartImageData::LoadFromStream(rtl::TStream* AStream)
{
  Clear();
  const std::int64_t count = AStream->GetSize() - AStream->GetPosition();
  if (count <= 0)
    return;
  rtl::TOwnedPtr<TdxSmartImageDataStream> data(rtl::New<TdxSmartImageDataStream>());
  data->SetSize(count);
  data->SetPosition(0);
  CopyStreamBlocks(AStream, data.get(), count);
  data->SetPosition(0);
  FData = data.release();
}

void TdxSmartImageData::LoadFromBits(const TRGBColors& ABits, const TSize& ASize, vcl::TAlphaFormat AFormat)
{
  Clear();
  FBits = ABits;
  FBitsFormat = AFormat;
  FSize = ASize;
  ApplyTransparency();
}

void TdxSmartImageData::LoadFromBitmap(vcl::TBitmap* ABitmap)
{
  Clear();
  FTransparent = FTransparent || ABitmap->GetTransparent();
  FTransparentColor = ABitmap->GetTransparentColor();
  FTransparentMode = ABitmap->GetTransparentMode();
  TRGBColors bits;
  if (!dxReadBitmapPixelsTopDown(ABitmap, bits))
    return;
  FBits = std::move(bits);
  FBitsFormat = ABitmap->GetAlphaFormat();
  if (FBitsFormat == afIgnored && BitsPerPixel(ABitmap) == 32 && TdxSmartImageHelper::HasAlpha(FBits))
    FBitsFormat = TdxSmartImageHelper::AreColorsPremultiplied(FBits) ? afPremultiplied : afDefined;
  FSize = {ABitmap->GetWidth(), ABitmap->GetHeight()};
  ApplyTransparency();
}

void TdxSmartImageData::ApplyTransparency()
{
  if (FBitsFormat != afIgnored || FBits.empty())
    return;
  auto value = [](const RGBQUAD& APixel) {
    std::uint32_t result;
    std::memcpy(&result, &APixel, sizeof(result));
    return result;
  };
  // Pixels that do not fill even their one row (or a size without width)
  // have no bottom-left pixel inside the array: the first pixel serves.
  const std::size_t count = FBits.size();
  const std::size_t bottomLeft =
      FSize.cx > 0 && static_cast<std::size_t>(FSize.cx) <= count ? count - static_cast<std::size_t>(FSize.cx) : 0;
  const std::uint32_t key = FTransparentMode == tmFixed
                                ? static_cast<std::uint32_t>(dxAlphaColorToColor(FTransparentColor))
                                : value(FBits[bottomLeft]);
  for (RGBQUAD& pixel : FBits)
    pixel.rgbReserved = FTransparent && value(pixel) == key ? 0 : 255;
  FBitsFormat = afPremultiplied;
}

// ---------------------------------------------------------------------------
// TdxSmartImageCodec

rtl::String TdxSmartImageCodec::Description() const
{
  rtl::String result = Ext();
  if (!result.empty())
    result.erase(0, 1);
  return rtl::UpperCase(result) + L" graphics from Quorvane";
}

bool TdxSmartImageCodec::GetSize(rtl::TStream*, TSize&) const
{
  return false;
}

bool TdxSmartImageCodec::CanLoadStream(rtl::TStream*) const
{
  return false;
}

bool TdxSmartImageCodec::CanSaveImage(TdxSmartImageCustomHandle*) const
{
  return false;
}

bool TdxSmartImageCodec::Load(const TRGBColors&, vcl::TAlphaFormat, int, int, TdxSmartImageCustomHandle*&) const
{
  return false;
}

bool TdxSmartImageCodec::Load(rtl::TStream*, TdxSmartImageCustomHandle*&) const
{
  return false;
}

bool TdxSmartImageCodec::Save(rtl::TStream*, TdxSmartImageCustomHandle*) const
{
  return false;
}

// ---------------------------------------------------------------------------
// TdxSmartImageCodecsRepository

namespace {

// Exists from the first registration to the last unregistration.
std::vector<TdxSmartImageCodecClass>* CodecList;

template <class F>
TdxSmartImageCodecClass FindCodec(F APredicate)
{
  if (CodecList)
    for (TdxSmartImageCodecClass codec : *CodecList)
      if (APredicate(codec))
        return codec;
  return nullptr;
}

}  // namespace

void TdxSmartImageCodecsRepository::Register(TdxSmartImageCodecClass ACodec)
{
  if (!CodecList)
    CodecList = new std::vector<TdxSmartImageCodecClass>;
  CodecList->push_back(ACodec);
}

void TdxSmartImageCodecsRepository::Unregister(TdxSmartImageCodecClass ACodec)
{
  if (!CodecList)
    return;
  const auto it = std::find(CodecList->begin(), CodecList->end(), ACodec);
  if (it != CodecList->end())
    CodecList->erase(it);
  if (CodecList->empty()) {
    delete CodecList;
    CodecList = nullptr;
  }
}

bool TdxSmartImageCodecsRepository::Contains(TdxSmartImageCodecClass ACodec)
{
  return FindCodec([&](TdxSmartImageCodecClass C) { return C == ACodec; }) != nullptr;
}

int TdxSmartImageCodecsRepository::Count()
{
  return CodecList ? static_cast<int>(CodecList->size()) : 0;
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetItem(int AIndex)
{
  return (*CodecList)[AIndex];
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatByExt(const rtl::String& AExt)
{
  if (AExt.empty())
    return nullptr;
  return FindCodec([&](TdxSmartImageCodecClass C) { return rtl::SameText(C->Ext(), AExt); });
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatByID(TdxImageDataFormat AID)
{
  return FindCodec([&](TdxSmartImageCodecClass C) { return C->ID() == AID; });
}

TdxSmartImageCodecClass TdxSmartImageCodecsRepository::GetFormatFromStream(rtl::TStream* AStream)
{
  return FindCodec([&](TdxSmartImageCodecClass C) { return C->CanLoadStream(AStream); });
}

bool TdxSmartImageCodecsRepository::GetImageInfo(rtl::TStream* AStream, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec)
{
  const std::int64_t position = AStream->GetPosition();
  ACodec = FindCodec([&](TdxSmartImageCodecClass C) {
    if (C->GetSize(AStream, ASize))
      return true;
    AStream->SetPosition(position);
    return false;
  });
  return ACodec != nullptr;
}

bool TdxSmartImageCodecsRepository::GetImageInfo(const rtl::String& AFileName, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec)
{
  TOwnedStream stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone));
  return GetImageInfo(stream.get(), ASize, ACodec);
}

bool TdxSmartImageCodecsRepository::GetImageInfo(TdxSmartImageData* AImageData, TSize& ASize,
                                                 TdxSmartImageCodecClass& ACodec)
{
  ACodec = nullptr;
  if (AImageData->Empty())
    return false;
  if (!AImageData->FBits.empty()) {
    ACodec = FindCodec([](TdxSmartImageCodecClass C) { return C->CanLoadFromBits(); });
    ASize = AImageData->FSize;
    return ACodec != nullptr;
  }
  AImageData->FData->SetPosition(0);
  return GetImageInfo(AImageData->FData, ASize, ACodec);
}

bool TdxSmartImageCodecsRepository::Load(const TRGBColors& ABits, vcl::TAlphaFormat AAlphaFormat, int AWidth,
                                         int AHeight, TdxSmartImageCustomHandle*& AHandle)
{
  AHandle = nullptr;
  return FindCodec([&](TdxSmartImageCodecClass C) { return C->Load(ABits, AAlphaFormat, AWidth, AHeight, AHandle); });
}

bool TdxSmartImageCodecsRepository::Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle)
{
  AHandle = nullptr;
  const std::int64_t position = AStream->GetPosition();
  return FindCodec([&](TdxSmartImageCodecClass C) {
    if (C->Load(AStream, AHandle))
      return true;
    AStream->SetPosition(position);
    return false;
  });
}

bool TdxSmartImageCodecsRepository::Load(TdxSmartImageData* AImageData, TdxSmartImageCustomHandle*& AHandle)
{
  if (!AImageData->FBits.empty())
    return Load(AImageData->FBits, AImageData->FBitsFormat, AImageData->FSize.cx, AImageData->FSize.cy, AHandle);
  AHandle = nullptr;
  if (!AImageData->FData)
    return false;
  AImageData->FData->SetPosition(0);
  return Load(AImageData->FData, AHandle);
}

// ---------------------------------------------------------------------------
// TdxCustomSmartImage: construction

void TdxCustomSmartImage::Create()
{
  inherited::Create();
  FImageData = rtl::New<TdxSmartImageData>();
  FImageData->FTransparentColor = vcl::clDefault;
  FAnimationLoop = bTrue;
  FAnimationFrameDelay = 0;
  FUseCache = false;
}

void TdxCustomSmartImage::Destroy()
{
  ResetImage();
  StopAnimation();
  rtl::FreeAndNil(FImageData);
  FreeCache();
  inherited::Destroy();
}

void TdxCustomSmartImage::CreateSize(int AWidth, int AHeight, TdxAlphaColor AColor)
{
  CreateFromBits(AWidth, AHeight, TdxSmartImageHelper::AllocColors(AWidth, AHeight, AColor), true);
}

void TdxCustomSmartImage::CreateSize(const TSize& ASize, TdxAlphaColor AColor)
{
  CreateSize(ASize.cx, ASize.cy, AColor);
}

void TdxCustomSmartImage::CreateSize(const TRect& ARect, TdxAlphaColor AColor)
{
  CreateSize(ARect.right - ARect.left, ARect.bottom - ARect.top, AColor);
}

void TdxCustomSmartImage::CreateFromBitmap(vcl::TBitmap* ABitmap)
{
  Create();
  LoadFromBitmap(ABitmap);
}

void TdxCustomSmartImage::CreateFromHBitmap(HBITMAP ABitmap)
{
  Create();
  LoadFromHBitmap(ABitmap, nullptr);
}

void TdxCustomSmartImage::CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABits, bool AHasAlphaChannel)
{
  CreateFromBits(AWidth, AHeight, ABits, AHasAlphaChannel ? afPremultiplied : afIgnored);
}

void TdxCustomSmartImage::CreateFromBits(int AWidth, int AHeight, const TRGBColors& ABits,
                                         vcl::TAlphaFormat AAlphaFormat)
{
  Create();
  AssignBits(AWidth, AHeight, ABits, AAlphaFormat);
}

void TdxCustomSmartImage::CreateFromStream(rtl::TStream* AStream)
{
  Create();
  LoadFromStreamCore(AStream);
}

// ---------------------------------------------------------------------------
// Loading

void TdxCustomSmartImage::LoadFromStream(rtl::TStream* AStream)
{
  LoadFromStreamCore(AStream);
  Changed(this);
}

void TdxCustomSmartImage::LoadFromStreamCore(rtl::TStream* AStream)
{
  ResetImage();
  if (IsBitmapStream(AStream)) {
    TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
    bitmap->LoadFromStream(AStream);
    LoadFromBitmap(bitmap.get());
  } else {
    FImageData->LoadFromStream(AStream);
  }
}

bool TdxCustomSmartImage::IsBitmapStream(rtl::TStream* AStream)
{
  TStreamPositionKeeper keeper(AStream);
  std::uint8_t header[14];
  return AStream->Read(header, sizeof(header)) == sizeof(header) && header[0] == 'B' && header[1] == 'M';
}

void TdxCustomSmartImage::LoadFromBitmap(vcl::TBitmap* ABitmap)
{
  ResetImage();
  FImageData->LoadFromBitmap(ABitmap);
}

void TdxCustomSmartImage::SetBitmap(vcl::TBitmap* ABitmap)
{
  LoadFromBitmap(ABitmap);
  Changed(this);
}

void TdxCustomSmartImage::LoadFromHBitmap(HBITMAP AHandle, HPALETTE APalette)
{
  TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetHandle(AHandle);
  // The caller keeps the handle: the bitmap only lends it for the load.
  struct TRelease {
    vcl::TBitmap* Bitmap;
    ~TRelease() { Bitmap->ReleaseHandle(); }
  } release{bitmap.get()};
  (void)APalette;
  LoadFromBitmap(bitmap.get());
}

void TdxCustomSmartImage::AssignBits(int AWidth, int AHeight, const TRGBColors& ABits,
                                     vcl::TAlphaFormat AAlphaFormat)
{
  ResetImage();
  FImageData->LoadFromBits(ABits, {AWidth, AHeight}, AAlphaFormat);
}

void TdxCustomSmartImage::LoadFromBits(int AWidth, int AHeight, const TRGBColors& ABits, bool AHasAlphaChannel)
{
  LoadFromBits(AWidth, AHeight, ABits, AHasAlphaChannel ? afPremultiplied : afIgnored);
}

void TdxCustomSmartImage::LoadFromBits(int AWidth, int AHeight, const TRGBColors& ABits,
                                       vcl::TAlphaFormat AAlphaFormat)
{
  AssignBits(AWidth, AHeight, ABits, AAlphaFormat);
  Changed(this);
}

void TdxCustomSmartImage::LoadFromResource(HINSTANCE AInstance, const rtl::String& AResName,
                                           const wchar_t* AResType)
{
  if (AResType == RT_BITMAP) {
    TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
    bitmap->LoadFromResourceName(AInstance, AResName);
    LoadFromBitmap(bitmap.get());
    Changed(this);
  } else {
    TOwnedStream stream(rtl::New<rtl::TResourceStream>(AInstance, AResName, AResType));
    LoadFromStream(stream.get());
  }
}

// ---------------------------------------------------------------------------
// Saving

void TdxCustomSmartImage::SaveToStream(rtl::TStream* AStream)
{
  if (GetEmpty() || FHandle || !FImageData->FData) {
    SaveToStreamByCodec(AStream, GetImageCodec());
    return;
  }
  TStreamPositionKeeper keeper(FImageData->FData);
  FImageData->FData->SetPosition(0);
  CopyStreamBlocks(FImageData->FData, AStream, FImageData->FData->GetSize());
}

void TdxCustomSmartImage::SaveToStreamByCodec(rtl::TStream* AStream, TdxSmartImageCodecClass ACodec)
{
  if (GetEmpty())
    return;
  // Encoded whole before anything reaches AStream, so a failing codec leaves
  // the caller's stream untouched.
  TOwnedStream encoded(CreateEncodedStream(ACodec));
  CopyStreamBlocks(encoded.get(), AStream, encoded->GetSize());
}

void TdxCustomSmartImage::SaveToStreamByCodec(rtl::TStream* AStream, TdxImageDataFormat AFormat)
{
  SaveToStreamByCodec(AStream, TdxSmartImageCodecsRepository::GetFormatByID(AFormat));
}

TdxSmartImageDataStream* TdxCustomSmartImage::CreateEncodedStream(TdxSmartImageCodecClass ACodec)
{
  if (!ACodec)
    throw EdxException(dxLookupResourceString(sdxSmartImageOperationNotSupported));
  const TdxImageDataFormat format = GetImageDataFormat();
  if (ACodec->ID() == format && format != dxImageUnknown && FImageData->FData)
    return TdxSmartImageDataStream::Clone(FImageData->FData);
  rtl::TOwnedPtr<TdxSmartImageDataStream> result(rtl::New<TdxSmartImageDataStream>());
  if (!ACodec->Save(result.get(), GetImageHandle()))
    throw EdxException(rtl::Format(dxLookupResourceString(sdxSmartImageCodecFailedToExport),
                                   {rtl::String(ACodec->ClassName()), static_cast<int>(format)}));
  result->SetPosition(0);
  return result.release();
}

void TdxCustomSmartImage::SaveToFile(const rtl::String& AFileName)
{
  TOwnedStream stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  if (TdxSmartImageCodecClass codec = TdxSmartImageCodecsRepository::GetFormatByExt(ExtractFileExt(AFileName)))
    SaveToStreamByCodec(stream.get(), codec);
  else
    SaveToStream(stream.get());
}

TdxSmartImageCodecClass TdxCustomSmartImage::GetImageCodec()
{
  TdxSmartImageCustomHandle* handle = GetImageHandle();
  rtl::IPtr<IdxImageDataFormatEx> formatEx;
  if (rtl::Supports(handle, &formatEx))
    return formatEx->GetImageCodec();
  rtl::IPtr<IdxImageDataFormat> format;
  if (rtl::Supports(handle, &format))
    return TdxSmartImageCodecsRepository::GetFormatByID(format->GetImageFormat());
  return nullptr;
}

void TdxCustomSmartImage::SetImageCodec(TdxSmartImageCodecClass AValue)
{
  if (AValue == GetImageCodec())
    return;
  TOwnedStream stream(rtl::New<rtl::TMemoryStream>());
  SaveToStreamByCodec(stream.get(), AValue);
  stream->SetPosition(0);
  LoadFromStream(stream.get());
}

TdxImageDataFormat TdxCustomSmartImage::GetImageDataFormat()
{
  rtl::IPtr<IdxImageDataFormat> format;
  if (rtl::Supports(GetImageHandle(), &format))
    return format->GetImageFormat();
  return dxImageUnknown;
}

void TdxCustomSmartImage::SetImageDataFormat(TdxImageDataFormat AValue)
{
  SetImageCodec(TdxSmartImageCodecsRepository::GetFormatByID(AValue));
}

// ---------------------------------------------------------------------------
// Handle and data

void TdxCustomSmartImage::CreateHandle()
{
  if (FImageData->Empty()) {
    FHandle = rtl::New<TdxSmartImageEmptyHandle>();
    return;
  }
  TdxSmartImageCustomHandle* handle = nullptr;
  if (!TdxSmartImageCodecsRepository::Load(FImageData, handle))
    throw EdxException(dxLookupResourceString(sdxSmartImageUnsupportedFormat));
  FHandle = handle;
}

void TdxCustomSmartImage::HandleNeeded()
{
  if (FHandle)
    return;
  CreateHandle();
  const TSize newSize = FImageData->FNewSize;
  if (HasArea(newSize)) {
    Resize(newSize);
    if (!FHandle)
      CreateHandle();
  }
}

TdxSmartImageCustomHandle* TdxCustomSmartImage::GetImageHandle()
{
  HandleNeeded();
  return FHandle;
}

void TdxCustomSmartImage::SetImageHandle(TdxSmartImageCustomHandle* AHandle)
{
  if (AHandle == FHandle)
    return;
  ResetImage();
  FHandle = AHandle;
  Changed(this);
}

void TdxCustomSmartImage::ResetImage()
{
  rtl::FreeAndNil(FHandle);
  FImageData->Clear();
}

void TdxCustomSmartImage::SaveHandleToData()
{
  if (!FImageData->FData)
    FImageData->FData = CreateEncodedStream(GetImageCodec());
}

void TdxCustomSmartImage::Dormant()
{
  if (!FHandle)
    return;
  if (!GetEmpty())
    SaveHandleToData();
  rtl::FreeAndNil(FHandle);
}

void TdxCustomSmartImage::Clear()
{
  if (FHandle || !FImageData->Empty()) {
    ResetImage();
    Changed(this);
  }
}

void TdxCustomSmartImage::ConvertToBitmap()
{
  if (GetEmpty())
    return;
  const TdxImageDataFormat format = GetImageDataFormat();
  if (format == dxImageBitmap || format == dxImageMemoryBmp)
    return;
  TOwnedBitmapObject bitmap(GetAsBitmap());
  SetBitmap(bitmap.get());
}

bool TdxCustomSmartImage::GetEmpty()
{
  return FHandle ? FHandle->Empty() : FImageData->Empty();
}

// ---------------------------------------------------------------------------
// Size

TSize TdxCustomSmartImage::GetSize()
{
  if (!FHandle) {
    if (FImageData->Empty())
      return {0, 0};
    if (HasArea(FImageData->FNewSize))
      return FImageData->FNewSize;
    if (HasArea(FImageData->FSize))
      return FImageData->FSize;
    TSize size{};
    TdxSmartImageCodecClass codec = nullptr;
    if (TdxSmartImageCodecsRepository::GetImageInfo(FImageData, size, codec)) {
      FImageData->FSize = size;
      return size;
    }
  }
  return GetImageHandle()->Size();
}

TRect TdxCustomSmartImage::ClientRect()
{
  const TSize size = GetSize();
  return {0, 0, size.cx, size.cy};
}

void TdxCustomSmartImage::Resize(int AWidth, int AHeight)
{
  const TSize size{AWidth, AHeight};
  if (!FHandle) {
    FImageData->FNewSize = size;
    Changed(this);
  } else if (FHandle->Empty()) {
    AssignBits(AWidth, AHeight, TdxSmartImageHelper::AllocColors(AWidth, AHeight, 0), afPremultiplied);
    Changed(this);
  } else if (!(FHandle->Size() == size)) {
    FHandle->SetSize(size);
    // The resampled handle is now the only copy of the image.
    FImageData->Clear();
    Changed(this);
  }
}

void TdxCustomSmartImage::Resize(const TSize& ASize)
{
  Resize(ASize.cx, ASize.cy);
}

void TdxCustomSmartImage::Scale(int M, int D)
{
  Resize(MulDiv(GetWidth(), M, D), MulDiv(GetHeight(), M, D));
}

// ---------------------------------------------------------------------------
// Drawing

void TdxCustomSmartImage::StretchDraw(HDC DC, const TdxRectF& ADest, const TdxRectF& ASource, std::uint8_t AAlpha,
                                      IdxColorPalette* APalette)
{
  GetImageHandle()->Draw(DC, ADest, ASource, AAlpha, APalette);
}

void TdxCustomSmartImage::StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, std::uint8_t AAlpha,
                                      IdxColorPalette* APalette)
{
  GetImageHandle()->Draw(DC, ADest, ASource, AAlpha, APalette);
}

void TdxCustomSmartImage::StretchDraw(HDC DC, const TRect& ADest, std::uint8_t AAlpha, IdxColorPalette* APalette)
{
  const TSize target{ADest.right - ADest.left, ADest.bottom - ADest.top};
  if (FUseCache && PrepareCache(target, APalette))
    FCache->Draw(DC, ADest, FCache->ClientRect(), AAlpha, APalette);
  else
    StretchDraw(DC, ADest, ClientRect(), AAlpha, APalette);
}

void TdxCustomSmartImage::Draw(vcl::TCanvas* ACanvas, const TRect& ARect)
{
  StretchDraw(ACanvas->GetHandle(), ARect, 255, nullptr);
}

bool TdxCustomSmartImage::PrepareCache(const TSize& ATargetSize, IdxColorPalette* APalette)
{
  GUID paletteID{};
  dxGetColorPaletteID(APalette, paletteID);
  if (FCache && !IsEqualGUID(paletteID, FCachePaletteID))
    FreeCache();
  if (FCache && FCache->Size() == ATargetSize)
    return true;
  FreeCache();
  if (CanCreateCache(GetImageHandle()->Size(), ATargetSize)) {
    FCache = CreateCache(ATargetSize);
    FCachePaletteID = paletteID;
  }
  return FCache != nullptr;
}

bool TdxCustomSmartImage::CanCreateCache(const TSize& AImageSize, const TSize& ATargetSize)
{
  // An empty target is drawn as nothing; no image can be made at its size.
  return HasArea(ATargetSize) && ATargetSize.cx < AImageSize.cx && ATargetSize.cy < AImageSize.cy &&
         4LL * ATargetSize.cx * ATargetSize.cy < static_cast<long long>(AImageSize.cx) * AImageSize.cy;
}

TdxSmartImageCustomHandle* TdxCustomSmartImage::CreateCache(const TSize&)
{
  return nullptr;
}

void TdxCustomSmartImage::FreeCache()
{
  rtl::FreeAndNil(FCache);
}

// ---------------------------------------------------------------------------
// Alpha, colours and comparison

TdxAlphaState TdxCustomSmartImage::GetAlphaState()
{
  if (!FAlphaStateAssigned) {
    FAlphaState = GetImageHandle()->GetAlphaState();
    FAlphaStateAssigned = true;
  }
  return FAlphaState;
}

bool TdxCustomSmartImage::IsAlphaUsed()
{
  return GetAlphaState() != asOpaque;
}

void TdxCustomSmartImage::ChangeColor(vcl::TColor AColor)
{
  if (AColor == vcl::clDefault || AColor == vcl::clNone || GetEmpty())
    return;
  TRGBColors bits = GetBitmapBits();
  dxFillPixelsPremultiplied(bits.data(), static_cast<int>(bits.size()), AColor);
  const TSize size = GetSize();
  LoadFromBits(size.cx, size.cy, bits, true);
}

vcl::TBitmap* TdxCustomSmartImage::GetAsBitmap()
{
  return GetImageHandle()->GetAsBitmap();
}

TRGBColors TdxCustomSmartImage::GetBitmapBits()
{
  TOwnedBitmapObject bitmap(GetAsBitmap());
  TRGBColors result;
  dxReadBitmapPixelsTopDown(bitmap.get(), result);
  return result;
}

bool TdxCustomSmartImage::Compare(TdxCustomSmartImage* AImage)
{
  TdxSmartImageCustomHandle* other = AImage->GetImageHandle();
  return GetImageHandle()->Equals(other);
}

bool TdxCustomSmartImage::Equals(vcl::TGraphic* AGraphic)
{
  if (rtl::Is<TdxCustomSmartImage>(AGraphic))
    return Compare(static_cast<TdxCustomSmartImage*>(AGraphic));
  return inherited::Equals(AGraphic);
}

std::uint32_t TdxCustomSmartImage::GetHashCode()
{
  return GetImageHandle()->GetHashCode();
}

HRESULT __stdcall TdxCustomSmartImage::QueryInterface(REFIID AIID, void** AObj)
{
  const HRESULT result = inherited::QueryInterface(AIID, AObj);
  if (result != E_NOINTERFACE)
    return result;
  try {
    return GetImageHandle()->QueryInterface(AIID, AObj);
  } catch (...) {
    // A COM entry point: an image that cannot be decoded supports nothing
    // more.
    if (AObj)
      *AObj = nullptr;
    return E_NOINTERFACE;
  }
}

void TdxCustomSmartImage::Changed(rtl::TObject* ASender)
{
  FreeCache();
  FAlphaStateAssigned = false;
  inherited::Changed(ASender);
}

// ---------------------------------------------------------------------------
// Assignment

void TdxCustomSmartImage::Assign(rtl::TPersistent* ASource)
{
  if (!ASource)
    Clear();
  else if (rtl::Is<TdxCustomSmartImage>(ASource))
    AssignFromSmartImage(static_cast<TdxCustomSmartImage*>(ASource));
  else if (rtl::Is<vcl::TGraphic>(ASource))
    AssignFromGraphic(static_cast<vcl::TGraphic*>(ASource));
  else
    inherited::Assign(ASource);
}

void TdxCustomSmartImage::AssignFromSmartImage(TdxCustomSmartImage* AImage)
{
  if (AImage == this)
    return;
  if (AImage->GetEmpty()) {
    Clear();
  } else if (!AImage->FImageData->Empty()) {
    ResetImage();
    FImageData->Assign(AImage->FImageData);
    Changed(this);
  } else if (AImage->GetImageDataFormat() == dxImageBitmap) {
    TOwnedBitmapObject bitmap(AImage->GetAsBitmap());
    SetBitmap(bitmap.get());
  } else {
    TOwnedStream stream(rtl::New<rtl::TMemoryStream>());
    AImage->SaveToStream(stream.get());
    stream->SetPosition(0);
    LoadFromStream(stream.get());
  }
}

void TdxCustomSmartImage::AssignFromGraphic(vcl::TGraphic* AGraphic)
{
  if (rtl::Is<vcl::TBitmap>(AGraphic)) {
    SetBitmap(static_cast<vcl::TBitmap*>(AGraphic));
  } else if (rtl::Is<vcl::TMetafile>(AGraphic)) {
    TOwnedStream stream(rtl::New<rtl::TMemoryStream>());
    AGraphic->SaveToStream(stream.get());
    stream->SetPosition(0);
    LoadFromStream(stream.get());
  } else if (rtl::Is<vcl::TIcon>(AGraphic)) {
    TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
    bitmap->Assign(AGraphic);
    SetBitmap(bitmap.get());
  } else {
    TOwnedBitmapObject bitmap(rtl::New<vcl::TBitmap>());
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(AGraphic->GetWidth(), AGraphic->GetHeight());
    bitmap->GetCanvas()->Draw(0, 0, AGraphic);
    SetBitmap(bitmap.get());
  }
}

TdxCustomSmartImage* TdxCustomSmartImage::Clone()
{
  rtl::TOwnedPtr<TdxCustomSmartImage> result(TdxCustomSmartImageClass(ClassType()).Create());
  result->AssignFromSmartImage(this);
  return result.release();
}

void TdxCustomSmartImage::AssignTo(rtl::TPersistent* ADest)
{
  if (rtl::Is<TdxCustomSmartImage>(ADest)) {
    ADest->Assign(this);
  } else if (rtl::Is<vcl::TMetafile>(ADest)) {
    AssignToMetafile(static_cast<vcl::TMetafile*>(ADest));
  } else if (rtl::Is<vcl::TBitmap>(ADest)) {
    TOwnedBitmapObject bitmap(GetAsBitmap());
    ADest->Assign(bitmap.get());
  } else {
    inherited::AssignTo(ADest);
  }
}

void TdxCustomSmartImage::AssignToMetafile(vcl::TMetafile* AMetafile)
{
  TOwnedStream stream(CreateEncodedStream(
      TdxSmartImageCodecsRepository::GetFormatByID(AMetafile->GetEnhanced() ? dxImageEmf : dxImageWmf)));
  AMetafile->LoadFromStream(stream.get());
}

// ---------------------------------------------------------------------------
// TdxSmartImageHelper

TRGBColors TdxSmartImageHelper::AllocColors(int AWidth, int AHeight, TdxAlphaColor AColor)
{
  RGBQUAD pixel;
  std::memcpy(&pixel, &AColor, sizeof(pixel));
  return TRGBColors(PixelCount(AWidth, AHeight), pixel);
}

bool TdxSmartImageHelper::AreColorsPremultiplied(const TRGBColors& ABits)
{
  return std::all_of(ABits.begin(), ABits.end(), [](const RGBQUAD& P) {
    return P.rgbReserved >= P.rgbBlue && P.rgbReserved >= P.rgbGreen && P.rgbReserved >= P.rgbRed;
  });
}

bool TdxSmartImageHelper::HasAlpha(const TRGBColors& ABits)
{
  if (ABits.empty())
    return false;
  auto isZero = [](const RGBQUAD& P) { return P.rgbBlue == 0 && P.rgbGreen == 0 && P.rgbRed == 0 && P.rgbReserved == 0; };
  return std::any_of(ABits.begin(), ABits.end(), [](const RGBQUAD& P) { return P.rgbReserved != 0; }) ||
         std::all_of(ABits.begin(), ABits.end(), isZero);
}
