#include "app/LinkOrder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/dxCore.h"

namespace {

TEST(LinkOrder, ListsEveryLinkedUnitOnce)
{
  EXPECT_EQ(rtl::CheckLinkOrder(LinkOrder(), rtl::LinkedUnits()), "");
}

TEST(LinkOrder, StartsWithTheCore)
{
  ASSERT_FALSE(LinkOrder().empty());
  EXPECT_STREQ(LinkOrder().front()->name, "dxCore");
}

TEST(LinkOrder, StartsAndFinishesTheProgramsUnits)
{
  rtl::InitUnits(LinkOrder());
  EXPECT_TRUE(dxOSIsNTFamily);
  EXPECT_GE(dxGetResourceStringsRepository()->GetProductIndexByName(L"KvLibrary"), 0);
  EXPECT_EQ(dxGetResourceStringsRepository()->GetOriginalValue(L"cxSDateToday"), L"today");
  EXPECT_NO_THROW(rtl::FinalizeUnits());
}

}  // namespace
