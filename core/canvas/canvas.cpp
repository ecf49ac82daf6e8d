#include "core/canvas/canvas.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/canvas/material.h"

namespace {

// Float to int truncating toward zero, held to the int range (NaN gives 0) so a wild value from a
// caller cannot make the conversion undefined.
int32_t TruncateToInt(float value) {
  if (std::isnan(value)) {
    return 0;
  }
  constexpr auto kLowest = static_cast<float>(std::numeric_limits<int32_t>::min());
  constexpr auto kAboveHighest = -kLowest;
  if (value < kLowest) {
    return std::numeric_limits<int32_t>::min();
  }
  if (value >= kAboveHighest) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(value);
}

}  // namespace

UCanvas::~UCanvas() = default;

void UCanvas::DrawMaterial(const URect* /*dst*/, UMaterial* /*material*/, const URect* /*src*/,
                           const BLTFX* /*fx*/) {}

void UCanvas::DrawRect(float left, float top, float right, float bottom, uint32_t color) {
  DrawLine(left, top, left, bottom, color, 1);
  DrawLine(left, top, right, top, color, 1);
  DrawLine(right, top, right, bottom, color, 1);
  DrawLine(left, bottom, right, bottom, color, 1);
}

void UCanvas::DrawGrid(int offsetX, int offsetY, int cellWidth, int cellHeight, uint32_t color) {
  if (cellWidth < 1 || cellHeight < 1) {
    return;
  }
  const auto clip_width = static_cast<float>(m_ClipWidth);
  const auto clip_height = static_cast<float>(m_ClipHeight);
  for (int i = 1; i <= m_ClipWidth / cellWidth; ++i) {
    const auto x = static_cast<float>(offsetX + i * cellWidth);
    DrawLine(x, 0.0f, x, clip_height, color, 1);
  }
  for (int i = 1; i <= m_ClipHeight / cellHeight; ++i) {
    const auto y = static_cast<float>(offsetY + i * cellHeight);
    DrawLine(0.0f, y, clip_width, y, color, 1);
  }
}

void UCanvas::DrawGrid(int cellWidth, int cellHeight, uint32_t color) {
  DrawGrid(m_OriginX, m_OriginY, cellWidth, cellHeight, color);
}

void UCanvas::DrawTile(UMaterial* material, const URect* dst, const URect* src) {
  if (material == nullptr || material->GetMainSurface() == nullptr) {
    return;
  }
  DrawSurface(dst, material->GetMainSurface(), src, nullptr);
}

void UCanvas::DrawTile(UMaterial* material, uint32_t x, uint32_t y, const URect* src) {
  if (material == nullptr || material->GetMainSurface() == nullptr || src == nullptr) {
    return;
  }
  const auto left = static_cast<int32_t>(x);
  const auto top = static_cast<int32_t>(y);
  const URect dst(left, top, left + src->GetWidth(), top + src->GetHeight());
  const BLTFX fx;
  DrawSurface(&dst, material->GetMainSurface(), src, &fx);
}

void UCanvas::SetOrigin(float x, float y) {
  m_OriginX = TruncateToInt(x);
  m_OriginY = TruncateToInt(y);
}

void UCanvas::SetPos(float x, float y) {
  m_PosX = TruncateToInt(x);
  m_PosY = TruncateToInt(y);
}

void UCanvas::SetClip(float width, float height) {
  m_ClipWidth = TruncateToInt(width);
  m_ClipHeight = TruncateToInt(height);
}

int UCanvas::ZoomIn() {
  m_Zoom = m_Zoom + 1 > kMaxZoom ? kMaxZoom : m_Zoom + 1;
  return m_Zoom;
}

int UCanvas::ZoomOut() {
  m_Zoom = m_Zoom - 1 < kMinZoom ? kMinZoom : m_Zoom - 1;
  return m_Zoom;
}

void UCanvas::ScreenToCanvas(UPoint* point) const {
  if (point == nullptr) {
    return;
  }
  point->x = point->x / m_Zoom + m_OriginX;
  point->y = point->y / m_Zoom + m_OriginY;
}
