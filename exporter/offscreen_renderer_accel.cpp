#include <algorithm>
#include <memory>

#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"
#include "drivers/accel/egl_window_host.h"
#include "exporter/offscreen_renderer.h"

namespace {

// The accelerated driver on a headless EGL context.
class AccelRenderer : public OffscreenRenderer {
 public:
  ~AccelRenderer() override {
    if (started_) {
      canvas_.Release();
      util_.DeInit();
    }
  }

  bool Start(int width, int height, std::string& error) override {
    host_ = std::make_unique<UEglWindowHost>(width, height);
    if (!host_->IsValid()) {
      error = "no OpenGL 3.3 context for the accelerated driver";
      return false;
    }
    if (util_.Init(host_.get()) != 1) {
      error = "the accelerated driver cannot start";
      return false;
    }
    started_ = true;
    if (canvas_.Init(host_.get()) != 1 || !canvas_.CreateCanvas(&util_, width, height)) {
      error = "the accelerated driver cannot make a " + std::to_string(width) + "x" +
              std::to_string(height) + " picture";
      return false;
    }
    width_ = width;
    height_ = height;
    return true;
  }

  UCanvas& Canvas() override { return canvas_; }
  UCanvasUtil& Util() override { return util_; }

  void ClearOpaque(uint32_t background) override {
    canvas_.SetBackGroundColor(background);
    canvas_.Clear();
  }

  void ClearTransparent() override {
    canvas_.SetBackGroundColor(0);
    canvas_.Clear();
    transparent_ = true;
  }

  bool Finish(std::vector<uint8_t>& bgra, std::string& error) override {
    canvas_.Present();
    bgra.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4, 0);
    // The window shows the picture opaque, as any window does; a transparent picture comes from
    // the camera, which keeps the alpha it was drawn with.
    const bool read = transparent_
                          ? canvas_.ReadPixels(bgra.data(), width_ * 4, RwPixelOrder::kBgra)
                          : host_->ReadPixels(bgra.data(), width_ * 4, RwPixelOrder::kBgra);
    if (!read) {
      error = "cannot read the accelerated driver's picture back";
      return false;
    }
    if (!transparent_) {
      return true;
    }
    for (size_t i = 0; i < bgra.size(); i += 4) {
      uint8_t* pixel = &bgra[i];
      // Blending onto a transparent start leaves colour multiplied by coverage; the file keeps
      // straight alpha.
      const unsigned alpha = pixel[3];
      if (alpha != 0 && alpha != 255) {
        for (int channel = 0; channel < 3; ++channel) {
          pixel[channel] =
              static_cast<uint8_t>(std::min(255u, (pixel[channel] * 255u + alpha / 2) / alpha));
        }
      }
    }
    return true;
  }

 private:
  std::unique_ptr<UEglWindowHost> host_;
  UCanvasUtilRw util_;
  UCanvasRw canvas_;
  bool started_ = false;
  bool transparent_ = false;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace

std::unique_ptr<OffscreenRenderer> MakeAccelRenderer() {
  return std::make_unique<AccelRenderer>();
}
