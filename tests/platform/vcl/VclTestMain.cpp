// The library tests run with the units they link started (the clipboard's,
// which frees its object at the end), in the program's order.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/LinkOrder.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  try {
    // The units this program links, in the program's order.
    const std::vector<const rtl::UnitInfo*> units = rtl::OrderUnits(rtl::LinkedUnits(), kLinkOrderNames);
    rtl::InitUnits(units);
    const int result = RUN_ALL_TESTS();
    rtl::FinalizeUnits();
    return result;
  } catch (const rtl::Exception& E) {
    std::fprintf(stderr, "%ls: %ls\n", E.ClassName(), E.Message().c_str());
    return 1;
  }
}
