#include "editor/view/action_frame_editor.h"

#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "editor/res/strings.h"
#include "editor/view/timeline_ruler.h"
#include "editor/view/timeline_style.h"
#include "editor/view/timeline_track.h"
#include "editor/view/view_accessibility.h"

MyActionFrameEditor::MyActionFrameEditor(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_Editor(editor)
    , m_Ruler(new CTimelineRuler(this))
    , m_Track(new CTimelineTrack(editor, this))
    , m_Status(new QLineEdit(this))
    , m_ScrollBar(new QScrollBar(Qt::Horizontal, this)) {
  setObjectName("actionFrameEditor");
  setWindowTitle(QStringLiteral("FML"));
  m_Status->setObjectName("timelineStatus");
  m_Status->setReadOnly(true);
  m_Status->setAccessibleName(res::kAccessiblePlayPosition);
  m_Status->setFont(timeline::RulerFont());
  m_ScrollBar->setObjectName("timelineScrollBar");
  m_ScrollBar->setRange(0, kScrollRange);
  m_ScrollBar->setPageStep(1);
  m_ScrollBar->setSingleStep(1);
  m_ScrollBar->setValue(0);
  // Every scroll code (a step, a page, the thumb, either end, the wheel) ends as a new value;
  // the bar keeps it within its range.
  QObject::connect(m_ScrollBar, &QScrollBar::valueChanged, this,
                   [this](int position) { Scrolled(position); });
  m_Track->SetHighlightHandler([this](uint32_t time) { m_Ruler->SetMarkTime(time); });
  m_Editor.AddListener(this);
  SetCurrentTime(CurrentTime());
}

MyActionFrameEditor::~MyActionFrameEditor() {
  m_Editor.RemoveListener(this);
}

uint32_t MyActionFrameEditor::CurrentTime() const {
  const float time = m_Editor.PlayTime();
  return time > 0.0f ? static_cast<uint32_t>(std::floor(time)) : 0u;
}

void MyActionFrameEditor::OnEditorChanged(uint32_t changes) {
  constexpr uint32_t kShown = kChangeActor | kChangeActions | kChangeActionKeys | kChangeFrames |
                              kChangeSelection | kChangePlacements;
  if ((changes & kShown) != 0) {
    ShowAction();
  }
  if ((changes & (kShown | kChangePlayTime | kChangeTools)) != 0) {
    SetCurrentTime(CurrentTime());
  }
  NotifyTimelineAccessibility(*m_Track, changes);
}

void MyActionFrameEditor::ShowAction() {
  m_Track->update();
}

void MyActionFrameEditor::SetCurrentTime(uint32_t time) {
  m_Ruler->SetMarkTime(time);
  m_Track->update();
  const bool interpolates = m_Editor.Actor() != nullptr && m_Editor.Actor()->interpolate;
  m_Status->setText(QString::asprintf(
      "当前帧 %4u \t 当前帧索引号 %4d \t 帧频率 %2.1f fps \t 运行时间 %3.3f s  bInterpolation=%d",
      time, m_Editor.ShownFrame(), static_cast<double>(m_Editor.FrameRate()),
      static_cast<double>(m_Editor.PlayTime()), interpolates ? 1 : 0));
  // The start of the line (the current time) stays in sight.
  m_Status->setCursorPosition(0);
}

void MyActionFrameEditor::Scrolled(int position) {
  const auto first = static_cast<uint32_t>(std::max(position, 0));
  m_Ruler->SetFirstTime(first);
  m_Track->SetFirstTime(first);
}

void MyActionFrameEditor::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width();
  const int h = height();
  const int below = std::max(h - 40, 0);
  const int statusWidth = std::max(w - kScrollBarWidth, 0);
  m_Ruler->setGeometry(0, 0, w, timeline::kRulerHeight);
  m_Track->setGeometry(0, timeline::kRulerHeight, w, timeline::kTrackHeight);
  m_Status->setGeometry(0, 40, statusWidth, below);
  m_ScrollBar->setGeometry(statusWidth, 40, w - statusWidth, below);
}
