#pragma once

#include <QObject>
#include <QString>

// The trusted-certificate-list mode: fetches the EUTL and OATL lists named on the
// command line and prints one result code.
class CUpdateCertFile : public QObject
{
    Q_OBJECT
public:
    explicit CUpdateCertFile(QObject *parent = nullptr);

    void UpdateFile();
    int UpdateFileEx(QString &url, QString &file);

public slots:
    void slotQueryModuleInfoFinish(QString);
};
