#pragma once

#include <string>

#include "core/anim/obj_actor.h"
#include "core/foundation/name.h"

// Model texts are GBK bytes; the user and the file system see UTF-8.

// A name record for typed text: converted to GBK and cut between characters to what it holds.
UName StoredName(const std::string& utf8);
// A name record's text for the user.
std::string ShownName(const UName& name);
// A texture record's file name, as the file system names it.
std::string RecordFileName(const TTextureInfo& info);
