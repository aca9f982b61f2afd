#pragma once

#include <QJsonArray>
#include <QString>

// Changes single properties of a Qt style sheet (a colour, a border width, a
// corner radius) without rewriting the sheet by hand. Controls that keep their
// look as a sheet edit it here: parse, set, serialise.
//
// The parsed form is a JSON array with one object per rule, in sheet order:
//   {"selector": "QPushButton:hover", "properties": [{"name": "color", "value": "#000000"}, ...]}
// Serialising always writes the normalised spacing
//   "QPushButton { color: #000000; border: 0px; } "
// whatever the spacing of the input.
//
// The toolkit's stored sheets write ':' inside values as the four characters
// "\u3A"; the editor keeps them as text, and UnescapeStyleSheet turns them back
// into ':' only in the copy handed to a widget.
namespace AUILib {

// Empty text gives an empty array; text without "}" is one rule.
QJsonArray StyleSheetToJson(const QString &sheet);
// One rule body ("color: red; border: 0px"). A declaration is split at its
// first ':', so a value such as "url(:/img/x.png)" or an unescaped gradient
// stays whole.
QJsonArray StyleSheetPropertiesToJson(const QString &declarations);
// Gives `value` to every declaration named `name` in every rule whose selector
// equals `selector` (both compared exactly). Adds nothing: a missing rule or
// declaration leaves the rules as they were.
QJsonArray SetStyleSheetProperty(const QString &selector, const QString &name, const QString &value,
                                 const QJsonArray &rules);
// An empty array gives an empty text.
QString StyleSheetFromJson(const QJsonArray &rules);
// Parse, set and serialise in one call.
QString EditStyleSheet(const QString &sheet, const QString &selector, const QString &name, const QString &value);

// The text a widget is given: every "\u3A" (case-sensitive) becomes ':'.
QString UnescapeStyleSheet(QString sheet);

} // namespace AUILib
