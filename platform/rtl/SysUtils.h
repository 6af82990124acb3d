// Exceptions, string and number conversions of the run-time library.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/rtl/SystemTypes.h"

namespace rtl {

// The root of every exception the system raises. Thrown by value, caught by
// reference; ClassName gives the framework's class name for messages.
class Exception {
 public:
  explicit Exception(String AMessage, int AHelpContext = 0)
      : FMessage(std::move(AMessage)), FHelpContext(AHelpContext) {}
  virtual ~Exception() = default;

  const String& Message() const { return FMessage; }
  void SetMessage(String AMessage) { FMessage = std::move(AMessage); }
  int HelpContext() const { return FHelpContext; }
  virtual const wchar_t* ClassName() const { return L"Exception"; }

 private:
  String FMessage;
  int FHelpContext;
};

#define RTL_DECLARE_EXCEPTION(AName, ABase)                               \
  class AName : public ABase {                                           \
   public:                                                               \
    using ABase::ABase;                                                  \
    const wchar_t* ClassName() const override { return L## #AName; }     \
  }

// EAbort is the silent exception: handlers that report errors ignore it.
RTL_DECLARE_EXCEPTION(EAbort, Exception);
RTL_DECLARE_EXCEPTION(EConvertError, Exception);
RTL_DECLARE_EXCEPTION(EListError, Exception);
RTL_DECLARE_EXCEPTION(EInvalidOperation, Exception);
RTL_DECLARE_EXCEPTION(EInvalidCast, Exception);
RTL_DECLARE_EXCEPTION(EInvalidPointer, Exception);
RTL_DECLARE_EXCEPTION(EAbstractError, Exception);
RTL_DECLARE_EXCEPTION(EOutOfMemory, Exception);
RTL_DECLARE_EXCEPTION(EVariantError, Exception);
RTL_DECLARE_EXCEPTION(EArgumentException, Exception);
RTL_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
RTL_DECLARE_EXCEPTION(ENotSupportedException, Exception);
RTL_DECLARE_EXCEPTION(EIntError, Exception);
RTL_DECLARE_EXCEPTION(EDivByZero, EIntError);
RTL_DECLARE_EXCEPTION(ERangeError, EIntError);
RTL_DECLARE_EXCEPTION(EIntOverflow, EIntError);
RTL_DECLARE_EXCEPTION(EMathError, Exception);
RTL_DECLARE_EXCEPTION(EInvalidOp, EMathError);
RTL_DECLARE_EXCEPTION(EZeroDivide, EMathError);
RTL_DECLARE_EXCEPTION(EOverflow, EMathError);

// An operating-system call failed; ErrorCode is what GetLastError said.
class EOSError : public Exception {
 public:
  EOSError(String AMessage, unsigned long AErrorCode) : Exception(std::move(AMessage)), FErrorCode(AErrorCode) {}
  unsigned long ErrorCode() const { return FErrorCode; }
  const wchar_t* ClassName() const override { return L"EOSError"; }

 private:
  unsigned long FErrorCode;
};

// Raises EAbort with the text "Operation aborted".
[[noreturn]] void Abort();

// The system's text for an operating-system error code.
String SysErrorMessage(unsigned long AErrorCode);

// Raises EOSError for GetLastError (or the code given): "System Error.  Code:
// %d.\r\n%s" with the system's text; a zero code gives "A call to an OS
// function failed".
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long AErrorCode);

// try/finally: runs the action when the scope ends, also when an exception
// passes. An action that throws while another exception unwinds ends the
// program, as two exceptions in flight must.
template <class F>
class Finally {
 public:
  explicit Finally(F AAction) : FAction(std::move(AAction)) {}
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;
  ~Finally() noexcept(false) { FAction(); }

 private:
  F FAction;
};

// ---------------------------------------------------------------------------
// Strings. Positions and indexes follow the framework: 1-based, and the
// routines clamp or ignore out-of-range values instead of failing.

// Casing of the ASCII letters a-z only; every other character is kept, so the
// result does not depend on the user's locale.
String UpperCase(const String& S);
String LowerCase(const String& S);

// Casing by the system's Unicode tables (CharUpperBuffW/CharLowerBuffW); the
// length never changes.
String AnsiUpperCase(const String& S);
String AnsiLowerCase(const String& S);

// Ordinal comparison of UTF-16 code units: the difference of the first two
// that differ, otherwise the difference of the lengths.
int CompareStr(const String& S1, const String& S2);
// CompareStr after folding a-z to A-Z, so "_" sorts after letters and "a"
// before "B".
int CompareText(const String& S1, const String& S2);
bool SameStr(const String& S1, const String& S2);
bool SameText(const String& S1, const String& S2);

// Comparison by the user's locale (CompareStringW): <0, 0 or >0.
int AnsiCompareStr(const String& S1, const String& S2);
int AnsiCompareText(const String& S1, const String& S2);
bool AnsiSameStr(const String& S1, const String& S2);
bool AnsiSameText(const String& S1, const String& S2);

// Remove the characters up to and including ' ' (blanks and control
// characters) from both ends, the start or the end.
String Trim(const String& S);
String TrimLeft(const String& S);
String TrimRight(const String& S);

// 1-based position of the first SubStr in S at or after AOffset; 0 when it
// is absent, SubStr is empty or AOffset lies outside S.
int Pos(const String& SubStr, const String& S, int AOffset = 1);

// ACount characters from AIndex on; an index below 1 counts as 1, one past
// the end or a negative count gives the empty string.
String Copy(const String& S, int AIndex, int ACount);
// Removes ACount characters from AIndex on; nothing when AIndex lies outside
// S or ACount is not positive.
void Delete(String& S, int AIndex, int ACount);
// Inserts ASource before position AIndex, clamped to 1 .. Length(S) + 1.
void Insert(const String& ASource, String& S, int AIndex);

// The set of TReplaceFlag members, one bit per member as the framework's
// set stores it: StringReplace(S, a, b, rfReplaceAll | rfIgnoreCase).
enum TReplaceFlag : unsigned { rfReplaceAll = 1u << 0, rfIgnoreCase = 1u << 1 };
using TReplaceFlags = unsigned;

// Replaces the first (or, with rfReplaceAll, every) occurrence of
// AOldPattern, left to right without rescanning replaced text; rfIgnoreCase
// matches as AnsiUpperCase does. An empty pattern changes nothing.
String StringReplace(const String& S, const String& AOldPattern, const String& ANewPattern,
                     TReplaceFlags AFlags = 0);

// S in single quotes (or AQuote), quote characters inside doubled.
String QuotedStr(const String& S);
String AnsiQuotedStr(const String& S, Char AQuote);

// ACount copies of C; empty for a count below 1.
String StringOfChar(Char C, int ACount);

// ---------------------------------------------------------------------------
// Integers and their text.

// Decimal text; one routine serves the framework's Integer and Int64
// overloads, whose texts are the same.
String IntToStr(std::int64_t AValue);
String UIntToStr(std::uint64_t AValue);

// Upper-case hexadecimal digits, at least ADigits of them (zero-padded).
// A negative value shows the two's complement of its type's width after the
// usual integer promotion: IntToHex(-1, 2) is "FFFFFFFF", IntToHex(-1LL, 2)
// has 16 digits.
namespace detail {
String HexDigits(std::uint64_t AValue, int ADigits);
}
template <std::integral T>
String IntToHex(T AValue, int ADigits)
{
  using Promoted = decltype(+AValue);
  return detail::HexDigits(static_cast<std::make_unsigned_t<Promoted>>(AValue), ADigits);
}

// The framework's integer text: leading blanks, an optional sign, then
// decimal digits, or hexadecimal ones after "$", "0x" or "0X"; nothing may
// follow. Hexadecimal text may use the type's full width ("$FFFFFFFF" is -1
// as an Integer); decimal text must fit. Anything else raises EConvertError
// "'S' is not a valid integer value".
int StrToInt(const String& S);
std::int64_t StrToInt64(const String& S);
bool TryStrToInt(const String& S, int& AValue);
bool TryStrToInt64(const String& S, std::int64_t& AValue);
int StrToIntDef(const String& S, int ADefault);
std::int64_t StrToInt64Def(const String& S, std::int64_t ADefault);

// ---------------------------------------------------------------------------
// Characters.

// True when C is one of the 8-bit characters of ASet; a character above 255
// never is (the framework's set of AnsiChar, given by its members).
bool CharInSet(Char C, std::string_view ASet);

// A name the framework accepts for a component: an ASCII letter or "_"
// followed by ASCII letters, digits and "_".
bool IsValidIdent(const String& AIdent);

// ---------------------------------------------------------------------------
// String builder: a growable text buffer whose capacity and length callers set
// themselves, so one builder can be reused for many texts without freeing
// its memory (the core's builder pool relies on that).

class TStringBuilder {
 public:
  TStringBuilder() = default;
  explicit TStringBuilder(int ACapacity) { SetCapacity(ACapacity); }

  // At least the capacity last asked for; never below the length. Asking
  // for less than the length raises EArgumentOutOfRangeException; asking for
  // less than the current capacity keeps the memory.
  int GetCapacity() const { return static_cast<int>(FData.capacity()); }
  void SetCapacity(int AValue);

  // A longer length pads with #0, a shorter one cuts the text; a negative
  // length raises EArgumentOutOfRangeException.
  int GetLength() const { return static_cast<int>(FData.size()); }
  void SetLength(int AValue);

  TStringBuilder& Append(Char AValue);
  TStringBuilder& Append(std::wstring_view AValue);

  String ToString() const { return FData; }

 private:
  String FData;
};

}  // namespace rtl

// Format, the format settings and the floating-point conversions.
#include "platform/rtl/SysUtilsFormat.h"
