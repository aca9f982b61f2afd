// Feeds arbitrary bytes to the settings store as a preferences file. A file is read
// or refused as a whole, the same way by the store and by the unreadable check; a
// refused file is never written over, and one that was read stays readable after
// the store writes it back.
#include "PlistSettings.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = qputenv("QT_LOGGING_RULES", "*.debug=false;*.warning=false");
    static QTemporaryDir work;
    static quint64 round = 0;
    (void)quiet;
    if (!work.isValid())
        return 0;

    // A new name every round: QSettings keeps what it read of a file by its name.
    const QString path = work.filePath(QStringLiteral("prefs%1.plist").arg(++round));
    const QByteArray contents(reinterpret_cast<const char *>(data), static_cast<int>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            return 0;
    }

    const bool unreadable = PlistSettings::isUnreadable(path);
    {
        auto store = PlistSettings::openFile(path);
        if ((store->status() != QSettings::NoError) != unreadable)
            __builtin_trap();
        for (const QString &key : store->allKeys())
            (void)store->value(key).toString();
        store->setValue(QStringLiteral("Fuzz/Written"), 1);
        store->sync();
        if ((store->status() != QSettings::NoError) != unreadable)
            __builtin_trap();
    }
    if (unreadable ? contentsOf(path) != contents : PlistSettings::isUnreadable(path))
        __builtin_trap();
    QFile::remove(path);
    return 0;
}
