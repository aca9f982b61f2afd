#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QVector>
#include <functional>

// Writes update-package containers for tests, benchmarks and the demo, without
// any of the reader's code: a 28-byte header (magic 0x19780625, CRC-32 of the
// rest with the magic as polynomial, length of the LZMA section), the
// LZMA-alone section with all entry data back to back, then the directory.
// Every field can be forced to a wrong value to build damaged packages.
class OzipWriter
{
public:
    static const quint32 Magic = 0x19780625;
    static const int HeaderSize = 28;
    static const int LzmaHeaderSize = 13;

    // Produces len bytes of an entry's data starting at offset.
    using Generator = std::function<void(quint64 offset, char *buf, size_t len)>;

    struct Entry
    {
        QByteArray name;           // stored as given: "\" or "/" separators, any bytes
        QByteArray data;
        quint64 generatedSize = 0; // with a generator instead of data
        Generator generator;
        qint64 declaredSize = -1;  // size written in the directory; -1: the real size
        int nameLength = -1;       // name-length byte; -1: the name's size
        quint8 skippedByte = 0x5A;
        quint64 size() const { return generator ? generatedSize : quint64(data.size()); }
    };

    struct Options
    {
        int level = 1;                 // LZMA SDK level 0-9
        quint32 dictSize = 1 << 20;
        bool endMark = false;          // size unknown in the LZMA header, stream ends with the end marker
        qint64 announcedSize = -1;     // forces the LZMA header's size (-1: real, or unknown with endMark)
        QByteArray trailingData;       // compressed after the entries, named by no entry
        qint64 magic = -1;             // forces the magic
        qint64 crc = -1;               // forces the CRC field
        qint64 sectionLength = -1;     // forces the length field
        int entryCount = -1;           // forces the directory's count
    };

    OzipWriter &file(const QByteArray &name, const QByteArray &data);
    OzipWriter &directory(const QByteArray &name);  // name must end in "/" or "\"
    OzipWriter &generated(const QByteArray &name, quint64 size, Generator generator);
    OzipWriter &add(const Entry &entry);
    // Adds count empty entries that each list 4 GiB - 1 bytes, and announces in the
    // LZMA header all the directory then lists: a small package whose listed sizes
    // pass any disk (65534 entries list about 256 TiB), a decompression bomb.
    OzipWriter &listBeyondAnyDisk(int count);

    Options &options() { return m_options; }
    const QVector<Entry> &entries() const { return m_entries; }

    QByteArray bytes() const;
    // Streams to disk; suited to large generated entries. False on any I/O error.
    bool write(const QString &path) const;
    bool write(QIODevice &device) const;

    // The container's CRC over arbitrary bytes, and a container whose CRC field
    // is made to match its (possibly damaged) contents.
    static quint32 crc(const char *data, size_t len, quint32 crc = 0);
    static QByteArray withCrcFixed(QByteArray container);
    static QByteArray lzmaAlone(const QByteArray &data, bool endMark = false, int level = 1);

    // A package of bodySize zero bytes after its header, sparse on disk: it takes
    // no room, yet the reader's checksum pass reads every byte (the checksum of
    // zeros is 0), so unpacking it takes long, a second or more per few GiB. It
    // holds no entries.
    static bool writeHollow(const QString &path, qint64 bodySize);

    // Field offsets of a written container, for cutting it at every field.
    static quint32 sectionLength(const QByteArray &container);
    static int directoryOffset(const QByteArray &container) { return HeaderSize + int(sectionLength(container)); }

private:
    QVector<Entry> m_entries;
    Options m_options;
};
