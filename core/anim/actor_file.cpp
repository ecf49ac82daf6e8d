#include "core/anim/actor_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "core/foundation/archive_ansi.h"

namespace {

// A name beside the target that no other save in flight uses: the process id and a counter.
std::string TemporaryPathFor(const char* path) {
  static std::atomic<unsigned> counter{0};
  return std::string(path) + ".tmp-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1));
}

// Pushes the file's content to the disk, so that the rename never exposes a file whose blocks
// are not there yet.
bool SyncFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

}  // namespace

bool LoadActorFile(const char* path, UObjActor& actor) {
  actor.Init();
  UArchiveAnsi ar;
  if (ar.Open(path, ArRead) == 0) {
    return false;
  }
  ar >> actor;
  ar.Close();
  return !ar.IsFailed();
}

bool SaveActorFile(const char* path, const UObjActor& actor) {
  if (path == nullptr) {
    return false;
  }
  const std::string temporary = TemporaryPathFor(path);
  UArchiveAnsi ar;
  if (ar.Open(temporary.c_str(), ArWrite) == 0) {
    return false;
  }
  ar << actor;
  ar.Close();  // flushes; a failed flush fails the archive
  if (ar.IsFailed() || !SyncFile(temporary) || std::rename(temporary.c_str(), path) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
