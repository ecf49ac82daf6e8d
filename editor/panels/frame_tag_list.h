#pragma once

#include <QMenu>

#include "editor/doc/editor_listener.h"
#include "editor/panels/report_list.h"

class CVelloEditor;

// The tags of the selected frame: name, "x,y", "width,height" and both parameters. While the
// same frame shows with the same tags, a refresh only rewrites the texts, so the selected row and
// the scrolling stay. The context menu deletes the selected tag; a double click opens the tag
// dialog.
class CFrameTagListCtrl : public CReportList, public CEditorListener {
 public:
  static constexpr int kDeleteTag = 21505;

  CFrameTagListCtrl(CVelloEditor& editor, QWidget* parent);
  ~CFrameTagListCtrl() override;

  void OnEditorChanged(uint32_t changes) override;

  // The context menu, its item enabled when a tag is selected.
  QMenu* ContextMenu();
  // "删除标签": the remembered row's tag goes.
  void DeleteTag();
  // The tag dialog on the selected tag; nothing when none is selected.
  void EditTag();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Rebuilds the rows when the frame or the number of tags changed, else rewrites their texts.
  void Refresh();

  CVelloEditor& m_Editor;
  QMenu m_Menu{this};
  QAction* m_Delete;
  int m_Frame = -1;  // the frame whose tags the rows show
  int m_Row = -1;    // the row the user selected last
};
