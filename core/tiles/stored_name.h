#pragma once

#include <string>
#include <string_view>

#include "core/core_api.h"

// File names that stored data (an STX header's tile-set picture, a tile library's image names)
// gives for files beside it. Such a name comes from an untrusted file, so it may only reach down
// from the folder it is read against: a relative name, sub-folders allowed, separated by '/' or
// '\'.

// Whether `name` is such a name: not empty, not absolute (no leading '/' or '\'), with no ':'
// (a drive letter such as "C:", or a stream name) and no empty, "." or ".." part.
CORE_API bool IsStoredRelativeName(std::string_view name);

// `name` (a stored relative name) inside `directory`, joined and separated with '/'; `name` alone
// with '/' separators when there is no directory.
CORE_API std::string JoinStoredName(const std::string& directory, std::string_view name);

// `name` (a stored relative name) read against the folder of `file`, the file that stores it: the
// file beside `file` that `name` means.
CORE_API std::string StoredNameBeside(const std::string& file, std::string_view name);

// The file name of `path`: what follows its last '/' or '\', or all of it.
CORE_API std::string BareFileName(const std::string& path);
