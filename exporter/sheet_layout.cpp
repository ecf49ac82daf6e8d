#include "exporter/sheet_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <utility>

#include "exporter/max_rects_packer.h"

namespace {

int NextPowerOfTwo(int value) {
  int power = 1;
  while (power < value) {
    power *= 2;
  }
  return power;
}

// Packs the pictures `order` names into one width × height page; false when one does not fit.
bool PackPage(const std::vector<CPixelRect>& sizes, const std::vector<size_t>& order, int padding,
              int width, int height, std::vector<CSheetLayout::CSlot>* slots, int page) {
  // Each picture takes its padding on the right and below, so the bin is that much larger than
  // the page and pictures on the page's far edges need none.
  CMaxRectsPacker packer(width + padding, height + padding);
  std::vector<CSheetLayout::CSlot> placed;
  for (const size_t index : order) {
    CSheetLayout::CSlot slot{page, 0, 0};
    if (!packer.Insert(sizes[index].w + padding, sizes[index].h + padding, &slot.x, &slot.y)) {
      return false;
    }
    placed.push_back(slot);
  }
  for (size_t i = 0; i < order.size(); ++i) {
    (*slots)[order[i]] = placed[i];
  }
  return true;
}

// The page sizes worth trying for `order`, smallest first, all within `limit`.
std::vector<std::pair<int, int>> CandidatePages(const std::vector<CPixelRect>& sizes,
                                                const std::vector<size_t>& order, int padding,
                                                int limit, bool power_of_two) {
  int64_t area = 0;
  int widest = 1;
  int tallest = 1;
  for (const size_t index : order) {
    area += static_cast<int64_t>(sizes[index].w + padding) * (sizes[index].h + padding);
    widest = std::max(widest, sizes[index].w);
    tallest = std::max(tallest, sizes[index].h);
  }
  std::vector<std::pair<int, int>> pages;
  if (power_of_two) {
    for (int w = NextPowerOfTwo(widest); w <= limit; w *= 2) {
      for (int h = NextPowerOfTwo(tallest); h <= limit; h *= 2) {
        if (static_cast<int64_t>(w + padding) * (h + padding) >= area) {
          pages.emplace_back(w, h);
        }
      }
    }
    std::sort(pages.begin(), pages.end(), [](const auto& a, const auto& b) {
      const int64_t area_a = static_cast<int64_t>(a.first) * a.second;
      const int64_t area_b = static_cast<int64_t>(b.first) * b.second;
      if (area_a != area_b) {
        return area_a < area_b;
      }
      return std::max(a.first, a.second) < std::max(b.first, b.second);
    });
    return pages;
  }
  // Square pages growing by a twentieth at a time from the side the area asks for at least.
  int side = static_cast<int>(std::sqrt(static_cast<double>(area))) - padding;
  for (;;) {
    const int w = std::min(limit, std::max(side, widest));
    const int h = std::min(limit, std::max(side, tallest));
    pages.emplace_back(w, h);
    if (w == limit && h == limit) {
      return pages;
    }
    side += std::max(1, side / 20);
  }
}

}  // namespace

int LargestPageSide(int max_size, bool power_of_two) {
  if (!power_of_two || max_size < 1) {
    return max_size;
  }
  int power = 1;
  while (power <= max_size / 2) {
    power *= 2;
  }
  return power;
}

CSheetLayout LayoutSheet(const std::vector<CPixelRect>& sizes, int padding, int max_size,
                         bool power_of_two) {
  const int limit = LargestPageSide(max_size, power_of_two);
  std::vector<size_t> order(sizes.size());
  std::iota(order.begin(), order.end(), size_t{0});
  // Largest first: the big pictures decide a page's shape, the small ones fill the gaps.
  std::stable_sort(order.begin(), order.end(), [&sizes](size_t a, size_t b) {
    const int side_a = std::max(sizes[a].w, sizes[a].h);
    const int side_b = std::max(sizes[b].w, sizes[b].h);
    if (side_a != side_b) {
      return side_a > side_b;
    }
    return static_cast<int64_t>(sizes[a].w) * sizes[a].h >
           static_cast<int64_t>(sizes[b].w) * sizes[b].h;
  });

  CSheetLayout layout;
  layout.slots.resize(sizes.size());
  std::vector<CMaxRectsPacker> packers;
  std::vector<std::vector<size_t>> page_items;
  for (const size_t index : order) {
    CSheetLayout::CSlot& slot = layout.slots[index];
    bool placed = false;
    for (size_t page = 0; page < packers.size() && !placed; ++page) {
      placed = packers[page].Insert(sizes[index].w + padding, sizes[index].h + padding, &slot.x,
                                    &slot.y);
      if (placed) {
        slot.page = static_cast<int>(page);
        page_items[page].push_back(index);
      }
    }
    if (!placed) {
      packers.emplace_back(limit + padding, limit + padding);
      page_items.emplace_back(1, index);
      slot.page = static_cast<int>(packers.size() - 1);
      packers.back().Insert(sizes[index].w + padding, sizes[index].h + padding, &slot.x, &slot.y);
    }
  }

  if (!page_items.empty()) {
    const int last = static_cast<int>(page_items.size() - 1);
    for (const auto& [w, h] :
         CandidatePages(sizes, page_items.back(), padding, limit, power_of_two)) {
      if (PackPage(sizes, page_items.back(), padding, w, h, &layout.slots, last)) {
        break;
      }
    }
  }

  layout.pages.resize(page_items.size());
  for (size_t index = 0; index < sizes.size(); ++index) {
    const CSheetLayout::CSlot& slot = layout.slots[index];
    CPixelRect& page = layout.pages[slot.page];
    page.w = std::max(page.w, slot.x + sizes[index].w);
    page.h = std::max(page.h, slot.y + sizes[index].h);
  }
  if (power_of_two) {
    for (CPixelRect& page : layout.pages) {
      page.w = NextPowerOfTwo(page.w);
      page.h = NextPowerOfTwo(page.h);
    }
  }
  return layout;
}
