#pragma once

#include <functional>
#include <string>

#include "core/core_api.h"

// How library code shows a message to the user. Core only defines the service; the editor
// installs a hook that shows a real message box, tests install one that records the texts and
// answers. The default hook writes the message to standard error.

enum class UMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class UMessageIcon { Information, Warning, Error, Question };
enum class UMessageAnswer { Ok, Cancel, Yes, No };

struct UMessageRequest {
  std::string text;     // UTF-8
  std::string caption;  // UTF-8; empty for the application's name
  UMessageButtons buttons = UMessageButtons::Ok;
  UMessageIcon icon = UMessageIcon::Information;
};

// Marks a message text for translation without linking a translation library: the library keeps
// the source text (the program's own, mostly Chinese), lupdate reads the mark as
// QT_TRANSLATE_NOOP, and the editor translates the text when its message hook shows it.
#define CORE_TRANSLATE_NOOP(context, text) text

using UMessageHook = std::function<UMessageAnswer(const UMessageRequest&)>;

// Installs `hook` (an empty one restores the default) and returns the hook it replaces.
CORE_API UMessageHook SetMessageHook(UMessageHook hook);

// Shows the message through the installed hook and returns the user's answer.
CORE_API UMessageAnswer ShowMessage(const UMessageRequest& request);

// The answer that loses nothing when nobody can be asked: Ok for a plain message, otherwise
// Cancel, or No where there is no Cancel. The default hook gives it.
CORE_API UMessageAnswer SafeAnswer(UMessageButtons buttons);
