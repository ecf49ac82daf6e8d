#pragma once

// Command identifiers of the menus, toolbars and accelerators. Every menu item, tool button and
// shortcut carries one of these, and the command router finds the handler by it.
namespace cmd {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kFileMruFirst = 57616;  // four recent files: 57616 .. 57619
constexpr int kFileMruCount = 4;
constexpr int kAppExit = 57665;
constexpr int kAppAbout = 57664;

// Export and import, none supported
constexpr int kExportSymbian = 32793;
constexpr int kExportJava = 32789;
constexpr int kExportXml = 32805;
constexpr int kExportRws = 32807;
constexpr int kImportAnm = 32799;
constexpr int kImportRws = 32809;
// The actions as a sprite sheet, PNG sequence or GIF, through the exporter
constexpr int kExportSheet = 32850;

// Edit: undo and redo step through the history; cut, copy and paste have no handlers
constexpr int kEditCut = 57635;
constexpr int kEditCopy = 57634;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kEditSelectAll = 57642;  // every placement of the edited frame

// Settings
constexpr int kSetName = 32791;
constexpr int kBackgroundColor = 32795;
constexpr int kSetFps = 32803;

// View
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kCustomize = 35001;
constexpr int kFitToView = 35002;
constexpr int kActualSize = 35003;
constexpr int kResetLayout = 35004;

// Animation tools
constexpr int kPlayPreview = 32772;
constexpr int kPlay = 32797;
constexpr int kStop = 32773;
constexpr int kLoop = 32812;

// Edit tools
constexpr int kZoomIn = 32774;
constexpr int kZoomOut = 32775;
constexpr int kBoxSelect = 32777;
constexpr int kCentre = 32784;
constexpr int kGrid = 32794;
constexpr int kAlign = 32796;
constexpr int kTagMode = 32811;
// The onion skin, and its frame counts 1 to 3 in the View menu: 32841 .. 32843
constexpr int kOnionSkin = 32840;
constexpr int kOnionSkinFramesFirst = 32841;
constexpr int kOnionSkinFramesCount = 3;

// Placement tools
constexpr int kFlipHorizontal = 32786;
constexpr int kFlipVertical = 32787;
constexpr int kRotate = 32788;

// Pane toggles of the "PANELCTRL" toolbar
constexpr int kShowModulePane = 32779;
constexpr int kShowModuleListPane = 32780;
constexpr int kShowActionPane = 32781;
constexpr int kShowActionFramePane = 32782;
constexpr int kShowFramePane = 32783;

// The view's context menu
constexpr int kAddTag = 1153;

}  // namespace cmd
