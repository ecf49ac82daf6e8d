#include "core/foundation/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <string_view>

#include "core/foundation/regular_file.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The descriptor that `path` names when it is one of this process's own, or -1. Opening such a
// name again would reach its file anew, from the start and without the descriptor's append mode,
// and cannot reach a socket at all.
int OwnDescriptorNamed(const std::string& path) {
  if (path == "/dev/stdout") {
    return STDOUT_FILENO;
  }
  if (path == "/dev/stderr") {
    return STDERR_FILENO;
  }
  for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(prefix)) {
      continue;
    }
    const char* digits = path.c_str() + prefix.size();
    const char* end = path.c_str() + path.size();
    int fd = -1;
    const auto [stop, error] = std::from_chars(digits, end, fd);
    return digits != end && *digits != '-' && error == std::errc() && stop == end ? fd : -1;
  }
  return -1;
}

// The file `path` leads to through symbolic links: `path` itself when it is no link. A link to a
// file that does not exist yet leads to that file's name, so that writing creates the file
// instead of replacing the link. False, with errno set, for a chain of links without an end.
bool FollowLinks(std::string path, std::string& file) {
  constexpr int kMostLinks = 40;  // as the kernel allows when it resolves a path
  for (int link = 0; link < kMostLinks; ++link) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof(target));
    if (length < 0 || static_cast<size_t>(length) == sizeof(target)) {
      // Not a link, or nothing there yet; a name too long for a link is used as it is.
      file = path;
      return true;
    }
    const std::string next(target, static_cast<size_t>(length));
    path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
  }
  errno = ELOOP;
  return false;
}

// Unique among the writers of this process by the counter, and among processes by the process
// id; O_EXCL catches a stale file left by a process that died long ago with the same id. The
// target's own name is cut so that the temporary one stays within NAME_MAX bytes.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const std::string suffix =
      ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
  const size_t slash = path.rfind('/');
  const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  const size_t nameLength = std::min(path.size() - nameAt, NAME_MAX - suffix.size());
  return path.substr(0, nameAt + nameLength) + suffix;
}

// Makes a finished rename survive a crash, as far as the folder can be synced: some file systems
// cannot sync a folder, and a folder this process may not read cannot be opened to sync it. The
// rename itself is done either way.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

UAtomicFile::UAtomicFile(std::string target) : m_Target(std::move(target)) {}

UAtomicFile::~UAtomicFile() {
  if (!m_Committed) {
    Discard();
  }
}

bool UAtomicFile::Fail(const std::string& what) {
  m_Error = what + " '" + m_Target + "': " + std::strerror(errno);
  return false;
}

bool UAtomicFile::Begin() {
  if (m_Fd >= 0 || m_Committed) {
    errno = EALREADY;
    return Fail("cannot write twice to");
  }
  // Nothing of a Begin that failed before carries over.
  m_Direct = false;
  m_Mode = 0;
  m_WritePath.clear();
  const int own = OwnDescriptorNamed(m_Target);
  if (own >= 0) {
    return BeginDirect(own);
  }
  if (!FollowLinks(m_Target, m_Replaced)) {
    return Fail("cannot write");
  }
  struct stat info {};
  if (::stat(m_Replaced.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      errno = EISDIR;
      return Fail("cannot write");
    }
    if (!S_ISREG(info.st_mode)) {
      return BeginDirect(-1);
    }
    m_Mode = info.st_mode;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    m_WritePath = TemporaryNameFor(m_Replaced);
    m_Fd = ::open(m_WritePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_Fd >= 0 || errno != EEXIST) {
      break;
    }
  }
  if (m_Fd < 0) {
    m_WritePath.clear();
    return Fail("cannot write beside");
  }
  return true;
}

bool UAtomicFile::BeginDirect(int fd) {
  // A device or FIFO is opened without waiting for a FIFO's reader; a descriptor of this process
  // is shared, so the writes go where it stands.
  m_Direct = true;
  m_WritePath = m_Target;
  m_Fd = fd >= 0 ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : OpenWithoutWaiting(m_Target.c_str(), O_WRONLY);
  return m_Fd >= 0 || Fail("cannot write");
}

std::FILE* UAtomicFile::Stream() {
  if (m_Stream == nullptr && m_Fd >= 0) {
    // The stream shares the descriptor, which Commit syncs.
    const int fd = ::dup(m_Fd);
    m_Stream = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (m_Stream == nullptr && fd >= 0) {
      ::close(fd);
    }
  }
  return m_Stream;
}

bool UAtomicFile::Commit() {
  if (m_Fd < 0 || m_Committed) {
    errno = EBADF;
    return Fail("nothing was begun for");
  }
  // Every result counts: a full disk shows first at the flush, the sync or the close.
  if (m_Stream != nullptr) {
    const bool flushed = std::fflush(m_Stream) == 0 && std::ferror(m_Stream) == 0;
    const bool closed = std::fclose(m_Stream) == 0;
    m_Stream = nullptr;
    if (!flushed || !closed) {
      const bool failed = Fail("cannot write");
      Discard();
      return failed;
    }
  }
  if (m_Direct) {
    // Devices such as /dev/null cannot be synced, and need not be.
    const bool closed = ::close(m_Fd) == 0;
    m_Fd = -1;
    m_Committed = closed;
    return closed || Fail("cannot write");
  }
  // The old file's permissions go on only now: a read-only mode put on earlier would refuse the
  // writers that open Path() themselves.
  if (m_Mode != 0 && ::fchmod(m_Fd, m_Mode & 07777) != 0) {
    const bool failed = Fail("cannot keep the permissions of");
    Discard();
    return failed;
  }
  if (::fsync(m_Fd) != 0) {
    const bool failed = Fail("cannot write");
    Discard();
    return failed;
  }
  const bool closed = ::close(m_Fd) == 0;
  m_Fd = -1;
  if (!closed || std::rename(m_WritePath.c_str(), m_Replaced.c_str()) != 0) {
    const bool failed = Fail("cannot replace");
    Discard();
    return failed;
  }
  m_Committed = true;
  SyncFolder(FolderOf(m_Replaced));
  return true;
}

void UAtomicFile::Discard() {
  if (m_Stream != nullptr) {
    std::fclose(m_Stream);
    m_Stream = nullptr;
  }
  if (m_Fd >= 0) {
    ::close(m_Fd);
    m_Fd = -1;
  }
  if (!m_Direct && !m_WritePath.empty()) {
    ::unlink(m_WritePath.c_str());
  }
  m_WritePath.clear();
}
