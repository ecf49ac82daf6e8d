#include "editor_support/property_grid/property_grid_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>

#include "editor_support/property_grid/property_grid.h"

namespace {

constexpr int kTextMargin = 4;
constexpr int kMinimumRowHeight = 20;

}  // namespace

UPropertyGridDelegate::UPropertyGridDelegate(UPropertyGrid* grid)
    : QStyledItemDelegate(grid), m_Grid(grid) {}

void UPropertyGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  if (item != nullptr && item->IsCategory()) {
    painter->fillRect(option.rect, option.palette.button());
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  if (index.column() == UPropertyGrid::kValueColumn && item != nullptr) {
    PaintValue(painter, option, index);
  } else {
    QStyledItemDelegate::paint(painter, option, index);
  }
  // Grid lines below every row and between caption and value.
  painter->save();
  painter->setPen(option.palette.color(QPalette::Midlight));
  painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
  if (index.column() == UPropertyGrid::kCaptionColumn) {
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
  }
  painter->restore();
}

void UPropertyGridDelegate::PaintValue(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  QStyleOptionViewItem background(option);
  initStyleOption(&background, index);
  background.text.clear();
  QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

  QRect cell = option.rect;
  const QRect button = m_Grid->GetInplaceButtonRect(item);
  if (!button.isEmpty()) {
    QStyleOptionButton face;
    face.rect = button;
    face.text = QStringLiteral("...");
    face.state = QStyle::State_Enabled | QStyle::State_Raised;
    face.palette = option.palette;
    face.fontMetrics = option.fontMetrics;
    style->drawControl(QStyle::CE_PushButton, &face, painter, option.widget);
    cell.setRight(button.left() - 1);
  }

  QColor text_color = option.palette.color(QPalette::Text);
  if (option.state & QStyle::State_Selected) {
    text_color = option.palette.color(QPalette::HighlightedText);
  } else if (item->GetReadOnly()) {
    text_color = option.palette.color(QPalette::Disabled, QPalette::Text);
  }
  painter->save();
  painter->setClipRect(cell);
  painter->setPen(text_color);
  painter->setFont(option.font);
  const QRect value_rect = cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
  if (!item->OnDrawItemValue(*painter, value_rect)) {
    const QString shown =
        option.fontMetrics.elidedText(item->GetValue(), Qt::ElideRight, value_rect.width());
    painter->drawText(value_rect, Qt::AlignLeft | Qt::AlignVCenter, shown);
  }
  painter->restore();
}

QSize UPropertyGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  size.setHeight(qMax(size.height() + 4, kMinimumRowHeight));
  return size;
}

QWidget* UPropertyGridDelegate::createEditor(QWidget* parent,
                                             const QStyleOptionViewItem& /*option*/,
                                             const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  if (index.column() != UPropertyGrid::kValueColumn || item == nullptr || item->IsCategory() ||
      item->GetReadOnly()) {
    return nullptr;
  }
  const UPropertyGridConstraints* choices = item->GetConstraints();
  if (!choices->IsEmpty()) {
    auto* list = new QComboBox(parent);
    // The editor stands in the value column; assistive tools name it by its row's caption.
    list->setAccessibleName(item->GetCaption());
    for (int i = 0; i < choices->GetCount(); ++i) {
      list->addItem(choices->GetAt(i));
    }
    // Picking a choice commits it at once, as a drop-down list is expected to. The signals are
    // the delegate's own; createEditor is const only by the base class's signature.
    auto* self = const_cast<UPropertyGridDelegate*>(this);
    QObject::connect(list, &QComboBox::activated, self, [self, list] {
      emit self->commitData(list);
      emit self->closeEditor(list);
    });
    return list;
  }
  auto* line = new QLineEdit(parent);
  line->setAccessibleName(item->GetCaption());
  line->setFrame(false);
  item->LimitEditor(line);
  return line;
}

void UPropertyGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  if (item == nullptr) {
    return;
  }
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    list->setCurrentIndex(item->GetConstraints()->FindConstraint(item->GetValue()));
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(item->GetValue());
  }
}

void UPropertyGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                                         const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    if (list->currentIndex() >= 0) {
      m_Grid->CommitItemValue(item, list->currentText());
    }
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    m_Grid->CommitItemValue(item, line->text());
  }
}

void UPropertyGridDelegate::updateEditorGeometry(QWidget* editor,
                                                 const QStyleOptionViewItem& option,
                                                 const QModelIndex& index) const {
  UPropertyGridItem* item = m_Grid->ItemFromIndex(index);
  if (item == nullptr) {
    return;
  }
  QRect cell = option.rect;
  const QRect button = m_Grid->GetInplaceButtonRect(item);
  if (!button.isEmpty()) {
    cell.setRight(button.left() - 1);
  }
  editor->setGeometry(item->GetValueRect(cell));
}
