#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// Opens the reader's settings stores where macOS keeps them, in the property-list
// format the reader itself reads and writes. Files written on a Mac read here and
// the other way round: XML and binary property lists are read, XML is written, and
// keys and values follow the layout Qt itself uses for property lists on macOS.
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

    // True when a file is there that is not a property list (or cannot be read):
    // such a file is never written over.
    static bool isUnreadable(const QString &path);

    // The QSettings format behind openFile(), registered on first use.
    static QSettings::Format format();

    // A settings key as it stands at the top level of the file and back: '/', '.'
    // and the middle dot rotate into one another.
    static QString fileKey(const QString &settingsKey);
    static QString settingsKey(const QString &fileKey);
};
