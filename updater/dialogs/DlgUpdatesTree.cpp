#include "DlgUpdatesTree.h"

#include "CAppearanceObserver.h"
#include "CReaderModuleManager.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "UpdaterApp.h"

#include "ui_DlgUpdatesTree.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStandardItemModel>

#include <algorithm>

namespace {

const char kUpdaterKey[] = "Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater";

bool isAddon(const MODULEINFO *module)
{
    return module->module_type == "service" || module->module_type == "basic";
}

// "5767168B" shows as "5.50MB"; a size that does not parse shows as 0.
QString sizeText(const std::string &size)
{
    bool ok = false;
    const qlonglong bytes = QString::fromStdString(size).remove(QLatin1Char('B')).toLongLong(&ok, 10);
    const double megabytes = (ok ? double(bytes) : 0.0) / 1024 / 1024;
    return DlgUpdatesTree::tr("%1MB").arg(megabytes, 0, 'f', 2);
}

} // namespace

DlgUpdatesTree::DlgUpdatesTree(CReaderModuleManager *manager, UpdaterApp *app, QWidget *parent)
    : QDialog(parent)
    , m_pModuleManager(manager)
    , m_pUpdaterApp(app)
    , ui(new Ui_DlgUpdatesTree)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Widget);

    ui->textEdit->setReadOnly(true);
    ui->treeView_4->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->btn_skip->setVisible(false);
    OnAppearanceSetting(false);

    const CSetup_CommandLine *commandLine = theApp ? theApp->GetCommandLine() : nullptr;
    ui->label_version->setText(tr("Version: ")
                               + QString::fromStdString(commandLine ? commandLine->GetReaderVersion() : std::string()));
    ui->label_available_updates->setText(tr("Available Updates"));
    ui->button_download->setText(tr("Download and Install"));
    setWindowTitle(ui->button_download->text());
    ui->button_cancel->setText(tr("Close"));

    m_bHasAddon = false;
    m_bHasReaderUpdate = false;
    InitDialog();

    connect(ui->button_download, SIGNAL(clicked()), this, SLOT(OnOK()));
    connect(ui->btn_skip, SIGNAL(clicked()), this, SLOT(OnSkip()));
    connect(ui->button_cancel, SIGNAL(clicked()), this, SLOT(OnCancel()));
    connect(ui->treeView_4, SIGNAL(clicked(QModelIndex)), this, SLOT(OnTreeViewClicked(QModelIndex)));
    ui->treeView_4->setAccessibleDescription(QObject::tr("table"));

    CAppearanceObserver *observer = new CAppearanceObserver(this);
    OnAppearanceSetting(observer->isDarkMode());
    connect(observer, SIGNAL(signal_appearanceChanged(bool)), this, SLOT(OnAppearanceSetting(bool)));
}

DlgUpdatesTree::~DlgUpdatesTree()
{
    delete ui;
    // Group rows that never joined the tree have no owner but the dialog.
    for (QStandardItem *group : {m_pOcrItem, m_pAddonItem, m_pRootItem}) {
        if (group && !group->model() && !group->parent())
            delete group;
    }
}

void DlgUpdatesTree::InitDialog()
{
    ui->treeView_4->header()->hide();
    ui->treeView_4->header()->setStretchLastSection(true);

    const CSetup_CommandLine *commandLine = theApp ? theApp->GetCommandLine() : nullptr;
    if (commandLine && commandLine->GetUpdaterType() == "Auto Updater") {
        ui->combo_remind->addItem(tr("Remind Me Later"));
        ui->combo_remind->addItem(tr("After one hour"));
        ui->combo_remind->addItem(tr("After six hours"));
        ui->combo_remind->addItem(tr("After one day"));
        ui->combo_remind->addItem(tr("Never remind me"));
        ui->button_cancel->setVisible(true);
        connect(ui->combo_remind, SIGNAL(textActivated(QString)), this, SLOT(OnComboxResolve(QString)));
    } else {
        ui->combo_remind->setVisible(false);
    }

    m_pModel = new QStandardItemModel(ui->treeView_4);
    m_pRootItem = new QStandardItem(tr("Orbel PDF Reader Updates"));
    m_pAddonItem = new QStandardItem(tr("Add-ons"));
    m_pAddonItem->setCheckable(true);
    m_pOcrItem = new QStandardItem(tr("OCR"));
    m_pOcrItem->setCheckable(true);

    ui->button_download->setEnabled(false);
    ui->treeView_4->setModel(m_pModel);
    ui->treeView_4->setColumnWidth(0, 290);

    const int count = m_pModuleManager ? m_pModuleManager->CountAvailableModule() : 0;
    if (count < 1)
        return;

    m_pModel->appendRow(m_pRootItem);
    m_pModel->appendRow(m_pAddonItem);
    ui->treeView_4->setColumnWidth(0, 290);

    // The rows join their groups once, in title order. Sorting after every row
    // costs quadratic time, and sorting a group already in the model leaves Qt's
    // row look-ups searching from stale positions (seconds when a large tree closes).
    QVector<QList<QStandardItem *>> readerRows;
    QVector<QList<QStandardItem *>> addonRows;
    QVector<QList<QStandardItem *>> ocrRows;
    for (int i = 0; i < count; ++i) {
        MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        if (!module)
            continue;
        if (isAddon(module)) {
            m_bHasAddon = true;
            if (module->title.empty())
                continue;
            QVector<QList<QStandardItem *>> *rows = &addonRows;
            if (module->bOcrModule) {
                if (!m_bOcrAdded) {
                    addonRows.append({m_pOcrItem});
                    m_bOcrAdded = true;
                }
                rows = &ocrRows;
            }
            rows->append(moduleRow(module));
        } else if (module->module_type == "updater") {
            m_bHasReaderUpdate = true;
            readerRows.append(moduleRow(module));
        }
    }
    appendSorted(m_pOcrItem, ocrRows);
    appendSorted(m_pAddonItem, addonRows);
    appendSorted(m_pRootItem, readerRows);
    m_pRootItem->setCheckable(true);
    if (!m_moduleRows.isEmpty()) {
        m_pModel->setItem(0, 1, new QStandardItem(QString()));
        // The description of the module listed last.
        ui->textEdit->setText(QString::fromStdString(m_moduleRows.last().module->description));
    }

    // A removed row takes its items with it.
    if (!m_bHasReaderUpdate) {
        m_pModel->removeRow(m_pRootItem->row());
        m_pRootItem = nullptr;
    } else if (!m_bHasAddon) {
        m_pModel->removeRow(m_pAddonItem->row());
        m_pAddonItem = nullptr;
        // The OCR group went with it only if it had joined; otherwise the dialog still owns it.
        if (m_bOcrAdded)
            m_pOcrItem = nullptr;
    }
    ui->treeView_4->expandAll();

    rememberCheckStates(m_pModel->invisibleRootItem());
    connect(m_pModel, &QStandardItemModel::itemChanged, this, &DlgUpdatesTree::onItemChanged);
}

QList<QStandardItem *> DlgUpdatesTree::moduleRow(MODULEINFO *module)
{
    QStandardItem *item = new QStandardItem(QString::fromStdString(module->title));
    item->setCheckable(true);
    m_moduleRows.append({item, module});
    return {item, new QStandardItem(sizeText(module->size))};
}

void DlgUpdatesTree::appendSorted(QStandardItem *group, QVector<QList<QStandardItem *>> &rows)
{
    // By column 0, stable, as QStandardItem::sortChildren orders them.
    std::stable_sort(rows.begin(), rows.end(), [](const QList<QStandardItem *> &a, const QList<QStandardItem *> &b) {
        return *a.first() < *b.first();
    });
    for (const QList<QStandardItem *> &row : qAsConst(rows))
        group->appendRow(row);
}

void DlgUpdatesTree::OnAppearanceSetting(bool isDarkMode)
{
    setStyleSheet(isDarkMode ? QStringLiteral("QDialog{color:rgb(222,222,222);}")
                             : QStringLiteral("QDialog{color:rgb(26,26,26);}"));
    const bool chinese = UpdaterApp::GetPackageType() == QLatin1String("zh-CN") && theApp
                         && theApp->GetUILanguage() == 25;
    QString logo;
    if (chinese)
        logo = isDarkMode ? QStringLiteral(":/res/zh_cn/about-title-dark@2x.png")
                          : QStringLiteral(":/res/zh_cn/about-title@2x.png");
    else
        logo = isDarkMode ? QStringLiteral(":/res/about-title-dark@2x.png")
                          : QStringLiteral(":/res/about-title@2x.png");
    ui->label_logo->setPixmap(QIcon(logo).pixmap(QSize(319, 48), QIcon::Normal, QIcon::Off));
}

void DlgUpdatesTree::OnOK()
{
    // The selection follows the titles' order, as the download works through it.
    QVector<ModuleRow> rows = m_moduleRows;
    std::stable_sort(rows.begin(), rows.end(), [](const ModuleRow &a, const ModuleRow &b) {
        return QString::fromStdString(a.module->title) < QString::fromStdString(b.module->title);
    });
    for (const ModuleRow &row : qAsConst(rows)) {
        if (row.item->checkState() == Qt::Checked)
            AddModule(row.module);
    }
    m_bClosed = true;
    reject();
    m_bAskBeforeClose = false;
    if (m_pModuleManager)
        m_pModuleManager->ModuleCallback("Update List", m_pModuleManager, true);
}

bool DlgUpdatesTree::askBeforeClose(const QString &text)
{
    return QMessageBox::information(this, QObject::tr("Orbel PDF Reader") + tr(" Updater"), text,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

void DlgUpdatesTree::OnCancel()
{
    if (m_bAskBeforeClose && !askBeforeClose(tr("Are you sure you want to cancel the installation?")))
        return;
    reject();
    m_pModuleManager = nullptr;
    m_bClosed = true;
}

void DlgUpdatesTree::closeEvent(QCloseEvent *event)
{
    if (m_bAskBeforeClose && !askBeforeClose(tr("Are you sure you want to cancel the installation?"))) {
        event->ignore();
        return;
    }
    m_bClosed = true;
    reject();
    m_pModuleManager = nullptr;
    QDialog::closeEvent(event);
}

void DlgUpdatesTree::keyPressEvent(QKeyEvent *eve)
{
    if (eve->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(eve);
        return;
    }
    if (m_bAskBeforeClose && !askBeforeClose(tr("Are you sure you want to cancel the installation?"))) {
        eve->ignore();
        return;
    }
    reject();
}

void DlgUpdatesTree::OnComboxResolve(QString qsStr)
{
    if (qsStr == tr("Remind Me Later"))
        return;
    if (qsStr == tr("Never remind me")) {
        OnNotInstall();
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QDateTime next;
    if (qsStr == tr("After one day"))
        next = now.addDays(1);
    else if (qsStr == tr("After one hour"))
        next = now.addSecs(3600);
    else if (qsStr == tr("After six hours"))
        next = now.addSecs(21600);
    CRegister::regSetString(QStringLiteral("HKEY_CURRENT_USER\\") + QLatin1String(kUpdaterKey),
                            QStringLiteral("LastDay"), next.toString(Qt::TextDate));
    reject();
    m_bClosed = true;
}

void DlgUpdatesTree::OnNotInstall()
{
    if (!askBeforeClose(tr("Are you sure you want to cancel the installation? If you don't install it, the system "
                           "will skip this update until the next new version is detected."))) {
        ui->combo_remind->setCurrentIndex(0);
        return;
    }
    const int count = m_pModuleManager ? m_pModuleManager->CountAvailableModule() : 0;
    for (int i = 0; i < count; ++i)
        m_vecModules.append(m_pModuleManager->GetAvailabletModule(i));
    if (m_pModuleManager)
        m_pModuleManager->WriteRejectAutoUpdateInfo(m_vecModules, true);
    reject();
    m_bClosed = true;
}

void DlgUpdatesTree::OnSkip()
{
    const int count = m_pModuleManager ? m_pModuleManager->CountAvailableModule() : 0;
    for (int i = 0; i < count; ++i) {
        const MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        if (!module || module->module_type != "updater" || !module->bMajorUpgrade)
            continue;
        CRegister::regSetString(QLatin1String(kUpdaterKey), QStringLiteral("UpdateRejectVersion"),
                                QString::fromStdString(module->version));
        CRegister::regSetDword(QLatin1String(kUpdaterKey), QStringLiteral("MajorUpdateChecked"), 3);
        break;
    }
    reject();
    m_bClosed = true;
}
