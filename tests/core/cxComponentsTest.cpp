// Components and component collections: collection items owned by the
// parent's owner and freed by the collection, the change reports, the
// streaming protocol of items (parent component, children), scale factors
// reaching items, the owner's removal notification, unique item names, the
// renaming routines, component lists and the sorted owned collection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cxClassesComponents.h"
#include "platform/vcl/Controls.h"
#include "platform/vcl/Forms.h"

using enum TcxCollectionInternalStateFlag;
using enum TcxComponentCollectionNotification;
using enum rtl::TOperation;

namespace {

using rtl::String;

// A form, told by the framework's class name as the library tells forms.
class TCustomForm : public rtl::TComponent {
  RTL_CLASS(TCustomForm, rtl::TComponent)
};

class TTestForm : public TCustomForm {
  RTL_CLASS(TTestForm, TCustomForm)
};

class TPartItem;
class TTestHolder;

// One line of a change log: who reported, what, for which item.
struct LogEntry {
  std::string Source;
  TcxComponentCollectionNotification Action;
  rtl::TComponent* Item;

  bool operator==(const LogEntry&) const = default;
};

// Logs what the collection tells itself (ItemNotification) and what it
// reports (OnChange) in one sequence, so their order shows.
class TLoggedItemCollection : public TcxComponentCollection {
  RTL_CLASS(TLoggedItemCollection, TcxComponentCollection)

 public:
  std::vector<LogEntry>* Log;
  String ClassPrefix;
  String BaseName;

  void Changed(rtl::TObject* /*Sender*/, TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction)
  {
    if (Log)
      Log->push_back({"change", AAction, AItem});
  }

 protected:
  void ItemNotification(TcxComponentCollectionItem* AItem, TcxComponentCollectionNotification AAction) override
  {
    if (Log)
      Log->push_back({"item", AAction, AItem});
  }
  String GetItemClassPrefix() override { return ClassPrefix; }
  String GetItemBaseName() override { return BaseName; }
};

// Holds its items' collection and, as the filer asks, lists as children the
// items its root owns.
class TTestHolder : public TcxScalableComponent {
  RTL_CLASS(TTestHolder, TcxScalableComponent)

 public:
  void Create(rtl::TComponent* AOwner) override;
  void Destroy() override
  {
    rtl::FreeAndNil(FItems);
    inherited::Destroy();
  }
  TLoggedItemCollection* Items() { return FItems; }

  void GetChildren(const rtl::TGetChildProc& AProc, rtl::TComponent* ARoot) override
  {
    for (int i = 0; i < FItems->GetCount(); ++i)
      if (FItems->GetItem(i)->GetOwner() == ARoot)
        AProc(FItems->GetItem(i));
  }

  // ChangeScale as a style controller overrides it: the contents follow.
  int Width;
  void __stdcall ChangeScale(int M, int D) override
  {
    inherited::ChangeScale(M, D);
    Width = MulDiv(Width, M, D);
  }


 private:
  TLoggedItemCollection* FItems;
};

class TPartItem : public TcxComponentCollectionItem {
  RTL_CLASS(TPartItem, TcxComponentCollectionItem)

 public:
  int Value = 0;

  TcxComponentCollection* GetCollectionFromParent(rtl::TComponent* AParent) override
  {
    return rtl::As<TTestHolder>(AParent)->Items();
  }
  void Assign(rtl::TPersistent* ASource) override
  {
    if (auto* source = rtl::Is<TPartItem>(ASource) ? static_cast<TPartItem*>(ASource) : nullptr)
      Value = source->Value;
    else
      inherited::Assign(ASource);
  }
  // The item's size at its parent's scale.
  int ScaledSize() { return dxGetScaleFactorOf(GetParentComponent())->Apply(16); }
  using TcxComponentCollectionItem::Changed;
};

class TDerivedPartItem : public TPartItem {
  RTL_CLASS(TDerivedPartItem, TPartItem)
};

// Offers the holder's collection, but is no TPartItem.
class TStrangerItem : public TcxComponentCollectionItem {
  RTL_CLASS(TStrangerItem, TcxComponentCollectionItem)

 public:
  TcxComponentCollection* GetCollectionFromParent(rtl::TComponent* AParent) override
  {
    return rtl::As<TTestHolder>(AParent)->Items();
  }
};

void TTestHolder::Create(rtl::TComponent* AOwner)
{
  inherited::Create(AOwner);
  Width = 100;
  FItems = rtl::New<TLoggedItemCollection>(this, TcxComponentCollectionItemClass::Of<TPartItem>());
}

// A form with a holder named "Holder1" and a change log on its collection.
class ComponentCollectionTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Form.reset(rtl::New<TTestForm>(nullptr));
    Form->SetName(L"Form1");
    Holder = rtl::New<TTestHolder>(Form.get());
    Holder->SetName(L"Holder1");
    Items()->Log = &Log;
    Items()->SetOnChange(TcxComponentCollectionChangeEvent::Bind<&TLoggedItemCollection::Changed>(Items()));
  }

  TLoggedItemCollection* Items() { return Holder->Items(); }
  TPartItem* Add() { return static_cast<TPartItem*>(Items()->Add()); }
  std::vector<String> Names()
  {
    std::vector<String> result;
    for (int i = 0; i < Items()->GetCount(); ++i)
      result.push_back(Items()->GetItem(i)->GetName());
    return result;
  }

  // The log outlives the form, whose items report as they go.
  std::vector<LogEntry> Log;
  rtl::TOwnedPtr<TTestForm> Form;
  TTestHolder* Holder;
};

// ---------------------------------------------------------------------------
// Component collections

TEST_F(ComponentCollectionTest, ItemsAreOwnedByTheParentsOwnerAndKnowTheirParent)
{
  TPartItem* item = Add();
  EXPECT_EQ(item->GetOwner(), Form.get());
  EXPECT_EQ(item->GetCollection(), Items());
  EXPECT_EQ(item->GetParentComponent(), Holder);
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(Items()->GetOwner(), Holder);
  EXPECT_EQ(item->GetName(), L"Holder1PartItem1");
  EXPECT_EQ(item->GetDisplayName(), L"Holder1PartItem1");
}

TEST_F(ComponentCollectionTest, FreeingTheParentFreesTheItemsAndTheOwnerLetsThemGo)
{
  Add();
  Add();
  ASSERT_EQ(Form->GetComponentCount(), 3);
  rtl::Free(Holder);
  EXPECT_EQ(Form->GetComponentCount(), 0);
}

TEST_F(ComponentCollectionTest, AnItemFreedByItsOwnerLeavesTheCollection)
{
  TPartItem* first = Add();
  TPartItem* second = Add();
  rtl::Free(first);
  ASSERT_EQ(Items()->GetCount(), 1);
  EXPECT_EQ(Items()->GetItem(0), second);
  EXPECT_EQ(second->GetIndex(), 0);
  // The form frees the holder and the rest without freeing anything twice.
  Form.reset();
}

TEST_F(ComponentCollectionTest, IDsAreNeverReused)
{
  Add();
  Add();
  Items()->Delete(0);
  TPartItem* added = Add();
  EXPECT_EQ(Items()->GetItem(0)->GetID(), 1);
  EXPECT_EQ(added->GetID(), 2);
  EXPECT_EQ(Items()->FindItemByID(2), added);
  EXPECT_EQ(Items()->FindItemByID(0), nullptr);
}

TEST_F(ComponentCollectionTest, ClearReportsOneChangeForNoItem)
{
  Add();
  Add();
  Add();
  Log.clear();
  Items()->Clear();
  EXPECT_EQ(Items()->GetCount(), 0);
  std::vector<LogEntry> reported;
  for (const LogEntry& entry : Log)
    if (entry.Source == "change")
      reported.push_back(entry);
  EXPECT_EQ(reported, (std::vector<LogEntry>{{"change", ccnChanged, nullptr}}));
  EXPECT_EQ(Form->GetComponentCount(), 1);
}

TEST_F(ComponentCollectionTest, ChangesAreToldAndReportedInOrder)
{
  TPartItem* first = Add();
  TPartItem* second = Add();
  EXPECT_EQ(Log, (std::vector<LogEntry>{{"item", ccnAdded, first},
                                        {"change", ccnAdded, first},
                                        {"item", ccnAdded, second},
                                        {"change", ccnAdded, second}}));
  Log.clear();
  second->SetIndex(0);
  first->Changed(false);
  EXPECT_EQ(Log, (std::vector<LogEntry>{{"change", ccnChanged, nullptr}, {"change", ccnChanged, first}}));
  Log.clear();
  Items()->Delete(1);
  EXPECT_EQ(Log, (std::vector<LogEntry>{{"item", ccnDeleting, first},
                                        {"item", ccnExtracting, first},
                                        {"item", ccnExtracted, first},
                                        {"change", ccnExtracted, first}}));
}

TEST_F(ComponentCollectionTest, UpdatesHoldReportsBackUnlessForced)
{
  Items()->BeginUpdate();
  Items()->BeginUpdate();
  Add();
  Items()->EndUpdate(true);
  Items()->EndUpdate(false);
  EXPECT_TRUE(Log.size() == 1 && Log[0].Source == "item") << Log.size();
  Log.clear();
  Items()->BeginUpdate();
  Add();
  Items()->EndUpdate(true);
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[1], (LogEntry{"change", ccnChanged, nullptr}));
}

TEST_F(ComponentCollectionTest, ItemsOfAnotherClassStayOutsideWithoutError)
{
  TcxComponentCollectionItem* stranger = nullptr;
  ASSERT_NO_THROW(stranger = Items()->Add(TcxComponentCollectionItemClass::Of<TStrangerItem>()));
  EXPECT_EQ(stranger->GetCollection(), nullptr);
  EXPECT_EQ(Items()->GetCount(), 0);
  EXPECT_EQ(stranger->GetOwner(), Form.get());

  TcxComponentCollectionItem* derived = Items()->Add(TcxComponentCollectionItemClass::Of<TDerivedPartItem>());
  EXPECT_EQ(derived->GetCollection(), Items());
}

TEST_F(ComponentCollectionTest, InsertMovesTheNewItemAndBadIndexesRaise)
{
  TPartItem* first = Add();
  TPartItem* inserted = static_cast<TPartItem*>(Items()->Insert(0));
  EXPECT_EQ(inserted->GetIndex(), 0);
  EXPECT_EQ(first->GetIndex(), 1);
  EXPECT_THROW(Items()->Insert(5), rtl::EListError);
  EXPECT_THROW(Items()->Delete(7), rtl::EListError);
  EXPECT_THROW(Items()->GetItem(-1), rtl::EListError);
}

// The filer writes items as the children of their parent and reads them
// back by giving them their parent.
TEST_F(ComponentCollectionTest, StreamingProtocolListsItemsAndRestoresThemThroughTheirParent)
{
  TPartItem* first = Add();
  TPartItem* second = Add();
  std::vector<rtl::TComponent*> children;
  Holder->GetChildren([&](rtl::TComponent* AChild) { children.push_back(AChild); }, Form.get());
  EXPECT_EQ(children, (std::vector<rtl::TComponent*>{first, second}));

  TPartItem* read = rtl::New<TPartItem>(Form.get());
  EXPECT_FALSE(read->HasParent());
  read->SetParentComponent(Holder);
  EXPECT_EQ(read->GetCollection(), Items());
  EXPECT_EQ(read->GetIndex(), 2);
  read->SetParentComponent(nullptr);
  EXPECT_EQ(read->GetCollection(), nullptr);
  EXPECT_EQ(Items()->GetCount(), 2);
}

TEST_F(ComponentCollectionTest, AssignCopiesClassesAndValuesInOneUpdate)
{
  TTestHolder* other = rtl::New<TTestHolder>(Form.get());
  other->SetName(L"Other");
  Add()->Value = 7;
  Items()->Add(TcxComponentCollectionItemClass::Of<TDerivedPartItem>());
  static_cast<TPartItem*>(Items()->GetItem(1))->Value = 8;
  other->Items()->Add();

  Log.clear();
  other->Items()->Assign(Items());
  ASSERT_EQ(other->Items()->GetCount(), 2);
  EXPECT_EQ(static_cast<TPartItem*>(other->Items()->GetItem(0))->Value, 7);
  EXPECT_TRUE(other->Items()->GetItem(1)->ClassNameIs(L"TDerivedPartItem"));
  EXPECT_EQ(static_cast<TPartItem*>(other->Items()->GetItem(1))->Value, 8);
  EXPECT_EQ(other->Items()->GetItem(0)->GetName(), L"OtherPartItem1");

  rtl::TStringList* strings = rtl::New<rtl::TStringList>();
  EXPECT_THROW(Items()->Assign(strings), rtl::EConvertError);
  rtl::Free(strings);
}

TEST_F(ComponentCollectionTest, ItemNamesAreUniqueInTheOutermostForm)
{
  // An inner form inside the outer one: the outer one scopes the names.
  TTestForm* inner = rtl::New<TTestForm>(Form.get());
  TTestHolder* innerHolder = rtl::New<TTestHolder>(inner);
  innerHolder->SetName(L"Holder1");
  rtl::TComponent* taken = rtl::New<rtl::TComponent>(inner);
  taken->SetName(L"Holder1PartItem1");
  EXPECT_EQ(Add()->GetName(), L"Holder1PartItem2");
  EXPECT_EQ(cxFindTopFormOwner(innerHolder), Form.get());
  EXPECT_EQ(cxFindTopFormOwner(Form.get()), nullptr);
}

TEST_F(ComponentCollectionTest, PrefixAndBaseNameShapeItemNames)
{
  Items()->ClassPrefix = L"tpart";
  EXPECT_EQ(Add()->GetName(), L"Holder1Item1");
  Items()->BaseName = L"Button";
  EXPECT_EQ(Add()->GetName(), L"Holder1Button");
  EXPECT_EQ(Add()->GetName(), L"Holder1Button1");
}

// ---------------------------------------------------------------------------
// Unique names

struct GenerateCase {
  const wchar_t* Title;
  const wchar_t* ParentName;  // nullptr: no parent
  int StartNumber;
  const wchar_t* ClassPrefix;
  const wchar_t* BaseText;
  std::vector<const wchar_t*> Taken;  // names in the scope, the last one owned one level down
  const wchar_t* Expected;
};

TEST(cxGenerateComponentName, BuildsTheFirstFreeName)
{
  const GenerateCase cases[] = {
      {L"empty base: class name less T, counter 1", L"Bar", -1, L"", L"", {}, L"BarPartItem1"},
      {L"base text starting with a digit", L"Bar", -1, L"", L"1st item", {}, L"BarPartItem1stitem"},
      {L"collision adds the counter", L"Bar", -1, L"", L"1st item", {L"BarPartItem1stitem"}, L"BarPartItem1stitem1"},
      {L"collisions ignore case", L"Bar", -1, L"", L"", {L"barpartitem1", L"BARPARTITEM2"}, L"BarPartItem3"},
      {L"collision further down the tree", L"Bar", -1, L"", L"", {L"X", L"BarPartItem1"}, L"BarPartItem2"},
      {L"invalid characters go", L"Bar", -1, L"", L"Save as... (\u00e9t\u00e9)", {}, L"BarSaveast"},
      {L"only invalid characters", L"Bar", -1, L"", L"\u00e9 !", {}, L"BarPartItem"},
      {L"no parent", nullptr, -1, L"", L"Caption", {}, L"Caption"},
      {L"prefix matched ignoring case", L"Bar", -1, L"tPART", L"", {}, L"BarItem1"},
      {L"prefix not matching keeps all but the T", L"Bar", -1, L"Tdx", L"", {}, L"BarPartItem1"},
      {L"start number", L"Bar", 5, L"", L"", {L"BarPartItem5"}, L"BarPartItem6"},
      {L"start number 0 with empty base", L"Bar", 0, L"", L"", {}, L"BarPartItem"},
  };
  for (const GenerateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.Title));
    rtl::TOwnedPtr<rtl::TComponent> scope(rtl::New<rtl::TComponent>(nullptr));
    rtl::TComponent* parent = nullptr;
    if (c.ParentName) {
      parent = rtl::New<rtl::TComponent>(scope.get());
      parent->SetName(c.ParentName);
    }
    rtl::TComponent* level = scope.get();
    for (const wchar_t* name : c.Taken) {
      rtl::TComponent* taken = rtl::New<rtl::TComponent>(level);
      taken->SetName(name);
      level = taken;
    }
    rtl::TOwnedPtr<TPartItem> item(rtl::New<TPartItem>(nullptr));
    EXPECT_EQ(cxGenerateComponentName(scope.get(), parent, item.get(), c.StartNumber, c.ClassPrefix, c.BaseText),
              c.Expected);
  }
}

TEST(cxGenerateComponentName, WithoutScopeTheTopOwnerScopes)
{
  rtl::TOwnedPtr<rtl::TComponent> top(rtl::New<rtl::TComponent>(nullptr));
  rtl::TComponent* middle = rtl::New<rtl::TComponent>(top.get());
  rtl::New<rtl::TComponent>(top.get())->SetName(L"PartItem1");
  TPartItem* item = rtl::New<TPartItem>(middle);
  EXPECT_EQ(cxGetTopOwner(item), top.get());
  EXPECT_EQ(cxGenerateComponentName(nullptr, nullptr, item, -1, L"", L""), L"PartItem2");
}

TEST(cxUniqueNameInOwner, CountsFromOneWhileTheOwnerHasTheName)
{
  struct Case {
    std::vector<const wchar_t*> Taken;
    bool WithFirstNumber;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {{L"Item1"}, true, L"Item2"},
      {{}, false, L"Item"},
      {{L"Item"}, false, L"Item1"},
      {{L"item", L"ITEM1"}, false, L"Item2"},
      {{}, true, L"Item1"},
  };
  for (const Case& c : cases) {
    rtl::TOwnedPtr<rtl::TComponent> owner(rtl::New<rtl::TComponent>(nullptr));
    for (const wchar_t* name : c.Taken)
      rtl::New<rtl::TComponent>(owner.get())->SetName(name);
    rtl::TComponent* component = rtl::New<rtl::TComponent>(owner.get());
    EXPECT_EQ(cxUniqueNameInOwner(component, L"Item", c.WithFirstNumber), c.Expected);
  }
  rtl::TOwnedPtr<rtl::TComponent> lonely(rtl::New<rtl::TComponent>(nullptr));
  EXPECT_EQ(cxUniqueNameInOwner(lonely.get(), L"Item", true), L"Item");
}

TEST(cxRenamePrefixedItems, RenamesOwnedItemsWithTheOldPrefixAndSkipsRefusedNames)
{
  rtl::TOwnedPtr<rtl::TComponent> owner(rtl::New<rtl::TComponent>(nullptr));
  rtl::TOwnedPtr<rtl::TComponent> stranger(rtl::New<rtl::TComponent>(nullptr));
  std::vector<rtl::TComponent*> items;
  auto add = [&](rtl::TComponent* AOwner, const wchar_t* AName) {
    items.push_back(rtl::New<rtl::TComponent>(AOwner));
    items.back()->SetName(AName);
  };
  add(owner.get(), L"OldItem1");    // renamed
  add(owner.get(), L"oldGroup");    // renamed: the prefix ignores case
  add(owner.get(), L"Old");         // not longer than the prefix
  add(stranger.get(), L"OldItem2"); // another owner
  add(owner.get(), L"OldTaken");    // NewTaken exists: kept
  add(owner.get(), L"NewTaken");
  add(owner.get(), L"OldLast");     // renamed after the refusal
  auto getItem = [&](int AIndex) { return items[AIndex]; };

  cxRenamePrefixedItems(nullptr, owner.get(), L"New", getItem, static_cast<int>(items.size()), L"Old");
  std::vector<String> names;
  for (rtl::TComponent* item : items)
    names.push_back(item->GetName());
  EXPECT_EQ(names, (std::vector<String>{L"NewItem1", L"NewGroup", L"Old", L"OldItem2", L"OldTaken", L"NewTaken",
                                        L"NewLast"}));

  // A prefix that makes names invalid leaves them as they are.
  cxRenamePrefixedItems(nullptr, owner.get(), L"1", getItem, static_cast<int>(items.size()), L"New");
  EXPECT_EQ(items[0]->GetName(), L"NewItem1");
}

// ---------------------------------------------------------------------------
// Component bases

// Reports how its owner heard of it: whether its parts still stood.
class TPartsComponent : public TcxComponent {
  RTL_CLASS(TPartsComponent, TcxComponent)

 public:
  void Create(rtl::TComponent* AOwner) override
  {
    inherited::Create(AOwner);
    Parts = rtl::New<rtl::TStringList>();
  }
  void Destroy() override
  {
    rtl::FreeAndNil(Parts);
    inherited::Destroy();
  }
  rtl::TStringList* Parts;
};

// Records every removal it hears of, with whether the parts still stood.
class TListeningOwner : public rtl::TComponent {
  RTL_CLASS(TListeningOwner, rtl::TComponent)

 public:
  std::vector<bool>* HeardWhole;

  void Notification(rtl::TComponent* AComponent, rtl::TOperation AOperation) override
  {
    inherited::Notification(AComponent, AOperation);
    if (AOperation == opRemove && rtl::Is<TPartsComponent>(AComponent))
      HeardWhole->push_back(static_cast<TPartsComponent*>(AComponent)->Parts != nullptr);
  }
};

TEST(cxNotifyOwnerOfRemoval, OwnerAndSubscribersHearWhileTheComponentIsWhole)
{
  std::vector<bool> ownerHeard;
  std::vector<bool> subscriberHeard;
  rtl::TOwnedPtr<TListeningOwner> owner(rtl::New<TListeningOwner>(nullptr));
  owner->HeardWhole = &ownerHeard;
  rtl::TOwnedPtr<TListeningOwner> subscriber(rtl::New<TListeningOwner>(nullptr));
  subscriber->HeardWhole = &subscriberHeard;
  TPartsComponent* component = rtl::New<TPartsComponent>(owner.get());
  component->FreeNotification(subscriber.get());

  rtl::Free(component);
  // The subscriber hears once; the owner hears early and again as the
  // platform removes the component.
  EXPECT_EQ(subscriberHeard, std::vector<bool>{true});
  ASSERT_FALSE(ownerHeard.empty());
  EXPECT_TRUE(ownerHeard.front());
  EXPECT_EQ(owner->GetComponentCount(), 0);
}

TEST(cxGetPersistentOwner, AnswersTheOwnerOfThePersistentModel)
{
  rtl::TOwnedPtr<TTestHolder> holder(rtl::New<TTestHolder>(nullptr));
  EXPECT_EQ(cxGetPersistentOwner(holder->Items()), holder.get());
  EXPECT_EQ(cxGetPersistentOwner(holder.get()), nullptr);
  EXPECT_EQ(cxGetPersistentOwner(nullptr), nullptr);
}

class TLinkingComponent : public TcxComponent {
  RTL_CLASS(TLinkingComponent, TcxComponent)

 public:
  std::vector<rtl::TComponent*> Links;
  void LoadedAtDesignTime()
  {
    SetDesigning(true, false);
    Loaded();
  }

 protected:
  void GetFakeComponentLinks(std::vector<rtl::TComponent*>& AList) override { AList = Links; }
};

TEST(TcxComponent, DesignTimeLoadingFillsTheFakeLinksAndFreedLinksClear)
{
  rtl::TOwnedPtr<rtl::TComponent> form(rtl::New<rtl::TComponent>(nullptr));
  rtl::TOwnedPtr<rtl::TComponent> elsewhere(rtl::New<rtl::TComponent>(nullptr));
  TLinkingComponent* component = rtl::New<TLinkingComponent>(form.get());
  rtl::TComponent* a = rtl::New<rtl::TComponent>(form.get());
  component->Links = {a, elsewhere.get()};
  component->SetFakeComponentLink3(a);
  component->LoadedAtDesignTime();
  EXPECT_EQ(component->GetFakeComponentLink1(), a);
  EXPECT_EQ(component->GetFakeComponentLink2(), elsewhere.get());
  EXPECT_EQ(component->GetFakeComponentLink3(), nullptr);
  EXPECT_TRUE(component->IsDesigning());
  // A linked component of another owner that goes leaves no dangling link.
  elsewhere.reset();
  EXPECT_EQ(component->GetFakeComponentLink2(), nullptr);
}

// ---------------------------------------------------------------------------
// Scalable components

TEST(TcxScalableComponent, ScaleForPPIChangesTheScaleOnlyForAnotherDPI)
{
  struct Case {
    bool Scalable;
    int TargetPPI;
    int ExpectedPPI;
    int ExpectedWidth;
  };
  const Case cases[] = {{true, 96, 96, 100}, {true, 144, 144, 150}, {true, 192, 192, 200}, {false, 144, 96, 100}};
  for (const Case& c : cases) {
    rtl::TOwnedPtr<TTestHolder> holder(rtl::New<TTestHolder>(nullptr));
    holder->SetScalable(c.Scalable);
    holder->ScaleForPPI(c.TargetPPI);
    EXPECT_EQ(holder->GetPixelsPerInch(), c.ExpectedPPI) << c.TargetPPI;
    EXPECT_EQ(holder->Width, c.ExpectedWidth) << c.TargetPPI;
  }
}

TEST(TcxScalableComponent, TakesItsOwnersDPIAndItsScaleReachesItsItems)
{
  rtl::TOwnedPtr<TTestHolder> owner(rtl::New<TTestHolder>(nullptr));
  owner->ScaleForPPI(144);
  TTestHolder* holder = rtl::New<TTestHolder>(owner.get());
  EXPECT_EQ(holder->GetPixelsPerInch(), 144);
  TPartItem* item = static_cast<TPartItem*>(holder->Items()->Add());
  EXPECT_EQ(item->ScaledSize(), 24);
  holder->ScaleForPPI(192);
  EXPECT_EQ(item->ScaledSize(), 32);
  rtl::IPtr<IcxScalableComponent> scalable;
  ASSERT_TRUE(rtl::Supports<IcxScalableComponent>(holder, &scalable));
  scalable->ScaleForPPI(96);
  EXPECT_EQ(item->ScaledSize(), 16);
}

TEST(TcxScalableComponent, TakesTheDPIOfAFormOwnerOrOfAControlOwnersForm)
{
  rtl::TOwnedPtr<vcl::TForm> form(
      rtl::NewWith<vcl::TForm>([](vcl::TForm* AForm) { AForm->CreateNew(vcl::Application()); }));
  vcl::TWinControl* control = rtl::New<vcl::TWinControl>(form.get());
  control->SetParent(form.get());
  struct Case {
    int FormPPI;
    rtl::TComponent* Owner;
    int ExpectedPPI;
  };
  const Case cases[] = {{144, form.get(), 144}, {120, control, 120}, {144, nullptr, 96}};
  for (const Case& c : cases) {
    form->SetCurrentPPI(c.FormPPI);
    rtl::TOwnedPtr<TTestHolder> holder(rtl::New<TTestHolder>(c.Owner));
    EXPECT_EQ(holder->GetPixelsPerInch(), c.ExpectedPPI) << c.FormPPI;
  }
}

String TextFormOf(rtl::TMemoryStream* ABinary)
{
  rtl::TOwnedPtr<rtl::TMemoryStream> text(rtl::New<rtl::TMemoryStream>());
  ABinary->SetPosition(0);
  rtl::ObjectBinaryToText(ABinary, text.get());
  const std::string bytes(static_cast<const char*>(text->Memory()), static_cast<std::size_t>(text->GetSize()));
  return String(bytes.begin(), bytes.end());
}

TEST(TcxScalableComponent, StoresItsDPIAndIsRescaledOnceWhenLoadedUnderAnother)
{
  rtl::TOwnedPtr<TTestHolder> source(rtl::New<TTestHolder>(nullptr));
  rtl::TOwnedPtr<rtl::TMemoryStream> stream(rtl::New<rtl::TMemoryStream>());
  rtl::WriteComponent(stream.get(), source.get());
  EXPECT_NE(TextFormOf(stream.get()).find(L"PixelsPerInch = 96"), String::npos) << "written also at 96";

  source->ScaleForPPI(144);
  stream->Clear();
  rtl::WriteComponent(stream.get(), source.get());
  EXPECT_NE(TextFormOf(stream.get()).find(L"PixelsPerInch = 144"), String::npos);

  // Stored at 144, loaded under an owner at 192: one step from 144 to 192.
  rtl::TOwnedPtr<TTestHolder> owner(rtl::New<TTestHolder>(nullptr));
  owner->ScaleForPPI(192);
  TTestHolder* target = rtl::New<TTestHolder>(owner.get());
  stream->SetPosition(0);
  rtl::ReadComponent(stream.get(), target);
  EXPECT_EQ(target->GetPixelsPerInch(), 192);
  EXPECT_EQ(target->Width, MulDiv(100, 192, 144));
}

// ---------------------------------------------------------------------------
// Component lists

class TTestComponentList : public TcxComponentList {
  RTL_CLASS(TTestComponentList, TcxComponentList)

 public:
  std::vector<std::pair<rtl::TComponent*, TcxComponentCollectionNotification>> Changes;
  std::vector<rtl::TListNotification> Notifies;

  void Changed(rtl::TObject*, rtl::TComponent* AComponent, TcxComponentCollectionNotification AAction)
  {
    Changes.emplace_back(AComponent, AAction);
  }
  void Notified(rtl::TObject*, rtl::TComponent*, rtl::TListNotification AAction) { Notifies.push_back(AAction); }

 protected:
  rtl::TComponentClass GetAcceptedClass() override { return rtl::TComponentClass::Of<TcxComponent>(); }
};

class ComponentListTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Owner.reset(rtl::New<rtl::TComponent>(nullptr));
    List.reset(rtl::New<TTestComponentList>());
    List->SetOnComponentListChanged(TcxComponentListChangeEvent::Bind<&TTestComponentList::Changed>(List.get()));
    List->SetOnNotify(TcxComponentListNotifyEvent::Bind<&TTestComponentList::Notified>(List.get()));
  }

  rtl::TOwnedPtr<rtl::TComponent> Owner;
  rtl::TOwnedPtr<TTestComponentList> List;
};

TEST_F(ComponentListTest, ComponentsOfAnotherClassNeverStaySilently)
{
  rtl::TComponent* plain = rtl::New<rtl::TComponent>(Owner.get());
  List->Add(plain);
  EXPECT_EQ(List->GetCount(), 0);
  EXPECT_TRUE(List->Changes.empty());
  EXPECT_TRUE(List->Notifies.empty());
}

TEST_F(ComponentListTest, ReportsAdditionsAndRemovalsAndDoesNotOwn)
{
  TcxComponent* a = rtl::New<TcxComponent>(Owner.get());
  TcxComponent* b = rtl::New<TcxComponent>(Owner.get());
  List->Add(a);
  List->Add(b);
  List->Extract(a);
  List->Remove(b);
  using Change = std::pair<rtl::TComponent*, TcxComponentCollectionNotification>;
  EXPECT_EQ(List->Changes, (std::vector<Change>{{a, ccnAdded}, {b, ccnAdded}, {a, ccnExtracted}, {b, ccnDeleting}}));
  EXPECT_EQ(List->Notifies, (std::vector<rtl::TListNotification>{rtl::lnAdded, rtl::lnAdded, rtl::lnExtracted,
                                                                 rtl::lnDeleted}));
  EXPECT_EQ(Owner->GetComponentCount(), 2);
}

TEST_F(ComponentListTest, ClearReportsOnceAndCancelUpdateReportsNothing)
{
  for (int i = 0; i < 3; ++i)
    List->Add(rtl::New<TcxComponent>(Owner.get()));
  List->Changes.clear();
  List->Clear();
  using Change = std::pair<rtl::TComponent*, TcxComponentCollectionNotification>;
  EXPECT_EQ(List->Changes, (std::vector<Change>{{nullptr, ccnChanged}}));
  EXPECT_EQ(List->Notifies.size(), 6u);

  List->Changes.clear();
  List->BeginUpdate();
  List->Add(rtl::New<TcxComponent>(Owner.get()));
  List->CancelUpdate();
  EXPECT_TRUE(List->Changes.empty());
  EXPECT_EQ(List->GetCount(), 1);
}

TEST_F(ComponentListTest, AComponentFreedElsewhereLeavesTheList)
{
  TcxComponent* a = rtl::New<TcxComponent>(Owner.get());
  List->Add(a);
  rtl::Free(a);
  EXPECT_EQ(List->GetCount(), 0);
}

// ---------------------------------------------------------------------------
// Owned interfaced collections

class TKeyItem : public TcxInterfacedCollectionItem {
  RTL_CLASS(TKeyItem, TcxInterfacedCollectionItem)

 public:
  int Key = 0;
  void SetKey(int AValue)
  {
    Key = AValue;
    Changed(false);
  }
};

struct CollectionObserver {
  int ChangeCount = 0;
  bool Reverse = false;
  bool KeepOrder = false;

  void Changed(rtl::TObject*, rtl::TCollectionItem*) { ++ChangeCount; }
  int Compare(rtl::TObject* Sender, rtl::TCollectionItem* AItem1, rtl::TCollectionItem* AItem2)
  {
    // Changing an item while sorting must not sort again.
    static_cast<TKeyItem*>(AItem1)->SetKey(static_cast<TKeyItem*>(AItem1)->Key);
    if (KeepOrder)
      return 0;
    const int difference = static_cast<TKeyItem*>(AItem1)->Key - static_cast<TKeyItem*>(AItem2)->Key;
    EXPECT_TRUE(static_cast<TcxOwnedInterfacedCollection*>(Sender)->GetInternalState().Contains(cisSorting));
    return Reverse ? -difference : difference;
  }
};

class OwnedCollectionTest : public testing::Test {
 protected:
  void SetUp() override
  {
    Owner.reset(rtl::New<rtl::TComponent>(nullptr));
    Items.reset(rtl::New<TcxOwnedInterfacedCollection>(Owner.get(), rtl::TCollectionItemClass::Of<TKeyItem>()));
    Items->SetOnChange(TcxCollectionNotifyEvent::Bind<&CollectionObserver::Changed>(&Observer));
    for (int key : {3, 1, 2})
      static_cast<TKeyItem*>(Items->Add())->Key = key;
  }
  std::vector<int> Keys()
  {
    std::vector<int> result;
    for (int i = 0; i < Items->GetCount(); ++i)
      result.push_back(static_cast<TKeyItem*>(Items->GetItems(i))->Key);
    return result;
  }

  CollectionObserver Observer;
  rtl::TOwnedPtr<rtl::TComponent> Owner;
  rtl::TOwnedPtr<TcxOwnedInterfacedCollection> Items;
};

TEST_F(OwnedCollectionTest, SortedCollectionsFollowTheirCompareHandler)
{
  struct Case {
    bool HasHandler;
    bool Reverse;
    bool KeepOrder;
    std::vector<int> Expected;
  };
  const Case cases[] = {
      {false, false, false, {3, 1, 2}},  // CompareItemOrder keeps the order
      {true, false, true, {3, 1, 2}},    // equal items are not shuffled
      {true, false, false, {1, 2, 3}},
      {true, true, false, {3, 2, 1}},
  };
  for (const Case& c : cases) {
    SetUp();
    Observer.Reverse = c.Reverse;
    Observer.KeepOrder = c.KeepOrder;
    if (c.HasHandler)
      Items->SetOnCompare(TcxCollectionCompareEvent::Bind<&CollectionObserver::Compare>(&Observer));
    Items->SetSorted(true);
    EXPECT_EQ(Keys(), c.Expected);
    EXPECT_FALSE(Items->GetInternalState().Contains(cisSorting));
    EXPECT_FALSE(Items->GetInternalState().Contains(cisUpdating));
  }
}

TEST_F(OwnedCollectionTest, ChangedItemsReSortAndReachOnChange)
{
  Items->SetOnCompare(TcxCollectionCompareEvent::Bind<&CollectionObserver::Compare>(&Observer));
  Items->SetSorted(true);
  // A single item's change does not sort; a change of all items does.
  static_cast<TKeyItem*>(Items->GetItems(0))->SetKey(9);
  EXPECT_EQ(Keys(), (std::vector<int>{9, 2, 3}));
  Observer.ChangeCount = 0;
  Items->BeginUpdate();
  Items->EndUpdate();
  EXPECT_EQ(Keys(), (std::vector<int>{2, 3, 9}));
  EXPECT_EQ(Observer.ChangeCount, 1);
}

TEST_F(OwnedCollectionTest, ItemsCountReferencesOnTheirCollection)
{
  rtl::IPtr<rtl::IInterface> item;
  ASSERT_TRUE(rtl::Supports<rtl::IInterface>(Items->GetItems(0), &item));
  EXPECT_EQ(item->AddRef(), static_cast<ULONG>(-1));
  EXPECT_EQ(item->Release(), static_cast<ULONG>(-1));
  // An item made outside a collection has nobody to count on.
  rtl::TOwnedPtr<TKeyItem> loose(rtl::New<TKeyItem>(nullptr));
  EXPECT_EQ(static_cast<rtl::IInterface*>(loose.get())->AddRef(), static_cast<ULONG>(-1));
}

TEST(TcxStringList, SortsWithItsCompareHandlerWhenGiven)
{
  struct ByLength {
    int Compare(rtl::TStringList* AList, int AIndex1, int AIndex2)
    {
      return static_cast<int>(AList->GetStrings(AIndex1).size()) - static_cast<int>(AList->GetStrings(AIndex2).size());
    }
  } byLength;
  rtl::TOwnedPtr<TcxStringList> list(rtl::New<TcxStringList>());
  list->SetCommaText(L"ccc,a,bb");
  list->Sort();
  EXPECT_EQ(list->GetCommaText(), L"a,bb,ccc");
  list->SetCommaText(L"b,ccc,aa");
  list->SetOnCompare(TcxStringListCompareEvent::Bind<&ByLength::Compare>(&byLength));
  list->Sort();
  EXPECT_EQ(list->GetCommaText(), L"b,aa,ccc");
}

// The library's components stream and are placed as controls are: the
// start-up puts them into the controls' class group.
TEST(cxComponentClassGroup, ComponentsJoinTheControlsClassGroup)
{
  const rtl::TClass Controls = vcl::TControl::StaticClass();
  EXPECT_EQ(rtl::ClassGroupOf(rtl::TPersistentClass::Of<TcxComponent>()).ClassType(), Controls);
  EXPECT_EQ(rtl::ClassGroupOf(rtl::TPersistentClass::Of<TcxCustomComponent>()).ClassType(), Controls);
  EXPECT_EQ(rtl::ClassGroupOf(rtl::TPersistentClass::Of<TcxScalableComponent>()).ClassType(), Controls);
  EXPECT_NE(rtl::ClassGroupOf(rtl::TPersistentClass::Of<rtl::TComponent>()).ClassType(), Controls);
}

}  // namespace
