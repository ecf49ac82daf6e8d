// An artist builds a sprite from nothing with mouse and keyboard only: a texture through the
// texture list's menu, two modules cut in the cutting view, two frames that place and move them,
// an action of two blended keys added on the timeline; it plays, is saved under a name, and the
// command-line tool's dump of the file must show exactly that sprite.
#include "tests/editor/support/app_fixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "editor/res/command_ids.h"
#include "editor/view/action_frame_editor.h"
#include "editor/view/timeline_style.h"
#include "editor/view/timeline_track.h"
#include "tests/editor/support/sprite_files.h"
#include "tests/editor/support/window_picture.h"
#include "tests/support/qt_events.h"

namespace {

constexpr int kCutPane = 4000;
constexpr int kFramePane = 4002;
constexpr int kActionPane = 4003;
constexpr int kTexturePane = 4007;
constexpr int kTimelinePane = 4008;

class ArtistSessionTest : public AppTest {
 protected:
  QWidget& PaneWidget(int paneId) {
    QDockWidget* pane = Frame().Pane(paneId);
    EXPECT_NE(pane, nullptr);
    return *pane->widget();
  }

  template <typename T>
  T& Child(int paneId, const char* name) {
    T* child = PaneWidget(paneId).findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }

  // Brings pane `paneId` to the front by clicking its tab, as the panes share their places.
  void RaisePane(int paneId) {
    const QString title = Frame().Pane(paneId)->windowTitle();
    for (QTabBar* bar : Frame().findChildren<QTabBar*>()) {
      for (int tab = 0; bar->isVisible() && tab < bar->count(); ++tab) {
        if (bar->tabText(tab) == title) {
          QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
          ProcessEvents();
        }
      }
    }
    ASSERT_TRUE(PaneWidget(paneId).isVisible()) << title.toStdString();
  }

  void Click(QWidget& widget) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center());
    ProcessEvents();
  }

  // Right-clicks `widget` at `at`, then clicks the item of the menu that pops up whose text is
  // `item`; the item must be there and enabled.
  void ChooseFromContextMenu(QWidget& widget, QPoint at, const QString& item) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
    ProcessEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no menu for " << item.toStdString();
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      chosen = action->text() == item ? action : chosen;
    }
    ASSERT_NE(chosen, nullptr) << item.toStdString();
    ASSERT_TRUE(chosen->isEnabled()) << item.toStdString();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    ProcessEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }

  static void ClickTreeRow(QTreeWidget& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
    ProcessEvents();
  }

  // Drags with the left button from `from` to `to` over `widget`, through a point between.
  static void Drag(QWidget& widget, QPoint from, QPoint to) {
    QTest::mousePress(&widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(&widget, (from + to) / 2);
    QTest::mouseMove(&widget, to);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, to);
    ProcessEvents();
  }

  // Where the animation view shows the point (x, y) of the edited frame (its origin at 0, 0).
  QPoint ViewPointOf(int x, int y) {
    CVelloEditor& editor = Editor();
    const int zoom = editor.ViewCanvas().GetZoom();
    const UPoint origin = editor.ViewCanvas().GetOrigin();
    const qreal ratio = Frame().View().devicePixelRatioF();
    return QPoint(static_cast<int>((editor.Centre().x + x - origin.x) * zoom / ratio),
                  static_cast<int>((editor.Centre().y + y - origin.y) * zoom / ratio));
  }

  // Drags the topmost placement under frame point `grab` by (dx, dy) frame pixels in the view.
  // The whole drag is one step of the history.
  void DragPlacement(QPoint grab, int dx, int dy) {
    const int steps = Editor().HistorySize();
    Drag(Frame().View(), ViewPointOf(grab.x(), grab.y()),
         ViewPointOf(grab.x() + dx, grab.y() + dy));
    EXPECT_EQ(Editor().HistorySize(), steps + 1);
    EXPECT_EQ(Editor().UndoName(), "移动模块");
  }

  // Selects the module under texel (x, y) in the cutting view with a click, then places it in
  // the edited frame with a double click.
  void PlaceModuleAt(QWidget& cutView, int zoom, int x, int y) {
    const QPoint at(x * zoom, y * zoom);
    QTest::mouseClick(&cutView, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&cutView, Qt::LeftButton, {}, at);
    ProcessEvents();
  }

  void AddKeyAt(CTimelineTrack& track, int time, const QString& frameName) {
    const QPoint cell(time * timeline::kCellWidth + timeline::kCellWidth / 2,
                      timeline::kTrackHeight / 2);
    ChooseFromContextMenu(track, cell, QStringLiteral("添加当前帧 [%1]").arg(frameName));
  }

  QToolButton* PlayButton() {
    QAction* play = Frame().Action(cmd::kPlay);
    for (QToolBar* bar : Frame().findChildren<QToolBar*>()) {
      if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(play))) {
        return button;
      }
    }
    return nullptr;
  }
};

QJsonObject DumpOf(const std::string& document) {
  QProcess cli;
  cli.start(QUILLET_CLI, {"dump", QString::fromStdString(document)});
  EXPECT_TRUE(cli.waitForFinished(10000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  QJsonParseError error{};
  const QJsonDocument json = QJsonDocument::fromJson(cli.readAllStandardOutput(), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return json.object();
}

std::vector<int> Ints(const QJsonObject& object, std::initializer_list<const char*> keys) {
  std::vector<int> values;
  for (const char* key : keys) {
    values.push_back(object.value(key).toInt(-99999));
  }
  return values;
}

TEST_F(ArtistSessionTest, ASpriteMadeByHandIsSavedAsItWasMade) {
  StartApp();
  CVelloEditor& editor = Editor();
  ASSERT_TRUE(Frame().View().IsReady()) << "no OpenGL 3.3 core context in the view";
  ASSERT_NE(editor.Actor(), nullptr);
  ASSERT_EQ(editor.Actor()->textures.Num(), 0);

  // A texture from a real PNG, through the texture list's menu; its row selects it.
  const std::string png = dir.File("sprite.png");
  ASSERT_TRUE(WriteSpriteTexture(png));
  RaisePane(kTexturePane);
  auto& textures = dynamic_cast<QTreeWidget&>(PaneWidget(kTexturePane));
  prompts.pathLists = {std::vector<std::string>{png}};
  ChooseFromContextMenu(*textures.viewport(), QPoint(10, 10), "添加贴图");
  ASSERT_EQ(textures.topLevelItemCount(), 1);
  ClickTreeRow(textures, 0);
  ASSERT_EQ(editor.SelectedTexture(), 0);

  // Two modules cut at twice the size, where the band snaps to cells of 8 texels: the red half
  // whole, and a square of the blue half.
  RaisePane(kCutPane);
  auto& cutView = Child<QWidget>(kCutPane, "moduleCutView");
  auto& addModule = Child<QPushButton>(kCutPane, "addModule");
  Click(Child<QPushButton>(kCutPane, "zoomIn"));
  constexpr int kZoom = 2;
  EXPECT_FALSE(addModule.isEnabled());
  Drag(cutView, QPoint(1, 1), QPoint(15 * kZoom, 31 * kZoom));
  ASSERT_TRUE(addModule.isEnabled());
  Click(addModule);
  Drag(cutView, QPoint(17 * kZoom, 9 * kZoom), QPoint(31 * kZoom, 23 * kZoom));
  Click(addModule);
  ASSERT_EQ(editor.Actor()->modules.Num(), 2);

  // Frame "stand": both modules placed, the blue part dragged 20 pixels right.
  RaisePane(kFramePane);
  auto& addFrame = Child<QPushButton>(kFramePane, "addButton");
  prompts.typedTexts = {std::string("stand")};
  Click(addFrame);
  ASSERT_EQ(editor.Actor()->frames.Num(), 1);
  ASSERT_EQ(editor.SelectedFrame(), 0);
  PlaceModuleAt(cutView, kZoom, 4, 4);
  PlaceModuleAt(cutView, kZoom, 24, 16);
  ASSERT_EQ(editor.Actor()->frames[0]->GetModuleSize(), 2);
  DragPlacement(QPoint(5, 5), 20, 0);

  // Frame "walk": the same modules, the blue part moved by (30, 10) and the red by (-10, 4).
  prompts.typedTexts = {std::string("walk")};
  Click(addFrame);
  ASSERT_EQ(editor.SelectedFrame(), 1);
  PlaceModuleAt(cutView, kZoom, 4, 4);
  PlaceModuleAt(cutView, kZoom, 24, 16);
  DragPlacement(QPoint(5, 5), 30, 10);
  DragPlacement(QPoint(5, 5), -10, 4);

  // Action "run": "stand" at tick 0 and "walk" at tick 6, chosen on the timeline's menu.
  RaisePane(kActionPane);
  prompts.typedTexts = {std::string("run")};
  Click(Child<QPushButton>(kActionPane, "newButton"));
  auto& actions = *PaneWidget(kActionPane).findChild<QTreeWidget*>("actionList");
  auto& frames = *PaneWidget(kFramePane).findChild<QTreeWidget*>("frameList");
  ClickTreeRow(actions, 0);
  ASSERT_EQ(editor.SelectedAction(), 0);
  auto& track = dynamic_cast<MyActionFrameEditor&>(PaneWidget(kTimelinePane)).Track();
  RaisePane(kFramePane);
  ClickTreeRow(frames, 0);
  AddKeyAt(track, 0, "stand");
  ClickTreeRow(frames, 1);
  AddKeyAt(track, 6, "walk");
  ASSERT_EQ(editor.Actor()->actions[0]->keys.Num(), 2);

  // Play from the tool bar: it runs to the last key and stops there, on "walk".
  QToolButton* play = PlayButton();
  ASSERT_NE(play, nullptr);
  Click(*play);
  EXPECT_TRUE(editor.IsPlaying());
  ASSERT_TRUE(QTest::qWaitFor([&editor] { return !editor.IsPlaying(); }, 5000));
  EXPECT_EQ(editor.ShownFrame(), 1);

  // The view shows "walk" as placed: the red module's middle red, the blue one's blue.
  QTest::qWait(5 * CVelloView::kTickMs);
  const QImage picture = WindowPicture(Frame());
  EXPECT_TRUE(picture.save(QUILLET_SCREENSHOT_DIR "/artist_session.png"));
  const QPoint view = Frame().View().mapTo(&Frame(), QPoint(0, 0));
  EXPECT_EQ(picture.pixel(view + ViewPointOf(-10 + 8, 4 + 16)) & 0xFFFFFFu, kRed & 0xFFFFFFu);
  EXPECT_EQ(picture.pixel(view + ViewPointOf(30 + 8, 10 + 8)) & 0xFFFFFFu, kBlue & 0xFFFFFFu);

  const std::string saved = dir.File("runner.an1");
  prompts.paths = {saved};
  Trigger(cmd::kFileSaveAs);
  ASSERT_EQ(app->Doc().Path(), saved);
  EXPECT_TRUE(prompts.messages.empty());

  const QJsonObject dump = DumpOf(saved);
  const QJsonArray textureRows = dump["textures"].toArray();
  ASSERT_EQ(textureRows.size(), 1);
  EXPECT_EQ(textureRows[0]["name"].toString(), "sprite.png");
  EXPECT_EQ(Ints(textureRows[0].toObject(), {"width", "height"}), (std::vector<int>{32, 32}));

  const QJsonArray modules = dump["modules"].toArray();
  ASSERT_EQ(modules.size(), 2);
  const auto rect = {"texture", "left", "top", "right", "bottom"};
  EXPECT_EQ(Ints(modules[0].toObject(), rect), (std::vector<int>{0, 0, 0, 16, 32}));
  EXPECT_EQ(Ints(modules[1].toObject(), rect), (std::vector<int>{0, 16, 8, 32, 24}));

  const QJsonArray frameRows = dump["frames"].toArray();
  ASSERT_EQ(frameRows.size(), 2);
  const auto placed = {"module", "x", "y"};
  std::vector<std::vector<int>> placements[2];
  for (int f = 0; f < 2; ++f) {
    for (const QJsonValue placement : frameRows[f]["placements"].toArray()) {
      placements[f].push_back(Ints(placement.toObject(), placed));
    }
  }
  EXPECT_EQ(frameRows[0]["name"].toString(), "stand");
  EXPECT_EQ(placements[0], (std::vector<std::vector<int>>{{0, 0, 0}, {1, 20, 0}}));
  EXPECT_EQ(frameRows[1]["name"].toString(), "walk");
  EXPECT_EQ(placements[1], (std::vector<std::vector<int>>{{0, -10, 4}, {1, 30, 10}}));

  const QJsonArray actionRows = dump["actions"].toArray();
  ASSERT_EQ(actionRows.size(), 1);
  EXPECT_EQ(actionRows[0]["name"].toString(), "run");
  const QJsonArray keys = actionRows[0]["keys"].toArray();
  ASSERT_EQ(keys.size(), 2);
  // Both frames place the same modules, so the first key blends into the second.
  const auto key = {"time", "frame", "flags"};
  EXPECT_EQ(Ints(keys[0].toObject(), key), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(Ints(keys[1].toObject(), key), (std::vector<int>{6, 1, 0}));

  // The whole session undone step by step with every pane showing, then redone: the saved
  // document comes back byte for byte, and the modified flag follows the saved step.
  const std::vector<unsigned char> savedForm = editor.StoredActor();
  const int last = editor.HistoryPosition();
  while (editor.CanUndo()) {
    editor.Undo();
    ProcessEvents();
    EXPECT_TRUE(editor.IsModified());
  }
  EXPECT_EQ(editor.Actor()->textures.Num(), 0);
  EXPECT_EQ(editor.Actor()->frames.Num(), 0);
  while (editor.CanRedo()) {
    editor.Redo();
    ProcessEvents();
  }
  EXPECT_EQ(editor.HistoryPosition(), last);
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(editor.StoredActor(), savedForm);
  EXPECT_NE(editor.TextureSurfaces()[0], nullptr);
}

}  // namespace
