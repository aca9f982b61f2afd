#pragma once

#include <QString>

class QProcess;

// Starting the system Installer the two ways the updater does on macOS: its
// executable with the package, or "open" with the package. Here both run the
// program found at the Installer's path under the root (SystemPaths) with the
// package as its one argument; "open" of the Installer application itself, which
// only brings its window to the front, does nothing.
class MacInstaller
{
public:
    // The Installer's executable and its application bundle, as macOS paths.
    static QString installerProgram();
    static QString installerApplication();

    // Starts `program` ("open" or installerProgram()) with its one argument on the
    // given process. Any other program is started as it is. Returns true once the
    // process runs; false when nothing was started (the process will then never
    // report an end, so the caller must treat the installation as failed), which
    // includes "open" of the Installer application.
    static bool start(QProcess &process, const QString &program, const QString &argument);

    // Runs `program` with its argument to completion and returns its exit code;
    // -1 when it could not be run or crashed. "open" of the Installer application
    // returns 0 at once.
    static int execute(const QString &program, const QString &argument);

private:
    // The program and argument to run for a macOS command, or an empty program for
    // a command that does nothing here.
    static QString resolveProgram(const QString &program, const QString &argument);
};
