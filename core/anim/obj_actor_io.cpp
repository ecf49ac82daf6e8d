#include <memory>

#include "core/anim/obj_actor.h"
#include "core/foundation/stored_count.h"

namespace {

// Reads a count and that many records of a kind the actor owns, appending each one only once it
// was read completely.
template <typename T>
bool ReadOwned(UArchive& ar, UArray<T*>& list, int min_record_size) {
  int32_t count = 0;
  if (!ReadStoredCount(ar, count, min_record_size)) {
    return false;
  }
  ReserveStored(ar, list, count);
  for (int32_t i = 0; i < count; ++i) {
    auto object = std::make_unique<T>();
    ar >> *object;
    if (ar.IsFailed()) {
      return false;
    }
    list.push_back(object.release());
  }
  return true;
}

bool ReadTextures(UArchive& ar, UArray<TTextureInfo>& textures) {
  int32_t count = 0;
  if (!ReadStoredCount(ar, count, kStoredTextureSize)) {
    return false;
  }
  ReserveStored(ar, textures, count);
  for (int32_t i = 0; i < count; ++i) {
    TTextureInfo info;
    ar >> info;
    if (ar.IsFailed()) {
      return false;
    }
    textures.push_back(info);
  }
  return true;
}

template <typename T>
void WriteOwned(UArchive& ar, const UArray<T*>& list) {
  ar << list.Num();
  for (const T* object : list) {
    ar << *object;
  }
}

}  // namespace

UArchive& operator<<(UArchive& ar, const TTextureInfo& info) {
  ar.Write(info.name, TTextureInfo::kNameSize);
  return ar << static_cast<uint16_t>(info.width) << static_cast<uint16_t>(info.height);
}

UArchive& operator>>(UArchive& ar, TTextureInfo& info) {
  ar.Read(info.name, TTextureInfo::kNameSize);
  // A damaged name is cut so the text stays terminated.
  info.name[TTextureInfo::kNameSize - 1] = '\0';
  uint16_t width = 0;
  uint16_t height = 0;
  ar >> width >> height;
  info.width = width;
  info.height = height;
  return ar;
}

UArchive& operator<<(UArchive& ar, const UObjActor& actor) {
  ar << actor.name;
  ar << actor.textures.Num();
  for (const TTextureInfo& info : actor.textures) {
    ar << info;
  }
  WriteOwned(ar, actor.modules);
  WriteOwned(ar, actor.frames);
  WriteOwned(ar, actor.actions);
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjActor& actor) {
  ar >> actor.name;
  actor.textures.clear();
  // Each step stops at the first failure, so nothing after a damaged record is taken.
  if (!ar.IsFailed() && ReadTextures(ar, actor.textures) &&
      ReadOwned(ar, actor.modules, kStoredModuleSize) &&
      ReadOwned(ar, actor.frames, kMinStoredFrameSize)) {
    ReadOwned(ar, actor.actions, kMinStoredActionSize);
  }
  actor.SetIntroploate();
  return ar;
}
