#include "editor/panels/frame_tag_dialog.h"

#include <QVBoxLayout>

#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/pair_item.h"
#include "editor_support/property_grid/standard_items.h"

namespace {

// A "Position" or "Size" row: it shows "%d,%d" of its two 16-bit children, which are edited.
void AddPair(UPropertyGridItem* category, const QString& caption, const char* firstCaption,
             int16_t* first, const char* secondCaption, int16_t* second) {
  category->AddChildItem(
      new UPropertyGridItemPair(caption, new MyPropertyGridItemShort(firstCaption, *first, first),
                                new MyPropertyGridItemShort(secondCaption, *second, second)));
}

}  // namespace

MyFrameTagPropertyDlg::MyFrameTagPropertyDlg(CVelloEditor& editor, int frame, int tag,
                                             QWidget* parent)
    : QDialog(parent)
    , m_Editor(editor)
    , m_Grid(this)
    , m_Save("保存", this)
    , m_MergeKey(editor.NewMergeKey()) {
  setWindowTitle("标签属性");
  setObjectName("tagPropertyDialog");
  m_Grid.setObjectName("tagGrid");
  m_Save.setObjectName("saveButton");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(&m_Grid);
  layout->addWidget(&m_Save, 0, Qt::AlignRight);
  connect(&m_Save, &QPushButton::clicked, this, &QDialog::accept);
  resize(300, 260);

  UObjFrame* edited = m_Editor.actor == nullptr ? nullptr : m_Editor.actor->GetFrame(frame);
  if (edited != nullptr && edited->tags.IsValidIndex(tag)) {
    AddItems(edited->tags[static_cast<size_t>(tag)]);
  }
}

void MyFrameTagPropertyDlg::AddItems(TFrameTag& tag) {
  UPropertyGridItem* category = m_Grid.AddCategory("Tag属性");
  category->AddChildItem(new MyPropertyGridItemUName("名字", tag.name, &tag.name));
  AddPair(category, "Position", "x", &tag.x, "y", &tag.y);
  AddPair(category, "Size", "width", &tag.width, "height", &tag.height);
  category->AddChildItem(new UPropertyGridItemNumber("Param1", tag.Param1, &tag.Param1));
  category->AddChildItem(new UPropertyGridItemNumber("Param2", tag.Param2, &tag.Param2));
  m_Grid.ExpandAll();
  m_Grid.SetValueChangedHandler([this](UPropertyGridItem* /*item*/) {
    m_Editor.ActorEdited(kChangeTags, res::kStepEditTag, m_MergeKey);
  });
}
