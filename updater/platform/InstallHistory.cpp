#include "InstallHistory.h"

#include "PlistReader.h"
#include "SystemPaths.h"

#include <QFile>
#include <QFileInfo>

#include <plist/plist.h>

#include <cstdlib>

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const qint64 kPlistEpochOffsetSecs = 978307200;

// By iterator: libplist finds an item of an array read from a binary file by
// walking from the first, which over a long history is quadratic.
template <typename Visit>
void forEachItem(plist_t array, Visit visit)
{
    plist_array_iter it = nullptr;
    plist_array_new_iter(array, &it);
    plist_t item = nullptr;
    plist_array_next_item(array, it, &item);
    while (item) {
        visit(item);
        item = nullptr;
        plist_array_next_item(array, it, &item);
    }
    std::free(it);
}

InstallReceipt receiptFrom(plist_t dict)
{
    InstallReceipt receipt;
    plist_t date = plist_dict_get_item(dict, "date");
    if (date && plist_get_node_type(date) == PLIST_DATE) {
        int32_t secs = 0;
        int32_t usecs = 0;
        plist_get_date_val(date, &secs, &usecs);
        receipt.date = QDateTime::fromMSecsSinceEpoch((kPlistEpochOffsetSecs + secs) * 1000 + usecs / 1000, Qt::UTC);
    }
    receipt.displayName = PlistReader::string(plist_dict_get_item(dict, "displayName"));
    receipt.displayVersion = PlistReader::string(plist_dict_get_item(dict, "displayVersion"));
    receipt.processName = PlistReader::string(plist_dict_get_item(dict, "processName"));
    plist_t identifiers = plist_dict_get_item(dict, "packageIdentifiers");
    if (identifiers && plist_get_node_type(identifiers) == PLIST_ARRAY) {
        forEachItem(identifiers, [&receipt](plist_t item) {
            if (plist_get_node_type(item) == PLIST_STRING)
                receipt.packageIdentifiers.append(PlistReader::string(item));
        });
    }
    return receipt;
}

} // namespace

QString InstallHistory::path()
{
    return SystemPaths::resolve(QStringLiteral("/Library/Receipts/InstallHistory.plist"));
}

InstallHistory::Status InstallHistory::read(QVector<InstallReceipt> &receipts)
{
    receipts.clear();
    QFile file(path());
    if (!file.exists())
        return Missing;
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable;
    const QByteArray data = file.readAll();
    if (data.isEmpty() || file.error() != QFileDevice::NoError)
        return Unreadable;

    plist_t root = PlistReader::parse(data);
    if (!root)
        return Unreadable;
    if (plist_get_node_type(root) != PLIST_ARRAY) {
        plist_free(root);
        return Unreadable;
    }
    forEachItem(root, [&receipts](plist_t item) {
        if (plist_get_node_type(item) == PLIST_DICT)
            receipts.append(receiptFrom(item));
    });
    plist_free(root);
    return Read;
}

bool InstallHistory::namesPackage(const InstallReceipt &receipt, const QString &packagePath)
{
    const QString fileName = QFileInfo(packagePath).fileName();
    if (fileName.isEmpty())
        return false;
    auto names = [&fileName](const QString &text) {
        return !text.isEmpty() && fileName.contains(text, Qt::CaseSensitive);
    };
    if (names(receipt.displayName))
        return true;
    for (const QString &identifier : receipt.packageIdentifiers) {
        if (names(identifier))
            return true;
    }
    return false;
}

InstallHistory::Confirmation InstallHistory::confirm(const QString &packagePath, const QDateTime &installerStarted)
{
    QVector<InstallReceipt> receipts;
    switch (read(receipts)) {
    case Missing:
        return HistoryMissing;
    case Unreadable:
        return HistoryUnreadable;
    case Read:
        break;
    }
    // The history keeps whole seconds: a receipt of the same second counts.
    const qint64 since = installerStarted.toMSecsSinceEpoch() / 1000 * 1000;
    for (const InstallReceipt &receipt : receipts) {
        if (receipt.date.isValid() && receipt.date.toMSecsSinceEpoch() >= since
            && namesPackage(receipt, packagePath))
            return Confirmed;
    }
    return NoReceipt;
}
