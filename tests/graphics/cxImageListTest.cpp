#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/dxCore.h"
#include "graphics/cxGraphicsDraw.h"
#include "graphics/cxGraphicsPaintCache.h"
#include "graphics/cxImageList.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "graphics/dxSmartImage.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "tests/platform/vcl/GraphicsTestSupport.h"

using namespace vcl;
using enum vcl::TPixelFormat;
using vcltest::TSurface;

namespace {

// A graphic that says it is a vector image and draws nothing.
class TcxImageListTestVector : public TGraphic, public IdxVectorImage {
  RTL_CLASS(TcxImageListTestVector, TGraphic)
  RTL_INTERFACES(IdxVectorImage)

 public:
  void Create() override { FWidth = FHeight = 16; }
  void Draw(TCanvas*, const TRect&) override {}
  bool GetEmpty() override { return false; }
  int GetWidth() override { return FWidth; }
  int GetHeight() override { return FHeight; }
  void SetWidth(int AValue) override { FWidth = AValue; }
  void SetHeight(int AValue) override { FHeight = AValue; }
  void LoadFromStream(rtl::TStream*) override {}
  void SaveToStream(rtl::TStream*) override {}
  void Assign(rtl::TPersistent* ASource) override
  {
    if (auto* source = rtl::Is<TcxImageListTestVector>(ASource) ? static_cast<TcxImageListTestVector*>(ASource)
                                                                 : nullptr) {
      FWidth = source->FWidth;
      FHeight = source->FHeight;
    } else
      inherited::Assign(ASource);
  }

 private:
  int FWidth;
  int FHeight;
};

using TOwnedList = rtl::TOwnedPtr<TcxImageList>;

TOwnedList NewList(int AWidth = 16, int AHeight = 16)
{
  TOwnedList list(rtl::New<TcxImageList>(nullptr));
  list->SetSize(AWidth, AHeight);
  return list;
}

// Opaque 32-bit cells of AColors side by side, each ACell pixels square.
rtl::TOwnedPtr<TcxBitmap32> NewStrip(const std::vector<TColor>& AColors, int ACell = 16)
{
  rtl::TOwnedPtr<TcxBitmap32> bitmap(rtl::NewWith<TcxBitmap32>(
      [&](TcxBitmap32* B) { B->CreateSize(ACell * static_cast<int>(AColors.size()), ACell, true); }));
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap->GetWidth()) * ACell);
  for (int y = 0; y < ACell; ++y)
    for (int x = 0; x < bitmap->GetWidth(); ++x)
      pixels[y * bitmap->GetWidth() + x] = 0xFF000000 | vcltest::AsPixel(AColors[x / ACell]);
  cxWriteBitmapPixels(bitmap.get(), pixels);
  return bitmap;
}

// The colour ($00RRGGBB) of the centre of a native image.
std::uint32_t NativeCentre(TCustomImageList* AList, int AIndex)
{
  TSurface surface(AList->GetWidth(), AList->GetHeight(), 0x00808080);
  ImageList_Draw(AList->GetHandle(), AIndex, surface.DC(), 0, 0, ILD_NORMAL);
  return surface.Pixel(AList->GetWidth() / 2, AList->GetHeight() / 2);
}

// The colour of the centre of an item's source.
std::uint32_t ItemCentre(TcxCustomImageList* AList, int AIndex)
{
  const rtl::TOwnedPtr<TcxBitmap32> image(
      rtl::NewWith<TcxBitmap32>([&](TcxBitmap32* B) { B->CreateSize(AList->GetWidth(), AList->GetHeight(), true); }));
  AList->GetImageInfo(AIndex, image.get(), nullptr, nullptr);
  const std::vector<std::uint32_t> pixels = cxReadBitmapPixels(image.get());
  return pixels[(AList->GetHeight() / 2) * AList->GetWidth() + AList->GetWidth() / 2] & 0xFFFFFF;
}

std::vector<std::uint8_t> Written(rtl::TComponent* AComponent)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), AComponent);
  const auto* bytes = static_cast<const std::uint8_t*>(stream->Memory());
  return {bytes, bytes + stream->GetSize()};
}

void ReadInto(const std::vector<std::uint8_t>& ABytes, rtl::TComponent* AComponent)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  stream->WriteBuffer(ABytes.data(), static_cast<int>(ABytes.size()));
  stream->SetPosition(0);
  rtl::ReadComponent(stream.get(), AComponent);
}

bool Contains(const std::vector<std::uint8_t>& ABytes, const char* AText)
{
  const std::string text(AText);
  return std::search(ABytes.begin(), ABytes.end(), text.begin(), text.end()) != ABytes.end();
}

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kYellow = 0x00FFFF;

}  // namespace

TEST(cxImageListTest, AStripIsCutIntoCellsAndEveryCellIsOpaqueWithoutAMask)
{
  const TOwnedList list = NewList();
  const auto strip = NewStrip({kRed, kGreen, kBlue, kYellow});
  EXPECT_EQ(0, list->Add(strip.get(), nullptr));
  ASSERT_EQ(4, list->GetCount());
  ASSERT_EQ(4, list->GetImageInfos()->GetCount());
  const TColor colors[] = {kRed, kGreen, kBlue, kYellow};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    // A mask only as large as one cell left the later cells transparent.
    EXPECT_EQ(vcltest::AsPixel(colors[i]), NativeCentre(list.get(), i));
    EXPECT_EQ(vcltest::AsPixel(colors[i]), ItemCentre(list.get(), i));
  }
}

TEST(cxImageListTest, AVectorImageIsNeverCutIntoCells)
{
  const TOwnedList list = NewList();
  const rtl::TOwnedPtr<TcxImageListTestVector> vector(rtl::New<TcxImageListTestVector>());
  vector->SetWidth(64);
  EXPECT_FALSE(list->IsImageStrip(vector.get()));
  list->Add(vector.get(), nullptr);
  EXPECT_EQ(1, list->GetCount());
  EXPECT_EQ(1, list->GetImageInfos()->GetCount());
  EXPECT_TRUE(rtl::Is<TcxImageListTestVector>(list->GetImageInfos()->GetItem(0)->GetImage()));
}

TEST(cxImageListTest, MoveDeleteInsertAndResizeKeepTheNativeImagesAndTheSourcesInStep)
{
  const TOwnedList list = NewList();
  const auto strip = NewStrip({kRed, kGreen, kBlue, kYellow});
  list->Add(strip.get(), nullptr);
  list->Move(0, 3);
  const TColor moved[] = {kGreen, kBlue, kYellow, kRed};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(vcltest::AsPixel(moved[i]), NativeCentre(list.get(), i)) << i;
    EXPECT_EQ(vcltest::AsPixel(moved[i]), ItemCentre(list.get(), i)) << i;
  }
  list->Delete(1);
  ASSERT_EQ(3, list->GetImageInfos()->GetCount());
  EXPECT_EQ(vcltest::AsPixel(kYellow), ItemCentre(list.get(), 1));
  const auto blue = NewStrip({kBlue});
  list->Insert(0, blue.get(), nullptr);
  ASSERT_EQ(4, list->GetCount());
  EXPECT_EQ(vcltest::AsPixel(kBlue), NativeCentre(list.get(), 0));
  EXPECT_EQ(vcltest::AsPixel(kBlue), ItemCentre(list.get(), 0));
  list->Replace(1, NewStrip({kRed}).get(), nullptr);
  EXPECT_EQ(vcltest::AsPixel(kRed), NativeCentre(list.get(), 1));
  EXPECT_EQ(vcltest::AsPixel(kRed), ItemCentre(list.get(), 1));
  EXPECT_EQ(4, list->GetImageInfos()->GetCount());

  list->SetWidth(24);
  EXPECT_EQ(0, list->GetCount());
  EXPECT_EQ(0, list->GetImageInfos()->GetCount());
}

TEST(cxImageListTest, AddMaskedKeepsTheMaskColourAndClNoneAddsWithoutMask)
{
  const TOwnedList list = NewList();
  const auto strip = NewStrip({kRed});
  list->AddMasked(strip.get(), kRed);
  list->AddMasked(strip.get(), clNone);
  ASSERT_EQ(2, list->GetImageInfos()->GetCount());
  EXPECT_EQ(kRed, list->GetImageInfos()->GetItem(0)->GetMaskColor());
  EXPECT_EQ(clNone, list->GetImageInfos()->GetItem(1)->GetMaskColor());
  EXPECT_EQ(0x00808080u, NativeCentre(list.get(), 0));
  EXPECT_EQ(vcltest::AsPixel(kRed), NativeCentre(list.get(), 1));
}

TEST(cxImageListTest, AssignCopiesImageListsAndIgnoresOtherSources)
{
  const TOwnedList source = NewList();
  source->Add(NewStrip({kRed, kGreen}).get(), nullptr);
  const TOwnedList list = NewList(20, 20);
  list->Assign(source.get());
  EXPECT_EQ(16, list->GetWidth());
  ASSERT_EQ(2, list->GetImageInfos()->GetCount());
  EXPECT_EQ(vcltest::AsPixel(kGreen), ItemCentre(list.get(), 1));

  const rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>());
  EXPECT_NO_THROW(list->Assign(bitmap.get()));
  EXPECT_EQ(2, list->GetCount());

  // A platform list's images come in through the native list.
  const rtl::TOwnedPtr<TImageList> platform(rtl::New<TImageList>(nullptr));
  platform->SetColorDepth(TColorDepth::cd32Bit);
  platform->Add(NewStrip({kBlue}).get(), nullptr);
  list->Assign(platform.get());
  ASSERT_EQ(1, list->GetImageInfos()->GetCount());
  EXPECT_EQ(vcltest::AsPixel(kBlue), ItemCentre(list.get(), 0));
}

TEST(cxImageListTest, StreamsKeepTheSourcesAndWriteTheNativeListOnlyForMostlyVectorLists)
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TcxImageListTestVector>());
  struct TCase {
    int Vectors;
    int Bitmaps;
    bool NativeWritten;
  };
  const TCase cases[] = {{3, 3, true}, {1, 5, false}, {0, 2, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Vectors);
    const TOwnedList list = NewList();
    list->SetCompressData(c.Vectors == 0);
    const rtl::TOwnedPtr<TcxImageListTestVector> vector(rtl::New<TcxImageListTestVector>());
    for (int i = 0; i < c.Vectors; ++i)
      list->Add(vector.get(), nullptr);
    for (int i = 0; i < c.Bitmaps; ++i)
      list->Add(NewStrip({i % 2 ? kGreen : kRed}).get(), nullptr);
    const std::vector<std::uint8_t> bytes = Written(list.get());
    EXPECT_EQ(c.NativeWritten, Contains(bytes, "Bitmap"));
    EXPECT_TRUE(Contains(bytes, "FormatVersion"));

    const TOwnedList read = NewList();
    ReadInto(bytes, read.get());
    EXPECT_EQ(1, read->GetFormatVersion());
    ASSERT_EQ(c.Vectors + c.Bitmaps, read->GetImageInfos()->GetCount());
    EXPECT_EQ(c.Vectors + c.Bitmaps, read->GetCount());
    EXPECT_EQ(c.Vectors == 0, read->GetCompressData());
    for (int i = 0; i < c.Vectors; ++i)
      EXPECT_TRUE(rtl::Is<TcxImageListTestVector>(read->GetImageInfos()->GetItem(i)->GetImage()));
    EXPECT_EQ(vcltest::AsPixel(kRed), ItemCentre(read.get(), c.Vectors));
  }
}

TEST(cxImageListTest, AStreamOfThePlatformListGivesOneSourcePerNativeImage)
{
  const rtl::TOwnedPtr<TImageList> platform(rtl::New<TImageList>(nullptr));
  platform->SetColorDepth(TColorDepth::cd32Bit);
  platform->Add(NewStrip({kRed, kGreen, kBlue}).get(), nullptr);
  const TOwnedList read = NewList();
  ReadInto(Written(platform.get()), read.get());
  EXPECT_EQ(0, read->GetFormatVersion());
  ASSERT_EQ(3, read->GetCount());
  ASSERT_EQ(3, read->GetImageInfos()->GetCount());
  EXPECT_EQ(vcltest::AsPixel(kBlue), ItemCentre(read.get(), 2));
}

TEST(cxImageListTest, ADamagedStreamRaisesAndAnUnknownImageClassIsNamed)
{
  const TOwnedList list = NewList();
  list->Add(NewStrip({kRed, kGreen}).get(), nullptr);
  std::vector<std::uint8_t> bytes = Written(list.get());
  const TOwnedList read = NewList();
  std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + bytes.size() / 2);
  EXPECT_THROW(ReadInto(truncated, read.get()), rtl::Exception);

  const rtl::TOwnedPtr<TcxImageInfoItem> item(rtl::New<TcxImageInfoItem>(nullptr));
  try {
    item->SetImageClass(L"TStringList");
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(L"The \"TStringList\" is invalid graphic class", E.Message());
  }
  EXPECT_THROW(item->SetImageClass(L"TNoSuchGraphic"), EdxException);
}

TEST(cxImageListTest, DrawsAlphaImagesEnabledAndDisabledAndThroughThePaintCache)
{
  const TOwnedList list = NewList();
  // A red disc with a transparent corner: alpha 0 outside a 6-pixel radius.
  const rtl::TOwnedPtr<TcxBitmap32> disc(
      rtl::NewWith<TcxBitmap32>([](TcxBitmap32* B) { B->CreateSize(16, 16, true); }));
  std::vector<std::uint32_t> pixels(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      pixels[y * 16 + x] = (x - 8) * (x - 8) + (y - 8) * (y - 8) <= 36 ? 0xFFFF0000 : 0;
  cxWriteBitmapPixels(disc.get(), pixels);
  list->Add(disc.get(), nullptr);

  TSurface surface(96, 32, 0x00FFFFFF);
  const rtl::TOwnedPtr<TCanvas> canvas(rtl::New<TCanvas>());
  canvas->SetHandle(surface.DC());
  list->Draw(canvas.get(), TRect{0, 0, 32, 32}, 0, false);
  list->Draw(canvas.get(), TRect{32, 0, 64, 32}, 0, true, true);
  list->Draw(canvas.get(), TRect{64, 0, 96, 32}, 0, false, false, false);
  EXPECT_EQ(0xFF0000u, surface.Pixel(16, 16));
  EXPECT_EQ(0xFFFFFFu, surface.Pixel(9, 9));
  EXPECT_EQ(0xFF0000u, surface.Pixel(48, 16));
  const std::uint32_t disabled = surface.Pixel(80, 16);
  EXPECT_NE(0xFF0000u, disabled);
  EXPECT_NE(0xFFFFFFu, disabled);
  EXPECT_EQ(0xFFFFFFu, surface.Pixel(73, 73 - 64));

  // Three sizes on one monitor: the two most recent stay prepared.
  const rtl::TOwnedPtr<TcxCanvas> wrapper(rtl::New<TcxCanvas>(canvas.get()));
  TSurface cached(64, 64);
  const rtl::TOwnedPtr<TCanvas> cachedCanvas(rtl::New<TCanvas>());
  cachedCanvas->SetHandle(cached.DC());
  const rtl::TOwnedPtr<TcxCanvas> cachedWrapper(rtl::New<TcxCanvas>(cachedCanvas.get()));
  for (int size : {16, 24, 32})
    TdxImageListPaintCache::Draw(cachedWrapper.get(), TRect{0, 0, size, size}, list.get(), true, nullptr, true,
                                 TcxImageDrawMode::idmNormal, 0);
  EXPECT_EQ(std::min(GetSystemMetrics(SM_CMONITORS), 1) * 2, TdxImageListPaintCache::GetCachedSizeCount(list.get()));
  EXPECT_EQ(0xFF0000u, cached.Pixel(16, 16));
  list->Clear();
  EXPECT_EQ(0, TdxImageListPaintCache::GetCachedSizeCount(list.get()));
  canvas->SetHandle(nullptr);
  cachedCanvas->SetHandle(nullptr);

  const char* folder = std::getenv("KV_RENDER_DIR");
  if (folder) {
    const rtl::TOwnedPtr<TcxBitmap32> sheet(
        rtl::NewWith<TcxBitmap32>([](TcxBitmap32* B) { B->CreateSize(96, 32, true); }));
    cxBlitRect(sheet->GetCanvas()->GetHandle(), surface.DC(), sheet->GetClientRect(), cxNullPoint);
    sheet->MakeOpaque();
    const rtl::TOwnedPtr<TdxPNGImage> png(rtl::New<TdxPNGImage>());
    png->LoadFromBitmap(sheet.get());
    png->SaveToFile((std::wstring(folder, folder + std::strlen(folder)) + L"\\ImageListSheet.png"));
  }
}
