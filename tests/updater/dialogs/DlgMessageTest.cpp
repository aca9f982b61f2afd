#include "DlgMessage.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QPushButton *button(DlgMessage &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QLatin1String(name));
}

QLabel *label(DlgMessage &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("label"));
}

TEST(DlgMessageTest, StartsAsAFixedTopmostTipWithTwoButtons)
{
    DlgMessage dialog;
    EXPECT_FALSE(dialog.m_bOk);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Orbel Updater"));
    EXPECT_EQ(dialog.minimumSize(), QSize(404, 139));
    EXPECT_EQ(dialog.maximumSize(), QSize(404, 139));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);

    ASSERT_NE(label(dialog), nullptr);
    EXPECT_EQ(label(dialog)->text(), QStringLiteral("Tip"));
    EXPECT_TRUE(label(dialog)->wordWrap());
    EXPECT_TRUE(label(dialog)->alignment() & Qt::AlignTop);
    ASSERT_NE(button(dialog, "pushButton_ok"), nullptr);
    ASSERT_NE(button(dialog, "pushButton_cancel"), nullptr);
    EXPECT_EQ(button(dialog, "pushButton_ok")->text(), QStringLiteral("OK"));
    EXPECT_EQ(button(dialog, "pushButton_cancel")->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(button(dialog, "pushButton_cancel")->isHidden());
}

TEST(DlgMessageTest, ButtonSetupsFollowOneAnother)
{
    DlgMessage dialog;
    dialog.setInformation(QStringLiteral("Download completed."));
    EXPECT_EQ(label(dialog)->text(), QStringLiteral("Download completed."));

    dialog.setStandardButtonsOk();
    EXPECT_TRUE(button(dialog, "pushButton_cancel")->isHidden());
    EXPECT_EQ(button(dialog, "pushButton_ok")->text(), QStringLiteral("OK"));

    dialog.setOkButtonText(QStringLiteral("Retry"));
    EXPECT_FALSE(button(dialog, "pushButton_cancel")->isHidden());
    EXPECT_EQ(button(dialog, "pushButton_ok")->text(), QStringLiteral("Retry"));
}

// Every way out ends the modal run rejected; only OK leaves the flag set.
TEST(DlgMessageTest, EveryWayOutRejectsAndOnlyOkSetsTheFlag)
{
    struct Case
    {
        const char *name;
        std::function<void(DlgMessage &)> act;
        bool ok;
    };
    const Case cases[] = {
        {"ok", [](DlgMessage &d) { QTest::mouseClick(button(d, "pushButton_ok"), Qt::LeftButton); }, true},
        {"cancel", [](DlgMessage &d) { QTest::mouseClick(button(d, "pushButton_cancel"), Qt::LeftButton); }, false},
        {"escape", [](DlgMessage &d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
        {"window close", [](DlgMessage &d) { d.close(); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DlgMessage dialog;
        dialog.setOkButtonText(QStringLiteral("Retry"));
        bool acted = false;
        QTimer::singleShot(0, &dialog, [&] {
            acted = true;
            c.act(dialog);
        });
        // A dialog that stays open would hang the test: close it late as a fallback.
        QTimer::singleShot(5000, &dialog, [&] { dialog.done(-1); });
        EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
        EXPECT_TRUE(acted);
        EXPECT_EQ(dialog.m_bOk, c.ok);
        EXPECT_FALSE(dialog.isVisible());
    }
}

} // namespace
