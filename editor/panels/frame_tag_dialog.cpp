#include "editor/panels/frame_tag_dialog.h"

#include <QVBoxLayout>

#include "editor/doc/vello_editor.h"
#include "editor/panels/checked_number_item.h"
#include "editor/res/ui_text.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/pair_item.h"
#include "editor_support/property_grid/standard_items.h"

namespace {

// A "Position" or "Size" row: it shows "%d,%d" of its two 16-bit children, which are edited.
void AddPair(UPropertyGridItem* category, const QString& caption, const char* firstCaption,
             int16_t* first, const char* secondCaption, int16_t* second) {
  category->AddChildItem(new UPropertyGridItemPair(caption, CheckedShortItem(firstCaption, *first),
                                                   CheckedShortItem(secondCaption, *second)));
}

}  // namespace

MyFrameTagPropertyDlg::MyFrameTagPropertyDlg(CVelloEditor& editor, int frame, int tag,
                                             QWidget* parent)
    : QDialog(parent)
    , m_Editor(editor)
    , m_Grid(this)
    , m_Save(UiText::tr("保存"), this)
    , m_Frame(frame)
    , m_TagIndex(tag)
    , m_MergeKey(editor.NewMergeKey()) {
  setWindowTitle(UiText::tr("标签属性"));
  setObjectName("tagPropertyDialog");
  m_Grid.setObjectName("tagGrid");
  m_Save.setObjectName("saveButton");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(&m_Grid);
  layout->addWidget(&m_Save, 0, Qt::AlignRight);
  connect(&m_Save, &QPushButton::clicked, this, &QDialog::accept);
  resize(300, 260);

  const UObjFrame* edited =
      m_Editor.Actor() == nullptr ? nullptr : m_Editor.Actor()->GetFrame(frame);
  if (edited != nullptr && edited->tags.IsValidIndex(tag)) {
    m_Tag = edited->tags[static_cast<size_t>(tag)];
    AddItems();
  }
}

void MyFrameTagPropertyDlg::AddItems() {
  UPropertyGridItem* category = m_Grid.AddCategory(UiText::tr("Tag属性"));
  category->AddChildItem(new MyPropertyGridItemUName(UiText::tr("名字"), m_Tag.name, &m_Tag.name));
  AddPair(category, "Position", "x", &m_Tag.x, "y", &m_Tag.y);
  AddPair(category, "Size", "width", &m_Tag.width, "height", &m_Tag.height);
  category->AddChildItem(CheckedNumberItem("Param1", m_Tag.Param1));
  category->AddChildItem(CheckedNumberItem("Param2", m_Tag.Param2));
  m_Grid.ExpandAll();
  m_Grid.SetValueChangedHandler([this](UPropertyGridItem* /*item*/) {
    m_Editor.SetTag(m_Frame, m_TagIndex, m_Tag, m_MergeKey);
  });
}
