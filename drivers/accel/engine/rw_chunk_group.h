#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "drivers/accel/engine/rw_stream.h"
#include "drivers/accel/tessel_api.h"

// A named group of chunks in a stream: a group-start chunk, any chunks, a group-end chunk. The
// start chunk's payload is a 32-bit word (1) and the name as a string chunk; the end chunk has
// no payload. Groups nest by writing one inside another.
class TESSEL_API RwChunkGroup {
 public:
  static constexpr size_t kMaxNameLength = 31;

  RwChunkGroup() = default;
  // A name longer than kMaxNameLength characters leaves the group's name empty.
  explicit RwChunkGroup(const std::string& name);

  const std::string& GetName() const { return m_Name; }

  // Writes the group-start chunk, header included; false on a write failure.
  bool StreamWriteBegin(RwStream* stream) const;
  // Writes the group-end chunk; false on a write failure.
  static bool StreamWriteEnd(RwStream* stream);
  // Reads the payload of a group-start chunk of `size` bytes whose header was just read: the
  // word, then a string or wide-string chunk with the name, which must lie within the payload
  // (bytes after it are skipped). False, with the name left as it was, for a short or damaged
  // payload (the stream's error says which).
  bool StreamReadBegin(RwStream* stream, uint32_t size);

 private:
  std::string m_Name;
};
