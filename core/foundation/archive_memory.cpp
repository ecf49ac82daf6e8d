#include "core/foundation/archive_memory.h"

#include <algorithm>
#include <climits>
#include <cstring>

UArchiveMemory::UArchiveMemory() {
  Open(nullptr, ArWrite);
}

UArchiveMemory::UArchiveMemory(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  m_Buffer.assign(bytes, bytes + size);
  Open(nullptr, ArRead);
}

int UArchiveMemory::Open(const char* /*path*/, ArAccessMethod mode) {
  ClearFailed();
  m_AccessMethod = mode;
  m_Pos = 0;
  if (mode == ArWrite) {
    m_Buffer.clear();
    m_Size = 0;
  } else if (mode == ArRead) {
    if (m_Buffer.size() > INT_MAX) {
      m_bOpened = false;
      SetFailed();
      return 0;
    }
    m_Size = static_cast<int32_t>(m_Buffer.size());
  } else {
    m_bOpened = false;
    return 0;
  }
  m_bOpened = true;
  return 1;
}

void UArchiveMemory::Seek(int offset, ArchivePos origin) {
  if (!m_bOpened) {
    SetFailed();
    return;
  }
  int64_t base = 0;
  switch (origin) {
    case ArBegin:
      break;
    case ArCurrent:
      base = static_cast<int64_t>(m_Pos);
      break;
    case ArEnd:
      base = static_cast<int64_t>(m_Buffer.size());
      break;
    default:
      return;
  }
  const int64_t target = base + offset;
  if (target < 0 || target > INT_MAX) {
    SetFailed();
    return;
  }
  m_Pos = static_cast<size_t>(target);
}

void UArchiveMemory::Write(const void* data, int size) {
  if (!m_bOpened || size < 0) {
    SetFailed();
    return;
  }
  if (m_AccessMethod != ArWrite || size == 0) {
    return;
  }
  const size_t end = m_Pos + static_cast<size_t>(size);
  if (end > INT_MAX || int64_t{m_Size} + size > INT_MAX) {
    SetFailed();
    return;
  }
  if (m_Buffer.size() < end) {
    m_Buffer.resize(end);
  }
  std::memcpy(m_Buffer.data() + m_Pos, data, static_cast<size_t>(size));
  m_Pos = end;
  m_Size += size;
}

void UArchiveMemory::Read(void* data, int size) {
  if (!m_bOpened || size < 0) {
    SetFailed();
    return;
  }
  if (m_AccessMethod != ArRead || size == 0) {
    return;
  }
  const size_t available = m_Pos < m_Buffer.size() ? m_Buffer.size() - m_Pos : 0;
  const size_t count = std::min(available, static_cast<size_t>(size));
  if (count > 0) {
    std::memcpy(data, m_Buffer.data() + m_Pos, count);
  }
  m_Pos += count;
  if (count < static_cast<size_t>(size)) {
    SetFailed();
  }
}

void UArchiveMemory::Close() {
  m_bOpened = false;
}

int UArchiveMemory::TotalSize() {
  return m_Size;
}

int UArchiveMemory::GetPos() {
  return static_cast<int>(m_Pos);
}

UArchive::ReadView UArchiveMemory::PeekRead(int /*min_size*/) {
  if (!m_bOpened || m_AccessMethod != ArRead || m_Pos >= m_Buffer.size()) {
    return {};
  }
  return {m_Buffer.data() + m_Pos, static_cast<int>(m_Buffer.size() - m_Pos)};
}

void UArchiveMemory::SkipRead(int size) {
  if (m_bOpened && m_AccessMethod == ArRead && size > 0) {
    m_Pos = std::min(m_Buffer.size(), m_Pos + static_cast<size_t>(size));
  }
}
