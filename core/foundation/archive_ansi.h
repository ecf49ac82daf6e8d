#pragma once

#include <cstdio>
#include <mutex>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// An archive on a stdio file. One recursive lock serialises Open, Seek, Write, Read, GetPos and
// Close, so one open archive may be shared between threads; nested calls from the same thread
// pass.
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
  // A file still open from before is closed first.
  int Open(const char* path, ArAccessMethod mode) override;
  void Seek(int offset, ArchivePos origin) override;
  void Write(const void* data, int size) override;
  void Read(void* data, int size) override;
  void Close() override;
  int TotalSize() override;
  int GetPos() override;

 private:
  void CloseFile();

  std::FILE* m_File = nullptr;
  std::recursive_mutex m_Lock;
};
