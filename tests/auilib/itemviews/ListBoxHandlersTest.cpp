// Handlers that change their list box or combo box while the call that fired
// them is still running: each sequence leaves the process intact and the
// control in a state its interface allows.
#include "ComboBox.h"
#include "ComboBoxFS.h"
#include "ComboBoxFSQt.h"
#include "ComboBoxQt.h"
#include "Edit.h"
#include "ItemDelegate.h"
#include "ListBox.h"
#include "ListBoxQt.h"
#include "Sandbox.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using namespace AUILib;

namespace {

// The action on the first call only: a handler reacting to one event, not
// one that feeds on its own consequences.
std::function<void()> once(std::function<void()> action)
{
    auto done = std::make_shared<bool>(false);
    return [done, action] {
        if (!*done) {
            *done = true;
            action();
        }
    };
}

std::list<std::wstring> texts(std::initializer_list<const wchar_t *> values)
{
    return std::list<std::wstring>(values.begin(), values.end());
}

// ---- List box ----

// A shown list box of rows a, b, c; the case may release it (list becomes null).
struct ListHarness
{
    ListHarness()
    {
        window.resize(320, 240);
        list->Create(&window);
        table = static_cast<ListBoxQt *>(list->GetPlatformHandle());
        table->setGeometry(0, 0, 300, 220);
        for (const wchar_t *text : {L"a", L"b", L"c"})
            list->AddItem(text);
        window.show();
    }

    QPoint centre(int row, int column = 0) const
    {
        return table->visualRect(table->model()->index(row, column)).center();
    }
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, centre(row));
    }
    void edit(int row)
    {
        list->SetEditItems(ListBox::EditWithBorder);
        table->editItem(table->item(row, 0));
    }
    ItemDelegate *delegate() const { return qobject_cast<ItemDelegate *>(table->itemDelegate()); }
    std::vector<std::wstring> rows() const
    {
        std::vector<std::wstring> out;
        for (int row = 0; row < list->Count(); ++row)
            out.push_back(list->GetItem(row, 0));
        return out;
    }

    // Adds rows d, e and f after a, b and c.
    void addDEF()
    {
        for (const wchar_t *text : {L"d", L"e", L"f"})
            list->AddItem(text);
    }
    // Logs "begin" and "end" of the selection.
    void logBeginAndEnd()
    {
        list->OnSelectionBegin.Subscribe([this] { log.push_back("begin"); });
        list->OnSelectionEnd.Subscribe([this] { log.push_back("end"); });
    }
    // Logs each row reported by OnItemSelectionChanged as "row:text", its text read when it is reported.
    void logSelectionReports()
    {
        list->OnItemSelectionChanged.Subscribe([this](int row) { log.push_back(rowAndText(row)); });
    }
    std::string rowAndText(int row) const
    {
        return std::to_string(row) + ":" + QString::fromStdWString(list->GetItem(row)).toStdString();
    }
    long count(const std::string &entry) const { return std::count(log.begin(), log.end(), entry); }

    QWidget window;
    std::unique_ptr<ListBox> list = std::make_unique<ListBox>();
    QPointer<ListBoxQt> table;
    int result = 0;
    std::vector<std::string> log;
};

using Rows = std::vector<std::wstring>;
using Log = std::vector<std::string>;

struct ListCase
{
    const char *name;
    // Sets the list up and subscribes the hostile handler.
    std::function<void(ListHarness &)> arrange;
    // The public call or the user's input that fires it.
    std::function<void(ListHarness &)> act;
    // What the list holds afterwards (not called once the list is released).
    std::function<void(ListHarness &)> check;
};

void releaseList(ListHarness &h) { h.list.reset(); }

// A handler that clears the list the first time it is told of a selection
// while a row is selected: it lets the report of a deselection pass, and
// acts on the row Qt selects when it moves the current row away from rows
// it is removing.
std::function<void()> clearOnceARowIsSelected(ListHarness &h)
{
    return once([&h] { h.list->Clear(); });
}
void subscribeClearOnItemSelection(ListHarness &h)
{
    auto act = clearOnceARowIsSelected(h);
    h.list->OnItemSelectionChanged.Subscribe([&h, act](int) {
        if (!h.list->SelectedItemsIndexes().empty())
            act();
    });
}
void subscribeClearOnSelection(ListHarness &h)
{
    auto act = clearOnceARowIsSelected(h);
    h.list->OnSelectionChanged.Subscribe([&h, act] {
        if (!h.list->SelectedItemsIndexes().empty())
            act();
    });
}

const ListCase kListCases[] = {
    // The selection walk of SetSel and the call's own tail after it.
    {"SelectionHandlerClearsDuringSetSel",
     [](ListHarness &h) {
         h.list->SetSel(0);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->SetSel(1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.list->Count(), 0);
         EXPECT_TRUE(h.list->SelectedItemsIndexes().empty());
     }},
    {"SelectionHandlerClearsTheSelectionDuringSetSel",
     [](ListHarness &h) {
         h.list->SetSel(0);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->ClearSel(); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->SetSel(1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.rows(), (Rows{L"a", L"b", L"c"}));
         EXPECT_TRUE(h.list->SelectedItemsIndexes().empty());
     }},
    {"SelectionHandlerMovesTheSelectionDuringSetSel",
     [](ListHarness &h) {
         h.list->SetSel(0);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->SetSel(2); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->SetSel(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->SelectedItemsIndexes(), std::list<int>{2}); }},
    {"SelectionHandlerDeletesTheRowItWasToldAbout",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetSel(0);
         h.list->SetSel(1);
         auto done = std::make_shared<bool>(false);
         h.list->OnItemSelectionChanged.Subscribe([&h, done](int row) {
             if (!*done) {
                 *done = true;
                 h.list->DeleteItem(row);
             }
         });
     },
     [](ListHarness &h) { h.list->ClearSel(); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 2); }},
    {"SelectionHandlerReleasesTheListDuringSetSel",
     [](ListHarness &h) {
         h.list->SetSel(0);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { releaseList(h); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->SetSel(1); }, nullptr},
    {"SelectionHandlerClearsWhileSelectedRowsAreDeleted",
     [](ListHarness &h) {
         h.list->AddItem(L"d");
         h.list->SetSingleSelection(false);
         for (int row : {0, 1, 3})
             h.list->SetSel(row);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->DeleteSelItems(); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionHandlerClearsWhileTheSelectedRowIsDeleted",
     [](ListHarness &h) {
         h.list->SetSel(1);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.result = h.list->DeleteItem(1); },
     [](ListHarness &h) {
         EXPECT_FALSE(h.result);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"SelectionHandlerClearsWhileDraggedRowsMove",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetSel(0);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.table->MoveSelectedRows(-1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"ItemChangedHandlerDeletesARowWhileDraggedRowsMove",
     [](ListHarness &h) {
         h.list->SetColumnsCount(2);
         for (const wchar_t *text : {L"a", L"b", L"c"}) {
             auto row = texts({text, L"x"});
             h.list->AddItemEx(row);
         }
         h.list->SetSingleSelection(false);
         h.list->SetSel(0);
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->DeleteItem(2); })](int) { act(); });
     },
     [](ListHarness &h) { h.table->MoveSelectedRows(-1); },
     [](ListHarness &h) {
         // The handler ran once the rows were whole again: the row it deleted
         // was the moved one, and every row left is whole.
         EXPECT_EQ(h.rows(), (Rows{L"b", L"c"}));
         for (int row = 0; row < h.list->Count(); ++row)
             EXPECT_EQ(h.list->GetItem(row, 1), L"x");
     }},
    {"CheckedSelectionHandlerClearsDuringSetSel",
     [](ListHarness &h) {
         h.list->SetCheckMode(ListBox::CheckWithSelection);
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->SetSel(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},

    // Every change of a cell reports OnItemChanged, also while a call fills it.
    {"ItemChangedHandlerClearsDuringAddItem",
     [](ListHarness &h) {
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.result = h.list->AddItem(L"d"); },
     [](ListHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"ItemChangedHandlerClearsDuringACheckedAddItem",
     [](ListHarness &h) {
         h.list->SetCheckMode(ListBox::UserCheck);
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.result = h.list->InsertItem(0, L"d", any(7)); },
     [](ListHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"ItemChangedHandlerReleasesTheListDuringAddItem",
     [](ListHarness &h) {
         h.list->OnItemChanged.Subscribe([act = once([&h] { releaseList(h); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->AddItem(L"d"); }, nullptr},
    {"ItemChangedHandlerClearsDuringAddItemEx",
     [](ListHarness &h) {
         h.list->SetColumnsCount(3);
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) {
         auto row = texts({L"x", L"y", L"z"});
         h.result = h.list->AddItemEx(row, any(1));
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"ItemChangedHandlerDeletesTheNewRowDuringAddRow",
     [](ListHarness &h) {
         h.list->SetColumnsCount(2);
         h.list->AddItem(L"a");
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->DeleteItem(1); })](int) { act(); });
     },
     [](ListHarness &h) {
         auto row = texts({L"x", L"y"});
         h.result = h.list->AddRow(row, {any(1), any(2)});
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.rows(), Rows{L"a"});
         EXPECT_TRUE(h.list->GetItemDataEx(0, 1).empty());
     }},
    {"ItemChangedHandlerClearsDuringSetItemDataEx",
     [](ListHarness &h) {
         h.list->SetColumnsCount(2);
         auto row = texts({L"x", L"y"});
         h.list->AddItemEx(row);
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.result = h.list->SetItemDataEx(0, 1, any(5)); },
     [](ListHarness &h) {
         EXPECT_FALSE(h.result);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"ItemChangedHandlerClearsDuringSetItemTextEx",
     [](ListHarness &h) {
         h.list->SetColumnsCount(3);
         h.list->AddItem(L"x");
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) {
         auto row = texts({L"p", L"q", L"r"});
         h.result = h.list->SetItemTextEx(0, row);
     },
     [](ListHarness &h) {
         EXPECT_FALSE(h.result);
         EXPECT_EQ(h.list->Count(), 0);
     }},
    {"ItemChangedHandlerClearsDuringRemoveItemData",
     [](ListHarness &h) {
         h.list->SetColumnsCount(3);
         auto row = texts({L"x", L"y", L"z"});
         h.list->AddItemEx(row, any(3));
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->RemoveItemData(0); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},

    // Extended selection: a press reports its start before Qt selects.
    {"SelectionBeginHandlerDeletesThePressedRow",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->OnSelectionBegin.Subscribe(once([&h] { h.list->DeleteItem(0); }));
     },
     [](ListHarness &h) { h.click(0); },
     [](ListHarness &h) { EXPECT_EQ(h.rows(), (Rows{L"b", L"c"})); }},
    {"SelectionBeginHandlerClearsBeforeACheckingPress",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetCheckMode(ListBox::CheckWithSelection);
         h.list->OnSelectionBegin.Subscribe(once([&h] { h.list->Clear(); }));
     },
     [](ListHarness &h) { h.click(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionBeginHandlerReleasesTheListOnAPress",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->OnSelectionBegin.Subscribe(once([&h] { releaseList(h); }));
     },
     [](ListHarness &h) { h.click(0); }, nullptr},
    {"SelectionBeginHandlerClearsOnCtrlA",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->OnSelectionBegin.Subscribe(once([&h] { h.list->Clear(); }));
     },
     [](ListHarness &h) { QTest::keyClick(h.table, Qt::Key_A, Qt::ControlModifier); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionEndHandlerReleasesTheListOnClearSel",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetSel(1);
         h.list->OnSelectionBegin.Subscribe(once([&h] { h.list->Clear(); }));
         h.list->OnSelectionEnd.Subscribe(once([&h] { releaseList(h); }));
     },
     [](ListHarness &h) { h.list->ClearSel(); }, nullptr},
    {"ClickHandlerClearsTheList",
     [](ListHarness &h) { h.list->OnItemClick.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); }); },
     [](ListHarness &h) { h.click(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"HeaderClickHandlerChangesTheColumns",
     [](ListHarness &h) {
         h.list->SetColumnName(0, L"Name");
         h.list->SortingEnable(true);
         h.list->OnHeaderClick.Subscribe(
             [act = once([&h] { h.list->SetColumnsCount(3); })](int) { act(); });
     },
     [](ListHarness &h) {
         QHeaderView *header = h.table->horizontalHeader();
         QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.list->GetColumnsCount(), 3);
         EXPECT_EQ(h.list->Count(), 0);
     }},

    // Cell editors: handlers of the edit's events take the edited row away.
    {"EditStartHandlerDeletesTheEditedRow",
     [](ListHarness &h) { h.list->OnEditStart.Subscribe([&h](int row, Edit *) { h.list->DeleteItem(row); }); },
     [](ListHarness &h) { h.edit(1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.rows(), (Rows{L"a", L"c"}));
         EXPECT_EQ(h.delegate()->TextEditor(), nullptr);
     }},
    {"EditorCreatedHandlerClearsTheList",
     [](ListHarness &h) {
         h.list->OnEditorCreated.Subscribe([&h](int, int, BaseGUIObject *) { h.list->Clear(); });
     },
     [](ListHarness &h) { h.edit(0); },
     [](ListHarness &h) {
         EXPECT_EQ(h.list->Count(), 0);
         EXPECT_EQ(h.delegate()->TextEditor(), nullptr);
     }},
    {"EditorCreatedHandlerReleasesTheList",
     [](ListHarness &h) {
         h.list->OnEditorCreated.Subscribe([&h](int, int, BaseGUIObject *) { releaseList(h); });
     },
     [](ListHarness &h) { h.edit(0); }, nullptr},
    {"EditStartHandlerClosesTheEditorAgain",
     [](ListHarness &h) { h.list->OnEditStart.Subscribe([&h](int, Edit *) { h.list->ShowSelection(true); }); },
     [](ListHarness &h) { h.edit(2); },
     [](ListHarness &h) {
         EXPECT_EQ(h.rows(), (Rows{L"a", L"b", L"c"}));
         EXPECT_EQ(h.delegate()->TextEditor(), nullptr);
     }},
    {"EditEndHandlerClearsWhileTheEditedRowIsDeleted",
     [](ListHarness &h) {
         h.edit(1);
         h.list->OnEditEnd.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.result = h.list->DeleteItem(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"EditEndHandlerDeletesOtherRowsWhileTheListIsCleared",
     [](ListHarness &h) {
         h.edit(1);
         h.list->OnEditEnd.Subscribe([act = once([&h] { h.list->DeleteItem(0); })](int) { act(); });
     },
     [](ListHarness &h) { h.list->Clear(); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"ItemChangedHandlerClearsWhenAnEditIsCommitted",
     [](ListHarness &h) {
         h.edit(1);
         h.list->OnItemChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) {
         auto *line = qobject_cast<QLineEdit *>(h.delegate()->TextEditor()->GetPlatformHandle());
         ASSERT_NE(line, nullptr);
         line->setText(QStringLiteral("typed"));
         // The view commits the text and closes the editor from the event loop.
         QTest::keyClick(line, Qt::Key_Return);
         EXPECT_TRUE(QTest::qWaitFor([&h] { return h.delegate()->TextEditor() == nullptr; }));
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.list->Count(), 0);
         EXPECT_EQ(h.delegate()->TextEditor(), nullptr);
     }},
    {"TextEditedHandlerReleasesTheListWhenTheEditorCloses",
     [](ListHarness &h) {
         h.edit(0);
         h.list->OnItemTextEdited.Subscribe(
             [&h](int, int, std::wstring, std::wstring) { releaseList(h); });
     },
     [](ListHarness &h) { h.delegate()->CloseAllEditors(); }, nullptr},

    // Rows removed or moved by Qt: the current row moves inside Qt's own
    // removal, and what that selects is reported once the rows are gone.
    {"ItemSelectionHandlerClearsWhenPinningTheCurrentRowMovesIt",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnItemSelection(h);
     },
     [](ListHarness &h) { h.list->DisableSortingForRow(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionHandlerClearsWhenPinningTheCurrentRowMovesIt",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnSelection(h);
     },
     [](ListHarness &h) { h.list->DisableSortingForRow(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"ItemSelectionHandlerClearsWhenDeletingTheCurrentRowMovesIt",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnItemSelection(h);
     },
     [](ListHarness &h) { h.list->DeleteItem(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionHandlerClearsWhenDeletingTheSelectedRowsMovesTheCurrentRow",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnSelection(h);
     },
     [](ListHarness &h) { h.list->DeleteSelItems(); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"ItemSelectionHandlerClearsWhenDeletingTheSelectedRowsMovesTheCurrentRow",
     [](ListHarness &h) {
         h.click(0);
         subscribeClearOnItemSelection(h);
     },
     [](ListHarness &h) { h.list->DeleteSelItems(); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"ItemSelectionHandlerClearsWhenADroppedRowLeavesItsPlace",
     [](ListHarness &h) {
         h.click(0);
         subscribeClearOnItemSelection(h);
     },
     [](ListHarness &h) { h.table->MoveSelectedRows(-1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"SelectionHandlerClearsWhenADroppedRowLeavesItsPlace",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnSelection(h);
     },
     [](ListHarness &h) { h.table->MoveSelectedRows(0); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    // What the view does when a row dragged to another widget leaves the list.
    {"ItemSelectionHandlerClearsWhenQtRemovesTheCurrentRow",
     [](ListHarness &h) {
         h.click(1);
         subscribeClearOnItemSelection(h);
     },
     [](ListHarness &h) { h.table->model()->removeRow(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},
    {"EditEndHandlerClearsWhenQtRemovesTheEditedRow",
     [](ListHarness &h) {
         h.edit(1);
         h.list->OnEditEnd.Subscribe([&h](int row) {
             h.log.push_back("end " + std::to_string(row));
             h.list->Clear();
         });
     },
     [](ListHarness &h) { h.table->model()->removeRow(1); },
     [](ListHarness &h) {
         // The edited row is gone by the time the end is reported.
         EXPECT_EQ(h.log, Log{"end -1"});
         EXPECT_EQ(h.list->Count(), 0);
         EXPECT_EQ(h.delegate()->TextEditor(), nullptr);
     }},
    // A dropped row is the same row at its new place: it leaves the
    // selection there.
    {"ADroppedRowLeavesTheSelectionUnderItsNewRow",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetSel(0, true, true);
         h.logSelectionReports();
     },
     [](ListHarness &h) { h.table->MoveSelectedRows(-1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.log, Log{"2:a"});
         EXPECT_EQ(h.rows(), (Rows{L"b", L"c", L"a"}));
     }},

    // A walk over the rows of one selection change: a handler deletes a row
    // above them, and each row is still reported, under its current number.
    {"ItemSelectionHandlerDeletesARowAboveARangeBeingReported",
     [](ListHarness &h) {
         h.addDEF();
         h.list->SetSingleSelection(false);
         h.list->ClearSel();
         h.table->setCurrentCell(2, 0, QItemSelectionModel::NoUpdate);
         h.logSelectionReports();
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->DeleteItem(0); })](int) { act(); });
     },
     [](ListHarness &h) {
         QAbstractItemModel *model = h.table->model();
         h.table->selectionModel()->select(QItemSelection(model->index(2, 0), model->index(4, 0)),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.log, (Log{"2:c", "2:d", "3:e"}));
         EXPECT_EQ(h.rows(), (Rows{L"b", L"c", L"d", L"e", L"f"}));
     }},
    {"ItemSelectionHandlerDeletesARowAboveARangeAShiftClickChecks",
     [](ListHarness &h) {
         h.addDEF();
         h.list->SetSingleSelection(false);
         h.list->SetCheckMode(ListBox::CheckWithSelection);
         h.click(2);
         h.logSelectionReports();
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->DeleteItem(0); })](int) { act(); });
     },
     [](ListHarness &h) { h.click(4, Qt::ShiftModifier); },
     [](ListHarness &h) {
         EXPECT_EQ(h.log, (Log{"3:d", "3:e"}));
         EXPECT_EQ(h.list->SelectedItems(), (std::list<std::wstring>{L"c", L"d", L"e"}));
         EXPECT_EQ(h.list->CheckedItems(), (std::list<std::wstring>{L"c", L"d", L"e"}));
     }},
    // Rows deleted or moved between two changes of the selection: the next
    // report names the rows that left the selection where they are now.
    {"ADeletionAboveTheSelectionMovesTheRowItsNextReportNames",
     [](ListHarness &h) {
         h.list->SetSel(2, true, true);
         h.logSelectionReports();
     },
     [](ListHarness &h) {
         h.list->DeleteItem(0);
         h.list->SetSel(0);
     },
     [](ListHarness &h) { EXPECT_EQ(h.log, (Log{"1:c", "0:b"})); }},
    {"ASortMovesTheRowTheNextSelectionReportNames",
     [](ListHarness &h) {
         h.list->SetSel(0, true, true);
         h.logSelectionReports();
     },
     [](ListHarness &h) {
         h.list->SortColumn(0, ListBox::Descending);
         h.list->SetSel(0);
     },
     [](ListHarness &h) { EXPECT_EQ(h.log, (Log{"2:a", "0:c"})); }},

    // A press on one of the selected rows clears the selection before Qt
    // takes the press: a handler that clears the list there leaves no cell
    // for the press to check.
    {"ItemSelectionHandlerClearsWhenAPressOnASelectedRowDeselectsTheOthers",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.list->SetCheckMode(ListBox::CheckWithSelection);
         h.click(0);
         h.click(1, Qt::ControlModifier);
         ASSERT_EQ(h.list->SelectedItemsIndexes(), (std::list<int>{0, 1}));
         h.list->OnItemSelectionChanged.Subscribe([act = once([&h] { h.list->Clear(); })](int) { act(); });
     },
     [](ListHarness &h) { h.click(1); },
     [](ListHarness &h) { EXPECT_EQ(h.list->Count(), 0); }},

    // A change of a cell while the list is sorted: Qt moves the row after it
    // reported the change, and the handler runs once the row has moved.
    {"ItemChangedHandlerClearsWhileASortedCellChanges",
     [](ListHarness &h) {
         h.list->SortingEnable(true);
         h.list->SortColumn(0, ListBox::Ascending);
         auto done = std::make_shared<bool>(false);
         h.list->OnItemChanged.Subscribe([&h, done](int row) {
             if (!std::exchange(*done, true)) {
                 h.log.push_back(h.rowAndText(row));
                 h.list->Clear();
             }
         });
     },
     [](ListHarness &h) { h.result = h.list->SetItemText(2, L"0"); },
     [](ListHarness &h) {
         EXPECT_EQ(h.log, Log{"0:0"});
         EXPECT_EQ(h.list->Count(), 0);
     }},

    // Every begin of the selection has its end, and what a handler sets
    // stays set when the call that fired it ends.
    {"ItemSelectionHandlerSwitchesToSingleSelectionDuringAPress",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.logBeginAndEnd();
         h.list->OnItemSelectionChanged.Subscribe(
             [act = once([&h] { h.list->SetSingleSelection(true); })](int) { act(); });
     },
     [](ListHarness &h) { h.click(1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.count("begin"), 1);
         EXPECT_EQ(h.count("end"), 1);
         EXPECT_TRUE(h.list->IsSingleSelection());
         EXPECT_EQ(h.table->selectionMode(), QAbstractItemView::SingleSelection);
     }},
    {"ClickHandlerSwitchesToSingleSelection",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.logBeginAndEnd();
         h.list->OnItemClick.Subscribe([act = once([&h] { h.list->SetSingleSelection(true); })](int) { act(); });
     },
     [](ListHarness &h) { h.click(1); },
     [](ListHarness &h) {
         EXPECT_EQ(h.count("begin"), 1);
         EXPECT_EQ(h.count("end"), 1);
         EXPECT_TRUE(h.list->IsSingleSelection());
         EXPECT_EQ(h.table->selectionMode(), QAbstractItemView::SingleSelection);
     }},
    {"SelectionBeginHandlerSwitchesToSingleSelectionOnCtrlA",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.logBeginAndEnd();
         h.list->OnSelectionBegin.Subscribe(once([&h] { h.list->SetSingleSelection(true); }));
     },
     [](ListHarness &h) { QTest::keyClick(h.table, Qt::Key_A, Qt::ControlModifier); },
     [](ListHarness &h) {
         EXPECT_EQ(h.count("begin"), 1);
         EXPECT_EQ(h.count("end"), 1);
     }},
    {"CtrlAEndsItsSelectionWhenCtrlGoesUpFirst",
     [](ListHarness &h) {
         h.list->SetSingleSelection(false);
         h.logBeginAndEnd();
     },
     [](ListHarness &h) {
         QTest::keyPress(h.table, Qt::Key_A, Qt::ControlModifier);
         QTest::keyRelease(h.table, Qt::Key_Control, Qt::NoModifier);
         QTest::keyRelease(h.table, Qt::Key_A, Qt::NoModifier);
     },
     [](ListHarness &h) {
         EXPECT_EQ(h.count("begin"), 1);
         EXPECT_EQ(h.count("end"), 1);
     }},

    // The pinned rows are the block at the top: deleting rows counts exactly
    // the pinned ones among them. A row pinned afterwards joins the block at
    // its end.
    {"DeletingThePinnedRowsEmptiesThePinnedBlock",
     [](ListHarness &h) {
         h.addDEF();
         for (int row : {3, 4, 5})
             h.list->DisableSortingForRow(row);
         ASSERT_EQ(h.rows(), (Rows{L"d", L"e", L"f", L"a", L"b", L"c"}));
     },
     [](ListHarness &h) { h.list->DeleteItems(0, 3); },
     [](ListHarness &h) {
         h.list->DisableSortingForRow(2);
         EXPECT_EQ(h.rows(), (Rows{L"c", L"a", L"b"}));
         h.list->SortColumn(0, ListBox::Descending);
         EXPECT_EQ(h.rows(), (Rows{L"c", L"b", L"a"}));
     }},
    {"DeletingTheFirstRowAfterThePinnedRowsKeepsThePinnedBlock",
     [](ListHarness &h) {
         h.addDEF();
         h.list->DisableSortingForRow(3);
         h.list->DisableSortingForRow(4);
         ASSERT_EQ(h.rows(), (Rows{L"d", L"e", L"a", L"b", L"c", L"f"}));
     },
     [](ListHarness &h) {
         h.list->DeleteItem(2);
         h.list->DeleteItems(2, 1);
     },
     [](ListHarness &h) {
         h.list->DisableSortingForRow(3);
         EXPECT_EQ(h.rows(), (Rows{L"d", L"e", L"f", L"c"}));
     }},
    {"DeletingWithoutPinnedRowsLeavesNoneCounted",
     [](ListHarness &h) { h.addDEF(); },
     [](ListHarness &h) {
         h.list->DeleteItem(0);
         h.list->DeleteItems(0, 2);
     },
     [](ListHarness &h) {
         h.list->DisableSortingForRow(2);
         EXPECT_EQ(h.rows(), (Rows{L"f", L"d", L"e"}));
     }},
};

void PrintTo(const ListCase &c, std::ostream *out) { *out << c.name; }

class ListBoxHandlersTest : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(ListBoxHandlersTest, TheCallEndsOnWhatTheHandlerLeft)
{
    const ListCase &c = GetParam();
    ListHarness h;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window));
    c.arrange(h);
    c.act(h);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!h.list) {
        ASSERT_FALSE(c.check) << "the handler was not expected to release the list";
        // A widget placed in a window stays with it and still takes input.
        ASSERT_TRUE(h.table);
        QTest::mouseClick(h.table->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        h.table->grab();
        return;
    }
    ASSERT_TRUE(c.check) << "the handler released the list";
    c.check(h);
    EXPECT_EQ(h.table->rowCount(), h.list->Count());
    // The list goes on working.
    const int row = h.list->AddItem(L"later");
    ASSERT_GE(row, 0);
    EXPECT_EQ(h.list->GetItem(row), L"later");
    h.table->grab();
}

INSTANTIATE_TEST_SUITE_P(Sequences, ListBoxHandlersTest, ::testing::ValuesIn(kListCases),
                         [](const ::testing::TestParamInfo<ListCase> &info) { return std::string(info.param.name); });

// ---- Combo box ----

struct ComboHarness
{
    ComboHarness()
    {
        window.resize(300, 200);
        combo->Create(&window);
        widget = static_cast<ComboBoxQt *>(combo->GetPlatformHandle());
        widget->setGeometry(10, 10, 200, 28);
        window.show();
    }

    QWidget window;
    std::unique_ptr<ComboBox> combo = std::make_unique<ComboBox>();
    QPointer<ComboBoxQt> widget;
    std::vector<std::wstring> changes;
    int result = 0;
};

struct ComboCase
{
    const char *name;
    std::function<void(ComboHarness &)> arrange;
    std::function<void(ComboHarness &)> act;
    std::function<void(ComboHarness &)> check;
};

const ComboCase kComboCases[] = {
    {"TextChangedHandlerReleasesDuringSetCurrentText",
     [](ComboHarness &h) {
         h.combo->SetEditable(true);
         h.combo->OnTextChanged.Subscribe([&h](std::wstring) { h.combo.reset(); });
     },
     [](ComboHarness &h) { h.combo->SetCurrentText(L"x"); }, nullptr},
    {"TextEditedHandlerWritesAnotherText",
     [](ComboHarness &h) {
         h.combo->SetEditable(true);
         h.combo->OnTextEdited.Subscribe(
             [act = once([&h] { h.combo->SetCurrentText(L"y"); })](std::wstring) { act(); });
         h.combo->OnTextChanged.Subscribe([&h](std::wstring text) { h.changes.push_back(text); });
     },
     [](ComboHarness &h) { QTest::keyClick(h.widget->lineEdit(), Qt::Key_X); },
     [](ComboHarness &h) {
         EXPECT_EQ(h.combo->CurrentText(), L"y");
         // The last report is the text the field holds.
         ASSERT_FALSE(h.changes.empty());
         EXPECT_EQ(h.changes.back(), L"y");
     }},
    {"SelectionHandlerClearsDuringTheFirstAddItem",
     [](ComboHarness &h) {
         h.combo->OnSelectionChanged.Subscribe([act = once([&h] { h.combo->Clear(); })](int) { act(); });
     },
     [](ComboHarness &h) { h.result = h.combo->AddItem(L"a", any(1)); },
     [](ComboHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.combo->Count(), 0);
     }},
    {"SelectionHandlerClearsDuringTheFirstHeaderRow",
     [](ComboHarness &h) {
         h.combo->OnSelectionChanged.Subscribe([act = once([&h] { h.combo->Clear(); })](int) { act(); });
     },
     [](ComboHarness &h) { h.result = h.combo->AddSeparator(L"Header", any()); },
     [](ComboHarness &h) {
         EXPECT_EQ(h.result, -1);
         EXPECT_EQ(h.combo->Count(), 0);
     }},
    {"SelectionHandlerReleasesDuringAddItem",
     [](ComboHarness &h) { h.combo->OnSelectionChanged.Subscribe([&h](int) { h.combo.reset(); }); },
     [](ComboHarness &h) { h.combo->AddItem(L"a", any(1)); }, nullptr},
    {"TextChangedHandlerClearsDuringDeleteString",
     [](ComboHarness &h) {
         h.combo->SetEditable(true);
         h.combo->AddItem(L"a", any(1));
         h.combo->AddItem(L"b", any(2));
         h.combo->OnTextChanged.Subscribe(
             [act = once([&h] { h.combo->Clear(); })](std::wstring) { act(); });
     },
     [](ComboHarness &h) { h.combo->DeleteString(0); },
     [](ComboHarness &h) { EXPECT_EQ(h.combo->Count(), 0); }},
    {"SelectionHandlerReleasesDuringClear",
     [](ComboHarness &h) {
         h.combo->AddItem(L"a", any(1));
         h.combo->OnSelectionChanged.Subscribe([&h](int) { h.combo.reset(); });
     },
     [](ComboHarness &h) { h.combo->Clear(); }, nullptr},
};

void PrintTo(const ComboCase &c, std::ostream *out) { *out << c.name; }

class ComboBoxHandlersTest : public ::testing::TestWithParam<ComboCase>
{
};

TEST_P(ComboBoxHandlersTest, TheCallEndsOnWhatTheHandlerLeft)
{
    const ComboCase &c = GetParam();
    ComboHarness h;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window));
    c.arrange(h);
    c.act(h);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!h.combo) {
        ASSERT_FALSE(c.check) << "the handler was not expected to release the combo box";
        ASSERT_TRUE(h.widget);
        h.widget->grab();
        return;
    }
    ASSERT_TRUE(c.check) << "the handler released the combo box";
    c.check(h);
    const int row = h.combo->AddItem(L"later", any(9));
    ASSERT_GE(row, 0);
    EXPECT_EQ(h.combo->GetItemText(row), L"later");
    const any data = h.combo->GetItemData(row);
    const int *value = any_cast<int>(&data);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, 9);
}

INSTANTIATE_TEST_SUITE_P(Sequences, ComboBoxHandlersTest, ::testing::ValuesIn(kComboCases),
                         [](const ::testing::TestParamInfo<ComboCase> &info) { return std::string(info.param.name); });

// ---- Folder combo box ----

class ComboBoxFSHandlersTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        QDir().mkpath(sandbox.home() + QStringLiteral("/Documents"));
        window.resize(300, 200);
        combo->Create(&window);
        widget = static_cast<ComboBoxFSQt *>(combo->GetPlatformHandle());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    std::unique_ptr<ComboBoxFS> combo = std::make_unique<ComboBoxFS>();
    QPointer<ComboBoxFSQt> widget;
};

TEST_F(ComboBoxFSHandlersTest, ASelectionHandlerThatReleasesTheControlHearsOfAWholeFill)
{
    combo->InitComboBoxFS();
    combo->OnSelectionChanged.Subscribe([this](int) { combo.reset(); });
    ComboBoxFS *control = combo.get();
    control->InitComboBoxFS();
    EXPECT_EQ(combo, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The handler ran once the list was whole: the widget left behind holds
    // the whole list, the browse row last.
    ASSERT_TRUE(widget);
    EXPECT_GT(widget->count(), 0);
    EXPECT_EQ(widget->findText(ComboBoxFSQt::BrowseText()), widget->count() - 1);
    widget->grab();
}

TEST_F(ComboBoxFSHandlersTest, ASelectionHandlerThatFillsAgainLeavesOneFill)
{
    combo->InitComboBoxFS();
    const int rows = combo->Count();
    combo->OnSelectionChanged.Subscribe([act = once([this] { combo->InitComboBoxFS(); })](int) { act(); });
    combo->InitComboBoxFS();
    EXPECT_EQ(combo->Count(), rows);
    EXPECT_EQ(widget->findText(ComboBoxFSQt::BrowseText()), rows - 1);
    EXPECT_EQ(combo->Count(), widget->count());
}

} // namespace
