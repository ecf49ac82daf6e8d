#include "core/foundation/atomic_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/foundation/archive_ansi.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

size_t EntriesIn(const std::filesystem::path& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator()));
}

bool WriteText(const std::string& path, const std::string& text) {
  UAtomicFile file(path);
  if (!file.Begin()) {
    return false;
  }
  std::fputs(text.c_str(), file.Stream());
  return file.Commit();
}

std::string ReadText(const std::string& path) {
  const Bytes bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(AtomicFileTest, ReplacesTheTargetKeepingItsPermissionsAndLinks) {
  TempDir dir;
  const std::string path = dir.File("sheet.txt");
  ASSERT_TRUE(WriteText(path, "first"));
  EXPECT_EQ(ReadText(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

  // A writer that opens the path itself (as the file archive does) works the same way.
  UAtomicFile file(path);
  ASSERT_TRUE(file.Begin());
  EXPECT_NE(file.Path(), path);
  EXPECT_EQ(ReadText(path), "first");  // nothing shows before the commit
  {
    UArchiveAnsi ar(file.Path().c_str(), ArWrite);
    ar.Write("second", 6);
  }
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(ReadText(path), "second");
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);

  const std::string link = dir.File("link.txt");
  std::filesystem::create_symlink(path, link);
  ASSERT_TRUE(WriteText(link, "third"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(path), "third");
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(AtomicFileTest, FailuresLeaveTheTargetAndNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.File("kept.txt");
  ASSERT_TRUE(WriteText(path, "kept"));
  {
    UAtomicFile abandoned(path);
    ASSERT_TRUE(abandoned.Begin());
    std::fputs("half", abandoned.Stream());
  }
  EXPECT_EQ(ReadText(path), "kept");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  UAtomicFile missing_folder(dir.File("no/such/file.txt"));
  EXPECT_FALSE(missing_folder.Begin());
  EXPECT_THAT(missing_folder.Error(), ::testing::HasSubstr("no/such/file.txt"));
  UAtomicFile folder(dir.path().string());
  EXPECT_FALSE(folder.Begin());
  UAtomicFile never_begun(path);
  EXPECT_FALSE(never_begun.Commit());

  // A device is written in place; a full one fails at the commit instead of passing as written.
  EXPECT_FALSE(WriteText("/dev/full", std::string(100000, 'x')));
  EXPECT_TRUE(WriteText("/dev/null", "gone"));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(AtomicFileTest, ThreadsSavingOnePathNeverMixTheirFiles) {
  TempDir dir;
  const std::string path = dir.File("shared.txt");
  constexpr int kThreads = 6;
  constexpr int kSaves = 20;
  std::vector<std::thread> threads;
  std::vector<int> failures(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const std::string text(4096 + t, static_cast<char>('a' + t));
      for (int i = 0; i < kSaves; ++i) {
        failures[static_cast<size_t>(t)] += WriteText(path, text) ? 0 : 1;
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_THAT(failures, ::testing::Each(0));
  const std::string text = ReadText(path);
  ASSERT_GE(text.size(), 4096u);
  EXPECT_EQ(text, std::string(text.size(), static_cast<char>('a' + (text.size() - 4096))));
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}
