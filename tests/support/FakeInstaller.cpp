#include "FakeInstaller.h"

#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString installFakeInstaller(const Sandbox &sandbox)
{
    const QString target =
        sandbox.systemPath(QStringLiteral("/System/Library/CoreServices/Installer.app/Contents/MacOS/Installer"));
    if (QFileInfo::exists(target))
        return target;
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::copy(QStringLiteral(ORBEL_TOOLS_DIR "/orbel_fake_installer"), target))
        return QString();
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return target;
}
