#pragma once

#include <cstdint>
#include <string>

// What changed in the editor context, as a bit mask handed to listeners.
enum EditorChange : uint32_t {
  kChangeActor = 1u << 0,  // actor replaced (new/open): every view rebuilds from indices
  kChangeTextures = 1u << 1,
  kChangeModules = 1u << 2,
  kChangeFrames = 1u << 3,
  kChangeActions = 1u << 4,
  kChangeActionKeys = 1u << 5,
  kChangePlacements = 1u << 6,
  kChangeTags = 1u << 7,
  kChangeSelection = 1u << 8,  // any selected*/mode changed (property page follows mode)
  kChangePlayTime = 1u << 9,   // timeline cursor (whole part of playTime)
  kChangeModified = 1u << 10,  // modified flag changed (title shows it)
  kChangeTools = 1u << 11,     // grid/snap/tag mode/loop/centre/zoom/playing (check states)
  kChangeHistory = 1u << 12,   // the history's steps, position or saved entry changed
  kChangeStructure = kChangeActor,
  // A whole actor came in its place (opened, new, undone to): everything is told.
  kChangeWholeActor = (1u << 13) - 1,
};

// The panes of the status bar: the command prompt, then the pointer in world, origin and frame
// coordinates.
enum class StatusPane { Prompt, World, Local, FrameLocal };

// Told by the editor context after every change; panels and views repaint from it. The context
// never calls a panel in any other way.
class CEditorListener {
 public:
  virtual ~CEditorListener();
  virtual void OnEditorChanged(uint32_t changes) = 0;
  // A value typed but not yet committed must be committed now: the actor is about to be replaced,
  // saved or freed.
  virtual void OnEndEdits() {}
  // A text for a status-bar pane ("World x=%4d y=%4d", "Local …", "FrameLocal …").
  virtual void OnStatusText(StatusPane /*pane*/, const std::string& /*utf8*/) {}
};
