#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QAction;
class QComboBox;
class QListWidget;
class QPushButton;
class QToolBar;

// A group of commands on the commands page: a top-level menu with the commands of its items.
struct CCommandCategory {
  QString name;
  std::vector<QAction*> commands;
};

// The commands page of the customisation dialog: the categories (the menus, then all commands),
// the commands of the chosen category, and the buttons of the toolbar chosen below them. "添加"
// puts the chosen command on the toolbar after the chosen button, "删除" takes the chosen button
// off. The toolbars themselves change only when the dialog applies Buttons().
class CCustomizeCommandsPage : public QWidget {
 public:
  CCustomizeCommandsPage(const std::vector<QToolBar*>& toolBars,
                         std::vector<CCommandCategory> menus, std::vector<QAction*> allCommands,
                         QWidget* parent);

  // The buttons toolbar `index` is to have (null for a separator).
  const std::vector<QAction*>& Buttons(int index) const { return m_Buttons[index]; }

  QListWidget* CategoryList() const { return m_CategoryList; }
  QListWidget* CommandList() const { return m_CommandList; }
  QComboBox* ToolBarChoice() const { return m_ToolBarChoice; }
  QListWidget* ButtonList() const { return m_ButtonList; }
  QPushButton* AddButton() const { return m_Add; }
  QPushButton* RemoveButton() const { return m_Remove; }

 private:
  void ShowCategory(int row);
  // Lists the chosen toolbar's buttons and chooses row `chosenRow` (none for -1).
  void ShowButtons(int chosenRow);
  void UpdateButtonStates();
  void AddChosenCommand();
  void RemoveChosenButton();
  QAction* ChosenCommand() const;
  std::vector<QAction*>* ChosenToolBar();

  std::vector<CCommandCategory> m_Categories;
  std::vector<std::vector<QAction*>> m_Buttons;
  QListWidget* m_CategoryList;
  QListWidget* m_CommandList;
  QComboBox* m_ToolBarChoice;
  QListWidget* m_ButtonList;
  QPushButton* m_Add;
  QPushButton* m_Remove;
};
