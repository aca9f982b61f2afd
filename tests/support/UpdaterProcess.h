#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

class Sandbox;

// What one run of the updater left behind.
struct UpdaterRun
{
    bool finished = false; // false: killed after the time-out
    int exitCode = -1;
    QString out;           // standard output
    QString err;           // standard error (Qt's debug lines)
    QString log;           // Update.log after the run
};

// Runs the updater, copied into the sandbox's fake reader bundle, as a child
// process with the given arguments and waits for it to end.
UpdaterRun runUpdater(const Sandbox &sandbox, const QStringList &arguments, int timeoutMs = 30000);

// The same as a user without any display starts it: no DISPLAY, no
// WAYLAND_DISPLAY and no QT_QPA_PLATFORM in its environment.
UpdaterRun runUpdaterWithoutDisplay(const Sandbox &sandbox, const QStringList &arguments, int timeoutMs = 30000);
// The same with DISPLAY naming `display` (and still no WAYLAND_DISPLAY and no
// QT_QPA_PLATFORM).
UpdaterRun runUpdaterOnDisplay(const Sandbox &sandbox, const QStringList &arguments, const QString &display,
                               int timeoutMs = 30000);

// Starts the updater the same way and returns at once; the caller waits or kills.
std::unique_ptr<QProcess> startUpdater(const Sandbox &sandbox, const QStringList &arguments);
std::unique_ptr<QProcess> startUpdater(const Sandbox &sandbox, const QStringList &arguments,
                                       const QProcessEnvironment &environment);
