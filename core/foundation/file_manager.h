#pragma once

#include <string>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// Files and directories, behind an interface so tools can substitute their own.
class CORE_API UFileManager {
 public:
  virtual ~UFileManager();

  // A new archive opened on `path`, owned by the caller; null when the file cannot be opened.
  virtual UArchive* CreateFileA(const char* path, ArAccessMethod mode) = 0;
  virtual bool DeleteFileA(const char* path) = 0;
  // The file's length in bytes, or -1 when it cannot be measured.
  virtual int FileSize(const char* path) = 0;
  virtual bool MakeDirectory(const char* path) = 0;
  virtual bool DeleteDirectory(const char* path) = 0;
  // Changes the process's current directory.
  virtual bool SetDefDirectory(const char* path) = 0;
  // The process's current directory, in a buffer the manager owns until its next call; null when
  // it cannot be read.
  virtual const char* GetDefDirectory() = 0;
};

// The file manager on the C and POSIX runtime. Each operation reports whether it succeeded.
class CORE_API UFileManagerAnsi : public UFileManager {
 public:
  UArchive* CreateFileA(const char* path, ArAccessMethod mode) override;
  bool DeleteFileA(const char* path) override;
  int FileSize(const char* path) override;
  bool MakeDirectory(const char* path) override;
  bool DeleteDirectory(const char* path) override;
  bool SetDefDirectory(const char* path) override;
  const char* GetDefDirectory() override;

 private:
  std::string m_CurrentDirectory;
};
