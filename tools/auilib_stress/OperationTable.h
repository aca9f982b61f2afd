#pragma once

#include "AUITypes.h"
#include "World.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class Draw;
class StressOptions;
class StressRandom;
struct Hint;

namespace AUILib {
class BaseGUIObject;
}

// What an operation does to its control, for handlers that pick one by what it
// does ("clear", "remove the row it was told about", "change the selection",
// "switch modes").
enum class OperationRole { Read, Change, Add, Clear, Remove, Select, Mode };

// One public operation of a control, with its arguments drawn at random.
struct Operation
{
    std::string name;   // "DeleteItem"; the common ones have no kind in front
    OperationRole role;
    std::function<void(AUILib::BaseGUIObject &, Draw &)> run;
};

// The public operations of every control kind: those of BaseGUIObject, which
// every kind offers, and each class's own. The families live in the
// Operations*.cpp files beside this one.
class OperationTable
{
public:
    // Builds the table once, leaving out what --skip names.
    static void setUp(const StressOptions &options);
    static const OperationTable &instance();

    // The operations of a control of this kind, common ones included.
    const std::vector<const Operation *> &of(AUILib::ControlKind kind) const;
    std::vector<const Operation *> of(AUILib::ControlKind kind, OperationRole role) const;
    // Every name --skip takes for an operation ("Kind.Name").
    std::vector<std::string> names() const;

    // Runs the operation on the control, traced as "ListBox#3.DeleteItem(...)". An
    // AgnosticUIException (a control whose widget is gone) or another exception the
    // call throws is traced and ends the call; it is no fault.
    static void run(World &world, AUILib::BaseGUIObject &control, const std::string &controlName,
                    const Operation &operation, StressRandom &random, const Hint &hint);

    // For the families: an operation of class T, registered under `kind`.
    template <class T>
    void add(AUILib::ControlKind kind, const char *name, OperationRole role, std::function<void(T &, Draw &)> body)
    {
        addOperation(kind, name, role, [body](AUILib::BaseGUIObject &control, Draw &draw) {
            body(static_cast<T &>(control), draw);
        });
    }
    // An operation of every kind.
    void addCommon(const char *name, OperationRole role, std::function<void(AUILib::BaseGUIObject &, Draw &)> body);

private:
    OperationTable() = default;
    void addOperation(AUILib::ControlKind kind, const char *name, OperationRole role,
                      std::function<void(AUILib::BaseGUIObject &, Draw &)> body);
    void finish(const StressOptions &options);

    std::vector<Operation> m_common;
    std::map<int, std::vector<Operation>> m_own;
    std::map<int, std::vector<const Operation *>> m_offered;
};

// The families of operations, one file each.
void addCommonOperations(OperationTable &table);
void addButtonOperations(OperationTable &table);   // buttons, check and radio boxes, button boxes, links, labels, group boxes, lines
void addValueOperations(OperationTable &table);    // sliders, scroll and progress bars, spin edits, date edits
void addEditOperations(OperationTable &table);     // edits, multi-line and rich edits
void addPageOperations(OperationTable &table);     // dialogs, pages, tabs, stacks, splitters, scroll areas, drawing
void addListBoxOperations(OperationTable &table);
void addTreeViewOperations(OperationTable &table);
void addComboBoxOperations(OperationTable &table); // combo boxes and folder combo boxes

namespace AUILib {
class ContextMenu;
}

// A context menu of a few entries whose handlers react as the run's other
// handlers do (they may release the control whose menu is open), made under
// the control's widget or a hostile parent. Shared by the families.
std::shared_ptr<AUILib::ContextMenu> makeMenu(Draw &draw, AUILib::BaseGUIObject &owner);
// Runs a random operation of the menu (adding, removing, checking entries, and
// popping it up, which the run's popup closer ends).
void operateMenu(Draw &draw, AUILib::ContextMenu &menu, AUILib::BaseGUIObject &owner);
