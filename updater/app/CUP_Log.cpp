#include "CUP_Log.h"

#include "PlistSettings.h"
#include "UpdaterApp.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

QFile *CUP_Log::m_pFile = nullptr;

namespace {
// The module query's worker thread logs too; one line at a time keeps lines whole.
QMutex &logMutex()
{
    static QMutex mutex;
    return mutex;
}
} // namespace

void CUP_Log::CreateLog()
{
    const QString folder = UpdaterApp::GetAppDatePath() + QStringLiteral("Log") + QStringLiteral("/UpdaterApp");
    qDebug().noquote() << "qsAppDataPath:" << folder;
    QDir().mkpath(folder);
    if (!QDir(folder).exists())
        return;
    const QString path = folder + QLatin1Char('/') + QStringLiteral("Update.log");
    qDebug().noquote() << "update.log: " << path;
    QMutexLocker lock(&logMutex());
    delete m_pFile;
    m_pFile = new QFile(path);
}

void CUP_Log::PrintLog(QString message)
{
    auto store = PlistSettings::openStore(QStringLiteral("Orbel Software"), QStringLiteral("Orbel.PDF.Reader"));
    const bool on = store->value(QStringLiteral("Preferences/General/bDebugMode"), 0).toInt() == 1;
    if (!on)
        return;

    QMutexLocker lock(&logMutex());
    if (!m_pFile)
        return;
    if (!m_pFile->isOpen() && !m_pFile->open(QIODevice::ReadWrite | QIODevice::Append)) {
        qDebug().noquote() << "[CUP_Log::PrintLog] open file error:" << m_pFile->errorString();
        return;
    }
    const QString line = QStringLiteral("[CUP_Log][%1]%2\n")
                             .arg(QDateTime::currentDateTime().toString(Qt::TextDate), message);
    m_pFile->write(line.toUtf8());
    m_pFile->flush();
    m_pFile->close();
}
