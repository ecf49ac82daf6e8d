#include "editor/panels/cut_band.h"

#include <algorithm>
#include <cstdlib>

namespace {

int FloorToCell(int value, int cell) {
  const int rest = value % cell;
  return rest < 0 ? value - rest - cell : value - rest;
}

}  // namespace

void CCutBand::Rescale(int imageWidth, int imageHeight, int scale) {
  scale = std::clamp(scale, 1, kMaxScale);
  if (HasRect()) {
    m_Rect = URect(m_Rect.left / m_Scale * scale, m_Rect.top / m_Scale * scale,
                   m_Rect.right / m_Scale * scale, m_Rect.bottom / m_Scale * scale);
  }
  m_Scale = scale;
  m_SnapWidth = m_Cell * scale;
  m_SnapHeight = m_Cell * scale;
  m_Bounds = URect(0, 0, std::max(imageWidth, 0) * scale, std::max(imageHeight, 0) * scale);
  ClampToBounds();
}

void CCutBand::Clear() {
  m_Rect = URect(0, 0, 0, 0);
  m_State = State::Idle;
  m_Grip = Hit::Outside;
}

void CCutBand::SetRect(const URect& rect) {
  m_Rect = rect;
  ClampToBounds();
}

void CCutBand::Press(UPoint point) {
  if (m_State == State::Idle && HasRect() && m_Rect.PtInRect(point)) {
    m_Grip = HitTest(point);
    const UPoint snapped = SnapDown(point);
    m_GrabOffset = UPoint(snapped.x - m_Rect.left, snapped.y - m_Rect.top);
    m_State = State::Dragging;
    return;
  }
  if (m_State != State::Drawing) {
    const UPoint cell = SnapDown(point);
    m_Anchor = URect(cell.x, cell.y, cell.x + m_SnapWidth, cell.y + m_SnapHeight);
    m_Rect = m_Anchor;
    m_State = State::Drawing;
    ClampToBounds();
  }
}

void CCutBand::Move(UPoint point) {
  if (m_State == State::Drawing) {
    const UPoint cell = SnapDown(point);
    m_Rect = URect(std::min(m_Anchor.left, cell.x), std::min(m_Anchor.top, cell.y),
                   std::max(m_Anchor.right, cell.x + m_SnapWidth),
                   std::max(m_Anchor.bottom, cell.y + m_SnapHeight));
  } else if (m_State == State::Dragging) {
    if (m_Grip == Hit::Inside) {
      MoveTo(point);
    } else {
      Resize(point);
    }
  }
  ClampToBounds();
}

void CCutBand::Release(UPoint /*point*/) {
  m_State = State::Idle;
  m_Grip = Hit::Outside;
}

CCutBand::Hit CCutBand::HitTest(UPoint point) const {
  if (!HasRect() || !m_Rect.PtInRect(point)) {
    return Hit::Outside;
  }
  const bool nearLeft = std::abs(point.x - m_Rect.left) <= kHandle;
  const bool nearRight = !nearLeft && std::abs(point.x - m_Rect.right) <= kHandle;
  const bool nearTop = std::abs(point.y - m_Rect.top) <= kHandle;
  const bool nearBottom = !nearTop && std::abs(point.y - m_Rect.bottom) <= kHandle;
  if (nearTop) {
    return nearLeft ? Hit::TopLeft : nearRight ? Hit::TopRight : Hit::Top;
  }
  if (nearBottom) {
    return nearLeft ? Hit::BottomLeft : nearRight ? Hit::BottomRight : Hit::Bottom;
  }
  if (nearLeft) {
    return Hit::Left;
  }
  if (nearRight) {
    return Hit::Right;
  }
  return Hit::Inside;
}

UPoint CCutBand::SnapDown(UPoint point) const {
  return UPoint(FloorToCell(point.x, m_SnapWidth), FloorToCell(point.y, m_SnapHeight));
}

int CCutBand::SnapNearest(int value, int cell) {
  return FloorToCell(value + cell / 2, cell);
}

// The grabbed edges follow the pointer to the nearest cell line, never closer than one cell to
// the edge opposite, so a resize can shrink the band but never empty or turn it inside out.
void CCutBand::Resize(UPoint point) {
  const int x = SnapNearest(point.x, m_SnapWidth);
  const int y = SnapNearest(point.y, m_SnapHeight);
  const bool left = m_Grip == Hit::Left || m_Grip == Hit::TopLeft || m_Grip == Hit::BottomLeft;
  const bool right = m_Grip == Hit::Right || m_Grip == Hit::TopRight || m_Grip == Hit::BottomRight;
  const bool top = m_Grip == Hit::Top || m_Grip == Hit::TopLeft || m_Grip == Hit::TopRight;
  const bool bottom =
      m_Grip == Hit::Bottom || m_Grip == Hit::BottomLeft || m_Grip == Hit::BottomRight;
  if (left) {
    m_Rect.left = std::min(x, m_Rect.right - m_SnapWidth);
  }
  if (right) {
    m_Rect.right = std::max(x, m_Rect.left + m_SnapWidth);
  }
  if (top) {
    m_Rect.top = std::min(y, m_Rect.bottom - m_SnapHeight);
  }
  if (bottom) {
    m_Rect.bottom = std::max(y, m_Rect.top + m_SnapHeight);
  }
}

// The band follows the pointer with its size kept, pushed back inside the bounds.
void CCutBand::MoveTo(UPoint point) {
  const UPoint cell = SnapDown(point);
  const int width = m_Rect.GetWidth();
  const int height = m_Rect.GetHeight();
  const int left =
      std::max(std::min(cell.x - m_GrabOffset.x, m_Bounds.right - width), m_Bounds.left);
  const int top =
      std::max(std::min(cell.y - m_GrabOffset.y, m_Bounds.bottom - height), m_Bounds.top);
  m_Rect = URect(left, top, left + width, top + height);
}

void CCutBand::ClampToBounds() {
  m_Rect.left = std::clamp(m_Rect.left, m_Bounds.left, m_Bounds.right);
  m_Rect.right = std::clamp(m_Rect.right, m_Bounds.left, m_Bounds.right);
  m_Rect.top = std::clamp(m_Rect.top, m_Bounds.top, m_Bounds.bottom);
  m_Rect.bottom = std::clamp(m_Rect.bottom, m_Bounds.top, m_Bounds.bottom);
}
