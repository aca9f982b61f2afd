#include "CDlgComponentFound.h"

#include "ComponentInfo.h"
#include "ModalAnswerer.h"
#include "Sandbox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QApplication>
#include <QPushButton>
#include <QTranslator>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const char kOcrText[] = "This component will allow you to convert scanned or image-based content into selectable, "
                        "searchable, and editable text.";
const char kPdfaText[] = "This component will allow you to check for compliance with PDF industry standards such as "
                         "PDF/A. ";

ComponentInfo request(const QString &list, const QString &version = QStringLiteral("12.1.0.3456"),
                      const QString &language = QStringLiteral("en-US"))
{
    return ComponentInfo{QStringLiteral("Orbel PDF Reader"), version, list, language, QStringLiteral("Business")};
}

QString label(const QDialog &dialog, const char *name)
{
    const QLabel *found = dialog.findChild<QLabel *>(QLatin1String(name));
    return found ? found->text() : QStringLiteral("<missing>");
}

class ComponentFound : public SandboxTest
{
};

TEST_F(ComponentFound, NamesAndDescriptions)
{
    const struct
    {
        const char *list;
        const char *label1;
        const char *label2;
    } cases[] = {
        {"OCR_de_de", "The OCR_de_de component needs to be installed.", kOcrText},
        {"OCR_ru_ru,OCR_nl_nl", "The OCR_ru-RU/OCR_nl-NL component needs to be installed.", kOcrText},
        {",OCR_jp_jp,,OCR_no_no,", "The OCR_ja-JP/OCR_nb-NO component needs to be installed.", kOcrText},
        {"OCR_ru_ru,OCR_nl_nl,OCR_ko_kr,OCR_tr_tr,OCR_zh_cn,OCR_pl_pl,OCR_sr_sr",
         "The OCR_ru-RU/OCR_nl-NL/OCR_ko-KR/OCR_tr-TR/OCR_zh-CN(7 in total) components need to be installed.",
         kOcrText},
        {"dwg3dplugins", "You need to install the 3D related plugin. ",
         "This plugin can be used to display the 3D objects. "},
        {"fileopen", "The fileopen component needs to be installed.",
         "This component will allow you to access documents encrypted with the FileOpen software. "},
        {"Orbel Spell Check Language", "The Spell Check component needs to be installed.",
         "This component will help to find any spelling errors and highlight them with squiggly lines. "},
        {"Firefox Plugin", "The Firefox Plugin component needs to be installed.", ""},
        {"PDF/A3", "The PDF/AEX component needs to be installed.", kPdfaText},
        {"pdf/a", "The PDF/AEX component needs to be installed.", kPdfaText},
        {"xPDF/A", "The xPDF/A component needs to be installed.", ""},
        {"PDF/A,b,c,d,e,f", "The PDF/A/b/c/d/e(6 in total) components need to be installed.", kPdfaText},
        // A name that looks like a marker is shown as given.
        {"A%d,B%s", "The A%d/B%s component needs to be installed.", ""},
        // Shown as text, never as markup.
        {"<b>x</b>", "The <b>x</b> component needs to be installed.", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.list);
        ComponentInfo info = request(QString::fromUtf8(c.list));
        CDlgComponentFound dialog(info);
        EXPECT_EQ(label(dialog, "label1"), QString::fromUtf8(c.label1));
        EXPECT_EQ(label(dialog, "label2"), QString::fromUtf8(c.label2));
        EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("label1"))->textFormat(), Qt::PlainText);
    }
}

// A translation that moves the markers and renames the OCR packs still gives whole texts.
TEST_F(ComponentFound, TranslatedTexts)
{
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(ORBEL_TEST_QM)));
    qApp->installTranslator(&translator);
    const struct
    {
        const char *list;
        const char *label1;
    } cases[] = {
        {"OCR_ru_ru,OCR_nl_nl", "Die Komponente OCR Russisch/OCR Niederländisch muss installiert werden."},
        {"OCR_ru_ru,OCR_nl_nl,OCR_ko_kr,OCR_tr_tr,OCR_zh_cn,OCR_pl_pl",
         "Es müssen 6 Komponenten installiert werden: OCR Russisch/OCR Niederländisch/OCR_ko-KR/OCR_tr-TR/OCR_zh-CN"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.list);
        ComponentInfo info = request(QString::fromUtf8(c.list));
        CDlgComponentFound dialog(info);
        EXPECT_EQ(label(dialog, "label1"), QString::fromUtf8(c.label1));
        EXPECT_EQ(label(dialog, "label2"), QLatin1String(kOcrText)); // left untranslated: English stands
    }
    qApp->removeTranslator(&translator);
}

TEST_F(ComponentFound, FormAndFixedTexts)
{
    ComponentInfo info = request(QStringLiteral("OCR_efigs"));
    CDlgComponentFound dialog(info);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Download Components"));
    EXPECT_EQ(dialog.minimumSize(), QSize(530, 260));
    EXPECT_EQ(dialog.maximumSize(), QSize(530, 260));
    const QLabel *icon = dialog.findChild<QLabel *>(QStringLiteral("label_6"));
    ASSERT_TRUE(icon);
    EXPECT_FALSE(icon->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_EQ(icon->size(), QSize(32, 32));
    EXPECT_TRUE(label(dialog, "label3").startsWith(QStringLiteral("Please click Yes to download and install")));
    EXPECT_TRUE(dialog.findChild<QLabel *>(QStringLiteral("label4"))->openExternalLinks());
    EXPECT_EQ(label(dialog, "label5"), QStringLiteral("Note: Downloading the update requires an Internet connection."));
}

TEST_F(ComponentFound, TheLinkIsEncodedAndEscaped)
{
    const struct
    {
        QString version;
        QString language;
        QString edition;
        const char *host;
        // Query values as the service reads them back.
        QString readLanguage;
        QString readVersion;
        QString readCampaign;
    } cases[] = {
        {"12.1.0.3456", "en-US", "Business", "service.orbel-software.example", "en-US", "12.1.0.3456",
         "corvidmac12.1.0"},
        {"12", "JA-jp", "Business", "www.orbel-software-jp.example", "JA-jp", "12", "corvidmac12"},
        // Values that would break the query or the markup, or that look like placeholders.
        {"1.0&x=%2'<", "%4 %1\"", "a#b", "service.orbel-software.example", "%4 %1\"", "1.0&x=%2'<",
         "corvidmac1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        ComponentInfo info = request(QStringLiteral("OCR_efigs"), c.version, c.language);
        info.edition = c.edition;
        const QString link = CDlgComponentFound::addonsLink(info);
        const QUrl url(link, QUrl::StrictMode);
        ASSERT_TRUE(url.isValid()) << link.toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
        EXPECT_EQ(url.host(), QLatin1String(c.host));
        EXPECT_EQ(url.path(), QStringLiteral("/go.php"));
        const QUrlQuery query(url);
        auto value = [&](const char *key) { return query.queryItemValue(QLatin1String(key), QUrl::FullyDecoded); };
        EXPECT_EQ(value("do"), QStringLiteral("redirect"));
        EXPECT_EQ(value("title"), QStringLiteral("reader4mac_addons"));
        EXPECT_EQ(value("product"), QStringLiteral("Orbel Reader for Mac"));
        EXPECT_EQ(value("language"), c.readLanguage);
        EXPECT_EQ(value("version"), c.readVersion);
        EXPECT_EQ(value("edition"), c.edition);
        EXPECT_EQ(value("utm_source"), QStringLiteral("client-app"));
        EXPECT_EQ(value("utm_medium"), QStringLiteral("button"));
        EXPECT_EQ(value("utm_campaign"), c.readCampaign);
        EXPECT_EQ(query.queryItems().size(), 9);

        // The label carries the same address, escaped for the markup.
        CDlgComponentFound dialog(info);
        const QString html = label(dialog, "label4");
        EXPECT_EQ(html, QStringLiteral("<a style='color: #2189F7;' href='%1'>%2</a>")
                            .arg(link.toHtmlEscaped().replace('\'', QLatin1String("&#39;")),
                                 QStringLiteral("https://www.orbel-software.example/products/addons.php")));
        EXPECT_EQ(html.count(QLatin1Char('<')), 2); // the anchor's own two tags only
    }
}

TEST_F(ComponentFound, YesAcceptsNoAndClosingReject)
{
    const struct
    {
        QDialogButtonBox::StandardButton button; // NoButton: the window is closed
        int result;
    } cases[] = {
        {QDialogButtonBox::Yes, 1},
        {QDialogButtonBox::No, 0},
        {QDialogButtonBox::NoButton, 0},
    };
    for (const auto &c : cases) {
        ComponentInfo info = request(QStringLiteral("OCR_efigs"));
        CDlgComponentFound dialog(info);
        ModalAnswerer answerer;
        answerer.onModal([&](QWidget *modal) {
            if (modal != &dialog)
                return false;
            if (c.button == QDialogButtonBox::NoButton)
                dialog.close();
            else
                dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(c.button)->click();
            return true;
        });
        EXPECT_EQ(dialog.exec(), c.result) << c.button;
    }
}

} // namespace
