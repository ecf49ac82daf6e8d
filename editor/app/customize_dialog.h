#pragma once

#include <QDialog>
#include <vector>

#include "editor/app/customize_commands_page.h"

class QListWidget;
class QTabWidget;
class QToolBar;
class QAction;

// The customisation dialog: the toolbars, each shown or hidden with its check box, and the
// commands page, which puts commands on the toolbars and takes them off. "确定" applies both.
class CCustomizeDialog : public QDialog {
 public:
  CCustomizeDialog(const std::vector<QToolBar*>& toolBars, std::vector<CCommandCategory> menus,
                   std::vector<QAction*> allCommands, QWidget* parent);

  QTabWidget* Pages() const { return m_Pages; }
  QListWidget* ToolBarList() const { return m_ToolBarList; }
  CCustomizeCommandsPage* CommandsPage() const { return m_CommandsPage; }
  // Shows or hides each toolbar as its check box says, and gives it the buttons of the commands
  // page.
  void Apply() const;

 private:
  std::vector<QToolBar*> m_ToolBars;
  QTabWidget* m_Pages;
  QListWidget* m_ToolBarList;
  CCustomizeCommandsPage* m_CommandsPage;
};
