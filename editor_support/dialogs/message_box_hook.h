#pragma once

#include "core/foundation/message.h"
#include "editor_support/pindle_api.h"

class QString;
class QWidget;

// Shows `request` in a modal Qt message box over `parent` (may be null), titled `defaultCaption`
// when the request names no caption, and returns the button the user pressed. Without a running
// QApplication it gives the safe answer instead.
PINDLE_API UMessageAnswer ShowMessageBox(const UMessageRequest& request, QWidget* parent,
                                         const QString& defaultCaption);

// Installs a message hook that shows every message of Core's message service with
// ShowMessageBox over `parent`, titled with the application's display name. Returns the hook it
// replaced.
PINDLE_API UMessageHook InstallMessageBoxHook(QWidget* parent = nullptr);
