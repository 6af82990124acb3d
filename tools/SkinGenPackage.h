#pragma once
// Builds the skin of one theme on the system's own object model, so that
// the system's writer writes the package.

#include <cstdint>
#include <vector>

#include "tools/SkinGenThemes.h"

class TdxSkin;

namespace skingen {

// A new skin the caller owns, complete and saved by nothing yet.
TdxSkin* BuildSkin(const TTheme& ATheme);

// The package of a skin BuildSkin made, as the skin core's writer writes it,
// with the theme's icons put in. The icons of raster skins are BMP, which the
// system's image type decodes as it reads them: given to the skin, they
// would be written back as PNG.
std::vector<std::uint8_t> PackageBytes(TdxSkin* ASkin, const TTheme& ATheme);

// The skin icons: 16 and 48 pixels of the theme's colours.
std::vector<std::uint8_t> SkinIcon(const TTheme& ATheme, int ASize);
// The icons of a package that carries none.
std::vector<std::uint8_t> DefaultSkinIcon(int ASize);

}  // namespace skingen
