#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"
#include "core/foundation/name.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"

class UCanvas;
class UObjModule;
class USurface;

// The per-placement flags and modes. Each field holds a small value; only the bit widths noted
// here survive storage, where the record is packed into one 16-bit word.
struct CORE_API WObjAffine {
  uint32_t FlipX = 0;              // 1 bit: mirror left-right
  uint32_t FlipY = 0;              // 1 bit: mirror top-bottom
  uint32_t Rotate = 0;             // 2 bits: quarter turns 0, 90, 180, 270
  uint32_t ScaleXEnable = 0;       // 1 bit
  uint32_t ScaleYEnable = 0;       // 1 bit
  uint32_t RotateAngleEnable = 0;  // 1 bit
  uint32_t AlphaBlendEnable = 0;   // 1 bit
  uint32_t AlphaBlendMode = 0;     // 4 bits: blend factor, numbered as Direct3D 9's (not drawn)
  uint32_t AlphaBlendOP = 0;       // 3 bits: blend operation (not drawn)
  uint32_t Reserved = 0;           // 1 bit: kept and stored, never read

  bool operator==(const WObjAffine&) const = default;

  // The stored 16-bit word: each field masked to its width, FlipX in bit 0 up to Reserved in bit
  // 15. Inline, as documents unpack one word per placement.
  uint16_t Pack() const;
  static WObjAffine Unpack(uint16_t word);
};

inline uint16_t WObjAffine::Pack() const {
  const uint32_t word =
      (FlipX & 1u) | (FlipY & 1u) << 1 | (Rotate & 3u) << 2 | (ScaleXEnable & 1u) << 4 |
      (ScaleYEnable & 1u) << 5 | (RotateAngleEnable & 1u) << 6 | (AlphaBlendEnable & 1u) << 7 |
      (AlphaBlendMode & 15u) << 8 | (AlphaBlendOP & 7u) << 12 | (Reserved & 1u) << 15;
  return static_cast<uint16_t>(word);
}

inline WObjAffine WObjAffine::Unpack(uint16_t word) {
  WObjAffine affine;
  affine.FlipX = word & 1u;
  affine.FlipY = word >> 1 & 1u;
  affine.Rotate = word >> 2 & 3u;
  affine.ScaleXEnable = word >> 4 & 1u;
  affine.ScaleYEnable = word >> 5 & 1u;
  affine.RotateAngleEnable = word >> 6 & 1u;
  affine.AlphaBlendEnable = word >> 7 & 1u;
  affine.AlphaBlendMode = word >> 8 & 15u;
  affine.AlphaBlendOP = word >> 12 & 7u;
  affine.Reserved = word >> 15 & 1u;
  return affine;
}

// One module placed in a frame.
struct CORE_API TObjFrame {
  uint16_t module = 0;  // index into the actor's module list
  int16_t x = 0;        // offset of the module's top-left corner from the frame origin
  int16_t y = 0;
  WObjAffine affine;
  float ScaleX = 0.0f;       // width factor, applied when affine.ScaleXEnable is 1
  float ScaleY = 0.0f;       // height factor, applied when affine.ScaleYEnable is 1
  float RotateAngle = 0.0f;  // degrees, applied when affine.RotateAngleEnable is 1
  uint32_t AlphaValue = 0;   // opacity in the low byte, applied when affine.AlphaBlendEnable is 1

  bool operator==(const TObjFrame&) const = default;
};

// A named trigger area of a frame.
struct CORE_API TFrameTag {
  UName name;
  int32_t Param1 = 0;
  int32_t Param2 = 0;
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
};

// One picture of a sprite: module placements in drawing order (later ones cover earlier ones),
// an origin added to every placement when drawing, a collision box and trigger areas.
class CORE_API UObjFrame {
 public:
  UObjFrame();
  // Copies everything, tags included.
  UObjFrame(const UObjFrame& other);
  // Copies name, origin, collision box and placements; the tags stay as they were, so a frame
  // duplicated by assignment starts without the source's tags.
  UObjFrame& operator=(const UObjFrame& other);
  virtual ~UObjFrame();

  // Appends a placement of `module` at (x, y), each kept to 16 bits, every other field zero.
  void AddModule(uint16_t module, int x, int y);
  // Removes the placement at `index`; an index outside the list changes nothing.
  void DelModule(int index);
  int GetModuleSize() const { return placements.Num(); }
  // The placement at `index`, valid until the placement list next changes; null for an index
  // outside the list.
  TObjFrame* GetModule(int index);
  const TObjFrame* GetModule(int index) const;
  // Appends a tag at (x, y) with size (0, 0), both parameters 0, named after the tick count.
  void AddTag(int x, int y);
  // Removes the tag at `index`; an index outside the list changes nothing.
  void DelTag(int index);

  // Draws the frame with its origin at `pos` (canvas units): one DrawSurface per placement, in
  // list order, cutting the placed module out of its texture's entry in `surfaces` and carrying
  // the placement's flips, quarter turn, scale, rotation and opacity. A placement whose module
  // is not in `modules`, or whose texture has no surface, is skipped. Nothing is drawn without a
  // canvas or a surface table.
  void Render(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos,
              const std::vector<UObjModule*>& modules) const;

  UName name;
  UPoint16 origin;
  // Relative to the origin; stored and copied, not used by the model.
  URect collision;
  UArray<TFrameTag> tags;
  UArray<TObjFrame> placements;
};

// Stored forms. A tag is one 56-byte block: 4 free bytes (written 0), the name's 32 bytes, its
// hash (u16), 2 bytes of padding (written 0), Param1, Param2 (i32), x, y, width, height (i16).
CORE_API UArchive& operator<<(UArchive& ar, const TFrameTag& tag);
CORE_API UArchive& operator>>(UArchive& ar, TFrameTag& tag);

// The packed word alone.
CORE_API UArchive& operator<<(UArchive& ar, const WObjAffine& affine);
CORE_API UArchive& operator>>(UArchive& ar, WObjAffine& affine);

// A placement: module (u16), x, y (i16), the packed word, then ScaleX, ScaleY, RotateAngle (f32)
// and AlphaValue (u32), each present only when its enable bit is set (8 to 24 bytes). Values not
// present read as 1.0, 1.0, 0.0 and 1.
CORE_API UArchive& operator<<(UArchive& ar, const TObjFrame& placement);
CORE_API UArchive& operator>>(UArchive& ar, TObjFrame& placement);

// A frame: name, origin, collision box, tag count and tags, three reserved i32 (written 0), then
// placement count and placements. Reading appends to the frame's lists. A count the rest of the
// stream cannot hold fails the archive; after a failure the frame keeps the tags and placements
// read completely.
CORE_API UArchive& operator<<(UArchive& ar, const UObjFrame& frame);
CORE_API UArchive& operator>>(UArchive& ar, UObjFrame& frame);

// The fewest bytes a stored frame, tag or placement can take; readers check counts against them.
inline constexpr int kStoredTagSize = 56;
inline constexpr int kMinStoredPlacementSize = 8;
inline constexpr int kMinStoredFrameSize = 32 + 4 + 16 + 4 + 12 + 4;
