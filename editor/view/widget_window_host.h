#pragma once

#include "core/canvas/window_host.h"

class QOpenGLWidget;

// The view widget as the accelerated canvas sees it: sizes and points in device pixels (so a
// scaled screen shows the picture at its size), Qt's GL context of the widget, and the widget's
// framebuffer object as the window's picture (Qt shows it after paintGL).
class CWidgetWindowHost : public UWindowHost {
 public:
  explicit CWidgetWindowHost(QOpenGLWidget* widget) : m_Widget(widget) {}

  URect GetClientRect() const override;
  UPoint ClientToScreen(UPoint point) const override;
  int GetScreenWidth() const override;
  int GetScreenHeight() const override;
  bool MakeContextCurrent() override;
  uint32_t GetFramebuffer() const override;

 private:
  QOpenGLWidget* m_Widget;
};
