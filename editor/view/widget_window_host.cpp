#include "editor/view/widget_window_host.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QScreen>
#include <cmath>

namespace {

int ToDevice(int logical, qreal ratio) {
  return static_cast<int>(std::lround(static_cast<qreal>(logical) * ratio));
}

QSize ScreenSize(const QOpenGLWidget* widget) {
  const QScreen* screen = widget->screen();
  return screen != nullptr ? screen->size() : QSize(widget->width(), widget->height());
}

}  // namespace

URect CWidgetWindowHost::GetClientRect() const {
  const qreal ratio = m_Widget->devicePixelRatioF();
  return {0, 0, ToDevice(m_Widget->width(), ratio), ToDevice(m_Widget->height(), ratio)};
}

UPoint CWidgetWindowHost::ClientToScreen(UPoint point) const {
  const qreal ratio = m_Widget->devicePixelRatioF();
  const QPoint origin = m_Widget->mapToGlobal(QPoint(0, 0));
  return {ToDevice(origin.x(), ratio) + point.x, ToDevice(origin.y(), ratio) + point.y};
}

int CWidgetWindowHost::GetScreenWidth() const {
  return ToDevice(ScreenSize(m_Widget).width(), m_Widget->devicePixelRatioF());
}

int CWidgetWindowHost::GetScreenHeight() const {
  return ToDevice(ScreenSize(m_Widget).height(), m_Widget->devicePixelRatioF());
}

// QOpenGLWidget::makeCurrent also binds the widget's framebuffer, which would pull the engine's
// drawing away from its camera; inside paintGL the context is current already.
bool CWidgetWindowHost::MakeContextCurrent() {
  if (m_Widget->context() == nullptr) {
    return false;
  }
  if (QOpenGLContext::currentContext() != m_Widget->context()) {
    m_Widget->makeCurrent();
  }
  return true;
}

uint32_t CWidgetWindowHost::GetFramebuffer() const {
  return m_Widget->defaultFramebufferObject();
}
