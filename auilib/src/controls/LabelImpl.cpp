#include "LabelImpl.h"

#include "AUILibUtils.h"
#include "Pictures.h"
#include "WidgetColors.h"
#include "WidgetFonts.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMovie>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace AUILib {

namespace {

const QChar kEllipsis(0x2026);
const QRegularExpression kLineBreak(QStringLiteral("[\\r\\n]"));
const QRegularExpression kAnchor(QStringLiteral("<a[^>]*>([^<]*)</a>"));

// Up to the first NUL, as a C string would end.
QString upToNul(const std::wstring &text)
{
    return QString::fromStdWString(std::wstring(text.c_str()));
}

int lighter(int channel)
{
    return static_cast<int>(channel + (255 - channel) * 0.75);
}

} // namespace

Label::impl::impl(Label *owner)
    : BaseImplQt(owner)
{
    LabelQt *widget = MakeWidget<LabelQt>(owner);
    Connect(widget, &QLabel::linkActivated, [this] { Fire(&Label::OnLinkActivated); });
}

Label::impl::~impl() = default;

LabelQt *Label::impl::label()
{
    return WidgetAsOrThrow<LabelQt>();
}

void Label::impl::Enable(bool enable, bool withChildren)
{
    if (m_textColor != -1) {
        QColor color = QColor::fromRgba(static_cast<QRgb>(m_textColor));
        if (!enable)
            color.setRgb(lighter(color.red()), lighter(color.green()), lighter(color.blue()));
        SetPaletteColor(label(), label()->foregroundRole(), color.rgba(), true);
    }
    BaseImplQt::Enable(enable, withChildren);
}

FontData Label::impl::GetFont()
{
    return FontDataFromFont(label()->font(), 51);
}

QString Label::impl::paragraph(const QString &text, const QString &alignment) const
{
    return QStringLiteral("<p style=\"white-space: pre-wrap;") + alignment + QStringLiteral(" line-height:") +
           QString::number(m_lineSpacing) + QStringLiteral("%\">") + text + QStringLiteral("</p>");
}

QString Label::impl::alignmentStyle()
{
    const Qt::Alignment alignment = label()->alignment();
    if (alignment & Qt::AlignRight)
        return QStringLiteral(" text-align: right;");
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral(" text-align: center;");
    return QStringLiteral(" text-align: left;");
}

void Label::impl::SetText(const std::wstring &text)
{
    LabelQt *widget = label();
    m_text = text;
    if (!m_ellipsis) {
        QString shown = upToNul(text);
        if (m_lineSpacing >= 0) {
            shown = paragraph(shown, alignmentStyle());
            if (widget->textFormat() == Qt::RichText)
                shown.replace(kLineBreak, QStringLiteral("<br>"));
        }
        widget->setText(shown);
        return;
    }

    QString shown = QString::fromStdWString(text);
    QList<LinkRecord> links;
    if (!widget->linkText.isEmpty()) {
        // Anchors out: the cut measures what is shown, and must not fall inside a tag.
        QString plain;
        int from = 0;
        QRegularExpressionMatchIterator matches = kAnchor.globalMatch(shown);
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            plain += shown.mid(from, match.capturedStart(0) - from);
            links.append({match.captured(0), plain.size()});
            plain += match.captured(1);
            from = match.capturedEnd(0);
        }
        shown = plain + shown.mid(from);
    }
    const ProgrammaticUpdateScope busy(*this);
    shown = elided(shown);
    if (!links.isEmpty())
        shown = withLinksBack(shown, links);
    if (m_lineSpacing >= 0)
        shown = paragraph(shown, QString());
    widget->setText(shown);
}

// Cut to the label's width; the lines before the first that does not fit add
// their widths, so that a text of several lines is cut in its first long line.
QString Label::impl::elided(QString text)
{
    LabelQt *widget = label();
    const QFontMetrics metrics(widget->font());
    int before = 0;
    for (const QString &part : text.split(kLineBreak, Qt::SkipEmptyParts)) {
        const int width = metrics.boundingRect(part).width();
        if (width >= widget->width())
            break;
        before += width;
    }
    return metrics.elidedText(text, Qt::ElideRight, before + widget->width());
}

// Puts the anchors back into the cut text. A link cut by the ellipsis keeps
// the part of its text still shown, so that it stays clickable up to the "…".
QString Label::impl::withLinksBack(QString text, const QList<LinkRecord> &links)
{
    const QString fullLink = EscapedForMarkup(label()->linkText);
    QString link = fullLink;
    for (int index = links.size() - 1; index >= 0; --index) {
        const LinkRecord &record = links.at(index);
        if (record.position >= text.size())
            continue;
        QString markup = record.markup;
        if (text.endsWith(kEllipsis) && text.size() <= link.size() + record.position) {
            link.truncate(std::max(0, text.size() - record.position - 1));
            // Nothing of the link is left before the "…": no anchor to put back.
            if (link.isEmpty())
                continue;
            markup.replace(QLatin1Char('>') + fullLink + QLatin1Char('<'), QLatin1Char('>') + link + QLatin1Char('<'));
        }
        text.replace(record.position, link.size(), markup);
    }
    return text;
}

void Label::impl::SetText(const QString &before, const QString &link, const QString &after, const QString &url)
{
    LabelQt *widget = label();
    widget->setTextFormat(Qt::RichText);
    widget->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                    Qt::LinksAccessibleByKeyboard);
    const QString target = url.isEmpty() ? QStringLiteral("#") : url;
    // Stored first: an ellipsis finds the link by them.
    widget->beforeLink = before;
    widget->linkText = link;
    widget->afterLink = after;
    widget->linkUrl = target;
    const QString markup = before + QStringLiteral("<a style='color: ") + QColor(widget->linkColor).name() +
                           QStringLiteral("' href='") + EscapedForMarkup(target) + QStringLiteral("'>") +
                           EscapedForMarkup(link) + QStringLiteral("</a> ") + after;
    SetText(markup.toStdWString());
    if (!url.isEmpty())
        widget->setOpenExternalLinks(true);
    // A mnemonic in the text reaches the label as a shortcut event.
    widget->setBuddy(widget);
}

std::wstring Label::impl::GetText()
{
    if (!m_text.empty() && (m_ellipsis || m_lineSpacing >= 0))
        return m_text;
    return label()->text().toStdWString();
}

void Label::impl::SetHyperlinkColors(RGBColor link, RGBColor visited, RGBColor hover)
{
    LabelQt *widget = label();
    widget->linkColor = link;
    widget->visitedColor = visited;
    widget->hoverColor = hover;
    // Without a link there is nothing to recolour, and rebuilding the link
    // text would replace the label's text with an empty anchor.
    if (widget->linkText.isEmpty())
        return;
    widget->SetTextColor(link, false);
    widget->repaint();
}

void Label::impl::relayout()
{
    const ProgrammaticUpdateScope busy(*this);
    if (m_text.empty())
        m_text = GetText();
    SetText(m_text);
}

void Label::impl::SetTextAlign(TextAlign align)
{
    label()->setAlignment(align == TextAlignLeft     ? Qt::AlignLeft
                          : align == TextAlignCenter ? Qt::AlignHCenter
                                                     : Qt::AlignRight);
    if (m_lineSpacing >= 0)
        SetText(GetText());
}

void Label::impl::SetBackgroundColor(int color)
{
    LabelQt *widget = label();
    m_backgroundColor = color;
    SetPaletteColor(widget, widget->backgroundRole(), static_cast<RGBColor>(color), true);
}

void Label::impl::SetTextColor(int color)
{
    LabelQt *widget = label();
    m_textColor = color;
    SetPaletteColor(widget, widget->foregroundRole(), static_cast<RGBColor>(color), true);
}

void Label::impl::SetWordWrap(bool wrap)
{
    LabelQt *widget = label();
    m_wordWrap = wrap;
    if (wrap && m_ellipsis) {
        m_ellipsis = false;
        relayout();
    }
    widget->setWordWrap(m_wordWrap);
}

void Label::impl::SetLineSpacing(int percent)
{
    m_lineSpacing = percent;
    SetText(GetText());
}

void Label::impl::TruncateTextToEllipses(bool truncate)
{
    if (truncate == m_ellipsis)
        return;
    m_ellipsis = truncate;
    if (truncate) {
        m_wordWrap = false;
        label()->setWordWrap(false);
    }
    relayout();
}

int Label::impl::iconWidth(int requested)
{
    if (requested >= 1)
        return requested;
    LabelQt *widget = label();
    return std::min(widget->width(), widget->height());
}

void Label::impl::LoadPicture(const QString &path, ScalePicture scale, int iconSize)
{
    LabelQt *widget = label();
    const bool icon = IsIconPath(path);
    QPixmap picture = PictureFromFile(path, icon ? iconWidth(iconSize) : 0);
    if (!icon)
        picture.setDevicePixelRatio(widget->devicePixelRatioF());
    const bool gif = QFileInfo(path).completeSuffix().toUpper() == QLatin1String("GIF");
    showPicture(picture, scale, gif);
    if (gif) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            showMovie(file.readAll());
    }
}

void Label::impl::LoadPicture(const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                              int iconSize)
{
    LabelQt *widget = label();
    if (!bytes) {
        widget->clear();
        return;
    }
    QPixmap picture;
    if (type == ImageTypeICO) {
        // Decoded from memory, without a temporary file.
        picture = PictureFromBytes(bytes, length, type, iconWidth(iconSize));
    } else {
        picture = PictureFromBytes(bytes, length, type, 0);
        picture.setDevicePixelRatio(widget->devicePixelRatioF());
    }
    if (picture.isNull())
        return;
    const bool gif = type == ImageTypeGIF;
    showPicture(picture, scale, gif);
    if (gif)
        showMovie(QByteArray(reinterpret_cast<const char *>(bytes), length));
}

// A picture scaled to one side keeps its proportions: that side is made
// shorter where the other would pass the screen.
QSize Label::impl::scaleTarget(const QSize &picture, ScalePicture scale, QSize target)
{
    const QSize largest = label()->ScreenSize();
    target = target.expandedTo(QSize(0, 0)).boundedTo(largest);
    if (picture.isEmpty())
        return target;
    const auto fitted = [](int side, int otherLargest, int sideFor, int otherFor) {
        // The other side follows in the picture's proportion sideFor : otherFor.
        const long long otherScaled = static_cast<long long>(side) * otherFor / sideFor;
        if (otherScaled <= otherLargest)
            return side;
        return static_cast<int>(std::max(1LL, static_cast<long long>(otherLargest) * sideFor / otherFor));
    };
    if (scale == ScalePictureToWidth)
        target.setWidth(fitted(target.width(), largest.height(), picture.width(), picture.height()));
    else if (scale == ScalePictureToHeight)
        target.setHeight(fitted(target.height(), largest.width(), picture.height(), picture.width()));
    return target;
}

void Label::impl::showPicture(const QPixmap &picture, ScalePicture scale, bool gif)
{
    LabelQt *widget = label();
    QSize target = widget->size();
    if (scale == ScalePictureToSize) {
        const Size ideal = IdealSize();
        target = QSize(ideal.width, ideal.height);
    }
    // The label asks for its picture's size: no larger than its screen.
    target = scaleTarget(picture.size(), scale, target);
    const QPixmap scaled = AUILibUtils::ScaleBitmap(picture, scale, target);
    if (!scaled.isNull() && !gif) {
        widget->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        widget->setPixmap(scaled);
    }
    m_movieSize = scaled.isNull() ? QSize(0, 0) : scaled.size();
}

// The movie and its bytes live with the label widget that shows them; a
// movie loaded later replaces them.
void Label::impl::showMovie(const QByteArray &bytes)
{
    LabelQt *widget = label();
    auto *buffer = new QBuffer;
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    auto *movie = new QMovie(buffer, QByteArray(), widget);
    buffer->setParent(movie);
    if (!movie->isValid()) {
        delete movie;
        return;
    }
    movie->setCacheMode(QMovie::CacheAll);
    movie->setScaledSize(m_movieSize / widget->devicePixelRatioF());
    movie->jumpToFrame(0);
    widget->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    widget->setMovie(movie);
    delete m_movie.data();
    m_movie = movie;
}

bool Label::impl::PlayGif()
{
    QMovie *movie = label()->movie();
    if (!movie || !movie->isValid())
        return false;
    movie->start();
    return true;
}

bool Label::impl::StopGif()
{
    QMovie *movie = label()->movie();
    if (!movie || !movie->isValid())
        return false;
    movie->stop();
    return true;
}

void Label::impl::DrawTxt(const QString &text)
{
    LabelQt *widget = label();
    // The label asks for its picture's size: a label larger than its screen
    // draws into a picture of the screen's size.
    const QSize size = widget->size().expandedTo(QSize(0, 0)).boundedTo(widget->ScreenSize());
    if (size.isEmpty()) {
        widget->setPixmap(QPixmap());
        return;
    }
    QPixmap picture(size);
    picture.fill(widget->palette().color(QPalette::Window));
    {
        QPainter painter(&picture);
        painter.setFont(widget->font());
        painter.drawText(picture.rect(), static_cast<int>(widget->alignment()), text);
    }
    widget->setPixmap(picture);
}

} // namespace AUILib
