#include "core/anim/obj_action.h"

#include <algorithm>
#include <limits>

#include "core/anim/obj_frame.h"
#include "core/anim/record_codec.h"
#include "core/foundation/logger.h"

UObjAction::~UObjAction() = default;

void UObjAction::InsFrame(const TActionFrame& key) {
  const auto later = std::find_if(keys.begin(), keys.end(),
                                  [&](const TActionFrame& k) { return k.time > key.time; });
  keys.insert(later, key);
}

void UObjAction::DelFrame(uint32_t time) {
  std::erase_if(keys, [&](const TActionFrame& k) { return k.time == time; });
}

int UObjAction::DelKey(int index) {
  if (!keys.IsValidIndex(index)) {
    return 0;
  }
  keys.erase(keys.begin() + index);
  return 1;
}

void UObjAction::DelOneFrame(uint32_t frame) {
  std::erase_if(keys, [&](const TActionFrame& k) { return k.frame == frame; });
  for (TActionFrame& k : keys) {
    if (k.frame > frame) {
      --k.frame;
    }
  }
}

// With n keys, let i be the index of the first key after t (n when there is none):
// - i = n: kFindInForce gives the last key's frame; the last key never counts as an exact hit.
// - i < n: kFindExact gives key i-1 when it starts exactly at t (exact = 1); then kFindNext
//   gives key i and steps i past it; then kFindInForce gives key i-1.
// `index` receives i - 1.
int UObjAction::GetFrameByTime(uint32_t t, int flags, int* index, int* exact) const {
  const int n = keys.Num();
  if (n == 0) {
    return -1;
  }
  // Keys are sorted; a scan rather than a binary search keeps the answer defined for a damaged
  // document whose keys are not.
  int i = 0;
  while (i < n && keys[static_cast<size_t>(i)].time <= t) {
    ++i;
  }
  auto frame_of = [&](int k) { return static_cast<int>(keys[static_cast<size_t>(k)].frame); };
  int result = -1;
  int e = 0;
  if (i == n) {
    if ((flags & kFindInForce) != 0) {
      result = frame_of(n - 1);
    }
  } else {
    if ((flags & kFindExact) != 0 && i > 0 && keys[static_cast<size_t>(i - 1)].time == t) {
      result = frame_of(i - 1);
      e = 1;
    }
    if ((flags & kFindNext) != 0) {
      result = frame_of(i);
      ++i;
    }
    if ((flags & kFindInForce) != 0 && i > 0) {
      result = frame_of(i - 1);
    }
  }
  if (index != nullptr) {
    *index = i - 1;
  }
  if (exact != nullptr) {
    *exact = e;
  }
  return result;
}

float UObjAction::GetTotalTime() const {
  return keys.empty() ? 0.0f : static_cast<float>(keys.back().time);
}

void UObjAction::Clear() {
  keys.clear();
}

int UObjAction::MoveFrame(int index, uint32_t time) {
  if (!keys.IsValidIndex(index) ||
      std::any_of(keys.begin(), keys.end(),
                  [&](const TActionFrame& k) { return k.time == time; })) {
    return 0;
  }
  keys[static_cast<size_t>(index)].time = time;
  Sort();
  return 1;
}

void UObjAction::Sort() {
  std::stable_sort(keys.begin(), keys.end(),
                   [](const TActionFrame& a, const TActionFrame& b) { return a.time < b.time; });
}

int UObjAction::InsertActionEmptyFrame(int t) {
  int in_force = -1;
  GetFrameByTime(static_cast<uint32_t>(t), kFindInForce | kFindExact, &in_force, nullptr);
  for (size_t i = static_cast<size_t>(std::max(in_force, 0)); i < keys.size(); ++i) {
    // A key already at the last tick stays there rather than wrapping to the start.
    if (keys[i].time != std::numeric_limits<uint32_t>::max()) {
      ++keys[i].time;
    }
  }
  return 1;
}

int UObjAction::DeleteActionEmptyFrame(int t) {
  int in_force = -1;
  GetFrameByTime(static_cast<uint32_t>(t), kFindInForce | kFindExact, &in_force, nullptr);
  size_t first = static_cast<size_t>(std::max(in_force, 0));
  // Keys sharing the time of the key in force move with it, so the keys stay sorted.
  while (first > 0 && first < keys.size() && keys[first - 1].time == keys[first].time) {
    --first;
  }
  for (size_t i = first; i < keys.size(); ++i) {
    if (keys[i].time > 0) {
      --keys[i].time;
    }
  }
  return 1;
}

bool UObjAction::CompareFrame(const std::vector<UObjFrame*>* frames, int i) const {
  if (frames == nullptr || i < 0 || i >= keys.Num() - 1) {
    return false;
  }
  const uint32_t a_index = keys[static_cast<size_t>(i)].frame;
  const uint32_t b_index = keys[static_cast<size_t>(i) + 1].frame;
  // Documents may hold keys that show frames which do not exist; those never blend.
  if (a_index >= frames->size() || b_index >= frames->size()) {
    return false;
  }
  const UObjFrame* a = (*frames)[a_index];
  const UObjFrame* b = (*frames)[b_index];
  if (a == nullptr || b == nullptr || a->placements.size() > b->placements.size()) {
    return false;
  }
  for (size_t j = 0; j < a->placements.size(); ++j) {
    if (a->placements[j].module != b->placements[j].module) {
      return false;
    }
  }
  return true;
}

void UObjAction::SetInterpolation(const std::vector<UObjFrame*>* frames, bool /*enable*/) {
  for (int i = 0; i + 1 < keys.Num(); ++i) {
    TActionFrame& key = keys[static_cast<size_t>(i)];
    if (CompareFrame(frames, i)) {
      key.flags |= kKeyBlendsToNext;
    } else {
      key.flags &= ~kKeyBlendsToNext;
    }
  }
}

UArchive& operator<<(UArchive& ar, const TActionFrame& key) {
  const bool failed_before = ar.IsFailed();
  {
    StoredWriter out(ar);
    WriteKey(out, key);
  }
  if (!failed_before && ar.IsFailed()) {
    Debugger.Log("error reading Action Frame Time %d \n", static_cast<int>(key.time));
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, TActionFrame& key) {
  StoredReader in(ar);
  ReadKey(in, key);
  return ar;
}

UArchive& operator<<(UArchive& ar, const UObjAction& action) {
  StoredWriter out(ar);
  WriteAction(out, action);
  return ar;
}

UArchive& operator>>(UArchive& ar, UObjAction& action) {
  StoredReader in(ar);
  ReadAction(in, action);
  return ar;
}
