// The update windows as a person on this platform sees them, with the
// application's style sheet and the platform's look applied as at start-up:
// every button of every window and message box the roads open shows its whole
// text, a disabled button looks disabled, and the dark appearance is readable.

#include "CReaderModuleManager.h"
#include "CheckBoxEdges.h"
#include "CSetup_CommandLine.h"
#include "DemoService.h"
#include "DlgMessage.h"
#include "FakeInstaller.h"
#include "ModalAnswerer.h"
#include "Sandbox.h"
#include "UpdateDialogs.h"
#include "UpdaterApp.h"
#include "WindowSystem.h"
#include "dlgfound.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cmath>
#include <memory>
#include <gtest/gtest.h>

namespace {

// What is wrong with a window's visible buttons: shorter or narrower than
// their text with the frame around it, or reaching out of the window.
QStringList buttonFaults(QWidget *window)
{
    QStringList faults;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(window))
            continue;
        const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
        const QString name = QStringLiteral("\"%1\" (%2x%3, text %4x%5)")
                                 .arg(button->text())
                                 .arg(button->width())
                                 .arg(button->height())
                                 .arg(text.width())
                                 .arg(text.height());
        if (button->height() < text.height() + frame)
            faults << name + QStringLiteral(" is shorter than its text");
        if (button->width() < text.width() + frame)
            faults << name + QStringLiteral(" is narrower than its text");
        if (!window->rect().contains(inWindow))
            faults << name + QStringLiteral(" reaches out of its window");
    }
    return faults;
}

// The name a window goes by in a failure: a message box by its text.
QString windowName(QWidget *window)
{
    if (auto *box = qobject_cast<QMessageBox *>(window))
        return QStringLiteral("box \"%1\"").arg(box->text());
    return window->objectName();
}

// The colour of the text drawn on a button: the pixel of its label farthest
// from the button's face.
QColor inkOf(QPushButton *button)
{
    const QImage image = button->grab().toImage();
    const QColor face = image.pixelColor(image.width() / 2, 3);
    QColor ink = face;
    double farthest = 0;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y) {
        for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const double distance = std::abs(pixel.lightnessF() - face.lightnessF());
            if (distance > farthest) {
                farthest = distance;
                ink = pixel;
            }
        }
    }
    return ink;
}

template <typename T>
T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QModelIndex findRow(const QAbstractItemModel *model, const QString &text)
{
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

class WindowLook : public SandboxTest
{
protected:
    void SetUp() override
    {
        m_style = QApplication::style()->objectName();
        m_palette = QApplication::palette();
        m_font = QApplication::font();
        UpdateDialogs::install(nullptr);
    }

    // The look start-up gives the application, in the sandbox's appearance.
    void applyStartupLook()
    {
        qApp->setStyleSheet(QStringLiteral("QPushButton{height: 32pt}"));
        WindowSystem::applyLook();
        QFont font;
        font.setPixelSize(12);
        QApplication::setFont(font);
    }

    void TearDown() override
    {
        theApp = nullptr;
        app.reset();
        qApp->setStyleSheet(QString());
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

    void run(const QStringList &arguments)
    {
        theApp = nullptr;
        app.reset();
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
        app->runUpdateVisible(31, 225);
    }

    // Notes the button faults of every modal window the answerer meets.
    void watchButtons(ModalAnswerer &answerer)
    {
        answerer.onEveryWindow([this](QWidget *window) {
            if (!window->testAttribute(Qt::WA_DontShowOnScreen))
                seen[windowName(window)] = buttonFaults(window);
        });
    }

    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
    // Each window met, with what is wrong with its buttons.
    QMap<QString, QStringList> seen;

private:
    QString m_style;
    QPalette m_palette;
    QFont m_font;
};

const QStringList kManualCheck = {"-updater", "-type", "Update List", "-version", "12.1.0.1234"};
const QString kCancelQuestion = QStringLiteral("Are you sure you want to cancel the installation?");
const QString kQuitQuestion =
    QStringLiteral("Orbel PDF Reader is downloading the latest Orbel PDF Reader version now, are you sure you want to quit?");

TEST_F(WindowLook, EveryButtonOfTheRoadsShowsItsWholeText)
{
    applyStartupLook();
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    DemoService service;
    ASSERT_FALSE(service.url().isEmpty());
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.url().toUtf8());
    // The texts of the message boxes the roads showed.
    QStringList boxes;

    // The manual check: "Close" in the tree and Escape in the progress window
    // are both answered No; at the end the progress window is closed.
    {
        // The give-up time only ends a hang: two installations alone take six seconds.
        ModalAnswerer answerer(QMessageBox::No, 60000);
        watchButtons(answerer);
        QColor pauseInk;
        QColor closeInk;
        answerer.onModal([&](QWidget *modal) {
            auto *close = child<QPushButton>(modal, "btn_close");
            if (modal->objectName() != QLatin1String("dlgfound") || close->text() != QLatin1String("Close"))
                return false;
            seen[QStringLiteral("dlgfound at its end")] = buttonFaults(modal);
            auto *pause = child<QPushButton>(modal, "btn_download");
            EXPECT_FALSE(pause->isEnabled());
            pauseInk = inkOf(pause);
            closeInk = inkOf(close);
            QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
            return true;
        });
        answerer.on(QStringLiteral("dlgfound"), [](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        answerer.on(QStringLiteral("DlgUpdatesTree"), [](QWidget *modal) {
            QTest::mouseClick(child<QPushButton>(modal, "button_cancel"), Qt::LeftButton);
            auto *view = child<QTreeView>(modal, "treeView_4");
            view->setCurrentIndex(findRow(view->model(), QStringLiteral("Add-ons")));
            QTest::keyClick(view, Qt::Key_Space);
            QTest::mouseClick(child<QPushButton>(modal, "button_download"), Qt::LeftButton);
        });
        run(kManualCheck);
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts, (QStringList{kCancelQuestion, kQuitQuestion}));
        boxes << answerer.boxTexts;
        // The disabled "Pause" is drawn fainter than the enabled "Close".
        ASSERT_TRUE(pauseInk.isValid() && closeInk.isValid());
        EXPECT_GT(std::abs(pauseInk.lightness() - closeInk.lightness()), 40)
            << pauseInk.name().toStdString() << " " << closeInk.name().toStdString();
    }

    // The scheduled check: "Never remind me" is declined, then the tree is closed.
    {
        ModalAnswerer answerer(QMessageBox::No);
        answerer.answerBoxes({QMessageBox::No, QMessageBox::Yes});
        watchButtons(answerer);
        answerer.on(QStringLiteral("DlgUpdatesTree"), [](QWidget *modal) {
            QMetaObject::invokeMethod(modal, "OnComboxResolve", Q_ARG(QString, QStringLiteral("Never remind me")));
            QTest::mouseClick(child<QPushButton>(modal, "button_cancel"), Qt::LeftButton);
        });
        run({"-updater", "-type", "Auto Updater", "-version", "12.1.0.1234"});
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts.size(), 2);
        boxes << answerer.boxTexts;
    }

    // A component pack the service does not have: Yes, then the warning.
    {
        ModalAnswerer answerer(QMessageBox::Ok);
        watchButtons(answerer);
        answerer.on(QStringLiteral("DlgComponentFound"), [](QWidget *modal) {
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Yes)->click();
        });
        run({"-updater", "-type", "OCR_German", "-version", "12.1.0.1234"});
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts.size(), 1);
        boxes << answerer.boxTexts;
    }

    // No network: the box the module manager shows when the service cannot be
    // reached. (Through the road it only comes when the transfer's end reaches
    // the manager before the check is over, so it is called here directly.)
    {
        ModalAnswerer answerer(QMessageBox::Ok);
        watchButtons(answerer);
        CReaderModuleManager manager(QStringLiteral("Update List"));
        manager.errorfinish(QString());
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts.size(), 1);
        boxes << answerer.boxTexts;
    }

    // The updater's own box, as the download window asks for the reader to be closed.
    {
        DlgMessage message(nullptr);
        message.setInformation(QStringLiteral("Download completed. Please close Orbel PDF Reader when you complete "
                                              "your job, and click \"Install\"."));
        message.setOkButtonText(QStringLiteral("Retry"));
        ModalAnswerer::exec(message, [this](QDialog *dialog) {
            seen[dialog->objectName()] = buttonFaults(dialog);
            dialog->reject();
        });
    }

    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_TRUE(it.value().isEmpty()) << it.key().toStdString() << ": " << it.value().join("; ").toStdString();
    // Every window and box the roads above opened was looked at.
    QStringList expected = {QStringLiteral("DlgUpdatesTree"), QStringLiteral("dlgfound"),
                            QStringLiteral("dlgfound at its end"), QStringLiteral("DlgComponentFound"),
                            QStringLiteral("DlgMessage")};
    for (const QString &text : qAsConst(boxes))
        expected << QStringLiteral("box \"%1\"").arg(text);
    expected.removeDuplicates();
    EXPECT_EQ(boxes.size(), 6);
    for (const QString &window : qAsConst(expected))
        EXPECT_TRUE(seen.contains(window)) << window.toStdString() << " among " << QStringList(seen.keys()).join(" | ").toStdString();
}

TEST_F(WindowLook, DarkAppearanceIsReadable)
{
    sandbox.setEnv("ORBEL_UPDATER_DARK", "1");
    applyStartupLook();
    EXPECT_TRUE(WindowSystem::isDark(QApplication::palette()));

    // Every text against the window behind it, as drawn; the logo's lettering too.
    QMap<QString, QString> unreadable;
    auto check = [&](QWidget *window) {
        if (window->testAttribute(Qt::WA_DontShowOnScreen))
            return;
        const QImage shot = window->grab().toImage();
        const QColor background = shot.pixelColor(2, 2);
        EXPECT_LT(background.lightness(), 128) << windowName(window).toStdString();
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window) || !widget->isEnabled())
                continue;
            const bool label = qobject_cast<QLabel *>(widget) && !qobject_cast<QLabel *>(widget)->text().isEmpty();
            if (!label && !qobject_cast<QPushButton *>(widget))
                continue;
            const QColor text = widget->palette().color(widget->foregroundRole());
            const QColor behind = qobject_cast<QPushButton *>(widget) ? widget->palette().color(QPalette::Button)
                                                                      : background;
            if (contrastRatio(text, behind) < 4.5)
                unreadable[windowName(window) + QLatin1Char('/') + widget->objectName()] =
                    text.name() + QStringLiteral(" on ") + behind.name();
        }
        QLabel *logo = window->findChild<QLabel *>(QStringLiteral("label_logo"));
        if (!logo)
            logo = window->findChild<QLabel *>(QStringLiteral("lbl_Img"));
        if (logo) {
            const QImage image = logo->pixmap(Qt::ReturnByValue).toImage();
            double best = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = image.width() / 3; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.alpha() == 255)
                        best = std::max(best, contrastRatio(pixel, background));
                }
            }
            EXPECT_GE(best, 4.5) << "the title's lettering";
        }
    };

    DemoService service;
    ASSERT_FALSE(service.url().isEmpty());
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.url().toUtf8());
    ModalAnswerer answerer(QMessageBox::Yes);
    answerer.onEveryWindow(check);
    answerer.on(QStringLiteral("DlgUpdatesTree"), [](QWidget *modal) {
        QTest::mouseClick(child<QPushButton>(modal, "button_cancel"), Qt::LeftButton);
    });
    run(kManualCheck);
    EXPECT_FALSE(answerer.gaveUp());
    EXPECT_EQ(answerer.boxTexts, QStringList{kCancelQuestion});

    // The progress window, here with nothing to do.
    CReaderModuleManager manager(QStringLiteral("Update List"));
    dlgfound progress("Update List", false, false, false, false, &manager);
    progress.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    check(&progress);
    progress.reject();

    EXPECT_TRUE(unreadable.isEmpty()) << QStringList(unreadable.keys()).join(' ').toStdString() << " "
                                      << QStringList(unreadable.values()).join(' ').toStdString();
}

} // namespace
