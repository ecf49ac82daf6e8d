#include "editor/panels/module_list.h"

#include <QMimeData>

#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"

namespace {

constexpr int kRowHeight = 32;

QString AreaText(const UObjModule& module) {
  return QString::asprintf("left %.3f, top %.3f, right %.3f, bottom %.3f",
                           static_cast<double>(module.left), static_cast<double>(module.top),
                           static_cast<double>(module.right), static_cast<double>(module.bottom));
}

}  // namespace

CModuleListCtrl::CModuleListCtrl(CVelloEditor& editor, QWidget* parent)
    : CReportList({{"模块", 80}, {"区域", 350}}, parent), m_Editor(editor) {
  setObjectName("moduleList");
  setAccessibleName(res::kAccessibleModuleList);
  SetRowSelectedHandler([this](int row) { m_Editor.SelectModule(row); });
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
  m_Editor.AddListener(this);
  Refresh();
}

CModuleListCtrl::~CModuleListCtrl() {
  m_Editor.RemoveListener(this);
}

void CModuleListCtrl::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeActor | kChangeModules)) != 0) {
    Refresh();
  } else if ((changes & kChangeSelection) != 0) {
    SelectRow(m_Editor.SelectedModule());
  }
}

void CModuleListCtrl::Refresh() {
  std::vector<QStringList> rows;
  if (m_Editor.Actor() != nullptr) {
    int index = 0;
    for (const UObjModule* module : m_Editor.Actor()->modules) {
      rows.push_back(
          {QString("Module %1").arg(index++), module == nullptr ? QString() : AreaText(*module)});
    }
  }
  SetRows(rows, m_Editor.SelectedModule());
  // Rows are as high as the list's blank 32 x 32 row image; the image itself shows nothing, so
  // it takes no room from the module's name.
  for (int row = 0; row < topLevelItemCount(); ++row) {
    topLevelItem(row)->setSizeHint(0, QSize(0, kRowHeight));
  }
}

QStringList CModuleListCtrl::mimeTypes() const {
  return {kClipMimeType};
}

QMimeData* CModuleListCtrl::mimeData(const QList<QTreeWidgetItem*>& items) const {
  std::vector<int32_t> rows;
  for (QTreeWidgetItem* item : items) {
    rows.push_back(indexOfTopLevelItem(item));
  }
  const std::optional<CClipItems> clip = m_Editor.CopyItems(ClipKind::Modules, rows);
  if (!clip) {
    return nullptr;
  }
  const std::vector<unsigned char> bytes = EncodeClipItems(*clip);
  auto* mime = new QMimeData;
  mime->setData(kClipMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<qsizetype>(bytes.size())));
  return mime;
}
