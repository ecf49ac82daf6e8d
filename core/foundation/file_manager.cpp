#include "core/foundation/file_manager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "core/foundation/archive_ansi.h"

UFileManager::~UFileManager() = default;

UArchive* UFileManagerAnsi::CreateFileA(const char* path, ArAccessMethod mode) {
  auto archive = std::make_unique<UArchiveAnsi>();
  if (archive->Open(path, mode) == 0) {
    return nullptr;
  }
  return archive.release();
}

bool UFileManagerAnsi::DeleteFileA(const char* path) {
  return path != nullptr && std::remove(path) == 0;
}

int UFileManagerAnsi::FileSize(const char* path) {
  struct stat info {};
  if (path == nullptr || ::stat(path, &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size > INT_MAX) {
    return -1;
  }
  return static_cast<int>(info.st_size);
}

bool UFileManagerAnsi::MakeDirectory(const char* path) {
  return path != nullptr && ::mkdir(path, 0777) == 0;
}

bool UFileManagerAnsi::DeleteDirectory(const char* path) {
  return path != nullptr && ::rmdir(path) == 0;
}

bool UFileManagerAnsi::SetDefDirectory(const char* path) {
  return path != nullptr && ::chdir(path) == 0;
}

const char* UFileManagerAnsi::GetDefDirectory() {
  std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
  if (!cwd) {
    return nullptr;
  }
  m_CurrentDirectory = cwd.get();
  return m_CurrentDirectory.c_str();
}
