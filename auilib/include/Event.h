#pragma once

#include "AUITypes.h"

#include <cstdint>
#include <string>
#include <vector>

class QRect;

namespace AUILib {

// Plain event values handed to a control's event procedure. The procedure reads
// the type and casts to the class the type names.
class Event
{
public:
    // Qt's event numbers where one exists, plus the toolkit's own from 1001.
    enum Type : std::int32_t {
        Timer = 1,
        MouseButtonPress = 2,
        MouseButtonRelease = 3,
        MouseButtonDblClick = 4,
        MouseMove = 5,
        KeyPress = 6,
        KeyRelease = 7,
        FocusIn = 8,
        FocusOut = 9,
        MouseLeave = 11,
        Paint = 12,
        Resize = 14,
        Show = 17,
        Hide = 18,
        WindowActivate = 24,
        WindowDeactivate = 25,
        Wheel = 31,
        ApplicationPaletteChange = 38,
        ShortcutOverride = 51,
        Drop = 63,
        ContextMenu = 82,
        HoverMove = 127,
        DpiChange = 1001,
        Moving = 1002,
    };

    // Qt's modifier bits; key events carry only these three.
    enum Modifier : std::uint32_t {
        NoModifier = 0,
        ShiftModifier = 0x02000000,
        ControlModifier = 0x04000000,
        AltModifier = 0x08000000,
    };

    // Toolkit key codes as SysKeyToAUIKey produces them; 0 is no toolkit key.
    // Only the codes the toolkit itself tests are named.
    enum Key : std::int32_t {
        KeyNone = 0,
        KeyBackspace = 1,
        KeyTab = 2,
        KeyClear = 3,
        KeyReturn = 4,
        KeyPause = 8,
        KeyEscape = 17,
        KeySpace = 22,
        KeyDecimal = 91,
        KeyF1 = 93,
        KeyF10 = 102,
        KeyF24 = 116,
        KeyComma = 147,
        KeyPeriod = 149,
    };

    explicit Event(Type type)
        : m_type(type)
    {
    }

    Type GetType() const { return m_type; }

private:
    Type m_type;
};

class TimerEvent : public Event
{
public:
    explicit TimerEvent(int id)
        : Event(Timer)
        , m_id(id)
    {
    }
    int GetId() const { return m_id; }

private:
    int m_id;
};

// Types 2 to 5 and 127; the point is in widget coordinates, buttons and
// modifiers are Qt's masks unfiltered.
class MouseEvent : public Event
{
public:
    MouseEvent(Type type, const Point &point, unsigned int buttons, unsigned int modifiers)
        : Event(type)
        , m_point(point)
        , m_buttons(buttons)
        , m_modifiers(modifiers)
    {
    }
    Point GetPoint() const { return m_point; }
    unsigned int GetButtons() const { return m_buttons; }
    unsigned int GetModifiers() const { return m_modifiers; }

private:
    Point m_point;
    unsigned int m_buttons;
    unsigned int m_modifiers;
};

// The point is in global screen coordinates.
class MouseWheelEvent : public Event
{
public:
    MouseWheelEvent(short delta, Point point, unsigned int buttons, unsigned int modifiers)
        : Event(Wheel)
        , m_delta(delta)
        , m_point(point)
        , m_buttons(buttons)
        , m_modifiers(modifiers)
    {
    }
    short GetDelta() const { return m_delta; }
    Point GetPoint() const { return m_point; }
    unsigned int GetButtons() const { return m_buttons; }
    unsigned int GetModifiers() const { return m_modifiers; }

private:
    short m_delta;
    Point m_point;
    unsigned int m_buttons;
    unsigned int m_modifiers;
};

// Types 6, 7 and 51.
class KeyEvent : public Event
{
public:
    KeyEvent(Type type, Key key, Modifier modifiers, const std::wstring &text, int nativeKey);

    Key GetKey() const { return m_key; }
    Modifier GetModifiers() const { return m_modifiers; }
    int GetNativeKey() const { return m_nativeKey; }
    const std::wstring &GetText() const { return m_text; }

    // Navigation, function and editing keys carry no text.
    bool IsSpecialKey() const;
    // Empty for a special key; U+0008 for backspace whatever the platform sent.
    std::wstring CorrectedText(const std::wstring &text) const;

private:
    Key m_key;
    Modifier m_modifiers;
    int m_nativeKey;
    std::wstring m_text;
};

class FocusEvent : public Event
{
public:
    explicit FocusEvent(Type type)
        : Event(type)
    {
    }
};

class ResizeEvent : public Event
{
public:
    ResizeEvent(const Size &oldSize, const Size &newSize)
        : Event(Resize)
        , m_oldSize(oldSize)
        , m_newSize(newSize)
    {
    }
    Size GetOldSize() const { return m_oldSize; }
    Size GetNewSize() const { return m_newSize; }

private:
    Size m_oldSize;
    Size m_newSize;
};

// The rectangle belongs to the sender and is valid only while the handler
// runs; a handler moves the window by writing a new one with SetRect.
class MovingEvent : public Event
{
public:
    explicit MovingEvent(QRect *rect)
        : Event(Moving)
        , m_rect(rect)
    {
    }
    Rect GetRect() const;
    void SetRect(Rect rect) const;

private:
    QRect *m_rect;
};

class DpiChangeEvent : public Event
{
public:
    explicit DpiChangeEvent(int dpi)
        : Event(DpiChange)
        , m_dpi(dpi)
    {
    }
    int GetDpi() const { return m_dpi; }

private:
    int m_dpi;
};

// One path per dropped URL, fully decoded; the point is in widget coordinates.
class DropEvent : public Event
{
public:
    DropEvent(Type type, const Point &point, const std::vector<std::wstring> &paths)
        : Event(type)
        , m_point(point)
        , m_paths(paths)
    {
    }
    Point GetPoint() const { return m_point; }
    const std::vector<std::wstring> &GetPaths() const { return m_paths; }

private:
    Point m_point;
    std::vector<std::wstring> m_paths;
};

#define AUILIB_PLAIN_EVENT(Name, TypeCode)                                                                             \
    class Name : public Event                                                                                          \
    {                                                                                                                  \
    public:                                                                                                            \
        Name()                                                                                                         \
            : Event(TypeCode)                                                                                          \
        {                                                                                                              \
        }                                                                                                              \
    };

AUILIB_PLAIN_EVENT(PaintEvent, Paint)
AUILIB_PLAIN_EVENT(ShowEvent, Show)
AUILIB_PLAIN_EVENT(HideEvent, Hide)
AUILIB_PLAIN_EVENT(MouseLeaveEvent, MouseLeave)
AUILIB_PLAIN_EVENT(WindowActivateEvent, WindowActivate)
AUILIB_PLAIN_EVENT(WindowDeactivateEvent, WindowDeactivate)
AUILIB_PLAIN_EVENT(ContextMenuEvent, ContextMenu)
AUILIB_PLAIN_EVENT(ApplicationPaletteChangeEvent, ApplicationPaletteChange)

#undef AUILIB_PLAIN_EVENT

// Qt key code to toolkit key code; 0 for keys the toolkit does not know.
// Comma and period depend on the input method's decimal point.
Event::Key SysKeyToAUIKey(int qtKey);

} // namespace AUILib
