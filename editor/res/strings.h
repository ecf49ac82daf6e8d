#pragma once

#include <QtGlobal>

// Texts of the program that more than one window shows, marked for translation: where they are
// shown they go through UiText::tr (editor/res/ui_text.h).
namespace res {

inline constexpr char kAppTitle[] = "Quillen";  // the application title in every window title
inline constexpr char kAppVersion[] = "1.6b";
inline constexpr char kReady[] = QT_TRANSLATE_NOOP("Quillet", "Ready");
inline constexpr char kUntitled[] = QT_TRANSLATE_NOOP("Quillet", "Untitled");
inline constexpr char kNotSupported[] = QT_TRANSLATE_NOOP("Quillet", "此版本不支持");
// The document template's filter, and the filter of the save command's own dialog.
inline constexpr char kDocumentFilter[] =
    QT_TRANSLATE_NOOP("Quillet", "Quillen 动画文件 v1(*.an1)");
inline constexpr char kSaveFilter[] = QT_TRANSLATE_NOOP("Quillet", "组合OBJ 文件 (*.an1)|*.an1||");
inline constexpr char kDocumentExtension[] = ".an1";
inline constexpr char kInputTitle[] = QT_TRANSLATE_NOOP("Quillet", "请输入");
inline constexpr char kOk[] = QT_TRANSLATE_NOOP("Quillet", "确定");
inline constexpr char kCancel[] = QT_TRANSLATE_NOOP("Quillet", "取消");
inline constexpr char kAddTag[] = QT_TRANSLATE_NOOP("Quillet", "添加标签");
// The status bar after several placements were selected (printf format, their number).
inline constexpr char kPlacementsSelected[] = QT_TRANSLATE_NOOP("Quillet", "已选择 %d 个帧模块");
// The status bar after a change of the view's zoom ("缩放 200%"), a fit with nothing to fit, and
// a play with no action to play.
inline constexpr char kZoomStatus[] = QT_TRANSLATE_NOOP("Quillet", "缩放 ");
inline constexpr char kNothingToFit[] = QT_TRANSLATE_NOOP("Quillet", "没有可适合窗口的内容");
inline constexpr char kNoActionToPlay[] =
    QT_TRANSLATE_NOOP("Quillet", "没有可播放的动作: 请先为动作添加关键帧");
// The onion skin's menu texts and what it says in the prompt when it changes.
inline constexpr char kOnionSkin[] = QT_TRANSLATE_NOOP("Quillet", "洋葱皮");
inline constexpr char kOnionSkinFrames[] = QT_TRANSLATE_NOOP("Quillet", "洋葱皮帧数");
inline constexpr char kOnionSkinShown[] = QT_TRANSLATE_NOOP("Quillet", "洋葱皮: 开");
inline constexpr char kOnionSkinHidden[] = QT_TRANSLATE_NOOP("Quillet", "洋葱皮: 关");
inline constexpr char kOnionSkinFramesSet[] = QT_TRANSLATE_NOOP("Quillet", "洋葱皮帧数: ");

// Names of history steps: the first entry of a history, then the edits of the editor context.
inline constexpr char kStepOpen[] = QT_TRANSLATE_NOOP("Quillet", "打开");
inline constexpr char kStepNew[] = QT_TRANSLATE_NOOP("Quillet", "新建");
inline constexpr char kStepRecovered[] = QT_TRANSLATE_NOOP("Quillet", "恢复");
inline constexpr char kStepAddTexture[] = QT_TRANSLATE_NOOP("Quillet", "添加贴图");
inline constexpr char kStepReplaceTexture[] = QT_TRANSLATE_NOOP("Quillet", "置换贴图");
inline constexpr char kStepDeleteTexture[] = QT_TRANSLATE_NOOP("Quillet", "删除贴图");
inline constexpr char kStepAddModule[] = QT_TRANSLATE_NOOP("Quillet", "添加裁剪块");
inline constexpr char kStepDeleteModule[] = QT_TRANSLATE_NOOP("Quillet", "删除裁剪块");
inline constexpr char kStepAddFrame[] = QT_TRANSLATE_NOOP("Quillet", "添加帧");
inline constexpr char kStepCopyFrame[] = QT_TRANSLATE_NOOP("Quillet", "拷贝帧");
inline constexpr char kStepDeleteFrame[] = QT_TRANSLATE_NOOP("Quillet", "删除帧");
inline constexpr char kStepAddAction[] = QT_TRANSLATE_NOOP("Quillet", "新建动作");
inline constexpr char kStepDeleteAction[] = QT_TRANSLATE_NOOP("Quillet", "删除动作");
inline constexpr char kStepInsertKey[] = QT_TRANSLATE_NOOP("Quillet", "插入动作帧");
inline constexpr char kStepMoveKey[] = QT_TRANSLATE_NOOP("Quillet", "移动动作帧");
inline constexpr char kStepDeleteKey[] = QT_TRANSLATE_NOOP("Quillet", "删除动作帧");
inline constexpr char kStepInsertTime[] = QT_TRANSLATE_NOOP("Quillet", "插入空白时间");
inline constexpr char kStepDeleteTime[] = QT_TRANSLATE_NOOP("Quillet", "删除空白时间");
inline constexpr char kStepPlaceModule[] = QT_TRANSLATE_NOOP("Quillet", "放置裁剪块");
inline constexpr char kStepDeletePlacement[] = QT_TRANSLATE_NOOP("Quillet", "删除帧中模块");
inline constexpr char kStepReorderPlacements[] = QT_TRANSLATE_NOOP("Quillet", "调整模块顺序");
inline constexpr char kStepMovePlacement[] = QT_TRANSLATE_NOOP("Quillet", "移动模块");
inline constexpr char kStepMoveFrame[] = QT_TRANSLATE_NOOP("Quillet", "移动整帧");
inline constexpr char kStepFlipHorizontal[] = QT_TRANSLATE_NOOP("Quillet", "水平翻转");
inline constexpr char kStepFlipVertical[] = QT_TRANSLATE_NOOP("Quillet", "垂直翻转");
inline constexpr char kStepRotate[] = QT_TRANSLATE_NOOP("Quillet", "旋转模块");
inline constexpr char kStepAddTag[] = QT_TRANSLATE_NOOP("Quillet", "添加标签");
inline constexpr char kStepDeleteTag[] = QT_TRANSLATE_NOOP("Quillet", "删除标签");
inline constexpr char kStepMoveTag[] = QT_TRANSLATE_NOOP("Quillet", "移动标签");
inline constexpr char kStepCollision[] = QT_TRANSLATE_NOOP("Quillet", "修改碰撞区域");
inline constexpr char kStepRenameActor[] = QT_TRANSLATE_NOOP("Quillet", "修改名字");
inline constexpr char kStepEdit[] = QT_TRANSLATE_NOOP("Quillet", "修改属性");

// Names of history steps made by panels
inline constexpr char kStepEditModule[] = QT_TRANSLATE_NOOP("Quillet", "修改模块属性");
inline constexpr char kStepEditFrame[] = QT_TRANSLATE_NOOP("Quillet", "修改帧属性");
inline constexpr char kStepEditAction[] = QT_TRANSLATE_NOOP("Quillet", "修改动作属性");
inline constexpr char kStepReshapeModule[] = QT_TRANSLATE_NOOP("Quillet", "调整裁剪块");
inline constexpr char kStepRenameFrame[] = QT_TRANSLATE_NOOP("Quillet", "重命名帧");
inline constexpr char kStepRenameAction[] = QT_TRANSLATE_NOOP("Quillet", "重命名动作");
inline constexpr char kStepEditTag[] = QT_TRANSLATE_NOOP("Quillet", "修改标签");
inline constexpr char kStepPaste[] = QT_TRANSLATE_NOOP("Quillet", "粘贴");
inline constexpr char kStepCut[] = QT_TRANSLATE_NOOP("Quillet", "剪切");

// The clipboard: what its items are called, and what copy, cut and paste say they did (a count
// and one of those names).
inline constexpr char kItemsPlacements[] = QT_TRANSLATE_NOOP("Quillet", "帧中模块");
inline constexpr char kItemsFrames[] = QT_TRANSLATE_NOOP("Quillet", "帧");
inline constexpr char kItemsKeys[] = QT_TRANSLATE_NOOP("Quillet", "动作帧");
inline constexpr char kItemsActions[] = QT_TRANSLATE_NOOP("Quillet", "动作");
inline constexpr char kItemsModules[] = QT_TRANSLATE_NOOP("Quillet", "裁剪块");
inline constexpr char kCopiedItems[] = QT_TRANSLATE_NOOP("Quillet", "已复制 %d 个%s");
inline constexpr char kCutItems[] = QT_TRANSLATE_NOOP("Quillet", "已剪切 %d 个%s");
inline constexpr char kPastedItems[] = QT_TRANSLATE_NOOP("Quillet", "已粘贴 %d 个%s");
// A texture a paste brought along (its file name, then the document's folder).
inline constexpr char kTextureNotBeside[] =
    QT_TRANSLATE_NOOP("Quillet", "贴图 %s 不在文档的文件夹 %s 中，保存前请把它放到那里。");
inline constexpr char kDamagedClipboard[] =
    QT_TRANSLATE_NOOP("Quillet", "剪贴板中的内容已损坏，没有粘贴：%s");
inline constexpr char kNothingToPaste[] =
    QT_TRANSLATE_NOOP("Quillet", "剪贴板中的内容在这里无处粘贴");

// Automatic slicing of a texture into modules; "%1" stands for a count.
inline constexpr char kStepAutoSlice[] = QT_TRANSLATE_NOOP("Quillet", "自动切割");
inline constexpr char kAutoSliceAdded[] =
    QT_TRANSLATE_NOOP("Quillet", "自动切割：添加了 %1 个裁剪块");
inline constexpr char kAutoSliceNothingNew[] =
    QT_TRANSLATE_NOOP("Quillet", "自动切割：没有新的裁剪块");
// The automatic slicing dialog and the cutting pane's controls.
inline constexpr char kAutoSliceByGrid[] = QT_TRANSLATE_NOOP("Quillet", "按网格");
inline constexpr char kAutoSliceByRegions[] = QT_TRANSLATE_NOOP("Quillet", "按不透明区域");
inline constexpr char kAutoSliceCellWidth[] = QT_TRANSLATE_NOOP("Quillet", "单元宽");
inline constexpr char kAutoSliceCellHeight[] = QT_TRANSLATE_NOOP("Quillet", "单元高");
inline constexpr char kAutoSliceOffsetX[] = QT_TRANSLATE_NOOP("Quillet", "偏移 X");
inline constexpr char kAutoSliceOffsetY[] = QT_TRANSLATE_NOOP("Quillet", "偏移 Y");
inline constexpr char kAutoSliceSpacingX[] = QT_TRANSLATE_NOOP("Quillet", "间距 X");
inline constexpr char kAutoSliceSpacingY[] = QT_TRANSLATE_NOOP("Quillet", "间距 Y");
inline constexpr char kAutoSliceSkipEmpty[] =
    QT_TRANSLATE_NOOP("Quillet", "跳过没有不透明像素的单元");
inline constexpr char kAutoSliceMergeDistance[] = QT_TRANSLATE_NOOP("Quillet", "合并距离");
inline constexpr char kAutoSliceMinSize[] = QT_TRANSLATE_NOOP("Quillet", "最小尺寸");
inline constexpr char kAutoSliceAdd[] = QT_TRANSLATE_NOOP("Quillet", "添加");
inline constexpr char kAutoSliceFound[] =
    QT_TRANSLATE_NOOP("Quillet", "找到 %1 个矩形，其中 %2 个是新的");
inline constexpr char kAutoSliceTooMany[] =
    QT_TRANSLATE_NOOP("Quillet", "矩形太多（最多 65535 个）：请加大单元或合并距离");
inline constexpr char kAutoSliceUnreadable[] = QT_TRANSLATE_NOOP("Quillet", "无法读取贴图文件：%1");
inline constexpr char kCutGridTip[] =
    QT_TRANSLATE_NOOP("Quillet", "切割网格：裁剪块的边对齐到几个像素");
inline constexpr char kCutGridItem[] = QT_TRANSLATE_NOOP("Quillet", "网格 %1");
// Textures that follow their files: what the status bar says when a texture's file was read
// again, the texture list's mark and relink item for a texture whose file was not found, and the
// folders named when a document's textures are missing.
inline constexpr char kTextureReloaded[] = QT_TRANSLATE_NOOP("Quillet", "已重新载入贴图 ");
inline constexpr char kTextureNotReloaded[] = QT_TRANSLATE_NOOP("Quillet", "无法重新载入贴图 ");
inline constexpr char kModulesOutsideTexture[] =
    QT_TRANSLATE_NOOP("Quillet", "；超出贴图范围的模块：");
inline constexpr char kTextureMissingSuffix[] = QT_TRANSLATE_NOOP("Quillet", "（缺失）");
inline constexpr char kLocateTexture[] = QT_TRANSLATE_NOOP("Quillet", "定位…");
inline constexpr char kTexturesNotFound[] = QT_TRANSLATE_NOOP("Quillet", "无法找到贴图：");
inline constexpr char kTextureFoldersSearched[] = QT_TRANSLATE_NOOP("Quillet", "查找过的文件夹：");
// The interface language's menu, its items (each language's name in that language, never
// translated), what they do and what the status bar says after a change.
inline constexpr char kLanguageMenu[] = QT_TRANSLATE_NOOP("Quillet", "语言 / Language");
inline constexpr char kChineseLanguageName[] = "中文";
inline constexpr char kEnglishLanguageName[] = "English";
inline constexpr char kChineseLanguagePrompt[] =
    QT_TRANSLATE_NOOP("Quillet", "下次启动时使用中文界面");
inline constexpr char kEnglishLanguagePrompt[] =
    QT_TRANSLATE_NOOP("Quillet", "下次启动时使用英文界面");
inline constexpr char kLanguageAtNextStart[] = QT_TRANSLATE_NOOP(
    "Quillet", "界面语言将在下次启动时更改 / The interface language changes at the next start");
// The sprite sheet export: its menu item, its dialog, its progress and what it says at the end.
inline constexpr char kExportSheetMenu[] = QT_TRANSLATE_NOOP("Quillet", "导出精灵表…");
inline constexpr char kExportSheetTitle[] = QT_TRANSLATE_NOOP("Quillet", "导出精灵表");
inline constexpr char kExportSheetActions[] = QT_TRANSLATE_NOOP("Quillet", "动作");
inline constexpr char kExportSheetFormat[] = QT_TRANSLATE_NOOP("Quillet", "格式");
inline constexpr char kExportFormatSheet[] = QT_TRANSLATE_NOOP("Quillet", "精灵表");
inline constexpr char kExportFormatPng[] = QT_TRANSLATE_NOOP("Quillet", "PNG 序列");
inline constexpr char kExportFormatGif[] = QT_TRANSLATE_NOOP("Quillet", "GIF 动画");
inline constexpr char kExportSheetScale[] = QT_TRANSLATE_NOOP("Quillet", "缩放倍数");
inline constexpr char kExportSheetPadding[] = QT_TRANSLATE_NOOP("Quillet", "图片间隔（像素）");
inline constexpr char kExportSheetTrim[] = QT_TRANSLATE_NOOP("Quillet", "裁掉透明边缘");
inline constexpr char kExportSheetFolder[] = QT_TRANSLATE_NOOP("Quillet", "输出文件夹");
inline constexpr char kExportSheetBrowse[] = QT_TRANSLATE_NOOP("Quillet", "浏览…");
inline constexpr char kExportSheetStart[] = QT_TRANSLATE_NOOP("Quillet", "导出");
inline constexpr char kExportNoAction[] = QT_TRANSLATE_NOOP("Quillet", "请至少选择一个动作");
inline constexpr char kExportNoFolder[] = QT_TRANSLATE_NOOP("Quillet", "请选择输出文件夹");
inline constexpr char kExportProgressTitle[] = QT_TRANSLATE_NOOP("Quillet", "正在导出");
inline constexpr char kExportDone[] =
    QT_TRANSLATE_NOOP("Quillet", "导出完成，共 %1 个文件。要打开输出文件夹吗？");
inline constexpr char kExportFailed[] = QT_TRANSLATE_NOOP("Quillet", "导出失败：%1");
inline constexpr char kExportCancelledStatus[] = QT_TRANSLATE_NOOP("Quillet", "导出已取消");

// ---- accessible names
// What assistive tools read for the drawn views, their items and the lists; "%1", "%2"... stand
// for numbers and names.
inline constexpr char kAccessibleAnimationView[] = QT_TRANSLATE_NOOP("Quillet", "动画视图");
inline constexpr char kAccessibleNoFrame[] = QT_TRANSLATE_NOOP("Quillet", "没有显示帧");
inline constexpr char kAccessibleShownFrame[] = QT_TRANSLATE_NOOP("Quillet", "帧 %1");
inline constexpr char kAccessibleShownKey[] =
    QT_TRANSLATE_NOOP("Quillet", "动作 %1，时间 %2：帧 %3");
inline constexpr char kAccessiblePlaying[] = QT_TRANSLATE_NOOP("Quillet", "动作 %1：播放中");
inline constexpr char kAccessibleTimeline[] = QT_TRANSLATE_NOOP("Quillet", "时间轴");
inline constexpr char kAccessibleKey[] = QT_TRANSLATE_NOOP("Quillet", "时间 %1：%2");
inline constexpr char kAccessibleSelect[] = QT_TRANSLATE_NOOP("Quillet", "选择");
inline constexpr char kAccessibleRuler[] = QT_TRANSLATE_NOOP("Quillet", "时间标尺");
inline constexpr char kAccessiblePlayPosition[] = QT_TRANSLATE_NOOP("Quillet", "播放位置");
inline constexpr char kAccessibleCutView[] = QT_TRANSLATE_NOOP("Quillet", "裁剪视图");
inline constexpr char kAccessibleModule[] = QT_TRANSLATE_NOOP("Quillet", "模块 %1: %2,%3 %4×%5");
// The animation view's description: the frame shown, then the selection.
inline constexpr char kAccessibleWithSelection[] = QT_TRANSLATE_NOOP("Quillet", "%1；%2");
inline constexpr char kAccessibleInputField[] = QT_TRANSLATE_NOOP("Quillet", "输入内容");
inline constexpr char kAccessibleModuleList[] = QT_TRANSLATE_NOOP("Quillet", "裁剪块列表");
inline constexpr char kAccessibleFrameList[] = QT_TRANSLATE_NOOP("Quillet", "帧列表");
inline constexpr char kAccessibleActionList[] = QT_TRANSLATE_NOOP("Quillet", "动作列表");
inline constexpr char kAccessibleKeyList[] = QT_TRANSLATE_NOOP("Quillet", "动作帧列表");
inline constexpr char kAccessiblePlacementList[] = QT_TRANSLATE_NOOP("Quillet", "帧中模块列表");
inline constexpr char kAccessibleTextureList[] = QT_TRANSLATE_NOOP("Quillet", "贴图列表");
inline constexpr char kAccessibleTagList[] = QT_TRANSLATE_NOOP("Quillet", "帧中标签列表");
inline constexpr char kAccessibleProperties[] = QT_TRANSLATE_NOOP("Quillet", "属性");
inline constexpr char kAccessibleHistory[] = QT_TRANSLATE_NOOP("Quillet", "历史");

}  // namespace res
