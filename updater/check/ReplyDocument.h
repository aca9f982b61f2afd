#pragma once

#include <QByteArray>
#include <QString>

// Whether an update-check reply holds its XML document whole. The XML parser is
// tolerant: it builds what it can of a document that is cut short and gives no
// sign of the cut, so a reply that lost its end (a connection closed early, a
// chunked body whose framing broke, which Qt ends without an error) would be
// judged as if it were the service's whole answer, offering its first modules
// and silently dropping the rest.
//
// The scan follows the parser's reading of markup (comments, processing
// instructions, declarations, CDATA sections, quoted attribute values, end tags
// counted, not matched by name) and stops once the root element is closed:
// what follows the root is never read, by the parser either.
class ReplyDocument
{
public:
    // Empty when the bytes hold a whole document, or no XML document at all (an
    // error page in plain text: the parser's to refuse); otherwise why the
    // document is not whole, in words for the log.
    static QString whyNotWhole(const QByteArray &bytes);
    // The same for a file; empty when the file cannot be read (the reader of the
    // reply says so itself).
    static QString whyFileNotWhole(const QString &path);
};
