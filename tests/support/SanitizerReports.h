#pragma once

#include <QStringList>

// In a sanitizer build (scripts/sanitize) the programs a test starts -- the updater,
// the stand-in Installer, the demo service, a death test's child -- inherit the
// sanitizer options, but what they report on their standard error is easily lost
// and their exit code may be the very one the test expects of a failure. Their
// reports are therefore written to files of one folder per test program, which the
// test main reads after every test. Outside sanitizer builds nothing happens.
namespace SanitizerReports {

// Sends the reports of every child process to the folder; call once, first thing.
void redirectChildren();

// The reports written since the last call, each headed by the file it came from.
QStringList take();

// Removes the folder of this test program.
void cleanUp();

} // namespace SanitizerReports
