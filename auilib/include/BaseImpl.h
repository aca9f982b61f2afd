#pragma once

#include "AUITypes.h"
#include "FontData.h"

#include <cstdint>
#include <string>

class QPoint;
class QWidget;

namespace AUILib {

// The platform-free interface of every control's implementation. Public
// controls forward their common operations here; BaseImplQt carries the Qt
// bodies. Operations that need the widget throw AgnosticUIException
// ("Control is not valid.") once Qt has deleted it, unless noted.
class BaseImpl
{
public:
    BaseImpl() = default;
    BaseImpl(const BaseImpl &) = delete;
    BaseImpl &operator=(const BaseImpl &) = delete;

    virtual void Show(bool show, bool repaint) = 0;
    virtual bool IsVisible() = 0;
    virtual void Enable(bool enable, bool withChildren) = 0;
    virtual bool IsEnabled() = 0;
    virtual int GetLogicalPixelsX() = 0;
    virtual int GetLogicalPixelsY() = 0;
    virtual Rect GetWindowRect() = 0;
    virtual Rect GetClientRect() = 0;
    virtual Point ScreenToClient(Point point) = 0;
    virtual Point ClientToScreen(Point point) = 0;
    virtual Size IdealSize() = 0;
    virtual Size MinimumIdealSize() = 0;
    virtual Size MinimumSize() = 0;
    virtual Size MaximumSize() = 0;
    virtual void SetMinimumSize(const Size &size) = 0;
    virtual void SetMaximumSize(const Size &size) = 0;
    virtual void MoveWindow(int x, int y, int width, int height, bool repaint) = 0;
    // The misspelling is the interface's name; callers use it.
    virtual int GetFrarmeWidth() = 0;
    // The id argument is not used: the result is the id Qt assigns.
    virtual int SetTimer(unsigned int id, unsigned int milliseconds) = 0;
    virtual void KillTimer(unsigned int id) = 0;
    virtual void Update() = 0;
    virtual void Update(const Region &region) = 0;
    virtual void Repaint() = 0;
    virtual void Repaint(const Region &region) = 0;
    virtual SizePolicy GetSizePolicy() = 0;
    virtual void SetSizePolicy(const SizePolicy &policy) = 0;
    // These four do not throw: without a widget the setters do nothing and the
    // getters answer from the stored flags.
    virtual void SetAcceptDrops(bool accept) = 0;
    virtual bool IsAcceptDrops() = 0;
    virtual void SetTrackMouseEvent() = 0;
    virtual bool IsTrackMouseEvent() = 0;
    virtual void SetTrackMouseFlag(bool track) = 0;
    virtual int GetWidthForText(std::wstring &text, FontData *font) = 0;
    // Balloon tips; `persistent` keeps the balloon up for its longest time.
    virtual bool ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool unused, bool persistent) = 0;
    virtual bool ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount, bool unused,
                                  bool persistent) = 0;
    virtual bool ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool unused, bool persistent) = 0;
    virtual bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const std::wstring &iconPath,
                                  bool unused, bool persistent) = 0;
    virtual bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const unsigned char *iconBytes,
                                  int byteCount, bool unused, bool persistent) = 0;
    virtual bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon,
                                  bool unused, bool persistent) = 0;
    virtual bool HideBalloonTipEx() = 0;
    virtual bool IsBalloonTipDisplayed() = 0;
    // Sent by a skin manager the implementation owns when its colours change.
    virtual void OnSkinChange() = 0;
    // For implementations that draw their own tool tips; true when one was shown.
    virtual bool ShowCustomToolTip(const QPoint &globalPos) = 0;
    virtual ~BaseImpl();
    // Null once Qt has deleted the widget.
    virtual QWidget *GetWidget() = 0;
    virtual bool SetParent(QWidget *parent) = 0;
    virtual void ReservedOperation() = 0;
    virtual std::int32_t *ReservedField() = 0;

    // Raised while a control writes its own widget's content, so that the event
    // bridge tells the program's changes from the user's typing.
    bool IsProgrammaticUpdate() const { return m_programmaticUpdate; }
    void SetProgrammaticUpdate(bool on) { m_programmaticUpdate = on; }

private:
    bool m_programmaticUpdate = false;
};

// Raises the programmatic-update flag for one scope; it drops again when the
// write throws.
class ProgrammaticUpdateScope
{
public:
    explicit ProgrammaticUpdateScope(BaseImpl &impl)
        : m_impl(impl)
    {
        m_impl.SetProgrammaticUpdate(true);
    }
    ~ProgrammaticUpdateScope() { m_impl.SetProgrammaticUpdate(false); }
    ProgrammaticUpdateScope(const ProgrammaticUpdateScope &) = delete;
    ProgrammaticUpdateScope &operator=(const ProgrammaticUpdateScope &) = delete;

private:
    BaseImpl &m_impl;
};

} // namespace AUILib
