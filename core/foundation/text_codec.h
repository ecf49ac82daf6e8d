#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/core_api.h"

// Texts inside the model are bytes in the document's code page, GBK for documents made on the
// original platform; the user and the file system see Unicode. These are the one place where the
// two meet.

// GBK bytes to UTF-8. Bytes that are not valid GBK become U+FFFD, one per byte.
CORE_API std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GBK, at most `max_bytes` long, cut only between characters. A character GBK cannot
// hold, or a byte that is not valid UTF-8, becomes '?'.
CORE_API std::string Utf8ToGbk(std::string_view utf8, size_t max_bytes = std::string::npos);

// UTF-8 to GBK without loss: true with the whole text in `gbk` when GBK holds every character
// and `utf8` is valid UTF-8; false otherwise (`gbk` then holds the text with '?' for each
// character it could not convert).
CORE_API bool Utf8ToGbkExact(std::string_view utf8, std::string* gbk);

// The length of the longest prefix of `gbk` that is at most `max_bytes` long and does not end
// inside a double-byte character.
CORE_API size_t GbkFitLength(std::string_view gbk, size_t max_bytes);
