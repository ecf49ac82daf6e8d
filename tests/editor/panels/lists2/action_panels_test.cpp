// The actions pane and the action-key pane driven as a user would, together with the frames
// pane whose names the keys show; the factory's panes; a picture of the three with content.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "editor/app/dock_panes.h"
#include "editor/panels/action_frame_panel.h"
#include "editor/panels/action_panel.h"
#include "editor/panels/action_settings_dialog.h"
#include "editor/panels/frame_panel.h"
#include "editor/panels/panel_factory.h"
#include "tests/editor/panels/lists2/lists_fixture.h"

namespace {

using ActionPanelTest = ListsTest;

// Makes the dialog that the scripted prompts are given behave as a user who types `name` and
// presses `button`.
std::function<void(QDialog&)> TypeAndPress(ScriptedPrompts& prompts, const QString& name,
                                           const char* button) {
  return [&prompts, name, button](QDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>("actionNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    // One key event carrying the whole text, as an input method delivers Chinese.
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, name);
    QApplication::sendEvent(edit, &typed);
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    prompts.dialogResult = dialog.result();
  };
}

TEST_F(ActionPanelTest, NewProposesTheNextNumberAndLeavesNothingSelected) {
  MakeFrames({"a"});
  editor.CreateAction("idle");
  editor.CreateAction("run");
  editor.CreateAction("奔跑");
  CActionPanel panel(editor, nullptr);
  Show(panel);
  CActionListCtrl& list = *panel.List();
  EXPECT_EQ(panel.windowTitle(), "AL");
  EXPECT_EQ(Headers(list), (QStringList{"动作名:100", "帧数:40"}));
  // The list leaves 40 pixels; the buttons take the lowest 20, half the width each.
  EXPECT_EQ(list.geometry(), QRect(0, 0, 320, 200));
  EXPECT_EQ(panel.findChild<QPushButton*>("deleteButton")->geometry(), QRect(160, 220, 160, 20));
  ASSERT_EQ(list.topLevelItemCount(), 3);
  EXPECT_EQ(Row(list, 2), (QStringList{"  奔跑", "0"}));

  editor.SelectFrame(0);
  ClickRow(list, 1);
  editor.InsertActionKey(1, 0, 0);
  editor.SelectActionFrame(0);
  EXPECT_EQ(Row(list, 1), (QStringList{"[ run ]", "1"}));

  prompts.typedTexts = {"jump"};
  Press(panel, "newButton");
  EXPECT_EQ(prompts.inputInitialTexts, std::vector<std::string>{"newAction 3"});
  ASSERT_EQ(list.topLevelItemCount(), 4);
  EXPECT_EQ(Row(list, 3), (QStringList{"  jump", "0"}));
  EXPECT_EQ(Row(list, 1), (QStringList{"  run", "1"}));
  EXPECT_EQ(editor.SelectedAction(), -1);
  EXPECT_EQ(editor.SelectedActionFrame(), -1);
  EXPECT_EQ(editor.SelectedFrame(), -1);
  EXPECT_TRUE(SelectedRows(list).empty());

  // Cancel adds nothing; a name longer than a name holds is refused until retyped.
  Press(panel, "newButton");
  EXPECT_EQ(list.topLevelItemCount(), 4);
  prompts.typedTexts = {std::string(40, 'n'), "walk"};
  Press(panel, "newButton");
  EXPECT_EQ(prompts.inputInitialTexts.back(), "newAction 4");
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(ShownName(Action(4).name), "walk");
}

TEST_F(ActionPanelTest, SelectingAndDeletingActionsDrivesTheKeyList) {
  MakeFrames({"a", "b"});
  const int idle = editor.CreateAction("idle");
  const int run = editor.CreateAction("run");
  editor.InsertActionKey(run, 0, 1);
  editor.InsertActionKey(run, 5, 0);
  CActionPanel actions(editor, nullptr);
  CActionFramePanel keys(editor, nullptr);
  CFramePanel frames(editor, nullptr);
  Show(actions);
  Show(keys);
  Show(frames);
  CActionFrameListCtrl& keyList = *keys.List();
  EXPECT_EQ(keys.windowTitle(), "AFL");
  EXPECT_EQ(Headers(keyList), (QStringList{"编号:50", "时间:50", "帧号:50", "帧名:150"}));
  EXPECT_EQ(keyList.geometry(), QRect(0, 0, 320, 240));
  // No action selected: no keys.
  EXPECT_EQ(keyList.topLevelItemCount(), 0);

  // Selecting another action stops the one playing.
  editor.SelectAction(idle);
  editor.Play();
  ASSERT_TRUE(editor.IsPlaying());
  ClickRow(*actions.List(), run);
  EXPECT_EQ(editor.SelectedAction(), run);
  EXPECT_EQ(editor.Mode(), EditMode::Action);
  EXPECT_FALSE(editor.IsPlaying());
  EXPECT_EQ(Row(*actions.List(), run), (QStringList{"[ run ]", "2"}));
  ASSERT_EQ(keyList.topLevelItemCount(), 2);
  EXPECT_EQ(Row(keyList, 0), (QStringList{"  0", "0", "1", "b"}));
  EXPECT_EQ(Row(keyList, 1), (QStringList{"  1", "5", "0", "a"}));

  // A key selects its frame and its time.
  ClickRow(keyList, 1);
  EXPECT_EQ(editor.SelectedActionFrame(), 1);
  EXPECT_EQ(editor.SelectedFrame(), 0);
  EXPECT_EQ(editor.Mode(), EditMode::Frame);
  EXPECT_EQ(editor.PlayTime(), 5.0f);
  EXPECT_EQ(Row(keyList, 1)[0], "[ 1 ]");
  EXPECT_EQ(SelectedRows(keyList), std::vector<int>{1});
  EXPECT_EQ(Row(*frames.List(), 0)[0], "[ 0 ]");

  // Renaming the frame shows in the key that uses it.
  prompts.typedTexts = {"站立"};
  DoubleClickRow(*frames.List(), 0);
  EXPECT_EQ(Row(keyList, 1)[3], "站立");

  // Deleting an action asks nothing.
  ClickRow(*actions.List(), idle);
  EXPECT_EQ(keyList.topLevelItemCount(), 0);
  Press(actions, "deleteButton");
  EXPECT_TRUE(prompts.messages.empty());
  ASSERT_EQ(actions.List()->topLevelItemCount(), 1);
  EXPECT_EQ(Row(*actions.List(), 0), (QStringList{"  run", "2"}));
  EXPECT_EQ(editor.SelectedAction(), -1);
  // With nothing selected, "删除" deletes nothing.
  Press(actions, "deleteButton");
  EXPECT_EQ(actions.List()->topLevelItemCount(), 1);
}

TEST_F(ActionPanelTest, DoubleClickRenamesThroughActionSettings) {
  editor.CreateAction("idle");
  CActionPanel panel(editor, nullptr);
  Show(panel);
  CActionListCtrl& list = *panel.List();

  QString shownName;
  QString label;
  prompts.onDialog = [&](QDialog& dialog) {
    shownName = dialog.findChild<QLineEdit*>("actionNameEdit")->text();
    label = dialog.findChild<QLabel*>()->text();
    TypeAndPress(prompts, "待机", "okButton")(dialog);
  };
  DoubleClickRow(list, 0);
  EXPECT_EQ(prompts.dialogTitles, std::vector<std::string>{"动作设置"});
  EXPECT_EQ(shownName, "idle");
  EXPECT_EQ(label, "动作");
  EXPECT_STREQ(Action(0).name.GetString(), "\xB4\xFD\xBB\xFA");
  EXPECT_EQ(Row(list, 0), (QStringList{"[ 待机 ]", "0"}));
  EXPECT_EQ(editor.UndoName(), "重命名动作");
  editor.Undo();
  EXPECT_EQ(ShownName(Action(0).name), "idle");
  editor.Redo();
  EXPECT_EQ(ShownName(Action(0).name), "待机");

  // Too long: the dialog tells why and stays open, so nothing changes once it is cancelled.
  prompts.onDialog = TypeAndPress(prompts, QString(32, 'z'), "okButton");
  DoubleClickRow(list, 0);
  EXPECT_EQ(prompts.messages,
            std::vector<std::string>{TypedTextProblem(std::string(32, 'z'), TypedTextKind::Name)});
  EXPECT_EQ(ShownName(Action(0).name), "待机");

  prompts.onDialog = TypeAndPress(prompts, "other", "cancelButton");
  DoubleClickRow(list, 0);
  EXPECT_EQ(ShownName(Action(0).name), "待机");
  EXPECT_EQ(prompts.dialogTitles.size(), 3u);
}

TEST_F(ActionPanelTest, FactoryMakesThePanesAndTheyShowAWholeActor) {
  MakeFrames({"stand", "walk 1", "walk 2"});
  editor.SelectModule(editor.CreateModule(UObjModule()));
  for (int frame = 0; frame < 3; ++frame) {
    editor.SelectFrame(frame);
    for (int placed = 0; placed <= frame; ++placed) {
      editor.PlaceModule();
    }
  }
  editor.CreateAction("idle");
  const int walk = editor.CreateAction("walk");
  editor.InsertActionKey(walk, 0, 1);
  editor.InsertActionKey(walk, 4, 2);
  editor.InsertActionKey(walk, 8, 1);
  editor.SelectAction(walk);
  editor.SelectActionFrame(1);

  QWidget window;
  auto* layout = new QHBoxLayout(&window);
  std::vector<QWidget*> panes;
  for (const CPaneInfo& pane : PaneTable()) {
    if (pane.id >= 4002 && pane.id <= 4004) {
      panes.push_back(MakePanel(pane, editor, &window));
      EXPECT_EQ(panes.back()->windowTitle(), QString::fromUtf8(pane.windowTitle));
      layout->addWidget(panes.back());
    }
  }
  ASSERT_EQ(panes.size(), 3u);
  ASSERT_NE(dynamic_cast<CFramePanel*>(panes[0]), nullptr);
  ASSERT_NE(dynamic_cast<CActionPanel*>(panes[1]), nullptr);
  auto* keys = dynamic_cast<CActionFramePanel*>(panes[2]);
  ASSERT_NE(keys, nullptr);
  Show(window, 900, 220);
  EXPECT_EQ(Row(*keys->List(), 1), (QStringList{"[ 1 ]", "4", "2", "walk 2"}));
  EXPECT_EQ(Row(*static_cast<CFramePanel*>(panes[0])->List(), 2),
            (QStringList{"[ 2 ]", "walk 2", "3"}));
  EXPECT_EQ(Row(*static_cast<CActionPanel*>(panes[1])->List(), 1), (QStringList{"[ walk ]", "3"}));
  EXPECT_TRUE(window.grab().save(QUILLET_SCREENSHOT_DIR "/lists2_panels.png"));
}

}  // namespace
