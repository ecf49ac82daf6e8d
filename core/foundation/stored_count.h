#pragma once

#include <cstddef>
#include <cstdint>

#include "core/foundation/archive.h"

// Helpers shared by the readers of stored lists.
//
// Stored files are untrusted input: a count read from one is checked against the bytes that remain
// before anything is allocated or looped over, so reading N bytes allocates O(N) memory.

// Reads a record count. A negative count, or one that the rest of the stream cannot hold at
// `min_record_size` bytes a record, fails the archive. Returns whether the records may be read.
inline bool ReadStoredCount(UArchive& ar, int32_t& count, int min_record_size) {
  ar >> count;
  if (ar.IsFailed()) {
    return false;
  }
  if (!ar.CanHold(count, min_record_size)) {
    ar.SetFailed();
    return false;
  }
  return true;
}

// Makes room for `count` more elements, but only when the stream's size has bounded the count;
// a stream of unknown size gets its elements one by one. `source` is the archive, or the
// in-place reader that reads from it.
template <typename Source, typename Vector>
void ReserveStored(Source& source, Vector& elements, int32_t count) {
  if (source.RemainingBytes() >= 0) {
    elements.reserve(elements.size() + static_cast<size_t>(count));
  }
}
