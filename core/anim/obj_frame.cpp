#include "core/anim/obj_frame.h"

#include <cstdio>

#include "core/foundation/logger.h"
#include "core/foundation/stored_count.h"
#include "core/foundation/tick_count.h"
#include "core/foundation/value_io.h"

namespace {

// Bit positions and widths of the packed placement word.
struct PackedField {
  uint32_t WObjAffine::*field;
  int shift;
  int width;
};

constexpr PackedField kPackedFields[] = {
    {&WObjAffine::FlipX, 0, 1},
    {&WObjAffine::FlipY, 1, 1},
    {&WObjAffine::Rotate, 2, 2},
    {&WObjAffine::ScaleXEnable, 4, 1},
    {&WObjAffine::ScaleYEnable, 5, 1},
    {&WObjAffine::RotateAngleEnable, 6, 1},
    {&WObjAffine::AlphaBlendEnable, 7, 1},
    {&WObjAffine::AlphaBlendMode, 8, 4},
    {&WObjAffine::AlphaBlendOP, 12, 3},
    {&WObjAffine::Reserved, 15, 1},
};

constexpr uint32_t Mask(int width) {
  return (1u << width) - 1u;
}

}  // namespace

uint16_t WObjAffine::Pack() const {
  uint32_t word = 0;
  for (const PackedField& f : kPackedFields) {
    word |= (this->*f.field & Mask(f.width)) << f.shift;
  }
  return static_cast<uint16_t>(word);
}

WObjAffine WObjAffine::Unpack(uint16_t word) {
  WObjAffine affine;
  for (const PackedField& f : kPackedFields) {
    affine.*f.field = (uint32_t{word} >> f.shift) & Mask(f.width);
  }
  return affine;
}

UObjFrame::UObjFrame() : origin(0, 0), collision(0, 0, 0, 0) {}

UObjFrame::UObjFrame(const UObjFrame& other) = default;

UObjFrame& UObjFrame::operator=(const UObjFrame& other) {
  if (this != &other) {
    name = other.name;
    origin = other.origin;
    collision = other.collision;
    placements = other.placements;
  }
  return *this;
}

UObjFrame::~UObjFrame() = default;

void UObjFrame::AddModule(uint16_t module, int x, int y) {
  TObjFrame placement;
  placement.module = module;
  placement.x = static_cast<int16_t>(x);
  placement.y = static_cast<int16_t>(y);
  placements.push_back(placement);
}

void UObjFrame::DelModule(int index) {
  if (placements.IsValidIndex(index)) {
    placements.erase(placements.begin() + index);
  }
}

TObjFrame* UObjFrame::GetModule(int index) {
  return placements.IsValidIndex(index) ? &placements[static_cast<size_t>(index)] : nullptr;
}

const TObjFrame* UObjFrame::GetModule(int index) const {
  return placements.IsValidIndex(index) ? &placements[static_cast<size_t>(index)] : nullptr;
}

void UObjFrame::AddTag(int x, int y) {
  TFrameTag tag;
  char text[UName::kBufferSize];
  std::snprintf(text, sizeof(text), "NewTag_%3d", static_cast<int32_t>(GetTickCount()));
  tag.name = UName(text);
  tag.x = static_cast<int16_t>(x);
  tag.y = static_cast<int16_t>(y);
  tags.push_back(tag);
}

void UObjFrame::DelTag(int index) {
  if (tags.IsValidIndex(index)) {
    tags.erase(tags.begin() + index);
  }
}

UArchive& operator<<(UArchive& ar, const TFrameTag& tag) {
  // The first four bytes and the padding carry nothing; the hash is the name's current one.
  ar << int32_t{0};
  ar << tag.name;
  return ar << tag.name.GetGUID() << uint16_t{0} << tag.Param1 << tag.Param2 << tag.x << tag.y
            << tag.width << tag.height;
}

UArchive& operator>>(UArchive& ar, TFrameTag& tag) {
  int32_t ignored_head = 0;
  uint16_t ignored_hash = 0;
  uint16_t ignored_padding = 0;
  ar >> ignored_head;
  ar >> tag.name;
  return ar >> ignored_hash >> ignored_padding >> tag.Param1 >> tag.Param2 >> tag.x >> tag.y >>
         tag.width >> tag.height;
}

UArchive& operator<<(UArchive& ar, const WObjAffine& affine) {
  return ar << affine.Pack();
}

UArchive& operator>>(UArchive& ar, WObjAffine& affine) {
  uint16_t word = 0;
  ar >> word;
  affine = WObjAffine::Unpack(word);
  return ar;
}

UArchive& operator<<(UArchive& ar, const TObjFrame& placement) {
  ar << placement.module << placement.x << placement.y << placement.affine;
  const WObjAffine& affine = placement.affine;
  if (affine.ScaleXEnable & 1) {
    ar << placement.ScaleX;
  }
  if (affine.ScaleYEnable & 1) {
    ar << placement.ScaleY;
  }
  if (affine.RotateAngleEnable & 1) {
    ar << placement.RotateAngle;
  }
  if (affine.AlphaBlendEnable & 1) {
    ar << placement.AlphaValue;
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, TObjFrame& placement) {
  ar >> placement.module >> placement.x >> placement.y >> placement.affine;
  const WObjAffine& affine = placement.affine;
  // Values not stored read as their neutral ones; they matter only once enabled.
  placement.ScaleX = 1.0f;
  placement.ScaleY = 1.0f;
  placement.RotateAngle = 0.0f;
  placement.AlphaValue = 1;
  if (affine.ScaleXEnable != 0) {
    ar >> placement.ScaleX;
  }
  if (affine.ScaleYEnable != 0) {
    ar >> placement.ScaleY;
  }
  if (affine.RotateAngleEnable != 0) {
    ar >> placement.RotateAngle;
  }
  if (affine.AlphaBlendEnable != 0) {
    ar >> placement.AlphaValue;
  }
  return ar;
}

UArchive& operator<<(UArchive& ar, const UObjFrame& frame) {
  ar << frame.name;
  ar << frame.origin << frame.collision << frame.tags.Num();
  for (const TFrameTag& tag : frame.tags) {
    ar << tag;
  }
  ar << int32_t{0} << int32_t{0} << int32_t{0} << frame.placements.Num();
  for (const TObjFrame& placement : frame.placements) {
    ar << placement;
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjFrame& frame) {
  int32_t tag_count = 0;
  ar >> frame.name;
  ar >> frame.origin >> frame.collision;
  if (!ReadStoredCount(ar, tag_count, kStoredTagSize)) {
    return ar;
  }
  ReserveStored(ar, frame.tags, tag_count);
  for (int32_t i = 0; i < tag_count; ++i) {
    TFrameTag tag;
    ar >> tag;
    if (ar.IsFailed()) {
      return ar;
    }
    frame.tags.push_back(tag);
  }

  int32_t reserved[3] = {0, 0, 0};
  int32_t placement_count = 0;
  ar >> reserved[0] >> reserved[1] >> reserved[2];
  if (!ReadStoredCount(ar, placement_count, kMinStoredPlacementSize)) {
    return ar;
  }
  ReserveStored(ar, frame.placements, placement_count);
  for (int32_t i = 0; i < placement_count; ++i) {
    TObjFrame placement;
    ar >> placement;
    if (ar.IsFailed()) {
      Debugger.Log("            error Read filepos %d \n", ar.GetPos());
      Debugger.Log("            info  tobj size %d \n", placement_count);
      Debugger.Log("            info  tobj i\t  %d \n", i);
      return ar;
    }
    frame.placements.push_back(placement);
  }
  return ar;
}
