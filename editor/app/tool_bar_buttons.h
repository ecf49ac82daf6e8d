#pragma once

#include <functional>
#include <vector>

class QAction;
class QSettings;
class QToolBar;

// The buttons of a toolbar as a list of command actions, a null entry standing for a separator.
std::vector<QAction*> ToolBarButtons(const QToolBar& bar);
// Makes `buttons` the toolbar's buttons, in order.
void SetToolBarButtons(QToolBar& bar, const std::vector<QAction*>& buttons);

// Keeps each toolbar's command ids (0 for a separator) in `settings` under
// "CommandBars/Buttons/<toolbar's object name>", beside the window state.
void SaveToolBarButtons(QSettings& settings, const std::vector<QToolBar*>& bars);
// Gives each toolbar that has a kept list its buttons again. `commandAction` answers the action
// of a command id, or null for an id that is not a command any more; such ids are skipped, and so
// is anything that is not a number.
void RestoreToolBarButtons(const QSettings& settings, const std::vector<QToolBar*>& bars,
                           const std::function<QAction*(int id)>& commandAction);
