#include "CXML_Composer.h"

#include "COB_ByteString.h"
#include "COB_ByteStringL.h"
#include "CXML_Element.h"
#include "IOB_FileWrite.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using ElementPtr = std::unique_ptr<CXML_Element>;

std::string Bytes(const COB_ByteString& s)
{
    return std::string(s.c_str(), static_cast<size_t>(s.GetLength()));
}

std::string Compose(CXML_Element& e, bool raw, bool compact)
{
    return Bytes(e.OutputStream(raw, compact));
}

// Accepts the bytes as a whole document with the system's libxml2; the message when it does not.
bool XmllintAccepts(const std::string& xml, std::string& message)
{
    QProcess lint;
    lint.start("/usr/bin/xmllint", {"--noout", "-"});
    if (!lint.waitForStarted(10000)) {
        message = "xmllint did not start";
        return false;
    }
    lint.write(xml.data(), static_cast<qint64>(xml.size()));
    lint.closeWriteChannel();
    lint.waitForFinished(10000);
    message = lint.readAllStandardError().toStdString();
    return lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0;
}

// A byte sink that keeps each block written to it apart.
class RecordingFile : public IOB_FileWrite
{
public:
    void Release() override {}
    bool WriteBlock(const void* buffer, size_t size) override
    {
        blocks.emplace_back(static_cast<const char*>(buffer), size);
        return true;
    }
    bool Flush() override { return true; }
    OB_FILESIZE GetSize() override { return 0; }
    bool WriteBlock(const void*, OB_FILESIZE, size_t) override { return false; }

    std::string Joined() const
    {
        std::string all;
        for (const std::string& b : blocks)
            all += b;
        return all;
    }

    std::vector<std::string> blocks;
};

ElementPtr Text(const char* tag, const std::wstring& text, bool cdata = false)
{
    ElementPtr e(new CXML_Element(COB_ByteStringC(tag)));
    e->AddChildContent(COB_WideStringC(text.c_str(), static_cast<int>(text.size())), cdata);
    return e;
}

} // namespace

TEST(CXML_Composer, TagsAndLineBreaks)
{
    CXML_Element a(COB_ByteStringC("a"));
    EXPECT_EQ(Compose(a, false, false), "<a\r\n/>");
    EXPECT_EQ(Compose(a, false, true), "<a/>");

    CXML_Element e(COB_ByteStringC("ns:a"));
    e.SetAttrValue(COB_ByteStringC("x"), COB_WideStringC(L"1"));
    e.AddChildContent(COB_WideStringC(L"t"));
    EXPECT_EQ(Compose(e, false, true), "<ns:a x=\"1\">t</ns:a>");
    EXPECT_EQ(Compose(e, false, false), "<ns:a x=\"1\"\r\n>t</ns:a\r\n>");

    CXML_Element outer(COB_ByteStringC("o"));
    outer.AddChildElement(new CXML_Element(COB_ByteStringC("p:i")));
    outer.InsertChildContent(3, COB_WideStringC(L"z")); // leaves two empty positions, which are skipped
    EXPECT_EQ(Compose(outer, false, true), "<o><p:i/>z</o>");
}

TEST(CXML_Composer, ContentEscapes)
{
    struct Case
    {
        std::wstring text;
        bool raw;
        const char* composed;
    } const cases[] = {
        {L" two  words ", false, "<t>&#x20;two  words&#x20;</t>"},
        {L" two  words ", true, "<t> two  words </t>"},
        {L"a\tb\nc\rd\x1F", false, "<t>a&#x09;b&#x0A;c&#x0D;d</t>"},
        {L"<&>\"'", false, "<t>&lt;&amp;&gt;&quot;&apos;</t>"},
        {L"<&>", true, "<t><&></t>"},
        {L"caf\u00E9 \u20AC \U0001F600", false, "<t>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</t>"},
        // Characters no XML document can hold are left out, never written as references.
        {std::wstring(L"a\0b", 3) + L"\x01\uFFFE\uFFFF", false, "<t>ab</t>"},
        {std::wstring(L"\0 x \0", 5), false, "<t>&#x20;x&#x20;</t>"},
        {std::wstring{static_cast<wchar_t>(0xD800), L'x', static_cast<wchar_t>(-2), static_cast<wchar_t>(0x110000)},
         false, "<t>x</t>"},
        {std::wstring(L"r\0", 2), true, "<t>r</t>"},
    };
    for (const Case& c : cases) {
        ElementPtr e = Text("t", c.text);
        EXPECT_EQ(Compose(*e, c.raw, true), c.composed);
    }
}

TEST(CXML_Composer, AttributeValues)
{
    CXML_Element e(COB_ByteStringC("e"));
    e.SetAttrValue(COB_ByteStringC("q"), COB_WideStringC(L"say \"it's\" <a&b>"));
    // A reader turns literal TAB, LF and CR in a value into spaces: they go as references.
    e.SetAttrValue(COB_ByteStringC("ws"), COB_WideStringC(L"a\tb\nc\rd"));
    e.SetAttrValue(COB_ByteStringC("x:nul"), COB_WideStringC(L"a\x01\x1F" L"b"));
    EXPECT_EQ(Compose(e, true, true),
              "<e q=\"say &quot;it's&quot; &lt;a&amp;b>\" ws=\"a&#x09;b&#x0A;c&#x0D;d\" x:nul=\"ab\"/>");

    // An attribute without a name (the parser keeps one from broken input) cannot be written.
    std::unique_ptr<CXML_Element> broken(CXML_Element::Parse("<a x='1' \0\0:='2' y='3'/>", 24));
    ASSERT_NE(broken, nullptr);
    ASSERT_EQ(broken->CountAttrs(), 3);
    EXPECT_EQ(Compose(*broken, false, true), "<a x=\"1\" y=\"3\"/>");
}

TEST(CXML_Composer, CdataSections)
{
    struct Case
    {
        std::wstring text;
        const char* composed;
    } const cases[] = {
        {L"<b>&amp; \n", "<c><![CDATA[<b>&amp; \n]]></c>"},
        {L"a]]>b", "<c><![CDATA[a]]]]><![CDATA[>b]]></c>"},
        {L"]]>]]>", "<c><![CDATA[]]]]><![CDATA[>]]]]><![CDATA[>]]></c>"},
        {L"]>]", "<c><![CDATA[]>]]]></c>"},
        {std::wstring(L"]]\0>", 4), "<c><![CDATA[]]]]><![CDATA[>]]></c>"}, // the left-out NUL does not hide it
    };
    for (const Case& c : cases) {
        ElementPtr e = Text("c", c.text, true);
        EXPECT_EQ(Compose(*e, false, true), c.composed);
    }
}

TEST(CXML_Composer, StreamingGivesTheBytesOfTheMemoryForm)
{
    const char* source = "<r a='1'>one<x:b><c/>two</x:b><![CDATA[three]]><d e='&amp;'/></r>";
    std::unique_ptr<CXML_Element> root(CXML_Element::Parse(source, strlen(source)));
    ASSERT_NE(root, nullptr);
    for (bool compact : {false, true}) {
        const std::string memory = Compose(*root, false, compact);
        RecordingFile file;
        root->OutputStream(&file, false, compact);
        EXPECT_EQ(file.Joined(), memory);
        // Each piece ends just before an element's "<" (the first is empty and never written).
        ASSERT_EQ(file.blocks.size(), 4u);
        for (size_t i = 0; i + 1 < file.blocks.size(); ++i)
            EXPECT_EQ(file.blocks[i + 1][0], '<');

        COB_ByteStringL light;
        root->OutputStream(light, false, compact);
        EXPECT_EQ(std::string(light.GetPtr(), static_cast<size_t>(light.GetLength())), memory);
        light.Empty(root->GetAllocator());
    }
    root->OutputStream(static_cast<IOB_FileWrite*>(nullptr), false, false); // nothing happens

    // Compose with a file leaves out alone.
    CXML_Composer composer(nullptr, false, true);
    RecordingFile file;
    COB_ByteStringL out;
    composer.Compose(root.get(), &file, out);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(file.Joined(), Compose(*root, false, true));
}

// A tree with everything the composer escapes, written and read back by libxml2 and by our parser.
TEST(CXML_Composer, OutputIsWellFormedAndParsesBackToTheSameTree)
{
    CXML_Element root(COB_ByteStringC("doc"));
    root.SetAttrValue(COB_ByteStringC("xmlns:p"), COB_WideStringC(L"urn:example"));
    root.SetAttrValue(COB_ByteStringC("all"), COB_WideStringC(L"<&>\"' \t\n\r end \u00E9\U0001F600"));
    root.AddChildContent(COB_WideStringC(L" lead and trail "));
    CXML_Element* item = new CXML_Element(COB_ByteStringC("p"), COB_ByteStringC("item"));
    item->SetAttrValue(COB_ByteStringC("p:id"), COB_WideStringC(L"7"));
    item->AddChildContent(COB_WideStringC(L"a\tb\nc\r\n<&>\"'"));
    root.AddChildElement(item);
    root.AddChildContent(COB_WideStringC(L"<x> & ]]> \u4E2D"), true);
    root.AddChildElement(new CXML_Element(COB_ByteStringC("empty")));
    CXML_Element* deep = &root;
    for (int i = 0; i < 20; ++i) {
        CXML_Element* child = new CXML_Element(COB_ByteStringC("n"));
        child->AddChildContent(COB_WideStringC(L"\u00A0"));
        deep->AddChildElement(child);
        deep = child;
    }

    std::string message;
    ASSERT_FALSE(XmllintAccepts("<t>&#x00;</t>", message)) << "the checker must see what it is given";
    for (bool compact : {false, true}) {
        SCOPED_TRACE(compact ? "compact" : "with line breaks");
        const std::string xml = Compose(root, false, compact);
        EXPECT_TRUE(XmllintAccepts(xml, message)) << message << "\n" << xml;
        std::unique_ptr<CXML_Element> back(CXML_Element::Parse(xml.data(), xml.size(), true));
        ASSERT_NE(back, nullptr);
        // The CDATA text comes back in two sections, split before the ">" of its "]]>".
        std::string expected = xmltest::Dump(&root);
        const std::string whole = "C\"<x> & ]]> \\x4E2D;\"";
        ASSERT_NE(expected.find(whole), std::string::npos);
        expected.replace(expected.find(whole), whole.size(), "C\"<x> & ]]\",C\"> \\x4E2D;\"");
        EXPECT_EQ(xmltest::Dump(back.get()), expected);
    }
}

// Real documents read by our parser, written back, accepted by libxml2 and read to the same tree.
TEST(CXML_Composer, CorpusDocumentsRoundTrip)
{
    const QDir corpus(QStringLiteral(ORBEL_TEST_DATA_DIR "/xml-corpus"));
    const QStringList files = corpus.entryList({"*.xml", "*.conf"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray source = file.readAll();
        std::unique_ptr<CXML_Element> tree(
            CXML_Element::Parse(source.constData(), static_cast<size_t>(source.size()), true));
        ASSERT_NE(tree, nullptr);
        for (bool compact : {false, true}) {
            const std::string xml = Compose(*tree, false, compact);
            std::string message;
            EXPECT_TRUE(XmllintAccepts(xml, message)) << message;
            std::unique_ptr<CXML_Element> back(CXML_Element::Parse(xml.data(), xml.size(), true));
            EXPECT_EQ(xmltest::Dump(back.get()), xmltest::Dump(tree.get()));
        }
    }
}
