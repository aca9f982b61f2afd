// A stand-in for the macOS Installer, for the demo and the tests: it installs
// nothing, but leaves in the install history the receipt the real Installer would.
//
//   Installer <package>
//
// Appends to "<root>/Library/Receipts/InstallHistory.plist" (root: ORBEL_UPDATER_ROOT)
// a receipt dated now whose display name is the package's file name without its
// extension, with the package identifier "com.orbel-software.pkg.<that name>" and
// the process name "Installer", then exits 0. A file beside the package changes that:
//   <package>.fail       exit 1, no receipt (as does a package that is not there)
//   <package>.noreceipt  exit 0, no receipt
#include "PlistReader.h"
#include "SystemPaths.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <plist/plist.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const qint64 kPlistEpochOffsetSecs = 978307200;

plist_t receiptFor(const QString &package)
{
    const QString name = QFileInfo(package).completeBaseName();
    plist_t receipt = plist_new_dict();
    // The history keeps whole seconds.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    plist_dict_set_item(receipt, "date", plist_new_date(static_cast<int32_t>(now - kPlistEpochOffsetSecs), 0));
    plist_dict_set_item(receipt, "displayName", plist_new_string(name.toUtf8().constData()));
    plist_dict_set_item(receipt, "displayVersion", plist_new_string(""));
    plist_t identifiers = plist_new_array();
    plist_array_append_item(identifiers,
                            plist_new_string(("com.orbel-software.pkg." + name).toUtf8().constData()));
    plist_dict_set_item(receipt, "packageIdentifiers", identifiers);
    plist_dict_set_item(receipt, "processName", plist_new_string("Installer"));
    return receipt;
}

// Several installers may end at once: the history is read and written under a
// lock on its folder, and replaced in one step.
bool appendReceipt(const QString &package)
{
    const QString history = SystemPaths::resolve(QStringLiteral("/Library/Receipts/InstallHistory.plist"));
    const QString folder = QFileInfo(history).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const int lock = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) {
        if (lock >= 0)
            ::close(lock);
        return false;
    }

    plist_t root = nullptr;
    QFile existing(history);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            ::close(lock);
            return false;
        }
        const QByteArray data = existing.readAll();
        existing.close();
        if (!data.isEmpty()) {
            root = PlistReader::parse(data);
            if (!root || plist_get_node_type(root) != PLIST_ARRAY) {
                // Never write over a history that cannot be read.
                if (root)
                    plist_free(root);
                ::close(lock);
                return false;
            }
        }
    }
    if (!root)
        root = plist_new_array();
    plist_array_append_item(root, receiptFor(package));

    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    plist_free(root);
    bool written = false;
    if (xml) {
        // Text holding a NUL, kept whole from a binary history, goes raw into the
        // XML, which no reader takes: the whole history would be lost. It is left as it is.
        plist_t check = PlistReader::parse(QByteArray::fromRawData(xml, static_cast<int>(length)));
        if (check) {
            plist_free(check);
            QSaveFile out(history);
            written = out.open(QIODevice::WriteOnly) && out.write(xml, length) == static_cast<qint64>(length)
                      && out.commit();
        }
        plist_to_xml_free(xml);
    }
    ::close(lock);
    return written;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: Installer <package>\n");
        return 2;
    }
    const QString package = QFile::decodeName(argv[1]);
    if (!QFileInfo::exists(package)) {
        std::fprintf(stderr, "Installer: no package at %s\n", argv[1]);
        return 1;
    }
    if (QFileInfo::exists(package + QStringLiteral(".fail")))
        return 1;
    if (QFileInfo::exists(package + QStringLiteral(".noreceipt")))
        return 0;
    if (!appendReceipt(package)) {
        std::fprintf(stderr, "Installer: cannot write the install history\n");
        return 1;
    }
    return 0;
}
