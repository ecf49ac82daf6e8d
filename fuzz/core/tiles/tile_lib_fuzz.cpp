// Reads arbitrary bytes as a tile library's stored names list. Nothing may crash or allocate
// more than the input holds; the images named cannot be loaded (there is no driver factory), so
// the library must stay empty with its lists in step, and its exports must survive.
#include <cstddef>
#include <cstdint>

#include "core/foundation/archive_memory.h"
#include "core/foundation/message.h"
#include "core/tiles/tile_lib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool silenced = [] {
    SetMessageHook([](const UMessageRequest&) { return UMessageAnswer::Ok; });
    return true;
  }();
  (void)silenced;
  UTileLib lib;
  lib.SetDefaultPath("/nonexistent-quillet-fuzz");
  UArchiveMemory ar(data, size);
  ar >> lib;
  if (lib.size() != 0 || !lib.IsEmpty() || lib.DelImage(0) != -1) {
    __builtin_trap();
  }
  UArchiveMemory out;
  lib.ExportSec(out);
  lib.ExportTileImage(out);
  out << lib;
  return 0;
}
