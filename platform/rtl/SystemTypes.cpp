#include "platform/rtl/SystemTypes.h"

#include <windows.h>

#include <cmath>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemEvents.h"

namespace rtl {

namespace {

[[noreturn]] void RaiseInvalidFloatOp()
{
  throw EInvalidOp(L"Invalid floating point operation");
}

// 2^63 is exact in every floating type; the 64-bit range is [-2^63, 2^63).
constexpr Extended kTwoPow63 = 9223372036854775808.0L;

std::int64_t CheckedInt64(Extended AWhole)
{
  if (!(AWhole >= -kTwoPow63 && AWhole < kTwoPow63))  // also NaN
    RaiseInvalidFloatOp();
  return static_cast<std::int64_t>(AWhole);
}

int CheckedInt(Extended AWhole)
{
  if (!(AWhole >= std::numeric_limits<int>::min() && AWhole <= std::numeric_limits<int>::max()))
    RaiseInvalidFloatOp();
  return static_cast<int>(AWhole);
}

// Explicit rather than through the processor's rounding mode, so a caller
// that changed the mode does not change the results.
Extended RoundHalfEven(Extended AValue)
{
  const Extended below = std::floor(AValue);
  const Extended fraction = AValue - below;
  if (fraction > 0.5L)
    return below + 1;
  if (fraction < 0.5L)
    return below;
  return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

bool SameAsciiText(std::wstring_view A, std::wstring_view B)
{
  if (A.size() != B.size())
    return false;
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c + (L'a' - L'A')) : c; };
  for (std::size_t i = 0; i < A.size(); ++i)
    if (lower(A[i]) != lower(B[i]))
      return false;
  return true;
}

std::wstring_view TrimBlanks(std::wstring_view AText)
{
  while (!AText.empty() && detail::IsEnumBlank(AText.front()))
    AText.remove_prefix(1);
  while (!AText.empty() && detail::IsEnumBlank(AText.back()))
    AText.remove_suffix(1);
  return AText;
}

[[noreturn]] void RaiseInvalidSetElement(std::wstring_view AElement)
{
  throw EConvertError(L"Invalid property element: " + String(AElement));
}

unsigned ResolveCodePage(unsigned ACodePage)
{
  return ACodePage == CP_ACP ? GetACP() : ACodePage;
}

}  // namespace

namespace detail {

void RaiseUnassignedMethod()
{
  throw EInvalidPointer(L"Invalid pointer operation");
}

}  // namespace detail

// --- AnsiString -------------------------------------------------------------

AnsiString AnsiString::FromString(std::wstring_view AText, unsigned ACodePage)
{
  if (AText.empty())
    return AnsiString(std::string(), ACodePage);
  // Flags 0 and no default-character arguments: UTF-8 and several other code
  // pages refuse anything else.
  const int length = static_cast<int>(AText.size());
  const int size = WideCharToMultiByte(ACodePage, 0, AText.data(), length, nullptr, 0, nullptr, nullptr);
  if (size == 0)
    RaiseLastOSError();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(ACodePage, 0, AText.data(), length, bytes.data(), size, nullptr, nullptr);
  return AnsiString(std::move(bytes), ACodePage);
}

String AnsiString::ToString() const
{
  if (FBytes.empty())
    return String();
  const int length = static_cast<int>(FBytes.size());
  const int size = MultiByteToWideChar(FCodePage, 0, FBytes.data(), length, nullptr, 0);
  if (size == 0)
    RaiseLastOSError();
  String text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(FCodePage, 0, FBytes.data(), length, text.data(), size);
  return text;
}

bool operator==(const AnsiString& A, const AnsiString& B)
{
  return A.FBytes == B.FBytes && ResolveCodePage(A.FCodePage) == ResolveCodePage(B.FCodePage);
}

// --- Currency ---------------------------------------------------------------

Currency Currency::FromDouble(double AValue)
{
  return Currency(CheckedInt64(RoundHalfEven(static_cast<Extended>(AValue) * 10000)));
}

void Currency::RaiseOverflow()
{
  RaiseInvalidFloatOp();
}

double Currency::ToDouble() const
{
  return static_cast<double>(static_cast<Extended>(FRaw) / 10000);
}

// --- Rounding ---------------------------------------------------------------

std::int64_t Round(Extended AValue)
{
  return CheckedInt64(RoundHalfEven(AValue));
}

std::int64_t Trunc(Extended AValue)
{
  return CheckedInt64(std::trunc(AValue));
}

int Ceil(Extended AValue)
{
  return CheckedInt(std::ceil(AValue));
}

int Floor(Extended AValue)
{
  return CheckedInt(std::floor(AValue));
}

// --- Enumerations and sets --------------------------------------------------

String GetEnumName(const TEnumInfo* AInfo, int AValue)
{
  if (AValue < 0 || AValue >= AInfo->Count())
    return String();
  return String(AInfo->Names[static_cast<std::size_t>(AValue)]);
}

int GetEnumValue(const TEnumInfo* AInfo, std::wstring_view AName)
{
  for (int i = 0; i < AInfo->Count(); ++i)
    if (SameAsciiText(AInfo->Names[static_cast<std::size_t>(i)], AName))
      return i;
  return -1;
}

String SetToString(const TEnumInfo* AInfo, std::uint32_t AOrd, bool ABrackets)
{
  String text;
  for (int i = 0; i < AInfo->Count() && i < 32; ++i) {
    if ((AOrd >> i & 1) == 0)
      continue;
    if (!text.empty())
      text += L',';
    text += AInfo->Names[static_cast<std::size_t>(i)];
  }
  return ABrackets ? L'[' + text + L']' : text;
}

std::uint32_t StringToSet(const TEnumInfo* AInfo, std::wstring_view AText, int AHigh)
{
  const int high = AHigh < 0 ? AInfo->High() : AHigh;
  std::wstring_view rest = TrimBlanks(AText);
  const bool opens = !rest.empty() && rest.front() == L'[';
  const bool closes = !rest.empty() && rest.back() == L']';
  if (opens != closes || (opens && rest.size() == 1))
    RaiseInvalidSetElement(AText);
  if (opens)
    rest = TrimBlanks(rest.substr(1, rest.size() - 2));
  std::uint32_t result = 0;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(L',');
    const std::wstring_view name = TrimBlanks(rest.substr(0, comma));
    const int value = GetEnumValue(AInfo, name);
    if (value < 0 || value > high || value >= 32)
      RaiseInvalidSetElement(name);
    result |= std::uint32_t(1) << value;
    if (comma == std::wstring_view::npos)
      break;
    rest = rest.substr(comma + 1);
    if (TrimBlanks(rest).empty())  // a trailing comma leaves an empty element
      RaiseInvalidSetElement(rest);
  }
  return result;
}

}  // namespace rtl
