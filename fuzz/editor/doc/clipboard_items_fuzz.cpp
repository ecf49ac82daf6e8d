// Reads arbitrary bytes as clipboard items, as a paste does. The reader must refuse what is not
// whole, and items it accepts must read back the same after being written again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/doc/clipboard_items.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CClipItems clip;
  std::string problem;
  if (!DecodeClipItems(data, size, &clip, &problem)) {
    Check(!problem.empty());
    return 0;
  }
  Check(PeekClipKind(data, size) == clip.kind);
  const std::vector<unsigned char> written = EncodeClipItems(clip);
  CClipItems again;
  Check(DecodeClipItems(written.data(), written.size(), &again, &problem));
  Check(again.kind == clip.kind && again.texturePaths == clip.texturePaths &&
        EncodeClipItems(again) == written);
  ClipItemsJson(again);
  return 0;
}
