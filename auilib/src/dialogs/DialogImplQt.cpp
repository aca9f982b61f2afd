#include "DialogImplQt.h"

#include "AUILibConfig.h"
#include "AUILibUtils.h"
#include "Button.h"
#include "ButtonBoxImpl.h"
#include "DialogQt.h"
#include "Encrypter.h"
#include "EventHelper.h"
#include "ObQUiLoader.h"
#include "TrString.h"

#include <QApplication>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QXmlStreamReader>

namespace AUILib {

namespace {

constexpr unsigned int kPrivateMark = 0x80;

// The standard buttons a dialog wraps, in the order it wraps them, with the
// name that keys their translated caption.
struct StandardButton
{
    QDialogButtonBox::StandardButton button;
    const wchar_t *name;
};

const StandardButton kStandardButtons[] = {
    {QDialogButtonBox::Reset, L"Reset"}, {QDialogButtonBox::Yes, L"Yes"},       {QDialogButtonBox::Ok, L"OK"},
    {QDialogButtonBox::Retry, L"Retry"}, {QDialogButtonBox::Ignore, L"Ignore"}, {QDialogButtonBox::No, L"No"},
    {QDialogButtonBox::Abort, L"Abort"}, {QDialogButtonBox::Cancel, L"Cancel"},
};

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

} // namespace

QString GetControlEnumProp(QByteArray formXml, QString objectName, QString property)
{
    QXmlStreamReader xml(formXml);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("widget"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (!attributes.hasAttribute("class") || attributes.value("name") != objectName)
            continue;
        const QString value = enumOfProperty(xml, property);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

Dialog::impl::impl(Dialog *owner, unsigned int flags, QWidget *parent)
    : m_window(new DialogQt(owner, parent))
    , m_flags(flags)
    , m_owner(owner)
    , m_bridge(new EventHelper(owner, owner))
{
}

Dialog::impl::~impl()
{
    DisconnectApp();
    m_elements.clear();
}

QWidget *Dialog::impl::GetWidget()
{
    return m_windowWidget.data();
}

Point Dialog::impl::ScreenToClient(Point point)
{
    if (!m_window)
        return point;
    const QPoint mapped = m_window->mapFromGlobal(QPoint(point.x, point.y));
    return Point{mapped.x(), mapped.y()};
}

Point Dialog::impl::ClientToScreen(Point point)
{
    if (!m_window)
        return point;
    const QPoint mapped = m_window->mapToGlobal(QPoint(point.x, point.y));
    return Point{mapped.x(), mapped.y()};
}

std::shared_ptr<BaseGUIObject> Dialog::impl::GetElementByName(const std::wstring &name)
{
    auto found = m_elements.find(name);
    return found == m_elements.end() ? nullptr : found->second;
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
    m_windowWidget = m_window.data();
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

    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        widget->setAttribute(Qt::WA_MouseTracking);
        widget->installEventFilter(m_bridge.get());
        const std::shared_ptr<BaseGUIObject> element = GetElementByName(widget->objectName().toStdWString());
        if (!element)
            continue;
        if (element->GetControlKind() == ControlKindLine) {
            // The factory made a plain frame; the form says which way it runs.
            const QString orientation =
                AUILibUtils::NormalizeQtEnum(GetControlEnumProp(utf8, widget->objectName(), "orientation"));
            if (auto *frame = qobject_cast<QFrame *>(widget)) {
                if (orientation == QLatin1String("Qt::Vertical"))
                    frame->setFrameShape(QFrame::VLine);
                else if (orientation == QLatin1String("Qt::Horizontal"))
                    frame->setFrameShape(QFrame::HLine);
            }
        }
        // Wrapping cuts the box's connections, so it comes before the box's own.
        if (qobject_cast<QDialogButtonBox *>(widget))
            wrapStandardButtons(element);
        QObject::connect(widget, &QObject::destroyed, widget, [element] { element->OnDestroyed.Emit(element.get()); });
    }
    m_closed = false;
    return true;
}

void Dialog::impl::wrapStandardButtons(const std::shared_ptr<BaseGUIObject> &element)
{
    auto box = std::dynamic_pointer_cast<ButtonBox::impl>(element->GetBaseImpl());
    auto *widget = box ? qobject_cast<QDialogButtonBox *>(box->GetWidget()) : nullptr;
    if (!widget)
        return;
    // The toolkit's buttons take over: the form's accepted and rejected
    // connections would finish the dialog behind the application's back.
    QObject::disconnect(widget, nullptr, nullptr, nullptr);
    for (const StandardButton &standard : kStandardButtons) {
        QPushButton *push = widget->button(standard.button);
        if (!push)
            continue;
        auto button = std::make_shared<Button>(push);
        const std::wstring name(standard.name);
        push->setText(QString::fromStdWString(TrString(std::wstring(), L"AUILib::BBox" + name, name)));
        box->Buttons().push_back(button);
    }
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
    m_window->setWindowFlags(Qt::WindowFlags(static_cast<int>(flags)));
}

bool Dialog::impl::Close()
{
    if (m_closed)
        return true;
    m_closed = true;
    return m_window ? m_window->close() : true;
}

void Dialog::impl::SetBackgroundColor(int rgb)
{
    if (!m_window)
        return;
    QPalette palette = m_window->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(QRgb(rgb) | 0xff000000u)));
    m_window->setAutoFillBackground(true);
    m_window->setPalette(palette);
}

int Dialog::impl::GetBackgroundColor()
{
    if (!m_window)
        return 0;
    return static_cast<int>(m_window->palette().brush(QPalette::Window).color().rgb());
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
        if (m_window && m_window->cursor().shape() != Qt::ArrowCursor)
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
    if (m_window)
        m_window->setWindowIcon(QIcon(QString::fromStdWString(path)));
}

void Dialog::impl::SetIcon(const unsigned char *data, int length, ImageTypes type, bool)
{
    if (!m_window)
        return;
    QPixmap pixmap;
    pixmap.loadFromData(data, static_cast<uint>(qMax(length, 0)), AUILibUtils::ImageTypeToStr(type).c_str());
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal, QIcon::Off);
    m_window->setWindowIcon(icon);
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
    if (!m_window)
        return;
    for (QPushButton *push : m_window->findChildren<QPushButton *>()) {
        push->setAutoDefault(false);
        push->setDefault(false);
    }
}

void Dialog::impl::SetWindowsToStayOnTop()
{
    if (!m_window)
        return;
    m_window->setWindowFlags(m_window->windowFlags() | Qt::WindowStaysOnTopHint);
    DisconnectApp();
    m_appState = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                  [this](Qt::ApplicationState state) { applicationStateChanged(state); });
}

void Dialog::impl::applicationStateChanged(Qt::ApplicationState state)
{
    if (!m_window || !m_window->isVisible())
        return;
    if (!m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && m_stayOnTopManaged != 1)
        return;
    m_stayOnTopManaged = 1;
    Qt::WindowFlags flags = m_window->windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (state == Qt::ApplicationActive)
        flags |= Qt::WindowStaysOnTopHint;
    m_window->setWindowFlags(flags);
    // Changing the flags hides the window.
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
    if (auto *window = qobject_cast<DialogQt *>(m_window.data()))
        window->setOwner(nullptr);
    // The bridge calls the owner for every event of the form's widgets.
    if (m_window) {
        m_window->removeEventFilter(m_bridge.get());
        for (QWidget *widget : m_window->findChildren<QWidget *>())
            widget->removeEventFilter(m_bridge.get());
    }
    m_bridge.reset();
    m_owner = nullptr;
}

} // namespace AUILib
