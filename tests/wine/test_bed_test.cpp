// The facts the other Wine tests rely on. When one of these fails, the session
// around the tests is broken, not the program.
#include "harness.h"

#include <gtest/gtest.h>

namespace {

std::string LanguageName()
{
    char name[64] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof(name));
    return name;
}

// The display behind the desktop is larger than 1024x768, so this size is only
// seen from inside Wine's virtual desktop.
TEST(TestBed, RunsInsideTheVirtualDesktop)
{
    EXPECT_EQ(1024, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(75, GetSystemMetrics(SM_CXICONSPACING));
}

TEST(TestBed, DefaultLocaleIsEnglish)
{
    EXPECT_EQ("English", LanguageName());
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
TEST(JapaneseLocale, LanguageCheckSaysJapaneseWithCodePage932)
{
    EXPECT_EQ("Japanese", LanguageName());
    EXPECT_EQ(932u, GetACP());
}

} // namespace
