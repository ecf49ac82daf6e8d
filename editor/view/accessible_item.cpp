#include "editor/view/accessible_item.h"

#include <QWindow>

#include "editor/res/strings.h"

CAccessibleItem::CAccessibleItem(QWidget* owner, int index) : m_Owner(owner), m_Index(index) {}

bool CAccessibleItem::isValid() const {
  return m_Owner != nullptr && Exists();
}

QWindow* CAccessibleItem::window() const {
  return m_Owner != nullptr ? m_Owner->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleItem::parent() const {
  return m_Owner != nullptr ? QAccessible::queryAccessibleInterface(m_Owner) : nullptr;
}

QAccessible::State CAccessibleItem::state() const {
  QAccessible::State state;
  state.selectable = true;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.selected = IsSelected();
  if (!m_Owner->rect().intersects(LocalRect())) {
    state.offscreen = true;
    state.invisible = true;
  }
  return state;
}

QRect CAccessibleItem::rect() const {
  if (!isValid()) {
    return {};
  }
  const QRect shown = LocalRect() & m_Owner->rect();
  return shown.isEmpty() ? QRect() : QRect(m_Owner->mapToGlobal(shown.topLeft()), shown.size());
}

void* CAccessibleItem::interface_cast(QAccessible::InterfaceType type) {
  return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                              : nullptr;
}

QStringList CAccessibleItem::actionNames() const {
  return {pressAction()};
}

QString CAccessibleItem::localizedActionDescription(const QString& actionName) const {
  return actionName == pressAction() ? QString::fromUtf8(res::kAccessibleSelect) : QString();
}

void CAccessibleItem::doAction(const QString& actionName) {
  if (actionName == pressAction() && isValid()) {
    Select();
  }
}

CAccessibleItems::~CAccessibleItems() {
  for (const QAccessible::Id id : std::as_const(m_Ids)) {
    QAccessible::deleteAccessibleInterface(id);
  }
}

QAccessibleInterface* CAccessibleItems::Item(int index) {
  const auto found = m_Ids.constFind(index);
  if (found != m_Ids.constEnd()) {
    return QAccessible::accessibleInterface(*found);
  }
  QAccessibleInterface* item = m_Maker(index);
  m_Ids.insert(index, QAccessible::registerAccessibleInterface(item));
  return item;
}

int CAccessibleItems::IndexOf(const QAccessibleInterface* item) const {
  const auto* ours = dynamic_cast<const CAccessibleItem*>(item);
  if (ours == nullptr) {
    return -1;
  }
  const auto found = m_Ids.constFind(ours->Index());
  const bool registered =
      found != m_Ids.constEnd() && QAccessible::accessibleInterface(*found) == item;
  return registered ? ours->Index() : -1;
}

QAccessibleInterface* CAccessibleItems::ItemAt(int count, int x, int y) {
  for (int index = 0; index < count; ++index) {
    QAccessibleInterface* item = Item(index);
    if (item->rect().contains(x, y)) {
      return item;
    }
  }
  return nullptr;
}
