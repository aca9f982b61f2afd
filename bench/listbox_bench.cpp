// The toolkit's list box against a plain QTableWidget doing the same, 100,000 rows of one column:
// filling it row by row and sorting it (the headline ratio), each of those alone (the sort in the
// other order each iteration), showing it for the first time, and scrolling through it once shown
// with every visible row painted. Widgets run on the offscreen platform.
#include "BenchReport.h"
#include "DeferredDeletes.h"

#include "ListBox.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const int kRows = 100000;

const std::vector<std::wstring> &Texts()
{
    static std::vector<std::wstring> texts;
    if (texts.empty()) {
        std::mt19937 random(42);
        for (int i = 0; i < kRows; ++i)
            texts.push_back(L"Document " + std::to_wstring(random() % 1000000) + L".pdf");
    }
    return texts;
}

void FillListBox(AUILib::ListBox &list)
{
    for (const std::wstring &text : Texts())
        list.AddItem(text);
}

void FillTable(QTableWidget &table)
{
    table.setColumnCount(1);
    for (const std::wstring &text : Texts()) {
        const int row = table.rowCount();
        table.insertRow(row);
        table.setItem(row, 0, new QTableWidgetItem(QString::fromStdWString(text)));
    }
}

// Steps through the whole list a page at a time, painting what shows.
void ScrollThrough(QAbstractItemView &view)
{
    QScrollBar *bar = view.verticalScrollBar();
    const int steps = 200;
    for (int i = 0; i <= steps; ++i) {
        bar->setValue(bar->maximum() / steps * i);
        benchmark::DoNotOptimize(view.viewport()->grab());
    }
}

void BM_Fill_ListBox(benchmark::State &state)
{
    for (auto _ : state) {
        DeferredDeletes deletes;
        AUILib::ListBox list;
        FillListBox(list);
        benchmark::DoNotOptimize(list.Count());
    }
}

void BM_Fill_QTableWidget(benchmark::State &state)
{
    for (auto _ : state) {
        QTableWidget table;
        FillTable(table);
        benchmark::DoNotOptimize(table.rowCount());
    }
}

void BM_FillSort_ListBox(benchmark::State &state)
{
    for (auto _ : state) {
        DeferredDeletes deletes;
        AUILib::ListBox list;
        FillListBox(list);
        list.SortColumn(0, AUILib::ListBox::Ascending);
        benchmark::DoNotOptimize(list.Count());
    }
}

void BM_FillSort_QTableWidget(benchmark::State &state)
{
    for (auto _ : state) {
        QTableWidget table;
        FillTable(table);
        table.setSortingEnabled(true);
        table.sortByColumn(0, Qt::AscendingOrder);
        benchmark::DoNotOptimize(table.rowCount());
    }
}

void BM_Sort_ListBox(benchmark::State &state)
{
    AUILib::ListBox list;
    FillListBox(list);
    bool ascending = true;
    for (auto _ : state) {
        list.SortColumn(0, ascending ? AUILib::ListBox::Ascending : AUILib::ListBox::Descending);
        ascending = !ascending;
    }
}

void BM_Sort_QTableWidget(benchmark::State &state)
{
    QTableWidget table;
    FillTable(table);
    table.setSortingEnabled(true);
    bool ascending = true;
    for (auto _ : state) {
        table.sortByColumn(0, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
    }
}

// Filled, shown and painted once: the list measures the height of every row
// for its first layout (its rows fit their contents), the table does not.
void BM_FirstShow_ListBox(benchmark::State &state)
{
    for (auto _ : state) {
        DeferredDeletes deletes;
        AUILib::ListBox list;
        FillListBox(list);
        QWidget *widget = list.GetPlatformHandle();
        widget->resize(400, 600);
        widget->show();
        benchmark::DoNotOptimize(widget->grab());
    }
}

void BM_FirstShow_QTableWidget(benchmark::State &state)
{
    for (auto _ : state) {
        QTableWidget table;
        FillTable(table);
        table.resize(400, 600);
        table.show();
        benchmark::DoNotOptimize(table.grab());
    }
}

void BM_Scroll_ListBox(benchmark::State &state)
{
    AUILib::ListBox list;
    FillListBox(list);
    QWidget *widget = list.GetPlatformHandle();
    widget->resize(400, 600);
    widget->show();
    ScrollThrough(*static_cast<QAbstractItemView *>(widget)); // the first layout is FirstShow's
    for (auto _ : state)
        ScrollThrough(*static_cast<QAbstractItemView *>(widget));
}

void BM_Scroll_QTableWidget(benchmark::State &state)
{
    QTableWidget table;
    FillTable(table);
    table.resize(400, 600);
    table.show();
    ScrollThrough(table);
    for (auto _ : state)
        ScrollThrough(table);
}

} // namespace

BENCHMARK(BM_Fill_ListBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill_QTableWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillSort_ListBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillSort_QTableWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_ListBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_QTableWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstShow_ListBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstShow_QTableWidget)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scroll_ListBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scroll_QTableWidget)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Texts();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printf("\nList box against QTableWidget, %d rows (list box / table, aim: at most 1.5)\n", kRows);
    for (const char *step : {"FillSort", "Fill", "Sort", "FirstShow", "Scroll"}) {
        const auto ratio =
            reporter.Ratio(std::string("BM_") + step + "_ListBox", std::string("BM_") + step + "_QTableWidget");
        if (ratio)
            printf("  %-8s %6.2f\n", step, *ratio);
    }
    benchmark::Shutdown();
    return 0;
}
