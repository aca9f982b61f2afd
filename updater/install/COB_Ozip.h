#pragma once

#include <QString>
#include <cstdio>

// Reader of update packages: a 28-byte header (magic, CRC-32 of the rest), one
// LZMA-alone section holding the data of every entry back to back, and a
// directory naming the entries. Used as a local object.
class COB_Ozip
{
public:
    // Result codes of Unzip2; callers treat everything below Done as failure.
    enum Result {
        Done = 1,
        EntryFailed = 0,     // an entry cannot be created or written (or its name is unsafe)
        BadMagic = -1,
        BadCrc = -2,
        CannotOpen = -3,
        BadContents = -4,    // the section or the directory cannot be used
    };

    static const unsigned long Magic = 0x19780625UL;

    COB_Ozip() = default;
    virtual ~COB_Ozip();

    // Unpacks the package into destDir, which should be a fresh folder.
    int Unzip2(const QString &packagePath, const QString &destDir);

    // Decodes one LZMA-alone file into another.
    bool UnzipFileToFile(const QString &compressedFile, const QString &decodedFile);

    static unsigned long RunCRC32(const unsigned char *data, unsigned long length, unsigned long polynomial);
    static void BuildTable64(unsigned long polynomial, unsigned long *table);
    // Same table without reducing to 32 bits; the low 32 bits match BuildTable64.
    static void BuildTable32(unsigned long polynomial, unsigned long *table);
    static bool MyReadFile(FILE *stream, void *buffer, unsigned long count);
};
