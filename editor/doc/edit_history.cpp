#include "editor/doc/edit_history.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "core/canvas/surface.h"

bool CHistoryState::SameStoredForm(const CHistoryState& other) const {
  const bool sameBytes = stored == other.stored ||
                         (stored != nullptr && other.stored != nullptr && *stored == *other.stored);
  return sameBytes && textures == other.textures;
}

size_t CHistoryState::Bytes() const {
  return (stored == nullptr ? 0 : stored->size()) + hidden.size() * sizeof(CHiddenPlacement);
}

CEditHistory::CEditHistory(size_t maxSteps, size_t maxBytes)
    : m_MaxSteps(maxSteps), m_MaxBytes(maxBytes) {}

void CEditHistory::Reset(CHistoryState start, std::string name, bool saved) {
  Clear();
  m_Bytes = start.Bytes();
  m_Entries.push_back(Entry{std::move(name), 0, 0, {}, {}, std::move(start)});
  m_Position = 0;
  m_Saved = saved ? 0 : -1;
}

void CEditHistory::Clear() {
  EndMerge();
  m_Entries.clear();
  m_Position = -1;
  m_Saved = -1;
  m_Bytes = 0;
}

bool CEditHistory::Record(std::string name, uint64_t mergeKey, uint32_t changes,
                          const CEditSelection& before, const CEditSelection& after,
                          CHistoryState state) {
  if (m_Entries.empty()) {
    return false;
  }
  Entry& top = m_Entries[static_cast<size_t>(m_Position)];
  if (state.SameStoredForm(top.state)) {
    m_Bytes -= top.state.Bytes();
    top.state.hidden = std::move(state.hidden);
    m_Bytes += top.state.Bytes();
    return false;
  }
  const bool merge = mergeKey != 0 && m_MergeOpen && m_Position > 0 && top.mergeKey == mergeKey;
  if (merge && state.SameStoredForm(m_Entries[static_cast<size_t>(m_Position) - 1].state)) {
    // The drag came back to where it started: no step after all, and what could be redone
    // before it can be again.
    m_Bytes -= top.state.Bytes();
    m_Entries.pop_back();
    --m_Position;
    Entry& start = m_Entries[static_cast<size_t>(m_Position)];
    m_Bytes -= start.state.Bytes();
    start.state.hidden = std::move(state.hidden);
    m_Bytes += start.state.Bytes();
    RestoreDroppedRedo();
    return true;
  }
  if (merge) {
    m_Bytes += state.Bytes();
    m_Bytes -= top.state.Bytes();
    top.state = std::move(state);
    top.after = after;
    top.changes |= changes;
  } else {
    DropRedo(mergeKey != 0);
    m_Bytes += state.Bytes();
    m_Entries.push_back(Entry{std::move(name), mergeKey, changes, before, after, std::move(state)});
    ++m_Position;
  }
  m_MergeOpen = mergeKey != 0;
  while (m_Position > 0 && (static_cast<size_t>(m_Position) > m_MaxSteps || Bytes() > m_MaxBytes)) {
    DropOldest();
  }
  return true;
}

void CEditHistory::DropRedo(bool keepWhileMerging) {
  m_DroppedRedo.clear();
  m_DroppedSavedOffset = keepWhileMerging && m_Saved > m_Position ? m_Saved - m_Position : 0;
  if (m_Saved > m_Position) {
    m_Saved = -1;
  }
  while (CanRedo()) {
    m_Bytes -= m_Entries.back().state.Bytes();
    if (keepWhileMerging) {
      m_DroppedRedo.push_front(std::move(m_Entries.back()));
    }
    m_Entries.pop_back();
  }
}

void CEditHistory::RestoreDroppedRedo() {
  for (Entry& entry : m_DroppedRedo) {
    m_Bytes += entry.state.Bytes();
    m_Entries.push_back(std::move(entry));
  }
  if (m_DroppedSavedOffset > 0) {
    m_Saved = m_Position + m_DroppedSavedOffset;
  }
  m_DroppedRedo.clear();
  m_DroppedSavedOffset = 0;
}

void CEditHistory::EndMerge() {
  m_MergeOpen = false;
  m_DroppedRedo.clear();
  m_DroppedSavedOffset = 0;
}

size_t CEditHistory::HistoryOnlySurfaceBytes() const {
  if (m_Entries.empty()) {
    return 0;
  }
  // The texture set owns its surfaces; seeded with them, the set skips them below.
  std::unordered_set<const USurface*> counted;
  for (const CHistoryTexture& texture : m_Entries[static_cast<size_t>(m_Position)].state.textures) {
    counted.insert(texture.surface.get());
  }
  size_t bytes = 0;
  const auto count = [&](const Entry& entry) {
    for (const CHistoryTexture& texture : entry.state.textures) {
      USurface* surface = texture.surface.get();
      if (surface != nullptr && counted.insert(surface).second) {
        bytes += size_t(std::max(surface->GetWidth(), 0)) *
                 size_t(std::max(surface->GetHeight(), 0)) * 4;
      }
    }
  };
  std::for_each(m_Entries.begin(), m_Entries.end(), count);
  std::for_each(m_DroppedRedo.begin(), m_DroppedRedo.end(), count);
  return bytes;
}

void CEditHistory::SwapSurface(const USurface* old, const std::shared_ptr<USurface>& fresh,
                               const std::function<void(CHistoryState&, size_t texture)>& restate) {
  if (old == nullptr) {
    return;
  }
  // `counted`: the entry's bytes are part of m_Bytes (those kept aside are not).
  const auto swapIn = [&](Entry& entry, bool counted) {
    for (size_t texture = 0; texture < entry.state.textures.size(); ++texture) {
      if (entry.state.textures[texture].surface.get() != old) {
        continue;
      }
      entry.state.textures[texture].surface = fresh;
      if (restate) {
        m_Bytes -= counted ? entry.state.Bytes() : 0;
        restate(entry.state, texture);
        m_Bytes += counted ? entry.state.Bytes() : 0;
      }
    }
  };
  for (Entry& entry : m_Entries) {
    swapIn(entry, true);
  }
  for (Entry& entry : m_DroppedRedo) {
    swapIn(entry, false);
  }
}

void CEditHistory::DropOldest() {
  m_Bytes -= m_Entries.front().state.Bytes();
  m_Entries.pop_front();
  --m_Position;
  m_Saved = m_Saved > 0 ? m_Saved - 1 : -1;
}

CEditSelection CEditHistory::MoveTo(int entry) {
  EndMerge();
  const int from = m_Position;
  m_Position = entry;
  if (entry < from) {
    return m_Entries.at(static_cast<size_t>(entry) + 1).before;
  }
  return m_Entries.at(static_cast<size_t>(entry)).after;
}

uint32_t CEditHistory::ChangesBetween(int a, int b) const {
  uint32_t changes = 0;
  for (int entry = std::min(a, b) + 1; entry <= std::max(a, b); ++entry) {
    changes |= m_Entries.at(static_cast<size_t>(entry)).changes;
  }
  return changes;
}
