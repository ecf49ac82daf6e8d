#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "core/core_api.h"

// Opening a path for reading waits forever when it names a FIFO without a writer, and reads
// without end from a device such as /dev/zero. Readers of files go through these functions,
// which open only regular files and never wait for the other end of a FIFO.

// Opens `path` with open(2) `flags` (and `mode` for a file it creates) without waiting on a FIFO:
// the open is non-blocking, and the descriptor is made blocking again before it is returned. A
// FIFO opened for writing without a reader fails at once. -1 with errno set when it fails.
CORE_API int OpenWithoutWaiting(const char* path, int flags, unsigned mode = 0666);

// The regular file at `path` opened with stdio for reading in binary mode, or null when `path`
// is null, missing, unreadable or not a regular file (a folder, a FIFO, a device). The caller
// owns the stream and closes it with fclose. On null, errno says why: the error of the open, or
// EISDIR for a folder and EINVAL for anything else that is not a regular file.
CORE_API std::FILE* OpenRegularFileForReading(const char* path);

// Reads the whole regular file at `path` into `bytes`. False, leaving `bytes` as it was, when the
// file cannot be opened as OpenRegularFileForReading opens it, a read fails, or the file holds
// more than `maxBytes` bytes (found before anything larger is allocated).
CORE_API bool ReadRegularFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes);
