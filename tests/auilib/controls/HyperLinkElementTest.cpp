#include "HyperLinkElement.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "HyperLinkElementImpl.h"
#include "HyperLinkElementQt.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QEvent>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

// Takes the URLs the desktop would open, so that no browser starts.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        for (const char *scheme : {"https", "http"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"https", "http"})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    std::vector<QString> opened;

public slots:
    void open(const QUrl &url) { opened.push_back(url.toString()); }
};

HyperLinkElementQt *labelOf(HyperLinkElement &control)
{
    return qobject_cast<HyperLinkElementQt *>(control.GetPlatformHandle());
}

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

QString anchor(const QString &href, const QString &color, const QString &text)
{
    return "<a href=\"" + href + "\" style=\"color: " + color + ";\">" + text + "</a>";
}

// An element placed in a shown window, with a text.
struct Shown
{
    explicit Shown(const std::wstring &text = L"Help")
    {
        control.Create(&window);
        control.SetText(text);
        control.OnLinkActivated.Subscribe([this] { ++activations; });
        window.resize(300, 60);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        label()->adjustSize();
    }
    HyperLinkElementQt *label() { return labelOf(control); }
    void click() { QTest::mouseClick(label(), Qt::LeftButton, {}, QPoint(4, label()->height() / 2)); }
    void reshow()
    {
        label()->hide();
        label()->show();
    }

    QWidget window;
    HyperLinkElement control;
    int activations = 0;
};

const QString kLink = "#ff2189f7";

} // namespace

TEST(HyperLinkElementTest, StartsAsAnUnderlinedLinkInTheDefaultColours)
{
    QWidget parent;
    HyperLinkElement control;
    EXPECT_EQ(control.GetControlKind(), ControlKindHyperLinkElement);
    EXPECT_TRUE(control.Create(&parent));
    EXPECT_EQ(control.GetParentWindow(), nullptr);
    HyperLinkElementQt *label = labelOf(control);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->parentWidget(), &parent);
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->metaObject()->className(), "AUILib::HyperLinkElementQt");
    EXPECT_GE(control.IdealSize().width, 0);
    EXPECT_EQ(control.GetSkinManager(), GetGlobalSkinManager());
    EXPECT_NE(std::dynamic_pointer_cast<HyperLinkElementImpl>(control.GetBaseImpl()), nullptr);
    EXPECT_EQ(control.GetLinkColor(), 0xff2189f7u);
    EXPECT_EQ(control.GetVisitedColor(), 0xff2189f7u);
    EXPECT_EQ(control.GetHoverColor(), 0xff2189f7u);
    EXPECT_TRUE(control.GetUnderline());
    EXPECT_FALSE(control.GetVisited());
    EXPECT_EQ(control.GetText(), L"");
    EXPECT_EQ(control.GetURL(), L"");
    EXPECT_EQ(label->textFormat(), Qt::RichText);
    EXPECT_FALSE(label->openExternalLinks());
    EXPECT_TRUE(label->testAttribute(Qt::WA_Hover));
    EXPECT_EQ(label->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    EXPECT_EQ(label->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    EXPECT_TRUE(label->textInteractionFlags().testFlag(Qt::LinksAccessibleByKeyboard));
}

// The markup a show builds, with the link and the text escaped and every
// colour named with eight digits.
TEST(HyperLinkElementTest, TheMarkupEscapesLinkAndText)
{
    struct Case
    {
        std::wstring text, url;
        bool underline;
        RGBColor color;
        QString markup;
    };
    const std::vector<Case> cases = {
        {L"Help", L"https://x.test/", true, 0xff2189f7u, anchor("https://x.test/", kLink, "Help")},
        {L"Help", L"", true, 0xff2189f7u, anchor(" ", kLink, "Help")},
        {L"Help", L"https://x.test/?a=1&b=\"2\"", true, 0xff2189f7u,
         anchor("https://x.test/?a=1&amp;b=&quot;2&quot;", kLink, "Help")},
        {L"<b>Bold</b> & \"so\"", L"", true, 0xff2189f7u, anchor(" ", kLink, "&lt;b&gt;Bold&lt;/b&gt; & &quot;so&quot;")},
        {L"Help", L"https://x.test/", false, 0xff2189f7u, "<font color = \"#ff2189f7\">Help</font>"},
        {L"Help", L"", true, 0x000000ffu, anchor(" ", "#000000ff", "Help")},
        {L"Help", L"", false, 0x00000000u, "<font color = \"#00000000\">Help</font>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromStdWString(c.text + L" " + c.url).toStdString());
        QWidget window;
        HyperLinkElement control;
        control.Create(&window);
        control.SetText(c.text);
        control.SetURL(c.url);
        control.SetUnderline(c.underline);
        control.SetColors(c.color, c.color, c.color);
        window.show();
        EXPECT_EQ(labelOf(control)->text(), c.markup);
        EXPECT_EQ(control.GetText(), c.text);
        EXPECT_EQ(control.GetURL(), c.url);
    }
}

TEST(HyperLinkElementTest, ColoursFollowPressLeaveEnterAndShow)
{
    Shown s;
    s.control.SetURL(L"https://x.test/");
    s.control.SetColors(0xff000001u, 0xff000002u, 0xff000003u);
    s.reshow();
    EXPECT_EQ(s.label()->text(), anchor("https://x.test/", "#ff000001", "Help"));

    enter(s.label());
    EXPECT_EQ(s.label()->text(), anchor("https://x.test/", "#ff000003", "Help"));
    QTest::mousePress(s.label(), Qt::LeftButton, {}, QPoint(4, s.label()->height() / 2));
    QTest::mouseRelease(s.label(), Qt::LeftButton, {}, QPoint(4, s.label()->height() / 2));
    EXPECT_TRUE(s.control.GetVisited());
    leave(s.label());
    EXPECT_EQ(s.label()->text(), anchor("https://x.test/", "#ff000002", "Help"));
    s.reshow();
    EXPECT_EQ(s.label()->text(), anchor("https://x.test/", "#ff000001", "Help"));

    // Without underline: plain text, and hovering still underlines.
    s.control.SetUnderline(false);
    s.control.SetVisited(false);
    leave(s.label());
    EXPECT_EQ(s.label()->text(), "<font color = \"#ff000001\">Help</font>");
    enter(s.label());
    EXPECT_EQ(s.label()->text(), anchor("https://x.test/", "#ff000003", "Help"));

    // A change shows at the next paint.
    leave(s.label());
    s.control.SetColors(0xff000004u, 0xff000005u, 0xff000006u);
    EXPECT_TRUE(s.label()->Rebuild() || s.label()->text().contains("#ff000004"));
    s.label()->repaint();
    EXPECT_EQ(s.label()->text(), "<font color = \"#ff000004\">Help</font>");
    EXPECT_FALSE(s.label()->Rebuild());
}

// Each element knows whether the mouse is over it: leaving one does not end
// the hover of another.
TEST(HyperLinkElementTest, TheHoverStateIsEachElementsOwn)
{
    Shown a(L"First");
    Shown b(L"Second");
    a.control.SetColors(0xff000001u, 0xff000002u, 0xff000003u);
    enter(a.label());
    leave(b.label());
    EXPECT_TRUE(a.label()->MouseOver());
    EXPECT_FALSE(b.label()->MouseOver());
    a.control.SetColors(0xff000001u, 0xff000002u, 0xff000009u);
    a.label()->repaint();
    EXPECT_EQ(a.label()->text(), anchor(" ", "#ff000009", "First"));
}

TEST(HyperLinkElementTest, AClickFiresTheEventOrOpensTheLink)
{
    UrlCatcher catcher;
    Shown s;
    s.click();
    EXPECT_EQ(s.activations, 1);
    EXPECT_TRUE(s.control.GetVisited());
    EXPECT_TRUE(catcher.opened.empty());

    s.control.SetURL(L"https://x.test/page");
    s.control.SetbDefaultClickProcess(false);
    EXPECT_TRUE(s.label()->openExternalLinks());
    s.reshow();
    s.click();
    EXPECT_EQ(s.activations, 1);
    EXPECT_EQ(catcher.opened, std::vector<QString>{"https://x.test/page"});

    // Without underline there is no anchor: a click only marks the link visited.
    s.control.SetbDefaultClickProcess(true);
    s.control.SetUnderline(false);
    s.control.SetVisited(false);
    s.reshow();
    s.click();
    EXPECT_EQ(s.activations, 1);
    EXPECT_TRUE(s.control.GetVisited());
}

TEST(HyperLinkElementTest, TheMnemonicActivatesTheLink)
{
    UrlCatcher catcher;
    Shown s(L"&Help");
    s.control.SetURL(L"https://x.test/help");
    s.reshow();
    QApplication::setActiveWindow(&s.window);
    QTest::keyClick(&s.window, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(s.activations, 1);

    s.control.SetbDefaultClickProcess(false);
    QTest::keyClick(&s.window, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(s.activations, 1);
    EXPECT_EQ(catcher.opened, std::vector<QString>{"https://x.test/help"});
}

TEST(HyperLinkElementTest, AGoneWidgetThrowsFromTheOperationsThatReachIt)
{
    HyperLinkElement control;
    control.SetText(L"Kept");
    delete control.GetPlatformHandle();
    control.SetURL(L"https://x.test/");
    control.SetUnderline(false);
    EXPECT_EQ(control.GetURL(), L"https://x.test/");
    EXPECT_FALSE(control.GetUnderline());
    EXPECT_THROW(control.SetText(L"New"), AgnosticUIException);
    EXPECT_EQ(control.GetText(), L"New");
    EXPECT_THROW(control.SetColors(1, 2, 3), AgnosticUIException);
    EXPECT_EQ(control.GetHoverColor(), 3u);
    EXPECT_THROW(control.SetVisited(true), AgnosticUIException);
    EXPECT_TRUE(control.GetVisited());
    EXPECT_THROW(control.SetbDefaultClickProcess(false), AgnosticUIException);
    try {
        control.Create(nullptr);
        ADD_FAILURE() << "placed";
    } catch (const AgnosticUIException &error) {
        EXPECT_STREQ(error.what(), "Control is not valid.");
    }
}

class HyperLinkElementFormTest : public DialogFormTest
{
};

// A form's text is adopted once; the markup built from it is never taken for
// a new text, nor is the markup of an element without text.
TEST_F(HyperLinkElementFormTest, AFormsTextIsAdoptedOnce)
{
    const QByteArray body = R"(
<item><widget class="HyperLinkElement" name="link"><property name="text"><string>Read more</string></property></widget></item>
<item><widget class="HyperLinkElement" name="empty"/></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *link = dialog.GetControlPtr<HyperLinkElement *>(L"link");
    auto *empty = dialog.GetControlPtr<HyperLinkElement *>(L"empty");
    ASSERT_NE(link, nullptr);
    ASSERT_NE(empty, nullptr);
    dialog.DoModeless(false);
    for (int round = 0; round < 3; ++round) {
        enter(labelOf(*link));
        leave(labelOf(*link));
        leave(labelOf(*empty));
    }
    EXPECT_EQ(link->GetText(), L"Read more");
    EXPECT_EQ(labelOf(*link)->text(), anchor(" ", kLink, "Read more"));
    EXPECT_EQ(empty->GetText(), L"");
    EXPECT_EQ(labelOf(*empty)->text(), anchor(" ", kLink, ""));
}

#include "HyperLinkElementTest.moc"
