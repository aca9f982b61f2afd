#include "PlistTool.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// The files come as JSON on standard input: [[path, expression, "binary"|"xml"], ...].
const char kWriter[] = R"(
import datetime, json, plistlib, sys
for path, expression, fmt in json.load(sys.stdin):
    value = eval(expression)
    with open(path, 'wb') as f:
        plistlib.dump(value, f, fmt=plistlib.FMT_BINARY if fmt == 'binary' else plistlib.FMT_XML,
                      sort_keys=False)
)";

// One JSON value per file named on the command line; null for one it cannot read.
const char kReader[] = R"(
import datetime, json, plistlib, sys
def conv(v):
    if isinstance(v, bool): return v
    if isinstance(v, int): return {'int': v}
    if isinstance(v, float): return {'real': v}
    if isinstance(v, bytes): return {'data': v.hex()}
    if isinstance(v, datetime.datetime): return {'date': v.isoformat()}
    if isinstance(v, dict): return {k: conv(x) for k, x in v.items()}
    if isinstance(v, list): return [conv(x) for x in v]
    return v
def load(path):
    try:
        with open(path, 'rb') as f:
            return conv(plistlib.load(f))
    except Exception:
        return None
print(json.dumps([load(p) for p in sys.argv[1:]]))
)";

bool runPython(const QStringList &arguments, const QByteArray &input, QByteArray *out)
{
    QProcess python;
    // Debian's own interpreter by its full path: whatever python3 the PATH finds
    // first may be a slow wrapper or lack plistlib.
    python.start(QStringLiteral(ORBEL_PYTHON3), arguments);
    if (!python.waitForStarted(30000)) {
        ADD_FAILURE() << "cannot start " ORBEL_PYTHON3;
        return false;
    }
    python.write(input);
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        ADD_FAILURE() << "the plist tool failed: " << python.readAllStandardError().toStdString();
        return false;
    }
    if (out)
        *out = python.readAllStandardOutput();
    return true;
}
} // namespace

bool PlistTool::write(const QList<File> &files)
{
    QJsonArray list;
    for (const File &file : files) {
        QDir().mkpath(QFileInfo(file.path).path());
        list.append(QJsonArray{file.path, file.pythonValue,
                               file.format == Format::Binary ? QStringLiteral("binary") : QStringLiteral("xml")});
    }
    return runPython({QStringLiteral("-c"), QString::fromLatin1(kWriter)}, QJsonDocument(list).toJson(), nullptr);
}

bool PlistTool::write(const QString &path, const QString &pythonValue, Format format)
{
    return write(QList<File>{{path, pythonValue, format}});
}

QList<QByteArray> PlistTool::make(const QStringList &pythonValues, Format format)
{
    QTemporaryDir folder;
    QList<File> files;
    for (int i = 0; i < pythonValues.size(); ++i)
        files.append({folder.filePath(QString::number(i)), pythonValues.at(i), format});
    QList<QByteArray> made;
    const bool written = folder.isValid() && write(files);
    for (const File &file : files) {
        QFile in(file.path);
        made.append(written && in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray());
    }
    return made;
}

bool PlistTool::put(const QString &path, const QByteArray &bytes)
{
    static qint64 lastStamp = 0;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    // Flushed first: a write after the time is set would set it again.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    lastStamp = qMax(QDateTime::currentMSecsSinceEpoch(), lastStamp + 1);
    return file.setFileTime(QDateTime::fromMSecsSinceEpoch(lastStamp), QFileDevice::FileModificationTime);
}

QList<QJsonValue> PlistTool::read(const QStringList &paths)
{
    QList<QJsonValue> values;
    QByteArray out;
    const bool ran = runPython(QStringList{QStringLiteral("-c"), QString::fromLatin1(kReader)} + paths, QByteArray(), &out);
    const QJsonArray read = ran ? QJsonDocument::fromJson(out).array() : QJsonArray();
    for (int i = 0; i < paths.size(); ++i) {
        const QJsonValue value = read.at(i);
        values.append(value.isObject() || value.isArray() ? value : QJsonValue(QJsonValue::Undefined));
    }
    return values;
}

QJsonValue PlistTool::read(const QString &path)
{
    return read(QStringList{path}).first();
}

QString PlistTool::topLevelKey(const QString &settingsKey)
{
    return QString(settingsKey).replace(QLatin1Char('/'), QLatin1Char('.'));
}
