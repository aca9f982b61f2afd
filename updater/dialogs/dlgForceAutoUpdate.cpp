#include "dlgForceAutoUpdate.h"

#include "ui_dlgForceAutoUpdate.h"

#include "UpdaterApp.h"

dlgForceAutoUpdate::dlgForceAutoUpdate(CReaderModuleManager *manager, QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
    , ui(new Ui_dlgForceAutoUpdate)
    , m_pModuleManager(manager)
{
    ui->setupUi(this);
    // Every marker names the reader; replaced as text, so a translation may place
    // them anywhere and hold any other '%'.
    QString detail = tr("Your IT administrator has required a %s update. %s must be closed to proceed with the "
                        "installation. Please close %s and then click Retry to continue.");
    detail.replace(QLatin1String("%s"), QString::fromStdString(UpdaterApp::GetProductName()));
    ui->lbl_detail->setText(detail);
    connect(ui->btn_Install, SIGNAL(clicked()), this, SLOT(onBtnInstall()));
    m_nResult = 1;
}

dlgForceAutoUpdate::~dlgForceAutoUpdate()
{
    delete ui;
}

void dlgForceAutoUpdate::onBtnInstall()
{
    accept();
}
