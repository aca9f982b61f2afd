#include "HyperLinkElementImpl.h"

#include <QColor>
#include <QDesktopServices>
#include <QUrl>

namespace AUILib {

namespace {

// Preferred in both directions, default control type.
constexpr SizePolicy kPreferred = (5u << 16) | (5u << 20) | (1u << 24);

const RGBColor kDefaultColor = QColor(33, 137, 247, 255).rgb();

// The text as the label shows it: no tag can be opened from it. An ampersand
// stays as written, since the mnemonic that activates the link lives there.
QString escapeText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('<'))
            escaped += QStringLiteral("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QStringLiteral("&gt;");
        else if (c == QLatin1Char('"'))
            escaped += QStringLiteral("&quot;");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

HyperLinkElementImpl::HyperLinkElementImpl(HyperLinkElement *owner)
    : BaseImplQt(owner)
    , m_linkColor(kDefaultColor)
    , m_visitedColor(kDefaultColor)
    , m_hoverColor(kDefaultColor)
{
    auto *link = MakeWidget<HyperLinkElementQt>(owner);
    SetSizePolicy(kPreferred);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                  Qt::LinksAccessibleByKeyboard);
    SetTrackMouseEvent();
    Connect(link, &QLabel::linkActivated, [this] { Fire(&HyperLinkElement::OnLinkActivated); });
}

HyperLinkElementImpl::~HyperLinkElementImpl() = default;

HyperLinkElementQt *HyperLinkElementImpl::label()
{
    return WidgetAsOrThrow<HyperLinkElementQt>();
}

QString HyperLinkElementImpl::ColorName(RGBColor color)
{
    return QStringLiteral("#%1").arg(color, 8, 16, QLatin1Char('0'));
}

void HyperLinkElementImpl::SetText(const std::wstring &text)
{
    m_text = text;
    // Its own buddy: a mnemonic in the text reaches it as a shortcut event.
    HyperLinkElementQt *link = label();
    link->setBuddy(link);
}

void HyperLinkElementImpl::rebuildAndRepaint()
{
    label()->SetRebuild(true);
    Repaint();
}

void HyperLinkElementImpl::SetbDefaultClickProcess(bool fireEvent)
{
    label()->setOpenExternalLinks(!fireEvent);
    rebuildAndRepaint();
}

void HyperLinkElementImpl::SetColors(RGBColor link, RGBColor visited, RGBColor hover)
{
    m_linkColor = link;
    m_visitedColor = visited;
    m_hoverColor = hover;
    rebuildAndRepaint();
}

void HyperLinkElementImpl::SetVisited(bool visited)
{
    m_visited = visited;
    m_hovered = false;
    rebuildAndRepaint();
}

void HyperLinkElementImpl::BuildLink(RGBColor color, bool underline)
{
    auto *link = WidgetAs<HyperLinkElementQt>();
    if (!link)
        return;
    if (m_text.empty() && !link->text().isEmpty() && link->text() != m_markup)
        SetText(link->text().toStdWString());
    const QString href = m_url.empty() ? QStringLiteral(" ") : QString::fromStdWString(m_url).toHtmlEscaped();
    const QString text = escapeText(QString::fromStdWString(m_text));
    if (underline) {
        m_markup = QStringLiteral("<a href=\"") + href + QStringLiteral("\" style=\"color: ") + ColorName(color) +
                   QStringLiteral(";\">") + text + QStringLiteral("</a>");
    } else {
        m_markup = QStringLiteral("<font color = \"") + ColorName(color) + QStringLiteral("\">") + text +
                   QStringLiteral("</font>");
    }
    link->setText(m_markup);
}

void HyperLinkElementImpl::Activate()
{
    auto *link = WidgetAs<HyperLinkElementQt>();
    if (link && link->openExternalLinks())
        QDesktopServices::openUrl(QUrl(QString::fromStdWString(m_url), QUrl::TolerantMode));
    else
        Fire(&HyperLinkElement::OnLinkActivated);
}

} // namespace AUILib
