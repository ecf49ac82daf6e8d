#pragma once

// Texts of the program that more than one window shows.
namespace res {

inline constexpr char kAppTitle[] = "Quillen";  // the application title in every window title
inline constexpr char kAppVersion[] = "1.6b";
inline constexpr char kReady[] = "Ready";
inline constexpr char kUntitled[] = "Untitled";
inline constexpr char kNotSupported[] = "此版本不支持";
// The document template's filter, and the filter of the save command's own dialog.
inline constexpr char kDocumentFilter[] = "Quillen 动画文件 v1(*.an1)";
inline constexpr char kSaveFilter[] = "组合OBJ 文件 (*.an1)|*.an1||";
inline constexpr char kDocumentExtension[] = ".an1";
inline constexpr char kInputTitle[] = "请输入";
inline constexpr char kOk[] = "确定";
inline constexpr char kCancel[] = "取消";
inline constexpr char kAddTag[] = "添加标签";
// The status bar after several placements were selected (printf format, their number).
inline constexpr char kPlacementsSelected[] = "已选择 %d 个帧模块";
// The status bar after a change of the view's zoom ("缩放 200%"), a fit with nothing to fit, and
// a play with no action to play.
inline constexpr char kZoomStatus[] = "缩放 ";
inline constexpr char kNothingToFit[] = "没有可适合窗口的内容";
inline constexpr char kNoActionToPlay[] = "没有可播放的动作: 请先为动作添加关键帧";
// The onion skin's menu texts and what it says in the prompt when it changes.
inline constexpr char kOnionSkin[] = "洋葱皮";
inline constexpr char kOnionSkinFrames[] = "洋葱皮帧数";
inline constexpr char kOnionSkinShown[] = "洋葱皮: 开";
inline constexpr char kOnionSkinHidden[] = "洋葱皮: 关";
inline constexpr char kOnionSkinFramesSet[] = "洋葱皮帧数: ";

// Names of history steps: the first entry of a history, then the edits of the editor context.
inline constexpr char kStepOpen[] = "打开";
inline constexpr char kStepNew[] = "新建";
inline constexpr char kStepRecovered[] = "恢复";
inline constexpr char kStepAddTexture[] = "添加贴图";
inline constexpr char kStepReplaceTexture[] = "置换贴图";
inline constexpr char kStepDeleteTexture[] = "删除贴图";
inline constexpr char kStepAddModule[] = "添加裁剪块";
inline constexpr char kStepDeleteModule[] = "删除裁剪块";
inline constexpr char kStepAddFrame[] = "添加帧";
inline constexpr char kStepCopyFrame[] = "拷贝帧";
inline constexpr char kStepDeleteFrame[] = "删除帧";
inline constexpr char kStepAddAction[] = "新建动作";
inline constexpr char kStepDeleteAction[] = "删除动作";
inline constexpr char kStepInsertKey[] = "插入动作帧";
inline constexpr char kStepMoveKey[] = "移动动作帧";
inline constexpr char kStepDeleteKey[] = "删除动作帧";
inline constexpr char kStepInsertTime[] = "插入空白时间";
inline constexpr char kStepDeleteTime[] = "删除空白时间";
inline constexpr char kStepPlaceModule[] = "放置裁剪块";
inline constexpr char kStepDeletePlacement[] = "删除帧中模块";
inline constexpr char kStepReorderPlacements[] = "调整模块顺序";
inline constexpr char kStepMovePlacement[] = "移动模块";
inline constexpr char kStepMoveFrame[] = "移动整帧";
inline constexpr char kStepFlipHorizontal[] = "水平翻转";
inline constexpr char kStepFlipVertical[] = "垂直翻转";
inline constexpr char kStepRotate[] = "旋转模块";
inline constexpr char kStepAddTag[] = "添加标签";
inline constexpr char kStepDeleteTag[] = "删除标签";
inline constexpr char kStepMoveTag[] = "移动标签";
inline constexpr char kStepCollision[] = "修改碰撞区域";
inline constexpr char kStepRenameActor[] = "修改名字";
inline constexpr char kStepEdit[] = "修改属性";

// Names of history steps made by panels
inline constexpr char kStepEditModule[] = "修改模块属性";
inline constexpr char kStepEditFrame[] = "修改帧属性";
inline constexpr char kStepEditAction[] = "修改动作属性";
inline constexpr char kStepReshapeModule[] = "调整裁剪块";
inline constexpr char kStepRenameFrame[] = "重命名帧";
inline constexpr char kStepRenameAction[] = "重命名动作";
inline constexpr char kStepEditTag[] = "修改标签";
inline constexpr char kStepPaste[] = "粘贴";
inline constexpr char kStepCut[] = "剪切";

// The clipboard: what its items are called, and what copy, cut and paste say they did (a count
// and one of those names).
inline constexpr char kItemsPlacements[] = "帧中模块";
inline constexpr char kItemsFrames[] = "帧";
inline constexpr char kItemsKeys[] = "动作帧";
inline constexpr char kItemsActions[] = "动作";
inline constexpr char kItemsModules[] = "裁剪块";
inline constexpr char kCopiedItems[] = "已复制 %d 个%s";
inline constexpr char kCutItems[] = "已剪切 %d 个%s";
inline constexpr char kPastedItems[] = "已粘贴 %d 个%s";
// A texture a paste brought along (its file name, then the document's folder).
inline constexpr char kTextureNotBeside[] =
    "贴图 %s 不在文档的文件夹 %s 中，保存前请把它放到那里。";
inline constexpr char kDamagedClipboard[] = "剪贴板中的内容已损坏，没有粘贴：%s";
inline constexpr char kNothingToPaste[] = "剪贴板中的内容在这里无处粘贴";

// Automatic slicing of a texture into modules; "%1" stands for a count.
inline constexpr char kStepAutoSlice[] = "自动切割";
inline constexpr char kAutoSliceAdded[] = "自动切割：添加了 %1 个裁剪块";
inline constexpr char kAutoSliceNothingNew[] = "自动切割：没有新的裁剪块";
// The automatic slicing dialog and the cutting pane's controls.
inline constexpr char kAutoSliceByGrid[] = "按网格";
inline constexpr char kAutoSliceByRegions[] = "按不透明区域";
inline constexpr char kAutoSliceCellWidth[] = "单元宽";
inline constexpr char kAutoSliceCellHeight[] = "单元高";
inline constexpr char kAutoSliceOffsetX[] = "偏移 X";
inline constexpr char kAutoSliceOffsetY[] = "偏移 Y";
inline constexpr char kAutoSliceSpacingX[] = "间距 X";
inline constexpr char kAutoSliceSpacingY[] = "间距 Y";
inline constexpr char kAutoSliceSkipEmpty[] = "跳过没有不透明像素的单元";
inline constexpr char kAutoSliceMergeDistance[] = "合并距离";
inline constexpr char kAutoSliceMinSize[] = "最小尺寸";
inline constexpr char kAutoSliceAdd[] = "添加";
inline constexpr char kAutoSliceFound[] = "找到 %1 个矩形，其中 %2 个是新的";
inline constexpr char kAutoSliceTooMany[] = "矩形太多（最多 65535 个）：请加大单元或合并距离";
inline constexpr char kAutoSliceUnreadable[] = "无法读取贴图文件：%1";
inline constexpr char kCutGridTip[] = "切割网格：裁剪块的边对齐到几个像素";
inline constexpr char kCutGridItem[] = "网格 %1";
// Textures that follow their files: what the status bar says when a texture's file was read
// again, the texture list's mark and relink item for a texture whose file was not found, and the
// folders named when a document's textures are missing.
inline constexpr char kTextureReloaded[] = "已重新载入贴图 ";
inline constexpr char kTextureNotReloaded[] = "无法重新载入贴图 ";
inline constexpr char kModulesOutsideTexture[] = "；超出贴图范围的模块：";
inline constexpr char kTextureMissingSuffix[] = "（缺失）";
inline constexpr char kLocateTexture[] = "定位…";
inline constexpr char kTexturesNotFound[] = "无法找到贴图：";
inline constexpr char kTextureFoldersSearched[] = "查找过的文件夹：";
// The sprite sheet export: its menu item, its dialog, its progress and what it says at the end.
inline constexpr char kExportSheetMenu[] = "导出精灵表…";
inline constexpr char kExportSheetTitle[] = "导出精灵表";
inline constexpr char kExportSheetActions[] = "动作";
inline constexpr char kExportSheetFormat[] = "格式";
inline constexpr char kExportFormatSheet[] = "精灵表";
inline constexpr char kExportFormatPng[] = "PNG 序列";
inline constexpr char kExportFormatGif[] = "GIF 动画";
inline constexpr char kExportSheetScale[] = "缩放倍数";
inline constexpr char kExportSheetPadding[] = "图片间隔（像素）";
inline constexpr char kExportSheetTrim[] = "裁掉透明边缘";
inline constexpr char kExportSheetFolder[] = "输出文件夹";
inline constexpr char kExportSheetBrowse[] = "浏览…";
inline constexpr char kExportSheetStart[] = "导出";
inline constexpr char kExportNoAction[] = "请至少选择一个动作";
inline constexpr char kExportNoFolder[] = "请选择输出文件夹";
inline constexpr char kExportProgressTitle[] = "正在导出";
inline constexpr char kExportDone[] = "导出完成，共 %1 个文件。要打开输出文件夹吗？";
inline constexpr char kExportFailed[] = "导出失败：%1";
inline constexpr char kExportCancelledStatus[] = "导出已取消";

// ---- accessible names
// What assistive tools read for the drawn views, their items and the lists; "%1", "%2"... stand
// for numbers and names.
inline constexpr char kAccessibleAnimationView[] = "动画视图";
inline constexpr char kAccessibleNoFrame[] = "没有显示帧";
inline constexpr char kAccessibleShownFrame[] = "帧 %1";
inline constexpr char kAccessibleShownKey[] = "动作 %1，时间 %2：帧 %3";
inline constexpr char kAccessiblePlaying[] = "动作 %1：播放中";
inline constexpr char kAccessibleTimeline[] = "时间轴";
inline constexpr char kAccessibleKey[] = "时间 %1：%2";
inline constexpr char kAccessibleSelect[] = "选择";
inline constexpr char kAccessibleRuler[] = "时间标尺";
inline constexpr char kAccessiblePlayPosition[] = "播放位置";
inline constexpr char kAccessibleCutView[] = "裁剪视图";
inline constexpr char kAccessibleModule[] = "模块 %1: %2,%3 %4×%5";
inline constexpr char kAccessibleInputField[] = "输入内容";
inline constexpr char kAccessibleModuleList[] = "裁剪块列表";
inline constexpr char kAccessibleFrameList[] = "帧列表";
inline constexpr char kAccessibleActionList[] = "动作列表";
inline constexpr char kAccessibleKeyList[] = "动作帧列表";
inline constexpr char kAccessiblePlacementList[] = "帧中模块列表";
inline constexpr char kAccessibleTextureList[] = "贴图列表";
inline constexpr char kAccessibleTagList[] = "帧中标签列表";
inline constexpr char kAccessibleProperties[] = "属性";
inline constexpr char kAccessibleHistory[] = "历史";

}  // namespace res
