#pragma once

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "core/canvas/memory_window_host.h"
#include "drivers/gdi/canvas_gdi.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "drivers/gdi/surface_gdi.h"
#include "tests/support/freeimage_picture.h"
#include "tests/support/temp_dir.h"

// The colour of each pixel of a test image, 0xAARRGGBB with straight alpha.
using TPixelOf = TColorAt;

// Writes a real image file through FreeImage, 24 bits a pixel (alpha dropped) or 32.
inline bool WriteImage(const std::string& path, FREE_IMAGE_FORMAT format, int bpp, int width,
                       int height, const TPixelOf& pixel_of) {
  const TBitmap bitmap = MakePicture(width, height, pixel_of, bpp);
  return bitmap != nullptr && FreeImage_Save(format, bitmap.get(), path.c_str(), 0) != 0;
}

struct SurfaceReleaser {
  void operator()(USurface* surface) const {
    surface->Release();
    delete surface;
  }
};
using TSurfacePtr = std::unique_ptr<USurface, SurfaceReleaser>;

inline int Channel(uint32_t color, int shift) {
  return static_cast<int>((color >> shift) & 0xFF);
}

// `actual` within `tolerance` of the exact colour `expected` (per channel red, green, blue, then
// alpha, as reals).
inline ::testing::AssertionResult ColorNear(uint32_t actual, const double (&expected)[4],
                                            double tolerance) {
  const int shifts[4] = {16, 8, 0, 24};
  for (int i = 0; i < 4; ++i) {
    if (std::abs(Channel(actual, shifts[i]) - expected[i]) > tolerance) {
      return ::testing::AssertionFailure()
             << "got 0x" << std::hex << actual << std::dec << ", expected (r, g, b, a) = ("
             << expected[0] << ", " << expected[1] << ", " << expected[2] << ", " << expected[3]
             << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

// A GDI-style canvas bound to a window in memory, with its factory.
class GdiCanvasTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;

  void SetUp() override {
    util.Init(&host);
    canvas.Init(&host);
    ASSERT_TRUE(canvas.CreateCanvas(&util, kWidth, kHeight));
  }
  void TearDown() override {
    canvas.Release();
    util.DeInit();
  }

  // Writes an image file and loads it through the factory.
  TSurfacePtr Load(const std::string& name, FREE_IMAGE_FORMAT format, int bpp, int width,
                   int height, const TPixelOf& pixel_of) {
    const std::string path = temp.File(name);
    EXPECT_TRUE(WriteImage(path, format, bpp, width, height, pixel_of));
    TSurfacePtr surface(util.CreateUSurfaceFromFile(path.c_str(), 0, 0));
    EXPECT_NE(surface, nullptr) << name;
    return surface;
  }

  // Covers the whole back buffer with one opaque colour (0x..RRGGBB), drawn from a surface at
  // zoom 1 and origin (0, 0), the canvas's state before a test changes it.
  void PaintBackground(uint32_t rgb) {
    TSurfacePtr fill(util.CreateUSurface(kWidth, kHeight, 0));
    ASSERT_NE(fill, nullptr);
    fill->Clear(rgb);
    const URect all(0, 0, kWidth, kHeight);
    canvas.DrawSurface(&all, fill.get(), &all, nullptr);
  }

  // Sets zoom (1 to 8) and origin.
  void SetView(int zoom, int originX, int originY) {
    while (canvas.ZoomOut() > 1) {
    }
    while (canvas.GetZoom() < zoom) {
      canvas.ZoomIn();
    }
    canvas.SetOrigin(static_cast<float>(originX), static_cast<float>(originY));
  }

  // Presents the canvas and compares every pixel the window shows with `expected(x, y)`,
  // reporting the first difference and how many there are.
  ::testing::AssertionResult ShowsPicture(const std::function<uint32_t(int x, int y)>& expected) {
    canvas.Present();
    int wrong = 0;
    std::string first;
    for (int y = 0; y < host.GetPictureHeight(); ++y) {
      for (int x = 0; x < host.GetPictureWidth(); ++x) {
        const uint32_t want = expected(x, y);
        if (Shown(x, y) != want && wrong++ == 0) {
          first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(Shown(x, y)) +
                  ", expected " + Hex(want);
        }
      }
    }
    if (wrong == 0) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << wrong << " pixels differ; first " << first;
  }

  static std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
  }

  // The pixel at (x, y) of what the window showed last, 0xAARRGGBB.
  uint32_t Shown(int x, int y) const { return host.GetPixel(x, y); }

  TempDir temp;
  UMemoryWindowHost host{kWidth, kHeight};
  UCanvasUtilGdi util;
  UCanvasGdi canvas;
};
