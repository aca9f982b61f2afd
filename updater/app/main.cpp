#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "CUP_Log.h"
#include "CUpdateCertFile.h"
#include "DlgDownload.h"
#include "MyApplication.h"
#include "StartupPaths.h"
#include "UpdaterApp.h"
#include "WindowSystem.h"

#include <QDebug>
#include <QFileInfo>
#include <QFont>
#include <QTranslator>
#include <memory>

namespace {

const QString kCertMode = QStringLiteral("-downloadTrustCertfile");
const QString kReminderMode = QStringLiteral("setnextautoupdatetime:");
const QString kNoInternetMode = QStringLiteral("checkbDisableInternet");

QStringList commandArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromUtf8(argv[i]));
    return arguments;
}

int readLanguageSetting(const QString &name, int fallback, const QString &plistPath)
{
    const QVariant value = CRegister::regGetVariant(QStringLiteral("Preferences/Languages") + QLatin1Char('/') + name,
                                                    fallback, plistPath, QString(), QString());
    return value.toString().toInt(nullptr, 10);
}

int runCertificateMode(const QString &rawCommand, const QString &parseCommand)
{
    // The mode word is its own argument in practice; then the quoted join starts with it too.
    const QString rest = parseCommand.startsWith(kCertMode) ? parseCommand.mid(kCertMode.size())
                                                            : rawCommand.mid(kCertMode.size());
    std::unique_ptr<CSetup_CommandLine> commandLine(new CSetup_CommandLine);
    commandLine->ProcessCmdLine(rest);
    theApp = new UpdaterApp(commandLine.get(), nullptr);
    std::unique_ptr<CUpdateCertFile> certFile(new CUpdateCertFile);
    certFile->UpdateFile();
    certFile.reset();
    commandLine.reset();
    return 0;
}

// Whether the run this command line asks for opens a window: the modes of
// start-up never do, nor do the roads without a dialog.
bool opensWindows(const QStringList &arguments)
{
    const QString command = JoinCommandArguments(arguments);
    if (command.startsWith(kCertMode) || command.startsWith(kReminderMode) || command.startsWith(kNoInternetMode))
        return false;
    CSetup_CommandLine commandLine;
    commandLine.ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
    return UpdaterApp::OpensWindows(UpdaterApp::ChooseRoad(commandLine));
}

} // namespace

int main(int argc, char *argv[])
{
    // A run that cannot show its windows leaves nothing behind: it ends here
    // when no display is named, or as the application object is made when the
    // named one cannot be opened. So the log (its folder) comes only after that.
    if (!WindowSystem::beforeApplication(opensWindows(commandArguments(argc, argv))))
        return 1;

    std::unique_ptr<MyApplication> application(new MyApplication(argc, argv));
    WindowSystem::applicationMade();
    CUP_Log::CreateLog();
    if (application->isRunning())
        return 0;

    application->setStyleSheet(QStringLiteral("QPushButton{height: 32pt}"));
    WindowSystem::applyLook();
    // Every module manager of the run downloads and installs through a DlgDownload.
    DlgDownload::registerAsDownloadWindow();

    const QStringList arguments = commandArguments(argc, argv);
    const QString command = JoinCommandArguments(arguments);
    CUP_Log::PrintLog(QStringLiteral("qsCmd: ") + command);

    if (command.startsWith(kCertMode))
        return runCertificateMode(command, JoinCommandArgumentsForParse(arguments));

    std::unique_ptr<CSetup_CommandLine> commandLine(new CSetup_CommandLine);
    commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));

    const QString plistPath = GetUserPlitPath();
    const int language = readLanguageSetting(QStringLiteral("nChooseLan"), 31, plistPath);
    const int country = readLanguageSetting(QStringLiteral("nChooseCountry"), 225, plistPath);
    CUP_Log::PrintLog(QStringLiteral("plist path and lang value: ") + QFileInfo(plistPath).fileName()
                      + QLatin1Char('\n') + QString::number(language));

    std::unique_ptr<QTranslator> translator(new QTranslator);
    if (translator->load(getLanFilePath(language, country), QString(), QString(), QString()))
        application->installTranslator(translator.get());
    std::unique_ptr<QTranslator> qtTranslator(new QTranslator);
    if (qtTranslator->load(getGLanFilePath(language, country), QString(), QString(), QString()))
        application->installTranslator(qtTranslator.get());

    QFont font;
    font.setPixelSize(12);
    application->setFont(font);

    if (!command.isEmpty() && command.startsWith(kReminderMode)) {
        CRegister::regSetString(QStringLiteral("HKEY_CURRENT_USER\\")
                                    + QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater"),
                                QStringLiteral("LastDay"), command.mid(kReminderMode.size()));
        return 0;
    }
    if (command.startsWith(kNoInternetMode))
        return 0;

    theApp = new UpdaterApp(commandLine.get(), nullptr);
    theApp->runUpdate(language, country);
    if (theApp->IsQuitRequested())
        return 0;

    qDebug().noquote() << "ready to enter the  updater  main-->  eventloop ---> application.exec()";
    return application->exec();
}
