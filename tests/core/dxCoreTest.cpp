#include "core/dxCore.h"

#include <windowsx.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/dxCoreCultures.h"
#include "platform/rtl/Variants.h"

using rtl::String;

namespace {

struct BytesCase {
  std::string_view Bytes;
  std::uint32_t Expected;
};

int Length(std::string_view S)
{
  return static_cast<int>(S.size());
}

}  // namespace

// ---------------------------------------------------------------------------
// Code pages

namespace {

struct CodePageCase {
  std::string_view Bytes;
  unsigned CodePage;
  std::wstring_view Text;
};

// Valid texts in several code pages; each must survive both directions.
const CodePageCase RoundTrips[] = {
    {"", CP_UTF8, L""},
    {"", 1252, L""},
    {"\xC3\xA9", CP_UTF8, L"\u00E9"},
    {"caf\xC3\xA9 \xE2\x82\xAC", CP_UTF8, L"caf\u00E9 \u20AC"},
    {"\xF0\x9F\x98\x80", CP_UTF8, L"\U0001F600"},
    {"caf\xE9 \x80", 1252, L"caf\u00E9 \u20AC"},
    {"\x82\xA0", 932, L"\u3042"},
    {"\xC6\xE6", 1251, L"\u0416\u0436"},
};

// Switches the operating-system family for one test and back.
class NonNTSystem {
 public:
  NonNTSystem() : FSaved(dxOSIsNTFamily) { dxOSIsNTFamily = false; }
  ~NonNTSystem() { dxOSIsNTFamily = FSaved; }

 private:
  bool FSaved;
};

}  // namespace

TEST(dxCodePageStrings, DecodeAndEncodeInBothDirections)
{
  for (const auto& c : RoundTrips) {
    SCOPED_TRACE(testing::PrintToString(String(c.Text)) + " in " + std::to_string(c.CodePage));
    EXPECT_EQ(dxDecodeCodePageString(c.Bytes, c.CodePage), c.Text);
    const rtl::AnsiString encoded = dxEncodeCodePageString(c.Text, c.CodePage);
    EXPECT_EQ(encoded.Bytes(), c.Bytes);
    EXPECT_EQ(encoded.CodePage(), c.CodePage);
  }
}

TEST(dxCodePageStrings, TheRunTimeCodecOutsideTheNTFamilyGivesTheSameTexts)
{
  NonNTSystem nonNT;
  for (const auto& c : RoundTrips) {
    if (c.CodePage != CP_UTF8)
      continue;
    SCOPED_TRACE(testing::PrintToString(String(c.Text)));
    EXPECT_EQ(dxDecodeCodePageString(c.Bytes, CP_UTF8), c.Text);
    EXPECT_EQ(dxEncodeCodePageString(c.Text, CP_UTF8).Bytes(), c.Bytes);
  }
}

TEST(dxCodePageStrings, TheRunTimeCodecReplacesMalformedInput)
{
  NonNTSystem nonNT;
  const struct {
    std::string_view Bytes;
    std::wstring_view Text;
  } decodes[] = {
      {"\xFF", L"\uFFFD"},
      {"a\xC3", L"a\uFFFD"},           // cut off at the end
      {"a\xE2\x82z", L"a\uFFFDz"},     // cut off by a plain character
      {"\xC0\xAF", L"\uFFFD"},         // overlong "/"
      {"\xED\xA0\x80", L"\uFFFD"},     // an encoded surrogate
      {"\xF4\x90\x80\x80", L"\uFFFD"}, // beyond U+10FFFF
      {"\x80x", L"\uFFFDx"},            // a stray continuation byte
  };
  for (const auto& c : decodes)
    EXPECT_EQ(dxDecodeCodePageString(c.Bytes, CP_UTF8), c.Text) << testing::PrintToString(std::string(c.Bytes));
  EXPECT_EQ(dxEncodeCodePageString(L"a\xD800" L"b", CP_UTF8).Bytes(), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(dxEncodeCodePageString(L"\xDC00", CP_UTF8).Bytes(), "\xEF\xBF\xBD");
}

TEST(dxCodePageStrings, CodePageZeroIsTheSystemAnsiCodePage)
{
  const std::string bytes = "caf\xE9";
  EXPECT_EQ(dxDecodeCodePageString(bytes, 0), dxDecodeCodePageString(bytes, GetACP()));
  EXPECT_EQ(dxEncodeCodePageString(L"caf\u00E9", 0).Bytes(), dxEncodeCodePageString(L"caf\u00E9", GetACP()).Bytes());
}

TEST(dxCodePageStrings, FailuresGiveEmptyOrDefaultCharactersInsteadOfErrors)
{
  EXPECT_EQ(dxDecodeCodePageString("abc", 12345), L"");
  EXPECT_EQ(dxEncodeCodePageString(L"abc", 12345).Bytes(), "");
  // A character the code page lacks becomes its default character.
  EXPECT_EQ(dxEncodeCodePageString(L"a\u3042", 1252).Bytes(), "a?");
}

TEST(dxCodePageStrings, CodePagesThatRefuseConversionFlagsStillDecode)
{
  // UTF-7 refuses MB_PRECOMPOSED (ERROR_INVALID_FLAGS); "+AIA-" is U+0080.
  EXPECT_EQ(dxDecodeCodePageString("a+AIA-", 65000), L"a\u0080");
}

TEST(dxShortStringFromUTF8, DecodesTheCountedBytesOnly)
{
  const std::uint8_t text[] = {3, 'a', 0xC3, 0xA9, 'z'};
  EXPECT_EQ(dxShortStringFromUTF8(text), L"a\u00E9");
  const std::uint8_t empty[] = {0, 'x'};
  EXPECT_EQ(dxShortStringFromUTF8(empty), L"");
  EXPECT_EQ(dxShortStringFromUTF8(nullptr), L"");
}

// ---------------------------------------------------------------------------
// Variants holding text or bytes

namespace {

rtl::Variant ByteArray(std::initializer_list<int> ABytes, int ALowBound = 0)
{
  rtl::Variant array = rtl::VarArrayCreate(ALowBound, ALowBound + static_cast<int>(ABytes.size()) - 1, rtl::varByte);
  int index = ALowBound;
  for (int b : ABytes)
    rtl::VarArrayPut(array, rtl::Variant(b), index++);
  return array;
}

}  // namespace

TEST(dxVariantAsAnsiString, BytesOfArraysAndEightBitStringsTextOfTheRest)
{
  struct Case {
    const char* Name;
    rtl::Variant Value;
    std::string_view Bytes;
  };
  const Case cases[] = {
      {"byte array", ByteArray({0x41, 0x00, 0xFF}), std::string_view("A\0\xFF", 3)},
      {"byte array from 5", ByteArray({0x61, 0x62}, 5), "ab"},
      {"empty array", rtl::VarArrayCreate(0, -1, rtl::varByte), ""},
      {"variant array", rtl::VarArrayOf({rtl::Variant(0xC3), rtl::Variant(0xA9)}), "\xC3\xA9"},
      {"8-bit string", rtl::Variant::FromAnsiString(rtl::AnsiString("\xC3\xA9", CP_UTF8)), "\xC3\xA9"},
      {"integer", rtl::Variant(-12), "-12"},
      {"boolean", rtl::Variant(true), "True"},
      {"text", rtl::Variant(L"abc"), "abc"},
      {"empty", rtl::Variant(), ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxVariantAsAnsiString(c.Value).Bytes(), c.Bytes) << c.Name;
  // An 8-bit string keeps its code page.
  EXPECT_EQ(dxVariantAsAnsiString(rtl::Variant::FromAnsiString(rtl::AnsiString("x", CP_UTF8))).CodePage(), unsigned(CP_UTF8));
  // Text the system code page lacks becomes its default character.
  EXPECT_EQ(dxVariantAsAnsiString(rtl::Variant(L"\u3042")).Bytes(), dxEncodeCodePageString(L"\u3042", 0).Bytes());
}

TEST(dxVariantAsUnicodeString, TextOfStringsAndDecodedBytesOfTheRest)
{
  EXPECT_EQ(dxVariantAsUnicodeString(rtl::Variant(L"\u3042b")), L"\u3042b");
  EXPECT_EQ(dxVariantAsUnicodeString(rtl::Variant::FromOleStr(L"ole")), L"ole");
  EXPECT_EQ(dxVariantAsUnicodeString(rtl::Variant::FromAnsiString(rtl::AnsiString("\xC3\xA9", CP_UTF8))), L"\u00E9");
  EXPECT_EQ(dxVariantAsUnicodeString(rtl::Variant(42)), L"42");
  EXPECT_EQ(dxVariantAsUnicodeString(ByteArray({0x61, 0x62})), L"ab");
  EXPECT_EQ(dxVariantAsUnicodeString(rtl::Variant()), L"");
}

TEST(dxVariantIsTextOrByteArray, StringsAndOneDimensionalArrays)
{
  EXPECT_TRUE(dxVariantIsTextOrByteArray(rtl::Variant(L"a")));
  EXPECT_TRUE(dxVariantIsTextOrByteArray(rtl::Variant::FromAnsiString(rtl::AnsiString("a"))));
  EXPECT_TRUE(dxVariantIsTextOrByteArray(rtl::Variant::FromOleStr(L"a")));
  EXPECT_TRUE(dxVariantIsTextOrByteArray(ByteArray({1})));
  EXPECT_FALSE(dxVariantIsTextOrByteArray(rtl::Variant(1)));
  EXPECT_FALSE(dxVariantIsTextOrByteArray(rtl::Variant()));
  EXPECT_FALSE(dxVariantIsTextOrByteArray(rtl::Variant::Null()));
}

// ---------------------------------------------------------------------------
// Numbers with a fixed decimal separator

TEST(dxFloatWithSeparator, ConvertsWithTheGivenSeparatorOnly)
{
  struct Case {
    const wchar_t* Text;
    wchar_t Separator;
    double Value;
  };
  const Case reads[] = {
      {L"1.5", L'.', 1.5},   {L"-0.25", L'.', -0.25}, {L"1,5", L',', 1.5},
      {L" 2E3 ", L'.', 2000}, {L"7", L'.', 7},        {L".5", L'.', 0.5},
  };
  for (const auto& c : reads)
    EXPECT_EQ(static_cast<double>(dxStrToFloatWithSeparator(c.Text, c.Separator)), c.Value) << c.Text;

  const wchar_t* const invalid[] = {L"1,5", L"1.000,5", L"", L"abc", L"1.5px"};
  for (const wchar_t* text : invalid)
    EXPECT_THROW(dxStrToFloatWithSeparator(text, L'.'), rtl::EConvertError) << text;
  // No thousand separator is accepted, whatever the user's locale says.
  EXPECT_THROW(dxStrToFloatWithSeparator(L"1,000.5", L'.'), rtl::EConvertError);

  EXPECT_EQ(dxFloatToStrWithSeparator(1.5, L'.'), L"1.5");
  EXPECT_EQ(dxFloatToStrWithSeparator(1.5, L','), L"1,5");
  EXPECT_EQ(dxFloatToStrWithSeparator(-1234567.25, L'.'), L"-1234567.25");
  EXPECT_EQ(dxFloatToStrWithSeparator(0.1, L'.'), L"0.1");
  EXPECT_EQ(dxFloatToStrWithSeparator(1E20, L'.'), L"1E20");
}

// ---------------------------------------------------------------------------
// Hashes

TEST(dxCrc32, MatchesTheStandardCheckValues)
{
  const BytesCase cases[] = {
      {"", 0},
      {"a", 0xE8B7BE43u},
      {"abc", 0x352441C2u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxCrc32(c.Bytes.data(), Length(c.Bytes)), c.Expected) << c.Bytes;
}

TEST(dxCrc32, HashesBytesAboveSevenBitsAndIgnoresNegativeLengths)
{
  const std::uint8_t allOnes[4] = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(dxCrc32(allOnes, 4), 0xFFFFFFFFu);
  EXPECT_EQ(dxCrc32("abc", -1), 0u);
}

TEST(dxHashBytes, MatchesThePublishedLookup3Values)
{
  struct Case {
    std::string_view Bytes;
    std::uint32_t InitialValue;
    std::uint32_t Expected;
  };
  const Case cases[] = {
      {"", 0, 0xDEADBEEFu},
      {"", 0xDEADBEEFu, 0xBD5B7DDEu},
      {"Four score and seven years ago", 0, 0x17770551u},
      {"Four score and seven years ago", 1, 0xCD628161u},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxHashBytes(c.Bytes.data(), Length(c.Bytes), c.InitialValue), c.Expected) << c.Bytes;
}

TEST(dxHashBytes, EveryTailLengthAndEveryByteCounts)
{
  // Lengths 1 to 25 cover each tail of one to twelve bytes after zero, one
  // and two full blocks; changing any single byte must change the hash.
  const std::string_view text = "abcdefghijklmnopqrstuvwxy";
  for (int length = 1; length <= Length(text); ++length) {
    std::string bytes(text.substr(0, length));
    const std::uint32_t hash = dxHashBytes(bytes.data(), length, 0);
    EXPECT_NE(hash, dxHashBytes(bytes.data(), length - 1, 0)) << length;
    for (int i = 0; i < length; ++i) {
      std::string changed = bytes;
      changed[i] ^= 0x80;
      EXPECT_NE(dxHashBytes(changed.data(), length, 0), hash) << length << " byte " << i;
    }
  }
}

TEST(dxHashShiftXor, MatchesHandComputedValues)
{
  const BytesCase cases[] = {
      {"", 0},
      {"a", 218},             // (1 shl 7) xor $61 = 225; 225 - 225 shr 5 = 218
      {"ab", 43846},          // $B0E2 = 45282; - 22; - 1414
      {"abcde", 0x1B72AE55u}, // the shifted length wraps out of 32 bits
      {"Hello, world", 0x79FD521Au},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxHashShiftXor(c.Bytes.data(), Length(c.Bytes)), c.Expected) << c.Bytes;
}

// ---------------------------------------------------------------------------
// Captions

TEST(dxStripAmpersands, DeletesMarksAndKeepsTheCharacterAfterEach)
{
  struct Case {
    const wchar_t* Caption;
    bool Flag;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"", false, L""},
      {L"", true, L""},
      {L"File", true, L"File"},
      {L"&File", false, L"File"},
      {L"&File", true, L"File"},
      {L"A&&B", false, L"A&B"},
      {L"&", false, L""},
      {L"&", true, L"_"},
      {L"&&", true, L"&"},
      {L"&&&", false, L"&"},
      {L"&&&", true, L"&_"},
      {L"Save&", false, L"Save"},
      {L"Save&", true, L"Save_"},
      {L"Save&&", true, L"Save&"},
      {L"&Save &As", true, L"Save As"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(dxStripAmpersands(c.Caption, c.Flag), c.Expected) << testing::PrintToString(String(c.Caption)) << c.Flag;
}

// ---------------------------------------------------------------------------
// Byte order, memory and values

TEST(dxSwapBytes, ReverseTheBytes)
{
  EXPECT_EQ(dxSwapWordBytes(0x1234), 0x3412);
  EXPECT_EQ(dxSwapWordBytes(0xFF00), 0x00FF);
  EXPECT_EQ(dxSwapLongBytes(0x12345678u), 0x78563412u);
  EXPECT_EQ(dxSwapLongBytes(0x000000FFu), 0xFF000000u);
  // A big-endian size as stored in an image header.
  const std::uint8_t header[4] = {0x00, 0x00, 0x01, 0x02};
  std::uint32_t read;
  std::memcpy(&read, header, 4);
  EXPECT_EQ(dxSwapLongBytes(read), 0x0102u);
}

TEST(dxMemory, ZeroAllocateAndCopy)
{
  auto* block = static_cast<std::uint8_t*>(dxAllocZeroedMem(64));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i)
    ASSERT_EQ(block[i], 0) << i;

  const char text[] = "0123456789";
  dxCopyMemory(text, block, 10);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(block), 10), "0123456789");
  // Overlapping blocks copy as if through a buffer.
  dxCopyMemory(block, block + 2, 8);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(block), 10), "0101234567");
  dxCopyMemory(block + 2, block, 8);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(block), 10), "0123456767");

  dxZeroMemory(block + 1, 3);
  EXPECT_EQ(block[0], '0');
  EXPECT_EQ(block[1] | block[2] | block[3], 0);
  EXPECT_EQ(block[4], '4');
  dxZeroMemory(block, 0);
  dxCopyMemory(text, block, -1);
  EXPECT_EQ(block[0], '0');
  dxFreeMem(block);
  dxFreeMem(nullptr);
  EXPECT_EQ(dxAllocZeroedMem(0), nullptr);
}

TEST(dxValues, ExchangeCompareAndConvert)
{
  int a = 1, b = 2;
  dxExchangeIntegers(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  int* pa = &a;
  int* pb = &b;
  dxExchangePointers(pa, pb);
  EXPECT_EQ(pa, &b);
  EXPECT_EQ(pb, &a);

  struct Case {
    int A, B, Expected;
  };
  const Case compares[] = {{2, 2, 0}, {1, 2, -1}, {2, 1, 1}, {INT_MIN, INT_MAX, -1}, {INT_MAX, INT_MIN, 1}};
  for (const auto& c : compares)
    EXPECT_EQ(dxCompareInts(c.A, c.B), c.Expected) << c.A << " " << c.B;

  EXPECT_FALSE(dxByteBoolToBoolean(0));
  EXPECT_TRUE(dxByteBoolToBoolean(1));
  EXPECT_TRUE(dxByteBoolToBoolean(0x80));
}

namespace {

struct TNotifyListener {
  int Calls = 0;
  rtl::TObject* Sender = nullptr;
  void Notify(rtl::TObject* ASender)
  {
    ++Calls;
    Sender = ASender;
  }
  void Other(rtl::TObject*) {}
  void Message(rtl::TMessage&) {}
};

}  // namespace

TEST(dxNotifyEvents, CallAssignedEventsWithTheSender)
{
  TNotifyListener listener;
  int stand_in = 0;
  auto* sender = reinterpret_cast<rtl::TObject*>(&stand_in);
  const auto event = rtl::TNotifyEvent::Bind<&TNotifyListener::Notify>(&listener);
  dxCallNotifyEvent(event, sender);
  EXPECT_EQ(listener.Calls, 1);
  EXPECT_EQ(listener.Sender, sender);
  dxCallNotifyEvent(nullptr, event);
  EXPECT_EQ(listener.Calls, 2);
  EXPECT_EQ(listener.Sender, nullptr);
  dxCallNotifyEvent(rtl::TNotifyEvent(), sender);
  EXPECT_EQ(listener.Calls, 2);
}

TEST(dxSameMethods, NeedSameCodeAndSameObject)
{
  TNotifyListener a, b;
  const auto aNotify = rtl::TNotifyEvent::Bind<&TNotifyListener::Notify>(&a);
  EXPECT_TRUE(dxSameMethods(aNotify, rtl::TNotifyEvent::Bind<&TNotifyListener::Notify>(&a)));
  EXPECT_FALSE(dxSameMethods(aNotify, rtl::TNotifyEvent::Bind<&TNotifyListener::Notify>(&b)));
  EXPECT_FALSE(dxSameMethods(aNotify, rtl::TNotifyEvent::Bind<&TNotifyListener::Other>(&a)));
  EXPECT_FALSE(dxSameMethods(aNotify, rtl::TNotifyEvent()));
  EXPECT_TRUE(dxSameMethods(rtl::TNotifyEvent(), rtl::TWndMethod()));
  EXPECT_FALSE(dxSameMethods(aNotify, rtl::TWndMethod::Bind<&TNotifyListener::Message>(&a)));
}

namespace {

class TFreed : public rtl::TObject {
  RTL_CLASS(TFreed, rtl::TObject)

 public:
  void Create(TFreed** AHolder, bool* AHolderClearedFirst)
  {
    FHolder = AHolder;
    FHolderClearedFirst = AHolderClearedFirst;
  }
  void Destroy() override
  {
    *FHolderClearedFirst = *FHolder == nullptr;
    inherited::Destroy();
  }

 private:
  TFreed** FHolder;
  bool* FHolderClearedFirst;
};

}  // namespace

TEST(dxFreeAndNilRef, ClearsTheVariableBeforeFreeing)
{
  bool clearedFirst = false;
  TFreed* holder = nullptr;
  holder = rtl::New<TFreed>(&holder, &clearedFirst);
  dxFreeAndNilRef(holder);
  EXPECT_EQ(holder, nullptr);
  EXPECT_TRUE(clearedFirst);
  dxFreeAndNilRef(holder);  // nil-safe
}

TEST(dxSameTextQuick, NeedsEqualLengthsAndIgnoresCase)
{
  EXPECT_TRUE(dxSameTextQuick(L"abc", L"ABC"));
  EXPECT_TRUE(dxSameTextQuick(L"", L""));
  EXPECT_FALSE(dxSameTextQuick(L"abc", L"abcd"));
  EXPECT_FALSE(dxSameTextQuick(L"abc", L"abd"));
}

TEST(dxPointToLParam, PacksXLowAndYHigh)
{
  EXPECT_EQ(dxPointToLParam(POINT{0x12, 0x34}), static_cast<LPARAM>(0x00340012));
  // Negative coordinates keep their 16-bit two's complement, as
  // GET_X_LPARAM and GET_Y_LPARAM read them back.
  const LPARAM packed = dxPointToLParam(POINT{-1, -2});
  EXPECT_EQ(GET_X_LPARAM(packed), -1);
  EXPECT_EQ(GET_Y_LPARAM(packed), -2);
  dxAssertCheck(false, L"does nothing at run time");
}

// ---------------------------------------------------------------------------
// Characters

TEST(dxCharacters, ClassesFromTheSystemTables)
{
  struct Case {
    wchar_t Char;
    bool Alpha, Digit, Lower;
    wchar_t Lowered;
  };
  const Case cases[] = {
      {L'a', true, false, true, L'a'},
      {L'Z', true, false, false, L'z'},
      {L'5', false, true, false, L'5'},
      {L' ', false, false, false, L' '},
      {L'_', false, false, false, L'_'},
      {L'\u00E9', true, false, true, L'\u00E9'},  // é
      {L'\u00C4', true, false, false, L'\u00E4'}, // Ä
      {L'\u00DF', true, false, true, L'\u00DF'},  // ß
      {L'\u0416', true, false, false, L'\u0436'}, // Cyrillic Zhe
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Char));
    EXPECT_EQ(dxCharIsAlpha(c.Char), c.Alpha);
    EXPECT_EQ(dxIsAlphaChar(c.Char), c.Alpha);
    EXPECT_EQ(dxCharIsDigit(c.Char), c.Digit);
    EXPECT_EQ(dxIsDigitChar(c.Char), c.Digit);
    EXPECT_EQ(dxCharIsLower(c.Char), c.Lower);
    EXPECT_EQ(dxCharToLower(c.Char), c.Lowered);
  }
  EXPECT_EQ(dxGetCharType1(L'7') & (C1_DIGIT | C1_ALPHA), C1_DIGIT);
}

TEST(dxCharInSet, OnlyEightBitCharactersCanBeMembers)
{
  EXPECT_TRUE(dxCharInSet(L'b', "abc"));
  EXPECT_FALSE(dxCharInSet(L'B', "abc"));
  EXPECT_FALSE(dxCharInSet(L'a', ""));
  EXPECT_TRUE(dxCharInSet(L'\u00FF', "\xFF"));
  // U+0161 and U+0361 share their low byte with "a" and must not match it.
  EXPECT_FALSE(dxCharInSet(L'\u0161', "a"));
  EXPECT_FALSE(dxCharInSet(L'\u0361', "a"));
}

// ---------------------------------------------------------------------------
// Locales

TEST(dxLocales, PackIdentifiersAsTheSystemDoes)
{
  EXPECT_EQ(dxMakeLangID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  EXPECT_EQ(dxMakeLangID(0x07, 0x01), 0x0407);
  EXPECT_EQ(dxMakeLCID(0x0407, SORT_GERMAN_PHONE_BOOK), MAKELCID(0x0407, SORT_GERMAN_PHONE_BOOK));
  EXPECT_EQ(dxMakeLCID(0x0409, 0), 0x0409u);
}

TEST(dxLocales, CultureNeutralLocaleFollowsTheSystemVersion)
{
  const bool saved = dxOSIsWindowsXPOrLater;
  EXPECT_EQ(dxGetCultureNeutralLocale(), 0x7Fu);
  dxOSIsWindowsXPOrLater = false;
  EXPECT_EQ(dxGetCultureNeutralLocale(), 0x0409u);
  dxOSIsWindowsXPOrLater = saved;
}

TEST(dxGetLocaleFormatSettings, ReadsTheLocaleAndKeepsTheThreadLocale)
{
  const LCID threadLocale = GetThreadLocale();
  struct Case {
    LCID Locale;
    wchar_t Decimal;
  };
  const Case cases[] = {{0x0409, L'.'}, {0x0407, L','}, {LOCALE_INVARIANT, L'.'}, {0x040C, L','}};
  for (const auto& c : cases) {
    EXPECT_EQ(dxGetLocaleFormatSettings(c.Locale).DecimalSeparator, c.Decimal) << std::hex << c.Locale;
    EXPECT_EQ(GetThreadLocale(), threadLocale);
  }
  EXPECT_EQ(dxGetLocaleFormatSettings(0x0407).LongMonthNames[2], L"M\u00E4rz");
}

TEST(dxGetLocaleInfoString, ReturnsTheTextWithoutItsNull)
{
  EXPECT_EQ(dxGetLocaleInfoString(0x0409, LOCALE_IDEFAULTANSICODEPAGE, L"x"), L"1252");
  EXPECT_EQ(dxGetLocaleInfoString(0x0409, LOCALE_SENGLANGUAGE, L"x"), L"English");
  EXPECT_EQ(dxGetLocaleInfoString(LOCALE_INVARIANT, LOCALE_SDECIMAL, L"x"), L".");
}

TEST(dxGetLocaleInfoString, GivesTheDefaultWhenTheSystemRejectsTheRequest)
{
  EXPECT_EQ(dxGetLocaleInfoString(0x0409, 0xFFFF, L"default"), L"default");
  EXPECT_EQ(dxGetLocaleInfoString(0x0409, 0xFFFF, L""), L"");
  EXPECT_EQ(dxGetLocaleInfoString(0x12345678, LOCALE_SDECIMAL, L"none"), L"none");
}

// ---------------------------------------------------------------------------
// String builder pool

// Each pool test starts from an empty pool and leaves one behind. Not in an
// anonymous namespace: the tests derive from it, which GCC refuses once the
// file is compiled as part of a larger one.
class StringBuilderPool : public testing::Test {
 protected:
  void SetUp() override { TdxStringBuilderManager::Finalize(); }
  void TearDown() override { TdxStringBuilderManager::Finalize(); }
};

TEST_F(StringBuilderPool, KeepsFourBuildersAndFreesTheSurplus)
{
  std::vector<rtl::TStringBuilder*> released;
  for (int i = 0; i < 5; ++i) {
    rtl::TStringBuilder* builder = TdxStringBuilderManager::Get(8);
    builder->Append(L"text");
    released.push_back(builder);
  }
  for (auto* builder : released) {
    rtl::TStringBuilder* variable = builder;
    TdxStringBuilderManager::Release(variable);
    EXPECT_EQ(variable, nullptr);
  }
  // Each release pushes the pooled builders one slot on, so the one pooled
  // longest falls out when a fifth arrives: the first four gets return the
  // last four released, newest first.
  for (int i = 4; i >= 1; --i) {
    rtl::TStringBuilder* builder = TdxStringBuilderManager::Get(4);
    EXPECT_EQ(builder, released[i]) << i;
    EXPECT_EQ(builder->GetLength(), 0);
    EXPECT_EQ(builder->ToString(), L"");
    released[i] = builder;
  }
  rtl::TStringBuilder* fresh = TdxStringBuilderManager::Get(4);
  for (int i = 1; i <= 4; ++i)
    EXPECT_NE(fresh, released[i]);
  EXPECT_GE(fresh->GetCapacity(), 4);
  TdxStringBuilderManager::Release(fresh);
  for (int i = 1; i <= 4; ++i)
    TdxStringBuilderManager::Release(released[i]);
}

TEST_F(StringBuilderPool, GetRaisesButNeverLowersTheCapacity)
{
  rtl::TStringBuilder* builder = TdxStringBuilderManager::Get(100);
  EXPECT_GE(builder->GetCapacity(), 100);
  rtl::TStringBuilder* pooled = builder;
  TdxStringBuilderManager::Release(builder);

  builder = TdxStringBuilderManager::Get(10);
  EXPECT_EQ(builder, pooled);
  EXPECT_GE(builder->GetCapacity(), 100);
  TdxStringBuilderManager::Release(builder);

  builder = TdxStringBuilderManager::Get(1000);
  EXPECT_EQ(builder, pooled);
  EXPECT_GE(builder->GetCapacity(), 1000);
  TdxStringBuilderManager::Release(builder);
}

TEST_F(StringBuilderPool, ReleaseOfNothingAndFinalizeOfAnEmptyPoolDoNothing)
{
  rtl::TStringBuilder* nothing = nullptr;
  TdxStringBuilderManager::Release(nothing);
  EXPECT_EQ(nothing, nullptr);
  TdxStringBuilderManager::Finalize();
  rtl::TStringBuilder* builder = TdxStringBuilderManager::Get(0);
  ASSERT_NE(builder, nullptr);
  TdxStringBuilderManager::Release(builder);
}

TEST_F(StringBuilderPool, NeverHandsOneBuilderToTwoThreads)
{
  // Each thread writes its own mark into the builder it holds; a builder
  // handed out twice would show the other thread's writing.
  std::vector<std::thread> threads;
  std::vector<int> faults(6, 0);
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([t, &faults] {
      const String mark(3, static_cast<wchar_t>(L'A' + t));
      for (int i = 0; i < 20000; ++i) {
        rtl::TStringBuilder* builder = TdxStringBuilderManager::Get(16);
        if (builder->GetLength() != 0)
          ++faults[t];
        builder->Append(mark);
        std::this_thread::yield();
        if (builder->ToString() != mark)
          ++faults[t];
        TdxStringBuilderManager::Release(builder);
      }
    });
  }
  for (auto& thread : threads)
    thread.join();
  for (int t = 0; t < 6; ++t)
    EXPECT_EQ(faults[t], 0) << t;
}

// ---------------------------------------------------------------------------
// Culture names

TEST(dxCultureNames, MapTheWindowsLocaleIdentifiersToTheirTags)
{
  EXPECT_EQ(376, dxCultureNameCount());
  struct TCase {
    std::uint32_t LCID;
    const wchar_t* Name;
  };
  const TCase cases[] = {{0x0001, L"ar"},          {0x0004, L"zh-Hans"},         {0x0014, L"no"},
                         {0x007F, L""},            {0x0401, L"ar-SA"},           {0x0409, L"en-US"},
                         {0x0414, L"nb-NO"},       {0x0803, L"ca-ES-valencia"},  {0x0804, L"zh-CN"},
                         {0x081A, L"sr-Latn-CS"},  {0x0C1A, L"sr-Cyrl-CS"},      {0x045C, L"chr-Cher-US"},
                         {0x6C1A, L"sr-Cyrl"},     {0x781A, L"bs"},              {0x785F, L"tzm-Tfng"},
                         {0x7C04, L"zh-Hant"},     {0x7C14, L"nb"},              {0x7C1A, L"sr"},
                         {0x7C92, L"ku-Arab"}};
  for (const TCase& c : cases) {
    String name = L"unset";
    EXPECT_TRUE(dxTryGetCultureName(c.LCID, name)) << std::hex << c.LCID;
    EXPECT_EQ(c.Name, name) << std::hex << c.LCID;
  }
  String name;
  EXPECT_FALSE(dxTryGetCultureName(0x040A, name));
}

TEST(dxCultureNames, HoldExactlyTheListedIdentifiers)
{
  // The identifiers of the Windows reference, as inclusive ranges.
  const std::pair<std::uint32_t, std::uint32_t> ranges[] = {
      {0x0001, 0x002F}, {0x0032, 0x0032}, {0x0034, 0x003C}, {0x003E, 0x0054}, {0x0056, 0x0057}, {0x0059, 0x005F},
      {0x0061, 0x0065}, {0x0067, 0x0068}, {0x006A, 0x0070}, {0x0073, 0x0073}, {0x0075, 0x0075}, {0x0078, 0x0078},
      {0x007A, 0x007A}, {0x007C, 0x007C}, {0x007E, 0x0088}, {0x008C, 0x008C}, {0x0091, 0x0092}, {0x0401, 0x0409},
      {0x040B, 0x042F}, {0x0432, 0x0432}, {0x0434, 0x043B}, {0x043E, 0x0454}, {0x0456, 0x0457}, {0x045A, 0x045E},
      {0x0461, 0x0465}, {0x0468, 0x0468}, {0x046A, 0x0470}, {0x0473, 0x0473}, {0x0475, 0x0475}, {0x0478, 0x0478},
      {0x047A, 0x047A}, {0x047C, 0x047C}, {0x047E, 0x047E}, {0x0480, 0x0488}, {0x048C, 0x048C}, {0x0491, 0x0492},
      {0x0801, 0x0801}, {0x0803, 0x0804}, {0x0807, 0x0807}, {0x0809, 0x080A}, {0x080C, 0x080C}, {0x0810, 0x0810},
      {0x0813, 0x0814}, {0x0816, 0x0816}, {0x081A, 0x081A}, {0x081D, 0x081D}, {0x082C, 0x082C}, {0x082E, 0x082E},
      {0x0832, 0x0832}, {0x083B, 0x083C}, {0x083E, 0x083E}, {0x0843, 0x0843}, {0x0845, 0x0846}, {0x0849, 0x0849},
      {0x0850, 0x0850}, {0x0859, 0x0859}, {0x085D, 0x085D}, {0x085F, 0x085F}, {0x0867, 0x0867}, {0x086B, 0x086B},
      {0x0873, 0x0873}, {0x0C01, 0x0C01}, {0x0C04, 0x0C04}, {0x0C07, 0x0C07}, {0x0C09, 0x0C0A}, {0x0C0C, 0x0C0C},
      {0x0C1A, 0x0C1A}, {0x0C3B, 0x0C3B}, {0x0C6B, 0x0C6B}, {0x1001, 0x1001}, {0x1004, 0x1004}, {0x1007, 0x1007},
      {0x1009, 0x100A}, {0x100C, 0x100C}, {0x101A, 0x101A}, {0x103B, 0x103B}, {0x105F, 0x105F}, {0x1401, 0x1401},
      {0x1404, 0x1404}, {0x1407, 0x1407}, {0x1409, 0x140A}, {0x140C, 0x140C}, {0x141A, 0x141A}, {0x143B, 0x143B},
      {0x1801, 0x1801}, {0x1809, 0x180A}, {0x180C, 0x180C}, {0x181A, 0x181A}, {0x183B, 0x183B}, {0x1C01, 0x1C01},
      {0x1C09, 0x1C0A}, {0x1C1A, 0x1C1A}, {0x1C3B, 0x1C3B}, {0x2001, 0x2001}, {0x2009, 0x200A}, {0x201A, 0x201A},
      {0x203B, 0x203B}, {0x2401, 0x2401}, {0x2409, 0x240A}, {0x241A, 0x241A}, {0x243B, 0x243B}, {0x2801, 0x2801},
      {0x2809, 0x280A}, {0x281A, 0x281A}, {0x2C01, 0x2C01}, {0x2C09, 0x2C0A}, {0x2C1A, 0x2C1A}, {0x3001, 0x3001},
      {0x3009, 0x300A}, {0x301A, 0x301A}, {0x3401, 0x3401}, {0x3409, 0x340A}, {0x3801, 0x3801}, {0x380A, 0x380A},
      {0x3C01, 0x3C01}, {0x3C0A, 0x3C0A}, {0x4001, 0x4001}, {0x4009, 0x400A}, {0x4409, 0x440A}, {0x4809, 0x480A},
      {0x4C0A, 0x4C0A}, {0x500A, 0x500A}, {0x540A, 0x540A}, {0x641A, 0x641A}, {0x681A, 0x681A}, {0x6C1A, 0x6C1A},
      {0x701A, 0x701A}, {0x703B, 0x703B}, {0x742C, 0x742C}, {0x743B, 0x743B}, {0x7804, 0x7804}, {0x7814, 0x7814},
      {0x781A, 0x781A}, {0x782C, 0x782C}, {0x783B, 0x783B}, {0x7843, 0x7843}, {0x7850, 0x7850}, {0x785D, 0x785D},
      {0x785F, 0x785F}, {0x7C04, 0x7C04}, {0x7C14, 0x7C14}, {0x7C1A, 0x7C1A}, {0x7C28, 0x7C28}, {0x7C2E, 0x7C2E},
      {0x7C3B, 0x7C3B}, {0x7C43, 0x7C43}, {0x7C46, 0x7C46}, {0x7C50, 0x7C50}, {0x7C59, 0x7C59}, {0x7C5C, 0x7C5D},
      {0x7C5F, 0x7C5F}, {0x7C67, 0x7C68}, {0x7C92, 0x7C92}};
  int listed = 0;
  for (const auto& [first, last] : ranges)
    for (std::uint32_t id = first; id <= last; ++id) {
      String name;
      EXPECT_TRUE(dxTryGetCultureName(id, name)) << std::hex << id;
      EXPECT_TRUE(id == 0x007F || !name.empty()) << std::hex << id;
      ++listed;
    }
  EXPECT_EQ(dxCultureNameCount(), listed);
}
