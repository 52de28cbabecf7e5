// A pushed window maximized or minimized by the user before the restore: it
// keeps its state and its place, and comes back at its first place once
// restored. Wine answers another process's placement with stand-ins and sets
// none, so the normal position is checked with Brellox's code on a thread of
// this process, whose windows it then restores; the state is checked with the
// real program too.
#include "brellox_fixture.h"
#include "brellox_thread.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const RECT kFirst = {100, 300, 400, 500};
const RECT kPushed = {150, 300, 450, 500};
const RECT kMonitor = {0, 0, 1024, 768};
const RECT kOther = {600, 300, 900, 500};

bool Covers(const RECT &r, const RECT &monitor)
{
    return r.left <= monitor.left && r.top <= monitor.top && r.right >= monitor.right && r.bottom >= monitor.bottom;
}

::testing::AssertionResult CoversTheMonitor(HWND hwnd)
{
    const RECT r = RectOf(hwnd);
    if (Covers(r, kMonitor))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window at " << RectText(r) << ", not over the whole monitor";
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
    void TearDown() override
    {
        thread_.reset();
        BrelloxTest::TearDown();
    }

    // Brellox on a thread of this process, its left bar (bar_), the window a
    // test pushes (window_, first at kFirst) and another one (other_, at
    // kOther) to activate.
    void StartOnThread(const char *scratchName)
    {
        thread_ = std::make_unique<BrelloxThread>(scratchName, "[Brellox]\r\n");
        ASSERT_TRUE(thread_->Started());
        bar_ = thread_->Windows().bars[EdgeLeft];
        window_ = Sample(kFirst);
        other_ = Sample(kOther);
    }

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

    // Maximized by the user while pushed, it takes the front: the restore
    // follows at once, and it stays maximized over its monitor.
    static void ExpectMaximizedWhilePushedToStayMaximized(HWND bar, HWND window)
    {
        OpenLeft(bar, window);
        ShowWindow(window, SW_MAXIMIZE);
        ASSERT_TRUE(Restored(bar));
        EXPECT_TRUE(HoldsFor([&] { return IsZoomed(window) && Covers(RectOf(window), kMonitor); }, 300))
            << "still maximized over its monitor: " << CoversTheMonitor(window);
    }

    // Minimized while pushed, without taking the front: the bar keeps it until
    // another window is activated, and it stays minimized where its icon was.
    static void ExpectMinimizedWhilePushedToStayMinimized(HWND bar, HWND window, HWND other)
    {
        OpenLeft(bar, window);
        ShowWindow(window, SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(IsIconic(window));
        const RECT icon = RectOf(window);
        ClickWindow(other);
        ASSERT_TRUE(Restored(bar));
        EXPECT_TRUE(HoldsFor([&] { return IsIconic(window) && SameRect(RectOf(window), icon); }, 300))
            << "still minimized where its icon was: " << HasRect(window, icon);
    }

    std::unique_ptr<BrelloxThread> thread_;
    HWND bar_ = NULL;
    HWND window_ = NULL;
    HWND other_ = NULL;
};

TEST_F(WindowStates, AWindowMaximizedOrMinimizedWhilePushedKeepsItsStateAndComesBackAtItsFirstPlace)
{
    ASSERT_NO_FATAL_FAILURE(StartOnThread("states"));
    ASSERT_NO_FATAL_FAILURE(ExpectMaximizedWhilePushedToStayMaximized(bar_, window_));
    EXPECT_TRUE(HasRect(other_, kOther));
    ExpectFirstPlaceOnceRestored(window_);

    ASSERT_NO_FATAL_FAILURE(ExpectMinimizedWhilePushedToStayMinimized(bar_, window_, other_));
    ExpectFirstPlaceOnceRestored(window_);
}

// A window maximized before the open is pushed as it stands; the restore
// puts it back where it was, maximized, without touching its normal place.
TEST_F(WindowStates, AWindowMaximizedBeforeTheOpenGoesBackOverItsMonitor)
{
    ASSERT_NO_FATAL_FAILURE(StartOnThread("maximized"));
    ShowWindow(window_, SW_SHOWMAXIMIZED);
    const RECT maximized = RectOf(window_);
    ASSERT_TRUE(Covers(maximized, kMonitor));
    SetForegroundWindow(other_);

    DoubleClick(1, 700);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(window_).left == 150; }, kStartTimeoutMs)) << "pushed as it stands";
    ClickWindow(other_);
    ASSERT_TRUE(Restored(bar_));
    EXPECT_TRUE(ComesTo(window_, maximized));
    EXPECT_TRUE(IsZoomed(window_));
    EXPECT_TRUE(SameRect(NormalRect(window_), kFirst)) << "its normal place untouched";
}

// Another program's window: the real program keeps its state and its place.
// Wine keeps such a window's normal place where the push put it, so a second
// window, at its first place, serves the minimized case.
TEST_F(WindowStates, AnotherProgramsWindowMaximizedOrMinimizedWhilePushedKeepsItsStateAndPlace)
{
    Start();
    HWND bar = bars_.bars[EdgeLeft];
    HWND window = Sample(kFirst);
    HWND other = Sample(kOther);
    ASSERT_NO_FATAL_FAILURE(ExpectMaximizedWhilePushedToStayMaximized(bar, window));
    DestroyWindow(window);

    ASSERT_NO_FATAL_FAILURE(ExpectMinimizedWhilePushedToStayMinimized(bar, Sample(kFirst), other));
}

} // namespace
