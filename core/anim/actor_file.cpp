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

bool SaveActorFile(const char* path, const UObjActor& actor) {
  if (path == nullptr) {
    return false;
  }
  UAtomicFile file(path);
  if (!file.Begin()) {
    return false;
  }
  UArchiveAnsi ar;
  if (ar.Open(file.Path().c_str(), ArWrite) == 0) {
    return false;
  }
  ar << actor;
  ar.Close();  // flushes; a failed flush fails the archive
  return !ar.IsFailed() && file.Commit();
}
