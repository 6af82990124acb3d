#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <type_traits>

#include "platform/rtl/SysUtils.h"

namespace rtl {
namespace {

// Arguments that no directive takes must not compile into numbers or pointers.
static_assert(!std::is_convertible_v<bool, FormatArg>);
static_assert(!std::is_convertible_v<char, FormatArg>);
static_assert(!std::is_convertible_v<const char*, FormatArg>);

struct FormatCase {
  const wchar_t* Format;
  std::initializer_list<FormatArg> Args;
  const wchar_t* Expected;
};

// Settings whose currency and separators differ from the invariant ones, so a
// test sees which field was used.
TFormatSettings TestSettings()
{
  TFormatSettings s = TFormatSettings::Invariant();
  s.CurrencyString = L"$";
  s.CurrencyDecimals = 2;
  return s;
}

TEST(FormatTest, ProducesTheFrameworksTexts)
{
  const int value7 = 7;
  const FormatCase cases[] = {
      {L"plain", {}, L"plain"},
      {L"100%%", {}, L"100%"},
      {L"%s=%d", {L"a", 5}, L"a=5"},
      {L"%S %D", {L"a", 1}, L"a 1"},
      // Argument indexes; the directives after one continue from it.
      {L"%1:s %0:s %s", {L"a", L"b"}, L"b a b"},
      {L"%d %d %0:d %d", {1, 2}, L"1 2 1 2"},
      // Width, "-" and "*".
      {L"%5s|", {L"ab"}, L"   ab|"},
      {L"%-5d|", {42}, L"42   |"},
      {L"%*d|", {5, 42}, L"   42|"},
      {L"%-*d|", {4, value7}, L"7   |"},
      {L"%*d|", {uint64_t(5), 42}, L"   42|"},
      {L"%1s", {L"long"}, L"long"},
      // Integers: precision is the least number of digits.
      {L"%.3d", {7}, L"007"},
      {L"%.3d", {-7}, L"-007"},
      {L"%5.3d", {7}, L"  007"},
      {L"%d", {-2147483647 - 1}, L"-2147483648"},
      {L"%d", {4294967295u}, L"4294967295"},
      {L"%d", {INT64_MIN}, L"-9223372036854775808"},
      {L"%d", {UINT64_MAX}, L"18446744073709551615"},
      {L"%u", {-1}, L"4294967295"},
      {L"%u", {int64_t(-1)}, L"18446744073709551615"},
      // Hexadecimal shows the two's complement of the argument's own width.
      {L"%x", {-1}, L"FFFFFFFF"},
      {L"%x", {int64_t(-1)}, L"FFFFFFFFFFFFFFFF"},
      {L"%x", {255}, L"FF"},
      {L"%.4x", {255}, L"00FF"},
      {L"%x", {0xFFFFFFFFul}, L"FFFFFFFF"},
      // Strings: precision is the most characters shown.
      {L"%.2s", {L"abcdef"}, L"ab"},
      {L"%s", {L'x'}, L"x"},
      {L"%s", {static_cast<const wchar_t*>(nullptr)}, L""},
      {L"%p", {reinterpret_cast<const void*>(0x1234)}, L"00001234"},
      {L"%p", {nullptr}, L"00000000"},
      // Floating point.
      {L"%e", {1234.5}, L"1.23450000000000E+003"},
      {L"%.3e", {1234.5}, L"1.23E+003"},
      {L"%e", {-0.00012}, L"-1.20000000000000E-004"},
      {L"%e", {0.0}, L"0.00000000000000E+000"},
      {L"%f", {3.14159}, L"3.14"},
      {L"%.0f", {2.5}, L"3"},
      {L"%.2f", {0.125}, L"0.13"},
      {L"%.*f", {1, 2.25}, L"2.3"},
      {L"%.1f", {-0.04}, L"0.0"},
      {L"%f", {1e16}, L"10000000000000000.00"},
      {L"%g", {1234.5}, L"1234.5"},
      {L"%g", {1e20}, L"1E020"},
      {L"%g", {0.00001}, L"1E-005"},
      {L"%.3g", {1234.5}, L"1.23E003"},
      {L"%n", {1234567.891}, L"1,234,567.89"},
      {L"%.0n", {999.5}, L"1,000"},
      {L"%n", {-1234.5}, L"-1,234.50"},
      {L"%m", {1234.5}, L"$1,234.50"},
      {L"%.0m", {-1234.5}, L"($1,235)"},
      {L"%8.1f|", {1.25}, L"     1.3|"},
      {L"%f", {static_cast<long double>(1) / 3}, L"0.33"},
  };
  const TFormatSettings settings = TestSettings();
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "Format(\"" << c.Format << "\")");
    EXPECT_EQ(Format(c.Format, c.Args, settings), c.Expected);
  }
}

TEST(FormatTest, TakesTemporaryStringsForTheWholeCall)
{
  const String name = L"name";
  EXPECT_EQ(Format(L"%s=%s", {name + L"1", String(L"value")}), L"name1=value");
}

TEST(FormatTest, UsesTheSettingsSeparatorsAndCurrencyPatterns)
{
  TFormatSettings german = TestSettings();
  german.DecimalSeparator = L',';
  german.ThousandSeparator = L'.';
  german.CurrencyString = L"€";
  german.CurrencyFormat = 3;   // "1 €"
  german.NegCurrFormat = 8;    // "-1 €"
  EXPECT_EQ(Format(L"%n|%f|%m|%m", {1234.5, 1.5, 2.5, -2.5}, german), L"1.234,50|1,50|2,50 €|-2,50 €");
  german.ThousandSeparator = 0;
  EXPECT_EQ(Format(L"%n", {1234.5}, german), L"1234,50");
}

TEST(FormatTest, RaisesEConvertErrorOnBadDirectivesAndArguments)
{
  struct ErrorCase {
    const wchar_t* Format;
    std::initializer_list<FormatArg> Args;
    bool Missing;
  };
  const ErrorCase cases[] = {
      {L"%d", {L"x"}, false},
      {L"%s", {5}, false},
      {L"%f", {5}, false},
      {L"%d", {1.5}, false},
      {L"%x", {L'a'}, false},
      {L"%p", {5}, false},
      {L"%y", {1}, false},
      {L"abc%", {}, false},
      {L"%5", {1}, false},
      {L"%*d", {L"x", 1}, false},
      {L"%d", {}, true},
      {L"%d %d", {1}, true},
      {L"%2:d", {1, 2}, true},
      {L"%*d", {5}, true},
      // Widths and precisions from arguments are held to the bound of written ones.
      {L"%*d", {INT32_MAX, 1}, false},
      {L"%.*d", {INT32_MAX, 1}, false},
      {L"%.*s", {200000000, L"a"}, false},
      {L"%.200000000s", {L"a"}, false},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "Format(\"" << c.Format << "\")");
    try {
      Format(c.Format, c.Args);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      const String expected = c.Missing ? String(L"No argument for format '") + c.Format + L"'"
                                        : String(L"Format '") + c.Format + L"' invalid or incompatible with argument";
      EXPECT_EQ(e.Message(), expected);
    }
  }
}

TEST(FormatTest, DefaultOverloadsUseTheProcessWideSettings)
{
  EXPECT_EQ(&FormatSettings(), &FormatSettings());
  TFormatSettings& global = FormatSettings();
  const TFormatSettings saved = global;
  global.DecimalSeparator = L'#';
  EXPECT_EQ(Format(L"%.1f", {1.5}), L"1#5");
  EXPECT_EQ(FloatToStr(1.5), L"1#5");
  EXPECT_EQ(StrToFloat(L"2#5"), 2.5L);
  global = saved;
}

TEST(FloatToStrTest, GeneralFormatWithFifteenDigits)
{
  struct Case {
    Extended Value;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {1E15, L"1E15"},
      {1E14, L"100000000000000"},
      {0.00001, L"1E-5"},
      {0.0001, L"0.0001"},
      {123.456, L"123.456"},
      {-0.5, L"-0.5"},
      {1.0 / 3, L"0.333333333333333"},
      {2.0 / 3, L"0.666666666666667"},
      {0.1, L"0.1"},
      {0.0, L"0"},
      {-0.0, L"0"},
      {100, L"100"},
      {1e100, L"1E100"},
      {1.5e-10, L"1.5E-10"},
      {123456789012345678.0, L"1.23456789012346E17"},
      // Rounds up into the next power of ten.
      {999999999999999.9, L"1E15"},
      {NAN, L"NAN"},
      {INFINITY, L"INF"},
      {-INFINITY, L"-INF"},
  };
  const TFormatSettings settings = TFormatSettings::Invariant();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Expected);
    EXPECT_EQ(FloatToStr(c.Value, settings), c.Expected);
  }
  TFormatSettings comma = settings;
  comma.DecimalSeparator = L',';
  EXPECT_EQ(FloatToStr(-1.25, comma), L"-1,25");
}

TEST(FloatToStrTest, FloatToStrFFormats)
{
  struct Case {
    Extended Value;
    TFloatFormat Format;
    int Precision, Digits;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {1234.5678, ffFixed, 15, 2, L"1234.57"},
      {1234.5678, ffNumber, 15, 2, L"1,234.57"},
      {1234.5678, ffNumber, 15, 0, L"1,235"},
      {123456.5, ffNumber, 15, 1, L"123,456.5"},
      {1234.5678, ffExponent, 15, 2, L"1.23456780000000E+03"},
      {1234.5678, ffExponent, 4, 0, L"1.235E+3"},
      {1234.5678, ffGeneral, 4, 0, L"1235"},
      {1234.5678, ffGeneral, 3, 2, L"1.23E03"},
      {1234.5678, ffCurrency, 15, 2, L"$1,234.57"},
      {-1234.5678, ffCurrency, 15, 2, L"($1,234.57)"},
      {-0.001, ffFixed, 15, 2, L"0.00"},
      {0.5, ffFixed, 15, 0, L"1"},
      {0.05, ffFixed, 15, 0, L"0"},
      {1e20, ffFixed, 15, 2, L"1E20"},
      {NAN, ffFixed, 15, 2, L"NAN"},
  };
  const TFormatSettings settings = TestSettings();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Expected);
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits, settings), c.Expected);
  }
}

TEST(FloatToStrTest, CurrencyPatternsFollowTheLocaleNumbering)
{
  TFormatSettings s = TestSettings();
  const wchar_t* positive[] = {L"$1.00", L"1.00$", L"$ 1.00", L"1.00 $"};
  for (int i = 0; i < 4; ++i) {
    s.CurrencyFormat = static_cast<uint8_t>(i);
    EXPECT_EQ(FloatToStrF(1, ffCurrency, 15, 2, s), positive[i]) << i;
  }
  const wchar_t* negative[] = {L"($1.00)", L"-$1.00",  L"$-1.00",  L"$1.00-",  L"(1.00$)", L"-1.00$",
                               L"1.00-$",  L"1.00$-",  L"-1.00 $", L"-$ 1.00", L"1.00 $-", L"$ 1.00-",
                               L"$ -1.00", L"1.00- $", L"($ 1.00)", L"(1.00 $)"};
  for (int i = 0; i < 16; ++i) {
    s.NegCurrFormat = static_cast<uint8_t>(i);
    EXPECT_EQ(FloatToStrF(-1, ffCurrency, 15, 2, s), negative[i]) << i;
  }
}

TEST(CurrToStrTest, ExactWithoutTrailingZeros)
{
  struct Case {
    int64_t Raw;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {0, L"0"},
      {10000, L"1"},
      {15000, L"1.5"},
      {12345, L"1.2345"},
      {1, L"0.0001"},
      {-1, L"-0.0001"},
      {-5000, L"-0.5"},
      {100000000000000, L"10000000000"},
      {INT64_MAX, L"922337203685477.5807"},
      {INT64_MIN, L"-922337203685477.5808"},
  };
  const TFormatSettings settings = TFormatSettings::Invariant();
  for (const Case& c : cases)
    EXPECT_EQ(CurrToStr(Currency::FromRaw(c.Raw), settings), c.Expected) << c.Raw;
  TFormatSettings comma = settings;
  comma.DecimalSeparator = L',';
  EXPECT_EQ(CurrToStr(Currency::FromRaw(-12500), comma), L"-1,25");

  TFormatSettings& global = FormatSettings();
  const Finally restore([saved = global.DecimalSeparator] { FormatSettings().DecimalSeparator = saved; });
  global.DecimalSeparator = L'#';
  EXPECT_EQ(CurrToStr(Currency::FromRaw(15000)), L"1#5");
}

TEST(CurrToStrTest, AmountsTakeTheFloatDirectives)
{
  const TFormatSettings settings = TestSettings();
  EXPECT_EQ(Format(L"%.2f|%.4n|%m", {Currency::FromRaw(12345), Currency::FromRaw(12345678912), Currency::FromRaw(-15000)},
                   settings),
            L"1.23|1,234,567.8912|($1.50)");
  EXPECT_THROW(Format(L"%d", {Currency::FromRaw(1)}, settings), EConvertError);
}

TEST(FormatFloatTest, Patterns)
{
  struct Case {
    const wchar_t* Format;
    Extended Value;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"", 0.5, L"0.5"},
      {L"0.00", 1.5, L"1.50"},
      {L"0.00", -1.5, L"-1.50"},
      {L"0.00", 1.005, L"1.00"},
      {L"#,##0.00", 1234567.891, L"1,234,567.89"},
      {L"#,##0", 999.6, L"1,000"},
      {L"0.##", 1.5, L"1.5"},
      {L"0.##", 2, L"2"},
      {L"#.##", 0.5, L".5"},
      {L"000", 7, L"007"},
      {L"0", 12345, L"12345"},
      {L"0.00;(0.00)", -1.5, L"(1.50)"},
      {L"0.00;(0.00)", 1.5, L"1.50"},
      {L"0.00;;zero", 0, L"zero"},
      {L"0.0;-0.0;zero", -0.01, L"zero"},
      {L"0.0", -0.01, L"0.0"},
      {L"0.00E+00", 1234.5, L"1.23E+03"},
      {L"0.0E-0", 0.00015, L"1.5E-4"},
      {L"0.0E-0", 15000, L"1.5E4"},
      {L"0.0E+0 'x'", 15000, L"1.5E+4 x"},
      {L"\"$\"#,##0", 1234, L"$1,234"},
      {L"0 'kg'", 5, L"5 kg"},
      // Literals between placeholders split the digits; extra integer digits
      // go to the first placeholder.
      {L"00-00", 1234, L"12-34"},
      {L"(000) 000-0000", 5551234567.0, L"(555) 123-4567"},
      {L"000-000", 12345, L"012-345"},
      {L"#-##", 12345, L"123-45"},
      {L"0.0-0", 1.25, L"1.2-5"},
      {L".00", 12.5, L"12.50"},
      {L"0.00", NAN, L"NAN"},
  };
  const TFormatSettings settings = TFormatSettings::Invariant();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "FormatFloat(\"" << c.Format << "\")");
    EXPECT_EQ(FormatFloat(c.Format, c.Value, settings), c.Expected);
  }
}

TEST(StrToFloatTest, AcceptsNumbersWithTheSettingsDecimalSeparator)
{
  struct Case {
    const wchar_t* Text;
    Extended Expected;
  };
  const Case cases[] = {
      {L"1.5", 1.5L},   {L"  1.5  ", 1.5L}, {L"-2", -2},        {L"+3", 3},        {L".5", 0.5L},
      {L"5.", 5},       {L"1e3", 1000},     {L"1E-2", 0.01L},   {L"-1.5E+2", -150}, {L"0", 0},
      {L"123456789012345678", 123456789012345678.0L},
  };
  const TFormatSettings settings = TFormatSettings::Invariant();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Text);
    EXPECT_EQ(StrToFloat(c.Text, settings), c.Expected);
  }
  TFormatSettings comma = settings;
  comma.DecimalSeparator = L',';
  EXPECT_EQ(StrToFloat(L"1,25", comma), 1.25L);
  EXPECT_TRUE(std::isnan(StrToFloat(L"NAN", settings)));
  EXPECT_EQ(StrToFloat(L"-INF", settings), -INFINITY);
  EXPECT_EQ(StrToFloat(L"inf", settings), INFINITY);
}

TEST(StrToFloatTest, RejectsWhatIsNotANumber)
{
  const wchar_t* texts[] = {L"",   L"  ",  L"abc", L"1.5x", L"1,5",   L"1e",  L"e5",    L"-",
                            L".",  L"1.2.3", L"1,000", L"\t1", L"1 5", L"- 1", L"1e5000", L"+NAN"};
  const TFormatSettings settings = TFormatSettings::Invariant();
  for (const wchar_t* text : texts) {
    SCOPED_TRACE(testing::Message() << "'" << text << "'");
    Extended value = 42;
    EXPECT_FALSE(TryStrToFloat(text, value, settings));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(StrToFloatDef(text, -1, settings), -1);
    try {
      StrToFloat(text, settings);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), String(L"'") + text + L"' is not a valid floating point value");
    }
  }
}

TEST(StrToFloatTest, DoubleOverloadRejectsValuesBeyondItsRange)
{
  const TFormatSettings settings = TFormatSettings::Invariant();
  double d = 0;
  EXPECT_FALSE(TryStrToFloat(L"1e400", d, settings));
  Extended e = 0;
  EXPECT_TRUE(TryStrToFloat(L"1e400", e, settings));
  EXPECT_TRUE(TryStrToFloat(L"0.1", d, settings));
  EXPECT_EQ(d, 0.1);
}

// Seventeen significant digits identify a double, so any fault in digit
// generation, rounding or parsing breaks the round trip.
TEST(StrToFloatTest, SeventeenDigitsRoundTripEveryDouble)
{
  const TFormatSettings settings = TFormatSettings::Invariant();
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 2000; ++i) {
    uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
      continue;
    const String text = FloatToStrF(value, ffExponent, 17, 0, settings);
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(text, back, settings)) << text;
    ASSERT_EQ(back, value) << text;
  }
}

TEST(FormatSettingsTest, ReadsTheLocale)
{
  const TFormatSettings us = TFormatSettings::Create(MAKELCID(0x0409, SORT_DEFAULT));
  EXPECT_EQ(us.DecimalSeparator, L'.');
  EXPECT_EQ(us.ThousandSeparator, L',');
  EXPECT_EQ(us.CurrencyString, L"$");
  EXPECT_EQ(us.CurrencyDecimals, 2);
  EXPECT_EQ(us.LongMonthNames[0], L"January");
  EXPECT_EQ(us.ShortMonthNames[11], L"Dec");
  EXPECT_EQ(us.LongDayNames[0], L"Sunday");
  EXPECT_EQ(us.ShortDayNames[1], L"Mon");
  EXPECT_EQ(us.LongTimeFormat, L"h:mm:ss AMPM");
  EXPECT_EQ(us.TwoDigitYearCenturyWindow, 50);

  const TFormatSettings german = TFormatSettings::Create(MAKELCID(0x0407, SORT_DEFAULT));
  EXPECT_EQ(german.DecimalSeparator, L',');
  EXPECT_EQ(german.ThousandSeparator, L'.');
  EXPECT_EQ(german.LongMonthNames[2], L"März");
  EXPECT_EQ(german.LongDayNames[0], L"Sonntag");
  EXPECT_EQ(german.LongTimeFormat, L"hh:mm:ss");
  EXPECT_EQ(FloatToStr(1.5, german), L"1,5");

  // The culture-neutral settings at start-up come from the invariant locale.
  const TFormatSettings invariant = TFormatSettings::Create(LOCALE_INVARIANT);
  EXPECT_EQ(invariant.DecimalSeparator, L'.');
  EXPECT_EQ(invariant.ThousandSeparator, L',');
  EXPECT_EQ(invariant.LongMonthNames[0], L"January");
}

TEST(FormatSettingsTest, InvariantIsCultureNeutral)
{
  const TFormatSettings s = TFormatSettings::Invariant();
  EXPECT_EQ(s.DecimalSeparator, L'.');
  EXPECT_EQ(s.ThousandSeparator, L',');
  EXPECT_EQ(s.ListSeparator, L',');
  EXPECT_EQ(s.TimeSeparator, L':');
  EXPECT_EQ(s.LongMonthNames[11], L"December");
  EXPECT_EQ(s.ShortDayNames[6], L"Sat");
  EXPECT_EQ(Format(L"%n", {1234.5}, s), L"1,234.50");
}

}  // namespace
}  // namespace rtl
