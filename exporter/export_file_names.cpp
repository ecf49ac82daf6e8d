#include "exporter/export_file_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace {

// Leaves room for a page or picture number and an extension under the usual 255-byte limit.
constexpr size_t kMaxPartBytes = 96;

constexpr std::string_view kRefusedCharacters = "/\\:*?\"<>|";

constexpr std::array<std::string_view, 22> kReservedNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

// The length of the UTF-8 sequence starting at `text[at]`, or 0 when it is not a whole, valid
// one.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
      return 0;
    }
  }
  return length;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

}  // namespace

std::string SafeFileNamePart(std::string_view utf8) {
  std::string safe;
  for (size_t at = 0; at < utf8.size();) {
    const size_t length = Utf8SequenceLength(utf8, at);
    if (length == 0) {
      safe += '_';
      ++at;
      continue;
    }
    if (safe.size() + length > kMaxPartBytes) {
      break;
    }
    const auto c = static_cast<unsigned char>(utf8[at]);
    const bool refused =
        length == 1 && (c < 0x20 || c == 0x7F ||
                        kRefusedCharacters.find(static_cast<char>(c)) != std::string_view::npos);
    safe += refused ? std::string("_") : std::string(utf8.substr(at, length));
    at += length;
  }
  // Windows drops trailing dots and spaces, which would merge names.
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) {
    safe.back() = '_';
  }
  const std::string stem = UpperAscii(safe.substr(0, safe.find('.')));
  if (std::find(kReservedNames.begin(), kReservedNames.end(), stem) != kReservedNames.end()) {
    safe.insert(0, "_");
  }
  return safe.empty() ? "_" : safe;
}

std::vector<std::string> NumberClashes(const std::vector<std::string>& names) {
  std::vector<std::string> unique;
  std::set<std::string> taken;
  for (const std::string& name : names) {
    std::string candidate = name;
    for (int number = 2; taken.count(UpperAscii(candidate)) != 0; ++number) {
      candidate = name + "_" + std::to_string(number);
    }
    taken.insert(UpperAscii(candidate));
    unique.push_back(candidate);
  }
  return unique;
}

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}
