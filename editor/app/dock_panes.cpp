#include "editor/app/dock_panes.h"

#include <QDockWidget>
#include <QMainWindow>
#include <map>

#include "editor/res/ui_text.h"

std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel) {
  std::vector<QDockWidget*> docks;
  for (const CPaneInfo& pane : PaneTable()) {
    auto* dock = new QDockWidget(UiText::tr(pane.caption), &frame);
    dock->setObjectName(QString::number(pane.id));
    dock->setWidget(makePanel(pane, dock));
    docks.push_back(dock);
  }
  return docks;
}

void LayOutDockPanes(QMainWindow& frame, const std::vector<QDockWidget*>& docks,
                     std::pair<int, int> sideWidths) {
  std::map<int, QDockWidget*> by_id;
  for (QDockWidget* dock : docks) {
    by_id[dock->objectName().toInt()] = dock;
    // Docked again and taken out first, so that the tab groups below form afresh in their order.
    dock->setFloating(false);
    frame.removeDockWidget(dock);
  }
  const auto dock = [&by_id](int id) { return by_id.at(id); };

  frame.addDockWidget(Qt::LeftDockWidgetArea, dock(pane::kTextures));
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(pane::kActions));
  frame.addDockWidget(Qt::TopDockWidgetArea, dock(pane::kTimeline));
  for (const int id : {pane::kModuleList, pane::kModuleCut}) {
    frame.tabifyDockWidget(dock(pane::kTextures), dock(id));
  }
  // Two groups of three on the right, so that each tab shows its caption whole in a width that
  // leaves the view room: the lists above, what the selection holds below.
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(pane::kProperties), Qt::Vertical);
  frame.tabifyDockWidget(dock(pane::kActions), dock(pane::kActionFrames));
  frame.tabifyDockWidget(dock(pane::kActionFrames), dock(pane::kFrames));
  frame.tabifyDockWidget(dock(pane::kProperties), dock(pane::kFrameModules));
  frame.tabifyDockWidget(dock(pane::kFrameModules), dock(pane::kFrameTags));
  // The history sits below the right tab groups, hidden until the View menu shows it.
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(pane::kHistory), Qt::Vertical);
  for (QDockWidget* each : docks) {
    each->setVisible(each != dock(pane::kHistory));
  }
  frame.resizeDocks({dock(pane::kTextures), dock(pane::kActions)},
                    {sideWidths.first, sideWidths.second}, Qt::Horizontal);
  frame.resizeDocks({dock(pane::kTimeline)}, {80}, Qt::Vertical);
  frame.resizeDocks({dock(pane::kActions), dock(pane::kProperties)}, {1, 1}, Qt::Vertical);
  dock(pane::kModuleCut)->raise();
  dock(pane::kActions)->raise();
  dock(pane::kProperties)->raise();
}
