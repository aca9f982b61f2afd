#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A throw-away machine for one test: a root for every system path
// (ORBEL_UPDATER_ROOT), a home folder and a temporary folder, all inside one
// temporary directory. While a Sandbox lives, this process's environment points
// there; the destructor puts the environment back and removes everything.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox &) = delete;
    Sandbox &operator=(const Sandbox &) = delete;

    QString base() const { return m_dir.path(); }
    QString root() const;
    QString home() const;
    QString tmp() const;

    // A system path ("/Library/...") inside the sandbox's root.
    QString systemPath(const QString &path) const;

    // The per-user data folders as the updater computes them ("Continuous" or "Classic").
    QString dataRoot(const QString &layout = QStringLiteral("Continuous")) const;
    QString logFile(const QString &layout = QStringLiteral("Continuous")) const;

    // The reader's preferences plist of the sandbox's user.
    QString userPlist() const;

    // The fake reader bundle and, inside it, where the updater's executable lives.
    QString readerBundle() const;
    QString updaterExecutable() const;

    // Copies the built updater into the fake reader bundle (once); returns its path.
    QString installUpdater() const;

    // Writes a file (parents created); a relative path is taken under base().
    bool writeFile(const QString &path, const QByteArray &contents) const;
    QByteArray readFile(const QString &path) const;

    // The environment a child process of this sandbox runs with.
    QProcessEnvironment environment() const;

    // Sets a variable for this process (restored with the rest) and for child processes.
    void setEnv(const QByteArray &name, const QByteArray &value);

    // Puts a `ps` first in the PATH that lists only the processes started from inside
    // this sandbox: the updater looks for a running reader machine-wide, and other
    // runs on the same machine start fake readers of their own.
    void listOnlyOwnProcesses();

private:
    void saveAndSet(const QByteArray &name, const QByteArray &value);
    void saveAndUnset(const QByteArray &name);

    QTemporaryDir m_dir;
    QMap<QByteArray, QByteArray> m_saved;
    QMap<QByteArray, bool> m_wasSet;
};

// A test fixture whose every test runs in its own sandbox.
class SandboxTest : public ::testing::Test
{
protected:
    Sandbox sandbox;
};
