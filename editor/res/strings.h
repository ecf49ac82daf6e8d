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

}  // namespace res
