#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/vcl/Graphics.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using enum vcl::TAlphaFormat;
using enum vcl::TBitmapHandleType;
using enum vcl::TBrushStyle;
using enum vcl::TPixelFormat;
using enum vcl::TTransparentMode;

using namespace vcl;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

template <class T>
using Owned = rtl::TOwnedPtr<T>;

Owned<TBitmap> NewBitmap(int AWidth, int AHeight, TPixelFormat AFormat)
{
  Owned<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetPixelFormat(AFormat);
  bitmap->SetSize(AWidth, AHeight);
  return bitmap;
}

std::vector<std::uint8_t> Saved(TBitmap* ABitmap)
{
  const Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  ABitmap->SaveToStream(stream.get());
  const auto* bytes = static_cast<const std::uint8_t*>(stream->Memory());
  return std::vector<std::uint8_t>(bytes, bytes + stream->GetSize());
}

Owned<TBitmap> Loaded(const std::vector<std::uint8_t>& AData)
{
  const Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  if (!AData.empty())
    stream->WriteBuffer(AData.data(), static_cast<int>(AData.size()));
  stream->SetPosition(0);
  Owned<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->LoadFromStream(stream.get());
  return bitmap;
}

TEST(GraphicsBitmap, PixelFormatsMakeDIBSectionsOfTheirDepthAndNewPixelsAreWhite)
{
  struct Row {
    TPixelFormat Format;
    int Bits;
  };
  const Row rows[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf15bit, 16}, {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}};
  for (const Row& row : rows) {
    const Owned<TBitmap> bitmap = NewBitmap(5, 3, row.Format);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap->GetHandle(), sizeof(section), &section), static_cast<int>(sizeof(section)))
        << row.Bits;
    EXPECT_EQ(section.dsBm.bmBitsPixel, row.Bits);
    EXPECT_EQ(bitmap->GetPixelFormat(), row.Format);
    EXPECT_EQ(bitmap->GetHandleType(), bmDIB);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(4, 2), clWhite) << row.Bits;
  }

  const Owned<TBitmap> device(rtl::New<TBitmap>());
  EXPECT_EQ(device->GetPixelFormat(), pfDevice);
  EXPECT_TRUE(device->GetEmpty());
  device->SetSize(4, 4);
  EXPECT_EQ(device->GetHandleType(), bmDDB);
  device->GetCanvas()->SetPixel(1, 1, clRed);
  device->ScanLine(0);
  EXPECT_EQ(device->GetHandleType(), bmDIB) << "ScanLine needs a DIB";
  EXPECT_EQ(device->GetCanvas()->GetPixel(1, 1), clRed) << "the conversion keeps the pixels";
}

TEST(GraphicsBitmap, ScanLinesAreRowsFromTheTopAndSeeCanvasDrawing)
{
  const Owned<TBitmap> bitmap = NewBitmap(4, 3, pf24bit);
  auto* top = static_cast<std::uint8_t*>(bitmap->ScanLine(0));
  top[0] = 0x00;  // blue, green, red
  top[1] = 0x00;
  top[2] = 0xFF;
  auto* bottom = static_cast<std::uint8_t*>(bitmap->ScanLine(2));
  bottom[9] = 0xFF;
  bottom[10] = 0x00;
  bottom[11] = 0x00;
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 0), clRed);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(3, 2), clBlue);

  bitmap->GetCanvas()->GetBrush()->SetColor(clLime);
  bitmap->GetCanvas()->FillRect(TRect{0, 1, 4, 2});
  const auto* middle = static_cast<const std::uint8_t*>(bitmap->ScanLine(1));
  EXPECT_EQ(middle[1], 0xFF);
  EXPECT_EQ(middle[2], 0x00);

  const Owned<TBitmap> bits32 = NewBitmap(2, 2, pf32bit);
  static_cast<std::uint32_t*>(bits32->ScanLine(1))[1] = 0x80102030;
  EXPECT_EQ(bits32->GetCanvas()->GetPixel(1, 1), 0x302010);

  EXPECT_THROW(bitmap->ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);
}

TEST(GraphicsBitmap, SetSizeKeepsThePixelsThatStillFit)
{
  const Owned<TBitmap> bitmap = NewBitmap(3, 3, pf32bit);
  static_cast<std::uint32_t*>(bitmap->ScanLine(2))[2] = 0x7F0000FF;
  bitmap->SetSize(5, 4);
  EXPECT_EQ(static_cast<std::uint32_t*>(bitmap->ScanLine(2))[2], 0x7F0000FFu) << "alpha included";
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(4, 3), clWhite);
  bitmap->SetSize(0, 4);
  EXPECT_TRUE(bitmap->GetEmpty());

  // Pixels smaller than a byte: the row's last byte is shared between kept
  // and new pixels, and the unused bits after a row (all clear here, as
  // files often have them) are no pixels to keep.
  struct Row {
    TPixelFormat Format;
    int Width;
    int GrownWidth;
  };
  for (const Row& row : {Row{pf1bit, 3, 8}, Row{pf1bit, 9, 12}, Row{pf4bit, 1, 2}, Row{pf4bit, 3, 5}}) {
    const Owned<TBitmap> indexed = NewBitmap(row.Width, 1, row.Format);
    std::memset(indexed->ScanLine(0), 0, 4);
    indexed->SetSize(row.GrownWidth, 1);
    for (int x = 0; x < row.GrownWidth; ++x)
      EXPECT_EQ(indexed->GetCanvas()->GetPixel(x, 0), x < row.Width ? clBlack : clWhite)
          << static_cast<int>(row.Format) << " " << row.Width << " " << x;
  }
}

TEST(GraphicsBitmap, BmpStreamsRoundTripInEveryFormat)
{
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
    const Owned<TBitmap> bitmap = NewBitmap(7, 5, format);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetBrush()->SetColor(clBlack);
    canvas->FillRect(TRect{0, 0, 3, 2});
    canvas->SetPixel(6, 4, clBlack);
    const std::vector<std::uint8_t> data = Saved(bitmap.get());
    ASSERT_GE(data.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER file;
    std::memcpy(&file, data.data(), sizeof(file));
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(file.bfSize, data.size());

    const Owned<TBitmap> copy = Loaded(data);
    EXPECT_EQ(copy->GetWidth(), 7);
    EXPECT_EQ(copy->GetHeight(), 5);
    EXPECT_EQ(copy->GetPixelFormat(), format == pfDevice ? pf32bit : format);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        ASSERT_EQ(copy->GetCanvas()->GetPixel(x, y), canvas->GetPixel(x, y)) << format << " " << x << "," << y;
    EXPECT_EQ(Saved(copy.get()), format == pfDevice ? Saved(copy.get()) : data);
  }
  EXPECT_TRUE(Loaded({})->GetEmpty());
}

std::vector<std::uint8_t> BmpFile(int AWidth, int AHeight, int ABitCount, DWORD ACompression,
                                  const std::vector<std::uint8_t>& ABits)
{
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = AWidth;
  info.biHeight = AHeight;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(ABitCount);
  info.biCompression = ACompression;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + ABits.size());
  std::vector<std::uint8_t> result(file.bfOffBits);
  std::memcpy(result.data(), &file, sizeof(file));
  std::memcpy(result.data() + sizeof(file), &info, sizeof(info));
  result.insert(result.end(), ABits.begin(), ABits.end());
  return result;
}

TEST(GraphicsBitmap, IndexedBitmapsKeepTheirColourTableThroughCopies)
{
  // A 1-bit file whose two colours are red and blue, not black and white.
  std::vector<std::uint8_t> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 8 + 4);
  BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(file.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 8};
  BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), 2, 1, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
  const std::uint8_t colors[8] = {0, 0, 255, 0, 255, 0, 0, 0};
  const std::uint8_t bits[4] = {0x40, 0, 0, 0};  // pixel 0 colour 0, pixel 1 colour 1
  std::memcpy(file.data(), &header, sizeof(header));
  std::memcpy(file.data() + sizeof(header), &info, sizeof(info));
  std::memcpy(file.data() + sizeof(header) + sizeof(info), colors, sizeof(colors));
  std::memcpy(file.data() + header.bfOffBits, bits, sizeof(bits));

  const Owned<TBitmap> bitmap = Loaded(file);
  EXPECT_EQ(bitmap->GetPixelFormat(), pf1bit);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 0), clRed);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(1, 0), clBlue);
  const Owned<TBitmap> copy(rtl::New<TBitmap>());
  copy->Assign(bitmap.get());
  EXPECT_EQ(copy->GetCanvas()->GetPixel(0, 0), clRed);
  copy->SetSize(3, 1);
  EXPECT_EQ(copy->GetCanvas()->GetPixel(1, 0), clBlue);
  EXPECT_EQ(Loaded(Saved(copy.get()))->GetCanvas()->GetPixel(1, 0), clBlue);
}

TEST(GraphicsBitmap, TopDownFilesAreReadRightSideUp)
{
  // Two rows of one 24-bit pixel: red first, then blue.
  const Owned<TBitmap> bitmap = Loaded(BmpFile(1, -2, 24, BI_RGB, {0, 0, 255, 0, 255, 0, 0, 0}));
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 0), clRed);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 1), clBlue);
}

TEST(GraphicsBitmap, MalformedFilesRaiseInvalidGraphic)
{
  std::vector<std::uint8_t> badSignature = BmpFile(1, 1, 24, BI_RGB, {0, 0, 0, 0});
  badSignature[0] = 'X';
  std::vector<std::uint8_t> truncated = BmpFile(4, 4, 24, BI_RGB, std::vector<std::uint8_t>(48));
  truncated.resize(truncated.size() - 10);
  const std::vector<std::uint8_t> cases[] = {
      badSignature,
      truncated,
      BmpFile(1, 1, 7, BI_RGB, {0, 0, 0, 0}),
      BmpFile(1, 1, 8, BI_RLE8, {0, 0, 0, 0}),
      BmpFile(0, 1, 24, BI_RGB, {0, 0, 0, 0}),
      BmpFile(0x7FFFFFFF, 1, 32, BI_RGB, {0, 0, 0, 0}),
      BmpFile(1, 0x40000, 24, BI_RGB, {0, 0, 0, 0}),
      BmpFile(1, INT32_MIN, 24, BI_RGB, {0, 0, 0, 0}),
      BmpFile(INT32_MIN, 1, 24, BI_RGB, {0, 0, 0, 0}),
      {'B', 'M', 0},
  };
  int index = 0;
  for (const auto& data : cases)
    EXPECT_THROW(Loaded(data), EInvalidGraphic) << "case " << index++;
}

TEST(GraphicsBitmap, ResourcesLoadByNameAndId)
{
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (int byId = 0; byId < 2; ++byId) {
    const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
    if (byId)
      bitmap->LoadFromResourceID(module, 101);
    else
      bitmap->LoadFromResourceName(module, L"VCLTESTBITMAP");
    EXPECT_EQ(bitmap->GetWidth(), 3);
    EXPECT_EQ(bitmap->GetHeight(), 2);
    EXPECT_EQ(bitmap->GetPixelFormat(), pf24bit);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(0, 1), clRed);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(2, 1), clBlue);
    EXPECT_EQ(bitmap->GetCanvas()->GetPixel(2, 0), 0x302010);
  }
  const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
  EXPECT_THROW(bitmap->LoadFromResourceName(module, L"NOSUCHBITMAP"), rtl::EResNotFound);
}

TEST(GraphicsBitmap, TransparentDrawingLeavesTheKeyColourOut)
{
  // Fuchsia everywhere (the bottom-left pixel is the key), red in the middle.
  const Owned<TBitmap> bitmap = NewBitmap(4, 4, pf24bit);
  bitmap->GetCanvas()->GetBrush()->SetColor(clFuchsia);
  bitmap->GetCanvas()->FillRect(TRect{0, 0, 4, 4});
  bitmap->GetCanvas()->GetBrush()->SetColor(clRed);
  bitmap->GetCanvas()->FillRect(TRect{1, 1, 3, 3});
  EXPECT_EQ(bitmap->GetTransparentColor(), clFuchsia);
  EXPECT_EQ(bitmap->GetTransparentMode(), tmAuto);

  TSurface surface(4, 4, AsPixel(clLime));
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(surface.DC());
  canvas->Draw(0, 0, bitmap.get());
  EXPECT_EQ(surface.Pixel(0, 0), AsPixel(clFuchsia)) << "opaque while not Transparent";

  bitmap->SetTransparent(true);
  TSurface second(4, 4, AsPixel(clLime));
  canvas->SetHandle(second.DC());
  canvas->Draw(0, 0, bitmap.get());
  EXPECT_EQ(second.Pixel(0, 0), AsPixel(clLime));
  EXPECT_EQ(second.Pixel(1, 1), AsPixel(clRed));

  // A fixed colour makes red the key instead.
  bitmap->SetTransparentColor(clRed);
  EXPECT_EQ(bitmap->GetTransparentMode(), tmFixed);
  TSurface third(4, 4, AsPixel(clLime));
  canvas->SetHandle(third.DC());
  canvas->Draw(0, 0, bitmap.get());
  EXPECT_EQ(third.Pixel(0, 0), AsPixel(clFuchsia));
  EXPECT_EQ(third.Pixel(1, 1), AsPixel(clLime));

  // The mask is set where the key colour is.
  const HBITMAP mask = bitmap->GetMaskHandle();
  ASSERT_NE(mask, nullptr);
  const TOwnedDC dc(CreateCompatibleDC(nullptr));
  const TSelectObjectGuard selected(dc.Get(), mask);
  EXPECT_EQ(GetPixel(dc.Get(), 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0));
  canvas->SetHandle(nullptr);
}

TEST(GraphicsBitmap, AlphaFormatsBlendAndOpacityFades)
{
  const Owned<TBitmap> bitmap = NewBitmap(2, 1, pf32bit);
  auto* pixels = static_cast<std::uint32_t*>(bitmap->ScanLine(0));
  pixels[0] = 0x00000000;  // fully transparent
  pixels[1] = 0xFF0000FF;  // opaque blue
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());

  struct Row {
    TAlphaFormat Format;
    std::uint32_t Left;
  };
  for (const Row& row : {Row{afIgnored, 0x000000u}, Row{afPremultiplied, 0x00FF00u}, Row{afDefined, 0x00FF00u}}) {
    bitmap->SetAlphaFormat(row.Format);
    TSurface surface(2, 1, 0x00FF00);
    canvas->SetHandle(surface.DC());
    canvas->Draw(0, 0, bitmap.get());
    EXPECT_EQ(surface.Pixel(0, 0), row.Left) << row.Format;
    EXPECT_EQ(surface.Pixel(1, 0), 0x0000FFu) << row.Format;
    canvas->SetHandle(nullptr);
  }
  EXPECT_EQ(pixels[1], 0xFF0000FFu) << "drawing leaves the bitmap's pixels alone";

  bitmap->SetAlphaFormat(afIgnored);
  TSurface faded(2, 1, 0x000000);
  canvas->SetHandle(faded.DC());
  canvas->Draw(0, 0, bitmap.get(), 128);
  const std::uint32_t blue = faded.Pixel(1, 0) & 0xFF;
  EXPECT_NEAR(static_cast<int>(blue), 128, 2);
  canvas->SetHandle(nullptr);
}

TEST(GraphicsBitmap, AssignCopiesDormantRestoresAndReleaseHandleGivesUp)
{
  const Owned<TBitmap> source = NewBitmap(3, 2, pf32bit);
  static_cast<std::uint32_t*>(source->ScanLine(1))[2] = 0x40102030;
  source->SetAlphaFormat(afPremultiplied);
  source->SetTransparentColor(clRed);

  const Owned<TBitmap> copy(rtl::New<TBitmap>());
  copy->Assign(source.get());
  EXPECT_EQ(copy->GetPixelFormat(), pf32bit);
  EXPECT_EQ(copy->GetAlphaFormat(), afPremultiplied);
  EXPECT_EQ(copy->GetTransparentColor(), clRed);
  EXPECT_EQ(static_cast<std::uint32_t*>(copy->ScanLine(1))[2], 0x40102030u);
  static_cast<std::uint32_t*>(source->ScanLine(1))[2] = 0;
  EXPECT_EQ(static_cast<std::uint32_t*>(copy->ScanLine(1))[2], 0x40102030u) << "a copy, not a share";

  for (TPixelFormat format : {pf32bit, pfDevice}) {
    copy->SetPixelFormat(format);
    copy->GetCanvas()->SetPixel(0, 0, clNavy);
    copy->Dormant();
    EXPECT_FALSE(copy->HandleAllocated());
    EXPECT_EQ(copy->GetWidth(), 3);
    EXPECT_EQ(copy->GetPixelFormat(), format);
    EXPECT_EQ(copy->GetCanvas()->GetPixel(0, 0), clNavy);
    EXPECT_TRUE(copy->HandleAllocated());
  }

  const HBITMAP released = copy->ReleaseHandle();
  EXPECT_TRUE(copy->GetEmpty());
  EXPECT_EQ(GetObjectType(released), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(released);

  const Owned<TBitmap> adopted(rtl::New<TBitmap>());
  adopted->SetHandle(CreateBitmap(6, 4, 1, 1, nullptr));
  EXPECT_EQ(adopted->GetWidth(), 6);
  EXPECT_EQ(adopted->GetHandleType(), bmDDB);
  copy->Assign(nullptr);
  EXPECT_TRUE(copy->GetEmpty());
}

TEST(GraphicsBitmap, DrawingOnADormantBitmapKeepsItsPicture)
{
  // Drawing announces the change before it makes the handle; the picture
  // Dormant kept must become the handle first, not be dropped.
  struct Row {
    const char* Name;
    void (*Draw)(TCanvas*);
  };
  const Row rows[] = {
      {"FillRect", [](TCanvas* C) { C->FillRect(TRect{0, 0, 1, 1}); }},
      {"Handle", [](TCanvas* C) { ::SetPixel(C->GetHandle(), 0, 0, RGB(0, 0, 255)); }},
  };
  for (TPixelFormat format : {pf8bit, pf24bit, pf32bit, pfDevice})
    for (const Row& row : rows) {
      const Owned<TBitmap> bitmap = NewBitmap(4, 4, format);
      TCanvas* canvas = bitmap->GetCanvas();
      canvas->GetBrush()->SetColor(clRed);
      canvas->FillRect(TRect{0, 0, 4, 4});
      bitmap->Dormant();
      canvas->GetBrush()->SetColor(clBlue);
      row.Draw(canvas);
      EXPECT_EQ(canvas->GetPixel(0, 0), clBlue) << row.Name << " " << static_cast<int>(format);
      EXPECT_EQ(canvas->GetPixel(3, 3), clRed) << row.Name << " " << static_cast<int>(format);
      EXPECT_EQ(bitmap->GetPixelFormat(), format) << row.Name;
    }
}

TEST(GraphicsBitmap, BrushCopyReplacesTheKeyColourByTheBrush)
{
  const Owned<TBitmap> glyph = NewBitmap(2, 1, pf24bit);
  glyph->GetCanvas()->SetPixel(0, 0, clFuchsia);
  glyph->GetCanvas()->SetPixel(1, 0, clNavy);
  TSurface surface(2, 2, AsPixel(clLime));
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(surface.DC());
  canvas->GetBrush()->SetColor(clYellow);
  canvas->BrushCopy(TRect{0, 0, 2, 1}, glyph.get(), TRect{0, 0, 2, 1}, clFuchsia);
  EXPECT_EQ(surface.Pixel(0, 0), AsPixel(clYellow));
  EXPECT_EQ(surface.Pixel(1, 0), AsPixel(clNavy));
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->BrushCopy(TRect{0, 1, 2, 2}, glyph.get(), TRect{0, 0, 2, 1}, clFuchsia);
  EXPECT_EQ(surface.Pixel(0, 1), AsPixel(clLime));
  EXPECT_EQ(surface.Pixel(1, 1), AsPixel(clNavy));
  canvas->SetHandle(nullptr);
}

TEST(GraphicsBitmap, ClipboardFormatsCarryThePixels)
{
  const Owned<TBitmap> bitmap = NewBitmap(3, 2, pf24bit);
  bitmap->GetCanvas()->SetPixel(2, 1, clRed);
  WORD format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  bitmap->SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, CF_BITMAP);
  ASSERT_NE(data, nullptr);

  const Owned<TBitmap> pasted(rtl::New<TBitmap>());
  pasted->LoadFromClipboardFormat(CF_BITMAP, data, nullptr);
  EXPECT_EQ(pasted->GetHandleType(), bmDIB);
  EXPECT_EQ(pasted->GetCanvas()->GetPixel(2, 1), clRed);
  EXPECT_EQ(GetObjectType(data), static_cast<DWORD>(OBJ_BITMAP)) << "the clipboard's bitmap stays the clipboard's";

  const Owned<TPicture> picture(rtl::New<TPicture>());
  picture->LoadFromClipboardFormat(CF_BITMAP, data, nullptr);
  ASSERT_TRUE(rtl::Is<TBitmap>(picture->GetGraphic()));
  EXPECT_EQ(picture->GetWidth(), 3);
  EXPECT_THROW(picture->LoadFromClipboardFormat(CF_TEXT, data, nullptr), EInvalidGraphic);
  DeleteObject(data);

  // CF_DIB: the file without its file header, in global memory.
  const std::vector<std::uint8_t> file = Saved(bitmap.get());
  const HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, file.size() - sizeof(BITMAPFILEHEADER));
  std::memcpy(GlobalLock(global), file.data() + sizeof(BITMAPFILEHEADER), file.size() - sizeof(BITMAPFILEHEADER));
  GlobalUnlock(global);
  const Owned<TBitmap> fromDib(rtl::New<TBitmap>());
  fromDib->LoadFromClipboardFormat(CF_DIB, global, nullptr);
  EXPECT_EQ(fromDib->GetCanvas()->GetPixel(2, 1), clRed);
  GlobalFree(global);
}

TEST(GraphicsBitmap, NoGdiObjectOutlivesTheBitmap)
{
  const DWORD before = vcltest::GdiObjectCount();
  for (int i = 0; i < 30; ++i) {
    std::vector<HGDIOBJ> made;
    TBitmap* bitmap = rtl::New<TBitmap>();
    bitmap->SetPixelFormat(i % 2 ? pf32bit : pfDevice);
    bitmap->SetSize(8, 8);
    made.push_back(bitmap->GetHandle());
    bitmap->GetCanvas()->Rectangle(0, 0, 4, 4);
    made.push_back(bitmap->GetCanvas()->GetHandle());
    bitmap->SetTransparent(true);
    made.push_back(bitmap->GetMaskHandle());
    bitmap->Dormant();
    bitmap->SetSize(9, 9);
    made.push_back(bitmap->GetHandle());
    made.push_back(bitmap->GetMaskHandle());
    TBitmap* copy = rtl::New<TBitmap>();
    copy->Assign(bitmap);
    made.push_back(copy->GetHandle());
    made.push_back(copy->GetCanvas()->GetHandle());
    rtl::Free(copy);
    rtl::Free(bitmap);
    for (HGDIOBJ object : made)
      ASSERT_EQ(GetObjectType(object), 0u) << "pass " << i;
  }
  EXPECT_EQ(vcltest::GdiObjectCount(), before);
}

}  // namespace
