#pragma once

#include <QDialog>
#include <vector>

class QListWidget;
class QToolBar;
class QAction;

// The customisation dialog: the toolbars, each shown or hidden with its check box, and the
// commands of the program with their ids. "确定" applies the toolbar choices.
class CCustomizeDialog : public QDialog {
 public:
  CCustomizeDialog(const std::vector<QToolBar*>& toolBars, const std::vector<QAction*>& commands,
                   QWidget* parent);

  QListWidget* ToolBarList() const { return m_ToolBarList; }
  // Shows or hides each toolbar as its check box says.
  void Apply() const;

 private:
  std::vector<QToolBar*> m_ToolBars;
  QListWidget* m_ToolBarList;
};
