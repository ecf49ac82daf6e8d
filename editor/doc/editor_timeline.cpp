// The timeline's questions and its play-position pick.
#include <cstdint>

#include "editor/doc/vello_editor.h"

int CVelloEditor::FindActionKey(uint32_t t, int* index, bool* exact) const {
  *index = -1;
  *exact = false;
  if (actor == nullptr || !actor->actions.IsValidIndex(selectedAction)) {
    return -1;
  }
  const UArray<TActionFrame>& keys = actor->actions[static_cast<size_t>(selectedAction)]->keys;
  // Keys are in time order: the last one at or before `t` is in force there. Unlike the
  // model's lookup this also reports the last key as starting exactly at its time, so that it
  // can be dragged and deleted like any other.
  for (int i = 0; i < keys.Num() && keys[static_cast<size_t>(i)].time <= t; ++i) {
    *index = i;
  }
  if (*index < 0) {
    return -1;
  }
  const TActionFrame& key = keys[static_cast<size_t>(*index)];
  *exact = key.time == t;
  return actor->frames.IsValidIndex(static_cast<int>(key.frame)) ? static_cast<int>(key.frame) : -1;
}

void CVelloEditor::PickTime(uint32_t t) {
  if (actor == nullptr) {
    return;
  }
  int index = -1;
  bool exact = false;
  const int frame = FindActionKey(t, &index, &exact);
  // A picked time is edited, not played on from: the view shows the key's frame still.
  const bool wasPlaying = isPlaying;
  isPlaying = false;
  playTime = static_cast<float>(t);
  selectedActionFrame = index;
  selectedFrame = frame;
  shownFrame = frame;
  mode = EditMode::Frame;
  ClearPlacementSelection();
  ClearTagSelection();
  Notify(kChangeSelection | kChangePlayTime | (wasPlaying ? kChangeTools : 0u));
}
