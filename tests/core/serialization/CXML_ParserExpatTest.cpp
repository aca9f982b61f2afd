// Compares the parser with libexpat over real documents that were written elsewhere. The comparison
// is normalised for the parser's documented differences: white space in text is not compared (runs
// are trimmed and the white space after markup skipped), comments and processing instructions leave
// no trace, a CDATA section counts as text, and attribute values are compared after XML's
// attribute-value normalisation of line breaks and tabs.

#include "COB_UTF8Encoder.h"
#include "CXML_Element.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string NormaliseValue(std::string value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
            continue;
        out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
    return out;
}

std::string StripSpace(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            out += c;
    }
    return out;
}

// Canonical text of a tree: element(name attrs... | "text" child ... ).
struct Writer
{
    std::string out;
    std::string pendingText;

    void FlushText()
    {
        const std::string text = StripSpace(pendingText);
        if (!text.empty())
            out += " \"" + text + "\"";
        pendingText.clear();
    }
    void Start(const std::string& name, const std::vector<std::pair<std::string, std::string>>& attrs)
    {
        FlushText();
        out += " (" + name;
        for (const auto& a : attrs)
            out += " @" + a.first + "=" + NormaliseValue(a.second);
        out += " |";
    }
    void End()
    {
        FlushText();
        out += ")";
    }
};

std::string Utf8(const wchar_t* text, int length)
{
    COB_ByteString bytes = OB_UTF8Encode(text, length);
    return std::string(bytes.c_str(), bytes.GetLength());
}

void WriteOurs(const CXML_Element* e, Writer& w)
{
    std::vector<std::pair<std::string, std::string>> attrs;
    for (int i = 0; i < e->CountAttrs(); ++i) {
        COB_ByteString space, name;
        COB_WideString value;
        e->GetAttrByIndex(i, space, name, value);
        attrs.emplace_back(space.IsEmpty() ? std::string(name.c_str()) : std::string(space.c_str()) + ":" + name.c_str(),
                           Utf8(value.c_str(), value.GetLength()));
    }
    w.Start(e->GetTagName(true).c_str(), attrs);
    for (unsigned i = 0; i < e->CountChildren(); ++i) {
        if (const CXML_Element* child = e->GetElement(i)) {
            WriteOurs(child, w);
        } else if (const COB_WideStringL* text = e->GetContentPtr(i)) {
            w.pendingText += Utf8(text->GetPtr(), text->GetLength());
        }
    }
    w.End();
}

std::string Ours(const std::string& doc)
{
    CXML_Element* root = CXML_Element::Parse(doc.data(), doc.size());
    if (!root)
        return "NULL";
    Writer w;
    WriteOurs(root, w);
    delete root;
    return w.out;
}

std::string Expat(const std::string& doc)
{
    Writer w;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &w);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** atts) {
            std::vector<std::pair<std::string, std::string>> attrs;
            for (int i = 0; atts[i]; i += 2)
                attrs.emplace_back(atts[i], atts[i + 1]);
            static_cast<Writer*>(data)->Start(name, attrs);
        },
        [](void* data, const XML_Char*) { static_cast<Writer*>(data)->End(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* s, int len) {
        static_cast<Writer*>(data)->pendingText.append(s, static_cast<size_t>(len));
    });
    const bool ok = XML_Parse(parser, doc.data(), static_cast<int>(doc.size()), 1) == XML_STATUS_OK;
    std::string error = ok ? "" : XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
    return ok ? w.out : "expat error: " + error;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    const std::string dir = std::string(ORBEL_TEST_DATA_DIR) + "/xml-corpus";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* entry = readdir(d)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && (name.compare(name.size() - 4, 4, ".xml") == 0 ||
                                    name.compare(name.size() - 5, 5, ".conf") == 0))
                files.push_back(dir + "/" + name);
        }
        closedir(d);
    }
    return files;
}

} // namespace

TEST(CXML_ParserExpat, CorpusDocumentsAgree)
{
    const std::vector<std::string> files = CorpusFiles();
    ASSERT_GE(files.size(), 5u);
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string doc = bytes.str();
        const std::string reference = Expat(doc);
        ASSERT_EQ(reference.find("expat error"), std::string::npos) << path << ": " << reference;
        EXPECT_GT(reference.size(), 50u) << path;
        EXPECT_EQ(Ours(doc), reference) << path;
    }
}

// Well-formed documents that reach the corners: references, CDATA, comments inside text, a document
// type with an internal subset, prefixes, multi-byte characters, line breaks inside values.
TEST(CXML_ParserExpat, ConstructedDocumentsAgree)
{
    const char* docs[] = {
        "<?xml version='1.0' encoding='UTF-8'?>\n<!DOCTYPE r [\n<!ELEMENT r ANY>\n<!-- ] > -->\n"
        "<!ENTITY e ']>'>\n]>\n<r a=\"&lt;&#65;&#x4a;&amp;&quot;&apos;\">x &gt; y</r>",
        "<r>one<!-- c -->two<?pi data?>three<![CDATA[<four> & ]]>five</r>",
        "<p:r xmlns:p='urn:p' p:a='1'><p:c/>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</p:r>",
        "<r v='line1\r\nline2\tend'>\r\n<e/>\r\n</r>",
        "\xEF\xBB\xBF<r><a><b><c>deep</c></b></a></r>",
    };
    for (const char* doc : docs)
        EXPECT_EQ(Ours(doc), Expat(doc)) << doc;
}
