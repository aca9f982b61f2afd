#pragma once

#include <QList>
#include <QString>

// Whether a process whose command line ends with `name` runs, from the system's
// process list ("ps -ef"). Every matching line seen adds the number at its start
// to `found`. False also when the list cannot be read.
bool CheckMacProcessRunning(const QString &name, QList<qulonglong> &found);
