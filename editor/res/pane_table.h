#pragma once

#include <vector>

// The docking panes, by id. The id is also the dock's object name, so a saved window layout
// finds its panes again.
namespace pane {

constexpr int kModuleCut = 4000;
constexpr int kModuleList = 4001;
constexpr int kFrames = 4002;
constexpr int kActions = 4003;
constexpr int kActionFrames = 4004;
constexpr int kProperties = 4005;
constexpr int kFrameModules = 4006;
constexpr int kTextures = 4007;
constexpr int kTimeline = 4008;
constexpr int kFrameTags = 4009;
constexpr int kHistory = 4010;

}  // namespace pane

// One docking pane: its id, caption (a source text: show it through UiText::tr), the window
// title of the panel it hosts, and the command of the View menu that shows it again.
struct CPaneInfo {
  int id;
  const char* caption;
  const char* windowTitle;
  bool bordered;
  int showCommand;
  bool checkedWhileOpen;  // the show command is checked while the pane is open
};

// The eleven panes in id order.
const std::vector<CPaneInfo>& PaneTable();
