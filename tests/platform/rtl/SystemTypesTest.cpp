#include "platform/rtl/SystemTypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemEvents.h"

using namespace rtl;

namespace typestest {

RTL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);
using TAlignSet = TSet<TAlign>;

// Spread over lines and without a blank after a comma, as formatters leave it.
RTL_ENUM(TStorageMode,
         smChildrenPublished,smSavePublishedClassProperties,
         smSkipObject);

enum TWide : int {};

}  // namespace typestest

// The system's own enumerations live in the global namespace.
RTL_ENUM(TTypesTestGlobalKind, gkFirst, gkSecond);
static_assert(rtl::EnumHigh<TTypesTestGlobalKind>() == TTypesTestGlobalKind::gkSecond);

// Two enumerations of one namespace may share a value name: each keeps its
// values in a scope of its own.
RTL_ENUM(TTypesTestFrame, tfNone, tfSingle, tfDouble);
RTL_ENUM(TTypesTestEdge, teLeft, tfNone, tfSingle);

using namespace typestest;
using enum TAlign;
using enum TStorageMode;

// --- Rounding ---------------------------------------------------------------

TEST(Round, HalvesGoToEvenOthersToNearest)
{
  const struct {
    Extended value;
    std::int64_t expected;
  } cases[] = {
      {0.5L, 0},    {1.5L, 2},    {2.5L, 2},    {3.5L, 4},     {-0.5L, 0},  {-1.5L, -2},
      {-2.5L, -2},  {-3.5L, -4},  {2.4999L, 2}, {2.5001L, 3},  {-2.6L, -3}, {-2.4L, -2},
      {7.5L, 8},    {0.0L, 0},    {-0.0L, 0},
      // 2^62 + 0.5 and 2^62 + 1.5 still carry their half in 80 bits.
      {4611686018427387904.5L, 4611686018427387904LL},
      {4611686018427387905.5L, 4611686018427387906LL},
      {-9223372036854775808.0L, std::numeric_limits<std::int64_t>::min()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(Round, TruncCeilFloorAndOutOfRange)
{
  const struct {
    Extended value;
    std::int64_t trunc;
    int ceil, floor;
  } cases[] = {
      {2.9L, 2, 3, 2}, {-2.9L, -2, -2, -3}, {-0.5L, 0, 0, -1}, {1.0L, 1, 1, 1}, {1.2L, 1, 2, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trunc(c.value), c.trunc) << static_cast<double>(c.value);
    EXPECT_EQ(Ceil(c.value), c.ceil) << static_cast<double>(c.value);
    EXPECT_EQ(Floor(c.value), c.floor) << static_cast<double>(c.value);
  }
  const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
  EXPECT_THROW(Round(9223372036854775808.0L), EInvalidOp);
  EXPECT_THROW(Round(9223372036854775807.5L), EInvalidOp);  // rounds up to 2^63
  EXPECT_THROW(Round(nan), EInvalidOp);
  EXPECT_THROW(Trunc(-1e19L), EInvalidOp);
  // Integer results: beyond its range is an error, not a wrapped value.
  EXPECT_THROW(Ceil(3e9L), EInvalidOp);
  EXPECT_THROW(Floor(-2147483648.5L), EInvalidOp);
  EXPECT_EQ(Floor(-2147483648.0L), std::numeric_limits<int>::min());
}

TEST(MulDiv, RoundsHalvesAwayFromZeroWithA64BitIntermediate)
{
  const struct {
    int a, b, c, expected;
  } cases[] = {
      {5, 1, 2, 3},       {-5, 1, 2, -3},   {5, -1, 2, -3},  {5, 1, -2, -3}, {-5, -1, -2, -3},
      {-5, -1, 2, 3},     {7, 1, 3, 2},     {8, 1, 3, 3},    {13, 144, 96, 20},  // 19.5 at 150 %
      {-13, 144, 96, -20}, {10, 96, 96, 10}, {0, 5, 7, 0},
      {1, 1, 0, -1},                                          // no divisor
      {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},                         // product beyond 32 bits
      {0x40000000, 4, 2, -1},                                 // result beyond 32 bits
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

// --- Currency ---------------------------------------------------------------

TEST(Currency, FromDoubleRoundsHalvesToEven)
{
  const struct {
    double value;
    std::int64_t raw;
  } cases[] = {
      // 1/32 and 3/32 are exact, so x 10000 lands exactly on a half.
      {0.03125, 312},   {0.09375, 938},  {-0.03125, -312}, {-0.09375, -938},
      {1.23456, 12346}, {1.23454, 12345}, {-1.5, -15000},  {0.00004, 0},
      {922337203685477.0, 9223372036854770000LL},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Currency::FromDouble(c.value).Raw(), c.raw) << c.value;
  EXPECT_THROW(Currency::FromDouble(1e15), EInvalidOp);
  EXPECT_THROW(Currency::FromDouble(std::nan("")), EInvalidOp);
  EXPECT_DOUBLE_EQ(Currency::FromRaw(12345).ToDouble(), 1.2345);
  EXPECT_DOUBLE_EQ(Currency::FromRaw(-1).ToDouble(), -0.0001);
}

TEST(Currency, ArithmeticAndOrder)
{
  const Currency a = Currency::FromRaw(15000), b = Currency::FromRaw(2500);
  EXPECT_EQ((a + b).Raw(), 17500);
  EXPECT_EQ((b - a).Raw(), -12500);
  EXPECT_EQ((-a).Raw(), -15000);
  EXPECT_LT(b, a);
  EXPECT_EQ(a, Currency::FromDouble(1.5));
  Currency c = a;
  c += b;
  c -= a;
  EXPECT_EQ(c, b);
}

// The framework computes amounts on the floating-point unit, whose store of a
// result beyond the 64-bit range is an invalid operation: an overflow raises
// instead of turning a large amount into one of the other sign.
TEST(Currency, OverflowRaisesInsteadOfWrapping)
{
  const Currency max = Currency::FromRaw(std::numeric_limits<std::int64_t>::max());
  const Currency min = Currency::FromRaw(std::numeric_limits<std::int64_t>::min());
  const Currency one = Currency::FromRaw(1);
  EXPECT_THROW(max + one, EInvalidOp);
  EXPECT_THROW(min - one, EInvalidOp);
  EXPECT_THROW(one - min, EInvalidOp);
  EXPECT_THROW(-min, EInvalidOp);
  Currency c = max;
  EXPECT_THROW(c += one, EInvalidOp);
  EXPECT_EQ(c, max);
  EXPECT_EQ((max + min).Raw(), -1);
  EXPECT_EQ((min + one - one), min);
  EXPECT_EQ((-max).Raw(), -std::numeric_limits<std::int64_t>::max());
}

// --- AnsiString -------------------------------------------------------------

TEST(AnsiString, ConvertsThroughItsCodePage)
{
  const struct {
    const wchar_t* text;
    unsigned codePage;
    const char* bytes;
  } cases[] = {
      {L"caf\u00E9", 1252, "caf\xE9"},
      {L"\u20AC", 1252, "\x80"},
      {L"caf\u00E9\u20AC", CP_UTF8, "caf\xC3\xA9\xE2\x82\xAC"},
      {L"\U0001F600", CP_UTF8, "\xF0\x9F\x98\x80"},
      {L"", 1252, ""},
  };
  for (const auto& c : cases) {
    const AnsiString converted = AnsiString::FromString(c.text, c.codePage);
    EXPECT_EQ(converted.Bytes(), c.bytes) << c.codePage;
    EXPECT_EQ(converted.CodePage(), c.codePage);
    EXPECT_EQ(converted.Size(), std::strlen(c.bytes));
    EXPECT_EQ(converted.ToString(), c.text);
    EXPECT_EQ(AnsiString(c.bytes, c.codePage).ToString(), c.text);
  }
}

TEST(AnsiString, UnmappableCharactersBecomeTheDefaultCharacter)
{
  // U+4E2D has no 1252 counterpart, not even a best-fit one.
  EXPECT_EQ(AnsiString::FromString(L"a\u4E2Db", 1252).Bytes(), "a?b");
  // Bytes that are no UTF-8 read as U+FFFD.
  EXPECT_EQ(AnsiString("a\xFF", CP_UTF8).ToString(), L"a\uFFFD");
  EXPECT_THROW(AnsiString::FromString(L"a", 12345), EOSError);
}

TEST(AnsiString, EqualityComparesBytesAndCodePage)
{
  EXPECT_EQ(AnsiString("ab", CP_ACP), AnsiString("ab", GetACP()));
  EXPECT_FALSE(AnsiString("ab", 1252) == AnsiString("ab", 1251));
  EXPECT_FALSE(AnsiString("ab", 1252) == AnsiString("ac", 1252));
  EXPECT_EQ(AnsiString(), AnsiString("", CP_ACP));
}

// --- Named enumerations -----------------------------------------------------

static_assert(sizeof(TAlign) == 1, "enumerations of up to 256 values take one byte");
static_assert(EnumCount<TAlign>() == 7 && EnumLow<TAlign>() == alNone && EnumHigh<TAlign>() == alCustom);
static_assert(alClient == 5, "values count from 0 in order");
static_assert(GetEnumInfo<TStorageMode>()->Names[2] == L"smSkipObject");

TEST(EnumNames, EveryValueRoundTripsThroughItsName)
{
  const wchar_t* const names[] = {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient", L"alCustom"};
  for (int i = 0; i < EnumCount<TAlign>(); ++i) {
    EXPECT_EQ(GetEnumName(static_cast<TAlign>(i)), names[i]);
    EXPECT_EQ(GetEnumValue<TAlign>(names[i]), i);
  }
  EXPECT_EQ(GetEnumInfo<TAlign>()->Name, L"TAlign");
  EXPECT_EQ(GetEnumName(smSavePublishedClassProperties), L"smSavePublishedClassProperties");
  EXPECT_EQ(GetEnumName(smChildrenPublished), L"smChildrenPublished");
}

TEST(EnumNames, LookupIgnoresCaseAndRefusesUnknownNames)
{
  const struct {
    const wchar_t* name;
    int expected;
  } cases[] = {
      {L"alTOP", 1}, {L"ALCLIENT", 5}, {L"alclient", 5}, {L"alTop ", -1}, {L" alTop", -1},
      {L"", -1},     {L"alMiddle", -1}, {L"al", -1},     {L"alTopX", -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetEnumValue<TAlign>(c.name), c.expected) << testing::PrintToString(std::wstring(c.name));
  EXPECT_EQ(GetEnumName(GetEnumInfo<TAlign>(), 7), L"");
  EXPECT_EQ(GetEnumName(GetEnumInfo<TAlign>(), -1), L"");
}

// --- Sets -------------------------------------------------------------------

TEST(EnumNames, TwoEnumerationsOfANamespaceShareAValueName)
{
  static_assert(TTypesTestFrame::tfSingle == 1 && TTypesTestEdge::tfSingle == 2);
  const struct {
    const TEnumInfo* info;
    int ordinal;
    const wchar_t* name;
  } cases[] = {
      {GetEnumInfo<TTypesTestFrame>(), TTypesTestFrame::tfNone, L"tfNone"},
      {GetEnumInfo<TTypesTestFrame>(), TTypesTestFrame::tfSingle, L"tfSingle"},
      {GetEnumInfo<TTypesTestEdge>(), TTypesTestEdge::tfNone, L"tfNone"},
      {GetEnumInfo<TTypesTestEdge>(), TTypesTestEdge::tfSingle, L"tfSingle"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetEnumName(c.info, c.ordinal), c.name) << c.ordinal;
    EXPECT_EQ(GetEnumValue(c.info, c.name), c.ordinal) << testing::PrintToString(std::wstring(c.name));
  }
  EXPECT_EQ(GetEnumName(TTypesTestEdge::tfNone), L"tfNone");
  EXPECT_EQ(GetEnumValue<TTypesTestEdge>(L"tfDouble"), -1);
  // Sets are written and read by name, each through its own type's names.
  using TEdges = TSet<TTypesTestEdge>;
  EXPECT_EQ(SetToString(TEdges{TTypesTestEdge::tfSingle, TTypesTestEdge::teLeft}), L"[teLeft,tfSingle]");
  EXPECT_EQ(StringToSet<TEdges>(L"[tfNone]"), TEdges{TTypesTestEdge::tfNone});
  EXPECT_EQ(StringToSet<TSet<TTypesTestFrame>>(L"[tfNone,tfDouble]").ToOrd(), 0b101u);
}

TEST(TSet, MembershipAndOperators)
{
  TAlignSet s{alTop, alClient};
  EXPECT_TRUE(s.Contains(alTop));
  EXPECT_TRUE(s.Contains(alClient));
  EXPECT_FALSE(s.Contains(alNone));
  s.Include(alLeft).Exclude(alTop);
  EXPECT_EQ(s, (TAlignSet{alLeft, alClient}));
  EXPECT_FALSE(s.Empty());
  EXPECT_TRUE(TAlignSet().Empty());
  EXPECT_TRUE(TAlignSet{alTop}.Exclude(alTop).Empty());

  const TAlignSet a{alNone, alTop, alBottom}, b{alBottom, alLeft};
  EXPECT_EQ(a + b, (TAlignSet{alNone, alTop, alBottom, alLeft}));
  EXPECT_EQ(a - b, (TAlignSet{alNone, alTop}));
  EXPECT_EQ(a * b, (TAlignSet{alBottom}));
  EXPECT_TRUE(TAlignSet{alTop} <= a);
  EXPECT_TRUE(a <= a);
  EXPECT_TRUE(TAlignSet() <= a);
  EXPECT_FALSE(b <= a);
  EXPECT_TRUE(a >= (TAlignSet{alNone, alBottom}));
  EXPECT_FALSE(a == b);
  // Ordinals outside the set's range are no members and cannot be added.
  EXPECT_FALSE(TAlignSet{static_cast<TAlign>(9)}.Contains(static_cast<TAlign>(9)));
}

TEST(TSet, SetsBeyond64MembersSpanWords)
{
  using TBig = TSet<TWide, 0, 199>;
  TBig s{TWide(0), TWide(63), TWide(64), TWide(199)};
  EXPECT_TRUE(s.Contains(TWide(64)));
  EXPECT_TRUE(s.Contains(TWide(199)));
  EXPECT_FALSE(s.Contains(TWide(65)));
  EXPECT_EQ(s * (TBig{TWide(199), TWide(5)}), TBig{TWide(199)});
  EXPECT_TRUE((TBig{TWide(63), TWide(64)}) <= s);
  // A set starting above 0 keeps member Low at bit 0.
  using TRange = TSet<TWide, 10, 17>;
  static_assert(TRange::StoredSize == 1);
  EXPECT_EQ((TRange{TWide(10), TWide(17)}.ToOrd()), 0x81u);
  EXPECT_FALSE(TRange{TWide(9)}.Contains(TWide(9)));
}

template <int Members>
void ExpectStoredLayout(int expectedSize)
{
  using S = TSet<TWide, 0, Members - 1>;
  EXPECT_EQ(S::StoredSize, expectedSize) << Members << " members";
  const S ends{TWide(0), TWide(Members - 1)};
  const std::uint32_t lastBit = std::uint32_t(1) << (Members - 1);
  EXPECT_EQ(ends.ToOrd(), 1u | lastBit) << Members << " members";
  EXPECT_EQ(S::FromOrd(1u | lastBit), ends);
  // Bits beyond the last member are not members.
  EXPECT_EQ(S::FromOrd(0xFFFFFFFFu).ToOrd(), Members == 32 ? 0xFFFFFFFFu : (lastBit << 1) - 1);
}

TEST(TSet, StoredLayoutTakesOneTwoOrFourBytes)
{
  ExpectStoredLayout<1>(1);
  ExpectStoredLayout<8>(1);
  ExpectStoredLayout<9>(2);
  ExpectStoredLayout<16>(2);
  ExpectStoredLayout<17>(4);
  ExpectStoredLayout<32>(4);
  // Three storage modes are stored with the bit values 1, 2 and 4.
  EXPECT_EQ((TSet<TStorageMode>{smChildrenPublished, smSkipObject}.ToOrd()), 5u);
  EXPECT_EQ(TSet<TStorageMode>::FromOrd(2), TSet<TStorageMode>{smSavePublishedClassProperties});
}

TEST(SetText, WritesIdentifiersInOrdinalOrder)
{
  EXPECT_EQ(SetToString(TAlignSet{alClient, alTop}), L"[alTop,alClient]");
  EXPECT_EQ(SetToString(TAlignSet{alClient, alTop}, false), L"alTop,alClient");
  EXPECT_EQ(SetToString(TAlignSet()), L"[]");
  EXPECT_EQ(SetToString(TAlignSet(), false), L"");
  EXPECT_EQ(SetToString(GetEnumInfo<TAlign>(), 0x41), L"[alNone,alCustom]");
}

TEST(SetText, ReadsWithBlanksCaseAndOptionalBrackets)
{
  const struct {
    const wchar_t* text;
    TAlignSet expected;
  } cases[] = {
      {L"[alTop,alClient]", {alTop, alClient}},
      {L"  [ alclient ,  ALTOP ]  ", {alTop, alClient}},
      {L"alTop,alClient", {alTop, alClient}},
      {L"alCustom", {alCustom}},
      {L"[alTop,alTop]", {alTop}},
      {L"[]", {}},
      {L"[ ]", {}},
      {L"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StringToSet<TAlignSet>(c.text), c.expected) << testing::PrintToString(std::wstring(c.text));
  for (TAlignSet s : {TAlignSet(), TAlignSet{alNone}, TAlignSet{alTop, alLeft, alCustom}})
    EXPECT_EQ(StringToSet<TAlignSet>(SetToString(s)), s);
}

TEST(SetText, RefusesUnknownNamesAndBrokenLists)
{
  const struct {
    const wchar_t* text;
    const wchar_t* message;
  } cases[] = {
      {L"[alTop,alMiddle]", L"Invalid property element: alMiddle"},
      {L"[alTop alClient]", L"Invalid property element: alTop alClient"},
      {L"[alTop,,alClient]", L"Invalid property element: "},
      {L"[alTop,]", L"Invalid property element: "},
      {L"[,alTop]", L"Invalid property element: "},
      {L"[alTop", L"Invalid property element: [alTop"},
      {L"alTop]", L"Invalid property element: alTop]"},
      {L"[", L"Invalid property element: ["},
  };
  // A set over alNone..alBottom has no member alLeft.
  EXPECT_THROW((StringToSet<TSet<TAlign, 0, alBottom>>(L"[alTop,alLeft]")), EConvertError);
  EXPECT_EQ((StringToSet<TSet<TAlign, 0, alBottom>>(L"[alBottom]")), (TSet<TAlign, 0, alBottom>{alBottom}));
  for (const auto& c : cases) {
    try {
      StringToSet<TAlignSet>(c.text);
      ADD_FAILURE() << "accepted " << testing::PrintToString(std::wstring(c.text));
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

// --- Method pointers --------------------------------------------------------

namespace typestest {

// Stand-ins for framework classes; method pointers need nothing of TObject.
class TProbe {
 public:
  virtual ~TProbe() = default;
  void Handler(int AValue) { FLast = AValue; }
  // Same body as Handler: the linker must not fold their thunks into one.
  void Twin(int AValue) { FLast = AValue; }
  virtual void Virtual(int AValue) { FLast = -AValue; }
  int Doubled(int AValue) const { return 2 * AValue + FLast; }
  void Notify(TObject* Sender) { FSender = Sender; }
  void Wnd(TMessage& Message) { Message.Result = static_cast<LRESULT>(Message.Msg) + 1; }

  int FLast = 0;
  TObject* FSender = nullptr;
};

class TDerivedProbe : public TProbe {
 public:
  void Virtual(int AValue) override { FLast = AValue * 10; }
};

// A second base first: the TProbe part does not start at the object's address.
class IOther {
 public:
  virtual ~IOther() = default;
  virtual void Other() {}
  int FPadding = 0;
};
class TMixedProbe : public IOther, public TProbe {};

}  // namespace typestest

using TIntEvent = TMethod<void(int)>;

TEST(TMethod, EqualWhenObjectAndCodeAreEqual)
{
  TProbe a, b;
  TDerivedProbe d;
  TMixedProbe m;
  const struct {
    const char* what;
    TIntEvent x, y;
    bool equal;
  } cases[] = {
      {"same object, same member", TIntEvent::Bind<&TProbe::Handler>(&a), TIntEvent::Bind<&TProbe::Handler>(&a), true},
      {"other object", TIntEvent::Bind<&TProbe::Handler>(&a), TIntEvent::Bind<&TProbe::Handler>(&b), false},
      {"other member, same body", TIntEvent::Bind<&TProbe::Handler>(&a), TIntEvent::Bind<&TProbe::Twin>(&a), false},
      {"both unassigned", TIntEvent(), TIntEvent(), true},
      {"one unassigned", TIntEvent::Bind<&TProbe::Handler>(&a), TIntEvent(), false},
      {"bound to no object", TIntEvent::Bind<&TProbe::Handler>(nullptr), TIntEvent(), true},
      {"base and derived pointer", TIntEvent::Bind<&TDerivedProbe::Handler>(&d),
       TIntEvent::Bind<&TProbe::Handler>(static_cast<TProbe*>(&d)), true},
      {"derived pointer, second base", TIntEvent::Bind<&TMixedProbe::Handler>(&m),
       TIntEvent::Bind<&TProbe::Handler>(static_cast<TProbe*>(&m)), true},
      {"virtual through base and override", TIntEvent::Bind<&TProbe::Virtual>(&d),
       TIntEvent::Bind<&TDerivedProbe::Virtual>(&d), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.x == c.y, c.equal) << c.what;
    EXPECT_EQ(c.x.Raw() == c.y.Raw(), c.equal) << c.what;
  }
}

TEST(TMethod, CallsTheBoundObject)
{
  TProbe a, b;
  TDerivedProbe d;
  TMixedProbe m;
  TIntEvent::Bind<&TProbe::Handler>(&b)(7);
  EXPECT_EQ(a.FLast, 0);
  EXPECT_EQ(b.FLast, 7);
  TIntEvent::Bind<&TProbe::Virtual>(&d)(3);  // the override runs
  EXPECT_EQ(d.FLast, 30);
  TIntEvent::Bind<&TMixedProbe::Handler>(&m)(5);
  EXPECT_EQ(m.FLast, 5);

  const TProbe& constProbe = b;
  EXPECT_EQ((TMethod<int(int)>::Bind<&TProbe::Doubled>(&constProbe)(1)), 9);

  TObject* const sender = reinterpret_cast<TObject*>(&a);
  const TNotifyEvent notify = TNotifyEvent::Bind<&TProbe::Notify>(&b);
  notify(sender);
  EXPECT_EQ(b.FSender, sender);

  TMessage message{WM_USER, 0, 0, 0};
  TWndMethod::Bind<&TProbe::Wnd>(&a)(message);
  EXPECT_EQ(message.Result, LRESULT(WM_USER + 1));
}

TEST(TMethod, UnassignedAndRawRoundTrip)
{
  TProbe a;
  const TIntEvent empty;
  EXPECT_FALSE(empty);
  EXPECT_EQ(empty.Raw(), TMethodRaw());
  EXPECT_THROW(empty(1), EInvalidPointer);

  const TIntEvent bound = TIntEvent::Bind<&TProbe::Handler>(&a);
  EXPECT_TRUE(bound);
  EXPECT_EQ(bound.Raw().Data, static_cast<void*>(&a));
  const TIntEvent copy = TIntEvent::FromRaw(bound.Raw());
  EXPECT_EQ(copy, bound);
  copy(4);
  EXPECT_EQ(a.FLast, 4);
  // Data without code is no method pointer.
  EXPECT_EQ(TIntEvent::FromRaw({nullptr, &a}), empty);
}
