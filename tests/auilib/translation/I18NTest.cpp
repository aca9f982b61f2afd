#include "I18N.h"

#include "FreshProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The record is made once per process from the environment, so each test sets
// the environment in a fresh process of its own before the first use.

TEST(I18NTest, TheCLocaleReadsAsEnglish)
{
    runInFreshProcess([] {
        setenv("LC_ALL", "C", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"C");
        EXPECT_EQ(record.GetLanguage(), L"en-US");
    });
}

TEST(I18NTest, TheLanguageIsTheLocaleBeforeItsEncoding)
{
    runInFreshProcess([] {
        setenv("LC_ALL", "pt_BR.UTF-8", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"pt_BR.UTF-8");
        EXPECT_EQ(record.GetLanguage(), L"pt_BR");
    });
}

// The portable locales in their other spellings name no language either.
TEST(I18NTest, TheCLocaleWithAnEncodingReadsAsEnglish)
{
    runInFreshProcess([] {
        setenv("LC_ALL", "C.UTF-8", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"C.UTF-8");
        EXPECT_EQ(record.GetLanguage(), L"en-US");
    });
}

TEST(I18NTest, NoLocaleVariableReadsAsEnglish)
{
    runInFreshProcess([] {
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"");
        EXPECT_EQ(record.GetLanguage(), L"en-US");
    });
}

// The language files are the toolkit's own: a locale the system has not
// compiled (none is, on a bare machine) still names the language.
TEST(I18NTest, AnEnvironmentLocaleTheSystemLacksStillNamesTheLanguage)
{
    runInFreshProcess([] {
        setenv("LC_ALL", "xx_QQ.UTF-8", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"xx_QQ.UTF-8");
        EXPECT_EQ(record.GetLanguage(), L"xx_QQ");
    });
}

// With categories set apart the whole locale has no single name; the
// language is the messages locale's.
TEST(I18NTest, MixedCategoriesTakeTheLanguageOfMessages)
{
    runInFreshProcess([] {
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        setenv("LANG", "de_DE.UTF-8", 1);
        setenv("LC_TIME", "en_GB.UTF-8", 1);
        setenv("LC_NUMERIC", "fr_FR.UTF-8", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"de_DE.UTF-8");
        EXPECT_EQ(record.GetLanguage(), L"de_DE");
    });
}

TEST(I18NTest, MessagesComeBeforeLangAndAfterLcAll)
{
    runInFreshProcess([] {
        unsetenv("LC_ALL");
        setenv("LC_MESSAGES", "sv_SE@euro", 1);
        setenv("LANG", "de_DE.UTF-8", 1);
        const I18N &record = I18N::GetInstance();
        EXPECT_EQ(record.GetLocale(), L"sv_SE@euro");
        EXPECT_EQ(record.GetLanguage(), L"sv_SE") << "the modifier is no part of the language";
    });
}

TEST(I18NTest, LcAllOverridesMessages)
{
    runInFreshProcess([] {
        setenv("LC_ALL", "it_IT.UTF-8", 1);
        setenv("LC_MESSAGES", "sv_SE.UTF-8", 1);
        setenv("LANG", "de_DE.UTF-8", 1);
        EXPECT_EQ(I18N::GetInstance().GetLanguage(), L"it_IT");
    });
}

TEST(I18NTest, ChangingTheLanguageAddsTheEncoding)
{
    I18N &record = I18N::GetInstance();
    EXPECT_TRUE(record.ChangeLanguage(L"de-DE", L"UTF-8"));
    EXPECT_EQ(record.GetLocale(), L"de-DE.UTF-8");
    EXPECT_EQ(record.GetLanguage(), L"de-DE");
    // A language with a dot of its own is cut there.
    EXPECT_TRUE(record.SetLocale(L"pt_BR"));
    EXPECT_EQ(record.GetLanguage(), L"pt_BR");
    record.ChangeLanguage(L"a.b", L"UTF-8");
    EXPECT_EQ(record.GetLanguage(), L"a");
}
