// Building a whole tree with the XML parser, on the default path and through a COB_GrowOnlyPool,
// against pugixml and a tree built from libexpat's events (QDomDocument on the small documents).
// Documents: generated update-service replies of 1 MB and 20 MB, a text-heavy 20 MB document and
// the corpus of real documents the tests ship (parsed one after another).
//
// Warm: Google Benchmark iterations in one process, the heap reused. Cold: each parser parses each
// document once in a fresh process (this program started again with --cold), which also gives the
// peak resident memory of the parse over the document's size.
//
//   build/bench/xml_bench [--cold-runs=N] [benchmark flags]    (N fresh processes per cell, default 3)

#include "COB_GrowOnlyPool.h"
#include "CXML_Element.h"

#include <QDomDocument>
#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

// Release notes: long paragraphs with a few inline elements, references and multi-byte characters.
std::string TextDocument(size_t target)
{
    static const char* kWords[] = {"the", "reader", "now", "opens", "large", "documents", "faster", "and",
                                   "keeps", "annotations", "when", "pages", "are", "moved", "between", "files",
                                   "Gr\xC3\xB6\xC3\x9F" "e", "&amp;", "caf\xC3\xA9", "&#x2014;"};
    std::string xml = "<?xml version=\"1.0\"?>\n<notes lang=\"en\">\n";
    unsigned seed = 1;
    while (xml.size() < target) {
        xml += "<p id=\"" + std::to_string(xml.size()) + "\">";
        for (int w = 0; w < 300; ++w) {
            seed = seed * 1103515245u + 12345u;
            const unsigned r = seed >> 16;
            if (r % 97 == 0)
                xml += "<b>important</b> ";
            xml += kWords[r % 20];
            xml += r % 13 == 0 ? ".\n" : " ";
        }
        xml += "</p>\n";
    }
    xml += "</notes>\n";
    return xml;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> docs;
    const std::string dir = ORBEL_XML_CORPUS_DIR;
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name[0] != '.' && name != "README.md")
                names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        docs.push_back(bytes.str());
    }
    return docs;
}

const char* kDocNames[] = {"reply_1MB", "reply_20MB", "text_20MB", "corpus"};
const int kDocs = 4;

// Each document as one or more buffers parsed one after another.
std::vector<std::string> MakeDocument(int which)
{
    switch (which) {
    case 0:
        return {ModuleReply(1 << 20)};
    case 1:
        return {ModuleReply(20 << 20)};
    case 2:
        return {TextDocument(20 << 20)};
    default:
        return CorpusFiles();
    }
}

const std::vector<std::string>& Document(int which)
{
    static std::map<int, std::vector<std::string>> made;
    auto found = made.find(which);
    if (found == made.end())
        found = made.emplace(which, MakeDocument(which)).first;
    return found->second;
}

size_t DocumentSize(int which)
{
    size_t size = 0;
    for (const std::string& part : Document(which))
        size += part.size();
    return size;
}

// ---- the parsers: each builds the whole tree of one buffer and destroys it ---------------------

void ParseDefault(const std::string& doc)
{
    CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size());
    benchmark::DoNotOptimize(root);
    delete root;
}

void ParsePool(const std::string& doc)
{
    COB_GrowOnlyPool pool(nullptr, 1 << 20);
    CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size(), false, nullptr, pool);
    benchmark::DoNotOptimize(root);
    // The pool frees the whole tree at once; the destructor is run as the owner must.
    root->~CXML_Element();
}

void ParsePugixml(const std::string& doc)
{
    pugi::xml_document tree;
    pugi::xml_parse_result result = tree.load_buffer(doc.data(), doc.size());
    benchmark::DoNotOptimize(result);
}

// A plain tree from libexpat's events: names, attributes and text as owned strings.
struct ExpatNode
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> attrs;
    std::string text;
    std::vector<std::unique_ptr<ExpatNode>> children;
    ExpatNode* parent = nullptr;
};

void ParseExpat(const std::string& doc)
{
    struct Builder
    {
        ExpatNode root;
        ExpatNode* current = &root;
    } builder;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &builder);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** atts) {
            Builder* b = static_cast<Builder*>(data);
            auto node = std::make_unique<ExpatNode>();
            node->name = name;
            for (int i = 0; atts[i]; i += 2)
                node->attrs.emplace_back(atts[i], atts[i + 1]);
            node->parent = b->current;
            ExpatNode* raw = node.get();
            b->current->children.push_back(std::move(node));
            b->current = raw;
        },
        [](void* data, const XML_Char*) {
            Builder* b = static_cast<Builder*>(data);
            b->current = b->current->parent;
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        static_cast<Builder*>(data)->current->text.append(text, static_cast<size_t>(length));
    });
    XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), 1);
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(builder.root.children.size());
}

void ParseQtDom(const std::string& doc)
{
    QDomDocument tree;
    bool ok = tree.setContent(QByteArray::fromRawData(doc.data(), static_cast<int>(doc.size())));
    benchmark::DoNotOptimize(ok);
}

struct Parser
{
    const char* name;
    void (*parse)(const std::string&);
    bool large; // also run on the 20 MB documents
};

const Parser kParsers[] = {
    {"Ours", ParseDefault, true},       {"OursPool", ParsePool, true}, {"Pugixml", ParsePugixml, true},
    {"Expat", ParseExpat, true},        {"QtDom", ParseQtDom, false},
};

void Run(benchmark::State& state, const Parser* parser, int which)
{
    const std::vector<std::string>& doc = Document(which);
    for (auto _ : state) {
        for (const std::string& part : doc)
            parser->parse(part);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DocumentSize(which)));
}

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

// ---- cold runs ---------------------------------------------------------------------------------

long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0)
            return atol(line.c_str() + length + 1);
    }
    return -1;
}

// In a fresh process: one parse of the document, printed as milliseconds and peak resident bytes
// added by the parse.
int ColdChild(const char* parserName, int which)
{
    const Parser* parser = nullptr;
    for (const Parser& p : kParsers) {
        if (strcmp(p.name, parserName) == 0)
            parser = &p;
    }
    if (!parser)
        return 2;
    const std::vector<std::string>& doc = Document(which);
    // The peak so far (making the document) is forgotten: only the parse's own peak counts.
    if (FILE* clear = fopen("/proc/self/clear_refs", "w")) {
        fputs("5", clear);
        fclose(clear);
    }
    const long before = StatusKiB("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& part : doc)
        parser->parse(part);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const long peak = StatusKiB("VmHWM:");
    printf("%.3f %ld\n", ms, (peak - before) * 1024);
    return 0;
}

struct Cold
{
    double ms = 0;
    double peak = 0; // bytes
};

Cold RunCold(const char* self, const char* parser, int which, int runs)
{
    std::vector<double> times, peaks;
    for (int i = 0; i < runs; ++i) {
        const std::string command =
            std::string("'") + self + "' --cold " + parser + " " + std::to_string(which) + " 2>/dev/null";
        FILE* child = popen(command.c_str(), "r");
        if (!child)
            continue;
        double ms = 0, peak = 0;
        if (fscanf(child, "%lf %lf", &ms, &peak) == 2) {
            times.push_back(ms);
            peaks.push_back(peak);
        }
        pclose(child);
    }
    Cold cold;
    if (times.empty())
        return cold;
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    cold.ms = times[times.size() / 2];
    cold.peak = peaks[peaks.size() / 2];
    return cold;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--cold") == 0)
        return ColdChild(argv[2], atoi(argv[3]));
    int coldRuns = 3;
    for (int i = 1; i < argc; ++i) {
        if (strncmp(argv[i], "--cold-runs=", 12) == 0) {
            coldRuns = atoi(argv[i] + 12);
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            --i;
        }
    }

    for (const Parser& parser : kParsers) {
        for (int which = 0; which < kDocs; ++which) {
            if (!parser.large && (which == 1 || which == 2))
                continue;
            benchmark::RegisterBenchmark((std::string(parser.name) + "/" + kDocNames[which]).c_str(), Run, &parser,
                                         which)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    for (int which = 0; which < kDocs; ++which)
        Document(which); // made before timing
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto warm = [&](const char* parser, int which) {
        auto found = reporter.times.find(std::string(parser) + "/" + kDocNames[which]);
        return found == reporter.times.end() ? 0.0 : found->second;
    };
    auto ratio = [](double a, double b) { return a > 0 && b > 0 ? a / b : 0.0; };

    printf("\nwarm (heap reused), ms per document and ratios to pugixml (lower is faster)\n");
    printf("%-11s %8s %9s %9s %9s %9s %9s %9s\n", "document", "MB", "ours ms", "ours/pug", "pool/pug", "expat/pug",
           "ours/expat", "Qt/ours");
    for (int which = 0; which < kDocs; ++which) {
        const double ours = warm("Ours", which), pool = warm("OursPool", which), pugi = warm("Pugixml", which),
                     expat = warm("Expat", which), qt = warm("QtDom", which);
        printf("%-11s %8.2f %9.3f %9.2f %9.2f %9.2f %9.2f %9.2f\n", kDocNames[which], DocumentSize(which) / 1048576.0,
               ours, ratio(ours, pugi), ratio(pool, pugi), ratio(expat, pugi), ratio(ours, expat), ratio(qt, ours));
    }

    if (coldRuns > 0) {
        printf("\ncold (fresh process, median of %d), ms per document, ratios to pugixml, and the peak resident\n"
               "memory the parse adds, over the document's size\n",
               coldRuns);
        printf("%-11s %9s %9s %9s %9s %10s %10s %10s %10s\n", "document", "ours ms", "ours/pug", "pool/pug",
               "expat/pug", "peak ours", "peak pool", "peak pug", "peak expat");
        for (int which = 0; which < kDocs; ++which) {
            const double size = static_cast<double>(DocumentSize(which));
            const Cold ours = RunCold(argv[0], "Ours", which, coldRuns);
            const Cold pool = RunCold(argv[0], "OursPool", which, coldRuns);
            const Cold pugi = RunCold(argv[0], "Pugixml", which, coldRuns);
            const Cold expat = RunCold(argv[0], "Expat", which, coldRuns);
            printf("%-11s %9.3f %9.2f %9.2f %9.2f %10.2f %10.2f %10.2f %10.2f\n", kDocNames[which], ours.ms,
                   ratio(ours.ms, pugi.ms), ratio(pool.ms, pugi.ms), ratio(expat.ms, pugi.ms), ours.peak / size,
                   pool.peak / size, pugi.peak / size, expat.peak / size);
        }
    }
    printf("\ntargets (warm): ours/pug <= 5 and pool/pug <= 2.5 on reply_1MB and corpus; peak ours <= 4\n");
    benchmark::Shutdown();
    return 0;
}
