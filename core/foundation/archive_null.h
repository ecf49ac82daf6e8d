#pragma once

#include "core/core_api.h"
#include "core/foundation/archive.h"

// Counts bytes instead of storing them: writing (or reading) any value through it yields the
// value's stored size. It touches no memory and never fails.
class CORE_API UArchiveNull : public UArchive {
 public:
  UArchiveNull() = default;
  // The arguments are ignored; the counter starts at 0.
  UArchiveNull(const char* path, ArAccessMethod mode);

  int Open(const char* path, ArAccessMethod mode) override;
  void Seek(int offset, ArchivePos origin) override;
  void Write(const void* data, int size) override;
  void Read(void* data, int size) override;
  void Close() override;
  int TotalSize() override;
  int GetPos() override;

 private:
  void Count(int size);

  int32_t m_Counter = 0;
};
