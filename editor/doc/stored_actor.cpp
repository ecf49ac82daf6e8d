#include "editor/doc/stored_actor.h"

#include "core/foundation/archive_memory.h"

std::unique_ptr<UObjActor> ReadStoredActor(const std::vector<unsigned char>& stored) {
  auto actor = std::make_unique<UObjActor>();
  actor->Init();
  UArchiveMemory ar(stored.data(), stored.size());
  ar >> *actor;
  ar.Close();
  if (ar.IsFailed()) {
    return nullptr;
  }
  return actor;
}

std::vector<unsigned char> EncodeActor(const UObjActor& actor) {
  UArchiveMemory ar;
  ar << actor;
  ar.Close();
  return ar.GetBuffer();
}
