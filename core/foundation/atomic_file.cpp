#include "core/foundation/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/foundation/regular_file.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Unique among the writers of this process by the counter, and among processes by the process
// id; O_EXCL catches a stale file left by a process that died long ago with the same id.
std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

// Makes a finished rename survive a crash. Some file systems cannot sync a folder (EINVAL);
// there the rename is as durable as they make it.
bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
  return ::close(fd) == 0 && synced;
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
  m_Replaced = m_Target;
  struct stat info {};
  if (::stat(m_Target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      errno = EISDIR;
      return Fail("cannot write");
    }
    if (!S_ISREG(info.st_mode)) {
      // A device or FIFO: written in place, without waiting for a FIFO's reader.
      m_Direct = true;
      m_WritePath = m_Target;
      m_Fd = OpenWithoutWaiting(m_Target.c_str(), O_WRONLY);
      return m_Fd >= 0 || Fail("cannot write");
    }
    char resolved[PATH_MAX];
    if (::realpath(m_Target.c_str(), resolved) != nullptr) {
      m_Replaced = resolved;
    }
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
  if (info.st_mode != 0 && ::fchmod(m_Fd, info.st_mode & 07777) != 0) {
    const bool failed = Fail("cannot keep the permissions of");
    Discard();
    return failed;
  }
  return true;
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
  return SyncFolder(FolderOf(m_Replaced)) || Fail("cannot sync the folder of");
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
