// Several placements of a frame selected with the box tool, Ctrl clicks, Ctrl+A and the placement
// list, then moved, nudged, flipped, turned, edited and deleted together, each as one step whose
// undo brings the selection back; leaves placement_selection.png in the build folder.
#include "tests/editor/support/app_fixture.h"

#include <QDockWidget>
#include <QLabel>
#include <QTreeWidget>

#include "editor/panels/anim_property_grid.h"
#include "editor/res/command_ids.h"
#include "editor/res/pane_table.h"
#include "tests/editor/support/sprite_files.h"
#include "tests/editor/support/window_picture.h"
#include "tests/support/qt_events.h"

namespace {

using Indices = std::vector<int32_t>;

class PlacementSelectionTest : public AppTest {
 protected:
  QPoint At(int x, int y) {  // where the view shows frame point (x, y)
    const int zoom = Editor().ViewCanvas().GetZoom();
    const UPoint origin = Editor().ViewCanvas().GetOrigin();
    const qreal ratio = Frame().View().devicePixelRatioF();
    return QPoint(static_cast<int>((Editor().Centre().x + x - origin.x) * zoom / ratio),
                  static_cast<int>((Editor().Centre().y + y - origin.y) * zoom / ratio));
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&Frame().View(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Frame().View(), (from + to) / 2);
    QTest::mouseMove(&Frame().View(), to);
    QTest::mouseRelease(&Frame().View(), Qt::LeftButton, {}, to);
    ProcessEvents();
  }
  QPoint Position(int index) {
    const TObjFrame& placement = *Editor().Actor()->frames[0]->GetModule(index);
    return QPoint(placement.x, placement.y);
  }
  // Undoes the last step (named `step`), checks `check` there, and redoes it.
  template <typename Check>
  void UndoRedo(const std::string& step, Check check) {
    EXPECT_EQ(Editor().UndoName(), step);
    Trigger(cmd::kEditUndo);
    check();
    Trigger(cmd::kEditRedo);
  }
};

TEST_F(PlacementSelectionTest, AGroupIsPickedMovedTurnedEditedAndDeletedAsOne) {
  ASSERT_TRUE(WriteSpriteDocument(dir.path(), "sprite.an1"));
  StartApp(dir.File("sprite.an1"));
  CVelloEditor& editor = Editor();
  ASSERT_TRUE(Frame().View().IsReady());
  // Frame 0: red at (0, 0), blue at (40, 0) and at (0, 40), each 16 x 32.
  editor.SelectFrame(0);
  for (const QPoint at : {QPoint(40, 0), QPoint(0, 40)}) {
    editor.SelectModule(1);
    editor.PlaceModule();
    CFrameFields fields = editor.FrameFields(0, editor.Actor()->frames[0]->GetModuleSize() - 1);
    fields.placementFields.x = static_cast<int16_t>(at.x());
    fields.placementFields.y = static_cast<int16_t>(at.y());
    editor.SetFrameFields(0, fields);
  }
  editor.SelectFrame(0);
  auto& list = *Frame().Pane(pane::kFrameModules)->widget()->findChild<QTreeWidget*>();
  const auto listed = [&list] {
    Indices rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
      if (list.topLevelItem(row)->isSelected()) {
        rows.push_back(row);
      }
    }
    return rows;
  };

  // The box touches the first two; the status bar counts them and the list shows them.
  Trigger(cmd::kBoxSelect);
  EXPECT_TRUE(Frame().Action(cmd::kBoxSelect)->isChecked());
  Drag(At(-5, -5), At(45, 10));
  EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 1}));
  EXPECT_EQ(listed(), (Indices{0, 1}));
  EXPECT_EQ(Frame().findChild<QLabel*>("statusPane0")->text(), "已选择 2 个帧模块");
  QTest::mouseClick(&Frame().View(), Qt::LeftButton, Qt::ControlModifier, At(8, 50));
  EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 1, 2}));
  EXPECT_EQ(editor.SelectedPlacement(), 2);
  QTest::mouseClick(&Frame().View(), Qt::LeftButton, Qt::ControlModifier, At(8, 50));
  EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 1}));

  // Flipped about the pair's box (0..56), and turned: each one step, undone with the selection.
  Trigger(cmd::kFlipHorizontal);
  EXPECT_EQ(Position(0), QPoint(40, 0));
  EXPECT_EQ(Position(1), QPoint(0, 0));
  EXPECT_EQ(editor.Actor()->frames[0]->GetModule(1)->affine.FlipX, 1u);
  Trigger(cmd::kRotate);
  EXPECT_EQ(editor.Actor()->frames[0]->GetModule(0)->affine.Rotate, 1u);
  EXPECT_EQ(Position(0), QPoint(12, 28));
  editor.SelectPlacement(2);
  UndoRedo("旋转模块", [&] {
    EXPECT_EQ(Position(0), QPoint(40, 0));
    EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 1}));
  });
  Trigger(cmd::kEditUndo);
  Trigger(cmd::kEditUndo);
  EXPECT_EQ(Position(0), QPoint(0, 0));

  // Ctrl+A in the view takes all three; the list then narrows it with a click and a Ctrl click.
  Frame().View().setFocus();
  QTest::keyClick(&Frame().View(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(listed(), (Indices{0, 1, 2}));
  ProcessEvents();
  EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/placement_selection.png"));
  Frame().Pane(pane::kFrameModules)->raise();  // a tab behind the property pane at start
  ProcessEvents();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.topLevelItem(0)).center());
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list.visualItemRect(list.topLevelItem(2)).center());
  EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 2}));

  // A drag of either moves both (the tool leaves a press on a selected one to the drag), and a
  // run of arrow keys nudges both: one step each.
  const int steps = editor.HistoryPosition();
  Drag(At(8, 8), At(18, 13));
  EXPECT_EQ(Position(2), QPoint(10, 45));
  Frame().View().setFocus();
  QTest::keyClick(&Frame().View(), Qt::Key_Right);
  QTest::keyClick(&Frame().View(), Qt::Key_Right);
  EXPECT_EQ(Position(0), QPoint(12, 5));
  EXPECT_EQ(Position(1), QPoint(40, 0));
  EXPECT_EQ(editor.HistoryPosition(), steps + 2);
  editor.SelectPlacement(1);
  UndoRedo("移动模块", [&] {
    EXPECT_EQ(Position(2), QPoint(10, 45));
    EXPECT_EQ(editor.SelectedPlacements(), (Indices{0, 2}));
  });

  // The property pane shows what the pair shares and sets a field on both.
  editor.SetPlacementSelection({1, 2});
  auto& grid = dynamic_cast<CAnimPropertyGrid&>(*Frame().Pane(pane::kProperties)->widget());
  QTreeWidgetItem* placementPage = grid.topLevelItem(grid.topLevelItemCount() - 1);
  ASSERT_EQ(placementPage->text(0), "当前选择Module");
  EXPECT_EQ(placementPage->child(0)->text(1), "1");  // both show module 1
  EXPECT_EQ(placementPage->child(1)->text(1), "");   // x differs
  dynamic_cast<UPropertyGridItem*>(placementPage->child(1))->OnValueChanged("7");
  EXPECT_EQ(Position(1).x(), 7);
  EXPECT_EQ(Position(2).x(), 7);

  // Delete removes both, asked once; undoing brings them and the selection back.
  prompts.answers = {UMessageAnswer::Yes};
  Frame().View().setFocus();
  QTest::keyClick(&Frame().View(), Qt::Key_Delete);
  EXPECT_EQ(editor.Actor()->frames[0]->GetModuleSize(), 1);
  UndoRedo("删除帧中模块", [&] {
    EXPECT_EQ(editor.Actor()->frames[0]->GetModuleSize(), 3);
    EXPECT_EQ(editor.SelectedPlacements(), (Indices{1, 2}));
    EXPECT_EQ(listed(), (Indices{1, 2}));
  });
}

}  // namespace
