// The smart image model with a codec of the test's own, so that what is
// decoded, measured and encoded when is visible.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "graphics/dxSmartImage.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"

using enum vcl::TAlphaFormat;
using enum vcl::TPixelFormat;
using enum vcl::TTransparentMode;

namespace {

using rtl::TOwnedPtr;

RGBQUAD Pixel(std::uint32_t AValue)
{
  RGBQUAD result;
  std::memcpy(&result, &AValue, sizeof(result));
  return result;
}

std::uint32_t Value(const RGBQUAD& APixel)
{
  std::uint32_t result;
  std::memcpy(&result, &APixel, sizeof(result));
  return result;
}

// "TST" then width and height as bytes, then one colour byte: the format of
// the test codec.
std::vector<std::uint8_t> TestImageBytes(std::uint8_t AWidth, std::uint8_t AHeight, std::uint8_t AColor)
{
  return {'T', 'S', 'T', AWidth, AHeight, AColor};
}

TOwnedPtr<rtl::TBytesStream> SmartImageStreamOf(const std::vector<std::uint8_t>& ABytes)
{
  return TOwnedPtr<rtl::TBytesStream>(rtl::New<rtl::TBytesStream>(ABytes));
}

std::vector<std::uint8_t> BytesOf(rtl::TStream* AStream)
{
  std::vector<std::uint8_t> result(static_cast<std::size_t>(AStream->GetSize()));
  AStream->SetPosition(0);
  if (!result.empty())
    AStream->ReadBuffer(result.data(), static_cast<int>(result.size()));
  return result;
}

// How often the test codec was asked to decode and to probe.
struct TSmartImageTestCounters {
  int Loads = 0;
  int Probes = 0;
};

TSmartImageTestCounters& Counters()
{
  static TSmartImageTestCounters counters;
  return counters;
}

// A handle of one grey level that draws by filling.
class TSmartImageTestHandle : public TdxSmartImageCustomHandle, public IdxImageDataFormat {
  RTL_CLASS(TSmartImageTestHandle, TdxSmartImageCustomHandle)
  RTL_INTERFACES(IdxImageDataFormat)

 public:
  using TdxSmartImageCustomHandle::Draw;
  void Create(TSize ASize, std::uint8_t AColor)
  {
    FSize = ASize;
    FColor = AColor;
  }
  void GetSize(TSize& ASize) override { ASize = FSize; }
  void SetSize(const TSize& ASize) override { FSize = ASize; }
  void Draw(HDC DC, const TRect& ADest, const TRect&, std::uint8_t, IdxColorPalette*) override
  {
    HBRUSH brush = CreateSolidBrush(RGB(FColor, FColor, FColor));
    FillRect(DC, &ADest, brush);
    DeleteObject(brush);
  }
  TdxImageDataFormat __stdcall GetImageFormat() override { return dxImageExif; }
  std::uint8_t Color() const { return FColor; }

 private:
  TSize FSize;
  std::uint8_t FColor;
};

class TSmartImageTestCodec : public TdxSmartImageCodec {
  DX_SMART_IMAGE_CODEC(TSmartImageTestCodec)

 public:
  TdxImageDataFormat ID() const override { return dxImageExif; }
  rtl::String Ext() const override { return L".tst"; }
  bool CanLoadStream(rtl::TStream* AStream) const override
  {
    const std::int64_t position = AStream->GetPosition();
    char signature[3] = {};
    const bool result = AStream->Read(signature, 3) == 3 && std::memcmp(signature, "TST", 3) == 0;
    AStream->SetPosition(position);
    return result;
  }
  bool GetSize(rtl::TStream* AStream, TSize& ASize) const override
  {
    ++Counters().Probes;
    std::uint8_t header[5];
    if (AStream->Read(header, 5) != 5 || std::memcmp(header, "TST", 3) != 0)
      return false;
    ASize = {header[3], header[4]};
    return true;
  }
  bool CanLoadFromBits() const override { return true; }
  using TdxSmartImageCodec::Load;
  bool Load(const TRGBColors& ABits, vcl::TAlphaFormat, int AWidth, int AHeight,
            TdxSmartImageCustomHandle*& AHandle) const override
  {
    ++Counters().Loads;
    AHandle = rtl::New<TSmartImageTestHandle>(TSize{AWidth, AHeight}, ABits.empty() ? 0 : ABits[0].rgbRed);
    return true;
  }
  bool Load(rtl::TStream* AStream, TdxSmartImageCustomHandle*& AHandle) const override
  {
    ++Counters().Loads;
    std::uint8_t header[6];
    if (AStream->Read(header, 6) != 6 || std::memcmp(header, "TST", 3) != 0)
      return false;
    AHandle = rtl::New<TSmartImageTestHandle>(TSize{header[3], header[4]}, header[5]);
    return true;
  }
  bool Save(rtl::TStream* AStream, TdxSmartImageCustomHandle* AHandle) const override
  {
    if (!rtl::Is<TSmartImageTestHandle>(AHandle))
      return false;
    const TSize size = AHandle->Size();
    const auto bytes = TestImageBytes(static_cast<std::uint8_t>(size.cx), static_cast<std::uint8_t>(size.cy),
                                      static_cast<TSmartImageTestHandle*>(AHandle)->Color());
    AStream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return true;
  }
};

// A codec that never manages to encode.
class TSmartImageTestFailingCodec : public TSmartImageTestCodec {
  DX_SMART_IMAGE_CODEC(TSmartImageTestFailingCodec)

 public:
  TdxImageDataFormat ID() const override { return dxImageIcon; }
  rtl::String Ext() const override { return L".fail"; }
  bool Save(rtl::TStream*, TdxSmartImageCustomHandle*) const override { return false; }
};

// Exposes the cache decisions and counts the caches built.
class TSmartImageTestImage : public TdxCustomSmartImage {
  RTL_CLASS(TSmartImageTestImage, TdxCustomSmartImage)

 public:
  using TdxCustomSmartImage::CanCreateCache;
  int CacheBuilds;

 protected:
  TdxSmartImageCustomHandle* CreateCache(const TSize& ATargetSize) override
  {
    ++CacheBuilds;
    return rtl::New<TSmartImageTestHandle>(ATargetSize, 0);
  }
};

// Only the test codecs are registered while a test runs; the codecs the
// program registered come back afterwards.
class SmartImageTest : public testing::Test {
 protected:
  void SetUp() override
  {
    while (TdxSmartImageCodecsRepository::Count() > 0) {
      FSaved.push_back(TdxSmartImageCodecsRepository::GetItem(0));
      TdxSmartImageCodecsRepository::Unregister(FSaved.back());
    }
    TdxSmartImageCodecsRepository::Register(TSmartImageTestCodec::Class());
    Counters() = {};
  }
  void TearDown() override
  {
    while (TdxSmartImageCodecsRepository::Count() > 0)
      TdxSmartImageCodecsRepository::Unregister(TdxSmartImageCodecsRepository::GetItem(0));
    for (TdxSmartImageCodecClass codec : FSaved)
      TdxSmartImageCodecsRepository::Register(codec);
  }

  static TOwnedPtr<TdxCustomSmartImage> LoadedImage(const std::vector<std::uint8_t>& ABytes)
  {
    TOwnedPtr<TdxCustomSmartImage> image(rtl::New<TdxCustomSmartImage>());
    image->LoadFromStream(SmartImageStreamOf(ABytes).get());
    return image;
  }

 private:
  std::vector<TdxSmartImageCodecClass> FSaved;
};

// ---------------------------------------------------------------------------
// Pixel routines

TEST(SmartImageHelperTest, AlphaClassification)
{
  struct {
    const char* Name;
    std::vector<std::uint32_t> Pixels;
    bool HasAlpha;
    bool Premultiplied;
  } cases[] = {
      {"empty", {}, false, true},
      {"all zero is a fully transparent image", {0, 0}, true, true},
      {"no alpha byte anywhere", {0x00FF0000, 0}, false, false},
      {"straight alpha", {0x80FF0000}, true, false},
      {"premultiplied", {0x80800000, 0xFF00FF00}, true, true},
  };
  for (const auto& c : cases) {
    TRGBColors bits;
    for (std::uint32_t value : c.Pixels)
      bits.push_back(Pixel(value));
    EXPECT_EQ(TdxSmartImageHelper::HasAlpha(bits), c.HasAlpha) << c.Name;
    EXPECT_EQ(TdxSmartImageHelper::AreColorsPremultiplied(bits), c.Premultiplied) << c.Name;
  }
  const TRGBColors filled = TdxSmartImageHelper::AllocColors(3, 2, 0x12345678);
  ASSERT_EQ(filled.size(), 6u);
  EXPECT_EQ(Value(filled[5]), 0x12345678u);
}

// A pixel count past what memory can address must not wrap into a small
// array that the image would then take for all of its pixels.
TEST(SmartImageHelperTest, AllocColorsRefusesCountsBeyondMemory)
{
  const struct {
    int Width;
    int Height;
  } cases[] = {{65536, 65536}, {65537, 65537}, {0x7FFFFFFF, 2}};
  for (const auto& c : cases)
    EXPECT_THROW(TdxSmartImageHelper::AllocColors(c.Width, c.Height, 0), rtl::EOutOfMemory)
        << c.Width << " x " << c.Height;
}

// ---------------------------------------------------------------------------
// Image data

TEST(SmartImageDataTest, LoadFromStreamTakesTheRestAndCloneKeepsThePosition)
{
  auto source = SmartImageStreamOf({1, 2, 3, 4, 5});
  source->SetPosition(2);
  TOwnedPtr<TdxSmartImageData> data(rtl::New<TdxSmartImageData>());
  data->LoadFromStream(source.get());
  ASSERT_NE(data->FData, nullptr);
  EXPECT_EQ(BytesOf(data->FData), (std::vector<std::uint8_t>{3, 4, 5}));

  data->FData->SetPosition(1);
  TOwnedPtr<TdxSmartImageDataStream> clone(TdxSmartImageDataStream::Clone(data->FData));
  EXPECT_EQ(data->FData->GetPosition(), 1);
  EXPECT_EQ(clone->GetPosition(), 0);
  EXPECT_EQ(BytesOf(clone.get()), (std::vector<std::uint8_t>{3, 4, 5}));
  EXPECT_EQ(TdxSmartImageDataStream::Clone(nullptr), nullptr);

  // An exhausted stream leaves the data empty.
  data->LoadFromStream(source.get());
  EXPECT_TRUE(data->Empty());
}

TEST(SmartImageDataTest, TransparencyOfA24BitBitmapFollowsTheBottomLeftPixel)
{
  for (bool transparent : {false, true}) {
    TOwnedPtr<vcl::TBitmap> bitmap(rtl::New<vcl::TBitmap>());
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(3, 2);
    bitmap->GetCanvas()->GetBrush()->SetColor(vcl::clRed);
    bitmap->GetCanvas()->FillRect({0, 0, 3, 2});
    bitmap->GetCanvas()->SetPixel(2, 0, vcl::clBlue);
    TOwnedPtr<TdxSmartImageData> data(rtl::New<TdxSmartImageData>());
    data->FTransparent = transparent;
    data->LoadFromBitmap(bitmap.get());
    ASSERT_EQ(data->FBits.size(), 6u);
    EXPECT_EQ(data->FBitsFormat, afPremultiplied);
    for (int i = 0; i < 6; ++i) {
      const bool isBlue = i == 2;
      EXPECT_EQ(data->FBits[i].rgbReserved, transparent && !isBlue ? 0 : 255) << "pixel " << i;
    }
  }
}

// An array shorter than its stated row, or a size without width, has no
// bottom-left pixel at (count - width): the key is then the first pixel
// rather than memory outside the array.
TEST(SmartImageDataTest, TransparencyKeyOfPixelsThatDoNotFillTheirSize)
{
  const LONG widths[] = {5, 0, -3};
  for (LONG width : widths) {
    TOwnedPtr<TdxSmartImageData> data(rtl::New<TdxSmartImageData>());
    data->FTransparent = true;
    data->FTransparentMode = tmAuto;
    data->LoadFromBits({Pixel(0x00123456), Pixel(0x00ABCDEF)}, {width, 1}, afIgnored);
    ASSERT_EQ(data->FBits.size(), 2u);
    EXPECT_EQ(data->FBits[0].rgbReserved, 0) << width;
    EXPECT_EQ(data->FBits[1].rgbReserved, 255) << width;
  }
}

// ---------------------------------------------------------------------------
// Repository

TEST_F(SmartImageTest, RepositoryListsInRegistrationOrder)
{
  TdxSmartImageCodecsRepository::Register(TSmartImageTestFailingCodec::Class());
  TdxSmartImageCodecsRepository::Register(TSmartImageTestCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::Count(), 3);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(L".TST"), TSmartImageTestCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(L".fail"), TSmartImageTestFailingCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(L""), nullptr);
  // The first registered codec of an id answers.
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImageExif), TSmartImageTestCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImagePng), nullptr);

  TdxSmartImageCodecsRepository::Unregister(TSmartImageTestCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByID(dxImageIcon), TSmartImageTestFailingCodec::Class());
  EXPECT_TRUE(TdxSmartImageCodecsRepository::Contains(TSmartImageTestCodec::Class()));
  TdxSmartImageCodecsRepository::Unregister(TSmartImageTestCodec::Class());
  TdxSmartImageCodecsRepository::Unregister(TSmartImageTestFailingCodec::Class());
  EXPECT_EQ(TdxSmartImageCodecsRepository::Count(), 0);
  EXPECT_EQ(TdxSmartImageCodecsRepository::GetFormatByExt(L".tst"), nullptr);
  EXPECT_FALSE(TdxSmartImageCodecsRepository::Contains(TSmartImageTestCodec::Class()));
  // Unregistering from no list at all is harmless.
  TdxSmartImageCodecsRepository::Unregister(TSmartImageTestCodec::Class());
}

TEST_F(SmartImageTest, DescriptionIsTheExtensionInCapitals)
{
  EXPECT_EQ(TSmartImageTestCodec::Class()->Description(), L"TST graphics from Quorvane");
  EXPECT_EQ(TdxSmartImageCodec::Class()->Description(), L" graphics from Quorvane");
  EXPECT_STREQ(TSmartImageTestFailingCodec::Class()->ClassName(), L"TSmartImageTestFailingCodec");
}

// ---------------------------------------------------------------------------
// The smart image

TEST_F(SmartImageTest, SizeComesFromTheHeaderWithoutDecoding)
{
  auto image = LoadedImage(TestImageBytes(7, 5, 0x40));
  EXPECT_EQ(image->GetWidth(), 7);
  EXPECT_EQ(image->GetHeight(), 5);
  EXPECT_FALSE(image->HandleAllocated());
  EXPECT_EQ(Counters().Loads, 0);
  // The size read from the header is kept: no second probe.
  EXPECT_EQ(Counters().Probes, 1);
}

TEST_F(SmartImageTest, SavingInItsOwnFormatCopiesTheLoadedBytes)
{
  // A trailing byte the codec would never write shows that nothing was
  // re-encoded.
  std::vector<std::uint8_t> bytes = TestImageBytes(2, 2, 9);
  bytes.push_back(0xEE);
  auto image = LoadedImage(bytes);
  auto output = SmartImageStreamOf({});
  image->SaveToStream(output.get());
  EXPECT_EQ(BytesOf(output.get()), bytes);
  EXPECT_EQ(Counters().Loads, 0);

  // Once decoded, the image's own format still copies the stored bytes.
  EXPECT_EQ(image->GetImageDataFormat(), dxImageExif);
  TOwnedPtr<TdxSmartImageDataStream> encoded(image->CreateEncodedStream(TSmartImageTestCodec::Class()));
  EXPECT_EQ(BytesOf(encoded.get()), bytes);
}

TEST_F(SmartImageTest, UndecodableDataRaisesOnEveryUseAndStays)
{
  auto image = LoadedImage({'X', 'Y', 'Z', 1, 2, 3, 4});
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      image->GetWidth();
      FAIL() << "no exception";
    } catch (const EdxException& E) {
      EXPECT_EQ(E.Message(), L"Unsupported image format.");
    }
  }
  EXPECT_FALSE(image->GetEmpty());
}

TEST_F(SmartImageTest, EncodingFailuresRaiseAndWriteNothing)
{
  auto image = LoadedImage(TestImageBytes(2, 2, 9));
  auto output = SmartImageStreamOf({});
  try {
    image->SaveToStreamByCodec(output.get(), TSmartImageTestFailingCodec::Class());
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"The TSmartImageTestFailingCodec codec failed to export the image (7)");
  }
  EXPECT_EQ(output->GetSize(), 0);
  try {
    TOwnedPtr<TdxSmartImageDataStream> stream(image->CreateEncodedStream(nullptr));
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"Operation was not supported.");
  }
}

TEST_F(SmartImageTest, ResizeOfAnUndecodedImageOnlyRecordsTheSize)
{
  auto image = LoadedImage(TestImageBytes(40, 30, 9));
  image->Resize(10, 12);
  EXPECT_FALSE(image->HandleAllocated());
  EXPECT_EQ(Counters().Loads, 0);
  EXPECT_EQ(image->GetWidth(), 10);
  // The first use decodes and applies the recorded size.
  EXPECT_EQ(image->GetImageHandle()->Size().cy, 12);
  EXPECT_EQ(Counters().Loads, 1);
}

TEST_F(SmartImageTest, DormantKeepsTheDataAndDropsTheHandle)
{
  TOwnedPtr<TdxCustomSmartImage> image(rtl::NewWith<TdxCustomSmartImage>(
      [](TdxCustomSmartImage* I) { I->CreateFromBits(4, 3, TdxSmartImageHelper::AllocColors(4, 3, 0xFF505050), true); }));
  EXPECT_EQ(image->GetImageDataFormat(), dxImageExif);
  EXPECT_TRUE(image->HandleAllocated());
  image->Dormant();
  EXPECT_FALSE(image->HandleAllocated());
  // Pixels and encoded bytes are both kept; the pixels are decoded first.
  EXPECT_FALSE(image->GetImageData()->FBits.empty());
  ASSERT_NE(image->GetImageData()->FData, nullptr);
  EXPECT_EQ(BytesOf(image->GetImageData()->FData), TestImageBytes(4, 3, 0x50));
}

TEST_F(SmartImageTest, CloneAndCompare)
{
  auto image = LoadedImage(TestImageBytes(3, 3, 0x80));
  TOwnedPtr<TdxCustomSmartImage> clone(image->Clone());
  EXPECT_EQ(clone->ClassType(), image->ClassType());
  EXPECT_TRUE(clone->Compare(image.get()));
  EXPECT_EQ(clone->GetHashCode(), image->GetHashCode());
  auto other = LoadedImage(TestImageBytes(3, 3, 0x81));
  EXPECT_FALSE(other->Compare(image.get()));
  auto smaller = LoadedImage(TestImageBytes(2, 3, 0x80));
  EXPECT_FALSE(smaller->Equals(image.get()));

  // A handle-only image of a non-bitmap format is cloned through a save and a
  // load.
  TOwnedPtr<TdxCustomSmartImage> handleOnly(rtl::New<TdxCustomSmartImage>());
  handleOnly->SetImageHandle(rtl::New<TSmartImageTestHandle>(TSize{3, 3}, 0x80));
  TOwnedPtr<TdxCustomSmartImage> copy(handleOnly->Clone());
  ASSERT_NE(copy->GetImageData()->FData, nullptr);
  EXPECT_EQ(BytesOf(copy->GetImageData()->FData), TestImageBytes(3, 3, 0x80));
}

TEST_F(SmartImageTest, ClearEmptiesAndNotifiesOnce)
{
  auto image = LoadedImage(TestImageBytes(3, 3, 0x80));
  image->SetModified(false);
  image->Clear();
  EXPECT_TRUE(image->GetEmpty());
  EXPECT_TRUE(image->GetModified());
  image->SetModified(false);
  image->Clear();
  EXPECT_FALSE(image->GetModified());
  EXPECT_EQ(image->GetWidth(), 0);
  // An empty image saves nothing.
  auto output = SmartImageStreamOf({});
  image->SaveToStream(output.get());
  EXPECT_EQ(output->GetSize(), 0);
}

TEST_F(SmartImageTest, CacheIsBuiltOnceForSmallTargetsAndAgainForAnotherPalette)
{
  struct {
    TSize Image;
    TSize Target;
    bool Expected;
  } cases[] = {
      {{100, 100}, {49, 49}, true},
      {{100, 100}, {50, 50}, false},
      {{100, 100}, {20, 100}, false},
      {{100, 100}, {100, 20}, false},
      {{100, 100}, {0, 0}, false},
      {{100, 100}, {0, 20}, false},
      {{100, 100}, {-10, -10}, false},
  };
  TOwnedPtr<TSmartImageTestImage> image(rtl::New<TSmartImageTestImage>());
  for (const auto& c : cases)
    EXPECT_EQ(image->CanCreateCache(c.Image, c.Target), c.Expected) << c.Target.cx << "x" << c.Target.cy;

  image->LoadFromStream(SmartImageStreamOf(TestImageBytes(100, 100, 1)).get());
  image->SetUseCache(true);
  TOwnedPtr<vcl::TBitmap> target(rtl::New<vcl::TBitmap>());
  target->SetSize(20, 20);
  const HDC dc = target->GetCanvas()->GetHandle();
  image->StretchDraw(dc, TRect{0, 0, 20, 20});
  image->StretchDraw(dc, TRect{0, 0, 20, 20});
  EXPECT_EQ(image->CacheBuilds, 1);
  rtl::IPtr<IdxColorPalette> palette(rtl::New<TdxSimpleColorPalette>(0xFF000000, 0xFF000000));
  image->StretchDraw(dc, TRect{0, 0, 20, 20}, 255, palette.Get());
  EXPECT_EQ(image->CacheBuilds, 2);
  // A target too large for a cache draws from the handle.
  image->StretchDraw(dc, TRect{0, 0, 80, 80});
  EXPECT_EQ(image->GetCache(), nullptr);
}

}  // namespace
