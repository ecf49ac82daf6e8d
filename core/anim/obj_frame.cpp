#include "core/anim/obj_frame.h"

#include <cstdio>

#include "core/anim/record_codec.h"
#include "core/foundation/tick_count.h"
#include "core/foundation/value_io.h"

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
  StoredWriter out(ar);
  WriteTag(out, tag);
  return ar;
}

UArchive& operator>>(UArchive& ar, TFrameTag& tag) {
  StoredReader in(ar);
  ReadTag(in, tag);
  return ar;
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
  StoredWriter out(ar);
  WritePlacement(out, placement);
  return ar;
}

UArchive& operator>>(UArchive& ar, TObjFrame& placement) {
  StoredReader in(ar);
  ReadPlacement(in, placement);
  return ar;
}

UArchive& operator<<(UArchive& ar, const UObjFrame& frame) {
  StoredWriter out(ar);
  WriteFrame(out, frame);
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjFrame& frame) {
  StoredReader in(ar);
  ReadFrame(in, frame);
  return ar;
}
