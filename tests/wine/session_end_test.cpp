// The end of the session (a log-off, a restart, an update's reboot) with a
// strip open: programs save their windows' places as the session ends, so
// everything goes back first, and the end is never held up. Wine has no
// session to end: the messages are sent to Brellox's windows as Windows sends
// them, to every top-level window.
#include "brellox_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kSettings[] = "[Brellox]\r\nHotkey=Ctrl+Alt+B\r\n";

class SessionEnd : public BrelloxTest {
protected:
    // Every top-level window of Brellox's, the owner first.
    std::vector<HWND> BrelloxWindowsToTell() const
    {
        std::vector<HWND> windows = {bars_.owner};
        for (HWND bar : bars_.bars)
            windows.push_back(bar);
        return windows;
    }

    void OpenWithWindowsPushed()
    {
        const EdgeCase &left = kEdgeCases[EdgeLeft];
        window_ = Sample(left.reaches);
        DoubleClick(1, 700);
        const RECT pushed = Moved(left.reaches, left.pushedTo.x, left.pushedTo.y);
        ASSERT_TRUE(ComesTo(window_, pushed));
    }

    // Sends the message as Windows does, waiting a second at most for each
    // answer; false when one did not come from a window that is still there
    // (the end of the session lets Brellox end).
    bool Tell(UINT message, WPARAM wParam, LPARAM lParam, std::vector<LRESULT> *answers)
    {
        for (HWND hwnd : BrelloxWindowsToTell()) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, 1000, &answer))
                answers->push_back(static_cast<LRESULT>(answer));
            else if (IsWindow(hwnd))
                return false;
        }
        return true;
    }

    static bool KeyFree()
    {
        if (!RegisterHotKey(NULL, 3, MOD_CONTROL | MOD_ALT, 'B'))
            return false;
        UnregisterHotKey(NULL, 3);
        return true;
    }

    HWND window_ = NULL;
};

TEST_F(SessionEnd, TheQueryPutsEveryWindowBackAtOnceAndTheEndLetsGoOfEverything)
{
    Start(kSettings);
    ASSERT_FALSE(KeyFree()) << "Brellox holds its hot key";
    OpenWithWindowsPushed();

    std::vector<LRESULT> answers;
    ASSERT_TRUE(Tell(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &answers)) << "each answered within a second";
    for (LRESULT answer : answers)
        EXPECT_EQ(TRUE, answer) << "the end is never refused";
    EXPECT_TRUE(WaitForRect(window_, kEdgeCases[EdgeLeft].reaches)) << "back while its program still runs";
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest));

    answers.clear();
    ASSERT_TRUE(Tell(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, &answers));
    DWORD exitCode = 99;
    EXPECT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &exitCode)) << "it ends as Close ends it";
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(KeyFree());
    EXPECT_TRUE(HasRect(window_, kEdgeCases[EdgeLeft].reaches));
}

// Windows may end the session without asking first (a forced log-off); the
// end itself then puts back whatever is still pushed.
TEST_F(SessionEnd, AnEndWithoutTheQueryStillPutsEveryWindowBack)
{
    Start(kSettings);
    OpenWithWindowsPushed();
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(bars_.owner, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 1000, &answer));
    EXPECT_TRUE(ComesTo(window_, kEdgeCases[EdgeLeft].reaches));
    DWORD exitCode = 99;
    EXPECT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
}

// An end that another program refused (WM_ENDSESSION with FALSE): the session
// goes on, and so does Brellox, with its windows where the query put them.
TEST_F(SessionEnd, ASessionThatGoesOnKeepsBrelloxRunning)
{
    Start(kSettings);
    OpenWithWindowsPushed();
    std::vector<LRESULT> answers;
    ASSERT_TRUE(Tell(WM_QUERYENDSESSION, 0, 0, &answers));
    ASSERT_TRUE(WaitForRect(window_, kEdgeCases[EdgeLeft].reaches));
    ASSERT_TRUE(Tell(WM_ENDSESSION, FALSE, 0, &answers));
    EXPECT_TRUE(HoldsFor([&] { return brellox_->Running(); }, 500));
    EXPECT_FALSE(KeyFree()) << "it keeps its hot key";
    DoubleClick(1, 700);
    const EdgeCase &left = kEdgeCases[EdgeLeft];
    EXPECT_TRUE(WaitForRect(window_, Moved(left.reaches, left.pushedTo.x, left.pushedTo.y))) << "it still opens";
}

} // namespace
