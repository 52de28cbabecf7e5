// The real program when the desktop is not kind to it: windows whose programs
// stop answering, more windows in a strip than the table holds, and windows
// that vanish while they are being pushed or before they are put back.
#include "harness.h"
#include "host_control.h"
#include "window_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

RECT Moved(const RECT &r, LONG x, LONG y)
{
    return {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

void ClickInto(HWND hwnd)
{
    const RECT r = RectOf(hwnd);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Whether Brellox's owner window answers a message within a second.
bool Answers(HWND owner)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM lParam)
{
    ProcessWindows *p = reinterpret_cast<ProcessWindows *>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == p->processId && IsWindowVisible(hwnd))
        p->windows.push_back(hwnd);
    return TRUE;
}

// The visible top-level windows of a process, topmost first.
std::vector<HWND> VisibleWindowsOf(DWORD processId)
{
    ProcessWindows p = {processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&p));
    return p.windows;
}

class UnkindWorld : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }

    void TearDown() override
    {
        for (HWND sample : samples_)
            DestroyWindow(sample);
        helper_.reset();
        brellox_.reset();
        EndAllBrellox();
    }

    // The real program, or the test host where a test opens the bar by its
    // remote control.
    void Start(bool host = false)
    {
        const std::string dir = MakeScratchDirectory("unkind");
        brellox_ = std::make_unique<BrelloxProcess>(dir, host ? HostExePath() : BrelloxExePath());
        bars_ = brellox_->WaitForWindows();
        ASSERT_TRUE(bars_.Complete());
        ASSERT_TRUE(WaitForRect(bars_.bars[0], {0, 0, 2, 768}));
        if (host) {
            control_ = WaitForHostControl(brellox_->Id());
            ASSERT_NE(nullptr, control_);
        }
    }

    // Opens the left bar at once. A double-click's first press runs a drag-end
    // sweep of its own, which a pile of hundreds of windows makes slow enough
    // for the window system to miss the double-click now and then.
    void OpenLeftBar() const { PostMessageA(control_, HOST_OPEN_EDGE, 0, 0); }

    HWND Sample(const RECT &r)
    {
        HWND hwnd = CreateSampleWindow(r, "sample");
        samples_.push_back(hwnd);
        return hwnd;
    }

    // Waits for the condition while checking, at every poll, that Brellox
    // answers within a second; counts the times it did not.
    bool WaitAnswering(const std::function<bool()> &condition, DWORD timeoutMs)
    {
        return WaitUntil(
            [&] {
                if (!Answers(bars_.owner))
                    ++unanswered_;
                return condition();
            },
            timeoutMs, 50);
    }

    // A window in a program of its own whose thread can be made to stop answering.
    HWND StartStallingWindow(const RECT &r)
    {
        const std::string arguments = std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                      std::to_string(r.right) + " " + std::to_string(r.bottom);
        helper_ = std::make_unique<BrelloxProcess>(MakeScratchDirectory("stall"), TestProgramPath("brellox_stall.exe"),
                                                   arguments);
        HWND hwnd = NULL;
        WaitUntil([&] { return (hwnd = FindProcessWindow(helper_->Id(), "BrelloxStall", NULL)) != NULL; },
                  kStartTimeoutMs);
        return hwnd;
    }

    // Stops the window's thread for that long and waits until the window
    // system counts the window as hung.
    static bool Stall(HWND hwnd, DWORD ms)
    {
        PostMessageA(hwnd, WM_APP, ms, 0);
        return WaitUntil([&] { return IsHungAppWindow(hwnd) != FALSE; }, ms - 1000, 100);
    }

    std::unique_ptr<BrelloxProcess> brellox_;
    std::unique_ptr<BrelloxProcess> helper_;
    BrelloxWindows bars_ = {};
    HWND control_ = NULL;
    std::vector<HWND> samples_;
    int unanswered_ = 0;
};

// Wine counts a thread as hung after it has not asked for messages for five
// seconds; the stalls below last long enough to be counted.
const DWORD kStallMs = 12000;

TEST_F(UnkindWorld, AHungWindowInTheStripIsLeftWhileTheBarOpensAndPushesTheOthers)
{
    Start();
    const RECT hungAt = {40, 100, 340, 300}, otherAt = {60, 400, 360, 600};
    HWND hung = StartStallingWindow(hungAt);
    ASSERT_NE(nullptr, hung);
    HWND other = Sample(otherAt);
    ASSERT_TRUE(Stall(hung, kStallMs)) << "the window never counted as hung";

    DoubleClick(1, 700);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(other), Moved(otherAt, 150, 400)); }, 3000))
        << HasRect(other, Moved(otherAt, 150, 400));
    EXPECT_TRUE(HasRect(bars_.bars[0], {150, 0, 152, 768}));
    EXPECT_TRUE(HasRect(hung, hungAt)) << "left where it was";
    EXPECT_EQ(0, unanswered_) << "Brellox kept answering";

    ClickInto(other);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(other), otherAt); }, 3000));
    EXPECT_EQ(0, unanswered_);
}

TEST_F(UnkindWorld, ARestoreDoesNotWaitForAWindowThatStoppedAnswering)
{
    Start();
    const RECT stallAt = {40, 100, 340, 300}, otherAt = {60, 400, 360, 600};
    // The stalling window comes last and so lies on top: the sweep meets it
    // first and the restore puts it back first, before the other one. A restore
    // that waited for it would hold the other one back for the whole stall
    // (Brellox would still answer messages sent to it while it waits).
    HWND other = Sample(otherAt);
    HWND stalling = StartStallingWindow(stallAt);
    ASSERT_NE(nullptr, stalling);

    DoubleClick(1, 700);
    ASSERT_TRUE(WaitForRect(other, Moved(otherAt, 150, 400))) << HasRect(other, otherAt);
    ASSERT_TRUE(WaitForRect(stalling, Moved(stallAt, 150, 100))) << HasRect(stalling, stallAt);
    ASSERT_TRUE(Stall(stalling, kStallMs)) << "the window never counted as hung";

    ClickInto(other);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(other), otherAt); }, 3000)) << HasRect(other, otherAt);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(bars_.bars[0]), {0, 0, 2, 768}); }, 1000));
    EXPECT_EQ(0, unanswered_) << "Brellox kept answering";
    EXPECT_TRUE(IsHungAppWindow(stalling)) << "the restore came before the window answered again";

    // Its move was posted: it goes back once its thread runs again.
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(stalling), stallAt); }, kStallMs + 5000))
        << HasRect(stalling, stallAt);
    EXPECT_EQ(0, unanswered_);
}

TEST_F(UnkindWorld, OfThreeHundredWindowsInOneStrip256ArePushedAndAllComeBack)
{
    Start(true);
    // brellox_samples puts every window's left edge between 0 and 99.
    helper_ =
        std::make_unique<BrelloxProcess>(MakeScratchDirectory("crowd"), TestProgramPath("brellox_samples.exe"), "300");
    std::vector<HWND> crowd;
    ASSERT_TRUE(WaitUntil([&] { return (crowd = VisibleWindowsOf(helper_->Id())).size() == 300; }, kStartTimeoutMs));
    std::vector<RECT> before;
    for (HWND hwnd : crowd)
        before.push_back(RectOf(hwnd));

    OpenLeftBar();
    auto pushedCount = [&] {
        int pushed = 0;
        for (size_t i = 0; i < crowd.size(); ++i)
            pushed += SameRect(RectOf(crowd[i]), Moved(before[i], 150, before[i].top));
        return pushed;
    };
    EXPECT_TRUE(WaitAnswering([&] { return pushedCount() == 256; }, 10000)) << pushedCount() << " pushed";
    EXPECT_TRUE(HoldsFor([&] { return pushedCount() == 256; }, 500));
    int stayed = 0;
    for (size_t i = 0; i < crowd.size(); ++i)
        stayed += SameRect(RectOf(crowd[i]), before[i]);
    EXPECT_EQ(44, stayed) << "every window not pushed stays where it was";

    Sample({600, 300, 900, 500});
    ClickInto(samples_.back());
    auto allBack = [&] {
        for (size_t i = 0; i < crowd.size(); ++i) {
            if (!SameRect(RectOf(crowd[i]), before[i]))
                return false;
        }
        return true;
    };
    EXPECT_TRUE(WaitAnswering(allBack, 10000));
    EXPECT_EQ(0, unanswered_);
}

TEST_F(UnkindWorld, WindowsDestroyedBetweenTheSweepAndTheRestoreAreSkipped)
{
    Start();
    const RECT at[3] = {{40, 20, 340, 200}, {20, 250, 320, 450}, {60, 500, 360, 700}};
    HWND windows[3];
    for (int i = 0; i < 3; ++i)
        windows[i] = Sample(at[i]);

    DoubleClick(1, 760);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WaitForRect(windows[i], Moved(at[i], 150, at[i].top))) << i;
    DestroyWindow(windows[1]);

    ClickInto(windows[0]);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[0]), at[0]); }, 3000));
    EXPECT_TRUE(HasRect(windows[2], at[2]));
    EXPECT_TRUE(WaitForRect(bars_.bars[0], {0, 0, 2, 768}, 1000));
    EXPECT_TRUE(brellox_->Running());
    EXPECT_EQ(0, unanswered_);
}

TEST_F(UnkindWorld, WindowsVanishingDuringTheSweepLeaveTheRestPushedAndRestored)
{
    Start(true);
    const RECT at[2] = {{40, 20, 340, 200}, {20, 450, 320, 650}};
    HWND windows[2] = {Sample(at[0]), Sample(at[1])};
    // A pile above them, in a program that is ended while the sweep works
    // through it: its windows vanish under the sweep's hands.
    helper_ =
        std::make_unique<BrelloxProcess>(MakeScratchDirectory("vanish"), TestProgramPath("brellox_samples.exe"), "200");
    std::vector<HWND> pile;
    ASSERT_TRUE(WaitUntil([&] { return (pile = VisibleWindowsOf(helper_->Id())).size() == 200; }, kStartTimeoutMs));

    OpenLeftBar();
    ASSERT_TRUE(WaitUntil([&] { return RectOf(pile.front()).left == 150; }, kStartTimeoutMs, 1));
    helper_.reset();

    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[i]), Moved(at[i], 150, at[i].top)); }, 5000))
            << HasRect(windows[i], at[i]);
    ClickInto(windows[0]);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[i]), at[i]); }, 3000)) << i;
    EXPECT_TRUE(brellox_->Running());
    EXPECT_EQ(0, unanswered_);
}

} // namespace
