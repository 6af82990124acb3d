#include "editors/cxStandardMask.h"

#include <gtest/gtest.h>

#include "platform/rtl/SysUtilsFormat.h"

namespace {

struct TStandardMaskFormatCase {
  const wchar_t* Mask;
  const wchar_t* Text;
  bool Match;
  const wchar_t* Formatted;
  const wchar_t* Value;  // Format2 of the formatted text
};

class StandardMaskFormat : public testing::TestWithParam<TStandardMaskFormatCase> {};

TEST_P(StandardMaskFormat, PlacesTheTextAndReadsTheValueBack)
{
  const TStandardMaskFormatCase& c = GetParam();
  TcxStandardMask mask;
  mask.Compile(c.Mask);
  String text = c.Text;
  mask.Format(text, true, c.Match);
  EXPECT_EQ(text, c.Formatted);
  mask.Format2(text);
  EXPECT_EQ(text, c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, StandardMaskFormat,
    testing::Values(
        TStandardMaskFormatCase{L"(999)", L"12", true, L"(12_)", L"(12 )"},
        TStandardMaskFormatCase{L"(999)", L"(1)", true, L"(1__)", L"(1  )"},
        TStandardMaskFormatCase{L"L0", L"a1", true, L"a1", L"a1"},
        // A character no position from the current one on takes is dropped.
        TStandardMaskFormatCase{L"L0", L"1a2", true, L"_1", L" 1"},
        TStandardMaskFormatCase{L"!999", L"5", true, L"__5", L"  5"},
        TStandardMaskFormatCase{L">L<l", L"ab", true, L"Ab", L"Ab"},
        TStandardMaskFormatCase{L">L<>l", L"aB", true, L"AB", L"AB"},
        // A blank keeps its position empty.
        TStandardMaskFormatCase{L"000", L"1_3", true, L"1_3", L"1 3"},
        // Without saved literals a text of another length has none.
        TStandardMaskFormatCase{L"00-00;0;_", L"1234", false, L"12-34", L"1234"},
        TStandardMaskFormatCase{L"00-00;0;*", L"12", false, L"12-**", L"12  "},
        TStandardMaskFormatCase{L"#9", L"-5", true, L"-5", L"-5"},
        TStandardMaskFormatCase{L"\\(0", L"(7", true, L"(7", L"(7"},
        TStandardMaskFormatCase{L"!", L"abc", true, L"", L""}));

TEST(StandardMask, CompileReadsTheTrailingSettings)
{
  struct TCase {
    const wchar_t* Mask;
    int Count;
    bool Save;
    wchar_t Blank;
    const wchar_t* FullEmpty;
  };
  const TCase cases[] = {
      {L"000;0;*", 3, false, L'*', L"***"},
      {L"000-00;1;_", 6, true, L'_', L"___-__"},
      {L"00;1", 2, true, L'_', L"__"},
      {L"0;0", 1, false, L'_', L"_"},
      {L"a;b", 3, true, L'_', L"_;b"},
      {L"0;2", 3, true, L'_', L"_;2"},
      {L"0\\", 1, true, L'_', L"_"},
      {L"!", 0, true, L'_', L""},
  };
  for (const TCase& c : cases) {
    TcxStandardMask mask;
    mask.Compile(c.Mask);
    EXPECT_EQ(mask.Count(), c.Count) << c.Mask;
    EXPECT_EQ(mask.SaveLiteralCharacters(), c.Save) << c.Mask;
    EXPECT_EQ(mask.Blank(), c.Blank) << c.Mask;
    EXPECT_EQ(mask.FullEmptyString(), c.FullEmpty) << c.Mask;
  }
}

TEST(StandardMask, SeparatorsAreTheLocalesAtCompileTime)
{
  rtl::TFormatSettings& settings = rtl::FormatSettings();
  const wchar_t old = settings.DateSeparator;
  settings.DateSeparator = L'.';
  TcxStandardMask mask;
  mask.Compile(L"99/99");
  settings.DateSeparator = old;
  EXPECT_EQ(mask.FullEmptyString(), L"__.__");
}

TEST(StandardMask, EmptyStrings)
{
  TcxStandardMask mask;
  mask.Compile(L"(99)");
  EXPECT_EQ(mask.EmptyString(), L"(  )");
  mask.Compile(L"(99);0");
  EXPECT_EQ(mask.EmptyString(), L"  ");
}

TEST(StandardMask, Validity)
{
  struct TCase {
    const wchar_t* Mask;
    const wchar_t* Text;
    bool FullValid;
    bool Valid;
    const wchar_t* Converted;
  };
  const TCase cases[] = {
      {L"09", L"1_", true, true, L"1_"},   {L"09", L"_1", false, true, L"_1"},
      {L"09", L"1", false, true, L"1"},    {L"09", L"123", false, false, L"123"},
      {L"(0)", L"(1)", true, true, L"(1)"}, {L"(0)", L"x1)", false, false, L"x1)"},
      {L">LL", L"ab", true, true, L"AB"},  {L"0", L"a", false, false, L"a"},
  };
  for (const TCase& c : cases) {
    TcxStandardMask mask;
    mask.Compile(c.Mask);
    String full = c.Text;
    String partial = c.Text;
    EXPECT_EQ(mask.IsFullValid(full), c.FullValid) << c.Mask << L" " << c.Text;
    EXPECT_EQ(mask.IsValid(partial), c.Valid) << c.Mask << L" " << c.Text;
    if (c.FullValid) {
      EXPECT_EQ(full, c.Converted);
    }
  }
}

}  // namespace
