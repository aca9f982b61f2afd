#include "CheckMacProcessRunning.h"

#include <QDebug>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The name goes into a single-quoted shell word: a quote inside it must not end
// the word and let the rest run as a command.
QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

bool CheckMacProcessRunning(const QString &name, QList<qulonglong> &found)
{
    const QString command = QStringLiteral("ps -ef|grep ") + shellQuoted(name)
                            + QStringLiteral(" |grep -v grep|grep -v .pkg");
    FILE *pipe = popen(command.toLocal8Bit().constData(), "r");
    if (!pipe)
        return false;

    const QByteArray wanted = name.toLocal8Bit();
    bool running = false;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) {
        size_t length = strlen(buffer);
        // A piece of a longer line has no line end yet: it is not judged.
        if (length == 0 || buffer[length - 1] != '\n')
            continue;
        buffer[--length] = '\0';
        found.append(static_cast<qulonglong>(atoi(buffer)));
        qDebug() << "id:" << buffer;
        const QByteArray line(buffer, static_cast<int>(length));
        if (line.endsWith(wanted)) {
            running = true;
            break;
        }
    }
    pclose(pipe);
    return running;
}
