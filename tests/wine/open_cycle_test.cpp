// Opens, sweeps and restores for real: Brellox's code runs in its own process
// (the test host) and pushes windows of this process, which keeps answering
// the window system while it waits.
#include "brellox_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class OpenCycle : public BrelloxTest {
protected:
    // Moves a window of the host without activating it, as a drag leaves a bar.
    static void Place(HWND hwnd, int x, int y)
    {
        SetWindowPos(hwnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The test host started with every bar, and its left bar opened over a
    // sample (sample_, first at kSampleAt), which the open pushes to 150.
    void OpenLeftOverASample()
    {
        StartHost(kAllBars);
        sample_ = Sample(kSampleAt);
        Open(EdgeLeft);
        ASSERT_TRUE(WaitForRect(sample_, Moved(kSampleAt, 150, 100)));
    }

    static constexpr RECT kSampleAt = {100, 100, 400, 300};
    HWND sample_ = NULL;
};

class EachEdge : public OpenCycle, public ::testing::WithParamInterface<Edge> {};

TEST_P(EachEdge, OpenPushesWhatReachesTheStripAndAClickIntoItPutsEverythingBack)
{
    const EdgeCase &c = kEdgeCases[GetParam()];
    StartHost(kAllBars);
    HWND reaches = Sample(c.reaches);
    HWND onLine = Sample(c.onLine);
    HWND short_ = Sample(c.short_);
    HWND beyond = Sample(c.beyond);
    HWND bar = bars_.bars[c.edge];
    ASSERT_TRUE(HasRect(bar, c.barRest));

    Open(c.edge);
    ASSERT_TRUE(WaitForRect(reaches, Moved(c.reaches, c.pushedTo.x, c.pushedTo.y))) << HasRect(reaches, c.reaches);
    EXPECT_TRUE(HasRect(bar, c.barOpen));
    EXPECT_TRUE(HasRect(onLine, c.onLine)) << "moved to where it already was";
    EXPECT_TRUE(HasRect(short_, c.short_));
    EXPECT_TRUE(HasRect(beyond, c.beyond));
    EXPECT_EQ(bar, GetForegroundWindow()) << "an open activates its bar";

    ClickWindow(reaches);
    ASSERT_TRUE(WaitForRect(reaches, c.reaches, 2000));
    EXPECT_TRUE(WaitForRect(bar, c.barRest, 1000));
    EXPECT_TRUE(HasRect(onLine, c.onLine));
    EXPECT_TRUE(HasRect(short_, c.short_));

    // The watch stopped with its restore: the bar moved away now stays away.
    Place(bar, 40, 40);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bar).left == 40; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bar).left == 40 && RectOf(bar).top == 40; }, 500));
}

INSTANTIATE_TEST_SUITE_P(LeftRightTopBottom, EachEdge, ::testing::Values(EdgeLeft, EdgeRight, EdgeTop, EdgeBottom));

TEST_F(OpenCycle, LaterSweepsRealignRecordedWindowsAndTheRestoreUsesTheirFirstPositions)
{
    StartHost(kAllBars);
    const RECT first = {100, 50, 500, 250}, second = {250, 400, 450, 600};
    HWND a = Sample(first);
    HWND b = Sample(second);

    Open(EdgeLeft);
    ASSERT_TRUE(WaitForRect(a, Moved(first, 150, 50)));
    EXPECT_TRUE(HasRect(b, second)) << "250 lies beyond the line at 150";

    // The bar dragged to x = 300: the drag end sweeps at its inner edge, 302.
    Place(bars_.bars[EdgeLeft], 300, 0);
    SweepAtBar(EdgeLeft);
    ASSERT_TRUE(WaitForRect(b, Moved(second, 302, 400)));
    EXPECT_TRUE(WaitForRect(a, Moved(first, 302, 50))) << "a recorded window follows the new line";
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {300, 0, 302, 768})) << "a drag end leaves the bar where it was dropped";

    // Back outward: recorded windows follow a line that no longer reaches them.
    Open(EdgeLeft);
    ASSERT_TRUE(WaitForRect(b, Moved(second, 150, 400)));
    EXPECT_TRUE(WaitForRect(a, Moved(first, 150, 50)));

    ClickWindow(b);
    ASSERT_TRUE(WaitForRect(a, first, 2000));
    EXPECT_TRUE(WaitForRect(b, second, 1000));
}

TEST_F(OpenCycle, HiddenAndEmptyWindowsStayPut)
{
    StartHost(kAllBars);
    HWND pushed = Sample({50, 20, 300, 200});
    HWND hidden = Sample({10, 420, 300, 500}, SW_HIDE);
    HWND noWidth = Sample({20, 600, 20, 700}, SW_SHOWNOACTIVATE, WS_POPUP);
    HWND noHeight = Sample({30, 300, 200, 300}, SW_SHOWNOACTIVATE, WS_POPUP);

    Open(EdgeLeft);
    ASSERT_TRUE(WaitForRect(pushed, {150, 20, 400, 200}));
    EXPECT_TRUE(HasRect(hidden, {10, 420, 300, 500}));
    EXPECT_TRUE(HasRect(noWidth, {20, 600, 20, 700}));
    EXPECT_TRUE(HasRect(noHeight, {30, 300, 200, 300}));
}

// Wine keeps a minimised window as a small title bar at the bottom-left corner
// and reports it with the show command SW_SHOWMINIMIZED, not SW_MINIMIZE: its
// rectangle is judged like any window's. (Windows keeps it far off the
// screen, wholly beyond every edge.)
TEST_F(OpenCycle, AMinimisedWindowIsJudgedByTheRectangleItShowsAndStaysMinimised)
{
    StartHost(kAllBars);
    HWND minimised = Sample({60, 40, 300, 400}, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(minimised));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(minimised, &placement);
    ASSERT_EQ(static_cast<UINT>(SW_SHOWMINIMIZED), placement.showCmd);
    const RECT icon = RectOf(minimised);
    ASSERT_GT(icon.bottom, 618) << "it shows in the bottom strip";

    Open(EdgeBottom);
    const RECT pushed = Moved(icon, icon.left, 618 - (icon.bottom - icon.top));
    EXPECT_TRUE(ComesTo(minimised, pushed));
    EXPECT_TRUE(IsIconic(minimised));
    ClickWindow(Sample({600, 100, 900, 300}));
    EXPECT_TRUE(ComesTo(minimised, icon));
    EXPECT_TRUE(IsIconic(minimised));
}

// (No foreground window at all is a case this test bed cannot bring about: Wine
// activates another window as soon as the foreground one goes. The watch rule's
// own unit test covers it.)
TEST_F(OpenCycle, TheBarItselfOrTheShellWindowKeepTheWatchWaiting)
{
    ASSERT_NO_FATAL_FAILURE(OpenLeftOverASample());
    const auto stillOpen = [&] { return SameRect(RectOf(sample_), Moved(kSampleAt, 150, 100)); };

    ASSERT_EQ(bars_.bars[EdgeLeft], GetForegroundWindow());
    EXPECT_TRUE(HoldsFor(stillOpen, 500)) << "its own bar in the foreground";

    // This test bed has no desktop shell: a window of its class and title stands in.
    HWND shell =
        Sample({700, 500, 900, 700}, SW_SHOW, WS_OVERLAPPEDWINDOW, RegisterTestClass("Progman"), "Program Manager");
    SetForegroundWindow(shell);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == shell; }, 1000));
    EXPECT_TRUE(HoldsFor(stillOpen, 500)) << "the desktop shell's window in the foreground";

    ClickWindow(sample_);
    EXPECT_TRUE(WaitForRect(sample_, kSampleAt, 2000));
}

TEST_F(OpenCycle, AnotherBarInTheForegroundRestores)
{
    ASSERT_NO_FATAL_FAILURE(OpenLeftOverASample());
    SetForegroundWindow(bars_.bars[EdgeBottom]);
    EXPECT_TRUE(WaitForRect(sample_, kSampleAt, 2000));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest));
}

// Each open watch restores once its own test passes; a restore by one leaves
// the others running.
TEST_F(OpenCycle, ARestoreByOneWatchLeavesTheOthersRunning)
{
    ASSERT_NO_FATAL_FAILURE(OpenLeftOverASample());

    // The top open activates the top bar: the left watch sees another bar and
    // restores everything; the top watch sees its own bar and waits.
    Open(EdgeTop);
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest, 2000));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeTop], kEdgeCases[EdgeTop].barRest, 1000)) << "the restore parks every bar";
    EXPECT_TRUE(WaitForRect(sample_, kSampleAt, 1000));

    // The top watch still runs: once another window is active it parks the bars again.
    Place(bars_.bars[EdgeTop], 0, 333);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bars_.bars[EdgeTop]).top == 333; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bars_.bars[EdgeTop]).top == 333; }, 300));
    ClickWindow(sample_);
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeTop], kEdgeCases[EdgeTop].barRest, 2000));

    // And then it has stopped too.
    Place(bars_.bars[EdgeTop], 0, 333);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bars_.bars[EdgeTop]).top == 333; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bars_.bars[EdgeTop]).top == 333; }, 500));
}

} // namespace
