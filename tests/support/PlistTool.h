#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

// Property-list files made and read by an independent tool (Debian's python3 and
// its plistlib, found when the build is configured), so that the updater's own
// format is checked against another implementation. Each call starts the tool once:
// a test with several files writes or reads them together.
namespace PlistTool {

enum class Format { Xml, Binary };

// One file to write: `pythonValue` is a Python expression (datetime is imported).
struct File
{
    QString path;
    QString pythonValue;
    Format format = Format::Binary;
};

// Writes every file; parent folders are made. False when the tool failed.
bool write(const QList<File> &files);
bool write(const QString &path, const QString &pythonValue, Format format = Format::Binary);

// The bytes of each value written as a property list, all in one call: a table
// with one file per row makes them before the loop and writes each row's as bytes.
QList<QByteArray> make(const QStringList &pythonValues, Format format = Format::Binary);

// Writes made bytes to the path (parents made) with a modification time no earlier
// call gave: the settings cache takes a file of the same size and time for the one
// it read before, and rows written in the same clock tick would look unchanged.
bool put(const QString &path, const QByteArray &bytes);

// Reads property lists back as JSON: strings and booleans as such, arrays and
// dictionaries as arrays and objects, and every other value as a one-entry object
// naming its type: {"int": 3}, {"real": 1.5}, {"data": "00ff"},
// {"date": "2024-01-02T03:04:05"}. Undefined for a file the tool could not read;
// one value per path, in order.
QList<QJsonValue> read(const QStringList &paths);
QJsonValue read(const QString &path);

// A settings key as it stands at the top level of a property list written on a
// Mac: "/" becomes ".".
QString topLevelKey(const QString &settingsKey);

} // namespace PlistTool
