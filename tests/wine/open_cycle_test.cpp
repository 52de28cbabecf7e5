// Opens, sweeps and restores for real: Brellox's code runs in its own process
// (the test host) and pushes windows of this process, which keeps answering
// the window system while it waits.
#include "harness.h"
#include "host_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const char kSampleClass[] = "BrelloxSweepSample";
const char kAllBars[] = "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\n";

enum { LEFT, RIGHT, TOP, BOTTOM };

RECT RectOf(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

bool SameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT Moved(const RECT &r, LONG x, LONG y)
{
    return {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

::testing::AssertionResult HasRect(HWND hwnd, const RECT &expected)
{
    RECT actual = RectOf(hwnd);
    if (SameRect(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window at (" << actual.left << "," << actual.top << ")-(" << actual.right
                                         << "," << actual.bottom << "), expected (" << expected.left << ","
                                         << expected.top << ")-(" << expected.right << "," << expected.bottom << ")";
}

// Holds for the whole time unless the condition breaks; for what must not happen.
bool HoldsFor(const std::function<bool()> &condition, DWORD ms)
{
    return !WaitUntil([&] { return !condition(); }, ms);
}

class OpenCycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllBrellox();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kSampleClass;
        RegisterClassA(&wc);
    }

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
        control_ = FindProcessWindow(host_->Id(), HOST_CONTROL_CLASS, NULL);
        ASSERT_NE(nullptr, control_);
    }

    HWND Sample(const RECT &r, int show = SW_SHOWNOACTIVATE, const char *cls = kSampleClass, const char *title = "")
    {
        HWND hwnd = CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, NULL, NULL, GetModuleHandleA(NULL), NULL);
        if (show != SW_HIDE)
            ShowWindow(hwnd, show);
        samples_.push_back(hwnd);
        PumpMessages();
        return hwnd;
    }

    void Open(int edge) { PostMessageA(control_, HOST_OPEN_EDGE, edge, 0); }
    void SweepAtBar(int edge) { PostMessageA(control_, HOST_SWEEP_AT_BAR, edge, 0); }

    bool WaitForRect(HWND hwnd, const RECT &expected, DWORD ms = 3000)
    {
        return WaitUntil([&] { return SameRect(RectOf(hwnd), expected); }, ms);
    }

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
    EXPECT_LT(restoredAfter, 1000u) << "a watch ticks every 100 ms";

    // The watch stopped with its restore: the bar moved away now stays away.
    Place(bar, 40, 40);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(bar).left == 40; }, 1000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(bar).left == 40 && RectOf(bar).top == 40; }, 500));
}

INSTANTIATE_TEST_SUITE_P(LeftRightTopBottom, EachEdge, ::testing::Range(0, 4));

} // namespace
