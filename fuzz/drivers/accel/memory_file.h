#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes in an in-memory file, named through /proc, so that streams open them as a file.
class MemoryFile {
 public:
  MemoryFile() : m_Fd(memfd_create("rws", 0)) {
    if (m_Fd < 0) {
      __builtin_trap();
    }
    m_Path = "/proc/self/fd/" + std::to_string(m_Fd);
  }

  void Fill(const uint8_t* data, size_t size) {
    if (ftruncate(m_Fd, 0) != 0 ||
        (size > 0 && pwrite(m_Fd, data, size, 0) != static_cast<ssize_t>(size))) {
      __builtin_trap();
    }
  }

  const std::string& Path() const { return m_Path; }

 private:
  int m_Fd;
  std::string m_Path;
};
