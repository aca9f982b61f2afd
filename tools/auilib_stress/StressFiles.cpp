#include "StressFiles.h"

#include "AUILibConfig.h"
#include "ControlCatalogue.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage drawn(int width, int height, const QColor &colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.drawLine(0, 0, width - 1, height - 1);
    return image;
}

// A two-frame, 2x2 animated GIF (Qt writes no GIF): four colours, a looping
// application extension, then two frames of 10 ms each.
QByteArray animatedGif()
{
    static const unsigned char bytes[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
        0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xFF, 0x0B, 0x4E, 0x45, 0x54, 0x53, 0x43, 0x41, 0x50, 0x45,
        0x32, 0x2E, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x00,
        0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x02, 0x05, 0x00, 0x21, 0xF9, 0x04, 0x00,
        0x01, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0xD4, 0x26,
        0x05, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof(bytes));
}

} // namespace

StressFiles::StressFiles()
{
    AUILib::SetWorkingDirPath(m_files.workingDir().toStdWString());
    m_everyKindForm = ControlCatalogue::everyKindForm();
    const QString everyKind = m_files.writeForm("stress", "every_kind.ui", m_everyKindForm);
    QFile download(QStringLiteral(ORBEL_AUILIB_FORMS_DIR "/AuiDownloadInstallDlg.ui"));
    const QString downloadPath = download.open(QIODevice::ReadOnly)
                                     ? m_files.writeForm("stress", "AuiDownloadInstallDlg.ui", download.readAll())
                                     : QString();
    if (everyKind.isEmpty() || downloadPath.isEmpty()) {
        std::fprintf(stderr, "auilib_stress: cannot write the forms (is %s built?)\n", ORBEL_TOOLS_DIR "/ScrambleText");
        return;
    }
    m_everyKindPath = everyKind.toStdWString();
    m_downloadPath = downloadPath.toStdWString();
    writePictures();
    m_ready = true;
}

void StressFiles::writePictures()
{
    const QByteArray png = encoded(drawn(16, 16, Qt::darkGreen), "PNG");
    const QByteArray gif = animatedGif();
    const QByteArray ico = encoded(drawn(32, 32, Qt::blue), "ICO");
    m_pictures = {png,
                  encoded(drawn(300, 200, Qt::yellow), "PNG"),
                  gif,
                  ico,
                  encoded(drawn(8, 8, Qt::red), "BMP"),
                  encoded(drawn(20, 10, Qt::gray), "JPEG"),
                  png.left(png.size() / 2),
                  QByteArray("no picture at all, just words", 29),
                  encoded(drawn(2000, 1500, Qt::cyan), "PNG")};

    const QString pictures = QString::fromStdWString(AUILib::GetImageDirPath(L"stress"));
    QDir().mkpath(pictures);
    auto write = [&](const QString &name, const QByteArray &bytes) {
        const QString path = pictures + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path.toStdWString();
    };
    m_paths = {write(QStringLiteral("small.png"), png),
               write(QStringLiteral("anim.gif"), gif),
               write(QStringLiteral("icon.ico"), ico),
               write(QStringLiteral("photo.jpg"), m_pictures[5]),
               write(QStringLiteral("large.png"), m_pictures[8]),
               write(QStringLiteral("empty.png"), QByteArray()),
               write(QStringLiteral("words.png"), m_pictures[7]),
               (pictures + QStringLiteral("missing.png")).toStdWString(),
               pictures.toStdWString(),
               L"small.png",
               L":/no/such/resource.png"};

    const QString home = m_sandbox.home();
    QDir().mkpath(home + QStringLiteral("/Documents/deep/er"));
    m_folders = {home.toStdWString(),
                 (home + QStringLiteral("/Documents")).toStdWString(),
                 (home + QStringLiteral("/Documents/deep/er")).toStdWString(),
                 m_sandbox.tmp().toStdWString(),
                 (home + QStringLiteral("/missing")).toStdWString(),
                 m_paths[0],
                 L"",
                 L"relative/folder"};
}
