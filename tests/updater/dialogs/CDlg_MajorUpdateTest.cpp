#include "CDlg_MajorUpdate.h"

#include "CReaderModuleManager.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "ModalAnswerer.h"
#include "ModuleInfo.h"
#include "Sandbox.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <memory>

// Takes the links the notice opens in place of a browser.
class LinkCatcher : public QObject
{
    Q_OBJECT
public:
    LinkCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~LinkCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

namespace {

const QString kUpdaterKey = QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater");

QString rejectedVersion()
{
    return CRegister::regGetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion"));
}

quint32 checkedCount()
{
    return CRegister::regGetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked"));
}

MODULEINFO module(const char *version, const char *type, bool major)
{
    MODULEINFO m;
    m.name = "Module";
    m.version = version;
    m.module_type = type;
    m.bMajorUpgrade = major;
    return m;
}

class MajorUpdate : public SandboxTest
{
protected:
    void SetUp() override
    {
        commandLine.ProcessCmdLine(JoinCommandArgumentsForParse(
            {"-updater", "-type", "Update List", "-version", "12.1.0.3456"}));
        app.reset(new UpdaterApp(&commandLine));
        theApp = app.get();
        manager = new CReaderModuleManager(QStringLiteral("Update List"));
        app->SetModuleManager(manager);
    }

    void TearDown() override
    {
        theApp = nullptr;
        app.reset();
    }

    // Selects, in order, modules that must be passed over and then the major
    // upgrades of the reader; the first of those is the one remembered.
    void selectMajorUpgrade()
    {
        for (MODULEINFO *m : {&addOn, &minorReader, &majorReader, &laterMajorReader})
            manager->AddSelModule(m);
    }

    static void click(QWidget *notice, const char *button)
    {
        notice->findChild<QPushButton *>(QLatin1String(button))->click();
    }

    CSetup_CommandLine commandLine;
    std::unique_ptr<UpdaterApp> app;
    CReaderModuleManager *manager = nullptr; // owned by the application
    MODULEINFO addOn = module("14.0.0.1", "service", true);
    MODULEINFO minorReader = module("12.2.0.1", "updater", false);
    MODULEINFO majorReader = module("13.0.0.100", "updater", true);
    MODULEINFO laterMajorReader = module("14.0.0.1", "updater", true);
};

QString text(const QWidget &notice, const char *name)
{
    if (const auto *label = notice.findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    if (const auto *button = notice.findChild<QPushButton *>(QLatin1String(name)))
        return button->text();
    return QStringLiteral("<missing>");
}

TEST_F(MajorUpdate, FormAndTexts)
{
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(notice.objectName(), QStringLiteral("CDlg_MajorUpdate"));
        EXPECT_EQ(notice.windowTitle(), QStringLiteral("Orbel Updater"));
        EXPECT_TRUE(notice.windowFlags() & Qt::CustomizeWindowHint);
        EXPECT_FALSE(notice.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(text(notice, "lb_title"), QStringLiteral("A major upgrade for Orbel PDF Reader is available. "));
        const QFont font = notice.findChild<QLabel *>(QStringLiteral("lb_title"))->font();
        EXPECT_EQ(font.pointSize(), 15);
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(text(notice, "lb_des"),
                  QStringLiteral("Click on \"More Info\" to see what's new in the new version. You can download a "
                                 "14-day free trial or choose to upgrade.\n"));
        EXPECT_TRUE(notice.findChild<QLabel *>(QStringLiteral("lb_des"))->wordWrap());
        EXPECT_EQ(text(notice, "btn_info"), QStringLiteral("More Info"));
        EXPECT_EQ(text(notice, "pushButton_2"), QStringLiteral("Cancel"));
        EXPECT_TRUE(notice.findChild<QPushButton *>(QStringLiteral("pushButton_2"))->isDefault());
    }

    // The application's texts, when given, stand in place of the form's; each on its own.
    app->SetNoticeTexts(QStringLiteral("See the offer"), QString(), QStringLiteral("Body %s"));
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(text(notice, "btn_info"), QStringLiteral("See the offer"));
        EXPECT_EQ(text(notice, "lb_title"), QStringLiteral("A major upgrade for Orbel PDF Reader is available. "));
        EXPECT_EQ(text(notice, "lb_des"), QStringLiteral("Body %s"));
    }
    app->SetNoticeTexts(QString(), QStringLiteral("Version 13 is here"), QString());
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(text(notice, "lb_title"), QStringLiteral("Version 13 is here"));
        EXPECT_EQ(text(notice, "btn_info"), QStringLiteral("More Info"));
    }
}

// A translated title holding other '%' signs still names the product, once.
TEST_F(MajorUpdate, TranslatedTitle)
{
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(ORBEL_TEST_QM)));
    qApp->installTranslator(&translator);
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(text(notice, "lb_title"),
                  QStringLiteral("Für Orbel PDF Reader gibt es ein großes Upgrade: 100 % neu, %d Wochen gratis. "));
    }
    qApp->removeTranslator(&translator);
}

// Every way out but "More Info" counts one more dismissal, taken when the notice goes.
TEST_F(MajorUpdate, DismissalsCountOneTwoThree)
{
    selectMajorUpgrade();
    const std::function<void(QDialog *)> dismissals[] = {
        [](QDialog *n) { click(n, "pushButton_2"); },
        [](QDialog *n) { QTest::keyClick(n, Qt::Key_Escape); },
        [](QDialog *n) { n->close(); },
        [](QDialog *n) { n->reject(); },
    };
    const quint32 expected[] = {1, 2, 3, 1};
    for (int i = 0; i < 4; ++i) {
        {
            CDlg_MajorUpdate notice;
            EXPECT_EQ(ModalAnswerer::exec(notice, dismissals[i]), 0) << i;
            EXPECT_EQ(checkedCount(), i == 0 ? 0u : expected[i - 1]) << "nothing is written before the notice goes";
        }
        EXPECT_EQ(checkedCount(), expected[i]) << i;
        EXPECT_EQ(rejectedVersion(), QStringLiteral("13.0.0.100"));
    }
    // Destroyed without ever being shown: a dismissal all the same.
    { CDlg_MajorUpdate notice; }
    EXPECT_EQ(checkedCount(), 2u);
}

TEST_F(MajorUpdate, CounterFromEveryStoredValue)
{
    const struct
    {
        bool stored;
        quint32 before;
        quint32 after;
    } cases[] = {// the first case runs before anything is stored
                 {false, 0, 1}, {true, 0, 1}, {true, 1, 2}, {true, 2, 3}, {true, 3, 1}, {true, 4, 1}, {true, 4294967295u, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        if (c.stored) {
            ASSERT_TRUE(CRegister::regSetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked"), c.before));
        }
        { CDlg_MajorUpdate notice; }
        EXPECT_EQ(checkedCount(), c.after);
        // No major upgrade of the reader is selected: no version is remembered.
        EXPECT_EQ(rejectedVersion(), QString());
    }
}

TEST_F(MajorUpdate, MoreInfoAnswersOpensTheLinkAndAccepts)
{
    selectMajorUpgrade();
    LinkCatcher links;
    ASSERT_TRUE(CRegister::regSetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked"), 1));
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(ModalAnswerer::exec(notice, [](QDialog *n) { click(n, "btn_info"); }), 1);
        EXPECT_EQ(checkedCount(), 3u);
        EXPECT_EQ(rejectedVersion(), QStringLiteral("13.0.0.100"));
        // Clicked again on the same notice: the same answer.
        click(&notice, "btn_info");
        EXPECT_EQ(checkedCount(), 3u);
        // What the destructor must not touch.
        ASSERT_TRUE(CRegister::regSetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion"), QStringLiteral("x")));
    }
    EXPECT_EQ(checkedCount(), 3u);
    EXPECT_EQ(rejectedVersion(), QStringLiteral("x"));

    ASSERT_EQ(links.opened.size(), 2);
    const QUrl url = links.opened.first();
    EXPECT_EQ(url, links.opened.last());
    EXPECT_EQ(url.toString(QUrl::FullyEncoded),
              CDlg_MajorUpdate::upgradeLink(UpdaterApp::GetPackageType(), QStringLiteral("en-US"),
                                            QStringLiteral("12.1.0.3456")));
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("language")), QStringLiteral("en-US"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("version")), QStringLiteral("12.1.0"));
}

TEST_F(MajorUpdate, MoreInfoWithoutAMajorUpgradeWritesNothing)
{
    manager->AddSelModule(&addOn);
    manager->AddSelModule(&minorReader);
    LinkCatcher links;
    {
        CDlg_MajorUpdate notice;
        EXPECT_EQ(ModalAnswerer::exec(notice, [](QDialog *n) { click(n, "btn_info"); }), 1);
    }
    EXPECT_EQ(checkedCount(), 0u);
    EXPECT_EQ(rejectedVersion(), QString());
    EXPECT_EQ(links.opened.size(), 1);
}

TEST_F(MajorUpdate, TheLinkIsEncoded)
{
    const struct
    {
        const char *packageType;
        const char *language;
        const char *version;
        const char *host;
        const char *readVersion;
    } cases[] = {
        {"", "en-US", "12.1.0.3456", "www.orbel-software.example", "12.1.0"},
        {"zh-CN", "zh-CN", "12.1.0.3456", "www.orbel-software-cn.example", "12.1.0"},
        {"ja-JP", "ja-JP", "12", "www.orbel-software.example", "12"},
        {"zh-cn", "en-US", "12.1", "www.orbel-software.example", "12"},
        // Values that would split the query or look like placeholders.
        {"", "%2 &x=1#", "1.0&edition=Free%5.9", "www.orbel-software.example", "1.0&edition=Free%5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.version);
        const QString link = CDlg_MajorUpdate::upgradeLink(QString::fromUtf8(c.packageType),
                                                           QString::fromUtf8(c.language),
                                                           QString::fromUtf8(c.version));
        const QUrl url(link, QUrl::StrictMode);
        ASSERT_TRUE(url.isValid()) << link.toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
        EXPECT_EQ(url.host(), QLatin1String(c.host));
        EXPECT_EQ(url.path(), QStringLiteral("/go.php"));
        EXPECT_TRUE(url.fragment().isNull());
        const QUrlQuery query(url);
        auto value = [&](const char *key) { return query.queryItemValue(QLatin1String(key), QUrl::FullyDecoded); };
        EXPECT_EQ(value("do"), QStringLiteral("redirect"));
        EXPECT_EQ(value("title"), QStringLiteral("corvid4mac-upgrade"));
        EXPECT_EQ(value("product"), QStringLiteral("Orbel CorvidPDF for mac"));
        EXPECT_EQ(value("language"), QString::fromUtf8(c.language));
        EXPECT_EQ(value("version"), QString::fromUtf8(c.readVersion));
        EXPECT_EQ(value("edition"), QStringLiteral("Business"));
        EXPECT_EQ(query.queryItems().size(), 6);
    }
}

} // namespace

#include "CDlg_MajorUpdateTest.moc"
