#include "platform/rtl/ClassesComponents.h"

#include <gtest/gtest.h>

#include <vector>

using enum rtl::TComponentStateFlag;
using enum rtl::TComponentStyleFlag;
using enum rtl::TOperation;

using namespace rtl;

namespace {

using TLog = std::vector<String>;

template <class E, class F>
String ErrorText(F AAction)
{
  try {
    AAction();
  } catch (const E& Error) {
    return Error.Message();
  }
  return L"(no error)";
}

// Writes what it hears to a log the test keeps: "<self>:<op> <subject>" for
// notifications, "<self>:destroy" when its destructor body starts.
class TLogged : public TComponent {
  RTL_CLASS(TLogged, TComponent)

 public:
  TLog* Log;
  // Set by the override of the virtual constructor.
  int Created;

  void Create(TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    Created = 1;
  }
  void Destroy() override
  {
    if (Log)
      Log->push_back(GetName() + L":destroy");
    inherited::Destroy();
  }
  void Loading() { inherited::Loading(); }
  void Loaded() override { inherited::Loaded(); }
  void SetDesigning(bool AValue) { inherited::SetDesigning(AValue); }

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override
  {
    if (Log)
      Log->push_back(GetName() + (AOperation == opInsert ? L":insert " : L":remove ") + AComponent->GetName());
    inherited::Notification(AComponent, AOperation);
  }
};

// Hears of removals but does not pass them on to the inherited handling.
class TDeaf : public TLogged {
  RTL_CLASS(TDeaf, TLogged)

 protected:
  void Notification(TComponent* AComponent, TOperation) override
  {
    if (Log)
      Log->push_back(GetName() + L":deaf " + AComponent->GetName());
  }
};

template <class T = TLogged>
T* Make(TComponent* AOwner, const String& AName, TLog* ALog = nullptr)
{
  T* component = New<T>(AOwner);
  component->SetName(AName);
  component->Log = ALog;
  return component;
}

std::vector<String> Names(TComponent* AOwner)
{
  std::vector<String> result;
  for (int i = 0; i < AOwner->GetComponentCount(); ++i)
    result.push_back(AOwner->GetComponents(i)->GetName());
  return result;
}

// ---------------------------------------------------------------------------
// Ownership and destruction

TEST(ComponentTest, TreeFreesChildrenLastFirstWhileTheOwnerIsWhole)
{
  TLog log;
  TLogged* root = Make(nullptr, L"R", &log);
  TLogged* a = Make(root, L"A", &log);
  Make(a, L"A1", &log);
  Make(root, L"B", &log);
  log.clear();

  Free(root);

  // Each child leaves through its owner's overridden Notification, which
  // passes the news on to the components still there, before it is freed.
  const TLog expected = {
      L"R:destroy",
      L"R:remove B", L"B:remove B", L"A:remove B", L"A1:remove B",
      L"B:destroy",
      L"R:remove A", L"A:remove A", L"A1:remove A",
      L"A:destroy",
      L"A:remove A1", L"A1:remove A1",
      L"A1:destroy",
  };
  EXPECT_EQ(expected, log);
}

// Records, for each of its components going, whether it and the component
// were marked destroying.
class TStateProbe : public TLogged {
  RTL_CLASS(TStateProbe, TLogged)

 public:
  std::vector<bool>* Seen;

 protected:
  void Notification(TComponent* AComponent, TOperation AOperation) override
  {
    if (AOperation == opRemove && AComponent->GetOwner() == this) {
      Seen->push_back(GetComponentState().Contains(csDestroying));
      Seen->push_back(AComponent->GetComponentState().Contains(csDestroying));
    }
    inherited::Notification(AComponent, AOperation);
  }
};

TEST(ComponentTest, OwnerAndChildrenAreMarkedDestroyingBeforeAnyChildGoes)
{
  std::vector<bool> seen;
  TStateProbe* root = Make<TStateProbe>(nullptr, L"R");
  root->Seen = &seen;
  Make(root, L"A");
  Make(root, L"B");
  Free(root);
  EXPECT_EQ(std::vector<bool>({true, true, true, true}), seen);
}

TEST(ComponentTest, DestroyingMarksTheWholeTree)
{
  TLogged* root = Make(nullptr, L"R");
  TLogged* a = Make(root, L"A");
  TLogged* a1 = Make(a, L"A1");
  root->Destroying();
  for (TComponent* c : {static_cast<TComponent*>(root), static_cast<TComponent*>(a), static_cast<TComponent*>(a1)})
    EXPECT_TRUE(c->GetComponentState().Contains(csDestroying)) << c->GetName();
  Free(root);
}

TEST(ComponentTest, FreeNotificationSubscribersHearOnce)
{
  TLog log;
  TLogged* root = Make(nullptr, L"R");
  TLogged* target = Make(root, L"T");
  TLogged* s1 = Make(nullptr, L"S1", &log);
  TDeaf* s2 = Make<TDeaf>(nullptr, L"S2", &log);
  TLogged* s3 = Make(nullptr, L"S3", &log);
  target->FreeNotification(s1);
  target->FreeNotification(s1);  // asking twice is one subscription
  target->FreeNotification(s2);
  target->FreeNotification(s3);
  target->RemoveFreeNotification(s3);

  Free(root);

  // Last subscriber first; the deaf one, which does not unlink itself, is
  // told once all the same.
  EXPECT_EQ(TLog({L"S2:deaf T", L"S1:remove T"}), log);
  Free(s1);
  Free(s2);
  Free(s3);
}

TEST(ComponentTest, FreeNotificationIsMutual)
{
  TLog log;
  TLogged* target = Make(nullptr, L"T", &log);
  TLogged* subscriber = Make(nullptr, L"S", &log);
  target->FreeNotification(subscriber);
  Free(subscriber);
  EXPECT_EQ(TLog({L"S:destroy", L"T:remove S"}), log);
  log.clear();
  Free(target);
  EXPECT_EQ(TLog({L"T:destroy"}), log);
}

TEST(ComponentTest, SiblingsHearOfEachOtherThroughTheOwnerOnly)
{
  TLog log;
  TLogged* owner = Make(nullptr, L"O");
  TLogged* a = Make(owner, L"A", &log);
  TLogged* b = Make(owner, L"B");
  b->FreeNotification(a);
  EXPECT_TRUE(b->GetComponentState().Contains(csFreeNotification));
  log.clear();
  Free(b);
  EXPECT_EQ(TLog({L"A:remove B"}), log);
  Free(owner);
}

TEST(ComponentTest, ADestroyingComponentTakesNoNewSubscriber)
{
  TLog log;
  TLogged* target = Make(nullptr, L"T");
  TLogged* late = Make(nullptr, L"L", &log);
  target->Destroying();
  target->FreeNotification(late);
  Free(target);
  EXPECT_TRUE(log.empty());
  Free(late);  // would tell the freed target if it had been linked
}

TEST(ComponentTest, InsertAndRemoveNotifyTheOwnerAndItsComponents)
{
  TLog log;
  TLogged* owner = Make(nullptr, L"O", &log);
  Make(owner, L"X", &log);
  TLogged* other = Make(nullptr, L"P", &log);
  TLogged* moving = Make(other, L"M", &log);
  log.clear();

  owner->InsertComponent(moving);

  EXPECT_EQ(TLog({L"P:remove M", L"M:remove M", L"O:insert M", L"M:insert M", L"X:insert M"}), log);
  EXPECT_EQ(owner, moving->GetOwner());
  EXPECT_EQ(0, other->GetComponentCount());
  EXPECT_EQ(std::vector<String>({L"X", L"M"}), Names(owner));
  Free(owner);
  Free(other);
}

TEST(ComponentTest, VirtualConstructorThroughTheClassReference)
{
  TLogged* owner = Make(nullptr, L"O");
  const TComponentClass cls = TComponentClass::Of<TLogged>();
  TComponent* made = cls.Create(owner);
  EXPECT_TRUE(Is<TLogged>(made));
  EXPECT_EQ(1, static_cast<TLogged*>(made)->Created);
  EXPECT_EQ(owner, made->GetOwner());
  EXPECT_EQ(static_cast<TPersistent*>(owner), static_cast<TPersistent*>(made)->GetOwner());
  Free(owner);
}

// ---------------------------------------------------------------------------
// Names

TEST(ComponentTest, NamesAreValidIdentifiers)
{
  struct {
    const wchar_t* Name;
    bool Valid;
  } const cases[] = {
      {L"Button1", true}, {L"_x", true}, {L"", true},       {L"1st", false},
      {L"a b", false},    {L"a.b", false}, {L"\u00e4", false}, {L"a-b", false},
  };
  TLogged* c = Make(nullptr, L"Start");
  for (const auto& row : cases) {
    c->SetName(L"Start");
    if (row.Valid) {
      c->SetName(row.Name);
      EXPECT_EQ(row.Name, c->GetName());
    } else {
      EXPECT_EQ(String(L"'") + row.Name + L"' is not a valid component name",
                ErrorText<EComponentError>([&] { c->SetName(row.Name); }));
      EXPECT_EQ(L"Start", c->GetName());
    }
  }
  Free(c);
}

TEST(ComponentTest, NamesAreUniqueInTheOwnerIgnoringCase)
{
  TLogged* owner = Make(nullptr, L"O");
  TLogged* first = Make(owner, L"Button1");
  TLogged* second = Make(owner, L"Button2");

  EXPECT_EQ(L"A component named BUTTON1 already exists",
            ErrorText<EComponentError>([&] { second->SetName(L"BUTTON1"); }));
  EXPECT_EQ(L"Button2", second->GetName());
  first->SetName(L"button1");  // its own name in another case
  EXPECT_EQ(L"button1", first->GetName());
  second->SetName(L"");
  second->SetName(L"Other");

  // Components without owner share no scope.
  TLogged* loose1 = Make(nullptr, L"Same");
  TLogged* loose2 = Make(nullptr, L"Same");

  // A named component cannot join an owner that has its name; it stays
  // where it was.
  TLogged* elsewhere = Make(loose1, L"OTHER");
  EXPECT_EQ(L"A component named OTHER already exists",
            ErrorText<EComponentError>([&] { owner->InsertComponent(elsewhere); }));
  EXPECT_EQ(loose1, elsewhere->GetOwner());
  Free(owner);
  Free(loose1);
  Free(loose2);
}

TEST(ComponentTest, FindComponentIgnoresCaseAndFollowsRenames)
{
  TLogged* owner = Make(nullptr, L"O");
  TLogged* a = Make(owner, L"Alpha");
  Make(owner, L"");
  EXPECT_EQ(a, owner->FindComponent(L"ALPHA"));
  EXPECT_EQ(nullptr, owner->FindComponent(L""));
  EXPECT_EQ(nullptr, owner->FindComponent(L"O"));  // not itself
  a->SetName(L"Beta");
  EXPECT_EQ(nullptr, owner->FindComponent(L"Alpha"));
  EXPECT_EQ(a, owner->FindComponent(L"beta"));
  EXPECT_EQ(L"Beta", a->GetNamePath());
  Free(owner);
}

TEST(ComponentTest, ComponentIndexMovesAndClamps)
{
  struct {
    const wchar_t* Moved;
    int Index;
    std::vector<String> Order;
  } const cases[] = {
      {L"C", 0, {L"C", L"A", L"B"}},
      {L"A", 99, {L"B", L"C", L"A"}},
      {L"C", -5, {L"C", L"A", L"B"}},
      {L"B", 1, {L"A", L"B", L"C"}},
  };
  for (const auto& row : cases) {
    TLogged* owner = Make(nullptr, L"O");
    for (const wchar_t* name : {L"A", L"B", L"C"})
      Make(owner, name);
    owner->FindComponent(row.Moved)->SetComponentIndex(row.Index);
    EXPECT_EQ(row.Order, Names(owner)) << row.Moved << L" to " << row.Index;
    Free(owner);
  }
  TLogged* loose = Make(nullptr, L"L");
  EXPECT_EQ(-1, loose->GetComponentIndex());
  EXPECT_EQ(L"List index out of bounds (0)", ErrorText<EListError>([&] { loose->GetComponents(0); }));
  Free(loose);
}

// ---------------------------------------------------------------------------
// State and interface

TEST(ComponentTest, StateFlags)
{
  TLogged* owner = Make(nullptr, L"O");
  TLogged* child = Make(owner, L"C");
  owner->SetDesigning(true);
  EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
  TLogged* later = Make(owner, L"D");
  EXPECT_TRUE(later->GetComponentState().Contains(csDesigning));
  owner->SetDesigning(false);
  EXPECT_FALSE(later->GetComponentState().Contains(csDesigning));

  owner->Loading();
  EXPECT_TRUE(owner->GetComponentState().Contains(csLoading));
  owner->Loaded();
  EXPECT_FALSE(owner->GetComponentState().Contains(csLoading));
  owner->Updating();
  EXPECT_TRUE(owner->GetComponentState().Contains(csUpdating));
  owner->Updated();
  EXPECT_TRUE(owner->GetComponentState().Empty());
  EXPECT_TRUE(owner->GetComponentStyle().Contains(csInheritable));
  Free(owner);
}

TEST(ComponentTest, InterfaceIsNotCounted)
{
  TLogged* c = Make(nullptr, L"C");
  IPtr<IInterface> intf;
  ASSERT_TRUE(Supports<IInterface>(c, &intf));
  EXPECT_EQ(static_cast<ULONG>(-1), intf->AddRef());
  EXPECT_EQ(static_cast<ULONG>(-1), intf->Release());
  intf.Reset();  // the component is still there
  EXPECT_EQ(L"C", c->GetName());
  Free(c);
}

TEST(ComponentTest, NameAndTagArePublished)
{
  TLogged* c = Make(nullptr, L"C");
  SetStrProp(c, L"Name", L"Renamed");
  SetOrdProp(c, L"Tag", 7);
  EXPECT_EQ(L"Renamed", c->GetName());
  EXPECT_EQ(7, c->GetTag());
  EXPECT_FALSE(IsStoredProp(c, GetPropInfo(c, L"Name")));
  EXPECT_THROW(SetStrProp(c, L"Name", L"not valid"), EComponentError);
  Free(c);
}

// ---------------------------------------------------------------------------
// Collections

class TTestItem : public TCollectionItem {
  RTL_CLASS(TTestItem, TCollectionItem)

 public:
  int Value;
  void Assign(TPersistent* ASource) override
  {
    if (Is<TTestItem>(ASource)) {
      Value = static_cast<TTestItem*>(ASource)->Value;
      return;
    }
    inherited::Assign(ASource);
  }
  void Touch(bool AAll) { Changed(AAll); }
};

class TOtherItem : public TCollectionItem {
  RTL_CLASS(TOtherItem, TCollectionItem)
};

// Logs Update as "update <ID>" or "update all" and Notify as
// "<action> <ID>".
class TTestCollection : public TCollection {
  RTL_CLASS(TTestCollection, TCollection)

 public:
  TLog Log;
  // Also gets the entries; outlives the collection.
  TLog* Echo;
  TTestItem* Item(int AIndex) { return static_cast<TTestItem*>(GetItems(AIndex)); }

 protected:
  void Update(TCollectionItem* AItem) override
  {
    Write(AItem ? L"update " + IntToStr(AItem->GetID()) : String(L"update all"));
  }
  void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override
  {
    Write(GetEnumName(AAction) + L" " + IntToStr(AItem->GetID()));
  }

 private:
  void Write(const String& AEntry)
  {
    Log.push_back(AEntry);
    if (Echo)
      Echo->push_back(AEntry);
  }
};

TTestCollection* MakeCollection(std::initializer_list<int> AValues)
{
  auto* collection = New<TTestCollection>(TCollectionItemClass::Of<TTestItem>());
  for (int value : AValues)
    static_cast<TTestItem*>(collection->Add())->Value = value;
  collection->Log.clear();
  return collection;
}

std::vector<int> Values(TTestCollection* ACollection)
{
  std::vector<int> result;
  for (int i = 0; i < ACollection->GetCount(); ++i)
    result.push_back(ACollection->Item(i)->Value);
  return result;
}

TEST(CollectionTest, OperationsNotifyAndUpdate)
{
  struct {
    const char* What;
    void (*Action)(TTestCollection*);
    std::vector<int> Values;
    TLog Log;
  } const cases[] = {
      {"Add", [](TTestCollection* C) { static_cast<TTestItem*>(C->Add())->Value = 4; }, {1, 2, 3, 4},
       {L"cnAdded 3", L"update all"}},
      {"Insert", [](TTestCollection* C) { static_cast<TTestItem*>(C->Insert(1))->Value = 4; }, {1, 4, 2, 3},
       {L"cnAdded 3", L"update all", L"update all"}},
      {"Delete", [](TTestCollection* C) { C->Delete(1); }, {1, 3},
       {L"cnDeleting 1", L"cnExtracting 1", L"update all"}},
      {"Move", [](TTestCollection* C) { C->Move(0, 2); }, {2, 3, 1}, {L"update all"}},
      {"Index", [](TTestCollection* C) { C->Item(2)->SetIndex(0); }, {3, 1, 2}, {L"update all"}},
      {"Same index", [](TTestCollection* C) { C->Item(1)->SetIndex(1); }, {1, 2, 3}, {}},
      {"Item changed", [](TTestCollection* C) { C->Item(1)->Touch(false); }, {1, 2, 3}, {L"update 1"}},
      {"Display name", [](TTestCollection* C) { C->Item(2)->SetDisplayName(L"x"); }, {1, 2, 3}, {L"update 2"}},
      {"All changed", [](TTestCollection* C) { C->Item(1)->Touch(true); }, {1, 2, 3}, {L"update all"}},
      {"Clear", [](TTestCollection* C) { C->Clear(); }, {},
       {L"cnExtracting 2", L"cnExtracting 1", L"cnExtracting 0", L"update all"}},
      {"Batch", [](TTestCollection* C) {
         C->BeginUpdate();
         C->BeginUpdate();
         C->Add();
         C->Item(0)->Touch(false);
         C->Delete(0);
         C->EndUpdate();
         C->Item(0)->SetIndex(1);
         C->EndUpdate();
       },
       {3, 2, 0}, {L"cnAdded 3", L"cnDeleting 0", L"cnExtracting 0", L"update all"}},
  };
  for (const auto& row : cases) {
    TTestCollection* collection = MakeCollection({1, 2, 3});
    row.Action(collection);
    EXPECT_EQ(row.Values, Values(collection)) << row.What;
    EXPECT_EQ(row.Log, collection->Log) << row.What;
    EXPECT_EQ(0, collection->GetUpdateCount()) << row.What;
    Free(collection);
  }
}

TEST(CollectionTest, BadIndexesRaiseListErrors)
{
  TTestCollection* collection = MakeCollection({1, 2});
  EXPECT_EQ(L"List index out of bounds (2)", ErrorText<EListError>([&] { collection->GetItems(2); }));
  EXPECT_EQ(L"List index out of bounds (-1)", ErrorText<EListError>([&] { collection->Delete(-1); }));
  EXPECT_EQ(L"List index out of bounds (3)", ErrorText<EListError>([&] { collection->Insert(3); }));
  EXPECT_EQ(L"List index out of bounds (5)", ErrorText<EListError>([&] { collection->Move(0, 5); }));
  EXPECT_EQ(std::vector<int>({1, 2}), Values(collection));
  Free(collection);
}

TEST(CollectionTest, IDsAreNeverReused)
{
  TTestCollection* collection = MakeCollection({1, 2, 3});
  collection->Delete(0);
  TCollectionItem* added = collection->Add();
  EXPECT_EQ(3, added->GetID());
  EXPECT_EQ(added, collection->FindItemID(3));
  EXPECT_EQ(nullptr, collection->FindItemID(0));
  EXPECT_EQ(4, collection->GetNextID());
  collection->ClearAndResetID();
  EXPECT_EQ(0, collection->Add()->GetID());
  Free(collection);
}

TEST(CollectionTest, AssignCopiesItemsInOneUpdate)
{
  TTestCollection* source = MakeCollection({1, 2, 3});
  TTestCollection* dest = MakeCollection({9});
  dest->Assign(source);
  EXPECT_EQ(std::vector<int>({1, 2, 3}), Values(dest));
  EXPECT_EQ(TLog({L"cnExtracting 0", L"cnAdded 1", L"cnAdded 2", L"cnAdded 3", L"update all"}), dest->Log);

  TLogged* stranger = Make(nullptr, L"X");
  EXPECT_EQ(L"Cannot assign a TLogged to a TTestCollection",
            ErrorText<EConvertError>([&] { dest->Assign(stranger); }));
  Free(stranger);
  Free(source);
  Free(dest);
}

TEST(CollectionTest, ItemsMoveBetweenCollections)
{
  TTestCollection* from = MakeCollection({1, 2});
  TTestCollection* to = MakeCollection({7, 8, 9});
  TTestItem* item = from->Item(0);
  item->SetCollection(to);
  EXPECT_EQ(std::vector<int>({2}), Values(from));
  EXPECT_EQ(std::vector<int>({7, 8, 9, 1}), Values(to));
  EXPECT_EQ(TLog({L"cnExtracting 0", L"update all"}), from->Log);
  EXPECT_EQ(TLog({L"cnAdded 3", L"update all"}), to->Log);
  EXPECT_EQ(3, item->GetID());
  EXPECT_EQ(3, item->GetIndex());
  EXPECT_EQ(L"TTestCollection[3]", item->GetNamePath());
  EXPECT_EQ(static_cast<TPersistent*>(to), item->GetOwner());

  item->SetCollection(nullptr);
  EXPECT_EQ(-1, item->GetIndex());
  EXPECT_EQ(L"TTestItem", item->GetNamePath());
  EXPECT_EQ(L"TTestItem", item->GetDisplayName());
  Free(item);

  // An item of another class is refused and stays where it was.
  auto* others = New<TCollection>(TCollectionItemClass::Of<TOtherItem>());
  TCollectionItem* other = others->Add();
  EXPECT_EQ(L"Invalid property value", ErrorText<EListError>([&] { other->SetCollection(to); }));
  EXPECT_EQ(others, other->GetCollection());
  EXPECT_EQ(1, others->GetCount());
  Free(others);
  Free(from);
  Free(to);
}

TEST(CollectionTest, FreeingTheCollectionFreesItemsWithoutUpdates)
{
  TLog log;
  TTestCollection* collection = MakeCollection({1, 2});
  collection->Echo = &log;
  Free(collection);
  EXPECT_EQ(TLog({L"cnExtracting 1", L"cnExtracting 0"}), log);
}

// Publishes its collection, as components that own one do.
class TCollectionHolder : public TComponent {
  RTL_CLASS(TCollectionHolder, TComponent)
  RTL_PUBLISHED(RTL_READONLY_PROPERTY(Buttons, GetButtons))

 public:
  TOwnedCollection* FButtons;
  TOwnedCollection* GetButtons() const { return FButtons; }
};

TEST(CollectionTest, NamePathsFollowTheOwnersProperty)
{
  TCollectionHolder* holder = New<TCollectionHolder>(nullptr);
  holder->FButtons = New<TOwnedCollection>(holder, TCollectionItemClass::Of<TTestItem>());
  holder->FButtons->Add();
  TCollectionItem* item = holder->FButtons->Add();
  EXPECT_EQ(L"TOwnedCollection", holder->FButtons->GetNamePath());  // the holder has no name yet
  holder->SetName(L"Holder");
  EXPECT_EQ(L"Holder.Buttons[1]", item->GetNamePath());

  // Owned, but not published by the owner.
  auto* hidden = New<TOwnedCollection>(holder, TCollectionItemClass::Of<TTestItem>());
  EXPECT_EQ(L"TOwnedCollection", hidden->GetNamePath());
  Free(hidden);
  Free(holder->FButtons);
  Free(holder);
}

TEST(CollectionTest, OwnedCollectionHasItsOwner)
{
  TLogged* owner = Make(nullptr, L"O");
  auto* owned = New<TOwnedCollection>(owner, TCollectionItemClass::Of<TTestItem>());
  EXPECT_EQ(static_cast<TPersistent*>(owner), owned->GetOwner());
  EXPECT_EQ(static_cast<TPersistent*>(owner), owned->Owner());
  auto* plain = New<TCollection>(TCollectionItemClass::Of<TTestItem>());
  EXPECT_EQ(nullptr, plain->GetOwner());
  Free(plain);
  Free(owned);
  Free(owner);
}

// ---------------------------------------------------------------------------
// Class registration

class TRegBase : public TPersistent {
  RTL_CLASS(TRegBase, TPersistent)
};
class TRegLeaf : public TRegBase {
  RTL_CLASS(TRegLeaf, TRegBase)
};

namespace first {
class TDup : public TPersistent {
  RTL_CLASS(TDup, TPersistent)
};
}  // namespace first
namespace second {
class TDup : public TPersistent {
  RTL_CLASS(TDup, TPersistent)
};
}  // namespace second

TEST(ClassRegistryTest, RegisterFindAndUnregister)
{
  RegisterClass(TPersistentClass::Of<TRegLeaf>());
  RegisterClass(TPersistentClass::Of<TRegLeaf>());  // again: nothing
  EXPECT_EQ(TRegLeaf::StaticClass(), GetClass(L"treGLEAF").ClassType());
  EXPECT_EQ(TRegBase::StaticClass(), FindClass(L"TRegBase").ClassType());  // ancestors come along
  EXPECT_FALSE(GetClass(L"TNoSuchClass"));

  try {
    FindClass(L"TNoSuchClass");
    ADD_FAILURE() << "no EClassNotFound";
  } catch (const EFilerError& E) {
    EXPECT_STREQ(L"EClassNotFound", E.ClassName());
    EXPECT_EQ(L"Class TNoSuchClass not found", E.Message());
  }

  UnRegisterClasses({TPersistentClass::Of<TRegLeaf>(), TPersistentClass::Of<TRegBase>()});
  EXPECT_FALSE(GetClass(L"TRegLeaf"));
  EXPECT_FALSE(GetClass(L"TRegBase"));
}

TEST(ClassRegistryTest, AnotherClassOfTheSameNameIsRefused)
{
  RegisterClass(TPersistentClass::Of<first::TDup>());
  EXPECT_EQ(L"A class named TDup already exists",
            ErrorText<EFilerError>([] { RegisterClass(TPersistentClass::Of<second::TDup>()); }));
  EXPECT_EQ(first::TDup::StaticClass(), GetClass(L"TDup").ClassType());
  UnRegisterClass(TPersistentClass::Of<first::TDup>());
}

class TGroupRoot : public TPersistent {
  RTL_CLASS(TGroupRoot, TPersistent)
};
class TOtherRoot : public TPersistent {
  RTL_CLASS(TOtherRoot, TPersistent)
};
class TGrouped : public TPersistent {
  RTL_CLASS(TGrouped, TPersistent)
};
class TShared : public TPersistent {
  RTL_CLASS(TShared, TPersistent)
};
namespace first {
class TTwin : public TGroupRoot {
  RTL_CLASS(TTwin, TGroupRoot)
};
}  // namespace first
namespace second {
class TTwin : public TOtherRoot {
  RTL_CLASS(TTwin, TOtherRoot)
};
}  // namespace second

TEST(ClassRegistryTest, GroupsSeparateClassesOfTheSameName)
{
  StartClassGroup(TPersistentClass::Of<TGroupRoot>());
  StartClassGroup(TPersistentClass::Of<TOtherRoot>());
  GroupDescendentsWith(TPersistentClass::Of<TGrouped>(), TPersistentClass::Of<TGroupRoot>());
  RegisterClasses({TPersistentClass::Of<first::TTwin>(), TPersistentClass::Of<second::TTwin>(),
                   TPersistentClass::Of<TGrouped>(), TPersistentClass::Of<TShared>()});

  EXPECT_EQ(TGroupRoot::StaticClass(), ClassGroupOf(TPersistentClass::Of<first::TTwin>()).ClassType());
  EXPECT_EQ(TGroupRoot::StaticClass(), ClassGroupOf(TPersistentClass::Of<TGrouped>()).ClassType());
  EXPECT_EQ(TOtherRoot::StaticClass(), ClassGroupOf(TPersistentClass::Of<second::TTwin>()).ClassType());
  EXPECT_EQ(TPersistent::StaticClass(), ClassGroupOf(TPersistentClass::Of<TShared>()).ClassType());

  const TPersistentClass previous = ActivateClassGroup(TPersistentClass::Of<TGroupRoot>());
  EXPECT_EQ(first::TTwin::StaticClass(), GetClass(L"TTwin").ClassType());
  EXPECT_TRUE(GetClass(L"TGrouped"));
  EXPECT_TRUE(GetClass(L"TShared"));  // TPersistent's group is seen from every group

  EXPECT_EQ(TGroupRoot::StaticClass(), ActivateClassGroup(TPersistentClass::Of<TOtherRoot>()).ClassType());
  EXPECT_EQ(second::TTwin::StaticClass(), GetClass(L"TTwin").ClassType());
  EXPECT_FALSE(GetClass(L"TGrouped"));

  ActivateClassGroup(previous);
  EXPECT_FALSE(GetClass(L"TTwin"));
  EXPECT_TRUE(GetClass(L"TShared"));
  UnRegisterClasses({TPersistentClass::Of<first::TTwin>(), TPersistentClass::Of<second::TTwin>(),
                     TPersistentClass::Of<TGrouped>(), TPersistentClass::Of<TShared>(),
                     TPersistentClass::Of<TGroupRoot>(), TPersistentClass::Of<TOtherRoot>()});
}

// ---------------------------------------------------------------------------
// TComponentList

TEST(ComponentListTest, FreedComponentsLeaveTheList)
{
  TLog log;
  auto* list = New<TComponentList>(false);
  TLogged* a = Make(nullptr, L"A", &log);
  TLogged* b = Make(nullptr, L"B", &log);
  TLogged* owner = Make(nullptr, L"O");
  TLogged* c = Make(owner, L"C", &log);
  list->Add(a);
  list->Add(b);
  list->Add(c);
  list->Add(a);  // twice

  Free(a);
  Free(owner);
  ASSERT_EQ(1, list->GetCount());
  EXPECT_EQ(b, list->GetItem(0));

  // Deleting one of two entries keeps the watch for the other.
  list->Add(b);
  list->Delete(0);
  log.clear();
  Free(b);
  EXPECT_EQ(0, list->GetCount());
  EXPECT_EQ(TLog({L"B:destroy"}), log);
  Free(list);
}

TEST(ComponentListTest, OwningListFreesItsComponents)
{
  TLog log;
  auto* list = New<TComponentList>();
  EXPECT_TRUE(list->GetOwnsObjects());
  list->Add(Make(nullptr, L"A", &log));
  TLogged* b = Make(nullptr, L"B", &log);
  list->Add(b);
  EXPECT_EQ(b, list->Extract(b));
  Free(list);
  EXPECT_EQ(TLog({L"A:destroy"}), log);
  Free(b);  // extracted: neither freed nor watched by the freed list
}

}  // namespace
