// Parsing speed and memory of the XML parser against pugixml, libexpat and QDomDocument, on generated
// update-service replies of 1 MB and 20 MB and on a real document of the test corpus. Prints the time
// ratios and the parser's peak memory as a multiple of the document's size.

#include "COB_MemoryMgr.h"
#include "CXML_Element.h"

#include <QDomDocument>
#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string ModuleReply(size_t target)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<modules majorUpdate=\"false\" rollback=\"false\">\n";
    for (int i = 0; xml.size() < target; ++i) {
        const std::string n = std::to_string(i);
        xml += "  <module name=\"Module_" + n + "\" title=\"Orbel module " + n + "\" version=\"12.1." + n +
               ".1540\" size=\"" + std::to_string(1000000 + i * 7) +
               "\" description=\"Fixes &amp; improvements for module " + n +
               "\" url=\"https://dl.orbel-software.example/packages/module_" + n + ".pkg?lang=en&amp;v=2\"" +
               " regkey=\"\" level=\"1\" result=\"true\" module_type=\"plugin\" plugin=\"true\" isnew=\"0\"" +
               " iscommon=\"false\" parent=\"Reader\" update_mode=\"1\" isInternalService=\"0\"" +
               " CorvidPDFStandard=\"0\" forcedUpgrade=\"false\" SilentInstall=\"1\" releaseDate=\"2024-05-01\"" +
               " autoCheck=\"true\" pushUpdateTip=\"0\" md5=\"d41d8cd98f00b204e9800998ecf8427e\"" +
               " upgTipBtn=\"Update\" upgTipTitle=\"Neue Version verf\xC3\xBC" "gbar\"" +
               " upgTipContent=\"Gr\xC3\xB6\xC3\x9F" "ere \xC3\x84nderungen\" is_push=\"0\"/>\n";
    }
    xml += "</modules>\n";
    return xml;
}

std::string CorpusFile()
{
    std::ifstream in(std::string(ORBEL_XML_CORPUS_DIR) + "/xkb-base.extras.xml", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::string& Document(int which)
{
    static const std::string docs[3] = {ModuleReply(1 << 20), ModuleReply(20 << 20), CorpusFile()};
    return docs[which];
}

const char* kDocNames[3] = {"reply_1MB", "reply_20MB", "corpus_xkb"};

void Ours(benchmark::State& state)
{
    const std::string& doc = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size());
        benchmark::DoNotOptimize(root);
        delete root;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

void Pugixml(benchmark::State& state)
{
    const std::string& doc = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document tree;
        pugi::xml_parse_result result = tree.load_buffer(doc.data(), doc.size());
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

// libexpat builds no tree: its handlers only count, so it shows the cost of reading alone.
void Expat(benchmark::State& state)
{
    const std::string& doc = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        long counted = 0;
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, &counted);
        XML_SetElementHandler(
            parser,
            [](void* data, const XML_Char*, const XML_Char** atts) {
                for (int i = 0; atts[i]; i += 2)
                    ++*static_cast<long*>(data);
            },
            nullptr);
        XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), 1);
        XML_ParserFree(parser);
        benchmark::DoNotOptimize(counted);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

void QtDom(benchmark::State& state)
{
    const std::string& doc = Document(static_cast<int>(state.range(0)));
    const QByteArray bytes = QByteArray::fromRawData(doc.data(), static_cast<int>(doc.size()));
    for (auto _ : state) {
        QDomDocument tree;
        bool ok = tree.setContent(bytes);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}

BENCHMARK(Ours)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(Pugixml)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(Expat)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(QtDom)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Keeps the time per iteration of every run for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

// An allocator that follows the bytes the parse holds, to find its peak.
struct PeakAllocator
{
    _IOB_Allocator table;
    size_t live = 0;
    size_t peak = 0;

    void Add(void* block)
    {
        if (!block)
            return;
        live += malloc_usable_size(block);
        if (live > peak)
            peak = live;
    }
    PeakAllocator()
    {
        table.AllocDebug = [](_IOB_Allocator* a, size_t size, const char*, int) { return a->Alloc(a, size); };
        table.Alloc = [](_IOB_Allocator* a, size_t size) -> void* {
            void* block = malloc(size ? size : 1);
            reinterpret_cast<PeakAllocator*>(a)->Add(block);
            return block;
        };
        table.ReallocDebug = [](_IOB_Allocator* a, void* block, size_t size, const char*, int) {
            return a->Realloc(a, block, size);
        };
        table.Realloc = [](_IOB_Allocator* a, void* block, size_t size) -> void* {
            PeakAllocator* self = reinterpret_cast<PeakAllocator*>(a);
            const size_t old = block ? malloc_usable_size(block) : 0;
            void* grown = realloc(block, size ? size : 1);
            if (grown) {
                self->live -= old;
                self->Add(grown);
            }
            return grown;
        };
        table.Free = [](_IOB_Allocator* a, void* block) {
            if (block)
                reinterpret_cast<PeakAllocator*>(a)->live -= malloc_usable_size(block);
            free(block);
        };
    }
};

double PeakRatio(const std::string& doc)
{
    PeakAllocator counting;
    CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size(), false, nullptr, &counting.table);
    root->~CXML_Element();
    counting.table.Free(&counting.table, root);
    return static_cast<double>(counting.peak) / static_cast<double>(doc.size());
}

// Bytes still held by the heap after building a tree, as a multiple of the document's size.
template <class Build>
double HeldRatio(const std::string& doc, Build build)
{
    const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
    auto tree = build();
    const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
    benchmark::DoNotOptimize(tree);
    return static_cast<double>(after - before) / static_cast<double>(doc.size());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (int i = 0; i < 3; ++i)
        Document(i); // generated before timing
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    printf("\n%-12s %10s %12s %12s %12s %14s %14s\n", "document", "size", "ours ms", "Qt/ours", "ours/pugi",
           "ours/expat", "peak/size");
    for (int i = 0; i < 3; ++i) {
        const std::string arg = "/" + std::to_string(i);
        auto at = [&](const char* name) {
            auto found = reporter.times.find(name + arg);
            return found == reporter.times.end() ? 0.0 : found->second;
        };
        const double ours = at("Ours"), pugi = at("Pugixml"), expat = at("Expat"), qt = at("QtDom");
        if (ours <= 0)
            continue;
        printf("%-12s %9.2fM %12.3f %11.2fx %11.2fx %13.2fx %13.2fx\n", kDocNames[i],
               Document(i).size() / 1048576.0, ours, qt > 0 ? qt / ours : 0.0, pugi > 0 ? ours / pugi : 0.0,
               expat > 0 ? ours / expat : 0.0, PeakRatio(Document(i)));
    }
    const std::string& reply = Document(1);
    printf("\nheap held by the finished tree, 20 MB reply, x document size: ours %.2f, pugixml %.2f, "
           "QDomDocument %.2f\n",
           HeldRatio(reply,
                     [&] {
                         return std::unique_ptr<CXML_Element>(CXML_Element::Parse(reply.data(), reply.size()));
                     }),
           HeldRatio(reply,
                     [&] {
                         auto tree = std::make_unique<pugi::xml_document>();
                         tree->load_buffer(reply.data(), reply.size());
                         return tree;
                     }),
           HeldRatio(reply, [&] {
               auto tree = std::make_unique<QDomDocument>();
               tree->setContent(QByteArray::fromRawData(reply.data(), static_cast<int>(reply.size())));
               return tree;
           }));
    printf("targets: Qt/ours >= 2, ours/pugi <= 4, peak/size <= 10\n");
    benchmark::Shutdown();
    return 0;
}
