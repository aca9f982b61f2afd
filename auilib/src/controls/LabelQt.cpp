#include "LabelQt.h"

#include "LabelImpl.h"
#include "SizeBound.h"

#include <QColor>
#include <QDesktopServices>
#include <QEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

namespace AUILib {

QString EscapedForMarkup(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\''), QStringLiteral("&#39;"));
    return escaped;
}

LabelQt::LabelQt(Label *owner, QWidget *parent)
    : QLabel(parent)
    , m_owner(owner)
{
}

QSize LabelQt::ScreenSize() const
{
    const QScreen *shownOn = screen();
    return shownOn ? shownOn->geometry().size() : SizeBound::Largest();
}

QSize LabelQt::sizeHint() const
{
    return QLabel::sizeHint().boundedTo(ScreenSize());
}

QSize LabelQt::minimumSizeHint() const
{
    return QLabel::minimumSizeHint().boundedTo(ScreenSize());
}

void LabelQt::SetTextColor(RGBColor color, bool)
{
    Label *owner = m_owner.get();
    const std::shared_ptr<BaseImpl> base = owner ? owner->GetBaseImpl() : nullptr;
    const auto *impl = static_cast<const Label::impl *>(base.get());

    QString shown;
    if (impl && impl->IsTruncating()) {
        // The cut text is rewritten in place: its anchors are what is left of the link.
        const QString name = QColor(linkColor).name();
        shown = text();
        static const QRegularExpression styled(QStringLiteral("<a\\s+style='color:\\s*([^']*)'\\s+href="));
        const QRegularExpressionMatch match = styled.match(shown);
        if (match.hasMatch())
            shown.replace(QStringLiteral("color: ") + match.captured(1), QStringLiteral("color: ") + name);
        else
            shown.replace(QStringLiteral("<a"), QStringLiteral("<a style='color:") + name + QStringLiteral("' "));
    } else {
        shown = beforeLink + QStringLiteral("<a href='") + EscapedForMarkup(linkUrl) +
                QStringLiteral("' style='color:") + QColor(color).name() + QStringLiteral("'>") +
                EscapedForMarkup(linkText) + QStringLiteral("</a>") + afterLink;
        if (textFormat() == Qt::RichText)
            shown.replace(QRegularExpression(QStringLiteral("[\\r\\n]")), QStringLiteral("<br>"));
    }
    setText(shown);
}

bool LabelQt::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && !linkText.isEmpty()) {
        if (openExternalLinks()) {
            QDesktopServices::openUrl(QUrl(linkUrl, QUrl::TolerantMode));
        } else if (const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(m_owner.get())) {
            impl->Fire(&Label::OnLinkActivated);
        }
    }
    return QLabel::event(event);
}

} // namespace AUILib
