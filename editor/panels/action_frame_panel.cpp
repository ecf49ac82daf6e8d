#include "editor/panels/action_frame_panel.h"

#include <QResizeEvent>
#include <cstdint>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"

CActionFrameListCtrl::CActionFrameListCtrl(const CVelloEditor& editor, QWidget* parent)
    : CReportList({{"编号", 50}, {"时间", 50}, {"帧号", 50}, {"帧名", 150}}, parent)
    , m_Editor(editor) {
  setObjectName("actionFrameList");
  setAccessibleName(res::kAccessibleKeyList);
}

void CActionFrameListCtrl::Refresh() {
  std::vector<QStringList> rows;
  const UObjActor* actor = m_Editor.Actor();
  if (actor != nullptr && actor->actions.IsValidIndex(m_Editor.SelectedAction())) {
    const UObjAction* action = actor->actions[static_cast<size_t>(m_Editor.SelectedAction())];
    for (int i = 0; i < action->keys.Num(); ++i) {
      const TActionFrame& key = action->keys[static_cast<size_t>(i)];
      // A key whose frame is missing shows no frame name.
      const int frame = static_cast<int>(key.frame);
      const QString frameName =
          key.frame <= INT32_MAX && actor->frames.IsValidIndex(frame)
              ? QString::fromStdString(ShownName(actor->frames[static_cast<size_t>(frame)]->name))
              : QString();
      rows.push_back({MarkedIndex(i, i == m_Editor.SelectedActionFrame()),
                      QString::number(key.time), QString::number(key.frame), frameName});
    }
  }
  SetRows(rows, m_Editor.SelectedActionFrame());
}

CActionFramePanel::CActionFramePanel(CVelloEditor& editor, QWidget* parent)
    : QWidget(parent), m_Editor(editor), m_List(new CActionFrameListCtrl(editor, this)) {
  setWindowTitle("AFL");
  m_List->SetRowSelectedHandler([this](int row) { m_Editor.SelectActionFrame(row); });
  m_Editor.AddListener(this);
  m_List->Refresh();
}

CActionFramePanel::~CActionFramePanel() {
  m_Editor.RemoveListener(this);
}

void CActionFramePanel::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeActions | kChangeActionKeys | kChangeFrames |
                  kChangeSelection)) != 0) {
    m_List->Refresh();
  }
}

void CActionFramePanel::resizeEvent(QResizeEvent* event) {
  m_List->setGeometry(0, 0, event->size().width(), event->size().height());
}
