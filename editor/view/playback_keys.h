#pragma once

#include <Qt>

class CVelloEditor;

// The keys the animation view and the timeline share for playback: Enter plays or stops the
// selected action, "," and "." step to the previous and next key, Home and End go to the first
// and the last. Returns false, doing nothing, for any other key (or one with Ctrl or Alt held).
bool HandlePlaybackKey(CVelloEditor& editor, int qtKey, Qt::KeyboardModifiers modifiers);
