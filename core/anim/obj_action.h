#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"
#include "core/foundation/name.h"

class UObjFrame;

// A key of an action: from `time` on, show frame `frame`.
struct CORE_API TActionFrame {
  uint32_t time = 0;   // tick at which the key starts
  uint32_t frame = 0;  // index into the actor's frame list
  uint32_t flags = 0;  // bit 0: blend from this key's frame toward the next key's
  uint32_t reserved = 0;

  bool operator==(const TActionFrame&) const = default;
};

// Bit 0 of TActionFrame::flags.
inline constexpr uint32_t kKeyBlendsToNext = 1;

// Flags of UObjAction::GetFrameByTime.
inline constexpr int kFindInForce = 1;  // the key in force at the time
inline constexpr int kFindExact = 2;    // the key starting exactly at the time
inline constexpr int kFindNext = 4;     // the first key after the time

// One named animation: keys sorted by ascending time. The action's length is the time of its
// last key, whose frame is shown from then on.
class CORE_API UObjAction {
 public:
  UObjAction() = default;
  UObjAction(const UObjAction&) = default;
  UObjAction& operator=(const UObjAction&) = default;
  virtual ~UObjAction();

  // Inserts `key` after every key whose time is at most key.time.
  void InsFrame(const TActionFrame& key);
  // Removes every key at `time`.
  void DelFrame(uint32_t time);
  // Removes key `index` alone, leaving other keys at the same time. Returns 0 and changes
  // nothing for an index outside the list, else 1.
  int DelKey(int index);
  // Keeps the keys consistent once frame `frame` leaves the actor's frame list: keys showing it
  // go, keys showing a later frame move down one index.
  void DelOneFrame(uint32_t frame);
  // The time lookup. `flags` combines kFindInForce, kFindExact and kFindNext; see the .cpp for
  // the exact rule. Returns a frame index or -1. `index` receives the index of the key found
  // and `exact` whether it starts exactly at `t`; both may be null and are left unwritten when
  // there are no keys.
  int GetFrameByTime(uint32_t t, int flags, int* index, int* exact) const;
  // The time of the last key; 0 without keys.
  float GetTotalTime() const;
  void Clear();
  // Moves key `index` to `time` and re-sorts. Returns 0 and changes nothing when `index` is
  // outside the list or a key (that one included) is already at `time`; 1 otherwise.
  int MoveFrame(int index, uint32_t time);
  // Stable sort by ascending time.
  void Sort();
  // Lengthens the action by one tick at `t`: the key in force at `t` and every later key start
  // one tick later. Returns 1.
  int InsertActionEmptyFrame(int t);
  // Shortens the action by one tick at `t`: the key in force at `t` (with every key sharing its
  // time) and every later key start one tick earlier, a key at 0 staying at 0. Returns 1.
  int DeleteActionEmptyFrame(int t);
  // Whether key i can blend toward key i + 1: both frames exist, and the first frame's
  // placements place the same modules as the first placements of the second.
  bool CompareFrame(const std::vector<UObjFrame*>* frames, int i) const;
  // Sets or clears the blend bit of every key but the last from CompareFrame; the last key's
  // bit is left as it is. The flag has no effect.
  void SetInterpolation(const std::vector<UObjFrame*>* frames, bool enable);

  UName name;
  UArray<TActionFrame> keys;
  // Edited by the user under "speed"; stored and copied, not interpreted by the model.
  int32_t speed = 255;
};

// A key: time, frame, flags, reserved as u32 (16 bytes). Reading sets flags and reserved to 0;
// blend bits are recomputed from the frames.
CORE_API UArchive& operator<<(UArchive& ar, const TActionFrame& key);
CORE_API UArchive& operator>>(UArchive& ar, TActionFrame& key);

// An action: name, speed (i32), key count and keys. Reading empties the keys first; a count the
// rest of the stream cannot hold fails the archive, and after a failure the action keeps the
// keys read completely.
CORE_API UArchive& operator<<(UArchive& ar, const UObjAction& action);
CORE_API UArchive& operator>>(UArchive& ar, UObjAction& action);

inline constexpr int kStoredKeySize = 16;
inline constexpr int kMinStoredActionSize = 32 + 4 + 4;
