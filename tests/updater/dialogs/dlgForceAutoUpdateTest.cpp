#include "dlgForceAutoUpdate.h"

#include "ModalAnswerer.h"
#include "Sandbox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class ForceAutoUpdate : public SandboxTest
{
};

TEST_F(ForceAutoUpdate, FormAndTexts)
{
    dlgForceAutoUpdate notice(nullptr);
    EXPECT_EQ(notice.objectName(), QStringLiteral("dlgForceAutoUpdate"));
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Dialog"));
    EXPECT_EQ(notice.size(), QSize(552, 294));
    const QLabel *detail = notice.findChild<QLabel *>(QStringLiteral("lbl_detail"));
    ASSERT_TRUE(detail);
    EXPECT_EQ(detail->geometry(), QRect(140, 80, 251, 111));
    // Every marker names the reader.
    EXPECT_EQ(detail->text(),
              QStringLiteral("Your IT administrator has required a Orbel PDF Reader update. Orbel PDF Reader must be "
                             "closed to proceed with the installation. Please close Orbel PDF Reader and then click "
                             "Retry to continue."));
    const QPushButton *install = notice.findChild<QPushButton *>(QStringLiteral("btn_Install"));
    ASSERT_TRUE(install);
    EXPECT_EQ(install->text(), QStringLiteral("Install"));
    const QComboBox *remind = notice.findChild<QComboBox *>(QStringLiteral("cb_Remind"));
    ASSERT_TRUE(remind);
    EXPECT_EQ(remind->count(), 0);
    EXPECT_EQ(notice.findChild<QWidget *>(QStringLiteral("widget"))->geometry(), QRect(290, 250, 241, 38));
    EXPECT_EQ(notice.m_nResult, 1);
}

// "Install" accepts; closing rejects. The result the caller reads stays 1 either way.
TEST_F(ForceAutoUpdate, InstallAcceptsAndTheResultStaysOne)
{
    const struct
    {
        const char *way;
        std::function<void(QDialog *)> answer;
        int exec;
    } cases[] = {
        {"install", [](QDialog *n) { n->findChild<QPushButton *>(QStringLiteral("btn_Install"))->click(); }, 1},
        {"close", [](QDialog *n) { n->close(); }, 0},
        {"escape", [](QDialog *n) { QTest::keyClick(n, Qt::Key_Escape); }, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.way);
        dlgForceAutoUpdate notice(nullptr);
        EXPECT_EQ(ModalAnswerer::exec(notice, c.answer), c.exec);
        EXPECT_EQ(notice.m_nResult, 1);
    }
}

} // namespace
