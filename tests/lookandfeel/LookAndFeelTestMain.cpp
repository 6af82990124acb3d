// The look-and-feel tests run with the units they use started, in the
// program's relative order: the core, the graphics, then the painters and
// the look and feels.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/cxLibraryStrs.h"
#include "core/dxAnimation.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxGenerics.h"
#include "core/dxHooks.h"
#include "core/dxThemeManager.h"
#include "core/dxThreading.h"
#include "core/dxUxTheme.h"
#include "graphics/cxDrawTextUtils.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsBitmaps.h"
#include "graphics/cxGraphicsColors.h"
#include "graphics/dxCoreGraphics.h"
#include "graphics/dxFading.h"
#include "graphics/dxGDIPlusAPI.h"
#include "graphics/dxGDIPlusClasses.h"
#include "graphics/dxOffice11.h"
#include "lookandfeel/cxLookAndFeelPainters.h"
#include "lookandfeel/cxLookAndFeels.h"
#include "platform/rtl/SystemUnits.h"

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  static constinit const rtl::UnitInfo* const units[] = {
      &unit_dxCore,           &unit_dxGenerics,         &unit_cxClasses,       &unit_cxGeometry,
      &unit_cxLibraryStrs,    &unit_dxThreading,        &unit_dxDPIAwareUtils, &unit_dxHooks,
      &unit_dxUxTheme,        &unit_dxThemeManager,     &unit_dxAnimation,     &unit_dxCoreGraphics,
      &unit_dxGDIPlusAPI,     &unit_dxGDIPlusClasses,   &unit_cxGraphicsColors, &unit_cxGraphicsBitmaps,
      &unit_cxGraphics,       &unit_cxDrawTextUtils,    &unit_dxOffice11,      &unit_dxFading,
      &unit_cxLookAndFeelPainters, &unit_cxLookAndFeels};
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
