// The placement panel driven as a user does: picking, moving up and down, deleting.
#include <QPushButton>

#include "editor/panels/frame_module_panel.h"
#include "tests/editor/panels/lists1/lists_fixture.h"

namespace {

using ::testing::ElementsAre;

class FrameModulePanelTest : public ListsTest {
 protected:
  // Modules 0 (16 x 8) and 1 (8 x 4); frame "a" places 0, 1, 0, the last one turned freely by
  // 30 degrees; frame "b" places module 1 alone. Frame "a" is selected.
  void MakeFrames() {
    ASSERT_TRUE(editor.LoadTexture(WriteTexture("body.png", 16, 8)));
    editor.CreateModule(Module(0, 0, 0, 16, 8));
    editor.CreateModule(Module(0, 0, 0, 8, 4));
    editor.CreateFrame("b");
    editor.SelectModule(1);
    editor.PlaceModule();
    editor.CreateFrame("a");
    for (int module : {0, 1, 0}) {
      editor.SelectModule(module);
      editor.PlaceModule();
    }
    TObjFrame& turned = Frame(1).placements[2];
    turned.x = 5;
    turned.y = 6;
    turned.affine.RotateAngleEnable = 1;
    turned.RotateAngle = 30.0f;
    Frame(1).placements[1].x = 40;
  }

  void Press(CFrameModulePanel& panel, const char* name) {
    auto* button = panel.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
};

TEST_F(FrameModulePanelTest, ButtonsShareTheBottomStripUnderTheList) {
  CFrameModulePanel panel(editor, nullptr);
  panel.resize(300, 200);
  panel.show();
  EXPECT_EQ(panel.windowTitle(), "FML");
  EXPECT_EQ(Captions(*panel.List()), QStringList({"模块号 (100)"}));
  EXPECT_EQ(panel.List()->geometry(), QRect(0, 0, 300, 180));
  const QStringList texts = {"上移", "下移", "删除"};
  const char* names[] = {"moveUpButton", "moveDownButton", "deleteButton"};
  for (int i = 0; i < 3; ++i) {
    auto* button = panel.findChild<QPushButton*>(names[i]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), texts[i]);
    EXPECT_EQ(button->geometry(), QRect(i * 100, 180, 100, 20));
  }
}

TEST_F(FrameModulePanelTest, PickingMovingAndDeletingPlacements) {
  MakeFrames();
  CFrameModulePanel panel(editor, nullptr);
  panel.resize(200, 200);
  panel.show();
  CReportList& list = *panel.List();
  EXPECT_THAT(Rows(list), ElementsAre("0", "1", "0"));

  // Picking a row edits that placement: playback stops, the frame page shows, and the selected
  // box and its free rotation are the placement's.
  editor.SelectAction(editor.CreateAction("walk"));
  editor.InsertActionKey(0, 0, 1);
  editor.Play();
  ASSERT_TRUE(editor.IsPlaying());
  ClickRow(list, 2);
  EXPECT_EQ(editor.SelectedPlacement(), 2);
  EXPECT_FALSE(editor.IsPlaying());
  EXPECT_EQ(editor.Mode(), EditMode::Frame);
  const URect& box = editor.PlacementRect();
  EXPECT_EQ((std::vector<int>{box.left, box.top, box.right, box.bottom}),
            (std::vector<int>{5, 6, 21, 14}));
  EXPECT_FLOAT_EQ(editor.PlacementAngle(), 30.0f);

  // Down at the bottom changes nothing, the selection included.
  const UArray<TObjFrame> before = Frame(1).placements;
  Press(panel, "moveDownButton");
  EXPECT_EQ(Frame(1).placements, before);
  EXPECT_EQ(editor.SelectedPlacement(), 2);
  EXPECT_EQ(SelectedRow(list), 2);

  // Up twice carries the placement to the front of the drawing order, the selection with it.
  Press(panel, "moveUpButton");
  EXPECT_THAT(Rows(list), ElementsAre("0", "0", "1"));
  EXPECT_EQ(editor.SelectedPlacement(), 1);
  EXPECT_EQ(SelectedRow(list), 1);
  Press(panel, "moveUpButton");
  EXPECT_EQ(editor.SelectedPlacement(), 0);
  EXPECT_EQ(Frame(1).placements[0].RotateAngle, 30.0f);
  EXPECT_EQ(Frame(1).placements[2].x, 40);

  // Up at the top changes nothing either.
  const UArray<TObjFrame> atTop = Frame(1).placements;
  Press(panel, "moveUpButton");
  EXPECT_EQ(Frame(1).placements, atTop);
  EXPECT_EQ(editor.SelectedPlacement(), 0);
  EXPECT_EQ(SelectedRow(list), 0);
  EXPECT_TRUE(editor.IsModified());

  // Down moves it back one place.
  Press(panel, "moveDownButton");
  EXPECT_EQ(editor.SelectedPlacement(), 1);
  EXPECT_EQ(Frame(1).placements[1].RotateAngle, 30.0f);

  // Delete takes the selected placement away; nothing is selected then, and the buttons do
  // nothing.
  Press(panel, "deleteButton");
  EXPECT_THAT(Rows(list), ElementsAre("0", "1"));
  EXPECT_EQ(editor.SelectedPlacement(), -1);
  EXPECT_EQ(SelectedRow(list), -1);
  Press(panel, "moveUpButton");
  Press(panel, "deleteButton");
  EXPECT_THAT(Rows(list), ElementsAre("0", "1"));

  // Another frame shows its own placements; no frame, none.
  editor.SelectFrame(0);
  EXPECT_THAT(Rows(list), ElementsAre("1"));
  editor.SelectFrame(-1);
  EXPECT_TRUE(Rows(list).empty());
}

}  // namespace
