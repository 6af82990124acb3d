// Resource strings: texts kept in the program's string tables under fixed ids
// and loaded when used, so that a translated resource replaces them all.
#pragma once

#include <cstdint>

#include "platform/rtl/SystemTypes.h"

namespace rtl {

// A reference to one resource string of the program's module.
struct TResStringRec {
  uint16_t Identifier;

  constexpr bool operator==(const TResStringRec&) const = default;
};

// The text of the string; empty when the module has no string of that id.
String LoadResString(TResStringRec AString);

}  // namespace rtl
