#include "graphics/cxGraphicsBitmaps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/cxGeometry.h"
#include "graphics/cxGraphicsDraw.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SystemTypes.h"
#include "platform/vcl/GraphicsHandles.h"

using enum TcxBitmapTransformationMode;
using enum TdxDefaultBoolean;
using enum vcl::TPixelFormat;

using vcl::TColor;

namespace {

constexpr char XDBMMagic[4] = {'X', 'D', 'B', 'M'};

void cxGraphicsBitmapsInitialization()
{
  rtl::RegisterClasses({rtl::TPersistentClass::Of<TcxBitmap>(), rtl::TPersistentClass::Of<TcxBitmap32>()});
}

void cxGraphicsBitmapsFinalization()
{
  rtl::UnRegisterClasses({rtl::TPersistentClass::Of<TcxBitmap>(), rtl::TPersistentClass::Of<TcxBitmap32>()});
}

std::uint8_t ClampByte(std::int64_t AValue)
{
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(AValue, 0, 255));
}

std::uint32_t PixelValue(const RGBQUAD& APixel)
{
  std::uint32_t result;
  std::memcpy(&result, &APixel, sizeof(result));
  return result;
}

RGBQUAD PixelFromValue(std::uint32_t AValue)
{
  RGBQUAD result;
  std::memcpy(&result, &AValue, sizeof(result));
  return result;
}

// A colour as a pixel with the given alpha.
RGBQUAD ColorToPixel(TColor AColor, std::uint8_t AAlpha)
{
  const COLORREF color = static_cast<COLORREF>(vcl::ColorToRGB(AColor));
  return {GetBValue(color), GetGValue(color), GetRValue(color), AAlpha};
}

void SetGrey(RGBQUAD& APixel, std::int64_t AGrey)
{
  const std::uint8_t grey = ClampByte(AGrey);
  APixel.rgbBlue = grey;
  APixel.rgbGreen = grey;
  APixel.rgbRed = grey;
}

std::int64_t WeightedGrey(const RGBQUAD& APixel, double ARed, double AGreen, double ABlue)
{
  return rtl::Round(ARed * APixel.rgbRed + AGreen * APixel.rgbGreen + ABlue * APixel.rgbBlue);
}

// One block, as its first byte's position in the data.
bool BlocksEqual(std::span<const std::uint8_t> AData, std::size_t A, std::size_t B, int ABlockSize)
{
  return std::memcmp(AData.data() + A * ABlockSize, AData.data() + B * ABlockSize, ABlockSize) == 0;
}

// Reads the runs from the stream's position up to ALimit.
void DecodeRuns(rtl::TStream* AStream, std::int64_t ALimit, int ABlockSize, rtl::TStream* AOutput)
{
  std::vector<std::uint8_t> block(ABlockSize);
  while (AStream->GetPosition() < ALimit) {
    std::uint8_t control;
    AStream->ReadBuffer(&control, 1);
    const int count = control & 0x7F;
    if (control & 0x80) {
      // A count of 0 is never written; the stream copy would take it as
      // "the whole stream from its start".
      if (count > 0)
        AOutput->CopyFrom(AStream, static_cast<std::int64_t>(count) * ABlockSize);
      continue;
    }
    // A repeat run cut off by the limit repeats what was read of its block.
    int read = 0;
    while (read < ABlockSize && AStream->GetPosition() < ALimit) {
      AStream->ReadBuffer(&block[read], 1);
      ++read;
    }
    for (int i = 0; i < count; ++i)
      AOutput->WriteBuffer(block.data(), read);
  }
}

}  // namespace

RTL_UNIT(cxGraphicsBitmaps, &cxGraphicsBitmapsInitialization, &cxGraphicsBitmapsFinalization);

// ---------------------------------------------------------------------------
// XDBM

void cxXDBM::EncodeRuns(std::span<const std::uint8_t> AData, int ABlockSize, std::vector<std::uint8_t>& AOutput)
{
  const std::size_t count = AData.size() / ABlockSize;
  const auto appendBlocks = [&](std::size_t AFirst, std::size_t ACount) {
    const auto begin = AData.begin() + AFirst * ABlockSize;
    AOutput.insert(AOutput.end(), begin, begin + ACount * ABlockSize);
  };
  std::size_t i = 0;
  while (i < count) {
    std::size_t length = 1;
    if (i + 1 < count && BlocksEqual(AData, i, i + 1, ABlockSize)) {
      while (i + length < count && length < MaxRunLength && BlocksEqual(AData, i, i + length, ABlockSize))
        ++length;
      AOutput.push_back(static_cast<std::uint8_t>(length));
      appendBlocks(i, 1);
    } else {
      // The literal run stops before a block that its successor repeats, so
      // that block starts the next, repeat, run.
      while (i + length < count && length < MaxRunLength) {
        if (BlocksEqual(AData, i + length, i + length - 1, ABlockSize)) {
          --length;
          break;
        }
        ++length;
      }
      AOutput.push_back(static_cast<std::uint8_t>(0x80 | length));
      appendBlocks(i, length);
    }
    i += length;
  }
}

std::vector<std::uint8_t> cxXDBM::Encode(std::span<const std::uint8_t> AData, int ABitsPerPixel)
{
  const int blockSize = std::max(ABitsPerPixel / 8, 1);
  const std::size_t remainder = AData.size() % blockSize;
  std::vector<std::uint8_t> result(HeaderSize);
  result.push_back(static_cast<std::uint8_t>(blockSize));
  result.push_back(static_cast<std::uint8_t>(remainder));
  result.insert(result.end(), AData.begin(), AData.begin() + remainder);
  EncodeRuns(AData.subspan(remainder), blockSize, result);
  // The count is of the bytes after the header wherever the header stands:
  // the reader takes it so.
  const std::uint32_t length = static_cast<std::uint32_t>(result.size() - HeaderSize);
  const std::uint16_t method = 2;
  std::memcpy(result.data(), &length, 4);
  std::memcpy(result.data() + 4, XDBMMagic, 4);
  std::memcpy(result.data() + 8, &method, 2);
  return result;
}

bool cxXDBM::Decode(rtl::TStream* AStream, std::vector<std::uint8_t>& AData)
{
  const std::int64_t start = AStream->GetPosition();
  std::uint8_t header[HeaderSize];
  if (AStream->Read(header, HeaderSize) != static_cast<int>(HeaderSize) ||
      std::memcmp(header + 4, XDBMMagic, 4) != 0) {
    AStream->SetPosition(start);
    return false;
  }
  std::uint32_t length;
  std::uint16_t method;
  std::memcpy(&length, header, 4);
  std::memcpy(&method, header + 8, 2);
  const std::int64_t limit = start + static_cast<std::int64_t>(HeaderSize) + length;
  const rtl::TOwnedPtr<rtl::TMemoryStream> output(rtl::New<rtl::TMemoryStream>());
  if (method == 1)
    DecodeRuns(AStream, limit, 1, output.get());
  else if (method == 2) {
    std::uint8_t sizes[2];
    AStream->ReadBuffer(sizes, 2);
    // A block size of 0 cannot have been written; it is read as 1 rather
    // than looping without progress.
    const int blockSize = std::max<int>(sizes[0], 1);
    if (sizes[1] > 0)
      output->CopyFrom(AStream, sizes[1]);
    DecodeRuns(AStream, limit, blockSize, output.get());
  }
  const auto* bytes = static_cast<const std::uint8_t*>(output->Memory());
  AData.assign(bytes, bytes + output->GetSize());
  return true;
}

// ---------------------------------------------------------------------------
// TcxBitmap

void TcxBitmap::Create()
{
  CreateSize(0, 0);
}

void TcxBitmap::CreateSize(int AWidth, int AHeight)
{
  CreateSize(AWidth, AHeight, pf24bit);
}

void TcxBitmap::CreateSize(const TRect& ARect)
{
  CreateSize(ARect.right - ARect.left, ARect.bottom - ARect.top);
}

void TcxBitmap::CreateSize(const TRect& ARect, vcl::TPixelFormat APixelFormat)
{
  CreateSize(ARect.right - ARect.left, ARect.bottom - ARect.top, APixelFormat);
}

void TcxBitmap::CreateSize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat)
{
  inherited::Create();
  Initialize(AWidth, AHeight, APixelFormat);
}

void TcxBitmap::Destroy()
{
  FreeCanvasWrapper();
  inherited::Destroy();
}

void TcxBitmap::Initialize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat)
{
  BeginUpdate();
  try {
    SetPixelFormat(APixelFormat);
    SetSize(AWidth, AHeight);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  EndUpdate(true);
}

void TcxBitmap::BeginUpdate()
{
  ++FLockCount;
}

void TcxBitmap::CancelUpdate()
{
  --FLockCount;
}

void TcxBitmap::EndUpdate(bool AForceUpdate)
{
  --FLockCount;
  if (FLockCount == 0 && (AForceUpdate || FModified))
    Changed(this);
}

void TcxBitmap::Changed(rtl::TObject* ASender)
{
  if (FLockCount > 0) {
    FModified = true;
    return;
  }
  inherited::Changed(ASender);
  Update();
  FModified = false;
}

void TcxBitmap::SetSize(int AWidth, int AHeight)
{
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == GetWidth() && AHeight == GetHeight())
    return;
  BeginUpdate();
  try {
    inherited::SetSize(AWidth, AHeight);
  } catch (...) {
    EndUpdate(false);
    throw;
  }
  EndUpdate(false);
}

void TcxBitmap::SetSize(const TRect& ARect)
{
  SetSize(ARect.right - ARect.left, ARect.bottom - ARect.top);
}

void TcxBitmap::CopyBitmap(vcl::TBitmap* ASrcBitmap, DWORD ACopyMode)
{
  CopyBitmap(ASrcBitmap, GetClientRect(), TPoint{0, 0}, ACopyMode);
}

void TcxBitmap::CopyBitmap(vcl::TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                           DWORD ACopyMode)
{
  const HDC dest = GetCanvas()->GetHandle();
  const HDC source = ASrcBitmap == this ? dest : ASrcBitmap->GetCanvas()->GetHandle();
  BitBlt(dest, ADestRect.left, ADestRect.top, ADestRect.right - ADestRect.left, ADestRect.bottom - ADestRect.top,
         source, ASrcTopLeft.x, ASrcTopLeft.y, ACopyMode);
}

void TcxBitmap::Dormant()
{
  FreeCanvasWrapper();
  inherited::Dormant();
}

void TcxBitmap::Flip(bool AFlipHorizontally, bool AFlipVertically)
{
  if (!AFlipHorizontally && !AFlipVertically)
    return;
  const int width = GetWidth();
  const int height = GetHeight();
  const rtl::TOwnedPtr<TcxBitmap> copy(
      rtl::NewWith<TcxBitmap>([&](TcxBitmap* B) { B->CreateSize(width, height, pf24bit); }));
  const HDC dc = copy->GetCanvas()->GetHandle();
  const int oldMode = SetGraphicsMode(dc, GM_ADVANCED);
  const XFORM mirror = cxXFormMirror(AFlipHorizontally, AFlipVertically, (width - 1) / 2.0f, (height - 1) / 2.0f);
  SetWorldTransform(dc, &mirror);
  BitBlt(dc, 0, 0, width, height, GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetGraphicsMode(dc, oldMode);
  CopyBitmap(copy.get());
}

void TcxBitmap::ReadData(rtl::TStream* AStream)
{
  std::vector<std::uint8_t> data;
  if (!cxXDBM::Decode(AStream, data)) {
    inherited::ReadData(AStream);
    return;
  }
  const rtl::TOwnedPtr<rtl::TMemoryStream> plain(rtl::New<rtl::TMemoryStream>());
  if (!data.empty())
    plain->WriteBuffer(data.data(), static_cast<int>(data.size()));
  plain->SetPosition(0);
  inherited::ReadData(plain.get());
}

void TcxBitmap::WriteData(rtl::TStream* AStream)
{
  if (!FCompressData) {
    inherited::WriteData(AStream);
    return;
  }
  const rtl::TOwnedPtr<rtl::TMemoryStream> plain(rtl::New<rtl::TMemoryStream>());
  inherited::WriteData(plain.get());
  const std::span<const std::uint8_t> data(static_cast<const std::uint8_t*>(plain->Memory()),
                                           static_cast<std::size_t>(plain->GetSize()));
  const std::vector<std::uint8_t> encoded = cxXDBM::Encode(data, BitsPerPixel());
  AStream->WriteBuffer(encoded.data(), static_cast<int>(encoded.size()));
}

int TcxBitmap::BitsPerPixel()
{
  BITMAP data{};
  if (GetHandle() && dxGetBitmapData(GetHandle(), data))
    return data.bmBitsPixel;
  return 1;
}

void TcxBitmap::FreeCanvasWrapper()
{
  rtl::FreeAndNil(FcxCanvas);
}

TcxCanvas* TcxBitmap::GetcxCanvas()
{
  if (!FcxCanvas)
    FcxCanvas = rtl::New<TcxCanvas>(GetCanvas());
  return FcxCanvas;
}

void TcxBitmap::Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically)
{
  GetcxCanvas()->RotateBitmap(this, ARotationAngle, AFlipVertically);
}

// ---------------------------------------------------------------------------
// TcxBitmap32

void TcxBitmap32::CreateSize(int AWidth, int AHeight)
{
  CreateSize(AWidth, AHeight, pf32bit);
}

void TcxBitmap32::CreateSize(int AWidth, int AHeight, bool AClear)
{
  CreateSize(AWidth, AHeight);
  if (AClear)
    Clear();
}

void TcxBitmap32::CreateSize(const TRect& ARect, bool AClear)
{
  CreateSize(ARect.right - ARect.left, ARect.bottom - ARect.top, AClear);
}

void TcxBitmap32::AfterConstruction()
{
  inherited::AfterConstruction();
  FIsAlphaUsed = bDefault;
}

void TcxBitmap32::Update()
{
  inherited::Update();
  FIsAlphaUsed = bDefault;
  if (GetPixelFormat() != pf32bit)
    throw EdxException(L"Wrong PixelFormat");
}

void TcxBitmap32::LoadFromStream(rtl::TStream* AStream)
{
  BeginUpdate();
  try {
    inherited::LoadFromStream(AStream);
    SetPixelFormat(pf32bit);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  EndUpdate(true);
}

void TcxBitmap32::Clear()
{
  if (GetEmpty())
    return;
  const TRect bounds = GetClientRect();
  FillRect(GetCanvas()->GetHandle(), &bounds, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FIsAlphaUsed = bDefault;
}

void TcxBitmap32::GetBitmapColors(TRGBColors& AColors)
{
  const int width = GetWidth();
  const int height = GetHeight();
  AColors.assign(static_cast<std::size_t>(width) * height, RGBQUAD{});
  if (GetEmpty() || GetPixelFormat() != pf32bit)
    return;
  for (int row = 0; row < height; ++row)
    std::memcpy(&AColors[static_cast<std::size_t>(row) * width], ScanLine(height - 1 - row), width * sizeof(RGBQUAD));
}

void TcxBitmap32::SetBitmapColors(const TRGBColors& AColors)
{
  const int width = GetWidth();
  const int height = GetHeight();
  if (GetEmpty() || GetPixelFormat() != pf32bit || AColors.size() < static_cast<std::size_t>(width) * height)
    return;
  for (int row = 0; row < height; ++row)
    std::memcpy(ScanLine(height - 1 - row), &AColors[static_cast<std::size_t>(row) * width], width * sizeof(RGBQUAD));
  // The pixels changed without a notification: the cached answer must not
  // outlive them.
  FIsAlphaUsed = bDefault;
}

bool TcxBitmap32::IsAlphaUsed()
{
  if (FIsAlphaUsed == bDefault) {
    TRGBColors colors;
    GetBitmapColors(colors);
    FIsAlphaUsed = dxGetPixelsAlphaState(colors) != asNoAlpha ? bTrue : bFalse;
  }
  return FIsAlphaUsed == bTrue;
}

template <class F>
void TcxBitmap32::ForEachPixel(F AOperation)
{
  TRGBColors colors;
  GetBitmapColors(colors);
  for (RGBQUAD& pixel : colors)
    AOperation(pixel);
  SetBitmapColors(colors);
}

void TcxBitmap32::MakeOpaque()
{
  SetAlphaChannel(255);
}

void TcxBitmap32::SetAlphaChannel(std::uint8_t AAlpha)
{
  ForEachPixel([&](RGBQUAD& APixel) { APixel.rgbReserved = AAlpha; });
}

void TcxBitmap32::RecoverTransparency(TColor ATransparentColor)
{
  const RGBQUAD key = ColorToPixel(ATransparentColor, 0);
  ForEachPixel([&](RGBQUAD& APixel) {
    if (APixel.rgbBlue == key.rgbBlue && APixel.rgbGreen == key.rgbGreen && APixel.rgbRed == key.rgbRed)
      APixel = RGBQUAD{};
    else if (APixel.rgbReserved == 0)
      APixel.rgbReserved = 255;
  });
}

void TcxBitmap32::Darken(int APercent)
{
  const auto darken = [&](std::uint8_t& AChannel) { AChannel = ClampByte(rtl::Trunc(APercent * AChannel / 100.0)); };
  ForEachPixel([&](RGBQUAD& APixel) {
    darken(APixel.rgbBlue);
    darken(APixel.rgbGreen);
    darken(APixel.rgbRed);
  });
}

void TcxBitmap32::Lighten(int APercent)
{
  const auto lighten = [&](std::uint8_t& AChannel) {
    AChannel = ClampByte(rtl::Trunc(255 - APercent / 100.0 * (255 - AChannel)));
  };
  ForEachPixel([&](RGBQUAD& APixel) {
    lighten(APixel.rgbBlue);
    lighten(APixel.rgbGreen);
    lighten(APixel.rgbRed);
  });
}

void TcxBitmap32::Filter(vcl::TBitmap* AMaskBitmap)
{
  CopyBitmap(AMaskBitmap, 0x220326);
}

void TcxBitmap32::Invert()
{
  CopyBitmap(this, NOTSRCCOPY);
}

void TcxBitmap32::AlphaBlend(vcl::TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage,
                             std::uint8_t AConstantAlpha)
{
  cxAlphaBlend(ADestBitmap, this, ADestRect, GetClientRect(), ASmoothImage, AConstantAlpha);
}

// ---------------------------------------------------------------------------
// TcxColorList

int TcxColorList::Add(TColor AColor)
{
  return inherited::Add(reinterpret_cast<void*>(static_cast<std::uintptr_t>(PixelValue(ColorToPixel(AColor, 0)))));
}

bool TcxColorList::Contains(std::uint32_t ARGBQuad) const
{
  return IndexOf(reinterpret_cast<void*>(static_cast<std::uintptr_t>(ARGBQuad))) >= 0;
}

// ---------------------------------------------------------------------------
// TcxAlphaBitmap

void TcxAlphaBitmap::CreateSize(int AWidth, int AHeight)
{
  inherited::CreateSize(AWidth, AHeight);
}

void TcxAlphaBitmap::CreateSize(int AWidth, int AHeight, RGBQUAD ATransparentBkColor)
{
  CreateSize(AWidth, AHeight);
  FTransparentBkColor = ATransparentBkColor;
}

void TcxAlphaBitmap::Initialize(int AWidth, int AHeight, vcl::TPixelFormat APixelFormat)
{
  if (!FTransparentPixels)
    FTransparentPixels = rtl::New<TcxColorList>();
  inherited::Initialize(AWidth, AHeight, APixelFormat);
}

void TcxAlphaBitmap::Destroy()
{
  rtl::FreeAndNil(FTransparentPixels);
  inherited::Destroy();
}

void TcxAlphaBitmap::Clear()
{
  if (FTransparentBkColor.rgbReserved != 0)
    TransformBitmap(btmClear);
  else
    inherited::Clear();
}

void TcxAlphaBitmap::RefreshImage(int AWidth, int AHeight)
{
  SetSize(AWidth, AHeight);
  FTransparentPixels->Clear();
  Clear();
}

void TcxAlphaBitmap::RefreshImage(const TRect& ARect)
{
  RefreshImage(ARect.right - ARect.left, ARect.bottom - ARect.top);
}

bool TcxAlphaBitmap::IsTransparent(const RGBQUAD& APixel) const
{
  const std::uint32_t value = PixelValue(APixel);
  return value == PixelValue(FTransparentBkColor) || FTransparentPixels->Contains(value & 0x00FFFFFF);
}

void TcxAlphaBitmap::TransformBitmap(TcxBitmapTransformationMode AMode)
{
  TRGBColors colors;
  GetBitmapColors(colors);
  const int width = GetWidth();
  const int height = GetHeight();
  for (int column = 0; column < width; ++column)
    for (int row = 0; row < height; ++row) {
      FCurrentColorIndex = {column, row};
      TransformPixel(AMode, colors[static_cast<std::size_t>(row) * width + column]);
    }
  SetBitmapColors(colors);
  Changed(this);
}

void TcxAlphaBitmap::TransformPixel(TcxBitmapTransformationMode AMode, RGBQUAD& APixel)
{
  switch (AMode) {
    case btmSetOpaque:
      APixel.rgbReserved = 255;
      return;
    case btmMakeMask:
      APixel = PixelFromValue(IsTransparent(APixel) ? 0xFFFFFFFF : 0);
      return;
    case btmCorrectBlend:
      if (APixel.rgbReserved == 0 && !IsTransparent(APixel))
        APixel.rgbReserved = 255;
      return;
    case btmHatch: {
      // A step of 0 cannot make checks; it counts as 1 rather than dividing
      // by zero.
      const int step = std::max<int>(FHatchData.Step, 1);
      if ((FCurrentColorIndex.x / step + FCurrentColorIndex.y / step) % 2 != 0)
        cxBlendPixel(APixel, FHatchData.Color2, FHatchData.Alpha2);
      else
        cxBlendPixel(APixel, FHatchData.Color1, FHatchData.Alpha1);
      return;
    }
    case btmClear:
      APixel = FTransparentBkColor;
      return;
    case btmResetAlpha:
      APixel.rgbReserved = 0;
      return;
    case btmExtractLayer:
      if (IsTransparent(APixel))
        APixel = RGBQUAD{};
      return;
    default:
      break;
  }
  if (IsTransparent(APixel))
    return;
  switch (AMode) {
    case btmDingy:
      if (APixel.rgbReserved == 255) {
        for (BYTE* channel : {&APixel.rgbBlue, &APixel.rgbGreen, &APixel.rgbRed})
          *channel = ClampByte(*channel + MulDiv(255 - *channel, 3, 10));
      } else {
        for (BYTE* channel : {&APixel.rgbBlue, &APixel.rgbGreen, &APixel.rgbRed, &APixel.rgbReserved})
          *channel = ClampByte(MulDiv(*channel, 200, 255));
      }
      return;
    case btmDirty:
      SetGrey(APixel, WeightedGrey(APixel, 0.299, 0.587, 0.114));
      cxBlendPixel(APixel, ColorToPixel(vcl::clBtnShadow, 0xC0), 238);
      return;
    case btmGrayScale:
      SetGrey(APixel, (APixel.rgbRed + APixel.rgbGreen + APixel.rgbBlue) / 3);
      return;
    case btmFade:
      SetGrey(APixel, WeightedGrey(APixel, 0.299, 0.587, 0.114));
      return;
    case btmDisable:
      SetGrey(APixel, WeightedGrey(APixel, 0.0729, 0.7146, 0.2125));
      return;
    default:
      return;
  }
}

void TcxAlphaBitmap::RecoverAlphaChannel(TColor ATransparentColor)
{
  FTransparentPixels->Clear();
  FTransparentPixels->Add(ATransparentColor);
  FTransparentBkColor = ColorToPixel(ATransparentColor, 0);
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::ExtractLayer(TColor ATransparentColor)
{
  FTransparentPixels->Clear();
  FTransparentPixels->Add(ATransparentColor);
  FTransparentBkColor = ColorToPixel(ATransparentColor, 0);
  TransformBitmap(btmExtractLayer);
}

void TcxAlphaBitmap::DrawHatch(const TcxHatchData& AHatchData)
{
  FHatchData = AHatchData;
  TransformBitmap(btmHatch);
}

void TcxAlphaBitmap::DrawHatch(TColor AColor1, TColor AColor2, std::uint8_t AStep, std::uint8_t AAlpha1,
                               std::uint8_t AAlpha2)
{
  TcxHatchData data;
  data.Color1 = ColorToPixel(AColor1, 255);
  data.Alpha1 = AAlpha1;
  data.Color2 = ColorToPixel(AColor2, 255);
  data.Alpha2 = AAlpha2;
  data.Step = AStep;
  DrawHatch(data);
}

void TcxAlphaBitmap::DrawShadow(vcl::TBitmap* AMaskBitmap, int AShadowSize, TColor AShadowColor, bool AInflateSize)
{
  const int width = GetWidth();
  const int height = GetHeight();
  const int size = AShadowSize;
  const rtl::TOwnedPtr<TcxAlphaBitmap> shadow(rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) {
    B->CreateSize(width + 2 * size, height + 2 * size, PixelFromValue(0xFFFFFFFF));
  }));
  shadow->Clear();
  shadow->CopyBitmap(AMaskBitmap, TRect{size, size, size + width, size + height}, TPoint{0, 0});
  vcl::TCanvas* shadowCanvas = shadow->GetCanvas();
  shadowCanvas->GetBrush()->SetColor(AShadowColor);
  shadowCanvas->SetCopyMode(0x200F09);
  // The whole shadow bitmap onto itself, moved by the shadow size: where the
  // moved mask is black the brush stays, everything else turns black.
  const HDC shadowDC = shadowCanvas->GetHandle();
  BitBlt(shadowDC, size, size, shadow->GetWidth(), shadow->GetHeight(), shadowDC, 0, 0, shadowCanvas->GetCopyMode());
  shadow->SetTransparentBkColor(PixelFromValue(0));
  shadow->TransformBitmap(btmCorrectBlend);

  const rtl::TOwnedPtr<TcxAlphaBitmap> result(
      rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) { B->CreateSize(width + size, height + size, true); }));
  result->CopyBitmap(this, TRect{0, 0, width, height}, TPoint{0, 0});
  result->CopyBitmap(shadow.get(), result->GetClientRect(), TPoint{size, size}, SRCPAINT);
  if (AInflateSize)
    SetSize(width + size, height + size);
  CopyBitmap(result.get(), GetClientRect(), TPoint{0, 0});
}

void TcxAlphaBitmap::Shade(vcl::TBitmap* AMaskBitmap)
{
  const int width = AMaskBitmap->GetWidth();
  const int height = AMaskBitmap->GetHeight();
  vcl::TCanvas* maskCanvas = AMaskBitmap->GetCanvas();
  const HDC maskDC = maskCanvas->GetHandle();
  BitBlt(maskDC, 0, 0, width, height, maskDC, 0, 0, PATINVERT);
  CopyBitmap(AMaskBitmap, TRect{1, 1, 1 + width, 1 + height}, TPoint{0, 0});
  GetCanvas()->GetBrush()->SetColor(vcl::clBtnShadow);
  CopyBitmap(AMaskBitmap, TRect{0, 0, width, height}, TPoint{0, 0}, 0xE20746);
  TransformBitmap(btmCorrectBlend);
}

// ---------------------------------------------------------------------------

void cxBlendPixel(RGBQUAD& ADest, const RGBQUAD& ASource, std::uint8_t AConstantAlpha)
{
  const double c = AConstantAlpha / 255.0;
  const double d = c * ASource.rgbReserved;
  const double e = 1 - d / 255;
  ADest.rgbBlue = ClampByte(rtl::Round(c * ASource.rgbBlue + ADest.rgbBlue * e));
  ADest.rgbGreen = ClampByte(rtl::Round(c * ASource.rgbGreen + ADest.rgbGreen * e));
  ADest.rgbRed = ClampByte(rtl::Round(c * ASource.rgbRed + ADest.rgbRed * e));
  ADest.rgbReserved = ClampByte(rtl::Round(d + e * ADest.rgbReserved));
}
