#include "editor/doc/clipboard_items.h"

#include <cstring>
#include <string_view>

#include "core/anim/actor_json.h"
#include "core/foundation/stored_bytes.h"
#include "editor/doc/stored_actor.h"
#include "editor/res/strings.h"

namespace {

constexpr char kMagic[8] = {'Q', 'U', 'I', 'L', 'C', 'L', 'I', 'P'};
constexpr uint32_t kVersion = 1;
// Header: magic, version, kind, source frame, span, path count.
constexpr size_t kHeaderSize = sizeof(kMagic) + 5 * 4;
// No file system gives a path this long; a longer one is damage.
constexpr uint32_t kMaxPathBytes = 4096;

const char* KindName(ClipKind kind) {
  switch (kind) {
    case ClipKind::Placements:
      return "placements";
    case ClipKind::Frames:
      return "frames";
    case ClipKind::Keys:
      return "keys";
    case ClipKind::Actions:
      return "actions";
    case ClipKind::Modules:
      return "modules";
  }
  return "";
}

void PutU32(std::vector<unsigned char>& out, uint32_t value) {
  unsigned char bytes[4];
  StoreU32(bytes, value);
  out.insert(out.end(), bytes, bytes + 4);
}

// Every index inside the items names a record of theirs, and the kind has something to paste.
bool CheckItems(const CClipItems& clip, std::string* error) {
  const UObjActor& items = *clip.items;
  const int textures = items.textures.Num();
  if (static_cast<size_t>(textures) != clip.texturePaths.size()) {
    *error = "the texture paths do not match the textures";
    return false;
  }
  for (const UObjModule* module : items.modules) {
    if (module == nullptr || module->texture >= textures) {
      *error = "a module names a texture that is not there";
      return false;
    }
  }
  for (const UObjFrame* frame : items.frames) {
    for (const TObjFrame& placement : frame->placements) {
      if (placement.module >= items.modules.Num()) {
        *error = "a placement names a module that is not there";
        return false;
      }
    }
  }
  for (const UObjAction* action : items.actions) {
    for (const TActionFrame& key : action->keys) {
      if (key.frame >= static_cast<uint32_t>(items.frames.Num())) {
        *error = "a key names a frame that is not there";
        return false;
      }
    }
  }
  bool filled = false;
  switch (clip.kind) {
    case ClipKind::Placements:
      filled = items.frames.Num() == 1 && items.frames[0]->placements.Num() > 0;
      break;
    case ClipKind::Frames:
      filled = items.frames.Num() > 0;
      break;
    case ClipKind::Keys:
      filled = items.actions.Num() == 1 && items.actions[0]->keys.Num() > 0;
      break;
    case ClipKind::Actions:
      filled = items.actions.Num() > 0;
      break;
    case ClipKind::Modules:
      filled = items.modules.Num() > 0;
      break;
  }
  if (!filled) {
    *error = "no items of their kind";
  }
  return filled;
}

}  // namespace

std::vector<unsigned char> EncodeClipItems(const CClipItems& clip) {
  std::vector<unsigned char> out(kMagic, kMagic + sizeof(kMagic));
  PutU32(out, kVersion);
  PutU32(out, static_cast<uint32_t>(clip.kind));
  PutU32(out, static_cast<uint32_t>(clip.sourceFrame));
  PutU32(out, clip.span);
  PutU32(out, static_cast<uint32_t>(clip.texturePaths.size()));
  for (const std::string& path : clip.texturePaths) {
    PutU32(out, static_cast<uint32_t>(path.size()));
    out.insert(out.end(), path.begin(), path.end());
  }
  const std::vector<unsigned char> stored = EncodeActor(*clip.items);
  out.insert(out.end(), stored.begin(), stored.end());
  return out;
}

bool DecodeClipItems(const unsigned char* data, size_t size, CClipItems* clip, std::string* error) {
  const std::optional<ClipKind> kind = PeekClipKind(data, size);
  if (!kind) {
    *error = "not Quillet items of a known version and kind";
    return false;
  }
  const unsigned char* p = data + sizeof(kMagic);
  CClipItems read;
  read.kind = *kind;
  read.sourceFrame = LoadI32(p + 8);
  read.span = LoadU32(p + 12);
  const uint32_t paths = LoadU32(p + 16);
  size_t at = kHeaderSize;
  for (uint32_t i = 0; i < paths; ++i) {
    if (size - at < 4) {
      *error = "the texture paths end early";
      return false;
    }
    const uint32_t length = LoadU32(data + at);
    at += 4;
    if (length > kMaxPathBytes || size - at < length) {
      *error = "a texture path is damaged";
      return false;
    }
    read.texturePaths.emplace_back(reinterpret_cast<const char*>(data + at), length);
    at += length;
  }
  read.items = ReadStoredActor(std::vector<unsigned char>(data + at, data + size));
  if (!read.items) {
    *error = "the items' records are damaged";
    return false;
  }
  if (!CheckItems(read, error)) {
    return false;
  }
  *clip = std::move(read);
  return true;
}

std::optional<ClipKind> PeekClipKind(const unsigned char* data, size_t size) {
  if (size < kHeaderSize || std::memcmp(data, kMagic, sizeof(kMagic)) != 0 ||
      LoadU32(data + sizeof(kMagic)) != kVersion) {
    return std::nullopt;
  }
  const uint32_t kind = LoadU32(data + sizeof(kMagic) + 4);
  if (kind < static_cast<uint32_t>(ClipKind::Placements) ||
      kind > static_cast<uint32_t>(ClipKind::Modules)) {
    return std::nullopt;
  }
  return static_cast<ClipKind>(kind);
}

std::string ClipItemsJson(const CClipItems& clip) {
  JsonWriter json;
  json.BeginObject();
  json.Key("kind");
  json.String(KindName(clip.kind));
  json.Key("texturePaths");
  json.BeginArray();
  for (const std::string& path : clip.texturePaths) {
    json.String(path);
  }
  json.EndArray();
  WriteActorMembers(json, *clip.items);
  json.EndObject();
  return json.Text();
}

const char* ClipKindText(ClipKind kind) {
  switch (kind) {
    case ClipKind::Placements:
      return res::kItemsPlacements;
    case ClipKind::Frames:
      return res::kItemsFrames;
    case ClipKind::Keys:
      return res::kItemsKeys;
    case ClipKind::Actions:
      return res::kItemsActions;
    case ClipKind::Modules:
      return res::kItemsModules;
  }
  return "";
}
