// The core tests run with the core's units started, as the program runs its
// code: the operating-system flags set, the products registered.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/cxLibraryStrs.h"
#include "core/dxAnimation.h"
#include "core/dxCore.h"
#include "core/dxGenerics.h"
#include "core/dxThreading.h"
#include "platform/rtl/SystemUnits.h"

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  // In the program's relative order.
  static constinit const rtl::UnitInfo* const units[] = {&unit_dxCore, &unit_dxGenerics, &unit_cxClasses, &unit_cxGeometry,
                                                         &unit_cxLibraryStrs, &unit_dxThreading, &unit_dxAnimation};
  try {
    rtl::InitUnits(units);
    const int result = RUN_ALL_TESTS();
    rtl::FinalizeUnits();
    return result;
  } catch (const rtl::Exception& E) {
    std::fprintf(stderr, "%ls: %ls\n", E.ClassName(), E.Message().c_str());
    return 1;
  }
}
