#include "core/canvas/canvas.h"

#include <cstdint>

#include "core/canvas/material.h"
#include "core/foundation/saturate.h"

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
  // Offsets and cell sizes come from callers; the line positions are computed wide.
  for (int i = 1; i <= m_ClipWidth / cellWidth; ++i) {
    const auto x = static_cast<float>(offsetX + int64_t{i} * cellWidth);
    DrawLine(x, 0.0f, x, clip_height, color, 1);
  }
  for (int i = 1; i <= m_ClipHeight / cellHeight; ++i) {
    const auto y = static_cast<float>(offsetY + int64_t{i} * cellHeight);
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
  const URect dst(left, top, SaturateCast<int32_t>(int64_t{left} + src->right - src->left),
                  SaturateCast<int32_t>(int64_t{top} + src->bottom - src->top));
  const BLTFX fx;
  DrawSurface(&dst, material->GetMainSurface(), src, &fx);
}

void UCanvas::SetOrigin(float x, float y) {
  m_OriginX = SaturateCast<int32_t>(x);
  m_OriginY = SaturateCast<int32_t>(y);
}

void UCanvas::SetPos(float x, float y) {
  m_PosX = SaturateCast<int32_t>(x);
  m_PosY = SaturateCast<int32_t>(y);
}

void UCanvas::SetClip(float width, float height) {
  m_ClipWidth = SaturateCast<int32_t>(width);
  m_ClipHeight = SaturateCast<int32_t>(height);
}

int UCanvas::ZoomIn() {
  m_Zoom = m_Zoom + 1 > kMaxZoom ? kMaxZoom : m_Zoom + 1;
  return m_Zoom;
}

int UCanvas::ZoomOut() {
  m_Zoom = m_Zoom - 1 < kMinZoom ? kMinZoom : m_Zoom - 1;
  return m_Zoom;
}

int UCanvas::SetZoom(int zoom) {
  m_Zoom = zoom < kMinZoom ? kMinZoom : (zoom > kMaxDeviceZoom ? kMaxDeviceZoom : zoom);
  return m_Zoom;
}

void UCanvas::ScreenToCanvas(UPoint* point) const {
  if (point == nullptr) {
    return;
  }
  point->x = SaturateCast<int32_t>(int64_t{point->x} / m_Zoom + m_OriginX);
  point->y = SaturateCast<int32_t>(int64_t{point->y} / m_Zoom + m_OriginY);
}
