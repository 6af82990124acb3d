#include "app/LinkOrder.h"

#include "core/cxClasses.h"
#include "core/cxGeometry.h"
#include "core/cxLibraryStrs.h"
#include "core/dxAnimation.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"
#include "core/dxGenerics.h"
#include "core/dxHooks.h"
#include "core/dxThreading.h"
#include "core/dxThemeManager.h"
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

namespace {

constinit const rtl::UnitInfo* const Units[] = {
    &unit_dxCore,
    &unit_dxGenerics,
    &unit_cxClasses,
    &unit_cxGeometry,
    &unit_cxLibraryStrs,
    &unit_dxThreading,
    &unit_dxDPIAwareUtils,
    &unit_dxHooks,
    &unit_dxUxTheme,
    &unit_dxThemeManager,
    &unit_dxAnimation,
    &unit_dxCoreGraphics,
    &unit_dxGDIPlusAPI,
    &unit_dxGDIPlusClasses,
    &unit_cxGraphicsColors,
    &unit_cxGraphicsBitmaps,
    &unit_cxGraphics,
    &unit_cxDrawTextUtils,
    &unit_dxOffice11,
    &unit_dxFading,
    &unit_cxLookAndFeelPainters,
    &unit_cxLookAndFeels,
};

}  // namespace

std::span<const rtl::UnitInfo* const> LinkOrder()
{
  return Units;
}
