#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"
#include "drivers/accel/egl_window_host.h"
#include "drivers/accel/surface_rw.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

// A headless window on Mesa's software renderer with the accelerated factory and canvas bound to
// it, and helpers to make textures from pixels and read the picture back as 0xAARRGGBB words.
class AccelTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;

  void SetUp() override {
    ASSERT_TRUE(host_.IsValid()) << "no surfaceless EGL context with OpenGL 3.3 core";
    ASSERT_EQ(util_.Init(&host_), 1);
    ASSERT_EQ(canvas_.Init(&host_), 1);
    ASSERT_TRUE(canvas_.CreateCanvas(&util_, kWidth, kHeight));
  }

  void TearDown() override {
    for (USurface* surface : surfaces_) {
      surface->Release();
      delete surface;
    }
    canvas_.Release();
    util_.DeInit();
  }

  // A texture holding `argb` (top row first), through a PNG file with an alpha channel.
  USurface* Texture(int width, int height, const std::vector<uint32_t>& argb) {
    const std::string path = dir_.File("texture" + std::to_string(surfaces_.size()) + ".png");
    EXPECT_TRUE(WritePng(path, PngFromArgb(width, height, argb)));
    USurface* surface = util_.CreateUSurfaceFromFile(path.c_str(), 0, 0);
    EXPECT_NE(surface, nullptr);
    if (surface != nullptr) {
      surfaces_.push_back(surface);
    }
    return surface;
  }

  // Opaque texels, each a different colour, so that any texel out of place shows.
  static std::vector<uint32_t> DistinctTexels(int width, int height) {
    std::vector<uint32_t> texels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        texels.push_back(0xFF000000u | static_cast<uint32_t>(x * 16 + 8) << 16 |
                         static_cast<uint32_t>(y * 16 + 8) << 8 |
                         static_cast<uint32_t>((x + y) % 2 == 0 ? 0x40 : 0xC0));
      }
    }
    return texels;
  }

  // The camera's picture as 0xAARRGGBB words, top row first.
  std::vector<uint32_t> Picture() {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth * kHeight));
    EXPECT_TRUE(canvas_.ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()), kWidth * 4,
                                   RwPixelOrder::kBgra));
    return pixels;
  }

  static uint32_t At(const std::vector<uint32_t>& picture, int x, int y) {
    return picture[static_cast<size_t>(y * kWidth + x)];
  }

  TempDir dir_;
  UEglWindowHost host_{kWidth, kHeight, 800, 600};
  UCanvasUtilRw util_;
  UCanvasRw canvas_;
  std::vector<USurface*> surfaces_;
};

// Colour channels compared within a tolerance, for results of blending arithmetic.
inline ::testing::AssertionResult ChannelsNear(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (a - e > tolerance || e - a > tolerance) {
      return ::testing::AssertionFailure()
             << std::hex << "0x" << actual << " is not within " << std::dec << tolerance << " of "
             << std::hex << "0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}
