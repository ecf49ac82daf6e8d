#include "editor/panels/frame_tag_dialog.h"

#include <QVBoxLayout>

#include "editor/doc/vello_editor.h"
#include "editor_support/property_grid/my_property_grid_items.h"
#include "editor_support/property_grid/standard_items.h"

namespace {

// A read-only row that shows its two 16-bit children as "%d,%d"; the children are edited.
class CPairItem : public UPropertyGridItem {
 public:
  CPairItem(const QString& caption, int16_t* first, int16_t* second)
      : UPropertyGridItem(caption), m_First(first), m_Second(second) {
    SetReadOnly(true);
    Show();
  }

  void Show() { UPropertyGridItem::SetValue(QString("%1,%2").arg(*m_First).arg(*m_Second)); }

 private:
  int16_t* m_First;
  int16_t* m_Second;
};

CPairItem* AddPair(UPropertyGridItem* category, const QString& caption, const char* firstCaption,
                   int16_t* first, const char* secondCaption, int16_t* second) {
  auto* pair = new CPairItem(caption, first, second);
  category->AddChildItem(pair);
  pair->AddChildItem(new MyPropertyGridItemShort(firstCaption, *first, first));
  pair->AddChildItem(new MyPropertyGridItemShort(secondCaption, *second, second));
  return pair;
}

}  // namespace

MyFrameTagPropertyDlg::MyFrameTagPropertyDlg(CVelloEditor& editor, int frame, int tag,
                                             QWidget* parent)
    : QDialog(parent), m_Editor(editor), m_Grid(this), m_Save("保存", this) {
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
  CPairItem* position = AddPair(category, "Position", "x", &tag.x, "y", &tag.y);
  CPairItem* size = AddPair(category, "Size", "width", &tag.width, "height", &tag.height);
  category->AddChildItem(new UPropertyGridItemNumber("Param1", tag.Param1, &tag.Param1));
  category->AddChildItem(new UPropertyGridItemNumber("Param2", tag.Param2, &tag.Param2));
  m_Grid.ExpandAll();
  m_Grid.SetValueChangedHandler([this, position, size](UPropertyGridItem* /*item*/) {
    position->Show();
    size->Show();
    m_Editor.ActorEdited(kChangeTags);
  });
}
