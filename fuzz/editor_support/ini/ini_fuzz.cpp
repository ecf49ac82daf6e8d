// Loads arbitrary bytes as an INI text and looks keys up in it: fixed keys, and every first word
// the text itself offers. No read may write past its destination or leave it unterminated.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "editor_support/ini/ini.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void LookUp(const UIni& ini, const char* key) {
  char value[UIni::kValueBufferSize + 1];
  value[UIni::kValueBufferSize] = '#';
  if (ini.Read(key, value)) {
    Check(std::memchr(value, '\0', UIni::kValueBufferSize) != nullptr);
  }
  Check(value[UIni::kValueBufferSize] == '#');

  char small[9];
  small[8] = '#';
  if (ini.Read(key, small, 8)) {
    Check(std::strlen(small) < 8);
  }
  Check(small[8] == '#');

  int number = 0;
  float real = 0.0f;
  char word[UIni::kTokenBufferSize + 1];
  word[UIni::kTokenBufferSize] = '#';
  int hex = 0;
  int other = 0;
  const int consumed = ini.Scan(key, "%d %f %s %x %q %u", &number, &real, word, &hex, &other);
  Check(consumed >= 0 && consumed <= 6);
  Check(word[UIni::kTokenBufferSize] == '#');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UIni ini;
  if (!ini.LoadText(reinterpret_cast<const char*>(data), size)) {
    return 0;
  }
  LookUp(ini, "Zoom");
  LookUp(ini, "");
  // Every first word of a line, up to the first few lines.
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t line = 0;
  for (int lines = 0; lines < 8 && line < text.size(); ++lines) {
    const size_t begin = text.find_first_not_of(" \t\r\v\f", line);
    if (begin == std::string::npos) {
      break;
    }
    const size_t end = text.find_first_of(" \t\r\n\v\f", begin);
    LookUp(ini, text.substr(begin, end - begin).c_str());
    const size_t next = text.find('\n', begin);
    if (next == std::string::npos) {
      break;
    }
    line = next + 1;
  }
  return 0;
}
