#include "RadioButton.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "RadioButtonQt.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

QByteArray png(int size, QRgb colour)
{
    return FilledPictureBytes(size, size, QColor::fromRgba(colour));
}


QRadioButton *buttonOf(RadioButton &control)
{
    return qobject_cast<QRadioButton *>(control.GetPlatformHandle());
}

// The events of several buttons in the order they fire, as "name:event".
struct Journal
{
    void watch(RadioButton &control, const std::string &name)
    {
        control.OnClicked.Subscribe([this, name] { seen.push_back(name + ":clicked"); });
        control.OnCheck.Subscribe([this, name] { seen.push_back(name + ":check"); });
    }
    std::vector<std::string> take() { return std::exchange(seen, {}); }
    std::vector<std::string> seen;
};

// Three buttons of one group, placed and shown.
struct Group
{
    Group()
    {
        for (int i = 0; i < 3; ++i) {
            buttons[i].Create(&parent);
            buttonOf(buttons[i])->setGeometry(0, 30 * i, 120, 24);
            buttons[i].SetText(L"Choice " + std::to_wstring(i));
            journal.watch(buttons[i], std::string(1, char('a' + i)));
        }
        parent.resize(200, 100);
        parent.show();
    }
    void click(int i) { QTest::mouseClick(buttonOf(buttons[i]), Qt::LeftButton, {}, QPoint(6, 12)); }
    std::vector<bool> checked()
    {
        return {buttons[0].Checked(), buttons[1].Checked(), buttons[2].Checked()};
    }

    QWidget parent;
    RadioButton buttons[3];
    Journal journal;
};

// An icon file of PNG images of the given sizes, in that order.
QByteArray ico(const std::vector<int> &sizes)
{
    auto put16 = [](QByteArray &out, int v) { out.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); };
    auto put32 = [&](QByteArray &out, int v) {
        put16(out, v & 0xffff);
        put16(out, (v >> 16) & 0xffff);
    };
    QByteArray head, images;
    put16(head, 0);
    put16(head, 1);
    put16(head, int(sizes.size()));
    for (int size : sizes) {
        const QByteArray image = png(size, qRgb(0, 128, 255));
        head.append(char(size)).append(char(size)).append(char(0)).append(char(0));
        put16(head, 1);
        put16(head, 32);
        put32(head, image.size());
        put32(head, 6 + 16 * int(sizes.size()) + images.size());
        images.append(image);
    }
    return head + images;
}

const unsigned char *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

} // namespace

TEST(RadioButtonTest, ClicksFireOnCheckOnlyWhenTheUserTurnedTheButtonOn)
{
    Group g;
    EXPECT_EQ(g.buttons[0].GetControlKind(), ControlKindRadioButton);
    EXPECT_EQ(g.buttons[0].GetParentWindow(), &g.parent);
    EXPECT_STREQ(buttonOf(g.buttons[0])->metaObject()->className(), "AUILib::RadioButtonQt");
    EXPECT_GT(g.buttons[0].IdealSize().width, 0);
    EXPECT_EQ(g.buttons[0].GetSkinManager(), GetGlobalSkinManager());

    g.click(0);
    EXPECT_EQ(g.journal.take(), (std::vector<std::string>{"a:clicked", "a:check"}));
    g.click(0);
    EXPECT_EQ(g.journal.take(), (std::vector<std::string>{"a:clicked"}));
    g.click(1);
    EXPECT_EQ(g.journal.take(), (std::vector<std::string>{"b:clicked", "b:check"}));
    EXPECT_EQ(g.checked(), (std::vector<bool>{false, true, false}));

    // Checked from code: nothing fires, and the next click turns nothing on.
    g.buttons[2].SetCheck(true);
    EXPECT_EQ(g.checked(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(g.journal.take().empty());
    g.click(2);
    EXPECT_EQ(g.journal.take(), (std::vector<std::string>{"c:clicked"}));

    // The keyboard clicks as the mouse does.
    buttonOf(g.buttons[0])->setFocus();
    QTest::keyClick(buttonOf(g.buttons[0]), Qt::Key_Space);
    EXPECT_EQ(g.journal.take(), (std::vector<std::string>{"a:clicked", "a:check"}));
}

TEST(RadioButtonTest, UncheckingFromCodeCanLeaveTheGroupEmpty)
{
    Group g;
    g.buttons[1].SetCheck(true);
    g.buttons[0].SetCheck(false);
    EXPECT_EQ(g.checked(), (std::vector<bool>{false, true, false}));
    g.buttons[1].SetCheck(false);
    EXPECT_EQ(g.checked(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(buttonOf(g.buttons[1])->autoExclusive());
    EXPECT_TRUE(g.journal.take().empty());

    // The group stays exclusive.
    g.click(0);
    g.click(1);
    EXPECT_EQ(g.checked(), (std::vector<bool>{false, true, false}));
}

// (path, scale, icon size, expected icon size); a file name whose complete
// suffix is more than "ico" is read as a plain picture (the file's first image).
TEST(RadioButtonTest, PicturesReplaceTheText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray icon = ico({16, 32, 48});
    for (const char *name : {"pic.ico", "pic.Ico", "pic.small.ico"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(icon);
    }
    QFile picture(dir.filePath("pic.png"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(png(40, qRgb(255, 0, 0)));
    picture.close();

    QWidget parent;
    RadioButton control;
    control.Create(&parent);
    QRadioButton *button = buttonOf(control);
    button->setGeometry(0, 0, 100, 20);

    struct Case
    {
        const char *name;
        ScalePicture scale;
        int iconSize;
        QSize expected;
    };
    const std::vector<Case> cases = {
        {"pic.png", ScalePictureKeepSize, 0, {40, 40}},
        {"pic.png", ScalePictureToHeight, 0, {20, 20}},
        {"pic.png", ScalePictureToSize, 0, {100, 20}},
        {"pic.ico", ScalePictureKeepSize, 32, {32, 32}},
        {"pic.Ico", ScalePictureKeepSize, 40, {32, 32}},
        {"pic.small.ico", ScalePictureKeepSize, 32, {16, 16}},
        {"missing.png", ScalePictureKeepSize, 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        control.SetText(L"Text");
        control.LoadPicture(dir.filePath(c.name).toStdWString(), c.scale, c.iconSize);
        EXPECT_EQ(control.GetText(), L"");
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(button->icon().isNull());
            continue;
        }
        ASSERT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->iconSize(), c.expected);
        EXPECT_EQ(button->icon().availableSizes(), QList<QSize>{c.expected});
    }

    // From bytes.
    const QByteArray pngBytes = png(12, qRgb(0, 255, 0));
    control.SetText(L"Text");
    control.LoadPicture(bytesOf(pngBytes), pngBytes.size(), ImageTypePNG, ScalePictureKeepSize, 0);
    EXPECT_EQ(control.GetText(), L"");
    EXPECT_EQ(button->iconSize(), QSize(12, 12));
    control.LoadPicture(bytesOf(icon), icon.size(), ImageTypeICO, ScalePictureKeepSize, 48);
    EXPECT_EQ(button->iconSize(), QSize(48, 48));
    control.SetText(L"Text");
    const QByteArray junk("no picture at all");
    control.LoadPicture(bytesOf(junk), junk.size(), ImageTypePNG, ScalePictureKeepSize, 0);
    EXPECT_EQ(control.GetText(), L"");
    EXPECT_TRUE(button->icon().isNull());
}

TEST(RadioButtonTest, TheGroupRecordIsSharedNotCopied)
{
    RadioButton first, second;
    EXPECT_EQ(first.GetGroupInfo(), nullptr);
    auto group = std::make_shared<GroupInfo>();
    first.SetGroupInfo(group);
    second.SetGroupInfo(group);
    EXPECT_EQ(first.GetGroupInfo().get(), group.get());
    EXPECT_EQ(second.GetGroupInfo().get(), group.get());
    first.SetGroupInfo(nullptr);
    EXPECT_EQ(first.GetGroupInfo(), nullptr);
    EXPECT_EQ(group.use_count(), 2);

    first.SetText(std::wstring(L"x\0y", 3));
    EXPECT_EQ(first.GetText(), std::wstring(L"x\0y", 3));
}

TEST(RadioButtonTest, AGoneWidgetGivesNeutralAnswers)
{
    RadioButton control;
    delete control.GetPlatformHandle();
    EXPECT_FALSE(control.Checked());
    EXPECT_EQ(control.GetText(), L"");
    const QByteArray bytes = png(4, qRgb(0, 0, 0));
    EXPECT_NO_THROW({
        control.SetCheck(true);
        control.SetCheck(false);
        control.SetText(L"x");
        control.LoadPicture(L"/nowhere.png", ScalePictureKeepSize, 16);
        control.LoadPicture(bytesOf(bytes), bytes.size(), ImageTypePNG, ScalePictureKeepSize, 16);
    });
    EXPECT_THROW(control.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(control.IdealSize(), AgnosticUIException);
}

class RadioButtonFormTest : public DialogFormTest
{
};

// The form's checked button was not turned on by the user: clicking it fires
// no OnCheck.
TEST_F(RadioButtonFormTest, AFormsButtonsAreControlsAndTheFormsCheckIsNotTheUsers)
{
    const QByteArray body = R"(
<item><widget class="QRadioButton" name="small"><property name="text"><string>Small</string></property>
 <property name="checked"><bool>true</bool></property></widget></item>
<item><widget class="QRadioButton" name="large"><property name="text"><string>Large</string></property></widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *small = dialog.GetControlPtr<RadioButton *>(L"small");
    auto *large = dialog.GetControlPtr<RadioButton *>(L"large");
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_STREQ(small->GetPlatformHandle()->metaObject()->className(), "AUILib::RadioButtonQt");
    EXPECT_EQ(small->GetText(), L"Small");
    EXPECT_TRUE(small->Checked());
    EXPECT_FALSE(large->Checked());

    Journal journal;
    journal.watch(*small, "small");
    journal.watch(*large, "large");
    dialog.DoModeless(false);
    buttonOf(*small)->click();
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"small:clicked"}));
    buttonOf(*large)->click();
    EXPECT_EQ(journal.take(), (std::vector<std::string>{"large:clicked", "large:check"}));
    EXPECT_FALSE(small->Checked());
}
