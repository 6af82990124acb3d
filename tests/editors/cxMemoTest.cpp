// The memo's lines on real windows: how added entries become lines, that
// EditValue follows the text, Clear, and large texts read back whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/cxMemo.h"
#include "tests/support/TestHost.h"

namespace {

class TcxMemoTestFixture : public kvtest::THostedTest {
 protected:
  void SetUp() override
  {
    THostedTest::SetUp();
    Memo = AddChild<TcxMemo>(TRect{10, 10, 300, 200});
    Memo->HandleNeeded();
  }

  std::vector<rtl::String> LinesOf()
  {
    std::vector<rtl::String> result;
    rtl::TStrings* lines = Memo->GetLines();
    for (int i = 0; i < lines->GetCount(); ++i)
      result.push_back(lines->GetStrings(i));
    return result;
  }

  TcxMemo* Memo = nullptr;
};

TEST_F(TcxMemoTestFixture, AddedEntriesBecomeLines)
{
  struct Case {
    const char* Name;
    std::vector<rtl::String> Entries;
    std::vector<rtl::String> Lines;
    rtl::String Text;
  };
  const Case cases[] = {
      {"one entry with CR LF is two lines", {L"a\r\nb"}, {L"a", L"b"}, L"a\r\nb\r\n"},
      {"entries in order", {L"class A {", L"}"}, {L"class A {", L"}"}, L"class A {\r\n}\r\n"},
      {"LF CR is two line breaks", {L"x\n\ry"}, {L"x", L"", L"y"}, L"x\r\n\r\ny\r\n"},
      {"an empty entry is an empty line", {L"a", L"", L"b"}, {L"a", L"", L"b"}, L"a\r\n\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Memo->Clear();
    for (const rtl::String& entry : c.Entries) {
      Memo->GetLines()->Add(entry);
      EXPECT_EQ(rtl::VarToStr(Memo->GetEditValue()), Memo->GetLines()->GetText()) << "after each add";
    }
    EXPECT_EQ(LinesOf(), c.Lines);
    EXPECT_EQ(Memo->GetLines()->GetCount(), static_cast<int>(c.Lines.size())) << "no trailing empty line";
    EXPECT_EQ(Memo->GetLines()->GetText(), c.Text);
    EXPECT_EQ(Memo->GetText(), c.Text);
  }
}

TEST_F(TcxMemoTestFixture, ClearEmptiesTextLinesAndValue)
{
  Memo->GetLines()->Add(L"String id;");
  Memo->Clear();
  EXPECT_TRUE(rtl::VarIsNull(Memo->GetEditValue()));
  EXPECT_EQ(Memo->GetLines()->GetCount(), 0);
  EXPECT_EQ(Memo->GetText(), L"");
}

TEST_F(TcxMemoTestFixture, SelectAllCopiesTheWholeText)
{
  Memo->GetLines()->Add(L"one");
  Memo->GetLines()->Add(L"two");
  Memo->SelectAll();
  EXPECT_EQ(Memo->GetSelLength(), static_cast<int>(Memo->GetText().size()));
  Memo->CopyToClipboard();
  Memo->SetSelLength(0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  rtl::String copied;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    vcl::TGlobalLock<const wchar_t> text(data);
    copied = text.Get();
  }
  CloseClipboard();
  EXPECT_EQ(copied, L"one\r\ntwo\r\n");
}

// Lines past the platform's old limits (a line read back in pieces, a text
// cut at 32,767 characters) come back whole.
TEST_F(TcxMemoTestFixture, LargeTextsRoundTripWhole)
{
  // Hidden and unwrapped, so that the window neither paints nor lays out
  // a megabyte of text into rows.
  Memo->SetVisible(false);
  Memo->GetMemoProperties()->SetWordWrap(false);
  Memo->GetMemoProperties()->SetScrollBars(vcl::TScrollStyle::ssBoth);
  const rtl::String longLine(1'000'000, L'x');
  Memo->GetLines()->SetText(L"a\r\n" + longLine + L"\r\nb");
  ASSERT_EQ(Memo->GetLines()->GetCount(), 3);
  EXPECT_EQ(Memo->GetLines()->GetStrings(1), longLine);

  rtl::String text;
  for (int i = 0; i < 100'000; ++i)
    text += L"String field" + std::to_wstring(i) + L";\r\n";
  Memo->GetLines()->SetText(text);
  EXPECT_EQ(Memo->GetLines()->GetCount(), 100'000);
  EXPECT_EQ(Memo->GetLines()->GetStrings(99'999), L"String field99999;");
  EXPECT_EQ(Memo->GetLines()->GetText(), text);
  EXPECT_EQ(rtl::VarToStr(Memo->GetEditValue()), text);
}

TEST(TcxMemoRoutinesTest, AdjustLineBreaksAndTruncate)
{
  struct Case {
    rtl::String In;
    rtl::String Adjusted;
  };
  const Case cases[] = {{L"a\n\rb", L"a\r\n\r\nb"}, {L"a\r\nb", L"a\r\nb"}, {L"a\nb\r", L"a\nb\r"},
                        {L"\n\r\n\r", L"\r\n\r\n\r\n\r\n"}, {L"", L""}};
  for (const Case& c : cases) {
    rtl::String s = c.In;
    cxAdjustMemoLineBreaks(s);
    EXPECT_EQ(s, c.Adjusted);
  }
  rtl::String s = L"first\r\nsecond";
  cxTruncateToFirstLine(s, 250);
  EXPECT_EQ(s, L"first");
  s = L"abcdef";
  cxTruncateToFirstLine(s, 3);
  EXPECT_EQ(s, L"abc");
}

}  // namespace

namespace {

// Appended lines wait for the next use of the lines or the window, or for
// the message loop; any order of use sees them in place.
TEST_F(TcxMemoTestFixture, AppendedLinesReachTheWindowBeforeAnythingElse)
{
  auto* inner = static_cast<TcxCustomInnerMemo*>(Memo->GetInnerControl());
  Memo->GetLines()->Add(L"a");
  Memo->GetLines()->Add(L"b");
  EXPECT_TRUE(inner->GetMemoLines()->HasPending());
  kvtest::PumpMessages();
  EXPECT_FALSE(inner->GetMemoLines()->HasPending()) << "the posted message puts them in";
  EXPECT_EQ(GetWindowTextLengthW(inner->GetHandle()), 6);

  Memo->GetLines()->Add(L"c");
  Memo->GetLines()->Insert(0, L"z");
  EXPECT_EQ(LinesOf(), (std::vector<rtl::String>{L"z", L"a", L"b", L"c"}));
  Memo->GetLines()->Add(L"d");
  EXPECT_EQ(rtl::VarToStr(Memo->GetEditValue()), L"z\r\na\r\nb\r\nc\r\nd\r\n");
}

}  // namespace
