#include "editor/res/pane_table.h"

#include <QtGlobal>

#include "editor/res/command_ids.h"

namespace {

// The View menu reopens every pane: the five of the pane toolbar with their own commands, the
// others with their pane id as command.
const std::vector<CPaneInfo> kPanes = {
    {pane::kModuleCut, QT_TRANSLATE_NOOP("Quillet", "裁剪块 MODULE"), "ME", true,
     cmd::kShowModulePane, true},
    {pane::kModuleList, QT_TRANSLATE_NOOP("Quillet", "裁减块列表 ModuleList"), "", true,
     cmd::kShowModuleListPane, true},
    {pane::kFrames, QT_TRANSLATE_NOOP("Quillet", "帧 FRAME"), "FL", true, cmd::kShowFramePane,
     true},
    {pane::kActions, QT_TRANSLATE_NOOP("Quillet", "动作 ACTION"), "AL", true, cmd::kShowActionPane,
     true},
    {pane::kActionFrames, QT_TRANSLATE_NOOP("Quillet", "动作帧 ACTION_FRAME"), "AFL", true,
     cmd::kShowActionFramePane, false},
    {pane::kProperties, QT_TRANSLATE_NOOP("Quillet", "属性 PROPERTY"), "", false, pane::kProperties,
     true},
    {pane::kFrameModules, QT_TRANSLATE_NOOP("Quillet", "帧中模块 FrameModule"), "FML", true,
     pane::kFrameModules, true},
    {pane::kTextures, QT_TRANSLATE_NOOP("Quillet", "贴图列表"), "", false, pane::kTextures, true},
    {pane::kTimeline, QT_TRANSLATE_NOOP("Quillet", "动作帧编辑器"), "FML", true, pane::kTimeline,
     true},
    {pane::kFrameTags, QT_TRANSLATE_NOOP("Quillet", "帧中标签列表"), "", true, pane::kFrameTags,
     true},
    {pane::kHistory, QT_TRANSLATE_NOOP("Quillet", "历史"), "HL", true, pane::kHistory, true},
};

}  // namespace

const std::vector<CPaneInfo>& PaneTable() {
  return kPanes;
}
