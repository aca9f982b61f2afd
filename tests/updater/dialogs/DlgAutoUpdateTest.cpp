#include "DlgAutoUpdate.h"

#include "ModalAnswerer.h"
#include "Sandbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class AutoUpdate : public SandboxTest
{
};

TEST_F(AutoUpdate, FormAndTexts)
{
    DlgAutoUpdate notice;
    EXPECT_EQ(notice.objectName(), QStringLiteral("DlgAutoUpdate"));
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Dialog"));
    EXPECT_EQ(notice.size(), QSize(588, 450));
    auto text = [&](const char *name) {
        if (const auto *label = notice.findChild<QLabel *>(QLatin1String(name)))
            return label->text();
        if (const auto *button = notice.findChild<QAbstractButton *>(QLatin1String(name)))
            return button->text();
        return QStringLiteral("<missing>");
    };
    EXPECT_EQ(text("label_logo"), QStringLiteral("Logo"));
    EXPECT_EQ(text("label_new_update"), QStringLiteral("TextLabel"));
    EXPECT_EQ(text("label_compareinfo"), QStringLiteral("TextLabel"));
    EXPECT_EQ(text("checkBox_InstallCorvidAuto"), QStringLiteral("Install a free 14-days trial of Orbel PDF Editor"));
    EXPECT_EQ(text("btn_skip"), QStringLiteral("Skip this version"));
    EXPECT_EQ(text("btn_remind"), QStringLiteral("Remind Me Later"));
    EXPECT_FALSE(notice.findChild<QCheckBox *>(QStringLiteral("checkBox_InstallCorvidAuto"))->isChecked());

    // One column, top to bottom: heading, comparison, description, offer, buttons.
    const auto *grid = qobject_cast<QGridLayout *>(notice.layout());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->columnCount(), 1);
    ASSERT_EQ(grid->rowCount(), 5);
    auto at = [&](int row) { return grid->itemAtPosition(row, 0); };
    EXPECT_EQ(at(0)->layout()->itemAt(0)->widget()->objectName(), QStringLiteral("label_logo"));
    EXPECT_EQ(at(0)->layout()->itemAt(1)->widget()->objectName(), QStringLiteral("label_new_update"));
    EXPECT_EQ(at(1)->widget()->objectName(), QStringLiteral("label_compareinfo"));
    EXPECT_TRUE(qobject_cast<QTextEdit *>(at(2)->widget()));
    EXPECT_EQ(at(3)->widget()->objectName(), QStringLiteral("checkBox_InstallCorvidAuto"));
    EXPECT_EQ(at(4)->layout()->itemAt(0)->widget()->objectName(), QStringLiteral("btn_skip"));
    EXPECT_EQ(at(4)->layout()->itemAt(1)->widget()->objectName(), QStringLiteral("btn_remind"));
}

// No button is connected: the notice closes only by rejection.
TEST_F(AutoUpdate, ButtonsLeaveItOpen)
{
    DlgAutoUpdate notice;
    bool stayedOpen = false;
    EXPECT_EQ(ModalAnswerer::exec(notice, [&](QDialog *modal) {
        notice.findChild<QPushButton *>(QStringLiteral("btn_skip"))->click();
        notice.findChild<QPushButton *>(QStringLiteral("btn_remind"))->click();
        stayedOpen = notice.isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    }), 0);
    EXPECT_TRUE(stayedOpen);
}

} // namespace
