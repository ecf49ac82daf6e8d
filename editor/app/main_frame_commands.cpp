// The frame's own commands and the configuration it reads at creation.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "core/foundation/profile_int.h"
#include "editor/app/customize_dialog.h"
#include "editor/app/dock_panes.h"
#include "editor/app/main_frame.h"
#include "editor/panels/export_sheet_job.h"
#include "editor/res/command_ids.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"

namespace {

constexpr char kConfigFile[] = "anmcfg.ini";
constexpr char kConfigSection[] = "SETTING";
constexpr int kDefaultFps = 30;
constexpr char kBadFrameRate[] = QT_TRANSLATE_NOOP("Quillet", "请输入大于 0 的数字");

// A typed frame rate: a number above 0, or nothing.
std::optional<float> ParseFrameRate(const std::string& utf8) {
  bool ok = false;
  const double value = QString::fromStdString(utf8).trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value) || value <= 0.0 || value > 1e6) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

}  // namespace

void CMainFrame::RegisterCommands() {
  CVelloEditor& e = m_Editor;
  const auto view_ready = [this] { return m_View->IsReady(); };
  OnCommand(
      cmd::kZoomIn, [&e] { e.ZoomIn(); }, view_ready);
  OnCommand(
      cmd::kZoomOut, [&e] { e.ZoomOut(); }, view_ready);
  OnCommand(
      cmd::kFitToView, [&e] { e.FitToView(); }, view_ready);
  OnCommand(
      cmd::kActualSize, [&e] { e.ActualSize(); }, view_ready);
  OnCommand(cmd::kResetLayout, [this] { ResetWindowLayout(); });
  OnCommand(cmd::kFlipHorizontal, [&e] { e.FlipHorizontal(); });
  OnCommand(cmd::kFlipVertical, [&e] { e.FlipVertical(); });
  OnCommand(cmd::kRotate, [&e] { e.RotatePlacement(); });
  OnCommand(cmd::kGrid, [&e] { e.ToggleGrid(); });
  OnCommand(
      cmd::kBoxSelect, [&e] { e.ToggleBoxSelect(); }, {}, [&e] { return e.BoxSelectMode(); });
  OnCommand(
      cmd::kEditSelectAll, [&e] { e.SelectAllPlacements(); },
      [&e] {
        return e.Actor() != nullptr && e.Actor()->GetFrame(e.SelectedFrame()) != nullptr &&
               e.Actor()->GetFrame(e.SelectedFrame())->GetModuleSize() > 0;
      });
  OnCommand(
      cmd::kAlign, [&e] { e.ToggleSnap(); }, {}, [&e] { return e.SnapToGrid(); });
  OnCommand(
      cmd::kTagMode, [&e] { e.ToggleTagMode(); }, {}, [&e] { return e.TagMode(); });
  OnCommand(
      cmd::kLoop, [&e] { e.ToggleLoop(); }, {}, [&e] { return e.LoopPlayback(); });
  OnCommand(cmd::kPlay, [&e] { e.Play(); });
  OnCommand(cmd::kStop, [&e] { e.Stop(); });
  // The property pane's in-place editor holds a pointer into the actor until it commits, so the
  // history waits for it.
  OnCommand(
      cmd::kEditUndo, [&e] { e.Undo(); },
      [this, &e] { return e.CanUndo() && !IsEditingProperty(); });
  OnCommand(
      cmd::kEditRedo, [&e] { e.Redo(); },
      [this, &e] { return e.CanRedo() && !IsEditingProperty(); });
  RegisterClipboardCommands();
  OnCommand(cmd::kSetFps, [this] { SetFrameRate(); });
  OnCommand(cmd::kCustomize, [this] { Customize(); });
  OnCommand(
      cmd::kExportSheet, [this, &e] { ExportSpriteSheet(e, this); },
      [&e] { return e.Actor() != nullptr; });
  OnCommand(
      cmd::kViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
      [this] { return !statusBar()->isHidden(); });
  for (const CPaneInfo& pane : PaneTable()) {
    const int id = pane.id;
    std::function<bool()> checked;
    if (pane.checkedWhileOpen) {
      checked = [this, id] { return IsPaneOpen(id); };
    }
    OnCommand(
        pane.showCommand, [this, id] { ShowPane(id); }, {}, checked);
  }
}

// "anmcfg.ini" in the current directory: section SETTING, "fps" (30) and "InpolationEnable" (1).
// A rate that is not above 0 would stop playback for good, so it counts as missing.
void CMainFrame::ReadConfiguration() {
  const std::string path = QDir::current().filePath(kConfigFile).toStdString();
  int fps = ReadProfileInt(path, kConfigSection, "fps", kDefaultFps);
  if (fps <= 0) {
    fps = kDefaultFps;
  }
  m_Editor.SetFrameRate(static_cast<float>(fps));
  m_Editor.SetInterpolationDefault(ReadProfileInt(path, kConfigSection, "InpolationEnable", 1));
}

void CMainFrame::SetFrameRate() {
  const std::string initial = std::to_string(static_cast<long long>(m_Editor.FrameRate()));
  const std::optional<std::string> text =
      Prompts().AskText(initial, [](const std::string& utf8) -> std::string {
        const std::string problem = TypedTextProblem(utf8, TypedTextKind::Text);
        if (!problem.empty()) {
          return problem;
        }
        return ParseFrameRate(utf8) ? std::string() : UiText::Utf8(kBadFrameRate);
      });
  if (!text) {
    return;
  }
  if (const std::optional<float> rate = ParseFrameRate(*text)) {
    m_Editor.SetFrameRate(*rate);
  }
}

// The sheet offers the commands by top-level menu, then all of them: those of the menus in menu
// order, those only on toolbars in toolbar order, then any other.
void CMainFrame::Customize() {
  std::vector<CCommandCategory> menus;
  std::vector<QAction*> all_commands;
  for (const QAction* top : menuBar()->actions()) {
    if (top->menu() == nullptr) {
      continue;
    }
    CCommandCategory category{top->text().remove('&'), {}};
    CollectMenuCommands(*top->menu(), category.commands);
    all_commands.insert(all_commands.end(), category.commands.begin(), category.commands.end());
    menus.push_back(std::move(category));
  }
  const auto add_once = [this, &all_commands](QAction* action) {
    const int id = action->data().toInt();
    if (CustomizableAction(id) == action && action->isVisible() &&
        std::find(all_commands.begin(), all_commands.end(), action) == all_commands.end()) {
      all_commands.push_back(action);
    }
  };
  for (const QToolBar* bar : m_ToolBars) {
    for (QAction* action : bar->actions()) {
      add_once(action);
    }
  }
  for (const auto& [id, action] : m_Actions) {
    add_once(action);
  }
  CCustomizeDialog dialog(m_ToolBars, std::move(menus), std::move(all_commands), this);
  if (Prompts().RunDialog(dialog) == QDialog::Accepted) {
    dialog.Apply();
  }
}

void CMainFrame::CollectMenuCommands(const QMenu& menu, std::vector<QAction*>& commands) const {
  for (QAction* action : menu.actions()) {
    if (action->menu() != nullptr) {
      CollectMenuCommands(*action->menu(), commands);
    } else if (!action->isSeparator() && action->isVisible() &&
               CustomizableAction(action->data().toInt()) == action) {
      commands.push_back(action);
    }
  }
}
