#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/vcl/Graphics.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"
#include "tests/support/TestMutation.h"

using enum vcl::TPenStyle;
using enum vcl::TPixelFormat;

using namespace vcl;
using vcltest::AsPixel;
using vcltest::TSurface;

namespace {

template <class T>
using Owned = rtl::TOwnedPtr<T>;

// A graphic class of a codec registered by the system.
class TTestImage : public TBitmap {
  RTL_CLASS(TTestImage, TBitmap)
};

class TTestImageKind : public TTestImage {
  RTL_CLASS(TTestImageKind, TTestImage)
};

Owned<rtl::TMemoryStream> SavedStream(TGraphic* AGraphic)
{
  Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  AGraphic->SaveToStream(stream.get());
  stream->SetPosition(0);
  return stream;
}

String TempFile(const wchar_t* AName)
{
  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  return String(path) + AName;
}

TEST(GraphicsPicture, FilterListsTheRegisteredFormatsInOrder)
{
  EXPECT_EQ(GraphicFilter(TGraphicClass::Of<TGraphic>()),
            L"All (*.wmf;*.emf;*.ico;*.bmp)|*.wmf;*.emf;*.ico;*.bmp|Metafiles (*.wmf)|*.wmf|"
            L"Enhanced Metafiles (*.emf)|*.emf|Icons (*.ico)|*.ico|Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicFilter(TGraphicClass::Of<TIcon>()), L"Icons (*.ico)|*.ico") << "no All entry for one format";
  EXPECT_EQ(GraphicExtension(TGraphicClass::Of<TMetafile>()), L"wmf");

  TPicture::RegisterFileFormat(L"tst", L"Test images", TGraphicClass::Of<TTestImage>());
  TPicture::RegisterFileFormat(L"tsk", L"Test kinds", TGraphicClass::Of<TTestImageKind>());
  TPicture::RegisterFileFormat(L"", L"Hidden", TGraphicClass::Of<TTestImage>());
  TPicture::RegisterClipboardFormat(0xC123, TGraphicClass::Of<TTestImage>());
  EXPECT_EQ(GraphicFilter(TGraphicClass::Of<TBitmap>()),
            L"All (*.bmp;*.tst;*.tsk)|*.bmp;*.tst;*.tsk|Bitmaps (*.bmp)|*.bmp|Test images (*.tst)|*.tst|"
            L"Test kinds (*.tsk)|*.tsk");
  EXPECT_EQ(GraphicFilter(TGraphicClass::Of<TTestImageKind>()), L"Test kinds (*.tsk)|*.tsk");
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(0xC123));

  TPicture::UnregisterGraphicClass(TGraphicClass::Of<TTestImage>());
  EXPECT_EQ(GraphicFilter(TGraphicClass::Of<TBitmap>()), L"Bitmaps (*.bmp)|*.bmp") << "descendants go too";
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(0xC123));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
}

TEST(GraphicsPicture, FilesLoadThroughTheClassOfTheirExtension)
{
  const String fileName = TempFile(L"kv_picture_test.BMP");
  {
    const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(3, 2);
    bitmap->GetCanvas()->SetPixel(1, 1, clRed);
    bitmap->SaveToFile(fileName);
  }
  const Owned<TPicture> picture(rtl::New<TPicture>());
  picture->LoadFromFile(fileName);
  ASSERT_TRUE(rtl::Is<TBitmap>(picture->GetGraphic()));
  EXPECT_EQ(picture->GetWidth(), 3);
  EXPECT_EQ(picture->GetBitmap()->GetCanvas()->GetPixel(1, 1), clRed);

  // The latest registration of an extension wins.
  TPicture::RegisterFileFormat(L"bmp", L"Test images", TGraphicClass::Of<TTestImage>());
  picture->LoadFromFile(fileName);
  EXPECT_EQ(picture->GetGraphic()->ClassType(), TTestImage::StaticClass());
  TPicture::UnregisterGraphicClass(TGraphicClass::Of<TTestImage>());
  DeleteFileW(fileName.c_str());

  try {
    picture->LoadFromFile(L"C:\\folder.with.dots\\image.xyz");
    ADD_FAILURE() << "an unknown extension must raise";
  } catch (const EInvalidGraphic& E) {
    EXPECT_EQ(E.Message(), L"Unknown picture file extension (.xyz)");
  }
  EXPECT_THROW(picture->LoadFromFile(L"C:\\folder.bmp\\noextension"), EInvalidGraphic);
}

TEST(GraphicsPicture, GraphicIsCopiedAndTheTypedGettersReplaceOtherClasses)
{
  const Owned<TPicture> picture(rtl::New<TPicture>());
  EXPECT_EQ(picture->GetGraphic(), nullptr);
  const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->SetSize(5, 6);
  picture->SetGraphic(bitmap.get());
  ASSERT_NE(picture->GetGraphic(), bitmap.get());
  EXPECT_EQ(picture->GetHeight(), 6);

  TIcon* icon = picture->GetIcon();
  EXPECT_TRUE(icon->GetEmpty());
  EXPECT_EQ(picture->GetGraphic(), icon);
  EXPECT_EQ(picture->GetIcon(), icon) << "the same class stays";

  const Owned<TPicture> other(rtl::New<TPicture>());
  other->Assign(picture.get());
  EXPECT_TRUE(rtl::Is<TIcon>(other->GetGraphic()));
  other->SetGraphic(nullptr);
  EXPECT_EQ(other->GetGraphic(), nullptr);
}

// A 16 x 16 icon: red on the left half, blue on the right, with a
// transparent top row (mask set, colour black).
HICON MakeIcon()
{
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const TOwnedBitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      pixels[y * 16 + x] = y == 0 ? 0 : x < 8 ? 0x00FF0000 : 0x000000FF;
  std::uint8_t maskBits[16 * 2] = {};
  maskBits[0] = 0xFF;
  maskBits[1] = 0xFF;
  const TOwnedBitmap mask(CreateBitmap(16, 16, 1, 1, maskBits));
  ICONINFO iconInfo{TRUE, 0, 0, mask.Get(), color.Get()};
  return CreateIconIndirect(&iconInfo);
}

TEST(GraphicsIcon, HandleSavesAsAnIconFileThatLoadsAndDrawsTheSame)
{
  const Owned<TIcon> icon(rtl::New<TIcon>());
  EXPECT_TRUE(icon->GetEmpty());
  icon->SetHandle(MakeIcon());
  EXPECT_EQ(icon->GetWidth(), 16);
  EXPECT_EQ(icon->GetHeight(), 16);
  EXPECT_TRUE(icon->GetTransparent());
  EXPECT_THROW(icon->SetWidth(32), EInvalidGraphicOperation);

  const Owned<rtl::TMemoryStream> stream = SavedStream(icon.get());
  const Owned<TIcon> loaded(rtl::New<TIcon>());
  loaded->LoadFromStream(stream.get());
  EXPECT_EQ(loaded->GetWidth(), 16);

  for (TIcon* drawn : {icon.get(), loaded.get()}) {
    TSurface surface(16, 16, AsPixel(clLime));
    const Owned<TCanvas> canvas(rtl::New<TCanvas>());
    canvas->SetHandle(surface.DC());
    canvas->Draw(0, 0, drawn);
    EXPECT_EQ(surface.Pixel(2, 0), AsPixel(clLime)) << "masked row";
    EXPECT_EQ(surface.Pixel(2, 8), AsPixel(clRed));
    EXPECT_EQ(surface.Pixel(12, 8), AsPixel(clBlue));
    canvas->SetHandle(nullptr);
  }

  // A loaded file is saved back byte for byte.
  const Owned<rtl::TMemoryStream> again = SavedStream(loaded.get());
  ASSERT_EQ(again->GetSize(), stream->GetSize());
  EXPECT_EQ(std::memcmp(again->Memory(), stream->Memory(), static_cast<std::size_t>(stream->GetSize())), 0);

  // Into a bitmap: 32-bit pixels, the masked row left transparent black.
  const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
  bitmap->Assign(loaded.get());
  EXPECT_EQ(bitmap->GetPixelFormat(), pf32bit);
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(12, 8), clBlue);
  EXPECT_EQ(static_cast<std::uint32_t*>(bitmap->ScanLine(0))[2] & 0xFFFFFF, 0u);
}

TEST(GraphicsIcon, StreamsThatAreNoIconFilesRaise)
{
  const std::vector<std::vector<std::uint8_t>> cases = {
      {},
      {0, 0, 2, 0, 1, 0},                                                          // a cursor file
      {0, 0, 1, 0, 1, 0},                                                          // entry missing
      {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0xFF, 0xFF, 0, 0, 22, 0, 0, 0}, // image beyond the end
  };
  for (const auto& data : cases) {
    const Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
    if (!data.empty())
      stream->WriteBuffer(data.data(), static_cast<int>(data.size()));
    stream->SetPosition(0);
    const Owned<TIcon> icon(rtl::New<TIcon>());
    EXPECT_THROW(icon->LoadFromStream(stream.get()), EInvalidGraphic) << data.size();
  }
}

TEST(GraphicsMetafile, RecordedDrawingReplaysAfterEnhancedAndWindowsRoundTrips)
{
  const Owned<TMetafile> metafile(rtl::New<TMetafile>());
  EXPECT_TRUE(metafile->GetEmpty());
  metafile->SetWidth(40);
  metafile->SetHeight(40);
  {
    const Owned<TMetafileCanvas> canvas(rtl::New<TMetafileCanvas>(metafile.get(), nullptr));
    canvas->GetBrush()->SetColor(clRed);
    canvas->GetPen()->SetStyle(psClear);
    canvas->Rectangle(0, 0, 41, 41);
  }
  ASSERT_FALSE(metafile->GetEmpty());
  EXPECT_NEAR(metafile->GetWidth(), 40, 1);

  for (bool enhanced : {true, false}) {
    metafile->SetEnhanced(enhanced);
    const Owned<rtl::TMemoryStream> stream = SavedStream(metafile.get());
    ASSERT_GT(stream->GetSize(), 0);
    const Owned<TMetafile> loaded(rtl::New<TMetafile>());
    loaded->LoadFromStream(stream.get());
    EXPECT_EQ(loaded->GetEnhanced(), enhanced);
    EXPECT_NEAR(loaded->GetMMWidth(), metafile->GetMMWidth(), 30);

    TSurface surface(40, 40);
    const Owned<TCanvas> canvas(rtl::New<TCanvas>());
    canvas->SetHandle(surface.DC());
    canvas->StretchDraw(TRect{0, 0, 40, 40}, loaded.get());
    EXPECT_EQ(surface.Pixel(20, 20), AsPixel(clRed)) << enhanced;
    canvas->SetHandle(nullptr);
  }

  const Owned<rtl::TMemoryStream> junk(rtl::New<rtl::TMemoryStream>());
  junk->WriteBuffer("not a metafile at all, really", 29);
  junk->SetPosition(0);
  EXPECT_THROW(metafile->LoadFromStream(junk.get()), EInvalidGraphic);
}

TEST(GraphicsMetafile, ABitmapOfAMetafileWithAnInvertedFrameIsEmpty)
{
  // A file's frame may have its right or bottom edge before the other one;
  // the bitmap made from it must not take the negative size.
  for (const TSize& size : {TSize{-1000, 1000}, TSize{1000, -1000}, TSize{-1000, -1000}}) {
    const Owned<TMetafile> metafile(rtl::New<TMetafile>());
    {
      const Owned<TMetafileCanvas> canvas(rtl::New<TMetafileCanvas>(metafile.get(), nullptr));
      canvas->Rectangle(0, 0, 41, 41);
    }
    metafile->SetMMWidth(size.cx);
    metafile->SetMMHeight(size.cy);
    const Owned<TBitmap> bitmap(rtl::New<TBitmap>());
    bitmap->Assign(metafile.get());
    EXPECT_TRUE(bitmap->GetEmpty()) << size.cx << " " << size.cy;
    EXPECT_GE(bitmap->GetWidth(), 0);
    EXPECT_GE(bitmap->GetHeight(), 0);
  }
}

// An enhanced metafile of one rectangle whose header claims AFrame.
std::vector<std::uint8_t> EnhancedFileWithFrame(const RECTL& AFrame)
{
  const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 0, 0, 10, 10);
  const TOwnedEnhMetafile recorded(CloseEnhMetaFile(dc));
  std::vector<std::uint8_t> data(GetEnhMetaFileBits(recorded.Get(), 0, nullptr));
  GetEnhMetaFileBits(recorded.Get(), static_cast<UINT>(data.size()), data.data());
  std::memcpy(data.data() + offsetof(ENHMETAHEADER, rclFrame), &AFrame, sizeof(AFrame));
  return data;
}

TEST(GraphicsMetafile, FramesTooWideForTheSizeAreClampedNotWrapped)
{
  const RECTL frames[] = {{-2, 0, INT32_MAX, 100}, {0, INT32_MIN, 100, 1}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}};
  for (const RECTL& frame : frames) {
    const std::vector<std::uint8_t> data = EnhancedFileWithFrame(frame);
    const Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
    stream->WriteBuffer(data.data(), static_cast<int>(data.size()));
    stream->SetPosition(0);
    const Owned<TMetafile> metafile(rtl::New<TMetafile>());
    metafile->LoadFromStream(stream.get());
    EXPECT_GT(metafile->GetMMWidth(), 0) << frame.left << " " << frame.right;
    EXPECT_GT(metafile->GetMMHeight(), 0) << frame.top << " " << frame.bottom;
  }
}

TEST(GraphicsGraphic, EqualsComparesClassAndContents)
{
  const Owned<TBitmap> a(rtl::New<TBitmap>());
  const Owned<TBitmap> b(rtl::New<TBitmap>());
  const Owned<TIcon> icon(rtl::New<TIcon>());
  EXPECT_TRUE(a->Equals(b.get())) << "both empty";
  EXPECT_FALSE(a->Equals(icon.get()));
  a->SetPixelFormat(pf24bit);
  a->SetSize(2, 2);
  b->Assign(a.get());
  EXPECT_TRUE(a->Equals(b.get()));
  b->GetCanvas()->SetPixel(0, 0, clRed);
  EXPECT_FALSE(a->Equals(b.get()));
  EXPECT_FALSE(a->Equals(nullptr));
}


// ---------------------------------------------------------------------------
// Damaged files: the system's decoders never see them

Owned<rtl::TMemoryStream> StreamOf(const std::vector<std::uint8_t>& ABytes)
{
  Owned<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  if (!ABytes.empty())
    stream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
  stream->SetPosition(0);
  return stream;
}

std::vector<std::uint8_t> SavedBytes(TGraphic* AGraphic)
{
  const Owned<rtl::TMemoryStream> stream = SavedStream(AGraphic);
  const auto* bytes = static_cast<const std::uint8_t*>(stream->Memory());
  return std::vector<std::uint8_t>(bytes, bytes + stream->GetSize());
}

TEST(GraphicsReaders, DamagedIconsAndMetafilesRaiseInvalidGraphic)
{
  struct {
    const char* File;
    TGraphicClass Class;
  } const cases[] = {
      {"icon-inner-height-oob-min.bin", TGraphicClass::Of<TIcon>()},
      {"meta-emf-zero-size-record-hang.bin", TGraphicClass::Of<TMetafile>()},
      {"meta-emf-playback-write-av.bin", TGraphicClass::Of<TMetafile>()},
      {"meta-emf-exttextout-wild-read.bin", TGraphicClass::Of<TMetafile>()},
      {"meta-emf-nbytes-zero-saves-nothing.bin", TGraphicClass::Of<TMetafile>()},
      {"meta-wmf-load-crash-min.bin", TGraphicClass::Of<TMetafile>()},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> data = kvtest::ReadFixture(std::string(KV_FIXTURES_DIR "/") + c.File);
    ASSERT_FALSE(data.empty()) << c.File;
    const Owned<TGraphic> graphic(c.Class.Create());
    EXPECT_THROW(graphic->LoadFromStream(StreamOf(data).get()), EInvalidGraphic) << c.File;
    EXPECT_TRUE(graphic->GetEmpty()) << c.File;
  }
}

// A metafile with the records whose offsets and counts the checks follow:
// text with advances, polygons, a bitmap, a pattern brush, a region and a
// pen with a style, as GDI itself records them. Wine converts a blit of a
// bitmap into a Windows metafile without its bits: such a file is refused.
std::vector<std::uint8_t> RichEnhancedFile(bool ABlit)
{
  const HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  const INT advances[] = {6, 6, 6};
  ExtTextOutW(dc, 1, 1, 0, nullptr, L"abc", 3, advances);
  TextOutA(dc, 1, 20, "xyz", 3);
  const POINT points[] = {{0, 0}, {30, 0}, {30, 30}, {0, 30}, {5, 5}, {10, 5}, {10, 10}};
  Polygon(dc, points, 4);
  const INT counts[] = {4, 3};
  PolyPolygon(dc, points, counts, 2);
  Polyline(dc, points, 7);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const std::uint32_t pixels[16] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  if (ABlit)
    StretchDIBits(dc, 0, 0, 8, 8, 0, 0, 4, 4, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
  const TOwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, nullptr));
  const TOwnedBrush brush(CreatePatternBrush(pattern.Get()));
  const TOwnedRegion region(CreateRectRgn(2, 2, 12, 12));
  FillRgn(dc, region.Get(), brush.Get());
  const LOGBRUSH penBrush{BS_SOLID, RGB(1, 2, 3), 0};
  const DWORD style[] = {3, 1};
  const TOwnedPen pen(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &penBrush, 2, style));
  const HGDIOBJ old = SelectObject(dc, pen.Get());
  LineTo(dc, 40, 40);
  SelectObject(dc, old);
  const TOwnedEnhMetafile recorded(CloseEnhMetaFile(dc));
  std::vector<std::uint8_t> data(GetEnhMetaFileBits(recorded.Get(), 0, nullptr));
  GetEnhMetaFileBits(recorded.Get(), static_cast<UINT>(data.size()), data.data());
  return data;
}

TEST(GraphicsReaders, MetafilesGDIRecordsLoadAndSaveWhole)
{
  const Owned<TMetafile> metafile(rtl::New<TMetafile>());
  const std::vector<std::uint8_t> enhanced = RichEnhancedFile(true);
  metafile->LoadFromStream(StreamOf(enhanced).get());
  EXPECT_EQ(SavedBytes(metafile.get()), enhanced);

  // Saved as a Windows metafile and read back, which carries the enhanced
  // one in comments.
  metafile->LoadFromStream(StreamOf(RichEnhancedFile(false)).get());
  metafile->SetEnhanced(false);
  const std::vector<std::uint8_t> windows = SavedBytes(metafile.get());
  const Owned<TMetafile> loaded(rtl::New<TMetafile>());
  loaded->LoadFromStream(StreamOf(windows).get());
  EXPECT_FALSE(loaded->GetEnhanced());
  EXPECT_EQ(SavedBytes(loaded.get()), windows);

  // Bytes after the end of the records are no part of the metafile.
  std::vector<std::uint8_t> trailing = enhanced;
  trailing.resize(trailing.size() + 16, 0xEE);
  loaded->LoadFromStream(StreamOf(trailing).get());
  EXPECT_EQ(SavedBytes(loaded.get()), enhanced);
}

// Loads a damaged file; what loads must draw and save, and what it saves
// must load again to the same bytes.
template <class T>
void LoadDamaged(const std::vector<std::uint8_t>& AData, int AIteration)
{
  const Owned<T> graphic(rtl::New<T>());
  try {
    graphic->LoadFromStream(StreamOf(AData).get());
  } catch (const EInvalidGraphic&) {
    return;
  }
  TSurface surface(8, 8);
  const Owned<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(surface.DC());
  canvas->StretchDraw(TRect{0, 0, 8, 8}, graphic.get());
  canvas->SetHandle(nullptr);
  const std::vector<std::uint8_t> saved = SavedBytes(graphic.get());
  ASSERT_FALSE(saved.empty()) << AIteration;
  const Owned<T> again(rtl::New<T>());
  try {
    again->LoadFromStream(StreamOf(saved).get());
  } catch (const EInvalidGraphic& E) {
    FAIL() << AIteration << ": what was saved does not load: " << E.Message();
  }
  EXPECT_EQ(SavedBytes(again.get()), saved) << AIteration;
}

TEST(GraphicsReaders, MutatedIconsNeitherCrashNorChangeOnARoundTrip)
{
  const Owned<TIcon> icon(rtl::New<TIcon>());
  icon->SetHandle(MakeIcon());
  const std::vector<std::uint8_t> valid = SavedBytes(icon.get());
  kvtest::TTestMutator mutator(41);
  for (int i = 0; i < 1500; ++i)
    LoadDamaged<TIcon>(mutator.Mutate(valid), i);
}

TEST(GraphicsReaders, MutatedMetafilesNeitherCrashNorHangNorChangeOnARoundTrip)
{
  const Owned<TMetafile> metafile(rtl::New<TMetafile>());
  const std::vector<std::uint8_t> enhanced = RichEnhancedFile(true);
  metafile->LoadFromStream(StreamOf(RichEnhancedFile(false)).get());
  metafile->SetEnhanced(false);
  const std::vector<std::uint8_t> windows = SavedBytes(metafile.get());
  kvtest::TTestMutator mutator(41);
  for (int i = 0; i < 2000; ++i)
    LoadDamaged<TMetafile>(mutator.Mutate(i % 2 ? windows : enhanced), i);
}

}  // namespace
