#pragma once

#include <QDialog>
#include <QPushButton>
#include <cstdint>

#include "core/anim/obj_frame.h"
#include "editor_support/property_grid/property_grid.h"

class CVelloEditor;

// "标签属性": one tag of a frame in a property grid (name, position, size, both parameters).
// The dialog edits a copy of the tag and hands it to the editor context after every committed
// edit; "保存" closes the dialog. The edits of one opening of the dialog are one step of the
// history.
class MyFrameTagPropertyDlg : public QDialog {
 public:
  // Edits tag `tag` of frame `frame`; the indices must name a tag (checked by the caller), which
  // stays in place while the modal dialog is open.
  MyFrameTagPropertyDlg(CVelloEditor& editor, int frame, int tag, QWidget* parent);

  UPropertyGrid* Grid() { return &m_Grid; }

 private:
  void AddItems();

  CVelloEditor& m_Editor;
  UPropertyGrid m_Grid;
  QPushButton m_Save;
  int m_Frame;
  int m_TagIndex;
  TFrameTag m_Tag;
  uint64_t m_MergeKey;
};
