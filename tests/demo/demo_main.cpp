// The headless demo of the errand Brellox is for: shortcuts on the desktop,
// windows piled over their icons and Brellox with a bar on the top edge; then
// a double-click on the bar uncovers the icons, a click on one leaves the
// windows away, and a double-click on it starts its program and puts the
// windows back. Each step is a screenshot, named in OUTPUT_FOLDER\captions.txt
// with what it shows and where the user clicked (x,y in the picture; none for
// no click).
//
// With "monitors", in a session of two monitors side by side (1024x768 and
// 800x600 to its right), one picture instead: each monitor with its bars and
// windows, and the second monitor's top strip cleared by a double-click on its
// bar while the primary's windows stay.
//
//   brellox_demo.exe OUTPUT_FOLDER [monitors]
#include "desktop.h"
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const RECT kIconRow = {4, 4, 1000, 110};
// How far a top bar's open clears below a monitor's top edge at 100 %: two
// icon cells of 75. A bar is 2 pixels thick.
const LONG kTopLine = 150;
const LONG kBarWidth = 2;

std::string g_folder;

bool Shoot(const char *name, const char *caption, POINT click = {-1, -1})
{
    PumpMessages();
    const std::string path = g_folder + "\\" + name + ".bmp";
    const bool ok = SaveScreenshot(path);
    std::printf("%s: %s\n", ok ? "screenshot" : "could not save", path.c_str());
    FILE *captions = std::fopen((g_folder + "\\captions.txt").c_str(), "ab");
    if (captions != NULL) {
        // The picture starts at the top-left corner of the rectangle around every monitor.
        const LONG x = click.x - GetSystemMetrics(SM_XVIRTUALSCREEN), y = click.y - GetSystemMetrics(SM_YVIRTUALSCREEN);
        if (click.x < 0)
            std::fprintf(captions, "%s\t%s\tnone\n", name, caption);
        else
            std::fprintf(captions, "%s\t%s\t%ld,%ld\n", name, caption, x, y);
        std::fclose(captions);
    }
    return ok;
}

bool Step(bool done, const char *what)
{
    std::printf("%s%s\n", done ? "" : "failed: ", what);
    return done;
}

bool NotepadInFront()
{
    char className[16] = "";
    GetClassNameA(GetForegroundWindow(), className, sizeof(className));
    return lstrcmpA(className, "Notepad") == 0;
}

// What the screen shows in area once two looks in a row agree: the desktop
// may still be drawing what it has just taken in.
ScreenImage SteadyCapture(const RECT &area)
{
    ScreenImage image = CaptureScreen(area);
    WaitUntil(
        [&] {
            ScreenImage again = CaptureScreen(area);
            const bool same = again.SameAs(image, area);
            image = again;
            return same;
        },
        kStartTimeoutMs);
    return image;
}

// Whether the screen shows the bar at rest (as image shows it, in rest) moved
// down to at: Brellox redraws a bar some time after moving it.
bool BarShownAt(const ScreenImage &image, const RECT &rest, const RECT &at)
{
    const ScreenImage now = CaptureScreen(at);
    for (LONG y = 0; y < rest.bottom - rest.top; ++y) {
        for (LONG x = rest.left; x < rest.right; ++x) {
            if (now.At(x, at.top + y) != image.At(x, rest.top + y))
                return false;
        }
    }
    return true;
}

// Whether some pixel in r (where it lies in the image) shows that colour.
bool ShowsColour(const ScreenImage &image, const RECT &r, COLORREF colour)
{
    RECT in;
    IntersectRect(&in, &r, &image.area);
    for (LONG y = in.top; y < in.bottom; ++y) {
        for (LONG x = in.left; x < in.right; ++x) {
            if (image.At(x, y) == colour)
                return true;
        }
    }
    return false;
}

bool ErrandScene()
{
    DesktopShortcuts shortcuts({{"Notepad", "C:\\windows\\system32\\notepad.exe"},
                                {"Minesweeper", "C:\\windows\\system32\\winemine.exe"},
                                {"WordPad", "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"},
                                {"Files", "C:\\windows\\system32\\winefile.exe"}},
                               kIconRow);
    const std::vector<RECT> icons = shortcuts.Icons();
    if (!Step(icons.size() == 4, "four shortcuts on the desktop"))
        return false;
    // Wine's desktop redraws what windows uncover some time after they have
    // moved, an icon at a time, and a program draws its window some time after
    // it shows: each step waits until the screen shows what it is about.
    // First the strip as it shows with nothing over it.
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT strip = {0, 0, screen.right, kTopLine};
    const ScreenImage clear = SteadyCapture(strip);
    bool ok = true;

    const RECT at[4] = {{-30, 10, 430, 300}, {170, 50, 670, 370}, {420, 20, 900, 320}, {80, 420, 620, 720}};
    const char *titles[4] = {"Mail", "Report - Editor", "Browser", "Spreadsheet"};
    HWND windows[4];
    for (int i = 0; i < 4; ++i)
        windows[i] = CreateSampleWindow(at[i], titles[i]);
    auto pushed = [&] {
        for (int i = 0; i < 3; ++i) {
            if (RectOf(windows[i]).top != kTopLine)
                return false;
        }
        return true;
    };
    auto home = [&] {
        for (int i = 0; i < 4; ++i) {
            if (!SameRect(RectOf(windows[i]), at[i]))
                return false;
        }
        return true;
    };

    const std::string dir = MakeScratchDirectory("demo");
    WriteTextFile(dir + "\\Brellox.ini", "[Brellox]\r\nLeft=0\r\nTop=1\r\n");
    BrelloxProcess brellox(dir);
    const BrelloxWindows bars = brellox.WaitForWindows();
    if (!bars.Complete()) {
        std::fprintf(stderr, "Brellox did not start: %s\n", BrelloxExePath().c_str());
        return false;
    }
    const RECT barRest = {0, 0, screen.right, kBarWidth};
    WaitForRect(bars.bars[EdgeTop], barRest);
    // The windows at home under the bar at rest, as the last step shows them
    // again around the program it starts.
    const ScreenImage covered = SteadyCapture(screen);
    ok = Shoot("1-covered", "Windows cover the desktop icons; Brellox keeps a thin bar on the top edge.") && ok;

    const POINT onBar = {940, 1};
    DoubleClick(onBar.x, onBar.y);
    ok = Step(WaitUntil(pushed, kStartTimeoutMs), "a double-click on the top bar clears the strip") && ok;
    const RECT barOpen = {0, kTopLine, screen.right, kTopLine + kBarWidth};
    ok = Step(WaitUntil(
                  [&] { return CaptureScreen(strip).SameAs(clear, strip) && BarShownAt(covered, barRest, barOpen); },
                  kStartTimeoutMs),
              "the desktop shows every icon in the strip again, the bar below it") &&
         ok;
    ok = Shoot("2-uncovered", "A double-click on the bar pushes every window out of the strip below it.", onBar) && ok;

    const POINT notepad = {(icons[0].left + icons[0].right) / 2, (icons[0].top + icons[0].bottom) / 2};
    Click(notepad.x, notepad.y);
    ok = Step(HoldsFor(pushed, 1000), "a click on the Notepad icon: the windows stay away") && ok;
    ok = Shoot("3-icon-clicked", "A click on an icon leaves the windows away: the icons stay within reach.", notepad) &&
         ok;

    DoubleClick(notepad.x, notepad.y);
    ok = Step(WaitUntil([&] { return NotepadInFront() && home(); }, kStartTimeoutMs),
              "a double-click starts Notepad in front and puts everything back") &&
         ok;
    // Around Notepad the screen shows what it showed before the open, and
    // Notepad has drawn the text of its status bar. (Over Notepad, Wine's
    // display now and then leaves the new window above the bar, which the
    // window system keeps in front of it.)
    auto drawn = [&] {
        const HWND program = GetForegroundWindow();
        const RECT over = RectOf(program);
        const ScreenImage now = CaptureScreen(screen);
        for (LONG y = 0; y < screen.bottom; ++y) {
            for (LONG x = 0; x < screen.right; ++x) {
                const POINT p = {x, y};
                if (!PtInRect(&over, p) && now.At(x, y) != covered.At(x, y))
                    return false;
            }
        }
        const HWND status = FindWindowExA(program, NULL, "msctls_statusbar32", NULL);
        return status != NULL && ShowsColour(now, RectOf(status), GetSysColor(COLOR_BTNTEXT));
    };
    ok = Step(WaitUntil(drawn, kStartTimeoutMs), "the screen around Notepad is as before the open; Notepad is drawn") &&
         ok;
    ok = Shoot("4-program-started", "A double-click starts its program; every window goes back where it was.") && ok;

    CloseEveryNotepad();
    return ok;
}

// The rectangles of the windows of one process that are shown.
struct ShownWindows {
    DWORD processId;
    std::vector<RECT> rects;
};

BOOL CALLBACK AddShownWindow(HWND hwnd, LPARAM context)
{
    ShownWindows &shown = *reinterpret_cast<ShownWindows *>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == shown.processId && IsWindowVisible(hwnd))
        shown.rects.push_back(RectOf(hwnd));
    return TRUE;
}

// Whether area shows what clear showed, except where a window of that process
// (a bar) lies now.
bool ShowsAgain(const ScreenImage &clear, const RECT &area, DWORD brelloxId)
{
    ShownWindows bars = {brelloxId, {}};
    EnumWindows(AddShownWindow, reinterpret_cast<LPARAM>(&bars));
    const ScreenImage now = CaptureScreen(area);
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            const POINT p = {x, y};
            const bool onBar =
                std::any_of(bars.rects.begin(), bars.rects.end(), [&](const RECT &r) { return PtInRect(&r, p); });
            if (!onBar && now.At(x, y) != clear.At(x, y))
                return false;
        }
    }
    return true;
}

bool MonitorsScene()
{
    const std::vector<RECT> monitors = MonitorsLeftToRight();
    if (!Step(monitors.size() == 2 && monitors[0].left == 0 && monitors[1].left == monitors[0].right,
              "two monitors side by side, the primary on the left"))
        return false;
    const RECT second = monitors[1];
    const LONG x0 = second.left, line = second.top + kTopLine;
    // The second monitor's strip as it shows before anything covers it.
    const RECT strip = {second.left, second.top, second.right, line};
    const ScreenImage clear = SteadyCapture(strip);

    // Windows on the primary, two of them in its own top strip, and on the
    // second monitor, two in its top strip and one below it.
    const RECT onPrimary[3] = {{40, 30, 500, 330}, {380, 100, 960, 460}, {120, 430, 700, 720}};
    const char *primaryTitles[3] = {"Mail", "Report - Editor", "Spreadsheet"};
    const RECT onSecond[3] = {
        {x0 + 40, 20, x0 + 480, 300}, {x0 + 420, 70, x0 + 760, 280}, {x0 + 160, 330, x0 + 620, 560}};
    const char *secondTitles[3] = {"Browser", "Music", "Notes"};
    HWND primaryWindows[3], secondWindows[3];
    for (int i = 0; i < 3; ++i) {
        primaryWindows[i] = CreateSampleWindow(onPrimary[i], primaryTitles[i]);
        secondWindows[i] = CreateSampleWindow(onSecond[i], secondTitles[i]);
    }
    auto settled = [&] {
        for (int i = 0; i < 3; ++i) {
            const RECT pushedTo = {onSecond[i].left, line, onSecond[i].right,
                                   line + onSecond[i].bottom - onSecond[i].top};
            if (!SameRect(RectOf(primaryWindows[i]), onPrimary[i]) ||
                !SameRect(RectOf(secondWindows[i]), onSecond[i].top < line ? pushedTo : onSecond[i]))
                return false;
        }
        return true;
    };

    // Bars on the left, top and right edges: the primary's left and top, the
    // second monitor's top and right; none where the two meet.
    const std::string dir = MakeScratchDirectory("demo-monitors");
    WriteTextFile(dir + "\\Brellox.ini", "[Brellox]\r\nLeft=1\r\nRight=1\r\nTop=1\r\n");
    BrelloxProcess brellox(dir);
    if (!brellox.WaitForWindows().Complete()) {
        std::fprintf(stderr, "Brellox did not start: %s\n", BrelloxExePath().c_str());
        return false;
    }
    // The second monitor's top bar at rest, once it covers the desktop there.
    const RECT barRest = {second.left, second.top, second.right, second.top + kBarWidth};
    ScreenImage bar = CaptureScreen(barRest);
    if (!Step(WaitUntil(
                  [&] {
                      bar = CaptureScreen(barRest);
                      for (LONG x = barRest.left; x < barRest.right; ++x) {
                          for (LONG y = barRest.top; y < barRest.bottom; ++y) {
                              if (bar.At(x, y) == clear.At(x, y))
                                  return false;
                          }
                      }
                      return true;
                  },
                  kStartTimeoutMs),
              "Brellox shows its bars"))
        return false;

    const POINT onBar = {second.right - 120, second.top + 1};
    DoubleClick(onBar.x, onBar.y);
    bool ok = Step(WaitUntil(settled, kStartTimeoutMs),
                   "a double-click on the second monitor's top bar clears its strip; the primary's windows stay");
    const RECT barOpen = {second.left, line, second.right, line + kBarWidth};
    ok = Step(WaitUntil([&] { return ShowsAgain(clear, strip, brellox.Id()) && BarShownAt(bar, barRest, barOpen); },
                        kStartTimeoutMs),
              "the second monitor's strip shows nothing but the desktop again, the bar below it") &&
         ok;
    ok = Shoot("monitors",
               "Two monitors, each with its own bars: a double-click on the second monitor's top bar clears its "
               "strip; the windows on the first stay.",
               onBar) &&
         ok;
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "monitors") != 0)) {
        std::fprintf(stderr, "usage: brellox_demo OUTPUT_FOLDER [monitors]\n");
        return 2;
    }
    g_folder = argv[1];
    EndAllBrellox();
    const bool ok = argc == 3 ? MonitorsScene() : ErrandScene();
    EndAllBrellox();
    return ok ? 0 : 1;
}
