// The graphics tests run with the units they link started, in the program's
// order: the core first, then the graphics units.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/LinkOrder.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SystemUnits.h"

// A unit is linked only when something refers to it. The image animation
// controller is installed by the cxGraphics unit's start-up, which a program
// testing only the smart image and its clipboard would otherwise not link.
RTL_DECLARE_UNIT(cxGraphics);
[[gnu::used]] static const rtl::UnitInfo* const kGraphicsTestUnits[] = {&unit_cxGraphics};

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
