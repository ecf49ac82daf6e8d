#include "editor/panels/report_list.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QSignalBlocker>
#include <QToolTip>
#include <algorithm>

#include "editor/res/ui_text.h"

CReportList::CReportList(std::initializer_list<Column> columns, QWidget* parent)
    : QTreeWidget(parent) {
  QStringList captions;
  for (const Column& column : columns) {
    captions << UiText::tr(column.caption);
  }
  setColumnCount(static_cast<int>(captions.size()));
  setHeaderLabels(captions);
  int index = 0;
  for (const Column& column : columns) {
    setColumnWidth(index++, column.width);
  }
  header()->setStretchLastSection(false);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int /*column*/) {
            const int row = indexOfTopLevelItem(item);
            if (row >= 0 && m_RowDoubleClicked) {
              m_RowDoubleClicked(row);
            }
          });
}

void CReportList::SetRows(const std::vector<QStringList>& rows, int selected) {
  const QSignalBlocker blocker(this);
  const int wanted = static_cast<int>(rows.size());
  // Rows past the new end go from the last one back, so no row that stays moves.
  while (topLevelItemCount() > wanted) {
    delete takeTopLevelItem(topLevelItemCount() - 1);
  }
  QList<QTreeWidgetItem*> added;
  for (int row = 0; row < wanted; ++row) {
    QTreeWidgetItem* item = row < topLevelItemCount() ? topLevelItem(row) : nullptr;
    if (item == nullptr) {
      item = new QTreeWidgetItem();
      added << item;
    }
    WriteRow(item, rows[static_cast<size_t>(row)]);
  }
  addTopLevelItems(added);
  SelectRow(selected);
}

bool CReportList::RewriteRows(const std::vector<QStringList>& rows) {
  if (static_cast<int>(rows.size()) != topLevelItemCount()) {
    return false;
  }
  for (int row = 0; row < topLevelItemCount(); ++row) {
    WriteRow(topLevelItem(row), rows[static_cast<size_t>(row)]);
  }
  return true;
}

void CReportList::WriteRow(QTreeWidgetItem* item, const QStringList& texts) {
  for (int column = 0; column < columnCount(); ++column) {
    item->setText(column, column < texts.size() ? texts[column] : QString());
  }
}

void CReportList::SelectRow(int row) {
  const QSignalBlocker blocker(this);
  QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
  if (item == nullptr) {
    clearSelection();
    setCurrentItem(nullptr);
    return;
  }
  setCurrentItem(item);
  item->setSelected(true);
  scrollToItem(item);
}

void CReportList::SetRowsSelectedHandler(RowsHandler handler) {
  m_RowsSelected = std::move(handler);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void CReportList::SelectRows(const std::vector<int>& rows, int current) {
  const QSignalBlocker blocker(this);
  clearSelection();
  QTreeWidgetItem* currentItem = current >= 0 ? topLevelItem(current) : nullptr;
  setCurrentItem(currentItem, 0, QItemSelectionModel::NoUpdate);
  for (const int row : rows) {
    if (QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr) {
      item->setSelected(true);
    }
  }
  if (currentItem != nullptr) {
    scrollToItem(currentItem);
  }
}

int CReportList::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.last());
}

bool CReportList::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QTreeWidget::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  const QString text = index.data().toString();
  const QRect cell = visualRect(index);
  // Room for the text is the cell less the margins the style draws around it.
  const int room =
      cell.width() - 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) - 2;
  if (index.isValid() && fontMetrics().horizontalAdvance(text) > room) {
    QToolTip::showText(help->globalPos(), text, viewport(), cell);
  } else {
    QToolTip::hideText();
  }
  return true;
}

void CReportList::OnSelectionChanged() {
  if (m_RowsSelected) {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : selectedItems()) {
      rows.push_back(indexOfTopLevelItem(item));
    }
    std::sort(rows.begin(), rows.end());
    if (!rows.empty()) {
      m_RowsSelected(rows, currentItem() != nullptr ? indexOfTopLevelItem(currentItem()) : -1);
    }
    return;
  }
  const int row = SelectedRow();
  if (row >= 0 && m_RowSelected) {
    m_RowSelected(row);
  }
}

QString MarkedIndex(int index, bool selected) {
  return MarkedText(QString::number(index), selected);
}

QString MarkedText(const QString& text, bool selected) {
  return selected ? QStringLiteral("[ %1 ]").arg(text) : QStringLiteral("  ") + text;
}
