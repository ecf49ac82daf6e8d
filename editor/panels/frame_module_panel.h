#pragma once

#include <QPushButton>
#include <QWidget>
#include <vector>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;

// The placements of the selected frame, one row each with its module index, above a 20-pixel
// strip of three buttons: "上移" and "下移" move the selected placement one place up or down the
// drawing order, "删除" removes the selected ones. Selecting rows (Ctrl and Shift clicks, Ctrl+A
// for all) selects those placements, and the rows follow the editor's selection.
class CFrameModulePanel : public QWidget, public CEditorListener {
 public:
  CFrameModulePanel(CVelloEditor& editor, QWidget* parent);
  ~CFrameModulePanel() override;

  void OnEditorChanged(uint32_t changes) override;

  CReportList* List() { return &m_List; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  void SelectPlacements(const std::vector<int>& rows, int current);
  void Move(int step);

  CVelloEditor& m_Editor;
  CReportList m_List;
  QPushButton m_Up;
  QPushButton m_Down;
  QPushButton m_Delete;
};
