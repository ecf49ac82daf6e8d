#pragma once

#include <cstdint>

#include "editor/doc/editor_listener.h"
#include "editor_support/property_grid/property_grid.h"

class CVelloEditor;

// The property pane: one page for what the editor context edits now (its `mode`): the selected
// module, the selected frame with its selected placement, or the selected action. Items are
// bound to the model's fields, so a committed edit changes the actor at once; the editor context
// is then told, which marks the document modified and has every view show the new value.
//
// The items hold pointers into the actor, so the page is built again from the selection indices
// after every change that can move or remove what they point at.
class CAnimPropertyGrid : public UPropertyGrid, public CEditorListener {
 public:
  CAnimPropertyGrid(CVelloEditor& editor, QWidget* parent = nullptr);
  ~CAnimPropertyGrid() override;

  // Empties the grid and builds the page that the editor's mode selects; the grid stays empty
  // without an actor or when the selected index of that kind names nothing.
  void RefreshProperties();

  void OnEditorChanged(uint32_t changes) override;

  // Whether an item's value is being edited in place: the item holds a pointer into the actor
  // until the edit is committed, so the actor must not be swapped meanwhile (undo, redo).
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

 private:
  void OnItemCommitted();
  // Rebuilds once control is back in the event loop: a commit's own notification arrives while
  // the grid is still inside the edited item, which must outlive the commit.
  void RebuildLater();

  CVelloEditor& m_Editor;
  // What an edit of the page shown changes, for the editor's listeners.
  uint32_t m_PageChanges = 0;
  // The name of the history step an edit of the page shown makes; null while no page shows.
  const char* m_PageStep = nullptr;
  bool m_InCommit = false;
  bool m_RebuildQueued = false;
};
