#include "LinkSink.h"

#include "Trace.h"

#include <QDesktopServices>

namespace {

const char *const kSchemes[] = {"http", "https", "file", "mailto", "ftp", "data", "javascript", ""};

} // namespace

LinkSink::LinkSink()
{
    for (const char *scheme : kSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

LinkSink::~LinkSink()
{
    for (const char *scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void LinkSink::open(const QUrl &url)
{
    Trace::instance().line("link opened: " + url.toString().left(80).toStdString());
}
