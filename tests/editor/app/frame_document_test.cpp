// The document commands through the main window: new, open, save, save as, recent files, the
// save question and the title.
#include "tests/editor/support/app_fixture.h"

#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>

#include "core/anim/actor_file.h"
#include "core/foundation/text_codec.h"
#include "editor/res/command_ids.h"
#include "editor/res/pane_table.h"
#include "editor_support/property_grid/property_grid.h"

namespace {

// Counts what the editor context tells while it lives.
struct CountingListener : CEditorListener {
  explicit CountingListener(CVelloEditor& heard) : editor(heard) { editor.AddListener(this); }
  ~CountingListener() override { editor.RemoveListener(this); }
  void OnEditorChanged(uint32_t /*changes*/) override { ++told; }
  CVelloEditor& editor;
  int told = 0;
};

// Makes the actor modified the way an edit does.
void EditActor(CVelloEditor& editor) {
  editor.CreateFrame("frame");
}

TEST_F(AppTest, NewAsksToSaveAModifiedActorFirst) {
  StartApp();
  EditActor(Editor());
  ASSERT_TRUE(Editor().IsModified());
  EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Quillen");
  EXPECT_TRUE(Frame().isWindowModified());

  // Cancel: nothing changes, no name is asked.
  prompts.answers = {UMessageAnswer::Cancel};
  Trigger(cmd::kFileNew);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("Untitled"), std::string::npos);
  EXPECT_TRUE(prompts.inputInitialTexts.empty());
  EXPECT_EQ(Editor().Actor()->frames.Num(), 1);

  // No: the edits are dropped and the new actor gets the typed name and the title.
  prompts.answers = {UMessageAnswer::No};
  prompts.typedTexts = {std::string("英雄")};
  Trigger(cmd::kFileNew);
  EXPECT_EQ(prompts.inputInitialTexts, std::vector<std::string>{""});
  EXPECT_EQ(Editor().Actor()->frames.Num(), 0);
  EXPECT_EQ(GbkToUtf8(Editor().Actor()->name.GetString()), "英雄");
  EXPECT_FALSE(Editor().IsModified());
  EXPECT_EQ(Frame().windowTitle(), "英雄[*] - Quillen");
  EXPECT_FALSE(Frame().isWindowModified());

  // Yes without a file: the save-as dialog names the file; a cancelled save keeps everything.
  EditActor(Editor());
  prompts.answers = {UMessageAnswer::Yes};
  prompts.paths = {std::nullopt};
  Trigger(cmd::kFileNew);
  EXPECT_EQ(Editor().Actor()->frames.Num(), 1);
  EXPECT_TRUE(Editor().IsModified());

  // Yes and a path: saved there, then the new actor.
  const std::string saved = dir.File("hero.an1");
  prompts.answers = {UMessageAnswer::Yes};
  prompts.paths = {saved};
  prompts.typedTexts = {std::string("next")};
  Trigger(cmd::kFileNew);
  UObjActor reread;
  ASSERT_TRUE(LoadActorFile(saved.c_str(), reread));
  EXPECT_EQ(reread.frames.Num(), 1);
  EXPECT_EQ(GbkToUtf8(reread.name.GetString()), "英雄");
  EXPECT_EQ(Editor().Actor()->name.GetString(), std::string("next"));
  // A new actor has no file: it does not take the saved document's place.
  EXPECT_TRUE(app->Doc().Path().empty());
}

TEST_F(AppTest, SaveProposesTheActorsNameAndKeepsTheDocumentsPath) {
  StartApp();
  EditActor(Editor());
  const std::string path = dir.File("TestActor.an1");
  prompts.paths = {path};
  Trigger(cmd::kFileSave);
  ASSERT_EQ(prompts.fileRequests.size(), 1u);
  EXPECT_EQ(prompts.fileRequests[0].initialName, "TestActor.an1");
  EXPECT_EQ(prompts.fileRequests[0].defaultExtension, ".an1");
  EXPECT_EQ(prompts.fileRequests[0].filter, "组合OBJ 文件 (*.an1)|*.an1||");
  UObjActor reread;
  ASSERT_TRUE(LoadActorFile(path.c_str(), reread));
  EXPECT_EQ(reread.frames.Num(), 1);
  // The document has no file of its own yet, so its changes are still unsaved.
  EXPECT_TRUE(Editor().IsModified());
  EXPECT_TRUE(app->Doc().Path().empty());
  EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Quillen");
  EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
}

// Save writes the actor under its own name; only a write of the document's own file makes the
// document saved, so the title, the path and the close question keep meaning the opened file.
TEST_F(AppTest, SaveToAnotherFileLeavesTheOpenedDocumentModified) {
  const std::string opened = dir.File("hero_v2.an1");
  UObjActor hero;
  hero.Init();
  hero.name = UName("hero");
  ASSERT_TRUE(SaveActorFile(opened.c_str(), hero));
  StartApp(opened);
  ASSERT_EQ(app->Doc().Path(), opened);
  EditActor(Editor());

  prompts.paths = {dir.File("hero.an1")};
  Trigger(cmd::kFileSave);
  EXPECT_EQ(prompts.fileRequests.back().initialName, "hero.an1");
  UObjActor copy;
  ASSERT_TRUE(LoadActorFile(dir.File("hero.an1").c_str(), copy));
  EXPECT_EQ(copy.frames.Num(), 1);
  EXPECT_TRUE(Editor().IsModified());
  EXPECT_TRUE(Frame().isWindowModified());
  EXPECT_EQ(Frame().windowTitle(), "hero_v2.an1[*] - Quillen");

  // Written over its own file, the document is saved.
  prompts.paths = {opened};
  Trigger(cmd::kFileSave);
  EXPECT_FALSE(Editor().IsModified());

  // A nameless actor proposes a visible file name.
  Editor().SetActorName("");
  Trigger(cmd::kFileSave);
  EXPECT_EQ(prompts.fileRequests.back().initialName, "Untitled.an1");
}

TEST_F(AppTest, AFailedSaveSaysWhyAndLeavesTheActorModified) {
  StartApp();
  EditActor(Editor());
  prompts.paths = {dir.File("no-such-folder/actor.an1")};
  Trigger(cmd::kFileSaveAs);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("actor.an1"), std::string::npos);
  EXPECT_TRUE(Editor().IsModified());
  EXPECT_TRUE(app->Doc().Path().empty());
  EXPECT_TRUE(Frame().isWindowModified());
}

TEST_F(AppTest, SaveAsAndOpenFollowTheDocumentAndTheRecentFiles) {
  StartApp();
  EditActor(Editor());
  const std::string first = dir.File("first.an1");
  prompts.paths = {first};
  Trigger(cmd::kFileSaveAs);
  EXPECT_EQ(prompts.fileRequests.back().filter, "Quillen 动画文件 v1(*.an1)|*.an1||");
  EXPECT_EQ(app->Doc().Path(), first);
  EXPECT_EQ(Frame().windowTitle(), "first.an1[*] - Quillen");
  EXPECT_EQ(app->RecentFiles().Paths(), QStringList{QString::fromStdString(first)});

  // Open through the dialog: frame 0 is selected and shown, and the panes hear of it once.
  prompts.typedTexts = {std::string("other")};
  Trigger(cmd::kFileNew);
  ASSERT_EQ(Editor().Actor()->frames.Num(), 0);
  prompts.paths = {first};
  CountingListener heard(Editor());
  Trigger(cmd::kFileOpen);
  EXPECT_EQ(heard.told, 1);
  EXPECT_EQ(prompts.fileRequests.back().filter,
            "Quillen 动画文件 v1(*.an1)|*.an1|All Files (*.*)|*.*||");
  EXPECT_EQ(Editor().Actor()->frames.Num(), 1);
  EXPECT_EQ(Editor().SelectedFrame(), 0);
  EXPECT_EQ(Editor().ShownFrame(), 0);
  EXPECT_EQ(Frame().windowTitle(), "first.an1[*] - Quillen");

  // A damaged file: a message, and the open document stays as it was.
  const std::string damaged = dir.File("damaged.an1");
  WriteFileBytes(damaged, {1, 2, 3});
  prompts.paths = {damaged};
  prompts.messages.clear();
  Trigger(cmd::kFileOpen);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(app->Doc().Path(), first);
  EXPECT_EQ(Editor().Actor()->frames.Num(), 1);
  EXPECT_EQ(app->RecentFiles().Paths().size(), 1);

  // The recent entry reopens the file; one that has gone leaves the list.
  EXPECT_TRUE(Frame().Action(cmd::kFileMruFirst)->isVisible());
  EXPECT_EQ(Frame().Action(cmd::kFileMruFirst)->text(), "&1 first.an1");
  EXPECT_FALSE(Frame().Action(cmd::kFileMruFirst + 1)->isVisible());
  Trigger(cmd::kFileMruFirst);
  EXPECT_EQ(app->Doc().Path(), first);
  std::filesystem::remove(first);
  prompts.messages.clear();
  Trigger(cmd::kFileMruFirst);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
  EXPECT_FALSE(Frame().Action(cmd::kFileMruFirst)->isVisible());
}

// The recent files are read once the application's settings are known: a document named on the
// command line joins the list instead of replacing it.
TEST_F(AppTest, ADocumentOnTheCommandLineJoinsTheRecentFiles) {
  StartApp();
  const std::string first = dir.File("first.an1"), second = dir.File("second.an1"),
                    other = dir.File("other.an1");
  for (const std::string& path : {first, second, other}) {
    UObjActor actor;
    actor.Init();
    ASSERT_TRUE(SaveActorFile(path.c_str(), actor));
  }
  app->RecentFiles().Add(QString::fromStdString(first));
  app->RecentFiles().Add(QString::fromStdString(second));
  app.reset();
  // A fresh process: the names are set by the application itself.
  QCoreApplication::setOrganizationName({});
  QCoreApplication::setApplicationName({});

  StartApp(other);
  EXPECT_EQ(app->RecentFiles().Paths(),
            (QStringList{QString::fromStdString(other), QString::fromStdString(second),
                         QString::fromStdString(first)}));
}

// Types `text` into the property row `caption` of category `category` and leaves the edit open.
void TypeWithoutCommitting(CMainFrame& frame, const QString& category, const QString& caption,
                           const QString& text) {
  UPropertyGrid* grid = frame.PropertyGrid();
  frame.Pane(pane::kProperties)->raise();
  QTest::qWait(20);
  QTreeWidgetItem* row = nullptr;
  for (QTreeWidgetItem* item : grid->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive)) {
    if (item->parent() != nullptr && item->parent()->text(0) == category) {
      row = item;
    }
  }
  ASSERT_NE(row, nullptr);
  grid->setFocus();
  grid->setCurrentItem(row);
  grid->editItem(row, UPropertyGrid::kValueColumn);
  QTest::qWait(20);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, text);
}

// A value still being typed is an edit: New asks to save it, and closing the window keeps it in
// the automatic save, with the actor freed only after the panes let go.
TEST_F(AppTest, AValueBeingTypedIsCommittedBeforeTheActorGoes) {
  StartApp();
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  Editor().CreateFrame("frame");
  Editor().SetModified(false);

  TypeWithoutCommitting(Frame(), "原点", "x", "12");
  prompts.answers = {UMessageAnswer::Cancel};
  Trigger(cmd::kFileNew);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(Editor().Actor()->frames[0]->origin.x, 12);

  TypeWithoutCommitting(Frame(), "原点", "y", "34");
  prompts.answers = {UMessageAnswer::No};
  EXPECT_TRUE(Frame().close());
  UObjActor last;
  ASSERT_TRUE(LoadActorFile(dir.File("LastSave.an1").c_str(), last));
  ASSERT_EQ(last.frames.Num(), 1);
  EXPECT_EQ(last.frames[0]->origin.y, 34);
}

TEST_F(AppTest, ClosingAModifiedActorAsksAndCancelKeepsTheWindow) {
  StartApp();
  EditActor(Editor());
  prompts.answers = {UMessageAnswer::Cancel};
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_FALSE(std::filesystem::exists(dir.File("LastSave.an1")));

  prompts.answers = {UMessageAnswer::No};
  EXPECT_TRUE(Frame().close());
  // The automatic save is written at close all the same.
  UObjActor last;
  ASSERT_TRUE(LoadActorFile(dir.File("LastSave.an1").c_str(), last));
  EXPECT_EQ(last.frames.Num(), 1);
}

TEST_F(AppTest, BackgroundColourDialogStartsBlackAndPaintsTheView) {
  StartApp();
  ASSERT_TRUE(Frame().View().IsReady());
  prompts.colors = {QColor(0x12, 0x34, 0x56)};
  Trigger(cmd::kBackgroundColor);
  ASSERT_EQ(prompts.colorInitials.size(), 1u);
  EXPECT_EQ(prompts.colorInitials[0], QColor(Qt::black));
  // Grid and axes off, so only the background shows.
  if (Editor().ShowGrid()) {
    Editor().ToggleGrid();
  }
  if (Editor().ShowCentre()) {
    Editor().ToggleCentre();
  }
  const QImage picture = Frame().View().grabFramebuffer();
  EXPECT_EQ(picture.pixel(2, 2) & 0xFFFFFFu, 0x123456u);
}

}  // namespace
