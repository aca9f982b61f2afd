#include "PromptsPopup.h"
#include "PromptsPopupQt.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using AUILib::PromptsPopup;
using AUILib::PromptsPopupQt;

namespace {

class PromptsPopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        target = new QLineEdit(&window);
        target->setGeometry(20, 30, 200, 24);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The balloon's label is a child of the target once created.
    PromptsPopupQt *label() const { return target->findChild<PromptsPopupQt *>(); }

    QWidget window;
    QLineEdit *target = nullptr;
};

} // namespace

TEST_F(PromptsPopupTest, NothingHappensWithoutATarget)
{
    PromptsPopup popup;
    EXPECT_FALSE(popup.Create(nullptr, L"text", 0, 1000, false));
    popup.SetTitle(L"title");
    popup.SetTitleIcon(AUILib::BalloonTipIconWarning);
    popup.Show(true, 10, 10);
    EXPECT_FALSE(popup.IsDisplayed());
}

TEST_F(PromptsPopupTest, ShowsUnderTheTargetAndHidesOnItsTimer)
{
    PromptsPopup popup;
    ASSERT_TRUE(popup.Create(target, L"Only digits here", 0, 200, false));
    ASSERT_TRUE(label());
    EXPECT_EQ(label()->timeoutMs, 200);
    EXPECT_EQ(label()->styleSheet(), QStringLiteral("QLabel{border-radius: 5px; margin: 10px; margin-top:25px;}"));

    popup.Show(true, -1, -1);
    EXPECT_TRUE(popup.IsDisplayed());
    const QPoint anchor = target->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(label()->pos(), anchor + QPoint(2, 21));
    EXPECT_EQ(label()->text(), QStringLiteral("Only digits here"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup.IsDisplayed(); }, 5000));

}

// The framework's persistent tips pass -1: such a balloon has no timer, and a
// timer of an earlier, timed showing does not take it down.
TEST_F(PromptsPopupTest, APersistentBalloonStaysUntilHidden)
{
    PromptsPopup popup;
    popup.Create(target, L"timed", 0, 60000, false);
    popup.Show(true, -1, -1);
    ASSERT_TRUE(label()->autoHideTimer.isActive());
    popup.Show(false, -1, -1);

    popup.Create(target, L"stays", 0, -1, false);
    EXPECT_EQ(label()->timeoutMs, PromptsPopupQt::kNoTimeout);
    popup.Show(true, -1, -1);
    EXPECT_TRUE(popup.IsDisplayed());
    EXPECT_FALSE(label()->autoHideTimer.isActive());
    popup.Show(false, -1, -1);
    EXPECT_FALSE(popup.IsDisplayed());
}

TEST_F(PromptsPopupTest, ASecondShowChangesTheTextButKeepsThePlace)
{
    PromptsPopup popup;
    popup.Create(target, L"first", 0, 5000, false);
    popup.Show(true, 100, 100);
    const QPoint place = label()->pos();
    popup.Create(target, L"second", 0, 5000, false);
    popup.Show(true, 300, 200);
    EXPECT_EQ(label()->pos(), place);
    EXPECT_EQ(label()->text(), QStringLiteral("second"));
    popup.Show(false, 0, 0);
    EXPECT_FALSE(popup.IsDisplayed());
}

TEST_F(PromptsPopupTest, StaysOnTheScreenAtItsEdges)
{
    const QRect screen = target->screen()->geometry();
    PromptsPopup popup;
    popup.Create(target, L"near the corner", 0, 5000, false);
    const QPoint corner(screen.right() - 5, screen.bottom() - 5);
    popup.Show(true, corner.x(), corner.y());
    const QRect placed = label()->geometry();
    EXPECT_LE(placed.right(), screen.right());
    EXPECT_EQ(placed.top(), corner.y() - placed.height() - 3) << "above the anchor";
    EXPECT_EQ(placed.left(), corner.x() - placed.width() - 2) << "left of the anchor";
}

// At each edge of the screen the balloon turns or is pushed back onto it. A
// balloon wider than half the screen anchored in the middle fits neither
// right nor left of the anchor and goes to the left edge; one taller than half
// the screen fits neither below nor above and goes to the top.
TEST_F(PromptsPopupTest, ThePlaceAtEachScreenEdge)
{
    const QRect s = target->screen()->geometry();
    const QFontMetrics metrics(target->font());
    const std::wstring wide(static_cast<size_t>(s.width() * 0.7 / metrics.horizontalAdvance(QLatin1Char('x'))), L'x');
    std::wstring tall;
    while (metrics.lineSpacing() * static_cast<int>(tall.size() / 2) < s.height() * 0.6)
        tall += L"y\n";
    tall += L"y";
    const QPoint middle = s.center();

    const struct
    {
        const char *edge;
        std::wstring text;
        QPoint anchor;
        std::function<QPoint(QPoint anchor, QSize size)> expected;
    } cases[] = {
        {"none", L"plain", middle, [](QPoint p, QSize) { return p + QPoint(2, 21); }},
        {"right", L"right edge", QPoint(s.right() - 5, middle.y()),
         [](QPoint p, QSize z) { return QPoint(p.x() - z.width() - 2, p.y() + 21); }},
        {"bottom", L"bottom edge", QPoint(middle.x(), s.bottom() - 5),
         [](QPoint p, QSize z) { return QPoint(p.x() + 2, p.y() - z.height() - 3); }},
        {"left", wide, middle, [&](QPoint p, QSize) { return QPoint(s.left(), p.y() + 21); }},
        {"top", tall, middle, [&](QPoint p, QSize) { return QPoint(p.x() + 2, s.top()); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.edge);
        PromptsPopup popup;
        ASSERT_TRUE(popup.Create(target, c.text, 0, 5000, false));
        popup.Show(true, c.anchor.x(), c.anchor.y());
        PromptsPopupQt *balloon = target->findChildren<PromptsPopupQt *>().last();
        const QRect placed = balloon->geometry();
        EXPECT_EQ(placed.topLeft(), c.expected(c.anchor, placed.size()));
        EXPECT_TRUE(s.contains(placed)) << "on the screen";
        EXPECT_EQ(balloon->balloonRect, QRect(QPoint(0, 0), placed.size()));
    }
}

TEST_F(PromptsPopupTest, TitleAndIconMakeRichText)
{
    PromptsPopup popup;
    popup.Create(target, L"line one\nline two %0", 0, 5000, true);
    popup.SetTitle(L"Attention");
    popup.SetTitle(L"");
    popup.SetTitleIcon(AUILib::BalloonTipIconInformation);
    popup.Show(true, -1, -1);
    const QString text = label()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("<b>Attention</b>")));
    EXPECT_TRUE(text.contains(QStringLiteral("line one<br>line two %0"))) << "the message's own %0 stays";
    EXPECT_TRUE(text.contains(QStringLiteral("src='data:image/png;base64, iVBOR")));

    // Bytes that are no image change nothing; a real PNG becomes the icon.
    const unsigned char junk[] = {0, 1, 2};
    PromptsPopup bare;
    bare.Create(target, L"m", 0, 5000, false);
    bare.SetTitleIcon(junk, 3);
    bare.Show(true, -1, -1);
    EXPECT_EQ(target->findChildren<PromptsPopupQt *>().last()->text(), QStringLiteral("m"));

    const QByteArray png = FilledPictureBytes(4, 4, Qt::red);
    bare.Show(false, 0, 0);
    bare.SetTitleIcon(reinterpret_cast<const unsigned char *>(png.constData()), png.size());
    bare.Show(true, -1, -1);
    EXPECT_TRUE(target->findChildren<PromptsPopupQt *>().last()->text().contains(QStringLiteral("base64")));
}

// A photograph given as the icon travels in the balloon's text at the size the
// balloon shows it, not whole: Qt reads that text again at every layout.
TEST_F(PromptsPopupTest, ALargePictureIsCarriedAtTheIconsSize)
{
    const QByteArray photo = FilledPictureBytes(2000, 1500, Qt::cyan);
    PromptsPopup popup;
    popup.Create(target, L"message", 0, 5000, false);
    popup.SetTitle(L"Title");
    popup.SetTitleIcon(reinterpret_cast<const unsigned char *>(photo.constData()), photo.size());
    popup.Show(true, -1, -1);
    const QString text = label()->text();
    const QString marker = QStringLiteral("base64, ");
    const int from = text.indexOf(marker) + marker.size();
    ASSERT_GE(from, marker.size());
    const QImage carried =
        QImage::fromData(QByteArray::fromBase64(text.mid(from, text.indexOf(QLatin1Char('\''), from) - from).toLatin1()));
    ASSERT_FALSE(carried.isNull());
    EXPECT_LE(carried.width(), 32);
    EXPECT_LE(carried.height(), 32);
    EXPECT_EQ(carried.width(), 32) << "the picture keeps its proportions";
}

TEST_F(PromptsPopupTest, TypingIntoTheTargetHidesAClosingBalloon)
{
    PromptsPopup closing;
    closing.Create(target, L"closes", 0, 5000, true);
    closing.Show(true, -1, -1);
    ASSERT_TRUE(closing.IsDisplayed());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(target, &key);
    EXPECT_FALSE(closing.IsDisplayed());
}

// Whatever the user does in the target hides a closing balloon; a staying
// one ignores it all.
TEST_F(PromptsPopupTest, EveryInteractionWithTheTargetHidesAClosingBalloon)
{
    const auto mouseMove = [] {
        return std::make_unique<QMouseEvent>(QEvent::MouseMove, QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                                             Qt::NoModifier);
    };
    const struct
    {
        const char *name;
        std::function<std::unique_ptr<QEvent>()> make;
    } events[] = {
        {"key press", [] { return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"); }},
        {"key release",
         [] { return std::make_unique<QKeyEvent>(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a"); }},
        {"focus in", [] { return std::make_unique<QFocusEvent>(QEvent::FocusIn); }},
        {"focus out", [] { return std::make_unique<QFocusEvent>(QEvent::FocusOut); }},
        {"leave", [] { return std::make_unique<QEvent>(QEvent::Leave); }},
        {"mouse move", mouseMove},
    };
    for (const auto &e : events) {
        SCOPED_TRACE(e.name);
        for (const bool closing : {true, false}) {
            PromptsPopup popup;
            popup.Create(target, L"balloon", 0, 5000, closing);
            popup.Show(true, -1, -1);
            ASSERT_TRUE(popup.IsDisplayed());
            const std::unique_ptr<QEvent> event = e.make();
            QCoreApplication::sendEvent(target, event.get());
            EXPECT_EQ(popup.IsDisplayed(), !closing);
        }
    }
}

// The balloon follows its window, and goes when the window closes or loses or
// gains activation, not to come back with the next repaint.
TEST_F(PromptsPopupTest, TheBalloonFollowsItsWindow)
{
    PromptsPopup popup;
    popup.Create(target, L"follows", 0, 5000, false);
    popup.Show(true, 100, 100);
    const QPoint before = label()->pos();
    QMoveEvent move(window.pos() + QPoint(30, -10), window.pos());
    QCoreApplication::sendEvent(&window, &move);
    EXPECT_EQ(label()->pos(), before + QPoint(30, -10));

    for (const QEvent::Type type : {QEvent::Close, QEvent::WindowActivate, QEvent::WindowDeactivate}) {
        SCOPED_TRACE(type);
        popup.Show(true, 100, 100);
        ASSERT_TRUE(popup.IsDisplayed());
        QEvent event(type);
        QCoreApplication::sendEvent(&window, &event);
        EXPECT_FALSE(popup.IsDisplayed());
        EXPECT_FALSE(label()->displayed);
        window.repaint();
        EXPECT_FALSE(popup.IsDisplayed());
    }
}

// The balloon paints a rounded box under an upward arrow in the Base colour;
// around the arrow it is see-through.
TEST_F(PromptsPopupTest, PaintsABoxWithAnArrow)
{
    PromptsPopup popup;
    popup.Create(target, L"painted balloon", 0, 5000, false);
    popup.Show(true, -1, -1);
    PromptsPopupQt *balloon = label();
    QImage image(balloon->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    balloon->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRgb base = balloon->palette().color(QPalette::Base).rgba();
    EXPECT_EQ(image.pixel(10, 12), base) << "inside the arrow";
    EXPECT_EQ(qAlpha(image.pixel(2, 8)), 0) << "beside the arrow";
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 3), base) << "inside the box";
}

// The text's frame follows title and icon: none, A (icon), B (title), C (both).
TEST_F(PromptsPopupTest, TheFrameFollowsTitleAndIcon)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("icon.png"));
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(png));

    const struct
    {
        const char *name;
        std::function<void(PromptsPopup &)> decorate;
        QString start;
        QString message;
    } cases[] = {
        {"plain", [](PromptsPopup &) {}, QStringLiteral("a\nb"), QStringLiteral("a\nb")},
        {"icon by type", [](PromptsPopup &p) { p.SetTitleIcon(AUILib::BalloonTipIconWarning); },
         QStringLiteral("<style> td {"), QStringLiteral("a<br>b")},
        {"icon by path", [&](PromptsPopup &p) { p.SetTitleIcon(png.toStdWString()); }, QStringLiteral("<style> td {"),
         QStringLiteral("a<br>b")},
        {"no icon for another type", [](PromptsPopup &p) { p.SetTitleIcon(static_cast<AUILib::BalloonTipIconType>(9)); },
         QStringLiteral("a\nb"), QStringLiteral("a\nb")},
        {"title", [](PromptsPopup &p) { p.SetTitle(L"Title"); }, QStringLiteral("<table ><style>"),
         QStringLiteral("a\nb")},
        {"title and icon",
         [](PromptsPopup &p) {
             p.SetTitle(L"Title");
             p.SetTitleIcon(AUILib::BalloonTipIconCritical);
         },
         QStringLiteral("<table> <style>"), QStringLiteral("a<br>b")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        PromptsPopup popup;
        popup.Create(target, L"a\nb", 0, 5000, false);
        c.decorate(popup);
        popup.Show(true, -1, -1);
        const QString text = target->findChildren<PromptsPopupQt *>().last()->text();
        EXPECT_TRUE(text.startsWith(c.start)) << text.left(40).toStdString();
        EXPECT_TRUE(text.contains(c.message));
        if (c.start.startsWith(QLatin1Char('<')) && !c.start.startsWith(QLatin1String("<table >"))) {
            EXPECT_TRUE(text.contains(QStringLiteral("base64, iVBOR"))) << "the icon as PNG";
        }
    }
}

TEST_F(PromptsPopupTest, ARepaintOfTheWindowBringsBackAStayingBalloon)
{
    PromptsPopup staying;
    staying.Create(target, L"stays", 0, 5000, false);
    staying.Show(true, -1, -1);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(target, &key);
    EXPECT_TRUE(staying.IsDisplayed()) << "typing does not hide it";

    auto *balloon = target->findChild<PromptsPopupQt *>();
    balloon->hide();
    window.repaint();
    EXPECT_TRUE(staying.IsDisplayed());
}

TEST_F(PromptsPopupTest, TheBalloonDiesWithItsPopupOrItsTarget)
{
    {
        PromptsPopup popup;
        popup.Create(target, L"short-lived", 0, 5000, false);
        popup.Show(true, -1, -1);
        ASSERT_TRUE(label());
    }
    EXPECT_EQ(label(), nullptr);

    PromptsPopup popup;
    popup.Create(target, L"outlives", 0, 5000, false);
    delete target;
    target = nullptr;
    EXPECT_FALSE(popup.IsDisplayed());
    popup.Show(true, -1, -1); // the widget went with its target
    EXPECT_FALSE(popup.IsDisplayed());
}

// A staying balloon shown while its window waits to be painted (just shown
// again, its exposure still queued): Qt hands the queued exposure on while it
// makes the balloon's own window, the window's paint reaches the balloon's
// filter, and the filter must not show the balloon a second time from inside
// that first showing (Qt would make it a second platform window, never freed).
TEST_F(PromptsPopupTest, ABalloonShownWhileItsWindowWaitsForItsPaintShowsOnce)
{
    window.hide();
    window.show();
    PromptsPopup staying;
    staying.Create(target, L"stays", 0, 5000, false);
    staying.Show(true, -1, -1);
    EXPECT_TRUE(staying.IsDisplayed());
    QCoreApplication::processEvents();
    EXPECT_TRUE(staying.IsDisplayed());
}
