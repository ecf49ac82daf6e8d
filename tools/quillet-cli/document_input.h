#pragma once

#include <string>

#include "core/anim/obj_actor.h"

// Loads the document at `path` for a subcommand. On failure reports one line for `command` on
// stderr and returns false; the exit status is then kExitBadInput.
bool LoadDocumentFor(const char* command, const std::string& path, UObjActor& actor);
