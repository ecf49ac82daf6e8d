#include "editor/services/command_router.h"

#include <algorithm>

CCommandTarget::~CCommandTarget() = default;

const CCommandTarget::Handler* CCommandTarget::FindHandler(int id) const {
  const auto found = m_Handlers.find(id);
  return found == m_Handlers.end() ? nullptr : &found->second;
}

void CCommandTarget::OnCommand(int id, std::function<void()> run, std::function<bool()> enabled,
                               std::function<bool()> checked) {
  m_Handlers[id] = Handler{std::move(run), std::move(enabled), std::move(checked)};
}

void CCommandRouter::AddTarget(CCommandTarget* target) {
  m_Targets.push_back(target);
}

void CCommandRouter::RemoveTarget(CCommandTarget* target) {
  m_Targets.erase(std::remove(m_Targets.begin(), m_Targets.end(), target), m_Targets.end());
}

const CCommandTarget::Handler* CCommandRouter::Find(int id) const {
  for (const CCommandTarget* target : m_Targets) {
    if (const CCommandTarget::Handler* handler = target->FindHandler(id)) {
      return handler;
    }
  }
  return nullptr;
}

bool CCommandRouter::Execute(int id) const {
  const CCommandTarget::Handler* handler = Find(id);
  if (handler == nullptr || (handler->enabled && !handler->enabled())) {
    return false;
  }
  // The handler may replace the target's table (a new document); run a copy.
  const std::function<void()> run = handler->run;
  run();
  return true;
}

bool CCommandRouter::IsEnabled(int id) const {
  const CCommandTarget::Handler* handler = Find(id);
  return handler != nullptr && (!handler->enabled || handler->enabled());
}

bool CCommandRouter::IsChecked(int id) const {
  const CCommandTarget::Handler* handler = Find(id);
  return handler != nullptr && handler->checked && handler->checked();
}

bool CCommandRouter::IsCheckable(int id) const {
  const CCommandTarget::Handler* handler = Find(id);
  return handler != nullptr && static_cast<bool>(handler->checked);
}
