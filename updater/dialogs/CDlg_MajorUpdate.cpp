#include "CDlg_MajorUpdate.h"

#include "ui_CDlg_MajorUpdate.h"

#include "CReaderModuleManager.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "ModuleInfo.h"
#include "UpdaterApp.h"

#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

namespace {

const char kUpdaterKey[] = "Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater";
const char kRejectVersion[] = "UpdateRejectVersion";
const char kChecked[] = "MajorUpdateChecked";
// The count the update check takes for "answered".
const quint32 kAnswered = 3;

const char kWebHost[] = "www.orbel-software.example";
const char kChinaWebHost[] = "www.orbel-software-cn.example";

QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

CDlg_MajorUpdate::CDlg_MajorUpdate(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui_CDlg_MajorUpdate)
    , m_pApp(theApp)
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowMaximizeButtonHint);

    // Replaced as text: a translated title may hold any other '%'.
    ui->lb_title->setText(ui->lb_title->text().replace(QLatin1String("%s"),
                                                       QString::fromStdString(UpdaterApp::GetProductName())));
    if (m_pApp) {
        if (!m_pApp->GetNoticeTitle().isEmpty())
            ui->lb_title->setText(m_pApp->GetNoticeTitle());
        if (!m_pApp->GetNoticeContent().isEmpty())
            ui->lb_des->setText(m_pApp->GetNoticeContent());
        if (!m_pApp->GetNoticeButton().isEmpty())
            ui->btn_info->setText(m_pApp->GetNoticeButton());
    }
}

CDlg_MajorUpdate::~CDlg_MajorUpdate()
{
    delete ui;
    if (m_bAnswered)
        return;
    writeRejectedVersion();
    const quint32 count = CRegister::regGetDword(QLatin1String(kUpdaterKey), QLatin1String(kChecked));
    CRegister::regSetDword(QLatin1String(kUpdaterKey), QLatin1String(kChecked), count < kAnswered ? count + 1 : 1);
}

QString CDlg_MajorUpdate::upgradeLink(const QString &packageType, const QString &language,
                                      const QString &readerVersion)
{
    const QString host = QLatin1String(packageType == QLatin1String("zh-CN") ? kChinaWebHost : kWebHost);
    const int lastDot = readerVersion.lastIndexOf(QLatin1Char('.'));
    const QString version = lastDot < 0 ? readerVersion : readerVersion.left(lastDot);
    // One arg() call fills every value at once, each encoded for the query, so
    // that no value is read as a placeholder or splits the query.
    return (QStringLiteral("https://") + host
            + QStringLiteral("/go.php?do=redirect&title=%1&product=%2&language=%3&version=%4&edition=%5"))
        .arg(encoded(QStringLiteral("corvid4mac-upgrade")), encoded(QStringLiteral("Orbel CorvidPDF for mac")),
             encoded(language), encoded(version), encoded(QStringLiteral("Business")));
}

void CDlg_MajorUpdate::on_btn_info_clicked()
{
    m_bAnswered = true;
    if (writeRejectedVersion())
        CRegister::regSetDword(QLatin1String(kUpdaterKey), QLatin1String(kChecked), kAnswered);

    QString language = QStringLiteral("en-US");
    QString version;
    if (m_pApp) {
        language = QString::fromStdString(m_pApp->GetLang());
        if (m_pApp->GetCommandLine())
            version = QString::fromStdString(m_pApp->GetCommandLine()->GetReaderVersion());
    }
    const QString link = upgradeLink(UpdaterApp::GetPackageType(), language, version);
    qDebug().noquote() << "url: " + link;
    QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode));
    accept();
}

void CDlg_MajorUpdate::on_pushButton_2_clicked()
{
    reject();
}

bool CDlg_MajorUpdate::writeRejectedVersion()
{
    CReaderModuleManager *manager = m_pApp ? m_pApp->GetModuleManager() : nullptr;
    if (!manager)
        return false;
    for (int i = 0; i < manager->CountSelModules(); ++i) {
        const MODULEINFO *module = manager->GetSelModule(i);
        if (module && module->module_type == "updater" && module->bMajorUpgrade) {
            CRegister::regSetString(QLatin1String(kUpdaterKey), QLatin1String(kRejectVersion),
                                    QString::fromStdString(module->version));
            return true;
        }
    }
    return false;
}
