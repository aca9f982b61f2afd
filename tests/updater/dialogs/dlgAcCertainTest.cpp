#include "dlgAcCertain.h"

#include "ModalAnswerer.h"
#include "Sandbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AcCertain : public SandboxTest
{
};

TEST_F(AcCertain, FormAndTexts)
{
    dlgAcCertain notice;
    EXPECT_EQ(notice.objectName(), QStringLiteral("dlgAcCertain"));
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Dialog"));
    EXPECT_EQ(notice.size(), QSize(406, 235));
    const QLabel *label = notice.findChild<QLabel *>(QStringLiteral("label"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("Your enterprise administrator asks you to update client to"));
    EXPECT_EQ(label->geometry(), QRect(40, 90, 341, 51));
    EXPECT_EQ(notice.findChild<QWidget *>(QStringLiteral("widget"))->geometry(), QRect(160, 160, 221, 31));
    EXPECT_EQ(notice.findChild<QPushButton *>(QStringLiteral("btn_now"))->text(), QStringLiteral("Now"));
    EXPECT_EQ(notice.findChild<QPushButton *>(QStringLiteral("btn_nexttime"))->text(), QStringLiteral("Next Time"));
}

// Neither button, nor Enter, closes the notice; only rejecting it does.
TEST_F(AcCertain, ButtonsLeaveItOpen)
{
    dlgAcCertain notice;
    bool stayedOpen = false;
    EXPECT_EQ(ModalAnswerer::exec(notice, [&](QDialog *modal) {
        notice.findChild<QPushButton *>(QStringLiteral("btn_now"))->click();
        notice.findChild<QPushButton *>(QStringLiteral("btn_nexttime"))->click();
        QTest::keyClick(modal, Qt::Key_Return);
        stayedOpen = notice.isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    }), 0);
    EXPECT_TRUE(stayedOpen);
}

} // namespace
