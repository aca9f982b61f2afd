#pragma once

#include "BaseImplQt.h"
#include "Dialog.h"
#include "FormElement.h"

#include <QByteArray>
#include <QCursor>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <unordered_map>

namespace AUILib {

class EventHelper;

// Builds a Designer form into the dialog window and keeps the form's elements
// by object name.
class Dialog::impl : public QObject, public BaseImplQt
{
    Q_OBJECT

public:
    impl(Dialog *owner, unsigned int flags, QWidget *parent);
    ~impl() override;

    bool CreateFromUI(const std::wstring &path, QWidget *parent);
    bool CreateFromUI(const std::wstring &formText, unsigned long unused, QWidget *parent);

    std::shared_ptr<BaseGUIObject> GetElementByName(const std::wstring &name);
    // The first element registered under a name keeps it; false for a later one.
    bool RegisterElement(const std::wstring &name, const std::shared_ptr<BaseGUIObject> &element);
    // The window the constructor made, until a form replaces it; null once
    // gone, and from the moment Qt begins to destroy it.
    QDialog *Window() const;
    unsigned int WindowFlags() const { return m_flags; }

    // Closes the window once; true when there was nothing to close.
    bool Close();

    // The bodies of the dialog's public calls that run handlers part way
    // (moving, hiding or showing the window, a modal run). The public call
    // holds this implementation while it runs (ImplHolder), and a handler may
    // release the dialog meanwhile: each step after one that ran handlers asks
    // IsLive() and the window again, and stops quietly when they are gone.
    void CreateTabWindow(QWidget *parent);
    void CreateTabWindowEx(BaseGUIObject *placeholder);
    int DoModal();
    void DoModeless(bool stayOnTop);
    // Refuses (doing nothing) a parent inside the dialog's own window.
    void DoModeless(QWidget *parent, bool stayOnTop);
    // Throws AgnosticUIException when the window is gone.
    void Done(int result);

    void SetBackgroundColor(int rgb);
    int GetBackgroundColor();
    void SetCursorType(CursorTypes type);
    bool LoadCustomCursor(const std::wstring &path, int hotX, int hotY);
    bool LoadCustomCursor(const unsigned char *data, int length, int hotX, int hotY, ImageTypes type);
    void SetIcon(const std::wstring &path, bool unused);
    void SetIcon(const unsigned char *data, int length, ImageTypes type, bool unused);
    const QCursor &CustomCursor() const { return m_customCursor; }

    // Null takes the default off every push button below the window.
    void SetDefaultButton(Button *button);
    bool DefaultButtonsAllowed() const { return m_defaultButtonsAllowed; }

    void SetWindowsToStayOnTop();
    void applicationStateChanged(Qt::ApplicationState state);
    void DisconnectApp();

    // Called by the owner as it goes: the window, which may outlive it, no
    // longer calls it back, and the bridge stops filtering for it.
    void DetachOwner();

    Point ScreenToClient(Point point) override;
    Point ClientToScreen(Point point) override;

private:
    // Runs the owner's InitializeControls; false when the dialog is gone
    // before or after it.
    bool initializeOwner();
    // After the controls are initialized: shows the window as its own or as
    // the page it became.
    void showInitialized();
    void clearDefaultButtons();
    // The element whose own widget `widget` is; null for other widgets.
    std::shared_ptr<BaseGUIObject> elementOf(const QWidget *widget);
    void applyWindowFlags();

    bool m_defaultButtonsAllowed = true;
    // Read through Window(), which knows a window Qt is destroying.
    QPointer<QDialog> m_window;
    std::unordered_map<std::wstring, std::shared_ptr<BaseGUIObject>> m_elements;
    unsigned int m_flags;
    bool m_closed = true;
    Dialog *m_owner;
    std::unique_ptr<EventHelper> m_bridge;
    int m_stayOnTopManaged = 0;
    QCursor m_customCursor;
    QMetaObject::Connection m_appState;
    QMetaObject::Connection m_windowDestroyed;
};

} // namespace AUILib
