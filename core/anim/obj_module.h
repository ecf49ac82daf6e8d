#pragma once

#include <cstdint>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// A rectangle cut out of one texture image. Frames place modules by their index in the actor's
// module list; the module names its texture by index in the actor's texture table.
class CORE_API UObjModule {
 public:
  UObjModule() = default;
  UObjModule(const UObjModule&) = default;
  UObjModule& operator=(const UObjModule&) = default;
  virtual ~UObjModule();

  // Reads the rectangle as four floats, the edges as fractions of a texture of the given size;
  // each edge becomes size x fraction truncated toward zero and kept to 16 bits.
  void ImportFloat(UArchive& ar, int width, int height);
  // Writes left, top, right and bottom as four u16. The two sizes have no effect.
  void ExportAbsoult(UArchive& ar, int width, int height) const;

  uint16_t texture = 0;
  // A free value the user edits; the model stores and copies it and never interprets it.
  uint16_t Attribute = 0;
  // Pixel rectangle inside the texture; right and bottom are exclusive.
  uint16_t left = 0;
  uint16_t top = 0;
  uint16_t right = 0;
  uint16_t bottom = 0;
};

// Stored form: the six fields as u16, texture first (12 bytes).
CORE_API UArchive& operator<<(UArchive& ar, const UObjModule& module);
CORE_API UArchive& operator>>(UArchive& ar, UObjModule& module);
