// The shared containers: the object list, the event handler collection, the
// two class registries, the hash set and the weak object links.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/cxClasses.h"

namespace {

// Writes its id to a log when freed.
class TLoggedObject : public rtl::TObject {
  RTL_CLASS(TLoggedObject, rtl::TObject)

 public:
  void Create(std::vector<int>* ALog, int AId)
  {
    FLog = ALog;
    FId = AId;
  }
  void Destroy() override
  {
    FLog->push_back(FId);
    inherited::Destroy();
  }

 private:
  std::vector<int>* FLog;
  int FId;
};

// --- TcxObjectList --------------------------------------------------------

class ObjectListTest : public testing::Test {
 protected:
  TcxObjectList* MakeList(bool AOwnObjects, int ACount)
  {
    TcxObjectList* list = rtl::New<TcxObjectList>(AOwnObjects);
    for (int i = 0; i < ACount; ++i)
      list->Add(MakeObject(i));
    return list;
  }
  TLoggedObject* MakeObject(int AId) { return rtl::New<TLoggedObject>(&FFreed, AId); }

  std::vector<int> FFreed;
};

TEST_F(ObjectListTest, OwningListFreesFirstToLastOnClearAndDestroy)
{
  TcxObjectList* list = MakeList(true, 3);
  list->Clear();
  EXPECT_EQ(FFreed, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(list->GetCount(), 0);
  list->Add(MakeObject(7));
  rtl::Free(list);
  EXPECT_EQ(FFreed, (std::vector<int>{0, 1, 2, 7}));
}

TEST_F(ObjectListTest, ListThatOwnsNothingFreesNothingOnClear)
{
  TcxObjectList* list = MakeList(false, 2);
  std::vector<rtl::TObject*> objects{list->GetItem(0), list->GetItem(1)};
  list->Clear();
  rtl::Free(list);
  EXPECT_TRUE(FFreed.empty());
  for (rtl::TObject* object : objects)
    rtl::Free(object);
}

TEST_F(ObjectListTest, FreeAndDeleteAndFreeAndRemoveFreeOwningOrNot)
{
  for (bool owning : {true, false}) {
    FFreed.clear();
    TcxObjectList* list = MakeList(owning, 3);
    list->FreeAndDelete(1);
    EXPECT_EQ(FFreed, std::vector<int>{1});
    rtl::TObject* last = list->GetItem(1);
    EXPECT_EQ(list->FreeAndRemove(last), 1);
    EXPECT_EQ(FFreed, (std::vector<int>{1, 2}));
    EXPECT_EQ(list->GetCount(), 1);
    if (!owning)
      rtl::Free(list->GetItem(0));
    rtl::Free(list);
  }
}

TEST_F(ObjectListTest, FreeAndRemoveOfAnAbsentObjectFreesNothing)
{
  TcxObjectList* list = MakeList(true, 2);
  TLoggedObject* stranger = MakeObject(9);
  EXPECT_EQ(list->FreeAndRemove(stranger), -1);
  EXPECT_EQ(list->FreeAndRemove(nullptr), -1);
  EXPECT_TRUE(FFreed.empty());
  EXPECT_EQ(list->GetCount(), 2);
  rtl::Free(stranger);
  rtl::Free(list);
}

// --- TcxEventHandlerCollection ---------------------------------------------

// A set of handlers over one collection; each logs its number and may run an
// action on the collection while the walk is on.
struct HandlerBench {
  TcxEventHandlerCollection* Collection = nullptr;
  std::vector<int> Calls;
  std::vector<std::function<void()>> Actions = std::vector<std::function<void()>>(8);
  int LastArgument = -1;
  rtl::TObject* LastSender = nullptr;

  template <int N>
  void Handler(rtl::TObject* Sender, const void* AEventArgs)
  {
    Calls.push_back(N);
    LastSender = Sender;
    LastArgument = *static_cast<const int*>(AEventArgs);
    if (Actions[N])
      std::exchange(Actions[N], nullptr)();
  }

  template <int N>
  TcxEventHandler Get()
  {
    return TcxEventHandler::Bind<&HandlerBench::Handler<N>>(this);
  }
};

class EventHandlerCollectionTest : public testing::Test {
 protected:
  void SetUp() override { FBench.Collection = rtl::New<TcxEventHandlerCollection>(); }
  void TearDown() override { rtl::Free(FBench.Collection); }

  void AddHandlers()
  {
    FBench.Collection->Add(FBench.Get<0>());
    FBench.Collection->Add(FBench.Get<1>());
    FBench.Collection->Add(FBench.Get<2>());
    FBench.Collection->Add(FBench.Get<3>());
  }

  HandlerBench FBench;
};

TEST_F(EventHandlerCollectionTest, CallsInRegistrationOrderWithoutDuplicates)
{
  AddHandlers();
  FBench.Collection->Add(FBench.Get<1>());
  EXPECT_EQ(FBench.Collection->GetCount(), 4);
  const int argument = 42;
  FBench.Collection->CallEvents(FBench.Collection, &argument);
  EXPECT_EQ(FBench.Calls, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(FBench.LastSender, FBench.Collection);
  EXPECT_EQ(FBench.LastArgument, 42);
}

TEST_F(EventHandlerCollectionTest, CallEventsWithoutArgumentsPassesZero)
{
  AddHandlers();
  FBench.Collection->CallEvents(nullptr);
  EXPECT_EQ(FBench.LastArgument, 0);
}

TEST_F(EventHandlerCollectionTest, RemoveMovesLaterHandlersDownAndIgnoresAbsentOnes)
{
  AddHandlers();
  FBench.Collection->Remove(FBench.Get<1>());
  FBench.Collection->Remove(FBench.Get<1>());
  FBench.Collection->Remove(FBench.Get<5>());
  FBench.Collection->Add(FBench.Get<1>());
  FBench.Collection->CallEvents(nullptr);
  EXPECT_EQ(FBench.Calls, (std::vector<int>{0, 2, 3, 1}));
}

// A handler that changes the collection under the walk must not make it read
// past the end, and a handler added during the walk waits for the next one.
TEST_F(EventHandlerCollectionTest, HandlersChangingTheCollectionDuringTheWalk)
{
  struct Case {
    const char* what;
    int handler;  // which handler changes the collection
    std::function<void(HandlerBench&)> change;
    std::vector<int> firstWalk;
    std::vector<int> secondWalk;
  };
  const Case cases[] = {
      {"removes every handler", 1, [](HandlerBench& B) {
         for (const TcxEventHandler& h : {B.Get<0>(), B.Get<1>(), B.Get<2>(), B.Get<3>()})
           B.Collection->Remove(h);
       },
       {0, 1}, {}},
      {"removes the later handlers", 2, [](HandlerBench& B) {
         B.Collection->Remove(B.Get<3>());
         B.Collection->Remove(B.Get<2>());
       },
       {0, 1, 2}, {0, 1}},
      {"removes itself", 1, [](HandlerBench& B) { B.Collection->Remove(B.Get<1>()); },
       // The entries after it move down, so the walk steps over one of them.
       {0, 1, 3}, {0, 2, 3}},
      {"adds handlers", 0, [](HandlerBench& B) {
         for (const TcxEventHandler& h : {B.Get<4>(), B.Get<5>(), B.Get<6>(), B.Get<7>()})
           B.Collection->Add(h);
       },
       {0, 1, 2, 3}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"removes one and adds many", 3, [](HandlerBench& B) {
         B.Collection->Remove(B.Get<0>());
         for (const TcxEventHandler& h : {B.Get<4>(), B.Get<5>(), B.Get<6>(), B.Get<7>()})
           B.Collection->Add(h);
       },
       {0, 1, 2, 3}, {1, 2, 3, 4, 5, 6, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rtl::Free(FBench.Collection);
    FBench.Collection = rtl::New<TcxEventHandlerCollection>();
    AddHandlers();
    FBench.Actions[c.handler] = [&] { c.change(FBench); };
    FBench.Calls.clear();
    FBench.Collection->CallEvents(nullptr);
    EXPECT_EQ(FBench.Calls, c.firstWalk);
    FBench.Calls.clear();
    FBench.Collection->CallEvents(nullptr);
    EXPECT_EQ(FBench.Calls, c.secondWalk);
  }
}

// --- TcxRegisteredClassList -------------------------------------------------

// An editor-like hierarchy: TEdit <- TTextEdit <- TMemoEdit, TEdit <- TSpin.
class TEdit : public rtl::TObject {
  RTL_CLASS(TEdit, rtl::TObject)
};
class TTextEdit : public TEdit {
  RTL_CLASS(TTextEdit, TEdit)
};
class TMemoEdit : public TTextEdit {
  RTL_CLASS(TMemoEdit, TTextEdit)
};
class TSpin : public TEdit {
  RTL_CLASS(TSpin, TEdit)
};
class TUnrelated : public rtl::TObject {
  RTL_CLASS(TUnrelated, rtl::TObject)
};
// Registered classes.
class TRegA : public rtl::TObject {
  RTL_CLASS(TRegA, rtl::TObject)
};
class TRegB : public rtl::TObject {
  RTL_CLASS(TRegB, rtl::TObject)
};
class TRegC : public rtl::TObject {
  RTL_CLASS(TRegC, rtl::TObject)
};

std::vector<rtl::TClass> ItemClassesOf(TcxRegisteredClassList* AList)
{
  std::vector<rtl::TClass> result;
  for (int i = 0; i < AList->GetCount(); ++i)
    result.push_back(AList->GetItem(i)->ItemClass);
  return result;
}

class RegisteredClassListTest : public testing::Test {
 protected:
  void SetUp() override { FList = rtl::New<TcxRegisteredClassList>(); }
  void TearDown() override { rtl::Free(FList); }

  TcxRegisteredClassList* FList;
};

TEST_F(RegisteredClassListTest, FindClassFallsBackToTheNearestRegisteredAncestor)
{
  FList->Register(TEdit::StaticClass(), TRegA::StaticClass());
  FList->Register(TTextEdit::StaticClass(), TRegB::StaticClass());
  struct Case {
    rtl::TClass itemClass;
    rtl::TClass expected;
  };
  const Case cases[] = {
      {TMemoEdit::StaticClass(), TRegB::StaticClass()}, {TTextEdit::StaticClass(), TRegB::StaticClass()},
      {TEdit::StaticClass(), TRegA::StaticClass()},     {TSpin::StaticClass(), TRegA::StaticClass()},
      {TUnrelated::StaticClass(), nullptr},             {rtl::TObject::StaticClass(), nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FList->FindClass(c.itemClass), c.expected) << (c.itemClass ? c.itemClass->Name : L"nil");
}

TEST_F(RegisteredClassListTest, AnAncestorRegisteredLaterGoesBeforeItsDescendants)
{
  FList->Register(TMemoEdit::StaticClass(), TRegC::StaticClass());
  FList->Register(TTextEdit::StaticClass(), TRegB::StaticClass());
  FList->Register(TUnrelated::StaticClass(), TRegC::StaticClass());
  FList->Register(TEdit::StaticClass(), TRegA::StaticClass());
  EXPECT_EQ(ItemClassesOf(FList), (std::vector<rtl::TClass>{TEdit::StaticClass(), TTextEdit::StaticClass(),
                                                            TMemoEdit::StaticClass(), TUnrelated::StaticClass()}));
  EXPECT_EQ(FList->FindClass(TSpin::StaticClass()), TRegA::StaticClass());
  EXPECT_EQ(FList->FindClass(TMemoEdit::StaticClass()), TRegC::StaticClass());
  EXPECT_EQ(FList->FindClass(TTextEdit::StaticClass()), TRegB::StaticClass());
}

TEST_F(RegisteredClassListTest, LatestRegistrationWinsAndUnregisterTakesTheExactPair)
{
  FList->Register(TEdit::StaticClass(), TRegA::StaticClass());
  FList->Register(TEdit::StaticClass(), TRegB::StaticClass());
  FList->Register(TEdit::StaticClass(), TRegA::StaticClass());
  EXPECT_EQ(FList->FindClass(TTextEdit::StaticClass()), TRegA::StaticClass());
  FList->Unregister(TTextEdit::StaticClass(), TRegA::StaticClass());
  FList->Unregister(TEdit::StaticClass(), TRegC::StaticClass());
  EXPECT_EQ(FList->GetCount(), 3);
  FList->Unregister(TEdit::StaticClass(), TRegA::StaticClass());
  EXPECT_EQ(FList->GetCount(), 1);
  EXPECT_EQ(FList->FindClass(TTextEdit::StaticClass()), TRegB::StaticClass());
  FList->Clear();
  EXPECT_EQ(FList->GetCount(), 0);
  EXPECT_EQ(FList->FindClass(TEdit::StaticClass()), nullptr);
}

TEST_F(RegisteredClassListTest, FindItemIndexReportsTheLowestDescendantWhenNothingMatches)
{
  struct Case {
    const char* what;
    std::vector<rtl::TClass> registered;
    rtl::TClass itemClass;
    bool found;
    int index;
  };
  const Case cases[] = {
      {"empty list", {}, TEdit::StaticClass(), false, 99},
      {"unrelated entries", {TUnrelated::StaticClass()}, TEdit::StaticClass(), false, 99},
      {"descendants only",
       {TUnrelated::StaticClass(), TTextEdit::StaticClass(), TMemoEdit::StaticClass(), TSpin::StaticClass()},
       TEdit::StaticClass(), false, 1},
      {"ancestor and descendant", {TEdit::StaticClass(), TMemoEdit::StaticClass()}, TTextEdit::StaticClass(), true, 0},
  };
  for (const Case& c : cases) {
    FList->Clear();
    for (rtl::TClass registered : c.registered)
      FList->Register(registered, TRegA::StaticClass());
    int index = 99;
    EXPECT_EQ(FList->FindItemIndex(c.itemClass, index), c.found) << c.what;
    EXPECT_EQ(index, c.index) << c.what;
  }
}

// --- TcxRegisteredClasses ---------------------------------------------------

class TStyleOne : public rtl::TPersistent {
  RTL_CLASS(TStyleOne, rtl::TPersistent)
};
class TStyleTwo : public rtl::TPersistent {
  RTL_CLASS(TStyleTwo, rtl::TPersistent)
};
class TStyleThree : public rtl::TPersistent {
  RTL_CLASS(TStyleThree, rtl::TPersistent)
};
class TcxRegisteredStreamingProbe : public rtl::TPersistent {
  RTL_CLASS(TcxRegisteredStreamingProbe, rtl::TPersistent)
};

class RegisteredClassesTest : public testing::Test {
 protected:
  void SetUp() override { FClasses = rtl::New<TcxRegisteredClasses>(false); }
  void TearDown() override { rtl::Free(FClasses); }

  std::vector<rtl::TClass> Classes() const
  {
    std::vector<rtl::TClass> result;
    for (int i = 0; i < FClasses->GetCount(); ++i)
      result.push_back(FClasses->GetItem(i));
    return result;
  }

  TcxRegisteredClasses* FClasses;
};

TEST_F(RegisteredClassesTest, DescriptionAndHintSplitAtTheFirstBar)
{
  struct Case {
    const wchar_t* text;
    const wchar_t* description;
    const wchar_t* hint;
  };
  const Case cases[] = {
      {L"ColorEdit|Represents an editor with a dropdown color gallery", L"ColorEdit",
       L"Represents an editor with a dropdown color gallery"},
      {L"MaskEdit", L"MaskEdit", L"MaskEdit"},
      {L"A|b|c", L"A", L"b|c"},
      {L"|Hint only", L"", L"Hint only"},
      {L"", L"", L""},
  };
  for (const Case& c : cases) {
    FClasses->Clear();
    FClasses->Register(TStyleOne::StaticClass(), c.text);
    EXPECT_EQ(FClasses->GetDescription(0), c.description) << c.text;
    EXPECT_EQ(FClasses->GetHint(0), c.hint) << c.text;
    EXPECT_EQ(FClasses->GetDescriptionByClass(TStyleOne::StaticClass()), c.description) << c.text;
    EXPECT_EQ(FClasses->GetHintByClass(TStyleOne::StaticClass()), c.hint) << c.text;
  }
  EXPECT_EQ(FClasses->GetDescriptionByClass(TStyleTwo::StaticClass()), L"");
  EXPECT_EQ(FClasses->GetHintByClass(TStyleTwo::StaticClass()), L"");
}

TEST_F(RegisteredClassesTest, RegisterTwiceKeepsTheFirstEntry)
{
  FClasses->Register(TStyleOne::StaticClass(), L"One");
  FClasses->Register(TStyleTwo::StaticClass(), L"Two");
  FClasses->Register(TStyleOne::StaticClass(), L"Again");
  EXPECT_EQ(Classes(), (std::vector<rtl::TClass>{TStyleOne::StaticClass(), TStyleTwo::StaticClass()}));
  EXPECT_EQ(FClasses->GetDescription(0), L"One");
  EXPECT_EQ(FClasses->GetIndexByClass(TStyleTwo::StaticClass()), 1);
  EXPECT_EQ(FClasses->GetIndexByClass(TStyleThree::StaticClass()), -1);
  FClasses->Unregister(TStyleOne::StaticClass());
  FClasses->Unregister(TStyleThree::StaticClass());
  EXPECT_EQ(Classes(), std::vector<rtl::TClass>{TStyleTwo::StaticClass()});
  EXPECT_THROW(FClasses->GetItem(1), rtl::EListError);
}

TEST_F(RegisteredClassesTest, FindByClassNameAndByDescription)
{
  FClasses->Register(TStyleOne::StaticClass(), L"|Nameless");
  FClasses->Register(TStyleTwo::StaticClass(), L"Two|Second");
  FClasses->Register(TStyleThree::StaticClass(), L"Two");
  struct Case {
    const wchar_t* text;
    rtl::TClass byName;
    rtl::TClass byDescription;
  };
  const Case cases[] = {
      {L"TStyleTwo", TStyleTwo::StaticClass(), nullptr},
      {L"tstyletwo", nullptr, nullptr},
      {L"Two", nullptr, TStyleTwo::StaticClass()},
      {L"two", nullptr, nullptr},
      {L"Second", nullptr, nullptr},
      {L"", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FClasses->FindByClassName(c.text), c.byName) << c.text;
    EXPECT_EQ(FClasses->FindByDescription(c.text), c.byDescription) << c.text;
  }
}

TEST_F(RegisteredClassesTest, SortedKeepsDescriptionOrderIgnoringCase)
{
  FClasses->Register(TStyleOne::StaticClass(), L"beta");
  FClasses->Register(TStyleTwo::StaticClass(), L"Gamma|hint");
  FClasses->Register(TStyleThree::StaticClass(), L"Alpha");
  FClasses->SetSorted(true);
  EXPECT_TRUE(FClasses->GetSorted());
  EXPECT_EQ(Classes(), (std::vector<rtl::TClass>{TStyleThree::StaticClass(), TStyleOne::StaticClass(),
                                                 TStyleTwo::StaticClass()}));
  FClasses->Unregister(TStyleOne::StaticClass());
  FClasses->Register(TStyleOne::StaticClass(), L"BETA");
  EXPECT_EQ(FClasses->GetIndexByClass(TStyleOne::StaticClass()), 1);
  FClasses->SetSorted(false);
  FClasses->Unregister(TStyleThree::StaticClass());
  FClasses->Register(TStyleThree::StaticClass(), L"Alpha");
  EXPECT_EQ(FClasses->GetIndexByClass(TStyleThree::StaticClass()), 2);
}

TEST(TcxRegisteredClasses, CanRegisterWithThePlatformForStreaming)
{
  TcxRegisteredClasses* classes = rtl::New<TcxRegisteredClasses>(true);
  classes->Register(TcxRegisteredStreamingProbe::StaticClass(), L"Probe");
  EXPECT_EQ(rtl::GetClass(L"TcxRegisteredStreamingProbe").ClassType(), TcxRegisteredStreamingProbe::StaticClass());
  classes->Unregister(TcxRegisteredStreamingProbe::StaticClass());
  EXPECT_EQ(classes->GetCount(), 0);
  EXPECT_EQ(rtl::GetClass(L"TcxRegisteredStreamingProbe").ClassType(), TcxRegisteredStreamingProbe::StaticClass())
      << "the streaming registration stays";
  rtl::UnRegisterClass(rtl::TPersistentClass::Of<TcxRegisteredStreamingProbe>());
  rtl::Free(classes);
}

// --- TdxHashSet ---------------------------------------------------------------

std::vector<int> Sorted(std::vector<int> AValues)
{
  std::sort(AValues.begin(), AValues.end());
  return AValues;
}

TEST(TdxHashSet, IncludeExcludeAndContains)
{
  auto* set = rtl::New<TdxHashSet<int>>(4);
  set->Include(3);
  set->Include(3);
  set->Include(std::vector<int>{1, 2, 3});
  EXPECT_EQ(set->GetCount(), 3);
  EXPECT_TRUE(set->Contains(2));
  EXPECT_FALSE(set->Contains(4));
  set->Exclude(4);
  set->Exclude(std::vector<int>{1, 5});
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{2, 3}));

  auto* other = rtl::New<TdxHashSet<int>>();
  other->Include(std::vector<int>{3, 9});
  set->Include(*other);
  EXPECT_EQ(Sorted(set->ToArray()), (std::vector<int>{2, 3, 9}));
  set->Exclude(*other);
  EXPECT_EQ(Sorted(set->ToArray()), std::vector<int>{2});

  set->Include(*set);
  EXPECT_EQ(set->GetCount(), 1);
  set->Exclude(*set);
  EXPECT_EQ(set->GetCount(), 0);

  other->Clear();
  EXPECT_EQ(other->GetCount(), 0);
  int visited = 0;
  for (int value : *set)
    visited += value;
  EXPECT_EQ(visited, 0);
  rtl::Free(other);
  rtl::Free(set);
}

TEST(TdxHashSet, ObjectsCompareByIdentity)
{
  std::vector<int> freed;
  TLoggedObject* first = rtl::New<TLoggedObject>(&freed, 1);
  TLoggedObject* second = rtl::New<TLoggedObject>(&freed, 1);
  auto* set = rtl::New<TdxHashSet<rtl::TObject*>>();
  set->Include(first);
  set->Include(second);
  EXPECT_EQ(set->GetCount(), 2);
  rtl::Free(set);
  EXPECT_TRUE(freed.empty()) << "the set owns nothing";
  rtl::Free(first);
  rtl::Free(second);
}

// --- Weak object links -------------------------------------------------------

TEST(cxWeakLinks, ResetClearsEveryLinkToTheObjectOnly)
{
  std::vector<int> freed;
  TLoggedObject* object = rtl::New<TLoggedObject>(&freed, 1);
  TLoggedObject* other = rtl::New<TLoggedObject>(&freed, 2);
  TcxObjectLink* first = cxCreateWeakLink(object);
  TcxObjectLink* second = cxCreateWeakLink(object);
  TcxObjectLink* toOther = cxCreateWeakLink(other);
  ASSERT_NE(first, second);
  EXPECT_EQ(first->Ref, object);

  cxResetWeakLinks(object);
  rtl::Free(object);
  EXPECT_EQ(first->Ref, nullptr);
  EXPECT_EQ(second->Ref, nullptr);
  EXPECT_EQ(toOther->Ref, other);

  cxFreeWeakLink(second);
  cxFreeWeakLink(first);
  EXPECT_EQ(first, nullptr);
  cxFreeWeakLink(first);
  // A link freed while its object lives leaves the set, so the later reset
  // does not reach it.
  cxFreeWeakLink(toOther);
  cxResetWeakLinks(other);
  rtl::Free(other);
  cxResetWeakLinks(nullptr);
}

TEST(cxWeakLinks, NoLinkForNil)
{
  EXPECT_EQ(cxCreateWeakLink(nullptr), nullptr);
}

TEST(cxWeakLinks, ControllerRemovesOnlyLiveLinksFromItsSet)
{
  auto* controller = rtl::New<TcxObjectLinkController>();
  std::vector<int> freed;
  TLoggedObject* object = rtl::New<TLoggedObject>(&freed, 1);
  TcxObjectLink* link = controller->AddLink(object);
  TcxObjectLink* kept = controller->AddLink(object);
  controller->ClearLinks(object);
  controller->ClearLinks(object);
  EXPECT_EQ(link->Ref, nullptr);
  controller->RemoveLink(link);
  rtl::Free(controller);
  EXPECT_EQ(kept->Ref, nullptr) << "the controller leaves the links to their owners";
  rtl::Free(kept);
  rtl::Free(object);
}

// The unit's finish frees the controller; code running later (a component
// destroyed at shut-down) must come to no harm.
TEST(cxWeakLinks, HarmlessAfterTheUnitsFinish)
{
  std::vector<int> freed;
  TLoggedObject* object = rtl::New<TLoggedObject>(&freed, 1);
  TcxObjectLink* early = cxCreateWeakLink(object);
  unit_cxClasses.finalization();

  EXPECT_NO_THROW(cxResetWeakLinks(object));
  TcxObjectLink* late = cxCreateWeakLink(object);
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(late->Ref, nullptr) << "nothing could clear it, so it reports the object gone";
  cxFreeWeakLink(late);
  cxFreeWeakLink(early);

  unit_cxClasses.initialization();
  TcxObjectLink* again = cxCreateWeakLink(object);
  EXPECT_EQ(again->Ref, object);
  cxResetWeakLinks(object);
  EXPECT_EQ(again->Ref, nullptr);
  cxFreeWeakLink(again);
  rtl::Free(object);
}

}  // namespace
