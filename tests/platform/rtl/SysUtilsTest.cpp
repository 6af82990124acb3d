#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

using namespace rtl;

TEST(Exceptions, KeepMessageAndClassName)
{
  try {
    throw EArgumentOutOfRangeException(L"points");
  } catch (const EArgumentException& e) {
    EXPECT_EQ(e.Message(), L"points");
    EXPECT_STREQ(e.ClassName(), L"EArgumentOutOfRangeException");
  }
  EXPECT_THROW(Abort(), EAbort);
}

TEST(Exceptions, RaiseLastOSErrorCarriesTheCode)
{
  try {
    RaiseLastOSError(ERROR_FILE_NOT_FOUND);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), unsigned(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(e.Message().rfind(L"System Error.  Code: 2.\r\n", 0), 0u) << testing::PrintToString(e.Message());
  }
  try {
    RaiseLastOSError(0);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Message(), L"A call to an OS function failed");
  }
}

TEST(Finally, RunsOnNormalExitAndWhenAnExceptionPasses)
{
  int runs = 0;
  {
    Finally f([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        Finally f([&] { ++runs; });
        throw EConvertError(L"x");
      },
      EConvertError);
  EXPECT_EQ(runs, 2);
}
