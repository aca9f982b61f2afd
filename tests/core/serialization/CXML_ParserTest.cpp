#include "COB_GrowOnlyPool.h"
#include "CXML_DataBufAcc.h"
#include "CXML_DataStmAcc.h"
#include "CXML_Element.h"
#include "CXML_Parser.h"
#include "OB_FileStream.h"
#include "SandboxFileTest.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <string>
#include <vector>

using xmltest::BlockReader;
using xmltest::Dump;
using xmltest::ParseAndDump;

namespace {

struct Case
{
    const char* what;
    std::string xml;
    std::string tree;
};

void RunTable(const std::vector<Case>& cases, bool save = false, bool ignoreRefs = false, bool keepCtrl = false)
{
    for (const Case& c : cases)
        EXPECT_EQ(ParseAndDump(c.xml, save, ignoreRefs, keepCtrl), c.tree) << c.what;
}

std::string Nested(int levels)
{
    std::string xml;
    for (int i = 0; i < levels; ++i)
        xml += "<e>";
    for (int i = 0; i < levels; ++i)
        xml += "</e>";
    return xml;
}

// Fixtures shaped like the documents the update client reads.
const char kServiceReply[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<modules majorUpdate=\"false\" rollback=\"TRUE\" scheduleTime=\"2\">\r\n"
    "  <module name=\"Reader\" title=\"Orbel PDF Reader\" version=\"12.1.3.1540\" size=\"231457280\"\r\n"
    "          description=\"Fixes &amp; improvements&#x2026;\" url=\"https://dl.example/r.pkg?a=1&amp;b=2\"\r\n"
    "          regkey=\"\" level=\"1\" result=\"true\" module_type=\"app\" plugin=\"false\" isnew=\"0\"\r\n"
    "          iscommon=\"false\" parent=\"\" update_mode=\"1\" isInternalService=\"0\" CorvidPDFStandard=\"0\"\r\n"
    "          forcedUpgrade=\"false\" SilentInstall=\"1\" releaseDate=\"2024-05-01\" autoCheck=\"true\"\r\n"
    "          pushUpdateTip=\"0\" md5=\"d41d8cd98f00b204e9800998ecf8427e\" upgTipBtn=\"Update\"\r\n"
    "          upgTipTitle=\"Neue Version\" upgTipContent=\"Größere Änderungen &lt;b&gt;\" is_push=\"0\"/>\r\n"
    "  <module name=\"OCR_Pack\" version=\"3.0\" result=\"TRUE\" module_type=\"plugin\" version=\"3.1\">\r\n"
    "    <ignored child=\"1\"/>\r\n"
    "  </module>\r\n"
    "  <module name=\"updater\" module_type=\"updater\" version=\"2.0.0.1\" result=\"false\"/>\r\n"
    "</modules>\r\n";

const char kUpdaterInfo[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<updater_info>\n"
    "\t<component name=\"Reader\" version=\"12.1.2.0\">\n"
    "\t\t<file path=\"Contents/MacOS/Reader\"/>\n"
    "\t\t<file path=\"Contents/Resources/a b.dat\" size=\"3\"/>\n"
    "\t</component>\n"
    "\t<component name=\"OCR_Pack\" version=\"2.9\"/>\n"
    "</updater_info>\n";

const char kSetup[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n"
    "<setup>\n"
    "  <!-- installers in the order they run -->\n"
    "  <file name=\"Reader.pkg\" parameter=\"-silent\" iscommon=\"True\"/>\n"
    "  <note text=\"not an installer\"/>\n"
    "  <file name=\"Fonts.pkg\"/>\n"
    "</setup>\n";

} // namespace

TEST(CXML_Parser, StartOfInput)
{
    RunTable({
        {"empty", "", "NULL"},
        {"spaces only", "   \t\r\n", "NULL"},
        {"text first", "x<a/>", "NULL"},
        {"NUL first", std::string("\0<a/>", 5), "NULL"},
        {"ASCII white space, vertical tab and form feed included", " \t\v\f\r\n<a/>", "a"},
        {"byte-order mark", "\xEF\xBB\xBF<a/>", "a"},
        {"byte-order mark then space is refused", "\xEF\xBB\xBF <a/>", "NULL"},
        {"prolog skipped", "<?xml version='1.0'?>\n<!-- c -->\n<?pi x?>\n<root/>", "root"},
        {"UTF-16LE", std::string("\xFF\xFE<\0a\0/\0>\0", 10), "NULL"},
        {"UTF-16BE", std::string("\xFE\xFF\0<\0a\0/\0>", 10), "NULL"},
        {"root is an end tag", "</a>", "NULL"},
        {"root has an empty name", "< a/>", "NULL"},
        {"stray byte after the root's attributes", "<a b='1' ?>", "NULL"},
    });
    EXPECT_EQ(CXML_Element::Parse(static_cast<const void*>(nullptr), 10), nullptr);
    EXPECT_EQ(CXML_Element::Parse("<a/>", 0), nullptr);
    EXPECT_EQ(CXML_Element::Parse(static_cast<IOB_FileRead*>(nullptr)), nullptr);
    EXPECT_EQ(CXML_Element::Parse(static_cast<IOB_BufferRead*>(nullptr)), nullptr);
}

// A document type declaration before the root, with or without an internal subset, is passed over.
TEST(CXML_Parser, DoctypeBeforeRootIsSkipped)
{
    RunTable({
        {"public identifier", "<!DOCTYPE busconfig PUBLIC \"-//x//DTD y//EN\" \"http://x/y.dtd\">\n<busconfig/>",
         "busconfig"},
        {"internal subset with markup, quotes and brackets",
         "<!DOCTYPE r [\n<!ELEMENT r (#PCDATA)>\n<!ENTITY gt2 \"]>\">\n<!-- it's ] > -->\n<?p ]> ?>\n"
         "<!ATTLIST r a CDATA '>'>\n]>\n<r a='1'>t</r>",
         "r[a=1]{\"t\"}"},
        {"doctype after a comment", "<!-- c --><!DOCTYPE r><r/>", "r"},
        {"unclosed doctype", "<!DOCTYPE r [ <r/>", "NULL"},
    });
}

TEST(CXML_Parser, TextRuns)
{
    RunTable({
        {"trimmed at the right, skipped at the left", "<a>  x y  <b/>  z \t</a>", "a{\"x y\",b,\"z\"}"},
        {"text only", "<a> t </a>", "a{\"t\"}"},
        {"white space only gives no child", "<a> \n </a>", "a"},
        {"three children", "<a>one<b/>two</a>", "a{\"one\",b,\"two\"}"},
        {"instruction inside text keeps the run", "<a>one<?p x?> two</a>", "a{\"onetwo\"}"},
        {"text before a comment is kept", "<a>one <!-- c --> two<b/></a>", "a{\"one two\",b}"},
        {"text before a declaration is kept", "<a>one<!X y>two</a>", "a{\"onetwo\"}"},
        {"a comment cuts a multi-byte sequence", "<a>x\xC3<!-- -->\xA9y</a>", "a{\"xy\"}"},
        // A comment ends at the first "-->", however many dashes lead up to it.
        {"a comment ending in an odd number of dashes", "<a><!-- c ---><b/><c>t</c></a>", "a{b,c{\"t\"}}"},
        {"dashes only", "<a><!-----><b/><!------><c/></a>", "a{b,c}"},
        {"before the root", "<!-- c ---><a><b/></a>", "a{b}"},
        {"CDATA is its own child", "<a>x <![CDATA[a<b]]> y</a>", "a{\"x\",C\"a<b\",\"y\"}"},
        {"empty CDATA adds nothing", "<a><![CDATA[]]></a>", "a"},
        {"CDATA keeps markup and references", "<a><![CDATA[&amp;<x>]]]></a>", "a{C\"&amp;<x>]\"}"},
        {"unclosed CDATA keeps its text", "<a><![CDATA[abc", "a{C\"abc\"}"},
        {"multi-byte UTF-8", "<a>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</a>", "a{\"\\xE9;\\x20AC;\\x1F600;\"}"},
        {"overlong form replaced", "<a>\xC0\xAF</a>", "a{\"\\xFFFD;\"}"},
        {"stray continuation byte dropped", "<a>x\x80y</a>", "a{\"xy\"}"},
    });
}

TEST(CXML_Parser, References)
{
    RunTable({
        {"predefined names build no element", "<a>&lt;b&gt;</a>", "a{\"<b>\"}"},
        {"all five names", "<a>&lt;&gt;&amp;&apos;&quot;</a>", "a{\"<>&'\\x22;\"}"},
        {"decimal and hexadecimal", "<a>&#65;&#x41;&#x4a;&#x4A;</a>", "a{\"AAJJ\"}"},
        {"upper-case X is not a reference", "<a>&#X41;</a>", "a{\"&#X41;\"}"},
        {"bare ampersand stays and swallows nothing", "<a>x & y<b/>;</a>", "a{\"x & y\",b,\";\"}"},
        {"unknown name stays as written", "<a>&nbsp;&x:y;</a>", "a{\"&nbsp;&x:y;\"}"},
        // Short names that begin, extend or differ in case from a known one.
        {"unknown short names stay as written", "<a>&am;&g;&quo;&ampx;&lt1;&GT;&Amp;</a>",
         "a{\"&am;&g;&quo;&ampx;&lt1;&GT;&Amp;\"}"},
        {"reference without digits", "<a>&#;&#x;</a>", "a{\"&#;&#x;\"}"},
        {"reference cut by markup", "<a>&am<b/></a>", "a{\"&am\",b}"},
        {"reference at the end of input", "<a>x&amp", "a{\"x&amp\"}"},
        {"in attribute values", "<a v='&lt;&#65;&bad;&' w=\"a&amp;b\"/>", "a[v=<A&bad;&,w=a&b]"},
        {"ampersand in an attribute does not eat the quote", "<a v='x & y' w='1'/>", "a[v=x & y,w=1]"},
        {"a reference in text cuts a multi-byte sequence", "<a>\xC3&amp;\xA9</a>", "a{\"&\"}"},
        {"a reference in a value does not", "<a v='\xC3&amp;\xA9'/>", "a[v=&\\xE9;]"},
    });
    // Ignoring references in text keeps them byte for byte; attribute values still resolve them.
    EXPECT_EQ(ParseAndDump("<a v='&lt;'>&lt;b&gt;&#65;</a>", false, true), "a[v=<]{\"&lt;b&gt;&#65;\"}");
}

// A reference never puts a character into the tree that raw UTF-8 could not: 0, surrogates, values past
// U+10FFFF and values too large for any width become U+FFFD, as the decoder makes of the same values.
// Leading zeros are only padding, however many there are.
TEST(CXML_Parser, ReferencesStayValidUnicode)
{
    const std::string zeros(100, '0');
    RunTable({
        {"zero", "<a>&#0;&#x0;&#000;x</a>", "a{\"\\xFFFD;\\xFFFD;\\xFFFD;x\"}"},
        {"zero in an attribute value", "<a v='&#0;x' w='&#x00;'/>", "a[v=\\xFFFD;x,w=\\xFFFD;]"},
        {"surrogates", "<a>&#xD800;&#xDFFF;&#55296;</a>", "a{\"\\xFFFD;\\xFFFD;\\xFFFD;\"}"},
        {"past the last code point", "<a>&#x110000;&#1114112;</a>", "a{\"\\xFFFD;\\xFFFD;\"}"},
        {"too large for 32 bits", "<a>&#xFFFFFFFFF;&#4294967361;&#x100000041;</a>",
         "a{\"\\xFFFD;\\xFFFD;\\xFFFD;\"}"},
        {"boundaries that stay", "<a>&#xD7FF;&#xE000;&#x10FFFF;&#1114111;&#xFFFD;</a>",
         "a{\"\\xD7FF;\\xE000;\\x10FFFF;\\x10FFFF;\\xFFFD;\"}"},
        {"in attribute values", "<a v='&#xD800;&#x110000;&#x10FFFF;'/>", "a[v=\\xFFFD;\\xFFFD;\\x10FFFF;]"},
        {"leading zeros, decimal", "<a>&#" + zeros.substr(0, 63) + "65;&#" + zeros + "65;</a>", "a{\"AA\"}"},
        {"leading zeros, hexadecimal", "<a>&#x" + zeros.substr(0, 62) + "41;&#x" + zeros + "41;</a>", "a{\"AA\"}"},
        {"leading zeros before a value out of range", "<a v='&#x" + zeros + "110000;'/>", "a[v=\\xFFFD;]"},
        {"a long reference that is not well formed stays as written", "<a>&#x" + zeros + "4g;</a>",
         "a{\"&#x" + zeros + "4g;\"}"},
        {"a long unknown name stays as written", "<a>&" + std::string(200, 'n') + ";</a>",
         "a{\"&" + std::string(200, 'n') + ";\"}"},
    });
}

TEST(CXML_Parser, NamesAndAttributes)
{
    RunTable({
        {"prefixes", "<ns:item p:x='1' y=\"2\"/>", "ns:item[p:x=1,y=2]"},
        {"two colons: the middle part is the prefix", "<a:b:c d:e:f='1'/>", "b:c[e:f=1]"},
        {"quotes of the other kind and markup are value bytes", "<a v='\"<>\n'/>", "a[v=\\x22;<>\\xA;]"},
        {"spaces around the equals sign", "<a  v = 'x'  />", "a[v=x]"},
        {"unquoted value is empty, the next word is not stored", "<a x=y>t</a>", "a[x=]{\"t\"}"},
        {"repeated name: the later value wins", "<a x='1' y='2' x='3'/>", "a[x=3,y=2]"},
        {"a bare name replaces a prefixed one", "<a p:x='1' x='2'/>", "a[p:x=2]"},
        {"a prefixed name after a bare one is new", "<a x='1' p:x='2'/>", "a[x=1,p:x=2]"},
        {"name must start with a name byte", "<a -x='1'/>", "NULL"},
    });
}

TEST(CXML_Parser, RecoveryFromBadInput)
{
    RunTable({
        {"end tags are not matched", "<a>t</b>tail", "a{\"t\"}"},
        {"input ends inside a start tag", "<a><b x='1'", "a{b[x=1]}"},
        {"input ends inside a value", "<a x='abc", "a[x=abc]"},
        {"unclosed elements keep what was read", "<a><b>text", "a{b{\"text\"}}"},
        {"malformed child is dropped with the byte it stopped at", "<a><b x='1' ?>t</a>", "a{\">t\"}"},
        {"child with an empty name", "<a>x< y</a>", "a{\"x\",\" y\"}"},
        {"bytes after the root are never read", "<a/><b/>garbage<", "a"},
    });
}

TEST(CXML_Parser, Options)
{
    // bSaveSpaceChars keeps the ends of runs; the white space after a child is still skipped.
    RunTable({{"saved spaces", "<a> x <b/> y </a>", "a{\" x \",b,\"y \"}"}}, true);
    // bKeepCtrlWhiteSpace: tabs and line breaks skipped between markup lead the next run, untrimmed.
    RunTable({{"kept control white space", "<a>\n\t<b/>\r\n x <c/>\n</a>",
               "a{\"\\xA;\\x9;\",b,\"\\xD;\\xA;x \",c}"}},
             false, false, true);
}

TEST(CXML_Parser, NestingLimit)
{
    CXML_Element* root = CXML_Element::Parse(Nested(512).data(), Nested(512).size());
    ASSERT_NE(root, nullptr);
    int depth = 1;
    for (CXML_Element* e = root; e->CountChildren() > 0; e = e->GetElement(0)) {
        ASSERT_EQ(e->GetChildType(0), CXML_Element::Element);
        ++depth;
    }
    EXPECT_EQ(depth, 512);
    delete root;

    // One level more: the deepest start tag is refused and its bytes, without "<", become text.
    std::string deeper = Nested(513);
    root = CXML_Element::Parse(deeper.data(), deeper.size());
    ASSERT_NE(root, nullptr);
    CXML_Element* e = root;
    for (int i = 1; i < 512; ++i)
        e = e->GetElement(0);
    ASSERT_EQ(e->CountChildren(), 1u);
    EXPECT_EQ(e->GetChildType(0), CXML_Element::Content);
    EXPECT_EQ(std::wstring(e->GetContent(0).c_str()), L"e>");
    delete root;
}

TEST(CXML_Parser, ParsedSize)
{
    struct
    {
        std::string xml;
        int64_t size;
    } cases[] = {
        {"\xEF\xBB\xBF<?xml version='1.0'?><!-- c --><r a='1'><b/></r>  <x/>", 51},
        {"<r/>\n", 4},
        {"<r><b>", 6}, // unclosed: everything was read
    };
    for (const auto& c : cases) {
        int64_t parsed = -1;
        CXML_Element* root = CXML_Element::Parse(c.xml.data(), c.xml.size(), false, &parsed);
        EXPECT_NE(root, nullptr) << c.xml;
        EXPECT_EQ(parsed, c.size) << c.xml;
        delete root;
    }
    int64_t untouched = -7;
    EXPECT_EQ(CXML_Element::Parse("  x", 3, false, &untouched), nullptr);
    EXPECT_EQ(untouched, -7);
}

// A named-lookup table keeps storing linear: 100,000 attributes, with repeats resolved as for few.
TEST(CXML_Parser, ManyAttributesParseInLinearTime)
{
    const int count = 100000;
    std::string xml = "<a";
    for (int i = 0; i < count; ++i)
        xml += " n" + std::to_string(i) + "='" + std::to_string(i) + "'";
    xml += " p:n5='prefixed' n7='seven' q:n9='q' n9='nine' n5='five'/>";
    // The thread's own CPU time: a loaded machine stretches the wall clock, not this.
    const auto cpuSeconds = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    };
    const double start = cpuSeconds();
    CXML_Element* root = CXML_Element::Parse(xml.data(), xml.size());
    const double seconds = cpuSeconds() - start;
    ASSERT_NE(root, nullptr);
    EXPECT_LT(seconds, 10.0); // about 0.1 s (0.6 s with the sanitizers); a quadratic store takes minutes
    EXPECT_EQ(root->CountAttrs(), count + 2);
    EXPECT_EQ(std::wstring(root->GetAttrValue("n5").c_str()), L"five");
    EXPECT_EQ(std::wstring(root->GetAttrValue("p:n5").c_str()), L"prefixed");
    EXPECT_EQ(std::wstring(root->GetAttrValue("n7").c_str()), L"seven");
    EXPECT_EQ(std::wstring(root->GetAttrValue("n9").c_str()), L"nine");
    EXPECT_EQ(std::wstring(root->GetAttrValue("q:n9").c_str()), L"q");
    EXPECT_EQ(std::wstring(root->GetAttrValue("n99999").c_str()), L"99999");
    delete root;
}

// However many attributes a tag has, repeats are resolved as storing them one by one would:
// a bare name replaces the first item of that name whatever its prefix, a prefixed one only its own.
// Long lists are the ones that need the parser's name index: half their names are new or come back
// much later ("n" and "p:n" names), the rest are a few names repeated all along.
TEST(CXML_Parser, RepeatedNamesAsStoredOneByOne)
{
    const char* few[] = {"x", "p:x", "y", "q:x", "p:y", "xx", "q:xx"};
    unsigned seed = 7;
    for (int count : {12, 70, 400}) {
        for (int pool : {2, 4, 7}) {
            std::string xml = "<a";
            CXML_Element expected("a");
            for (int i = 0; i < count; ++i) {
                seed = seed * 1103515245u + 12345u;
                const unsigned r = seed >> 16;
                const std::string name = r % 2 ? std::string(r % 4 == 1 ? "p:" : "") + "n" + std::to_string(i % 97)
                                               : few[(r >> 2) % pool];
                const std::string value = std::to_string(i);
                xml += " " + name + "='" + value + "'";
                expected.SetAttrValue(COB_ByteStringC(name.c_str()), COB_WideStringC(COB_WideString::FromUTF8(value.c_str())));
            }
            xml += "/>";
            EXPECT_EQ(ParseAndDump(xml), Dump(&expected)) << count << " attributes, " << pool << " repeated names";
        }
    }
}

TEST(CXML_Parser, ServiceReplyAsTheClientReadsIt)
{
    CXML_Element* root = CXML_Element::Parse(kServiceReply, sizeof kServiceReply - 1, false, nullptr, nullptr,
                                             false, false);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::wstring(root->GetAttrValue("rollback").c_str()), L"TRUE");
    std::vector<CXML_Element*> modules;
    for (unsigned i = 0; i < root->CountChildren(); ++i) {
        if (CXML_Element* child = root->GetElement(i))
            modules.push_back(child);
    }
    ASSERT_EQ(modules.size(), 3u);
    CXML_Element* reader = modules[0];
    EXPECT_EQ(reader->CountAttrs(), 27);
    EXPECT_EQ(std::wstring(reader->GetAttrValue("description").c_str()), L"Fixes & improvements\x2026");
    EXPECT_EQ(std::wstring(reader->GetAttrValue("url").c_str()), L"https://dl.example/r.pkg?a=1&b=2");
    EXPECT_EQ(std::wstring(reader->GetAttrValue("upgTipContent").c_str()), L"Gr\xF6\xDF" L"ere \xC4nderungen <b>");
    EXPECT_EQ(std::wstring(reader->GetAttrValue("regkey").c_str()), L"");
    EXPECT_TRUE(reader->HasAttr("regkey"));
    // A repeated attribute keeps its first place with the later value.
    COB_ByteString space, name;
    COB_WideString value;
    modules[1]->GetAttrByIndex(1, space, name, value);
    EXPECT_STREQ(name.c_str(), "version");
    EXPECT_EQ(std::wstring(value.c_str()), L"3.1");
    EXPECT_EQ(modules[1]->CountAttrs(), 4);
    EXPECT_EQ(Dump(modules[2]), "module[name=updater,module_type=updater,version=2.0.0.1,result=false]");
    delete root;
}

TEST(CXML_Parser, InstalledComponentsAndSetupList)
{
    CXML_Element* info = CXML_Element::Parse(kUpdaterInfo, sizeof kUpdaterInfo - 1);
    EXPECT_EQ(Dump(info), "updater_info{component[name=Reader,version=12.1.2.0]{file[path=Contents/MacOS/Reader],"
                          "file[path=Contents/Resources/a b.dat,size=3]},component[name=OCR_Pack,version=2.9]}");
    delete info;

    CXML_Element* setup = CXML_Element::Parse(kSetup, sizeof kSetup - 1);
    ASSERT_NE(setup, nullptr);
    std::vector<std::string> installers;
    for (unsigned i = 0; i < setup->CountChildren(); ++i) {
        CXML_Element* child = setup->GetElement(i);
        if (child && child->GetTagName() == "file")
            installers.push_back(COB_ByteString::FromUnicode(child->GetAttrValue("name")).c_str());
    }
    EXPECT_EQ(installers, (std::vector<std::string>{"Reader.pkg", "Fonts.pkg"}));
    EXPECT_EQ(std::wstring(setup->GetElement(0)->GetAttrValue("iscommon").c_str()), L"True");
    delete setup;
}

// The memory form, a caller's reader with tiny or large blocks and the file form build the same tree
// and report the same parsed size; a name, reference, value or CDATA section may cross any boundary.
// The file forms read real files, which live in the test's sandbox.
class CXML_ParserFiles : public SandboxFileTest
{
};

TEST_F(CXML_ParserFiles, AllFormsAgreeAcrossBlockBoundaries)
{
    std::string big = "<big>";
    for (int i = 0; i < 2000; ++i)
        big += "<m name=\"module" + std::to_string(i) + "\" v='&#x" + std::to_string(41 + i % 9) +
               ";'>t<![CDATA[c" + std::to_string(i) + "]]></m>";
    big += "</big>";
    // Enough repeated names, bare and prefixed, for the parser's name index to take over.
    std::string repeated = "<r";
    const char* names[] = {"x", "p:x", "q:y", "y", "xy", "p:xy"};
    for (int i = 0; i < 150; ++i)
        repeated += std::string(" ") + names[i % 6] + (i % 3 ? std::to_string(i) : "") + "='&#" +
                    std::to_string(65 + i % 26) + ";\xC3\xA9" + std::to_string(i) + "'";
    repeated += "/>";
    const std::vector<std::string> documents = {
        kServiceReply,
        kUpdaterInfo,
        kSetup,
        " \n\xEF\xBB\xBF<a>x<![CDATA[a]]b]]]>y&amp;z<!-- - -- --></a>",
        "<!DOCTYPE r [<!ENTITY e ']>'>]><r/>",
        "<a>one<?p?>two<b:c d:e='&quot;'/>tail",
        "<r>\n\t<x/>\r\n y<z/>\n</r>",
        big,
        repeated,
    };
    const std::string pathText = Path("xmlforms.xml");
    const char* path = pathText.c_str();
    for (const std::string& doc : documents) {
        for (int options = 0; options < 8; ++options) {
            const bool save = options & 1, ignoreRefs = options & 2, keepCtrl = options & 4;
            int64_t memorySize = -1;
            CXML_Element* memory =
                CXML_Element::Parse(doc.data(), doc.size(), save, &memorySize, nullptr, ignoreRefs, keepCtrl);
            const std::string expected = Dump(memory);
            delete memory;
            for (size_t block : {size_t(1), size_t(2), size_t(7), size_t(32768)}) {
                BlockReader reader(doc, block);
                int64_t size = -1;
                CXML_Element* root = CXML_Element::Parse(&reader, save, &size, nullptr, ignoreRefs, keepCtrl);
                EXPECT_EQ(Dump(root), expected) << "block " << block << " options " << options << "\n" << doc;
                EXPECT_EQ(size, memorySize) << "block " << block;
                delete root;
            }
            FILE* out = fopen(path, "wb");
            ASSERT_NE(out, nullptr);
            fwrite(doc.data(), 1, doc.size(), out);
            fclose(out);
            IOB_FileRead* file = OB_CreateFileRead(path);
            ASSERT_NE(file, nullptr);
            int64_t size = -1;
            CXML_Element* root = CXML_Element::Parse(file, save, &size, nullptr, ignoreRefs, keepCtrl);
            EXPECT_EQ(Dump(root), expected) << "file, options " << options;
            EXPECT_EQ(size, memorySize);
            delete root;
            file->Release();
        }
    }
}

TEST_F(CXML_ParserFiles, FileReaderHandsOutBlocksOf32K)
{
    std::string doc(100000, 'x');
    Write("xmlblocks.xml", doc);
    IOB_FileRead* file = OB_CreateFileRead(Path("xmlblocks.xml").c_str());
    ASSERT_NE(file, nullptr);
    CXML_DataStmAcc* acc = CXML_DataStmAcc::Create(file, nullptr);
    ASSERT_NE(acc, nullptr);
    std::vector<size_t> sizes;
    std::vector<int64_t> offsets;
    while (acc->ReadNextBlock(false)) {
        sizes.push_back(acc->GetBlockSize());
        offsets.push_back(acc->GetBlockOffset());
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{32768, 32768, 32768, 100000 - 3 * 32768}));
    EXPECT_EQ(offsets, (std::vector<int64_t>{0, 32768, 65536, 98304}));
    EXPECT_TRUE(acc->IsEOF());
    EXPECT_EQ(acc->GetPosition(), 100000);
    EXPECT_TRUE(acc->ReadNextBlock(true));
    EXPECT_EQ(acc->GetBlockOffset(), 0);
    EXPECT_EQ(acc->SetPosition(0), -1);
    acc->Release();
    file->Release();
}

TEST(CXML_Parser, EverythingGoesThroughTheGivenAllocator)
{
    xmltest::CountingAllocator counting;
    int64_t parsed = 0;
    CXML_Element* root = CXML_Element::Parse(kServiceReply, sizeof kServiceReply - 1, false, &parsed,
                                             counting.get());
    ASSERT_NE(root, nullptr);
    EXPECT_GT(counting.live, 50);
    EXPECT_EQ(root->GetAllocator(), counting.get());
    EXPECT_EQ(root->GetElement(1)->GetAllocator(), counting.get());
    xmltest::DestroyTree(root, counting.get());
    EXPECT_EQ(counting.live, 0);

    // Allocation failing at every point in turn: no crash and nothing left behind.
    for (long allowed = 0; allowed < 400; allowed += 3) {
        xmltest::CountingAllocator failing;
        failing.failAfter = allowed;
        CXML_Element* partial = CXML_Element::Parse(kServiceReply, sizeof kServiceReply - 1, false, nullptr,
                                                    failing.get());
        xmltest::DestroyTree(partial, failing.get());
        EXPECT_EQ(failing.live, 0) << allowed;
    }
}

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> FilesIn(const std::string& dir)
{
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d)) {
            if (entry->d_name[0] != '.' && strcmp(entry->d_name, "README.md") != 0)
                files.push_back(dir + "/" + entry->d_name);
        }
        closedir(d);
    }
    return files;
}

} // namespace

// A grow-only pool refuses to resize a block and never frees one. Through such a pool the parser
// must build exactly the tree the default manager gives: long text, long values, many attributes
// and children, CDATA sections (read from a small-block reader too, so that they cross blocks).
TEST(CXML_Parser, GrowOnlyPoolBuildsTheSameTree)
{
    struct Document
    {
        std::string name;
        std::string xml;
        int options; // -1: every combination
    };
    std::vector<Document> documents;
    for (const std::string& path : FilesIn(ORBEL_TEST_DATA_DIR "/xml-corpus"))
        documents.push_back({path, ReadFile(path), -1});
    // A fuzz seed's first byte holds its options.
    for (const std::string& path : FilesIn(ORBEL_TEST_DATA_DIR "/../fuzz/corpus/xml")) {
        const std::string seed = ReadFile(path);
        if (!seed.empty())
            documents.push_back({path, seed.substr(1), static_cast<uint8_t>(seed[0]) & 7});
    }
    ASSERT_GE(documents.size(), 10u);
    std::string big = "<big>";
    // Values, text and CDATA long enough to pass the largest blocks the parser carves itself.
    for (int i = 0; i < 120; ++i)
        big += "<m name='module" + std::to_string(i) + "' v='" + std::string(i * 6, 'v') + "&#x" +
               std::to_string(41 + i % 9) + ";\xC3\xA9'>" + std::string(i * 5, 't') + "&amp;<![CDATA[" +
               std::string(i * 7, 'c') + "]]>\n\t<e/></m>";
    big += "</big>";
    documents.push_back({"service reply", kServiceReply, -1});
    documents.push_back({"many children and values", big, -1});
    documents.push_back({"CDATA only", "<a><![CDATA[x]]><![CDATA[" + std::string(5000, 'y') + "]]></a>", -1});

    for (const Document& doc : documents) {
        for (int options = 0; options < 8; ++options) {
            if (doc.options >= 0 && options != doc.options)
                continue;
            const bool save = options & 1, ignoreRefs = options & 2, keepCtrl = options & 4;
            int64_t expectedSize = -1;
            CXML_Element* plain =
                CXML_Element::Parse(doc.xml.data(), doc.xml.size(), save, &expectedSize, nullptr, ignoreRefs, keepCtrl);
            const std::string expected = Dump(plain);
            delete plain;
            for (uint64_t chunk : {uint64_t(1) << 10, uint64_t(1) << 16}) {
                COB_GrowOnlyPool pool(nullptr, chunk);
                int64_t size = -1;
                CXML_Element* pooled =
                    CXML_Element::Parse(doc.xml.data(), doc.xml.size(), save, &size, pool, ignoreRefs, keepCtrl);
                EXPECT_EQ(Dump(pooled), expected) << doc.name << ", options " << options << ", chunk " << chunk;
                EXPECT_EQ(size, expectedSize) << doc.name;
                xmltest::DestroyTree(pooled, pool);

                BlockReader reader(doc.xml, 7);
                CXML_Element* read = CXML_Element::Parse(&reader, save, &size, pool, ignoreRefs, keepCtrl);
                EXPECT_EQ(Dump(read), expected) << doc.name << ", 7-byte blocks, options " << options;
                xmltest::DestroyTree(read, pool);
            }
        }
    }
}

TEST(CXML_Parser, ByteClassesAndStartCheck)
{
    EXPECT_TRUE(g_OBCRT_XML_IsWhiteSpace(0) && g_OBCRT_XML_IsWhiteSpace(' ') && g_OBCRT_XML_IsWhiteSpace(0xFF));
    EXPECT_FALSE(g_OBCRT_XML_IsWhiteSpace('a') || g_OBCRT_XML_IsWhiteSpace(0xFD));
    EXPECT_TRUE(g_OBCRT_XML_IsNameIntro(':') && !g_OBCRT_XML_IsNameChar(':'));
    EXPECT_TRUE(g_OBCRT_XML_IsNameChar('-') && !g_OBCRT_XML_IsNameIntro('-'));
    EXPECT_TRUE(g_OBCRT_XML_IsNameIntro(0x80) && g_OBCRT_XML_IsLetter(0xFD));
    EXPECT_TRUE(g_OBCRT_XML_IsHexChar('F') && g_OBCRT_XML_IsHexChar('a') && g_OBCRT_XML_IsHexChar('9'));
    EXPECT_FALSE(g_OBCRT_XML_IsHexChar('g'));
    EXPECT_TRUE(g_OBCRT_XML_IsDigital('0') && !g_OBCRT_XML_IsDigital('a'));

    const uint8_t bom[] = {0xEF, 0xBB, 0xBF, '<'};
    EXPECT_TRUE(CheckFirstNonEmptyChar(bom, 4));
    EXPECT_FALSE(CheckFirstNonEmptyChar(bom, 3)); // the "<" lies outside the size
    EXPECT_FALSE(CheckFirstNonEmptyChar(reinterpret_cast<const uint8_t*>("\xA0<"), 2));

    // Names end at the first byte outside the name classes, wherever it falls among the bytes the
    // reader looks at together.
    for (int c = 1; c < 256; ++c) {
        for (size_t at : {size_t(1), size_t(10), size_t(15), size_t(16), size_t(40)}) {
            const std::string doc = "<" + std::string(at, 'n') + static_cast<char>(c) + std::string(20, 'm') + "/>";
            CXML_Element* named = CXML_Element::Parse(doc.data(), doc.size());
            const bool nameByte = g_OBCRT_XML_IsNameChar(static_cast<uint8_t>(c)) || c == ':';
            const size_t expected = nameByte ? at + 21 : at;
            const size_t length = named ? static_cast<size_t>(named->GetTagName(true).GetLength()) : at;
            EXPECT_EQ(length, expected) << c << " at " << at;
            delete named;
        }
    }

    // White space between attributes is passed over however long it is and wherever it ends.
    for (int c = 1; c < 256; ++c) {
        for (size_t at : {size_t(1), size_t(2), size_t(15), size_t(16), size_t(17), size_t(40)}) {
            const std::string doc = "<r" + std::string(at, ' ') + static_cast<char>(c) + "z='1'/>";
            // ":z" is the name z with an empty prefix.
            const bool same = g_OBCRT_XML_IsWhiteSpace(static_cast<uint8_t>(c)) || c == ':';
            EXPECT_EQ(ParseAndDump(doc) == "r[z=1]", same) << c << " after " << at << " spaces";
        }
    }

    // A one-byte reader meets a byte-order mark split over four blocks.
    BlockReader reader(std::string("\xEF\xBB\xBF<a/>"), 1);
    CXML_Element* root = CXML_Element::Parse(&reader);
    EXPECT_EQ(Dump(root), "a");
    delete root;
}

TEST(CXML_Parser, MemoryBlockReader)
{
    const uint8_t data[] = "<a/>";
    CXML_DataBufAcc* acc = CXML_DataBufAcc::Create(data, 4, nullptr);
    ASSERT_NE(acc, nullptr);
    EXPECT_FALSE(acc->IsEOF());
    EXPECT_EQ(acc->ReadBlock(nullptr, 1), 0u);
    EXPECT_TRUE(acc->ReadNextBlock(false));
    EXPECT_TRUE(acc->IsEOF());
    EXPECT_FALSE(acc->ReadNextBlock(false));
    EXPECT_TRUE(acc->ReadNextBlock(true));
    EXPECT_EQ(acc->GetBlockBuffer(), data);
    EXPECT_EQ(acc->GetBlockSize(), 4u);
    EXPECT_EQ(acc->GetBlockOffset(), 0);
    EXPECT_EQ(acc->SetPosition(5), -1);
    EXPECT_EQ(acc->SetPosition(-1), -1);
    EXPECT_EQ(acc->SetPosition(2), 2);
    EXPECT_EQ(acc->GetPosition(), 2);
    acc->Release();
}
