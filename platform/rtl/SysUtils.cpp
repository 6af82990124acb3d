#include "platform/rtl/SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <string_view>

namespace rtl {

void Abort()
{
  throw EAbort(L"Operation aborted");
}

String SysErrorMessage(unsigned long AErrorCode)
{
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, AErrorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  String result(buffer ? buffer : L"", length);
  LocalFree(buffer);
  // The system ends its texts with a line break and often a full stop and blank.
  while (!result.empty() && (result.back() <= L' ' || result.back() == L'.'))
    result.pop_back();
  return result;
}

void RaiseLastOSError()
{
  RaiseLastOSError(GetLastError());
}

void RaiseLastOSError(unsigned long AErrorCode)
{
  if (AErrorCode == 0)
    throw EOSError(L"A call to an OS function failed", 0);
  throw EOSError(L"System Error.  Code: " + std::to_wstring(AErrorCode) + L".\r\n" + SysErrorMessage(AErrorCode),
                 AErrorCode);
}

// ---------------------------------------------------------------------------
// Strings

namespace {

Char AsciiUpper(Char C)
{
  return C >= L'a' && C <= L'z' ? static_cast<Char>(C - (L'a' - L'A')) : C;
}

Char AsciiLower(Char C)
{
  return C >= L'A' && C <= L'Z' ? static_cast<Char>(C + (L'a' - L'A')) : C;
}

// Ordinal comparison of two strings after mapping each character.
template <class Map>
int CompareMapped(const String& S1, const String& S2, Map AMap)
{
  const size_t common = std::min(S1.size(), S2.size());
  for (size_t i = 0; i < common; ++i) {
    const int difference = int(AMap(S1[i])) - int(AMap(S2[i]));
    if (difference != 0)
      return difference;
  }
  return int(S1.size()) - int(S2.size());
}

// CompareStringW in the user's locale, as -1, 0 or 1. It fails only for bad
// arguments; the ordinal order then is the sensible answer.
int CompareInUserLocale(const String& S1, const String& S2, DWORD AFlags)
{
  const int result = CompareStringW(LOCALE_USER_DEFAULT, AFlags, S1.data(), int(S1.size()), S2.data(),
                                    int(S2.size()));
  if (result == 0)
    return CompareStr(S1, S2);
  return result - CSTR_EQUAL;
}

}  // namespace

String UpperCase(const String& S)
{
  String result(S);
  for (Char& c : result)
    c = AsciiUpper(c);
  return result;
}

String LowerCase(const String& S)
{
  String result(S);
  for (Char& c : result)
    c = AsciiLower(c);
  return result;
}

String AnsiUpperCase(const String& S)
{
  String result(S);
  if (!result.empty())
    CharUpperBuffW(result.data(), DWORD(result.size()));
  return result;
}

String AnsiLowerCase(const String& S)
{
  String result(S);
  if (!result.empty())
    CharLowerBuffW(result.data(), DWORD(result.size()));
  return result;
}

int CompareStr(const String& S1, const String& S2)
{
  return CompareMapped(S1, S2, [](Char c) { return c; });
}

int CompareText(const String& S1, const String& S2)
{
  return CompareMapped(S1, S2, AsciiUpper);
}

bool SameStr(const String& S1, const String& S2)
{
  return S1 == S2;
}

bool SameText(const String& S1, const String& S2)
{
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int AnsiCompareStr(const String& S1, const String& S2)
{
  return CompareInUserLocale(S1, S2, 0);
}

int AnsiCompareText(const String& S1, const String& S2)
{
  return CompareInUserLocale(S1, S2, NORM_IGNORECASE);
}

bool AnsiSameStr(const String& S1, const String& S2)
{
  return AnsiCompareStr(S1, S2) == 0;
}

bool AnsiSameText(const String& S1, const String& S2)
{
  return AnsiCompareText(S1, S2) == 0;
}

String Trim(const String& S)
{
  return TrimLeft(TrimRight(S));
}

String TrimLeft(const String& S)
{
  size_t first = 0;
  while (first < S.size() && S[first] <= L' ')
    ++first;
  return S.substr(first);
}

String TrimRight(const String& S)
{
  size_t end = S.size();
  while (end > 0 && S[end - 1] <= L' ')
    --end;
  return S.substr(0, end);
}

int Pos(const String& SubStr, const String& S, int AOffset)
{
  if (SubStr.empty() || AOffset < 1 || size_t(AOffset) > S.size())
    return 0;
  const size_t found = S.find(SubStr, size_t(AOffset) - 1);
  return found == String::npos ? 0 : int(found) + 1;
}

String Copy(const String& S, int AIndex, int ACount)
{
  if (AIndex < 1)
    AIndex = 1;
  if (size_t(AIndex) > S.size() || ACount <= 0)
    return String();
  return S.substr(size_t(AIndex) - 1, size_t(ACount));
}

void Delete(String& S, int AIndex, int ACount)
{
  if (AIndex < 1 || size_t(AIndex) > S.size() || ACount <= 0)
    return;
  S.erase(size_t(AIndex) - 1, size_t(ACount));
}

void Insert(const String& ASource, String& S, int AIndex)
{
  const size_t at = AIndex < 1 ? 0 : std::min(size_t(AIndex) - 1, S.size());
  S.insert(at, ASource);
}

String StringReplace(const String& S, const String& AOldPattern, const String& ANewPattern,
                     TReplaceFlags AFlags)
{
  if (AOldPattern.empty())
    return S;
  // Upper-casing keeps every character in place, so positions found in the
  // upper-cased copy are positions in S.
  const bool ignoreCase = (AFlags & rfIgnoreCase) != 0;
  const String searched = ignoreCase ? AnsiUpperCase(S) : String();
  const String pattern = ignoreCase ? AnsiUpperCase(AOldPattern) : String();
  const std::wstring_view searchIn = ignoreCase ? searched : S;
  const std::wstring_view searchFor = ignoreCase ? pattern : AOldPattern;

  String result;
  size_t from = 0;
  for (;;) {
    const size_t found = searchIn.find(searchFor, from);
    if (found == std::wstring_view::npos)
      break;
    result.append(S, from, found - from).append(ANewPattern);
    from = found + searchFor.size();
    if ((AFlags & rfReplaceAll) == 0)
      break;
  }
  result.append(S, from);
  return result;
}

String QuotedStr(const String& S)
{
  return AnsiQuotedStr(S, L'\'');
}

String AnsiQuotedStr(const String& S, Char AQuote)
{
  String result(1, AQuote);
  for (Char c : S) {
    result += c;
    if (c == AQuote)
      result += c;
  }
  result += AQuote;
  return result;
}

String StringOfChar(Char C, int ACount)
{
  return ACount > 0 ? String(size_t(ACount), C) : String();
}

// ---------------------------------------------------------------------------
// Integers

namespace {

int DigitValue(Char C, unsigned ABase)
{
  int value = 16;
  if (C >= L'0' && C <= L'9')
    value = C - L'0';
  else if (C >= L'A' && C <= L'F')
    value = C - L'A' + 10;
  else if (C >= L'a' && C <= L'f')
    value = C - L'a' + 10;
  return unsigned(value) < ABase ? value : -1;
}

// The framework's integer text into T. Hexadecimal text may fill all bits of
// T (and so give a negative value); a decimal magnitude must fit with its sign.
template <class T>
bool ParseInteger(const String& S, T& AValue)
{
  using Unsigned = std::make_unsigned_t<T>;
  const size_t length = S.size();
  size_t i = 0;
  while (i < length && S[i] == L' ')
    ++i;
  bool negative = false;
  if (i < length && (S[i] == L'+' || S[i] == L'-'))
    negative = S[i++] == L'-';
  bool hex = false;
  if (i < length && S[i] == L'$') {
    hex = true;
    ++i;
  } else if (i + 1 < length && S[i] == L'0' && (S[i + 1] == L'x' || S[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i == length)
    return false;

  const unsigned base = hex ? 16 : 10;
  const Unsigned limit = hex ? std::numeric_limits<Unsigned>::max()
                             : Unsigned(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
  Unsigned magnitude = 0;
  for (; i < length; ++i) {
    const int digit = DigitValue(S[i], base);
    if (digit < 0 || magnitude > (limit - Unsigned(digit)) / base)
      return false;
    magnitude = Unsigned(magnitude * base + Unsigned(digit));
  }
  // Unsigned to signed conversion wraps, which is what hexadecimal text of
  // the full width and the most negative value need.
  AValue = T(negative ? Unsigned(0 - magnitude) : magnitude);
  return true;
}

[[noreturn]] void RaiseInvalidInteger(const String& S)
{
  throw EConvertError(L"'" + S + L"' is not a valid integer value");
}

}  // namespace

String IntToStr(std::int64_t AValue)
{
  return std::to_wstring(static_cast<long long>(AValue));
}

String UIntToStr(std::uint64_t AValue)
{
  return std::to_wstring(static_cast<unsigned long long>(AValue));
}

String detail::HexDigits(std::uint64_t AValue, int ADigits)
{
  String result;
  do {
    result += L"0123456789ABCDEF"[AValue & 15];
    AValue >>= 4;
  } while (AValue != 0);
  if (ADigits > 0 && result.size() < size_t(ADigits))
    result.append(size_t(ADigits) - result.size(), L'0');
  return String(result.rbegin(), result.rend());
}

bool TryStrToInt(const String& S, int& AValue)
{
  return ParseInteger(S, AValue);
}

bool TryStrToInt64(const String& S, std::int64_t& AValue)
{
  return ParseInteger(S, AValue);
}

int StrToInt(const String& S)
{
  int value = 0;
  if (!TryStrToInt(S, value))
    RaiseInvalidInteger(S);
  return value;
}

std::int64_t StrToInt64(const String& S)
{
  std::int64_t value = 0;
  if (!TryStrToInt64(S, value))
    RaiseInvalidInteger(S);
  return value;
}

int StrToIntDef(const String& S, int ADefault)
{
  int value = 0;
  return TryStrToInt(S, value) ? value : ADefault;
}

std::int64_t StrToInt64Def(const String& S, std::int64_t ADefault)
{
  std::int64_t value = 0;
  return TryStrToInt64(S, value) ? value : ADefault;
}

// ---------------------------------------------------------------------------
// Characters

bool CharInSet(Char C, std::string_view ASet)
{
  return C <= 0xFF && ASet.find(static_cast<char>(C)) != std::string_view::npos;
}

bool IsValidIdent(const String& AIdent)
{
  const auto isAlpha = [](Char c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_'; };
  if (AIdent.empty() || !isAlpha(AIdent[0]))
    return false;
  for (Char c : AIdent)
    if (!isAlpha(c) && !(c >= L'0' && c <= L'9'))
      return false;
  return true;
}

// ---------------------------------------------------------------------------
// String builder

void TStringBuilder::SetCapacity(int AValue)
{
  if (AValue < GetLength())
    throw EArgumentOutOfRangeException(L"Argument out of range");
  FData.reserve(static_cast<std::size_t>(AValue));
}

void TStringBuilder::SetLength(int AValue)
{
  if (AValue < 0)
    throw EArgumentOutOfRangeException(L"Argument out of range");
  FData.resize(static_cast<std::size_t>(AValue), L'\0');
}

TStringBuilder& TStringBuilder::Append(Char AValue)
{
  FData.push_back(AValue);
  return *this;
}

TStringBuilder& TStringBuilder::Append(std::wstring_view AValue)
{
  FData.append(AValue);
  return *this;
}

}  // namespace rtl
