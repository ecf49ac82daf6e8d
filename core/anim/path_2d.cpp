#include "core/anim/path_2d.h"

#include <cstddef>

#include "core/canvas/canvas.h"

namespace {
constexpr uint32_t kOuterMarkerColor = 0xFFFF00;
constexpr uint32_t kInnerMarkerColor = 0xFF0000;
}  // namespace

U2DObject::~U2DObject() = default;

void U2DObject::Render(UCanvas& /*canvas*/) {}

U2DPath::U2DPath() {
  type = kType;
  color = 0xFFFF;
  m_Points.reserve(kMaxPoints);
}

U2DPath::~U2DPath() = default;

void U2DPath::AddPoint(UPoint point) {
  if (GetNumPoints() < kMaxPoints) {
    m_Points.push_back(point);
  }
}

void U2DPath::DelPoint(int index) {
  if (index < 0 || m_Points.empty()) {
    return;
  }
  const int last = GetNumPoints() - 1;
  m_Points.erase(m_Points.begin() + (index < last ? index : last));
}

UPoint* U2DPath::GetPoint(int index) {
  if (index < 0 || index >= GetNumPoints()) {
    return nullptr;
  }
  return &m_Points[static_cast<size_t>(index)];
}

UPoint* U2DPath::GetLast() {
  return m_Points.empty() ? nullptr : &m_Points.back();
}

void U2DPath::Render(UCanvas& canvas) {
  for (size_t i = 1; i < m_Points.size(); ++i) {
    const UPoint& from = m_Points[i - 1];
    const UPoint& to = m_Points[i];
    canvas.DrawLine(static_cast<float>(from.x), static_cast<float>(from.y),
                    static_cast<float>(to.x), static_cast<float>(to.y), color, 1);
  }
  if (!showPoints) {
    return;
  }
  for (const UPoint& point : m_Points) {
    const auto x = static_cast<float>(point.x);
    const auto y = static_cast<float>(point.y);
    canvas.DrawRect(x - 2, y - 2, x + 2, y + 2, kOuterMarkerColor);
    canvas.DrawRect(x - 1, y - 1, x + 1, y + 1, kInnerMarkerColor);
  }
}
