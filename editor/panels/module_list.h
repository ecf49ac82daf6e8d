#pragma once

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;

// The actor's modules, one row each: "Module %d" and the rectangle's four edges. Selecting a
// row selects that module for editing.
class CModuleListCtrl : public CReportList, public CEditorListener {
 public:
  CModuleListCtrl(CVelloEditor& editor, QWidget* parent);
  ~CModuleListCtrl() override;

  void OnEditorChanged(uint32_t changes) override;

 protected:
  // A row dragged out carries its module in the clipboard's form; the view places it where it
  // is dropped.
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

 private:
  void Refresh();

  CVelloEditor& m_Editor;
};
