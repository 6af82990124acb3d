// The list box the system draws itself: defaults, the selected index,
// incremental search against a fake clock, snaking columns, hit tests,
// separators, the content size and sorting. The disabled Render case draws
// two list boxes into OwnerDrawnListBox.png for people to look at (to the
// folder named by KV_RENDER_DIR).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/rtl/ClassesComponents.h"
#include "platform/vcl/GraphicsHandles.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/dxGDIPlusClassesGlyphs.h"
#include "simplecontrols/dxCustomListBox.h"
#include "tests/support/TestHost.h"

namespace {

DWORD DxListBoxTestNow = 0;

DWORD WINAPI DxListBoxTestClock()
{
  return DxListBoxTestNow;
}

class TdxListBoxTestFixture : public kvtest::THostedTest {
 public:
  void Clicked(rtl::TObject* /*Sender*/) { ++Clicks; }

 protected:
  // A list box whose client area holds ARows rows of 16 pixels.
  TdxCustomListBox* AddListBox(int ARows, int AWidth = 200)
  {
    TdxCustomListBox* AListBox = AddChild<TdxCustomListBox>({10, 10, 10 + AWidth, 10 + ARows * 16});
    FitRows(AListBox, ARows);
    AListBox->SetTickSource(&DxListBoxTestClock);
    return AListBox;
  }

  static void FitRows(TdxCustomListBox* AListBox, int ARows)
  {
    const TRect AClient = AListBox->GetClientBounds();
    const int AFrame = AListBox->GetHeight() - (AClient.bottom - AClient.top);
    AListBox->SetHeight(ARows * 16 + AFrame);
  }

  static void Fill(TdxCustomListBox* AListBox, std::initializer_list<const wchar_t*> ACaptions)
  {
    for (const wchar_t* ACaption : ACaptions)
      AListBox->Add(ACaption);
  }

  static void Type(TdxCustomListBox* AListBox, wchar_t AChar) { SendMessageW(AListBox->GetHandle(), WM_CHAR, AChar, 0); }
  static void Press(TdxCustomListBox* AListBox, WORD AKey)
  {
    SendMessageW(AListBox->GetHandle(), WM_KEYDOWN, AKey, 0);
    SendMessageW(AListBox->GetHandle(), WM_KEYUP, AKey, 0);
  }

  int Clicks = 0;
};

// Opens the hint test to a case.
class TdxListBoxTestHinted : public TdxCustomListBox {
  RTL_CLASS(TdxListBoxTestHinted, TdxCustomListBox)

 public:
  using TdxCustomListBox::NeedHint;
};

}  // namespace

TEST_F(TdxListBoxTestFixture, DefaultsAndTheFirstLayout)
{
  rtl::TOwnedPtr<TdxCustomListBox> AListBox(rtl::New<TdxCustomListBox>(nullptr));
  EXPECT_EQ(AListBox->GetItemHeight(), 16);
  EXPECT_EQ(AListBox->GetColumns(), 0);
  EXPECT_EQ(AListBox->GetTopIndex(), 0);
  EXPECT_TRUE(AListBox->GetIncrementalSearch());
  EXPECT_EQ(AListBox->GetAutoCompleteDelay(), 1000u);
  EXPECT_EQ(AListBox->GetItemIndex(), 0);
  AListBox->SetOnClick(rtl::TNotifyEvent::Bind<&TdxListBoxTestFixture::Clicked>(this));
  AListBox->LayoutChanged();
  EXPECT_EQ(AListBox->GetItemIndex(), -1);
  EXPECT_EQ(Clicks, 1);
  AListBox->LayoutChanged();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(TdxListBoxTestFixture, ItemIndexIsKeptWithinTheItems)
{
  TdxCustomListBox* AListBox = AddListBox(5);
  Fill(AListBox, {L"one", L"two", L"three"});
  const struct {
    int Value;
    int ItemIndex;
  } cases[] = {{10, 2}, {1, 1}, {-1, -1}, {3, 2}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    AListBox->SetItemIndex(c.Value);
    EXPECT_EQ(AListBox->GetItemIndex(), c.ItemIndex);
    EXPECT_EQ(AListBox->GetTopIndex(), 0);
  }
}

TEST_F(TdxListBoxTestFixture, IncrementalSearch)
{
  TdxCustomListBox* AListBox = AddListBox(5);
  Fill(AListBox, {L"alpha", L"bravo", L"brick", L"Bread", L"charlie", L"beta"});
  struct TStep {
    wchar_t Char;
    DWORD At;
    int ItemIndex;
  };
  const struct {
    const char* Name;
    int Start;
    std::vector<TStep> Steps;
  } cases[] = {
      {"b then r within the delay", 0, {{L'b', 100, 1}, {L'r', 600, 1}}},
      {"search starts at the selected item", 2, {{L'b', 100, 2}, {L'r', 900, 2}, {L'e', 1500, 3}}},
      {"wraps to the start", 4, {{L'a', 100, 0}}},
      {"case is ignored", 0, {{L'B', 100, 1}, {L'R', 200, 1}, {L'E', 300, 3}}},
      {"a pause longer than the delay starts again", 0, {{L'b', 100, 1}, {L'c', 1200, 4}}},
      {"a pause within the delay goes on", 0, {{L'b', 100, 1}, {L'c', 1100, 1}}},
      {"no match keeps the selection", 1, {{L'z', 100, 1}}},
  };
  DWORD ABase = 100000;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    AListBox->SetItemIndex(c.Start);
    // Long after the previous case: a new search.
    ABase += 10000;
    for (const TStep& AStep : c.Steps) {
      DxListBoxTestNow = ABase + AStep.At;
      Type(AListBox, AStep.Char);
      EXPECT_EQ(AListBox->GetItemIndex(), AStep.ItemIndex) << static_cast<char>(AStep.Char);
    }
  }
}

TEST_F(TdxListBoxTestFixture, SnakingColumns)
{
  TdxCustomListBox* AListBox = AddListBox(5, 202);
  for (int I = 0; I < 14; ++I)
    AListBox->Add(L"Item " + rtl::IntToStr(I));
  AListBox->SetColumns(2);
  // The horizontal scroll bar has come: five rows below it again.
  FitRows(AListBox, 5);
  const TRect AArea = AListBox->GetClientBounds();
  const int AColumn = AListBox->GetColumnWidth();
  EXPECT_EQ(AListBox->GetRowsPerColumn(), 5);
  EXPECT_EQ(AListBox->GetVisibleCount(), 10);
  const struct {
    int Index;
    int Column;
    int Row;
  } places[] = {{0, 0, 0}, {4, 0, 4}, {5, 1, 0}, {7, 1, 2}, {9, 1, 4}};
  for (const auto& p : places) {
    SCOPED_TRACE(p.Index);
    const TRect R = AListBox->ItemRect(p.Index);
    EXPECT_EQ(R.left, AArea.left + p.Column * AColumn);
    EXPECT_EQ(R.top, AArea.top + p.Row * 16);
    EXPECT_EQ(AListBox->ItemAtPos({R.left + 3, R.top + 3}, false), p.Index);
  }
  const struct {
    const char* Name;
    int From;
    WORD Key;
    int To;
  } moves[] = {{"right", 1, VK_RIGHT, 6}, {"left", 6, VK_LEFT, 1}, {"down", 4, VK_DOWN, 5}, {"up", 5, VK_UP, 4},
               {"left in the first column", 2, VK_LEFT, 0}, {"home", 7, VK_HOME, 0}, {"end", 3, VK_END, 13}};
  for (const auto& m : moves) {
    SCOPED_TRACE(m.Name);
    AListBox->SetItemIndex(m.From);
    Press(AListBox, m.Key);
    EXPECT_EQ(AListBox->GetItemIndex(), m.To);
  }
  // Item 13 lies beyond the two columns shown: selecting it scrolls by a
  // whole column, and the last item is then on screen.
  AListBox->SetItemIndex(0);
  AListBox->SetItemIndex(13);
  EXPECT_EQ(AListBox->GetTopIndex(), 5);
  const TRect ALast = AListBox->ItemRect(13);
  EXPECT_LE(ALast.right, AArea.right);
}

TEST_F(TdxListBoxTestFixture, RightToLeftColumnsAndTextMirror)
{
  TdxCustomListBox* AListBox = AddListBox(5, 202);
  for (int I = 0; I < 10; ++I)
    AListBox->Add(L"Item " + rtl::IntToStr(I));
  AListBox->SetColumns(2);
  FitRows(AListBox, 5);
  AListBox->SetBiDiMode(vcl::TBiDiMode::bdRightToLeft);
  AListBox->LayoutChanged();
  const TRect AArea = AListBox->GetClientBounds();
  const int AColumn = AListBox->GetColumnWidth();
  const struct {
    int Index;
    int Column;
  } places[] = {{0, 0}, {4, 0}, {5, 1}, {9, 1}};
  for (const auto& p : places) {
    SCOPED_TRACE(p.Index);
    const TRect R = AListBox->ItemRect(p.Index);
    EXPECT_EQ(R.right, AArea.right - p.Column * AColumn) << "the first column at the right";
    EXPECT_EQ(AListBox->ItemAtPos({R.right - 3, R.top + 3}, false), p.Index);
  }
  AListBox->SetItemIndex(0);
  Press(AListBox, VK_LEFT);
  EXPECT_EQ(AListBox->GetItemIndex(), 5) << "left goes on to the next column";
}

TEST_F(TdxListBoxTestFixture, OnlyACutCaptionNeedsAHint)
{
  auto* AListBox = AddChild<TdxListBoxTestHinted>({10, 10, 110, 90});
  Fill(AListBox, {L"Short", L"A caption far too long for this narrow row"});
  struct Case {
    vcl::TBiDiMode BiDiMode;
    int Index;
    bool Needed;
  };
  const Case cases[] = {{vcl::TBiDiMode::bdLeftToRight, 0, false},
                        {vcl::TBiDiMode::bdLeftToRight, 1, true},
                        {vcl::TBiDiMode::bdRightToLeft, 1, true},
                        {vcl::TBiDiMode::bdLeftToRight, 5, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Index);
    AListBox->SetBiDiMode(c.BiDiMode);
    rtl::String AText;
    TRect AItemRect{}, ATextRect{};
    EXPECT_EQ(AListBox->NeedHint(c.Index, AText, AItemRect, ATextRect), c.Needed);
    if (!c.Needed)
      continue;
    EXPECT_EQ(AText, AListBox->GetItems()->GetItem(c.Index)->GetCaption());
    // Two pixels of text margin on either side; the same whichever way the
    // row reads, since there are no images.
    EXPECT_EQ(ATextRect.left, AItemRect.left + 2);
    EXPECT_EQ(ATextRect.right, AItemRect.right - 2);
  }
}

TEST_F(TdxListBoxTestFixture, HitTestBetweenAndBelowTheRows)
{
  TdxCustomListBox* AListBox = AddListBox(6);
  Fill(AListBox, {L"one", L"two", L"three"});
  AListBox->SetItemIndex(1);
  const TRect AArea = AListBox->GetClientBounds();
  const struct {
    const char* Name;
    TPoint Point;
    bool AExistOnly;
    int Index;
  } cases[] = {
      {"first row", {AArea.left + 5, AArea.top + 2}, false, 0},
      {"third row", {AArea.left + 5, AArea.top + 40}, true, 2},
      {"below the rows, existing only", {AArea.left + 5, AArea.top + 70}, true, 1},
      {"below the rows", {AArea.left + 5, AArea.top + 70}, false, 3},
      {"outside the items area", {-5, -5}, false, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(AListBox->ItemAtPos(c.Point, c.AExistOnly), c.Index);
  }
}

TEST_F(TdxListBoxTestFixture, SeparatorsAddHeightExceptOnTheLastItem)
{
  TdxCustomListBox* AListBox = AddListBox(6);
  Fill(AListBox, {L"one", L"two", L"three"});
  const int APlain = AListBox->CalculateContentSize(10).cy;
  AListBox->GetItems()->AddSeparator();
  EXPECT_EQ(AListBox->CalculateContentSize(10).cy, APlain);
  EXPECT_EQ(AListBox->ItemRect(2).bottom - AListBox->ItemRect(2).top, 16);
  AListBox->GetItems()->GetItem(0)->SetHasSeparator(true);
  EXPECT_GT(AListBox->ItemRect(0).bottom - AListBox->ItemRect(0).top, 16);
  EXPECT_GT(AListBox->CalculateContentSize(10).cy, APlain);
  EXPECT_EQ(AListBox->ItemRect(1).top, AListBox->ItemRect(0).bottom);
}

TEST_F(TdxListBoxTestFixture, ContentSizeCountsTheRowsAndTheBorder)
{
  TdxCustomListBox* AListBox = AddListBox(6);
  for (int I = 0; I < 10; ++I)
    AListBox->Add(L"Item");
  const int ABorder = 2 * (AListBox->GetHeight() - (AListBox->GetClientBounds().bottom - AListBox->GetClientBounds().top)) / 2;
  EXPECT_EQ(AListBox->CalculateContentSize(5).cy, 80 + ABorder);
  EXPECT_EQ(AListBox->CalculateContentSize(20).cy, 160 + ABorder);
}

TEST_F(TdxListBoxTestFixture, Sorting)
{
  using enum TdxCustomListBoxSortOption;
  const struct {
    const char* Name;
    TdxCustomListBoxSortOptions Options;
    std::vector<std::wstring> Expected;
  } cases[] = {
      {"ordinal", {}, {L"B", L"_a", L"a", L"c"}},
      {"upper-cased ordinal", {lbsCaseInsensitive}, {L"a", L"B", L"c", L"_a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    rtl::TOwnedPtr<TdxCustomListBox> AListBox(rtl::New<TdxCustomListBox>(nullptr));
    Fill(AListBox.get(), {L"c", L"a", L"B", L"_a"});
    AListBox->GetItems()->SetSortOptions(c.Options);
    AListBox->SetSorted(true);
    std::vector<std::wstring> AOrder;
    for (int I = 0; I < AListBox->GetCount(); ++I)
      AOrder.emplace_back(AListBox->GetItems()->GetItem(I)->GetCaption().c_str());
    EXPECT_EQ(AOrder, c.Expected);
  }
  // Added while sorted: the ordinal place, whatever the options.
  rtl::TOwnedPtr<TdxCustomListBox> AListBox(rtl::New<TdxCustomListBox>(nullptr));
  AListBox->SetSorted(true);
  Fill(AListBox.get(), {L"m", L"b", L"x", L"C"});
  EXPECT_EQ(AListBox->GetItems()->IndexOfCaption(L"C"), 0);
  EXPECT_EQ(AListBox->GetItems()->IndexOfCaption(L"x"), 3);
  EXPECT_EQ(AListBox->GetItems()->IndexOfCaption(L"X"), -1);
  EXPECT_EQ(AListBox->GetItems()->IndexOfCaption(L"X", false), 3);
}

TEST_F(TdxListBoxTestFixture, RemoveFreesTheItemOfAnObject)
{
  TdxCustomListBox* AListBox = AddListBox(5);
  rtl::TOwnedPtr<rtl::TObject> AData(rtl::New<rtl::TObject>());
  AListBox->Add(L"one");
  AListBox->AddItem(L"two", AData.get());
  TdxCustomListBoxItem* AItem = AListBox->GetItems()->GetItem(1);
  AListBox->SetItemObject(AData.get());
  EXPECT_EQ(AListBox->GetItemIndex(), 1);
  EXPECT_EQ(AListBox->Remove(AItem), 1);
  EXPECT_EQ(AListBox->GetCount(), 1);
  EXPECT_EQ(AListBox->GetItemIndex(), 0);
  EXPECT_EQ(AListBox->Remove(AItem), -1);
}

TEST_F(TdxListBoxTestFixture, DISABLED_Render)
{
  TdxCustomListBox* AList = AddListBox(6, 150);
  Fill(AList, {L"Alpha", L"Bravo", L"Charlie is a long caption", L"Delta", L"Echo", L"Foxtrot", L"Golf"});
  AList->GetItems()->GetItem(1)->SetHasSeparator(true);
  AList->SetItemIndex(2);
  TdxCustomListBox* AColumns = AddChild<TdxCustomListBox>({180, 10, 380, 100});
  for (int I = 0; I < 14; ++I)
    AColumns->Add(L"Item " + rtl::IntToStr(I));
  AColumns->SetColumns(2);
  AColumns->SetItemIndex(6);
  // The same columns read right to left, below.
  TdxCustomListBox* AMirrored = AddChild<TdxCustomListBox>({180, 110, 380, 200});
  for (int I = 0; I < 14; ++I)
    AMirrored->Add(L"Item " + rtl::IntToStr(I));
  AMirrored->GetItems()->GetItem(1)->SetHasSeparator(true);
  AMirrored->SetColumns(2);
  AMirrored->SetBiDiMode(vcl::TBiDiMode::bdRightToLeft);
  AMirrored->SetItemIndex(6);
  FHost->SetColor(vcl::clBtnFace);
  FHost->Invalidate();
  kvtest::PumpMessages();
  UpdateWindow(FHost->GetHandle());
  rtl::TOwnedPtr<TcxBitmap> ABitmap(rtl::NewWith<TcxBitmap>([](TcxBitmap* B) { B->CreateSize(400, 210); }));
  vcl::TWindowDC AHostDC(FHost->GetHandle());
  BitBlt(ABitmap->GetcxCanvas()->GetHandle(), 0, 0, 400, 210, AHostDC.Get(), 0, 0, SRCCOPY);
  const rtl::TOwnedPtr<TdxPNGImage> APng(rtl::New<TdxPNGImage>());
  APng->LoadFromBitmap(ABitmap.get());
  if (const char* AFolder = std::getenv("KV_RENDER_DIR"))
    APng->SaveToFile(std::wstring(AFolder, AFolder + std::strlen(AFolder)) + L"\\OwnerDrawnListBox.png");
}
