#include "Label.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "LabelImpl.h"
#include "LabelQt.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMovie>
#include <QRegularExpression>
#include <QShortcutEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace AUILib;

namespace {

const unsigned char *data(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

// A label placed in a window, 200 by 30 pixels.
struct Placed
{
    explicit Placed(int width = 200)
    {
        label.Create(&window);
        widget()->setGeometry(0, 0, width, 30);
    }
    LabelQt *widget() const { return static_cast<LabelQt *>(label.GetPlatformHandle()); }
    QString text() const { return widget()->text(); }
    std::shared_ptr<Label::impl> impl() const { return std::static_pointer_cast<Label::impl>(label.GetBaseImpl()); }

    QWidget window;
    Label label;
};

} // namespace

TEST(LabelTest, SetTextShowsTheTextUpToItsFirstNul)
{
    QWidget parent;
    Label label;
    EXPECT_EQ(label.GetControlKind(), ControlKindLabel);
    EXPECT_TRUE(label.Create(&parent));
    EXPECT_EQ(label.GetParentWindow(), &parent);
    auto *widget = qobject_cast<QLabel *>(label.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(label.GetWndPtr(), widget);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::LabelQt");
    EXPECT_EQ(label.GetSkinManager(), GetGlobalSkinManager());

    label.SetText(L"Gr\u00fc\u00dfe \u4e2d", false);
    EXPECT_EQ(widget->text(), QString::fromWCharArray(L"Gr\u00fc\u00dfe \u4e2d"));
    EXPECT_EQ(label.GetText(), L"Gr\u00fc\u00dfe \u4e2d");
    EXPECT_EQ(label.IdealSize().width, widget->sizeHint().width());
    label.SetText(std::wstring(L"before\0after", 12), true);
    EXPECT_EQ(widget->text(), "before");
    label.SetText(L"", false);
    EXPECT_EQ(widget->text(), "");
}

// Line spacing lays the text out as one paragraph that follows the alignment;
// rich text turns each CR and LF into a break.
TEST(LabelTest, LineSpacingMarkup)
{
    const struct
    {
        const char *name;
        int spacing;
        Qt::TextFormat format;
        TextAlign align;
        QString shown;
    } cases[] = {
        {"rich, left", 120, Qt::RichText, TextAlignLeft,
         "<p style=\"white-space: pre-wrap; text-align: left; line-height:120%\">a<br><br>b</p>"},
        {"rich, centre", 90, Qt::RichText, TextAlignCenter,
         "<p style=\"white-space: pre-wrap; text-align: center; line-height:90%\">a<br><br>b</p>"},
        {"rich, right", 0, Qt::RichText, TextAlignRight,
         "<p style=\"white-space: pre-wrap; text-align: right; line-height:0%\">a<br><br>b</p>"},
        {"plain keeps breaks", 100, Qt::PlainText, TextAlignLeft,
         "<p style=\"white-space: pre-wrap; text-align: left; line-height:100%\">a\r\nb</p>"},
        {"no spacing", -1, Qt::RichText, TextAlignRight, "a\r\nb"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Placed p;
        p.widget()->setTextFormat(c.format);
        p.label.SetText(L"a\r\nb", false);
        p.label.SetLineSpacing(c.spacing);
        p.label.SetTextAlign(c.align);
        EXPECT_EQ(p.text(), c.shown);
        EXPECT_EQ(p.label.GetText(), L"a\r\nb") << "the text as given, not the markup";
        EXPECT_EQ(p.label.GetTextAlign(), c.align);
    }
}

TEST(LabelTest, AlignmentFlags)
{
    Placed p;
    const struct
    {
        TextAlign given;
        Qt::Alignment set;
        TextAlign read;
    } cases[] = {{TextAlignLeft, Qt::AlignLeft, TextAlignLeft},
                 {TextAlignCenter, Qt::AlignHCenter, TextAlignCenter},
                 {TextAlignRight, Qt::AlignRight, TextAlignRight},
                 {static_cast<TextAlign>(7), Qt::AlignRight, TextAlignRight}};
    for (const auto &c : cases) {
        p.widget()->setAlignment(Qt::AlignBottom);
        p.label.SetTextAlign(c.given);
        EXPECT_EQ(p.widget()->alignment(), c.set) << "the vertical flags are not kept";
        EXPECT_EQ(p.label.GetTextAlign(), c.read);
    }

    // Neither vertical flag clears the other.
    p.label.SetVCenter(true);
    p.label.SetVCenter(false);
    EXPECT_TRUE(p.widget()->alignment() & Qt::AlignVCenter);
    EXPECT_TRUE(p.widget()->alignment() & Qt::AlignTop);
    EXPECT_TRUE(p.label.GetVCenter());
}

TEST(LabelTest, AOneLinkText)
{
    Placed p;
    EXPECT_FALSE(p.label.HasHyperlink());
    p.label.SetText(L"Read ", L"the notes", L"first.", L"https://example.org/notes");
    EXPECT_EQ(p.text(), "Read <a style='color: #2189f7' href='https://example.org/notes'>the notes</a> first.");
    EXPECT_TRUE(p.label.HasHyperlink());
    EXPECT_EQ(p.widget()->textFormat(), Qt::RichText);
    EXPECT_EQ(p.widget()->textInteractionFlags(),
              Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    EXPECT_TRUE(p.widget()->openExternalLinks());
    EXPECT_EQ(p.widget()->buddy(), p.widget());

    // Without a URL: "#", and link opening stays as it was.
    Placed q;
    q.label.SetText(L"", L"Go", L"", L"");
    EXPECT_EQ(q.text(), "<a style='color: #2189f7' href='#'>Go</a> ");
    EXPECT_EQ(q.widget()->linkUrl, "#");
    EXPECT_FALSE(q.widget()->openExternalLinks());

    // A link's text and URL cannot break out of the anchor.
    Placed r;
    r.label.SetText(L"", L"a<b>&'c", L"", L"http://x/?q='1'&r=<2>");
    EXPECT_EQ(r.text(), "<a style='color: #2189f7' href='http://x/?q=&#39;1&#39;&amp;r=&lt;2&gt;'>a&lt;b&gt;&amp;&#39;c</a> ");
}

TEST(LabelTest, HyperlinkColours)
{
    // Without a link the colours are only kept, for the link made later.
    Placed p;
    p.label.SetText(L"No link here", false);
    p.label.SetHyperlinkColors(0xFF010203, 0xFF040506, 0xFF070809);
    EXPECT_EQ(p.text(), "No link here");
    p.label.SetText(L"", L"Go", L"", L"");
    EXPECT_EQ(p.text(), "<a style='color: #010203' href='#'>Go</a> ");

    // With one, the link is rebuilt in the new colour.
    p.widget()->setTextFormat(Qt::RichText);
    p.label.SetText(L"a\n", L"Go", L"\nb", L"http://x");
    p.label.SetHyperlinkColors(0xFFA0B0C0, 0, 0);
    EXPECT_EQ(p.text(), "a<br><a href='http://x' style='color:#a0b0c0'>Go</a><br>b");
}

TEST(LabelTest, ActivatingTheLink)
{
    Placed p;
    p.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.window));
    int activations = 0;
    p.label.OnLinkActivated.Subscribe([&] { ++activations; });
    p.label.SetText(L"", L"Go there", L"", L"");
    p.label.SetbDefaultClickProcess(true);
    EXPECT_FALSE(p.widget()->openExternalLinks());

    // A click on the link.
    const QPoint onLink(QFontMetrics(p.widget()->font()).horizontalAdvance("Go") / 2 + 1, 0);
    QTest::mouseClick(p.widget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(onLink.x(), p.widget()->contentsRect().center().y()));
    EXPECT_EQ(activations, 1);

    // The label's mnemonic.
    QShortcutEvent shortcut(QKeySequence("Alt+G"), 0);
    QCoreApplication::sendEvent(p.widget(), &shortcut);
    EXPECT_EQ(activations, 2);

    // A label that opens links itself fires nothing.
    p.label.SetbDefaultClickProcess(false);
    EXPECT_TRUE(p.widget()->openExternalLinks());
}

// The ellipsis cuts a text wider than the label; a link cut by it keeps what
// is left of it, still an anchor, up to the "…".
TEST(LabelTest, Ellipsis)
{
    Placed fits(400);
    fits.label.TruncateTextToEllipses(true);
    fits.label.SetText(L"See ", L"this", L"", L"http://x");
    EXPECT_EQ(fits.text(), "See <a style='color: #2189f7' href='http://x'>this</a> ");

    Placed cut(120);
    cut.label.TruncateTextToEllipses(true);
    const QString link = QStringLiteral("a link text far too long for the label");
    cut.label.SetText(L"Go ", link.toStdWString(), L" now", L"http://x");
    const QString shown = cut.text();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    const QRegularExpressionMatch anchor =
        QRegularExpression("^Go <a style='color: #2189f7' href='http://x'>([^<]+)</a>\u2026$").match(shown);
    ASSERT_TRUE(anchor.hasMatch()) << shown.toStdString();
    EXPECT_TRUE(link.startsWith(anchor.captured(1)));
    EXPECT_LT(anchor.captured(1).size(), link.size());
    EXPECT_FALSE(cut.impl()->IsProgrammaticUpdate());
    EXPECT_EQ(cut.label.GetText(),
              (QStringLiteral("Go <a style='color: #2189f7' href='http://x'>") + link + "</a>  now").toStdWString());

    // Cut right where the link begins: nothing of it is left, and it does not
    // come back whole before the "…".
    Placed atLink;
    const QFontMetrics metrics(atLink.widget()->font());
    int width = 1;
    while (width < 400 && metrics.elidedText("Lead link text ", Qt::ElideRight, width) != QStringLiteral("Lead \u2026"))
        ++width;
    ASSERT_LT(width, 400);
    atLink.widget()->resize(width, 30);
    atLink.label.TruncateTextToEllipses(true);
    atLink.label.SetText(L"Lead ", L"link text", L"", L"http://x");
    EXPECT_EQ(atLink.text(), QStringLiteral("Lead \u2026"));

    // Recolouring rewrites the cut text in place.
    cut.label.SetHyperlinkColors(0xFF00FF00, 0, 0);
    EXPECT_TRUE(cut.text().contains("color: #00ff00")) << cut.text().toStdString();
    EXPECT_FALSE(cut.text().contains("#2189f7"));

    // A plain text, with a line spacing: one paragraph, no alignment part.
    Placed plain(60);
    plain.label.SetLineSpacing(150);
    plain.label.SetText(L"A rather long sentence", false);
    plain.label.TruncateTextToEllipses(true);
    EXPECT_TRUE(plain.text().startsWith("<p style=\"white-space: pre-wrap; line-height:150%\">"));
    EXPECT_TRUE(plain.text().endsWith(QStringLiteral("\u2026</p>")));

    // Word wrap ends the ellipsis, and the ellipsis ends word wrap.
    plain.label.SetWordWrap(true);
    EXPECT_TRUE(plain.widget()->wordWrap());
    EXPECT_TRUE(plain.text().contains("A rather long sentence"));
    plain.label.TruncateTextToEllipses(true);
    EXPECT_FALSE(plain.widget()->wordWrap());
    EXPECT_TRUE(plain.text().endsWith(QStringLiteral("\u2026</p>")));
}

// A text of several lines is cut in its first line too wide for the label:
// the lines before it stand on lines of their own, so their widths do not
// shorten it. Each line that follows is cut to about the label's width.
TEST(LabelTest, TheEllipsisCutsTheFirstLongLineToTheLabelsWidth)
{
    const QString longLine = QString(200, QLatin1Char('x'));
    const QString cases[] = {
        QStringLiteral("Short\n") + longLine,
        QStringLiteral("Short\r\nAnd short\r\n") + longLine + QStringLiteral("\nafter"),
        QStringLiteral("\n\nShort\n") + longLine,
    };
    for (const QString &text : cases) {
        SCOPED_TRACE(text.left(24).toStdString());
        Placed p(150);
        p.label.TruncateTextToEllipses(true);
        p.label.SetText(text.toStdWString(), false);
        const QString shown = p.text();
        const int cut = shown.lastIndexOf(QRegularExpression("[\r\n]")) + 1;
        ASSERT_GT(cut, 0) << shown.toStdString();
        EXPECT_EQ(shown.left(cut), text.left(cut)) << "the short lines stay whole";
        const QString lastLine = shown.mid(cut);
        ASSERT_TRUE(lastLine.endsWith(QChar(0x2026))) << shown.toStdString();
        const QFontMetrics metrics(p.widget()->font());
        // Within the label, and no shorter than the label less a few characters.
        EXPECT_LE(metrics.horizontalAdvance(lastLine), 150);
        EXPECT_GT(metrics.horizontalAdvance(lastLine), 150 - 4 * metrics.horizontalAdvance(QLatin1Char('x')));
        EXPECT_EQ(p.label.GetText(), text.toStdWString());
    }
}

TEST(LabelTest, ColoursAndTheDisabledText)
{
    Placed p;
    EXPECT_EQ(p.label.GetTextColor(), -1);
    EXPECT_EQ(p.label.GetBackgroundColor(), -1);
    p.label.SetBackgroundColor(0xFF102030);
    EXPECT_EQ(p.label.GetBackgroundColor(), static_cast<int>(0xFF102030));
    EXPECT_EQ(p.widget()->palette().color(QPalette::Inactive, p.widget()->backgroundRole()), QColor(0x10, 0x20, 0x30));
    EXPECT_TRUE(p.widget()->autoFillBackground());

    p.label.SetTextColor(0xFF000000);
    EXPECT_EQ(p.label.GetTextColor(), static_cast<int>(0xFF000000));
    p.label.Enable(false, false);
    EXPECT_FALSE(p.widget()->isEnabled());
    EXPECT_EQ(p.widget()->palette().color(QPalette::Disabled, p.widget()->foregroundRole()), QColor(191, 191, 191));
    p.label.Enable(true, false);
    EXPECT_EQ(p.widget()->palette().color(QPalette::Active, p.widget()->foregroundRole()), QColor(0, 0, 0));
}

TEST(LabelTest, FontToolTipBorderAndDrawnText)
{
    Placed p;
    FontData font;
    font.italic = 1;
    font.underline = 1;
    font.size = 13;
    p.label.SetFont(font);
    const FontData read = p.label.GetFont();
    EXPECT_EQ(read.italic, 1);
    EXPECT_EQ(read.underline, 1);
    EXPECT_EQ(read.bold, 0);
    EXPECT_NEAR(read.size, 13, 0.5);
    EXPECT_EQ(read.charset, -1);

    p.label.SetToolTip(L"tip");
    EXPECT_EQ(p.label.GetToolTip(), L"tip");
    p.label.SetBorder();
    EXPECT_EQ(p.widget()->frameShape(), QFrame::Box);

    p.label.DrawTxt(L"drawn");
    ASSERT_FALSE(p.widget()->pixmap(Qt::ReturnByValue).isNull());
    const QImage drawn = p.widget()->pixmap(Qt::ReturnByValue).toImage();
    EXPECT_EQ(drawn.size(), QSize(200, 30));
    EXPECT_EQ(drawn.pixel(199, 29), p.widget()->palette().color(QPalette::Window).rgb());
}

TEST(LabelTest, PicturesAndAnimations)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("red.png");
    ASSERT_TRUE(FilledImage(10, 10, Qt::red).save(png));
    const QString gif = dir.filePath("one.gif");
    {
        QFile file(gif);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(kTwoFrameGif), sizeof kTwoFrameGif);
    }
    const QString ico = dir.filePath("icon.ico");
    {
        QFile file(ico);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodedImage(FilledImage(16, 16, Qt::blue), "ICO"));
    }

    Placed p;
    EXPECT_FALSE(p.label.PlayGif()) << "no animation yet";
    EXPECT_FALSE(p.label.StopGif());

    p.label.LoadPicture(png.toStdWString(), ScalePictureKeepSize, 0);
    ASSERT_FALSE(p.widget()->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).size(), QSize(10, 10));
    EXPECT_EQ(p.widget()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);

    p.label.LoadPicture(ico.toStdWString(), ScalePictureKeepSize, 0);
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).toImage().pixel(1, 1), QColor(Qt::blue).rgb());

    p.label.LoadPicture(png.toStdWString(), ScalePictureToHeight, 0);
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).height(), 30);

    const QByteArray green = EncodedImage(FilledImage(6, 6, Qt::green), "PNG");
    p.label.LoadPicture(data(green), green.size(), ImageTypePNG, ScalePictureKeepSize, 0);
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).toImage().pixel(1, 1), QColor(Qt::green).rgb());

    // ICO bytes, decoded from memory.
    const QByteArray yellow = EncodedImage(FilledImage(16, 16, Qt::yellow), "ICO");
    p.label.LoadPicture(data(yellow), yellow.size(), ImageTypeICO, ScalePictureKeepSize, 16);
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).toImage().pixel(1, 1), QColor(Qt::yellow).rgb());

    // Bytes that are no picture change nothing; no bytes clear the label.
    const unsigned char junk[] = {1, 2, 3};
    p.label.LoadPicture(junk, 3, ImageTypePNG, ScalePictureKeepSize, 0);
    EXPECT_EQ(p.widget()->pixmap(Qt::ReturnByValue).toImage().pixel(1, 1), QColor(Qt::yellow).rgb());
    p.label.LoadPicture(nullptr, 0, ImageTypePNG, ScalePictureKeepSize, 0);
    EXPECT_TRUE(p.widget()->pixmap(Qt::ReturnByValue).isNull());

    // A GIF is an animation that waits for PlayGif.
    p.label.LoadPicture(gif.toStdWString(), ScalePictureKeepSize, 0);
    ASSERT_NE(p.widget()->movie(), nullptr);
    EXPECT_EQ(p.widget()->movie()->state(), QMovie::NotRunning);
    QSignalSpy started(p.widget()->movie(), &QMovie::started);
    EXPECT_TRUE(p.label.PlayGif());
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(p.widget()->movie()->state(), QMovie::Running);
    EXPECT_TRUE(p.label.StopGif());
    EXPECT_EQ(p.widget()->movie()->state(), QMovie::NotRunning);

    Placed q;
    q.label.LoadPicture(kTwoFrameGif, sizeof kTwoFrameGif, ImageTypeGIF, ScalePictureKeepSize, 0);
    ASSERT_NE(q.widget()->movie(), nullptr);
    EXPECT_TRUE(q.widget()->movie()->isValid());
    EXPECT_TRUE(q.label.PlayGif());

    // Unreadable files show nothing.
    Placed r;
    r.label.LoadPicture(dir.filePath("missing.gif").toStdWString(), ScalePictureKeepSize, 0);
    r.label.LoadPicture(dir.filePath("missing.png").toStdWString(), ScalePictureKeepSize, 0);
    EXPECT_TRUE(r.widget()->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_EQ(r.widget()->movie(), nullptr);
    EXPECT_FALSE(r.label.PlayGif());
}

class LabelFormTest : public DialogFormTest
{
};

TEST_F(LabelFormTest, ALabelOfAFormKeepsItsProperties)
{
    const QByteArray body =
        "<item><widget class=\"QLabel\" name=\"lbl\"><property name=\"text\"><string>From the form</string></property>"
        "<property name=\"alignment\"><set>Qt::AlignRight|Qt::AlignVCenter</set></property>"
        "<property name=\"wordWrap\"><bool>true</bool></property></widget></item>\n";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    std::unique_ptr<QWidget> window(dialog.GetWndPtr());
    auto *label = dialog.GetControlPtr<Label *>(L"lbl");
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->GetWndPtr()->metaObject()->className(), "AUILib::LabelQt");
    EXPECT_EQ(label->GetText(), L"From the form");
    EXPECT_EQ(label->GetTextAlign(), TextAlignRight);
    EXPECT_TRUE(label->GetVCenter());
    EXPECT_TRUE(static_cast<QLabel *>(label->GetWndPtr())->wordWrap());

    label->SetLineSpacing(110);
    EXPECT_EQ(static_cast<QLabel *>(label->GetWndPtr())->text(),
              "<p style=\"white-space: pre-wrap; text-align: right; line-height:110%\">From the form</p>");
    EXPECT_EQ(label->GetText(), L"From the form");
}

// Every operation that needs the widget throws once it is gone; the stored
// colours still answer.
TEST(LabelTest, AGoneLabelThrows)
{
    Label label;
    delete label.GetPlatformHandle();
    EXPECT_EQ(label.GetWndPtr(), nullptr);
    EXPECT_EQ(label.GetTextColor(), -1);
    EXPECT_EQ(label.GetBackgroundColor(), -1);
    FontData font;
    const std::function<void()> operations[] = {
        [&] { label.SetText(L"text", false); },
        [&] { label.SetText(L"a", L"b", L"c", L"d"); },
        [&] { label.GetText(); },
        [&] { label.SetHyperlinkColors(1, 2, 3); },
        [&] { label.HasHyperlink(); },
        [&] { label.SetbDefaultClickProcess(true); },
        [&] { label.SetToolTip(L"t"); },
        [&] { label.GetToolTip(); },
        [&] { label.SetFont(font); },
        [&] { label.GetFont(); },
        [&] { label.SetTextAlign(TextAlignCenter); },
        [&] { label.GetTextAlign(); },
        [&] { label.SetVCenter(true); },
        [&] { label.GetVCenter(); },
        [&] { label.SetBackgroundColor(1); },
        [&] { label.SetTextColor(1); },
        [&] { label.LoadPicture(L"/no/such.png", ScalePictureKeepSize, 0); },
        [&] { label.LoadPicture(kTwoFrameGif, sizeof kTwoFrameGif, ImageTypeGIF, ScalePictureKeepSize, 0); },
        [&] { label.PlayGif(); },
        [&] { label.StopGif(); },
        [&] { label.IdealSize(); },
        [&] { label.DrawTxt(L"x"); },
        [&] { label.SetBorder(); },
        [&] { label.SetWordWrap(true); },
        [&] { label.SetLineSpacing(100); },
        [&] { label.TruncateTextToEllipses(true); },
        [&] { label.Create(nullptr); },
    };
    int index = 0;
    for (const auto &operation : operations)
        EXPECT_THROW(operation(), AgnosticUIException) << "operation " << index++;
}
