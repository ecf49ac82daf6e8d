#include <string>

#include "tests/editor/doc/editor_fixture.h"

using Key = CVelloEditor::Key;

class InputTest : public EditorTest {
 protected:
  void Drag(UPoint from, UPoint to) {
    editor_.MouseDown(CVelloEditor::kMouseLeft, Client(from.x, from.y));
    editor_.MouseMove(CVelloEditor::kMouseLeft, Client(to.x, to.y));
    editor_.MouseUp(0, Client(to.x, to.y));
  }
};

TEST_F(InputTest, ClicksPickTheLaterPlacementAndFollowScaleAndRotation) {
  // Three 16 x 8 placements; the second and third overlap at (20..24, 0..8).
  MakeFrame({UPoint(-40, 0), UPoint(8, 0), UPoint(20, 0)});
  Frame().origin = UPoint16{5, -3};
  Click(22, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), 2);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  EXPECT_EQ(editor_.GrabOffset().x, 2);
  EXPECT_EQ(editor_.GrabOffset().y, 4);
  // Clicking inside the selected placement keeps it, even where an earlier one lies too.
  Click(10, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), 1);
  Click(21, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), 1);
  Click(100, 100);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  EXPECT_EQ(editor_.PlacementRect().GetWidth(), 0);

  // Scaled twice as wide: the box reaches 32 units from its left edge.
  TObjFrame& scaled = Placement(0);
  scaled.affine.ScaleXEnable = 1;
  scaled.ScaleX = 2.0f;
  Click(-40 + 28, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), 0);
  EXPECT_EQ(editor_.PlacementRect().GetWidth(), 32);

  // Turned 90 degrees about its centre (-24, 4) of the 32 x 8 box: it now stands 8 wide and 32
  // tall, so a point 12 below the centre hits and one 12 to the right of it does not.
  scaled.affine.RotateAngleEnable = 1;
  scaled.RotateAngle = 90.0f;
  Click(100, 100);
  Click(-40 + 16, 4 + 12);
  EXPECT_EQ(editor_.SelectedPlacement(), 0);
  EXPECT_EQ(editor_.PlacementAngle(), 90.0f);
  Click(100, 100);
  Click(-40 + 16 + 12, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
}

TEST_F(InputTest, AQuarterTurnedPlacementIsPickedAsItIsDrawn) {
  MakeFrame({UPoint(0, 0)});
  Placement(0).affine.Rotate = 1;  // 16 x 8 on its side: 8 wide, 16 tall
  Click(4, 12);
  EXPECT_EQ(editor_.SelectedPlacement(), 0);
  EXPECT_EQ(editor_.PlacementRect().GetWidth(), 8);
  EXPECT_EQ(editor_.PlacementRect().GetHeight(), 16);
  Click(12, 4);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
}

TEST_F(InputTest, DraggingMovesThePlacementInGridStepsWhenSnapping) {
  MakeFrame({UPoint(0, 0)});
  Drag(UPoint(3, 2), UPoint(13, 7));
  EXPECT_EQ(Placement(0).x, 10);
  EXPECT_EQ(Placement(0).y, 5);
  EXPECT_EQ(editor_.PlacementRect().left, 10);
  EXPECT_TRUE(editor_.IsModified());

  editor_.ToggleSnap();
  for (int x = 14; x < 40; ++x) {
    editor_.MouseDown(CVelloEditor::kMouseLeft, Client(13, 7));
    editor_.MouseMove(CVelloEditor::kMouseLeft, Client(x, 7));
    // The pointer snaps down to a multiple of 8, the grab offset (3, 2) stays.
    EXPECT_EQ(Placement(0).x, x / 8 * 8 - 3) << "pointer at " << x;
    EXPECT_EQ(Placement(0).y, 0 - 2);
    editor_.MouseUp(0, Client(x, 7));
    Placement(0).x = 10;
    Placement(0).y = 5;
  }
  // Moving without the button, or with Shift too, moves nothing.
  editor_.MouseMove(0, Client(60, 60));
  editor_.MouseDown(CVelloEditor::kMouseLeft, Client(13, 7));
  editor_.MouseMove(CVelloEditor::kMouseLeft | CVelloEditor::kMouseShift, Client(60, 60));
  EXPECT_EQ(Placement(0).x, 10);
  EXPECT_EQ(listener_.status[1], "World x= 220 y= 180");
  EXPECT_EQ(listener_.status[2], "Local x=  60 y=  60");
  EXPECT_EQ(listener_.status[3], "FrameLocal x=  60 y=  60");
}

TEST_F(InputTest, ArrowsNudgeThePlacementAndTheKeypadMovesTheWholeFrame) {
  MakeFrame({UPoint(0, 0), UPoint(20, 10)});
  editor_.SelectPlacement(1);
  editor_.KeyDown(Key::Left);
  editor_.KeyDown(Key::Left);
  editor_.KeyDown(Key::Down);
  EXPECT_EQ(Placement(1).x, 18);
  EXPECT_EQ(Placement(1).y, 11);
  editor_.KeyDown(Key::Up);
  editor_.KeyDown(Key::Right);
  EXPECT_EQ(Placement(1).x, 19);
  EXPECT_EQ(Placement(1).y, 10);
  EXPECT_EQ(Placement(0).x, 0);

  editor_.KeyDown(Key::Pad2);
  editor_.KeyDown(Key::Pad6);
  editor_.KeyDown(Key::Pad6);
  editor_.KeyDown(Key::Pad8);
  editor_.KeyDown(Key::Pad8);
  editor_.KeyDown(Key::Pad4);
  EXPECT_EQ(Placement(0).x, 1);
  EXPECT_EQ(Placement(0).y, -1);
  EXPECT_EQ(Placement(1).x, 20);
  EXPECT_EQ(Placement(1).y, 9);
  // The box follows the nudges.
  EXPECT_EQ(editor_.PlacementRect().left, 20);
  EXPECT_EQ(editor_.PlacementRect().top, 9);

  // Delete asks first; only Yes deletes.
  answer_ = UMessageAnswer::No;
  editor_.KeyDown(Key::Delete);
  EXPECT_EQ(Frame().GetModuleSize(), 2);
  answer_ = UMessageAnswer::Yes;
  editor_.KeyDown(Key::Delete);
  EXPECT_EQ(Frame().GetModuleSize(), 1);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0], "请确要删除吗?");
}

TEST_F(InputTest, FlippingAFrameTwiceRestoresIt) {
  MakeFrame({UPoint(3, 4), UPoint(-20, 7), UPoint(5, -9)});
  Placement(1).affine.RotateAngleEnable = 1;
  Placement(1).RotateAngle = 30.0f;
  Placement(2).affine.Rotate = 1;
  Placement(2).affine.FlipY = 1;
  Frame().collision = URect(-2, -3, 10, 5);
  const UObjFrame before = Frame();

  editor_.FlipHorizontal();
  // Mirrored about x = 0: x becomes -x - width.
  EXPECT_EQ(Placement(0).x, -3 - 16);
  EXPECT_EQ(Placement(0).affine.FlipX, 1u);
  EXPECT_EQ(Placement(1).RotateAngle, -30.0f);
  // On its side the 16 x 8 module is 8 wide, and the picture is mirrored by its other flip.
  EXPECT_EQ(Placement(2).x, -5 - 8);
  EXPECT_EQ(Placement(2).affine.FlipX, 0u);
  EXPECT_EQ(Placement(2).affine.FlipY, 0u);
  EXPECT_EQ(Frame().collision.left, -10);
  EXPECT_EQ(Frame().collision.right, 2);
  editor_.FlipHorizontal();
  EXPECT_EQ(Frame().placements, before.placements);
  EXPECT_EQ(Frame().collision.left, -2);

  editor_.FlipVertical();
  EXPECT_EQ(Placement(0).y, -4 - 8);
  EXPECT_EQ(Placement(0).affine.FlipY, 1u);
  EXPECT_EQ(Placement(2).y, 9 - 16);
  EXPECT_EQ(Frame().collision.top, -5);
  editor_.FlipVertical();
  EXPECT_EQ(Frame().placements, before.placements);
  EXPECT_EQ(Frame().collision.bottom, 5);

  // With a placement selected only that placement's picture flips.
  editor_.SelectPlacement(0);
  editor_.FlipHorizontal();
  EXPECT_EQ(Placement(0).affine.FlipX, 1u);
  EXPECT_EQ(Placement(0).x, 3);
  EXPECT_EQ(Placement(1).x, -20);
}

TEST_F(InputTest, TheMiddleButtonDrawsTheCollisionRectangleFromPressToPointer) {
  MakeFrame({UPoint(0, 0)});
  Frame().origin = UPoint16{4, 4};
  editor_.MiddleDown(CVelloEditor::kMouseMiddle, Client(10, 12));
  editor_.MouseMove(CVelloEditor::kMouseMiddle, Client(30, 20));
  EXPECT_EQ(Frame().collision.left, 10);
  EXPECT_EQ(Frame().collision.top, 12);
  EXPECT_EQ(Frame().collision.right, 30);
  EXPECT_EQ(Frame().collision.bottom, 20);
  // Up and to the left of the press: the rectangle stays the right way round.
  editor_.MouseMove(CVelloEditor::kMouseMiddle, Client(-5, 2));
  editor_.MiddleUp(0, Client(-6, 1));
  EXPECT_EQ(Frame().collision.left, -6);
  EXPECT_EQ(Frame().collision.top, 1);
  EXPECT_EQ(Frame().collision.right, 10);
  EXPECT_EQ(Frame().collision.bottom, 12);
  EXPECT_FALSE(editor_.MiddleDown());
  // Moving after the release changes nothing.
  editor_.MouseMove(CVelloEditor::kMouseMiddle, Client(50, 50));
  EXPECT_EQ(Frame().collision.right, 10);
}

TEST_F(InputTest, TagModeCreatesPicksDragsAndDeletesTags) {
  MakeFrame({UPoint(0, 0)});
  editor_.ToggleTagMode();
  editor_.CreateTag(editor_.Centre().x + 20, editor_.Centre().y + 30);
  editor_.CreateTag(editor_.Centre().x - 10, editor_.Centre().y);
  ASSERT_EQ(Frame().tags.Num(), 2);
  EXPECT_EQ(Frame().tags[0].x, 20);
  EXPECT_EQ(Frame().tags[0].y, 30);

  // A press within 3 units of the tag point grabs it; dragging keeps the point under the grab.
  editor_.MouseDown(CVelloEditor::kMouseLeft, Client(-12, 2));
  EXPECT_EQ(editor_.SelectedTag(), 1);
  EXPECT_EQ(editor_.DraggedTag(), 1);
  editor_.MouseMove(CVelloEditor::kMouseLeft, Client(-2, 12));
  EXPECT_EQ(Frame().tags[1].x, 0);
  EXPECT_EQ(Frame().tags[1].y, 10);
  editor_.MouseUp(0, Client(-2, 12));
  // Tag mode leaves placements alone.
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  EXPECT_EQ(Placement(0).x, 0);

  answer_ = UMessageAnswer::Cancel;
  editor_.KeyDown(Key::Delete);
  EXPECT_EQ(Frame().tags.Num(), 2);
  answer_ = UMessageAnswer::Yes;
  editor_.KeyDown(Key::Delete);
  ASSERT_EQ(Frame().tags.Num(), 1);
  EXPECT_EQ(Frame().tags[0].x, 20);
  EXPECT_EQ(editor_.SelectedTag(), -1);
  EXPECT_EQ(editor_.DraggedTag(), -1);
  EXPECT_EQ(messages_.back(), "请确要删除这个 TAG 吗?");
  // Arrows do nothing in tag mode.
  editor_.SelectPlacement(0);
  editor_.KeyDown(Key::Left);
  EXPECT_EQ(Placement(0).x, 0);
}

TEST_F(InputTest, WithoutAFrameTheMouseChangesNoActorData) {
  MakeFrame({UPoint(0, 0)});
  editor_.SelectFrame(-1);
  editor_.SetModified(false);
  editor_.MouseDown(CVelloEditor::kMouseLeft, UPoint(160, 120));
  editor_.MouseMove(CVelloEditor::kMouseLeft, UPoint(170, 125));
  editor_.MiddleDown(CVelloEditor::kMouseMiddle, UPoint(160, 120));
  editor_.MiddleUp(0, UPoint(170, 125));
  editor_.KeyDown(Key::Left);
  editor_.KeyDown(Key::Pad2);
  editor_.FlipHorizontal();
  editor_.RotatePlacement();
  editor_.CreateTag(1, 1);
  EXPECT_FALSE(editor_.IsModified());
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  EXPECT_EQ(listener_.status[1], "World x= 170 y= 125");
  EXPECT_EQ(listener_.status[3], "");
}
