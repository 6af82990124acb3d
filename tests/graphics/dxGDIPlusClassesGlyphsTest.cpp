// The concrete smart images, the pen and brush caches and the registrations
// of the unit's start-up, with images the tests make themselves.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "dxImageTestBytes.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

using enum vcl::TPenStyle;
using enum vcl::TPixelFormat;

namespace {

using namespace dxImageTestBytes;
using rtl::IPtr;
using rtl::TOwnedPtr;

class GlyphsTest : public testing::Test {
 protected:
  void SetUp() override
  {
    if (!dxGpIsAvailable())
      GTEST_SKIP() << "the 2-D graphics library is not available";
  }
};

std::uint32_t BrushColorOf(const IPtr<IdxGPHandle>& AHandle)
{
  Gdiplus::ARGB color = 0;
  dxGpCheck(dxGpFunctions.GdipGetSolidFillColor(static_cast<Gdiplus::GpSolidFill*>(AHandle->GetNativeHandle()),
                                                &color));
  return color;
}

// ---------------------------------------------------------------------------
// Pens and brushes

TEST_F(GlyphsTest, BrushCacheHandsOutOneBrushPerColour)
{
  IPtr<IdxGPHandle> first;
  IPtr<IdxGPHandle> second;
  ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0xFF102030}, first));
  ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0xFF102030}, second));
  EXPECT_EQ(first, second);
  EXPECT_EQ(BrushColorOf(first), 0xFF102030u);
  // Platform colours convert with their alpha; a zero alpha still counts.
  ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(vcl::TColor{0x302010}, 0, second));
  EXPECT_EQ(BrushColorOf(second), 0x00102030u);
}

TEST_F(GlyphsTest, NothingIsDeliveredForEmptyColoursOrWidths)
{
  struct TCase {
    const char* Name;
    bool (*Get)(IPtr<IdxGPHandle>&);
  };
  const TCase cases[] = {
      {"brush of 0", [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0}, H); }},
      {"brush of transparent white",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0x00FFFFFF}, H); }},
      {"brush of clNone", [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetSolidBrush(vcl::clNone, 255, H); }},
      {"pen psClear",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetPen(TdxAlphaColor{0xFF000000}, 1, psClear, H); }},
      {"pen of width 0",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetPen(TdxAlphaColor{0xFF000000}, 0, psSolid, H); }},
      {"pen of negative width",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetPen(TdxAlphaColor{0xFF000000}, -2, gppsDot, H); }},
      {"pen of colour 0",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetPen(TdxAlphaColor{0}, 1, psSolid, H); }},
      {"pen of clNone",
       [](IPtr<IdxGPHandle>& H) { return TdxGPResourceManager::GetPen(vcl::clNone, 255, 1, psSolid, H); }},
  };
  for (const TCase& item : cases) {
    IPtr<IdxGPHandle> handle;
    TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0xFF000001}, handle);
    EXPECT_FALSE(item.Get(handle)) << item.Name;
    EXPECT_FALSE(handle) << item.Name << ": the out handle is emptied";
  }
}

TEST_F(GlyphsTest, PensCarryColourWidthAndDashStyle)
{
  struct TCase {
    vcl::TPenStyle Style;
    TdxGPPenStyle GPStyle;
    Gdiplus::DashStyle Expected;
  };
  const TCase cases[] = {{psSolid, gppsSolid, Gdiplus::DashStyleSolid},
                         {psDash, gppsDash, Gdiplus::DashStyleDash},
                         {psDot, gppsDot, Gdiplus::DashStyleDot},
                         {psDashDot, gppsDashDot, Gdiplus::DashStyleDashDot},
                         {psDashDotDot, gppsDashDotDot, Gdiplus::DashStyleDashDotDot}};
  for (const TCase& item : cases) {
    IPtr<IdxGPHandle> pen;
    IPtr<IdxGPHandle> samePen;
    ASSERT_TRUE(TdxGPResourceManager::GetPen(TdxAlphaColor{0xC0405060}, 2.5f, item.Style, pen));
    ASSERT_TRUE(TdxGPResourceManager::GetPen(TdxAlphaColor{0xC0405060}, 2.5f, item.GPStyle, samePen));
    EXPECT_EQ(pen, samePen);
    auto* native = static_cast<Gdiplus::GpPen*>(pen->GetNativeHandle());
    Gdiplus::DashStyle style{};
    float width = 0;
    Gdiplus::ARGB color = 0;
    dxGpCheck(dxGpFunctions.GdipGetPenDashStyle(native, &style));
    dxGpCheck(dxGpFunctions.GdipGetPenWidth(native, &width));
    Gdiplus::GpBrush* fill = nullptr;
    dxGpCheck(dxGpFunctions.GdipGetPenBrushFill(native, &fill));
    dxGpCheck(dxGpFunctions.GdipGetSolidFillColor(static_cast<Gdiplus::GpSolidFill*>(fill), &color));
    dxGpFunctions.GdipDeleteBrush(fill);
    EXPECT_EQ(style, item.Expected);
    EXPECT_EQ(width, 2.5f);
    EXPECT_EQ(color, 0xC0405060u);
  }
  IPtr<IdxGPHandle> thin;
  IPtr<IdxGPHandle> thick;
  TdxGPResourceManager::GetPen(TdxAlphaColor{0xFF000000}, 1, psSolid, thin);
  TdxGPResourceManager::GetPen(TdxAlphaColor{0xFF000000}, 1.5f, psSolid, thick);
  EXPECT_NE(thin, thick);
}

TEST_F(GlyphsTest, BrushCacheEvictsAtCapacityAndEvictedBrushesLiveOn)
{
  TdxGPSolidBrushCacheManager* cache = TdxGPResourceManager::BrushCache();
  cache->Clear();
  IPtr<IdxGPHandle> kept;
  ASSERT_TRUE(TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0xFF000000}, kept));
  for (TdxAlphaColor color = 0xFF000001; color <= 0xFF000063; ++color) {
    IPtr<IdxGPHandle> handle;
    TdxGPResourceManager::GetSolidBrush(color, handle);
  }
  EXPECT_EQ(cache->GetCount(), dxGPResourceCacheCapacity);
  // The 101st colour sorts first, so the entry at its position goes: the
  // brush held here.
  IPtr<IdxGPHandle> newest;
  TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0x80000000}, newest);
  EXPECT_EQ(cache->GetCount(), dxGPResourceCacheCapacity);
  EXPECT_EQ(BrushColorOf(kept), 0xFF000000u);
  IPtr<IdxGPHandle> again;
  TdxGPResourceManager::GetSolidBrush(TdxAlphaColor{0xFF000000}, again);
  EXPECT_NE(again, kept);
}

TEST_F(GlyphsTest, ColoursFarApartStayFindable)
{
  // Colours whose signed differences overflow 32 bits, in an order that
  // loses one of them when the order wraps.
  const TdxAlphaColor colors[] = {0x7FFFFFFF, 0xFFFFFFFF, 0x00000001, 0x40000000};
  TdxGPSolidBrushCacheManager* cache = TdxGPResourceManager::BrushCache();
  cache->Clear();
  std::vector<IPtr<IdxGPHandle>> first;
  for (TdxAlphaColor color : colors) {
    IPtr<IdxGPHandle> handle;
    TdxGPResourceManager::GetSolidBrush(color, handle);
    first.push_back(handle);
  }
  for (std::size_t i = 0; i < std::size(colors); ++i) {
    IPtr<IdxGPHandle> handle;
    TdxGPResourceManager::GetSolidBrush(colors[i], handle);
    EXPECT_EQ(handle, first[i]) << std::hex << colors[i];
  }
  EXPECT_EQ(cache->GetCount(), static_cast<int>(std::size(colors)));
}

// Fails to make the value of key 13; keys are their own values.
class TGlyphsFailingCache : public TdxCustomValueCacheManager<int, int> {
  RTL_CLASS(TGlyphsFailingCache, TdxCustomValueCacheManager)

 protected:
  int Compare(const int& ALeft, const int& ARight) override { return ALeft - ARight; }
  int CreateValue(const int& AKey) override
  {
    if (AKey == 13)
      throw rtl::Exception(L"no value");
    return AKey;
  }
};

TEST(dxGDIPlusClassesGlyphs, ValueCacheForgetsTheLastKeyWhenMakingAValueFails)
{
  TOwnedPtr<TGlyphsFailingCache> cache(rtl::New<TGlyphsFailingCache>(3));
  for (int key : {10, 30, 20})
    cache->GetValue(key);
  // 13 evicts 20 (at its position) and then fails: the position remembered
  // for 20 now holds 30.
  EXPECT_THROW(cache->GetValue(13), rtl::Exception);
  EXPECT_EQ(cache->GetCount(), 2);
  EXPECT_EQ(cache->GetValue(20), 20);
  EXPECT_EQ(cache->GetValue(30), 30);
}

// ---------------------------------------------------------------------------
// Image classes

TEST_F(GlyphsTest, EncodedImagesAreDetectedByTheirBytes)
{
  struct TCase {
    TdxSmartImageCodecClass Codec;
    TdxImageDataFormat Format;
  };
  const TCase cases[] = {{TdxGPImageCodecPNG::Class(), dxImagePng},
                         {TdxGPImageCodecJPEG::Class(), dxImageJpeg},
                         {TdxGPImageCodecTIFF::Class(), dxImageTiff},
                         {TdxGPImageCodecBMP::Class(), dxImageMemoryBmp}};
  for (const TCase& item : cases) {
    TOwnedPtr<TdxSmartImage> image(NewImageOf(EncodedPattern(item.Codec)));
    EXPECT_EQ(image->GetWidth(), PatternWidth) << item.Codec->ClassName();
    EXPECT_EQ(image->GetImageDataFormat(), item.Format) << item.Codec->ClassName();
  }
  TOwnedPtr<TdxSmartImage> gif(NewImageOf(AnimatedGif(0)));
  EXPECT_EQ(gif->GetImageDataFormat(), dxImageGif);
  EXPECT_EQ(gif->GetSize(), (TSize{2, 2}));
}

TEST_F(GlyphsTest, PNGSavedAndReloadedIsPixelIdentical)
{
  for (bool withAlpha : {false, true}) {
    const TBytes png = EncodedPattern(TdxGPImageCodecPNG::Class(), withAlpha);
    TOwnedPtr<TdxSmartImage> image(NewImageOf(png));
    EXPECT_EQ(ColorsOf(image->GetBitmapBits()), PatternColors(withAlpha)) << withAlpha;
    auto saved = StreamOf({});
    image->SaveToStream(saved.get());
    EXPECT_EQ(BytesOf(saved.get()), png) << "stored bytes are written back unchanged";
    TOwnedPtr<TdxSmartImage> reloaded(NewImageOf(BytesOf(saved.get())));
    EXPECT_EQ(ColorsOf(reloaded->GetBitmapBits()), PatternColors(withAlpha)) << withAlpha;
  }
}

TEST_F(GlyphsTest, PNGImageAlwaysSavesPNG)
{
  for (TdxSmartImageCodecClass codec : {TdxGPImageCodecJPEG::Class(), TdxGPImageCodecTIFF::Class()}) {
    TOwnedPtr<TdxPNGImage> image(NewImageOf<TdxPNGImage>(EncodedPattern(codec)));
    auto saved = StreamOf({});
    image->SaveToStream(saved.get());
    const TBytes bytes = BytesOf(saved.get());
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(TBytes(bytes.begin() + 1, bytes.begin() + 4), Text("PNG")) << codec->ClassName();
    saved->SetPosition(0);
    EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatFromStream(saved.get()), TdxGPImageCodecPNG::Class());
  }
}

TEST_F(GlyphsTest, DamagedFilesRaiseInsteadOfCrashing)
{
  const TBytes png = EncodedPattern(TdxGPImageCodecPNG::Class());
  const TBytes jpeg = EncodedPattern(TdxGPImageCodecJPEG::Class());
  const TBytes gif = AnimatedGif(0);
  struct TCase {
    const char* Name;
    TBytes Bytes;
  };
  const TCase cases[] = {
      {"PNG signature only", TBytes(png.begin(), png.begin() + 8)},
      {"PNG cut after its header", TBytes(png.begin(), png.begin() + 33)},
      {"JPEG markers only", TBytes(jpeg.begin(), jpeg.begin() + 20)},
      {"GIF header only", TBytes(gif.begin(), gif.begin() + 13)},
      {"random bytes", Text("this is no image at all, just text")},
      {"BM without a bitmap", Join({Text("BM"), TBytes(40, 0xEE)})},
  };
  for (const TCase& item : cases) {
    try {
      TOwnedPtr<TdxSmartImage> image(NewImageOf(item.Bytes));
      TOwnedPtr<vcl::TBitmap> bitmap(image->GetAsBitmap());
      ADD_FAILURE() << item.Name << " decoded";
    } catch (const rtl::Exception& E) {
      EXPECT_FALSE(E.Message().empty()) << item.Name;
    }
  }
  // Bytes the library cannot read at all report the image format.
  TOwnedPtr<TdxSmartImage> image(NewImageOf(Text("this is no image at all, just text")));
  try {
    image->GetSize();
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"Unsupported image format.");
  }
}

TEST_F(GlyphsTest, HandleTakesANativeImageOver)
{
  TOwnedPtr<TdxGPImage> image(rtl::New<TdxGPImage>());
  EXPECT_EQ(image->GetHandle(), nullptr) << "empty";
  image->SetHandle(dxGpCreateBitmap(5, 3));
  EXPECT_EQ(image->GetSize(), (TSize{5, 3}));
  EXPECT_NE(image->GetHandle(), nullptr);
}

TEST_F(GlyphsTest, CanvasDrawsIntoTheImageThatIsKept)
{
  TOwnedPtr<TdxSmartImage> image(NewImageOf(EncodedPattern(TdxGPImageCodecPNG::Class())));
  int changes = 0;
  struct TCounter {
    int* Count;
    void Changed(rtl::TObject*) { ++*Count; }
  } counter{&changes};
  image->SetOnChange(rtl::TNotifyEvent::Bind<&TCounter::Changed>(&counter));
  {
    TOwnedPtr<TdxGPCanvas> canvas(image->CreateCanvas());
    EXPECT_GE(changes, 1) << "signalled before drawing";
    canvas->FillRectangle(TRect{0, 0, 1, PatternHeight}, TdxAlphaColor{0xFF000000});
  }
  image->SetOnChange({});
  auto saved = StreamOf({});
  image->SaveToStream(saved.get());
  TOwnedPtr<TdxSmartImage> reloaded(NewImageOf(BytesOf(saved.get())));
  std::vector<std::uint32_t> expected = PatternColors(false);
  for (int y = 0; y < PatternHeight; ++y)
    expected[y * PatternWidth] = 0xFF000000;
  EXPECT_EQ(ColorsOf(reloaded->GetBitmapBits()), expected);
}

TEST_F(GlyphsTest, FlipIsKeptBySavingAndDormant)
{
  const std::vector<std::uint32_t> pattern = PatternColors(false);
  std::vector<std::uint32_t> mirrored(pattern.size());
  for (int y = 0; y < PatternHeight; ++y)
    for (int x = 0; x < PatternWidth; ++x)
      mirrored[y * PatternWidth + x] = pattern[y * PatternWidth + PatternWidth - 1 - x];

  TOwnedPtr<TdxSmartImage> image(NewImageOf(EncodedPattern(TdxGPImageCodecPNG::Class())));
  image->Flip(true, false);
  EXPECT_EQ(ColorsOf(image->GetBitmapBits()), mirrored);
  auto saved = StreamOf({});
  image->SaveToStream(saved.get());
  TOwnedPtr<TdxSmartImage> reloaded(NewImageOf(BytesOf(saved.get())));
  EXPECT_EQ(ColorsOf(reloaded->GetBitmapBits()), mirrored);
  image->Dormant();
  EXPECT_EQ(ColorsOf(image->GetBitmapBits()), mirrored);
  image->Flip(false, false);
  EXPECT_EQ(ColorsOf(image->GetBitmapBits()), mirrored);
}

TEST_F(GlyphsTest, CompositionStretchesTheOverlay)
{
  TOwnedPtr<TdxSmartImage> base(
      rtl::NewWith<TdxSmartImage>([](TdxSmartImage* I) { I->CreateSize(6, 4, TdxAlphaColor{0xFFFF0000}); }));
  TOwnedPtr<TdxSmartImage> overlay(
      rtl::NewWith<TdxSmartImage>([](TdxSmartImage* I) { I->CreateSize(2, 2, TdxAlphaColor{0xFF0000FF}); }));
  struct TCase {
    std::uint8_t OverlayAlpha;
    std::uint32_t Expected;
  };
  for (const TCase& item : {TCase{255, 0xFF0000FF}, TCase{0, 0xFFFF0000}}) {
    TOwnedPtr<TdxGPImage> result(base->MakeComposition(overlay.get(), item.OverlayAlpha));
    ASSERT_EQ(result->GetSize(), (TSize{6, 4}));
    for (std::uint32_t color : ColorsOf(result->GetBitmapBits()))
      EXPECT_EQ(color, item.Expected) << int(item.OverlayAlpha);
  }
}

TEST_F(GlyphsTest, DrawCacheIsAResampledCopy)
{
  TOwnedPtr<TdxSmartImage> image(
      rtl::NewWith<TdxSmartImage>([](TdxSmartImage* I) { I->CreateSize(40, 40, TdxAlphaColor{0xFF00FF00}); }));
  image->SetUseCache(true);
  TOwnedPtr<vcl::TBitmap> target(rtl::New<vcl::TBitmap>());
  target->SetSize(10, 10);
  image->Draw(target->GetCanvas(), TRect{0, 0, 10, 10});
  ASSERT_NE(image->GetCache(), nullptr);
  EXPECT_EQ(image->GetCache()->Size(), (TSize{10, 10}));

  // Nothing to draw into, as without the cache: no cache and no error.
  for (const TRect& empty : {TRect{5, 5, 5, 5}, TRect{0, 0, 0, 8}, TRect{10, 10, 0, 0}}) {
    EXPECT_NO_THROW(image->Draw(target->GetCanvas(), empty)) << empty.left << "," << empty.top;
    EXPECT_EQ(image->GetCache(), nullptr);
  }
}

// ---------------------------------------------------------------------------
// Glyphs

TEST_F(GlyphsTest, GlyphSourceSizeAndDPI)
{
  TOwnedPtr<TdxSmartGlyph> glyph(NewPatternImage<TdxSmartGlyph>());
  EXPECT_EQ(glyph->GetSourceDPI(), 96);
  const rtl::TPropInfo* heightProp = rtl::GetPropInfo(glyph.get(), L"SourceHeight");
  const rtl::TPropInfo* dpiProp = rtl::GetPropInfo(glyph.get(), L"SourceDPI");
  ASSERT_TRUE(heightProp && dpiProp);

  glyph->SetSourceHeight(PatternHeight);
  EXPECT_EQ(glyph->GetSourceHeight(), PatternHeight);
  EXPECT_FALSE(rtl::IsStoredProp(glyph.get(), heightProp)) << "the image's own height is not stored";
  glyph->SetSourceHeight(16);
  EXPECT_TRUE(rtl::IsStoredProp(glyph.get(), heightProp));
  glyph->SetSourceWidth(-5);
  EXPECT_EQ(glyph->GetSourceWidth(), PatternWidth);

  struct TCase {
    int Value;
    int Stored;
  };
  for (const TCase& item : {TCase{600, 480}, TCase{10, 30}, TCase{144, 144}}) {
    glyph->SetSourceDPI(item.Value);
    EXPECT_EQ(glyph->GetSourceDPI(), item.Stored) << item.Value;
  }
  EXPECT_TRUE(rtl::IsStoredProp(glyph.get(), dpiProp));

  IPtr<IdxSourceSize> sourceSize;
  IPtr<IdxSourceDPI> sourceDPI;
  ASSERT_TRUE(rtl::Supports(glyph.get(), &sourceSize));
  ASSERT_TRUE(rtl::Supports(glyph.get(), &sourceDPI));
  EXPECT_EQ(sourceSize->GetSourceSize(), (TSize{PatternWidth, 16}));
  EXPECT_EQ(sourceDPI->GetSourceDPI(), 144);

  TOwnedPtr<TdxSmartGlyph> copy(rtl::New<TdxSmartGlyph>());
  copy->Assign(glyph.get());
  EXPECT_EQ(copy->GetSourceDPI(), 144);
  EXPECT_EQ(copy->GetSourceHeight(), 16);

  TOwnedPtr<TdxSmartGlyph> empty(rtl::New<TdxSmartGlyph>());
  EXPECT_FALSE(rtl::IsStoredProp(empty.get(), dpiProp)) << "an empty glyph stores no DPI";
  EXPECT_EQ(empty->GetSourceSize(), (TSize{0, 0}));
}

// A 24-bit BMP file of 2 x 2: bottom row black (the key colour), top row
// white and red.
TBytes KeyedBitmapFile()
{
  TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(2, 2);
  vcl::TCanvas* canvas = bitmap->GetCanvas();
  canvas->GetBrush()->SetColor(vcl::clBlack);
  canvas->FillRect(TRect{0, 1, 2, 2});
  canvas->GetBrush()->SetColor(vcl::clWhite);
  canvas->FillRect(TRect{0, 0, 1, 1});
  canvas->GetBrush()->SetColor(vcl::clRed);
  canvas->FillRect(TRect{1, 0, 2, 1});
  auto stream = StreamOf({});
  bitmap->SaveToStream(stream.get());
  return BytesOf(stream.get());
}

TEST_F(GlyphsTest, GlyphLoadsSizePrefixedBitmapsWithTheKeyColourTransparent)
{
  const TBytes file = KeyedBitmapFile();
  const auto size = static_cast<std::uint32_t>(file.size());
  const TBytes prefixed = Join({LE16(size & 0xFFFF), LE16(size >> 16), file});
  for (const TBytes* bytes : {&file, &prefixed}) {
    TOwnedPtr<TdxSmartGlyph> glyph(NewImageOf<TdxSmartGlyph>(*bytes));
    ASSERT_EQ(glyph->GetSize(), (TSize{2, 2}));
    const std::vector<std::uint32_t> colors = ColorsOf(glyph->GetBitmapBits());
    EXPECT_EQ(colors[0] >> 24, 0xFFu);
    EXPECT_EQ(colors[1] >> 24, 0xFFu);
    EXPECT_EQ(colors[2] >> 24, 0u);
    EXPECT_EQ(colors[3] >> 24, 0u);
  }
  // A smart image keeps the key colour opaque, and cannot read the prefix.
  TOwnedPtr<TdxSmartImage> image(NewImageOf(file));
  EXPECT_EQ(ColorsOf(image->GetBitmapBits())[3] >> 24, 0xFFu);
}

TEST_F(GlyphsTest, GlyphBitmapTestLeavesShortStreamsWhereTheyWere)
{
  struct TCase {
    const char* Name;
    TBytes Bytes;
  };
  const TCase cases[] = {{"empty", {}},
                         {"two bytes", {1, 2}},
                         {"size without a bitmap", Join({LE16(20), LE16(0), Text("XX"), TBytes(12, 0)})},
                         {"size that does not match", Join({LE16(99), LE16(0), Text("BM"), LE16(20), TBytes(10, 0)})}};
  for (const TCase& item : cases) {
    const TBytes bytes = Join({{7}, item.Bytes});
    auto stream = StreamOf(bytes);
    stream->SetPosition(1);
    TOwnedPtr<TdxSmartGlyph> glyph(rtl::New<TdxSmartGlyph>());
    glyph->LoadFromStream(stream.get());
    // Not a bitmap: the rest is kept as it came.
    EXPECT_EQ(glyph->GetImageData()->Empty(), item.Bytes.empty()) << item.Name;
    if (!item.Bytes.empty()) {
      EXPECT_EQ(BytesOf(glyph->GetImageData()->FData), item.Bytes) << item.Name;
    }
  }
}

// ---------------------------------------------------------------------------
// Registrations

TEST_F(GlyphsTest, ImageClassesAreRegistered)
{
  EXPECT_EQ(rtl::GetClass(L"TdxSmartImage").ClassType(), TdxSmartImage::StaticClass());
  EXPECT_EQ(rtl::GetClass(L"TdxPNGImage").ClassType(), TdxPNGImage::StaticClass());
  for (TdxImageDataFormat format : {dxImagePng, dxImageTiff, dxImageGif, dxImageJpeg})
    EXPECT_GE(dxGetImageClipboardFormat(format), 0xC000) << int(format);
  EXPECT_EQ(dxGetImageClipboardFormat(dxImageBitmap), CF_BITMAP);
  EXPECT_EQ(dxGetImageClipboardFormat(dxImageEmf), 0);
  EXPECT_EQ(dxGetImageClipboardFormat(dxImagePng), RegisterClipboardFormatW(L"PNG"));
}

TEST_F(GlyphsTest, PicturesLoadImageFilesByExtension)
{
  wchar_t directory[MAX_PATH];
  GetTempPathW(MAX_PATH, directory);
  struct TCase {
    const wchar_t* Ext;
    TBytes Bytes;
    rtl::TClass Class;
  };
  const TCase cases[] = {{L".png", EncodedPattern(TdxGPImageCodecPNG::Class()), TdxPNGImage::StaticClass()},
                         {L".JPG", EncodedPattern(TdxGPImageCodecJPEG::Class()), TdxSmartImage::StaticClass()},
                         {L".tif", EncodedPattern(TdxGPImageCodecTIFF::Class()), TdxSmartImage::StaticClass()},
                         {L".gif", AnimatedGif(0), TdxSmartImage::StaticClass()}};
  for (const TCase& item : cases) {
    const rtl::String name = rtl::String(directory) + L"kv-glyphs-test" + item.Ext;
    {
      TOwnedPtr<rtl::TFileStream> file(rtl::New<rtl::TFileStream>(name, rtl::fmCreate));
      file->WriteBuffer(item.Bytes.data(), static_cast<int>(item.Bytes.size()));
    }
    TOwnedPtr<vcl::TPicture> picture(rtl::New<vcl::TPicture>());
    picture->LoadFromFile(name);
    DeleteFileW(name.c_str());
    ASSERT_NE(picture->GetGraphic(), nullptr);
    EXPECT_EQ(picture->GetGraphic()->ClassType(), item.Class) << item.Ext;
    EXPECT_GT(picture->GetWidth(), 0) << item.Ext;
  }
}

}  // namespace
