#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "editor/res/pane_table.h"

class QDockWidget;
class QMainWindow;
class QWidget;

// Creates the eleven docking panes of `frame`, each hosting the panel window that `makePanel`
// returns for it, named by its pane id, and gives them the default layout (LayOutDockPanes).
// Returns the docks in the order of PaneTable().
using CPanelMaker = std::function<QWidget*(const CPaneInfo& pane, QWidget* parent)>;
std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel);

// Puts the panes back in the default layout, wherever they are: 4007, 4001 and 4000 tabbed on
// the left; on the right 4003, 4004 and 4002 tabbed above 4005, 4006 and 4009 tabbed; 4008 alone
// at the top, and the history 4010 below the right groups, hidden; every other pane open, none
// floating. The side areas are as wide as `sideWidths` says (left, right).
void LayOutDockPanes(QMainWindow& frame, const std::vector<QDockWidget*>& docks,
                     std::pair<int, int> sideWidths);
