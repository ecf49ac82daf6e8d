#pragma once

#include <QWidget>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;

// The keys of the selected action: "编号" (marked for the selected key), "时间", "帧号" and
// "帧名" (the name of the key's frame). Empty while no action is selected.
class CActionFrameListCtrl : public CReportList {
 public:
  CActionFrameListCtrl(const CVelloEditor& editor, QWidget* parent);
  void Refresh();

 private:
  const CVelloEditor& m_Editor;
};

// The action-key pane ("AFL"): the key list fills it. Selecting a row selects the key, its
// frame and its time, and stops playing.
class CActionFramePanel : public QWidget, public CEditorListener {
 public:
  CActionFramePanel(CVelloEditor& editor, QWidget* parent);
  ~CActionFramePanel() override;

  void OnEditorChanged(uint32_t changes) override;

  CActionFrameListCtrl* List() const { return m_List; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  CVelloEditor& m_Editor;
  CActionFrameListCtrl* m_List;
};
