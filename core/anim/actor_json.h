#pragma once

#include "core/anim/obj_actor.h"
#include "core/core_api.h"
#include "core/foundation/json_writer.h"

// The actor as JSON, with the field names of the model and the values as read: the document dump
// of the command-line tool and the editor's clipboard text share it. Names are converted from
// GBK to UTF-8.

// Writes the members "name", "textures", "modules", "frames" (origin, collision box, tags,
// placements) and "actions" (speed, keys) into the object `json` has open.
CORE_API void WriteActorMembers(JsonWriter& json, const UObjActor& actor);
