// The library's chained hash maps against std::unordered_map, with real heap pointers and real
// strings as keys, from 1k to 1M entries: building the map, then looking every key up.
#include "BenchReport.h"

#include "COB_MapByteStringToPtr.h"
#include "COB_MapPtrToPtr.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const int kSizes[] = {1000, 16000, 100000, 1000000};

// Heap blocks of mixed small sizes, visited in a shuffled order as a cache of objects would be.
const std::vector<void*>& Pointers(int count)
{
    static std::unordered_map<int, std::vector<void*>> cache;
    static std::vector<std::unique_ptr<char[]>> blocks;
    std::vector<void*>& keys = cache[count];
    if (keys.empty()) {
        std::mt19937 random(count);
        for (int i = 0; i < count; ++i) {
            blocks.emplace_back(new char[16 + random() % 48]);
            keys.push_back(blocks.back().get());
        }
        std::shuffle(keys.begin(), keys.end(), random);
    }
    return keys;
}

// Path-like keys such as an unpacked update package holds, 20 to 60 bytes long.
const std::vector<std::string>& Strings(int count)
{
    static std::unordered_map<int, std::vector<std::string>> cache;
    std::vector<std::string>& keys = cache[count];
    if (keys.empty()) {
        std::mt19937 random(count);
        static const char* const kDirs[] = {"Contents/Resources/", "Contents/MacOS/", "SilentInstall/JavaScripts/",
                                            "updater/uncompress/"};
        for (int i = 0; i < count; ++i)
            keys.push_back(std::string(kDirs[random() % 4]) + "module_" + std::to_string(random() % 1000) + "/file_" +
                           std::to_string(i) + ".dat");
    }
    return keys;
}

void BM_PtrMap_Ours(benchmark::State& state)
{
    const std::vector<void*>& keys = Pointers(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        COB_MapPtrToPtr map(64);
        for (void* key : keys)
            map[key] = key;
        size_t found = 0;
        for (void* key : keys)
            found += map.GetValueAt(key) == key;
        benchmark::DoNotOptimize(found);
    }
}

void BM_PtrMap_Std(benchmark::State& state)
{
    const std::vector<void*>& keys = Pointers(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::unordered_map<void*, void*> map;
        for (void* key : keys)
            map[key] = key;
        size_t found = 0;
        for (void* key : keys) {
            auto it = map.find(key);
            found += it != map.end() && it->second == key;
        }
        benchmark::DoNotOptimize(found);
    }
}

void BM_StringMap_Ours(benchmark::State& state)
{
    const std::vector<std::string>& keys = Strings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        COB_MapByteStringToPtr map(64);
        for (const std::string& key : keys)
            map[COB_ByteStringC(key.data(), static_cast<int>(key.size()))] = const_cast<std::string*>(&key);
        size_t found = 0;
        void* value = nullptr;
        for (const std::string& key : keys)
            found += map.Lookup(COB_ByteStringC(key.data(), static_cast<int>(key.size())), value);
        benchmark::DoNotOptimize(found);
    }
}

void BM_StringMap_Std(benchmark::State& state)
{
    const std::vector<std::string>& keys = Strings(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::unordered_map<std::string, void*> map;
        for (const std::string& key : keys)
            map[key] = const_cast<std::string*>(&key);
        size_t found = 0;
        for (const std::string& key : keys)
            found += map.find(key) != map.end();
        benchmark::DoNotOptimize(found);
    }
}

void Sizes(benchmark::internal::Benchmark* b)
{
    for (int n : kSizes)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_PtrMap_Ours)->Apply(Sizes);
BENCHMARK(BM_PtrMap_Std)->Apply(Sizes);
BENCHMARK(BM_StringMap_Ours)->Apply(Sizes);
BENCHMARK(BM_StringMap_Std)->Apply(Sizes);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printf("\nMaps against std::unordered_map (build + look up every key; ours / std, target: at most 2)\n");
    for (const char* kind : {"PtrMap", "StringMap"})
        for (int n : kSizes) {
            const std::string suffix = "/" + std::to_string(n);
            const auto ratio = reporter.Ratio(std::string("BM_") + kind + "_Ours" + suffix,
                                              std::string("BM_") + kind + "_Std" + suffix);
            if (ratio)
                printf("  %-10s %8d entries   %6.2f\n", kind, n, *ratio);
        }
    benchmark::Shutdown();
    return 0;
}
