#include "DrawElement.h"

#include "AgnosticUIException.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace AUILib;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kFrame(175, 175, 175);
const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// A 100 x 80 element, placed in a parent.
struct Surface
{
    Surface()
    {
        element.Create(&parent);
        widget = element.GetPlatformHandle();
        widget->resize(100, 80);
    }

    void press(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(widget, button, Qt::NoModifier, pos);
    }
    void move(QPoint pos, Qt::MouseButton held = Qt::LeftButton)
    {
        QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void release(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(widget, button, Qt::NoModifier, pos);
    }
    // One straight stroke, drawn in two moves.
    void stroke(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        press(from, button);
        move((from + to) / 2, button);
        move(to, button);
        release(to, button);
    }

    std::unique_ptr<QImage> image() { return std::unique_ptr<QImage>(element.GetImage()); }
    QImage screen() { return widget->grab().toImage(); }

    QWidget parent;
    DrawElement element;
    QWidget *widget = nullptr;
};

bool allWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kWhite)
                return false;
    return true;
}

} // namespace

TEST(DrawElementTest, AFreshElementIsWhiteInAGreyFrameWithNothingToTakeOut)
{
    Surface surface;
    EXPECT_EQ(surface.element.GetControlKind(), ControlKindDrawElement);
    EXPECT_STREQ(surface.widget->metaObject()->className(), "AUILib::DrawElementQt");
    EXPECT_EQ(surface.widget->parentWidget(), &surface.parent);
    EXPECT_EQ(surface.element.GetParentWindow(), nullptr);
    EXPECT_TRUE(surface.element.IsSetBorder());
    EXPECT_EQ(surface.element.GetLineColor(), 0xff000000u);
    EXPECT_EQ(surface.image(), nullptr);

    const QImage screen = surface.screen();
    for (QPoint edge : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 79), QPoint(99, 79), QPoint(50, 0), QPoint(0, 40),
                        QPoint(99, 40), QPoint(50, 79)})
        EXPECT_EQ(screen.pixelColor(edge), kFrame) << edge.x() << "," << edge.y();
    for (QPoint inside : {QPoint(1, 1), QPoint(50, 40), QPoint(98, 78)})
        EXPECT_EQ(screen.pixelColor(inside), kWhite) << inside.x() << "," << inside.y();

    surface.element.SetBorder(false);
    EXPECT_FALSE(surface.element.IsSetBorder());
    EXPECT_TRUE(allWhite(surface.screen()));
}

// The paper is the palette's base colour: the application's (dark in a dark
// palette) whatever the element's state, or a colour set on the element itself.
// The image taken out stays strokes on white.
TEST(DrawElementTest, ThePaperIsThePalettesBaseUnlessAColourIsSetOnIt)
{
    struct DarkPalette
    {
        DarkPalette()
        {
            QPalette dark(QColor(60, 60, 60), QColor(50, 50, 50));
            dark.setColor(QPalette::Base, QColor(30, 30, 30));
            QApplication::setPalette(dark);
        }
        ~DarkPalette() { QApplication::setPalette(light); }
        const QPalette light = QApplication::palette();
    } dark;
    const QColor own(32, 64, 96);
    const struct
    {
        const char *name;
        std::function<void(QWidget *)> set;
        QColor paper;
    } cases[] = {
        {"application's", [](QWidget *) {}, QColor(30, 30, 30)},
        {"disabled", [](QWidget *widget) { widget->setEnabled(false); }, QColor(30, 30, 30)},
        {"palette set",
         [own](QWidget *widget) {
             QPalette palette = widget->palette();
             palette.setColor(QPalette::Base, own);
             widget->setPalette(palette);
         },
         own},
        {"style sheet", [own](QWidget *widget) { widget->setStyleSheet("background-color: " + own.name()); }, own},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface;
        surface.stroke(QPoint(10, 10), QPoint(90, 10));
        c.set(surface.widget);
        const QImage screen = surface.screen();
        for (QPoint inside : {QPoint(1, 1), QPoint(50, 40), QPoint(98, 78)})
            EXPECT_EQ(screen.pixelColor(inside), c.paper) << inside.x() << "," << inside.y();
        EXPECT_EQ(screen.pixelColor(0, 40), kFrame);
        EXPECT_EQ(screen.pixelColor(50, 10), kBlack);
        std::unique_ptr<QImage> image = surface.image();
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->pixelColor(50, 40), kWhite);
    }
}

// Strokes of any button over a background picture: the screen shows all of
// it, the image taken out the strokes alone.
TEST(DrawElementTest, StrokesOverABackgroundAreTakenOutWithoutIt)
{
    Surface surface;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(kRed);
    surface.element.DrawImage(&picture, 40, 30);
    surface.stroke(QPoint(10, 10), QPoint(90, 10));
    surface.element.SetLineColor(0x000000ff);
    surface.stroke(QPoint(10, 60), QPoint(90, 60), Qt::RightButton);
    EXPECT_EQ(surface.element.GetLineColor(), 0xff0000ffu);

    const QImage screen = surface.screen();
    EXPECT_EQ(screen.pixelColor(50, 10), kBlack);
    EXPECT_EQ(screen.pixelColor(50, 60), kBlue);
    EXPECT_EQ(screen.pixelColor(55, 40), kRed);
    EXPECT_EQ(screen.pixelColor(0, 40), kFrame);
    EXPECT_EQ(screen.pixelColor(50, 30), kRed);
    EXPECT_EQ(screen.pixelColor(50, 29), kWhite);

    std::unique_ptr<QImage> image = surface.image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(100, 80));
    EXPECT_EQ(image->format(), QImage::Format_ARGB32);
    EXPECT_EQ(image->pixelColor(50, 10), kBlack);
    EXPECT_EQ(image->pixelColor(50, 60), kBlue);
    EXPECT_EQ(image->pixelColor(55, 40), kWhite) << "no background";
    EXPECT_EQ(image->pixelColor(0, 40), kWhite) << "no frame";
    EXPECT_EQ(image->pixelColor(50, 35), kWhite);

    // Recolouring takes every stroke so far; the next one keeps the line colour.
    surface.element.UpdateLinesColor(0xff00ff00);
    EXPECT_EQ(surface.element.GetLineColor(), 0xff0000ffu);
    surface.stroke(QPoint(10, 35), QPoint(30, 35));
    image = surface.image();
    EXPECT_EQ(image->pixelColor(50, 10), kGreen);
    EXPECT_EQ(image->pixelColor(50, 60), kGreen);
    EXPECT_EQ(image->pixelColor(20, 35), kBlue);
    EXPECT_EQ(surface.screen().pixelColor(50, 10), kGreen);

    // A null picture keeps the background.
    surface.element.DrawImage(nullptr, 0, 0);
    const QImage nothing;
    surface.element.DrawImage(&nothing, 0, 0);
    EXPECT_EQ(surface.screen().pixelColor(55, 40), kRed);
}

TEST(DrawElementTest, AClickMakesABlankImage)
{
    Surface surface;
    surface.press(QPoint(20, 20));
    EXPECT_EQ(surface.image(), nullptr) << "not finished before the release";
    surface.release(QPoint(20, 20));
    std::unique_ptr<QImage> image = surface.image();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), QSize(100, 80));
    EXPECT_TRUE(allWhite(*image));
}

// A reset while the button is held ends the stroke: the rest of the drag
// draws nothing, the release only marks the drawing finished.
TEST(DrawElementTest, AResetForgetsStrokesAndBackgroundButNotTheSettings)
{
    Surface surface;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(kRed);
    surface.element.DrawImage(&picture, 5, 5);
    surface.element.SetLineColor(0x0000ff);
    surface.element.SetBorder(false);
    surface.stroke(QPoint(20, 40), QPoint(80, 40));

    surface.press(QPoint(20, 60));
    surface.move(QPoint(50, 60));
    surface.element.ResetImage();
    EXPECT_EQ(surface.image(), nullptr);
    surface.move(QPoint(80, 60));
    surface.release(QPoint(80, 60));
    std::unique_ptr<QImage> image = surface.image();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(allWhite(*image));
    EXPECT_TRUE(allWhite(surface.screen())) << "no background, no frame";
    EXPECT_EQ(surface.element.GetLineColor(), 0xff0000ffu);
    EXPECT_FALSE(surface.element.IsSetBorder());

    // A background drawn again goes where the position says.
    surface.element.DrawImage(&picture, 60, 50);
    EXPECT_EQ(surface.screen().pixelColor(65, 55), kRed);
    EXPECT_EQ(surface.screen().pixelColor(7, 7), kWhite);
}

// Its getters answer as for a blank element once the widget is gone.
TEST(DrawElementTest, AGoneWidgetAnswersNullAndIgnoresTheSetters)
{
    Surface surface;
    surface.stroke(QPoint(10, 10), QPoint(20, 20));
    delete surface.widget;
    EXPECT_EQ(surface.element.GetPlatformHandle(), nullptr);
    EXPECT_EQ(surface.image(), nullptr);
    EXPECT_FALSE(surface.element.IsSetBorder());
    EXPECT_EQ(surface.element.GetLineColor(), 0u);
    QImage picture(4, 4, QImage::Format_RGB32);
    surface.element.DrawImage(&picture, 0, 0);
    surface.element.SetBorder(true);
    surface.element.SetLineColor(0xff);
    surface.element.UpdateLinesColor(0xff);
    surface.element.ResetImage();
    EXPECT_THROW(surface.element.Create(nullptr), AgnosticUIException);
}
