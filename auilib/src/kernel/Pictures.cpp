#include "Pictures.h"

#include "AUILibUtils.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QList>

#include <algorithm>

namespace AUILib {

namespace {

// The colour depth an ICO entry had in the file; the decoder converts every
// entry to 32 bits and leaves the original in this text key.
int originalIconDepth(const QImage &image)
{
    const QString depth = image.text(QStringLiteral("_q_icoOrigDepth"));
    return depth.isEmpty() ? 32 : depth.toInt();
}

} // namespace

bool IsIconPath(const QString &path)
{
    return QFileInfo(path).completeSuffix().toUpper() == QLatin1String("ICO");
}

QIcon IconFromBytes(const unsigned char *bytes, int length)
{
    if (!bytes || length <= 0)
        return QIcon();
    // Read in place: no copy of the caller's bytes, no temporary file.
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes), length);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QList<QImage> images;
    // The decoder stays on one image until told to move on; the count bounds
    // the walk should it ever not say that the last image was reached.
    for (int index = 0, count = reader.imageCount(); index < count; ++index) {
        QImage image;
        if (!reader.read(&image))
            break;
        auto same = std::find_if(images.begin(), images.end(),
                                 [&image](const QImage &kept) { return kept.size() == image.size(); });
        if (same == images.end())
            images.append(image);
        else if (originalIconDepth(image) > originalIconDepth(*same))
            *same = image;
        if (!reader.jumpToNextImage())
            break;
    }
    QIcon icon;
    for (const QImage &each : qAsConst(images))
        icon.addPixmap(QPixmap::fromImage(each), QIcon::Normal, QIcon::Off);
    return icon;
}

QPixmap PictureFromBytes(const unsigned char *bytes, int length, ImageTypes type, int iconWidth)
{
    if (!bytes || length <= 0)
        return QPixmap();
    if (type == ImageTypeICO)
        return AUILibUtils::SelectIcon(IconFromBytes(bytes, length), iconWidth);
    QPixmap picture;
    picture.loadFromData(bytes, static_cast<uint>(length), AUILibUtils::ImageTypeToStr(type).c_str());
    return picture;
}

QPixmap PictureFromFile(const QString &path, int iconWidth)
{
    if (path.isEmpty())
        return QPixmap();
    if (IsIconPath(path))
        return AUILibUtils::SelectIcon(QIcon(path), iconWidth);
    QPixmap picture;
    picture.load(path);
    return picture;
}

QPixmap PictureFromFile(const std::wstring &path, int iconWidth)
{
    return PictureFromFile(QString::fromStdWString(path), iconWidth);
}

QIcon FileSystemIcon(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? QFileIconProvider().icon(info) : QIcon();
}

} // namespace AUILib
