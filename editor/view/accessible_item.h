#pragma once

#include <QAccessible>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

// An item drawn inside a widget that has no widget of its own (a key of the timeline, a module of
// the cutting view), as assistive tools see it: a selectable list item, known by its index among
// the drawn widget's items and read afresh from the editor context each time it is asked, whose
// press action selects it in the editor.
class CAccessibleItem : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CAccessibleItem(QWidget* owner, int index);

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override;
  // Screen coordinates of where the item is drawn; empty outside the widget.
  QRect rect() const override;
  // The items' texts follow the document; they are not edited through this interface.
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  void* interface_cast(QAccessible::InterfaceType type) override;

  QStringList actionNames() const override;
  QString localizedActionDescription(const QString& actionName) const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& /*actionName*/) const override { return {}; }

  int Index() const { return m_Index; }

 protected:
  QWidget* Owner() const { return m_Owner; }
  // Whether the item is still among the widget's items.
  virtual bool Exists() const = 0;
  virtual bool IsSelected() const = 0;
  virtual void Select() = 0;
  // Where the item is drawn, in the widget's logical pixels.
  virtual QRect LocalRect() const = 0;

 private:
  QPointer<QWidget> m_Owner;
  int m_Index;
};

// The item interfaces of one drawn widget, made when first asked for and registered with
// QAccessible, so that each index keeps one id for as long as the widget's interface lives.
class CAccessibleItems {
 public:
  using Maker = std::function<CAccessibleItem*(int index)>;
  explicit CAccessibleItems(Maker maker) : m_Maker(std::move(maker)) {}
  ~CAccessibleItems();
  CAccessibleItems(const CAccessibleItems&) = delete;
  CAccessibleItems& operator=(const CAccessibleItems&) = delete;

  // Item `index`, which the caller has checked to be among the widget's items.
  QAccessibleInterface* Item(int index);
  // The index of `item` when it is one of these, else -1.
  int IndexOf(const QAccessibleInterface* item) const;
  // The first of `count` items drawn under screen point (x, y), null for none.
  QAccessibleInterface* ItemAt(int count, int x, int y);

 private:
  Maker m_Maker;
  QHash<int, QAccessible::Id> m_Ids;
};
