// Raster codecs: signatures and header probes on crafted bytes, and every
// format encoded, detected, loaded, drawn and saved again with images the
// tests make themselves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/dxGDIPlusClassesImages.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"
#include "tests/support/TestMutation.h"

using enum vcl::TAlphaFormat;

namespace {

using rtl::TOwnedPtr;
using TBytes = std::vector<std::uint8_t>;

TOwnedPtr<rtl::TBytesStream> RasterStreamOf(const TBytes& ABytes)
{
  return TOwnedPtr<rtl::TBytesStream>(rtl::New<rtl::TBytesStream>(ABytes));
}

TBytes RasterBytesOf(rtl::TStream* AStream)
{
  TBytes result(static_cast<std::size_t>(AStream->GetSize()));
  AStream->SetPosition(0);
  if (!result.empty())
    AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

TBytes Text(const std::string& AText)
{
  return TBytes(AText.begin(), AText.end());
}

TBytes Join(std::initializer_list<TBytes> AParts)
{
  TBytes result;
  for (const TBytes& part : AParts)
    result.insert(result.end(), part.begin(), part.end());
  return result;
}

TBytes LE16(unsigned AValue) { return {static_cast<std::uint8_t>(AValue), static_cast<std::uint8_t>(AValue >> 8)}; }
TBytes BE16(unsigned AValue) { return {static_cast<std::uint8_t>(AValue >> 8), static_cast<std::uint8_t>(AValue)}; }
TBytes LE32(std::uint32_t AValue) { return Join({LE16(AValue & 0xFFFF), LE16(AValue >> 16)}); }
TBytes BE32(std::uint32_t AValue) { return Join({BE16(AValue >> 16), BE16(AValue & 0xFFFF)}); }
TBytes Zeros(int ACount) { return TBytes(ACount, 0); }

// The test pattern: a 6 x 4 image, left half red, right half blue, and the
// bottom row green; all opaque. $AARRGGBB.
constexpr int PatternWidth = 6;
constexpr int PatternHeight = 4;

std::uint32_t PatternColor(int X, int Y)
{
  if (Y == PatternHeight - 1)
    return 0xFF00FF00;
  return X < PatternWidth / 2 ? 0xFFFF0000 : 0xFF0000FF;
}

TRGBColors PatternBits()
{
  TRGBColors result;
  for (int y = 0; y < PatternHeight; ++y)
    for (int x = 0; x < PatternWidth; ++x) {
      const std::uint32_t color = PatternColor(x, y);
      RGBQUAD pixel;
      std::memcpy(&pixel, &color, sizeof(pixel));
      result.push_back(pixel);
    }
  return result;
}

// The pattern encoded by a codec.
TBytes EncodedPattern(TdxSmartImageCodecClass ACodec)
{
  const TRGBColors bits = PatternBits();
  TOwnedPtr<TdxGPImageHandle> handle(rtl::NewWith<TdxGPImageHandle>(
      [&](TdxGPImageHandle* H) { H->CreateFromBits(PatternWidth, PatternHeight, bits, afPremultiplied); }));
  auto stream = RasterStreamOf({});
  EXPECT_TRUE(ACodec->Save(stream.get(), handle.get())) << ACodec->ClassName();
  return RasterBytesOf(stream.get());
}

// A 32-bit top-down DIB section to draw into; pixels read as $AARRGGBB.
class TRasterTestSurface {
 public:
  TRasterTestSurface(int AWidth, int AHeight) : FWidth(AWidth)
  {
    BITMAPINFO info{};
    dxInitBitmapInfoHeader32(info.bmiHeader, AWidth, AHeight, true);
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FDC = CreateCompatibleDC(nullptr);
    FOld = SelectObject(FDC, FBitmap);
    std::memset(FBits, 0xFF, static_cast<std::size_t>(AWidth) * AHeight * 4);
  }
  ~TRasterTestSurface()
  {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TRasterTestSurface(const TRasterTestSurface&) = delete;
  TRasterTestSurface& operator=(const TRasterTestSurface&) = delete;

  HDC DC() const { return FDC; }
  std::uint32_t Pixel(int X, int Y) const
  {
    GdiFlush();
    return FBits[Y * FWidth + X] & 0x00FFFFFF;
  }

 private:
  int FWidth;
  HBITMAP FBitmap = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
  std::uint32_t* FBits = nullptr;
};

bool RunsUnderWine()
{
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

bool Near(std::uint32_t A, std::uint32_t B, int ATolerance)
{
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

class RasterImageTest : public testing::Test {
 protected:
  void SetUp() override
  {
    if (!dxGpIsAvailable() || TdxSmartImageCodecsRepository::Count() == 0)
      GTEST_SKIP() << "the 2-D graphics library is not available";
  }

  static TOwnedPtr<TdxCustomSmartImage> Loaded(const TBytes& ABytes)
  {
    TOwnedPtr<TdxCustomSmartImage> image(rtl::New<TdxCustomSmartImage>());
    image->LoadFromStream(RasterStreamOf(ABytes).get());
    return image;
  }
};

// ---------------------------------------------------------------------------
// Registration, signatures and probes

TEST_F(RasterImageTest, CodecsAreRegisteredInTheirOrder)
{
  const auto codecs = dxGpRasterImageCodecs();
  ASSERT_EQ(TdxSmartImageCodecsRepository::Count(), static_cast<int>(codecs.size()));
  for (int i = 0; i < TdxSmartImageCodecsRepository::Count(); ++i)
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetItem(i), codecs[i]) << i;
  struct {
    const wchar_t* Ext;
    TdxSmartImageCodecClass Codec;
  } byExt[] = {{L".bmp", TdxGPImageCodecBMP::Class()}, {L".JPG", TdxGPImageCodecJPG::Class()},
               {L".jpeg", TdxGPImageCodecJPEG::Class()}, {L".tif", TdxGPImageCodecTIF::Class()},
               {L".PNG", TdxGPImageCodecPNG::Class()}, {L".svg", nullptr}, {L"", nullptr}};
  for (const auto& c : byExt)
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(c.Ext), c.Codec) << c.Ext;
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImageJpeg), TdxGPImageCodecJPG::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImageTiff), TdxGPImageCodecTIF::Class());
  EXPECT_EQ(TdxGPImageCodecTIFF::Class()->Description(), L"TIFF graphics from Quorvane");
  EXPECT_EQ(TdxGPImageCodecTIF::Class()->Description(), L"");
}

TEST_F(RasterImageTest, SignaturesOfCraftedBytes)
{
  struct {
    const char* Name;
    TBytes Bytes;
    TdxSmartImageCodecClass Expected;
  } cases[] = {
      {"bitmap", Join({Text("BM"), Zeros(20)}), TdxGPImageCodecBMP::Class()},
      {"GIF89a", Join({Text("GIF89a"), Zeros(4)}), TdxGPImageCodecGIF::Class()},
      {"GIF87a", Text("GIF87a"), TdxGPImageCodecGIF::Class()},
      {"7 bytes starting GIF89", Join({Text("GIF89"), Zeros(2)}), nullptr},
      {"5 bytes GIF89", Text("GIF89"), nullptr},
      {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0}, TdxGPImageCodecJPG::Class()},
      {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, TdxGPImageCodecPNG::Class()},
      {"PNG without its last byte", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, nullptr},
      {"Intel TIFF", {'I', 'I', '*', 0}, TdxGPImageCodecTIF::Class()},
      {"Motorola TIFF", {'M', 'M', 0, '*'}, TdxGPImageCodecTIF::Class()},
      {"EMF", Join({LE32(1), LE32(108), Zeros(32), Text(" EMF")}), nullptr},
      {"empty", {}, nullptr},
  };
  for (const auto& c : cases) {
    auto stream = RasterStreamOf(Join({Zeros(3), c.Bytes}));
    stream->SetPosition(3);
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(stream.get()), c.Expected) << c.Name;
    EXPECT_EQ(stream->GetPosition(), 3) << c.Name;
  }
}

TEST_F(RasterImageTest, HeaderProbesOfCraftedBytes)
{
  const TBytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const TBytes jpegStart = {0xFF, 0xD8};
  const TBytes app0 = Join({BE16(0xFFE0), BE16(16), Zeros(14)});
  struct {
    const char* Name;
    TBytes Bytes;
    bool Found;
    TSize Size;
    TdxSmartImageCodecClass Codec;
  } cases[] = {
      {"bitmap with a core header", Join({Text("BM"), Zeros(12), LE32(12), LE16(640), LE16(480)}), true, {640, 480},
       TdxGPImageCodecBMP::Class()},
      {"top-down bitmap", Join({Text("BM"), Zeros(12), LE32(40), LE32(33), LE32(0xFFFFFFF0)}), true, {33, -16},
       TdxGPImageCodecBMP::Class()},
      {"truncated bitmap", Join({Text("BM"), Zeros(12), LE32(40), LE32(33)}), false, {}, nullptr},
      {"GIF", Join({Text("GIF89a"), LE16(300), LE16(2)}), true, {300, 2}, TdxGPImageCodecGIF::Class()},
      {"PNG of 300 x 200", Join({png, BE32(13), Text("IHDR"), BE32(300), BE32(200), Zeros(5)}), true, {300, 200},
       TdxGPImageCodecPNG::Class()},
      {"PNG without IHDR", Join({png, BE32(7), BE32(9), Zeros(8)}), true, {7, 9}, TdxGPImageCodecPNG::Class()},
      {"baseline JPEG", Join({jpegStart, app0, BE16(0xFFC0), BE16(17), {8}, BE16(120), BE16(160), Zeros(12)}), true,
       {160, 120}, TdxGPImageCodecJPG::Class()},
      {"JPEG with restart markers",
       Join({jpegStart, BE16(0xFFDD), BE16(4), BE16(8), BE16(0xFFD0), BE16(0xFFC3), BE16(17), {8}, BE16(5),
             BE16(6)}),
       true, {6, 5}, TdxGPImageCodecJPG::Class()},
      {"progressive JPEG", Join({jpegStart, app0, BE16(0xFFC2), BE16(17), {8}, BE16(120), BE16(160), Zeros(12)}),
       false, {}, nullptr},
      {"JPEG ending early", Join({jpegStart, app0, BE16(0xFFD9)}), false, {}, nullptr},
      {"JPEG with a broken marker", Join({jpegStart, BE16(0x1234)}), false, {}, nullptr},
      {"big-endian TIFF, SHORT width and LONG height",
       Join({{'M', 'M', 0, '*'}, BE32(12), Zeros(4), BE16(3), BE16(254), BE16(4), BE32(1), BE32(0), BE16(256),
             BE16(3), BE32(1), BE16(321), Zeros(2), BE16(257), BE16(4), BE32(1), BE32(70000)}),
       true, {321, 70000}, TdxGPImageCodecTIF::Class()},
      {"little-endian TIFF", Join({{'I', 'I', '*', 0}, LE32(8), LE16(2), LE16(257), LE16(3), LE32(1), LE16(5),
                                   Zeros(2), LE16(256), LE16(4), LE32(1), LE32(9)}),
       true, {9, 5}, TdxGPImageCodecTIF::Class()},
      {"TIFF without a height", Join({{'I', 'I', '*', 0}, LE32(8), LE16(1), LE16(256), LE16(4), LE32(1), LE32(9)}),
       false, {}, nullptr},
      {"TIFF whose directory lies outside", Join({{'I', 'I', '*', 0}, LE32(0x7FFFFFF0)}), false, {}, nullptr},
  };
  for (const auto& c : cases) {
    auto stream = RasterStreamOf(c.Bytes);
    TSize size{};
    TdxSmartImageCodecClass codec = nullptr;
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetImageInfo(stream.get(), size, codec), c.Found) << c.Name;
    EXPECT_EQ(codec, c.Codec) << c.Name;
    if (c.Found) {
      EXPECT_EQ(size.cx, c.Size.cx) << c.Name;
      EXPECT_EQ(size.cy, c.Size.cy) << c.Name;
      EXPECT_NE(stream->GetPosition(), 0) << c.Name;
    }
  }
}

// ---------------------------------------------------------------------------
// Each format made, detected, loaded, drawn and saved again

TEST_F(RasterImageTest, EachFormatRoundTrips)
{
  struct {
    TdxSmartImageCodecClass Codec;
    TdxImageDataFormat Format;
    TdxSmartImageCodecClass Detected;
    int Tolerance;
  } cases[] = {
      {TdxGPImageCodecBMP::Class(), dxImageBitmap, TdxGPImageCodecBMP::Class(), 0},
      {TdxGPImageCodecPNG::Class(), dxImagePng, TdxGPImageCodecPNG::Class(), 0},
      {TdxGPImageCodecJPEG::Class(), dxImageJpeg, TdxGPImageCodecJPG::Class(), 60},
      {TdxGPImageCodecGIF::Class(), dxImageGif, TdxGPImageCodecGIF::Class(), 8},
      {TdxGPImageCodecTIFF::Class(), dxImageTiff, TdxGPImageCodecTIF::Class(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Codec->ClassName());
    const TBytes bytes = EncodedPattern(c.Codec);
    ASSERT_FALSE(bytes.empty());
    auto stream = RasterStreamOf(bytes);
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(stream.get()), c.Detected);

    auto image = Loaded(bytes);
    EXPECT_EQ(image->GetWidth(), PatternWidth);
    EXPECT_EQ(image->GetHeight(), PatternHeight);
    // Bitmaps are kept as pixels; the other formats are measured from their
    // header without decoding.
    EXPECT_FALSE(image->HandleAllocated());

    // Wine's GIF decoder refuses what its own GIF encoder wrote; the image
    // then reports the format as unsupported, as any undecodable data.
    if (c.Format == dxImageGif && RunsUnderWine()) {
      EXPECT_THROW(image->GetImageHandle(), EdxException);
      continue;
    }
    TRasterTestSurface surface(PatternWidth, PatternHeight);
    image->StretchDraw(surface.DC(), TRect{0, 0, PatternWidth, PatternHeight});
    for (auto [x, y] : {std::pair{0, 0}, std::pair{5, 0}, std::pair{1, 3}})
      if (c.Format != dxImageJpeg || y == 0) {
        EXPECT_TRUE(Near(surface.Pixel(x, y), PatternColor(x, y) & 0xFFFFFF, c.Tolerance))
            << x << "," << y << ": " << std::hex << surface.Pixel(x, y);
      }

    if (c.Format != dxImageBitmap) {
      EXPECT_EQ(image->GetImageDataFormat(), c.Format);
      // Saving in the image's own format writes the loaded bytes back.
      auto output = RasterStreamOf({});
      image->SaveToStream(output.get());
      EXPECT_EQ(RasterBytesOf(output.get()), bytes);
    }
  }
}

TEST_F(RasterImageTest, PngReloadsPixelIdenticalWithAlpha)
{
  TRGBColors bits;
  for (int i = 0; i < 64; ++i)
    bits.push_back(RGBQUAD{static_cast<BYTE>(i * 4), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3),
                           static_cast<BYTE>(i % 3 == 0 ? 255 : i * 4)});
  TOwnedPtr<TdxGPImageHandle> handle(
      rtl::NewWith<TdxGPImageHandle>([&](TdxGPImageHandle* H) { H->CreateFromBits(8, 8, bits, afDefined); }));
  auto stream = RasterStreamOf({});
  ASSERT_TRUE(TdxGPImageCodecPNG::Class()->Save(stream.get(), handle.get()));

  auto image = Loaded(RasterBytesOf(stream.get()));
  auto* reloaded = rtl::As<TdxGPImageHandle>(image->GetImageHandle());
  for (int i = 0; i < 64; ++i) {
    Gdiplus::ARGB color = 0;
    dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(reloaded->GetHandle()), i % 8, i / 8,
                                               &color));
    std::uint32_t expected;
    std::memcpy(&expected, &bits[i], sizeof(expected));
    EXPECT_EQ(color, expected) << "pixel " << i;
  }
}

TEST_F(RasterImageTest, BitmapStreamsAreKeptAsPixelsAndEncodedAfresh)
{
  const TBytes bytes = EncodedPattern(TdxGPImageCodecBMP::Class());
  auto image = Loaded(bytes);
  EXPECT_FALSE(image->GetImageData()->FBits.empty());
  EXPECT_EQ(image->GetImageData()->FData, nullptr);
  EXPECT_EQ(image->GetImageDataFormat(), dxImageMemoryBmp);
  auto output = RasterStreamOf({});
  image->SaveToStream(output.get());
  auto reloaded = Loaded(RasterBytesOf(output.get()));
  EXPECT_EQ(reloaded->GetWidth(), PatternWidth);
  EXPECT_TRUE(reloaded->Compare(image.get()));
}

TEST_F(RasterImageTest, ChangingTheCodecReencodes)
{
  auto image = Loaded(EncodedPattern(TdxGPImageCodecPNG::Class()));
  image->SetImageDataFormat(dxImageTiff);
  EXPECT_EQ(image->GetImageDataFormat(), dxImageTiff);
  auto output = RasterStreamOf({});
  image->SaveToStream(output.get());
  output->SetPosition(0);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(output.get()), TdxGPImageCodecTIF::Class());
}

TEST_F(RasterImageTest, ResizeBeforeDecodingResamplesAtFirstUse)
{
  auto image = Loaded(EncodedPattern(TdxGPImageCodecPNG::Class()));
  image->Resize(12, 8);
  EXPECT_FALSE(image->HandleAllocated());
  EXPECT_EQ(image->GetWidth(), 12);
  EXPECT_EQ(image->GetImageHandle()->Size().cx, 12);
  EXPECT_EQ(image->GetImageHandle()->Size().cy, 8);
  // The resampled handle is the only copy: saving encodes it.
  auto output = RasterStreamOf({});
  image->SaveToStream(output.get());
  TSize size{};
  TdxSmartImageCodecClass codec = nullptr;
  output->SetPosition(0);
  ASSERT_TRUE(TdxSmartImageCodecsRepository::GetImageInfo(output.get(), size, codec));
  EXPECT_EQ(size.cx, 12);
}

TEST_F(RasterImageTest, CorruptAndTruncatedFilesRaiseClearly)
{
  const TBytes png = EncodedPattern(TdxGPImageCodecPNG::Class());
  struct {
    const char* Name;
    TBytes Bytes;
  } cases[] = {
      {"garbage", Text("this is no image at all")},
      {"PNG header only", TBytes(png.begin(), png.begin() + 33)},
      {"PNG cut in its data", TBytes(png.begin(), png.begin() + png.size() / 2)},
      {"PNG with its data overwritten", Join({TBytes(png.begin(), png.begin() + 40), TBytes(png.size() - 40, 0xA5)})},
      {"JPEG start only", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16}},
      {"GIF header only", Join({Text("GIF89a"), LE16(4), LE16(4)})},
  };
  for (const auto& c : cases) {
    auto image = Loaded(c.Bytes);
    TRasterTestSurface surface(8, 8);
    try {
      image->StretchDraw(surface.DC(), TRect{0, 0, 8, 8});
      image->GetAsBitmap()->Free();
      // A decoder that tolerates the damage must at least give an image.
      EXPECT_FALSE(image->GetEmpty()) << c.Name;
    } catch (const EdxException& E) {
      EXPECT_FALSE(E.Message().empty()) << c.Name;
    }
  }
  auto image = Loaded(Text("this is no image at all"));
  EXPECT_THROW(image->GetWidth(), EdxException);
}

// The library draws from and into the pixel array in place: an array with
// fewer pixels than the size claims would be read and written past its end.
TEST_F(RasterImageTest, PixelArraysThatDoNotFillTheirSizeAreRefused)
{
  const struct {
    int Width;
    int Height;
    std::size_t Pixels;
  } cases[] = {{4, 4, 2}, {4, 4, 15}, {65537, 65537, 131073}, {0x40000001, 1, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << ", " << c.Pixels << " pixels");
    const TRGBColors bits(c.Pixels, RGBQUAD{1, 2, 3, 255});
    EXPECT_THROW(rtl::Free(rtl::NewWith<TdxGPImageHandle>(
                     [&](TdxGPImageHandle* H) { H->CreateFromBits(c.Width, c.Height, bits, afPremultiplied); })),
                 EdxGdipException);
    TOwnedPtr<TdxCustomSmartImage> image(rtl::New<TdxCustomSmartImage>());
    image->LoadFromBits(c.Width, c.Height, bits, afPremultiplied);
    EXPECT_THROW(image->GetImageHandle(), EdxException);
  }
  // A full array is taken as it is.
  const TRGBColors bits(16, RGBQUAD{1, 2, 3, 255});
  TOwnedPtr<TdxCustomSmartImage> image(rtl::New<TdxCustomSmartImage>());
  image->LoadFromBits(4, 4, bits, afPremultiplied);
  EXPECT_EQ(image->GetImageHandle()->Size().cx, 4);
}

TEST_F(RasterImageTest, MetafilesAreDrawnIntoANewMetafile)
{
  const TRGBColors bits = PatternBits();
  TOwnedPtr<TdxGPImageHandle> handle(rtl::NewWith<TdxGPImageHandle>(
      [&](TdxGPImageHandle* H) { H->CreateFromBits(PatternWidth, PatternHeight, bits, afPremultiplied); }));
  // No encoder: Save refuses, and the image reports it.
  auto stream = RasterStreamOf({});
  EXPECT_FALSE(TdxGPImageCodecEMF::Class()->Save(stream.get(), handle.get()));
  ASSERT_TRUE(static_cast<const TdxGPImageCodecEMF*>(TdxGPImageCodecEMF::Class())->SaveCore(stream.get(), handle.get(), nullptr));
  auto image = Loaded(RasterBytesOf(stream.get()));
  EXPECT_EQ(image->GetImageDataFormat(), dxImageEmf);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(stream.get()), nullptr);

  auto png = Loaded(EncodedPattern(TdxGPImageCodecPNG::Class()));
  try {
    png->SaveToStreamByCodec(RasterStreamOf({}).get(), dxImageEmf);
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"The TdxGPImageCodecEMF codec failed to export the image (3)");
  }
}

TEST_F(RasterImageTest, FlipAndFrames)
{
  const TRGBColors bits = PatternBits();
  TOwnedPtr<TdxGPImageHandle> handle(rtl::NewWith<TdxGPImageHandle>(
      [&](TdxGPImageHandle* H) { H->CreateFromBits(PatternWidth, PatternHeight, bits, afPremultiplied); }));
  handle->Flip(true, false);
  Gdiplus::ARGB color = 0;
  dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(handle->GetHandle()), 0, 0, &color));
  EXPECT_EQ(color, 0xFF0000FFu);
  EXPECT_EQ(handle->GetAnimationFrameCount(), 1u);
  handle->SetActiveFrame(5);
  EXPECT_EQ(handle->GetActiveFrame(), 5u);
  EXPECT_EQ(handle->GetAnimationLoopCount(), 0);
  EXPECT_EQ(handle->GetAnimationFrameDelay(), 75);
}

// The handle draws itself on a canvas with attributes: alpha-blend
// attributes fade it over the white surface, a colour key drops a colour.
TEST_F(RasterImageTest, AttributesAdjustWhatTheHandleDrawsOnACanvas)
{
  const TRGBColors bits = PatternBits();
  TOwnedPtr<TdxGPImageHandle> handle(rtl::NewWith<TdxGPImageHandle>(
      [&](TdxGPImageHandle* H) { H->CreateFromBits(PatternWidth, PatternHeight, bits, afPremultiplied); }));
  IdxGPGraphicDraw* draw = handle.get();
  ASSERT_TRUE(rtl::Supports<IdxGpFlipContent>(handle.get()));
  const TRect rect{0, 0, PatternWidth, PatternHeight};
  struct TCase {
    const char* Name;
    int Alpha;  // -1: a colour key on red instead
    std::uint32_t RedPart;
  } const cases[] = {
      {"opaque", 255, 0xFF0000},
      {"half", 128, 0xFF7F7F},
      {"none", 0, 0xFFFFFF},
      {"red keyed out", -1, 0xFFFFFF},
  };
  for (const TCase& c : cases) {
    TRasterTestSurface surface(PatternWidth, PatternHeight);
    TOwnedPtr<TdxGPImageAttributes> attributes;
    if (c.Alpha >= 0) {
      auto* blend = rtl::New<TdxGPAlphaBlendAttributes>();
      blend->SetAlpha(static_cast<std::uint8_t>(c.Alpha));
      EXPECT_FLOAT_EQ(blend->GetColorMatrix().m[3][3], c.Alpha / 255.0f) << c.Name;
      attributes.reset(blend);
    } else {
      attributes.reset(rtl::New<TdxGPImageAttributes>());
      attributes->SetColorKey(0xFFFF0000, 0xFFFF0000);
    }
    {
      TOwnedPtr<TdxGPCanvas> canvas(rtl::New<TdxGPCanvas>(surface.DC()));
      draw->Draw(canvas.get(), rect, rect, attributes.get());
    }
    EXPECT_TRUE(Near(surface.Pixel(0, 0), c.RedPart, 2)) << c.Name << " " << std::hex << surface.Pixel(0, 0);
  }
  // The shared attributes: none for opaque drawing, one object otherwise.
  EXPECT_EQ(dxGpGetAlphaBlendAttributes(255), nullptr);
  TdxGPAlphaBlendAttributes* shared = dxGpGetAlphaBlendAttributes(40);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(shared->GetAlpha(), 40);
  EXPECT_EQ(dxGpGetAlphaBlendAttributes(90), shared);
  EXPECT_EQ(shared->GetAlpha(), 90);
  // A clone carries the native adjustments.
  TOwnedPtr<TdxGPImageAttributes> clone(shared->Clone());
  EXPECT_NE(clone->Handle(), nullptr);
  EXPECT_NE(clone->Handle(), shared->Handle());
}

// ---------------------------------------------------------------------------
// Damaged files the system's decoders would trust

// A 1 x 1 GIF: white and black in the file's table, one frame.
const TBytes kTinyGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                         0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B};

// Drawn and asked for its size, as the fault needed; a decoder's refusal
// is the image's clear error.
void DrawDamaged(const TBytes& ABytes, int AIteration)
{
  TOwnedPtr<TdxCustomSmartImage> image(rtl::New<TdxCustomSmartImage>());
  image->LoadFromStream(RasterStreamOf(ABytes).get());
  try {
    TRasterTestSurface surface(4, 4);
    image->StretchDraw(surface.DC(), TRect{0, 0, 4, 4});
    EXPECT_GE(image->GetWidth(), 0) << AIteration;
  } catch (const EdxException&) {
    return;
  }
  // What loaded is saved back as it came.
  auto output = RasterStreamOf({});
  image->SaveToStream(output.get());
  EXPECT_EQ(RasterBytesOf(output.get()), ABytes) << AIteration;
}

TEST_F(RasterImageTest, FramesWithoutColoursAndBrokenBlocksNeverReachTheDecoder)
{
  const TBytes noTable = kvtest::ReadFixture(KV_FIXTURES_DIR "/smart-gif-no-colour-table-null-read-min.bin");
  ASSERT_EQ(noTable.size(), 36u);
  const TBytes header(kTinyGif.begin(), kTinyGif.begin() + 19);
  const TBytes frame(kTinyGif.begin() + 27, kTinyGif.end());
  struct {
    const char* Name;
    TBytes Bytes;
  } cases[] = {
      {"a frame without any colour table", noTable},
      {"a data block past the end", TBytes(kTinyGif.begin(), kTinyGif.end() - 4)},
      {"no frame", Join({header, Text(";")})},
      {"a block of unknown kind", Join({header, Text("!"), Zeros(1), Text("?"), frame})},
      {"an icon image larger than its bytes",
       Join({Zeros(2), LE16(1), LE16(1), {16, 16, 0, 0}, LE16(1), LE16(32), LE32(40), LE32(22),
             LE32(40), LE32(16), LE32(272384), LE16(1), LE16(32), Zeros(24)})},
  };
  for (const auto& c : cases) {
    auto image = Loaded(c.Bytes);
    TRasterTestSurface surface(4, 4);
    EXPECT_THROW(image->StretchDraw(surface.DC(), TRect{0, 0, 4, 4}), EdxException) << c.Name;
  }
  // The sound file decodes.
  auto image = Loaded(kTinyGif);
  TRasterTestSurface surface(1, 1);
  image->StretchDraw(surface.DC(), TRect{0, 0, 1, 1});
  EXPECT_EQ(image->GetWidth(), 1);
}

TEST_F(RasterImageTest, MutatedGifsNeitherCrashNorChangeOnARoundTrip)
{
  kvtest::TTestMutator mutator(41);
  for (int i = 0; i < 1500; ++i)
    DrawDamaged(mutator.Mutate(kTinyGif), i);
}

}  // namespace
