// Handlers of a combo box that change its rows from inside an operation of
// the combo box: the row the caller named is the one acted on, and the
// handler's rows stay as the handler left them.

#include "ComboBox.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

std::vector<std::wstring> rowsOf(ComboBox &combo)
{
    std::vector<std::wstring> rows;
    for (int row = 0; row < combo.Count(); ++row)
        rows.push_back(combo.GetItemText(row));
    return rows;
}

std::string narrow(const std::vector<std::wstring> &rows)
{
    std::string text;
    for (const std::wstring &row : rows)
        text += QString::fromStdWString(row).toStdString() + ' ';
    return text;
}

} // namespace

// Each case: an editable combo box with rows A, B and C, row 1 current and
// "typed" in its field; a handler that, the first time it runs, inserts "X"
// above every row; one call that may reach it.
TEST(ComboBoxRowHandlersTest, TheRowTheCallerNamedIsTheOneActedOn)
{
    struct Case
    {
        const char *name;
        std::function<void(ComboBox &)> act;
        std::vector<std::wstring> rows;
        std::function<void(ComboBox &)> check;
    };
    const Case cases[] = {
        {"DeleteString of the current row, the field's text reported on the way",
         [](ComboBox &combo) { combo.DeleteString(1); }, {L"X", L"A", L"C"}, nullptr},
        {"SetItemData of the current row",
         [](ComboBox &combo) { EXPECT_TRUE(combo.SetItemData(1, any(42))); }, {L"X", L"A", L"B", L"C"},
         [](ComboBox &combo) {
             ASSERT_NE(combo.GetItemData(2).cast<int>(), nullptr) << "B has the data";
             EXPECT_EQ(*combo.GetItemData(2).cast<int>(), 42);
             EXPECT_EQ(combo.GetItemData(1).cast<int>(), nullptr) << "A has none";
         }},
        {"DisableItem of the current row",
         [](ComboBox &combo) { combo.DisableItem(1, true); }, {L"X", L"A", L"B", L"C"},
         [](ComboBox &combo) {
             EXPECT_TRUE(combo.IsItemDisabled(2));
             EXPECT_FALSE(combo.IsItemDisabled(1));
             EXPECT_NE(combo.GetCurSel(), 2) << "a disabled row is not current";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        ComboBox combo;
        combo.Create(&window);
        combo.SetEditable(true);
        for (const wchar_t *text : {L"A", L"B", L"C"})
            combo.AddItem(text, any());
        combo.SetCurSel(1);
        combo.SetCurrentText(L"typed");
        window.show();
        bool inserted = false;
        const auto insert = [&] {
            if (!inserted) {
                inserted = true;
                combo.InsertItem(0, L"X", any());
            }
        };
        combo.OnTextChanged.Subscribe([&](const std::wstring &) { insert(); });
        c.act(combo);
        std::vector<std::wstring> expected = c.rows;
        if (!inserted) {
            // The call reached no handler: the rows are the call's alone.
            expected.erase(std::find(expected.begin(), expected.end(), std::wstring(L"X")));
        }
        EXPECT_EQ(narrow(rowsOf(combo)), narrow(expected));
        if (c.check)
            c.check(combo);
    }
}

// The first row inserted becomes current, which reaches a handler that
// inserts a row above it: the answer names the row inserted, and a separator's
// header marks fall on its own row.
TEST(ComboBoxRowHandlersTest, AnInsertedRowIsAnsweredAndMarkedWhereItIs)
{
    struct Case
    {
        const char *name;
        std::function<int(ComboBox &)> insert;
        std::function<void(ComboBox &)> check;
    };
    const Case cases[] = {
        {"InsertItem", [](ComboBox &combo) { return combo.InsertItem(0, L"N", any()); }, nullptr},
        {"InsertSeparator with a text",
         [](ComboBox &combo) { return combo.InsertSeparator(0, L"N", any()); },
         [](ComboBox &combo) {
             EXPECT_TRUE(combo.IsItemDisabled(1)) << "the header";
             EXPECT_FALSE(combo.IsItemDisabled(0)) << "the handler's row is an ordinary one";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ComboBox combo;
        bool inserted = false;
        combo.OnSelectionChanged.Subscribe([&](int) {
            if (!inserted) {
                inserted = true;
                combo.InsertItem(0, L"above", any());
            }
        });
        const int row = c.insert(combo);
        EXPECT_TRUE(inserted);
        EXPECT_EQ(narrow(rowsOf(combo)), narrow({L"above", L"N"}));
        EXPECT_EQ(row, 1);
        if (c.check)
            c.check(combo);
    }
}
