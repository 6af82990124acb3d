// The main of every test program that tests units of the system: the units
// it links start in the program's order (the one link-order table, which
// also refuses a linked unit it does not list), as the program runs them.
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
