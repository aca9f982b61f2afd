#include "I18N.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The record is made once per process from the environment, and every test runs
// in a process of its own, so each test sets the environment before first use.

TEST(I18NTest, TheCLocaleReadsAsEnglish)
{
    setenv("LC_ALL", "C", 1);
    const I18N &record = I18N::GetInstance();
    EXPECT_EQ(record.GetLocale(), L"C");
    EXPECT_EQ(record.GetLanguage(), L"en-US");
}

TEST(I18NTest, TheLanguageIsTheLocaleBeforeItsEncoding)
{
    setenv("LC_ALL", "C.UTF-8", 1);
    const I18N &record = I18N::GetInstance();
    EXPECT_EQ(record.GetLocale(), L"C.UTF-8");
    EXPECT_EQ(record.GetLanguage(), L"C");
}

TEST(I18NTest, AnEnvironmentLocaleTheSystemLacksFallsBackToEnglish)
{
    setenv("LC_ALL", "xx_QQ.UTF-8", 1);
    const I18N &record = I18N::GetInstance();
    EXPECT_EQ(record.GetLanguage(), L"en-US");
    EXPECT_EQ(record.GetLocale(), L"");
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
