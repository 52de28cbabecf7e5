// The errand Brellox is for, on Wine's own desktop with icons under real
// windows: an open uncovers the icons, a click on one keeps them clear, a
// double-click starts its program before everything goes back, and a file
// dragged over a bar is dropped in the strip it uncovers. Run on a desktop
// that also shows Wine's taskbar (tools/wine-session.sh --shell).
#include "brellox_fixture.h"
#include "desktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const char kLeftAndTopBars[] = "[Brellox]\r\nLeft=1\r\nTop=1\r\n";
const RECT kTopBarRest = {0, 0, 1024, 2};
// Where the desktop draws its icons, clear of the bars at rest; a top open
// clears the strip down to 150.
const RECT kIconRow = {4, 4, 800, 110};

bool IsNotepad(HWND hwnd)
{
    char className[16] = "";
    return GetClassNameA(hwnd, className, sizeof(className)) > 0 && lstrcmpA(className, "Notepad") == 0;
}

class DesktopIcons : public BrelloxTest {
protected:
    // The shortcuts stay for the whole suite: Wine's desktop takes in a
    // shortcut at a time, and the tests look at the icons without changing them.
    static void SetUpTestSuite()
    {
        s_shortcuts = new DesktopShortcuts({{"Notepad", "C:\\windows\\system32\\notepad.exe"},
                                            {"Minesweeper", "C:\\windows\\system32\\winemine.exe"},
                                            {"WordPad", "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"}},
                                           kIconRow);
    }

    static void TearDownTestSuite()
    {
        delete s_shortcuts;
        s_shortcuts = NULL;
    }

    void SetUp() override
    {
        BrelloxTest::SetUp();
        icons_ = s_shortcuts->Icons();
        ASSERT_EQ(3u, icons_.size()) << "the desktop shows an icon for each shortcut";
        uncovered_ = CaptureScreen(kIconRow);
    }

    void TearDown() override
    {
        CloseEveryNotepad();
        BrelloxTest::TearDown();
    }

    void StartWithTopBar()
    {
        Start(kLeftAndTopBars);
        ASSERT_TRUE(WaitForRect(bars_.bars[EdgeTop], kTopBarRest));
    }

    // Two windows over the row of icons, as a user's windows pile up.
    void CoverIcons()
    {
        at_ = {{10, 20, 360, 200}, {200, 60, 560, 300}};
        for (const RECT &r : at_)
            Sample(r);
        ASSERT_FALSE(IconsUncovered()) << "the windows lie over the icons";
    }

    // Whether the windows are where a top open pushes them, or at home.
    bool Pushed() const { return At(150); }
    bool Home() const { return At(-1); }
    bool At(LONG top) const
    {
        for (size_t i = 0; i < at_.size(); ++i) {
            if (!SameRect(RectOf(samples_[i]), top < 0 ? at_[i] : Moved(at_[i], at_[i].left, top)))
                return false;
        }
        return true;
    }

    // Whether the screen shows every icon as it did before anything covered it.
    bool IconsUncovered() const
    {
        const ScreenImage now = CaptureScreen(kIconRow);
        for (const RECT &icon : icons_) {
            if (!now.SameAs(uncovered_, icon))
                return false;
        }
        return true;
    }

    // A double-click on the top bar away from the icons.
    bool OpenTopBar() const
    {
        DoubleClick(800, 1);
        return WaitUntil([&] { return Pushed(); }, kStartTimeoutMs);
    }

    static DesktopShortcuts *s_shortcuts;
    std::vector<RECT> icons_;
    ScreenImage uncovered_;
    std::vector<RECT> at_;
};

DesktopShortcuts *DesktopIcons::s_shortcuts;

TEST_F(DesktopIcons, AnOpenUncoversTheIconsAClickKeepsThemClearAndADoubleClickStartsTheProgramBeforeTheRestore)
{
    StartWithTopBar();
    CoverIcons();
    ASSERT_TRUE(OpenTopBar());
    EXPECT_TRUE(WaitUntil([&] { return IconsUncovered(); }, kStartTimeoutMs)) << "every icon in the strip shows";

    // A click on an icon brings the window that shows the icons to the front;
    // the windows stay away.
    const POINT notepad = Middle(icons_[0]);
    Click(notepad.x, notepad.y);
    ASSERT_TRUE(WaitUntil([] { return GetForegroundWindow() == GetDesktopWindow(); }, kStartTimeoutMs));
    EXPECT_TRUE(HoldsFor([&] { return Pushed() && IconsUncovered(); }, 1000)) << "the windows came back";

    // A double-click starts its program; Brellox puts everything back once the
    // program's window is in front, not before.
    DoubleClick(notepad.x, notepad.y);
    HWND program = NULL;
    bool backBeforeProgram = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND front = GetForegroundWindow();
            if (program == NULL && IsNotepad(front))
                program = front;
            const bool back = Home();
            backBeforeProgram = backBeforeProgram || (back && program == NULL);
            return back;
        },
        kStartTimeoutMs, 1))
        << "the windows came back";
    EXPECT_NE(nullptr, program) << "its program came to the front";
    EXPECT_FALSE(backBeforeProgram);
    EXPECT_EQ(program, GetForegroundWindow());
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeTop], kTopBarRest));
}

TEST_F(DesktopIcons, TheTaskbarAnotherBarOrAnotherProgramInFrontStillRestores)
{
    StartWithTopBar();
    CoverIcons();
    HWND taskbar = FindWindowA("Shell_TrayWnd", NULL);
    ASSERT_TRUE(taskbar != NULL && IsWindowVisible(taskbar))
        << "this group runs on a desktop that shows Wine's taskbar (tools/wine-session.sh --shell)";
    HWND other = Sample({600, 400, 900, 600});

    // Wine's taskbar does not come to the front when clicked (its buttons bring
    // their windows there): it is put there directly. The left bar comes last:
    // a click on it opens it too, and its watch then waits while it is in front.
    const struct {
        const char *what;
        std::function<void()> bringToFront;
    } fronts[] = {
        {"the taskbar", [&] { SetForegroundWindow(taskbar); }},
        {"a window of another program", [&] { ClickWindow(other); }},
        {"another bar", [] { Click(1, 600); }},
    };
    for (const auto &front : fronts) {
        SCOPED_TRACE(front.what);
        ASSERT_TRUE(OpenTopBar());
        front.bringToFront();
        EXPECT_TRUE(WaitUntil([&] { return Home(); }, kStartTimeoutMs)) << "the windows came back";
        EXPECT_TRUE(WaitForRect(bars_.bars[EdgeTop], kTopBarRest));
    }
}

// Wine's desktop icons take no drops: a drag over one ends with no effect. A
// window of the test stands in for the icon the open uncovers; it is shown in
// the strip once the strip is clear, as an icon would show there.
TEST_F(DesktopIcons, AFileDraggedOverABarIsDroppedInTheStripTheBarUncovers)
{
    StartWithTopBar();
    CoverIcons();
    const std::string file = MakeScratchDirectory("drop") + "\\dropped.txt";
    WriteTextFile(file, "a file to drop\r\n");
    FileDragSource source({600, 420, 900, 620}, file);
    ASSERT_NE(nullptr, source.Window());
    FileDropTarget target({icons_[1].left, 20, icons_[1].left + 160, 120}, SW_HIDE);
    ASSERT_TRUE(target.Registered());

    const POINT from = Middle(RectOf(source.Window()));
    ASSERT_TRUE(MovePointer(from.x, from.y));
    PressButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(source.WaitUntilDragging());
    ASSERT_TRUE(MovePointer(800, 1)) << "over the top bar, the button held";
    EXPECT_TRUE(WaitUntil([&] { return Pushed(); }, kStartTimeoutMs)) << "the dwell opened the bar";
    EXPECT_EQ(150, RectOf(bars_.bars[EdgeTop]).top);

    ShowWindow(target.Window(), SW_SHOWNOACTIVATE);
    const POINT onTarget = Middle(RectOf(target.Window()));
    ASSERT_TRUE(MovePointer(onTarget.x - 10, onTarget.y));
    ASSERT_TRUE(MovePointer(onTarget.x, onTarget.y));
    ReleaseButton(MOUSEEVENTF_LEFTUP);
    DWORD effect = DROPEFFECT_NONE;
    ASSERT_TRUE(source.WaitUntilDropped(&effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_EQ(0, lstrcmpiA(file.c_str(), target.Dropped().c_str())) << "dropped: " << target.Dropped();
    EXPECT_TRUE(Pushed()) << "the windows stayed away for the drop";
    // Once the drag is over the bar takes the front, as after any open: the
    // windows stay away until another window is activated.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == bars_.bars[EdgeTop]; }, kStartTimeoutMs));
    EXPECT_TRUE(HoldsFor([&] { return Pushed(); }, 500));

    ClickWindow(samples_[0]);
    EXPECT_TRUE(WaitUntil([&] { return Home(); }, kStartTimeoutMs)) << "a click on another window put all back";
    EXPECT_TRUE(WaitForRect(bars_.bars[EdgeTop], kTopBarRest));
}

} // namespace
