#include "editor/res/command_texts.h"

#include <algorithm>
#include <iterator>

#include <QtGlobal>

#include "editor/res/command_ids.h"
#include "editor/res/pane_table.h"

namespace {

// One row per command. A null prompt means the tooltip serves as prompt. Prompts follow the
// language of the menu text: Chinese, except for the menu items that read in English.
struct CommandTexts {
  int id;
  const char* toolTip;
  const char* prompt;
};

constexpr CommandTexts kTexts[] = {
    // File
    {cmd::kFileNew, nullptr, QT_TRANSLATE_NOOP("Quillet", "新建一个动画")},
    {cmd::kFileOpen, nullptr, QT_TRANSLATE_NOOP("Quillet", "打开一个动画文件")},
    {cmd::kFileSave, nullptr, QT_TRANSLATE_NOOP("Quillet", "保存当前动画")},
    {cmd::kFileSaveAs, nullptr, QT_TRANSLATE_NOOP("Quillet", "以新的名字保存当前动画")},
    {cmd::kFilePrint, QT_TRANSLATE_NOOP("Quillet", "打印"), nullptr},
    {cmd::kFilePrintPreview, nullptr, QT_TRANSLATE_NOOP("Quillet", "打印预览")},
    {cmd::kFileMruFirst, nullptr, QT_TRANSLATE_NOOP("Quillet", "打开此文档")},
    {cmd::kFileMruFirst + 1, nullptr, QT_TRANSLATE_NOOP("Quillet", "打开此文档")},
    {cmd::kFileMruFirst + 2, nullptr, QT_TRANSLATE_NOOP("Quillet", "打开此文档")},
    {cmd::kFileMruFirst + 3, nullptr, QT_TRANSLATE_NOOP("Quillet", "打开此文档")},
    {cmd::kAppExit, nullptr, QT_TRANSLATE_NOOP("Quillet", "退出程序")},
    {cmd::kAppAbout, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示程序的名字和版本")},
    // Export and import
    {cmd::kExportSymbian, nullptr,
     QT_TRANSLATE_NOOP("Quillet", "导出为 Symbian 格式（此版本不支持）")},
    {cmd::kExportJava, nullptr, QT_TRANSLATE_NOOP("Quillet", "导出为 JAVA 格式（此版本不支持）")},
    {cmd::kExportXml, nullptr, QT_TRANSLATE_NOOP("Quillet", "导出为 Xml 格式（此版本不支持）")},
    {cmd::kExportRws, nullptr, QT_TRANSLATE_NOOP("Quillet", "导出为 RWS 格式（此版本不支持）")},
    {cmd::kExportSheet, nullptr,
     QT_TRANSLATE_NOOP("Quillet", "把动作导出为精灵表、PNG 序列或 GIF 动画")},
    {cmd::kImportAnm, nullptr, QT_TRANSLATE_NOOP("Quillet", "导入 ANM 文件（此版本不支持）")},
    {cmd::kImportRws, nullptr, QT_TRANSLATE_NOOP("Quillet", "导入 Rws 文件（此版本不支持）")},
    // Edit
    {cmd::kEditUndo, nullptr, QT_TRANSLATE_NOOP("Quillet", "Undo the last step")},
    {cmd::kEditRedo, nullptr, QT_TRANSLATE_NOOP("Quillet", "Redo the step undone last")},
    {cmd::kEditCut, nullptr, QT_TRANSLATE_NOOP("Quillet", "Cut the selection to the clipboard")},
    {cmd::kEditCopy, nullptr, QT_TRANSLATE_NOOP("Quillet", "Copy the selection to the clipboard")},
    {cmd::kEditPaste, nullptr, QT_TRANSLATE_NOOP("Quillet", "Insert what the clipboard holds")},
    {cmd::kEditSelectAll, nullptr, QT_TRANSLATE_NOOP("Quillet", "选择当前帧中的全部模块")},
    // Settings
    {cmd::kSetName, nullptr, QT_TRANSLATE_NOOP("Quillet", "修改动画的名字")},
    {cmd::kBackgroundColor, nullptr, QT_TRANSLATE_NOOP("Quillet", "选择视图的背景色")},
    {cmd::kSetFps, nullptr, QT_TRANSLATE_NOOP("Quillet", "设置播放的帧率")},
    // View
    {cmd::kViewToolbar, nullptr, QT_TRANSLATE_NOOP("Quillet", "Show or hide this toolbar")},
    {cmd::kViewStatusBar, nullptr, QT_TRANSLATE_NOOP("Quillet", "Show or hide the status bar")},
    {cmd::kCustomize, nullptr,
     QT_TRANSLATE_NOOP("Quillet", "Choose the toolbars and their buttons")},
    {cmd::kFitToView, QT_TRANSLATE_NOOP("Quillet", "适合窗口"),
     QT_TRANSLATE_NOOP("Quillet", "缩放并居中, 使显示的帧或选中的整个动作适合视图")},
    {cmd::kActualSize, QT_TRANSLATE_NOOP("Quillet", "实际大小"),
     QT_TRANSLATE_NOOP("Quillet", "以 100% 显示: 一个像素占屏幕上的一个像素")},
    {cmd::kResetLayout, QT_TRANSLATE_NOOP("Quillet", "重置窗口布局"),
     QT_TRANSLATE_NOOP("Quillet", "恢复面板和工具栏的默认布局")},
    {cmd::kShowModulePane, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示裁剪块面板")},
    {cmd::kShowModuleListPane, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示裁减块列表")},
    {cmd::kShowFramePane, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示帧面板")},
    {cmd::kShowActionPane, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示动作面板")},
    {cmd::kShowActionFramePane, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示动作帧面板")},
    {pane::kProperties, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示属性面板")},
    {pane::kFrameModules, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示帧中模块面板")},
    {pane::kTextures, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示贴图列表")},
    {pane::kTimeline, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示动作帧编辑器")},
    {pane::kFrameTags, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示帧中标签列表")},
    {pane::kHistory, nullptr, QT_TRANSLATE_NOOP("Quillet", "显示历史面板")},
    // Animation tools
    {cmd::kPlayPreview, QT_TRANSLATE_NOOP("Quillet", "播放"), nullptr},
    {cmd::kPlay, QT_TRANSLATE_NOOP("Quillet", "播放动画"), nullptr},
    {cmd::kStop, QT_TRANSLATE_NOOP("Quillet", "停止播放"), nullptr},
    {cmd::kLoop, QT_TRANSLATE_NOOP("Quillet", "循环播放"), nullptr},
    // Edit tools
    {cmd::kZoomIn, QT_TRANSLATE_NOOP("Quillet", "放大"), nullptr},
    {cmd::kZoomOut, QT_TRANSLATE_NOOP("Quillet", "缩小"), nullptr},
    {cmd::kBoxSelect, QT_TRANSLATE_NOOP("Quillet", "框选"),
     QT_TRANSLATE_NOOP("Quillet", "框选：在动画视图中拖出方框，选择它碰到的帧中模块")},
    {cmd::kCentre, QT_TRANSLATE_NOOP("Quillet", "中心点"), nullptr},
    {cmd::kGrid, QT_TRANSLATE_NOOP("Quillet", "打开网格"), nullptr},
    {cmd::kAlign, QT_TRANSLATE_NOOP("Quillet", "对齐"), nullptr},
    {cmd::kTagMode, QT_TRANSLATE_NOOP("Quillet", "标签模式"), nullptr},
    {cmd::kOnionSkin, QT_TRANSLATE_NOOP("Quillet", "洋葱皮"),
     QT_TRANSLATE_NOOP("Quillet", "在当前帧后面淡淡地显示前后的帧: 之前的红色, 之后的绿色 (O)")},
    {cmd::kOnionSkinFramesFirst, nullptr, QT_TRANSLATE_NOOP("Quillet", "洋葱皮在每边显示 1 帧")},
    {cmd::kOnionSkinFramesFirst + 1, nullptr,
     QT_TRANSLATE_NOOP("Quillet", "洋葱皮在每边显示 2 帧")},
    {cmd::kOnionSkinFramesFirst + 2, nullptr,
     QT_TRANSLATE_NOOP("Quillet", "洋葱皮在每边显示 3 帧")},
    // Placement tools
    {cmd::kFlipHorizontal, QT_TRANSLATE_NOOP("Quillet", "横向翻转"), nullptr},
    {cmd::kFlipVertical, QT_TRANSLATE_NOOP("Quillet", "纵向翻转"), nullptr},
    {cmd::kRotate, QT_TRANSLATE_NOOP("Quillet", "旋转"), nullptr},
};

const CommandTexts* Find(int id) {
  const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                  [id](const CommandTexts& row) { return row.id == id; });
  return found == std::end(kTexts) ? nullptr : found;
}

}  // namespace

const char* CommandToolTip(int commandId) {
  const CommandTexts* row = Find(commandId);
  return row != nullptr ? row->toolTip : nullptr;
}

const char* CommandPrompt(int commandId) {
  const CommandTexts* row = Find(commandId);
  if (row == nullptr) {
    return nullptr;
  }
  return row->prompt != nullptr ? row->prompt : row->toolTip;
}
