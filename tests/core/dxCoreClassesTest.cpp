#include "core/dxCoreClasses.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/dxThreading.h"

namespace {

using rtl::EListError;
using rtl::String;

void* P(std::intptr_t AValue)
{
  return reinterpret_cast<void*>(AValue);
}

std::intptr_t V(void* AItem)
{
  return reinterpret_cast<std::intptr_t>(AItem);
}

struct ListDeleter {
  void operator()(TdxFastList* AList) const { rtl::Free(AList); }
};
using ListPtr = std::unique_ptr<TdxFastList, ListDeleter>;

ListPtr NewList(std::initializer_list<std::intptr_t> AItems = {})
{
  ListPtr list(rtl::New<TdxFastList>());
  for (std::intptr_t item : AItems)
    list->Add(P(item));
  return list;
}

std::vector<std::intptr_t> Items(const TdxFastList* AList)
{
  std::vector<std::intptr_t> result;
  for (int i = 0; i < AList->GetCount(); ++i)
    result.push_back(V(AList->GetItem(i)));
  return result;
}

// The message of the EListError that AAction raises, or "" when it raises
// none.
String ListErrorOf(const std::function<void()>& AAction)
{
  try {
    AAction();
  } catch (const EListError& E) {
    return E.Message();
  }
  return L"";
}

TEST(dxFastList, BoundsErrorsRaiseTheListErrorsWithTheOffendingValue)
{
  struct Case {
    const char* Name;
    std::function<void(TdxFastList*)> Action;
    const wchar_t* Message;
  };
  const Case cases[] = {
      {"Delete past the end", [](TdxFastList* L) { L->Delete(3); }, L"List index out of bounds (3)"},
      {"Delete negative", [](TdxFastList* L) { L->Delete(-1); }, L"List index out of bounds (-1)"},
      {"Insert past Count", [](TdxFastList* L) { L->Insert(4, P(9)); }, L"List index out of bounds (4)"},
      {"Insert a list past Count", [](TdxFastList* L) { L->Insert(4, L); }, L"List index out of bounds (4)"},
      {"Items read", [](TdxFastList* L) { L->GetItem(3); }, L"List index out of bounds (3)"},
      {"Items write", [](TdxFastList* L) { L->SetItem(-2, nullptr); }, L"List index out of bounds (-2)"},
      {"ExtractByIndex", [](TdxFastList* L) { L->ExtractByIndex(5); }, L"List index out of bounds (5)"},
      {"Exchange checks the first index first", [](TdxFastList* L) { L->Exchange(7, 9); },
       L"List index out of bounds (7)"},
      {"Exchange second index", [](TdxFastList* L) { L->Exchange(0, 9); }, L"List index out of bounds (9)"},
      {"Move checks the new index first", [](TdxFastList* L) { L->Move(7, 9); }, L"List index out of bounds (9)"},
      {"Move current index", [](TdxFastList* L) { L->Move(7, 1); }, L"List index out of bounds (7)"},
      {"DeleteRange past the end", [](TdxFastList* L) { L->DeleteRange(2, 2); }, L"Argument out of range"},
      {"DeleteRange negative index", [](TdxFastList* L) { L->DeleteRange(-1, 1); }, L"Argument out of range"},
      {"DeleteRange negative count", [](TdxFastList* L) { L->DeleteRange(0, -1); }, L"Argument out of range"},
      {"DeleteRange overflowing sum", [](TdxFastList* L) { L->DeleteRange(1, INT_MAX); },
       L"Argument out of range"},
      {"Capacity below Count", [](TdxFastList* L) { L->SetCapacity(2); }, L"List capacity out of bounds (2)"},
      {"Count negative", [](TdxFastList* L) { L->SetCount(-1); }, L"List count out of bounds (-1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ListPtr list = NewList({1, 2, 3});
    EXPECT_EQ(ListErrorOf([&] { c.Action(list.get()); }), c.Message);
    EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3})) << "a refused call changes nothing";
  }
}

TEST(dxFastList, AnArrayBeyondTheAddressSpaceIsRefusedAndChangesNothing)
{
  // Slot counts whose byte size does not fit in a 32-bit size (a count read
  // from a corrupt file): the byte size must not wrap to a small block.
  const std::pair<const char*, std::function<void(TdxFastList*)>> cases[] = {
      {"Capacity just past a quarter of the range", [](TdxFastList* L) { L->SetCapacity(0x40000001); }},
      {"Capacity at the top of the range", [](TdxFastList* L) { L->SetCapacity(INT_MAX); }},
      {"Count just past a quarter of the range", [](TdxFastList* L) { L->SetCount(0x40000001); }},
  };
  for (const auto& [name, action] : cases) {
    SCOPED_TRACE(name);
    ListPtr list = NewList({1, 2, 3});
    const int capacity = list->GetCapacity();
    EXPECT_THROW(action(list.get()), rtl::EOutOfMemory);
    EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3}));
    EXPECT_EQ(list->GetCapacity(), capacity);
  }
}

TEST(dxFastList, FirstAndLastOfAnEmptyListRaise)
{
  ListPtr list = NewList();
  EXPECT_EQ(ListErrorOf([&] { list->First(); }), L"List index out of bounds (0)");
  EXPECT_EQ(ListErrorOf([&] { list->Last(); }), L"List index out of bounds (-1)");
  EXPECT_TRUE(list->Empty());
  EXPECT_TRUE(TdxFastList::Empty(nullptr));
  list->Add(P(4));
  list->Add(P(5));
  EXPECT_EQ(V(list->First()), 4);
  EXPECT_EQ(V(list->Last()), 5);
  EXPECT_FALSE(TdxFastList::Empty(list.get()));
}

TEST(dxFastList, GrowsBy16ThenBy32ThenByHalfTheCapacity)
{
  // The capacity right after the add that makes the list hold N items.
  const std::pair<int, int> steps[] = {{1, 16},   {16, 16},   {17, 32},   {33, 64},  {65, 96},
                                       {97, 128}, {128, 128}, {129, 160}, {161, 240}, {241, 360}};
  // From 0: 16, then +16 up to 16 slots, +32 up to 128 slots, then +half.
  ListPtr list = NewList();
  EXPECT_EQ(list->GetCapacity(), 0);
  std::vector<std::pair<int, int>> seen;
  for (int n = 1; n <= 241; ++n) {
    list->Add(P(n));
    seen.emplace_back(n, list->GetCapacity());
  }
  for (const auto& [count, capacity] : steps)
    EXPECT_EQ(seen[count - 1].second, capacity) << "after item " << count;
}

TEST(dxFastList, GrowthStepDependsOnTheCapacityItGrowsFrom)
{
  const std::pair<int, int> cases[] = {{0, 16}, {16, 32}, {17, 49}, {128, 160}, {129, 193}};
  for (const auto& [from, to] : cases) {
    ListPtr list(rtl::New<TdxFastList>(from));
    list->SetCount(from);
    EXPECT_EQ(list->Expand(), list.get());
    EXPECT_EQ(list->GetCapacity(), to) << "from " << from;
    list->Expand();
    EXPECT_EQ(list->GetCapacity(), to) << "a list with room does not grow";
  }
}

TEST(dxFastList, CapacityAndCountWritesAreExact)
{
  ListPtr list = NewList({1, 2, 3});
  list->SetCapacity(5);
  EXPECT_EQ(list->GetCapacity(), 5);
  list->SetCount(7);
  EXPECT_EQ(list->GetCapacity(), 7);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3, 0, 0, 0, 0}));
  list->SetCount(1);
  EXPECT_EQ(list->GetCapacity(), 7);
  list->SetCount(3);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 0, 0})) << "slots regained by Count are nil";
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_EQ(list->GetCapacity(), 0);
  EXPECT_EQ(list->GetList(), nullptr);
}

TEST(dxFastList, SearchesFromEitherEnd)
{
  ListPtr list = NewList({1, 2, 1, 3});
  EXPECT_EQ(list->IndexOf(P(1)), 0);
  EXPECT_EQ(list->IndexOf(P(1), ldFromEnd), 2);
  EXPECT_EQ(list->IndexOf(P(9), ldFromEnd), -1);
  EXPECT_EQ(list->Extract(P(9), ldFromEnd), nullptr);

  EXPECT_EQ(V(list->Extract(P(1), ldFromEnd)), 1);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3}));
  EXPECT_EQ(list->Remove(P(3)), 2);
  EXPECT_EQ(list->Remove(P(3)), -1);
  EXPECT_EQ(V(list->ExtractByIndex(0)), 1);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{2}));
}

TEST(dxFastList, RearrangingOperations)
{
  struct Case {
    const char* Name;
    std::function<void(TdxFastList*)> Action;
    std::vector<std::intptr_t> Expected;
  };
  const Case cases[] = {
      {"Pack(nil) keeps the order of the others", [](TdxFastList* L) { L->Pack(nullptr); }, {1, 2, 3}},
      {"Pack of an item", [](TdxFastList* L) { L->Pack(P(2)); }, {1, 0, 0, 3, 0}},
      {"Reverse", [](TdxFastList* L) { L->Reverse(); }, {0, 3, 0, 2, 0, 1}},
      {"Move up", [](TdxFastList* L) { L->Move(0, 3); }, {0, 2, 0, 1, 3, 0}},
      {"Move down", [](TdxFastList* L) { L->Move(4, 1); }, {1, 3, 0, 2, 0, 0}},
      {"Move to itself", [](TdxFastList* L) { L->Move(2, 2); }, {1, 0, 2, 0, 3, 0}},
      {"Exchange", [](TdxFastList* L) { L->Exchange(0, 4); }, {3, 0, 2, 0, 1, 0}},
      {"Insert", [](TdxFastList* L) { L->Insert(6, P(7)); }, {1, 0, 2, 0, 3, 0, 7}},
      {"Insert a list into itself", [](TdxFastList* L) { L->Insert(1, L); }, {1, 1, 0, 2, 0, 3, 0, 0, 2, 0, 3, 0}},
      {"DeleteRange", [](TdxFastList* L) { L->DeleteRange(1, 4); }, {1, 0}},
      {"DeleteRange of nothing at the end", [](TdxFastList* L) { L->DeleteRange(6, 0); }, {1, 0, 2, 0, 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ListPtr list = NewList({1, 0, 2, 0, 3, 0});
    c.Action(list.get());
    EXPECT_EQ(Items(list.get()), c.Expected);
  }
}

TEST(dxFastList, PackKeepsTheCapacity)
{
  ListPtr list = NewList({1, 0, 2, 0, 0});
  list->Pack();
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2}));
  EXPECT_EQ(list->GetCapacity(), 16);
}

TEST(dxFastList, InsertingAListGrowsToExactlyTheNewCount)
{
  ListPtr list(rtl::New<TdxFastList>(4));
  list->SetCount(3);
  ListPtr other = NewList({7, 8, 9});
  list->Insert(3, other.get());
  EXPECT_EQ(list->GetCapacity(), 6);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{0, 0, 0, 7, 8, 9}));
}

TEST(dxFastList, AssignCopiesCountCapacityAndItems)
{
  ListPtr source = NewList({1, 2, 3});
  source->SetCapacity(40);
  ListPtr list = NewList({5});
  list->Assign(source.get());
  EXPECT_EQ(list->GetCapacity(), 40);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3}));
}

TEST(dxFastList, ExchangesItemsWithThePlatformList)
{
  ListPtr list = NewList({1, 2, 3});
  rtl::TList* copy = list->GetTList();
  ASSERT_EQ(copy->GetCount(), 3);
  EXPECT_EQ(V(copy->GetItem(2)), 3);
  copy->Add(P(4));
  EXPECT_EQ(list->GetCount(), 3) << "the platform list is a copy";
  list->Assign(copy);
  EXPECT_EQ(Items(list.get()), (std::vector<std::intptr_t>{1, 2, 3, 4}));
  EXPECT_EQ(list->GetCapacity(), copy->GetCapacity());
  rtl::Free(copy);
}

TEST(dxFastList, AssignWithAnOperator)
{
  struct Case {
    rtl::TListAssignOp Op;
    std::vector<std::intptr_t> List, Source, Expected;
  };
  const Case cases[] = {
      {rtl::laCopy, {1, 2}, {2, 3, 4}, {2, 3, 4}},
      {rtl::laAnd, {1, 2}, {2, 3, 4}, {2}},
      {rtl::laOr, {1, 2}, {2, 3, 4}, {1, 2, 3, 4}},
      {rtl::laXor, {1, 2}, {2, 3, 4}, {1, 3, 4}},
      {rtl::laSrcUnique, {1, 2}, {2, 3, 4}, {1}},
      {rtl::laDestUnique, {1, 2}, {2, 3, 4}, {4, 3}},
      // Duplicates: membership is by pointer, each occurrence on its own.
      {rtl::laAnd, {1, 2, 1}, {1}, {1, 1}},
      {rtl::laOr, {1}, {2, 2}, {1, 2}},
      {rtl::laXor, {1, 2, 1}, {1, 3, 3}, {2, 3, 3}},
      {rtl::laSrcUnique, {1, 2, 1}, {1}, {2}},
      {rtl::laDestUnique, {1}, {2, 1, 3}, {3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "operator " << c.Op);
    ListPtr list = NewList();
    ListPtr source = NewList();
    for (auto item : c.List)
      list->Add(P(item));
    for (auto item : c.Source)
      source->Add(P(item));
    list->Assign(source.get(), c.Op);
    EXPECT_EQ(Items(list.get()), c.Expected);
    EXPECT_EQ(Items(source.get()), c.Source) << "the source is left alone";
  }
}

TEST(dxFastList, AssignOfAListToItself)
{
  const std::pair<rtl::TListAssignOp, std::vector<std::intptr_t>> cases[] = {
      {rtl::laCopy, {1, 2}}, {rtl::laAnd, {1, 2}},      {rtl::laOr, {1, 2}},
      {rtl::laXor, {}},      {rtl::laSrcUnique, {}},    {rtl::laDestUnique, {}},
  };
  for (const auto& [op, expected] : cases) {
    ListPtr list = NewList({1, 2});
    list->Assign(list.get(), op);
    EXPECT_EQ(Items(list.get()), expected) << "operator " << op;
  }
}

// ---------------------------------------------------------------------------
// The owning list

class TFastTracked : public rtl::TObject {
  RTL_CLASS(TFastTracked, rtl::TObject)

 public:
  static std::vector<int>& FreedLog()
  {
    static std::vector<int> log;
    return log;
  }
  void Create(int AId) { FId = AId; }
  void Destroy() override
  {
    FreedLog().push_back(FId);
    inherited::Destroy();
  }
  int Id() const { return FId; }

 private:
  int FId;
};

struct ObjectListFixture {
  TdxFastObjectList* List;
  std::vector<TFastTracked*> Objects;

  explicit ObjectListFixture(bool AOwns, int ACount = 4)
  {
    TFastTracked::FreedLog().clear();
    List = rtl::New<TdxFastObjectList>(AOwns);
    for (int i = 0; i < ACount; ++i) {
      Objects.push_back(rtl::New<TFastTracked>(i));
      List->Add(Objects.back());
    }
  }
  ~ObjectListFixture()
  {
    const bool owns = List->GetOwnsObjects();
    List->Clear();
    rtl::Free(List);
    if (!owns)
      for (TFastTracked* object : Objects)
        rtl::Free(object);
  }
};

TEST(dxFastObjectList, AnOwningListFreesWhatLeavesIt)
{
  struct Case {
    const char* Name;
    std::function<void(ObjectListFixture&)> Action;
    std::vector<int> Freed;
    int CountAfter;
  };
  const Case cases[] = {
      {"Delete", [](ObjectListFixture& F) { F.List->Delete(2); }, {2}, 3},
      {"DeleteRange in index order", [](ObjectListFixture& F) { F.List->DeleteRange(1, 2); }, {1, 2}, 2},
      {"Remove", [](ObjectListFixture& F) { EXPECT_EQ(F.List->Remove(F.Objects[3]), 3); }, {3}, 3},
      {"Remove of an absent object",
       [](ObjectListFixture& F) { EXPECT_EQ(F.List->Remove(F.List), -1); }, {}, 4},
      {"Count shrinking, in index order", [](ObjectListFixture& F) { F.List->SetCount(1); }, {1, 2, 3}, 1},
      {"Clear, in index order", [](ObjectListFixture& F) { F.List->Clear(); }, {0, 1, 2, 3}, 0},
      {"Items write by another object",
       [](ObjectListFixture& F) {
         F.Objects.push_back(rtl::New<TFastTracked>(9));
         F.List->SetItem(1, F.Objects.back());
       },
       {1}, 4},
      {"Items write by the same object", [](ObjectListFixture& F) { F.List->SetItem(1, F.Objects[1]); }, {}, 4},
      {"Delete out of bounds frees nothing",
       [](ObjectListFixture& F) { EXPECT_THROW(F.List->Delete(4), EListError); }, {}, 4},
      {"DeleteRange out of range frees nothing",
       [](ObjectListFixture& F) { EXPECT_THROW(F.List->DeleteRange(3, 2), EListError); }, {}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ObjectListFixture fixture(true);
    c.Action(fixture);
    EXPECT_EQ(TFastTracked::FreedLog(), c.Freed);
    EXPECT_EQ(fixture.List->GetCount(), c.CountAfter);
  }
}

TEST(dxFastObjectList, ExtractingAndANonOwningListFreeNothing)
{
  {
    ObjectListFixture fixture(true);
    EXPECT_EQ(fixture.List->Extract(fixture.Objects[1]), fixture.Objects[1]);
    fixture.List->ExtractRange(0, 2);
    EXPECT_TRUE(TFastTracked::FreedLog().empty());
    EXPECT_EQ(fixture.List->GetCount(), 1);
    EXPECT_EQ(fixture.List->First(), fixture.Objects[3]);
    rtl::Free(fixture.Objects[0]);
    rtl::Free(fixture.Objects[1]);
    rtl::Free(fixture.Objects[2]);
  }
  {
    ObjectListFixture fixture(false);
    fixture.List->Delete(0);
    fixture.List->SetCount(1);
    fixture.List->Clear();
    EXPECT_TRUE(TFastTracked::FreedLog().empty());
  }
}

TEST(dxFastObjectList, FreeingTheListFreesItsObjects)
{
  TFastTracked::FreedLog().clear();
  auto* list = rtl::New<TdxFastObjectList>();
  list->Add(rtl::New<TFastTracked>(5));
  list->Add(rtl::New<TFastTracked>(6));
  rtl::Free(list);
  EXPECT_EQ(TFastTracked::FreedLog(), (std::vector<int>{5, 6}));
}

// ---------------------------------------------------------------------------
// Sorting

int CompareValues(void* A, void* B)
{
  return static_cast<int>(V(A) - V(B));
}

struct TCounter {
  int Calls = 0;
  std::vector<std::pair<std::intptr_t, std::intptr_t>> Log;
  int Compare(void* A, void* B)
  {
    ++Calls;
    Log.emplace_back(V(A), V(B));
    return CompareValues(A, B);
  }
};

std::vector<void*> RandomItems(int ACount, unsigned ASeed, int AMaxValue)
{
  std::mt19937 random(ASeed);
  std::uniform_int_distribution<int> value(1, AMaxValue);
  std::vector<void*> items;
  for (int i = 0; i < ACount; ++i)
    items.push_back(P(value(random)));
  return items;
}

TEST(dxSortItems, SortsLikeTheStandardSortInBothCompareForms)
{
  for (int count : {0, 1, 2, 3, 34, 35, 36, 37, 70, 71, 200, 1000}) {
    for (int maxValue : {3, 1000000}) {
      SCOPED_TRACE(testing::Message() << count << " items up to " << maxValue);
      std::vector<void*> expected = RandomItems(count, count * 7 + maxValue, maxValue);
      std::vector<void*> byMethod = expected, byFunction = expected;
      std::sort(expected.begin(), expected.end(), [](void* A, void* B) { return V(A) < V(B); });

      TCounter counter;
      dxSortItems(byMethod.data(), count, false, TCompareItems::Bind<&TCounter::Compare>(&counter));
      dxSortItems(byFunction.data(), count, false, &CompareValues);
      EXPECT_EQ(byMethod, expected);
      EXPECT_EQ(byFunction, expected);
    }
  }
}

TEST(dxSortItems, SortedAndReversedInputs)
{
  for (int count : {35, 36, 100, 1000}) {
    std::vector<void*> ascending, descending;
    for (int i = 0; i < count; ++i) {
      ascending.push_back(P(i + 1));
      descending.push_back(P(count - i));
    }
    std::vector<void*> items = ascending;
    dxSortItemsSequential(items.data(), count, &CompareValues);
    EXPECT_EQ(items, ascending) << count;
    items = descending;
    dxSortItemsSequential(items.data(), count, &CompareValues);
    EXPECT_EQ(items, ascending) << count;
  }
}

TEST(dxSortItems, ThirtySixItemsTakeAQuickSortPassAndThirtyFiveDoNot)
{
  // The quick-sort pass starts by comparing the last item with the first;
  // the insertion pass starts its search for the smallest item at index 34.
  for (const auto& [count, firstPair] :
       {std::pair{35, std::pair<std::intptr_t, std::intptr_t>{34, 35}}, std::pair{36, std::pair<std::intptr_t, std::intptr_t>{36, 1}}}) {
    std::vector<void*> items;
    for (int i = 1; i <= count; ++i)
      items.push_back(P(i));
    TCounter counter;
    dxSortItemsSequential(items.data(), count, TCompareItems::Bind<&TCounter::Compare>(&counter));
    ASSERT_FALSE(counter.Log.empty());
    EXPECT_EQ(counter.Log.front(), firstPair) << count << " items";
  }
}

TEST(dxSortItems, NilListOrFewerThanTwoItemsCallNoComparer)
{
  TCounter counter;
  auto compare = TCompareItems::Bind<&TCounter::Compare>(&counter);
  void* one[] = {P(1)};
  dxSortItems(nullptr, 10, false, compare);
  dxSortItems(one, 1, true, compare);
  dxSortItemsSequential(one, 0, compare);
  EXPECT_EQ(counter.Calls, 0);
}

// A comparer that breaks the rules must not make the sort leave the array:
// the items around the sorted range are never read or moved, and the sorted
// range ends up a permutation of what it held.
TEST(dxSortItems, AnInconsistentComparerStaysWithinTheArray)
{
  struct Comparer {
    const char* Name;
    int (*Compare)(std::intptr_t, std::intptr_t, std::mt19937&);
  };
  const Comparer comparers[] = {
      {"always less", [](std::intptr_t, std::intptr_t, std::mt19937&) { return -1; }},
      {"always greater", [](std::intptr_t, std::intptr_t, std::mt19937&) { return 1; }},
      {"random", [](std::intptr_t, std::intptr_t, std::mt19937& R) { return static_cast<int>(R() % 3) - 1; }},
      {"reversed for small values",
       [](std::intptr_t A, std::intptr_t B, std::mt19937&) {
         return (A < 20 || B < 20) ? static_cast<int>(B - A) : static_cast<int>(A - B);
       }},
  };
  struct TGuarded {
    int (*Compare)(std::intptr_t, std::intptr_t, std::mt19937&);
    std::mt19937 Random{5};
    int Count = 0;
    bool SawOutsider = false;
    int Call(void* A, void* B)
    {
      for (std::intptr_t v : {V(A), V(B)})
        if (v < 1 || v > Count)
          SawOutsider = true;
      return Compare(V(A), V(B), Random);
    }
  };
  constexpr std::intptr_t Guard = -77;
  for (const Comparer& comparer : comparers) {
    for (int count : {2, 35, 36, 37, 50, 100, 500}) {
      SCOPED_TRACE(testing::Message() << comparer.Name << ", " << count << " items");
      std::vector<void*> items(count + 2, P(Guard));
      for (int i = 1; i <= count; ++i)
        items[i] = P(i);
      std::shuffle(items.begin() + 1, items.end() - 1, std::mt19937(count));
      TGuarded guarded;
      guarded.Compare = comparer.Compare;
      guarded.Count = count;
      dxSortItemsSequential(items.data() + 1, count, TCompareItems::Bind<&TGuarded::Call>(&guarded));
      EXPECT_FALSE(guarded.SawOutsider);
      EXPECT_EQ(V(items.front()), Guard);
      EXPECT_EQ(V(items.back()), Guard);
      std::vector<std::intptr_t> sorted;
      for (int i = 1; i <= count; ++i)
        sorted.push_back(V(items[i]));
      std::sort(sorted.begin(), sorted.end());
      for (int i = 0; i < count; ++i)
        ASSERT_EQ(sorted[i], i + 1) << "the items are a permutation of the input";
    }
  }
}

// A comparer that raises must not cost the list an item: after the raise the
// array still holds every item exactly once.
TEST(dxSortItems, ARaisingComparerLosesNoItem)
{
  struct TRaiseAfter {
    int Left;
    int Compare(void* A, void* B)
    {
      if (Left-- == 0)
        throw rtl::Exception(L"compare failed");
      return CompareValues(A, B);
    }
  };
  for (int count : {5, 35, 36, 100}) {
    for (int calls : {0, 3, 40, 150}) {
      SCOPED_TRACE(testing::Message() << count << " items, raising at call " << calls);
      std::vector<void*> items = RandomItems(count, count + calls, 1000);
      std::vector<void*> expected = items;
      TRaiseAfter comparer{calls};
      try {
        dxSortItemsSequential(items.data(), count, TCompareItems::Bind<&TRaiseAfter::Compare>(&comparer));
      } catch (const rtl::Exception&) {
      }
      std::sort(items.begin(), items.end());
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(items, expected);
    }
  }
}

// The pool function stand-in of these cases: counts the items handed to the
// pool and passes them on.
std::atomic<int> CoreClassesPoolCalls;
TdxQueueUserWorkItemFunc CoreClassesRealPool;

BOOL WINAPI CoreClassesCountingPool(LPTHREAD_START_ROUTINE AFunction, PVOID AContext, ULONG AFlags)
{
  ++CoreClassesPoolCalls;
  return CoreClassesRealPool(AFunction, AContext, AFlags);
}

// Compares on pool threads too, so it counts atomically.
struct TCoreClassesSharedComparer {
  std::atomic<int> Calls{0};
  int Compare(void* A, void* B)
  {
    ++Calls;
    return CompareValues(A, B);
  }
};

TEST(dxSortItems, ThePoolSortsMoreThan32ItemsOnlyWhenAskedAndUsable)
{
  ASSERT_NE(dxMultithreadedSort(), nullptr) << "the thread pool's unit runs with the core";
  struct Case {
    bool Available, Enabled, MultiThreaded;
    int Count;
    bool Parallel;
  };
  const Case cases[] = {
      {true, true, true, 33, true},    {true, true, true, 1000, true},   {true, true, true, 32, false},
      {false, true, true, 1000, false}, {true, false, true, 1000, false}, {true, true, false, 1000, false},
  };
  CoreClassesRealPool = dxQueueUserWorkItemFunc;
  const bool available = dxMultiThreadingAvailable;
  dxQueueUserWorkItemFunc = &CoreClassesCountingPool;
  rtl::Finally restore([&] {
    dxQueueUserWorkItemFunc = CoreClassesRealPool;
    dxMultiThreadingAvailable = available;
    dxEnableMultiThreading = true;
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "available " << c.Available << ", enabled " << c.Enabled
                                    << ", multithreaded " << c.MultiThreaded << ", " << c.Count << " items");
    dxMultiThreadingAvailable = c.Available;
    dxEnableMultiThreading = c.Enabled;
    CoreClassesPoolCalls = 0;
    ListPtr list = NewList();
    for (void* item : RandomItems(c.Count, 3, 1000))
      list->Add(item);
    std::vector<void*> expected(list->GetList(), list->GetList() + list->GetCount());
    std::sort(expected.begin(), expected.end(), [](void* A, void* B) { return V(A) < V(B); });
    for (int form = 0; form < 2; ++form) {
      TCoreClassesSharedComparer comparer;
      std::shuffle(list->GetList(), list->GetList() + list->GetCount(), std::mt19937(form));
      if (form == 0)
        list->Sort(TCompareItems::Bind<&TCoreClassesSharedComparer::Compare>(&comparer), c.MultiThreaded);
      else
        list->Sort(&CompareValues, c.MultiThreaded);
      EXPECT_EQ(std::vector<void*>(list->GetList(), list->GetList() + list->GetCount()), expected) << "form " << form;
    }
    if (c.Parallel)
      EXPECT_GT(CoreClassesPoolCalls, 1);
    else
      EXPECT_EQ(CoreClassesPoolCalls, 0);
  }
}

// ---------------------------------------------------------------------------
// Multicast events

using rtl::TNotifyEvent;
using TNotifyMulticast = TdxMulticastMethod<TNotifyEvent>;

struct TCall {
  char Listener;
  rtl::TObject* Sender;
  bool operator==(const TCall&) const = default;
};

std::ostream& operator<<(std::ostream& AStream, const TCall& ACall)
{
  return AStream << ACall.Listener << "(" << ACall.Sender << ")";
}

struct TFastListListener {
  char Name;
  std::vector<TCall>* Log;
  // What the listener does to the event after logging its call.
  std::function<void()> Then;
  void Notify(rtl::TObject* ASender)
  {
    Log->push_back({Name, ASender});
    if (Then)
      Then();
  }
  TNotifyEvent Handler() { return TNotifyEvent::Bind<&TFastListListener::Notify>(this); }
};

struct MulticastFixture {
  std::vector<TCall> Log;
  TFastListListener A{'A', &Log, {}}, B{'B', &Log, {}}, C{'C', &Log, {}}, D{'D', &Log, {}};
  rtl::TObject* Sender = reinterpret_cast<rtl::TObject*>(0x1234);

  std::vector<TCall> Calls(std::string_view AListeners) const
  {
    std::vector<TCall> result;
    for (char name : AListeners)
      result.push_back({name, Sender});
    return result;
  }
  std::vector<TCall> Fire(TNotifyMulticast& AEvent)
  {
    Log.clear();
    AEvent.GetInvoke()(Sender);
    return Log;
  }
};

TEST(dxMulticastMethod, CallsEveryHandlerInRegistrationOrderWithTheSameArguments)
{
  MulticastFixture f;
  TNotifyMulticast event;
  event.Add(f.A.Handler());
  event.Add(f.B.Handler());
  event.Add(f.A.Handler());
  EXPECT_EQ(event.GetCount(), 3);
  EXPECT_EQ(f.Fire(event), f.Calls("ABA"));

  event.Remove(f.A.Handler());
  EXPECT_EQ(f.Fire(event), f.Calls("BA")) << "Remove takes the first match only";
  event.Remove(f.C.Handler());
  EXPECT_EQ(f.Fire(event), f.Calls("BA")) << "removing a stranger changes nothing";
  event.Clear();
  EXPECT_EQ(f.Fire(event), f.Calls(""));
}

TEST(dxMulticastMethod, AnEventWithoutHandlers)
{
  MulticastFixture f;
  TNotifyMulticast event;
  event.Remove(f.A.Handler());
  event.Clear();
  EXPECT_EQ(event.GetImplementator(), nullptr) << "Remove and Clear make no implementator";
  EXPECT_EQ(event.GetCount(), 0);
  EXPECT_EQ(f.Fire(event), f.Calls("")) << "the dispatcher of no handlers returns normally";
}

TEST(dxMulticastMethod, CopiesShareTheHandlers)
{
  MulticastFixture f;
  TNotifyMulticast event;
  TNotifyMulticast clone = event.Clone();
  ASSERT_NE(event.GetImplementator(), nullptr);
  EXPECT_EQ(clone.GetImplementator(), event.GetImplementator());
  clone.Add(f.A.Handler());
  event.Add(f.B.Handler());
  EXPECT_EQ(f.Fire(event), f.Calls("AB"));
  TNotifyEvent dispatcher = clone.GetInvoke();
  EXPECT_EQ(dispatcher, event.GetInvoke()) << "one dispatcher per implementator";
}

TEST(dxMulticastMethod, HandlersThatChangeTheEventDuringADispatch)
{
  struct Case {
    const char* Name;
    std::function<void(MulticastFixture&, TNotifyMulticast&)> Arrange;
    const char* First;
    const char* Second;
  };
  const Case cases[] = {
      {"a handler removes itself",
       [](MulticastFixture& F, TNotifyMulticast& E) { F.A.Then = [&] { E.Remove(F.A.Handler()); }; }, "ABC", "BC"},
      {"the last handler removes itself",
       [](MulticastFixture& F, TNotifyMulticast& E) { F.C.Then = [&] { E.Remove(F.C.Handler()); }; }, "ABC", "AB"},
      {"a handler removes a later one",
       [](MulticastFixture& F, TNotifyMulticast& E) { F.A.Then = [&] { E.Remove(F.C.Handler()); }; }, "AB", "AB"},
      {"a handler removes an earlier one",
       [](MulticastFixture& F, TNotifyMulticast& E) { F.B.Then = [&] { E.Remove(F.A.Handler()); }; }, "ABC", "BC"},
      {"a handler removes itself and the next",
       [](MulticastFixture& F, TNotifyMulticast& E) {
         F.A.Then = [&] {
           E.Remove(F.A.Handler());
           E.Remove(F.B.Handler());
         };
       },
       "AC", "C"},
      {"a handler clears the event",
       [](MulticastFixture& F, TNotifyMulticast& E) { F.A.Then = [&] { E.Clear(); }; }, "A", ""},
      {"a handler adds one, called from the next dispatch on",
       [](MulticastFixture& F, TNotifyMulticast& E) {
         F.B.Then = [&] {
           E.Add(F.D.Handler());
           F.B.Then = nullptr;
         };
       },
       "ABC", "ABCD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MulticastFixture f;
    TNotifyMulticast event;
    event.Add(f.A.Handler());
    event.Add(f.B.Handler());
    event.Add(f.C.Handler());
    c.Arrange(f, event);
    EXPECT_EQ(f.Fire(event), f.Calls(c.First));
    f.A.Then = f.B.Then = f.C.Then = nullptr;
    EXPECT_EQ(f.Fire(event), f.Calls(c.Second));
  }
}

TEST(dxMulticastMethod, AHandlerMayRaiseTheEventAgain)
{
  MulticastFixture f;
  TNotifyMulticast event;
  event.Add(f.A.Handler());
  event.Add(f.B.Handler());
  // The nested dispatch removes A; the outer one goes on with B.
  f.A.Then = [&] {
    f.A.Then = nullptr;
    event.Remove(f.A.Handler());
    event.GetInvoke()(f.Sender);
  };
  f.Fire(event);
  EXPECT_EQ(f.Log, f.Calls("ABB"));
}

TEST(dxMulticastMethod, AnExceptionFromAHandlerEndsTheDispatch)
{
  MulticastFixture f;
  TNotifyMulticast event;
  event.Add(f.A.Handler());
  event.Add(f.B.Handler());
  f.A.Then = [] { throw rtl::EAbort(L"stop"); };
  EXPECT_THROW(f.Fire(event), rtl::EAbort);
  EXPECT_EQ(f.Log, f.Calls("A"));
  f.A.Then = nullptr;
  event.Remove(f.A.Handler());
  EXPECT_EQ(f.Fire(event), f.Calls("B")) << "the aborted dispatch left no cursor behind";
}

TEST(dxMulticastMethod, AHandlerMayDropTheLastReferenceToTheEvent)
{
  MulticastFixture f;
  auto* event = new TNotifyMulticast;
  event->Add(f.A.Handler());
  event->Add(f.B.Handler());
  // The owner goes away in the first handler, its event record with it.
  f.A.Then = [&] {
    delete event;
    event = nullptr;
  };
  TNotifyEvent dispatcher = event->GetInvoke();
  dispatcher(f.Sender);
  EXPECT_EQ(f.Log, f.Calls("AB")) << "the dispatch in progress finishes on the live implementator";
}

TEST(dxMulticastMethod, TheImplementatorAnswersItsInterface)
{
  auto* implementator = rtl::New<TdxMulticastImplementator<TNotifyEvent>>();
  rtl::IPtr<IdxMulticastMethod<TNotifyEvent>> intf;
  EXPECT_TRUE(rtl::Supports(implementator, &intf));
  EXPECT_EQ(rtl::IIDOf<IdxMulticastMethod<TNotifyEvent>>(), rtl::IIDOf<IdxMulticastMethod<TCompareItems>>())
      << "one identifier for every event type";
  EXPECT_EQ(rtl::IIDOf<IdxMulticastMethod<TNotifyEvent>>(),
            rtl::GUIDLiteral("{BCD2B104-F540-4470-B0E9-5A15EAF6FE71}"));
}

TEST(dxEventStackSize, ArgumentsBeyondTheTwoFreeRegistersAndLargeOnesGoOnTheStack)
{
  using rtl::TObject;
  static_assert(dxEventStackSize<TObject*, int, int>() == 4);
  static_assert(dxEventStackSize<TObject*, const RECT&>() == 0);
  static_assert(dxEventStackSize<TObject*, double>() == 8);
  static_assert(dxEventStackSize<>() == 0);
  static_assert(dxEventStackSize<TObject*>() == 0);
  static_assert(dxEventStackSize<TObject*, int, int, int>() == 8);
  static_assert(dxEventStackSize<TObject*, double&>() == 0, "var parameters are addresses");
  static_assert(dxEventStackSize<TObject*, const double&, long double&, int&>() == 8);
  static_assert(dxEventStackSize<TObject*, RECT>() == 0, "a record passes as its address");
  static_assert(dxEventStackSize<double, TObject*, int>() == 8, "a large argument leaves the registers free");
  static_assert(dxEventStackSize<TObject*, long long>() == 8);
  static_assert(dxEventStackSize<TObject*, long double>() == 12);
  static_assert(dxEventStackSize<TObject*, float, float>() == 4);
  static_assert(dxEventStackSize<TObject*, wchar_t, char, bool>() == 8);
  static_assert(dxEventStackSize<TObject*, rtl::Currency>() == 8);
  static_assert(dxEventStackSize<TObject*, const rtl::Variant&>() == 0);
  static_assert(dxEventStackSize<TObject*, rtl::String>() == 0);
  static_assert(dxEventParameterSize<rtl::Variant>() == 16);
  static_assert(dxEventParameterSize<TNotifyEvent>() == 8);
  static_assert(dxEventParameterSize<short>() == 2);
  static_assert(TdxMethodStackSize<rtl::TMethod<void(TObject*, int, int)>>::Value == 4);
  static_assert(TdxMulticastImplementator<rtl::TMethod<void(TObject*, double)>>::StackSize == 8);
  SUCCEED();
}

}  // namespace
