#include "editor_support/property_grid/property_grid.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPersistentModelIndex>

#include "editor_support/property_grid/property_grid_delegate.h"

UPropertyGrid::UPropertyGrid(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(2);
  setHeaderHidden(true);
  header()->setSectionResizeMode(QHeaderView::Stretch);
  setFont(RegularFont());
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setItemDelegate(new UPropertyGridDelegate(this));
}

UPropertyGrid::~UPropertyGrid() = default;

UPropertyGridItem* UPropertyGrid::AddCategory(const QString& caption) {
  auto* category = new UPropertyGridCategory(caption);
  addTopLevelItem(category);
  category->setFirstColumnSpanned(true);
  return category;
}

void UPropertyGrid::ResetContent() {
  // An edit still open belongs to an item about to go, whose bound field may be gone already:
  // the view would commit it as the current row changes, so drop it first.
  const QModelIndex current = currentIndex();
  if (current.isValid()) {
    if (QWidget* editor = indexWidget(current.siblingAtColumn(kValueColumn))) {
      closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }
  clear();
}

void UPropertyGrid::EndEdit() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) {
    return;
  }
  if (QWidget* editor = indexWidget(current.siblingAtColumn(kValueColumn))) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void UPropertyGrid::ExpandAll() {
  expandAll();
}

UPropertyGridItem* UPropertyGrid::GetSelectedItem() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : dynamic_cast<UPropertyGridItem*>(selected.first());
}

UPropertyGridItem* UPropertyGrid::ItemFromIndex(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != model()) {
    return nullptr;
  }
  return dynamic_cast<UPropertyGridItem*>(itemFromIndex(index));
}

QRect UPropertyGrid::GetValueCellRect(UPropertyGridItem* item) const {
  if (item == nullptr || item->treeWidget() != this) {
    return {};
  }
  return visualRect(indexFromItem(item, kValueColumn));
}

QRect UPropertyGrid::GetInplaceButtonRect(UPropertyGridItem* item) const {
  const QRect cell = GetValueCellRect(item);
  if (cell.isEmpty() || !item->HasInplaceButton()) {
    return {};
  }
  const int width = InplaceButtonWidth(cell.height());
  return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

void UPropertyGrid::CommitItemValue(UPropertyGridItem* item, const QString& text) {
  if (item == nullptr || item->GetReadOnly() || text == item->GetValue()) {
    return;
  }
  item->OnValueChanged(text);
  viewport()->update();
}

void UPropertyGrid::PressInplaceButton(UPropertyGridItem* item) {
  if (item == nullptr || !item->HasInplaceButton()) {
    return;
  }
  // An edit open on the same value would write its stale text back when it closes after the
  // button changed the value: commit it now, and find the item again in case the commit's
  // handler replaced the rows.
  const QPersistentModelIndex index(indexFromItem(item, kValueColumn));
  if (QWidget* editor = indexWidget(index)) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    item = ItemFromIndex(index);
    if (item == nullptr) {
      return;
    }
  }
  if (m_InplaceButton && m_InplaceButton(item)) {
    return;
  }
  item->OnInplaceButtonDown();
  viewport()->update();
}

void UPropertyGrid::NotifyValueChanged(UPropertyGridItem* item) {
  if (m_ValueChanged) {
    m_ValueChanged(item);
  }
}

QFont UPropertyGrid::RegularFont() {
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

int UPropertyGrid::InplaceButtonWidth(int cellHeight) {
  return qMax(cellHeight, 20);
}

bool UPropertyGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (index.isValid() && index.column() != kValueColumn) {
    return QTreeWidget::edit(index.siblingAtColumn(kValueColumn), trigger, event);
  }
  return QTreeWidget::edit(index, trigger, event);
}

void UPropertyGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint position = event->position().toPoint();
    UPropertyGridItem* item = ItemFromIndex(indexAt(position));
    if (item != nullptr && GetInplaceButtonRect(item).contains(position)) {
      event->accept();
      PressInplaceButton(item);
      return;
    }
  }
  QTreeWidget::mousePressEvent(event);
  // A press on the row already current edits it at once; the view alone would wait out a
  // double-click interval first.
  const QModelIndex pressed = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && pressed.isValid() && state() != EditingState &&
      pressed.siblingAtColumn(kValueColumn) == currentIndex().siblingAtColumn(kValueColumn)) {
    QTreeWidget::edit(pressed.siblingAtColumn(kValueColumn));
  }
}
