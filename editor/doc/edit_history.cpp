#include "editor/doc/edit_history.h"

#include <algorithm>
#include <utility>

CEditHistory::CEditHistory(size_t maxSteps, size_t maxBytes)
    : m_MaxSteps(maxSteps), m_MaxBytes(maxBytes) {}

void CEditHistory::Reset(CHistoryState start, std::string name, bool saved) {
  Clear();
  m_Bytes = start.stored.size();
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
  if (m_Entries.empty() || state == m_Entries[static_cast<size_t>(m_Position)].state) {
    return false;
  }
  Entry& top = m_Entries[static_cast<size_t>(m_Position)];
  const bool merge = mergeKey != 0 && m_MergeOpen && m_Position > 0 && top.mergeKey == mergeKey;
  if (merge && state == m_Entries[static_cast<size_t>(m_Position) - 1].state) {
    // The drag came back to where it started: no step after all, and what could be redone
    // before it can be again.
    m_Bytes -= top.state.stored.size();
    m_Entries.pop_back();
    --m_Position;
    RestoreDroppedRedo();
    return true;
  }
  if (merge) {
    m_Bytes += state.stored.size();
    m_Bytes -= top.state.stored.size();
    top.state = std::move(state);
    top.after = after;
    top.changes |= changes;
  } else {
    DropRedo(mergeKey != 0);
    m_Bytes += state.stored.size();
    m_Entries.push_back(Entry{std::move(name), mergeKey, changes, before, after, std::move(state)});
    ++m_Position;
  }
  m_MergeOpen = mergeKey != 0;
  while (m_Position > 0 && (static_cast<size_t>(m_Position) > m_MaxSteps || m_Bytes > m_MaxBytes)) {
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
    m_Bytes -= m_Entries.back().state.stored.size();
    if (keepWhileMerging) {
      m_DroppedRedo.push_front(std::move(m_Entries.back()));
    }
    m_Entries.pop_back();
  }
}

void CEditHistory::RestoreDroppedRedo() {
  for (Entry& entry : m_DroppedRedo) {
    m_Bytes += entry.state.stored.size();
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

void CEditHistory::DropOldest() {
  m_Bytes -= m_Entries.front().state.stored.size();
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
