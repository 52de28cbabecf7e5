// Brellox.exe started for real: its windows, the single-copy rule and the way out.
#include "brellox_fixture.h"

#include "core/window_names.h"

#include <gtest/gtest.h>

namespace {

class Startup : public BrelloxTest {};

HWND OwnerOf(HWND hwnd)
{
    return GetWindow(hwnd, GW_OWNER);
}

TEST_F(Startup, NoSettingsFileGivesTheOwnerAndABarOnEachEdgeWithOnlyTheLeftOneShown)
{
    const std::string dir = MakeScratchDirectory("nofile");
    BrelloxProcess brellox(dir);
    ASSERT_TRUE(brellox.Started()) << BrelloxExePath();
    BrelloxWindows windows = brellox.WaitForWindows();
    ASSERT_TRUE(windows.Complete());

    EXPECT_EQ(static_cast<LONG>(WS_POPUP), GetWindowLongA(windows.owner, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_FALSE(IsWindowVisible(windows.owner));
    EXPECT_EQ(NULL, OwnerOf(windows.owner));

    // The enabled bar rests 2 pixels wide along its edge; the others are parked at
    // their rest corners and keep the zero area they were created with.
    const RECT atEdge[EDGE_COUNT] = {{0, 0, 2, 768}, {1022, 0, 1022, 0}, {0, 0, 0, 0}, {0, 766, 0, 766}};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        SCOPED_TRACE(BarName(static_cast<Edge>(edge)));
        HWND bar = windows.bars[edge];
        EXPECT_TRUE(ComesTo(bar, atEdge[edge]));
        EXPECT_EQ(windows.owner, OwnerOf(bar));
        LONG style = GetWindowLongA(bar, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_CHILD));
        LONG exStyle = GetWindowLongA(bar, GWL_EXSTYLE);
        EXPECT_EQ(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_APPWINDOW));
    }
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeLeft]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeRight]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeTop]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeBottom]));

    EXPECT_TRUE(brellox.Running());
    EXPECT_FALSE(FileExists(dir + "\\Brellox.ini")) << "starting must not write the settings file";
}

TEST_F(Startup, EdgeFlagsOfTheSettingsFileDecideWhichBarsAreShown)
{
    // Start-up has run to its end: no bar can still be shown or hidden.
    Start("[Brellox]\r\nLeft=0\r\nRight=7\r\nTop=-1\r\nBottom=no\r\n");
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeRight]));
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeTop]));
    EXPECT_FALSE(IsWindowVisible(bars_.bars[EdgeLeft]));
    EXPECT_FALSE(IsWindowVisible(bars_.bars[EdgeBottom])) << "text that is no number reads as 0";
}

TEST_F(Startup, StartsFromTwoDirectoriesReadTwoFiles)
{
    const std::string first = MakeScratchDirectory("first");
    const std::string second = MakeScratchDirectory("second");
    WriteTextFile(first + "\\Brellox.ini", "[Brellox]\r\nLeft=0\r\nTop=1\r\n");
    WriteTextFile(second + "\\Brellox.ini", "[Brellox]\r\nLeft=0\r\nBottom=1\r\n");

    BrelloxProcess one(first);
    BrelloxWindows windows = one.WaitForWindows();
    ASSERT_TRUE(windows.Complete());
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeTop]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeBottom]));

    BrelloxProcess two(second);
    DWORD code = 1;
    ASSERT_TRUE(one.WaitForExit(kStartTimeoutMs, &code));
    windows = two.WaitForWindows();
    ASSERT_TRUE(windows.Complete());
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeBottom]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeTop]));
    EXPECT_FALSE(IsWindowVisible(windows.bars[EdgeLeft]));
}

TEST_F(Startup, SecondCopyEndsTheFirstWithExitCodeZeroAndTakesOver)
{
    const std::string dir = MakeScratchDirectory("copies");
    BrelloxProcess first(dir);
    BrelloxWindows firstWindows = first.WaitForWindows();
    ASSERT_TRUE(firstWindows.Complete());

    BrelloxProcess second(dir);
    DWORD code = 99;
    ASSERT_TRUE(first.WaitForExit(kStartTimeoutMs, &code));
    EXPECT_EQ(0u, code);

    BrelloxWindows secondWindows = second.WaitForWindows();
    ASSERT_TRUE(secondWindows.Complete());
    EXPECT_TRUE(second.Running());
    EXPECT_FALSE(IsWindow(firstWindows.owner));
    EXPECT_TRUE(IsWindowVisible(secondWindows.bars[EdgeLeft]));
}

class DestroyOneWindow : public Startup, public ::testing::WithParamInterface<int> {};

// Index 0 is the owner window, 1 to EDGE_COUNT the bars from left to bottom.
TEST_P(DestroyOneWindow, EndsTheProgramWithExitCodeZero)
{
    Start();
    HWND target = GetParam() == 0 ? bars_.owner : bars_.bars[GetParam() - 1];
    SendMessageA(target, WM_DESTROY, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &code));
    EXPECT_EQ(0u, code);
}

INSTANTIATE_TEST_SUITE_P(TheOwnerOrABar, DestroyOneWindow, ::testing::Range(0, EDGE_COUNT + 1));

} // namespace
