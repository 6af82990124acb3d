// The text editor on real windows: Text through the window-text messages,
// typing with real messages (Text follows every key, EditValue waits for
// validation), pasting within MaxLength, and the properties' rules.
#include <gtest/gtest.h>

#include "editors/cxTextEdit.h"
#include "tests/support/TestHost.h"

namespace {

class TcxTextEditTestFixture : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Edit = AddChild<TcxTextEdit>(TRect{10, 10, 200, 31});
    Edit->HandleNeeded();
  }

  HWND InnerWindow() { return Edit->GetInnerControl()->GetHandle(); }

  void Type(const wchar_t* AText)
  {
    for (const wchar_t* c = AText; *c; ++c)
      SendMessageW(InnerWindow(), WM_CHAR, *c, 1);
  }

  TcxTextEdit* Edit = nullptr;
};

TEST_F(TcxTextEditTestFixture, NewEditorSizeAndInnerWindow)
{
  rtl::TOwnedPtr<TcxTextEdit> fresh(rtl::New<TcxTextEdit>(nullptr));
  EXPECT_EQ(fresh->GetWidth(), 121);
  EXPECT_EQ(fresh->GetHeight(), 21);
  ASSERT_NE(Edit->GetInnerTextEdit(), nullptr);
  const LONG style = GetWindowLongW(InnerWindow(), GWL_STYLE);
  EXPECT_EQ(style & WS_BORDER, 0);
  EXPECT_NE(style & ES_AUTOHSCROLL, 0);
}

TEST_F(TcxTextEditTestFixture, TextGoesThroughTheWindowTextMessages)
{
  Edit->SetText(L"Company");
  EXPECT_EQ(Edit->GetText(), L"Company");
  EXPECT_EQ(rtl::VarToStr(Edit->GetEditValue()), L"Company");

  struct Case {
    WPARAM Capacity;
    LRESULT Result;
    const wchar_t* Copied;
  };
  const Case cases[] = {{0, 0, L"#####"}, {1, 0, L""}, {4, 3, L"Com"}, {64, 7, L"Company"}};
  for (const Case& c : cases) {
    wchar_t buffer[64] = L"#####";
    EXPECT_EQ(Edit->Perform(WM_GETTEXT, c.Capacity, reinterpret_cast<LPARAM>(buffer)), c.Result) << c.Capacity;
    EXPECT_STREQ(buffer, c.Copied) << c.Capacity;
  }
  EXPECT_EQ(Edit->Perform(WM_GETTEXTLENGTH, 0, 0), 7);

  Edit->Clear();
  EXPECT_EQ(Edit->GetText(), L"");
  EXPECT_TRUE(rtl::VarIsNull(Edit->GetEditValue()));
}

TEST_F(TcxTextEditTestFixture, CharCaseAndFixedListRulesApplyToSetText)
{
  Edit->GetTextEditProperties()->SetCharCase(vcl::TEditCharCase::ecUpperCase);
  Edit->SetText(L"name");
  EXPECT_EQ(Edit->GetText(), L"NAME");
  EXPECT_EQ(rtl::VarToStr(Edit->GetEditValue()), L"NAME");
}

TEST_F(TcxTextEditTestFixture, TypingChangesTextAtOnceAndEditValueAtValidation)
{
  int changes = 0;
  struct TCounter {
    int* Count;
    void Changed(rtl::TObject*) { ++*Count; }
  } counter{&changes};
  Edit->GetTextEditProperties()->SetOnChange(rtl::TNotifyEvent::Bind<&TCounter::Changed>(&counter));
  Edit->SetFocus();
  Type(L"Abc");
  EXPECT_EQ(Edit->GetText(), L"Abc");
  EXPECT_EQ(changes, 3);
  EXPECT_TRUE(rtl::VarIsNull(Edit->GetEditValue())) << "EditValue waits for validation";
  EXPECT_TRUE(Edit->GetModifiedAfterEnter());
  Edit->ValidateEdit(true);
  EXPECT_EQ(rtl::VarToStr(Edit->GetEditValue()), L"Abc");
}

TEST_F(TcxTextEditTestFixture, PasteKeepsWithinMaxLength)
{
  Edit->GetTextEditProperties()->SetMaxLength(5);
  Edit->SetText(L"ab");
  Edit->SetFocus();
  Edit->SetSelection(2, 0);
  {
    const wchar_t clip[] = L"cdefgh";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(clip));
    {
      vcl::TGlobalLock<wchar_t> data(memory);
      std::copy(std::begin(clip), std::end(clip), data.Get());
    }
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  }
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->GetText(), L"abcde");
  EXPECT_EQ(Edit->GetSelStart(), 5);
}

TEST(TcxTextEditPropertiesTest, MaxLengthAndViewStyleRules)
{
  rtl::TOwnedPtr<TcxTextEditProperties> properties(rtl::New<TcxTextEditProperties>(nullptr));
  EXPECT_FALSE(properties->GetTextAssignedValues()->GetMaxLength());
  properties->SetMaxLength(-5);
  EXPECT_EQ(properties->GetMaxLength(), 0);
  EXPECT_TRUE(properties->GetTextAssignedValues()->GetMaxLength());

  properties->SetViewStyle(TcxTextEditViewStyle::vsButtonsOnly);
  EXPECT_EQ(properties->GetEditingStyle(), TcxEditEditingStyle::esNoEdit);
  properties->SetViewStyle(TcxTextEditViewStyle::vsNormal);
  EXPECT_EQ(properties->GetEditingStyle(), TcxEditEditingStyle::esEdit);
}

TEST(TcxTextEditPropertiesTest, NullStringShowsOnlyUnfocused)
{
  rtl::TOwnedPtr<TcxTextEditProperties> properties(rtl::New<TcxTextEditProperties>(nullptr));
  properties->SetUseNullString(true);
  properties->SetNullstring(L"<none>");
  rtl::Variant shown;
  properties->PrepareDisplayValue(rtl::Null(), shown, false);
  EXPECT_EQ(rtl::VarToStr(shown), L"<none>");
  properties->PrepareDisplayValue(rtl::Null(), shown, true);
  EXPECT_EQ(rtl::VarToStr(shown), L"");
}

}  // namespace
