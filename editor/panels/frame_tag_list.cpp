#include "editor/panels/frame_tag_list.h"

#include <QContextMenuEvent>

#include "editor/doc/editor_text.h"
#include "editor/doc/vello_editor.h"
#include "editor/panels/frame_tag_dialog.h"
#include "editor/res/strings.h"
#include "editor/services/prompt_service.h"

namespace {

QStringList TagRow(const TFrameTag& tag) {
  return {QString::fromStdString(ShownName(tag.name)), QString("%1,%2").arg(tag.x).arg(tag.y),
          QString("%1,%2").arg(tag.width).arg(tag.height), QString::number(tag.Param1),
          QString::number(tag.Param2)};
}

}  // namespace

CFrameTagListCtrl::CFrameTagListCtrl(CVelloEditor& editor, QWidget* parent)
    : CReportList(
          {{"标签", 150}, {"位置", 100}, {"大小", 50}, {"标签参数1", 50}, {"标签参数2", 50}},
          parent)
    , m_Editor(editor) {
  setObjectName("tagList");
  setAccessibleName(res::kAccessibleTagList);
  m_Delete = m_Menu.addAction("删除标签", this, [this] { DeleteTag(); });
  m_Delete->setData(kDeleteTag);
  SetRowSelectedHandler([this](int row) {
    m_Row = row;
    m_Editor.SelectTag(row);
  });
  SetRowDoubleClickedHandler([this](int /*row*/) { EditTag(); });
  m_Editor.AddListener(this);
  Refresh();
}

CFrameTagListCtrl::~CFrameTagListCtrl() {
  m_Editor.RemoveListener(this);
}

void CFrameTagListCtrl::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeFrames | kChangeTags | kChangeSelection)) != 0) {
    Refresh();
  }
}

QMenu* CFrameTagListCtrl::ContextMenu() {
  const UObjFrame* frame =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(m_Editor.SelectedFrame());
  m_Delete->setEnabled(frame != nullptr && frame->tags.IsValidIndex(m_Row));
  return &m_Menu;
}

void CFrameTagListCtrl::DeleteTag() {
  const int row = m_Row;
  m_Row = -1;
  m_Editor.DeleteTag(row);
}

void CFrameTagListCtrl::EditTag() {
  const UObjFrame* frame =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(m_Editor.SelectedFrame());
  if (frame == nullptr || !frame->tags.IsValidIndex(m_Editor.SelectedTag())) {
    return;
  }
  MyFrameTagPropertyDlg dialog(m_Editor, m_Editor.SelectedFrame(), m_Editor.SelectedTag(), this);
  Prompts().RunDialog(dialog);
  // "保存" leaves the tag as edited; the rows show its final values either way.
  Refresh();
}

void CFrameTagListCtrl::contextMenuEvent(QContextMenuEvent* event) {
  ContextMenu()->popup(event->globalPos());
}

void CFrameTagListCtrl::Refresh() {
  const UObjFrame* frame =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(m_Editor.SelectedFrame());
  const int shownFrame = frame == nullptr ? -1 : m_Editor.SelectedFrame();
  std::vector<QStringList> rows;
  if (frame != nullptr) {
    for (const TFrameTag& tag : frame->tags) {
      rows.push_back(TagRow(tag));
    }
  }
  if (shownFrame == m_Frame && RewriteRows(rows)) {
    if (SelectedRow() != m_Editor.SelectedTag()) {
      SelectRow(m_Editor.SelectedTag());
    }
  } else {
    m_Frame = shownFrame;
    SetRows(rows, m_Editor.SelectedTag());
  }
  // A tag picked in the view is the one the menu deletes.
  m_Row = SelectedRow();
}
