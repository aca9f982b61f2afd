#include "ReplyDocument.h"

#include <QFile>

namespace {

// The longest element name a log line repeats.
const int kMaxLoggedName = 64;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Where the document's first markup starts, by the parser's own start rule:
// white space, perhaps a byte-order mark, then "<". -1: no XML document.
int documentStart(const QByteArray &bytes)
{
    int pos = 0;
    while (pos < bytes.size() && isSpace(bytes.at(pos)))
        ++pos;
    const QByteArray rest = QByteArray::fromRawData(bytes.constData() + pos, bytes.size() - pos);
    for (const char *mark : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        const QByteArray prefix(mark);
        if (rest.startsWith(prefix + '<'))
            return pos + prefix.size();
    }
    return -1;
}

QString endsInside(const char *what)
{
    return QStringLiteral("it ends inside %1").arg(QLatin1String(what));
}

// The end of the start tag that begins at open ("<"), past quoted attribute
// values (which may hold ">"); -1 when the bytes end first, with why in *why.
int startTagEnd(const QByteArray &bytes, int open, QString *why)
{
    for (int i = open + 1; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '>')
            return i;
        if (c == '"' || c == '\'') {
            const int close = bytes.indexOf(c, i + 1);
            if (close < 0) {
                *why = endsInside("an attribute value");
                return -1;
            }
            i = close;
        }
    }
    *why = endsInside("a start tag");
    return -1;
}

QByteArray tagName(const QByteArray &bytes, int open, int end)
{
    int stop = open + 1;
    while (stop < end && !isSpace(bytes.at(stop)) && bytes.at(stop) != '/' && bytes.at(stop) != '>')
        ++stop;
    return bytes.mid(open + 1, qMin(stop - open - 1, kMaxLoggedName));
}

} // namespace

QString ReplyDocument::whyNotWhole(const QByteArray &bytes)
{
    int pos = documentStart(bytes);
    if (pos < 0)
        return QString();
    int depth = 0;
    QByteArray root;
    for (;;) {
        const int open = bytes.indexOf('<', pos);
        if (open < 0) {
            return depth > 0 ? QStringLiteral("its root element <%1> is never closed").arg(QString::fromUtf8(root))
                             : QStringLiteral("it ends before its root element");
        }
        const QByteArray after = bytes.mid(open + 1, 2);
        if (after.isEmpty())
            return endsInside("a tag");

        int end = -1;
        int skip = 1;
        const char *what = nullptr;
        if (after.startsWith("!-")) {
            end = bytes.indexOf("-->", open + 4);
            skip = 3;
            what = "a comment";
        } else if (after.startsWith("![")) {
            end = bytes.indexOf("]]>", open + 3);
            skip = 3;
            what = "a CDATA section";
        } else if (after.startsWith('!')) {
            end = bytes.indexOf('>', open + 2);
            what = "a declaration";
        } else if (after.startsWith('?')) {
            end = bytes.indexOf("?>", open + 2);
            skip = 2;
            what = "a processing instruction";
        } else if (after.startsWith('/')) {
            end = bytes.indexOf('>', open + 2);
            if (end < 0)
                return endsInside("an end tag");
            // The root's own end tag closes the document; one before any root
            // leaves no document, which the parser refuses on its own.
            if (--depth <= 0)
                return QString();
            pos = end + 1;
            continue;
        } else {
            QString why;
            end = startTagEnd(bytes, open, &why);
            if (end < 0)
                return why;
            const bool empty = bytes.at(end - 1) == '/';
            if (!empty) {
                if (depth == 0)
                    root = tagName(bytes, open, end);
                ++depth;
            } else if (depth == 0) {
                return QString(); // an empty root element is a whole document
            }
            pos = end + 1;
            continue;
        }
        if (end < 0)
            return endsInside(what);
        pos = end + skip;
    }
}

QString ReplyDocument::whyFileNotWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return whyNotWhole(file.readAll());
}
