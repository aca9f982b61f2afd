// The component-pack road of the controller through the product's own dialogs:
// the question, the query, the selection and the download-and-install window.

#include "CSetup_CommandLine.h"
#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "ModalAnswerer.h"
#include "OzipWriter.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdateDialogs.h"
#include "UpdaterApp.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <memory>
#include <gtest/gtest.h>

namespace {

QByteArray package(const QByteArray &name)
{
    OzipWriter writer;
    writer.file("Setup.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n  <file name=\"" + name
                                 + ".pkg\" parameter=\"\" iscommon=\"false\"/>\n</setup>\n");
    writer.file(name + ".pkg", "installer");
    return writer.bytes();
}

class ComponentPackRoad : public SandboxTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.isListening());
        ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.urlString(QString()).toUtf8());
        const QByteArray ozip = package("OCR_ru_ru");
        service.setFile(QStringLiteral("/OCR_ru_ru.ozip"), ozip);
        service.setFile(QStringLiteral("/addons/get_addons.php"),
                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n"
                        "  <addon name=\"OCR_ru_ru\" title=\"Russian OCR\" version=\"2.0\" result=\"true\" "
                        "module_type=\"service\" size=\""
                            + QByteArray::number(ozip.size()) + "B\" url=\""
                            + service.urlString(QStringLiteral("/OCR_ru_ru.ozip")).toUtf8() + "\"/>\n</addons>\n");
        UpdateDialogs::install(nullptr);
    }

    void TearDown() override
    {
        theApp = nullptr;
        app.reset();
    }

    void run(const QStringList &arguments)
    {
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
        app->runUpdateVisible(31, 225);
    }

    TestHttpServer service;
    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
};

TEST_F(ComponentPackRoad, YesFetchesAndInstallsThePackThenCloseEndsTheRun)
{
    ModalAnswerer answerer;
    QString question;
    QStringList progress;
    answerer.onModal([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("DlgComponentFound"))
            return false;
        question = modal->findChild<QLabel *>(QStringLiteral("label1"))->text();
        modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Yes)->click();
        return true;
    });
    answerer.onModal([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("dlgfound"))
            return false;
        auto *close = modal->findChild<QPushButton *>(QStringLiteral("btn_close"));
        if (close->text() != QLatin1String("Close"))
            return true; // still at work
        auto *model = qobject_cast<QStandardItemModel *>(modal->findChild<QTreeView *>()->model());
        for (int row = 0; row < model->rowCount(); ++row)
            progress << model->item(row, 0)->text() + QLatin1Char('=') + model->item(row, 2)->text();
        close->click();
        return true;
    });
    run({"-updater", "-type", "OCR_ru_ru", "-version", "12.1.0.3456"});

    EXPECT_EQ(question, QStringLiteral("The OCR_ru-RU component needs to be installed."));
    EXPECT_EQ(progress, QStringList{"Russian OCR="});
    EXPECT_TRUE(answerer.boxTexts.isEmpty());
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("OCR_ru_ru"));
    EXPECT_TRUE(app->IsQuitRequested());
}

TEST_F(ComponentPackRoad, NoAsksTheServiceNothing)
{
    ModalAnswerer answerer;
    answerer.onModal([&](QWidget *modal) {
        if (modal->objectName() != QLatin1String("DlgComponentFound"))
            return false;
        modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::No)->click();
        return true;
    });
    run({"-updater", "-type", "OCR_ru_ru", "-version", "12.1.0.3456"});
    EXPECT_TRUE(service.requests().isEmpty());
    EXPECT_TRUE(app->IsQuitRequested());
}

} // namespace
