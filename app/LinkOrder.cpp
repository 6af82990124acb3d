#include "app/LinkOrder.h"

#include "core/cxLibraryStrs.h"
#include "core/dxCore.h"
#include "core/dxDPIAwareUtils.h"

namespace {

constinit const rtl::UnitInfo* const Units[] = {
    &unit_dxCore,
    &unit_cxLibraryStrs,
    &unit_dxDPIAwareUtils,
};

}  // namespace

std::span<const rtl::UnitInfo* const> LinkOrder()
{
  return Units;
}
