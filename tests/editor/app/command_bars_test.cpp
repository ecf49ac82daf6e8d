// The command bars as a user meets them: the prompt of the command under the pointer in the
// status bar, and toolbars given other commands in the customisation dialog.
#include "tests/editor/support/app_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "editor/app/customize_dialog.h"
#include "editor/res/command_ids.h"

namespace {

TEST_F(AppTest, TheFirstStatusPaneShowsThePromptOfTheCommandUnderThePointer) {
  StartApp();
  CMainFrame& frame = Frame();
  QLabel* prompt = frame.StatusPane(0);
  const auto shows = [prompt](const QString& text) {
    return QTest::qWaitFor([&] { return prompt->text() == text; }, 2000);
  };

  // Every item of the menus and every tool button has a prompt.
  QList<QAction*> commands;
  for (const QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) {
    commands += menu->actions();
  }
  for (const QToolBar* bar : frame.ToolBars()) {
    commands += bar->actions();
  }
  for (const QAction* action : commands) {
    if (!action->isSeparator() && action->menu() == nullptr) {
      EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
    }
  }

  // The pointer over menu items, then the menu closed.
  QMenuBar* bar = frame.menuBar();
  QAction* file = bar->actions().at(0);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
  QMenu* menu = file->menu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::mouseMove(menu, menu->actionGeometry(frame.Action(cmd::kFileNew)).center());
  EXPECT_TRUE(shows("新建一个动画")) << prompt->text().toStdString();
  QTest::mouseMove(menu, menu->actionGeometry(frame.Action(cmd::kFileSaveAs)).center());
  EXPECT_TRUE(shows("以新的名字保存当前动画")) << prompt->text().toStdString();
  QTest::keyClick(menu, Qt::Key_Escape);
  QTest::keyClick(bar, Qt::Key_Escape);
  EXPECT_TRUE(shows("Ready")) << prompt->text().toStdString();

  // A disabled item shows its prompt too.
  QAction* edit = bar->actions().at(1);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(edit).center());
  menu = edit->menu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::mouseMove(menu, menu->actionGeometry(frame.Action(cmd::kEditCut)).center());
  EXPECT_TRUE(shows("Cut the selection to the clipboard")) << prompt->text().toStdString();
  menu->close();
  EXPECT_TRUE(shows("Ready")) << prompt->text().toStdString();

  // The pointer over a tool button, then away from it: the tooltip serves as prompt.
  QWidget* grid = frame.ToolBar("EDITCTRL")->widgetForAction(frame.Action(cmd::kGrid));
  QTest::mouseMove(grid);
  EXPECT_TRUE(shows("打开网格")) << prompt->text().toStdString();
  EXPECT_TRUE(frame.StatusPane(3)->isVisible());  // the prompt covers no other pane
  QTest::mouseMove(&frame.View());
  EXPECT_TRUE(shows("Ready")) << prompt->text().toStdString();
}

}  // namespace
