// ScrambleText scramble <plain> <scrambled>
// ScrambleText unscramble <scrambled> <plain>
// Writes and reads the toolkit's scrambled text files (forms, and language files
// when they are shipped scrambled): the UTF-8 text scrambled with the toolkit's
// key, then the MD5 of the scrambled bytes. A scrambled file is read back before
// it is kept, so a text the toolkit could not read (not UTF-8, empty) is refused.
#include "AUILibConfig.h"
#include "Encrypter.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

bool readAll(const QString &path, QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.readAll();
    return file.error() == QFile::NoError;
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

int scramble(const QString &plainPath, const QString &scrambledPath)
{
    QByteArray text;
    if (!readAll(plainPath, text)) {
        fprintf(stderr, "ScrambleText: cannot read %s\n", qPrintable(plainPath));
        return 1;
    }
    if (text.isEmpty()) {
        fprintf(stderr, "ScrambleText: %s is empty; a scrambled file holds at least one byte\n",
                qPrintable(plainPath));
        return 1;
    }
    std::vector<unsigned char> body(text.begin(), text.end());
    Encrypter::RC4CryptBlock(body);
    unsigned char digest[16];
    Encrypter::MD5Generate(body.data(), static_cast<unsigned int>(body.size()), digest);
    QByteArray file(reinterpret_cast<const char *>(body.data()), static_cast<int>(body.size()));
    file.append(reinterpret_cast<const char *>(digest), sizeof(digest));
    if (!writeAll(scrambledPath, file)) {
        fprintf(stderr, "ScrambleText: cannot write %s\n", qPrintable(scrambledPath));
        return 1;
    }
    const std::wstring back = Encrypter::ReadAndDecryptFile(scrambledPath.toStdWString());
    if (AUILib::WStringToUtf8(back) != text.toStdString()) {
        QFile::remove(scrambledPath);
        fprintf(stderr, "ScrambleText: %s is not UTF-8 text; nothing written\n", qPrintable(plainPath));
        return 1;
    }
    return 0;
}

int unscramble(const QString &scrambledPath, const QString &plainPath)
{
    const std::wstring text = Encrypter::ReadAndDecryptFile(scrambledPath.toStdWString());
    if (text.empty()) {
        fprintf(stderr, "ScrambleText: %s is missing, too short, fails its digest or is not UTF-8 text\n",
                qPrintable(scrambledPath));
        return 1;
    }
    if (!writeAll(plainPath, QByteArray::fromStdString(AUILib::WStringToUtf8(text)))) {
        fprintf(stderr, "ScrambleText: cannot write %s\n", qPrintable(plainPath));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString command = argc == 4 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == "scramble")
        return scramble(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (command == "unscramble")
        return unscramble(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    fprintf(stderr, "usage: ScrambleText scramble <plain> <scrambled>\n"
                    "       ScrambleText unscramble <scrambled> <plain>\n");
    return 2;
}
