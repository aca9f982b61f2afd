#include "OzipWriter.h"

#include <LzmaEnc.h>

#include <QBuffer>
#include <QFile>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void *encAlloc(void *, size_t size)
{
    return size ? malloc(size) : nullptr;
}

void encFree(void *, void *address)
{
    free(address);
}

ISzAlloc encAllocator = {encAlloc, encFree};

void putLe(QByteArray &out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// Feeds the encoder the entries' data and then the trailing data.
struct EntrySource
{
    ISeqInStream s;
    const QVector<OzipWriter::Entry> *entries;
    const QByteArray *trailing;
    int index;
    quint64 offset;
};

SRes readEntries(void *pp, void *buf, size_t *size)
{
    EntrySource *src = static_cast<EntrySource *>(pp);
    size_t room = *size;
    size_t done = 0;
    char *out = static_cast<char *>(buf);
    while (done < room) {
        const int count = src->entries->size();
        if (src->index > count)
            break;
        if (src->index == count) {
            const QByteArray &t = *src->trailing;
            size_t n = qMin<size_t>(room - done, size_t(t.size() - qint64(src->offset)));
            memcpy(out + done, t.constData() + src->offset, n);
            done += n;
            src->offset += n;
            if (src->offset == quint64(t.size())) {
                ++src->index;
                src->offset = 0;
            }
            continue;
        }
        const OzipWriter::Entry &e = src->entries->at(src->index);
        quint64 left = e.size() - src->offset;
        size_t n = size_t(qMin<quint64>(room - done, left));
        if (e.generator)
            e.generator(src->offset, out + done, n);
        else
            memcpy(out + done, e.data.constData() + src->offset, n);
        done += n;
        src->offset += n;
        if (src->offset == e.size()) {
            ++src->index;
            src->offset = 0;
        }
    }
    *size = done;
    return SZ_OK;
}

struct DeviceSink
{
    ISeqOutStream s;
    QIODevice *device;
    quint64 written;
    bool failed;
};

size_t writeDevice(void *pp, const void *buf, size_t size)
{
    DeviceSink *sink = static_cast<DeviceSink *>(pp);
    if (sink->device->write(static_cast<const char *>(buf), qint64(size)) != qint64(size)) {
        sink->failed = true;
        return 0;
    }
    sink->written += size;
    return size;
}

bool encode(const OzipWriter::Options &opt, const QVector<OzipWriter::Entry> &entries, quint64 realSize,
            QIODevice &device, quint64 &compressed)
{
    CLzmaEncHandle enc = LzmaEnc_Create(&encAllocator);
    if (!enc)
        return false;
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = opt.level;
    props.dictSize = opt.dictSize;
    props.writeEndMark = opt.endMark ? 1 : 0;
    props.numThreads = 1;
    bool ok = LzmaEnc_SetProps(enc, &props) == SZ_OK;
    Byte propBytes[LZMA_PROPS_SIZE];
    SizeT propSize = LZMA_PROPS_SIZE;
    ok = ok && LzmaEnc_WriteProperties(enc, propBytes, &propSize) == SZ_OK;

    QByteArray head(reinterpret_cast<const char *>(propBytes), int(propSize));
    quint64 announced = opt.announcedSize >= 0 ? quint64(opt.announcedSize)
                                               : (opt.endMark ? ~quint64(0) : realSize);
    putLe(head, announced, 8);
    ok = ok && device.write(head) == head.size();

    EntrySource src{{readEntries}, &entries, &opt.trailingData, 0, 0};
    DeviceSink sink{{writeDevice}, &device, 0, false};
    ok = ok && LzmaEnc_Encode(enc, &sink.s, &src.s, nullptr, &encAllocator, &encAllocator) == SZ_OK && !sink.failed;
    LzmaEnc_Destroy(enc, &encAllocator, &encAllocator);
    compressed = quint64(head.size()) + sink.written;
    return ok;
}

} // namespace

OzipWriter &OzipWriter::file(const QByteArray &name, const QByteArray &data)
{
    Entry e;
    e.name = name;
    e.data = data;
    return add(e);
}

OzipWriter &OzipWriter::directory(const QByteArray &name)
{
    Entry e;
    e.name = name;
    return add(e);
}

OzipWriter &OzipWriter::generated(const QByteArray &name, quint64 size, Generator generator)
{
    Entry e;
    e.name = name;
    e.generatedSize = size;
    e.generator = std::move(generator);
    return add(e);
}

OzipWriter &OzipWriter::add(const Entry &entry)
{
    m_entries.append(entry);
    return *this;
}

OzipWriter &OzipWriter::listBeyondAnyDisk(int count)
{
    for (int i = 0; i < count; ++i) {
        Entry e;
        e.name = "f" + QByteArray::number(i);
        e.declaredSize = 0xFFFFFFFF;
        add(e);
    }
    quint64 listed = 0;
    for (const Entry &e : qAsConst(m_entries))
        listed += e.declaredSize >= 0 ? quint64(e.declaredSize) : e.size();
    m_options.announcedSize = qint64(listed);
    return *this;
}

quint32 OzipWriter::crc(const char *data, size_t len, quint32 crc)
{
    // Bit by bit, MSB first, on purpose unlike any table-driven reader.
    for (size_t i = 0; i < len; ++i) {
        crc ^= quint32(quint8(data[i])) << 24;
        for (int b = 0; b < 8; ++b)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ Magic : (crc << 1);
    }
    return crc;
}

QByteArray OzipWriter::withCrcFixed(QByteArray container)
{
    if (container.size() < 12)
        return container;
    quint32 value = container.size() > HeaderSize
        ? crc(container.constData() + HeaderSize, size_t(container.size() - HeaderSize)) : 0;
    for (int i = 0; i < 4; ++i)
        container[8 + i] = char((value >> (8 * i)) & 0xFF);
    return container;
}

QByteArray OzipWriter::lzmaAlone(const QByteArray &data, bool endMark, int level)
{
    QVector<Entry> one;
    Entry e;
    e.data = data;
    one.append(e);
    Options opt;
    opt.endMark = endMark;
    opt.level = level;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    quint64 compressed = 0;
    if (!encode(opt, one, quint64(data.size()), buffer, compressed))
        return QByteArray();
    return buffer.data();
}

bool OzipWriter::writeHollow(const QString &path, qint64 bodySize)
{
    // The LZMA header and the range coder's first five bytes, all zero, make an
    // empty section of known size 0; the zeros after it read as a directory of no entries.
    const quint32 section = LzmaHeaderSize + 5;
    QByteArray header;
    putLe(header, Magic, 4);
    header.append(QByteArray(12, '\0'));
    putLe(header, section, 4);
    header.append(QByteArray(8, '\0'));
    QFile f(path);
    return bodySize >= qint64(section) + 2 && f.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && f.write(header) == HeaderSize && f.resize(HeaderSize + bodySize);
}

quint32 OzipWriter::sectionLength(const QByteArray &c)
{
    const uchar *p = reinterpret_cast<const uchar *>(c.constData()) + 16;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

QByteArray OzipWriter::bytes() const
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    if (!write(buffer))
        return QByteArray();
    return buffer.data();
}

bool OzipWriter::write(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return false;
    return write(f) && f.flush();
}

bool OzipWriter::write(QIODevice &device) const
{
    if (!device.seek(0) || device.write(QByteArray(HeaderSize, '\0')) != HeaderSize)
        return false;
    quint64 realSize = quint64(m_options.trailingData.size());
    for (const Entry &e : m_entries)
        realSize += e.size();
    quint64 compressed = 0;
    if (!encode(m_options, m_entries, realSize, device, compressed))
        return false;

    QByteArray dir;
    putLe(dir, quint64(m_options.entryCount >= 0 ? m_options.entryCount : m_entries.size()), 2);
    for (const Entry &e : m_entries) {
        dir.append(char(e.nameLength >= 0 ? e.nameLength : e.name.size()));
        dir.append(char(e.skippedByte));
        dir.append(e.name);
        putLe(dir, e.declaredSize >= 0 ? quint64(e.declaredSize) : e.size(), 4);
    }
    if (device.write(dir) != dir.size())
        return false;

    quint32 sum = 0;
    if (!device.seek(HeaderSize))
        return false;
    std::vector<char> buf(1 << 20);
    for (;;) {
        qint64 got = device.read(buf.data(), qint64(buf.size()));
        if (got < 0)
            return false;
        if (got == 0)
            break;
        sum = crc(buf.data(), size_t(got), sum);
    }

    // Bytes 4-7, 12-15 and 20-27 carry no meaning for the reader; fill them
    // with something other than zeros so that a reader relying on them shows.
    QByteArray header;
    putLe(header, quint64(m_options.magic >= 0 ? m_options.magic : Magic), 4);
    header.append("\x01\x02\x03\x04", 4);
    putLe(header, quint64(m_options.crc >= 0 ? m_options.crc : sum), 4);
    header.append("\x05\x06\x07\x08", 4);
    putLe(header, m_options.sectionLength >= 0 ? quint64(m_options.sectionLength) : compressed, 4);
    header.append("\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10", 8);
    return device.seek(0) && device.write(header) == HeaderSize && device.seek(device.size());
}
