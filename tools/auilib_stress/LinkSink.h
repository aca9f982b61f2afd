#pragma once

#include <QObject>
#include <QUrl>

// Takes the links labels and hyperlinks open themselves (QDesktopServices), so
// that no run ever starts a browser or a file's application, whatever platform
// it runs on.
class LinkSink : public QObject
{
    Q_OBJECT

public:
    LinkSink();
    ~LinkSink() override;

public slots:
    void open(const QUrl &url);
};
