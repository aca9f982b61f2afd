#include <QIcon>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

// The windows and dialogs name their images by resource path; a path that does not
// resolve shows nothing, silently, so every named path is checked here.
TEST(Resources, EveryNamedImageLoadsAtItsSize)
{
    struct Row { const char *path; int width; int height; };
    const Row rows[] = {
        {":/res/OrbelReaderUpgrade-128x128.png", 128, 128},
        {":/res/about-title@2x.png", 638, 96},
        {":/res/about-title-dark@2x.png", 638, 96},
        {":/res/zh_cn/about-title@2x.png", 638, 96},
        {":/res/zh_cn/about-title-dark@2x.png", 638, 96},
        {":/res/popup_success.png", 32, 32},
        {":/res/popup_warning.png", 32, 32},
        {":/res/zude_32.png", 32, 32},
        // The component dialog spells its icon with a doubled slash.
        {"://res/zude_32.png", 32, 32},
    };
    for (const Row &row : rows) {
        const QImage image(QString::fromLatin1(row.path));
        EXPECT_FALSE(image.isNull()) << row.path;
        EXPECT_EQ(image.width(), row.width) << row.path;
        EXPECT_EQ(image.height(), row.height) << row.path;
        EXPECT_TRUE(image.hasAlphaChannel()) << row.path;
    }
}

// The title images are shown at 319 x 48; the icon must give a sharp pixmap at that size.
TEST(Resources, TitleImageGivesItsDisplayPixmap)
{
    const QIcon icon(QStringLiteral(":/res/about-title@2x.png"));
    const QPixmap pixmap = icon.pixmap(319, 48);
    EXPECT_FALSE(pixmap.isNull());
    EXPECT_LE(pixmap.width(), 319);
    EXPECT_EQ(pixmap.height(), 48);
}
