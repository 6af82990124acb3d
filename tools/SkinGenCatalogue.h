#pragma once
// The catalogue of the skin generator: every control group, element and
// colour a skin carries, as rows of a table. A row names its elements, their
// shape (the archetype), their states and image count, and options in a few
// words; the package builder turns each row into elements for every theme.

#include <span>

namespace skingen {

// P plain fill, F textured face, T textured with transparent rest states,
// K picture, G glyph only, B opaque caption or frame band, L line,
// X an element this system does not draw (a plain face).
enum class TArchetype { P, F, T, K, G, B, L, X };

struct TCatalogueRow {
  const char* Group;
  // Space-separated names sharing the row.
  const char* Elements;
  TArchetype Kind;
  // BM, 4S, TS, FR, CB, GS, or states joined by '+' (N, H, P, D, Active,
  // Focused, Checked, HotCheck, ActiveDisabled, CheckPressed).
  const char* States;
  int ImageCount;
  // Space-separated: G (a glyph), Col=<role>, Txt=<role>, Bd, CO=<n> or
  // CO=<l,t,r,b>, Min=<w,h>, Frame=<w,h> (texture frame), Sym=<a/b/...>
  // (symbol per image index), GTC (state text colours), c:<name>=<role>,
  // a:<name>=<role>/<alpha>, i:<name>=<value>, Face=<role> (normal face).
  const char* Options;
};

// A colour of a group ("" for the skin's own colours): a role, or with an
// alpha for translucent colours (the alpha goes into "<name>Alpha").
struct TCatalogueColor {
  const char* Group;
  const char* Name;
  const char* Role;
  int Alpha = 255;
};

std::span<const TCatalogueRow> CatalogueElements();
std::span<const TCatalogueColor> CatalogueColors();

}  // namespace skingen
