#include "drivers/accel/engine/gl_read_pixels.h"

#include <cstring>
#include <vector>

#include "drivers/accel/engine/gl_state_backup.h"

bool RwGlReadFramebuffer(GLuint framebuffer, int width, int height, uint8_t* pixels, int stride,
                         RwPixelOrder order) {
  if (pixels == nullptr || width < 0 || height < 0 || stride < width * 4) {
    return false;
  }
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  std::vector<uint8_t> bottomUp(rowBytes * static_cast<size_t>(height));
  RwGlStateBackup backup;
  backup.Capture();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width, height, order == RwPixelOrder::kBgra ? GL_BGRA : GL_RGBA,
               GL_UNSIGNED_BYTE, bottomUp.data());
  backup.Restore();
  for (int y = 0; y < height; ++y) {
    std::memcpy(pixels + static_cast<size_t>(y) * static_cast<size_t>(stride),
                bottomUp.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes);
  }
  return true;
}
