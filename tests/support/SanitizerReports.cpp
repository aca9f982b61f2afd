#include "SanitizerReports.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

const char kFolderVariable[] = "ORBEL_SANITIZER_REPORT_DIR";

QString &folder()
{
    static QString path;
    return path;
}

// Only the program that made the folder removes it: a child test program (a
// death test) reports into its parent's.
bool &ownsFolder()
{
    static bool owns = false;
    return owns;
}

} // namespace

void SanitizerReports::redirectChildren()
{
#ifdef ORBEL_SANITIZE
    if (qEnvironmentVariableIsSet(kFolderVariable)) {
        folder() = qEnvironmentVariable(kFolderVariable);
        return;
    }
    const QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/orbel-sanitizer-XXXXXX"));
    QByteArray made = pattern;
    if (!mkdtemp(made.data()))
        return;
    folder() = QFile::decodeName(made);
    ownsFolder() = true;
    qputenv(kFolderVariable, made);
    // This process read its options when it started; only its children see these.
    const QByteArray logPath = ":log_path=" + made + "/report";
    for (const char *name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        qputenv(name, qgetenv(name) + logPath);
#endif
}

QStringList SanitizerReports::take()
{
    QStringList reports;
    if (folder().isEmpty())
        return reports;
    QDir dir(folder());
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        reports.append(dir.filePath(name) + QStringLiteral(":\n") + QString::fromLocal8Bit(file.readAll()));
        file.close();
        file.remove();
    }
    return reports;
}

void SanitizerReports::cleanUp()
{
    if (ownsFolder())
        QDir(folder()).removeRecursively();
}
