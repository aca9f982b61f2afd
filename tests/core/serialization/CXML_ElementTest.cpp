#include "COB_GrowOnlyPool.h"
#include "CXML_Element.h"
#include "XmlTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using xmltest::Dump;

namespace {

std::wstring Value(const CXML_Element& e, const char* qName)
{
    return e.GetAttrValue(qName).c_str();
}

} // namespace

TEST(CXML_Element, QualifiedNameMatching)
{
    CXML_Element e("r");
    e.GetAttrMap().SetAt("", "x", L"bare", nullptr);
    e.GetAttrMap().SetAt("p", "x", L"prefixed", nullptr);
    ASSERT_EQ(e.CountAttrs(), 2);
    EXPECT_EQ(Value(e, "x"), L"bare"); // an empty prefix matches any, the first wins
    EXPECT_EQ(Value(e, "p:x"), L"prefixed");
    COB_WideString untouched(L"keep");
    EXPECT_FALSE(e.GetAttrValue("q:x", untouched));
    EXPECT_EQ(std::wstring(untouched.c_str()), L"keep");
    EXPECT_FALSE(e.HasAttr("X")); // case-sensitive
    EXPECT_TRUE(e.GetAttrValue("p", "x", untouched));
    EXPECT_EQ(e.GetAttrValuePtr("", "x"), e.GetAttrValuePtr("x"));
    EXPECT_EQ(e.GetAttrValuePtr("p:"), nullptr); // trailing colon: empty local name

    e.SetAttrValue("x", COB_WideStringC(L"1"));   // replaces the first x whatever its prefix
    e.SetAttrValue("q:x", COB_WideStringC(L"3")); // no item with prefix q: appended
    EXPECT_EQ(Dump(&e), "r[x=1,p:x=prefixed,q:x=3]");
    e.RemoveAttr("p:x");
    e.RemoveAttr("nothing");
    EXPECT_EQ(Dump(&e), "r[x=1,q:x=3]");
    e.RemoveAttr("x");
    e.RemoveAttr("x");
    EXPECT_EQ(Dump(&e), "r");
}

TEST(CXML_Element, AttributeIndexAndNumbers)
{
    CXML_Element e("r");
    e.SetAttrValue("n", COB_WideStringC(L"12ab"));
    e.SetAttrValue("empty", COB_WideStringC(L""));
    e.SetAttrValue("f", COB_WideStringC(L"-2.5"));
    int number = 99;
    EXPECT_TRUE(e.GetAttrInteger("n", number));
    EXPECT_EQ(number, 12);
    EXPECT_TRUE(e.GetAttrInteger("empty", number));
    EXPECT_EQ(number, 0);
    number = 99;
    EXPECT_FALSE(e.GetAttrInteger("missing", number));
    EXPECT_EQ(number, 99);
    float f = 0;
    EXPECT_TRUE(e.GetAttrFloat("", "f", f));
    EXPECT_FLOAT_EQ(f, -2.5f);

    e.SetAttrValue("u", 4294967295u);
    e.SetAttrValue("i", -1);
    e.SetAttrValue("g", 1.5f);
    EXPECT_EQ(Value(e, "u"), L"4294967295");
    EXPECT_EQ(Value(e, "i"), L"-1");
    EXPECT_EQ(Value(e, "g"), L"1.5");

    COB_ByteString space("s"), name("n");
    COB_WideString value(L"v");
    for (int bad : {-1, e.CountAttrs()}) {
        e.GetAttrByIndex(bad, space, name, value);
        EXPECT_STREQ(name.c_str(), "n");
        EXPECT_EQ(std::wstring(value.c_str()), L"v");
    }
    CXML_Element none;
    none.GetAttrByIndex(0, space, name, value);
    EXPECT_STREQ(space.c_str(), "s");
    EXPECT_EQ(none.CountAttrs(), 0);

    COB_ByteStringL ls, ln;
    COB_WideStringL lv;
    e.GetAttrByIndex(2, ls, ln, lv);
    EXPECT_STREQ(ln.GetPtr(), "f");
    EXPECT_EQ(std::wstring(lv.GetPtr()), L"-2.5");
    ls.Empty(nullptr);
    ln.Empty(nullptr);
    lv.Empty(nullptr);
}

TEST(CXML_Element, TagNames)
{
    struct
    {
        const char* qName;
        const char* local;
        const char* qualified;
        const char* prefix;
    } cases[] = {
        {"ns:item", "item", "ns:item", "ns"},
        {"item", "item", "item", ""},
        {"a:b:c", "b:c", "a:b:c", "a"}, // split at the first colon
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        CXML_Element e(c.qName);
        EXPECT_STREQ(e.GetTagName().c_str(), c.local) << c.qName;
        EXPECT_STREQ(e.GetTagName(true).c_str(), c.qualified) << c.qName;
        EXPECT_STREQ(e.GetNamespace(true).c_str(), c.prefix) << c.qName;
        COB_ByteStringL light;
        e.GetTagName(light, true);
        EXPECT_EQ(std::string(light.GetPtr() ? light.GetPtr() : ""), c.qualified);
        light.Empty(nullptr);
    }
    CXML_Element e("p", "t");
    EXPECT_STREQ(e.GetTagName(true).c_str(), "p:t");
    e.SetTag("");
    EXPECT_STREQ(e.GetTagName(true).c_str(), "");
}

TEST(CXML_Element, NamespaceUris)
{
    CXML_Element* root = CXML_Element::Parse(
        "<r xmlns='urn:default' xmlns:ns='urn:\xC3\xA9'><ns:a><ns:b xmlns:ns='urn:inner'/><c/></ns:a></r>", 86);
    ASSERT_NE(root, nullptr);
    CXML_Element* a = root->GetElement(0);
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(a->GetNamespace().c_str(), "urn:\xC3\xA9"); // from the ancestor, as UTF-8
    EXPECT_STREQ(a->GetElement(0)->GetNamespace().c_str(), "urn:inner");
    EXPECT_STREQ(a->GetElement(1)->GetNamespace().c_str(), "urn:default");
    EXPECT_STREQ(a->GetNamespaceURI("none").c_str(), "");
    COB_ByteStringL out;
    out.Set("kept", nullptr);
    a->GetNamespaceURI("none", out);
    EXPECT_STREQ(out.GetPtr(), "kept");
    a->GetNamespace(out, false);
    EXPECT_STREQ(out.GetPtr(), "urn:\xC3\xA9");
    out.Empty(nullptr);
    delete root;
}

TEST(CXML_Element, Children)
{
    CXML_Element e("r");
    CXML_Element* b1 = new CXML_Element("b");
    e.AddChildContent(L"text");
    e.AddChildElement(b1);
    e.AddChildElement(nullptr);
    e.AddChildContent(L"more", true);
    e.AddChildElement(new CXML_Element("x:b"));
    e.AddChildContent(L"");
    EXPECT_EQ(Dump(&e), "r{\"text\",b,C\"more\",x:b,\"\"}");
    EXPECT_EQ(e.CountChildren(), 5u);
    EXPECT_EQ(b1->GetParent(), &e);
    EXPECT_EQ(e.GetElement(0u), nullptr);
    EXPECT_EQ(e.GetElement(1u), b1);
    EXPECT_EQ(std::wstring(e.GetContent(2).c_str()), L"more");
    EXPECT_EQ(std::wstring(e.GetContent(1).c_str()), L"");
    EXPECT_EQ(e.GetContentPtr(1), nullptr);
    EXPECT_EQ(e.GetChildType(5), CXML_Element::Invalid);
    EXPECT_EQ(e.GetElement(5u), nullptr);
    EXPECT_EQ(e.GetContentPtr(99), nullptr);

    EXPECT_EQ(e.CountElements("", "b"), 2u);
    EXPECT_EQ(e.CountElements("x", "b"), 1u);
    EXPECT_EQ(e.GetElement("", "b", 1), e.GetElement(3u));
    EXPECT_EQ(e.GetElement("", "b", 2), nullptr);
    EXPECT_EQ(e.GetElement("", "b", -1), nullptr);
    EXPECT_EQ(e.FindElement(b1), 1u);
    CXML_Element stranger("s");
    EXPECT_EQ(e.FindElement(&stranger), 0xFFFFFFFFu);

    // Inserting beyond the end leaves absent children in between.
    e.InsertChildContent(8, L"far");
    e.InsertChildElement(0, new CXML_Element("first"));
    EXPECT_EQ(Dump(&e), "r{first,\"text\",b,C\"more\",x:b,\"\",?,?,?,\"far\"}");
    EXPECT_EQ(e.CountChildren(), 10u);
    EXPECT_EQ(e.GetChildType(7), CXML_Element::Invalid);
    EXPECT_EQ(e.GetChildType(9), CXML_Element::Content);
    EXPECT_EQ(e.GetElement(0u)->GetTagName(), "first");

    e.RemoveChild(2); // b1 and its subtree
    e.RemoveChild(100);
    EXPECT_EQ(e.CountChildren(), 9u);
    EXPECT_EQ(e.FindElement(e.GetElement(3u)), 3u);
    EXPECT_TRUE(e.RemoveChildren());
    EXPECT_EQ(e.CountChildren(), 0u);
}

TEST(CXML_Element, EmptyKeepsTheElementUsable)
{
    CXML_Element* root = CXML_Element::Parse("<p:r a='1'><c/>t</p:r>", 22);
    ASSERT_NE(root, nullptr);
    CXML_Element* child = root->GetElement(0u);
    EXPECT_TRUE(child->Empty());
    EXPECT_EQ(child->GetParent(), root);
    EXPECT_TRUE(root->Empty());
    EXPECT_EQ(Dump(root), "");
    root->SetTag("n");
    root->SetAttrValue("k", COB_WideStringC(L"v"));
    EXPECT_EQ(Dump(root), "n[k=v]");
    delete root;
}

// A clone is deep, has its own allocator, and drops the CDATA flag; every block is freed once.
TEST(CXML_Element, CloneAndOwnership)
{
    xmltest::CountingAllocator parsed, cloned;
    const char xml[] = "<p:r x='1' q:y='2'>a<c d='&amp;'><![CDATA[<z>]]></c><e/>tail</p:r>";
    CXML_Element* root = CXML_Element::Parse(xml, sizeof xml - 1, false, nullptr, parsed.get());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Dump(root), "p:r[x=1,q:y=2]{\"a\",c[d=&]{C\"<z>\"},e,\"tail\"}");

    CXML_Element* copy = root->Clone(cloned.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Dump(copy), "p:r[x=1,q:y=2]{\"a\",c[d=&]{\"<z>\"},e,\"tail\"}");
    EXPECT_EQ(copy->GetAllocator(), cloned.get());
    EXPECT_EQ(copy->GetElement(1u)->GetParent(), copy);
    EXPECT_EQ(copy->GetElement(1u)->GetAllocator(), cloned.get());
    EXPECT_GT(cloned.live, 10);

    xmltest::DestroyTree(root, parsed.get());
    EXPECT_EQ(parsed.live, 0);
    EXPECT_EQ(Dump(copy), "p:r[x=1,q:y=2]{\"a\",c[d=&]{\"<z>\"},e,\"tail\"}");
    xmltest::DestroyTree(copy, cloned.get());
    EXPECT_EQ(cloned.live, 0);

    // A grow-only pool refuses to resize a block: the copy's lists must not need it.
    {
        COB_GrowOnlyPool pool(nullptr, 4096);
        CXML_Element* source = CXML_Element::Parse(xml, sizeof xml - 1);
        CXML_Element* pooled = source->Clone(pool);
        delete source;
        EXPECT_EQ(Dump(pooled), "p:r[x=1,q:y=2]{\"a\",c[d=&]{\"<z>\"},e,\"tail\"}");
        xmltest::DestroyTree(pooled, pool);
        // A local name holding a colon is split again and may then repeat an earlier name.
        CXML_Element byHand("h");
        byHand.GetAttrMap().Append(COB_ByteStringC(), "p:x", COB_WideStringC(L"1"), nullptr);
        byHand.SetAttrValue("y", COB_WideStringC(L"2"));
        byHand.GetAttrMap().Append("p", "x", COB_WideStringC(L"3"), nullptr);
        CXML_Element* split = byHand.Clone(pool);
        EXPECT_EQ(Dump(split), "h[p:x=3,y=2]");
        xmltest::DestroyTree(split, pool);
    }

    // Without an allocator the copy is an ordinary object.
    CXML_Element plain("a");
    plain.AddChildElement(new CXML_Element("b"));
    CXML_Element* plainCopy = plain.Clone(nullptr);
    EXPECT_EQ(Dump(plainCopy), "a{b}");
    delete plainCopy;

    // A copy that cannot be allocated at all is null; failures below it shorten the copy.
    xmltest::CountingAllocator none;
    none.failAfter = 0;
    EXPECT_EQ(plain.Clone(none.get()), nullptr);
    for (long allowed = 1; allowed < 40; ++allowed) {
        xmltest::CountingAllocator some;
        some.failAfter = allowed;
        CXML_Element* partial = plain.Clone(some.get());
        xmltest::DestroyTree(partial, some.get());
        EXPECT_EQ(some.live, 0);
    }
}
