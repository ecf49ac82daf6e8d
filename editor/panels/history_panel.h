#pragma once

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;

// The history pane: one row per entry of the editor's history, the starting state first. The
// entry the actor is at is marked and selected; the entries after it, which Redo would bring
// back, are greyed. Choosing a row undoes or redoes to that entry.
class CHistoryPanel : public CReportList, public CEditorListener {
 public:
  CHistoryPanel(CVelloEditor& editor, QWidget* parent);
  ~CHistoryPanel() override;

  void OnEditorChanged(uint32_t changes) override;

 private:
  void Refresh();

  CVelloEditor& m_Editor;
};
