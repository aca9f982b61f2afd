#include "PromptsPopup.h"

#include "PromptsPopupQt.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>
#include <QUrl>

#include <algorithm>

namespace AUILib {

namespace {

// Rich-text frames of the balloon: A icon and message, B title and message,
// C icon, title and message. "%0" is where the icon's PNG goes, as Base64.
const char kTemplateA[] =
    "<style> td { text-align: left; vertical-align: top; }                                               "
    "              p.small2 {                                                                 margin: 5px"
    ";                                                                 color: #4A5458;                   "
    "                                              font-size: 12px;                                      "
    "                           font-weight:normal;                                                      "
    "       }                                                             </style><table>                "
    "                                             <tr><td><img height='16' src='data:image/png;base64, %0"
    "'></td><td> <p class=\"small2\"><b>";
const char kTemplateAEnd[] =
    "</b> </p></td></tr></table>";
const char kTemplateB[] =
    "<table ><style>                                                      p.small {                      "
    "                                    margin: 0px 5px 0px 10px;                                       "
    "                   line-height: 20px;                                                          color"
    ": #3E75C7;                                                          font-size: 18px;                "
    "                                          font-weight:bold;                                         "
    "             }                                                      p.small2 {                      "
    "                                    margin: 0px 5px 0px 10px;                                       "
    "                   line-height: 20px;                                                          color"
    ": #4A5458;                                                          font-size: 12px;                "
    "                                          font-weight:normal;                                       "
    "               }                                                      </style><tr><td><p class=\"smal"
    "l\"><b>";
const char kTemplateBMiddle[] =
    "</b></p></td></tr><tr><td><p class=\"small2\"><b>";
const char kTemplateBEnd[] =
    "</b></p></td></tr></table>";
const char kTemplateC[] =
    "<table> <style>                                                         p.small {                   "
    "                                          margin: 0px 5px 0px 10px;                                 "
    "                            line-height: 20px;                                                      "
    "       color: #3E75C7;                                                             font-size: 18px; "
    "                                                        }                                           "
    "              p.small2 {                                                             margin: 0px 5px"
    " 0px 10px;                                                             line-height: 20px;           "
    "                                                  color: #4A5458;                                   "
    "                          font-size: 12px;                                                          "
    "   font-weight:normal;                                                         }                    "
    "                                     </style>                                                       "
    "   <tr><td align=\"middle\" valign=\"middle\"><img height='16' src='data:image/png;base64, %0'></td><td>"
    " <p class=\"small\"><b>";
const char kTemplateCMiddle[] =
    "</b> </p></td></tr><tr><td></td><td>  <p class=\"small2\">                                            "
    "             <b>";
const char kTemplateCEnd[] =
    "</b>                                                         </p></td></tr></table>";

enum IconKind { IconNone = 0, IconStandard = 1, IconCustom = 2 };

// The balloon shows its icon 16 pixels high; it keeps twice that for a
// double-density screen. The picture travels inside the balloon's text, which
// Qt reads again at every layout: a photograph kept whole there (megabytes as
// Base64) held the window for seconds each time.
constexpr int kIconPixels = 32;

QImage shownIcon(const QImage &picture)
{
    if (picture.width() <= kIconPixels && picture.height() <= kIconPixels)
        return picture;
    return picture.scaled(kIconPixels, kIconPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString withIcon(const char *frame, const QImage &icon)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG", 100);
    // Only the frame carries the marker; the message is joined afterwards so a
    // "%0" in it stays as written.
    return QString::fromLatin1(frame).arg(QString::fromLatin1(png.toBase64()));
}

std::wstring shownPart(const std::wstring &text, std::size_t longest)
{
    return text.size() <= longest ? text : text.substr(0, longest) + L'\u2026';
}

} // namespace

class PromptsPopup::impl
{
public:
    impl()
        : widget(new PromptsPopupQt)
    {
    }

    virtual ~impl()
    {
        // The balloon belongs to this popup; it must not outlive it inside its
        // target (or, never given a target, without any owner at all).
        delete widget.data();
    }

    virtual PromptsPopupQt *GetWidget() const { return widget.data(); }

    QString composeText() const;
    // The screen the balloon shows on; null without any.
    QScreen *screenOf(const QPoint &anchor) const;
    void sizeToText(const QPoint &anchor);
    // No larger than the screen it shows on: Qt cannot paint a window of
    // tens of thousands of pixels (a picture in the text can ask for one).
    void resizeWithin(QSize size, const QPoint &anchor);
    void place(const QPoint &anchor);

    QWidget *target = nullptr;
    std::wstring message;
    std::wstring title;
    int standardIcon = 0;
    int iconKind = IconNone;
    QPointer<PromptsPopupQt> widget;
    QImage titleIcon;
};

QString PromptsPopup::impl::composeText() const
{
    const QString m = QString::fromStdWString(message);
    QString withBreaks = m;
    withBreaks.replace(QLatin1String("\n"), QLatin1String("<br>"));
    const bool hasTitle = !title.empty();
    const bool hasIcon = iconKind != IconNone;
    const QString t = QString::fromStdWString(title);
    if (!hasTitle && !hasIcon)
        return m;
    if (!hasTitle)
        return withIcon(kTemplateA, titleIcon) + withBreaks + QLatin1String(kTemplateAEnd);
    if (!hasIcon)
        return QLatin1String(kTemplateB) + t + QLatin1String(kTemplateBMiddle) + m + QLatin1String(kTemplateBEnd);
    return withIcon(kTemplateC, titleIcon) + t + QLatin1String(kTemplateCMiddle) + withBreaks +
           QLatin1String(kTemplateCEnd);
}

QScreen *PromptsPopup::impl::screenOf(const QPoint &anchor) const
{
    QScreen *screen = QGuiApplication::screenAt(anchor);
    return screen ? screen : QGuiApplication::primaryScreen();
}

void PromptsPopup::impl::sizeToText(const QPoint &anchor)
{
    PromptsPopupQt *label = widget.data();
    label->setWordWrap(Qt::mightBeRichText(label->text()));
    QSize hint = label->sizeHint();
    QScreen *screen = screenOf(anchor);
    if (!label->wordWrap() && screen && screen->geometry().width() < hint.width()) {
        label->setWordWrap(true);
        hint = label->sizeHint();
    }
    const QFontMetrics metrics(label->font());
    const int extra = (metrics.descent() == 2 && metrics.ascent() > 10) ? 1 : 0;
    resizeWithin(QSize(hint.width() + 1, hint.height() + extra), anchor);
}

void PromptsPopup::impl::resizeWithin(QSize size, const QPoint &anchor)
{
    if (QScreen *screen = screenOf(anchor))
        size = size.boundedTo(screen->geometry().size());
    widget->resize(size);
}

void PromptsPopup::impl::place(const QPoint &anchor)
{
    PromptsPopupQt *label = widget.data();
    QWidget *onScreen = target ? target : label;
    QScreen *screen = onScreen->screen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // An anchor off the screen (INT_MAX, say) is taken at the screen's edge.
    const QPoint p(std::clamp(anchor.x(), s.left(), s.right()), std::clamp(anchor.y(), s.top(), s.bottom()));
    const int w = label->width();
    const int h = label->height();
    const int right = s.right() + 1;
    const int bottom = s.bottom() + 1;

    QPoint q(p.x() + 2, p.y() + 21);
    if (q.x() + w > right)
        q.setX(p.x() - w - 2);
    const bool fitsBelow = p.y() + 21 + h <= bottom;
    const int candidate = fitsBelow ? p.y() + 21 : p.y() - h - 3;
    if (!fitsBelow || candidate < s.top())
        q.setY(std::max(s.top(), candidate));
    if (q.x() + w > right)
        q.setX(std::max(s.left(), right - w));
    else if (q.x() < s.left())
        q.setX(s.left());
    if (std::max(s.top(), candidate) + h > bottom)
        q.setY(bottom - h);

    label->move(q);
    // A persistent balloon stays until it is hidden; a timer left over from an
    // earlier showing must not take it down.
    if (label->timeoutMs < 0)
        label->autoHideTimer.stop();
    else
        label->autoHideTimer.start(label->timeoutMs, label);
    label->displayed = true;
    label->balloonRect = QRect(QPoint(0, 0), QPoint(w - 1, h - 1));
    // Last: what waited while the balloon showed is delivered as show()
    // returns, and a handler may take the balloon's window away with it.
    label->show();
}

PromptsPopup::PromptsPopup() = default;

PromptsPopup::~PromptsPopup() = default;

bool PromptsPopup::Create(QWidget *target, const std::wstring &text, int, int timeoutMs, bool closeOnInteraction)
{
    if (!target)
        return false;
    if (!m_impl)
        m_impl = std::make_unique<impl>();
    if (PromptsPopupQt *label = m_impl->GetWidget()) {
        label->WatchWindow(target->window());
        label->WatchTarget(target);
        label->setParent(target);
        label->closeOnInteraction = closeOnInteraction;
        // The framework hands -1 for a tip meant to stay: no time-out at all.
        label->timeoutMs = timeoutMs < 0 ? PromptsPopupQt::kNoTimeout : timeoutMs;
        label->setStyleSheet(QStringLiteral("QLabel{border-radius: %1px; margin: %2px; margin-top:%3px;}")
                                 .arg(PromptsPopupQt::kCornerRadius)
                                 .arg(PromptsPopupQt::kMargin)
                                 .arg(PromptsPopupQt::kCornerRadius + PromptsPopupQt::kArrowHeight +
                                      PromptsPopupQt::kMargin));
    }
    m_impl->target = target;
    m_impl->message = shownPart(text, kLongestText);
    if (PromptsPopupQt *label = m_impl->GetWidget()) {
        label->setForegroundRole(QPalette::ToolTipText);
        label->setBackgroundRole(QPalette::ToolTipBase);
        label->setPalette(QToolTip::palette());
        label->ensurePolished();
        label->setAlignment(Qt::AlignLeft);
        label->setIndent(1);
        label->setWindowFlags(label->windowFlags() | Qt::ToolTip | Qt::FramelessWindowHint);
        label->setWindowOpacity(label->style()->styleHint(QStyle::SH_ToolTipLabel_Opacity, nullptr, label) / 255.0);
        label->setFocusPolicy(Qt::StrongFocus);
        label->setAttribute(Qt::WA_TranslucentBackground);
    }
    return true;
}

void PromptsPopup::Show(bool show, int x, int y)
{
    PromptsPopupQt *label = m_impl ? m_impl->GetWidget() : nullptr;
    if (!label)
        return;
    if (!show) {
        label->autoHideTimer.stop();
        label->hide();
        label->displayed = false;
        return;
    }
    QPoint anchor(x, y);
    if (x < 0 || y < 0)
        anchor = m_impl->target ? m_impl->target->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    label->setText(m_impl->composeText());
    if (m_impl->title.empty())
        m_impl->sizeToText(anchor);
    else if (!label->testAttribute(Qt::WA_Resized))
        m_impl->resizeWithin(label->sizeHint(), anchor); // placed by its real size, not the default window size
    if (label->isHidden())
        m_impl->place(anchor);
}

void PromptsPopup::SetTitleIcon(BalloonTipIconType type)
{
    if (!m_impl)
        return;
    QStyle::StandardPixmap pixmap;
    switch (type) {
    case BalloonTipIconInformation: pixmap = QStyle::SP_MessageBoxInformation; break;
    case BalloonTipIconWarning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case BalloonTipIconCritical: pixmap = QStyle::SP_MessageBoxCritical; break;
    default:
        m_impl->iconKind = IconNone;
        return;
    }
    m_impl->standardIcon = pixmap;
    m_impl->titleIcon = QApplication::style()->standardIcon(pixmap).pixmap(16, 16, QIcon::Normal, QIcon::Off).toImage();
    m_impl->iconKind = IconStandard;
}

void PromptsPopup::SetTitleIcon(const std::wstring &path)
{
    if (!m_impl)
        return;
    const QUrl url(QString::fromStdWString(path), QUrl::TolerantMode);
    if (!url.isValid())
        return;
    m_impl->titleIcon = shownIcon(QImage(url.path(QUrl::FullyDecoded)));
    m_impl->iconKind = IconCustom;
}

void PromptsPopup::SetTitleIcon(const unsigned char *bytes, int length)
{
    if (!m_impl || !bytes || length <= 0)
        return;
    QImage image;
    if (!image.loadFromData(bytes, length))
        return;
    m_impl->titleIcon = shownIcon(image);
    m_impl->iconKind = IconCustom;
}

void PromptsPopup::SetTitle(const std::wstring &title)
{
    if (m_impl && !title.empty())
        m_impl->title = shownPart(title, kLongestTitle);
}

bool PromptsPopup::IsDisplayed() const
{
    const PromptsPopupQt *label = m_impl ? m_impl->GetWidget() : nullptr;
    return label && label->isVisible();
}

} // namespace AUILib
