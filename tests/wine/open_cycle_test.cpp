// Opens, sweeps and restores for real: Brellox's code runs in its own process
// (the test host) and pushes windows of this process, which keeps answering
// the window system while it waits.
#include "harness.h"
#include "host_control.h"
#include "window_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char kAllBars[] = "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\n";

enum { LEFT, RIGHT, TOP, BOTTOM };

RECT Moved(const RECT &r, LONG x, LONG y)
{
    return {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

class OpenCycle : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }

    void TearDown() override
    {
        for (HWND sample : samples_)
            DestroyWindow(sample);
        host_.reset();
        EndAllBrellox();
    }

    void StartHost(const std::string &settings)
    {
        const std::string dir = MakeScratchDirectory("open");
        WriteTextFile(dir + "\\Brellox.ini", settings);
        host_ = std::make_unique<BrelloxProcess>(dir, HostExePath());
        ASSERT_TRUE(host_->Started()) << HostExePath();
        bars_ = host_->WaitForWindows();
        ASSERT_TRUE(bars_.Complete());
        control_ = WaitForHostControl(host_->Id());
        ASSERT_NE(nullptr, control_);
    }

    HWND Sample(const RECT &r, int show = SW_SHOWNOACTIVATE, DWORD style = WS_OVERLAPPEDWINDOW,
                const char *className = NULL, const char *title = "")
    {
        HWND hwnd = CreateSampleWindow(r, title, style, show, className);
        samples_.push_back(hwnd);
        return hwnd;
    }

    void Open(int edge) { PostMessageA(control_, HOST_OPEN_EDGE, edge, 0); }
    void SweepAtBar(int edge) { PostMessageA(control_, HOST_SWEEP_AT_BAR, edge, 0); }

    // Moves a window of the host without activating it, as a drag leaves a bar.
    static void Place(HWND hwnd, int x, int y)
    {
        SetWindowPos(hwnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Activates a window the way a user does: a click into it.
    static void ClickInto(HWND hwnd)
    {
        RECT r = RectOf(hwnd);
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    RECT BarRest(int edge) const
    {
        const RECT rest[4] = {{0, 0, 2, 768}, {1022, 0, 1024, 768}, {0, 0, 1024, 2}, {0, 766, 1024, 768}};
        return rest[edge];
    }

    std::unique_ptr<BrelloxProcess> host_;
    BrelloxWindows bars_ = {};
    HWND control_ = NULL;
    std::vector<HWND> samples_;
};

struct EdgeCase {
    int edge;
    RECT barOpen;   // where the open puts the bar
    RECT reaches;   // a window reaching into the strip
    POINT pushedTo; // where the open puts it
    RECT onLine;    // a window whose edge lies exactly on the line
    RECT short_;    // a window just short of the line
    RECT beyond;    // a window wholly beyond the screen edge
};

// On 1024x768 with an icon spacing of 75 and OpenWidth 2: lines at 150, 874, 150 and 618.
const EdgeCase kEdgeCases[4] = {
    {LEFT,
     {150, 0, 152, 768},
     {100, 50, 500, 400},
     {150, 50},
     {150, 620, 400, 700},
     {151, 420, 551, 600},
     {-300, 100, -1, 200}},
    {RIGHT,
     {874, 0, 876, 768},
     {700, 10, 900, 300},
     {674, 10},
     {600, 620, 874, 700},
     {500, 300, 873, 500},
     {1025, 100, 1200, 200}},
    {TOP,
     {0, 150, 1024, 152},
     {10, 120, 300, 400},
     {10, 150},
     {620, 150, 900, 300},
     {400, 151, 600, 300},
     {100, -300, 300, -1}},
    {BOTTOM,
     {0, 618, 1024, 620},
     {10, 500, 300, 700},
     {10, 418},
     {620, 300, 900, 618},
     {400, 300, 600, 617},
     {100, 769, 300, 900}},
};

class EachEdge : public OpenCycle, public ::testing::WithParamInterface<int> {};

TEST_P(EachEdge, OpenPushesWhatReachesTheStripAndAClickIntoItPutsEverythingBack)
{
    const EdgeCase &c = kEdgeCases[GetParam()];
    StartHost(kAllBars);
    HWND reaches = Sample(c.reaches);
    HWND onLine = Sample(c.onLine);
    HWND short_ = Sample(c.short_);
    HWND beyond = Sample(c.beyond);
    HWND bar = bars_.bars[c.edge];
    ASSERT_TRUE(HasRect(bar, BarRest(c.edge)));

    Open(c.edge);
    ASSERT_TRUE(WaitForRect(reaches, Moved(c.reaches, c.pushedTo.x, c.pushedTo.y))) << HasRect(reaches, c.reaches);
    EXPECT_TRUE(HasRect(bar, c.barOpen));
    EXPECT_TRUE(HasRect(onLine, c.onLine)) << "moved to where it already was";
    EXPECT_TRUE(HasRect(short_, c.short_));
    EXPECT_TRUE(HasRect(beyond, c.beyond));
    EXPECT_EQ(bar, GetForegroundWindow()) << "an open activates its bar";

    const DWORD clicked = GetTickCount();
    ClickInto(reaches);
    ASSERT_TRUE(WaitForRect(reaches, c.reaches, 2000));
    const DWORD restoredAfter = GetTickCount() - clicked;
    EXPECT_TRUE(WaitForRect(bar, BarRest(c.edge), 1000));
    EXPECT_TRUE(HasRect(onLine, c.onLine));
    EXPECT_TRUE(HasRect(short_, c.short_));
    EXPECT_LT(restoredAfter, 500u) << "a watch ticks every 100 ms";

    // The watch stopped with its restore: the bar moved away now stays away.
    Place(bar, 40, 40);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bar).left == 40; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bar).left == 40 && RectOf(bar).top == 40; }, 500));
}

INSTANTIATE_TEST_SUITE_P(LeftRightTopBottom, EachEdge, ::testing::Range(0, 4));

TEST_F(OpenCycle, LaterSweepsRealignRecordedWindowsAndTheRestoreUsesTheirFirstPositions)
{
    StartHost(kAllBars);
    const RECT first = {100, 50, 500, 250}, second = {250, 400, 450, 600};
    HWND a = Sample(first);
    HWND b = Sample(second);

    Open(LEFT);
    ASSERT_TRUE(WaitForRect(a, Moved(first, 150, 50)));
    EXPECT_TRUE(HasRect(b, second)) << "250 lies beyond the line at 150";

    // The bar dragged to x = 300: the drag end sweeps at its inner edge, 302.
    Place(bars_.bars[LEFT], 300, 0);
    SweepAtBar(LEFT);
    ASSERT_TRUE(WaitForRect(b, Moved(second, 302, 400)));
    EXPECT_TRUE(WaitForRect(a, Moved(first, 302, 50))) << "a recorded window follows the new line";
    EXPECT_TRUE(HasRect(bars_.bars[LEFT], {300, 0, 302, 768})) << "a drag end leaves the bar where it was dropped";

    // Back outward: recorded windows follow a line that no longer reaches them.
    Open(LEFT);
    ASSERT_TRUE(WaitForRect(b, Moved(second, 150, 400)));
    EXPECT_TRUE(WaitForRect(a, Moved(first, 150, 50)));

    ClickInto(b);
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

    Open(LEFT);
    ASSERT_TRUE(WaitForRect(pushed, {150, 20, 400, 200}));
    EXPECT_TRUE(HasRect(hidden, {10, 420, 300, 500}));
    EXPECT_TRUE(HasRect(noWidth, {20, 600, 20, 700}));
    EXPECT_TRUE(HasRect(noHeight, {30, 300, 200, 300}));
}

// Wine keeps a minimised window at the bottom-left corner and reports it with
// the show command SW_SHOWMINIMIZED, so its rectangle decides: it lies outside
// the top strip. (Windows keeps it far off the screen, outside every strip.)
TEST_F(OpenCycle, MinimisedWindowStaysPut)
{
    StartHost(kAllBars);
    HWND pushed = Sample({300, 20, 500, 200});
    HWND minimised = Sample({60, 40, 300, 400}, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(minimised));
    const RECT before = RectOf(minimised);

    Open(TOP);
    ASSERT_TRUE(WaitForRect(pushed, {300, 150, 500, 330}));
    EXPECT_TRUE(HasRect(minimised, before));
    EXPECT_TRUE(IsIconic(minimised));
}

// (No foreground window at all is a case this test bed cannot bring about: Wine
// activates another window as soon as the foreground one goes. The watch rule's
// own unit test covers it.)
TEST_F(OpenCycle, TheBarItselfOrTheShellWindowKeepTheWatchWaiting)
{
    StartHost(kAllBars);
    const RECT r = {100, 100, 400, 300};
    HWND sample = Sample(r);
    Open(LEFT);
    ASSERT_TRUE(WaitForRect(sample, Moved(r, 150, 100)));
    const auto stillOpen = [&] { return SameRect(RectOf(sample), Moved(r, 150, 100)); };

    ASSERT_EQ(bars_.bars[LEFT], GetForegroundWindow());
    EXPECT_TRUE(HoldsFor(stillOpen, 500)) << "its own bar in the foreground";

    // This test bed has no desktop shell: a window of its class and title stands in.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "Progman";
    RegisterClassA(&wc);
    HWND shell = Sample({700, 500, 900, 700}, SW_SHOW, WS_OVERLAPPEDWINDOW, "Progman", "Program Manager");
    SetForegroundWindow(shell);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == shell; }, 1000));
    EXPECT_TRUE(HoldsFor(stillOpen, 500)) << "the desktop shell's window in the foreground";

    ClickInto(sample);
    EXPECT_TRUE(WaitForRect(sample, r, 2000));
}

TEST_F(OpenCycle, AnotherBarInTheForegroundRestores)
{
    StartHost(kAllBars);
    const RECT r = {100, 100, 400, 300};
    HWND sample = Sample(r);
    Open(LEFT);
    ASSERT_TRUE(WaitForRect(sample, Moved(r, 150, 100)));
    SetForegroundWindow(bars_.bars[BOTTOM]);
    EXPECT_TRUE(WaitForRect(sample, r, 2000));
    EXPECT_TRUE(HasRect(bars_.bars[LEFT], BarRest(LEFT)));
}

// Each open watch restores once its own test passes; a restore by one leaves
// the others running.
TEST_F(OpenCycle, ARestoreByOneWatchLeavesTheOthersRunning)
{
    StartHost(kAllBars);
    const RECT r = {100, 100, 400, 300};
    HWND sample = Sample(r);
    Open(LEFT);
    ASSERT_TRUE(WaitForRect(sample, Moved(r, 150, 100)));

    // The top open activates the top bar: the left watch sees another bar and
    // restores everything; the top watch sees its own bar and waits.
    Open(TOP);
    ASSERT_TRUE(WaitForRect(bars_.bars[LEFT], BarRest(LEFT), 2000));
    EXPECT_TRUE(WaitForRect(bars_.bars[TOP], BarRest(TOP), 1000)) << "the restore parks every bar";
    EXPECT_TRUE(WaitForRect(sample, r, 1000));

    // The top watch still runs: once another window is active it parks the bars again.
    Place(bars_.bars[TOP], 0, 333);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bars_.bars[TOP]).top == 333; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bars_.bars[TOP]).top == 333; }, 300));
    ClickInto(sample);
    EXPECT_TRUE(WaitForRect(bars_.bars[TOP], BarRest(TOP), 2000));

    // And then it has stopped too.
    Place(bars_.bars[TOP], 0, 333);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bars_.bars[TOP]).top == 333; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bars_.bars[TOP]).top == 333; }, 500));
}

} // namespace
