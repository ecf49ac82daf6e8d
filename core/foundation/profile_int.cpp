#include "core/foundation/profile_int.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "core/foundation/regular_file.h"

namespace {

// An INI file worth reading is small; a larger one counts as missing.
constexpr size_t kMaxIniBytes = 1 << 20;

std::string_view Trim(std::string_view text) {
  const auto is_space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && is_space(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && is_space(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The leading integer of `value`, wrapping to 32 bits as the Windows reader does.
int LeadingInteger(std::string_view value) {
  bool negative = false;
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  uint32_t base = 10;
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    base = 16;
    value.remove_prefix(2);
  }
  uint32_t result = 0;
  for (const char c : value) {
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)) != 0) {
      digit = static_cast<uint32_t>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    } else {
      break;
    }
    result = result * base + digit;
  }
  if (negative) {
    result = 0u - result;
  }
  return static_cast<int>(result);
}

}  // namespace

int ProfileIntFromText(std::string_view text, std::string_view section, std::string_view key,
                       int defaultValue) {
  bool in_section = false;
  bool section_seen = false;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string_view name =
          Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      if (in_section) {
        // Only the first section of the name counts.
        return defaultValue;
      }
      in_section = !section_seen && EqualNoCase(name, section);
      section_seen = section_seen || in_section;
      continue;
    }
    if (!in_section) {
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || !EqualNoCase(Trim(line.substr(0, equals)), key)) {
      continue;
    }
    const std::string_view value = Trim(line.substr(equals + 1));
    return value.empty() ? defaultValue : LeadingInteger(value);
  }
  return defaultValue;
}

int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
  std::vector<unsigned char> bytes;
  if (!ReadRegularFile(path.c_str(), kMaxIniBytes, bytes)) {
    return defaultValue;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return ProfileIntFromText(text, section, key, defaultValue);
}
