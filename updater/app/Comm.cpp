#include "Comm.h"

#include "COB_WideString.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

bool Comm::deleteDir(const QString &folder)
{
    // A link in the folder's own place goes like a link inside it: the link alone,
    // never the tree it points to. The trailing separator would make lstat follow it.
    const QString own = QDir::cleanPath(folder);
    if (QFileInfo(own).isSymLink()) {
        if (QFile::remove(own))
            return true;
        qDebug().noquote() << "remove file" << own << " faild!";
        return false;
    }

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
