#pragma once

#include <QIcon>

// The toolbar icon of a command: the desktop theme's icon when the theme has one, else a picture
// of our own drawn at start. A null icon for commands without a picture.
QIcon CommandIcon(int commandId);
