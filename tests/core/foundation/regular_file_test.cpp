#include "core/foundation/regular_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

// 0 when the file opens, else errno.
int OpenError(const char* path) {
  std::FILE* file = OpenRegularFileForReading(path);
  if (file == nullptr) {
    return errno;
  }
  std::fclose(file);
  return 0;
}

}  // namespace

TEST(RegularFileTest, OnlyRegularFilesAreReadWholeUpToTheLimitAndNothingWaits) {
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
  // One byte over the limit is refused, and `bytes` keeps what it held.
  EXPECT_FALSE(ReadRegularFile(path.c_str(), content.size() - 1, bytes));
  EXPECT_EQ(bytes, content);

  EXPECT_EQ(OpenError(path.c_str()), 0);
  EXPECT_EQ(OpenError(dir.File("missing.bin").c_str()), ENOENT);
  EXPECT_EQ(OpenError(dir.path().c_str()), EISDIR);
  EXPECT_EQ(OpenError("/dev/zero"), EINVAL);
  EXPECT_FALSE(ReadRegularFile("/dev/zero", 1024, bytes));
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("opened"),
                                [&] { return OpenError(dir.File("opened").c_str()) == 0; }));
  EXPECT_TRUE(RefusesFifoAtOnce(
      dir.File("read"), [&] { return ReadRegularFile(dir.File("read").c_str(), 1024, bytes); }));
}
