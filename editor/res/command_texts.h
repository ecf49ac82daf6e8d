#pragma once

// The texts a command shows besides its menu text: the tooltip of its tool button and the prompt
// that the status bar's first pane shows while the pointer is over its menu item or button. Both
// are source texts: show them through UiText::tr.

// The tooltip of command `commandId`, or null when its button shows its menu text instead.
const char* CommandToolTip(int commandId);
// The prompt of command `commandId`: its own sentence, else its tooltip; null for an unknown id.
const char* CommandPrompt(int commandId);
