#include "AUILibConfig.h"

#include "AUILibLogger.h"
#include "AUILibObjectFactory.h"
#include "BaseGUIObject.h"
#include "FreshProcess.h"
#include "I18N.h"
#include "Sandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace AUILib;

// The configuration lives once per process, made on first use; the tests of
// what the first use does run in a fresh process, before it exists. The others
// find it as it was made (tests/auilib/ApplicationStateListener.h).

TEST(AUILibConfigTest, FirstUseFillsTheFactoryAndSetsTheEnglishLocale)
{
    runInFreshProcess([] {
        EXPECT_EQ(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
        EXPECT_EQ(GetDecimalChar(), '.');
        EXPECT_NE(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
        EXPECT_EQ(QLocale().name(), "en_US");
        EXPECT_EQ(GetWorkingDirPath(), (QCoreApplication::applicationDirPath() + "/").toStdWString());
        EXPECT_EQ(GetCurrentLanguage(), I18N::GetInstance().GetLanguage());
        EXPECT_EQ(GetDefaultLanguage(), L"en-US");
        EXPECT_TRUE(ExpectsEncryptedLanguageFiles());
        EXPECT_EQ(GetReadingDirection(), ReadingDirectionLeftToRight);
        EXPECT_FALSE(GetLayoutRTL());
    });
}

// Both used to need a configuration made by another call first.
TEST(AUILibConfigTest, TheSkinManagerMakesTheConfiguration)
{
    runInFreshProcess([] {
        SkinManager *skin = GetGlobalSkinManager();
        ASSERT_NE(skin, nullptr);
        EXPECT_EQ(skin->GetSkinMode(), SkinModeDefault);
        EXPECT_NE(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
    });
}

TEST(AUILibConfigTest, ReadingDirectionMakesTheConfiguration)
{
    runInFreshProcess([] {
        EXPECT_EQ(GetReadingDirection(), ReadingDirectionLeftToRight);
        EXPECT_NE(AUILibObjectFactory::Instance().Create("QLabel"), nullptr);
    });
}

TEST(AUILibConfigTest, ResourcePaths)
{
    SetWorkingDirPath(L"/opt/app/");
    SetCurrentLanguage(L"de_DE", true);
    EXPECT_EQ(GetTranslationDirPath(false), L"/opt/app/lang/de-DE/");
    EXPECT_EQ(GetTranslationDirPath(true), L"/opt/app/lang/en-US/");
    EXPECT_EQ(GetTranslationFilePath(L"Dialog"), L"/opt/app/lang/de-DE/Dialog_de-DE.ts.ob");
    EXPECT_EQ(GetTranslationFilePath(L""), L"/opt/app/lang/de-DE/de-DE.ts.ob");
    EXPECT_EQ(GetStringsFilePath(L"Dialog", false), L"/opt/app/lang/de-DE/Dialog_strings_de-DE.xml.ob");
    EXPECT_EQ(GetStringsFilePath(L"Dialog", true), L"/opt/app/lang/en-US/Dialog_strings_en-US.xml.ob");
    EXPECT_EQ(GetStringsFilePath(L"", false), L"/opt/app/lang/de-DE/strings_de-DE.xml.ob");
    EXPECT_EQ(GetUiDirPath(L"common"), L"/opt/app/auiresources/common/ui/");
    EXPECT_EQ(GetUiDirPath(L""), L"/opt/app/auiresources/ui/");
    EXPECT_EQ(GetImageDirPath(L"common"), L"/opt/app/auiresources/common/img/");
    EXPECT_EQ(GetImageDirPath(L""), L"/opt/app/auiresources/img/");

    // Plain language files: only through a change of language.
    SetCurrentLanguage(L"de_DE", false);
    EXPECT_TRUE(ExpectsEncryptedLanguageFiles());
    SetCurrentLanguage(L"en-US", false);
    SetCurrentLanguage(L"de_DE", false);
    EXPECT_FALSE(ExpectsEncryptedLanguageFiles());
    EXPECT_EQ(GetTranslationFilePath(L"Dialog"), L"/opt/app/lang/de-DE/Dialog_de-DE.ts");
    EXPECT_EQ(GetStringsFilePath(L"Dialog", false), L"/opt/app/lang/de-DE/Dialog_strings_de-DE.xml");

    // Only the first underscore is turned.
    SetCurrentLanguage(L"pt_BR_x", false);
    EXPECT_EQ(GetTranslationFilePath(L"M"), L"/opt/app/lang/pt-BR_x/M_pt-BR_x.ts");

    // No separator is added to a working directory given without one.
    SetWorkingDirPath(L"/opt/app");
    EXPECT_EQ(GetTranslationDirPath(true), L"/opt/applang/en-US/");
    EXPECT_EQ(GetUiDirPath(L""), L"/opt/appauiresources/ui/");
}

TEST(AUILibConfigTest, TheLanguageSetsLocaleDecimalCharAndReadingDirection)
{
    struct Case
    {
        const wchar_t *language;
        QLocale locale;
        char decimal;
        ReadingDirection direction;
    };
    const Case cases[] = {
        {L"de-DE", QLocale(QLocale::German, QLocale::Germany), ',', ReadingDirectionLeftToRight},
        {L"es-MX", QLocale(QLocale::Spanish, QLocale::AnyCountry), '.', ReadingDirectionLeftToRight},
        {L"es-419", QLocale(QLocale::Spanish, QLocale::AnyCountry), ',', ReadingDirectionLeftToRight},
        {L"ar-SA", QLocale(QLocale::Arabic, QLocale::SaudiArabia), '.', ReadingDirectionRightToLeft},
        {L"nb-NO", QLocale(QLocale::NorwegianBokmal, QLocale::Norway), ',', ReadingDirectionLeftToRight},
        {L"ja-JP", QLocale(QLocale::Japanese, QLocale::Japan), '.', ReadingDirectionLeftToRight},
        // Case matters: not in the list of comma languages.
        {L"de-de", QLocale(QLocale::German, QLocale::Germany), '.', ReadingDirectionLeftToRight},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromWCharArray(c.language).toStdString());
        // What was set alone before is overwritten.
        SetForcedDecimalChar('#');
        SetReadingDirection(ReadingDirectionRightToLeft);
        SetCurrentLanguage(c.language, true);
        EXPECT_EQ(GetCurrentLanguage(), c.language);
        EXPECT_EQ(QLocale(), c.locale);
        EXPECT_EQ(GetDecimalChar(), c.decimal);
        EXPECT_EQ(GetReadingDirection(), c.direction);
        EXPECT_EQ(I18N::GetInstance().GetLocale(), std::wstring(c.language) + L".UTF-8");
    }
}

TEST(AUILibConfigTest, TheCurrentLanguageAgainChangesNothing)
{
    SetCurrentLanguage(L"fr-FR", true);
    SetForcedDecimalChar('#');
    SetReadingDirection(ReadingDirectionRightToLeft);
    SetCurrentLanguage(L"fr-FR", false);
    EXPECT_EQ(GetDecimalChar(), '#');
    EXPECT_EQ(GetReadingDirection(), ReadingDirectionRightToLeft);
    EXPECT_TRUE(ExpectsEncryptedLanguageFiles());
}

TEST(AUILibConfigTest, RadiiIgnoreNegativeValues)
{
    EXPECT_EQ(GetComboboxRadius(), 0);
    EXPECT_EQ(GetCheckboxRadius(), 0);
    EXPECT_EQ(GetEditRadius(), 0);
    EXPECT_EQ(GetContextMenuRadius(), 10);
    SetContextMenuRadius(-1);
    EXPECT_EQ(GetContextMenuRadius(), 10);
    SetContextMenuRadius(0);
    EXPECT_EQ(GetContextMenuRadius(), 0);
    SetComboboxRadius(4);
    SetCheckboxRadius(5);
    SetEditRadius(6);
    SetEditRadius(-6);
    EXPECT_EQ(GetComboboxRadius(), 4);
    EXPECT_EQ(GetCheckboxRadius(), 5);
    EXPECT_EQ(GetEditRadius(), 6);
}

TEST(AUILibConfigTest, SkinsFontAndLayoutSettings)
{
    EXPECT_TRUE(SetGlobalSkinMode(SkinModeDark));
    EXPECT_EQ(GetGlobalSkinMode(), SkinModeDark);
    EXPECT_TRUE(GetGlobalSkinManager()->IsLoaded());
    EXPECT_TRUE(SetGlobalSkinMode(SkinModeHCMDark));
    EXPECT_EQ(GetGlobalSkinMode(), SkinModeDefault);
    EXPECT_FALSE(SetGlobalSkinMode(static_cast<SkinMode>(9)));

    SkinManager custom(SkinModeDark);
    custom.AssignColor(SkinMapGeneral, L"Link_rest", 0xFF123456);
    EXPECT_TRUE(SetGlobalCustomSkin(custom));
    EXPECT_EQ(GetGlobalSkinMode(), SkinModeCustom);
    EXPECT_EQ(GetGlobalSkinManager()->GetSlotColor(103), 0xFF123456u);

    InitSkinColorByMap(SkinMapButtons, {{L"White_BG", 0xFFFFFFFF - 1}});
    EXPECT_EQ(GetXMLSkinManager()->GetSlotColor(81), 0xFFFFFFFEu);
    EXPECT_TRUE(GetXMLSkinManager()->IsColorsFromMap());
    EXPECT_NE(GetXMLSkinManager(), GetGlobalSkinManager());

    // Every control hands out the global manager and keeps no mode of its own.
    struct Plain : BaseGUIObject
    {
        bool Create(QWidget *) override { return false; }
        std::shared_ptr<BaseImpl> GetBaseImpl() const override { return nullptr; }
    } control;
    EXPECT_EQ(control.GetSkinManager(), GetGlobalSkinManager());
    EXPECT_FALSE(control.SetSkinMode(SkinModeDark, true));

    std::shared_ptr<logFont> font = GetFontInfo();
    EXPECT_EQ(font->height, 90);
    EXPECT_EQ(font->faceName, L"Tahoma");
    font->faceName = L"Other";
    EXPECT_EQ(GetFontInfo()->faceName, L"Other");

    SetLayoutRTL(true);
    EXPECT_TRUE(GetLayoutRTL());
}

TEST(AUILibConfigTest, WideStringsToUtf8)
{
    EXPECT_EQ(WStringToUtf8(L""), "");
    EXPECT_EQ(WStringToUtf8(L"a\u00e9\u20ac\U0001F600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    EXPECT_EQ(WStringToUtf8(std::wstring(1, wchar_t(0x10FFFF))), "\xf4\x8f\xbf\xbf");
    EXPECT_THROW(WStringToUtf8(std::wstring(1, wchar_t(0xD800))), std::range_error);
    EXPECT_THROW(WStringToUtf8(std::wstring(1, wchar_t(0x110000))), std::range_error);
}

class WriteLogToFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AUILibLogger::GetInstance().Clear();
        AUILibLogger::GetInstance().LogInfo(L"a");
        AUILibLogger::GetInstance().LogError(L"\u00e9t\u00e9 \u4e2d");
    }
    void TearDown() override { AUILibLogger::GetInstance().Clear(); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    Sandbox sandbox;
};

// Non-ASCII text used to fail the stream and leave an empty file.
TEST_F(WriteLogToFileTest, WritesTheLogAsUtf8AndTruncates)
{
    const QString path = sandbox.base() + "/log.txt";
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200, 'x'));
    old.close();

    WriteLogToFile(path.toStdString());
    EXPECT_EQ(read(path), QByteArray("Info: a\nError: \xc3\xa9t\xc3\xa9 \xe4\xb8\xad\n"));
}

TEST_F(WriteLogToFileTest, WidePathsAreUtf8)
{
    const QString path = sandbox.base() + QString::fromWCharArray(L"/\u00e9t\u00e9.log");
    WriteLogToFile(path.toStdWString());
    EXPECT_EQ(read(path), QByteArray("Info: a\nError: \xc3\xa9t\xc3\xa9 \xe4\xb8\xad\n"));
    EXPECT_THROW(WriteLogToFile(std::wstring(1, wchar_t(0xDC00))), std::range_error);
}

TEST_F(WriteLogToFileTest, AStreamThatCannotTakeItGetsNothing)
{
    EXPECT_NO_THROW(WriteLogToFile((sandbox.base() + "/missing/log.txt").toStdString()));
    EXPECT_FALSE(QFile::exists(sandbox.base() + "/missing/log.txt"));

    std::wofstream closed;
    EXPECT_NO_THROW(WriteLogToFile(closed));

    const QString path = sandbox.base() + "/failed.txt";
    std::wofstream failed(path.toStdString());
    failed.setstate(std::ios::failbit);
    WriteLogToFile(failed);
    failed.close();
    EXPECT_EQ(read(path), QByteArray());
}
