#include "UpdaterProcess.h"

#include "Sandbox.h"

#include <QFile>

std::unique_ptr<QProcess> startUpdater(const Sandbox &sandbox, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(sandbox.environment());
    process->setWorkingDirectory(sandbox.base());
    process->setProgram(sandbox.installUpdater());
    process->setArguments(arguments);
    process->start();
    process->waitForStarted();
    return process;
}

UpdaterRun runUpdater(const Sandbox &sandbox, const QStringList &arguments, int timeoutMs)
{
    UpdaterRun run;
    auto process = startUpdater(sandbox, arguments);
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
