#include "bars/bar_geometry.h"
#include "native_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <utility>

namespace {

void ExpectRect(const BarRect &actual, LONG x, LONG y, LONG cx, LONG cy, const char *bar)
{
    EXPECT_EQ(x, actual.x) << bar << " bar left";
    EXPECT_EQ(y, actual.y) << bar << " bar top";
    EXPECT_EQ(cx, actual.cx) << bar << " bar width";
    EXPECT_EQ(cy, actual.cy) << bar << " bar height";
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

TEST(BarColor, PacksTheLowByteOfEachComponentRedFirst)
{
    EXPECT_EQ(0x00FFFFu, BarColor(255, 255, 0)) << "the default yellow";
    EXPECT_EQ(0x030201u, BarColor(1, 2, 3)) << "red in the low byte, blue in the third";
    EXPECT_EQ(0x0000FFu, BarColor(255, 0, 0));
    EXPECT_EQ(0x00FF00u, BarColor(0, 255, 0));
    EXPECT_EQ(0xFF0000u, BarColor(0, 0, 255));

    EXPECT_EQ(44u, BarColor(300, 0, 0)) << "R 300 draws as 44";
    EXPECT_EQ(0x2C2C2Cu, BarColor(300, 300, 300)) << "no component spills into its neighbour";
    EXPECT_EQ(0x00FF00u, BarColor(256, -1, 512));
    EXPECT_EQ(0xFE00FFu, BarColor(-1, -256, -2)) << "negative components keep their low byte";
    EXPECT_EQ(0x000080u, BarColor(INT_MIN + 0x80, 0, 0));
    EXPECT_EQ(0xFF0000u, BarColor(0, 0, INT_MAX)) << "the high bytes never reach the top of the colour";
}

} // namespace

// A diagonal drag proposes a rectangle moved both ways and, after an earlier
// constraint, already of the rest extent or not.
TEST(ConstrainMove, SideBarsMoveOnlySidewaysAndKeepTheirRestExtent)
{
    const RECT screen = {0, 0, 1024, 768};
    for (Edge edge : {EdgeLeft, EdgeRight}) {
        RECT dragged = {298, 40, 300, 808};
        ConstrainMove(edge, screen, 10, &dragged);
        EXPECT_EQ(298, dragged.left);
        EXPECT_EQ(300, dragged.right);
        EXPECT_EQ(10, dragged.top);
        EXPECT_EQ(758, dragged.bottom);
        const BarRect rest = RestRect(edge, screen, 2, 10);
        EXPECT_EQ(rest.y, dragged.top);
        EXPECT_EQ(rest.y + rest.cy, dragged.bottom);
    }
    RECT whole = {-50, -300, -48, 468};
    ConstrainMove(EdgeLeft, screen, 0, &whole);
    EXPECT_EQ(-50, whole.left) << "how far it moves is not limited";
    EXPECT_EQ(0, whole.top);
    EXPECT_EQ(768, whole.bottom) << "with no offset the whole screen height";
}

TEST(ConstrainMove, TopAndBottomBarsMoveOnlyUpAndDownAndKeepTheirRestExtent)
{
    const RECT screen = {0, 0, 1920, 1080};
    for (Edge edge : {EdgeTop, EdgeBottom}) {
        RECT dragged = {-120, 500, 1800, 505};
        ConstrainMove(edge, screen, 539, &dragged);
        EXPECT_EQ(539, dragged.left);
        EXPECT_EQ(1381, dragged.right);
        EXPECT_EQ(500, dragged.top);
        EXPECT_EQ(505, dragged.bottom);
        const BarRect rest = RestRect(edge, screen, 5, 539);
        EXPECT_EQ(rest.x, dragged.left);
        EXPECT_EQ(rest.x + rest.cx, dragged.right);
    }
}

namespace {

const DWORD kPopup = 0x80000000;
const DWORD kOverlappedWindow = 0x00CF0000;
const DWORD kDialogFrame = 0x00400000; // half of the caption: a frame, no title bar

FrontWindow Front(const char *className, RECT rect, DWORD style)
{
    FrontWindow front = {};
    strcpy(front.className, className);
    front.rect = rect;
    front.style = style;
    front.monitor = RECT{0, 0, 1024, 768};
    return front;
}

// A video, slides or a game covers its monitor without a caption; the bars
// stand aside for it, never for the desktop or a maximised window.
TEST(IsFullScreen, ACaptionlessWindowOverTheWholeMonitorButNotTheDesktopOrAMaximisedWindow)
{
    EXPECT_TRUE(IsFullScreen(Front("Video", {0, 0, 1024, 768}, kPopup)));
    EXPECT_TRUE(IsFullScreen(Front("Game", {-8, -8, 1032, 776}, kPopup | kDialogFrame))) << "past every side";
    EXPECT_FALSE(IsFullScreen(Front("Notepad", {-8, -8, 1032, 776}, kOverlappedWindow))) << "maximised, captioned";
    EXPECT_FALSE(IsFullScreen(Front("Video", {0, 0, 1024, 767}, kPopup))) << "one row short";
    EXPECT_FALSE(IsFullScreen(Front("Video", {1, 0, 1024, 768}, kPopup))) << "one column short";
    EXPECT_FALSE(IsFullScreen(Front("Progman", {0, 0, 1024, 768}, kPopup))) << "the icon host is the desktop";
    EXPECT_FALSE(IsFullScreen(Front("WorkerW", {0, 0, 1024, 768}, kPopup)));
    FrontWindow own = Front("CBrellox", {0, 0, 1024, 768}, kPopup);
    own.exempt = true;
    EXPECT_FALSE(IsFullScreen(own)) << "no window, the desktop's or Brellox's own";

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

} // namespace
