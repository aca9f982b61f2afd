#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventHelperHost.h"
#include "EventSignal.h"

#include <cstdint>
#include <memory>
#include <string>

class QRect;
class QWidget;

namespace AUILib {

class Button;
// Declared with the toolkit utilities, which this header keeps clear of Qt.
enum CursorTypes : std::int32_t;

// A top-level window built from a Qt Designer form. Every control of the form
// becomes a toolkit element reached by its object name; derived dialogs fetch
// theirs in InitializeControls, which every way of running the dialog calls
// first. The window belongs to Qt: it is deleted when it closes, never by the
// dialog, and once it is gone the dialog's operations do nothing.
class Dialog : public BaseGUIObject, public EventHelperHost
{
public:
    // What the window's reject and accept paths hand to Done; a result filter
    // may map them to any other value.
    enum DoneState : int { Rejected = 0, Accepted = 1 };

    // Throws AgnosticUIException when the form cannot be read or does not
    // describe a dialog. A style of 0 is GetDefaultDialogStyle().
    Dialog(const std::wstring &uiPath, QWidget *parent, unsigned long style, double screenFraction,
           const std::wstring &extra);
    ~Dialog() override;

    // Title, system menu and close button.
    static unsigned long GetDefaultDialogStyle();

    // Fired on every resize of the window, before its own resize handling.
    EventSignal<void()> OnResize;

    bool Create(QWidget *parent) override;
    void Show(bool show, bool repaint) override;
    void Enable(bool enable, bool withChildren) override;
    void Update() override;
    void Update(const Region &region) override;
    void Repaint() override;
    void Repaint(const Region &region) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;
    SkinManager *GetSkinManager() override;

    int FilterDone(int result) override;
    virtual void ShowButKeepHiddenChildren(bool show);
    // Both refuse (doing nothing) a place inside the dialog's own window.
    virtual void CreateTabWindow(QWidget *parent, bool unused);
    virtual void CreateTabWindowEx(BaseGUIObject *placeholder, bool unused);
    virtual bool InitializeControls();
    virtual void SetIcon(const std::wstring &path, bool unused);
    virtual void SetIcon(const unsigned char *data, int length, ImageTypes type, bool unused);

    // The result the window finished with; 0 at once when it is already gone
    // or embedded in another window (CreateTabWindow, CreateTabWindowEx). A
    // window shown modeless is hidden and shown again, modal.
    int DoModal();
    // Stays on top only while the application is active, and only when the
    // window has a parent.
    void DoModeless(bool stayOnTop);
    // Refuses (doing nothing) a parent inside the dialog's own window.
    void DoModeless(QWidget *parent, bool stayOnTop);
    // Throws AgnosticUIException when the window is gone.
    void Done(DoneState result);

    QWidget *GetWndPtr() const;
    QWidget *GetHandle() const;
    void SetWindowTitle(const std::wstring &title);

    std::shared_ptr<BaseGUIObject> GetElementByName(const std::wstring &name) override;
    // Null when the element is missing or of another class. The pointer stays
    // valid while the dialog holds the element.
    template <class T>
    T GetControlPtr(const std::wstring &name)
    {
        return dynamic_cast<T>(GetElementByName(name).get());
    }
    std::shared_ptr<BaseGUIObject> GetFocusedCtrlPtr();
    void SetFocusToCtrl(BaseGUIObject *control);
    // Null takes the default off every push button, also each time the window
    // is shown again, until a button is made the default.
    void SetDefaultButton(Button *button);

    // 0xRRGGBB; the colour is always opaque.
    void SetBackgroundColor(int rgb);
    // 0xFFRRGGBB.
    int GetBackgroundColor();
    void SetCursorType(CursorTypes type);
    bool LoadCustomCursor(const std::wstring &path, int hotX, int hotY);
    bool LoadCustomCursor(const unsigned char *data, int length, int hotX, int hotY, ImageTypes type);
    // The dialog follows the global skin.
    void SetSkinManager(const SkinManager &skin, bool unused);
    void SetUIPath(const std::wstring &path);
    void UpdateWindow();

    // An empty control is the dialog itself; without `rect` the tip covers the
    // target's client area. A maxWidth of 1 or more wraps the text at spaces.
    void SetToolTip(const std::shared_ptr<BaseGUIObject> &control, const std::wstring &text,
                    const std::wstring &title, int maxWidth, QRect *rect, bool unused);

    // Fits a form that is one scroll area to the screen: a content larger than
    // the screen fraction allows scrolls, a smaller one shows whole.
    void ResizeDialogAccordingScreen(BaseGUIObject *control) override;

    class impl;

private:
    QWidget *window() const;

    double m_screenFraction;
    std::wstring m_uiPath;
    std::wstring m_extra;
    ImplHolder<impl> m_impl;
    bool m_centred = false;
};

} // namespace AUILib
