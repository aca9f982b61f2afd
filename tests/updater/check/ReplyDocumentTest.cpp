// Whether an update-check reply holds its whole document: a reply cut short
// must never pass for the service's whole answer.

#include "ReplyDocument.h"

#include "Sandbox.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kWhole = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!-- the service's answer -->\n"
                          "<addons scheduleTime=\"2\">\n"
                          "  <addon name=\"A\" description=\"a > b, 'quoted'\" url=\"http://h/A.ozip?x=1&amp;y=2\"/>\n"
                          "  <addon name=\"B\"><note><![CDATA[</addons> is text here]]></note></addon>\n"
                          "  <?pi </addons> ?>\n"
                          "</addons>\n";

TEST(ReplyDocumentTest, WholeDocumentsAndWhatIsNoDocument)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"a whole reply", kWhole},
        {"an empty root", "<addons/>"},
        {"a root without children", "\xEF\xBB\xBF  <addons></addons>"},
        // The parser never reads past the root either.
        {"bytes after the root", "<addons></addons><half"},
        // No document at all: the parser's to refuse as an unreadable reply.
        {"nothing", ""},
        {"white space", " \n\t"},
        {"a plain-text error", "502 Bad Gateway"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReplyDocument::whyNotWhole(c.bytes).toStdString(), "");
    }
}

TEST(ReplyDocumentTest, EveryCutOfAWholeReplyIsNamed)
{
    // Every cut before the root's end tag is over leaves the document unfinished.
    const int rootEnd = kWhole.lastIndexOf("</addons>");
    for (int size = 1; size <= rootEnd + 8; ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(ReplyDocument::whyNotWhole(kWhole.left(size)).isEmpty()) << kWhole.left(size).toStdString();
    }
    EXPECT_TRUE(ReplyDocument::whyNotWhole(kWhole.left(rootEnd + 9)).isEmpty());

    const struct
    {
        QByteArray bytes;
        const char *why;
    } cases[] = {
        {"<addons>\n  <addon name=\"A\"/>\n", "its root element <addons> is never closed"},
        {"<addons>\n  <addon name=\"A\" title=\"A > B", "it ends inside an attribute value"},
        {"<addons>\n  <addon name=\"A\"", "it ends inside a start tag"},
        {"<addons>\n  <!-- a comment", "it ends inside a comment"},
        {"<addons><a><![CDATA[text", "it ends inside a CDATA section"},
        {"<?xml version=\"1.0\"", "it ends inside a processing instruction"},
        {"<?xml version=\"1.0\"?>\n", "it ends before its root element"},
        {"<addons><a></a></addo", "it ends inside an end tag"},
        {"<addons><", "it ends inside a tag"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        EXPECT_EQ(ReplyDocument::whyNotWhole(c.bytes).toStdString(), c.why);
    }
}

TEST(ReplyDocumentTest, FilesAreReadWhole)
{
    Sandbox sandbox;
    const QString path = sandbox.base() + QStringLiteral("/reply.xml");
    ASSERT_TRUE(sandbox.writeFile(path, kWhole));
    EXPECT_TRUE(ReplyDocument::whyFileNotWhole(path).isEmpty());
    ASSERT_TRUE(sandbox.writeFile(path, kWhole.left(kWhole.size() - 4)));
    EXPECT_EQ(ReplyDocument::whyFileNotWhole(path).toStdString(), "it ends inside an end tag");
    EXPECT_TRUE(ReplyDocument::whyFileNotWhole(path + QStringLiteral(".missing")).isEmpty());
}

} // namespace
