#include "core/foundation/archive_ansi.h"

#include <climits>

using Lock = std::lock_guard<std::recursive_mutex>;

UArchiveAnsi::UArchiveAnsi(const char* path, ArAccessMethod mode) {
  Open(path, mode);
}

UArchiveAnsi::~UArchiveAnsi() {
  CloseFile();
}

int UArchiveAnsi::Open(const char* path, ArAccessMethod mode) {
  Lock lock(m_Lock);
  CloseFile();
  ClearFailed();
  m_AccessMethod = mode;
  if (mode != ArWrite && mode != ArRead) {
    return 1;
  }
  if (path == nullptr) {
    SetFailed();
    return 0;
  }
  m_File = std::fopen(path, mode == ArWrite ? "wb" : "rb");
  if (m_File == nullptr) {
    SetFailed();
    return 0;
  }
  m_bOpened = true;
  m_Size = 0;
  if (mode == ArRead) {
    // Sizes and positions are 32-bit in every stored form; a longer file cannot be read.
    long length = -1;
    if (std::fseek(m_File, 0, SEEK_END) == 0) {
      length = std::ftell(m_File);
    }
    if (length < 0 || length > INT_MAX || std::fseek(m_File, 0, SEEK_SET) != 0) {
      CloseFile();
      SetFailed();
      return 0;
    }
    m_Size = static_cast<int32_t>(length);
  }
  return 1;
}

void UArchiveAnsi::Seek(int offset, ArchivePos origin) {
  Lock lock(m_Lock);
  if (m_File == nullptr) {
    SetFailed();
    return;
  }
  int whence = 0;
  switch (origin) {
    case ArBegin:
      whence = SEEK_SET;
      break;
    case ArCurrent:
      whence = SEEK_CUR;
      break;
    case ArEnd:
      whence = SEEK_END;
      break;
    default:
      return;
  }
  if (std::fseek(m_File, offset, whence) != 0) {
    SetFailed();
  }
}

void UArchiveAnsi::Write(const void* data, int size) {
  Lock lock(m_Lock);
  if (m_File == nullptr || size < 0) {
    SetFailed();
    return;
  }
  if (m_AccessMethod != ArWrite || size == 0) {
    return;
  }
  if (std::fwrite(data, static_cast<size_t>(size), 1, m_File) != 1) {
    SetFailed();
  }
  m_Size += size;
}

void UArchiveAnsi::Read(void* data, int size) {
  Lock lock(m_Lock);
  if (m_File == nullptr || size < 0) {
    SetFailed();
    return;
  }
  if (m_AccessMethod != ArRead || size == 0) {
    return;
  }
  // fread of one block stores what it did get and leaves the rest of the destination as it was.
  if (std::fread(data, static_cast<size_t>(size), 1, m_File) != 1) {
    SetFailed();
  }
}

void UArchiveAnsi::Close() {
  Lock lock(m_Lock);
  CloseFile();
}

int UArchiveAnsi::TotalSize() {
  Lock lock(m_Lock);
  return m_Size;
}

int UArchiveAnsi::GetPos() {
  Lock lock(m_Lock);
  if (m_File == nullptr) {
    return 0;
  }
  const long pos = std::ftell(m_File);
  return pos < 0 || pos > INT_MAX ? 0 : static_cast<int>(pos);
}

void UArchiveAnsi::CloseFile() {
  if (m_File == nullptr) {
    return;
  }
  // Closing flushes what stdio still buffers; a write that fails there fails the archive.
  if (std::fclose(m_File) != 0 && m_AccessMethod == ArWrite) {
    SetFailed();
  }
  m_File = nullptr;
  m_bOpened = false;
}
