// The settings' hot key pressed for real (SendInput): it opens the first
// enabled bar of the monitor under the pointer and a second press puts
// everything back; a value that cannot be used, or a key this process holds
// first, is told once in a message box and Brellox runs on without it.
#include "brellox_fixture.h"

#include "core/window_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::vector<WORD> kCtrlAlt = {VK_CONTROL, VK_MENU};

// Counts the hot key presses that reach a window of this process.
int g_HeldPresses;

LRESULT CALLBACK HolderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY)
        ++g_HeldPresses;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class HotKey : public BrelloxTest {
protected:
    void TearDown() override
    {
        if (holder_ != NULL) {
            UnregisterHotKey(holder_, 1);
            DestroyWindow(holder_);
        }
        BrelloxTest::TearDown();
    }

    // A window of this process takes the chord before Brellox starts.
    bool HoldChord(UINT modifiers, UINT key)
    {
        holder_ = CreateWindowExA(0, RegisterTestClass("BrelloxHotkeyHolder", HolderProc), "", WS_POPUP, 0, 0, 0, 0,
                                  NULL, NULL, GetModuleHandleA(NULL), NULL);
        g_HeldPresses = 0;
        return holder_ != NULL && RegisterHotKey(holder_, 1, modifiers, key);
    }

    // Whether no window of this process could take the chord now: someone holds it.
    static bool ChordTaken(UINT modifiers, UINT key)
    {
        if (!RegisterHotKey(NULL, 2, modifiers, key))
            return true;
        UnregisterHotKey(NULL, 2);
        return false;
    }

    // Brellox's message box, once it is up.
    HWND WaitForMessageBox() const
    {
        HWND box = NULL;
        WaitUntil(
            [&] {
                for (HWND hwnd : WindowsOfProcess(brellox_->Id())) {
                    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770" && TitleOf(hwnd) == "Brellox")
                        box = hwnd;
                }
                return box != NULL;
            },
            kStartTimeoutMs);
        return box;
    }

    bool NoMessageBoxFor(DWORD ms) const
    {
        return HoldsFor(
            [&] {
                const std::vector<HWND> windows = WindowsOfProcess(brellox_->Id());
                return std::none_of(windows.begin(), windows.end(),
                                    [](HWND hwnd) { return ClassOf(hwnd) == "#32770" && IsWindowVisible(hwnd); });
            },
            ms);
    }

    static bool Dismiss(HWND box)
    {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return WaitUntil([&] { return !IsWindow(box); }, kStartTimeoutMs);
    }

    // The bar is shown at rest and a double-click on it still opens it.
    void ExpectRunningBar(int edge, HWND window)
    {
        const EdgeCase &c = kEdgeCases[edge];
        EXPECT_TRUE(IsWindowVisible(bars_.bars[edge]));
        EXPECT_TRUE(ComesTo(bars_.bars[edge], c.barRest));
        const POINT on = Middle(c.barRest);
        DoubleClick(on.x, on.y);
        const RECT pushed = Moved(c.reaches, c.pushedTo.x, c.pushedTo.y);
        EXPECT_TRUE(ComesTo(window, pushed));
    }

    // The key pressed once pushes a window out of the left bar's strip, and
    // pressed again puts it back.
    void ExpectTheKeyOpensTheLeftBarAndPutsItBack()
    {
        const EdgeCase &left = kEdgeCases[EdgeLeft];
        HWND window = Sample(left.reaches);
        PressChord(kCtrlAlt, 'B');
        EXPECT_TRUE(ComesTo(window, Moved(left.reaches, left.pushedTo.x, left.pushedTo.y)));
        PressChord(kCtrlAlt, 'B');
        EXPECT_TRUE(ComesTo(window, left.reaches));
    }

    HWND holder_ = NULL;
};

// The first enabled bar, here the right one, opens as a double-click on it
// would: it takes the front, pushes the windows out of its strip and stays
// open; a second press puts everything back at once. Opened again, a click
// into another window restores, as the watch always does.
TEST_F(HotKey, OpensTheFirstEnabledBarAndASecondPressPutsEverythingBack)
{
    Start("[Brellox]\r\nLeft=0\r\nRight=1\r\nBottom=1\r\nHotkey = ctrl + ALT + b\r\n");
    const EdgeCase &right = kEdgeCases[EdgeRight];
    const RECT pushed = Moved(right.reaches, right.pushedTo.x, right.pushedTo.y);
    HWND window = Sample(right.reaches);
    HWND other = Sample({200, 300, 400, 450});
    HWND bar = bars_.bars[EdgeRight];
    EXPECT_TRUE(ChordTaken(MOD_CONTROL | MOD_ALT, 'B')) << "Brellox holds the chord";

    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(window, pushed));
    EXPECT_TRUE(ComesTo(bar, right.barOpen));
    EXPECT_EQ(bar, GetForegroundWindow());
    EXPECT_TRUE(HoldsFor([&] { return SameRect(RectOf(window), pushed); }, 300)) << "the open stands";
    EXPECT_TRUE(HasRect(bars_.bars[EdgeBottom], kEdgeCases[EdgeBottom].barRest)) << "only the first enabled bar opens";

    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(window, right.reaches));
    EXPECT_TRUE(ComesTo(bar, right.barRest));

    PressChord(kCtrlAlt, 'B');
    ASSERT_TRUE(ComesTo(window, pushed));
    ClickWindow(other);
    EXPECT_TRUE(ComesTo(window, right.reaches));
    EXPECT_TRUE(ComesTo(bar, right.barRest));
}

// Without a Hotkey key no chord is taken: the keys reach no one and nothing opens.
TEST_F(HotKey, WithoutTheKeyTheSameKeysDoNothing)
{
    Start("[Brellox]\r\n");
    const EdgeCase &left = kEdgeCases[EdgeLeft];
    HWND window = Sample(left.reaches);
    EXPECT_FALSE(ChordTaken(MOD_CONTROL | MOD_ALT, 'B'));
    PressChord(kCtrlAlt, 'B');
    PressKey(VK_F1);
    EXPECT_TRUE(HoldsFor(
        [&] { return SameRect(RectOf(window), left.reaches) && SameRect(RectOf(bars_.bars[EdgeLeft]), left.barRest); },
        500));
}

// Told once, with the value and why, over the bars already up; Brellox then
// runs on without a hot key.
TEST_F(HotKey, AValueThatCannotBeReadIsToldOnceAndBrelloxRunsOnWithItsBars)
{
    Start("[Brellox]\r\nHotkey=Ctrl+Alt+B+B\r\n");
    HWND window = Sample(kEdgeCases[EdgeLeft].reaches);
    HWND box = WaitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeLeft])) << "the bars are up under the message";
    EXPECT_EQ("The hot key in Brellox.ini, Hotkey=Ctrl+Alt+B+B, cannot be used:\r\n\"B\" is named twice.\r\n"
              "Brellox runs on without a hot key.",
              MessageBoxText(box));
    ASSERT_TRUE(Dismiss(box));
    EXPECT_TRUE(NoMessageBoxFor(500)) << "once";
    EXPECT_FALSE(ChordTaken(MOD_CONTROL | MOD_ALT, 'B'));
    EXPECT_TRUE(brellox_->Running());
    ExpectRunningBar(EdgeLeft, window);
}

// This process holds the chord before Brellox starts: Brellox says so and runs
// on; the key keeps going to its holder.
TEST_F(HotKey, AKeyAnotherProgramHoldsIsToldAndBrelloxRunsOn)
{
    ASSERT_TRUE(HoldChord(MOD_CONTROL | MOD_SHIFT, VK_F9));
    Start("[Brellox]\r\nHotkey=Ctrl+Shift+F9\r\n");
    HWND window = Sample(kEdgeCases[EdgeLeft].reaches);
    HWND box = WaitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("The hot key in Brellox.ini, Hotkey=Ctrl+Shift+F9, cannot be used:\r\nanother program has registered "
              "this key.\r\nBrellox runs on without a hot key.",
              MessageBoxText(box));
    ASSERT_TRUE(Dismiss(box));
    PressChord({VK_CONTROL, VK_SHIFT}, VK_F9);
    EXPECT_TRUE(WaitUntil([] { return g_HeldPresses == 1; }, kStartTimeoutMs)) << g_HeldPresses;
    EXPECT_TRUE(HasRect(window, kEdgeCases[EdgeLeft].reaches));
    EXPECT_TRUE(NoMessageBoxFor(300)) << "once";
    ExpectRunningBar(EdgeLeft, window);
}

// The options dialog's OK writes its own keys and reads the file back: the
// Hotkey line stays as it was, and the key is neither registered again (which
// would fail, and say so) nor lost.
TEST_F(HotKey, TheOptionsOkKeepsTheHotkeyLineAndTheKey)
{
    Start("[Brellox]\r\nHotkey=Ctrl+Alt+B\r\nWidth=3\r\n");
    HWND dialog = OpenOptions(1, 600);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs));
    const std::vector<std::string> lines = Lines(ReadTextFile(SettingsPath()));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Hotkey=Ctrl+Alt+B")) << ReadTextFile(SettingsPath());
    EXPECT_EQ(1, SavedInt("Left")) << "the save wrote its keys";
    EXPECT_TRUE(NoMessageBoxFor(300));

    ExpectTheKeyOpensTheLeftBarAndPutsItBack();
}

// A game, a video or slides over the whole screen: the bars stand aside for
// it, and the key leaves it alone, pressed the moment the program goes full
// screen (before the bars, which look at the window in front once a second,
// have seen it) or later.
TEST_F(HotKey, OverAFullScreenProgramTheKeyOpensNothingAndMovesNothing)
{
    Start("[Brellox]\r\nHotkey=Ctrl+Alt+B\r\n");
    const RECT at = {60, 100, 360, 300};
    const RECT screen = {0, 0, 1024, 768};
    HWND program = Sample(at, SW_SHOW);
    HWND bar = bars_.bars[EdgeLeft];
    ASSERT_TRUE(SetForegroundWindow(program));
    ASSERT_TRUE(HoldsFor([&] { return IsWindowVisible(bar) != FALSE; }, 1200)) << "the bars have looked at it";

    // Its full-screen button: no caption, the whole screen.
    const LONG style = GetWindowLongA(program, GWL_STYLE);
    SetWindowLongA(program, GWL_STYLE, (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    SetWindowPos(program, NULL, 0, 0, 1024, 768, SWP_NOZORDER | SWP_FRAMECHANGED);
    PressChord(kCtrlAlt, 'B');
    auto untouched = [&] {
        return SameRect(RectOf(program), screen) && SameRect(RectOf(bar), kEdgeCases[EdgeLeft].barRest) &&
               GetForegroundWindow() == program;
    };
    EXPECT_TRUE(HoldsFor(untouched, 500)) << HasRect(program, screen);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar); }, kStartTimeoutMs)) << "the bars stand aside";
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(HoldsFor([&] { return untouched() && !IsWindowVisible(bar); }, 500)) << HasRect(program, screen);

    // Out of full screen, the key opens the bar again.
    SetWindowLongA(program, GWL_STYLE, style);
    SetWindowPos(program, NULL, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; }, kStartTimeoutMs));
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(program, Moved(at, 150, at.top)));
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(program, at));
}

// A copy asked to end may hold the key a moment longer (it finishes a sweep's
// wait first): the new copy takes the key once that copy has ended, and tells
// the user nothing, since no other program holds it.
TEST_F(HotKey, ANewCopyTakesTheKeyOnceTheCopyItReplacedHasLetItGo)
{
    BrelloxProcess old(MakeScratchDirectory("old-copy"), TestProgramPath("brellox_old_copy.exe"),
                       std::to_string(MOD_CONTROL | MOD_ALT) + " " + std::to_string('B'));
    ASSERT_TRUE(old.Started());
    ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(old.Id(), BRELLOX_CLASS_NAME, BRELLOX_OWNER_NAME) != NULL; },
                          kStartTimeoutMs));
    ASSERT_TRUE(ChordTaken(MOD_CONTROL | MOD_ALT, 'B')) << "the old copy holds the key";

    Start("[Brellox]\r\nHotkey=Ctrl+Alt+B\r\n");
    DWORD exitCode = 99;
    ASSERT_TRUE(old.WaitForExit(kStartTimeoutMs, &exitCode)) << "asked to end, it ends a second later";
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(NoMessageBoxFor(1000)) << "nothing to tell";
    EXPECT_TRUE(WaitUntil([] { return ChordTaken(MOD_CONTROL | MOD_ALT, 'B'); }, kStartTimeoutMs))
        << "the new copy holds the key";

    ExpectTheKeyOpensTheLeftBarAndPutsItBack();
}

// Run on its own under LC_ALL=ja_JP.UTF-8.
class JapaneseHotKey : public HotKey {};

TEST_F(JapaneseHotKey, AValueThatCannotBeReadIsToldInJapanese)
{
    Start("[Brellox]\r\nHotkey=Ctrl+Esc\r\n");
    HWND box = WaitForMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"Brellox.ini のホットキー Hotkey=Ctrl+Esc は使えません：\r\n「Esc」は修飾キー (Ctrl, Alt, Shift, Win) "
              L"でもキー (A-Z, 0-9, F1-F24, Space, Tab, Enter, Left, Right, Up, Down, Home, End, PageUp, PageDown, "
              L"Insert, Delete) でもありません。\r\nBrellox はホットキーなしで動作を続けます。",
              Wide(MessageBoxText(box)));
    ASSERT_TRUE(Dismiss(box));
    EXPECT_TRUE(brellox_->Running());
    EXPECT_TRUE(IsWindowVisible(bars_.bars[EdgeLeft]));
}

// Two monitors side by side (the two-monitor sessions of tools/test.sh).
class MultiMonitorHotKey : public HotKey {
protected:
    void SetUp() override
    {
        HotKey::SetUp();
        TwoMonitorsSideBySide(&primary_, &second_);
    }

    RECT primary_ = {};
    RECT second_ = {};
};

// With the pointer on the second monitor the key opens that monitor's first
// enabled bar: its right one, as its left edge touches the primary. Back on
// the primary it opens the primary's left bar.
TEST_F(MultiMonitorHotKey, TheKeyOpensTheBarOfTheMonitorUnderThePointer)
{
    Start("[Brellox]\r\nLeft=1\r\nRight=1\r\nHotkey=Ctrl+Alt+B\r\n");
    const RECT nearRight = {second_.right - 300, 200, second_.right - 50, 400};
    const RECT nearLeft = {100, 200, 400, 400};
    HWND rightWindow = Sample(nearRight);
    HWND leftWindow = Sample(nearLeft);
    HWND rightBar = Bar(EdgeRight, {second_.right - 1, 300});
    ASSERT_NE(nullptr, rightBar);
    const RECT rightRest = {second_.right - 2, 0, second_.right, second_.bottom};
    ASSERT_TRUE(ComesTo(rightBar, rightRest));

    ASSERT_TRUE(MovePointer(second_.left + 200, 500));
    PressChord(kCtrlAlt, 'B');
    const RECT pushed = Moved(nearRight, second_.right - 150 - 250, 200);
    EXPECT_TRUE(ComesTo(rightWindow, pushed));
    const RECT rightOpen = {second_.right - 150, 0, second_.right - 148, second_.bottom};
    EXPECT_TRUE(ComesTo(rightBar, rightOpen));
    EXPECT_TRUE(StaysAt(leftWindow, nearLeft, 300));
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(rightWindow, nearRight));
    EXPECT_TRUE(ComesTo(rightBar, rightRest));

    ASSERT_TRUE(MovePointer(primary_.left + 500, 300));
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(leftWindow, Moved(nearLeft, 150, 200)));
    EXPECT_TRUE(HasRect(rightWindow, nearRight));
    PressChord(kCtrlAlt, 'B');
    EXPECT_TRUE(ComesTo(leftWindow, nearLeft));
}

} // namespace
