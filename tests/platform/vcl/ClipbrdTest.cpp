#include <gtest/gtest.h>

#include <cstring>

#include "platform/vcl/Clipbrd.h"
#include "platform/vcl/Graphics.h"

namespace vcl {
namespace {

// A format of our own, so the tests see exactly what they placed.
WORD TestFormat()
{
  static const WORD format = static_cast<WORD>(RegisterClipboardFormatW(L"Kelvaro.ClipbrdTest"));
  return format;
}

HGLOBAL GlobalText(const char* AText)
{
  const std::size_t size = std::strlen(AText) + 1;
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(data), AText, size);
  GlobalUnlock(data);
  return data;
}

String GlobalTextOf(HANDLE AData)
{
  const char* text = static_cast<const char*>(GlobalLock(AData));
  String result(text, text + std::strlen(text));
  GlobalUnlock(AData);
  return result;
}

TEST(ClipbrdText, UnicodeRoundTrip)
{
  const String texts[] = {L"", L"plain", L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600", L"line 1\r\nline 2\r\n"};
  for (const String& text : texts) {
    Clipboard()->SetAsText(text);
    EXPECT_EQ(Clipboard()->GetAsText(), text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  }
  // Windows offers the ANSI form of the text as well.
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(ClipbrdText, NoTextReadsEmpty)
{
  Clipboard()->SetAsHandle(TestFormat(), GlobalText("not text"));
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard()->GetAsText(), L"");
}

TEST(ClipbrdFormats, EachAdditionOutsideAnOpeningReplacesTheClipboard)
{
  Clipboard()->SetAsText(L"first");
  Clipboard()->SetAsHandle(TestFormat(), GlobalText("second"));
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(TestFormat()));
  EXPECT_EQ(GlobalTextOf(Clipboard()->GetAsHandle(TestFormat())), L"second");
}

TEST(ClipbrdFormats, AdditionsInsideOneOpeningStayTogether)
{
  Clipboard()->SetAsText(L"old");
  Clipboard()->Open();
  Clipboard()->SetAsHandle(TestFormat(), GlobalText("own"));
  Clipboard()->SetAsText(L"new");
  Clipboard()->Close();

  EXPECT_EQ(Clipboard()->GetAsText(), L"new");
  EXPECT_EQ(GlobalTextOf(Clipboard()->GetAsHandle(TestFormat())), L"own");
  bool listed = false;
  for (int i = 0; i < Clipboard()->GetFormatCount(); ++i)
    listed = listed || Clipboard()->GetFormats(i) == TestFormat();
  EXPECT_TRUE(listed);
}

// A handle the clipboard refuses is not the clipboard's: the caller hears
// of it and still frees it.
TEST(ClipbrdFormats, RefusedHandleRaisesAndStaysTheCallers)
{
  Clipboard()->SetAsText(L"before");
  HGLOBAL data = GlobalText("refused");
  EXPECT_THROW(Clipboard()->SetAsHandle(0, data), rtl::EOSError);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_EQ(GlobalTextOf(data), L"refused");
  EXPECT_EQ(GlobalFree(data), nullptr);
}

TEST(ClipbrdFormats, ClearEmptiesTheClipboard)
{
  Clipboard()->SetAsText(L"gone soon");
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard()->GetFormatCount(), 0);
}

TEST(ClipbrdOpen, OpeningsNestAndOnlyTheOutermostCloseReleases)
{
  Clipboard()->Open();
  Clipboard()->Open();
  EXPECT_NE(GetOpenClipboardWindow(), nullptr);
  Clipboard()->Close();
  EXPECT_NE(GetOpenClipboardWindow(), nullptr);
  Clipboard()->Close();
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  // One Close too many is harmless.
  Clipboard()->Close();
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST(ClipbrdOpen, ClipboardHeldElsewhereRaises)
{
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(other));
  EXPECT_THROW(Clipboard()->SetAsText(L"refused"), EClipboardException);
  CloseClipboard();
  DestroyWindow(other);
  // The failed opening left no count behind.
  Clipboard()->SetAsText(L"accepted");
  EXPECT_EQ(Clipboard()->GetAsText(), L"accepted");
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST(ClipbrdAssign, GraphicsPutTheirBitmap)
{
  rtl::TOwnedPtr<TBitmap> bitmap(rtl::New<TBitmap>(5, 3));
  bitmap->GetCanvas()->SetPixel(2, 1, clRed);
  rtl::TOwnedPtr<TPicture> picture(rtl::New<TPicture>());
  picture->SetBitmap(bitmap.get());

  rtl::TPersistent* const sources[] = {bitmap.get(), picture.get()};
  for (rtl::TPersistent* source : sources) {
    SCOPED_TRACE(source == bitmap.get() ? "bitmap" : "picture");
    Clipboard()->SetAsText(L"replaced");
    Clipboard()->Assign(source);
    EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));
    ASSERT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

    rtl::TOwnedPtr<TBitmap> pasted(rtl::New<TBitmap>());
    pasted->LoadFromClipboardFormat(CF_BITMAP, Clipboard()->GetAsHandle(CF_BITMAP), nullptr);
    EXPECT_EQ(pasted->GetWidth(), 5);
    EXPECT_EQ(pasted->GetHeight(), 3);
    EXPECT_EQ(pasted->GetCanvas()->GetPixel(2, 1), clRed);
  }
}

TEST(ClipbrdAssign, OtherSourcesRaise)
{
  rtl::TOwnedPtr<rtl::TStringList> strings(rtl::New<rtl::TStringList>());
  EXPECT_THROW(Clipboard()->Assign(strings.get()), rtl::EConvertError);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

}  // namespace
}  // namespace vcl
