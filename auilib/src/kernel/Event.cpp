#include "Event.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>
#include <QRect>

#include <algorithm>
#include <iterator>

namespace AUILib {

namespace {

struct KeyPair
{
    int qtKey;
    int code;
};

// Sorted by Qt key for the binary search below. Ranges (F keys, digits,
// letters) are handled in code.
constexpr KeyPair kKeyTable[] = {
    {0x20, 22},         {0x2a, 87},         {0x2b, 88},         {0x2d, 90},         {0x2f, 92},
    {0x01000000, 17},   {0x01000001, 2},    {0x01000003, 1},    {0x01000004, 4},    {0x01000005, 4},
    {0x01000006, 35},   {0x01000007, 36},   {0x01000008, 8},    {0x01000009, 34},   {0x0100000b, 3},
    {0x01000010, 26},   {0x01000011, 25},   {0x01000012, 27},   {0x01000013, 28},   {0x01000014, 29},
    {0x01000015, 30},   {0x01000016, 23},   {0x01000017, 24},   {0x01000020, 5},    {0x01000021, 6},
    {0x01000022, 74},   {0x01000023, 7},    {0x01000024, 9},    {0x01000025, 117},  {0x01000026, 118},
    {0x01000055, 75},   {0x01000058, 37},   {0x01000061, 127},  {0x01000062, 128},  {0x01000063, 130},
    {0x01000064, 129},  {0x01000070, 135},  {0x01000071, 134},  {0x01000072, 136},  {0x01000080, 140},
    {0x01000081, 139},  {0x01000082, 138},  {0x01000083, 137},  {0x01000090, 133},  {0x01000091, 132},
    {0x01000092, 131},  {0x010000a0, 141},  {0x010000a1, 142},  {0x010000a2, 143},  {0x010000a3, 144},
    {0x01001121, 15},   {0x0100112b, 120},  {0x0100112c, 119},  {0x0100112d, 10},   {0x0100117e, 21},
    {0x01010000, 31},   {0x01020002, 32},   {0x01020003, 33},   {0x01020004, 76},
};

bool isSpecialCode(int code)
{
    switch (code) {
    case 2: case 4: case 5: case 6: case 9: case 17: case 34: case 35: case 36: case 125: case 126:
        return true;
    default:
        return (code >= 23 && code <= 30) || (code >= 93 && code <= 101) || (code >= 103 && code <= 118);
    }
}

// The decimal point of the input method's locale, 0 when it is no Latin-1 character.
int inputDecimalPoint()
{
    QLocale locale;
    if (QGuiApplication::instance())
        locale = QGuiApplication::inputMethod()->locale();
    const QChar point = locale.decimalPoint();
    return point.unicode() > 255 ? 0 : point.unicode();
}

} // namespace

Event::Key SysKeyToAUIKey(int qtKey)
{
    if (qtKey >= 0x01000030 && qtKey <= 0x01000047)
        return static_cast<Event::Key>(93 + (qtKey - 0x01000030));
    if (qtKey >= 0x30 && qtKey <= 0x39)
        return static_cast<Event::Key>(77 + (qtKey - 0x30));
    if (qtKey >= 0x41 && qtKey <= 0x5a)
        return static_cast<Event::Key>(48 + (qtKey - 0x41));
    if (qtKey == 0x2c || qtKey == 0x2e) {
        if (qtKey == inputDecimalPoint())
            return Event::KeyDecimal;
        return qtKey == 0x2c ? Event::KeyComma : Event::KeyPeriod;
    }
    const auto found = std::lower_bound(std::begin(kKeyTable), std::end(kKeyTable), qtKey,
                                        [](const KeyPair &pair, int key) { return pair.qtKey < key; });
    if (found != std::end(kKeyTable) && found->qtKey == qtKey)
        return static_cast<Event::Key>(found->code);
    return Event::KeyNone;
}

KeyEvent::KeyEvent(Type type, Key key, Modifier modifiers, const std::wstring &text, int nativeKey)
    : Event(type)
    , m_key(key)
    , m_modifiers(modifiers)
    , m_nativeKey(nativeKey)
    , m_text(CorrectedText(text))
{
}

bool KeyEvent::IsSpecialKey() const
{
    return isSpecialCode(m_key);
}

std::wstring KeyEvent::CorrectedText(const std::wstring &text) const
{
    std::wstring result = IsSpecialKey() ? std::wstring() : text;
    if (m_key == KeyBackspace)
        result = std::wstring(1, L'\b');
    return result;
}

Rect MovingEvent::GetRect() const
{
    if (!m_rect)
        return Rect{};
    return Rect{m_rect->left(), m_rect->top(), m_rect->right(), m_rect->bottom()};
}

void MovingEvent::SetRect(Rect rect) const
{
    if (m_rect)
        *m_rect = QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom));
}

} // namespace AUILib
