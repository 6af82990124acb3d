#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/ClassesFiler.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/vcl/ImgList.h"

using enum vcl::TColorDepth;
using enum vcl::TDrawingStyle;

namespace vcl {
namespace {

using TOwnedImageList = rtl::TOwnedPtr<TImageList>;
using TOwnedBitmapObject = rtl::TOwnedPtr<TBitmap>;

// A bitmap of AWidth x AHeight in cells of 16 pixels, each filled with the
// next colour.
TOwnedBitmapObject Cells(std::initializer_list<TColor> AColors, int AHeight = 16)
{
  TOwnedBitmapObject bitmap(rtl::New<TBitmap>(static_cast<int>(AColors.size()) * 16, AHeight));
  int left = 0;
  for (TColor color : AColors) {
    bitmap->GetCanvas()->GetBrush()->SetColor(color);
    bitmap->GetCanvas()->FillRect({left, 0, left + 16, AHeight});
    left += 16;
  }
  return bitmap;
}

// The list's image AIndex drawn at (2, 2) on a grey 20 x 20 bitmap.
TOwnedBitmapObject Drawn(TImageList* AList, int AIndex, bool AEnabled = true)
{
  TOwnedBitmapObject target(rtl::New<TBitmap>(20, 20));
  target->GetCanvas()->GetBrush()->SetColor(clGray);
  target->GetCanvas()->FillRect({0, 0, 20, 20});
  AList->Draw(target->GetCanvas(), 2, 2, AIndex, AEnabled);
  return target;
}

TEST(ImgListImages, AddCutsStripsAndCounts)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_FALSE(list->HandleAllocated()) << "no native list before it is needed";
  TOwnedBitmapObject one = Cells({clRed});
  TOwnedBitmapObject strip = Cells({clLime, clBlue, clYellow});
  EXPECT_EQ(list->Add(one.get(), nullptr), 0);
  EXPECT_EQ(list->Add(strip.get(), nullptr), 1);
  EXPECT_EQ(list->GetCount(), 4);
  EXPECT_EQ(list->Add(nullptr, nullptr), -1);
  EXPECT_EQ(list->GetCount(), 4);
}

TEST(ImgListImages, DrawPutsTheImagesPixels)
{
  const TColorDepth depths[] = {cdDeviceDependent, cd24Bit, cd32Bit};
  for (TColorDepth depth : depths) {
    SCOPED_TRACE(static_cast<int>(depth));
    TOwnedImageList list(rtl::New<TImageList>(nullptr));
    list->SetColorDepth(depth);
    TOwnedBitmapObject strip = Cells({clRed, clBlue});
    list->Add(strip.get(), nullptr);
    TOwnedBitmapObject target = Drawn(list.get(), 1);
    EXPECT_EQ(target->GetCanvas()->GetPixel(2, 2), clBlue);
    EXPECT_EQ(target->GetCanvas()->GetPixel(17, 17), clBlue);
    EXPECT_EQ(target->GetCanvas()->GetPixel(1, 1), clGray) << "nothing outside the cell";
    EXPECT_EQ(target->GetCanvas()->GetPixel(18, 18), clGray);
  }
}

TEST(ImgListImages, AddMaskedMakesTheColourTransparentAndKeepsTheSource)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  TOwnedBitmapObject image = Cells({clFuchsia});
  image->GetCanvas()->SetPixel(8, 8, clNavy);
  EXPECT_EQ(list->AddMasked(image.get(), clFuchsia), 0);
  EXPECT_EQ(image->GetCanvas()->GetPixel(0, 0), clFuchsia) << "the caller's bitmap is not blackened";

  TOwnedBitmapObject target = Drawn(list.get(), 0);
  EXPECT_EQ(target->GetCanvas()->GetPixel(2, 2), clGray);
  EXPECT_EQ(target->GetCanvas()->GetPixel(10, 10), clNavy);
}

TEST(ImgListImages, DisabledImageIsNotDrawnInItsColours)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  TOwnedBitmapObject image = Cells({clFuchsia});
  image->GetCanvas()->GetBrush()->SetColor(clRed);
  image->GetCanvas()->FillRect({4, 4, 12, 12});
  list->AddMasked(image.get(), clFuchsia);

  TOwnedBitmapObject target = Drawn(list.get(), 0, false);
  EXPECT_EQ(target->GetCanvas()->GetPixel(9, 9), ColorToRGB(clBtnShadow));
  EXPECT_EQ(target->GetCanvas()->GetPixel(2, 2), clGray) << "the transparent part stays untouched";
  EXPECT_EQ(target->GetCanvas()->GetPixel(14, 14), ColorToRGB(clBtnHighlight)) << "the raised edge";
}

TEST(ImgListImages, MoveKeepsTheOthersInOrder)
{
  struct Row {
    TColorDepth Depth;
    int From, To;
    TColor Expected[4];
  };
  const Row rows[] = {
      {cdDeviceDependent, 0, 3, {clLime, clBlue, clYellow, clRed}},
      {cd32Bit, 0, 3, {clLime, clBlue, clYellow, clRed}},
      {cd24Bit, 3, 1, {clRed, clYellow, clLime, clBlue}},
      {cd32Bit, 2, 2, {clRed, clLime, clBlue, clYellow}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.Depth << ": " << row.From << " -> " << row.To);
    TOwnedImageList list(rtl::New<TImageList>(nullptr));
    list->SetColorDepth(row.Depth);
    TOwnedBitmapObject strip = Cells({clRed, clLime, clBlue, clYellow});
    list->Add(strip.get(), nullptr);
    list->Move(row.From, row.To);
    ASSERT_EQ(list->GetCount(), 4);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Drawn(list.get(), i)->GetCanvas()->GetPixel(5, 5), row.Expected[i]) << i;
  }
}

TEST(ImgListImages, ReplaceMoveDeleteAndResize)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  TOwnedBitmapObject strip = Cells({clRed, clLime, clBlue, clYellow});
  list->Add(strip.get(), nullptr);

  list->Move(0, 3);
  const TColor moved[] = {clLime, clBlue, clYellow, clRed};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Drawn(list.get(), i)->GetCanvas()->GetPixel(5, 5), moved[i]) << i;

  TOwnedBitmapObject white = Cells({clWhite});
  list->Replace(1, white.get(), nullptr);
  EXPECT_EQ(Drawn(list.get(), 1)->GetCanvas()->GetPixel(5, 5), clWhite);
  EXPECT_THROW(list->Replace(4, white.get(), nullptr), EInvalidOperation);

  list->Delete(0);
  EXPECT_EQ(list->GetCount(), 3);
  EXPECT_EQ(Drawn(list.get(), 0)->GetCanvas()->GetPixel(5, 5), clWhite);
  EXPECT_THROW(list->Delete(3), EInvalidOperation);

  list->SetWidth(24);
  EXPECT_EQ(list->GetCount(), 0) << "a new size drops the images";
  list->Add(strip.get(), nullptr);
  EXPECT_EQ(list->GetCount(), 2) << "64 pixels hold two 24-pixel cells";
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);
}

TEST(ImgListImages, InsertPutsEveryCellOfAStripInPlace)
{
  struct Row {
    int Index;
    TColor Expected[5];
  };
  const Row rows[] = {
      {0, {clRed, clLime, clBlue, clBlack, clWhite}},
      {1, {clBlack, clRed, clLime, clBlue, clWhite}},
      {2, {clBlack, clWhite, clRed, clLime, clBlue}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Index);
    TOwnedImageList list(rtl::New<TImageList>(nullptr));
    TOwnedBitmapObject old = Cells({clBlack, clWhite});
    list->Add(old.get(), nullptr);
    TOwnedBitmapObject strip = Cells({clRed, clLime, clBlue});
    list->Insert(row.Index, strip.get(), nullptr);
    ASSERT_EQ(list->GetCount(), 5);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(Drawn(list.get(), i)->GetCanvas()->GetPixel(5, 5), row.Expected[i]) << i;
  }
}

// ---------------------------------------------------------------------------
// Change links

class TImgListChangeRecorder : public rtl::TObject {
  RTL_CLASS(TImgListChangeRecorder, rtl::TObject)

 public:
  void Changed(rtl::TObject* ASender)
  {
    ++Count;
    Sender = ASender;
  }
  int Count = 0;
  rtl::TObject* Sender = nullptr;
};

TEST(ImgListChanges, LinksHearEveryChangeOnceAndCanLeave)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  rtl::TOwnedPtr<TImgListChangeRecorder> recorder(rtl::New<TImgListChangeRecorder>());
  rtl::TOwnedPtr<TImgListChangeRecorder> onChange(rtl::New<TImgListChangeRecorder>());
  rtl::TOwnedPtr<TChangeLink> link(rtl::New<TChangeLink>());
  link->SetOnChange(rtl::TNotifyEvent::Bind<&TImgListChangeRecorder::Changed>(recorder.get()));
  list->SetOnChange(rtl::TNotifyEvent::Bind<&TImgListChangeRecorder::Changed>(onChange.get()));
  list->RegisterChanges(link.get());
  EXPECT_EQ(link->GetSender(), list.get());

  TOwnedBitmapObject strip = Cells({clRed, clLime});
  struct Step {
    const char* Name;
    void (*Run)(TImageList*, TBitmap*);
    int Expected;  // changes heard after the step
  };
  const Step steps[] = {
      {"add", [](TImageList* L, TBitmap* B) { L->Add(B, nullptr); }, 1},
      {"bracket of three", [](TImageList* L, TBitmap* B) {
         L->BeginUpdate();
         L->Add(B, nullptr);
         L->Move(0, 1);
         L->Delete(0);
         L->EndUpdate();
       }, 2},
      {"empty bracket", [](TImageList* L, TBitmap*) {
         L->BeginUpdate();
         L->EndUpdate();
       }, 2},
      {"same drawing style", [](TImageList* L, TBitmap*) { L->SetDrawingStyle(dsNormal); }, 2},
      {"bk colour", [](TImageList* L, TBitmap*) { L->SetBkColor(clWhite); }, 3},
      {"clear", [](TImageList* L, TBitmap*) { L->Clear(); }, 4},
  };
  for (const Step& step : steps) {
    step.Run(list.get(), strip.get());
    EXPECT_EQ(recorder->Count, step.Expected) << step.Name;
    EXPECT_EQ(onChange->Count, step.Expected) << step.Name;
  }
  EXPECT_EQ(recorder->Sender, list.get());

  list->UnRegisterChanges(link.get());
  EXPECT_EQ(link->GetSender(), nullptr);
  list->Add(strip.get(), nullptr);
  EXPECT_EQ(recorder->Count, 4);
  EXPECT_EQ(onChange->Count, 5);
}

TEST(ImgListChanges, FreeingEitherSideCutsTheLink)
{
  TImageList* list = rtl::New<TImageList>(nullptr);
  TChangeLink* first = rtl::New<TChangeLink>();
  rtl::TOwnedPtr<TChangeLink> second(rtl::New<TChangeLink>());
  list->RegisterChanges(first);
  list->RegisterChanges(second.get());
  rtl::Free(first);
  TOwnedBitmapObject image = Cells({clRed});
  list->Add(image.get(), nullptr);  // must not reach the freed link
  rtl::Free(list);
  EXPECT_EQ(second->GetSender(), nullptr);
}

// ---------------------------------------------------------------------------
// Streaming

String TextOf(rtl::TMemoryStream* ABinary)
{
  ABinary->SetPosition(0);
  rtl::TOwnedPtr<rtl::TMemoryStream> text(rtl::New<rtl::TMemoryStream>());
  rtl::ObjectBinaryToText(ABinary, text.get());
  const char* bytes = static_cast<const char*>(text->Memory());
  return String(bytes, bytes + text->GetSize());
}

TEST(ImgListStreaming, ImagesAndPropertiesSurviveARoundTrip)
{
  rtl::RegisterClass(rtl::TPersistentClass::Of<TImageList>());
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  list->SetName(L"Images");
  list->SetHeight(12);
  list->SetColorDepth(cd32Bit);
  list->SetBkColor(clWhite);
  TOwnedBitmapObject strip = Cells({clRed, clBlue, clLime}, 12);
  list->Add(strip.get(), nullptr);

  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), list.get());
  const String text = TextOf(binary.get());
  EXPECT_NE(text.find(L"Height = 12"), String::npos) << std::string(text.begin(), text.end());
  EXPECT_NE(text.find(L"Bitmap = {"), String::npos);
  EXPECT_EQ(text.find(L"Width ="), String::npos) << "defaults are not written";

  binary->SetPosition(0);
  TOwnedImageList read(static_cast<TImageList*>(rtl::ReadComponent(binary.get(), nullptr)));
  ASSERT_EQ(read->GetCount(), 3);
  EXPECT_EQ(read->GetWidth(), 16);
  EXPECT_EQ(read->GetHeight(), 12);
  EXPECT_EQ(read->GetColorDepth(), cd32Bit);
  EXPECT_EQ(read->GetBkColor(), clWhite);
  const TColor colors[] = {clRed, clBlue, clLime};
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Drawn(read.get(), i)->GetCanvas()->GetPixel(5, 5), colors[i]) << i;
}

TEST(ImgListStreaming, EmptyListWritesNoBitmap)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  rtl::TOwnedPtr<rtl::TMemoryStream> binary(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(binary.get(), list.get());
  EXPECT_EQ(TextOf(binary.get()).find(L"Bitmap"), String::npos);
}

// Reads "Bitmap" data straight into a list, as the filer does.
class TImgListTestReader : public TImageList {
  RTL_CLASS(TImgListTestReader, TImageList)

 public:
  void Read(rtl::TStream* AStream) { ReadData(AStream); }
  void Write(rtl::TStream* AStream) { WriteData(AStream); }
};

// A stored list is data from a file: a damaged one must be refused with a
// read error, not crash nor leave a list that claims images it lacks. The
// header of the native format: magic, version, count, capacity, growth,
// width, height (16-bit each, from offset 0), then the bitmaps.
// The "Bitmap" data of five images in a list of the given kind.
std::vector<unsigned char> StoredImages(TColorDepth ADepth, bool AMasked)
{
  rtl::TOwnedPtr<TImgListTestReader> list(rtl::New<TImgListTestReader>(nullptr));
  list->SetColorDepth(ADepth);
  list->SetMasked(AMasked);
  TOwnedBitmapObject strip = Cells({clRed, clBlue, clLime, clYellow, clFuchsia});
  list->Add(strip.get(), nullptr);
  rtl::TOwnedPtr<rtl::TMemoryStream> data(rtl::New<rtl::TMemoryStream>());
  list->Write(data.get());
  const auto* bytes = static_cast<const unsigned char*>(data->Memory());
  return std::vector<unsigned char>(bytes, bytes + data->GetSize());
}

TEST(ImgListStreaming, DamagedBitmapDataIsRefused)
{
  const std::vector<unsigned char> good = StoredImages(cdDeviceDependent, true);
  ASSERT_GT(good.size(), 100u);
  auto patched = [&](std::size_t AOffset, unsigned short AValue, std::vector<unsigned char> ABytes = {}) {
    if (ABytes.empty())
      ABytes = good;
    ABytes[AOffset] = static_cast<unsigned char>(AValue & 0xFF);
    ABytes[AOffset + 1] = static_cast<unsigned char>(AValue >> 8);
    return ABytes;
  };
  auto cut = [&](std::size_t ASize) { return std::vector<unsigned char>(good.begin(), good.begin() + ASize); };
  struct Row {
    const char* Name;
    std::vector<unsigned char> Data;
  };
  const Row rows[] = {
      {"empty", {}},
      {"half a header", cut(10)},
      {"header only", cut(28)},
      {"bitmap header cut", cut(50)},
      {"pixels cut", cut(good.size() / 2)},
      {"last byte missing", cut(good.size() - 1)},
      {"wrong magic", patched(0, 0x4949)},
      {"more images than stored", patched(4, 2000)},
      {"more images than room", patched(4, 60000)},
      {"capacity below the count", patched(6, 1)},
      {"count and capacity beyond the pixels", patched(6, 100, patched(4, 100))},
      {"huge width", patched(10, 60000)},
      {"zero height", patched(12, 0)},
      {"huge height", patched(12, 60000)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    rtl::TOwnedPtr<TImgListTestReader> list(rtl::New<TImgListTestReader>(nullptr));
    rtl::TOwnedPtr<rtl::TMemoryStream> data(rtl::New<rtl::TMemoryStream>());
    if (!row.Data.empty())
      data->WriteBuffer(row.Data.data(), static_cast<int>(row.Data.size()));
    data->SetPosition(0);
    EXPECT_THROW(list->Read(data.get()), rtl::EReadError);
    EXPECT_EQ(list->GetCount(), 0) << "a refused stream leaves the list as it was";
    // The list stays usable.
    TOwnedBitmapObject image = Cells({clRed});
    EXPECT_EQ(list->Add(image.get(), nullptr), 0);
  }
}

TEST(ImgListStreaming, IntactDataOfEveryKindReadsBack)
{
  const TColorDepth depths[] = {cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit};
  for (TColorDepth depth : depths)
    for (bool masked : {true, false}) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(depth) << (masked ? " masked" : " unmasked"));
      const std::vector<unsigned char> stored = StoredImages(depth, masked);
      rtl::TOwnedPtr<TImgListTestReader> list(rtl::New<TImgListTestReader>(nullptr));
      rtl::TOwnedPtr<rtl::TMemoryStream> data(rtl::New<rtl::TMemoryStream>());
      data->WriteBuffer(stored.data(), static_cast<int>(stored.size()));
      data->SetPosition(0);
      list->Read(data.get());
      ASSERT_EQ(list->GetCount(), 5);
      const TColor colors[] = {clRed, clBlue, clLime, clYellow, clFuchsia};
      for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Drawn(list.get(), i)->GetCanvas()->GetPixel(5, 5), colors[i]) << i;
    }
}

TEST(ImgListHandle, OwnHandleSetAgainKeepsItsImages)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  TOwnedBitmapObject strip = Cells({clRed, clBlue});
  list->Add(strip.get(), nullptr);
  list->SetHandle(list->GetHandle());
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(Drawn(list.get(), 1)->GetCanvas()->GetPixel(5, 5), clBlue);
}

TEST(ImgListAssign, CopiesPropertiesAndImagesNotTheNativeList)
{
  TOwnedImageList source(rtl::New<TImageList>(nullptr));
  source->SetSize(8, 8);
  source->SetDrawingStyle(dsTransparent);
  TOwnedBitmapObject strip = Cells({clRed}, 8);
  source->Add(strip.get(), nullptr);

  TOwnedImageList copy(rtl::New<TImageList>(nullptr));
  copy->Assign(source.get());
  EXPECT_EQ(copy->GetWidth(), 8);
  EXPECT_EQ(copy->GetHeight(), 8);
  EXPECT_EQ(copy->GetDrawingStyle(), dsTransparent);
  EXPECT_EQ(copy->GetCount(), 2);
  EXPECT_NE(copy->GetHandle(), source->GetHandle());
  source->Clear();
  EXPECT_EQ(copy->GetCount(), 2);
}

TEST(ImgListAssign, ItselfKeepsItsImages)
{
  TOwnedImageList list(rtl::New<TImageList>(nullptr));
  TOwnedBitmapObject strip = Cells({clRed, clBlue});
  list->Add(strip.get(), nullptr);
  list->Assign(list.get());
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(Drawn(list.get(), 1)->GetCanvas()->GetPixel(5, 5), clBlue);
}

}  // namespace
}  // namespace vcl
