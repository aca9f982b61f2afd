#include "Dialog.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "Button.h"
#include "DialogImplQt.h"
#include "SizeBound.h"
#include "Translator.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

namespace AUILib {

namespace {

constexpr unsigned long kDefaultDialogStyle = 0x8003003;

// What the tool tip's line breaking takes for white space: what "\s" of a
// regular expression matches.
bool isBreakSpace(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return true;
    default:
        return false;
    }
}

// Breaks `text` into lines no wider than `limit` pixels, at the last white
// space where there is one, and returns the broken lines with "<br>" after
// each; `text` keeps what is left for the last line. A line holds at least
// one character, so a glyph wider than the limit at the start of a line
// never leaves an empty line behind, and a line feed ends a line.
//
// The longest start of each line that fits is found by doubling and then
// halving, from the line's own place in the text, and the next line feed is
// looked for once: measured a character at a time from each line's start,
// with the text cut after every line, 100,000 characters took minutes.
QString wrapToolTip(QString &text, int limit, const QFontMetrics &metrics)
{
    const auto fitsIn = [&](int start, int length) {
        return metrics.horizontalAdvance(text.mid(start, length)) <= limit;
    };
    QString lines;
    int start = 0;
    int feed = text.indexOf(QLatin1Char('\n'), 1);
    while (text.size() - start > 1) {
        if (feed >= 0 && feed < start + 1)
            feed = text.indexOf(QLatin1Char('\n'), start + 1);
        const int end = (feed < 0 ? text.size() : feed) - start;
        // The longest start of the line that fits, of at least one character.
        int fits = 1;
        int tooLong = end + 1;
        for (int length = 2; length <= end; length *= 2) {
            if (!fitsIn(start, length)) {
                tooLong = length;
                break;
            }
            fits = length;
        }
        if (tooLong > end && fits < end) {
            if (fitsIn(start, end))
                fits = end;
            else
                tooLong = end;
        }
        while (tooLong - fits > 1) {
            const int middle = fits + (tooLong - fits) / 2;
            (fitsIn(start, middle) ? fits : tooLong) = middle;
        }
        if (fits == end) {
            if (feed < 0)
                break;
            lines += text.midRef(start, end) + QStringLiteral("<br>");
            start = feed + 1;
            continue;
        }
        int cut = fits;
        for (int at = fits; at > 0; --at) {
            if (isBreakSpace(text.at(start + at))) {
                cut = at + 1;
                break;
            }
        }
        lines += text.midRef(start, cut) + QStringLiteral("<br>");
        start += cut;
    }
    text = text.mid(start);
    return lines;
}

} // namespace

Dialog::Dialog(const std::wstring &uiPath, QWidget *parent, unsigned long style, double screenFraction,
               const std::wstring &extra)
    : m_screenFraction(screenFraction)
    , m_uiPath(uiPath)
    , m_extra(extra)
{
    SetControlKind(ControlKindDialog);
    SetParentWindow(parent);
    const std::wstring text = Translator::GetInstance().TranslateUIFile(uiPath);
    m_impl = std::make_shared<impl>(this, static_cast<unsigned int>(style ? style : kDefaultDialogStyle), parent);
    QPointer<QDialog> made = m_impl->Window();
    const bool built = text.empty() ? m_impl->CreateFromUI(uiPath, parent)
                                    : m_impl->CreateFromUI(text, static_cast<unsigned long>(text.size()), parent);
    if (!built) {
        // No destructor runs for a dialog that failed to construct: the window
        // it made must neither call it back nor stay behind.
        m_impl->DetachOwner();
        delete made.data();
        throw AgnosticUIException("../src/Dialog", text.empty() ? 66 : 70, "Create from ui fails");
    }
}

Dialog::~Dialog()
{
    if (QWidget *window = this->window())
        QObject::disconnect(window, nullptr, nullptr, nullptr);
    if (m_impl)
        m_impl->DetachOwner();
}

unsigned long Dialog::GetDefaultDialogStyle()
{
    return kDefaultDialogStyle;
}

QWidget *Dialog::window() const
{
    return m_impl ? m_impl->Window() : nullptr;
}

bool Dialog::Create(QWidget *)
{
    return true;
}

void Dialog::Show(bool show, bool repaint)
{
    if (window())
        m_impl->Show(show, repaint);
}

void Dialog::Enable(bool enable, bool withChildren)
{
    if (window())
        m_impl->Enable(enable, withChildren);
}

void Dialog::Update()
{
    if (window())
        BaseGUIObject::Update();
}

void Dialog::Update(const Region &region)
{
    if (window())
        BaseGUIObject::Update(region);
}

void Dialog::Repaint()
{
    if (window())
        BaseGUIObject::Repaint();
}

void Dialog::Repaint(const Region &region)
{
    if (window())
        BaseGUIObject::Repaint(region);
}

std::shared_ptr<BaseImpl> Dialog::GetBaseImpl() const
{
    return m_impl;
}

SkinManager *Dialog::GetSkinManager()
{
    return GetGlobalSkinManager();
}

int Dialog::FilterDone(int result)
{
    return result;
}

void Dialog::ShowButKeepHiddenChildren(bool show)
{
    Show(show, true);
}

void Dialog::CreateTabWindow(QWidget *parent, bool)
{
    m_impl->CreateTabWindow(parent);
}

void Dialog::CreateTabWindowEx(BaseGUIObject *placeholder, bool)
{
    m_impl->CreateTabWindowEx(placeholder);
}

bool Dialog::InitializeControls()
{
    return true;
}

void Dialog::SetIcon(const std::wstring &path, bool unused)
{
    if (m_impl)
        m_impl->SetIcon(path, unused);
}

void Dialog::SetIcon(const unsigned char *data, int length, ImageTypes type, bool unused)
{
    if (m_impl)
        m_impl->SetIcon(data, length, type, unused);
}

int Dialog::DoModal()
{
    return m_impl->DoModal();
}

void Dialog::DoModeless(bool stayOnTop)
{
    m_impl->DoModeless(stayOnTop);
}

void Dialog::DoModeless(QWidget *parent, bool stayOnTop)
{
    m_impl->DoModeless(parent, stayOnTop);
}

void Dialog::Done(DoneState result)
{
    m_impl->Done(result);
}

QWidget *Dialog::GetWndPtr() const
{
    return window();
}

QWidget *Dialog::GetHandle() const
{
    return window();
}

void Dialog::SetWindowTitle(const std::wstring &title)
{
    if (QWidget *window = this->window())
        window->setWindowTitle(QString::fromStdWString(title));
}

std::shared_ptr<BaseGUIObject> Dialog::GetElementByName(const std::wstring &name)
{
    return m_impl ? m_impl->GetElementByName(name) : nullptr;
}

std::shared_ptr<BaseGUIObject> Dialog::GetFocusedCtrlPtr()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return nullptr;
    return GetElementByName(focus->objectName().toStdWString());
}

void Dialog::SetFocusToCtrl(BaseGUIObject *control)
{
    if (QWidget *widget = control ? control->GetPlatformHandle() : nullptr)
        widget->setFocus(Qt::OtherFocusReason);
}

void Dialog::SetDefaultButton(Button *button)
{
    if (m_impl)
        m_impl->SetDefaultButton(button);
}

void Dialog::SetBackgroundColor(int rgb)
{
    if (m_impl)
        m_impl->SetBackgroundColor(rgb);
}

int Dialog::GetBackgroundColor()
{
    return m_impl ? m_impl->GetBackgroundColor() : 0;
}

void Dialog::SetCursorType(CursorTypes type)
{
    if (m_impl)
        m_impl->SetCursorType(type);
}

bool Dialog::LoadCustomCursor(const std::wstring &path, int hotX, int hotY)
{
    return m_impl && m_impl->LoadCustomCursor(path, hotX, hotY);
}

bool Dialog::LoadCustomCursor(const unsigned char *data, int length, int hotX, int hotY, ImageTypes type)
{
    return m_impl && m_impl->LoadCustomCursor(data, length, hotX, hotY, type);
}

void Dialog::SetSkinManager(const SkinManager &, bool)
{
}

void Dialog::SetUIPath(const std::wstring &path)
{
    m_uiPath = path;
}

void Dialog::UpdateWindow()
{
    if (QWidget *window = this->window())
        window->update();
}

void Dialog::SetToolTip(const std::shared_ptr<BaseGUIObject> &control, const std::wstring &text,
                        const std::wstring &title, int maxWidth, QRect *rect, bool)
{
    BaseGUIObject *target = control ? control.get() : this;
    auto targetImpl = std::dynamic_pointer_cast<BaseImplQt>(target->GetBaseImpl());
    if (!targetImpl || !targetImpl->GetWidget())
        return;

    QString lines;
    if (!title.empty())
        lines = QStringLiteral("<b>") + QString::fromStdWString(title) + QStringLiteral("</b><br>");
    QString rest = QString::fromStdWString(text);
    if (maxWidth >= 1) {
        const QFont font = QToolTip::font();
        QFont bold = font;
        bold.setWeight(75);
        const QFontMetrics metrics(font);
        int limit = qMax(maxWidth, QFontMetrics(bold).horizontalAdvance(QString::fromStdWString(title)));
        if (metrics.horizontalAdvance(rest) > limit && rest.size() >= 2)
            lines += wrapToolTip(rest, limit + 2, metrics);
    }
    const QString tip = QStringLiteral("<div style = 'white-space:pre'>") + lines + rest + QStringLiteral("</div>");

    QRect area;
    if (rect) {
        area = *rect;
    } else {
        const Rect client = target->GetClientRect();
        area = QRect(QPoint(client.left, client.top), QPoint(client.right, client.bottom));
    }
    if (control) {
        if (QWidget *widget = control->GetPlatformHandle())
            widget->setAccessibleName(QString::fromStdWString(text));
    }

    for (ToolTipRegion &region : targetImpl->ToolTipRegions()) {
        const bool same = !region.control.owner_before(control) && !control.owner_before(region.control);
        if (same) {
            if (!region.record)
                region.record = std::make_unique<ToolTipRecord>();
            region.record->text = tip;
            region.record->area = area;
            return;
        }
    }
    ToolTipRegion region;
    region.control = control;
    region.record = std::make_unique<ToolTipRecord>(ToolTipRecord{QString(), tip, area});
    targetImpl->ToolTipRegions().push_back(std::move(region));
}

void Dialog::ResizeDialogAccordingScreen(BaseGUIObject *control)
{
    // Showing, resizing and centring the window reach procedures, which wait
    // for the fit to be whole: the widgets below are used throughout.
    EventGate::Hold hold;
    QWidget *window = this->window();
    if (!window || !control)
        return;
    QLayout *windowLayout = window->layout();
    if (!windowLayout || windowLayout->count() < 1)
        return;
    auto *area = qobject_cast<QScrollArea *>(windowLayout->itemAt(0)->widget());
    if (!area || (control != this && control->GetParentWindow() != area))
        return;
    m_impl->Show(true, true);
    QWidget *content = area->widget();
    if (!content || !content->layout() || !window->layout())
        return;

    const QSize contentSize = content->sizeHint();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const int titleH = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int extraH = window->frameGeometry().height() - window->height();
    const int extraW = window->frameGeometry().width() - window->width();
    if (extraH < 0 || extraW < 0)
        return;
    const QMargins margins = windowLayout->contentsMargins();
    const int vsbW = area->verticalScrollBar()->sizeHint().width();
    const int hsbH = area->horizontalScrollBar()->sizeHint().height();
    const int fw = area->frameWidth();
    const double f = m_screenFraction;

    const int totalW = margins.left() + margins.right() + contentSize.width() + extraW + 2 * fw;
    // The frame's width excess counts towards the height as well.
    const int totalH = margins.top() + margins.bottom() + contentSize.height() + extraW + extraH + 2 * fw;
    const double maxW = avail.width() * f;
    const int usableH = (avail.bottom() - avail.top()) - titleH - 29;
    const double maxH = usableH * f;

    // In floating point until bounded: the fraction may be any number.
    double width;
    double height;
    const bool scrollsAcross = totalW > maxW;
    if (scrollsAcross) {
        width = maxW - extraW - 2 * fw;
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        width = contentSize.width() + extraW + margins.left() + margins.right();
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    if (totalH > maxH) {
        height = usableH * f - extraW - extraH - 2 * fw;
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        width += vsbW;
    } else {
        height = contentSize.height() + extraW + margins.top() + margins.bottom();
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    if (scrollsAcross)
        height += hsbH;

    const QSize size(SizeBound::Width(width), SizeBound::Height(height));
    windowLayout->setSizeConstraint(QLayout::SetNoConstraint);
    window->setMinimumSize(size);
    window->setMaximumSize(size);
    if (!m_centred) {
        window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), avail));
        m_centred = true;
    }
}

} // namespace AUILib
