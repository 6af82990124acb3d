#include "graphics/cxGraphicsBitmaps.h"

#include <gtest/gtest.h>

#include "platform/rtl/ClassesComponents.h"
#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/TypInfo.h"

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

using enum TcxBitmapTransformationMode;
using enum TcxRotationAngle;
using enum vcl::TPixelFormat;

using namespace vcl;
using TBytes = std::vector<std::uint8_t>;

namespace {

// ---------------------------------------------------------------------------
// XDBM runs and stream form, against bytes worked out by hand

struct TRunsCase {
  const char* Name;
  TBytes Data;
  int BlockSize;
  TBytes Expected;
};

TBytes Repeated(std::uint8_t AValue, int ACount)
{
  return TBytes(ACount, AValue);
}

TBytes Counting(int ACount)
{
  TBytes result(ACount);
  std::iota(result.begin(), result.end(), std::uint8_t{0});
  return result;
}

TBytes Concat(std::initializer_list<TBytes> AParts)
{
  TBytes result;
  for (const TBytes& part : AParts)
    result.insert(result.end(), part.begin(), part.end());
  return result;
}

TEST(cxGraphicsBitmaps, XDBMRunsTable)
{
  const TRunsCase cases[] = {
      {"nothing", {}, 1, {}},
      {"one block is a literal of 1", {9}, 1, {0x81, 9}},
      {"A B C C D", {1, 2, 3, 3, 4}, 1, {0x82, 1, 2, 0x02, 3, 0x81, 4}},
      {"two equal", {5, 5}, 1, {0x02, 5}},
      {"two different", {1, 2}, 1, {0x82, 1, 2}},
      {"literal gives its last block to the repeat", {1, 2, 2, 2}, 1, {0x81, 1, 0x03, 2}},
      {"130 equal: 125 then 5", Repeated(7, 130), 1, {125, 7, 5, 7}},
      {"125 equal: one run", Repeated(7, 125), 1, {125, 7}},
      {"126 different: 125 then 1", Counting(126), 1, Concat({{0xFD}, Counting(125), {0x81, 125}})},
      {"blocks of 3", {1, 2, 3, 1, 2, 3, 4, 5, 6}, 3, {0x02, 1, 2, 3, 0x81, 4, 5, 6}},
      {"blocks of 4 differing in one byte", {1, 2, 3, 4, 1, 2, 3, 5}, 4, {0x82, 1, 2, 3, 4, 1, 2, 3, 5}},
      {"repeat after literal at the end", {8, 9, 9}, 1, {0x81, 8, 0x02, 9}},
  };
  for (const TRunsCase& item : cases) {
    TBytes output;
    cxXDBM::EncodeRuns(item.Data, item.BlockSize, output);
    EXPECT_EQ(output, item.Expected) << item.Name;
  }
}

TEST(cxGraphicsBitmaps, XDBMStreamFormOfThreeNPlusTwoBytes)
{
  // 24 bits: block size 3, remainder 2 written raw, then the runs over six
  // bytes (one repeat of two blocks).
  const TBytes data = {9, 8, 1, 1, 1, 1, 1, 1};
  const TBytes expected = {8, 0, 0, 0, 'X', 'D', 'B', 'M', 2, 0, 3, 2, 9, 8, 0x02, 1, 1, 1};
  EXPECT_EQ(cxXDBM::Encode(data, 24), expected);
}

TEST(cxGraphicsBitmaps, XDBMBlockSizeFollowsBitsPerPixel)
{
  const TBytes data = Counting(11);
  const struct {
    int BitsPerPixel;
    int BlockSize;
  } cases[] = {{1, 1}, {4, 1}, {8, 1}, {16, 2}, {24, 3}, {32, 4}};
  for (const auto& item : cases) {
    const TBytes encoded = cxXDBM::Encode(data, item.BitsPerPixel);
    EXPECT_EQ(encoded[10], item.BlockSize) << item.BitsPerPixel;
    EXPECT_EQ(encoded[11], 11 % item.BlockSize) << item.BitsPerPixel;
  }
}

rtl::TOwnedPtr<rtl::TMemoryStream> StreamOf(const TBytes& AData)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> result(rtl::New<rtl::TMemoryStream>());
  if (!AData.empty())
    result->WriteBuffer(AData.data(), static_cast<int>(AData.size()));
  result->SetPosition(0);
  return result;
}

TEST(cxGraphicsBitmaps, XDBMDecodeRoundTrips)
{
  TBytes mixed = Concat({Counting(40), Repeated(3, 300), {1, 2, 1, 2, 1, 2}, Counting(7)});
  const TBytes samples[] = {{}, {42}, Repeated(0, 1000), mixed, Concat({mixed, {5}})};
  for (const TBytes& data : samples)
    for (int bits : {1, 8, 16, 24, 32}) {
      const auto stream = StreamOf(cxXDBM::Encode(data, bits));
      TBytes decoded;
      ASSERT_TRUE(cxXDBM::Decode(stream.get(), decoded));
      EXPECT_EQ(decoded, data) << data.size() << " bytes, " << bits << " bits";
      EXPECT_EQ(stream->GetPosition(), stream->GetSize());
    }
}

TEST(cxGraphicsBitmaps, XDBMDecodeHandMadeStreams)
{
  struct TCase {
    const char* Name;
    TBytes Stream;
    bool IsXDBM;
    TBytes Expected;
    std::int64_t EndPosition;
  };
  const TCase cases[] = {
      {"method 1: runs of single bytes",
       {5, 0, 0, 0, 'X', 'D', 'B', 'M', 1, 0, 0x03, 'a', 0x82, 'b', 'c'},
       true,
       {'a', 'a', 'a', 'b', 'c'},
       15},
      {"method 2 stops at the count; what follows stays unread",
       {4, 0, 0, 0, 'X', 'D', 'B', 'M', 2, 0, 1, 0, 0x02, 7, 0xEE, 0xEE},
       true,
       {7, 7},
       14},
      // Never written, but a corrupt stream may hold it: it must not copy
      // the whole stream from its start.
      {"literal run of no blocks copies nothing",
       {5, 0, 0, 0, 'X', 'D', 'B', 'M', 1, 0, 0x80, 0x02, 'a', 0x81, 'b'},
       true,
       {'a', 'a', 'b'},
       15},
      {"unknown method: no data", {0, 0, 0, 0, 'X', 'D', 'B', 'M', 3, 0}, true, {}, 10},
      {"no magic", {4, 0, 0, 0, 'B', 'M', 0, 0, 0, 0, 0, 0}, false, {}, 0},
      {"too short for the header", {4, 0, 0, 0, 'X'}, false, {}, 0},
  };
  for (const TCase& item : cases) {
    const auto stream = StreamOf(item.Stream);
    TBytes decoded;
    EXPECT_EQ(cxXDBM::Decode(stream.get(), decoded), item.IsXDBM) << item.Name;
    EXPECT_EQ(decoded, item.Expected) << item.Name;
    EXPECT_EQ(stream->GetPosition(), item.EndPosition) << item.Name;
  }
}

TEST(cxGraphicsBitmaps, XDBMLiteralPastTheEndIsAReadError)
{
  const auto stream = StreamOf({9, 0, 0, 0, 'X', 'D', 'B', 'M', 1, 0, 0x85, 1, 2});
  TBytes decoded;
  EXPECT_THROW(cxXDBM::Decode(stream.get(), decoded), rtl::EReadError);
}

// ---------------------------------------------------------------------------
// Bitmaps

// Opens the stream form of the data for the tests.
class TBitmapsTestStreamBitmap : public TcxBitmap32 {
  RTL_CLASS(TBitmapsTestStreamBitmap, TcxBitmap32)

 public:
  using TcxBitmap32::ReadData;
  using TcxBitmap32::WriteData;
};

class TBitmapsTestStream24 : public TcxBitmap {
  RTL_CLASS(TBitmapsTestStream24, TcxBitmap)

 public:
  using TcxBitmap::ReadData;
  using TcxBitmap::WriteData;
};

// Counts change notifications.
class TBitmapsTestListener : public rtl::TObject {
  RTL_CLASS(TBitmapsTestListener, rtl::TObject)

 public:
  int Count = 0;
  void Notify(rtl::TObject*) { ++Count; }
};

template <class T>
rtl::TOwnedPtr<T> NewBitmap(int AWidth, int AHeight)
{
  return rtl::TOwnedPtr<T>(rtl::NewWith<T>([&](T* B) { B->CreateSize(AWidth, AHeight); }));
}

RGBQUAD Px(std::uint32_t AValue)
{
  RGBQUAD result;
  std::memcpy(&result, &AValue, 4);
  return result;
}

std::uint32_t Val(const RGBQUAD& APixel)
{
  std::uint32_t result;
  std::memcpy(&result, &APixel, 4);
  return result;
}

std::vector<std::uint32_t> Values(const TRGBColors& AColors)
{
  std::vector<std::uint32_t> result;
  for (const RGBQUAD& pixel : AColors)
    result.push_back(Val(pixel));
  return result;
}

std::vector<std::uint32_t> PixelsOf(TcxBitmap32* ABitmap)
{
  TRGBColors colors;
  ABitmap->GetBitmapColors(colors);
  return Values(colors);
}

void SetPixels(TcxBitmap32* ABitmap, const std::vector<std::uint32_t>& AValues)
{
  TRGBColors colors;
  for (std::uint32_t value : AValues)
    colors.push_back(Px(value));
  ABitmap->SetBitmapColors(colors);
}

TEST(cxGraphicsBitmaps, CreateSizeGivesPixelFormats)
{
  const auto b24 = NewBitmap<TcxBitmap>(3, 2);
  EXPECT_EQ(b24->GetPixelFormat(), pf24bit);
  EXPECT_EQ(b24->GetWidth(), 3);
  EXPECT_EQ(b24->GetHeight(), 2);
  const auto b32 = NewBitmap<TcxBitmap32>(4, 1);
  EXPECT_EQ(b32->GetPixelFormat(), pf32bit);
  // The virtual constructor reaches the class's own CreateSize.
  const rtl::TOwnedPtr<TcxAlphaBitmap> alpha(rtl::New<TcxAlphaBitmap>());
  EXPECT_EQ(alpha->GetPixelFormat(), pf32bit);
  EXPECT_TRUE(alpha->GetEmpty());
  EXPECT_FALSE(alpha->GetCompressData());
  const rtl::TOwnedPtr<TcxBitmap> fromRect(
      rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(TRect{2, 3, 7, 5}, pf8bit); }));
  EXPECT_EQ(fromRect->GetWidth(), 5);
  EXPECT_EQ(fromRect->GetHeight(), 2);
  EXPECT_EQ(fromRect->GetPixelFormat(), pf8bit);
}

TEST(cxGraphicsBitmaps, NegativeSizeBecomesZero)
{
  const auto bitmap = NewBitmap<TcxBitmap>(4, 4);
  bitmap->SetSize(-5, 10);
  EXPECT_EQ(bitmap->GetWidth(), 0);
  EXPECT_EQ(bitmap->GetHeight(), 10);
}

TEST(cxGraphicsBitmaps, UpdateLockSendsOneNotificationAtMost)
{
  struct TCase {
    const char* Name;
    bool Change;
    bool Force;
    int Expected;
  };
  const TCase cases[] = {
      {"nothing changed, not forced", false, false, 0},
      {"nothing changed, forced", false, true, 1},
      {"changed twice", true, false, 1},
      {"changed and forced", true, true, 1},
  };
  for (const TCase& item : cases) {
    const auto bitmap = NewBitmap<TcxBitmap>(2, 2);
    const rtl::TOwnedPtr<TBitmapsTestListener> listener(rtl::New<TBitmapsTestListener>());
    bitmap->SetOnChange(rtl::TNotifyEvent::Bind<&TBitmapsTestListener::Notify>(listener.get()));
    bitmap->BeginUpdate();
    bitmap->BeginUpdate();
    if (item.Change) {
      bitmap->SetSize(5, 5);
      bitmap->SetSize(6, 5);
    }
    bitmap->EndUpdate(false);
    EXPECT_EQ(listener->Count, 0) << item.Name;
    bitmap->EndUpdate(item.Force);
    EXPECT_EQ(listener->Count, item.Expected) << item.Name;
  }
  // CancelUpdate ends the lock silently.
  const auto bitmap = NewBitmap<TcxBitmap>(2, 2);
  const rtl::TOwnedPtr<TBitmapsTestListener> listener(rtl::New<TBitmapsTestListener>());
  bitmap->SetOnChange(rtl::TNotifyEvent::Bind<&TBitmapsTestListener::Notify>(listener.get()));
  bitmap->BeginUpdate();
  bitmap->SetSize(3, 3);
  bitmap->CancelUpdate();
  EXPECT_EQ(listener->Count, 0);
  EXPECT_EQ(bitmap->GetLockCount(), 0);
  bitmap->SetSize(4, 4);
  EXPECT_EQ(listener->Count, 1);
}

TEST(cxGraphicsBitmaps, Bitmap32RefusesOtherPixelFormats)
{
  const auto bitmap = NewBitmap<TcxBitmap32>(2, 2);
  try {
    bitmap->SetPixelFormat(pf24bit);
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), L"Wrong PixelFormat");
  }
}

TEST(cxGraphicsBitmaps, BitmapColorsAreBottomUp)
{
  const auto bitmap = NewBitmap<TcxBitmap32>(2, 2);
  SetPixels(bitmap.get(), {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
  // Row 0 of the array is the bottom row of the picture.
  EXPECT_EQ(*static_cast<std::uint32_t*>(bitmap->ScanLine(1)), 0xFF000001u);
  EXPECT_EQ(static_cast<std::uint32_t*>(bitmap->ScanLine(0))[1], 0xFF000004u);
}

TEST(cxGraphicsBitmaps, Bitmap32PixelOperationsTable)
{
  struct TCase {
    const char* Name;
    void (*Operation)(TcxBitmap32*);
    std::vector<std::uint32_t> Before;
    std::vector<std::uint32_t> After;
  };
  const TCase cases[] = {
      {"clear", [](TcxBitmap32* B) { B->Clear(); }, {0xFFFFFFFF, 0x80123456}, {0, 0}},
      {"opaque", [](TcxBitmap32* B) { B->MakeOpaque(); }, {0x00102030, 0x80102030}, {0xFF102030, 0xFF102030}},
      {"alpha 7", [](TcxBitmap32* B) { B->SetAlphaChannel(7); }, {0xFF102030, 0}, {0x07102030, 0x07000000}},
      // The key colour with alpha 255 becomes 0; an opaque-looking pixel
      // with alpha 0 becomes opaque; others keep their alpha.
      {"recover transparency",
       [](TcxBitmap32* B) { B->RecoverTransparency(RGB(0x30, 0x20, 0x10)); },
       {0xFF302010, 0x00102030, 0x40102030},
       {0, 0xFF102030, 0x40102030}},
      // 50 % of 255 = 127.5 truncates; alpha unchanged.
      {"darken", [](TcxBitmap32* B) { B->Darken(50); }, {0x80FF6401, 0}, {0x807F3200, 0}},
      // 255 - 0.5 x (255 - c).
      {"lighten", [](TcxBitmap32* B) { B->Lighten(50); }, {0x80FF6400, 0}, {0x80FFB17F, 0x007F7F7F}},
  };
  for (const TCase& item : cases) {
    const auto bitmap = NewBitmap<TcxBitmap32>(static_cast<int>(item.Before.size()), 1);
    SetPixels(bitmap.get(), item.Before);
    item.Operation(bitmap.get());
    EXPECT_EQ(PixelsOf(bitmap.get()), item.After) << item.Name;
  }
}

TEST(cxGraphicsBitmaps, IsAlphaUsedFollowsThePixels)
{
  const auto bitmap = NewBitmap<TcxBitmap32>(2, 1);
  bitmap->Clear();
  EXPECT_FALSE(bitmap->IsAlphaUsed());
  bitmap->SetAlphaChannel(128);
  // Pixel writes forget the cached answer.
  EXPECT_TRUE(bitmap->IsAlphaUsed());
  bitmap->SetSize(3, 1);
  SetPixels(bitmap.get(), {0, 0, 0});
  EXPECT_FALSE(bitmap->IsAlphaUsed());
}

TEST(cxGraphicsBitmaps, FilterAndInvert)
{
  const auto bitmap = NewBitmap<TcxBitmap32>(2, 1);
  SetPixels(bitmap.get(), {0x00336699, 0x00336699});
  const rtl::TOwnedPtr<TBitmap> mask(rtl::New<TBitmap>());
  mask->SetPixelFormat(pf24bit);
  mask->SetSize(2, 1);
  mask->GetCanvas()->SetPixel(0, 0, clWhite);
  mask->GetCanvas()->SetPixel(1, 0, clBlack);
  bitmap->Filter(mask.get());
  const auto filtered = PixelsOf(bitmap.get());
  EXPECT_EQ(filtered[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(filtered[1] & 0xFFFFFF, 0x336699u);
  bitmap->Invert();
  const auto inverted = PixelsOf(bitmap.get());
  EXPECT_EQ(inverted[0] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(inverted[1] & 0xFFFFFF, 0xCC9966u);
}

TEST(cxGraphicsBitmaps, FlipMirrorsExactly)
{
  struct TCase {
    bool Horizontally;
    bool Vertically;
    // Top row then bottom row, of RGB(n, 0, 0).
    int Expected[6];
  };
  const TCase cases[] = {
      {true, false, {3, 2, 1, 6, 5, 4}},
      {false, true, {4, 5, 6, 1, 2, 3}},
      {true, true, {6, 5, 4, 3, 2, 1}},
      {false, false, {1, 2, 3, 4, 5, 6}},
  };
  for (const TCase& item : cases) {
    const auto bitmap = NewBitmap<TcxBitmap>(3, 2);
    for (int i = 0; i < 6; ++i)
      bitmap->GetCanvas()->SetPixel(i % 3, i / 3, RGB(i + 1, 0, 0));
    bitmap->Flip(item.Horizontally, item.Vertically);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(bitmap->GetCanvas()->GetPixel(i % 3, i / 3), static_cast<TColor>(RGB(item.Expected[i], 0, 0)))
          << item.Horizontally << item.Vertically << " pixel " << i;
  }
}

TEST(cxGraphicsBitmaps, CopyBitmapTakesTheSourcePoint)
{
  const auto source = NewBitmap<TcxBitmap32>(3, 1);
  SetPixels(source.get(), {0x00000001, 0x00000002, 0x00000003});
  const auto dest = NewBitmap<TcxBitmap32>(3, 1);
  dest->Clear();
  dest->CopyBitmap(source.get(), TRect{0, 0, 2, 1}, TPoint{1, 0});
  EXPECT_EQ(PixelsOf(dest.get()), (std::vector<std::uint32_t>{2, 3, 0}));
  dest->CopyBitmap(source.get());
  EXPECT_EQ(PixelsOf(dest.get()), (std::vector<std::uint32_t>{1, 2, 3}));
}

TEST(cxGraphicsBitmaps, DormantBitmapKeepsItsPixels)
{
  const auto bitmap = NewBitmap<TcxBitmap32>(2, 2);
  SetPixels(bitmap.get(), {0x80010203, 0xFF040506, 0x00070809, 0x7F0A0B0C});
  bitmap->GetCanvas()->GetHandle();
  bitmap->Dormant();
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<std::uint32_t>{0x80010203, 0xFF040506, 0x00070809, 0x7F0A0B0C}));
}

TEST(cxGraphicsBitmaps, Bitmap32LoadsAnyFileAs32Bits)
{
  const auto source = NewBitmap<TcxBitmap>(2, 1);
  source->GetCanvas()->SetPixel(0, 0, RGB(1, 2, 3));
  source->GetCanvas()->SetPixel(1, 0, RGB(4, 5, 6));
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  source->SaveToStream(stream.get());
  stream->SetPosition(0);
  const auto bitmap = NewBitmap<TcxBitmap32>(0, 0);
  const rtl::TOwnedPtr<TBitmapsTestListener> listener(rtl::New<TBitmapsTestListener>());
  bitmap->SetOnChange(rtl::TNotifyEvent::Bind<&TBitmapsTestListener::Notify>(listener.get()));
  bitmap->LoadFromStream(stream.get());
  EXPECT_EQ(bitmap->GetPixelFormat(), pf32bit);
  EXPECT_EQ(listener->Count, 1);
  const auto pixels = PixelsOf(bitmap.get());
  ASSERT_EQ(pixels.size(), 2u);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x010203u);
  EXPECT_EQ(pixels[1] & 0xFFFFFF, 0x040506u);
}

TEST(cxGraphicsBitmaps, BitmapClassesAreRegisteredForStreaming)
{
  EXPECT_EQ(rtl::GetClass(L"TcxBitmap"), rtl::TPersistentClass::Of<TcxBitmap>());
  EXPECT_EQ(rtl::GetClass(L"TcxBitmap32"), rtl::TPersistentClass::Of<TcxBitmap32>());
}

TEST(cxGraphicsBitmaps, ShadeDrawsTheMaskInShadowColour)
{
  // A 3 x 3 white image; the mask is black (the image) in its top-left
  // 2 x 2 square.
  const auto bitmap = NewBitmap<TcxAlphaBitmap>(3, 3);
  SetPixels(bitmap.get(), std::vector<std::uint32_t>(9, 0xFFFFFFFF));
  const rtl::TOwnedPtr<TBitmap> mask(rtl::New<TBitmap>());
  mask->SetPixelFormat(pf24bit);
  mask->SetSize(2, 2);
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->GetCanvas()->FillRect(TRect{0, 0, 2, 2});
  // Shade inverts the mask with the mask's own brush: white, as a new
  // canvas has it.
  mask->GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap->Shade(mask.get());
  const auto pixelAt = [&](int X, int Y) { return static_cast<std::uint32_t*>(bitmap->ScanLine(Y))[X]; };
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const std::uint32_t shadowPixel = 0xFF000000 | GetRValue(shadow) << 16 | GetGValue(shadow) << 8 | GetBValue(shadow);
  // The inverted mask is white where the image is: the shadow colour there;
  // its copy at (1, 1) shows where the square does not cover it.
  EXPECT_EQ(pixelAt(0, 0), shadowPixel);
  EXPECT_EQ(pixelAt(1, 1), shadowPixel);
  EXPECT_EQ(pixelAt(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(pixelAt(2, 0), 0xFFFFFFFFu);
}

TEST(cxGraphicsBitmaps, RotateTurnsThePixels)
{
  // 3 x 2, pixels RGB(n, 0, 0) numbered row by row from the top left.
  struct TCase {
    TcxRotationAngle Angle;
    int Width;
    int Expected[6];
  };
  const TCase cases[] = {
      {ra180, 3, {6, 5, 4, 3, 2, 1}},
      // A quarter turn counter-clockwise: the right column becomes the top row.
      {raPlus90, 2, {3, 6, 2, 5, 1, 4}},
      {raMinus90, 2, {4, 1, 5, 2, 6, 3}},
  };
  for (const TCase& item : cases) {
    const auto bitmap = NewBitmap<TcxBitmap32>(3, 2);
    for (int i = 0; i < 6; ++i)
      bitmap->GetCanvas()->SetPixel(i % 3, i / 3, RGB(i + 1, 0, 0));
    bitmap->Rotate(item.Angle);
    ASSERT_EQ(bitmap->GetWidth(), item.Width) << item.Angle;
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(bitmap->GetCanvas()->GetPixel(i % item.Width, i / item.Width),
                static_cast<TColor>(RGB(item.Expected[i], 0, 0)))
          << item.Angle << " pixel " << i;
  }
}

TEST(cxGraphicsBitmaps, CanvasWrapperIsMadeOnceAndDroppedWhenDormant)
{
  const auto bitmap = NewBitmap<TcxBitmap>(2, 2);
  TcxCanvas* wrapper = bitmap->GetcxCanvas();
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(bitmap->GetcxCanvas(), wrapper);
  EXPECT_EQ(wrapper->GetCanvas(), bitmap->GetCanvas());
  bitmap->GetCanvas()->SetPixel(1, 1, clRed);
  bitmap->Dormant();
  EXPECT_EQ(bitmap->GetCanvas()->GetPixel(1, 1), clRed);
  EXPECT_EQ(bitmap->GetcxCanvas()->GetCanvas(), bitmap->GetCanvas());
}

// ---------------------------------------------------------------------------
// Stream form

TBytes WrittenData(TBitmapsTestStream24* ABitmap)
{
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  ABitmap->WriteData(stream.get());
  const auto* bytes = static_cast<const std::uint8_t*>(stream->Memory());
  return TBytes(bytes, bytes + stream->GetSize());
}

TEST(cxGraphicsBitmaps, CompressedDataIsThePlainDataInXDBMForm)
{
  const auto bitmap = NewBitmap<TBitmapsTestStream24>(5, 3);
  for (int x = 0; x < 5; ++x)
    bitmap->GetCanvas()->SetPixel(x, 1, RGB(10 * x, 20, 30));
  const TBytes plain = WrittenData(bitmap.get());
  // The platform form: a count, then a bitmap file.
  ASSERT_GT(plain.size(), 6u);
  std::uint32_t count;
  std::memcpy(&count, plain.data(), 4);
  EXPECT_EQ(count, plain.size() - 4);
  EXPECT_EQ(plain[4], 'B');
  EXPECT_EQ(plain[5], 'M');

  bitmap->SetCompressData(true);
  const TBytes compressed = WrittenData(bitmap.get());
  EXPECT_EQ(compressed, cxXDBM::Encode(plain, 24));
  EXPECT_LT(compressed.size(), plain.size());
}

TEST(cxGraphicsBitmaps, StreamRoundTripsKeepEveryPixel)
{
  for (bool compressed : {true, false}) {
    const auto source = NewBitmap<TBitmapsTestStreamBitmap>(4, 3);
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < 12; ++i)
      pixels.push_back(i < 6 ? 0x80FF0000 : 0x01000000 * i + i);
    SetPixels(source.get(), pixels);
    source->SetCompressData(compressed);
    const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
    source->WriteData(stream.get());
    stream->SetPosition(0);
    // The reader takes either form whatever its own flag says.
    const auto target = NewBitmap<TBitmapsTestStreamBitmap>(1, 1);
    target->SetCompressData(!compressed);
    target->ReadData(stream.get());
    EXPECT_EQ(target->GetWidth(), 4);
    EXPECT_EQ(target->GetHeight(), 3);
    EXPECT_EQ(PixelsOf(target.get()), pixels) << compressed;
    EXPECT_EQ(stream->GetPosition(), stream->GetSize());
  }
}

TEST(cxGraphicsBitmaps, UnknownMethodGivesNoDataToThePlainReader)
{
  const auto stream = StreamOf({0, 0, 0, 0, 'X', 'D', 'B', 'M', 7, 0});
  const auto bitmap = NewBitmap<TBitmapsTestStreamBitmap>(1, 1);
  EXPECT_THROW(bitmap->ReadData(stream.get()), rtl::EReadError);
}

// A component that stores a bitmap, as the image list stores its images.
class TBitmapsTestHolder : public rtl::TComponent {
  RTL_CLASS(TBitmapsTestHolder, rtl::TComponent)
  RTL_PUBLISHED(RTL_READONLY_PROPERTY(Bitmap, GetBitmap))

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    FBitmap = rtl::NewWith<TcxBitmap32>([](TcxBitmap32* B) { B->CreateSize(0, 0); });
  }
  void Destroy() override
  {
    rtl::FreeAndNil(FBitmap);
    inherited::Destroy();
  }
  TcxBitmap32* GetBitmap() const { return FBitmap; }

 private:
  TcxBitmap32* FBitmap;
};

TEST(cxGraphicsBitmaps, ComponentStreamsCarryTheCompressedData)
{
  const rtl::TOwnedPtr<TBitmapsTestHolder> source(rtl::New<TBitmapsTestHolder>(nullptr));
  source->GetBitmap()->SetSize(16, 8);
  std::vector<std::uint32_t> pixels(128, 0x80336699);
  pixels[5] = 0xFF000000;
  SetPixels(source->GetBitmap(), pixels);
  source->GetBitmap()->SetCompressData(true);
  const rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), source.get());
  const auto* bytes = static_cast<const char*>(stream->Memory());
  const std::string written(bytes, bytes + stream->GetSize());
  EXPECT_NE(written.find("Bitmap.Data"), std::string::npos);
  EXPECT_NE(written.find("XDBM"), std::string::npos);
  // Flat pixels compress far below the 16 x 8 x 4 bytes of the image.
  EXPECT_LT(written.size(), 300u);

  stream->SetPosition(0);
  const rtl::TOwnedPtr<TBitmapsTestHolder> target(rtl::New<TBitmapsTestHolder>(nullptr));
  rtl::ReadComponent(stream.get(), target.get());
  EXPECT_EQ(target->GetBitmap()->GetWidth(), 16);
  EXPECT_EQ(target->GetBitmap()->GetHeight(), 8);
  EXPECT_EQ(PixelsOf(target->GetBitmap()), pixels);
}

// ---------------------------------------------------------------------------
// Alpha bitmap transformations

struct TTransformCase {
  const char* Name;
  TcxBitmapTransformationMode Mode;
  std::uint32_t Before;
  std::uint32_t After;
};

TEST(cxGraphicsBitmaps, TransformationsTable)
{
  // Background $00FF00FF (magenta, alpha 0); further transparent colour
  // RGB(1, 2, 3) whatever its alpha.
  const std::uint32_t bk = 0x00FF00FF;
  const std::uint32_t listed = 0x7F010203;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  // Grey 128 under clBtnShadow at alpha $C0, constant 238: c = 238/255,
  // d = c x 192, e = 1 - d/255.
  const double c = 238 / 255.0;
  const double d = c * 192;
  const double e = 1 - d / 255;
  const auto blend = [&](int S, int D) { return static_cast<std::uint32_t>(rtl::Round(c * S + D * e)); };
  const std::uint32_t dirty = blend(GetBValue(shadow), 128) | blend(GetGValue(shadow), 128) << 8 |
                              blend(GetRValue(shadow), 128) << 16 |
                              static_cast<std::uint32_t>(rtl::Round(d + e * 255)) << 24;
  const TTransformCase cases[] = {
      // +30 % of the distance to white: 0 -> 77 (76.5 away from zero), 100 -> 147 (146.5).
      {"dingy opaque", btmDingy, 0xFF006400, 0xFF4D934D},
      // 200/255 of every byte: 128 -> 100 (100.39), alpha 128 -> 100.
      {"dingy translucent", btmDingy, 0x80808000, 0x64646400},
      {"dingy skips background", btmDingy, bk, bk},
      {"dingy skips listed", btmDingy, listed, listed},
      {"dirty", btmDirty, 0xFF808080, dirty},
      // (R + G + B) div 3 = (30 + 60 + 91) div 3 = 60.
      {"grey scale", btmGrayScale, 0x801E3C5B, 0x803C3C3C},
      {"grey scale skips", btmGrayScale, listed, listed},
      {"set opaque", btmSetOpaque, 0x00123456, 0xFF123456},
      {"set opaque on background too", btmSetOpaque, bk, 0xFFFF00FF},
      {"mask of background", btmMakeMask, bk, 0xFFFFFFFF},
      {"mask of listed", btmMakeMask, listed, 0xFFFFFFFF},
      {"mask of magenta with alpha", btmMakeMask, 0xFFFF00FF, 0},
      // 0.299 x 255 = 76.245 -> 76.
      {"fade", btmFade, 0xFFFF0000, 0xFF4C4C4C},
      {"fade skips", btmFade, bk, bk},
      // 0.0729 x 255 = 18.59 -> 19 (red), 0.2125 x 255 = 54.19 -> 54 (blue).
      {"disable red", btmDisable, 0xFFFF0000, 0xFF131313},
      {"disable blue", btmDisable, 0xFF0000FF, 0xFF363636},
      {"correct blend", btmCorrectBlend, 0x00123456, 0xFF123456},
      {"correct blend skips background", btmCorrectBlend, bk, bk},
      {"correct blend keeps alpha", btmCorrectBlend, 0x10123456, 0x10123456},
      {"clear", btmClear, 0xFF123456, bk},
      {"reset alpha", btmResetAlpha, 0xFF123456, 0x00123456},
      {"extract layer drops listed", btmExtractLayer, listed, 0},
      {"extract layer keeps others", btmExtractLayer, 0x80123456, 0x80123456},
  };
  for (const TTransformCase& item : cases) {
    const rtl::TOwnedPtr<TcxAlphaBitmap> bitmap(
        rtl::NewWith<TcxAlphaBitmap>([&](TcxAlphaBitmap* B) { B->CreateSize(1, 1, Px(bk)); }));
    bitmap->GetTransparentPixels()->Add(RGB(1, 2, 3));
    SetPixels(bitmap.get(), {item.Before});
    bitmap->TransformBitmap(item.Mode);
    EXPECT_EQ(PixelsOf(bitmap.get())[0], item.After) << item.Name << std::hex << " got " << PixelsOf(bitmap.get())[0];
  }
}

TEST(cxGraphicsBitmaps, BlendPixelTable)
{
  struct TCase {
    std::uint32_t Dest;
    std::uint32_t Source;
    std::uint8_t Alpha;
    std::uint32_t Expected;
  };
  const TCase cases[] = {
      // Opaque source at full alpha replaces.
      {0xFF000000, 0xFF102030, 255, 0xFF102030},
      // Constant alpha 0: c = 0, e = 1: unchanged.
      {0x80405060, 0xFF102030, 0, 0x80405060},
      // Source alpha 0 adds c x S to the channels and keeps D.
      {0x00000000, 0x00102030, 255, 0x00102030},
      // c = 1, d = 127.5... halves to even: 0.5 x 0 + 255 x 0.5 = 127.5 -> 128.
      {0xFFFFFFFF, 0x7F000000, 255, 0xFF808080},
  };
  for (const TCase& item : cases) {
    RGBQUAD dest = Px(item.Dest);
    cxBlendPixel(dest, Px(item.Source), item.Alpha);
    EXPECT_EQ(Val(dest), item.Expected) << std::hex << item.Dest << " " << item.Source;
  }
}

TEST(cxGraphicsBitmaps, HatchChecksCountFromTheBottomLeft)
{
  const auto bitmap = NewBitmap<TcxAlphaBitmap>(4, 4);
  SetPixels(bitmap.get(), std::vector<std::uint32_t>(16, 0xFF000000));
  bitmap->DrawHatch(clWhite, clRed, 2, 255, 255);
  TRGBColors colors;
  bitmap->GetBitmapColors(colors);
  // Bottom-up rows; 2 x 2 checks, white in the bottom-left one.
  const std::uint32_t W = 0xFFFFFFFF;
  const std::uint32_t R = 0xFFFF0000;
  const std::vector<std::uint32_t> expected = {W, W, R, R, W, W, R, R, R, R, W, W, R, R, W, W};
  EXPECT_EQ(Values(colors), expected);
  EXPECT_EQ(bitmap->GetCurrentColorIndex().x, 3);
  EXPECT_EQ(bitmap->GetCurrentColorIndex().y, 3);
}

TEST(cxGraphicsBitmaps, AlphaBitmapClearAndRefresh)
{
  const rtl::TOwnedPtr<TcxAlphaBitmap> bitmap(
      rtl::NewWith<TcxAlphaBitmap>([](TcxAlphaBitmap* B) { B->CreateSize(2, 1, Px(0x80112233)); }));
  bitmap->Clear();
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<std::uint32_t>{0x80112233, 0x80112233}));
  bitmap->GetTransparentPixels()->Add(clRed);
  bitmap->RefreshImage(3, 2);
  EXPECT_EQ(bitmap->GetTransparentPixels()->GetCount(), 0);
  EXPECT_EQ(PixelsOf(bitmap.get()), std::vector<std::uint32_t>(6, 0x80112233));
  // A background without alpha clears to black.
  bitmap->SetTransparentBkColor(Px(0x00112233));
  bitmap->Clear();
  EXPECT_EQ(PixelsOf(bitmap.get()), std::vector<std::uint32_t>(6, 0));
}

TEST(cxGraphicsBitmaps, RecoverAlphaChannelAndExtractLayer)
{
  const auto bitmap = NewBitmap<TcxAlphaBitmap>(3, 1);
  SetPixels(bitmap.get(), {0x0000FF00, 0x00123456, 0xFF00FF00});
  bitmap->RecoverAlphaChannel(clLime);
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<std::uint32_t>{0x0000FF00, 0xFF123456, 0xFF00FF00}));
  EXPECT_EQ(Val(bitmap->GetTransparentBkColor()), 0x0000FF00u);
  bitmap->ExtractLayer(clLime);
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<std::uint32_t>{0, 0xFF123456, 0}));
}

TEST(cxGraphicsBitmaps, DrawShadowFallsDownAndRight)
{
  // A 4 x 4 opaque black image whose mask is black in its top-left 2 x 2
  // square (the image) and white elsewhere.
  const auto bitmap = NewBitmap<TcxAlphaBitmap>(4, 4);
  SetPixels(bitmap.get(), std::vector<std::uint32_t>(16, 0xFF000000));
  const rtl::TOwnedPtr<TBitmap> mask(rtl::New<TBitmap>());
  mask->SetPixelFormat(pf24bit);
  mask->SetSize(4, 4);
  mask->GetCanvas()->GetBrush()->SetColor(clWhite);
  mask->GetCanvas()->FillRect(TRect{0, 0, 4, 4});
  mask->GetCanvas()->GetBrush()->SetColor(clBlack);
  mask->GetCanvas()->FillRect(TRect{0, 0, 2, 2});
  bitmap->DrawShadow(mask.get(), 1, clBlue, true);
  ASSERT_EQ(bitmap->GetWidth(), 5);
  ASSERT_EQ(bitmap->GetHeight(), 5);
  const auto pixelAt = [&](int X, int Y) { return static_cast<std::uint32_t*>(bitmap->ScanLine(Y))[X]; };
  // The shadow is the masked square moved one pixel down and right, where
  // it does not overlap the square itself; it is opaque.
  const std::uint32_t blue = 0xFF0000FF;
  const struct {
    int X;
    int Y;
    std::uint32_t Expected;
  } probes[] = {
      {2, 2, blue}, {1, 2, blue}, {2, 1, blue},          // shadow
      {1, 1, 0xFF000000}, {0, 0, 0xFF000000}, {3, 3, 0xFF000000},  // image
      {4, 4, 0}, {4, 0, 0}, {0, 4, 0},                   // the added border
  };
  for (const auto& probe : probes)
    EXPECT_EQ(pixelAt(probe.X, probe.Y), probe.Expected) << probe.X << "," << probe.Y;
}

}  // namespace
