#include "core/tiles/stored_name.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

}  // namespace

bool IsStoredRelativeName(std::string_view name) {
  if (name.empty() || IsSeparator(name.front()) || name.find(':') != std::string_view::npos ||
      name.find('\0') != std::string_view::npos) {
    return false;
  }
  size_t start = 0;
  while (start <= name.size()) {
    const auto end = std::find_if(name.begin() + start, name.end(), IsSeparator) - name.begin();
    const std::string_view part = name.substr(start, size_t(end) - start);
    if (part.empty() || part == "." || part == "..") {
      return false;
    }
    start = size_t(end) + 1;
  }
  return true;
}

std::string JoinStoredName(const std::string& directory, std::string_view name) {
  std::string joined = directory.empty() ? std::string() : directory + "/";
  for (char c : name) {
    joined.push_back(IsSeparator(c) ? '/' : c);
  }
  return joined;
}

std::string StoredNameBeside(const std::string& file, std::string_view name) {
  const size_t separator = file.find_last_of("/\\");
  return JoinStoredName(separator == std::string::npos ? std::string() : file.substr(0, separator),
                        name);
}

std::string BareFileName(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}
