#include "Draw.h"

#include "BaseGUIObject.h"
#include "StressFiles.h"
#include "Trace.h"
#include "TreeView.h"
#include "VirtTreeItem.h"
#include "World.h"

#include <QWidget>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Qt's largest widget size (QWIDGETSIZE_MAX).
constexpr int kLargestWidget = 16777215;

const wchar_t *const kWords[] = {L"a", L"b", L"c", L"Alpha", L"beta", L"Zeta", L"10", L"2", L"-3", L"x y",
                                 L"OK", L"Cancel", L"row", L"A", L"B", L"C"};

const wchar_t *const kOddTexts[] = {
    L"\u05E9\u05DC\u05D5\u05DD",                 // Hebrew
    L"\u0645\u0631\u062D\u0628\u0627 123",       // Arabic with digits
    L"\U0001F600\U0001F469\u200D\U0001F4BB",     // emoji, a joined sequence
    L"e\u0301\u0301\u0301",                       // combining marks
    L"<b>bold</b>",
    L"<a href=\"http://example.invalid/x\">link</a>",
    L"<img src=\"/no/such.png\" width=99999 height=99999>",
    L"<table><tr><td>1</td></tr></table>",
    L"&amp;&lt;&#0;&#x110000;",
    L"&File",
    L"&&",
    L"&",
    L"12345",
    L"-7",
    L"1e308",
    L"3.14",
    L"0x1F",
    L"99999999999999999999",
    L"NaN",
    L"-inf",
    L"1,5",
    L"1p6",
    L"-0",
    L"\n",
    L"a\r\nb",
    L"\t",
    L"   ",
    L"line1\nline2\nline3",
    L"%s%n%d%p",
    L"/tmp",
    L"..",
    L"http://example.invalid/x",
};

std::string hex(unsigned long long value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%llX", value);
    return text;
}

std::string intText(long long value)
{
    if (value == INT_MAX)
        return "INT_MAX";
    if (value == INT_MIN)
        return "INT_MIN";
    if (value == LLONG_MAX)
        return "LLONG_MAX";
    if (value == LLONG_MIN)
        return "LLONG_MIN";
    return std::to_string(value);
}

std::string realText(double value)
{
    if (std::isnan(value))
        return "NaN";
    char text[40];
    std::snprintf(text, sizeof(text), "%.17g", value);
    return text;
}

} // namespace

Draw::Draw(StressRandom &random, World &world, const Hint &hint, const AUILib::BaseGUIObject &control,
           const std::string &callee, const std::string &operation)
    : m_random(random)
    , m_world(world)
    , m_hint(hint)
    , m_life(control.LifeToken())
    , m_callee(callee)
    , m_operation(operation)
{
}

int Draw::pick(const std::vector<int> &values)
{
    static const int odd[] = {-1, 99, INT_MAX, INT_MIN, 256};
    int value = 0;
    if (values.empty() || m_random.percent(8))
        value = odd[m_random.below(5)];
    else
        value = values[static_cast<std::size_t>(m_random.below(static_cast<int>(values.size())))];
    note(intText(value));
    return value;
}

int Draw::number()
{
    static const int limits[] = {0, -1, 1, INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 65536, kLargestWidget,
                                 -kLargestWidget};
    int value = 0;
    const int roll = m_random.below(100);
    if (roll < 25)
        value = static_cast<int>(m_random.between(-3, 10));
    else if (roll < 75)
        value = limits[m_random.below(10)];
    else if (roll < 90)
        value = static_cast<int>(m_random.between(-1000, 100000));
    else
        value = static_cast<int>(static_cast<unsigned int>(m_random.next()));
    note(intText(value));
    return value;
}

int Draw::index(int count)
{
    int value = 0;
    const int roll = m_random.below(100);
    if (m_hint.hasRow && m_random.percent(60))
        value = m_hint.row;
    else if (roll < 55)
        value = count > 0 ? m_random.below(count) : 0;
    else if (roll < 62)
        value = -1;
    else if (roll < 67)
        value = count;
    else if (roll < 72)
        value = count + 1;
    else if (roll < 77)
        value = INT_MAX;
    else if (roll < 82)
        value = INT_MIN;
    else if (roll < 92)
        value = static_cast<int>(m_random.between(-5, static_cast<long long>(count) + 5));
    else
        return number();
    note(intText(value));
    return value;
}

int Draw::length()
{
    // Without huge sizes (--skip huge-size): up to a few thousand, negative ones kept.
    const bool huge = !m_world.skips("huge-size");
    int value = 0;
    const int roll = m_random.below(100);
    if (roll < 55)
        value = static_cast<int>(m_random.between(0, 600));
    else if (roll < 60)
        value = 0;
    else if (roll < 65)
        value = -1;
    else if (roll < 70)
        value = huge ? INT_MAX : 5000;
    else if (roll < 75)
        value = huge ? INT_MIN : -5000;
    else if (roll < 80)
        value = huge ? kLargestWidget : 4096;
    else if (roll < 85)
        value = -100000;
    else
        value = static_cast<int>(m_random.between(600, 5000));
    note(intText(value));
    return value;
}

int Draw::between(int lo, int hi)
{
    const int value = static_cast<int>(m_random.between(lo, hi));
    note(intText(value));
    return value;
}

unsigned int Draw::unsignedNumber()
{
    static const unsigned int limits[] = {0, 1, 10, 100, 1000, 65535, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
    const unsigned int value = m_random.percent(70) ? limits[m_random.below(9)]
                                                     : static_cast<unsigned int>(m_random.next());
    note(std::to_string(value));
    return value;
}

long long Draw::wide()
{
    static const long long limits[] = {0, 1, -1, LLONG_MAX, LLONG_MIN, LLONG_MAX - 1, LLONG_MIN + 1,
                                       9007199254740992LL, -9007199254740992LL, INT_MAX, INT_MIN,
                                       1000000000000000LL};
    long long value = 0;
    const int roll = m_random.below(100);
    if (roll < 30)
        value = m_random.between(-100, 1000);
    else if (roll < 80)
        value = limits[m_random.below(12)];
    else
        value = static_cast<long long>(m_random.next());
    note(intText(value));
    return value;
}

double Draw::real()
{
    static const double limits[] = {std::numeric_limits<double>::quiet_NaN(),
                                    -std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    DBL_MAX,
                                    -DBL_MAX,
                                    DBL_MIN,
                                    std::numeric_limits<double>::denorm_min(),
                                    0.0,
                                    -0.0,
                                    1e15,
                                    1e16,
                                    -1e16,
                                    1e308,
                                    0.5,
                                    1e-9,
                                    9.2233720368547758e18,
                                    -9.2233720368547758e18};
    double value = 0;
    if (m_random.percent(45))
        value = limits[m_random.below(18)];
    else
        value = (m_random.unit() - 0.3) * (m_random.percent(50) ? 200.0 : 1e6);
    note(realText(value));
    return value;
}

bool Draw::flag()
{
    const bool value = m_random.percent(50);
    note(value ? "true" : "false");
    return value;
}

unsigned int Draw::colour()
{
    static const unsigned int colours[] = {0, 0xFFFFFFFFu, 0xFF000000u, 0x00FFFFFFu, 0x80FF0000u, 0x7FFFFFFFu};
    const unsigned int value = m_random.percent(40) ? colours[m_random.below(6)]
                                                     : static_cast<unsigned int>(m_random.next());
    note(hex(value));
    return value;
}

char Draw::character()
{
    static const char characters[] = {'.', ',', 'p', '0', '9', '\0', '-', ' ', '\x7F', '\xFF', 'e', '+'};
    const char value = characters[m_random.below(12)];
    note("char " + std::to_string(static_cast<int>(static_cast<unsigned char>(value))));
    return value;
}

std::wstring Draw::hugeText()
{
    const int size = static_cast<int>(m_random.between(20000, 100000));
    const wchar_t fill[] = {L'W', L'9', L' ', L'\u05D0'};
    std::wstring text(static_cast<std::size_t>(size), fill[m_random.below(4)]);
    if (m_random.percent(50))
        for (int i = 0; i < 64; ++i)
            text[static_cast<std::size_t>(m_random.below(size))] = L'\n';
    return text;
}

std::wstring Draw::text()
{
    std::wstring value;
    const int roll = m_random.below(100);
    if (roll < 35) {
        value = kWords[m_random.below(16)];
    } else if (roll < 43) {
        value.clear();
    } else if (roll < 47) {
        value = m_world.skips("huge-text") ? std::wstring(300, L'W') : hugeText();
    } else if (roll < 53) {
        const int size = static_cast<int>(m_random.between(200, 3000));
        for (int i = 0; i < size; ++i)
            value.push_back(m_random.percent(15) ? L' ' : static_cast<wchar_t>(L'a' + m_random.below(26)));
    } else if (roll < 57) {
        value = std::wstring(L"ab", 2) + L'\0' + L"cd";
    } else if (roll < 60) {
        // Not Unicode: lone surrogates, a value past U+10FFFF, non-characters.
        const wchar_t odd[] = {0xD800, 0xDFFF, static_cast<wchar_t>(0x110000), 0xFFFF, 0xFFFE};
        value = std::wstring(L"x") + odd[m_random.below(5)] + L"y";
    } else if (roll < 90) {
        value = kOddTexts[m_random.below(static_cast<int>(sizeof(kOddTexts) / sizeof(kOddTexts[0])))];
    } else {
        const int size = static_cast<int>(m_random.between(1, 40));
        for (int i = 0; i < size; ++i)
            value.push_back(static_cast<wchar_t>(m_random.between(0x20, 0x7E)));
    }
    note(describe(value));
    return value;
}

std::wstring Draw::path()
{
    const std::vector<std::wstring> &paths = m_world.files().paths();
    std::wstring value;
    if (m_random.percent(85))
        value = paths[static_cast<std::size_t>(m_random.below(static_cast<int>(paths.size())))];
    else
        value = m_random.percent(50) ? std::wstring() : std::wstring(5000, L'/');
    note(describe(value));
    return value;
}

std::wstring Draw::folder()
{
    const std::vector<std::wstring> &folders = m_world.files().folders();
    const std::wstring value = folders[static_cast<std::size_t>(m_random.below(static_cast<int>(folders.size())))];
    note(describe(value));
    return value;
}

std::vector<std::wstring> Draw::texts(int most)
{
    std::vector<std::wstring> values;
    const int count = m_random.below(most + 1);
    note("[" + std::to_string(count) + " texts:");
    for (int i = 0; i < count; ++i)
        values.push_back(text());
    note("]");
    return values;
}

PictureArgument Draw::picture()
{
    const std::vector<QByteArray> &pictures = m_world.files().pictures();
    const QByteArray &chosen = pictures[static_cast<std::size_t>(m_random.below(static_cast<int>(pictures.size())))];
    PictureArgument value;
    value.bytes = reinterpret_cast<const unsigned char *>(chosen.constData());
    value.length = chosen.size();
    const int roll = m_random.below(100);
    if (roll < 10)
        value.bytes = nullptr;
    else if (roll < 15)
        value.length = 0;
    else if (roll < 20)
        value.length = m_random.percent(50) ? -1 : INT_MIN;
    else if (roll < 30)
        value.length = m_random.below(chosen.size() + 1);
    value.type = static_cast<AUILib::ImageTypes>(m_random.percent(90) ? m_random.below(8) : 77);
    note("picture " + std::to_string(&chosen - pictures.data()) + (value.bytes ? "" : " null") + " length " +
         intText(value.length) + " type " + std::to_string(value.type));
    return value;
}

AUILib::FontData Draw::font()
{
    static const wchar_t *const faces[] = {L"", L"Serif", L"Monospace", L"DejaVu Sans", L"No Such Face", L"\u05D0"};
    AUILib::FontData value;
    note("font{");
    value.faceName = faces[m_random.below(6)];
    note(describe(value.faceName));
    value.size = m_random.percent(60) ? static_cast<double>(between(-2, 40)) : real();
    value.bold = m_random.percent(80) ? between(-1, 1) : number();
    value.italic = between(-1, 1);
    value.underline = between(-1, 1);
    value.charset = m_random.percent(80) ? -1 : number();
    note("}");
    return value;
}

AUILib::ObDateTime Draw::dateTime()
{
    AUILib::ObDateTime value;
    if (m_random.percent(60)) {
        value = AUILib::ObDateTime{static_cast<std::uint16_t>(m_random.between(1900, 2100)),
                                   static_cast<std::uint16_t>(m_random.between(1, 12)),
                                   static_cast<std::uint16_t>(m_random.between(1, 28)),
                                   static_cast<std::uint16_t>(m_random.between(0, 23)),
                                   static_cast<std::uint16_t>(m_random.between(0, 59)),
                                   static_cast<std::uint16_t>(m_random.between(0, 59))};
    } else {
        auto odd = [this] {
            static const int values[] = {0, 1, 12, 13, 29, 30, 31, 32, 59, 60, 99, 9999, 65535};
            return static_cast<std::uint16_t>(m_random.percent(70) ? values[m_random.below(13)]
                                                                    : m_random.between(0, 65535));
        };
        value = AUILib::ObDateTime{odd(), odd(), odd(), odd(), odd(), odd()};
    }
    note("date{" + std::to_string(value.year) + "-" + std::to_string(value.month) + "-" + std::to_string(value.day) +
         " " + std::to_string(value.hour) + ":" + std::to_string(value.minute) + ":" + std::to_string(value.second) +
         "}");
    return value;
}

AUILib::PicaPoint Draw::pica()
{
    AUILib::PicaPoint value;
    note("pica{");
    value.picas = m_random.percent(60) ? between(-20, 100) : wide();
    value.points = m_random.percent(60) ? static_cast<double>(between(-14, 14)) : real();
    note("}");
    return value;
}

AUILib::Point Draw::point()
{
    AUILib::Point value;
    value.x = m_random.percent(70) ? between(-10, 400) : number();
    value.y = m_random.percent(70) ? between(-10, 400) : number();
    return value;
}

QStandardItem *Draw::item(AUILib::TreeView &tree)
{
    if (m_hint.hasItem && m_random.percent(60)) {
        note("hinted item");
        return m_hint.item;
    }
    const int roll = m_random.below(100);
    if (roll < 5) {
        note("null item");
        return nullptr;
    }
    if (roll < 10) {
        static QStandardItem *const reserved[] = {AUILib::TreeView::RootItemHandle, AUILib::TreeView::FirstItemHandle,
                                                   AUILib::TreeView::LastItemHandle};
        const int which = m_random.below(3);
        note(which == 0 ? "RootItemHandle" : which == 1 ? "FirstItemHandle" : "LastItemHandle");
        return reserved[which];
    }
    if (roll < 16 && !m_world.itemsSeen().empty() && !m_world.skips("stale-item")) {
        // An item seen earlier in this sequence: of another tree, or removed since.
        const std::vector<QStandardItem *> &seen = m_world.itemsSeen();
        const int which = m_random.below(static_cast<int>(seen.size()));
        note("item seen earlier #" + std::to_string(which));
        return seen[static_cast<std::size_t>(which)];
    }
    // A walk of the tree as a caller makes it, through its own operations.
    std::vector<QStandardItem *> items;
    std::vector<std::string> paths;
    std::vector<std::pair<QStandardItem *, std::string>> stack;
    if (QStandardItem *first = tree.GetRootItem())
        stack.emplace_back(first, "0");
    while (!stack.empty() && items.size() < 64) {
        auto [at, where] = stack.back();
        stack.pop_back();
        items.push_back(at);
        paths.push_back(where);
        if (QStandardItem *next = tree.NextSibling(at)) {
            const std::size_t slash = where.rfind('/');
            const std::string head = slash == std::string::npos ? std::string() : where.substr(0, slash + 1);
            const std::string last = slash == std::string::npos ? where : where.substr(slash + 1);
            stack.emplace_back(next, head + std::to_string(std::stoi(last) + 1));
        }
        if (QStandardItem *child = tree.GetFirstChild(at))
            stack.emplace_back(child, where + "/0");
    }
    if (roll < 30) {
        if (QStandardItem *current = tree.CurrentItem()) {
            note("current item");
            m_world.rememberItem(current);
            return current;
        }
    }
    if (items.empty()) {
        note("null item (empty tree)");
        return nullptr;
    }
    const int which = m_random.below(static_cast<int>(items.size()));
    note("item " + paths[static_cast<std::size_t>(which)]);
    m_world.rememberItem(items[static_cast<std::size_t>(which)]);
    return items[static_cast<std::size_t>(which)];
}

AUILib::VirtTreeItem *Draw::virtualItem(AUILib::TreeView &tree)
{
    if (m_hint.hasVirtualItem && m_random.percent(60)) {
        note("hinted virtual item");
        return m_hint.virtualItem;
    }
    const int roll = m_random.below(100);
    if (roll < 6) {
        note("null virtual item");
        return nullptr;
    }
    if (roll < 10) {
        note("virtual item of no tree");
        return m_world.strayVirtualItem();
    }
    if (roll < 15 && !m_world.virtualItemsSeen().empty() && !m_world.skips("stale-item")) {
        const std::vector<AUILib::VirtTreeItem *> &seen = m_world.virtualItemsSeen();
        const int which = m_random.below(static_cast<int>(seen.size()));
        note("virtual item seen earlier #" + std::to_string(which));
        return seen[static_cast<std::size_t>(which)];
    }
    std::vector<AUILib::VirtTreeItem *> items;
    std::vector<std::string> paths;
    std::vector<std::pair<AUILib::VirtTreeItem *, std::string>> stack;
    if (AUILib::VirtTreeItem *root = tree.RootItem())
        stack.emplace_back(root, "root");
    while (!stack.empty() && items.size() < 64) {
        auto [at, where] = stack.back();
        stack.pop_back();
        items.push_back(at);
        paths.push_back(where);
        const int children = tree.ChildCount(at);
        for (int i = 0; i < children && i < 16; ++i)
            if (AUILib::VirtTreeItem *child = tree.GetChildItem(at, i))
                stack.emplace_back(child, where + "/" + std::to_string(i));
    }
    if (roll < 25) {
        if (AUILib::VirtTreeItem *current = tree.CurrentVirtualItem()) {
            note("current virtual item");
            m_world.rememberVirtualItem(current);
            return current;
        }
    }
    if (items.empty()) {
        note("null virtual item (no root)");
        return nullptr;
    }
    const int which = m_random.below(static_cast<int>(items.size()));
    note("virtual item " + paths[static_cast<std::size_t>(which)]);
    m_world.rememberVirtualItem(items[static_cast<std::size_t>(which)]);
    return items[static_cast<std::size_t>(which)];
}

QWidget *Draw::parent(AUILib::BaseGUIObject &self)
{
    const int roll = m_random.below(100);
    if (roll < 15) {
        note("no parent");
        return nullptr;
    }
    QWidget *own = self.GetPlatformHandle();
    if (roll < 18 && own && !m_world.skips("cyclic-parent")) {
        note("its own widget");
        return own;
    }
    if (roll < 60) {
        std::vector<World::Window *> windows;
        for (World::Window &window : m_world.windows())
            if (window.widget)
                windows.push_back(&window);
        if (!windows.empty()) {
            World::Window *window = windows[static_cast<std::size_t>(m_random.below(static_cast<int>(windows.size())))];
            if (own && own->isAncestorOf(window->widget) && m_world.skips("cyclic-parent")) {
                note("no parent");
                return nullptr;
            }
            note("window " + window->name);
            return window->widget;
        }
    }
    std::vector<World::Control *> others;
    for (World::Control &control : m_world.controls())
        if (control.widget && (!own || !own->isAncestorOf(control.widget) || !m_world.skips("cyclic-parent")))
            others.push_back(&control);
    if (others.empty()) {
        note("no parent");
        return nullptr;
    }
    World::Control *other = others[static_cast<std::size_t>(m_random.below(static_cast<int>(others.size())))];
    note("widget of " + other->name);
    return other->widget;
}

AUILib::BaseGUIObject *Draw::otherControl()
{
    std::vector<World::Control *> live;
    for (World::Control &control : m_world.controls())
        if (m_world.live(control))
            live.push_back(&control);
    if (live.empty() || m_random.percent(10)) {
        note("null control");
        return nullptr;
    }
    World::Control *other = live[static_cast<std::size_t>(m_random.below(static_cast<int>(live.size())))];
    note(other->name);
    return other->control;
}

void Draw::call()
{
    std::string line = m_callee + "." + m_operation + "(";
    for (std::size_t i = 0; i < m_arguments.size(); ++i)
        line += (i ? ", " : "") + m_arguments[i];
    Trace::instance().line(line + ")");
}

void Draw::answer(const std::string &value)
{
    Trace::instance().line("  -> " + value);
}

std::string Draw::describe(const std::wstring &text)
{
    std::string out = "L\"";
    const std::size_t shown = text.size() > 24 ? 16 : text.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const wchar_t c = text[i];
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[16];
            std::snprintf(escape, sizeof(escape), "\\x%X", static_cast<unsigned int>(c));
            out += escape;
        }
    }
    out += '"';
    if (shown < text.size())
        out += "...(" + std::to_string(text.size()) + " characters)";
    return out;
}
