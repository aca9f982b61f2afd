#pragma once

#include <QJsonValue>
#include <QString>

// Property-list files made and read by an independent tool (python3's plistlib),
// so that the updater's own format is checked against another implementation.
namespace PlistTool {

enum class Format { Xml, Binary };

// Writes the Python expression `pythonDict` (datetime is imported) as a property
// list; parent folders are made. False when the tool failed.
bool write(const QString &path, const QString &pythonDict, Format format = Format::Binary);

// Reads a property list back as JSON: strings and booleans as such, arrays and
// dictionaries as arrays and objects, and every other value as a one-entry object
// naming its type: {"int": 3}, {"real": 1.5}, {"data": "00ff"},
// {"date": "2024-01-02T03:04:05"}. Undefined when the tool could not read it.
QJsonValue read(const QString &path);

// A settings key as it stands at the top level of a property list written on a
// Mac: "/" becomes ".".
QString topLevelKey(const QString &settingsKey);

} // namespace PlistTool
