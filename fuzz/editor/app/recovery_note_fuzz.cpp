// Reads arbitrary bytes as the note of a recovery copy. The reader must stay inside the text,
// and a note it accepts must come back the same after being written again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/app/recovery_note.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CRecoveryNote note;
  const std::string problem = ReadRecoveryNote(text, &note);
  if (!problem.empty()) {
    return 0;
  }
  CRecoveryNote again;
  Check(ReadRecoveryNote(WriteRecoveryNote(note), &again).empty());
  Check(again.documentPath == note.documentPath && again.title == note.title &&
        again.time == note.time && again.texturePaths == note.texturePaths);
  return 0;
}
