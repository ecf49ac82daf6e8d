#pragma once

#include <cstdint>
#include <vector>

#include "core/foundation/archive.h"

// Reading a block of bytes whose length comes from untrusted stored data. Internal to Core.

// Reads `size` bytes into `out`. When the archive knows how many bytes remain, a size they
// cannot hold fails the archive before anything is allocated, and the block is allocated once.
// When it cannot tell, the block grows in steps of kStoredBlockStep while it is read, so a length
// that the data does not back costs at most one step. False (the archive failed, `out` empty)
// when the bytes are not all there.
bool ReadStoredBlock(UArchive& ar, uint64_t size, std::vector<uint8_t>& out);

inline constexpr uint64_t kStoredBlockStep = uint64_t{1} << 20;
