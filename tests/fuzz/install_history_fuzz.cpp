// Feeds arbitrary bytes to the install-history reader as the system's history: it
// reads receipts or reports the history unreadable, and confirms no package from
// a history it could not read.
#include "InstallHistory.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    static QTemporaryDir root;
    static const bool ready = root.isValid() && qputenv("ORBEL_UPDATER_ROOT", QFile::encodeName(root.path()))
                              && QDir().mkpath(QFileInfo(InstallHistory::path()).path());
    (void)quiet;
    if (!ready)
        return 0;

    {
        QFile history(InstallHistory::path());
        if (!history.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || history.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != qint64(size))
            return 0;
    }
    QVector<InstallReceipt> receipts;
    const InstallHistory::Status status = InstallHistory::read(receipts);
    if (status != InstallHistory::Read && !receipts.isEmpty())
        __builtin_trap();
    const QString package = QStringLiteral("/Users/u/uncompress/1714564800/Reader_Update.pkg");
    for (const InstallReceipt &receipt : receipts)
        (void)InstallHistory::namesPackage(receipt, package);
    const InstallHistory::Confirmation confirmation =
        InstallHistory::confirm(package, QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    if ((confirmation == InstallHistory::HistoryUnreadable) != (status == InstallHistory::Unreadable))
        __builtin_trap();
    return 0;
}
