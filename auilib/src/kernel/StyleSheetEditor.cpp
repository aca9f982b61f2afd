#include "StyleSheetEditor.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

namespace AUILib {

namespace {

const QString kSelector = QStringLiteral("selector");
const QString kProperties = QStringLiteral("properties");
const QString kName = QStringLiteral("name");
const QString kValue = QStringLiteral("value");

QJsonObject declaration(const QString &name, const QString &value)
{
    QJsonObject object;
    object.insert(kName, name);
    object.insert(kValue, value);
    return object;
}

} // namespace

QJsonArray StyleSheetToJson(const QString &sheet)
{
    QJsonArray rules;
    if (sheet.isEmpty())
        return rules;
    const QStringList parts = sheet.trimmed().split(QLatin1Char('}'), Qt::KeepEmptyParts);
    for (const QString &part : parts) {
        const QString rule = part.trimmed();
        if (rule.isEmpty())
            continue;
        // A part without "{" gives selector and body from the same text.
        const QStringList pieces = rule.split(QLatin1Char('{'), Qt::KeepEmptyParts);
        QJsonObject object;
        object.insert(kSelector, pieces.first().trimmed());
        object.insert(kProperties, StyleSheetPropertiesToJson(pieces.last()));
        rules.append(object);
    }
    return rules;
}

QJsonArray StyleSheetPropertiesToJson(const QString &declarations)
{
    QJsonArray properties;
    if (declarations.isEmpty())
        return properties;
    const QStringList parts = declarations.trimmed().split(QLatin1Char(';'), Qt::KeepEmptyParts);
    for (const QString &part : parts) {
        if (part.trimmed().isEmpty())
            continue;
        // Only the first ':' ends the name: values hold colons of their own
        // ("url(:/img/x.png)", "qlineargradient(x1:0, ...)"). A declaration
        // without one reads as name and value alike.
        const int colon = part.indexOf(QLatin1Char(':'));
        const QString name = (colon < 0 ? part : part.left(colon)).trimmed();
        const QString value = (colon < 0 ? part : part.mid(colon + 1)).trimmed();
        properties.append(declaration(name, value));
    }
    return properties;
}

QJsonArray SetStyleSheetProperty(const QString &selector, const QString &name, const QString &value,
                                 const QJsonArray &rules)
{
    QJsonArray result;
    for (const QJsonValue &ruleValue : rules) {
        QJsonObject rule = ruleValue.toObject();
        if (rule.value(kSelector).toString() == selector) {
            QJsonArray properties;
            for (const QJsonValue &property : rule.value(kProperties).toArray()) {
                if (property.toObject().value(kName).toString() == name)
                    properties.append(declaration(name, value));
                else
                    properties.append(property);
            }
            rule.insert(kProperties, properties);
        }
        result.append(rule);
    }
    return result;
}

QString StyleSheetFromJson(const QJsonArray &rules)
{
    QString sheet;
    for (const QJsonValue &ruleValue : rules) {
        const QJsonObject rule = ruleValue.toObject();
        sheet += rule.value(kSelector).toString() + QStringLiteral(" {");
        for (const QJsonValue &propertyValue : rule.value(kProperties).toArray()) {
            const QJsonObject property = propertyValue.toObject();
            sheet += QLatin1Char(' ') + property.value(kName).toString() + QStringLiteral(": ") +
                     property.value(kValue).toString() + QLatin1Char(';');
        }
        sheet += QStringLiteral(" } ");
    }
    return sheet;
}

QString EditStyleSheet(const QString &sheet, const QString &selector, const QString &name, const QString &value)
{
    return StyleSheetFromJson(SetStyleSheetProperty(selector, name, value, StyleSheetToJson(sheet)));
}

QString UnescapeStyleSheet(QString sheet)
{
    return sheet.replace(QStringLiteral("\\u3A"), QStringLiteral(":"), Qt::CaseSensitive);
}

} // namespace AUILib
