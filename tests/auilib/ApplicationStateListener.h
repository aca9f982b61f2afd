#pragma once

#include "AUILibConfig.h"

#include <QFont>
#include <QLocale>
#include <QPalette>
#include <QPoint>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

// Every test of the toolkit's program starts from the state the program had
// before its first test, whether the tests run one per process or all in one:
// after each test this puts back what the test left behind. Popups close and
// the windows it left shown (modal ones among them) are hidden; grabs, pressed
// buttons, the active window and the focus are let go; Qt's default locale,
// layout direction, palette, font, override cursor and cursor position, the C
// library's locale, the toolkit's configuration (made before the first test),
// its translator and its log come back. Qt's user settings (where a file dialog
// keeps its history) go to a folder of the program's own: Qt fixes their place
// on first use, which would otherwise be the home of the first test's sandbox,
// written again after that sandbox is gone. The control factory keeps what a
// test registered: nothing can take a registration back.
//
// Tests that need what only a fresh process has (no configuration made yet)
// run that part through runInFreshProcess (tests/support/FreshProcess.h).
class ApplicationStateListener : public ::testing::EmptyTestEventListener
{
public:
    void OnTestProgramStart(const ::testing::UnitTest &) override;
    void OnTestEnd(const ::testing::TestInfo &) override;
    void OnTestProgramEnd(const ::testing::UnitTest &) override;

private:
    // What the toolkit's configuration holds, read and written through its
    // public functions.
    struct ToolkitSettings
    {
        static ToolkitSettings read();
        void apply() const;

        std::wstring workingDir;
        std::wstring language;
        bool encryptedFiles = true;
        char decimalChar = '.';
        AUILib::ReadingDirection direction = AUILib::ReadingDirectionLeftToRight;
        bool layoutRTL = false;
        std::optional<AUILib::SkinManager> globalSkin;
        std::optional<AUILib::SkinManager> xmlSkin;
        AUILib::logFont font;
        int radii[4] = {};
    };

    // Qt's application-wide settings; they go before the QApplication does.
    struct QtSettings
    {
        static QtSettings read();
        void apply() const;

        QLocale locale;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QPalette palette;
        QFont font;
        QPoint cursor;
        std::string cLocale;
    };

    void closeWindows();
    void releaseInput();

    ToolkitSettings m_toolkit;
    std::optional<QtSettings> m_qt;
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    // Receives the release of buttons a test left pressed.
    std::unique_ptr<QWidget> m_inputSink;
};
