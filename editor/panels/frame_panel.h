#pragma once

#include <QWidget>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;
class QPushButton;

// The frame list: "编号" (the index, marked for the selected frame), "名字", "模块数" (the number
// of placements).
class CFrameListCtrl : public CReportList {
 public:
  CFrameListCtrl(const CVelloEditor& editor, QWidget* parent);
  void Refresh();

 private:
  const CVelloEditor& m_Editor;
};

// The frames pane ("FL"): the frame list above a strip of four buttons, "添加", "添加拷贝",
// "删除" and "选项". Selecting a row selects the frame; double-clicking it renames the frame.
class CFramePanel : public QWidget, public CEditorListener {
 public:
  CFramePanel(CVelloEditor& editor, QWidget* parent);
  ~CFramePanel() override;

  void OnEditorChanged(uint32_t changes) override;

  CFrameListCtrl* List() const { return m_List; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddFrame();
  void AddCopy();
  void DeleteFrame();
  void RenameFrame();
  // The name proposed for a new frame: "Frame %d" with the frame count.
  std::string ProposedName() const;

  CVelloEditor& m_Editor;
  CFrameListCtrl* m_List;
  QPushButton* m_Buttons[4];
};
