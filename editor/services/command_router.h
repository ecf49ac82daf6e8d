#pragma once

#include <functional>
#include <map>
#include <vector>

// One object that handles commands by id: the view, the document, the frame or the application.
// Each registers its handlers with the state the command shows (enabled, checked).
class CCommandTarget {
 public:
  struct Handler {
    std::function<void()> run;
    std::function<bool()> enabled;  // empty: always enabled
    std::function<bool()> checked;  // empty: never checked
  };

  CCommandTarget() = default;
  CCommandTarget(const CCommandTarget&) = delete;
  CCommandTarget& operator=(const CCommandTarget&) = delete;
  virtual ~CCommandTarget();

  // The handler of `id`, or null when this target does not handle it.
  const Handler* FindHandler(int id) const;

 protected:
  void OnCommand(int id, std::function<void()> run, std::function<bool()> enabled = {},
                 std::function<bool()> checked = {});

 private:
  std::map<int, Handler> m_Handlers;
};

// Delivers a command to the first target that handles it, in the order the targets were added
// (view, document, frame, application), and answers a command's state from the same target.
// A command that no target handles is disabled.
class CCommandRouter {
 public:
  void AddTarget(CCommandTarget* target);
  void RemoveTarget(CCommandTarget* target);

  // Runs the command when it is handled and enabled; returns whether it ran.
  bool Execute(int id) const;
  bool IsEnabled(int id) const;
  bool IsChecked(int id) const;
  // Whether the command shows a check state at all.
  bool IsCheckable(int id) const;

 private:
  const CCommandTarget::Handler* Find(int id) const;

  std::vector<CCommandTarget*> m_Targets;
};
