#include "UpdaterProcess.h"

#include "Sandbox.h"

#include <QFile>

std::unique_ptr<QProcess> startUpdater(const Sandbox &sandbox, const QStringList &arguments)
{
    return startUpdater(sandbox, arguments, sandbox.environment());
}

std::unique_ptr<QProcess> startUpdater(const Sandbox &sandbox, const QStringList &arguments,
                                       const QProcessEnvironment &environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(sandbox.base());
    process->setProgram(sandbox.installUpdater());
    process->setArguments(arguments);
    process->start();
    process->waitForStarted();
    return process;
}

namespace {

UpdaterRun waitForRun(const Sandbox &sandbox, std::unique_ptr<QProcess> process, int timeoutMs)
{
    UpdaterRun run;
    run.finished = process->waitForFinished(timeoutMs);
    if (!run.finished) {
        process->kill();
        process->waitForFinished();
    }
    run.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    run.out = QString::fromUtf8(process->readAllStandardOutput());
    run.err = QString::fromUtf8(process->readAllStandardError());
    QFile log(sandbox.logFile());
    if (log.open(QIODevice::ReadOnly))
        run.log = QString::fromUtf8(log.readAll());
    return run;
}

} // namespace

UpdaterRun runUpdater(const Sandbox &sandbox, const QStringList &arguments, int timeoutMs)
{
    return waitForRun(sandbox, startUpdater(sandbox, arguments), timeoutMs);
}

UpdaterRun runUpdaterWithoutDisplay(const Sandbox &sandbox, const QStringList &arguments, int timeoutMs)
{
    return runUpdaterOnDisplay(sandbox, arguments, QString(), timeoutMs);
}

UpdaterRun runUpdaterOnDisplay(const Sandbox &sandbox, const QStringList &arguments, const QString &display,
                               int timeoutMs)
{
    QProcessEnvironment environment = sandbox.environment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    return waitForRun(sandbox, startUpdater(sandbox, arguments, environment), timeoutMs);
}
