#include <memory>

#include "core/canvas/memory_window_host.h"
#include "drivers/gdi/canvas_gdi.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "exporter/offscreen_renderer.h"

namespace {

class GdiRenderer : public OffscreenRenderer {
 public:
  ~GdiRenderer() override {
    canvas_.Release();
    util_.DeInit();
  }

  bool Start(int width, int height, std::string& error) override {
    host_ = std::make_unique<UMemoryWindowHost>(width, height);
    if (util_.Init(host_.get()) != 1 || canvas_.Init(host_.get()) != 1 ||
        !canvas_.CreateCanvas(&util_, width, height)) {
      error = "the GDI driver cannot make a " + std::to_string(width) + "x" +
              std::to_string(height) + " picture";
      return false;
    }
    return true;
  }

  UCanvas& Canvas() override { return canvas_; }
  UCanvasUtil& Util() override { return util_; }

  void ClearOpaque(uint32_t background) override {
    canvas_.SetBackGroundColor(background);
    canvas_.Clear();
  }

  void ClearTransparent() override {
    canvas_.ClearTransparent();
    canvas_.SetPresentAlpha(true);
  }

  bool Finish(std::vector<uint8_t>& bgra, std::string& error) override {
    canvas_.Present();
    if (host_->GetPresentCount() == 0) {
      error = "the GDI driver presented no picture";
      return false;
    }
    bgra = host_->GetPicture();
    return true;
  }

 private:
  std::unique_ptr<UMemoryWindowHost> host_;
  UCanvasUtilGdi util_;
  UCanvasGdi canvas_;
};

}  // namespace

std::unique_ptr<OffscreenRenderer> MakeGdiRenderer() {
  return std::make_unique<GdiRenderer>();
}
