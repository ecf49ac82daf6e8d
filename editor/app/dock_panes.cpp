#include "editor/app/dock_panes.h"

#include <QDockWidget>
#include <QMainWindow>
#include <map>

std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel) {
  std::vector<QDockWidget*> docks;
  std::map<int, QDockWidget*> by_id;
  for (const CPaneInfo& pane : PaneTable()) {
    auto* dock = new QDockWidget(QString::fromUtf8(pane.caption), &frame);
    dock->setObjectName(QString::number(pane.id));
    dock->setWidget(makePanel(pane, dock));
    docks.push_back(dock);
    by_id[pane.id] = dock;
  }
  const auto dock = [&by_id](int id) { return by_id.at(id); };

  frame.addDockWidget(Qt::LeftDockWidgetArea, dock(pane::kTextures));
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(pane::kActions));
  frame.addDockWidget(Qt::TopDockWidgetArea, dock(pane::kTimeline));
  for (const int id : {pane::kModuleList, pane::kModuleCut}) {
    frame.tabifyDockWidget(dock(pane::kTextures), dock(id));
  }
  QDockWidget* last = dock(pane::kActions);
  for (const int id : {pane::kActionFrames, pane::kFrames, pane::kProperties, pane::kFrameModules,
                       pane::kFrameTags}) {
    frame.tabifyDockWidget(last, dock(id));
    last = dock(id);
  }
  // The history sits below the right tab group, hidden until the View menu shows it.
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(pane::kHistory), Qt::Vertical);
  dock(pane::kHistory)->hide();
  frame.resizeDocks({dock(pane::kTextures), dock(pane::kActions)}, {200, 200}, Qt::Horizontal);
  frame.resizeDocks({dock(pane::kTimeline)}, {80}, Qt::Vertical);
  dock(pane::kModuleCut)->raise();
  dock(pane::kProperties)->raise();
  return docks;
}
