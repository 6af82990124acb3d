#include "graphics/dxXMLDoc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/rtl/Classes.h"
#include "platform/rtl/ClassesStreams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtilsFormat.h"
#include "platform/rtl/Variants.h"

namespace {

constexpr unsigned UTF8CodePage = 65001;

rtl::String FromUTF8(std::string_view S)
{
  return S.empty() ? rtl::String() : dxDecodeCodePageString(S, UTF8CodePage);
}

TdxXMLString ToUTF8(const rtl::String& S)
{
  return S.empty() ? TdxXMLString() : dxEncodeCodePageString(S, UTF8CodePage).Bytes();
}

char LowerASCII(char C)
{
  return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

// Names compare without ASCII case; other bytes exactly.
bool SameName(std::string_view A, std::string_view B)
{
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return LowerASCII(X) == LowerASCII(Y);
         });
}

bool IsXMLSpace(char C)
{
  return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

int HexValue(char C)
{
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'a' && C <= 'f')
    return C - 'a' + 10;
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

// The code point as UTF-8; false for surrogates, 0 and values beyond
// Unicode, which name no character.
bool AppendUTF8(TdxXMLString& AText, std::uint32_t ACodePoint)
{
  if (ACodePoint == 0 || ACodePoint > 0x10FFFF || (ACodePoint >= 0xD800 && ACodePoint <= 0xDFFF))
    return false;
  if (ACodePoint < 0x80) {
    AText += static_cast<char>(ACodePoint);
  } else if (ACodePoint < 0x800) {
    AText += static_cast<char>(0xC0 | (ACodePoint >> 6));
    AText += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  } else if (ACodePoint < 0x10000) {
    AText += static_cast<char>(0xE0 | (ACodePoint >> 12));
    AText += static_cast<char>(0x80 | ((ACodePoint >> 6) & 0x3F));
    AText += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  } else {
    AText += static_cast<char>(0xF0 | (ACodePoint >> 18));
    AText += static_cast<char>(0x80 | ((ACodePoint >> 12) & 0x3F));
    AText += static_cast<char>(0x80 | ((ACodePoint >> 6) & 0x3F));
    AText += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  }
  return true;
}

// "_xHHHH_" at the start of S: its value, or -1.
int EscapeValue(std::string_view S)
{
  if (S.size() < 7 || S[0] != '_' || S[1] != 'x' || S[6] != '_')
    return -1;
  int result = 0;
  for (int i = 2; i < 6; ++i) {
    const int digit = HexValue(S[i]);
    if (digit < 0)
      return -1;
    result = result * 16 + digit;
  }
  return result;
}

struct TdxXMLServiceCharMapItem {
  char Char;
  std::string_view Replacement;
};

// Both directions use this order.
constexpr TdxXMLServiceCharMapItem ServiceCharMap[] = {
    {'\t', "&#9;"}, {'\n', "&#10;"}, {'\r', "&#13;"}, {'"', "&quot;"},
    {'\'', "&apos;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"},
};

// "&#n;" or "&#xn;" at the start of S: the code point and the reference's
// length; false when S holds no such reference.
bool ReadNumericReference(std::string_view S, std::uint32_t& ACodePoint, std::size_t& ALength)
{
  if (S.size() < 4 || S[0] != '&' || S[1] != '#')
    return false;
  const bool hex = S[2] == 'x' || S[2] == 'X';
  std::size_t i = hex ? 3 : 2;
  const std::size_t firstDigit = i;
  std::uint32_t value = 0;
  for (; i < S.size() && S[i] != ';'; ++i) {
    const int digit = hex ? HexValue(S[i]) : (S[i] >= '0' && S[i] <= '9' ? S[i] - '0' : -1);
    if (digit < 0)
      return false;
    value = value * (hex ? 16 : 10) + digit;
    // Beyond Unicode either way; stop before the value wraps around.
    if (value > 0x10FFFF)
      value = 0x110000;
  }
  if (i == firstDigit || i >= S.size())
    return false;
  ACodePoint = value;
  ALength = i + 1;
  return true;
}

// ---------------------------------------------------------------------------
// Dates: days since 1899-12-30, the fraction the time of day.

constexpr std::int64_t MSecsPerDay = 86400000;

bool IsLeapYear(int AYear)
{
  return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
}

int DaysInMonth(int AYear, int AMonth)
{
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return AMonth == 2 && IsLeapYear(AYear) ? 29 : days[AMonth - 1];
}

// Days from 1899-12-30 to the date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int AYear, int AMonth, int ADay)
{
  const int y = AYear - (AMonth <= 2 ? 1 : 0);
  const int era = y / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (AMonth + (AMonth > 2 ? -3 : 9)) + 2) / 5 + ADay - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  // 693899: the days from 0000-03-01, where the eras count from, to the
  // epoch.
  return static_cast<std::int64_t>(era) * 146097 + doe - 693899;
}

void CivilFromDays(std::int64_t ADays, int& AYear, int& AMonth, int& ADay)
{
  const std::int64_t z = ADays + 693899;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = static_cast<int>(z - era * 146097);
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  ADay = doy - (153 * mp + 2) / 5 + 1;
  AMonth = mp < 10 ? mp + 3 : mp - 9;
  AYear = static_cast<int>(yoe + era * 400) + (AMonth <= 2 ? 1 : 0);
}

std::int64_t EncodeDateDays(int AYear, int AMonth, int ADay)
{
  if (AYear < 1 || AYear > 9999 || AMonth < 1 || AMonth > 12 || ADay < 1 || ADay > DaysInMonth(AYear, AMonth))
    throw rtl::EConvertError(L"Invalid argument to date encode");
  return DaysFromCivil(AYear, AMonth, ADay);
}

std::int64_t EncodeTimeMSecs(int AHour, int AMinute, int ASecond, int AMillisecond)
{
  if (AHour >= 24 || AMinute >= 60 || ASecond >= 60 || AMillisecond >= 1000)
    throw rtl::EConvertError(L"Invalid argument to time encode");
  return ((AHour * 60 + AMinute) * 60 + ASecond) * 1000LL + AMillisecond;
}

// The text reader of TdxXMLDateTime.Parse.
class TdxXMLDateTimeReader {
 public:
  explicit TdxXMLDateTimeReader(const rtl::String& S) : FText(S) {}

  // The digits from the current position; the character that ended them
  // becomes the delimiter and is passed.
  rtl::String ReadDigits()
  {
    const std::size_t start = FPos;
    while (FPos < FText.size() && FText[FPos] >= L'0' && FText[FPos] <= L'9')
      ++FPos;
    rtl::String result = FText.substr(start, FPos - start);
    FDelimiter = FPos < FText.size() ? FText[FPos++] : L'\0';
    return result;
  }
  // Saturates above 65535 so that no value wraps into a valid one.
  std::uint16_t ReadNumber()
  {
    const std::int64_t value = rtl::StrToInt64Def(ReadDigits(), 0);
    return static_cast<std::uint16_t>(std::min<std::int64_t>(value < 0 ? 65535 : value, 65535));
  }
  std::uint16_t ReadNumber(rtl::Char AExpected)
  {
    const std::uint16_t result = ReadNumber();
    if (FDelimiter != AExpected)
      RaiseUnexpected();
    return result;
  }
  rtl::Char Delimiter() const { return FDelimiter; }
  [[noreturn]] void RaiseUnexpected() const
  {
    throw EdxXMLUnexpectedToken(FDelimiter == L'\0' ? rtl::String(L"#0") : rtl::String(1, FDelimiter), FText);
  }

 private:
  const rtl::String& FText;
  std::size_t FPos = 0;
  rtl::Char FDelimiter = L'\0';
};

}  // namespace

// ===========================================================================
// Exceptions

EdxXMLUnexpectedToken::EdxXMLUnexpectedToken(const rtl::String& AToken, const rtl::String& AStringForParsing)
    : EdxException(rtl::Format(L"Unexpected token was founded (\"%s\" in \"%s\")", {AToken, AStringForParsing}))
{
}

EdxXMLParserError::EdxXMLParserError(const rtl::String& AWhat, int ALine, int AColumn)
    : EdxException(rtl::Format(L"Damaged XML at line %d, column %d: %s", {ALine, AColumn, AWhat})),
      FLine(ALine),
      FColumn(AColumn)
{
}

// ===========================================================================
// TdxXMLDateTime

void TdxXMLDateTime::Assign(rtl::TDateTime ASource, bool AIsUTC)
{
  double days = 0;
  const double fraction = std::modf(ASource, &days);
  const std::int64_t msecs = std::min<std::int64_t>(std::llround(std::fabs(fraction) * MSecsPerDay), MSecsPerDay - 1);
  int year = 0, month = 0, day = 0;
  CivilFromDays(static_cast<std::int64_t>(days), year, month, day);
  Year = static_cast<std::uint16_t>(year);
  Month = static_cast<std::uint16_t>(month);
  Day = static_cast<std::uint16_t>(day);
  Hour = static_cast<std::uint16_t>(msecs / 3600000);
  Minute = static_cast<std::uint16_t>(msecs / 60000 % 60);
  Second = static_cast<std::uint16_t>(msecs / 1000 % 60);
  Millisecond = static_cast<std::uint16_t>(msecs % 1000);
  IsUTC = AIsUTC;
}

void TdxXMLDateTime::Clear()
{
  *this = TdxXMLDateTime();
}

void TdxXMLDateTime::Parse(const rtl::String& S)
{
  Clear();
  TdxXMLDateTimeReader reader(S);
  Year = reader.ReadNumber(L'-');
  Month = reader.ReadNumber(L'-');
  Day = reader.ReadNumber();
  if (reader.Delimiter() == L'T') {
    Hour = reader.ReadNumber(L':');
    Minute = reader.ReadNumber(L':');
    Second = reader.ReadNumber();
    if (reader.Delimiter() == L'.') {
      const rtl::String digits = reader.ReadDigits();
      // The fraction of a second, rounded to milliseconds; a fraction that
      // rounds up to a whole second stays in this one.
      const rtl::Extended fraction =
          digits.empty() ? 0 : std::stold(L"0." + digits.substr(0, 18));
      Millisecond = static_cast<std::uint16_t>(std::min<std::int64_t>(rtl::Round(fraction * 1000), 999));
    }
  }
  if (reader.Delimiter() == L'+' || reader.Delimiter() == L'-') {
    const int sign = reader.Delimiter() == L'-' ? -1 : 1;
    const int hh = reader.ReadNumber();
    const int mm = reader.Delimiter() == L':' ? reader.ReadNumber() : 0;
    // In whole milliseconds, so the fields come back exactly.
    const std::int64_t local = EncodeDateDays(Year, Month, Day) * MSecsPerDay +
                               EncodeTimeMSecs(Hour, Minute, Second, Millisecond);
    const std::int64_t utc = local - sign * EncodeTimeMSecs(hh, mm, 0, 0);
    const std::int64_t days = utc >= 0 ? utc / MSecsPerDay : -((-utc + MSecsPerDay - 1) / MSecsPerDay);
    const std::int64_t msecs = utc - days * MSecsPerDay;
    int year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    Year = static_cast<std::uint16_t>(year);
    Month = static_cast<std::uint16_t>(month);
    Day = static_cast<std::uint16_t>(day);
    Hour = static_cast<std::uint16_t>(msecs / 3600000);
    Minute = static_cast<std::uint16_t>(msecs / 60000 % 60);
    Second = static_cast<std::uint16_t>(msecs / 1000 % 60);
    Millisecond = static_cast<std::uint16_t>(msecs % 1000);
    IsUTC = true;
  }
  if (reader.Delimiter() == L'Z') {
    IsUTC = true;
    reader.ReadDigits();
  }
  if (reader.Delimiter() != L'\0')
    reader.RaiseUnexpected();
}

rtl::TDateTime TdxXMLDateTime::ToDateTime() const
{
  const std::int64_t days = EncodeDateDays(Year, Month, Day);
  const std::int64_t msecs = EncodeTimeMSecs(Hour, Minute, Second, Millisecond);
  const double time = static_cast<double>(msecs) / MSecsPerDay;
  // Before the epoch the fraction still counts forward from midnight.
  return days >= 0 ? days + time : days - time;
}

rtl::String TdxXMLDateTime::ToString() const
{
  ToDateTime();  // Refuses fields that make no date, as formatting the value would.
  wchar_t buffer[32];
  std::swprintf(buffer, std::size(buffer), L"%04u-%02u-%02uT%02u:%02u:%02u.%03u", unsigned(Year), unsigned(Month),
                unsigned(Day), unsigned(Hour), unsigned(Minute), unsigned(Second), unsigned(Millisecond));
  rtl::String result = buffer;
  if (IsUTC)
    result += L'Z';
  return result;
}

// ===========================================================================
// TdxXMLHelper

bool TdxXMLHelper::DecodeBoolean(const rtl::String& S)
{
  int value = 0;
  if (rtl::TryStrToInt(S, value))
    return value != 0;
  return rtl::SameText(S, L"true");
}

rtl::String TdxXMLHelper::EncodeBoolean(bool AValue)
{
  static constexpr const wchar_t* names[] = {L"false", L"true"};
  return names[AValue ? 1 : 0];
}

TdxXMLString TdxXMLHelper::DecodeString(std::string_view S)
{
  TdxXMLString result;
  result.reserve(S.size());
  std::size_t i = 0;
  while (i < S.size()) {
    const std::string_view rest = S.substr(i);
    if (rest[0] == '_') {
      const int value = EscapeValue(rest);
      if (value >= 0 && value <= 255 && AppendUTF8(result, static_cast<std::uint32_t>(value))) {
        i += 7;
        continue;
      }
    } else if (rest[0] == '&') {
      const auto* item = std::find_if(std::begin(ServiceCharMap), std::end(ServiceCharMap),
                                      [&](const auto& AItem) { return rest.starts_with(AItem.Replacement); });
      if (item != std::end(ServiceCharMap)) {
        result += item->Char;
        i += item->Replacement.size();
        continue;
      }
      std::uint32_t codePoint = 0;
      std::size_t length = 0;
      if (ReadNumericReference(rest, codePoint, length) && AppendUTF8(result, codePoint)) {
        i += length;
        continue;
      }
    }
    result += rest[0];
    ++i;
  }
  return result;
}

TdxXMLString TdxXMLHelper::EncodeString(std::string_view S, bool ARemoveBreakLines)
{
  TdxXMLString result;
  result.reserve(S.size() * 3 / 2);
  for (std::size_t i = 0; i < S.size(); ++i) {
    char c = S[i];
    if (ARemoveBreakLines && (c == '\r' || c == '\n'))
      c = ' ';
    const auto* item = std::find_if(std::begin(ServiceCharMap), std::end(ServiceCharMap),
                                    [&](const auto& AItem) { return AItem.Char == c; });
    if (item != std::end(ServiceCharMap)) {
      result += item->Replacement;
    } else if (static_cast<unsigned char>(c) < 32) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "_x%04X_", unsigned(static_cast<unsigned char>(c)));
      result += escape;
    } else if (c == '_' && EscapeValue(S.substr(i)) >= 0) {
      // An underscore that a reader would take for an escape.
      result += "_x005F_";
    } else {
      result += c;
    }
  }
  return result;
}

TdxXMLString TdxXMLHelper::EncodeString(const rtl::String& S, bool ARemoveBreakLines)
{
  return EncodeString(ToUTF8(S), ARemoveBreakLines);
}

bool TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view S)
{
  if (S.empty())
    return false;
  if (IsXMLSpace(S.front()) || IsXMLSpace(S.back()))
    return true;
  return S.find_first_of("\r\n") != std::string_view::npos;
}

bool TdxXMLHelper::IsPreserveSpacesNeeded(const rtl::String& S)
{
  return IsPreserveSpacesNeeded(ToUTF8(S));
}

TdxXMLString TdxXMLHelper::ExtractNameScope(std::string_view AName)
{
  const std::size_t colon = AName.rfind(':');
  return colon == std::string_view::npos ? TdxXMLString() : TdxXMLString(AName.substr(0, colon + 1));
}

TdxXMLString TdxXMLHelper::ExtractNameWithoutNameScope(std::string_view AName)
{
  const std::size_t colon = AName.rfind(':');
  return TdxXMLString(colon == std::string_view::npos ? AName : AName.substr(colon + 1));
}

// ===========================================================================
// TdxXMLStringBuilder

void TdxXMLStringBuilder::Create(int ACapacity)
{
  inherited::Create();
  SetCapacity(std::max(ACapacity, 0));
}

void TdxXMLStringBuilder::Append(char AChar)
{
  SetLength(FLength + 1);
  FData[FLength - 1] = AChar;
}

void TdxXMLStringBuilder::Append(std::string_view AText)
{
  const int start = FLength;
  SetLength(FLength + static_cast<int>(AText.size()));
  std::memcpy(FData.data() + start, AText.data(), AText.size());
}

TdxXMLString TdxXMLStringBuilder::AsString() const
{
  return TdxXMLString(FData.data(), static_cast<std::size_t>(FLength));
}

void TdxXMLStringBuilder::SetCapacity(int AValue)
{
  if (AValue < FLength)
    throw EdxException(rtl::String());
  FData.resize(static_cast<std::size_t>(AValue));
}

void TdxXMLStringBuilder::SetLength(int AValue)
{
  const int length = std::max(AValue, 0);
  if (length > GetCapacity())
    Grow(length);
  FLength = length;
}

void TdxXMLStringBuilder::Grow(int ALength)
{
  // A failed growth raises: were it swallowed, the append that asked for
  // it would write past the buffer.
  const std::int64_t capacity = std::max<std::int64_t>(2LL * GetCapacity(), 2LL * ALength);
  try {
    FData.resize(static_cast<std::size_t>(std::min<std::int64_t>(capacity, 0x7FFFFFFF)));
  } catch (const std::bad_alloc&) {
    throw rtl::EOutOfMemory(L"Out of memory");
  } catch (const std::length_error&) {
    throw rtl::EOutOfMemory(L"Out of memory");
  }
}

// ===========================================================================
// TdxXMLSharedStrings

void TdxXMLSharedStrings::Create()
{
  inherited::Create();
  FTable.resize(FTableSize);
}

void TdxXMLSharedStrings::Destroy()
{
  Clear();
  inherited::Destroy();
}

const TdxXMLString& TdxXMLSharedStrings::Add(const TdxXMLToken& AToken)
{
  return Add(AToken.View());
}

const TdxXMLString& TdxXMLSharedStrings::Add(std::string_view AValue)
{
  const std::uint32_t hash = dxHashShiftXor(AValue.data(), static_cast<int>(AValue.size()));
  std::unique_ptr<TValue>* link = &FTable[hash % FTableSize];
  for (; *link; link = &(*link)->Next)
    if ((*link)->Hash == hash && (*link)->Value == AValue)
      return (*link)->Value;
  *link = std::make_unique<TValue>(TValue{hash, nullptr, TdxXMLString(AValue)});
  return (*link)->Value;
}

void TdxXMLSharedStrings::Clear()
{
  // Chain by chain and iteratively: a long chain must not recurse through
  // the destructors of its links.
  for (std::unique_ptr<TValue>& head : FTable)
    while (head)
      head = std::move(head->Next);
}

// ===========================================================================
// TdxXMLNodeAttribute

rtl::String TdxXMLNodeAttribute::GetValueAsString() const
{
  return FromUTF8(FValue);
}

void TdxXMLNodeAttribute::SetValueAsString(const rtl::String& AValue)
{
  FValue = ToUTF8(AValue);
}

bool TdxXMLNodeAttribute::GetValueAsBoolean() const
{
  return TdxXMLHelper::DecodeBoolean(GetValueAsString());
}

void TdxXMLNodeAttribute::SetValueAsBoolean(bool AValue)
{
  SetValueAsInteger(AValue ? 1 : 0);
}

int TdxXMLNodeAttribute::GetValueAsInteger() const
{
  const rtl::String value = GetValueAsString();
  int result = 0;
  if (rtl::TryStrToInt(value, result))
    return result;
  if (rtl::SameText(value, L"true"))
    return 1;
  if (rtl::SameText(value, L"false"))
    return 0;
  return rtl::StrToInt(value);  // raises the platform's conversion error
}

void TdxXMLNodeAttribute::SetValueAsInteger(int AValue)
{
  SetValueAsInt64(AValue);
}

std::int64_t TdxXMLNodeAttribute::GetValueAsInt64() const
{
  const rtl::String value = GetValueAsString();
  std::int64_t result = 0;
  if (rtl::TryStrToInt64(value, result))
    return result;
  if (rtl::SameText(value, L"true"))
    return 1;
  if (rtl::SameText(value, L"false"))
    return 0;
  return rtl::StrToInt64(value);  // raises the platform's conversion error
}

void TdxXMLNodeAttribute::SetValueAsInt64(std::int64_t AValue)
{
  FValue = std::to_string(AValue);
}

double TdxXMLNodeAttribute::GetValueAsFloat() const
{
  return static_cast<double>(dxStrToFloatWithSeparator(GetValueAsString(), L'.'));
}

void TdxXMLNodeAttribute::SetValueAsFloat(double AValue)
{
  SetValueAsString(dxFloatToStrWithSeparator(AValue, L'.'));
}

rtl::TDateTime TdxXMLNodeAttribute::GetValueAsDateTime() const
{
  TdxXMLDateTime value;
  value.Parse(GetValueAsString());
  return value.ToDateTime();
}

void TdxXMLNodeAttribute::SetValueAsDateTime(rtl::TDateTime AValue)
{
  TdxXMLDateTime value;
  value.Assign(AValue, false);
  SetValueAsString(value.ToString());
}

// ===========================================================================
// TdxXMLNodeAttributes

void TdxXMLNodeAttributes::Create(TdxXMLNode* ANode)
{
  inherited::Create();
  FNode = ANode;
}

TcxDoublyLinkedObjectClass TdxXMLNodeAttributes::GetLinkedObjectClass() const
{
  return TcxDoublyLinkedObjectClass::Of<TdxXMLNodeAttribute>();
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName)
{
  auto* result = static_cast<TdxXMLNodeAttribute*>(inherited::Add());
  result->SetName(AttrName);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, bool AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValueAsBoolean(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, int AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValueAsInteger(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, double AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValueAsFloat(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, std::int64_t AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValueAsInt64(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, const rtl::String& AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValueAsString(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, const TdxXMLString& AValue)
{
  TdxXMLNodeAttribute* result = Add(AttrName);
  result->SetValue(AValue);
  return result;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, const char* AValue)
{
  return Add(AttrName, TdxXMLString(AValue));
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::Add(const TdxXMLString& AttrName, const wchar_t* AValue)
{
  return Add(AttrName, rtl::String(AValue));
}

void TdxXMLNodeAttributes::Assign(const TdxXMLNodeAttributes* ASource)
{
  Clear();
  for (TdxXMLNodeAttribute* source = ASource->First(); source != nullptr; source = source->Next())
    Add(source->GetName(), source->GetValue());
}

void TdxXMLNodeAttributes::Delete(const TdxXMLString& AAttrName)
{
  TdxXMLNodeAttribute* attr = nullptr;
  if (Find(AAttrName, attr))
    inherited::Delete(attr);
}

bool TdxXMLNodeAttributes::Exists(const TdxXMLString& AAttrName) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr);
}

bool TdxXMLNodeAttributes::Find(std::string_view AAttrName, TdxXMLNodeAttribute*& AAttr) const
{
  for (AAttr = First(); AAttr != nullptr; AAttr = AAttr->Next())
    if (SameName(AAttr->GetName(), AAttrName))
      return true;
  return false;
}

TdxXMLString TdxXMLNodeAttributes::GetValue(const TdxXMLString& AAttrName, const TdxXMLString& ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr->GetValue() : ADefaultValue;
}

bool TdxXMLNodeAttributes::GetValueAsBoolean(const TdxXMLString& AAttrName, bool ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr->GetValueAsBoolean() : ADefaultValue;
}

TdxDefaultBoolean TdxXMLNodeAttributes::GetValueAsDefaultBoolean(const TdxXMLString& AAttrName) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  if (!Find(AAttrName, attr))
    return TdxDefaultBoolean::bDefault;
  return attr->GetValueAsBoolean() ? TdxDefaultBoolean::bTrue : TdxDefaultBoolean::bFalse;
}

int TdxXMLNodeAttributes::GetValueAsInteger(const TdxXMLString& AAttrName, int ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  if (!Find(AAttrName, attr))
    return ADefaultValue;
  try {
    return attr->GetValueAsInteger();
  } catch (const rtl::EConvertError&) {
    return ADefaultValue;
  }
}

std::int64_t TdxXMLNodeAttributes::GetValueAsInt64(const TdxXMLString& AAttrName, std::int64_t ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  if (!Find(AAttrName, attr))
    return ADefaultValue;
  try {
    return attr->GetValueAsInt64();
  } catch (const rtl::EConvertError&) {
    return ADefaultValue;
  }
}

double TdxXMLNodeAttributes::GetValueAsFloat(const TdxXMLString& AAttrName, double ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr->GetValueAsFloat() : ADefaultValue;
}

rtl::TDateTime TdxXMLNodeAttributes::GetValueAsDateTime(const TdxXMLString& AAttrName,
                                                        rtl::TDateTime ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr->GetValueAsDateTime() : ADefaultValue;
}

bool TdxXMLNodeAttributes::GetValueAsDateTime(const TdxXMLString& AAttrName, TdxXMLDateTime& ADateTime) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  if (!Find(AAttrName, attr))
    return false;
  ADateTime.Parse(attr->GetValueAsString());
  return true;
}

rtl::String TdxXMLNodeAttributes::GetValueAsString(const TdxXMLString& AAttrName,
                                                   const rtl::String& ADefaultValue) const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr->GetValueAsString() : ADefaultValue;
}

TdxXMLNodeAttribute* TdxXMLNodeAttributes::FindOrAdd(const TdxXMLString& AAttrName)
{
  TdxXMLNodeAttribute* attr = nullptr;
  return Find(AAttrName, attr) ? attr : Add(AAttrName);
}

void TdxXMLNodeAttributes::SetValue(const TdxXMLString& AAttrName, const TdxXMLString& AValue)
{
  FindOrAdd(AAttrName)->SetValue(AValue);
}

void TdxXMLNodeAttributes::SetValueAsBoolean(const TdxXMLString& AAttrName, bool AValue)
{
  FindOrAdd(AAttrName)->SetValueAsBoolean(AValue);
}

void TdxXMLNodeAttributes::SetValueAsDefaultBoolean(const TdxXMLString& AAttrName, TdxDefaultBoolean AValue)
{
  if (AValue == TdxDefaultBoolean::bDefault)
    Delete(AAttrName);
  else
    SetValueAsBoolean(AAttrName, AValue == TdxDefaultBoolean::bTrue);
}

void TdxXMLNodeAttributes::SetValueAsInteger(const TdxXMLString& AAttrName, int AValue)
{
  FindOrAdd(AAttrName)->SetValueAsInteger(AValue);
}

void TdxXMLNodeAttributes::SetValueAsInt64(const TdxXMLString& AAttrName, std::int64_t AValue)
{
  FindOrAdd(AAttrName)->SetValueAsInt64(AValue);
}

void TdxXMLNodeAttributes::SetValueAsFloat(const TdxXMLString& AAttrName, double AValue)
{
  FindOrAdd(AAttrName)->SetValueAsFloat(AValue);
}

void TdxXMLNodeAttributes::SetValueAsString(const TdxXMLString& AAttrName, const rtl::String& AValue)
{
  FindOrAdd(AAttrName)->SetValueAsString(AValue);
}

void TdxXMLNodeAttributes::SetValueAsDateTime(const TdxXMLString& AAttrName, rtl::TDateTime AValue)
{
  FindOrAdd(AAttrName)->SetValueAsDateTime(AValue);
}

void TdxXMLNodeAttributes::SetValueAsDateTime(const TdxXMLString& AAttrName, const TdxXMLDateTime& AValue)
{
  FindOrAdd(AAttrName)->SetValueAsString(AValue.ToString());
}

// ===========================================================================
// TdxXMLNodes

TcxDoublyLinkedObjectClass TdxXMLNodes::GetLinkedObjectClass() const
{
  return TcxDoublyLinkedObjectClass::Of<TdxXMLNode>();
}

// ===========================================================================
// TdxXMLNode

void TdxXMLNode::Create()
{
  inherited::Create();
  FAttributes = CreateAttributes();
}

void TdxXMLNode::Destroy()
{
  // A parent that is clearing its children has let go of its list already.
  if (FParent != nullptr && FParent->FChildren != nullptr)
    FParent->FChildren->Extract(this);
  rtl::FreeAndNil(FChildren);
  rtl::FreeAndNil(FAttributes);
  inherited::Destroy();
}

TdxXMLNodeAttributes* TdxXMLNode::CreateAttributes()
{
  return rtl::New<TdxXMLNodeAttributes>(this);
}

bool TdxXMLNode::GetIsEmpty() const
{
  return FAttributes->First() == nullptr && !HasChildren() && FText.empty();
}

TdxXMLNodeClass TdxXMLNode::GetChildNodeClass() const
{
  return TdxXMLNodeClass::Of<TdxXMLNode>();
}

void TdxXMLNode::ChildrenNeeded()
{
  if (FChildren == nullptr)
    FChildren = rtl::New<TdxXMLNodes>();
}

TdxXMLNode* TdxXMLNode::AddChild(const TdxXMLString& ATagName)
{
  ChildrenNeeded();
  TdxXMLNode* result = GetChildNodeClass().Create();
  FChildren->AddLinkedObject(result);
  result->FParent = this;
  result->FName = ATagName;
  return result;
}

void TdxXMLNode::Assign(const TdxXMLNode* ASource)
{
  Clear();
  FName = ASource->FName;
  FAttributes->Assign(ASource->FAttributes);
  for (TdxXMLNode* child = ASource->First(); child != nullptr; child = child->Next())
    AddChild(TdxXMLString())->Assign(child);
}

void TdxXMLNode::Clear()
{
  FAttributes->Clear();
  rtl::FreeAndNil(FChildren);
}

bool TdxXMLNode::FindChild(std::string_view AName, TdxXMLNode*& ANode) const
{
  for (ANode = First(); ANode != nullptr; ANode = ANode->Next())
    if (SameName(ANode->FName, AName))
      return true;
  return false;
}

TdxXMLNode* TdxXMLNode::FindChild(std::string_view AName) const
{
  TdxXMLNode* result = nullptr;
  return FindChild(AName, result) ? result : nullptr;
}

bool TdxXMLNode::FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode, bool ACanCreate)
{
  ANode = this;
  if (ANames.empty())
    return false;
  for (const TdxXMLString& name : ANames) {
    TdxXMLNode* child = nullptr;
    if (!ANode->FindChild(name, child)) {
      if (!ACanCreate)
        return false;
      child = ANode->AddChild(name);
    }
    ANode = child;
  }
  return true;
}

void TdxXMLNode::ForEach(const TdxXMLNodeForEachProc& AProc, void* AUserData)
{
  for (TdxXMLNode* child = First(); child != nullptr; child = child->Next())
    AProc(child, AUserData);
}

rtl::String TdxXMLNode::GetChildValue(std::string_view AName) const
{
  TdxXMLNode* child = nullptr;
  return FindChild(AName, child) ? child->GetTextAsString() : rtl::String();
}

bool TdxXMLNode::HasAttribute(const TdxXMLString& AAttrName) const
{
  return FAttributes->Exists(AAttrName);
}

void TdxXMLNode::SetAttribute(const TdxXMLString& AttrName, const rtl::Variant& AValue)
{
  FAttributes->SetValueAsString(AttrName, dxVariantAsUnicodeString(AValue));
}

TdxXMLNode* TdxXMLNode::GetItem(int AIndex) const
{
  TdxXMLNode* child = AIndex >= 0 ? First() : nullptr;
  for (int i = 0; child != nullptr && i < AIndex; ++i)
    child = child->Next();
  if (child == nullptr)
    throw rtl::EListError(rtl::Format(L"List index out of bounds (%d)", {AIndex}));
  return child;
}

int TdxXMLNode::GetCount() const
{
  return FChildren != nullptr ? FChildren->GetCount() : 0;
}

TdxXMLNode* TdxXMLNode::First() const
{
  return FChildren != nullptr ? static_cast<TdxXMLNode*>(FChildren->GetFirst()) : nullptr;
}

int TdxXMLNode::Index() const
{
  if (FParent == nullptr)
    return -1;
  int result = 0;
  for (TdxXMLNode* node = Prev(); node != nullptr; node = node->Prev())
    ++result;
  return result;
}

int TdxXMLNode::Level() const
{
  int result = -1;
  for (TdxXMLNode* node = FParent; node != nullptr; node = node->FParent)
    ++result;
  return result;
}

rtl::String TdxXMLNode::NameAsString() const
{
  return FromUTF8(FName);
}

TdxXMLString TdxXMLNode::NameScope() const
{
  return TdxXMLHelper::ExtractNameScope(FName);
}

TdxXMLString TdxXMLNode::NameWithoutNameScope() const
{
  return TdxXMLHelper::ExtractNameWithoutNameScope(FName);
}

rtl::String TdxXMLNode::GetTextAsString() const
{
  return FromUTF8(FText);
}

void TdxXMLNode::SetTextAsString(const rtl::String& AValue)
{
  FText = ToUTF8(AValue);
}

bool TdxXMLNode::GetTextAsBoolean() const
{
  return TdxXMLHelper::DecodeBoolean(GetTextAsString());
}

void TdxXMLNode::SetTextAsBoolean(bool AValue)
{
  SetTextAsString(TdxXMLHelper::EncodeBoolean(AValue));
}

rtl::TDateTime TdxXMLNode::GetTextAsDateTime() const
{
  TdxXMLDateTime value;
  value.Parse(GetTextAsString());
  return value.ToDateTime();
}

void TdxXMLNode::SetTextAsDateTime(rtl::TDateTime AValue)
{
  TdxXMLDateTime value;
  value.Assign(AValue, false);
  SetTextAsString(value.ToString());
}

bool TdxXMLNode::HasPreserveSpace() const
{
  TdxXMLNodeAttribute* attr = nullptr;
  return FAttributes->Find("xml:space", attr) && SameName(attr->GetValue(), "preserve");
}

// ===========================================================================
// TdxXMLDocument

void TdxXMLDocument::Create(rtl::TPersistent* AOwner)
{
  inherited::Create(AOwner);
  FRoot = CreateRootNode();
  FVersion = "1.0";
  FEncoding = "UTF-8";
}

void TdxXMLDocument::CreateEx(const rtl::String& AFileName)
{
  Create(nullptr);
  LoadFromFile(AFileName);
}

void TdxXMLDocument::Destroy()
{
  rtl::FreeAndNil(FRoot);
  inherited::Destroy();
}

TdxXMLNode* TdxXMLDocument::CreateRootNode()
{
  return rtl::New<TdxXMLNode>();
}

TdxXMLParser* TdxXMLDocument::CreateParser()
{
  return rtl::New<TdxXMLParser>(this, true);
}

void TdxXMLDocument::LoadFromFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmOpenRead | rtl::fmShareDenyNone));
  LoadFromStream(stream.get());
}

void TdxXMLDocument::LoadFromStream(rtl::TStream* AStream)
{
  const std::int64_t count = AStream->GetSize() - AStream->GetPosition();
  if (count > 0x7FFFFFFF)
    throw EdxXMLParserError(L"the document is larger than 2 GB", 1, 1);
  std::vector<char> buffer(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
  if (!buffer.empty())
    AStream->ReadBuffer(buffer.data(), static_cast<int>(buffer.size()));
  Parse(buffer.data(), static_cast<int>(buffer.size()));
}

void TdxXMLDocument::LoadFromString(std::string_view AString)
{
  Parse(AString.data(), static_cast<int>(AString.size()));
}

void TdxXMLDocument::Parse(const char* AData, int ACount)
{
  BeginUpdate();
  rtl::Finally endUpdate([this] { EndUpdate(); });
  FRoot->Clear();
  if (ACount <= 0)
    return;
  rtl::TOwnedPtr<TdxXMLParser> parser(CreateParser());
  try {
    parser->Parse(AData, ACount);
  } catch (...) {
    // Half a tree would pass for the whole document.
    FRoot->Clear();
    throw;
  }
}

TdxXMLNode* TdxXMLDocument::AddChild(const TdxXMLString& ATagName)
{
  return FRoot->AddChild(ATagName);
}

bool TdxXMLDocument::FindChild(std::string_view AName, TdxXMLNode*& ANode) const
{
  return FRoot->FindChild(AName, ANode);
}

bool TdxXMLDocument::FindChild(const std::vector<TdxXMLString>& ANames, TdxXMLNode*& ANode)
{
  return FRoot->FindChild(ANames, ANode, false);
}

TdxXMLNode* TdxXMLDocument::FindChild(const std::vector<TdxXMLString>& ANames)
{
  TdxXMLNode* result = nullptr;
  return FindChild(ANames, result) ? result : nullptr;
}

void TdxXMLDocument::ForEach(const std::vector<TdxXMLString>& ANames, const TdxXMLNodeForEachProc& AProc,
                             void* AUserData)
{
  TdxXMLNode* node = nullptr;
  if (FindChild(ANames, node))
    node->ForEach(AProc, AUserData);
}

void TdxXMLDocument::SaveToFile(const rtl::String& AFileName)
{
  rtl::TOwnedPtr<rtl::TFileStream> stream(rtl::New<rtl::TFileStream>(AFileName, rtl::fmCreate));
  SaveToStream(stream.get());
}

// ===========================================================================
// Writer

namespace {

void WriteText(rtl::TStream* AStream, std::string_view AText)
{
  if (!AText.empty())
    AStream->WriteBuffer(AText.data(), static_cast<int>(AText.size()));
}

}  // namespace

void TdxXMLDocument::SaveToStream(rtl::TStream* AStream)
{
  FEncoding = "UTF-8";
  WriteText(AStream, GetHeader());
  FRoot->WriteChildren(AStream, FAutoIndent);
}

TdxXMLString TdxXMLDocument::GetHeader() const
{
  if (FVersion.empty() && FEncoding.empty() && FStandalone.empty())
    return {};
  TdxXMLString result = "<?xml";
  const std::pair<const char*, const TdxXMLString*> fields[] = {
      {"version", &FVersion}, {"encoding", &FEncoding}, {"standalone", &FStandalone}};
  for (const auto& [name, value] : fields)
    if (!value->empty())
      result += TdxXMLString(" ") + name + "=\"" + *value + "\"";
  return result + "?>\r\n";
}

void TdxXMLNode::WriteIndent(rtl::TStream* AStream) const
{
  WriteText(AStream, TdxXMLString(static_cast<std::size_t>(std::max(Level(), 0)), '\t'));
}

void TdxXMLNode::CheckSpaceAttribute()
{
  if (TdxXMLHelper::IsPreserveSpacesNeeded(std::string_view(FText)))
    FAttributes->SetValue("xml:space", "preserve");
  else
    FAttributes->Delete(TdxXMLString("xml:space"));
}

void TdxXMLNode::WriteAttributes(rtl::TStream* AStream)
{
  for (TdxXMLNodeAttribute* attr = FAttributes->First(); attr != nullptr; attr = attr->Next()) {
    WriteText(AStream, " ");
    WriteText(AStream, attr->GetName());
    WriteText(AStream, "=\"");
    WriteText(AStream, TdxXMLHelper::EncodeString(std::string_view(attr->GetValue()), true));
    WriteText(AStream, "\"");
  }
}

void TdxXMLNode::WriteChildren(rtl::TStream* AStream, bool AAutoIndent)
{
  for (TdxXMLNode* child = First(); child != nullptr; child = child->Next())
    child->Write(AStream, AAutoIndent);
}

void TdxXMLNode::WriteContent(rtl::TStream* AStream, bool AAutoIndent)
{
  if (!FText.empty())
    WriteText(AStream, TdxXMLHelper::EncodeString(std::string_view(FText), false));
  if (HasChildren()) {
    if (AAutoIndent && (FText.empty() || !HasPreserveSpace()))
      WriteText(AStream, "\r\n");
    WriteChildren(AStream, AAutoIndent);
    if (AAutoIndent)
      WriteIndent(AStream);
  }
}

void TdxXMLNode::Write(rtl::TStream* AStream, bool AAutoIndent)
{
  if (AAutoIndent && !(FParent != nullptr && FParent->HasPreserveSpace()))
    WriteIndent(AStream);
  CheckSpaceAttribute();
  WriteText(AStream, "<");
  WriteText(AStream, FName);
  WriteAttributes(AStream);
  if (HasChildren() || !FText.empty()) {
    WriteText(AStream, ">");
    WriteContent(AStream, AAutoIndent);
    WriteText(AStream, "</");
    WriteText(AStream, FName);
    WriteText(AStream, ">");
  } else {
    WriteText(AStream, "/>");
  }
  if (AAutoIndent)
    WriteText(AStream, "\r\n");
}

// ===========================================================================
// TdxXMLParser

namespace {

using enum TdxXMLTokenID;

constexpr std::string_view CommentStart = "<!--";
constexpr std::string_view CommentEnd = "-->";
constexpr std::string_view CDataStart = "<![CDATA[";
constexpr std::string_view CDataEnd = "]]>";

// Bytes that end a word.
bool IsDelimiter(char C)
{
  return C == '/' || C == '=' || C == '<' || C == '>' || C == '"' || C == '\'' || IsXMLSpace(C);
}

// A name quoted for a message, cut short when long.
rtl::String QuotedName(std::string_view AName)
{
  constexpr std::size_t maxLength = 64;
  rtl::String result = L"\"" + FromUTF8(AName.substr(0, maxLength));
  if (AName.size() > maxLength)
    result += L"...";
  return result + L"\"";
}

}  // namespace

void TdxXMLParser::Create(TdxXMLDocument* ADocument, bool AShareStrings)
{
  inherited::Create();
  FDocument = ADocument;
  if (AShareStrings)
    FSharedStrings = rtl::New<TdxXMLSharedStrings>();
}

void TdxXMLParser::Destroy()
{
  rtl::FreeAndNil(FSharedStrings);
  inherited::Destroy();
}

void TdxXMLParser::RaiseError(const rtl::String& AWhat, const char* AWhere) const
{
  const std::string_view before(FBuffer, static_cast<std::size_t>(std::max<std::ptrdiff_t>(AWhere - FBuffer, 0)));
  const std::size_t lineStart = before.rfind('\n');
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const int column = 1 + static_cast<int>(lineStart == std::string_view::npos ? before.size()
                                                                               : before.size() - lineStart - 1);
  throw EdxXMLParserError(AWhat, line, column);
}

bool TdxXMLParser::ProbeComment(std::string_view AStartMark, std::string_view AEndMark, TdxXMLToken& AToken) const
{
  const std::string_view rest(FData, static_cast<std::size_t>(FDataLength));
  if (AStartMark.size() + AEndMark.size() > rest.size() || !rest.starts_with(AStartMark))
    return false;
  const std::size_t end = rest.find(AEndMark, AStartMark.size());
  if (end == std::string_view::npos)
    return false;
  AToken.BufferLengthInChars = static_cast<int>(end + AEndMark.size());
  return true;
}

bool TdxXMLParser::NextToken(TdxXMLToken& AToken)
{
  while (FDataLength > 0 && IsXMLSpace(*FData))
    Advance(1);
  AToken = TdxXMLToken{FData, 0, ttUnknown, false};
  if (FDataLength == 0)
    return false;
  const char c = *FData;
  if (c == '"' || c == '\'') {
    // A ">" belongs to the value; a "<" cannot, and stops a value whose
    // closing quote is missing at the next tag.
    Advance(1);
    AToken.Buffer = FData;
    AToken.Quoted = true;
    while (FDataLength > 0 && *FData != c && *FData != '<')
      Advance(1);
    AToken.BufferLengthInChars = static_cast<int>(FData - AToken.Buffer);
    if (FDataLength > 0 && *FData == c)
      Advance(1);
    return true;
  }
  const char next = FDataLength > 1 ? FData[1] : '\0';
  if (c == '<') {
    if (next == '/') {
      AToken.TokenType = ttTagFooter;
      AToken.BufferLengthInChars = 2;
    } else if (next == '!' && (ProbeComment(CommentStart, CommentEnd, AToken) || ProbeComment(CDataStart, CDataEnd, AToken))) {
      AToken.TokenType = ttComment;
    } else {
      AToken.TokenType = ttTagHeaderBegin;
      AToken.BufferLengthInChars = 1;
    }
  } else if ((c == '/' || c == '?') && next == '>') {
    AToken.TokenType = ttTagEnd;
    AToken.BufferLengthInChars = 2;
  } else if (c == '=') {
    AToken.TokenType = ttEqual;
    AToken.BufferLengthInChars = 1;
  } else if (c == '>') {
    AToken.TokenType = ttTagHeaderEnd;
    AToken.BufferLengthInChars = 1;
  } else if (IsDelimiter(c)) {
    AToken.BufferLengthInChars = 1;
  } else {
    int length = 1;
    while (length < FDataLength && !IsDelimiter(FData[length]))
      ++length;
    AToken.BufferLengthInChars = length;
  }
  Advance(AToken.BufferLengthInChars);
  return true;
}

void TdxXMLParser::CheckByteOrder()
{
  const std::string_view start(FData, static_cast<std::size_t>(std::min(FDataLength, 3)));
  if (start == "\xEF\xBB\xBF") {
    Advance(3);
    return;
  }
  const bool utf16 = start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF") ||
                     (start.size() >= 2 && ((start[0] == '<' && start[1] == '\0') || (start[0] == '\0' && start[1] == '<')));
  if (utf16)
    RaiseError(L"UTF-16 text is not supported", FData);
}

void TdxXMLParser::Parse(const char* AScan, int ACount)
{
  FBuffer = AScan;
  FData = AScan;
  FDataLength = std::max(ACount, 0);
  FEncoding = TdxXMLEncoding::dxxeNone;
  FEncodingCodePage = 0;
  FOpenTags.clear();
  TdxXMLNode* root = FDocument->GetRoot();
  root->Clear();
  CheckByteOrder();

  TdxXMLNode* node = root;
  const char* textStart = nullptr;
  TdxXMLToken token;
  while (NextToken(token)) {
    switch (token.TokenType) {
      case ttComment:
        SetNodeText(node, textStart, token.Buffer);
        if (token.View().starts_with(CDataStart))
          ReadCData(node, token);
        textStart = FData;
        break;
      case ttTagHeaderBegin:
        SetNodeText(node, textStart, token.Buffer);
        if (FDataLength > 0 && *FData == '?') {
          ParseDeclaration();
        } else if (FDataLength > 0 && *FData == '!') {
          SkipDeclaration(token.Buffer);
        } else {
          if (static_cast<int>(FOpenTags.size()) >= MaxDepth)
            RaiseError(rtl::Format(L"elements nest deeper than %d levels", {MaxDepth}), token.Buffer);
          TdxXMLNode* child = node->AddChild(TdxXMLString());
          FOpenTags.push_back(token.Buffer);
          TdxXMLNode* result = ParseTag(child);
          if (result == nullptr)
            return;
          if (result != child)
            FOpenTags.pop_back();
          node = result;
        }
        textStart = FData;
        break;
      case ttTagFooter:
        if (node == root)
          RaiseError(L"an end tag without a start tag", token.Buffer);
        SetNodeText(node, textStart, token.Buffer);
        ReadEndTag(token.Buffer);
        node = node->GetParent();
        FOpenTags.pop_back();
        textStart = FData;
        break;
      default:
        break;
    }
  }
  if (node != root)
    RaiseError(L"the element " + QuotedName(node->GetName()) + L" is not closed", FOpenTags.back());
}

TdxXMLNode* TdxXMLParser::ParseTag(TdxXMLNode* ANode)
{
  const char* tagStart = FOpenTags.empty() ? FData : FOpenTags.back();
  return ReadTag(ANode, tagStart, true) == TTagEnd::Open ? ANode : ANode->GetParent();
}

TdxXMLParser::TTagEnd TdxXMLParser::ReadTag(TdxXMLNode* ANode, const char* ATagStart, bool AElement)
{
  int state = 0;
  int attributeCount = 0;
  TdxXMLNodeAttribute* attr = nullptr;
  TdxXMLToken token;
  while (NextToken(token)) {
    switch (token.TokenType) {
      case ttTagHeaderBegin:
      case ttComment:
      case ttTagFooter:
        RaiseError(L"the start tag " + QuotedName(ANode->GetName()) + L" is not closed", ATagStart);
      case ttTagHeaderEnd:
      case ttTagEnd:
        if (state == 0)
          RaiseError(L"a start tag without a name", ATagStart);
        return token.TokenType == ttTagHeaderEnd ? TTagEnd::Open : TTagEnd::Empty;
      default:
        if (state > 3)
          state = 1;
        else if (state == 2 && token.TokenType != ttEqual)
          state = 1;
        if (state == 0) {
          CheckName(token, AElement);
          ANode->FName = Share(ConvertCodePage(token.View()));
        } else if (state == 1) {
          CheckName(token, false);
          if (++attributeCount > MaxAttributeCount)
            RaiseError(L"the start tag " + QuotedName(ANode->GetName()) +
                           rtl::Format(L" has more than %d attributes", {MaxAttributeCount}),
                       token.Buffer);
          attr = ANode->FAttributes->Add(Share(ConvertCodePage(token.View())));
        } else if (state == 3) {
          attr->SetValue(Share(DecodeValue(token.View())));
        }
        ++state;
        break;
    }
  }
  RaiseError(L"the start tag " + QuotedName(ANode->GetName()) + L" is not closed", ATagStart);
}

void TdxXMLParser::CheckName(const TdxXMLToken& AToken, bool AElementName) const
{
  // Such a name, written back, would read as a value, a declaration or a
  // processing instruction.
  const std::string_view name = AToken.View();
  if (AToken.Quoted || AToken.TokenType != ttUnknown || name.empty() ||
      (AElementName && (name[0] == '!' || name[0] == '?')))
    RaiseError(QuotedName(name) + L" is not a name", AToken.Buffer - (AToken.Quoted ? 1 : 0));
}

void TdxXMLParser::ReadEndTag(const char* AFooterStart)
{
  // The name is not compared with the start tag's: a misspelt end tag
  // costs no content.
  TdxXMLToken token;
  while (NextToken(token)) {
    if (token.TokenType == ttTagHeaderEnd || token.TokenType == ttTagEnd)
      return;
    if (token.TokenType == ttTagHeaderBegin || token.TokenType == ttComment || token.TokenType == ttTagFooter)
      break;
  }
  RaiseError(L"an end tag is not closed", AFooterStart);
}

void TdxXMLParser::ReadCData(TdxXMLNode* ANode, const TdxXMLToken& AToken)
{
  std::string_view content = AToken.View();
  content = content.substr(CDataStart.size(), content.size() - CDataStart.size() - CDataEnd.size());
  if (!ANode->HasPreserveSpace()) {
    while (!content.empty() && static_cast<unsigned char>(content.front()) < 32)
      content.remove_prefix(1);
    while (!content.empty() && static_cast<unsigned char>(content.back()) < 32)
      content.remove_suffix(1);
  }
  // Character data as it stands: no references inside are resolved.
  ANode->FText += ConvertCodePage(content);
}

void TdxXMLParser::SetNodeText(TdxXMLNode* ANode, const char* AStart, const char* AEnd)
{
  if (AStart == nullptr || AEnd <= AStart)
    return;
  std::string_view text(AStart, static_cast<std::size_t>(AEnd - AStart));
  // Indentation by tabs and line breaks goes; spaces stay.
  if (!ANode->HasPreserveSpace()) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 32)
      text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32)
      text.remove_suffix(1);
  }
  if (!text.empty())
    ANode->FText += DecodeValue(text);
}

void TdxXMLParser::ParseDeclaration()
{
  const char* start = FData - 1;
  const std::string_view rest(FData, static_cast<std::size_t>(FDataLength));
  // Only the XML declaration speaks of the encoding; other processing
  // instructions are skipped whole, whatever they hold.
  const bool isDeclaration = rest.size() > 4 && SameName(rest.substr(0, 4), "?xml") &&
                             (IsXMLSpace(rest[4]) || rest[4] == '?');
  if (!isDeclaration) {
    SkipProcessingInstruction(start);
    return;
  }
  rtl::TOwnedPtr<TdxXMLNode> scratch(rtl::New<TdxXMLNode>());
  ReadTag(scratch.get(), start, false);
  TdxXMLNodeAttributes* attributes = scratch->GetAttributes();
  FDocument->SetEncoding(attributes->GetValue("encoding", "UTF-8"));
  FDocument->SetVersion(attributes->GetValue("version", "1.0"));
  DetectEncoding();
}

void TdxXMLParser::DetectEncoding()
{
  const rtl::String encoding = dxDecodeCodePageString(FDocument->GetEncoding(), 0);
  FEncoding = TdxXMLEncoding::dxxeNone;
  FEncodingCodePage = 0;
  if (rtl::SameText(encoding, L"UTF-8") || rtl::SameText(encoding, L"US-ASCII")) {
    FEncoding = TdxXMLEncoding::dxxeUTF8;
    return;
  }
  int codePage = 0;
  if (rtl::SameText(encoding.substr(0, 8), L"Windows-"))
    codePage = rtl::StrToIntDef(encoding.substr(8), 0);
  else if (rtl::SameText(encoding.substr(0, 9), L"ISO-8859-"))
    codePage = 28590 + rtl::StrToIntDef(encoding.substr(9), -28590);
  else
    return;
  // Converting through a code page the system lacks would empty every text.
  if (codePage <= 0 || !IsValidCodePage(static_cast<UINT>(codePage)))
    RaiseError(L"the encoding \"" + encoding + L"\" is not supported", FData);
  FEncoding = TdxXMLEncoding::dxxeWindows;
  FEncodingCodePage = codePage;
}

void TdxXMLParser::SkipProcessingInstruction(const char* AStart)
{
  const std::string_view rest(FData, static_cast<std::size_t>(FDataLength));
  const std::size_t end = rest.find("?>");
  if (end == std::string_view::npos)
    RaiseError(L"a processing instruction is not closed", AStart);
  Advance(static_cast<int>(end + 2));
}

void TdxXMLParser::SkipDeclaration(const char* AStart)
{
  const std::string_view rest(FData - 1, static_cast<std::size_t>(FDataLength + 1));
  if (rest.starts_with(CommentStart))
    RaiseError(L"a comment is not closed", AStart);
  if (rest.starts_with(CDataStart))
    RaiseError(L"a CDATA section is not closed", AStart);
  // A document type with its internal subset in brackets: the subset's
  // declarations, quoted texts and comments hold ">" of their own.
  char quote = '\0';
  int brackets = 0;
  while (FDataLength > 0) {
    const std::string_view here(FData, static_cast<std::size_t>(FDataLength));
    const char c = here[0];
    if (quote == '\0' && here.starts_with(CommentStart)) {
      const std::size_t end = here.find(CommentEnd, CommentStart.size());
      if (end == std::string_view::npos)
        RaiseError(L"a comment is not closed", FData);
      Advance(static_cast<int>(end + CommentEnd.size()));
      continue;
    }
    Advance(1);
    if (quote != '\0') {
      if (c == quote)
        quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++brackets;
    } else if (c == ']') {
      --brackets;
    } else if (c == '>' && brackets <= 0) {
      return;
    }
  }
  RaiseError(L"a declaration is not closed", AStart);
}

TdxXMLString TdxXMLParser::ConvertCodePage(std::string_view ARaw) const
{
  if (FEncoding == TdxXMLEncoding::dxxeWindows && !ARaw.empty())
    return ToUTF8(dxDecodeCodePageString(ARaw, static_cast<unsigned>(FEncodingCodePage)));
  return TdxXMLString(ARaw);
}

TdxXMLString TdxXMLParser::DecodeValue(std::string_view ARaw)
{
  if (FEncoding == TdxXMLEncoding::dxxeWindows)
    return TdxXMLHelper::DecodeString(ConvertCodePage(ARaw));
  return TdxXMLHelper::DecodeString(ARaw);
}

TdxXMLString TdxXMLParser::Share(std::string_view AValue)
{
  return FSharedStrings != nullptr ? FSharedStrings->Add(AValue) : TdxXMLString(AValue);
}
