#pragma once

#include "AUIObject.h"
#include "AUITypes.h"
#include "EventSignal.h"
#include "FontData.h"
#include "SkinManager.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace AUILib {

class BaseImpl;
class ContextMenu;
class Event;
class PromptsPopup;

// Base of every public toolkit control. It holds no Qt code: the common
// operations forward to the implementation that GetBaseImpl returns, and the
// AgnosticUIException ("Control is not valid.") of a control whose widget is
// gone passes through unchanged. The object never deletes its widget.
class BaseGUIObject : public AUIObject
{
public:
    using EventProcedureFn = std::function<bool(BaseGUIObject *, Event *)>;
    using PreTranslateFn = std::function<int(void *)>;

    BaseGUIObject();
    ~BaseGUIObject() override;

    // Fired with the control when its widget (or its dialog's) is destroyed.
    EventSignal<void(BaseGUIObject *)> OnDestroyed;

    // The largest width and height the toolkit gives a control or a window:
    // twice those of the largest screen, and no less than 4,096 pixels. Sizes
    // given to MoveWindow, MoveWindowUnscaled, SetMinimumSize and the like,
    // and a form's own sizes, are held to 0 up to this, and no window grows
    // past it, whatever its layout asks for. A window is drawn into a buffer
    // of 4 bytes a pixel (more on a high-density screen): one of Qt's own
    // largest size, 16,777,215 pixels a side, would need hundreds of gigabytes
    // and could not be shown. One of this size needs four screens' worth (64
    // MB at 4,096 pixels) and may still span two screens; a form made for a
    // larger screen keeps its size on a small one.
    static Size LargestSize();

    virtual bool Create(QWidget *parent) = 0;
    virtual Size IdealSize();
    virtual Size MinimumIdealSize();
    virtual Size MinimumSize();
    virtual Size MaximumSize();
    virtual void Show(bool show, bool repaint);
    virtual bool IsVisible();
    virtual void Enable(bool enable, bool withChildren);
    virtual bool IsEnabled();
    virtual void MoveWindow(int x, int y, int width, int height, bool repaint);
    virtual void MoveWindowUnscaled(int x, int y, int width, int height, bool repaint);
    virtual void Update();
    virtual void Update(const Region &region);
    virtual void Repaint();
    virtual void Repaint(const Region &region);
    virtual int GetLogicalPixelsX();
    virtual int GetLogicalPixelsY();
    virtual Rect GetWindowRect();
    virtual Rect GetWindowRectUnscaled();
    virtual Rect GetClientRect();
    virtual Point ScreenToClient(Point point);
    virtual Point ClientToScreen(Point point);
    virtual QWidget *GetParentWindow();
    virtual void SetParentWindow(QWidget *parent);
    virtual void SetUserData(std::intptr_t value);
    virtual std::intptr_t GetUserData();
    // A copy of the shared pointer, which keeps the implementation alive while held.
    virtual std::shared_ptr<BaseImpl> GetBaseImpl() const = 0;
    virtual int SetTimer(unsigned int id, unsigned int milliseconds);
    virtual void KillTimer(unsigned int id);
    virtual SizePolicy GetSizePolicy() const;
    virtual void SetSizePolicy(const SizePolicy &policy);
    // The toolkit's global skin manager; a control has none of its own.
    virtual SkinManager *GetSkinManager();
    // Controls follow the global skin: this changes nothing and answers false.
    virtual bool SetSkinMode(SkinMode mode, bool reload);

    void SetMinimumSize(const Size &size);
    void SetMaximumSize(const Size &size);
    // The misspelling is the interface's name; callers use it.
    int GetFrarmeWidth();
    void SetAcceptDrops(bool accept);
    bool IsAcceptDrops();
    void SetTrackMouseEvent();
    int GetWidthForText(std::wstring &text, FontData *font);

    bool ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool unused, bool persistent);
    bool ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount, bool unused,
                          bool persistent);
    bool ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool unused, bool persistent);
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const std::wstring &iconPath, bool unused,
                          bool persistent);
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const unsigned char *iconBytes,
                          int byteCount, bool unused, bool persistent);
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon, bool unused,
                          bool persistent);
    bool HideBalloonTipEx();
    bool IsBalloonTipDisplayed();

    // The control's widget, or null when it is gone (never throws).
    QWidget *GetPlatformHandle() const;
    QWidget *GetPlatformWindow() const;

    // Receives the toolkit events the event bridge makes of the widget's Qt events.
    const EventProcedureFn &EventProcedure() const { return m_eventProcedure; }
    void SetEventProcedure(const EventProcedureFn &procedure);
    // Stored and handed back only.
    const PreTranslateFn &PreTranslateMessage() const { return m_preTranslate; }
    void SetPreTranslateMessage(const PreTranslateFn &function);

    // Makes a fresh popup over the control's widget, replacing the one held.
    std::shared_ptr<PromptsPopup> InsertPromptsPopup(const std::wstring &text, int iconType, int timeoutMs,
                                                     bool closeOnInteraction);
    void ShowPromptsPopup(const std::shared_ptr<PromptsPopup> &popup, bool show);

    void InsertContextMenu(const std::shared_ptr<ContextMenu> &menu);
    void RemoveContextMenu();
    std::shared_ptr<ContextMenu> GetContextMenu() const;

    const std::wstring &GetName() const { return m_name; }
    void SetName(const std::wstring &name) { m_name = name; }
    ControlKind GetControlKind() const { return m_kind; }

    // Expires as the control is destroyed; OwnerRef watches it.
    std::weak_ptr<const void> LifeToken() const { return m_life; }

protected:
    void SetControlKind(ControlKind kind) { m_kind = kind; }

private:
    std::shared_ptr<BaseImpl> implOrThrow() const;

    std::wstring m_name;
    ControlKind m_kind = ControlKindOther;
    QWidget *m_parentWindow = nullptr;
    EventProcedureFn m_eventProcedure;
    PreTranslateFn m_preTranslate;
    std::intptr_t m_userData = 0;
    std::shared_ptr<PromptsPopup> m_promptsPopup;
    std::shared_ptr<ContextMenu> m_contextMenu;
    std::shared_ptr<const void> m_life = std::make_shared<char>(0);
};

} // namespace AUILib
