// MakeOzip <package> <folder>: packs a folder tree into an update package with
// the tests' writer (folders first, so that each exists before its files), for
// the demo and for trying packages by hand.
#include "OzipWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: MakeOzip <package> <folder>\n");
        return 2;
    }
    // Absolute, so that every entry's name is relative to the folder itself
    // whether the folder was named relative to the working folder or not.
    const QDir root(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    if (!root.exists()) {
        fprintf(stderr, "MakeOzip: no folder %s\n", argv[2]);
        return 1;
    }
    QStringList paths;
    QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();  // a folder sorts before everything inside it

    OzipWriter writer;
    for (const QString &path : paths) {
        const QByteArray name = root.relativeFilePath(path).toUtf8();
        if (QFileInfo(path).isDir()) {
            writer.directory(name + '/');
            continue;
        }
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            fprintf(stderr, "MakeOzip: cannot read %s\n", qPrintable(path));
            return 1;
        }
        writer.file(name, f.readAll());
    }
    if (!writer.write(QString::fromLocal8Bit(argv[1]))) {
        fprintf(stderr, "MakeOzip: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
