// The main window's size and layout: a first start that shows every caption whole, the layout
// kept between runs, and the way back to the default one.
#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QTabBar>
#include <QToolBar>
#include <QTreeWidgetItemIterator>

#include "editor/res/command_ids.h"
#include "editor_support/property_grid/property_grid.h"
#include "tests/editor/support/window_picture.h"

namespace {

// The captions of the dock tab groups that are cut short.
QStringList CutTabs(CMainFrame& frame) {
  QStringList cut;
  for (const QTabBar* bar : frame.findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
    for (int i = 0; bar->isVisible() && i < bar->count(); ++i) {
      if (bar->tabRect(i).width() < bar->fontMetrics().horizontalAdvance(bar->tabText(i))) {
        cut << bar->tabText(i);
      }
    }
  }
  return cut;
}

TEST_F(AppTest, TheWindowFitsTheScreenKeepsItsLayoutAndGoesBackToTheDefault) {
  StartApp();
  Editor().SelectFrame(Editor().CreateFrame("f"));
  QTest::qWait(50);
  EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/first_start_window.png"));
  EXPECT_GE(Frame().width(), 1280);
  EXPECT_GE(Frame().height(), 800);
  EXPECT_EQ(CutTabs(Frame()), QStringList());
  const UPropertyGrid& grid = *Frame().PropertyGrid();
  for (QTreeWidgetItemIterator it(Frame().PropertyGrid()); *it != nullptr; ++it) {
    int depth = 0;
    for (const QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent()) {
      ++depth;
    }
    const int needed =
        grid.indentation() * (depth + 1) + grid.fontMetrics().horizontalAdvance((*it)->text(0));
    EXPECT_GE(grid.header()->sectionSize(0), depth > 0 ? needed : 0)
        << (*it)->text(0).toStdString();
  }

  // Moved toolbar and panes, the history opened, the loop on: all kept for the next run.
  Frame().addToolBar(Qt::LeftToolBarArea, Frame().ToolBar("AnimTool"));
  Frame().addDockWidget(Qt::BottomDockWidgetArea, Frame().Pane(4008));
  Trigger(4010);
  Trigger(cmd::kLoop);
  Frame().resize(1100, 820);
  prompts.answers.push_back(UMessageAnswer::No);
  EXPECT_TRUE(Frame().close());
  app.reset();
  StartApp();
  EXPECT_EQ(Frame().size(), QSize(1100, 820));
  EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar("AnimTool")), Qt::LeftToolBarArea);
  EXPECT_EQ(Frame().dockWidgetArea(Frame().Pane(4008)), Qt::BottomDockWidgetArea);
  EXPECT_FALSE(Frame().Pane(4010)->isHidden());
  EXPECT_TRUE(Editor().LoopPlayback());
  EXPECT_TRUE(Frame().Action(cmd::kLoop)->isChecked());

  // "重置窗口布局" puts panes and toolbars back, with whole captions again.
  Frame().Pane(4003)->setFloating(true);
  Frame().ToolBar("Standard")->hide();
  Trigger(cmd::kResetLayout);
  QTest::qWait(50);
  EXPECT_EQ(Frame().Action(cmd::kResetLayout)->text(), "重置窗口布局");
  EXPECT_EQ(Frame().toolBarArea(Frame().ToolBar("AnimTool")), Qt::TopToolBarArea);
  EXPECT_TRUE(Frame().ToolBar("Standard")->isVisible());
  EXPECT_EQ(Frame().dockWidgetArea(Frame().Pane(4008)), Qt::TopDockWidgetArea);
  EXPECT_FALSE(Frame().Pane(4003)->isFloating());
  EXPECT_EQ(Frame().dockWidgetArea(Frame().Pane(4003)), Qt::RightDockWidgetArea);
  EXPECT_EQ(Frame().tabifiedDockWidgets(Frame().Pane(4003)).size(), 2);
  EXPECT_TRUE(Frame().Pane(4010)->isHidden());
}

}  // namespace
