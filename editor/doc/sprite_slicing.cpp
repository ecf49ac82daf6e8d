#include "editor/doc/sprite_slicing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Regions the labelling keeps track of at most: beyond this a sheet is noise, not sprites, and
// the labels alone would cost tens of megabytes.
constexpr uint32_t kMaxLabels = uint32_t{1} << 21;

// A plain box (no virtual table, unlike URect) for the inner loops.
struct CBox {
  int left;
  int top;
  int right;
  int bottom;

  void Add(const CBox& other) {
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
  }
};

// A run of drawn texels in one row, [begin, end), and the region it belongs to.
struct CRun {
  int begin;
  int end;
  uint32_t label;
};

// Union-find over region labels, each root holding the box of its region.
class CRegionSets {
 public:
  bool Full() const { return m_Parent.size() >= kMaxLabels; }

  uint32_t Add(const CBox& box) {
    m_Parent.push_back(static_cast<uint32_t>(m_Parent.size()));
    m_Boxes.push_back(box);
    return m_Parent.back();
  }

  uint32_t Find(uint32_t label) {
    while (m_Parent[label] != label) {
      m_Parent[label] = m_Parent[m_Parent[label]];
      label = m_Parent[label];
    }
    return label;
  }

  // Joins the sets of two roots; returns the root that remains.
  uint32_t Join(uint32_t a, uint32_t b) {
    if (a == b) {
      return a;
    }
    const uint32_t root = std::min(a, b);
    const uint32_t child = std::max(a, b);
    m_Parent[child] = root;
    m_Boxes[root].Add(m_Boxes[child]);
    return root;
  }

  void Grow(uint32_t root, const CBox& box) { m_Boxes[root].Add(box); }

  // The box of every region.
  std::vector<CBox> Regions() {
    std::vector<CBox> regions;
    for (uint32_t label = 0; label < m_Parent.size(); ++label) {
      if (m_Parent[label] == label) {
        regions.push_back(m_Boxes[label]);
      }
    }
    return regions;
  }

 private:
  std::vector<uint32_t> m_Parent;
  std::vector<CBox> m_Boxes;
};

// Appends the runs of drawn texels of `row` to `runs`.
void FindRuns(const uint32_t* row, int width, std::vector<CRun>* runs) {
  int x = 0;
  while (x < width) {
    while (x < width && !IsDrawnTexel(row[x])) {
      ++x;
    }
    const int begin = x;
    while (x < width && IsDrawnTexel(row[x])) {
      ++x;
    }
    if (x > begin) {
      runs->push_back(CRun{begin, x, 0});
    }
  }
}

// Labels the runs of row `y` from those of the row above: a run joins every run above that
// touches it, diagonals included. Both lists are ordered by x, so one sweep finds the pairs.
bool LabelRow(int y, const std::vector<CRun>& above, std::vector<CRun>* runs, CRegionSets* sets) {
  size_t first = 0;
  for (CRun& run : *runs) {
    const CBox box{run.begin, y, run.end, y + 1};
    // Runs above that end before this one's diagonal neighbour touch no later run either.
    while (first < above.size() && above[first].end < run.begin) {
      ++first;
    }
    uint32_t root = UINT32_MAX;
    for (size_t i = first; i < above.size() && above[i].begin <= run.end; ++i) {
      const uint32_t other = sets->Find(above[i].label);
      root = root == UINT32_MAX ? other : sets->Join(root, other);
    }
    if (root == UINT32_MAX) {
      if (sets->Full()) {
        return false;
      }
      root = sets->Add(box);
    } else {
      sets->Grow(root, box);
    }
    run.label = root;
  }
  return true;
}

// Fewer than `distance` texels lie between the boxes, across and down.
bool Near(const CBox& a, const CBox& b, int distance) {
  const int gapX = std::max(a.left - b.right, b.left - a.right);
  const int gapY = std::max(a.top - b.bottom, b.top - a.bottom);
  return gapX < distance && gapY < distance;
}

// One pass of merging: boxes go into the buckets of a coarse grid that their reach (the box
// grown by `distance`) covers, and only boxes sharing a bucket are compared, so sprites spread
// over a sheet cost about one comparison each. Returns whether anything merged.
bool MergePass(std::vector<CBox>* boxes, int distance) {
  const size_t count = boxes->size();
  // Buckets about the size of an average box keep few boxes in each.
  int64_t sizes = 0;
  CBox extent = (*boxes)[0];
  for (const CBox& box : *boxes) {
    sizes += std::max(box.right - box.left, box.bottom - box.top);
    extent.Add(box);
  }
  const int cell =
      static_cast<int>(std::max<int64_t>(sizes / static_cast<int64_t>(count) + distance, 8));
  const int left = extent.left - distance;
  const int top = extent.top - distance;
  const int columns = (extent.right + distance - left) / cell + 1;
  const int rows = (extent.bottom + distance - top) / cell + 1;

  // The buckets as one list of box indices ordered by bucket (a counting sort), with no
  // allocation per bucket.
  auto forEachCell = [&](const CBox& box, auto&& visit) {
    const int x0 = (box.left - distance - left) / cell;
    const int x1 = (box.right - 1 + distance - left) / cell;
    const int y0 = (box.top - distance - top) / cell;
    const int y1 = (box.bottom - 1 + distance - top) / cell;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        visit(static_cast<size_t>(y) * static_cast<size_t>(columns) + static_cast<size_t>(x));
      }
    }
  };
  std::vector<uint32_t> starts(static_cast<size_t>(columns) * static_cast<size_t>(rows) + 1, 0);
  for (const CBox& box : *boxes) {
    forEachCell(box, [&](size_t bucket) { ++starts[bucket + 1]; });
  }
  for (size_t i = 1; i < starts.size(); ++i) {
    starts[i] += starts[i - 1];
  }
  std::vector<uint32_t> members(starts.back());
  std::vector<uint32_t> filled(starts.begin(), starts.end() - 1);
  for (uint32_t index = 0; index < count; ++index) {
    forEachCell((*boxes)[index], [&](size_t bucket) { members[filled[bucket]++] = index; });
  }

  CRegionSets sets;
  for (const CBox& box : *boxes) {
    sets.Add(box);
  }
  bool merged = false;
  for (size_t bucket = 0; bucket + 1 < starts.size(); ++bucket) {
    for (uint32_t i = starts[bucket]; i < starts[bucket + 1]; ++i) {
      for (uint32_t j = i + 1; j < starts[bucket + 1]; ++j) {
        const uint32_t a = members[i];
        const uint32_t b = members[j];
        if (Near((*boxes)[a], (*boxes)[b], distance)) {
          const uint32_t rootA = sets.Find(a);
          const uint32_t rootB = sets.Find(b);
          merged = merged || rootA != rootB;
          sets.Join(rootA, rootB);
        }
      }
    }
  }
  if (merged) {
    *boxes = sets.Regions();
  }
  return merged;
}

}  // namespace

bool SliceByGrid(const CSliceImage& image, const CGridSlicing& grid, std::vector<URect>* cells) {
  cells->clear();
  if (!image.IsValid() || grid.cellWidth < 1 || grid.cellHeight < 1 || grid.offsetX < 0 ||
      grid.offsetY < 0 || grid.spacingX < 0 || grid.spacingY < 0) {
    return false;
  }
  const int64_t stepX = int64_t{grid.cellWidth} + grid.spacingX;
  const int64_t stepY = int64_t{grid.cellHeight} + grid.spacingY;
  const int64_t fitX = image.width - int64_t{grid.offsetX} - grid.cellWidth;
  const int64_t fitY = image.height - int64_t{grid.offsetY} - grid.cellHeight;
  if (fitX < 0 || fitY < 0) {
    return true;
  }
  const int64_t columns = fitX / stepX + 1;
  const int64_t rows = fitY / stepY + 1;
  if (columns * rows > kMaxSlices) {
    return false;
  }
  for (int64_t row = 0; row < rows; ++row) {
    for (int64_t column = 0; column < columns; ++column) {
      const int left = static_cast<int>(grid.offsetX + column * stepX);
      const int top = static_cast<int>(grid.offsetY + row * stepY);
      const URect cell(left, top, left + grid.cellWidth, top + grid.cellHeight);
      bool drawn = !grid.skipEmpty;
      for (int y = cell.top; y < cell.bottom && !drawn; ++y) {
        const uint32_t* texels = image.Row(y);
        drawn = std::any_of(texels + cell.left, texels + cell.right, IsDrawnTexel);
      }
      if (drawn) {
        cells->push_back(cell);
      }
    }
  }
  return true;
}

bool SliceByRegions(const CSliceImage& image, const CRegionSlicing& regions,
                    std::vector<URect>* boxes) {
  boxes->clear();
  if (!image.IsValid()) {
    return false;
  }
  CRegionSets sets;
  std::vector<CRun> above;
  std::vector<CRun> runs;
  for (int y = 0; y < image.height; ++y) {
    runs.clear();
    FindRuns(image.Row(y), image.width, &runs);
    if (!LabelRow(y, above, &runs, &sets)) {
      return false;
    }
    std::swap(above, runs);
  }
  std::vector<CBox> found = sets.Regions();
  if (regions.mergeDistance > 0) {
    while (found.size() > 1 && MergePass(&found, regions.mergeDistance)) {
    }
  }
  const int minSize = std::max(regions.minSize, 0);
  std::erase_if(found, [minSize](const CBox& box) {
    return box.right - box.left < minSize && box.bottom - box.top < minSize;
  });
  if (found.size() > static_cast<size_t>(kMaxSlices)) {
    return false;
  }
  std::sort(found.begin(), found.end(), [](const CBox& a, const CBox& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  boxes->reserve(found.size());
  for (const CBox& box : found) {
    boxes->emplace_back(box.left, box.top, box.right, box.bottom);
  }
  return true;
}
