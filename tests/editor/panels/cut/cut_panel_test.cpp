// The fixture's driver headers bring in libepoxy's GL declarations, which must come before Qt's.
#include "tests/editor/doc/editor_fixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "editor/app/dock_panes.h"
#include "editor/panels/auto_slice_dialog.h"
#include "editor/panels/module_cut_panel.h"
#include "editor/panels/module_cut_view.h"
#include "editor/panels/panel_factory.h"
#include "tests/editor/support/scripted_prompts.h"
#include "tests/support/qt_events.h"

namespace {

constexpr int kSheetWidth = 64;
constexpr int kSheetHeight = 32;

// Each texel of the cutting sheet has a colour of its own.
uint32_t SheetTexel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 6) << 8 |
         0x40u;
}

// The cutting panel on a 64 x 32 texture, selected, in a 400 x 300 window.
class CutPanelTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    // The cut grid is kept in settings of the test's own.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(dir_.File("settings")));
    ASSERT_TRUE(editor_.LoadTexture(WriteSheet("sheet.png")));
    editor_.SelectTexture(0);
    panel_ = std::make_unique<CModuleCutPanel>(editor_, nullptr);
    panel_->resize(400, 300);
    panel_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel_.get()));
  }

  void TearDown() override {
    panel_.reset();
    EditorTest::TearDown();
  }

  std::string WriteSheet(const std::string& name) {
    std::vector<uint32_t> texels;
    for (int y = 0; y < kSheetHeight; ++y) {
      for (int x = 0; x < kSheetWidth; ++x) {
        texels.push_back(SheetTexel(x, y));
      }
    }
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WritePng(path, PngFromArgb(kSheetWidth, kSheetHeight, texels)));
    return path;
  }

  CModuleCutView& View() { return panel_->View(); }
  QPushButton* Button(const char* name) { return panel_->findChild<QPushButton*>(name); }
  void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }

  void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(&View(), button, {}, from);
    QTest::mouseMove(&View(), to);
    QTest::mouseRelease(&View(), button, {}, to);
  }

  // The pointer passing over the view with no button held.
  void Hover(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, View().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&View(), &move);
  }

  const UObjModule& Cut(int index) { return *editor_.Actor()->modules[static_cast<size_t>(index)]; }

  static void ExpectModule(const UObjModule& module, int left, int top, int right, int bottom) {
    EXPECT_EQ(module.left, left);
    EXPECT_EQ(module.top, top);
    EXPECT_EQ(module.right, right);
    EXPECT_EQ(module.bottom, bottom);
  }

  static uint32_t Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0x00FFFFFFu; }

  std::unique_ptr<CModuleCutPanel> panel_;
};

TEST_F(CutPanelTest, ShowsFourButtonsUnderTheView) {
  EXPECT_EQ(panel_->windowTitle(), "ME");
  EXPECT_EQ(View().geometry(), QRect(0, 0, 400, 275));
  const char* names[] = {"zoomIn", "zoomOut", "addModule", "deleteModule", "autoSlice"};
  const char* texts[] = {"放大", "缩小", "添加", "删除", "自动切割"};
  for (int i = 0; i < 5; ++i) {
    QPushButton* button = Button(names[i]);
    ASSERT_NE(button, nullptr) << names[i];
    EXPECT_EQ(button->text(), QString::fromUtf8(texts[i]));
    EXPECT_EQ(button->geometry(), QRect(i * 66, 275, 66, 25)) << names[i];
  }
  EXPECT_EQ(panel_->CutGridChoice().geometry(), QRect(330, 275, 70, 25));
  // Nothing to cut yet: no band.
  EXPECT_FALSE(Button("addModule")->isEnabled());

  // The factory makes this panel for its pane.
  CPaneInfo pane{};
  pane.id = 4000;
  std::unique_ptr<QWidget> made(MakePanel(pane, editor_, nullptr));
  EXPECT_NE(dynamic_cast<CModuleCutPanel*>(made.get()), nullptr);
}

// At rest the view's clock stops; it runs while a band shows, whose colour pulses.
TEST_F(CutPanelTest, TheViewsClockRunsOnlyWhileTheBandPulses) {
  EXPECT_FALSE(View().IsPulsing());
  Drag({3, 5}, {20, 9});
  EXPECT_TRUE(View().IsPulsing());
  editor_.SelectTexture(-1);
  EXPECT_FALSE(View().IsPulsing());
}

// A band drawn from (3, 5) to (20, 9) covers whole cells; "添加" cuts it from the texture.
TEST_F(CutPanelTest, BandSnapsToCellsAndAddCutsIt) {
  // Beside the image nothing is marked.
  Drag({300, 200}, {320, 220});
  EXPECT_FALSE(View().Band().HasRect());
  EXPECT_FALSE(Button("addModule")->isEnabled());

  Drag({3, 5}, {20, 9});
  const URect& band = View().Band().Rect();
  EXPECT_EQ(band.left, 0);
  EXPECT_EQ(band.top, 0);
  EXPECT_EQ(band.right, 24);
  EXPECT_EQ(band.bottom, 16);
  ASSERT_TRUE(Button("addModule")->isEnabled());

  Click("addModule");
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  EXPECT_EQ(Cut(0).texture, 0);
  EXPECT_EQ(Cut(0).Attribute, 0);
  ExpectModule(Cut(0), 0, 0, 24, 16);
  EXPECT_TRUE(editor_.IsModified());

  // Without a selected texture the band can not be cut: the button is off and no module is made
  // on the "no texture" index.
  editor_.SelectTexture(-1);
  EXPECT_FALSE(Button("addModule")->isEnabled());
  EXPECT_FALSE(View().Band().HasRect());
  Click("addModule");
  Drag({3, 5}, {20, 9});
  EXPECT_FALSE(View().Band().HasRect());
  EXPECT_EQ(editor_.Actor()->modules.Num(), 1);

  // "删除" removes the selected module.
  editor_.SelectTexture(0);
  editor_.SelectModule(0);
  Click("deleteModule");
  EXPECT_EQ(editor_.Actor()->modules.Num(), 0);
}

// Pressing on a module selects it and takes its rectangle as the band; dragging the band's right
// edge reshapes the module live, a cell at a time, and never to nothing.
TEST_F(CutPanelTest, DraggingTheBandEdgeReshapesThePressedModule) {
  editor_.CreateModule(Module(0, 40, 8, 56, 24));
  editor_.CreateModule(Module(0, 0, 0, 24, 16));
  editor_.SetModified(false);
  editor_.SelectFrame(-1);

  Hover({40, 8});
  EXPECT_EQ(View().cursor().shape(), Qt::ArrowCursor);
  QTest::mousePress(&View(), Qt::LeftButton, {}, {24, 8});
  EXPECT_EQ(View().HitModule(), 1);
  EXPECT_EQ(editor_.SelectedModule(), 1);
  EXPECT_EQ(editor_.Mode(), EditMode::Module);
  EXPECT_EQ(View().Band().Rect().right, 24);
  EXPECT_EQ(View().cursor().shape(), Qt::SizeHorCursor);

  QTest::mouseMove(&View(), {33, 8});
  ExpectModule(Cut(1), 0, 0, 32, 16);
  QTest::mouseMove(&View(), {45, 9});
  ExpectModule(Cut(1), 0, 0, 48, 16);
  EXPECT_TRUE(editor_.IsModified());
  // Left past its own left edge the module keeps one cell.
  QTest::mouseMove(&View(), {-30, 8});
  ExpectModule(Cut(1), 0, 0, 8, 16);
  QTest::mouseMove(&View(), {17, 8});
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, {17, 8});
  ExpectModule(Cut(1), 0, 0, 16, 16);
  ExpectModule(Cut(0), 40, 8, 56, 24);

  // The band's grips show their cursors.
  Hover({8, 8});
  EXPECT_EQ(View().cursor().shape(), Qt::SizeAllCursor);
  Hover({0, 16});
  EXPECT_EQ(View().cursor().shape(), Qt::SizeBDiagCursor);
  Hover({8, 16});
  EXPECT_EQ(View().cursor().shape(), Qt::SizeVerCursor);

  // A press beside every module starts a new band and reshapes nothing.
  Drag({26, 26}, {34, 30});
  EXPECT_EQ(View().HitModule(), -1);
  EXPECT_EQ(editor_.SelectedModule(), 1);
  ExpectModule(Cut(1), 0, 0, 16, 16);
  const URect& band = View().Band().Rect();
  EXPECT_EQ(band.left, 24);
  EXPECT_EQ(band.right, 40);
}

// A module removed while the button is held ends the reshaping: the drag goes on with the band
// only, and the module that slid into the pressed one's place keeps its shape.
TEST_F(CutPanelTest, StructuralChangeForgetsThePressedModule) {
  editor_.CreateModule(Module(0, 0, 0, 16, 16));
  editor_.CreateModule(Module(0, 32, 0, 48, 16));
  QTest::mousePress(&View(), Qt::LeftButton, {}, {47, 8});
  ASSERT_EQ(View().HitModule(), 1);
  editor_.DeleteModule(0);
  EXPECT_EQ(View().HitModule(), -1);
  QTest::mouseMove(&View(), {60, 8});
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, {60, 8});
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  ExpectModule(Cut(0), 32, 0, 48, 16);
  EXPECT_EQ(View().Band().Rect().right, 64);
}

// One drag reshaping a module, however many moves it takes, is one step of the history: Undo
// gives back the module as it was before the press, Redo as it was at the release. The next drag
// is a step of its own.
TEST_F(CutPanelTest, OneDragIsOneStepOfTheHistory) {
  editor_.CreateModule(Module(0, 0, 0, 16, 16));
  const std::vector<unsigned char> before = editor_.StoredActor();
  const int steps = editor_.HistorySize();

  QTest::mousePress(&View(), Qt::LeftButton, {}, {16, 8});
  ASSERT_EQ(View().HitModule(), 0);
  for (const int x : {20, 28, 36, 44, 33}) {
    QTest::mouseMove(&View(), {x, 8});
  }
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, {33, 8});
  ExpectModule(Cut(0), 0, 0, 32, 16);
  const std::vector<unsigned char> dragged = editor_.StoredActor();
  EXPECT_EQ(editor_.HistorySize(), steps + 1);
  EXPECT_EQ(editor_.UndoName(), "调整裁剪块");

  Drag({8, 16}, {8, 24});
  ExpectModule(Cut(0), 0, 0, 32, 24);
  EXPECT_EQ(editor_.HistorySize(), steps + 2);

  editor_.Undo();
  EXPECT_EQ(editor_.StoredActor(), dragged);
  editor_.Undo();
  EXPECT_EQ(editor_.StoredActor(), before);
  ExpectModule(Cut(0), 0, 0, 16, 16);
  editor_.Redo();
  EXPECT_EQ(editor_.StoredActor(), dragged);

  // After an undo the module is pressed and reshaped as before.
  Drag({32, 8}, {40, 8});
  ExpectModule(Cut(0), 0, 0, 40, 16);
  EXPECT_FALSE(editor_.CanRedo());
}

// A double click on a module places it into the selected frame.
TEST_F(CutPanelTest, DoubleClickPlacesTheModuleIntoTheFrame) {
  editor_.CreateModule(Module(0, 0, 0, 8, 8));
  editor_.CreateModule(Module(0, 16, 8, 32, 24));
  const int frame = editor_.CreateFrame("walk");
  QTest::mouseClick(&View(), Qt::LeftButton, {}, {20, 12});
  QTest::mouseDClick(&View(), Qt::LeftButton, {}, {20, 12});
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, {20, 12});
  const UObjFrame& walk = Frame(frame);
  ASSERT_EQ(walk.placements.Num(), 1);
  EXPECT_EQ(walk.placements[0].module, 1);
  EXPECT_EQ(walk.placements[0].x, 0);
  EXPECT_EQ(walk.placements[0].y, 0);
  // The module kept its shape through the clicks.
  ExpectModule(Cut(1), 16, 8, 32, 24);
}

// Zoom steps stay within 1 to 8 and rescale the cell; a band drawn when zoomed cuts texture
// pixels, and the view shows the texture, its frame, the modules and the band at the zoom,
// panned by the middle button.
TEST_F(CutPanelTest, ZoomPanAndPicture) {
  for (int i = 0; i < 10; ++i) {
    Click("zoomIn");
  }
  EXPECT_EQ(View().Zoom(), 8);
  for (int i = 0; i < 10; ++i) {
    Click("zoomOut");
  }
  EXPECT_EQ(View().Zoom(), 1);
  Click("zoomIn");
  ASSERT_EQ(View().Zoom(), 2);
  EXPECT_EQ(View().Band().SnapWidth(), 16);

  Drag({3, 5}, {20, 9});
  Click("addModule");
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  ExpectModule(Cut(0), 0, 0, 16, 8);

  Drag({10, 10}, {30, 25}, Qt::MiddleButton);
  EXPECT_EQ(View().Scroll().x, 20);
  EXPECT_EQ(View().Scroll().y, 15);

  const QImage picture = View().grab().toImage();
  // Texels at twice their size, moved by the scroll.
  for (const QPoint texel : {QPoint(5, 3), QPoint(40, 20), QPoint(63, 31)}) {
    const int x = 20 + texel.x() * 2 + 1;
    const int y = 15 + texel.y() * 2 + 1;
    EXPECT_EQ(Rgb(picture, x, y), SheetTexel(texel.x(), texel.y()) & 0xFFFFFFu)
        << texel.x() << "," << texel.y();
  }
  // The white frame one pixel outside the image.
  EXPECT_EQ(Rgb(picture, 19, 40), 0xFFFFFFu);
  EXPECT_EQ(Rgb(picture, 20 + 128, 40), 0xFFFFFFu);
  // The module's outline is green but under the band, whose grey pulses in red and green.
  const uint32_t band = Rgb(picture, 20 + 10, 15);
  EXPECT_EQ(band & 0xFFu, 0x80u);
  EXPECT_EQ(band >> 16, (band >> 8) & 0xFFu);
  EXPECT_GE(band >> 16, 0x80u);
  editor_.CreateModule(Module(0, 32, 16, 48, 24));
  const QImage withModule = View().grab().toImage();
  const QString shot = QString(QUILLET_SCREENSHOT_DIR) + "/cut_panel.png";
  EXPECT_TRUE(panel_->grab().save(shot));
  EXPECT_EQ(Rgb(withModule, 20 + 64 + 4, 15 + 32), 0x00FF00u);
  EXPECT_EQ(Rgb(withModule, 20 + 64, 15 + 32 + 4), 0x00FF00u);
}

// The back buffer grows with the widget; a new texture replaces the old one and its band.
TEST_F(CutPanelTest, FollowsTheWidgetAndTheSelectedTexture) {
  panel_->resize(1300, 1100);
  const QImage large = View().grab().toImage();
  ASSERT_EQ(large.size(), QSize(1300, 1075));
  // Below the image the background's gradient runs down to white, drawn to the last row.
  EXPECT_GT(qGray(large.pixel(1250, 1070)), 0xE0);
  EXPECT_GT(qGray(large.pixel(1250, 1070)), qGray(large.pixel(1250, 600)));

  Drag({3, 5}, {20, 9});
  ASSERT_TRUE(View().Band().HasRect());
  ASSERT_TRUE(editor_.LoadTexture(WriteSheet("other.png")));
  EXPECT_TRUE(View().Band().HasRect());
  editor_.SelectTexture(1);
  EXPECT_EQ(View().ShownTexture(), editor_.TexturePath(1));
  EXPECT_FALSE(View().Band().HasRect());
  EXPECT_FALSE(Button("addModule")->isEnabled());
  Drag({3, 5}, {20, 9});
  Click("addModule");
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  EXPECT_EQ(Cut(0).texture, 1);

  // A new actor has no texture to show or cut.
  editor_.NewActor("Empty");
  EXPECT_TRUE(View().ShownTexture().empty());
  EXPECT_FALSE(View().HasImage());
  Drag({3, 5}, {20, 9});
  EXPECT_FALSE(Button("addModule")->isEnabled());
}

// "自动切割" previews the opaque regions in the view, then adds them as one step; the preview goes
// when the dialog closes.
TEST_F(CutPanelTest, AutoSlicePreviewsThenAddsInOneStep) {
  std::vector<uint32_t> texels(64 * 32, 0);
  for (int i = 0; i < 64 * 32; ++i) {
    const int x = i % 64;
    const int y = i / 64;
    texels[static_cast<size_t>(i)] =
        (x % 16 < 12 && y % 16 < 10 && x / 16 != y / 16) ? 0xFFC04020u : 0;
  }
  ASSERT_TRUE(WritePng(dir_.File("sprites.png"), PngFromArgb(64, 32, texels)));
  ASSERT_TRUE(editor_.LoadTexture(dir_.File("sprites.png")));
  editor_.SelectTexture(1);
  Click("zoomIn");
  Click("zoomIn");
  const int steps = editor_.HistorySize();
  ScriptedPrompts prompts;
  prompts.dialogResult = QDialog::Accepted;
  prompts.onDialog = [this](QDialog& shown) {
    auto& dialog = dynamic_cast<CAutoSliceDialog&>(shown);
    ASSERT_EQ(dialog.Modes()->currentIndex(), 0);
    ASSERT_EQ(dialog.Shapes().size(), 6u);
    EXPECT_EQ(View().Preview().size(), 6u);
    EXPECT_EQ(dialog.Summary()->text(), QString::fromUtf8("找到 6 个矩形，其中 6 个是新的"));
    const QImage picture = View().grab().toImage();
    EXPECT_EQ(Rgb(picture, 16 * 3 + 5, 0), CModuleCutView::kPreviewColour);
    EXPECT_TRUE(panel_->grab().save(QString(QUILLET_SCREENSHOT_DIR) + "/auto_slice_preview.png"));
    dialog.Modes()->setCurrentIndex(1);
    dialog.CellWidth()->setValue(16);
    dialog.CellHeight()->setValue(16);
    EXPECT_EQ(View().Preview().size(), 6u);
    dialog.Modes()->setCurrentIndex(0);
  };
  Click("autoSlice");
  EXPECT_TRUE(View().Preview().empty());
  ASSERT_EQ(editor_.Actor()->modules.Num(), 6);
  ExpectModule(Cut(0), 16, 0, 28, 10);
  EXPECT_EQ(editor_.HistorySize(), steps + 1);
  EXPECT_EQ(editor_.UndoName(), "自动切割");
  editor_.Undo();
  EXPECT_EQ(editor_.Actor()->modules.Num(), 0);
}

// With the cut grid at 1 the band cuts to the exact texel, and the choice is kept; the wheel
// zooms about the pointer and Space with the left button pans.
TEST_F(CutPanelTest, CutGridWheelZoomAndSpacePan) {
  QTest::keyClick(&panel_->CutGridChoice(), Qt::Key_Home);
  EXPECT_EQ(View().CutGrid(), 1);
  EXPECT_EQ(QSettings().value(CModuleCutPanel::kCutGridKey).toInt(), 1);
  Drag({3, 5}, {20, 9});
  Click("addModule");
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  ExpectModule(Cut(0), 3, 5, 21, 10);
  EXPECT_EQ(CModuleCutPanel(editor_, nullptr).View().CutGrid(), 1);

  const QPointF pointer(37.5, 21.5);
  const UPoint texel = View().TexelAt(pointer);
  for (int notch = 0; notch < 3; ++notch) {
    QWheelEvent wheel(pointer, View().mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &wheel);
    EXPECT_EQ(View().TexelAt(pointer), texel);
  }
  EXPECT_EQ(View().Zoom(), 4);
  // From zoom 4 the cut grid shows: a line on every texel edge.
  const QImage picture = View().grab().toImage();
  EXPECT_EQ(Rgb(picture, View().Scroll().x + 4 * texel.x, View().Scroll().y + 4 * texel.y + 2),
            CModuleCutView::kGridColour);

  const UPoint scroll = View().Scroll();
  View().setFocus();
  QTest::keyPress(&View(), Qt::Key_Space);
  Drag({100, 100}, {90, 130});
  QTest::keyRelease(&View(), Qt::Key_Space);
  EXPECT_EQ(View().Scroll().x, scroll.x - 10);
  EXPECT_EQ(View().Scroll().y, scroll.y + 30);
  EXPECT_EQ(editor_.Actor()->modules.Num(), 1);
}

}  // namespace
