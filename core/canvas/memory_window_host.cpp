#include "core/canvas/memory_window_host.h"

#include <algorithm>
#include <cstring>

UMemoryWindowHost::UMemoryWindowHost(int width, int height)
    : m_ClientWidth(std::max(width, 0))
    , m_ClientHeight(std::max(height, 0))
    , m_ScreenWidth(m_ClientWidth)
    , m_ScreenHeight(m_ClientHeight) {}

void UMemoryWindowHost::SetClientSize(int width, int height) {
  m_ClientWidth = std::max(width, 0);
  m_ClientHeight = std::max(height, 0);
}

void UMemoryWindowHost::SetScreenSize(int width, int height) {
  m_ScreenWidth = std::max(width, 0);
  m_ScreenHeight = std::max(height, 0);
}

URect UMemoryWindowHost::GetClientRect() const {
  return {0, 0, m_ClientWidth, m_ClientHeight};
}

UPoint UMemoryWindowHost::ClientToScreen(UPoint point) const {
  return {point.x + m_ScreenPosition.x, point.y + m_ScreenPosition.y};
}

bool UMemoryWindowHost::PresentPicture(const uint8_t* pixels, int width, int height, int stride) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride / 4 < width) {
    return false;
  }
  const size_t row_bytes = static_cast<size_t>(width) * 4;
  m_Picture.resize(row_bytes * static_cast<size_t>(height));
  for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
    std::memcpy(m_Picture.data() + y * row_bytes, pixels + y * static_cast<size_t>(stride),
                row_bytes);
  }
  m_PictureWidth = width;
  m_PictureHeight = height;
  ++m_PresentCount;
  return true;
}

uint32_t UMemoryWindowHost::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_PictureWidth || y >= m_PictureHeight) {
    return 0;
  }
  const uint8_t* pixel =
      m_Picture.data() +
      (static_cast<size_t>(y) * static_cast<size_t>(m_PictureWidth) + static_cast<size_t>(x)) * 4;
  return static_cast<uint32_t>(pixel[0]) | static_cast<uint32_t>(pixel[1]) << 8 |
         static_cast<uint32_t>(pixel[2]) << 16 | static_cast<uint32_t>(pixel[3]) << 24;
}
