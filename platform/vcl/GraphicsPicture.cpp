// TGraphic, TIcon, TMetafile, TMetafileCanvas, TPicture and the format
// registry.
#include <algorithm>
#include <cstring>

#include "platform/rtl/ClassesFiler.h"
#include "platform/vcl/Graphics.h"

namespace vcl {

namespace {

std::vector<std::uint8_t> ReadRest(rtl::TStream* AStream)
{
  const std::int64_t size = AStream->GetSize() - AStream->GetPosition();
  if (size > 0x7FFFFFFF)
    throw EInvalidGraphic(L"Stream too large");
  std::vector<std::uint8_t> result(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  if (!result.empty())
    AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

void WriteBytes(rtl::TStream* AStream, const std::vector<std::uint8_t>& ABytes)
{
  if (!ABytes.empty())
    AStream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
}

template <class T>
void Append(std::vector<std::uint8_t>& ABytes, const T& AValue)
{
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&AValue);
  ABytes.insert(ABytes.end(), bytes, bytes + sizeof(T));
}

template <class T>
T ReadAt(std::span<const std::uint8_t> AData, std::size_t AOffset)
{
  T result;
  std::memcpy(&result, AData.data() + AOffset, sizeof(T));
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::DrawTransparent(TCanvas* ACanvas, const TRect& R, std::uint8_t)
{
  Draw(ACanvas, R);
}

bool TGraphic::Equals(TGraphic* AGraphic)
{
  if (!AGraphic || AGraphic->ClassType() != ClassType())
    return false;
  if (GetEmpty() || AGraphic->GetEmpty())
    return GetEmpty() && AGraphic->GetEmpty();
  const rtl::TOwnedPtr<rtl::TMemoryStream> mine(rtl::New<rtl::TMemoryStream>());
  const rtl::TOwnedPtr<rtl::TMemoryStream> theirs(rtl::New<rtl::TMemoryStream>());
  SaveToStream(mine.get());
  AGraphic->SaveToStream(theirs.get());
  return mine->GetSize() == theirs->GetSize() &&
         std::memcmp(mine->Memory(), theirs->Memory(), static_cast<std::size_t>(mine->GetSize())) == 0;
}

void TGraphic::SetSize(int AWidth, int AHeight)
{
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool AValue)
{
  if (AValue == FTransparent)
    return;
  FTransparent = AValue;
  Changed(this);
}

void TGraphic::SetModified(bool AValue)
{
  if (AValue)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(rtl::TObject*)
{
  FModified = true;
  if (FOnChange)
    FOnChange(this);
}

void TGraphic::DefineProperties(rtl::TFiler* AFiler)
{
  inherited::DefineProperties(AFiler);
  AFiler->DefineBinaryProperty(L"Data", rtl::TStreamProc::Bind<&TGraphic::ReadData>(this),
                               rtl::TStreamProc::Bind<&TGraphic::WriteData>(this), !GetEmpty());
}

void TGraphic::ReadData(rtl::TStream* AStream)
{
  LoadFromStream(AStream);
}

void TGraphic::WriteData(rtl::TStream* AStream)
{
  SaveToStream(AStream);
}

void TGraphic::LoadFromFile(const String& AFileName)
{
  const rtl::TOwnedPtr<rtl::TFileStream> stream(
      rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyWrite));
  LoadFromStream(stream.get());
}

void TGraphic::SaveToFile(const String& AFileName)
{
  const rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  SaveToStream(stream.get());
}

void TGraphic::LoadFromClipboardFormat(WORD, HANDLE, HPALETTE)
{
  throw EInvalidGraphic(L"Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&)
{
  throw EInvalidGraphic(L"Unsupported clipboard format");
}

// ---------------------------------------------------------------------------
// TIcon

namespace {

#pragma pack(push, 1)
struct IconDir {
  WORD Reserved;
  WORD Type;
  WORD Count;
};
struct IconDirEntry {
  BYTE Width;
  BYTE Height;
  BYTE ColorCount;
  BYTE Reserved;
  WORD Planes;
  WORD BitCount;
  DWORD BytesInRes;
  DWORD ImageOffset;
};
#pragma pack(pop)

[[noreturn]] void InvalidIcon()
{
  throw EInvalidGraphic(L"Icon image is not valid");
}

int EntrySize(BYTE ASize)
{
  return ASize == 0 ? 256 : ASize;
}

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Far beyond any icon; it keeps the sizes below from overflowing.
constexpr LONG kMaxIconDimension = 0x8000;

std::uint64_t DibStride(LONG AWidth, WORD ABitCount)
{
  return (static_cast<std::uint64_t>(AWidth) * ABitCount + 31) / 32 * 4;
}

// A PNG image needs no more than its header here: the PNG decoder checks
// the chunks against the bytes it is given.
void CheckPngIconImage(std::span<const std::uint8_t> AImage)
{
  constexpr std::size_t kHeaderEnd = sizeof(kPngSignature) + 8 + 13;
  if (AImage.size() < kHeaderEnd || std::memcmp(AImage.data() + 12, "IHDR", 4) != 0)
    InvalidIcon();
}

// The system's icon decoder trusts the image's header and reads as far as
// it says: the colour table, the colour bits and the mask it describes must
// all lie in the bytes the directory gives the image.
void CheckIconImage(std::span<const std::uint8_t> AImage)
{
  if (AImage.size() >= sizeof(kPngSignature) &&
      std::memcmp(AImage.data(), kPngSignature, sizeof(kPngSignature)) == 0) {
    CheckPngIconImage(AImage);
    return;
  }
  if (AImage.size() < sizeof(BITMAPINFOHEADER))
    InvalidIcon();
  BITMAPINFOHEADER header;
  std::memcpy(&header, AImage.data(), sizeof(header));
  // The height counts the colour image and the mask below it.
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > AImage.size() || header.biPlanes != 1 ||
      header.biCompression != BI_RGB || header.biWidth <= 0 || header.biWidth > kMaxIconDimension ||
      header.biHeight <= 0 || header.biHeight > 2 * kMaxIconDimension || header.biHeight % 2 != 0)
    InvalidIcon();
  const WORD bitCount = header.biBitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    InvalidIcon();
  const std::uint64_t maxColors = bitCount <= 8 ? 1u << bitCount : 256;
  if (header.biClrUsed > maxColors)
    InvalidIcon();
  const std::uint64_t colors = header.biClrUsed != 0 ? header.biClrUsed : bitCount <= 8 ? maxColors : 0;
  const std::uint64_t height = header.biHeight / 2;
  const std::uint64_t needed = header.biSize + colors * sizeof(RGBQUAD) +
                               (DibStride(header.biWidth, bitCount) + DibStride(header.biWidth, 1)) * height;
  if (needed > AImage.size())
    InvalidIcon();
}

// Checks the directory and every image in it.
IconDir CheckIconDirectory(std::span<const std::uint8_t> AData)
{
  if (AData.size() < sizeof(IconDir))
    InvalidIcon();
  IconDir dir;
  std::memcpy(&dir, AData.data(), sizeof(dir));
  if (dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0 ||
      AData.size() < sizeof(IconDir) + dir.Count * sizeof(IconDirEntry))
    InvalidIcon();
  for (int i = 0; i < dir.Count; ++i) {
    IconDirEntry entry;
    std::memcpy(&entry, AData.data() + sizeof(IconDir) + i * sizeof(IconDirEntry), sizeof(entry));
    if (entry.ImageOffset > AData.size() || entry.BytesInRes > AData.size() - entry.ImageOffset ||
        entry.BytesInRes == 0)
      InvalidIcon();
    CheckIconImage(AData.subspan(entry.ImageOffset, entry.BytesInRes));
  }
  return dir;
}

// Picks the image of the requested size with the most colours, else the
// largest image, from a checked file.
IconDirEntry ChooseIconImage(const std::vector<std::uint8_t>& AData, int AWidth, int AHeight)
{
  const IconDir dir = CheckIconDirectory(AData);
  IconDirEntry best{};
  bool bestMatches = false;
  for (int i = 0; i < dir.Count; ++i) {
    const auto entry = ReadAt<IconDirEntry>(AData, sizeof(IconDir) + i * sizeof(IconDirEntry));
    const bool matches = EntrySize(entry.Width) == AWidth && EntrySize(entry.Height) == AHeight;
    const bool better = i == 0 || (matches && !bestMatches) ||
                        (matches == bestMatches &&
                         (bestMatches ? entry.BitCount > best.BitCount
                                      : EntrySize(entry.Width) * EntrySize(entry.Height) >
                                            EntrySize(best.Width) * EntrySize(best.Height)));
    if (better) {
      best = entry;
      bestMatches = matches;
    }
  }
  return best;
}

// A one-image icon file of AIcon: 32-bit colour plus the mask, or the 1-bit
// pair of a monochrome icon.
std::vector<std::uint8_t> IconFile(HICON AIcon)
{
  ICONINFO info{};
  if (!GetIconInfo(AIcon, &info))
    InvalidIcon();
  const TOwnedBitmap color(info.hbmColor);
  const TOwnedBitmap mask(info.hbmMask);
  BITMAP maskInfo{};
  GetObjectW(mask.Get(), sizeof(maskInfo), &maskInfo);
  const int width = maskInfo.bmWidth;
  const int height = color ? maskInfo.bmHeight : maskInfo.bmHeight / 2;
  const std::size_t maskStride = ((width + 31) / 32) * 4;

  const TWindowDC screen(nullptr);
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } bmi{};
  bmi.Header.biSize = sizeof(BITMAPINFOHEADER);
  bmi.Header.biWidth = width;
  bmi.Header.biPlanes = 1;

  std::vector<std::uint8_t> pixels;
  BITMAPINFOHEADER header{};
  int tableSize = 0;
  RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  if (color) {
    std::vector<std::uint8_t> colorBits(static_cast<std::size_t>(width) * height * 4);
    bmi.Header.biHeight = height;
    bmi.Header.biBitCount = 32;
    GetDIBits(screen.Get(), color.Get(), 0, height, colorBits.data(), reinterpret_cast<BITMAPINFO*>(&bmi),
              DIB_RGB_COLORS);
    std::vector<std::uint8_t> maskBits(maskStride * height);
    bmi = {};
    bmi.Header.biSize = sizeof(BITMAPINFOHEADER);
    bmi.Header.biWidth = width;
    bmi.Header.biHeight = height;
    bmi.Header.biPlanes = 1;
    bmi.Header.biBitCount = 1;
    GetDIBits(screen.Get(), mask.Get(), 0, height, maskBits.data(), reinterpret_cast<BITMAPINFO*>(&bmi),
              DIB_RGB_COLORS);
    pixels = std::move(colorBits);
    pixels.insert(pixels.end(), maskBits.begin(), maskBits.end());
    header.biBitCount = 32;
  } else {
    // The mask bitmap of a monochrome icon is the AND mask above the XOR
    // image; read bottom-up, that is the XOR rows first, as the file has
    // them.
    pixels.resize(maskStride * height * 2);
    bmi.Header.biHeight = height * 2;
    bmi.Header.biBitCount = 1;
    GetDIBits(screen.Get(), mask.Get(), 0, height * 2, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bmi),
              DIB_RGB_COLORS);
    header.biBitCount = 1;
    tableSize = sizeof(table);
  }
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height * 2;
  header.biPlanes = 1;

  std::vector<std::uint8_t> result;
  Append(result, IconDir{0, 1, 1});
  const DWORD imageSize = static_cast<DWORD>(sizeof(header) + tableSize + pixels.size());
  Append(result, IconDirEntry{static_cast<BYTE>(width >= 256 ? 0 : width), static_cast<BYTE>(height >= 256 ? 0 : height),
                              static_cast<BYTE>(header.biBitCount == 1 ? 2 : 0), 0, 1, header.biBitCount, imageSize,
                              sizeof(IconDir) + sizeof(IconDirEntry)});
  Append(result, header);
  if (tableSize)
    Append(result, table);
  result.insert(result.end(), pixels.begin(), pixels.end());
  return result;
}

}  // namespace

void CheckIconFile(std::span<const std::uint8_t> AData)
{
  CheckIconDirectory(AData);
}

void TIcon::Create()
{
  inherited::Create();
  SetTransparent(true);
}

void TIcon::Destroy()
{
  FHandle.Reset();
  FData.clear();
  inherited::Destroy();
}

void TIcon::NewImage(TOwnedIcon AHandle, std::vector<std::uint8_t> AData)
{
  FHandle = std::move(AHandle);
  FData = std::move(AData);
  Changed(this);
}

void TIcon::Assign(rtl::TPersistent* ASource)
{
  if (!ASource) {
    NewImage(TOwnedIcon(), {});
    return;
  }
  if (rtl::Is<TIcon>(ASource)) {
    TIcon* source = static_cast<TIcon*>(ASource);
    if (source == this)
      return;
    FRequestedWidth = source->FRequestedWidth;
    FRequestedHeight = source->FRequestedHeight;
    NewImage(TOwnedIcon(source->FHandle ? CopyIcon(source->FHandle.Get()) : nullptr), source->FData);
    return;
  }
  inherited::Assign(ASource);
}

HICON TIcon::GetHandle()
{
  if (!FHandle && !FData.empty()) {
    const int width = FRequestedWidth ? FRequestedWidth : GetSystemMetrics(SM_CXICON);
    const int height = FRequestedHeight ? FRequestedHeight : GetSystemMetrics(SM_CYICON);
    const IconDirEntry entry = ChooseIconImage(FData, width, height);
    FHandle.Reset(CreateIconFromResourceEx(FData.data() + entry.ImageOffset, entry.BytesInRes, TRUE, 0x00030000,
                                           EntrySize(entry.Width), EntrySize(entry.Height), LR_DEFAULTCOLOR));
    if (!FHandle)
      InvalidIcon();
  }
  return FHandle.Get();
}

void TIcon::SetHandle(HICON AValue)
{
  if (AValue && AValue == FHandle.Get())
    return;
  NewImage(TOwnedIcon(AValue), {});
}

HICON TIcon::ReleaseHandle()
{
  const HICON result = GetHandle();
  FHandle.Release();
  NewImage(TOwnedIcon(), {});
  return result;
}

TSize TIcon::ImageSize()
{
  const HICON handle = GetHandle();
  if (!handle)
    return TSize{FRequestedWidth, FRequestedHeight};
  ICONINFO info{};
  if (!GetIconInfo(handle, &info))
    return TSize{};
  const TOwnedBitmap color(info.hbmColor);
  const TOwnedBitmap mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(mask.Get(), sizeof(bitmap), &bitmap);
  return TSize{bitmap.bmWidth, color ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

int TIcon::GetWidth()
{
  return ImageSize().cx;
}

int TIcon::GetHeight()
{
  return ImageSize().cy;
}

void TIcon::SetWidth(int AValue)
{
  if (!GetEmpty())
    throw EInvalidGraphicOperation(L"Cannot change the size of an icon");
  FRequestedWidth = AValue;
}

void TIcon::SetHeight(int AValue)
{
  if (!GetEmpty())
    throw EInvalidGraphicOperation(L"Cannot change the size of an icon");
  FRequestedHeight = AValue;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R)
{
  const HICON handle = GetHandle();
  if (handle)
    DrawIconEx(ACanvas->GetHandle(), R.left, R.top, handle, R.right - R.left, R.bottom - R.top, 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(rtl::TStream* AStream)
{
  std::vector<std::uint8_t> data = ReadRest(AStream);
  const int width = FRequestedWidth ? FRequestedWidth : GetSystemMetrics(SM_CXICON);
  const int height = FRequestedHeight ? FRequestedHeight : GetSystemMetrics(SM_CYICON);
  const IconDirEntry entry = ChooseIconImage(data, width, height);
  TOwnedIcon handle(CreateIconFromResourceEx(data.data() + entry.ImageOffset, entry.BytesInRes, TRUE, 0x00030000,
                                             EntrySize(entry.Width), EntrySize(entry.Height), LR_DEFAULTCOLOR));
  if (!handle)
    InvalidIcon();
  NewImage(std::move(handle), std::move(data));
}

void TIcon::SaveToStream(rtl::TStream* AStream)
{
  if (FData.empty() && FHandle)
    FData = IconFile(FHandle.Get());
  WriteBytes(AStream, FData);
}

// ---------------------------------------------------------------------------
// TMetafile

namespace {

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
constexpr int kHundredthMMPerInch = 2540;

#pragma pack(push, 1)
struct PlaceableHeader {
  DWORD Key;
  WORD Handle;
  SHORT Left, Top, Right, Bottom;
  WORD Inch;
  DWORD Reserved;
  WORD Checksum;
};
#pragma pack(pop)

WORD PlaceableChecksum(const PlaceableHeader& AHeader)
{
  WORD words[10];
  std::memcpy(words, &AHeader, sizeof(words));
  WORD result = 0;
  for (WORD word : words)
    result ^= word;
  return result;
}

[[noreturn]] void InvalidMetafile()
{
  throw EInvalidGraphic(L"Metafile is not valid");
}

// A record of a metafile being checked: its bytes and bounds-checked reads
// of them. Every offset and count a record states is checked against the
// record itself, in 64 bits so that no sum wraps.
class TMetaRecord {
 public:
  explicit TMetaRecord(std::span<const std::uint8_t> ABytes) : FBytes(ABytes) {}

  std::span<const std::uint8_t> Bytes() const { return FBytes; }
  std::size_t Size() const { return FBytes.size(); }
  bool Holds(std::uint64_t AOffset, std::uint64_t ACount) const
  {
    return AOffset <= FBytes.size() && ACount <= FBytes.size() - AOffset;
  }
  template <class T>
  T At(std::uint64_t AOffset) const
  {
    if (!Holds(AOffset, sizeof(T)))
      InvalidMetafile();
    T result;
    std::memcpy(&result, FBytes.data() + AOffset, sizeof(T));
    return result;
  }
  void Require(bool ACondition) const
  {
    if (!ACondition)
      InvalidMetafile();
  }
  void RequireHolds(std::uint64_t AOffset, std::uint64_t ACount) const { Require(Holds(AOffset, ACount)); }

 private:
  std::span<const std::uint8_t> FBytes;
};

// A bitmap whose colours are the device's palette indices: no table.
constexpr DWORD kDibPalIndices = 2;

// The bytes of a bitmap's header with its masks and colour table, whose
// entries AUsage tells; it raises for a header the bitmap decoders do not
// take.
std::uint64_t DibInfoSize(const TMetaRecord& ARecord, const BITMAPINFOHEADER& AHeader, DWORD AUsage)
{
  ARecord.Require(AUsage == DIB_RGB_COLORS || AUsage == DIB_PAL_COLORS || AUsage == kDibPalIndices);
  ARecord.Require(AHeader.biSize >= sizeof(BITMAPINFOHEADER) && AHeader.biWidth > 0 && AHeader.biWidth <= 0x8000 &&
                  AHeader.biHeight != 0 && AHeader.biHeight >= -0x8000 && AHeader.biHeight <= 0x8000);
  const WORD bitCount = AHeader.biBitCount;
  ARecord.Require(bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                  bitCount == 32);
  const std::uint64_t maxColors = bitCount <= 8 ? 1u << bitCount : 256;
  ARecord.Require(AHeader.biClrUsed <= maxColors);
  const std::uint64_t colors = AHeader.biClrUsed != 0 ? AHeader.biClrUsed : bitCount <= 8 ? maxColors : 0;
  const std::uint64_t masks =
      AHeader.biCompression == BI_BITFIELDS && AHeader.biSize == sizeof(BITMAPINFOHEADER) ? 3 * sizeof(DWORD) : 0;
  const std::uint64_t entrySize = AUsage == DIB_RGB_COLORS ? sizeof(RGBQUAD) : AUsage == DIB_PAL_COLORS ? 2 : 0;
  return AHeader.biSize + masks + colors * entrySize;
}

// A bitmap a record carries: the header and colour table in ABmiSize bytes
// at ABmiOffset, the bits in ABitsSize bytes at ABitsOffset. No header means
// no bitmap (a blit without a source).
void CheckRecordBitmap(const TMetaRecord& ARecord, DWORD AUsage, DWORD ABmiOffset, DWORD ABmiSize,
                       std::uint64_t ABitsOffset, std::uint64_t ABitsSize)
{
  if (ABmiSize == 0)
    return;
  ARecord.RequireHolds(ABmiOffset, ABmiSize);
  ARecord.RequireHolds(ABitsOffset, ABitsSize);
  ARecord.Require(ABmiSize >= sizeof(BITMAPINFOHEADER));
  const auto header = ARecord.At<BITMAPINFOHEADER>(ABmiOffset);
  ARecord.Require(DibInfoSize(ARecord, header, AUsage) <= ABmiSize);
  const std::uint64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
  const std::uint64_t stride = (static_cast<std::uint64_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  switch (header.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
      ARecord.Require(stride * height <= ABitsSize);
      break;
    case BI_RLE4:
    case BI_RLE8:
      // The run decoder stops at the size it is given.
      ARecord.Require(header.biHeight > 0 && header.biBitCount == (header.biCompression == BI_RLE4 ? 4 : 8));
      break;
    default:
      InvalidMetafile();
  }
}

// A bitmap packed into the rest of a record from AOffset: header, colour
// table, bits.
void CheckPackedDib(const TMetaRecord& ARecord, DWORD AUsage, std::uint64_t AOffset)
{
  ARecord.RequireHolds(AOffset, sizeof(BITMAPINFOHEADER));
  const std::uint64_t infoSize = DibInfoSize(ARecord, ARecord.At<BITMAPINFOHEADER>(AOffset), AUsage);
  ARecord.RequireHolds(AOffset, infoSize);
  CheckRecordBitmap(ARecord, AUsage, static_cast<DWORD>(AOffset), static_cast<DWORD>(infoSize), AOffset + infoSize,
                    ARecord.Size() - AOffset - infoSize);
}

// An array of ACount items of AItemSize bytes at AOffset.
void CheckRecordArray(const TMetaRecord& ARecord, std::uint64_t AOffset, std::uint64_t ACount,
                      std::uint64_t AItemSize)
{
  ARecord.Require(ACount <= ARecord.Size() && AOffset <= ARecord.Size());
  ARecord.RequireHolds(AOffset, ACount * AItemSize);
}

// A text of an enhanced metafile: its characters and, when given, the
// advances (two per character with ETO_PDY).
void CheckEmfText(const TMetaRecord& ARecord, std::uint64_t ATextOffset, bool AWide)
{
  const auto text = ARecord.At<EMRTEXT>(ATextOffset);
  CheckRecordArray(ARecord, text.offString, text.nChars, AWide ? 2 : 1);
  if (text.offDx != 0)
    CheckRecordArray(ARecord, text.offDx, text.nChars, text.fOptions & ETO_PDY ? 8 : 4);
}

// Region data: a header and the rectangles it counts.
void CheckEmfRegion(const TMetaRecord& ARecord, std::uint64_t ASizeOffset, std::uint64_t ADataOffset)
{
  const DWORD size = ARecord.At<DWORD>(ASizeOffset);
  ARecord.RequireHolds(ADataOffset, size);
  if (size == 0)
    return;
  ARecord.Require(size >= sizeof(RGNDATAHEADER));
  const auto header = ARecord.At<RGNDATAHEADER>(ADataOffset);
  ARecord.Require(header.dwSize == sizeof(RGNDATAHEADER) && header.nCount <= size / sizeof(RECT) &&
                  sizeof(RGNDATAHEADER) + header.nCount * sizeof(RECT) <= size);
}

// A polygon with many parts: the counts, then the points their sum may use.
void CheckEmfPolyPoly(const TMetaRecord& ARecord, std::uint64_t APointSize)
{
  const auto polys = ARecord.At<DWORD>(offsetof(EMRPOLYPOLYLINE, nPolys));
  const auto points = ARecord.At<DWORD>(offsetof(EMRPOLYPOLYLINE, cptl));
  const std::uint64_t countsOffset = offsetof(EMRPOLYPOLYLINE, aPolyCounts);
  CheckRecordArray(ARecord, countsOffset, polys, 4);
  std::uint64_t total = 0;
  for (DWORD i = 0; i < polys; ++i)
    total += ARecord.At<DWORD>(countsOffset + i * 4);
  ARecord.Require(total <= points);
  CheckRecordArray(ARecord, countsOffset + polys * 4ull, points, APointSize);
}

// The smallest record of each type the player reads fields of: it reads
// them without looking at the record's size.
std::size_t EmfFixedSize(DWORD AType)
{
  switch (AType) {
    case EMR_HEADER: return offsetof(ENHMETAHEADER, szlMillimeters) + sizeof(SIZEL);
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16: case EMR_POLYDRAW: case EMR_POLYDRAW16:
      return offsetof(EMRPOLYLINE, aptl);
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      return offsetof(EMRPOLYPOLYLINE, aPolyCounts);
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX: case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN: case EMR_MOVETOEX: case EMR_LINETO:
    case EMR_RESIZEPALETTE:
      return 16;
    case EMR_EOF: return sizeof(EMREOF);
    case EMR_SETPIXELV: return sizeof(EMRSETPIXELV);
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2: case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR: case EMR_RESTOREDC: case EMR_SELECTOBJECT: case EMR_DELETEOBJECT:
    case EMR_SELECTPALETTE: case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT: case EMR_SETICMMODE:
    case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE: case EMR_SETLAYOUT:
      return 12;
    case EMR_SETCOLORADJUSTMENT: return sizeof(EMRSETCOLORADJUSTMENT);
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_EXTFLOODFILL:
      return 24;
    case EMR_SETWORLDTRANSFORM: return sizeof(EMRSETWORLDTRANSFORM);
    case EMR_MODIFYWORLDTRANSFORM: return sizeof(EMRMODIFYWORLDTRANSFORM);
    case EMR_CREATEPEN: return sizeof(EMRCREATEPEN);
    case EMR_CREATEBRUSHINDIRECT: return sizeof(EMRCREATEBRUSHINDIRECT);
    case EMR_ANGLEARC: return sizeof(EMRANGLEARC);
    case EMR_ROUNDRECT: return sizeof(EMRROUNDRECT);
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO: return sizeof(EMRARC);
    case EMR_CREATEPALETTE: return offsetof(EMRCREATEPALETTE, lgpl.palPalEntry);
    case EMR_SETPALETTEENTRIES: return offsetof(EMRSETPALETTEENTRIES, aPalEntries);
    case EMR_GDICOMMENT: return offsetof(EMRGDICOMMENT, Data);
    case EMR_FILLRGN: return offsetof(EMRFILLRGN, RgnData);
    case EMR_FRAMERGN: return offsetof(EMRFRAMERGN, RgnData);
    case EMR_INVERTRGN: case EMR_PAINTRGN: return offsetof(EMRINVERTRGN, RgnData);
    case EMR_EXTSELECTCLIPRGN: return offsetof(EMREXTSELECTCLIPRGN, RgnData);
    case EMR_BITBLT: return sizeof(EMRBITBLT);
    case EMR_STRETCHBLT: return sizeof(EMRSTRETCHBLT);
    case EMR_MASKBLT: return sizeof(EMRMASKBLT);
    case EMR_PLGBLT: return sizeof(EMRPLGBLT);
    case EMR_SETDIBITSTODEVICE: return sizeof(EMRSETDIBITSTODEVICE);
    case EMR_STRETCHDIBITS: return sizeof(EMRSTRETCHDIBITS);
    case EMR_ALPHABLEND: return sizeof(EMRALPHABLEND);
    case EMR_TRANSPARENTBLT: return sizeof(EMRTRANSPARENTBLT);
    case EMR_EXTCREATEFONTINDIRECTW: return offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW);
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: return sizeof(EMREXTTEXTOUTW);
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: return offsetof(EMRPOLYTEXTOUTW, aemrtext);
    case EMR_CREATEMONOBRUSH: return sizeof(EMRCREATEMONOBRUSH);
    case EMR_CREATEDIBPATTERNBRUSHPT: return sizeof(EMRCREATEDIBPATTERNBRUSHPT);
    case EMR_EXTCREATEPEN: return offsetof(EMREXTCREATEPEN, elp.elpStyleEntry);
    case EMR_CREATECOLORSPACE: return sizeof(EMRCREATECOLORSPACE);
    case EMR_GRADIENTFILL: return offsetof(EMRGRADIENTFILL, Ver);
    default: return 8;
  }
}

// The object a record makes goes to the handle table at the index it
// states; the table has the header's count of slots, slot 0 being the
// metafile's own.
void CheckEmfNewObject(const TMetaRecord& ARecord, WORD AHandles)
{
  const DWORD index = ARecord.At<DWORD>(8);
  ARecord.Require(index >= 1 && index < AHandles);
}

// A record that uses an object names a slot of the table or, with the
// high bit, a stock object.
void CheckEmfObjectUse(const TMetaRecord& ARecord, std::uint64_t AOffset, WORD AHandles)
{
  const DWORD index = ARecord.At<DWORD>(AOffset);
  ARecord.Require((index & 0x80000000) ? (index & 0x7FFFFFFF) <= STOCK_LAST : index < AHandles);
}

template <class T>
void CheckBlitSource(const TMetaRecord& ARecord)
{
  const auto blit = ARecord.At<T>(0);
  CheckRecordBitmap(ARecord, blit.iUsageSrc, blit.offBmiSrc, blit.cbBmiSrc, blit.offBitsSrc, blit.cbBitsSrc);
}

template <class T>
void CheckBlitMask(const TMetaRecord& ARecord)
{
  const auto blit = ARecord.At<T>(0);
  CheckRecordBitmap(ARecord, blit.iUsageMask, blit.offBmiMask, blit.cbBmiMask, blit.offBitsMask, blit.cbBitsMask);
}

void CheckEmfBlit(const TMetaRecord& ARecord, DWORD AType)
{
  switch (AType) {
    case EMR_BITBLT: CheckBlitSource<EMRBITBLT>(ARecord); break;
    case EMR_STRETCHBLT: CheckBlitSource<EMRSTRETCHBLT>(ARecord); break;
    case EMR_ALPHABLEND: CheckBlitSource<EMRALPHABLEND>(ARecord); break;
    case EMR_TRANSPARENTBLT: CheckBlitSource<EMRTRANSPARENTBLT>(ARecord); break;
    case EMR_MASKBLT:
      CheckBlitSource<EMRMASKBLT>(ARecord);
      CheckBlitMask<EMRMASKBLT>(ARecord);
      break;
    case EMR_PLGBLT:
      CheckBlitSource<EMRPLGBLT>(ARecord);
      CheckBlitMask<EMRPLGBLT>(ARecord);
      break;
    case EMR_SETDIBITSTODEVICE:
      CheckBlitSource<EMRSETDIBITSTODEVICE>(ARecord);
      ARecord.Require(ARecord.At<EMRSETDIBITSTODEVICE>(0).cbBmiSrc != 0);
      break;
    case EMR_STRETCHDIBITS:
      CheckBlitSource<EMRSTRETCHDIBITS>(ARecord);
      ARecord.Require(ARecord.At<EMRSTRETCHDIBITS>(0).cbBmiSrc != 0);
      break;
    default:
      break;
  }
}

// The player widens every line by the pen's width, in time that grows
// faster than the width: a pen of millions of units stalls it for good.
void CheckPenWidth(const TMetaRecord& ARecord, std::uint32_t AWidth)
{
  constexpr std::uint32_t kMaxPenWidth = 0x100000;
  ARecord.Require(AWidth <= kMaxPenWidth);
}

void CheckEmfRecord(const TMetaRecord& ARecord, DWORD AType, WORD AHandles)
{
  ARecord.Require(ARecord.Size() >= EmfFixedSize(AType));
  switch (AType) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
      CheckRecordArray(ARecord, offsetof(EMRPOLYLINE, aptl), ARecord.At<DWORD>(offsetof(EMRPOLYLINE, cptl)), 8);
      break;
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
      CheckRecordArray(ARecord, offsetof(EMRPOLYLINE16, apts), ARecord.At<DWORD>(offsetof(EMRPOLYLINE16, cpts)), 4);
      break;
    case EMR_POLYDRAW:
    case EMR_POLYDRAW16: {
      // The points, then one type byte for each.
      const std::uint64_t count = ARecord.At<DWORD>(offsetof(EMRPOLYDRAW, cptl));
      CheckRecordArray(ARecord, offsetof(EMRPOLYDRAW, aptl), count, AType == EMR_POLYDRAW ? 9 : 5);
      break;
    }
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
      CheckEmfPolyPoly(ARecord, 8);
      break;
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      CheckEmfPolyPoly(ARecord, 4);
      break;
    case EMR_EOF: {
      const DWORD entries = ARecord.At<DWORD>(offsetof(EMREOF, nPalEntries));
      if (entries != 0)
        CheckRecordArray(ARecord, ARecord.At<DWORD>(offsetof(EMREOF, offPalEntries)), entries, 4);
      break;
    }
    case EMR_CREATEPEN:
      CheckEmfNewObject(ARecord, AHandles);
      CheckPenWidth(ARecord, static_cast<std::uint32_t>(ARecord.At<EMRCREATEPEN>(0).lopn.lopnWidth.x));
      break;
    case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATECOLORSPACE: case EMR_CREATECOLORSPACEW:
      CheckEmfNewObject(ARecord, AHandles);
      break;
    case EMR_SELECTOBJECT: case EMR_DELETEOBJECT: case EMR_SELECTPALETTE: case EMR_RESIZEPALETTE:
    case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE:
      CheckEmfObjectUse(ARecord, 8, AHandles);
      break;
    case EMR_CREATEPALETTE:
      CheckEmfNewObject(ARecord, AHandles);
      CheckRecordArray(ARecord, offsetof(EMRCREATEPALETTE, lgpl.palPalEntry),
                       ARecord.At<WORD>(offsetof(EMRCREATEPALETTE, lgpl.palNumEntries)), 4);
      break;
    case EMR_SETPALETTEENTRIES:
      CheckEmfObjectUse(ARecord, 8, AHandles);
      CheckRecordArray(ARecord, offsetof(EMRSETPALETTEENTRIES, aPalEntries),
                       ARecord.At<DWORD>(offsetof(EMRSETPALETTEENTRIES, cEntries)), 4);
      break;
    case EMR_GDICOMMENT:
      CheckRecordArray(ARecord, offsetof(EMRGDICOMMENT, Data), ARecord.At<DWORD>(offsetof(EMRGDICOMMENT, cbData)), 1);
      break;
    case EMR_FILLRGN:
      CheckEmfObjectUse(ARecord, offsetof(EMRFILLRGN, ihBrush), AHandles);
      CheckEmfRegion(ARecord, offsetof(EMRFILLRGN, cbRgnData), offsetof(EMRFILLRGN, RgnData));
      break;
    case EMR_FRAMERGN:
      CheckEmfObjectUse(ARecord, offsetof(EMRFRAMERGN, ihBrush), AHandles);
      CheckEmfRegion(ARecord, offsetof(EMRFRAMERGN, cbRgnData), offsetof(EMRFRAMERGN, RgnData));
      break;
    case EMR_INVERTRGN: case EMR_PAINTRGN:
      CheckEmfRegion(ARecord, offsetof(EMRINVERTRGN, cbRgnData), offsetof(EMRINVERTRGN, RgnData));
      break;
    case EMR_EXTSELECTCLIPRGN:
      CheckEmfRegion(ARecord, offsetof(EMREXTSELECTCLIPRGN, cbRgnData), offsetof(EMREXTSELECTCLIPRGN, RgnData));
      break;
    case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_PLGBLT: case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: case EMR_SETDIBITSTODEVICE: case EMR_STRETCHDIBITS:
      CheckEmfBlit(ARecord, AType);
      break;
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT: {
      CheckEmfNewObject(ARecord, AHandles);
      const auto brush = ARecord.At<EMRCREATEMONOBRUSH>(0);
      CheckRecordBitmap(ARecord, brush.iUsage, brush.offBmi, brush.cbBmi, brush.offBits, brush.cbBits);
      ARecord.Require(brush.cbBmi != 0);
      break;
    }
    case EMR_EXTCREATEPEN: {
      CheckEmfNewObject(ARecord, AHandles);
      const auto pen = ARecord.At<EMREXTCREATEPEN>(0);
      CheckPenWidth(ARecord, pen.elp.elpWidth);
      CheckRecordBitmap(ARecord, DIB_RGB_COLORS, pen.offBmi, pen.cbBmi, pen.offBits, pen.cbBits);
      CheckRecordArray(ARecord, offsetof(EMREXTCREATEPEN, elp.elpStyleEntry), pen.elp.elpNumEntries, 4);
      if ((pen.elp.elpPenStyle & PS_STYLE_MASK) == PS_USERSTYLE) {
        std::uint64_t length = 0;
        for (DWORD i = 0; i < pen.elp.elpNumEntries; ++i)
          length += ARecord.At<DWORD>(offsetof(EMREXTCREATEPEN, elp.elpStyleEntry) + i * 4ull);
        ARecord.Require(length > 0);
      }
      break;
    }
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
      CheckEmfText(ARecord, offsetof(EMREXTTEXTOUTW, emrtext), AType == EMR_EXTTEXTOUTW);
      break;
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: {
      const DWORD count = ARecord.At<DWORD>(offsetof(EMRPOLYTEXTOUTW, cStrings));
      CheckRecordArray(ARecord, offsetof(EMRPOLYTEXTOUTW, aemrtext), count, sizeof(EMRTEXT));
      for (DWORD i = 0; i < count; ++i)
        CheckEmfText(ARecord, offsetof(EMRPOLYTEXTOUTW, aemrtext) + i * sizeof(EMRTEXT), AType == EMR_POLYTEXTOUTW);
      break;
    }
    case EMR_GRADIENTFILL: {
      const auto fill = ARecord.At<EMRGRADIENTFILL>(0);
      const std::uint64_t shapeSize = fill.ulMode == GRADIENT_FILL_TRIANGLE ? sizeof(GRADIENT_TRIANGLE) : sizeof(GRADIENT_RECT);
      CheckRecordArray(ARecord, offsetof(EMRGRADIENTFILL, Ver), fill.nVer, sizeof(TRIVERTEX));
      CheckRecordArray(ARecord, offsetof(EMRGRADIENTFILL, Ver) + fill.nVer * sizeof(TRIVERTEX), fill.nTri, shapeSize);
      break;
    }
    default:
      break;
  }
}

// An enhanced metafile: the header's byte count is where the records end,
// each record lies inside it with a size of at least 8 that is a multiple
// of 4, and the last one, the only end-of-file record, ends there.
std::size_t CheckEnhMetafile(std::span<const std::uint8_t> AData)
{
  const TMetaRecord file(AData);
  const auto header = file.At<ENHMETAHEADER>(0);
  file.Require(header.iType == EMR_HEADER && header.dSignature == ENHMETA_SIGNATURE);
  file.Require(header.nBytes <= AData.size() && header.nBytes % 4 == 0 && header.nSize <= header.nBytes);
  if (header.nDescription != 0)
    CheckRecordArray(TMetaRecord(AData.first(header.nBytes)), header.offDescription, header.nDescription, 2);
  const std::span<const std::uint8_t> records = AData.first(header.nBytes);
  std::size_t offset = 0;
  DWORD count = 0;
  for (;;) {
    const TMetaRecord rest(records.subspan(offset));
    const auto record = rest.At<EMR>(0);
    rest.Require(record.nSize >= sizeof(EMR) && record.nSize % 4 == 0 && record.nSize <= rest.Size());
    rest.Require((count == 0) == (record.iType == EMR_HEADER));
    CheckEmfRecord(TMetaRecord(records.subspan(offset, record.nSize)), record.iType, header.nHandles);
    offset += record.nSize;
    ++count;
    if (record.iType == EMR_EOF)
      break;
  }
  file.Require(offset == header.nBytes && count == header.nRecords);
  return header.nBytes;
}

// ---- Windows metafiles

// A record of a Windows metafile: its size in words, its function and the
// word parameters that follow.
constexpr std::size_t kWmfRecordHeader = 6;
constexpr WORD kMfComment = 15;
constexpr DWORD kWmfcSignature = 0x43464D57;  // "WMFC": a piece of an enhanced metafile

// A 16-bit bitmap as the old blit records carry it: its fields, then its
// rows of bmWidthBytes.
#pragma pack(push, 1)
struct TWmfBitmap16 {
  SHORT bmType;
  SHORT bmWidth;
  SHORT bmHeight;
  SHORT bmWidthBytes;
  BYTE bmPlanes;
  BYTE bmBitsPixel;
  DWORD bmBits;
};
#pragma pack(pop)

std::uint64_t WmfParam(const TMetaRecord& ARecord, std::uint64_t AIndex)
{
  return ARecord.At<WORD>(kWmfRecordHeader + AIndex * 2);
}

// The least count of parameters each function reads without looking at
// the record's size.
std::uint64_t WmfFixedParams(WORD AFunction)
{
  switch (AFunction) {
    case META_SETBKMODE: case META_SETMAPMODE: case META_SETROP2: case META_SETRELABS:
    case META_SETPOLYFILLMODE: case META_SETSTRETCHBLTMODE: case META_SETTEXTCHAREXTRA: case META_RESTOREDC:
    case META_INVERTREGION: case META_PAINTREGION: case META_SELECTCLIPREGION: case META_SELECTOBJECT:
    case META_SETTEXTALIGN: case META_SELECTPALETTE: case META_RESIZEPALETTE: case META_DELETEOBJECT:
      return 1;
    case META_SETBKCOLOR: case META_SETTEXTCOLOR: case META_SETTEXTJUSTIFICATION: case META_SETWINDOWORG:
    case META_SETWINDOWEXT: case META_SETVIEWPORTORG: case META_SETVIEWPORTEXT: case META_OFFSETWINDOWORG:
    case META_OFFSETVIEWPORTORG: case META_LINETO: case META_MOVETO: case META_OFFSETCLIPRGN:
    case META_FILLREGION: case META_SETMAPPERFLAGS: case META_SETLAYOUT: case META_DIBCREATEPATTERNBRUSH:
    case META_ESCAPE: case META_CREATEPALETTE: case META_SETPALENTRIES: case META_ANIMATEPALETTE:
      return 2;
    case META_SCALEWINDOWEXT: case META_SCALEVIEWPORTEXT: case META_EXCLUDECLIPRECT: case META_INTERSECTCLIPRECT:
    case META_ELLIPSE: case META_FLOODFILL: case META_RECTANGLE: case META_SETPIXEL: case META_FRAMEREGION:
    case META_CREATEBRUSHINDIRECT: case META_EXTTEXTOUT:
      return 4;
    case META_EXTFLOODFILL: case META_CREATEPENINDIRECT:
      return 5;
    case META_ROUNDRECT: case META_PATBLT:
      return 6;
    case META_ARC: case META_PIE: case META_CHORD: case META_DIBBITBLT: case META_BITBLT:
      return 8;
    case META_CREATEFONTINDIRECT: case META_SETDIBTODEV:
      return 9;
    case META_DIBSTRETCHBLT: case META_STRETCHBLT:
      return 10;
    case META_STRETCHDIB: case META_CREATEREGION:
      return 11;
    case META_TEXTOUT: case META_POLYGON: case META_POLYLINE: case META_POLYPOLYGON:
      return 1;
    default:
      return 0;
  }
}

// The old blits carry a 16-bit bitmap from AParam on.
void CheckWmfBitmap16(const TMetaRecord& ARecord, std::uint64_t AParam)
{
  const std::uint64_t offset = kWmfRecordHeader + AParam * 2;
  const auto bitmap = ARecord.At<TWmfBitmap16>(offset);
  ARecord.Require(bitmap.bmWidth > 0 && bitmap.bmHeight > 0 && bitmap.bmPlanes == 1 &&
                  (bitmap.bmBitsPixel == 1 || bitmap.bmBitsPixel == 4 || bitmap.bmBitsPixel == 8 ||
                   bitmap.bmBitsPixel == 16 || bitmap.bmBitsPixel == 24 || bitmap.bmBitsPixel == 32));
  // The rows are word-aligned.
  const std::uint64_t stride = (static_cast<std::uint64_t>(bitmap.bmWidth) * bitmap.bmBitsPixel + 15) / 16 * 2;
  ARecord.Require(bitmap.bmWidthBytes >= 0 && static_cast<std::uint64_t>(bitmap.bmWidthBytes) >= stride);
  ARecord.RequireHolds(offset + sizeof(TWmfBitmap16),
                       static_cast<std::uint64_t>(bitmap.bmWidthBytes) * bitmap.bmHeight);
}

// A DIB blit has its bitmap after AParams parameters, unless the record is
// one of the short form without a source.
void CheckWmfDibBlit(const TMetaRecord& ARecord, DWORD AUsage, std::uint64_t AParams, std::uint64_t AShortParams)
{
  const std::uint64_t params = (ARecord.Size() - kWmfRecordHeader) / 2;
  if (params > AShortParams)
    CheckPackedDib(ARecord, AUsage, kWmfRecordHeader + AParams * 2);
}

// The objects a record uses are slots of a table of the header's count.
void CheckWmfObject(const TMetaRecord& ARecord, std::uint64_t AParam, WORD AObjects)
{
  ARecord.Require(WmfParam(ARecord, AParam) < AObjects);
}

// Appends the piece of an enhanced metafile an escape carries.
void CollectEmfPiece(const TMetaRecord& ARecord, std::vector<std::uint8_t>& APieces, std::uint64_t& ATotal)
{
  const std::uint64_t base = kWmfRecordHeader;
  if (WmfParam(ARecord, 0) != kMfComment || !ARecord.Holds(base + 8, 4) || ARecord.At<DWORD>(base + 4) != kWmfcSignature)
    return;
  const DWORD pieceSize = ARecord.At<DWORD>(base + 26);
  const DWORD total = ARecord.At<DWORD>(base + 34);
  ARecord.RequireHolds(base + 38, pieceSize);
  ARecord.Require(APieces.empty() || total == ATotal);
  ATotal = total;
  const auto piece = ARecord.Bytes().subspan(base + 38, pieceSize);
  APieces.insert(APieces.end(), piece.begin(), piece.end());
}

void CheckWmfRecord(const TMetaRecord& ARecord, WORD AFunction, WORD AObjects)
{
  const std::uint64_t params = (ARecord.Size() - kWmfRecordHeader) / 2;
  ARecord.Require(params >= WmfFixedParams(AFunction));
  switch (AFunction) {
    case META_SELECTOBJECT: case META_DELETEOBJECT: case META_SELECTPALETTE: case META_INVERTREGION:
    case META_PAINTREGION:
      CheckWmfObject(ARecord, 0, AObjects);
      break;
    case META_SELECTCLIPREGION:
      // Region 0 is no clipping.
      if (WmfParam(ARecord, 0) != 0)
        CheckWmfObject(ARecord, 0, AObjects);
      break;
    case META_FILLREGION: case META_FRAMEREGION:
      CheckWmfObject(ARecord, 0, AObjects);
      CheckWmfObject(ARecord, 1, AObjects);
      break;
    case META_TEXTOUT:
      // The count, the padded string, then the position.
      ARecord.Require(1 + (WmfParam(ARecord, 0) + 1) / 2 + 2 <= params);
      break;
    case META_EXTTEXTOUT: {
      // Advances of 16 bits come one per character: the player hands them
      // on as they are, and with ETO_PDY the recorder would read twice as
      // many.
      const std::uint64_t options = WmfParam(ARecord, 3);
      ARecord.Require((options & ETO_PDY) == 0);
      const std::uint64_t rect = options & (ETO_OPAQUE | ETO_CLIPPED) ? 4 : 0;
      ARecord.Require(4 + rect + (WmfParam(ARecord, 2) + 1) / 2 <= params);
      break;
    }
    case META_POLYGON: case META_POLYLINE:
      ARecord.Require(1 + 2 * WmfParam(ARecord, 0) <= params);
      break;
    case META_POLYPOLYGON: {
      const std::uint64_t polys = WmfParam(ARecord, 0);
      ARecord.Require(1 + polys <= params);
      std::uint64_t points = 0;
      for (std::uint64_t i = 0; i < polys; ++i)
        points += WmfParam(ARecord, 1 + i);
      ARecord.Require(1 + polys + 2 * points <= params);
      break;
    }
    case META_ESCAPE:
      ARecord.Require(2 + (WmfParam(ARecord, 1) + 1) / 2 <= params);
      break;
    case META_CREATEPALETTE: case META_SETPALENTRIES: case META_ANIMATEPALETTE:
      ARecord.Require(2 + 2 * WmfParam(ARecord, 1) <= params);
      break;
    case META_CREATEFONTINDIRECT: {
      // The face name ends within the record or fills its 32 bytes.
      const std::uint64_t face = kWmfRecordHeader + 18;
      bool ended = ARecord.Holds(face, LF_FACESIZE);
      for (std::uint64_t i = face; !ended && i < ARecord.Size(); ++i)
        ended = ARecord.At<BYTE>(i) == 0;
      ARecord.Require(ended);
      break;
    }
    case META_BITBLT:
      if (params > 9)
        CheckWmfBitmap16(ARecord, 8);
      break;
    case META_STRETCHBLT:
      if (params > 11)
        CheckWmfBitmap16(ARecord, 10);
      break;
    case META_DIBBITBLT: CheckWmfDibBlit(ARecord, DIB_RGB_COLORS, 8, 9); break;
    case META_DIBSTRETCHBLT: CheckWmfDibBlit(ARecord, DIB_RGB_COLORS, 10, 11); break;
    case META_STRETCHDIB: CheckWmfDibBlit(ARecord, static_cast<DWORD>(WmfParam(ARecord, 2)), 11, 0); break;
    case META_SETDIBTODEV: CheckWmfDibBlit(ARecord, static_cast<DWORD>(WmfParam(ARecord, 0)), 9, 0); break;
    case META_DIBCREATEPATTERNBRUSH: CheckWmfDibBlit(ARecord, static_cast<DWORD>(WmfParam(ARecord, 1)), 2, 0); break;
    default:
      break;
  }
}

// A Windows metafile: the header's size in words is where the records
// end; each record lies inside it with a size of at least its own header,
// and the last one, the only end-of-file record, ends there. Pieces of an
// enhanced metafile in comments are what the system rebuilds one from: they
// are checked as one.
std::size_t CheckWinMetafile(std::span<const std::uint8_t> AData)
{
  const TMetaRecord file(AData);
  const auto header = file.At<METAHEADER>(0);
  file.Require((header.mtType == 1 || header.mtType == 2) && header.mtHeaderSize == sizeof(METAHEADER) / 2);
  const std::uint64_t size = static_cast<std::uint64_t>(header.mtSize) * 2;
  file.Require(size <= AData.size());
  const std::span<const std::uint8_t> records = AData.first(static_cast<std::size_t>(size));
  std::vector<std::uint8_t> emf;
  std::uint64_t emfSize = 0;
  std::size_t offset = sizeof(METAHEADER);
  for (;;) {
    const TMetaRecord rest(records.subspan(std::min(offset, records.size())));
    const std::uint64_t recordSize = static_cast<std::uint64_t>(rest.At<DWORD>(0)) * 2;
    const WORD function = rest.At<WORD>(4);
    rest.Require(recordSize >= kWmfRecordHeader && recordSize <= rest.Size());
    const TMetaRecord record(records.subspan(offset, static_cast<std::size_t>(recordSize)));
    CheckWmfRecord(record, function, header.mtNoObjects);
    if (function == META_ESCAPE)
      CollectEmfPiece(record, emf, emfSize);
    offset += static_cast<std::size_t>(recordSize);
    if (function == 0)
      break;
  }
  file.Require(offset == size);
  if (!emf.empty()) {
    file.Require(emf.size() == emfSize);
    CheckEnhMetafile(emf);
  }
  return static_cast<std::size_t>(size);
}

// The frame's extent from a file's header: the difference of any two
// 32-bit edges need not fit, so it is clamped rather than wrapped.
int FrameExtent(LONG AFrom, LONG ATo)
{
  const std::int64_t extent = static_cast<std::int64_t>(ATo) - AFrom;
  return static_cast<int>(std::clamp<std::int64_t>(extent, INT32_MIN, INT32_MAX));
}

}  // namespace

std::size_t CheckMetafile(std::span<const std::uint8_t> AData)
{
  if (AData.size() >= sizeof(ENHMETAHEADER) && ReadAt<DWORD>(AData, 0) == EMR_HEADER)
    return CheckEnhMetafile(AData);
  if (AData.size() >= sizeof(PlaceableHeader) && ReadAt<DWORD>(AData, 0) == kPlaceableKey)
    return sizeof(PlaceableHeader) + CheckWinMetafile(AData.subspan(sizeof(PlaceableHeader)));
  return CheckWinMetafile(AData);
}

void TMetafile::Create()
{
  inherited::Create();
  FEnhanced = true;
  SetTransparent(true);
}

void TMetafile::Destroy()
{
  FHandle.Reset();
  inherited::Destroy();
}

void TMetafile::Assign(rtl::TPersistent* ASource)
{
  if (!ASource || rtl::Is<TMetafile>(ASource)) {
    TMetafile* source = static_cast<TMetafile*>(ASource);
    if (source == this)
      return;
    FHandle.Reset(source && source->FHandle ? CopyEnhMetaFileW(source->FHandle.Get(), nullptr) : nullptr);
    FMMWidth = source ? source->FMMWidth : 0;
    FMMHeight = source ? source->FMMHeight : 0;
    FEnhanced = source ? source->FEnhanced : true;
    Changed(this);
    return;
  }
  inherited::Assign(ASource);
}

void TMetafile::SetHandle(HENHMETAFILE AValue)
{
  ENHMETAHEADER header{};
  if (AValue != FHandle.Get())
    FHandle.Reset(AValue);
  if (AValue && GetEnhMetaFileHeader(AValue, sizeof(header), &header) != 0) {
    FMMWidth = FrameExtent(header.rclFrame.left, header.rclFrame.right);
    FMMHeight = FrameExtent(header.rclFrame.top, header.rclFrame.bottom);
  } else {
    FMMWidth = 0;
    FMMHeight = 0;
  }
  Changed(this);
}

int TMetafile::GetWidth()
{
  return MulDiv(FMMWidth, ScreenLogPixels(), kHundredthMMPerInch);
}

int TMetafile::GetHeight()
{
  return MulDiv(FMMHeight, ScreenLogPixels(), kHundredthMMPerInch);
}

void TMetafile::SetWidth(int AValue)
{
  SetMMWidth(MulDiv(AValue, kHundredthMMPerInch, ScreenLogPixels()));
}

void TMetafile::SetHeight(int AValue)
{
  SetMMHeight(MulDiv(AValue, kHundredthMMPerInch, ScreenLogPixels()));
}

void TMetafile::SetMMWidth(int AValue)
{
  if (AValue == FMMWidth)
    return;
  FMMWidth = AValue;
  Changed(this);
}

void TMetafile::SetMMHeight(int AValue)
{
  if (AValue == FMMHeight)
    return;
  FMMHeight = AValue;
  Changed(this);
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& R)
{
  if (FHandle)
    PlayEnhMetaFile(ACanvas->GetHandle(), FHandle.Get(), &R);
}

// Nothing reaches the system before the check of its format passed; the
// system gets the metafile proper, without bytes trailing it.
void TMetafile::LoadFromStream(rtl::TStream* AStream)
{
  const std::vector<std::uint8_t> data = ReadRest(AStream);
  const std::span<const std::uint8_t> bytes(data);
  if (bytes.size() >= sizeof(ENHMETAHEADER) && ReadAt<DWORD>(bytes, 0) == EMR_HEADER) {
    const std::size_t size = CheckEnhMetafile(bytes);
    const HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(size), data.data());
    if (!handle)
      InvalidMetafile();
    FEnhanced = true;
    SetHandle(handle);
    return;
  }
  if (bytes.size() >= sizeof(PlaceableHeader) && ReadAt<DWORD>(bytes, 0) == kPlaceableKey) {
    const auto header = ReadAt<PlaceableHeader>(bytes, 0);
    if (header.Inch == 0 || header.Checksum != PlaceableChecksum(header))
      InvalidMetafile();
    const std::span<const std::uint8_t> records = bytes.subspan(sizeof(header));
    const std::size_t size = CheckWinMetafile(records);
    const int mmWidth = MulDiv(header.Right - header.Left, kHundredthMMPerInch, header.Inch);
    const int mmHeight = MulDiv(header.Bottom - header.Top, kHundredthMMPerInch, header.Inch);
    const METAFILEPICT picture{MM_ANISOTROPIC, mmWidth, mmHeight, nullptr};
    const HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(size), records.data(), nullptr, &picture);
    if (!handle)
      InvalidMetafile();
    FEnhanced = false;
    SetHandle(handle);
    FMMWidth = mmWidth;
    FMMHeight = mmHeight;
    return;
  }
  const std::size_t size = CheckWinMetafile(bytes);
  const HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(size), data.data(), nullptr, nullptr);
  if (!handle)
    InvalidMetafile();
  FEnhanced = false;
  SetHandle(handle);
}

void TMetafile::SaveToStream(rtl::TStream* AStream)
{
  if (!FHandle)
    return;
  if (FEnhanced) {
    std::vector<std::uint8_t> data(GetEnhMetaFileBits(FHandle.Get(), 0, nullptr));
    GetEnhMetaFileBits(FHandle.Get(), static_cast<UINT>(data.size()), data.data());
    WriteBytes(AStream, data);
    return;
  }
  const TWindowDC screen(nullptr);
  std::vector<std::uint8_t> records(
      GetWinMetaFileBits(FHandle.Get(), 0, nullptr, MM_ANISOTROPIC, screen.Get()));
  GetWinMetaFileBits(FHandle.Get(), static_cast<UINT>(records.size()), records.data(), MM_ANISOTROPIC, screen.Get());
  // The placeable header carries the size; its units are 0.01 mm, which
  // the 16-bit box holds up to about 32 cm.
  PlaceableHeader header{kPlaceableKey, 0, 0, 0,
                         static_cast<SHORT>(std::min(FMMWidth, 0x7FFF)), static_cast<SHORT>(std::min(FMMHeight, 0x7FFF)),
                         kHundredthMMPerInch, 0, 0};
  header.Checksum = PlaceableChecksum(header);
  std::vector<std::uint8_t> data;
  Append(data, header);
  data.insert(data.end(), records.begin(), records.end());
  WriteBytes(AStream, data);
}

void TMetafileCanvas::Create(TMetafile* AMetafile, HDC AReferenceDevice)
{
  inherited::Create();
  FMetafile = AMetafile;
  const TRect frame{0, 0, AMetafile->GetMMWidth(), AMetafile->GetMMHeight()};
  const bool sized = frame.right > 0 && frame.bottom > 0;
  FRecordingDC = CreateEnhMetaFileW(AReferenceDevice, nullptr, sized ? &frame : nullptr, nullptr);
  if (!FRecordingDC)
    throw EOutOfResources(L"Out of system resources");
  SetHandle(FRecordingDC);
}

void TMetafileCanvas::Destroy()
{
  if (FRecordingDC) {
    SetHandle(nullptr);
    const HENHMETAFILE recording = CloseEnhMetaFile(std::exchange(FRecordingDC, nullptr));
    if (recording && FMetafile)
      FMetafile->SetHandle(recording);
    else if (recording)
      DeleteEnhMetaFile(recording);
  }
  inherited::Destroy();
}

// ---------------------------------------------------------------------------
// The format registry

namespace {

struct FileFormat {
  String Extension;
  String Description;
  TGraphicClass GraphicClass;
};

struct ClipboardFormat {
  WORD Format;
  TGraphicClass GraphicClass;
};

// In registration order; lookups search from the end, so the latest
// registration of an extension or format wins.
struct Formats {
  std::vector<FileFormat> Files;
  std::vector<ClipboardFormat> Clipboard;
};

Formats& RegisteredFormats()
{
  static Formats formats{{{L"wmf", L"Metafiles", TGraphicClass::Of<TMetafile>()},
                          {L"emf", L"Enhanced Metafiles", TGraphicClass::Of<TMetafile>()},
                          {L"ico", L"Icons", TGraphicClass::Of<TIcon>()},
                          {L"bmp", L"Bitmaps", TGraphicClass::Of<TBitmap>()}},
                         {{CF_BITMAP, TGraphicClass::Of<TBitmap>()}}};
  return formats;
}

TGraphicClass FindExtension(const String& AExtension)
{
  const auto& files = RegisteredFormats().Files;
  for (auto it = files.rbegin(); it != files.rend(); ++it)
    if (rtl::SameText(it->Extension, AExtension))
      return it->GraphicClass;
  return nullptr;
}

TGraphicClass FindClipboardFormat(WORD AFormat)
{
  const auto& formats = RegisteredFormats().Clipboard;
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (it->Format == AFormat)
      return it->GraphicClass;
  return nullptr;
}

// The extension of a file name without its dot; empty when there is none.
String ExtensionOf(const String& AFileName)
{
  const std::size_t dot = AFileName.find_last_of(L".\\/:");
  if (dot == String::npos || AFileName[dot] != L'.')
    return String();
  return AFileName.substr(dot + 1);
}

}  // namespace

void TPicture::RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass)
{
  RegisteredFormats().Files.push_back({AExtension, ADescription, AGraphicClass});
}

void TPicture::RegisterClipboardFormat(WORD AFormat, TGraphicClass AGraphicClass)
{
  RegisteredFormats().Clipboard.push_back({AFormat, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass)
{
  Formats& formats = RegisteredFormats();
  std::erase_if(formats.Files, [&](const FileFormat& F) { return F.GraphicClass.InheritsFrom(AClass); });
  std::erase_if(formats.Clipboard, [&](const ClipboardFormat& F) { return F.GraphicClass.InheritsFrom(AClass); });
}

bool TPicture::SupportsClipboardFormat(WORD AFormat)
{
  return static_cast<bool>(FindClipboardFormat(AFormat));
}

String GraphicFilter(TGraphicClass AGraphicClass)
{
  String descriptions;
  String filters;
  int count = 0;
  for (const FileFormat& format : RegisteredFormats().Files) {
    if (!format.GraphicClass.InheritsFrom(AGraphicClass) || format.Extension.empty())
      continue;
    if (count != 0) {
      descriptions += L'|';
      filters += L';';
    }
    descriptions += format.Description + L" (*." + format.Extension + L")|*." + format.Extension;
    filters += L"*." + format.Extension;
    ++count;
  }
  if (count > 1)
    descriptions = L"All (" + filters + L")|" + filters + L'|' + descriptions;
  return descriptions;
}

String GraphicExtension(TGraphicClass AGraphicClass)
{
  for (const FileFormat& format : RegisteredFormats().Files)
    if (format.GraphicClass.ClassType() == AGraphicClass.ClassType())
      return format.Extension;
  return String();
}

// ---------------------------------------------------------------------------
// TPicture

void TPicture::Destroy()
{
  rtl::FreeAndNil(FGraphic);
  inherited::Destroy();
}

void TPicture::ReplaceGraphic(TGraphic* AValue)
{
  TGraphic* old = std::exchange(FGraphic, AValue);
  rtl::Free(old);
  if (FGraphic)
    FGraphic->SetOnChange(rtl::TNotifyEvent::Bind<&TPicture::Changed>(this));
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* AValue)
{
  if (!AValue) {
    ReplaceGraphic(nullptr);
    return;
  }
  rtl::TOwnedPtr<TGraphic> copy(TGraphicClass(AValue->ClassType()).Create());
  copy->Assign(AValue);
  ReplaceGraphic(copy.release());
}

void TPicture::Assign(rtl::TPersistent* ASource)
{
  if (!ASource)
    SetGraphic(nullptr);
  else if (rtl::Is<TPicture>(ASource))
    SetGraphic(static_cast<TPicture*>(ASource)->FGraphic);
  else if (rtl::Is<TGraphic>(ASource))
    SetGraphic(static_cast<TGraphic*>(ASource));
  else
    inherited::Assign(ASource);
}

template <class T>
T* TPicture::ForceType()
{
  if (!rtl::Is<T>(FGraphic))
    ReplaceGraphic(rtl::New<T>());
  return static_cast<T*>(FGraphic);
}

TBitmap* TPicture::GetBitmap()
{
  return ForceType<TBitmap>();
}

TIcon* TPicture::GetIcon()
{
  return ForceType<TIcon>();
}

TMetafile* TPicture::GetMetafile()
{
  return ForceType<TMetafile>();
}

int TPicture::GetWidth() const
{
  return FGraphic ? FGraphic->GetWidth() : 0;
}

int TPicture::GetHeight() const
{
  return FGraphic ? FGraphic->GetHeight() : 0;
}

void TPicture::LoadFromFile(const String& AFileName)
{
  const String extension = ExtensionOf(AFileName);
  const TGraphicClass graphicClass = FindExtension(extension);
  if (!graphicClass)
    throw EInvalidGraphic(L"Unknown picture file extension (." + extension + L")");
  rtl::TOwnedPtr<TGraphic> graphic(graphicClass.Create());
  graphic->LoadFromFile(AFileName);
  ReplaceGraphic(graphic.release());
}

void TPicture::SaveToFile(const String& AFileName)
{
  if (FGraphic)
    FGraphic->SaveToFile(AFileName);
}

void TPicture::LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette)
{
  const TGraphicClass graphicClass = FindClipboardFormat(AFormat);
  if (!graphicClass)
    throw EInvalidGraphic(L"Unsupported clipboard format");
  rtl::TOwnedPtr<TGraphic> graphic(graphicClass.Create());
  graphic->LoadFromClipboardFormat(AFormat, AData, APalette);
  ReplaceGraphic(graphic.release());
}

void TPicture::Changed(rtl::TObject*)
{
  if (FOnChange)
    FOnChange(this);
}

}  // namespace vcl
