// Keys pressed for real (SendInput) on a bar: one opened by the hot key, a
// double-click or a drag has the front and the keyboard focus; Esc puts
// everything back, and Shift+F10 and the menu key show the bar menu at the
// bar, whose items the arrow keys and Enter pick. A bar at rest takes no keys.
#include "brellox_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum Opener { ByHotKey, ByDoubleClick, ByDrag };

// One way of opening a bar, with two windows across its strip and where the
// open pushes them, on 1024x768 with Width 2 and OpenWidth 2.
struct KeysCase {
    const char *name;
    Opener opener;
    Edge edge;
    const char *settings;
    POINT pointer; // where the pointer is, or is left, by the open
    RECT barOpen;
    RECT windows[2];
    POINT pushedTo[2];
};

const KeysCase kCases[] = {
    {"HotKey",
     ByHotKey,
     EdgeRight,
     "[Brellox]\r\nLeft=0\r\nRight=1\r\nHotkey=Ctrl+Alt+B\r\n",
     {600, 300},
     {874, 0, 876, 768},
     {{700, 10, 900, 300}, {800, 400, 1000, 600}},
     {{674, 10}, {674, 400}}},
    {"DoubleClick",
     ByDoubleClick,
     EdgeBottom,
     "[Brellox]\r\nLeft=0\r\nBottom=1\r\n",
     {300, 767},
     {0, 618, 1024, 620},
     {{10, 500, 300, 700}, {500, 600, 800, 750}},
     {{10, 418}, {500, 468}}},
    {"Drag",
     ByDrag,
     EdgeLeft,
     "[Brellox]\r\n",
     {300, 384},
     {300, 0, 302, 768},
     {{100, 50, 500, 400}, {250, 500, 450, 700}},
     {{302, 50}, {302, 500}}},
};

void PrintTo(const KeysCase &c, std::ostream *out)
{
    *out << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<KeysCase> &info)
{
    return info.param.name;
}

class BarKeys : public BrelloxTest {
protected:
    void TearDown() override
    {
        ReleaseButton(MOUSEEVENTF_LEFTUP);
        BrelloxTest::TearDown();
    }

    // The window that has the keyboard focus on Brellox's thread.
    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(bars_.owner, NULL), &info);
        return info.hwndFocus;
    }

    // Waits until the bar has the front and the keyboard focus.
    bool HasTheKeys(HWND bar) const
    {
        return WaitUntil([&] { return GetForegroundWindow() == bar && Focus() == bar; }, kStartTimeoutMs);
    }

    // Whether no menu and no dialog of Brellox comes up for that long while
    // the window and the bar stay where they are and Brellox runs.
    bool NothingHappensFor(HWND window, const RECT &at, HWND bar, const RECT &barAt, DWORD ms) const
    {
        return HoldsFor(
            [&] {
                return ShownMenu(brellox_->Id()) == NULL && OptionsDialog() == NULL && brellox_->Running() &&
                       SameRect(RectOf(window), at) && SameRect(RectOf(bar), barAt);
            },
            ms);
    }

    // Presses Esc, Shift+F10 and the menu key on a bar at rest that has the
    // keys: nothing comes of them.
    void ExpectKeysDoNothingAtRest(HWND window, const RECT &at, HWND bar, const RECT &rest)
    {
        ASSERT_TRUE(HasTheKeys(bar)) << "the bar at rest has the keys";
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(NothingHappensFor(window, at, bar, rest, 500)) << "Esc";
        PressChord({VK_SHIFT}, VK_F10);
        EXPECT_TRUE(NothingHappensFor(window, at, bar, rest, 500)) << "Shift+F10";
        PressKey(VK_APPS);
        EXPECT_TRUE(NothingHappensFor(window, at, bar, rest, 500)) << "the menu key";
    }
};

class BarKeysOnAnOpenBar : public BarKeys, public ::testing::WithParamInterface<KeysCase> {
protected:
    void StartCase()
    {
        const KeysCase &c = GetParam();
        Start(c.settings);
        for (int i = 0; i < 2; ++i)
            windows_[i] = Sample(c.windows[i]);
        bar_ = bars_.bars[c.edge];
        ASSERT_TRUE(ComesTo(bar_, kEdgeCases[c.edge].barRest));
    }

    // Opens the bar the case's way and waits until both windows are pushed
    // and the bar has the front and the keyboard focus.
    void OpenBar()
    {
        const KeysCase &c = GetParam();
        switch (c.opener) {
        case ByHotKey:
            ASSERT_TRUE(MovePointer(c.pointer.x, c.pointer.y));
            PressChord({VK_CONTROL, VK_MENU}, 'B');
            break;
        case ByDoubleClick:
            DoubleClick(c.pointer.x, c.pointer.y);
            break;
        case ByDrag:
            // Each drag starts at another point of the bar: a press where the
            // last one was, within the double-click time, is a double-click.
            ASSERT_TRUE(PressToDrag(bar_, 0, c.pointer.y - 40 * ++drags_));
            ASSERT_TRUE(MovePointer(c.pointer.x, c.pointer.y));
            ASSERT_TRUE(ReleaseDrag(bar_));
            break;
        }
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(ComesTo(windows_[i], Moved(c.windows[i], c.pushedTo[i].x, c.pushedTo[i].y))) << i;
        ASSERT_TRUE(ComesTo(bar_, c.barOpen));
        ASSERT_TRUE(HasTheKeys(bar_)) << "the open bar has the front and the keyboard focus";
    }

    bool AllPushed() const
    {
        const KeysCase &c = GetParam();
        for (int i = 0; i < 2; ++i) {
            if (!SameRect(RectOf(windows_[i]), Moved(c.windows[i], c.pushedTo[i].x, c.pushedTo[i].y)))
                return false;
        }
        return true;
    }

    bool BarOpenAndAllPushed() const { return AllPushed() && SameRect(RectOf(bar_), GetParam().barOpen); }

    void ExpectAllBack() const
    {
        const KeysCase &c = GetParam();
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(ComesTo(windows_[i], c.windows[i])) << i;
        EXPECT_TRUE(ComesTo(bar_, kEdgeCases[c.edge].barRest));
    }

    // The menu a key brought up: on the bar's inner edge beside the pointer,
    // opening into the screen. Leaves the open standing, as a right-click's
    // menu does.
    HWND ExpectMenuAtTheBar() const
    {
        const KeysCase &c = GetParam();
        HWND menu = WaitForMenuMode(brellox_->Id());
        if (menu == NULL) {
            ADD_FAILURE() << "no menu came up";
            return NULL;
        }
        const RECT r = RectOf(menu);
        const RECT &bar = c.barOpen;
        const std::string seen = "menu at " + RectText(r);
        switch (c.edge) {
        case EdgeLeft:
            EXPECT_EQ(bar.right, r.left) << seen;
            EXPECT_NEAR(c.pointer.y, (r.top + r.bottom) / 2, 1) << seen;
            break;
        case EdgeRight:
            EXPECT_EQ(bar.left, r.right) << seen;
            EXPECT_NEAR(c.pointer.y, (r.top + r.bottom) / 2, 1) << seen;
            break;
        case EdgeTop:
            EXPECT_EQ(bar.bottom, r.top) << seen;
            EXPECT_NEAR(c.pointer.x, (r.left + r.right) / 2, 1) << seen;
            break;
        default:
            EXPECT_EQ(bar.top, r.bottom) << seen;
            EXPECT_NEAR(c.pointer.x, (r.left + r.right) / 2, 1) << seen;
            break;
        }
        EXPECT_TRUE(HoldsFor([&] { return BarOpenAndAllPushed(); }, 300)) << "the menu leaves the open standing";
        return menu;
    }

    // Down and Enter pick Options: the dialog takes the front, which puts
    // everything back as with the mouse; Esc closes it.
    void ExpectDownAndEnterOpenTheOptions()
    {
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        HWND dialog = NULL;
        ASSERT_TRUE(
            WaitUntil([&] { return (dialog = OptionsDialog()) != NULL && IsWindowVisible(dialog); }, kStartTimeoutMs));
        ExpectAllBack();
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, kStartTimeoutMs));
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kStartTimeoutMs)) << "Esc closes the dialog";
        EXPECT_TRUE(brellox_->Running());
    }

    HWND windows_[2] = {};
    HWND bar_ = NULL;
    int drags_ = 0;
};

// Esc puts every window and the bar back; the bar, at rest again, keeps the
// front, and further keys do nothing.
TEST_P(BarKeysOnAnOpenBar, EscPutsEveryWindowBackAndTheBarAtRestTakesNoMoreKeys)
{
    ASSERT_NO_FATAL_FAILURE(StartCase());
    ASSERT_NO_FATAL_FAILURE(OpenBar());
    PressKey(VK_ESCAPE);
    ExpectAllBack();

    const KeysCase &c = GetParam();
    ExpectKeysDoNothingAtRest(windows_[0], c.windows[0], bar_, kEdgeCases[c.edge].barRest);
}

// Shift+F10, then the menu key: each shows the menu at the bar, and Down and
// Enter open the options; Up and Enter then pick Close, which ends Brellox and
// leaves the pushed windows where they are, as from the mouse.
TEST_P(BarKeysOnAnOpenBar, ShiftF10AndTheMenuKeyShowTheMenuAtTheBarAndItsItemsWork)
{
    ASSERT_NO_FATAL_FAILURE(StartCase());
    ASSERT_NO_FATAL_FAILURE(OpenBar());
    PressChord({VK_SHIFT}, VK_F10);
    ASSERT_NE(nullptr, ExpectMenuAtTheBar()) << "Shift+F10";
    ASSERT_NO_FATAL_FAILURE(ExpectDownAndEnterOpenTheOptions());

    ASSERT_NO_FATAL_FAILURE(OpenBar());
    PressKey(VK_APPS);
    ASSERT_NE(nullptr, ExpectMenuAtTheBar()) << "the menu key";
    ASSERT_NO_FATAL_FAILURE(ExpectDownAndEnterOpenTheOptions());

    ASSERT_NO_FATAL_FAILURE(OpenBar());
    PressKey(VK_APPS);
    ASSERT_NE(nullptr, ExpectMenuAtTheBar());
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    DWORD exitCode = 1;
    ASSERT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &exitCode)) << "Close";
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(HoldsFor([&] { return AllPushed(); }, 300));
}

INSTANTIATE_TEST_SUITE_P(OpenedBy, BarKeysOnAnOpenBar, ::testing::ValuesIn(kCases), CaseName);

// A bar at rest gets the keys once a right-click has brought it to the front:
// Esc, Shift+F10 and the menu key do nothing there; a window across its strip
// stays, and the bar still opens.
TEST_F(BarKeys, OnABarAtRestTheKeysDoNothing)
{
    Start("[Brellox]\r\n");
    const EdgeCase &left = kEdgeCases[EdgeLeft];
    HWND window = Sample(left.reaches);
    HWND bar = bars_.bars[EdgeLeft];
    HWND menu = RightClick(1, 600, brellox_->Id());
    ASSERT_NE(nullptr, menu);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return ShownMenu(brellox_->Id()) == NULL; }, kStartTimeoutMs));

    ExpectKeysDoNothingAtRest(window, left.reaches, bar, left.barRest);

    DoubleClick(1, 600);
    EXPECT_TRUE(ComesTo(window, Moved(left.reaches, left.pushedTo.x, left.pushedTo.y)));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(ComesTo(window, left.reaches));
}

} // namespace
