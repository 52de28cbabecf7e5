// Brellox while the monitors change under it, in a session whose heads can
// change (tools/wine-session.sh --xorg-monitors 1024x768,800x600): a monitor
// detached, attached again and moved, a change while a bar is open, and a
// first reading that is not the last. Changes made through Windows reach
// programs as a display message; changes made on the X display with xrandr
// reach only the monitor queries, as a monitor that wakes late does.
#include "bars/monitors_win32.h"
#include "brellox_fixture.h"
#include "proc_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const RECT kPrimary = {0, 0, 1024, 768};
const RECT kSecond = {1024, 0, 1824, 600};
const RECT kDetached = {0, 0, 0, 0};
// A window in the strip of the second monitor's right bar.
const RECT kNearTheSecondsRight = {1524, 200, 1774, 400};

// The six bars of the session's layout: none on the edge the monitors share.
const std::vector<std::string> kBarsSideBySide = {
    "BrelloxBottom (0,766)-(1024,768)", "BrelloxBottom (1024,598)-(1824,600)", "BrelloxLeft (0,0)-(2,768)",
    "BrelloxRight (1822,0)-(1824,600)", "BrelloxTop (0,0)-(1024,2)",           "BrelloxTop (1024,0)-(1824,2)"};
// The primary alone: its right edge is outer again.
const std::vector<std::string> kBarsPrimaryAlone = {"BrelloxBottom (0,766)-(1024,768)", "BrelloxLeft (0,0)-(2,768)",
                                                    "BrelloxRight (1022,0)-(1024,768)", "BrelloxTop (0,0)-(1024,2)"};
// The second monitor left of the primary, which stays at 0,0.
const std::vector<std::string> kBarsSecondOnTheLeft = {
    "BrelloxBottom (-800,598)-(0,600)", "BrelloxBottom (0,766)-(1024,768)", "BrelloxLeft (-800,0)-(-798,600)",
    "BrelloxRight (1022,0)-(1024,768)", "BrelloxTop (-800,0)-(0,2)",        "BrelloxTop (0,0)-(1024,2)"};

// The monitors as the program reads them, sorted: "primary (l,t)-(r,b)" or
// "(l,t)-(r,b)".
std::vector<std::string> ShownMonitors(const MonitorLayout &layout = ReadMonitorLayout())
{
    std::vector<std::string> shown;
    for (int i = 0; i < layout.count; ++i)
        shown.push_back((i == 0 ? "primary " : "") + RectText(layout.monitor[i].rect));
    std::sort(shown.begin(), shown.end());
    return shown;
}

std::vector<std::string> Expected(std::vector<std::string> shown)
{
    std::sort(shown.begin(), shown.end());
    return shown;
}

// Sets each device to its rectangle (an empty one detaches it) and applies
// them together, as the display settings of Windows do: programs get a
// display message.
bool ChangeDisplays(const std::vector<std::pair<std::string, RECT>> &heads)
{
    for (const auto &[device, rect] : heads) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmPosition = {rect.left, rect.top};
        mode.dmPelsWidth = rect.right - rect.left;
        mode.dmPelsHeight = rect.bottom - rect.top;
        if (ChangeDisplaySettingsExA(device.c_str(), &mode, NULL, CDS_UPDATEREGISTRY | CDS_NORESET, NULL) !=
            DISP_CHANGE_SUCCESSFUL)
            return false;
    }
    return ChangeDisplaySettingsExA(NULL, NULL, NULL, 0, NULL) == DISP_CHANGE_SUCCESSFUL;
}

// Wine's desktop process handles each notice the X server sends of a change on
// its own, tens of milliseconds each, for a while after the change; it is done
// when its CPU time stays the same.
bool WaitForDesktopProcessToSettle()
{
    const int explorer = UnixProcessId("explorer.exe");
    if (explorer < 0)
        return false;
    long long last = CpuNanoseconds(explorer);
    DWORD quietSince = GetTickCount();
    return WaitUntil(
        [&] {
            const long long now = CpuNanoseconds(explorer);
            if (now != last) {
                last = now;
                quietSince = GetTickCount();
            }
            return GetTickCount() - quietSince >= 300;
        },
        kStartTimeoutMs, 50);
}

// Wine 8's desktop process can end up waiting for news from the X server alone
// after it has told the windows of a moved virtual screen, deaf to messages: a
// program started then waits forever for its first answer. Any news wakes it,
// such as a mode given to a head that carries no monitor, which changes no
// monitor. The session's heads are the first of the dummy driver's sixteen.
bool WakeDesktopProcess()
{
    if (!RunUnixProgram("/bin/sh -c \"xrandr --delmode DUMMY15 640x480 2>/dev/null; xrandr --addmode DUMMY15 640x480\"",
                        false))
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

class MultiMonitorChange : public BrelloxTest {
protected:
    void SetUp() override
    {
        BrelloxTest::SetUp();
        const char *heads = std::getenv("BRELLOX_MONITORS");
        if (heads == NULL || std::string(heads) != "1024x768,800x600")
            GTEST_SKIP() << "needs a session of monitors that can change, "
                            "tools/wine-session.sh --xorg-monitors 1024x768,800x600";
        const MonitorLayout layout = ReadMonitorLayout();
        ASSERT_EQ(Expected({"primary " + RectText(kPrimary), RectText(kSecond)}), ShownMonitors(layout))
            << "every test starts from the session's layout";
        primaryDevice_ = layout.monitor[0].device;
        for (int i = 1; i < layout.count; ++i)
            secondDevice_ = layout.monitor[i].device;
        // Xephyr's heads, read through Xinerama, offer their own size only.
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        bool smaller = false;
        for (DWORD i = 0; EnumDisplaySettingsA(secondDevice_.c_str(), i, &mode); ++i)
            smaller = smaller || (mode.dmPelsWidth == 640 && mode.dmPelsHeight == 480);
        if (!smaller)
            GTEST_SKIP() << "the second monitor cannot change to 640x480: the session's heads are fixed "
                            "(tools/wine-session.sh --xorg-monitors 1024x768,800x600 makes them changeable)";
        changeable_ = true;
    }

    // Brellox, or the test host, started with every bar, once they stand in
    // the session's layout.
    enum Starting { TheProgram, TheHost };
    void StartSideBySide(Starting starting)
    {
        if (starting == TheHost)
            StartHost(kAllBars);
        else
            Start(kAllBars);
        ASSERT_TRUE(WaitForBars(kBarsSideBySide)) << Joined(ShownBars());
    }

    // The test host started side by side with a window near the second
    // monitor's right edge (pushedRight_, first at kNearTheSecondsRight) and
    // another one at otherAt (other_), and that monitor's right bar opened,
    // which pushes the first to 1424.
    void StartHostAndOpenTheSecondsRightBar(const RECT &otherAt)
    {
        ASSERT_NO_FATAL_FAILURE(StartSideBySide(TheHost));
        pushedRight_ = Sample(kNearTheSecondsRight);
        other_ = Sample(otherAt);
        Open(BarSlot(1, EdgeRight));
        ASSERT_TRUE(ComesTo(pushedRight_, Moved(kNearTheSecondsRight, 1424, 200)));
    }

    // The layout back as every test starts from it, and Brellox ended only
    // once the desktop process has dealt with the changes.
    void TearDown() override
    {
        if (changeable_) {
            EXPECT_TRUE(ChangeDisplays({{primaryDevice_, kPrimary}, {secondDevice_, kSecond}}));
            EXPECT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary), RectText(kSecond)}))
                << "the session's layout again: " << Joined(ShownMonitors());
            EXPECT_TRUE(WaitForDesktopProcessToSettle()) << "Wine's desktop process is still busy";
            EXPECT_TRUE(WakeDesktopProcess()) << "Wine's desktop process does not answer";
        }
        BrelloxTest::TearDown();
    }

    bool WaitForMonitors(const std::vector<std::string> &expected) const
    {
        return WaitUntil([&] { return ShownMonitors() == Expected(expected); }, 5000);
    }

    // The windows of Brellox that lie, shown, on any part of that rectangle.
    std::vector<std::string> ShownOn(const RECT &area) const
    {
        std::vector<std::string> shown;
        for (HWND hwnd : WindowsOfProcess(brellox_->Id())) {
            const RECT r = RectOf(hwnd);
            RECT common = {};
            if (IsWindowVisible(hwnd) && IntersectRect(&common, &r, &area))
                shown.push_back(TitleOf(hwnd) + " " + RectText(r));
        }
        return shown;
    }

    std::string primaryDevice_;
    std::string secondDevice_;
    bool changeable_ = false;
    HWND pushedRight_ = NULL;
    HWND other_ = NULL;
};

// A monitor unplugged takes its bars with it and leaves the edge it shared
// outer; plugged in again, or on the other side, the bars follow it.
TEST_F(MultiMonitorChange, BarsFollowAMonitorDetachedAttachedAgainAndMovedToTheLeft)
{
    ASSERT_NO_FATAL_FAILURE(StartSideBySide(TheProgram));
    const HWND secondBars[] = {Bar(EdgeTop, {1400, 0}), Bar(EdgeRight, {1823, 300}), Bar(EdgeBottom, {1400, 599})};
    for (HWND bar : secondBars)
        ASSERT_NE(nullptr, bar);

    ASSERT_TRUE(ChangeDisplays({{secondDevice_, kDetached}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary)})) << Joined(ShownMonitors());
    EXPECT_TRUE(WaitForBars(kBarsPrimaryAlone)) << Joined(ShownBars());
    for (HWND bar : secondBars)
        EXPECT_FALSE(IsWindow(bar)) << "a bar of the detached monitor is still there";
    EXPECT_TRUE(ShownOn(kSecond).empty()) << "shown where the monitor was: " << Joined(ShownOn(kSecond));

    ASSERT_TRUE(ChangeDisplays({{secondDevice_, kSecond}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary), RectText(kSecond)})) << Joined(ShownMonitors());
    EXPECT_TRUE(WaitForBars(kBarsSideBySide)) << Joined(ShownBars());

    const RECT onTheLeft = {-800, 0, 0, 600};
    ASSERT_TRUE(ChangeDisplays({{secondDevice_, onTheLeft}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary), RectText(onTheLeft)})) << Joined(ShownMonitors());
    EXPECT_TRUE(WaitForBars(kBarsSecondOnTheLeft)) << Joined(ShownBars());
}

// Pushed windows are recorded against the monitors they were pushed on: a
// change of the layout puts every one back before the bars take their new
// places, the open bar included.
TEST_F(MultiMonitorChange, AChangeWhileABarIsOpenPutsTheWindowsOfBothMonitorsBack)
{
    ASSERT_NO_FATAL_FAILURE(StartSideBySide(TheHost));
    const RECT onSecond = {1124, 50, 1324, 250};
    const RECT mostlyOnPrimary = {800, 100, 1100, 300};
    HWND secondWindow = Sample(onSecond);
    HWND primaryWindow = Sample(mostlyOnPrimary);
    // The second monitor's top bar: its strip runs along that monitor's
    // columns, which the window of the primary reaches into.
    Open(BarSlot(1, EdgeTop));
    ASSERT_TRUE(ComesTo(secondWindow, Moved(onSecond, onSecond.left, 150)));
    ASSERT_TRUE(ComesTo(primaryWindow, Moved(mostlyOnPrimary, mostlyOnPrimary.left, 150)));

    // The second monitor at 640x480 in its place.
    ASSERT_TRUE(ChangeDisplays({{secondDevice_, {1024, 0, 1664, 480}}}));
    EXPECT_TRUE(ComesTo(secondWindow, onSecond));
    EXPECT_TRUE(ComesTo(primaryWindow, mostlyOnPrimary));
    EXPECT_TRUE(WaitForBars({"BrelloxBottom (0,766)-(1024,768)", "BrelloxBottom (1024,478)-(1664,480)",
                             "BrelloxLeft (0,0)-(2,768)", "BrelloxRight (1662,0)-(1664,480)",
                             "BrelloxTop (0,0)-(1024,2)", "BrelloxTop (1024,0)-(1664,2)"}))
        << Joined(ShownBars());
}

// A strip open on the second monitor when it goes away (an undock, a monitor
// that sleeps off the bus): Wine leaves the windows where the monitor was, and
// the restore brings the pushed one onto the primary, wholly, instead of to
// its first place where no monitor is.
TEST_F(MultiMonitorChange, AMonitorDetachedWhileItsStripIsOpenLeavesEveryPushedWindowOnAMonitor)
{
    const RECT nearTop = {1100, 50, 1300, 250};
    ASSERT_NO_FATAL_FAILURE(StartHostAndOpenTheSecondsRightBar(nearTop));
    HWND topWindow = other_;
    Open(BarSlot(1, EdgeTop));
    ASSERT_TRUE(ComesTo(topWindow, Moved(nearTop, 1100, 150)));

    ASSERT_TRUE(ChangeDisplays({{secondDevice_, kDetached}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary)})) << Joined(ShownMonitors());
    ASSERT_TRUE(WaitForBars(kBarsPrimaryAlone)) << Joined(ShownBars());
    EXPECT_TRUE(ComesTo(pushedRight_, Moved(kNearTheSecondsRight, 774, 200)))
        << "onto the primary, as near its first place as it fits";
    EXPECT_TRUE(ComesTo(topWindow, Moved(nearTop, 824, 50)));
    for (HWND window : {pushedRight_, topWindow})
        EXPECT_NE(nullptr, MonitorFromWindow(window, MONITOR_DEFAULTTONULL)) << RectText(RectOf(window));
}

// Wine tells programs of a change a moment after it takes effect, and the
// window in front can change first: the restore that follows puts the windows
// back where the monitor is about to go. The display change a moment later
// places them again, onto the primary.
TEST_F(MultiMonitorChange, AMonitorDetachedJustAfterARestoreTakesTheWindowsItPutBackThereOntoThePrimary)
{
    const RECT onPrimary = {100, 200, 400, 400};
    ASSERT_NO_FATAL_FAILURE(StartHostAndOpenTheSecondsRightBar(onPrimary));
    ASSERT_TRUE(SetForegroundWindow(other_));
    ASSERT_TRUE(ComesTo(pushedRight_, kNearTheSecondsRight)) << "the restore";

    ASSERT_TRUE(ChangeDisplays({{secondDevice_, kDetached}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary)})) << Joined(ShownMonitors());
    EXPECT_TRUE(ComesTo(pushedRight_, Moved(kNearTheSecondsRight, 774, 200)));
    EXPECT_TRUE(HasRect(other_, onPrimary)) << "a window that was not pushed stays";
}

// The second monitor moved to the left of the primary while its strip is
// open: its window goes back to the same place on that monitor, wherever the
// monitor now lies.
TEST_F(MultiMonitorChange, AMonitorMovedWhileItsStripIsOpenGetsItsWindowBackInTheSamePlaceOnIt)
{
    const RECT onPrimary = {100, 200, 400, 400};
    ASSERT_NO_FATAL_FAILURE(StartHostAndOpenTheSecondsRightBar(onPrimary));
    HWND primaryWindow = other_;

    const RECT onTheLeft = {-800, 0, 0, 600};
    ASSERT_TRUE(ChangeDisplays({{secondDevice_, onTheLeft}}));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary), RectText(onTheLeft)})) << Joined(ShownMonitors());
    ASSERT_TRUE(WaitForBars(kBarsSecondOnTheLeft)) << Joined(ShownBars());
    EXPECT_TRUE(ComesTo(pushedRight_, Moved(kNearTheSecondsRight, -300, 200)))
        << "500 pixels from the monitor's left, as before";
    EXPECT_TRUE(HasRect(primaryWindow, onPrimary));
}

// A wake or a re-dock can report a layout that is not the last: the change
// made through Windows is followed at once, and the one made on the display a
// moment later, which sends no message, by the second reading about 2 s after
// the message.
TEST_F(MultiMonitorChange, TheSecondReadingCatchesAChangeThatCameWithoutAMessage)
{
    ASSERT_NO_FATAL_FAILURE(StartSideBySide(TheProgram));

    const DWORD changed = GetTickCount();
    ASSERT_TRUE(ChangeDisplays({{secondDevice_, kDetached}}));
    ASSERT_TRUE(WaitForBars(kBarsPrimaryAlone)) << "the first reading: " << Joined(ShownBars());
    ASSERT_TRUE(RunUnixProgram("/usr/bin/xrandr --output DUMMY1 --mode 800x600 --left-of DUMMY0", false));
    ASSERT_TRUE(WaitForMonitors({"primary " + RectText(kPrimary), "(-800,0)-(0,600)"})) << Joined(ShownMonitors());
    // The monitor is back, but until the second reading Brellox has had no
    // word of it. 1.8 s after the change: the message came after the change,
    // and the second reading 2 s after the message.
    const DWORD seen = GetTickCount() - changed;
    if (seen < 1800) {
        EXPECT_TRUE(HoldsFor([&] { return ShownBars() == Expected(kBarsPrimaryAlone); }, 1800 - seen))
            << "before the second reading: " << Joined(ShownBars());
    }
    EXPECT_TRUE(WaitForBars(kBarsSecondOnTheLeft, 6000)) << Joined(ShownBars());
}

} // namespace
