#pragma once

#include "AUILibConfig.h"
#include "Dialog.h"
#include "TranslationFiles.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

// A dialog that counts what the toolkit asks of it and can veto or map results.
class CountingDialog : public AUILib::Dialog
{
public:
    using Dialog::Dialog;

    int FilterDone(int result) override
    {
        ++filterCalls;
        return filter ? filter(result) : result;
    }
    bool InitializeControls() override
    {
        ++initializeCalls;
        return true;
    }

    std::function<int(int)> filter;
    int filterCalls = 0;
    int initializeCalls = 0;
};

// Runs `action` from the event loop once `window` is visible: a modal run shows
// its window before it starts its loop, so this never races the show.
inline void whenShown(QWidget *window, std::function<void()> action)
{
    auto *timer = new QTimer;
    QPointer<QWidget> guarded(window);
    QObject::connect(timer, &QTimer::timeout, [timer, guarded, action] {
        if (guarded && !guarded->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        if (guarded)
            action();
    });
    timer->start(5);
}

// A sandboxed toolkit installation in which forms are written scrambled, as shipped.
class DialogFormTest : public SandboxTest
{
protected:
    void SetUp() override { AUILib::SetWorkingDirPath(files.workingDir().toStdWString()); }

    std::wstring form(const QByteArray &text, const QByteArray &name = "form.ui")
    {
        const QString path = files.writeForm("test", name, text);
        EXPECT_FALSE(path.isEmpty());
        return path.toStdWString();
    }

    // A dialog form around `body` (items of its vertical layout).
    static QByteArray dialogForm(const QByteArray &body, const QByteArray &extra = QByteArray())
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n<class>Form</class>\n"
               "<widget class=\"QDialog\" name=\"Form\">\n<property name=\"windowTitle\"><string>Form title</string>"
               "</property>\n<layout class=\"QVBoxLayout\" name=\"layout\">\n" +
               body + "</layout>\n</widget>\n" + extra + "</ui>\n";
    }

    TranslationFiles files{sandbox};
};
