#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/foundation/file_manager.h"
#include "tests/support/temp_dir.h"

TEST(UFileManagerAnsiTest, DirectoriesReportWhatHappened) {
  TempDir dir;
  UFileManagerAnsi files;
  const std::string sub = dir.File("sub");
  EXPECT_TRUE(files.MakeDirectory(sub.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(sub));
  EXPECT_FALSE(files.MakeDirectory(sub.c_str()));
  EXPECT_TRUE(files.DeleteDirectory(sub.c_str()));
  EXPECT_FALSE(std::filesystem::exists(sub));
  EXPECT_FALSE(files.DeleteDirectory(sub.c_str()));
  EXPECT_FALSE(files.MakeDirectory(nullptr));
}

TEST(UFileManagerAnsiTest, DefaultDirectoryIsTheCurrentOne) {
  TempDir dir;
  const auto previous = std::filesystem::current_path();
  UFileManagerAnsi files;
  ASSERT_TRUE(files.SetDefDirectory(dir.path().c_str()));
  EXPECT_EQ(std::filesystem::canonical(files.GetDefDirectory()),
            std::filesystem::canonical(dir.path()));
  EXPECT_FALSE(files.SetDefDirectory(dir.File("missing").c_str()));
  std::filesystem::current_path(previous);
}

TEST(UFileManagerAnsiTest, FilesAreCreatedMeasuredAndDeleted) {
  TempDir dir;
  UFileManagerAnsi files;
  const std::string path = dir.File("data.bin");
  {
    std::unique_ptr<UArchive> ar(files.CreateFileA(path.c_str(), ArWrite));
    ASSERT_NE(ar, nullptr);
    *ar << 1 << 2 << 3;
  }
  EXPECT_EQ(files.FileSize(path.c_str()), 12);
  {
    std::unique_ptr<UArchive> ar(files.CreateFileA(path.c_str(), ArRead));
    ASSERT_NE(ar, nullptr);
    EXPECT_EQ(ar->TotalSize(), 12);
  }
  EXPECT_EQ(files.CreateFileA(dir.File("missing.bin").c_str(), ArRead), nullptr);
  EXPECT_EQ(files.FileSize(dir.File("missing.bin").c_str()), -1);
  EXPECT_EQ(files.FileSize(dir.path().c_str()), -1);
  EXPECT_TRUE(files.DeleteFileA(path.c_str()));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(files.DeleteFileA(path.c_str()));
}
