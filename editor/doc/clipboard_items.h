#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"

// What the editor puts on the clipboard: items of one kind in the records of a document, with the
// modules and textures they use, so that another document (in this editor or another one) can
// take them in. The bytes are a short header, the full path of each texture file, then an actor
// in the document's stored form holding the items.

// The clipboard's own type for these bytes.
inline constexpr char kClipMimeType[] = "application/x-quillet-items";

enum class ClipKind : uint32_t {
  Placements = 1,  // placements of a frame
  Frames,
  Keys,  // keys of an action
  Actions,
  Modules,
};

struct CClipItems {
  ClipKind kind = ClipKind::Modules;
  // The textures and modules the items use, and the items: the placements in its one frame,
  // frames, the keys in its one action (times counted from the first key) with the frames they
  // show, actions with the frames their keys show, or modules. Every index inside points into it.
  std::unique_ptr<UObjActor> items;
  // Per texture record: the full path its picture was loaded from, "" when it was not found.
  std::vector<std::string> texturePaths;
  // Placements: the frame they were copied from.
  int32_t sourceFrame = -1;
  // Keys: the time they cover, up to the key after the last one copied.
  uint32_t span = 0;
};

std::vector<unsigned char> EncodeClipItems(const CClipItems& clip);

// Reads clipboard bytes as written by EncodeClipItems, checked as the document reader checks a
// document, and also that every index inside names a record there and the kind has items. False
// with the reason in `error` (one line) when the bytes are anything else.
bool DecodeClipItems(const unsigned char* data, size_t size, CClipItems* clip, std::string* error);

// The kind of items the bytes say they hold, without reading them; nullopt when they do not
// start as clipboard items do.
std::optional<ClipKind> PeekClipKind(const unsigned char* data, size_t size);

// The items as JSON text for other programs: "kind", "texturePaths" and the actor's members as
// the command-line tool's dump writes them.
std::string ClipItemsJson(const CClipItems& clip);

// What the user calls items of `kind` ("帧"), UTF-8.
const char* ClipKindText(ClipKind kind);
