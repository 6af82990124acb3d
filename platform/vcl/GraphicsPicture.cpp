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
T ReadAt(const std::vector<std::uint8_t>& AData, std::size_t AOffset)
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

// Checks the file and picks the image of the requested size with the most
// colours, else the largest image.
IconDirEntry ChooseIconImage(const std::vector<std::uint8_t>& AData, int AWidth, int AHeight)
{
  if (AData.size() < sizeof(IconDir))
    InvalidIcon();
  const auto dir = ReadAt<IconDir>(AData, 0);
  if (dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0 ||
      AData.size() < sizeof(IconDir) + dir.Count * sizeof(IconDirEntry))
    InvalidIcon();
  IconDirEntry best{};
  bool bestMatches = false;
  for (int i = 0; i < dir.Count; ++i) {
    const auto entry = ReadAt<IconDirEntry>(AData, sizeof(IconDir) + i * sizeof(IconDirEntry));
    if (entry.ImageOffset > AData.size() || entry.BytesInRes > AData.size() - entry.ImageOffset ||
        entry.BytesInRes == 0)
      InvalidIcon();
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

// The frame's extent from a file's header: the difference of any two
// 32-bit edges need not fit, so it is clamped rather than wrapped.
int FrameExtent(LONG AFrom, LONG ATo)
{
  const std::int64_t extent = static_cast<std::int64_t>(ATo) - AFrom;
  return static_cast<int>(std::clamp<std::int64_t>(extent, INT32_MIN, INT32_MAX));
}

}  // namespace

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

void TMetafile::LoadFromStream(rtl::TStream* AStream)
{
  const std::vector<std::uint8_t> data = ReadRest(AStream);
  if (data.size() >= sizeof(ENHMETAHEADER) && ReadAt<ENHMETAHEADER>(data, 0).iType == EMR_HEADER &&
      ReadAt<ENHMETAHEADER>(data, 0).dSignature == ENHMETA_SIGNATURE) {
    const HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(data.size()), data.data());
    if (!handle)
      InvalidMetafile();
    FEnhanced = true;
    SetHandle(handle);
    return;
  }
  if (data.size() >= sizeof(PlaceableHeader) + sizeof(METAHEADER) && ReadAt<DWORD>(data, 0) == kPlaceableKey) {
    const auto header = ReadAt<PlaceableHeader>(data, 0);
    if (header.Inch == 0 || header.Checksum != PlaceableChecksum(header))
      InvalidMetafile();
    const int mmWidth = MulDiv(header.Right - header.Left, kHundredthMMPerInch, header.Inch);
    const int mmHeight = MulDiv(header.Bottom - header.Top, kHundredthMMPerInch, header.Inch);
    const METAFILEPICT picture{MM_ANISOTROPIC, mmWidth, mmHeight, nullptr};
    const HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(data.size() - sizeof(header)),
                                                   data.data() + sizeof(header), nullptr, &picture);
    if (!handle)
      InvalidMetafile();
    FEnhanced = false;
    SetHandle(handle);
    FMMWidth = mmWidth;
    FMMHeight = mmHeight;
    return;
  }
  if (data.size() >= sizeof(METAHEADER)) {
    const auto header = ReadAt<METAHEADER>(data, 0);
    if ((header.mtType == 1 || header.mtType == 2) && header.mtHeaderSize == sizeof(METAHEADER) / 2) {
      const HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(data.size()), data.data(), nullptr, nullptr);
      if (!handle)
        InvalidMetafile();
      FEnhanced = false;
      SetHandle(handle);
      return;
    }
  }
  InvalidMetafile();
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
