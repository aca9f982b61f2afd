#pragma once

#include <QString>

// The one place that turns the absolute macOS paths the updater works with into
// paths on this machine: every such path lives under ORBEL_UPDATER_ROOT ("/"
// when unset), so a test or the demo can run the whole program in a sandbox.
class SystemPaths
{
public:
    // The root directory every system path is resolved under, without a trailing "/"
    // (empty for the real root).
    static QString root();

    // Joins an absolute system path such as "/Library/Receipts/InstallHistory.plist"
    // under the root. A relative path is returned unchanged.
    static QString resolve(const QString &systemPath);
};
