#include "PromptsPopup.h"
#include "PromptsPopupQt.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

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

    // -1 is the longest time, not forever.
    popup.Create(target, L"x", 0, -1, false);
    EXPECT_EQ(label()->timeoutMs, 50000);
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

    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    bare.Show(false, 0, 0);
    bare.SetTitleIcon(reinterpret_cast<const unsigned char *>(png.constData()), png.size());
    bare.Show(true, -1, -1);
    EXPECT_TRUE(target->findChildren<PromptsPopupQt *>().last()->text().contains(QStringLiteral("base64")));
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
