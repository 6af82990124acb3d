// Format, format settings and floating-point conversions.
//
// Every float-to-text path goes through FloatToDecimal: the value's 18
// significant digits, correctly rounded from the binary value by mingw's own
// printf (msvcrt's cannot print an 80-bit long double), then rounded half away
// from zero to the digits asked for, as the framework rounds its 18-digit
// decimal form.
#include "platform/rtl/SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace rtl {

namespace {

constexpr const wchar_t* kShortMonthNames[12] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                                 L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
constexpr const wchar_t* kLongMonthNames[12] = {L"January", L"February", L"March",     L"April",
                                                L"May",     L"June",     L"July",      L"August",
                                                L"September", L"October", L"November", L"December"};
constexpr const wchar_t* kShortDayNames[7] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
constexpr const wchar_t* kLongDayNames[7] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                             L"Thursday", L"Friday", L"Saturday"};

// The framework's default century window for two-digit years.
constexpr uint16_t kDefaultTwoDigitYearCenturyWindow = 50;

// The most significant digits an 80-bit long double carries.
constexpr int kMaxPrecision = 18;

String LocaleString(LCID ALocale, LCTYPE AType, const wchar_t* ADefault)
{
  wchar_t buffer[256];
  const int length = GetLocaleInfoW(ALocale, AType, buffer, static_cast<int>(std::size(buffer)));
  return length > 1 ? String(buffer, length - 1) : String(ADefault);
}

Char LocaleChar(LCID ALocale, LCTYPE AType, Char ADefault)
{
  const String text = LocaleString(ALocale, AType, L"");
  return text.empty() ? ADefault : text[0];
}

int LocaleInt(LCID ALocale, LCTYPE AType, int ADefault)
{
  const String text = LocaleString(ALocale, AType, L"");
  if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), [](Char c) { return c >= L'0' && c <= L'9'; }))
    return ADefault;
  return std::stoi(text);
}

// A separator of #0 means "none"; a decimal point cannot be left out.
Char DecimalPoint(const TFormatSettings& ASettings)
{
  return ASettings.DecimalSeparator ? ASettings.DecimalSeparator : L'.';
}

// ---- Decimal form ------------------------------------------------------------

// value = 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty
// for zero (Exponent is then 0).
struct TFloatRec {
  int Exponent = 0;
  bool Negative = false;
  std::string Digits;
};

// At most APrecision significant digits and ADecimals digits after the point.
TFloatRec FloatToDecimal(Extended AValue, int APrecision, int ADecimals)
{
  TFloatRec rec;
  rec.Negative = std::signbit(AValue);
  AValue = std::fabs(AValue);
  if (AValue == 0)
    return rec;
  char buffer[64];
  __mingw_snprintf(buffer, sizeof buffer, "%.*Le", kMaxPrecision - 1, AValue);
  std::string digits(1, buffer[0]);
  digits.append(buffer + 2, kMaxPrecision - 1);
  rec.Exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;

  const int count = std::min(std::clamp(APrecision, 1, kMaxPrecision), rec.Exponent + ADecimals);
  if (count < 0) {
    rec.Exponent = 0;
    return rec;
  }
  if (count < kMaxPrecision) {
    const bool roundUp = digits[count] >= '5';
    digits.resize(count);
    if (roundUp) {
      int i = count - 1;
      while (i >= 0 && digits[i] == '9')
        digits[i--] = '0';
      if (i < 0) {
        digits.insert(digits.begin(), '1');
        ++rec.Exponent;
      } else {
        ++digits[i];
      }
    }
  }
  while (!digits.empty() && digits.back() == '0')
    digits.pop_back();
  if (digits.empty())
    rec.Exponent = 0;
  rec.Digits = std::move(digits);
  return rec;
}

Char DigitAt(const TFloatRec& ARec, int AIndex)
{
  return AIndex >= 0 && AIndex < static_cast<int>(ARec.Digits.size()) ? Char(ARec.Digits[AIndex]) : L'0';
}

// The integer part, with a thousand separator between groups of three when
// one is given.
String IntegerPart(const TFloatRec& ARec, Char AThousandSeparator)
{
  if (ARec.Exponent <= 0)
    return L"0";
  String text;
  for (int i = 0; i < ARec.Exponent; ++i) {
    if (AThousandSeparator && i > 0 && (ARec.Exponent - i) % 3 == 0)
      text += AThousandSeparator;
    text += DigitAt(ARec, i);
  }
  return text;
}

String FractionPart(const TFloatRec& ARec, int ADecimals)
{
  String text;
  for (int i = 0; i < ADecimals; ++i)
    text += DigitAt(ARec, ARec.Exponent + i);
  return text;
}

String FixedText(const TFloatRec& ARec, int ADecimals, Char AThousandSeparator, Char ADecimalPoint)
{
  String text = IntegerPart(ARec, AThousandSeparator);
  if (ADecimals > 0)
    text += ADecimalPoint + FractionPart(ARec, ADecimals);
  return text;
}

String ExponentDigits(int AExponent, int AMinDigits, bool APlusSign)
{
  String digits = std::to_wstring(std::abs(AExponent));
  if (static_cast<int>(digits.size()) < AMinDigits)
    digits.insert(0, AMinDigits - digits.size(), L'0');
  return (AExponent < 0 ? L"-" : APlusSign ? L"+" : L"") + digits;
}

// d.ddd E exponent, the mantissa padded with zeros to AMantissaDigits.
String ScientificText(const TFloatRec& ARec, int AMantissaDigits, int AExponentDigits, bool APlusSign,
                      Char ADecimalPoint)
{
  const int count = std::max<int>(AMantissaDigits, ARec.Digits.size());
  String text(1, DigitAt(ARec, 0));
  if (count > 1) {
    text += ADecimalPoint;
    for (int i = 1; i < count; ++i)
      text += DigitAt(ARec, i);
  }
  const int exponent = ARec.Digits.empty() ? 0 : ARec.Exponent - 1;
  return text + L"E" + ExponentDigits(exponent, AExponentDigits, APlusSign);
}

// Fixed notation unless the value needs more than APrecision integer digits
// or is below 0.0001; trailing zeros never show.
String GeneralText(const TFloatRec& ARec, int APrecision, int AExponentDigits, Char ADecimalPoint)
{
  if (ARec.Digits.empty())
    return L"0";
  if (ARec.Exponent > APrecision || ARec.Exponent < -3)
    return ScientificText(ARec, 0, AExponentDigits, false, ADecimalPoint);
  const int decimals = std::max<int>(0, static_cast<int>(ARec.Digits.size()) - ARec.Exponent);
  return FixedText(ARec, decimals, 0, ADecimalPoint);
}

// LOCALE_ICURRENCY and LOCALE_INEGCURR patterns: "$" the currency string,
// "1" the number.
constexpr const wchar_t* kPositiveCurrency[4] = {L"$1", L"1$", L"$ 1", L"1 $"};
constexpr const wchar_t* kNegativeCurrency[16] = {L"($1)", L"-$1",  L"$-1",  L"$1-",  L"(1$)",  L"-1$",
                                                  L"1-$",  L"1$-",  L"-1 $", L"-$ 1", L"1 $-",  L"$ 1-",
                                                  L"$ -1", L"1- $", L"($ 1)", L"(1 $)"};

String CurrencyText(const String& ANumber, bool ANegative, const TFormatSettings& ASettings)
{
  const wchar_t* pattern = ANegative ? kNegativeCurrency[ASettings.NegCurrFormat % 16]
                                     : kPositiveCurrency[ASettings.CurrencyFormat % 4];
  String text;
  for (; *pattern; ++pattern) {
    if (*pattern == L'$')
      text += ASettings.CurrencyString;
    else if (*pattern == L'1')
      text += ANumber;
    else
      text += *pattern;
  }
  return text;
}

String FloatToText(Extended AValue, TFloatFormat AFormat, int APrecision, int ADigits,
                   const TFormatSettings& ASettings)
{
  if (std::isnan(AValue))
    return L"NAN";
  if (std::isinf(AValue))
    return AValue < 0 ? L"-INF" : L"INF";
  const int precision = std::clamp(APrecision, 1, kMaxPrecision);
  const Char point = DecimalPoint(ASettings);
  const bool fixedForm = AFormat == ffFixed || AFormat == ffNumber || AFormat == ffCurrency;
  const int decimals = fixedForm ? std::clamp(ADigits, 0, kMaxPrecision) : 9999;
  const TFloatRec rec = FloatToDecimal(AValue, precision, decimals);
  // A value that rounds to zero shows no sign.
  const bool negative = rec.Negative && !rec.Digits.empty();
  const String sign = negative ? L"-" : L"";

  if (fixedForm && rec.Exponent > precision)
    return sign + GeneralText(rec, precision, 0, point);
  switch (AFormat) {
    case ffExponent:
      return sign + ScientificText(rec, precision, std::clamp(ADigits, 0, 4), true, point);
    case ffFixed:
      return sign + FixedText(rec, decimals, 0, point);
    case ffNumber:
      return sign + FixedText(rec, decimals, ASettings.ThousandSeparator, point);
    case ffCurrency:
      return CurrencyText(FixedText(rec, decimals, ASettings.ThousandSeparator, point), negative, ASettings);
    case ffGeneral:
      break;
  }
  return sign + GeneralText(rec, precision, std::clamp(ADigits, 0, 4), point);
}

// ---- Format ------------------------------------------------------------------

String UnsignedToText(uint64_t AValue, unsigned ABase)
{
  String text;
  do {
    text += L"0123456789ABCDEF"[AValue % ABase];
    AValue /= ABase;
  } while (AValue != 0);
  std::reverse(text.begin(), text.end());
  return text;
}

String ZeroPadded(String ADigits, int AMinDigits)
{
  if (static_cast<int>(ADigits.size()) < AMinDigits)
    ADigits.insert(0, AMinDigits - ADigits.size(), L'0');
  return ADigits;
}

class TFormatter {
 public:
  TFormatter(const String& AFormat, std::initializer_list<FormatArg> AArgs, const TFormatSettings& ASettings)
      : FFormat(AFormat), FArgs(AArgs), FSettings(ASettings) {}

  String Run()
  {
    String result;
    size_t i = 0;
    while (i < FFormat.size()) {
      const size_t percent = FFormat.find(L'%', i);
      result.append(FFormat, i, percent == String::npos ? String::npos : percent - i);
      if (percent == String::npos)
        break;
      i = percent + 1;
      if (i < FFormat.size() && FFormat[i] == L'%') {
        result += L'%';
        ++i;
      } else {
        result += Directive(i);
      }
    }
    return result;
  }

 private:
  [[noreturn]] void Invalid() const
  {
    throw EConvertError(L"Format '" + FFormat + L"' invalid or incompatible with argument");
  }

  [[noreturn]] void Missing() const { throw EConvertError(L"No argument for format '" + FFormat + L"'"); }

  const FormatArg& TakeArg()
  {
    if (FNext >= FArgs.size())
      Missing();
    return FArgs.begin()[FNext++];
  }

  // The largest index, width or precision: what lies beyond is a fault in
  // the format or its arguments, not text anybody can show.
  static constexpr int kMaxNumber = 100000000;

  // Digits, or "*" for an integer argument; -1 when neither is there.
  int ReadNumber(size_t& AIndex)
  {
    if (AIndex < FFormat.size() && FFormat[AIndex] == L'*') {
      ++AIndex;
      const FormatArg& arg = TakeArg();
      if (!arg.IsInteger())
        Invalid();
      // An unsigned 64-bit argument keeps its value only in AsUInt64.
      const bool isUInt64 = arg.Kind() == FormatArg::TKind::UInt64;
      if (isUInt64 ? arg.AsUInt64() > kMaxNumber : arg.AsInt64() < INT32_MIN || arg.AsInt64() > kMaxNumber)
        Invalid();
      return static_cast<int>(isUInt64 ? static_cast<int64_t>(arg.AsUInt64()) : arg.AsInt64());
    }
    int value = -1;
    while (AIndex < FFormat.size() && FFormat[AIndex] >= L'0' && FFormat[AIndex] <= L'9') {
      value = std::max(value, 0) * 10 + (FFormat[AIndex++] - L'0');
      if (value > kMaxNumber)
        Invalid();
    }
    return value;
  }

  // "%" [index ":"] ["-"] [width] ["." precision] type, from after the "%".
  String Directive(size_t& AIndex)
  {
    bool leftJustify = false;
    int width = ReadNumber(AIndex);
    if (width >= 0 && AIndex < FFormat.size() && FFormat[AIndex] == L':') {
      ++AIndex;
      FNext = width;
      width = -1;
    }
    if (width < 0) {
      if (AIndex < FFormat.size() && FFormat[AIndex] == L'-') {
        leftJustify = true;
        ++AIndex;
      }
      width = ReadNumber(AIndex);
    }
    int precision = -1;
    if (AIndex < FFormat.size() && FFormat[AIndex] == L'.') {
      ++AIndex;
      precision = std::max(ReadNumber(AIndex), 0);
    }
    if (AIndex >= FFormat.size())
      Invalid();
    Char type = FFormat[AIndex++];
    if (type >= L'a' && type <= L'z')
      type -= L'a' - L'A';
    const String text = Convert(type, TakeArg(), precision);
    if (width <= static_cast<int>(text.size()))
      return text;
    const String padding(width - text.size(), L' ');
    return leftJustify ? text + padding : padding + text;
  }

  String Convert(Char AType, const FormatArg& AArg, int APrecision) const
  {
    switch (AType) {
      case L'D': {
        if (!AArg.IsInteger())
          Invalid();
        const bool negative = AArg.Kind() != FormatArg::TKind::UInt64 && AArg.AsInt64() < 0;
        const uint64_t magnitude = negative ? 0 - AArg.AsUInt64() : AArg.AsUInt64();
        return (negative ? L"-" : L"") + ZeroPadded(UnsignedToText(magnitude, 10), APrecision);
      }
      case L'U':
        if (!AArg.IsInteger())
          Invalid();
        return ZeroPadded(UnsignedToText(Unsigned(AArg), 10), APrecision);
      case L'X':
        if (!AArg.IsInteger())
          Invalid();
        return ZeroPadded(UnsignedToText(Unsigned(AArg), 16), APrecision);
      case L'P':
        if (AArg.Kind() != FormatArg::TKind::Pointer && AArg.Kind() != FormatArg::TKind::PChar)
          Invalid();
        return ZeroPadded(UnsignedToText(reinterpret_cast<uintptr_t>(AArg.AsPointer()), 16), sizeof(void*) * 2);
      case L'S': {
        if (!AArg.IsText())
          Invalid();
        const std::wstring_view text = AArg.AsText();
        return String(APrecision >= 0 ? text.substr(0, APrecision) : text);
      }
      case L'E':
        return FloatArg(AArg, ffExponent, APrecision < 0 ? 15 : APrecision, 3);
      case L'F':
        return FloatArg(AArg, ffFixed, kMaxPrecision, APrecision < 0 ? 2 : APrecision);
      case L'G':
        return FloatArg(AArg, ffGeneral, APrecision < 0 ? 15 : APrecision, 3);
      case L'N':
        return FloatArg(AArg, ffNumber, kMaxPrecision, APrecision < 0 ? 2 : APrecision);
      case L'M':
        return FloatArg(AArg, ffCurrency, kMaxPrecision, APrecision < 0 ? FSettings.CurrencyDecimals : APrecision);
      default:
        Invalid();
    }
  }

  // A 32-bit argument shows as 32 bits, so -1 is FFFFFFFF, not 16 F's.
  static uint64_t Unsigned(const FormatArg& AArg)
  {
    return AArg.Kind() == FormatArg::TKind::Integer ? static_cast<uint32_t>(AArg.AsInt64()) : AArg.AsUInt64();
  }

  String FloatArg(const FormatArg& AArg, TFloatFormat AFormat, int APrecision, int ADigits) const
  {
    if (AArg.Kind() != FormatArg::TKind::Extended)
      Invalid();
    return FloatToText(AArg.AsExtended(), AFormat, APrecision, ADigits, FSettings);
  }

  const String& FFormat;
  std::initializer_list<FormatArg> FArgs;
  const TFormatSettings& FSettings;
  size_t FNext = 0;
};

// ---- FormatFloat -------------------------------------------------------------

// One section of a FormatFloat pattern, read once before the digits are placed.
struct TSection {
  String Text;
  int IntegerZeros = 0;     // "0" before the point: the least integer digits
  int MinDecimals = 0;      // up to the last "0" after the point
  int MaxDecimals = 0;      // every placeholder after the point
  int IntegerPlaces = 0;    // "0" and "#" before the point
  bool Thousands = false;
  bool Scientific = false;
};

std::vector<String> SplitSections(const String& AFormat)
{
  std::vector<String> sections(1);
  Char quote = 0;
  for (const Char c : AFormat) {
    if (quote) {
      quote = c == quote ? 0 : quote;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

bool IsExponentAt(const String& AText, size_t AIndex)
{
  return (AText[AIndex] == L'E' || AText[AIndex] == L'e') && AIndex + 1 < AText.size() &&
         (AText[AIndex + 1] == L'+' || AText[AIndex + 1] == L'-');
}

TSection AnalyseSection(const String& AText)
{
  TSection section;
  section.Text = AText;
  bool afterPoint = false;
  Char quote = 0;
  for (size_t i = 0; i < AText.size() && !section.Scientific; ++i) {
    const Char c = AText[i];
    if (quote) {
      quote = c == quote ? 0 : quote;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L'0' || c == L'#') {
      if (afterPoint) {
        ++section.MaxDecimals;
        if (c == L'0')
          section.MinDecimals = section.MaxDecimals;
      } else {
        ++section.IntegerPlaces;
        section.IntegerZeros += c == L'0';
      }
    } else if (c == L'.') {
      afterPoint = true;
    } else if (c == L',') {
      section.Thousands = true;
    } else if (IsExponentAt(AText, i)) {
      section.Scientific = true;
    }
  }
  return section;
}

// The section filled with the digits of a non-negative value; AIsZero tells
// whether nothing but zeros shows.
String ApplySection(const TSection& ASection, Extended AValue, const TFormatSettings& ASettings, bool& AIsZero)
{
  const int places = std::max(ASection.IntegerPlaces + ASection.MaxDecimals, 1);
  TFloatRec rec = ASection.Scientific ? FloatToDecimal(AValue, std::min(places, kMaxPrecision), 9999)
                                      : FloatToDecimal(AValue, 15, ASection.MaxDecimals);
  AIsZero = rec.Digits.empty();
  int exponent = 0;
  if (ASection.Scientific && !rec.Digits.empty()) {
    // The mantissa gets as many integer digits as the pattern has places.
    exponent = rec.Exponent - ASection.IntegerPlaces;
    rec.Exponent = ASection.IntegerPlaces;
  }
  String integer = rec.Exponent > 0 ? IntegerPart(rec, 0) : String();
  if (static_cast<int>(integer.size()) < ASection.IntegerZeros)
    integer.insert(0, ASection.IntegerZeros - integer.size(), L'0');
  String fraction = FractionPart(rec, ASection.MaxDecimals);
  while (static_cast<int>(fraction.size()) > ASection.MinDecimals && fraction.back() == L'0')
    fraction.pop_back();

  // The integer digits sit right-aligned on their placeholders, so literals
  // between placeholders split them ("000-0000"); digits beyond the
  // placeholders all go to the first one.
  const Char separator = ASection.Thousands ? ASettings.ThousandSeparator : Char(0);
  const int integerCount = static_cast<int>(integer.size());
  const int excess = integerCount - ASection.IntegerPlaces;
  String result;
  const auto putIntegerDigits = [&](int AFrom, int ATo) {
    for (int k = std::max(AFrom, 0); k < ATo; ++k) {
      result += integer[k];
      const int following = integerCount - 1 - k;
      if (separator && following > 0 && following % 3 == 0)
        result += separator;
    }
  };

  const String& text = ASection.Text;
  bool afterPoint = false;
  int integerPlace = 0, fractionPlace = 0;
  Char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const Char c = text[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        result += c;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L'0' || c == L'#') {
      if (afterPoint) {
        if (fractionPlace < static_cast<int>(fraction.size()))
          result += fraction[fractionPlace];
        ++fractionPlace;
      } else {
        const int index = excess + integerPlace;
        putIntegerDigits(integerPlace == 0 ? 0 : index, index + 1);
        ++integerPlace;
      }
    } else if (c == L'.') {
      if (!afterPoint) {
        // Digits before the point that the pattern has no place for still show.
        if (ASection.IntegerPlaces == 0)
          putIntegerDigits(0, integerCount);
        if (!fraction.empty())
          result += DecimalPoint(ASettings);
      }
      afterPoint = true;
    } else if (c == L',') {
      // The separators go in with the integer digits.
    } else if (ASection.Scientific && IsExponentAt(text, i)) {
      int zeros = 0;
      size_t j = i + 2;
      while (j < text.size() && text[j] == L'0')
        ++zeros, ++j;
      result += c;
      result += ExponentDigits(exponent, zeros, text[i + 1] == L'+');
      i = j - 1;
    } else {
      result += c;
    }
  }
  return result;
}

// ---- Text to float -----------------------------------------------------------

// The number in the C library's form ("." as the point), or empty when the
// text is not one. Blanks around it are allowed, thousand separators are not.
std::string NumberText(const String& AText, const TFormatSettings& ASettings)
{
  const size_t begin = AText.find_first_not_of(L' ');
  if (begin == String::npos)
    return {};
  const String text = AText.substr(begin, AText.find_last_not_of(L' ') - begin + 1);

  std::string ascii;
  size_t i = 0;
  if (text[i] == L'+' || text[i] == L'-')
    ascii += static_cast<char>(text[i++]);
  String word = text.substr(i);
  for (Char& c : word)
    c = towupper(c);
  if ((word == L"NAN" && ascii.empty()) || word == L"INF")
    return ascii + std::string(word.begin(), word.end());

  const auto isDigit = [&](size_t k) { return k < text.size() && text[k] >= L'0' && text[k] <= L'9'; };
  int digits = 0;
  for (; isDigit(i); ++i, ++digits)
    ascii += static_cast<char>(text[i]);
  if (i < text.size() && text[i] == DecimalPoint(ASettings)) {
    ascii += '.';
    for (++i; isDigit(i); ++i, ++digits)
      ascii += static_cast<char>(text[i]);
  }
  if (digits == 0)
    return {};
  if (i < text.size() && (text[i] == L'E' || text[i] == L'e')) {
    ascii += 'e';
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
      ascii += static_cast<char>(text[i++]);
    if (!isDigit(i))
      return {};
    for (; isDigit(i); ++i)
      ascii += static_cast<char>(text[i]);
  }
  return i == text.size() ? ascii : std::string();
}

// False also for a number beyond the type's range.
template <class T>
bool ParseFloat(const String& AText, const TFormatSettings& ASettings, T& AValue, T (*AConvert)(const char*, char**))
{
  const std::string ascii = NumberText(AText, ASettings);
  if (ascii.empty())
    return false;
  const T value = AConvert(ascii.c_str(), nullptr);
  if (std::isinf(value) && ascii.find("INF") == std::string::npos)
    return false;
  AValue = value;
  return true;
}

}  // namespace

// ---- Settings ----------------------------------------------------------------

TFormatSettings TFormatSettings::Create(unsigned long ALocale)
{
  const LCID locale = ALocale;
  TFormatSettings s;
  s.CurrencyString = LocaleString(locale, LOCALE_SCURRENCY, L"");
  s.CurrencyFormat = static_cast<uint8_t>(LocaleInt(locale, LOCALE_ICURRENCY, 0));
  s.NegCurrFormat = static_cast<uint8_t>(LocaleInt(locale, LOCALE_INEGCURR, 0));
  s.ThousandSeparator = LocaleChar(locale, LOCALE_STHOUSAND, L',');
  s.DecimalSeparator = LocaleChar(locale, LOCALE_SDECIMAL, L'.');
  s.CurrencyDecimals = static_cast<uint8_t>(LocaleInt(locale, LOCALE_ICURRDIGITS, 0));
  s.DateSeparator = LocaleChar(locale, LOCALE_SDATE, L'/');
  s.ShortDateFormat = LocaleString(locale, LOCALE_SSHORTDATE, L"m/d/yy");
  s.LongDateFormat = LocaleString(locale, LOCALE_SLONGDATE, L"mmmm d, yyyy");
  s.TimeSeparator = LocaleChar(locale, LOCALE_STIME, L':');
  s.TimeAMString = LocaleString(locale, LOCALE_S1159, L"am");
  s.TimePMString = LocaleString(locale, LOCALE_S2359, L"pm");
  // The framework builds its time formats from the locale's flags rather than
  // taking LOCALE_STIMEFORMAT.
  const String hour = LocaleInt(locale, LOCALE_ITLZERO, 0) == 0 ? L"h" : L"hh";
  String prefix, suffix;
  if (LocaleInt(locale, LOCALE_ITIME, 0) == 0) {
    if (LocaleInt(locale, LOCALE_ITIMEMARKPOSN, 0) == 0)
      suffix = L" AMPM";
    else
      prefix = L"AMPM ";
  }
  s.ShortTimeFormat = prefix + hour + L":mm" + suffix;
  s.LongTimeFormat = prefix + hour + L":mm:ss" + suffix;
  s.ListSeparator = LocaleChar(locale, LOCALE_SLIST, L',');
  for (int i = 0; i < 12; ++i) {
    s.ShortMonthNames[i] = LocaleString(locale, LOCALE_SABBREVMONTHNAME1 + i, kShortMonthNames[i]);
    s.LongMonthNames[i] = LocaleString(locale, LOCALE_SMONTHNAME1 + i, kLongMonthNames[i]);
  }
  // The locale numbers its days from Monday (DAYNAME1), ours from Sunday.
  for (int i = 0; i < 7; ++i) {
    const int day = (i + 6) % 7;
    s.ShortDayNames[i] = LocaleString(locale, LOCALE_SABBREVDAYNAME1 + day, kShortDayNames[i]);
    s.LongDayNames[i] = LocaleString(locale, LOCALE_SDAYNAME1 + day, kLongDayNames[i]);
  }
  s.TwoDigitYearCenturyWindow = kDefaultTwoDigitYearCenturyWindow;
  return s;
}

TFormatSettings TFormatSettings::Create()
{
  return Create(LOCALE_USER_DEFAULT);
}

TFormatSettings TFormatSettings::Invariant()
{
  TFormatSettings s;
  s.CurrencyString = L"\u00A4";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.ThousandSeparator = L',';
  s.DecimalSeparator = L'.';
  s.CurrencyDecimals = 2;
  s.DateSeparator = L'/';
  s.TimeSeparator = L':';
  s.ListSeparator = L',';
  s.ShortDateFormat = L"MM/dd/yyyy";
  s.LongDateFormat = L"dddd, dd MMMMM yyyy HH:mm:ss";
  s.TimeAMString = L"AM";
  s.TimePMString = L"PM";
  s.ShortTimeFormat = L"HH:mm";
  s.LongTimeFormat = L"HH:mm:ss";
  std::copy(std::begin(kShortMonthNames), std::end(kShortMonthNames), s.ShortMonthNames.begin());
  std::copy(std::begin(kLongMonthNames), std::end(kLongMonthNames), s.LongMonthNames.begin());
  std::copy(std::begin(kShortDayNames), std::end(kShortDayNames), s.ShortDayNames.begin());
  std::copy(std::begin(kLongDayNames), std::end(kLongDayNames), s.LongDayNames.begin());
  s.TwoDigitYearCenturyWindow = kDefaultTwoDigitYearCenturyWindow;
  return s;
}

TFormatSettings& FormatSettings()
{
  static TFormatSettings settings = TFormatSettings::Create();
  return settings;
}

// ---- Format ------------------------------------------------------------------

String Format(const String& AFormat, std::initializer_list<FormatArg> AArgs)
{
  return Format(AFormat, AArgs, FormatSettings());
}

String Format(const String& AFormat, std::initializer_list<FormatArg> AArgs, const TFormatSettings& ASettings)
{
  return TFormatter(AFormat, AArgs, ASettings).Run();
}

// ---- Float to text -----------------------------------------------------------

String FloatToStrF(Extended AValue, TFloatFormat AFormat, int APrecision, int ADigits)
{
  return FloatToText(AValue, AFormat, APrecision, ADigits, FormatSettings());
}

String FloatToStrF(Extended AValue, TFloatFormat AFormat, int APrecision, int ADigits,
                   const TFormatSettings& ASettings)
{
  return FloatToText(AValue, AFormat, APrecision, ADigits, ASettings);
}

String FloatToStr(Extended AValue)
{
  return FloatToStr(AValue, FormatSettings());
}

String FloatToStr(Extended AValue, const TFormatSettings& ASettings)
{
  return FloatToText(AValue, ffGeneral, 15, 0, ASettings);
}

// Digit by digit from the raw count: through a floating-point value the
// largest amounts would lose their last digits.
String CurrToStr(Currency AValue, const TFormatSettings& ASettings)
{
  const int64_t raw = AValue.Raw();
  const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  String text = (raw < 0 ? L"-" : L"") + std::to_wstring(magnitude / 10000);
  String fraction = std::to_wstring(magnitude % 10000 + 10000).substr(1);
  fraction.erase(fraction.find_last_not_of(L'0') + 1);
  if (!fraction.empty())
    text += DecimalPoint(ASettings) + fraction;
  return text;
}

String CurrToStr(Currency AValue)
{
  return CurrToStr(AValue, FormatSettings());
}

String FormatFloat(const String& AFormat, Extended AValue)
{
  return FormatFloat(AFormat, AValue, FormatSettings());
}

String FormatFloat(const String& AFormat, Extended AValue, const TFormatSettings& ASettings)
{
  if (AFormat.empty() || !std::isfinite(AValue))
    return FloatToStr(AValue, ASettings);
  const std::vector<String> sections = SplitSections(AFormat);
  const bool negative = AValue < 0;
  // An empty or missing negative section means the positive one with a sign.
  const bool ownNegative = negative && sections.size() > 1 && !sections[1].empty();
  bool isZero = false;
  const String text = ApplySection(AnalyseSection(sections[ownNegative ? 1 : 0]), std::fabs(AValue), ASettings, isZero);
  if (isZero) {
    bool unused = false;
    if (sections.size() > 2 && !sections[2].empty())
      return ApplySection(AnalyseSection(sections[2]), 0, ASettings, unused);
    if (negative)
      return ApplySection(AnalyseSection(sections[0]), 0, ASettings, unused);
  }
  return negative && !ownNegative ? L"-" + text : text;
}

// ---- Text to float -----------------------------------------------------------

bool TryStrToFloat(const String& AText, Extended& AValue, const TFormatSettings& ASettings)
{
  return ParseFloat(AText, ASettings, AValue, __mingw_strtold);
}

bool TryStrToFloat(const String& AText, Extended& AValue)
{
  return TryStrToFloat(AText, AValue, FormatSettings());
}

// Parsed straight to a double: through a long double the value would be
// rounded twice.
bool TryStrToFloat(const String& AText, double& AValue, const TFormatSettings& ASettings)
{
  return ParseFloat(AText, ASettings, AValue, __mingw_strtod);
}

bool TryStrToFloat(const String& AText, double& AValue)
{
  return TryStrToFloat(AText, AValue, FormatSettings());
}

Extended StrToFloat(const String& AText, const TFormatSettings& ASettings)
{
  Extended value = 0;
  if (!TryStrToFloat(AText, value, ASettings))
    throw EConvertError(L"'" + AText + L"' is not a valid floating point value");
  return value;
}

Extended StrToFloat(const String& AText)
{
  return StrToFloat(AText, FormatSettings());
}

Extended StrToFloatDef(const String& AText, Extended ADefault, const TFormatSettings& ASettings)
{
  Extended value = 0;
  return TryStrToFloat(AText, value, ASettings) ? value : ADefault;
}

Extended StrToFloatDef(const String& AText, Extended ADefault)
{
  return StrToFloatDef(AText, ADefault, FormatSettings());
}

}  // namespace rtl
