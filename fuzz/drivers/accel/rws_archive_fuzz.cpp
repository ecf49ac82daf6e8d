#include <cstddef>
#include <cstdint>
#include <string>

#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/rw_chunk_group.h"
#include "drivers/accel/engine/rw_stream.h"
#include "drivers/accel/engine/rw_tex_dictionary_stream.h"
#include "fuzz/drivers/accel/memory_file.h"

namespace {

bool CheckTexture(RwTextureRecord& record) {
  if (record.image.pixels.size() !=
      static_cast<size_t>(record.image.width) * static_cast<size_t>(record.image.height)) {
    __builtin_trap();
  }
  return true;
}

// Every chunk in turn, reading those the engine knows.
void WalkChunks(const std::string& path) {
  UArchiveRws ar;
  if (ar.Open(path.c_str(), ArRead) != 1) {
    __builtin_trap();
  }
  RwStream* stream = ar.GetStream();
  RwChunkHeaderInfo info;
  while (stream->GetRemaining() > 0 && ar.ReadChunkHeaderInfo(&info) != nullptr) {
    bool read = true;
    std::string text;
    RwChunkGroup group;
    switch (info.type) {
      case rwID_STRING:
      case rwID_UNICODESTRING:
        read = RwStreamReadString(stream, info, &text);
        break;
      case rwID_CHUNKGROUPSTART:
        read = group.StreamReadBegin(stream, info.length);
        if (read && group.GetName().size() > RwChunkGroup::kMaxNameLength) {
          __builtin_trap();
        }
        break;
      case rwID_TEXDICTIONARY:
        read = RwTexDictionaryStreamDecode(stream, info.length, CheckTexture);
        break;
      default:
        read = stream->Skip(info.length);
        break;
    }
    if (!read) {
      break;
    }
  }
}

// The archive's own reading: groups around a texture dictionary and other chunks.
void ReadGroups(const std::string& path) {
  UArchiveRws ar;
  if (ar.Open(path.c_str(), ArRead) != 1) {
    __builtin_trap();
  }
  ar.BeginReadChunkGroup();
  unsigned int size = 0;
  if (ar.FindChunk(rwID_TEXDICTIONARY, &size, nullptr)) {
    RwTexDictionaryStreamDecode(ar.GetStream(), size, CheckTexture);
  }
  ar.BeginReadChunkGroup();
  ar.EndReadChunkGroup();
  ar.EndReadChunkGroup();
}

}  // namespace

// Any bytes as a chunk stream: every read either succeeds or fails cleanly, without crashing,
// hanging or allocating beyond what the bytes hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile file;
  file.Fill(data, size);
  WalkChunks(file.Path());
  ReadGroups(file.Path());
  return 0;
}
