#include "exporter/max_rects_packer.h"

#include <algorithm>
#include <climits>

namespace {

bool Contains(const CPixelRect& outer, const CPixelRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
         inner.y + inner.h <= outer.y + outer.h;
}

bool Overlap(const CPixelRect& a, const CPixelRect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace

CMaxRectsPacker::CMaxRectsPacker(int width, int height) {
  m_Free.push_back({0, 0, width, height});
}

bool CMaxRectsPacker::Insert(int w, int h, int* x, int* y) {
  int best_short = INT_MAX;
  int best_long = INT_MAX;
  const CPixelRect* best = nullptr;
  for (const CPixelRect& free : m_Free) {
    if (w > free.w || h > free.h) {
      continue;
    }
    const int short_side = std::min(free.w - w, free.h - h);
    const int long_side = std::max(free.w - w, free.h - h);
    if (short_side < best_short || (short_side == best_short && long_side < best_long)) {
      best_short = short_side;
      best_long = long_side;
      best = &free;
    }
  }
  if (best == nullptr) {
    return false;
  }
  *x = best->x;
  *y = best->y;
  SplitFreeAround({*x, *y, w, h});
  return true;
}

void CMaxRectsPacker::SplitFreeAround(const CPixelRect& used) {
  std::vector<CPixelRect> kept;
  std::vector<CPixelRect> added;
  kept.reserve(m_Free.size());
  for (const CPixelRect& free : m_Free) {
    if (!Overlap(free, used)) {
      kept.push_back(free);
      continue;
    }
    if (used.x > free.x) {
      added.push_back({free.x, free.y, used.x - free.x, free.h});
    }
    if (used.x + used.w < free.x + free.w) {
      added.push_back({used.x + used.w, free.y, free.x + free.w - used.x - used.w, free.h});
    }
    if (used.y > free.y) {
      added.push_back({free.x, free.y, free.w, used.y - free.y});
    }
    if (used.y + used.h < free.y + free.h) {
      added.push_back({free.x, used.y + used.h, free.w, free.y + free.h - used.y - used.h});
    }
  }
  const size_t first_new = kept.size();
  kept.insert(kept.end(), added.begin(), added.end());
  m_Free = std::move(kept);
  PruneFrom(first_new);
}

void CMaxRectsPacker::PruneFrom(size_t first_new) {
  std::vector<bool> gone(m_Free.size(), false);
  for (size_t i = first_new; i < m_Free.size(); ++i) {
    for (size_t j = 0; j < m_Free.size() && !gone[i]; ++j) {
      if (i == j || gone[j]) {
        continue;
      }
      // Of two equal rectangles the later one goes, so exactly one stays.
      if (Contains(m_Free[j], m_Free[i]) && (j < i || !Contains(m_Free[i], m_Free[j]))) {
        gone[i] = true;
      } else if (Contains(m_Free[i], m_Free[j])) {
        gone[j] = true;
      }
    }
  }
  size_t out = 0;
  for (size_t i = 0; i < m_Free.size(); ++i) {
    if (!gone[i]) {
      m_Free[out++] = m_Free[i];
    }
  }
  m_Free.resize(out);
}
