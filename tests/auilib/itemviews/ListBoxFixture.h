#pragma once

#include "ListBox.h"
#include "ListBoxQt.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

// The value `data` holds, or T() when it holds none of that type.
template <class T>
T valueOf(const AUILib::any &data)
{
    const T *value = AUILib::any_cast<T>(&data);
    return value ? *value : T();
}

// A list box placed in a shown window, with a log of its events in the order they fired.
class ListBoxFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(320, 240);
        list.Create(&window);
        table()->setGeometry(0, 0, 300, 220);
        list.OnItemSelectionChanged.Subscribe([this](int row) { log.push_back("item " + std::to_string(row)); });
        list.OnSelectionChanged.Subscribe([this] { log.push_back("changed"); });
        list.OnSelectionBegin.Subscribe([this] { log.push_back("begin"); });
        list.OnSelectionEnd.Subscribe([this] { log.push_back("end"); });
    }

    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    AUILib::ListBoxQt *table() { return static_cast<AUILib::ListBoxQt *>(list.GetPlatformHandle()); }

    static std::list<std::wstring> texts(std::initializer_list<const wchar_t *> values)
    {
        std::list<std::wstring> out;
        for (const wchar_t *value : values)
            out.emplace_back(value);
        return out;
    }

    // Column-0 texts, top to bottom.
    std::vector<std::wstring> rows()
    {
        std::vector<std::wstring> out;
        for (int row = 0; row < list.Count(); ++row)
            out.push_back(list.GetItem(row, 0));
        return out;
    }

    void fill(std::initializer_list<const wchar_t *> values)
    {
        for (const wchar_t *value : values)
            list.AddItem(value);
    }

    // The centre of a cell, in viewport coordinates.
    QPoint centre(int row, int column = 0) { return table()->visualRect(table()->model()->index(row, column)).center(); }

    // QTest's double click is the second press only: the first click comes
    // before it, the release after it (else the button stays down for the
    // application, and for the tests that follow).
    void doubleClick(const QPoint &point)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseRelease(table()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }

    QWidget window;
    AUILib::ListBox list;
    std::vector<std::string> log;
};
