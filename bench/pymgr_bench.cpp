// The pooled small-block manager against glibc malloc: blocks of 16 to 1024 bytes freed in LIFO, FIFO
// and random order by 1, 2, 4 and 8 threads, and the 20 MB update reply parsed with the pooled manager
// as the library's default. Two shapes of traffic: batches (allocate 1000 blocks, free them all in the
// given order; emptied arenas go back to the platform every round) and a steady working set (1000 live
// blocks; each step frees one chosen by the order and allocates a new one). Prints pooled time / malloc
// time for each case (below 1: pooled is faster). The one-thread cases run first, in a process that has
// started no thread; the steady set runs once more on one thread at the end, when the mutex is taken.

#include "COBMEM_PyMgr.h"
#include "CXML_Element.h"
#include "BenchReport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <vector>

namespace {

const int kBlocks = 1000;
const char* kOrders[3] = {"lifo", "fifo", "random"};
const int kThreads[4] = {1, 2, 4, 8};

COB_MemoryMgr* g_pooled = nullptr;

struct Plan
{
    std::vector<size_t> sizes;
    std::vector<int> freeOrder;
};

// The same sizes and free order for every allocator, per thread.
const Plan& PlanFor(int order, int thread)
{
    static std::vector<Plan> plans[3];
    static std::once_flag made;
    std::call_once(made, [] {
        for (int o = 0; o < 3; ++o)
            for (int t = 0; t < 8; ++t) {
                std::mt19937 random(1000 * o + t);
                Plan plan;
                for (int i = 0; i < kBlocks; ++i)
                    plan.sizes.push_back(16 + random() % (1024 - 16 + 1));
                for (int i = 0; i < kBlocks; ++i)
                    plan.freeOrder.push_back(o == 0 ? kBlocks - 1 - i : i);
                if (o == 2)
                    std::shuffle(plan.freeOrder.begin(), plan.freeOrder.end(), random);
                plans[o].push_back(plan);
            }
    });
    return plans[order][thread];
}

struct Malloc
{
    static void* Alloc(size_t size) { return std::malloc(size); }
    static void Free(void* block) { std::free(block); }
};

struct Pooled
{
    static void* Alloc(size_t size) { return g_pooled->Alloc(size, 0); }
    static void Free(void* block) { g_pooled->Free(block, 0); }
};

template <typename Allocator>
void Blocks(benchmark::State& state)
{
    const Plan& plan = PlanFor(static_cast<int>(state.range(0)), state.thread_index());
    std::vector<void*> blocks(kBlocks);
    for (auto _ : state) {
        for (int i = 0; i < kBlocks; ++i) {
            blocks[i] = Allocator::Alloc(plan.sizes[i]);
            *static_cast<char*>(blocks[i]) = 1; // touch it, as a caller would
        }
        for (int i : plan.freeOrder)
            Allocator::Free(blocks[i]);
    }
    state.SetItemsProcessed(state.iterations() * kBlocks);
}

// 1000 live blocks; each step frees one (the newest, the oldest or a random one) and allocates another.
template <typename Allocator>
void Steady(benchmark::State& state)
{
    const int order = static_cast<int>(state.range(0));
    const Plan& plan = PlanFor(order, state.thread_index());
    std::vector<void*> live(kBlocks);
    for (int i = 0; i < kBlocks; ++i)
        live[i] = Allocator::Alloc(plan.sizes[i]);
    int oldest = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBlocks; ++i) {
            int victim = order == 0 ? kBlocks - 1 : order == 1 ? oldest : plan.freeOrder[i];
            Allocator::Free(live[victim]);
            live[victim] = Allocator::Alloc(plan.sizes[(i + oldest) % kBlocks]);
            *static_cast<char*>(live[victim]) = 1;
            if (order == 1)
                oldest = (oldest + 1) % kBlocks;
        }
    }
    for (void* block : live)
        Allocator::Free(block);
    state.SetItemsProcessed(state.iterations() * kBlocks);
}

void MallocSteady(benchmark::State& state)
{
    Steady<Malloc>(state);
}
void PooledSteady(benchmark::State& state)
{
    Steady<Pooled>(state);
}

void MallocBlocks(benchmark::State& state)
{
    Blocks<Malloc>(state);
}
void PooledBlocks(benchmark::State& state)
{
    Blocks<Pooled>(state);
}

std::string ModuleReply(size_t target)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<modules majorUpdate=\"false\">\n";
    for (int i = 0; xml.size() < target; ++i) {
        const std::string n = std::to_string(i);
        xml += "  <module name=\"Module_" + n + "\" title=\"Orbel module " + n + "\" version=\"12.1." + n +
               ".1540\" size=\"" + std::to_string(1000000 + i * 7) + "\" description=\"Fixes &amp; improvements\"" +
               " url=\"https://dl.orbel-software.example/packages/module_" + n + ".pkg?lang=en&amp;v=2\"" +
               " level=\"1\" result=\"true\" module_type=\"plugin\" parent=\"Reader\" update_mode=\"1\"" +
               " releaseDate=\"2024-05-01\" md5=\"d41d8cd98f00b204e9800998ecf8427e\"><tip>Update " + n +
               "</tip></module>\n";
    }
    return xml + "</modules>\n";
}

const std::string& Reply()
{
    static const std::string reply = ModuleReply(20 << 20);
    return reply;
}

void Parse(benchmark::State& state, COB_MemoryMgr* mgr)
{
    const std::string& doc = Reply();
    for (auto _ : state) {
        // Every block of the tree is made and freed under the same default manager.
        OBMEM_SetDefaultMgr(mgr);
        CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size());
        benchmark::DoNotOptimize(root);
        delete root;
        OBMEM_ResetSystemMgr();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

void ParseMalloc(benchmark::State& state)
{
    Parse(state, OBMEM_GetPlatformMgr());
}
void ParsePooled(benchmark::State& state)
{
    Parse(state, g_pooled);
}

} // namespace

int main(int argc, char** argv)
{
    g_pooled = OBMEM_CreatePyMgr();
    Reply();
    for (int t : kThreads) {
        benchmark::RegisterBenchmark("MallocBlocks", MallocBlocks)->DenseRange(0, 2)->Threads(t)->UseRealTime();
        benchmark::RegisterBenchmark("PooledBlocks", PooledBlocks)->DenseRange(0, 2)->Threads(t)->UseRealTime();
        benchmark::RegisterBenchmark("MallocSteady", MallocSteady)->DenseRange(0, 2)->Threads(t)->UseRealTime();
        benchmark::RegisterBenchmark("PooledSteady", PooledSteady)->DenseRange(0, 2)->Threads(t)->UseRealTime();
    }
    // Once, one thread again: by now threads have been started, so the pooled manager takes its mutex on
    // every call (while the process had a single thread, the calls the pools served alone skipped it).
    benchmark::RegisterBenchmark("MallocSteadyLocked", MallocSteady)->DenseRange(0, 2)->Threads(1)->UseRealTime();
    benchmark::RegisterBenchmark("PooledSteadyLocked", PooledSteady)->DenseRange(0, 2)->Threads(1)->UseRealTime();
    benchmark::RegisterBenchmark("ParseMalloc", ParseMalloc)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("ParsePooled", ParsePooled)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    for (const char* shape : {"Blocks", "Steady"}) {
        printf("\npooled time / malloc time, %s, %d blocks of 16-1024 bytes (below 1: pooled is faster)\n",
               shape[0] == 'B' ? "batches" : "steady working set", kBlocks);
        printf("%-8s", "threads");
        for (const char* order : kOrders)
            printf(" %8s", order);
        printf("\n");
        for (int t : kThreads) {
            printf("%-8d", t);
            for (int o = 0; o < 3; ++o) {
                const std::string suffix = "/" + std::to_string(o) + "/real_time/threads:" + std::to_string(t);
                auto ratio = reporter.Ratio(std::string("Pooled") + shape + suffix, std::string("Malloc") + shape + suffix);
                printf(" %8s", ratio ? std::to_string(*ratio).substr(0, 5).c_str() : "-");
            }
            printf("\n");
        }
    }
    printf("%-8s", "1 locked");
    for (int o = 0; o < 3; ++o) {
        const std::string suffix = "/" + std::to_string(o) + "/real_time/threads:1";
        auto ratio = reporter.Ratio("PooledSteadyLocked" + suffix, "MallocSteadyLocked" + suffix);
        printf(" %8s", ratio ? std::to_string(*ratio).substr(0, 5).c_str() : "-");
    }
    printf("   (one thread after threads were started: the mutex on every call)\n");
    if (auto ratio = reporter.Ratio("ParsePooled/iterations:5", "ParseMalloc/iterations:5"))
        printf("\n20 MB reply parsed with the pooled manager as the default: %.3f x the platform manager's time\n",
               *ratio);
    printf("target: 1 thread at most 1.0 (as fast as malloc); the contended cases share one mutex\n");
    benchmark::Shutdown();
    return 0;
}
