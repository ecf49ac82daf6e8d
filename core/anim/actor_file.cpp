#include "core/anim/actor_file.h"

#include "core/foundation/archive_ansi.h"
#include "core/foundation/atomic_file.h"

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

namespace {

bool Fail(std::string* error, const std::string& reason) {
  if (error != nullptr) {
    *error = reason;
  }
  return false;
}

}  // namespace

bool SaveActorFile(const char* path, const UObjActor& actor, std::string* error) {
  if (path == nullptr) {
    return Fail(error, "no file name");
  }
  UAtomicFile file(path);
  if (!file.Begin()) {
    return Fail(error, file.Error());
  }
  UArchiveAnsi ar;
  if (ar.Open(file.Path().c_str(), ArWrite) == 0) {
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
