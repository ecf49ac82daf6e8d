#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// Whole stored records decoded from, and encoded into, little-endian bytes in memory. A document
// holds hundreds of thousands of small values; reading or writing each through the archive would
// cost a virtual call and a lock apiece, so readers take a record's bytes at once and decode them
// in place, and writers collect records in a block.

inline uint16_t LoadU16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline int16_t LoadI16(const unsigned char* p) {
  return static_cast<int16_t>(LoadU16(p));
}
inline uint32_t LoadU32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
inline int32_t LoadI32(const unsigned char* p) {
  return static_cast<int32_t>(LoadU32(p));
}
inline float LoadF32(const unsigned char* p) {
  return std::bit_cast<float>(LoadU32(p));
}

inline void StoreU16(unsigned char* p, uint16_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
inline void StoreI16(unsigned char* p, int16_t v) {
  StoreU16(p, static_cast<uint16_t>(v));
}
inline void StoreU32(unsigned char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    p[i] = static_cast<unsigned char>(v >> (8 * i));
  }
}
inline void StoreI32(unsigned char* p, int32_t v) {
  StoreU32(p, static_cast<uint32_t>(v));
}
inline void StoreF32(unsigned char* p, float v) {
  StoreU32(p, std::bit_cast<uint32_t>(v));
}

// Reads records from an archive in place. While it lives it holds the archive's lock and owns
// the read position (read nothing else from the archive meanwhile, except through Archive()):
// bytes it has taken are given back to the archive when it ends or needs more.
class StoredReader {
 public:
  explicit StoredReader(UArchive& ar) : m_Ar(ar) { m_Ar.LockStream(); }
  StoredReader(const StoredReader&) = delete;
  StoredReader& operator=(const StoredReader&) = delete;
  ~StoredReader() {
    Commit();
    m_Ar.UnlockStream();
  }

  // The next `size` bytes, moved past; null when the stream ends first or has failed (the
  // archive is failed then). The bytes stay valid until the next Take.
  const unsigned char* Take(int size) {
    if (m_End - m_Next >= size) {
      const unsigned char* bytes = m_Next;
      m_Next += size;
      return bytes;
    }
    return TakeSlowly(size);
  }

  // Reads the count of the records named `what` ("texture", static text); a negative one, or one
  // the rest of the stream cannot hold at `min_record_size` bytes a record, fails the archive and
  // is kept as RefusedCount(). Returns whether the records may be read.
  bool TakeCount(int32_t& count, int min_record_size, const char* what) {
    const unsigned char* bytes = Take(4);
    if (bytes == nullptr) {
      return false;
    }
    count = LoadI32(bytes);
    if (!CountFitsIn(count, min_record_size, RemainingBytes())) {
      m_RefusedCount = what;
      m_Ar.SetFailed();
      return false;
    }
    return true;
  }

  // What the count was of that failed the archive, as given to TakeCount; null when none did (a
  // failed archive then ended early).
  const char* RefusedCount() const { return m_RefusedCount; }

  // Bytes left in the stream after what was taken, or -1 when the archive cannot tell.
  int RemainingBytes() {
    if (m_Next == nullptr) {
      return m_Ar.RemainingBytes();
    }
    return m_RemainingAtView < 0 ? -1 : m_RemainingAtView - static_cast<int>(m_Next - m_View);
  }

  // The archive, brought up to date with what was taken (for its position or to fail it).
  UArchive& Archive() {
    Commit();
    return m_Ar;
  }

 private:
  static constexpr int kViewSize = 4096;

  // Moves to the archive's next bytes, or reads this record into our own buffer.
  CORE_API const unsigned char* TakeSlowly(int size);
  // Gives the bytes taken back to the archive and forgets the view.
  CORE_API void Commit();

  UArchive& m_Ar;
  const unsigned char* m_View = nullptr;
  const unsigned char* m_Next = nullptr;
  const unsigned char* m_End = nullptr;
  int m_RemainingAtView = -1;
  const char* m_RefusedCount = nullptr;
  std::vector<unsigned char> m_Scratch;
};

// Writes records to an archive in blocks. While it lives it holds the archive's lock and owns the
// write position (write nothing else to the archive meanwhile); what it collected reaches the
// archive when the block fills and when it ends.
class StoredWriter {
 public:
  explicit StoredWriter(UArchive& ar) : m_Ar(ar) { m_Ar.LockStream(); }
  StoredWriter(const StoredWriter&) = delete;
  StoredWriter& operator=(const StoredWriter&) = delete;
  ~StoredWriter() {
    Flush();
    m_Ar.UnlockStream();
  }

  // Room for the next `size` bytes (at most kBlockSize), to be filled completely.
  unsigned char* Put(int size) {
    if (kBlockSize - m_Used < size) {
      Flush();
    }
    unsigned char* bytes = m_Block + m_Used;
    m_Used += size;
    return bytes;
  }

  void Flush() {
    if (m_Used > 0) {
      m_Ar.Write(m_Block, m_Used);
      m_Used = 0;
    }
  }

  static constexpr int kBlockSize = 16384;

 private:
  UArchive& m_Ar;
  unsigned char m_Block[kBlockSize];
  int m_Used = 0;
};
