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

namespace {

// Each pool test starts from an empty pool and leaves one behind.
class StringBuilderPool : public testing::Test {
 protected:
  void SetUp() override { TdxStringBuilderManager::Finalize(); }
  void TearDown() override { TdxStringBuilderManager::Finalize(); }
};

}  // namespace

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
