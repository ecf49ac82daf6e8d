#include "editor/app/dock_panes.h"

#include <QDockWidget>
#include <QMainWindow>
#include <map>

#include "editor/res/command_ids.h"

namespace {

// The View menu reopens every pane: the five of the pane toolbar with their own commands, the
// others with their pane id as command.
const std::vector<CPaneInfo> kPanes = {
    {4000, "裁剪块 MODULE", "ME", true, cmd::kShowModulePane, true},
    {4001, "裁减块列表 ModuleList", "", true, cmd::kShowModuleListPane, true},
    {4002, "帧 FRAME", "FL", true, cmd::kShowFramePane, true},
    {4003, "动作 ACTION", "AL", true, cmd::kShowActionPane, true},
    {4004, "动作帧 ACTION_FRAME", "AFL", true, cmd::kShowActionFramePane, false},
    {4005, "属性 PROPERTY", "", false, 4005, true},
    {4006, "帧中模块 FrameModule", "FML", true, 4006, true},
    {4007, "贴图列表", "", false, 4007, true},
    {4008, "动作帧编辑器", "FML", true, 4008, true},
    {4009, "帧中标签列表", "", true, 4009, true},
    {4010, "历史", "HL", true, 4010, true},
};

}  // namespace

const std::vector<CPaneInfo>& PaneTable() {
  return kPanes;
}

std::vector<QDockWidget*> CreateDockPanes(QMainWindow& frame, const CPanelMaker& makePanel) {
  std::vector<QDockWidget*> docks;
  std::map<int, QDockWidget*> by_id;
  for (const CPaneInfo& pane : kPanes) {
    auto* dock = new QDockWidget(QString::fromUtf8(pane.caption), &frame);
    dock->setObjectName(QString::number(pane.id));
    dock->setWidget(makePanel(pane, dock));
    docks.push_back(dock);
    by_id[pane.id] = dock;
  }
  const auto dock = [&by_id](int id) { return by_id.at(id); };

  frame.addDockWidget(Qt::LeftDockWidgetArea, dock(4007));
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(4003));
  frame.addDockWidget(Qt::TopDockWidgetArea, dock(4008));
  for (const int id : {4001, 4000}) {
    frame.tabifyDockWidget(dock(4007), dock(id));
  }
  QDockWidget* last = dock(4003);
  for (const int id : {4004, 4002, 4005, 4006, 4009}) {
    frame.tabifyDockWidget(last, dock(id));
    last = dock(id);
  }
  // The history sits below the right tab group, hidden until the View menu shows it.
  frame.addDockWidget(Qt::RightDockWidgetArea, dock(4010), Qt::Vertical);
  dock(4010)->hide();
  frame.resizeDocks({dock(4007), dock(4003)}, {200, 200}, Qt::Horizontal);
  frame.resizeDocks({dock(4008)}, {80}, Qt::Vertical);
  dock(4000)->raise();
  dock(4005)->raise();
  return docks;
}
