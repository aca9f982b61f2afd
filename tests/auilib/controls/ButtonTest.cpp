#include "Button.h"

#include "AUILibConfig.h"
#include "AUILibUtils.h"
#include "AgnosticUIException.h"
#include "BaseImpl.h"
#include "ButtonBoxQt.h"
#include "ButtonImpl.h"
#include "ButtonQt.h"
#include "ContextMenu.h"
#include "DialogForms.h"
#include "PopupDriver.h"
#include "StyleSheetEditor.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

// The stored sheets as the looks were designed; the implementation must give
// exactly these.
const QString kSheetA = QStringLiteral(
    "QPushButton{color: #000000;background-color: transparent; text-align:center; border: 0px;}QPushButton:focus{ "
    "outline:0; border-width: 1px; border-style: dashed; border-color: black; background-color: "
    "transparent;}QPushButton:disabled{color: #c3c3c3;background-color: "
    "transparent;}QPushButton:hover{background-color:transparent;border:none; "
    "border-color:none;}QPushButton:pressed{background-color:transparent;border:none; border-color:transparent; }");
const QString kSheetB = QStringLiteral(
    "QPushButton{color: #000000; background-color: transparent; border: 0px; }QPushButton:focus{outline: "
    "none;}QPushButton:disabled{color: #c3c3c3;background-color: transparent;border-color: "
    "#d6d6d6;}QPushButton:hover{background-color:transparent;border:none; "
    "border-color:transparent;}QPushButton:pressed{background-color:transparent;border:none; "
    "border-color:transparent; }");
const QString kSheetC = QStringLiteral(
    "QPushButton{color: #000000;background-color: #e5e5e5;border:1px solid; border-radius: 0px;border-color: "
    "#afafaf;}QPushButton:focus{outline: none; background-color:#e5e5e5;border-color: "
    "#afafaf;}QPushButton:disabled{color: #c3c3c3;background-color: #ececec;border-color: "
    "#d6d6d6;}QPushButton:hover{background-color:#e5e5e5;border-color:#afafaf;}QPushButton:pressed{background-"
    "color:#e5e5e5; }");
const QString kSheetD = QStringLiteral(
    "QPushButton{color: #000000; background-color: transparent; text-align:center; border: "
    "0px;}QPushButton:focus{outline: none;}QPushButton:disabled{color: #c3c3c3;background-color: "
    "transparent;border-color: "
    "#d6d6d6;}QPushButton:hover{background-color:transparent;border-color:#afafaf;}QPushButton:pressed{"
    "background-color:transparent;border-color:#afafaf; }");
const QString kSheetE = QStringLiteral(
    "QPushButton{color: #000000; background-color: transparent; text-align:center; border: "
    "0px;}QPushButton:focus{outline: none; border-width: 0px; border-style: "
    "dotted;}QPushButton:disabled{color: #c3c3c3;background-color: transparent;border-color: "
    "#d6d6d6;}QPushButton:hover{background-color:transparent;border-color:#afafaf;}QPushButton:pressed{"
    "background-color:transparent;border-color:#afafaf; }");
const QString kSheetF = QStringLiteral(
    "QPushButton{color: #000000;background-color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, y2\\u3A1, "
    "stop\\u3A0 #e5e5e5, stop\\u3A1 #f7f7f7);border-width: 1px;border-style: "
    "solid;border-color:#afafaf;}QPushButton:hover{background-color:qlineargradient(x1\\u3A0, y1\\u3A0, "
    "x2\\u3A0, y2\\u3A1, stop\\u3A0 #e5e5e5, stop\\u3A1 #f7f7f7);border-color:#afafaf;}QPushButton:focus{color: "
    "#000000;background-color:#e5e5e5;border-color: #afafaf;}QPushButton:disabled{color: "
    "#c3c3c3;background-color: #ececec;border-color: #d6d6d6;}QPushButton:pressed{background-color:#bfbfbf; }");
const QString kSheetG = QStringLiteral(
    "QPushButton{color: #000000;background-color:#ffffff;border-width: 1px;border-style: "
    "solid;border-color:#c7c7c7;border-radius: "
    "5px;}QPushButton:hover{background-color:#ffffff;border-color:#c7c7c7;}QPushButton:focus{color: "
    "#000000;background-color:#ffffff;border-color: #c7c7c7;}QPushButton:disabled{color: "
    "#7f7f7f;background-color: #f7f7f7;border-color: "
    "#e0e0e0;}QPushButton:pressed{background-color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, y2\\u3A1, "
    "stop\\u3A0 #5ca5ff, stop\\u3A1 #0075ea);border-color:#2b90ff;}");
const QString kSheetH = QStringLiteral(
    "QLabel{background-color: transparent; text-align:center; border: 0px; "
    "color:#000000;}QLabel:disabled{color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, y2\\u3A1, stop\\u3A0 "
    "#2b90ff, stop\\u3A1 #0075ea);}");

std::shared_ptr<Button::impl> implOf(const Button &button)
{
    return std::static_pointer_cast<Button::impl>(button.GetBaseImpl());
}

QPushButton *widgetOf(const Button &button)
{
    return static_cast<QPushButton *>(button.GetPlatformHandle());
}

// The value of one property in the first rule of `selector`; "-" when the
// sheet has no such property there.
QString property(const QString &sheet, const QString &selector, const QString &name)
{
    for (const QJsonValue &rule : StyleSheetToJson(sheet)) {
        if (rule.toObject().value("selector").toString() != selector)
            continue;
        for (const QJsonValue &declaration : rule.toObject().value("properties").toArray()) {
            if (declaration.toObject().value("name").toString() == name)
                return declaration.toObject().value("value").toString();
        }
        return QStringLiteral("-");
    }
    return QStringLiteral("-");
}

QImage rendered(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

// A button of its own, placed in a window at a given height.
struct Placed
{
    explicit Placed(int height = 24)
    {
        button.Create(&window);
        widget()->setGeometry(10, 10, 120, height);
    }
    QPushButton *widget() const { return widgetOf(button); }
    std::shared_ptr<Button::impl> impl() const { return implOf(button); }
    QString sheet() const { return impl()->CurrentSheet(); }

    QWidget window;
    Button button;
};

} // namespace

TEST(ButtonTest, ItsOwnButtonIsPlacedWithoutStoringTheParent)
{
    Button button;
    EXPECT_EQ(button.GetControlKind(), ControlKindButton);
    QWidget *widget = button.GetPlatformHandle();
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ButtonQt");

    QWidget parent;
    EXPECT_TRUE(button.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(button.GetParentWindow(), nullptr);
    EXPECT_EQ(button.GetSkinManager(), GetGlobalSkinManager());
    EXPECT_EQ(button.IdealSize().width, widget->sizeHint().width());

    int clicks = 0;
    button.OnClicked.Subscribe([&] { ++clicks; });
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, ANewButtonIsNeverStyled)
{
    Button button;
    const auto impl = implOf(button);
    EXPECT_EQ(button.GetStyle(), Button::StyleNone);
    EXPECT_TRUE(impl->CurrentSheet().isEmpty());
    EXPECT_TRUE(widgetOf(button)->styleSheet().isEmpty());
    EXPECT_EQ(impl->TextColor(), widgetOf(button)->palette().color(QPalette::WindowText));
    EXPECT_EQ(impl->DisabledTextColor(), widgetOf(button)->palette().color(QPalette::Disabled, QPalette::WindowText));
    EXPECT_EQ(button.GetRoundedButtonCornerRadius(), 0);
    EXPECT_FALSE(button.IsDisableFocusRect());

    // The stored sheets, exactly as designed.
    const ButtonSheets &sheets = impl->Sheets();
    EXPECT_EQ(sheets.borderless, kSheetA);
    EXPECT_EQ(sheets.add, kSheetB);
    EXPECT_EQ(sheets.greyFramed, kSheetC);
    EXPECT_EQ(sheets.hoverBorder, kSheetD);
    EXPECT_EQ(sheets.link, kSheetE);
    EXPECT_EQ(sheets.tallDefault, kSheetF);
    EXPECT_EQ(sheets.shortDefault, kSheetG);
    EXPECT_EQ(sheets.textLabel, kSheetH);

    // Neither of these does anything.
    button.Use3dStyle();
    button.GeneratePictureDisabled(true);
    EXPECT_TRUE(widgetOf(button)->styleSheet().isEmpty());
    EXPECT_TRUE(widgetOf(button)->icon().isNull());
}

// Every style on a 24-pixel button that reads "Add": the sheet it gets, what
// the widget shows and what GetText answers.
TEST(ButtonTest, TheTenStyles)
{
    const QString roundedC = EditStyleSheet(kSheetC, "QPushButton", "border-radius", "12px");
    const struct
    {
        Button::ButtonStyle style;
        QString sheet;
        QString shown; // the widget's own text
        std::wstring text;
        bool layout;
    } cases[] = {
        {Button::StyleNone, QString(), "Add", L"Add", false},
        {Button::StyleText, kSheetA, "Add", L"Add", false},
        {Button::StyleTextAndIcon, kSheetA, "", L"Add", true},
        {Button::StyleIcon, kSheetA, "", L"", false},
        {Button::StyleRounded, roundedC, "Add", L"Add", false},
        {Button::StyleAdd, kSheetB, "+ Add", L"Add", false},
        {Button::StyleHoverBorder, kSheetD, "Add", L"Add", false},
        {Button::StyleLink, kSheetE, "Add", L"Add", false},
        {Button::StyleRoundedFixed, roundedC, "Add", L"Add", false},
        {Button::StyleRoundedTextAndIcon, roundedC, "", L"Add", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        Placed p;
        p.button.SetText(L"Add");
        p.button.SetStyle(c.style);
        EXPECT_EQ(p.button.GetStyle(), c.style);
        EXPECT_EQ(p.sheet(), c.sheet);
        EXPECT_EQ(p.widget()->styleSheet(), UnescapeStyleSheet(c.sheet));
        EXPECT_EQ(p.widget()->text(), c.shown);
        EXPECT_EQ(p.button.GetText(), c.text);
        EXPECT_EQ(p.impl()->TextLabel() != nullptr, c.layout);
        if (c.style != Button::StyleNone) {
            EXPECT_TRUE(p.widget()->isFlat());
            EXPECT_EQ(p.widget()->minimumHeight(), 18);
        }
    }
}

TEST(ButtonTest, TextFollowsTheStyle)
{
    Placed p;
    // The add style's prefix goes on once, however often the style is set.
    p.button.SetText(L"Add");
    p.button.SetStyle(Button::StyleAdd);
    p.button.SetStyle(Button::StyleAdd);
    EXPECT_EQ(p.widget()->text(), "+ Add");
    p.button.SetText(L"More");
    EXPECT_EQ(p.widget()->text(), "+ More");
    EXPECT_EQ(p.button.GetText(), L"More");

    // The icon style shows no text and takes its sheet again.
    p.button.SetStyle(Button::StyleIcon);
    p.widget()->setStyleSheet(QString());
    p.button.SetText(L"Hidden");
    EXPECT_EQ(p.widget()->text(), "");
    EXPECT_EQ(p.widget()->styleSheet(), UnescapeStyleSheet(kSheetA));

    // Text and icon: the text lives in the layout's label, also after a second
    // call of the style.
    Placed q;
    q.button.SetText(L"Label");
    q.button.UseTextAndIcon(Button::StyleTextAndIcon);
    q.button.SetStyle(Button::StyleTextAndIcon);
    ASSERT_NE(q.impl()->TextLabel(), nullptr);
    EXPECT_EQ(q.impl()->TextLabel()->text(), "Label");
    EXPECT_EQ(q.impl()->TextLabel()->styleSheet(), UnescapeStyleSheet(kSheetH));
    EXPECT_EQ(q.impl()->TextLabel()->buddy(), q.widget());
    EXPECT_EQ(q.widget()->text(), "");
    q.button.SetText(L"Changed");
    EXPECT_EQ(q.impl()->TextLabel()->text(), "Changed");
    EXPECT_EQ(q.button.GetText(), L"Changed");

    // Text colours then go to the label's own sheet; the button's stays.
    const QString buttonSheet = q.sheet();
    q.button.SetTextColor(0x00102030);
    EXPECT_EQ(property(q.impl()->TextLabel()->styleSheet(), "QLabel", "color"), "#102030");
    q.button.SetTextColor(0xFF405060, 0x80708090);
    EXPECT_EQ(property(q.impl()->TextLabel()->styleSheet(), "QLabel", "color"), "#ff405060");
    EXPECT_EQ(property(q.impl()->TextLabel()->styleSheet(), "QLabel:disabled", "color"), "#80708090");
    EXPECT_EQ(q.sheet(), buttonSheet);
}

TEST(ButtonTest, TheFirstColourEditStartsFromADefaultSheet)
{
    const struct
    {
        const char *name;
        int height;
        QString sheet;
    } cases[] = {{"tall", 40, kSheetF}, {"exactly 31", 31, kSheetF}, {"short", 30, kSheetG}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Placed p(c.height);
        p.button.SetTextColor(0x12345678);
        EXPECT_EQ(p.sheet(), EditStyleSheet(c.sheet, "QPushButton", "color", "#345678"));
        EXPECT_EQ(p.impl()->TextColor(), QColor(0x34, 0x56, 0x78));
    }
}

TEST(ButtonTest, ColourSettersEditTheStates)
{
    Placed p(40);
    p.button.SetBackgroundColor(0xFF112233, 0xFF445566, 0xFF778899, 0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "background-color"), "#ff112233");
    EXPECT_EQ(property(p.sheet(), "QPushButton:hover", "background-color"), "#ff445566");
    EXPECT_EQ(property(p.sheet(), "QPushButton:focus", "background-color"), "#ff445566") << "focus takes hover";
    EXPECT_EQ(property(p.sheet(), "QPushButton:pressed", "background-color"), "#ff112233") << "pressed takes normal";
    EXPECT_EQ(property(p.sheet(), "QPushButton:disabled", "background-color"), "#ff778899");

    p.button.SetTextColor(0x80102030, 0xFF405060);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "color"), "#80102030");
    EXPECT_EQ(property(p.sheet(), "QPushButton:disabled", "color"), "#ff405060");
    EXPECT_EQ(p.impl()->TextColor(), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(p.impl()->DisabledTextColor(), QColor(0x40, 0x50, 0x60));

    // Only the normal and hover backgrounds, named without alpha.
    p.button.SetBackgroundColor(0x00ABCDEF, false);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "background-color"), "#abcdef");
    EXPECT_EQ(property(p.sheet(), "QPushButton:hover", "background-color"), "#abcdef");
    EXPECT_EQ(property(p.sheet(), "QPushButton:disabled", "background-color"), "#ff778899");

    // Every state and the border, made opaque.
    p.button.SetBackgroundColor(0x00ABCDEF, true);
    for (const char *state : {"QPushButton", "QPushButton:hover", "QPushButton:focus", "QPushButton:pressed",
                              "QPushButton:disabled"})
        EXPECT_EQ(property(p.sheet(), state, "background-color"), "#ffabcdef") << state;
    for (const char *state : {"QPushButton", "QPushButton:hover", "QPushButton:focus", "QPushButton:disabled"})
        EXPECT_EQ(property(p.sheet(), state, "border-color"), "#ffabcdef") << state;
    EXPECT_EQ(p.widget()->styleSheet(), UnescapeStyleSheet(p.sheet()));
}

// Border colours change only rules that have one: the borderless and the add
// sheets keep their plain rule without.
TEST(ButtonTest, BorderColoursAddNoProperty)
{
    for (const Button::ButtonStyle style : {Button::StyleText, Button::StyleAdd}) {
        SCOPED_TRACE(style);
        Placed p;
        p.button.SetStyle(style);
        const QString before = p.sheet();
        p.button.SetBorderColor(0xFF010203, 0xFF040506, 0xFF070809);
        EXPECT_EQ(property(p.sheet(), "QPushButton", "border-color"), "-");
        EXPECT_EQ(property(p.sheet(), "QPushButton:hover", "border-color"), "#ff040506");
        EXPECT_EQ(property(p.sheet(), "QPushButton:disabled", "border-color"),
                  style == Button::StyleText ? "-" : "#ff070809");
        EXPECT_EQ(property(p.sheet(), "QPushButton:focus", "border-color"),
                  style == Button::StyleText ? "#ff040506" : "-");
    }
}

// A button styled by its form (or by anyone but this control) keeps that
// styling through colour and radius edits, and an edit that changes nothing
// leaves the widget's sheet as it was.
TEST(ButtonTest, EditsKeepTheWidgetsOwnSheet)
{
    Placed p;
    const QString own = QStringLiteral("QPushButton{color: red; background-color: blue; border: 1px solid green;}");
    p.widget()->setStyleSheet(own);
    p.button.SetRoundedButtonCornerRadius(4);
    EXPECT_EQ(p.widget()->styleSheet(), own) << "no radius to change";
    p.button.SetBackgroundColor(0x00FFEEDD, false);
    EXPECT_EQ(property(p.widget()->styleSheet(), "QPushButton", "background-color"), "#ffeedd");
    EXPECT_EQ(property(p.widget()->styleSheet(), "QPushButton", "color"), "red");
    EXPECT_EQ(property(p.widget()->styleSheet(), "QPushButton", "border"), "1px solid green");

    // A button with no sheet at all and a foreign look: no edit clears anything.
    Placed q;
    q.button.SetRoundedButtonCornerRadius(3);
    q.button.DisableFocusRect(true);
    EXPECT_TRUE(q.widget()->styleSheet().isEmpty());
    EXPECT_TRUE(q.sheet().isEmpty());
    EXPECT_TRUE(q.button.IsDisableFocusRect());
}

TEST(ButtonTest, CornerRadiusAndFocusFrame)
{
    Placed p;
    p.button.SetStyle(Button::StyleRoundedFixed);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "border-radius"), "12px");
    p.button.SetRoundedButtonCornerRadius(7);
    EXPECT_EQ(p.button.GetRoundedButtonCornerRadius(), 7);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "border-radius"), "7px");
    p.button.SetRoundedButtonCornerRadius(0);
    EXPECT_EQ(property(p.sheet(), "QPushButton", "border-radius"), "12px") << "half the height";

    Placed q;
    q.button.SetStyle(Button::StyleText);
    q.button.DisableFocusRect(true);
    EXPECT_EQ(property(q.sheet(), "QPushButton:focus", "border-width"), "0px");
    q.button.DisableFocusRect(false);
    EXPECT_EQ(property(q.sheet(), "QPushButton:focus", "border-width"), "1px");
    EXPECT_FALSE(q.button.IsDisableFocusRect());
}

// The rounded style follows the button's height on every resize; the style
// rounded once, and a wrapped plain push button, do not.
TEST(ButtonTest, OnlyTheRoundedStyleIsReRounded)
{
    // Resize events reach shown widgets only.
    Placed rounded;
    rounded.window.show();
    rounded.button.SetStyle(Button::StyleRounded);
    rounded.widget()->resize(120, 40);
    EXPECT_EQ(property(rounded.sheet(), "QPushButton", "border-radius"), "20px");
    EXPECT_EQ(property(rounded.widget()->styleSheet(), "QPushButton", "border-radius"), "20px");

    Placed fixed;
    fixed.window.show();
    fixed.button.SetStyle(Button::StyleRoundedFixed);
    fixed.widget()->resize(120, 40);
    EXPECT_EQ(property(fixed.sheet(), "QPushButton", "border-radius"), "12px");

    QWidget window;
    auto *plain = new QPushButton(&window);
    plain->setGeometry(0, 0, 120, 24);
    window.show();
    Button wrapped(plain);
    wrapped.SetStyle(Button::StyleRounded);
    plain->resize(120, 40);
    EXPECT_EQ(property(plain->styleSheet(), "QPushButton", "border-radius"), "12px");
}

class ButtonInABoxTest : public SandboxTest
{
protected:
    void SetUp() override { SetWorkingDirPath(files.workingDir().toStdWString()); }

    TranslationFiles files{sandbox};
};

// Buttons of the toolkit's box hand their sheets to the box, which styles them;
// buttons of any other box are left alone.
TEST_F(ButtonInABoxTest, TheBoxStylesItsButtons)
{
    ButtonBoxQt box;
    box.setStandardButtons(QDialogButtonBox::Ok);
    QPushButton *ok = box.button(QDialogButtonBox::Ok);
    ok->setGeometry(0, 0, 80, 40);
    Button button(ok);
    button.SetStyle(Button::StyleRounded);
    EXPECT_EQ(property(box.ButtonStyleSheet(QDialogButtonBox::Ok), "QPushButton", "border-radius"), "9px");
    EXPECT_TRUE(ok->styleSheet().isEmpty()) << "the box applies it once activated";

    ButtonBoxQt other;
    other.setStandardButtons(QDialogButtonBox::Ok);
    other.button(QDialogButtonBox::Ok)->setGeometry(0, 0, 80, 40);
    Button colored(other.button(QDialogButtonBox::Ok));
    colored.SetTextColor(0x00FF0000);
    EXPECT_EQ(other.ButtonStyleSheet(QDialogButtonBox::Ok), EditStyleSheet(kSheetG, "QPushButton", "color", "#ff0000"))
        << "a button in a box gets the short default whatever its height";

    QDialogButtonBox foreign;
    foreign.setStandardButtons(QDialogButtonBox::Cancel);
    Button untouched(foreign.button(QDialogButtonBox::Cancel));
    untouched.SetStyle(Button::StyleText);
    untouched.SetBackgroundColor(0x00FF0000, true);
    EXPECT_TRUE(foreign.button(QDialogButtonBox::Cancel)->styleSheet().isEmpty());
    EXPECT_TRUE(implOf(untouched)->CurrentSheet().isEmpty());
}

TEST(ButtonTest, FontCheckState)
{
    Placed p;
    FontData font;
    font.bold = 1;
    font.italic = 1;
    font.size = 15;
    p.button.SetFont(font);
    const FontData read = p.button.GetFont();
    EXPECT_EQ(read.bold, 1);
    EXPECT_EQ(read.italic, 1);
    EXPECT_EQ(read.underline, 0);
    EXPECT_NEAR(read.size, 15, 0.5);

    EXPECT_FALSE(p.widget()->isCheckable());
    p.button.SetChecked(true);
    EXPECT_TRUE(p.widget()->isCheckable());
    EXPECT_TRUE(p.button.GetCheck());
    p.button.SetChecked(false);
    EXPECT_FALSE(p.button.GetCheck());
}

TEST(ButtonTest, PicturesFromFilesAndBytes)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("red.png");
    ASSERT_TRUE(FilledImage(16, 16, Qt::red).save(png));
    // An icon file of two sizes; its suffix is matched in any case.
    const QString ico = dir.filePath("multi.Ico");
    {
        QFile file(ico);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodedImage(FilledImage(32, 32, Qt::blue), "ICO"));
    }

    Placed p(40);
    p.button.LoadPicture(png.toStdWString(), ScalePictureKeepSize, 0, false);
    EXPECT_TRUE(p.widget()->isFlat());
    EXPECT_EQ(p.widget()->iconSize(), QSize(16, 16));
    EXPECT_EQ(p.widget()->icon().pixmap(16, 16).toImage().pixel(2, 2), QColor(Qt::red).rgb());

    p.button.LoadPicture(ico.toStdWString(), ScalePictureKeepSize, 32, false);
    EXPECT_EQ(p.widget()->iconSize(), QSize(32, 32)) << "the icon path";
    EXPECT_EQ(p.widget()->icon().pixmap(32, 32).toImage().pixel(2, 2), QColor(Qt::blue).rgb())
        << "a later picture replaces the earlier";

    const QByteArray green = EncodedImage(FilledImage(8, 8, Qt::green), "PNG");
    p.button.LoadPictureDisabled(reinterpret_cast<const unsigned char *>(green.constData()), green.size(),
                                 ImageTypePNG, ScalePictureKeepSize, 0, false);
    EXPECT_EQ(p.widget()->icon().pixmap(8, 8, QIcon::Disabled).toImage().pixel(2, 2), QColor(Qt::green).rgb());
    EXPECT_EQ(p.widget()->icon().pixmap(32, 32).toImage().pixel(2, 2), QColor(Qt::blue).rgb());

    // ICO bytes are decoded from memory.
    const QByteArray icoBytes = EncodedImage(FilledImage(24, 24, Qt::yellow), "ICO");
    p.button.LoadPicture(reinterpret_cast<const unsigned char *>(icoBytes.constData()), icoBytes.size(),
                         ImageTypeICO, ScalePictureKeepSize, 24, false);
    EXPECT_EQ(p.widget()->iconSize(), QSize(24, 24));
    EXPECT_EQ(p.widget()->icon().pixmap(24, 24).toImage().pixel(2, 2), QColor(Qt::yellow).rgb());

    // Scaled to the button less 13 pixels.
    p.button.LoadPicture(png.toStdWString(), ScalePictureToSize, 0, false);
    EXPECT_EQ(p.widget()->iconSize(), QSize(120 - 13, 40 - 13));

    // A picture that cannot be read empties the icon.
    p.button.LoadPicture(dir.filePath("missing.png").toStdWString(), ScalePictureKeepSize, 0, false);
    EXPECT_TRUE(p.widget()->icon().isNull());

    // In the text-and-icon styles the picture goes into the layout with the text.
    Placed q(40);
    q.button.SetText(L"Save");
    q.button.SetStyle(Button::StyleRoundedTextAndIcon);
    q.button.LoadPicture(png.toStdWString(), ScalePictureKeepSize, 0, false);
    ASSERT_NE(q.impl()->IconLabel(), nullptr);
    EXPECT_EQ(q.impl()->IconLabel()->pixmap(Qt::ReturnByValue).size(), QSize(16, 16));
    EXPECT_TRUE(q.widget()->icon().isNull());
    EXPECT_EQ(q.button.GetText(), L"Save");

    // A picture larger than the button is shown at its size in logical pixels.
    EXPECT_EQ(FittedIconSize(QSize(16, 16), QSize(20, 20)), QSize(16, 16));
    const double scale = AUILibUtils::GetScaleFactor();
    EXPECT_EQ(FittedIconSize(QSize(64, 32), QSize(20, 20)),
              QSize(static_cast<int>(std::lround(64 / scale)), static_cast<int>(std::lround(32 / scale))));
}

// A text-and-icon button given a picture while its text is still on the
// widget moves the text into the layout at once, so it reads back as shown.
TEST(ButtonTest, APictureMovesTheTextIntoTheLayout)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("red.png");
    ASSERT_TRUE(FilledImage(16, 16, Qt::red).save(png));
    Placed p(40);
    p.button.SetStyle(Button::StyleTextAndIcon);
    p.widget()->setText("Open");
    p.button.LoadPicture(png.toStdWString(), ScalePictureKeepSize, 0, false);
    EXPECT_EQ(p.widget()->text(), "");
    ASSERT_NE(p.impl()->TextLabel(), nullptr);
    EXPECT_EQ(p.impl()->TextLabel()->text(), "Open");
    EXPECT_EQ(p.button.GetText(), L"Open");
}

// The menu pops up under the button and closes before OnClicked runs.
TEST(ButtonTest, AClickShowsTheMenuBeforeOnClicked)
{
    Placed p;
    p.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.window));
    std::vector<std::string> order;
    auto menu = std::make_shared<ContextMenu>();
    ASSERT_TRUE(menu->Create(p.widget()));
    menu->AddItem(L"Entry", [&] { order.push_back("entry"); });
    p.button.InsertMenuBar(menu, true);
    EXPECT_TRUE(p.impl()->ShowsMenuArrow());
    p.button.OnClicked.Subscribe([&] { order.push_back("clicked"); });

    const Rect area = p.button.GetWindowRect();
    QPoint shownAt;
    PopupDriver driver([&](QMenu *shown) {
        shownAt = shown->pos();
        PopupDriver::choose(shown, "Entry");
    });
    QTest::mouseClick(p.widget(), Qt::LeftButton);
    EXPECT_EQ(driver.shown, 1);
    EXPECT_EQ(order, (std::vector<std::string>{"entry", "clicked"}));
    EXPECT_EQ(shownAt, QPoint(area.left, area.bottom));

    p.button.RemoveMenuBar();
    EXPECT_FALSE(p.impl()->ShowsMenuArrow());
    order.clear();
    p.widget()->click();
    EXPECT_EQ(order, (std::vector<std::string>{"clicked"}));
}

// The drop-down triangle: 8 by 4 pixels, 3 above the bottom edge, in the text
// colour, or the disabled one while disabled. A wrapped plain push button
// draws none.
TEST(ButtonTest, TheMenuTriangle)
{
    Placed p;
    p.button.SetStyle(Button::StyleText);
    p.button.SetTextColor(0x00FF0000, 0xFF0000FF);
    p.button.InsertMenuBar(nullptr, true);
    const int cx = 60;
    const int tipY = 24 - 1 - 3 - 2; // a row fully inside, above the tip
    EXPECT_EQ(rendered(p.widget()).pixel(cx, tipY), QColor(Qt::red).rgb());
    EXPECT_EQ(rendered(p.widget()).pixel(cx, tipY - 5), QColor(Qt::white).rgb()) << "nothing above the triangle";
    p.widget()->setEnabled(false);
    EXPECT_EQ(rendered(p.widget()).pixel(cx, tipY), QColor(Qt::blue).rgb());

    QWidget window;
    auto *plain = new QPushButton(&window);
    plain->setGeometry(0, 0, 120, 24);
    plain->setStyleSheet("QPushButton{background-color: white; border: 0px;}");
    Button wrapped(plain);
    wrapped.InsertMenuBar(nullptr, true);
    EXPECT_EQ(rendered(plain).pixel(cx, tipY), QColor(Qt::white).rgb());
}

// The link style underlines its text, and shows a focus frame only when the
// keyboard brought the focus.
TEST(ButtonTest, TheLinkStyle)
{
    Placed p(30);
    p.button.SetText(L"Details");
    p.button.SetStyle(Button::StyleLink);
    const QFontMetrics metrics(p.widget()->font());
    const int w = metrics.horizontalAdvance("Details");
    const int h = metrics.height();
    const int y = std::min(30 - 3, (30 - h) / 2 + h + 1);
    const QImage image = rendered(p.widget());
    EXPECT_NE(image.pixel((120 - w) / 2 + 1, y), QColor(Qt::white).rgb()) << "underlined";
    EXPECT_EQ(image.pixel((120 - w) / 2 - 3, y), QColor(Qt::white).rgb()) << "only under the text";

    for (const auto &reason : {std::make_pair(Qt::MouseFocusReason, "0px"), std::make_pair(Qt::TabFocusReason, "1px")}) {
        QFocusEvent focus(QEvent::FocusIn, reason.first);
        QCoreApplication::sendEvent(p.widget(), &focus);
        EXPECT_EQ(property(p.widget()->styleSheet(), "QPushButton:focus", "border-width"), reason.second);
    }
}

class ButtonFormTest : public DialogFormTest
{
};

TEST_F(ButtonFormTest, AButtonOfAFormKeepsItsProperties)
{
    const QByteArray body =
        "<item><widget class=\"QPushButton\" name=\"btn\"><property name=\"text\"><string>From form</string></property>"
        "<property name=\"checkable\"><bool>true</bool></property>"
        "<property name=\"checked\"><bool>true</bool></property>"
        "<property name=\"styleSheet\"><string>QPushButton{color: #123456; background-color: #ffffff;}</string>"
        "</property></widget></item>\n";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    std::unique_ptr<QWidget> window(dialog.GetWndPtr());
    auto *button = dialog.GetControlPtr<Button *>(L"btn");
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(button->GetPlatformHandle()->metaObject()->className(), "AUILib::ButtonQt");
    EXPECT_EQ(button->GetText(), L"From form");
    EXPECT_TRUE(button->GetCheck());
    EXPECT_EQ(button->GetStyle(), Button::StyleNone);

    // The form's styling survives a colour change.
    button->SetBackgroundColor(0x00FF0000, false);
    const QString sheet = widgetOf(*button)->styleSheet();
    EXPECT_EQ(property(sheet, "QPushButton", "color"), "#123456");
    EXPECT_EQ(property(sheet, "QPushButton", "background-color"), "#ff0000");

    int clicks = 0;
    button->OnClicked.Subscribe([&] { ++clicks; });
    QTest::mouseClick(button->GetPlatformHandle(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, AnExistingPushButtonIsDrivenAndOutlivesItsControl)
{
    QWidget parent;
    QPointer<QPushButton> existing = new QPushButton("OK", &parent);
    int clicks = 0;
    {
        Button button(existing);
        EXPECT_EQ(button.GetControlKind(), ControlKindButton);
        EXPECT_EQ(button.GetPlatformHandle(), existing.data());
        EXPECT_EQ(button.OnClicked.Count(), 0u);
        button.OnClicked.Subscribe([&] { ++clicks; });
        button.Show(false, false);
        EXPECT_TRUE(existing->isHidden());
        existing->click();
        EXPECT_EQ(clicks, 1);
    }
    // The widget stays with its parent, and its clicks reach nobody.
    ASSERT_FALSE(existing.isNull());
    existing->click();
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, AHandlerMayDropTheButtonItIsCalledFor)
{
    QWidget parent;
    auto button = std::make_shared<Button>();
    button->Create(&parent);
    QPointer<QPushButton> widget = static_cast<QPushButton *>(button->GetPlatformHandle());
    int clicks = 0;
    button->OnClicked.Subscribe([&] {
        ++clicks;
        button.reset();
    });
    widget->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button, nullptr);
    widget->click();
    EXPECT_EQ(clicks, 1);
}

// Something still holds the implementation GetBaseImpl handed out; the widget
// stays with its parent. A click then reaches no control.
TEST(ButtonTest, AClickAfterTheButtonIsGoneReachesNobody)
{
    QWidget parent;
    auto button = std::make_unique<Button>();
    button->Create(&parent);
    QPointer<QPushButton> widget = static_cast<QPushButton *>(button->GetPlatformHandle());
    int clicks = 0;
    button->OnClicked.Subscribe([&] { ++clicks; });
    const std::shared_ptr<BaseImpl> held = button->GetBaseImpl();
    button.reset();
    ASSERT_FALSE(widget.isNull());
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(held->GetWidget(), widget.data());
    widget->resize(50, 50); // paints and resizes without a control
    widget->repaint();
}

TEST(ButtonTest, AButtonDroppedUnplacedTakesItsWidgetAlong)
{
    auto button = std::make_unique<Button>();
    QPointer<QWidget> widget = button->GetPlatformHandle();
    button.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

// The common operations throw; the button's own ones do nothing and answer
// neutral values.
TEST(ButtonTest, AGoneWidget)
{
    Button button;
    delete button.GetPlatformHandle();
    EXPECT_EQ(button.GetPlatformHandle(), nullptr);
    EXPECT_THROW(button.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(button.IdealSize(), AgnosticUIException);

    button.SetText(L"x");
    button.SetStyle(Button::StyleAdd);
    EXPECT_EQ(button.GetStyle(), Button::StyleAdd);
    button.SetTextColor(0x00FF0000);
    button.SetBackgroundColor(0x00FF0000, true);
    button.SetBorderColor(1, 2, 3);
    button.SetRoundedButtonCornerRadius(3);
    button.DisableFocusRect(true);
    FontData font;
    font.bold = 1;
    button.SetFont(font);
    button.SetChecked(true);
    const unsigned char none[] = {0};
    button.LoadPicture(none, 1, ImageTypePNG, ScalePictureKeepSize, 0, false);
    button.LoadPictureDisabled(L"/no/such.png", ScalePictureKeepSize, 0, false);
    EXPECT_EQ(button.GetText(), L"");
    EXPECT_FALSE(button.GetCheck());
    EXPECT_EQ(button.GetFont().bold, -1);
}
