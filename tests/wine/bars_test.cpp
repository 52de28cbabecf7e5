// The bars of the real program as the window system and the user see them:
// their places, colour and transparency, and the open a held button starts.
#include "brellox_fixture.h"

#include "core/window_names.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class Bars : public BrelloxTest {};

TEST_F(Bars, TakeTheirRestRectanglesAndTheChosenColour)
{
    Start("[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\n"
          "Width=10\r\nOffset=100\r\nColor=300,200,30\r\nAlpha=0\r\n");
    const RECT rest[EDGE_COUNT] = {{0, 100, 10, 668}, {1014, 100, 1024, 668}, {100, 0, 924, 10}, {100, 758, 924, 768}};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        SCOPED_TRACE(BarName(static_cast<Edge>(edge)));
        EXPECT_TRUE(ComesTo(bars_.bars[edge], rest[edge]));
        const RECT r = rest[edge];
        EXPECT_TRUE(IsWindowVisible(bars_.bars[edge]));
        EXPECT_TRUE(GetWindowLongA(bars_.bars[edge], GWL_EXSTYLE) & WS_EX_TOPMOST);

        // What the user sees in the middle of the bar: the colour from the low
        // byte of each component, opaque.
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(x, y) == RGB(44, 200, 30); }, kStartTimeoutMs))
            << std::hex << "pixel 0x" << ScreenPixel(x, y);
    }
}

TEST_F(Bars, EveryBarIsLayeredWithTheAlphaOfTheTransparency)
{
    Start("[Brellox]\r\nLeft=0\r\nTop=1\r\nAlpha=50\r\n");
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        SCOPED_TRACE(BarName(static_cast<Edge>(edge)));
        EXPECT_TRUE(GetWindowLongA(bars_.bars[edge], GWL_EXSTYLE) & WS_EX_LAYERED) << "enabled or not";
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(bars_.bars[edge], NULL, &alpha, &flags));
        EXPECT_EQ(127, alpha);
        EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
    }
    EXPECT_FALSE(IsWindowVisible(bars_.bars[EdgeLeft]));
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeTop]));
}

TEST_F(Bars, FullTransparencyStillLeavesTheBarsVisible)
{
    Start("[Brellox]\r\nAlpha=100\r\n");
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(bars_.bars[EdgeLeft], NULL, &alpha, NULL));
    EXPECT_EQ(1, alpha);
}

// A button held over a bar while another window has captured the mouse, as a
// drag-and-drop source does: the bar gets no mouse messages, and the hover poll
// and the dwell open it. The drag keeps the front and the mouse until it is
// over; then the bar takes the front, as after any open.
TEST_F(Bars, AButtonHeldOverABarDuringADragOpensItAfterTheDwell)
{
    Start("[Brellox]\r\n");

    HWND pushed = Sample({60, 80, 360, 280});
    HWND source = Sample({500, 300, 800, 500}, SW_SHOW);

    ASSERT_TRUE(DragFromWindowTo(source, 1, 400)) << "over the left bar";
    const DWORD start = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return RectOf(pushed).left == 150; }, 3000)) << "pushed out of the strip";
    const DWORD openedAfter = GetTickCount() - start;
    EXPECT_EQ(150, RectOf(bars_.bars[EdgeLeft]).left);
    EXPECT_GE(openedAfter, 250u) << "the dwell waits before it opens";
    EXPECT_TRUE(HoldsFor([&] { return GetForegroundWindow() == source && RectOf(pushed).left == 150; }, 300))
        << "the drag keeps the front while it goes on";
    EXPECT_EQ(source, GetCapture()) << "and the mouse";

    EndDragFromWindow();
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == bars_.bars[EdgeLeft]; }, 2000));
    EXPECT_TRUE(HoldsFor([&] { return RectOf(pushed).left == 150; }, 300)) << "the strip stays clear";
    ClickWindow(pushed);
    EXPECT_TRUE(WaitUntil([&] { return RectOf(pushed).left == 60; }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return RectOf(bars_.bars[EdgeLeft]).left == 0; }, 1000));
}

} // namespace
