// Reads arbitrary bytes as the foundation's stored forms: a list of names, then properties until
// the stream fails or ends. Nothing may crash, overflow or allocate more than the input justifies.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/foundation/archive_memory.h"
#include "core/foundation/name.h"
#include "core/foundation/property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UArchiveMemory ar(data, size);
  UArray<UName> names;
  ar >> names;
  if (names.size() * UName::kBufferSize > size) {
    __builtin_trap();
  }
  while (!ar.IsFailed() && ar.RemainingBytes() > 0) {
    UProperty property;
    ar >> property;
    if (property.GetType() == PROPERTY_STRING &&
        strnlen(property.GetString().c_str(), UString::kBufferSize) >= UString::kBufferSize) {
      __builtin_trap();
    }
  }
  return 0;
}
