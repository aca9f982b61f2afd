#include "Sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// XDG overrides would lead QStandardPaths out of the sandbox's home.
const char *const kUnset[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_DIRS",
                              "XDG_CONFIG_DIRS", "ORBEL_UPDATER_SERVICE_URL", "ORBEL_UPDATER_DARK",
                              "ORBEL_UPDATER_TIME_SCALE", "ORBEL_UPDATER_WAITS"};
} // namespace

Sandbox::Sandbox()
{
    if (!m_dir.isValid())
        ADD_FAILURE() << "cannot create a sandbox directory";
    QDir().mkpath(root());
    QDir().mkpath(home());
    QDir().mkpath(tmp());
    saveAndSet("ORBEL_UPDATER_ROOT", root().toLocal8Bit());
    saveAndSet("HOME", home().toLocal8Bit());
    saveAndSet("TMPDIR", tmp().toLocal8Bit());
    // Parallel tests must not fight over the reader's well-known port.
    saveAndSet("ORBEL_UPDATER_LISTEN_PORT", "0");
    for (const char *name : kUnset)
        saveAndUnset(name);
}

Sandbox::~Sandbox()
{
    for (auto it = m_saved.constBegin(); it != m_saved.constEnd(); ++it) {
        if (m_wasSet.value(it.key()))
            qputenv(it.key().constData(), it.value());
        else
            qunsetenv(it.key().constData());
    }
}

void Sandbox::saveAndSet(const QByteArray &name, const QByteArray &value)
{
    if (!m_saved.contains(name)) {
        m_wasSet.insert(name, qEnvironmentVariableIsSet(name.constData()));
        m_saved.insert(name, qgetenv(name.constData()));
    }
    qputenv(name.constData(), value);
}

void Sandbox::saveAndUnset(const QByteArray &name)
{
    if (!m_saved.contains(name)) {
        m_wasSet.insert(name, qEnvironmentVariableIsSet(name.constData()));
        m_saved.insert(name, qgetenv(name.constData()));
    }
    qunsetenv(name.constData());
}

void Sandbox::setEnv(const QByteArray &name, const QByteArray &value)
{
    saveAndSet(name, value);
}

void Sandbox::listOnlyOwnProcesses()
{
    const QString bin = base() + QStringLiteral("/bin");
    const QString script = QStringLiteral("#!/bin/sh\n"
                                          "/bin/ps \"$@\" | { IFS= read -r header; printf '%s\\n' \"$header\"; "
                                          "grep -F -- '%1/'; }\n")
                               .arg(base());
    if (!writeFile(bin + QStringLiteral("/ps"), script.toLocal8Bit())
        || !QFile::setPermissions(bin + QStringLiteral("/ps"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        ADD_FAILURE() << "cannot write the sandbox's ps";
    setEnv("PATH", (bin + QLatin1Char(':')).toLocal8Bit() + qgetenv("PATH"));
}

QString Sandbox::root() const { return m_dir.path() + QStringLiteral("/root"); }
QString Sandbox::home() const { return m_dir.path() + QStringLiteral("/home"); }
QString Sandbox::tmp() const { return m_dir.path() + QStringLiteral("/tmp"); }

QString Sandbox::systemPath(const QString &path) const
{
    return root() + (path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
}

QString Sandbox::dataRoot(const QString &layout) const
{
    return home() + QStringLiteral("/.local/share/Orbel Software/") + layout + QLatin1Char('/');
}

QString Sandbox::logFile(const QString &layout) const
{
    return dataRoot(layout) + QStringLiteral("Orbel PDF Reader/Log/UpdaterApp/Update.log");
}

QString Sandbox::userPlist() const
{
    return home() + QStringLiteral("/Library/Preferences/com.orbel-software.Orbel.PDF.Reader.plist");
}

QString Sandbox::readerBundle() const
{
    return systemPath(QStringLiteral("/Applications/Orbel PDF Reader.app"));
}

QString Sandbox::updaterExecutable() const
{
    return readerBundle() + QStringLiteral("/Contents/Helpers/Orbel Updater.app/Contents/MacOS/OrbelUpdater");
}

QString Sandbox::installUpdater() const
{
    const QString target = updaterExecutable();
    if (QFileInfo::exists(target))
        return target;
    QDir().mkpath(QFileInfo(target).path());
    // A copy, not a link: the updater finds its bundle from its own location.
    if (!QFile::copy(QStringLiteral(ORBEL_UPDATER_EXE), target))
        ADD_FAILURE() << "cannot copy the updater into the sandbox";
    return target;
}

bool Sandbox::writeFile(const QString &path, const QByteArray &contents) const
{
    const QString full = QDir::isAbsolutePath(path) ? path : base() + QLatin1Char('/') + path;
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(contents) == contents.size();
}

QByteArray Sandbox::readFile(const QString &path) const
{
    const QString full = QDir::isAbsolutePath(path) ? path : base() + QLatin1Char('/') + path;
    QFile file(full);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QProcessEnvironment Sandbox::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}
