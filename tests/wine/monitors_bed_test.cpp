// The facts the tests of several monitors rely on, in a session started with
// tools/wine-session.sh --monitors: when one of these fails, the session is
// broken, not the program.
#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <vector>

static std::ostream &operator<<(std::ostream &out, const RECT &r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

// The heads the session was started with, as the session names them
// ("1024x768,800x600"); none outside such a session or when the list is bad.
std::vector<SIZE> SessionHeads()
{
    std::vector<SIZE> heads;
    const char *at = std::getenv("BRELLOX_MONITORS");
    while (at != NULL && *at != '\0') {
        SIZE head = {};
        int used = 0;
        if (std::sscanf(at, "%ldx%ld%n", &head.cx, &head.cy, &used) != 2 || head.cx <= 0 || head.cy <= 0)
            return {};
        heads.push_back(head);
        at += used;
        if (*at == ',')
            ++at;
    }
    return heads;
}

struct Monitor {
    RECT rect;
    bool primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<Monitor> *>(list)->push_back(
            {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

// The monitors Windows programs see, from left to right.
std::vector<Monitor> Monitors()
{
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::sort(monitors.begin(), monitors.end(),
              [](const Monitor &a, const Monitor &b) { return a.rect.left < b.rect.left; });
    return monitors;
}

class MultiMonitorBed : public ::testing::Test {
protected:
    void SetUp() override
    {
        heads_ = SessionHeads();
        if (heads_.size() < 2)
            GTEST_SKIP() << "needs a session of several monitors (tools/wine-session.sh --monitors 1024x768,800x600)";
    }

    // Xephyr puts the heads side by side along the top, in the order given.
    RECT HeadRect(size_t index) const
    {
        LONG left = 0;
        for (size_t i = 0; i < index; ++i)
            left += heads_[i].cx;
        return {left, 0, left + heads_[index].cx, heads_[index].cy};
    }

    std::vector<SIZE> heads_;
};

TEST_F(MultiMonitorBed, WindowsProgramsSeeTheHeadsSideBySideWithTheFirstOnePrimary)
{
    const std::vector<Monitor> monitors = Monitors();
    ASSERT_EQ(heads_.size(), monitors.size());
    LONG width = 0, height = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        EXPECT_TRUE(SameRect(HeadRect(i), monitors[i].rect)) << "monitor " << i << " is " << monitors[i].rect;
        EXPECT_EQ(i == 0, monitors[i].primary) << "monitor " << i;
        width += heads_[i].cx;
        height = std::max(height, heads_[i].cy);
    }
    EXPECT_EQ(static_cast<int>(heads_.size()), GetSystemMetrics(SM_CMONITORS));
    // The primary monitor is what programs written for one screen see.
    EXPECT_EQ(heads_[0].cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(heads_[0].cy, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(0, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(0, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// What one window of this process receives from the mouse.
struct MouseSeen {
    int down;
    int doubleClicks;
    POINT lastMove;
    POINT lastDown;
};
MouseSeen g_seen;

LRESULT CALLBACK WatchingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEMOVE:
        g_seen.lastMove = at;
        return 0;
    case WM_LBUTTONDOWN:
        ++g_seen.down;
        g_seen.lastDown = at;
        return 0;
    case WM_LBUTTONDBLCLK:
        ++g_seen.doubleClicks;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(MultiMonitorBed, PointerMovesAndClicksReachAWindowOnTheSecondMonitor)
{
    const char *const targetClass = RegisterTestClass("BrelloxMonitorsBedTarget", WatchingWindowProc, CS_DBLCLKS, NULL,
                                                      LoadCursorA(NULL, IDC_ARROW));
    const RECT second = HeadRect(1);
    const RECT wanted = {second.left + 100, 100, second.left + 300, 200};
    HWND target = CreateWindowExA(WS_EX_TOPMOST, targetClass, "target", WS_POPUP, wanted.left, wanted.top,
                                  wanted.right - wanted.left, wanted.bottom - wanted.top, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, target);
    ShowWindow(target, SW_SHOWNOACTIVATE);
    g_seen = {};
    EXPECT_TRUE(WaitForRect(target, wanted)) << "the window stands at " << RectOf(target);
    MONITORINFO on = {};
    on.cbSize = sizeof(on);
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(target, MONITOR_DEFAULTTONULL), &on));
    EXPECT_TRUE(SameRect(second, on.rcMonitor)) << "the window is on the monitor " << on.rcMonitor;

    // From the middle of the primary monitor across its edge into the window;
    // each move counts once the window system reports the pointer there.
    const RECT primary = HeadRect(0);
    const POINT inside = {wanted.left + 50, wanted.top + 40};
    ASSERT_TRUE(MovePointer((primary.left + primary.right) / 2, 150));
    ASSERT_TRUE(MovePointerThrough({{primary.right - 5, 150}, {second.left + 5, 150}, inside}));
    EXPECT_EQ(target, WindowFromPoint(inside));
    EXPECT_TRUE(WaitUntil([] { return g_seen.lastMove.x == 50 && g_seen.lastMove.y == 40; }, kStartTimeoutMs))
        << "the window saw the pointer last at " << g_seen.lastMove.x << "," << g_seen.lastMove.y;

    ASSERT_NE(target, GetForegroundWindow());
    Click(wanted.left + 150, wanted.top + 70);
    ASSERT_TRUE(WaitUntil([] { return g_seen.down == 1; }, kStartTimeoutMs)) << "the click did not arrive";
    EXPECT_EQ(150, g_seen.lastDown.x);
    EXPECT_EQ(70, g_seen.lastDown.y);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }, kStartTimeoutMs))
        << "the click did not bring the window to the front";

    // Both presses of a double-click land on the same pixel of this monitor.
    DoubleClick(wanted.left + 20, wanted.top + 20);
    EXPECT_TRUE(WaitUntil([] { return g_seen.doubleClicks == 1; }, kStartTimeoutMs));

    // Shown the usual way, a window comes to the front. Wine leaves such a
    // window to the display's window manager, and without one it never sees
    // the window in front and waits 2 s for it to be taken away as it hides:
    // the session has Wine manage every window itself.
    ShowWindow(target, SW_HIDE);
    ShowWindow(target, SW_SHOW);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }, kStartTimeoutMs))
        << "the window shown did not come to the front";
    char managed[8] = "";
    DWORD size = sizeof(managed);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", RRF_RT_REG_SZ,
                                          NULL, managed, &size));
    EXPECT_STREQ("N", managed) << "Wine leaves windows to a window manager the session does not have";
    ShowWindow(target, SW_HIDE);
    DestroyWindow(target);
}

// Tests end with the pointer parked; parked on or near an edge of a monitor, it
// would lie over a bar there and hand the next test's first events to it.
TEST_F(MultiMonitorBed, ThePointerParksWellInsideAMonitor)
{
    ASSERT_TRUE(ParkPointer());
    POINT parked = {};
    ASSERT_TRUE(GetCursorPos(&parked));
    MONITORINFO on = {};
    on.cbSize = sizeof(on);
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(parked, MONITOR_DEFAULTTONULL), &on))
        << "parked off every monitor at " << parked.x << "," << parked.y;
    const RECT &r = on.rcMonitor;
    EXPECT_GE(std::min({parked.x - r.left, r.right - 1 - parked.x, parked.y - r.top, r.bottom - 1 - parked.y}), 10)
        << "parked at " << parked.x << "," << parked.y << " on the monitor " << r;
}

} // namespace
