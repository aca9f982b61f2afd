#include "COB_Ozip.h"

#include "LzmaSdkFile.h"

#include <LzmaDec.h>

#include <QByteArray>
#include <QDebug>
#include <QFile>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const int HeaderSize = 28;
const int LzmaHeaderSize = LZMA_PROPS_SIZE + 8;
const size_t InBufferSize = 1 << 18;
const size_t OutBufferSize = 1 << 20;
const quint64 MinDictionary = 1 << 12;  // the decoder never uses less

quint32 le32(const unsigned char *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint64 le64(const unsigned char *p)
{
    return quint64(le32(p)) | quint64(le32(p + 4)) << 32;
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    bool close()
    {
        int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Reads up to count bytes at offset; returns the count read, -1 on error.
qint64 readAt(int fd, void *buf, size_t count, qint64 offset)
{
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::pread(fd, static_cast<char *>(buf) + done, count - done, offset + qint64(done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += size_t(got);
    }
    return qint64(done);
}

// Writes everything; on failure the cause is in errno.
bool writeAll(int fd, const unsigned char *data, size_t count)
{
    while (count > 0) {
        ssize_t put = ::write(fd, data, count);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        data += put;
        count -= size_t(put);
    }
    return true;
}

// The package CRC, eight bytes per step: the body can be hundreds of megabytes
// and is checked before anything is written.
class BodyCrc
{
public:
    explicit BodyCrc(quint32 polynomial)
    {
        unsigned long base[256];
        COB_Ozip::BuildTable64(polynomial, base);
        for (int i = 0; i < 256; ++i)
            m_t[0][i] = quint32(base[i]);
        for (int k = 1; k < 8; ++k)
            for (int i = 0; i < 256; ++i)
                m_t[k][i] = (m_t[k - 1][i] << 8) ^ m_t[0][m_t[k - 1][i] >> 24];
    }

    void update(const unsigned char *p, size_t n)
    {
        quint32 crc = m_crc;
        while (n >= 8) {
            quint32 one = crc ^ (quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]);
            crc = m_t[7][one >> 24] ^ m_t[6][(one >> 16) & 0xFF] ^ m_t[5][(one >> 8) & 0xFF] ^ m_t[4][one & 0xFF]
                ^ m_t[3][p[4]] ^ m_t[2][p[5]] ^ m_t[1][p[6]] ^ m_t[0][p[7]];
            p += 8;
            n -= 8;
        }
        while (n--)
            crc = (crc << 8) ^ m_t[0][(crc >> 24) ^ *p++];
        m_crc = crc;
    }

    quint32 value() const { return m_crc; }

private:
    quint32 m_t[8][256];
    quint32 m_crc = 0;
};

struct Entry
{
    QByteArray name;  // separators already turned into "/"
    quint32 size = 0;
    bool isDirectory = false;
};

// Names come from the package and are not trusted: only plain relative paths
// that stay below the destination are accepted.
bool isSafeName(const QByteArray &name, bool isDirectory)
{
    if (name.isEmpty() || name.startsWith('/') || name.contains('\0'))
        return false;
    QByteArray path = isDirectory ? name.left(name.size() - 1) : name;
    if (path.isEmpty())
        return false;
    for (const QByteArray &part : path.split('/')) {
        if (part.isEmpty() || part == "..")
            return false;
    }
    return true;
}

// Reads the directory at [offset, end): every count and length is checked
// against the bytes really there.
bool readDirectory(int fd, qint64 offset, qint64 end, std::vector<Entry> &entries)
{
    std::vector<unsigned char> buf(size_t(qMin<qint64>(end - offset, 2 + 65535 * (2 + 255 + 4))));
    qint64 got = readAt(fd, buf.data(), buf.size(), offset);
    if (got != qint64(buf.size()) || got < 2)
        return false;
    const unsigned char *p = buf.data();
    const unsigned char *stop = p + got;
    unsigned count = unsigned(p[0]) | unsigned(p[1]) << 8;
    p += 2;
    entries.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        if (stop - p < 2)
            return false;
        unsigned n = p[0];
        p += 2;
        if (stop - p < qint64(n) + 4)
            return false;
        Entry e;
        // Names are UTF-8; what does not decode becomes U+FFFD, so every
        // name on disk is valid UTF-8. A NUL stays visible for the name check.
        e.name = QString::fromUtf8(reinterpret_cast<const char *>(p), int(n)).toUtf8().replace('\\', '/');
        p += n;
        e.size = le32(p);
        p += 4;
        e.isDirectory = e.name.endsWith('/');
        entries.push_back(e);
    }
    return true;
}

// Pulls decoded bytes out of the LZMA section, reading the package as needed.
class SectionDecoder
{
public:
    SectionDecoder(int fd, qint64 dataOffset, qint64 dataEnd)
        : m_fd(fd), m_next(dataOffset), m_end(dataEnd), m_in(new unsigned char[InBufferSize])
    {
        LzmaDec_Construct(&m_dec);
    }
    ~SectionDecoder() { LzmaDec_Free(&m_dec, &g_Alloc); }

    // The dictionary never needs to hold more than what will be decoded, so an
    // announced dictionary larger than the output does not cost memory.
    bool init(const unsigned char *props, quint64 outputLimit)
    {
        unsigned char p[LZMA_PROPS_SIZE];
        memcpy(p, props, LZMA_PROPS_SIZE);
        quint32 dict = le32(p + 1);
        quint64 needed = qMax<quint64>(outputLimit, MinDictionary);
        if (dict > needed) {
            dict = quint32(needed);
            p[1] = dict & 0xFF;
            p[2] = (dict >> 8) & 0xFF;
            p[3] = (dict >> 16) & 0xFF;
            p[4] = (dict >> 24) & 0xFF;
        }
        if (LzmaDec_Allocate(&m_dec, p, LZMA_PROPS_SIZE, &g_Alloc) != SZ_OK)
            return false;
        LzmaDec_Init(&m_dec);
        return true;
    }

    // Fills exactly count bytes, or fails when the section ends early or is damaged.
    bool read(unsigned char *out, size_t count)
    {
        while (count > 0) {
            ELzmaStatus status;
            SizeT outLen = count;
            SizeT inLen = 0;
            if (!decode(out, &outLen, &inLen, LZMA_FINISH_ANY, &status))
                return false;
            out += outLen;
            count -= outLen;
            if (outLen == 0 && inLen == 0)
                return false;  // ended (end mark or no more input) before the data did
        }
        return true;
    }

    // The section must end right where the entries' data does: with its end
    // mark when the header gives no size, or with no more output when it does
    // (that size equals the listed sizes, checked before). Nothing past the
    // listed sizes is decoded, so data hidden behind the entries costs no time.
    bool finish(bool sizeKnown)
    {
        for (;;) {
            unsigned char none = 0;
            SizeT outLen = 0;
            SizeT inLen = 0;
            ELzmaStatus status;
            if (!decode(&none, &outLen, &inLen, LZMA_FINISH_END, &status))
                return false;
            if (status == LZMA_STATUS_FINISHED_WITH_MARK)
                return true;
            if (status == LZMA_STATUS_MAYBE_FINISHED_WITHOUT_MARK)
                return sizeKnown;
            if (status != LZMA_STATUS_NEEDS_MORE_INPUT || inLen == 0)
                return false;  // more data follows, or the input ran out before the end mark
        }
    }

private:
    // One decoder step over the buffered input, refilled from the package when spent.
    bool decode(unsigned char *out, SizeT *outLen, SizeT *inLen, ELzmaFinishMode mode, ELzmaStatus *status)
    {
        if (m_inPos == m_inLen && m_next < m_end) {
            qint64 got = readAt(m_fd, m_in.get(), size_t(qMin<qint64>(InBufferSize, m_end - m_next)), m_next);
            if (got <= 0)
                return false;
            m_next += got;
            m_inPos = 0;
            m_inLen = size_t(got);
        }
        *inLen = m_inLen - m_inPos;
        SRes res = LzmaDec_DecodeToBuf(&m_dec, out, outLen, m_in.get() + m_inPos, inLen, mode, status);
        m_inPos += *inLen;
        return res == SZ_OK;
    }

private:
    int m_fd;
    qint64 m_next;
    qint64 m_end;
    std::unique_ptr<unsigned char[]> m_in;
    size_t m_inPos = 0;
    size_t m_inLen = 0;
    CLzmaDec m_dec;
};

// Writes decoded chunks on a second thread, so that decoding, which bounds the
// unpack's speed, never waits for the disk. A few fixed slots bound the memory.
class ChunkWriter
{
public:
    ChunkWriter()
    {
        for (auto &slot : m_slots) {
            slot.reset(new unsigned char[OutBufferSize]);
            m_free.push_back(slot.get());
        }
        m_thread = std::thread(&ChunkWriter::run, this);
    }
    ~ChunkWriter() { finish(); }
    ChunkWriter(const ChunkWriter &) = delete;
    ChunkWriter &operator=(const ChunkWriter &) = delete;

    // A free slot, or null once a write has failed.
    unsigned char *acquire()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_failed || !m_free.empty(); });
        if (m_failed)
            return nullptr;
        unsigned char *slot = m_free.back();
        m_free.pop_back();
        return slot;
    }
    void release(unsigned char *slot)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_free.push_back(slot);
        m_changed.notify_all();
    }
    void submit(int fd, unsigned char *slot, size_t len) { push(Job{fd, slot, len, false}); }
    // Takes over fd: it is closed after the chunks queued before.
    void closeFile(int fd) { push(Job{fd, nullptr, 0, true}); }

    // The cause of the first failed write or close (an errno value), 0 if none.
    int error() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_error;
    }

    // Waits for every queued job; true when every write and close succeeded.
    bool finish()
    {
        if (m_thread.joinable()) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_stop = true;
                m_changed.notify_all();
            }
            m_thread.join();
        }
        return !m_failed;
    }

private:
    struct Job
    {
        int fd;
        unsigned char *slot;
        size_t len;
        bool close;
    };

    void push(const Job &job)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(job);
        m_changed.notify_all();
    }

    void run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            Job job = m_jobs.front();
            m_jobs.pop_front();
            bool failed = m_failed;
            lock.unlock();
            bool ok = true;
            if (job.close)
                ok = ::close(job.fd) == 0;
            else if (!failed)
                ok = writeAll(job.fd, job.slot, job.len);
            const int cause = ok ? 0 : errno;
            lock.lock();
            if (!ok && !m_failed) {
                m_failed = true;
                m_error = cause;
            }
            if (job.slot)
                m_free.push_back(job.slot);
            m_changed.notify_all();
        }
    }

    std::unique_ptr<unsigned char[]> m_slots[4];
    std::vector<unsigned char *> m_free;
    std::deque<Job> m_jobs;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stop = false;
    bool m_failed = false;
    int m_error = 0;
    std::thread m_thread;
};

enum class PathState { Ok, Missing, Bad };

// Whether path is a real folder (a symbolic link left in the destination must
// not lead the unpack elsewhere).
PathState folderState(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT ? PathState::Missing : PathState::Bad;
    return S_ISDIR(st.st_mode) ? PathState::Ok : PathState::Bad;
}

// Creates dest/name one level at a time; every level must end up a real folder.
bool makeFolders(const QByteArray &dest, const QByteArray &name)
{
    QByteArray path = dest;
    for (const QByteArray &part : name.split('/')) {
        if (part.isEmpty())
            continue;
        path += '/' + part;
        PathState state = folderState(path);
        if (state == PathState::Bad)
            return false;
        if (state == PathState::Missing && ::mkdir(path.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (folderState(path) != PathState::Ok)
            return false;
    }
    return true;
}

// The folders above a file entry must already exist, made by earlier entries.
bool parentsExist(const QByteArray &dest, const QByteArray &name)
{
    QByteArray path = dest;
    QList<QByteArray> parts = name.split('/');
    parts.removeLast();
    for (const QByteArray &part : parts) {
        path += '/' + part;
        if (folderState(path) != PathState::Ok)
            return false;
    }
    return true;
}

// Bytes an ordinary user may still write on the file system that holds path,
// or its nearest parent that exists; -1 when that cannot be told.
qint64 freeSpace(QByteArray path)
{
    for (;;) {
        struct statvfs st;
        if (::statvfs(path.isEmpty() ? "." : path.constData(), &st) == 0) {
            const quint64 bytes = quint64(st.f_bavail) * quint64(st.f_frsize);
            return qint64(qMin<quint64>(bytes, quint64(std::numeric_limits<qint64>::max())));
        }
        if ((errno != ENOENT && errno != ENOTDIR) || path.isEmpty() || path == "/")
            return -1;
        const int slash = path.lastIndexOf('/');
        path = slash > 0 ? path.left(slash) : slash == 0 ? QByteArray("/") : QByteArray();
    }
}

QString megabytes(quint64 bytes)
{
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

// Why a file of the package could not be written, in words that say what to do;
// noRoom tells whether the disk has no room for it, which no retry mends.
QString writeFailure(int error, const QString &dest, bool *noRoom)
{
    *noRoom = error == ENOSPC || error == EDQUOT || error == EFBIG;
    if (error == ENOSPC || error == EDQUOT)
        return QStringLiteral("the disk is full: the files of the package no longer fit in %1; free some space "
                              "and try again").arg(dest);
    if (error == EFBIG)
        return QStringLiteral("a file of the package is larger than this system lets the updater write in %1")
            .arg(dest);
    return QStringLiteral("the files of the package cannot be written in %1: %2").arg(dest, systemError(error));
}

const char kDamaged[] = "the package is damaged; download it again";

// Writes the entries in directory order from the decoded section; Done, or a
// failure code with its reason (and whether the disk had no room).
int writeEntries(const std::vector<Entry> &entries, const QByteArray &dest, SectionDecoder &decoder,
                 const std::atomic<bool> *stop, QString *reason, bool *noRoom)
{
    const QString destName = QFile::decodeName(dest);
    ChunkWriter writer;
    auto refuse = [&](const Entry &e) {
        *reason = QStringLiteral("the package was refused: its entry \"%1\" cannot be made in %2 (its folder "
                                 "comes later or is no folder)")
                      .arg(QString::fromUtf8(e.name), destName);
        writer.finish();
        return COB_Ozip::EntryFailed;
    };
    auto isStopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    for (const Entry &e : entries) {
        if (isStopped()) {
            writer.finish();
            *reason = QStringLiteral("the unpack was stopped");
            return COB_Ozip::EntryFailed;
        }
        if (e.isDirectory) {
            // One level per entry: the folder's own parents come from earlier entries.
            if (!parentsExist(dest, e.name.left(e.name.size() - 1)) || !makeFolders(dest, e.name))
                return refuse(e);
            continue;
        }
        if (!parentsExist(dest, e.name))
            return refuse(e);
        QByteArray path = dest + '/' + e.name;
        // Written from scratch: whatever stood there before (a file, or a link
        // leading out of the destination) is replaced, never written through.
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
            ::unlink(path.constData());
        int out = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (out < 0) {
            const int error = errno;
            writer.finish();
            *reason = error == ENOSPC || error == EDQUOT ? writeFailure(error, destName, noRoom)
                                                         : QStringLiteral("the file %1 cannot be made: %2")
                                                               .arg(QFile::decodeName(path), systemError(error));
            return COB_Ozip::EntryFailed;
        }
        quint64 left = e.size;
        while (left > 0) {
            size_t chunk = size_t(qMin<quint64>(left, OutBufferSize));
            unsigned char *slot = isStopped() ? nullptr : writer.acquire();
            if (!slot) {
                writer.closeFile(out);
                const bool written = writer.finish();
                *reason = written ? QStringLiteral("the unpack was stopped")
                                  : writeFailure(writer.error(), destName, noRoom);
                return COB_Ozip::EntryFailed;
            }
            if (!decoder.read(slot, chunk)) {
                writer.release(slot);
                writer.closeFile(out);
                if (!writer.finish()) {
                    *reason = writeFailure(writer.error(), destName, noRoom);
                    return COB_Ozip::EntryFailed;
                }
                *reason = QStringLiteral("the package is damaged: its data is cut short or corrupt; download it again");
                return COB_Ozip::BadContents;
            }
            writer.submit(out, slot, chunk);
            left -= chunk;
        }
        writer.closeFile(out);
    }
    if (!writer.finish()) {
        *reason = writeFailure(writer.error(), destName, noRoom);
        return COB_Ozip::EntryFailed;
    }
    return COB_Ozip::Done;
}

} // namespace

COB_Ozip::~COB_Ozip() = default;

int COB_Ozip::fail(int result, const QString &reason, bool noRoom)
{
    m_error = reason;
    m_bNoRoom = noRoom;
    return result;
}

int COB_Ozip::Unzip2(const QString &packagePath, const QString &destDir)
{
    m_error.clear();
    m_bNoRoom = false;
    Fd package(::open(QFile::encodeName(packagePath).constData(), O_RDONLY | O_CLOEXEC));
    if (!package.valid())
        return fail(CannotOpen, QStringLiteral("the package %1 cannot be opened: %2").arg(packagePath, systemError(errno)));

    unsigned char header[HeaderSize];
    qint64 headerLen = readAt(package.get(), header, HeaderSize, 0);
    // Kept on purpose: the debug output of a reading names how many header
    // bytes arrived (28 for a whole header), the first thing to look at when a
    // package is refused.
    qDebug() << headerLen;
    if (headerLen < 4 || le32(header) != Magic)
        return fail(BadMagic, QStringLiteral("the file %1 is not an update package").arg(packagePath));
    if (headerLen < HeaderSize)
        return fail(BadCrc, QLatin1String(kDamaged));

    // The whole body is checked before anything is written; it is streamed, not held.
    qint64 bodyLen = 0;
    {
        BodyCrc crc(Magic);
        std::unique_ptr<unsigned char[]> buf(new unsigned char[OutBufferSize]);
        for (;;) {
            if (stopped())
                return fail(EntryFailed, QStringLiteral("the unpack was stopped"));
            qint64 got = readAt(package.get(), buf.get(), OutBufferSize, HeaderSize + bodyLen);
            if (got < 0)
                return fail(CannotOpen, QStringLiteral("the package %1 cannot be read: %2")
                                            .arg(packagePath, systemError(errno)));
            if (got == 0)
                break;
            crc.update(buf.get(), size_t(got));
            bodyLen += got;
        }
        if (crc.value() != le32(header + 8))
            return fail(BadCrc, QStringLiteral("the package is damaged (its checksum does not match); download it again"));
    }

    const qint64 sectionLen = le32(header + 16);
    if (sectionLen < LzmaHeaderSize || sectionLen + 2 > bodyLen)
        return fail(BadContents, QLatin1String(kDamaged));
    return unpackEntries(package.get(), sectionLen, bodyLen, destDir);
}

// After the checksum: the directory is judged whole before the first byte is
// decoded, and the output is held to the sizes it lists.
int COB_Ozip::unpackEntries(int package, qint64 sectionLen, qint64 bodyLen, const QString &destDir)
{
    std::vector<Entry> entries;
    if (!readDirectory(package, HeaderSize + sectionLen, HeaderSize + bodyLen, entries))
        return fail(BadContents, QLatin1String(kDamaged));
    quint64 total = 0;
    for (const Entry &e : entries) {
        if (!isSafeName(e.name, e.isDirectory) || (e.isDirectory && e.size != 0))
            return fail(EntryFailed, QStringLiteral("the package was refused: its entry \"%1\" is no plain file or "
                                                    "folder inside the unpack folder")
                                         .arg(QString::fromUtf8(e.name)));
        total += e.size;
    }

    QByteArray dest = QFile::encodeName(destDir);
    while (dest.size() > 1 && (dest.endsWith('/') || dest.endsWith('\\')))
        dest.chop(1);
    const qint64 room = freeSpace(dest);
    if (room >= 0 && total > quint64(room))
        return fail(EntryFailed,
                    QStringLiteral("not enough disk space to unpack the package: it needs %1 MB and %2 MB are free "
                                   "in %3")
                        .arg(megabytes(total), megabytes(quint64(room)), destDir),
                    true);

    unsigned char lzmaHeader[LzmaHeaderSize];
    if (readAt(package, lzmaHeader, LzmaHeaderSize, HeaderSize) != LzmaHeaderSize)
        return fail(BadContents, QLatin1String(kDamaged));
    const quint64 announced = le64(lzmaHeader + LZMA_PROPS_SIZE);
    const bool sizeKnown = announced != ~quint64(0);
    // The section holds the entries' data and nothing else: more would be
    // decoded for nothing (or be a bomb), less cannot fill the entries.
    if (sizeKnown && announced != total)
        return fail(BadContents, QStringLiteral("the package is damaged: its data (%1 bytes) does not match the %2 "
                                                "bytes its directory lists; download it again")
                                     .arg(announced).arg(total));
    SectionDecoder decoder(package, HeaderSize + LzmaHeaderSize, HeaderSize + sectionLen);
    if (!decoder.init(lzmaHeader, total))
        return fail(BadContents, QLatin1String(kDamaged));

    // The destination is made on the way to the first entry: a package without
    // entries succeeds without touching it, once its section has proved whole.
    if (!entries.empty()) {
        if (folderState(dest) == PathState::Missing)
            ::mkdir(dest.constData(), 0777);
        struct stat st;
        if (::stat(dest.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return fail(EntryFailed, QStringLiteral("the unpack folder %1 cannot be made").arg(destDir));
        QString reason;
        bool noRoom = false;
        const int result = writeEntries(entries, dest, decoder, m_stop, &reason, &noRoom);
        if (result != Done)
            return fail(result, reason, noRoom);
    }
    if (!decoder.finish(sizeKnown))
        return fail(BadContents, QStringLiteral("the package is damaged: its data goes on past the %1 bytes its "
                                                "directory lists, or ends without its end mark; download it again")
                                     .arg(total));
    return Done;
}

bool COB_Ozip::UnzipFileToFile(const QString &compressedFile, const QString &decodedFile)
{
    CFileSeqInStream inStream;
    CFileOutStream outStream;
    FileSeqInStream_CreateVTable(&inStream);
    File_Construct(&inStream.file);
    FileOutStream_CreateVTable(&outStream);
    File_Construct(&outStream.file);
    if (InFile_Open(&inStream.file, compressedFile.toUtf8().constData()) != 0)
        return false;
    if (OutFile_Open(&outStream.file, decodedFile.toUtf8().constData()) != 0) {
        File_Close(&inStream.file);
        return false;
    }

    const size_t bufSize = 1 << 16;
    std::unique_ptr<Byte[]> inBuf(new Byte[bufSize]);
    std::unique_ptr<Byte[]> outBuf(new Byte[bufSize]);
    Byte header[LzmaHeaderSize];
    size_t headerLen = LzmaHeaderSize;
    SRes res = SeqInStream_ReadMax(&inStream.s, header, &headerLen);
    if (res == SZ_OK && headerLen < size_t(LzmaHeaderSize))
        res = SZ_ERROR_INPUT_EOF;

    CLzmaDec dec;
    LzmaDec_Construct(&dec);
    if (res == SZ_OK) {
        quint64 remaining = le64(header + LZMA_PROPS_SIZE);
        const bool sizeKnown = remaining != ~quint64(0);
        // A known size bounds the dictionary, as the stream cannot reach further back.
        if (sizeKnown) {
            quint32 dict = le32(header + 1);
            quint64 needed = qMax<quint64>(remaining, MinDictionary);
            if (dict > needed) {
                dict = quint32(needed);
                for (int i = 0; i < 4; ++i)
                    header[1 + i] = Byte(dict >> (8 * i));
            }
        }
        res = LzmaDec_Allocate(&dec, header, LZMA_PROPS_SIZE, &g_Alloc);
        if (res == SZ_OK) {
            LzmaDec_Init(&dec);
            size_t inPos = 0, inSize = 0, outPos = 0;
            for (;;) {
                if (inPos == inSize) {
                    inSize = bufSize;
                    res = SeqInStream_ReadMax(&inStream.s, inBuf.get(), &inSize);
                    if (res != SZ_OK)
                        break;
                    inPos = 0;
                }
                SizeT inProcessed = inSize - inPos;
                SizeT outProcessed = bufSize - outPos;
                ELzmaFinishMode finishMode = LZMA_FINISH_ANY;
                if (sizeKnown && outProcessed > remaining) {
                    outProcessed = SizeT(remaining);
                    finishMode = LZMA_FINISH_END;
                }
                ELzmaStatus status;
                res = LzmaDec_DecodeToBuf(&dec, outBuf.get() + outPos, &outProcessed, inBuf.get() + inPos,
                                          &inProcessed, finishMode, &status);
                inPos += inProcessed;
                outPos += outProcessed;
                remaining -= outProcessed;
                if (outStream.s.Write(&outStream.s, outBuf.get(), outPos) != outPos) {
                    res = SZ_ERROR_WRITE;
                    break;
                }
                outPos = 0;
                if (res != SZ_OK || (sizeKnown && remaining == 0))
                    break;
                if (inProcessed == 0 && outProcessed == 0) {
                    if (sizeKnown || status != LZMA_STATUS_FINISHED_WITH_MARK)
                        res = SZ_ERROR_DATA;
                    break;
                }
            }
        }
    }
    LzmaDec_Free(&dec, &g_Alloc);
    File_Close(&inStream.file);
    if (File_Close(&outStream.file) != 0 && res == SZ_OK)
        res = SZ_ERROR_WRITE;
    return res == SZ_OK;
}

unsigned long COB_Ozip::RunCRC32(const unsigned char *data, unsigned long length, unsigned long polynomial)
{
    unsigned long table[256];
    BuildTable64(polynomial, table);
    unsigned long crc = 0;
    for (unsigned long i = 0; i < length; ++i)
        crc = ((crc << 8) & 0xFFFFFFFFUL) ^ table[((crc >> 24) ^ data[i]) & 0xFF];
    return crc;
}

void COB_Ozip::BuildTable64(unsigned long polynomial, unsigned long *table)
{
    polynomial &= 0xFFFFFFFFUL;
    for (unsigned long i = 0; i < 256; ++i) {
        unsigned long r = 0;
        unsigned long c = i << 24;
        for (int j = 0; j < 8; ++j) {
            if ((c ^ r) & 0x80000000UL)
                r = ((r << 1) & 0xFFFFFFFFUL) ^ polynomial;
            else
                r = (r << 1) & 0xFFFFFFFFUL;
            c = (c << 1) & 0xFFFFFFFFUL;
        }
        table[i] = r;
    }
}

void COB_Ozip::BuildTable32(unsigned long polynomial, unsigned long *table)
{
    for (unsigned long i = 0; i < 256; ++i) {
        unsigned long r = 0;
        unsigned long c = i << 24;
        for (int j = 0; j < 8; ++j) {
            if ((c ^ r) & 0x80000000UL)
                r = (r << 1) ^ polynomial;
            else
                r = r << 1;
            c = c << 1;
        }
        table[i] = r;
    }
}

bool COB_Ozip::MyReadFile(FILE *stream, void *buffer, unsigned long count)
{
    return fread(buffer, 1, count, stream) == count;
}
