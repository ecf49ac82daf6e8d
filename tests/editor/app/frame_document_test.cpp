// The document commands through the main window: new, open, save, save as, recent files, the
// save question and the title.
#include "tests/editor/support/app_fixture.h"

#include "core/anim/actor_file.h"
#include "core/foundation/text_codec.h"
#include "editor/res/command_ids.h"

namespace {

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
  EXPECT_EQ(Editor().actor->frames.Num(), 1);

  // No: the edits are dropped and the new actor gets the typed name and the title.
  prompts.answers = {UMessageAnswer::No};
  prompts.typedTexts = {std::string("英雄")};
  Trigger(cmd::kFileNew);
  EXPECT_EQ(prompts.inputInitialTexts, std::vector<std::string>{""});
  EXPECT_EQ(Editor().actor->frames.Num(), 0);
  EXPECT_EQ(GbkToUtf8(Editor().actor->name.GetString()), "英雄");
  EXPECT_FALSE(Editor().IsModified());
  EXPECT_EQ(Frame().windowTitle(), "英雄[*] - Quillen");
  EXPECT_FALSE(Frame().isWindowModified());

  // Yes without a file: the save-as dialog names the file; a cancelled save keeps everything.
  EditActor(Editor());
  prompts.answers = {UMessageAnswer::Yes};
  prompts.paths = {std::nullopt};
  Trigger(cmd::kFileNew);
  EXPECT_EQ(Editor().actor->frames.Num(), 1);
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
  EXPECT_EQ(Editor().actor->name.GetString(), std::string("next"));
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
  EXPECT_FALSE(Editor().IsModified());
  EXPECT_TRUE(app->Doc().Path().empty());
  EXPECT_EQ(Frame().windowTitle(), "Untitled[*] - Quillen");
  EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
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

  // Open through the dialog: frame 0 is selected and shown.
  prompts.typedTexts = {std::string("other")};
  Trigger(cmd::kFileNew);
  ASSERT_EQ(Editor().actor->frames.Num(), 0);
  prompts.paths = {first};
  Trigger(cmd::kFileOpen);
  EXPECT_EQ(prompts.fileRequests.back().filter,
            "Quillen 动画文件 v1(*.an1)|*.an1|All Files (*.*)|*.*||");
  EXPECT_EQ(Editor().actor->frames.Num(), 1);
  EXPECT_EQ(Editor().selectedFrame, 0);
  EXPECT_EQ(Editor().shownFrame, 0);
  EXPECT_EQ(Frame().windowTitle(), "first.an1[*] - Quillen");

  // A damaged file: a message, and the open document stays as it was.
  const std::string damaged = dir.File("damaged.an1");
  WriteFileBytes(damaged, {1, 2, 3});
  prompts.paths = {damaged};
  prompts.messages.clear();
  Trigger(cmd::kFileOpen);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(app->Doc().Path(), first);
  EXPECT_EQ(Editor().actor->frames.Num(), 1);
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
  Editor().showGrid = false;
  Editor().showCentre = false;
  const QImage picture = Frame().View().grabFramebuffer();
  EXPECT_EQ(picture.pixel(2, 2) & 0xFFFFFFu, 0x123456u);
}

}  // namespace
