#include "dlgfound.h"

#include "ui_dlgfound.h"

#include "CAppearanceObserver.h"
#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "DownloadWindow.h"
#include "UpdaterApp.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QStandardItemModel>

namespace {

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

dlgfound::dlgfound(std::string updaterType, bool, bool, bool autoDownload, bool, CReaderModuleManager *manager,
                   QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
    , ui(new Ui_dlgfound)
{
    ui->setupUi(this);
    setWindowTitle(tr("Download and Install"));
    setWindowFlags(Qt::WindowFlags());

    m_pModuleManager = manager;
    if (!m_pModuleManager) {
        m_ownManager.reset(new CReaderModuleManager(qs(updaterType), nullptr));
        m_pModuleManager = m_ownManager.get();
    }

    ui->txt_desc->setReadOnly(true);
    ui->treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->treeView->setAccessibleDescription(QObject::tr("table"));
    setTitleImage(false);

    m_bAutoDownload = autoDownload;
    m_strUpdaterType = updaterType;
    m_bRepeatRequest = false;

    const std::string version =
        theApp && theApp->GetCommandLine() ? theApp->GetCommandLine()->GetReaderVersion() : std::string();
    ui->lbl_version->setText(tr("Version: ") + qs(version));

    connect(ui->btn_close, &QPushButton::clicked, this, &dlgfound::OnCancel);
    connect(ui->btn_download, &QPushButton::clicked, this, &dlgfound::downloadInstall);
    connect(ui->treeView, &QTreeView::clicked, this, &dlgfound::OnTreeViewClicked);
    connect(m_pModuleManager, &CReaderModuleManager::sSendDownloadProgress, this, &dlgfound::showDownloadProgress);
    connect(m_pModuleManager, &CReaderModuleManager::sSendInstallProgress, this, &dlgfound::showInstallProgress);
    connect(m_pModuleManager, &CReaderModuleManager::sSendInstallPkg, this, &dlgfound::startInstallPkg);

    auto *appearance = new CAppearanceObserver(this);
    OnAppearanceSetting(appearance->isDarkMode());
    connect(appearance, &CAppearanceObserver::signal_appearanceChanged, this, &dlgfound::OnAppearanceSetting);

    InitDialog();
}

dlgfound::~dlgfound()
{
    // The manager outlives the window; nothing of it may call back into a dialog that is gone.
    if (m_pModuleManager)
        m_pModuleManager->disconnect(this);
    delete ui;
}

void dlgfound::InitDialog()
{
    m_pModel = new QStandardItemModel(ui->treeView);
    ui->treeView->setModel(m_pModel);
    m_pModel->setHorizontalHeaderLabels({tr("Module Name"), tr("Size"), tr("Progress")});
    setColumnWidths();

    if (m_strUpdaterType == "Update List") {
        OnDownloadQueryResult(QStringLiteral("1"), QStringLiteral("0"));
    } else if (m_strUpdaterType == "Auto Updater") {
        OnDownloadQueryResult(QStringLiteral("1"), QStringLiteral("2"));
    } else if (m_pModuleManager->CountSelModules() < 1) {
        ui->btn_download->setEnabled(false);
        QueryUpdate();
    }
    OnDownload();
}

void dlgfound::QueryUpdate()
{
    // The query is asynchronous: it runs on this thread's event loop, where the
    // manager lives, and nobody waits for it.
    m_pModuleManager->QueryModuleInfo(nullptr, false);
}

void dlgfound::setColumnWidths()
{
    ui->treeView->setColumnWidth(0, 220);
    ui->treeView->setColumnWidth(1, 130);
}

void dlgfound::OnDownloadQueryResult(const QString &result, const QString &kind)
{
    const bool fresh = kind != QLatin1String("1");
    if (m_pModuleManager && fresh)
        m_pModuleManager->stopDownload();
    if (result.isEmpty()) {
        OnExit();
        return;
    }
    if (fresh) {
        m_pModuleManager->InitSelModuleInfo();
        m_nDownloadState = 1;
        ui->btn_download->setText(tr("Download"));
    }

    const bool forcedOnly = theApp && theApp->IsForcedUpgrade();
    for (int i = 0; i < m_pModuleManager->CountSelModules(); ++i) {
        MODULEINFO *module = m_pModuleManager->GetSelModule(i);
        if (!module)
            return;
        if (forcedOnly && !module->forcedUpgrade)
            continue;
        if (CanFindAppointItem(module))
            continue;
        if (fresh)
            ui->btn_download->setEnabled(true);
        ui->txt_desc->setText(qs(module->description));

        const int row = m_pModel->rowCount();
        const QString title = qs(module->title);
        auto *name = new QStandardItem(title);
        QString sizeText = qs(module->size);
        sizeText.remove(QLatin1Char('B'));
        // 64 bits: packages past 2 GiB are real, and a 32-bit read would show them as nothing.
        const qint64 bytes = sizeText.toLongLong(nullptr, 10);
        auto *size = new QStandardItem(tr("%1MB").arg(double(bytes) * 0.0009765625 * 0.0009765625, 0, 'f', 2));
        auto *progress = new QStandardItem(tr("Waiting"));
        m_pModel->setItem(row, 0, name);
        m_pModel->setItem(row, 1, size);
        m_pModel->setItem(row, 2, progress);
        m_mapNameItems.insert(title, name);
        m_mapProgressItems.insert(title, progress);
        m_mapModules.insert(title, module);
        m_moduleProgressItems.insert(module, progress);
        setColumnWidths();

        if (!kind.isEmpty() && m_nDownloadState == 4) {
            ui->btn_download->setEnabled(true);
            m_nDownloadState = 1;
            ui->btn_download->setText(tr("Download"));
            OnDownload();
        }
    }
    if (fresh && m_bAutoDownload)
        OnDownload();
}

QStandardItem *dlgfound::progressCell(const MODULEINFO *module) const
{
    return module ? m_moduleProgressItems.value(module, nullptr) : nullptr;
}

bool dlgfound::isInstallingOrDone(const QString &progressText) const
{
    // Compared with the very prefix the install texts are written with, so a
    // translation that words "Install" differently on its own still matches.
    return progressText.isEmpty() || progressText.startsWith(tr("Install "));
}

void dlgfound::OnDownload()
{
    switch (m_nDownloadState) {
    case 1:
        m_nDownloadState = 2;
        ui->btn_download->setText(tr("Pause"));
        m_pModuleManager->startDownload();
        DownloadModule(nullptr);
        break;
    case 2: {
        m_nDownloadState = 3;
        ui->btn_download->setText(tr("Continue"));
        QStandardItem *cell = progressCell(m_pModuleManager->GetCurDownloadModule());
        if (cell && !isInstallingOrDone(cell->text())) {
            cell->setText(tr("Suspended"));
            m_pModuleManager->OnDownloadPause();
        }
        break;
    }
    case 3: {
        m_nDownloadState = 2;
        QStandardItem *cell = progressCell(m_pModuleManager->GetCurDownloadModule());
        if (cell && !isInstallingOrDone(cell->text())) {
            ui->btn_download->setText(tr("Pause"));
            cell->setText(tr("Downloading"));
            m_pModuleManager->OnDownloadResume();
        }
        break;
    }
    case 4:
        reject();
        break;
    default:
        break;
    }
}

void dlgfound::downloadInstall()
{
    OnDownload();
}

void dlgfound::DownloadModule(MODULEINFO *after)
{
    MODULEINFO *next = m_pModuleManager->GetNextSelModule(after);
    if (m_pModel->rowCount() > 0 && next) {
        if (QStandardItem *cell = progressCell(next))
            cell->setText(tr("Downloading"));
        m_pModuleManager->SetCurDownloadModuleInfo(next);
        m_pModuleManager->Download(next);
        return;
    }
    ui->btn_download->setText(tr("OK"));
    ui->btn_download->setEnabled(true);
    ui->btn_close->setEnabled(false);
    m_nDownloadState = 4;
}

void dlgfound::showDownloadProgress(QString title, double percent)
{
    const auto found = m_mapProgressItems.constFind(title);
    if (found == m_mapProgressItems.constEnd() || !found.value())
        return;
    found.value()->setText(tr("Download ") + QString::number(int(percent)) + tr("%"));
    ui->btn_download->setEnabled(true);
}

void dlgfound::showInstallProgress(QString title, int percent)
{
    const auto found = m_mapProgressItems.constFind(title);
    if (found != m_mapProgressItems.constEnd() && found.value()) {
        QStandardItem *cell = found.value();
        cell->setText(tr("Install ") + QString::number(percent) + tr("%"));
        if (percent == -1) {
            cell->setIcon(QIcon(QStringLiteral(":/res/popup_warning.png")));
            cell->setText(QString());
            m_nDownloadState = 2;
        } else if (percent == 100) {
            cell->setIcon(QIcon(QStringLiteral(":/res/popup_success.png")));
            cell->setText(QString());
            m_nDownloadState = 2;
        }
        ui->btn_download->setEnabled(false);
    }

    for (QStandardItem *cell : qAsConst(m_mapProgressItems)) {
        if (cell && !cell->text().isEmpty())
            return;
    }
    ui->btn_download->setText(tr("Pause"));
    ui->btn_download->setEnabled(false);
    ui->btn_close->setText(tr("Close"));
}

// The end of the install round trip (see DlgDownload::onReadyToInstall): the
// package the manager's window announced goes back to it to be installed.
void dlgfound::startInstallPkg(QString packagePath)
{
    DownloadWindow *window = m_pModuleManager->GetDownloadWindow();
    if (!window)
        return;
    window->setVisible(false);
    window->installHasDownloadUpdates(packagePath);
}

void dlgfound::OnTreeViewClicked(QModelIndex index)
{
    // Only the name cell names a module; a size or progress text that happens to
    // equal a title must not pick that module.
    if (index.column() != 0)
        return;
    const QString text = index.data(Qt::DisplayRole).toString();
    const auto found = m_mapNameItems.constFind(text);
    if (found == m_mapNameItems.constEnd() || !found.value())
        return;
    if (MODULEINFO *module = m_mapModules.value(text, nullptr))
        ui->txt_desc->setText(qs(module->description));
}

bool dlgfound::confirmQuit()
{
    const QString product = QObject::tr("Orbel PDF Reader");
    return QMessageBox::information(
               this, product + tr(" Updater"),
               tr("%1 is downloading the latest %2 version now, are you sure you want to quit?").arg(product, product),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

void dlgfound::quit()
{
    // Closing alone would leave the transfer running for a window that is gone.
    OnExit();
    reject();
}

void dlgfound::OnCancel()
{
    if (!ui->btn_download->isEnabled() || confirmQuit())
        quit();
}

void dlgfound::closeEvent(QCloseEvent *event)
{
    if (!ui->btn_download->isEnabled() || confirmQuit())
        quit();
    else
        event->ignore();
}

void dlgfound::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Once nothing is left to download or install, asking whether to stop the
    // download would be a question about nothing.
    if (isWorkOver() || confirmQuit())
        quit();
    else
        event->ignore();
}

bool dlgfound::isWorkOver() const
{
    if (m_nDownloadState == 4)
        return true;
    if (m_mapProgressItems.isEmpty())
        return false;
    for (const QStandardItem *cell : m_mapProgressItems) {
        if (cell && !cell->text().isEmpty())
            return false;
    }
    return true;
}

void dlgfound::OnExit()
{
    m_pModuleManager->OnDownloadPause();
    if (m_pModuleManager->QueryStopDownload())
        m_pModuleManager->stopDownload();
    else if (m_nDownloadState != 3)
        m_pModuleManager->OnDownloadResume();
}

void dlgfound::OnAppearanceSetting(bool dark)
{
    setStyleSheet(dark ? QStringLiteral("color:rgb(222,222,222);") : QStringLiteral("color:rgb(26,26,26);"));
    setTitleImage(dark);
}

void dlgfound::setTitleImage(bool dark)
{
    const bool chinese = UpdaterApp::GetPackageType() == QLatin1String("zh-CN") && theApp
                         && theApp->GetUILanguage() == QLocale::Chinese;
    QString path;
    if (chinese)
        path = dark ? QStringLiteral(":/res/zh_cn/about-title-dark@2x.png") : QStringLiteral(":/res/zh_cn/about-title@2x.png");
    else
        path = dark ? QStringLiteral(":/res/about-title-dark@2x.png") : QStringLiteral(":/res/about-title@2x.png");
    ui->lbl_Img->setPixmap(QIcon(path).pixmap(319, 48));
}

bool dlgfound::CanFindAppointItem(MODULEINFO *module)
{
    if (!module)
        return false;
    const QString title = qs(module->title);
    for (int row = 0; row < m_pModel->rowCount(); ++row) {
        QStandardItem *name = m_pModel->item(row, 0);
        if (name && name->data(Qt::UserRole + 1).toString() == title)
            return true;
    }
    return false;
}

bool dlgfound::AddModuleToDownloadList(const std::string &name)
{
    MODULEINFO *found = nullptr;
    QString updaterTitle;
    for (int i = 0; i < m_pModuleManager->CountSelModules(); ++i) {
        MODULEINFO *module = m_pModuleManager->GetSelModule(i);
        if (!module)
            continue;
        if (!found && module->name == name)
            found = module;
        if (module->module_type == "updater")
            updaterTitle = qs(module->title);
    }
    bool updaterListed = false;
    for (int row = 0; row < m_pModel->rowCount(); ++row) {
        QStandardItem *cell = m_pModel->item(row, 0);
        if (cell && cell->text() == updaterTitle)
            updaterListed = true;
    }
    if (!found)
        return false;
    if (updaterListed && found->module_type == "updater")
        return false;
    if (found->bChecked) {
        m_bRepeatRequest = true;
        return false;
    }
    found->bChecked = true;
    m_pModuleManager->AddSelModule(found);
    return true;
}
