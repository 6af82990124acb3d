#include "graphics/cxDrawTextUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/vcl/GraphicsHandles.h"

namespace {

using vcl::TRect;
using vcl::TSize;

// Every character is 10 pixels wide and 10 high: the layout rules are checked
// apart from the fonts the machine has.
constexpr int CharWidth = 10;
constexpr int RowHeight = 10;

void FixedWidthMeasure(HDC, const wchar_t*, int ALength, TSize& ASize, void*, bool)
{
  ASize = {ALength * CharWidth, RowHeight};
}

int FixedWidthPartialExtents(HDC, const wchar_t*, int ALength, int AMaxWidth, int* AExtents, void*)
{
  int fit = 0;
  for (int i = 0; i < ALength; ++i) {
    if (AExtents)
      AExtents[i] = (i + 1) * CharWidth;
    if ((i + 1) * CharWidth <= AMaxWidth)
      fit = i + 1;
  }
  return fit;
}

constexpr TcxTextMeasurer FixedWidthMeasurer{&FixedWidthMeasure, &FixedWidthPartialExtents, nullptr};

// Parameters from the flags alone, with the metrics of the fixed-width
// measurer.
TcxTextParams FixedWidthParams(unsigned AFlags)
{
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  TcxTextParams params;
  cxPrepareTextParamsForDC(dc.Get(), AFlags & ~cxdtfPatternedText, params);
  params.RowHeight = RowHeight;
  params.FullRowHeight = RowHeight;
  params.tmExternalLeading = 0;
  params.EndEllipsisWidth = params.EndEllipsis ? 3 * CharWidth : 0;
  params.CharBreak = (AFlags & cxdtfCharBreak) != 0;
  return params;
}

struct TextLayoutResult {
  std::vector<std::wstring> Rows;
  std::vector<int> BreakCounts;
  std::vector<int> Offsets;
  bool Fitted;
};

TextLayoutResult BuildFixedWidthRows(const std::wstring& AText, unsigned AFlags, int AWidth, int AHeight,
                                     int AMaxRows = 0)
{
  const TcxTextParams params = FixedWidthParams(AFlags);
  TcxTextRows rows;
  int count = 0;
  TextLayoutResult result;
  result.Fitted = cxBuildTextRows(nullptr, AText.c_str(), static_cast<int>(AText.size()), &FixedWidthMeasure,
                                  nullptr, AMaxRows, count, rows, params, TRect{0, 0, AWidth, AHeight});
  EXPECT_EQ(count, rows.Count);
  for (int i = 0; i < count; ++i) {
    const TcxTextRow& row = rows.Row(i);
    result.Rows.emplace_back(row.Text, row.TextLength);
    result.BreakCounts.push_back(row.BreakCount);
    result.Offsets.push_back(row.StartOffset);
    EXPECT_EQ(row.TextExtents.cx, row.TextLength * CharWidth);
  }
  return result;
}

std::wstring JoinRows(const std::vector<std::wstring>& ARows)
{
  std::wstring result;
  for (const std::wstring& row : ARows)
    result += L"[" + row + L"]";
  return result;
}

// ---------------------------------------------------------------------------
// Character classes and words

TEST(cxDrawTextUtilsBreaking, CharacterClasses)
{
  struct Case {
    wchar_t C;
    bool NoLineStart;
    bool FullWidth;
  };
  const Case cases[] = {
      {L'A', false, false},   {L'!', true, false},     {L')', true, false},     {L'(', false, false},
      {0x00B0, true, false},  {0x3002, true, false},   {0x3042, false, true},   {0x30FF, false, true},
      {0x4E00, false, true},  {0x9FFF, false, true},   {0xAC00, false, true},   {0xD7A3, false, true},
      {0xD7A4, false, false}, {0xFF01, true, false},   {0xFF03, false, false},  {0xFFDF, false, false},
      {0xFFE0, true, false},  {0xFFFF, true, false},   {0x2026, true, false},   {0x2017, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cxIsNoLineStartChar(c.C), c.NoLineStart) << std::hex << int(c.C);
    // The Western code page: only the ranges count.
    EXPECT_EQ(cxIsFullWidthChar(1252, c.C), c.FullWidth) << std::hex << int(c.C);
  }
  // A Japanese code page takes the ideographic full stop in two bytes and a
  // half-width katakana in one.
  EXPECT_TRUE(cxIsFullWidthChar(932, 0x3002));
  EXPECT_FALSE(cxIsFullWidthChar(932, 0xFF71));
}

TEST(cxDrawTextUtilsBreaking, WordEnds)
{
  struct Case {
    const wchar_t* Text;
    int From;
    int Expected;
  };
  const Case cases[] = {
      {L"abc def", 0, 3},      // a space ends the word before it
      {L"abc def", 3, 4},      // a space is a word of its own
      {L"\tabc", 0, 1},        // so is a tab
      {L"ab\r\ncd", 0, 2},     // a line break ends the word
      {L"\r\ncd", 0, 0},       // and is no word at all
      {L"abc", 0, 3},          // the text end
      {L"ab\u3042c", 0, 2},    // a full-width character ends a word
      {L"\u3042\u3044", 0, 1},  // and is a word by itself
      {L"\u3042\u3044\u3002", 1, 3},  // with closing punctuation after it
      {L"\u3042!x", 0, 2},
  };
  for (const Case& c : cases) {
    const std::wstring text = c.Text;
    const wchar_t* begin = text.c_str();
    EXPECT_EQ(cxFindWordEnd(1252, begin + c.From, begin + text.size()) - begin, c.Expected)
        << "from " << c.From << " in " << testing::PrintToString(text);
  }
}

// ---------------------------------------------------------------------------
// Row breaking

TEST(cxDrawTextUtilsBreaking, RowsByAlignmentAndBreakingRules)
{
  const unsigned wordBreak = cxdtfWordBreak;
  struct Case {
    const wchar_t* Name;
    const wchar_t* Text;
    unsigned Flags;
    int Width;
    std::vector<std::wstring> Expected;
  };
  const Case cases[] = {
      // The blank that ends a row stays on it for left alignment and goes
      // for right and centred alignment.
      {L"left keeps the blank", L"abc def", wordBreak, 40, {L"abc ", L"def"}},
      {L"right drops the blank", L"abc def", wordBreak | taRight, 40, {L"abc", L"def"}},
      {L"centre drops the blank", L"abc def", wordBreak | taCenterX, 40, {L"abc", L"def"}},
      {L"one blank is skipped", L"abc   def", wordBreak, 40, {L"abc ", L" def"}},
      {L"Excel style skips every space", L"abc   def", wordBreak | cxdtfExcelStyle, 40, {L"abc ", L"def"}},
      {L"a long word stays whole", L"abcdefgh xy", wordBreak, 30, {L"abcdefgh", L"xy"}},
      {L"character breaking splits it", L"abcdefgh", wordBreak | cxdtfCharBreak, 30, {L"abc", L"def", L"gh"}},
      {L"edit controls split it too", L"abcdefgh", wordBreak | cxdtfEditControl, 30, {L"abc", L"def", L"gh"}},
      {L"at least one character a row", L"abc", wordBreak | cxdtfCharBreak, 5, {L"a", L"b", L"c"}},
      {L"closing punctuation stays", L"\u3042\u3044\u3002", wordBreak, 20, {L"\u3042", L"\u3044\u3002"}},
      {L"CR LF", L"ab\r\ncd", wordBreak, 100, {L"ab", L"cd"}},
      {L"LF CR", L"ab\n\rcd", wordBreak, 100, {L"ab", L"cd"}},
      {L"empty line", L"ab\r\n\r\ncd", wordBreak, 100, {L"ab", L"", L"cd"}},
      {L"without word break only line breaks", L"abc def\nx", 0, 30, {L"abc def", L"x"}},
      {L"single line ends at a break", L"abc def\nx", cxdtfSingleLine | wordBreak, 30, {L"abc def"}},
      {L"justified rows wrap without word break", L"ab cd", taJustifyX, 30, {L"ab", L"cd"}},
  };
  for (const Case& c : cases) {
    const TextLayoutResult result = BuildFixedWidthRows(c.Text, c.Flags, c.Width, 1000);
    EXPECT_EQ(JoinRows(result.Rows), JoinRows(c.Expected)) << testing::PrintToString(std::wstring(c.Name));
  }
}

TEST(cxDrawTextUtilsBreaking, JustifiedRowsCountTheirBreaks)
{
  // The last row of a paragraph stays unjustified: no break count.
  TextLayoutResult result = BuildFixedWidthRows(L"aa bb cc dd\nee ff", taJustifyX, 70, 1000);
  EXPECT_EQ(JoinRows(result.Rows), L"[aa bb][cc dd][ee ff]");
  EXPECT_EQ(result.BreakCounts, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(result.Offsets, (std::vector<int>{0, 6, 12}));
  // Distributed rows are spread even when they end a paragraph.
  result = BuildFixedWidthRows(L"a b c ", taDistributeX, 100, 1000);
  EXPECT_EQ(JoinRows(result.Rows), L"[a b c]");
  EXPECT_EQ(result.BreakCounts, (std::vector<int>{2}));
}

TEST(cxDrawTextUtilsBreaking, RowLimitsAndFitting)
{
  struct Case {
    const wchar_t* Name;
    unsigned Flags;
    int Height;
    int MaxRows;
    int ExpectedRows;
    bool Fitted;
  };
  // "a b c d e" at width 10 makes five rows of 10 pixels.
  const Case cases[] = {
      {L"all rows fit", cxdtfWordBreak, 50, 0, 5, true},
      {L"a partly shown row is the last", cxdtfWordBreak, 25, 0, 3, false},
      // A row starting at the bottom would show nothing.
      {L"an exact fit ends at the bottom", cxdtfWordBreak, 20, 0, 2, false},
      {L"edit controls show whole rows", cxdtfWordBreak | cxdtfEditControl, 25, 0, 2, false},
      {L"no clipping shows partial rows", cxdtfWordBreak | cxdtfEditControl | cxdtfNoClip, 25, 0, 3, false},
      {L"the row limit", cxdtfWordBreak, 1000, 2, 2, false},
      {L"centred text ignores the height", cxdtfWordBreak | (taCenterY << 4), 20, 0, 5, true},
      {L"centred text with a row limit", cxdtfWordBreak | (taCenterY << 4), 20, 4, 4, false},
      {L"measuring ignores the height", cxdtfWordBreak | cxdtfCalcRowCount, 20, 0, 5, true},
      {L"measuring says it fitted", cxdtfWordBreak | cxdtfCalcRect, 1000, 2, 2, true},
  };
  for (const Case& c : cases) {
    const TextLayoutResult result = BuildFixedWidthRows(L"a b c d e", c.Flags, 10, c.Height, c.MaxRows);
    EXPECT_EQ(static_cast<int>(result.Rows.size()), c.ExpectedRows) << testing::PrintToString(std::wstring(c.Name));
    EXPECT_EQ(result.Fitted, c.Fitted) << testing::PrintToString(std::wstring(c.Name));
  }
  // A single line fits when it is narrow enough.
  EXPECT_TRUE(BuildFixedWidthRows(L"abc", cxdtfSingleLine, 30, 10).Fitted);
  EXPECT_FALSE(BuildFixedWidthRows(L"abcd", cxdtfSingleLine, 30, 10).Fitted);
  EXPECT_TRUE(BuildFixedWidthRows(L"", cxdtfWordBreak, 30, 10).Rows.empty());
}

TEST(cxDrawTextUtilsBreaking, TheEllipsisRowKeepsTheRestOfTheText)
{
  // With an end ellipsis the last row takes everything left, so the ellipsis
  // shows how much was cut.
  const TextLayoutResult result =
      BuildFixedWidthRows(L"abc defgh ijk", cxdtfWordBreak | cxdtfEndEllipsis, 60, 20);
  EXPECT_EQ(JoinRows(result.Rows), L"[abc ][defgh ijk]");
  EXPECT_TRUE(result.Fitted);
}

TEST(cxDrawTextUtilsRows, ManyRowsGoBeyondTheInlineOnes)
{
  std::wstring text;
  for (int i = 0; i < 40; ++i)
    text += L"ab\n";
  const TextLayoutResult result = BuildFixedWidthRows(text, cxdtfWordBreak, 100, 1000);
  ASSERT_EQ(result.Rows.size(), 40u);
  EXPECT_EQ(result.Rows[39], L"ab");
  EXPECT_EQ(result.Offsets[39], 39 * 3);

  TcxTextRows rows;
  rows.SetCount(40);
  EXPECT_EQ(rows.DynamicRows.size(), 12u);
  rows.Row(39).TextLength = 7;
  rows.SetCount(41);
  EXPECT_EQ(rows.DynamicRows.size(), 12u);
  EXPECT_EQ(rows.Row(39).TextLength, 7);
  EXPECT_EQ(rows.Row(40).TextLength, 0);
  rows.Row(0).TextExtents.cx = 5;
  rows.Row(39).TextExtents.cx = 9;
  EXPECT_EQ(cxLongestTextRowWidth(rows, 39), 5);
  EXPECT_EQ(cxLongestTextRowWidth(rows, 100), 9);
  rows.Clear();
  EXPECT_EQ(rows.Count, 0);
  EXPECT_TRUE(rows.DynamicRows.empty());
}

// ---------------------------------------------------------------------------
// Placement

TEST(cxDrawTextUtilsPlacement, RowTops)
{
  struct Case {
    const wchar_t* Name;
    unsigned Flags;
    int Height;
    int Rows;
    std::vector<int> Tops;
  };
  const Case cases[] = {
      {L"top", 0, 100, 2, {0, 10}},
      {L"centre", taCenterY << 4, 50, 2, {15, 25}},
      {L"bottom", taBottom << 4, 50, 2, {30, 40}},
      {L"centre overflows upwards", taCenterY << 4, 20, 4, {-10, 0, 10, 20}},
      {L"unless prevented", (taCenterY << 4) | cxdtfPreventTopExceed, 20, 4, {0, 10, 20, 30}},
      {L"distributed", taDistributeY << 4, 100, 3, {0, 45, 90}},
      {L"distributed with spare pixels", taDistributeY << 4, 103, 3, {0, 47, 93}},
      {L"distributed single row", taDistributeY << 4, 100, 1, {0}},
      {L"distributed needs room", taDistributeY << 4, 25, 3, {0, 10, 20}},
  };
  for (const Case& c : cases) {
    TcxTextParams params = FixedWidthParams(c.Flags);
    TcxTextRows rows;
    rows.SetCount(c.Rows);
    cxPlaceTextRows(nullptr, TRect{0, 0, 100, c.Height}, params, c.Rows, rows);
    std::vector<int> tops;
    for (int i = 0; i < c.Rows; ++i)
      tops.push_back(rows.Row(i).TextOriginY);
    EXPECT_EQ(tops, c.Tops) << testing::PrintToString(std::wstring(c.Name));
  }
}

TEST(cxDrawTextUtilsPlacement, RowLefts)
{
  struct Case {
    const wchar_t* Name;
    unsigned Flags;
    int RowWidth;
    int Expected;
  };
  // The rectangle runs from 10 to 65: 55 pixels.
  const Case cases[] = {
      {L"left", 0, 20, 10},
      {L"right", taRight, 20, 45},
      {L"centred single line leans right", taCenterX | cxdtfSingleLine, 20, 28},
      {L"centred wrapped leans left", taCenterX | cxdtfWordBreak, 20, 27},
      {L"justified starts left", taJustifyX, 20, 10},
      {L"right overflows left", taRight, 80, -15},
      {L"unless prevented", taRight | cxdtfPreventLeftExceed, 80, 10},
  };
  for (const Case& c : cases) {
    TcxTextParams params = FixedWidthParams(c.Flags);
    TcxTextRows rows;
    rows.SetCount(1);
    rows.Row(0).TextExtents = {c.RowWidth, RowHeight};
    cxPlaceTextRows(nullptr, TRect{10, 0, 65, 100}, params, 1, rows);
    EXPECT_EQ(rows.Row(0).TextOriginX, c.Expected) << testing::PrintToString(std::wstring(c.Name));
  }
}

TEST(cxDrawTextUtilsPlacement, IndentsShrinkAndGrowBack)
{
  TcxTextParams params = FixedWidthParams(cxdtfAutoIndents);
  ASSERT_EQ(params.OnePixel, 1);
  const TRect r{10, 20, 110, 70};
  const TRect inner = cxTextRectWithIndents(r, params, 3, 5);
  EXPECT_EQ(inner.left, 15);
  EXPECT_EQ(inner.top, 22);
  EXPECT_EQ(inner.right, 103);
  EXPECT_EQ(inner.bottom, 68);
  const TRect outer = cxTextRectWithoutIndents(inner, params, 3, 5);
  EXPECT_TRUE(EqualRect(&outer, &r));
  params.AutoIndents = false;
  EXPECT_EQ(cxTextRectWithIndents(r, params, 3, 5).top, 20);
}

// ---------------------------------------------------------------------------
// Parameters and measuring on a real device context

TEST(cxDrawTextUtilsParams, FromTheFontAndTheFlags)
{
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  vcl::TOwnedFont font(CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  vcl::TSelectObjectGuard select(dc.Get(), font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  SIZE ellipsis{};
  GetTextExtentPoint32W(dc.Get(), L"...", 3, &ellipsis);

  TcxTextParams params;
  cxPrepareTextParamsForDC(dc.Get(), taDistributeX | (taBottom << 4) | cxdtfEndEllipsis | cxdtfExternalLeading |
                                         cxdtfPatternedText | cxdtfRTLReading,
                           params, 1.5);
  EXPECT_EQ(params.TextAlignX, taDistributeX);
  EXPECT_EQ(params.TextAlignY, taBottom);
  EXPECT_TRUE(params.Bold);
  EXPECT_TRUE(params.RTLReading);
  EXPECT_FALSE(params.WordBreak);
  EXPECT_EQ(params.RowHeight, metrics.tmHeight);
  EXPECT_EQ(params.tmExternalLeading, metrics.tmExternalLeading);
  EXPECT_EQ(params.FullRowHeight, static_cast<int>(rtl::Round((metrics.tmHeight + metrics.tmExternalLeading) * 1.5)));
  EXPECT_EQ(params.EndEllipsisWidth, ellipsis.cx);
  EXPECT_EQ(params.OnePixel, 1);
  EXPECT_FALSE(params.PatternedText) << "a readable font draws glyphs";

  cxPrepareTextParamsForDC(dc.Get(), 7 | cxdtfWordBreak, params);
  EXPECT_EQ(params.TextAlignX, taLeft) << "an alignment beyond the last is left";
  EXPECT_EQ(params.tmExternalLeading, 0);
  EXPECT_EQ(params.EndEllipsisWidth, 0);
  EXPECT_EQ(params.FullRowHeight, metrics.tmHeight);
  EXPECT_TRUE(params.WordBreak);
}

TEST(cxDrawTextUtilsParams, TabbedWidths)
{
  vcl::TOwnedDC dc(CreateCompatibleDC(nullptr));
  vcl::TOwnedFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  vcl::TSelectObjectGuard select(dc.Get(), font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  // Texts above the 4095 characters the tabbed measuring takes go to
  // DrawText, which Wine cuts at 1024 characters a line, so only shorter
  // ones are checked here.
  for (const int count : {10, 3000}) {
    const std::wstring text = std::wstring(count, L'W') + L"\t";
    TSize plain{};
    TSize tabbed{};
    cxMeasureTextExtents(dc.Get(), text.c_str(), count, plain, nullptr, false);
    cxMeasureTextExtents(dc.Get(), text.c_str(), count + 1, tabbed, nullptr, true);
    EXPECT_GE(tabbed.cx, plain.cx) << count;
    EXPECT_LE(tabbed.cx, plain.cx + 8 * metrics.tmAveCharWidth) << count;
    EXPECT_EQ(tabbed.cy, metrics.tmHeight) << count;
  }
  int extents[3] = {};
  EXPECT_EQ(cxGetTextPartialExtents(dc.Get(), L"WWW", 3, 0, extents, nullptr), 0);
  EXPECT_GT(extents[2], extents[1]);
  EXPECT_EQ(cxGetTextPartialExtents(dc.Get(), L"WWW", 3, extents[1], nullptr, nullptr), 2);
}

// ---------------------------------------------------------------------------
// Drawing into a memory bitmap

class TextLayoutDib {
 public:
  static constexpr int Width = 240;
  static constexpr int Height = 120;

  TextLayoutDib()
  {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FPixels = static_cast<DWORD*>(bits);
    FDC.Reset(CreateCompatibleDC(nullptr));
    FOldBitmap = SelectObject(FDC.Get(), FBitmap.Get());
    FFont.Reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                            L"Tahoma"));
    FOldFont = SelectObject(FDC.Get(), FFont.Get());
    Clear();
  }
  ~TextLayoutDib()
  {
    SelectObject(FDC.Get(), FOldFont);
    SelectObject(FDC.Get(), FOldBitmap);
  }
  TextLayoutDib(const TextLayoutDib&) = delete;
  TextLayoutDib& operator=(const TextLayoutDib&) = delete;

  HDC DC() const { return FDC.Get(); }
  HFONT Font() const { return FFont.Get(); }
  void Clear()
  {
    GdiFlush();
    std::fill_n(FPixels, Width * Height, 0x00FFFFFFu);
  }
  // 0x00RRGGBB.
  DWORD Pixel(int X, int Y) const
  {
    GdiFlush();
    return FPixels[Y * Width + X] & 0x00FFFFFF;
  }
  int CountOutside(const TRect& R, DWORD AColor, bool AEqual = false) const
  {
    int count = 0;
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        if ((x < R.left || x >= R.right || y < R.top || y >= R.bottom) && ((Pixel(x, y) == AColor) == AEqual))
          ++count;
    return count;
  }
  int CountInside(const TRect& R, DWORD AColor) const
  {
    int count = 0;
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x)
        if (Pixel(x, y) == AColor)
          ++count;
    return count;
  }

 private:
  vcl::TOwnedBitmap FBitmap;
  vcl::TOwnedDC FDC;
  vcl::TOwnedFont FFont;
  DWORD* FPixels = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  HGDIOBJ FOldFont = nullptr;
};

constexpr DWORD White = 0xFFFFFF;
constexpr DWORD Red = 0xFF0000;

// Lays out, places and draws with the fixed-width measurer.
void DrawFixedWidth(TextLayoutDib& ADib, const std::wstring& AText, unsigned AFlags, const TRect& ARect,
                    TcxTextRows& ARows, int& ACount, int AHighlightStart = 0, int AHighlightLength = 0)
{
  TcxTextParams params = FixedWidthParams(AFlags);
  const bool fitted = cxBuildTextRows(ADib.DC(), AText.c_str(), static_cast<int>(AText.size()), &FixedWidthMeasure,
                                      nullptr, 0, ACount, ARows, params, ARect);
  cxPlaceTextRows(ADib.DC(), ARect, params, ACount, ARows);
  cxDrawTextRowsHighlighted(ADib.DC(), ARect, params, !fitted, vcl::clRed, vcl::clRed, AHighlightLength,
                            AHighlightStart, ACount, ARows, FixedWidthMeasurer);
}

TEST(cxDrawTextUtilsOutput, EllipsisKeepsWhatFitsBesideIt)
{
  struct Case {
    const wchar_t* Name;
    unsigned Flags;
    int ExpectedLength;
    int ExpectedX;
  };
  // "abc defgh ijk" in 60 x 20: the second row "defgh ijk" is cut to what
  // fits beside the 30-pixel ellipsis.
  const Case cases[] = {
      {L"left", cxdtfWordBreak | cxdtfEndEllipsis, 3, 0},
      {L"right", cxdtfWordBreak | cxdtfEndEllipsis | taRight, 3, 0},
      {L"centre", cxdtfWordBreak | cxdtfEndEllipsis | taCenterX, 3, 0},
      {L"right-to-left left", cxdtfWordBreak | cxdtfEndEllipsis | cxdtfRTLReading, 3, 30},
      {L"right-to-left right", cxdtfWordBreak | cxdtfEndEllipsis | cxdtfRTLReading | taRight, 3, 30},
  };
  for (const Case& c : cases) {
    TextLayoutDib dib;
    TcxTextRows rows;
    int count = 0;
    DrawFixedWidth(dib, L"abc defgh ijk", c.Flags, TRect{0, 0, 60, 20}, rows, count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rows.Row(1).TextLength, c.ExpectedLength) << testing::PrintToString(std::wstring(c.Name));
    EXPECT_EQ(rows.Row(1).TextOriginX, c.ExpectedX) << testing::PrintToString(std::wstring(c.Name));
    EXPECT_EQ(rows.Row(0).TextLength, c.Flags & (taRight | taCenterX) ? 3 : 4);
    EXPECT_EQ(dib.CountOutside(TRect{0, 0, 60, 20}, White), 0) << testing::PrintToString(std::wstring(c.Name));
  }
  // Nothing fits beside the ellipsis: left-aligned text keeps one character.
  TextLayoutDib dib;
  TcxTextRows rows;
  int count = 0;
  DrawFixedWidth(dib, L"abcdef", cxdtfSingleLine | cxdtfEndEllipsis, TRect{0, 0, 25, 20}, rows, count);
  EXPECT_EQ(rows.Row(0).TextLength, 1);
  DrawFixedWidth(dib, L"abcdef", cxdtfSingleLine | cxdtfEndEllipsis | taRight, TRect{0, 0, 25, 20}, rows, count);
  EXPECT_EQ(rows.Row(0).TextLength, 0);
}

TEST(cxDrawTextUtilsOutput, HighlightCoversExactlyItsCharacters)
{
  struct Case {
    const wchar_t* Name;
    const wchar_t* Text;
    int Start;
    int Length;
    std::vector<TRect> Parts;
  };
  const Case cases[] = {
      {L"inside a row", L"abcdefghij", 2, 3, {{20, 0, 50, 10}}},
      {L"from the start", L"abcdefghij", 0, 1, {{0, 0, 10, 10}}},
      {L"across rows", L"abcd efgh", 3, 4, {{30, 0, 50, 10}, {0, 10, 20, 10 + 10}}},
      {L"past the end", L"abc", 1, 10, {{10, 0, 30, 10}}},
  };
  for (const Case& c : cases) {
    TextLayoutDib dib;
    TcxTextRows rows;
    int count = 0;
    const TRect bounds{0, 0, 200, 100};
    DrawFixedWidth(dib, c.Text, cxdtfWordBreak, TRect{0, 0, 50, 100}, rows, count, c.Start, c.Length);
    int red = 0;
    for (const TRect& part : c.Parts) {
      const int area = (part.right - part.left) * (part.bottom - part.top);
      EXPECT_EQ(dib.CountInside(part, Red), area) << testing::PrintToString(std::wstring(c.Name));
      red += area;
    }
    EXPECT_EQ(dib.CountInside(bounds, Red), red) << testing::PrintToString(std::wstring(c.Name));
  }
}

TEST(cxDrawTextUtilsOutput, NothingIsDrawnOutsideTheRectangle)
{
  const unsigned flagsTable[] = {
      cxdtfWordBreak,
      cxdtfWordBreak | (taCenterY << 4) | taCenterX,
      cxdtfWordBreak | (taBottom << 4) | taRight,
      cxdtfWordBreak | cxdtfEndEllipsis,
      cxdtfSingleLine | cxdtfEndEllipsis | taCenterX,
      cxdtfSingleLine,
      cxdtfWordBreak | cxdtfEndEllipsis | cxdtfRTLReading | taRight,
      cxdtfWordBreak | taJustifyX,
      cxdtfWordBreak | cxdtfCharBreak | cxdtfExpandTabs,
      cxdtfWordBreak | (taDistributeY << 4) | taDistributeX,
  };
  const std::wstring text =
      L"The quick brown fox jumps over the lazy dog.\tTabs, Wwwwwwwwwwwwwwwwwwwwwwwwwwwwww and\r\nmore rows "
      L"than the rectangle holds, far more than it could ever show.";
  const TRect r{40, 30, 140, 70};
  TextLayoutDib dib;
  for (const unsigned flags : flagsTable) {
    dib.Clear();
    TRect bounds = r;
    const int height = cxDrawTextEx(dib.DC(), text, bounds, 1.0, vcl::clBlack, 0, 0, 0, vcl::clWhite, vcl::clRed,
                                    nullptr, 20, 5, flags);
    EXPECT_GT(height, 0) << std::hex << flags;
    EXPECT_TRUE(EqualRect(&bounds, &r));
    EXPECT_EQ(dib.CountOutside(r, White), 0) << std::hex << flags;
    EXPECT_GT(dib.CountInside(r, 0), 0) << std::hex << flags;
  }
}

TEST(cxDrawTextUtilsOutput, TheDeviceContextIsLeftAsItWas)
{
  TextLayoutDib dib;
  HDC dc = dib.DC();
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  vcl::TFont* font = rtl::New<vcl::TFont>();
  font->SetColor(vcl::clGreen);
  TRect r{10, 10, 100, 30};
  cxDrawTextEx(dc, L"Lots of text here to be cut", r, 1.0, vcl::clDefault, 0, 0, 0, vcl::clWhite, vcl::clRed, font,
               5, 2, cxdtfWordBreak | cxdtfEndEllipsis | cxdtfRTLReading);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), dib.Font());
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_LEFT | TA_TOP));
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, clip), 0) << "no clip region is left behind";
  DeleteObject(clip);
  // The font's colour drew the text.
  EXPECT_GT(dib.CountInside(r, 0x008000), 0);

  // A text that is nothing but an accelerator mark draws nothing.
  dib.Clear();
  r = {10, 10, 100, 30};
  EXPECT_EQ(cxDrawTextEx(dc, L"&", r, cxdtfHidePrefix, font), 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), dib.Font());
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(dib.CountOutside(TRect{}, White), 0);
  rtl::Free(font);
}

TEST(cxDrawTextUtilsOutput, TinyFontsDrawBars)
{
  TextLayoutDib dib;
  vcl::TOwnedFont tiny(CreateFontW(-4, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  vcl::TSelectObjectGuard select(dib.DC(), tiny.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dib.DC(), &metrics);
  ASSERT_LT(metrics.tmHeight, 6);
  TRect r{0, 0, 200, 50};
  cxDrawTextEx(dib.DC(), L"abcd", r, 1.0, vcl::clRed, 0, 0, 0, vcl::clDefault, vcl::clDefault, nullptr, 0, 0,
               cxdtfPatternedText | cxdtfSingleLine, FixedWidthMeasurer);
  // A checkerboard from x 0 to 40, one pixel off the row's top and bottom.
  const int bottom = metrics.tmHeight - 1;
  EXPECT_EQ(dib.CountInside(TRect{0, 1, 40, bottom}, Red), 40 * (bottom - 1) / 2);
  EXPECT_EQ(dib.CountOutside(TRect{0, 1, 40, bottom}, White), 0);
  EXPECT_EQ(dib.Pixel(0, 1) == Red, dib.Pixel(1, 2) == Red);
  EXPECT_NE(dib.Pixel(0, 1), dib.Pixel(1, 1));
}

TEST(cxDrawTextUtilsOutput, WholeOperationResults)
{
  TextLayoutDib dib;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dib.DC(), &metrics);
  const int rowHeight = metrics.tmHeight;
  auto draw = [&](const std::wstring& AText, TRect& R, unsigned AFlags, int AMaxRows = 0) {
    return cxDrawTextEx(dib.DC(), AText, R, 1.0, vcl::clDefault, 0, 0, AMaxRows, vcl::clDefault, vcl::clDefault,
                        nullptr, 0, 0, AFlags, FixedWidthMeasurer);
  };

  TRect r{5, 5, 50, 200};
  EXPECT_EQ(draw(L"abc def ghi", r, cxdtfWordBreak), 2 * rowHeight + rowHeight);
  EXPECT_EQ(draw(L"abc def ghi", r, cxdtfWordBreak | cxdtfCalcRowCount), 3);
  EXPECT_EQ(draw(L"", r, cxdtfWordBreak), 0);
  TRect empty{5, 5, 5, 200};
  EXPECT_EQ(draw(L"abc", empty, cxdtfWordBreak), 0);
  dib.Clear();

  // Measuring sets the rectangle to the longest row and the rows' height.
  r = {5, 5, 50, 200};
  EXPECT_EQ(draw(L"abc def ghi", r, cxdtfWordBreak | cxdtfCalcRect), 3 * rowHeight);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.right, 5 + 40);
  EXPECT_EQ(r.bottom, 5 + 3 * rowHeight);
  r = {5, 5, 50, 200};
  draw(L"abc def ghi", r, cxdtfWordBreak | cxdtfCalcRect, 2);
  EXPECT_EQ(r.bottom, 5 + 2 * rowHeight);
  // A single line needs no height to be measured.
  r = {5, 5, 100, 6};
  draw(L"abc def", r, cxdtfSingleLine | cxdtfCalcRect | cxdtfAutoIndents);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 5 + 2 + 70 + 2);
  EXPECT_EQ(r.bottom, 5 + 2 + rowHeight + 2);
  EXPECT_EQ(dib.CountOutside(TRect{}, White), 0) << "measuring draws nothing";
}

TEST(cxDrawTextUtilsOutput, RotatedTextStaysInItsRectangle)
{
  struct Case {
    int Direction;
    bool WordWrap;
    int HorzAlign;
    int VertAlign;
  };
  const Case cases[] = {{0, true, 0, 0}, {1, true, 0, 0}, {0, false, 1, 1}, {1, false, 2, 2},
                        {0, true, 2, 2}, {1, true, 1, 1}};
  const TRect r{30, 10, 130, 110};
  for (const Case& c : cases) {
    TextLayoutDib dib;
    HDC dc = dib.DC();
    SetBkMode(dc, OPAQUE);
    const UINT align = GetTextAlign(dc);
    // Unwrapped text longer than the rectangle would overflow it.
    const wchar_t* text = c.WordWrap ? L"Rotated text wraps\r\ninto columns" : L"Short";
    cxDrawTextRotatedWrapped(dc, r, text, 0, c.Direction, false, false, c.WordWrap, c.HorzAlign, c.VertAlign,
                             nullptr);
    EXPECT_GT(dib.CountInside(r, 0), 0) << c.Direction << c.WordWrap << c.HorzAlign;
    EXPECT_EQ(dib.CountOutside(r, White), 0) << c.Direction << c.WordWrap << c.HorzAlign;
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), dib.Font());
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc), align);
  }
}

}  // namespace
