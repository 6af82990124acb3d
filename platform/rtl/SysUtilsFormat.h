// Format, the format settings and the floating-point conversions:
// - TFormatSettings: one locale's separators, currency, date/time formats and
//   names; FormatSettings() is the process-wide record of the user's locale.
// - Format: the framework's format language (%s %d %u %x %e %f %g %n %m %p,
//   argument indexes, "*", "-", width, precision) over a list of FormatArg.
// - FloatToStr, FloatToStrF, FloatToText, FormatFloat: floating-point to text.
// - CurrToStr: a currency amount to text.
// - StrToFloat, TryStrToFloat, StrToFloatDef: text to floating point.
// Included at the end of SysUtils.h; the errors raised are EConvertError.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "platform/rtl/SystemTypes.h"

namespace rtl {

// A locale's conventions, as GetLocaleInfoW reports them. Separators are
// single characters; #0 means "none" (the culture-neutral records built for
// number conversion leave everything but the decimal separator at zero).
struct TFormatSettings {
  // [0] is January.
  using TMonthNames = std::array<String, 12>;
  // [0] is Sunday, as the framework's day numbers start on Sunday.
  using TDayNames = std::array<String, 7>;

  uint8_t CurrencyFormat = 0;     // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  uint8_t NegCurrFormat = 0;      // 0 "($1)" ... 15 "(1 $)", as LOCALE_INEGCURR
  Char ThousandSeparator = 0;
  Char DecimalSeparator = 0;
  uint8_t CurrencyDecimals = 0;
  Char DateSeparator = 0;
  Char TimeSeparator = 0;
  Char ListSeparator = 0;
  String CurrencyString;
  String ShortDateFormat;
  String LongDateFormat;
  String TimeAMString;
  String TimePMString;
  String ShortTimeFormat;
  String LongTimeFormat;
  TMonthNames ShortMonthNames;
  TMonthNames LongMonthNames;
  TDayNames ShortDayNames;
  TDayNames LongDayNames;
  uint16_t TwoDigitYearCenturyWindow = 0;

  // The settings of a locale; values the locale lacks take the framework's
  // English defaults.
  static TFormatSettings Create(unsigned long ALocale);
  // The settings of the user's default locale.
  static TFormatSettings Create();
  // Culture-neutral settings: "." decimal, "," thousands, English names,
  // independent of the machine's locale.
  static TFormatSettings Invariant();
};

// The process-wide settings the overloads without a settings record use;
// created from the user's locale on first use and writable, as the
// framework's global settings are (re-read when the user changes them).
TFormatSettings& FormatSettings();

// One argument of Format: the framework's "array of const" element. Built
// implicitly from the argument, so callers write Format(L"%s=%d", {Name, 5}).
// It refers to string arguments without copying them; it lives only for the
// call it is written in.
class FormatArg {
 public:
  enum class TKind : uint8_t { Integer, Int64, UInt64, Extended, Char, String, PChar, Pointer };

  FormatArg(int AValue) : FKind(TKind::Integer), FInt(AValue) {}
  FormatArg(long AValue) : FKind(TKind::Integer), FInt(AValue) {}
  // The framework passes unsigned 32-bit values as 64-bit integers.
  FormatArg(unsigned AValue) : FKind(TKind::Int64), FInt(AValue) {}
  FormatArg(unsigned long AValue) : FKind(TKind::Int64), FInt(AValue) {}
  FormatArg(long long AValue) : FKind(TKind::Int64), FInt(AValue) {}
  FormatArg(unsigned long long AValue) : FKind(TKind::UInt64), FUInt(AValue) {}
  FormatArg(double AValue) : FKind(TKind::Extended), FFloat(AValue) {}
  FormatArg(long double AValue) : FKind(TKind::Extended), FFloat(AValue) {}
  // An amount takes the floating-point directives, as the framework's
  // currency arguments do; the 64-bit mantissa holds it exactly.
  FormatArg(Currency AValue) : FKind(TKind::Extended), FFloat(static_cast<Extended>(AValue.Raw()) / 10000) {}
  FormatArg(wchar_t AValue) : FKind(TKind::Char), FChar(AValue) {}
  FormatArg(const wchar_t* AValue)
      : FKind(TKind::PChar), FText(AValue ? std::wstring_view(AValue) : std::wstring_view()), FPointer(AValue) {}
  FormatArg(const String& AValue) : FKind(TKind::String), FText(AValue) {}
  FormatArg(std::wstring_view AValue) : FKind(TKind::String), FText(AValue) {}
  FormatArg(const void* AValue) : FKind(TKind::Pointer), FPointer(AValue) {}
  FormatArg(std::nullptr_t) : FKind(TKind::Pointer) {}
  // No directive takes these; without the deletions they would quietly
  // become numbers or pointers.
  FormatArg(bool) = delete;
  FormatArg(char) = delete;
  FormatArg(const char*) = delete;

  TKind Kind() const { return FKind; }
  bool IsInteger() const { return FKind == TKind::Integer || FKind == TKind::Int64 || FKind == TKind::UInt64; }
  bool IsText() const { return FKind == TKind::Char || FKind == TKind::String || FKind == TKind::PChar; }
  int64_t AsInt64() const { return FInt; }
  uint64_t AsUInt64() const { return FKind == TKind::UInt64 ? FUInt : static_cast<uint64_t>(FInt); }
  Extended AsExtended() const { return FFloat; }
  std::wstring_view AsText() const { return FKind == TKind::Char ? std::wstring_view(&FChar, 1) : FText; }
  const void* AsPointer() const { return FPointer; }

 private:
  TKind FKind;
  int64_t FInt = 0;
  uint64_t FUInt = 0;
  Extended FFloat = 0;
  wchar_t FChar = 0;
  std::wstring_view FText;
  const void* FPointer = nullptr;
};

// The framework's format language:
//   "%" [index ":"] ["-"] [width] ["." precision] type
// type is one of d u x e f g n m p s (either case); "%%" is a percent sign.
// index and width/precision may be "*" to take them from the arguments; after
// an index the following directives continue with the next argument. An
// unknown type or an argument of the wrong kind raises EConvertError "Format
// '...' invalid or incompatible with argument"; too few arguments raise
// EConvertError "No argument for format '...'".
String Format(const String& AFormat, std::initializer_list<FormatArg> AArgs);
String Format(const String& AFormat, std::initializer_list<FormatArg> AArgs, const TFormatSettings& ASettings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Floating point to text; NaN and the infinities give "NAN", "INF", "-INF".
// Precision is the number of significant digits (at most 18); Digits is, by
// format: the least number of exponent digits (ffGeneral, ffExponent) or the
// number of decimals (ffFixed, ffNumber, ffCurrency). Halves round away from
// zero, on the value's 18 significant digits.
String FloatToStrF(Extended AValue, TFloatFormat AFormat, int APrecision, int ADigits);
String FloatToStrF(Extended AValue, TFloatFormat AFormat, int APrecision, int ADigits,
                   const TFormatSettings& ASettings);

// ffGeneral with 15 significant digits: 123.456 -> "123.456", 1E15 -> "1E15",
// 0.00001 -> "1E-5".
String FloatToStr(Extended AValue);
String FloatToStr(Extended AValue, const TFormatSettings& ASettings);

// A currency amount exactly, in the general format: up to four decimals, no
// trailing zeros, never an exponent ("1.5", "-0.0001",
// "922337203685477.5807"). The settings give the decimal separator.
String CurrToStr(Currency AValue);
String CurrToStr(Currency AValue, const TFormatSettings& ASettings);

// A number format: up to three sections "positive;negative;zero" made of
// "0" (digit), "#" (optional digit), "." (decimal point), "," (thousand
// separators), "E+"/"E-" (scientific), quoted "..." or '...' literal text;
// other characters are copied. An empty format gives FloatToStr's text.
String FormatFloat(const String& AFormat, Extended AValue);
String FormatFloat(const String& AFormat, Extended AValue, const TFormatSettings& ASettings);

// Text to floating point: blanks around the number, an optional sign, digits
// with the settings' decimal separator, an optional exponent ("E", "e") and
// "NAN", "INF", "-INF". No thousand separators. StrToFloat raises
// EConvertError "'...' is not a valid floating point value".
Extended StrToFloat(const String& AText);
Extended StrToFloat(const String& AText, const TFormatSettings& ASettings);
Extended StrToFloatDef(const String& AText, Extended ADefault);
Extended StrToFloatDef(const String& AText, Extended ADefault, const TFormatSettings& ASettings);
bool TryStrToFloat(const String& AText, Extended& AValue);
bool TryStrToFloat(const String& AText, Extended& AValue, const TFormatSettings& ASettings);
// False also when the number is outside the range of a double.
bool TryStrToFloat(const String& AText, double& AValue);
bool TryStrToFloat(const String& AText, double& AValue, const TFormatSettings& ASettings);

}  // namespace rtl
