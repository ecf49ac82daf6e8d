#include "editor/doc/edit_history.h"

#include <utility>

CEditHistory::CEditHistory(size_t maxSteps, size_t maxBytes)
    : m_MaxSteps(maxSteps), m_MaxBytes(maxBytes) {}

void CEditHistory::Reset(CHistoryState start, std::string name, bool saved) {
  Clear();
  m_Bytes = start.stored.size();
  m_Entries.push_back(Entry{std::move(name), 0, {}, {}, std::move(start)});
  m_Position = 0;
  m_Saved = saved ? 0 : -1;
}

void CEditHistory::Clear() {
  m_Entries.clear();
  m_Position = -1;
  m_Saved = -1;
  m_Bytes = 0;
  m_MergeOpen = false;
}

bool CEditHistory::Record(std::string name, uint64_t mergeKey, const CEditSelection& before,
                          const CEditSelection& after, CHistoryState state) {
  if (m_Entries.empty() || state == m_Entries[static_cast<size_t>(m_Position)].state) {
    return false;
  }
  while (CanRedo()) {
    m_Bytes -= m_Entries.back().state.stored.size();
    m_Entries.pop_back();
  }
  if (m_Saved > m_Position) {
    m_Saved = -1;
  }
  Entry& top = m_Entries.back();
  if (mergeKey != 0 && m_MergeOpen && m_Position > 0 && top.mergeKey == mergeKey) {
    m_Bytes += state.stored.size();
    m_Bytes -= top.state.stored.size();
    top.state = std::move(state);
    top.after = after;
    // The saved state is the one before the merged step, not the state it ends in now.
    if (m_Saved == m_Position) {
      m_Saved = -1;
    }
  } else {
    m_Bytes += state.stored.size();
    m_Entries.push_back(Entry{std::move(name), mergeKey, before, after, std::move(state)});
    ++m_Position;
  }
  m_MergeOpen = mergeKey != 0;
  while (m_Position > 0 && (static_cast<size_t>(m_Position) > m_MaxSteps || m_Bytes > m_MaxBytes)) {
    DropOldest();
  }
  return true;
}

void CEditHistory::DropOldest() {
  m_Bytes -= m_Entries.front().state.stored.size();
  m_Entries.pop_front();
  --m_Position;
  m_Saved = m_Saved > 0 ? m_Saved - 1 : -1;
}

CEditSelection CEditHistory::MoveTo(int entry) {
  m_MergeOpen = false;
  const int from = m_Position;
  m_Position = entry;
  if (entry < from) {
    return m_Entries.at(static_cast<size_t>(entry) + 1).before;
  }
  return m_Entries.at(static_cast<size_t>(entry)).after;
}
