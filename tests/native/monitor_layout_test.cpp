#include "bars/bar_layout.h"
#include "native_support.h"
#include "sweep/open_geometry.h"
#include "sweep/restore_targets.h"
#include "sweep/sweep_verdict.h"
#include "sweep/watch_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

const char *const kEdgeNames[EDGE_COUNT] = {"left", "right", "top", "bottom"};

MonitorLayout Layout(std::initializer_list<RECT> monitors, int dpi = 96)
{
    MonitorLayout layout = {};
    bool primary = true;
    for (const RECT &r : monitors) {
        AddMonitor(&layout, r, dpi, primary);
        primary = false;
    }
    return layout;
}

// Every bar of a layout as "monitor edge x y cx cy", Width 2 and no Offset.
std::vector<std::string> Bars(const MonitorLayout &layout, int width = 2, int offset = 0)
{
    std::vector<std::string> bars;
    for (int bar = 0; bar < BAR_SLOTS; ++bar) {
        if (!BarExists(layout, bar))
            continue;
        const BarRect r = BarRest(layout, bar, width, offset);
        bars.push_back(std::to_string(BarMonitor(bar)) + " " + kEdgeNames[BarEdge(bar)] + " " + std::to_string(r.x) +
                       " " + std::to_string(r.y) + " " + std::to_string(r.cx) + " " + std::to_string(r.cy));
    }
    return bars;
}

using Names = std::vector<std::string>;

} // namespace

// The two layouts the test bed makes: only outer edges carry bars, each flush
// with its own monitor's edge.
TEST(MonitorLayout, SideBySideMonitorsHaveBarsOnlyOnTheirOuterEdges)
{
    EXPECT_EQ(Bars(Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}})),
              (Names{"0 left 0 0 2 768", "0 top 0 0 1024 2", "0 bottom 0 766 1024 2", "1 right 1822 0 2 600",
                     "1 top 1024 0 800 2", "1 bottom 1024 598 800 2"}));
    EXPECT_EQ(Bars(Layout({{0, 0, 800, 600}, {800, 0, 1824, 768}})),
              (Names{"0 left 0 0 2 600", "0 top 0 0 800 2", "0 bottom 0 598 800 2", "1 right 1822 0 2 768",
                     "1 top 800 0 1024 2", "1 bottom 800 766 1024 2"}));
    EXPECT_EQ(Bars(Layout({{0, 0, 1024, 768}})),
              (Names{"0 left 0 0 2 768", "0 right 1022 0 2 768", "0 top 0 0 1024 2", "0 bottom 0 766 1024 2"}))
        << "a single screen keeps all four";
}

// Layouts the test bed cannot make: a monitor left of or above the primary
// (negative coordinates), three in an L, a partial overlap, gaps.
TEST(MonitorLayout, AnEdgeTouchedAlongAnyPartOfItsLengthWithinAPixelCarriesNoBar)
{
    EXPECT_EQ(Bars(Layout({{0, 0, 1920, 1080}, {-1280, 56, 0, 1080}})),
              (Names{"0 right 1918 0 2 1080", "0 top 0 0 1920 2", "0 bottom 0 1078 1920 2", "1 left -1280 56 2 1024",
                     "1 top -1280 56 1280 2", "1 bottom -1280 1078 1280 2"}))
        << "a monitor at negative x, shorter and lower";
    EXPECT_EQ(Bars(Layout({{0, 0, 1920, 1080}, {0, -1080, 1920, 0}})),
              (Names{"0 left 0 0 2 1080", "0 right 1918 0 2 1080", "0 bottom 0 1078 1920 2", "1 left 0 -1080 2 1080",
                     "1 right 1918 -1080 2 1080", "1 top 0 -1080 1920 2"}))
        << "stacked above";
    EXPECT_EQ(
        Bars(Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}, {0, 768, 1024, 1536}})),
        (Names{"0 left 0 0 2 768", "0 top 0 0 1024 2", "1 right 1822 0 2 600", "1 top 1024 0 800 2",
               "1 bottom 1024 598 800 2", "2 left 0 768 2 768", "2 right 1022 768 2 768", "2 bottom 0 1534 1024 2"}))
        << "three in an L: the second's bottom lies beside the third only at a corner";

    const MonitorLayout overlapping = Layout({{0, 0, 1024, 768}, {1000, 100, 1800, 700}});
    EXPECT_FALSE(OuterEdge(overlapping, 0, EdgeRight)) << "a monitor overlapping across the edge";
    EXPECT_FALSE(OuterEdge(overlapping, 1, EdgeLeft));
    EXPECT_FALSE(OuterEdge(overlapping, 1, EdgeTop)) << "the primary lies above its first 24 columns";
    EXPECT_TRUE(OuterEdge(overlapping, 1, EdgeRight));

    EXPECT_FALSE(OuterEdge(Layout({{0, 0, 1024, 768}, {1025, 0, 1825, 600}}), 0, EdgeRight)) << "a pixel apart";
    EXPECT_TRUE(OuterEdge(Layout({{0, 0, 1024, 768}, {1026, 0, 1826, 600}}), 0, EdgeRight)) << "two pixels apart";
    EXPECT_TRUE(OuterEdge(Layout({{0, 0, 1024, 768}, {1024, 768, 1824, 1368}}), 0, EdgeRight)) << "a corner only";
    EXPECT_TRUE(OuterEdge(Layout({{0, 0, 1024, 768}, {1024, 768, 1824, 1368}}), 0, EdgeBottom));
    EXPECT_FALSE(OuterEdge(Layout({{0, 0, 1024, 768}, {1024, 767, 1824, 1367}}), 0, EdgeRight)) << "one row shared";
}

TEST(MonitorLayout, ThePrimaryComesFirstAndMonitorsWithoutAreaAreNotTaken)
{
    MonitorLayout layout = {};
    AddMonitor(&layout, RECT{1024, 0, 1824, 600}, 120, false, "\\\\.\\DISPLAY2");
    AddMonitor(&layout, RECT{5, 5, 5, 600}, 96, false);
    AddMonitor(&layout, RECT{0, 0, 1024, 768}, 144, true, "\\\\.\\DISPLAY1");
    ASSERT_EQ(2, layout.count);
    EXPECT_EQ(0, layout.monitor[0].rect.left);
    EXPECT_EQ(144, layout.monitor[0].dpi);
    EXPECT_STREQ("\\\\.\\DISPLAY1", layout.monitor[0].device);
    EXPECT_EQ(1024, layout.monitor[1].rect.left);
    EXPECT_EQ(120, layout.monitor[1].dpi);
    EXPECT_STREQ("\\\\.\\DISPLAY2", layout.monitor[1].device);

    MonitorLayout named = {};
    AddMonitor(&named, RECT{0, 0, 10, 10}, 96, true, std::string(100, 'D').c_str());
    EXPECT_EQ(std::string(MONITOR_DEVICE_NAME - 1, 'D'), named.monitor[0].device) << "cut to its room";
}

TEST(MonitorLayout, ALayoutDiffersByAnyMonitorsPlaceSizeScaleOrDevice)
{
    const MonitorLayout two = Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    EXPECT_TRUE(SameLayout(two, Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}})));
    EXPECT_FALSE(SameLayout(two, Layout({{0, 0, 1024, 768}})));
    EXPECT_FALSE(SameLayout(two, Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 601}})));
    EXPECT_FALSE(SameLayout(two, Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}}, 144)));
    EXPECT_FALSE(SameLayout(two, Layout({{1024, 0, 1824, 600}, {0, 0, 1024, 768}}))) << "another primary";
    MonitorLayout otherDevice = Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    strcpy(otherDevice.monitor[1].device, "\\\\.\\DISPLAY3");
    EXPECT_FALSE(SameLayout(two, otherDevice)) << "another monitor in the same place";
}

// Width is pixels at 100 %; the thickness follows each monitor's scale.
TEST(MonitorLayout, ABarsThicknessFollowsItsMonitorsScale)
{
    EXPECT_EQ(2, ScaledWidth(2, 96));
    EXPECT_EQ(3, ScaledWidth(2, 144));
    EXPECT_EQ(4, ScaledWidth(2, 192));
    EXPECT_EQ(1, ScaledWidth(1, 120)) << "1.25 rounds down";
    EXPECT_EQ(15, ScaledWidth(10, 144));
    EXPECT_EQ(2, ScaledWidth(2, 0)) << "no scale read: 100 %";

    MonitorLayout layout = Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    layout.monitor[1].dpi = 144;
    EXPECT_EQ(Bars(layout), (Names{"0 left 0 0 2 768", "0 top 0 0 1024 2", "0 bottom 0 766 1024 2",
                                   "1 right 1821 0 3 600", "1 top 1024 0 800 3", "1 bottom 1024 597 800 3"}));
}

// Offset stays a rule of the primary's size: on a smaller monitor a bar whose
// edge is shorter than both offsets is 0 long.
TEST(MonitorLayout, AnOffsetLongerThanHalfAMonitorsEdgeLeavesItsBarEmpty)
{
    const MonitorLayout layout = Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    EXPECT_EQ(Bars(layout, 2, 384), (Names{"0 left 0 384 2 0", "0 top 384 0 256 2", "0 bottom 384 766 256 2",
                                           "1 right 1822 384 2 0", "1 top 1408 0 32 2", "1 bottom 1408 598 32 2"}));
}

TEST(MonitorLayout, OpensAndDragsStayOnTheBarsOwnMonitor)
{
    const RECT second = {1024, 0, 1824, 600};
    OpenPlan plan = OpenEdgeGeometry(EdgeRight, 75, 2, second, 0);
    EXPECT_EQ(1674, plan.bar.x);
    EXPECT_EQ(0, plan.bar.y);
    EXPECT_EQ(1674, plan.line);
    plan = OpenEdgeGeometry(EdgeTop, 75, 2, second, 10);
    EXPECT_EQ(1034, plan.bar.x);
    EXPECT_EQ(150, plan.bar.y);
    EXPECT_EQ(150, plan.line);
    plan = OpenEdgeGeometry(EdgeBottom, 113, 2, second, 0);
    EXPECT_EQ(374, plan.line) << "600 - 2 cells of 113";
    plan = OpenEdgeGeometry(EdgeLeft, 75, 2, RECT{-1280, 56, 0, 1080}, 0);
    EXPECT_EQ(-1130, plan.line);
    EXPECT_EQ(56, plan.bar.y);

    RECT dragged = {1500, -40, 1502, 900};
    ConstrainMove(EdgeRight, second, 0, true, &dragged);
    EXPECT_EQ(1500, dragged.left);
    EXPECT_EQ(0, dragged.top);
    EXPECT_EQ(600, dragged.bottom) << "held to the second monitor's rows";
    dragged = RECT{0, 300, 3000, 302};
    ConstrainMove(EdgeBottom, second, 20, true, &dragged);
    EXPECT_EQ(1044, dragged.left);
    EXPECT_EQ(1804, dragged.right);
    EXPECT_EQ(300, dragged.top);
}

namespace {

struct TwoMonitorDesk {
    HWND bars[BAR_SLOTS] = {Handle(1), NULL, Handle(3), Handle(4), NULL, Handle(6), Handle(7), Handle(8)};
    MovedWindowTable table;
    TwoMonitorDesk() { ClearMovedWindows(&table); }

    SweepAction Sweep(const RECT &monitor, bool several, Edge edge, LONG line, uintptr_t id, const RECT &r)
    {
        CandidateWindow w = {};
        w.hwnd = Handle(id);
        w.known = ALL_WINDOW_FACTS;
        w.visible = w.rectRead = w.answers = true;
        w.rect = r;
        w.showCmd = 1;
        const SweepWorld world = {monitor, several, bars, Handle(50), NULL, &table, NULL};
        return SweepWindow(edge, line, w, world).action;
    }
};

} // namespace

// Beside another monitor, a sweep judges only the windows alongside its own
// monitor's edge; those that straddle into it are pushed like any other.
TEST(MonitorLayout, ASweepJudgesOnlyWindowsAlongsideItsMonitorsEdge)
{
    const RECT primary = {0, 0, 1024, 768};
    const RECT second = {1024, 0, 1824, 600};
    TwoMonitorDesk desk;
    EXPECT_EQ(RecordAndMove, desk.Sweep(second, true, EdgeTop, 150, 100, {1100, 50, 1300, 250}));
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeTop, 150, 101, {100, 50, 300, 250})) << "on the primary";
    EXPECT_EQ(RecordAndMove, desk.Sweep(second, true, EdgeTop, 150, 102, {900, 50, 1200, 250})) << "straddling";
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeBottom, 450, 103, {100, 650, 300, 700}))
        << "below the second monitor's bottom line, but on the primary";
    EXPECT_EQ(RecordAndMove, desk.Sweep(primary, true, EdgeLeft, 150, 104, {100, 650, 300, 700}));
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeRight, 1674, 105, {1700, 620, 1900, 700}))
        << "beside the second monitor's right edge, but below its rows";
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeTop, 150, 6, {1100, 0, 1300, 2})) << "a bar of the second monitor";
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeRight, 1674, 106, {1830, 100, 1900, 200}))
        << "wholly beyond the second monitor's right edge";

    // A line at the far side of its monitor (a drag held there, a wide open)
    // reaches no window of the monitor beyond it.
    EXPECT_EQ(Leave, desk.Sweep(primary, true, EdgeLeft, 1024, 109, {1024, 100, 1300, 300}))
        << "on the second monitor, its left edge on the line";
    EXPECT_EQ(RecordAndMove, desk.Sweep(primary, true, EdgeLeft, 1024, 110, {1023, 100, 1300, 300}))
        << "a column on the primary";
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeRight, 1024, 111, {700, 100, 1024, 300})) << "on the primary";
    EXPECT_EQ(Leave, desk.Sweep(second, true, EdgeBottom, 0, 112, {1100, -300, 1300, 0})) << "above the second monitor";
    EXPECT_EQ(Leave, desk.Sweep(primary, true, EdgeTop, 2000, 113, {100, 768, 300, 900})) << "below the primary";
    EXPECT_EQ(RecordAndMove, desk.Sweep(primary, false, EdgeLeft, 1024, 114, {1024, 100, 1300, 300}))
        << "a single screen judges every window as before";

    // A single screen judges every window, off-screen ones included.
    EXPECT_EQ(RecordAndMove, desk.Sweep(primary, false, EdgeLeft, 150, 107, {100, 900, 300, 1000}));
    EXPECT_EQ(Leave, desk.Sweep(primary, true, EdgeLeft, 150, 108, {100, 900, 300, 1000}));
}

// The hot key opens the first enabled bar, left, right, top, bottom, of the
// monitor under the pointer; an edge shared with another monitor has no bar
// to open, and a pointer off every monitor counts for the nearest one.
TEST(MonitorLayout, TheHotKeyOpensTheFirstEnabledBarOfTheMonitorUnderThePointer)
{
    const MonitorLayout layout = Layout({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    bool aside[BAR_SLOTS] = {};
    const auto chosen = [&](POINT pointer, std::initializer_list<bool> edges) {
        bool enabled[EDGE_COUNT];
        std::copy(edges.begin(), edges.end(), enabled);
        int bar = -1;
        return HotkeyBar(layout, pointer, enabled, aside, &bar) ? bar : -1;
    };
    EXPECT_EQ(BarSlot(0, EdgeLeft), chosen({500, 300}, {true, true, true, true}));
    EXPECT_EQ(BarSlot(0, EdgeTop), chosen({500, 300}, {false, true, true, true}))
        << "the primary's right edge touches the second monitor";
    EXPECT_EQ(BarSlot(1, EdgeRight), chosen({1024, 300}, {true, true, true, true}))
        << "the second's left edge carries no bar";
    EXPECT_EQ(BarSlot(1, EdgeBottom), chosen({1823, 599}, {true, false, false, true}));
    EXPECT_EQ(-1, chosen({1500, 300}, {true, false, false, false})) << "no bar of that monitor is enabled";
    EXPECT_EQ(BarSlot(1, EdgeTop), chosen({1500, 700}, {false, false, true, false}))
        << "below the second monitor, nearer to it than to the primary";
    EXPECT_EQ(BarSlot(0, EdgeTop), chosen({900, 1000}, {false, false, true, false}))
        << "below the primary, nearer to it";
    EXPECT_EQ(BarSlot(1, EdgeTop), chosen({3000, -5000}, {false, false, true, false}));
    EXPECT_EQ(BarSlot(0, EdgeLeft), chosen({INT32_MIN, INT32_MAX}, {true, false, false, false}));

    // A full-screen program on the second monitor sets its bars aside: the
    // key opens nothing there, and the primary's bars as before.
    for (Edge edge : {EdgeRight, EdgeTop, EdgeBottom})
        aside[BarSlot(1, edge)] = true;
    EXPECT_EQ(-1, chosen({1500, 300}, {true, true, true, true})) << "the bar it would open stands aside";
    EXPECT_EQ(BarSlot(0, EdgeLeft), chosen({500, 300}, {true, true, true, true}));
}

// More monitors than bar slots: the primary always has its bars, however late
// it is reported; the monitors past the slots have none, and an edge that
// meets one of them is still inner, so no bar stands where the pointer crosses.
TEST(MonitorLayout, PastTheSlotsMonitorsHaveNoBarsButStillMakeTheEdgesTheyMeetInner)
{
    // A row of ten monitors, the primary reported last.
    MonitorLayout layout = {};
    for (int i = 0; i < 9; ++i)
        AddMonitor(&layout, RECT{1000 * (i + 1), 0, 1000 * (i + 2), 800}, 96, false);
    AddMonitor(&layout, RECT{0, 0, 1000, 800}, 96, true);
    ASSERT_EQ(10, layout.count);
    EXPECT_EQ(0, layout.monitor[0].rect.left) << "the primary first";
    for (Edge edge : {EdgeLeft, EdgeTop, EdgeBottom})
        EXPECT_TRUE(BarExists(layout, BarSlot(0, edge))) << "the primary's edge " << edge;
    EXPECT_EQ(7000, layout.monitor[MONITOR_SLOTS - 1].rect.left) << "the eighth, the last with bars";
    EXPECT_FALSE(BarExists(layout, BarSlot(MONITOR_SLOTS - 1, EdgeRight)))
        << "its right edge meets the ninth monitor, which has no bars";
    EXPECT_TRUE(BarExists(layout, BarSlot(MONITOR_SLOTS - 1, EdgeTop)));

    // The hot key over a monitor without bars opens nothing.
    const bool enabled[EDGE_COUNT] = {true, true, true, true};
    const bool aside[BAR_SLOTS] = {};
    int bar = -1;
    EXPECT_FALSE(HotkeyBar(layout, POINT{9500, 400}, enabled, aside, &bar));
    EXPECT_TRUE(HotkeyBar(layout, POINT{7500, 400}, enabled, aside, &bar));
    EXPECT_EQ(BarSlot(MONITOR_SLOTS - 1, EdgeTop), bar);

    // A full layout: the primary, reported last, takes the last one's place.
    MonitorLayout full = {};
    for (int i = 0; i < KNOWN_MONITORS + 3; ++i)
        AddMonitor(&full, RECT{1000 * (i + 1), 0, 1000 * (i + 2), 800}, 96, false);
    ASSERT_EQ(KNOWN_MONITORS, full.count);
    AddMonitor(&full, RECT{0, 0, 1000, 800}, 96, true);
    EXPECT_EQ(KNOWN_MONITORS, full.count);
    EXPECT_EQ(0, full.monitor[0].rect.left);
    EXPECT_EQ(1000, full.monitor[1].rect.left);
    EXPECT_EQ(1000 * (KNOWN_MONITORS - 1), full.monitor[KNOWN_MONITORS - 1].rect.left)
        << "the monitor reported last gave way";
}
