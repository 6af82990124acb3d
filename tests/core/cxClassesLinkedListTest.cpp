#include "core/cxClasses.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TNamedItem : public TcxDoublyLinkedObject {
  RTL_CLASS(TNamedItem, TcxDoublyLinkedObject)

 public:
  static std::vector<int>& FreedLog()
  {
    static std::vector<int> log;
    return log;
  }
  void Destroy() override
  {
    FreedLog().push_back(Id);
    inherited::Destroy();
  }
  int Id;
};

// Chooses its item class the way the XML lists do.
class TNamedList : public TcxDoublyLinkedObjectList {
  RTL_CLASS(TNamedList, TcxDoublyLinkedObjectList)

 public:
  TcxDoublyLinkedObjectClass GetLinkedObjectClass() const override
  {
    return TcxDoublyLinkedObjectClass::Of<TNamedItem>();
  }
  TNamedItem* AddItem(int AId)
  {
    auto* item = static_cast<TNamedItem*>(Add());
    item->Id = AId;
    return item;
  }
};

struct LinkedListDeleter {
  void operator()(TcxDoublyLinkedObjectList* AList) const { rtl::Free(AList); }
};

// The ids from First through Next, and checks that Last through Prev gives
// the same in reverse.
std::vector<int> Ids(const TcxDoublyLinkedObjectList* AList)
{
  std::vector<int> forward, backward;
  for (auto* item = AList->GetFirst(); item != nullptr; item = item->GetNext())
    forward.push_back(static_cast<TNamedItem*>(item)->Id);
  for (auto* item = AList->GetLast(); item != nullptr; item = item->GetPrev())
    backward.insert(backward.begin(), static_cast<TNamedItem*>(item)->Id);
  EXPECT_EQ(forward, backward) << "the links agree in both directions";
  EXPECT_EQ(AList->GetCount(), static_cast<int>(forward.size()));
  return forward;
}

TEST(cxDoublyLinkedObjectList, TheBaseListMakesBaseObjects)
{
  std::unique_ptr<TcxDoublyLinkedObjectList, LinkedListDeleter> list(rtl::New<TcxDoublyLinkedObjectList>());
  TcxDoublyLinkedObject* object = list->Add();
  EXPECT_EQ(object->ClassType(), TcxDoublyLinkedObject::StaticClass());
  EXPECT_EQ(list->GetFirst(), object);
  EXPECT_EQ(list->GetLast(), object);
}

TEST(cxDoublyLinkedObjectList, ADescendantChoosesItsItemClass)
{
  std::unique_ptr<TNamedList, LinkedListDeleter> list(rtl::New<TNamedList>());
  EXPECT_EQ(list->Add()->ClassType(), TNamedItem::StaticClass());
}

TEST(cxDoublyLinkedObjectList, LinkingOperations)
{
  struct Case {
    const char* Name;
    void (*Action)(TNamedList* AList, std::vector<TNamedItem*>& AItems);
    std::vector<int> Expected;
    std::vector<int> Freed;
  };
  const Case cases[] = {
      {"InsertBefore the first", [](TNamedList* L, std::vector<TNamedItem*>& I) {
         auto* item = rtl::New<TNamedItem>();
         item->Id = 9;
         L->InsertBefore(I[0], item);
       }, {9, 1, 2, 3}, {}},
      {"InsertBefore inside", [](TNamedList* L, std::vector<TNamedItem*>& I) {
         auto* item = rtl::New<TNamedItem>();
         item->Id = 9;
         L->InsertBefore(I[2], item);
       }, {1, 2, 9, 3}, {}},
      {"InsertAfter the last", [](TNamedList* L, std::vector<TNamedItem*>& I) {
         auto* item = rtl::New<TNamedItem>();
         item->Id = 9;
         L->InsertAfter(I[2], item);
       }, {1, 2, 3, 9}, {}},
      {"InsertAfter inside", [](TNamedList* L, std::vector<TNamedItem*>& I) {
         auto* item = rtl::New<TNamedItem>();
         item->Id = 9;
         L->InsertAfter(I[0], item);
       }, {1, 9, 2, 3}, {}},
      {"Delete the first", [](TNamedList* L, std::vector<TNamedItem*>& I) { L->Delete(I[0]); }, {2, 3}, {1}},
      {"Delete the middle", [](TNamedList* L, std::vector<TNamedItem*>& I) { L->Delete(I[1]); }, {1, 3}, {2}},
      {"Remove the last", [](TNamedList* L, std::vector<TNamedItem*>& I) { L->Remove(I[2]); }, {1, 2}, {3}},
      {"Clear frees from the last to the first", [](TNamedList* L, std::vector<TNamedItem*>&) { L->Clear(); },
       {}, {3, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TNamedList, LinkedListDeleter> list(rtl::New<TNamedList>());
    std::vector<TNamedItem*> items{list->AddItem(1), list->AddItem(2), list->AddItem(3)};
    TNamedItem::FreedLog().clear();
    c.Action(list.get(), items);
    EXPECT_EQ(Ids(list.get()), c.Expected);
    EXPECT_EQ(TNamedItem::FreedLog(), c.Freed);
  }
}

TEST(cxDoublyLinkedObjectList, ClearLeavesAnEmptyList)
{
  std::unique_ptr<TNamedList, LinkedListDeleter> list(rtl::New<TNamedList>());
  list->AddItem(1);
  list->AddItem(2);
  list->AddItem(3);
  list->Clear();
  EXPECT_EQ(list->GetFirst(), nullptr);
  EXPECT_EQ(list->GetLast(), nullptr);
  EXPECT_EQ(list->GetCount(), 0);
  list->AddItem(4);
  EXPECT_EQ(Ids(list.get()), (std::vector<int>{4}));
}

TEST(cxDoublyLinkedObjectList, ExtractUnlinksButLeavesTheObjectsOwnLinks)
{
  std::unique_ptr<TNamedList, LinkedListDeleter> list(rtl::New<TNamedList>());
  TNamedItem* first = list->AddItem(1);
  TNamedItem* middle = list->AddItem(2);
  TNamedItem* last = list->AddItem(3);
  list->Extract(middle);
  EXPECT_EQ(Ids(list.get()), (std::vector<int>{1, 3}));
  EXPECT_EQ(middle->GetPrev(), first);
  EXPECT_EQ(middle->GetNext(), last);

  list->Extract(first);
  list->Extract(last);
  EXPECT_EQ(list->GetFirst(), nullptr);
  EXPECT_EQ(list->GetLast(), nullptr);
  TNamedItem::FreedLog().clear();
  rtl::Free(first);
  rtl::Free(middle);
  rtl::Free(last);
  list.reset();
  EXPECT_EQ(TNamedItem::FreedLog(), (std::vector<int>{1, 2, 3})) << "the list frees nothing it gave away";
}

TEST(cxDoublyLinkedObjectList, FreeingTheListFreesItsObjects)
{
  auto* list = rtl::New<TNamedList>();
  list->AddItem(1);
  list->AddItem(2);
  TNamedItem::FreedLog().clear();
  rtl::Free(list);
  EXPECT_EQ(TNamedItem::FreedLog(), (std::vector<int>{2, 1}));
}

}  // namespace
