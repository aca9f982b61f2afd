#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The embedded demo update service (tools/) as scripts/demo runs it: a child
// process whose first output line is its URL. Stopped when this goes.
class DemoService
{
public:
    // options: further command-line options of the service.
    explicit DemoService(const QStringList &options = QStringList());
    ~DemoService();
    DemoService(const DemoService &) = delete;
    DemoService &operator=(const DemoService &) = delete;

    // Empty when the service did not start.
    QString url() const { return m_url; }
    // Whether it logged the line (one per request) within the time; the line may
    // come a little after the reply it stands for.
    bool logged(const QString &line, int timeoutMs = 20000);

private:
    QProcess m_process;
    QString m_url;
    QString m_output;
};
