#include "bars/bar_geometry.h"
#include "bars/full_screen.h"
#include "core/window_names.h"
#include "native_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

void ExpectRect(const BarRect &actual, LONG x, LONG y, LONG cx, LONG cy, const char *bar)
{
    EXPECT_EQ(x, actual.x) << bar << " bar left";
    EXPECT_EQ(y, actual.y) << bar << " bar top";
    EXPECT_EQ(cx, actual.cx) << bar << " bar width";
    EXPECT_EQ(cy, actual.cy) << bar << " bar height";
}

void ExpectEdges(const RECT &actual, const RECT &expected, const std::string &what)
{
    EXPECT_EQ(expected.left, actual.left) << what << " left";
    EXPECT_EQ(expected.top, actual.top) << what << " top";
    EXPECT_EQ(expected.right, actual.right) << what << " right";
    EXPECT_EQ(expected.bottom, actual.bottom) << what << " bottom";
}

// True when the two rectangles share at least one pixel; the overlap is written out.
bool Overlap(const BarRect &a, const BarRect &b, BarRect *common)
{
    LONG left = std::max(a.x, b.x);
    LONG top = std::max(a.y, b.y);
    LONG right = std::min(a.x + a.cx, b.x + b.cx);
    LONG bottom = std::min(a.y + a.cy, b.y + b.cy);
    *common = {left, top, right - left, bottom - top};
    return left < right && top < bottom;
}

TEST(RestRect, EachBarLiesFlushWithItsEdgeWithTheOffsetFreeAtBothEnds)
{
    ExpectRect(RestRect(EdgeLeft, kMonitor1024, 10, 100), 0, 100, 10, 568, "left");
    ExpectRect(RestRect(EdgeRight, kMonitor1024, 10, 100), 1014, 100, 10, 568, "right");
    ExpectRect(RestRect(EdgeTop, kMonitor1024, 10, 100), 100, 0, 824, 10, "top");
    ExpectRect(RestRect(EdgeBottom, kMonitor1024, 10, 100), 100, 758, 824, 10, "bottom");
}

TEST(RestRect, TheLargestOffsetLeavesTheSideBarsEmptyAndTheOthersAQuarterLong)
{
    ExpectRect(RestRect(EdgeLeft, kMonitor1024, 2, 384), 0, 384, 2, 0, "left");
    ExpectRect(RestRect(EdgeRight, kMonitor1024, 2, 384), 1022, 384, 2, 0, "right");
    ExpectRect(RestRect(EdgeTop, kMonitor1024, 2, 384), 384, 0, 256, 2, "top");
    ExpectRect(RestRect(EdgeBottom, kMonitor1024, 2, 384), 384, 766, 256, 2, "bottom");
}

TEST(RestRect, WithoutOffsetNeighbouringBarsOverlapInSquaresAtTheCorners)
{
    const int width = 7;
    BarRect bar[EDGE_COUNT];
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        bar[edge] = RestRect(static_cast<Edge>(edge), kMonitor1024, width, 0);

    struct Corner {
        Edge a;
        Edge b;
        LONG x;
        LONG y;
        const char *name;
    };
    const Corner corners[] = {
        {EdgeLeft, EdgeTop, 0, 0, "top left"},
        {EdgeRight, EdgeTop, 1024 - width, 0, "top right"},
        {EdgeLeft, EdgeBottom, 0, 768 - width, "bottom left"},
        {EdgeRight, EdgeBottom, 1024 - width, 768 - width, "bottom right"},
    };
    for (const Corner &corner : corners) {
        BarRect common;
        ASSERT_TRUE(Overlap(bar[corner.a], bar[corner.b], &common)) << corner.name;
        ExpectRect(common, corner.x, corner.y, width, width, corner.name);
    }

    BarRect common;
    EXPECT_FALSE(Overlap(bar[EdgeLeft], bar[EdgeRight], &common)) << "opposite bars never meet";
    EXPECT_FALSE(Overlap(bar[EdgeTop], bar[EdgeBottom], &common)) << "opposite bars never meet";
}

TEST(RestRect, TheDefaultLeftBarCoversTheWholeLeftEdge)
{
    ExpectRect(RestRect(EdgeLeft, kMonitor1024, 2, 0), 0, 0, 2, 768, "left");
    ExpectRect(RestRect(EdgeBottom, kMonitor1024, 2, 0), 0, 766, 1024, 2, "bottom");
}

TEST(AlphaByte, EveryPercentageGivesItsOwnVisibleByte)
{
    std::set<int> bytes;
    for (int alpha = 0; alpha <= 100; ++alpha)
        bytes.insert(AlphaByte(alpha));
    EXPECT_EQ(101u, bytes.size()) << "two percentages share one alpha byte";
    EXPECT_EQ(1, *bytes.begin()) << "no setting may make the bars fully invisible";
    EXPECT_EQ(255, *bytes.rbegin());
}

TEST(AlphaByte, DropsTheFractionAndGivesOneForAHundred)
{
    const std::pair<int, int> cases[] = {{0, 255}, {1, 252}, {10, 229}, {25, 191}, {50, 127},
                                         {75, 63}, {90, 25}, {99, 2},   {100, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(c.second, AlphaByte(c.first)) << "Alpha " << c.first;
}

} // namespace

// A diagonal drag proposes a rectangle moved both ways and, after an earlier
// constraint, already of the rest extent or not.
TEST(ConstrainMove, SideBarsMoveOnlySidewaysAndKeepTheirRestExtent)
{
    const RECT screen = {0, 0, 1024, 768};
    for (Edge edge : {EdgeLeft, EdgeRight}) {
        RECT dragged = {298, 40, 300, 808};
        ConstrainMove(edge, screen, 10, false, &dragged);
        ExpectEdges(dragged, {298, 10, 300, 758}, "edge " + std::to_string(edge));
        const BarRect rest = RestRect(edge, screen, 2, 10);
        EXPECT_EQ(rest.y, dragged.top);
        EXPECT_EQ(rest.y + rest.cy, dragged.bottom);
    }
    RECT whole = {-50, -300, -48, 468};
    ConstrainMove(EdgeLeft, screen, 0, false, &whole);
    EXPECT_EQ(-50, whole.left) << "how far it moves is not limited";
    EXPECT_EQ(0, whole.top);
    EXPECT_EQ(768, whole.bottom) << "with no offset the whole screen height";
    RECT far = {1300, 0, 1302, 768};
    ConstrainMove(EdgeLeft, screen, 0, false, &far);
    EXPECT_EQ(1300, far.left) << "on a single screen not across the edge either";
}

// With several monitors a dragged bar is held across its edge too: its inner
// edge, the drag end's sweep line, stops at the far side of its own monitor,
// however far the pointer goes; towards its own edge it moves as before.
TEST(ConstrainMove, WithSeveralMonitorsABarsInnerEdgeNeverPassesTheFarSideOfItsMonitor)
{
    const RECT second = {1024, 0, 1824, 600};
    struct Case {
        Edge edge;
        RECT dragged;
        RECT held;
    };
    const Case cases[] = {
        {EdgeLeft, {2100, 50, 2102, 650}, {1822, 0, 1824, 600}},
        {EdgeLeft, {1500, 0, 1502, 600}, {1500, 0, 1502, 600}},
        {EdgeLeft, {1822, 0, 1824, 600}, {1822, 0, 1824, 600}},
        {EdgeLeft, {900, 0, 902, 600}, {900, 0, 902, 600}},
        {EdgeRight, {300, 0, 302, 600}, {1024, 0, 1026, 600}},
        {EdgeRight, {1900, 0, 1902, 600}, {1900, 0, 1902, 600}},
        {EdgeTop, {900, 700, 2000, 703}, {1024, 597, 1824, 600}},
        {EdgeTop, {1024, 598, 1824, 601}, {1024, 597, 1824, 600}},
        {EdgeBottom, {1024, -40, 1824, -38}, {1024, 0, 1824, 2}},
        {EdgeBottom, {1024, 650, 1824, 652}, {1024, 650, 1824, 652}},
    };
    for (const Case &c : cases) {
        RECT r = c.dragged;
        ConstrainMove(c.edge, second, 0, true, &r);
        ExpectEdges(r, c.held,
                    "edge " + std::to_string(c.edge) + " from " + std::to_string(c.dragged.left) + "," +
                        std::to_string(c.dragged.top));
    }
}

TEST(ConstrainMove, TopAndBottomBarsMoveOnlyUpAndDownAndKeepTheirRestExtent)
{
    const RECT screen = {0, 0, 1920, 1080};
    for (Edge edge : {EdgeTop, EdgeBottom}) {
        RECT dragged = {-120, 500, 1800, 505};
        ConstrainMove(edge, screen, 539, false, &dragged);
        ExpectEdges(dragged, {539, 500, 1381, 505}, "edge " + std::to_string(edge));
        const BarRect rest = RestRect(edge, screen, 5, 539);
        EXPECT_EQ(rest.x, dragged.left);
        EXPECT_EQ(rest.x + rest.cx, dragged.right);
    }
}

namespace {

const DWORD kPopup = 0x80000000;
const DWORD kOverlappedWindow = 0x00CF0000;
const DWORD kDialogFrame = 0x00400000; // half of the caption: a frame, no title bar
const DWORD kThickFrame = 0x00040000;

FrontWindow Front(const char *className, RECT rect, DWORD style)
{
    FrontWindow front = {};
    strcpy(front.className, className);
    front.rect = rect;
    front.style = style;
    front.monitor = RECT{0, 0, 1024, 768};
    return front;
}

// A video, slides or a game covers its monitor without a caption and is not
// maximized; the bars stand aside for it, never for the desktop or a
// maximized window.
TEST(IsFullScreen, ACaptionlessWindowOverTheWholeMonitorButNotTheDesktopOrAMaximisedWindow)
{
    EXPECT_TRUE(IsFullScreen(Front("Video", {0, 0, 1024, 768}, kPopup)));
    EXPECT_TRUE(IsFullScreen(Front("Game", {-8, -8, 1032, 776}, kPopup | kDialogFrame))) << "past every side";
    EXPECT_FALSE(IsFullScreen(Front("Notepad", {-8, -8, 1032, 776}, kOverlappedWindow))) << "maximised, captioned";
    EXPECT_FALSE(IsFullScreen(Front("Video", {0, 0, 1024, 767}, kPopup))) << "one row short";
    EXPECT_FALSE(IsFullScreen(Front("Video", {1, 0, 1024, 768}, kPopup))) << "one column short";
    EXPECT_FALSE(IsFullScreen(Front("Progman", {0, 0, 1024, 768}, kPopup))) << "the icon host is the desktop";
    EXPECT_FALSE(IsFullScreen(Front("WorkerW", {0, 0, 1024, 768}, kPopup)));
    FrontWindow own = Front(BRELLOX_CLASS_NAME, {0, 0, 1024, 768}, kPopup);
    own.exempt = true;
    EXPECT_FALSE(IsFullScreen(own)) << "no window, the desktop's or Brellox's own";

    // A program that draws its own caption, maximized, covers the monitor (and
    // more, by its frame) while the user works in it.
    FrontWindow drawsItsCaption = Front("Chrome_WidgetWin_1", {-3, -3, 1030, 774}, kPopup | kThickFrame);
    EXPECT_TRUE(IsFullScreen(drawsItsCaption)) << "not maximized: a borderless full-screen program";
    drawsItsCaption.zoomed = true;
    EXPECT_FALSE(IsFullScreen(drawsItsCaption)) << "maximized, with its own caption";
    FrontWindow video = Front("Video", {0, 0, 1024, 768}, kPopup);
    video.zoomed = true;
    EXPECT_FALSE(IsFullScreen(video)) << "a maximized window is never full screen";

    // On a monitor right of the primary, only that monitor counts.
    FrontWindow second = Front("Video", {1024, 0, 1824, 600}, kPopup);
    second.monitor = RECT{1024, 0, 1824, 600};
    EXPECT_TRUE(IsFullScreen(second));
}

TEST(BarOnMonitor, ABarBelongsToTheMonitorItsRestingCornerLiesOn)
{
    const RECT primary = {0, 0, 1024, 768};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        for (int offset : {0, 384})
            EXPECT_TRUE(BarOnMonitor(RestRect(static_cast<Edge>(edge), kMonitor1024, 2, offset), primary))
                << "edge " << edge << ", offset " << offset;
    }
    EXPECT_FALSE(BarOnMonitor(RestRect(EdgeLeft, kMonitor1024, 2, 0), RECT{1024, 0, 1824, 600}));
    EXPECT_FALSE(BarOnMonitor(BarRect{1024, 0, 2, 600}, primary)) << "right and bottom are exclusive";
}

// The menu keys show the menu on the bar's inner edge, open or at rest,
// beside the pointer while the pointer lies along the bar (its far end
// excluded, as a rectangle's), otherwise at the bar's middle.
TEST(KeyMenuPoint, OnTheInnerEdgeBesideThePointerOrAtTheMiddle)
{
    struct Case {
        Edge edge;
        RECT bar;
        POINT pointer;
        POINT expected;
    };
    const Case cases[] = {
        {EdgeLeft, {150, 0, 152, 768}, {600, 300}, {152, 300}},
        {EdgeLeft, {0, 100, 2, 668}, {600, 50}, {2, 384}},
        {EdgeLeft, {0, 100, 2, 668}, {1, 100}, {2, 100}},
        {EdgeLeft, {0, 100, 2, 668}, {1, 668}, {2, 384}},
        {EdgeRight, {874, 0, 876, 768}, {1, 767}, {874, 767}},
        {EdgeRight, {2022, 0, 2024, 600}, {300, 700}, {2022, 300}},
        {EdgeTop, {0, 150, 1024, 152}, {512, 700}, {512, 152}},
        {EdgeTop, {10, 0, 1014, 2}, {1020, 1}, {512, 2}},
        {EdgeBottom, {0, 618, 1024, 620}, {0, 0}, {0, 618}},
        {EdgeBottom, {-800, 598, 0, 600}, {100, 599}, {-400, 598}},
        {EdgeLeft, {0, 384, 2, 384}, {1, 384}, {2, 384}},
    };
    for (const Case &c : cases) {
        const POINT at = KeyMenuPoint(c.edge, c.bar, c.pointer);
        EXPECT_EQ(c.expected.x, at.x) << "edge " << c.edge << ", pointer " << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(c.expected.y, at.y) << "edge " << c.edge << ", pointer " << c.pointer.x << "," << c.pointer.y;
    }
}

} // namespace
