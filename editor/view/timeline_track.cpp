// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/doc/vello_editor.h"

#include "editor/res/ui_text.h"
#include "editor/view/timeline_track.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "editor/doc/editor_text.h"
#include "editor/view/playback_keys.h"
#include "editor/view/timeline_style.h"

using namespace timeline;

CTimelineTrack::CTimelineTrack(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent), m_Editor(editor) {
  setObjectName("timelineTrack");
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CTimelineTrack::SetFirstTime(uint32_t time) {
  m_FirstTime = time;
  update();
}

void CTimelineTrack::SetHighlightHandler(std::function<void(uint32_t)> handler) {
  m_OnHighlight = std::move(handler);
}

uint32_t CTimelineTrack::TimeAt(int x) const {
  // A drop left of the track means the very start, never a time wrapped round below zero.
  return x < 0 ? 0u : m_FirstTime + static_cast<uint32_t>(x / kCellWidth);
}

uint32_t CTimelineTrack::CurrentTime() const {
  const float time = m_Editor.PlayTime();
  return time > 0.0f ? static_cast<uint32_t>(std::floor(time)) : 0u;
}

void CTimelineTrack::paintEvent(QPaintEvent* /*event*/) {
  QImage picture(size(), QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  const int cells = width() / kCellWidth + 2;
  const uint64_t lastTime = uint64_t{m_FirstTime} + static_cast<uint64_t>(cells);
  for (int cell = 0; cell < cells; ++cell) {
    const uint64_t time = uint64_t{m_FirstTime} + static_cast<uint64_t>(cell);
    const QRect box(cell * kCellWidth, 0, kCellWidth, kTrackHeight);
    painter.fillRect(box, GdiColor(time % 5 == 0 ? kFifthCell : kPlainCell));
    painter.setPen(GdiColor(kCellBorder));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  const UObjActor* actor = m_Editor.Actor();
  if (actor != nullptr && actor->actions.IsValidIndex(m_Editor.SelectedAction())) {
    const UObjAction& action = *actor->actions[static_cast<size_t>(m_Editor.SelectedAction())];
    for (const TActionFrame& key : action.keys) {
      if (key.time < m_FirstTime || key.time >= lastTime) {
        continue;
      }
      const QRect box(static_cast<int>(key.time - m_FirstTime) * kCellWidth, 0, kCellWidth,
                      kTrackHeight);
      const bool blends = (key.flags & kKeyBlendsToNext) != 0;
      painter.fillRect(box, GdiColor(blends ? kBlendingKey : kPlainKey));
      painter.setPen(GdiColor(kCellBorder));
      painter.drawRect(box.adjusted(0, 0, -1, -1));
      painter.setPen(GdiColor(kKeyCircle));
      painter.drawEllipse(QRect(box.left() + 1, 9, kCellWidth - 2, kTrackHeight - 10));
    }
  }
  const uint32_t current = CurrentTime();
  if (current >= m_FirstTime && current < lastTime) {
    // Inverting keeps whatever the cell shows readable underneath.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(static_cast<int>(current - m_FirstTime) * kCellWidth, 0, kCellWidth,
                     kTrackHeight, Qt::white);
  }
  painter.end();
  QPainter(this).drawImage(0, 0, picture);
}

void CTimelineTrack::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  m_LastPointer = event->position().toPoint();
  const uint32_t time = TimeAt(m_LastPointer.x());
  m_DragIndex = -1;
  if (time != CurrentTime() || m_Editor.IsPlaying()) {
    m_Editor.PickTime(time);
    return;
  }
  // A second press on a key at the current time takes hold of it.
  int index = -1;
  bool exact = false;
  m_Editor.FindActionKey(time, &index, &exact);
  if (exact) {
    m_DragIndex = index;
  }
}

void CTimelineTrack::mouseMoveEvent(QMouseEvent* event) {
  m_LastPointer = event->position().toPoint();
  if (m_DragIndex < 0) {
    unsetCursor();
    return;
  }
  setCursor(Qt::DragMoveCursor);
  if (m_OnHighlight) {
    m_OnHighlight(TimeAt(m_LastPointer.x()));
  }
}

void CTimelineTrack::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  m_LastPointer = event->position().toPoint();
  const int index = m_DragIndex;
  m_DragIndex = -1;
  unsetCursor();
  if (index < 0) {
    return;
  }
  const uint32_t time = TimeAt(m_LastPointer.x());
  // A drop on the key's own cell, or on another key, changes nothing.
  if (m_Editor.MoveActionKey(index, time)) {
    m_Editor.PickTime(time);
  } else if (m_OnHighlight) {
    m_OnHighlight(CurrentTime());
  }
}

void CTimelineTrack::keyPressEvent(QKeyEvent* event) {
  if (HandlePlaybackKey(m_Editor, event->key(), event->modifiers())) {
    update();
    return;
  }
  if (event->key() != Qt::Key_F6) {
    QWidget::keyPressEvent(event);
    return;
  }
  m_Editor.InsertEmptyTime(CurrentTime());
  update();
}

QMenu* CTimelineTrack::MakeMenu(uint32_t time) {
  auto* menu = new QMenu(this);
  menu->setObjectName("timelineMenu");
  // Gone once it closes, whether an item was chosen or not.
  QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
  const UObjActor* actor = m_Editor.Actor();
  const bool hasAction = actor != nullptr && actor->actions.IsValidIndex(m_Editor.SelectedAction());
  const bool hasFrame = actor != nullptr && actor->frames.IsValidIndex(m_Editor.SelectedFrame());
  int index = -1;
  bool exact = false;
  m_Editor.FindActionKey(time, &index, &exact);
  QAction* item = nullptr;
  if (exact) {
    item = menu->addAction(UiText::tr("删除此帧"));
    item->setData(kDeleteKeyCommand);
    QObject::connect(item, &QAction::triggered, this, [this, time] {
      int found = -1;
      bool startsThere = false;
      m_Editor.FindActionKey(time, &found, &startsThere);
      if (startsThere) {
        m_Editor.DeleteActionKey(m_Editor.SelectedAction(), found);
      }
      update();
    });
  } else {
    const std::string name =
        hasFrame ? ShownName(actor->frames[static_cast<size_t>(m_Editor.SelectedFrame())]->name)
                 : std::string();
    item = menu->addAction(UiText::tr("添加当前帧 [%1]").arg(QString::fromStdString(name)));
    item->setData(kAddKeyCommand);
    QObject::connect(item, &QAction::triggered, this, [this, time] {
      if (m_Editor.SelectedFrame() >= 0) {
        m_Editor.InsertActionKey(m_Editor.SelectedAction(), time,
                                 static_cast<uint32_t>(m_Editor.SelectedFrame()));
      }
      update();
    });
  }
  item->setEnabled(hasAction && hasFrame);
  return menu;
}

void CTimelineTrack::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Mouse) {
    m_LastPointer = event->pos();
  }
  const uint32_t time = TimeAt(m_LastPointer.x());
  if (m_OnHighlight) {
    m_OnHighlight(time);
  }
  MakeMenu(time)->popup(event->globalPos());
}
