#pragma once

#include "AUITypes.h"
#include "FontData.h"
#include "ObDateTime.h"
#include "PicaPoint.h"
#include "StressRandom.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class QStandardItem;
class QWidget;
class World;

namespace AUILib {
class BaseGUIObject;
class TreeView;
class VirtTreeItem;
} // namespace AUILib

// What a handler was told: the row, column, item or virtual item its event
// named. Operations a handler starts prefer these, as a handler that removes
// "the row it was told about" does.
struct Hint
{
    bool hasRow = false;
    int row = 0;
    int column = -1;
    QStandardItem *item = nullptr;
    bool hasItem = false;
    AUILib::VirtTreeItem *virtualItem = nullptr;
    bool hasVirtualItem = false;
};

// A picture as a caller hands it over: bytes and a length that never runs past
// them (shorter, zero, negative, or null bytes are the hostile cases).
struct PictureArgument
{
    const unsigned char *bytes = nullptr;
    int length = 0;
    AUILib::ImageTypes type = AUILib::ImageTypeNone;
};

// The arguments of one call: each value is drawn from the call's random numbers,
// mostly ordinary and often hostile (negative, the integer limits, NaN and the
// infinities, huge and empty texts, indexes out of range), and written down so
// that call() can trace the call with what it was given.
class Draw
{
public:
    Draw(StressRandom &random, World &world, const Hint &hint, const AUILib::BaseGUIObject &control,
         const std::string &callee, const std::string &operation);

    StressRandom &random() { return m_random; }
    World &world() { return m_world; }
    const Hint &hint() const { return m_hint; }

    int number();
    // An index among `count`: mostly one that exists (the hint's row when there
    // is one), else -1, count, count + 1, the integer limits.
    int index(int count);
    // Sizes, widths, counts and limits: mostly small, else negative, the
    // integer limits and Qt's largest widget size.
    int length();
    // A value in lo .. hi, written down like the others.
    int between(int lo, int hi);
    unsigned int unsignedNumber();
    long long wide();
    double real();
    bool flag();
    unsigned int colour();
    char character();
    std::wstring text();
    std::wstring path();
    std::wstring folder();
    std::vector<std::wstring> texts(int most);
    PictureArgument picture();
    AUILib::FontData font();
    AUILib::ObDateTime dateTime();
    AUILib::PicaPoint pica();
    AUILib::Point point();
    // One of the values, or now and then a value outside them.
    template <class E>
    E choice(std::initializer_list<E> values)
    {
        return static_cast<E>(pick(std::vector<int>(values.begin(), values.end())));
    }

    // An item of the tree (the hint's, the current, a selected, any), or null,
    // a reserved handle, an item of another tree, or one removed earlier.
    QStandardItem *item(AUILib::TreeView &tree);
    AUILib::VirtTreeItem *virtualItem(AUILib::TreeView &tree);
    // A widget to place a control under: a window, another control's widget,
    // none, and now and then the control's own widget or one inside it.
    QWidget *parent(AUILib::BaseGUIObject &self);
    // Another control of the world, or null.
    AUILib::BaseGUIObject *otherControl();

    // Whether the control still exists: a handler of the call may have released
    // it, and a caller does not touch a control it released.
    bool alive() const { return !m_life.expired(); }

    // Writes a value down that the operation drew itself.
    void note(const std::string &value) { m_arguments.push_back(value); }
    // Traces the call with the values drawn so far; call it just before the call.
    void call();
    // Appends what the call answered to its trace line.
    void answer(const std::string &value);

    static std::string describe(const std::wstring &text);

private:
    int pick(const std::vector<int> &values);
    std::wstring hugeText();

    StressRandom &m_random;
    World &m_world;
    Hint m_hint;
    std::weak_ptr<const void> m_life;
    std::string m_callee;
    std::string m_operation;
    std::vector<std::string> m_arguments;
};
