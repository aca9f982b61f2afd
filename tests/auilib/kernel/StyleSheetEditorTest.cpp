#include "StyleSheetEditor.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(StyleSheetEditor, EditsOnePropertyAndWritesTheNormalisedSheet)
{
    const struct
    {
        const char *sheet;
        const char *selector;
        const char *name;
        const char *value;
        const char *expected;
    } cases[] = {
        {"QPushButton{color:red;}", "QPushButton", "color", "#00ff00", "QPushButton { color: #00ff00; } "},
        // Nothing is added: a missing declaration or rule only normalises the sheet.
        {"QPushButton{color:red;}", "QPushButton", "border-radius", "5px", "QPushButton { color: red; } "},
        {"QPushButton{color:red;}", "QLabel", "color", "blue", "QPushButton { color: red; } "},
        // Every rule of the selector, and only exact selectors and names.
        {"QPushButton{color:red;}QPushButton{border:0px;color:blue}", "QPushButton", "color", "#00ff00",
         "QPushButton { color: #00ff00; } QPushButton { border: 0px; color: #00ff00; } "},
        {"QPushButton:hover{color:red}qpushbutton{color:red}QPushButton{Color:red}", "QPushButton", "color", "x",
         "QPushButton:hover { color: red; } qpushbutton { color: red; } QPushButton { Color: red; } "},
        // Values with colons of their own stay whole.
        {"QPushButton{background-color:qlineargradient(x1:0, y1:0)}", "QPushButton", "color", "x",
         "QPushButton { background-color: qlineargradient(x1:0, y1:0); } "},
        {"QPushButton{image:url(:/res/x.png); color:red}", "QPushButton", "color", "blue",
         "QPushButton { image: url(:/res/x.png); color: blue; } "},
        {"QPushButton{image:url(:/res/x.png)}", "QPushButton", "image", "url(:/res/y.png)",
         "QPushButton { image: url(:/res/y.png); } "},
        // The stored sheets' escape is plain text to the editor.
        {R"(QPushButton{background-color:qlineargradient(x1\u3A0, y1\u3A1);color:red})", "QPushButton", "color",
         "#000000", R"(QPushButton { background-color: qlineargradient(x1\u3A0, y1\u3A1); color: #000000; } )"},
        // Spacing, empty declarations and empty bodies.
        {"  QPushButton  {  color :  red ;; border:0px ; }  QLabel{}", "QLabel", "color", "x",
         "QPushButton { color: red; border: 0px; } QLabel { } "},
        {"", "QPushButton", "color", "red", ""},
        {"   ", "QPushButton", "color", "red", ""},
        // Text without braces is one rule whose selector is the text itself.
        {"color: red", "color: red", "color", "blue", "color: red { color: blue; } "},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EditStyleSheet(QString::fromUtf8(c.sheet), QString::fromUtf8(c.selector),
                                 QString::fromUtf8(c.name), QString::fromUtf8(c.value)),
                  QString::fromUtf8(c.expected))
            << c.sheet;
    }
}

TEST(StyleSheetEditor, ParsedFormIsOneObjectPerRule)
{
    const QJsonArray rules = StyleSheetToJson(QStringLiteral("A{b:c; d : e:f }G:hover{}"));
    EXPECT_EQ(QJsonDocument(rules).toJson(QJsonDocument::Compact),
              R"([{"properties":[{"name":"b","value":"c"},{"name":"d","value":"e:f"}],"selector":"A"},)"
              R"({"properties":[],"selector":"G:hover"}])");
    EXPECT_TRUE(StyleSheetPropertiesToJson(QString()).isEmpty());
    EXPECT_TRUE(StyleSheetFromJson(QJsonArray()).isEmpty());
}

TEST(StyleSheetEditor, UnescapesOnlyTheExactEscape)
{
    EXPECT_EQ(UnescapeStyleSheet(QStringLiteral(R"(a{b:g(x1\u3A0, y1\u3A1)})")), QStringLiteral("a{b:g(x1:0, y1:1)}"));
    EXPECT_EQ(UnescapeStyleSheet(QStringLiteral(R"(\U3A \u3a)")), QStringLiteral(R"(\U3A \u3a)"));
}
