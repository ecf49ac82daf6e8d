// The recovery question at start, with the whole program: what is offered, and what restoring,
// deleting and keeping leave on the disk.
#include <QLockFile>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/res/command_ids.h"
#include "tests/editor/support/app_fixture.h"
#include "tests/editor/support/sprite_files.h"

namespace fs = std::filesystem;

namespace {

// Writes a copy of `stored` with `note` as an editor that then died leaves it, its files dated
// `age` ago; returns its id.
std::string WriteDeadCopy(const std::vector<unsigned char>& stored, const CRecoveryNote& note,
                          std::chrono::minutes age) {
  std::string error;
  const auto copy = CRecoveryCopy::CreateLocked(RecoveryFolder(), &error);
  EXPECT_NE(copy, nullptr) << error;
  EXPECT_TRUE(WriteRecoveryFiles(copy->CopyPath(), stored, copy->NotePath(),
                                 WriteRecoveryNote(note), &error))
      << error;
  for (const std::string& path : {copy->CopyPath(), copy->NotePath()}) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - age);
  }
  return copy->Id().toStdString();
}

std::string CopyFile(const std::string& id, const char* extension) {
  return RecoveryFolder().toStdString() + "/" + id + extension;
}

bool IsLocked(const std::string& id) {
  QLockFile lock(QString::fromStdString(CopyFile(id, ".lock")));
  lock.setStaleLockTime(0);
  if (lock.tryLock(0)) {
    lock.unlock();
    return false;
  }
  return true;
}

}  // namespace

TEST_F(AppTest, ACopyRestoredAtStartFindsItsTexturesAndStaysUntilSaved) {
  SetApplicationIdentity();
  // The texture lies where the session that wrote the copies found it, away from the current
  // folder and from any document.
  const std::string elsewhere = dir.File("elsewhere");
  fs::create_directory(elsewhere);
  ASSERT_TRUE(WriteSpriteDocument(elsewhere, "sprite.an1"));
  const std::vector<unsigned char> stored = ReadFileBytes(elsewhere + "/sprite.an1");

  CRecoveryNote never_saved;
  never_saved.title = "Untitled";
  never_saved.time = "2026-12-07T15:00:00Z";
  never_saved.texturePaths = {elsewhere + "/sprite.png"};
  const std::string restored = WriteDeadCopy(stored, never_saved, std::chrono::minutes(30));
  CRecoveryNote damaged_note = never_saved;
  damaged_note.title = "damaged";
  const std::vector<unsigned char> cut(stored.begin(), stored.begin() + stored.size() / 2);
  const std::string damaged = WriteDeadCopy(cut, damaged_note, std::chrono::minutes(20));
  CRecoveryNote saved_once = never_saved;
  saved_once.documentPath = elsewhere + "/sprite.an1";
  saved_once.title = "sprite.an1";
  const std::string kept = WriteDeadCopy(stored, saved_once, std::chrono::minutes(10));

  prompts.recoveryChoices = {CRecoveryChoice::Restore, CRecoveryChoice::Delete,
                             CRecoveryChoice::Keep};
  StartApp();
  app->Recovery().SetDelay(std::chrono::milliseconds(10));

  // One question, oldest copy first, the damaged one marked.
  ASSERT_EQ(prompts.recoveryOffers.size(), 1u);
  const std::vector<CRecoveryOffer>& offers = prompts.recoveryOffers[0];
  ASSERT_EQ(offers.size(), 3u);
  EXPECT_EQ(offers[0].title, "Untitled");
  EXPECT_EQ(offers[0].time, "2026-12-07T15:00:00Z");
  EXPECT_EQ(offers[0].problem, "");
  EXPECT_EQ(offers[1].title, "damaged");
  EXPECT_NE(offers[1].problem, "");
  EXPECT_EQ(offers[2].documentPath, elsewhere + "/sprite.an1");

  // The restored actor is the copy, modified, without a path, its texture found.
  EXPECT_EQ(app->Doc().Path(), "");
  EXPECT_EQ(app->Doc().Title(), "Untitled");
  EXPECT_TRUE(Editor().IsModified());
  EXPECT_EQ(Editor().StoredActor(), stored);
  EXPECT_EQ(Editor().TexturePath(0), elsewhere + "/sprite.png");
  EXPECT_TRUE(prompts.messages.empty());

  // The deleted copy is gone, the kept one waits for a later start, free; the restored one is
  // this editor's.
  EXPECT_FALSE(fs::exists(CopyFile(damaged, ".an1")));
  EXPECT_FALSE(fs::exists(CopyFile(damaged, ".note")));
  EXPECT_FALSE(fs::exists(CopyFile(damaged, ".lock")));
  EXPECT_TRUE(fs::exists(CopyFile(kept, ".an1")));
  EXPECT_FALSE(IsLocked(kept));
  ASSERT_NE(app->Recovery().Copy(), nullptr);
  EXPECT_EQ(app->Recovery().Copy()->Id().toStdString(), restored);
  EXPECT_TRUE(IsLocked(restored));

  // Later edits replace that copy.
  Editor().CreateFrame("新帧");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        app->Recovery().WaitForWrites();
        return ReadFileBytes(CopyFile(restored, ".an1")) == Editor().StoredActor();
      },
      2000));

  // Saving removes it; the kept copy stays.
  prompts.paths.push_back(dir.File("saved.an1"));
  Trigger(cmd::kFileSaveAs);
  EXPECT_FALSE(Editor().IsModified());
  for (const char* extension : {".an1", ".note", ".lock"}) {
    EXPECT_FALSE(fs::exists(CopyFile(restored, extension))) << extension;
  }
  EXPECT_TRUE(fs::exists(CopyFile(kept, ".an1")));
  EXPECT_TRUE(fs::exists(CopyFile(kept, ".note")));
}
