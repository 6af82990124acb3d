// The culture names of the core unit: the language tag of each Windows
// locale identifier the Windows reference lists (376 of them), kept from the
// unit's start-up to its finish.
#pragma once

#include <cstdint>

#include "platform/rtl/System.h"

void dxCultureNamesInitialize();
void dxCultureNamesFinalize();
// 0 outside the unit's lifetime.
int dxCultureNameCount();
// False for an identifier the map lacks (or outside the unit's lifetime).
bool dxTryGetCultureName(std::uint32_t ALCID, rtl::String& AName);
