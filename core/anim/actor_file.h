#pragma once

#include <string>

#include "core/anim/obj_actor.h"
#include "core/core_api.h"

// Reading and writing ".an1" documents as files, through UArchiveAnsi.

// Initialises `actor` and reads the document at `path` into it. Returns false when the file
// cannot be opened or is not a regular file, or the document is damaged (a count it cannot hold, or
// it ends early); the actor then holds the records read completely, and `error`, when given,
// receives the reason as one line naming the file.
CORE_API bool LoadActorFile(const char* path, UObjActor& actor, std::string* error = nullptr);

// Writes `actor` to `path` safely, through UAtomicFile: a reader of `path` sees the old document
// or the whole new one. Returns false (leaving any earlier file at `path` untouched) when
// anything failed; `error`, when given, then receives the reason.
CORE_API bool SaveActorFile(const char* path, const UObjActor& actor, std::string* error = nullptr);
