// The check boxes of the tree view and the list box as drawn: in a dark palette
// an unchecked box's edge stands out from its row and from the box's inside in
// every state; in a light palette the box is the style's own.

#include "CheckBoxEdges.h"
#include "ListBox.h"
#include "TreeView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHoverEvent>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <memory>

using namespace AUILib;

namespace {

// A dark palette as desktops make them: dark window and base, a blue highlight
// with dark text on it.
QPalette darkPalette()
{
    QPalette palette(QColor(53, 53, 53), QColor(53, 53, 53));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Base, QColor(25, 25, 25));
    palette.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    return palette;
}

enum class Row { Normal, Selected, Hovered, Disabled };

// A tree view and a list box side by side, each with the rows "one" (checked),
// "two" and "three", shown under the application's palette.
struct CheckViews
{
    CheckViews()
    {
        auto *layout = new QHBoxLayout(&window);
        tree.Create(&window);
        list.Create(&window);
        layout->addWidget(tree.GetPlatformHandle());
        layout->addWidget(list.GetPlatformHandle());
        tree.SetCheckMode(TreeView::CheckModeCheckBoxes);
        list.SetCheckMode(ListBox::UserCheck);
        for (const wchar_t *text : {L"one", L"two", L"three"}) {
            treeRows.push_back(tree.AddItem(text, any()));
            list.AddItem(text);
        }
        tree.SetCheck(treeRows[0], true);
        list.SetCheck(0, true);
        window.resize(520, 200);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QAbstractItemView *treeView() { return qobject_cast<QAbstractItemView *>(tree.GetPlatformHandle()); }
    QAbstractItemView *table() { return qobject_cast<QAbstractItemView *>(list.GetPlatformHandle()); }

    // Row 1 ("two") of each view in that state.
    void put(Row state)
    {
        if (state == Row::Selected) {
            tree.SelectItem(treeRows[1], true);
            list.SetSel(1, true);
        }
        for (QAbstractItemView *view : {treeView(), table()}) {
            if (state == Row::Hovered) {
                const QPoint at = view->visualRect(view->model()->index(1, 0)).center();
                QHoverEvent hover(QEvent::HoverMove, at, QPoint(-1, -1));
                QApplication::sendEvent(view->viewport(), &hover);
            }
            if (state == Row::Disabled)
                view->setEnabled(false);
        }
    }

    QWidget window;
    TreeView tree;
    ListBox list;
    std::vector<QStandardItem *> treeRows;
};

class ItemCheckOutline : public ::testing::Test
{
protected:
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

} // namespace

TEST_F(ItemCheckOutline, AnUncheckedBoxShowsItsEdgeOnADarkRowInEveryState)
{
    QApplication::setPalette(darkPalette());
    const struct
    {
        const char *name;
        Row state;
    } cases[] = {{"normal", Row::Normal}, {"selected", Row::Selected}, {"hovered", Row::Hovered},
                 {"disabled", Row::Disabled}};
    for (const auto &c : cases) {
        CheckViews views;
        views.put(c.state);
        for (QAbstractItemView *view : {views.treeView(), views.table()}) {
            SCOPED_TRACE(std::string(c.name) + " row of the " + view->metaObject()->className());
            const QImage shot = view->viewport()->grab().toImage();
            const QRect box = itemCheckBox(view, view->model()->index(1, 0));
            const QColor row = besideCheckBox(shot, box);
            if (c.state == Row::Selected) {
                EXPECT_EQ(row, darkPalette().color(QPalette::Highlight));
            }
            EXPECT_GE(checkEdgeContrast(shot, box, row), 3.0) << "edge on " << row.name().toStdString();
            // A frame, not a dark square: the edge stands apart from the box's inside too.
            const QColor inside = insideCheckBox(shot, box);
            EXPECT_GE(checkEdgeContrast(shot, box, inside), 3.0) << "edge around " << inside.name().toStdString();
            // The checked box above it keeps its edge as well.
            const QRect checked = itemCheckBox(view, view->model()->index(0, 0));
            EXPECT_GE(checkEdgeContrast(shot, checked, besideCheckBox(shot, checked)), 3.0);
        }
    }
}

// In a light palette the controls draw the boxes exactly as a plain view under
// the same style does.
TEST_F(ItemCheckOutline, ALightPaletteKeepsTheStylesOwnBoxes)
{
    for (Row state : {Row::Normal, Row::Selected}) {
        CheckViews views;
        views.put(state);
        QTreeView plainTree;
        QTableWidget plainTable(3, 1);
        QStandardItemModel model;
        for (int row = 0; row < 3; ++row) {
            auto *item = new QStandardItem(QStringLiteral("row"));
            item->setCheckable(true);
            item->setCheckState(row == 0 ? Qt::Checked : Qt::Unchecked);
            model.appendRow(item);
            auto *cell = new QTableWidgetItem(QStringLiteral("row"));
            cell->setCheckState(row == 0 ? Qt::Checked : Qt::Unchecked);
            plainTable.setItem(row, 0, cell);
        }
        plainTree.setModel(&model);
        for (QAbstractItemView *plain : {static_cast<QAbstractItemView *>(&plainTree),
                                         static_cast<QAbstractItemView *>(&plainTable)}) {
            plain->resize(240, 160);
            plain->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(plain));
            if (state == Row::Selected)
                plain->selectionModel()->select(plain->model()->index(1, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const std::pair<QAbstractItemView *, QAbstractItemView *> pairs[] = {{views.treeView(), &plainTree},
                                                                              {views.table(), &plainTable}};
        for (const auto &pair : pairs) {
            SCOPED_TRACE(pair.first->metaObject()->className());
            for (int row = 0; row < 2; ++row) {
                const QImage ours = pair.first->viewport()
                                        ->grab(itemCheckBox(pair.first, pair.first->model()->index(row, 0)))
                                        .toImage()
                                        .convertToFormat(QImage::Format_RGB32);
                const QImage plain = pair.second->viewport()
                                         ->grab(itemCheckBox(pair.second, pair.second->model()->index(row, 0)))
                                         .toImage()
                                         .convertToFormat(QImage::Format_RGB32);
                EXPECT_EQ(ours, plain) << "row " << row;
            }
        }
    }
}
