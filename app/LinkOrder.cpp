#include "app/LinkOrder.h"

#include "controls/cxControls.h"
#include "controls/dxDWMApi.h"
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
#include "platform/vcl/Clipbrd.h"
#include "platform/vcl/Controls.h"
#include "skins/dxSkinsCore.h"

namespace {

using vcl::unit_Clipbrd;
using vcl::unit_Controls;

#define KV_LINK_ORDER_RECORD(AUnit) &unit_##AUnit,
constinit const rtl::UnitInfo* const Units[] = {KV_LINK_ORDER(KV_LINK_ORDER_RECORD)};
#undef KV_LINK_ORDER_RECORD

}  // namespace

std::span<const rtl::UnitInfo* const> LinkOrder()
{
  return Units;
}
