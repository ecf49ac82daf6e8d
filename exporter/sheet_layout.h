#pragma once

#include <vector>

#include "exporter/picture_trim.h"

// Where the pictures of a sprite sheet go: the pages and each picture's page and place.
struct CSheetLayout {
  struct CSlot {
    int page = 0;
    int x = 0;
    int y = 0;
  };
  std::vector<CPixelRect> pages;  // each page's size in w and h
  std::vector<CSlot> slots;       // parallel to the pictures laid out
};

// The largest page side allowed: `max_size`, or with `power_of_two` the largest power of two
// not above it.
int LargestPageSide(int max_size, bool power_of_two);

// Lays out pictures of the sizes in `sizes` (w and h, each at most LargestPageSide) with
// `padding` pixels between them. Pictures go largest first into the first open page they fit;
// a page opens only when a picture fits none. The last page is then packed again into the
// smallest page that holds its pictures, so a sheet with one page is as small as it can be.
CSheetLayout LayoutSheet(const std::vector<CPixelRect>& sizes, int padding, int max_size,
                         bool power_of_two);
