#include "editor/app/disabled_item_prompts.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>

CDisabledItemPrompts::CDisabledItemPrompts(ShowPrompt show, QObject* parent)
    : QObject(parent), m_Show(std::move(show)) {}

void CDisabledItemPrompts::Watch(QMenu& menu) {
  menu.installEventFilter(this);
}

bool CDisabledItemPrompts::eventFilter(QObject* watched, QEvent* event) {
  const QAction* item = nullptr;
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* menu = static_cast<QMenu*>(watched);
      const QAction* under = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (under != nullptr && !under->isEnabled() && !under->statusTip().isEmpty()) {
        item = under;
      }
      break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
      break;
    default:
      return false;
  }
  if (item != m_Item) {
    m_Item = item;
    m_Show(item != nullptr ? item->statusTip() : QString());
  }
  return false;
}
