// The program's units in link order: they start in this order and finish in
// the reverse one. A unit that uses another comes after it; the core first.
#pragma once

#include <span>

#include "platform/rtl/SystemUnits.h"

std::span<const rtl::UnitInfo* const> LinkOrder();
