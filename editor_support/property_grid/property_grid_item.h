#pragma once

#include <QRect>
#include <QString>
#include <QTreeWidgetItem>

#include "editor_support/pindle_api.h"
#include "editor_support/property_grid/property_grid_constraints.h"

class QLineEdit;
class QPainter;
class UPropertyGrid;

// One row of a property grid: a caption and the text of a value. Typed items derive from it,
// parse the committed text in SetValue and write it into the engine field they are bound to.
//
// Items form a tree: a grid owns its categories, and every item owns the children added to it,
// so deleting an item (or resetting the grid) deletes its whole subtree.
class PINDLE_API UPropertyGridItem : public QTreeWidgetItem {
 public:
  explicit UPropertyGridItem(const QString& caption, const QString& value = QString());
  ~UPropertyGridItem() override;

  // Appends `item` as the last child; this item owns it from then on. Returns `item`.
  UPropertyGridItem* AddChildItem(UPropertyGridItem* item);
  // The item this one was added to, or null for a category or an item not added anywhere.
  UPropertyGridItem* GetParentItem() const;
  // The grid this item is shown in, or null.
  UPropertyGrid* GetGrid() const;

  QString GetCaption() const { return text(0); }
  void SetCaption(const QString& caption) { setText(0, caption); }
  QString GetValue() const { return text(1); }

  // Shows `value` as the item's value text. Typed items override it to parse the text into
  // their value, and call this base version with the text they format.
  virtual void SetValue(const QString& value);
  // The grid calls this when the user commits an edit: it applies the text through SetValue,
  // tells the parent item and then the grid's value-changed handler.
  virtual void OnValueChanged(const QString& value);
  // Called after `child`, a direct child of this item, took a committed edit; items that show
  // something of their children update it here.
  virtual void OnChildValueChanged(UPropertyGridItem* child);
  // Draws the value into `valueRect` with the painter's pen in the text colour. Returns true when
  // it drew, false to let the grid draw the value text.
  virtual bool OnDrawItemValue(QPainter& painter, const QRect& valueRect);
  // Called when the user presses the item's "..." button and the grid's owner did not take the
  // press over.
  virtual void OnInplaceButtonDown();
  // The part of the value cell that the in-place editor covers.
  virtual QRect GetValueRect(const QRect& cellRect) const;
  // Lets the item limit the text its in-place line editor takes (a validator, a length), when
  // the grid opens one. By default the editor takes any text.
  virtual void LimitEditor(QLineEdit* editor);

  // A read-only item refuses edits; its value still changes through SetValue.
  void SetReadOnly(bool readOnly);
  bool GetReadOnly() const { return m_ReadOnly; }
  // Shows a "..." button at the right of the value.
  void SetInplaceButton(bool shown);
  bool HasInplaceButton() const { return m_InplaceButton; }
  // The item's choices; with any, the value is picked from a list.
  UPropertyGridConstraints* GetConstraints() { return &m_Constraints; }
  const UPropertyGridConstraints* GetConstraints() const { return &m_Constraints; }
  virtual bool IsCategory() const { return false; }

  void Expand() { setExpanded(true); }
  void Collapse() { setExpanded(false); }

 protected:
  // Tells the grid's value-changed handler that this item took a new value.
  void NotifyValueChanged();

 private:
  void UpdateFlags();

  bool m_ReadOnly = false;
  bool m_InplaceButton = false;
  UPropertyGridConstraints m_Constraints;
};

// A category row: a caption across the whole row, holding the items of one group.
class PINDLE_API UPropertyGridCategory : public UPropertyGridItem {
 public:
  explicit UPropertyGridCategory(const QString& caption);
  bool IsCategory() const override { return true; }
};
