#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

using namespace rtl;

namespace {

void* P(std::uintptr_t AValue)
{
  return reinterpret_cast<void*>(AValue);
}

std::vector<std::uintptr_t> Items(const TList* AList)
{
  std::vector<std::uintptr_t> result;
  for (int i = 0; i < AList->GetCount(); ++i)
    result.push_back(reinterpret_cast<std::uintptr_t>(AList->GetItem(i)));
  return result;
}

void Fill(TList* AList, std::initializer_list<std::uintptr_t> AItems)
{
  AList->Clear();
  for (std::uintptr_t item : AItems)
    AList->Add(P(item));
}

template <class F>
String ListErrorText(F AAction)
{
  try {
    AAction();
  } catch (const EListError& E) {
    return E.Message();
  }
  return L"(no EListError)";
}

// Records every notification a list sends.
class TLoggingList : public TList {
  RTL_CLASS(TLoggingList, TList)

 public:
  struct TEntry {
    std::uintptr_t Item;
    TListNotification Action;
    bool operator==(const TEntry&) const = default;
  };
  std::vector<TEntry> Log;

 protected:
  void Notify(void* APtr, TListNotification AAction) override
  {
    Log.push_back({reinterpret_cast<std::uintptr_t>(APtr), AAction});
  }
};

}  // namespace

TEST(TList, BadIndexesCountsAndCapacitiesRaiseTheFrameworksTexts)
{
  TOwnedPtr<TList> list(New<TList>());
  Fill(list.get(), {1, 2, 3});
  struct Case {
    const wchar_t* Name;
    void (*Action)(TList*);
    const wchar_t* Text;
  };
  const Case cases[] = {
      {L"get -1", [](TList* L) { L->GetItem(-1); }, L"List index out of bounds (-1)"},
      {L"get count", [](TList* L) { L->GetItem(3); }, L"List index out of bounds (3)"},
      {L"put count", [](TList* L) { L->SetItem(3, nullptr); }, L"List index out of bounds (3)"},
      {L"delete", [](TList* L) { L->Delete(7); }, L"List index out of bounds (7)"},
      {L"insert past end", [](TList* L) { L->Insert(4, nullptr); }, L"List index out of bounds (4)"},
      {L"exchange", [](TList* L) { L->Exchange(0, 3); }, L"List index out of bounds (3)"},
      {L"move", [](TList* L) { L->Move(-2, 0); }, L"List index out of bounds (-2)"},
      {L"capacity below count", [](TList* L) { L->SetCapacity(2); }, L"List capacity out of bounds (2)"},
      {L"negative count", [](TList* L) { L->SetCount(-1); }, L"List count out of bounds (-1)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ListErrorText([&] { c.Action(list.get()); }), c.Text) << c.Name;
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{1, 2, 3})) << "a failed call changes nothing";

  list->Clear();
  EXPECT_EQ(ListErrorText([&] { list->First(); }), L"List index out of bounds (0)");
  EXPECT_EQ(ListErrorText([&] { list->Last(); }), L"List index out of bounds (-1)");
  list->Insert(0, P(9));  // inserting at the count is appending
  EXPECT_EQ(list->First(), P(9));
}

TEST(TList, EditingOperations)
{
  TOwnedPtr<TList> list(New<TList>());
  Fill(list.get(), {1, 2, 3, 4});
  list->Move(0, 3);
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{2, 3, 4, 1}));
  list->Exchange(0, 1);
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{3, 2, 4, 1}));
  EXPECT_EQ(list->Remove(P(4)), 2);
  EXPECT_EQ(list->Remove(P(4)), -1);
  EXPECT_EQ(list->Extract(P(2)), P(2));
  EXPECT_EQ(list->Extract(P(2)), nullptr);
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{3, 1}));
  list->SetCount(4);
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{3, 1, 0, 0}));
  list->Insert(1, nullptr);
  list->Pack();
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{3, 1}));
  EXPECT_EQ(list->IndexOf(P(1)), 1);
  EXPECT_EQ(list->Last(), P(1));
}

TEST(TList, CapacityGrowsInStepsAndStaysAsSet)
{
  TOwnedPtr<TList> list(New<TList>());
  EXPECT_EQ(list->GetCapacity(), 0);
  list->Add(P(1));
  EXPECT_EQ(list->GetCapacity(), 4);
  for (int i = 0; i < 4; ++i)
    list->Add(P(1));
  EXPECT_EQ(list->GetCapacity(), 8);
  list->SetCapacity(100);
  EXPECT_EQ(list->GetCapacity(), 100);
  list->SetCapacity(5);
  EXPECT_EQ(list->GetCapacity(), 5);
  list->Clear();
  EXPECT_EQ(list->GetCapacity(), 0);
}

TEST(TList, NotifiesAdditionsDeletionsAndExtractionsButNeverNulls)
{
  using E = TLoggingList::TEntry;
  TOwnedPtr<TLoggingList> list(New<TLoggingList>());
  list->Add(P(1));
  list->Add(nullptr);
  list->Insert(0, P(2));
  list->SetItem(0, P(3));
  list->Extract(P(1));
  list->Delete(1);  // the null
  list->Remove(P(3));
  list->Add(P(4));
  list->Add(P(5));
  list->Clear();
  EXPECT_EQ(list->Log, (std::vector<E>{{1, lnAdded},
                                       {2, lnAdded},
                                       {2, lnDeleted},
                                       {3, lnAdded},
                                       {1, lnExtracted},
                                       {3, lnDeleted},
                                       {4, lnAdded},
                                       {5, lnAdded},
                                       {5, lnDeleted},
                                       {4, lnDeleted}}));
}

namespace {

// Items above 100 bring their partner (the item 100 lower) along when they
// go, as objects that unregister a companion on their way out do.
class TPairedList : public TList {
  RTL_CLASS(TPairedList, TList)

 protected:
  void Notify(void* APtr, TListNotification AAction) override
  {
    const auto item = reinterpret_cast<std::uintptr_t>(APtr);
    if (AAction == lnDeleted && item > 100)
      Remove(P(item - 100));
  }
};

}  // namespace

TEST(TList, ShrinkingCopesWithNotificationsThatRemoveOtherItems)
{
  struct Case {
    int NewCount;
    std::vector<std::uintptr_t> Expected;
  };
  const Case cases[] = {
      {0, {}},
      {1, {3}},
      {2, {3}},
  };
  for (const Case& c : cases) {
    TOwnedPtr<TPairedList> list(New<TPairedList>());
    Fill(list.get(), {1, 3, 2, 101, 102});
    list->SetCount(c.NewCount);
    EXPECT_EQ(Items(list.get()), c.Expected) << c.NewCount;
  }
  TOwnedPtr<TPairedList> list(New<TPairedList>());
  Fill(list.get(), {1, 2, 101, 102});
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);
}

namespace {

int CompareNumbers(void* A, void* B)
{
  const auto a = reinterpret_cast<std::uintptr_t>(A), b = reinterpret_cast<std::uintptr_t>(B);
  return a < b ? -1 : a > b ? 1 : 0;
}

int AlwaysLess(void*, void*)
{
  return -1;
}

int AlwaysGreater(void*, void*)
{
  return 1;
}

// Contradicts itself from call to call.
int Erratic(void*, void*)
{
  static unsigned state = 12345;
  state = state * 1103515245u + 12345u;
  return static_cast<int>(state >> 16 & 3) - 1;
}

}  // namespace

TEST(TList, SortOrdersByTheComparator)
{
  TOwnedPtr<TList> list(New<TList>());
  Fill(list.get(), {5, 3, 9, 1, 3, 7, 2, 8, 6, 4});
  list->Sort(&CompareNumbers);
  EXPECT_EQ(Items(list.get()), (std::vector<std::uintptr_t>{1, 2, 3, 3, 4, 5, 6, 7, 8, 9}));
}

// An inconsistent comparator once made the scans run past both ends of the
// array; the items must merely be permuted.
TEST(TList, SortWithAnInconsistentComparatorStaysInTheList)
{
  for (TListSortCompare compare : {&AlwaysLess, &AlwaysGreater, &Erratic}) {
    TOwnedPtr<TList> list(New<TList>());
    for (std::uintptr_t i = 1; i <= 200; ++i)
      list->Add(P(i));
    list->Sort(compare);
    std::vector<std::uintptr_t> items = Items(list.get());
    std::sort(items.begin(), items.end());
    std::vector<std::uintptr_t> expected;
    for (std::uintptr_t i = 1; i <= 200; ++i)
      expected.push_back(i);
    EXPECT_EQ(items, expected);
  }
}

TEST(TList, AssignOperators)
{
  struct Case {
    TListAssignOp Op;
    std::initializer_list<std::uintptr_t> Dest, Source;
    std::vector<std::uintptr_t> Expected;
  };
  const Case cases[] = {
      {laCopy, {1, 2}, {3, 4, 3}, {3, 4, 3}},
      {laAnd, {1, 2, 3, 4}, {4, 2, 9}, {2, 4}},
      {laOr, {1, 2}, {3, 2, 4}, {1, 2, 3, 4}},
      {laXor, {1, 2, 3}, {4, 2, 5}, {1, 3, 4, 5}},
      {laSrcUnique, {1, 2, 3, 2}, {2, 9}, {1, 3}},
      {laDestUnique, {1, 2}, {2, 3, 4}, {4, 3}},
  };
  TOwnedPtr<TList> dest(New<TList>());
  TOwnedPtr<TList> source(New<TList>());
  for (const Case& c : cases) {
    Fill(dest.get(), c.Dest);
    Fill(source.get(), c.Source);
    dest->Assign(source.get(), c.Op);
    EXPECT_EQ(Items(dest.get()), c.Expected) << "operator " << c.Op;
  }

  // Onto itself: copying keeps the items, the set operators act as on sets.
  const std::pair<TListAssignOp, std::vector<std::uintptr_t>> selfCases[] = {
      {laCopy, {1, 2}}, {laAnd, {1, 2}}, {laXor, {}}};
  for (const auto& [op, expected] : selfCases) {
    Fill(dest.get(), {1, 2});
    dest->Assign(dest.get(), op);
    EXPECT_EQ(Items(dest.get()), expected) << "operator " << op << " with itself";
  }

  // With a second list: a copy of the first, combined with the second.
  TOwnedPtr<TList> other(New<TList>());
  Fill(source.get(), {1, 2, 3});
  Fill(other.get(), {2, 5});
  Fill(dest.get(), {7});
  dest->Assign(source.get(), laOr, other.get());
  EXPECT_EQ(Items(dest.get()), (std::vector<std::uintptr_t>{1, 2, 3, 5}));
}

namespace {

class TCounted : public TObject {
  RTL_CLASS(TCounted, TObject)

 public:
  void Create(int* ALive)
  {
    FLive = ALive;
    ++*FLive;
  }
  void Destroy() override
  {
    --*FLive;
    inherited::Destroy();
  }

 private:
  int* FLive;
};

class TCountedChild : public TCounted {
  RTL_CLASS(TCountedChild, TCounted)
};

}  // namespace

TEST(TObjectList, FreesOwnedObjectsOnDeleteRemoveClearAndDestroyButNotOnExtract)
{
  int live = 0;
  TObjectList* list = New<TObjectList>();
  for (int i = 0; i < 5; ++i)
    list->Add(New<TCounted>(&live));
  list->Delete(0);
  EXPECT_EQ(live, 4);
  list->Remove(list->GetItem(0));
  EXPECT_EQ(live, 3);
  TObject* extracted = list->Extract(list->First());
  EXPECT_EQ(live, 3);
  rtl::Free(extracted);
  list->Clear();
  EXPECT_EQ(live, 0);
  list->Add(New<TCounted>(&live));
  rtl::Free(list);
  EXPECT_EQ(live, 0);

  TObjectList* notOwning = New<TObjectList>(false);
  TCounted* object = New<TCounted>(&live);
  notOwning->Add(object);
  rtl::Free(notOwning);
  EXPECT_EQ(live, 1);
  rtl::Free(object);
}

TEST(TObjectList, FindInstanceOfExactlyOrByDescent)
{
  int live = 0;
  TOwnedPtr<TObjectList> list(New<TObjectList>());
  list->Add(New<TCountedChild>(&live));
  list->Add(New<TCounted>(&live));
  list->Add(New<TCountedChild>(&live));
  EXPECT_EQ(list->FindInstanceOf(TCounted::StaticClass()), 1);
  EXPECT_EQ(list->FindInstanceOf(TCounted::StaticClass(), false), 0);
  EXPECT_EQ(list->FindInstanceOf(TCountedChild::StaticClass(), true, 1), 2);
  EXPECT_EQ(list->FindInstanceOf(TList::StaticClass(), false), -1);
}

TEST(TThreadList, IgnoresDuplicatesByDefaultAndRaisesWhenAsked)
{
  TOwnedPtr<TThreadList> list(New<TThreadList>());
  list->Add(P(1));
  list->Add(P(1));
  EXPECT_EQ(list->LockList()->GetCount(), 1);
  list->UnlockList();

  list->SetDuplicates(dupError);
  EXPECT_EQ(ListErrorText([&] { list->Add(P(0x1F)); list->Add(P(0x1F)); }),
            L"List does not allow duplicates ($01F)");

  list->SetDuplicates(dupAccept);
  list->Add(P(1));
  list->Remove(P(0x1F));
  TList* locked = list->LockList();
  EXPECT_EQ(Items(locked), (std::vector<std::uintptr_t>{1, 1}));
  list->UnlockList();
  list->Clear();
  EXPECT_EQ(list->LockList()->GetCount(), 0);
  list->UnlockList();
}

namespace {

// Counts its references; freed by the last one, as listeners are.
class TListener : public TInterfacedObject {
  RTL_CLASS(TListener, TInterfacedObject)

 public:
  void Create(int* ALive)
  {
    FLive = ALive;
    ++*FLive;
  }
  void Destroy() override
  {
    --*FLive;
    inherited::Destroy();
  }

 private:
  int* FLive;
};

IInterface* IntfOf(TListener* AObject)
{
  return static_cast<IInterface*>(AObject);
}

}  // namespace

TEST(TInterfaceList, HoldsACountedReferenceToEachItem)
{
  int live = 0;
  IPtr<IInterfaceList> list = static_cast<IInterfaceList*>(New<TInterfaceList>());
  for (int i = 0; i < 4; ++i)
    list->Add(IntfOf(New<TListener>(&live)));
  EXPECT_EQ(live, 4) << "the list keeps them alive";
  IPtr<IInterface> second = list->Get(1);
  list->Delete(1);
  EXPECT_EQ(live, 4) << "still held here";
  second.Reset();
  EXPECT_EQ(live, 3);

  IPtr<IInterface> first = list->First();
  EXPECT_EQ(list->IndexOf(first.Get()), 0);
  EXPECT_EQ(list->Remove(first.Get()), 0);
  EXPECT_EQ(list->Remove(first.Get()), -1);
  list->Insert(2, first.Get());
  EXPECT_EQ(list->Last(), first);
  list->Exchange(0, 2);
  EXPECT_EQ(list->First(), first);
  first.Reset();
  EXPECT_EQ(live, 3);

  TListener* replacement = New<TListener>(&live);
  list->Put(0, IntfOf(replacement));
  EXPECT_EQ(live, 3) << "the item put over is released";
  list->SetCount(1);
  EXPECT_EQ(live, 1);
  list->Add(nullptr);
  EXPECT_EQ(list->GetCount(), 2);
  list.Reset();
  EXPECT_EQ(live, 0) << "the last reference to the list releases its items";
  EXPECT_EQ(ListErrorText([&] {
              TOwnedPtr<TInterfaceList> other(New<TInterfaceList>());
              other->Get(0);
            }),
            L"List index out of bounds (0)");
}
