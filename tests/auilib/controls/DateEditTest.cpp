#include "DateEdit.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "DateEditImpl.h"
#include "DialogForms.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

using namespace AUILib;

namespace {

QString shortFormat()
{
    return QLocale::system().dateFormat(QLocale::ShortFormat);
}

QDateTimeEdit *editOf(DateEdit &control)
{
    return qobject_cast<QDateTimeEdit *>(control.GetWndPtr());
}

ObDateTime value(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    ObDateTime v;
    v.year = static_cast<std::uint16_t>(year);
    v.month = static_cast<std::uint16_t>(month);
    v.day = static_cast<std::uint16_t>(day);
    v.hour = static_cast<std::uint16_t>(hour);
    v.minute = static_cast<std::uint16_t>(minute);
    v.second = static_cast<std::uint16_t>(second);
    return v;
}

std::vector<int> fields(const ObDateTime &v)
{
    return {v.year, v.month, v.day, v.hour, v.minute, v.second};
}

// Every value the control fires, in order.
struct Changes
{
    explicit Changes(DateEdit &control)
    {
        control.OnDateTimeChanged.Subscribe([this](ObDateTime v) { seen.push_back(fields(v)); });
    }
    std::vector<std::vector<int>> seen;
};

} // namespace

TEST(DateEditTest, ANewFieldShowsTodayInTheShortFormatWithAPopup)
{
    QWidget parent;
    DateEdit control;
    EXPECT_EQ(control.GetControlKind(), ControlKindDateEdit);
    QDateTimeEdit *edit = editOf(control);
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->metaObject()->className(), "AUILib::DateEditQt");
    EXPECT_EQ(control.GetMode(), DateEdit::DateEditModeDate);
    EXPECT_EQ(edit->displayFormat(), shortFormat());
    EXPECT_TRUE(edit->calendarPopup());
    EXPECT_LE(edit->date().daysTo(QDate::currentDate()), 1); // midnight may pass

    EXPECT_TRUE(control.Create(&parent));
    EXPECT_EQ(control.GetParentWindow(), &parent);
    EXPECT_EQ(edit->parentWidget(), &parent);
    EXPECT_GT(control.IdealSize().width, 0);
    EXPECT_EQ(control.GetSkinManager(), GetGlobalSkinManager());
}

// Leaving the time-only mode keeps the widget and all set on it, and gives back
// the full date range Qt narrowed to one day.
TEST(DateEditTest, ModesChangeFormatValueAndPopupOfTheSameWidget)
{
    QWidget parent;
    DateEdit control;
    control.Create(&parent);
    QPointer<QDateTimeEdit> edit = editOf(control);
    edit->setObjectName("field");
    edit->setStyleSheet("QDateTimeEdit { color: red; }");
    edit->setGeometry(5, 6, 150, 30);

    const QString dateTime = shortFormat() + " H:mm";
    // mode, display format, pop-up
    const std::vector<std::tuple<int, QString, bool>> table = {
        {0, "H:mm", false}, {1, shortFormat(), true}, {0, "H:mm", false},
        {2, dateTime, true}, {1, shortFormat(), true}, {2, dateTime, true},
    };
    for (const auto &[mode, format, popup] : table) {
        SCOPED_TRACE(mode);
        control.SetMode(static_cast<DateEdit::DateEditMode>(mode));
        EXPECT_EQ(control.GetMode(), mode);
        ASSERT_EQ(control.GetWndPtr(), edit.data());
        EXPECT_EQ(edit->displayFormat(), format);
        EXPECT_EQ(edit->calendarPopup(), popup);
        EXPECT_EQ(edit->objectName(), "field");
        EXPECT_EQ(edit->styleSheet(), "QDateTimeEdit { color: red; }");
        EXPECT_EQ(edit->geometry(), QRect(5, 6, 150, 30));
        if (mode != 0) {
            EXPECT_LE(edit->date().daysTo(QDate::currentDate()), 1);
        }
    }
    // After a time-only spell on another day, any date is taken again.
    control.SetMode(DateEdit::DateEditModeTime);
    EXPECT_TRUE(control.SetDateTime(L"7:05"));
    control.SetMode(DateEdit::DateEditModeDate);
    EXPECT_TRUE(control.SetDateTime(value(2020, 5, 6, 13, 14, 15)));
    EXPECT_EQ(fields(control.GetDateTime()), (std::vector<int>{2020, 5, 6, 13, 14, 15}));

    // Another value is stored and leaves the widget alone.
    control.SetMode(static_cast<DateEdit::DateEditMode>(7));
    EXPECT_EQ(control.GetMode(), 7);
    EXPECT_EQ(edit->displayFormat(), shortFormat());
    EXPECT_EQ(fields(control.GetDateTime()), (std::vector<int>{2020, 5, 6, 13, 14, 15}));
}

TEST(DateEditTest, SetDateTimeTakesValidValuesOnly)
{
    DateEdit control;
    control.SetMode(DateEdit::DateEditModeDateTime);
    ASSERT_TRUE(control.SetDateTime(value(2024, 3, 9, 10, 20, 30)));
    const std::vector<int> start = {2024, 3, 9, 10, 20, 30};
    EXPECT_EQ(fields(control.GetDateTime()), start);

    // value, accepted
    const std::vector<std::pair<ObDateTime, bool>> table = {
        {value(2024, 13, 1), false},
        {value(2024, 1, 1, 24, 0, 0), false},
        {value(2024, 1, 1, 23, 60, 0), false},
        {value(2023, 2, 29), false},
        {value(0, 0, 0), false},
        // Valid, but before the field's first day: Qt would clamp it to 1752.
        {value(1, 1, 1), false},
        {value(2024, 2, 29, 23, 59, 59), true},
    };
    for (const auto &[v, accepted] : table) {
        SCOPED_TRACE(testing::PrintToString(fields(v)));
        EXPECT_EQ(control.SetDateTime(v), accepted);
        EXPECT_EQ(fields(control.GetDateTime()), accepted ? fields(v) : start);
    }
}

TEST(DateEditTest, TextIsReadInTheModesFormat)
{
    DateEdit control;
    Changes changes(control);

    control.SetMode(DateEdit::DateEditModeTime);
    changes.seen.clear();
    EXPECT_TRUE(control.SetDateTime(L"7:05"));
    const ObDateTime time = control.GetDateTime();
    EXPECT_EQ(time.hour, 7);
    EXPECT_EQ(time.minute, 5);
    EXPECT_EQ(time.second, 0);
    // Once, with the end value: Qt's range juggling of a time-only field stays inside.
    ASSERT_EQ(changes.seen.size(), 1u);
    EXPECT_EQ(changes.seen[0], fields(time));
    EXPECT_FALSE(control.SetDateTime(L"7 o'clock"));
    EXPECT_EQ(control.GetDateTimeString(), QTime(7, 5).toString(Qt::TextDate).toStdWString());

    control.SetMode(DateEdit::DateEditModeDate);
    const QString dateText = QDate(2024, 3, 9).toString(shortFormat());
    const QDate expected = QDateTime::fromString(dateText, shortFormat()).date();
    EXPECT_TRUE(control.SetDateTime(dateText.toStdWString()));
    EXPECT_EQ(control.GetDateTimeString(), expected.toString(Qt::TextDate).toStdWString());
    EXPECT_FALSE(control.SetDateTime(L"no date"));
    EXPECT_EQ(control.GetDateTimeString(), expected.toString(Qt::TextDate).toStdWString());

    control.SetMode(DateEdit::DateEditModeDateTime);
    const QString both = QDate(2024, 3, 9).toString(shortFormat()) + " 18:45";
    const QDateTime parsed = QDateTime::fromString(both, shortFormat() + " H:mm");
    EXPECT_TRUE(control.SetDateTime(both.toStdWString()));
    EXPECT_EQ(control.GetDateTimeString(), parsed.toString(Qt::TextDate).toStdWString());
    // The text form is Qt's, not the display format: it is not read back.
    EXPECT_FALSE(control.SetDateTime(control.GetDateTimeString()));
}

// Only a change of the value is reported: a call that leaves it as it was,
// or that is refused, fires nothing; one that changes it fires once.
TEST(DateEditTest, ACallThatLeavesTheValueAsItWasFiresNothing)
{
    DateEdit control;
    control.SetMode(DateEdit::DateEditModeDateTime);
    ASSERT_TRUE(control.SetDateTime(value(2024, 3, 9, 10, 20, 0)));
    const QString text = QDate(2024, 3, 9).toString(shortFormat()) + " 10:20";
    Changes changes(control);
    struct Case
    {
        const char *name;
        std::function<void()> call;
        size_t fired;
    };
    const Case cases[] = {
        {"the same value", [&] { EXPECT_TRUE(control.SetDateTime(value(2024, 3, 9, 10, 20, 0))); }, 0},
        {"the same value as text", [&] { EXPECT_TRUE(control.SetDateTime(text.toStdWString())); }, 0},
        {"a value refused", [&] { EXPECT_FALSE(control.SetDateTime(value(2024, 2, 30))); }, 0},
        {"a text refused", [&] { EXPECT_FALSE(control.SetDateTime(L"never")); }, 0},
        {"a value before the first day", [&] { EXPECT_FALSE(control.SetDateTime(value(1, 1, 1))); }, 0},
        {"a mode that is none", [&] { control.SetMode(static_cast<DateEdit::DateEditMode>(7)); }, 0},
        {"another value", [&] { EXPECT_TRUE(control.SetDateTime(value(2024, 3, 9, 10, 21, 0))); }, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        changes.seen.clear();
        c.call();
        EXPECT_EQ(changes.seen.size(), c.fired);
    }
    EXPECT_EQ(changes.seen.front(), (std::vector<int>{2024, 3, 9, 10, 21, 0}));
}

TEST(DateEditTest, AUserChangeFiresTheWholeNewValue)
{
    QWidget parent;
    DateEdit control;
    control.Create(&parent);
    control.SetMode(DateEdit::DateEditModeDateTime);
    ASSERT_TRUE(control.SetDateTime(value(2024, 3, 9, 10, 20, 30)));
    Changes changes(control);
    QDateTimeEdit *edit = editOf(control);
    parent.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Up);
    ASSERT_EQ(changes.seen.size(), 1u);
    EXPECT_EQ(changes.seen[0], fields(control.GetDateTime()));
    EXPECT_NE(changes.seen[0], (std::vector<int>{2024, 3, 9, 10, 20, 30}));
    EXPECT_EQ(changes.seen[0][4], 20);
    EXPECT_EQ(changes.seen[0][5], 30);
}

TEST(DateEditTest, APictureFileStylesTheDropDownAndAMissingOneRemovesIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString picture = dir.filePath("arrow.png");
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not really a picture");
    file.close();

    DateEdit control;
    QDateTimeEdit *edit = editOf(control);
    auto impl = std::static_pointer_cast<DateEdit::impl>(control.GetBaseImpl());
    const QString absolute = QDir(picture).absolutePath();
    control.LoadPicture(QString(dir.path() + "/sub/../arrow.png").toStdWString());
    EXPECT_EQ(impl->PicturePath(), absolute);
    EXPECT_EQ(edit->styleSheet(), "QDateTimeEdit::drop-down{background-color: white;image: url(" + absolute +
                                      ");image-position: left;}");

    static const unsigned char bytes[] = {0x89, 'P', 'N', 'G'};
    control.LoadPicture(bytes, sizeof bytes, ImageTypePNG);
    EXPECT_EQ(impl->PicturePath(), absolute);

    for (const QString &missing : {dir.filePath("gone.png"), QString(), dir.path()}) {
        SCOPED_TRACE(missing.toStdString());
        control.LoadPicture(picture.toStdWString());
        control.LoadPicture(missing.toStdWString());
        EXPECT_TRUE(impl->PicturePath().isEmpty());
        EXPECT_TRUE(edit->styleSheet().isEmpty());
    }
}

TEST(DateEditTest, AGoneWidgetGivesNeutralAnswers)
{
    DateEdit control;
    delete control.GetWndPtr();
    EXPECT_EQ(control.GetWndPtr(), nullptr);
    EXPECT_EQ(fields(control.GetDateTime()), std::vector<int>(6, 0));
    EXPECT_EQ(control.GetDateTimeString(), L"");
    EXPECT_FALSE(control.SetDateTime(value(2024, 1, 1)));
    EXPECT_FALSE(control.SetDateTime(L"1:00"));
    control.SetMode(DateEdit::DateEditModeTime);
    EXPECT_EQ(control.GetMode(), DateEdit::DateEditModeTime);
    EXPECT_NO_THROW(control.LoadPicture(L"/nowhere.png"));
    EXPECT_THROW(control.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(control.IdealSize(), AgnosticUIException);
}

class DateEditFormTest : public DialogFormTest
{
};

TEST_F(DateEditFormTest, AFormsDateEditIsTheControlWithTheFormsProperties)
{
    const QByteArray body = R"(
<item><widget class="QDateEdit" name="dateEdit">
 <property name="displayFormat"><string>yyyy-MM-dd</string></property>
 <property name="date"><date><year>2021</year><month>7</month><day>4</day></date></property>
 <property name="calendarPopup"><bool>false</bool></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *control = dialog.GetControlPtr<DateEdit *>(L"dateEdit");
    ASSERT_NE(control, nullptr);
    QDateTimeEdit *edit = editOf(*control);
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->metaObject()->className(), "AUILib::DateEditQt");
    EXPECT_EQ(edit->objectName(), "dateEdit");
    EXPECT_EQ(edit->displayFormat(), "yyyy-MM-dd");
    EXPECT_FALSE(edit->calendarPopup());
    EXPECT_EQ(control->GetDateTime().year, 2021);
    EXPECT_EQ(control->GetDateTime().month, 7);
    EXPECT_EQ(control->GetDateTime().day, 4);
    EXPECT_EQ(control->GetMode(), DateEdit::DateEditModeDate);
}
