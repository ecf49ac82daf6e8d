#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;

// Qt's menus give no prompt for a disabled item, where the status bar should still say what the
// item does. This watches the pointer over the menus it is given and passes on the prompt of the
// disabled item under it, and an empty prompt once the pointer leaves that item or the menu
// closes.
class CDisabledItemPrompts : public QObject {
 public:
  using ShowPrompt = std::function<void(const QString& prompt)>;

  CDisabledItemPrompts(ShowPrompt show, QObject* parent);

  void Watch(QMenu& menu);
  // Whether a disabled item's prompt shows now: the empty prompt a menu sends when its current
  // item goes must then not replace it.
  bool IsShowing() const { return m_Item != nullptr; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ShowPrompt m_Show;
  const QAction* m_Item = nullptr;
};
