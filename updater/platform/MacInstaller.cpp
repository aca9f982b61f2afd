#include "MacInstaller.h"

#include "SystemPaths.h"
#include "Waits.h"

#include <QDir>
#include <QProcess>

namespace {

bool isInstallerApplication(const QString &path)
{
    const QString app = MacInstaller::installerApplication();
    const QString cleaned = QDir::cleanPath(path);
    return cleaned == app || cleaned == SystemPaths::resolve(app);
}

} // namespace

QString MacInstaller::installerProgram()
{
    return QStringLiteral("/System/Library/CoreServices/Installer.app/Contents/MacOS/Installer");
}

QString MacInstaller::installerApplication()
{
    return QStringLiteral("/System/Library/CoreServices/Installer.app");
}

QString MacInstaller::resolveProgram(const QString &program, const QString &argument)
{
    if (program == QLatin1String("open")) {
        // "open" hands a package to the Installer; "open" of the Installer itself
        // only raises its window, which has no meaning here.
        if (isInstallerApplication(argument))
            return QString();
        return SystemPaths::resolve(installerProgram());
    }
    if (program == installerProgram())
        return SystemPaths::resolve(installerProgram());
    return program;
}

bool MacInstaller::start(QProcess &process, const QString &program, const QString &argument)
{
    const QString resolved = resolveProgram(program, argument);
    if (resolved.isEmpty())
        return false;
    process.start(resolved, QStringList{argument});
    return process.waitForStarted(Waits::ms(Waits::ShellCommand));
}

int MacInstaller::execute(const QString &program, const QString &argument)
{
    const QString resolved = resolveProgram(program, argument);
    if (resolved.isEmpty())
        return 0;
    QProcess process;
    process.start(resolved, QStringList{argument});
    if (!process.waitForStarted(Waits::ms(Waits::ShellCommand)))
        return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}
