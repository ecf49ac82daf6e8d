#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/window_host.h"
#include "core/core_api.h"

// A window that exists only in memory, for software drivers in tests and command-line tools: it
// has a client size, a place on a screen of its own size, and keeps the last picture presented to
// it.
class CORE_API UMemoryWindowHost : public UWindowHost {
 public:
  // A client area of `width` x `height` at the top-left corner of a screen of the same size.
  UMemoryWindowHost(int width, int height);

  void SetClientSize(int width, int height);
  // Where the client area's top-left corner sits on the screen.
  void SetScreenPosition(UPoint position) { m_ScreenPosition = position; }
  void SetScreenSize(int width, int height);

  URect GetClientRect() const override;
  UPoint ClientToScreen(UPoint point) const override;
  int GetScreenWidth() const override { return m_ScreenWidth; }
  int GetScreenHeight() const override { return m_ScreenHeight; }

  // Copies the picture; false (keeping the previous one) for a null, empty or inconsistent one.
  bool PresentPicture(const uint8_t* pixels, int width, int height, int stride) override;

  // The last picture presented: rows top first, tightly packed (width x 4 bytes a row), 4 bytes a
  // pixel in the order blue, green, red, alpha. Empty before the first picture.
  const std::vector<uint8_t>& GetPicture() const { return m_Picture; }
  int GetPictureWidth() const { return m_PictureWidth; }
  int GetPictureHeight() const { return m_PictureHeight; }
  // The pixel at (x, y) of the last picture as 0xAARRGGBB, or 0 outside it.
  uint32_t GetPixel(int x, int y) const;
  // How many pictures were presented so far.
  int GetPresentCount() const { return m_PresentCount; }

 private:
  int m_ClientWidth;
  int m_ClientHeight;
  UPoint m_ScreenPosition;
  int m_ScreenWidth;
  int m_ScreenHeight;
  std::vector<uint8_t> m_Picture;
  int m_PictureWidth = 0;
  int m_PictureHeight = 0;
  int m_PresentCount = 0;
};
