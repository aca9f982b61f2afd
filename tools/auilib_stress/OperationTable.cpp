#include "OperationTable.h"

#include "AgnosticUIException.h"
#include "ControlCatalogue.h"
#include "Draw.h"
#include "StressOptions.h"
#include "Trace.h"

#include <memory>

namespace {

std::unique_ptr<OperationTable> g_table;

} // namespace

void OperationTable::setUp(const StressOptions &options)
{
    g_table.reset(new OperationTable);
    addCommonOperations(*g_table);
    addButtonOperations(*g_table);
    addValueOperations(*g_table);
    addEditOperations(*g_table);
    addPageOperations(*g_table);
    addListBoxOperations(*g_table);
    addTreeViewOperations(*g_table);
    addComboBoxOperations(*g_table);
    g_table->finish(options);
}

const OperationTable &OperationTable::instance()
{
    return *g_table;
}

void OperationTable::addOperation(AUILib::ControlKind kind, const char *name, OperationRole role,
                                  std::function<void(AUILib::BaseGUIObject &, Draw &)> body)
{
    m_own[kind].push_back(Operation{name, role, std::move(body)});
}

void OperationTable::addCommon(const char *name, OperationRole role,
                               std::function<void(AUILib::BaseGUIObject &, Draw &)> body)
{
    m_common.push_back(Operation{name, role, std::move(body)});
}

void OperationTable::finish(const StressOptions &options)
{
    std::vector<int> kinds;
    for (const ControlCatalogue::Kind &kind : ControlCatalogue::kinds())
        kinds.push_back(kind.kind);
    kinds.push_back(AUILib::ControlKindDialog);
    for (int kind : kinds) {
        const std::string kindName = ControlCatalogue::nameOf(static_cast<AUILib::ControlKind>(kind));
        std::vector<const Operation *> &offered = m_offered[kind];
        if (!offered.empty())
            continue; // ListBox is named twice
        auto offer = [&](const Operation &operation) {
            if (!options.skipped(operation.name) && !options.skipped(kindName + "." + operation.name))
                offered.push_back(&operation);
        };
        for (const Operation &operation : m_own[kind])
            offer(operation);
        for (const Operation &operation : m_common)
            offer(operation);
    }
}

const std::vector<const Operation *> &OperationTable::of(AUILib::ControlKind kind) const
{
    static const std::vector<const Operation *> none;
    auto found = m_offered.find(kind);
    return found == m_offered.end() ? none : found->second;
}

std::vector<const Operation *> OperationTable::of(AUILib::ControlKind kind, OperationRole role) const
{
    std::vector<const Operation *> chosen;
    for (const Operation *operation : of(kind))
        if (operation->role == role)
            chosen.push_back(operation);
    return chosen;
}

std::vector<std::string> OperationTable::names() const
{
    std::vector<std::string> all;
    for (const Operation &operation : m_common)
        all.push_back(operation.name);
    for (const auto &entry : m_own)
        for (const Operation &operation : entry.second)
            all.push_back(std::string(ControlCatalogue::nameOf(static_cast<AUILib::ControlKind>(entry.first))) + "." +
                          operation.name);
    return all;
}

void OperationTable::run(World &world, AUILib::BaseGUIObject &control, const std::string &controlName,
                         const Operation &operation, StressRandom &random, const Hint &hint)
{
    Draw draw(random, world, hint, control, controlName, operation.name);
    try {
        operation.run(control, draw);
    } catch (const AUILib::AgnosticUIException &error) {
        Trace::instance().line(std::string("  ! ") + error.what());
    } catch (const std::exception &error) {
        Trace::instance().line(std::string("  ! threw ") + error.what());
    }
}
