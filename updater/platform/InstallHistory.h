#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// One record of the system's install history, as macOS writes it.
struct InstallReceipt
{
    QDateTime date; // invalid when the record has none
    QString displayName;
    QString displayVersion;
    QStringList packageIdentifiers;
    QString processName;
};

// The system's install history, "/Library/Receipts/InstallHistory.plist" under
// the root: a property list (XML or binary) holding an array of receipts, oldest
// first. The Installer appends one receipt per installed package.
class InstallHistory
{
public:
    enum Status {
        Read,       // the history was read (it may hold no receipt)
        Missing,    // there is no history file
        Unreadable  // the file cannot be read, is not a property list (PlistReader::parse) or holds no array
    };

    enum Confirmation {
        Confirmed,         // a receipt written since the installer started names the package
        NoReceipt,         // the history was read but holds no such receipt
        HistoryMissing,
        HistoryUnreadable
    };

    static QString path();

    // Every receipt of the history in file order; entries that are not
    // dictionaries are left out.
    static Status read(QVector<InstallReceipt> &receipts);

    // Whether the receipt is one of the package at `packagePath`: its display name
    // or one of its package identifiers is not empty and is part of the package's
    // file name. The folders around the package and the version or process name of
    // the receipt are not looked at, so that text which happens to occur in them
    // (a version "1", a folder named after the time, "Installer") confirms nothing.
    static bool namesPackage(const InstallReceipt &receipt, const QString &packagePath);

    // Whether the installation of the package that an installer started at
    // `installerStarted` is confirmed. Only receipts dated at or after that moment
    // (whole seconds, as the history keeps them) count, any of them and not only the
    // newest, since installers of one package may end in any order.
    static Confirmation confirm(const QString &packagePath, const QDateTime &installerStarted);
};
