#pragma once

#include <QByteArray>
#include <QNetworkReply>

// After a followed redirect on a kept-alive connection Qt can hand out the
// headers of every answer in the chain joined with ", " ("Content-Length: 6,
// 10000"); the answer that delivers the body is the last one.
inline QByteArray LastHeaderValue(const QNetworkReply *reply, const QByteArray &name)
{
    const QByteArray value = reply->rawHeader(name);
    const int comma = value.lastIndexOf(',');
    return (comma < 0 ? value : value.mid(comma + 1)).trimmed();
}

// The announced body length of the answer, or -1 when there is none.
inline qint64 ContentLengthOf(const QNetworkReply *reply)
{
    bool ok = false;
    const qint64 length = LastHeaderValue(reply, "Content-Length").toLongLong(&ok, 10);
    return ok && length >= 0 ? length : -1;
}
