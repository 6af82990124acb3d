// A unit is linked only when something refers to it. The image animation
// controller is installed by the cxGraphics unit's start-up, which a program
// testing only the smart image and its clipboard would otherwise not link.
#include "platform/rtl/SystemUnits.h"

RTL_DECLARE_UNIT(cxGraphics);
[[gnu::used]] static const rtl::UnitInfo* const kGraphicsTestUnits[] = {&unit_cxGraphics};
