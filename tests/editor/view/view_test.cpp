// The animation view in the main window: it fills its widget in device pixels (this suite also
// runs with QT_SCALE_FACTOR=2) and shows the sprite at one canvas unit to a logical pixel at
// 100 %, forwards mouse, keys and its context menu to the editor context, and zooms, pans and
// plays from the wheel and the keys.
#include "tests/editor/support/app_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QWheelEvent>
#include <array>
#include <cmath>

#include "editor/res/command_ids.h"
#include "tests/editor/support/sprite_files.h"
#include "tests/editor/support/window_picture.h"

namespace {

constexpr uint32_t kBackground = 0x204060;

uint32_t Rgb(const QImage& image, int x, int y) {
  return static_cast<uint32_t>(image.pixel(x, y)) & 0xFFFFFFu;
}

class ViewTest : public AppTest {
 protected:
  // Starts on the sprite document with a plain background, no grid and no axes.
  void StartOnSprite() {
    ASSERT_TRUE(WriteSpriteDocument(dir.path().string(), "sprite.an1"));
    StartApp(dir.File("sprite.an1"));
    ASSERT_TRUE(View().IsReady()) << "no OpenGL 3.3 core context in the view";
    ASSERT_TRUE(QTest::qWaitFor([this] { return app->Doc().Path() == dir.File("sprite.an1"); }));
    Editor().SetBackgroundColor(kBackground);
    // Grid and axes off, so only the background shows.
    if (Editor().ShowGrid()) {
      Editor().ToggleGrid();
    }
    if (Editor().ShowCentre()) {
      Editor().ToggleCentre();
    }
    QTest::qWait(3 * CVelloView::kTickMs);
  }

  CVelloView& View() { return Frame().View(); }
  qreal Ratio() { return View().devicePixelRatioF(); }
  // Device pixels to a canvas unit.
  int Zoom() { return Editor().ViewCanvas().GetZoom(); }
  // The device pixel of canvas point (x, y).
  int Device(int canvas) { return canvas * Zoom(); }
  // The logical widget point of a device pixel.
  QPoint Logical(int deviceX, int deviceY) {
    return QPoint(static_cast<int>(deviceX / Ratio()), static_cast<int>(deviceY / Ratio()));
  }
};

TEST_F(ViewTest, TheViewFillsItsWidgetAndShowsTheSpriteAtOneUnitToALogicalPixel) {
  StartOnSprite();
  EXPECT_EQ(Editor().SelectedFrame(), 0);
  EXPECT_EQ(Editor().ShownFrame(), 0);
  const QImage picture = View().grabFramebuffer();
  const int width = static_cast<int>(View().width() * Ratio());
  const int height = static_cast<int>(View().height() * Ratio());
  ASSERT_EQ(picture.width(), width);
  ASSERT_EQ(picture.height(), height);
  EXPECT_EQ(Rgb(picture, 0, 0), kBackground);
  EXPECT_EQ(Rgb(picture, width - 1, 0), kBackground);
  EXPECT_EQ(Rgb(picture, 0, height - 1), kBackground);
  EXPECT_EQ(Rgb(picture, width - 1, height - 1), kBackground);

  // Frame 0 draws the red half (16 x 32 texels) with its top-left at the world origin, the
  // middle of the view, one texel to a logical pixel: on a screen scaled by 2, to 2 x 2 device
  // pixels.
  ASSERT_EQ(Zoom(), std::max(1, static_cast<int>(std::lround(Ratio()))));
  EXPECT_EQ(Editor().Centre().x, width / 2 / Zoom());
  EXPECT_EQ(Editor().Centre().y, height / 2 / Zoom());
  const int cx = Device(Editor().Centre().x);
  const int cy = Device(Editor().Centre().y);
  const int right = cx + Device(kHalf);
  const int bottom = cy + Device(kTextureSize);
  // (The frame's origin cross covers the row and column through the origin.)
  EXPECT_EQ(Rgb(picture, cx + Zoom(), cy + Zoom()), 0xFF0000u);
  EXPECT_EQ(Rgb(picture, right - 1, bottom - 1), 0xFF0000u);
  EXPECT_EQ(Rgb(picture, right, cy + Device(2)), kBackground);
  EXPECT_EQ(Rgb(picture, cx + Device(2), bottom), kBackground);
  EXPECT_EQ(Rgb(picture, cx - 1, cy + Device(2)), kBackground);
  if (Zoom() == 2) {
    EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/view_scaled_2x.png"));
  }

  // The view follows its widget's size.
  Frame().resize(Frame().width() - 60, Frame().height() - 40);
  QTest::qWait(3 * CVelloView::kTickMs);
  const QImage smaller = View().grabFramebuffer();
  ASSERT_EQ(smaller.width(), static_cast<int>(View().width() * Ratio()));
  EXPECT_EQ(Rgb(smaller, smaller.width() - 1, smaller.height() - 1), kBackground);
  EXPECT_EQ(Editor().Centre().x, smaller.width() / 2 / Zoom());
}

TEST_F(ViewTest, MouseAndKeysReachTheEditorAtTheLogicalPoint) {
  StartOnSprite();
  const int cx = Device(Editor().Centre().x);
  const int cy = Device(Editor().Centre().y);
  // A click on the red placement selects it and gives the view the keyboard.
  QTest::mouseClick(&View(), Qt::LeftButton, {}, Logical(cx + 6, cy + 6));
  EXPECT_EQ(Editor().SelectedPlacement(), 0);
  EXPECT_EQ(Editor().Mode(), EditMode::Frame);
  EXPECT_EQ(Frame().focusWidget(), &View());

  // Arrows nudge it; the keypad moves the whole frame.
  QTest::keyClick(&View(), Qt::Key_Right);
  QTest::keyClick(&View(), Qt::Key_Down);
  const TObjFrame& placement = Editor().Actor()->frames[0]->placements[0];
  EXPECT_EQ(placement.x, 1);
  EXPECT_EQ(placement.y, 1);
  QTest::keyClick(&View(), Qt::Key_4, Qt::KeypadModifier);
  EXPECT_EQ(Editor().Actor()->frames[0]->placements[0].x, 0);
  EXPECT_TRUE(Editor().IsModified());

  // Dragging with the left button moves the placement by the canvas units travelled.
  QTest::mousePress(&View(), Qt::LeftButton, {}, Logical(cx + 4, cy + 4));
  QMouseEvent move(QEvent::MouseMove, QPointF(Logical(cx + 4 + 20, cy + 4)), QPointF(),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&View(), &move);
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, Logical(cx + 24, cy + 4));
  const int expected_step = static_cast<int>(Logical(cx + 24, cy).x() * Ratio()) / Zoom() -
                            static_cast<int>(Logical(cx + 4, cy).x() * Ratio()) / Zoom();
  EXPECT_EQ(Editor().Actor()->frames[0]->placements[0].x, expected_step);

  // The pointer position shows in the status bar.
  EXPECT_TRUE(Frame().StatusPane(1)->text().startsWith("World x="));
  EXPECT_TRUE(Frame().StatusPane(2)->text().startsWith("Local x="));
  EXPECT_TRUE(Frame().StatusPane(3)->text().startsWith("FrameLocal x="));
}

TEST_F(ViewTest, TheContextMenuAddsATagWhereItWasOpened) {
  StartOnSprite();
  const int cx = Device(Editor().Centre().x);
  const int cy = Device(Editor().Centre().y);
  const QPoint at = Logical(cx + 10, cy + 20);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, View().mapToGlobal(at));
  QApplication::sendEvent(&View(), &event);
  QMenu* menu = nullptr;
  ASSERT_TRUE(QTest::qWaitFor([&menu, this] {
    menu = View().findChild<QMenu*>();
    return menu != nullptr && menu->isVisible();
  }));
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions()[0]->text(), "添加标签");
  EXPECT_EQ(menu->actions()[0]->data().toInt(), cmd::kAddTag);
  menu->actions()[0]->trigger();
  menu->close();
  ASSERT_EQ(Editor().Actor()->frames[0]->tags.Num(), 1);
  const TFrameTag& tag = Editor().Actor()->frames[0]->tags[0];
  const UPoint device = View().DevicePoint(QPointF(at));
  EXPECT_EQ(tag.x, device.x / Zoom() - Editor().Centre().x);
  EXPECT_EQ(tag.y, device.y / Zoom() - Editor().Centre().y);
}

// The wheel zooms about the pointer and Space with a left drag pans; Ctrl+0 fits the frame and
// Ctrl+1 shows it at 100 %; Enter, ",", ".", Home and End play and step through the action, in
// the view and in the timeline.
TEST_F(ViewTest, TheViewZoomsPansFitsAndPlaysFromTheWheelAndTheKeys) {
  StartOnSprite();
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  const QPoint at = Logical(Device(Editor().Centre().x) + 20, Device(Editor().Centre().y) + 10);
  const UPoint device = View().DevicePoint(QPointF(at));
  const auto world_under_pointer = [&] {
    return UPoint(device.x / Zoom() - Editor().Centre().x, device.y / Zoom() - Editor().Centre().y);
  };
  const UPoint before = world_under_pointer();
  QWheelEvent wheel(QPointF(at), QPointF(View().mapToGlobal(at)), QPoint(), QPoint(0, 240),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&View(), &wheel);
  EXPECT_EQ(Editor().ViewZoom(), 3);
  EXPECT_EQ(Zoom(), static_cast<int>(std::lround(3 * Ratio())));
  EXPECT_EQ(world_under_pointer(), before);
  EXPECT_EQ(Frame().StatusPane(0)->text(), "缩放 300%");

  // Space held, a left drag pans by the pixels travelled and edits nothing.
  const UPoint pan = Editor().PanOffset();
  const QPoint to = at + QPoint(30, 20);
  QTest::keyPress(&View(), Qt::Key_Space);
  QTest::mousePress(&View(), Qt::LeftButton, {}, at);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&View(), &move);
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, to);
  QTest::keyRelease(&View(), Qt::Key_Space);
  const UPoint moved = View().DevicePoint(QPointF(to));
  EXPECT_EQ(Editor().PanOffset().x - pan.x, moved.x - device.x);
  EXPECT_EQ(Editor().Actor()->frames[0]->placements[0].x, 0);
  EXPECT_FALSE(Editor().IsModified());

  // Fit: the largest step at which the 16 x 32 frame fits, centred; then 100 %.
  QTest::keyClick(&View(), Qt::Key_0, Qt::ControlModifier);
  const int width = static_cast<int>(View().width() * Ratio());
  const int height = static_cast<int>(View().height() * Ratio());
  const int next = static_cast<int>(std::lround((Editor().ViewZoom() + 1) * Ratio()));
  EXPECT_TRUE(Editor().ViewZoom() == 8 || kHalf * next > width || kTextureSize * next > height);
  EXPECT_NEAR(Device(Editor().Centre().x + kHalf / 2), width / 2, Zoom());
  EXPECT_NEAR(Device(Editor().Centre().y + kTextureSize / 2), height / 2, Zoom());
  QTest::keyClick(&View(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(Editor().ViewZoom(), 1);

  // "walk" has keys at ticks 0 and 2.
  Editor().SelectAction(0);
  QTest::keyClick(&View(), Qt::Key_End);
  EXPECT_EQ(Editor().SelectedActionFrame(), 1);
  EXPECT_EQ(Editor().ShownFrame(), 1);
  QTest::keyClick(&View(), Qt::Key_Comma);
  EXPECT_EQ(Editor().SelectedActionFrame(), 0);
  QTest::keyClick(&View(), Qt::Key_Return);
  EXPECT_TRUE(Editor().IsPlaying());
  QTest::keyClick(&View(), Qt::Key_Return);
  EXPECT_FALSE(Editor().IsPlaying());
  auto* track = Frame().findChild<QWidget*>("timelineTrack");
  ASSERT_NE(track, nullptr);
  track->setFocus();
  QTest::keyClick(track, Qt::Key_Home);
  EXPECT_EQ(Editor().SelectedActionFrame(), 0);

  // Play with no action selected plays the first that has keys.
  Editor().SelectAction(-1);
  Frame().Action(cmd::kPlay)->trigger();
  EXPECT_EQ(Editor().SelectedAction(), 0);
  EXPECT_TRUE(Editor().IsPlaying());
}

// The onion skin: O in the view shows the keys around the shown one behind it, the earlier red
// and the later green, fainter further away; the mouse never picks them and playing hides them.
TEST_F(ViewTest, TheOnionSkinShowsTintedFadingNeighboursThatAreNeverPicked) {
  StartOnSprite();
  const int cx = Device(Editor().Centre().x);
  const int cy = Device(Editor().Centre().y);
  // A third key: frame 2 places the blue half at x 40.
  Editor().SelectModule(1);
  Editor().SelectFrame(Editor().CreateFrame("far"));
  Editor().PlaceModule();
  Editor().Actor()->frames[2]->placements[0].x = 40;
  Editor().InsertActionKey(0, 4, 2);
  Editor().SelectAction(0);
  Editor().SelectActionFrame(1);
  Frame().activateWindow();  // keys reach shortcuts in the active window only
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  QTest::mouseClick(&View(), Qt::LeftButton, {}, Logical(cx - Device(30), cy - Device(30)));
  QTest::keyClick(&View(), Qt::Key_O);
  ASSERT_TRUE(Frame().Action(cmd::kOnionSkin)->isChecked());
  EXPECT_EQ(Frame().StatusPane(0)->text(), "洋葱皮: 开");
  // Red, green and blue less the background's, at frame point (x, 4).
  const auto tint = [&](int x) {
    const uint32_t rgb = Rgb(View().grabFramebuffer(), cx + Device(x), cy + Device(4));
    return std::array<int, 3>{int(rgb >> 16) - 0x20, int(rgb >> 8 & 0xFF) - 0x40,
                              int(rgb & 0xFF) - 0x60};
  };
  // Key 1 (blue at 16) is shown over key 0 (red at 0), reddened, and key 2 (at 40), greened.
  EXPECT_TRUE(tint(4)[0] > 60 && tint(4)[1] < 0);
  EXPECT_TRUE(tint(44)[1] > 20 && tint(44)[2] < 0);
  // From key 0 with two frames a side: key 2 is a fainter green than key 1.
  Editor().SelectActionFrame(0);
  Trigger(cmd::kOnionSkinFramesFirst + 1);
  EXPECT_EQ(QSettings().value("OnionSkin/Frames").toInt(), 2);
  EXPECT_TRUE(tint(20)[1] > tint(44)[1] && tint(44)[1] > 10);
  QTest::mouseClick(&View(), Qt::LeftButton, {}, Logical(cx + Device(44), cy + Device(4)));
  EXPECT_EQ(Editor().SelectedPlacement(), -1);
  Editor().Play();
  EXPECT_EQ(tint(44), (std::array<int, 3>{0, 0, 0}));
  Editor().Stop();
  Editor().SelectActionFrame(1);
  Editor().SetBackgroundColor(0x888888);
  Editor().ZoomIn();
  EXPECT_TRUE(WindowPicture(Frame()).save(QUILLET_SCREENSHOT_DIR "/onion_skin.png"));
}

// At rest nothing is painted; a change is painted, and an action at every tick while it plays.
TEST_F(ViewTest, TheViewPaintsOnlyWhileItsPictureChanges) {
  StartOnSprite();
  int painted = View().PaintedFrames();
  QTest::qWait(300);
  EXPECT_EQ(View().PaintedFrames(), painted);
  Editor().ToggleGrid();
  ASSERT_TRUE(QTest::qWaitFor([&] { return View().PaintedFrames() > painted; }));

  // "walk" lasts three ticks of the action: 0.3 s at 10 a second.
  Editor().SetFrameRate(10.0f);
  Editor().SelectAction(0);
  painted = View().PaintedFrames();
  Editor().Play();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Editor().IsPlaying(); }, 2000));
  EXPECT_GE(View().PaintedFrames(), painted + 2);
  EXPECT_FALSE(View().IsTicking());
}

// Without the OpenGL the canvas needs, the view says so in its place and takes input quietly;
// whoever waits for its start (the document of the command line) is told all the same.
TEST(ViewStartTest, WithoutOpenGlTheViewSaysSoInItsPlace) {
  CVelloEditor editor;
  editor.NewActor(std::string("TestActor"));
  CVelloView view(editor);
  // An OpenGL ES context stands for a machine without desktop OpenGL 3.3.
  QSurfaceFormat embedded;
  embedded.setRenderableType(QSurfaceFormat::OpenGLES);
  embedded.setVersion(2, 0);
  view.setFormat(embedded);
  bool told = false;
  view.SetStartedHandler([&told] { told = true; });
  view.resize(200, 150);
  view.show();
  ASSERT_TRUE(QTest::qWaitFor([&view] { return view.IsStarted(); }, 5000));
  EXPECT_FALSE(view.IsReady());
  ASSERT_TRUE(QTest::qWaitFor([&told] { return told; }));
  auto* label = view.findChild<QLabel*>("viewFailure");
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  EXPECT_TRUE(label->text().startsWith("OpenGL 3.3"));
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_EQ(editor.Mode(), EditMode::Module);
}

TEST(ViewKeyTest, QtKeysMapToTheEditorsKeys) {
  using Key = CVelloEditor::Key;
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Left, {}), Key::Left);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Up, {}), Key::Up);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Right, {}), Key::Right);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Down, {}), Key::Down);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Delete, {}), Key::Delete);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Shift, Qt::ShiftModifier), Key::Shift);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_F5, Qt::ShiftModifier), Key::F5);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_2, Qt::KeypadModifier), Key::Pad2);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_4, Qt::KeypadModifier), Key::Pad4);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_6, Qt::KeypadModifier), Key::Pad6);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_8, Qt::KeypadModifier), Key::Pad8);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Plus, Qt::KeypadModifier), Key::PadPlus);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Minus, Qt::KeypadModifier), Key::PadMinus);
  // Digits and signs of the main keyboard are not the keypad's.
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_2, {}), Key::Other);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Plus, {}), Key::Other);
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_F6, {}), Key::Other);
  // Arrows of the keypad (Num Lock off) still nudge.
  EXPECT_EQ(CVelloView::MapKey(Qt::Key_Left, Qt::KeypadModifier), Key::Left);
}

}  // namespace
