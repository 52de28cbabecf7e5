// The real program when the display changes size under it (a resolution
// changed, a laptop docked), and on a display scaled to 144 DPI.
#include "bars/bar_mouse_win32.h"
#include "brellox_fixture.h"
#include "brellox_thread.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Display : public BrelloxTest {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(ChangeScreenSize(1024, 768)) << "the display back at the size every test expects";
        BrelloxTest::TearDown();
    }
};

TEST_F(Display, ASmallerDisplayMovesTheBarsAndTheOpensAndTheOffsetRuleToItsSize)
{
    // Offset 384 is half of 768, the largest the rule keeps at 1024x768: the
    // side bars are then 0 pixels long. At 800x600 half the height is 300.
    Start("[Brellox]\r\nLeft=1\r\nRight=1\r\nOffset=384\r\n");
    ASSERT_TRUE(ComesTo(bars_.bars[EdgeRight], {1022, 384, 1024, 384}));

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 600}))
        << "Offset loads as 0: " << HasRect(bars_.bars[EdgeLeft], {0, 0, 2, 600});
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeRight], {798, 0, 800, 600}));
    EXPECT_EQ(384, SavedInt("Offset")) << "the file is left as it was";

    // An open of the right bar: two cells of 75 from the new right edge.
    const RECT across = {500, 100, 700, 300};
    HWND window = Sample(across);
    DoubleClick(799, 500);
    EXPECT_TRUE(WaitForRect(window, Moved(across, 450, 100))) << "its right edge on 650: " << HasRect(window, across);
    EXPECT_TRUE(HasRect(bars_.bars[EdgeRight], {650, 0, 652, 600}));
    ClickWindow(window);
    EXPECT_TRUE(WaitForRect(window, across));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeRight], {798, 0, 800, 600}));
}

TEST_F(Display, AChangeWhileABarIsOpenPutsEveryWindowBackAndForgetsIt)
{
    Start("[Brellox]\r\n");
    const RECT at[2] = {{60, 100, 360, 300}, {20, 350, 320, 550}};
    for (const RECT &r : at)
        Sample(r);
    DoubleClick(1, 700);
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(WaitForRect(samples_[i], Moved(at[i], 150, at[i].top))) << i;

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(WaitForRect(samples_[i], at[i])) << "back where it was recorded: " << HasRect(samples_[i], at[i]);
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 600}));

    // Nothing stays recorded: a window moved out of the strip is neither
    // realigned by the next open nor put back by its restore.
    const RECT away = {400, 100, 700, 300};
    SetWindowPos(samples_[0], NULL, away.left, away.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitForRect(samples_[0], away));
    DoubleClick(1, 580);
    ASSERT_TRUE(WaitForRect(samples_[1], Moved(at[1], 150, at[1].top)));
    EXPECT_TRUE(HasRect(samples_[0], away));
    ClickWindow(samples_[1]);
    EXPECT_TRUE(WaitForRect(samples_[1], at[1]));
    EXPECT_TRUE(StaysAt(samples_[0], away, 500));
}

TEST_F(Display, ThereAndBackLeavesTheBarsAndTheWindowsAsTheyWere)
{
    Start("[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\nBottom=1\r\nWidth=5\r\nOffset=100\r\n");
    const RECT rest[EDGE_COUNT] = {{0, 100, 5, 668}, {1019, 100, 1024, 668}, {100, 0, 924, 5}, {100, 763, 924, 768}};
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        ASSERT_TRUE(WaitForRect(bars_.bars[edge], rest[edge])) << edge;
    const RECT at[2] = {{60, 100, 360, 300}, {600, 400, 900, 700}};
    for (const RECT &r : at)
        Sample(r);
    DoubleClick(2, 400);
    ASSERT_TRUE(WaitForRect(samples_[0], Moved(at[0], 150, 100)));

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeRight], {795, 100, 800, 500}));
    ASSERT_TRUE(ChangeScreenSize(1024, 768));
    for (int edge = 0; edge < EDGE_COUNT; ++edge)
        EXPECT_TRUE(ComesTo(bars_.bars[edge], rest[edge]));
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(HasRect(samples_[i], at[i])) << i;
}

TEST_F(Display, AChangeWhileTheOptionsDialogIsUpBringsItsOffsetToTheNewSize)
{
    Start("[Brellox]\r\nOffset=383\r\n");
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 383, 2, 385}));
    HWND dialog = OpenOptionsFromBar(brellox_->Id(), 1, 384);
    ASSERT_NE(nullptr, dialog);
    char text[16] = "";
    GetDlgItemTextA(dialog, 1012, text, sizeof(text));
    ASSERT_STREQ("383", text) << "the highest Offset at 1024x768";

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    EXPECT_TRUE(WaitUntil(
        [&] {
            GetDlgItemTextA(dialog, 1012, text, sizeof(text));
            return lstrcmpA(text, "299") == 0;
        },
        kStartTimeoutMs))
        << "the highest Offset at 800x600, shown " << text;

    ClickWindow(GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return OptionsDialogOf(brellox_->Id()) == NULL; }, kStartTimeoutMs));
    EXPECT_EQ(299, SavedInt("Offset")) << "saved";
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 299, 2, 301}))
        << "applied: " << HasRect(bars_.bars[EdgeLeft], {0, 299, 2, 301});
}

TEST_F(Display, AChangeDuringADragOfABarLosesNothing)
{
    Start("[Brellox]\r\n");
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
    const RECT at = {60, 100, 360, 300};
    HWND window = Sample(at);
    ASSERT_TRUE(PressToDrag(bars_.bars[EdgeLeft], 0, 500));
    ASSERT_TRUE(MovePointer(100, 500));
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {100, 0, 102, 768}));

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    // The drag ends with a sweep at the bar's inner edge, wherever the change
    // and the drag left it; a click elsewhere puts everything back at the new size.
    ASSERT_TRUE(ReleaseDrag(bars_.bars[EdgeLeft]));
    ClickWindow(window);
    EXPECT_TRUE(ComesTo(window, at));
    EXPECT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 2, 600}));
}

// Applying the bars again after a change never lifts them over a full-screen
// program in front: they take their places unseen and show once it leaves.
TEST_F(Display, AChangeWhileAFullScreenProgramIsInFrontLeavesTheBarsAside)
{
    Start(kAllBars);
    HWND fullScreen = Sample({0, 0, 1024, 768}, SW_SHOWNOACTIVATE, WS_POPUP);
    HWND ordinary = Sample({100, 100, 400, 300});
    ASSERT_TRUE(SetForegroundWindow(fullScreen));
    auto hidden = [&] {
        for (HWND bar : bars_.bars) {
            if (IsWindowVisible(bar))
                return false;
        }
        return true;
    };
    ASSERT_TRUE(WaitUntil(hidden, kStartTimeoutMs));

    ASSERT_TRUE(ChangeScreenSize(800, 600));
    ASSERT_TRUE(WaitForRect(bars_.bars[EdgeRight], {798, 0, 800, 600})) << "placed at the new size";
    EXPECT_TRUE(HoldsFor(hidden, 300)) << "still aside";

    ASSERT_TRUE(SetForegroundWindow(ordinary));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(bars_.bars[EdgeRight]) != FALSE; }, kStartTimeoutMs));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeRight], {798, 0, 800, 600}));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeBottom], {0, 598, 800, 600}));
}

// A display scaled to 144 DPI for every program (tools/wine-session.sh --dpi
// 144): the window system's icon cell is then 113 pixels wide, and Brellox,
// aware of the DPI, moves by whole cells of the display's own pixels.
class ScaledDisplay : public Display {};

// Width is pixels at 100 %: at 150 % the bar of Width 2 is 3 pixels thick.
TEST_F(ScaledDisplay, AnOpenMovesTheBarByTwoIconCellsOf113PixelsAndTheBarIsScaled)
{
    ASSERT_EQ(113, GetSystemMetrics(SM_CXICONSPACING))
        << "runs on a display at 144 DPI (tools/wine-session.sh --dpi 144)";
    Start("[Brellox]\r\n");
    ASSERT_TRUE(ComesTo(bars_.bars[EdgeLeft], {0, 0, 3, 768}));
    const RECT across = {100, 100, 400, 300};
    HWND window = Sample(across);
    DoubleClick(1, 700);
    EXPECT_TRUE(ComesTo(window, Moved(across, 226, 100)));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {226, 0, 229, 768}));
    ClickWindow(window);
    EXPECT_TRUE(WaitForRect(window, across));
}

// The edge cursor, drawn 16 pixels square, is shown half as large again at
// 150 %. Run in this process: the window system shows another process's
// cursor only by a handle this one cannot look into.
TEST(ScaledDisplayInProcess, TheEdgeCursorFollowsTheScale)
{
    EndAllBrellox();
    BrelloxThread brellox("scaled-cursor", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    ASSERT_TRUE(MovePointer(400, 400));
    ASSERT_TRUE(MovePointer(1, 300));
    CURSORINFO info = {};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return GetCursorInfo(&info) && LoadedEdgeCursor(EdgeLeft) != NULL &&
                   info.hCursor == LoadedEdgeCursor(EdgeLeft);
        },
        kStartTimeoutMs));
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(LoadedEdgeCursor(EdgeLeft), &icon));
    BITMAP mask = {};
    GetObjectA(icon.hbmMask, sizeof(mask), &mask);
    DeleteObject(icon.hbmMask);
    if (icon.hbmColor != NULL)
        DeleteObject(icon.hbmColor);
    EXPECT_EQ(24, mask.bmWidth);
    ParkPointer();
}

} // namespace
