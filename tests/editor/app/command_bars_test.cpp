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

QStringList ButtonIds(QToolBar* bar) {
  QStringList ids;
  for (const QAction* action : bar->actions()) {
    ids << (action->isSeparator() ? "0" : action->data().toString());
  }
  return ids;
}

QStringList RowTexts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) {
    texts << list->item(row)->text();
  }
  return texts;
}

void Choose(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  list->setCurrentItem(found[0]);
}

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

TEST_F(AppTest, CommandsPutOnAToolbarInTheSheetRunAndComeBackAfterARestart) {
  StartApp();
  prompts.dialogResult = QDialog::Accepted;
  prompts.onDialog = [](QDialog& dialog) {
    auto& sheet = dynamic_cast<CCustomizeDialog&>(dialog);
    CCustomizeCommandsPage& page = *sheet.CommandsPage();
    sheet.Pages()->setCurrentWidget(&page);
    EXPECT_EQ(RowTexts(page.CategoryList()),
              (QStringList{"文件", "编辑", "设置", "查看", "帮助", "所有命令"}));

    // "设置FPS" after the loop button of AnimTool, "对齐" at its end; Stop taken off.
    page.ToolBarChoice()->setCurrentText("AnimTool");
    Choose(page.CategoryList(), "设置");
    EXPECT_EQ(RowTexts(page.CommandList()), (QStringList{"设置名字", "背景色", "设置FPS"}));
    Choose(page.CommandList(), "设置FPS");
    page.ButtonList()->setCurrentRow(2);
    page.AddButton()->click();
    EXPECT_FALSE(page.AddButton()->isEnabled());  // a toolbar shows a command once
    Choose(page.CategoryList(), "所有命令");
    Choose(page.CommandList(), "对齐");
    page.ButtonList()->setCurrentRow(-1);
    page.AddButton()->click();
    Choose(page.ButtonList(), "停止播放");
    page.RemoveButton()->click();
    EXPECT_EQ(RowTexts(page.ButtonList()),
              (QStringList{"播放动画", "循环播放", "设置FPS", "对齐"}));

    // A picture of the commands page, for people to look at.
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    EXPECT_TRUE(sheet.grab().save(QUILLET_SCREENSHOT_DIR "/customize_commands.png"));
  };
  Trigger(cmd::kCustomize);
  QToolBar* anim_tool = Frame().ToolBar("AnimTool");
  EXPECT_EQ(ButtonIds(anim_tool), (QStringList{"32797", "32812", "32803", "32796"}));

  // The new buttons run their commands and show their state.
  prompts.typedTexts = {std::string("24")};
  QTest::mouseClick(anim_tool->widgetForAction(Frame().Action(cmd::kSetFps)), Qt::LeftButton);
  EXPECT_EQ(Editor().FrameRate(), 24.0f);
  auto* align = qobject_cast<QToolButton*>(anim_tool->widgetForAction(Frame().Action(cmd::kAlign)));
  QTest::mouseClick(align, Qt::LeftButton);
  EXPECT_TRUE(Editor().SnapToGrid());
  EXPECT_TRUE(align->isChecked());

  // A restart gives the toolbar its buttons again, without a command that is no more.
  EXPECT_TRUE(Frame().close());
  app.reset();
  {
    QSettings settings;
    QStringList kept = settings.value("CommandBars/Buttons/AnimTool").toStringList();
    kept.append({"31999", "播放", "32773"});
    settings.setValue("CommandBars/Buttons/AnimTool", kept);
  }
  StartApp();
  EXPECT_EQ(ButtonIds(Frame().ToolBar("AnimTool")),
            (QStringList{"32797", "32812", "32803", "32796", "32773"}));
  EXPECT_EQ(ButtonIds(Frame().ToolBar("FMCTRL")), (QStringList{"32786", "32787", "32788"}));
}

}  // namespace
