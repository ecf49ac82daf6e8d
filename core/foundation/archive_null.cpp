#include "core/foundation/archive_null.h"

#include <climits>
#include <cstdint>

UArchiveNull::UArchiveNull(const char* /*path*/, ArAccessMethod /*mode*/) {}

int UArchiveNull::Open(const char* /*path*/, ArAccessMethod /*mode*/) {
  return 1;
}

void UArchiveNull::Seek(int /*offset*/, ArchivePos /*origin*/) {}

void UArchiveNull::Write(const void* /*data*/, int size) {
  Count(size);
}

void UArchiveNull::Read(void* /*data*/, int size) {
  Count(size);
}

void UArchiveNull::Count(int size) {
  // The count is 32-bit like every size: what would pass 2 GiB fails instead of wrapping.
  if (size > 0 && int64_t{m_Counter} + size > INT_MAX) {
    SetFailed();
  } else if (size > 0) {
    m_Counter += size;
  }
}

void UArchiveNull::Close() {}

int UArchiveNull::TotalSize() {
  return m_Counter;
}

int UArchiveNull::GetPos() {
  return m_Counter;
}
