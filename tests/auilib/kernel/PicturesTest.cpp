#include "Pictures.h"

#include "Sandbox.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

namespace {

QByteArray png(int size, QRgb colour)
{
    return FilledPictureBytes(size, size, QColor::fromRgba(colour));
}


struct IcoEntry
{
    int size;
    QRgb colour;
    int bitCount = 32;
};

void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

void put32(QByteArray &out, int value)
{
    put16(out, value & 0xffff);
    put16(out, (value >> 16) & 0xffff);
}

// An icon file as icon editors write it today: a directory of entries, each
// image stored as PNG.
QByteArray ico(const std::vector<IcoEntry> &entries)
{
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, int(entries.size()));
    QByteArray images;
    const int first = 6 + 16 * int(entries.size());
    for (const IcoEntry &entry : entries) {
        const QByteArray image = png(entry.size, entry.colour);
        out.append(char(entry.size)).append(char(entry.size)).append(char(0)).append(char(0));
        put16(out, 1);
        put16(out, entry.bitCount);
        put32(out, image.size());
        put32(out, first + images.size());
        images.append(image);
    }
    return out + images;
}

const unsigned char *data(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

QRgb centre(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    return image.pixel(image.width() / 2, image.height() / 2);
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);

const QByteArray kThreeSizes = ico({{16, kRed}, {32, kGreen}, {48, kBlue}});

} // namespace

TEST(Pictures, IcoBytesOfferEverySizeAndGiveTheRequestedOne)
{
    const QIcon icon = IconFromBytes(data(kThreeSizes), kThreeSizes.size());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));

    const struct
    {
        int requested;
        int width;
        QRgb colour;
    } cases[] = {{32, 32, kGreen}, {40, 32, kGreen}, {100, 48, kBlue}, {8, 16, kRed}};
    for (const auto &c : cases) {
        const QPixmap picture = PictureFromBytes(data(kThreeSizes), kThreeSizes.size(), ImageTypeICO, c.requested);
        EXPECT_EQ(picture.width(), c.width) << c.requested;
        EXPECT_EQ(centre(picture), c.colour) << c.requested;
    }
}

TEST(Pictures, OfTwoIcoImagesOfOneSizeTheOneOfMoreColoursStays)
{
    const QByteArray bytes = ico({{16, kRed, 8}, {16, kGreen, 32}, {16, kBlue, 4}});
    const QIcon icon = IconFromBytes(data(bytes), bytes.size());
    ASSERT_EQ(icon.availableSizes().size(), 1);
    EXPECT_EQ(centre(icon.pixmap(16, 16)), kGreen);
}

TEST(Pictures, BadOrMissingBytesGiveNullPictures)
{
    const QByteArray junk("not a picture at all, only text");
    const QByteArray truncated = kThreeSizes.left(30);
    for (ImageTypes type : {ImageTypeICO, ImageTypePNG, ImageTypeBMP, ImageTypeNone}) {
        EXPECT_TRUE(PictureFromBytes(data(junk), junk.size(), type, 16).isNull()) << type;
        EXPECT_TRUE(PictureFromBytes(data(truncated), truncated.size(), type, 16).isNull()) << type;
        EXPECT_TRUE(PictureFromBytes(nullptr, 10, type, 16).isNull()) << type;
        EXPECT_TRUE(PictureFromBytes(data(kThreeSizes), 0, type, 16).isNull()) << type;
    }
    EXPECT_TRUE(IconFromBytes(data(junk), junk.size()).isNull());
    EXPECT_TRUE(IconFromBytes(nullptr, 0).isNull());
}

TEST(Pictures, OtherTypesDecodeInTheirFormat)
{
    const QByteArray bytes = png(20, kBlue);
    const QPixmap picture = PictureFromBytes(data(bytes), bytes.size(), ImageTypePNG, 0);
    EXPECT_EQ(picture.size(), QSize(20, 20));
    EXPECT_EQ(centre(picture), kBlue);

    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(kRed);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    // An unknown type is read as BMP.
    EXPECT_EQ(PictureFromBytes(data(bmp), bmp.size(), ImageTypeNone, 0).size(), QSize(12, 8));
}

TEST(Pictures, IconPathsGoByTheCompleteSuffix)
{
    const std::pair<const char *, bool> cases[] = {
        {"/a/x.ico", true},      {"/a/x.Ico", true},   {"/a.b/x.ICO", true}, {"x.png", false},
        {"/a/x.tar.ico", false}, {"/a/ico", false},    {"", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsIconPath(QString::fromUtf8(c.first)), c.second) << c.first;
}

TEST(Pictures, FilesAtUnicodePathsReadLikeTheirBytes)
{
    Sandbox sandbox;
    const QString folder = sandbox.base() + QString::fromUtf8("/Bilder ünï 图片/");
    const QString icoPath = folder + QString::fromUtf8("Symbol ✓.Ico");
    const QString pngPath = folder + QString::fromUtf8("Grün.png");
    ASSERT_TRUE(sandbox.writeFile(icoPath, kThreeSizes));
    ASSERT_TRUE(sandbox.writeFile(pngPath, png(24, kGreen)));

    for (int requested : {16, 32, 40, 48, 8}) {
        const QPixmap fromFile = PictureFromFile(icoPath.toStdWString(), requested);
        const QPixmap fromBytes = PictureFromBytes(data(kThreeSizes), kThreeSizes.size(), ImageTypeICO, requested);
        EXPECT_EQ(fromFile.size(), fromBytes.size()) << requested;
        EXPECT_EQ(centre(fromFile), centre(fromBytes)) << requested;
    }
    const QPixmap picture = PictureFromFile(pngPath.toStdWString(), 16);
    EXPECT_EQ(picture.size(), QSize(24, 24));
    EXPECT_EQ(centre(picture), kGreen);

    EXPECT_TRUE(PictureFromFile(folder + "missing.png", 16).isNull());
    EXPECT_TRUE(PictureFromFile(folder + "missing.ico", 16).isNull());
    EXPECT_TRUE(PictureFromFile(std::wstring(), 16).isNull());

    EXPECT_TRUE(FileSystemIcon(folder + "missing.png").isNull());
    EXPECT_TRUE(FileSystemIcon(QString()).isNull());
    EXPECT_FALSE(FileSystemIcon(pngPath).isNull());
}
