#pragma once

#include "core/foundation/message.h"
#include "editor_support/pindle_api.h"

class QWidget;

// Installs a message hook that shows every message of Core's message service in a modal Qt
// message box over `parent` (may be null) and answers with the button the user pressed. Without a
// running QApplication the hook gives the safe answer instead. Returns the hook it replaced.
PINDLE_API UMessageHook InstallMessageBoxHook(QWidget* parent = nullptr);
