// The library's byte and wide strings against std::string and std::wstring, in one run: copying a
// 10 KB string, appending 1 MB one character at a time, finding a substring in 1 MB and replacing
// every occurrence of a word. Prints the ratios at the end.
// Run: cmake --build build --target strings_bench && build/bench/strings_bench
#include "BenchReport.h"
#include "COB_ByteString.h"
#include "COB_WideString.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

const int kCopySize = 10 * 1024;
const int kBigSize = 1024 * 1024;

// Lower-case letters from a fixed pseudo-random sequence, with "cat" every 97 characters and a
// needle only at the very end: searches run over the whole text.
template <typename Str, typename Ch>
Str MakeText(int size)
{
    Str text;
    text.reserve(static_cast<size_t>(size));
    uint32_t seed = 12345;
    while (static_cast<int>(text.size()) < size) {
        seed = seed * 1103515245u + 12345u;
        if (text.size() % 97 == 0) {
            text += static_cast<Ch>('c');
            text += static_cast<Ch>('a');
            text += static_cast<Ch>('t');
        } else {
            text += static_cast<Ch>('a' + (seed >> 16) % 26);
        }
    }
    text.resize(static_cast<size_t>(size) - 16);
    for (const char* p = "needle-in-a-hay!"; *p; ++p)
        text += static_cast<Ch>(*p);
    return text;
}

const std::string& NarrowText()
{
    static const std::string text = MakeText<std::string, char>(kBigSize);
    return text;
}

const std::wstring& WideText()
{
    static const std::wstring text = MakeText<std::wstring, wchar_t>(kBigSize);
    return text;
}

// ---- copy of a 10 KB string -------------------------------------------------------------------

void BM_Copy_StdString(benchmark::State& state)
{
    const std::string source(kCopySize, 'x');
    for (auto _ : state) {
        std::string copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_Copy_ByteString(benchmark::State& state)
{
    const COB_ByteString source(std::string(kCopySize, 'x').c_str());
    for (auto _ : state) {
        COB_ByteString copy(source);
        benchmark::DoNotOptimize(copy.c_str());
    }
}

void BM_Copy_StdWString(benchmark::State& state)
{
    const std::wstring source(kCopySize, L'x');
    for (auto _ : state) {
        std::wstring copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}

void BM_Copy_WideString(benchmark::State& state)
{
    const COB_WideString source(std::wstring(kCopySize, L'x').c_str());
    for (auto _ : state) {
        COB_WideString copy(source);
        benchmark::DoNotOptimize(copy.c_str());
    }
}

// ---- append 1 MB one character at a time ------------------------------------------------------

void BM_Append_StdString(benchmark::State& state)
{
    for (auto _ : state) {
        std::string s;
        for (int i = 0; i < kBigSize; ++i)
            s += static_cast<char>('a' + (i & 15));
        benchmark::DoNotOptimize(s.data());
    }
}

void BM_Append_ByteString(benchmark::State& state)
{
    for (auto _ : state) {
        COB_ByteString s;
        for (int i = 0; i < kBigSize; ++i)
            s += static_cast<char>('a' + (i & 15));
        benchmark::DoNotOptimize(s.c_str());
    }
}

void BM_Append_StdWString(benchmark::State& state)
{
    for (auto _ : state) {
        std::wstring s;
        for (int i = 0; i < kBigSize; ++i)
            s += static_cast<wchar_t>(L'a' + (i & 15));
        benchmark::DoNotOptimize(s.data());
    }
}

void BM_Append_WideString(benchmark::State& state)
{
    for (auto _ : state) {
        COB_WideString s;
        for (int i = 0; i < kBigSize; ++i)
            s += static_cast<wchar_t>(L'a' + (i & 15));
        benchmark::DoNotOptimize(s.c_str());
    }
}

// ---- find a substring in 1 MB -----------------------------------------------------------------

void BM_Find_StdString(benchmark::State& state)
{
    const std::string& text = NarrowText();
    for (auto _ : state)
        benchmark::DoNotOptimize(text.find("needle-in-a-hay!"));
}

void BM_Find_ByteString(benchmark::State& state)
{
    const COB_ByteString text(NarrowText().c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(text.Find("needle-in-a-hay!"));
}

void BM_Find_StdWString(benchmark::State& state)
{
    const std::wstring& text = WideText();
    for (auto _ : state)
        benchmark::DoNotOptimize(text.find(L"needle-in-a-hay!"));
}

void BM_Find_WideString(benchmark::State& state)
{
    const COB_WideString text(WideText().c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(text.Find(L"needle-in-a-hay!"));
}

// ---- replace every "cat" by "tiger" in 1 MB ---------------------------------------------------

// The usual std::string way: one pass building a new string.
template <typename Str>
Str StdReplace(const Str& text, const Str& from, const Str& to)
{
    Str out;
    out.reserve(text.size() + text.size() / 32);
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != Str::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out += to;
    }
    out.append(text, pos, Str::npos);
    return out;
}

void BM_Replace_StdString(benchmark::State& state)
{
    const std::string& text = NarrowText();
    const std::string from("cat"), to("tiger");
    for (auto _ : state) {
        std::string out = StdReplace(text, from, to);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_Replace_ByteString(benchmark::State& state)
{
    const COB_ByteString text(NarrowText().c_str());
    for (auto _ : state) {
        COB_ByteString s(text);
        benchmark::DoNotOptimize(s.Replace("cat", "tiger"));
    }
}

void BM_Replace_StdWString(benchmark::State& state)
{
    const std::wstring& text = WideText();
    const std::wstring from(L"cat"), to(L"tiger");
    for (auto _ : state) {
        std::wstring out = StdReplace(text, from, to);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_Replace_WideString(benchmark::State& state)
{
    const COB_WideString text(WideText().c_str());
    for (auto _ : state) {
        COB_WideString s(text);
        benchmark::DoNotOptimize(s.Replace(L"cat", L"tiger"));
    }
}

BENCHMARK(BM_Copy_StdString);
BENCHMARK(BM_Copy_ByteString);
BENCHMARK(BM_Copy_StdWString);
BENCHMARK(BM_Copy_WideString);
BENCHMARK(BM_Append_StdString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Append_ByteString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Append_StdWString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Append_WideString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Find_StdString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Find_ByteString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Find_StdWString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Find_WideString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Replace_StdString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Replace_ByteString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Replace_StdWString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Replace_WideString)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    struct Pair {
        const char* what;
        const char* ours;
        const char* theirs;
        const char* target;
    } pairs[] = {
        {"copy 10 KB (std / ours)", "BM_Copy_ByteString", "BM_Copy_StdString", "at least 10"},
        {"wide copy 10 KB (std / ours)", "BM_Copy_WideString", "BM_Copy_StdWString", "at least 10"},
        {"append 1 MB (ours / std)", "BM_Append_ByteString", "BM_Append_StdString", "at most 1.5"},
        {"wide append 1 MB (ours / std)", "BM_Append_WideString", "BM_Append_StdWString", "at most 1.5"},
        {"find in 1 MB (ours / std)", "BM_Find_ByteString", "BM_Find_StdString", "at most 1.5"},
        {"wide find in 1 MB (ours / std)", "BM_Find_WideString", "BM_Find_StdWString", "at most 1.5"},
        {"replace in 1 MB (ours / std)", "BM_Replace_ByteString", "BM_Replace_StdString", "at most 1.5"},
        {"wide replace in 1 MB (ours / std)", "BM_Replace_WideString", "BM_Replace_StdWString", "at most 1.5"},
    };
    printf("\nStrings against the standard library\n");
    for (const Pair& p : pairs) {
        // Copies report how many times faster ours is; the rest how many times slower.
        const bool speedup = std::string(p.what).find("copy") != std::string::npos;
        const auto ratio = speedup ? reporter.Ratio(p.theirs, p.ours) : reporter.Ratio(p.ours, p.theirs);
        if (ratio)
            printf("  %-36s %8.2f   (target: %s)\n", p.what, *ratio, p.target);
    }
    benchmark::Shutdown();
    return 0;
}
