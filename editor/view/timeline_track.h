#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>

class CVelloEditor;
class QMenu;

// The timeline's track: the cells of the selected action's time axis with its keys, the
// current time inverted. A press picks the time; a second press on a key at the current time
// starts a drag that moves the key where the button is released. F6 inserts a time step, and the
// playback keys (see playback_keys.h) act here as in the view; the context menu adds the selected
// frame as a key or deletes the key under the pointer.
class CTimelineTrack : public QWidget {
 public:
  // The menu's commands.
  static constexpr int kAddKeyCommand = 2816;
  static constexpr int kDeleteKeyCommand = 2817;

  explicit CTimelineTrack(CVelloEditor& editor, QWidget* parent = nullptr);

  void SetFirstTime(uint32_t time);
  uint32_t FirstTime() const { return m_FirstTime; }
  CVelloEditor& Editor() const { return m_Editor; }
  // Told the time of the ruler cell to highlight while dragging or choosing from the menu.
  void SetHighlightHandler(std::function<void(uint32_t)> handler);
  // The key being dragged, -1 when none.
  int DragIndex() const { return m_DragIndex; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The time of the cell under client x; left of the track is time 0.
  uint32_t TimeAt(int x) const;
  uint32_t CurrentTime() const;
  // The menu for time `time`: one item, to delete the key starting there or to add the
  // selected frame there.
  QMenu* MakeMenu(uint32_t time);

  CVelloEditor& m_Editor;
  std::function<void(uint32_t)> m_OnHighlight;
  uint32_t m_FirstTime = 0;
  int m_DragIndex = -1;
  QPoint m_LastPointer{0, 0};
};
