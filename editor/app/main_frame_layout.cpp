// Where the frame's panes and toolbars go: the default layout, the one kept between runs, and the
// way back to the default.
#include <QApplication>
#include <QDockWidget>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <algorithm>

#include "editor/app/dock_panes.h"
#include "editor/app/main_frame.h"
#include "editor/res/ui_text.h"

namespace {

constexpr char kWindowGeometry[] = "MainFrame/Geometry";
// The state of the toolbars and, beside them, of the panes.
constexpr char kWindowState[] = "CommandBars/State";
// The smallest window that shows every pane's tabs whole beside a useful view.
constexpr int kMinDefaultWidth = 1280;
constexpr int kMinDefaultHeight = 800;

// The width a tab group needs to show every caption of `panes` whole.
int TabGroupWidth(const QStyle& style, const std::vector<int>& panes) {
  const QFontMetrics metrics(QApplication::font("QTabBar"));
  const int space = style.pixelMetric(QStyle::PM_TabBarTabHSpace);
  int width = style.pixelMetric(QStyle::PM_DockWidgetFrameWidth) * 2;
  for (const CPaneInfo& pane : PaneTable()) {
    if (std::find(panes.begin(), panes.end(), pane.id) != panes.end()) {
      width += metrics.horizontalAdvance(UiText::tr(pane.caption)) + space;
    }
  }
  return width;
}

}  // namespace

std::pair<int, int> CMainFrame::DefaultSideWidths() const {
  return {TabGroupWidth(*style(), {pane::kTextures, pane::kModuleList, pane::kModuleCut}),
          std::max(
              TabGroupWidth(*style(), {pane::kActions, pane::kActionFrames, pane::kFrames}),
              TabGroupWidth(*style(), {pane::kProperties, pane::kFrameModules, pane::kFrameTags}))};
}

void CMainFrame::RestoreWindowLayout(const QSettings& settings) {
  // Most of the screen, at least the size the panes need where the screen has room for it.
  if (const QScreen* shown_on = screen()) {
    const QRect room = shown_on->availableGeometry();
    const QSize size(std::min(room.width(), std::max(kMinDefaultWidth, room.width() * 9 / 10)),
                     std::min(room.height(), std::max(kMinDefaultHeight, room.height() * 9 / 10)));
    resize(size);
    move(room.center() - QPoint(size.width() / 2, size.height() / 2));
  }
  LayOutDockPanes(*this, m_Docks, DefaultSideWidths());
  // Each restore leaves things as they are when its bytes are missing or damaged.
  restoreGeometry(settings.value(kWindowGeometry).toByteArray());
  restoreState(settings.value(kWindowState).toByteArray());
}

void CMainFrame::SaveWindowLayout(QSettings& settings) const {
  settings.setValue(kWindowGeometry, saveGeometry());
  settings.setValue(kWindowState, saveState());
}

void CMainFrame::ResetWindowLayout() {
  for (QToolBar* bar : m_ToolBars) {
    removeToolBar(bar);
  }
  for (QToolBar* bar : m_ToolBars) {
    addToolBar(Qt::TopToolBarArea, bar);
    bar->show();
  }
  LayOutDockPanes(*this, m_Docks, DefaultSideWidths());
  UpdateCommandStates();
}
