#include "CUpdateCertFile.h"

CUpdateCertFile::CUpdateCertFile(QObject *parent)
    : QObject(parent)
{
}

void CUpdateCertFile::UpdateFile()
{
    // The certificate lists arrive with the HTTP transfer.
}

int CUpdateCertFile::UpdateFileEx(QString &, QString &)
{
    return 2;
}

void CUpdateCertFile::slotQueryModuleInfoFinish(QString)
{
}
