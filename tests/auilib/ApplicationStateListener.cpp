#include "ApplicationStateListener.h"

#include "AUILibLogger.h"
#include "Translator.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QSettings>
#include <QTest>

#include <clocale>

using namespace AUILib;

namespace {

// Registered as the program loads, so it is in place before the first test
// whoever writes the program's main.
[[maybe_unused]] const bool kRegistered =
    (::testing::UnitTest::GetInstance()->listeners().Append(new ApplicationStateListener), true);

// Closing a popup may open another, and override cursors stack; a bound keeps
// a faulty test from holding the program here.
constexpr int kMaxRounds = 100;

} // namespace

ApplicationStateListener::ToolkitSettings ApplicationStateListener::ToolkitSettings::read()
{
    ToolkitSettings settings;
    settings.workingDir = GetWorkingDirPath();
    settings.language = GetCurrentLanguage();
    settings.encryptedFiles = ExpectsEncryptedLanguageFiles();
    settings.decimalChar = GetDecimalChar();
    settings.direction = GetReadingDirection();
    settings.layoutRTL = GetLayoutRTL();
    settings.globalSkin = *GetGlobalSkinManager();
    settings.xmlSkin = *GetXMLSkinManager();
    settings.font = *GetFontInfo();
    settings.radii[0] = GetComboboxRadius();
    settings.radii[1] = GetCheckboxRadius();
    settings.radii[2] = GetEditRadius();
    settings.radii[3] = GetContextMenuRadius();
    return settings;
}

void ApplicationStateListener::ToolkitSettings::apply() const
{
    // Only a change of language sets the kind of language files, so the same
    // language with the other kind goes by way of another language. The change
    // also sets Qt's default locale, which QtSettings puts back afterwards, and
    // the toolkit's locale record, which nothing reads once the configuration
    // is made.
    if (GetCurrentLanguage() != language || ExpectsEncryptedLanguageFiles() != encryptedFiles) {
        if (GetCurrentLanguage() == language)
            SetCurrentLanguage(language == GetDefaultLanguage() ? std::wstring() : GetDefaultLanguage(), encryptedFiles);
        SetCurrentLanguage(language, encryptedFiles);
    }
    // What was read belongs to files of the test's sandbox, gone now.
    Translator::GetInstance().ResetStringsTable();
    SetWorkingDirPath(workingDir);
    SetForcedDecimalChar(decimalChar);
    SetReadingDirection(direction);
    SetLayoutRTL(layoutRTL);
    *GetGlobalSkinManager() = *globalSkin;
    *GetXMLSkinManager() = *xmlSkin;
    *GetFontInfo() = font;
    SetComboboxRadius(radii[0]);
    SetCheckboxRadius(radii[1]);
    SetEditRadius(radii[2]);
    SetContextMenuRadius(radii[3]);
}

ApplicationStateListener::QtSettings ApplicationStateListener::QtSettings::read()
{
    QtSettings settings;
    settings.locale = QLocale();
    settings.direction = QApplication::layoutDirection();
    settings.palette = QApplication::palette();
    settings.font = QApplication::font();
    settings.cursor = QCursor::pos();
    settings.cLocale = std::setlocale(LC_ALL, nullptr);
    return settings;
}

// Each only when changed: setting any of them again sends every widget an event.
void ApplicationStateListener::QtSettings::apply() const
{
    for (int i = 0; i < kMaxRounds && QApplication::overrideCursor(); ++i)
        QApplication::restoreOverrideCursor();
    if (QCursor::pos() != cursor)
        QCursor::setPos(cursor);
    if (QLocale() != locale)
        QLocale::setDefault(locale);
    if (QApplication::layoutDirection() != direction)
        QApplication::setLayoutDirection(direction);
    if (QApplication::palette() != palette)
        QApplication::setPalette(palette);
    if (QApplication::font() != font)
        QApplication::setFont(font);
    if (cLocale != std::setlocale(LC_ALL, nullptr))
        std::setlocale(LC_ALL, cLocale.c_str());
}

void ApplicationStateListener::OnTestProgramStart(const ::testing::UnitTest &)
{
    // Made here, the configuration is the same for the first test as for the
    // others, and its first values are the ones every test gets back.
    GetCurrentLanguage();
    m_toolkit = ToolkitSettings::read();
    m_qt = QtSettings::read();
    m_inputSink = std::make_unique<QWidget>();
    m_settingsDir = std::make_unique<QTemporaryDir>();
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, m_settingsDir->path());
}

void ApplicationStateListener::OnTestEnd(const ::testing::TestInfo &)
{
    if (!m_qt)
        return;
    closeWindows();
    releaseInput();
    m_toolkit.apply();
    m_qt->apply();
    AUILibLogger::GetInstance().Clear();
}

void ApplicationStateListener::OnTestProgramEnd(const ::testing::UnitTest &)
{
    m_inputSink.reset();
    m_qt.reset();
    m_settingsDir.reset();
}

// Popups first: an open one holds the mouse. Then every window left shown
// (none is when the program starts), modal ones included: a shown window takes
// the moves QTest makes through the cursor wherever it overlaps the next test's
// window. Hidden, not deleted: whatever still holds a window keeps it whole.
// (Deleted, the windows of a finished test show LeakSanitizer one leak of the
// toolkit's: a control given a tool tip by Dialog::SetToolTip holds itself.)
void ApplicationStateListener::closeWindows()
{
    for (int i = 0; i < kMaxRounds && QApplication::activePopupWidget(); ++i)
        QApplication::activePopupWidget()->close();
    QList<QPointer<QWidget>> shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Desktop)
            shown.append(window);
    }
    for (const QPointer<QWidget> &window : shown) {
        if (window)
            window->hide();
    }
    if (QApplication::activeWindow())
        QApplication::setActiveWindow(nullptr);
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
}

// A press without its release (a double click as QTest sends it is one) leaves
// Qt's button state down, and the next test's moves would drag.
void ApplicationStateListener::releaseInput()
{
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWidget *grabber = QWidget::keyboardGrabber())
        grabber->releaseKeyboard();
    const Qt::MouseButtons pressed = QApplication::mouseButtons();
    for (int bit = 0; bit < 32; ++bit) {
        const auto button = static_cast<Qt::MouseButton>(1u << bit);
        if (pressed & button)
            QTest::mouseRelease(m_inputSink.get(), button);
    }
    // A spontaneous mouse event also carries the keyboard's modifiers.
    if (QApplication::keyboardModifiers() != Qt::NoModifier)
        QTest::mouseRelease(m_inputSink.get(), Qt::LeftButton);
}
