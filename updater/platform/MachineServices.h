#pragma once

#include <QString>

// The machine's identity and the desktop's file opening.

// A stable identifier of this machine in the 8-4-4-4-12 form of a UUID, made from
// the systemd machine id; empty when there is none.
QString GetHardwareUUID();

// Opens a file with the desktop's default application (empty application) or with
// the named program; non-zero when the opener started.
int processMacAppOpenfile(QString application, QString file);
