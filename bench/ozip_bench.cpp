// Unpacks an update package of mixed data (256 MB by default; the first argument
// gives the size in MB) and, in the same run, decodes the same LZMA stream with
// xz-utils: to /dev/null and to a file. Every contender runs in its own child
// process, so its peak memory (maximum resident set) is its own.
//
//   cmake --build build --target ozip_bench && build/bench/ozip_bench [MB] [work folder] [rounds]
#include "COB_Ozip.h"
#include "OzipWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Four kinds of content, each a pure function of (seed, offset).
void generate(int kind, quint64 seed, quint64 offset, char *buf, size_t len)
{
    static const char *const words[] = {"update ", "package ", "reader ", "module ", "version ", "install ",
                                        "the ", "of ", "and ", "a ", "document ", "page ", "font ", "\n",
                                        "orbel ", "<entry name=\"", "\"/>\n", "1.0.", "2024 ", "setup "};
    for (size_t i = 0; i < len;) {
        quint64 pos = offset + i;
        switch (kind) {
        case 0: {  // text: words chosen per 64-byte block
            quint64 block = pos / 64;
            std::string line;
            quint64 h = mix(seed ^ block);
            while (line.size() < 64) {
                line += words[h % 20];
                h = mix(h);
            }
            size_t at = pos % 64;
            size_t n = std::min<size_t>(len - i, 64 - at);
            memcpy(buf + i, line.data() + at, n);
            i += n;
            break;
        }
        case 1:  // noise, incompressible
            buf[i++] = char(mix(seed ^ (pos / 8)) >> (8 * (pos % 8)));
            break;
        case 2:  // structured records: counters and a few varying fields
            buf[i++] = char((pos % 16) < 8 ? (pos / 16) >> (8 * (pos % 4)) : mix(seed ^ (pos / 4096)) >> (pos % 8));
            break;
        default:  // mostly zeros with sparse bytes, like images with padding
            buf[i++] = (pos % 512 == 0) ? char(mix(seed ^ pos)) : '\0';
            break;
        }
    }
}

OzipWriter makePackage(quint64 totalBytes)
{
    OzipWriter w;
    w.options().level = 1;
    w.options().dictSize = 8u << 20;
    w.directory("Resources\\").directory("Resources\\fonts\\").directory("bin/");
    w.file("Setup.xml", "<setup><installer name=\"Orbel.pkg\"/></setup>");
    const quint64 entrySize = 4u << 20;
    int index = 0;
    for (quint64 done = 0; done < totalBytes; done += entrySize, ++index) {
        quint64 size = std::min(entrySize, totalBytes - done) - (index % 7) * 1000;
        int kind = index % 4;
        const char *folder = kind == 0 ? "Resources\\" : kind == 1 ? "bin/" : "Resources\\fonts\\";
        QByteArray name = QByteArray(folder) + "part" + QByteArray::number(index) + ".dat";
        quint64 seed = mix(quint64(index));
        w.generated(name, size, [kind, seed](quint64 off, char *buf, size_t len) { generate(kind, seed, off, buf, len); });
    }
    return w;
}

struct Run
{
    double seconds = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs argv with stdout sent to outPath (null: this process's own); times it and takes its peak memory.
Run runChild(const std::vector<std::string> &args, const char *outPath)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outPath)
        posix_spawn_file_actions_addopen(&actions, 1, outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Run run;
    auto start = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    int status = 0;
    struct rusage usage;
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

int writePackage(const char *package, const char *section, quint64 megabytes)
{
    if (!makePackage(megabytes << 20).write(QString::fromLocal8Bit(package)))
        return 1;
    // The bare LZMA section, for xz.
    QFile in(QString::fromLocal8Bit(package)), out(QString::fromLocal8Bit(section));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    quint64 left = OzipWriter::sectionLength(in.read(OzipWriter::HeaderSize));
    while (left > 0) {
        QByteArray chunk = in.read(qint64(std::min<quint64>(left, 1 << 20)));
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            return 1;
        left -= quint64(chunk.size());
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && strcmp(argv[1], "--unpack") == 0) {
        COB_Ozip ozip;
        int result = ozip.Unzip2(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        return result == COB_Ozip::Done ? 0 : 10 - result;
    }
    if (argc == 5 && strcmp(argv[1], "--write") == 0)
        return writePackage(argv[2], argv[3], strtoull(argv[4], nullptr, 10));
    const quint64 megabytes = argc > 1 ? strtoull(argv[1], nullptr, 10) : 256;
    const QString work = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : QDir::tempPath() + QStringLiteral("/ozip_bench");
    QDir().mkpath(work);
    const QString package = work + QStringLiteral("/package-%1MB.ozip").arg(megabytes);
    const QString section = work + QStringLiteral("/section-%1MB.lzma").arg(megabytes);
    const QString dest = work + QStringLiteral("/unpacked");
    const QString xzOut = work + QStringLiteral("/xz.out");
    qputenv("QT_LOGGING_RULES", "*.debug=false");

    const std::string self = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath().toStdString();
    if (!QFileInfo::exists(package) || !QFileInfo::exists(section)) {
        // Written by a child, so that this process stays small: a spawned
        // child's peak memory starts from its parent's.
        printf("writing a package of %llu MB of mixed data (kept in %s)...\n", megabytes, qPrintable(work));
        fflush(stdout);
        Run w = runChild({self, "--write", package.toStdString(), section.toStdString(), std::to_string(megabytes)},
                         nullptr);
        if (w.status != 0) {
            fprintf(stderr, "cannot write %s\n", qPrintable(package));
            return 1;
        }
        printf("  written in %.1f s\n", w.seconds);
    }
    const double packageMb = QFileInfo(package).size() / 1048576.0;
    printf("package: %.1f MB compressed, %llu MB unpacked\n", packageMb, megabytes);

    const int rounds = argc > 3 ? atoi(argv[3]) : 3;
    auto clean = [&] {
        QDir(dest).removeRecursively();
        QFile::remove(xzOut);
    };
    // Rounds alternate between the contenders so that a noisy machine hurts all alike.
    Run ozip, xzNull, xzFile;
    auto keep = [](Run &best, const Run &r, int round) {
        if (r.status != 0 || best.status > 0)
            best.status = r.status != 0 ? r.status : best.status;
        if (round == 0 || r.seconds < best.seconds)
            best.seconds = r.seconds;
        best.peakKb = std::max(best.peakKb, r.peakKb);
        if (round == 0 && r.status == 0)
            best.status = 0;
    };
    for (int round = 0; round < rounds; ++round) {
        clean();
        keep(ozip, runChild({self, "--unpack", package.toStdString(), dest.toStdString()}, "/dev/null"), round);
        clean();
        keep(xzNull, runChild({"xz", "--format=lzma", "-dc", section.toStdString()}, "/dev/null"), round);
        clean();
        keep(xzFile, runChild({"xz", "--format=lzma", "-dc", section.toStdString()}, xzOut.toLocal8Bit().constData()),
             round);
    }
    clean();
    if (ozip.status != 0 || xzNull.status != 0 || xzFile.status != 0) {
        fprintf(stderr, "a run failed: unpack %d, xz %d/%d\n", ozip.status, xzNull.status, xzFile.status);
        return 1;
    }

    printf("\n%-34s %9s %9s %11s\n", "best of rounds", "seconds", "MB/s", "peak MB");
    auto row = [&](const char *name, const Run &r) {
        printf("%-34s %9.3f %9.1f %11.1f\n", name, r.seconds, double(megabytes) / r.seconds, r.peakKb / 1024.0);
    };
    row("Unzip2 (CRC, decode, write files)", ozip);
    row("xz --format=lzma -dc > /dev/null", xzNull);
    row("xz --format=lzma -dc > file", xzFile);
    printf("\nspeed ratio xz>/dev/null : Unzip2  %.2f  (above 1: Unzip2 is faster)\n", xzNull.seconds / ozip.seconds);
    printf("speed ratio xz>file      : Unzip2  %.2f\n", xzFile.seconds / ozip.seconds);
    printf("peak memory Unzip2 / xz>file       %.2f\n", double(ozip.peakKb) / double(xzFile.peakKb));
    return 0;
}
