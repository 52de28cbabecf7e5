// What a real desktop holds besides ordinary windows: the shell's own windows
// and overlays that clicks pass through, windows moved by their caption, and
// full-screen programs; and a restore the moment another window is activated.
#include "brellox_fixture.h"
#include "stalling_window.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RealDesktop : public BrelloxTest {
protected:
    void TearDown() override
    {
        dragged_.reset();
        BrelloxTest::TearDown();
    }

    // A window of this process of a class named as the shell names its own.
    HWND StandIn(const char *className, const RECT &r, const char *title = "")
    {
        RegisterTestClass(className, DefWindowProcA, 0, reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1));
        return Sample(r, SW_SHOWNOACTIVATE, WS_POPUP, className, title);
    }

    // The icon view the shell's icon host holds.
    static void HoldIconView(HWND host)
    {
        const RECT r = RectOf(host);
        CreateWindowExA(0, RegisterTestClass("SHELLDLL_DefView"), "", WS_CHILD | WS_VISIBLE, 0, 0, r.right - r.left,
                        r.bottom - r.top, host, NULL, GetModuleHandleA(NULL), NULL);
    }

    // Sends a command to the host and returns once it has run to its end.
    // Meanwhile this thread carries out every move the host makes of its
    // windows, since a thread waiting for a sent message takes those in.
    void RunOnHost(UINT command, WPARAM wParam = 0) const
    {
        DWORD_PTR result = 0;
        ASSERT_NE(0, SendMessageTimeoutA(control_, command, wParam, 0, SMTO_NORMAL, kStartTimeoutMs, &result));
    }

    bool BarsHidden() const
    {
        for (HWND bar : bars_.bars) {
            if (IsWindowVisible(bar))
                return false;
        }
        return true;
    }

    // Every bar shown at rest above the windows that are not topmost.
    bool BarsAtRest() const
    {
        for (const EdgeCase &c : kEdgeCases) {
            HWND bar = bars_.bars[c.edge];
            if (!IsWindowVisible(bar) || !SameRect(RectOf(bar), c.barRest) ||
                !(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_TOPMOST))
                return false;
        }
        return true;
    }

    std::unique_ptr<StallingWindow> dragged_;
};

// On Windows the icon view's host covers the whole screen and the taskbar is
// a topmost window along an edge: pushed, the icons would move under the
// pushed windows again and the taskbar half off the screen. An overlay that
// clicks pass through (a screen dimmer, a recording frame) hides no icon.
TEST_F(RealDesktop, ShellWindowsAndClickThroughOverlaysStayWhereTheyAreWhileOrdinaryWindowsArePushed)
{
    StartHost(kAllBars);
    const RECT screen = {0, 0, 1024, 768};
    HWND progman = StandIn("Progman", screen, "Program Manager");
    HoldIconView(progman);
    HWND workerW = StandIn("WorkerW", screen);
    HoldIconView(workerW);
    const RECT trayAt = {0, 728, 1024, 768};
    HWND tray = StandIn("Shell_TrayWnd", trayAt);
    SetWindowPos(tray, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const RECT overlayAt = {20, 560, 220, 700};
    HWND overlay = Sample(overlayAt, SW_HIDE, WS_POPUP);
    SetWindowLongA(overlay, GWL_EXSTYLE, GetWindowLongA(overlay, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(overlay, 0, 96, LWA_ALPHA);
    ShowWindow(overlay, SW_SHOWNOACTIVATE);
    const RECT leftAt = {60, 200, 360, 400}, bottomAt = {500, 450, 800, 700};
    HWND left = Sample(leftAt);
    HWND bottom = Sample(bottomAt);

    auto shellUntouched = [&] {
        return HasRect(progman, screen) && HasRect(workerW, screen) && HasRect(tray, trayAt) &&
               HasRect(overlay, overlayAt);
    };
    RunOnHost(HOST_OPEN_EDGE, EdgeLeft);
    ASSERT_TRUE(HasRect(left, Moved(leftAt, 150, 200)));
    EXPECT_TRUE(HasRect(progman, screen));
    EXPECT_TRUE(HasRect(workerW, screen));
    EXPECT_TRUE(HasRect(tray, trayAt));
    EXPECT_TRUE(HasRect(overlay, overlayAt));
    ClickWindow(left);
    ASSERT_TRUE(WaitForRect(left, leftAt, kStartTimeoutMs));
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest, kStartTimeoutMs));

    RunOnHost(HOST_OPEN_EDGE, EdgeBottom);
    ASSERT_TRUE(HasRect(bottom, Moved(bottomAt, 500, 368)));
    EXPECT_TRUE(HasRect(progman, screen));
    EXPECT_TRUE(HasRect(workerW, screen));
    EXPECT_TRUE(HasRect(tray, trayAt)) << "the taskbar along the bottom edge";
    EXPECT_TRUE(HasRect(overlay, overlayAt));
    EXPECT_TRUE(HasRect(left, leftAt)) << "not in the bottom strip";
    ClickWindow(bottom);
    ASSERT_TRUE(WaitForRect(bottom, bottomAt, kStartTimeoutMs));
    EXPECT_TRUE(shellUntouched());
}

// A move loop holds the mouse capture as a drag-and-drop does, but it is the
// program's own business: the watch restores at the activation, and the loop
// then puts the window where the user drops it. The desktop is in front when
// the drag starts, so no bar loses the front to it, and the foreground event
// is left out: only the watch's tick, inside the loop, can restore.
TEST_F(RealDesktop, APushedWindowDraggedByItsCaptionStaysWhereItIsDropped)
{
    StartHost(kAllBars);
    const RECT first = {60, 200, 360, 400};
    dragged_ = std::make_unique<StallingWindow>(std::vector<RECT>{first});
    HWND window = dragged_->Window();
    ASSERT_NE(nullptr, window);
    PostMessageA(control_, HOST_WATCH_BY_TIMER, 0, 0);
    Open(EdgeLeft);
    const RECT pushed = Moved(first, 150, 200);
    ASSERT_TRUE(WaitForRect(window, pushed));
    Click(700, 650);
    ASSERT_TRUE(WaitUntil([] { return GetForegroundWindow() == GetDesktopWindow(); }, kStartTimeoutMs));
    ASSERT_TRUE(HoldsFor([&] { return HasRect(window, pushed); }, 300)) << "the desktop keeps the windows away";

    const POINT caption = {pushed.left + 120, pushed.top + 10};
    ASSERT_TRUE(PressToDrag(window, caption.x, caption.y));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest, kStartTimeoutMs))
        << "the activation restores while the loop runs";
    EXPECT_TRUE(WaitForRect(window, first, kStartTimeoutMs)) << "put back until the pointer moves";
    ASSERT_TRUE(MovePointerThrough({{caption.x + 60, caption.y + 40}, {caption.x + 200, caption.y + 100}}));
    ASSERT_TRUE(ReleaseDrag(window));
    ASSERT_TRUE(dragged_->WaitUntilAnswering());
    const RECT dropped = RectOf(window);
    EXPECT_FALSE(SameRect(dropped, first)) << "dropped away from where it stood before the open";
    EXPECT_EQ(first.right - first.left, dropped.right - dropped.left);
    EXPECT_TRUE(StaysAt(window, dropped, 500));
}

// A video, slides or a game over the whole screen has no bar over it; a
// maximised window with its caption keeps them.
TEST_F(RealDesktop, BarsStandAsideForAFullScreenProgramAndComeBackAtRestWhenItLeavesTheFront)
{
    StartHost(kAllBars);
    ASSERT_TRUE(BarsAtRest());
    HWND fullScreen = Sample({0, 0, 1024, 768}, SW_SHOWNOACTIVATE, WS_POPUP);
    HWND maximised = Sample({100, 100, 500, 400}, SW_SHOWNOACTIVATE);
    HWND ordinary = Sample({600, 300, 900, 500});

    ASSERT_TRUE(SetForegroundWindow(fullScreen));
    EXPECT_TRUE(WaitUntil([&] { return BarsHidden(); }, kStartTimeoutMs)) << "the bars stand aside";

    ShowWindow(maximised, SW_SHOWMAXIMIZED);
    ASSERT_EQ(maximised, GetForegroundWindow());
    EXPECT_TRUE(WaitUntil([&] { return BarsAtRest(); }, kStartTimeoutMs)) << "a maximised window keeps the bars";

    ASSERT_TRUE(SetForegroundWindow(fullScreen));
    ASSERT_TRUE(WaitUntil([&] { return BarsHidden(); }, kStartTimeoutMs));
    // A bar opened while it stood aside would show over the program: none
    // can be, since a hidden bar takes no double-click and no held button.
    ASSERT_TRUE(SetForegroundWindow(ordinary));
    EXPECT_TRUE(WaitUntil([&] { return BarsAtRest(); }, kStartTimeoutMs)) << "back at rest";
    EXPECT_EQ(ordinary, GetForegroundWindow()) << "coming back activates no bar";

    // A video's full-screen button: the window in front loses its caption
    // and grows over the whole screen, and back.
    const LONG style = GetWindowLongA(ordinary, GWL_STYLE);
    SetWindowLongA(ordinary, GWL_STYLE, (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    SetWindowPos(ordinary, NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(WaitUntil([&] { return BarsHidden(); }, kStartTimeoutMs)) << "full screen while in front";
    SetWindowLongA(ordinary, GWL_STYLE, style);
    SetWindowPos(ordinary, NULL, 600, 300, 300, 200, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(WaitUntil([&] { return BarsAtRest(); }, kStartTimeoutMs)) << "and back";
}

// Browsers, editors and chat programs draw their own caption: a pop-up with a
// sizing frame. Maximized, it covers its monitor (with an auto-hidden taskbar
// on Windows) while the user works in it: the bars stay. A borderless window
// over the whole screen that is not maximized is a full-screen program.
TEST_F(RealDesktop, AMaximizedWindowWithoutACaptionKeepsTheBarsAndAFullScreenOneSetsThemAside)
{
    StartHost(kAllBars);
    HWND drawsItsCaption = Sample({100, 100, 500, 400}, SW_SHOWNOACTIVATE, WS_POPUP | WS_THICKFRAME);
    HWND fullScreen = Sample({0, 0, 1024, 768}, SW_SHOWNOACTIVATE, WS_POPUP);
    ASSERT_TRUE(BarsAtRest());

    ShowWindow(drawsItsCaption, SW_SHOWMAXIMIZED);
    ASSERT_EQ(drawsItsCaption, GetForegroundWindow());
    ASSERT_TRUE(IsZoomed(drawsItsCaption));
    const RECT maximized = RectOf(drawsItsCaption);
    ASSERT_TRUE(maximized.left <= 0 && maximized.top <= 0 && maximized.right >= 1024 && maximized.bottom >= 768)
        << "it covers the monitor: " << HasRect(drawsItsCaption, {0, 0, 1024, 768});
    // The bars look at the window in front once a second at most.
    EXPECT_TRUE(HoldsFor([&] { return BarsAtRest(); }, 1500)) << "the bars stay above it";

    ASSERT_TRUE(SetForegroundWindow(fullScreen));
    EXPECT_TRUE(WaitUntil([&] { return BarsHidden(); }, kStartTimeoutMs)) << "a full-screen program sets them aside";
    ASSERT_TRUE(SetForegroundWindow(drawsItsCaption));
    EXPECT_TRUE(WaitUntil([&] { return BarsAtRest(); }, kStartTimeoutMs)) << "and back above the maximized one";
}

// The watch timer ticks every 100 ms; the activation itself restores. With
// the timers stopped, only the foreground event can put the windows back.
TEST_F(RealDesktop, AnActivationRestoresWithoutWaitingForTheWatchTimer)
{
    StartHost(kAllBars);
    const RECT first = {60, 200, 360, 400};
    HWND pushed = Sample(first);
    HWND other = Sample({600, 300, 900, 500});
    RunOnHost(HOST_OPEN_EDGE, EdgeLeft);
    ASSERT_TRUE(HasRect(pushed, Moved(first, 150, 200)));
    RunOnHost(HOST_STOP_WATCH_TIMERS);
    ASSERT_TRUE(HoldsFor([&] { return HasRect(pushed, Moved(first, 150, 200)); }, 300)) << "the bar in front";

    ClickWindow(other);
    EXPECT_TRUE(WaitForRect(pushed, first, kStartTimeoutMs)) << HasRect(pushed, first);
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], kEdgeCases[EdgeLeft].barRest, kStartTimeoutMs));
}

} // namespace
