#include "native_support.h"
#include "sweep/open_geometry.h"
#include "sweep/restore_targets.h"
#include "sweep/sweep_verdict.h"
#include "sweep/watch_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

const int kIconSpacing = 75;

void ExpectPlan(const OpenPlan &plan, LONG x, LONG y, LONG line, const char *edge)
{
    EXPECT_EQ(x, plan.bar.x) << edge << " bar x";
    EXPECT_EQ(y, plan.bar.y) << edge << " bar y";
    EXPECT_EQ(line, plan.line) << edge << " sweep line";
}

OpenPlan Open(Edge edge, int openWidth, int offset = 0)
{
    return OpenEdgeGeometry(edge, kIconSpacing, openWidth, kMonitor1024, offset);
}

// Where the bar and the sweep line of each edge, left, right, top and bottom,
// go on the 1024x768 monitor with that open width and offset.
struct Planned {
    LONG x;
    LONG y;
    LONG line;
};
void ExpectPlans(int openWidth, int offset, const Planned (&planned)[EDGE_COUNT])
{
    static const char *const kNames[EDGE_COUNT] = {"left", "right", "top", "bottom"};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        const Planned &p = planned[edge];
        ExpectPlan(Open(static_cast<Edge>(edge), openWidth, offset), p.x, p.y, p.line, kNames[edge]);
    }
}

TEST(OpenEdgeGeometry, TheBarMovesInwardByTheOpenDistanceAndTheLineFollowsIt)
{
    ExpectPlans(2, 0, {{150, 0, 150}, {874, 0, 874}, {0, 150, 150}, {0, 618, 618}});
}

TEST(OpenEdgeGeometry, TheOffsetPlacesTheBarAlongItsEdgeOnly)
{
    ExpectPlans(2, 20, {{150, 20, 150}, {874, 20, 874}, {20, 150, 150}, {20, 618, 618}});
}

TEST(OpenEdgeGeometry, NoOpenWidthLeavesTheBarAtItsEdge)
{
    ExpectPlans(0, 0, {{0, 0, 0}, {1024, 0, 1024}, {0, 0, 0}, {0, 768, 768}});
}

TEST(OpenEdgeGeometry, ANegativeOpenWidthMovesTheBarOutward)
{
    ExpectPlans(-1, 0, {{-75, 0, -75}, {1099, 0, 1099}, {0, -75, -75}, {0, 843, 843}});
}

TEST(OpenEdgeGeometry, TheIconSpacingIsTheCellSize)
{
    const RECT screen = {0, 0, 1920, 1080};
    ExpectPlan(OpenEdgeGeometry(EdgeLeft, 43, 3, screen, 5), 129, 5, 129, "left");
    ExpectPlan(OpenEdgeGeometry(EdgeRight, 43, 3, screen, 5), 1791, 5, 1791, "right");
    ExpectPlan(OpenEdgeGeometry(EdgeTop, 43, 3, screen, 5), 5, 129, 129, "top");
    ExpectPlan(OpenEdgeGeometry(EdgeBottom, 43, 3, screen, 5), 5, 951, 951, "bottom");
}

// OpenWidth is not range-checked: distances beyond 32 bits wrap around as the
// processor's arithmetic does, and must not be undefined.
TEST(OpenEdgeGeometry, ExtremeOpenWidthsWrapAround)
{
    // 75 times OpenWidth, and 1024 and 768 less that, each taken to 32 bits.
    const struct {
        int openWidth;
        LONG inner, right, bottom;
    } extremes[] = {
        {INT_MAX, 2147483573, -2147482549, -2147482805},      {INT_MIN, INT_MIN, -2147482624, -2147482880},
        {INT_MIN + 1, -2147483573, -2147482699, -2147482955}, {1 << 30, -1073741824, 1073742848, 1073742592},
        {-(1 << 30), 1073741824, -1073740800, -1073741056},
    };
    for (const auto &e : extremes) {
        SCOPED_TRACE(e.openWidth);
        ExpectPlan(Open(EdgeLeft, e.openWidth, 20), e.inner, 20, e.inner, "left");
        ExpectPlan(Open(EdgeRight, e.openWidth, 20), e.right, 20, e.right, "right");
        ExpectPlan(Open(EdgeTop, e.openWidth, 20), 20, e.inner, e.inner, "top");
        ExpectPlan(Open(EdgeBottom, e.openWidth, 20), 20, e.bottom, e.bottom, "bottom");
    }

    // A huge spacing times a small width leaves the range as well: INT_MAX
    // times 2 is -2 in 32 bits.
    EXPECT_EQ(-2, OpenEdgeGeometry(EdgeLeft, INT_MAX, 2, kMonitor1024, 0).line);
    EXPECT_EQ(770, OpenEdgeGeometry(EdgeBottom, INT_MAX, 2, kMonitor1024, 0).line);
}

TEST(DragEndLine, SweepsAtTheInnerEdgeOfTheDraggedBar)
{
    const RECT leftBarDragged = {300, 0, 302, 768};
    EXPECT_EQ(302, DragEndLine(EdgeLeft, leftBarDragged)) << "the left bar's right";
    const RECT leftBarAtRest = {0, 0, 2, 768};
    EXPECT_EQ(2, DragEndLine(EdgeLeft, leftBarAtRest)) << "a drag that ends at rest still sweeps its thickness";

    const RECT rightBarDragged = {700, 0, 702, 768};
    EXPECT_EQ(700, DragEndLine(EdgeRight, rightBarDragged)) << "the right bar's left";
    const RECT topBarDragged = {0, 300, 1024, 302};
    EXPECT_EQ(302, DragEndLine(EdgeTop, topBarDragged)) << "the top bar's bottom";
    const RECT bottomBarDragged = {0, 400, 1024, 402};
    EXPECT_EQ(400, DragEndLine(EdgeBottom, bottomBarDragged)) << "the bottom bar's top";

    // Four different sides, so that a wrong one shows.
    const RECT r = {11, 22, 33, 44};
    EXPECT_EQ(33, DragEndLine(EdgeLeft, r));
    EXPECT_EQ(11, DragEndLine(EdgeRight, r));
    EXPECT_EQ(44, DragEndLine(EdgeTop, r));
    EXPECT_EQ(22, DragEndLine(EdgeBottom, r));
}

TEST(DragEndLine, EntriesRecordedAtADragEndSurviveTheNextOpen)
{
    HWND bars[BAR_SLOTS] = {Handle(1), Handle(2), Handle(3), Handle(4)};
    MovedWindowTable table;
    ClearMovedWindows(&table);
    const SweepWorld world = {kMonitor1024, false, bars, Handle(5), NULL, &table, NULL};
    CandidateWindow first = {};
    first.hwnd = Handle(100);
    first.known = ALL_WINDOW_FACTS;
    first.visible = first.rectRead = first.answers = true;
    first.rect = RECT{0, 40, 300, 240};
    first.showCmd = 1;
    CandidateWindow second = first;
    second.hwnd = Handle(101);
    second.rect = RECT{100, 50, 500, 400};

    // A drag end of the left bar at rest.
    const LONG dragLine = DragEndLine(EdgeLeft, RECT{0, 0, 2, 768});
    SweepVerdict verdict = SweepWindow(EdgeLeft, dragLine, first, world);
    EXPECT_EQ(RecordAndMove, verdict.action);
    EXPECT_EQ(2, verdict.x);
    EXPECT_EQ(40, verdict.y);
    first.rect = RECT{2, 40, 302, 240};
    EXPECT_EQ(Leave, SweepWindow(EdgeLeft, dragLine, second, world).action) << "left edge 100 is past line 2";

    // Then a double-click on the left bar.
    const LONG openLine = Open(EdgeLeft, 2).line;
    verdict = SweepWindow(EdgeLeft, openLine, first, world);
    EXPECT_EQ(Realign, verdict.action);
    EXPECT_EQ(150, verdict.x);
    EXPECT_EQ(40, verdict.y);
    verdict = SweepWindow(EdgeLeft, openLine, second, world);
    EXPECT_EQ(RecordAndMove, verdict.action);
    EXPECT_EQ(150, verdict.x);
    EXPECT_EQ(50, verdict.y);

    MovedWindow entries[MOVED_WINDOW_SLOTS];
    ASSERT_EQ(2, TakeMovedWindows(&table, entries));
    EXPECT_EQ(Handle(100), entries[0].hwnd);
    EXPECT_EQ(0, entries[0].savedLeft) << "put back where the drag end found it";
    EXPECT_EQ(40, entries[0].savedTop);
    EXPECT_EQ(Handle(101), entries[1].hwnd);
    EXPECT_EQ(100, entries[1].savedLeft);
    EXPECT_EQ(50, entries[1].savedTop);
}

// The step alone, for a bar no drag opened.
WatchStep Tick(HWND foreground, const DesktopWindows &desktop, HWND ownBar)
{
    return WatchTick(foreground, false, DragOpen{NULL, false}, desktop, ownBar).step;
}

TEST(WatchTick, WaitsOnlyForNoForegroundTheDesktopsWindowsOrItsOwnBar)
{
    const HWND leftBar = Handle(1);
    const HWND topBar = Handle(3);
    const DesktopWindows desktop = {Handle(50), Handle(51), Handle(52), Handle(53)};
    const struct {
        HWND foreground;
        HWND ownBar;
        WatchStep step;
        const char *why;
    } cases[] = {
        {NULL, leftBar, WatchWaits, "no foreground window"},
        {Handle(50), leftBar, WatchWaits, "the Program Manager"},
        {Handle(51), leftBar, WatchWaits, "the shell window"},
        {Handle(52), leftBar, WatchWaits, "the desktop window"},
        {Handle(53), leftBar, WatchWaits, "the window holding the icon view"},
        {leftBar, leftBar, WatchWaits, "its own bar"},
        {topBar, leftBar, WatchRestores, "another bar"},
        {Handle(100), leftBar, WatchRestores, "an application window"},
        {leftBar, topBar, WatchRestores, "the left bar is another bar to the top watch"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.step, Tick(c.foreground, desktop, c.ownBar)) << c.why;
}

// Under Wine there is no Program Manager, no shell window and no icon view:
// the desktop window alone shows the icons.
TEST(WatchTick, DesktopWindowsThatDoNotExistExemptNothing)
{
    const HWND leftBar = Handle(1);
    const DesktopWindows wine = {NULL, NULL, Handle(52), NULL};
    EXPECT_EQ(WatchWaits, Tick(NULL, wine, leftBar)) << "no foreground window";
    EXPECT_EQ(WatchWaits, Tick(Handle(52), wine, leftBar)) << "the desktop window";
    EXPECT_EQ(WatchRestores, Tick(Handle(50), wine, leftBar)) << "no Program Manager to spare";
    EXPECT_EQ(WatchRestores, Tick(Handle(2), wine, leftBar)) << "another bar";
}

// A drag of another program that opened the bar keeps the front and the mouse
// until it is over; then the bar takes the front, as any open gives it.
TEST(WatchTick, ADragThatOpenedTheBarKeepsTheFrontUntilItIsOver)
{
    const HWND leftBar = Handle(1);
    const HWND source = Handle(100);
    const DesktopWindows wine = {NULL, NULL, Handle(52), NULL};
    const DragOpen drag = {source, false};
    EXPECT_EQ(WatchWaits, WatchTick(source, true, drag, wine, leftBar).step) << "the drag goes on";
    EXPECT_EQ(source, WatchTick(source, true, drag, wine, leftBar).drag.front) << "and is remembered";
    EXPECT_EQ(WatchWaits, WatchTick(Handle(101), true, drag, wine, leftBar).step) << "any drag holds the watch";
    EXPECT_EQ(WatchTakesFront, WatchTick(source, false, drag, wine, leftBar).step) << "dropped, its window in front";
    const WatchOutcome elsewhere = WatchTick(Handle(101), false, drag, wine, leftBar);
    EXPECT_EQ(WatchRestores, elsewhere.step) << "dropped on a program that came to the front";
    const WatchOutcome onDesktop = WatchTick(Handle(52), false, drag, wine, leftBar);
    EXPECT_EQ(WatchWaits, onDesktop.step) << "dropped on the desktop";
    EXPECT_EQ(NULL, onDesktop.drag.front) << "the drag's window counts no longer";
    EXPECT_EQ(WatchRestores, WatchTick(source, false, onDesktop.drag, wine, leftBar).step)
        << "later, the source activated";
}

// Windows refuses the front to a program that did not get the last input: a
// bar opened by another program's drag may never have it. The watch then
// waits as it would for the bar itself, and restores at the first activation
// of another window, never at once.
TEST(WatchTick, AFrontRefusedAfterTheDragLeavesTheWatchToItsOrdinaryRule)
{
    const HWND leftBar = Handle(1);
    const HWND source = Handle(100);
    const DesktopWindows windows10 = {Handle(50), Handle(51), Handle(52), Handle(53)};
    const DragOpen refused = {source, true};
    WatchOutcome tick = WatchTick(source, false, refused, windows10, leftBar);
    EXPECT_EQ(WatchWaits, tick.step) << "the drag's window still in front";
    EXPECT_EQ(source, tick.drag.front);
    EXPECT_TRUE(tick.drag.refused) << "asked no more for the front";
    for (HWND desktop : {Handle(50), Handle(51), Handle(53), leftBar})
        EXPECT_EQ(WatchWaits, WatchTick(desktop, false, refused, windows10, leftBar).step) << "desktop or own bar";
    EXPECT_EQ(WatchRestores, WatchTick(Handle(101), false, refused, windows10, leftBar).step) << "another window";
    tick = WatchTick(Handle(53), false, refused, windows10, leftBar);
    EXPECT_EQ(WatchRestores, WatchTick(source, false, tick.drag, windows10, leftBar).step)
        << "the drag's window activated again after the desktop";
}

// A capture held by the window in front is a drag of another program only
// while a button is down and the program is not moving, sizing or in a menu.
TEST(AnotherProgramDrags, OnlyACaptureHeldWithAButtonDownOutsideAMoveLoopOrMenu)
{
    const FrontThread drag = {true, true, 0, true};
    EXPECT_TRUE(AnotherProgramDrags(drag)) << "a file dragged";
    FrontThread t = drag;
    t.guiFlags = kGuiInMoveSize;
    EXPECT_FALSE(AnotherProgramDrags(t)) << "a window moved by its caption";
    t.guiFlags = kGuiInMenuMode;
    EXPECT_FALSE(AnotherProgramDrags(t)) << "a menu";
    t.guiFlags = 0x1; // the caret blinking
    EXPECT_TRUE(AnotherProgramDrags(t)) << "other state flags change nothing";
    t = drag;
    t.buttonDown = false;
    EXPECT_FALSE(AnotherProgramDrags(t)) << "a capture kept after the release";
    t = drag;
    t.capture = false;
    EXPECT_FALSE(AnotherProgramDrags(t)) << "no capture";
    t = drag;
    t.other = false;
    EXPECT_FALSE(AnotherProgramDrags(t)) << "Brellox's own thread, or none";
}

} // namespace
