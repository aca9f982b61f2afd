#include "PlistTool.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {
const char kWriter[] = R"(
import datetime, plistlib, sys
value = eval(sys.argv[2])
fmt = plistlib.FMT_BINARY if sys.argv[3] == 'binary' else plistlib.FMT_XML
with open(sys.argv[1], 'wb') as f:
    plistlib.dump(value, f, fmt=fmt, sort_keys=False)
)";

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
with open(sys.argv[1], 'rb') as f:
    print(json.dumps(conv(plistlib.load(f))))
)";

bool runPython(const QStringList &arguments, QByteArray *out)
{
    QProcess python;
    // Debian's own interpreter, not whichever python3 the PATH finds first.
    python.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!python.waitForFinished(30000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0)
        return false;
    if (out)
        *out = python.readAllStandardOutput();
    return true;
}
} // namespace

bool PlistTool::write(const QString &path, const QString &pythonDict, Format format)
{
    QDir().mkpath(QFileInfo(path).path());
    return runPython({QStringLiteral("-c"), QString::fromLatin1(kWriter), path, pythonDict,
                      format == Format::Binary ? QStringLiteral("binary") : QStringLiteral("xml")},
                     nullptr);
}

QJsonValue PlistTool::read(const QString &path)
{
    QByteArray out;
    if (!runPython({QStringLiteral("-c"), QString::fromLatin1(kReader), path}, &out))
        return QJsonValue(QJsonValue::Undefined);
    const QJsonDocument doc = QJsonDocument::fromJson(out);
    if (doc.isObject())
        return doc.object();
    if (doc.isArray())
        return doc.array();
    return QJsonValue(QJsonValue::Undefined);
}

QString PlistTool::topLevelKey(const QString &settingsKey)
{
    return QString(settingsKey).replace(QLatin1Char('/'), QLatin1Char('.'));
}
