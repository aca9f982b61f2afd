#include "TrString.h"

#include "AUILibConfig.h"
#include "TranslationFiles.h"

#include <gtest/gtest.h>

using namespace AUILib;

TEST(TrStringTest, CurrentThenDefaultLanguageThenTheFallback)
{
    Sandbox sandbox;
    TranslationFiles files(sandbox);
    SetWorkingDirPath(files.workingDir().toStdWString());
    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeStrings("de-DE", "m", "<string id=\"both\">Beide</string><string id=\"blank\"/>"));
    ASSERT_TRUE(files.writeStrings("en-US", "m",
                                   "<string id=\"both\">Both</string><string id=\"blank\">Blank</string>"
                                   "<string id=\"english\">English</string>"));
    ASSERT_TRUE(files.writeStrings("de-DE", "", "<string id=\"common\">Gemeinsam</string>"));

    struct Case
    {
        const wchar_t *module;
        const wchar_t *id;
        const wchar_t *fallback;
        const wchar_t *text;
    };
    const Case cases[] = {
        {L"m", L"both", L"F", L"Beide"},
        // An empty text in the current language is no text.
        {L"m", L"blank", L"F", L"Blank"},
        {L"m", L"english", L"F", L"English"},
        {L"m", L"unknown", L"F", L"F"},
        {L"m", L"unknown", L"", L""},
        // The common module's texts are not another module's.
        {L"m", L"common", L"F", L"F"},
        {L"", L"common", L"F", L"Gemeinsam"},
    };
    for (const Case &c : cases) {
        const std::wstring text = TrString(c.module, c.id, c.fallback);
        EXPECT_EQ(text, c.text) << QString::fromWCharArray(c.id).toStdString();
    }

    // Resolved once: a change of language leaves an existing one as it was.
    const TrString made(L"m", L"both", L"F");
    ASSERT_TRUE(files.writeStrings("fr-FR", "m", "<string id=\"both\">Les deux</string>"));
    SetCurrentLanguage(L"fr-FR", false);
    EXPECT_EQ(std::wstring(made), L"Beide");
    EXPECT_EQ(std::wstring(TrString(L"m", L"both", L"F")), L"Les deux");
}
