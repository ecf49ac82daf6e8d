#include "drivers/accel/engine/rw_chunk_group.h"

namespace {

// The word that opens a group-start payload. Readers take whatever word is there: nothing in a
// group depends on it.
constexpr uint32_t kGroupStartWord = 1;

constexpr uint32_t kWordSize = 4;

}  // namespace

RwChunkGroup::RwChunkGroup(const std::string& name) {
  if (name.size() <= kMaxNameLength) {
    m_Name = name;
  }
}

bool RwChunkGroup::StreamWriteBegin(RwStream* stream) const {
  const uint32_t size = kWordSize + kRwChunkHeaderSize + RwStringChunkPayloadSize(m_Name.size());
  return RwStreamWriteChunkHeader(stream, rwID_CHUNKGROUPSTART, size) &&
         RwStreamWriteUInt32(stream, &kGroupStartWord, 1) && RwStreamWriteString(stream, m_Name);
}

bool RwChunkGroup::StreamWriteEnd(RwStream* stream) {
  return RwStreamWriteChunkHeader(stream, rwID_CHUNKGROUPEND, 0);
}

bool RwChunkGroup::StreamReadBegin(RwStream* stream, uint32_t size) {
  if (stream == nullptr) {
    return false;
  }
  if (size < kWordSize + kRwChunkHeaderSize) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  uint32_t word = 0;
  RwChunkHeaderInfo header;
  if (!RwStreamReadUInt32(stream, &word, 1) || !RwStreamReadChunkHeaderInfo(stream, &header)) {
    return false;
  }
  const uint32_t room = size - kWordSize - kRwChunkHeaderSize;
  if ((header.type != rwID_STRING && header.type != rwID_UNICODESTRING) || header.length > room) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  if (!RwVersionAccepted(header.version)) {
    stream->SetError(RwStreamError::kBadVersion);
    return false;
  }
  std::string name;
  if (!RwStreamReadString(stream, header, &name) || !stream->Skip(room - header.length)) {
    return false;
  }
  m_Name = name.size() <= kMaxNameLength ? name : std::string();
  return true;
}
