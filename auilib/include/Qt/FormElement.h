#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace AUILib {

// The text of the enum value of a widget's property in a Designer form; empty
// when the form has no such widget or property, or is not well formed.
QString GetControlEnumProp(QByteArray formXml, QString objectName, QString property);

// One control of a Designer form as the form describes it, handed to the
// control's implementation once the whole form is built (BaseImplQt::OnFormLoaded).
// By then QUiLoader has set every property the form gives and the form's
// connections are made; what QUiLoader cannot hand to the control's widget
// (a QListWidget's items for a widget over a table, say) the implementation
// reads from here.
class FormElement
{
public:
    FormElement(const QByteArray &formXml, QWidget *window, QWidget *widget);

    // The control's widget, and the form's top-level window holding it.
    QWidget *Widget() const { return m_widget; }
    QWidget *Window() const { return m_window; }
    QString ObjectName() const;
    // The class the form names for the control ("QListWidget"), from the
    // first widget element of that name.
    QString ClassName() const;
    // Normalised as AUILibUtils::NormalizeQtEnum does ("Qt::Vertical").
    QString EnumProperty(const QString &property) const;
    // The control's widget element as a form of its own ("<ui><widget ...>"),
    // which a plain QUiLoader builds into the Qt class the form names; empty
    // when the form has no widget of that name.
    QByteArray WidgetForm() const;
    const QByteArray &FormXml() const { return m_formXml; }

private:
    const QByteArray &m_formXml;
    QWidget *m_window;
    QWidget *m_widget;
};

} // namespace AUILib
