// The edit repository: items found by name, listeners told of property
// changes and of the item going (newest first), and items freed with their
// repository.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/cxEditRepositoryItems.h"

namespace {

// Writes what it hears, with its own tag, into a shared log.
class TcxTestRepositoryListener : public TcxIUnknownObject, public IcxEditRepositoryItemListener {
  RTL_CLASS(TcxTestRepositoryListener, TcxIUnknownObject)
  RTL_INTERFACES(IcxEditRepositoryItemListener)

 public:
  void Create(wchar_t ATag, std::wstring* ALog)
  {
    Tag = ATag;
    Log = ALog;
  }
  void __stdcall ItemRemoved(TcxEditRepositoryItem* Sender) override
  {
    *Log += L"-";
    *Log += Tag;
    Sender->RemoveListener(this);
    Item = nullptr;
  }
  void __stdcall PropertiesChanged(TcxEditRepositoryItem* /*Sender*/) override { *Log += Tag; }

  wchar_t Tag;
  std::wstring* Log;
  TcxEditRepositoryItem* Item = nullptr;
};

class TcxEditRepositoryTestItem : public TcxEditRepositoryItem {
  RTL_CLASS(TcxEditRepositoryTestItem, TcxEditRepositoryItem)
};

class TcxRepositoryTestFixture : public testing::Test {
 protected:
  void SetUp() override { Repository = rtl::New<TcxEditRepository>(nullptr); }
  void TearDown() override { rtl::Free(Repository); }

  TcxTestRepositoryListener* NewListener(wchar_t ATag, TcxEditRepositoryItem* AItem)
  {
    Listeners.emplace_back(rtl::New<TcxTestRepositoryListener>(ATag, &Log));
    Listeners.back()->Item = AItem;
    AItem->AddListener(Listeners.back().get());
    return Listeners.back().get();
  }

  TcxEditRepository* Repository;
  std::wstring Log;
  std::vector<rtl::TOwnedPtr<TcxTestRepositoryListener>> Listeners;
};

TEST_F(TcxRepositoryTestFixture, FindsItemsByNameIgnoringCase)
{
  TcxEditRepositoryItem* first = Repository->CreateItem(TcxEditRepositoryItemClass::Of<TcxEditRepositoryTestItem>());
  first->SetName(L"TextItem");
  TcxEditRepositoryItem* second = Repository->CreateItem(TcxEditRepositoryItemClass::Of<TcxEditRepositoryItem>());
  second->SetName(L"Other");
  EXPECT_EQ(Repository->GetCount(), 2);
  EXPECT_EQ(Repository->ItemByName(L"textITEM"), first);
  EXPECT_EQ(Repository->ItemByName(L"other"), second);
  EXPECT_EQ(Repository->ItemByName(L"none"), nullptr);
  EXPECT_EQ(first->GetOwner(), Repository);
  EXPECT_EQ(first->GetParentComponent(), Repository);
  EXPECT_THROW(Repository->GetItems(2), rtl::EListError);
}

TEST_F(TcxRepositoryTestFixture, ListenersHearChangesNewestFirstAndOnlyOnce)
{
  TcxEditRepositoryItem* item = Repository->CreateItem(TcxEditRepositoryItemClass::Of<TcxEditRepositoryItem>());
  TcxTestRepositoryListener* a = NewListener(L'a', item);
  NewListener(L'b', item);
  item->AddListener(a);
  EXPECT_EQ(item->GetListenerCount(), 2);
  item->GetProperties()->SetAutoSelect(false);
  EXPECT_EQ(Log, L"ba");

  item->RemoveListener(a);
  item->RemoveListener(a);
  EXPECT_EQ(item->GetListenerCount(), 1);
}

TEST_F(TcxRepositoryTestFixture, FreeingTheRepositoryFreesItsItemsLastFirst)
{
  TcxEditRepositoryItem* first = Repository->CreateItem(TcxEditRepositoryItemClass::Of<TcxEditRepositoryItem>());
  TcxEditRepositoryItem* second = Repository->CreateItem(TcxEditRepositoryItemClass::Of<TcxEditRepositoryItem>());
  TcxTestRepositoryListener* a = NewListener(L'a', first);
  TcxTestRepositoryListener* b = NewListener(L'b', first);
  TcxTestRepositoryListener* c = NewListener(L'c', second);
  rtl::FreeAndNil(Repository);
  EXPECT_EQ(Log, L"-c-b-a");
  EXPECT_EQ(a->Item, nullptr);
  EXPECT_EQ(b->Item, nullptr);
  EXPECT_EQ(c->Item, nullptr);
}

TEST_F(TcxRepositoryTestFixture, ItemsChangeRepositoryAndNameThemselvesAfterIt)
{
  Repository->SetName(L"Repo");
  TcxEditRepositoryItem* item = Repository->CreateItemEx(TcxEditRepositoryItemClass::Of<TcxEditRepositoryTestItem>(), nullptr);
  rtl::String baseName;
  item->GetBaseName(baseName);
  EXPECT_EQ(baseName, L"RepoTestItem");

  rtl::TOwnedPtr<TcxEditRepository> other(rtl::New<TcxEditRepository>(nullptr));
  item->SetRepository(other.get());
  EXPECT_EQ(Repository->GetCount(), 0);
  EXPECT_EQ(other->GetCount(), 1);
  EXPECT_TRUE(item->ArePropertiesCompatible(TcxCustomEditProperties::StaticClass()));
  rtl::Free(item);
  EXPECT_EQ(other->GetCount(), 0);
}

}  // namespace
