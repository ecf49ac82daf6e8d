// Reads arbitrary bytes as an ".an1" document. Nothing may crash, overflow or allocate more than
// the input justifies; a document that reads cleanly must write back to bytes that read cleanly
// and write back the same again; playback must never follow a bad index.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/foundation/archive_memory.h"

namespace {

std::vector<unsigned char> Write(const UObjActor& actor) {
  UArchiveMemory ar;
  ar << actor;
  return ar.GetBuffer();
}

void Play(UObjActor& actor) {
  constexpr float kTimes[] = {0.0f, 0.5f, 1.0f, 7.25f, 100.0f, 65536.5f, 4.5e9f};
  for (int a = 0; a < actor.actions.Num(); ++a) {
    for (float time : kTimes) {
      UObjFrame* picture = actor.GetRenderFrame(a, time);
      if (picture != nullptr && picture != &actor.scratch &&
          std::find(actor.frames.begin(), actor.frames.end(), picture) == actor.frames.end()) {
        __builtin_trap();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UObjActor actor;
  actor.Init();
  UArchiveMemory ar(data, size);
  ar >> actor;
  Play(actor);
  if (ar.IsFailed()) {
    return 0;
  }
  const std::vector<unsigned char> first = Write(actor);
  UObjActor again;
  again.Init();
  UArchiveMemory reread(first.data(), first.size());
  reread >> again;
  if (reread.IsFailed() || Write(again) != first) {
    __builtin_trap();
  }
  return 0;
}
