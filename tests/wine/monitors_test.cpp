// Brellox on two monitors side by side, in a session of its own
// (tools/wine-session.sh --monitors): a bar on every outer edge of each
// monitor, opens and drags that stay on their own monitor, and display
// messages.
#include "brellox_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

class MultiMonitor : public BrelloxTest {
protected:
    void SetUp() override
    {
        BrelloxTest::SetUp();
        TwoMonitorsSideBySide(&primary_, &second_);
    }

    void Restore() const { PostMessageA(control_, HOST_RESTORE_ALL, 0, 0); }

    RECT primary_ = {};
    RECT second_ = {};
};

// Bars on the outer edges only: none on the edge the two monitors share, where
// the pointer crosses from one to the other.
TEST_F(MultiMonitor, EachMonitorHasItsOwnBarsOnItsOuterEdgesOnly)
{
    Start(kAllBars);
    std::vector<std::string> expected;
    if (primary_.right == 1024) {
        expected = {"BrelloxBottom (0,766)-(1024,768)", "BrelloxBottom (1024,598)-(1824,600)",
                    "BrelloxLeft (0,0)-(2,768)",        "BrelloxRight (1822,0)-(1824,600)",
                    "BrelloxTop (0,0)-(1024,2)",        "BrelloxTop (1024,0)-(1824,2)"};
    } else {
        expected = {"BrelloxBottom (0,598)-(800,600)", "BrelloxBottom (800,766)-(1824,768)",
                    "BrelloxLeft (0,0)-(2,600)",       "BrelloxRight (1822,0)-(1824,768)",
                    "BrelloxTop (0,0)-(800,2)",        "BrelloxTop (800,0)-(1824,2)"};
    }
    EXPECT_TRUE(WaitForBars(expected)) << Joined(ShownBars());
    brellox_.reset();

    // Offset stays a rule of the primary's size; the bars keep it at both ends.
    Start("[Brellox]\r\nLeft=0\r\nRight=1\r\nOffset=100\r\nWidth=4\r\n");
    const std::string right = "BrelloxRight (1820,100)-(1824," + std::to_string(second_.bottom - 100) + ")";
    EXPECT_TRUE(WaitForBars({right})) << Joined(ShownBars());
}

// An open pushes the windows alongside its own monitor's edge, those that
// straddle into it included, and no window of the other monitor; one restore
// puts every window back.
TEST_F(MultiMonitor, AnOpenOnEachMonitorPushesOnlyTheWindowsAlongsideIt)
{
    StartHost(kAllBars);
    const LONG boundary = primary_.right;
    const RECT onPrimary = {100, 50, 300, 250};
    const RECT onSecond = {boundary + 100, 50, boundary + 300, 250};
    const RECT straddling = {boundary - 124, 100, boundary + 176, 300};
    HWND primaryWindow = Sample(onPrimary);
    HWND secondWindow = Sample(onSecond);
    HWND straddlingWindow = Sample(straddling);

    // The second monitor's top bar: its strip runs along the second monitor only.
    Open(BarSlot(1, EdgeTop));
    EXPECT_TRUE(ComesTo(secondWindow, Moved(onSecond, onSecond.left, 150)));
    EXPECT_TRUE(ComesTo(straddlingWindow, Moved(straddling, straddling.left, 150)));
    EXPECT_TRUE(HasRect(primaryWindow, onPrimary));
    Restore();
    for (auto [window, home] : {std::pair{primaryWindow, onPrimary}, std::pair{secondWindow, onSecond},
                                std::pair{straddlingWindow, straddling}})
        EXPECT_TRUE(ComesTo(window, home));

    // The primary's top bar leaves the second monitor's window where it is.
    Open(BarSlot(0, EdgeTop));
    EXPECT_TRUE(WaitForRect(primaryWindow, Moved(onPrimary, onPrimary.left, 150)));
    EXPECT_TRUE(WaitForRect(straddlingWindow, Moved(straddling, straddling.left, 150)));
    EXPECT_TRUE(StaysAt(secondWindow, onSecond, 300));
    Restore();
    EXPECT_TRUE(WaitForRect(primaryWindow, onPrimary));
    EXPECT_TRUE(WaitForRect(straddlingWindow, straddling));

    // The shorter monitor's bottom bar: a window on the taller one, below that
    // bar's line but beside the shorter monitor, stays.
    const bool primaryShorter = primary_.bottom < second_.bottom;
    const RECT shorter = primaryShorter ? primary_ : second_;
    const RECT taller = primaryShorter ? second_ : primary_;
    const RECT belowTheLine = {taller.left + 200, shorter.bottom + 20, taller.left + 400, shorter.bottom + 100};
    const RECT inTheStrip = {shorter.left + 200, shorter.bottom - 140, shorter.left + 400, shorter.bottom - 40};
    HWND tallerWindow = Sample(belowTheLine);
    HWND shorterWindow = Sample(inTheStrip);
    Open(BarSlot(primaryShorter ? 0 : 1, EdgeBottom));
    const RECT pushed = Moved(inTheStrip, inTheStrip.left, shorter.bottom - 150 - 100);
    EXPECT_TRUE(ComesTo(shorterWindow, pushed));
    EXPECT_TRUE(StaysAt(tallerWindow, belowTheLine, 300));
    Restore();
    EXPECT_TRUE(WaitForRect(shorterWindow, inTheStrip));
}

// Real input on the second monitor: a double-click on its right bar opens it
// there, and a click into another window puts everything back.
TEST_F(MultiMonitor, ADoubleClickOnTheSecondMonitorsBarOpensItThere)
{
    Start(kAllBars);
    const RECT nearRight = {second_.right - 300, 200, second_.right - 50, 400};
    const RECT elsewhere = {100, 200, 400, 400};
    HWND window = Sample(nearRight);
    HWND other = Sample(elsewhere);
    HWND bar = Bar(EdgeRight, {second_.right - 1, 300});
    ASSERT_NE(nullptr, bar);
    DoubleClick(second_.right - 1, 300);
    const RECT pushed = Moved(nearRight, second_.right - 150 - 250, 200);
    EXPECT_TRUE(ComesTo(window, pushed));
    EXPECT_TRUE(ComesTo(bar, {second_.right - 150, 0, second_.right - 148, second_.bottom}));
    ClickWindow(other);
    EXPECT_TRUE(ComesTo(window, nearRight));
    EXPECT_TRUE(WaitForRect(bar, {second_.right - 2, 0, second_.right, second_.bottom}));
}

// A bar of the second monitor dragged inward moves only across its edge,
// within its own monitor, and its drag end sweeps that monitor's strip.
TEST_F(MultiMonitor, ADraggedBarOfTheSecondMonitorStaysOnItsEdgeAndSweepsItsMonitor)
{
    Start("[Brellox]\r\nLeft=0\r\nTop=1\r\n");
    HWND bar = Bar(EdgeTop, {second_.left + 400, 0});
    ASSERT_NE(nullptr, bar);
    const RECT rest = {second_.left, 0, second_.right, 2};
    ASSERT_TRUE(ComesTo(bar, rest));
    const RECT onSecond = {second_.left + 100, 120, second_.left + 400, 300};
    const RECT onPrimary = {100, 120, 400, 300};
    HWND secondWindow = Sample(onSecond);
    HWND primaryWindow = Sample(onPrimary);

    ASSERT_TRUE(PressToDrag(bar, second_.left + 400, 0));
    ASSERT_TRUE(MovePointer(second_.left + 100, 120));
    EXPECT_TRUE(ComesTo(bar, {second_.left, 120, second_.right, 122}));
    ASSERT_TRUE(MovePointer(second_.left - 300, 200));
    EXPECT_TRUE(WaitForRect(bar, {second_.left, 200, second_.right, 202}))
        << "held to its own monitor's columns: " << HasRect(bar, {second_.left, 200, second_.right, 202});
    ASSERT_TRUE(ReleaseDrag(bar));

    EXPECT_TRUE(ComesTo(secondWindow, Moved(onSecond, onSecond.left, 202)));
    EXPECT_TRUE(StaysAt(primaryWindow, onPrimary, 300));
    ClickWindow(primaryWindow);
    EXPECT_TRUE(ComesTo(secondWindow, onSecond));
    EXPECT_TRUE(ComesTo(bar, rest));
}

// The primary's left bar dragged towards the second monitor stops at the
// primary's far side: its drag end sweeps the primary's strip up to there,
// and a window on the second monitor beside it stays where it is.
TEST_F(MultiMonitor, ThePrimarysLeftBarDraggedTowardsTheSecondMonitorStopsAtThePrimarysFarSide)
{
    Start("[Brellox]\r\n");
    HWND bar = Bar(EdgeLeft, {0, 300});
    ASSERT_NE(nullptr, bar);
    const RECT rest = {0, 0, 2, primary_.bottom};
    ASSERT_TRUE(ComesTo(bar, rest));
    const RECT onPrimary = {100, 120, 400, 300};
    const RECT onSecond = {second_.left + 100, 120, second_.left + 400, 300};
    HWND primaryWindow = Sample(onPrimary);
    HWND secondWindow = Sample(onSecond);

    ASSERT_TRUE(PressToDrag(bar, 0, 300));
    ASSERT_TRUE(MovePointer(second_.left + 300, 300));
    const RECT held = {primary_.right - 2, 0, primary_.right, primary_.bottom};
    EXPECT_TRUE(WaitForRect(bar, held)) << "held at the primary's right side: " << HasRect(bar, held);
    ASSERT_TRUE(ReleaseDrag(bar));

    const RECT pushed = Moved(onPrimary, primary_.right, onPrimary.top);
    EXPECT_TRUE(ComesTo(primaryWindow, pushed));
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(secondWindow), onSecond); }, 300))
        << "the second monitor's window stays: " << HasRect(secondWindow, onSecond);
    ClickWindow(secondWindow);
    EXPECT_TRUE(ComesTo(primaryWindow, onPrimary));
    EXPECT_TRUE(ComesTo(bar, rest));
    EXPECT_TRUE(HasRect(secondWindow, onSecond));
}

// A display message after which every monitor is as it was leaves an open
// strip open, also when the monitors are read again a moment later.
TEST_F(MultiMonitor, ADisplayMessageThatChangesNothingLeavesAnOpenStripOpen)
{
    StartHost(kAllBars);
    const RECT onSecond = {second_.left + 100, 50, second_.left + 300, 250};
    HWND window = Sample(onSecond);
    Open(BarSlot(1, EdgeTop));
    const RECT pushed = Moved(onSecond, onSecond.left, 150);
    ASSERT_TRUE(ComesTo(window, pushed));
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(bars_.owner, WM_DISPLAYCHANGE, 32, MAKELPARAM(primary_.right, primary_.bottom),
                                    SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(window), pushed); }, 2500))
        << "open past the second reading: " << HasRect(window, pushed);
    Restore();
    EXPECT_TRUE(ComesTo(window, onSecond));
}

} // namespace
