#include "FormElement.h"

#include "AUILibUtils.h"

#include <QWidget>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace AUILib {

namespace {

// Reads the enum of one property inside the current widget element.
QString enumOfProperty(QXmlStreamReader &xml, const QString &property)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("property") || xml.attributes().value("name") != property) {
            xml.skipCurrentElement();
            continue;
        }
        if (xml.readNextStartElement() && xml.name() == QLatin1String("enum"))
            return xml.readElementText();
        return QString();
    }
    return QString();
}

// Moves the reader to the start of the first widget element named `objectName`.
bool findWidget(QXmlStreamReader &xml, const QString &objectName)
{
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("widget"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.hasAttribute("class") && attributes.value("name") == objectName)
            return true;
    }
    return false;
}

} // namespace

QString GetControlEnumProp(QByteArray formXml, QString objectName, QString property)
{
    QXmlStreamReader xml(formXml);
    while (findWidget(xml, objectName)) {
        const QString value = enumOfProperty(xml, property);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

FormElement::FormElement(const QByteArray &formXml, QWidget *window, QWidget *widget)
    : m_formXml(formXml)
    , m_window(window)
    , m_widget(widget)
{
}

QString FormElement::ObjectName() const
{
    return m_widget ? m_widget->objectName() : QString();
}

QString FormElement::ClassName() const
{
    QXmlStreamReader xml(m_formXml);
    if (!findWidget(xml, ObjectName()))
        return QString();
    return xml.attributes().value("class").toString();
}

QString FormElement::EnumProperty(const QString &property) const
{
    return AUILibUtils::NormalizeQtEnum(GetControlEnumProp(m_formXml, ObjectName(), property));
}

QByteArray FormElement::WidgetForm() const
{
    QXmlStreamReader xml(m_formXml);
    if (!findWidget(xml, ObjectName()))
        return QByteArray();
    QByteArray form;
    QXmlStreamWriter writer(&form);
    writer.writeStartDocument();
    writer.writeStartElement("ui");
    writer.writeAttribute("version", "4.0");
    // The element's whole subtree, token by token, down to its own end tag.
    int depth = 0;
    for (;;) {
        writer.writeCurrentToken(xml);
        if (xml.isStartElement())
            ++depth;
        else if (xml.isEndElement() && --depth == 0)
            break;
        xml.readNext();
        if (xml.atEnd() || xml.hasError())
            return QByteArray();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return form;
}

} // namespace AUILib
