#pragma once

// The driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "editor/doc/vello_editor.h"

#include <QWidget>
#include <cstdint>

class CTimelineRuler;
class CTimelineTrack;
class QLineEdit;
class QScrollBar;

// The action frame editor: the timeline of the selected action. A ruler of time cells, the
// track with the action's keys, a read-only status line of the play position and a scroll bar
// over the time axis; the play position follows the editor context's playTime.
class MyActionFrameEditor : public QWidget, public CEditorListener {
 public:
  static constexpr int kScrollRange = 1024;
  static constexpr int kScrollBarWidth = 300;

  MyActionFrameEditor(CVelloEditor& editor, QWidget* parent = nullptr);
  ~MyActionFrameEditor() override;

  void OnEditorChanged(uint32_t changes) override;

  // Shows the keys of the selected action (none without one).
  void ShowAction();
  // Marks time `time` in the ruler and writes the status line.
  void SetCurrentTime(uint32_t time);

  CTimelineRuler& Ruler() { return *m_Ruler; }
  CTimelineTrack& Track() { return *m_Track; }
  QLineEdit& StatusLine() { return *m_Status; }
  QScrollBar& ScrollBar() { return *m_ScrollBar; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Scrolled(int position);
  uint32_t CurrentTime() const;

  CVelloEditor& m_Editor;
  CTimelineRuler* m_Ruler;
  CTimelineTrack* m_Track;
  QLineEdit* m_Status;
  QScrollBar* m_ScrollBar;
};
