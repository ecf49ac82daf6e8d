#include "drivers/accel/engine/rw_stream.h"

#include <sys/types.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "core/foundation/atomic_file.h"
#include "core/foundation/regular_file.h"

namespace {

void PutUint32(uint32_t value, unsigned char* bytes) {
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (CHAR_BIT * i));
  }
}

uint32_t GetUint32(const unsigned char* bytes) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= uint32_t{bytes[i]} << (CHAR_BIT * i);
  }
  return value;
}

}  // namespace

RwStream::RwStream(std::FILE* file, std::unique_ptr<UAtomicFile> target, RwStreamAccessType type,
                   uint64_t length)
    : m_File(file), m_Target(std::move(target)), m_Type(type), m_Length(length) {}

// A writing stream's file goes with m_Target, which removes a new file never committed.
RwStream::~RwStream() = default;

RwStream* RwStream::Open(const std::string& path, RwStreamAccessType type) {
  if (type == rwSTREAMWRITE) {
    auto target = std::make_unique<UAtomicFile>(path);
    std::FILE* file = target->Begin() ? target->Stream() : nullptr;
    return file == nullptr ? nullptr : new RwStream(file, std::move(target), type, 0);
  }
  if (type != rwSTREAMREAD) {
    return nullptr;
  }
  std::FILE* file = OpenRegularFileForReading(path.c_str());
  if (file == nullptr) {
    return nullptr;
  }
  off_t end = -1;
  if (fseeko(file, 0, SEEK_END) == 0) {
    end = ftello(file);
  }
  if (end < 0 || fseeko(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return new RwStream(file, nullptr, type, static_cast<uint64_t>(end));
}

bool RwStream::Close(RwStream* stream) {
  if (stream == nullptr) {
    return false;
  }
  const bool closed =
      stream->m_Type == rwSTREAMWRITE ? stream->Commit() : std::fclose(stream->m_File) == 0;
  delete stream;
  return closed;
}

bool RwStream::Commit() {
  if (m_Type != rwSTREAMWRITE || m_Target == nullptr) {
    return m_Type != rwSTREAMWRITE || m_Committed;
  }
  m_Committed = !m_WriteFailed && m_Target->Commit();
  // Uncommitted, the new file is removed and the old one stays.
  m_Target.reset();
  m_File = nullptr;
  if (!m_Committed) {
    m_Error = RwStreamError::kIo;
  }
  return m_Committed;
}

size_t RwStream::Read(void* data, size_t size) {
  if (m_Type != rwSTREAMREAD) {
    m_Error = RwStreamError::kIo;
    return 0;
  }
  const size_t got = size == 0 ? 0 : std::fread(data, 1, size, m_File);
  m_Position += got;
  if (got != size) {
    m_Error = RwStreamError::kIo;
  }
  return got;
}

bool RwStream::Write(const void* data, size_t size) {
  if (m_Type != rwSTREAMWRITE || m_File == nullptr) {
    m_Error = RwStreamError::kIo;
    return false;
  }
  const size_t put = size == 0 ? 0 : std::fwrite(data, 1, size, m_File);
  m_Position += put;
  if (put != size) {
    m_Error = RwStreamError::kIo;
    m_WriteFailed = true;
    return false;
  }
  return true;
}

bool RwStream::Flush() {
  if (m_Type != rwSTREAMWRITE) {
    return true;
  }
  if (m_File == nullptr || std::fflush(m_File) != 0) {
    m_Error = RwStreamError::kIo;
    m_WriteFailed = true;
    return false;
  }
  return true;
}

bool RwStream::Skip(uint64_t size) {
  if (m_Type != rwSTREAMREAD || size > GetRemaining()) {
    m_Error = RwStreamError::kBadChunk;
    return false;
  }
  // Within the file's length, so the offset fits the file offset type.
  if (fseeko(m_File, static_cast<off_t>(size), SEEK_CUR) != 0) {
    m_Error = RwStreamError::kIo;
    return false;
  }
  m_Position += size;
  return true;
}

uint64_t RwStream::GetRemaining() const {
  return m_Type == rwSTREAMREAD && m_Position < m_Length ? m_Length - m_Position : 0;
}

namespace {

// Words go through the stream this many at a time.
constexpr size_t kWordBlock = 1024;

}  // namespace

bool RwStreamWriteUInt32(RwStream* stream, const uint32_t* words, size_t count) {
  unsigned char bytes[kWordBlock * 4];
  for (size_t start = 0; start < count; start += kWordBlock) {
    const size_t n = std::min(kWordBlock, count - start);
    for (size_t i = 0; i < n; ++i) {
      PutUint32(words[start + i], bytes + i * 4);
    }
    if (!stream->Write(bytes, n * 4)) {
      return false;
    }
  }
  return true;
}

bool RwStreamReadUInt32(RwStream* stream, uint32_t* words, size_t count) {
  unsigned char bytes[kWordBlock * 4];
  for (size_t start = 0; start < count; start += kWordBlock) {
    const size_t n = std::min(kWordBlock, count - start);
    if (stream->Read(bytes, n * 4) != n * 4) {
      return false;
    }
    for (size_t i = 0; i < n; ++i) {
      words[start + i] = GetUint32(bytes + i * 4);
    }
  }
  return true;
}

uint32_t RwLibraryStampPack(uint32_t version, uint32_t build) {
  return ((version - 0x30000u) & 0x3FF00u) << 14 | (version & 0x3Fu) << 16 | (build & 0xFFFFu);
}

void RwLibraryStampUnpack(uint32_t stamp, uint32_t* version, uint32_t* build) {
  *version = (((stamp >> 14) & 0x3FF00u) + 0x30000u) | ((stamp >> 16) & 0x3Fu);
  *build = stamp & 0xFFFFu;
}

bool RwVersionAccepted(uint32_t version) {
  return version >= kRwMinAcceptedVersion && version <= kRwMaxAcceptedVersion;
}

bool RwStreamWriteChunkHeader(RwStream* stream, uint32_t type, uint32_t size) {
  if (stream == nullptr) {
    return false;
  }
  const uint32_t words[] = {type, size, RwLibraryStampPack(kRwLibraryVersion, kRwLibraryBuild)};
  return RwStreamWriteUInt32(stream, words, 3);
}

bool RwStreamReadChunkHeaderInfo(RwStream* stream, RwChunkHeaderInfo* info) {
  if (stream == nullptr || info == nullptr) {
    return false;
  }
  uint32_t words[3];
  if (!RwStreamReadUInt32(stream, words, 3)) {
    return false;
  }
  // A size the stream cannot hold is damage: nothing may be sized or skipped by it.
  if (words[1] > stream->GetRemaining()) {
    stream->SetError(RwStreamError::kBadChunk);
    return false;
  }
  info->type = words[0];
  info->length = words[1];
  RwLibraryStampUnpack(words[2], &info->version, &info->buildNum);
  return true;
}

bool RwStreamFindChunk(RwStream* stream, uint32_t type, uint32_t* size, uint32_t* version) {
  if (stream == nullptr) {
    return false;
  }
  stream->SetError(RwStreamError::kNone);
  RwChunkHeaderInfo info;
  // Every pass consumes at least a header, so the walk ends with the stream.
  for (;;) {
    if (stream->GetRemaining() == 0) {
      // A clean end: the chunk is not there, and nothing is damaged.
      return false;
    }
    if (!RwStreamReadChunkHeaderInfo(stream, &info)) {
      return false;
    }
    if (info.type == type) {
      break;
    }
    if (!stream->Skip(info.length)) {
      return false;
    }
  }
  if (!RwVersionAccepted(info.version)) {
    stream->SetError(RwStreamError::kBadVersion);
    return false;
  }
  if (size != nullptr) {
    *size = info.length;
  }
  if (version != nullptr) {
    *version = info.version;
  }
  return true;
}

uint32_t RwStringChunkPayloadSize(size_t length) {
  return static_cast<uint32_t>((length + 4) & ~size_t{3});
}

bool RwStreamWriteString(RwStream* stream, const std::string& text) {
  const uint32_t size = RwStringChunkPayloadSize(text.size());
  std::vector<unsigned char> payload(size, 0);
  std::copy(text.begin(), text.end(), payload.begin());
  return RwStreamWriteChunkHeader(stream, rwID_STRING, size) &&
         stream->Write(payload.data(), payload.size());
}

bool RwStreamReadString(RwStream* stream, const RwChunkHeaderInfo& header, std::string* text) {
  if (stream == nullptr || (header.type != rwID_STRING && header.type != rwID_UNICODESTRING)) {
    return false;
  }
  // The header's size was checked against the stream, so the buffer is no larger than the file.
  std::vector<unsigned char> payload(header.length);
  if (stream->Read(payload.data(), payload.size()) != payload.size()) {
    return false;
  }
  text->clear();
  if (header.type == rwID_STRING) {
    for (unsigned char c : payload) {
      if (c == 0) {
        break;
      }
      text->push_back(static_cast<char>(c));
    }
    return true;
  }
  for (size_t i = 0; i + 1 < payload.size(); i += 2) {
    const unsigned unit = payload[i] | unsigned{payload[i + 1]} << 8;
    if (unit == 0) {
      break;
    }
    text->push_back(unit > 0xFF ? '?' : static_cast<char>(unit));
  }
  return true;
}
