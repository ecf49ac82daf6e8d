// Copy, cut and paste through the real clipboard with the panes' keys, and drops on the window as
// a file manager and the module list make them.
#include "tests/editor/support/app_fixture.h"

#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include "core/foundation/text_codec.h"
#include "editor/res/command_ids.h"
#include "tests/editor/support/sprite_files.h"

namespace {

class ClipboardTest : public AppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteSpriteDocument(dir.path(), "sprite.an1"));
    StartApp(dir.File("sprite.an1"));
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  }
  // The pane named `name` takes the focus, then `key` goes to it as the user types it.
  void KeyIn(const char* name, QKeySequence key) {
    QWidget* pane = Frame().findChild<QWidget*>(name);
    pane->setFocus();
    QTest::keySequence(pane, key);
  }
  std::string Prompt() { return Frame().StatusPane(0)->text().toStdString(); }
  const UObjActor& Actor() { return *Editor().Actor(); }
  void Drop(QWidget* target, QMimeData& data, QPoint at) {
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(enter.isAccepted() ? target : &Frame(), &drop);
  }
};

TEST_F(ClipboardTest, CopyCutAndPasteEachKindThroughTheClipboard) {
  // A placement pasted back onto its own frame moves aside, and is selected.
  Editor().SelectFrame(0);
  Editor().SelectPlacement(0);
  KeyIn("animationView", QKeySequence::Copy);
  EXPECT_EQ(Prompt(), "已复制 1 个帧中模块");
  const QMimeData* held = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(held->hasFormat(kClipMimeType));
  EXPECT_TRUE(held->text().startsWith("{\"kind\":\"placements\",\"texturePaths\":["));
  const QByteArray placement = held->data(kClipMimeType);
  KeyIn("animationView", QKeySequence::Paste);
  ASSERT_EQ(Actor().frames[0]->placements.Num(), 2);
  EXPECT_EQ(Actor().frames[0]->placements[1].x, 8);
  EXPECT_EQ(Editor().SelectedPlacement(), 1);
  EXPECT_EQ(Editor().UndoName(), "粘贴");

  // A frame goes after the selected one; keys of later frames follow it.
  Editor().SelectFrame(0);
  KeyIn("frameList", QKeySequence::Copy);
  Editor().SelectFrame(0);
  KeyIn("frameList", QKeySequence::Paste);
  ASSERT_EQ(Actor().frames.Num(), 3);
  EXPECT_EQ(Actor().frames[1]->placements.Num(), 2);
  EXPECT_EQ(Actor().actions[0]->keys[1].frame, 2u);
  EXPECT_EQ(Editor().SelectedFrame(), 1);

  // A key pasted at tick 1 keeps its length and pushes the later key on by it.
  Editor().SelectAction(0);
  Editor().SelectActionFrame(0);
  KeyIn("actionFrameEditor", QKeySequence::Copy);
  Editor().PickTime(1);
  KeyIn("actionFrameEditor", QKeySequence::Paste);
  const UArray<TActionFrame>& keys = Actor().actions[0]->keys;
  ASSERT_EQ(keys.Num(), 3);
  EXPECT_EQ(keys[1].time, 1u);
  EXPECT_EQ(keys[1].frame, 0u);
  EXPECT_EQ(keys[2].time, 4u);

  // An action comes with a name of its own; the frames its keys show are the same ones.
  KeyIn("actionList", QKeySequence::Copy);
  KeyIn("actionList", QKeySequence::Paste);
  KeyIn("actionList", QKeySequence::Paste);
  ASSERT_EQ(Actor().actions.Num(), 3);
  EXPECT_STREQ(Actor().actions[1]->name.GetString(), "walk 2");
  EXPECT_STREQ(Actor().actions[2]->name.GetString(), "walk 3");
  EXPECT_EQ(Actor().frames.Num(), 3);

  // Cut is one step: the module goes, and one undo brings it back.
  const int historyBefore = Editor().HistorySize();
  Editor().SelectModule(1);
  KeyIn("moduleList", QKeySequence::Cut);
  EXPECT_EQ(Actor().modules.Num(), 1);
  EXPECT_EQ(Editor().HistorySize(), historyBefore + 1);
  KeyIn("moduleList", QKeySequence::Paste);
  EXPECT_EQ(Actor().modules.Num(), 2);
  EXPECT_EQ(Editor().SelectedModule(), 1);

  // Damaged bytes under the items' type paste nothing and say so.
  auto* damaged = new QMimeData;
  damaged->setData(kClipMimeType, placement.left(60));
  QGuiApplication::clipboard()->setMimeData(damaged);
  const int steps = Editor().HistorySize();
  Frame().UpdateCommandStates();
  KeyIn("animationView", QKeySequence::Paste);
  EXPECT_EQ(Editor().HistorySize(), steps);
  EXPECT_NE(Prompt().find("剪贴板中的内容已损坏"), std::string::npos);
}

TEST_F(ClipboardTest, DropsPlaceModulesAddTexturesAndOpenDocuments) {
  // A module dragged from the list lands with its centre under the pointer.
  Editor().SelectFrame(1);
  auto* list = Frame().findChild<QTreeWidget*>("moduleList");
  std::unique_ptr<QMimeData> module(list->model()->mimeData({list->model()->index(0, 0)}));
  ASSERT_NE(module, nullptr);
  const int placements = Actor().frames[1]->placements.Num();
  const QPoint at = Frame().View().rect().center() + QPoint(40, 20);
  Drop(&Frame().View(), *module, at);
  ASSERT_EQ(Actor().frames[1]->placements.Num(), placements + 1);
  const TObjFrame& placed = Actor().frames[1]->placements[static_cast<size_t>(placements)];
  URect box;
  float angle = 0;
  ASSERT_TRUE(Editor().SelectedPlacementBox(&box, &angle));
  UPoint pointer = Frame().View().DevicePoint(at);
  Editor().ViewCanvas().ScreenToCanvas(&pointer);
  const UPoint16 origin = Actor().frames[1]->origin;
  EXPECT_EQ(placed.module, 0);
  EXPECT_EQ((box.left + box.right) / 2, pointer.x - Editor().Centre().x - origin.x);
  EXPECT_EQ((box.top + box.bottom) / 2, pointer.y - Editor().Centre().y - origin.y);
  EXPECT_EQ(Editor().UndoName(), "放置裁剪块");
  Editor().Undo();
  EXPECT_EQ(Actor().frames[1]->placements.Num(), placements);

  // Pictures from a file manager become textures in one step.
  ASSERT_TRUE(WriteSpriteTexture(dir.File("more.png")));
  ASSERT_TRUE(WriteSpriteTexture(dir.File("other.png")));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("more.png"))),
                 QUrl::fromLocalFile(QString::fromStdString(dir.File("other.png")))});
  Drop(&Frame().View(), files, at);
  EXPECT_EQ(Actor().textures.Num(), 3);
  EXPECT_EQ(Editor().SelectedTexture(), 1);
  Editor().Undo();
  EXPECT_EQ(Actor().textures.Num(), 1);
  Editor().Redo();

  // A document opens after the save question.
  ASSERT_TRUE(WriteSpriteDocument(dir.path(), "second.an1"));
  QMimeData document;
  document.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("second.an1")))});
  prompts.answers = {UMessageAnswer::No};
  Drop(&Frame().View(), document, at);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(Actor().textures.Num(), 1);
}

}  // namespace
