#include "UpdateDialogs.h"

#include "CDlgComponentFound.h"
#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "DlgUpdateChecking.h"
#include "UpdaterApp.h"
#include "Waits.h"
#include "dlgfound.h"

#include <QDebug>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

namespace {

// The product's own dialogs.
class BuiltInDialogs : public UpdateDialogs
{
public:
    int execUpdateChecking(CReaderModuleManager *manager) override
    {
        if (!manager)
            return QDialog::Rejected;
        DlgUpdateChecking dialog(QStringLiteral("Update List"), nullptr);
        dialog.setModuleManager(manager);
        dialog.startUpdateCheck();
        // Only a modal loop for the query: the window itself is never seen.
        dialog.showMinimized();
        dialog.setVisible(false);
        dialog.setAttribute(Qt::WA_DontShowOnScreen);
        const int result = dialog.exec();

        // The dialog has dealt with every outcome but one: an answer that offers
        // nothing to show, or only silent installs.
        if (!theApp || dialog.m_nState != 1 || theApp->IsCheckEnded())
            return result;
        if (theApp->GetCommandLine() && theApp->GetCommandLine()->GetUpdaterType() == "Update List")
            theApp->NotifyMainCallBack(UPDATE_CHECK_FINISHED);
        theApp->SetCheckEnded(true);
        return result;
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
