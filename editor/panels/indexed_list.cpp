#include "editor/panels/indexed_list.h"

#include <QHeaderView>
#include <QSignalBlocker>

CIndexedList::CIndexedList(const std::vector<Column>& columns, QWidget* parent)
    : QTableWidget(0, static_cast<int>(columns.size()), parent) {
  QStringList captions;
  for (const Column& column : columns) {
    captions << QString::fromUtf8(column.caption);
  }
  setHorizontalHeaderLabels(captions);
  for (int i = 0; i < columnCount(); ++i) {
    horizontalHeader()->resizeSection(i, columns[static_cast<size_t>(i)].width);
  }
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  connect(this, &QTableWidget::itemSelectionChanged, this, &CIndexedList::ReportSelection);
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int /*column*/) {
    if (onRowDoubleClicked) {
      onRowDoubleClicked(row);
    }
  });
}

void CIndexedList::ShowRows(const std::vector<QStringList>& rows, int selected) {
  const QSignalBlocker blocker(this);
  setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const QStringList& texts = rows[static_cast<size_t>(row)];
    for (int column = 0; column < columnCount(); ++column) {
      const QString text = column < texts.size() ? texts[column] : QString();
      if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
      } else {
        setItem(row, column, new QTableWidgetItem(text));
      }
    }
  }
  if (selected >= 0 && selected < rowCount()) {
    setCurrentCell(selected, 0);
    selectRow(selected);
  } else {
    clearSelection();
  }
}

void CIndexedList::ReportSelection() {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (ranges.isEmpty() || !onRowSelected) {
    return;
  }
  // With several rows selected, the last one wins.
  onRowSelected(ranges.last().bottomRow());
}

QString MarkedIndex(int index, bool selected) {
  return MarkedText(QString::number(index), selected);
}

QString MarkedText(const QString& text, bool selected) {
  return selected ? QStringLiteral("[ %1 ]").arg(text) : QStringLiteral("  ") + text;
}
