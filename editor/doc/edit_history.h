#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/doc/edit_mode.h"

class USurface;

// What the user had selected and which editing mode was on: what undo and redo put back.
struct CEditSelection {
  EditMode mode = EditMode::Module;
  int32_t texture = -1;
  int32_t module = -1;
  int32_t action = -1;
  int32_t frame = -1;
  int32_t actionFrame = -1;
  int32_t placement = -1;
  int32_t shownFrame = -1;
  int32_t tag = -1;
  std::vector<int32_t> placements;  // every selected placement, sorted; `placement` among them
  bool operator==(const CEditSelection&) const = default;
};

// One texture of a kept state: its surface, shared by every state that has it (so a deleted or
// replaced texture can come back without reading its file again), and the file it came from.
struct CHistoryTexture {
  std::shared_ptr<USurface> surface;
  std::string path;
  bool operator==(const CHistoryTexture&) const = default;
};

// The values of placement `placement` of frame `frame` that its stored form leaves out while
// their enable bits are clear; a reader gives such fields 1, 1, 0 and 1 instead.
struct CHiddenPlacement {
  int32_t frame = 0;
  int32_t placement = 0;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  float rotateAngle = 0.0f;
  uint32_t alphaValue = 1;
  bool operator==(const CHiddenPlacement&) const = default;
};

// A stored form shared by the history and whoever else wants the same bytes (the recovery
// copy), never changed once made.
using CStoredForm = std::shared_ptr<const std::vector<unsigned char>>;

// The actor as the history keeps it: its stored form (the bytes a save writes), the placement
// values the stored form leaves out, and its textures.
struct CHistoryState {
  CStoredForm stored;
  std::vector<CHiddenPlacement> hidden;
  std::vector<CHistoryTexture> textures;
  // The same stored bytes and textures: what tells one step from none.
  bool SameStoredForm(const CHistoryState& other) const;
  size_t Bytes() const;
};

// The undo history: a list of states, the first one where the history started, each later one
// the result of a named step. Every entry keeps the whole stored form, so a step costs memory in
// proportion to the size of the actor's stored form; the oldest entries go when there are more
// than `maxSteps` steps or the kept stored forms, with the texture surfaces only the history
// keeps alive, pass `maxBytes`.
class CEditHistory {
 public:
  static constexpr size_t kMaxSteps = 200;
  static constexpr size_t kMaxBytes = size_t{256} << 20;

  explicit CEditHistory(size_t maxSteps = kMaxSteps, size_t maxBytes = kMaxBytes);

  // Forgets every step: `start`, named `name`, becomes the only entry, the saved one when `saved`.
  void Reset(CHistoryState start, std::string name, bool saved);
  // Forgets everything, surfaces included.
  void Clear();
  bool IsEmpty() const { return m_Entries.empty(); }

  // Records the step `name` that led from the current entry to `state`, with the selection before
  // and after it, and drops the entries that could have been redone. The step merges into the
  // current entry instead when `mergeKey` is nonzero, equal to the key that entry was recorded
  // with, and nothing else happened to the history since; a merged step that comes back to the
  // state before it is removed and the redo entries it dropped return. Returns false, recording
  // nothing, when `state` equals the current entry's.
  // `changes` are the listener bits the step told; undoing or redoing it tells them again.
  bool Record(std::string name, uint64_t mergeKey, uint32_t changes, const CEditSelection& before,
              const CEditSelection& after, CHistoryState state);
  // The next Record makes a new step even when its key matches.
  void EndMerge();
  // A Record with `mergeKey` would merge into the current entry.
  bool WouldMerge(uint64_t mergeKey) const {
    return mergeKey != 0 && m_MergeOpen && m_Position > 0 &&
           m_Entries[static_cast<size_t>(m_Position)].mergeKey == mergeKey;
  }

  int Size() const { return static_cast<int>(m_Entries.size()); }
  int Position() const { return m_Position; }
  const std::string& Name(int entry) const { return m_Entries.at(static_cast<size_t>(entry)).name; }
  const CHistoryState& State(int entry) const {
    return m_Entries.at(static_cast<size_t>(entry)).state;
  }
  bool CanUndo() const { return m_Position > 0; }
  bool CanRedo() const { return m_Position + 1 < Size(); }

  // Moves to `entry` (inside the list) and returns the selection to show there: going back, the
  // selection from before the first step undone; going forward, the one after the last step
  // redone.
  CEditSelection MoveTo(int entry);
  // The listener bits of the steps between entries `a` and `b`, either way round.
  uint32_t ChangesBetween(int a, int b) const;

  // The current entry is the saved one / no entry is (the saved state is gone or unknown).
  // Saving also ends a merge: a later drag or nudge makes a step of its own.
  void MarkSaved() {
    EndMerge();
    m_Saved = m_Position;
  }
  void ForgetSaved() { m_Saved = -1; }
  bool IsAtSaved() const { return m_Saved >= 0 && m_Saved == m_Position; }
  // The bytes the history keeps alive: every entry's stored form and hidden values, and each
  // texture surface (width x height x 4) that no longer belongs to the current entry's textures
  // (the texture set), counted once.
  size_t Bytes() const { return m_Bytes + HistoryOnlySurfaceBytes(); }

  // A texture's file was read again: every kept state that holds `old` holds `fresh` instead, and
  // `restate`, when given, is called with each such state and the texture's index in it (to
  // rewrite its stored form). States that replaced or deleted that texture hold another surface
  // or none, and keep theirs.
  void SwapSurface(const USurface* old, const std::shared_ptr<USurface>& fresh,
                   const std::function<void(CHistoryState&, size_t texture)>& restate);

 private:
  struct Entry {
    std::string name;
    uint64_t mergeKey = 0;
    uint32_t changes = 0;
    CEditSelection before;  // selection before the step that made this entry
    CEditSelection after;   // and after it
    CHistoryState state;
  };

  size_t HistoryOnlySurfaceBytes() const;
  void DropOldest();
  // Drops the entries after the current one; while a merging step is open (`keepWhileMerging`)
  // they are kept aside, so a drag that comes back to where it started gives them back.
  void DropRedo(bool keepWhileMerging);
  void RestoreDroppedRedo();

  size_t m_MaxSteps;
  size_t m_MaxBytes;
  std::deque<Entry> m_Entries;
  int m_Position = -1;
  int m_Saved = -1;
  size_t m_Bytes = 0;  // of the stored forms and hidden values
  bool m_MergeOpen = false;
  std::deque<Entry> m_DroppedRedo;  // the redo entries the open merging step replaced
  int m_DroppedSavedOffset = 0;     // where among them the saved entry was, 0 for nowhere
};
