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

}  // namespace res
