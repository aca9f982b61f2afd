#include "DemoService.h"

#include <QElapsedTimer>

DemoService::DemoService(const QStringList &options)
{
    // A bound on its life in case the test dies without killing it.
    m_process.start(QStringLiteral(ORBEL_DEMO_SERVICE), QStringList{QStringLiteral("--seconds"), QStringLiteral("120")} + options);
    m_process.setReadChannel(QProcess::StandardOutput);
    // A wait that must not run out: a loaded machine may take seconds to start it.
    while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
    }
    m_url = QString::fromUtf8(m_process.readLine()).trimmed();
}

DemoService::~DemoService()
{
    m_process.kill();
    m_process.waitForFinished();
}

bool DemoService::logged(const QString &line, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_output.contains(line) && timer.elapsed() < timeoutMs) {
        m_process.waitForReadyRead(100);
        m_output += QString::fromUtf8(m_process.readAllStandardOutput());
    }
    return m_output.contains(line);
}
