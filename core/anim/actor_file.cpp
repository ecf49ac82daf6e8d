#include "core/anim/actor_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/anim/record_codec.h"
#include "core/foundation/archive_ansi.h"
#include "core/foundation/atomic_file.h"
#include "core/foundation/regular_file.h"

namespace {

bool Fail(std::string* error, const std::string& reason) {
  if (error != nullptr) {
    *error = reason;
  }
  return false;
}

// Why the regular file at `path` cannot be opened for reading, from errno as
// OpenRegularFileForReading leaves it.
std::string CannotOpen(const std::string& path) {
  const char* reason = errno == EINVAL ? "not a regular file" : std::strerror(errno);
  return "cannot open '" + path + "': " + reason;
}

}  // namespace

bool LoadActorFile(const char* path, UObjActor& actor, std::string* error) {
  actor.Init();
  if (path == nullptr) {
    return Fail(error, "no file name");
  }
  UArchiveAnsi ar;
  if (ar.Open(path, ArRead) == 0) {
    return Fail(error, CannotOpen(path));
  }
  const char* refusedCount = nullptr;
  {
    StoredReader in(ar);
    ReadActor(in, actor);
    refusedCount = in.RefusedCount();
  }
  actor.SetIntroploate();
  ar.Close();
  if (!ar.IsFailed()) {
    return true;
  }
  const std::string damaged = "'" + std::string(path) + "' is damaged: ";
  if (refusedCount != nullptr) {
    return Fail(error, damaged + "its " + refusedCount + " count is more than the file can hold");
  }
  return Fail(error, damaged + "it ends early");
}

bool SaveActorFile(const char* path, const UObjActor& actor, std::string* error) {
  if (path == nullptr) {
    return Fail(error, "no file name");
  }
  UAtomicFile file(path);
  if (!file.Begin()) {
    return Fail(error, file.Error());
  }
  // Through the writer's own stream, which also writes a descriptor such as /dev/stdout in place.
  UArchiveAnsi ar;
  if (ar.OpenStream(file.Stream()) == 0) {
    return Fail(error, "cannot open " + file.Path() + " for writing");
  }
  ar << actor;
  ar.Close();  // flushes; a failed flush fails the archive
  if (ar.IsFailed()) {
    return Fail(error, "writing " + file.Path() + " failed");
  }
  if (!file.Commit()) {
    return Fail(error, file.Error());
  }
  return true;
}
