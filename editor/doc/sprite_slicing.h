#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/blt_fx.h"
#include "core/foundation/rect.h"

// Finding module rectangles in a texture by themselves: cells of a regular grid, or the tight
// boxes of the sprites drawn on a sheet. Rectangles are in texture pixels, right and bottom
// exclusive, as modules keep them.

// Pixels as the cutting view's driver holds them: premultiplied 0xAARRGGBB, top row first, rows
// `stride` pixels apart.
struct CSliceImage {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  bool IsValid() const { return pixels != nullptr && width > 0 && height > 0 && stride >= width; }
  const uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Whether the drivers draw the texel: not fully transparent, and not the opaque colour key, which
// a keyed draw leaves out (images without an alpha channel already have alpha 0 there).
inline bool IsDrawnTexel(uint32_t argb) {
  return (argb >> 24) != 0 && argb != (0xFF000000u | kColorKeyMagenta);
}

// No more rectangles than a module index can name are ever produced.
inline constexpr int kMaxSlices = 0xFFFF;

struct CGridSlicing {
  int cellWidth = 32;
  int cellHeight = 32;
  int offsetX = 0;
  int offsetY = 0;
  // Texels left out between two cells.
  int spacingX = 0;
  int spacingY = 0;
  // Cells without one drawn texel are left out.
  bool skipEmpty = true;
};

struct CRegionSlicing {
  // Boxes with fewer than this many texels between them, across and down, become one box (0
  // merges nothing); merged boxes are checked again against the rest.
  int mergeDistance = 1;
  // Boxes narrower and lower than this many texels are dropped, after merging.
  int minSize = 2;
};

// The whole cells of the grid inside the image, row by row. False, with no rectangles, for a
// cell size below 1, a negative offset or spacing, or more cells than kMaxSlices.
bool SliceByGrid(const CSliceImage& image, const CGridSlicing& grid, std::vector<URect>* cells);

// The tight box of every 8-connected region of drawn texels, merged and filtered as `regions`
// says, ordered by top, then left. One pass over the pixels joins runs of drawn texels row by
// row, so memory grows with the regions, not the pixels. False, with no rectangles, for an
// invalid image or when more than kMaxSlices boxes remain (or the sheet holds so many regions
// that even merging could not bring them down to a number worth keeping).
bool SliceByRegions(const CSliceImage& image, const CRegionSlicing& regions,
                    std::vector<URect>* boxes);
