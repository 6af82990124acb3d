// The Buttons unit: the types the framework's glyph buttons share with the
// system's own buttons.
//   TButtonLayout: where a glyph sits beside the caption
//   TNumGlyphs: how many state pictures a glyph strip holds (1..4)
#pragma once

#include "platform/rtl/SystemTypes.h"

namespace vcl {

RTL_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
using TNumGlyphs = int;

}  // namespace vcl
