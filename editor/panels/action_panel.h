#pragma once

#include <QWidget>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;
class QPushButton;

// The action list: "动作名" (marked for the selected action) and "帧数" (the number of keys).
class CActionListCtrl : public CReportList {
 public:
  CActionListCtrl(const CVelloEditor& editor, QWidget* parent);
  void Refresh();

 private:
  const CVelloEditor& m_Editor;
};

// The actions pane ("AL"): the action list, and under it "新建" and "删除". Selecting a row
// selects the action (and stops playing); double-clicking it opens "动作设置" on its name.
class CActionPanel : public QWidget, public CEditorListener {
 public:
  CActionPanel(CVelloEditor& editor, QWidget* parent);
  ~CActionPanel() override;

  void OnEditorChanged(uint32_t changes) override;

  CActionListCtrl* List() const { return m_List; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void NewAction();
  void DeleteAction();
  void EditAction();

  CVelloEditor& m_Editor;
  CActionListCtrl* m_List;
  QPushButton* m_New;
  QPushButton* m_Delete;
};
