#include "core/dxGenerics.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using enum rtl::TDictionaryOwnership;

namespace {

using rtl::EListError;
using rtl::String;

class TMapShape : public rtl::TObject {
  RTL_CLASS(TMapShape, rtl::TObject)

 public:
  static std::vector<String>& FreedLog()
  {
    static std::vector<String> log;
    return log;
  }
  void Create(String AName) { FName = std::move(AName); }
  void Destroy() override
  {
    FreedLog().push_back(FName);
    inherited::Destroy();
  }

 private:
  String FName;
};

class TMapCircle : public TMapShape {
  RTL_CLASS(TMapCircle, TMapShape)
};
class TRectangle : public TMapShape {
  RTL_CLASS(TRectangle, TMapShape)
};
class TPath : public TMapShape {
  RTL_CLASS(TPath, TMapShape)
};

using TShapeClass = rtl::ClassOf<TMapShape>;
using TTagMap = TdxMap<String, TShapeClass>;

struct MapDeleter {
  void operator()(rtl::TObject* AMap) const { rtl::Free(AMap); }
};

std::unique_ptr<TTagMap, MapDeleter> NewTagMap()
{
  std::unique_ptr<TTagMap, MapDeleter> map(rtl::New<TTagMap>());
  map->Add(L"circle", TShapeClass::Of<TMapCircle>());
  map->Add(L"rect", TShapeClass::Of<TRectangle>());
  return map;
}

// Both directions hold exactly the two pairs NewTagMap adds.
void ExpectTheTwoPairs(const TTagMap* AMap)
{
  EXPECT_EQ(AMap->GetCount(), 2);
  EXPECT_EQ(AMap->GetValue(L"circle"), TShapeClass::Of<TMapCircle>());
  EXPECT_EQ(AMap->GetValue(L"rect"), TShapeClass::Of<TRectangle>());
  EXPECT_EQ(AMap->GetKey(TShapeClass::Of<TMapCircle>()), L"circle");
  EXPECT_EQ(AMap->GetKey(TShapeClass::Of<TRectangle>()), L"rect");
}

TEST(dxMap, AnswersInBothDirections)
{
  auto map = NewTagMap();
  ExpectTheTwoPairs(map.get());
  TShapeClass value;
  EXPECT_TRUE(map->TryGetValue(L"rect", value));
  EXPECT_EQ(value, TShapeClass::Of<TRectangle>());
  String key = L"stale";
  EXPECT_TRUE(map->TryGetKey(TShapeClass::Of<TMapCircle>(), key));
  EXPECT_EQ(key, L"circle");
}

TEST(dxMap, MissingEntries)
{
  auto map = NewTagMap();
  TShapeClass value = TShapeClass::Of<TMapCircle>();
  EXPECT_FALSE(map->TryGetValue(L"path", value));
  String key = L"stale";
  EXPECT_FALSE(map->TryGetKey(TShapeClass::Of<TPath>(), key));
  EXPECT_EQ(key, L"") << "TryGetKey clears the key of a missing value";

  struct Case {
    const char* Name;
    std::function<void()> Lookup;
  };
  const Case cases[] = {
      {"GetValue", [&] { map->GetValue(L"path"); }},
      {"GetKey", [&] { map->GetKey(TShapeClass::Of<TPath>()); }},
      {"GetValue is case-sensitive", [&] { map->GetValue(L"Circle"); }},
  };
  for (const Case& c : cases) {
    try {
      c.Lookup();
      ADD_FAILURE() << c.Name << " raised nothing";
    } catch (const EListError& E) {
      EXPECT_EQ(E.Message(), L"Item not found") << c.Name;
    }
  }
}

TEST(dxMap, ARefusedAddLeavesTheMapAsItWas)
{
  struct Case {
    const char* Name;
    const wchar_t* Key;
    TShapeClass Value;
  };
  const Case cases[] = {
      {"the key is taken", L"circle", TShapeClass::Of<TPath>()},
      {"the value is taken", L"path", TShapeClass::Of<TMapCircle>()},
      {"both are taken, by different pairs", L"circle", TShapeClass::Of<TRectangle>()},
      {"the pair is there", L"rect", TShapeClass::Of<TRectangle>()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto map = NewTagMap();
    try {
      map->Add(c.Key, c.Value);
      ADD_FAILURE() << "Add raised nothing";
    } catch (const EListError& E) {
      EXPECT_EQ(E.Message(), L"Duplicates not allowed");
    }
    ExpectTheTwoPairs(map.get());
    TShapeClass value;
    EXPECT_FALSE(map->TryGetValue(L"path", value));
  }
}

TEST(dxMap, DeletingByEitherSideRemovesThePairFromBothDirections)
{
  struct Case {
    const char* Name;
    std::function<void(TTagMap*)> Delete;
  };
  const Case cases[] = {
      {"DeleteByValue", [](TTagMap* M) { M->DeleteByValue(TShapeClass::Of<TMapCircle>()); }},
      {"DeleteByKey", [](TTagMap* M) { M->DeleteByKey(L"circle"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto map = NewTagMap();
    c.Delete(map.get());
    TShapeClass value;
    String key;
    EXPECT_FALSE(map->TryGetValue(L"circle", value));
    EXPECT_FALSE(map->TryGetKey(TShapeClass::Of<TMapCircle>(), key));
    EXPECT_EQ(map->GetKey(TShapeClass::Of<TRectangle>()), L"rect");
    // The pair can come back, also with its parts exchanged.
    map->Add(L"circle", TShapeClass::Of<TPath>());
    map->Add(L"path", TShapeClass::Of<TMapCircle>());
    EXPECT_EQ(map->GetCount(), 3);
  }
}

TEST(dxMap, DeletingAMissingEntryChangesNothing)
{
  auto map = NewTagMap();
  map->DeleteByKey(L"path");
  map->DeleteByValue(TShapeClass::Of<TPath>());
  ExpectTheTwoPairs(map.get());
  map->Clear();
  EXPECT_EQ(map->GetCount(), 0);
  EXPECT_THROW(map->GetKey(TShapeClass::Of<TMapCircle>()), EListError);
}

using TOwningMap = TdxMap<String, TMapShape*>;

TEST(dxMap, AnOwningMapFreesWhatLeavesItButNotWhatItRefuses)
{
  TMapShape::FreedLog().clear();
  auto* map = rtl::New<TOwningMap>(rtl::TDictionaryOwnerships{doOwnsValues});
  auto* circle = rtl::New<TMapShape>(L"circle");
  auto* rect = rtl::New<TMapShape>(L"rect");
  auto* spare = rtl::New<TMapShape>(L"spare");
  map->Add(L"circle", circle);
  map->Add(L"rect", rect);

  // The refused value is still the value of "circle": taking the half-added
  // pair out again must not free it.
  EXPECT_THROW(map->Add(L"path", circle), EListError);
  EXPECT_THROW(map->Add(L"rect", spare), EListError);
  EXPECT_TRUE(TMapShape::FreedLog().empty());
  EXPECT_EQ(map->GetValue(L"circle"), circle);

  map->DeleteByValue(rect);
  EXPECT_EQ(TMapShape::FreedLog(), (std::vector<String>{L"rect"}));
  rtl::Free(map);
  EXPECT_EQ(TMapShape::FreedLog(), (std::vector<String>{L"rect", L"circle"}));
  rtl::Free(spare);
}

TEST(dxMap, WithoutOwnershipsNothingIsFreed)
{
  TMapShape::FreedLog().clear();
  auto* map = rtl::New<TOwningMap>();
  auto* circle = rtl::New<TMapShape>(L"circle");
  map->Add(L"circle", circle);
  map->DeleteByKey(L"circle");
  map->Add(L"circle", circle);
  rtl::Free(map);
  EXPECT_TRUE(TMapShape::FreedLog().empty());
  rtl::Free(circle);
}

// ---------------------------------------------------------------------------
// Ordinal string comparers

int Sign(int AValue)
{
  return (AValue > 0) - (AValue < 0);
}

TEST(dxOrdinalStringComparer, ComparesTheLittleEndianBytesThenTheLengths)
{
  struct Case {
    const wchar_t* Left;
    const wchar_t* Right;
    int Expected;  // the exact difference
  };
  const Case cases[] = {
      {L"A", L"\u0100", 0x41},      // low bytes first: $41 against $00
      {L"\u0100", L"\u0001", -1},  // the low byte decides before the high one
      {L"\u0141", L"\u0041", 1},   // low bytes equal: the high bytes decide
      {L"ab", L"a", 1},
      {L"a", L"abc", -2},
      {L"", L"", 0},
      {L"abc", L"abd", -1},
      {L"B", L"a", 0x42 - 0x61},
  };
  const TdxOrdinalStringComparer* comparer = TdxStringComparer::Ordinal();
  for (const Case& c : cases) {
    EXPECT_EQ(comparer->Compare(c.Left, c.Right), c.Expected) << testing::PrintToString(String(c.Left));
    EXPECT_EQ(comparer->Compare(c.Right, c.Left), -c.Expected);
    EXPECT_EQ(comparer->Equals(c.Left, c.Right), c.Expected == 0);
  }
}

TEST(dxOrdinalStringComparer, HashesTwoInterleavedChainsUpToTheFirstNul)
{
  struct Case {
    String Text;
    int Hash;
  };
  // The empty text: 5381 + 5381 x 1566083941 in 32 bits.
  const Case cases[] = {
      {L"", 371857150},
      {L"a", 372029373},
      {L"ab", 1093630535},
      {L"abc", 1099313834},
      {String(L"a\0b", 3), 372029373},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TdxStringComparer::Ordinal()->GetHashCode(c.Text), c.Hash) << testing::PrintToString(c.Text);
}

TEST(dxOrdinalStringComparer, TheCaseInsensitiveComparerLowerCasesFirst)
{
  const TdxOrdinalIStringComparer* comparer = TdxIStringComparer::Ordinal();
  EXPECT_EQ(comparer->Compare(L"ABC", L"abc"), 0);
  EXPECT_TRUE(comparer->Equals(L"Circle", L"cIRCLE"));
  EXPECT_FALSE(comparer->Equals(L"Circle", L"Circles"));
  EXPECT_EQ(Sign(comparer->Compare(L"ABC", L"abd")), -1);
  EXPECT_EQ(comparer->GetHashCode(L"AB"), 1093630535);
  EXPECT_EQ(comparer->GetHashCode(L"\u00C4"), comparer->GetHashCode(L"\u00E4")) << "locale-aware lower case";
  EXPECT_EQ(TdxStringComparer::Ordinal()->Compare(L"ABC", L"abc"), 0x41 - 0x61);
}

TEST(dxOrdinalStringComparer, OneComparerOfEachKindPerProcess)
{
  EXPECT_EQ(TdxStringComparer::Ordinal(), TdxStringComparer::Ordinal());
  EXPECT_EQ(TdxIStringComparer::Ordinal(), TdxIStringComparer::Ordinal());
  EXPECT_NE(static_cast<const void*>(TdxStringComparer::Ordinal()),
            static_cast<const void*>(TdxIStringComparer::Ordinal()));
}

}  // namespace
