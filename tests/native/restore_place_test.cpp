#include "native_support.h"
#include "sweep/restore_place.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <ostream>

namespace {

struct Named {
    RECT rect;
    const char *device;
};

MonitorLayout Layout(std::initializer_list<Named> monitors)
{
    MonitorLayout layout = {};
    bool primary = true;
    for (const Named &m : monitors) {
        AddMonitor(&layout, m.rect, 96, primary, m.device);
        primary = false;
    }
    return layout;
}

::testing::AssertionResult MovesTo(const RestorePlace &place, LONG x, LONG y)
{
    if (place.move && place.x == x && place.y == y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (place.move ? "moves to (" : "stays, at (") << place.x << "," << place.y
                                         << "), expected a move to (" << x << "," << y << ")";
}

const char kFirst[] = "\\\\.\\DISPLAY1";
const char kSecond[] = "\\\\.\\DISPLAY2";

} // namespace

// A maximized or minimized window keeps its state; its placement's normal
// rectangle, whose size is the one it gets back, takes the first place. A
// placement counts from the work area of the window's monitor, except for a
// tool window.
TEST(RestorePlace, TheNormalRectangleTakesTheFirstPlaceInTheCoordinatesOfThePlacement)
{
    const RECT normal = {150, 300, 450, 500};
    RECT r = NormalRectAt(normal, 100, 300, POINT{0, 0}, false);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(300, r.top);
    EXPECT_EQ(400, r.right) << "its normal size kept";
    EXPECT_EQ(500, r.bottom);

    r = NormalRectAt(normal, 100, 300, POINT{48, 0}, false);
    EXPECT_EQ(52, r.left) << "a taskbar 48 pixels wide along the left";
    EXPECT_EQ(300, r.top);
    EXPECT_EQ(352, r.right);
    r = NormalRectAt(normal, 100, 300, POINT{0, 40}, false);
    EXPECT_EQ(260, r.top) << "a taskbar along the top";
    r = NormalRectAt(normal, 100, 300, POINT{48, 40}, true);
    EXPECT_EQ(100, r.left) << "a tool window's placement is in screen pixels";
    EXPECT_EQ(300, r.top);
    r = NormalRectAt(normal, INT_MIN, 0, POINT{1, 0}, false);
    EXPECT_EQ(INT_MAX, r.left) << "wraps as the processor does";
}

TEST(RestorePlace, AWindowBelongsToTheMonitorItLiesOnMostAndTheTopRowDecidesWhetherItIsShown)
{
    const MonitorLayout two = Layout({{{0, 0, 1024, 768}, kFirst}, {{1024, 0, 1824, 600}, kSecond}});
    EXPECT_EQ(0, MonitorOfRect(two, RECT{800, 100, 1200, 300})) << "224 of its 400 columns on the primary";
    EXPECT_EQ(1, MonitorOfRect(two, RECT{900, 100, 1300, 300}));
    EXPECT_EQ(1, MonitorOfRect(two, RECT{2000, 100, 2300, 300})) << "off every monitor, the nearest";
    EXPECT_EQ(0, MonitorOfRect(two, RECT{-500, 900, -100, 1000}));
    EXPECT_EQ(1, MonitorOfRect(two, RECT{1100, 650, 1300, 760}))
        << "below the second, nearer to it than to the primary";

    EXPECT_TRUE(TopRowShown(two, RECT{1000, 599, 1300, 900}));
    EXPECT_TRUE(TopRowShown(two, RECT{1000, 700, 1300, 900})) << "its top row reaches onto the primary";
    EXPECT_FALSE(TopRowShown(two, RECT{1100, 700, 1300, 900})) << "beneath the second, right of the primary";
    EXPECT_FALSE(TopRowShown(two, RECT{0, 768, 300, 900})) << "below both";
    EXPECT_FALSE(TopRowShown(two, RECT{-300, 0, 0, 200})) << "its top row ends where the screen begins";
    EXPECT_TRUE(TopRowShown(two, RECT{-300, 0, 1, 200}));
    EXPECT_FALSE(TopRowShown(two, RECT{100, -1, 300, 200})) << "a row above the screen";
}

TEST(RestorePlace, AWindowFittedOnAMonitorMovesAsLittleAsItTakes)
{
    const RECT monitor = {0, 0, 800, 600};
    RECT r = FitOnMonitor(RECT{700, 550, 1000, 750}, monitor);
    EXPECT_EQ(500, r.left);
    EXPECT_EQ(400, r.top);
    EXPECT_EQ(800, r.right);
    EXPECT_EQ(600, r.bottom);
    r = FitOnMonitor(RECT{-50, 100, 250, 300}, monitor);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(100, r.top);
    r = FitOnMonitor(RECT{100, 100, 1100, 300}, monitor);
    EXPECT_EQ(0, r.left) << "wider than the monitor: from its left edge";
    EXPECT_EQ(1000, r.right);
    r = FitOnMonitor(RECT{100, 100, 300, 300}, RECT{-800, 0, 0, 600});
    EXPECT_EQ(-200, r.left) << "onto a monitor at negative x";
}

// A strip open on a monitor when the display changes: every window goes back
// to its place on its own monitor, which may lie elsewhere now.
TEST(RestorePlace, AWindowWhoseMonitorIsStillThereGoesBackToTheSamePlaceOnIt)
{
    const MonitorLayout before = Layout({{{0, 0, 1024, 768}, kFirst}, {{1024, 0, 1824, 600}, kSecond}});
    const RECT pushed = {1374, 100, 1674, 300}; // pushed from (1200, 100) by the second monitor's right bar

    const MonitorLayout same = before;
    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(before, same, POINT{1200, 100}, pushed), 1200, 100));

    const MonitorLayout movedLeft = Layout({{{0, 0, 1024, 768}, kFirst}, {{-800, 0, 0, 600}, kSecond}});
    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(before, movedLeft, POINT{1200, 100}, pushed), -624, 100))
        << "the second monitor moved to the left of the primary";
    EXPECT_TRUE(
        MovesTo(PlaceAfterDisplayChange(before, movedLeft, POINT{100, 300}, RECT{150, 300, 450, 500}), 100, 300))
        << "a window of the primary stays on it";

    // The other monitor made primary: every coordinate shifts.
    const MonitorLayout swapped = Layout({{{0, 0, 800, 600}, kSecond}, {{-1024, 0, 0, 768}, kFirst}});
    EXPECT_TRUE(
        MovesTo(PlaceAfterDisplayChange(before, swapped, POINT{100, 300}, RECT{150, 300, 450, 500}), -924, 300));
    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(before, swapped, POINT{1200, 100}, pushed), 176, 100));

    // The same monitor at a smaller size: a place no longer shown comes onto it.
    const MonitorLayout smaller = Layout({{{0, 0, 800, 600}, kFirst}});
    const MonitorLayout single = Layout({{{0, 0, 1024, 768}, kFirst}});
    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(single, smaller, POINT{20, 620}, RECT{170, 620, 470, 740}), 20, 480));
    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(single, smaller, POINT{60, 400}, RECT{150, 400, 450, 600}), 60, 400))
        << "its top row still shown";
}

// Windows moves the windows of a monitor that goes away onto another one
// itself; Wine leaves them where no monitor is any more.
TEST(RestorePlace, AWindowWhoseMonitorIsGoneStaysWhereItIsShownOrComesOntoTheNearestMonitor)
{
    const MonitorLayout before = Layout({{{0, 0, 1024, 768}, kFirst}, {{1024, 0, 1824, 600}, kSecond}});
    const MonitorLayout after = Layout({{{0, 0, 1024, 768}, kFirst}});

    const RestorePlace stays = PlaceAfterDisplayChange(before, after, POINT{1200, 100}, RECT{500, 100, 800, 300});
    EXPECT_FALSE(stays.move) << "the window system put it on the primary";

    EXPECT_TRUE(MovesTo(PlaceAfterDisplayChange(before, after, POINT{1200, 100}, RECT{1374, 100, 1674, 300}), 724, 100))
        << "left where its monitor was: onto the primary, wholly";
    EXPECT_TRUE(
        MovesTo(PlaceAfterDisplayChange(before, after, POINT{1200, 400}, RECT{1374, 400, 1674, 1000}), 724, 168))
        << "taller than what is left below its place";

    // A monitor gone on a layout whose devices have no names (read without
    // them): the layout's only screen counts as the same one.
    const MonitorLayout unnamed = Layout({{{0, 0, 1024, 768}, ""}});
    const MonitorLayout unnamedSmaller = Layout({{{0, 0, 800, 600}, ""}});
    EXPECT_TRUE(
        MovesTo(PlaceAfterDisplayChange(unnamed, unnamedSmaller, POINT{60, 400}, RECT{150, 400, 450, 600}), 60, 400));
}

// A display change reported within two seconds of a restore may have
// overtaken it, also across the wrap of the tick count.
TEST(RestorePlace, ADisplayChangeOvertakesOnlyARestoreOfTheLastTwoSeconds)
{
    EXPECT_TRUE(RestoreOvertaken(10000, 10000));
    EXPECT_TRUE(RestoreOvertaken(10000, 11999));
    EXPECT_FALSE(RestoreOvertaken(10000, 12000));
    EXPECT_FALSE(RestoreOvertaken(10000, 9999)) << "a tick count before the restore is almost fifty days after it";
    EXPECT_TRUE(RestoreOvertaken(0xFFFFFF00u, 0x00000500u)) << "1,536 ms later, across the wrap";
    EXPECT_FALSE(RestoreOvertaken(0xFFFFFF00u, 0x00000800u));
}
