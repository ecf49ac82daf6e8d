#include "editor_support/property_grid/property_grid_item.h"

#include <QFont>

#include "editor_support/property_grid/property_grid.h"

UPropertyGridItem::UPropertyGridItem(const QString& caption, const QString& value)
    : QTreeWidgetItem(UserType) {
  setText(0, caption);
  setText(1, value);
  UpdateFlags();
}

UPropertyGridItem::~UPropertyGridItem() = default;

UPropertyGridItem* UPropertyGridItem::AddChildItem(UPropertyGridItem* item) {
  if (item != nullptr) {
    addChild(item);
  }
  return item;
}

UPropertyGridItem* UPropertyGridItem::GetParentItem() const {
  return dynamic_cast<UPropertyGridItem*>(parent());
}

UPropertyGrid* UPropertyGridItem::GetGrid() const {
  return dynamic_cast<UPropertyGrid*>(treeWidget());
}

void UPropertyGridItem::SetValue(const QString& value) {
  setText(1, value);
}

void UPropertyGridItem::OnValueChanged(const QString& value) {
  SetValue(value);
  if (UPropertyGridItem* parent = GetParentItem()) {
    parent->OnChildValueChanged(this);
  }
  NotifyValueChanged();
}

void UPropertyGridItem::OnChildValueChanged(UPropertyGridItem* /*child*/) {}

void UPropertyGridItem::LimitEditor(QLineEdit* /*editor*/) {}

bool UPropertyGridItem::OnDrawItemValue(QPainter& /*painter*/, const QRect& /*valueRect*/) {
  return false;
}

void UPropertyGridItem::OnInplaceButtonDown() {}

QRect UPropertyGridItem::GetValueRect(const QRect& cellRect) const {
  return cellRect;
}

void UPropertyGridItem::SetReadOnly(bool readOnly) {
  m_ReadOnly = readOnly;
  UpdateFlags();
}

void UPropertyGridItem::SetInplaceButton(bool shown) {
  m_InplaceButton = shown;
  UpdateFlags();
}

void UPropertyGridItem::NotifyValueChanged() {
  if (UPropertyGrid* grid = GetGrid()) {
    grid->NotifyValueChanged(this);
  }
}

void UPropertyGridItem::UpdateFlags() {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!m_ReadOnly) {
    flags |= Qt::ItemIsEditable;
  }
  setFlags(flags);
}

UPropertyGridCategory::UPropertyGridCategory(const QString& caption) : UPropertyGridItem(caption) {
  SetReadOnly(true);
  QFont bold = font(0);
  bold.setBold(true);
  setFont(0, bold);
}
