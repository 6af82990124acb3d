// Lookup completion on real windows: typed characters complete from the
// lookup items, Backspace steps back, Enter selects; and the lookup data's
// search, stepping and filtering on an editor whose editing style and popup
// state a test sets.
#include <gtest/gtest.h>

#include "editors/cxTextEdit.h"
#include "tests/support/TestHost.h"

namespace {

using enum TcxEditEditingStyle;
using enum TcxEditLookupDataGoDirection;

// Text properties whose editing style a test chooses.
class TcxLookupTestProperties : public TcxTextEditProperties {
  RTL_CLASS(TcxLookupTestProperties, TcxTextEditProperties)

 public:
  TcxEditEditingStyle GetEditingStyle() override { return Style; }
  TcxEditEditingStyle Style = esEdit;
};

// A text editor that may pretend its popup is open.
class TcxLookupTestEdit : public TcxTextEdit {
  RTL_CLASS(TcxLookupTestEdit, TcxTextEdit)

 public:
  TcxCustomEditPropertiesClass GetPropertiesClass() override
  {
    return TcxCustomEditPropertiesClass::Of<TcxLookupTestProperties>();
  }
  bool HasPopupWindow() override { return PopupOpen; }
  TcxLookupTestProperties* TestProperties() const
  {
    return static_cast<TcxLookupTestProperties*>(GetInternalProperties());
  }
  bool PopupOpen = false;
};

class TcxTextEditLookupTest : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Edit = AddChild<TcxLookupTestEdit>(TRect{10, 10, 200, 31});
    Edit->HandleNeeded();
  }

  HWND InnerWindow() { return Edit->GetInnerControl()->GetHandle(); }
  void Type(const wchar_t* AText)
  {
    for (const wchar_t* c = AText; *c; ++c)
      SendMessageW(InnerWindow(), WM_CHAR, *c, 1);
  }
  void Key(WORD AKey)
  {
    SendMessageW(InnerWindow(), WM_KEYDOWN, AKey, 1);
    SendMessageW(InnerWindow(), WM_KEYUP, AKey, 0xC0000001);
  }
  void SetItems(std::initializer_list<const wchar_t*> AItems)
  {
    rtl::TStringList* items = Edit->GetTextEditProperties()->GetLookupItems();
    items->Clear();
    for (const wchar_t* item : AItems)
      items->Add(item);
  }
  TcxCustomTextEditLookupData* Data() { return Edit->GetLookupData(); }
  int CurrentKey() { return Data()->GetCurrentKey().AsInteger(); }
  // The shown text with the selected part in brackets.
  rtl::String Shown()
  {
    const rtl::String text = Edit->GetText();
    const auto start = static_cast<std::size_t>(Edit->GetSelStart());
    const auto length = static_cast<std::size_t>(Edit->GetSelLength());
    if (length == 0)
      return text;
    return text.substr(0, start) + L"[" + text.substr(start, length) + L"]" + text.substr(start + length);
  }

  TcxLookupTestEdit* Edit = nullptr;
};

TEST_F(TcxTextEditLookupTest, TypingCompletesFromTheItemsAndBackspaceStepsBack)
{
  SetItems({L"Apple", L"Apricot"});
  Edit->SetFocus();
  const struct {
    const wchar_t* Keys;
    const wchar_t* Shown;
  } steps[] = {
      {L"a", L"a[pple]"},  // the typed letters keep their case
      {L"p", L"ap[ple]"},
      {L"r", L"apr[icot]"},
      {L"\b", L"ap[ple]"},
      {L"x", L"apx"},  // no item: the character goes in as typed
  };
  for (const auto& step : steps) {
    Type(step.Keys);
    EXPECT_EQ(Shown(), step.Shown) << rtl::String(step.Keys);
  }
  EXPECT_FALSE(Edit->GetFindSelection());
}

TEST_F(TcxTextEditLookupTest, NoItemsOrTypingInTheMiddleNeverComplete)
{
  Edit->SetFocus();
  Type(L"Customer");
  EXPECT_EQ(Shown(), L"Customer") << "the model-name field has no items";

  SetItems({L"Customer"});
  Edit->SetText(L"Cr");
  Edit->SetSelection(1, 0);
  Type(L"u");
  EXPECT_EQ(Shown(), L"Cur");
}

TEST_F(TcxTextEditLookupTest, EnterSelectsTheItemAndValidationTakesItsSpelling)
{
  SetItems({L"Apple", L"Apricot"});
  Edit->SetFocus();
  Type(L"APP");
  EXPECT_EQ(Shown(), L"APP[le]");
  Key(VK_RETURN);
  EXPECT_EQ(Edit->GetItemIndex(), 0);
  EXPECT_EQ(Edit->GetSelLength(), static_cast<int>(Edit->GetText().size())) << "the whole text is selected";
  Edit->ValidateEdit(true);
  EXPECT_EQ(rtl::VarToStr(Edit->GetEditValue()), L"Apple");
}

TEST_F(TcxTextEditLookupTest, ATextEditNeverStepsItemsWithKeys)
{
  SetItems({L"One", L"Two"});
  Edit->SetText(L"One");
  Edit->SetFocus();
  for (WORD key : {VK_DOWN, VK_NEXT, VK_UP})
    Key(key);
  EXPECT_EQ(Edit->GetText(), L"One");
}

TEST_F(TcxTextEditLookupTest, ItemIndexShowsTheItem)
{
  SetItems({L"Red", L"Green"});
  Edit->SetItemIndex(1);
  EXPECT_EQ(Edit->GetText(), L"Green");
  EXPECT_EQ(Edit->GetItemIndex(), 1);
  Edit->SetItemIndex(-1);
  EXPECT_EQ(Edit->GetItemIndex(), -1);
}

TEST_F(TcxTextEditLookupTest, DisplayTextOutsideTheItemsIsEmpty)
{
  SetItems({L"a", L"b"});
  for (int key : {-1, 2, 5})
    EXPECT_EQ(Data()->GetDisplayText(rtl::Variant(key)), L"") << key;
  EXPECT_EQ(Data()->GetDisplayText(rtl::Variant(1)), L"b");
}

TEST_F(TcxTextEditLookupTest, AMissForgetsTheKeyByEditingStyle)
{
  SetItems({L"Apple", L"Banana"});
  const struct {
    TcxEditEditingStyle Style;
    bool ExactMRU;
    int Expected;
  } cases[] = {
      {esEdit, false, -1},       {esNoEdit, false, -1},    {esEditList, false, 1},
      {esEditList, true, -1},    {esFixedList, false, 1},  {esFixedList, true, -1},
  };
  for (const auto& c : cases) {
    Edit->TestProperties()->Style = c.Style;
    rtl::String text = L"Ban";
    rtl::String tail;
    ASSERT_TRUE(Data()->LocateText(text, tail, false, false));
    text = L"Cherry";
    EXPECT_FALSE(Data()->LocateText(text, tail, c.ExactMRU, false));
    EXPECT_EQ(CurrentKey(), c.Expected) << static_cast<int>(c.Style) << " " << c.ExactMRU;
  }
}

TEST_F(TcxTextEditLookupTest, AListStyleShowsTheItemsSpelling)
{
  SetItems({L"Apple"});
  const struct {
    TcxEditEditingStyle Style;
    const wchar_t* Text;
  } cases[] = {{esEdit, L"aP"}, {esEditList, L"Ap"}, {esFixedList, L"Ap"}};
  for (const auto& c : cases) {
    Edit->TestProperties()->Style = c.Style;
    rtl::String text = L"aP";
    rtl::String tail;
    ASSERT_TRUE(Data()->Locate(text, tail, false));
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(tail, L"ple");
  }
}

TEST_F(TcxTextEditLookupTest, GoStepsByDirection)
{
  rtl::TStringList* items = Edit->GetTextEditProperties()->GetLookupItems();
  for (int i = 0; i < 20; ++i)
    items->Add(rtl::IntToStr(i));
  const struct {
    int From;
    TcxEditLookupDataGoDirection Direction;
    bool Circular;
    int Expected;
  } cases[] = {
      {0, egdPageDown, false, 7},  {15, egdPageDown, false, 19}, {19, egdPageDown, true, 0},
      {-1, egdPageDown, false, 7}, {10, egdPageUp, false, 3},    {3, egdPageUp, false, 0},
      {0, egdPageUp, true, 19},    {19, egdNext, false, 19},     {19, egdNext, true, 0},
      {0, egdPrev, false, 0},      {0, egdPrev, true, 19},       {5, egdBegin, false, 0},
      {5, egdEnd, false, 19},      {5, egdNext, false, 6},       {5, egdPrev, false, 4},
  };
  for (const auto& c : cases) {
    Data()->SetCurrentKey(rtl::Variant(c.From));
    Data()->Go(c.Direction, c.Circular);
    EXPECT_EQ(CurrentKey(), c.Expected) << c.From << " " << static_cast<int>(c.Direction) << " " << c.Circular;
  }
}

TEST_F(TcxTextEditLookupTest, FilteringListsMatchingItemsAndEndsTheListWhenOpen)
{
  SetItems({L"Abc", L"xaBy", L"abd", L"Zab"});
  TcxLookupTestProperties* properties = Edit->TestProperties();
  properties->Style = esFixedList;
  properties->SetIncrementalFiltering(true);
  const struct {
    bool Contains;
    std::vector<int> Shown;
  } cases[] = {{false, {0, 2}}, {true, {0, 1, 2, 3}}};
  for (const auto& c : cases) {
    properties->SetIncrementalFilteringOptions(
        c.Contains ? TcxTextEditIncrementalFilteringOptions{TcxTextEditIncrementalFilteringOption::ifoUseContainsOperator}
                   : TcxTextEditIncrementalFilteringOptions{});
    Data()->UpdateFilteredItems(L"ab");
    std::vector<int> shown;
    for (int i = 0; i < Data()->GetDisplayItemCount(); ++i)
      shown.push_back(Data()->ShownToItem(i));
    EXPECT_EQ(shown, c.Shown) << c.Contains;
  }

  // With the popup open, Next at the last shown item clears the selection.
  Edit->PopupOpen = true;
  Data()->SetCurrentKey(rtl::Variant(3));
  Data()->Go(egdNext, false);
  EXPECT_EQ(Data()->GetItemIndex(), -1);
}

TEST_F(TcxTextEditLookupTest, SelectItemRaisesTheEventOnceMore)
{
  SetItems({L"One", L"Two"});
  int selections = 0;
  struct TcxLookupTestCounter {
    int* Count;
    void Selected(rtl::TObject*) { ++*Count; }
  } counter{&selections};
  Data()->SetOnSelectItem(rtl::TNotifyEvent::Bind<&TcxLookupTestCounter::Selected>(&counter));
  Data()->SetItemIndex(1);
  Data()->SelectItem();
  EXPECT_EQ(selections, 1) << "the key changed";
  Edit->SetText(L"Two");
  Data()->SelectItem();
  EXPECT_EQ(selections, 2) << "the same key selected again";
  EXPECT_EQ(CurrentKey(), 1);
}

TEST(TcxEditListBoxTest, WheelNotchesAccumulate)
{
  rtl::TOwnedPtr<TcxCustomEditListBox> list(rtl::New<TcxCustomEditListBox>(nullptr));
  const struct {
    std::vector<int> Deltas;
    int Accumulator;
  } cases[] = {
      {{60, 60}, 0},  // one whole notch scrolls and restarts
      {{60, -60}, -60},  // a turn back restarts the count
      {{500}, 0},  // clamped to one notch
      {{-30, -30, -30}, -90},
  };
  for (const auto& c : cases) {
    list.reset(rtl::New<TcxCustomEditListBox>(nullptr));
    for (int delta : c.Deltas)
      list->AccumulateWheel(delta);
    EXPECT_EQ(list->GetMouseWheelAccumulator(), c.Accumulator) << c.Deltas.size();
  }
}

}  // namespace
