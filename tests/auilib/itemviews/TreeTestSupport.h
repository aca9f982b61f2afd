#pragma once

#include "TreeView.h"
#include "TreeViewQt.h"
#include "any.h"

#include <QStandardItem>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

// What the tree view's tests share.
template <class T>
T valueOf(const AUILib::any &value)
{
    const T *held = AUILib::any_cast<T>(&value);
    return held ? *held : T();
}

inline AUILib::TreeViewQt *treeOf(AUILib::TreeView &tree)
{
    return qobject_cast<AUILib::TreeViewQt *>(tree.GetPlatformHandle());
}

// A shown tree: a (a1 (a11, a12), a2), b
struct ShownTree : ::testing::Test
{
    void SetUp() override
    {
        // The expand mark on the left, whatever direction an earlier test left the application in.
        window.setLayoutDirection(Qt::LeftToRight);
        auto *layout = new QVBoxLayout(&window);
        tree.Create(&window);
        layout->addWidget(tree.GetPlatformHandle());
        window.resize(400, 300);
        a = tree.AddItem(L"a", AUILib::any());
        b = tree.AddItem(L"b", AUILib::any());
        a1 = tree.AddSubItem(L"a1", AUILib::any(), a);
        a2 = tree.AddSubItem(L"a2", AUILib::any(), a);
        a11 = tree.AddSubItem(L"a11", AUILib::any(), a1);
        a12 = tree.AddSubItem(L"a12", AUILib::any(), a1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        treeOf(tree)->expandAll();
    }
    QWidget *viewport() { return treeOf(tree)->viewport(); }
    QRect rect(QStandardItem *item) { return treeOf(tree)->visualRect(item->index()); }
    // The first point of the item's row whose hit test has `flag`.
    QPoint pointWith(QStandardItem *item, unsigned int flag)
    {
        const QRect r = rect(item);
        for (int x = 0; x < r.right(); ++x) {
            unsigned int flags = 0;
            if (tree.HitTest(AUILib::Point{x, r.center().y()}, &flags) == item && (flags & flag))
                return QPoint(x, r.center().y());
        }
        return QPoint(-1, -1);
    }

    QWidget window;
    AUILib::TreeView tree;
    QStandardItem *a, *b, *a1, *a2, *a11, *a12;
};

