// The frames pane driven as a user would: adding, selecting, copying, deleting and renaming.
#include <QPushButton>

#include "editor/panels/frame_panel.h"
#include "tests/editor/panels/lists2/lists_fixture.h"

namespace {

using FramePanelTest = ListsTest;

TEST_F(FramePanelTest, AddsFramesSelectsThemAndCountsTheirPlacements) {
  CFramePanel panel(editor, nullptr);
  Show(panel);
  CFrameListCtrl& list = *panel.List();
  EXPECT_EQ(panel.windowTitle(), "FL");
  EXPECT_EQ(Headers(list), (QStringList{"编号:40", "名字:100", "模块数:50"}));
  EXPECT_EQ(list.topLevelItemCount(), 0);
  // The buttons share the 20-pixel strip under the list, a quarter of the width each.
  const auto* copy = panel.findChild<QPushButton*>("addCopyButton");
  EXPECT_EQ(copy->text(), "添加拷贝");
  EXPECT_EQ(copy->geometry(), QRect(80, 220, 80, 20));
  EXPECT_EQ(list.geometry(), QRect(0, 0, 320, 220));
  EXPECT_FALSE(panel.findChild<QPushButton*>("optionsButton")->isEnabled());

  prompts.typedTexts = {"stand", "行走"};
  Press(panel, "addButton");
  Press(panel, "addButton");
  EXPECT_EQ(prompts.inputInitialTexts, (std::vector<std::string>{"Frame 0", "Frame 1"}));
  ASSERT_EQ(list.topLevelItemCount(), 2);
  // The name is stored in GBK and shown again as typed.
  EXPECT_STREQ(Frame(1).name.GetString(), "\xD0\xD0\xD7\xDF");
  EXPECT_EQ(Row(list, 0), (QStringList{"  0", "stand", "0"}));
  EXPECT_EQ(Row(list, 1), (QStringList{"[ 1 ]", "行走", "0"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
  EXPECT_TRUE(editor.IsModified());

  ClickRow(list, 0);
  EXPECT_EQ(editor.SelectedFrame(), 0);
  EXPECT_EQ(editor.ShownFrame(), 0);
  EXPECT_EQ(editor.Mode(), EditMode::Frame);
  EXPECT_EQ(Row(list, 0)[0], "[ 0 ]");
  EXPECT_EQ(Row(list, 1)[0], "  1");
  EXPECT_EQ(SelectedRows(list), std::vector<int>{0});

  // Placing modules into the selected frame updates its count.
  editor.SelectModule(editor.CreateModule(UObjModule()));
  editor.PlaceModule();
  editor.PlaceModule();
  EXPECT_EQ(Row(list, 0), (QStringList{"[ 0 ]", "stand", "2"}));

  // Cancelling the dialog adds nothing; so does a new actor's empty list.
  Press(panel, "addButton");
  EXPECT_EQ(list.topLevelItemCount(), 2);
  editor.NewActor("Other");
  EXPECT_EQ(list.topLevelItemCount(), 0);
}

TEST_F(FramePanelTest, DeleteAsksWithTheFrameNameAndDoesNothingOnNoOrCancel) {
  MakeFrames({"a", "walk", "c"});
  const int action = editor.CreateAction("run");
  editor.InsertActionKey(action, 0, 1);
  editor.InsertActionKey(action, 4, 2);
  CFramePanel panel(editor, nullptr);
  Show(panel);
  CFrameListCtrl& list = *panel.List();

  // Nothing selected: nothing asked.
  Press(panel, "deleteButton");
  EXPECT_TRUE(prompts.messages.empty());

  ClickRow(list, 1);
  prompts.answers = {UMessageAnswer::No, UMessageAnswer::Cancel};
  Press(panel, "deleteButton");
  Press(panel, "deleteButton");
  EXPECT_EQ(prompts.messages, (std::vector<std::string>(2, "确定要删除名为[ walk ]的帧吗?")));
  EXPECT_EQ(prompts.captions, (std::vector<std::string>(2, "警告")));
  EXPECT_EQ(prompts.buttons, (std::vector<UMessageButtons>(2, UMessageButtons::YesNoCancel)));
  ASSERT_EQ(list.topLevelItemCount(), 3);
  EXPECT_EQ(FrameName(1), "walk");
  EXPECT_EQ(Action(action).keys.Num(), 2);
  EXPECT_EQ(editor.SelectedFrame(), 1);

  prompts.answers = {UMessageAnswer::Yes};
  Press(panel, "deleteButton");
  ASSERT_EQ(list.topLevelItemCount(), 2);
  EXPECT_EQ(Row(list, 0), (QStringList{"  0", "a", "0"}));
  EXPECT_EQ(Row(list, 1), (QStringList{"  1", "c", "0"}));
  EXPECT_EQ(editor.SelectedFrame(), -1);
  EXPECT_TRUE(SelectedRows(list).empty());
  // The key that showed the deleted frame went with it; the later frame's key follows it down.
  ASSERT_EQ(Action(action).keys.Num(), 1);
  EXPECT_EQ(Action(action).keys[0].frame, 1u);
}

TEST_F(FramePanelTest, AddCopyCopiesTheWholeFrameTagsIncluded) {
  MakeFrames({"body"});
  CFramePanel panel(editor, nullptr);
  Show(panel);
  CFrameListCtrl& list = *panel.List();

  // Without a selected frame there is nothing to copy and nothing is asked.
  Press(panel, "addCopyButton");
  EXPECT_TRUE(prompts.inputInitialTexts.empty());

  ClickRow(list, 0);
  editor.SelectModule(editor.CreateModule(UObjModule()));
  editor.PlaceModule();
  Frame(0).placements[0].x = 7;
  Frame(0).origin = UPoint16(3, 4);
  Frame(0).AddTag(5, 6);
  Frame(0).AddTag(-2, 9);
  Frame(0).tags[0].name = StoredName("hit");
  Frame(0).tags[1].Param1 = 42;
  Frame(0).tags[1].width = 10;

  prompts.typedTexts = {"body copy"};
  Press(panel, "addCopyButton");
  EXPECT_EQ(prompts.inputInitialTexts, std::vector<std::string>{"Frame 1"});
  ASSERT_EQ(list.topLevelItemCount(), 2);
  EXPECT_EQ(Row(list, 1), (QStringList{"[ 1 ]", "body copy", "1"}));
  EXPECT_EQ(editor.SelectedFrame(), 1);
  const UObjFrame& copy = Frame(1);
  EXPECT_EQ(copy.placements[0], Frame(0).placements[0]);
  EXPECT_EQ(copy.origin.x, 3);
  EXPECT_EQ(copy.origin.y, 4);
  ASSERT_EQ(copy.tags.Num(), 2);
  EXPECT_STREQ(copy.tags[0].name.GetString(), "hit");
  EXPECT_EQ(copy.tags[0].x, 5);
  EXPECT_EQ(copy.tags[1].y, 9);
  EXPECT_EQ(copy.tags[1].Param1, 42);
  EXPECT_EQ(copy.tags[1].width, 10);
  // The source keeps its own name.
  EXPECT_EQ(FrameName(0), "body");
}

TEST_F(FramePanelTest, DoubleClickRenamesWithinTheStoredNameLimit) {
  MakeFrames({"one", "two"});
  editor.SetModified(false);
  CFramePanel panel(editor, nullptr);
  Show(panel);
  CFrameListCtrl& list = *panel.List();

  // 32 bytes do not fit a name; 31 do, and so does Chinese within 31 GBK bytes.
  const std::string tooLong(32, 'x');
  const std::string longest(31, 'y');
  prompts.typedTexts = {tooLong, longest};
  DoubleClickRow(list, 1);
  EXPECT_EQ(prompts.inputInitialTexts, std::vector<std::string>{"two"});
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0], TypedTextProblem(tooLong, TypedTextKind::Name));
  EXPECT_EQ(FrameName(1), longest);
  EXPECT_EQ(Row(list, 1), (QStringList{"[ 1 ]", QString::fromStdString(longest), "0"}));
  EXPECT_TRUE(editor.IsModified());
  EXPECT_EQ(editor.UndoName(), "重命名帧");
  editor.Undo();
  EXPECT_EQ(FrameName(1), "two");
  EXPECT_FALSE(editor.IsModified());
  editor.Redo();
  EXPECT_EQ(FrameName(1), longest);

  // Fifteen Chinese characters are 30 bytes; sixteen are 32 and are refused, not cut.
  prompts.typedTexts = {"一二三四五六七八九十一二三四五六", "一二三四五六七八九十一二三四五"};
  DoubleClickRow(list, 0);
  EXPECT_EQ(prompts.messages.size(), 2u);
  EXPECT_EQ(FrameName(0), "一二三四五六七八九十一二三四五");

  // Cancel keeps the name.
  DoubleClickRow(list, 0);
  EXPECT_EQ(prompts.inputInitialTexts.back(), "一二三四五六七八九十一二三四五");
  EXPECT_EQ(FrameName(0), "一二三四五六七八九十一二三四五");
}

// The list a handler rebuilds while the list is still reporting the click: the rows shrink under
// the pointer, the rebuild reports nothing, and the kept row is the same item rewritten.
TEST_F(FramePanelTest, AListRebuiltFromItsOwnSelectionReportStaysWhole) {
  CReportList list({{"编号", 40}, {"名字", 100}}, nullptr);
  Show(list);
  list.SetRows({{MarkedIndex(0, false), "a"}, {MarkedIndex(1, false), "b"}, {"  2"}}, -1);
  EXPECT_EQ(Row(list, 2), (QStringList{"  2", ""}));
  QTreeWidgetItem* first = list.topLevelItem(0);
  std::vector<int> reported;
  list.SetRowSelectedHandler([&](int row) {
    reported.push_back(row);
    list.SetRows({{MarkedIndex(0, true), MarkedText("a", true)}}, 0);
  });
  ClickRow(list, 2);
  EXPECT_EQ(reported, std::vector<int>{2});
  ASSERT_EQ(list.topLevelItemCount(), 1);
  EXPECT_EQ(list.topLevelItem(0), first);
  EXPECT_EQ(Row(list, 0), (QStringList{"[ 0 ]", "[ a ]"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{0});

  std::vector<int> doubleClicked;
  list.SetRowDoubleClickedHandler([&](int row) { doubleClicked.push_back(row); });
  DoubleClickRow(list, 0);
  EXPECT_EQ(doubleClicked, std::vector<int>{0});
}

}  // namespace
