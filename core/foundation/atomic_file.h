#pragma once

#include <cstdio>
#include <string>

#include "core/core_api.h"

// Replaces a file so that readers see either its old content or the whole new one, never a part,
// even across a crash or a full disk. The new content goes to a temporary file beside the target
// (a name no other writer in any process uses); Commit flushes and syncs it, checks every result,
// renames it over the target and syncs the folder, so the new name itself is on the disk. A
// writer that is destroyed without a successful Commit removes its temporary file and leaves the
// target as it was.
//
// A target that exists and is not a regular file (a device such as /dev/stdout, a FIFO) cannot
// be replaced; it is written directly, with the same checks. A symbolic link to a file replaces
// the file it names and stays a link. The new file keeps the permissions of the one it replaces.
//
//   UAtomicFile file(path);
//   if (!file.Begin()) { ... file.Error() ... }
//   write through file.Stream(), or open file.Path() with any writer and close it again
//   if (!file.Commit()) { ... file.Error() ... }
class CORE_API UAtomicFile {
 public:
  explicit UAtomicFile(std::string target);
  UAtomicFile(const UAtomicFile&) = delete;
  UAtomicFile& operator=(const UAtomicFile&) = delete;
  ~UAtomicFile();

  // Creates the temporary file (or opens the device). False, with the reason in Error(), when
  // the folder does not exist or cannot be written, or the target is a folder.
  bool Begin();
  // Where the new content goes: the temporary file, or the target itself when it is a device.
  const std::string& Path() const { return m_WritePath; }
  // The file opened for writing with stdio; owned here, never closed by the caller. Null before
  // Begin.
  std::FILE* Stream();
  // Makes the new content the target's. False, with the reason in Error(), when any write, the
  // flush, the sync or the rename failed; the target is then untouched.
  bool Commit();
  const std::string& Error() const { return m_Error; }

 private:
  bool Fail(const std::string& what);
  // Removes the temporary file and closes what is open.
  void Discard();

  std::string m_Target;
  // The file the rename replaces: the target, or the file its symbolic link names.
  std::string m_Replaced;
  std::string m_WritePath;
  std::string m_Error;
  int m_Fd = -1;
  std::FILE* m_Stream = nullptr;
  bool m_Direct = false;
  bool m_Committed = false;
};
