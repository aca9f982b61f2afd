#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

// Scrambled forms and language files for tests, made by the ScrambleText tool
// (tools/) as whoever prepares the toolkit's files would make them.
namespace ScrambledFiles {

inline QString tool()
{
    return QStringLiteral(ORBEL_TOOLS_DIR "/ScrambleText");
}

// Runs the tool; its exit code, or -1 when it did not run to the end.
inline int run(const QStringList &arguments, QByteArray *errors = nullptr)
{
    QProcess process;
    process.start(tool(), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (errors)
        *errors = process.readAllStandardError();
    return process.exitCode();
}

inline bool writePlain(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Writes `text` (UTF-8) scrambled at path, folders made as needed.
inline bool write(const QString &path, const QByteArray &text)
{
    const QString plain = path + QStringLiteral(".plain");
    const bool done = writePlain(plain, text) && run({QStringLiteral("scramble"), plain, path}) == 0;
    QFile::remove(plain);
    return done;
}

} // namespace ScrambledFiles
