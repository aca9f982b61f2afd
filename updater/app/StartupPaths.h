#pragma once

#include <QString>

// Start-up's look-ups, made before the application controller exists.

// The console user's reader preferences plist, or an empty string.
QString GetUserPlitPath();

// The updater's translation file for a UI language, or an empty string.
QString getLanFilePath(int language, int country);

// Qt's own translation file for a UI language.
QString getGLanFilePath(int language, int country);
