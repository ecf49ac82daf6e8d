#pragma once

#include <functional>

#include <QFont>
#include <QRect>
#include <QTreeWidget>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_item.h"

// A property grid: categories of items, each row a caption and a value edited in place. The user
// commits an edit with Enter or by leaving the editor; the grid then calls the item's
// OnValueChanged (which parses the text through the item's SetValue) and its owner's
// value-changed handler. Items with choices are edited with a drop-down list, read-only items
// refuse edits, and items with an in-place button show "..." at the right of their value.
class PINDLE_API UPropertyGrid : public QTreeWidget {
 public:
  static constexpr int kCaptionColumn = 0;
  static constexpr int kValueColumn = 1;

  // Told after an item took a committed edit. It must not delete the item (no ResetContent from
  // inside); post a refresh instead.
  using ValueChangedHandler = std::function<void(UPropertyGridItem* item)>;
  // Told first when the user presses an item's "..." button; returning true takes the press over,
  // so the item does not see it.
  using InplaceButtonHandler = std::function<bool(UPropertyGridItem* item)>;

  explicit UPropertyGrid(QWidget* parent = nullptr);
  ~UPropertyGrid() override;

  // Appends a category with `caption`. The grid owns it; returns it for adding items.
  UPropertyGridItem* AddCategory(const QString& caption);
  // Deletes every category and item. An edit in progress is dropped, not committed.
  void ResetContent();
  // Expands every category and every item with children.
  void ExpandAll();
  // Commits the value being edited in place, if any, and closes its editor, as leaving the row
  // would.
  void EndEdit();

  void SetValueChangedHandler(ValueChangedHandler handler) { m_ValueChanged = std::move(handler); }
  void SetInplaceButtonHandler(InplaceButtonHandler handler) {
    m_InplaceButton = std::move(handler);
  }

  // The selected item, or null.
  UPropertyGridItem* GetSelectedItem() const;
  // The item of a model index of this grid, or null.
  UPropertyGridItem* ItemFromIndex(const QModelIndex& index) const;
  // The value cell of `item` and its "..." button, in viewport coordinates; empty when the item
  // is not shown (or has no button).
  QRect GetValueCellRect(UPropertyGridItem* item) const;
  QRect GetInplaceButtonRect(UPropertyGridItem* item) const;

  // Applies text the user committed to `item`: nothing for a read-only item or an unchanged
  // text, otherwise the item's OnValueChanged.
  void CommitItemValue(UPropertyGridItem* item, const QString& text);
  // Handles a press of `item`'s "..." button: the owner's handler first, then the item.
  void PressInplaceButton(UPropertyGridItem* item);
  // Tells the owner's value-changed handler about `item`.
  void NotifyValueChanged(UPropertyGridItem* item);

  // The font property grids show their items in.
  static QFont RegularFont();
  // The width of the "..." button at the right of a value cell of `cellHeight`.
  static int InplaceButtonWidth(int cellHeight);

 protected:
  using QTreeWidget::edit;
  // Editing a row always edits its value, whichever column was clicked.
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ValueChangedHandler m_ValueChanged;
  InplaceButtonHandler m_InplaceButton;
};
