#include "core/tiles/stored_block.h"

#include <algorithm>

bool ReadStoredBlock(UArchive& ar, uint64_t size, std::vector<uint8_t>& out) {
  out.clear();
  if (ar.IsFailed()) {
    return false;
  }
  const int remaining = ar.RemainingBytes();
  if (remaining >= 0) {
    if (size > uint64_t(remaining)) {
      ar.SetFailed();
      return false;
    }
    out.resize(size_t(size));
    if (size > 0) {
      ar.Read(out.data(), int(size));
    }
  } else {
    while (out.size() < size && !ar.IsFailed()) {
      const size_t start = out.size();
      const size_t piece = size_t(std::min(size - start, kStoredBlockStep));
      out.resize(start + piece);
      ar.Read(out.data() + start, int(piece));
    }
  }
  if (ar.IsFailed()) {
    out.clear();
    out.shrink_to_fit();
    return false;
  }
  return true;
}
