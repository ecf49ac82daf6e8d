#include "core/foundation/atomic_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
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

// Takes the lowest free descriptor number, so that descriptors opened later get higher ones;
// Exhaust() then lowers the limit to it, and the process can open no more descriptors while those
// it holds stay usable. The limit comes back when the object goes.
class DescriptorLimit {
 public:
  DescriptorLimit() : taken_(::open("/dev/null", O_RDONLY)) {
    ::getrlimit(RLIMIT_NOFILE, &previous_);
  }
  DescriptorLimit(const DescriptorLimit&) = delete;
  DescriptorLimit& operator=(const DescriptorLimit&) = delete;
  ~DescriptorLimit() {
    ::setrlimit(RLIMIT_NOFILE, &previous_);
    ::close(taken_);
  }

  void Exhaust() {
    const rlimit limited{static_cast<rlim_t>(taken_ + 1), previous_.rlim_max};
    ::setrlimit(RLIMIT_NOFILE, &limited);
  }

 private:
  int taken_;
  rlimit previous_{};
};

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

TEST(AtomicFileTest, OwnDescriptorsAreWrittenWhereTheyStand) {
  TempDir dir;
  const std::string log = dir.File("build.log");
  WriteFileBytes(log, {'l', 'o', 'g', '\n'});
  const int appending = ::open(log.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(appending, 0);
  for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    EXPECT_TRUE(WriteText(prefix + std::to_string(appending), prefix)) << prefix;
  }
  ::close(appending);
  EXPECT_EQ(ReadText(log), "log\n/dev/fd//proc/self/fd/");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);

  int ends[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
  EXPECT_TRUE(WriteText("/dev/fd/" + std::to_string(ends[0]), "over a socket"));
  char got[32] = {};
  EXPECT_EQ(::recv(ends[1], got, sizeof(got), MSG_DONTWAIT), 13);
  EXPECT_STREQ(got, "over a socket");
  ::close(ends[0]);
  ::close(ends[1]);
}

TEST(AtomicFileTest, EachStateOfTheWriterEndsAsItSays) {
  TempDir dir;
  {  // A Begin after one that failed on a FIFO without a reader starts afresh.
    const std::string path = dir.File("was-a-fifo.txt");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    UAtomicFile file(path);
    EXPECT_FALSE(file.Begin());
    ::unlink(path.c_str());
    ASSERT_TRUE(file.Begin());
    std::fputs("second try", file.Stream());
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadText(path), "second try");
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
  }
  {  // A read-only file takes its mode only once written, so writers that open the path work.
    const std::string path = dir.File("read-only.txt");
    ASSERT_TRUE(WriteText(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    UAtomicFile file(path);
    ASSERT_TRUE(file.Begin());
    EXPECT_NE(
        std::filesystem::status(file.Path()).permissions() & std::filesystem::perms::owner_write,
        std::filesystem::perms::none);
    {
      UArchiveAnsi ar(file.Path().c_str(), ArWrite);
      ar.Write("new", 3);
    }
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::group_read |
                                                               std::filesystem::perms::others_read);
  }
  {  // A name as long as a file name may be still leaves room for the temporary one.
    const std::string path = dir.File(std::string(NAME_MAX, 'n'));
    EXPECT_TRUE(WriteText(path, "long"));
    EXPECT_EQ(ReadText(path), "long");
  }
  {  // A link to a file not made yet makes that file and stays a link.
    const std::string link = dir.File("dangling");
    std::filesystem::create_symlink("made-through-link.txt", link);
    ASSERT_TRUE(WriteText(link, "made"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadText(dir.File("made-through-link.txt")), "made");
  }
  {  // Once renamed the target is replaced, even when no descriptor is left to sync the folder.
    DescriptorLimit limit;
    UAtomicFile file(dir.File("replaced.txt"));
    ASSERT_TRUE(file.Begin());
    std::fputs("renamed", file.Stream());
    limit.Exhaust();
    EXPECT_TRUE(file.Commit()) << file.Error();
  }
  EXPECT_EQ(ReadText(dir.File("replaced.txt")), "renamed");
}
