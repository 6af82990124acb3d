// The graphics tests run with the units they use started, in the program's
// relative order: the core first, then the graphics units.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/dxCore.h"
#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClassesImages.h"
#include "platform/rtl/SystemUnits.h"

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  static constinit const rtl::UnitInfo* const units[] = {&unit_dxCore, &unit_dxCoreGraphics, &unit_dxGDIPlusAPI,
                                                           &unit_cxGraphicsColors, &unit_cxGraphicsBitmaps,
                                                           &unit_cxGraphics, &unit_cxDrawTextUtils,
                                                           &unit_dxGDIPlusClasses};
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
