#include "platform/rtl/Variants.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace rtl;

namespace {

constexpr TVarType kError = 0xFFFF;

// Sets the process-wide decimal separator for the rest of the scope.
auto UseDecimalSeparator(Char ASeparator)
{
  const Char saved = FormatSettings().DecimalSeparator;
  FormatSettings().DecimalSeparator = ASeparator;
  return Finally([saved] { FormatSettings().DecimalSeparator = saved; });
}

// A result as its type code and text, or kError and the error message.
struct Outcome {
  TVarType Type;
  String Text;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& AOutcome, std::ostream* AStream)
{
  *AStream << "type " << AOutcome.Type << " \"" << testing::PrintToString(AOutcome.Text) << "\"";
}

template <class F>
Outcome Capture(F AAction)
{
  try {
    const Variant result = AAction();
    return {result.VarType(), VarToStr(result)};
  } catch (const EVariantError& e) {
    return {kError, e.Message()};
  }
}

Variant CurrencyVar(int64_t ARaw) { return Variant(Currency::FromRaw(ARaw)); }

String CouldNotConvert(const wchar_t* AFrom, const wchar_t* ATo)
{
  return String(L"Could not convert variant of type (") + AFrom + L") into type (" + ATo + L")";
}

String Overflow(const wchar_t* AFrom, const wchar_t* ATo)
{
  return String(L"Overflow while converting variant of type (") + AFrom + L") into type (" + ATo + L")";
}

}  // namespace

TEST(Variants, CastToFollowsTheConversionTable)
{
  const auto separator = UseDecimalSeparator(L'.');
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const int64_t maxCurrency = std::numeric_limits<int64_t>::max();
  const uint64_t maxUInt64 = std::numeric_limits<uint64_t>::max();
  struct Case {
    Variant Source;
    TVarType Target;
    Outcome Expected;
  };
  const Case cases[] = {
      // Empty is 0, "" and False; Null converts only to Null and Empty.
      {Variant(), varInteger, {varInteger, L"0"}},
      {Variant(), varUString, {varUString, L""}},
      {Variant(), varBoolean, {varBoolean, L"False"}},
      {Variant(), varDate, {varDate, L"1899-12-30"}},
      {Variant(), varNull, {varNull, L""}},
      {Null(), varInteger, {kError, CouldNotConvert(L"Null", L"Integer")}},
      {Null(), varDouble, {kError, CouldNotConvert(L"Null", L"Double")}},
      {Null(), varUString, {kError, CouldNotConvert(L"Null", L"UnicodeString")}},
      {Null(), varBoolean, {kError, CouldNotConvert(L"Null", L"Boolean")}},
      {Null(), varEmpty, {varEmpty, L""}},
      {Null(), varVariant, {varNull, L""}},
      // Integers, with overflow on narrowing.
      {Variant::FromSmallint(-5), varInteger, {varInteger, L"-5"}},
      {Variant::FromSmallint(-5), varDouble, {varDouble, L"-5"}},
      {Variant::FromSmallint(-5), varCurrency, {varCurrency, L"-5"}},
      {Variant::FromSmallint(-5), varBoolean, {varBoolean, L"True"}},
      {Variant::FromSmallint(-5), varByte, {kError, Overflow(L"Smallint", L"Byte")}},
      {Variant(42), varShortInt, {varShortInt, L"42"}},
      {Variant(300), varShortInt, {kError, Overflow(L"Integer", L"ShortInt")}},
      {Variant(70000), varSmallint, {kError, Overflow(L"Integer", L"Smallint")}},
      {Variant(70000), varWord, {kError, Overflow(L"Integer", L"Word")}},
      {Variant(-1), varLongWord, {kError, Overflow(L"Integer", L"LongWord")}},
      {Variant(-1), varUInt64, {kError, Overflow(L"Integer", L"UInt64")}},
      {Variant(0), varBoolean, {varBoolean, L"False"}},
      {Variant(45000), varDate, {varDate, L"2023-03-15"}},
      {Variant::FromShortInt(-128), varSmallint, {varSmallint, L"-128"}},
      {Variant::FromByte(255), varShortInt, {kError, Overflow(L"Byte", L"ShortInt")}},
      {Variant::FromWord(65535), varSmallint, {kError, Overflow(L"Word", L"Smallint")}},
      {Variant::FromWord(65535), varInteger, {varInteger, L"65535"}},
      {Variant::FromLongWord(4294967295u), varInteger, {kError, Overflow(L"LongWord", L"Integer")}},
      {Variant::FromLongWord(4294967295u), varInt64, {varInt64, L"4294967295"}},
      {Variant(int64_t(1) << 40), varInteger, {kError, Overflow(L"Int64", L"Integer")}},
      {Variant(int64_t(1) << 40), varDouble, {varDouble, L"1099511627776"}},
      {Variant(maxUInt64), varInt64, {kError, Overflow(L"UInt64", L"Int64")}},
      {Variant(maxUInt64), varUString, {varUString, L"18446744073709551615"}},
      {Variant(maxUInt64), varDouble, {varDouble, L"1.84467440737096E19"}},
      // Floats round halves to even; out of range overflows.
      {Variant(2.5), varInteger, {varInteger, L"2"}},
      {Variant(3.5), varInteger, {varInteger, L"4"}},
      {Variant(-2.5), varInteger, {varInteger, L"-2"}},
      {Variant(2.6), varByte, {varByte, L"3"}},
      {Variant(1e10), varInteger, {kError, Overflow(L"Double", L"Integer")}},
      {Variant(3e9), varLongWord, {varLongWord, L"3000000000"}},
      {Variant(nan), varInt64, {kError, Overflow(L"Double", L"Int64")}},
      {Variant(1e300), varSingle, {kError, Overflow(L"Double", L"Single")}},
      {Variant(1e300), varCurrency, {kError, Overflow(L"Double", L"Currency")}},
      {Variant(2.5), varCurrency, {varCurrency, L"2.5"}},
      {Variant(0.5), varBoolean, {varBoolean, L"True"}},
      {Variant(45000.25), varDate, {varDate, L"2023-03-15 06:00:00"}},
      {Variant::FromSingle(0.1f), varDouble, {varDouble, L"0.100000001490116"}},
      {Variant::FromSingle(0.1f), varUString, {varUString, L"0.1"}},
      // Currency: exact text, whole units rounded half to even.
      {CurrencyVar(12345), varUString, {varUString, L"1.2345"}},
      {CurrencyVar(12345), varDouble, {varDouble, L"1.2345"}},
      {CurrencyVar(-5000), varOleStr, {varOleStr, L"-0.5"}},
      {CurrencyVar(25000), varInteger, {varInteger, L"2"}},
      {CurrencyVar(35000), varInteger, {varInteger, L"4"}},
      {CurrencyVar(-25000), varInteger, {varInteger, L"-2"}},
      {CurrencyVar(maxCurrency), varUString, {varUString, L"922337203685477.5807"}},
      {CurrencyVar(maxCurrency), varInteger, {kError, Overflow(L"Currency", L"Integer")}},
      {CurrencyVar(0), varBoolean, {varBoolean, L"False"}},
      // Dates.
      {Variant::FromDate(45000.5), varUString, {varUString, L"2023-03-15 12:00:00"}},
      {Variant::FromDate(-1.25), varUString, {varUString, L"1899-12-29 06:00:00"}},
      {Variant::FromDate(45000.5), varDouble, {varDouble, L"45000.5"}},
      {Variant::FromDate(45000.5), varInteger, {varInteger, L"45000"}},
      {Variant::FromDate(1e10), varUString, {kError, CouldNotConvert(L"Date", L"UnicodeString")}},
      // Booleans are -1 and 0, "True" and "False".
      {Variant(true), varInteger, {varInteger, L"-1"}},
      {Variant(true), varDouble, {varDouble, L"-1"}},
      {Variant(true), varCurrency, {varCurrency, L"-1"}},
      {Variant(true), varUString, {varUString, L"True"}},
      {Variant(false), varInteger, {varInteger, L"0"}},
      {Variant(true), varByte, {kError, Overflow(L"Boolean", L"Byte")}},
      // Text to numbers.
      {Variant::FromOleStr(L"12"), varInteger, {varInteger, L"12"}},
      {Variant(L" 12"), varInteger, {varInteger, L"12"}},
      {Variant(L"$FF"), varInteger, {varInteger, L"255"}},
      {Variant(L"0x10"), varSmallint, {varSmallint, L"16"}},
      {Variant(L"1.5"), varInteger, {varInteger, L"2"}},
      {Variant(L"2.5"), varInteger, {varInteger, L"2"}},
      {Variant(L"1.5"), varDouble, {varDouble, L"1.5"}},
      {Variant(L" -1e3 "), varDouble, {varDouble, L"-1000"}},
      {Variant(L"1.25"), varCurrency, {varCurrency, L"1.25"}},
      {Variant(L"99999999999"), varInteger, {kError, Overflow(L"UnicodeString", L"Integer")}},
      {Variant(L"99999999999"), varInt64, {varInt64, L"99999999999"}},
      {Variant(L"18446744073709551615"), varUInt64, {varUInt64, L"18446744073709551615"}},
      {Variant(L"-1"), varUInt64, {kError, Overflow(L"UnicodeString", L"UInt64")}},
      {Variant(L"18446744073709551616"), varUInt64, {kError, Overflow(L"UnicodeString", L"UInt64")}},
      {Variant(L"1.5e19"), varUInt64, {varUInt64, L"15000000000000000000"}},
      {Variant(L"$7FFFFFFFFFFFFFFF"), varUInt64, {varUInt64, L"9223372036854775807"}},
      {Variant(L"922337203685477.5807"), varCurrency, {varCurrency, L"922337203685477.5807"}},
      {Variant(L"922337203685477.5808"), varCurrency, {kError, Overflow(L"UnicodeString", L"Currency")}},
      {Variant(L"x"), varInteger, {kError, CouldNotConvert(L"UnicodeString", L"Integer")}},
      {Variant(L"x"), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L""), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L"1.5x"), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L"1e"), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L"1e999"), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L"-INF"), varDouble, {varDouble, L"-INF"}},
      {Variant(L"INF"), varInteger, {kError, Overflow(L"UnicodeString", L"Integer")}},
      {Variant(L"True"), varInteger, {kError, CouldNotConvert(L"UnicodeString", L"Integer")}},
      {Variant::FromAnsiString(AnsiString("3.25")), varDouble, {varDouble, L"3.25"}},
      {Variant::FromAnsiString(AnsiString("z")), varInteger, {kError, CouldNotConvert(L"String", L"Integer")}},
      // Text to Boolean and dates.
      {Variant(L"True"), varBoolean, {varBoolean, L"True"}},
      {Variant(L"false"), varBoolean, {varBoolean, L"False"}},
      {Variant(L"0"), varBoolean, {varBoolean, L"False"}},
      {Variant(L"2"), varBoolean, {varBoolean, L"True"}},
      {Variant(L"yes"), varBoolean, {kError, CouldNotConvert(L"UnicodeString", L"Boolean")}},
      {Variant(L"2023-03-15 12:00"), varDouble, {kError, CouldNotConvert(L"UnicodeString", L"Double")}},
      {Variant(L"2023-03-15 12:00"), varDate, {varDate, L"2023-03-15 12:00:00"}},
      {Variant(L"2023-02-30"), varDate, {kError, CouldNotConvert(L"UnicodeString", L"Date")}},
      {Variant(L"45000"), varDate, {kError, CouldNotConvert(L"UnicodeString", L"Date")}},
      // Text to text keeps the characters; varVariant keeps the value.
      {Variant(L"abc"), varOleStr, {varOleStr, L"abc"}},
      {Variant(L"abc"), varString, {varString, L"abc"}},
      {Variant(7), varVariant, {varInteger, L"7"}},
      // Arrays convert to nothing else; unknown codes are refused.
      {VarArrayOf({1}), varInteger, {kError, CouldNotConvert(L"Array Variant", L"Integer")}},
      {VarArrayOf({1}), varUString, {kError, CouldNotConvert(L"Array Variant", L"UnicodeString")}},
      {VarArrayOf({1}), varArray | varInteger, {kError, CouldNotConvert(L"Array Variant", L"Array Integer")}},
      {Variant(7), 9, {kError, L"Invalid variant type"}},
      {Variant(7), 0x101, {kError, L"Invalid variant type"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Capture([&] { return c.Source.CastTo(c.Target); }), c.Expected)
        << "from " << VarTypeAsText(c.Source.VarType()).c_str() << " to " << c.Target;
}

TEST(Variants, DateTextReadsAsADateNotAsANumber)
{
  EXPECT_DOUBLE_EQ(Variant(L"2023-03-15 12:00").CastTo(varDate).AsDouble(), 45000.5);
  EXPECT_THROW(Variant(L"2023-03-15 12:00").AsDouble(), EVariantError);
}

TEST(Variants, FloatTextUsesTheGeneralFormatWithFifteenDigits)
{
  const auto separator = UseDecimalSeparator(L'.');
  const struct {
    double Value;
    const wchar_t* Text;
  } cases[] = {
      {0, L"0"},
      {0.5, L"0.5"},
      {-0.5, L"-0.5"},
      {1e15, L"1E15"},
      {1e14, L"100000000000000"},
      {1e-5, L"1E-5"},
      {1.5e-7, L"1.5E-7"},
      {0.0001, L"0.0001"},
      {-1e20, L"-1E20"},
      {123.456, L"123.456"},
      {0.1 + 0.2, L"0.3"},
      {1.0 / 3, L"0.333333333333333"},
      {2.0 / 3, L"0.666666666666667"},
      {123456789012345678.0, L"1.23456789012346E17"},
      {std::numeric_limits<double>::quiet_NaN(), L"NAN"},
      {-std::numeric_limits<double>::infinity(), L"-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VarToStr(c.Value), c.Text) << c.Value;
}

TEST(Variants, TextAndNumbersUseTheDecimalSeparator)
{
  const auto separator = UseDecimalSeparator(L',');
  EXPECT_EQ(VarToStr(2.5), L"2,5");
  EXPECT_EQ(VarToStr(1.5e-7), L"1,5E-7");
  EXPECT_EQ(VarToStr(CurrencyVar(15000)), L"1,5");
  EXPECT_DOUBLE_EQ(Variant(L"2,5").AsDouble(), 2.5);
  EXPECT_THROW(Variant(L"2.5").AsDouble(), EVariantError);
  EXPECT_EQ(Variant(L"2,5").AsCurrency(), Currency::FromRaw(25000));
  EXPECT_TRUE(Variant(L"2,5") == Variant(2.5));
}

TEST(Variants, AccessorsConvertLikeCastTo)
{
  const auto separator = UseDecimalSeparator(L'.');
  EXPECT_EQ(Variant(L"12").AsInteger(), 12);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant(L"99999999999").AsInt64(), 99999999999);
  EXPECT_EQ(Variant(2.5).AsCurrency(), Currency::FromRaw(25000));
  EXPECT_EQ(Variant(Currency::FromRaw(-7)).AsCurrency(), Currency::FromRaw(-7));
  EXPECT_EQ(Variant(L"True").AsBoolean(), true);
  EXPECT_DOUBLE_EQ(Variant(L"2023-03-15").AsDateTime(), 45000);
  EXPECT_EQ(Variant(7).AsString(), L"7");
  try {
    Null().AsInteger();
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), CouldNotConvert(L"Null", L"Integer"));
  }
  EXPECT_THROW(Variant(1e10).AsInteger(), EVariantError);
  EXPECT_THROW(Variant(L"x").AsBoolean(), EVariantError);
}

TEST(Variants, EightBitStringsKeepTheirCodePage)
{
  const auto separator = UseDecimalSeparator(L'.');
  const AnsiString utf8Text("\xC3\xA9t\xC3\xA9", CP_UTF8);
  const Variant utf8 = Variant::FromAnsiString(utf8Text);
  EXPECT_EQ(utf8.VarType(), varString);
  EXPECT_EQ(utf8.AsString(), L"\u00E9t\u00E9");
  EXPECT_EQ(utf8.AsAnsiString().CodePage(), unsigned(CP_UTF8));
  EXPECT_EQ(utf8.CastTo(varString).AsAnsiString(), utf8Text);
  EXPECT_EQ(Variant::FromAnsiString(AnsiString("\xE9", 1252)).AsString(), L"\u00E9");

  // Other values become text in the system code page.
  const Variant converted = Variant(L"abc").CastTo(varString);
  EXPECT_EQ(converted.AsAnsiString(), AnsiString("abc", GetACP()));
  EXPECT_EQ(Variant(2.5).AsAnsiString(), AnsiString("2.5"));
}

TEST(Variants, NullAndEmptyRules)
{
  EXPECT_EQ(VarToStr(Null()), L"");
  EXPECT_EQ(VarToStr(Variant()), L"");
  EXPECT_EQ(VarToStrDef(Null(), L"none"), L"none");
  EXPECT_EQ(VarToStrDef(Variant(), L"none"), L"");
  EXPECT_EQ(VarToStrDef(Variant(3), L"none"), L"3");
  EXPECT_EQ(VarToWideStr(Variant(true)), L"True");
  EXPECT_EQ(Variant().VarType(), varEmpty);
  EXPECT_EQ(Unassigned().VarType(), varEmpty);
  EXPECT_EQ(VarType(Null()), varNull);
}

TEST(Variants, TypeTests)
{
  struct Case {
    Variant Value;
    bool Null, Empty, Numeric, Ordinal, Float, Str, Array;
  };
  const Case cases[] = {
      {Variant(), false, true, false, false, false, false, false},
      {Null(), true, false, false, false, false, false, false},
      {Variant(1), false, false, true, true, false, false, false},
      {Variant::FromByte(1), false, false, true, true, false, false, false},
      {Variant(uint64_t(1)), false, false, true, true, false, false, false},
      {Variant(true), false, false, true, true, false, false, false},
      {Variant(1.0), false, false, true, false, true, false, false},
      {Variant::FromSingle(1), false, false, true, false, true, false, false},
      {CurrencyVar(1), false, false, true, false, true, false, false},
      {Variant::FromDate(1), false, false, false, false, false, false, false},
      {Variant(L"1"), false, false, false, false, false, true, false},
      {Variant::FromOleStr(L"1"), false, false, false, false, false, true, false},
      {Variant::FromAnsiString(AnsiString("1")), false, false, false, false, false, true, false},
      {VarArrayOf({1}), false, false, false, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(VarTypeAsText(c.Value.VarType()).c_str());
    EXPECT_EQ(VarIsNull(c.Value), c.Null);
    EXPECT_EQ(VarIsEmpty(c.Value), c.Empty);
    EXPECT_EQ(VarIsClear(c.Value), c.Empty);
    EXPECT_EQ(VarIsNumeric(c.Value), c.Numeric);
    EXPECT_EQ(VarIsOrdinal(c.Value), c.Ordinal);
    EXPECT_EQ(VarIsFloat(c.Value), c.Float);
    EXPECT_EQ(VarIsStr(c.Value), c.Str);
    EXPECT_EQ(VarIsArray(c.Value), c.Array);
  }
}

TEST(Variants, TypeCodesAndNames)
{
  EXPECT_EQ(Variant(1).VarType(), 3);
  EXPECT_EQ(Variant(int64_t(1)).VarType(), 20);
  EXPECT_EQ(Variant(uint64_t(1)).VarType(), 21);
  EXPECT_EQ(Variant(1.0).VarType(), 5);
  EXPECT_EQ(Variant(true).VarType(), 11);
  EXPECT_EQ(Variant(L"a").VarType(), 258);
  EXPECT_EQ(Variant::FromSmallint(1).VarType(), 2);
  EXPECT_EQ(Variant::FromShortInt(1).VarType(), 16);
  EXPECT_EQ(Variant::FromByte(1).VarType(), 17);
  EXPECT_EQ(Variant::FromWord(1).VarType(), 18);
  EXPECT_EQ(Variant::FromLongWord(1).VarType(), 19);
  EXPECT_EQ(Variant::FromSingle(1).VarType(), 4);
  EXPECT_EQ(Variant::FromDate(1).VarType(), 7);
  EXPECT_EQ(Variant::FromOleStr(L"a").VarType(), 8);
  EXPECT_EQ(CurrencyVar(1).VarType(), 6);
  EXPECT_EQ(Variant::FromAnsiString(AnsiString("a")).VarType(), 256);
  EXPECT_EQ(VarTypeAsText(varUString), L"UnicodeString");
  EXPECT_EQ(VarTypeAsText(varString), L"String");
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), L"Array Variant");
  EXPECT_EQ(VarTypeAsText(0x0123), L"$0123");
}

TEST(Variants, CompareValueAcrossTypes)
{
  const auto separator = UseDecimalSeparator(L'.');
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const uint64_t maxUInt64 = std::numeric_limits<uint64_t>::max();
  struct Case {
    Variant A, B;
    TVariantRelationship Expected;
  };
  const Case cases[] = {
      {Variant(1), Variant(1.0), vrEqual},
      {Variant::FromSmallint(2), Variant(int64_t(3)), vrLessThan},
      {Variant(maxUInt64), Variant(int64_t(-1)), vrGreaterThan},
      {Variant(maxUInt64), Variant(std::numeric_limits<int64_t>::max()), vrGreaterThan},
      {Variant(int64_t(-1)), Variant(uint64_t(0)), vrLessThan},
      {Variant(int64_t(9007199254740993)), Variant(int64_t(9007199254740992)), vrGreaterThan},
      {CurrencyVar(15000), Variant(1.5), vrEqual},
      {CurrencyVar(10000), CurrencyVar(20000), vrLessThan},
      {Variant::FromDate(45000), Variant(45000), vrEqual},
      {Variant::FromSingle(0.5f), Variant(0.5), vrEqual},
      {Variant(true), Variant(-1), vrEqual},
      {Variant(true), Variant(false), vrLessThan},
      // Texts compare ordinally, case-sensitive.
      {Variant(L"abc"), Variant(L"abd"), vrLessThan},
      {Variant(L"a"), Variant(L"B"), vrGreaterThan},
      {Variant(L"A"), Variant(L"a"), vrLessThan},
      {Variant(L"ab"), Variant(L"abc"), vrLessThan},
      {Variant::FromAnsiString(AnsiString("b")), Variant(L"a"), vrGreaterThan},
      {Variant::FromOleStr(L"x"), Variant(L"x"), vrEqual},
      // A text beside a number is read as a number.
      {Variant(L"10"), Variant(9), vrGreaterThan},
      {Variant(9), Variant(L"10"), vrLessThan},
      {Variant(L"1.5"), Variant(1.5), vrEqual},
      {Variant(L"-1"), Variant(true), vrEqual},
      {Variant(L"18446744073709551615"), Variant(maxUInt64), vrEqual},
      // Empty is 0 beside numbers and "" beside texts.
      {Variant(), Variant(), vrEqual},
      {Variant(), Variant(0), vrEqual},
      {Variant(), Variant(-1), vrGreaterThan},
      {Variant(), Variant(false), vrEqual},
      {Variant(), Variant(0.5), vrLessThan},
      {Variant(), Variant(L""), vrEqual},
      {Variant(L"a"), Variant(), vrGreaterThan},
      // Null equals only Null.
      {Null(), Null(), vrEqual},
      {Null(), Variant(5), vrNotEqual},
      {Variant(5), Null(), vrNotEqual},
      {Variant(), Null(), vrNotEqual},
      {Variant(nan), Variant(1), vrNotEqual},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VarCompareValue(c.A, c.B), c.Expected)
        << VarToStr(c.A).c_str() << " (" << c.A.VarType() << ") vs " << VarToStr(c.B).c_str() << " ("
        << c.B.VarType() << ")";
}

TEST(Variants, ComparisonErrors)
{
  try {
    VarCompareValue(Variant(L"abc"), Variant(1));
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), CouldNotConvert(L"UnicodeString", L"Double"));
  }
  EXPECT_THROW((void)(Variant(1) == Variant(L"abc")), EVariantError);
  EXPECT_THROW((void)(Variant(true) == Variant(L"True")), EVariantError);
  try {
    (void)(VarArrayOf({1}) == VarArrayOf({1}));
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), L"Invalid variant operation");
  }
}

TEST(Variants, EqualityAndOrderingOperators)
{
  EXPECT_TRUE(Null() == Null());
  EXPECT_FALSE(Null() == Variant());
  EXPECT_FALSE(Null() == Variant(0));
  EXPECT_TRUE(Null() != Variant(0));
  EXPECT_TRUE(Variant(L"") == Variant());
  EXPECT_TRUE(Variant(2) == Variant(2.0));
  // Null sorts below every other value, Empty included.
  EXPECT_TRUE(Null() < Variant(-5));
  EXPECT_TRUE(Null() < Variant());
  EXPECT_FALSE(Variant(-5) < Null());
  EXPECT_FALSE(Null() < Null());
  EXPECT_TRUE(Variant(1) < Variant(1.5));
  EXPECT_FALSE(Variant(1.5) < Variant(1.5));
  EXPECT_TRUE(Variant(L"B") < Variant(L"a"));
}

TEST(Variants, ArraysHaveBoundsAndElements)
{
  Variant a = VarArrayCreate(1, 3, varVariant);
  EXPECT_EQ(a.VarType(), varArray | varVariant);
  EXPECT_EQ(VarArrayDimCount(a), 1);
  EXPECT_EQ(VarArrayLowBound(a, 1), 1);
  EXPECT_EQ(VarArrayHighBound(a, 1), 3);
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, 2)));
  VarArrayPut(a, L"x", 3);
  EXPECT_EQ(VarArrayGet(a, 3).VarType(), varUString);
  EXPECT_EQ(VarToStr(VarArrayGet(a, 3)), L"x");

  const Variant empty = VarArrayCreate(0, -1, varVariant);
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);

  const Variant of = VarArrayOf({1, L"a", Null()});
  EXPECT_EQ(VarArrayLowBound(of, 1), 0);
  EXPECT_EQ(VarArrayHighBound(of, 1), 2);
  EXPECT_EQ(VarArrayGet(of, 0).VarType(), varInteger);
  EXPECT_TRUE(VarIsNull(VarArrayGet(of, 2)));
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
}

TEST(Variants, ArrayErrors)
{
  Variant a = VarArrayCreate(1, 3, varVariant);
  const auto message = [](auto AAction) {
    try {
      AAction();
    } catch (const EVariantError& e) {
      return e.Message();
    }
    return String(L"no error");
  };
  const String bounds = L"Variant or safe array index out of bounds";
  EXPECT_EQ(message([&] { VarArrayGet(a, 0); }), bounds);
  EXPECT_EQ(message([&] { VarArrayGet(a, 4); }), bounds);
  EXPECT_EQ(message([&] { VarArrayPut(a, 1, 4); }), bounds);
  EXPECT_EQ(message([&] { VarArrayPut(a, 1, std::numeric_limits<int>::min()); }), bounds);
  EXPECT_EQ(message([&] { VarArrayLowBound(a, 2); }), bounds);
  EXPECT_EQ(message([&] { VarArrayHighBound(a, 0); }), bounds);
  EXPECT_EQ(message([&] { VarArrayLowBound(Variant(1), 1); }), L"Variant is not an array");
  EXPECT_EQ(message([&] { VarArrayGet(Variant(1), 0); }), L"Variant is not an array");
  EXPECT_EQ(message([&] { VarArrayCreate(0, -2, varVariant); }), L"Error creating variant or safe array");
  EXPECT_EQ(message([&] { VarArrayCreate(0, 1, varNull); }), L"Invalid variant type");
  EXPECT_EQ(message([&] { VarArrayCreate(0, std::numeric_limits<int>::max(), varVariant); }),
            L"Error creating variant or safe array");
  // The widest bounds count 2^32 elements, one more than a 32-bit size holds.
  EXPECT_EQ(message([&] { VarArrayCreate(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), varVariant); }),
            L"Error creating variant or safe array");
}

TEST(Variants, CopyingAVariantCopiesItsArray)
{
  const Variant original = VarArrayOf({1, 2});
  Variant copy = original;
  VarArrayPut(copy, 9, 0);
  EXPECT_EQ(VarArrayGet(original, 0).AsInteger(), 1);
  EXPECT_EQ(VarArrayGet(copy, 0).AsInteger(), 9);

  Variant assigned;
  assigned = copy;
  VarArrayPut(assigned, 8, 1);
  EXPECT_EQ(VarArrayGet(copy, 1).AsInteger(), 2);

  // An array put into itself holds the array as it was before.
  Variant nested = VarArrayOf({1, 2});
  VarArrayPut(nested, nested, 1);
  const Variant inner = VarArrayGet(nested, 1);
  EXPECT_TRUE(VarIsArray(inner));
  EXPECT_EQ(VarArrayGet(inner, 1).AsInteger(), 2);
}

TEST(Variants, TypedArraysConvertWhatIsPut)
{
  const auto separator = UseDecimalSeparator(L'.');
  Variant bytes = VarArrayCreate(0, 1, varByte);
  EXPECT_EQ(bytes.VarType(), varArray | varByte);
  EXPECT_EQ(VarArrayGet(bytes, 0).VarType(), varByte);
  EXPECT_EQ(VarArrayGet(bytes, 0).AsInteger(), 0);
  VarArrayPut(bytes, L"7", 1);
  EXPECT_EQ(VarArrayGet(bytes, 1).VarType(), varByte);
  EXPECT_EQ(VarArrayGet(bytes, 1).AsInteger(), 7);
  EXPECT_THROW(VarArrayPut(bytes, 300, 1), EVariantError);
  EXPECT_EQ(VarArrayGet(bytes, 1).AsInteger(), 7);
}

TEST(Variants, DatesRoundTripThroughText)
{
  const auto separator = UseDecimalSeparator(L'.');
  for (const double value : {45000.5, 0.0, -1.25, 2958465.0, 36526.999988425923})
    EXPECT_NEAR(Variant::FromDate(value).CastTo(varUString).AsDateTime(), value, 1.0 / 86400) << value;
}
