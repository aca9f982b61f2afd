#include "DialogImplQt.h"

#include "AUILibConfig.h"
#include "AUILibUtils.h"
#include "AgnosticUIException.h"
#include "Button.h"
#include "DialogQt.h"
#include "Encrypter.h"
#include "EventHelper.h"
#include "FormElement.h"
#include "ModalRun.h"
#include "ObQUiLoader.h"
#include "SizeBound.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QLayout>
#include <QPixmap>
#include <QPushButton>

namespace AUILib {

namespace {

constexpr unsigned int kPrivateMark = 0x80;

} // namespace

Dialog::impl::impl(Dialog *owner, unsigned int flags, QWidget *parent)
    : BaseImplQt(owner)
    , m_window(new DialogQt(owner, parent))
    , m_flags(flags)
    , m_owner(owner)
    , m_bridge(new EventHelper(owner, owner))
{
    WrapWidget(m_window.data());
}

Dialog::impl::~impl()
{
    DisconnectApp();
    m_elements.clear();
    EventHelper::Dispose(m_bridge.release());
}

QDialog *Dialog::impl::Window() const
{
    return WidgetAs<QDialog>();
}

Point Dialog::impl::ScreenToClient(Point point)
{
    if (!Window())
        return point;
    const QPoint mapped = Window()->mapFromGlobal(BaseImplQt::BoundedPoint(point));
    return Point{mapped.x(), mapped.y()};
}

Point Dialog::impl::ClientToScreen(Point point)
{
    if (!Window())
        return point;
    const QPoint mapped = Window()->mapToGlobal(BaseImplQt::BoundedPoint(point));
    return Point{mapped.x(), mapped.y()};
}

std::shared_ptr<BaseGUIObject> Dialog::impl::GetElementByName(const std::wstring &name)
{
    auto found = m_elements.find(name);
    return found == m_elements.end() ? nullptr : found->second;
}

std::shared_ptr<BaseGUIObject> Dialog::impl::elementOf(const QWidget *widget)
{
    // A second form control of a registered name has no element: the one
    // under its name is the first control's.
    std::shared_ptr<BaseGUIObject> element = GetElementByName(widget->objectName().toStdWString());
    if (!element || element->GetPlatformHandle() != widget)
        return nullptr;
    return element;
}

bool Dialog::impl::RegisterElement(const std::wstring &name, const std::shared_ptr<BaseGUIObject> &element)
{
    m_elements.max_load_factor(1.0f);
    return m_elements.emplace(name, element).second;
}

bool Dialog::impl::CreateFromUI(const std::wstring &path, QWidget *parent)
{
    return CreateFromUI(Encrypter::ReadAndDecryptFile(path), 0, parent);
}

bool Dialog::impl::CreateFromUI(const std::wstring &formText, unsigned long, QWidget *parent)
{
    if (formText.empty())
        return false;
    QByteArray utf8 = QString::fromStdWString(formText).toUtf8();
    QWidget *top = nullptr;
    {
        QBuffer buffer(&utf8);
        buffer.open(QIODevice::ReadOnly);
        ObQUiLoader loader(this);
        top = loader.load(&buffer, parent);
    }
    m_window = qobject_cast<QDialog *>(top);
    WrapWidget(m_window.data());
    if (!m_window) {
        // A form of another kind built a widget nobody would own.
        delete top;
        return false;
    }

    if (m_owner) {
        Dialog *owner = m_owner;
        m_windowDestroyed = QObject::connect(m_window.data(), &QObject::destroyed, m_window.data(),
                                             [owner] { owner->OnDestroyed.Emit(owner); });
        m_owner->SetUserData(reinterpret_cast<std::intptr_t>(m_window.data()));
    }
    if (GetLayoutRTL())
        QApplication::setLayoutDirection(Qt::RightToLeft);
    applyWindowFlags();
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->installEventFilter(m_bridge.get());
    // The form's own sizes (the window's geometry, minimum sizes) are held to
    // the toolkit's bound, as the sizes a caller gives are.
    SizeBound::Apply(m_window.data());

    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        SizeBound::Apply(widget);
        widget->setAttribute(Qt::WA_MouseTracking);
        widget->installEventFilter(m_bridge.get());
        const std::shared_ptr<BaseGUIObject> element = elementOf(widget);
        if (!element)
            continue;
        // What the control needs of the form (a line's orientation, a button
        // box's standard buttons ...) is its own business.
        if (auto impl = std::dynamic_pointer_cast<BaseImplQt>(element->GetBaseImpl()))
            impl->OnFormLoaded(FormElement(utf8, m_window.data(), widget));
        // After the control's turn: a button box cuts the form's connections from it.
        QObject::connect(widget, &QObject::destroyed, widget, [element] { element->OnDestroyed.Emit(element.get()); });
    }
    m_closed = false;
    return true;
}

void Dialog::impl::applyWindowFlags()
{
    unsigned int flags = m_flags;
    if (flags & kPrivateMark) {
        flags &= ~kPrivateMark;
    } else {
        flags &= ~(kPrivateMark | Qt::WindowMaximizeButtonHint);
        flags |= Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint;
    }
    if (!(flags & Qt::WindowTitleHint))
        flags |= Qt::FramelessWindowHint;
    m_flags = flags;
    Window()->setWindowFlags(Qt::WindowFlags(static_cast<int>(flags)));
}

bool Dialog::impl::Close()
{
    if (m_closed)
        return true;
    m_closed = true;
    QDialog *window = Window();
    return window ? window->close() : true;
}

bool Dialog::impl::initializeOwner()
{
    Dialog *owner = IsLive() ? OwnerAs<Dialog>() : nullptr;
    if (!owner)
        return false;
    owner->InitializeControls();
    return IsLive();
}

void Dialog::impl::showInitialized()
{
    if (initializeOwner() && Window())
        Show(true, true);
}

void Dialog::impl::CreateTabWindow(QWidget *parent)
{
    QDialog *window = Window();
    // Embedded in itself or in one of its own widgets, the window would be its
    // own ancestor, and Qt would loop for good.
    if (!window || WouldOwnItself(window, parent))
        return;
    {
        // The window's controls hear of the move once it is made.
        EventGate::Hold hold;
        window->setWindowFlags(Qt::WindowFlags());
        window->setParent(parent);
    }
    showInitialized();
}

void Dialog::impl::CreateTabWindowEx(BaseGUIObject *placeholder)
{
    QDialog *window = Window();
    if (!placeholder || !window)
        return;
    if (QWidget *stand = placeholder->GetPlatformHandle()) {
        // A placeholder of this very dialog would make the window its own
        // ancestor: refused.
        if (WouldOwnItself(window, stand))
            return;
        // The window's controls and the placeholder's hear of the swap once
        // it is made: the placeholder is used throughout.
        EventGate::Hold hold;
        QWidget *parent = stand->parentWidget();
        window->setWindowFlags(Qt::WindowFlags());
        window->setParent(parent);
        if (QLayout *layout = parent ? parent->layout() : nullptr) {
            if (QLayoutItem *replaced = layout->replaceWidget(stand, window)) {
                delete replaced;
                stand->setParent(nullptr);
                stand->deleteLater();
            }
        }
    }
    showInitialized();
}

int Dialog::impl::DoModal()
{
    // An embedded dialog is a page of another window, which its rejection
    // reaches: a modal run of the page could never be ended.
    if (!Window() || !Window()->isWindow() || !initializeOwner())
        return 0;
    QPointer<QDialog> window = Window();
    if (!window || !window->isWindow())
        return 0;
    {
        // Qt makes a window modal only as it shows it: one already shown
        // (modeless, or by a handler) is hidden first, and the modal run
        // shows it again. Its controls hear of the hiding once it is done.
        EventGate::Hold hold;
        if (window->isVisible())
            window->hide();
        window->setWindowModality(Qt::ApplicationModal);
    }
    // A handler of the hiding may have closed the window or embedded it.
    if (!window || !Window() || !window->isWindow())
        return 0;
    return ModalRun::Exec(window);
}

void Dialog::impl::DoModeless(bool stayOnTop)
{
    if (!Window() || !initializeOwner() || !Window())
        return;
    if (stayOnTop && Window()->parentWidget())
        SetWindowsToStayOnTop();
    if (Window())
        Show(true, true);
}

void Dialog::impl::DoModeless(QWidget *parent, bool stayOnTop)
{
    QDialog *window = Window();
    if (!window || WouldOwnItself(window, parent))
        return;
    {
        EventGate::Hold hold;
        window->setParent(parent, window->windowFlags());
    }
    DoModeless(stayOnTop);
}

void Dialog::impl::Done(int result)
{
    QDialog *window = Window();
    if (!window)
        throw AgnosticUIException("../include/Qt/DialogImplQt", 680, "Invalid Control!");
    // Finishing hides the window, moving the focus and hiding every child:
    // the controls hear of it once Qt is done.
    EventGate::Hold hold;
    window->done(result);
}

void Dialog::impl::SetBackgroundColor(int rgb)
{
    if (!Window())
        return;
    QPalette palette = Window()->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(QRgb(rgb) | 0xff000000u)));
    Window()->setAutoFillBackground(true);
    Window()->setPalette(palette);
}

int Dialog::impl::GetBackgroundColor()
{
    if (!Window())
        return 0;
    return static_cast<int>(Window()->palette().brush(QPalette::Window).color().rgb());
}

void Dialog::impl::SetCursorType(CursorTypes type)
{
    if (type == 1) {
        if (!m_customCursor.pixmap().isNull())
            QApplication::setOverrideCursor(m_customCursor);
        else
            QApplication::setOverrideCursor(AUILibUtils::GetPlattformCursorType(type));
        return;
    }
    if (type == 0) {
        if (Window() && Window()->cursor().shape() != Qt::ArrowCursor)
            QApplication::setOverrideCursor(AUILibUtils::GetPlattformCursorType(static_cast<CursorTypes>(15)));
        QApplication::restoreOverrideCursor();
        return;
    }
    QApplication::setOverrideCursor(AUILibUtils::GetPlattformCursorType(type));
}

bool Dialog::impl::LoadCustomCursor(const std::wstring &path, int hotX, int hotY)
{
    const QPixmap pixmap(QString::fromStdWString(path));
    if (pixmap.isNull())
        return false;
    m_customCursor = QCursor(pixmap, hotX, hotY);
    return true;
}

bool Dialog::impl::LoadCustomCursor(const unsigned char *data, int length, int hotX, int hotY, ImageTypes type)
{
    if (type != ImageTypes(4) || length <= 0 || !data)
        return false;
    const QImage image = QImage::fromData(data, length, "PNG");
    const QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull())
        return false;
    m_customCursor = QCursor(pixmap, hotX, hotY);
    return true;
}

void Dialog::impl::SetIcon(const std::wstring &path, bool)
{
    if (Window())
        Window()->setWindowIcon(QIcon(QString::fromStdWString(path)));
}

void Dialog::impl::SetIcon(const unsigned char *data, int length, ImageTypes type, bool)
{
    if (!Window())
        return;
    QPixmap pixmap;
    pixmap.loadFromData(data, static_cast<uint>(qMax(length, 0)), AUILibUtils::ImageTypeToStr(type).c_str());
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal, QIcon::Off);
    Window()->setWindowIcon(icon);
}

void Dialog::impl::SetDefaultButton(Button *button)
{
    if (!button) {
        m_defaultButtonsAllowed = false;
        clearDefaultButtons();
        return;
    }
    if (auto *push = qobject_cast<QPushButton *>(button->GetPlatformHandle()))
        push->setDefault(true);
    m_defaultButtonsAllowed = true;
}

void Dialog::impl::clearDefaultButtons()
{
    if (!Window())
        return;
    for (QPushButton *push : Window()->findChildren<QPushButton *>()) {
        push->setAutoDefault(false);
        push->setDefault(false);
    }
}

void Dialog::impl::SetWindowsToStayOnTop()
{
    if (!Window())
        return;
    {
        // New flags hide the window and make its native window again.
        EventGate::Hold hold;
        Window()->setWindowFlags(Window()->windowFlags() | Qt::WindowStaysOnTopHint);
    }
    DisconnectApp();
    m_appState = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                  [this](Qt::ApplicationState state) { applicationStateChanged(state); });
}

void Dialog::impl::applicationStateChanged(Qt::ApplicationState state)
{
    if (!Window() || !Window()->isVisible())
        return;
    if (!Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && m_stayOnTopManaged != 1)
        return;
    m_stayOnTopManaged = 1;
    Qt::WindowFlags flags = Window()->windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (state == Qt::ApplicationActive)
        flags |= Qt::WindowStaysOnTopHint;
    // Changing the flags hides the window, which is shown again before a
    // procedure hears of either.
    EventGate::Hold hold;
    Window()->setWindowFlags(flags);
    Show(true, true);
}

void Dialog::impl::DisconnectApp()
{
    QObject::disconnect(m_appState);
}

void Dialog::impl::DetachOwner()
{
    DisconnectApp();
    QObject::disconnect(m_windowDestroyed);
    if (auto *window = qobject_cast<DialogQt *>(Window()))
        window->setOwner(nullptr);
    // The bridge calls the owner for every event of the form's widgets. A
    // window Qt is destroying drops its filters itself.
    if (QDialog *window = Window()) {
        window->removeEventFilter(m_bridge.get());
        for (QWidget *widget : window->findChildren<QWidget *>())
            widget->removeEventFilter(m_bridge.get());
    }
    // The owner may go from inside one of the bridge's own deliveries.
    EventHelper::Dispose(m_bridge.release());
    m_owner = nullptr;
}

} // namespace AUILib
