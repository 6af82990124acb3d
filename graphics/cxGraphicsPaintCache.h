// The image-list paint cache of the graphics unit: images of a list prepared
// once per size and drawing variant (draw mode, palette, smoothing,
// transparency) and kept as 2-D graphics images, so that a toolbar drawn
// again does not run the image pipeline for every button. At most two sizes
// per monitor are kept per list: sizes differ per monitor DPI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "graphics/cxGraphicsDraw.h"
#include "platform/vcl/Graphics.h"

namespace vcl {
class TCustomImageList;
}

// What a prepared image depends on, compared and hashed as raw bytes.
#pragma pack(push, 1)
struct TdxDrawImageCacheID {
  TcxImageDrawMode DrawMode;
  vcl::TGraphic* Glyph;
  std::int32_t ImageIndex;
  vcl::TCustomImageList* ImageList;
  GUID PaletteID;
  bool SmoothImage;
  vcl::TColor TransparentColor;
  bool UseLeftBottomPixelAsTransparent;
};
#pragma pack(pop)
static_assert(sizeof(TdxDrawImageCacheID) == 35);

class TdxImageListPaintCache {
 public:
  TdxImageListPaintCache() = delete;

  // Image AIndex of AImages prepared at ABounds' size (once) and drawn
  // there.
  static void Draw(TcxCanvas* ACanvas, const TRect& ABounds, vcl::TCustomImageList* AImages, bool ASmoothImage,
                   IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent, TcxImageDrawMode ADrawMode,
                   int AIndex);
  // The list's prepared images are forgotten.
  static void InvalidateImageList(vcl::TCustomImageList* AImages);
  // How many sizes of the list have prepared images, for tests.
  static int GetCachedSizeCount(vcl::TCustomImageList* AImages);
  // Frees every cache; the graphics unit's finish step.
  static void Finalize();
};
