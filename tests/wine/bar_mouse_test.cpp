// The bars under the user's hand, with real pointer and button input: double-
// clicks, drags, the right-click menu, the edge cursors and the hover poll.
// Brellox.exe runs in its own process where only its windows matter; where a
// test needs to see inside (menu items, cursor handles, timer messages) Brellox
// runs on a thread of this process instead.
#include "bars/bar_mouse_win32.h"
#include "brellox_fixture.h"
#include "brellox_thread.h"
#include "core/window_names.h"
#include "harness.h"
#include "res/resource.h"
#include "window_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace {

class BarMouse : public BrelloxTest {
protected:
    void TearDown() override
    {
        ReleaseButton(MOUSEEVENTF_LEFTUP);
        BrelloxTest::TearDown();
    }

    // Brellox started and its left bar opened by a double-click, which pushes
    // a window across its strip (pushed_, first at kAcross) to 150.
    void OpenOverAPushedWindow()
    {
        Start();
        pushed_ = Sample(kAcross);
        DoubleClick(1, 384);
        ASSERT_TRUE(WaitForRect(pushed_, Moved(kAcross, 150, 80))) << HasRect(pushed_, kAcross);
    }

    static constexpr RECT kAcross = {60, 80, 360, 280};
    HWND pushed_ = NULL;
};

class DoubleClickEachBar : public BarMouse, public ::testing::WithParamInterface<Edge> {};

TEST_P(DoubleClickEachBar, OpensItPushesTheStripClearAndAClickIntoAPushedWindowPutsAllBack)
{
    const EdgeCase &c = kEdgeCases[GetParam()];
    Start(kAllBars);
    HWND bar = bars_.bars[c.edge];
    ASSERT_TRUE(ComesTo(bar, c.barRest));
    HWND reaches = Sample(c.reaches);
    HWND clear = Sample(c.short_);

    const POINT onBar = Middle(c.barRest);
    DoubleClick(onBar.x, onBar.y);
    ASSERT_TRUE(WaitForRect(reaches, Moved(c.reaches, c.pushedTo.x, c.pushedTo.y))) << HasRect(reaches, c.reaches);
    EXPECT_TRUE(HasRect(bar, c.barOpen));
    EXPECT_TRUE(HasRect(clear, c.short_));

    ClickWindow(reaches);
    EXPECT_TRUE(WaitForRect(reaches, c.reaches, 2000)) << HasRect(reaches, c.reaches);
    EXPECT_TRUE(WaitForRect(bar, c.barRest, 1000)) << HasRect(bar, c.barRest);
    EXPECT_TRUE(HasRect(clear, c.short_));
}

INSTANTIATE_TEST_SUITE_P(LeftRightTopBottom, DoubleClickEachBar,
                         ::testing::Values(EdgeLeft, EdgeRight, EdgeTop, EdgeBottom));

TEST_F(BarMouse, ADraggedLeftBarSweepsAtItsInnerEdgeAndStaysUntilTheRestore)
{
    Start("[Brellox]\r\nOffset=10\r\n");
    HWND bar = bars_.bars[EdgeLeft];
    ASSERT_TRUE(ComesTo(bar, {0, 10, 2, 758}));
    const RECT across = {100, 50, 500, 250}, beyond = {400, 400, 700, 600};
    HWND pushed = Sample(across);
    HWND left = Sample(beyond);

    ASSERT_TRUE(PressToDrag(bar, 0, 384));
    // Diagonally: down and right, then up and right.
    ASSERT_TRUE(MovePointer(120, 500));
    EXPECT_TRUE(WaitForRect(bar, {120, 10, 122, 758})) << "only sideways: " << HasRect(bar, {120, 10, 122, 758});
    ASSERT_TRUE(MovePointer(300, 100));
    EXPECT_TRUE(ComesTo(bar, {300, 10, 302, 758}));
    EXPECT_TRUE(HasRect(pushed, across)) << "nothing moves before the release";
    ASSERT_TRUE(ReleaseDrag(bar));

    EXPECT_TRUE(ComesTo(pushed, Moved(across, 302, 50)));
    EXPECT_TRUE(HasRect(left, beyond));
    EXPECT_TRUE(HoldsFor(
        [&] {
            return SameRect(RectOf(bar), {300, 10, 302, 758});
        },
        500))
        << "the bar stays where it was dropped: " << HasRect(bar, {300, 10, 302, 758});

    ClickWindow(pushed);
    EXPECT_TRUE(WaitForRect(pushed, across, 2000)) << HasRect(pushed, across);
    EXPECT_TRUE(WaitForRect(bar, {0, 10, 2, 758}, 1000)) << HasRect(bar, {0, 10, 2, 758});
}

TEST_F(BarMouse, ADraggedTopBarMovesOnlyUpAndDownBetweenItsOffsets)
{
    Start("[Brellox]\r\nLeft=0\r\nTop=1\r\nOffset=10\r\n");
    HWND bar = bars_.bars[EdgeTop];
    ASSERT_TRUE(ComesTo(bar, {10, 0, 1014, 2}));
    const RECT across = {300, 120, 600, 400};
    HWND pushed = Sample(across);

    ASSERT_TRUE(PressToDrag(bar, 512, 0));
    ASSERT_TRUE(MovePointer(800, 120));
    EXPECT_TRUE(ComesTo(bar, {10, 120, 1014, 122}));
    ASSERT_TRUE(MovePointer(200, 200));
    EXPECT_TRUE(ComesTo(bar, {10, 200, 1014, 202}));
    ASSERT_TRUE(ReleaseDrag(bar));
    EXPECT_TRUE(ComesTo(pushed, Moved(across, 300, 202)));
}

TEST_F(BarMouse, EscapeOrAClickElsewhereClosesTheMenuAndDoesNothing)
{
    Start("[Brellox]\r\n");
    HWND menu = RightClick(1, 300, brellox_->Id());
    ASSERT_NE(nullptr, menu);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return ShownMenu(brellox_->Id()) == NULL; }, kStartTimeoutMs));

    menu = RightClick(1, 500, brellox_->Id());
    ASSERT_NE(nullptr, menu);
    Click(600, 600);
    EXPECT_TRUE(WaitUntil([&] { return ShownMenu(brellox_->Id()) == NULL; }, kStartTimeoutMs));

    EXPECT_TRUE(HoldsFor([&] { return brellox_->Running() && OptionsDialog() == NULL; }, 500));
    EXPECT_TRUE(HasRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}));
}

TEST_F(BarMouse, CloseEndsTheProgramWithZeroAndLeavesPushedWindowsWhereTheyAre)
{
    ASSERT_NO_FATAL_FAILURE(OpenOverAPushedWindow());

    HWND menu = RightClick(151, 600, brellox_->Id());
    ASSERT_NE(nullptr, menu);
    ClickLastItem(menu);
    DWORD exitCode = 1;
    ASSERT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(pushed_), Moved(kAcross, 150, 80)); }, 500));
}

TEST_F(BarMouse, OptionsOpensTheDialogAndAnOpenBarIsRestoredWhileItIsInFront)
{
    ASSERT_NO_FATAL_FAILURE(OpenOverAPushedWindow());

    HWND dialog = OpenOptions(151, 600);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(WaitForRect(pushed_, kAcross, 2000)) << HasRect(pushed_, kAcross);
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeLeft], {0, 0, 2, 768}, 1000));
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "restored while the dialog is in front";
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs));
    EXPECT_TRUE(brellox_->Running());
}

// Whether a Unix process has a file of that name mapped, from the kernel's map.
bool MapsFile(int unixProcessId, const std::string &fileName)
{
    std::string maps = ReadTextFile("Z:\\proc\\" + std::to_string(unixProcessId) + "\\maps");
    std::transform(maps.begin(), maps.end(), maps.begin(), [](unsigned char c) { return std::tolower(c); });
    return maps.find("/" + fileName + "\n") != std::string::npos;
}

// The common controls, the colour picker's library and COM (ole32, rpcrt4)
// each cost more memory under Wine than all the rest of Brellox. None is loaded
// at rest. COM never is: Brellox asks for no input method, whose Wine code
// starts COM for a thread once one of its windows is active. The picker's
// library is released with the picker, and the common controls, once the
// options dialog has needed them, stay.
TEST_F(BarMouse, LibrariesAreLoadedOnlyOnceSomethingNeedsThem)
{
    Start("[Brellox]\r\n");
    const int unixId = UnixProcessId("Brellox.exe");
    ASSERT_GT(unixId, 0);
    for (const char *library : {"comctl32.dll", "comdlg32.dll", "ole32.dll", "rpcrt4.dll"})
        EXPECT_FALSE(MapsFile(unixId, library)) << library << " at rest";

    const RECT home = {60, 80, 360, 280};
    HWND sample = Sample(home);
    DoubleClick(1, 600);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == bars_.bars[EdgeLeft] && !HasRect(sample, home); },
                          kStartTimeoutMs));
    ClickWindow(sample);
    ASSERT_TRUE(WaitForRect(sample, home)) << "a click on the pushed window restores";
    EXPECT_FALSE(MapsFile(unixId, "ole32.dll")) << "once a bar has taken the front";
    EXPECT_FALSE(MapsFile(unixId, "rpcrt4.dll")) << "once a bar has taken the front";

    HWND dialog = OpenOptions(1, 600);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(MapsFile(unixId, "comctl32.dll"));
    EXPECT_FALSE(MapsFile(unixId, "comdlg32.dll"));

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COLOR_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COLOR_BUTTON)));
    HWND picker = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (picker = FindProcessWindow(brellox_->Id(), "#32770", "Color")) != NULL; },
                          kStartTimeoutMs));
    EXPECT_TRUE(MapsFile(unixId, "comdlg32.dll"));
    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, kStartTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return !MapsFile(unixId, "comdlg32.dll"); }, kStartTimeoutMs));
    EXPECT_TRUE(MapsFile(unixId, "comctl32.dll")) << "the options dialog is still up";

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs));
    EXPECT_TRUE(HoldsFor([&] { return MapsFile(unixId, "comctl32.dll") && !MapsFile(unixId, "comdlg32.dll"); }, 300));
    EXPECT_TRUE(brellox_->Running());
}

// What the window system reports while the pointer rests over each bar is the
// edge cursor Brellox loaded, 16 pixels square with its hot spot in the corner
// of the stated design and the wall of the picture along the bar's own edge.
// Brellox on a thread of this process, the pointer parked once a test is done.
class InProcess : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override { ParkPointer(); }
};

TEST_F(InProcess, EachBarShowsItsEdgeCursor)
{
    BrelloxThread brellox("cursor", kAllBars);
    ASSERT_TRUE(brellox.Started());
    const POINT onBar[EDGE_COUNT] = {{1, 300}, {1022, 300}, {300, 1}, {300, 766}};
    const POINT hotSpot[EDGE_COUNT] = {{0, 0}, {15, 0}, {0, 0}, {0, 15}};
    HCURSOR loaded[EDGE_COUNT] = {};
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        SCOPED_TRACE(BarName(static_cast<Edge>(edge)));
        ASSERT_TRUE(MovePointer(400, 400));
        ASSERT_TRUE(MovePointer(onBar[edge].x, onBar[edge].y));
        CURSORINFO info = {};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(WaitUntil(
            [&] {
                return GetCursorInfo(&info) && LoadedEdgeCursor(static_cast<Edge>(edge)) != NULL &&
                       info.hCursor == LoadedEdgeCursor(static_cast<Edge>(edge));
            },
            kStartTimeoutMs));

        loaded[edge] = LoadedEdgeCursor(static_cast<Edge>(edge));
        ICONINFO icon = {};
        ASSERT_TRUE(GetIconInfo(LoadedEdgeCursor(static_cast<Edge>(edge)), &icon));
        EXPECT_FALSE(icon.fIcon);
        EXPECT_EQ(hotSpot[edge].x, static_cast<LONG>(icon.xHotspot));
        EXPECT_EQ(hotSpot[edge].y, static_cast<LONG>(icon.yHotspot));
        // A two-colour cursor keeps its picture in the mask: the upper half says
        // what is transparent, the lower half what is white.
        BITMAP mask = {};
        GetObjectA(icon.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(16, mask.bmWidth);
        EXPECT_EQ(32, mask.bmHeight);
        HDC dc = CreateCompatibleDC(NULL);
        HGDIOBJ old = SelectObject(dc, icon.hbmMask);
        int wall = 0, facing = 0;
        for (int i = 0; i < 16; ++i) {
            const POINT wallPixel[EDGE_COUNT] = {{0, i}, {15, i}, {i, 0}, {i, 15}};
            const POINT facingPixel[EDGE_COUNT] = {{15, i}, {0, i}, {i, 15}, {i, 0}};
            const POINT w = wallPixel[edge], f = facingPixel[edge];
            // Black: opaque in the upper half and not white in the lower.
            if (GetPixel(dc, w.x, w.y) == RGB(0, 0, 0) && GetPixel(dc, w.x, w.y + 16) == RGB(0, 0, 0))
                ++wall;
            if (GetPixel(dc, f.x, f.y) == RGB(0, 0, 0))
                ++facing;
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(icon.hbmMask);
        if (icon.hbmColor != NULL)
            DeleteObject(icon.hbmColor);
        EXPECT_EQ(16, wall) << "a black line all along the bar's edge";
        EXPECT_LT(facing, 16) << "the arrow side is partly transparent";
    }
    // More moves over the bars load nothing more: each keeps its first cursor.
    for (int edge = 0; edge < EDGE_COUNT; ++edge) {
        ASSERT_TRUE(MovePointer(400, 400));
        ASSERT_TRUE(MovePointer(onBar[edge].x, onBar[edge].y + 2 * (edge < 2)));
        CURSORINFO info = {};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(WaitUntil([&] { return GetCursorInfo(&info) && info.hCursor == loaded[edge]; }, kStartTimeoutMs));
        EXPECT_EQ(loaded[edge], LoadedEdgeCursor(static_cast<Edge>(edge)));
    }
}

// Counts the hover poll's timer messages on the Brellox thread.
HWND g_PollOwner;
LONG g_PollTicks;

LRESULT CALLBACK CountPollTicks(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG *msg = reinterpret_cast<const MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER && msg->hwnd == g_PollOwner &&
        msg->wParam == 11)
        InterlockedIncrement(&g_PollTicks);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

LONG PollTicksIn(DWORD ms)
{
    const LONG before = g_PollTicks;
    HoldsFor([] { return true; }, ms);
    return g_PollTicks - before;
}

TEST_F(InProcess, TheHoverPollStopsWhileThePointerMovesOverABarAndRunsAgainOnceItLeaves)
{
    ASSERT_TRUE(MovePointer(500, 384));
    BrelloxThread brellox("hover", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    g_PollOwner = brellox.Windows().owner;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountPollTicks, NULL, brellox.ThreadId());
    ASSERT_NE(nullptr, hook);

    const LONG atRest = PollTicksIn(1000);
    EXPECT_GE(atRest, 3) << "every 200 ms at rest";
    EXPECT_LE(atRest, 6);

    ASSERT_TRUE(MovePointer(1, 384));
    ASSERT_TRUE(MovePointer(1, 380));
    HoldsFor([] { return true; }, 300);
    EXPECT_EQ(0, PollTicksIn(1000)) << "stopped while the pointer is over the bar";

    ASSERT_TRUE(MovePointer(500, 380));
    const LONG after = PollTicksIn(1000);
    EXPECT_GE(after, 3) << "running again once the pointer has left";
    EXPECT_LE(after, 6);
    UnhookWindowsHookEx(hook);
}

// Menus, as the process that shows them sees them.
class BarMenu : public ::testing::Test {
protected:
    void SetUp() override { EndAllBrellox(); }
    void TearDown() override { ParkPointer(); }

    void CheckMenu(const char *expectedTexts[4])
    {
        BrelloxThread brellox("menu", "[Brellox]\r\n");
        ASSERT_TRUE(brellox.Started());
        HWND window = RightClick(1, 300, GetCurrentProcessId());
        ASSERT_NE(nullptr, window);
        RECT r = RectOf(window);
        EXPECT_EQ(1, r.left) << "the left side at the point of release";
        EXPECT_NEAR(300, (r.top + r.bottom) / 2, 1) << "centred vertically on it";

        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        ASSERT_EQ(4, GetMenuItemCount(menu));
        const UINT ids[4] = {40001, 40003, 0, 40002};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
            if (expectedTexts[i] == NULL) {
                EXPECT_TRUE(state & MF_SEPARATOR);
                continue;
            }
            EXPECT_EQ(0u, state & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
            char text[64] = "";
            GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
            EXPECT_STREQ(expectedTexts[i], text);
            EXPECT_EQ(ids[i], GetMenuItemID(menu, i));
        }
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return ShownMenu(GetCurrentProcessId()) == NULL; }, kStartTimeoutMs));
        EXPECT_TRUE(WaitUntil([&] { return !IsMenu(menu); }, kStartTimeoutMs)) << "each pop-up's menu is destroyed";
    }
};

TEST_F(BarMenu, ARightClickShowsTheEnglishMenuAtTheReleasePoint)
{
    const char *texts[4] = {"&Options", "&Start with Windows", NULL, "&Close"};
    CheckMenu(texts);
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
class JapaneseBarMenu : public BarMenu {};

TEST_F(JapaneseBarMenu, ARightClickShowsTheJapaneseMenu)
{
    // "設定(&S)", "Windows と同時に起動(&W)" and "終了(&X)" in code page 932.
    const char *texts[4] = {"\x90\xdd\x92\xe8(&S)", "Windows \x82\xc6\x93\xaf\x8e\x9e\x82\xc9\x8b\x4e\x93\xae(&W)",
                            NULL, "\x8f\x49\x97\xb9(&X)"};
    CheckMenu(texts);
}

} // namespace
