#include "editor/app/tool_bar_buttons.h"

#include <QAction>
#include <QSettings>
#include <QToolBar>
#include <algorithm>

namespace {

constexpr char kButtonsGroup[] = "CommandBars/Buttons/";
// More buttons than any toolbar can show; a longer kept list is cut there.
constexpr int kMaxButtons = 256;

QString ButtonsKey(const QToolBar& bar) {
  return kButtonsGroup + bar.objectName();
}

}  // namespace

std::vector<QAction*> ToolBarButtons(const QToolBar& bar) {
  std::vector<QAction*> buttons;
  for (QAction* action : bar.actions()) {
    buttons.push_back(action->isSeparator() ? nullptr : action);
  }
  return buttons;
}

void SetToolBarButtons(QToolBar& bar, const std::vector<QAction*>& buttons) {
  // The separators belong to the toolbar; the command actions to the frame.
  for (QAction* action : bar.actions()) {
    bar.removeAction(action);
    if (action->isSeparator() && action->parent() == &bar) {
      delete action;
    }
  }
  for (QAction* action : buttons) {
    if (action == nullptr) {
      bar.addSeparator();
    } else {
      bar.addAction(action);
    }
  }
}

void SaveToolBarButtons(QSettings& settings, const std::vector<QToolBar*>& bars) {
  for (const QToolBar* bar : bars) {
    QStringList ids;
    for (const QAction* action : ToolBarButtons(*bar)) {
      ids << QString::number(action == nullptr ? 0 : action->data().toInt());
    }
    settings.setValue(ButtonsKey(*bar), ids);
  }
}

void RestoreToolBarButtons(const QSettings& settings, const std::vector<QToolBar*>& bars,
                           const std::function<QAction*(int id)>& commandAction) {
  for (QToolBar* bar : bars) {
    const QString key = ButtonsKey(*bar);
    if (!settings.contains(key)) {
      continue;
    }
    std::vector<QAction*> buttons;
    for (const QString& entry : settings.value(key).toStringList().mid(0, kMaxButtons)) {
      bool ok = false;
      const int id = entry.trimmed().toInt(&ok);
      if (!ok) {
        continue;
      }
      if (id == 0) {
        buttons.push_back(nullptr);
      } else if (QAction* action = commandAction(id)) {
        // A toolbar shows an action once.
        if (std::find(buttons.begin(), buttons.end(), action) == buttons.end()) {
          buttons.push_back(action);
        }
      }
    }
    SetToolBarButtons(*bar, buttons);
  }
}
