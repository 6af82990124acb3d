// TBitmap and its canvas: DIB sections of a pixel format, BMP files.
#include <algorithm>
#include <cstring>

#include "platform/vcl/Graphics.h"

using enum vcl::TAlphaFormat;
using enum vcl::TBitmapHandleType;
using enum vcl::TCanvasStates;
using enum vcl::TPixelFormat;
using enum vcl::TTransparentMode;

namespace vcl {

namespace {

constexpr WORD kBitmapSignature = 0x4D42;  // "BM"
// Larger images are refused as invalid rather than attempted.
constexpr int kMaxDimension = 0x8000;

int BitsPerPixel(TPixelFormat AFormat)
{
  constexpr int bits[] = {0, 1, 4, 8, 16, 16, 24, 32, 0};
  return bits[AFormat];
}

std::size_t StrideOf(int AWidth, int ABitCount)
{
  return ((static_cast<std::size_t>(AWidth) * ABitCount + 31) / 32) * 4;
}

// What a device-dependent bitmap turns into when a DIB is needed.
TPixelFormat DeviceFormat()
{
  const TWindowDC screen(nullptr);
  switch (GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES)) {
    case 16:
      return pf16bit;
    case 24:
      return pf24bit;
    default:
      return pf32bit;
  }
}

// A BITMAPINFO with room for 256 colours.
struct TBitmapInfo {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

constexpr DWORD kMasks565[3] = {0xF800, 0x07E0, 0x001F};

void DefaultColorTable(int ABitCount, RGBQUAD* AColors)
{
  if (ABitCount == 1) {
    AColors[0] = RGBQUAD{0, 0, 0, 0};
    AColors[1] = RGBQUAD{255, 255, 255, 0};
  } else if (ABitCount == 4) {
    // The sixteen standard colours; the last is white.
    constexpr TColor colors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                   clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    for (int i = 0; i < 16; ++i)
      AColors[i] = RGBQUAD{GetBValue(colors[i]), GetGValue(colors[i]), GetRValue(colors[i]), 0};
  } else if (ABitCount == 8) {
    // A 6x6x6 colour cube, then greys up to white.
    for (int i = 0; i < 216; ++i)
      AColors[i] = RGBQUAD{static_cast<BYTE>(i / 36 * 51), static_cast<BYTE>(i / 6 % 6 * 51),
                           static_cast<BYTE>(i % 6 * 51), 0};
    for (int i = 216; i < 256; ++i) {
      const BYTE grey = static_cast<BYTE>((i - 216) * 255 / 39);
      AColors[i] = RGBQUAD{grey, grey, grey, 0};
    }
  }
}

int ColorCount(int ABitCount)
{
  return ABitCount <= 8 ? 1 << ABitCount : 0;
}

// A BITMAPINFO for a DIB of the format; AColors (when given) replaces the
// default colour table.
void FillBitmapInfo(TBitmapInfo& AInfo, int AWidth, int AHeight, TPixelFormat AFormat, const RGBQUAD* AColors,
                    int AColorCount)
{
  AInfo = TBitmapInfo{};
  const int bitCount = BitsPerPixel(AFormat);
  AInfo.Header.biSize = sizeof(BITMAPINFOHEADER);
  AInfo.Header.biWidth = AWidth;
  AInfo.Header.biHeight = AHeight;
  AInfo.Header.biPlanes = 1;
  AInfo.Header.biBitCount = static_cast<WORD>(bitCount);
  AInfo.Header.biCompression = AFormat == pf16bit ? BI_BITFIELDS : BI_RGB;
  if (AFormat == pf16bit) {
    std::memcpy(AInfo.Colors, kMasks565, sizeof(kMasks565));
  } else if (bitCount <= 8) {
    AInfo.Header.biClrUsed = static_cast<DWORD>(ColorCount(bitCount));
    DefaultColorTable(bitCount, AInfo.Colors);
    if (AColors)
      std::memcpy(AInfo.Colors, AColors, sizeof(RGBQUAD) * std::min(AColorCount, ColorCount(bitCount)));
  }
}

// A blank image; DIB pixels are all bits set, which is white in every
// format (the last colour of each default table is white).
void NewBlank(TOwnedBitmap& AHandle, void*& ABits, int AWidth, int AHeight, TPixelFormat AFormat,
              const RGBQUAD* AColors = nullptr, int AColorCount = 0)
{
  ABits = nullptr;
  if (AWidth <= 0 || AHeight <= 0)
    return;
  if (AFormat == pfDevice) {
    const TWindowDC screen(nullptr);
    AHandle.Reset(CreateCompatibleBitmap(screen.Get(), AWidth, AHeight));
    if (!AHandle)
      throw EOutOfResources(L"Out of system resources");
    const TOwnedDC dc(CreateCompatibleDC(nullptr));
    const TSelectObjectGuard selected(dc.Get(), AHandle.Get());
    PatBlt(dc.Get(), 0, 0, AWidth, AHeight, WHITENESS);
    return;
  }
  TBitmapInfo info;
  FillBitmapInfo(info, AWidth, AHeight, AFormat, AColors, AColorCount);
  AHandle.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &ABits, nullptr, 0));
  if (!AHandle)
    throw EOutOfResources(L"Out of system resources");
  std::memset(ABits, 0xFF, StrideOf(AWidth, BitsPerPixel(AFormat)) * AHeight);
}

[[noreturn]] void InvalidBitmap()
{
  throw EInvalidGraphic(L"Bitmap image is not valid");
}

template <class T>
T ReadAt(const std::uint8_t* AData, std::size_t AOffset)
{
  T result;
  std::memcpy(&result, AData + AOffset, sizeof(T));
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// TBitmapCanvas

void TBitmapCanvas::Create(TBitmap* ABitmap)
{
  inherited::Create();
  FBitmap = ABitmap;
}

void TBitmapCanvas::Destroy()
{
  FreeContext();
  inherited::Destroy();
}

void TBitmapCanvas::CreateHandle()
{
  FBitmap->HandleNeeded();
  FDC.Reset(CreateCompatibleDC(nullptr));
  if (!FDC)
    throw EOutOfResources(L"Out of system resources");
  FOldBitmap = FBitmap->FHandle ? SelectObject(FDC.Get(), FBitmap->FHandle.Get()) : nullptr;
  SetHandle(FDC.Get());
}

void TBitmapCanvas::FreeContext()
{
  if (!FDC)
    return;
  SetHandle(nullptr);
  if (FOldBitmap)
    SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FDC.Reset();
}

HDC TBitmapCanvas::SourceDC()
{
  RequiredState({csHandleValid});
  return RawHandle();
}

// ---------------------------------------------------------------------------
// TBitmap: life, size and format

void TBitmap::Create()
{
  FPixelFormat = pfDevice;
  FAlphaFormat = afIgnored;
  FTransparentColor = clDefault;
  FTransparentMode = tmAuto;
}

void TBitmap::Create(int AWidth, int AHeight)
{
  Create();
  SetSize(AWidth, AHeight);
}

void TBitmap::Destroy()
{
  rtl::FreeAndNil(FCanvas);
  FreeMask();
  FHandle.Reset();
  FDormantImage.clear();
  inherited::Destroy();
}

void TBitmap::FreeMask()
{
  FMaskHandle.Reset();
}

TBitmap::TImage TBitmap::NoImage(int AWidth, int AHeight, TPixelFormat AFormat)
{
  TImage result;
  result.Width = AWidth;
  result.Height = AHeight;
  result.Format = AFormat;
  return result;
}

void TBitmap::ReplaceImage(TImage AImage)
{
  if (FCanvas)
    FCanvas->FreeContext();
  FreeMask();
  FDormantImage.clear();
  FHandle = std::move(AImage.Handle);
  FBits = AImage.Bits;
  FTopDown = AImage.TopDown;
  FWidth = AImage.Width;
  FHeight = AImage.Height;
  FPixelFormat = AImage.Format;
}

TBitmap::TImage TBitmap::CopyImage(int AWidth, int AHeight, TPixelFormat AFormat)
{
  TImage result;
  result.Width = AWidth;
  result.Height = AHeight;
  result.Format = AFormat;
  NewBlank(result.Handle, result.Bits, AWidth, AHeight, AFormat);
  HandleNeeded();
  if (!result.Handle || !FHandle)
    return result;
  const int width = std::min(AWidth, FWidth);
  const int height = std::min(AHeight, FHeight);
  if (AFormat == FPixelFormat && FBits && !FTopDown) {
    // Row by row, so the fourth byte of 32-bit pixels survives; indexed
    // pixels take their colour table along.
    if (BitsPerPixel(AFormat) <= 8) {
      RGBQUAD colors[256];
      const UINT count = GetDIBColorTable(SourceDC(), 0, 256, colors);
      const TOwnedDC dc(CreateCompatibleDC(nullptr));
      const TSelectObjectGuard selected(dc.Get(), result.Handle.Get());
      SetDIBColorTable(dc.Get(), 0, count, colors);
    }
    GdiFlush();
    const std::size_t stride = StrideOf(AWidth, BitsPerPixel(AFormat));
    const std::size_t oldStride = StrideOf(FWidth, BitsPerPixel(AFormat));
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * BitsPerPixel(AFormat) + 7) / 8;
    // The low bits of a shared last byte belong to pixels past the kept
    // ones (or to no pixel): they stay white, as NewBlank made them.
    const int spareBits = static_cast<int>((8 - static_cast<std::size_t>(width) * BitsPerPixel(AFormat) % 8) % 8);
    for (int row = 0; row < height; ++row) {
      std::uint8_t* dest = static_cast<std::uint8_t*>(result.Bits) + (AHeight - 1 - row) * stride;
      std::memcpy(dest, static_cast<const std::uint8_t*>(FBits) + (FHeight - 1 - row) * oldStride, rowBytes);
      if (spareBits)
        dest[rowBytes - 1] |= static_cast<std::uint8_t>((1 << spareBits) - 1);
    }
    return result;
  }
  const HDC source = SourceDC();
  const TOwnedDC dest(CreateCompatibleDC(nullptr));
  const TSelectObjectGuard selected(dest.Get(), result.Handle.Get());
  BitBlt(dest.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  return result;
}

void TBitmap::HandleNeeded()
{
  if (FHandle || FDormantImage.empty())
    return;
  const std::vector<std::uint8_t> image = std::move(FDormantImage);
  FDormantImage.clear();
  const TPixelFormat format = FPixelFormat;
  TImage restored =
      ReadDIB(image.data() + sizeof(BITMAPFILEHEADER), image.size() - sizeof(BITMAPFILEHEADER),
              ReadAt<BITMAPFILEHEADER>(image.data(), 0).bfOffBits - sizeof(BITMAPFILEHEADER));
  FHandle = std::move(restored.Handle);
  FBits = restored.Bits;
  FTopDown = restored.TopDown;
  FPixelFormat = restored.Format;
  // A dormant device bitmap was kept as 32-bit pixels.
  if (format == pfDevice)
    ReplaceImage(CopyImage(FWidth, FHeight, pfDevice));
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight)
    return;
  ReplaceImage(CopyImage(AWidth, AHeight, FPixelFormat));
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat AValue)
{
  if (AValue == FPixelFormat || AValue == pfCustom)
    return;
  ReplaceImage(CopyImage(FWidth, FHeight, AValue));
  Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType AValue)
{
  if (AValue == GetHandleType())
    return;
  SetPixelFormat(AValue == bmDDB ? pfDevice : DeviceFormat());
}

void TBitmap::SetAlphaFormat(TAlphaFormat AValue)
{
  if (AValue == FAlphaFormat)
    return;
  FAlphaFormat = AValue;
  Changed(this);
}

HBITMAP TBitmap::GetHandle()
{
  HandleNeeded();
  return FHandle.Get();
}

void TBitmap::SetHandle(HBITMAP AValue)
{
  if (AValue && AValue == FHandle.Get())
    return;
  TImage image;
  image.Handle.Reset(AValue);
  DIBSECTION section{};
  if (AValue && GetObjectW(AValue, sizeof(section), &section) == sizeof(section)) {
    image.Bits = section.dsBm.bmBits;
    image.Width = section.dsBm.bmWidth;
    image.Height = section.dsBm.bmHeight;
    image.TopDown = section.dsBmih.biHeight < 0;
    switch (section.dsBm.bmBitsPixel) {
      case 1:
        image.Format = pf1bit;
        break;
      case 4:
        image.Format = pf4bit;
        break;
      case 8:
        image.Format = pf8bit;
        break;
      case 16:
        image.Format = section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[1] == 0x07E0 ? pf16bit
                                                                                                      : pf15bit;
        break;
      case 24:
        image.Format = pf24bit;
        break;
      default:
        image.Format = pf32bit;
        break;
    }
  } else if (BITMAP bitmap{}; AValue && GetObjectW(AValue, sizeof(bitmap), &bitmap) != 0) {
    image.Width = bitmap.bmWidth;
    image.Height = bitmap.bmHeight;
    image.Format = pfDevice;
  } else {
    image.Handle.Release();
  }
  ReplaceImage(std::move(image));
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle()
{
  HandleNeeded();
  if (FCanvas)
    FCanvas->FreeContext();
  const HBITMAP result = FHandle.Release();
  ReplaceImage(NoImage(0, 0, FPixelFormat));
  return result;
}

void TBitmap::Dormant()
{
  if (!FHandle)
    return;
  std::vector<std::uint8_t> image = WriteFile();
  const TPixelFormat format = FPixelFormat;
  const int width = FWidth;
  const int height = FHeight;
  ReplaceImage(NoImage(width, height, format));
  FDormantImage = std::move(image);
}

void TBitmap::FreeImage()
{
  HandleNeeded();
  FDormantImage.clear();
}

TCanvas* TBitmap::GetCanvas()
{
  if (!FCanvas) {
    FCanvas = rtl::New<TBitmapCanvas>(this);
    FCanvas->SetOnChange(rtl::TNotifyEvent::Bind<&TBitmap::Changed>(this));
    FCanvas->SetOnChanging(rtl::TNotifyEvent::Bind<&TBitmap::CanvasChanging>(this));
  }
  return FCanvas;
}

HDC TBitmap::SourceDC()
{
  GetCanvas();
  return FCanvas->SourceDC();
}

void TBitmap::CanvasChanging(rtl::TObject*)
{
  // The drawing about to happen needs the picture Dormant kept as a handle;
  // only then is the memory copy out of date.
  FreeImage();
}

void TBitmap::Changed(rtl::TObject* ASender)
{
  // The mask follows the pixels and the transparent colour.
  FreeMask();
  inherited::Changed(ASender);
}

void* TBitmap::ScanLine(int ARow)
{
  if (FPixelFormat == pfDevice)
    SetHandleType(bmDIB);
  HandleNeeded();
  if (ARow < 0 || ARow >= FHeight || !FBits)
    throw EInvalidGraphic(L"Scan line index out of range");
  // Pending GDI drawing must reach the pixels before they are read.
  GdiFlush();
  FreeMask();
  const std::size_t stride = StrideOf(FWidth, BitsPerPixel(FPixelFormat));
  const int stored = FTopDown ? ARow : FHeight - 1 - ARow;
  return static_cast<std::uint8_t*>(FBits) + stored * stride;
}

// ---------------------------------------------------------------------------
// Transparency and drawing

TColor TBitmap::GetTransparentColor()
{
  if (FTransparentColor != clDefault)
    return ColorToRGB(FTransparentColor);
  if (GetMonochrome())
    return clWhite;
  if (GetEmpty())
    return clDefault;
  return GetCanvas()->GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor AValue)
{
  if (AValue == FTransparentColor)
    return;
  FTransparentMode = AValue == clDefault ? tmAuto : tmFixed;
  FTransparentColor = AValue;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode AValue)
{
  if (AValue == FTransparentMode)
    return;
  SetTransparentColor(AValue == tmAuto ? clDefault : GetTransparentColor());
}

HBITMAP TBitmap::GetMaskHandle()
{
  if (!FMaskHandle && !GetEmpty()) {
    const HDC source = SourceDC();
    TOwnedBitmap mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    const TOwnedDC dc(CreateCompatibleDC(nullptr));
    const TSelectObjectGuard selected(dc.Get(), mask.Get());
    // Copying colour to monochrome sets the pixels of the background colour.
    const COLORREF oldBackground = SetBkColor(source, static_cast<COLORREF>(GetTransparentColor()));
    BitBlt(dc.Get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBackground);
    FMaskHandle = std::move(mask);
  }
  return FMaskHandle.Get();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R)
{
  DrawTransparent(ACanvas, R, 255);
}

void TBitmap::DrawTransparent(TCanvas* ACanvas, const TRect& R, std::uint8_t AOpacity)
{
  if (GetEmpty())
    return;
  const HDC dest = ACanvas->GetHandle();
  const HDC source = SourceDC();
  const int width = R.right - R.left;
  const int height = R.bottom - R.top;
  const bool alpha = FPixelFormat == pf32bit && FAlphaFormat != afIgnored;
  if (alpha || AOpacity != 255) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, AOpacity, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0)};
    if (FAlphaFormat == afDefined && alpha) {
      // AlphaBlend wants premultiplied pixels; the bitmap's own stay straight.
      TImage copy = CopyImage(FWidth, FHeight, pf32bit);
      auto* pixel = static_cast<std::uint8_t*>(copy.Bits);
      for (int i = 0; i < FWidth * FHeight; ++i, pixel += 4)
        for (int channel = 0; channel < 3; ++channel)
          pixel[channel] = static_cast<std::uint8_t>(pixel[channel] * pixel[3] / 255);
      const TOwnedDC dc(CreateCompatibleDC(nullptr));
      const TSelectObjectGuard selected(dc.Get(), copy.Handle.Get());
      GdiAlphaBlend(dest, R.left, R.top, width, height, dc.Get(), 0, 0, FWidth, FHeight, blend);
    } else {
      GdiAlphaBlend(dest, R.left, R.top, width, height, source, 0, 0, FWidth, FHeight, blend);
    }
    return;
  }
  if (GetTransparent()) {
    GdiTransparentBlt(dest, R.left, R.top, width, height, source, 0, 0, FWidth, FHeight,
                      static_cast<COLORREF>(GetTransparentColor()));
    return;
  }
  const TStretchBltModeGuard mode(dest, GetMonochrome() ? BLACKONWHITE : COLORONCOLOR);
  StretchBlt(dest, R.left, R.top, width, height, source, 0, 0, FWidth, FHeight, ACanvas->GetCopyMode());
}

// ---------------------------------------------------------------------------
// Assign

void TBitmap::Assign(rtl::TPersistent* ASource)
{
  if (!ASource || rtl::Is<TBitmap>(ASource)) {
    TBitmap* source = static_cast<TBitmap*>(ASource);
    if (source == this)
      return;
    if (source) {
      ReplaceImage(source->CopyImage(source->FWidth, source->FHeight, source->FPixelFormat));
      FAlphaFormat = source->FAlphaFormat;
      FTransparentColor = source->FTransparentColor;
      FTransparentMode = source->FTransparentMode;
      if (GetTransparent() != source->GetTransparent())
        inherited::SetTransparent(source->GetTransparent());
    } else {
      ReplaceImage(NoImage(0, 0, FPixelFormat));
    }
    Changed(this);
    return;
  }
  if (rtl::Is<TGraphic>(ASource)) {
    // Any other graphic is drawn onto transparent black 32-bit pixels, so
    // what it draws with alpha keeps it.
    TGraphic* source = static_cast<TGraphic*>(ASource);
    TImage image;
    // A metafile's frame (from its file) may be inverted: no negative size.
    image.Width = std::max(source->GetWidth(), 0);
    image.Height = std::max(source->GetHeight(), 0);
    image.Format = pf32bit;
    NewBlank(image.Handle, image.Bits, image.Width, image.Height, pf32bit);
    if (image.Bits)
      std::memset(image.Bits, 0, StrideOf(image.Width, 32) * image.Height);
    ReplaceImage(std::move(image));
    if (!GetEmpty())
      GetCanvas()->Draw(0, 0, source);
    Changed(this);
    return;
  }
  inherited::Assign(ASource);
}

// ---------------------------------------------------------------------------
// BMP files, resources and the clipboard

TBitmap::TImage TBitmap::ReadDIB(const std::uint8_t* AData, std::size_t ASize, std::size_t ABitsOffset)
{
  if (ASize < sizeof(BITMAPCOREHEADER))
    InvalidBitmap();
  const DWORD headerSize = ReadAt<DWORD>(AData, 0);
  int width, height, bitCount;
  DWORD compression = BI_RGB;
  DWORD colorsUsed = 0;
  std::size_t colorSize = sizeof(RGBQUAD);
  DWORD masks[3] = {0, 0, 0};
  std::size_t tableOffset = headerSize;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    const auto core = ReadAt<BITMAPCOREHEADER>(AData, 0);
    width = core.bcWidth;
    height = core.bcHeight;
    bitCount = core.bcBitCount;
    colorSize = sizeof(RGBTRIPLE);
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= ASize) {
    const auto info = ReadAt<BITMAPINFOHEADER>(AData, 0);
    if (info.biPlanes != 1)
      InvalidBitmap();
    width = info.biWidth;
    height = info.biHeight;
    bitCount = info.biBitCount;
    compression = info.biCompression;
    colorsUsed = info.biClrUsed;
    if (compression == BI_BITFIELDS) {
      // The masks follow a plain header and are part of the later ones.
      if (headerSize == sizeof(BITMAPINFOHEADER)) {
        if (ASize < headerSize + sizeof(masks))
          InvalidBitmap();
        tableOffset += sizeof(masks);
      } else if (headerSize < sizeof(BITMAPINFOHEADER) + sizeof(masks)) {
        InvalidBitmap();
      }
      std::memcpy(masks, AData + sizeof(BITMAPINFOHEADER), sizeof(masks));
    }
  } else {
    InvalidBitmap();
  }

  // Checked before the sign goes: negating the most negative height
  // overflows.
  if (width <= 0 || width > kMaxDimension || height < -kMaxDimension || height > kMaxDimension)
    InvalidBitmap();
  const bool topDown = height < 0;
  height = height < 0 ? -height : height;
  TPixelFormat format;
  switch (bitCount) {
    case 1:
      format = pf1bit;
      break;
    case 4:
      format = pf4bit;
      break;
    case 8:
      format = pf8bit;
      break;
    case 16:
      format = compression == BI_BITFIELDS && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F ? pf16bit
               : compression == BI_RGB || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)
                   ? pf15bit
                   : pfCustom;
      break;
    case 24:
      format = compression == BI_RGB ? pf24bit : pfCustom;
      break;
    case 32:
      format = compression == BI_RGB || (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF) ? pf32bit
                                                                                                          : pfCustom;
      break;
    default:
      format = pfCustom;
      break;
  }
  if (format == pfCustom || (compression != BI_RGB && compression != BI_BITFIELDS))
    InvalidBitmap();

  RGBQUAD colors[256] = {};
  int colorCount = 0;
  if (bitCount <= 8) {
    colorCount = colorsUsed == 0 ? ColorCount(bitCount) : static_cast<int>(std::min<DWORD>(colorsUsed, 256));
    if (tableOffset + colorCount * colorSize > ASize)
      InvalidBitmap();
    for (int i = 0; i < colorCount; ++i)
      std::memcpy(&colors[i], AData + tableOffset + i * colorSize, 3);
  }
  const std::size_t bitsOffset = ABitsOffset != 0 ? ABitsOffset : tableOffset + colorCount * colorSize;
  const std::size_t stride = StrideOf(width, bitCount);
  if (bitsOffset > ASize || (ASize - bitsOffset) / stride < static_cast<std::size_t>(height))
    InvalidBitmap();

  TImage result;
  result.Width = width;
  result.Height = height;
  result.Format = format;
  NewBlank(result.Handle, result.Bits, width, height, format, colors, colorCount);
  if (!result.Bits)
    return result;
  // The bitmap keeps its rows bottom-up.
  for (int row = 0; row < height; ++row) {
    const int sourceRow = topDown ? height - 1 - row : row;
    std::memcpy(static_cast<std::uint8_t*>(result.Bits) + row * stride, AData + bitsOffset + sourceRow * stride,
                stride);
  }
  return result;
}

std::vector<std::uint8_t> TBitmap::WriteFile()
{
  HandleNeeded();
  if (!FHandle)
    return {};
  const TPixelFormat format = FPixelFormat == pfDevice ? pf32bit : FPixelFormat;
  const int bitCount = BitsPerPixel(format);
  const std::size_t stride = StrideOf(FWidth, bitCount);
  TBitmapInfo info;
  FillBitmapInfo(info, FWidth, FTopDown ? -FHeight : FHeight, format, nullptr, 0);
  const HDC source = SourceDC();
  if (bitCount <= 8)
    GetDIBColorTable(source, 0, ColorCount(bitCount), info.Colors);
  const std::size_t tableSize =
      bitCount <= 8 ? ColorCount(bitCount) * sizeof(RGBQUAD) : format == pf16bit ? sizeof(kMasks565) : 0;
  const std::size_t bitsOffset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + tableSize;
  const std::size_t bitsSize = stride * FHeight;
  info.Header.biSizeImage = static_cast<DWORD>(bitsSize);

  std::vector<std::uint8_t> result(bitsOffset + bitsSize);
  BITMAPFILEHEADER file{};
  file.bfType = kBitmapSignature;
  file.bfSize = static_cast<DWORD>(result.size());
  file.bfOffBits = static_cast<DWORD>(bitsOffset);
  std::memcpy(result.data(), &file, sizeof(file));
  std::memcpy(result.data() + sizeof(file), &info, sizeof(BITMAPINFOHEADER) + tableSize);
  std::uint8_t* bits = result.data() + bitsOffset;
  if (FBits) {
    GdiFlush();
    std::memcpy(bits, FBits, bitsSize);
  } else {
    // A device bitmap: its pixels as 32-bit ones. GetDIBits wants the
    // bitmap out of any DC.
    if (FCanvas)
      FCanvas->FreeContext();
    const TWindowDC screen(nullptr);
    GetDIBits(screen.Get(), FHandle.Get(), 0, FHeight, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  }
  return result;
}

void TBitmap::LoadFromStream(rtl::TStream* AStream)
{
  const std::int64_t available = AStream->GetSize() - AStream->GetPosition();
  if (available <= 0) {
    ReplaceImage(NoImage(0, 0, FPixelFormat));
    Changed(this);
    return;
  }
  BITMAPFILEHEADER file{};
  if (available < static_cast<std::int64_t>(sizeof(file)))
    InvalidBitmap();
  AStream->ReadBuffer(&file, sizeof(file));
  if (file.bfType != kBitmapSignature)
    InvalidBitmap();
  // The header's size when it is plausible, so data after the file stays
  // unread; else everything left.
  std::int64_t size = available - static_cast<std::int64_t>(sizeof(file));
  if (file.bfSize > sizeof(file) && file.bfSize - sizeof(file) <= static_cast<std::uint64_t>(size))
    size = file.bfSize - sizeof(file);
  if (size > 0x7FFFFFFF)
    InvalidBitmap();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  AStream->ReadBuffer(data.data(), static_cast<int>(data.size()));
  const std::size_t bitsOffset = file.bfOffBits > sizeof(file) ? file.bfOffBits - sizeof(file) : 0;
  ReplaceImage(ReadDIB(data.data(), data.size(), bitsOffset));
  Changed(this);
}

void TBitmap::SaveToStream(rtl::TStream* AStream)
{
  const std::vector<std::uint8_t> image = WriteFile();
  if (!image.empty())
    AStream->WriteBuffer(image.data(), static_cast<int>(image.size()));
}

void TBitmap::ReadData(rtl::TStream* AStream)
{
  std::int32_t size = 0;
  AStream->ReadBuffer(&size, sizeof(size));
  // Exactly the counted bytes, so whatever follows in the stream stays
  // unread even when the file inside claims another length.
  const rtl::TOwnedPtr<rtl::TMemoryStream> image(rtl::New<rtl::TMemoryStream>());
  if (size > 0)
    image->CopyFrom(AStream, size);
  image->SetPosition(0);
  LoadFromStream(image.get());
}

void TBitmap::WriteData(rtl::TStream* AStream)
{
  const std::vector<std::uint8_t> image = WriteFile();
  const std::int32_t size = static_cast<std::int32_t>(image.size());
  AStream->WriteBuffer(&size, sizeof(size));
  if (size > 0)
    AStream->WriteBuffer(image.data(), size);
}

void TBitmap::LoadFromResourceName(HINSTANCE AInstance, const String& AResName)
{
  const rtl::TOwnedPtr<rtl::TResourceStream> stream(rtl::NewWith<rtl::TResourceStream>(
      [&](rtl::TResourceStream* S) { S->Create(AInstance, AResName, RT_BITMAP); }));
  ReplaceImage(ReadDIB(static_cast<const std::uint8_t*>(stream->Memory()), static_cast<std::size_t>(stream->GetSize()), 0));
  Changed(this);
}

void TBitmap::LoadFromResourceID(HINSTANCE AInstance, int AResID)
{
  const rtl::TOwnedPtr<rtl::TResourceStream> stream(rtl::NewWith<rtl::TResourceStream>(
      [&](rtl::TResourceStream* S) { S->CreateFromID(AInstance, AResID, RT_BITMAP); }));
  ReplaceImage(ReadDIB(static_cast<const std::uint8_t*>(stream->Memory()), static_cast<std::size_t>(stream->GetSize()), 0));
  Changed(this);
}

void TBitmap::LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE)
{
  if (AFormat == CF_BITMAP && AData) {
    const HANDLE copy = ::CopyImage(AData, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!copy)
      InvalidBitmap();
    SetHandle(static_cast<HBITMAP>(copy));
    return;
  }
  if (AFormat == CF_DIB && AData) {
    const TGlobalLock<const std::uint8_t> data(AData);
    if (!data.Get())
      InvalidBitmap();
    ReplaceImage(ReadDIB(data.Get(), data.Size(), 0));
    Changed(this);
    return;
  }
  inherited::LoadFromClipboardFormat(AFormat, AData, nullptr);
}

void TBitmap::SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette)
{
  // The bitmap may sit in the canvas's DC; CopyImage reads it all the same.
  AFormat = CF_BITMAP;
  AData = GetEmpty() ? nullptr : ::CopyImage(GetHandle(), IMAGE_BITMAP, 0, 0, 0);
  APalette = nullptr;
}

}  // namespace vcl
