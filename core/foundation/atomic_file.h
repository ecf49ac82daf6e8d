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
// A target that exists and is not a regular file (a device such as /dev/null, a FIFO) cannot
// be replaced; it is written directly, with the same checks. So are the names of this process's
// own descriptors (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N), whatever they lead to:
// Stream() then writes through the descriptor itself, keeping its position and append mode, so
// `tool save /dev/stdout >> log` adds to the log and works on a pipe or a socket too; write such
// a target through Stream() only, as opening the name again would start the file anew. A
// symbolic link replaces the file it names, or creates it when it does not exist yet, and stays a
// link. The new file takes the permissions of the one it replaces when it is committed.
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
  // flush, the sync or the rename failed; the target is then untouched. Once the rename is done
  // the target holds the new content, so a folder that cannot be synced after it does not fail.
  bool Commit();
  const std::string& Error() const { return m_Error; }

 private:
  bool Fail(const std::string& what);
  // Removes the temporary file and closes what is open.
  void Discard();
  // Begin for a target that is written in place: a duplicate of `fd` (a descriptor of this
  // process), or `m_Target` opened without waiting for a FIFO's reader when `fd` is -1.
  bool BeginDirect(int fd);

  std::string m_Target;
  // The file the rename replaces: the target, or the file its symbolic link names.
  std::string m_Replaced;
  std::string m_WritePath;
  std::string m_Error;
  // The mode of the file replaced (its type bits included, so 0 only when there is none), whose
  // permissions go on the new file before the rename.
  unsigned m_Mode = 0;
  int m_Fd = -1;
  std::FILE* m_Stream = nullptr;
  bool m_Direct = false;
  bool m_Committed = false;
};
