#include "TreeView.h"

#include "Edit.h"
#include "PictureBytes.h"
#include "TreeTestSupport.h"
#include "TreeViewQt.h"
#include "VirtTreeItem.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPointer>
#include <QStandardItem>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Handlers that change the tree while the call that fired them is still
// running: they clear it, remove the item they were told about, switch its
// mode, start another operation of it or release it. Each sequence leaves the
// process intact and the tree in a state its interface allows.
using namespace AUILib;

namespace {

// A shown tree: a (a1 (a11, a12), a2), b. The control can be released by a
// handler; its widget stays with the window, as with a form.
struct HandlerTree : ::testing::Test
{
    void SetUp() override
    {
        // Clicks and keys reach the tree, not what an earlier test left open.
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        while (QWidget *modal = QApplication::activeModalWidget())
            modal->hide();
        if (QWidget *grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        if (QWidget *grabber = QWidget::keyboardGrabber())
            grabber->releaseKeyboard();
        // The expand mark on the left and Right to expand, whatever the application's direction.
        window.setLayoutDirection(Qt::LeftToRight);
        auto *layout = new QVBoxLayout(&window);
        tree = std::make_unique<TreeView>();
        tree->Create(&window);
        widget = treeOf(*tree);
        layout->addWidget(widget);
        window.resize(400, 300);
        a = tree->AddItem(L"a", any());
        b = tree->AddItem(L"b", any());
        a1 = tree->AddSubItem(L"a1", any(), a);
        a2 = tree->AddSubItem(L"a2", any(), a);
        a11 = tree->AddSubItem(L"a11", any(), a1);
        a12 = tree->AddSubItem(L"a12", any(), a1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        widget->expandAll();
    }
    void TearDown() override
    {
        // The window goes with everything the handlers left behind.
        tree.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QPoint pointWith(QStandardItem *item, unsigned int flag)
    {
        const QRect r = widget->visualRect(item->index());
        for (int x = 0; x < r.right(); ++x) {
            unsigned int flags = 0;
            if (tree->HitTest(Point{x, r.center().y()}, &flags) == item && (flags & flag))
                return QPoint(x, r.center().y());
        }
        return QPoint(-1, -1);
    }
    // After a handler cleared the tree: it is empty and takes new items.
    void expectEmptyAndUsable()
    {
        ASSERT_TRUE(tree);
        EXPECT_EQ(tree->Count(), 0);
        EXPECT_EQ(tree->GetRootItem(), nullptr);
        QStandardItem *item = tree->InsertItem(L"new", nullptr, TreeView::LastItemHandle, any(7));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(tree->Count(), 1);
        EXPECT_EQ(tree->GetItemText(item), L"new");
        EXPECT_EQ(valueOf<int>(tree->GetItemData(item)), 7);
    }
    // No edit is left half open: another one starts and ends.
    void expectEditable(QStandardItem *item)
    {
        const int id = tree->OnEndEditLabel.Subscribe(
            [this](QStandardItem *edited) { ended.push_back(tree->GetItemText(edited)); });
        Edit *editor = tree->EditLabel(item);
        EXPECT_NE(editor, nullptr);
        if (editor) {
            editor->SetText(L"edited");
            tree->EndEditLabel(true);
        }
        tree->OnEndEditLabel.Unsubscribe(id);
        EXPECT_EQ(tree->GetItemText(item), L"edited");
        EXPECT_EQ(ended, std::vector<std::wstring>{L"edited"});
    }
    // After a handler released the control: its widget is still there and
    // whatever Qt still does with it touches nothing of the control.
    void expectReleasedAndWidgetUsable()
    {
        EXPECT_FALSE(tree);
        ASSERT_TRUE(widget);
        widget->sortByColumn(0, Qt::AscendingOrder);
        widget->expandAll();
        widget->selectAll();
        widget->repaint();
    }

    QWidget window;
    std::unique_ptr<TreeView> tree;
    QPointer<TreeViewQt> widget;
    QStandardItem *a, *b, *a1, *a2, *a11, *a12;
    std::vector<std::wstring> ended;
};

// A virtual tree that loads the children of "folder" when it is first
// expanded: the handler removes every node, builds the tree again with the
// children and shows it, as lazy loading does.
struct LazyTree
{
    explicit LazyTree(TreeView &tree)
        : tree(tree)
    {
        tree.SetVirtualMode(true);
        build(false);
        tree.OnVirtualItemExpanded.Subscribe([this](VirtTreeItem *) {
            if (!loaded) {
                loaded = true;
                build(true);
            }
        });
    }
    void build(bool withChildren)
    {
        tree.RemoveAllVirtualItems();
        std::wstring text = L"folder";
        VirtTreeItem *folder = tree.AddVirtualTreeItem(text, nullptr, any());
        for (const wchar_t *child : withChildren ? std::vector<const wchar_t *>{L"c1", L"c2"}
                                                  : std::vector<const wchar_t *>{L"loading"}) {
            text = child;
            tree.AddVirtualTreeItem(text, folder, any());
        }
        text = L"other";
        tree.AddVirtualTreeItem(text, nullptr, any());
        tree.UpdateVirtualView();
    }
    VirtTreeItem *folder() { return tree.GetChildItem(tree.RootItem(), 0); }
    // The folder shows its two loaded children.
    void expectLoadedAndShown(TreeViewQt *widget)
    {
        ASSERT_NE(folder(), nullptr);
        EXPECT_EQ(tree.GetItemText(folder()), L"folder");
        ASSERT_EQ(tree.ChildCount(folder()), 2);
        EXPECT_EQ(tree.GetItemText(tree.GetChildItem(folder(), 0)), L"c1");
        EXPECT_EQ(tree.GetItemText(tree.GetChildItem(folder(), 1)), L"c2");
        EXPECT_TRUE(tree.IsExpanded(folder()));
        const QModelIndex top = widget->model()->index(0, 0);
        ASSERT_EQ(widget->model()->rowCount(top), 2);
        const QModelIndex second = widget->model()->index(1, 0, top);
        EXPECT_EQ(second.data().toString(), "c2");
        EXPECT_TRUE(widget->visualRect(second).isValid());
        EXPECT_FALSE(widget->isRowHidden(1, top));
    }

    TreeView &tree;
    bool loaded = false;
};

struct Case
{
    const char *name;
    std::function<void(HandlerTree &)> run;
};

void clearOnce(HandlerTree &t, bool &done)
{
    if (!done) {
        done = true;
        t.tree->RemoveAllItems(true);
    }
}

const Case kCases[] = {
    {"AllItemsRemovingSwitchesToVirtualMode",
     [](HandlerTree &t) {
         t.tree->OnAllItemsRemoving.Subscribe([&t] { t.tree->SetVirtualMode(true); });
         EXPECT_TRUE(t.tree->RemoveAllItems(true));
         EXPECT_TRUE(t.tree->IsVirtualModeEnabled());
         EXPECT_EQ(t.tree->Count(), 0);
         std::wstring text = L"node";
         EXPECT_NE(t.tree->AddVirtualTreeItem(text, nullptr, any()), nullptr);
         t.tree->SetVirtualMode(false);
         t.expectEmptyAndUsable();
     }},
    {"SwitchingToVirtualModeWhoseClearingSwitchesAgain",
     [](HandlerTree &t) {
         int fired = 0;
         t.tree->OnAllItemsRemoving.Subscribe([&t, &fired] {
             ++fired;
             t.tree->SetVirtualMode(true);
         });
         t.tree->SetVirtualMode(true);
         EXPECT_EQ(fired, 1);
         EXPECT_TRUE(t.tree->IsVirtualModeEnabled());
         t.tree->SetVirtualMode(false);
         t.expectEmptyAndUsable();
     }},
    {"AllItemsRemovingClearsAgain",
     [](HandlerTree &t) {
         int fired = 0;
         t.tree->OnAllItemsRemoving.Subscribe([&t, &fired] {
             ++fired;
             t.tree->RemoveAllItems(false);
         });
         EXPECT_TRUE(t.tree->RemoveAllItems(true));
         EXPECT_EQ(fired, 1);
         t.expectEmptyAndUsable();
     }},
    {"TextChangedRemovesTheItem",
     [](HandlerTree &t) {
         t.tree->EnableWordWrapText(true);
         std::vector<std::wstring> replaced;
         t.tree->OnItemTextChanged.Subscribe([&t](QStandardItem *item, std::wstring) { t.tree->RemoveItem(item); });
         t.tree->OnItemTextReplaced.Subscribe(
             [&replaced](QStandardItem *, std::wstring, std::wstring after) { replaced.push_back(after); });
         t.tree->SetItemText(t.a11, L"renamed");
         EXPECT_TRUE(replaced.empty()); // the item was gone before its second event
         EXPECT_EQ(t.tree->ChildCount(t.a1, false), 1);
         EXPECT_EQ(t.tree->GetFirstChild(t.a1), t.a12);
         EXPECT_EQ(t.tree->Count(), 5);
         EXPECT_FALSE(t.tree->SetItemText(t.a11, L"again"));
         EXPECT_NE(t.tree->InsertItem(L"new", t.a1, TreeView::LastItemHandle, any()), nullptr);
     }},
    {"TextChangedClearsTheTree",
     [](HandlerTree &t) {
         t.tree->OnItemTextChanged.Subscribe([&t](QStandardItem *, std::wstring) { t.tree->RemoveAllItems(true); });
         t.tree->SetItemText(t.a12, L"renamed");
         t.expectEmptyAndUsable();
     }},
    {"TextChangedReleasesTheControl",
     [](HandlerTree &t) {
         t.tree->EnableWordWrapText(true);
         t.tree->OnItemTextChanged.Subscribe([&t](QStandardItem *, std::wstring) { t.tree.reset(); });
         t.tree->SetItemText(t.b, L"renamed");
         t.expectReleasedAndWidgetUsable();
     }},
    {"ItemRemovingClearsTheTree",
     [](HandlerTree &t) {
         t.tree->OnItemRemoving.Subscribe([&t](QStandardItem *) { t.tree->RemoveAllItems(true); });
         EXPECT_FALSE(t.tree->RemoveItem(t.a1)); // the handler took it
         t.expectEmptyAndUsable();
     }},
    {"ItemRemovingRemovesTheSameItem",
     [](HandlerTree &t) {
         int fired = 0;
         t.tree->OnItemRemoving.Subscribe([&t, &fired](QStandardItem *item) {
             ++fired;
             EXPECT_TRUE(t.tree->RemoveItem(item));
         });
         EXPECT_FALSE(t.tree->RemoveItem(t.a1));
         EXPECT_EQ(fired, 1);
         EXPECT_EQ(t.tree->Count(), 3);
         EXPECT_EQ(t.tree->GetFirstChild(t.a), t.a2);
     }},
    {"ItemRemovingRemovesAChild",
     [](HandlerTree &t) {
         t.tree->OnItemRemoving.Subscribe([&t](QStandardItem *item) {
             if (item == t.a1)
                 t.tree->RemoveItem(t.a11);
         });
         EXPECT_TRUE(t.tree->RemoveItem(t.a1));
         EXPECT_EQ(t.tree->Count(), 3);
     }},
    {"ItemRemovingSwitchesToVirtualMode",
     [](HandlerTree &t) {
         t.tree->OnItemRemoving.Subscribe([&t](QStandardItem *) { t.tree->SetVirtualMode(true); });
         EXPECT_FALSE(t.tree->RemoveItem(t.a1));
         EXPECT_TRUE(t.tree->IsVirtualModeEnabled());
         t.tree->SetVirtualMode(false);
         t.expectEmptyAndUsable();
     }},
    {"ItemRemovingReleasesTheControl",
     [](HandlerTree &t) {
         t.tree->OnItemRemoving.Subscribe([&t](QStandardItem *) { t.tree.reset(); });
         t.tree->RemoveItem(t.a1);
         t.expectReleasedAndWidgetUsable();
     }},
    {"CheckClickClearsTheTree",
     [](HandlerTree &t) {
         t.tree->SetCheckMode(TreeView::CheckModeCheckBoxes);
         t.tree->OnItemCheckClicked.Subscribe([&t](QStandardItem *) { t.tree->RemoveAllItems(true); });
         const QPoint point = t.pointWith(t.a11, 32);
         ASSERT_NE(point, QPoint(-1, -1));
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier, point);
         t.expectEmptyAndUsable();
     }},
    {"ItemsDroppingClearsTheTree",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->OnItemsDropping.Subscribe(
             [&t](QStandardItem *, std::vector<QStandardItem *> &, bool) { t.tree->RemoveAllItems(true); });
         std::vector<QStandardItem *> items{t.a2, t.a12};
         EXPECT_FALSE(t.widget->MoveItems(items, t.b, true));
         t.expectEmptyAndUsable();
     }},
    {"ItemsDroppingRemovesAMovedItem",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->OnItemsDropping.Subscribe(
             [&t](QStandardItem *, std::vector<QStandardItem *> &, bool) { t.tree->RemoveItem(t.a2); });
         std::vector<QStandardItem *> dropped;
         t.tree->OnItemsDropped.Subscribe(
             [&dropped](QStandardItem *, std::vector<QStandardItem *> &items, bool) { dropped = items; });
         std::vector<QStandardItem *> items{t.a2, t.a12};
         EXPECT_TRUE(t.widget->MoveItems(items, t.b, true));
         EXPECT_EQ(dropped, std::vector<QStandardItem *>{t.a12});
         EXPECT_EQ(t.tree->GetParentItem(t.a12), t.b);
         EXPECT_EQ(t.tree->Count(), 5);
     }},
    {"ItemsDroppingRemovesTheTarget",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->OnItemsDropping.Subscribe(
             [&t](QStandardItem *, std::vector<QStandardItem *> &, bool) { t.tree->RemoveItem(t.b); });
         std::vector<QStandardItem *> items{t.a2};
         EXPECT_FALSE(t.widget->MoveItems(items, t.b, true));
         EXPECT_EQ(t.tree->GetParentItem(t.a2), t.a);
     }},
    {"ItemExpandedDuringAMoveClearsTheTree",
     [](HandlerTree &t) {
         // The move expands its target.
         t.tree->SetMultiSelection(true);
         int expanded = 0;
         t.tree->OnItemExpanded.Subscribe([&t, &expanded](QStandardItem *) {
             ++expanded;
             t.tree->RemoveAllItems(true);
         });
         std::vector<std::vector<QStandardItem *>> dropped;
         t.tree->OnItemsDropped.Subscribe(
             [&dropped](QStandardItem *, std::vector<QStandardItem *> &items, bool) { dropped.push_back(items); });
         t.widget->collapse(t.b->index());
         std::vector<QStandardItem *> items{t.a2, t.a1};
         t.widget->MoveItems(items, t.b, true);
         EXPECT_EQ(expanded, 1);
         // Whatever is reported of the move names no item the handler removed.
         for (const std::vector<QStandardItem *> &list : dropped)
             EXPECT_TRUE(list.empty());
         t.expectEmptyAndUsable();
     }},
    {"SelectionEventOfLeavingMultiSelectionTurnsItOnAgain",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SelectItem(t.a1, true);
         t.tree->SelectItem(t.b, true);
         int fired = 0;
         t.tree->OnSelectionChanged.Subscribe([&t, &fired](QStandardItem *) {
             if (++fired == 1)
                 t.tree->SetMultiSelection(true);
         });
         t.tree->SetMultiSelection(false);
         EXPECT_GE(fired, 1);
         // The handler has the last word, and the flag and the view agree.
         EXPECT_TRUE(t.tree->IsSetMultiSelection());
         EXPECT_EQ(t.widget->selectionMode(), QAbstractItemView::ExtendedSelection);
     }},
    {"ShiftClickWhoseSelectionEventRemovesTheClickedRow",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCurrentItem(t.a11);
         std::vector<std::string> seen;
         t.tree->OnMultiSelectionChanging.Subscribe([&seen] { seen.push_back("changing"); });
         t.tree->OnMultiSelectionChanged.Subscribe([&seen] { seen.push_back("changed"); });
         QStandardItem *clicked = t.a12;
         t.tree->OnSelectionChanged.Subscribe([&t, clicked](QStandardItem *item) {
             if (item == clicked)
                 t.tree->RemoveItem(item);
         });
         const QRect row = t.widget->visualRect(t.a12->index());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::ShiftModifier, row.center());
         // Every Changing has its Changed.
         EXPECT_EQ(seen, (std::vector<std::string>{"changing", "changed"}));
         EXPECT_EQ(t.tree->ChildCount(t.a1, false), 1);
         EXPECT_EQ(t.tree->Count(), 5);
     }},
    {"ControlClickWhoseSelectionEventRemovesTheClickedRow",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCurrentItem(t.a11);
         std::vector<std::string> seen;
         t.tree->OnMultiSelectionChanging.Subscribe([&seen] { seen.push_back("changing"); });
         t.tree->OnMultiSelectionChanged.Subscribe([&seen] { seen.push_back("changed"); });
         QStandardItem *clicked = t.a2;
         t.tree->OnSelectionChanged.Subscribe([&t, clicked](QStandardItem *item) {
             if (item == clicked)
                 t.tree->RemoveItem(item);
         });
         const QRect row = t.widget->visualRect(t.a2->index());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
         EXPECT_EQ(seen, (std::vector<std::string>{"changing", "changed"}));
         EXPECT_EQ(t.tree->ChildCount(t.a, false), 1);
     }},
    {"ShiftArrowWhoseChangingRemovesTheCurrentRow",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCurrentItem(t.a11);
         std::vector<std::string> seen;
         t.tree->OnMultiSelectionChanging.Subscribe([&t, &seen] {
             seen.push_back("changing");
             t.tree->RemoveItem(t.a11);
         });
         t.tree->OnMultiSelectionChanged.Subscribe([&seen] { seen.push_back("changed"); });
         QTest::keyClick(t.widget, Qt::Key_Down, Qt::ShiftModifier);
         EXPECT_EQ(seen, (std::vector<std::string>{"changing", "changed"}));
         EXPECT_EQ(t.tree->ChildCount(t.a1, false), 1);
     }},
    {"PressWhoseReleaseIsNoClick",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         std::vector<std::string> seen;
         t.tree->OnMultiSelectionChanging.Subscribe([&seen] { seen.push_back("changing"); });
         t.tree->OnMultiSelectionChanged.Subscribe([&seen] { seen.push_back("changed"); });
         QTest::mousePress(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                           t.widget->visualRect(t.a1->index()).center());
         QTest::mouseRelease(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                             t.widget->visualRect(t.b->index()).center());
         EXPECT_EQ(seen, (std::vector<std::string>{"changing", "changed"}));
     }},
    {"LabelEditorCreatedEditsAnotherItem",
     [](HandlerTree &t) {
         bool done = false;
         t.tree->OnLabelEditorCreated.Subscribe([&t, &done](QStandardItem *, Edit *) {
             if (done)
                 return;
             done = true;
             t.tree->EditLabel(t.b);
             t.tree->EndEditLabel(false);
         });
         t.tree->EditLabel(t.a11);
         t.tree->EndEditLabel(false);
         EXPECT_EQ(t.tree->GetItemText(t.a11), L"a11");
         EXPECT_EQ(t.tree->GetItemText(t.b), L"b");
         QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         // Editing goes on working.
         Edit *editor = t.tree->EditLabel(t.a12);
         ASSERT_NE(editor, nullptr);
         editor->SetText(L"edited");
         t.tree->EndEditLabel(true);
         EXPECT_EQ(t.tree->GetItemText(t.a12), L"edited");
         t.window.close();
         QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
     }},
    {"LabelEditorCreatedEditsAnotherItemAndTheWindowCloses",
     [](HandlerTree &t) {
         bool done = false;
         t.tree->OnLabelEditorCreated.Subscribe([&t, &done](QStandardItem *, Edit *) {
             if (!done) {
                 done = true;
                 t.tree->EditLabel(t.b);
                 t.tree->EndEditLabel(false);
             }
         });
         t.tree->EditLabel(t.a11);
         t.window.close();
         t.tree.reset();
     }},
    {"LabelEditorCreatedEditsAnotherItemEveryTime",
     [](HandlerTree &t) {
         int created = 0;
         t.tree->OnLabelEditorCreated.Subscribe([&t, &created](QStandardItem *, Edit *) {
             ++created;
             t.tree->EditLabel(t.b);
             t.tree->EndEditLabel(false);
         });
         t.tree->EditLabel(t.a11);
         EXPECT_LE(created, 3);
         EXPECT_EQ(t.tree->GetItemText(t.b), L"b");
         t.window.close();
     }},
    {"LabelEditorCreatedEndsTheEdit",
     [](HandlerTree &t) {
         bool done = false;
         t.tree->OnLabelEditorCreated.Subscribe([&t, &done](QStandardItem *, Edit *) {
             if (!done) {
                 done = true;
                 t.tree->EndEditLabel(false);
             }
         });
         EXPECT_EQ(t.tree->EditLabel(t.a11), nullptr);
         t.expectEditable(t.a12);
     }},
    {"BeginEditLabelClearsTheTree",
     [](HandlerTree &t) {
         bool done = false;
         t.tree->OnBeginEditLabel.Subscribe([&t, &done](QStandardItem *) { clearOnce(t, done); });
         EXPECT_EQ(t.tree->EditLabel(t.a11), nullptr);
         t.expectEmptyAndUsable();
         EXPECT_NE(t.tree->EditLabel(t.tree->GetRootItem()), nullptr);
         t.tree->EndEditLabel(false);
     }},
    {"BeginEditLabelSwitchesToVirtualMode",
     [](HandlerTree &t) {
         t.tree->OnBeginEditLabel.Subscribe([&t](QStandardItem *) { t.tree->SetVirtualMode(true); });
         EXPECT_EQ(t.tree->EditLabel(t.a11), nullptr);
         EXPECT_TRUE(t.tree->IsVirtualModeEnabled());
         std::wstring text = L"node";
         EXPECT_NE(t.tree->AddVirtualTreeItem(text, nullptr, any()), nullptr);
         t.window.close();
     }},
    {"EndEditLabelClearsTheTree",
     [](HandlerTree &t) {
         t.tree->OnEndEditLabel.Subscribe([&t](QStandardItem *) { t.tree->RemoveAllItems(true); });
         Edit *editor = t.tree->EditLabel(t.a11);
         ASSERT_NE(editor, nullptr);
         editor->SetText(L"edited");
         t.tree->EndEditLabel(true);
         t.expectEmptyAndUsable();
     }},
    {"CommittedTextRemovesTheEditedItem",
     [](HandlerTree &t) {
         t.tree->OnItemTextChanged.Subscribe([&t](QStandardItem *item, std::wstring) {
             if (item == t.a11)
                 t.tree->RemoveItem(item);
         });
         Edit *editor = t.tree->EditLabel(t.a11);
         ASSERT_NE(editor, nullptr);
         editor->SetText(L"edited");
         t.tree->EndEditLabel(true);
         EXPECT_EQ(t.tree->ChildCount(t.a1, false), 1);
         t.expectEditable(t.a12);
     }},
    {"SelectionChangeClearsTheTreeWhileAnItemIsRemoved",
     [](HandlerTree &t) {
         t.tree->SetCurrentItem(t.a2);
         bool done = false;
         t.tree->OnSelectionChanged.Subscribe([&t, &done](QStandardItem *) { clearOnce(t, done); });
         t.tree->RemoveItem(t.a2);
         t.expectEmptyAndUsable();
     }},
    {"SelectionChangeRemovesAnItemWhileTheTreeIsCleared",
     [](HandlerTree &t) {
         t.tree->SetCurrentItem(t.a12);
         t.tree->OnSelectionChanged.Subscribe([&t](QStandardItem *item) { t.tree->RemoveItem(item); });
         EXPECT_TRUE(t.tree->RemoveAllItems(true));
         t.expectEmptyAndUsable();
     }},
    {"SelectionChangeRemovesTheNextItemWhileAnItemIsRemoved",
     [](HandlerTree &t) {
         t.tree->SetCurrentItem(t.a11);
         t.tree->OnSelectionChanged.Subscribe([&t](QStandardItem *item) {
             if (item == t.a12)
                 t.tree->RemoveItem(item);
         });
         t.tree->RemoveItem(t.a11);
         EXPECT_EQ(t.tree->ChildCount(t.a1, false), 0);
         EXPECT_EQ(t.tree->Count(), 4);
     }},
    {"VirtualExpansionLoadsChildrenLazily",
     [](HandlerTree &t) {
         LazyTree lazy(*t.tree);
         t.tree->SetExpanded(lazy.folder(), true);
         lazy.expectLoadedAndShown(t.widget);
     }},
    {"VirtualExpansionByTheKeyboardLoadsChildrenLazily",
     [](HandlerTree &t) {
         LazyTree lazy(*t.tree);
         t.tree->SetCurrentVirtualItem(lazy.folder());
         QTest::keyClick(t.widget, Qt::Key_Right);
         lazy.expectLoadedAndShown(t.widget);
         EXPECT_EQ(t.tree->CurrentVirtualItem(), lazy.folder());
     }},
    {"VirtualExpansionByAClickLoadsChildrenLazily",
     [](HandlerTree &t) {
         LazyTree lazy(*t.tree);
         const QRect row = t.widget->visualRect(t.widget->model()->index(0, 0));
         const QPoint mark(row.left() - t.widget->indentation() / 2, row.center().y());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier, mark);
         lazy.expectLoadedAndShown(t.widget);
     }},
    {"VirtualExpansionReleasesTheControl",
     [](HandlerTree &t) {
         t.tree->SetVirtualMode(true);
         std::wstring text = L"folder";
         VirtTreeItem *folder = t.tree->AddVirtualTreeItem(text, nullptr, any());
         text = L"child";
         t.tree->AddVirtualTreeItem(text, folder, any());
         t.tree->UpdateVirtualView();
         t.tree->OnVirtualItemExpanded.Subscribe([&t](VirtTreeItem *) { t.tree.reset(); });
         t.tree->SetExpanded(folder, true);
         EXPECT_FALSE(t.tree);
         ASSERT_TRUE(t.widget);
         t.widget->collapseAll();
         t.widget->expandAll();
     }},
    {"VirtualSelectionChangeClearsTheTree",
     [](HandlerTree &t) {
         LazyTree lazy(*t.tree);
         t.tree->OnVirtualSelectionChanged.Subscribe([&t](VirtTreeItem *) { t.tree->RemoveAllVirtualItems(); });
         const QRect row = t.widget->visualRect(t.widget->model()->index(1, 0));
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
         EXPECT_EQ(t.tree->ChildCount(t.tree->RootItem()), 0);
         EXPECT_EQ(t.tree->CurrentVirtualItem(), nullptr);
     }},
    {"VirtualSelectionRebuildsTheTree",
     [](HandlerTree &t) {
         t.tree->SetVirtualMode(true);
         std::wstring text = L"n1";
         t.tree->AddVirtualTreeItem(text, nullptr, any());
         text = L"n2";
         VirtTreeItem *n2 = t.tree->AddVirtualTreeItem(text, nullptr, any());
         t.tree->UpdateVirtualView();
         std::vector<VirtTreeItem *> made;
         t.tree->OnVirtualSelectionChanged.Subscribe([&t, &made](VirtTreeItem *) {
             if (!made.empty())
                 return;
             t.tree->RemoveAllVirtualItems();
             for (const wchar_t *name : {L"m1", L"m2", L"m3"}) {
                 std::wstring label = name;
                 made.push_back(t.tree->AddVirtualTreeItem(label, nullptr, any()));
             }
             t.tree->UpdateVirtualView();
         });
         t.tree->SetCurrentVirtualItem(n2);
         ASSERT_EQ(made.size(), 3u);
         // n2 is gone; a new node at its old address is not what was made current.
         EXPECT_EQ(t.tree->CurrentVirtualItem(), nullptr);
         EXPECT_EQ(t.tree->ChildCount(t.tree->RootItem()), 3);
     }},
    {"VirtualSelectionRebuildsTheTreeAndPicksANewCurrentNode",
     [](HandlerTree &t) {
         t.tree->SetVirtualMode(true);
         std::wstring text = L"n1";
         t.tree->AddVirtualTreeItem(text, nullptr, any());
         text = L"n2";
         VirtTreeItem *n2 = t.tree->AddVirtualTreeItem(text, nullptr, any());
         t.tree->UpdateVirtualView();
         std::vector<VirtTreeItem *> made;
         t.tree->OnVirtualSelectionChanged.Subscribe([&t, &made](VirtTreeItem *) {
             if (!made.empty())
                 return;
             t.tree->RemoveAllVirtualItems();
             for (const wchar_t *name : {L"m1", L"m2", L"m3"}) {
                 std::wstring label = name;
                 made.push_back(t.tree->AddVirtualTreeItem(label, nullptr, any()));
             }
             t.tree->UpdateVirtualView();
             t.tree->SetCurrentVirtualItem(made[2]);
         });
         t.tree->SetCurrentVirtualItem(n2);
         ASSERT_EQ(made.size(), 3u);
         // The handler has the last word.
         EXPECT_EQ(t.tree->CurrentVirtualItem(), made[2]);
         EXPECT_EQ(t.widget->currentIndex().data().toString(), "m3");
     }},
    {"ClickReleasesTheControl",
     [](HandlerTree &t) {
         t.tree->OnItemClicked.Subscribe([&t](QStandardItem *) { t.tree.reset(); });
         const QRect row = t.widget->visualRect(t.b->index());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
         t.expectReleasedAndWidgetUsable();
     }},
    {"ClickInAMultiSelectionClearsTheTree",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->OnItemClicked.Subscribe([&t](QStandardItem *) { t.tree->RemoveAllItems(true); });
         t.tree->OnMultiSelectionChanging.Subscribe([&t] { t.tree->RemoveItem(t.a12); });
         const QRect row = t.widget->visualRect(t.a11->index());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
         t.expectEmptyAndUsable();
     }},
    {"ShiftClickInAMultiSelectionClearsTheTree",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCurrentItem(t.a1);
         t.tree->OnMultiSelectionChanging.Subscribe([&t] { t.tree->RemoveAllItems(true); });
         const QRect row = t.widget->visualRect(t.a2->index());
         QTest::mouseClick(t.widget->viewport(), Qt::LeftButton, Qt::ShiftModifier, row.center());
         t.expectEmptyAndUsable();
     }},
    {"ShiftArrowInAMultiSelectionClearsTheTree",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCurrentItem(t.a11);
         t.tree->OnMultiSelectionChanging.Subscribe([&t] { t.tree->RemoveAllItems(true); });
         QTest::keyClick(t.widget, Qt::Key_Down, Qt::ShiftModifier);
         t.expectEmptyAndUsable();
     }},
    {"RightButtonReleaseClearsTheTree",
     [](HandlerTree &t) {
         t.tree->OnItemMouseUp.Subscribe([&t](QStandardItem *) { t.tree->RemoveAllItems(true); });
         const QRect row = t.widget->visualRect(t.a11->index());
         QTest::mouseClick(t.widget->viewport(), Qt::RightButton, Qt::NoModifier, row.center());
         t.expectEmptyAndUsable();
     }},
    {"KeyUpReleasesTheControl",
     [](HandlerTree &t) {
         t.tree->SetMultiSelection(true);
         t.tree->SetCheckMode(TreeView::CheckModeCheckBoxes);
         t.tree->OnKeyUp.Subscribe([&t](Event::Key) { t.tree.reset(); });
         QTest::keyClick(t.widget, Qt::Key_Shift);
         t.expectReleasedAndWidgetUsable();
     }},
    {"SortingAfterTheControlIsReleased",
     [](HandlerTree &t) {
         t.tree->SetSortFunc(TreeView::SortFunc([](std::wstring x, any, std::wstring y, any) { return x > y; }));
         t.tree->SortChildren(TreeView::RootItemHandle, true);
         EXPECT_EQ(t.tree->GetRootItem(), t.b);
         t.tree.reset();
         t.expectReleasedAndWidgetUsable();
         t.widget->model()->sort(0, Qt::DescendingOrder);
     }},
    {"PaintingVirtualPicturesAfterTheControlIsReleased",
     [](HandlerTree &t) {
         t.tree->SetVirtualMode(true);
         std::wstring text = L"node";
         VirtTreeItem *node = t.tree->AddVirtualTreeItem(text, nullptr, any());
         const QByteArray png = FilledPictureBytes(16, 16, Qt::red);
         ASSERT_GE(t.tree->AddPicture(node, reinterpret_cast<const unsigned char *>(png.constData()), png.size(),
                                      ImageTypePNG, 16, BitmapTypeDefault),
                   0);
         t.tree->UpdateVirtualView();
         t.tree.reset();
         ASSERT_TRUE(t.widget);
         EXPECT_TRUE(t.widget->model()->index(0, 0).data(Qt::DecorationRole).isNull());
         t.widget->repaint();
     }},
};

void PrintTo(const Case &sequence, std::ostream *out)
{
    *out << sequence.name;
}

struct TreeViewHandlers : HandlerTree, ::testing::WithParamInterface<Case>
{
};

} // namespace

TEST_P(TreeViewHandlers, LeaveTheTreeInAStateItsInterfaceAllows)
{
    GetParam().run(*this);
}

INSTANTIATE_TEST_SUITE_P(Sequences, TreeViewHandlers, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });
