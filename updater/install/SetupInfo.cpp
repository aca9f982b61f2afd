#include "SetupInfo.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isBelow(const QString &folder, const QString &path)
{
    if (folder.isEmpty() || path.isEmpty())
        return false;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix) && path.size() > prefix.size();
}

} // namespace

bool IsSetupInstallerInside(const QString &folder, const QString &installerPath)
{
    if (folder.isEmpty() || installerPath.isEmpty() || installerPath.contains(QChar(0)))
        return false;
    const QString cleanFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString cleanPath = QDir::cleanPath(QFileInfo(installerPath).absoluteFilePath());
    if (!isBelow(cleanFolder, cleanPath))
        return false;

    // A link inside the folder may still point out of it: the installer, or for
    // one not there yet the nearest path above it that is, must resolve inside.
    const QString realFolder = QFileInfo(cleanFolder).canonicalFilePath();
    if (realFolder.isEmpty())
        return true;
    QFileInfo probe(cleanPath);
    while (!probe.exists() && !probe.isSymLink())
        probe = QFileInfo(probe.absolutePath());
    if (probe.absoluteFilePath() == cleanFolder)
        return true;
    return isBelow(realFolder, probe.canonicalFilePath());
}
