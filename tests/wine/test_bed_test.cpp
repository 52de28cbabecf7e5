// The facts the other Wine tests rely on. When one of these fails, the session
// around the tests is broken, not the program.
#include "harness.h"

#include <gtest/gtest.h>

namespace {

// The first button press of a session can land where Wine last saw the pointer
// before the session moved it, not where it is: one click on the bare desktop
// before any test uses that up, so no test's first click goes astray.
class FirstClickOnTheDesktop : public ::testing::Environment {
public:
    void SetUp() override
    {
        ParkPointer();
        Click(990, 740);
        ParkPointer();
    }
};

[[maybe_unused]] ::testing::Environment *const kFirstClick =
    ::testing::AddGlobalTestEnvironment(new FirstClickOnTheDesktop);

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

// Counts the clicks and double-clicks one window receives.
struct ClickCounts {
    int down;
    int doubleClicks;
    POINT last;
};
ClickCounts g_clicks;

LRESULT CALLBACK CountingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        ++(message == WM_LBUTTONDOWN ? g_clicks.down : g_clicks.doubleClicks);
        g_clicks.last = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(TestBed, PointerMovesAndClicksReachAWindow)
{
    const char *const targetClass = RegisterTestClass("BrelloxTestBedTarget", CountingWindowProc, CS_DBLCLKS);
    HWND target = CreateWindowExA(WS_EX_TOPMOST, targetClass, "target", WS_POPUP | WS_VISIBLE, 300, 200, 200, 100, NULL,
                                  NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, target);
    g_clicks = {};

    // MovePointer returns true only once the window system reports the pointer there.
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(MovePointer(100 + 150 * i, 700 - 100 * i)) << "the pointer did not arrive";

    Click(350, 230);
    EXPECT_TRUE(WaitUntil([] { return g_clicks.down == 1; }, kStartTimeoutMs));
    EXPECT_EQ(50, g_clicks.last.x);
    EXPECT_EQ(30, g_clicks.last.y);

    DoubleClick(400, 250);
    EXPECT_TRUE(WaitUntil([] { return g_clicks.doubleClicks == 1; }, kStartTimeoutMs));
    DestroyWindow(target);
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
TEST(JapaneseLocale, LanguageCheckSaysJapaneseWithCodePage932)
{
    EXPECT_EQ("Japanese", LanguageName());
    EXPECT_EQ(932u, GetACP());
}

} // namespace
