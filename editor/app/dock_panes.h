#pragma once

#include <QString>
#include <functional>
#include <vector>

class QDockWidget;
class QMainWindow;
class QWidget;

// One docking pane: its id (also the dock's object name), caption, the window title of the panel
// it hosts, and the command of the View menu that shows it again.
struct CPaneInfo {
  int id;
  const char* caption;
  const char* windowTitle;
  bool bordered;
  int showCommand;
  bool checkedWhileOpen;  // the show command is checked while the pane is open
};

// The eleven panes in id order.
const std::vector<CPaneInfo>& PaneTable();

// Creates the eleven docking panes of `frame`, each hosting the panel window that `makePanel`
// returns for it, and lays them out as every start does: 4007, 4001 and 4000 tabbed on the left,
// 4003, 4004, 4002, 4005, 4006 and 4009 tabbed on the right, 4008 alone at the top, and the
// history 4010 below the right group, hidden. Returns the docks in the order of PaneTable().
using CPanelMaker = std::function<QWidget*(const CPaneInfo& pane, QWidget* parent)>;
std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel);
