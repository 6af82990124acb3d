// The memo's lines on real windows: how added entries become lines, that
// EditValue follows the text, Clear, and large texts read back whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/cxMemo.h"
#include "graphics/cxGraphics.h"
#include "tests/support/TestHost.h"

namespace {

// A memo whose bar steps a test may take.
class TcxMemoTestScrollMemo : public TcxMemo {
  RTL_CLASS(TcxMemoTestScrollMemo, TcxMemo)

 public:
  using TcxCustomMemo::Scroll;
};

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

// The memo's own bars show what the inner window's native bars show, and
// moving the memo's bar scrolls the inner window.
TEST_F(TcxMemoTestFixture, ScrollBarsMirrorTheInnerWindow)
{
  auto* memo = AddChild<TcxMemoTestScrollMemo>(TRect{10, 10, 300, 200});
  memo->HandleNeeded();
  Memo->SetVisible(false);
  Memo = memo;
  Memo->GetMemoProperties()->SetScrollBars(vcl::TScrollStyle::ssVertical);
  rtl::String text;
  for (int i = 0; i < 100; ++i)
    text += L"line " + rtl::IntToStr(i) + L"\r\n";
  Memo->GetLines()->SetText(text);
  kvtest::PumpMessages();
  const HWND inner = Memo->GetInnerControl()->GetHandle();
  IcxControlScrollBar* bar = Memo->GetMainScrollBar(TScrollBarKind::sbVertical);
  ASSERT_NE(bar, nullptr);
  auto nativeInfo = [inner] {
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    GetScrollInfo(inner, SB_VERT, &info);
    return info;
  };
  const struct {
    const char* Name;
    UINT Message;
    WPARAM WParam;
  } steps[] = {
      {"filled", WM_NULL, 0},
      {"the window scrolls itself", EM_LINESCROLL, 0},
      {"a page down", WM_VSCROLL, SB_PAGEDOWN},
      {"to the end", WM_VSCROLL, SB_BOTTOM},
  };
  for (const auto& step : steps) {
    if (step.Message == EM_LINESCROLL)
      SendMessageW(inner, EM_LINESCROLL, 0, 10);
    else if (step.Message != WM_NULL)
      SendMessageW(inner, step.Message, step.WParam, 0);
    kvtest::PumpMessages();
    const SCROLLINFO info = nativeInfo();
    EXPECT_TRUE(bar->GetVisible()) << step.Name;
    EXPECT_EQ(bar->GetMax(), info.nMax) << step.Name;
    EXPECT_EQ(bar->GetPageSize(), static_cast<int>(info.nPage)) << step.Name;
    EXPECT_EQ(bar->GetPosition(), info.nPos) << step.Name;
  }

  // The memo's bar moves the inner window's lines.
  int position = 5;
  memo->Scroll(TScrollBarKind::sbVertical, TScrollCode::scPosition, position);
  EXPECT_EQ(SendMessageW(inner, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
  EXPECT_EQ(position, 5);
  kvtest::PumpMessages();
  EXPECT_EQ(bar->GetPosition(), 5);
  int lineDown = 0;
  memo->Scroll(TScrollBarKind::sbVertical, TScrollCode::scLineDown, lineDown);
  EXPECT_EQ(lineDown, 6) << "a line step answers the window's new position";
}

TEST_F(TcxMemoTestFixture, WithoutScrollBarsNoneShows)
{
  Memo->GetLines()->SetText(L"a\r\nb\r\n");
  kvtest::PumpMessages();
  for (TScrollBarKind kind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    if (IcxControlScrollBar* bar = Memo->GetMainScrollBar(kind)) {
      EXPECT_FALSE(bar->GetVisible()) << static_cast<int>(kind);
    }
  }
}

TEST(TcxMemoViewTest, VisibleLineCountSetsTheMinimalContentHeight)
{
  rtl::TOwnedPtr<TcxMemoProperties> properties(rtl::New<TcxMemoProperties>(nullptr));
  rtl::TOwnedPtr<TcxEditStyle> style(rtl::New<TcxEditStyle>(nullptr));
  TcxCanvas* canvas = cxScreenCanvas();
  canvas->SetFont(style->GetVisibleFont());
  const int rowHeight = canvas->TextHeight(L"Zg");
  const struct {
    int Lines;
    int MinHeight;
  } cases[] = {{0, 0}, {3, 3 * rowHeight + 4}, {1, rowHeight + 4}};
  for (const auto& c : cases) {
    properties->SetVisibleLineCount(c.Lines);
    TSize minContent{};
    properties->GetEditConstantPartSize(canvas, style.get(), false, TcxEditSizeProperties{-1, -1, -1}, minContent);
    if (c.Lines == 0) {
      EXPECT_LT(minContent.cy, rowHeight + 4);
    } else {
      EXPECT_EQ(minContent.cy, c.MinHeight) << c.Lines;
    }
  }
}

TEST(TcxMemoViewTest, DrawTextFlagsWrapUnlessAHorizontalBarScrolls)
{
  rtl::TOwnedPtr<TcxMemoProperties> properties(rtl::New<TcxMemoProperties>(nullptr));
  rtl::TOwnedPtr<TcxEditStyle> style(rtl::New<TcxEditStyle>(nullptr));
  constexpr unsigned wraps = cxdtfWordBreak | cxdtfCharBreak;
  const struct {
    vcl::TScrollStyle ScrollBars;
    bool WordWrap;
    bool Wraps;
  } cases[] = {
      {vcl::TScrollStyle::ssVertical, true, true},
      {vcl::TScrollStyle::ssNone, true, true},
      {vcl::TScrollStyle::ssBoth, true, false},
      {vcl::TScrollStyle::ssHorizontal, true, false},
      {vcl::TScrollStyle::ssVertical, false, false},
  };
  for (const auto& c : cases) {
    properties->SetScrollBars(c.ScrollBars);
    properties->SetWordWrap(c.WordWrap);
    rtl::TOwnedPtr<TcxCustomTextEditViewData> data(
        rtl::As<TcxCustomTextEditViewData>(properties->CreateViewData(style.get(), false)));
    const unsigned flags = data->GetDrawTextFlags();
    EXPECT_EQ((flags & wraps) == wraps, c.Wraps) << static_cast<int>(c.ScrollBars) << " " << c.WordWrap;
    EXPECT_EQ(flags & (cxdtfEditControl | cxdtfExpandTabs), cxdtfEditControl | cxdtfExpandTabs);
    EXPECT_EQ(flags & cxdtfSingleLine, 0u);
  }
}

}  // namespace
