// Format against the C library's snprintf on the same formats, in one run; prints the ratios.
// Run: cmake --build build --target format_bench && build/bench/format_bench
#include "BenchReport.h"
#include "COB_ByteString.h"
#include "COB_WideString.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

const char* const kText = "module";

void BM_Snprintf_Mixed(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        char buffer[256];
        int n = snprintf(buffer, sizeof buffer, "%s-%d: %.2f (0x%08x) %5s|", kText, i, i * 0.5, i, "ok");
        benchmark::DoNotOptimize(buffer);
        benchmark::DoNotOptimize(n);
        ++i;
    }
}

void BM_Format_Mixed(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        COB_ByteString s;
        s.Format("%s-%d: %.2f (0x%08x) %5s|", kText, i, i * 0.5, i, "ok");
        benchmark::DoNotOptimize(s.c_str());
        ++i;
    }
}

void BM_Snprintf_Integer(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        char buffer[32];
        int n = snprintf(buffer, sizeof buffer, "%d", i++);
        benchmark::DoNotOptimize(buffer);
        benchmark::DoNotOptimize(n);
    }
}

void BM_Format_Integer(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        COB_ByteString s;
        s.Format("%d", i++);
        benchmark::DoNotOptimize(s.c_str());
    }
}

void BM_Snprintf_Long(benchmark::State& state)
{
    std::string big(2000, 'x');
    for (auto _ : state) {
        char buffer[4096];
        int n = snprintf(buffer, sizeof buffer, "<%s>%d", big.c_str(), 7);
        benchmark::DoNotOptimize(buffer);
        benchmark::DoNotOptimize(n);
    }
}

void BM_Format_Long(benchmark::State& state)
{
    std::string big(2000, 'x');
    for (auto _ : state) {
        COB_ByteString s;
        s.Format("<%s>%d", big.c_str(), 7);
        benchmark::DoNotOptimize(s.c_str());
    }
}

void BM_Swprintf_Mixed(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        wchar_t buffer[256];
        int n = swprintf(buffer, 256, L"%ls-%d: %.2f (0x%08x)|", L"module", i, i * 0.5, i);
        benchmark::DoNotOptimize(buffer);
        benchmark::DoNotOptimize(n);
        ++i;
    }
}

void BM_WideFormat_Mixed(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        COB_WideString s;
        s.Format(L"%ls-%d: %.2f (0x%08x)|", L"module", i, i * 0.5, i);
        benchmark::DoNotOptimize(s.c_str());
        ++i;
    }
}

BENCHMARK(BM_Snprintf_Mixed);
BENCHMARK(BM_Format_Mixed);
BENCHMARK(BM_Snprintf_Integer);
BENCHMARK(BM_Format_Integer);
BENCHMARK(BM_Snprintf_Long);
BENCHMARK(BM_Format_Long);
BENCHMARK(BM_Swprintf_Mixed);
BENCHMARK(BM_WideFormat_Mixed);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const char* pairs[][3] = {
        {"mixed conversions", "BM_Format_Mixed", "BM_Snprintf_Mixed"},
        {"one integer", "BM_Format_Integer", "BM_Snprintf_Integer"},
        {"2 KB of text", "BM_Format_Long", "BM_Snprintf_Long"},
        {"wide, mixed", "BM_WideFormat_Mixed", "BM_Swprintf_Mixed"},
    };
    printf("\nFormat / snprintf (target: at most 2.0)\n");
    for (auto& p : pairs) {
        if (auto ratio = reporter.Ratio(p[1], p[2]))
            printf("  %-18s %.2f\n", p[0], *ratio);
    }
    benchmark::Shutdown();
    return 0;
}
