#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

using namespace rtl;

TEST(Exceptions, KeepMessageAndClassName)
{
  try {
    throw EArgumentOutOfRangeException(L"points");
  } catch (const EArgumentException& e) {
    EXPECT_EQ(e.Message(), L"points");
    EXPECT_STREQ(e.ClassName(), L"EArgumentOutOfRangeException");
  }
  EXPECT_THROW(Abort(), EAbort);
}

TEST(Exceptions, RaiseLastOSErrorCarriesTheCode)
{
  try {
    RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), unsigned(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(e.Message().rfind(L"System Error.  Code: 2.\r\n", 0), 0u) << testing::PrintToString(e.Message());
  }
  try {
    RaiseLastOSError(0);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Message(), L"A call to an OS function failed");
  }
}

TEST(Finally, RunsOnNormalExitAndWhenAnExceptionPasses)
{
  int runs = 0;
  {
    Finally f([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        Finally f([&] { ++runs; });
        throw EConvertError(L"x");
      },
      EConvertError);
  EXPECT_EQ(runs, 2);
}

namespace {

int Sign(int AValue)
{
  return (AValue > 0) - (AValue < 0);
}

}  // namespace

TEST(Casing, AsciiRoutinesLeaveOtherLettersAndLocaleRoutinesCaseThem)
{
  struct Case {
    const wchar_t* Text;
    const wchar_t* Upper;
    const wchar_t* Lower;
    const wchar_t* AnsiUpper;
    const wchar_t* AnsiLower;
  };
  const Case cases[] = {
      {L"", L"", L"", L"", L""},
      {L"abc XYZ 09_!", L"ABC XYZ 09_!", L"abc xyz 09_!", L"ABC XYZ 09_!", L"abc xyz 09_!"},
      {L"\u00e9t\u00c9", L"\u00e9T\u00c9", L"\u00e9t\u00c9", L"\u00c9T\u00c9", L"\u00e9t\u00e9"},
      {L"\u00ff\u03c3\u0416", L"\u00ff\u03c3\u0416", L"\u00ff\u03c3\u0416", L"\u0178\u03a3\u0416", L"\u00ff\u03c3\u0436"},
      // Upper-casing never changes the length: the sharp s stays one letter.
      {L"stra\u00dfe", L"STRA\u00dfE", L"stra\u00dfe", L"STRA\u00dfE", L"stra\u00dfe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)));
    EXPECT_EQ(UpperCase(c.Text), c.Upper);
    EXPECT_EQ(LowerCase(c.Text), c.Lower);
    EXPECT_EQ(AnsiUpperCase(c.Text), c.AnsiUpper);
    EXPECT_EQ(AnsiLowerCase(c.Text), c.AnsiLower);
  }
  // Embedded null characters are text like any other.
  EXPECT_EQ(AnsiUpperCase(String(L"a\0b", 3)), String(L"A\0B", 3));
  EXPECT_EQ(UpperCase(String(L"a\0b", 3)), String(L"A\0B", 3));
}

TEST(Comparison, OrdinalAndAsciiCaseInsensitive)
{
  struct Case {
    const wchar_t* S1;
    const wchar_t* S2;
    int Str;   // sign of CompareStr
    int Text;  // sign of CompareText
  };
  const Case cases[] = {
      {L"", L"", 0, 0},
      {L"abc", L"abc", 0, 0},
      {L"a", L"B", 1, -1},      // code units: 'a' > 'B'; folded: 'A' < 'B'
      {L"abc", L"ABC", 1, 0},
      {L"_", L"a", -1, 1},      // folding goes to upper case, and '_' lies above 'A'
      {L"ab", L"abc", -1, -1},
      {L"b", L"abc", 1, 1},
      {L"", L"a", -1, -1},
      {L"\u00e9", L"\u00c9", 1, 1},  // non-ASCII letters are not folded
      {L"z", L"\u00e9", -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.S1)) + " vs " + testing::PrintToString(String(c.S2)));
    EXPECT_EQ(Sign(CompareStr(c.S1, c.S2)), c.Str);
    EXPECT_EQ(Sign(CompareStr(c.S2, c.S1)), -c.Str);
    EXPECT_EQ(Sign(CompareText(c.S1, c.S2)), c.Text);
    EXPECT_EQ(Sign(CompareText(c.S2, c.S1)), -c.Text);
    EXPECT_EQ(SameStr(c.S1, c.S2), c.Str == 0);
    EXPECT_EQ(SameText(c.S1, c.S2), c.Text == 0);
  }
}

TEST(Comparison, UserLocaleOrdersLinguistically)
{
  struct Case {
    const wchar_t* S1;
    const wchar_t* S2;
    int Str;   // sign of AnsiCompareStr
    int Text;  // sign of AnsiCompareText
  };
  const Case cases[] = {
      {L"", L"", 0, 0},
      {L"a", L"B", -1, -1},  // alphabetical, unlike the code units
      {L"a", L"A", -1, 0},   // small letters sort before capitals
      {L"\u00e9", L"\u00c9", -1, 0},
      {L"e", L"\u00e9", -1, -1},
      {L"\u00e9", L"f", -1, -1},
      {L"Item10", L"Item2", -1, -1},
      {L"", L"a", -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.S1)) + " vs " + testing::PrintToString(String(c.S2)));
    EXPECT_EQ(Sign(AnsiCompareStr(c.S1, c.S2)), c.Str);
    EXPECT_EQ(Sign(AnsiCompareStr(c.S2, c.S1)), -c.Str);
    EXPECT_EQ(Sign(AnsiCompareText(c.S1, c.S2)), c.Text);
    EXPECT_EQ(Sign(AnsiCompareText(c.S2, c.S1)), -c.Text);
    EXPECT_EQ(AnsiSameStr(c.S1, c.S2), c.Str == 0);
    EXPECT_EQ(AnsiSameText(c.S1, c.S2), c.Text == 0);
  }
}

TEST(Trim, RemovesBlanksAndControlCharactersOnly)
{
  struct Case {
    const wchar_t* Text;
    const wchar_t* Both;
    const wchar_t* Left;
    const wchar_t* Right;
  };
  const Case cases[] = {
      {L"", L"", L"", L""},
      {L" \t\r\n", L"", L"", L""},
      {L"  a b \t\r\n", L"a b", L"a b \t\r\n", L"  a b"},
      {L"\x01x\x1f", L"x", L"x\x1f", L"\x01x"},
      // The no-break space is above ' ' and so is kept.
      {L"\u00a0x\u00a0", L"\u00a0x\u00a0", L"\u00a0x\u00a0", L"\u00a0x\u00a0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)));
    EXPECT_EQ(Trim(c.Text), c.Both);
    EXPECT_EQ(TrimLeft(c.Text), c.Left);
    EXPECT_EQ(TrimRight(c.Text), c.Right);
  }
}

TEST(Positions, PosIsOneBasedAndZeroWhenAbsent)
{
  struct Case {
    const wchar_t* Sub;
    const wchar_t* Text;
    int Offset;
    int Expected;
  };
  const Case cases[] = {
      {L"b", L"abc", 1, 2},      {L"a", L"abc", 1, 1},     {L"c", L"abc", 3, 3},
      {L"bc", L"abcbc", 3, 4},   {L"x", L"abc", 1, 0},     {L"", L"abc", 1, 0},
      {L"a", L"", 1, 0},         {L"abcd", L"abc", 1, 0},  {L"b", L"abc", 0, 0},
      {L"b", L"abc", -1, 0},     {L"c", L"abc", 4, 0},     {L"B", L"abc", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Sub)) + " in " + testing::PrintToString(String(c.Text)) +
                 " from " + std::to_string(c.Offset));
    EXPECT_EQ(Pos(c.Sub, c.Text, c.Offset), c.Expected);
  }
  EXPECT_EQ(Pos(L"c", L"abc"), 3);
}

TEST(Positions, CopyClampsLikeTheFramework)
{
  struct Case {
    const wchar_t* Text;
    int Index;
    int Count;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"Hello", 1, 5, L"Hello"}, {L"Hello", 2, 3, L"ell"},       {L"Hello", 0, 3, L"Hel"},
      {L"Hello", -5, 3, L"Hel"},  {L"Hello", 5, 10, L"o"},        {L"Hello", 2, INT_MAX, L"ello"},
      {L"Hello", 6, 1, L""},      {L"Hello", INT_MAX, 1, L""},    {L"Hello", 1, 0, L""},
      {L"Hello", 2, -1, L""},     {L"", 1, 1, L""},               {L"", 0, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Index) + ", " + std::to_string(c.Count));
    EXPECT_EQ(Copy(c.Text, c.Index, c.Count), c.Expected);
  }
}

TEST(Positions, DeleteIgnoresIndexesOutsideTheText)
{
  struct Case {
    int Index;
    int Count;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {1, 1, L"ello"}, {2, 3, L"Ho"},     {4, 100, L"Hel"},   {5, INT_MAX, L"Hell"},
      {0, 2, L"Hello"}, {-1, 2, L"Hello"}, {6, 1, L"Hello"},  {2, 0, L"Hello"},  {2, -1, L"Hello"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Index) + ", " + std::to_string(c.Count));
    String s = L"Hello";
    Delete(s, c.Index, c.Count);
    EXPECT_EQ(s, c.Expected);
  }
}

TEST(Positions, InsertClampsTheIndexToTheText)
{
  struct Case {
    const wchar_t* Source;
    int Index;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"X", 1, L"Xabc"}, {L"X", 0, L"Xabc"}, {L"X", -3, L"Xabc"}, {L"X", 2, L"aXbc"},
      {L"X", 4, L"abcX"}, {L"X", 99, L"abcX"}, {L"XY", 3, L"abXYc"}, {L"", 2, L"abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Index));
    String s = L"abc";
    Insert(c.Source, s, c.Index);
    EXPECT_EQ(s, c.Expected);
  }
}

TEST(StringReplace, FirstOrAllOccurrencesWithOrWithoutCase)
{
  struct Case {
    const wchar_t* Text;
    const wchar_t* Old;
    const wchar_t* New;
    TReplaceFlags Flags;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"aXbXc", L"X", L"-", 0, L"a-bXc"},
      {L"aXbXc", L"X", L"-", rfReplaceAll, L"a-b-c"},
      {L"aXbxc", L"x", L"-", rfReplaceAll, L"aXb-c"},
      {L"aXbxc", L"x", L"-", rfReplaceAll | rfIgnoreCase, L"a-b-c"},
      {L"aXbxc", L"x", L"-", rfIgnoreCase, L"a-bxc"},
      // Replaced text is not searched again.
      {L"aaa", L"aa", L"b", rfReplaceAll, L"ba"},
      {L"aaa", L"a", L"aa", rfReplaceAll, L"aaaaaa"},
      {L"abc", L"", L"z", rfReplaceAll, L"abc"},
      {L"abcb", L"b", L"", rfReplaceAll, L"ac"},
      {L"", L"a", L"b", rfReplaceAll, L""},
      {L"abc", L"abcd", L"z", rfReplaceAll, L"abc"},
      // Case is ignored for every letter, and the untouched text keeps its case.
      {L"\u00c9t\u00e9", L"\u00e9", L"e", rfReplaceAll | rfIgnoreCase, L"ete"},
      {L"Caf\u00c9 caf\u00e9", L"CAF\u00e9", L"x", rfReplaceAll | rfIgnoreCase, L"x x"},
      {L"One two", L"TWO", L"three", rfIgnoreCase, L"One three"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)) + " " + testing::PrintToString(String(c.Old)) +
                 " flags " + std::to_string(c.Flags));
    EXPECT_EQ(StringReplace(c.Text, c.Old, c.New, c.Flags), c.Expected);
  }
}

TEST(Quoting, QuotesAreDoubledInside)
{
  EXPECT_EQ(QuotedStr(L""), L"''");
  EXPECT_EQ(QuotedStr(L"it's"), L"'it''s'");
  EXPECT_EQ(QuotedStr(L"''"), L"''''''");
  EXPECT_EQ(AnsiQuotedStr(L"a\"b'c", L'"'), L"\"a\"\"b'c\"");
  EXPECT_EQ(StringOfChar(L'x', 3), L"xxx");
  EXPECT_EQ(StringOfChar(L'x', 0), L"");
  EXPECT_EQ(StringOfChar(L'x', -1), L"");
}

TEST(IntegerText, DecimalAndHexadecimal)
{
  EXPECT_EQ(IntToStr(0), L"0");
  EXPECT_EQ(IntToStr(-1), L"-1");
  EXPECT_EQ(IntToStr(INT32_MIN), L"-2147483648");
  EXPECT_EQ(IntToStr(INT64_MIN), L"-9223372036854775808");
  EXPECT_EQ(IntToStr(INT64_MAX), L"9223372036854775807");
  EXPECT_EQ(IntToStr(4294967295u), L"4294967295");
  EXPECT_EQ(UIntToStr(UINT64_MAX), L"18446744073709551615");

  EXPECT_EQ(IntToHex(255, 2), L"FF");
  EXPECT_EQ(IntToHex(255, 0), L"FF");
  EXPECT_EQ(IntToHex(255, 1), L"FF");
  EXPECT_EQ(IntToHex(0, 0), L"0");
  EXPECT_EQ(IntToHex(0, 4), L"0000");
  EXPECT_EQ(IntToHex(0xABC, 10), L"0000000ABC");
  EXPECT_EQ(IntToHex(0x1B, 4), L"001B");
  // Negative values show the two's complement of their type's width; types
  // narrower than Integer widen to it first.
  EXPECT_EQ(IntToHex(-1, 2), L"FFFFFFFF");
  EXPECT_EQ(IntToHex(INT32_MIN, 0), L"80000000");
  EXPECT_EQ(IntToHex(std::int64_t(-1), 2), L"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t(0x1234), 8), L"00001234");
  EXPECT_EQ(IntToHex(std::int16_t(-1), 4), L"FFFFFFFF");
  EXPECT_EQ(IntToHex(std::uint8_t(200), 1), L"C8");
  EXPECT_EQ(IntToHex(0xFFFFFFFFul, 0), L"FFFFFFFF");
}

namespace {

struct IntegerCase {
  const wchar_t* Text;
  bool Valid;
  std::int64_t Value;
};

}  // namespace

TEST(IntegerText, StrToIntFollowsTheFrameworksRules)
{
  const IntegerCase cases[] = {
      {L"0", true, 0},
      {L"-0", true, 0},
      {L"+7", true, 7},
      {L"0012", true, 12},
      {L" 12", true, 12},
      {L"   -12", true, -12},
      {L"$FF", true, 255},
      {L"$ff", true, 255},
      {L"0x10", true, 16},
      {L"0X1f", true, 31},
      {L"-$10", true, -16},
      {L"2147483647", true, INT32_MAX},
      {L"-2147483648", true, INT32_MIN},
      {L"$7FFFFFFF", true, INT32_MAX},
      {L"$FFFFFFFF", true, -1},  // hexadecimal text fills all 32 bits
      {L"$80000000", true, INT32_MIN},
      {L"2147483648", false, 0},
      {L"-2147483649", false, 0},
      {L"99999999999999999999", false, 0},
      {L"$100000000", false, 0},
      {L"", false, 0},
      {L" ", false, 0},
      {L"12 ", false, 0},
      {L"\t5", false, 0},
      {L"-", false, 0},
      {L"+", false, 0},
      {L"- 5", false, 0},
      {L"--5", false, 0},
      {L"$", false, 0},
      {L"0x", false, 0},
      {L"x10", false, 0},
      {L"$G", false, 0},
      {L"12a", false, 0},
      {L"1e3", false, 0},
      {L"1.0", false, 0},
      {L"\uff11\uff12", false, 0},  // full-width digits are not digits here
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)));
    int value = 12345;
    EXPECT_EQ(TryStrToInt(c.Text, value), c.Valid);
    EXPECT_EQ(StrToIntDef(c.Text, -99), c.Valid ? c.Value : -99);
    if (c.Valid) {
      EXPECT_EQ(value, c.Value);
      EXPECT_EQ(StrToInt(c.Text), c.Value);
    } else {
      try {
        StrToInt(c.Text);
        ADD_FAILURE() << "no EConvertError";
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"'" + String(c.Text) + L"' is not a valid integer value");
      }
    }
  }
}

TEST(IntegerText, StrToInt64UsesTheWholeWidth)
{
  const IntegerCase cases[] = {
      {L"2147483648", true, 2147483648LL},
      {L"$FFFFFFFF", true, 4294967295LL},
      {L"9223372036854775807", true, INT64_MAX},
      {L"-9223372036854775808", true, INT64_MIN},
      {L"$FFFFFFFFFFFFFFFF", true, -1},
      {L"0x8000000000000000", true, INT64_MIN},
      {L" -0", true, 0},
      {L"9223372036854775808", false, 0},
      {L"-9223372036854775809", false, 0},
      {L"$10000000000000000", false, 0},
      {L"", false, 0},
      {L"12 ", false, 0},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)));
    std::int64_t value = 12345;
    EXPECT_EQ(TryStrToInt64(c.Text, value), c.Valid);
    EXPECT_EQ(StrToInt64Def(c.Text, -99), c.Valid ? c.Value : -99);
    if (c.Valid) {
      EXPECT_EQ(value, c.Value);
      EXPECT_EQ(StrToInt64(c.Text), c.Value);
    } else {
      EXPECT_THROW(StrToInt64(c.Text), EConvertError);
    }
  }
}

TEST(Characters, CharInSetTakesOnlyEightBitCharacters)
{
  struct Case {
    Char C;
    std::string_view Set;
    bool Expected;
  };
  const Case cases[] = {
      {L'a', "abc", true},
      {L'd', "abc", false},
      {L'a', "", false},
      {L'\u00e9', "\xe9", true},
      {L'\u01e9', "\xe9", false},  // same low byte, but above 255
      {L'\u0161', "a", false},
      {L'\0', std::string_view("\0", 1), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.C));
    EXPECT_EQ(CharInSet(c.C, c.Set), c.Expected);
  }
}

TEST(Characters, IsValidIdentAcceptsAsciiIdentifiersOnly)
{
  struct Case {
    const wchar_t* Ident;
    bool Expected;
  };
  const Case cases[] = {
      {L"Button1", true}, {L"_x", true},   {L"A_9", true},     {L"_", true},
      {L"", false},       {L"1st", false}, {L"a b", false},    {L"a.b", false},
      {L"\u00e9t\u00e9", false},           {L"a-b", false},    {L"x\u00e9", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(String(c.Ident)));
    EXPECT_EQ(IsValidIdent(c.Ident), c.Expected);
  }
}

// ---------------------------------------------------------------------------
// String builder

TEST(TStringBuilder, LengthAndCapacityAreSetByTheCaller)
{
  TStringBuilder builder(4);
  EXPECT_GE(builder.GetCapacity(), 4);
  builder.Append(L"ab").Append(L'c');
  EXPECT_EQ(builder.ToString(), L"abc");
  builder.SetLength(1);
  EXPECT_EQ(builder.ToString(), L"a");
  builder.SetLength(3);
  EXPECT_EQ(builder.ToString(), String(L"a\0\0", 3));
  builder.SetCapacity(200);
  EXPECT_GE(builder.GetCapacity(), 200);
  EXPECT_EQ(builder.GetLength(), 3);
  EXPECT_THROW(builder.SetCapacity(2), EArgumentOutOfRangeException);
  EXPECT_THROW(builder.SetLength(-1), EArgumentOutOfRangeException);
}
