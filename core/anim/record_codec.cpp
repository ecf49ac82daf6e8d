#include "core/anim/record_codec.h"

#include <cstring>
#include <memory>

#include "core/foundation/logger.h"
#include "core/foundation/stored_count.h"

namespace {

void DecodeName(const unsigned char* bytes, UName& name) {
  char* text = name.GetString();
  std::memcpy(text, bytes, UName::kBufferSize);
  // A stored name always ends in a zero byte; a damaged one is cut so the text stays terminated.
  text[UName::kBufferSize - 1] = '\0';
  name.SetCachedId(name.GetGUID());
}

// Appends `count` records to `list`, decoding each in its place; the list keeps the records read
// completely. The list grows once when the stream's size has bounded the count, else one by one.
template <auto read, typename T>
bool ReadRecords(StoredReader& in, UArray<T>& list, int32_t count) {
  const size_t first = list.size();
  if (in.RemainingBytes() < 0) {
    for (int32_t i = 0; i < count; ++i) {
      T record;
      if (!read(in, record)) {
        return false;
      }
      list.push_back(record);
    }
    return true;
  }
  list.resize(first + static_cast<size_t>(count));
  for (size_t i = first; i < list.size(); ++i) {
    if (!read(in, list[i])) {
      list.resize(i);
      return false;
    }
  }
  return true;
}

// Reads a count and that many records the actor owns, appending each once read completely.
template <typename T>
bool ReadOwned(StoredReader& in, UArray<T*>& list, int min_record_size, const char* what,
               bool (*read)(StoredReader&, T&)) {
  int32_t count = 0;
  if (!in.TakeCount(count, min_record_size, what)) {
    return false;
  }
  ReserveStored(in, list, count);
  for (int32_t i = 0; i < count; ++i) {
    auto object = std::make_unique<T>();
    if (!read(in, *object)) {
      return false;
    }
    list.push_back(object.release());
  }
  return true;
}

template <typename T>
void WriteOwned(StoredWriter& out, const UArray<T*>& list, void (*write)(StoredWriter&, const T&)) {
  StoreI32(out.Put(4), list.Num());
  for (const T* object : list) {
    write(out, *object);
  }
}

// The optional values of a placement follow its fixed part in this order, each present when its
// enable bit is set.
int OptionalValueCount(const WObjAffine& affine) {
  return static_cast<int>((affine.ScaleXEnable & 1) + (affine.ScaleYEnable & 1) +
                          (affine.RotateAngleEnable & 1) + (affine.AlphaBlendEnable & 1));
}

}  // namespace

bool ReadName(StoredReader& in, UName& name) {
  const unsigned char* bytes = in.Take(UName::kBufferSize);
  if (bytes == nullptr) {
    return false;
  }
  DecodeName(bytes, name);
  return true;
}

bool ReadTexture(StoredReader& in, TTextureInfo& info) {
  const unsigned char* bytes = in.Take(kStoredTextureSize);
  if (bytes == nullptr) {
    return false;
  }
  std::memcpy(info.name, bytes, TTextureInfo::kNameSize);
  // A damaged name is cut so the text stays terminated.
  info.name[TTextureInfo::kNameSize - 1] = '\0';
  info.width = LoadU16(bytes + 32);
  info.height = LoadU16(bytes + 34);
  return true;
}

bool ReadModule(StoredReader& in, UObjModule& module) {
  const unsigned char* bytes = in.Take(kStoredModuleSize);
  if (bytes == nullptr) {
    return false;
  }
  module.texture = LoadU16(bytes);
  module.Attribute = LoadU16(bytes + 2);
  module.left = LoadU16(bytes + 4);
  module.top = LoadU16(bytes + 6);
  module.right = LoadU16(bytes + 8);
  module.bottom = LoadU16(bytes + 10);
  return true;
}

bool ReadTag(StoredReader& in, TFrameTag& tag) {
  // 4 bytes carrying nothing, the name, its hash and 2 bytes of padding (both recomputed), then
  // the two parameters and the area.
  const unsigned char* bytes = in.Take(kStoredTagSize);
  if (bytes == nullptr) {
    return false;
  }
  DecodeName(bytes + 4, tag.name);
  tag.Param1 = LoadI32(bytes + 40);
  tag.Param2 = LoadI32(bytes + 44);
  tag.x = LoadI16(bytes + 48);
  tag.y = LoadI16(bytes + 50);
  tag.width = LoadI16(bytes + 52);
  tag.height = LoadI16(bytes + 54);
  return true;
}

bool ReadPlacement(StoredReader& in, TObjFrame& placement) {
  const unsigned char* bytes = in.Take(kMinStoredPlacementSize);
  if (bytes == nullptr) {
    return false;
  }
  placement.module = LoadU16(bytes);
  placement.x = LoadI16(bytes + 2);
  placement.y = LoadI16(bytes + 4);
  placement.affine = WObjAffine::Unpack(LoadU16(bytes + 6));
  const WObjAffine& affine = placement.affine;
  // Values not stored read as their neutral ones; they matter only once enabled.
  placement.ScaleX = 1.0f;
  placement.ScaleY = 1.0f;
  placement.RotateAngle = 0.0f;
  placement.AlphaValue = 1;
  const int optional = OptionalValueCount(affine);
  if (optional == 0) {
    return true;
  }
  const unsigned char* value = in.Take(4 * optional);
  if (value == nullptr) {
    return false;
  }
  if (affine.ScaleXEnable != 0) {
    placement.ScaleX = LoadF32(value);
    value += 4;
  }
  if (affine.ScaleYEnable != 0) {
    placement.ScaleY = LoadF32(value);
    value += 4;
  }
  if (affine.RotateAngleEnable != 0) {
    placement.RotateAngle = LoadF32(value);
    value += 4;
  }
  if (affine.AlphaBlendEnable != 0) {
    placement.AlphaValue = LoadU32(value);
  }
  return true;
}

bool ReadFrame(StoredReader& in, UObjFrame& frame) {
  // Name, origin, collision box and the tag count in one piece.
  const unsigned char* head = in.Take(UName::kBufferSize + 4 + 16);
  if (head == nullptr) {
    return false;
  }
  DecodeName(head, frame.name);
  frame.origin = UPoint16(LoadI16(head + 32), LoadI16(head + 34));
  frame.collision =
      URect(LoadI32(head + 36), LoadI32(head + 40), LoadI32(head + 44), LoadI32(head + 48));
  int32_t tag_count = 0;
  if (!in.TakeCount(tag_count, kStoredTagSize, "tag") ||
      !ReadRecords<&ReadTag>(in, frame.tags, tag_count)) {
    return false;
  }

  // Three reserved words, then the placements.
  int32_t placement_count = 0;
  if (in.Take(12) == nullptr ||
      !in.TakeCount(placement_count, kMinStoredPlacementSize, "placement")) {
    return false;
  }
  const size_t before = frame.placements.size();
  if (!ReadRecords<&ReadPlacement>(in, frame.placements, placement_count)) {
    Debugger.Log("            error Read filepos %d \n", in.Archive().GetPos());
    Debugger.Log("            info  tobj size %d \n", placement_count);
    Debugger.Log("            info  tobj i\t  %d \n",
                 static_cast<int>(frame.placements.size() - before));
    return false;
  }
  return true;
}

bool ReadKey(StoredReader& in, TActionFrame& key) {
  const unsigned char* bytes = in.Take(kStoredKeySize);
  if (bytes == nullptr) {
    Debugger.Log("error reading Action Frame Time %d \n", static_cast<int>(key.time));
    return false;
  }
  key.time = LoadU32(bytes);
  key.frame = LoadU32(bytes + 4);
  // Blend bits are derived data, recomputed from the frames once the document is read.
  key.flags = 0;
  key.reserved = 0;
  return true;
}

bool ReadAction(StoredReader& in, UObjAction& action) {
  action.keys.clear();
  int32_t key_count = 0;
  const bool read = [&] {
    const unsigned char* head = in.Take(UName::kBufferSize + 4);
    if (head == nullptr) {
      return false;
    }
    DecodeName(head, action.name);
    action.speed = LoadI32(head + 32);
    return in.TakeCount(key_count, kStoredKeySize, "key") &&
           ReadRecords<&ReadKey>(in, action.keys, key_count);
  }();
  if (!read) {
    Debugger.Log("error reading Action %s\n", action.name.GetString());
  }
  return read;
}

bool ReadActor(StoredReader& in, UObjActor& actor) {
  actor.textures.clear();
  if (!ReadName(in, actor.name)) {
    return false;
  }
  int32_t texture_count = 0;
  if (!in.TakeCount(texture_count, kStoredTextureSize, "texture")) {
    return false;
  }
  if (!ReadRecords<&ReadTexture>(in, actor.textures, texture_count)) {
    return false;
  }
  // Each step stops at the first failure, so nothing after a damaged record is taken.
  return ReadOwned(in, actor.modules, kStoredModuleSize, "module", &ReadModule) &&
         ReadOwned(in, actor.frames, kMinStoredFrameSize, "frame", &ReadFrame) &&
         ReadOwned(in, actor.actions, kMinStoredActionSize, "action", &ReadAction);
}

void WriteName(StoredWriter& out, const UName& name) {
  std::memcpy(out.Put(UName::kBufferSize), name.GetString(), UName::kBufferSize);
}

void WriteTexture(StoredWriter& out, const TTextureInfo& info) {
  unsigned char* bytes = out.Put(kStoredTextureSize);
  std::memcpy(bytes, info.name, TTextureInfo::kNameSize);
  StoreU16(bytes + 32, static_cast<uint16_t>(info.width));
  StoreU16(bytes + 34, static_cast<uint16_t>(info.height));
}

void WriteModule(StoredWriter& out, const UObjModule& module) {
  unsigned char* bytes = out.Put(kStoredModuleSize);
  StoreU16(bytes, module.texture);
  StoreU16(bytes + 2, module.Attribute);
  StoreU16(bytes + 4, module.left);
  StoreU16(bytes + 6, module.top);
  StoreU16(bytes + 8, module.right);
  StoreU16(bytes + 10, module.bottom);
}

void WriteTag(StoredWriter& out, const TFrameTag& tag) {
  // The first four bytes and the padding carry nothing; the hash is the name's current one.
  unsigned char* bytes = out.Put(kStoredTagSize);
  StoreI32(bytes, 0);
  std::memcpy(bytes + 4, tag.name.GetString(), UName::kBufferSize);
  StoreU16(bytes + 36, tag.name.GetGUID());
  StoreU16(bytes + 38, 0);
  StoreI32(bytes + 40, tag.Param1);
  StoreI32(bytes + 44, tag.Param2);
  StoreI16(bytes + 48, tag.x);
  StoreI16(bytes + 50, tag.y);
  StoreI16(bytes + 52, tag.width);
  StoreI16(bytes + 54, tag.height);
}

void WritePlacement(StoredWriter& out, const TObjFrame& placement) {
  const WObjAffine& affine = placement.affine;
  unsigned char* bytes = out.Put(kMinStoredPlacementSize + 4 * OptionalValueCount(affine));
  StoreU16(bytes, placement.module);
  StoreI16(bytes + 2, placement.x);
  StoreI16(bytes + 4, placement.y);
  StoreU16(bytes + 6, affine.Pack());
  unsigned char* value = bytes + kMinStoredPlacementSize;
  if (affine.ScaleXEnable & 1) {
    StoreF32(value, placement.ScaleX);
    value += 4;
  }
  if (affine.ScaleYEnable & 1) {
    StoreF32(value, placement.ScaleY);
    value += 4;
  }
  if (affine.RotateAngleEnable & 1) {
    StoreF32(value, placement.RotateAngle);
    value += 4;
  }
  if (affine.AlphaBlendEnable & 1) {
    StoreU32(value, placement.AlphaValue);
  }
}

void WriteFrame(StoredWriter& out, const UObjFrame& frame) {
  unsigned char* head = out.Put(UName::kBufferSize + 4 + 16 + 4);
  std::memcpy(head, frame.name.GetString(), UName::kBufferSize);
  StoreI16(head + 32, frame.origin.x);
  StoreI16(head + 34, frame.origin.y);
  StoreI32(head + 36, frame.collision.left);
  StoreI32(head + 40, frame.collision.top);
  StoreI32(head + 44, frame.collision.right);
  StoreI32(head + 48, frame.collision.bottom);
  StoreI32(head + 52, frame.tags.Num());
  for (const TFrameTag& tag : frame.tags) {
    WriteTag(out, tag);
  }
  unsigned char* middle = out.Put(16);
  std::memset(middle, 0, 12);
  StoreI32(middle + 12, frame.placements.Num());
  for (const TObjFrame& placement : frame.placements) {
    WritePlacement(out, placement);
  }
}

void WriteKey(StoredWriter& out, const TActionFrame& key) {
  unsigned char* bytes = out.Put(kStoredKeySize);
  StoreU32(bytes, key.time);
  StoreU32(bytes + 4, key.frame);
  StoreU32(bytes + 8, key.flags);
  StoreU32(bytes + 12, key.reserved);
}

void WriteAction(StoredWriter& out, const UObjAction& action) {
  unsigned char* head = out.Put(UName::kBufferSize + 8);
  std::memcpy(head, action.name.GetString(), UName::kBufferSize);
  StoreI32(head + 32, action.speed);
  StoreI32(head + 36, action.keys.Num());
  for (const TActionFrame& key : action.keys) {
    WriteKey(out, key);
  }
}

void WriteActor(StoredWriter& out, const UObjActor& actor) {
  WriteName(out, actor.name);
  StoreI32(out.Put(4), actor.textures.Num());
  for (const TTextureInfo& info : actor.textures) {
    WriteTexture(out, info);
  }
  WriteOwned(out, actor.modules, &WriteModule);
  WriteOwned(out, actor.frames, &WriteFrame);
  WriteOwned(out, actor.actions, &WriteAction);
}
