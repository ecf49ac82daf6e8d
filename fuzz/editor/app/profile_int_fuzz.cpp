// Reads arbitrary bytes as the text of "anmcfg.ini" and looks up the keys the editor reads, and
// the first words the text itself offers as sections and keys. The reader must stay inside the
// text and agree with itself: a missing key gives exactly the default, whatever it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/foundation/profile_int.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// The text after the first '[' up to ']' or the end of its line, and the text before the first
// '='.
std::string_view OfferedSection(std::string_view text) {
  const size_t open = text.find('[');
  if (open == std::string_view::npos) {
    return {};
  }
  const std::string_view rest = text.substr(open + 1);
  return rest.substr(0, rest.find_first_of("]\r\n"));
}

std::string_view OfferedKey(std::string_view text) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    return {};
  }
  const size_t line = text.find_last_of("\r\n", equals);
  return text.substr(line == std::string_view::npos ? 0 : line + 1,
                     equals - (line == std::string_view::npos ? 0 : line + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* key : {"fps", "InpolationEnable"}) {
    const int first = ProfileIntFromText(text, "SETTING", key, 30);
    Check(first == ProfileIntFromText(text, "setting", key, 30));
    if (text.find('=') == std::string::npos) {
      Check(first == 30);
    }
  }
  const std::string_view section = OfferedSection(text);
  const std::string_view key = OfferedKey(text);
  const int a = ProfileIntFromText(text, section, key, 1);
  const int b = ProfileIntFromText(text, section, key, 2);
  // Only a missing key follows the default.
  Check(a == b || (a == 1 && b == 2));
  return 0;
}
