#pragma once

#include <string>
#include <string_view>

#include "core/core_api.h"

// Reads an integer from an INI file with the rules of the Windows profile reader: section and
// key names are compared without regard to case, and the first section and key of that name
// count; the value's leading integer is the result (optional sign, decimal, or hexadecimal after
// "0x"), 0 when the value does not start with a number; `defaultValue` when the file, the
// section or the key is missing or the value is empty.
CORE_API int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                            int defaultValue);

// The same rules on the text of an INI file.
CORE_API int ProfileIntFromText(std::string_view text, std::string_view section,
                                std::string_view key, int defaultValue);
