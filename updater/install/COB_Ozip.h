#pragma once

#include <QString>
#include <atomic>
#include <cstdio>

// Reader of update packages: a 28-byte header (magic, CRC-32 of the rest), one
// LZMA-alone section holding the data of every entry back to back, and a
// directory naming the entries. Used as a local object.
//
// A package is not trusted: nothing is written outside the destination, the
// output never grows past the sizes the directory lists, and a package whose
// listed sizes do not fit on the disk fails before anything is written.
class COB_Ozip
{
public:
    // Result codes of Unzip2; callers treat everything below Done as failure.
    enum Result {
        Done = 1,
        EntryFailed = 0,     // an entry cannot be created or written (or its name is unsafe),
                             // the disk has no room for it, or the unpack was stopped
        BadMagic = -1,
        BadCrc = -2,
        CannotOpen = -3,
        BadContents = -4,    // the section or the directory cannot be used, or the
                             // section holds more or less than the directory lists
    };

    static const unsigned long Magic = 0x19780625UL;

    // Whether a result says the package's own bytes are at fault (no package, a
    // checksum that does not match, contents that cannot be used): the file will
    // never unpack, and only fetching it again can help.
    static bool isDamaged(int result) { return result == BadMagic || result == BadCrc || result == BadContents; }

    COB_Ozip() = default;
    virtual ~COB_Ozip();

    // Unpacks the package into destDir, which should be a fresh folder. What was
    // written before a failure stays; the caller removes the folder.
    int Unzip2(const QString &packagePath, const QString &destDir);

    // Why the last Unzip2 failed, in words a user can act on; empty after success.
    QString errorString() const { return m_error; }
    // Whether the last Unzip2 failed because the disk had no room for the package
    // (full, over quota, or past the largest file this system lets us write):
    // unpacking it again cannot help before room is made.
    bool failedForRoom() const { return m_bNoRoom; }

    // A flag another thread may set to stop a running Unzip2: it then ends soon
    // after with EntryFailed. Null (the default): never stopped.
    void setStopFlag(const std::atomic<bool> *stop) { m_stop = stop; }

    // Decodes one LZMA-alone file into another.
    bool UnzipFileToFile(const QString &compressedFile, const QString &decodedFile);

    static unsigned long RunCRC32(const unsigned char *data, unsigned long length, unsigned long polynomial);
    static void BuildTable64(unsigned long polynomial, unsigned long *table);
    // Same table without reducing to 32 bits; the low 32 bits match BuildTable64.
    static void BuildTable32(unsigned long polynomial, unsigned long *table);
    static bool MyReadFile(FILE *stream, void *buffer, unsigned long count);

private:
    int fail(int result, const QString &reason, bool noRoom = false);
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }
    int unpackEntries(int package, qint64 sectionLen, qint64 bodyLen, const QString &destDir);

    QString m_error;
    bool m_bNoRoom = false;
    const std::atomic<bool> *m_stop = nullptr;
};
