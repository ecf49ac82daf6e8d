#pragma once

#include <QStyledItemDelegate>

class UPropertyGrid;

// Draws and edits the value cells of a property grid: the value text (or the item's own
// drawing), the "..." button, and the in-place editor (a line edit, or a drop-down list for an
// item with choices) whose committed text goes to the grid instead of the model.
class UPropertyGridDelegate : public QStyledItemDelegate {
 public:
  explicit UPropertyGridDelegate(UPropertyGrid* grid);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 private:
  void PaintValue(QPainter* painter, const QStyleOptionViewItem& option,
                  const QModelIndex& index) const;

  UPropertyGrid* m_Grid;
};
