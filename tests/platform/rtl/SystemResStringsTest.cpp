#include "platform/rtl/SystemResStrings.h"

#include <gtest/gtest.h>

using namespace rtl;

TEST(ResourceStrings, LoadByIdentifierFromTheProgramsStringTable)
{
  EXPECT_EQ(LoadResString({65142}), L"Can't create the registry key: %s");
  EXPECT_EQ(LoadResString({65143}), L"Grüße, \u201Cquoted\u201D");
}

TEST(ResourceStrings, UnknownOrEmptyStringGivesEmptyText)
{
  EXPECT_EQ(LoadResString({4242}), L"");
  EXPECT_EQ(LoadResString({7}), L"");
}
