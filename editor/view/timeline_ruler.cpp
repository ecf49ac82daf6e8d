#include "editor/view/timeline_ruler.h"

#include <QAccessible>
#include <QImage>
#include <QPainter>

#include "editor/view/timeline_style.h"

using namespace timeline;

CTimelineRuler::CTimelineRuler(QWidget* parent) : QWidget(parent) {
  setObjectName("timelineRuler");
  setFont(RulerFont());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTimelineRuler::SetFirstTime(uint32_t time) {
  m_FirstTime = time;
  update();
}

void CTimelineRuler::SetMarkTime(uint32_t time) {
  const bool changed = time != m_MarkTime;
  m_MarkTime = time;
  update();
  if (changed) {
    QAccessibleValueChangeEvent event(this, time);
    QAccessible::updateAccessibility(&event);
  }
}

void CTimelineRuler::paintEvent(QPaintEvent* /*event*/) {
  // The picture is built whole in memory and then copied, so it never flickers.
  QImage picture(size(), QImage::Format_RGB32);
  picture.fill(GdiColor(kRulerBack));
  QPainter painter(&picture);
  const int cells = width() / kCellWidth + 2;
  const int bottom = kRulerHeight - 1;
  for (int cell = 0; cell < cells; ++cell) {
    const uint64_t time = uint64_t{m_FirstTime} + static_cast<uint64_t>(cell);
    const int x = cell * kCellWidth;
    const int right = x + kCellWidth - 1;
    painter.fillRect(x, 0, kCellWidth, kRulerHeight, GdiColor(kRulerBack));
    painter.setPen(Qt::white);
    painter.drawLine(x, 0, right, 0);
    for (int line = 0; line < 4; ++line) {
      painter.setPen(GdiColor(kRulerBevel[line]));
      painter.drawLine(x, bottom - 3 + line, right, bottom - 3 + line);
    }
    const int tick = time % 5 == 0 ? 5 : 3;
    painter.setPen(GdiColor(kRulerBevel[3]));
    painter.drawLine(x, bottom - 4 - tick + 1, x, bottom - 4);
    if (time == m_MarkTime) {
      painter.fillRect(x, 0, kCellWidth, kRulerHeight, GdiColor(kMarkOuter));
      painter.fillRect(x + 1, 1, kCellWidth - 2, kRulerHeight - 2, GdiColor(kMarkInner));
    }
  }
  // The numbers go on last: they are wider than a cell and would be covered by the next one.
  painter.setFont(font());
  painter.setPen(Qt::black);
  for (int cell = 0; cell < cells; ++cell) {
    const uint64_t time = uint64_t{m_FirstTime} + static_cast<uint64_t>(cell);
    if (time % 5 == 0) {
      painter.drawText(QRect(cell * kCellWidth + 1, 1, 6 * kCellWidth, kRulerHeight - 6),
                       Qt::AlignLeft | Qt::AlignVCenter, QString::number(time));
    }
  }
  painter.end();
  QPainter(this).drawImage(0, 0, picture);
}
