#pragma once

#include <atomic>
#include <cstdint>

#include "core/core_api.h"

enum ArAccessMethod : int32_t {
  ArWrite = 0,  // create or truncate the file and write
  ArRead = 1,   // open an existing file and read
};

enum ArchivePos : int32_t {
  ArBegin = 0,
  ArCurrent = 1,
  ArEnd = 2,
};

// The byte stream through which every stored format is written and read. Each stored type has a
// free operator<< (write) and operator>> (read) that end in Write and Read.
//
// Failure state: a short read, a failed open, a failed write, a seek on a stream that cannot move
// (a chunk stream), or a read, write or seek with no file open marks the archive failed until the
// next Open. Readers of stored formats test IsFailed() and use RemainingBytes() to refuse counts
// the rest of the stream cannot hold.
//
// The failure state and the access mode may be read from any thread at any time.
class CORE_API UArchive {
 public:
  UArchive() = default;
  UArchive(const UArchive& other);
  UArchive& operator=(const UArchive& other);
  virtual ~UArchive();

  // Returns 1 on success, 0 on failure.
  virtual int Open(const char* path, ArAccessMethod mode) = 0;
  // An archive that cannot seek fails instead: a writer must not rely on coming back.
  virtual void Seek(int offset, ArchivePos origin) = 0;
  virtual void Write(const void* data, int size) = 0;
  // A read that comes up short leaves the destination bytes it did not reach unchanged.
  virtual void Read(void* data, int size) = 0;
  virtual void Close() = 0;
  // Bytes written so far when writing, the stream length when reading; -1 when unknown.
  virtual int TotalSize() = 0;
  virtual int GetPos() = 0;

  bool IsFailed() const { return m_bFailed.load(std::memory_order_acquire); }
  // Lets a reader that finds damaged data fail the whole read.
  void SetFailed() { m_bFailed.store(true, std::memory_order_release); }
  bool IsLoading() const { return m_AccessMethod.load(std::memory_order_acquire) == ArRead; }
  // Bytes left between the position and the end, or -1 when the stream cannot tell its size.
  virtual int RemainingBytes();
  // Whether `count` records of at least `min_record_size` bytes each can still be in the stream.
  // A negative count never fits; with an unknown size any non-negative count may.
  bool CanHold(int64_t count, int64_t min_record_size);

  // Whole records are decoded from, and encoded into, bytes in memory (StoredReader and
  // StoredWriter); these give them the archive's bytes without a call per value.
  //
  // Held around a record read or written in several steps, so that another thread's calls on the
  // same archive fall before or after it, never inside. Archives without a lock do nothing.
  virtual void LockStream();
  virtual void UnlockStream();
  // The bytes at the read position that the archive already holds in memory: at least
  // `min_size` of them when the stream has that many, fewer only at its end, none when the
  // archive cannot lend its bytes (then Read them). Valid until the next call on the archive.
  struct ReadView {
    const unsigned char* data = nullptr;
    int size = 0;
  };
  virtual ReadView PeekRead(int min_size);
  // Moves the read position past `size` bytes of the last view.
  virtual void SkipRead(int size);

 protected:
  void ClearFailed() { m_bFailed.store(false, std::memory_order_release); }

  std::atomic<ArAccessMethod> m_AccessMethod = ArWrite;
  bool m_bOpened = false;
  int32_t m_Size = 0;

 private:
  std::atomic<bool> m_bFailed = false;
};

// Whether `count` records of at least `min_record_size` bytes each fit in `remaining` bytes. A
// negative count never fits; with an unknown size (-1) any non-negative count may.
inline bool CountFitsIn(int64_t count, int64_t min_record_size, int64_t remaining) {
  return count >= 0 && (remaining < 0 || count * min_record_size <= remaining);
}

// Primitive stored forms: raw little-endian bytes, no tag, length or alignment. long and
// unsigned long are stored in 4 bytes whatever their width here. Each operator returns the archive.
CORE_API UArchive& operator<<(UArchive& ar, const char& v);
CORE_API UArchive& operator<<(UArchive& ar, const signed char& v);
CORE_API UArchive& operator<<(UArchive& ar, const unsigned char& v);
CORE_API UArchive& operator<<(UArchive& ar, const short& v);
CORE_API UArchive& operator<<(UArchive& ar, const unsigned short& v);
CORE_API UArchive& operator<<(UArchive& ar, const int& v);
CORE_API UArchive& operator<<(UArchive& ar, const unsigned int& v);
CORE_API UArchive& operator<<(UArchive& ar, const long& v);
CORE_API UArchive& operator<<(UArchive& ar, const unsigned long& v);
CORE_API UArchive& operator<<(UArchive& ar, const float& v);

CORE_API UArchive& operator>>(UArchive& ar, char& v);
CORE_API UArchive& operator>>(UArchive& ar, signed char& v);
CORE_API UArchive& operator>>(UArchive& ar, unsigned char& v);
CORE_API UArchive& operator>>(UArchive& ar, short& v);
CORE_API UArchive& operator>>(UArchive& ar, unsigned short& v);
CORE_API UArchive& operator>>(UArchive& ar, int& v);
CORE_API UArchive& operator>>(UArchive& ar, unsigned int& v);
CORE_API UArchive& operator>>(UArchive& ar, long& v);
CORE_API UArchive& operator>>(UArchive& ar, unsigned long& v);
CORE_API UArchive& operator>>(UArchive& ar, float& v);
