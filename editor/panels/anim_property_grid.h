#pragma once

#include <cstdint>

#include "editor/doc/edit_mode.h"
#include "editor/doc/edited_fields.h"
#include "editor/doc/editor_listener.h"
#include "editor_support/property_grid/property_grid.h"

class CVelloEditor;

// The property pane: one page for what the editor context edits now (its `mode`): the selected
// module, the selected frame with its selected placement (with several selected, the fields they
// share, and an edit of one goes to all of them), or the selected action. The page edits
// a copy of the record's fields; a committed edit hands the copy to the editor context, which
// makes it one step and has every view show the new value. The page is built again after every
// change that can alter what it shows.
class CAnimPropertyGrid : public UPropertyGrid, public CEditorListener {
 public:
  CAnimPropertyGrid(CVelloEditor& editor, QWidget* parent = nullptr);
  ~CAnimPropertyGrid() override;

  // Empties the grid and builds the page that the editor's mode selects; the grid stays empty
  // without an actor or when the selected index of that kind names nothing.
  void RefreshProperties();

  void OnEditorChanged(uint32_t changes) override;
  void OnEndEdits() override { EndEdit(); }

  // Whether an item's value is being edited in place: undo and redo wait until the edit ends.
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

 private:
  void OnItemCommitted(UPropertyGridItem* item);
  // Rebuilds once control is back in the event loop: a commit's own notification arrives while
  // the grid is still inside the edited item, which must outlive the commit.
  void RebuildLater();

  CVelloEditor& m_Editor;
  // The page shown: its kind and the record it edits (-1 while no page shows), with the copy of
  // that record's fields the items edit.
  EditMode m_PageMode = EditMode::Module;
  int m_PageIndex = -1;
  CModuleFields m_Module;
  CFrameFields m_Frame;
  CActionFields m_Action;
  bool m_InCommit = false;
  bool m_RebuildQueued = false;
};
