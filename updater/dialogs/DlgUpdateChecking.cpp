#include "DlgUpdateChecking.h"

#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "DlgMessage.h"
#include "DlgUpdatesTree.h"
#include "UpdaterApp.h"
#include "Waits.h"

#include "ui_DlgUpdateChecking.h"

#include <QDebug>
#include <QTimer>

namespace {

// The version's four fields; a text without a further "." repeats as the
// remaining fields ("10.2" reads 10, 2, 2, 2).
void versionFields(QString text, int fields[4])
{
    for (int i = 0; i < 3; ++i) {
        const int dot = text.indexOf(QLatin1Char('.'));
        fields[i] = text.left(dot).toInt();
        if (dot >= 0)
            text = text.mid(dot + 1);
    }
    fields[3] = text.toInt();
}

} // namespace

DlgUpdateChecking::DlgUpdateChecking(QString type, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui_DlgUpdateChecking)
    , m_strType(type)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Widget);
}

DlgUpdateChecking::~DlgUpdateChecking()
{
    delete ui;
    delete m_pTimer;
}

void DlgUpdateChecking::setModuleManager(CReaderModuleManager *manager)
{
    m_pModuleManager = manager;
}

void DlgUpdateChecking::startUpdateCheck()
{
    if (!m_pModuleManager)
        return;
    startTimer(Waits::ms(Waits::CheckTimeout));
    connect(m_pModuleManager, SIGNAL(sQueryModuleInfoFinish()), this, SLOT(checkFinsh()));
    connect(m_pModuleManager, SIGNAL(sErrorFinish()), this, SLOT(ErrFinish()));
    connect(m_pModuleManager, SIGNAL(sErrorNetwork()), this, SLOT(ErrNetwork()));
    m_pModuleManager->QueryModuleInfo(ui->progressBar, false);
}

void DlgUpdateChecking::startTimer(int ms)
{
    if (!m_pTimer) {
        m_pTimer = new QTimer(this);
        connect(m_pTimer, SIGNAL(timeout()), this, SLOT(timeOut()));
    }
    m_pTimer->start(ms);
}

void DlgUpdateChecking::endCheck()
{
    // A failed reply brings both a network error and a failed download; a late
    // answer may follow a time-out. Only the first of them counts.
    if (m_pModuleManager)
        disconnect(m_pModuleManager, nullptr, this, nullptr);
    if (m_pTimer) {
        m_pTimer->stop();
        m_pTimer->deleteLater();
        m_pTimer = nullptr;
    }
}

bool DlgUpdateChecking::isAutomatic() const
{
    return theApp && theApp->GetCommandLine() && theApp->GetCommandLine()->GetUpdaterType() == "Auto Updater";
}

void DlgUpdateChecking::checkFinsh()
{
    endCheck();
    m_nState = 1;
    reject();
    if (m_pModuleManager)
        OnUpdateQueryResult(m_pModuleManager->GetQueryResultInfo());
}

bool DlgUpdateChecking::OnUpdateQueryResult(QueryResultInfo info)
{
    if (!theApp || !m_pModuleManager)
        return true;
    const bool automatic = isAutomatic();
    // In both early ends the dialog lets go of the manager; the run owns it and
    // ends without using it again.
    if (!info.bQueryDone) { // no reply reached the parser
        if (!automatic)
            theApp->NotifyMainCallBack(UPDATE_CHECK_ERRORNETWORK);
        theApp->SetCheckEnded(true);
        m_nState = -1;
        reject();
        m_pModuleManager = nullptr;
        return true;
    }
    if (!info.bHasUpdate) {
        if (!automatic)
            theApp->NotifyMainCallBack(UPDATE_CHECK_FINISHED);
        m_pModuleManager = nullptr;
        theApp->SetCheckEnded(true);
        reject();
        return true;
    }

    // Silent installs are the caller's: nothing to show while every module is one.
    bool offered = false;
    for (int i = 0; i < m_pModuleManager->CountAvailableModule() && !offered; ++i) {
        const MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        offered = module && !module->SilentInstall;
    }
    if (!offered)
        return true;

    theApp->SendProcData(std::string("Orbel_Updater:_cstate") + "checking-complete");
    theApp->SendProcData(std::string("Orbel_Updater:_cstate") + "downloading-begin");
    if (!automatic)
        theApp->NotifyMainCallBack(m_bShowMessage ? UPDATE_CHECK_AUTOCLOSE : UPDATE_CHECK_CLOSE);

    DlgUpdatesTree tree(m_pModuleManager, theApp, nullptr);
    theApp->SetCheckEnded(true);
    tree.exec();
    // The check is over whichever way the tree ended: this window is never seen,
    // so a loop left running after an Escape in the tree would never end.
    reject();
    return true;
}

void DlgUpdateChecking::ErrFinish()
{
    // The manager has shown its warning; the reader still waits for a word.
    endWithNetworkFailure();
}

void DlgUpdateChecking::ErrNetwork()
{
    endWithNetworkFailure();
}

void DlgUpdateChecking::endWithNetworkFailure()
{
    endCheck();
    if (theApp) {
        if (!isAutomatic())
            theApp->NotifyMainCallBack(UPDATE_CHECK_ERRORNETWORK);
        theApp->SetCheckEnded(true);
    }
    m_nState = -1;
    reject();
}

void DlgUpdateChecking::on_cancelButton_clicked()
{
    endCheck();
    m_nState = 0;
    if (m_pModuleManager)
        m_pModuleManager->stopDownload();
    reject();
}

void DlgUpdateChecking::timeOut()
{
    qDebug().noquote() << "Update Time out\n";
    if (m_nState != -1)
        return;
    endCheck();
    if (m_bShowMessage) {
        DlgMessage box(this);
        box.setInformation(tr("Cannot establish connection to the Server, Check your network."));
        const QPoint centre = UpdaterApp::GetMainAppCenterPos();
        box.move(centre.x() - box.width() / 2, centre.y() - box.height() / 2);
        box.exec();
    } else if (theApp) {
        theApp->NotifyMainCallBack(UPDATE_CHECK_ERRORNETWORK);
    }
    if (theApp)
        theApp->SetCheckEnded(true);
    reject();
}

bool DlgUpdateChecking::CheckMajorVersionUpgrade(std::string version)
{
    int module[4];
    int reader[4];
    versionFields(QString::fromStdString(version), module);
    versionFields(theApp ? QString::fromStdString(theApp->GetReaderVersion()) : QString(), reader);
    for (int i = 0; i < 4; ++i) {
        if (module[i] != reader[i])
            return module[i] > reader[i];
    }
    return false;
}
