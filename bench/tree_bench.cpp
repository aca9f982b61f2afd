// The tree view control against a plain QStandardItemModel in a QTreeView: each
// builds a tree of 100,000 items (1,000 parents of 99 children), expands every
// parent, checks every item and walks the whole tree reading each text. The
// virtual mode does the same with its own nodes.
#include "BenchReport.h"
#include "DeferredDeletes.h"

#include "TreeView.h"
#include "VirtTreeItem.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kParents = 1000;
constexpr int kChildren = 99; // 1,000 + 99,000 = 100,000 items

std::vector<std::wstring> makeTexts()
{
    std::vector<std::wstring> texts;
    texts.reserve(kParents * (kChildren + 1));
    for (int i = 0; i < kParents * (kChildren + 1); ++i)
        texts.push_back(L"Item " + std::to_wstring(i));
    return texts;
}

const std::vector<std::wstring> &texts()
{
    static const std::vector<std::wstring> all = makeTexts();
    return all;
}

void BM_Tree_Control(benchmark::State &state)
{
    const std::vector<std::wstring> &names = texts();
    for (auto _ : state) {
        DeferredDeletes deletes;
        AUILib::TreeView tree;
        tree.SetUpdatesEnabled(false);
        tree.SetCheckMode(AUILib::TreeView::CheckModeCheckBoxes);
        std::size_t next = 0;
        for (int p = 0; p < kParents; ++p) {
            QStandardItem *parent = tree.InsertItem(names[next++], nullptr, AUILib::TreeView::LastItemHandle,
                                                    AUILib::any());
            for (int c = 0; c < kChildren; ++c)
                tree.AddSubItem(names[next++], AUILib::any(), parent);
            tree.SetExpanded(parent, true);
        }
        std::size_t length = 0;
        for (QStandardItem *parent = tree.GetRootItem(); parent; parent = tree.NextSibling(parent)) {
            tree.SetCheck(parent, true);
            length += tree.GetItemText(parent).size();
            for (QStandardItem *child = tree.GetFirstChild(parent); child; child = tree.NextSibling(child)) {
                tree.SetCheck(child, true);
                length += tree.GetItemText(child).size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}

void BM_Tree_Virtual(benchmark::State &state)
{
    const std::vector<std::wstring> &names = texts();
    for (auto _ : state) {
        DeferredDeletes deletes;
        AUILib::TreeView tree;
        tree.SetUpdatesEnabled(false);
        tree.SetVirtualMode(true);
        tree.EnableVirtualItemCheckboxes(true);
        std::size_t next = 0;
        std::vector<AUILib::VirtTreeItem *> parents;
        for (int p = 0; p < kParents; ++p) {
            std::wstring text = names[next++];
            AUILib::VirtTreeItem *parent = tree.AddVirtualTreeItem(text, nullptr, AUILib::any());
            for (int c = 0; c < kChildren; ++c) {
                text = names[next++];
                tree.AddVirtualTreeItem(text, parent, AUILib::any());
            }
            parents.push_back(parent);
        }
        tree.UpdateVirtualView();
        for (AUILib::VirtTreeItem *parent : parents)
            tree.SetExpanded(parent, true);
        std::size_t length = 0;
        AUILib::VirtTreeItem *root = tree.RootItem();
        for (int p = 0; p < tree.ChildCount(root); ++p) {
            AUILib::VirtTreeItem *parent = tree.GetChildItem(root, p);
            tree.SetCheck(parent, true, true); // the parent and its children
            length += tree.GetItemText(parent).size();
            for (int c = 0; c < tree.ChildCount(parent); ++c)
                length += tree.GetItemText(tree.GetChildItem(parent, c)).size() + tree.GetCheck(parent);
        }
        benchmark::DoNotOptimize(length);
    }
}

void BM_Tree_Qt(benchmark::State &state)
{
    const std::vector<std::wstring> &names = texts();
    for (auto _ : state) {
        QTreeView view;
        view.setUpdatesEnabled(false);
        auto *model = new QStandardItemModel(&view);
        view.setModel(model);
        std::size_t next = 0;
        for (int p = 0; p < kParents; ++p) {
            auto *parent = new QStandardItem(QString::fromStdWString(names[next++]));
            parent->setCheckable(true);
            model->appendRow(parent);
            for (int c = 0; c < kChildren; ++c) {
                auto *child = new QStandardItem(QString::fromStdWString(names[next++]));
                child->setCheckable(true);
                parent->appendRow(child);
            }
            view.setExpanded(parent->index(), true);
        }
        std::size_t length = 0;
        for (int p = 0; p < model->rowCount(); ++p) {
            QStandardItem *parent = model->item(p, 0);
            parent->setCheckState(Qt::Checked);
            length += parent->text().toStdWString().size();
            for (int c = 0; c < parent->rowCount(); ++c) {
                QStandardItem *child = parent->child(c, 0);
                child->setCheckState(Qt::Checked);
                length += child->text().toStdWString().size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}

} // namespace

BENCHMARK(BM_Tree_Control)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tree_Virtual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tree_Qt)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printf("\nTree of 100,000 items against QStandardItemModel + QTreeView (build, expand, check, walk; "
           "ours / Qt, target: at most 1.5)\n");
    for (const char *kind : {"Control", "Virtual"}) {
        const auto ratio = reporter.Ratio(std::string("BM_Tree_") + kind, "BM_Tree_Qt");
        if (ratio)
            printf("  %-8s %6.2f\n", kind, *ratio);
    }
    benchmark::Shutdown();
    return 0;
}
