// The run-time library's basic value types: characters and strings, the
// numeric types whose layout stored formats rely on, sets, named
// enumerations and the rounding rules.
//
// Contents:
//   Char, String, AnsiString        texts (UTF-16; bytes with a code page)
//   Extended, Currency, TDateTime   numbers with the framework's layout
//   Round, Trunc, Ceil, Floor, MulDiv
//   RTL_ENUM, TEnumInfo, GetEnumName, GetEnumValue
//   TSet, SetToString, StringToSet
#pragma once

#include <windows.h>

#include <array>
#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace rtl {

// mingw's wchar_t is UTF-16, the same as the framework's strings.
using Char = wchar_t;
using String = std::wstring;

// 80-bit x87 on i686; streams write its 10 significant bytes.
using Extended = long double;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// ---------------------------------------------------------------------------
// AnsiString: 8-bit text with the code page it is encoded in (0 = CP_ACP, the
// system's ANSI code page; 65001 = UTF-8). Conversions are explicit; a wide
// character the code page cannot hold becomes the code page's default
// character ('?' for the ANSI code pages), as Windows converts.
class AnsiString {
 public:
  AnsiString() = default;
  explicit AnsiString(std::string ABytes, unsigned ACodePage = 0)
      : FBytes(std::move(ABytes)), FCodePage(ACodePage) {}

  static AnsiString FromString(std::wstring_view AText, unsigned ACodePage = 0);
  String ToString() const;

  const std::string& Bytes() const { return FBytes; }
  const char* Data() const { return FBytes.data(); }
  std::size_t Size() const { return FBytes.size(); }
  bool IsEmpty() const { return FBytes.empty(); }
  unsigned CodePage() const { return FCodePage; }

  // Same bytes in the same code page; CP_ACP and the number it stands for
  // are the same code page.
  friend bool operator==(const AnsiString& A, const AnsiString& B);

 private:
  std::string FBytes;
  unsigned FCodePage = 0;
};

// ---------------------------------------------------------------------------
// Currency: a 64-bit count of ten-thousandths. Streams and variants store the
// raw count.
class Currency {
 public:
  constexpr Currency() = default;

  static constexpr Currency FromRaw(std::int64_t ARaw) { return Currency(ARaw); }
  constexpr std::int64_t Raw() const { return FRaw; }

  // value x 10000 rounded halves to even, as the framework's conversion
  // does; NaN, infinities and values beyond the 64-bit range raise EInvalidOp.
  static Currency FromDouble(double AValue);
  double ToDouble() const;

  // A result beyond the 64-bit range raises EInvalidOp, as the framework's
  // amounts, computed on the floating-point unit, do: wrapping around would
  // turn a large amount into one of the other sign.
  friend constexpr Currency operator+(Currency A, Currency B) { return Currency(Checked(A.FRaw, B.FRaw, false)); }
  friend constexpr Currency operator-(Currency A, Currency B) { return Currency(Checked(A.FRaw, B.FRaw, true)); }
  constexpr Currency operator-() const { return Currency(Checked(0, FRaw, true)); }
  Currency& operator+=(Currency A) { return *this = *this + A; }
  Currency& operator-=(Currency A) { return *this = *this - A; }
  friend constexpr auto operator<=>(const Currency&, const Currency&) = default;

 private:
  explicit constexpr Currency(std::int64_t ARaw) : FRaw(ARaw) {}
  static constexpr std::int64_t Checked(std::int64_t A, std::int64_t B, bool ASubtract)
  {
    std::int64_t result = 0;
    if (ASubtract ? __builtin_sub_overflow(A, B, &result) : __builtin_add_overflow(A, B, &result))
      RaiseOverflow();
    return result;
  }
  [[noreturn]] static void RaiseOverflow();

  std::int64_t FRaw = 0;
};
static_assert(sizeof(Currency) == 8);

// ---------------------------------------------------------------------------
// Rounding. Round rounds halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), as
// the framework's Round does with the processor's default rounding. Round and
// Trunc raise EInvalidOp for NaN and results beyond the 64-bit range; Ceil and
// Floor give Integer results and raise EInvalidOp beyond its range instead of
// wrapping silently.
std::int64_t Round(Extended AValue);
std::int64_t Trunc(Extended AValue);
int Ceil(Extended AValue);
int Floor(Extended AValue);

// The Win32 MulDiv: A x B / C with a 64-bit intermediate, halves rounded away
// from zero; -1 when C is 0 or the result does not fit. The same function,
// not a wrapper, so code that sees both names has no ambiguity.
using ::MulDiv;

// ---------------------------------------------------------------------------
// Enumerations with names.
//
//   RTL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
//
// declares a plain enumeration whose values count from 0 in the order given
// (explicit values are refused), one byte wide as the framework stores an
// enumeration of up to 256 values, and a type-info record reachable from the
// type: GetEnumInfo<TAlign>() (found through RtlEnumInfo(TAlign) by
// argument-dependent lookup, so the macro works in any namespace, though not
// inside a class).
//
// The values live in a scope of the type's own, so two enumerations of one
// namespace may both have a value bsNone. Write TAlign::alClient, or bring a
// type's values in where they are used: `using enum vcl::TAlign;` at the top
// of a source file, in a function or in a class. A header qualifies them, so
// that it puts no value names into the files that include it. The values still
// convert to their ordinals as the framework's do.

// The type information of a named enumeration: its name and the names of its
// values, indexed by ordinal. Low is 0, High is Names.size() - 1.
struct TEnumInfo {
  std::wstring_view Name;
  std::span<const std::wstring_view> Names;

  constexpr int Count() const { return static_cast<int>(Names.size()); }
  constexpr int High() const { return Count() - 1; }
};

// The identifier of ordinal AValue; empty for an ordinal outside the type
// (the framework reads beyond its name table there).
String GetEnumName(const TEnumInfo* AInfo, int AValue);
// The ordinal of the identifier, compared ignoring the case of ASCII letters;
// -1 when no value has that name.
int GetEnumValue(const TEnumInfo* AInfo, std::wstring_view AName);

namespace detail {

constexpr bool IsEnumBlank(wchar_t C)
{
  return C == L' ' || C == L'\t' || C == L'\r' || C == L'\n';
}

constexpr std::size_t CountEnumNames(std::wstring_view AList)
{
  std::size_t count = 1;
  for (wchar_t c : AList)
    count += c == L',';
  return count;
}

// Splits the stringised enumerator list "a, b, c" at compile time.
template <std::size_t N>
constexpr std::array<std::wstring_view, N> SplitEnumNames(std::wstring_view AList)
{
  std::array<std::wstring_view, N> names{};
  std::size_t start = 0;
  for (std::size_t i = 0; i < N; ++i) {
    std::size_t end = AList.find(L',', start);
    if (end == std::wstring_view::npos)
      end = AList.size();
    std::size_t first = start, last = end;
    while (first < last && IsEnumBlank(AList[first]))
      ++first;
    while (last > first && IsEnumBlank(AList[last - 1]))
      --last;
    names[i] = AList.substr(first, last - first);
    start = end + 1;
  }
  return names;
}

constexpr bool EnumListIsPlain(std::wstring_view AList)
{
  return AList.find(L'=') == std::wstring_view::npos;
}

template <std::size_t N>
using EnumStorage = std::conditional_t<(N <= 256), std::uint8_t, std::uint16_t>;

template <class E>
concept NamedEnum = requires(E e) {
  { RtlEnumInfo(e) } -> std::same_as<const TEnumInfo*>;
};

}  // namespace detail

#define RTL_ENUM(AName, ...)                                                                         \
  struct AName##_RtlEnum {                                                                           \
    enum AName : ::rtl::detail::EnumStorage<::rtl::detail::CountEnumNames(L"" #__VA_ARGS__)> {      \
      __VA_ARGS__                                                                                    \
    };                                                                                               \
    static_assert(::rtl::detail::EnumListIsPlain(L"" #__VA_ARGS__),                                  \
                  "RTL_ENUM values count from 0 in order; explicit values have no names");           \
    static constexpr auto Names =                                                                    \
        ::rtl::detail::SplitEnumNames<::rtl::detail::CountEnumNames(L"" #__VA_ARGS__)>(L"" #__VA_ARGS__); \
    static constexpr ::rtl::TEnumInfo Info{L## #AName, Names};                                       \
    friend constexpr const ::rtl::TEnumInfo* RtlEnumInfo(AName) { return &Info; }                    \
  };                                                                                                 \
  using AName = AName##_RtlEnum::AName

template <detail::NamedEnum E>
constexpr const TEnumInfo* GetEnumInfo()
{
  return RtlEnumInfo(E{});
}

template <detail::NamedEnum E>
constexpr int EnumCount()
{
  return GetEnumInfo<E>()->Count();
}

template <detail::NamedEnum E>
constexpr E EnumLow()
{
  return static_cast<E>(0);
}

template <detail::NamedEnum E>
constexpr E EnumHigh()
{
  return static_cast<E>(GetEnumInfo<E>()->High());
}

template <detail::NamedEnum E>
String GetEnumName(E AValue)
{
  return GetEnumName(GetEnumInfo<E>(), static_cast<int>(AValue));
}

// Returns an int, not E: -1 (unknown name) is no value of the type.
template <detail::NamedEnum E>
int GetEnumValue(std::wstring_view AName)
{
  return GetEnumValue(GetEnumInfo<E>(), AName);
}

// ---------------------------------------------------------------------------
// TSet<E, Low, High>: a set of the ordinals Low..High of E, member ord at bit
// (ord - Low). High defaults to the last value of a named enumeration; for
// other enumerations give it.
//
// ToOrd/FromOrd give the framework's memory layout for stored formats: the
// first member is bit 0, and the stored size is 1, 2 or 4 bytes for up to 8,
// 16 or 32 members (StoredSize).

namespace detail {

template <class E>
constexpr int DefaultSetHigh()
{
  if constexpr (NamedEnum<E>)
    return RtlEnumInfo(E{})->High();
  else
    return 255;
}

}  // namespace detail

template <class E, int Low = 0, int High = detail::DefaultSetHigh<E>()>
class TSet {
  static_assert(Low <= High && High - Low < 256, "a set holds at most 256 members");

 public:
  using Element = E;
  static constexpr int MemberCount = High - Low + 1;
  static constexpr int StoredSize = MemberCount <= 8 ? 1 : MemberCount <= 16 ? 2 : MemberCount <= 32 ? 4 : 0;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> AMembers)
  {
    for (E member : AMembers)
      Include(member);
  }

  constexpr bool Contains(E AMember) const
  {
    const int bit = BitOf(AMember);
    return bit >= 0 && (FWords[bit / 64] >> (bit % 64) & 1) != 0;
  }
  // Members outside Low..High are ignored, where the framework's Include/Exclude
  // without range checks would corrupt memory instead.
  constexpr TSet& Include(E AMember)
  {
    if (const int bit = BitOf(AMember); bit >= 0)
      FWords[bit / 64] |= std::uint64_t(1) << (bit % 64);
    return *this;
  }
  constexpr TSet& Exclude(E AMember)
  {
    if (const int bit = BitOf(AMember); bit >= 0)
      FWords[bit / 64] &= ~(std::uint64_t(1) << (bit % 64));
    return *this;
  }
  constexpr bool Empty() const { return *this == TSet(); }

  friend constexpr TSet operator+(TSet A, const TSet& B) { return A.Combine(B, [](auto x, auto y) { return x | y; }); }
  friend constexpr TSet operator-(TSet A, const TSet& B) { return A.Combine(B, [](auto x, auto y) { return x & ~y; }); }
  friend constexpr TSet operator*(TSet A, const TSet& B) { return A.Combine(B, [](auto x, auto y) { return x & y; }); }
  constexpr TSet& operator+=(const TSet& A) { return *this = *this + A; }
  constexpr TSet& operator-=(const TSet& A) { return *this = *this - A; }
  constexpr TSet& operator*=(const TSet& A) { return *this = *this * A; }
  // Subset and superset, as the framework's <= and >= on sets.
  friend constexpr bool operator<=(const TSet& A, const TSet& B) { return (A - B).Empty(); }
  friend constexpr bool operator>=(const TSet& A, const TSet& B) { return B <= A; }
  friend constexpr bool operator==(const TSet&, const TSet&) = default;

  constexpr std::uint32_t ToOrd() const
    requires(StoredSize != 0)
  {
    return static_cast<std::uint32_t>(FWords[0]);
  }
  // Bits beyond the last member are dropped.
  static constexpr TSet FromOrd(std::uint32_t AOrd)
    requires(StoredSize != 0)
  {
    TSet result;
    result.FWords[0] = AOrd & (MemberCount == 32 ? 0xFFFFFFFFu : (std::uint32_t(1) << MemberCount) - 1);
    return result;
  }

 private:
  static constexpr int BitOf(E AMember)
  {
    const int ord = static_cast<int>(AMember);
    return ord >= Low && ord <= High ? ord - Low : -1;
  }
  template <class F>
  constexpr TSet& Combine(const TSet& B, F AOp)
  {
    for (std::size_t i = 0; i < FWords.size(); ++i)
      FWords[i] = AOp(FWords[i], B.FWords[i]);
    return *this;
  }

  std::array<std::uint64_t, (MemberCount + 63) / 64> FWords{};
};

// The text form of a set of a named enumeration: the identifiers of the
// members in ordinal order, separated by commas without blanks, inside square
// brackets when ABrackets ("[alTop,alClient]"). AOrd is the ToOrd layout.
String SetToString(const TEnumInfo* AInfo, std::uint32_t AOrd, bool ABrackets = true);
// Reads that form back: blanks around identifiers and an enclosing bracket
// pair are optional, identifiers are compared ignoring ASCII case. An unknown
// identifier, an empty element or an unpaired bracket raises EConvertError
// ("Invalid property element: %s"), and so does an identifier beyond AHigh,
// the last member of a set over part of the enumeration (-1: all of it).
std::uint32_t StringToSet(const TEnumInfo* AInfo, std::wstring_view AText, int AHigh = -1);

template <detail::NamedEnum E, int High>
String SetToString(const TSet<E, 0, High>& ASet, bool ABrackets = true)
{
  return SetToString(GetEnumInfo<E>(), ASet.ToOrd(), ABrackets);
}

// StringToSet<TAlignSet>(L"[alTop,alClient]"); S is a TSet with Low 0.
template <class S>
S StringToSet(std::wstring_view AText)
{
  return S::FromOrd(StringToSet(GetEnumInfo<typename S::Element>(), AText, S::MemberCount - 1));
}

}  // namespace rtl
