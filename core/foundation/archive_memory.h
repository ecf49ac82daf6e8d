#pragma once

#include <cstddef>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// An archive over a byte buffer in memory, with the failure rules of the file archive: reading
// past the end copies what is there, leaves the rest of the destination unchanged and fails.
// Used to build and check stored forms without touching the disk.
class CORE_API UArchiveMemory : public UArchive {
 public:
  // An empty buffer, open for writing.
  UArchiveMemory();
  // A copy of `size` bytes at `data`, open for reading.
  UArchiveMemory(const void* data, size_t size);

  // ArWrite empties the buffer and writes from its start; ArRead reads the buffer as it stands
  // from its start (so what was written can be read back). The path is ignored. Returns 1 for
  // either mode, 0 for any other.
  int Open(const char* path, ArAccessMethod mode) override;
  void Seek(int offset, ArchivePos origin) override;
  void Write(const void* data, int size) override;
  void Read(void* data, int size) override;
  // Ends reading or writing; the buffer is kept.
  void Close() override;
  int TotalSize() override;
  int GetPos() override;
  ReadView PeekRead(int min_size) override;
  void SkipRead(int size) override;

  const std::vector<unsigned char>& GetBuffer() const { return m_Buffer; }

 private:
  std::vector<unsigned char> m_Buffer;
  size_t m_Pos = 0;
};
