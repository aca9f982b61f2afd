#include "ButtonBoxQt.h"

#include "AUILibConfig.h"
#include "StandardButtons.h"
#include "TranslationFiles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

// What the button control hands over: a sheet it edited, escapes still in.
const QString kEdited = QStringLiteral(
    "QPushButton { color: #000000; border-radius: 5px; } QPushButton:hover { background-color: "
    "qlineargradient(x1\\u3A0, y1\\u3A1); } ");

void activate(ButtonBoxQt &box)
{
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&box, &event);
}

// A box that is never shown: no layout moves its buttons, so their sizes are
// the ones the test gives them.
struct Box
{
    explicit Box(QDialogButtonBox::StandardButtons buttons, Qt::Orientation orientation = Qt::Horizontal)
    {
        box.setOrientation(orientation);
        box.setStandardButtons(buttons);
    }
    QPushButton *button(QDialogButtonBox::StandardButton which) { return box.button(which); }
    void resize(QDialogButtonBox::StandardButton which, int width, int height)
    {
        button(which)->setGeometry(0, 0, width, height);
    }

    ButtonBoxQt box;
};

} // namespace

class ButtonBoxQtTest : public SandboxTest
{
protected:
    void SetUp() override { SetWorkingDirPath(files.workingDir().toStdWString()); }

    TranslationFiles files{sandbox};
};

TEST_F(ButtonBoxQtTest, SheetsWaitForTheFirstActivationAndThenGetMeasuredMinimumSizes)
{
    Box b(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    b.resize(QDialogButtonBox::Ok, 80, 24);
    b.resize(QDialogButtonBox::Cancel, 90, 30);
    b.box.SetButtonStyleSheet(QStringLiteral("OK"), kEdited);
    EXPECT_EQ(b.box.ButtonStyleSheet(QDialogButtonBox::Ok), kEdited);
    EXPECT_TRUE(b.button(QDialogButtonBox::Ok)->styleSheet().isEmpty());
    EXPECT_FALSE(b.box.MeasuredSize(QDialogButtonBox::Ok).isValid());

    activate(b.box);
    EXPECT_TRUE(b.box.IsActivated());
    EXPECT_EQ(b.box.MeasuredSize(QDialogButtonBox::Ok), QSize(80, 24));
    EXPECT_EQ(b.box.MeasuredSize(QDialogButtonBox::Cancel), QSize(90, 30));
    EXPECT_EQ(b.button(QDialogButtonBox::Ok)->styleSheet(),
              "QDialogButtonBox [text='OK'] {min-width:66px;min-height:12px;margin-top:2px; color: #000000; "
              "border-radius: 5px; } QDialogButtonBox [text='OK']:hover { background-color: "
              "qlineargradient(x1:0, y1:1); } ");
    EXPECT_TRUE(b.button(QDialogButtonBox::Cancel)->styleSheet().isEmpty());

    // Later sheets apply at once, with the sizes of the first activation.
    b.resize(QDialogButtonBox::Cancel, 200, 50);
    b.box.SetButtonStyleSheet(QStringLiteral("Cancel"), QStringLiteral("QPushButton { color: #ff0000; } "));
    EXPECT_EQ(b.button(QDialogButtonBox::Cancel)->styleSheet(),
              "QDialogButtonBox [text='Cancel'] {min-width:76px;min-height:18px;margin-top:2px; color: #ff0000; } ");
    // A second activation measures nothing again.
    activate(b.box);
    EXPECT_EQ(b.box.MeasuredSize(QDialogButtonBox::Cancel), QSize(90, 30));
}

TEST_F(ButtonBoxQtTest, VerticalBoxesGetNoTopMargin)
{
    Box b(QDialogButtonBox::Ok, Qt::Vertical);
    b.resize(QDialogButtonBox::Ok, 80, 24);
    activate(b.box);
    b.box.SetButtonStyleSheet(QStringLiteral("OK"), QStringLiteral("QPushButton { color: #000000; } "));
    EXPECT_EQ(b.button(QDialogButtonBox::Ok)->styleSheet(),
              "QDialogButtonBox [text='OK'] {min-width:66px;min-height:10px; color: #000000; } ");
}

TEST_F(ButtonBoxQtTest, OnlyTextsOfStandardButtonsAndWholeSheetsAreKept)
{
    Box b(QDialogButtonBox::Ok);
    activate(b.box);
    b.box.SetButtonStyleSheet(QStringLiteral("Okay"), kEdited);
    b.box.SetButtonStyleSheet(QStringLiteral("OK"), QString());
    b.box.SetButtonStyleSheet(QString(), kEdited);
    EXPECT_TRUE(b.box.ButtonStyleSheet(QDialogButtonBox::Ok).isEmpty());
    EXPECT_TRUE(b.button(QDialogButtonBox::Ok)->styleSheet().isEmpty());

    // A sheet never normalised by the editor (no blank before "{") gets its
    // selectors but no minimum sizes.
    b.box.SetButtonStyleSheet(QStringLiteral("OK"),
                              QStringLiteral("QPushButton{color: #000000;}QPushButton:focus{outline:0;}"));
    EXPECT_EQ(b.button(QDialogButtonBox::Ok)->styleSheet(),
              "QDialogButtonBox [text='OK']{color: #000000;}QDialogButtonBox [text='OK']:focus{outline:0;}");
}

TEST_F(ButtonBoxQtTest, SizesBelongToEachBox)
{
    Box first(QDialogButtonBox::Ok);
    first.resize(QDialogButtonBox::Ok, 80, 24);
    activate(first.box);
    Box second(QDialogButtonBox::Ok);
    second.resize(QDialogButtonBox::Ok, 150, 40);
    activate(second.box);

    first.box.SetButtonStyleSheet(QStringLiteral("OK"), QStringLiteral("QPushButton { color: #000000; } "));
    second.box.SetButtonStyleSheet(QStringLiteral("OK"), QStringLiteral("QPushButton { color: #000000; } "));
    EXPECT_TRUE(first.button(QDialogButtonBox::Ok)->styleSheet().contains("{min-width:66px;min-height:12px;"));
    EXPECT_TRUE(second.button(QDialogButtonBox::Ok)->styleSheet().contains("{min-width:136px;min-height:28px;"));
}

TEST_F(ButtonBoxQtTest, AButtonAddedAfterActivationIsMeasuredWhenFirstStyled)
{
    Box b(QDialogButtonBox::Cancel);
    activate(b.box);
    b.box.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    b.resize(QDialogButtonBox::Ok, 100, 30);
    b.box.SetButtonStyleSheet(QStringLiteral("OK"), QStringLiteral("QPushButton { color: #000000; } "));
    EXPECT_EQ(b.box.MeasuredSize(QDialogButtonBox::Ok), QSize(100, 30));
    EXPECT_TRUE(b.button(QDialogButtonBox::Ok)->styleSheet().contains("{min-width:86px;min-height:18px;"));
}

TEST_F(ButtonBoxQtTest, QuotesAndBackslashesInACaptionStillNameTheButton)
{
    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeStrings("de-DE", "", R"(<string id="AUILib::BBoxOK">Geht's \ gut</string>)"));
    const StandardButtonRow &ok = StandardButtonTable()[2];
    ASSERT_EQ(StandardButtonCaption(ok), QString::fromUtf8(R"(Geht's \ gut)"));

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new ButtonBoxQt;
    layout->addWidget(box);
    box->setStandardButtons(QDialogButtonBox::Ok);
    QPushButton *button = box->button(QDialogButtonBox::Ok);
    button->setText(StandardButtonCaption(ok));
    box->SetButtonStyleSheet(button->text(), QStringLiteral("QPushButton { color: #ff0000; } "));

    // The real road: the window is shown and becomes the active one.
    window.show();
    QApplication::setActiveWindow(&window);
    QTRY_VERIFY_WITH_TIMEOUT(box->IsActivated(), 10000);
    EXPECT_TRUE(button->styleSheet().startsWith(QString::fromUtf8(R"(QDialogButtonBox [text='Geht\'s \\ gut'] {)")))
        << button->styleSheet().toStdString();
    button->ensurePolished();
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(0xff, 0, 0));
}
