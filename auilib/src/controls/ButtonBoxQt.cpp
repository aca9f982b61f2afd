#include "ButtonBoxQt.h"

#include "EventGate.h"
#include "StandardButtons.h"
#include "StyleSheetEditor.h"

#include <QEvent>
#include <QPushButton>

namespace AUILib {

namespace {

// A CSS string between single quotes: its own quote and backslash escaped, so
// a caption such as "Don't" still names its button.
QString quotedSelectorText(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString minimumSizeRule(const QString &selector, QSize measured, Qt::Orientation orientation)
{
    QString rule = selector + QStringLiteral(" {min-width:") + QString::number(measured.width() - 14) +
                   QStringLiteral("px;min-height:");
    if (orientation == Qt::Horizontal)
        return rule + QString::number(measured.height() - 12) + QStringLiteral("px;margin-top:2px;");
    return rule + QString::number(measured.height() - 14) + QStringLiteral("px;");
}

} // namespace

void SetButtonBoxButtonsMinSize(ButtonBoxQt *box)
{
    if (!box)
        return;
    // New sheets resize the buttons inside the box's layout: what that
    // reports waits until every button has its sheet.
    EventGate::Hold hold;
    for (const StandardButtonRow &row : StandardButtonTable()) {
        QPushButton *button = box->button(row.button);
        if (!button)
            continue;
        // A button that came after the first activation is measured once, when
        // first met, rather than sized from nothing.
        const int key = static_cast<int>(row.button);
        if (!box->m_activated || box->m_measured.count(key) == 0)
            box->m_measured[key] = button->geometry().size();
        const auto stored = box->m_buttonSheets.find(key);
        if (stored == box->m_buttonSheets.end())
            continue;
        const QString selector = QStringLiteral("QDialogButtonBox [text=") + quotedSelectorText(button->text()) +
                                 QLatin1Char(']');
        QString sheet = stored->second;
        sheet.replace(QStringLiteral("QPushButton"), selector, Qt::CaseSensitive);
        const QString find = selector + QStringLiteral(" {");
        const int at = sheet.indexOf(find, 0, Qt::CaseSensitive);
        if (at >= 0)
            sheet.replace(at, find.size(), minimumSizeRule(selector, box->m_measured[key], box->orientation()));
        button->setStyleSheet(UnescapeStyleSheet(sheet));
    }
}

ButtonBoxQt::ButtonBoxQt(QWidget *parent)
    : QDialogButtonBox(parent)
{
}

void ButtonBoxQt::SetButtonStyleSheet(const QString &buttonText, const QString &sheet)
{
    if (!buttonText.isEmpty() && !sheet.isEmpty()) {
        for (const StandardButtonRow &row : StandardButtonTable()) {
            if (StandardButtonCaption(row) == buttonText)
                m_buttonSheets[static_cast<int>(row.button)] = sheet;
        }
    }
    if (m_activated)
        SetButtonBoxButtonsMinSize(this);
}

QString ButtonBoxQt::ButtonStyleSheet(StandardButton button) const
{
    const auto found = m_buttonSheets.find(static_cast<int>(button));
    return found == m_buttonSheets.end() ? QString() : found->second;
}

QSize ButtonBoxQt::MeasuredSize(StandardButton button) const
{
    const auto found = m_measured.find(static_cast<int>(button));
    return found == m_measured.end() ? QSize() : found->second;
}

bool ButtonBoxQt::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        SetButtonBoxButtonsMinSize(this);
        m_activated = true;
    }
    return QDialogButtonBox::event(event);
}

} // namespace AUILib
