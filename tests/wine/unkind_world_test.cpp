// The real program when the desktop is not kind to it: windows whose programs
// stop answering at any moment, answer late or never again, more windows in a
// strip than the table holds, and windows that vanish while they are being
// pushed or before they are put back.
#include "brellox_fixture.h"
#include "stalling_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The visible top-level windows of a process, topmost first.
std::vector<HWND> VisibleWindowsOf(DWORD processId)
{
    std::vector<HWND> visible;
    for (HWND hwnd : WindowsOfProcess(processId)) {
        if (IsWindowVisible(hwnd))
            visible.push_back(hwnd);
    }
    return visible;
}

// Where most tests put the window of a stalling program, where those that drag
// the left bar over it put it, and their one sample.
const RECT kStallAt = {40, 100, 340, 300};
const RECT kDraggedOverAt = {40, 100, 340, 250};
const std::vector<RECT> kOneSample = {{60, 400, 360, 600}};

class UnkindWorld : public BrelloxTest {
protected:
    void TearDown() override
    {
        stalling_.reset();
        helper_.reset();
        BrelloxTest::TearDown();
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

    // Windows in a program of their own whose thread the test stops and releases.
    StallingWindow &StartStallingWindow(const std::vector<RECT> &at)
    {
        stalling_ = std::make_unique<StallingWindow>(at);
        return *stalling_;
    }

    // Where the stalling window lies among the samples: made before them it
    // lies below them, and a sweep meets it last; made after them, above
    // them, and a sweep meets it first.
    enum Stacking { StallingBelow, StallingAbove };

    // Brellox started with the samples at `at` and one window of a stalling
    // program at stallAt (stalling_), stacked as asked.
    void StartAmongSamples(const std::vector<RECT> &at, const RECT &stallAt, Stacking stacking)
    {
        Start();
        if (stacking == StallingAbove) {
            for (const RECT &r : at)
                Sample(r);
        }
        ASSERT_NE(nullptr, StartStallingWindow({stallAt}).Window());
        if (stacking == StallingBelow) {
            for (const RECT &r : at)
                Sample(r);
        }
    }

    // A double-click on the left bar, as a user opens it; whether the samples
    // at `at` are then pushed to its open line.
    bool OpenByHand(const std::vector<RECT> &at)
    {
        DoubleClick(1, 760);
        return WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs);
    }

    // A click into the first sample, which restores; whether every sample at
    // `at` is then back.
    bool RestoreByHand(const std::vector<RECT> &at)
    {
        ClickWindow(samples_[0]);
        return WaitUntil([&] { return SamplesAt(at, -1); }, kStartTimeoutMs);
    }

    // The left bar dragged to x 300, whose end sweeps at its inner edge, 302.
    void DragTheLeftBarTo300()
    {
        ASSERT_TRUE(PressToDrag(bars_.bars[EdgeLeft], 0, 700));
        ASSERT_TRUE(MovePointer(300, 700));
        ASSERT_TRUE(ComesTo(bars_.bars[EdgeLeft], {300, 0, 302, 768}));
        ASSERT_TRUE(ReleaseDrag(bars_.bars[EdgeLeft]));
    }

    // Whether every sample window stands at r moved to (x, the same top), or,
    // with x < 0, at r itself.
    bool SamplesAt(const std::vector<RECT> &at, LONG x) const
    {
        for (size_t i = 0; i < at.size(); ++i) {
            if (!SameRect(RectOf(samples_[i]), x < 0 ? at[i] : Moved(at[i], x, at[i].top)))
                return false;
        }
        return true;
    }

    // A held button carried over the left bar during a drag opens it: only the
    // hover poll and the dwell timer, on Brellox's thread, can see that. Once
    // the drag is over the bar takes the front, as after any open.
    bool DwellOpensTheLeftBar()
    {
        HWND source = CreateSampleWindow({600, 500, 900, 700}, "source", WS_OVERLAPPEDWINDOW, SW_SHOW);
        const bool opened = DragFromWindowTo(source, 1, 384) &&
                            WaitUntil([&] { return RectOf(bars_.bars[EdgeLeft]).left == 150; }, kStartTimeoutMs);
        EndDragFromWindow();
        const bool inFront = WaitUntil([&] { return GetForegroundWindow() == bars_.bars[EdgeLeft]; }, kStartTimeoutMs);
        DestroyWindow(source);
        return opened && inFront;
    }

    std::unique_ptr<BrelloxProcess> helper_;
    std::unique_ptr<StallingWindow> stalling_;
    int unanswered_ = 0;
};

// A stalled thread stays stopped until the test releases it, for ever if it
// never does: Brellox must neither wait for it nor lose its place.

TEST_F(UnkindWorld, AWindowStalledJustBeforeTheOpenIsLeftWhileTheOthersArePushedAndPutBack)
{
    const std::vector<RECT> at = {{60, 400, 360, 600}, {20, 600, 320, 740}};
    // Above the others: the sweep meets it first.
    const RECT stallAt = {40, 100, 340, 300};
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(at, stallAt, StallingAbove));
    StallingWindow &stalling = *stalling_;
    ASSERT_TRUE(stalling.StallNow());

    EXPECT_TRUE(OpenByHand(at)) << "the others are pushed";
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {150, 0, 152, 768}));
    EXPECT_TRUE(HasRect(stalling.Window(), stallAt)) << "left where it was";

    // The watch still ticks: activating another window puts everything back.
    EXPECT_TRUE(RestoreByHand(at)) << "the watch restored";
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
    // The hover poll still runs.
    EXPECT_TRUE(DwellOpensTheLeftBar());
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs));
    EXPECT_TRUE(RestoreByHand(at));

    // Nothing was posted to it: once it runs again it stays where it always was.
    stalling.Release();
    ASSERT_TRUE(stalling.WaitUntilAnswering());
    EXPECT_TRUE(HasRect(stalling.Window(), stallAt));
}

TEST_F(UnkindWorld, AProgramThatStallsWhileTheSweepMovesItHoldsUpNoOtherAndAllItsWindowsFollowOnceReleased)
{
    Start();
    // Six windows below the program's two in the z-order and six above: the
    // sweep meets them in the middle of the enumeration.
    std::vector<RECT> at;
    for (int i = 0; i < 6; ++i)
        at.push_back({i * 10, 20 + i * 60, 300 + i * 10, 120 + i * 60});
    for (const RECT &r : at)
        Sample(r);
    const std::vector<RECT> stallAt = {{30, 380, 330, 480}, {50, 400, 350, 500}};
    StallingWindow &stalling = StartStallingWindow(stallAt);
    ASSERT_NE(nullptr, stalling.Window(1));
    for (int i = 6; i < 12; ++i) {
        at.push_back({i * 8, 20 + i * 60, 300 + i * 8, 100 + i * 60});
        Sample(at.back());
    }
    stalling.StallWhenMoved();

    DoubleClick(1, 760);
    EXPECT_TRUE(stalling.WaitUntilStalled(kStartTimeoutMs)) << "it stopped inside its first move";
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs)) << "the windows on both sides";
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(HasRect(stalling.Window(i), stallAt[i])) << "its moves wait until its thread runs";

    // It was answering when the sweep met it: both its windows are pushed once
    // it runs again, and put back with the rest.
    stalling.Release();
    ASSERT_TRUE(stalling.WaitUntilAnswering());
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(HasRect(stalling.Window(i), Moved(stallAt[i], 150, stallAt[i].top))) << i;
    EXPECT_TRUE(RestoreByHand(at)) << "the watch restored";
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(ComesTo(stalling.Window(i), stallAt[i]));
}

TEST_F(UnkindWorld, AWindowThatStallsAfterItsMoveHoldsUpNoRestoreAndComesBackOnceReleased)
{
    // Below the others: it is moved last, recorded last and put back last,
    // after the others and before the hover poll.
    const RECT stallAt = {40, 100, 340, 300};
    const std::vector<RECT> at = {{60, 400, 360, 600}, {20, 600, 320, 740}};
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(at, stallAt, StallingBelow));
    StallingWindow &stalling = *stalling_;

    ASSERT_TRUE(OpenByHand(at));
    const RECT pushed = Moved(stallAt, 150, stallAt.top);
    ASSERT_TRUE(ComesTo(stalling.Window(), pushed));
    ASSERT_TRUE(stalling.StallNow());

    EXPECT_TRUE(RestoreByHand(at)) << "the others came back at once";
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
    EXPECT_TRUE(DwellOpensTheLeftBar()) << "the restore went on to start the hover poll";
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs));
    // Its restore is still on its way, so it seems to stand in the strip: this
    // open must not take that place for the one to go back to.
    EXPECT_TRUE(RestoreByHand(at));
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(stalling.Window()), pushed) && SamplesAt(at, -1); }, 2000))
        << "nothing moves while it is stopped";

    stalling.Release();
    ASSERT_TRUE(stalling.WaitUntilAnswering());
    EXPECT_TRUE(HasRect(stalling.Window(), stallAt)) << "the restore posted while it was stopped";
    // The next open and restore find it at home and bring it home again.
    DoubleClick(1, 760);
    EXPECT_TRUE(WaitForRect(stalling.Window(), pushed, kStartTimeoutMs)) << HasRect(stalling.Window(), pushed);
    ClickWindow(samples_[0]);
    EXPECT_TRUE(WaitForRect(stalling.Window(), stallAt, kStartTimeoutMs)) << HasRect(stalling.Window(), stallAt);
}

TEST_F(UnkindWorld, ADeadlockedWindowHoldsUpNeitherOpensNorRestoresNorTheExit)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kStallAt, StallingBelow));
    StallingWindow &stalling = *stalling_;
    ASSERT_TRUE(OpenByHand(kOneSample));
    ASSERT_TRUE(WaitForRect(stalling.Window(), Moved(kStallAt, 150, kStallAt.top)));
    // Never released: its program is ended with the test.
    ASSERT_TRUE(stalling.StallNow());

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_TRUE(RestoreByHand(kOneSample));
        EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
        EXPECT_TRUE(OpenByHand(kOneSample));
    }

    HWND menu = RightClick(150, 760, brellox_->Id());
    ASSERT_NE(nullptr, menu);
    ClickLastItem(menu);
    DWORD exitCode = 99;
    EXPECT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &exitCode)) << "Close ended it";
    EXPECT_EQ(0u, exitCode);
}

TEST_F(UnkindWorld, ASecondSweepMeetingAStalledRecordedWindowLosesNoPosition)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kDraggedOverAt, StallingBelow));
    StallingWindow &stalling = *stalling_;

    ASSERT_NO_FATAL_FAILURE(DragTheLeftBarTo300());
    ASSERT_TRUE(WaitUntil([&] { return SamplesAt(kOneSample, 302); }, kStartTimeoutMs));
    ASSERT_TRUE(WaitForRect(stalling.Window(), Moved(kDraggedOverAt, 302, kDraggedOverAt.top)));
    ASSERT_TRUE(stalling.StallNow());

    // An open of the same bar, where the drag left it, realigns the recorded
    // windows that answer. (Another bar taking the front would restore first.)
    DoubleClick(301, 700);
    EXPECT_TRUE(WaitForRect(samples_[0], Moved(kOneSample[0], 150, kOneSample[0].top), kStartTimeoutMs))
        << HasRect(samples_[0], Moved(kOneSample[0], 150, kOneSample[0].top));
    EXPECT_TRUE(HasRect(stalling.Window(), Moved(kDraggedOverAt, 302, kDraggedOverAt.top)))
        << "left where the drag put it";

    EXPECT_TRUE(RestoreByHand(kOneSample));
    // Its restore was posted after the other window's; released, it goes back.
    stalling.Release();
    EXPECT_TRUE(WaitForRect(stalling.Window(), kDraggedOverAt, kStartTimeoutMs))
        << HasRect(stalling.Window(), kDraggedOverAt);
}

// Brellox waits 100 ms for a window's thread. One that answers only after 150 ms
// counts as not answering: it is left in the strip and never recorded, so
// nothing is posted to it that could move it later.
TEST_F(UnkindWorld, AWindowThatAnswersOnlyAfter150MsIsLeftAloneAndTheOthersArePushed)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kStallAt, StallingBelow));
    StallingWindow &slow = *stalling_;
    slow.AnswerSlowly(150);

    EXPECT_TRUE(OpenByHand(kOneSample));
    EXPECT_TRUE(StaysAt(slow.Window(), kStallAt, 1000));
    EXPECT_TRUE(RestoreByHand(kOneSample));
    EXPECT_TRUE(StaysAt(slow.Window(), kStallAt, 1000));
}

TEST_F(UnkindWorld, OfThreeHundredWindowsInOneStrip256ArePushedAndAllComeBack)
{
    StartHost();
    // brellox_samples puts every window's left edge between 0 and 99.
    helper_ = std::make_unique<BrelloxProcess>(MakeScratchDirectory("crowd"), SharedProgramPath("brellox_samples.exe"),
                                               "300");
    std::vector<HWND> crowd;
    ASSERT_TRUE(WaitUntil([&] { return (crowd = VisibleWindowsOf(helper_->Id())).size() == 300; }, kStartTimeoutMs));
    std::vector<RECT> before;
    for (HWND hwnd : crowd)
        before.push_back(RectOf(hwnd));

    Open(EdgeLeft);
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
    ClickWindow(samples_.back());
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

    ClickWindow(windows[0]);
    EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[0]), at[0]); }, 3000));
    EXPECT_TRUE(HasRect(windows[2], at[2]));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}, 1000));
    EXPECT_TRUE(brellox_->Running());
    EXPECT_EQ(0, unanswered_);
}

TEST_F(UnkindWorld, WindowsVanishingDuringTheSweepLeaveTheRestPushedAndRestored)
{
    StartHost();
    const RECT at[2] = {{40, 20, 340, 200}, {20, 450, 320, 650}};
    HWND windows[2] = {Sample(at[0]), Sample(at[1])};
    // A pile above them, in a program that ends itself while the sweep moves
    // the 101st of its 200 windows from the top: that window and the 99 below
    // it vanish under the sweep's hands, with these two still to go.
    helper_ = std::make_unique<BrelloxProcess>(MakeScratchDirectory("vanish"), SharedProgramPath("brellox_samples.exe"),
                                               "200 1 99");
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindowsOf(helper_->Id()).size() == 200; }, kStartTimeoutMs));

    Open(EdgeLeft);
    DWORD exitCode = 0;
    ASSERT_TRUE(helper_->WaitForExit(kStartTimeoutMs, &exitCode));
    EXPECT_EQ(3u, exitCode) << "it ended itself inside the sweep's move";
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[i]), Moved(at[i], 150, at[i].top)); }, 5000))
            << HasRect(windows[i], at[i]);
    ClickWindow(windows[0]);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(WaitAnswering([&] { return SameRect(RectOf(windows[i]), at[i]); }, 3000)) << i;
    EXPECT_TRUE(brellox_->Running());
    EXPECT_EQ(0, unanswered_);
}

// Several frozen programs at once: each keeps its place while the sweep pushes
// every window that answers, the restore puts the others back without them,
// and each frozen one goes back as soon as it runs again. What they cost in
// time (one wait for all of them, not one each) is the benchmark's figure.
TEST_F(UnkindWorld, FiveFrozenProgramsKeepTheirPlaceWhileEveryOtherWindowIsPushedAndPutBack)
{
    StartHost();
    const std::vector<RECT> at = {{60, 500, 360, 600}, {20, 620, 320, 740}};
    for (const RECT &r : at)
        Sample(r);
    // Above the answering windows, so the sweep meets every frozen one first.
    std::vector<std::unique_ptr<StallingWindow>> frozen;
    std::vector<RECT> frozenAt;
    for (int i = 0; i < 5; ++i) {
        frozenAt.push_back({30 + 10 * i, 40 + 80 * i, 330 + 10 * i, 110 + 80 * i});
        frozen.push_back(std::make_unique<StallingWindow>(std::vector<RECT>{frozenAt.back()}));
        ASSERT_NE(nullptr, frozen.back()->Window());
    }

    const auto run = [&](UINT command, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR microseconds = 0;
        EXPECT_TRUE(SendMessageTimeoutA(control_, command, wParam, lParam, SMTO_NORMAL, 20000, &microseconds));
    };

    // Frozen just before the open: left where they are, the others pushed.
    for (int count : {1, 5}) {
        SCOPED_TRACE(count);
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(frozen[i]->StallNow());
        run(HOST_TIMED_SWEEP, EdgeLeft, 150);
        // The wait spent the bound: the moves after it are on their way, in
        // order, not waited for.
        EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs));
        for (int i = 0; i < 5; ++i) {
            const RECT expected = i < count ? frozenAt[i] : Moved(frozenAt[i], 150, frozenAt[i].top);
            EXPECT_TRUE(WaitForRect(frozen[i]->Window(), expected)) << i << HasRect(frozen[i]->Window(), expected);
        }
        run(HOST_TIMED_RESTORE_ALL, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, -1); }, kStartTimeoutMs));
        for (int i = 0; i < count; ++i) {
            frozen[i]->Release();
            ASSERT_TRUE(frozen[i]->WaitUntilAnswering());
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(WaitForRect(frozen[i]->Window(), frozenAt[i]))
                << i << HasRect(frozen[i]->Window(), frozenAt[i]);
    }

    // Frozen once pushed: the restore puts the others back without waiting for
    // each, and the frozen ones as soon as they run again.
    run(HOST_TIMED_SWEEP, EdgeLeft, 150);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WaitForRect(frozen[i]->Window(), Moved(frozenAt[i], 150, frozenAt[i].top))) << i;
    for (auto &program : frozen)
        ASSERT_TRUE(program->StallNow());
    run(HOST_TIMED_RESTORE_ALL, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, -1); }, kStartTimeoutMs));
    for (int i = 0; i < 5; ++i) {
        frozen[i]->Release();
        ASSERT_TRUE(frozen[i]->WaitUntilAnswering());
        EXPECT_TRUE(WaitForRect(frozen[i]->Window(), frozenAt[i])) << i << HasRect(frozen[i]->Window(), frozenAt[i]);
    }
}

// A window that keeps its place when moved (a docked window; on Windows every
// window of a program that runs with more rights than Brellox, whose moves the
// window system refuses) holds nothing up: the window beside it is pushed and
// put back with it shown as with it hidden, by sweeps and restores in turn and
// by real input, and it keeps its place throughout. What its moves cost in
// time and CPU is the benchmark's figure.
TEST_F(UnkindWorld, AWindowThatRefusesToMoveKeepsItsPlaceAndTheWindowBesideItIsPushedAndPutBack)
{
    StartHost();
    const RECT at = {60, 400, 360, 600};
    HWND window = Sample(at);
    const RECT refusingAt = {40, 100, 340, 300};
    StallingWindow &refusing = StartStallingWindow({refusingAt});
    ASSERT_NE(nullptr, refusing.Window());
    refusing.RefuseMoves();
    for (int round = 0; round < 4; ++round) {
        ShowWindow(refusing.Window(), round % 2 ? SW_SHOWNOACTIVATE : SW_HIDE);
        ASSERT_TRUE(refusing.WaitUntilAnswering());
        SendMessageA(control_, HOST_TIMED_SWEEP, EdgeLeft, 150);
        ASSERT_TRUE(WaitForRect(window, Moved(at, 150, at.top))) << "pushed, round " << round;
        SendMessageA(control_, HOST_TIMED_RESTORE_ALL, 0, 0);
        ASSERT_TRUE(WaitForRect(window, at)) << "put back, round " << round;
        ASSERT_TRUE(HasRect(refusing.Window(), refusingAt)) << "it kept its place, round " << round;
    }

    DoubleClick(1, 760);
    EXPECT_TRUE(WaitForRect(window, Moved(at, 150, at.top), kStartTimeoutMs))
        << HasRect(window, Moved(at, 150, at.top));
    ClickWindow(window);
    EXPECT_TRUE(WaitForRect(window, at, kStartTimeoutMs)) << HasRect(window, at);
    EXPECT_TRUE(HasRect(refusing.Window(), refusingAt));
}

// Nothing is left posted to a window Brellox did not move: released while the
// bar is open, a window frozen at the open stays where it was, then and after
// the restore.
TEST_F(UnkindWorld, AWindowFrozenAtTheOpenAndReleasedWhileItIsOpenStaysWhereItIs)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kStallAt, StallingAbove));
    StallingWindow &stalling = *stalling_;
    ASSERT_TRUE(stalling.StallNow());

    ASSERT_TRUE(OpenByHand(kOneSample));
    stalling.Release();
    ASSERT_TRUE(stalling.WaitUntilAnswering());
    EXPECT_TRUE(StaysAt(stalling.Window(), kStallAt, 500));
    EXPECT_TRUE(RestoreByHand(kOneSample));
    EXPECT_TRUE(StaysAt(stalling.Window(), kStallAt, 500));
}

// A second sweep leaves a recorded window whose program froze where the first
// put it: released before the restore, it stays there until the restore
// brings it home.
TEST_F(UnkindWorld, ARecordedWindowFrozenAtASecondSweepKeepsItsFirstPushUntilTheRestore)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kDraggedOverAt, StallingBelow));
    StallingWindow &stalling = *stalling_;

    ASSERT_NO_FATAL_FAILURE(DragTheLeftBarTo300());
    const RECT firstPush = Moved(kDraggedOverAt, 302, kDraggedOverAt.top);
    ASSERT_TRUE(WaitForRect(stalling.Window(), firstPush));
    ASSERT_TRUE(stalling.StallNow());

    DoubleClick(301, 700);
    ASSERT_TRUE(WaitForRect(samples_[0], Moved(kOneSample[0], 150, kOneSample[0].top), kStartTimeoutMs));
    stalling.Release();
    ASSERT_TRUE(stalling.WaitUntilAnswering());
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(stalling.Window()), firstPush); }, 500))
        << "no realign was left posted to it: " << HasRect(stalling.Window(), firstPush);
    ClickWindow(samples_[0]);
    EXPECT_TRUE(WaitForRect(stalling.Window(), kDraggedOverAt, kStartTimeoutMs))
        << HasRect(stalling.Window(), kDraggedOverAt);
}

// A restore's move that its program carries out late (it answers messages sent
// to it first, as every program on Windows does while its own queue waits): an
// open that comes before the move is done finds the window still in the strip,
// and must record where the restore sends it, not where it still is.
TEST_F(UnkindWorld, ARestoresMoveCarriedOutLateLosesTheWindowsPlaceToNoLaterOpen)
{
    ASSERT_NO_FATAL_FAILURE(StartAmongSamples(kOneSample, kStallAt, StallingBelow));
    StallingWindow &late = *stalling_;

    DoubleClick(1, 760);
    const RECT pushed = Moved(kStallAt, 150, kStallAt.top);
    ASSERT_TRUE(ComesTo(late.Window(), pushed));
    late.MoveLate();
    ClickWindow(samples_[0]);
    ASSERT_TRUE(late.WaitUntilStalled(kStartTimeoutMs)) << "its restore move waits";
    ASSERT_TRUE(WaitUntil([&] { return SamplesAt(kOneSample, -1); }, kStartTimeoutMs));
    ASSERT_TRUE(late.WaitUntilAnswering()) << "it answers meanwhile";
    EXPECT_TRUE(HasRect(late.Window(), pushed)) << "still in the strip";

    ASSERT_TRUE(OpenByHand(kOneSample));
    late.Release();
    ASSERT_TRUE(late.WaitUntilAnswering());
    ASSERT_TRUE(RestoreByHand(kOneSample));
    EXPECT_TRUE(ComesTo(late.Window(), kStallAt));
    EXPECT_TRUE(StaysAt(late.Window(), kStallAt, 500));
}

// A display change that comes while a sweep waits for a frozen program's
// answer waits for the sweep's end; its restore then puts every window back,
// and no window is moved without being recorded.
TEST_F(UnkindWorld, ADisplayChangeWhileASweepWaitsComesAfterIt)
{
    StartHost();
    // Both on the screen at 800x600 too: their restore puts them at their places.
    const std::vector<RECT> at = {{60, 400, 360, 600}, {20, 450, 320, 570}};
    for (const RECT &r : at)
        Sample(r);
    const RECT frozenAt = {40, 100, 340, 200};
    StallingWindow &frozen = StartStallingWindow({frozenAt});
    ASSERT_NE(nullptr, frozen.Window());
    ASSERT_TRUE(frozen.StallNow());
    // Another program's window, which tells the test when the sweep asks it:
    // by then the sweep is about to wait for the frozen one.
    const RECT askedAt = {30, 220, 330, 320};
    StallingWindow asked({askedAt});
    ASSERT_NE(nullptr, asked.Window());
    asked.AnswerSlowly(1);
    while (asked.WaitUntilStalled(50)) {
    }

    Open(EdgeLeft);
    ASSERT_TRUE(asked.WaitUntilStalled(kStartTimeoutMs)) << "the sweep asked it";
    ASSERT_TRUE(ChangeScreenSize(800, 600));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return SamplesAt(at, -1) && SameRect(RectOf(bars_.bars[EdgeLeft]), {0, 0, 2, 600});
        },
        kStartTimeoutMs))
        << "the change restored after the sweep: " << HasRect(samples_[0], at[0]);
    EXPECT_TRUE(HoldsFor([&] { return SamplesAt(at, -1) && SameRect(RectOf(asked.Window()), askedAt); }, 500))
        << "no move of the sweep came after";
    ASSERT_TRUE(ChangeScreenSize(1024, 768));
    frozen.Release();
    ASSERT_TRUE(frozen.WaitUntilAnswering());
    EXPECT_TRUE(HasRect(frozen.Window(), frozenAt));
    Open(EdgeLeft);
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, 150); }, kStartTimeoutMs)) << "nothing stayed recorded";
    PostMessageA(control_, HOST_RESTORE_ALL, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return SamplesAt(at, -1); }, kStartTimeoutMs));
}

} // namespace
