#include "editor/panels/panel_placeholder.h"

#include <QPainter>

CPanelPlaceholder::CPanelPlaceholder(const QString& windowTitle, bool bordered, QWidget* parent)
    : QWidget(parent), m_Bordered(bordered) {
  setWindowTitle(windowTitle);
  setObjectName(windowTitle.isEmpty() ? QString("panel") : windowTitle);
  setMinimumSize(40, 30);
}

void CPanelPlaceholder::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (m_Bordered) {
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}
