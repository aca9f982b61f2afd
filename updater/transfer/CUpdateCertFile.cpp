#include "CUpdateCertFile.h"

#include "CSetup_CommandLine.h"
#include "CUP_Log.h"
#include "QHttpCheckExist.h"
#include "QHttpDownLoadS.h"
#include "UpdaterApp.h"

#include <QDebug>
#include <QFile>
#include <QLockFile>
#include <QUrl>
#include <cstdio>
#include <memory>

namespace {

const int kEutlAttempted = 1 << 16;
const int kOatlAttempted = 1 << 24;
const int kAutoDownload = 1 << 28;

// What a list's byte of the result code says.
const int kListDone = 0;   // fetched, or reported unavailable by the server
const int kListFailed = 2; // not fetched; the previous list, if any, is still in place

} // namespace

CUpdateCertFile::CUpdateCertFile(QObject *parent)
    : QObject(parent)
{
}

void CUpdateCertFile::UpdateFile()
{
    CSetup_CommandLine *commandLine = theApp ? theApp->GetCommandLine() : nullptr;
    if (!commandLine)
        return;
    QString eutlUrl = commandLine->geteutlcerturl();
    QString eutlFile = commandLine->geteutlfile();
    QString oatlUrl = commandLine->getoatlcerturl();
    QString oatlFile = commandLine->getoatlfile();

    qDebug().noquote() << "url:" << oatlUrl;
    qDebug().noquote() << "url:" << eutlUrl;

    int code = 0;
    if (!eutlUrl.isEmpty() && !oatlUrl.isEmpty()) {
        CUP_Log::PrintLog(QStringLiteral("eutlurl: ") + eutlUrl);
        CUP_Log::PrintLog(QStringLiteral("url: ") + oatlUrl);
        const int eutl = UpdateFileEx(eutlUrl, eutlFile);
        const int oatl = UpdateFileEx(oatlUrl, oatlFile);
        code = eutl | kEutlAttempted | (oatl << 8) | kOatlAttempted;
    } else if (!oatlUrl.isEmpty()) {
        code = (UpdateFileEx(oatlUrl, oatlFile) << 8) | kOatlAttempted;
    } else if (!eutlUrl.isEmpty()) {
        code = UpdateFileEx(eutlUrl, eutlFile) | kEutlAttempted;
    } else {
        return;
    }
    if (commandLine->getdowntype() == QLatin1String("auto"))
        code |= kAutoDownload;
    std::printf("%d\n", code);
    std::fflush(stdout);
}

int CUpdateCertFile::UpdateFileEx(QString &url, QString &file)
{
    QLockFile lock(file + QStringLiteral(".tmp"));
    if (!lock.tryLock(0))
        return kListFailed;

    QHttpCheckExist probe(nullptr, url);
    probe.checkExit();
    if (probe.isNotFound())
        return kListDone;

    // The list is fetched beside the target and put in its place only once it is
    // complete, so a failed download never destroys the last good list.
    const QString partial = file + QStringLiteral(".part");
    std::unique_ptr<QHttpDownLoadS> downloader(new QHttpDownLoadS(nullptr, nullptr, nullptr, nullptr));
    downloader->m_bFollowRedirects = true;
    // No target is refused like the downloader refuses one: the ".part" suffix alone
    // must not turn it into a stray file in the working folder.
    if (file.isEmpty() || !downloader->setUrlAndFilePath(QUrl(url), partial))
        return kListFailed;

    bool complete = false;
    connect(downloader.get(), SIGNAL(oneDownLoadFinish(QString)), this, SLOT(slotQueryModuleInfoFinish(QString)));
    connect(downloader.get(), &QHttpDownLoadS::oneDownLoadFinish, this, [&complete] { complete = true; });
    if (!downloader->startDownLoads(true))
        complete = false;
    downloader.reset();

    if (!complete || std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(file).constData()) != 0) {
        QFile::remove(partial);
        return kListFailed;
    }
    return kListDone;
}

void CUpdateCertFile::slotQueryModuleInfoFinish(QString)
{
}
