#pragma once

#include <string>
#include <string_view>
#include <vector>

// File names for exported files, made from actor and action names.

// `utf8` as a part of a file name any common file system accepts: path separators, characters
// Windows refuses, control characters and bytes that are not UTF-8 become '_'; trailing dots
// and spaces, reserved device names ("CON", "NUL"...) and names of dots only are changed; the
// empty name becomes "_"; a long name is cut between characters.
std::string SafeFileNamePart(std::string_view utf8);

// `names` with later duplicates numbered "_2", "_3"... in order, so that no two are equal, even
// on file systems that ignore the case of letters.
std::vector<std::string> NumberClashes(const std::vector<std::string>& names);

// Whether `name` stays inside the folder it is written to: one plain component, no separator,
// not "." or "..".
bool IsPlainFileName(std::string_view name);
