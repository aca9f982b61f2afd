// Feeds arbitrary bytes to the update-package reader as a package file.
#include "COB_Ozip.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = qputenv("QT_LOGGING_RULES", "*.debug=false");
    static QTemporaryDir work;
    (void)quiet;
    if (!work.isValid())
        return 0;

    QByteArray package(reinterpret_cast<const char *>(data), int(size));
    if (package.size() >= 33) {
        // Keep the announced dictionary modest so that the fuzzer's memory
        // limit is not hit by allocations the reader is entitled to make.
        if (package.at(32) != 0)
            package[32] = 0;
    }
    if (package.size() >= 12) {
        // Random bytes would almost never pass the CRC; make it match so the
        // structure behind it is what gets exercised.
        unsigned long crc = package.size() > 28
            ? COB_Ozip::RunCRC32(reinterpret_cast<const unsigned char *>(package.constData()) + 28,
                                 static_cast<unsigned long>(package.size() - 28), COB_Ozip::Magic)
            : 0;
        for (int i = 0; i < 4; ++i)
            package[8 + i] = char((crc >> (8 * i)) & 0xFF);
    }

    const QString path = work.filePath(QStringLiteral("package.bin"));
    const QString dest = work.filePath(QStringLiteral("out"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write(package);
    f.close();
    COB_Ozip ozip;
    ozip.Unzip2(path, dest);
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(dest).toStdString(), ignored);

    // Whatever the package says, nothing may land beside the destination.
    if (QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size() > 1)
        __builtin_trap();
    return 0;
}
