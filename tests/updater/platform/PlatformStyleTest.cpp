#include "PlatformStyle.h"

#include <QApplication>
#include <QPushButton>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class PlatformStyleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_style = QApplication::style()->objectName();
        QApplication::setStyle(new PlatformStyle);
        qApp->setStyleSheet(QStringLiteral("QPushButton{height: 32pt}"));
    }

    void TearDown() override
    {
        qApp->setStyleSheet(QString());
        QApplication::setStyle(QStyleFactory::create(m_style));
    }

private:
    QString m_style;
};

// The sheet's height in points gives a button no height of its own here: the
// text, a line of it when there is none, or the icon sets the least height.
TEST_F(PlatformStyleTest, AButtonIsNeverShorterThanItsTextOrIcon)
{
    QPixmap tall(24, 40);
    tall.fill(Qt::red);
    const struct
    {
        const char *text;
        bool icon;
    } cases[] = {{"Close", false}, {"&Yes", false}, {"", false}, {"", true}, {"Download and Install", true}};
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    QList<QPushButton *> buttons;
    for (const auto &c : cases) {
        auto *button = new QPushButton(QString::fromLatin1(c.text));
        if (c.icon) {
            button->setIcon(QIcon(tall));
            button->setIconSize(tall.size());
        }
        layout->addWidget(button);
        buttons << button;
    }
    window.show();
    for (QPushButton *button : buttons) {
        SCOPED_TRACE(button->text().toStdString() + (button->icon().isNull() ? "" : " with an icon"));
        int needed = button->fontMetrics().height();
        if (!button->icon().isNull())
            needed = std::max(needed, tall.height());
        EXPECT_GT(button->height(), needed);
        EXPECT_GT(button->sizeHint().height(), needed);
    }
}

TEST_F(PlatformStyleTest, DisabledTextIsDimmedOnlyWhereItsColourWasForced)
{
    QPalette forced;
    forced.setColor(QPalette::ButtonText, QColor(222, 222, 222));
    forced.setColor(QPalette::Button, QColor(60, 60, 60));
    forced.setColor(QPalette::WindowText, QColor(26, 26, 26));
    forced.setColor(QPalette::Window, QColor(240, 240, 240));
    EXPECT_EQ(PlatformStyle::disabledTextColour(forced, QPalette::ButtonText), QColor(141, 141, 141));
    EXPECT_EQ(PlatformStyle::disabledTextColour(forced, QPalette::WindowText), QColor(133, 133, 133));

    QPalette own = forced;
    own.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    EXPECT_EQ(PlatformStyle::disabledTextColour(own, QPalette::ButtonText), QColor(120, 120, 120));
}

} // namespace
