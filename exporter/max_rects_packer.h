#pragma once

#include <cstddef>
#include <vector>

#include "exporter/picture_trim.h"

// Places rectangles in one bin without overlap, keeping the list of maximal free rectangles and
// choosing for each new rectangle the free one it leaves the shortest side of (best short side
// fit, ties by the long side). Rectangles are never rotated.
class CMaxRectsPacker {
 public:
  CMaxRectsPacker(int width, int height);

  // Places a w × h rectangle; false, with the bin unchanged, when it fits nowhere.
  bool Insert(int w, int h, int* x, int* y);

 private:
  // Replaces every free rectangle that `used` overlaps by the parts of it left around `used`.
  void SplitFreeAround(const CPixelRect& used);
  // Drops free rectangles that lie inside another; only the ones from `first_new` on can be
  // contained in or contain others, as the older ones were maximal already.
  void PruneFrom(size_t first_new);

  std::vector<CPixelRect> m_Free;
};
