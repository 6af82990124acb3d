#include "editors/cxDataConsts.h"

#include <gtest/gtest.h>

#include "core/dxCore.h"
#include "editors/cxFilterConsts.h"
#include "editors/cxFilterControlStrs.h"

namespace {

TEST(DataAndFilterStrings, EachGroupIsAProductWithItsTexts)
{
  struct TCase {
    const wchar_t* Product;
    int Count;
    const wchar_t* Name;
    const wchar_t* Text;
  };
  const TCase cases[] = {
      {L"KvDataController", 12, L"cxSDBKeyFieldNotFound", L"Key Field not found"},
      {L"KvDataFilter", 50, L"cxSFilterOperatorEqual", L"equals"},
      {L"KvDataFilter", 50, L"cxSFilterBoxCustomCaption", L"(Custom...)"},
      {L"KvFilterControl", 35, L"cxSFilterBoolOperatorNotOr", L"NOT OR"},
      {L"KvFilterControl", 35, L"cxSFilterControlDialogFileFilter", L"Filters (*.flt)|*.flt"},
  };
  // Names the units, so that the linker brings them in.
  ASSERT_STREQ(unit_cxDataConsts.name, "cxDataConsts");
  ASSERT_STREQ(unit_cxFilterConsts.name, "cxFilterConsts");
  ASSERT_STREQ(unit_cxFilterControlStrs.name, "cxFilterControlStrs");
  TdxResourceStringsRepository* repository = dxGetResourceStringsRepository();
  for (const TCase& c : cases) {
    const int index = repository->GetProductIndexByName(c.Product);
    ASSERT_GE(index, 0) << c.Product;
    TdxProductResourceStrings* product = repository->GetProducts(index);
    EXPECT_EQ(product->ResStringsCount(), c.Count) << c.Product;
    const int item = product->GetIndexByName(c.Name);
    ASSERT_GE(item, 0) << c.Name;
    EXPECT_EQ(product->GetValues(item), c.Text);
  }
}

}  // namespace
