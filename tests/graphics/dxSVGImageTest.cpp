#include "graphics/dxSVGImage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/vcl/Graphics.h"

[[gnu::used]] static const rtl::UnitInfo* const kSVGImageTestUnits[] = {&unit_dxSVGImage};

namespace {

// Red on the left half, blue on the right: a flip shows.
constexpr std::string_view SVGHalves =
    R"X(<svg viewBox="0 0 16 16"><rect width="8" height="16" fill="#FF0000"/>)X"
    R"X(<rect x="8" width="8" height="16" fill="#0000FF"/></svg>)X";

// A colour in each quarter: red, green / blue, white.
constexpr std::string_view SVGQuarters =
    R"X(<svg viewBox="0 0 16 16"><rect width="8" height="8" fill="#FF0000"/>)X"
    R"X(<rect x="8" width="8" height="8" fill="#00FF00"/><rect y="8" width="8" height="8" fill="#0000FF"/>)X"
    R"X(<rect x="8" y="8" width="8" height="8" fill="#FFFFFF"/></svg>)X";

rtl::TOwnedPtr<rtl::TMemoryStream> SVGStream(std::string_view AText)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  stream->WriteBuffer(AText.data(), static_cast<int>(AText.size()));
  stream->SetPosition(0);
  return stream;
}

rtl::TOwnedPtr<TdxSVGImageHandle> SVGHandle(std::string_view AText)
{
  TdxSmartImageCustomHandle* handle = nullptr;
  EXPECT_TRUE(TdxSVGImageCodec::Class()->Load(SVGStream(AText).get(), handle));
  return rtl::TOwnedPtr<TdxSVGImageHandle>(rtl::As<TdxSVGImageHandle>(handle));
}

std::string SVGStreamText(rtl::TMemoryStream* AStream)
{
  return std::string(static_cast<const char*>(AStream->Memory()), static_cast<size_t>(AStream->GetSize()));
}

TdxAlphaColor RasterPixel(TdxGPImageHandle* ARaster, int X, int Y)
{
  Gdiplus::ARGB color = 0;
  dxGpCheck(dxGpFunctions.GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(ARaster->GetHandle()), X, Y, &color));
  return static_cast<TdxAlphaColor>(color);
}

class dxSVGImage : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dxGpIsAvailable()); }
};

TEST(dxSVGImageRaster, TheScaleFactorOversamplesSmallImagesWithinABudget)
{
  const struct {
    int Size;
    TdxSVGRenderQuality Quality;
    int Factor;
  } cases[] = {
      {16, srqMedium, 32}, {24, srqMedium, 24}, {100, srqMedium, 12}, {768, srqMedium, 2},
      {769, srqMedium, 1}, {16, srqLow, 32},    {100, srqHigh, 16},   {0, srqMedium, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Size);
    EXPECT_EQ(dxSVGRasterScaleFactor(c.Size, c.Size / 2, c.Quality), c.Factor);
  }
}

TEST_F(dxSVGImage, TheCodecReadsSizesAndKeepsTheDocumentAsItsWriterWritesIt)
{
  const std::string_view text = R"X(<?xml version="1.0"?><!-- made by hand --><svg width="24" height="24"><g><rect width="4" height="4"/></g></svg>)X";
  TSize size{};
  auto probe = SVGStream(text);
  EXPECT_TRUE(TdxSVGImageCodec::Class()->GetSize(probe.get(), size));
  EXPECT_EQ(size.cx, 24);
  EXPECT_EQ(size.cy, 24);
  EXPECT_FALSE(TdxSVGImageCodec::Class()->CanLoadStream(SVGStream("<html/>").get()));
  EXPECT_FALSE(TdxSVGImageCodec::Class()->CanLoadStream(SVGStream("\x89PNG").get()));

  auto handle = SVGHandle(text);
  EXPECT_EQ(handle->Width(), 24);
  auto saved = rtl::TOwnedPtr<rtl::TMemoryStream>(rtl::New<rtl::TMemoryStream>());
  EXPECT_TRUE(TdxSVGImageCodec::Class()->Save(saved.get(), handle.get()));

  rtl::TOwnedPtr<TdxXMLDocument> document(rtl::New<TdxXMLDocument>(nullptr));
  document->LoadFromString(text);
  document->SetAutoIndent(true);
  auto expected = rtl::TOwnedPtr<rtl::TMemoryStream>(rtl::New<rtl::TMemoryStream>());
  document->SaveToStream(expected.get());
  EXPECT_EQ(SVGStreamText(saved.get()), SVGStreamText(expected.get()));
  EXPECT_LT(handle->SourceData()->GetSize(), expected->GetSize());
}

TEST_F(dxSVGImage, TheRepositoryFindsTheCodecAndTheImageSavesAsSVG)
{
  auto stream = SVGStream(SVGHalves);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(stream.get()), TdxSVGImageCodec::Class());
  EXPECT_EQ(stream->GetPosition(), stream->GetSize());

  rtl::TOwnedPtr<TdxSVGImage> image(rtl::New<TdxSVGImage>());
  stream->SetPosition(0);
  image->LoadFromStream(stream.get());
  EXPECT_EQ(image->GetSize().cx, 16);
  auto saved = rtl::TOwnedPtr<rtl::TMemoryStream>(rtl::New<rtl::TMemoryStream>());
  image->SaveToStream(saved.get());
  EXPECT_NE(SVGStreamText(saved.get()).find("<svg"), std::string::npos);

  // A raster in an SVG image cannot be saved as SVG.
  image->CreateSize(4, 4, 0xFFFF0000);
  EXPECT_THROW(image->SaveToStream(saved.get()), rtl::Exception);
}

TEST_F(dxSVGImage, TheRasterIsKeptForTheSameSizePaletteAndQuality)
{
  auto handle = SVGHandle(SVGHalves);
  TdxGPImageHandle* first = handle->GetRasterizedImage({32, 32}, nullptr);
  EXPECT_EQ(first->Width(), 32);
  EXPECT_EQ(handle->GetRasterizedImage({32, 32}, nullptr), first);
  TdxGPImageHandle* larger = handle->GetRasterizedImage({48, 48}, nullptr);
  EXPECT_EQ(larger->Width(), 48);

  rtl::IPtr<IdxColorPalette> palette1(
      rtl::NewWith<TdxSimpleColorPalette>([](TdxSimpleColorPalette* P) { P->Create(0xFF00FF00, 0); }));
  rtl::IPtr<IdxColorPalette> palette2(
      rtl::NewWith<TdxSimpleColorPalette>([](TdxSimpleColorPalette* P) { P->Create(0xFF0000FF, 0); }));
  TdxGPImageHandle* green = handle->GetRasterizedImage({48, 48}, palette1.Get());
  EXPECT_EQ(RasterPixel(green, 4, 24), 0xFF00FF00u);
  EXPECT_EQ(handle->GetRasterizedImage({48, 48}, palette1.Get()), green);
  // Another palette identity at the same size rasterises again.
  EXPECT_EQ(RasterPixel(handle->GetRasterizedImage({48, 48}, palette2.Get()), 4, 24), 0xFF0000FFu);
  EXPECT_EQ(RasterPixel(handle->GetRasterizedImage({48, 48}, nullptr), 4, 24), 0xFFFF0000u);
}

TEST_F(dxSVGImage, AFlipMirrorsTheNextRaster)
{
  auto handle = SVGHandle(SVGHalves);
  const struct {
    bool Horizontally;
    TdxAlphaColor Left;
  } cases[] = {{false, 0xFFFF0000}, {true, 0xFF0000FF}, {false, 0xFFFF0000}};
  for (const auto& c : cases) {
    handle->Flip(c.Horizontally, false);
    TdxGPImageHandle* raster = handle->GetRasterizedImage({32, 32}, nullptr);
    EXPECT_EQ(RasterPixel(raster, 4, 16), c.Left);
  }
}

// The colours at the middles of the four quarters of a 32 x 32 raster.
std::array<TdxAlphaColor, 4> RasterQuarters(TdxSVGImageHandle* AHandle)
{
  TdxGPImageHandle* raster = AHandle->GetRasterizedImage({32, 32}, nullptr);
  return {RasterPixel(raster, 8, 8), RasterPixel(raster, 24, 8), RasterPixel(raster, 8, 24),
          RasterPixel(raster, 24, 24)};
}

TEST_F(dxSVGImage, FlippingTheImageTwiceGivesTheOriginalBackAndKeepsItVector)
{
  constexpr TdxAlphaColor R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF;
  const struct {
    const char* Name;
    bool Horizontally;
    bool Vertically;
    std::array<TdxAlphaColor, 4> Flipped;
  } cases[] = {
      {"horizontally", true, false, {G, R, W, B}},
      {"vertically", false, true, {B, W, R, G}},
      {"both", true, true, {W, B, G, R}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    rtl::TOwnedPtr<TdxSmartImage> image(rtl::New<TdxSmartImage>());
    image->LoadFromStream(SVGStream(SVGQuarters).get());
    ASSERT_TRUE(rtl::Is<TdxSVGImageHandle>(image->GetImageHandle()));
    auto* handle = static_cast<TdxSVGImageHandle*>(image->GetImageHandle());
    const auto original = RasterQuarters(handle);
    EXPECT_EQ(original, (std::array<TdxAlphaColor, 4>{R, G, B, W}));

    image->Flip(c.Horizontally, c.Vertically);
    ASSERT_EQ(image->GetImageHandle(), handle) << "an SVG is mirrored as a vector image, not a bitmap";
    EXPECT_EQ(RasterQuarters(handle), c.Flipped);
    image->Flip(c.Horizontally, c.Vertically);
    ASSERT_EQ(image->GetImageHandle(), handle);
    EXPECT_EQ(RasterQuarters(handle), original);
    EXPECT_FALSE(handle->FlipHorizontally());
    EXPECT_FALSE(handle->FlipVertically());
  }
}

TEST_F(dxSVGImage, PicturesLoadSVGFilesAsSmartImages)
{
  EXPECT_NE(vcl::GraphicFilter(vcl::TGraphicClass::Of<vcl::TGraphic>()).find(L"SVG graphics from Quorvane (*.svg)|*.svg"),
            rtl::String::npos);
  wchar_t directory[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);
  const rtl::String name = rtl::String(directory) + L"kv-svg-image-test.svg";
  {
    rtl::TOwnedPtr<rtl::TFileStream> file(rtl::New<rtl::TFileStream>(name, rtl::fmCreate));
    file->WriteBuffer(SVGHalves.data(), static_cast<int>(SVGHalves.size()));
  }
  rtl::TOwnedPtr<vcl::TPicture> picture(rtl::New<vcl::TPicture>());
  picture->LoadFromFile(name);
  DeleteFileW(name.c_str());
  ASSERT_TRUE(rtl::Is<TdxSmartImage>(picture->GetGraphic()));
  auto* image = static_cast<TdxSmartImage*>(picture->GetGraphic());
  EXPECT_TRUE(rtl::Is<TdxSVGImageHandle>(image->GetImageHandle()));
  EXPECT_EQ(picture->GetWidth(), 16);
}

TEST_F(dxSVGImage, AZeroViewBoxTakesTheWidthAndHeight)
{
  auto handle = SVGHandle(R"X(<svg width="20" height="10"><rect width="20" height="10" fill="#FF0000"/></svg>)X");
  EXPECT_EQ(handle->Width(), 20);
  EXPECT_EQ(handle->Height(), 10);
  TdxGPImageHandle* raster = handle->GetRasterizedImage({40, 20}, nullptr);
  EXPECT_EQ(raster->Width(), 40);
  EXPECT_EQ(RasterPixel(raster, 38, 18), 0xFFFF0000u);
}

TEST_F(dxSVGImage, TheHandleDrawsIntoABitmap)
{
  auto handle = SVGHandle(SVGHalves);
  rtl::TOwnedPtr<vcl::TBitmap> bitmap(handle->GetAsBitmap());
  TRGBColors pixels;
  ASSERT_TRUE(dxReadBitmapPixelsTopDown(bitmap.get(), pixels));
  ASSERT_EQ(pixels.size(), 256u);
  EXPECT_EQ(pixels[8 * 16 + 2].rgbRed, 255);
  EXPECT_EQ(pixels[8 * 16 + 2].rgbReserved, 255);
  EXPECT_EQ(pixels[8 * 16 + 13].rgbBlue, 255);
  EXPECT_EQ(pixels[8 * 16 + 13].rgbRed, 0);
}

}  // namespace
