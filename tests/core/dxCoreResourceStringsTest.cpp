// Resource strings: the texts of the string tables reached by reference, the
// products of the repository and its listeners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"

using rtl::String;

namespace {

// ---------------------------------------------------------------------------
// Texts of the string tables

struct TextCase {
  std::uint16_t Id;
  const wchar_t* Text;
};

TEST(ResourceStrings, ReachTheirTextsByReference)
{
  // A backslash and a doubled ampersand stand for themselves; spaces and a
  // no-break space are kept.
  const TextCase cases[] = {
      {scxCantCreateRegistryKey.Identifier, L"Can't create the registry key: \\%s"},
      {scxCantOpenRegistryKey.Identifier, L"Can't open the registry key: \\%s"},
      {scxBuiltInLookAndFeelStyles.Identifier, L"Built-In Look && Feel Styles"},
      {cxSDateMonday.Identifier, L"Monday"},
      {scxQuickCustomizationSortedCommandCaption.Identifier, L"(Sorted)"},
      {64752, L"The number\u00A0of items cannot be greater than 64, if the EditValueFormat is cvfInteger"},
      {64737, L"Select &All"},
      {64413, L"BaseImages is not assigned"},
      {64415, L"%d is an invalid PageIndex value.  PageIndex must be between 0 and %d"},
      {64400, L"Caption"},
      {64491, L"Root"},
      {64709,
       L"This will delete the record of the commands you've used in this application and restore the default set of "
       L"visible commands to the menus and toolbars. It will not undo any explicit customizations.   Are you sure you "
       L"want to proceed?"},
      {64510, L"Reset only &selected tab"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.Id);
    EXPECT_EQ(dxLookupResourceString({c.Id}), c.Text);
  }
  EXPECT_EQ(dxLookupResourceString({1}), L"");
}

// ---------------------------------------------------------------------------
// Products

TEST(ResourceStrings, TheCoreProductHoldsItsStringsWithTheirTexts)
{
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  EXPECT_EQ(repository, dxGetResourceStringsRepository());
  const int index = repository->GetProductIndexByName(L"KvLibrary");
  ASSERT_GE(index, 0);
  const TdxProductResourceStrings* product = repository->GetProducts(index);
  ASSERT_EQ(product->ResStringsCount(), 28);
  for (int i = 0; i < product->ResStringsCount(); ++i) {
    SCOPED_TRACE(product->GetNames(i));
    EXPECT_NE(product->GetValues(i), L"");
  }
  EXPECT_EQ(repository->GetOriginalValue(L"cxSDateNow"), L"now");
  EXPECT_EQ(repository->GetOriginalValue(L"scxLockedStateText"), L"Please wait...");
}

// A page-control product as its strings unit registers it.
void AddPageControlStrings(TdxProductResourceStrings* AProduct)
{
  AProduct->Add(L"scxPCImageListIndexError", {64412});
  AProduct->Add(L"scxPCNoBaseImages", {64413});
  AProduct->Add(L"scxPCNoRegisteredStyles", {64414});
}

int FirstProcedureRuns = 0;
void AddFirstStrings(TdxProductResourceStrings* AProduct)
{
  ++FirstProcedureRuns;
  AProduct->Add(L"Zeta", {64390});
  AProduct->Add(L"alpha", {64391});
  // Already present, in other case: the first reference stays.
  AProduct->Add(L"ALPHA", {64392});
}

void AddSecondStrings(TdxProductResourceStrings* AProduct)
{
  AProduct->Add(L"Beta", {64393});
}

class Products : public testing::Test {
 protected:
  void SetUp() override { FirstProcedureRuns = 0; }
  void TearDown() override
  {
    Repository()->SetOnTranslateResString(nullptr);
    Repository()->UnRegisterProduct(L"KvPageControl");
    Repository()->UnRegisterProduct(L"Test");
  }
  static TdxResourceStringsRepository* Repository() { return dxGetResourceStringsRepository(); }
  static std::vector<String> Names(const TdxProductResourceStrings* AProduct)
  {
    std::vector<String> names;
    for (int i = 0; i < AProduct->ResStringsCount(); ++i)
      names.push_back(AProduct->GetNames(i));
    return names;
  }
};

TEST_F(Products, OneNameTwoProceduresMakeOneProductUntilBothAreGone)
{
  const int count = Repository()->ProductsCount();
  Repository()->RegisterProduct(L"Test", &AddFirstStrings);
  Repository()->RegisterProduct(L"Test", &AddSecondStrings);
  Repository()->RegisterProduct(L"Test", &AddFirstStrings);
  ASSERT_EQ(Repository()->ProductsCount(), count + 1);
  EXPECT_EQ(FirstProcedureRuns, 1);
  const TdxProductResourceStrings* product = Repository()->GetProducts(count);
  EXPECT_EQ(product->GetName(), L"Test");
  EXPECT_EQ(Names(product), std::vector<String>({L"alpha", L"Beta", L"Zeta"}));
  EXPECT_EQ(product->GetValues(product->GetIndexByName(L"Alpha")), dxLookupResourceString({64391}));

  Repository()->UnRegisterProduct(L"Test", &AddFirstStrings);
  EXPECT_EQ(Repository()->GetProductIndexByName(L"Test"), count);
  Repository()->UnRegisterProduct(L"Test", &AddSecondStrings);
  EXPECT_EQ(Repository()->GetProductIndexByName(L"Test"), -1);
  EXPECT_EQ(Repository()->ProductsCount(), count);
}

TEST_F(Products, StringNamesAreFoundIgnoringCaseProductNamesExactly)
{
  Repository()->RegisterProduct(L"KvPageControl", &AddPageControlStrings);
  EXPECT_EQ(Repository()->GetOriginalValue(L"scxPCNoBaseImages"), L"BaseImages is not assigned");
  EXPECT_EQ(Repository()->GetOriginalValue(L"SCXPCNOBASEIMAGES"), L"BaseImages is not assigned");
  EXPECT_EQ(Repository()->GetOriginalValue(L"scxPCNoSuchString"), L"");
  EXPECT_GE(Repository()->GetProductIndexByName(L"KvPageControl"), 0);
  EXPECT_EQ(Repository()->GetProductIndexByName(L"kvpagecontrol"), -1);
  // Not this product: nothing happens.
  Repository()->UnRegisterProduct(L"KVPAGECONTROL");
  EXPECT_GE(Repository()->GetProductIndexByName(L"KvPageControl"), 0);

  TdxProductResourceStrings* product = Repository()->GetProducts(Repository()->GetProductIndexByName(L"KvPageControl"));
  EXPECT_EQ(product->GetIndexByName(L"scxpcnoregisteredstyles"), 2);
  EXPECT_EQ(product->GetIndexByName(L"scxPC"), -1);
  product->Clear();
  EXPECT_EQ(product->ResStringsCount(), 0);
  EXPECT_EQ(Repository()->GetOriginalValue(L"scxPCNoBaseImages"), L"");
}

TEST_F(Products, PositionsOutOfRangeRaise)
{
  Repository()->RegisterProduct(L"KvPageControl", &AddPageControlStrings);
  const TdxProductResourceStrings* product = Repository()->GetProducts(Repository()->GetProductIndexByName(L"KvPageControl"));
  for (int index : {-1, 3}) {
    EXPECT_THROW(product->GetNames(index), rtl::EListError);
    EXPECT_THROW(product->GetValues(index), rtl::EListError);
  }
  EXPECT_THROW(Repository()->GetProducts(Repository()->ProductsCount()), rtl::EListError);
}

struct TranslationLog {
  std::vector<String> Names;
  std::vector<rtl::TResStringRec> References;
  void Translate(const String& AName, rtl::TResStringRec AResString)
  {
    Names.push_back(AName);
    References.push_back(AResString);
  }
};

TEST_F(Products, TranslateHandsEveryStringToTheHandlerProductByProductInNameOrder)
{
  Repository()->RegisterProduct(L"Test", &AddFirstStrings);
  Repository()->RegisterProduct(L"Test", &AddSecondStrings);
  TranslationLog log;
  Repository()->Translate();
  Repository()->GetProducts(0)->Translate();

  Repository()->SetOnTranslateResString(TdxLocalizationTranslateResStringEvent::Bind<&TranslationLog::Translate>(&log));
  Repository()->Translate();
  int total = 0;
  for (int i = 0; i < Repository()->ProductsCount(); ++i)
    total += Repository()->GetProducts(i)->ResStringsCount();
  ASSERT_EQ(static_cast<int>(log.Names.size()), total);
  // The core's product came first; the test product last.
  EXPECT_EQ(Repository()->GetProducts(0)->GetName(), L"KvLibrary");
  EXPECT_EQ(log.Names.front(), L"cxSDateBOM");
  EXPECT_EQ(log.References.front(), cxSDateBOM);
  EXPECT_EQ(std::vector<String>(log.Names.end() - 3, log.Names.end()), std::vector<String>({L"alpha", L"Beta", L"Zeta"}));
  EXPECT_EQ(log.References.back(), rtl::TResStringRec{64390});
}

// ---------------------------------------------------------------------------
// Listeners

struct CountingListener : IdxLocalizerListener {
  std::vector<char>* Calls = nullptr;
  char Name = 0;
  HRESULT __stdcall QueryInterface(REFIID, void** AObject) override
  {
    *AObject = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return ULONG(-1); }
  ULONG __stdcall Release() override { return ULONG(-1); }
  void __stdcall TranslationChanged() override { Calls->push_back(Name); }
};

TEST(ResourceStringListeners, AreToldOnceEachInOrderOfAddition)
{
  std::vector<char> calls;
  CountingListener a, b;
  a.Calls = b.Calls = &calls;
  a.Name = 'a';
  b.Name = 'b';
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  repository->AddListener(&a);
  repository->AddListener(&b);
  repository->AddListener(&a);
  repository->NotifyListeners();
  EXPECT_EQ(calls, std::vector<char>({'a', 'b'}));

  repository->RemoveListener(&a);
  repository->RemoveListener(&a);
  repository->NotifyListeners();
  EXPECT_EQ(calls, std::vector<char>({'a', 'b', 'b'}));
  repository->RemoveListener(&b);
  repository->NotifyListeners();
  EXPECT_EQ(calls.size(), 3u);
}

// Removes listeners (itself among them) when told, as a control that goes
// away during a translation change does.
struct RemovingListener : CountingListener {
  std::vector<IdxLocalizerListener*> ToRemove;
  void __stdcall TranslationChanged() override
  {
    CountingListener::TranslationChanged();
    for (IdxLocalizerListener* listener : ToRemove)
      dxGetResourceStringsRepository()->RemoveListener(listener);
  }
};

TEST(ResourceStringListeners, ListenersRemovedWhileToldSkipNoOneStillListening)
{
  std::vector<char> calls;
  RemovingListener a, b;
  CountingListener c;
  a.Calls = b.Calls = c.Calls = &calls;
  a.Name = 'a';
  b.Name = 'b';
  c.Name = 'c';
  a.ToRemove = {&a};
  b.ToRemove = {&c};
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  repository->AddListener(&a);
  repository->AddListener(&b);
  repository->AddListener(&c);
  // a leaves and b is still told; b removes c before its turn.
  repository->NotifyListeners();
  EXPECT_EQ(calls, std::vector<char>({'a', 'b'}));
  repository->RemoveListener(&b);
  repository->NotifyListeners();
  EXPECT_EQ(calls.size(), 2u);
}

}  // namespace
