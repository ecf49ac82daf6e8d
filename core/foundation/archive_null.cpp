#include "core/foundation/archive_null.h"

UArchiveNull::UArchiveNull(const char* /*path*/, ArAccessMethod /*mode*/) {}

int UArchiveNull::Open(const char* /*path*/, ArAccessMethod /*mode*/) {
  return 1;
}

void UArchiveNull::Seek(int /*offset*/, ArchivePos /*origin*/) {}

void UArchiveNull::Write(const void* /*data*/, int size) {
  if (size > 0) {
    m_Counter += size;
  }
}

void UArchiveNull::Read(void* /*data*/, int size) {
  if (size > 0) {
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
