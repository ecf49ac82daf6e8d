#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "editor/res/pane_table.h"

class QDockWidget;
class QMainWindow;
class QWidget;

// Creates the eleven docking panes of `frame`, each hosting the panel window that `makePanel`
// returns for it, and lays them out as every start does: 4007, 4001 and 4000 tabbed on the left,
// 4003, 4004, 4002, 4005, 4006 and 4009 tabbed on the right, 4008 alone at the top, and the
// history 4010 below the right group, hidden. Returns the docks in the order of PaneTable().
using CPanelMaker = std::function<QWidget*(const CPaneInfo& pane, QWidget* parent)>;
std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel);
