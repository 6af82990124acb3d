// The variant order and equality tests, and the tagged variant stream: the
// exact bytes of each tag, round trips, and a reader that survives damaged
// streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editors/cxVariants.h"
#include "platform/rtl/ClassesStreams.h"
#include "tests/support/TestMutation.h"

namespace {

using rtl::Variant;
using TVarBytes = std::vector<std::uint8_t>;

TVarBytes WrittenBytes(const Variant& V)
{
  rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
  cxWriteVariant(stream.get(), V);
  const TVarBytes& bytes = stream->GetBytes();
  return TVarBytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(stream->GetSize()));
}

Variant ReadBack(const TVarBytes& ABytes)
{
  rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>(ABytes));
  Variant result;
  cxReadVariant(stream.get(), result);
  EXPECT_EQ(stream->GetPosition(), stream->GetSize()) << "the reader stops at the value's end";
  return result;
}

TEST(cxVarCompareTest, OrdersEmptyNullScalarsAndArrays)
{
  const Variant empty;
  const Variant null = rtl::Null();
  const struct {
    const char* Name;
    Variant V1, V2;
    int Sign;
  } cases[] = {
      {"Empty, Empty", empty, empty, 0},
      {"Empty, Null", empty, null, -1},
      {"Null, Empty", null, empty, 1},
      {"Null, Null", null, null, 0},
      {"Null, 5", null, Variant(5), -1},
      {"5, Null", Variant(5), null, 1},
      {"Empty, 0", empty, Variant(0), -1},
      {"1, 1.0", Variant(1), Variant(1.0), 0},
      {"1, 2", Variant(1), Variant(2), -1},
      {"2.5, 2", Variant(2.5), Variant(2), 1},
      {"'a', 'b'", Variant(L"a"), Variant(L"b"), -1},
      {"text against a number it is not", Variant(L"x"), Variant(1), -1},
      {"number against a text it is not", Variant(1), Variant(L"x"), -1},
      {"array after a scalar", rtl::VarArrayOf({1}), Variant(5), 1},
      {"scalar before an array", Variant(5), rtl::VarArrayOf({1}), -1},
      {"shorter array first", rtl::VarArrayOf({1}), rtl::VarArrayOf({1, 2}), -1},
      {"equal arrays", rtl::VarArrayOf({1, L"a"}), rtl::VarArrayOf({1.0, L"a"}), 0},
      {"first differing element decides", rtl::VarArrayOf({1, 3}), rtl::VarArrayOf({1, 2}), 1},
  };
  for (const auto& c : cases) {
    const int result = cxVarCompare(c.V1, c.V2);
    EXPECT_EQ((result > 0) - (result < 0), c.Sign) << c.Name;
  }
}

TEST(cxVarCompareTest, EqualityAndSameValue)
{
  const struct {
    const char* Name;
    Variant V1, V2;
    bool IsEqual, SameValue;
  } cases[] = {
      {"integer 1 and double 1.0", Variant(1), Variant(1.0), true, true},
      {"Null and Null", rtl::Null(), rtl::Null(), true, true},
      {"Null and Empty", rtl::Null(), Variant(), false, false},
      {"True and 'True'", Variant(true), Variant(L"True"), false, true},
      {"'False' and False", Variant(L"False"), Variant(false), false, true},
      {"True and 'true'", Variant(true), Variant(L"true"), false, false},
      {"True and -1", Variant(true), Variant(-1), true, false},
      {"True and Null", Variant(true), rtl::Null(), false, false},
      {"'abc' and 'abc'", Variant(L"abc"), Variant(L"abc"), true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cxVarIsEqual(c.V1, c.V2), c.IsEqual) << c.Name;
    EXPECT_EQ(cxVarSameValue(c.V1, c.V2), c.SameValue) << c.Name;
  }
}

TEST(cxVariantsTest, TypeTests)
{
  EXPECT_TRUE(cxVarIsDateTime(Variant::FromDate(45000.5)));
  EXPECT_FALSE(cxVarIsDateTime(Variant(45000.5)));
  EXPECT_TRUE(cxVarIsNumeric(Variant(Variant::FromByte(3))));
  EXPECT_TRUE(cxVarIsNumeric(Variant(rtl::Currency::FromRaw(5))));
  EXPECT_FALSE(cxVarIsNumeric(Variant(L"1")));
  EXPECT_TRUE(cxVarIsNullOrEmptyString(rtl::Null()));
  EXPECT_TRUE(cxVarIsNullOrEmptyString(Variant(L"")));
  EXPECT_FALSE(cxVarIsNullOrEmptyString(Variant()));
  EXPECT_FALSE(cxVarIsNullOrEmptyString(Variant(L" ")));
}

TEST(cxVariantStreamTest, WritesTheExactBytesOfEachTag)
{
  const TVarBytes le2147483648 = {19, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0};
  const struct {
    const char* Name;
    Variant Value;
    TVarBytes Bytes;
  } cases[] = {
      {"Null", rtl::Null(), {0x00}},
      {"Empty", Variant(), {0x0D}},
      {"False", Variant(false), {0x08}},
      {"True", Variant(true), {0x09}},
      {"127", Variant(127), {0x02, 0x7F}},
      {"-128", Variant(-128), {0x02, 0x80}},
      {"128", Variant(128), {0x03, 0x80, 0x00}},
      {"-129", Variant(-129), {0x03, 0x7F, 0xFF}},
      {"32768", Variant(32768), {0x04, 0x00, 0x80, 0x00, 0x00}},
      {"a 64-bit 5 is small", Variant(std::int64_t{5}), {0x02, 0x05}},
      {"a byte", Variant::FromByte(200), {0x03, 0xC8, 0x00}},
      {"2147483648", Variant(std::int64_t{2147483648LL}), le2147483648},
      {"single 1.5", Variant::FromSingle(1.5f), {0x0F, 0x00, 0x00, 0xC0, 0x3F}},
      {"double 1.0 as extended", Variant(1.0), {0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {"currency 1.5", Variant(rtl::Currency::FromRaw(15000)), {0x10, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}},
      {"date 1.0", Variant::FromDate(1.0), {0x11, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {"wide 'ab'", Variant(L"ab"), {0x12, 0x02, 0, 0, 0, 'a', 0, 'b', 0}},
      {"8-bit 'ab'", Variant::FromAnsiString(rtl::AnsiString("ab")), {0x06, 0x02, 'a', 'b'}},
      {"[1, 'a', Null]",
       rtl::VarArrayOf({1, L"a", rtl::Null()}),
       {0x01, 0x02, 0x03, 0x02, 0x01, 0x12, 0x01, 0x00, 0x00, 0x00, 0x61, 0x00, 0x00}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WrittenBytes(c.Value), c.Bytes) << c.Name;
}

TEST(cxVariantStreamTest, EightBitStringsSwitchToALongLengthAbove255Bytes)
{
  const TVarBytes short255 = WrittenBytes(Variant::FromAnsiString(rtl::AnsiString(std::string(255, 'x'))));
  ASSERT_EQ(short255.size(), 2u + 255u);
  EXPECT_EQ(short255[0], 6);
  EXPECT_EQ(short255[1], 0xFF);

  const TVarBytes long256 = WrittenBytes(Variant::FromAnsiString(rtl::AnsiString(std::string(256, 'x'))));
  ASSERT_EQ(long256.size(), 5u + 256u);
  EXPECT_EQ(TVarBytes(long256.begin(), long256.begin() + 5), (TVarBytes{12, 0x00, 0x01, 0x00, 0x00}));
}

TEST(cxVariantStreamTest, ReadsBackTheTypesOfTheTable)
{
  const struct {
    const char* Name;
    Variant Written;
    rtl::TVarType ReadType;
  } cases[] = {
      {"Null", rtl::Null(), rtl::varNull},
      {"Empty", Variant(), rtl::varEmpty},
      {"small integer", Variant(-5), rtl::varShortInt},
      {"16-bit integer", Variant(1000), rtl::varSmallint},
      {"32-bit integer", Variant(100000), rtl::varInteger},
      {"64-bit integer", Variant(std::int64_t{1} << 40), rtl::varInt64},
      {"double", Variant(0.1), rtl::varDouble},
      {"single", Variant::FromSingle(0.25f), rtl::varSingle},
      {"currency", Variant(rtl::Currency::FromRaw(-12345)), rtl::varCurrency},
      {"date", Variant::FromDate(45000.25), rtl::varDate},
      {"Unicode string", Variant(L"\u00e9t\u00e9"), rtl::varOleStr},
      {"8-bit string", Variant::FromAnsiString(rtl::AnsiString("abc")), rtl::varString},
      {"Boolean", Variant(true), rtl::varBoolean},
  };
  for (const auto& c : cases) {
    const Variant read = ReadBack(WrittenBytes(c.Written));
    EXPECT_EQ(read.VarType(), c.ReadType) << c.Name;
    EXPECT_TRUE(cxVarIsEqual(read, c.Written)) << c.Name;
  }
  // A double survives exactly: the extended form holds every double.
  EXPECT_EQ(ReadBack(WrittenBytes(Variant(0.1))).AsDouble(), 0.1);
}

TEST(cxVariantStreamTest, ArraysReadBackAsVariantArraysFromZero)
{
  Variant source = rtl::VarArrayCreate(3, 5, rtl::varVariant);
  rtl::VarArrayPut(source, Variant(1), 3);
  rtl::VarArrayPut(source, Variant(L"a"), 4);
  rtl::VarArrayPut(source, rtl::VarArrayOf({true, 2.5}), 5);

  const Variant read = ReadBack(WrittenBytes(source));
  ASSERT_TRUE(rtl::VarIsArray(read));
  EXPECT_EQ(rtl::VarArrayLowBound(read, 1), 0);
  EXPECT_EQ(rtl::VarArrayHighBound(read, 1), 2);
  EXPECT_EQ(rtl::VarArrayGet(read, 1).VarType(), rtl::varOleStr);
  EXPECT_EQ(cxVarCompare(rtl::VarArrayGet(read, 2), rtl::VarArrayOf({true, 2.5})), 0);
}

TEST(cxVariantStreamTest, UnknownTagsAndShortStreamsRaiseReadErrors)
{
  const struct {
    const char* Name;
    TVarBytes Bytes;
  } cases[] = {
      {"tag 7", {7}},
      {"tag 20", {20}},
      {"empty stream", {}},
      {"integer cut short", {0x04, 0x01, 0x02}},
      {"8-bit length beyond the end", {0x06, 0x05, 'a'}},
      {"negative long length", {0x0C, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"wide count beyond the end", {0x12, 0x00, 0x00, 0x00, 0x40, 'a', 0}},
      {"array count beyond the end", {0x01, 0x04, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}},
      {"negative array count", {0x01, 0x02, 0xFF}},
      {"array count as a huge 64-bit value", {0x01, 0x13, 0, 0, 0, 0, 0, 0, 0, 0x40}},
  };
  for (const auto& c : cases) {
    rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>(c.Bytes));
    Variant V;
    try {
      cxReadVariant(stream.get(), V);
      ADD_FAILURE() << c.Name << ": no error";
    } catch (const rtl::EReadError& E) {
      EXPECT_EQ(E.Message(), L"Stream read error") << c.Name;
    }
  }
}

TEST(cxVariantStreamTest, NestingIsBoundedBothWays)
{
  // A stream of nothing but one-element arrays inside each other.
  TVarBytes nested;
  for (int i = 0; i < 100000; ++i)
    nested.insert(nested.end(), {0x01, 0x02, 0x01});
  nested.push_back(0x00);
  EXPECT_THROW(ReadBack(nested), rtl::EReadError);

  Variant deep = rtl::Null();
  for (int i = 0; i < 100; ++i)
    deep = rtl::VarArrayOf({deep});
  rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
  EXPECT_THROW(cxWriteVariant(stream.get(), deep), rtl::EWriteError);

  Variant shallow = rtl::Null();
  for (int i = 0; i < 10; ++i)
    shallow = rtl::VarArrayOf({shallow, i});
  EXPECT_EQ(cxVarCompare(ReadBack(WrittenBytes(shallow)), shallow), 0);
}

// Damaged copies of a stream that holds every tag: each read either gives a
// value or raises EReadError; nothing else escapes and nothing hangs.
TEST(cxVariantStreamTest, DamagedStreamsRaiseReadErrorsOnly)
{
  const TVarBytes valid = WrittenBytes(rtl::VarArrayOf({
      rtl::Null(), Variant(), Variant(true), Variant(false), Variant(7), Variant(300), Variant(70000),
      Variant(std::int64_t{1} << 40), Variant(0.5), Variant::FromSingle(2.0f), Variant(rtl::Currency::FromRaw(1)),
      Variant::FromDate(2.0), Variant(L"wide"), Variant::FromAnsiString(rtl::AnsiString("narrow")),
      Variant::FromAnsiString(rtl::AnsiString(std::string(300, 'n'))), rtl::VarArrayOf({1, rtl::VarArrayOf({L"x"})}),
  }));
  kvtest::TTestMutator mutator(0x5EED);
  int read = 0;
  int refused = 0;
  for (int iteration = 0; iteration < 3000; ++iteration) {
    const TVarBytes damaged = mutator.Mutate(valid);
    rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>(damaged));
    Variant V;
    try {
      cxReadVariant(stream.get(), V);
      ++read;
    } catch (const rtl::EReadError&) {
      ++refused;
    } catch (const rtl::Exception& E) {
      ADD_FAILURE() << "iteration " << iteration << ": " << E.ClassName();
    }
  }
  EXPECT_GT(read, 0);
  EXPECT_GT(refused, 0);
}

TEST(cxVariantStreamTest, FixedSizeAndLengthPrefixedRoutines)
{
  rtl::TOwnedPtr<rtl::TBytesStream> stream(rtl::New<rtl::TBytesStream>());
  cxWriteByte(stream.get(), 0xAB);
  cxWriteWord(stream.get(), 0xFFFE);
  cxWriteSmallInt(stream.get(), -2);
  cxWriteInteger(stream.get(), -3);
  cxWriteSingle(stream.get(), 0.5f);
  cxWriteInt64(stream.get(), -4);
  cxWriteCurrency(stream.get(), rtl::Currency::FromRaw(5));
  cxWriteDateTime(stream.get(), 6.5);
  cxWriteExtended(stream.get(), 7.25L);
  cxWriteAnsiString(stream.get(), rtl::AnsiString("ab"));
  cxWriteWideString(stream.get(), L"cd");
  EXPECT_EQ(stream->GetSize(), 1 + 2 + 2 + 4 + 4 + 8 + 8 + 8 + 10 + (4 + 2) + (4 + 4));

  stream->SetPosition(0);
  EXPECT_EQ(cxReadByte(stream.get()), 0xAB);
  EXPECT_EQ(cxReadWord(stream.get()), 0xFFFE);
  std::int16_t smallInt = 0;
  cxReadSmallInt(stream.get(), smallInt);
  EXPECT_EQ(smallInt, -2);
  EXPECT_EQ(cxReadInteger(stream.get()), -3);
  EXPECT_EQ(cxReadSingle(stream.get()), 0.5f);
  EXPECT_EQ(cxReadInt64(stream.get()), -4);
  EXPECT_EQ(cxReadCurrency(stream.get()).Raw(), 5);
  EXPECT_EQ(cxReadDateTime(stream.get()), 6.5);
  EXPECT_EQ(cxReadExtended(stream.get()), 7.25L);
  rtl::AnsiString narrow;
  cxReadAnsiString(stream.get(), narrow);
  EXPECT_EQ(narrow.Bytes(), "ab");
  rtl::String wide;
  cxReadWideString(stream.get(), wide);
  EXPECT_EQ(wide, L"cd");
  EXPECT_THROW(cxReadByte(stream.get()), rtl::EReadError);
}

}  // namespace
