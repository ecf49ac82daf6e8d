#include "editor/panels/history_panel.h"

#include <QBrush>
#include <QPalette>

#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"

CHistoryPanel::CHistoryPanel(CVelloEditor& editor, QWidget* parent)
    : CReportList({{"编号", 40}, {"步骤", 160}}, parent), m_Editor(editor) {
  setWindowTitle("HL");
  setObjectName("historyList");
  setAccessibleName(res::kAccessibleHistory);
  SetRowSelectedHandler([this](int row) { m_Editor.JumpToHistory(row); });
  m_Editor.AddListener(this);
  Refresh();
}

CHistoryPanel::~CHistoryPanel() {
  m_Editor.RemoveListener(this);
}

void CHistoryPanel::OnEditorChanged(uint32_t changes) {
  if ((changes & (kChangeHistory | kChangeActor)) != 0) {
    Refresh();
  }
}

void CHistoryPanel::Refresh() {
  const int position = m_Editor.HistoryPosition();
  std::vector<QStringList> rows;
  for (int entry = 0; entry < m_Editor.HistorySize(); ++entry) {
    rows.push_back({MarkedIndex(entry, entry == position),
                    QString::fromStdString(m_Editor.HistoryName(entry))});
  }
  SetRows(rows, position);
  const QBrush greyed = palette().brush(QPalette::Disabled, QPalette::Text);
  for (int row = 0; row < topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = topLevelItem(row);
    for (int column = 0; column < columnCount(); ++column) {
      // Rows are reused, so a row that is no longer a redo step loses its grey.
      item->setData(column, Qt::ForegroundRole, row > position ? QVariant(greyed) : QVariant());
    }
  }
}
