#include "World.h"

#include "AgnosticUIException.h"
#include "BaseGUIObject.h"
#include "Button.h"
#include "ButtonBox.h"
#include "CAuiDownloadInstallDlg.h"
#include "ControlCatalogue.h"
#include "Dialog.h"
#include "FactoryLoader.h"
#include "StressFiles.h"
#include "StressOptions.h"
#include "StressRandom.h"
#include "Subscriptions.h"
#include "Trace.h"
#include "VirtTreeItem.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>

using namespace AUILib;

namespace {

World *g_current = nullptr;
unsigned g_serials = 0;

} // namespace

World::World(long long sequence, StressFiles &files, const StressOptions &options)
    : m_sequence(sequence)
    , m_files(files)
    , m_options(options)
    , m_serial(++g_serials)
{
    g_current = this;
}

World::~World()
{
    teardown();
    if (g_current == this)
        g_current = nullptr;
}

World *World::current()
{
    return g_current;
}

bool World::skips(const std::string &name) const
{
    return m_options.skipped(name);
}

int World::addWindow(const std::string &kind, Origin origin, QWidget *widget)
{
    Window window;
    window.id = static_cast<int>(m_windows.size());
    window.name = kind + "#" + std::to_string(window.id);
    window.origin = origin;
    window.widget = widget;
    m_windows.push_back(std::move(window));
    Trace::instance().line("new window " + m_windows.back().name);
    return m_windows.back().id;
}

int World::addHost(StressRandom &random)
{
    auto *host = new QWidget;
    host->setObjectName(QStringLiteral("host"));
    host->resize(static_cast<int>(random.between(300, 900)), static_cast<int>(random.between(200, 700)));
    host->show();
    return addWindow("Host", Origin::Code, host);
}

World::Control &World::adopt(const std::shared_ptr<BaseGUIObject> &control, Origin origin, int window, bool own)
{
    Control entry;
    entry.id = static_cast<int>(m_controls.size());
    entry.kind = control->GetControlKind();
    entry.name = std::string(ControlCatalogue::nameOf(entry.kind)) + "#" + std::to_string(entry.id);
    entry.origin = origin;
    entry.window = window;
    entry.control = control.get();
    entry.life = control;
    if (own)
        entry.owned = control;
    entry.widget = control->GetPlatformHandle();
    m_controls.push_back(std::move(entry));
    Control &added = m_controls.back();
    Subscriptions::subscribe(*this, added);
    return added;
}

int World::addCodeControl(int window, StressRandom &random)
{
    std::vector<const ControlCatalogue::Kind *> kinds;
    for (const ControlCatalogue::Kind &kind : ControlCatalogue::kinds())
        if (!skips(kind.name) && !skips(kind.factoryName))
            kinds.push_back(&kind);
    if (kinds.empty())
        return -1;
    return addCodeControlOfKind(kinds[static_cast<std::size_t>(random.below(static_cast<int>(kinds.size())))]->factoryName,
                                window, random);
}

int World::addCodeControlOfKind(const char *factoryName, int window, StressRandom &random)
{
    const ControlCatalogue::Kind *kind = nullptr;
    for (const ControlCatalogue::Kind &entry : ControlCatalogue::kinds())
        if (std::string(entry.factoryName) == factoryName)
            kind = &entry;
    if (!kind)
        return -1;
    std::shared_ptr<BaseGUIObject> control = ControlCatalogue::make(*kind, random);
    if (!control)
        return -1;
    QWidget *parent = nullptr;
    if (window >= 0 && static_cast<std::size_t>(window) < m_windows.size() && !random.percent(8))
        parent = m_windows[static_cast<std::size_t>(window)].widget;
    Control &entry = adopt(control, Origin::Code, parent ? window : -1, true);
    Trace::instance().line("new " + entry.name + " (" + kind->factoryName + ") in code, in " +
                           (parent ? m_windows[static_cast<std::size_t>(window)].name : std::string("no window")));
    control->Create(parent);
    control->MoveWindow(static_cast<int>(random.between(0, 500)), static_cast<int>(random.between(0, 400)),
                        static_cast<int>(random.between(40, 300)), static_cast<int>(random.between(20, 200)), false);
    control->Show(true, false);
    return entry.id;
}

void World::adoptElements(int window)
{
    Window &entry = m_windows[static_cast<std::size_t>(window)];
    if (!entry.widget || !entry.dialog)
        return;
    const QList<QWidget *> widgets = entry.widget->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->objectName().isEmpty())
            continue;
        std::shared_ptr<BaseGUIObject> element = entry.dialog->GetElementByName(widget->objectName().toStdWString());
        if (!element || find(element.get()) || skips(ControlCatalogue::nameOf(element->GetControlKind())))
            continue;
        Control &added = adopt(element, entry.origin, window, false);
        Trace::instance().line("form element " + added.name + " \"" + widget->objectName().toStdString() + "\" of " +
                               entry.name);
        if (element->GetControlKind() == ControlKindButtonBox) {
            auto *box = static_cast<ButtonBox *>(element.get());
            for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Help})
                if (std::shared_ptr<Button> button = box->GetButton(which))
                    if (!find(button.get()))
                        adopt(button, entry.origin, window, false);
        }
    }
}

int World::addFormDialog()
{
    std::shared_ptr<Dialog> dialog;
    try {
        dialog = std::make_shared<Dialog>(m_files.everyKindFormPath(), nullptr, 0, 1.0, L"");
    } catch (const AgnosticUIException &error) {
        Trace::instance().line(std::string("the form dialog could not be made: ") + error.what());
        return -1;
    }
    const int index = addWindow("FormDialog", Origin::Form, dialog->GetWndPtr());
    Window &window = m_windows[static_cast<std::size_t>(index)];
    window.dialog = dialog;
    adopt(dialog, Origin::Form, index, false);
    adoptElements(index);
    dialog->DoModeless(false);
    return index;
}

int World::addDownloadDialog()
{
    std::shared_ptr<Dialog> dialog;
    try {
        dialog = std::make_shared<CAuiDownloadInstallDlg>(m_files.downloadFormPath(), nullptr);
    } catch (const AgnosticUIException &error) {
        Trace::instance().line(std::string("the download dialog could not be made: ") + error.what());
        return -1;
    }
    const int index = addWindow("DownloadDialog", Origin::Download, dialog->GetWndPtr());
    Window &window = m_windows[static_cast<std::size_t>(index)];
    window.dialog = dialog;
    adopt(dialog, Origin::Download, index, false);
    dialog->DoModeless(false); // runs InitializeControls
    adoptElements(index);
    return index;
}

int World::addLoaderWindow()
{
    auto loader = std::make_unique<FactoryLoader>();
    QByteArray form = m_files.everyKindForm();
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    QWidget *root = loader->load(&buffer);
    if (!root) {
        Trace::instance().line("QUiLoader built nothing: " + loader->errorString().toStdString());
        return -1;
    }
    const int index = addWindow("LoaderWindow", Origin::Loader, root);
    for (const auto &element : loader->controls) {
        if (skips(ControlCatalogue::nameOf(element.second->GetControlKind())))
            continue;
        Control &added = adopt(element.second, Origin::Loader, index, false);
        Trace::instance().line("loaded element " + added.name + " \"" + element.first.toStdString() + "\"");
    }
    m_windows[static_cast<std::size_t>(index)].loader = std::move(loader);
    root->show();
    return index;
}

void World::refreshWindows()
{
    for (std::size_t i = 0; i < m_windows.size(); ++i) {
        Window &window = m_windows[i];
        if (!window.dialog)
            continue;
        QWidget *now = window.dialog->GetWndPtr();
        if (now && now != window.widget) {
            // The dialog made its window again (Create): the first one stays Qt's
            // until the teardown, the new one gets its elements adopted.
            if (window.widget)
                m_formerWindows.push_back(window.widget);
            window.widget = now;
            Trace::instance().line(window.name + " has a new window");
        }
        adoptElements(static_cast<int>(i));
    }
}

BaseGUIObject *World::live(const Control &control) const
{
    return control.life.expired() ? nullptr : control.control;
}

int World::liveControlCount() const
{
    int count = 0;
    for (const Control &control : m_controls)
        if (live(control))
            ++count;
    return count;
}

int World::liveWindowCount() const
{
    int count = 0;
    for (const Window &window : m_windows)
        if (window.widget)
            ++count;
    return count;
}

int World::windowOf(const Control &control) const
{
    QWidget *widget = control.widget;
    if (!widget)
        return -1;
    for (const Window &window : m_windows)
        if (window.widget && (window.widget == widget || window.widget->isAncestorOf(widget)))
            return window.id;
    return -1;
}

World::Control *World::find(const BaseGUIObject *control)
{
    for (Control &entry : m_controls)
        if (entry.control == control && live(entry))
            return &entry;
    return nullptr;
}

bool World::releaseControl(Control &control)
{
    if (!live(control))
        return false;
    if (control.owned) {
        Trace::instance().line("release " + control.name);
        std::shared_ptr<BaseGUIObject> dropped = std::move(control.owned);
        control.owned.reset();
        dropped.reset();
        return true;
    }
    if (control.origin == Origin::Loader && control.window >= 0) {
        Window &window = m_windows[static_cast<std::size_t>(control.window)];
        if (!window.loader)
            return false;
        for (auto it = window.loader->controls.begin(); it != window.loader->controls.end(); ++it) {
            if (it->second.get() == control.control) {
                Trace::instance().line("release " + control.name + " (the loader's hold)");
                std::shared_ptr<BaseGUIObject> dropped = std::move(it->second);
                window.loader->controls.erase(it);
                dropped.reset();
                return true;
            }
        }
    }
    Trace::instance().line("(" + control.name + " belongs to its dialog)");
    return false;
}

bool World::releaseWindow(Window &window, Release how)
{
    switch (how) {
    case Release::Object:
        if (window.dialog) {
            Trace::instance().line("release the dialog of " + window.name);
            std::shared_ptr<Dialog> dropped = std::move(window.dialog);
            window.dialog.reset();
            dropped.reset();
            return true;
        }
        if (window.loader) {
            Trace::instance().line("release the loader of " + window.name);
            std::unique_ptr<FactoryLoader> dropped = std::move(window.loader);
            dropped.reset();
            return true;
        }
        [[fallthrough]];
    case Release::DeleteLater:
        if (!window.widget)
            return false;
        Trace::instance().line("deleteLater " + window.name);
        window.widget->deleteLater();
        return true;
    case Release::Close:
        if (!window.widget)
            return false;
        Trace::instance().line("close " + window.name);
        window.widget->close();
        return true;
    case Release::Delete:
        if (!window.widget)
            return false;
        Trace::instance().line("delete " + window.name);
        delete window.widget.data();
        return true;
    }
    return false;
}

void World::rememberItem(QStandardItem *item)
{
    if (!item)
        return;
    for (QStandardItem *seen : m_itemsSeen)
        if (seen == item)
            return;
    if (m_itemsSeen.size() < 64)
        m_itemsSeen.push_back(item);
}

void World::rememberVirtualItem(VirtTreeItem *item)
{
    if (!item)
        return;
    for (VirtTreeItem *seen : m_virtualSeen)
        if (seen == item)
            return;
    if (m_virtualSeen.size() < 64)
        m_virtualSeen.push_back(item);
}

VirtTreeItem *World::strayVirtualItem()
{
    if (m_strays.empty()) {
        m_strays.push_back(std::make_unique<VirtTreeItem>(nullptr));
        m_strays.back()->SetText(L"stray");
    }
    return m_strays.back().get();
}

void World::teardown()
{
    if (m_tearingDown)
        return;
    m_tearingDown = true;
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        it->dialog.reset();
        it->loader.reset();
    }
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        it->owned.reset();
    for (Window &window : m_windows)
        delete window.widget.data();
    for (QPointer<QWidget> &former : m_formerWindows)
        delete former.data();
    // Widgets of released controls made without a parent, or moved out of every window.
    for (Control &control : m_controls)
        if (control.widget && !control.widget->parentWidget())
            delete control.widget.data();
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    m_strays.clear();
}
