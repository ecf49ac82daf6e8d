// Started as the desktop entry starts it, the editor names that entry and keeps "LastSave.an1" in
// its data folder, not in the current folder; started as from a shell, in the current folder.
#include <filesystem>

#include "core/anim/actor_file.h"
#include "editor/app/start_options.h"
#include "editor/services/own_files_folder.h"
#include "tests/editor/support/app_fixture.h"

namespace {

TEST_F(AppTest, TheDataFolderOptionKeepsLastSaveInTheDataFolder) {
  const CStartRequest request = ReadStartOptions({"--use-data-folder", "--lang", "zh"});
  ASSERT_EQ(request.kind, CStartRequest::EKind::Run);
  EXPECT_EQ(request.options.language, "zh");
  KeepOwnFilesInDataFolder(request.options.useDataFolder);
  StartApp();
  // The desktop finds the installed entry, and its icon, by this name.
  EXPECT_EQ(QGuiApplication::desktopFileName(), "org.quillet.Quillet");
  EXPECT_EQ(QGuiApplication::windowIcon().availableSizes().size(), 7);
  Editor().CreateFrame("desktop");
  prompts.answers = {UMessageAnswer::No};
  EXPECT_TRUE(Frame().close());
  app.reset();
  KeepOwnFilesInDataFolder(false);

  EXPECT_FALSE(std::filesystem::exists(dir.File("LastSave.an1")));
  const std::filesystem::path saved = std::filesystem::path(dir.File("data")) /
                                      "Local AppWizard-Generated Applications" / "Quillen" /
                                      "LastSave.an1";
  UObjActor last;
  ASSERT_TRUE(LoadActorFile(saved.c_str(), last));
  EXPECT_EQ(last.frames.Num(), 1);

  // Without the option the current folder it is, as before.
  StartApp();
  EXPECT_TRUE(Frame().close());
  app.reset();
  EXPECT_TRUE(std::filesystem::exists(dir.File("LastSave.an1")));
}

}  // namespace
