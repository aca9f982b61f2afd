#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// Opens the reader's settings stores where macOS keeps them, in the property-list
// format the reader itself reads and writes.
class PlistSettings
{
public:
    // The store of an organisation and application: on macOS
    // "~/Library/Preferences/com.<organisation>.<application>.plist".
    static std::unique_ptr<QSettings> openStore(const QString &organisation, const QString &application);

    // A store kept in the given file.
    static std::unique_ptr<QSettings> openFile(const QString &path);

    // The file behind openStore().
    static QString storePath(const QString &organisation, const QString &application);
};
