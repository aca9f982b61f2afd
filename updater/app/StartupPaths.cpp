#include "StartupPaths.h"

#include "CRegister.h"
#include "CUP_Log.h"
#include "LocaleInfo.h"
#include "UpdaterApp.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

QString GetUserPlitPath()
{
    // The console user is the user running the updater; its home is $HOME.
    const QString home = QDir::homePath();
    QString path;
    if (!home.isEmpty()) {
        CUP_Log::PrintLog(QStringLiteral("login homePath: ") + home);
        path = home + QStringLiteral("/Library/Preferences/com.orbel-software.%1.plist")
                          .arg(QStringLiteral("Orbel.PDF.Reader"));
    }
    CUP_Log::PrintLog(QStringLiteral("UserPlist path: ") + path);
    return path;
}

QString getLanFilePath(int language, int /*country*/)
{
    const QString base = QCoreApplication::applicationDirPath() + QStringLiteral("/../../../../");
    const _LocaleInfo *row = FindLocaleInfo(UpdaterApp::GetPackageType(), language);
    if (!row)
        return QString();
    const QString path = base + QStringLiteral("/lang/") + row->code + QStringLiteral("/leafviewer_") + row->code
                         + QStringLiteral(".qm");
    qDebug().noquote() << "qm path:" << path;
    CUP_Log::PrintLog(QStringLiteral("qm path: ") + path);
    return path;
}

QString getGLanFilePath(int language, int /*country*/)
{
    QString base = CRegister::regGetString(QStringLiteral("Leafviewer_UpdateOldPath"), QString());
    if (base.isEmpty())
        base = QCoreApplication::applicationDirPath();
    QString path = base + QStringLiteral("/../../../..");
    if (const _LocaleInfo *row = FindLocaleInfo(UpdaterApp::GetPackageType(), language))
        path += QStringLiteral("/lang/") + row->code + QStringLiteral("/qt_") + row->code + QStringLiteral(".qm");
    return path;
}
