#pragma once

#include <QImage>
#include <QPainter>

#include "editor/app/main_frame.h"

// The main window as a picture, with the GL view's own picture laid over its place (a plain grab
// of the window does not always carry the GL content).
inline QImage WindowPicture(CMainFrame& frame) {
  QImage window = frame.grab().toImage();
  const QImage view = frame.View().grabFramebuffer();
  QPainter painter(&window);
  painter.drawImage(QRect(frame.View().mapTo(&frame, QPoint(0, 0)), frame.View().size()), view);
  return window;
}
