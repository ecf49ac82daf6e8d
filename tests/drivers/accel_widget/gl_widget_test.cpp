// The accelerated canvas drawing inside a QOpenGLWidget, whose context Qt owns: the arrangement
// of the editor's animation view.
// The driver's headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/canvas/surface.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 64;
constexpr uint32_t kBackground = 0xFF203040;

uint32_t Texel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 30) << 16 | static_cast<uint32_t>(y * 30) << 8 |
         0x80u;
}

// The widget as the canvas driver sees it: Qt's context made current, Qt's framebuffer object as
// the window's picture, and Qt's own swap after paintGL.
class WidgetHost : public UWindowHost {
 public:
  explicit WidgetHost(QOpenGLWidget* widget) : widget_(widget) {}

  URect GetClientRect() const override { return {0, 0, widget_->width(), widget_->height()}; }
  UPoint ClientToScreen(UPoint point) const override {
    const QPoint global = widget_->mapToGlobal(QPoint(point.x, point.y));
    return {global.x(), global.y()};
  }
  int GetScreenWidth() const override { return 640; }
  int GetScreenHeight() const override { return 480; }
  // QOpenGLWidget::makeCurrent also binds the widget's framebuffer, which would pull the
  // engine's drawing away from its camera; inside paintGL the context is current already.
  bool MakeContextCurrent() override {
    if (widget_->context() == nullptr) {
      return false;
    }
    if (QOpenGLContext::currentContext() != widget_->context()) {
      widget_->makeCurrent();
    }
    return true;
  }
  uint32_t GetFramebuffer() const override { return widget_->defaultFramebufferObject(); }

 private:
  QOpenGLWidget* widget_;
};

// Draws a 8 x 4 texture at (10, 6), plain, and again mirrored at zoom 2 at (20, 10) canvas units.
class CanvasWidget : public QOpenGLWidget {
 public:
  explicit CanvasWidget(std::string texture_path)
      : host_(this), texture_path_(std::move(texture_path)) {
    setFixedSize(kWidth, kHeight);
  }
  ~CanvasWidget() override {
    makeCurrent();
    if (texture_ != nullptr) {
      texture_->Release();
      delete texture_;
    }
    canvas_.Release();
    util_.DeInit();
    doneCurrent();
  }

  bool started() const { return started_; }
  int paints() const { return paints_; }

 protected:
  void initializeGL() override {
    started_ = util_.Init(&host_) == 1 && canvas_.Init(&host_) == 1 &&
               canvas_.CreateCanvas(&util_, kWidth, kHeight);
    if (started_) {
      texture_ = util_.CreateUSurfaceFromFile(texture_path_.c_str(), 0, 0);
      started_ = texture_ != nullptr;
    }
  }

  void paintGL() override {
    if (!started_) {
      return;
    }
    ++paints_;
    canvas_.SetBackGroundColor(kBackground);
    canvas_.Clear();
    const URect src(0, 0, 8, 4);
    const URect plain(10, 6, 18, 10);
    canvas_.DrawSurface(&plain, texture_, &src, nullptr);
    canvas_.ZoomIn();
    BLTFX mirror;
    mirror.flags = BLTFX_MIRRORX;
    const URect mirrored(20, 10, 28, 14);
    canvas_.DrawSurface(&mirrored, texture_, &src, &mirror);
    canvas_.ZoomOut();
    canvas_.Present();
  }

 private:
  WidgetHost host_;
  std::string texture_path_;
  UCanvasUtilRw util_;
  UCanvasRw canvas_;
  USurface* texture_ = nullptr;
  bool started_ = false;
  int paints_ = 0;
};

TEST(GlWidgetTest, CanvasDrawsIntoTheWidgetsFramebuffer) {
  TempDir dir;
  std::vector<uint32_t> texels;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      texels.push_back(Texel(x, y));
    }
  }
  const std::string path = dir.File("texture.png");
  ASSERT_TRUE(WritePng(path, PngFromArgb(8, 4, texels)));

  CanvasWidget widget(path);
  widget.show();
  const QImage picture = widget.grabFramebuffer().convertToFormat(QImage::Format_ARGB32);
  ASSERT_TRUE(widget.started()) << "no OpenGL 3.3 core context in the widget";
  EXPECT_GT(widget.paints(), 0);
  ASSERT_EQ(picture.width(), kWidth);
  ASSERT_EQ(picture.height(), kHeight);

  const auto at = [&picture](int x, int y) { return static_cast<uint32_t>(picture.pixel(x, y)); };
  EXPECT_EQ(at(0, 0), kBackground);
  EXPECT_EQ(at(kWidth - 1, kHeight - 1), kBackground);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      ASSERT_EQ(at(10 + x, 6 + y), Texel(x, y)) << x << "," << y;
      // Zoom 2 maps (20, 10) to (40, 20); each texel is a 2 x 2 block, mirrored.
      ASSERT_EQ(at(40 + 2 * x, 20 + 2 * y), Texel(7 - x, y)) << x << "," << y;
      ASSERT_EQ(at(41 + 2 * x, 21 + 2 * y), Texel(7 - x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(at(9, 6), kBackground);
  EXPECT_EQ(at(18, 6), kBackground);
}

}  // namespace
