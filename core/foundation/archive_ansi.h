#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// An archive on a stdio file. One recursive lock serialises every operation (and every record
// decoded or encoded in place, through LockStream), so one open archive may be shared between
// threads; nested calls from the same thread pass. The failure state and the access mode are
// atomic and may be read without the lock.
//
// Only regular files are read: a pipe, a FIFO or a device would block or has no size. Writing
// stops with a failure before the file would grow past 2 GiB, as positions are 32-bit.
//
// Stored forms are written and read a few bytes at a time, so the archive keeps its own buffer
// (stdio's is switched off): reads come from a block read ahead, writes collect until the block
// is full, a seek, or Close. Positions and sizes are those of the bytes the caller has read or
// written, as if nothing were buffered.
class CORE_API UArchiveAnsi : public UArchive {
 public:
  UArchiveAnsi() = default;
  // Constructs, then opens; test IsFailed() (or call Open yourself) to learn whether it worked.
  UArchiveAnsi(const char* path, ArAccessMethod mode);
  UArchiveAnsi(const UArchiveAnsi&) = delete;
  UArchiveAnsi& operator=(const UArchiveAnsi&) = delete;
  ~UArchiveAnsi() override;

  // ArWrite creates or truncates the file; ArRead opens an existing one and measures it. Returns
  // 0 when the file cannot be opened, otherwise 1 (also for an unknown mode, which opens nothing).
  // A file still open from before is closed first; when it was being written and not all of it
  // reached the file, Open returns 0 and stays failed without opening `path`, so the loss is not
  // forgotten (Close it first to tell the two apart).
  int Open(const char* path, ArAccessMethod mode) override;
  // Opens for writing onto `stream`, which stays the caller's: Close writes out what is collected
  // and flushes the stream, but leaves it open. Returns 0, failed, for a null stream, and when a
  // file still open from before lost data, as Open does.
  int OpenStream(std::FILE* stream);
  void Seek(int offset, ArchivePos origin) override;
  void Write(const void* data, int size) override;
  void Read(void* data, int size) override;
  void Close() override;
  int TotalSize() override;
  int GetPos() override;
  int RemainingBytes() override;
  void LockStream() override;
  void UnlockStream() override;
  ReadView PeekRead(int min_size) override;
  void SkipRead(int size) override;

 private:
  // Opens `path` without waiting on a FIFO, and refuses what is not a regular file when reading.
  bool OpenFile(const char* path, ArAccessMethod mode);
  // Closes the file open from before, if any, and clears the failure state; false, staying
  // failed, when that file was being written and not all of it reached the file.
  bool CloseEarlierFile();
  // Sets up the buffer and the counts for a file just opened.
  void StartOpened();
  void CloseFile();
  // Writes the collected bytes to the file; false when that failed.
  bool FlushWrites();
  // Forgets the bytes read ahead, after the file was moved elsewhere.
  void DropReadAhead();
  // The position of the next byte the caller reads or writes.
  int64_t LogicalPos() const;

  static constexpr size_t kBufferSize = 64 * 1024;

  std::FILE* m_File = nullptr;
  // Whether Close closes m_File, or only flushes a stream the caller lent.
  bool m_OwnsFile = true;
  std::unique_ptr<unsigned char[]> m_Buffer;
  // Reading: m_Buffer[m_Next, m_End) is read ahead and not yet taken. Writing: m_Buffer[0,
  // m_End) is waiting to be written and m_Next is 0.
  size_t m_Next = 0;
  size_t m_End = 0;
  // Where the file itself stands: past the bytes read ahead, before the bytes collected.
  int64_t m_FilePos = 0;
  std::recursive_mutex m_Lock;
};
