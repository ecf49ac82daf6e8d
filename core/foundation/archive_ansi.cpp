#include "core/foundation/archive_ansi.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/foundation/regular_file.h"

using Lock = std::lock_guard<std::recursive_mutex>;

UArchiveAnsi::UArchiveAnsi(const char* path, ArAccessMethod mode) {
  Open(path, mode);
}

UArchiveAnsi::~UArchiveAnsi() {
  CloseFile();
}

int UArchiveAnsi::Open(const char* path, ArAccessMethod mode) {
  Lock lock(m_Lock);
  if (!CloseEarlierFile()) {
    return 0;
  }
  m_AccessMethod = mode;
  if (mode != ArWrite && mode != ArRead) {
    return 1;
  }
  if (path == nullptr || !OpenFile(path, mode)) {
    SetFailed();
    return 0;
  }
  m_OwnsFile = true;
  StartOpened();
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

int UArchiveAnsi::OpenStream(std::FILE* stream) {
  Lock lock(m_Lock);
  if (!CloseEarlierFile()) {
    return 0;
  }
  m_AccessMethod = ArWrite;
  if (stream == nullptr) {
    SetFailed();
    return 0;
  }
  m_File = stream;
  m_OwnsFile = false;
  StartOpened();
  return 1;
}

bool UArchiveAnsi::CloseEarlierFile() {
  if (m_File != nullptr) {
    const bool was_writing = m_AccessMethod == ArWrite;
    CloseFile();
    if (was_writing && IsFailed()) {
      return false;
    }
  }
  ClearFailed();
  return true;
}

void UArchiveAnsi::StartOpened() {
  if (m_Buffer == nullptr) {
    m_Buffer = std::make_unique_for_overwrite<unsigned char[]>(kBufferSize);
  }
  m_bOpened = true;
  m_Size = 0;
  m_FilePos = 0;
}

bool UArchiveAnsi::OpenFile(const char* path, ArAccessMethod mode) {
  if (mode == ArRead) {
    m_File = OpenRegularFileForReading(path);
  } else {
    // A device such as /dev/null can be written; a FIFO without a reader fails at once instead
    // of waiting for one.
    const int fd = OpenWithoutWaiting(path, O_WRONLY | O_CREAT | O_TRUNC);
    if (fd < 0) {
      return false;
    }
    m_File = ::fdopen(fd, "wb");
    if (m_File == nullptr) {
      ::close(fd);
    }
  }
  if (m_File == nullptr) {
    return false;
  }
  // The archive buffers by itself; a second buffer in stdio would only copy every byte twice.
  std::setvbuf(m_File, nullptr, _IONBF, 0);
  return true;
}

void UArchiveAnsi::Seek(int offset, ArchivePos origin) {
  Lock lock(m_Lock);
  if (m_File == nullptr) {
    SetFailed();
    return;
  }
  if (origin != ArBegin && origin != ArCurrent && origin != ArEnd) {
    return;
  }
  if (m_AccessMethod == ArWrite && !FlushWrites()) {
    SetFailed();
  }
  if (origin == ArEnd) {
    if (std::fseek(m_File, offset, SEEK_END) != 0) {
      SetFailed();
      return;
    }
    DropReadAhead();
    m_FilePos = std::ftell(m_File);
    return;
  }
  // The file stands past the bytes read ahead, so a move from the current position is made from
  // the position the caller sees.
  const int64_t target = (origin == ArCurrent ? LogicalPos() : 0) + offset;
  if (target < 0 || target > LONG_MAX ||
      std::fseek(m_File, static_cast<long>(target), SEEK_SET) != 0) {
    SetFailed();
    return;
  }
  DropReadAhead();
  m_FilePos = target;
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
  // Positions and the byte count are 32-bit: a write that would pass 2 GiB is refused whole.
  if (LogicalPos() + size > INT_MAX || int64_t{m_Size} + size > INT_MAX) {
    SetFailed();
    return;
  }
  m_Size += size;
  const auto count = static_cast<size_t>(size);
  if (m_End + count <= kBufferSize) {
    std::memcpy(m_Buffer.get() + m_End, data, count);
    m_End += count;
    return;
  }
  if (!FlushWrites()) {
    SetFailed();
  }
  if (count < kBufferSize) {
    std::memcpy(m_Buffer.get(), data, count);
    m_End = count;
    return;
  }
  // A block as large as the buffer goes straight to the file.
  if (std::fwrite(data, count, 1, m_File) != 1) {
    SetFailed();
  }
  m_FilePos += size;
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
  auto* out = static_cast<unsigned char*>(data);
  auto wanted = static_cast<size_t>(size);
  const size_t ahead = m_End - m_Next;
  if (ahead >= wanted) {
    std::memcpy(out, m_Buffer.get() + m_Next, wanted);
    m_Next += wanted;
    return;
  }
  // Take what is read ahead, then read on. A read that comes up short stores what it got and
  // leaves the rest of the destination as it was.
  std::memcpy(out, m_Buffer.get() + m_Next, ahead);
  out += ahead;
  wanted -= ahead;
  DropReadAhead();
  if (wanted >= kBufferSize) {
    const size_t got = std::fread(out, 1, wanted, m_File);
    m_FilePos += static_cast<int64_t>(got);
    if (got < wanted) {
      SetFailed();
    }
    return;
  }
  const size_t got = std::fread(m_Buffer.get(), 1, kBufferSize, m_File);
  m_FilePos += static_cast<int64_t>(got);
  m_End = got;
  const size_t taken = std::min(got, wanted);
  std::memcpy(out, m_Buffer.get(), taken);
  m_Next = taken;
  if (taken < wanted) {
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
  const int64_t pos = LogicalPos();
  return pos < 0 || pos > INT_MAX ? 0 : static_cast<int>(pos);
}

int UArchiveAnsi::RemainingBytes() {
  Lock lock(m_Lock);
  return UArchive::RemainingBytes();
}

void UArchiveAnsi::LockStream() {
  m_Lock.lock();
}

void UArchiveAnsi::UnlockStream() {
  m_Lock.unlock();
}

UArchive::ReadView UArchiveAnsi::PeekRead(int min_size) {
  Lock lock(m_Lock);
  if (m_File == nullptr || m_AccessMethod != ArRead || min_size < 0 ||
      static_cast<size_t>(min_size) > kBufferSize) {
    return {};
  }
  size_t ahead = m_End - m_Next;
  if (ahead < static_cast<size_t>(min_size)) {
    // Keep the bytes not yet taken at the front and read on behind them.
    std::memmove(m_Buffer.get(), m_Buffer.get() + m_Next, ahead);
    m_Next = 0;
    m_End = ahead;
    const size_t got = std::fread(m_Buffer.get() + m_End, 1, kBufferSize - m_End, m_File);
    m_FilePos += static_cast<int64_t>(got);
    m_End += got;
    ahead = m_End;
  }
  return {m_Buffer.get() + m_Next, static_cast<int>(ahead)};
}

void UArchiveAnsi::SkipRead(int size) {
  Lock lock(m_Lock);
  if (m_AccessMethod == ArRead && size > 0) {
    m_Next += std::min(static_cast<size_t>(size), m_End - m_Next);
  }
}

int64_t UArchiveAnsi::LogicalPos() const {
  if (m_AccessMethod == ArWrite) {
    return m_FilePos + static_cast<int64_t>(m_End);
  }
  return m_FilePos - static_cast<int64_t>(m_End - m_Next);
}

bool UArchiveAnsi::FlushWrites() {
  if (m_End == 0) {
    return true;
  }
  const bool written = std::fwrite(m_Buffer.get(), m_End, 1, m_File) == 1;
  m_FilePos += static_cast<int64_t>(m_End);
  m_End = 0;
  return written;
}

void UArchiveAnsi::DropReadAhead() {
  m_Next = 0;
  m_End = 0;
}

void UArchiveAnsi::CloseFile() {
  if (m_File == nullptr) {
    return;
  }
  // Closing writes what is still collected; a write that fails there fails the archive.
  if (m_AccessMethod == ArWrite && !FlushWrites()) {
    SetFailed();
  }
  // A stream the caller lent stays open, but what was written to it must reach its file.
  const bool closed = m_OwnsFile ? std::fclose(m_File) == 0 : std::fflush(m_File) == 0;
  if (!closed && m_AccessMethod == ArWrite) {
    SetFailed();
  }
  m_File = nullptr;
  m_bOpened = false;
  DropReadAhead();
  m_FilePos = 0;
}
