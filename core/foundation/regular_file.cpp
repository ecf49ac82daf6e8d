#include "core/foundation/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <utility>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int OpenWithoutWaiting(const char* path, int flags, unsigned mode) {
  if (path == nullptr) {
    errno = EINVAL;
    return -1;
  }
  const int fd = ::open(path, flags | O_NONBLOCK | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) {
    return -1;
  }
  if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

std::FILE* OpenRegularFileForReading(const char* path) {
  // A FIFO opens at once and is refused by its type right after. A terminal is never made the
  // controlling one.
  const int fd = OpenWithoutWaiting(path, O_RDONLY | O_NOCTTY);
  if (fd < 0) {
    return nullptr;
  }
  struct stat info {};
  int error = 0;
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  }
  std::FILE* file = error == 0 ? ::fdopen(fd, "rb") : nullptr;
  if (file == nullptr) {
    error = error == 0 ? errno : error;
    ::close(fd);
    errno = error;
  }
  return file;
}

bool ReadRegularFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes) {
  const std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileForReading(path));
  struct stat info {};
  if (file == nullptr || ::fstat(::fileno(file.get()), &info) != 0 || info.st_size < 0) {
    return false;
  }
  if (static_cast<uint64_t>(info.st_size) > maxBytes) {
    return false;
  }
  // The file may change while it is read, so it is read to its end, whatever its size was; the
  // byte past the expected ones shows a file that grew.
  const size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
  std::vector<unsigned char> content(std::min(static_cast<size_t>(info.st_size) + 1, limit));
  size_t have = 0;
  for (;;) {
    have += std::fread(content.data() + have, 1, content.size() - have, file.get());
    if (have < content.size()) {
      break;
    }
    if (content.size() == limit) {
      return false;
    }
    content.resize(std::min(content.size() * 2, limit));
  }
  if (std::ferror(file.get()) != 0) {
    return false;
  }
  content.resize(have);
  bytes = std::move(content);
  return true;
}
