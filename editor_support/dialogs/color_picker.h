#pragma once

#include <functional>

#include <QColor>

#include "editor_support/pindle_api.h"

class QWidget;

// Asks the user for a colour, starting from `initial`, over `parent` (may be null). Returns true
// and sets `*picked` when the user confirmed a colour, false when they cancelled.
using UColorPickHook = std::function<bool(const QColor& initial, QWidget* parent, QColor* picked)>;

// Installs `hook` as the colour dialog (an empty one restores Qt's colour dialog) and returns the
// hook it replaces. Tests install one that answers at once.
PINDLE_API UColorPickHook SetColorPickHook(UColorPickHook hook);

// Shows the installed colour dialog. Returns true and sets `*picked` when the user confirmed.
PINDLE_API bool PickColor(const QColor& initial, QWidget* parent, QColor* picked);
