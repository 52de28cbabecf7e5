// A pushed window maximized or minimized by the user before the restore: it
// keeps its state and its place, and comes back at its first place once
// restored. Wine answers another process's placement with stand-ins and sets
// none, so the normal position is checked with Brellox's code on a thread of
// this process, whose windows it then restores; the state is checked with the
// real program too.
#include "brellox_fixture.h"
#include "brellox_thread.h"

#include <gtest/gtest.h>

namespace {

const RECT kFirst = {100, 300, 400, 500};
const RECT kPushed = {150, 300, 450, 500};
const RECT kMonitor = {0, 0, 1024, 768};

bool Covers(const RECT &r, const RECT &monitor)
{
    return r.left <= monitor.left && r.top <= monitor.top && r.right >= monitor.right && r.bottom >= monitor.bottom;
}

::testing::AssertionResult CoversTheMonitor(HWND hwnd)
{
    const RECT r = RectOf(hwnd);
    if (Covers(r, kMonitor))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window at (" << r.left << "," << r.top << ")-(" << r.right << ","
                                         << r.bottom << "), not over the whole monitor";
}

// The normal rectangle its placement holds: where it comes back, restored.
RECT NormalRect(HWND hwnd)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd, &placement);
    return placement.rcNormalPosition;
}

class WindowStates : public BrelloxTest {
protected:
    // Opens the left bar with a double-click and waits until the window is pushed.
    static void OpenLeft(HWND bar, HWND window)
    {
        DoubleClick(1, 700);
        ASSERT_TRUE(WaitForRect(window, kPushed, kStartTimeoutMs)) << HasRect(window, kPushed);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == bar; }, kStartTimeoutMs));
    }

    static bool Restored(HWND bar) { return WaitForRect(bar, kEdgeCases[EdgeLeft].barRest, kStartTimeoutMs); }

    // Its placement holds its first place, where it comes back once restored.
    static void ExpectFirstPlaceOnceRestored(HWND window)
    {
        EXPECT_TRUE(SameRect(NormalRect(window), kFirst)) << "its normal place is its first one";
        ShowWindow(window, SW_RESTORE);
        EXPECT_TRUE(WaitForRect(window, kFirst)) << "restored, back at its first place: " << HasRect(window, kFirst);
    }
};

TEST_F(WindowStates, AWindowMaximizedOrMinimizedWhilePushedKeepsItsStateAndComesBackAtItsFirstPlace)
{
    BrelloxThread brellox("states", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    HWND bar = brellox.Windows().bars[EdgeLeft];
    HWND window = Sample(kFirst);
    HWND other = Sample({600, 300, 900, 500});

    // Maximized by the user, it takes the front: the restore follows at once.
    OpenLeft(bar, window);
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(Restored(bar));
    EXPECT_TRUE(HoldsFor([&] { return IsZoomed(window) && Covers(RectOf(window), kMonitor); }, 300))
        << "still maximized over its monitor: " << CoversTheMonitor(window);
    EXPECT_TRUE(HasRect(other, {600, 300, 900, 500}));
    ExpectFirstPlaceOnceRestored(window);

    // Minimized without taking the front: the bar keeps it until another
    // window is activated.
    OpenLeft(bar, window);
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(window));
    const RECT icon = RectOf(window);
    ClickWindow(other);
    ASSERT_TRUE(Restored(bar));
    EXPECT_TRUE(HoldsFor([&] { return IsIconic(window) && SameRect(RectOf(window), icon); }, 300))
        << "still minimized where its icon was: " << HasRect(window, icon);
    ExpectFirstPlaceOnceRestored(window);
}

// A window maximized before the open is pushed as it stands; the restore
// puts it back where it was, maximized, without touching its normal place.
TEST_F(WindowStates, AWindowMaximizedBeforeTheOpenGoesBackOverItsMonitor)
{
    BrelloxThread brellox("maximized", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    HWND bar = brellox.Windows().bars[EdgeLeft];
    HWND window = Sample(kFirst);
    HWND other = Sample({600, 300, 900, 500});
    ShowWindow(window, SW_SHOWMAXIMIZED);
    const RECT maximized = RectOf(window);
    ASSERT_TRUE(Covers(maximized, kMonitor));
    SetForegroundWindow(other);

    DoubleClick(1, 700);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(window).left == 150; }, kStartTimeoutMs)) << "pushed as it stands";
    ClickWindow(other);
    ASSERT_TRUE(Restored(bar));
    EXPECT_TRUE(ComesTo(window, maximized));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_TRUE(SameRect(NormalRect(window), kFirst)) << "its normal place untouched";
}

// Another program's window: the real program keeps its state and its place.
// Wine keeps such a window's normal place where the push put it, so a second
// window, at its first place, serves the minimized case.
TEST_F(WindowStates, AnotherProgramsWindowMaximizedOrMinimizedWhilePushedKeepsItsStateAndPlace)
{
    Start();
    HWND bar = bars_.bars[EdgeLeft];
    HWND window = Sample(kFirst);
    HWND other = Sample({600, 300, 900, 500});

    OpenLeft(bar, window);
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(Restored(bar));
    EXPECT_TRUE(HoldsFor([&] { return IsZoomed(window) && Covers(RectOf(window), kMonitor); }, 300))
        << CoversTheMonitor(window);
    DestroyWindow(window);

    HWND second = Sample(kFirst);
    OpenLeft(bar, second);
    ShowWindow(second, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(second));
    const RECT icon = RectOf(second);
    ClickWindow(other);
    ASSERT_TRUE(Restored(bar));
    EXPECT_TRUE(HoldsFor([&] { return IsIconic(second) && SameRect(RectOf(second), icon); }, 300))
        << "still minimized where its icon was: " << HasRect(second, icon);
}

} // namespace
