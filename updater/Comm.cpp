#include "Comm.h"

#include "COB_WideString.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

bool Comm::deleteDir(const QString &folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return true;

    QString base = QDir::toNativeSeparators(folder);
    if (!base.endsWith(QDir::separator()))
        base += QDir::separator();

    bool failed = false;
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Unsorted);
    for (const QString &name : names) {
        const QString path = base + name;
        const QFileInfo info(path);
        if (info.isSymLink() || info.isFile()) {
            QFile file(path);
            // chmod would follow a link and change its target outside the folder.
            if (!info.isSymLink())
                file.setPermissions(QFileDevice::WriteOwner);
            if (!file.remove()) {
                qDebug().noquote() << "remove file" << path << " faild!";
                failed = true;
            }
        } else if (info.isDir()) {
            if (!deleteDir(path))
                failed = true;
        }
    }
    if (!QDir().rmdir(QDir::toNativeSeparators(dir.absolutePath()))) {
        qDebug().noquote() << "remove dir" << dir.absolutePath() << " faild!";
        failed = true;
    }
    return !failed;
}

QString Comm::ws2qs(const COB_WideString &text)
{
    return QString::fromWCharArray(text.c_str());
}
