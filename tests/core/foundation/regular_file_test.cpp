#include "core/foundation/regular_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Whether the file opens, and errno when it does not.
int OpenError(const char* path) {
  std::FILE* file = OpenRegularFileForReading(path);
  if (file == nullptr) {
    return errno;
  }
  std::fclose(file);
  return 0;
}

}  // namespace

TEST(RegularFileTest, OnlyRegularFilesOpenAndNothingWaits) {
  TempDir dir;
  const std::string path = dir.File("plain.bin");
  WriteFileBytes(path, Bytes{1, 2, 3});
  std::filesystem::create_symlink(path, dir.File("link.bin"));
  EXPECT_EQ(OpenError(path.c_str()), 0);
  EXPECT_EQ(OpenError(dir.File("link.bin").c_str()), 0);
  EXPECT_EQ(OpenError(dir.File("missing.bin").c_str()), ENOENT);
  EXPECT_EQ(OpenError(dir.path().c_str()), EISDIR);
  EXPECT_EQ(OpenError("/dev/zero"), EINVAL);
  EXPECT_EQ(OpenError(nullptr), EINVAL);

  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("opened"),
                                [&] { return OpenError(dir.File("opened").c_str()) == 0; }));
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("read"), [&] {
    Bytes bytes;
    return ReadRegularFile(dir.File("read").c_str(), 1024, bytes);
  }));
  Bytes untouched{9};
  EXPECT_FALSE(ReadRegularFile("/dev/zero", 1024, untouched));
  EXPECT_EQ(untouched, Bytes{9});
}

TEST(RegularFileTest, ReadsWholeFilesUpToTheLimit) {
  TempDir dir;
  const std::string path = dir.File("large.bin");
  Bytes content(300000);
  for (size_t i = 0; i < content.size(); ++i) {
    content[i] = static_cast<unsigned char>(i * 7 + i / 251);
  }
  WriteFileBytes(path, content);
  Bytes bytes{1};
  ASSERT_TRUE(ReadRegularFile(path.c_str(), content.size(), bytes));
  EXPECT_EQ(bytes, content);

  // One byte over the limit is refused before anything is read, and `bytes` keeps what it held.
  EXPECT_FALSE(ReadRegularFile(path.c_str(), content.size() - 1, bytes));
  EXPECT_EQ(bytes, content);

  WriteFileBytes(path, {});
  EXPECT_TRUE(ReadRegularFile(path.c_str(), 0, bytes));
  EXPECT_TRUE(bytes.empty());
}
