#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "drivers/accel/tessel_api.h"

class UAtomicFile;

enum RwStreamAccessType : int32_t {
  rwSTREAMREAD = 1,
  rwSTREAMWRITE = 2,
};

// Why the last stream operation failed.
enum class RwStreamError {
  kNone,
  kIo,          // the file could not be opened, read or written, or ended early
  kBadChunk,    // a chunk's size runs past the end of the stream or of its enclosing chunk
  kBadVersion,  // a chunk's version is outside the accepted range
};

// A byte stream on a file, opened for reading or for writing. A reading stream knows its length,
// so that sizes found in the data can be checked against the bytes that really follow. A writing
// stream writes a new file beside the old one, which it replaces only when every byte was written,
// so that a failure never leaves a damaged file behind.
class TESSEL_API RwStream {
 public:
  // A stream on the file at `path`: rwSTREAMWRITE starts a new file that replaces the one at
  // `path` (if any) when the stream is committed or closed, rwSTREAMREAD opens an existing regular
  // file. Null when the file cannot be opened or written beside, when it is not a regular file
  // (for reading), or when `type` is neither. Owned by the caller; close with Close.
  static RwStream* Open(const std::string& path, RwStreamAccessType type);
  // Commits a writing stream that is not committed yet, closes the file and destroys the stream;
  // false when the commit or the close fails.
  static bool Close(RwStream* stream);

  RwStream(const RwStream&) = delete;
  RwStream& operator=(const RwStream&) = delete;

  RwStreamAccessType GetType() const { return m_Type; }
  // Reads up to `size` bytes and returns how many it read; a short count means the stream ended
  // (or failed) and records an I/O error. Bytes not reached stay as they were.
  size_t Read(void* data, size_t size);
  // False (recording an I/O error) when not all bytes were written or the stream is for reading.
  bool Write(const void* data, size_t size);
  // Hands written bytes still buffered to the file; false (recording an I/O error) when that fails
  // or the stream was committed.
  bool Flush();
  // Writing: makes the bytes written the content of the file at the path, replacing what was
  // there; false, leaving that file as it was, when a write or flush failed or the file cannot be
  // replaced. The stream takes no writes afterwards, and a second call gives the first one's
  // result. Reading: true.
  bool Commit();
  // Moves `size` bytes forward in a reading stream; false (and not moved) when fewer remain.
  bool Skip(uint64_t size);
  // Bytes read or written since the stream opened.
  uint64_t GetPosition() const { return m_Position; }
  // Bytes left to read; 0 for a writing stream.
  uint64_t GetRemaining() const;

  RwStreamError GetError() const { return m_Error; }
  void SetError(RwStreamError error) { m_Error = error; }

 private:
  RwStream(std::FILE* file, std::unique_ptr<UAtomicFile> target, RwStreamAccessType type,
           uint64_t length);
  ~RwStream();

  // Reading: the file, owned here. Writing: the new file's stream, owned by m_Target; null once
  // committed.
  std::FILE* m_File;
  // Writing: the new file until it is committed or given up.
  std::unique_ptr<UAtomicFile> m_Target;
  RwStreamAccessType m_Type;
  uint64_t m_Length;  // of the file, when reading
  uint64_t m_Position = 0;
  bool m_WriteFailed = false;
  bool m_Committed = false;
  RwStreamError m_Error = RwStreamError::kNone;
};

// Writes `count` 32-bit words, each little-endian; false on a write failure.
TESSEL_API bool RwStreamWriteUInt32(RwStream* stream, const uint32_t* words, size_t count);
// Reads `count` little-endian 32-bit words; false on a short read.
TESSEL_API bool RwStreamReadUInt32(RwStream* stream, uint32_t* words, size_t count);

// Chunk types of the stream format.
enum RwCorePluginID : uint32_t {
  rwID_STRUCT = 0x01,
  rwID_STRING = 0x02,
  rwID_UNICODESTRING = 0x13,
  rwID_TEXTURENATIVE = 0x15,
  rwID_TEXDICTIONARY = 0x16,
  rwID_CHUNKGROUPSTART = 0x29,
  rwID_CHUNKGROUPEND = 0x2A,
};

// The version and build that every chunk is written with, and the versions a reader accepts.
inline constexpr uint32_t kRwLibraryVersion = 0x37002;
inline constexpr uint32_t kRwLibraryBuild = 0x37;
inline constexpr uint32_t kRwMinAcceptedVersion = 0x35000;
inline constexpr uint32_t kRwMaxAcceptedVersion = 0x37002;

// Bytes of a chunk header: type, payload size and library stamp, each 32-bit little-endian.
inline constexpr uint32_t kRwChunkHeaderSize = 12;

struct RwChunkHeaderInfo {
  uint32_t type;
  uint32_t length;  // payload bytes after the header, nested chunks included
  uint32_t version;
  uint32_t buildNum;
};

// The library stamp packs a version and a build into one word (0x1C020037 for version 0x37002,
// build 0x37). It keeps bits 8 to 17 of the version above 0x30000 and bits 0 to 5, so unpacking
// gives back every version from 0x30000 to 0x3FF3F whose low byte is below 0x40.
TESSEL_API uint32_t RwLibraryStampPack(uint32_t version, uint32_t build);
TESSEL_API void RwLibraryStampUnpack(uint32_t stamp, uint32_t* version, uint32_t* build);

// Writes a chunk header with the library's version and build; false on a write failure.
TESSEL_API bool RwStreamWriteChunkHeader(RwStream* stream, uint32_t type, uint32_t size);
// Reads the next chunk header. False when the stream ends within the header (an I/O error) or
// the payload size runs past the end of the stream (a bad chunk); the version is not checked.
TESSEL_API bool RwStreamReadChunkHeaderInfo(RwStream* stream, RwChunkHeaderInfo* info);
// Reads headers, skipping the payload of every chunk of another type, until a chunk of `type`
// is found, and leaves the stream at the start of its payload. False at the end of the stream,
// for a damaged header, or when the found chunk's version is not accepted (a bad version); the
// stream's error then tells which, kNone meaning a clean end.
TESSEL_API bool RwStreamFindChunk(RwStream* stream, uint32_t type, uint32_t* size,
                                  uint32_t* version);
// Whether `version` lies within the accepted range.
TESSEL_API bool RwVersionAccepted(uint32_t version);

// The payload size of a string chunk for `length` characters: the characters and at least one
// zero byte, rounded up to a multiple of 4.
TESSEL_API uint32_t RwStringChunkPayloadSize(size_t length);
// Writes `text` as a string chunk, header included.
TESSEL_API bool RwStreamWriteString(RwStream* stream, const std::string& text);
// Reads the payload of a string chunk (rwID_STRING) or a wide-string chunk (rwID_UNICODESTRING,
// 16-bit little-endian units, each above 0xFF read as '?') whose header was just read: the text is
// everything before the first zero. False for another chunk type or a short read.
TESSEL_API bool RwStreamReadString(RwStream* stream, const RwChunkHeaderInfo& header,
                                   std::string* text);
