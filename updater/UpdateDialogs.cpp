#include "UpdateDialogs.h"

#include "CDlgComponentFound.h"
#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "UpdaterApp.h"
#include "Waits.h"
#include "dlgfound.h"

#include <QDebug>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

namespace {

// Stand-ins until the windows exist: the check runs and reports its outcome to
// the reader without showing anything; nothing is offered, accepted or installed
// without a user to ask.
class BuiltInDialogs : public UpdateDialogs
{
public:
    int execUpdateChecking(CReaderModuleManager *manager) override
    {
        if (!manager)
            return QDialog::Rejected;
        enum { Waiting, Finished, Failed } outcome = Waiting;
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(manager, &CReaderModuleManager::sQueryModuleInfoFinish, &loop, [&] {
            outcome = Finished;
            loop.quit();
        });
        auto failed = [&] {
            outcome = Failed;
            loop.quit();
        };
        QObject::connect(manager, &CReaderModuleManager::sErrorFinish, &loop, failed);
        QObject::connect(manager, &CReaderModuleManager::sErrorNetwork, &loop, failed);
        timeout.start(Waits::ms(Waits::CheckTimeout));
        manager->QueryModuleInfo(nullptr, false);
        if (outcome == Waiting)
            loop.exec();
        QObject::disconnect(manager, nullptr, &loop, nullptr);

        if (!theApp)
            return QDialog::Rejected;
        const bool automatic = theApp->GetCommandLine()
                               && theApp->GetCommandLine()->GetUpdaterType() == "Auto Updater";
        if (outcome == Waiting) {
            theApp->NotifyMainCallBack(UPDATE_CHECK_ERRORNETWORK);
        } else if (outcome == Failed) {
            if (!automatic)
                theApp->NotifyMainCallBack(UPDATE_CHECK_ERRORNETWORK);
        } else if (manager->CountAvailableModule() <= 0) {
            if (!automatic)
                theApp->NotifyMainCallBack(UPDATE_CHECK_FINISHED);
        } else {
            qDebug().noquote() << "updates are on offer; the available-updates dialog is not in this build";
            if (!automatic)
                theApp->NotifyMainCallBack(UPDATE_CHECK_CLOSE);
        }
        theApp->SetCheckEnded(true);
        return QDialog::Rejected;
    }

    int execComponentFound(ComponentInfo &request) override
    {
        CDlgComponentFound dialog(request, nullptr);
        return dialog.exec();
    }

    void execFound(const std::string &type, bool flag, bool second, bool third, bool fourth,
                   CReaderModuleManager *manager) override
    {
        dlgfound dialog(type, flag, second, third, fourth, manager, nullptr);
        dialog.exec();
    }
};

UpdateDialogs *installed = nullptr;

} // namespace

UpdateDialogs::~UpdateDialogs() = default;

UpdateDialogs &UpdateDialogs::current()
{
    static BuiltInDialogs builtIn;
    return installed ? *installed : builtIn;
}

void UpdateDialogs::install(UpdateDialogs *dialogs)
{
    installed = dialogs;
}
